#pragma once
// SIGINT (Ctrl+C in the terminal that started the program) and SIGTERM (the session or a script
// asking it to stop) become a request to quit instead of ending the process on the spot, so the
// program leaves through its message loop and tears down as usual. Should that request go
// unheard, the same signal a second time ends the process as it would have without us.
#include <functional>
#include <thread>

namespace platform {

class QuitSignals {
 public:
  // `onSignal` runs on a thread of the watcher's own, never inside the signal handler. Only one
  // watcher catches signals at a time; a second one made meanwhile does nothing.
  explicit QuitSignals(std::function<void(int signal)> onSignal);
  // Puts back the handlers that were there before.
  ~QuitSignals();
  QuitSignals(const QuitSignals&) = delete;
  QuitSignals& operator=(const QuitSignals&) = delete;

  bool Watching() const { return watcher_.joinable(); }

 private:
  void Watch();

  std::function<void(int)> onSignal_;
  std::thread watcher_;
};

}  // namespace platform
