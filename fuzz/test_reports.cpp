// The tests' fakes report what they see amiss (a handle left open, a library
// not let go) through GoogleTest; in a fuzz target every such report is a
// finding. GoogleTest's own printer has shown the report when this runs.
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct AbortOnFailure : ::testing::EmptyTestEventListener {
  void OnTestPartResult(const ::testing::TestPartResult& result) override {
    if (result.failed()) {
      std::abort();
    }
  }
};

const bool installed =
    (::testing::UnitTest::GetInstance()->listeners().Append(new AbortOnFailure), true);

}  // namespace
