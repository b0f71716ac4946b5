// The code never picks a language set, so the English and the Japanese resource
// scripts must offer the same dialogs, with the same controls of the same kinds
// and styles, and every string of resource.h once. Only texts, fonts and
// rectangles differ.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>

namespace {

struct ResourceSet {
  // Dialog id -> its STYLE and EXSTYLE lines and its controls without texts
  // and numbers.
  std::map<std::string, std::multiset<std::string>> dialogs;
  std::multiset<std::string> strings;
};

ResourceSet Parse(const std::string& name) {
  static const std::regex kDialog(R"(^(\w+)\s+DIALOG(EX)?\s)");
  static const std::regex kControl(
      R"(^\s*(LTEXT|CTEXT|RTEXT|PUSHBUTTON|DEFPUSHBUTTON|COMBOBOX|ICON|CONTROL)\s)");
  static const std::regex kQuotedOrNumber(R"("[^"]*"|\b\d+\b|\s+)");
  static const std::regex kString(R"(^\s*(\w+)\s+")");
  std::ifstream in(std::string(VEXLOW_RESOURCES_DIR) + "/" + name);
  ResourceSet set;
  std::string dialog;
  bool strings = false;
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (std::regex_search(line, match, kDialog)) {
      dialog = match[1];
      set.dialogs[dialog];
    } else if (line.rfind("STRINGTABLE", 0) == 0) {
      strings = true;
    } else if (line.rfind("END", 0) == 0) {
      dialog.clear();
      strings = false;
    } else if (!dialog.empty() && (line.rfind("STYLE", 0) == 0 || line.rfind("EXSTYLE", 0) == 0 ||
                                   std::regex_search(line, kControl))) {
      set.dialogs[dialog].insert(std::regex_replace(line, kQuotedOrNumber, ""));
    } else if (strings && std::regex_search(line, match, kString)) {
      set.strings.insert(match[1]);
    }
  }
  return set;
}

// The names that resource.h defines with the given prefix.
std::multiset<std::string> HeaderIds(const std::string& prefix) {
  const std::regex define("^#define\\s+(" + prefix + "\\w+)\\s+\\d+");
  std::ifstream in(std::string(VEXLOW_RESOURCES_DIR) + "/resource.h");
  std::multiset<std::string> ids;
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (std::regex_search(line, match, define)) {
      ids.insert(match[1]);
    }
  }
  return ids;
}

TEST(ResourceSetsTest, BothSetsDefineTheSameDialogsAndEveryStringOfTheHeader) {
  const ResourceSet english = Parse("lang/en-US.rc");
  const ResourceSet japanese = Parse("lang/ja-JP.rc");
  const std::multiset<std::string> dialogs = HeaderIds("IDD_");
  ASSERT_EQ(dialogs.size(), 5u);
  for (const ResourceSet* set : {&english, &japanese}) {
    std::multiset<std::string> defined;
    for (const auto& [id, controls] : set->dialogs) {
      defined.insert(id);
    }
    EXPECT_EQ(defined, dialogs);
    EXPECT_EQ(set->strings, HeaderIds("IDS_"));
  }
  EXPECT_EQ(english.dialogs, japanese.dialogs);
  EXPECT_EQ(HeaderIds("IDS_").size(), 14u);
}

}  // namespace
