#pragma once
// Real windows in tests: a private X server (Xvfb) for the suite, shell commands such as xdotool,
// and the server's own screenshots read from xwd's dump format.
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

bool OnPath(const std::string& program);

// Output of a shell command, or nothing when it fails.
std::string Shell(const std::string& command);

// A private X server for the suite, or the desktop the tests already run on.
class XServer {
 public:
  static constexpr int kWidth = 1024, kHeight = 768;

  // Empty when a server is ready; otherwise why the real-window tests cannot run. The suite's
  // server becomes DISPLAY; a private one (for a test that kills it) is always started and left
  // out of the environment: Name() says where it is.
  std::string Start(bool privateServer = false);
  void Stop();
  bool Own() const { return own_; }
  const std::string& Name() const { return name_; }
  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = 0;
  bool own_ = false;
  bool private_ = false;
  std::string name_;
};

// Starts the suite's server and checks for the tools real-window tests drive it with (xdotool, xwd):
// empty when ready, otherwise why the tests cannot run.
std::string StartForRealWindows(XServer& server);

// The root window as 0x00RRGGBB.
struct Screenshot {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

bool ParseXwd(const std::string& data, Screenshot& shot);
// The whole screen as the X server shows it; empty when it cannot be read.
Screenshot GrabScreen();

// The cursor the X server shows now, as premultiplied 0xAARRGGBB with its hot spot; empty when
// it cannot be read (no server, or the tests were built without the X fixes extension).
struct CursorShot : Screenshot {
  int hotX = 0, hotY = 0;
};
CursorShot GrabCursor();

// Gives each character a key of its own on the server's keyboard (keys that have none yet), so
// that xdotool types it with that key instead of remapping a key just before pressing it, which a
// client with a cached keyboard map reads as no character at all. False when the map cannot be
// changed here.
bool MapCharactersToKeys(const std::u32string& characters);

// Sends an event, on a connection of its own, to a window that was just destroyed, and waits for
// the server's answer (BadWindow), which goes to the process's X error handler.
void SendEventToAGoneWindow();

}  // namespace testsupport
