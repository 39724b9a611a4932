#include "platform/display/QuitSignals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

namespace platform {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};

// The handler may only write to a pipe; the watcher thread reads it. Byte 0 stops the watcher.
int g_pipe[2] = {-1, -1};
std::atomic<bool> g_taken{false};
struct sigaction g_previous[2];
bool g_installed[2] = {false, false};

extern "C" void OnQuitSignal(int signal) {
  int saved = errno;
  const unsigned char byte = static_cast<unsigned char>(signal);
  ssize_t written = ::write(g_pipe[1], &byte, 1);
  (void)written;  // a full pipe already holds a request to quit
  errno = saved;
}

}  // namespace

QuitSignals::QuitSignals(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
  if (g_taken.exchange(true)) return;
  if (::pipe2(g_pipe, O_CLOEXEC) != 0) {
    g_taken = false;
    return;
  }
  ::fcntl(g_pipe[1], F_SETFL, O_NONBLOCK);
  watcher_ = std::thread([this] { Watch(); });
  for (int i = 0; i < 2; ++i) {
    struct sigaction previous {};
    ::sigaction(kSignals[i], nullptr, &previous);
    // A program started in the background of a script has Ctrl+C ignored, and should keep it so:
    // the script stops it by SIGTERM.
    if (previous.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    // Once only: a second Ctrl+C ends a program that did not answer the first.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    g_installed[i] = ::sigaction(kSignals[i], &action, &g_previous[i]) == 0;
  }
}

QuitSignals::~QuitSignals() {
  if (!watcher_.joinable()) return;
  for (int i = 0; i < 2; ++i)
    if (g_installed[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  g_installed[0] = g_installed[1] = false;
  const unsigned char stop = 0;
  while (::write(g_pipe[1], &stop, 1) < 0 && errno == EINTR) {
  }
  // The process may be ending from the watcher's own call (the display lost as it passed the
  // request on): it cannot wait for itself.
  if (watcher_.get_id() == std::this_thread::get_id())
    watcher_.detach();
  else
    watcher_.join();
  ::close(g_pipe[0]);
  ::close(g_pipe[1]);
  g_pipe[0] = g_pipe[1] = -1;
  g_taken = false;
}

void QuitSignals::Watch() {
  for (;;) {
    unsigned char byte = 0;
    ssize_t n = ::read(g_pipe[0], &byte, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0 || byte == 0) return;
    onSignal_(byte);
  }
}

}  // namespace platform
