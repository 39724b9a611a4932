#pragma once
// The scroll bar drawn by the look-and-feel's painter instead of the window system: two arrows, a
// thumb and the two track areas, with hot parts, auto-repeat while a part is held, and thumb
// tracking that snaps back when the pointer strays too far from the bar.
#include <functional>
#include <memory>

#include "platform/classes/Controls.h"
#include "platform/classes/ScrollTypes.h"
#include "ui/controls/ScrollBarLayout.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Painters.h"

class TcxBitmap;
class TcxTimer;
class TdxThemeChangedNotificator;
class TcxScrollBar;

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

// The system's scroll-bar sizes: cx the width of a vertical bar, cy the height of a horizontal one.
void SystemScrollBarSize(TSize& Size);

// Where the parts of a bar lie, in bar coordinates.
class TcxScrollBarViewInfo : public TObject {
  VW_CLASS(TcxScrollBarViewInfo, TObject)
 public:
  explicit TcxScrollBarViewInfo(TcxScrollBar* AScrollBar) : ScrollBar(AScrollBar) {}

  virtual void CalcPartRects();
  void Recalculate() { CalcPartRects(); }
  // Puts the thumb at Start along the bar (its length kept); the page areas follow.
  void PlaceThumb(int Start);
  // The bar's values as the layout takes them.
  TcxScrollBarParams Params() const;
  TcxScrollBarParts Parts() const;

  TcxScrollBar* ScrollBar;
  TRect LineDownArrowRect;
  TRect PageDownRect;
  TRect PageUpRect;
  TRect ThumbRect;
  TRect LineUpArrowRect;
  int MinThumbSize = 8;
};

class TcxScrollBar : public TCustomControl {
  VW_CLASS(TcxScrollBar, TCustomControl)
 public:
  explicit TcxScrollBar(TComponent* AOwner);
  ~TcxScrollBar() override;
  static void DeclareProperties(TPropTable& t);

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind Value);
  int Min() const { return FMin; }
  int Max() const { return FMax; }
  int Position() const { return FPosition; }
  int PageSize() const { return FPageSize; }
  void SetMin(int Value) { ApplyScrollParams(Value, FMax, FPosition, FPageSize, true); }
  void SetMax(int Value) { ApplyScrollParams(FMin, Value, FPosition, FPageSize, true); }
  void SetPosition(int Value) { ApplyScrollParams(FMin, FMax, Value, FPageSize, true); }
  void SetPageSize(int Value) { ApplyScrollParams(FMin, FMax, FPosition, Value, true); }
  // Steps are 16-bit: a value outside 1..32767 is clamped into it.
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int Value);
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int Value);
  bool UnlimitedTracking() const { return FUnlimitedTracking; }
  void SetUnlimitedTracking(bool Value) { FUnlimitedTracking = Value; }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  // Copies the given object's values into the bar's own.
  void SetLookAndFeel(TcxLookAndFeel* Value);
  // Ctl3D as set; a skin painter draws without the window's 3-D look, which is then off.
  bool Ctl3D() const { return FRealCtl3D; }
  void SetCtl3D(bool Value);

  // The one way the range changes: raises "Scrollbar property out of range" for Max < Min or
  // Max - Min < PageSize and keeps the old values; Position is clamped.
  void ApplyScrollParams(int AMin, int AMax, int APosition, int APageSize, bool Redraw = true);
  // Scrolls as the user would: the new position is clamped, offered to OnScroll, clamped again.
  void PerformScroll(TScrollCode Code);
  TcxScrollBarHitPart PartAtPoint(TPoint P) const;
  int PositionFromThumb() const;
  void EndScrolling();
  TcxButtonState PartState(TcxScrollBarHitPart Part) const;

  TcxScrollBarHitPart HotPart() const { return FHotPart; }
  TcxScrollBarHitPart PressedPart() const { return FPressedPart; }
  TcxScrollBarViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TcxTimer* RepeatTimer() const { return FRepeatTimer.get(); }
  TcxCustomLookAndFeelPainterClass Painter() const;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Dispatch(TMessage& Message) override;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  virtual void FireChange();
  virtual std::unique_ptr<TcxScrollBarViewInfo> CreateViewInfo();
  virtual void DrawScrollBar(TcxCanvas* ACanvas);
  virtual void DrawTrack(TcxCanvas* ACanvas, const TRect& R);
  virtual void DrawPart(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarHitPart Part, TcxButtonState State);
  virtual void DrawPartInState(TcxCanvas* ACanvas, const TRect& R, TcxScrollBarHitPart Part);
  virtual bool HotTracksParts() const;
  virtual void FireScroll(TScrollCode ScrollCode, int& ScrollPos);
  virtual int MinThumbLength() const;
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);

  void Paint() override;
  void Loaded() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMSysColorChange(TMessage& Message) override;

  void HandleThemeChange();
  void RepeatTimerTick(TObject* Sender);
  void ScrollByPart(TcxScrollBarHitPart Part);
  bool IsPressedPartUnderCursor();
  bool IsRepeatingPart(TcxScrollBarHitPart Part) const { return Part != hpNone && Part != hpThumb; }
  void TrackThumb(int X, int Y);
  void UpdateMinThumbSize();

 private:
  TScrollBarKind FKind = sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FPageSize = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
  bool FUnlimitedTracking = false;
  bool FRealCtl3D = true;
  TPoint FDownMousePos;
  int FSavePosition = 0;
  TPoint FSaveThumbPos;
  TcxScrollBarHitPart FPressedPart = hpNone;
  TcxScrollBarHitPart FHotPart = hpNone;
  std::unique_ptr<TcxBitmap> FBitmap;
  std::unique_ptr<TcxCanvas> FBitmapCanvas;
  std::unique_ptr<TcxTimer> FRepeatTimer;
  std::unique_ptr<TdxThemeChangedNotificator> FThemeNotificator;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  std::unique_ptr<TcxScrollBarViewInfo> FViewInfo;
};
