// The program started as a user starts it, on an X server of the test's own: it ends promptly
// and in order when asked to, when its X server goes away under it, and when there is none; and
// scripts/run passes Ctrl+C on and leaves nothing behind. Every wait here has a deadline.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/Artifacts.h"
#include "tests/support/X11.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using testsupport::OnPath;
using testsupport::Shell;
using testsupport::XServer;
using Clock = std::chrono::steady_clock;

// How soon the program must be gone once told to end. Under the address sanitizer its leak check at
// exit alone takes over a second, and more on a loaded machine; the program's own ending is the same.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kPromptEndMs = 8000;
#else
constexpr int kPromptEndMs = 2000;
#endif

// The program's windows are found by their class, the program's name: their titles are the
// windows' own Chinese captions, which change with the window the start-up leads to.
constexpr const char* kWindowClass = "videowall";

bool Eventually(const std::function<bool()>& done, int timeoutMs) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
}

// The environment of this process with some variables changed; an empty value removes one.
std::vector<std::string> Environment(const std::map<std::string, std::string>& changes) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string entry = *e;
    if (!changes.count(entry.substr(0, entry.find('=')))) env.push_back(entry);
  }
  for (const auto& [name, value] : changes)
    if (!value.empty()) env.push_back(name + "=" + value);
  return env;
}

// A child process with its output (stdout and stderr together) captured. One that is still
// running when the test ends is killed, with its process group when it has one of its own.
class Process {
 public:
  Process(const std::vector<std::string>& argv, const std::vector<std::string>& env, bool ownGroup = false)
      : ownGroup_(ownGroup) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // As from a terminal: Ctrl+C and SIGTERM do what they do by default, whatever ran us.
    sigset_t defaults, none;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGTERM);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setsigmask(&attr, &none);
    short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    if (ownGroup) {
      flags |= POSIX_SPAWN_SETPGROUP;
      posix_spawnattr_setpgroup(&attr, 0);
    }
    posix_spawnattr_setflags(&attr, flags);
    std::vector<char*> args, envp;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    if (posix_spawn(&pid_, args[0], &actions, &attr, args.data(), envp.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    close(fds[1]);
    out_ = fds[0];
    fcntl(out_, F_SETFL, O_NONBLOCK);
  }

  ~Process() {
    if (pid_ > 0 && !ended_) {
      kill(ownGroup_ ? -pid_ : pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }

  void Signal(int signal, bool group = false) { kill(group ? -pid_ : pid_, signal); }

  // True when the process ended within timeoutMs; its wait status is then Status().
  bool WaitEnd(int timeoutMs) {
    auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!ended_) {
      if (waitpid(pid_, &status_, WNOHANG) == pid_) {
        ended_ = true;
        break;
      }
      if (Clock::now() >= deadline) break;
      Drain(10);
    }
    Drain(0);
    return ended_;
  }

  int Status() const { return status_; }
  const std::string& Output() {
    Drain(0);
    return output_;
  }

 private:
  // What the process wrote so far; its own children may keep the pipe open after it ended.
  void Drain(int waitMs) {
    pollfd p{out_, POLLIN, 0};
    if (out_ < 0 || poll(&p, 1, waitMs) <= 0) return;
    char buffer[4096];
    ssize_t n;
    while ((n = read(out_, buffer, sizeof buffer)) > 0) output_.append(buffer, static_cast<std::size_t>(n));
  }

  pid_t pid_ = -1;
  int out_ = -1;
  bool ownGroup_ = false;
  bool ended_ = false;
  int status_ = 0;
  std::string output_;
};

std::string Describe(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return std::string("killed by ") + strsignal(WTERMSIG(status));
  return "status " + std::to_string(status);
}

// The program on a given X server, SDL left to find it as it finds a desktop.
std::vector<std::string> ProgramEnvironment(const std::string& display) {
  return Environment({{"DISPLAY", display}, {"WAYLAND_DISPLAY", ""}, {"SDL_VIDEODRIVER", ""}, {"VW_DISPLAY", ""}});
}

bool WindowShown(const std::string& display, const std::string& authority = {}) {
  std::string env = "DISPLAY=" + display + (authority.empty() ? "" : " XAUTHORITY='" + authority + "'");
  return !Shell(env + " xdotool search --onlyvisible --class '" + kWindowClass + "'").empty();
}

// Tests that need real windows say why they cannot run, once for all.
std::string MissingTools(std::initializer_list<const char*> tools) {
  for (const char* tool : tools)
    if (!OnPath(tool)) return std::string(tool) + " is not installed";
  return {};
}

TEST(Program, WithoutADisplayEndsWithOneClearLine) {
  struct Case {
    const char* display;  // empty: not set
    const char* says;
  } cases[] = {{"", "no display to show windows on (DISPLAY is not set)"},
               {":4095", "cannot open the display :4095"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(*c.display ? c.display : "DISPLAY not set");
    Process program({VW_PROGRAM}, ProgramEnvironment(c.display));
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(program.WaitEnd(10000));
    EXPECT_EQ(Describe(program.Status()), "exit status 1");
    const std::string& out = program.Output();
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << out;
    EXPECT_NE(out.find(c.says), std::string::npos) << out;
    EXPECT_NE(out.find("scripts/run"), std::string::npos) << out;
  }
}

TEST(Program, EndsAtOnceWhenItsXServerIsKilled) {
  if (std::string why = MissingTools({"Xvfb", "xdotool"}); !why.empty()) GTEST_SKIP() << why;
  // The server is killed at different moments after the window appears, politely and not.
  struct Round {
    int signal;
    int afterMs;
  } rounds[] = {{SIGTERM, 0}, {SIGKILL, 0}, {SIGTERM, 150}, {SIGKILL, 150}, {SIGTERM, 400}, {SIGKILL, 400}};
  for (const Round& r : rounds) {
    SCOPED_TRACE(std::string(strsignal(r.signal)) + " " + std::to_string(r.afterMs) + " ms after the window showed");
    XServer server;
    ASSERT_EQ(server.Start(true), "");
    Process program({VW_PROGRAM}, ProgramEnvironment(server.Name()));
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Eventually([&] { return WindowShown(server.Name()); }, 10000)) << program.Output();
    std::this_thread::sleep_for(std::chrono::milliseconds(r.afterMs));
    kill(server.Pid(), r.signal);
    ASSERT_TRUE(program.WaitEnd(kPromptEndMs)) << "still running " << kPromptEndMs << " ms after its X server went away";
    EXPECT_TRUE(WIFEXITED(program.Status()) && WEXITSTATUS(program.Status()) != 0) << Describe(program.Status());
    EXPECT_NE(program.Output().find("lost the connection to the display " + server.Name()), std::string::npos)
        << program.Output();
    server.Stop();
  }
}

TEST(Program, CtrlCAndSigtermEndItThroughItsMessageLoop) {
  if (std::string why = MissingTools({"Xvfb", "xdotool"}); !why.empty()) GTEST_SKIP() << why;
  XServer server;
  ASSERT_EQ(server.Start(true), "");
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(strsignal(signal));
    Process program({VW_PROGRAM}, ProgramEnvironment(server.Name()));
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(Eventually([&] { return WindowShown(server.Name()); }, 10000)) << program.Output();
    program.Signal(signal);
    ASSERT_TRUE(program.WaitEnd(kPromptEndMs)) << "still running " << kPromptEndMs << " ms after " << strsignal(signal);
    // Status 0 is what the message loop returns; the signal's own action would have killed it.
    EXPECT_EQ(Describe(program.Status()), "exit status 0");
    EXPECT_EQ(program.Output(), "");
    EXPECT_TRUE(Eventually([&] { return !WindowShown(server.Name()); }, 2000));
  }
  server.Stop();
}

// The program a script started, found by the path it was started as, from the folder it ran in.
pid_t FindProgram(const fs::path& folder, const std::string& path) {
  for (const auto& entry : fs::directory_iterator("/proc")) {
    std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream in(entry.path() / "cmdline", std::ios::binary);
    std::string argv0;
    std::getline(in, argv0, '\0');
    std::error_code error;
    if (argv0 == path && fs::read_symlink(entry.path() / "cwd", error) == folder)
      return static_cast<pid_t>(std::stol(name));
  }
  return 0;
}

std::string EnvironmentOf(pid_t pid, const std::string& name) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/environ", std::ios::binary);
  std::string entry;
  while (std::getline(in, entry, '\0'))
    if (entry.rfind(name + "=", 0) == 0) return entry.substr(name.size() + 1);
  return {};
}

void WriteScript(const fs::path& path, const std::string& text) {
  std::ofstream(path) << text;
  fs::permissions(path, fs::perms::owner_all);
}

// scripts/run as it stands, in a copy of the tree where installing and building are done and
// the program is the one built here, with no display: it starts the program under Xvfb.
TEST(RunScript, PassesCtrlCAndSigtermOnAndLeavesNoTemporaryDisplay) {
  if (std::string why = MissingTools({"Xvfb", "xvfb-run", "xdotool", "setsid", "bash"}); !why.empty())
    GTEST_SKIP() << why;
  struct Case {
    int signal;
    bool group;  // to the script's process group, as a terminal's Ctrl+C goes; else to the script alone
  } cases[] = {{SIGINT, true}, {SIGTERM, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(strsignal(c.signal)) + (c.group ? " to the process group" : " to the script"));
    std::string made = testsupport::TempDir("run-script");
    ASSERT_FALSE(made.empty());
    const fs::path root = fs::canonical(made);
    fs::create_directories(root / "scripts");
    fs::create_directories(root / "bin");
    fs::create_directories(root / "tmp");
    fs::create_directories(root / "build/default/app");
    fs::copy_file(testsupport::SourcePath("scripts/run"), root / "scripts/run");
    WriteScript(root / "scripts/install-deps", "#!/bin/sh\nexit 0\n");
    WriteScript(root / "bin/cmake", "#!/bin/sh\nexit 0\n");
    const fs::path exe = root / "build/default/app/videowall";
    fs::create_symlink(VW_PROGRAM, exe);

    std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    Process script({(root / "scripts/run").string()},
                   Environment({{"DISPLAY", ""},
                                {"WAYLAND_DISPLAY", ""},
                                {"SDL_VIDEODRIVER", ""},
                                {"VW_DISPLAY", ""},
                                {"PATH", (root / "bin").string() + ":" + path},
                                {"TMPDIR", (root / "tmp").string()},
                                {"VW_SCREENSHOT", (root / "screen.png").string()}}),
                   /*ownGroup=*/true);
    ASSERT_TRUE(script.Started());
    pid_t program = 0;
    ASSERT_TRUE(Eventually([&] { return (program = FindProgram(root / "build/default/app", "./videowall")) != 0; }, 15000))
        << script.Output();
    // Whatever goes wrong below, the program ending lets xvfb-run clear up after it.
    struct Reaper {
      pid_t pid;
      ~Reaper() {
        if (pid > 0) kill(pid, SIGKILL);
      }
    } reaper{program};
    std::string display = EnvironmentOf(program, "DISPLAY"), authority = EnvironmentOf(program, "XAUTHORITY");
    ASSERT_FALSE(display.empty());
    ASSERT_TRUE(Eventually([&] { return WindowShown(display, authority); }, 10000)) << script.Output();

    script.Signal(c.signal, c.group);
    ASSERT_TRUE(script.WaitEnd(5000)) << "scripts/run still running 5 s after " << strsignal(c.signal);
    EXPECT_EQ(Describe(script.Status()), "exit status 0") << script.Output();
    if (kill(program, 0) != 0 && errno == ESRCH)
      reaper.pid = 0;
    else
      ADD_FAILURE() << "the program outlived the script";
    EXPECT_TRUE(fs::is_empty(root / "tmp")) << "left behind in TMPDIR: "
                                            << fs::directory_iterator(root / "tmp")->path().filename();
    // The X server ends as well, and takes its lock file with it.
    EXPECT_TRUE(Eventually([&] { return !fs::exists("/tmp/.X" + display.substr(1) + "-lock"); }, 3000));
    EXPECT_EQ(script.Output().find("lost the connection"), std::string::npos) << script.Output();
    fs::remove_all(root);
  }
}

}  // namespace
