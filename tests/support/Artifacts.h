#pragma once
// Where tests leave files worth looking at (screenshots) and find the repository's fixtures.
#include <string>

namespace testsupport {

// A folder under the build tree for screenshots and other artifacts; created on first use.
std::string ArtifactPath(const std::string& fileName);

// A path below the repository root.
std::string SourcePath(const std::string& relative);

// A fresh empty folder of the test's own, removed by nobody: the build tree is thrown away.
std::string TempDir(const std::string& hint);

}  // namespace testsupport
