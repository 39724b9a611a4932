#include "platform/classes/Registry.h"

#include <cstring>

#include "platform/classes/Streams.h"

using namespace win;

// ---- TRegistry ----------------------------------------------------------------------------------

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value) {
  if (FRootKey == Value) return;
  CloseKey();
  FRootKey = Value;
}

void TRegistry::ChangeKey(HKEY Value, const String& Path) {
  CloseKey();
  FCurrentKey = Value;
  FCurrentPath = Path;
}

HKEY TRegistry::GetKey(const String& Key, REGSAM Access) {
  bool relative = IsRelative(Key);
  HKEY result = nullptr;
  if (RegOpenKeyEx(GetBaseKey(relative), StripRoot(Key).c_str(), 0, Access, &result) != ERROR_SUCCESS) return nullptr;
  return result;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate) {
  bool relative = IsRelative(Key);
  String s = StripRoot(Key);
  HKEY temp = nullptr;
  bool ok;
  if (!CanCreate || s.empty()) {
    ok = RegOpenKeyEx(GetBaseKey(relative), s.c_str(), 0, FAccess, &temp) == ERROR_SUCCESS;
  } else {
    DWORD disposition = 0;
    ok = RegCreateKeyEx(GetBaseKey(relative), s.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, &temp,
                        &disposition) == ERROR_SUCCESS;
  }
  if (ok) {
    if (FCurrentKey && relative) s = FCurrentPath + "\\" + s;
    ChangeKey(temp, s);
  }
  return ok;
}

bool TRegistry::OpenKeyReadOnly(const String& Key) {
  REGSAM saved = FAccess;
  FAccess = KEY_READ;
  bool ok = OpenKey(Key, false);
  if (!ok) FAccess = saved;
  return ok;
}

void TRegistry::CloseKey() {
  if (FCurrentKey) {
    RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
  }
}

bool TRegistry::CreateKey(const String& Key) {
  bool relative = IsRelative(Key);
  HKEY temp = nullptr;
  DWORD disposition = 0;
  bool ok = RegCreateKeyEx(GetBaseKey(relative), StripRoot(Key).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                           nullptr, &temp, &disposition) == ERROR_SUCCESS;
  if (ok)
    RegCloseKey(temp);
  else
    throw ERegistryException(Format(SRegCreateFailed, {Key}));
  return ok;
}

void TRegistry::DeleteKeyTree(HKEY Base, const String& SubKey) {
  HKEY key = nullptr;
  if (RegOpenKeyEx(Base, SubKey.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    // Children first; the list is taken before deleting, as deleting shifts the indexes.
    std::vector<String> children;
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD size = sizeof name;
      if (RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      children.emplace_back(name, size);
    }
    for (const String& c : children) DeleteKeyTree(key, c);
    RegCloseKey(key);
  }
  RegDeleteKey(Base, SubKey.c_str());
}

bool TRegistry::DeleteKey(const String& Key) {
  bool relative = IsRelative(Key);
  String s = StripRoot(Key);
  while (!s.empty() && s.back() == '\\') s.pop_back();
  if (s.empty()) return false;
  HKEY base = GetBaseKey(relative);
  DeleteKeyTree(base, s);
  HKEY probe = nullptr;
  if (RegOpenKeyEx(base, s.c_str(), 0, KEY_READ, &probe) == ERROR_SUCCESS) {
    RegCloseKey(probe);
    return false;
  }
  return true;
}

bool TRegistry::KeyExists(const String& Key) {
  HKEY temp = GetKey(Key, KEY_READ);
  if (temp) RegCloseKey(temp);
  return temp != nullptr;
}

bool TRegistry::HasSubKeys() {
  DWORD subKeys = 0;
  HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  return RegQueryInfoKey(key, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr) == ERROR_SUCCESS &&
         subKeys > 0;
}

void TRegistry::GetKeyNames(TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
    for (DWORD i = 0;; ++i) {
      char name[256];
      DWORD size = sizeof name;
      if (RegEnumKeyEx(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      Strings->Add(String(name, size));
    }
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TRegistry::GetValueNames(TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
    for (DWORD i = 0;; ++i) {
      char name[16384];
      DWORD size = sizeof name;
      if (RegEnumValue(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      Strings->Add(String(name, size));
    }
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

bool TRegistry::ValueExists(const String& Name) {
  DWORD type = 0;
  std::string data;
  return GetData(Name, data, type);
}

bool TRegistry::DeleteValue(const String& Name) {
  return RegDeleteValue(FCurrentKey ? FCurrentKey : FRootKey, Name.c_str()) == ERROR_SUCCESS;
}

TRegDataType TRegistry::GetDataType(const String& Name) {
  DWORD type = 0;
  std::string data;
  if (!GetData(Name, data, type)) return rdUnknown;
  switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
  }
}

int TRegistry::GetDataSize(const String& Name) {
  DWORD type = 0;
  std::string data;
  return GetData(Name, data, type) ? static_cast<int>(data.size()) : -1;
}

bool TRegistry::GetData(const String& Name, std::string& Data, DWORD& Type) {
  HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  DWORD size = 0;
  if (RegQueryValueEx(key, Name.c_str(), nullptr, &Type, nullptr, &size) != ERROR_SUCCESS) return false;
  Data.assign(size, '\0');
  if (size && RegQueryValueEx(key, Name.c_str(), nullptr, &Type, reinterpret_cast<BYTE*>(Data.data()), &size) != ERROR_SUCCESS)
    return false;
  Data.resize(size);
  return true;
}

void TRegistry::PutData(const String& Name, const void* Buffer, int BufSize, DWORD Type) {
  HKEY key = FCurrentKey ? FCurrentKey : FRootKey;
  if (RegSetValueEx(key, Name.c_str(), 0, Type, static_cast<const BYTE*>(Buffer), static_cast<DWORD>(BufSize)) != ERROR_SUCCESS)
    throw ERegistryException(Format(SRegSetDataFailed, {Name}));
}

String TRegistry::ReadString(const String& Name) {
  DWORD type = 0;
  std::string data;
  if (!GetData(Name, data, type)) return String();
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(Format(SInvalidRegType, {Name}));
  size_t nul = data.find('\0');
  return nul == std::string::npos ? data : data.substr(0, nul);
}

void TRegistry::WriteString(const String& Name, const String& Value) {
  PutData(Name, Value.c_str(), static_cast<int>(Value.size()) + 1, REG_SZ);
}

int TRegistry::ReadInteger(const String& Name) {
  DWORD type = 0;
  std::string data;
  if (!GetData(Name, data, type)) throw ERegistryException(Format(SRegGetDataFailed, {Name}));
  if (type != REG_DWORD || data.size() < 4) throw ERegistryException(Format(SInvalidRegType, {Name}));
  std::int32_t v;
  std::memcpy(&v, data.data(), 4);
  return v;
}

void TRegistry::WriteInteger(const String& Name, int Value) {
  std::int32_t v = Value;
  PutData(Name, &v, 4, REG_DWORD);
}

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize) {
  DWORD type = 0;
  std::string data;
  if (!GetData(Name, data, type)) throw ERegistryException(Format(SRegGetDataFailed, {Name}));
  if (Buffer && BufSize > 0) std::memcpy(Buffer, data.data(), std::min<size_t>(data.size(), static_cast<size_t>(BufSize)));
  return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, int BufSize) { PutData(Name, Buffer, BufSize, REG_BINARY); }
