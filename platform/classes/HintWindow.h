#pragma once
// The small window that shows a control's hint near the mouse.
#include "platform/classes/Controls.h"

class THintWindow : public TCustomControl {
  VW_CLASS(THintWindow, TCustomControl)
 public:
  explicit THintWindow(TComponent* AOwner);

  // Shows AHint in Rect (screen coordinates) above every other window, without taking focus.
  virtual void ActivateHint(win::RECT Rect, const String& AHint);
  // The rectangle (at 0, 0) the hint text needs, lines broken at MaxWidth.
  virtual win::RECT CalcHintRect(int MaxWidth, const String& AHint);
  void ReleaseHandle();
  bool IsHintShowing() const { return FShowing; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};
