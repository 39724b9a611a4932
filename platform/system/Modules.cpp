#include "platform/system/Modules.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

#include "platform/system/Version.h"

namespace platform {
namespace {

struct Module {
  std::string key;
  std::map<std::string, win::FARPROC> exports;
  bool resident = false;
  int loads = 0;
  win::HMODULE handle = nullptr;

  bool Mapped() const { return resident || loads > 0; }
};

// The program's own module: where its resources live, never loaded or freed by name.
const auto kProgramModule = reinterpret_cast<win::HMODULE>(static_cast<win::UINT_PTR>(0x400000));

struct Registry {
  std::mutex mutex;
  std::vector<std::unique_ptr<Module>> builtins;
  std::vector<std::unique_ptr<Module>> fakes;
  std::set<std::string> hiddenModules;
  std::set<std::pair<std::string, std::string>> hiddenEntries;
  // Slots are never reused, so a handle of a module that is gone stays stale for good.
  win::UINT_PTR nextSlot = 1;
  std::atomic<win::UINT> errorMode{0};

  win::HMODULE NewHandle() { return reinterpret_cast<win::HMODULE>(0x10000000 + (nextSlot++ << 16)); }

  Module* ByName(const std::string& key) {
    if (hiddenModules.count(key)) return nullptr;
    for (auto* list : {&fakes, &builtins})
      for (auto& m : *list)
        if (m->key == key) return m.get();
    return nullptr;
  }

  Module* ByHandle(win::HMODULE handle) {
    if (!handle) return nullptr;
    for (auto* list : {&fakes, &builtins})
      for (auto& m : *list)
        if (m->handle == handle) return m.get();
    return nullptr;
  }
};

Registry& Modules() {
  static Registry registry;
  return registry;
}

// "C:\\Windows\\System32\\UxTheme.dll", "uxtheme" and "UXTHEME.DLL" all name one module.
std::string ModuleKey(const std::string& fileName) {
  std::string key = fileName.substr(fileName.find_last_of("/\\") + 1);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (key.size() > 4 && key.ends_with(".dll")) key.resize(key.size() - 4);
  return key;
}

std::map<std::string, win::FARPROC> ExportTable(std::vector<ModuleExport> exports) {
  std::map<std::string, win::FARPROC> table;
  for (auto& e : exports)
    if (e.address) table[std::move(e.name)] = e.address;
  return table;
}

void Add(std::vector<std::unique_ptr<Module>>& list, Registry& r, const std::string& fileName,
         std::vector<ModuleExport> exports, bool resident) {
  const std::string key = ModuleKey(fileName);
  auto it = std::find_if(list.begin(), list.end(), [&](auto& m) { return m->key == key; });
  Module* m = it != list.end() ? it->get() : list.emplace_back(std::make_unique<Module>()).get();
  if (!m->handle) {
    m->key = key;
    m->handle = r.NewHandle();
  }
  m->exports = ExportTable(std::move(exports));
  m->resident = resident;
}

}  // namespace

void RegisterModule(const std::string& fileName, std::vector<ModuleExport> exports, bool resident) {
  Registry& r = Modules();
  std::lock_guard lock(r.mutex);
  Add(r.builtins, r, fileName, std::move(exports), resident);
}

void InstallFakeModule(const std::string& fileName, std::vector<ModuleExport> exports) {
  Registry& r = Modules();
  std::lock_guard lock(r.mutex);
  Add(r.fakes, r, fileName, std::move(exports), false);
  r.hiddenModules.erase(ModuleKey(fileName));
}

void HideModule(const std::string& fileName) {
  Registry& r = Modules();
  std::lock_guard lock(r.mutex);
  r.hiddenModules.insert(ModuleKey(fileName));
}

void HideModuleEntry(const std::string& fileName, const std::string& entry) {
  Registry& r = Modules();
  std::lock_guard lock(r.mutex);
  r.hiddenEntries.insert({ModuleKey(fileName), entry});
}

void ResetModuleOverrides() {
  Registry& r = Modules();
  std::lock_guard lock(r.mutex);
  r.fakes.clear();
  r.hiddenModules.clear();
  r.hiddenEntries.clear();
}

void RegisterSystemModules() {
  RegisterModule("kernel32.dll",
                 {Export("IsWow64Process", &win::IsWow64Process),
                  Export("GetCurrentProcessId", &win::GetCurrentProcessId),
                  Export("SetErrorMode", &win::SetErrorMode)},
                 true);
}

}  // namespace platform

namespace win {

HMODULE LoadLibrary(LPCSTR fileName) {
  if (!fileName || !*fileName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto& r = platform::Modules();
  std::lock_guard lock(r.mutex);
  platform::Module* m = r.ByName(platform::ModuleKey(fileName));
  if (!m) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  ++m->loads;
  return m->handle;
}

HMODULE GetModuleHandle(LPCSTR moduleName) {
  if (!moduleName) return platform::kProgramModule;
  auto& r = platform::Modules();
  std::lock_guard lock(r.mutex);
  platform::Module* m = r.ByName(platform::ModuleKey(moduleName));
  if (!m || !m->Mapped()) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
  }
  return m->handle;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName) {
  if (module == platform::kProgramModule) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  auto& r = platform::Modules();
  std::lock_guard lock(r.mutex);
  platform::Module* m = r.ByHandle(module);
  if (!m || !m->Mapped()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  // Ordinals (a small integer in the name's place) are not part of any table here.
  if (!procName || (reinterpret_cast<UINT_PTR>(procName) >> 16) == 0) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  auto it = m->exports.find(procName);
  if (it == m->exports.end() || r.hiddenEntries.count({m->key, procName})) {
    SetLastError(ERROR_PROC_NOT_FOUND);
    return nullptr;
  }
  return it->second;
}

BOOL FreeLibrary(HMODULE module) {
  if (module == platform::kProgramModule) return TRUE;
  auto& r = platform::Modules();
  std::lock_guard lock(r.mutex);
  platform::Module* m = r.ByHandle(module);
  if (!m || !m->Mapped()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (m->loads > 0) --m->loads;
  return TRUE;
}

UINT SetErrorMode(UINT mode) { return platform::Modules().errorMode.exchange(mode); }

UINT GetErrorMode() { return platform::Modules().errorMode.load(); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(::getpid()); }

}  // namespace win
