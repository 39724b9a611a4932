// What a bar manager does with the messages the input hooks route to it: activation of its form
// and of the application (floating toolbars shown and hidden), colour, setting and display changes,
// help requests, cancel mode and the destruction of its owner.
#include "platform/classes/Forms.h"
#include "platform/win/Focus.h"
#include "platform/win/Help.h"
#include "platform/win/Hooks.h"
#include "platform/win/Rects.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarNavigation.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;

namespace {

HWND HandleOf(TWinControl* AControl) { return AControl && AControl->HandleAllocated() ? AControl->Handle() : nullptr; }

bool IsFloating(TdxBar* ABar) { return ABar->DockingStyle() == dsNone && ABar->Control(); }

// The bar window's manager lies on the same top-level form as the manager.
bool IsBarWindowOfForm(HWND AWindow, TCustomForm* AForm) {
  auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(AWindow));
  return bar && AForm && FormOfManager(bar->BarManager(), bfkTopLevel) == AForm;
}

}  // namespace

void TdxBarManager::HandleRoutedMessage(HWND /*AWindow*/, UINT AMessage, WPARAM WParam, LPARAM LParam) {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (!FBars || !owner) return;
  if (owner->HasState(csDestroying) || owner == FCustomizingForm) {
    if (AMessage == WM_DESTROY && !IsDesigning()) {
      if (FStoreInRegistry) SaveLayoutToRegistry(FRegistryPath);
      if (FStoreInIniFile) SaveLayoutToIniFile(FIniFileName);
    }
    return;
  }
  switch (AMessage) {
    case WM_ACTIVATE: HandleActivate(WParam, reinterpret_cast<HWND>(LParam)); break;
    case WM_SYSCOLORCHANGE:
      RefreshScreenConstants();
      RefreshCheckerBrush();
      SysColorChanged();
      break;
    case WM_SETTINGCHANGE:
      if (WParam == SPI_SETNONCLIENTMETRICS)
        SystemFontsChanged();
      else if (WParam == SPI_SETWORKAREA)
        KeepFloatingBarsInWorkArea();
      break;
    case WM_ACTIVATEAPP: HandleActivateApp(WParam != 0); break;
    case WM_CHILDACTIVATE: SetOwnerFormActive(true, false); break;
    case WM_WINDOWPOSCHANGING:
      if (const auto* pos = reinterpret_cast<const WINDOWPOS*>(LParam); pos && (pos->flags & SWP_HIDEWINDOW))
        SetOwnerFormActive(false, true);
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(LParam);
      TCustomForm* form = FormOfManager(this, bfkTopLevelOrMDIChild);
      if (pos && (pos->flags & SWP_SHOWWINDOW) && !(form && form->FormStyle() == fsMDIChild))
        SetOwnerFormActive(true, true);
      break;
    }
    case WM_SYSCOMMAND:
      if ((WParam & 0xFFF0) == SC_KEYMENU && IsDesigning() && ActiveBarWindow && ActiveBarWindow->BarManager() == this)
        ActiveBarWindow->CloseUp();
      break;
    case WM_MDIACTIVATE:
      if (TCustomForm* form = FormOfManager(this, bfkTopLevelOrMDIChild);
          form && form->HandleAllocated() && reinterpret_cast<HWND>(LParam) == form->Handle())
        SetOwnerFormActive(true, false);
      break;
    case WM_CREATE: OwnerWindowRecreated(); break;
    case WM_CANCELMODE: {
      if (BarNavigationController) BarNavigationController->StopKeyTipsWaiting(false);
      FInternalState |= bmsCancelMode;
      TcxObjectLinkScope alive(this);
      try {
        if (ActiveBarWindow && ActiveBarWindow->BarManager() == this && ActiveBarWindow->IsPopupStyle())
          ActiveBarWindow->CloseUp();
      } catch (...) {
        if (alive.Alive()) FInternalState &= ~bmsCancelMode;
        throw;
      }
      if (alive.Alive()) FInternalState &= ~bmsCancelMode;
      break;
    }
    case WM_HELP:
      if (const auto* info = reinterpret_cast<const HELPINFO*>(LParam);
          !IsDesigning() && info && info->iContextType == HELPINFO_WINDOW)
        ShowItemHelp(TPoint(info->MousePos.x, info->MousePos.y));
      break;
    case WM_DISPLAYCHANGE: KeepFloatingBarsInWorkArea(); break;
    default: break;
  }
}

void TdxBarManager::HandleActivate(WPARAM WParam, HWND AOther) {
  TCustomForm* form = FormOfManager(this, bfkTopLevelOrMDIChild);
  if (form && form->FormStyle() == fsMDIChild && !IsActiveMDIChild(form)) return;
  TCustomForm* mainForm = FormOfManager(this, bfkTopLevel);
  const HWND main = HandleOf(mainForm);
  const bool becomesActive = LOWORD(WParam) != WA_INACTIVE;
  if (becomesActive || !IsBarWindowOfForm(AOther, mainForm)) {
    TdxBarItemControl* selected = ActiveBarWindow ? ActiveBarWindow->SelectedControl() : nullptr;
    if (!(selected && AOther && selected->OwnsWindow(AOther))) {
      // A modal dialog disables the main form and takes the activation: the form still counts as active.
      const bool active = becomesActive || (main && AOther == main) ||
                          (FOwnerFormActive && main && !IsWindowEnabled(main) && !IsDesigning());
      SetOwnerFormActive(active, false, AOther);
    }
  }
  if (FIsCustomizing && FCustomizingForm && FCustomizingForm->HandleAllocated() && main && !IsWindowEnabled(main)) {
    const HWND dialog = FCustomizingForm->Handle();
    if (AOther != dialog && !IsChild(dialog, AOther)) SendMessage(dialog, WM_ACTIVATE, WParam, reinterpret_cast<LPARAM>(main));
  }
  if (!becomesActive && AOther != main && FMouseTrackingBarControl) EndMouseTracking(FMouseTrackingBarControl);
}

void TdxBarManager::HandleActivateApp(bool AActive) {
  if (FInternalState & bmsCancelMode) return;
  if (AActive) {
    if (!(FInternalState & bmsOwnerFormDisabledOnDeactivate)) return;
    FInternalState &= ~bmsOwnerFormDisabledOnDeactivate;
    SetOwnerFormActive(true, false);
    return;
  }
  const HWND main = HandleOf(FormOfManager(this, bfkTopLevel));
  if (FOwnerFormActive && main && !IsWindowEnabled(main)) FInternalState |= bmsOwnerFormDisabledOnDeactivate;
  TcxObjectLinkScope alive(this);
  SetOwnerFormActive(false, false);
  if (alive.Alive() && ActiveBarWindow && ActiveBarWindow->BarManager() == this) ActiveBarWindow->CloseUp();
  if (alive.Alive() && FSelectedItem)
    if (TCustomdxBarControl* bar = FSelectedItem->Parent(); bar && bar->HandleAllocated())
      SendMessage(bar->Handle(), WM_MOUSELEAVE, 0, 0);
}

void TdxBarManager::SetOwnerFormActive(bool AActive, bool AForce, HWND AActivated) {
  if ((FOwnerFormActive == AActive && !AForce) || (FInternalState & bmsShowingFloatingBars)) return;
  FOwnerFormActive = AActive;
  FInternalState |= bmsShowingFloatingBars;
  struct TClear {
    TdxBarManager* Manager;
    TcxObjectLinkScope Alive;
    ~TClear() {
      if (Alive.Alive()) Manager->FInternalState &= ~bmsShowingFloatingBars;
    }
  } clear{this, TcxObjectLinkScope(this)};
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  TCustomForm* topForm = FormOfManager(this, bfkTopLevel);
  auto repaintCaptions = [&] {
    for (int i = 0; i < FBars->Count(); ++i)
      if (TdxBar* bar = FBars->Items(i); IsFloating(bar)) bar->Control()->RedrawFrame();
  };
  const bool option = FHideFloatingBarsWhenInactive || AForce;
  if (AActive) {
    if (!option) return repaintCaptions();
    TCustomForm* form = FormOfManager(this, bfkTopLevelOrMDIChild);
    if (!(ShownAndNotMinimized(HandleOf(owner)) || (form && form->FormStyle() == fsMDIChild))) return;
    for (int i = 0; i < FBars->Count(); ++i)
      if (TdxBar* bar = FBars->Items(i); IsFloating(bar) && bar->Visible() && bar->Control()->HandleAllocated())
        ShowWindow(bar->Control()->Handle(), SW_SHOWNA);
    return;
  }
  const HWND top = HandleOf(topForm);
  if (AActivated && top && (GetParent(AActivated) == top || GetWindow(AActivated, GW_OWNER) == top)) return;
  if (ActiveBarWindow && ActiveBarWindow->ClosesForWindow(this, AActivated)) ActiveBarWindow->CloseUp();
  if (!clear.Alive.Alive()) return;
  if (BarNavigationController) BarNavigationController->EndKeyboardMode();
  if (!option) {
    repaintCaptions();
    if (TdxBarDesignController* design = BarDesignController(); design && design->QuickCustomizationPopup())
      design->CloseQuickCustomizationPopup();
    return;
  }
  if (AActivated && !IsOtherProcessWindow(AActivated) && !(Application && AActivated == Application->Handle())) {
    auto* activatedForm = dynamic_cast<TCustomForm*>(FindControl(AActivated));
    if (!activatedForm || (FIsCustomizing && activatedForm == FCustomizingForm)) return;
  }
  for (int i = 0; i < FBars->Count(); ++i)
    if (TdxBar* bar = FBars->Items(i); IsFloating(bar) && bar->Control()->HandleAllocated() &&
                                       IsWindowVisible(bar->Control()->Handle()))
      ShowWindow(bar->Control()->Handle(), SW_HIDE);
  if (!AForce && top) SendMessage(top, WM_NCACTIVATE, FALSE, 0);
}

void TdxBarManager::KeepFloatingBarsInWorkArea() {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  POINT centre{0, 0};
  if (HWND window = HandleOf(owner)) {
    RECT r;
    GetWindowRect(window, &r);
    centre = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  MONITORINFO monitor;
  if (!GetMonitorInfo(MonitorFromPoint(centre, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT work = monitor.rcWork;
  LockDesignerModified();
  try {
    for (int i = 0; i < FBars->Count(); ++i) {
      TdxBar* bar = FBars->Items(i);
      if (bar->DockingStyle() != dsNone) continue;
      TdxBarControl* window = bar->Control();
      const bool hasWindow = window && window->HandleAllocated();
      RECT r;
      if (hasWindow) {
        GetWindowRect(window->Handle(), &r);
      } else {
        r.left = bar->FloatLeft();
        r.top = bar->FloatTop();
        r.right = r.left + bar->FloatClientWidth() + bar->NonClientWidth(dsNone);
        r.bottom = r.top + bar->FloatClientHeight() + bar->NonClientHeight(dsNone);
      }
      const RECT before = r;
      if (r.bottom > work.bottom) OffsetRect(&r, 0, work.bottom - r.bottom);
      if (r.top < work.top) OffsetRect(&r, 0, work.top - r.top);
      if (r.right > work.right) OffsetRect(&r, work.right - r.right, 0);
      if (r.left < work.left) OffsetRect(&r, work.left - r.left, 0);
      if (r.left == before.left && r.top == before.top) continue;
      if (hasWindow) {
        POINT at{r.left, r.top};
        if (IsChildWindowStyle(window->Handle())) ScreenToClient(GetParent(window->Handle()), &at);
        SetWindowPos(window->Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      } else {
        bar->SetFloatLeft(r.left);
        bar->SetFloatTop(r.top);
      }
    }
  } catch (...) {
    UnlockDesignerModified();
    throw;
  }
  UnlockDesignerModified();
}

void TdxBarManager::ShowItemHelp(const TPoint& APoint) {
  TCustomdxBarControl* barWindow = nullptr;
  TdxBarItemControl* control = nullptr;
  if (ActiveBarWindow) {
    for (TCustomdxBarControl* bar = ActiveBarWindow; bar && !control; bar = bar->ParentBar())
      if (TdxBarItemControl* selected = bar->SelectedControl(); selected && selected->Item() && selected->Item()->HelpContext()) {
        control = selected;
        barWindow = bar;
      }
    if (!control) {
      barWindow = ActiveBarWindow;
      control = barWindow->SelectedControl();
    }
  } else if (auto* bar = dynamic_cast<TCustomdxBarControl*>(FindControl(WindowFromPoint({APoint.X, APoint.Y})))) {
    POINT p{APoint.X, APoint.Y};
    if (bar->HandleAllocated()) ScreenToClient(bar->Handle(), &p);
    barWindow = bar;
    control = bar->ItemControlAtPoint(TPoint(p.x, p.y));
  }
  const int itemContext = control && control->Item() ? control->Item()->HelpContext() : 0;
  const TRect itemRect = control && barWindow ? barWindow->ControlScreenRect(control) : TRect();
  const int barContext = barWindow ? barWindow->HelpContext() : 0;
  TcxObjectLinkScope alive(this);
  if (ActiveBarWindow) ActiveBarWindow->CloseUp();
  if (!alive.Alive()) return;
  const int context = itemContext ? itemContext : barContext;
  if (!context) return;
  TCustomForm* form = FormOfManager(this, bfkTopLevel);
  if (form && form->HandleAllocated() && form->BorderIcons().Contains(biHelp)) {
    const String file = form->HelpFile();
    if (itemContext)
      WinHelp(form->Handle(), file.c_str(), HELP_SETPOPUP_POS,
              MAKELONG((itemRect.Left + itemRect.Right) / 2, itemRect.Bottom));
    WinHelp(form->Handle(), file.c_str(), HELP_CONTEXTPOPUP, static_cast<ULONG_PTR>(context));
  } else if (Application) {
    Application->HelpContext(context);
  }
}
