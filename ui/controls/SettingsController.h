#pragma once
// Tells the registered controls when the system's non-client metrics (scroll-bar sizes among
// them) change. Its hidden window exists only while a control is registered.
#include <vector>

#include "platform/classes/Controls.h"

// Sent to each registered control that has a window; it answers by re-sizing its scroll bars.
constexpr win::UINT DXM_NCSIZECHANGED = 0x8065;

class TcxSettingsController : public TObject {
  VW_CLASS(TcxSettingsController, TObject)
 public:
  TcxSettingsController() = default;
  ~TcxSettingsController() override;
  TcxSettingsController(const TcxSettingsController&) = delete;
  TcxSettingsController& operator=(const TcxSettingsController&) = delete;

  void AddControl(TWinControl* Control);
  void RemoveControl(TWinControl* Control);
  void NotifyControls();
  const std::vector<TWinControl*>& Controls() const { return FControls; }
  win::HWND Window() const { return FWindow; }

 protected:
  virtual void WndProc(TMessage& Message);

 private:
  void MainWndProc(TMessage& Message);
  std::vector<TWinControl*> FControls;
  win::HWND FWindow = nullptr;
};

// Made on first use; null once the control unit has shut down.
TcxSettingsController* SettingsControllerInstance();

namespace controls_detail {
void FreeSettingsController();
}
