#include "ui/pages/StatusBar.h"

#include <algorithm>

#include "platform/classes/Consts.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Messages.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/RegisteredClasses.h"
#include "ui/foundation/ResourceStrings.h"
#include "ui/pages/StatusBarPanelStyles.h"

using namespace win;

namespace {

const TResStringRec dxSBAR_CANTDELETEPANEL{
    "Selection contains a component introduced in an ancestor form which cannot be deleted"};

}  // namespace

// ---- panel ------------------------------------------------------------------------------------------

TdxStatusBarPanel::TdxStatusBarPanel(TCollection* Collection) : TCollectionItem(Collection) {
  SyncParentBiDiMode();
  TdxCustomStatusBar* bar = StatusBarControl();
  if (bar && !bar->IsLoading()) SetPanelStyleClass(bar->DefaultPanelStyleClass());
  Changed();
}

TdxStatusBarPanel::~TdxStatusBarPanel() {
  // The style goes first: a container style still reaches its panel while it frees its control.
  TdxStatusBarPanelStyle* style = FPanelStyle;
  FPanelStyle = nullptr;
  FPanelStyleClass = nullptr;
  delete style;
}

void TdxStatusBarPanel::DeclareProperties(TPropTable& t) {
  t.Add("PanelStyleClassName", &TdxStatusBarPanel::PanelStyleClassName, &TdxStatusBarPanel::SetPanelStyleClassName);
  t.Add("PanelStyle", &TdxStatusBarPanel::PanelStyle, &TdxStatusBarPanel::SetPanelStyle);
  t.Add("PanelStyleEvents", &TdxStatusBarPanel::PanelStyleEvents);
  t.Add("Bevel", &TdxStatusBarPanel::Bevel, &TdxStatusBarPanel::SetBevel).SetDefault(dxpbLowered);
  t.Add("BiDiMode", &TdxStatusBarPanel::BiDiMode, &TdxStatusBarPanel::SetBiDiMode)
      .Stored(&TdxStatusBarPanel::IsBiDiModeStored);
  t.Add("Fixed", &TdxStatusBarPanel::Fixed, &TdxStatusBarPanel::SetFixed).SetDefault(true);
  t.Add("MinWidth", &TdxStatusBarPanel::MinWidth, &TdxStatusBarPanel::SetMinWidth)
      .Stored(&TdxStatusBarPanel::IsMinWidthAssigned);
  t.Add("ParentBiDiMode", &TdxStatusBarPanel::ParentBiDiMode, &TdxStatusBarPanel::SetParentBiDiMode)
      .SetDefault(true);
  t.Add("Text", &TdxStatusBarPanel::Text, &TdxStatusBarPanel::SetText);
  t.Add("Visible", &TdxStatusBarPanel::Visible, &TdxStatusBarPanel::SetVisible).SetDefault(true);
  t.Add("Width", &TdxStatusBarPanel::Width, &TdxStatusBarPanel::SetWidth).Stored(&TdxStatusBarPanel::IsWidthAssigned);
  t.Add("OnClick", &TdxStatusBarPanel::OnClick);
  t.Add("OnDblClick", &TdxStatusBarPanel::OnDblClick);
  t.Add("OnDrawPanel", &TdxStatusBarPanel::OnDrawPanel);
}

TdxCustomStatusBar* TdxStatusBarPanel::StatusBarControl() const {
  auto* panels = dynamic_cast<TdxStatusBarPanels*>(Collection());
  return panels ? panels->StatusBarControl() : nullptr;
}

void TdxStatusBarPanel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxStatusBarPanel*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  if (Collection()) Collection()->BeginUpdate();
  try {
    RestoreDefaults();
    SetPanelStyleClassName(source->PanelStyleClassName());
    SetPanelStyle(source->PanelStyle());
    SetVisible(source->Visible());
    SetBevel(source->Bevel());
    SetBiDiMode(source->BiDiMode());
    SetFixed(source->Fixed());
    if (source->IsMinWidthAssigned()) SetMinWidth(source->MinWidth());
    SetParentBiDiMode(source->ParentBiDiMode());
    SetText(source->Text());
    if (source->IsWidthAssigned()) SetWidth(source->Width());
    OnClick = source->OnClick;
    OnDblClick = source->OnDblClick;
    OnDrawPanel = source->OnDrawPanel;
  } catch (...) {
    if (Collection()) Collection()->EndUpdate();
    throw;
  }
  if (Collection()) Collection()->EndUpdate();
}

void TdxStatusBarPanel::SetBevel(TdxStatusBarPanelBevel Value) {
  if (FBevel == Value) return;
  FBevel = Value;
  Changed();
}

void TdxStatusBarPanel::SetBiDiMode(TBiDiMode Value) {
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  FParentBiDiMode = false;
  Changed();
}

void TdxStatusBarPanel::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  SyncParentBiDiMode();
}

void TdxStatusBarPanel::SyncParentBiDiMode() {
  if (!FParentBiDiMode) return;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (!bar) return;
  SetBiDiMode(bar->BiDiMode());
  FParentBiDiMode = true;
}

bool TdxStatusBarPanel::Fixed() const {
  if (FPanelStyle && !FPanelStyle->UsesPanelSizing()) return true;
  return FFixed;
}

void TdxStatusBarPanel::SetFixed(bool Value) {
  if (FFixed == Value) return;
  FFixed = Value;
  Changed();
}

int TdxStatusBarPanel::MinWidth() const {
  if (FIsMinWidthAssigned && (!FPanelStyle || FPanelStyle->UsesPanelSizing())) return FMinWidth;
  return DefaultMinWidth();
}

void TdxStatusBarPanel::SetMinWidth(int Value) {
  FMinWidth = std::max(0, Value);
  FIsMinWidthAssigned = true;
  if (Width() < FMinWidth) {
    FWidth = FMinWidth;
    FIsWidthAssigned = true;
  }
  Changed();
}

int TdxStatusBarPanel::Width() const {
  if (FIsWidthAssigned && (!FPanelStyle || FPanelStyle->UsesPanelSizing())) return FWidth;
  return DefaultWidth();
}

void TdxStatusBarPanel::SetWidth(int Value) {
  FWidth = std::max(Value, FMinWidth);
  FIsWidthAssigned = true;
  Changed();
}

void TdxStatusBarPanel::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed();
}

void TdxStatusBarPanel::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (FPanelStyle) FPanelStyle->VisibleChanged();
  Changed();
}

void TdxStatusBarPanel::SetPanelStyle(TdxStatusBarPanelStyle* Value) {
  if (FPanelStyle && Value) FPanelStyle->Assign(Value);
}

void TdxStatusBarPanel::SetPanelStyleClass(TdxStatusBarPanelStyleClass Value) {
  if (FPanelStyleClass == Value) return;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (bar && !bar->CanUsePanelStyleClass(Value)) return;
  DestroyPanelStyle();
  FPanelStyleClass = Value;
  CreatePanelStyle();
  // The new style brings its own widths (and may place a control): lay out with it now rather
  // than at the next unrelated change.
  Changed();
}

String TdxStatusBarPanel::PanelStyleClassName() const { return FPanelStyle ? FPanelStyle->ClassName() : String(); }

void TdxStatusBarPanel::SetPanelStyleClassName(const String& Value) {
  SetPanelStyleClass(PanelStyleRegistry()->LookupByClassName(Value));
}

void TdxStatusBarPanel::Click() {
  if (OnClick) OnClick(this);
}

void TdxStatusBarPanel::CreatePanelStyle() {
  if (FPanelStyleClass) FPanelStyle = static_cast<TdxStatusBarPanelStyle*>(FPanelStyleClass->Create(this));
  if (TdxCustomStatusBar* bar = StatusBarControl()) bar->Invalidate();
}

void TdxStatusBarPanel::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

int TdxStatusBarPanel::DefaultMinWidth() const { return FPanelStyle ? FPanelStyle->ContentMinWidth() : 20; }

int TdxStatusBarPanel::DefaultWidth() const {
  if (!FPanelStyle || FPanelStyle->UsesPanelSizing()) return 50;
  return DefaultMinWidth();
}

void TdxStatusBarPanel::DestroyPanelStyle() {
  if (!FPanelStyle) return;
  TdxCustomStatusBar* bar = StatusBarControl();
  const bool busy = !bar || bar->IsLoading() || bar->IsDestroying() || bar->ComponentState().Contains(csUpdating);
  if (!busy && !FPanelStyle->CanDelete()) throw EdxException(GetLocalizedResString(dxSBAR_CANTDELETEPANEL));
  TdxStatusBarPanelStyle* style = FPanelStyle;
  FPanelStyle = nullptr;
  delete style;
}

int TdxStatusBarPanel::RealMinWidth() const {
  int w = MinWidth();
  AdjustWidth(w);
  return w;
}

int TdxStatusBarPanel::RealWidth() const {
  int w = Width();
  AdjustWidth(w);
  return w;
}

void TdxStatusBarPanel::AdjustWidth(int& AWidth) const {
  if (!FPanelStyle) return;
  if (!FPanelStyle->SuppressPanelBevel()) AWidth += 2;
  TdxCustomStatusBar* bar = StatusBarControl();
  if (bar && Index() == Collection()->Count() - 1 && bar->SizeGripVisible())
    AWidth += bar->Painter()->SizeGripSize().cx;
}

void TdxStatusBarPanel::Changed() { TCollectionItem::Changed(false); }

void TdxStatusBarPanel::RestoreDefaults() {
  FVisible = true;
  FMinWidth = 20;
  FWidth = 50;
  FFixed = true;
  FParentBiDiMode = true;
  FBevel = dxpbLowered;
  FIsMinWidthAssigned = false;
  FIsWidthAssigned = false;
  ChangedAll();
}

String TdxStatusBarPanel::GetDisplayName() { return FText.empty() ? TCollectionItem::GetDisplayName() : FText; }

// ---- panel collection -------------------------------------------------------------------------------

TdxStatusBarPanels::TdxStatusBarPanels(TdxCustomStatusBar* AStatusBarControl)
    : TCollection(AStatusBarControl ? AStatusBarControl->PanelClass() : TdxStatusBarPanel::StaticClass()),
      FStatusBarControl(AStatusBarControl) {}

TPersistent* TdxStatusBarPanels::GetOwner() { return FStatusBarControl; }

void TdxStatusBarPanels::Update(TCollectionItem*) {
  if (FStatusBarControl) FStatusBarControl->Recalculate();
}

// ---- view infos -------------------------------------------------------------------------------------

void TdxStatusBarPanelViewInfo::SetBounds(const TRect& Value) {
  FBounds = Value;
  if (FPanel->PanelStyle()) FPanel->PanelStyle()->BoundsChanged(Value);
}

void TdxStatusBarViewInfo::Calculate(const TRect& R) {
  FPanelViewInfos.clear();
  FSizeGripOverlapped = false;
  TdxStatusBarPanels* panels = FStatusBar->Panels();
  for (int i = 0; i < panels->Count(); ++i) {
    // An item still in its base constructor announces itself before it is a panel; it lays out
    // once it is one.
    auto* panel = dynamic_cast<TdxStatusBarPanel*>(panels->Items(i));
    if (panel && panel->Visible()) FPanelViewInfos.push_back(std::make_unique<TdxStatusBarPanelViewInfo>(panel));
  }
  const int n = PanelCount();
  if (n == 0) return;

  TcxAutoWidthObject autoWidth(AutoWidthItemCount());
  TdxStatusBarPainterClass painter = FStatusBar->Painter();
  const int separator = painter->SeparatorWidthBetween(FStatusBar);
  bool stretching = false;
  for (int i = 0; i < n; ++i) {
    TdxStatusBarPanel* panel = FPanelViewInfos[i]->Panel();
    TcxAutoWidthItem* item = autoWidth.AppendItem();
    item->MinWidth = panel->RealMinWidth();
    item->Width = panel->RealWidth();
    if (!panel->Fixed()) {
      item->Fixed = false;
      stretching = true;
    } else {
      // When every panel is fixed, the last one takes up the slack.
      item->Fixed = !(i == n - 1 && !stretching);
    }
    if (i < n - 1) {
      TcxAutoWidthItem* gap = autoWidth.AppendItem();
      gap->MinWidth = separator;
      gap->Width = separator;
      gap->Fixed = true;
    }
  }
  const TRect borders = painter->BarBorderWidths(FStatusBar);
  autoWidth.AvailableWidth = WidthOfRect(R) + borders.Left + borders.Right;
  autoWidth.DistributeWidth();
  FSizeGripOverlapped = autoWidth.TotalWidth() >= autoWidth.AvailableWidth;
  PlacePanels(R, &autoWidth);
}

void TdxStatusBarViewInfo::PlacePanels(const TRect& R, TcxAutoWidthObject* AutoWidthObject) {
  int x = R.Left;
  for (int k = 0; k < AutoWidthObject->ItemCount(); k += 2) {
    TdxStatusBarPanelViewInfo* info = FPanelViewInfos[k / 2].get();
    info->SetBounds(TRect(x, R.Top, x + AutoWidthObject->ItemAt(k)->AutoWidth, R.Bottom));
    x = info->Bounds().Right;
    if (k + 1 < AutoWidthObject->ItemCount()) {
      info->SeparatorBounds = TRect(x, R.Top, x + AutoWidthObject->ItemAt(k + 1)->AutoWidth, R.Bottom);
      x = info->SeparatorBounds.Right;
    } else {
      info->SeparatorBounds = TRect();
    }
  }
}

TdxStatusBarPanel* TdxStatusBarViewInfo::PanelAt(const TPoint& P) const {
  for (const auto& info : FPanelViewInfos)
    if (RectContainsPoint(info->Bounds(), P)) return info->Panel();
  return nullptr;
}

// ---- bar ----------------------------------------------------------------------------------------------

TdxCustomStatusBar::TdxCustomStatusBar(TComponent* AOwner) : TcxControl(AOwner) {
  RegisterStatusBarPanelStyles();
  // The base made its scroll bars and tab stop before this class could say it wants neither.
  DestroyInternalControls();
  SetTabStop(false);
  FViewInfo = CreateViewInfo();
  TControlStyle style = ControlStyle();
  style.Exclude(csSetCaption);
  style.Include(csCaptureMouse);
  style.Include(csClickEvents);
  style.Include(csOpaque);
  style.Include(csDoubleClicks);
  SetControlStyle(style);
  SetDoubleBuffered(true);
  SetColor(clBtnFace);
  SetHeight(20);
  SetAlign(alBottom);
  SetParentFont(false);
  FSizeGrip = true;
  FPanels = CreatePanels();
  FImageChangeLink = std::make_unique<TChangeLink>();
  FImageChangeLink->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
  FThemeChangedNotificator = std::make_unique<TdxThemeChangedNotificator>();
  FThemeChangedNotificator->OnThemeChanged = [this] { ThemeChanged(); };
  FPaintStyle = stpsStandard;
  PainterChanged();
  AcquireOffice11Colors();
}

TdxCustomStatusBar::~TdxCustomStatusBar() {
  IncludeState(csDestroying);
  RelinquishOffice11Colors();
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
  FThemeChangedNotificator.reset();
  FImageChangeLink.reset();
  TdxStatusBarPanels* panels = FPanels;
  FPanels = nullptr;
  delete panels;
  FViewInfo.reset();
}

void TdxCustomStatusBar::SetBorderWidth(int Value) {
  Value = std::max(0, Value);
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Recalculate();
}

void TdxCustomStatusBar::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->UnRegisterChanges(FImageChangeLink.get());
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageChangeLink.get());
    FImages->FreeNotification(this);
  }
  Recalculate();
}

void TdxCustomStatusBar::SetPaintStyle(TdxStatusBarPaintStyle Value) {
  if (FPaintStyle == Value) return;
  FPaintStyle = Value;
  PainterChanged();
}

void TdxCustomStatusBar::SetSizeGrip(bool Value) {
  if (FSizeGrip == Value) return;
  FSizeGrip = Value;
  Recalculate();
}

TRect TdxCustomStatusBar::ContentBounds() {
  return RectWithinMargins(ClientBounds(), FPainter->BarBorderWidths(this));
}

TPoint TdxCustomStatusBar::PointInForm(const TPoint& P, TWinControl* Form) {
  if (!Form) Form = Parent();
  if (!Form) throw EInvalidOperation(Format(SParentRequired, Name().c_str()));
  TPoint result = P;
  TControl* control = this;
  while (control && control != Form) {
    result.X += control->Left();
    result.Y += control->Top();
    control = control->Parent();
  }
  if (!control) throw EInvalidOperation(Format(SParentGivenNotAParent, Name().c_str()));
  return result;
}

void TdxCustomStatusBar::AdjustDefaultTextColor(TColor&, bool) {}

std::unique_ptr<TdxStatusBarViewInfo> TdxCustomStatusBar::CreateViewInfo() {
  return std::make_unique<TdxStatusBarViewInfo>(this);
}

void TdxCustomStatusBar::CalculateLayout() { FViewInfo->Calculate(ContentBounds()); }

TdxStatusBarPanel* TdxCustomStatusBar::CreatePanel() {
  return static_cast<TdxStatusBarPanel*>(PanelClass()->Create(FPanels));
}

TdxStatusBarPanels* TdxCustomStatusBar::CreatePanels() { return new TdxStatusBarPanels(this); }

bool TdxCustomStatusBar::DoHint() {
  if (!OnHint) return false;
  OnHint(this);
  return true;
}

TdxStatusBarPanelStyleClass TdxCustomStatusBar::DefaultPanelStyleClass() {
  return TdxStatusBarTextPanelStyle::StaticClass();
}

TdxStatusBarPainterClass TdxCustomStatusBar::PainterClass() {
  if (FPaintStyle == stpsUseLookAndFeel && StatusBarSkinPainterClass() && LookAndFeel()->SkinPainter())
    return StatusBarSkinPainterClass();
  switch (EffectivePaintStyle()) {
    case stpsFlat: return StatusBarFlatPainter();
    case stpsXP: return FThemesAvailable ? StatusBarXPPainter() : StatusBarStandardPainter();
    case stpsOffice11: return StatusBarOffice11Painter();
    default: return StatusBarStandardPainter();
  }
}

TdxStatusBarPaintStyle TdxCustomStatusBar::EffectivePaintStyle() {
  if (FPaintStyle != stpsUseLookAndFeel) return FPaintStyle;
  if (LookAndFeel()->NativeStyle() && FThemesAvailable) return stpsXP;
  switch (LookAndFeel()->Kind()) {
    case lfUltraFlat: return stpsFlat;
    case lfOffice11: return stpsOffice11;
    default: return stpsStandard;
  }
}

TClass TdxCustomStatusBar::PanelClass() { return TdxStatusBarPanel::StaticClass(); }

void TdxCustomStatusBar::UpdatePainter() {
  FThemesAvailable = HasVisualStyles({tciStatus});
  FPainter = PainterClass();
}

void TdxCustomStatusBar::PainterChanged() {
  UpdatePainter();
  Recalculate();
}

bool TdxCustomStatusBar::SizeGripVisible() {
  if (!FSizeGrip) return false;
  TCustomForm* form = GetParentForm();
  if (!form) return false;
  if (form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin) return false;
  if (form->WindowState() == wsMaximized || form->WindowState() == wsMinimized) return false;
  TPoint corner = PointInForm(TPoint(Width(), Height()), form);
  return corner.X == form->ClientWidth() && corner.Y >= form->ClientHeight();
}

void TdxCustomStatusBar::ThemeChanged() { PainterChanged(); }

void TdxCustomStatusBar::Recalculate() {
  Layout();
  Invalidate();
}

bool TdxCustomStatusBar::CanUsePanelStyleClass(TdxStatusBarPanelStyleClass AClass) {
  if (!AClass) return true;
  // Every style of the library is available; a descendant class may say otherwise.
  (void)AClass;
  return !TdxStatusBarPanelStyle::IsUnavailable();
}

TdxStatusBarPanel* TdxCustomStatusBar::PanelAtPos(int X, int Y) { return FViewInfo->PanelAt(TPoint(X, Y)); }

void TdxCustomStatusBar::Layout() {
  if (IsDestroying() || !FPanels) return;
  CalculateLayout();
}

bool TdxCustomStatusBar::ExecuteAction(TBasicAction* Action) {
  TdxStatusBarTextPanelStyle* hintStyle = nullptr;
  for (int i = FPanels->Count() - 1; i >= 0 && !hintStyle; --i)
    if (auto* style = dynamic_cast<TdxStatusBarTextPanelStyle*>(FPanels->PanelAt(i)->PanelStyle()); style && style->AutoHint())
      hintStyle = style;
  auto* hint = dynamic_cast<THintAction*>(Action);
  if (!IsDesigning() && hintStyle && hint && !DoHint()) {
    hintStyle->Owner()->SetText(hint->Hint());
    return true;
  }
  return false;
}

void TdxCustomStatusBar::WndProc(TMessage& Message) {
  if (Message.Msg == CM_ACTIONEXECUTE) {
    if (ExecuteAction(reinterpret_cast<TBasicAction*>(Message.LParam))) {
      Message.Result = 1;
      return;
    }
  }
  TcxControl::WndProc(Message);
}

void TdxCustomStatusBar::Loaded() {
  TcxControl::Loaded();
  for (int i = 0; i < FPanels->Count(); ++i)
    if (TdxStatusBarPanelStyle* style = FPanels->PanelAt(i)->PanelStyle()) style->StyleLoaded();
  Layout();
}

void TdxCustomStatusBar::Notification(TComponent* AComponent, TOperation Operation) {
  TcxControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TdxCustomStatusBar::Paint() {
  TcxCanvas* canvas = Canvas();
  TRect R = ClientBounds();
  canvas->PushClipRegion();
  FPainter->PaintBarBorder(this, canvas, R);
  canvas->ClipToRect(R);
  auto paintGrip = [&] {
    if (SizeGripVisible())
      FPainter->PaintSizeGrip(this, canvas, FViewInfo->PanelCount() > 0 && FViewInfo->SizeGripOverlapped(), R);
  };
  auto paintPanels = [&] {
    if (FViewInfo->PanelCount() == 0) {
      FPainter->PaintNoPanelsArea(this, canvas, R);
      return;
    }
    for (int i = 0; i < FViewInfo->PanelCount(); ++i) {
      TdxStatusBarPanelViewInfo* info = FViewInfo->PanelViewInfo(i);
      FPainter->PaintPanel(this, info->Panel(), info->Bounds(), canvas);
      if (!RectHasNoArea(info->SeparatorBounds)) FPainter->PaintBarBackground(this, canvas, info->SeparatorBounds);
    }
  };
  if (FPainter->PaintsSizeGripFirst()) {
    paintGrip();
    paintPanels();
  } else {
    paintPanels();
    paintGrip();
  }
  canvas->PopClipRegion();
}

void TdxCustomStatusBar::Resize() {
  TcxControl::Resize();
  Layout();
  Invalidate();
}

void TdxCustomStatusBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Shift.Contains(ssDouble))
    if (TdxStatusBarPanel* panel = PanelAtPos(X, Y)) panel->DblClick();
}

void TdxCustomStatusBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TcxControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft)
    if (TdxStatusBarPanel* panel = PanelAtPos(X, Y)) panel->Click();
}

void TdxCustomStatusBar::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_BIDIMODECHANGED: CMBiDiModeChanged(Message); return;
    case CM_WININICHANGE: CMWinIniChange(Message); return;
    case WM_NCHITTEST: WMNCHitTest(Message); return;
    default: TcxControl::Dispatch(Message);
  }
}

void TdxCustomStatusBar::NotifyFontListeners() {
  TcxControl::NotifyFontListeners();
  for (int i = 0; FPanels && i < FPanels->Count(); ++i)
    if (TdxStatusBarPanelStyle* style = FPanels->PanelAt(i)->PanelStyle()) style->UpdateParentFont();
}

void TdxCustomStatusBar::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  TcxControl::LookAndFeelChanged(Sender, ChangedValues);
  PainterChanged();
}

void TdxCustomStatusBar::CMColorChanged(TMessage& Message) {
  TcxControl::CMColorChanged(Message);
  Recalculate();
}

void TdxCustomStatusBar::CMParentFontChanged(TMessage& Message) {
  TcxControl::CMParentFontChanged(Message);
  Recalculate();
}

void TdxCustomStatusBar::CMSysColorChange(TMessage& Message) {
  TcxControl::CMSysColorChange(Message);
  RebuildOffice11Colors();
  Recalculate();
}

void TdxCustomStatusBar::CMEnabledChanged(TMessage& Message) {
  TcxControl::CMEnabledChanged(Message);
  Invalidate();
}

void TdxCustomStatusBar::CMBiDiModeChanged(TMessage& Message) {
  TcxControl::Dispatch(Message);
  if (HandleAllocated()) {
    for (int i = 0; i < FPanels->Count(); ++i)
      if (FPanels->PanelAt(i)->ParentBiDiMode()) FPanels->PanelAt(i)->SyncParentBiDiMode();
    Recalculate();
  }
}

void TdxCustomStatusBar::CMWinIniChange(TMessage& Message) {
  TcxControl::Dispatch(Message);
  Recalculate();
}

void TdxCustomStatusBar::WMNCHitTest(TMessage& Message) {
  TcxControl::Dispatch(Message);
  if (IsDesigning() || !SizeGripVisible()) return;
  TPoint p = ScreenToClient(POINT{Message.XPos(), Message.YPos()});
  TRect bounds = ClientBounds();
  TSize grip = FPainter->SizeGripSize();
  TRect zone(bounds.Right - grip.cx - 2, bounds.Bottom - grip.cy - 2, bounds.Right, bounds.Bottom);
  if (RectContainsPoint(zone, p)) Message.Result = HTBOTTOMRIGHT;
}

void TdxCustomStatusBar::ImagesChanged(TObject*) { Recalculate(); }

// ---- published --------------------------------------------------------------------------------------

void TdxStatusBar::DeclareProperties(TPropTable& t) {
  t.Add("Images", &TdxCustomStatusBar::Images, &TdxCustomStatusBar::SetImages);
  t.Add("Panels", &TdxCustomStatusBar::Panels, &TdxCustomStatusBar::SetPanels);
  t.Add("PaintStyle", &TdxCustomStatusBar::PaintStyle, &TdxCustomStatusBar::SetPaintStyle).SetDefault(stpsStandard);
  t.Add("SizeGrip", &TdxCustomStatusBar::SizeGrip, &TdxCustomStatusBar::SetSizeGrip).SetDefault(true);
  t.Add("LookAndFeel", &TcxControl::LookAndFeel, &TcxControl::SetLookAndFeel);
  t.Add("BorderWidth", &TdxCustomStatusBar::BorderWidth, &TdxCustomStatusBar::SetBorderWidth).SetDefault(0);
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alBottom);
  t.Add("Anchors", &TControl::Anchors, &TControl::SetAnchors);
  t.Add("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode);
  t.Add("Color", &TControl::Color, &TControl::SetColor).Idents(ColorToIdent, IdentToColor).SetDefault(clBtnFace);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Font", &TControl::Font, &TControl::SetFont);
  t.Add("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(false);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).SetDefault(false);
  t.Add("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).SetDefault(true);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnHint", &TdxCustomStatusBar::OnHint);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnDblClick", &TControl::OnDblClick);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
  t.Add("OnMouseMove", &TControl::OnMouseMove);
  t.Add("OnMouseUp", &TControl::OnMouseUp);
  t.Add("OnResize", &TControl::OnResize);
}

namespace {
// Form descriptions create the bar and the container control by class name.
const bool kRegistered = [] {
  RegisterStatusBarPanelStyles();
  return true;
}();
}  // namespace
