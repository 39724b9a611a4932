// The skin stream: reading and writing a skin, the multi-skin container and the skin listings.
#include <cstring>
#include <memory>

#include "platform/classes/Consts.h"
#include "platform/classes/TypInfo.h"
#include "platform/system/CodePage.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/PNGImage.h"
#include "ui/foundation/ResourceStrings.h"
#include "ui/foundation/TextConversion.h"
#include "ui/skins/Skin.h"

namespace {

const TResStringRec sdxSkinInvalidStreamFormat{"Invalid stream format"};
const TResStringRec sdxSkinOldVersion{
    "The skin data version is older than the current Skins Library version.\r\n"
    "Skins cannot be loaded due to a version mismatch."};

const char dxSkinSignature[6] = {'d', 'x', 'S', 'k', 'i', 'n'};

[[noreturn]] void RaiseReadError() { throw EReadError(SReadError); }

std::int64_t BytesLeft(TStream* Stream) {
  const std::int64_t left = Stream->Size() - Stream->Position();
  return left > 0 ? left : 0;
}

// A length of Count items of ItemSize bytes each that the stream cannot hold is cut short data.
void CheckAvailable(TStream* Stream, std::int64_t Count, std::int64_t ItemSize) {
  if (Count > 0 && Count * ItemSize > BytesLeft(Stream)) RaiseReadError();
}

std::uint8_t ReadByte(TStream* Stream) {
  std::uint8_t b = 0;
  Stream->ReadBuffer(&b, 1);
  return b;
}

std::uint16_t ReadWord(TStream* Stream) {
  std::uint8_t b[2];
  Stream->ReadBuffer(b, 2);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

TColor ReadColor(TStream* Stream) { return static_cast<TColor>(ReadStreamInt32(Stream)); }

win::RECT ReadRect(TStream* Stream) {
  win::RECT r;
  r.left = ReadStreamInt32(Stream);
  r.top = ReadStreamInt32(Stream);
  r.right = ReadStreamInt32(Stream);
  r.bottom = ReadStreamInt32(Stream);
  return r;
}

void WriteInt32(TStream* Stream, std::int32_t Value) {
  const std::uint32_t v = static_cast<std::uint32_t>(Value);
  const std::uint8_t b[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                             static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  Stream->WriteBuffer(b, 4);
}

void WriteByte(TStream* Stream, std::uint8_t Value) { Stream->WriteBuffer(&Value, 1); }

void WriteWord(TStream* Stream, std::uint16_t Value) {
  const std::uint8_t b[2] = {static_cast<std::uint8_t>(Value), static_cast<std::uint8_t>(Value >> 8)};
  Stream->WriteBuffer(b, 2);
}

void WriteRect(TStream* Stream, const win::RECT& R) {
  WriteInt32(Stream, R.left);
  WriteInt32(Stream, R.top);
  WriteInt32(Stream, R.right);
  WriteInt32(Stream, R.bottom);
}

// Every count is at least one 4-byte field per entry.
int ReadCount(TStream* Stream) {
  const std::int32_t count = ReadStreamInt32(Stream);
  CheckAvailable(Stream, count, 4);
  return count;
}

// The skin's version for an image: element, group, skin; an image outside a skin reads the
// current format.
double VersionOf(TdxSkinElement* Element) {
  if (Element)
    if (auto* group = dynamic_cast<TdxSkinControlGroup*>(TPersistent::OwnerOf(Element)))
      if (auto* skin = dynamic_cast<TdxSkin*>(TPersistent::OwnerOf(group))) return skin->Version();
  return dxSkinCurrentVersion;
}

}  // namespace

// ---- primitives -------------------------------------------------------------------------------

std::int32_t ReadStreamInt32(TStream* Stream) {
  std::uint8_t b[4];
  Stream->ReadBuffer(b, 4);
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                                   (static_cast<std::uint32_t>(b[2]) << 16) |
                                   (static_cast<std::uint32_t>(b[3]) << 24));
}

String ReadAnsiText(TStream* Stream) {
  const std::int32_t length = ReadStreamInt32(Stream);
  if (length <= 0) return String();
  CheckAvailable(Stream, length, 1);
  String raw(static_cast<std::size_t>(length), '\0');
  Stream->ReadBuffer(raw.data(), length);
  String result;
  ConvertFromAnsiText(raw, 0, result);
  return result;
}

String ReadWideText(TStream* Stream) {
  const std::int32_t length = ReadStreamInt32(Stream);
  if (length <= 0) return String();
  CheckAvailable(Stream, length, 2);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length) * 2);
  Stream->ReadBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
  WideString wide(static_cast<std::size_t>(length), u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i)
    wide[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
  return platform::Utf16ToUtf8(wide);
}

void WriteAnsiText(TStream* Stream, const String& S) {
  String raw;
  ConvertToAnsiText(S, 0, raw);
  WriteInt32(Stream, static_cast<std::int32_t>(raw.size()));
  if (!raw.empty()) Stream->WriteBuffer(raw.data(), static_cast<std::int32_t>(raw.size()));
}

void WriteWideText(TStream* Stream, const String& S) {
  const WideString wide = platform::Utf8ToUtf16(S);
  WriteInt32(Stream, static_cast<std::int32_t>(wide.size()));
  std::vector<std::uint8_t> bytes;
  bytes.reserve(wide.size() * 2);
  for (char16_t c : wide) {
    bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(static_cast<std::uint8_t>(c >> 8));
  }
  if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<std::int32_t>(bytes.size()));
}

bool ReadSkinHeader(TStream* Stream, double& Version) {
  Stream->Seek(4, soCurrent);
  char signature[6];
  if (Stream->Read(signature, 6) != 6 || std::memcmp(signature, dxSkinSignature, 6) != 0) return false;
  std::uint8_t bytes[8];
  Stream->ReadBuffer(bytes, 8);
  std::memcpy(&Version, bytes, 8);
  return true;
}

void WriteSkinHeader(TStream* Stream) {
  WriteInt32(Stream, 6);
  Stream->WriteBuffer(dxSkinSignature, 6);
  const double version = dxSkinCurrentVersion;
  Stream->WriteBuffer(&version, 8);
}

void CheckSkinVersion(double Version) {
  // A NaN is no version either.
  if (!(Version >= dxSkinOldestVersion)) throw EdxSkin(GetLocalizedResString(sdxSkinOldVersion));
}

// ---- lists -----------------------------------------------------------------------------------

void TdxSkinProperties::ReadFromStream(TStream* Stream, double) {
  BeginUpdate();
  try {
    const int count = ReadCount(Stream);
    for (int i = 0; i < count; ++i) {
      TClass cls = FindClass(ReadAnsiText(Stream));
      const String name = ReadAnsiText(Stream);
      Add(name, cls)->ReadValue(Stream);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkinProperties::WriteToStream(TStream* Stream) {
  WriteInt32(Stream, Count());
  for (int i = 0; i < Count(); ++i) PropertyAt(i)->WriteToStream(Stream);
}

void TdxSkinColors::ReadFromStream(TStream* Stream, double Version) {
  BeginUpdate();
  try {
    const int count = ReadCount(Stream);
    for (int i = 0; i < count; ++i) {
      if (Version >= 0.92) ReadAnsiText(Stream);
      const String name = ReadAnsiText(Stream);
      AddColor(name, ReadColor(Stream));
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkinControlGroups::ReadFromStream(TStream* Stream, double Version) {
  const int count = ReadCount(Stream);
  for (int i = 0; i < count; ++i) Add(ReadAnsiText(Stream))->ReadData(Stream, Version);
}

void TdxSkinControlGroups::WriteToStream(TStream* Stream) {
  WriteInt32(Stream, Count());
  for (int i = 0; i < Count(); ++i) {
    WriteAnsiText(Stream, GroupAt(i)->Name());
    GroupAt(i)->WriteData(Stream);
  }
}

void TdxSkinElements::ReadFromStream(TStream* Stream, double Version) {
  const int count = ReadCount(Stream);
  for (int i = 0; i < count; ++i) Add(ReadAnsiText(Stream), TdxSkinElement::StaticClass())->ReadData(Stream, Version);
}

void TdxSkinElements::WriteToStream(TStream* Stream) {
  WriteInt32(Stream, Count());
  for (int i = 0; i < Count(); ++i) {
    WriteAnsiText(Stream, ElementAt(i)->Name());
    ElementAt(i)->WriteData(Stream);
  }
}

// ---- property values ------------------------------------------------------------------------

void TdxSkinIntegerProperty::ReadValue(TStream* Stream) { SetValue(ReadStreamInt32(Stream)); }
void TdxSkinIntegerProperty::WriteValue(TStream* Stream) { WriteInt32(Stream, FValue); }
void TdxSkinBooleanProperty::ReadValue(TStream* Stream) { SetValue(ReadByte(Stream) != 0); }
void TdxSkinBooleanProperty::WriteValue(TStream* Stream) { WriteByte(Stream, FValue ? 1 : 0); }
void TdxSkinColor::ReadValue(TStream* Stream) { SetValue(ReadColor(Stream)); }
void TdxSkinColor::WriteValue(TStream* Stream) { WriteInt32(Stream, static_cast<std::int32_t>(FValue)); }
void TdxSkinRectProperty::ReadValue(TStream* Stream) { FValue->AssignRect(ReadRect(Stream)); }
void TdxSkinRectProperty::WriteValue(TStream* Stream) { WriteRect(Stream, FValue->Rect()); }
void TdxSkinSizeProperty::ReadValue(TStream* Stream) {
  win::SIZE s;
  s.cx = ReadStreamInt32(Stream);
  s.cy = ReadStreamInt32(Stream);
  SetValue(s);
}
void TdxSkinSizeProperty::WriteValue(TStream* Stream) {
  WriteInt32(Stream, FValue.cx);
  WriteInt32(Stream, FValue.cy);
}
void TdxSkinStringProperty::ReadValue(TStream* Stream) { SetValue(ReadAnsiText(Stream)); }
void TdxSkinStringProperty::WriteValue(TStream* Stream) { WriteAnsiText(Stream, Value()); }
void TdxSkinWideStringProperty::ReadValue(TStream* Stream) { SetValue(ReadWideText(Stream)); }
void TdxSkinWideStringProperty::WriteValue(TStream* Stream) { WriteWideText(Stream, Value()); }
void TdxSkinBorder::ReadValue(TStream* Stream) {
  SetColor(ReadColor(Stream));
  SetThin(ReadStreamInt32(Stream));
}
void TdxSkinBorder::WriteValue(TStream* Stream) {
  WriteInt32(Stream, static_cast<std::int32_t>(FColor));
  WriteInt32(Stream, FThin);
}

// ---- images, elements, groups ---------------------------------------------------------------

void TdxSkinImage::ReadData(TStream* Stream) {
  const double version = VersionOf(FOwner);
  FMargins->AssignRect(ReadRect(Stream));
  const std::uint8_t layout = ReadByte(Stream);
  const std::uint16_t states = ReadWord(Stream);
  const std::uint8_t stretch = ReadByte(Stream);
  // Values no writer makes are damaged data.
  if (layout > ilVertical || stretch > smNoResize) throw EReadError(SReadError);
  SetImageLayout(static_cast<TdxSkinImageLayout>(layout));
  SetStates(states);
  SetStretch(static_cast<TdxSkinStretchMode>(stretch));
  if (version >= 1.02) {
    SetGradientBeginColor(ReadColor(Stream));
    SetGradientEndColor(ReadColor(Stream));
    const std::uint8_t gradient = ReadByte(Stream);
    if (gradient > gmBackwardDiagonal) throw EReadError(SReadError);
    SetGradient(static_cast<TdxSkinGradientMode>(gradient));
  }
  // The texture: whatever its decoder takes, the next field starts right after its bytes.
  const std::int32_t length = ReadStreamInt32(Stream);
  if (length > 0) {
    CheckAvailable(Stream, length, 1);
    const std::int64_t start = Stream->Position();
    try {
      TdxSkinPartStream part(Stream, length, start);
      FTexture->LoadFromStream(&part);
    } catch (...) {
      Stream->SetPosition(start + length);
      FDirty = true;
      throw;
    }
    Stream->SetPosition(start + length);
  }
  FDirty = true;
}

void TdxSkinImage::WriteData(TStream* Stream) {
  WriteRect(Stream, FMargins->Rect());
  WriteByte(Stream, static_cast<std::uint8_t>(FImageLayout));
  WriteWord(Stream, FStates);
  WriteByte(Stream, static_cast<std::uint8_t>(FStretch));
  WriteInt32(Stream, static_cast<std::int32_t>(FGradientBeginColor));
  WriteInt32(Stream, static_cast<std::int32_t>(FGradientEndColor));
  WriteByte(Stream, static_cast<std::uint8_t>(FGradient));
  TMemoryStream png;
  if (!IsEmpty()) FTexture->SaveToStream(&png);
  WriteInt32(Stream, static_cast<std::int32_t>(png.Size()));
  if (png.Size() > 0) Stream->WriteBuffer(png.Memory(), static_cast<std::int32_t>(png.Size()));
}

void TdxSkinElement::ReadData(TStream* Stream, double Version) {
  FColor = ReadColor(Stream);
  FAlpha = ReadByte(Stream);
  SetImageCount(ReadStreamInt32(Stream));
  FContentOffset->AssignRect(ReadRect(Stream));
  FGlyph->ReadData(Stream);
  FImage->ReadData(Stream);
  for (int side = 0; side < 4; ++side) {
    TdxSkinBorder* border = FBorders->BorderAt(side);
    if (Version >= 0.92) ReadAnsiText(Stream);
    border->SetName(ReadAnsiText(Stream));
    border->ReadValue(Stream);
  }
  SetColor(FColor);
  if (Version >= 0.93) SetTextColor(ReadColor(Stream));
  if (Version >= 0.94) {
    win::SIZE s;
    s.cx = ReadStreamInt32(Stream);
    s.cy = ReadStreamInt32(Stream);
    FMinSize->AssignSize(s);
  }
  if (Version >= 0.95) FProperties->ReadFromStream(Stream, Version);
}

void TdxSkinElement::WriteData(TStream* Stream) {
  WriteInt32(Stream, static_cast<std::int32_t>(FColor));
  WriteByte(Stream, FAlpha);
  WriteInt32(Stream, FImageCount);
  WriteRect(Stream, FContentOffset->Rect());
  FGlyph->WriteData(Stream);
  FImage->WriteData(Stream);
  for (int side = 0; side < 4; ++side) FBorders->BorderAt(side)->WriteToStream(Stream);
  WriteInt32(Stream, static_cast<std::int32_t>(FTextColor));
  const TSize size = FMinSize->CurrentSize();
  WriteInt32(Stream, size.cx);
  WriteInt32(Stream, size.cy);
  FProperties->WriteToStream(Stream);
}

void TdxSkinControlGroup::ReadData(TStream* Stream, double Version) {
  FElements->ReadFromStream(Stream, Version);
  if (Version >= 0.91) FProperties->ReadFromStream(Stream, Version);
}

void TdxSkinControlGroup::WriteData(TStream* Stream) {
  FElements->WriteToStream(Stream);
  FProperties->WriteToStream(Stream);
}

// ---- the skin --------------------------------------------------------------------------------

void TdxSkin::LoadFromResource(win::HMODULE Module) {
  TResourceStream stream(Module, FSkinName, "DXSKINS");
  LoadFromStream(&stream);
}

void TdxSkin::LoadFromStream(TStream* Stream) {
  if (!IsGdiPlusAvailable()) return;
  double version = 0;
  if (!ReadSkinHeader(Stream, version)) throw EdxSkin(GetLocalizedResString(sdxSkinInvalidStreamFormat));
  FVersion = version;
  FSkinName = ReadAnsiText(Stream);
  CheckSkinVersion(FVersion);
  BeginUpdate();
  try {
    ClearContent();
    FColors->ReadFromStream(Stream, FVersion);
    FProperties->ReadFromStream(Stream, FVersion);
    FGroups->ReadFromStream(Stream, FVersion);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkin::SaveToStream(TStream* Stream) {
  WriteSkinHeader(Stream);
  WriteAnsiText(Stream, FSkinName);
  FColors->WriteToStream(Stream);
  FProperties->WriteToStream(Stream);
  FGroups->WriteToStream(Stream);
}

// ---- the part stream --------------------------------------------------------------------------

TdxSkinPartStream::TdxSkinPartStream(TStream* ASource, std::int64_t ASize, std::int64_t AStart)
    : FSource(ASource) {
  FStart = AStart < 0 ? ASource->Position() : AStart;
  FEnd = FStart + ASize;
}

std::int32_t TdxSkinPartStream::Read(void* Buffer, std::int32_t Count) { return FSource->Read(Buffer, Count); }

std::int32_t TdxSkinPartStream::Write(const void* Buffer, std::int32_t Count) {
  const std::int32_t written = FSource->Write(Buffer, Count);
  FEnd = FSource->Position();
  return written;
}

std::int64_t TdxSkinPartStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t target;
  switch (Origin) {
    case soBeginning:
      target = FStart + Offset;
      break;
    case soEnd:
      target = FEnd + Offset;
      break;
    default:
      target = FSource->Position() + Offset;
      break;
  }
  target = std::clamp(target, FStart, FEnd);
  FSource->SetPosition(target);
  return FSource->Position() - FStart;
}

// ---- listing skins -----------------------------------------------------------------------------

TdxSkinBinaryReader::TdxSkinBinaryReader(TStream* AStream) : FSkins(new TStringList()), FStream(AStream) {
  try {
    const std::int64_t start = FStream->Position();
    if (!ReadContainer()) {
      // A failed container leaves no lines of its own behind.
      FSkins->Clear();
      FStream->SetPosition(start);
      ReadSingleSkin();
    }
  } catch (...) {
    delete FSkins;
    throw;
  }
}

TdxSkinBinaryReader::~TdxSkinBinaryReader() { delete FSkins; }

bool TdxSkinBinaryReader::ReadContainer() {
  double version = 0;
  if (!ReadSkinHeader(FStream, version) || !(version > 1.0)) return false;
  std::uint8_t countBytes[4];
  if (FStream->Read(countBytes, 4) != 4) return false;
  std::int32_t count = 0;
  std::memcpy(&count, countBytes, 4);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::int32_t size = ReadStreamInt32(FStream);
    const std::int64_t at = FStream->Position();
    // A part that cannot lie in the stream is no container part.
    if (size < 0 || at + size > FStream->Size()) return false;
    if (!ReadSingleSkin()) return false;
    FStream->SetPosition(at + size);
  }
  return true;
}

bool TdxSkinBinaryReader::ReadSingleSkin() {
  const std::int64_t at = FStream->Position();
  double version = 0;
  if (!ReadSkinHeader(FStream, version) || !(version >= dxSkinOldestVersion)) return false;
  const String name = ReadAnsiText(FStream);
  {
    TdxSkinColors colors(nullptr);
    colors.ReadFromStream(FStream, version);
  }
  TdxSkinProperties properties(nullptr);
  properties.ReadFromStream(FStream, version);
  String displayName = name;
  if (auto* p = dynamic_cast<TdxSkinStringProperty*>(properties.FindByName("DisplayName"))) displayName = p->Value();
  FSkins->AddObject(name + FSkins->NameValueSeparator() + displayName,
                    reinterpret_cast<TObject*>(static_cast<std::intptr_t>(at)));
  return true;
}

String TdxSkinBinaryReader::SkinNames(int Index) { return FSkins->Names(Index); }

String TdxSkinBinaryReader::DisplayNames(int Index) { return FSkins->ValueFromIndex(Index); }

std::int64_t TdxSkinBinaryReader::SkinOffset(int Index) {
  return static_cast<std::int64_t>(reinterpret_cast<std::intptr_t>(FSkins->Objects(Index)));
}

bool ListSkinStreamNames(TStream* Stream, TStrings* Strings, bool DisplayNames) {
  TdxSkinBinaryReader reader(Stream);
  if (reader.Count() == 0) return false;
  // Room for the lines already there as well as the new ones.
  Strings->SetCapacity(Strings->Count() + reader.Count());
  for (int i = 0; i < reader.Count(); ++i) Strings->Add(DisplayNames ? reader.DisplayNames(i) : reader.SkinNames(i));
  return true;
}

bool ListSkinFileNames(const String& FileName, TStrings* Strings, bool DisplayNames) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyNone);
  return ListSkinStreamNames(&stream, Strings, DisplayNames);
}
