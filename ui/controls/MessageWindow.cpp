#include "ui/controls/MessageWindow.h"

#include "platform/classes/Thread.h"
#include "ui/controls/ControlsUnit.h"

using namespace win;

TcxMessageWindow::TcxMessageWindow() {
  FHandle = AllocateHWnd([this](TMessage& m) { HandleMessage(m); });
}

TcxMessageWindow::~TcxMessageWindow() { DeallocateHWnd(FHandle); }

void TcxMessageWindow::HandleMessage(TMessage& Message) {
  Message.Result = DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

TcxSystemController::TcxSystemController() = default;

void TcxSystemController::SignalMainThread() { PostMessage(Handle(), DXM_SYNCHRONIZETHREADS, 0, 0); }

void TcxSystemController::HandleMessage(TMessage& Message) {
  if (Message.Msg == DXM_SYNCHRONIZETHREADS) {
    CheckSynchronize();
    return;
  }
  TcxMessageWindow::HandleMessage(Message);
}

TcxSystemController* SystemControllerInstance = nullptr;

namespace {
TcxMessageWindow* g_MessageWindow = nullptr;
}

TcxMessageWindow* MessageWindowInstance() {
  if (!g_MessageWindow && !ControlsUnitFinalized) g_MessageWindow = new TcxMessageWindow();
  return g_MessageWindow;
}

namespace controls_detail {
void FreeMessageWindow() { FreeAndNil(g_MessageWindow); }
}  // namespace controls_detail
