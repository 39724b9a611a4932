#pragma once
// Hidden windows of the control base: a plain message window (the parent of popups that have no
// other) and the system controller.
#include "platform/classes/Controls.h"

// A hidden window whose messages go to HandleMessage; the default handling is DefWindowProc.
class TcxMessageWindow : public TObject {
  VW_CLASS(TcxMessageWindow, TObject)
 public:
  TcxMessageWindow();
  ~TcxMessageWindow() override;
  TcxMessageWindow(const TcxMessageWindow&) = delete;
  TcxMessageWindow& operator=(const TcxMessageWindow&) = delete;

  win::HWND Handle() const { return FHandle; }

 protected:
  virtual void HandleMessage(TMessage& Message);

 private:
  win::HWND FHandle = nullptr;
};

// The private message on which the controller runs the pending synchronisations.
constexpr win::UINT DXM_SYNCHRONIZETHREADS = 0x8066;

// Routes the run time's main-thread wake-ups through its window only when the program is itself a
// library, which it never is here; it still answers its message by running what is pending.
class TcxSystemController : public TcxMessageWindow {
  VW_CLASS(TcxSystemController, TcxMessageWindow)
 public:
  TcxSystemController();
  // Posts the wake-up message to its own window.
  void SignalMainThread();

 protected:
  void HandleMessage(TMessage& Message) override;
};

// Made on first use; null once the control unit has shut down.
TcxMessageWindow* MessageWindowInstance();
// Made by the control unit's start-up, freed by its shutdown.
extern TcxSystemController* SystemControllerInstance;

namespace controls_detail {
void FreeMessageWindow();
}
