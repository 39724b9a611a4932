#pragma once
// Where tests leave files worth looking at (screenshots) and find the repository's fixtures.
#include <string>

namespace testsupport {

// A folder under the build tree for screenshots and other artifacts; created on first use.
std::string ArtifactPath(const std::string& fileName);

// A path below the repository root.
std::string SourcePath(const std::string& relative);

// A fresh empty folder of the test's own under the system's temporary folder, removed with all it
// holds when the test program ends.
std::string TempDir(const std::string& hint);

}  // namespace testsupport
