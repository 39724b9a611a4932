#pragma once
// A borderless stay-on-top form that opens against an owner rectangle, fits itself to its
// children and stays on screen: the base of the drop-down popups, the drag image and the size
// frame.
#include <memory>

#include "platform/classes/Forms.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/Types.h"

class TcxPopupWindow : public TForm {
  VW_CLASS(TcxPopupWindow, TForm)
 public:
  // Made without a form description.
  explicit TcxPopupWindow(TComponent* AOwner);
  ~TcxPopupWindow() override;

  bool Adjustable = true;
  int AlignHorz = 0;  // 0 left, 1 centre, 2 right
  int AlignVert = 2;  // 0 top, 1 centre, 2 bottom
  int BorderSpace = 0;
  int FrameStyle = 0;  // 0 none, 1 flat, 2 raised, 3 double
  int Direction = 1;   // 0 beside the owner, 1 above or below it
  TColor FrameColor = clWindowText;
  // In OwnerParent's client coordinates, or the screen's without OwnerParent.
  TRect OwnerBounds;
  TControl* OwnerParent = nullptr;
  win::HWND PrevActiveWindow = nullptr;

  // The library canvas over the form's canvas.
  TcxCanvas* Canvas() const { return FCanvas.get(); }

  // The screen position for the window: against the owner, flipped to the side with more room
  // when it does not fit, then kept inside the work area.
  virtual void CalcPosition(TPoint& P);
  // Sizes the window to its children and moves them in by the side offsets, on every call.
  virtual void FitToControls();
  // Side 0 left, 1 top, 2 right, 3 bottom.
  virtual int SideOffset(int Side);
  virtual void InnerClientRect(TRect& R);
  virtual int FrameWidth(int Side);
  virtual void OwnerScreenBounds(TRect& R);
  virtual void InheritOwnerFont();
  virtual void DrawFrame();
  virtual void ClosePopup();
  virtual void Popup();

 protected:
  void Paint() override;
  void Deactivate() override;
  void Dispatch(TMessage& Message) override;
  // Called when the window is shown or hidden.
  virtual void VisibilityChanged() {}

 private:
  std::unique_ptr<TcxCanvas> FCanvas;
};
