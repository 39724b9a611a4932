#pragma once
// Half-transparent forms that follow a drag: the drag image, and the size frame that shows where a
// resized thing will end.
#include "ui/controls/PopupWindow.h"

class TcxCustomDragImage : public TcxPopupWindow {
  VW_CLASS(TcxCustomDragImage, TcxPopupWindow)
 public:
  explicit TcxCustomDragImage(TComponent* AOwner);

  // The form whose window owns the image; the active form's when null.
  TCustomForm* PopupParent = nullptr;
  // ShowWindow with Cmd, then an immediate repaint.
  void ShowWithCommand(int Cmd);

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;
};

class TcxSizeFrame : public TcxCustomDragImage {
  VW_CLASS(TcxSizeFrame, TcxCustomDragImage)
 public:
  TcxSizeFrame(TComponent* AOwner, int AFrameWidth);

  using TcxCustomDragImage::FrameWidth;
  int FrameWidth() const { return FFrameWidth; }
  bool FillSelection = false;
  TcxRegion* Region() const { return FRegion.get(); }

  // The frame (screen coordinates) the size frame shows.
  void SetFrameRect(const TRect& R);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void Paint() override;
  // The band FrameWidth wide along the inside of Region's outline.
  void MakeFrameRegion();
  // Gives the window a copy of Region when it differs from the one the window has.
  void ApplyRegion();

 private:
  int FFrameWidth;
  std::unique_ptr<TcxRegion> FRegion;
  std::unique_ptr<TBitmap> FPattern;
};
