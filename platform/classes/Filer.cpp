#include "platform/classes/Filer.h"

#include <cmath>
#include <cstring>

#include "platform/classes/Collection.h"
#include "platform/classes/FormDescription.h"
#include "platform/system/CodePage.h"

namespace {

constexpr char kSignature[4] = {'V', 'W', 'F', '0'};

std::vector<String> SplitPath(const String& path) {
  std::vector<String> parts;
  std::size_t start = 0;
  while (true) {
    std::size_t dot = path.find('.', start);
    parts.push_back(path.substr(start, dot == String::npos ? String::npos : dot - start));
    if (dot == String::npos) break;
    start = dot + 1;
  }
  return parts;
}

// The 80-bit extended format some stored forms carry: sign, 15-bit exponent, 64-bit mantissa with
// an explicit integer bit.
double ExtendedToDouble(const std::uint8_t b[10]) {
  std::uint64_t mantissa;
  std::memcpy(&mantissa, b, 8);
  int exponent = (b[8] | (b[9] << 8)) & 0x7FFF;
  bool negative = (b[9] & 0x80) != 0;
  double v;
  if (exponent == 0 && mantissa == 0)
    v = 0;
  else if (exponent == 0x7FFF)
    v = mantissa << 1 ? NAN : INFINITY;
  else
    v = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  return negative ? -v : v;
}

}  // namespace

// Nesting deeper than any real form means a damaged stream; refused before it exhausts the stack.
struct ReaderNesting {
  explicit ReaderNesting(TReader* r) : reader(r) {
    if (++reader->FNesting > 256) {
      --reader->FNesting;
      throw EReadError(SInvalidImage);
    }
  }
  ~ReaderNesting() { --reader->FNesting; }
  TReader* reader;
};

// ======================================================================================= TReader

TReader::TReader(TStream* Stream) : TFiler(Stream) {}
TReader::~TReader() = default;

void TReader::ReadBytes(void* Buffer, std::int32_t Count) { FStream->ReadBuffer(Buffer, Count); }

std::uint8_t TReader::ReadByte() {
  std::uint8_t b;
  ReadBytes(&b, 1);
  return b;
}

TValueType TReader::ReadValue() {
  std::uint8_t b = ReadByte();
  if (b > vaDouble) throw EReadError(SInvalidImage);
  return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
  // A raw peek: the prefix byte of an inherited child (0xF0 and up) is no value type.
  std::uint8_t b = ReadByte();
  FStream->Seek(-1, soCurrent);
  return static_cast<TValueType>(b);
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::PropValueError() { throw EReadError(SInvalidPropertyValue); }

void TReader::CheckValue(TValueType Value) {
  if (ReadValue() != Value) {
    FStream->Seek(-1, soCurrent);
    PropValueError();
  }
}

void TReader::ReadListBegin() { CheckValue(vaList); }
void TReader::ReadListEnd() { CheckValue(vaNull); }

std::int32_t TReader::ReadInteger() {
  switch (ReadValue()) {
    case vaInt8: return static_cast<std::int8_t>(ReadByte());
    case vaInt16: {
      std::int16_t v;
      ReadBytes(&v, 2);
      return v;
    }
    case vaInt32: {
      std::int32_t v;
      ReadBytes(&v, 4);
      return v;
    }
    default:
      FStream->Seek(-1, soCurrent);
      PropValueError();
  }
}

std::int64_t TReader::ReadInt64() {
  if (NextValue() == vaInt64) {
    ReadValue();
    std::int64_t v;
    ReadBytes(&v, 8);
    return v;
  }
  return ReadInteger();
}

bool TReader::ReadBoolean() { return ReadValue() == vaTrue; }

double TReader::ReadFloat() {
  switch (NextValue()) {
    case vaInt8: case vaInt16: case vaInt32: return ReadInteger();
    case vaInt64: return static_cast<double>(ReadInt64());
    default: break;
  }
  switch (ReadValue()) {
    case vaExtended: {
      std::uint8_t b[10];
      ReadBytes(b, 10);
      return ExtendedToDouble(b);
    }
    case vaDouble: case vaDate: {
      double v;
      ReadBytes(&v, 8);
      return v;
    }
    case vaSingle: {
      float v;
      ReadBytes(&v, 4);
      return v;
    }
    case vaCurrency: {
      std::int64_t v;
      ReadBytes(&v, 8);
      return static_cast<double>(v) / 10000.0;
    }
    default:
      FStream->Seek(-1, soCurrent);
      PropValueError();
  }
}

double TReader::ReadDate() { return ReadFloat(); }

std::int64_t TReader::ReadCurrencyScaled() {
  if (NextValue() == vaCurrency) {
    ReadValue();
    std::int64_t v;
    ReadBytes(&v, 8);
    return v;
  }
  return std::llround(ReadFloat() * 10000.0);
}

String TReader::ReadString() {
  std::int32_t len;
  switch (ReadValue()) {
    case vaString:
      len = ReadByte();
      break;
    case vaLString: case vaUTF8String:
      ReadBytes(&len, 4);
      break;
    case vaWString: {
      ReadBytes(&len, 4);
      if (len < 0 || len > FStream->Size()) throw EReadError(SReadError);
      std::u16string w(static_cast<std::size_t>(len), u'\0');
      if (len) ReadBytes(w.data(), len * 2);
      return platform::Utf16ToUtf8(w);
    }
    default:
      FStream->Seek(-1, soCurrent);
      PropValueError();
  }
  // A corrupt length must fail as a short read, not as a huge allocation.
  if (len < 0 || len > FStream->Size() - FStream->Position()) throw EReadError(SReadError);
  String s(static_cast<std::size_t>(len), '\0');
  if (len) ReadBytes(s.data(), len);
  return s;
}

String TReader::ReadStr() {
  std::uint8_t len = ReadByte();
  String s(len, '\0');
  if (len) ReadBytes(s.data(), len);
  return s;
}

String TReader::ReadIdent() {
  switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default:
      FStream->Seek(-1, soCurrent);
      PropValueError();
  }
}

Variant TReader::ReadVariant() {
  ReaderNesting nesting(this);
  switch (NextValue()) {
    case vaNil: ReadValue(); return Variant();
    case vaNull: ReadValue(); return Variant::Null();
    case vaFalse: case vaTrue: return Variant(ReadBoolean());
    case vaInt8: return Variant(static_cast<std::int8_t>(ReadInteger()));
    case vaInt16: return Variant(static_cast<std::int16_t>(ReadInteger()));
    case vaInt32: return Variant(ReadInteger());
    case vaInt64: return Variant(static_cast<long long>(ReadInt64()));
    case vaSingle: return Variant(static_cast<float>(ReadFloat()));
    case vaExtended: case vaDouble: return Variant(ReadFloat());
    case vaCurrency: return Variant::FromCurrencyScaled(ReadCurrencyScaled());
    case vaDate: return Variant::FromDateTime(ReadDate());
    case vaWString: return Variant::OleStr(ReadString());
    case vaString: case vaLString: case vaUTF8String: return Variant(ReadString());
    case vaList: {
      ReadValue();
      std::vector<Variant> items;
      while (!EndOfList()) items.push_back(ReadVariant());
      ReadListEnd();
      Variant a = VarArrayCreate(0, static_cast<int>(items.size()) - 1, varVariant);
      for (std::size_t i = 0; i < items.size(); ++i) a[static_cast<int>(i)] = items[i];
      return a;
    }
    default: PropValueError();
  }
}

void TReader::SkipValue() {
  ReaderNesting nesting(this);
  auto skip = [this](std::int64_t n) {
    if (n < 0 || n > FStream->Size() - FStream->Position()) throw EReadError(SReadError);
    FStream->Seek(n, soCurrent);
  };
  std::int32_t len;
  switch (ReadValue()) {
    case vaNull: case vaFalse: case vaTrue: case vaNil: break;
    case vaList:
      while (!EndOfList()) SkipValue();
      ReadListEnd();
      break;
    case vaInt8: skip(1); break;
    case vaInt16: skip(2); break;
    case vaInt32: case vaSingle: skip(4); break;
    case vaExtended: skip(10); break;
    case vaInt64: case vaDouble: case vaCurrency: case vaDate: skip(8); break;
    case vaString: case vaIdent: skip(ReadByte()); break;
    case vaLString: case vaUTF8String: case vaBinary:
      ReadBytes(&len, 4);
      skip(len);
      break;
    case vaWString:
      ReadBytes(&len, 4);
      skip(std::int64_t{len} * 2);
      break;
    case vaSet:
      while (!ReadStr().empty()) {
      }
      break;
    case vaCollection:
      while (!EndOfList()) {
        if (NextValue() == vaInt8 || NextValue() == vaInt16 || NextValue() == vaInt32) SkipValue();
        ReadListBegin();
        while (!EndOfList()) {
          ReadStr();
          SkipValue();
        }
        ReadListEnd();
      }
      ReadListEnd();
      break;
  }
}

void TReader::ReadSignature() {
  char sig[4];
  ReadBytes(sig, 4);
  if (std::memcmp(sig, kSignature, 4) != 0) throw EReadError(SInvalidImage);
}

void TReader::ReadPrefix(std::uint8_t& Flags, std::int32_t& ChildPos) {
  Flags = 0;
  ChildPos = 0;
  std::uint8_t b = ReadByte();
  if ((b & 0xF0) == 0xF0) {
    Flags = b & 0x0F;
    if (Flags & ffChildPos) ChildPos = ReadInteger();
  } else {
    FStream->Seek(-1, soCurrent);
  }
}

std::uint64_t TReader::ReadSet(const TEnumInfo* EnumType) {
  CheckValue(vaSet);
  std::uint64_t bits = 0;
  while (true) {
    String name = ReadStr();
    if (name.empty()) break;
    int v = EnumType->Value(name);
    if (v < 0 || v >= 64) PropValueError();
    bits |= std::uint64_t{1} << v;
  }
  return bits;
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (!FPropName.empty() && ReadData && SameText(Name, FPropName)) {
    FPropName.clear();
    ReadData(this);
  }
}

void TReader::DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (!FPropName.empty() && ReadData && SameText(Name, FPropName)) {
    FPropName.clear();
    CheckValue(vaBinary);
    std::int32_t size;
    ReadBytes(&size, 4);
    if (size < 0 || size > FStream->Size() - FStream->Position()) throw EReadError(SReadError);
    TMemoryStream data;
    data.SetSize(size);
    if (size) ReadBytes(data.Memory(), size);
    data.SetPosition(0);
    ReadData(&data);
  }
}

void TReader::ReadCollection(TCollection* Collection) {
  ReaderNesting nesting(this);
  Collection->BeginUpdate();
  try {
    // An empty collection value is written when a descendent removed its ancestor's items; it
    // must empty the collection too.
    Collection->Clear();
    while (!EndOfList()) {
      TValueType next = NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32) ReadInteger();
      TCollectionItem* item = Collection->Add();
      ReadListBegin();
      while (!EndOfList()) ReadProperty(item);
      ReadListEnd();
    }
    ReadListEnd();
  } catch (...) {
    Collection->EndUpdate();
    throw;
  }
  Collection->EndUpdate();
}

void TReader::ReadProperty(TPersistent* Instance) {
  String path = ReadStr();
  ++FDepth;
  try {
    std::vector<String> parts = SplitPath(path);
    TPersistent* obj = Instance;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
      const TPropInfo* p = GetPropInfo(obj, parts[i]);
      TPersistent* sub = p && p->Kind == tkClass ? dynamic_cast<TPersistent*>(p->GetObj(obj)) : nullptr;
      if (!sub) throw EReadError(Format(SUnknownProperty, parts[i]));
      obj = sub;
    }
    const String& last = parts.back();
    if (const TPropInfo* p = GetPropInfo(obj, last)) {
      ReadPropValue(obj, *p);
    } else {
      FPropName = last;
      obj->DefineProperties(this);
      if (!FPropName.empty()) {
        FPropName.clear();
        throw EReadError(Format(SUnknownProperty, last));
      }
    }
  } catch (Exception& e) {
    --FDepth;
    // Name the property once, at the outermost level, so the operator sees where the form is wrong.
    if (FDepth == 0) {
      String owner = Instance->GetNamePath();
      e.SetMessage("Error reading " + owner + (owner.empty() ? "" : ".") + path + ": " + e.Message());
    }
    throw;
  }
  --FDepth;
}

void TReader::ReadPropValue(TPersistent* Instance, const TPropInfo& Prop) {
  if (Prop.ReadOnly && Prop.Kind != tkClass) throw EReadError("Property is read-only");
  switch (Prop.Kind) {
    case tkInteger: case tkInt64:
      if (NextValue() == vaIdent) {
        String ident = ReadIdent();
        std::int64_t v;
        if (!Prop.IdentToInt || !Prop.IdentToInt(ident, v)) PropValueError();
        Prop.SetOrd(Instance, v);
      } else {
        Prop.SetOrd(Instance, ReadInt64());
      }
      break;
    case tkChar:
      if (NextValue() == vaString || NextValue() == vaLString) {
        String text = ReadString();
        if (text.size() != 1) PropValueError();
        Prop.SetOrd(Instance, static_cast<unsigned char>(text[0]));
      } else {
        Prop.SetOrd(Instance, ReadInteger());
      }
      break;
    case tkEnumeration: {
      int v = Prop.EnumType->Value(ReadIdent());
      if (v < 0) PropValueError();
      Prop.SetOrd(Instance, v);
      break;
    }
    case tkSet:
      Prop.SetOrd(Instance, static_cast<std::int64_t>(ReadSet(Prop.EnumType)));
      break;
    case tkFloat:
      Prop.SetFloat(Instance, ReadFloat());
      break;
    case tkLString: case tkString: case tkWString:
      Prop.SetStr(Instance, ReadString());
      break;
    case tkVariant:
      Prop.SetVar(Instance, ReadVariant());
      break;
    case tkMethod: {
      if (NextValue() == vaNil) {
        ReadValue();
        Prop.SetMethod(Instance, nullptr);
        Instance->SetEventHandlerName(Prop.Name, String());
        break;
      }
      String handler = ReadIdent();
      const std::any* h = FRoot ? FRoot->MethodAddress(handler) : nullptr;
      if (!h) throw EMethodNotFound("Method " + handler + " not found");
      Prop.SetMethod(Instance, h);
      Instance->SetEventHandlerName(Prop.Name, handler);
      break;
    }
    case tkClass:
      switch (NextValue()) {
        case vaNil:
          ReadValue();
          if (!Prop.SetObj) PropValueError();
          Prop.SetObj(Instance, nullptr);
          break;
        case vaIdent:
          if (!Prop.SetObj) PropValueError();
          FFixups.push_back({Instance, &Prop, ReadIdent()});
          break;
        case vaCollection: {
          ReadValue();
          auto* collection = dynamic_cast<TCollection*>(Prop.GetObj(Instance));
          if (!collection) PropValueError();
          ReadCollection(collection);
          break;
        }
        default:
          PropValueError();
      }
      break;
    default:
      PropValueError();
  }
}

void TReader::ReadData(TComponent* Instance) {
  while (!EndOfList()) ReadProperty(Instance);
  ReadListEnd();
  TComponent* oldParent = FParent;
  TComponent* oldOwner = FOwner;
  FParent = Instance->GetChildParent();
  FOwner = Instance->GetChildOwner();
  if (!FOwner) FOwner = FRoot;
  try {
    while (!EndOfList()) ReadComponent(nullptr);
    ReadListEnd();
  } catch (...) {
    FParent = oldParent;
    FOwner = oldOwner;
    throw;
  }
  FParent = oldParent;
  FOwner = oldOwner;
}

TComponent* TReader::ReadComponent(TComponent* Component) {
  ReaderNesting nesting(this);
  std::uint8_t flags;
  std::int32_t position;
  ReadPrefix(flags, position);
  String className = ReadStr();
  String name = ReadStr();
  TComponent* result = Component;
  bool created = false;
  if (!result) {
    if (flags & ffInherited) {
      result = FOwner ? FOwner->FindComponent(name) : nullptr;
      if (!result) throw EReadError("Ancestor for '" + name + "' not found");
    } else {
      TClass cls = GetClass(className);
      if (!cls || !cls->InheritsFrom(ClassOf<TComponent>())) throw EClassNotFound(Format(SClassNotFound, className));
      TComponent::FConstructingForReader = true;
      try {
        result = TComponent::Create(cls, FOwner);
      } catch (...) {
        TComponent::FConstructingForReader = false;
        throw;
      }
      TComponent::FConstructingForReader = false;
      created = true;
    }
  }
  try {
    bool wasLoading = result->FComponentState.Contains(csLoading);
    result->FComponentState.Include(csLoading);
    if (created || !wasLoading) FLoaded.push_back(result);
    if (!(flags & ffInherited)) result->SetName(name);
    result->FComponentState.Include(csReading);
    result->ReadState(this);
    result->FComponentState.Exclude(csReading);
    if ((flags & ffChildPos) && FParent) FParent->SetChildOrder(result, position);
  } catch (...) {
    std::erase(FLoaded, result);
    result->FComponentState.Exclude(csReading);
    if (created) {
      // The fixups may point into the component that is going away.
      std::erase_if(FFixups, [&](const Fixup& f) { return f.Instance == result; });
      TObject::Free(result);
    }
    throw;
  }
  return result;
}

void TReader::FixupReferences() {
  auto resolve = [this](const String& name) -> TComponent* {
    if (!FRoot) return nullptr;
    if (SameText(name, "Owner") || SameText(name, FRoot->Name())) return FRoot;
    std::vector<String> parts = SplitPath(name);
    if (parts.size() == 2 && SameText(parts[0], FRoot->Name())) return FRoot->FindComponent(parts[1]);
    if (parts.size() == 1) return FRoot->FindComponent(name);
    // Another form of the application, and a component of it.
    if (parts.size() == 2)
      if (TComponent* form = FindGlobalComponent(parts[0])) return form->FindComponent(parts[1]);
    return nullptr;
  };
  std::vector<Fixup> fixups;
  fixups.swap(FFixups);
  for (const Fixup& f : fixups)
    if (TComponent* target = resolve(f.Name)) f.Prop->SetObj(f.Instance, target);
}

TComponent* TReader::ReadRootComponent(TComponent* Root) {
  ReadSignature();
  std::uint8_t flags;
  std::int32_t position;
  ReadPrefix(flags, position);
  TComponent* result = Root;
  bool created = false;
  if (!result) {
    String className = ReadStr();
    TClass cls = GetClass(className);
    if (!cls || !cls->InheritsFrom(ClassOf<TComponent>())) throw EClassNotFound(Format(SClassNotFound, className));
    TComponent::FConstructingForReader = true;
    try {
      result = TComponent::Create(cls, nullptr);
    } catch (...) {
      TComponent::FConstructingForReader = false;
      throw;
    }
    TComponent::FConstructingForReader = false;
    created = true;
  } else {
    ReadStr();
  }
  try {
    String name = ReadStr();
    result->FComponentState.Include(csLoading);
    result->FComponentState.Include(csReading);
    if (!name.empty() && result->Name() != name) result->SetName(name);
    FRoot = result;
    FLookupRoot = result;
    FOwner = result;
    FLoaded.clear();
    FLoaded.push_back(result);
    result->ReadState(this);
    result->FComponentState.Exclude(csReading);
    // Every reference is in place before any component hears that loading is over.
    FixupReferences();
    std::vector<TComponent*> loaded;
    loaded.swap(FLoaded);
    for (TComponent* c : loaded) c->Loaded();
  } catch (...) {
    FFixups.clear();
    std::vector<TComponent*> loaded;
    loaded.swap(FLoaded);
    if (created) {
      TObject::Free(result);
    } else {
      for (TComponent* c : loaded) {
        c->FComponentState.Exclude(csLoading);
        c->FComponentState.Exclude(csReading);
      }
    }
    throw;
  }
  return result;
}

// ======================================================================================= TWriter

void TWriter::WriteBytes(const void* Buffer, std::int32_t Count) { FStream->WriteBuffer(Buffer, Count); }

void TWriter::WriteValue(TValueType Value) {
  std::uint8_t b = Value;
  WriteBytes(&b, 1);
}

void TWriter::WriteSignature() { WriteBytes(kSignature, 4); }

void TWriter::WriteStr(const String& Value) {
  // Names are short strings; a longer one cannot be stored.
  if (Value.size() > 255) throw EWriteError(SWriteError);
  auto len = static_cast<std::uint8_t>(Value.size());
  WriteBytes(&len, 1);
  if (len) WriteBytes(Value.data(), len);
}

void TWriter::WriteListBegin() { WriteValue(vaList); }
void TWriter::WriteListEnd() { WriteValue(vaNull); }

void TWriter::WriteInteger(std::int64_t Value) {
  if (Value >= -128 && Value <= 127) {
    WriteValue(vaInt8);
    auto v = static_cast<std::int8_t>(Value);
    WriteBytes(&v, 1);
  } else if (Value >= -32768 && Value <= 32767) {
    WriteValue(vaInt16);
    auto v = static_cast<std::int16_t>(Value);
    WriteBytes(&v, 2);
  } else if (Value >= INT32_MIN && Value <= INT32_MAX) {
    WriteValue(vaInt32);
    auto v = static_cast<std::int32_t>(Value);
    WriteBytes(&v, 4);
  } else {
    WriteValue(vaInt64);
    WriteBytes(&Value, 8);
  }
}

void TWriter::WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }

void TWriter::WriteFloat(double Value) {
  // A form description has no spelling for these; better refused than stored unreadable.
  if (!std::isfinite(Value)) throw EWriteError(SWriteError);
  WriteValue(vaDouble);
  WriteBytes(&Value, 8);
}

void TWriter::WriteSingle(float Value) {
  WriteValue(vaSingle);
  WriteBytes(&Value, 4);
}

void TWriter::WriteDate(double Value) {
  WriteValue(vaDate);
  WriteBytes(&Value, 8);
}

void TWriter::WriteCurrencyScaled(std::int64_t Value) {
  WriteValue(vaCurrency);
  WriteBytes(&Value, 8);
}

void TWriter::WriteString(const String& Value) {
  bool ascii = true;
  for (char c : Value)
    if (static_cast<unsigned char>(c) >= 0x80) ascii = false;
  auto len = static_cast<std::int32_t>(Value.size());
  if (!ascii) {
    WriteValue(vaUTF8String);
    WriteBytes(&len, 4);
  } else if (len <= 255) {
    WriteValue(vaString);
    auto b = static_cast<std::uint8_t>(len);
    WriteBytes(&b, 1);
  } else {
    WriteValue(vaLString);
    WriteBytes(&len, 4);
  }
  if (len) WriteBytes(Value.data(), len);
}

void TWriter::WriteIdent(const String& Ident) {
  if (SameText(Ident, "False"))
    WriteValue(vaFalse);
  else if (SameText(Ident, "True"))
    WriteValue(vaTrue);
  else if (SameText(Ident, "Null"))
    WriteValue(vaNull);
  else if (SameText(Ident, "nil"))
    WriteValue(vaNil);
  else {
    WriteValue(vaIdent);
    WriteStr(Ident);
  }
}

void TWriter::WriteVariant(const Variant& Value) {
  if (Value.IsArray()) {
    WriteListBegin();
    for (int i = Value.LowBound(); i <= Value.HighBound(); ++i) WriteVariant(Value[i]);
    WriteListEnd();
    return;
  }
  switch (Value.Type()) {
    case varEmpty: WriteValue(vaNil); break;
    case varNull: WriteValue(vaNull); break;
    case varBoolean: WriteBoolean(Value.AsBoolean()); break;
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord: case varInt64:
      WriteInteger(Value.AsInt64());
      break;
    case varSingle: WriteSingle(static_cast<float>(Value.AsDouble())); break;
    case varDouble: WriteFloat(Value.AsDouble()); break;
    case varCurrency: WriteCurrencyScaled(Value.AsCurrencyScaled()); break;
    case varDate: WriteDate(Value.AsDateTime()); break;
    case varOleStr: {
      std::u16string w = platform::Utf8ToUtf16(Value.AsString());
      WriteValue(vaWString);
      auto len = static_cast<std::int32_t>(w.size());
      WriteBytes(&len, 4);
      if (len) WriteBytes(w.data(), len * 2);
      break;
    }
    case varString: WriteString(Value.AsString()); break;
    default: throw EWriteError(SWriteError);
  }
}

void TWriter::WritePropName(const String& Name) { WriteStr(FPropPath + Name); }

void TWriter::DefineProperty(const String& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (HasData && WriteData) {
    WritePropName(Name);
    WriteData(this);
  }
}

void TWriter::DefineBinaryProperty(const String& Name, TStreamProc, TStreamProc WriteData, bool HasData) {
  if (HasData && WriteData) {
    WritePropName(Name);
    TMemoryStream data;
    WriteData(&data);
    WriteValue(vaBinary);
    auto size = static_cast<std::int32_t>(data.Size());
    WriteBytes(&size, 4);
    if (size) WriteBytes(data.Memory(), size);
  }
}

void TWriter::WriteCollection(TCollection* Value) {
  WriteValue(vaCollection);
  if (Value) {
    String oldPath = FPropPath;
    TPersistent* oldAncestor = FAncestor;
    FPropPath.clear();
    FAncestor = nullptr;
    for (int i = 0; i < Value->Count(); ++i) {
      WriteListBegin();
      WriteProperties(Value->Items(i));
      WriteListEnd();
    }
    FPropPath = oldPath;
    FAncestor = oldAncestor;
  }
  WriteListEnd();
}

String TWriter::ReferenceName(TComponent* Component) {
  if (Component->Owner() == FLookupRoot) return Component->Name();
  if (Component == FLookupRoot) return "Owner";
  if (Component->Owner() && !Component->Owner()->Name().empty() && !Component->Name().empty())
    return Component->Owner()->Name() + "." + Component->Name();
  if (!Component->Name().empty()) return Component->Name() + ".Owner";
  return String();
}

void TWriter::WriteProperties(TPersistent* Instance) {
  for (const TPropInfo* p : GetPropList(Instance)) {
    if (p->ReadOnly && p->Kind != tkClass) continue;
    if (!p->IsStored(Instance)) continue;
    WriteProperty(Instance, *p);
  }
  Instance->DefineProperties(this);
}

void TWriter::WriteProperty(TPersistent* Instance, const TPropInfo& Prop) {
  TPersistent* anc = FAncestor;
  const TPropInfo* ancProp = anc ? GetPropInfo(anc, Prop.Name) : nullptr;
  if (ancProp && ancProp->Kind != Prop.Kind) ancProp = nullptr;
  switch (Prop.Kind) {
    case tkInteger: case tkInt64: case tkEnumeration: case tkSet: case tkChar: {
      std::int64_t v = Prop.GetOrd(Instance);
      if (ancProp ? v == ancProp->GetOrd(anc) : (Prop.HasDefault && v == Prop.Default)) return;
      WritePropName(Prop.Name);
      if (Prop.Kind == tkChar) {
        WriteString(String(1, static_cast<char>(v)));
      } else if (Prop.Kind == tkSet) {
        WriteValue(vaSet);
        for (int i = 0; i < 64; ++i)
          if (static_cast<std::uint64_t>(v) & (std::uint64_t{1} << i)) WriteStr(Prop.EnumType->Name(i));
        WriteStr(String());
      } else if (Prop.Kind == tkEnumeration) {
        WriteIdent(Prop.EnumType->Name(static_cast<int>(v)));
      } else {
        String ident;
        if (Prop.IntToIdent && Prop.IntToIdent(v, ident))
          WriteIdent(ident);
        else
          WriteInteger(v);
      }
      return;
    }
    case tkFloat: {
      double v = Prop.GetFloat(Instance);
      if (ancProp ? v == ancProp->GetFloat(anc) : v == 0) return;
      WritePropName(Prop.Name);
      WriteFloat(v);
      return;
    }
    case tkLString: case tkString: case tkWString: {
      String v = Prop.GetStr(Instance);
      if (ancProp ? v == ancProp->GetStr(anc) : v.empty()) return;
      WritePropName(Prop.Name);
      WriteString(v);
      return;
    }
    case tkVariant: {
      Variant v = Prop.GetVar(Instance);
      if (ancProp) {
        Variant a = ancProp->GetVar(anc);
        if (a.Type() == v.Type() && !v.IsArray() && VarToStr(a) == VarToStr(v)) return;
      } else if (v.IsEmpty()) {
        return;
      }
      WritePropName(Prop.Name);
      WriteVariant(v);
      return;
    }
    case tkMethod: {
      String handler = Prop.MethodAssigned(Instance) ? Instance->EventHandlerName(Prop.Name) : String();
      String ancHandler = ancProp && ancProp->MethodAssigned(anc) ? anc->EventHandlerName(Prop.Name) : String();
      if (handler == ancHandler) return;
      WritePropName(Prop.Name);
      if (handler.empty())
        WriteValue(vaNil);
      else
        WriteIdent(handler);
      return;
    }
    case tkClass: {
      TObject* obj = Prop.GetObj(Instance);
      TObject* ancObj = ancProp ? ancProp->GetObj(anc) : nullptr;
      auto* comp = dynamic_cast<TComponent*>(obj);
      bool reference = Prop.PropClass->InheritsFrom(ClassOf<TComponent>()) &&
                       !(comp && comp->ComponentStyle().Contains(csSubComponent));
      if (reference) {
        if (Prop.ReadOnly) return;
        String name = comp ? ReferenceName(comp) : String();
        auto* ancComp = dynamic_cast<TComponent*>(ancObj);
        String ancName = ancComp ? ancComp->Name() : String();
        if (ancProp ? SameText(name, ancName) : name.empty()) return;
        WritePropName(Prop.Name);
        if (name.empty())
          WriteValue(vaNil);
        else
          WriteIdent(name);
        return;
      }
      if (auto* collection = dynamic_cast<TCollection*>(obj)) {
        auto* ancCollection = dynamic_cast<TCollection*>(ancObj);
        if (collection->Count() == 0 && (!ancCollection || ancCollection->Count() == 0)) return;
        WritePropName(Prop.Name);
        WriteCollection(collection);
        return;
      }
      if (auto* sub = dynamic_cast<TPersistent*>(obj)) {
        String oldPath = FPropPath;
        TPersistent* oldAncestor = FAncestor;
        FPropPath += Prop.Name + ".";
        FAncestor = dynamic_cast<TPersistent*>(ancObj);
        try {
          WriteProperties(sub);
        } catch (...) {
          FPropPath = oldPath;
          FAncestor = oldAncestor;
          throw;
        }
        FPropPath = oldPath;
        FAncestor = oldAncestor;
      }
      return;
    }
    default:
      return;
  }
}

void TWriter::WriteDescendent(TComponent* Root, TComponent* Ancestor) {
  FRootAncestor = Ancestor;
  FAncestor = Ancestor;
  FRoot = Root;
  FLookupRoot = Root;
  WriteSignature();
  WriteComponent(Root);
}

void TWriter::WriteComponent(TComponent* Component) {
  TPersistent* oldAncestor = FAncestor;
  if (Component != FRoot) {
    FAncestor = nullptr;
    for (TComponent* a : FAncestorList)
      if (SameText(a->Name(), Component->Name())) {
        FAncestor = a;
        break;
      }
  }
  bool wasWriting = Component->FComponentState.Contains(csWriting);
  Component->FComponentState.Include(csWriting);
  try {
    Component->WriteState(this);
  } catch (...) {
    if (!wasWriting) Component->FComponentState.Exclude(csWriting);
    FAncestor = oldAncestor;
    throw;
  }
  if (!wasWriting) Component->FComponentState.Exclude(csWriting);
  FAncestor = oldAncestor;
}

void TWriter::WriteData(TComponent* Instance) {
  std::uint8_t flags = 0;
  if (FAncestor) flags |= ffInherited;
  if (flags) {
    std::uint8_t prefix = 0xF0 | flags;
    WriteBytes(&prefix, 1);
  }
  WriteStr(Instance->ClassName());
  WriteStr(Instance->Name());
  String oldPath = FPropPath;
  FPropPath.clear();
  WriteProperties(Instance);
  WriteListEnd();
  FPropPath = oldPath;

  std::vector<TComponent*> oldAncestorList;
  oldAncestorList.swap(FAncestorList);
  if (auto* ancestor = dynamic_cast<TComponent*>(FAncestor))
    ancestor->GetChildren([this](TComponent* c) { FAncestorList.push_back(c); }, FRootAncestor);
  try {
    if (!FIgnoreChildren) Instance->GetChildren([this](TComponent* c) { WriteComponent(c); }, FRoot);
  } catch (...) {
    FAncestorList.swap(oldAncestorList);
    throw;
  }
  FAncestorList.swap(oldAncestorList);
  WriteListEnd();
}

// ======================================================================================= helpers

TComponent* ReadComponentFrom(TStream* Stream, TComponent* Instance) {
  char sig[4] = {};
  std::int64_t start = Stream->Position();
  std::int32_t n = Stream->Read(sig, 4);
  Stream->SetPosition(start);
  if (n == 4 && std::memcmp(sig, kSignature, 4) == 0) return Stream->ReadComponent(Instance);
  TMemoryStream binary;
  ObjectTextToBinary(Stream, &binary);
  binary.SetPosition(0);
  return binary.ReadComponent(Instance);
}
