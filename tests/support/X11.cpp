#include "tests/support/X11.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#ifdef VW_TEST_XLIB
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#endif

extern char** environ;

namespace testsupport {

using Clock = std::chrono::steady_clock;

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    if (access((dirs.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string StartForRealWindows(XServer& server) {
  std::string why = server.Start();
  if (why.empty() && !OnPath("xdotool")) why = "xdotool is not installed (package xdotool)";
  if (why.empty() && !OnPath("xwd")) why = "xwd is not installed (package x11-apps)";
  return why;
}

// Output of a shell command, or nothing when it fails.
std::string Shell(const std::string& command) {
  std::string out;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return out;
  char buffer[65536];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
  return pclose(pipe) == 0 ? out : std::string();
}

std::string XServer::Start(bool privateServer) {
  private_ = privateServer;
  if (const char* d = std::getenv("DISPLAY"); d && *d && !privateServer) {
    name_ = d;
    return {};
  }
  if (!OnPath("Xvfb")) return "Xvfb is not installed (package xvfb)";
  int fds[2];
  if (pipe(fds) != 0) return "no pipe";
  // Xvfb picks a free display number itself and writes it to the pipe once it accepts clients.
  std::string fd = std::to_string(fds[1]);
  std::string screen = std::to_string(kWidth) + "x" + std::to_string(kHeight) + "x24";
  // -noreset: each test opens and closes its own display, and a server resetting after the
  // last client leaves refuses the next one for a moment.
  const char* argv[] = {"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp", "-noreset", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  int rc = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, const_cast<char**>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    pid_ = 0;
    return "cannot start Xvfb";
  }
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  auto deadline = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < deadline && number.find('\n') == std::string::npos) {
    if (poll(&p, 1, 100) <= 0) continue;
    char c[16];
    ssize_t n = read(fds[0], c, sizeof c);
    if (n <= 0) break;
    number.append(c, static_cast<std::size_t>(n));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    Stop();
    return "Xvfb did not come up within 10 s";
  }
  number.pop_back();
  name_ = ":" + number;
  if (!private_) setenv("DISPLAY", name_.c_str(), 1);
  own_ = true;
  return {};
}

void XServer::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 100; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = 0;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = 0;
  }
  if (own_ && !private_) unsetenv("DISPLAY");
  own_ = false;
}

bool ParseXwd(const std::string& data, Screenshot& shot) {
  auto card = [&](std::size_t index) -> std::uint32_t {
    const auto* b = reinterpret_cast<const unsigned char*>(data.data()) + index * 4;
    return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
  };
  if (data.size() < 100 || card(1) != 7 || card(2) != 2 /* ZPixmap */) return false;
  std::uint32_t headerSize = card(0), width = card(4), height = card(5), byteOrder = card(7);
  std::uint32_t bpp = card(11), bytesPerLine = card(12), ncolors = card(19);
  std::uint32_t masks[3] = {card(14), card(15), card(16)};
  if (bpp != 24 && bpp != 32) return false;
  const std::uint32_t bytes = bpp / 8;
  std::size_t offset = headerSize + static_cast<std::size_t>(ncolors) * 12;
  if (data.size() < offset + static_cast<std::size_t>(bytesPerLine) * height) return false;
  shot.width = static_cast<int>(width);
  shot.height = static_cast<int>(height);
  shot.pixels.resize(static_cast<std::size_t>(width) * height);
  for (std::uint32_t y = 0; y < height; ++y)
    for (std::uint32_t x = 0; x < width; ++x) {
      const auto* b = reinterpret_cast<const unsigned char*>(data.data()) + offset + y * bytesPerLine + x * bytes;
      std::uint32_t p = 0;
      for (std::uint32_t i = 0; i < bytes; ++i) p = byteOrder == 0 ? p | std::uint32_t{b[i]} << (8 * i) : p << 8 | b[i];
      std::uint32_t rgb = 0;
      for (int c = 0; c < 3; ++c) {
        std::uint32_t m = masks[c];
        if (!m) continue;
        int shift = __builtin_ctz(m);
        std::uint32_t v = (p & m) >> shift, max = m >> shift;
        rgb |= (v * 255 / max) << (16 - 8 * c);
      }
      shot.pixels[static_cast<std::size_t>(y) * width + x] = rgb;
    }
  return true;
}

Screenshot GrabScreen() {
  Screenshot shot;
  ParseXwd(Shell("xwd -root -silent"), shot);
  return shot;
}

void SendEventToAGoneWindow() {
#ifdef VW_TEST_XLIB
  Display* display = XOpenDisplay(nullptr);
  if (!display) return;
  Window gone = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(display, gone);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = gone;
  event.xclient.format = 32;
  XSendEvent(display, gone, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
#endif
}

bool MapCharactersToKeys(const std::u32string& characters) {
#ifdef VW_TEST_XLIB
  Display* display = XOpenDisplay(nullptr);
  if (!display) return false;
  int minCode = 0, maxCode = 0, perCode = 0;
  XDisplayKeycodes(display, &minCode, &maxCode);
  KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1, &perCode);
  std::size_t next = 0;
  for (int code = maxCode; code >= minCode && next < characters.size(); --code) {
    bool empty = true;
    for (int k = 0; k < perCode; ++k) empty &= map[(code - minCode) * perCode + k] == NoSymbol;
    if (!empty) continue;
    // Characters beyond Latin-1 have the keysyms 0x01000000 + their code point.
    KeySym sym = 0x01000000 | characters[next++];
    KeySym both[2] = {sym, sym};
    XChangeKeyboardMapping(display, code, 2, both, 1);
  }
  XFree(map);
  XSync(display, False);
  XCloseDisplay(display);
  return next == characters.size();
#else
  (void)characters;
  return false;
#endif
}

CursorShot GrabCursor() {
  CursorShot shot;
#ifdef VW_TEST_XLIB
  Display* display = XOpenDisplay(nullptr);
  if (!display) return shot;
  int event = 0, error = 0;
  if (XFixesQueryExtension(display, &event, &error)) {
    if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
      shot.width = image->width;
      shot.height = image->height;
      shot.hotX = image->xhot;
      shot.hotY = image->yhot;
      shot.pixels.resize(static_cast<std::size_t>(shot.width) * shot.height);
      for (std::size_t i = 0; i < shot.pixels.size(); ++i) shot.pixels[i] = static_cast<std::uint32_t>(image->pixels[i]);
      XFree(image);
    }
  }
  XCloseDisplay(display);
#endif
  return shot;
}

}  // namespace testsupport
