// Test doubles for the start-up seams. Each records what it was asked, in one
// shared journal, so tests can check the order of the start-up steps.
#ifndef TOOL_APP_TESTS_STARTUP_FAKES_H
#define TOOL_APP_TESTS_STARTUP_FAKES_H

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/application.h"
#include "core/startup_seams.h"
#include "platform/testing/fake_library_loader.h"
#include "platform/testing/fake_message_boxes.h"

namespace vexlow::testing {

using Journal = std::vector<std::string>;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::testing::FakeMessageBoxes;
using platform::testing::ShownMessage;

class FakeUserInterface : public UserInterface {
 public:
  explicit FakeUserInterface(Journal& journal) : journal_(journal) {}
  DialogResult RunWarningDialog(const std::string& machineName) override {
    journal_.push_back("warning dialog: " + machineName);
    return warningResult;
  }
  DialogResult RunPrinterSelectDialog(const PrinterSelectSettings& settings) override {
    journal_.push_back("printer-selection dialog");
    selectSettings = settings;
    return DialogResult::Cancel;
  }

  DialogResult warningResult = DialogResult::Ok;
  PrinterSelectSettings selectSettings;

 private:
  Journal& journal_;
};

// Records each load and free of a library in the journal.
class JournalLoader : public platform::testing::FakeLibraryLoader {
 public:
  explicit JournalLoader(Journal& journal) : journal_(journal) {}
  Handle Load(const char* name) override {
    journal_.push_back(std::string("load ") + name);
    return FakeLibraryLoader::Load(name);
  }
  void Free(Handle library) override {
    journal_.push_back("free library");
    FakeLibraryLoader::Free(library);
  }

 private:
  Journal& journal_;
};

class FakeFiles : public FilePresence {
 public:
  explicit FakeFiles(Journal& journal) : journal_(journal) {}
  bool Exists(const std::string& path) override {
    journal_.push_back("look for " + path);
    return present.count(path) != 0;
  }
  std::set<std::string> present;

 private:
  Journal& journal_;
};

class FakeProfile : public ProfileReader {
 public:
  explicit FakeProfile(Journal& journal) : journal_(journal) {}
  // Private-profile semantics: a value longer than the buffer is cut to capacity - 1.
  std::string ReadString(const std::string& path, const char* section, const char* key,
                         const char* defaultValue, std::size_t capacity) override {
    journal_.push_back("read " + path + " [" + section + "] " + key + " default \"" + defaultValue +
                       "\" into " + std::to_string(capacity));
    const auto found = values.find(key);
    std::string value = found == values.end() ? defaultValue : found->second;
    if (capacity == 0) {
      return {};
    }
    return value.substr(0, capacity - 1);
  }
  std::map<std::string, std::string> values;

 private:
  Journal& journal_;
};

class FakeStrings : public StringTable {
 public:
  explicit FakeStrings(Journal& journal) : journal_(journal) {}
  std::string Load(unsigned id) override {
    journal_.push_back("string " + std::to_string(id));
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
  }
  std::map<unsigned, std::string> texts;

 private:
  Journal& journal_;
};

// Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC; a trail byte may be 0x5C ('\').
inline bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

class FakeLocation : public ProgramLocation {
 public:
  bool ModulePath(std::string& out) override {
    if (available) {
      out = path;
    }
    return available;
  }
  // As CharNextA steps in code page 932; a lead byte at the very end is one character.
  std::size_t NextChar(std::string_view text, std::size_t pos) override {
    if (pos >= text.size()) {
      return text.size();
    }
    const bool doubleByte =
        IsCp932LeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size();
    return pos + (doubleByte ? 2 : 1);
  }
  std::string path = "C:\\Tools\\Vexlow.exe";
  bool available = true;
};

class FakeCodec : public TextCodec {
 public:
  std::string AnsiToUtf8(const std::string& ansi) override {
    const auto found = conversions.find(ansi);
    return found == conversions.end() ? ansi : found->second;
  }
  std::map<std::string, std::string> conversions;
};

}  // namespace vexlow::testing

#endif  // TOOL_APP_TESTS_STARTUP_FAKES_H
