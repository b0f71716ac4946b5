// The English and the Japanese resource scripts must offer the same dialogs,
// with the same controls of the same kinds and styles, and the same strings
// under the same ids, since the code never picks a set. Only texts, fonts and
// sizes differ.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadText(const std::string& name) {
  std::ifstream in(std::string(VEXLOW_RESOURCES_DIR) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    lines.push_back(line);
  }
  return lines;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  const auto last = text.find_last_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The operands of a control statement, split at the commas outside quotes.
std::vector<std::string> Operands(const std::string& text) {
  std::vector<std::string> operands(1);
  bool quoted = false;
  for (char c : text) {
    if (c == '"') {
      quoted = !quoted;
    }
    if (c == ',' && !quoted) {
      operands.emplace_back();
    } else {
      operands.back() += c;
    }
  }
  for (std::string& operand : operands) {
    operand = Trim(operand);
  }
  return operands;
}

// What must agree between the sets for one control: its kind, id, window
// class and styles; not its text or rectangle.
std::string ControlSignature(const std::string& kind, const std::vector<std::string>& ops) {
  auto join = [&](std::size_t from, std::size_t count) {
    std::string joined;
    for (std::size_t i = from; i < ops.size() && i < from + count; ++i) {
      joined += " " + ops[i];
    }
    return joined;
  };
  if (kind == "CONTROL") {  // text, id, class, style, x, y, w, h [, exstyle]
    return kind + join(1, 3) + join(8, 1);
  }
  if (kind == "COMBOBOX") {  // id, x, y, w, h [, style [, exstyle]]
    return kind + join(0, 1) + join(5, 2);
  }
  // ICON name, id, ...; the text controls and buttons: text, id, ...
  return kind + (kind == "ICON" ? join(0, 2) : join(1, 1)) + join(6, 2);
}

struct ResourceSet {
  std::string languageLine;
  bool utf8Pragma = false;
  // Dialog id -> its STYLE and EXSTYLE lines and control signatures.
  std::map<std::string, std::multiset<std::string>> dialogs;
  std::set<std::string> fonts;  // the FONT line of every dialog
  std::multiset<std::string> strings;
};

ResourceSet Parse(const std::string& name) {
  static const std::regex kDialog(R"(^(\w+)\s+DIALOG(EX)?\s)");
  static const std::regex kControl(
      R"(^\s*(LTEXT|CTEXT|RTEXT|PUSHBUTTON|DEFPUSHBUTTON|COMBOBOX|ICON|CONTROL)\s+(.*)$)");
  static const std::regex kString(R"(^\s*(\w+)\s+")");

  ResourceSet set;
  const std::vector<std::string> lines = Lines(ReadText(name));
  if (!lines.empty()) {
    set.languageLine = lines.front();
  }
  enum class Block { None, Dialog, Strings } block = Block::None;
  std::string dialog;
  for (const std::string& line : lines) {
    std::smatch match;
    if (line.find("#pragma code_page(65001)") == 0) {
      set.utf8Pragma = true;
    } else if (std::regex_search(line, match, kDialog)) {
      dialog = match[1];
      set.dialogs[dialog];
      block = Block::Dialog;
    } else if (line.rfind("STRINGTABLE", 0) == 0) {
      block = Block::Strings;
    } else if (line.rfind("END", 0) == 0) {
      block = Block::None;
    } else if (block == Block::Dialog &&
               (line.rfind("STYLE", 0) == 0 || line.rfind("EXSTYLE", 0) == 0)) {
      set.dialogs[dialog].insert(line);
    } else if (block == Block::Dialog && line.rfind("FONT", 0) == 0) {
      set.fonts.insert(line);
    } else if (block == Block::Dialog && std::regex_search(line, match, kControl)) {
      set.dialogs[dialog].insert(ControlSignature(match[1], Operands(match[2])));
    } else if (block == Block::Strings && std::regex_search(line, match, kString)) {
      set.strings.insert(match[1]);
    }
  }
  return set;
}

// The names that resource.h defines with the given prefix.
std::set<std::string> HeaderIds(const std::string& prefix) {
  const std::regex define("^#define\\s+(" + prefix + "\\w+)\\s+\\d+");
  std::set<std::string> ids;
  for (const std::string& line : Lines(ReadText("resource.h"))) {
    std::smatch match;
    if (std::regex_search(line, match, define)) {
      ids.insert(match[1]);
    }
  }
  return ids;
}

TEST(ResourceSetsTest, EachSetHasItsLanguageEncodingAndFont) {
  struct Case {
    const char* file;
    const char* languageLine;
    const char* font;
  };
  const Case cases[] = {
      {"lang/en-US.rc", "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US", "FONT 8, \"MS Sans Serif\""},
      {"lang/ja-JP.rc", "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT", "FONT 9, \"MS UI Gothic\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const ResourceSet set = Parse(c.file);
    EXPECT_EQ(set.languageLine, c.languageLine);
    EXPECT_TRUE(set.utf8Pragma);
    EXPECT_EQ(set.fonts, std::set<std::string>{c.font});
  }
}

TEST(ResourceSetsTest, BothSetsDefineEveryDialogWithTheSameControlsAndStyles) {
  const ResourceSet english = Parse("lang/en-US.rc");
  const ResourceSet japanese = Parse("lang/ja-JP.rc");
  const std::set<std::string> dialogs = HeaderIds("IDD_");
  ASSERT_EQ(dialogs.size(), 5u);
  for (const std::string& dialog : dialogs) {
    SCOPED_TRACE(dialog);
    ASSERT_EQ(english.dialogs.count(dialog), 1u);
    ASSERT_EQ(japanese.dialogs.count(dialog), 1u);
    EXPECT_EQ(english.dialogs.at(dialog), japanese.dialogs.at(dialog));
  }
  EXPECT_EQ(english.dialogs.size(), dialogs.size());
  EXPECT_EQ(japanese.dialogs.size(), dialogs.size());
}

TEST(ResourceSetsTest, BothSetsDefineEveryStringOfTheHeaderOnce) {
  const std::set<std::string> header = HeaderIds("IDS_");
  ASSERT_EQ(header.size(), 14u);
  for (const char* name : {"lang/en-US.rc", "lang/ja-JP.rc"}) {
    const ResourceSet set = Parse(name);
    EXPECT_EQ(std::multiset<std::string>(header.begin(), header.end()), set.strings) << name;
  }
}

}  // namespace
