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
using platform::testing::FakeMessageBoxes;

// What every fake that writes to the journal holds.
struct Journaling {
  explicit Journaling(Journal& journal) : journal_(journal) {}
  Journal& journal_;
};

struct FakeUserInterface : UserInterface, Journaling {
  using Journaling::Journaling;
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
};

// Records each load and free of a library in the journal.
struct JournalLoader : platform::testing::FakeLibraryLoader, Journaling {
  using Journaling::Journaling;
  Handle Load(const char* name) override {
    journal_.push_back(std::string("load ") + name);
    return FakeLibraryLoader::Load(name);
  }
  void Free(Handle library) override {
    journal_.push_back("free library");
    FakeLibraryLoader::Free(library);
  }
};

struct FakeFiles : FilePresence, Journaling {
  using Journaling::Journaling;
  bool Exists(const std::string& path) override {
    journal_.push_back("look for " + path);
    return present.count(path) != 0;
  }
  std::set<std::string> present;
};

struct FakeProfile : ProfileReader, Journaling {
  using Journaling::Journaling;
  // Private-profile semantics: a value longer than the buffer is cut to capacity - 1.
  std::string ReadString(const std::string& path, const char* section, const char* key,
                         const char* defaultValue, std::size_t capacity) override {
    journal_.push_back("read " + path + " [" + section + "] " + key + " default \"" + defaultValue +
                       "\" into " + std::to_string(capacity));
    const auto found = values.find(key);
    const std::string value = found == values.end() ? defaultValue : found->second;
    return capacity == 0 ? std::string() : value.substr(0, capacity - 1);
  }
  std::map<std::string, std::string> values;
};

struct FakeStrings : StringTable, Journaling {
  using Journaling::Journaling;
  std::string Load(unsigned id) override {
    journal_.push_back("string " + std::to_string(id));
    const auto found = texts.find(id);
    return found == texts.end() ? std::string() : found->second;
  }
  std::map<unsigned, std::string> texts;
};

// Code page 932: lead bytes 0x81-0x9F and 0xE0-0xFC; a trail byte may be 0x5C ('\').
inline bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

struct FakeLocation : ProgramLocation {
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

struct FakeCodec : TextCodec {
  std::string AnsiToUtf8(const std::string& ansi) override {
    const auto found = conversions.find(ansi);
    return found == conversions.end() ? ansi : found->second;
  }
  std::map<std::string, std::string> conversions;
};

}  // namespace vexlow::testing

#endif  // TOOL_APP_TESTS_STARTUP_FAKES_H
