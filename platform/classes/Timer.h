#pragma once
// The timer component: OnTimer every Interval milliseconds while Enabled, on the platform clock,
// delivered through the message loop of the thread that made it.
#include <functional>

#include "platform/classes/Component.h"
#include "platform/system/Types.h"

class TTimer : public TComponent {
  VW_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  static void DeclareProperties(TPropTable& t);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Value);
  const std::function<void(TObject*)>& OnTimer() const { return FOnTimer; }
  void SetOnTimer(std::function<void(TObject*)> Value);

  // The hidden window that receives the ticks.
  win::HWND Handle() const { return FWindowHandle; }

 protected:
  virtual void Timer();

 private:
  static win::LRESULT WndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  // Stops the running timer and, when it should run, starts it afresh: a whole Interval from now.
  void UpdateTimer();

  unsigned FInterval = 1000;
  win::HWND FWindowHandle = nullptr;
  std::function<void(TObject*)> FOnTimer;
  bool FEnabled = true;
};
