// A virtual printer on simulated time, built from a configuration a test
// shapes, with its trace kept in memory.
#ifndef VIRTUAL_PRINTER_TESTS_PRINTER_FIXTURE_H
#define VIRTUAL_PRINTER_TESTS_PRINTER_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "virtual_printer/core/virtual_printer.h"
#include "virtual_printer/tests/packages.h"
#include "virtual_printer/tests/sim_clock.h"

namespace vp_test {

inline constexpr const char* kPrinterName = "Virtual Printer";

class PrinterFixture : public ::testing::Test {
 public:
  // Builds the printer from config_; call again after changing config_.
  void Build() {
    std::string error;
    printer_ = vp::VirtualPrinter::Create(config_, clock_, &error);
    ASSERT_TRUE(printer_) << error;
    printer_->GetTrace().CaptureInMemory();
  }

  vp::VirtualPort& Port() { return printer_->Port(); }
  const std::string& TraceText() { return printer_->GetTrace().Captured(); }
  size_t StoredFiles() { return printer_->Store().Files().size(); }

  vp::PrinterConfig config_;
  SimClock clock_;
  std::unique_ptr<vp::VirtualPrinter> printer_;
};

}  // namespace vp_test

#endif  // VIRTUAL_PRINTER_TESTS_PRINTER_FIXTURE_H
