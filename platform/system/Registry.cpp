#include "platform/system/Registry.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "platform/system/AtomicFile.h"
#include "platform/system/HandleTable.h"

namespace platform {
namespace {

// ---- Serial devices -------------------------------------------------------------------------------

std::mutex gSerialMutex;
std::string gSysClassTty;
std::string gDevDir;

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

std::string ReadSmallFile(const std::string& path) {
  std::ifstream in(path);
  std::string s;
  std::getline(in, s);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

struct SerialDevice {
  std::string name;
  std::string prefix;
  long number = 0;
  int rank = 3;
};

// ---- The store ----------------------------------------------------------------------------------

struct Value {
  std::string name;
  win::DWORD type = win::REG_NONE;
  std::string data;
};

struct Key {
  std::string path;  // as first written, "HKEY_CURRENT_USER\Software\..."
  std::vector<Value> values;
};

using KeyMap = std::map<std::string, Key>;  // by lower-case path

struct Store {
  std::mutex mutex;
  std::string path;
  bool loaded = false;
  KeyMap keys;
};

Store& TheStore() {
  static Store s;
  return s;
}

std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return s;
}

bool SameText(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

std::string Hex(const std::string& s) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : s) {
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 15]);
  }
  return out;
}

std::optional<std::string> Unhex(const std::string& s) {
  if (s.size() % 2) return std::nullopt;
  std::string out;
  for (size_t i = 0; i < s.size(); i += 2) {
    auto nib = [](char c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      return -1;
    };
    int hi = nib(s[i]), lo = nib(s[i + 1]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out.push_back(static_cast<char>(hi * 16 + lo));
  }
  return out;
}

std::string DefaultStorePath() {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  std::string base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : "/tmp") + "/.config";
  }
  return base + "/videowall/registry";
}

// The store holds one "[key path]" line per key, then "hexname=type:hexdata" per value.
void LoadLocked(Store& s) {
  if (s.loaded) return;
  s.loaded = true;
  s.keys.clear();
  if (s.path.empty()) s.path = DefaultStorePath();
  std::optional<std::string> bytes = ReadWholeFile(s.path);
  if (!bytes) return;
  Key* current = nullptr;
  size_t pos = 0;
  while (pos < bytes->size()) {
    size_t nl = bytes->find('\n', pos);
    std::string line = bytes->substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
    pos = nl == std::string::npos ? bytes->size() : nl + 1;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      std::string path = line.substr(1, line.size() - 2);
      Key& k = s.keys[Lower(path)];
      k.path = path;
      current = &k;
      continue;
    }
    size_t eq = line.find('='), colon = line.find(':', eq == std::string::npos ? 0 : eq);
    if (!current || eq == std::string::npos || colon == std::string::npos) continue;
    std::optional<std::string> name = Unhex(line.substr(0, eq));
    std::optional<std::string> data = Unhex(line.substr(colon + 1));
    if (!name || !data) continue;
    current->values.push_back(Value{*name, static_cast<win::DWORD>(std::strtoul(line.c_str() + eq + 1, nullptr, 10)), *data});
  }
}

bool MakeFolders(const std::string& file) {
  for (size_t p = file.find('/', 1); p != std::string::npos; p = file.find('/', p + 1)) {
    std::string dir = file.substr(0, p);
    if (::mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

bool SaveLocked(Store& s, const KeyMap& keys) {
  std::string out;
  for (const auto& [lower, k] : keys) {
    out += "[" + k.path + "]\n";
    for (const Value& v : k.values) out += Hex(v.name) + "=" + std::to_string(v.type) + ":" + Hex(v.data) + "\n";
  }
  return MakeFolders(s.path) && WriteFileAtomically(s.path, out);
}

// ---- Open keys ----------------------------------------------------------------------------------

struct OpenKey {
  std::string path;
  bool writable = true;
  bool hardware = false;  // a read-only key built from the machine
  std::vector<Value> values;          // of a hardware key, as of opening
  std::vector<std::string> subKeys;   // of a hardware key
};

HandleTable<OpenKey>& Keys() {
  static HandleTable<OpenKey> table(HandleKind::Key);
  return table;
}

const char* RootName(win::HKEY key) {
  switch (reinterpret_cast<std::uintptr_t>(key)) {
    case 0x80000000u: return "HKEY_CLASSES_ROOT";
    case 0x80000001u: return "HKEY_CURRENT_USER";
    case 0x80000002u: return "HKEY_LOCAL_MACHINE";
    case 0x80000003u: return "HKEY_USERS";
    case 0x80000004u: return "HKEY_PERFORMANCE_DATA";
    case 0x80000005u: return "HKEY_CURRENT_CONFIG";
    case 0x80000006u: return "HKEY_DYN_DATA";
    default: return nullptr;
  }
}

// The key's path, or nothing for a stale or foreign handle.
std::optional<std::string> PathOf(win::HKEY key) {
  if (const char* root = RootName(key)) return std::string(root);
  if (OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key))) return k->path;
  return std::nullopt;
}

std::string Join(const std::string& base, const char* sub) {
  std::string out = base;
  if (!sub) return out;
  std::string part;
  for (const char* p = sub;; ++p) {
    if (*p == '\\' || *p == 0) {
      if (!part.empty()) out += "\\" + part;
      part.clear();
      if (*p == 0) break;
    } else {
      part.push_back(*p);
    }
  }
  return out;
}

const std::string kHardware = "hkey_local_machine\\hardware";
const std::string kDeviceMap = "hkey_local_machine\\hardware\\devicemap";
const std::string kSerialComm = "hkey_local_machine\\hardware\\devicemap\\serialcomm";

bool IsHardwarePath(const std::string& lower) {
  return lower == kHardware || lower.rfind(kHardware + "\\", 0) == 0;
}

// Builds the read-only key for a hardware path; nothing when there is no such key.
std::unique_ptr<OpenKey> HardwareKey(const std::string& path) {
  std::string lower = Lower(path);
  auto k = std::make_unique<OpenKey>();
  k->path = path;
  k->writable = false;
  k->hardware = true;
  if (lower == kHardware) {
    k->subKeys = {"DEVICEMAP"};
  } else if (lower == kDeviceMap) {
    k->subKeys = {"SERIALCOMM"};
  } else if (lower == kSerialComm) {
    // The key exists only while some serial port does, as the serial drivers make it.
    std::vector<std::string> devices = SerialDevicePaths();
    if (devices.empty()) return nullptr;
    for (size_t i = 0; i < devices.size(); ++i) {
      std::string name = devices[i].substr(devices[i].find_last_of('/') + 1);
      std::string com = "COM" + std::to_string(i + 1);
      k->values.push_back(Value{"\\Device\\" + name, win::REG_SZ, com + std::string(1, '\0')});
    }
  } else {
    return nullptr;
  }
  return k;
}

bool IsRootPath(const std::string& lower) { return lower.find('\\') == std::string::npos; }

// A stored key exists when it was created or lies on the way to one that was.
bool StoredKeyExists(const KeyMap& keys, const std::string& lower) {
  if (IsRootPath(lower) || keys.count(lower)) return true;
  auto it = keys.lower_bound(lower + "\\");
  return it != keys.end() && it->first.rfind(lower + "\\", 0) == 0;
}

std::vector<std::string> StoredSubKeys(const KeyMap& keys, const std::string& path) {
  std::string prefix = Lower(path) + "\\";
  std::vector<std::string> names;
  for (auto it = keys.lower_bound(prefix); it != keys.end() && it->first.rfind(prefix, 0) == 0; ++it) {
    std::string rest = it->second.path.substr(prefix.size());
    std::string first = rest.substr(0, rest.find('\\'));
    if (names.empty() || !SameText(names.back(), first)) names.push_back(first);
  }
  return names;
}

const Value* FindValue(const std::vector<Value>& values, const char* name) {
  std::string n = name ? name : "";
  for (const Value& v : values)
    if (SameText(v.name, n)) return &v;
  return nullptr;
}

win::LONG CopyData(const std::string& data, win::LPBYTE out, win::LPDWORD size) {
  if (!size) return out ? static_cast<win::LONG>(win::ERROR_INVALID_PARAMETER) : 0;
  win::DWORD have = *size;
  *size = static_cast<win::DWORD>(data.size());
  if (!out) return win::ERROR_SUCCESS;
  if (have < data.size()) return static_cast<win::LONG>(win::ERROR_MORE_DATA);
  std::memcpy(out, data.data(), data.size());
  return win::ERROR_SUCCESS;
}

win::LONG CopyName(const std::string& name, win::LPSTR out, win::LPDWORD size) {
  if (!out || !size) return static_cast<win::LONG>(win::ERROR_INVALID_PARAMETER);
  if (*size < name.size() + 1) return static_cast<win::LONG>(win::ERROR_MORE_DATA);
  std::memcpy(out, name.data(), name.size());
  out[name.size()] = 0;
  *size = static_cast<win::DWORD>(name.size());
  return win::ERROR_SUCCESS;
}

// The values of an open key: a hardware key's own, else the store's.
std::vector<Value> ValuesOf(const OpenKey* k, const std::string& path) {
  if (k && k->hardware) return k->values;
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  LoadLocked(s);
  auto it = s.keys.find(Lower(path));
  return it == s.keys.end() ? std::vector<Value>{} : it->second.values;
}

// Runs a change on a copy of the store and keeps it only once it is on disk.
template <class F>
win::LONG Mutate(F&& change) {
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  LoadLocked(s);
  KeyMap copy = s.keys;
  win::LONG r = change(copy);
  if (r != win::ERROR_SUCCESS) return r;
  if (!SaveLocked(s, copy)) return win::ERROR_ACCESS_DENIED;
  s.keys = std::move(copy);
  return win::ERROR_SUCCESS;
}

win::HKEY AddHandle(std::unique_ptr<OpenKey> k) { return reinterpret_cast<win::HKEY>(Keys().Add(std::move(k))); }

}  // namespace

void SetRegistryStorePath(const std::string& path) {
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  s.path = path;
  s.loaded = false;
  s.keys.clear();
}

std::string RegistryStorePath() {
  Store& s = TheStore();
  std::lock_guard lock(s.mutex);
  return s.path.empty() ? DefaultStorePath() : s.path;
}

void SetSerialDeviceRoots(const std::string& sysClassTty, const std::string& devDir) {
  std::lock_guard lock(gSerialMutex);
  gSysClassTty = sysClassTty;
  gDevDir = devDir;
}

std::vector<std::string> SerialDevicePaths() {
  std::string sys, dev;
  {
    std::lock_guard lock(gSerialMutex);
    sys = gSysClassTty.empty() ? "/sys/class/tty" : gSysClassTty;
    dev = gDevDir.empty() ? "/dev" : gDevDir;
  }
  std::vector<SerialDevice> found;
  if (DIR* d = ::opendir(sys.c_str())) {
    while (dirent* e = ::readdir(d)) {
      std::string name = e->d_name;
      if (name.empty() || name[0] == '.') continue;
      size_t digits = name.find_last_not_of("0123456789");
      if (digits == std::string::npos || digits + 1 == name.size()) continue;
      // Only ports backed by a device: virtual consoles and pseudo-terminals have none.
      if (!Exists(sys + "/" + name + "/device")) continue;
      SerialDevice s;
      s.name = name;
      s.prefix = name.substr(0, digits + 1);
      s.number = std::strtol(name.c_str() + digits + 1, nullptr, 10);
      if (s.prefix == "ttyS") {
        // The kernel lists every possible on-board port; type 0 means no UART answers there.
        std::string type = ReadSmallFile(sys + "/" + name + "/type");
        if (type == "0") continue;
        s.rank = 0;
      } else if (s.prefix == "ttyUSB") {
        s.rank = 1;
      } else if (s.prefix == "ttyACM") {
        s.rank = 2;
      } else if (s.prefix.rfind("tty", 0) != 0 && s.prefix != "rfcomm") {
        continue;
      }
      if (!Exists(dev + "/" + name)) continue;
      found.push_back(s);
    }
    ::closedir(d);
  }
  std::sort(found.begin(), found.end(), [](const SerialDevice& a, const SerialDevice& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    return a.number < b.number;
  });
  std::vector<std::string> paths;
  for (const SerialDevice& s : found) paths.push_back(dev + "/" + s.name);
  return paths;
}

std::vector<std::string> SerialPortNames() {
  std::vector<std::string> names;
  size_t n = SerialDevicePaths().size();
  for (size_t i = 1; i <= n; ++i) names.push_back("COM" + std::to_string(i));
  return names;
}

std::string SerialPortPath(const std::string& comName) {
  std::string rest = comName;
  bool device = false;
  if (rest.rfind("\\\\.\\", 0) == 0 || rest.rfind("//./", 0) == 0) {
    rest = rest.substr(4);
    device = true;
  }
  if (rest.size() > 3 && (rest[0] == 'C' || rest[0] == 'c') && (rest[1] == 'O' || rest[1] == 'o') &&
      (rest[2] == 'M' || rest[2] == 'm') && rest.find_first_not_of("0123456789", 3) == std::string::npos) {
    long n = std::strtol(rest.c_str() + 3, nullptr, 10);
    std::vector<std::string> paths = SerialDevicePaths();
    if (n >= 1 && static_cast<size_t>(n) <= paths.size()) return paths[static_cast<size_t>(n - 1)];
    return std::string();
  }
  if (!rest.empty() && rest[0] == '/') return rest;
  if (device && !rest.empty()) return "/" + rest;
  return std::string();
}

}  // namespace platform

namespace win {

using platform::HardwareKey;
using platform::IsHardwarePath;
using platform::Keys;
using platform::Lower;
using platform::OpenKey;
using platform::PathOf;

LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD, REGSAM desired, PHKEY result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::optional<std::string> base = PathOf(key);
  if (!base) return ERROR_INVALID_HANDLE;
  std::string path = platform::Join(*base, subKey);
  std::string lower = Lower(path);
  if (IsHardwarePath(lower)) {
    std::unique_ptr<OpenKey> k = HardwareKey(path);
    if (!k) return ERROR_FILE_NOT_FOUND;
    if (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_CREATE_LINK)) return ERROR_ACCESS_DENIED;
    *result = platform::AddHandle(std::move(k));
    return ERROR_SUCCESS;
  }
  {
    platform::Store& s = platform::TheStore();
    std::lock_guard lock(s.mutex);
    platform::LoadLocked(s);
    if (!platform::StoredKeyExists(s.keys, lower)) return ERROR_FILE_NOT_FOUND;
  }
  auto k = std::make_unique<OpenKey>();
  k->path = path;
  k->writable = (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0;
  *result = platform::AddHandle(std::move(k));
  return ERROR_SUCCESS;
}

LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM desired, void*, PHKEY result, LPDWORD disposition) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  std::optional<std::string> base = PathOf(key);
  if (!base) return ERROR_INVALID_HANDLE;
  std::string path = platform::Join(*base, subKey);
  std::string lower = Lower(path);
  if (IsHardwarePath(lower)) {
    std::unique_ptr<OpenKey> k = HardwareKey(path);
    if (!k) return ERROR_ACCESS_DENIED;
    if (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
    if (disposition) *disposition = REG_OPENED_EXISTING_KEY;
    *result = platform::AddHandle(std::move(k));
    return ERROR_SUCCESS;
  }
  bool existed = false;
  LONG r = platform::Mutate([&](platform::KeyMap& keys) -> LONG {
    existed = platform::StoredKeyExists(keys, lower);
    if (existed && keys.count(lower)) return ERROR_SUCCESS;
    // Every key on the way exists from now on, so sub-key enumeration finds them.
    std::string walk = path.substr(0, path.find('\\'));
    size_t pos = walk.size();
    while (pos < path.size()) {
      size_t next = path.find('\\', pos + 1);
      walk = path.substr(0, next);
      std::string wl = Lower(walk);
      if (!keys.count(wl)) keys[wl].path = walk;
      pos = next == std::string::npos ? path.size() : next;
    }
    return ERROR_SUCCESS;
  });
  if (r != ERROR_SUCCESS) return r;
  if (disposition) *disposition = existed ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
  auto k = std::make_unique<OpenKey>();
  k->path = path;
  k->writable = true;
  *result = platform::AddHandle(std::move(k));
  return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
  if (platform::RootName(key)) return ERROR_SUCCESS;
  return Keys().Remove(reinterpret_cast<std::uintptr_t>(key)) ? ERROR_SUCCESS : static_cast<LONG>(ERROR_INVALID_HANDLE);
}

LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  std::optional<std::string> path = PathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key));
  std::vector<platform::Value> values = platform::ValuesOf(k, *path);
  const platform::Value* v = platform::FindValue(values, valueName);
  if (!v) return ERROR_FILE_NOT_FOUND;
  if (type) *type = v->type;
  return platform::CopyData(v->data, data, dataSize);
}

LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  std::optional<std::string> path = PathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key));
  if ((k && !k->writable) || IsHardwarePath(Lower(*path))) return ERROR_ACCESS_DENIED;
  if (!data && dataSize) return ERROR_INVALID_PARAMETER;
  std::string bytes(reinterpret_cast<const char*>(data), data ? dataSize : 0);
  std::string name = valueName ? valueName : "";
  std::string lower = Lower(*path);
  return platform::Mutate([&](platform::KeyMap& keys) -> LONG {
    if (!platform::StoredKeyExists(keys, lower)) return ERROR_KEY_DELETED;
    platform::Key& target = keys[lower];
    if (target.path.empty()) target.path = *path;
    for (platform::Value& v : target.values)
      if (platform::SameText(v.name, name)) {
        v.type = type;
        v.data = bytes;
        return ERROR_SUCCESS;
      }
    target.values.push_back(platform::Value{name, type, bytes});
    return ERROR_SUCCESS;
  });
}

LONG RegEnumValue(HKEY key, DWORD index, LPSTR valueName, LPDWORD nameSize, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
  std::optional<std::string> path = PathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key));
  std::vector<platform::Value> values = platform::ValuesOf(k, *path);
  if (index >= values.size()) return ERROR_NO_MORE_ITEMS;
  const platform::Value& v = values[index];
  LONG r = platform::CopyName(v.name, valueName, nameSize);
  if (r != ERROR_SUCCESS) return r;
  if (type) *type = v.type;
  return platform::CopyData(v.data, data, dataSize);
}

LONG RegEnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR className, LPDWORD classSize, void*) {
  std::optional<std::string> path = PathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key));
  std::vector<std::string> subKeys;
  if (k && k->hardware) {
    subKeys = k->subKeys;
  } else {
    platform::Store& s = platform::TheStore();
    std::lock_guard lock(s.mutex);
    platform::LoadLocked(s);
    subKeys = platform::StoredSubKeys(s.keys, *path);
  }
  if (index >= subKeys.size()) return ERROR_NO_MORE_ITEMS;
  if (className && classSize && *classSize) className[0] = 0;
  if (classSize) *classSize = 0;
  return platform::CopyName(subKeys[index], name, nameSize);
}

LONG RegQueryInfoKey(HKEY key, LPSTR className, LPDWORD classSize, LPDWORD, LPDWORD subKeys, LPDWORD maxSubKeyLen,
                     LPDWORD maxClassLen, LPDWORD values, LPDWORD maxValueNameLen, LPDWORD maxValueLen, LPDWORD, void*) {
  std::optional<std::string> path = PathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key));
  std::vector<std::string> subs;
  if (k && k->hardware) {
    subs = k->subKeys;
  } else {
    platform::Store& s = platform::TheStore();
    std::lock_guard lock(s.mutex);
    platform::LoadLocked(s);
    subs = platform::StoredSubKeys(s.keys, *path);
  }
  std::vector<platform::Value> vals = platform::ValuesOf(k, *path);
  if (className && classSize && *classSize) className[0] = 0;
  if (classSize) *classSize = 0;
  if (subKeys) *subKeys = static_cast<DWORD>(subs.size());
  if (maxSubKeyLen) {
    *maxSubKeyLen = 0;
    for (const std::string& s : subs) *maxSubKeyLen = std::max<DWORD>(*maxSubKeyLen, static_cast<DWORD>(s.size()));
  }
  if (maxClassLen) *maxClassLen = 0;
  if (values) *values = static_cast<DWORD>(vals.size());
  if (maxValueNameLen) *maxValueNameLen = 0;
  if (maxValueLen) *maxValueLen = 0;
  for (const platform::Value& v : vals) {
    if (maxValueNameLen) *maxValueNameLen = std::max<DWORD>(*maxValueNameLen, static_cast<DWORD>(v.name.size()));
    if (maxValueLen) *maxValueLen = std::max<DWORD>(*maxValueLen, static_cast<DWORD>(v.data.size()));
  }
  return ERROR_SUCCESS;
}

LONG RegDeleteValue(HKEY key, LPCSTR valueName) {
  std::optional<std::string> path = PathOf(key);
  if (!path) return ERROR_INVALID_HANDLE;
  OpenKey* k = Keys().Get(reinterpret_cast<std::uintptr_t>(key));
  if ((k && !k->writable) || IsHardwarePath(Lower(*path))) return ERROR_ACCESS_DENIED;
  std::string name = valueName ? valueName : "";
  std::string lower = Lower(*path);
  return platform::Mutate([&](platform::KeyMap& keys) -> LONG {
    auto it = keys.find(lower);
    if (it == keys.end()) return ERROR_FILE_NOT_FOUND;
    auto& vals = it->second.values;
    auto v = std::find_if(vals.begin(), vals.end(), [&](const platform::Value& x) { return platform::SameText(x.name, name); });
    if (v == vals.end()) return ERROR_FILE_NOT_FOUND;
    vals.erase(v);
    return ERROR_SUCCESS;
  });
}

LONG RegDeleteKey(HKEY key, LPCSTR subKey) {
  std::optional<std::string> base = PathOf(key);
  if (!base) return ERROR_INVALID_HANDLE;
  std::string path = platform::Join(*base, subKey);
  std::string lower = Lower(path);
  if (IsHardwarePath(lower) || platform::IsRootPath(lower)) return ERROR_ACCESS_DENIED;
  return platform::Mutate([&](platform::KeyMap& keys) -> LONG {
    if (!platform::StoredKeyExists(keys, lower)) return ERROR_FILE_NOT_FOUND;
    if (!platform::StoredSubKeys(keys, path).empty()) return ERROR_ACCESS_DENIED;
    keys.erase(lower);
    return ERROR_SUCCESS;
  });
}

LONG RegFlushKey(HKEY key) { return PathOf(key) ? static_cast<LONG>(ERROR_SUCCESS) : static_cast<LONG>(ERROR_INVALID_HANDLE); }

}  // namespace win
