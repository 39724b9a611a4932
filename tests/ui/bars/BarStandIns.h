#pragma once
// Bar windows and a button control that stand in for the toolbar and button units until those
// stand: the bar lays its controls out in a row (toolbar) or a column (menu) from their measured
// sizes and paints them through its painter; the button draws through the painter's button
// operation. Both count what the item controls ask of them. The menu is the real one, counting.
#include <algorithm>
#include <map>
#include <vector>

#include "platform/win/Window.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Fader.h"

// Stand-in for the button controls: draws through PaintButtonItem, pressed while SetPressed says so.
class TStandInButtonControl : public TdxBarButtonControl {
  VW_CLASS(TStandInButtonControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  TClass DrawParamsClass() const override { return TdxBarButtonLikeControlDrawParams::StaticClass(); }
  TdxBarItemViewLevels PossibleViewLevels() const override {
    TdxBarItemViewLevels levels = TdxBarItemControl::PossibleViewLevels();
    levels.Include(ivlLargeIconWithText);
    return levels;
  }
  unsigned DefaultContentParts() const override {
    const bool image = HasImageAt(ViewSizeNow());
    if (PaintMode() == pmMenu) return cpText | (image ? cpIcon : 0);
    return image ? cpIcon : cpText;
  }
  void RefreshDrawParams(bool AFull) override {
    TdxBarItemControl::RefreshDrawParams(AFull);
    auto& p = static_cast<TdxBarButtonLikeControlDrawParams&>(*DrawInfo());
    p.IsPressed = Pressed();
    p.DrawDownFrame = Pressed();
  }
  void DrawContent(const TRect& R, TdxBarPaintMode) override {
    ++Paints;
    ControlPainter()->PaintButtonItem(static_cast<TdxBarButtonLikeControlDrawParams&>(*DrawInfo()),
                                      CurrentCanvas()->DeviceContext(), R);
  }
  bool ClosesBarsOnClick() const override { return Closes; }
  bool Closes = true;
  int Paints = 0;
};

// A row of controls for a toolbar, a column as wide as the widest for a menu; with AAutoSize the
// window takes the size of what it shows.
inline void StandInArrange(TCustomdxBarControl* Bar, bool AMenu, bool AAutoSize) {
  Bar->ViewInfo()->Clear();
  TdxBarItemLinks* links = Bar->ItemLinks();
  if (!links) return;
  int x = 2, y = 2, across = 0, widest = 0;
  for (int i = 0; i < links->VisibleCount(); ++i)
    if (TdxBarItemControl* c = links->VisibleLinks(i)->Control()) {
      widest = std::max(widest, c->ComputeWidth());
      across = std::max(across, c->ComputeHeight());
    }
  for (int i = 0; i < links->VisibleCount(); ++i) {
    TdxBarItemLink* link = links->VisibleLinks(i);
    TdxBarItemControl* c = link->Control();
    if (!c) continue;
    if (AMenu) {
      const int h = c->ComputeHeight();
      link->SetItemRect({2, y, 2 + widest, y + h});
      y += h;
    } else {
      const int w = c->ComputeWidth();
      link->SetItemRect({x, 2, x + w, 2 + across});
      x += w;
    }
    Bar->ViewInfo()->AddItemControl(c);
  }
  if (AAutoSize) {
    if (AMenu)
      Bar->SetBounds(Bar->Left(), Bar->Top(), widest + 4, y + 2);
    else
      Bar->SetBounds(Bar->Left(), Bar->Top(), x + 2, across + 4);
  }
}

// The items, then the background around them.
inline void StandInPaint(TCustomdxBarControl* Bar, bool AMenu) {
  win::HDC dc = Bar->DrawCanvas()->DeviceContext();
  const int saved = win::SaveDC(dc);
  Bar->PaintItems();
  win::HBRUSH brush = AMenu ? Bar->BarPainter()->MenuBrush(Bar) : Bar->BarPainter()->ToolbarBrush(Bar->BarManager());
  win::RECT r = Bar->ClientRect();
  win::FillRect(dc, &r, brush);
  win::RestoreDC(dc, saved);
}

// A popup tool window owned by the manager's form, as bars of the test form are.
inline void StandInPopupParams(TCustomdxBarControl* Bar, TCreateParams& Params) {
  Params.Style = win::WS_POPUP | win::WS_CLIPSIBLINGS | win::WS_BORDER;
  Params.ExStyle |= win::WS_EX_TOOLWINDOW;
  if (auto* form = dynamic_cast<TWinControl*>(Bar->BarManager() ? Bar->BarManager()->Owner() : nullptr))
    Params.WndParent = form->Handle();
}

// A bar window of the toolbar window class without the toolbar window's own work: no frame, hit
// test, layout, write-back or alpha, for tests of what the base and the items do.
class TPlainBarWindow : public TdxBarControl {
  VW_CLASS(TPlainBarWindow, TdxBarControl)
 public:
  explicit TPlainBarWindow(TComponent* AOwner) : TdxBarControl(AOwner) {}
  // A plain window: none of the toolbar window's frame, hit test, layout or write-back.
  void CalcLayout() override { TCustomdxBarControl::CalcLayout(); }
  void HandleWindowPosChanged(const win::WINDOWPOS& APos) override { TCustomdxBarControl::HandleWindowPosChanged(APos); }
  void HandleItemMouseDown(TMouseButton Button, TShiftState Shift, bool AInsideClient, TdxBarItemControl* AControl,
                           const TPoint& P) override {
    TCustomdxBarControl::HandleItemMouseDown(Button, Shift, AInsideClient, AControl, P);
  }
  void PressControl(TdxBarItemControl* AControl) override { TCustomdxBarControl::PressControl(AControl); }
  void Rebuild(bool ARecreate) override { TCustomdxBarControl::Rebuild(ARecreate); }
  bool HasMark() const override { return false; }
  win::HBRUSH BackgroundBrush() const override { return TCustomdxBarControl::BackgroundBrush(); }
  bool PaintsNonClientBuffered() const override { return true; }
  void DrawNonClient(win::HDC) override {}
  void UpdateAfterHandle() override {}
  TClass ViewInfoClass() const override { return TCustomdxBarControlViewInfo::StaticClass(); }
  void FillBarBackground(win::HDC DC, const TRect& R, bool, TColor AColor, win::HBRUSH ABrush) override {
    FillPlainBackground(DC, R, AColor, ABrush);
  }
  int SeparatorSize() const override { return 0; }
  bool SizeGrip() const override { return false; }
  TColor BarColor() const override { return TCustomdxBarControl::BarColor(); }
  int BorderStyleIndex() const override { return TCustomdxBarControl::BorderStyleIndex(); }

 protected:
  void WndProc(TMessage& Message) override { TCustomdxBarControl::WndProc(Message); }
  void CreateWnd() override { TCustomdxBarControl::CreateWnd(); }
  void CreateParams(TCreateParams& Params) override { TCustomdxBarControl::CreateParams(Params); }
};

// A toolbar (kind 0) or menu (kind 2) window of the test form; of the toolbar window class.
class TStandInBar : public TPlainBarWindow {
  VW_CLASS(TStandInBar, TPlainBarWindow)
 public:
  explicit TStandInBar(TComponent* AOwner, int AKind = 0) : TPlainBarWindow(AOwner), Kind(AKind) {}
  TClass AccessibilityHelperClass() const override { return nullptr; }
  TBitmap* BackgroundBitmap() const override { return nullptr; }
  int SeparatorSize() const override {
    TdxBarPainter* painter = BarPainter();
    if (!painter) return 6;
    return Kind == dxBarKindMenu ? painter->MenuSeparatorHeight() : painter->ToolbarSeparatorSize();
  }
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  TClass ViewInfoClass() const override { return TCustomdxBarControlViewInfo::StaticClass(); }
  void SetMarkState(int AState) override { FMarkState = AState; }
  void AssignFont() override {
    if (BarManager()) Font()->Assign(BarManager()->Font());
  }
  void InvalidateItemControl(TdxBarItemControl* AControl) override {
    ++Invalidations;
    if (!HandleAllocated()) return;
    win::RECT r = ItemRect(AControl, false);
    win::InvalidateRect(Handle(), &r, false);
  }
  void FillBarBackground(win::HDC DC, const TRect& R, bool, TColor AColor, win::HBRUSH ABrush) override {
    FillPlainBackground(DC, R, AColor, ABrush);
  }
  void Dismiss() override {}
  void DoCloseUp() override {
    ++CloseUps;
    if (RealCloseUp) TCustomdxBarControl::DoCloseUp();
  }
  bool IsVertical() const override { return Vertical; }
  // A menu's lift of its sub-menus; the painter's when below 0.
  int DropDownOffset() const override { return DropOffset >= 0 ? DropOffset : TPlainBarWindow::DropDownOffset(); }
  // With TakesFocus, as toolbars do: the keyboard entry makes the bar its manager's focused bar.
  void ActivateWithControl(TdxBarItemControl* AControl) override {
    TCustomdxBarControl::ActivateWithControl(AControl);
    if (TakesFocus && BarManager()) BarManager()->SetFocusedBarControl(this);
  }
  void DeactivateAndDeselect() override {
    if (TakesFocus && BarManager() && BarManager()->FocusedBarControl() == this) BarManager()->SetFocusedBarControl(nullptr);
    TCustomdxBarControl::DeactivateAndDeselect();
  }
  TdxFader* BarFader() const override { return Fader ? Fader : TCustomdxBarControl::BarFader(); }
  int BarKind() const override { return Kind; }
  int ItemDrawMode() const override { return Kind == dxBarKindMenu ? 1 : TCustomdxBarControl::ItemDrawMode(); }
  unsigned BehaviourFlags() const override { return Flags ? Flags : TCustomdxBarControl::BehaviourFlags(); }
  bool HonoursItemAlign(TdxBarItemControl*) const override { return HonoursAlign; }
  bool IsPopupStyle() const override { return Kind == dxBarKindMenu; }
  int ItemViewKind(TdxBarItemControl* AControl) const override {
    auto it = Levels.find(AControl ? AControl->ItemLink() : nullptr);
    return it == Levels.end() ? 4 : it->second;
  }
  void RebuildRecreating() override {
    ++Relayouts;
    if (RealRebuild) TCustomdxBarControl::RebuildRecreating();
  }
  void CreateItemControls() override {
    TCustomdxBarControl::CreateItemControls();
    Arrange();
  }
  void Arrange() { StandInArrange(this, Kind == dxBarKindMenu, AutoSize); }
  void Paint() override { StandInPaint(this, Kind == dxBarKindMenu); }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomdxBarControl::CreateParams(Params);
    StandInPopupParams(this, Params);
  }

 public:
  int Kind;
  unsigned Flags = 0;
  bool HonoursAlign = false, RealRebuild = true, AutoSize = true, RealCloseUp = false, Vertical = false,
       TakesFocus = false;
  std::map<TdxBarItemLink*, int> Levels;
  TdxFader* Fader = nullptr;
  int Invalidations = 0, Relayouts = 0, CloseUps = 0, DropOffset = -1;
};

// The menu window, counting its showings and dismissals.
class TStandInMenu : public TdxBarSubMenuControl {
  VW_CLASS(TStandInMenu, TdxBarSubMenuControl)
 public:
  explicit TStandInMenu(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {}
  void PopupMenuWindow() override {
    ++*Shows;
    TdxBarSubMenuControl::PopupMenuWindow();
  }
  void Dismiss() override {
    ++*Dismissals;
    TdxBarSubMenuControl::Dismiss();
  }
  // Counters outliving the menu, which frees itself when dismissed.
  static inline int ShowCount = 0, DismissCount = 0;
  int* Shows = &ShowCount;
  int* Dismissals = &DismissCount;
};

// A sub-item whose menus are the counting menu window.
class TCountingMenuSubItem : public TdxBarSubItem {
  VW_CLASS(TCountingMenuSubItem, TdxBarSubItem)
 public:
  explicit TCountingMenuSubItem(TComponent* AOwner) : TdxBarSubItem(AOwner) {}
  TCustomdxBarControl* CreateSubMenuControl() override { return new TStandInMenu(ItemLinks()->BarManager()); }
  TClass ControlClass(bool) override { return TdxBarSubItemControl::StaticClass(); }
};

// Links make buttons' controls of the class given, every other item's the control its class names.
template <class TButton = TStandInButtonControl>
void UseStandInControls() {
  dxBarItemControlFactory = [](TdxBarItemLink* L) -> TdxBarItemControl* {
    if (dynamic_cast<TdxBarButton*>(L->Item())) return new TButton(L);
    TClass cls = L->Item()->ControlClass(false);
    return cls ? dynamic_cast<TdxBarItemControl*>(cls->Create(L)) : nullptr;
  };
}
