// Identification: the printer the list holds as current after the selection
// is the one opened and recorded, with the low 16 bits of its model.
#include "tool/transfer/identify_printer.h"

#include <gtest/gtest.h>

#include "fake_libraries.h"
#include "fake_printer_selection.h"

namespace vexlow::testing {
namespace {

TEST(IdentifyPrinterTest, OpensAndRecordsThePrinterTheListMadeCurrent) {
  constexpr uint16_t kEarlierModel = 0x0777;
  struct Case {
    std::string chosen;
    bool selects;
    std::string current;
    uint32_t modelId;
    int32_t openResult;
    bool identified;
  };
  const Case cases[] = {
      {"Label Printer 9", true, "Label Printer 9", 0x0415, TR_OK, true},
      // Nothing chosen: the list falls back to its first printer; bit 16
      // (special tape) is dropped.
      {"", true, "First Printer", 0x10416, TR_OK, true},
      {"Gone", false, "", 0x0415, TR_OK, false},
      {"Nameless", true, "", 0x0415, TR_OK, false},
      {"Label Printer 9", true, "Label Printer 9", 0x0415, TR_OPEN_FAILED, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen + " -> " + c.current);
    BoundLibraries libraries;
    TransferClient& client = libraries.client;
    client.SetCurrentModelId(kEarlierModel);
    Ostrand().initPrinterResult = c.openResult;
    FakePrinterSelection list;
    list.selects = c.selects;
    list.current = c.current;
    list.modelId = c.modelId;

    EXPECT_EQ(IdentifyPrinter(list, client, c.chosen), c.identified);
    EXPECT_EQ(list.asked, c.chosen);
    // The printer the list holds is asked about, then opened.
    EXPECT_EQ(Calls(), c.current.empty() ? CallLog{}
                                         : (CallLog{"TRCheckSupportPrinter(" + c.current + ")",
                                                    "TRInitPrinter(" + c.current + ")"}));
    EXPECT_EQ(client.CurrentModelId(),
              c.identified ? static_cast<uint16_t>(c.modelId) : kEarlierModel);
    EXPECT_EQ(client.CurrentTransferPrinter(), c.identified ? c.current : "");
    EXPECT_EQ(client.LastTransferResult(), c.openResult);
  }
}

}  // namespace
}  // namespace vexlow::testing
