#include "ui/controls/ContainerStyle.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/win/Window.h"
#include "ui/controls/Container.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

TcxStyleController* gDefaultStyleController = nullptr;

const char* const kStyleValueNames[] = {"BorderColor", "BorderStyle", "Color",     "Edges",     "Font",
                                        "HotTrack",    "Shadow",      "TextColor", "TextStyle", "TransparentBorder"};
constexpr int kStyleValueCount = 10;

// How each state style shows a border style; the focused and hot rows apply only with HotTrack.
constexpr TcxContainerBorderStyle kStateBorderStyles[ContainerStateStyleCount][7] = {
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11},
    {cbsFlat, cbsThick, cbsThick, cbs3D, cbs3D, cbsUltraFlat, cbsOffice11},
};

int ScreenPixelsPerInchY() {
  TPoint ppi;
  ScreenPixelsPerInch(ppi);
  return ppi.Y;
}

}  // namespace

TcxStyleController* DefaultStyleController() { return gDefaultStyleController; }
void SetDefaultStyleController(TcxStyleController* Controller) { gDefaultStyleController = Controller; }

// ---- TcxContainerStyle ------------------------------------------------------------------------------

TcxContainerStyle::TcxContainerStyle(TPersistent* AOwner, TcxContainerStyle* AParentStyle,
                                     TcxContainerStateStyleIndex AState)
    : TcxInterfacedPersistent(AOwner), FState(AState) {
  if (AState != csiNormal) FParentStyle = AParentStyle;
  if (IsRootStyle()) {
    FFont = std::make_unique<TFont>();
    FFont->OnChange = [this](TObject* Sender) { FontChangeReceived(Sender); };
  }
  FDisplayFont = std::make_unique<TFont>();
  if (IsRootStyle()) {
    FLookAndFeel = std::make_unique<TcxLookAndFeel>(this);
    FLookAndFeel->OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues) { NotifyChanged(); };
    if (TcxStyleController* fallback = FallbackStyleController()) SetStyleController(fallback);
  }
}

TcxContainerStyle::~TcxContainerStyle() {
  FDestroying = true;
  if (IsRootStyle() && FStyleController) FStyleController->RemoveStyleListener(this);
  FStyleController = nullptr;
  FLookAndFeel.reset();
  FDisplayFont.reset();
  if (FFont) FFont->OnChange = nullptr;
  FFont.reset();
}

void TcxContainerStyle::DeclareProperties(TPropTable& t) {
  using S = TcxContainerStyle;
  t.Add("BorderColor", &S::BorderColor, &S::SetBorderColor)
      .NoDefault()
      .Idents(&ColorToIdent, &IdentToColor)
      .Stored(&S::StoredValue<csvBorderColor>);
  t.Add("BorderStyle", &S::BorderStyle, &S::SetBorderStyle).NoDefault().Stored(&S::StoredValue<csvBorderStyle>);
  t.Add("Color", &S::Color, &S::SetColor)
      .NoDefault()
      .Idents(&ColorToIdent, &IdentToColor)
      .Stored(&S::StoredValue<csvColor>);
  t.Add("Edges", &S::Edges, &S::SetEdges).NoDefault().Stored(&S::StoredValue<csvEdges>);
  t.Add("Font", &S::Font, &S::SetFont).Stored(&S::StoredValue<csvFont>);
  t.Add("HotTrack", &S::HotTrack, &S::SetHotTrack).NoDefault().Stored(&S::StoredValue<csvHotTrack>);
  t.Add("LookAndFeel", &S::LookAndFeel, &S::SetLookAndFeel).Stored(&S::IsRootStyle);
  t.Add("Shadow", &S::Shadow, &S::SetShadow).NoDefault().Stored(&S::StoredValue<csvShadow>);
  t.Add("StyleController", &S::StyleController, &S::SetStyleController).Stored(&S::IsRootStyle);
  t.Add("TextColor", &S::TextColor, &S::SetTextColor)
      .NoDefault()
      .Idents(&ColorToIdent, &IdentToColor)
      .Stored(&S::StoredValue<csvTextColor>);
  t.Add("TextStyle", &S::TextStyle, &S::SetTextStyle).NoDefault().Stored(&S::StoredValue<csvTextStyle>);
  t.Add("TransparentBorder", &S::TransparentBorder, &S::SetTransparentBorder)
      .NoDefault()
      .Stored(&S::StoredValue<csvTransparentBorder>);
}

void TcxContainerStyle::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  // A font equal to the default writes nothing of its own; this keeps it assigned.
  Filer->DefineProperty(
      "IsFontAssigned",
      [this](TReader* Reader) {
        Reader->ReadBoolean();
        TcxContainerStyleValues values = FAssignedValues;
        values.Include(csvFont);
        SetAssignedValues(values);
      },
      [](TWriter* Writer) { Writer->WriteBoolean(true); }, IsValueStored(csvFont));
}

bool TcxContainerStyle::IsValueStored(TcxContainerStyleValue Value) {
  if (!FAssignedValues.Contains(Value)) return false;
  TcxContainer* container = Container();
  if (!container) return !IsRootStyle() ? !UnpublishedStyleValues().Contains(Value) : true;
  String name;
  StyleValueTitle(Value, name);
  return container->StoresStyleProperty(name, !IsRootStyle());
}

// ---- the interface ----------------------------------------------------------------------------------

TcxStyleController* TcxContainerStyle::ActiveStyleController() const {
  return FParentStyle ? FParentStyle->FStyleController : FStyleController;
}

TcxContainer* TcxContainerStyle::Container() const {
  return dynamic_cast<TcxContainer*>(const_cast<TcxContainerStyle*>(this)->Owner());
}

TcxContainerStyle* TcxContainerStyle::ControllerStyle() const {
  TcxStyleController* controller = ActiveStyleController();
  return controller ? controller->StyleOfState(FState) : nullptr;
}

void TcxContainerStyle::ReleaseChanges() {
  if (FUpdateCount > 0) --FUpdateCount;
  FireChangedIfDue();
}

void TcxContainerStyle::FireChangedIfDue() {
  if (FUpdateCount > 0 || !FModified) return;
  FModified = false;
  if (!FDestroying && OnChanged) OnChanged(this);
}

void TcxContainerStyle::NotifyChanged() {
  FModified = true;
  FireChangedIfDue();
}

void TcxContainerStyle::Changed(TcxContainerStyleValue Value) {
  FAssignedValues.Include(Value);
  NotifyChanged();
}

bool TcxContainerStyle::FindStyleValue(const String& Name, TcxContainerStyleValue& Value) {
  for (int i = 0; i < StyleValueTotal(); ++i) {
    String title;
    if (StyleValueTitle(i, title) && StringsEqual(title, Name, false)) {
      Value = i;
      return true;
    }
  }
  return false;
}

bool TcxContainerStyle::IsPublishedInStateStyles(const String& Name) {
  if (Name == "LookAndFeel" || Name == "StyleController") return false;
  TcxContainerStyleValue value = 0;
  if (!FindStyleValue(Name, value)) return true;
  return value < 32 && !UnpublishedStyleValues().Contains(value);
}

void TcxContainerStyle::LockFontAssigned(bool Lock) {
  if (Lock)
    ++FFontAssignedLock;
  else if (FFontAssignedLock > 0)
    --FFontAssignedLock;
}

void TcxContainerStyle::ResetFont(TFont* AFont) {
  TFont defaults;
  AFont->Assign(&defaults);
}

void TcxContainerStyle::RefreshFont() {
  if (!IsRootStyle()) {
    RootStyle()->RefreshFont();
    return;
  }
  if (FAssignedValues.Contains(csvFont)) return;
  LockFontAssigned(true);
  try {
    TFont* found = nullptr;
    TcxContainer* container = Container();
    if (FindAssignedFont(found))
      FFont->Assign(found);
    else if (!container || !container->ParentFont())
      ResetFont(FFont.get());
  } catch (...) {
    LockFontAssigned(false);
    throw;
  }
  LockFontAssigned(false);
}

TFont* TcxContainerStyle::DisplayFont() {
  RefreshDisplayFont();
  return FDisplayFont.get();
}

void TcxContainerStyle::RefreshDisplayFont() {
  FDisplayFont->Assign(Font());
  FDisplayFont->SetColor(TextColor());
  FDisplayFont->SetStyle(TextStyle());
}

bool TcxContainerStyle::IsParentColored() const {
  TcxContainer* container = Container();
  return !container || container->DefaultParentColor();
}

// ---- lookups ----------------------------------------------------------------------------------------

#define CX_STYLE_LOOKUP(Name, Type, Bit, Field)                         \
  bool TcxContainerStyle::FindAssigned##Name(Type& Value) {             \
    if (FAssignedValues.Contains(Bit)) {                                \
      Value = Field;                                                    \
      return true;                                                      \
    }                                                                   \
    if (TcxContainerStyle* style = ControllerStyle()) return style->FindAssigned##Name(Value); \
    return false;                                                       \
  }

CX_STYLE_LOOKUP(BorderColor, TColor, csvBorderColor, FBorderColor)
CX_STYLE_LOOKUP(BorderStyle, TcxContainerBorderStyle, csvBorderStyle, FBorderStyle)
CX_STYLE_LOOKUP(Color, TColor, csvColor, FColor)
CX_STYLE_LOOKUP(Edges, TcxBorders, csvEdges, FEdges)
CX_STYLE_LOOKUP(Font, TFont*, csvFont, FFont.get())
CX_STYLE_LOOKUP(HotTrack, bool, csvHotTrack, FHotTrack)
CX_STYLE_LOOKUP(Shadow, bool, csvShadow, FShadow)
CX_STYLE_LOOKUP(TextColor, TColor, csvTextColor, FTextColor)
CX_STYLE_LOOKUP(TextStyle, TFontStyles, csvTextStyle, FTextStyle)
CX_STYLE_LOOKUP(TransparentBorder, bool, csvTransparentBorder, FTransparentBorder)

#undef CX_STYLE_LOOKUP

// ---- read accessors ---------------------------------------------------------------------------------

TColor TcxContainerStyle::BorderColor() {
  TColor value;
  return FindAssignedBorderColor(value) ? value : BorderColorFallback();
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyle() {
  TcxContainerBorderStyle value;
  return FindAssignedBorderStyle(value) ? value : BorderStyleFallback();
}

TcxBorders TcxContainerStyle::Edges() {
  TcxContainerStyle* root = RootStyle();
  TcxBorders value;
  return root->FindAssignedEdges(value) ? value : root->EdgesFallback();
}

TFont* TcxContainerStyle::Font() { return RootStyle()->FFont.get(); }

bool TcxContainerStyle::HotTrack() {
  TcxContainerStyle* root = RootStyle();
  bool value;
  return root->FindAssignedHotTrack(value) ? value : root->HotTrackFallback();
}

bool TcxContainerStyle::Shadow() {
  TcxContainerStyle* root = RootStyle();
  bool value;
  return root->FindAssignedShadow(value) ? value : root->ShadowFallback();
}

bool TcxContainerStyle::TransparentBorder() {
  TcxContainerStyle* root = RootStyle();
  bool value;
  return root->FindAssignedTransparentBorder(value) ? value : root->TransparentBorderFallback();
}

TcxLookAndFeel* TcxContainerStyle::LookAndFeel() const {
  return FParentStyle ? FParentStyle->FLookAndFeel.get() : FLookAndFeel.get();
}

TcxStyleController* TcxContainerStyle::StyleController() {
  TcxStyleController* controller = ActiveStyleController();
  return controller == RootStyle()->FallbackStyleController() ? nullptr : controller;
}

TColor TcxContainerStyle::ReadColor() {
  TcxContainer* container = Container();
  if (IsRootStyle() && container && container->ParentColor() && container->Parent())
    return container->Parent()->Color();
  TColor value;
  return FindAssignedColor(value) ? value : ColorFallback();
}

TColor TcxContainerStyle::ResolvedColor() {
  TColor value;
  if (FindAssignedColor(value)) return value;
  TcxContainer* container = Container();
  if (IsRootStyle() && container && !container->IsInPlace() && container->ParentColor() && container->Parent())
    return container->Parent()->Color();
  return ColorFallback();
}

TColor TcxContainerStyle::ReadTextColor() {
  TColor value;
  return FindAssignedTextColor(value) ? value : TextColorFallback();
}

TFontStyles TcxContainerStyle::ReadTextStyle() {
  TFontStyles value;
  return FindAssignedTextStyle(value) ? value : TextStyleFallback();
}

// ---- fallbacks --------------------------------------------------------------------------------------

TColor TcxContainerStyle::BorderColorFallback() {
  switch (FState) {
    case csiNormal: return clWindowFrame;
    case csiDisabled: return clBtnShadow;
    default: return FParentStyle->BorderColor();
  }
}

TcxContainerBorderStyle TcxContainerStyle::BorderStyleFallback() {
  if (IsRootStyle()) {
    switch (LookAndFeel()->Kind()) {
      case lfFlat: return cbsFlat;
      case lfStandard: return cbs3D;
      case lfOffice11: return cbsOffice11;
      default: return cbsUltraFlat;
    }
  }
  int row = FState;
  if ((FState == csiFocused || FState == csiHot) && !HotTrack()) row = csiNormal;
  return kStateBorderStyles[row][FParentStyle->BorderStyle()];
}

TColor TcxContainerStyle::ColorFallback() {
  bool parentColored = IsParentColored();
  switch (FState) {
    case csiNormal: return parentColored ? clBtnFace : clWindow;
    case csiDisabled: return parentColored ? FParentStyle->Color() : clBtnFace;
    default: return FParentStyle->Color();
  }
}

TcxBorders TcxContainerStyle::EdgesFallback() { return cxBordersAll; }
bool TcxContainerStyle::HotTrackFallback() { return true; }
bool TcxContainerStyle::ShadowFallback() { return false; }

TColor TcxContainerStyle::TextColorFallback() {
  switch (FState) {
    case csiNormal: return FFont->Color();
    case csiDisabled: return clBtnShadow;
    default: return FParentStyle->TextColor();
  }
}

TFontStyles TcxContainerStyle::TextStyleFallback() {
  return IsRootStyle() ? FFont->Style() : FParentStyle->TextStyle();
}

bool TcxContainerStyle::TransparentBorderFallback() { return true; }
TcxStyleController* TcxContainerStyle::FallbackStyleController() { return DefaultStyleController(); }

TcxContainerStyleValues TcxContainerStyle::UnpublishedStyleValues() {
  return TcxContainerStyleValues{csvEdges, csvFont, csvHotTrack, csvShadow, csvTransparentBorder};
}

int TcxContainerStyle::StyleValueTotal() { return kStyleValueCount; }

bool TcxContainerStyle::StyleValueTitle(TcxContainerStyleValue Index, String& Name) {
  Name.clear();
  if (Index < 0 || Index >= kStyleValueCount) return false;
  Name = kStyleValueNames[Index];
  return true;
}

bool TcxContainerStyle::ShowsBorder() { return IsRootStyle() ? true : FParentStyle->ShowsBorder(); }

bool TcxContainerStyle::IsValueAssigned(TcxContainerStyleValue Value) {
  switch (Value) {
    case csvBorderColor: { TColor v; return FindAssignedBorderColor(v); }
    case csvBorderStyle: { TcxContainerBorderStyle v; return FindAssignedBorderStyle(v); }
    case csvColor: { TColor v; return FindAssignedColor(v); }
    case csvEdges: { TcxBorders v; return FindAssignedEdges(v); }
    case csvFont: { TFont* v; return FindAssignedFont(v); }
    case csvHotTrack: { bool v; return FindAssignedHotTrack(v); }
    case csvShadow: { bool v; return FindAssignedShadow(v); }
    case csvTextColor: { TColor v; return FindAssignedTextColor(v); }
    case csvTextStyle: { TFontStyles v; return FindAssignedTextStyle(v); }
    default: return false;
  }
}

// ---- setters ----------------------------------------------------------------------------------------

void TcxContainerStyle::SetAssignedValues(TcxContainerStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  RootStyle()->RefreshFont();
  NotifyChanged();
}

void TcxContainerStyle::SetBorderColor(TColor Value) {
  if (Unchanged(csvBorderColor, FBorderColor == Value)) return;
  FBorderColor = Value;
  Changed(csvBorderColor);
}

void TcxContainerStyle::SetBorderStyle(TcxContainerBorderStyle Value) {
  if (Unchanged(csvBorderStyle, FBorderStyle == Value)) return;
  FBorderStyle = Value;
  Changed(csvBorderStyle);
}

void TcxContainerStyle::SetColor(TColor Value) {
  if (Unchanged(csvColor, FColor == Value)) return;
  FColor = Value;
  Changed(csvColor);
}

void TcxContainerStyle::SetEdges(TcxBorders Value) {
  if (!IsRootStyle()) return FParentStyle->SetEdges(Value);
  if (Unchanged(csvEdges, FEdges == Value)) return;
  FEdges = Value;
  Changed(csvEdges);
}

void TcxContainerStyle::SetFont(TFont* Value) {
  if (!IsRootStyle()) return FParentStyle->SetFont(Value);
  FFont->Assign(Value);
  // An equal font raises no change of its own, yet it was set.
  if (!FAssignedValues.Contains(csvFont)) Changed(csvFont);
}

void TcxContainerStyle::SetHotTrack(bool Value) {
  if (!IsRootStyle()) return FParentStyle->SetHotTrack(Value);
  if (Unchanged(csvHotTrack, FHotTrack == Value)) return;
  FHotTrack = Value;
  Changed(csvHotTrack);
}

void TcxContainerStyle::SetShadow(bool Value) {
  if (!IsRootStyle()) return FParentStyle->SetShadow(Value);
  if (Unchanged(csvShadow, FShadow == Value)) return;
  FShadow = Value;
  Changed(csvShadow);
}

void TcxContainerStyle::SetTextColor(TColor Value) {
  if (Unchanged(csvTextColor, TextColor() == Value)) return;
  FTextColor = Value;
  Changed(csvTextColor);
}

void TcxContainerStyle::SetTextStyle(TFontStyles Value) {
  if (Unchanged(csvTextStyle, TextStyle() == Value)) return;
  FTextStyle = Value;
  Changed(csvTextStyle);
}

void TcxContainerStyle::SetTransparentBorder(bool Value) {
  if (!IsRootStyle()) return FParentStyle->SetTransparentBorder(Value);
  if (Unchanged(csvTransparentBorder, FTransparentBorder == Value)) return;
  FTransparentBorder = Value;
  Changed(csvTransparentBorder);
}

void TcxContainerStyle::SetLookAndFeel(TcxLookAndFeel* Value) {
  if (!IsRootStyle()) return FParentStyle->SetLookAndFeel(Value);
  FLookAndFeel->Assign(Value);
}

bool TcxContainerStyle::ChainLeadsHere(TcxStyleController* Controller) {
  for (TcxStyleController* c = Controller; c; c = c->NormalStyle()->StyleController())
    if (c->NormalStyle() == this) return true;
  return false;
}

void TcxContainerStyle::SetStyleController(TcxStyleController* Value) {
  if (!IsRootStyle()) return FParentStyle->SetStyleController(Value);
  TcxStyleController* fallback = FallbackStyleController();
  // The default controller's own styles follow none.
  if (fallback && fallback == Owner()) return;
  if (!Value) Value = fallback;
  if (Value && ChainLeadsHere(Value)) return;
  if (Value == FStyleController) return;
  if (FStyleController) FStyleController->RemoveStyleListener(this);
  FStyleController = Value;
  if (Value) Value->AddStyleListener(this);
  StyleControllerChanged(Value);
}

// ---- reactions --------------------------------------------------------------------------------------

void TcxContainerStyle::StyleControllerChanged(TcxStyleController*) {
  RefreshFont();
  NotifyChanged();
}

void TcxContainerStyle::StyleControllerFreed(TcxStyleController* Controller) {
  if (Controller == ActiveStyleController()) SetStyleController(nullptr);
}

void TcxContainerStyle::FontChangeReceived(TObject*) {
  if (FFontAssignedLock == 0) FAssignedValues.Include(csvFont);
  NotifyChanged();
}

void TcxContainerStyle::ResetToDefaults() {
  THeldStyleChanges hold(this);
  SetAssignedValues({});
  if (!IsRootStyle()) return;
  FLookAndFeel->ClearAssignedValues();
  TcxContainer* container = Container();
  if (container) {
    container->SetParentColor(false);
    container->SetParentFont(true);
  } else {
    ResetFont(FFont.get());
  }
  if (container && container->DefaultParentColor()) {
    TcxStyleController* controller = ActiveStyleController();
    if (!controller || !controller->NormalStyle()->IsValueAssigned(csvColor)) container->SetParentColor(true);
  }
}

void TcxContainerStyle::AssignFrom(TPersistent* Source) {
  auto* source = dynamic_cast<TcxContainerStyle*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  THeldStyleChanges hold(this);
  if (IsRootStyle()) {
    SetStyleController(source->StyleController());
    FLookAndFeel->Assign(source->LookAndFeel());
    FBorderColor = source->FBorderColor;
    FBorderStyle = source->FBorderStyle;
    FEdges = source->FEdges;
    FHotTrack = source->FHotTrack;
    FShadow = source->FShadow;
    FTransparentBorder = source->FTransparentBorder;
    FColor = source->FColor;
    FFont->Assign(source->Font());
    FTextColor = source->TextColor();
    FTextStyle = source->TextStyle();
    FAssignedValues = source->FAssignedValues;
  } else {
    // A state style has no font of its own: only the values that may differ by state come over,
    // so the normal style's font is neither touched nor scaled twice.
    FBorderColor = source->FBorderColor;
    FBorderStyle = source->FBorderStyle;
    FColor = source->FColor;
    FTextColor = source->TextColor();
    FTextStyle = source->TextStyle();
    for (TcxContainerStyleValue v : {csvBorderColor, csvBorderStyle, csvColor, csvTextColor, csvTextStyle}) {
      if (source->FAssignedValues.Contains(v))
        FAssignedValues.Include(v);
      else
        FAssignedValues.Exclude(v);
    }
  }
  NotifyChanged();
}

// ---- TcxContainerStyles -----------------------------------------------------------------------------

TcxContainerStyles::TcxContainerStyles(TPersistent* AOwner, const TcxContainerStyleClass& AStyleClass) {
  FStyles[csiNormal] = AStyleClass(AOwner, nullptr, csiNormal);
  for (int i = csiFocused; i < ContainerStateStyleCount; ++i)
    FStyles[i] = AStyleClass(AOwner, FStyles[csiNormal], static_cast<TcxContainerStateStyleIndex>(i));
}

TcxContainerStyles::~TcxContainerStyles() {
  for (int i = ContainerStateStyleCount - 1; i >= 0; --i) {
    delete FStyles[i];
    FStyles[i] = nullptr;
  }
}

void TcxContainerStyles::SetChangeHandler(const TNotifyEvent& Handler) {
  for (TcxContainerStyle* style : FStyles) style->OnChanged = Handler;
}

// ---- TcxStyleController -----------------------------------------------------------------------------

TcxStyleController::TcxStyleController(TComponent* AOwner)
    : TcxStyleController(AOwner, ContainerStyleClassOf<TcxContainerStyle>(),
                         ContainerStylesClassOf<TcxContainerStyles>()) {}

TcxStyleController::TcxStyleController(TComponent* AOwner, const TcxContainerStyleClass& AStyleClass,
                                       const TcxContainerStylesClass& AStylesClass)
    : TComponent(AOwner), FStyleClass(AStyleClass), FStylesClass(AStylesClass) {
  FStyles.reset(FStylesClass(this, FStyleClass));
  FStyles->SetChangeHandler([this](TObject* Sender) { StylesChanged(Sender); });
}

TcxStyleController::~TcxStyleController() {
  FDestroying = true;
  for (int i = static_cast<int>(FListeners.size()) - 1; i >= 0; --i) {
    if (i >= static_cast<int>(FListeners.size())) continue;
    FListeners[static_cast<std::size_t>(i)]->StyleControllerFreed(this);
  }
  FStyles->SetChangeHandler(nullptr);
  FStyles.reset();
  FListeners.clear();
}

void TcxStyleController::DeclareProperties(TPropTable& t) {
  t.Add("FakeStyleController", &TcxStyleController::FakeStyleController, &TcxStyleController::SetFakeStyleController)
      .Stored(false);
}

TcxStyleController* TcxStyleController::FakeStyleController() { return NormalStyle()->StyleController(); }

TcxContainerStyleClass TcxStyleController::StyleClass() { return FStyleClass; }
TcxContainerStylesClass TcxStyleController::StylesClass() { return FStylesClass; }

void TcxStyleController::AddStyleListener(TcxContainerStyle* AStyle) {
  if (!AStyle || std::find(FListeners.begin(), FListeners.end(), AStyle) != FListeners.end()) return;
  FListeners.push_back(AStyle);
  AStyle->LookAndFeel()->AttachToMaster(NormalStyle()->LookAndFeel());
}

void TcxStyleController::RemoveStyleListener(TcxContainerStyle* AStyle) {
  auto it = std::find(FListeners.begin(), FListeners.end(), AStyle);
  if (it == FListeners.end()) return;
  FListeners.erase(it);
  AStyle->LookAndFeel()->AttachToMaster(nullptr);
}

void TcxStyleController::NotifyStyleChanged() {
  if (OnStyleChanged) OnStyleChanged(this);
  if (FDestroying) return;
  std::size_t count = FListeners.size();
  for (std::size_t i = 0; i < count && i < FListeners.size(); ++i) FListeners[i]->StyleControllerChanged(this);
}

void TcxStyleController::StylesChanged(TObject*) { NotifyStyleChanged(); }

void TcxStyleController::Loaded() {
  TComponent::Loaded();
  NotifyStyleChanged();
}

int TcxStyleController::ScaleFontHeight(int N) {
  int screen = ScreenPixelsPerInchY();
  if (FPixelsPerInch == 0 || FPixelsPerInch == screen) return N;
  return win::MulDiv(N, screen, FPixelsPerInch);
}

void TcxStyleController::ReadPixelsPerInch(int Value) {
  if (Value == FPixelsPerInch) return;
  FPixelsPerInch = Value;
  for (int i = 0; i < ContainerStateStyleCount; ++i) {
    TcxContainerStyle* style = StyleOfState(static_cast<TcxContainerStateStyleIndex>(i));
    if (style->AssignedValues().Contains(csvFont)) style->Font()->SetHeight(ScaleFontHeight(style->Font()->Height()));
  }
  NotifyStyleChanged();
}

void TcxStyleController::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      "PixelsPerInch", [this](TReader* Reader) { ReadPixelsPerInch(Reader->ReadInteger()); },
      [](TWriter* Writer) { Writer->WriteInteger(ScreenPixelsPerInchY()); }, Filer->Ancestor() == nullptr);
}
