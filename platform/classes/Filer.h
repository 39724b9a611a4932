#pragma once
// Component streaming: the writer stores a component, its published properties, the data it
// defines itself and its children; the reader builds them again, runs the loading protocol and
// binds references and events by name.
//
// The stored form is binary (signature "VWF0"); FormDescription.h turns it into the text of a
// form description and back.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Streams.h"

class TCollection;

enum TValueType : std::uint8_t {
  vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent, vaFalse, vaTrue, vaBinary,
  vaSet, vaLString, vaNil, vaCollection, vaSingle, vaCurrency, vaDate, vaWString, vaInt64, vaUTF8String,
  vaDouble
};

// Prefix flags of a stored component.
constexpr std::uint8_t ffInherited = 0x01;
constexpr std::uint8_t ffChildPos = 0x02;
constexpr std::uint8_t ffInline = 0x04;

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

class TFiler : public TObject {
  VW_CLASS(TFiler, TObject)
 public:
  explicit TFiler(TStream* Stream) : FStream(Stream) {}

  // Data an object stores itself beside its published properties. HasData decides whether the
  // writer writes it; the reader calls ReadData when it meets the name.
  virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) = 0;
  virtual void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;

  TComponent* Root() const { return FRoot; }
  void SetRoot(TComponent* v) { FRoot = v; }
  TComponent* LookupRoot() const { return FLookupRoot; }
  // The object being compared against while writing a descendent (null otherwise).
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* v) { FAncestor = v; }
  bool IgnoreChildren() const { return FIgnoreChildren; }
  void SetIgnoreChildren(bool v) { FIgnoreChildren = v; }
  TStream* Stream() const { return FStream; }

 protected:
  TStream* FStream;
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
  TPersistent* FAncestor = nullptr;
  bool FIgnoreChildren = false;
};

class TReader : public TFiler {
  VW_CLASS(TReader, TFiler)
 public:
  explicit TReader(TStream* Stream);
  ~TReader() override;

  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData, bool HasData) override;

  // Reads a whole stored component. With Root null the root is created from its stored class name
  // (registered with RegisterClass); else the stored data are read into Root.
  TComponent* ReadRootComponent(TComponent* Root);
  // Reads one stored child component; null creates it from its class under the current owner.
  TComponent* ReadComponent(TComponent* Component);
  // The properties and children of Instance (TComponent::ReadState calls it).
  void ReadData(TComponent* Instance);

  TComponent* Owner() const { return FOwner; }
  void SetOwner(TComponent* v) { FOwner = v; }
  TComponent* Parent() const { return FParent; }
  void SetParent(TComponent* v) { FParent = v; }

  // Values.
  TValueType NextValue();
  TValueType ReadValue();
  bool EndOfList();
  void ReadListBegin();
  void ReadListEnd();
  std::int32_t ReadInteger();
  std::int64_t ReadInt64();
  bool ReadBoolean();
  double ReadFloat();
  double ReadDate();
  std::int64_t ReadCurrencyScaled();
  String ReadString();
  String ReadIdent();
  Variant ReadVariant();
  void ReadCollection(TCollection* Collection);
  void SkipValue();
  // A short string (length byte and bytes): names in the stored form.
  String ReadStr();
  void ReadSignature();
  void ReadPrefix(std::uint8_t& Flags, std::int32_t& ChildPos);
  // One stored property (name and value) into Instance, for objects that read nested property
  // lists of their own.
  void ReadProperty(TPersistent* Instance);

 private:
  void ReadPropValue(TPersistent* Instance, const TPropInfo& Prop);
  std::uint64_t ReadSet(const TEnumInfo* EnumType);
  void ReadBytes(void* Buffer, std::int32_t Count);
  std::uint8_t ReadByte();
  void CheckValue(TValueType Value);
  [[noreturn]] void PropValueError();
  void FixupReferences();

  struct Fixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    String Name;
  };

  TComponent* FOwner = nullptr;
  TComponent* FParent = nullptr;
  String FPropName;
  std::vector<Fixup> FFixups;
  std::vector<TComponent*> FLoaded;
  int FDepth = 0;
  int FNesting = 0;
  friend struct ReaderNesting;
};

class TWriter : public TFiler {
  VW_CLASS(TWriter, TFiler)
 public:
  explicit TWriter(TStream* Stream) : TFiler(Stream) {}

  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData, bool HasData) override;
  void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData, bool HasData) override;

  void WriteRootComponent(TComponent* Root) { WriteDescendent(Root, nullptr); }
  // Writes Root with only what differs from Ancestor (null: everything).
  void WriteDescendent(TComponent* Root, TComponent* Ancestor);
  void WriteComponent(TComponent* Component);
  // The prefix, class, name, properties and children of Instance (TComponent::WriteState calls it).
  void WriteData(TComponent* Instance);

  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(std::int64_t Value);
  void WriteBoolean(bool Value);
  void WriteFloat(double Value);
  void WriteSingle(float Value);
  void WriteDate(double Value);
  void WriteCurrencyScaled(std::int64_t Value);
  void WriteString(const String& Value);
  void WriteIdent(const String& Ident);
  void WriteVariant(const Variant& Value);
  void WriteCollection(TCollection* Value);
  void WriteStr(const String& Value);
  void WriteSignature();
  void WriteValue(TValueType Value);

 private:
  void WriteProperties(TPersistent* Instance);
  void WriteProperty(TPersistent* Instance, const TPropInfo& Prop);
  void WritePropName(const String& Name);
  void WriteBytes(const void* Buffer, std::int32_t Count);
  String ReferenceName(TComponent* Component);

  String FPropPath;
  TComponent* FRootAncestor = nullptr;
  std::vector<TComponent*> FAncestorList;
};

// Stored-form helpers.
// Reads a component from a stream holding either the binary form or the text of a form description.
TComponent* ReadComponentFrom(TStream* Stream, TComponent* Instance);
