#pragma once
// Profile files (INI files): sections of "key=value" lines, looked up key by key.
//
// Every read looks at the file as it is at that moment and every write lands at once (unless a
// write batch below gathers them), so several readers and writers of one file always agree. A read
// parses the file again only when it changed since it was last parsed (its inode, size or times
// differ, or this process wrote it) or changed within the last two seconds, so reading many keys of
// a file at rest costs one parse. Section and key names compare
// without regard to case and surrounding blanks; values come back with surrounding blanks and one
// pair of enclosing quotes removed. On disk the text is GBK without a byte-order mark; in memory it
// is UTF-8. A missing file reads as empty and is created by the first write. A write rewrites the
// whole file into a temporary file beside it and renames that over the old one, so a crash leaves
// either the old or the new file, never a mixture; lines the write does not touch keep their bytes.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/Types.h"

namespace platform {

// The value of a key, or nothing when the file, the section or the key is missing.
std::optional<std::string> ReadProfileString(const std::string& file, std::string_view section, std::string_view key);
// Section names in file order.
std::vector<std::string> ReadProfileSectionNames(const std::string& file);
// Key names of a section in file order (a line without "=" counts as a key with an empty value).
std::vector<std::string> ReadProfileKeys(const std::string& file, std::string_view section);
// "key=value" for each key of a section, values as a read gives them.
std::vector<std::string> ReadProfileSection(const std::string& file, std::string_view section);

// Sets a key (creating file and section as needed); a null value deletes the key, a null key the
// whole section. Line breaks inside a value are written as blanks, since they would end the line;
// a key holding "=" or a line break, or a section name holding "]" or a line break, is refused.
// Returns false with the platform's last error when the file cannot be written.
bool WriteProfileString(const std::string& file, std::string_view section, const std::string* key, const std::string* value);

// For a handler that writes hundreds of keys in a row, where rewriting the file for each would
// freeze the window: while a batch lives, this thread's writes to its file are kept and land in
// one rewrite when it ends (applied in order to the file as it is then), and this thread's reads
// of the file see them at once. Other threads and processes see the file as it was until then, so
// a batch must not span anything that waits for them. A write that would fail on its own is still
// refused at once; a failing final rewrite is dropped, as a failing write is.
class ProfileWriteBatch {
 public:
  explicit ProfileWriteBatch(std::string file);
  ~ProfileWriteBatch();
  ProfileWriteBatch(const ProfileWriteBatch&) = delete;
  ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

  // The innermost live batch of this thread on `file`, or null.
  static ProfileWriteBatch* For(const std::string& file);

  struct State;
  State& Contents() { return *fState; }

 private:
  std::string fFile;
  std::unique_ptr<State> fState;
  ProfileWriteBatch* fOuter = nullptr;
  bool fActive = false;
  static thread_local ProfileWriteBatch* tCurrent;
};

}  // namespace platform

namespace win {

// With a null section: the section names; with a null key: the key names of the section; each
// name followed by a NUL and the list by another. Otherwise the value or, when missing, the default
// without its trailing blanks. Text that does not fit is cut; the result counts the characters
// copied without the final NUL(s).
DWORD GetPrivateProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR buffer, DWORD size, LPCSTR fileName);
// A decimal number at the start of the value ("0x" for hexadecimal); the default when the key is
// missing, 0 when the value starts with no digit.
UINT GetPrivateProfileInt(LPCSTR appName, LPCSTR keyName, INT defaultValue, LPCSTR fileName);
DWORD GetPrivateProfileSectionNames(LPSTR buffer, DWORD size, LPCSTR fileName);
// "key=value" entries of a section, each followed by a NUL, the list by another.
DWORD GetPrivateProfileSection(LPCSTR appName, LPSTR buffer, DWORD size, LPCSTR fileName);
// A null key deletes the section, a null string the key.
BOOL WritePrivateProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR string, LPCSTR fileName);

}  // namespace win
