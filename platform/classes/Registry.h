#pragma once
// The registry as an object: TRegistry walks keys and reads and writes values.
//
// Key paths starting with "\" are taken from the root key; others from the current key when one
// is open, else from the root key.
#include "platform/classes/Object.h"
#include "platform/classes/Strings.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Registry.h"

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

class TRegistry : public TObject {
  VW_CLASS(TRegistry, TObject)
 public:
  explicit TRegistry(win::REGSAM AAccess = win::KEY_ALL_ACCESS) : FAccess(AAccess) {}
  ~TRegistry() override;

  win::HKEY RootKey() const { return FRootKey; }
  // Closes the current key first.
  void SetRootKey(win::HKEY Value);
  win::HKEY CurrentKey() const { return FCurrentKey; }
  const String& CurrentPath() const { return FCurrentPath; }
  win::REGSAM Access() const { return FAccess; }
  void SetAccess(win::REGSAM v) { FAccess = v; }

  // Makes the key current; with CanCreate it is created when missing.
  bool OpenKey(const String& Key, bool CanCreate);
  bool OpenKeyReadOnly(const String& Key);
  void CloseKey();
  bool CreateKey(const String& Key);
  // Deletes the key with everything below it.
  bool DeleteKey(const String& Key);
  bool KeyExists(const String& Key);
  bool HasSubKeys();
  void GetKeyNames(TStrings* Strings);
  void GetValueNames(TStrings* Strings);

  bool ValueExists(const String& Name);
  bool DeleteValue(const String& Name);
  TRegDataType GetDataType(const String& Name);
  // Bytes of the value, -1 when it cannot be read.
  int GetDataSize(const String& Name);

  // A missing value reads as empty text; a value of another type raises ERegistryException.
  String ReadString(const String& Name);
  void WriteString(const String& Name, const String& Value);
  // A missing value or one of another type raises ERegistryException.
  int ReadInteger(const String& Name);
  void WriteInteger(const String& Name, int Value);
  bool ReadBool(const String& Name) { return ReadInteger(Name) != 0; }
  void WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }
  // Copies at most BufSize bytes; answers how many the value holds.
  int ReadBinaryData(const String& Name, void* Buffer, int BufSize);
  void WriteBinaryData(const String& Name, const void* Buffer, int BufSize);

 protected:
  // The key below the base (root or current) that Key names, opened with the access given; null
  // when it does not open. The caller closes it.
  win::HKEY GetKey(const String& Key, win::REGSAM Access);
  void SetCurrentKey(win::HKEY Value) { FCurrentKey = Value; }
  void ChangeKey(win::HKEY Value, const String& Path);
  win::HKEY GetBaseKey(bool Relative) const { return (!FCurrentKey || !Relative) ? FRootKey : FCurrentKey; }
  static bool IsRelative(const String& Value) { return Value.empty() || Value[0] != '\\'; }
  // A path from the root loses its leading separator before it goes to the platform call.
  static String StripRoot(const String& Key) { return IsRelative(Key) ? Key : Key.substr(1); }

 private:
  friend class TRegIniFile;
  friend class TRegistryIniFile;
  bool GetData(const String& Name, std::string& Data, win::DWORD& Type);
  void PutData(const String& Name, const void* Buffer, int BufSize, win::DWORD Type);
  void DeleteKeyTree(win::HKEY Base, const String& SubKey);

  win::HKEY FRootKey = win::HKEY_CURRENT_USER;
  win::HKEY FCurrentKey = nullptr;
  String FCurrentPath;
  win::REGSAM FAccess;
};
