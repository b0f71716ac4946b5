// A text progress bar on one console line, redrawn in place with a carriage
// return only when what it shows changes.
#ifndef CLI_PROGRESS_BAR_H
#define CLI_PROGRESS_BAR_H

#include <cstdint>
#include <ostream>
#include <string>

namespace cli {

// "[##########--------------------]  33%": width marks inside the brackets;
// percentages outside 0..100 are drawn as the nearest end.
std::string RenderProgressBar(int32_t percent, int width = 40);

class ProgressBar {
 public:
  explicit ProgressBar(std::ostream& out) : out_(out) {}
  void Update(int32_t percent);
  // Ends the bar's line, if one was drawn.
  void Finish();

 private:
  std::ostream& out_;
  int32_t shown_ = -1;
};

}  // namespace cli

#endif  // CLI_PROGRESS_BAR_H
