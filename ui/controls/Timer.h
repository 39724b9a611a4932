#pragma once
// The library's timer: every timer shares one hidden window, and a timer runs exactly while its id
// stands in the list of active timers, so a tick still queued for a timer that has stopped or gone
// finds nothing to call.
#include <vector>

#include "platform/classes/Component.h"
#include "ui/controls/MessageWindow.h"

class TcxTimer : public TComponent {
  VW_CLASS(TcxTimer, TComponent)
 public:
  explicit TcxTimer(TComponent* AOwner);
  ~TcxTimer() override;
  static void DeclareProperties(TPropTable& t);

  bool Enabled() const { return FEnabled; }
  // Starts or stops the timer when the value changes.
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  // 0 and the current value are ignored; otherwise the timer starts afresh with the new interval.
  void SetInterval(unsigned Value);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent Value);

  win::UINT_PTR EventID() const { return FEventID; }
  bool TimerOn() const { return FTimerOn; }

  // Fires OnTimer. The handler may free the timer: nothing of it is touched afterwards.
  virtual void FireTimerEvent();

 protected:
  bool MayRunTimer() const;
  void StartSystemTimer();
  void StopSystemTimer();
  void RefreshSystemTimer();

 private:
  void WriteTimerOn(bool Value);

  bool FEnabled = true;
  unsigned FInterval = 1000;
  TNotifyEvent FOnTimer;
  win::UINT_PTR FEventID;
  bool FTimerOn = false;
};

class TcxTimerWindow : public TcxMessageWindow {
  VW_CLASS(TcxTimerWindow, TcxMessageWindow)
 public:
  TcxTimerWindow() = default;

 protected:
  void HandleMessage(TMessage& Message) override;
};

// Made on first use; null once the control unit has shut down.
TcxTimerWindow* TimerWindowInstance();
// The ids of the running timers; null once the control unit has shut down.
std::vector<win::UINT_PTR>* ActiveTimerList();

namespace controls_detail {
void FreeTimerWindow();
void FreeActiveTimerList();
}
