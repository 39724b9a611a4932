#pragma once
// The registry as objects: TRegistry walks keys and reads and writes values; TRegIniFile and
// TRegistryIniFile let INI-style code (sections and named values) keep its data under a registry
// key, a section being a sub-key.
//
// Key paths starting with "\" are taken from the root key; others from the current key when one
// is open, else from the root key.
#include "platform/classes/IniFiles.h"
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

 private:
  bool GetData(const String& Name, std::string& Data, win::DWORD& Type);
  void PutData(const String& Name, const void* Buffer, int BufSize, win::DWORD Type);
  void DeleteKeyTree(win::HKEY Base, const String& SubKey);

  win::HKEY FRootKey = win::HKEY_CURRENT_USER;
  win::HKEY FCurrentKey = nullptr;
  String FCurrentPath;
  win::REGSAM FAccess;
};

// INI-style access below a registry key (the "file name"): a section is a sub-key, an identifier a
// value. Integers and booleans are stored as text, as INI files hold them.
class TRegIniFile : public TRegistry {
  VW_CLASS(TRegIniFile, TRegistry)
 public:
  explicit TRegIniFile(const String& FileName, win::REGSAM AAccess = win::KEY_ALL_ACCESS);

  const String& FileName() const { return FFileName; }

  String ReadString(const String& Section, const String& Ident, const String& Default);
  void WriteString(const String& Section, const String& Ident, const String& Value);
  int ReadInteger(const String& Section, const String& Ident, int Default);
  void WriteInteger(const String& Section, const String& Ident, int Value);
  bool ReadBool(const String& Section, const String& Ident, bool Default);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  void ReadSection(const String& Section, TStrings* Strings);
  void ReadSections(TStrings* Strings);
  void ReadSectionValues(const String& Section, TStrings* Strings);
  void EraseSection(const String& Section);
  void DeleteKey(const String& Section, const String& Ident);

  using TRegistry::DeleteKey;
  using TRegistry::ReadBool;
  using TRegistry::ReadInteger;
  using TRegistry::ReadString;
  using TRegistry::WriteBool;
  using TRegistry::WriteInteger;
  using TRegistry::WriteString;

 private:
  friend class TRegistryIniFile;
  // Runs `body` with the section's key current; false when the section's key does not open.
  template <class F>
  bool WithSection(const String& Section, bool Create, F&& body);

  String FFileName;
};

// The INI-file interface over the registry: integers go in as numbers (or as text where a text
// value of that name already stands), binary values as binary data.
class TRegistryIniFile : public TCustomIniFile {
  VW_CLASS(TRegistryIniFile, TCustomIniFile)
 public:
  explicit TRegistryIniFile(const String& FileName, win::REGSAM AAccess = win::KEY_ALL_ACCESS);
  ~TRegistryIniFile() override;

  TRegIniFile* RegIniFile() const { return FRegIniFile; }

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  int ReadInteger(const String& Section, const String& Ident, int Default) override;
  void WriteInteger(const String& Section, const String& Ident, int Value) override;
  int ReadBinaryStream(const String& Section, const String& Name, TStream* Value) override;
  void WriteBinaryStream(const String& Section, const String& Name, TStream* Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Every write is already stored.
  void UpdateFile() override {}

 private:
  TRegIniFile* FRegIniFile;
};
