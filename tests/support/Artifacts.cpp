#include "tests/support/Artifacts.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace testsupport {

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
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}

}  // namespace testsupport
