#pragma once
// The skin model: a skin holds skin-wide colours and properties and named control groups of
// drawable elements. Every object is owned by its container, and a change anywhere in the tree
// travels up to the skin, which tells its listeners once per change (or once per update).
#include <cstdint>

#include "platform/classes/Graphics.h"
#include "platform/classes/Interface.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/Streams.h"
#include "platform/gdiplus/GdiPlus.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Lists.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/Rect.h"
#include "ui/foundation/Size.h"

class TdxPNGImage;
class TdxSkin;
class TdxSkinCanvas;
class TdxSkinControlGroup;
class TdxSkinElement;
class TdxSkinElementCache;
class TdxSkinPersistent;

VW_DECLARE_EXCEPTION(EdxSkin, EdxException);

enum TdxSkinElementState {
  esNormal,
  esHot,
  esPressed,
  esDisabled,
  esActive,
  esFocused,
  esDroppedDown,
  esChecked,
  esHotCheck,
  esActiveDisabled,
  esCheckPressed
};
constexpr int dxSkinElementStateCount = 11;
// Bit n is the state of ordinal n; bits 11 to 15 stay clear.
using TdxSkinElementStates = std::uint16_t;
constexpr TdxSkinElementStates StateBit(TdxSkinElementState S) {
  return static_cast<TdxSkinElementStates>(1u << static_cast<unsigned>(S));
}
constexpr TdxSkinElementStates dxSkinElementStatesMask = 0x07FF;

enum TdxSkinImageLayout { ilHorizontal, ilVertical };
enum TdxSkinStretchMode { smStretch, smTile, smNoResize };
enum TdxSkinGradientMode { gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal };

// The format version the writer writes and the oldest the reader takes.
constexpr double dxSkinCurrentVersion = 1.03;
constexpr double dxSkinOldestVersion = 1.0;

// ---- named objects --------------------------------------------------------------------------

class TdxSkinCustomPersistentObject : public TPersistent {
  VW_CLASS(TdxSkinCustomPersistentObject, TPersistent)
 public:
  using CreateArgType = TPersistent;
  explicit TdxSkinCustomPersistentObject(TPersistent* AOwner, const String& AName = String());

  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  TPersistent* Owner() const { return FOwner; }
  // Fires OnChange.
  virtual void Changed();
  // An object of the same class, without owner, with this name and this object's content.
  virtual TdxSkinCustomPersistentObject* Clone();

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  String FName;
  TPersistent* FOwner;
};

class TdxSkinProperty;
using TdxSkinPropertyClass = TClass;

// An owning list kept sorted by name on demand; insertions and removals report a change.
class TdxSkinCustomPersistentObjectList : public TcxObjectList {
  VW_CLASS(TdxSkinCustomPersistentObjectList, TcxObjectList)
 public:
  explicit TdxSkinCustomPersistentObjectList(TdxSkinPersistent* AOwner);
  ~TdxSkinCustomPersistentObjectList() override;

  virtual void Changed();
  virtual void ReadFromStream(TStream* Stream, double Version) = 0;
  virtual void WriteToStream(TStream* Stream) = 0;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  // Case-sensitive under the locale's ordering; sorts the list first when it is not sorted.
  TdxSkinCustomPersistentObject* FindByName(const String& AName);
  // Sorts by name now (a later save writes this order).
  void Sort();
  TdxSkinCustomPersistentObject* Item(int Index) const {
    return static_cast<TdxSkinCustomPersistentObject*>(Items(Index));
  }
  TdxSkinPersistent* Owner() const { return FOwner; }
  bool Sorted() const { return FSorted; }

  TNotifyEvent OnChange;

 protected:
  void Notify(void* Ptr, TListNotification Action) override;
  void ItemChanged(TObject*) { Changed(); }
  TdxSkinPersistent* FOwner;

 private:
  bool FSorted = false;
  int FUpdateCount = 0;
};

class TdxSkinProperties : public TdxSkinCustomPersistentObjectList {
  VW_CLASS(TdxSkinProperties, TdxSkinCustomPersistentObjectList)
 public:
  using TdxSkinCustomPersistentObjectList::TdxSkinCustomPersistentObjectList;
  // A property of the class (a TdxSkinProperty descendant) made through its constructor.
  TdxSkinProperty* Add(const String& AName, TdxSkinPropertyClass AClass);
  class TdxSkinColor* AddColor(const String& AName, TColor AValue);
  void AssignList(TdxSkinProperties* Source);
  TdxSkinProperty* PropertyAt(int Index) const;
  void ReadFromStream(TStream* Stream, double Version) override;
  void WriteToStream(TStream* Stream) override;
};

class TdxSkinColors : public TdxSkinProperties {
  VW_CLASS(TdxSkinColors, TdxSkinProperties)
 public:
  using TdxSkinProperties::TdxSkinProperties;
  class TdxSkinColor* ColorAt(int Index) const;
  void ReadFromStream(TStream* Stream, double Version) override;
};

class TdxSkinControlGroups : public TdxSkinCustomPersistentObjectList {
  VW_CLASS(TdxSkinControlGroups, TdxSkinCustomPersistentObjectList)
 public:
  using TdxSkinCustomPersistentObjectList::TdxSkinCustomPersistentObjectList;
  TdxSkinControlGroup* Add(const String& AName);
  void AssignList(TdxSkinControlGroups* Source);
  TdxSkinControlGroup* GroupAt(int Index) const;
  void ReadFromStream(TStream* Stream, double Version) override;
  void WriteToStream(TStream* Stream) override;
};

class TdxSkinElements : public TdxSkinCustomPersistentObjectList {
  VW_CLASS(TdxSkinElements, TdxSkinCustomPersistentObjectList)
 public:
  using TdxSkinCustomPersistentObjectList::TdxSkinCustomPersistentObjectList;
  // AClass is TdxSkinElement or a descendant.
  TdxSkinElement* Add(const String& AName, TClass AClass);
  void AssignList(TdxSkinElements* Source);
  TdxSkinElement* ElementAt(int Index) const;
  void ReadFromStream(TStream* Stream, double Version) override;
  void WriteToStream(TStream* Stream) override;
};

// A named object with properties of its own and an update lock.
class TdxSkinPersistent : public TdxSkinCustomPersistentObject {
  VW_CLASS(TdxSkinPersistent, TdxSkinCustomPersistentObject)
 public:
  explicit TdxSkinPersistent(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinPersistent() override;

  void Assign(TPersistent* Source) override;
  virtual void NotifyModified();
  virtual void ChildChanged(TObject* Sender);
  virtual void ClearContent();
  virtual void DeleteProperty(TdxSkinProperty* AProperty);
  virtual void SortContent();

  void BeginUpdate() { ++FLockCount; }
  // The outermost unlock always reports one change.
  void EndUpdate();
  TdxSkinProperty* PropertyByName(const String& AName);
  int PropertyCount() const { return FProperties->Count(); }
  TdxSkinProperty* PropertyAt(int Index) const { return FProperties->PropertyAt(Index); }
  TdxSkinProperties* Properties() const { return FProperties; }
  int LockCount() const { return FLockCount; }
  bool Modified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

 protected:
  int FLockCount = 0;
  bool FModified = false;
  TdxSkinProperties* FProperties;
};

// ---- properties -----------------------------------------------------------------------------

class TdxSkinProperty : public TdxSkinCustomPersistentObject {
  VW_CLASS(TdxSkinProperty, TdxSkinCustomPersistentObject)
 public:
  using TdxSkinCustomPersistentObject::TdxSkinCustomPersistentObject;
  virtual void ReadValue(TStream*) {}
  void ReadFromStream(TStream* Stream);
  virtual void WriteValue(TStream*) {}
  void WriteToStream(TStream* Stream);
  // The class name without "TdxSkin" and "Property".
  String TypeCaption() const;
  virtual bool IsEqual(TdxSkinProperty*) { return false; }

 protected:
  bool SameNameAndClass(TdxSkinProperty* Other) const {
    return Other && Other->ClassType() == ClassType() && Other->Name() == Name();
  }
};

class TdxSkinIntegerProperty : public TdxSkinProperty {
  VW_CLASS(TdxSkinIntegerProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  int Value() const { return FValue; }
  void SetValue(int AValue);

 private:
  int FValue = 0;
};

class TdxSkinBooleanProperty : public TdxSkinProperty {
  VW_CLASS(TdxSkinBooleanProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  bool Value() const { return FValue; }
  void SetValue(bool AValue);

 private:
  bool FValue = false;
};

class TdxSkinColor : public TdxSkinProperty {
  VW_CLASS(TdxSkinColor, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  TColor Value() const { return FValue; }
  void SetValue(TColor AValue);

 private:
  TColor FValue = clDefault;
};

class TdxSkinRectProperty : public TdxSkinProperty {
  VW_CLASS(TdxSkinRectProperty, TdxSkinProperty)
 public:
  explicit TdxSkinRectProperty(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinRectProperty() override;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  TcxRect* Value() const { return FValue; }
  void SetValue(TcxRect* AValue) { FValue->Assign(AValue); }
  int Left() const { return FValue->Left(); }
  int Top() const { return FValue->Top(); }
  int Right() const { return FValue->Right(); }
  int Bottom() const { return FValue->Bottom(); }

 private:
  TcxRect* FValue;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
  VW_CLASS(TdxSkinSizeProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  int cx() const { return FValue.cx; }
  int cy() const { return FValue.cy; }
  win::SIZE Value() const { return FValue; }
  void SetValue(const win::SIZE& AValue);

 private:
  win::SIZE FValue{0, 0};
};

class TdxSkinStringProperty : public TdxSkinProperty {
  VW_CLASS(TdxSkinStringProperty, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  const String& Value() const { return FValue; }
  void SetValue(const String& AValue);

 private:
  String FValue;
};

// Held in memory as the other strings are; stored as UTF-16.
class TdxSkinWideStringProperty : public TdxSkinStringProperty {
  VW_CLASS(TdxSkinWideStringProperty, TdxSkinStringProperty)
 public:
  using TdxSkinStringProperty::TdxSkinStringProperty;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
};

class TdxSkinBorder : public TdxSkinProperty {
  VW_CLASS(TdxSkinBorder, TdxSkinProperty)
 public:
  using TdxSkinProperty::TdxSkinProperty;
  void Assign(TPersistent* Source) override;
  // Class, colour, width and side; the name is not compared.
  bool IsEqual(TdxSkinProperty* Other) override;
  void ReadValue(TStream* Stream) override;
  void WriteValue(TStream* Stream) override;
  virtual void DrawOnDC(win::HDC DC, const win::RECT& R);
  virtual void DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int Thin() const { return FThin; }
  void SetThin(int Value);
  int Side() const { return FSide; }
  void SetSide(int Value) { FSide = Value; }

 private:
  TColor FColor = clNone;
  int FThin = 1;
  int FSide = 0;
};

class TdxSkinBorders : public TdxSkinProperty {
  VW_CLASS(TdxSkinBorders, TdxSkinProperty)
 public:
  explicit TdxSkinBorders(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinBorders() override;
  void Assign(TPersistent* Source) override;
  bool IsEqual(TdxSkinProperty* Other) override;
  virtual void BorderChanged(TObject*) { Changed(); }
  // Left, top, right, bottom: the top and bottom strips go over the corners.
  virtual void DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R);
  // 0 left, 1 top, 2 right, 3 bottom.
  TdxSkinBorder* BorderAt(int Side) const { return FBorders[Side & 3]; }
  TdxSkinBorder* Left() const { return FBorders[0]; }
  TdxSkinBorder* Top() const { return FBorders[1]; }
  TdxSkinBorder* Right() const { return FBorders[2]; }
  TdxSkinBorder* Bottom() const { return FBorders[3]; }

 private:
  TdxSkinBorder* FBorders[4];
};

// ---- images -----------------------------------------------------------------------------------

// One PNG strip of frames: per image index, one frame for each state in States.
class TdxSkinImage : public TPersistent {
  VW_CLASS(TdxSkinImage, TPersistent)
 public:
  explicit TdxSkinImage(TdxSkinElement* AOwner);
  ~TdxSkinImage() override;

  void Assign(TPersistent* Source) override;
  virtual void Changed();
  virtual void CalculateGeometry();
  void CheckGeometry();
  virtual bool IsEqual(TdxSkinImage* Image);
  void Clear();
  bool IsEmpty() const;
  bool HasGradient() const { return FGradientBeginColor != clNone; }
  String SourceName() const;
  void SetSourceName(const String& Value) { FSourceName = Value; }

  // Geometry, recomputed after a change.
  int StateCount();
  win::SIZE FrameSize();
  bool PartVisible(int Part);
  win::RECT SourcePart(int Part);
  win::RECT StateFrameRect(int ImageIndex, TdxSkinElementState State);
  void ValidateState(TdxSkinElementState& State) const;
  void SetGeometryDirty() { FDirty = true; }

  virtual void DrawOnDC(win::HDC DC, const win::RECT& R, int ImageIndex, TdxSkinElementState State);
  virtual void DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R, int ImageIndex, TdxSkinElementState State);

  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  TdxSkinElement* Owner() const { return FOwner; }
  TdxPNGImage* Texture() const { return FTexture; }
  TdxSkinGradientMode Gradient() const { return FGradient; }
  void SetGradient(TdxSkinGradientMode Value);
  TColor GradientBeginColor() const { return FGradientBeginColor; }
  void SetGradientBeginColor(TColor Value);
  TColor GradientEndColor() const { return FGradientEndColor; }
  void SetGradientEndColor(TColor Value);
  TdxSkinImageLayout ImageLayout() const { return FImageLayout; }
  void SetImageLayout(TdxSkinImageLayout Value);
  TcxRect* Margins() const { return FMargins; }
  void SetMargins(TcxRect* Value) { FMargins->Assign(Value); }
  TdxSkinElementStates States() const { return FStates; }
  void SetStates(TdxSkinElementStates Value);
  TdxSkinStretchMode Stretch() const { return FStretch; }
  void SetStretch(TdxSkinStretchMode Value);

  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override;

 private:
  void PartChanged(TObject*) { Changed(); }

  TdxSkinElement* FOwner;
  bool FDirty = true;
  TdxPNGImage* FTexture;
  String FSourceName;
  TdxSkinGradientMode FGradient = gmHorizontal;
  TColor FGradientBeginColor = clNone;
  TColor FGradientEndColor = clNone;
  TdxSkinImageLayout FImageLayout = ilHorizontal;
  TcxRect* FMargins;
  TdxSkinElementStates FStates = 0;
  TdxSkinStretchMode FStretch = smStretch;
  // Geometry.
  win::RECT FParts[9]{};
  bool FPartVisible[9]{};
  win::SIZE FFrameSize{0, 0};
  win::RECT FStateBounds[dxSkinElementStateCount]{};
  int FStateCount = 0;
};

// ---- elements, groups, the skin --------------------------------------------------------------

class TdxSkinElement : public TdxSkinPersistent {
  VW_CLASS(TdxSkinElement, TdxSkinPersistent)
 public:
  explicit TdxSkinElement(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinElement() override;

  void Assign(TPersistent* Source) override;
  virtual bool SamePropertiesAs(TdxSkinPersistent* Other);
  virtual String ImageFileName(TdxSkinImage* AImage);
  virtual void ReadData(TStream* Stream, double Version);
  virtual void WriteData(TStream* Stream);
  virtual bool IsEqual(TdxSkinElement* Element);
  virtual TColor TextColorForState(TcxButtonState State);
  virtual void DrawOnDC(win::HDC DC, const win::RECT& R, int ImageIndex, TdxSkinElementState State);
  // The name the bar library draws by.
  void Draw(win::HDC DC, const win::RECT& R, int ImageIndex = 0, TdxSkinElementState State = esNormal) {
    DrawOnDC(DC, R, ImageIndex, State);
  }
  void DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R, int ImageIndex, TdxSkinElementState State);
  void FillBackground(TdxSkinCanvas* Canvas, const win::RECT& R);

  TdxSkinControlGroup* Group();
  String GroupPath();
  bool NeedsAlphaBlend();
  win::SIZE ImageSize();
  bool IsColorAssigned() const { return FIsColorAssigned; }
  win::GpSolidFill* Brush() const { return FBrush; }

  win::BYTE Alpha() const { return FAlpha; }
  void SetAlpha(win::BYTE Value);
  TdxSkinBorders* Borders() const { return FBorders; }
  void SetBorders(TdxSkinBorders* Value) { FBorders->Assign(Value); }
  TColor Color() const { return FColor; }
  // Reports a change also when the value stays.
  void SetColor(TColor Value);
  TcxRect* ContentOffset() const { return FContentOffset; }
  void SetContentOffset(TcxRect* Value) { FContentOffset->Assign(Value); }
  TdxSkinImage* Glyph() const { return FGlyph; }
  void SetGlyph(TdxSkinImage* Value) { FGlyph->Assign(Value); }
  TdxSkinImage* Image() const { return FImage; }
  void SetImage(TdxSkinImage* Value) { FImage->Assign(Value); }
  int ImageCount() const { return FImageCount; }
  void SetImageCount(int Value);
  TcxSize* MinSize() const { return FMinSize; }
  void SetMinSize(TcxSize* Value) { FMinSize->Assign(Value); }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);
  bool UseCache() const { return FCache != nullptr; }
  void SetUseCache(bool Value);
  TdxSkinElementCache* Cache() const { return FCache; }

 private:
  void SubChanged(TObject* Sender) { ChildChanged(Sender); }

  win::BYTE FAlpha = 255;
  TdxSkinBorders* FBorders;
  TColor FColor = clDefault;
  TcxRect* FContentOffset;
  TdxSkinImage* FGlyph;
  TdxSkinImage* FImage;
  int FImageCount = 1;
  TcxSize* FMinSize;
  TColor FTextColor = clDefault;
  win::GpSolidFill* FBrush = nullptr;
  bool FIsColorAssigned = false;
  TdxSkinElementCache* FCache = nullptr;
};

// Drawn where an element is missing: white with a red frame.
class TdxSkinEmptyElement : public TdxSkinElement {
  VW_CLASS(TdxSkinEmptyElement, TdxSkinElement)
 public:
  using TdxSkinElement::TdxSkinElement;
  void DrawOnDC(win::HDC DC, const win::RECT& R, int ImageIndex, TdxSkinElementState State) override;
};

class TdxSkinControlGroup : public TdxSkinPersistent {
  VW_CLASS(TdxSkinControlGroup, TdxSkinPersistent)
 public:
  explicit TdxSkinControlGroup(TPersistent* AOwner, const String& AName = String());
  ~TdxSkinControlGroup() override;

  void Assign(TPersistent* Source) override;
  void ClearContent() override;
  void SortContent() override;
  virtual void ReadData(TStream* Stream, double Version);
  virtual void WriteData(TStream* Stream);

  TdxSkinElement* AddElement(const String& AName) { return AddElementOfClass(AName, TdxSkinElement::StaticClass()); }
  TdxSkinElement* AddElementOfClass(const String& AName, TClass AClass) { return FElements->Add(AName, AClass); }
  TdxSkinElement* ElementByName(const String& AName);
  int Count() const { return FElements->Count(); }
  TdxSkinElement* ElementAt(int Index) const { return FElements->ElementAt(Index); }
  TdxSkinElements* Elements() const { return FElements; }
  TdxSkin* Skin();

 private:
  TdxSkinElements* FElements;
};

// Told of every change of a skin it listens to.
class IdxSkinChangeObserver : public virtual IInterface {
 public:
  virtual void SkinChanged(TdxSkin* Skin) = 0;
};

class TdxSkin : public TdxSkinPersistent {
  VW_CLASS(TdxSkin, TdxSkinPersistent)
 public:
  // Loads the resource of type "DXSKINS" named AName from Module when LoadNow is set.
  explicit TdxSkin(const String& AName, win::HMODULE Module = nullptr, bool LoadNow = false);
  ~TdxSkin() override;

  void Assign(TPersistent* Source) override;
  void Changed() override;
  TdxSkinCustomPersistentObject* Clone() override;
  void ClearContent() override;
  void DeleteProperty(TdxSkinProperty* AProperty) override;
  void SortContent() override;
  virtual void LoadFromResource(win::HMODULE Module);
  // Does nothing while GDI+ is not there.
  virtual void LoadFromStream(TStream* Stream);
  virtual void SaveToStream(TStream* Stream);

  TdxSkinControlGroup* AddGroup(const String& AName);
  TdxSkinControlGroup* GroupByName(const String& AName);
  TdxSkinColor* ColorByName(const String& AName);
  void AddListener(IdxSkinChangeObserver* Listener);
  void RemoveListener(IdxSkinChangeObserver* Listener);

  TdxSkinColors* Colors() const { return FColors; }
  TdxSkinControlGroups* Groups() const { return FGroups; }
  int GroupCount() const { return FGroups->Count(); }
  TdxSkinControlGroup* GroupAt(int Index) const { return FGroups->GroupAt(Index); }
  // The skin's own name (the inherited object name is apart), set without a change event.
  const String& Name() const { return FSkinName; }
  void SetName(const String& Value) { FSkinName = Value; }
  String DisplayName();
  double Version() const { return FVersion; }

  // The skin's own change event, after the listeners.
  TNotifyEvent OnSkinChange;

 private:
  TdxSkinColors* FColors;
  bool FDestroying = false;
  TdxSkinControlGroups* FGroups;
  std::vector<IdxSkinChangeObserver*> FListeners;
  String FSkinName;
  double FVersion = dxSkinCurrentVersion;
};

// The element itself, or the one empty element when there is none.
TdxSkinElement* EmptyElementFallback(TdxSkinElement* Element);
TdxSkinEmptyElement* EmptySkinElement();

// ---- the stream -------------------------------------------------------------------------------

// Every length and count is checked against the bytes left before anything is made of it.
String ReadAnsiText(TStream* Stream);
String ReadWideText(TStream* Stream);
std::int32_t ReadStreamInt32(TStream* Stream);
void WriteAnsiText(TStream* Stream, const String& S);
void WriteWideText(TStream* Stream, const String& S);
// False for a short read or another signature; the version read is checked.
bool ReadSkinHeader(TStream* Stream, double& Version);
void WriteSkinHeader(TStream* Stream);
// A version older than the oldest readable raises EdxSkin.
void CheckSkinVersion(double Version);

// A window on the bytes [start, end) of another stream: what one texture's decoder may see of it.
// Reads are not cut at the window's end; the source bounds them.
class TdxSkinPartStream : public TStream {
  VW_CLASS(TdxSkinPartStream, TStream)
 public:
  TdxSkinPartStream(TStream* ASource, std::int64_t ASize, std::int64_t AStart = -1);
  std::int64_t Size() override { return FEnd - FStart; }
  std::int32_t Read(void* Buffer, std::int32_t Count) override;
  std::int32_t Write(const void* Buffer, std::int32_t Count) override;
  std::int64_t Seek(std::int64_t Offset, TSeekOrigin Origin) override;

 private:
  std::int64_t FEnd;
  std::int64_t FStart;
  TStream* FSource;
};

// The skins of a skin stream or a multi-skin container, read without building them.
class TdxSkinBinaryReader : public TObject {
  VW_CLASS(TdxSkinBinaryReader, TObject)
 public:
  explicit TdxSkinBinaryReader(TStream* AStream);
  ~TdxSkinBinaryReader() override;
  int Count() const { return FSkins->Count(); }
  String SkinNames(int Index);
  String DisplayNames(int Index);
  // The position at which that skin's stream starts.
  std::int64_t SkinOffset(int Index);
  TStringList* Skins() const { return FSkins; }

 private:
  bool ReadContainer();
  bool ReadSingleSkin();

  TStringList* FSkins;
  TStream* FStream;
};

// Appends the skins' names (or display names); true when the stream holds at least one skin.
bool ListSkinStreamNames(TStream* Stream, TStrings* Strings, bool DisplayNames);
bool ListSkinFileNames(const String& FileName, TStrings* Strings, bool DisplayNames);

// The module's start-up and shutdown: the empty element, the class registry, GDI+.
void SkinUnitStartup();
void SkinUnitShutdown();
