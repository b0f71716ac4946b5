#include "core/text_format.h"

#include <gtest/gtest.h>

#include "core/warning_texts.h"
#include "resource.h"
#include "startup_fakes.h"

namespace vexlow::testing {
namespace {

TEST(FormatWithStringTest, SubstitutesTheArgumentFollowingPrintfRules) {
  EXPECT_EQ(FormatWithString("Version %s", "1.00"), "Version 1.00");
  EXPECT_EQ(FormatWithString("%s at start", "X"), "X at start");
  EXPECT_EQ(FormatWithString("100 %% of %s", "it"), "100 % of it");
  EXPECT_EQ(FormatWithString("no placeholder", "X"), "no placeholder");
}

TEST(FormatWithStringTest, ArgumentIsNeverReadAsAFormat) {
  EXPECT_EQ(FormatWithString("[%s]", "%s %n %% %d"), "[%s %n %% %d]");
}

TEST(FormatWithStringTest, OddDirectivesAreKeptAndExtraPlaceholdersStayEmpty) {
  EXPECT_EQ(FormatWithString("%d %s %s%", "A"), "%d A %");
  EXPECT_EQ(FormatWithString("50%", "A"), "50%");
}

TEST(WarningTextsTest, PutsTheMachineNameIntoBothTexts) {
  Journal journal;
  FakeStrings strings(journal);
  strings.texts[IDS_APP_TITLE] = "Glinterra Update Tool";
  strings.texts[IDS_WARNING_NOTICE] =
      "Do not operate %s or disconnect the USB cable until the update operation is completed.";
  strings.texts[IDS_WARNING_INSTRUCTIONS] = "%s Check that the printer is set to Transfer mode.";

  const WarningTexts texts = ComposeWarningTexts(strings, "VX-9");
  EXPECT_EQ(texts.title, "Glinterra Update Tool");
  EXPECT_EQ(texts.notice,
            "Do not operate VX-9 or disconnect the USB cable until the update operation is "
            "completed.");
  EXPECT_EQ(texts.instructions, "VX-9 Check that the printer is set to Transfer mode.");

  EXPECT_EQ(ComposeWarningTexts(strings, "").notice,
            "Do not operate  or disconnect the USB cable until the update operation is "
            "completed.");
}

}  // namespace
}  // namespace vexlow::testing
