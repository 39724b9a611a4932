#pragma once
// Value types: how values of one data type sit in a fixed-size slot of a value buffer, convert to
// and from variants, compare, show as text and travel through a stream.
//
// A value type is used as a class, never as an object of its own: each class has one stateless
// prototype, reached through its class reference (`ValueTypeClass<T>()`), on which the virtual
// operations are called. Slots and display-text slots belong to the caller, who must call
// ReleaseValue and FreeDisplayTextBuffer before discarding them.
//
// Slot layouts: fixed-size values sit in the slot itself; the string, wide-string and variant
// types keep a pointer there (null for "no value", Null) to a block they allocate, so their slots
// are pointer-sized. A display-text slot is a pointer to a string, null until a text is stored.
#include <cstdint>

#include "platform/classes/Lists.h"
#include "platform/classes/Streams.h"
#include "platform/classes/Variant.h"

// A stream for value streaming: it reads and writes another stream and says whether texts go as
// UTF-16 (wide) or as their bytes.
class TcxValueStream : public TStream {
  VW_CLASS(TcxValueStream, TStream)
 public:
  TcxValueStream(TStream* Target, bool WideText) : FTarget(Target), FWideText(WideText) {}
  bool WideText() const { return FWideText; }
  std::int32_t Read(void* Buffer, std::int32_t Count) override { return FTarget->Read(Buffer, Count); }
  std::int32_t Write(const void* Buffer, std::int32_t Count) override { return FTarget->Write(Buffer, Count); }
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override { return FTarget->Seek(Offset, Origin); }

 private:
  TStream* FTarget;
  bool FWideText;
};

class TcxValueType;
using TcxValueTypeClass = const TcxValueType*;

class TcxValueType : public TObject {
  VW_CLASS(TcxValueType, TObject)
 public:
  TcxValueType() = default;

  int CompareStored(void* Slot1, void* Slot2) const;
  virtual void ReleaseValue(void* Slot) const;
  void FreeDisplayTextBuffer(void* TextSlot) const;
  virtual int ValueSize() const { return 0; }
  virtual void ReadValueAsVariant(void* Slot, Variant& V) const;
  // The value as text; a value without one gives the empty text.
  virtual String DefaultValueText(void* Slot) const;
  String ReadDisplayTextBuffer(void* TextSlot) const;
  virtual void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const;
  void LoadDisplayTextFromStream(void* TextSlot, TcxValueStream* Reader) const;
  virtual void StoreValueFromVariant(void* Slot, const Variant& V) const;
  void StoreDisplayTextBuffer(void* TextSlot, const String& Text) const;
  virtual void SaveValueToStream(void* Slot, TcxValueStream* Writer) const;
  void SaveDisplayTextToStream(void* TextSlot, TcxValueStream* Writer) const;
  // The class name without "Tcx" and "ValueType": "Integer", "SQLTimeStamp", ...
  String ValueTypeCaption() const;
  // Compares two values as CompareStored hands them over (the held pointer for the pointer
  // types, which may be null): negative, 0 or positive.
  virtual int CompareRaw(void* Value1, void* Value2) const;
  // Buffer as CompareRaw receives it.
  virtual void CopyValueToVariant(void* Buffer, Variant& V) const { ReadValueAsVariant(Buffer, V); }
  virtual TVarType VariantTypeCode() const { return varVariant; }
  // Whether V can be held; when it is cast for that, V becomes the cast value.
  virtual bool AcceptsValue(Variant& V) const;
  virtual bool IsStringType() const { return false; }
  virtual void DereferenceBuffer(void*& /*Slot*/) const {}
};

template <class T>
TcxValueTypeClass ValueTypeClass() {
  static const T prototype;
  return &prototype;
}

// Types that keep a pointer in the slot.
class TcxStringValueType : public TcxValueType {
  VW_CLASS(TcxStringValueType, TcxValueType)
 public:
  void ReleaseValue(void* Slot) const override;
  int ValueSize() const override { return sizeof(void*); }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  void CopyValueToVariant(void* Buffer, Variant& V) const override;
  TVarType VariantTypeCode() const override { return varString; }
  bool IsStringType() const override { return true; }
  void DereferenceBuffer(void*& Slot) const override;
};

// The block: a 32-bit count of UTF-16 units, then the units.
class TcxWideStringValueType : public TcxStringValueType {
  VW_CLASS(TcxWideStringValueType, TcxStringValueType)
 public:
  void ReleaseValue(void* Slot) const override;
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varOleStr; }
};

class TcxSmallintValueType : public TcxValueType {
  VW_CLASS(TcxSmallintValueType, TcxValueType)
 public:
  int ValueSize() const override { return 2; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varSmallint; }
};

class TcxIntegerValueType : public TcxValueType {
  VW_CLASS(TcxIntegerValueType, TcxValueType)
 public:
  int ValueSize() const override { return 4; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varInteger; }
};

class TcxWordValueType : public TcxValueType {
  VW_CLASS(TcxWordValueType, TcxValueType)
 public:
  int ValueSize() const override { return 2; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varWord; }
};

class TcxBooleanValueType : public TcxValueType {
  VW_CLASS(TcxBooleanValueType, TcxValueType)
 public:
  int ValueSize() const override { return 1; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  String DefaultValueText(void* Slot) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varBoolean; }
};

class TcxFloatValueType : public TcxValueType {
  VW_CLASS(TcxFloatValueType, TcxValueType)
 public:
  int ValueSize() const override { return 8; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varDouble; }
};

// Held as the value × 10000 in a signed 64-bit integer.
class TcxCurrencyValueType : public TcxValueType {
  VW_CLASS(TcxCurrencyValueType, TcxValueType)
 public:
  int ValueSize() const override { return 8; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varCurrency; }
};

class TcxDateTimeValueType : public TcxValueType {
  VW_CLASS(TcxDateTimeValueType, TcxValueType)
 public:
  int ValueSize() const override { return 8; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  String DefaultValueText(void* Slot) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varDate; }
};

class TcxLargeIntValueType : public TcxValueType {
  VW_CLASS(TcxLargeIntValueType, TcxValueType)
 public:
  int ValueSize() const override { return 8; }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void* Slot, TcxValueStream* Reader) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void* Slot, TcxValueStream* Writer) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return varInt64; }
};

// A TBcd in the slot; as a variant it travels as its text.
class TcxFMTBcdValueType : public TcxValueType {
  VW_CLASS(TcxFMTBcdValueType, TcxValueType)
 public:
  int ValueSize() const override;
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  String DefaultValueText(void* Slot) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override;
  bool AcceptsValue(Variant& V) const override;
};

// A TSQLTimeStamp in the slot; as a variant it travels as a date.
class TcxSQLTimeStampValueType : public TcxValueType {
  VW_CLASS(TcxSQLTimeStampValueType, TcxValueType)
 public:
  int ValueSize() const override;
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override;
  bool AcceptsValue(Variant& V) const override;
};

class TcxVariantValueType : public TcxValueType {
  VW_CLASS(TcxVariantValueType, TcxValueType)
 public:
  void ReleaseValue(void* Slot) const override;
  int ValueSize() const override { return sizeof(void*); }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  int CompareRaw(void* Value1, void* Value2) const override;
  void CopyValueToVariant(void* Buffer, Variant& V) const override;
  void DereferenceBuffer(void*& Slot) const override;
};

// An owned object; as a variant, its address as an integer of pointer width.
class TcxObjectValueType : public TcxIntegerValueType {
  VW_CLASS(TcxObjectValueType, TcxIntegerValueType)
 public:
  void ReleaseValue(void* Slot) const override;
  int ValueSize() const override { return sizeof(void*); }
  void ReadValueAsVariant(void* Slot, Variant& V) const override;
  void LoadValueFromStream(void*, TcxValueStream*) const override {}
  void StoreValueFromVariant(void* Slot, const Variant& V) const override;
  void SaveValueToStream(void*, TcxValueStream*) const override {}
  int CompareRaw(void* Value1, void* Value2) const override;
  TVarType VariantTypeCode() const override { return sizeof(void*) == 8 ? varInt64 : varInteger; }
};

class TcxValueTypeClassList : public TObject {
  VW_CLASS(TcxValueTypeClassList, TObject)
 public:
  TcxValueTypeClassList();
  ~TcxValueTypeClassList() override;
  // Appends the class unless it is listed already.
  void RegisterClass(TcxValueTypeClass AClass);
  void UnregisterClass(TcxValueTypeClass AClass);
  int Count() const { return FItems->Count(); }
  TcxValueTypeClass Items(int Index) const { return static_cast<TcxValueTypeClass>(FItems->Items(Index)); }

 private:
  TList* FItems;
};

// The process-wide registry, created on first use with the fourteen types registered; null once
// the unit has shut down.
TcxValueTypeClassList* ValueTypeClassList();
