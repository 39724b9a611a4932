#include "platform/classes/IniFiles.h"

#include <cerrno>
#include <cstring>

#include "platform/classes/Streams.h"
#include "platform/classes/Utf8.h"
#include "platform/system/AtomicFile.h"
#include "platform/system/CodePage.h"
#include "platform/system/Profile.h"

// ---- TCustomIniFile -----------------------------------------------------------------------------

bool TCustomIniFile::SectionExists(const String& Section) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident) {
  TStringList keys;
  ReadSection(Section, &keys);
  return keys.IndexOf(Ident) > -1;
}

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
  return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int TCustomIniFile::ReadBinaryStream(const String& Section, const String& Name, TStream* Value) {
  String text = ReadString(Section, Name, String());
  String bytes;
  // Decoding stops at the first pair that is not hexadecimal.
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) break;
    bytes.push_back(static_cast<char>(hi * 16 + lo));
  }
  if (bytes.empty() || !Value) return 0;
  std::int64_t pos = Value->Position();
  Value->WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  Value->SetPosition(pos);
  return static_cast<int>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const String& Section, const String& Name, TStream* Value) {
  String text;
  if (Value) {
    std::int64_t pos = Value->Position();
    std::int64_t count = Value->Size() - pos;
    if (count > 0) {
      String bytes(static_cast<size_t>(count), '\0');
      Value->ReadBuffer(bytes.data(), static_cast<std::int32_t>(count));
      Value->SetPosition(pos);
      static const char digits[] = "0123456789ABCDEF";
      for (unsigned char c : bytes) {
        text.push_back(digits[c >> 4]);
        text.push_back(digits[c & 15]);
      }
    }
  }
  WriteString(Section, Name, text);
}

// ---- TIniFile -----------------------------------------------------------------------------------

namespace {

// What the profile call hands back through its 2048-character buffer.
constexpr int kMaxValueLength = 2047;

}  // namespace

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  std::optional<std::string> v = platform::ReadProfileString(FileName(), Section, Ident);
  if (v) return Utf8Left(*v, kMaxValueLength);
  String def = Default;
  while (!def.empty() && def.back() == ' ') def.pop_back();
  return Utf8Left(def, kMaxValueLength);
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  platform::WriteProfileString(FileName(), Section, &Ident, &Value);
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (const std::string& k : platform::ReadProfileKeys(FileName(), Section)) Strings->Add(k);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TIniFile::ReadSections(TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (const std::string& s : platform::ReadProfileSectionNames(FileName())) Strings->Add(s);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (const std::string& e : platform::ReadProfileSection(FileName(), Section)) Strings->Add(e);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TIniFile::EraseSection(const String& Section) { platform::WriteProfileString(FileName(), Section, nullptr, nullptr); }

void TIniFile::DeleteKey(const String& Section, const String& Ident) {
  platform::WriteProfileString(FileName(), Section, &Ident, nullptr);
}

// ---- TMemIniFile --------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName) {
  if (FileName.empty()) return;
  if (std::optional<std::string> bytes = platform::ReadWholeFile(FileName)) {
    TStringList lines;
    lines.SetText(platform::GbkToUtf8(*bytes));
    SetStrings(&lines);
  }
}

TMemIniFile::~TMemIniFile() { Clear(); }

void TMemIniFile::Clear() {
  for (int i = 0; i < FSections.Count(); ++i) delete FSections.Objects(i);
  FSections.Clear();
}

TStringList* TMemIniFile::AddSection(const String& Section) {
  auto* list = new TStringList();
  FSections.AddObject(Section, list);
  return list;
}

TStringList* TMemIniFile::FindSection(const String& Section) {
  int i = FSections.IndexOf(Section);
  return i >= 0 ? static_cast<TStringList*>(FSections.Objects(i)) : nullptr;
}

void TMemIniFile::SetStrings(TStrings* List) {
  Clear();
  TStringList* section = nullptr;
  for (int i = 0; i < List->Count(); ++i) {
    String s = Trim(List->Strings(i));
    if (s.empty() || s[0] == ';') continue;
    if (s.front() == '[' && s.back() == ']') {
      section = AddSection(Trim(s.substr(1, s.size() - 2)));
    } else if (section) {
      size_t eq = s.find('=');
      if (eq != String::npos)
        section->Add(Trim(s.substr(0, eq)) + "=" + Trim(s.substr(eq + 1)));
      else
        section->Add(s);
    }
  }
}

void TMemIniFile::GetStrings(TStrings* List) {
  List->BeginUpdate();
  try {
    for (int i = 0; i < FSections.Count(); ++i) {
      List->Add("[" + FSections.Strings(i) + "]");
      auto* section = static_cast<TStringList*>(FSections.Objects(i));
      for (int j = 0; j < section->Count(); ++j) List->Add(section->Strings(j));
      List->Add(String());
    }
  } catch (...) {
    List->EndUpdate();
    throw;
  }
  List->EndUpdate();
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  if (TStringList* section = FindSection(Section)) {
    int i = section->IndexOfName(Ident);
    if (i >= 0) return section->ValueFromIndex(i);
  }
  return Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  TStringList* section = FindSection(Section);
  if (!section) section = AddSection(Section);
  // A line break would turn the rest of the value into lines of their own once the file is read.
  String v = StringReplace(StringReplace(Value, "\r", " ", rfReplaceAll), "\n", " ", rfReplaceAll);
  String line = Ident + "=" + v;
  int i = section->IndexOfName(Ident);
  if (i >= 0)
    section->SetStrings(i, line);
  else
    section->Add(line);
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    if (TStringList* section = FindSection(Section))
      for (int i = 0; i < section->Count(); ++i) Strings->Add(section->Names(i));
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TMemIniFile::ReadSections(TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    for (int i = 0; i < FSections.Count(); ++i) Strings->Add(FSections.Strings(i));
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    if (TStringList* section = FindSection(Section)) Strings->AddStrings(section);
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TMemIniFile::EraseSection(const String& Section) {
  int i = FSections.IndexOf(Section);
  if (i < 0) return;
  delete FSections.Objects(i);
  FSections.Delete(i);
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident) {
  if (TStringList* section = FindSection(Section)) {
    int i = section->IndexOfName(Ident);
    if (i >= 0) section->Delete(i);
  }
}

void TMemIniFile::UpdateFile() {
  if (FileName().empty()) return;
  TStringList lines;
  GetStrings(&lines);
  if (!platform::WriteFileAtomically(FileName(), platform::Utf8ToGbk(lines.Text())))
    throw EFCreateError(Format(SFCreateError, {FileName()}));
}

using namespace win;

// ---- TRegIniFile --------------------------------------------------------------------------------

TRegIniFile::TRegIniFile(const String& FileName, win::REGSAM AAccess) : TRegistry(AAccess), FFileName(FileName) {
  OpenKey(FileName, true);
}

template <class F>
bool TRegIniFile::WithSection(const String& Section, bool Create, F&& body) {
  if (Section.empty()) {
    body();
    return true;
  }
  HKEY key = nullptr;
  if (Create) {
    DWORD disposition = 0;
    if (RegCreateKeyEx(GetBaseKey(IsRelative(Section)), StripRoot(Section).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access(),
                       nullptr, &key, &disposition) != ERROR_SUCCESS)
      throw ERegistryException(Format(SRegCreateFailed, {Section}));
  } else {
    key = GetKey(Section, Access());
    if (!key) return false;
  }
  HKEY old = CurrentKey();
  SetCurrentKey(key);
  try {
    body();
  } catch (...) {
    SetCurrentKey(old);
    RegCloseKey(key);
    throw;
  }
  SetCurrentKey(old);
  RegCloseKey(key);
  return true;
}

String TRegIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  String result = Default;
  WithSection(Section, false, [&] {
    if (ValueExists(Ident)) result = TRegistry::ReadString(Ident);
  });
  return result;
}

void TRegIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  WithSection(Section, true, [&] { TRegistry::WriteString(Ident, Value); });
}

int TRegIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
  int result = Default;
  WithSection(Section, false, [&] {
    if (!ValueExists(Ident)) return;
    if (GetDataType(Ident) == rdString)
      result = StrToIntDef(TRegistry::ReadString(Ident), Default);
    else
      result = TRegistry::ReadInteger(Ident);
  });
  return result;
}

void TRegIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  WriteString(Section, Ident, IntToStr(Value));
}

bool TRegIniFile::ReadBool(const String& Section, const String& Ident, bool Default) {
  return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const String& Section, const String& Ident, bool Value) {
  WriteString(Section, Ident, Value ? "1" : "0");
}

void TRegIniFile::ReadSection(const String& Section, TStrings* Strings) {
  Strings->Clear();
  WithSection(Section, false, [&] { GetValueNames(Strings); });
}

void TRegIniFile::ReadSections(TStrings* Strings) { GetKeyNames(Strings); }

void TRegIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  Strings->BeginUpdate();
  try {
    Strings->Clear();
    WithSection(Section, false, [&] {
      TStringList names;
      GetValueNames(&names);
      for (int i = 0; i < names.Count(); ++i) {
        String name = names.Strings(i);
        String value = GetDataType(name) == rdInteger ? IntToStr(TRegistry::ReadInteger(name))
                       : GetDataType(name) == rdBinary ? String()
                                                        : TRegistry::ReadString(name);
        Strings->Add(name + "=" + value);
      }
    });
  } catch (...) {
    Strings->EndUpdate();
    throw;
  }
  Strings->EndUpdate();
}

void TRegIniFile::EraseSection(const String& Section) { TRegistry::DeleteKey(Section); }

void TRegIniFile::DeleteKey(const String& Section, const String& Ident) {
  WithSection(Section, false, [&] { DeleteValue(Ident); });
}

// ---- TRegistryIniFile ---------------------------------------------------------------------------

TRegistryIniFile::TRegistryIniFile(const String& FileName, win::REGSAM AAccess)
    : TCustomIniFile(FileName), FRegIniFile(new TRegIniFile(FileName, AAccess)) {}

TRegistryIniFile::~TRegistryIniFile() { delete FRegIniFile; }

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default) {
  return FRegIniFile->ReadString(Section, Ident, Default);
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value) {
  FRegIniFile->WriteString(Section, Ident, Value);
}

int TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, int Default) {
  return FRegIniFile->ReadInteger(Section, Ident, Default);
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, int Value) {
  FRegIniFile->WithSection(Section, true, [&] {
    // A value already held as text stays text.
    if (FRegIniFile->GetDataType(Ident) == rdString)
      FRegIniFile->TRegistry::WriteString(Ident, IntToStr(Value));
    else
      FRegIniFile->TRegistry::WriteInteger(Ident, Value);
  });
}

int TRegistryIniFile::ReadBinaryStream(const String& Section, const String& Name, TStream* Value) {
  int result = 0;
  FRegIniFile->WithSection(Section, false, [&] {
    if (!Value || !FRegIniFile->ValueExists(Name)) return;
    int size = FRegIniFile->GetDataSize(Name);
    if (size <= 0) return;
    std::string data(static_cast<size_t>(size), '\0');
    FRegIniFile->ReadBinaryData(Name, data.data(), size);
    std::int64_t pos = Value->Position();
    Value->WriteBuffer(data.data(), size);
    Value->SetPosition(pos);
    result = size;
  });
  return result;
}

void TRegistryIniFile::WriteBinaryStream(const String& Section, const String& Name, TStream* Value) {
  std::string data;
  if (Value) {
    std::int64_t pos = Value->Position();
    std::int64_t count = Value->Size() - pos;
    if (count > 0) {
      data.assign(static_cast<size_t>(count), '\0');
      Value->ReadBuffer(data.data(), static_cast<std::int32_t>(count));
      Value->SetPosition(pos);
    }
  }
  FRegIniFile->WithSection(Section, true,
                           [&] { FRegIniFile->WriteBinaryData(Name, data.data(), static_cast<int>(data.size())); });
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings) { FRegIniFile->ReadSection(Section, Strings); }
void TRegistryIniFile::ReadSections(TStrings* Strings) { FRegIniFile->ReadSections(Strings); }
void TRegistryIniFile::ReadSectionValues(const String& Section, TStrings* Strings) {
  FRegIniFile->ReadSectionValues(Section, Strings);
}
void TRegistryIniFile::EraseSection(const String& Section) { FRegIniFile->EraseSection(Section); }
void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident) { FRegIniFile->DeleteKey(Section, Ident); }
