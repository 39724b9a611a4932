#pragma once
// The stand-alone radio button: the class library's radio button (checking, unchecking its
// siblings, the click) with the library's look: an owner-drawn glyph from the look-and-feel's
// painter, hot and pressed states from the mouse, see-through drawing and a popup menu.
#include <cstdint>
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "platform/win/Controls.h"
#include "ui/controls/MouseTracking.h"
#include "ui/foundation/LookAndFeel.h"

class TcxRadioButton : public TRadioButton,
                       public IcxSkinnableMarker,
                       public IcxLookAndFeelContainer,
                       public IcxMouseTrackingCaller {
  VW_CLASS(TcxRadioButton, TRadioButton)
 public:
  explicit TcxRadioButton(TComponent* AOwner);
  ~TcxRadioButton() override;
  static void DeclareProperties(TPropTable& t);

  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TComponent* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TComponent* Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool ParentBackgroundValue() const { return ParentBackground(); }
  void SetParentBackgroundValue(bool Value) { SetParentBackground(Value); }

  // The glyph's place as last painted, and the state it was painted in (0 disabled, 1 hot,
  // 2 normal, 3 pressed).
  const TRect& ButtonRect() const { return FButtonRect; }
  std::uint8_t ButtonState() const { return FButtonState; }
  // The device context the button paints on now, null outside its painting.
  win::HDC PaintDC() const { return FControlCanvas->HandleAllocated() ? FControlCanvas->Handle() : nullptr; }
  int Column() const { return FColumn; }
  int Row() const { return FRow; }

  void Invalidate() override;

  // IcxLookAndFeelContainer
  TcxLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  // IcxMouseTrackingCaller
  void MouseLeave() override { MouseLeaveHandling(); }

 protected:
  virtual void AdjustCaptionRect(TRect& R, bool Native);
  virtual bool ShowPopupMenu(TComponent* Menu, int X, int Y);
  virtual void DrawBackground();
  virtual void DrawCaption(TcxCanvas* Canvas, bool Native);
  virtual bool IsInplace() { return false; }
  virtual bool UsesParentBackground();
  virtual bool IsNativeStyle();
  virtual bool IsTransparentDrawing();
  virtual bool IsBackgroundTransparent();
  virtual void LookAndFeelChanged();
  virtual void PaintButton(bool FocusOnly);
  virtual void UpdateButtonState(TMouseButton Button, TShiftState Shift, const TPoint& P, bool NoButton = false);
  virtual void EnabledChanged();
  virtual void MouseEnterHandling();
  virtual void MouseLeaveHandling();
  // The caption's font and colour; an item of a group takes the group's.
  virtual TFont* CaptionFont() { return Font(); }
  virtual TColor CaptionTextColor();
  // Items of a group draw their caption in the enabled look even when disabled.
  virtual bool IsGroupItem() { return false; }

  // Places the glyph for the painter's glyph size, as every paint does first.
  const TRect& PlaceButtonRect(const TSize& GlyphSize);
  // The painter's state for the button's mouse state.
  TcxButtonState PainterButtonState() const;
  void SetGridPlace(int Column, int Row) {
    FColumn = Column;
    FRow = Row;
  }

  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void WMContextMenu(TMessage& Message) override;
  void DoEnter() override;

  TcxCanvas* Canvas() const { return FCanvas.get(); }

 private:
  void UpdateStateFromCursor();

  TRect FButtonRect;
  std::unique_ptr<TControlCanvas> FControlCanvas;
  std::unique_ptr<TcxCanvas> FCanvas;
  int FColumn = 0;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  TComponent* FPopupMenu = nullptr;
  int FRow = 0;
  std::uint8_t FButtonState = 2;
  bool FTransparent = false;
};
