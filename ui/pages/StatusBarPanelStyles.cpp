#include "ui/pages/StatusBarPanelStyles.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/RegisteredClasses.h"
#include "ui/foundation/ResourceStrings.h"

using namespace win;

namespace {

const TResStringRec dxSBAR_TEXTTYPE{"Text Panel"};
const TResStringRec dxSBAR_CONTAINERTYPE{"Container Panel"};
const TResStringRec dxSBAR_KEYBOARDSTATETYPE{"Keyboard State Panel"};
const TResStringRec dxSBAR_STATEINDICATORTYPE{"State Indicator Panel"};

bool IsBarBusy(TdxCustomStatusBar* Bar) {
  return !Bar || Bar->IsLoading() || Bar->ComponentState().Contains(csUpdating);
}

}  // namespace

// ---- base style -------------------------------------------------------------------------------------

TdxStatusBarPanelStyle::TdxStatusBarPanelStyle(TdxStatusBarPanel* AOwner) : FFont(std::make_unique<TFont>()), FOwner(AOwner) {
  FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  UpdateParentFont();
}

TdxStatusBarPanelStyle::~TdxStatusBarPanelStyle() = default;

void TdxStatusBarPanelStyle::DeclareBaseProperties(TPropTable& t, bool WithAlignment, bool WithFont) {
  if (WithAlignment)
    t.Add("Alignment", &TdxStatusBarPanelStyle::Alignment, &TdxStatusBarPanelStyle::SetAlignment)
        .SetDefault(taLeftJustify);
  t.Add("Color", &TdxStatusBarPanelStyle::Color, &TdxStatusBarPanelStyle::SetColor)
      .Idents(ColorToIdent, IdentToColor)
      .Stored(&TdxStatusBarPanelStyle::IsColorStored);
  if (WithFont)
    t.Add("Font", &TdxStatusBarPanelStyle::Font, &TdxStatusBarPanelStyle::SetFont)
        .Stored(&TdxStatusBarPanelStyle::IsFontStored);
}

TdxCustomStatusBar* TdxStatusBarPanelStyle::StatusBarControl() const {
  return FOwner ? FOwner->StatusBarControl() : nullptr;
}

void TdxStatusBarPanelStyle::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarPanelStyle*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  TCollection* panels = FOwner ? FOwner->Collection() : nullptr;
  if (panels) panels->BeginUpdate();
  try {
    CopyFrom(source);
  } catch (...) {
    if (panels) panels->EndUpdate();
    throw;
  }
  if (panels) panels->EndUpdate();
}

void TdxStatusBarPanelStyle::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  NotifyChanged();
}

TColor TdxStatusBarPanelStyle::Color() const {
  return FIsColorAssigned ? FColor : const_cast<TdxStatusBarPanelStyle*>(this)->DefaultColor();
}

void TdxStatusBarPanelStyle::SetColor(TColor Value) {
  if (FIsColorAssigned && FColor == Value) return;
  FColor = Value;
  FIsColorAssigned = true;
  NotifyChanged();
}

void TdxStatusBarPanelStyle::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  UpdateParentFont();
}

void TdxStatusBarPanelStyle::FontChanged(TObject*) {
  FParentFont = false;
  NotifyChanged();
}

void TdxStatusBarPanelStyle::ResolveDefaultTextColor(TColor& AColor, bool Enabled) {
  if (AColor != clDefault) return;
  if (TdxCustomStatusBar* bar = StatusBarControl()) bar->AdjustDefaultTextColor(AColor, Enabled);
}

void TdxStatusBarPanelStyle::BoundsChanged(const TRect&) {}
bool TdxStatusBarPanelStyle::CanDelete() { return true; }
bool TdxStatusBarPanelStyle::UsesPanelSizing() { return true; }

void TdxStatusBarPanelStyle::NotifyChanged() {
  if (FOwner) FOwner->Changed();
}

void TdxStatusBarPanelStyle::FitToSizeGrip(TRect& R) {
  TdxCustomStatusBar* bar = StatusBarControl();
  if (!bar || !FOwner->Collection()) return;
  if (FOwner->Index() == FOwner->Collection()->Count() - 1 && bar->SizeGripVisible())
    R.Right -= bar->Painter()->SizeGripSize().cx;
}

TColor TdxStatusBarPanelStyle::DefaultColor() {
  TdxCustomStatusBar* bar = StatusBarControl();
  return bar ? bar->Color() : clBtnFace;
}

void TdxStatusBarPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  RestoreDefaults();
  SetAlignment(Source->Alignment());
  if (Source->IsColorAssigned()) SetColor(Source->Color());
  if (Source->IsFontStored())
    SetFont(Source->Font());
  else
    UpdateParentFont();
}

void TdxStatusBarPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  APainter->FillPanelArea(StatusBarControl(), FOwner, R, ACanvas);
}

int TdxStatusBarPanelStyle::ContentMinWidth() { return 20; }
bool TdxStatusBarPanelStyle::SuppressPanelBevel() { return false; }
void TdxStatusBarPanelStyle::StyleLoaded() {}
void TdxStatusBarPanelStyle::VisibleChanged() {}

void TdxStatusBarPanelStyle::UpdateParentFont() {
  if (!FParentFont) return;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (!bar) return;
  FFont->Assign(bar->Font());
  FParentFont = true;
}

void TdxStatusBarPanelStyle::RestoreDefaults() {
  FAlignment = taLeftJustify;
  FIsColorAssigned = false;
  FParentFont = true;
  UpdateParentFont();
  NotifyChanged();
}

// ---- text -------------------------------------------------------------------------------------------

TdxStatusBarTextPanelStyle::TdxStatusBarTextPanelStyle(TdxStatusBarPanel* AOwner) : TdxStatusBarPanelStyle(AOwner) {}

void TdxStatusBarTextPanelStyle::DeclareProperties(TPropTable& t) {
  t.Add("Alignment", &TdxStatusBarPanelStyle::Alignment, &TdxStatusBarPanelStyle::SetAlignment)
      .SetDefault(taLeftJustify);
  t.Add("AutoHint", &TdxStatusBarTextPanelStyle::AutoHint, &TdxStatusBarTextPanelStyle::SetAutoHint).SetDefault(false);
  DeclareBaseProperties(t, false, false);
  t.Add("ImageIndex", &TdxStatusBarTextPanelStyle::ImageIndex, &TdxStatusBarTextPanelStyle::SetImageIndex)
      .SetDefault(-1);
  t.Add("EllipsisType", &TdxStatusBarTextPanelStyle::EllipsisType, &TdxStatusBarTextPanelStyle::SetEllipsisType)
      .SetDefault(dxetNone);
  t.Add("Font", &TdxStatusBarPanelStyle::Font, &TdxStatusBarPanelStyle::SetFont)
      .Stored(&TdxStatusBarTextPanelStyle::IsFontStored);
  t.Add("ParentFont", &TdxStatusBarPanelStyle::ParentFont, &TdxStatusBarPanelStyle::SetParentFont).SetDefault(true);
  t.Add("OnGetText", &TdxStatusBarTextPanelStyle::OnGetText);
}

void TdxStatusBarTextPanelStyle::SetAutoHint(bool Value) {
  if (FAutoHint == Value) return;
  if (TdxCustomStatusBar* bar = StatusBarControl())
    for (int i = 0; i < bar->Panels()->Count(); ++i)
      if (auto* style = dynamic_cast<TdxStatusBarTextPanelStyle*>(bar->Panels()->PanelAt(i)->PanelStyle()))
        style->FAutoHint = false;
  FAutoHint = Value;
}

void TdxStatusBarTextPanelStyle::SetEllipsisType(TdxStatusBarEllipsisType Value) {
  if (FEllipsisType == Value) return;
  FEllipsisType = Value;
  NotifyChanged();
}

void TdxStatusBarTextPanelStyle::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  NotifyChanged();
}

void TdxStatusBarTextPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::CopyFrom(Source);
  if (auto* source = dynamic_cast<TdxStatusBarTextPanelStyle*>(Source)) {
    SetAutoHint(source->AutoHint());
    SetImageIndex(source->ImageIndex());
    SetEllipsisType(source->EllipsisType());
  }
}

LibraryTextFlags TdxStatusBarTextPanelStyle::TextFlags() const {
  LibraryTextFlags flags = ltfCenterVert | ltfSingleLine;
  switch (Alignment()) {
    case taRightJustify: flags |= ltfAlignRight; break;
    case taCenter: flags |= ltfCenterHorz; break;
    default: flags |= ltfAlignLeft; break;
  }
  if (FEllipsisType == dxetTruncate) flags |= ltfEndEllipsis;
  if (FEllipsisType == dxetSmartPath) flags |= ltfPathEllipsis;
  return flags;
}

void TdxStatusBarTextPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  TdxStatusBarPanelStyle::DrawContent(ACanvas, R, APainter);
  TdxCustomStatusBar* bar = StatusBarControl();
  TCustomImageList* images = bar->Images();
  if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
    images->Draw(ACanvas->Canvas(), R.Left + 1, (R.Top + R.Bottom) / 2 - images->Height() / 2, FImageIndex,
                 bar->Enabled());
    R.Left += images->Width() + 2;
  }
  ACanvas->ActiveBrush()->SetStyle(bsClear);
  TColor color = Font()->Color();
  APainter->AdjustTextColor(bar, color, true);
  ResolveDefaultTextColor(color, true);
  ACanvas->AssignFont(Font());
  ACanvas->ActiveFont()->SetColor(color);
  R = GrowRectSides(R, -2, 0, -2, 0);
  String text = Owner()->Text();
  R = APainter->AdjustPanelTextRect(bar, Owner(), R);
  if (OnGetText) OnGetText(this, R, text);
  ACanvas->DrawTextInRect(text, R, TextFlags(), bar->Enabled());
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TdxStatusBarTextPanelStyle::RestoreDefaults() {
  FAutoHint = false;
  FImageIndex = -1;
  FEllipsisType = dxetNone;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

// ---- state indicators -------------------------------------------------------------------------------

TdxStatusBarStateIndicatorItem::TdxStatusBarStateIndicatorItem(TCollection* Collection)
    : TCollectionItem(Collection) {
  LoadBitmap();
  Changed(false);
}

TdxStatusBarStateIndicatorItem::~TdxStatusBarStateIndicatorItem() = default;

void TdxStatusBarStateIndicatorItem::DeclareProperties(TPropTable& t) {
  t.Add("IndicatorType", &TdxStatusBarStateIndicatorItem::IndicatorType,
        &TdxStatusBarStateIndicatorItem::SetIndicatorType)
      .SetDefault(sitOff);
  t.Add("Visible", &TdxStatusBarStateIndicatorItem::Visible, &TdxStatusBarStateIndicatorItem::SetVisible)
      .SetDefault(true);
}

void TdxStatusBarStateIndicatorItem::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxStatusBarStateIndicatorItem*>(Source)) {
    SetIndicatorType(source->IndicatorType());
    SetVisible(source->Visible());
    return;
  }
  TCollectionItem::Assign(Source);
}

const char* TdxStatusBarStateIndicatorItem::ResourceName(TdxStatusBarStateIndicatorType Type) {
  static const char* const names[] = {"DXSTATUSBAR_GRAY", "DXSTATUSBAR_YELLOW", "DXSTATUSBAR_BLUE",
                                      "DXSTATUSBAR_GREEN", "DXSTATUSBAR_RED", "DXSTATUSBAR_TEAL",
                                      "DXSTATUSBAR_PURPLE"};
  return names[Type];
}

void TdxStatusBarStateIndicatorItem::LoadBitmap() {
  auto bitmap = std::make_unique<TBitmap>();
  try {
    bitmap->LoadFromResourceName(GetModuleHandle(nullptr), ResourceName(FIndicatorType));
    FIndicatorBitmap = std::move(bitmap);
  } catch (const Exception&) {
    // A program built without the pictures shows no lamp instead of failing.
    FIndicatorBitmap.reset();
  }
}

void TdxStatusBarStateIndicatorItem::SetIndicatorType(TdxStatusBarStateIndicatorType Value) {
  if (FIndicatorType == Value) return;
  FIndicatorType = Value;
  LoadBitmap();
  Changed(false);
}

void TdxStatusBarStateIndicatorItem::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed(false);
}

TdxStatusBarStateIndicators::TdxStatusBarStateIndicators(TdxStatusBarPanelStyle* AOwner)
    : TCollection(TdxStatusBarStateIndicatorItem::StaticClass()), FOwner(AOwner) {}

void TdxStatusBarStateIndicators::Update(TCollectionItem*) {
  if (FOwner) FOwner->NotifyChanged();
}

TdxStatusBarStateIndicatorPanelStyle::TdxStatusBarStateIndicatorPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner), FIndicators(std::make_unique<TdxStatusBarStateIndicators>(this)) {}

TdxStatusBarStateIndicatorPanelStyle::~TdxStatusBarStateIndicatorPanelStyle() = default;

void TdxStatusBarStateIndicatorPanelStyle::DeclareProperties(TPropTable& t) {
  DeclareBaseProperties(t, false, false);
  t.Add("Indicators", &TdxStatusBarStateIndicatorPanelStyle::Indicators,
        &TdxStatusBarStateIndicatorPanelStyle::SetIndicators);
  t.Add("Spacing", &TdxStatusBarStateIndicatorPanelStyle::Spacing, &TdxStatusBarStateIndicatorPanelStyle::SetSpacing)
      .SetDefault(4);
}

void TdxStatusBarStateIndicatorPanelStyle::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  NotifyChanged();
}

void TdxStatusBarStateIndicatorPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::CopyFrom(Source);
  if (auto* source = dynamic_cast<TdxStatusBarStateIndicatorPanelStyle*>(Source)) {
    SetSpacing(source->Spacing());
    SetIndicators(source->Indicators());
  }
}

namespace {

// An item still in its base constructor is not an indicator yet.
bool IsIndicatorDrawn(TCollectionItem* AItem) {
  auto* Item = dynamic_cast<TdxStatusBarStateIndicatorItem*>(AItem);
  if (!Item) return false;
  TBitmap* bitmap = Item->IndicatorBitmap();
  return Item->Visible() && bitmap && !bitmap->Empty();
}

}  // namespace

void TdxStatusBarStateIndicatorPanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  TdxStatusBarPanelStyle::DrawContent(ACanvas, R, APainter);
  int x = R.Left + FSpacing;
  for (int i = 0; i < FIndicators->Count(); ++i) {
    if (!IsIndicatorDrawn(FIndicators->Items(i))) continue;
    TdxStatusBarStateIndicatorItem* item = FIndicators->ItemAt(i);
    TBitmap* bitmap = item->IndicatorBitmap();
    ACanvas->DrawGraphic(x, (R.Top + R.Bottom) / 2 - bitmap->Height() / 2, bitmap);
    x += bitmap->Width() + FSpacing;
  }
}

int TdxStatusBarStateIndicatorPanelStyle::ContentMinWidth() {
  if (FIndicators->Count() == 0) return 20;
  int width = FSpacing;
  for (int i = 0; i < FIndicators->Count(); ++i)
    if (IsIndicatorDrawn(FIndicators->Items(i))) width += FIndicators->ItemAt(i)->IndicatorBitmap()->Width() + FSpacing;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (bar) {
    TdxStatusBarPainterClass painter = bar->Painter();
    TRect margins = painter->PanelContentMargins(Owner(), painter->PanelHasBevel(Owner()) != dxpbNone);
    width += margins.Left + margins.Right;
  }
  return width;
}

void TdxStatusBarStateIndicatorPanelStyle::RestoreDefaults() {
  FSpacing = 4;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

// ---- keyboard state ---------------------------------------------------------------------------------

TdxStatusBarKeyStateAppearance::TdxStatusBarKeyStateAppearance(TdxStatusBarKeyboardState AId, int AKeyCode,
                                                               TColor AActiveFontColor, const String& AActiveCaption,
                                                               TColor AInactiveFontColor,
                                                               const String& AInactiveCaption, TNotifyEvent AOnChange)
    : FId(AId),
      FKeyCode(AKeyCode),
      FActiveFontColor(AActiveFontColor),
      FInactiveFontColor(AInactiveFontColor),
      FActiveCaption(AActiveCaption),
      FInactiveCaption(AInactiveCaption),
      FOnChange(std::move(AOnChange)) {}

void TdxStatusBarKeyStateAppearance::DeclareProperties(TPropTable& t) {
  t.Add("ActiveCaption", &TdxStatusBarKeyStateAppearance::ActiveCaption,
        &TdxStatusBarKeyStateAppearance::SetActiveCaption);
  t.Add("ActiveFontColor", &TdxStatusBarKeyStateAppearance::ActiveFontColor,
        &TdxStatusBarKeyStateAppearance::SetActiveFontColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clWindowText);
  t.Add("InactiveCaption", &TdxStatusBarKeyStateAppearance::InactiveCaption,
        &TdxStatusBarKeyStateAppearance::SetInactiveCaption);
  t.Add("InactiveFontColor", &TdxStatusBarKeyStateAppearance::InactiveFontColor,
        &TdxStatusBarKeyStateAppearance::SetInactiveFontColor)
      .Idents(ColorToIdent, IdentToColor)
      .SetDefault(clBtnShadow);
}

void TdxStatusBarKeyStateAppearance::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarKeyStateAppearance*>(Source);
  if (!source) {
    TPersistent::Assign(Source);
    return;
  }
  FActiveCaption = source->FActiveCaption;
  FActiveFontColor = source->FActiveFontColor;
  FInactiveCaption = source->FInactiveCaption;
  FInactiveFontColor = source->FInactiveFontColor;
  NotifyAppearanceChanged();
}

void TdxStatusBarKeyStateAppearance::SetActiveFontColor(TColor Value) {
  FActiveFontColor = Value;
  NotifyAppearanceChanged();
}
void TdxStatusBarKeyStateAppearance::SetInactiveFontColor(TColor Value) {
  FInactiveFontColor = Value;
  NotifyAppearanceChanged();
}
void TdxStatusBarKeyStateAppearance::SetActiveCaption(const String& Value) {
  FActiveCaption = Value;
  NotifyAppearanceChanged();
}
void TdxStatusBarKeyStateAppearance::SetInactiveCaption(const String& Value) {
  FInactiveCaption = Value;
  NotifyAppearanceChanged();
}

void TdxStatusBarKeyStateAppearance::NotifyAppearanceChanged() {
  if (FOnChange) FOnChange(this);
}

int TdxStatusBarKeyStateAppearance::CaptionWidth(TcxCanvas* ACanvas) const {
  return std::max(ACanvas->MeasureTextWidth(FActiveCaption), ACanvas->MeasureTextWidth(FInactiveCaption)) + 4;
}

TdxStatusBarKeyboardStateWatchedKey::TdxStatusBarKeyboardStateWatchedKey(int AKeyCode)
    : KeyState(GetKeyState(AKeyCode) & 0xFF), FKeyCode(AKeyCode) {}

TdxStatusBarKeyboardStateNotifier::TdxStatusBarKeyboardStateNotifier(TdxCustomStatusBar* AStatusBar)
    : FStatusBar(AStatusBar), FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetInterval(100);
  FTimer->SetOnTimer([this](TObject* Sender) { PollKeys(Sender); });
}

TdxStatusBarKeyboardStateNotifier::~TdxStatusBarKeyboardStateNotifier() { FTimer.reset(); }

void TdxStatusBarKeyboardStateNotifier::WatchKey(int KeyCode) {
  UnwatchKey(KeyCode);
  FKeys.push_back(std::make_unique<TdxStatusBarKeyboardStateWatchedKey>(KeyCode));
}

void TdxStatusBarKeyboardStateNotifier::UnwatchKey(int KeyCode) {
  auto it = std::find_if(FKeys.begin(), FKeys.end(), [&](const auto& k) { return k->KeyCode() == KeyCode; });
  if (it != FKeys.end()) FKeys.erase(it);
}

void TdxStatusBarKeyboardStateNotifier::PollKeys(TObject*) {
  bool changed = false;
  for (auto& key : FKeys) {
    int state = GetKeyState(key->KeyCode()) & 0xFF;
    if (state != key->KeyState) {
      key->KeyState = state;
      changed = true;
    }
  }
  if (changed && FStatusBar) FStatusBar->Recalculate();
}

TdxStatusBarKeyboardStatePanelStyle::TdxStatusBarKeyboardStatePanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  TNotifyEvent changed = [this](TObject* Sender) { AppearanceChanged(Sender); };
  const TColor active = Font()->Color();
  FAppearances[0] = std::make_unique<TdxStatusBarKeyStateAppearance>(dxksCapsLock, VK_CAPITAL, active, "CAPS",
                                                                      clBtnShadow, "CAPS", changed);
  FAppearances[1] = std::make_unique<TdxStatusBarKeyStateAppearance>(dxksNumLock, VK_NUMLOCK, active, "NUM",
                                                                      clBtnShadow, "NUM", changed);
  FAppearances[2] = std::make_unique<TdxStatusBarKeyStateAppearance>(dxksScrollLock, VK_SCROLL, active, "SCRL",
                                                                      clBtnShadow, "SCRL", changed);
  FAppearances[3] = std::make_unique<TdxStatusBarKeyStateAppearance>(dxksInsert, VK_INSERT, active, "OVR",
                                                                      clBtnShadow, "INS", changed);
  FKeyboardStates = dxksAllKeyboardStates;
  FNotifier = std::make_unique<TdxStatusBarKeyboardStateNotifier>(StatusBarControl());
  for (auto& appearance : FAppearances) FNotifier->WatchKey(appearance->KeyCode());
}

TdxStatusBarKeyboardStatePanelStyle::~TdxStatusBarKeyboardStatePanelStyle() {
  for (int i = 3; i >= 0; --i) FNotifier->UnwatchKey(FAppearances[i]->KeyCode());
  FNotifier.reset();
}

void TdxStatusBarKeyboardStatePanelStyle::DeclareProperties(TPropTable& t) {
  DeclareBaseProperties(t, false, true);
  t.Add("KeyboardStates", &TdxStatusBarKeyboardStatePanelStyle::KeyboardStates,
        &TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates)
      .SetDefault(dxksAllKeyboardStates);
  t.Add("FullRect", &TdxStatusBarKeyboardStatePanelStyle::FullRect, &TdxStatusBarKeyboardStatePanelStyle::SetFullRect)
      .SetDefault(false);
  t.Add("CapsLockKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::CapsLockKeyAppearance,
        &TdxStatusBarKeyboardStatePanelStyle::SetCapsLockKeyAppearance);
  t.Add("NumLockKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::NumLockKeyAppearance,
        &TdxStatusBarKeyboardStatePanelStyle::SetNumLockKeyAppearance);
  t.Add("ScrollLockKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::ScrollLockKeyAppearance,
        &TdxStatusBarKeyboardStatePanelStyle::SetScrollLockKeyAppearance);
  t.Add("InsertKeyAppearance", &TdxStatusBarKeyboardStatePanelStyle::InsertKeyAppearance,
        &TdxStatusBarKeyboardStatePanelStyle::SetInsertKeyAppearance);
  t.Add("ParentFont", &TdxStatusBarPanelStyle::ParentFont, &TdxStatusBarPanelStyle::SetParentFont).SetDefault(true);
}

void TdxStatusBarKeyboardStatePanelStyle::SetFullRect(bool Value) {
  if (FFullRect == Value) return;
  FFullRect = Value;
  if (Owner()) Owner()->ChangedAll();
}

void TdxStatusBarKeyboardStatePanelStyle::SetKeyboardStates(TdxStatusBarKeyboardStates Value) {
  if (FKeyboardStates == Value) return;
  FKeyboardStates = Value;
  NotifyChanged();
}

bool TdxStatusBarKeyboardStatePanelStyle::IsKeyOn(TdxStatusBarKeyStateAppearance* Appearance) {
  TdxCustomStatusBar* bar = StatusBarControl();
  if (bar && bar->IsDesigning()) return false;
  return (GetKeyState(Appearance->KeyCode()) & 0xFF) == 1;
}

void TdxStatusBarKeyboardStatePanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::CopyFrom(Source);
  if (auto* source = dynamic_cast<TdxStatusBarKeyboardStatePanelStyle*>(Source)) {
    SetKeyboardStates(source->KeyboardStates());
    SetFullRect(source->FullRect());
    for (int i = 0; i < 4; ++i) FAppearances[i]->Assign(source->FAppearances[i].get());
  }
}

void TdxStatusBarKeyboardStatePanelStyle::DrawContent(TcxCanvas* ACanvas, TRect R, TdxStatusBarPainterClass APainter) {
  TdxStatusBarPanelStyle::DrawContent(ACanvas, R, APainter);
  TdxCustomStatusBar* bar = StatusBarControl();
  ACanvas->AssignFont(Font());
  std::vector<TdxStatusBarKeyStateAppearance*> keys;
  for (auto& appearance : FAppearances)
    if (FKeyboardStates.Contains(appearance->Id())) keys.push_back(appearance.get());
  const TRect margins = APainter->PanelContentMargins(Owner(), !FFullRect);
  int left = R.Left;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    TdxStatusBarKeyStateAppearance* key = keys[i];
    const bool on = IsKeyOn(key);
    const String& caption = on ? key->ActiveCaption() : key->InactiveCaption();
    TColor color = on ? key->ActiveFontColor() : key->InactiveFontColor();
    APainter->AdjustTextColor(bar, color, on);
    ResolveDefaultTextColor(color, on);
    const TRect box(left, R.Top, left + margins.Left + margins.Right + key->CaptionWidth(ACanvas), R.Bottom);
    TRect text = box;
    if (!FFullRect) APainter->DrawPanelBevel(bar, Owner()->Bevel(), text, ACanvas);
    ACanvas->ActiveBrush()->SetStyle(bsClear);
    ACanvas->ActiveFont()->SetColor(color);
    ACanvas->DrawTextInRect(caption, text, ltfCenterHorz | ltfCenterVert | ltfSingleLine, bar->Enabled());
    ACanvas->ActiveBrush()->SetStyle(bsSolid);
    if (i + 1 < keys.size()) left = box.Right + APainter->SeparatorWidthBetween(bar);
  }
}

int TdxStatusBarKeyboardStatePanelStyle::ContentMinWidth() {
  std::vector<TdxStatusBarKeyStateAppearance*> keys;
  for (auto& appearance : FAppearances)
    if (FKeyboardStates.Contains(appearance->Id())) keys.push_back(appearance.get());
  if (keys.empty()) return 50;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (!bar) return 50;
  // Measured on the bar's canvas once it has a window, else on the screen's.
  TcxCanvas* canvas = bar->HandleAllocated() ? bar->Canvas() : ScreenCanvasInstance();
  canvas->AssignFont(Font());
  TdxStatusBarPainterClass painter = bar->Painter();
  const TRect margins = painter->PanelContentMargins(Owner(), !FFullRect);
  int width = 0;
  for (auto* key : keys) width += key->CaptionWidth(canvas) + margins.Left + margins.Right;
  width += painter->SeparatorWidthBetween(bar) * static_cast<int>(keys.size() - 1);
  return width;
}

void TdxStatusBarKeyboardStatePanelStyle::RestoreDefaults() {
  FKeyboardStates = dxksAllKeyboardStates;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

// ---- container ---------------------------------------------------------------------------------------

TdxStatusBarContainerControl::TdxStatusBarContainerControl(TComponent* AOwner)
    : TcxControl(AOwner) {
  DestroyInternalControls();
  SetTabStop(false);
  TControlStyle style = ControlStyle();
  style.Include(csAcceptsControls);
  style.Include(csNoDesignVisible);
  SetControlStyle(style);
}

TdxStatusBarContainerControl::~TdxStatusBarContainerControl() {
  // Unlink first: the style, once removed from its panel, would otherwise free this control again.
  if (TdxStatusBarContainerPanelStyle* style = FPanelStyle) {
    FPanelStyle = nullptr;
    style->UnlinkContainer();
    if (TdxStatusBarPanel* panel = style->Owner()) panel->SetPanelStyleClass(nullptr);
  }
}

void TdxStatusBarContainerControl::Paint() {
  TdxCustomStatusBar* bar = FPanelStyle ? FPanelStyle->StatusBarControl() : nullptr;
  if (bar && bar->Painter())
    bar->Painter()->PaintContainerBackground(FPanelStyle);
  else
    Canvas()->FillRectWithColor(TRect(ClientRect()), clBtnFace);
  if (IsDesigning()) {
    TCanvas* canvas = Canvas()->Canvas();
    canvas->Pen()->SetColor(clBtnShadow);
    canvas->Brush()->SetColor(clBtnShadow);
    canvas->Brush()->SetStyle(bsBDiagonal);
    win::RECT r = ClientRect();
    canvas->Rectangle(r.left, r.top, r.right, r.bottom);
    canvas->Brush()->SetStyle(bsSolid);
  }
}

TdxStatusBarContainerPanelStyle::TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* AOwner)
    : TdxStatusBarPanelStyle(AOwner) {
  FAlignControl = true;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (IsBarBusy(bar)) return;
  auto* container = new TdxStatusBarContainerControl(bar->Owner());
  SetContainer(container);
  if (bar->IsDesigning()) container->SetName(NameContainerControl());
  container->SetParent(bar);
}

TdxStatusBarContainerPanelStyle::~TdxStatusBarContainerPanelStyle() { SetContainer(nullptr); }

void TdxStatusBarContainerPanelStyle::DeclareProperties(TPropTable& t) {
  t.Add("AlignControl", &TdxStatusBarContainerPanelStyle::AlignControl,
        &TdxStatusBarContainerPanelStyle::SetAlignControl)
      .SetDefault(true);
  DeclareBaseProperties(t, false, false);
  t.Add("Container", &TdxStatusBarContainerPanelStyle::Container, &TdxStatusBarContainerPanelStyle::SetContainer);
}

void TdxStatusBarContainerPanelStyle::SetAlignControl(bool Value) {
  if (FAlignControl == Value) return;
  FAlignControl = Value;
  NotifyChanged();
}

void TdxStatusBarContainerPanelStyle::SetContainer(TdxStatusBarContainerControl* Value) {
  if (FContainer == Value) return;
  if (Value) {
    if (FContainer) FContainer->SetPanelStyle(nullptr);
    FContainer = Value;
    FContainer->SetPanelStyle(this);
  } else {
    TdxStatusBarContainerControl* old = FContainer;
    FContainer = nullptr;
    old->SetPanelStyle(nullptr);
    TdxCustomStatusBar* bar = StatusBarControl();
    if (!IsBarBusy(bar) && !bar->IsDestroying()) delete old;
  }
  VisibleChanged();
}

void TdxStatusBarContainerPanelStyle::BoundsChanged(const TRect& Bounds) {
  if (!FContainer) return;
  TdxCustomStatusBar* bar = StatusBarControl();
  TdxStatusBarPainterClass painter = bar->Painter();
  TRect R = RectWithinMargins(Bounds, painter->PanelBevelWidths(painter->PanelHasBevel(Owner())));
  if (!painter->GripOverlapsLastPanel(bar)) FitToSizeGrip(R);
  FContainer->SetBoundsRect(R);
  if (FAlignControl && !bar->IsDesigning()) FitChildControl();
}

bool TdxStatusBarContainerPanelStyle::CanDelete() {
  return !(FContainer && FContainer->ComponentState().Contains(csAncestor));
}

void TdxStatusBarContainerPanelStyle::CopyFrom(TdxStatusBarPanelStyle* Source) {
  TdxStatusBarPanelStyle::CopyFrom(Source);
  if (auto* source = dynamic_cast<TdxStatusBarContainerPanelStyle*>(Source)) {
    SetAlignControl(source->AlignControl());
    if (source->Container()) SetContainer(FindContainerControl(source->Container()->Name()));
  }
}

void TdxStatusBarContainerPanelStyle::VisibleChanged() {
  if (FContainer && Owner()) FContainer->SetVisible(Owner()->Visible());
}

void TdxStatusBarContainerPanelStyle::RestoreDefaults() {
  FAlignControl = true;
  TdxStatusBarPanelStyle::RestoreDefaults();
}

TdxStatusBarContainerControl* TdxStatusBarContainerPanelStyle::FindContainerControl(const String& Name) {
  TdxCustomStatusBar* bar = StatusBarControl();
  if (!bar) return nullptr;
  for (int i = 0; i < bar->ControlCount(); ++i)
    if (auto* control = dynamic_cast<TdxStatusBarContainerControl*>(bar->Controls(i));
        control && SameText(control->Name(), Name))
      return control;
  return nullptr;
}

void TdxStatusBarContainerPanelStyle::FitChildControl() {
  for (int i = 0; i < FContainer->ControlCount(); ++i) {
    TControl* child = FContainer->Controls(i);
    child->SetAlign(alNone);
    child->SetBounds(0, 0, FContainer->Width(), FContainer->Height());
  }
}

String TdxStatusBarContainerPanelStyle::NameContainerControl() {
  TdxCustomStatusBar* bar = StatusBarControl();
  TComponent* owner = bar->Owner();
  for (int n = Owner()->ID();; ++n) {
    String name = bar->Name() + "Container" + IntToStr(n);
    if (!owner || !owner->FindComponent(name)) return name;
  }
}

// ---- registration ------------------------------------------------------------------------------------

TcxRegisteredClasses* PanelStyleRegistry() {
  static TcxRegisteredClasses registry;
  return &registry;
}

void RegisterStatusBarPanelStyles() {
  static const bool registered = [] {
    TcxRegisteredClasses* registry = PanelStyleRegistry();
    registry->AddClass(TdxStatusBarTextPanelStyle::StaticClass(), GetLocalizedResString(dxSBAR_TEXTTYPE));
    registry->AddClass(TdxStatusBarContainerPanelStyle::StaticClass(), GetLocalizedResString(dxSBAR_CONTAINERTYPE));
    registry->AddClass(TdxStatusBarKeyboardStatePanelStyle::StaticClass(),
                       GetLocalizedResString(dxSBAR_KEYBOARDSTATETYPE));
    registry->AddClass(TdxStatusBarStateIndicatorPanelStyle::StaticClass(),
                       GetLocalizedResString(dxSBAR_STATEINDICATORTYPE));
    RegisterClassesOf<TdxStatusBar, TdxStatusBarContainerControl>();
    return true;
  }();
  (void)registered;
}
