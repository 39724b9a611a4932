#pragma once
// The one hint window every bar manager shows its hints in: plain hints, hints in the screen-tip
// style and screen tips. It owns the view info it shows until the next hint, until it hides or
// until it goes.
#include "ui/bars/BarHintViewInfo.h"
#include "ui/controls/HintWindow.h"

class TdxBarManager;

class TdxBarHintWindow : public TcxBaseHintWindow {
  VW_CLASS(TdxBarHintWindow, TcxBaseHintWindow)
 public:
  explicit TdxBarHintWindow(TComponent* AOwner);
  ~TdxBarHintWindow() override;

  bool ScreenTipMode() const { return FScreenTipMode; }
  // A change hides the window and makes it again, double-buffered in screen-tip mode.
  void SetScreenTipMode(bool Value);
  TdxBarCustomHintViewInfo* ViewInfo() const { return FViewInfo; }

  // The manager's hint object when it can show a hint of its own.
  virtual bool FindHintSource(TdxBarManager* Manager, IdxBarHintSource*& Source);
  // Milliseconds a hint stays up and waits before it first shows.
  virtual int HidePause();
  virtual int ShowPause();
  virtual void RecreateWindow();
  // Shows the hint of the manager's hint object (or the hint text at the cursor); false when there
  // is nothing to show.
  virtual bool ActivateBarHint(TdxBarManager* Manager, const String& Hint, const String& ShortCut);

 protected:
  void Paint() override;
  void Dispatch(TMessage& Message) override;

 private:
  void FreeViewInfo();

  bool FScreenTipMode = false;
  TdxBarCustomHintViewInfo* FViewInfo = nullptr;
};
