#pragma once
// Reading a whole file, and replacing one so that a crash at any moment leaves either the old or
// the new contents under its name.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The file's bytes, or nothing when it cannot be read (errno tells why).
std::optional<std::string> ReadWholeFile(const std::string& path);

// Writes `bytes` to a temporary file in the same folder, flushes it to the disk and renames it
// over `path` (through a symbolic link to its target). An existing file keeps its permissions.
// Returns false with errno set when any step fails; the old file is then untouched.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// Copies the bytes of `source` over `destination` through WriteFileAtomically, so a reader sees
// either the old file or the whole copy. Names are only names: nothing is interpreted by a shell.
// An empty or unreadable source does nothing and answers false; a source that is the destination
// itself (by device and inode) leaves the file as it is and answers true.
bool CopyFileReplacing(const std::string& source, const std::string& destination);

// For tests that stop a writer at a chosen moment: called with the temporary file half written,
// and again with it complete but not yet renamed. Null removes the hook.
enum class AtomicWriteStage { HalfWritten, Written };
void SetAtomicWriteStageHook(void (*hook)(AtomicWriteStage stage));

// Deletes the temporary files of `name` in `dir` that writers killed mid-write left behind (those
// untouched for over a minute). Every successful WriteFileAtomically does this for its file.
void RemoveStaleTemporaries(const std::string& dir, const std::string& name);

}  // namespace platform
