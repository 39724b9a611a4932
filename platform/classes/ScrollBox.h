#pragma once
// A scroll box: a container whose children may reach past its client area; scroll bars appear
// for what does not fit and move the children.
#include "platform/classes/StdCtrls.h"

class TScrollBox : public TWinControl {
  VW_CLASS(TScrollBox, TWinControl)
 public:
  explicit TScrollBox(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  // How far the contents are scrolled.
  win::POINT ScrollPos() const { return FPos; }
  void ScrollInView(TControl* AControl);
  // Moves the contents to show the point Pos of the scrolled area at the top-left.
  void ScrollTo(int X, int Y);
  // Works out again what the children need and shows the bars for it.
  void UpdateScrollBars();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Resize() override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;

 private:
  void Scroll(TMessage& Message, bool Horizontal);
  win::POINT Range();

  win::POINT FPos{0, 0};
  TFormBorderStyle FBorderStyle = bsSingle;
  bool FAutoScroll = true;
  bool FUpdating = false;
};
