#pragma once
// Run-time binding by name. The modules a program can load are tables built into it: each names
// its entries and points them at the platform's own functions, so code that binds an optional
// entry by name gets the very function it could have called directly, and code that finds a
// module or entry missing takes its other path. Module names compare without regard to case,
// with or without ".dll" and a directory.
//
// The tables are registered by the platform's start-up (`platform::StartPlatform`), never by
// static initialisers: those would be dropped by the linker with the object files nothing names.
#include <string>
#include <vector>

#include "platform/system/Types.h"

namespace win {

// Callers cast the address to the entry's real type before calling it; a function of no
// parameters and no result is the type every function pointer converts to without a warning.
using FARPROC = void (*)();

constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
constexpr UINT SEM_NOALIGNMENTFAULTEXCEPT = 0x0004;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

// Maps the module (or counts one more use of it); nil with ERROR_MOD_NOT_FOUND when there is none.
HMODULE LoadLibrary(LPCSTR fileName);
inline HMODULE LoadLibraryA(LPCSTR fileName) { return LoadLibrary(fileName); }
// A module already mapped, without counting a use; nil names the program itself.
HMODULE GetModuleHandle(LPCSTR moduleName);
inline HMODULE GetModuleHandleA(LPCSTR moduleName) { return GetModuleHandle(moduleName); }
// nil with ERROR_PROC_NOT_FOUND for a name the module does not export (names are case-sensitive),
// or with ERROR_INVALID_HANDLE for a handle that names no mapped module.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// Counts one use less; the module is unmapped, and its handle goes stale, at the last.
BOOL FreeLibrary(HMODULE module);
// The process's error mode; nothing here shows error boxes, so it is only kept and reported.
UINT SetErrorMode(UINT mode);
UINT GetErrorMode();

}  // namespace win

namespace platform {

struct ModuleExport {
  std::string name;
  win::FARPROC address = nullptr;
};

// An export of one of the platform's functions, under the name it is bound by.
template <class R, class... A>
ModuleExport Export(std::string name, R (*function)(A...)) {
  return {std::move(name), reinterpret_cast<win::FARPROC>(function)};
}

// Adds a built-in module or replaces its entries. A resident module is mapped from the start, as
// the system's own libraries are in every windowed process; others are mapped by LoadLibrary.
void RegisterModule(const std::string& fileName, std::vector<ModuleExport> exports, bool resident = false);

// Test hooks, undone together by ResetModuleOverrides (or a ScopedModuleOverrides going out of
// scope). A fake module stands in for a built-in one of the same name or adds one; a hidden
// module cannot be loaded or found by name; a hidden entry is not found in its module.
void InstallFakeModule(const std::string& fileName, std::vector<ModuleExport> exports);
void HideModule(const std::string& fileName);
void HideModuleEntry(const std::string& fileName, const std::string& entry);
void ResetModuleOverrides();

class ScopedModuleOverrides {
 public:
  ScopedModuleOverrides() = default;
  ScopedModuleOverrides(const ScopedModuleOverrides&) = delete;
  ScopedModuleOverrides& operator=(const ScopedModuleOverrides&) = delete;
  ~ScopedModuleOverrides() { ResetModuleOverrides(); }
};

// The modules of the system layer ("kernel32.dll"); part of the platform's start-up.
void RegisterSystemModules();

}  // namespace platform
