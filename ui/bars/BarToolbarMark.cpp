// The toolbar window's own controls: the customize mark with its quick popup, the floating caption's
// close and caption buttons, the minimize, restore and close buttons of a maximized MDI child, the
// keyboard focus hand-over, and resizing an item at design time.
#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarFadingHelpers.h"
#include "ui/bars/BarHintTiming.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarMDI.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarQuickControl.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

constexpr UINT_PTR kMarkWatchTimerId = 1;
constexpr UINT kMarkWatchInterval = 50;
// The close button's target in the caption's tracking; caption buttons are their indexes.
constexpr int kCloseTarget = -2;

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// The MDI buttons' tracking is one for every toolbar window: only one main menu bar shows them.
struct TMDIButtonTracking {
  bool Pressed = false;
  // While pressed: the pointer is inside the pressed button.
  bool Hot = false;
  int PressedIndex = -1;
  int HotIndex = -1;
} MDITracking;

TCustomdxBarControl* BarWindowAt(HWND Window) {
  for (int i = 0; Window && BarControls && i < BarControls->Count(); ++i) {
    auto* bar = static_cast<TCustomdxBarControl*>(BarControls->Items(i));
    if (bar->HandleAllocated() && bar->Handle() == Window) return bar;
  }
  return nullptr;
}

void StartFade(TdxFadingObjectHelper* AHelper, TdxFader* AFader, bool AIn) {
  if (!AHelper || !AFader || !AHelper->CanFade()) return;
  if (AIn)
    AFader->FadeIn(AHelper);
  else
    AFader->FadeOut(AHelper);
}

}  // namespace

// ---- the mark -------------------------------------------------------------------------------------

int TdxBarControl::MarkState() const {
  // The keyboard's selection of the mark shows it hot; asking the navigation keeps a toolbar the
  // keyboard never reached from making a helper for it.
  auto* selected = BarNavigationController
                       ? dynamic_cast<TdxBarControlMarkAccessibilityHelper*>(BarHelperOf(BarNavigationController->CurrentSelection()))
                       : nullptr;
  if (selected && selected->Toolbar() == this) return 1;
  return TCustomdxBarControl::MarkState();
}

bool TdxBarControl::OnClickableMark(const TPoint& P) const {
  TdxBarPainter* painter = BarPainter();
  return painter && painter->AllowsQuickCustomizing() && HasMark() && Contains(MarkRect(), P);
}

void TdxBarControl::SetMarkState(int AState) {
  if (InCustomizingMode() || AState == FMarkState) return;
  KillTimerSafe(HandleAllocated() ? Handle() : nullptr, FMarkWatchTimer);
  const int previous = FMarkState;
  FMarkState = AState;
  TdxBarManager* manager = BarManager();
  TcxObjectLinkScope alive(this);
  if (AState == 2) {
    if (TdxBarDesignController* controller = BarDesignController())
      FOpenQuickControl = controller->ShowQuickCustomization(this, MarkScreenRect());
    if (!alive.Alive()) return;
  } else {
    if (TdxBarControl* quick = FOpenQuickControl) {
      FOpenQuickControl = nullptr;
      if (IsBarControlAlive(quick)) TObject::Free(quick);
      if (!alive.Alive()) return;
    }
    if (AState == 1) {
      if (DockingStyle() == dsNone && HandleAllocated())
        FMarkWatchTimer = SetTimer(Handle(), kMarkWatchTimerId, kMarkWatchInterval, nullptr);
      RequestHint(manager, true, MoreButtonsHint(), this);
    } else if (!(manager && manager->SelectedItem())) {
      HideHint(manager);
    }
    if (!alive.Alive()) return;
  }
  if (previous == 1)
    StartFade(FMarkFadingHelper, BarFader(), false);
  else if (previous == 0)
    StartFade(FMarkFadingHelper, BarFader(), true);
  RedrawMark();
}

void TdxBarControl::MarkWatchTick() {
  POINT s{};
  GetCursorPos(&s);
  if (IsShowing() && Contains(MarkScreenRect(), TPoint{s.x, s.y})) return;
  KillTimerSafe(Handle(), FMarkWatchTimer);
  if (FMarkState == 1) SetMarkState(0);
}

void TdxBarControl::DoCloseUp() {
  TcxObjectLinkScope alive(this);
  auto* parent = FPopup ? dynamic_cast<TdxBarControl*>(ParentBar()) : nullptr;
  TcxObjectLinkScope parentAlive(parent);
  TCustomdxBarControl::DoCloseUp();
  if (!alive.Alive() || !parent || !parentAlive.Alive()) return;
  // The press that closes the popup would open it again when it lies on the mark.
  POINT s{};
  GetCursorPos(&s);
  if (GetAsyncKeyState(VK_LBUTTON) < 0 && Contains(parent->MarkScreenRect(), TPoint{s.x, s.y}))
    parent->SetIgnoreMouseClick(true);
  ResetParentMark();
}

// ---- quick-popup contents -------------------------------------------------------------------------

TClass TdxBarControl::QuickControlClass() const { return TdxBarQuickControl::StaticClass(); }

void TdxBarControl::FillQuickPopup(TdxBarItemLinks* ALinks) {
  if (!ALinks || !FItemLinks) return;
  for (int i = 0; i < FItemLinks->Count(); ++i) {
    TdxBarItemLink* link = FItemLinks->Items(i);
    TdxBarItemControl* control = link->Control();
    const TRect r = control ? ControlRect(control) : TRect{};
    const bool hidden = FItemLinks->IndexInVisible(link) < 0 || r.Right <= r.Left || r.Bottom <= r.Top;
    if (hidden && link->Item()) ALinks->Add()->Assign(link);
  }
  if (AllowsQuickCustomizing()) AddQuickCustomizeCommand(ALinks);
}

void TdxBarControl::AddQuickCustomizeCommand(TdxBarItemLinks* ALinks) {
  TdxBarItemLink* link = ALinks->AddItemOfClass(TdxBarQuickAccessItem::StaticClass(), BarManager());
  if (!link) return;
  auto* item = static_cast<TdxBarQuickAccessItem*>(link->Item());
  if (TdxBarDesignController* controller = BarDesignController()) controller->HideInternalItem(item);
  item->SetCaption(cxGetResourceString(dxBarStrs::dxSBAR_ADDREMOVEBUTTONS));
  item->SetToolbar(this);
  link->SetBeginGroup(true);
}

void TdxBarControl::FillQuickCustomizeList(TdxBarItemLinks* ALinks) {
  TdxBarManager* manager = BarManager();
  TdxBarDesignController* controller = BarDesignController();
  if (!ALinks || !FItemLinks || !manager || !controller) return;
  // One item for the whole list: each of its links stands for a link of this toolbar.
  auto* entry = new TdxBarQuickCustItem(manager->Owner());
  controller->HideInternalItem(entry);
  for (int i = 0; i < FItemLinks->Count(); ++i) {
    TdxBarItemLink* link = FItemLinks->Items(i);
    if (link->Control() && !link->Control()->IsOwnItem()) continue;
    if (TdxBarItemLink* added = ALinks->AddItem(entry)) added->SetData(link);
  }
  TdxBar* bar = FShownBar;
  const bool reset = manager->ReadFromStream() && manager->AllowReset() && bar && bar->CanReset();
  if (reset)
    controller->AddCommandItem(
        ALinks, TdxBarQuickCustExtButton::StaticClass(), true, bar,
        [bar](TObject*) { bar->ResetWithConfirmation(); }, cxGetResourceString(dxBarStrs::dxSBAR_RESETTOOLBAR));
  controller->AddCustomizeCommand(ALinks, TdxBarQuickCustExtButton::StaticClass(), !reset);
}

// ---- the close button and the caption buttons -----------------------------------------------------

void TdxBarControl::SetCloseGlyphState(int AState) {
  if (FCloseGlyphState == AState) return;
  FCloseGlyphState = AState;
  TdxBarPainter* painter = BarPainter();
  if (!painter || !HandleAllocated() || !ShowsCloseButton()) return;
  HDC dc = GetWindowDC(Handle());
  painter->DrawFloatCloseGlyph(this, dc, CloseButtonBounds(), FCloseGlyphState, true);
  ReleaseDC(Handle(), dc);
}

namespace {

int CloseStateFor(bool AOnButton, bool APressed) { return AOnButton ? (APressed ? 2 : 1) : (APressed ? 1 : 0); }

}  // namespace

TdxBarCaptionButtons* TdxBarControl::ShownCaptionButtons() const {
  TdxBar* bar = FPopup ? FSourceBar : FShownBar;
  TdxBarCaptionButtons* buttons = bar ? bar->CaptionButtons() : nullptr;
  return buttons && buttons->Count() > 0 ? buttons : nullptr;
}

void TdxBarControl::CaptionButtonsChanged(int) {
  if (DockingStyle() == dsNone && HasFloatingCaption() && IsShowing()) SendMessage(Handle(), WM_NCPAINT, 1, 0);
}

void TdxBarControl::TrackCaptionButtons(TMessage& Message) {
  TcxObjectLinkScope alive(this);
  if (NotInPopupWindow())
    if (TCustomdxBarControl* active = ActiveBarWindow; active && active != this && IsBarControlAlive(active))
      RootBarWindow(active)->CloseUp();
  if (!alive.Alive() || !HandleAllocated()) return;
  TdxBarCaptionButtons* buttons = ShownCaptionButtons();
  const TRect window = WindowRect();
  auto windowPoint = [&](POINT AScreen) { return TPoint{AScreen.x - window.Left, AScreen.y - window.Top}; };
  const TPoint start = windowPoint(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
  int target = -1;
  if (ShowsCloseButton() && Contains(CloseButtonBounds(), start))
    target = kCloseTarget;
  else if (buttons)
    target = buttons->ButtonAtPoint(start);
  if (target == -1) {
    TCustomdxBarControl::WndProc(Message);
    return;
  }
  auto onTarget = [&](const TPoint& P) {
    return target == kCloseTarget ? Contains(CloseButtonBounds(), P) : buttons && buttons->ButtonAtPoint(P) == target;
  };
  auto showStates = [&](const TPoint& P, bool APressed) {
    if (target == kCloseTarget)
      SetCloseGlyphState(CloseStateFor(onTarget(P), APressed));
    else if (buttons)
      buttons->UpdateStates(P, APressed);
  };
  TdxBarManager* manager = BarManager();
  if (manager && !manager->HideFloatingBarsWhenInactive())
    if (auto* owner = dynamic_cast<TWinControl*>(manager->Owner()); owner && owner->HandleAllocated())
      ActivateTopLevelWindow(owner->Handle());
  if (!alive.Alive()) return;
  showStates(start, true);
  const HWND self = Handle();
  SetCapture(self);
  bool released = false;
  TPoint last = start;
  while (GetCapture() == self) {
    MSG msg{};
    const BOOL got = GetMessage(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == self) {
      POINT s{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      win::ClientToScreen(self, &s);
      last = windowPoint(s);
      if (Contains(TRect{0, 0, window.Right - window.Left, window.Bottom - window.Top}, last)) {
        if (LastMousePos().X == -1 && LastMousePos().Y == -1 && manager) manager->StartMouseTracking(this);
        showStates(last, (msg.wParam & MK_LBUTTON) != 0);
      }
      continue;
    }
    if (msg.message == WM_LBUTTONUP && msg.hwnd == self) {
      POINT s{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      win::ClientToScreen(self, &s);
      last = windowPoint(s);
      released = onTarget(last);
      break;
    }
    TranslateMessage(&msg);
    DispatchMessage(&msg);
    if (!alive.Alive()) return;
  }
  if (!alive.Alive()) return;
  if (GetCapture() == self) ReleaseCapture();
  if (!alive.Alive()) return;
  showStates(last, false);
  if (!released) return;
  if (target != kCloseTarget) {
    ClickCaptionButton(target);
    return;
  }
  // Hiding the toolbar frees this window: what follows goes through the toolbar and the manager.
  TdxBar* bar = FShownBar;
  if (!bar || !manager) return;
  TcxObjectLinkScope managerAlive(manager);
  bar->SetVisible(false);
  if (!managerAlive.Alive()) return;
  manager->DesignerModified();
  manager->DoBarClose(bar);
}

// ---- MDI buttons ------------------------------------------------------------------------------------

bool TdxBarControl::ShowsMDIButtons() const {
  TdxBarManager* manager = BarManager();
  if (!IsMainMenu() || !manager || !manager->ChildMaximized()) return false;
  const HWND child = manager->ActiveMDIChild();
  return child && (GetWindowLong(child, GWL_STYLE) & WS_SYSMENU);
}

bool TdxBarControl::ShowsMDIOrCloseButtons() const {
  TdxBarManager* manager = BarManager();
  return ShowsMDIButtons() || (IsMainMenu() && manager && manager->ShowCloseButton());
}

TRect TdxBarControl::MDIButtonRect(int AIndex) const {
  if (AIndex < 0 || AIndex > 2 || !ShowsMDIOrCloseButtons()) return {};
  const bool mdi = ShowsMDIButtons();
  if (!mdi && AIndex != 2) return {};
  auto* self = const_cast<TdxBarControl*>(this);
  const RECT client = self->ClientRect();
  const bool vertical = IsVertical();
  int along = vertical ? client.bottom : client.right;
  const int across = vertical ? client.right : client.bottom;
  const int length = vertical ? FMDIButtonCY : FMDIButtonCX;
  const int thickness = vertical ? FMDIButtonCX : FMDIButtonCY;
  const int area = mdi ? 3 * length + 2 : length;
  if (DockingStyle() != dsNone) along -= MarkAreaSize();
  int position = (across - thickness) / 2;
  if (WrapsItems() && FItemLinks && FItemLinks->VisibleCount() > 0) {
    bool bandFree = true;
    for (int i = 0; i < FItemLinks->VisibleCount(); ++i) {
      const TRect r = FItemLinks->VisibleLinks(i)->ItemRect();
      if (vertical ? r.Left < thickness : r.Bottom > across - thickness) bandFree = false;
    }
    const int line = FItemLinks->VisibleLinks(FItemLinks->VisibleCount() - 1)->LineThickness();
    position = bandFree ? across - thickness : across - (line - thickness) / 2 - thickness;
  }
  int start = along - length;
  if (mdi) start = along - area + AIndex * length + (AIndex == 2 ? 2 : 0);
  const TRect r{start, position, start + length, position + thickness};
  if (!vertical) return r;
  return {across - r.Bottom, r.Left, across - r.Top, r.Right};
}

bool TdxBarControl::MDIButtonEnabled(int AIndex, bool AForPressing) const {
  if (AIndex == 1) return true;
  if (AIndex == 2 && !ShowsMDIButtons()) return true;
  TdxBarManager* manager = BarManager();
  const HWND child = manager ? manager->ActiveMDIChild() : nullptr;
  HMENU menu = child ? GetSystemMenu(child, FALSE) : nullptr;
  if (!menu) return false;
  const UINT state = GetMenuState(menu, dxBarMDICommand(AIndex), MF_BYCOMMAND);
  // A command the menu lacks is neither hot nor pressed.
  if (state == static_cast<UINT>(-1)) return false;
  return !(state & (AForPressing ? (MF_GRAYED | MF_DISABLED) : MF_GRAYED));
}

int TdxBarControl::MDIButtonAt(const TPoint& P, bool AForPressing) const {
  if (!ShowsMDIOrCloseButtons()) return -1;
  for (int i = ShowsMDIButtons() ? 0 : 2; i < 3; ++i)
    if (Contains(MDIButtonRect(i), P) && MDIButtonEnabled(i, AForPressing)) return i;
  return -1;
}

void TdxBarControl::DrawMDIButton(HDC DC, int AIndex, bool AExcludeFromClip) {
  TdxBarPainter* painter = BarPainter();
  const TRect r = MDIButtonRect(AIndex);
  if (!painter || r.Right <= r.Left) return;
  TdxBarControlMDIButtonFadingHelper* helper = FMDIButtonFadingHelpers[AIndex];
  const RECT rr = r;
  if (!helper || helper->IsIdle() || !helper->DrawFadingImage(DC, rr)) {
    int state = 0;
    if (!MDIButtonEnabled(AIndex, false))
      state = 1;
    else if (MDITracking.Pressed && MDITracking.PressedIndex == AIndex)
      state = MDITracking.Hot ? 4 : 3;
    else if (MDITracking.Hot && MDITracking.HotIndex == AIndex)
      state = 2;
    painter->DrawMDIButton(this, DC, r, AIndex, state);
  }
  if (AExcludeFromClip) ExcludeClipRect(DC, r.Left, r.Top, r.Right, r.Bottom);
}

void TdxBarControl::DrawMDIButtons(bool AExcludeFromClip) {
  if (!ShowsMDIOrCloseButtons()) return;
  const HDC dc = DrawCanvas()->DeviceContext();
  for (int i = ShowsMDIButtons() ? 0 : 2; i < 3; ++i) DrawMDIButton(dc, i, AExcludeFromClip);
}

void TdxBarControl::RedrawMDIButtons() {
  if (!HandleAllocated() || !ShowsMDIOrCloseButtons()) return;
  for (int i = ShowsMDIButtons() ? 0 : 2; i < 3; ++i) {
    const RECT r = MDIButtonRect(i);
    InvalidateRect(Handle(), &r, FALSE);
  }
  UpdateWindow(Handle());
}

bool TdxBarControl::MDIButtonPressed() { return MDITracking.Pressed; }
bool TdxBarControl::MDIButtonHot() { return MDITracking.Hot; }
int TdxBarControl::MDIButtonPressedIndex() { return MDITracking.PressedIndex; }
int TdxBarControl::MDIButtonHotIndex() { return MDITracking.HotIndex; }

bool TdxBarControl::StartMDIButtonTracking(const TPoint& P) {
  TdxBarManager* manager = BarManager();
  if (!ShowsMDIOrCloseButtons() || !manager || manager->InCustomizing() || !HandleAllocated()) return false;
  const int index = MDIButtonAt(P, true);
  if (index < 0) return false;
  MDITracking = {true, true, index, index};
  RedrawMDIButtons();
  SetCapture(Handle());
  return true;
}

void TdxBarControl::EndMDIButtonTracking() {
  if (!MDITracking.Pressed) return;
  MDITracking.Pressed = false;
  MDITracking.Hot = false;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  RedrawMDIButtons();
}

// ---- mouse ------------------------------------------------------------------------------------------

void TdxBarControl::HandleItemMouseMove(TShiftState Shift, const TPoint& P, TdxBarItemControl* AControl) {
  if (MDITracking.Pressed) {
    const bool inside = Contains(MDIButtonRect(MDITracking.PressedIndex), P);
    if (inside != MDITracking.Hot) {
      MDITracking.Hot = inside;
      RedrawMDIButtons();
    }
    return;
  }
  TcxObjectLinkScope alive(this);
  if (ShowsMDIOrCloseButtons()) {
    const int hot = MDIButtonAt(P, false);
    if ((hot >= 0) != MDITracking.Hot || (hot >= 0 && hot != MDITracking.HotIndex)) {
      const int previous = MDITracking.Hot ? MDITracking.HotIndex : -1;
      MDITracking.Hot = hot >= 0;
      MDITracking.HotIndex = hot;
      if (previous >= 0) StartFade(FMDIButtonFadingHelpers[previous], BarFader(), false);
      if (hot >= 0) StartFade(FMDIButtonFadingHelpers[hot], BarFader(), true);
      RedrawMDIButtons();
    }
  }
  if (FItemSizing) {
    TdxBarManager* manager = BarManager();
    if (TdxBarItemControl* control = manager ? manager->SelectedItem() : nullptr; control && OwnsItemControl(control))
      control->UserSizingMove(P);
  }
  bool markBack = false;
  if (!ShouldIgnoreMouse(true)) {
    const TPoint offset = ClientOffset();
    const TPoint windowPoint{P.X + offset.X, P.Y + offset.Y};
    if (TdxBarCaptionButtons* buttons = ShownCaptionButtons())
      buttons->UpdateStates(windowPoint, false);
    if (!ChildBar()) {
      TdxBarPainter* painter = BarPainter();
      const bool clickable = painter && painter->AllowsQuickCustomizing() && HasMark();
      if (clickable && FMarkState != 2) {
        if (Contains(MarkRect(), P))
          SetMarkState(1);
        else
          markBack = FMarkState == 1;
      }
      if (!alive.Alive()) return;
      if (ShowsCloseButton() && painter && painter->MenuItemsUseMenuBrush())
        SetCloseGlyphState(Contains(CloseButtonBounds(), windowPoint) ? 1 : 0);
    }
  }
  TCustomdxBarControl::HandleItemMouseMove(Shift, P, AControl);
  if (markBack && alive.Alive()) SetMarkState(0);
}

void TdxBarControl::HandleMouseLeft() {
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::HandleMouseLeft();
  if (!alive.Alive()) return;
  if (TdxBarCaptionButtons* buttons = ShownCaptionButtons())
    buttons->UpdateStates({-30000, -30000}, false);
  if (!Active()) {
    SetCloseGlyphState(0);
    if (ShowsMDIOrCloseButtons() && MDITracking.Hot && !MDITracking.Pressed) {
      MDITracking.Hot = false;
      RedrawMDIButtons();
    }
  } else if (auto* button = dynamic_cast<TdxBarButtonLikeControl*>(SelectedControl())) {
    InvalidateItemControl(button);
  }
}

// ---- focus and keyboard -----------------------------------------------------------------------------

void TdxBarControl::ActivateWithControl(TdxBarItemControl* AControl) {
  TcxObjectLinkScope alive(this);
  POINT s{};
  GetCursorPos(&s);
  if (TCustomdxBarControl* other = BarWindowAt(WindowFromPoint(s)); other && other != this) {
    other->MouseLeft();
    if (!alive.Alive()) return;
  }
  CancelActiveFormModes();
  if (!alive.Alive()) return;
  FFocusBeforeBar = GetFocus();
  TCustomdxBarControl* parent = ParentBar();
  if (!InCustomizingMode() && !(FPopup && parent && parent->IsFocusedBar()) && NotInPopupWindow())
    if (TCustomForm* form = FormOfManager(BarManager(), bfkTopLevelOrMDIChild); form && form->HandleAllocated()) {
      SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
      if (!alive.Alive()) return;
    }
  if (!AControl && FItemLinks)
    for (int i = 0; i < FItemLinks->VisibleCount() && !AControl; ++i) {
      TdxBarItemControl* control = FItemLinks->VisibleLinks(i)->Control();
      if (control && !dynamic_cast<TSystemMenuSubItemControl*>(control)) AControl = control;
    }
  TCustomdxBarControl::ActivateWithControl(AControl);
  if (!alive.Alive()) return;
  TdxBarManager* manager = BarManager();
  if (manager && manager->FocusedBarControl() != this) {
    FreeObjectLinkAndNil(FFocusedBarBefore);
    FFocusedBarBefore = CreateObjectLink(manager->FocusedBarControl());
    manager->SetFocusedBarControl(this);
  }
}

void TdxBarControl::DeactivateAndDeselect() {
  TcxObjectLinkScope alive(this);
  TdxBarManager* manager = BarManager();
  if (manager && manager->FocusedBarControl() == this) {
    auto* before = static_cast<TCustomdxBarControl*>(LinkedObjectOf(FFocusedBarBefore));
    manager->SetFocusedBarControl(IsBarControlAlive(before) ? before : nullptr);
  }
  FreeObjectLinkAndNil(FFocusedBarBefore);
  TCustomdxBarControl::DeactivateAndDeselect();
  if (!alive.Alive()) return;
  TCustomForm* form = AnyParentForm();
  if (Application->Active() && form && form->Active() && FFocusBeforeBar && IsWindow(FFocusBeforeBar) &&
      IsWindowVisible(FFocusBeforeBar))
    win::SetFocus(FFocusBeforeBar);
}

void TdxBarControl::HandleKeyDown(TMessage& Message) {
  if (Message.WParam == VK_ESCAPE) {
    Message.WParam = 0;
    Message.Result = 0;
    CloseByEscape();
    return;
  }
  TCustomdxBarControl::HandleKeyDown(Message);
}

void TdxBarControl::SetActive(bool AActive) {
  if (!AActive) {
    TcxObjectLinkScope alive(this);
    TdxBarItemControl* selected = SelectedControl();
    if (InCustomizingMode() && selected) {
      selected->SetMouseSelected(false);
      InvalidateItemControl(selected);
    }
    if (auto* button = dynamic_cast<TdxBarButtonControl*>(selected); button && button->IsDroppedDown()) {
      button->CloseDropDown(false);
      if (!alive.Alive()) return;
    }
    SetIsDowned(false);
    HideFocus();
    if (!alive.Alive()) return;
  }
  TCustomdxBarControl::SetActive(AActive);
}

void TdxBarControl::SelectControlByKeyboard(TdxBarItemControl* AControl) {
  TdxBarItemControl* before = SelectedControl();
  const bool beforeActive = before && before->IsActive();
  TcxObjectLinkScope alive(this);
  TCustomdxBarControl::SelectControlByKeyboard(AControl);
  if (!alive.Alive() || InCustomizingMode()) return;
  // Moving on from an open control opens the next one: the menu bar keeps its menus down.
  TdxBarItemControl* selected = SelectedControl();
  if (!beforeActive || !selected || selected == before || selected->IsActive()) return;
  // Through activation, so the opened menu counts as dropped down and the next move closes it.
  if (dynamic_cast<TdxBarSubItemControl*>(selected)) SetIsDowned(true);
  selected->Activate(false);
}

// ---- design-time item sizing ------------------------------------------------------------------------

void TdxBarControl::PrepareLinkDrag(const TPoint& P, bool ASameControl) {
  TdxBarManager* manager = BarManager();
  TdxBarItemControl* control = manager ? manager->SelectedItem() : nullptr;
  if (ASameControl && control && OwnsItemControl(control) && HandleAllocated() && control->IsUserSizingPoint(P)) {
    FItemSizing = true;
    control->BeginUserSizing(P);
    SetCapture(Handle());
    return;
  }
  TCustomdxBarControl::PrepareLinkDrag(P, ASameControl);
}

// ---- messages ---------------------------------------------------------------------------------------

bool TdxBarControl::HandleControlsMessage(TMessage& Message) {
  TdxBarManager* manager = BarManager();
  auto sizedControl = [&]() -> TdxBarItemControl* {
    TdxBarItemControl* control = manager ? manager->SelectedItem() : nullptr;
    return control && OwnsItemControl(control) ? control : nullptr;
  };
  switch (Message.Msg) {
    case WM_NCLBUTTONDOWN:
      if (!AcceptsMouseInput()) return false;
      TrackCaptionButtons(Message);
      return true;
    case WM_LBUTTONUP: {
      if (!AcceptsMouseInput() || IgnoreMouseClick()) return false;
      if (FItemSizing) {
        FItemSizing = false;
        TcxObjectLinkScope alive(this);
        if (TdxBarItemControl* control = sizedControl()) control->EndUserSizing(true);
        if (!alive.Alive()) return true;
        ReleaseCapture();
        if (!alive.Alive()) return true;
      }
      if (MDITracking.Pressed) {
        const int index = MDITracking.PressedIndex;
        const bool over = Contains(MDIButtonRect(index), TPoint{Message.XPos(), Message.YPos()});
        const bool mdi = ShowsMDIButtons();
        TcxObjectLinkScope alive(this);
        EndMDIButtonTracking();
        if (!alive.Alive()) return true;
        MDITracking.Hot = over;
        MDITracking.HotIndex = over ? index : -1;
        RedrawMDIButtons();
        if (over && mdi && manager) {
          manager->ExecuteMDICommand(index);
        } else if (over && manager) {
          manager->DoCloseButtonClick();
        }
        if (!alive.Alive()) return true;
      }
      return false;
    }
    case WM_CAPTURECHANGED:
      if (FItemSizing) {
        FItemSizing = false;
        if (TdxBarItemControl* control = sizedControl()) control->EndUserSizing(false);
      }
      // A tracked MDI button loses its press with the capture, as with a cancelled mode.
      if (MDITracking.Pressed && reinterpret_cast<HWND>(Message.LParam) != (HandleAllocated() ? Handle() : nullptr))
        EndMDIButtonTracking();
      return false;
    case WM_CANCELMODE:
      EndMDIButtonTracking();
      return false;
    case WM_TIMER:
      if (Message.WParam != kMarkWatchTimerId) return false;
      MarkWatchTick();
      return true;
    case WM_SETCURSOR: {
      if (!HandleAllocated() || reinterpret_cast<HWND>(Message.WParam) != Handle()) return false;
      POINT p{};
      GetCursorPos(&p);
      win::ScreenToClient(Handle(), &p);
      TdxBarItemControl* control = InCustomizingMode() ? sizedControl() : nullptr;
      if (FItemSizing || (control && control->IsUserSizingPoint(TPoint{p.x, p.y}))) {
        win::SetCursor(Screen->Cursors(crdxBarEditSizing));
        Message.Result = 1;
        return true;
      }
      if (!FBeingDragged && CanMove()) SetDetachCursor(Contains(GripHitBounds(), TPoint{p.x, p.y}));
      return false;
    }
    default:
      return false;
  }
}
