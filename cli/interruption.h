// What Ctrl+C and Ctrl+Break may do at each moment of a command. While nothing
// changes the printer the process may end at once; once a step that changes it
// has begun (a delete, the mode command and transfer of an update, writing a
// received file) the request is kept and the command stops after that step; a
// transfer is stopped the way the protocol allows, at its next progress call.
// Request runs on the console's control thread, the rest on the command's.
#ifndef CLI_INTERRUPTION_H
#define CLI_INTERRUPTION_H

#include <atomic>
#include <mutex>

namespace cli {

// A transfer under way, which a request asks to stop.
class TransferStop {
 public:
  virtual ~TransferStop() = default;
  virtual void RequestStop() = 0;
};

class Interruption {
 public:
  enum class Answer {
    kEndNow,  // nothing is changing the printer: end the process with kExitCancelled
    kKept,    // a change is under way: the command stops once it is done
  };

  // From the console's control handler. After it no change begins.
  Answer Request();

  // A step that changes the printer begins: false, beginning nothing, when a
  // request came first.
  bool BeginChange();
  // The step has ended: true when a request came meanwhile.
  bool EndChange();
  // Inside a change: a transfer that a request stops.
  void SetTransfer(TransferStop* transfer);

  bool Requested() const { return requested_.load(); }
  // A new command: no request, no change.
  void Reset();

 private:
  std::mutex mutex_;
  std::atomic<bool> requested_{false};
  bool changing_ = false;
  TransferStop* transfer_ = nullptr;
};

}  // namespace cli

#endif  // CLI_INTERRUPTION_H
