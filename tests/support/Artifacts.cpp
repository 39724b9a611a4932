#include "tests/support/Artifacts.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace testsupport {
namespace {

// The folders this program made, gone when it ends. A child forked from it (tests of several
// writers, of a killed one) leaves them to the parent, which may still be using them.
class MadeFolders {
 public:
  ~MadeFolders() {
    if (::getpid() != owner_) return;
    for (const std::string& dir : dirs_) {
      std::error_code ignored;
      std::filesystem::remove_all(dir, ignored);
    }
  }
  void Add(const std::string& dir) {
    std::lock_guard lock(mutex_);
    dirs_.push_back(dir);
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> dirs_;
  const pid_t owner_ = ::getpid();
};

MadeFolders& Made() {
  static MadeFolders made;
  return made;
}

}  // namespace

std::string ArtifactPath(const std::string& fileName) {
  const char* dir = std::getenv("VW_ARTIFACT_DIR");
  std::filesystem::path base = dir && *dir ? dir : VW_ARTIFACT_DIR;
  // A name may hold sub-folders ("skins/Foggy.png"); a fresh build has none of them yet.
  std::filesystem::path path = base / fileName;
  std::filesystem::create_directories(path.parent_path());
  return path.string();
}

std::string SourcePath(const std::string& relative) {
  const char* dir = std::getenv("VW_SOURCE_DIR");
  return (std::filesystem::path(dir && *dir ? dir : VW_SOURCE_DIR) / relative).string();
}

std::string TempDir(const std::string& hint) {
  std::string pattern = (std::filesystem::temp_directory_path() / ("vw-" + hint + "-XXXXXX")).string();
  MadeFolders& made = Made();  // before the folder: it then outlives what is made to use the folder
  if (!mkdtemp(pattern.data())) return {};
  made.Add(pattern);
  return pattern;
}

}  // namespace testsupport
