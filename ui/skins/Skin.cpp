#include "ui/skins/Skin.h"

#include <algorithm>

#include "platform/classes/TypInfo.h"
#include "ui/foundation/GdiPlusApi.h"
#include "ui/foundation/PNGImage.h"
#include "ui/skins/SkinElementCache.h"

// ---- named objects --------------------------------------------------------------------------

TdxSkinCustomPersistentObject::TdxSkinCustomPersistentObject(TPersistent* AOwner, const String& AName)
    : FName(AName), FOwner(AOwner) {}

void TdxSkinCustomPersistentObject::Changed() {
  if (OnChange) OnChange(this);
}

TdxSkinCustomPersistentObject* TdxSkinCustomPersistentObject::Clone() {
  auto* result = static_cast<TdxSkinCustomPersistentObject*>(ClassType()->Create(nullptr));
  result->SetName(FName);
  try {
    result->Assign(this);
  } catch (...) {
    delete result;
    throw;
  }
  return result;
}

// ---- lists ------------------------------------------------------------------------------------

TdxSkinCustomPersistentObjectList::TdxSkinCustomPersistentObjectList(TdxSkinPersistent* AOwner)
    : TcxObjectList(true), FOwner(AOwner) {}

TdxSkinCustomPersistentObjectList::~TdxSkinCustomPersistentObjectList() {
  // Freed with the owner: nobody is left to tell.
  OnChange = nullptr;
  ++FUpdateCount;
  Clear();
}

void TdxSkinCustomPersistentObjectList::Notify(void* Ptr, TListNotification Action) {
  TcxObjectList::Notify(Ptr, Action);
  Changed();
}

void TdxSkinCustomPersistentObjectList::Changed() {
  FSorted = false;
  if (FUpdateCount == 0 && OnChange) OnChange(this);
}

void TdxSkinCustomPersistentObjectList::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TdxSkinCustomPersistentObjectList::Sort() {
  TList::Sort([](void* A, void* B) {
    return AnsiCompareStr(static_cast<TdxSkinCustomPersistentObject*>(A)->Name(),
                          static_cast<TdxSkinCustomPersistentObject*>(B)->Name());
  });
  FSorted = true;
}

TdxSkinCustomPersistentObject* TdxSkinCustomPersistentObjectList::FindByName(const String& AName) {
  if (!FSorted) Sort();
  int low = 0, high = Count() - 1;
  while (low <= high) {
    const int middle = (low + high) / 2;
    TdxSkinCustomPersistentObject* item = Item(middle);
    const int c = AnsiCompareStr(item->Name(), AName);
    if (c == 0) return item;
    if (c < 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return nullptr;
}

TdxSkinProperty* TdxSkinProperties::Add(const String& AName, TdxSkinPropertyClass AClass) {
  if (!AClass || !AClass->InheritsFrom(TdxSkinProperty::StaticClass()) || !AClass->CanCreate())
    throw EClassNotFound(Format("Class %s not found", {AClass ? AClass->ClassName() : String()}));
  auto* result = static_cast<TdxSkinProperty*>(AClass->Create(FOwner));
  result->SetName(AName);
  result->OnChange = [this](TObject* Sender) { ItemChanged(Sender); };
  TList::Add(result);
  return result;
}

TdxSkinColor* TdxSkinProperties::AddColor(const String& AName, TColor AValue) {
  auto* result = static_cast<TdxSkinColor*>(Add(AName, TdxSkinColor::StaticClass()));
  result->SetValue(AValue);
  return result;
}

void TdxSkinProperties::AssignList(TdxSkinProperties* Source) {
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < Source->Count(); ++i) {
      TdxSkinProperty* item = Source->PropertyAt(i);
      Add(item->Name(), item->ClassType())->Assign(item);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TdxSkinProperty* TdxSkinProperties::PropertyAt(int Index) const { return static_cast<TdxSkinProperty*>(Items(Index)); }

TdxSkinColor* TdxSkinColors::ColorAt(int Index) const { return static_cast<TdxSkinColor*>(Items(Index)); }

TdxSkinControlGroup* TdxSkinControlGroups::Add(const String& AName) {
  auto* result = new TdxSkinControlGroup(FOwner, AName);
  result->OnChange = [this](TObject* Sender) { ItemChanged(Sender); };
  TList::Add(result);
  return result;
}

void TdxSkinControlGroups::AssignList(TdxSkinControlGroups* Source) {
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < Source->Count(); ++i) Add(Source->GroupAt(i)->Name())->Assign(Source->GroupAt(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TdxSkinControlGroup* TdxSkinControlGroups::GroupAt(int Index) const {
  return static_cast<TdxSkinControlGroup*>(Items(Index));
}

TdxSkinElement* TdxSkinElements::Add(const String& AName, TClass AClass) {
  if (!AClass || !AClass->InheritsFrom(TdxSkinElement::StaticClass()) || !AClass->CanCreate())
    throw EClassNotFound(Format("Class %s not found", {AClass ? AClass->ClassName() : String()}));
  auto* result = static_cast<TdxSkinElement*>(AClass->Create(FOwner));
  result->SetName(AName);
  result->OnChange = [this](TObject* Sender) { ItemChanged(Sender); };
  TList::Add(result);
  return result;
}

void TdxSkinElements::AssignList(TdxSkinElements* Source) {
  BeginUpdate();
  try {
    Clear();
    for (int i = 0; i < Source->Count(); ++i) {
      TdxSkinElement* item = Source->ElementAt(i);
      Add(item->Name(), item->ClassType())->Assign(item);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TdxSkinElement* TdxSkinElements::ElementAt(int Index) const { return static_cast<TdxSkinElement*>(Items(Index)); }

// ---- persistent objects ---------------------------------------------------------------------

TdxSkinPersistent::TdxSkinPersistent(TPersistent* AOwner, const String& AName)
    : TdxSkinCustomPersistentObject(AOwner, AName), FProperties(new TdxSkinProperties(this)) {
  FProperties->OnChange = [this](TObject* Sender) { ChildChanged(Sender); };
}

TdxSkinPersistent::~TdxSkinPersistent() { delete FProperties; }

void TdxSkinPersistent::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxSkinPersistent*>(Source)) {
    BeginUpdate();
    try {
      FProperties->AssignList(source->FProperties);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  } else {
    TdxSkinCustomPersistentObject::Assign(Source);
  }
}

void TdxSkinPersistent::NotifyModified() {
  FModified = true;
  if (FLockCount == 0) Changed();
}

void TdxSkinPersistent::ChildChanged(TObject*) { NotifyModified(); }

void TdxSkinPersistent::ClearContent() { FProperties->Clear(); }

void TdxSkinPersistent::DeleteProperty(TdxSkinProperty* AProperty) { FProperties->FreeAndRemove(AProperty); }

void TdxSkinPersistent::SortContent() { FProperties->Sort(); }

void TdxSkinPersistent::EndUpdate() {
  if (FLockCount == 0) return;
  if (--FLockCount == 0) NotifyModified();
}

TdxSkinProperty* TdxSkinPersistent::PropertyByName(const String& AName) {
  return static_cast<TdxSkinProperty*>(FProperties->FindByName(AName));
}

// ---- properties -------------------------------------------------------------------------------

void TdxSkinProperty::ReadFromStream(TStream* Stream) {
  SetName(ReadAnsiText(Stream));
  ReadValue(Stream);
}

void TdxSkinProperty::WriteToStream(TStream* Stream) {
  WriteAnsiText(Stream, ClassName());
  WriteAnsiText(Stream, Name());
  WriteValue(Stream);
}

namespace {

String RemoveAllNoCase(String S, const String& What) {
  for (;;) {
    const String upper = UpperCase(S);
    const std::size_t at = upper.find(UpperCase(What));
    if (at == String::npos) return S;
    S.erase(at, What.size());
  }
}

}  // namespace

String TdxSkinProperty::TypeCaption() const {
  return RemoveAllNoCase(RemoveAllNoCase(ClassName(), "TdxSkin"), "Property");
}

void TdxSkinIntegerProperty::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinIntegerProperty*>(Source))
    SetValue(s->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinIntegerProperty::IsEqual(TdxSkinProperty* Other) {
  return SameNameAndClass(Other) && static_cast<TdxSkinIntegerProperty*>(Other)->FValue == FValue;
}
void TdxSkinIntegerProperty::SetValue(int AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed();
}

void TdxSkinBooleanProperty::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBooleanProperty*>(Source))
    SetValue(s->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinBooleanProperty::IsEqual(TdxSkinProperty* Other) {
  return SameNameAndClass(Other) && static_cast<TdxSkinBooleanProperty*>(Other)->FValue == FValue;
}
void TdxSkinBooleanProperty::SetValue(bool AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed();
}

void TdxSkinColor::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinColor*>(Source))
    SetValue(s->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinColor::IsEqual(TdxSkinProperty* Other) {
  return SameNameAndClass(Other) && static_cast<TdxSkinColor*>(Other)->FValue == FValue;
}
void TdxSkinColor::SetValue(TColor AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed();
}

TdxSkinRectProperty::TdxSkinRectProperty(TPersistent* AOwner, const String& AName)
    : TdxSkinProperty(AOwner, AName), FValue(new TcxRect(this)) {
  FValue->OnChange = [this](TObject*) { Changed(); };
}
TdxSkinRectProperty::~TdxSkinRectProperty() {
  FValue->OnChange = nullptr;
  delete FValue;
}
void TdxSkinRectProperty::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinRectProperty*>(Source))
    FValue->Assign(s->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinRectProperty::IsEqual(TdxSkinProperty* Other) {
  return SameNameAndClass(Other) && static_cast<TdxSkinRectProperty*>(Other)->FValue->EqualsOther(FValue);
}

void TdxSkinSizeProperty::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinSizeProperty*>(Source))
    SetValue(s->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinSizeProperty::IsEqual(TdxSkinProperty* Other) {
  if (!SameNameAndClass(Other)) return false;
  const win::SIZE o = static_cast<TdxSkinSizeProperty*>(Other)->FValue;
  return o.cx == FValue.cx && o.cy == FValue.cy;
}
void TdxSkinSizeProperty::SetValue(const win::SIZE& AValue) {
  if (AValue.cx == FValue.cx && AValue.cy == FValue.cy) return;
  FValue = AValue;
  Changed();
}

void TdxSkinStringProperty::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinStringProperty*>(Source))
    SetValue(s->FValue);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinStringProperty::IsEqual(TdxSkinProperty* Other) {
  return SameNameAndClass(Other) && AnsiCompareStr(static_cast<TdxSkinStringProperty*>(Other)->FValue, FValue) == 0;
}
void TdxSkinStringProperty::SetValue(const String& AValue) {
  if (AValue == FValue) return;
  FValue = AValue;
  Changed();
}

void TdxSkinBorder::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBorder*>(Source)) {
    FSide = s->FSide;
    SetColor(s->FColor);
    SetThin(s->FThin);
  } else {
    TdxSkinProperty::Assign(Source);
  }
}
bool TdxSkinBorder::IsEqual(TdxSkinProperty* Other) {
  auto* o = dynamic_cast<TdxSkinBorder*>(Other);
  return o && o->ClassType() == ClassType() && o->FColor == FColor && o->FThin == FThin && o->FSide == FSide;
}
void TdxSkinBorder::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed();
}
void TdxSkinBorder::SetThin(int Value) {
  if (Value == FThin) return;
  FThin = Value;
  Changed();
}

TdxSkinBorders::TdxSkinBorders(TPersistent* AOwner, const String& AName) : TdxSkinProperty(AOwner, AName) {
  static const char* const names[4] = {"Left", "Top", "Right", "Bottom"};
  for (int i = 0; i < 4; ++i) {
    FBorders[i] = new TdxSkinBorder(this, names[i]);
    FBorders[i]->SetSide(i);
    FBorders[i]->OnChange = [this](TObject* Sender) { BorderChanged(Sender); };
  }
}
TdxSkinBorders::~TdxSkinBorders() {
  for (TdxSkinBorder* b : FBorders) delete b;
}
void TdxSkinBorders::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TdxSkinBorders*>(Source))
    for (int i = 0; i < 4; ++i) FBorders[i]->Assign(s->FBorders[i]);
  else
    TdxSkinProperty::Assign(Source);
}
bool TdxSkinBorders::IsEqual(TdxSkinProperty* Other) {
  auto* o = dynamic_cast<TdxSkinBorders*>(Other);
  if (!o) return false;
  for (int i = 0; i < 4; ++i)
    if (!FBorders[i]->IsEqual(o->FBorders[i])) return false;
  return true;
}

// ---- images -----------------------------------------------------------------------------------

TdxSkinImage::TdxSkinImage(TdxSkinElement* AOwner)
    : FOwner(AOwner), FTexture(new TdxPNGImage()), FMargins(new TcxRect(this)) {
  FTexture->OnChange = [this](TObject*) { Changed(); };
  FMargins->OnChange = [this](TObject*) { Changed(); };
}

TdxSkinImage::~TdxSkinImage() {
  FTexture->OnChange = nullptr;
  FMargins->OnChange = nullptr;
  delete FMargins;
  delete FTexture;
}

TPersistent* TdxSkinImage::GetOwner() { return FOwner; }

void TdxSkinImage::Changed() {
  FDirty = true;
  if (OnChange) OnChange(this);
}

bool TdxSkinImage::IsEmpty() const { return FSourceName.empty() && FTexture->Empty(); }

void TdxSkinImage::Clear() {
  FTexture->SetImage(nullptr);
  FSourceName.clear();
  Changed();
}

String TdxSkinImage::SourceName() const {
  if (!FSourceName.empty() || IsEmpty() || !FOwner) return FSourceName;
  return FOwner->GroupPath() + FOwner->ImageFileName(const_cast<TdxSkinImage*>(this));
}

void TdxSkinImage::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxSkinImage*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  if (source->IsEmpty()) {
    Clear();
  } else {
    FTexture->Assign(source->FTexture);
    FSourceName = source->SourceName();
  }
  SetGradientBeginColor(source->FGradientBeginColor);
  SetGradientEndColor(source->FGradientEndColor);
  SetGradient(source->FGradient);
  SetImageLayout(source->FImageLayout);
  FMargins->Assign(source->FMargins);
  SetStretch(source->FStretch);
  SetStates(source->FStates);
  FDirty = true;
}

bool TdxSkinImage::IsEqual(TdxSkinImage* Image) {
  if (!Image) return false;
  if (FImageLayout != Image->FImageLayout || IsEmpty() != Image->IsEmpty() || FStates != Image->FStates ||
      FGradient != Image->FGradient || FGradientBeginColor != Image->FGradientBeginColor ||
      FGradientEndColor != Image->FGradientEndColor || FStretch != Image->FStretch)
    return false;
  const win::SIZE a = FrameSize(), b = Image->FrameSize();
  return a.cx == b.cx && a.cy == b.cy && FMargins->EqualsOther(Image->FMargins) &&
         FTexture->SamePixels(Image->FTexture);
}

void TdxSkinImage::SetGradient(TdxSkinGradientMode Value) {
  if (Value == FGradient) return;
  FGradient = Value;
  Changed();
}
void TdxSkinImage::SetGradientBeginColor(TColor Value) {
  if (Value == FGradientBeginColor) return;
  FGradientBeginColor = Value;
  Changed();
}
void TdxSkinImage::SetGradientEndColor(TColor Value) {
  if (Value == FGradientEndColor) return;
  FGradientEndColor = Value;
  Changed();
}
void TdxSkinImage::SetImageLayout(TdxSkinImageLayout Value) {
  if (Value == FImageLayout) return;
  FImageLayout = Value;
  Changed();
}
void TdxSkinImage::SetStates(TdxSkinElementStates Value) {
  Value &= dxSkinElementStatesMask;
  if (Value == FStates) return;
  FStates = Value;
  Changed();
}
void TdxSkinImage::SetStretch(TdxSkinStretchMode Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Changed();
}

// ---- elements -------------------------------------------------------------------------------

TdxSkinElement::TdxSkinElement(TPersistent* AOwner, const String& AName)
    : TdxSkinPersistent(AOwner, AName),
      FBorders(new TdxSkinBorders(this, "Borders")),
      FContentOffset(new TcxRect(this)),
      FGlyph(new TdxSkinImage(this)),
      FImage(new TdxSkinImage(this)),
      FMinSize(new TcxSize(this)) {
  FBorders->OnChange = [this](TObject* Sender) { SubChanged(Sender); };
  FContentOffset->OnChange = [this](TObject* Sender) { SubChanged(Sender); };
  FGlyph->OnChange = [this](TObject* Sender) { SubChanged(Sender); };
  FImage->OnChange = [this](TObject* Sender) { SubChanged(Sender); };
  FMinSize->OnChange = [this](TObject* Sender) { SubChanged(Sender); };
}

TdxSkinElement::~TdxSkinElement() {
  if (FBrush) ::GdipDeleteBrush(FBrush);
  SetUseCache(false);
  FBorders->OnChange = nullptr;
  FContentOffset->OnChange = nullptr;
  FGlyph->OnChange = nullptr;
  FImage->OnChange = nullptr;
  FMinSize->OnChange = nullptr;
  delete FMinSize;
  delete FContentOffset;
  delete FImage;
  delete FGlyph;
  delete FBorders;
}

void TdxSkinElement::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxSkinElement*>(Source);
  if (!source) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    FImage->Assign(source->FImage);
    FGlyph->Assign(source->FGlyph);
    SetColor(source->FColor);
    SetAlpha(source->FAlpha);
    FContentOffset->Assign(source->FContentOffset);
    SetImageCount(source->FImageCount);
    FBorders->Assign(source->FBorders);
    FMinSize->Assign(source->FMinSize);
    SetTextColor(source->FTextColor);
    SetUseCache(source->UseCache());
    TdxSkinPersistent::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

bool TdxSkinElement::SamePropertiesAs(TdxSkinPersistent* Other) {
  if (!Other || Other->PropertyCount() != PropertyCount()) return false;
  for (int i = 0; i < PropertyCount(); ++i)
    if (!PropertyAt(i)->IsEqual(Other->PropertyAt(i))) return false;
  return true;
}

String TdxSkinElement::ImageFileName(TdxSkinImage* AImage) {
  return Name() + (AImage == FImage ? "_Image.png" : "_Glyph.png");
}

bool TdxSkinElement::IsEqual(TdxSkinElement* Element) {
  return Element && Element->Name() == Name() && Element->FColor == FColor && Element->FImageCount == FImageCount &&
         Element->FAlpha == FAlpha && Element->FTextColor == FTextColor && Element->FMinSize->EqualsOther(FMinSize) &&
         Element->FContentOffset->EqualsOther(FContentOffset) && FBorders->IsEqual(Element->FBorders) &&
         SamePropertiesAs(Element) && FImage->IsEqual(Element->FImage) && FGlyph->IsEqual(Element->FGlyph);
}

TColor TdxSkinElement::TextColorForState(TcxButtonState State) {
  const char* name = nullptr;
  switch (State) {
    case cxbsHot:
      name = "TextColorHot";
      break;
    case cxbsPressed:
      name = "TextColorPressed";
      break;
    case cxbsDisabled:
      name = "TextColorDisabled";
      break;
    default:
      break;
  }
  if (name)
    if (auto* color = dynamic_cast<TdxSkinColor*>(PropertyByName(name)))
      if (color->Value() != clDefault) return color->Value();
  return FTextColor;
}

TdxSkinControlGroup* TdxSkinElement::Group() {
  TPersistent* owner = Owner();
  if (!owner) return nullptr;
  return owner->As<TdxSkinControlGroup>();
}

String TdxSkinElement::GroupPath() {
  TdxSkinControlGroup* group = Group();
  return group ? group->Name() + "\\" : String();
}

bool TdxSkinElement::NeedsAlphaBlend() {
  if (!FImage->IsEmpty()) return FImage->Texture()->UsesAlpha();
  return FAlpha < 255 || FColor == clNone;
}

win::SIZE TdxSkinElement::ImageSize() { return FImage->FrameSize(); }

void TdxSkinElement::SetAlpha(win::BYTE Value) {
  if (Value == FAlpha) return;
  FAlpha = Value;
  SetColor(FColor);
}

void TdxSkinElement::SetColor(TColor Value) {
  FColor = Value;
  FIsColorAssigned = Value != clNone && Value != clDefault;
  if (FIsColorAssigned && IsGdiPlusAvailable()) {
    const win::ARGB argb = ColorToGPColor(Value, FAlpha);
    if (FBrush)
      ::GdipSetSolidFillColor(FBrush, argb);
    else
      ::GdipCreateSolidFill(argb, &FBrush);
  }
  Changed();
}

void TdxSkinElement::SetImageCount(int Value) {
  Value = std::max(1, Value);
  if (Value == FImageCount) return;
  FImageCount = Value;
  FImage->SetGeometryDirty();
  FGlyph->SetGeometryDirty();
  Changed();
}

void TdxSkinElement::SetTextColor(TColor Value) {
  if (Value == FTextColor) return;
  FTextColor = Value;
  Changed();
}

void TdxSkinElement::SetUseCache(bool Value) {
  if (Value == UseCache()) return;
  if (Value) {
    FCache = new TdxSkinElementCache();
  } else {
    delete FCache;
    FCache = nullptr;
  }
}

// ---- groups and the skin ----------------------------------------------------------------------

TdxSkinControlGroup::TdxSkinControlGroup(TPersistent* AOwner, const String& AName)
    : TdxSkinPersistent(AOwner, AName), FElements(new TdxSkinElements(this)) {
  FElements->OnChange = [this](TObject* Sender) { ChildChanged(Sender); };
}

TdxSkinControlGroup::~TdxSkinControlGroup() { delete FElements; }

void TdxSkinControlGroup::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxSkinControlGroup*>(Source);
  if (!source) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    FElements->AssignList(source->FElements);
    TdxSkinPersistent::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkinControlGroup::ClearContent() {
  TdxSkinPersistent::ClearContent();
  FElements->Clear();
}

void TdxSkinControlGroup::SortContent() {
  TdxSkinPersistent::SortContent();
  FElements->Sort();
}

TdxSkinElement* TdxSkinControlGroup::ElementByName(const String& AName) {
  return static_cast<TdxSkinElement*>(FElements->FindByName(AName));
}

TdxSkin* TdxSkinControlGroup::Skin() {
  TPersistent* owner = Owner();
  return owner ? owner->As<TdxSkin>() : nullptr;
}

TdxSkin::TdxSkin(const String& AName, win::HMODULE Module, bool LoadNow)
    : TdxSkinPersistent(nullptr, AName),
      FColors(new TdxSkinColors(this)),
      FGroups(new TdxSkinControlGroups(this)),
      FSkinName(AName) {
  FColors->OnChange = [this](TObject* Sender) { ChildChanged(Sender); };
  FGroups->OnChange = [this](TObject* Sender) { ChildChanged(Sender); };
  if (!LoadNow) return;
  try {
    LoadFromResource(Module);
  } catch (...) {
    FDestroying = true;
    delete FColors;
    delete FGroups;
    throw;
  }
}

TdxSkin::~TdxSkin() {
  FDestroying = true;
  FListeners.clear();
  delete FColors;
  FColors = nullptr;
  delete FGroups;
  FGroups = nullptr;
}

void TdxSkin::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxSkin*>(Source);
  if (!source) {
    TdxSkinPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  try {
    FColors->AssignList(source->FColors);
    FGroups->AssignList(source->FGroups);
    TdxSkinPersistent::Assign(Source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxSkin::Changed() {
  if (!FDestroying) {
    BeginUpdate();
    try {
      // By index: a listener may leave the list while it is told.
      for (std::size_t i = 0; i < FListeners.size(); ++i) FListeners[i]->SkinChanged(this);
    } catch (...) {
      --FLockCount;
      throw;
    }
    --FLockCount;
  }
  TdxSkinPersistent::Changed();
}

TdxSkinCustomPersistentObject* TdxSkin::Clone() {
  auto* result = new TdxSkin(FSkinName);
  try {
    result->Assign(this);
  } catch (...) {
    delete result;
    throw;
  }
  return result;
}

void TdxSkin::ClearContent() {
  TdxSkinPersistent::ClearContent();
  FGroups->Clear();
  FColors->Clear();
}

void TdxSkin::DeleteProperty(TdxSkinProperty* AProperty) {
  if (FColors->Remove(AProperty) >= 0) {
    delete AProperty;
    return;
  }
  TdxSkinPersistent::DeleteProperty(AProperty);
}

void TdxSkin::SortContent() {
  TdxSkinPersistent::SortContent();
  FGroups->Sort();
  FColors->Sort();
}

TdxSkinControlGroup* TdxSkin::AddGroup(const String& AName) { return FGroups->Add(AName); }

TdxSkinControlGroup* TdxSkin::GroupByName(const String& AName) {
  return static_cast<TdxSkinControlGroup*>(FGroups->FindByName(AName));
}

TdxSkinColor* TdxSkin::ColorByName(const String& AName) {
  return static_cast<TdxSkinColor*>(FColors->FindByName(AName));
}

void TdxSkin::AddListener(IdxSkinChangeObserver* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TdxSkin::RemoveListener(IdxSkinChangeObserver* Listener) {
  FListeners.erase(std::remove(FListeners.begin(), FListeners.end(), Listener), FListeners.end());
}

String TdxSkin::DisplayName() {
  if (auto* p = dynamic_cast<TdxSkinStringProperty*>(PropertyByName("DisplayName"))) return p->Value();
  return FSkinName;
}

// ---- the empty element and the module -------------------------------------------------------

namespace {

TdxSkinEmptyElement* EmptyElement = nullptr;
int UnitStartups = 0;

}  // namespace

TdxSkinEmptyElement* EmptySkinElement() { return EmptyElement; }

TdxSkinElement* EmptyElementFallback(TdxSkinElement* Element) { return Element ? Element : EmptyElement; }

void SkinUnitStartup() {
  if (UnitStartups++ > 0) return;
  EmptyElement = new TdxSkinEmptyElement(nullptr);
  RegisterClasses({TdxSkinControlGroup::StaticClass(), TdxSkinElement::StaticClass(), TdxSkinImage::StaticClass(),
                   TdxSkinIntegerProperty::StaticClass(), TdxSkinColor::StaticClass(),
                   TdxSkinRectProperty::StaticClass(), TdxSkinSizeProperty::StaticClass(),
                   TdxSkinBooleanProperty::StaticClass(), TdxSkinStringProperty::StaticClass(),
                   TdxSkinWideStringProperty::StaticClass()});
  if (IsGdiPlusAvailable()) EnsurePngEncoderId();
}

void SkinUnitShutdown() {
  if (UnitStartups == 0 || --UnitStartups > 0) return;
  UnRegisterClasses({TdxSkinControlGroup::StaticClass(), TdxSkinElement::StaticClass(), TdxSkinImage::StaticClass(),
                     TdxSkinIntegerProperty::StaticClass(), TdxSkinColor::StaticClass(),
                     TdxSkinRectProperty::StaticClass(), TdxSkinSizeProperty::StaticClass(),
                     TdxSkinBooleanProperty::StaticClass(), TdxSkinStringProperty::StaticClass(),
                     TdxSkinWideStringProperty::StaticClass()});
  delete EmptyElement;
  EmptyElement = nullptr;
}
