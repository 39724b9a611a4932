#pragma once
// INI-style storage: sections of named values, read with a default for everything.
//
// TIniFile goes to the profile file key by key (every read sees the file as it is now, every
// write lands at once); TMemIniFile holds the whole file in memory until UpdateFile;
// TRegIniFile and TRegistryIniFile keep sections as sub-keys of a registry key. Integers are
// written in decimal and read back in decimal or hexadecimal ("$" or "0x"); booleans are written
// as 1 and 0 and read as "any integer other than 0"; text that is no number reads as the default.
#include "platform/classes/Object.h"
#include "platform/classes/Registry.h"
#include "platform/classes/Strings.h"
#include "platform/classes/SysUtils.h"

class TStream;

class TCustomIniFile : public TObject {
  VW_CLASS(TCustomIniFile, TObject)
 public:
  explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}
  ~TCustomIniFile() override = default;

  const String& FileName() const { return FFileName; }

  virtual bool SectionExists(const String& Section);
  virtual bool ValueExists(const String& Section, const String& Ident);

  virtual String ReadString(const String& Section, const String& Ident, const String& Default) = 0;
  virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
  virtual int ReadInteger(const String& Section, const String& Ident, int Default);
  virtual void WriteInteger(const String& Section, const String& Ident, int Value);
  virtual bool ReadBool(const String& Section, const String& Ident, bool Default);
  virtual void WriteBool(const String& Section, const String& Ident, bool Value);
  // Binary values are stored as two hexadecimal digits per byte. Reading appends the bytes at the
  // stream's position and leaves the position where they start; the result is their count.
  // Writing stores the bytes from the stream's position to its end and leaves the position alone.
  virtual int ReadBinaryStream(const String& Section, const String& Name, TStream* Value);
  virtual void WriteBinaryStream(const String& Section, const String& Name, TStream* Value);

  // Each of these clears the list first.
  virtual void ReadSection(const String& Section, TStrings* Strings) = 0;
  virtual void ReadSections(TStrings* Strings) = 0;
  // "name=value" entries.
  virtual void ReadSectionValues(const String& Section, TStrings* Strings) = 0;
  virtual void EraseSection(const String& Section) = 0;
  virtual void DeleteKey(const String& Section, const String& Ident) = 0;
  virtual void UpdateFile() = 0;

 private:
  String FFileName;
};

// The profile file itself, through the platform's profile calls: values cut to 2047 characters
// and trimmed, a default's trailing blanks dropped. A write that the file system refuses is
// dropped silently, as the profile call does.
class TIniFile : public TCustomIniFile {
  VW_CLASS(TIniFile, TCustomIniFile)
 public:
  explicit TIniFile(const String& FileName) : TCustomIniFile(FileName) {}

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Every write is already on disk.
  void UpdateFile() override {}
};

// The whole file in memory: read once at creation (a missing file or an empty name gives an empty
// store), changed in memory, written back only by UpdateFile (atomically, GBK like every profile
// file). Lines are kept with blanks around "=" removed; comments and blank lines are dropped.
class TMemIniFile : public TCustomIniFile {
  VW_CLASS(TMemIniFile, TCustomIniFile)
 public:
  explicit TMemIniFile(const String& FileName = String());
  ~TMemIniFile() override;

  String ReadString(const String& Section, const String& Ident, const String& Default) override;
  void WriteString(const String& Section, const String& Ident, const String& Value) override;
  void ReadSection(const String& Section, TStrings* Strings) override;
  void ReadSections(TStrings* Strings) override;
  void ReadSectionValues(const String& Section, TStrings* Strings) override;
  void EraseSection(const String& Section) override;
  void DeleteKey(const String& Section, const String& Ident) override;
  // Writes the store to the file; nothing without a file name. Raises EFCreateError when the file
  // cannot be written (the old file then stays as it was).
  void UpdateFile() override;

  void Clear();
  // The store as INI lines: "[section]", its "name=value" lines, then an empty line.
  void GetStrings(TStrings* List);
  // Replaces the store by the given INI lines.
  void SetStrings(TStrings* List);

 private:
  TStringList* AddSection(const String& Section);
  TStringList* FindSection(const String& Section);

  TStringList FSections;  // names, each with its own list of "name=value" lines as object
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
