#include "ui/pages/TabControl.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Messages.h"
#include "ui/controls/Timer.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/foundation/Accelerators.h"
#include "ui/pages/PCStrings.h"

namespace {
constexpr unsigned kNavigatorFirstDelay = 300;
constexpr unsigned kNavigatorRepeatDelay = 150;
}  // namespace

// ---- the control as its tabs, layout and painter see it -------------------------------------------

class TcxCustomTabControl::TView : public IcxPCPainterControl {
 public:
  explicit TView(TcxCustomTabControl* AControl) : C(AControl) {}

  IcxTabLayoutPainter* LayoutPainter() override { return C->FPainter.get(); }
  TcxTabs* Tabs() override { return C->FTabs.get(); }
  TcxTabLayout* Layout() override { return &C->FLayout; }
  bool MultiLine() override { return C->FMultiLine; }
  bool Rotate() override { return C->FRotate; }
  bool RaggedRight() override { return C->FRaggedRight; }
  bool ScrollOpposite() override { return C->FScrollOpposite; }
  TcxTabPosition TabPosition() override { return C->FTabPosition; }
  TcxPCOptions Options() override { return C->FOptions; }
  int MaxRotatedTabWidth() override { return C->FMaxRotatedTabWidth; }
  bool ControlEnabled() override { return C->Enabled(); }
  bool IsLoading() override { return C->ComponentState().Contains(csLoading); }
  bool IsDestroying() override { return C->IsDestroying() || !C->FPainter; }
  bool RequiresVisibleSelection() override { return C->RequiresVisibleSelection(); }
  int TabIndex() override { return C->FTabIndex; }
  void SetTabIndex(int Value) override { C->SetTabIndex(Value); }
  void SetTabIndexWithoutEvents(int Value) override { C->FTabIndex = Value; }
  int SelectedTabVisibleIndex() override { return C->FSelectedTabVisibleIndex; }
  int HotTabVisibleIndex() override { return C->FHotTabVisibleIndex; }
  int PressedTabVisibleIndex() override { return C->FPressedTabVisibleIndex; }
  int FocusedTabVisibleIndex() override { return C->FFocusedTabVisibleIndex; }
  void ClearFocusedTab() override { C->FFocusedTabVisibleIndex = -1; }
  bool MultiSelectMode() override { return C->FMultiSelectMode; }
  void SetMultiSelectMode(bool Value) override { C->FMultiSelectMode = Value; }
  void ResetIndicesForLayout(int N) override { C->ResetIndicesForLayout(N); }
  void NavigatorButtonsChanged(TcxPCNavigatorButtons Old, TcxPCNavigatorButtons New) override {
    C->NavigatorButtonsChanged(Old, New);
  }
  void Relayout() override { C->Relayout(); }
  void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) override { C->RepaintTab(TabVisibleIndex, Kind); }
  int MeasureTabCaptionWidth(TcxTab* Tab) override { return C->MeasureTabCaptionWidth(Tab); }

  TcxCanvas* Canvas() override { return C->Canvas(); }
  int Width() override { return C->Width(); }
  int Height() override { return C->Height(); }
  TFont* Font() override { return C->Font(); }
  TColor Color() override { return C->Color(); }
  bool HideTabs() override { return C->FHideTabs; }
  int ImageBorder() override { return C->FImageBorder; }
  TcxPCNavigatorPosition NavigatorPosition() override { return C->FNavigatorPosition; }
  bool ShowFrame() override { return C->FShowFrame; }
  int TabHeightProperty() override { return C->FTabHeight; }
  int TabWidthProperty() override { return C->FTabWidth; }
  TcxTabSlants* TabSlants() override { return C->FTabSlants.get(); }
  bool OwnerDraw() override { return C->FOwnerDraw; }
  TcxPCNavigatorButtonState NavigatorButtonState(TcxPCNavigatorButton Button) override {
    return C->NavigatorButtonState(Button);
  }
  TControl* DisplayedPage() override { return C->DisplayedPage(); }
  TControl* TabPage(int TabIndex) override { return C->TabPage(TabIndex); }
  void PrepareTabFont(TcxTab* Tab, TcxCanvas* ACanvas) override { C->PrepareTabFont(Tab, ACanvas); }
  int TabImageIndex(int TabIndex) override { return C->TabImageIndex(TabIndex); }
  TcxPCImageList* TabImages() override { return C->FTabImages.get(); }
  bool HasDrawTabHandler() override { return static_cast<bool>(C->OnDrawTab); }
  bool FireDrawTab(TcxTab* Tab) override {
    bool defaultDraw = true;
    if (C->OnDrawTab) C->OnDrawTab(C, Tab, defaultDraw);
    return defaultDraw;
  }
  void TabPainted(TcxCanvas* ACanvas, TcxTab* Tab, const TcxPCTabImageAndTextData& Data) override {
    C->TabPainted(ACanvas, Tab, Data);
  }
  void InvalidateControlRect(const TRect& R, bool Erase) override { C->InvalidateRectArea(R, Erase); }
  bool Focused() override { return C->HandleAllocated() && C->Focused(); }
  TcxLookAndFeel* LookAndFeel() override { return C->LookAndFeel(); }
  bool ParentBackground() override { return C->ParentBackground(); }
  void DrawParentBackground(win::HDC DC, const TRect& R) override {
    TCanvas target;
    target.SetHandle(DC);
    TcxCanvas canvas(&target);
    PaintParentBackground(C, &canvas, R);
    target.SetHandle(nullptr);
  }

 private:
  TcxCustomTabControl* C;
};

// ---- creation ----------------------------------------------------------------------------------------

TcxCustomTabControl::TcxCustomTabControl(TComponent* AOwner)
    : TcxControl(AOwner), FView(std::make_unique<TView>(this)), FLayout(FView.get()) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque,
                                                 csDoubleClicks, csParentBackground});
  SetBounds(Left(), Top(), 289, 193);
  SetTabStop(true);
  FTabSlants = std::make_unique<TcxTabSlants>([this] { Relayout(); });
  FTabImages = std::make_unique<TcxPCImageList>();
  FTabImages->OnChange = [this] { ImagesChanged(); };
  FTabImages->OnPrepareBitmap = [this](TBitmap* Bitmap) {
    if (FPainter) FPainter->PaintRotatedTabContent(Bitmap, FPainter->TabImageAndTextData(),
                                                   FPainter->TabImageAndTextData().TabVisibleIndex);
  };
  FTabImages->IsNativePainting = [this] { return FPainter && FPainter->IsNativePainting(); };
  FTabs = std::make_unique<TcxTabs>(FView.get());
  if (!IsDesigning()) {
    FGoDialog = new TcxPCGoDialog(this);
    FGoDialog->OnTabChosen = [this](int TabIndex) { GoDialogTabChosen(TabIndex); };
  }
  // Without any style registered there is nothing to draw with yet.
  if (TcxPCPaintersFactory::PainterClassCount() > 0) ChooseDefaultStyle();
}

TcxCustomTabControl::~TcxCustomTabControl() {
  IncludeState(csDestroying);
  FTabSlants.reset();
  FTabImages.reset();
  FTabs.reset();
  FPainter.reset();
}

// ---- properties ------------------------------------------------------------------------------------

void TcxCustomTabControl::SetFocusable(bool Value) { FFocusable = Value; }

void TcxCustomTabControl::SetHideTabs(bool Value) {
  if (Value == FHideTabs) return;
  FHideTabs = Value;
  Realign();
  Invalidate();
}

void TcxCustomTabControl::SetHotTrack(bool Value) {
  if (Value == FHotTrack) return;
  FHotTrack = Value;
  UpdateHotTrack();
}

void TcxCustomTabControl::SetImageBorder(int Value) {
  if (Value < 0 || Value == FImageBorder) return;
  FImageBorder = Value;
  if (!FHideTabs) Relayout();
}

void TcxCustomTabControl::SetMaxRotatedTabWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value > 0 && FPainter) Value = std::max(Value, FPainter->MinTabWidth(-1));
  if (Value == FMaxRotatedTabWidth) return;
  FMaxRotatedTabWidth = Value;
  if (FRotate && !FHideTabs) Relayout();
}

void TcxCustomTabControl::SetMultiLine(bool Value) {
  if (Value == FMultiLine) return;
  FMultiLine = Value;
  Relayout();
}

void TcxCustomTabControl::SetNavigatorPosition(TcxPCNavigatorPosition Value) {
  if (Value == FNavigatorPosition) return;
  FNavigatorPosition = Value;
  Relayout();
}

void TcxCustomTabControl::SetOptions(TcxPCOptions Value) {
  if (Value == FOptions) return;
  TcxPCOptions changed = TcxPCOptions::FromBits(Value.Bits() ^ FOptions.Bits());
  FOptions = Value;
  static constexpr TcxPCOptions kLayoutOptions{pcoAlwaysShowGoDialogButton, pcoCloseButton,
                                               pcoFixedTabWidthWhenRotated, pcoGoDialog, pcoGradient,
                                               pcoGradientClientArea, pcoNoArrows, pcoTopToBottomText};
  if (!(changed * kLayoutOptions).Empty())
    Relayout();
  else if (changed.Contains(pcoUsePageColorForTab))
    Invalidate();
}

void TcxCustomTabControl::SetOwnerDraw(bool Value) {
  if (Value == FOwnerDraw) return;
  FOwnerDraw = Value;
  Invalidate();
}

void TcxCustomTabControl::SetRaggedRight(bool Value) {
  if (Value == FRaggedRight) return;
  FRaggedRight = Value;
  if (FMultiLine) Relayout();
}

void TcxCustomTabControl::SetRotate(bool Value) {
  if (Value == FRotate) return;
  if (Value && FPainter && !FPainter->PainterClass()->AllowsRotate())
    throw EdxException(cxPCMessage(scxPCAllowRotateError, {FPainter->PainterClass()->StyleName()}));
  FRotate = Value;
  Relayout();
}

void TcxCustomTabControl::SetScrollOpposite(bool Value) {
  if (Value == FScrollOpposite) return;
  FScrollOpposite = Value;
  if (!FMultiLine) return;
  if (FSelectedTabVisibleIndex != -1) {
    FLayout.OrderRows();
    Realign();
    Invalidate();
  } else {
    Realign();
  }
}

void TcxCustomTabControl::SetShowFrame(bool Value) {
  if (Value == FShowFrame) return;
  FShowFrame = Value;
  Relayout();
}

void TcxCustomTabControl::SetTabHeight(std::int16_t Value) {
  if (Value == FTabHeight) return;
  FTabHeight = Value;
  Relayout();
}

void TcxCustomTabControl::SetTabPosition(TcxTabPosition Value) {
  if (Value == FTabPosition) return;
  FTabPosition = Value;
  Relayout();
}

void TcxCustomTabControl::SetTabWidth(std::int16_t Value) {
  if (Value == FTabWidth) return;
  FTabWidth = Value;
  Relayout();
}

// ---- styles ----------------------------------------------------------------------------------------

void TcxCustomTabControl::SetStyle(TcxPCStyleID Value) {
  if (Value == cxPCDefaultStyle) {
    FStyle = cxPCDefaultStyle;
    ChooseDefaultStyle();
    return;
  }
  if (Value == FStyle) return;
  ApplyStyle(Value);
}

void TcxCustomTabControl::ApplyStyle(TcxPCStyleID Value) {
  TcxPCPainterClass painterClass = TcxPCPaintersFactory::PainterClassByStyleID(Value);
  if (!painterClass) return;
  FStyle = Value;
  if (FPainter && FPainter->PainterClass() == painterClass) return;
  TcxPCPaintersFactory::ReleasePainter(FPainter);
  FPainter = TcxPCPaintersFactory::GetPainterInstance(painterClass, FView.get());
  if (FRotate && !painterClass->AllowsRotate()) FRotate = false;
  SetDoubleBuffered(FPainter->NeedsDoubleBuffer());
  FTabs->FreeRotatedTextBitmaps();
  Relayout();
  if (HandleAllocated()) RedrawWithChildren();
}

void TcxCustomTabControl::ChooseDefaultStyle() {
  if (FStyle != cxPCDefaultStyle) return;
  TcxPCStyleID id = TcxPCPaintersFactory::StyleIDForLookAndFeel(LookAndFeel());
  if (id == -1) id = TcxPCPaintersFactory::GetDefaultStyleID(LookAndFeel());
  ApplyStyle(id);
  FStyle = cxPCDefaultStyle;
}

// ---- selection -------------------------------------------------------------------------------------

void TcxCustomTabControl::SetTabIndex(int Value) {
  if (ComponentState().Contains(csLoading)) {
    FLoadedTabIndex = Value;
    FTabIndexStored = true;
    return;
  }
  if (Value < -1 || Value >= FTabs->Count()) return;
  if (Value != -1 && RequiresVisibleSelection() && !FTabs->Tab(Value)->Visible()) Value = -1;
  if (Value == FTabIndex) return;
  if (!CanChangeTab(Value)) return;
  FTabIndex = -1;
  DeriveSelectedTabVisibleIndex();
  SetSelectedTabs(false);
  FFocusedTabVisibleIndex = -1;
  FTabIndex = Value;
  DeriveSelectedTabVisibleIndex();
  if (!FMultiLine && FSelectedTabVisibleIndex != -1) FLayout.MakeTabVisible(FSelectedTabVisibleIndex);
  if (FMultiLine) {
    FLayout.OrderRows();
    Realign();
    Invalidate();
  } else {
    Relayout();
  }
  UpdateNavigatorButtonsEnabled();
  UpdateHotTrack();
  TabChanged();
}

void TcxCustomTabControl::SetSelectedTabs(bool Value) {
  for (int i = 0; i < FTabs->Count(); ++i) FTabs->Tab(i)->SetSelected(Value);
  FMultiSelectMode = false;
}

void TcxCustomTabControl::DeriveSelectedTabVisibleIndex() {
  int value = -1;
  TcxVisibleTabList* visible = FTabs->VisibleTabs();
  if (FTabIndex != -1 && visible->Count() > 0) {
    visible->Find(FTabIndex, value);
    value = std::min(value, visible->Count() - 1);
  }
  if (value == FSelectedTabVisibleIndex) return;
  int old = FSelectedTabVisibleIndex;
  FSelectedTabVisibleIndex = value;
  if (old >= 0 && old < VisibleCount()) RepaintTab(old, tpcIsMainTab);
  if (value >= 0) RepaintTab(value, tpcIsMainTab);
  UpdateNavigatorButtonsEnabled();
}

bool TcxCustomTabControl::CanChangeTab(int) {
  bool allowChange = true;
  if (!ChangeEventsLocked() && OnTabChanging) OnTabChanging(this, allowChange);
  return allowChange;
}

void TcxCustomTabControl::TabChanged() {
  if (!ChangeEventsLocked() && OnChange) OnChange(this);
}

void TcxCustomTabControl::SetFocusedTabVisibleIndex(int Value) {
  if (Value < 0 || Value >= VisibleCount()) Value = -1;
  if (Value == FFocusedTabVisibleIndex) return;
  int old = FFocusedTabVisibleIndex;
  FFocusedTabVisibleIndex = Value;
  if (old != -1) RepaintTab(old, tpcFocusedTab);
  if (Value != -1) RepaintTab(Value, tpcFocusedTab);
  if (!FMultiLine && Value != -1) {
    FLayout.MakeTabVisible(Value);
    Relayout();
    UpdateHotTrack();
  }
}

void TcxCustomTabControl::Loaded() {
  TcxControl::Loaded();
  FTabs->Changed(-1, tpcLayout);
  if (FTabIndexStored) {
    FTabIndexStored = false;
    FTabIndex = -1;
    LockChangeEvents();
    try {
      SetTabIndex(FLoadedTabIndex);
    } catch (...) {
      UnlockChangeEvents();
      throw;
    }
    UnlockChangeEvents();
  }
}

// ---- layout ----------------------------------------------------------------------------------------

void TcxCustomTabControl::Relayout() {
  if (ComponentState().Contains(csLoading) || FInLayout || !FPainter || IsDestroying()) return;
  FInLayout = true;
  try {
    int remembered = FSelectedTabVisibleIndex;
    if (FSelectedTabVisibleIndex >= VisibleCount()) FSelectedTabVisibleIndex = -1;
    FPainter->BeforeLayout();
    int minWidth = FPainter->MinTabWidth(-1);
    if (FMaxRotatedTabWidth > 0 && FMaxRotatedTabWidth < minWidth) FMaxRotatedTabWidth = minWidth;
    FTabs->FreeRotatedTextBitmaps();
    // The images turn with the text. Set before the tabs are measured, which a turned image's size
    // changes; the notice of the change is this very layout.
    bool turnImages = !FPainter->IsNativePainting() && Images() && Images()->Count() > 0;
    int direction = TabTextDirection();
    FTabImages->SetImageRotationAngle(!turnImages || direction == 0 ? rcNone
                                      : direction == 2                ? rcTurnRight
                                                                      : rcTurnLeft);
    FLayout.Calculate();
    for (int i = 0; i < VisibleCount(); ++i) {
      TcxTab* tab = VisibleTab(i);
      if (tab->IsOnScreen() && TabImageIndex(tab->Index()) != -1) FPainter->RepaintTab(i, tpcNotSpecified);
    }
    Realign();
    Invalidate();
    FSelectedTabVisibleIndex = remembered;
    DeriveSelectedTabVisibleIndex();
    UpdateHotTrack();
  } catch (...) {
    FInLayout = false;
    throw;
  }
  FInLayout = false;
}

void TcxCustomTabControl::ResetIndicesForLayout(int N) {
  for (int* index : {&FHotTabVisibleIndex, &FSelectedTabVisibleIndex, &FPressedTabVisibleIndex})
    if (*index >= N) *index = -1;
  if (FTabIndex >= FTabs->Count()) FTabIndex = FTabs->Count() - 1;
}

void TcxCustomTabControl::RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) {
  if (FPainter && TabVisibleIndex >= 0 && TabVisibleIndex < VisibleCount() && !IsDestroying())
    FPainter->RepaintTab(TabVisibleIndex, Kind);
}

int TcxCustomTabControl::TabAtPos(int X, int Y) {
  int first, last;
  FLayout.PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last && i < VisibleCount(); ++i) {
    TRect r = VisibleTab(i)->ClippedRect();
    if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom && FPainter->IsPointInTabShape(i, X, Y)) return i;
  }
  return -1;
}

int TcxCustomTabControl::MeasureTabCaptionWidth(TcxTab* Tab) {
  TcxCanvas* canvas = ScreenCanvasInstance();
  if (!canvas) return 0;
  PrepareTabFont(Tab, canvas);
  return canvas->MeasureTextWidth(Tab->Caption());
}

TRect TcxCustomTabControl::PageClientRect() {
  if (!ComponentState().Contains(csLoading) && FPainter) return FPainter->PageClientBounds();
  if (FStoredClientRectValid) return FStoredClientRect;
  return TRect(0, 0, Width(), Height());
}

void TcxCustomTabControl::AdjustClientRect(win::RECT& Rect) { Rect = PageClientRect(); }

// ---- navigator -------------------------------------------------------------------------------------

void TcxCustomTabControl::NavigatorButtonsChanged(TcxPCNavigatorButtons, TcxPCNavigatorButtons New) {
  for (int b : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose}) {
    if (New.Contains(static_cast<TcxPCNavigatorButton>(b))) continue;
    if (FHotNavigatorButton == b) FHotNavigatorButton = -1;
    if (FPressedNavigatorButton == b) FPressedNavigatorButton = -1;
    FNavigatorButtonStates[static_cast<std::size_t>(b)] = nbsNormal;
  }
  UpdateNavigatorButtonsEnabled();
}

bool TcxCustomTabControl::NavigatorButtonEnabled(TcxPCNavigatorButton Button) {
  TcxPCNavigatorButton forward = RowRunsInReverse() ? nbTopLeft : nbBottomRight;
  switch (Button) {
    case nbGoDialog: return true;
    case nbClose: return FSelectedTabVisibleIndex >= 0;
    default:
      if (Button == forward)
        return !(FLayout.LastVisibleTab() >= VisibleCount() - 1 &&
                 (FLayout.LastTabFullyVisible() || FLayout.LastVisibleTab() == FLayout.FirstVisibleTab()));
      return FLayout.FirstVisibleTab() > 0;
  }
}

void TcxCustomTabControl::SetNavigatorButtonState(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState State) {
  TcxPCNavigatorButtonState previous = FNavigatorButtonStates[Button];
  if (previous == State) return;
  FNavigatorButtonStates[Button] = State;
  if (State == nbsDisabled) {
    if (FHotNavigatorButton == Button) FHotNavigatorButton = -1;
    if (FPressedNavigatorButton == Button) FPressedNavigatorButton = -1;
  }
  if (FPainter) FPainter->InvalidateNavigatorButton(Button, previous);
}

void TcxCustomTabControl::UpdateNavigatorButtonsEnabled() {
  TcxPCNavigatorButtons shown = FLayout.NavigatorButtons();
  bool changed = false;
  for (TcxPCNavigatorButton b : {nbTopLeft, nbBottomRight, nbClose}) {
    if (!shown.Contains(b)) continue;
    bool enabled = NavigatorButtonEnabled(b);
    if (!enabled && FNavigatorButtonStates[b] != nbsDisabled) {
      SetNavigatorButtonState(b, nbsDisabled);
      changed = true;
    } else if (enabled && FNavigatorButtonStates[b] == nbsDisabled) {
      SetNavigatorButtonState(b, nbsNormal);
      changed = true;
    }
  }
  if (changed) UpdateHotTrack();
}

void TcxCustomTabControl::SetHotNavigatorButton(int Button) {
  if (Button == FHotNavigatorButton) return;
  int old = FHotNavigatorButton;
  FHotNavigatorButton = Button;
  if (old != -1 && FNavigatorButtonStates[static_cast<std::size_t>(old)] == nbsHotTrack)
    SetNavigatorButtonState(static_cast<TcxPCNavigatorButton>(old), nbsNormal);
  if (Button != -1) SetNavigatorButtonState(static_cast<TcxPCNavigatorButton>(Button), nbsHotTrack);
}

void TcxCustomTabControl::ScrollWithButton(TcxPCNavigatorButton Button) {
  if (FNavigatorButtonStates[Button] == nbsDisabled) return;
  bool forward = (Button == nbBottomRight) != RowRunsInReverse();
  FLayout.ScrollRow(forward);
  Relayout();
}

void TcxCustomTabControl::NavigatorButtonDown(TcxPCNavigatorButton Button) {
  TcxPCNavigatorButtonState state = FNavigatorButtonStates[Button];
  if (state == nbsPressed || state == nbsDisabled) return;
  FPressedNavigatorButton = Button;
  SetNavigatorButtonState(Button, nbsPressed);
  if (Button == nbTopLeft || Button == nbBottomRight) {
    ScrollWithButton(Button);
    if (FPressedNavigatorButton == Button) {
      if (!FNavigatorTimer) {
        FNavigatorTimer = new TcxTimer(this);
        FNavigatorTimer->SetOnTimer([this](TObject*) { NavigatorTimerTick(); });
      }
      FNavigatorTimer->SetEnabled(false);
      FNavigatorTimer->SetInterval(kNavigatorFirstDelay);
      FNavigatorTimer->SetEnabled(true);
    }
  }
}

void TcxCustomTabControl::NavigatorTimerTick() {
  FNavigatorTimer->SetInterval(kNavigatorRepeatDelay);
  if (FPressedNavigatorButton != -1) ScrollWithButton(static_cast<TcxPCNavigatorButton>(FPressedNavigatorButton));
  if (FPressedNavigatorButton == -1) FNavigatorTimer->SetEnabled(false);
}

void TcxCustomTabControl::ReleasePressedNavigatorButton() {
  if (FNavigatorTimer) FNavigatorTimer->SetEnabled(false);
  auto button = static_cast<TcxPCNavigatorButton>(FPressedNavigatorButton);
  FPressedNavigatorButton = -1;
  SetNavigatorButtonState(button, nbsNormal);
}

void TcxCustomTabControl::NavigatorButtonUp(TcxPCNavigatorButton Button) {
  if (FNavigatorTimer) FNavigatorTimer->SetEnabled(false);
  if (FNavigatorButtonStates[Button] == nbsDisabled) return;
  bool wasPressed = FPressedNavigatorButton == Button;
  if (!IsDesigning() && Button == nbGoDialog && wasPressed) {
    FGoDialogShowing = true;
    ShowGoDialog();
    return;
  }
  bool close = !IsDesigning() && Button == nbClose && wasPressed;
  if (FNavigatorButtonStates[Button] == nbsPressed) FPressedNavigatorButton = -1;
  SetNavigatorButtonState(Button, nbsNormal);
  UpdateHotTrack();
  if (!close) return;
  // OnCanClose may free the control, or take the selection away.
  TcxObjectLink* link = CreateObjectLink(this);
  try {
    if (CanCloseTab() && link->LinkedObject && FTabIndex >= 0) CloseSelectedTab();
  } catch (...) {
    FreeObjectLink(link);
    throw;
  }
  FreeObjectLink(link);
}

void TcxCustomTabControl::ResetNavigatorAfterGoDialog(int TabIndex) {
  // The click that closed the menu must not open it again when it reaches the button.
  win::MSG m;
  if (HandleAllocated() &&
      (win::PeekMessage(&m, Handle(), win::WM_LBUTTONDOWN, win::WM_LBUTTONDOWN, win::PM_NOREMOVE) ||
       win::PeekMessage(&m, Handle(), win::WM_LBUTTONDBLCLK, win::WM_LBUTTONDBLCLK, win::PM_NOREMOVE)))
    FGoDialogClosedByClick = true;
  FGoDialogShowing = false;
  FPressedNavigatorButton = -1;
  SetNavigatorButtonState(nbGoDialog, nbsNormal);
  if (TabIndex == -1) {
    UpdateHotTrack();
    return;
  }
  // OnChange may free the control.
  TcxObjectLink* link = CreateObjectLink(this);
  try {
    SetTabIndex(TabIndex);
    if (link->LinkedObject) UpdateHotTrack();
  } catch (...) {
    FreeObjectLink(link);
    throw;
  }
  FreeObjectLink(link);
}

// ---- hot tracking ----------------------------------------------------------------------------------

void TcxCustomTabControl::SetHotTab(int TabVisibleIndex) {
  if (TabVisibleIndex == FHotTabVisibleIndex) return;
  int old = FHotTabVisibleIndex;
  FHotTabVisibleIndex = TabVisibleIndex;
  RepaintTab(old, tpcHotTrack);
  RepaintTab(TabVisibleIndex, tpcHotTrack);
}

void TcxCustomTabControl::SetPressedTab(int TabVisibleIndex) {
  if (TabVisibleIndex == FPressedTabVisibleIndex) return;
  int old = FPressedTabVisibleIndex;
  FPressedTabVisibleIndex = TabVisibleIndex;
  RepaintTab(old, tpcPressed);
  RepaintTab(TabVisibleIndex, tpcPressed);
}

void TcxCustomTabControl::UpdateHotTrack() {
  if (ComponentState().Contains(csLoading) || IsDesigning() || IsDestroying() || !HandleAllocated() ||
      FGoDialogShowing || !FPainter)
    return;
  if (!((FHotTrack || FPainter->HotTrackForced()) && Enabled())) {
    SetHotNavigatorButton(-1);
    SetHotTab(-1);
    return;
  }
  win::POINT cursor{};
  win::GetCursorPos(&cursor);
  win::POINT p = ScreenToClient(cursor);
  bool leftHeld = (win::GetKeyState(win::VK_LBUTTON) & 0x8000) != 0;
  TcxPCNavigatorButton button;
  if (!leftHeld && FPainter->NavigatorButtonAt(p.x, p.y, button) &&
      FNavigatorButtonStates[button] != nbsPressed && FNavigatorButtonStates[button] != nbsDisabled) {
    SetHotNavigatorButton(button);
    SetHotTab(-1);
    return;
  }
  SetHotNavigatorButton(-1);
  int hot = leftHeld && FPainter->PressesTabsLikeButtons() ? -1 : TabAtPos(p.x, p.y);
  if (hot != -1 && !VisibleTab(hot)->Enabled()) hot = -1;
  SetHotTab(hot);
}

// ---- mouse -----------------------------------------------------------------------------------------

void TcxCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool closedByClick = FGoDialogClosedByClick;
  FGoDialogClosedByClick = false;
  TcxControl::MouseDown(Button, Shift, X, Y);
  if ((!IsDesigning() && Button != mbLeft) || FHideTabs || !FPainter) return;
  UpdateHotTrack();
  TcxPCNavigatorButton navigatorButton;
  if (FPainter->NavigatorButtonAt(X, Y, navigatorButton)) {
    if (!(navigatorButton == nbGoDialog && closedByClick)) NavigatorButtonDown(navigatorButton);
    return;
  }
  FMouseDownTabVisibleIndex = TabAtPos(X, Y);
  if (FMouseDownTabVisibleIndex == -1) return;
  if (!IsDesigning() && !VisibleTab(FMouseDownTabVisibleIndex)->RealEnabled()) return;
  if (!FPainter->PressesTabsLikeButtons() || IsDesigning())
    SelectTabFromMouse(FMouseDownTabVisibleIndex, Shift.Contains(ssCtrl));
  else
    SetPressedTab(FMouseDownTabVisibleIndex);
}

void TcxCustomTabControl::MouseMove(TShiftState Shift, int X, int Y) {
  TcxControl::MouseMove(Shift, X, Y);
  if (FHideTabs || FGoDialogShowing || !FPainter) return;
  if (FPressedNavigatorButton != -1) {
    TcxPCNavigatorButton button;
    if (!FPainter->NavigatorButtonAt(X, Y, button) || button != FPressedNavigatorButton)
      ReleasePressedNavigatorButton();
  }
  if (FPressedTabVisibleIndex != -1 && TabAtPos(X, Y) != FPressedTabVisibleIndex) SetPressedTab(-1);
  UpdateHotTrack();
}

void TcxCustomTabControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // Handlers run below may free the control: the link tells.
  TcxObjectLink* link = CreateObjectLink(this);
  try {
    TcxControl::MouseUp(Button, Shift, X, Y);
    if (link->LinkedObject && Button == mbLeft && !FHideTabs && !FGoDialogShowing && FPainter) {
      TcxPCNavigatorButton navigatorButton;
      if (FPainter->NavigatorButtonAt(X, Y, navigatorButton)) {
        NavigatorButtonUp(navigatorButton);
      } else {
        int tab = TabAtPos(X, Y);
        if (tab != -1 && (IsDesigning() || VisibleTab(tab)->RealEnabled())) {
          if (FPainter->PressesTabsLikeButtons() && !IsDesigning() && tab == FPressedTabVisibleIndex) {
            SetPressedTab(-1);
            SelectTabFromMouse(tab, Shift.Contains(ssCtrl));
          }
          if (link->LinkedObject) {
            UpdateHotTrack();
            if (tab == FMouseDownTabVisibleIndex) TabClicked(tab, Shift);
          }
        }
      }
    }
    if (link->LinkedObject) FMouseDownTabVisibleIndex = -1;
  } catch (...) {
    FreeObjectLink(link);
    throw;
  }
  FreeObjectLink(link);
}

void TcxCustomTabControl::SelectTabFromMouse(int TabVisibleIndex, bool Ctrl) {
  TcxObjectLink* link = CreateObjectLink(this);
  try {
    TcxTab* tab = VisibleTab(TabVisibleIndex);
    if (FMultiSelectMode && FPainter->AllowsTabMultiSelect() && Ctrl) {
      if (TabVisibleIndex == FSelectedTabVisibleIndex)
        SetTabIndex(-1);
      else
        tab->SetSelected(!tab->Selected());
    } else {
      SetTabIndex(tab->Index());
      if (link->LinkedObject) Update();
    }
  } catch (...) {
    FreeObjectLink(link);
    throw;
  }
  FreeObjectLink(link);
}

bool TcxCustomTabControl::DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) {
  if (!FMultiLine && FPainter && VisibleCount() > 0 && FLayout.FirstVisibleTab() >= 0) {
    win::POINT p = ScreenToClient(MousePos);
    TRect r = VisibleTab(FLayout.FirstVisibleTab())->FullRect();
    bool inRow = cxPCIsHorizontalPosition(FTabPosition) ? p.y >= r.Top && p.y < r.Bottom
                                                         : p.x >= r.Left && p.x < r.Right;
    if (inRow) {
      int notches = -WheelDelta / win::WHEEL_DELTA;
      TcxPCNavigatorButton button = notches >= 0 ? nbBottomRight : nbTopLeft;
      for (int i = 0; i < std::abs(notches); ++i) ScrollWithButton(button);
      return true;
    }
  }
  return TcxControl::DoMouseWheel(Shift, WheelDelta, MousePos);
}

// ---- keyboard --------------------------------------------------------------------------------------

bool TcxCustomTabControl::HandleNavigationKey(win::WORD& Key, TShiftState Shift) {
  int n = VisibleCount();
  if (FHideTabs || n == 0 || Shift == TShiftState{ssAlt} || Shift == TShiftState{ssShift, ssAlt}) return false;
  int direction = 0, start = -1;
  bool wrap = false;
  bool reverse = RowRunsInReverse();
  switch (Key) {
    case win::VK_TAB:
      if (!Shift.Contains(ssCtrl)) return false;
      direction = Shift.Contains(ssShift) ? -1 : 1;
      wrap = true;
      break;
    case win::VK_RETURN:
    case win::VK_SPACE:
      // Only a focused tab of a button style takes the key; otherwise it stays the dialog's.
      if (FFocusedTabVisibleIndex == -1) return false;
      SetTabIndex(VisibleTab(FFocusedTabVisibleIndex)->Index());
      return true;
    case win::VK_LEFT:
    case win::VK_UP: direction = -1; break;
    case win::VK_RIGHT:
    case win::VK_DOWN: direction = 1; break;
    case win::VK_HOME:
    case win::VK_END: {
      bool home = (Key == win::VK_HOME) != reverse;
      start = home ? 0 : n - 1;
      direction = home ? 1 : -1;
      break;
    }
    default: return false;
  }
  if (start == -1) {
    if (reverse) direction = -direction;
    if (FFocusedTabVisibleIndex != -1)
      start = FFocusedTabVisibleIndex + direction;
    else if (FSelectedTabVisibleIndex != -1)
      start = FSelectedTabVisibleIndex + direction;
    else
      start = direction > 0 ? 0 : n - 1;
    if (start < 0 || start >= n) {
      if (!wrap) return true;
      start = direction > 0 ? 0 : n - 1;
    }
  }
  int found = -1;
  for (int i = start, steps = 0; steps < n; ++steps) {
    if (VisibleTab(i)->Enabled()) {
      found = i;
      break;
    }
    i += direction;
    if (i < 0 || i >= n) {
      if (!wrap) break;
      i = direction > 0 ? 0 : n - 1;
    }
  }
  if (found == -1) return true;
  if (FPainter && FPainter->PressesTabsLikeButtons() && Key != win::VK_TAB)
    SetFocusedTabVisibleIndex(found);
  else if (found != FSelectedTabVisibleIndex)
    SetTabIndex(VisibleTab(found)->Index());
  return true;
}

void TcxCustomTabControl::KeyDown(win::WORD& Key, TShiftState Shift) {
  TcxControl::KeyDown(Key, Shift);
  if (Key != 0 && HandleNavigationKey(Key, Shift)) Key = 0;
}

void TcxCustomTabControl::CMDialogKey(TMessage& Message) {
  if (Focused() || ContainsControl(FindControl(win::GetFocus()))) {
    auto key = static_cast<win::WORD>(Message.WParam);
    TShiftState shift;
    if (win::GetKeyState(win::VK_SHIFT) & 0x8000) shift.Include(ssShift);
    if (win::GetKeyState(win::VK_CONTROL) & 0x8000) shift.Include(ssCtrl);
    if (win::GetKeyState(win::VK_MENU) & 0x8000) shift.Include(ssAlt);
    if (HandleNavigationKey(key, shift)) {
      Message.Result = 1;
      return;
    }
  }
  TcxControl::CMDialogKey(Message);
}

void TcxCustomTabControl::CMDialogChar(TMessage& Message) {
  if (SelectTabByAccelerator(static_cast<unsigned>(Message.WParam))) {
    Message.Result = 1;
    return;
  }
  TcxControl::CMDialogChar(Message);
}

bool TcxCustomTabControl::SelectTabByAccelerator(unsigned Key) {
  for (int i = 0; i < FTabs->Count(); ++i)
    if (IsAccel(Key, FTabs->Tab(i)->Caption()) && IsTabSelectableByAccelerator(i) && CanFocus()) {
      SetTabIndex(i);
      return true;
    }
  return false;
}

bool TcxCustomTabControl::IsTabSelectableByAccelerator(int TabIndex) {
  TcxTab* tab = FTabs->Tab(TabIndex);
  return tab->Visible() && tab->RealEnabled();
}

void TcxCustomTabControl::WndProc(TMessage& Message) {
  TcxControl::WndProc(Message);
  if (Message.Msg == win::WM_GETDLGCODE) Message.Result |= win::DLGC_WANTARROWS;
}

// ---- the other operations in their order -----------------------------------------------------------

void TcxCustomTabControl::TabClicked(int, TShiftState) {}
void TcxCustomTabControl::TabPainted(TcxCanvas*, TcxTab*, const TcxPCTabImageAndTextData&) {}

bool TcxCustomTabControl::CanCloseTab() {
  bool canClose = true;
  if (OnCanClose) OnCanClose(this, canClose);
  return canClose;
}

void TcxCustomTabControl::CloseSelectedTab() {
  if (FTabIndex < 0) return;
  FTabs->Delete(FTabIndex);
  TabChanged();
}

void TcxCustomTabControl::ShowGoDialog() {
  if (!FGoDialog || !FPainter) {
    ResetNavigatorAfterGoDialog(-1);
    return;
  }
  struct TEntry {
    TcxTab* Tab;
    String Stripped;
  };
  std::vector<TEntry> entries;
  for (int i = 0; i < VisibleCount(); ++i) {
    TcxTab* tab = VisibleTab(i);
    if (!tab->RealEnabled()) continue;
    String stripped;
    StripAccelerators(tab->Caption(), false, stripped);
    entries.push_back({tab, stripped});
  }
  if (FOptions.Contains(pcoSort))
    std::stable_sort(entries.begin(), entries.end(),
                     [](const TEntry& a, const TEntry& b) { return AnsiCompareText(a.Stripped, b.Stripped) < 0; });
  FGoDialog->SetImages(Images());
  FGoDialog->Items()->Clear();
  TcxPCGoDialog* dialog = FGoDialog;
  for (const TEntry& entry : entries) {
    auto* item = new TMenuItem(dialog);
    item->SetCaption(entry.Tab->Caption());
    item->SetTag(entry.Tab->Index());
    item->SetChecked(entry.Tab->Index() == FTabIndex);
    item->SetDefault(entry.Tab->Index() == FTabIndex);
    item->SetImageIndex(TabImageIndex(entry.Tab->Index()));
    item->SetOnClick([dialog, item](TObject*) {
      if (dialog->OnTabChosen) dialog->OnTabChosen(static_cast<int>(item->Tag()));
    });
    dialog->Items()->Add(item);
  }
  TRect button = FPainter->NavigatorButtonsRect();
  win::POINT at = ClientToScreen(win::POINT{button.Left, button.Bottom});
  // A choice runs OnChange, whose handler may free the control.
  TcxObjectLink* link = CreateObjectLink(this);
  try {
    dialog->Popup(at.x, at.y);
    if (link->LinkedObject) ResetNavigatorAfterGoDialog(-1);
  } catch (...) {
    FreeObjectLink(link);
    throw;
  }
  FreeObjectLink(link);
}

void TcxCustomTabControl::ClearTabIndexSilently() {
  FTabIndex = -1;
  DeriveSelectedTabVisibleIndex();
}
TControl* TcxCustomTabControl::DisplayedPage() { return nullptr; }

int TcxCustomTabControl::TabImageIndex(int TabIndex) {
  int imageIndex = FTabs->Tab(TabIndex)->ImageIndex();
  if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, imageIndex);
  if (imageIndex < 0) imageIndex = -1;
  TCustomImageList* images = Images();
  if (!images || images->Width() <= 0 || images->Height() <= 0 || images->Count() <= imageIndex) return -1;
  return imageIndex;
}

TControl* TcxCustomTabControl::TabPage(int) { return nullptr; }
void TcxCustomTabControl::GoDialogTabChosen(int TabIndex) { ResetNavigatorAfterGoDialog(TabIndex); }
void TcxCustomTabControl::ImagesChanged() { Relayout(); }

void TcxCustomTabControl::PrepareTabFont(TcxTab* Tab, TcxCanvas* ACanvas) {
  ACanvas->AssignFont(Font());
  if (FPainter && Tab->VisibleIndex() >= 0) ACanvas->ActiveFont()->SetColor(FPainter->TabTextColor(Tab->VisibleIndex()));
  if (OnDrawTabEx) OnDrawTabEx(this, Tab, ACanvas->ActiveFont());
}

bool TcxCustomTabControl::RequiresVisibleSelection() { return false; }

// ---- TcxControl and window ---------------------------------------------------------------------------

void TcxCustomTabControl::EraseBackground(win::HDC DC) {
  if (!FPainter) return;
  TCanvas target;
  target.SetHandle(DC);
  TcxCanvas* canvas = Canvas();
  TCanvas* previous = canvas->Canvas();
  canvas->SetCanvas(&target);
  canvas->PushDCState();
  try {
    FPainter->PaintPageFrame();
  } catch (...) {
    canvas->PopDCState();
    canvas->SetCanvas(previous);
    throw;
  }
  canvas->PopDCState();
  canvas->SetCanvas(previous);
  target.SetHandle(nullptr);
}

bool TcxCustomTabControl::CanFocusOnClick() {
  if (!TcxControl::CanFocusOnClick() || FSelectedTabVisibleIndex == -1) return false;
  win::POINT cursor{};
  win::GetCursorPos(&cursor);
  win::POINT p = ScreenToClient(cursor);
  return TabAtPos(p.x, p.y) == FSelectedTabVisibleIndex;
}

bool TcxCustomTabControl::InvalidatesChildren() {
  return FOptions.Contains(pcoRedrawOnResize) && ((FPainter && FPainter->RepaintsOnResize()) || HasVisualStyles());
}

void TcxCustomTabControl::LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  TcxControl::LookAndFeelChanged(Sender, ChangedValues);
  if (TcxPCPaintersFactory::PainterClassCount() > 0) ChooseDefaultStyle();
  Relayout();
  if (ChangedValues.Contains(lfvNativeStyle) && HandleAllocated()) RedrawWithChildren();
}

void TcxCustomTabControl::NotifyFocusChanged() {
  TcxControl::NotifyFocusChanged();
  RepaintTab(FSelectedTabVisibleIndex, tpcFocused);
}

bool TcxCustomTabControl::CanFocus() { return TcxControl::CanFocus() && FFocusable; }

void TcxCustomTabControl::Paint() {
  if (IsDestroying() || !FPainter) return;
  TcxCanvas* canvas = Canvas();
  canvas->PushClipRegion();
  try {
    FPainter->PaintControl();
  } catch (...) {
    canvas->PopClipRegion();
    throw;
  }
  canvas->PopClipRegion();
}

void TcxCustomTabControl::CreateParams(TCreateParams& Params) {
  TcxControl::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TcxCustomTabControl::CreateWnd() {
  TcxControl::CreateWnd();
  Relayout();
  Realign();
}

void TcxCustomTabControl::Resize() {
  Relayout();
  Realign();
  TcxControl::Resize();
}

void TcxCustomTabControl::CMFontChanged(TMessage& Message) {
  TcxControl::CMFontChanged(Message);
  Relayout();
}

void TcxCustomTabControl::CMMouseLeave(TMessage& Message) {
  TcxControl::CMMouseLeave(Message);
  UpdateHotTrack();
}

void TcxCustomTabControl::CMEnabledChanged(TMessage& Message) {
  TcxControl::CMEnabledChanged(Message);
  FTabs->FreeRotatedTextBitmaps();
  Invalidate();
}

void TcxCustomTabControl::CMParentColorChanged(TMessage& Message) {
  TcxControl::CMParentColorChanged(Message);
  Invalidate();
}

// ---- the stored client rectangle -------------------------------------------------------------------

namespace {
const char* const kClientRectNames[4] = {"ClientRectLeft", "ClientRectTop", "ClientRectRight", "ClientRectBottom"};
int Side(const TRect& R, int Index) {
  switch (Index) {
    case 0: return R.Left;
    case 1: return R.Top;
    case 2: return R.Right;
    default: return R.Bottom;
  }
}
}  // namespace

void TcxCustomTabControl::ReadClientRect(TReader* Reader, int Index) {
  int value = Reader->ReadInteger();
  switch (Index) {
    case 0: FStoredClientRect.Left = value; break;
    case 1:
      FStoredClientRect.Top = value;
      FStoredClientRectValid = true;
      break;
    case 2: FStoredClientRect.Right = value; break;
    default: FStoredClientRect.Bottom = value; break;
  }
}

void TcxCustomTabControl::WriteClientRect(TWriter* Writer, int Index) { Writer->WriteInteger(Side(PageClientRect(), Index)); }

void TcxCustomTabControl::DefineProperties(TFiler* Filer) {
  TcxControl::DefineProperties(Filer);
  TRect current = PageClientRect();
  auto* ancestor = dynamic_cast<TcxCustomTabControl*>(Filer->Ancestor());
  for (int i = 0; i < 4; ++i) {
    bool hasData;
    if (ancestor)
      hasData = Side(ancestor->PageClientRect(), i) != Side(current, i);
    else
      hasData = i == 1 || i == 2 || Side(current, i) != 0;
    Filer->DefineProperty(
        kClientRectNames[i], [this, i](TReader* Reader) { ReadClientRect(Reader, i); },
        [this, i](TWriter* Writer) { WriteClientRect(Writer, i); }, hasData);
  }
}

void TcxCustomTabControl::ChangeScale(int M, int D) {
  if (D != 0) {
    FStoredClientRect.Left = FStoredClientRect.Left * M / D;
    FStoredClientRect.Top = FStoredClientRect.Top * M / D;
    FStoredClientRect.Right = FStoredClientRect.Right * M / D;
    FStoredClientRect.Bottom = FStoredClientRect.Bottom * M / D;
  }
  TcxControl::ChangeScale(M, D);
}
