#include "ui/controls/SettingsController.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Hooks.h"
#include "ui/controls/ControlsUnit.h"

using namespace win;

TcxSettingsController::~TcxSettingsController() { DeallocateHWnd(FWindow); }

void TcxSettingsController::AddControl(TWinControl* Control) {
  if (!Control || std::find(FControls.begin(), FControls.end(), Control) != FControls.end()) return;
  if (FControls.empty()) FWindow = AllocateHWnd([this](TMessage& m) { MainWndProc(m); });
  FControls.push_back(Control);
}

void TcxSettingsController::RemoveControl(TWinControl* Control) {
  auto it = std::find(FControls.begin(), FControls.end(), Control);
  if (it == FControls.end()) return;
  FControls.erase(it);
  if (FControls.empty()) {
    DeallocateHWnd(FWindow);
    FWindow = nullptr;
  }
}

void TcxSettingsController::NotifyControls() {
  for (TWinControl* c : FControls)
    if (c->HandleAllocated()) SendNotifyMessage(c->WindowHandle(), DXM_NCSIZECHANGED, 0, 0);
}

void TcxSettingsController::MainWndProc(TMessage& Message) {
  try {
    WndProc(Message);
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

void TcxSettingsController::WndProc(TMessage& Message) {
  if (Message.Msg == WM_SETTINGCHANGE && Message.WParam == SPI_SETNONCLIENTMETRICS) {
    NotifyControls();
    Message.Result = 0;
    return;
  }
  Message.Result = DefWindowProc(FWindow, Message.Msg, Message.WParam, Message.LParam);
}

namespace {
TcxSettingsController* g_SettingsController = nullptr;
}

TcxSettingsController* SettingsControllerInstance() {
  if (!g_SettingsController && !ControlsUnitFinalized) g_SettingsController = new TcxSettingsController();
  return g_SettingsController;
}

namespace controls_detail {
void FreeSettingsController() { FreeAndNil(g_SettingsController); }
}  // namespace controls_detail
