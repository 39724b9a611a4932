#pragma once
// The stored layout of a bar manager: what the read and write handlers get, and the registry path
// rule. The manager's own operations (SaveLayout, LoadLayout and the entry points over an INI
// file, the registry, a stream and the saved state) live in BarLayoutPersistence.cpp.
#include "platform/classes/IniFiles.h"
#include "platform/classes/SysUtils.h"

// What the manager's INI-read and INI-write handlers receive: the storage, whether it is the
// registry, the base of every section name and the separator of nested sections.
struct TdxBarIniFileEventData {
  TCustomIniFile* IniFile = nullptr;
  bool IsRegistry = false;
  String SectionBase;
  String Separator;
};

// A registry key path with a backslash at both ends ("Software\App" gives "\Software\App\"); empty
// for a path that names no key at all ("", "\", "\\"), which means no registry storage: the root
// key is never a layout's home, as saving erases the whole key first.
String dxBarNormalizedRegistryPath(const String& APath);
