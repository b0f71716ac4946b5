#include "tool/printers/special_tape.h"

#include <string>

#include <gtest/gtest.h>

namespace vexlow {
namespace {

constexpr char kSuffix[] = "(Special Tape)";

TEST(SpecialTapeTest, SuffixTestsAreCaseSensitiveAnywhereInTheName) {
  struct Case {
    std::string name;
    bool has;
    std::string appended;
    std::string cut;
  };
  const Case cases[] = {
      {"ZN-418", false, "ZN-418(Special Tape)", "ZN-418"},
      {"ZN-418(Special Tape)", true, "ZN-418(Special Tape)", "ZN-418"},
      {"ZN-418 (Special Tape)", true, "ZN-418 (Special Tape)", "ZN-418 "},  // the blank stays
      {"ZN(Special Tape) #2", true, "ZN(Special Tape) #2", "ZN"},           // text after goes too
      {"ZN(special tape)", false, "ZN(special tape)(Special Tape)", "ZN(special tape)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.has, HasSpecialTapeSuffix(c.name, kSuffix)) << c.name;
    std::string appended = c.name;
    AppendSpecialTapeSuffix(appended, kSuffix);
    EXPECT_EQ(c.appended, appended);
    NameBuffer buffer{};
    SetName(buffer, c.name);
    EXPECT_TRUE(AppendSpecialTapeSuffix(buffer, kSuffix));
    EXPECT_EQ(c.appended, NameOf(buffer));
    SetName(buffer, c.name);
    CutSpecialTapeSuffix(buffer, kSuffix);
    EXPECT_EQ(c.cut, NameOf(buffer));
  }
}

TEST(SpecialTapeTest, BufferFormAppendsOnlyWhatFitsIn259Characters) {
  const std::size_t room = kMaxNameLength - std::string(kSuffix).size();
  for (const std::size_t length : {room - 1, room, room + 1, kMaxNameLength}) {
    NameBuffer buffer{};
    const std::string name(length, 'P');
    SetName(buffer, name);
    const bool fits = length <= room;
    EXPECT_EQ(fits, AppendSpecialTapeSuffix(buffer, kSuffix)) << length;
    EXPECT_EQ(fits ? name + kSuffix : name, NameOf(buffer)) << length;
  }
}

TEST(SpecialTapeTest, SuffixComesFromStringResourceWhenThereIsOne) {
  EXPECT_EQ("(Special Tape)", SpecialTapeSuffixFromResource(""));
  EXPECT_EQ("(Sonderband)", SpecialTapeSuffixFromResource("Sonderband"));
}

}  // namespace
}  // namespace vexlow
