#include "platform/system/Profile.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <unordered_map>

#include "platform/system/AtomicFile.h"
#include "platform/system/CodePage.h"

namespace platform {
namespace {

// Writers in this process take turns, so two file objects writing at once cannot lose a key.
std::mutex& WriteMutex() {
  static std::mutex m;
  return m;
}

// Other processes writing the same file take turns too: an advisory lock on the file's folder
// (the file itself is replaced by every write, so a lock on it would not hold). Without a folder to
// lock the write goes ahead unguarded.
class FolderLock {
 public:
  explicit FolderLock(const std::string& file) {
    size_t slash = file.find_last_of('/');
    std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : file.substr(0, slash);
    fd_ = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ >= 0)
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
  }
  ~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // closing releases the lock
  }
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

locale_t CaseLocale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
    return l ? l : newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(0));
  }();
  return loc;
}

// Next code point of UTF-8 text, malformed bytes one by one.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  unsigned char b = static_cast<unsigned char>(s[i]);
  int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
  if (i + static_cast<size_t>(len) > s.size()) len = 1;
  char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
  for (int k = 1; k < len; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + static_cast<size_t>(k)]) & 0x3F);
  i += static_cast<size_t>(len);
  return c;
}

bool SameName(std::string_view a, std::string_view b) {
  a = TrimView(a);
  b = TrimView(b);
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    char32_t x = NextCodePoint(a, i), y = NextCodePoint(b, j);
    if (x == y) continue;
    if (towlower_l(static_cast<wint_t>(x), CaseLocale()) != towlower_l(static_cast<wint_t>(y), CaseLocale())) return false;
  }
  return i == a.size() && j == b.size();
}

enum class LineKind { Other, Section, Key };

// One line of the file: its bytes as stored (kept for lines a write does not touch) and what it
// means, decoded to UTF-8.
struct Line {
  std::string raw;  // without the line break
  std::string eol;  // "\r\n", "\n" or "" on the last line
  LineKind kind = LineKind::Other;
  std::string name;   // section or key name, trimmed
  std::string value;  // raw value text after "=", UTF-8
  bool hasEquals = false;
};

struct ProfileFile {
  std::vector<Line> lines;
};

ProfileFile Parse(const std::string& bytes) {
  ProfileFile f;
  size_t pos = 0;
  bool inSection = false;
  while (pos < bytes.size()) {
    size_t nl = bytes.find('\n', pos);
    Line line;
    if (nl == std::string::npos) {
      line.raw = bytes.substr(pos);
      pos = bytes.size();
    } else {
      line.raw = bytes.substr(pos, nl - pos);
      line.eol = "\n";
      pos = nl + 1;
    }
    if (!line.raw.empty() && line.raw.back() == '\r') {
      line.raw.pop_back();
      line.eol = "\r" + line.eol;
    }
    // GBK trail bytes include '[' and ']' but never '=' or a line break; decoding first keeps a
    // Chinese section name from ending early.
    bool ascii = std::all_of(line.raw.begin(), line.raw.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    std::string text = ascii ? line.raw : GbkToUtf8(line.raw);
    std::string_view t = TrimView(text);
    if (!t.empty() && t.front() == '[') {
      size_t close = t.find(']');
      line.kind = LineKind::Section;
      line.name = std::string(TrimView(t.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
      inSection = true;
    } else if (inSection && !t.empty() && t.front() != ';') {
      line.kind = LineKind::Key;
      size_t eq = t.find('=');
      line.hasEquals = eq != std::string_view::npos;
      line.name = std::string(TrimView(t.substr(0, eq)));
      if (line.hasEquals) line.value = std::string(t.substr(eq + 1));
    }
    f.lines.push_back(std::move(line));
  }
  return f;
}

// Index range [begin, end) of a section's body (after its header), or nothing.
struct SectionRange {
  size_t header, begin, end;
};

std::optional<SectionRange> FindSection(const ProfileFile& f, std::string_view section) {
  for (size_t i = 0; i < f.lines.size(); ++i) {
    if (f.lines[i].kind != LineKind::Section || !SameName(f.lines[i].name, section)) continue;
    size_t j = i + 1;
    while (j < f.lines.size() && f.lines[j].kind != LineKind::Section) ++j;
    return SectionRange{i, i + 1, j};
  }
  return std::nullopt;
}

std::optional<size_t> FindKey(const ProfileFile& f, const SectionRange& r, std::string_view key) {
  for (size_t i = r.begin; i < r.end; ++i)
    if (f.lines[i].kind == LineKind::Key && SameName(f.lines[i].name, key)) return i;
  return std::nullopt;
}

// A name as lookups compare it: without its surrounding blanks, each character in lower case. Two
// names compare equal exactly when their folded forms are the same bytes.
std::string Folded(std::string_view name) {
  name = TrimView(name);
  std::string out;
  out.reserve(name.size());
  for (size_t i = 0; i < name.size();)
    AppendUtf8(out, static_cast<char32_t>(towlower_l(static_cast<wint_t>(NextCodePoint(name, i)), CaseLocale())));
  return out;
}

// A parsed file with what its lookups need: the first section of each name, and each key of those
// sections by section and key name (the first of a name, as FindSection and FindKey find them).
struct IndexedFile {
  ProfileFile file;
  std::unordered_map<std::string, SectionRange> sections;
  std::unordered_map<std::string, size_t> keys;  // folded section, NUL, folded key

  explicit IndexedFile(ProfileFile parsed) : file(std::move(parsed)) {
    const std::vector<Line>& lines = file.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].kind != LineKind::Section) continue;
      size_t end = i + 1;
      while (end < lines.size() && lines[end].kind != LineKind::Section) ++end;
      std::string section = Folded(lines[i].name);
      if (sections.emplace(section, SectionRange{i, i + 1, end}).second)
        for (size_t k = i + 1; k < end; ++k)
          if (lines[k].kind == LineKind::Key) keys.emplace(section + '\0' + Folded(lines[k].name), k);
      i = end - 1;
    }
  }
  const SectionRange* FindSection(std::string_view section) const {
    auto it = sections.find(Folded(section));
    return it == sections.end() ? nullptr : &it->second;
  }
};

// Which file a path names and how it last changed. A file changed in any way through its path, in
// place or replaced, has another identity: its size, times or inode differ.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{}, changed{};
  bool operator==(const FileIdentity& o) const {
    return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
           modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
           changed.tv_nsec == o.changed.tv_nsec;
  }
};

std::optional<FileIdentity> IdentityOf(const std::string& file) {
  struct stat st;
  if (::stat(file.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

// Whether a file's content changed so long ago that a change now would give it another time. File
// times tick coarsely (milliseconds on Linux's own file systems, two seconds on FAT), so a file
// written in the same tick as it was read could change again without its identity showing it.
bool Settled(const FileIdentity& id) {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  auto ms = [](const timespec& t) { return std::int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1000000; };
  return ms(now) - ms(id.modified) > 2000;
}

// The files read lately, parsed. The consoles read one key at a time, a grid repaint hundreds of
// them, and parsing the whole file for each would dominate. Every read still sees the file as it
// is: it asks the file system for the file's identity, and a file whose identity changed, or that
// changed within the last moments (when its identity may not show a further change), is read
// again. Its bytes then decide: the same bytes keep their parse, so a repaint right after a write
// reads the file 225 times but parses it once. Every write through this layer forgets the file.
class ReadCache {
 public:
  std::shared_ptr<const IndexedFile> Get(const std::string& file) {
    std::optional<FileIdentity> id = IdentityOf(file);
    if (!id) {
      Forget(file);
      return nullptr;
    }
    const bool settled = Settled(*id);
    {
      std::lock_guard lock(mutex_);
      if (Entry* e = Find(file); e && e->trusted && e->id == *id) return e->parsed;
    }
    // Read after the identity was taken: a change in between only makes the next read look again.
    std::optional<std::string> bytes = ReadWholeFile(file);
    if (!bytes) return nullptr;
    std::lock_guard lock(mutex_);
    if (Entry* e = Find(file); e && e->bytes == *bytes) {
      e->id = *id;
      // Bytes read once the file had settled stay right for as long as its identity does.
      e->trusted = settled;
      return e->parsed;
    }
    auto parsed = std::make_shared<const IndexedFile>(Parse(*bytes));
    std::erase_if(entries_, [&](const Entry& e) { return e.file == file; });
    entries_.insert(entries_.begin(), Entry{file, *id, parsed, std::move(*bytes), settled});
    if (entries_.size() > kEntries) entries_.pop_back();
    return parsed;
  }
  void Forget(const std::string& file) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& e) { return e.file == file; });
  }

 private:
  static constexpr size_t kEntries = 8;
  struct Entry {
    std::string file;
    FileIdentity id;
    std::shared_ptr<const IndexedFile> parsed;
    std::string bytes;
    bool trusted = false;  // its identity alone answers for its bytes
  };
  // The file's entry, moved to the front as the latest read.
  Entry* Find(const std::string& file) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (it->file == file) {
        std::rotate(entries_.begin(), it, it + 1);
        return &entries_.front();
      }
    return nullptr;
  }
  std::mutex mutex_;
  std::vector<Entry> entries_;  // the latest read first
};

// Never destroyed: a profile read from another static's destructor still finds it.
ReadCache& Cache() {
  static ReadCache* cache = new ReadCache;
  return *cache;
}

std::string CleanValue(std::string_view v) {
  v = TrimView(v);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return std::string(v);
}

std::string Serialize(const ProfileFile& f) {
  std::string out;
  for (const Line& l : f.lines) out += l.raw + l.eol;
  return out;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

}  // namespace

namespace {

// One write as the caller gave it; a null key deletes the section, a null value the key.
struct ProfileWrite {
  std::string section;
  std::optional<std::string> key, value;
};

bool IsWritable(const ProfileWrite& w) {
  return !HasLineBreak(w.section) && w.section.find(']') == std::string::npos &&
         !(w.key && (HasLineBreak(*w.key) || w.key->find('=') != std::string::npos || TrimView(*w.key).empty()));
}

// Applies a write to a parsed file, keeping the decoded fields of the lines it makes or changes in
// step with their bytes, so that further writes and reads of the same parsed file find them.
void Apply(ProfileFile& f, const ProfileWrite& w) {
  std::optional<SectionRange> r = FindSection(f, w.section);
  if (!w.key) {
    if (!r) return;
    f.lines.erase(f.lines.begin() + static_cast<std::ptrdiff_t>(r->header), f.lines.begin() + static_cast<std::ptrdiff_t>(r->end));
    return;
  }
  if (!w.value) {
    if (!r) return;
    std::optional<size_t> k = FindKey(f, *r, *w.key);
    if (k) f.lines.erase(f.lines.begin() + static_cast<std::ptrdiff_t>(*k));
    return;
  }
  std::string v = *w.value;
  std::replace(v.begin(), v.end(), '\r', ' ');
  std::replace(v.begin(), v.end(), '\n', ' ');
  const std::string gbkValue = Utf8ToGbk(v);
  // A new line takes the file's own line break.
  std::string eol = "\r\n";
  for (const Line& l : f.lines)
    if (!l.eol.empty()) {
      eol = l.eol;
      break;
    }
  // Only the last line can lack a line break; it gets one when a line is added after it, and a
  // rewrite elsewhere leaves the file's end as it was.
  auto endLineBefore = [&](size_t at) {
    if (at > 0 && f.lines[at - 1].eol.empty()) f.lines[at - 1].eol = eol;
  };
  std::optional<size_t> k = r ? FindKey(f, *r, *w.key) : std::nullopt;
  if (k) {
    Line& l = f.lines[*k];
    size_t eq = l.raw.find('=');
    l.raw = (eq == std::string::npos ? l.raw : l.raw.substr(0, eq)) + "=" + gbkValue;
    l.value = v;
    l.hasEquals = true;
    return;
  }
  Line nl;
  nl.raw = Utf8ToGbk(*w.key) + "=" + gbkValue;
  nl.eol = eol;
  nl.kind = LineKind::Key;
  nl.name = std::string(TrimView(*w.key));
  nl.value = v;
  nl.hasEquals = true;
  if (r) {
    // After the section's last non-blank line, so blank lines keep separating sections.
    size_t at = r->end;
    while (at > r->begin && TrimView(f.lines[at - 1].raw).empty()) --at;
    endLineBefore(at);
    f.lines.insert(f.lines.begin() + static_cast<std::ptrdiff_t>(at), nl);
  } else {
    endLineBefore(f.lines.size());
    Line header;
    header.raw = "[" + Utf8ToGbk(w.section) + "]";
    header.eol = eol;
    header.kind = LineKind::Section;
    header.name = std::string(TrimView(w.section));
    f.lines.push_back(header);
    f.lines.push_back(nl);
  }
}

// Applies writes to the file as it is now and replaces it once.
bool WriteAll(const std::string& file, const std::vector<ProfileWrite>& writes) {
  std::lock_guard lock(WriteMutex());
  FolderLock folderLock(file);
  ProfileFile f;
  if (std::optional<std::string> bytes = ReadWholeFile(file)) {
    f = Parse(*bytes);
  } else if (errno != ENOENT) {
    return false;
  }
  for (const ProfileWrite& w : writes) Apply(f, w);
  const bool written = WriteFileAtomically(file, Serialize(f));
  const int saved = errno;
  Cache().Forget(file);
  errno = saved;
  return written;
}

}  // namespace

// The batch of this thread, innermost first through each batch's outer one.
thread_local ProfileWriteBatch* ProfileWriteBatch::tCurrent = nullptr;

struct ProfileWriteBatch::State {
  std::vector<ProfileWrite> writes;
  // The file as the writes so far leave it, made at the first read (reads during the batch see
  // the writes as if each had landed), and its index, made again at a read after a write.
  std::optional<ProfileFile> view;
  bool viewMade = false;
  std::shared_ptr<const IndexedFile> indexed;

  std::shared_ptr<const IndexedFile> Current(const std::string& file) {
    if (!viewMade) {
      if (std::shared_ptr<const IndexedFile> onDisk = Cache().Get(file)) view = onDisk->file;
      if (!view && !writes.empty()) view = ProfileFile{};
      if (view)
        for (const ProfileWrite& w : writes) Apply(*view, w);
      viewMade = true;
    }
    if (!indexed && view) indexed = std::make_shared<const IndexedFile>(*view);
    return indexed;
  }
  void Add(ProfileWrite w) {
    if (viewMade) {
      if (!view) view = ProfileFile{};
      Apply(*view, w);
      indexed.reset();
    }
    writes.push_back(std::move(w));
  }
};

ProfileWriteBatch::ProfileWriteBatch(std::string file) : fFile(std::move(file)), fState(std::make_unique<State>()) {
  // Inside a batch on the same file this one adds nothing: the writes keep their order in the
  // outer one.
  if (For(fFile)) return;
  fOuter = tCurrent;
  tCurrent = this;
  fActive = true;
}

ProfileWriteBatch::~ProfileWriteBatch() {
  if (!fActive) return;
  tCurrent = fOuter;
  if (!fState->writes.empty()) WriteAll(fFile, fState->writes);
}

ProfileWriteBatch* ProfileWriteBatch::For(const std::string& file) {
  for (ProfileWriteBatch* b = tCurrent; b; b = b->fOuter)
    if (b->fFile == file) return b;
  return nullptr;
}

namespace {

// The file as this thread's reads see it: with the writes of a batch on it.
std::shared_ptr<const IndexedFile> Current(const std::string& file) {
  if (ProfileWriteBatch* batch = ProfileWriteBatch::For(file)) return batch->Contents().Current(file);
  return Cache().Get(file);
}

}  // namespace

std::optional<std::string> ReadProfileString(const std::string& file, std::string_view section, std::string_view key) {
  std::shared_ptr<const IndexedFile> f = Current(file);
  if (!f) return std::nullopt;
  std::string name = Folded(section);
  name += '\0';
  name += Folded(key);
  auto it = f->keys.find(name);
  if (it == f->keys.end()) return std::nullopt;
  return CleanValue(f->file.lines[it->second].value);
}

std::vector<std::string> ReadProfileSectionNames(const std::string& file) {
  std::vector<std::string> names;
  if (std::shared_ptr<const IndexedFile> f = Current(file))
    for (const Line& l : f->file.lines)
      if (l.kind == LineKind::Section) names.push_back(l.name);
  return names;
}

std::vector<std::string> ReadProfileKeys(const std::string& file, std::string_view section) {
  std::vector<std::string> keys;
  std::shared_ptr<const IndexedFile> f = Current(file);
  if (!f) return keys;
  if (const SectionRange* r = f->FindSection(section))
    for (size_t i = r->begin; i < r->end; ++i)
      if (f->file.lines[i].kind == LineKind::Key) keys.push_back(f->file.lines[i].name);
  return keys;
}

std::vector<std::string> ReadProfileSection(const std::string& file, std::string_view section) {
  std::vector<std::string> entries;
  std::shared_ptr<const IndexedFile> f = Current(file);
  if (!f) return entries;
  if (const SectionRange* r = f->FindSection(section))
    for (size_t i = r->begin; i < r->end; ++i) {
      const Line& l = f->file.lines[i];
      if (l.kind == LineKind::Key) entries.push_back(l.name + "=" + CleanValue(l.value));
    }
  return entries;
}

bool WriteProfileString(const std::string& file, std::string_view section, const std::string* key, const std::string* value) {
  ProfileWrite w{std::string(section), key ? std::optional(*key) : std::nullopt, value ? std::optional(*value) : std::nullopt};
  if (!IsWritable(w)) {
    errno = EINVAL;
    return false;
  }
  if (ProfileWriteBatch* batch = ProfileWriteBatch::For(file)) {
    batch->Contents().Add(std::move(w));
    return true;
  }
  return WriteAll(file, {w});
}

}  // namespace platform

namespace win {
namespace {

// Copies a NUL-separated list, cut to fit as the platform cuts it; returns the count without the
// final NULs.
DWORD CopyList(const std::vector<std::string>& items, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  if (size == 1) {
    buffer[0] = 0;
    return 0;
  }
  DWORD pos = 0;
  for (const std::string& s : items) {
    if (pos + s.size() + 1 > size - 1) {
      // Does not fit: as much as fits, then the two terminating NULs.
      DWORD room = size - 2 > pos ? size - 2 - pos : 0;
      std::memcpy(buffer + pos, s.data(), std::min<size_t>(room, s.size()));
      buffer[size - 2] = 0;
      buffer[size - 1] = 0;
      return size - 2;
    }
    std::memcpy(buffer + pos, s.data(), s.size());
    pos += static_cast<DWORD>(s.size());
    buffer[pos++] = 0;
  }
  buffer[pos] = 0;
  if (pos == 0 && size > 1) buffer[1] = 0;
  return pos == 0 ? 0 : pos;
}

DWORD CopyString(const std::string& s, LPSTR buffer, DWORD size) {
  if (!buffer || size == 0) return 0;
  size_t n = std::min<size_t>(s.size(), size - 1);
  // Never end inside a character.
  while (n > 0 && n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  std::memcpy(buffer, s.data(), n);
  buffer[n] = 0;
  return static_cast<DWORD>(n);
}

std::string File(LPCSTR fileName) { return fileName ? fileName : ""; }

}  // namespace

DWORD GetPrivateProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR defaultValue, LPSTR buffer, DWORD size, LPCSTR fileName) {
  const std::string file = File(fileName);
  if (!appName) {
    return CopyList(platform::ReadProfileSectionNames(file), buffer, size);
  }
  if (!keyName) return CopyList(platform::ReadProfileKeys(file, appName), buffer, size);
  if (std::optional<std::string> v = platform::ReadProfileString(file, appName, keyName)) {
    SetLastError(ERROR_SUCCESS);
    return CopyString(*v, buffer, size);
  }
  std::string def = defaultValue ? defaultValue : "";
  while (!def.empty() && def.back() == ' ') def.pop_back();
  SetLastError(ERROR_FILE_NOT_FOUND);
  return CopyString(def, buffer, size);
}

UINT GetPrivateProfileInt(LPCSTR appName, LPCSTR keyName, INT defaultValue, LPCSTR fileName) {
  if (!appName || !keyName) return static_cast<UINT>(defaultValue);
  std::optional<std::string> v = platform::ReadProfileString(File(fileName), appName, keyName);
  if (!v) return static_cast<UINT>(defaultValue);
  const char* s = v->c_str();
  bool hex = s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
  return static_cast<UINT>(std::strtol(hex ? s + 2 : s, nullptr, hex ? 16 : 10));
}

DWORD GetPrivateProfileSectionNames(LPSTR buffer, DWORD size, LPCSTR fileName) {
  return CopyList(platform::ReadProfileSectionNames(File(fileName)), buffer, size);
}

DWORD GetPrivateProfileSection(LPCSTR appName, LPSTR buffer, DWORD size, LPCSTR fileName) {
  if (!appName) return CopyList({}, buffer, size);
  return CopyList(platform::ReadProfileSection(File(fileName), appName), buffer, size);
}

BOOL WritePrivateProfileString(LPCSTR appName, LPCSTR keyName, LPCSTR string, LPCSTR fileName) {
  if (!appName || !fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::string key = keyName ? keyName : "";
  std::string value = string ? string : "";
  if (!platform::WriteProfileString(fileName, appName, keyName ? &key : nullptr, string ? &value : nullptr)) {
    int e = errno;
    SetLastError(e == EACCES || e == EPERM || e == EROFS ? ERROR_ACCESS_DENIED
                 : e == ENOENT || e == ENOTDIR       ? ERROR_PATH_NOT_FOUND
                 : e == EINVAL                        ? ERROR_INVALID_PARAMETER
                                                      : ERROR_GEN_FAILURE);
    return FALSE;
  }
  SetLastError(ERROR_SUCCESS);
  return TRUE;
}

}  // namespace win
