// A text progress bar. On a console it is one line, redrawn in place with a
// carriage return only when what it shows changes; written to a file or a pipe
// it is a line at the start and one at each further tenth of the way, so a log
// keeps a short, true record instead of a hundred bars run together.
#ifndef CLI_PROGRESS_BAR_H
#define CLI_PROGRESS_BAR_H

#include <cstdint>
#include <ostream>
#include <string>

namespace cli {

enum class BarStyle { kRedrawn, kLogged };

// "[##########--------------------]  33%": width marks inside the brackets;
// percentages outside 0..100 are drawn as the nearest end.
std::string RenderProgressBar(int32_t percent, int width = 40);

class ProgressBar {
 public:
  ProgressBar(std::ostream& out, BarStyle style) : out_(out), style_(style) {}
  void Update(int32_t percent);
  // Ends the bar's line, if one was drawn.
  void Finish();

 private:
  std::ostream& out_;
  const BarStyle style_;
  int32_t shown_ = -1;  // the percentage last drawn (logged: its tenth), -1 for none
};

}  // namespace cli

#endif  // CLI_PROGRESS_BAR_H
