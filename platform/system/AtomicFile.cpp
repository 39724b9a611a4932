#include "platform/system/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

namespace platform {

std::optional<std::string> ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string data;
  char buf[65536];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      ::close(fd);
      errno = saved;
      return std::nullopt;
    }
    if (n == 0) break;
    data.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return data;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

namespace {
void (*gStageHook)(AtomicWriteStage) = nullptr;
}  // namespace

void SetAtomicWriteStageHook(void (*hook)(AtomicWriteStage stage)) { gStageHook = hook; }

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  // Replace the target of a link, not the link itself.
  std::string target = path;
  char resolved[PATH_MAX];
  struct stat old {};
  bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && ::realpath(path.c_str(), resolved)) target = resolved;

  std::string dir = ".";
  size_t slash = target.find_last_of('/');
  if (slash != std::string::npos) dir = slash == 0 ? "/" : target.substr(0, slash);
  std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string tmp = dir + "/." + name + ".XXXXXX";
  int fd = ::mkstemp(tmp.data());
  if (fd < 0) return false;
  // mkstemp makes the file private; a new profile file gets the usual permissions instead.
  mode_t mode = exists ? (old.st_mode & 07777) : 0644;
  // Written in two halves so that a test can stop the writer between them.
  const size_t half = bytes.size() / 2;
  bool ok = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes.substr(0, half));
  if (ok && gStageHook) gStageHook(AtomicWriteStage::HalfWritten);
  ok = ok && WriteAll(fd, bytes.substr(half)) && ::fsync(fd) == 0;
  if (ok && gStageHook) gStageHook(AtomicWriteStage::Written);
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(tmp.c_str(), target.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    errno = saved;
    return false;
  }
  // Make the rename itself durable.
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  RemoveStaleTemporaries(dir, name);
  return true;
}

bool CopyFileReplacing(const std::string& source, const std::string& destination) {
  if (source.empty()) return false;
  struct stat from {}, to {};
  if (::stat(source.c_str(), &from) != 0) return false;
  if (::stat(destination.c_str(), &to) == 0 && from.st_dev == to.st_dev && from.st_ino == to.st_ino) return true;
  std::optional<std::string> bytes = ReadWholeFile(source);
  return bytes && WriteFileAtomically(destination, *bytes);
}

void RemoveStaleTemporaries(const std::string& dir, const std::string& name) {
  // A writer that died mid-write leaves its temporary file behind. One that has not changed for a
  // minute belongs to no living writer (a write takes milliseconds), so it can go.
  const std::string prefix = "." + name + ".";
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  time_t now = ::time(nullptr);
  while (dirent* e = ::readdir(d)) {
    std::string entry = e->d_name;
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) continue;
    std::string full = dir + "/" + entry;
    struct stat st {};
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && now - st.st_mtime > 60) ::unlink(full.c_str());
  }
  ::closedir(d);
}

}  // namespace platform
