#pragma once
// What a library control keeps beside its client area: two scroll bars of its own and the size
// grip between them, and the rule that decides whether a bar shows, and with which range.
#include <cstdint>

#include "ui/controls/ScrollBar.h"

class TcxControl;

// The parameters computed for one internal bar.
struct TcxControlScrollBarData {
  int Min = 0;
  int Max = 100;
  int Position = 0;
  int PageSize = 0;
  std::int16_t SmallChange = 1;
  std::int16_t LargeChange = 1;
  bool Enabled = true;
  bool Visible = false;
  bool AllowShow = false;
  bool AllowHide = false;
};

// Fills Data for a bar of the given range. AllowedByStyle is whether the control's ScrollBars
// includes this bar. A range that everything fits in (compared in 64 bits) hides the bar with
// AllowHide, else leaves it shown but disabled with its previous range. Steps are clamped into
// 1..32767.
void ComputeScrollBarData(TcxControlScrollBarData& Data, bool AllowedByStyle, int Min, int Max, int Step, int Page,
                          int Pos, bool AllowShow, bool AllowHide);

// Puts an internal control's window on top of its siblings, when it has a parent and a window.
void RaiseInternalControl(TWinControl* Control);

class TcxControlScrollBar : public TcxScrollBar {
  VW_CLASS(TcxControlScrollBar, TcxScrollBar)
 public:
  explicit TcxControlScrollBar(TComponent* AOwner);
  ~TcxControlScrollBar() override;

  TcxControlScrollBarData Data;
  // Takes Data: the range (when visible), the steps, Enabled, then Visible.
  void ApplyData();
  // A click into the bar may focus its control first.
  virtual void FocusOwnerOnClick();
  void WndProc(TMessage& Message) override;
  // Only the window goes on top; the control keeps its place among its parent's children.
  void SetZOrder(bool) override { RaiseInternalControl(this); }
};

// The square between the two internal bars.
class TcxSizeGrip : public TCustomControl {
  VW_CLASS(TcxSizeGrip, TCustomControl)
 public:
  explicit TcxSizeGrip(TComponent* AOwner);
  ~TcxSizeGrip() override;
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void Dispatch(TMessage& Message) override;
  void SetZOrder(bool) override { RaiseInternalControl(this); }

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
};

