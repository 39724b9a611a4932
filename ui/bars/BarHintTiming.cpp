#include "ui/bars/BarHintTiming.h"

#include "platform/classes/Forms.h"
#include "platform/classes/Interface.h"
#include "platform/win/Window.h"
#include "ui/bars/BarHintWindow.h"
#include "ui/bars/BarHooks.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

constexpr UINT kRecentlyHiddenPause = 400;

bool gHintRequested = false;
String gHintText;
bool gHintShown = false;
TdxBarManager* gHintManager = nullptr;
UINT_PTR gShowHideTimer = 0;
bool gRecentlyHidden = false;
UINT_PTR gRecentlyHiddenTimer = 0;

void StopTimer(UINT_PTR& ATimer) {
  if (ATimer) KillTimer(nullptr, ATimer);
  ATimer = 0;
}

bool HintWindowVisible() {
  TdxBarHintWindow* window = BarHintWindow();
  return window && window->HandleAllocated() && IsWindowVisible(window->Handle());
}

void HideHintWindow() {
  if (TdxBarHintWindow* window = BarHintWindow(); window && window->HandleAllocated()) window->ReleaseHandle();
}

bool IsAliveManager(TdxBarManager* AManager) {
  return AManager && BarManagers && BarManagers->IndexOf(AManager) >= 0 && !AManager->IsDestroying();
}

void ShowHideTimerFired(HWND, UINT, UINT_PTR, DWORD);

void StartShowHideTimer(TdxBarManager* AManager, int APause) {
  StopTimer(gShowHideTimer);
  gHintManager = AManager;
  gShowHideTimer = SetTimer(nullptr, 0, static_cast<UINT>(APause), &ShowHideTimerFired);
}

void RecentlyHiddenTimerFired(HWND, UINT, UINT_PTR, DWORD) {
  StopTimer(gRecentlyHiddenTimer);
  gRecentlyHidden = false;
}

void ShowHintAtOnce(TdxBarManager* AManager) {
  TdxBarHintWindow* window = BarHintWindow();
  String hint, shortCut;
  bool available = false;
  if (!gHintText.empty()) {
    hint = gHintText;
    available = true;
  } else if (IdxBarHintSource* source = nullptr; Supports(AManager->HintObject(), &source)) {
    bool handledByAction = false;
    if (source->QueryHint(handledByAction, hint, shortCut) &&
        (source->IsEnabled() || AManager->ShowHintForDisabledItems())) {
      if (!AManager->ShowShortCutInHint() && !(Application && Application->HintShortCuts())) shortCut.clear();
      available = true;
    }
  }
  if (available && window && window->ActivateBarHint(AManager, hint, shortCut)) {
    gHintShown = true;
    StartShowHideTimer(AManager, window->HidePause());
    return;
  }
  HideHint(AManager);
}

bool HasSomethingToShow(TdxBarManager* AManager, const String& AText, TObject* AObject) {
  if (!AText.empty() || AObject) return true;
  TdxBarItemControl* selected = AManager->SelectedItem();
  return selected && selected->Parent() && !selected->Parent()->Active();
}

void ApplyRequest(TdxBarManager* AManager, bool AShow, const String& AText, TObject* AObject) {
  if (!AShow && !gHintRequested) return;
  gHintRequested = AShow;
  gHintText = AText;
  gHintShown = false;
  StopTimer(gShowHideTimer);
  AManager->SetHintObject(AObject);
  if (AShow && HasSomethingToShow(AManager, AText, AObject)) {
    if (HintWindowVisible() || gRecentlyHidden)
      ShowHintAtOnce(AManager);
    else if (TdxBarHintWindow* window = BarHintWindow())
      StartShowHideTimer(AManager, window->ShowPause());
    return;
  }
  if (!HintWindowVisible()) return;
  HideHintWindow();
  if (AShow) {
    gRecentlyHidden = true;
    StopTimer(gRecentlyHiddenTimer);
    gRecentlyHiddenTimer = SetTimer(nullptr, 0, kRecentlyHiddenPause, &RecentlyHiddenTimerFired);
  }
}

void ShowHideTimerFired(HWND, UINT, UINT_PTR, DWORD) {
  StopTimer(gShowHideTimer);
  TdxBarManager* manager = gHintManager;
  if (!IsAliveManager(manager)) return;
  if (!gHintShown) {
    ShowHintAtOnce(manager);
    return;
  }
  HideHint(manager);
  // Withdrawals are ignored while hints are off or the manager customizes; the hint the timer
  // serves goes all the same rather than stay on screen for good.
  if (gHintShown && gHintManager == manager && HintWindowVisible()) {
    gHintShown = false;
    gHintRequested = false;
    HideHintWindow();
  }
}

}  // namespace

void RequestHint(TdxBarManager* AManager, bool AShow, const String& AText, TObject* AObject) {
  if (!AManager || AManager->InCustomizing() || !AManager->ShowHint()) return;
  TdxBarHintWindow* window = BarHintWindow();
  if (AShow && window && window->ScreenTipMode() && HintWindowVisible()) ApplyRequest(AManager, false, {}, nullptr);
  ApplyRequest(AManager, AShow, AText, AObject);
}

void HideHint(TdxBarManager* AManager) { RequestHint(AManager, false); }

bool BarHintRequested() { return gHintRequested; }
String BarHintText() { return gHintText; }
bool BarHintShown() { return gHintShown; }
bool BarHintRecentlyHidden() { return gRecentlyHidden; }
TdxBarManager* BarHintManager() { return gHintManager; }

void BarHintTimingManagerGone(TdxBarManager* AManager) {
  if (gHintManager != AManager) return;
  StopTimer(gShowHideTimer);
  gHintManager = nullptr;
  gHintShown = false;
  gHintRequested = false;
}

void BarHintTimingReset() {
  StopTimer(gShowHideTimer);
  StopTimer(gRecentlyHiddenTimer);
  gHintRequested = false;
  gHintText.clear();
  gHintShown = false;
  gHintManager = nullptr;
  gRecentlyHidden = false;
}
