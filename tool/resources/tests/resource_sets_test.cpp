// The English and the Japanese resource scripts must offer the same dialogs,
// controls and strings under the same ids, since the code never picks a set.
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
    lines.push_back(line);
  }
  return lines;
}

struct ResourceSet {
  std::string languageLine;
  bool utf8Pragma = false;
  // Dialog id -> the ids of its controls.
  std::map<std::string, std::multiset<std::string>> dialogs;
  std::multiset<std::string> strings;
};

ResourceSet Parse(const std::string& name) {
  static const std::regex kDialog(R"(^(\w+)\s+DIALOG(EX)?\s)");
  static const std::regex kControl(
      R"(^\s*(LTEXT|CTEXT|RTEXT|PUSHBUTTON|DEFPUSHBUTTON|COMBOBOX|ICON|CONTROL)\s+("([^"]|"")*"\s*,\s*)?(\w+)\s*,)");
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
    } else if (block == Block::Dialog && std::regex_search(line, match, kControl)) {
      set.dialogs[dialog].insert(match[4]);
    } else if (block == Block::Strings && std::regex_search(line, match, kString)) {
      set.strings.insert(match[1]);
    }
  }
  return set;
}

std::set<std::string> StringIdsOfHeader() {
  static const std::regex kDefine(R"(^#define\s+(IDS_\w+)\s+\d+)");
  std::set<std::string> ids;
  for (const std::string& line : Lines(ReadText("resource.h"))) {
    std::smatch match;
    if (std::regex_search(line, match, kDefine)) {
      ids.insert(match[1]);
    }
  }
  return ids;
}

TEST(ResourceSetsTest, EachSetStartsWithItsLanguageAndIsUtf8) {
  const ResourceSet english = Parse("lang/en-US.rc");
  const ResourceSet japanese = Parse("lang/ja-JP.rc");
  EXPECT_EQ(english.languageLine, "LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US");
  EXPECT_EQ(japanese.languageLine, "LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT");
  EXPECT_TRUE(english.utf8Pragma);
  EXPECT_TRUE(japanese.utf8Pragma);
}

TEST(ResourceSetsTest, BothSetsDefineTheSameDialogsAndControls) {
  const ResourceSet english = Parse("lang/en-US.rc");
  const ResourceSet japanese = Parse("lang/ja-JP.rc");
  ASSERT_FALSE(english.dialogs.empty());
  EXPECT_EQ(english.dialogs, japanese.dialogs);
  const std::multiset<std::string> warningControls = {
      "IDC_WARNING_HEADING", "IDC_WARNING_NOTICE", "IDC_WARNING_INSTRUCTIONS", "IDOK", "IDCANCEL"};
  EXPECT_EQ(english.dialogs.at("IDD_WARNING"), warningControls);
}

TEST(ResourceSetsTest, BothSetsDefineEveryStringOfTheHeaderOnce) {
  const std::set<std::string> header = StringIdsOfHeader();
  ASSERT_EQ(header.size(), 14u);
  for (const char* name : {"lang/en-US.rc", "lang/ja-JP.rc"}) {
    const ResourceSet set = Parse(name);
    EXPECT_EQ(std::multiset<std::string>(header.begin(), header.end()), set.strings) << name;
  }
}

}  // namespace
