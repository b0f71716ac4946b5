// For fuzz targets over the tests' fakes, which report what they see through
// GoogleTest: runs one input with every such report caught, and counts any
// report as a finding.
#ifndef FUZZ_TEST_REPORTS_H
#define FUZZ_TEST_REPORTS_H

#include <gtest/gtest-spi.h>

#include <cstdio>

#include "fuzz/fuzz_check.h"

namespace fuzz {

template <typename Run>
void WithoutTestReports(Run run) {
  ::testing::TestPartResultArray reports;
  {
    const ::testing::ScopedFakeTestPartResultReporter intercept(
        ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ALL_THREADS, &reports);
    run();
  }
  for (int i = 0; i < reports.size(); ++i) {
    const ::testing::TestPartResult& report = reports.GetTestPartResult(i);
    std::fprintf(stderr, "%s:%d: %s\n", report.file_name() ? report.file_name() : "?",
                 report.line_number(), report.message());
  }
  FUZZ_CHECK(reports.size() == 0, "the fakes see nothing amiss");
}

}  // namespace fuzz

#endif  // FUZZ_TEST_REPORTS_H
