#pragma once
// Resources embedded in the program by the build's resource step, found by type and name as the
// platform does it: names and types are strings compared without regard to case, or small integers.
#include <cstddef>
#include <string>

#include "platform/system/Modules.h"
#include "platform/system/Types.h"

namespace win {

// Integer identifiers travel in the low word of a name pointer.
inline LPCSTR MAKEINTRESOURCE(unsigned id) { return reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(id & 0xFFFF)); }
inline bool IS_INTRESOURCE(LPCSTR p) { return (reinterpret_cast<UINT_PTR>(p) >> 16) == 0; }

inline const LPCSTR RT_CURSOR = MAKEINTRESOURCE(1);
inline const LPCSTR RT_BITMAP = MAKEINTRESOURCE(2);
inline const LPCSTR RT_ICON = MAKEINTRESOURCE(3);
inline const LPCSTR RT_MENU = MAKEINTRESOURCE(4);
inline const LPCSTR RT_DIALOG = MAKEINTRESOURCE(5);
inline const LPCSTR RT_STRING = MAKEINTRESOURCE(6);
inline const LPCSTR RT_RCDATA = MAKEINTRESOURCE(10);
inline const LPCSTR RT_GROUP_CURSOR = MAKEINTRESOURCE(12);
inline const LPCSTR RT_GROUP_ICON = MAKEINTRESOURCE(14);

HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
DWORD SizeofResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
BOOL FreeResource(HGLOBAL data);

}  // namespace win

namespace platform {

struct ResourceEntry {
  const char* type;  // "BITMAP", "RCDATA", "DXSKINS", "FORM", ... or "#<n>"
  const char* name;  // "OBM_CHECKBOXES", "TFORM1", ... or "#<n>"
  const unsigned char* data;
  std::size_t size;
};

// The build's resource step calls this from a static initialiser; tests may add their own.
void RegisterResources(const ResourceEntry* entries, std::size_t count);

// The canonical text of a type or name argument: upper-cased string, or "#<n>" for an integer.
std::string ResourceKey(win::LPCSTR nameOrId);

}  // namespace platform
