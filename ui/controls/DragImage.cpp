#include "ui/controls/DragImage.h"

#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"

using namespace win;

// ---- TcxCustomDragImage --------------------------------------------------------------------------

TcxCustomDragImage::TcxCustomDragImage(TComponent* AOwner) : TcxPopupWindow(AOwner) {
  SetBounds(0, 0, 0, 0);
  SetAlphaBlendValue(180);
  SetAlphaBlend(true);
}

void TcxCustomDragImage::CreateParams(TCreateParams& Params) {
  TcxPopupWindow::CreateParams(Params);
  if (PopupParent)
    Params.WndParent = PopupParent->Handle();
  else if (Screen && Screen->ActiveForm())
    Params.WndParent = Screen->ActiveForm()->Handle();
  Params.WindowClass.style |= CS_SAVEBITS;
}

void TcxCustomDragImage::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ERASEBKGND: Message.Result = 1; return;
    case WM_NCHITTEST: Message.Result = HTTRANSPARENT; return;
    default: TcxPopupWindow::Dispatch(Message); return;
  }
}

void TcxCustomDragImage::ShowWithCommand(int Cmd) {
  ShowWindow(Handle(), Cmd);
  Update();
}

// ---- TcxSizeFrame ------------------------------------------------------------------------------------

namespace {

// Black and white pixels alternating, as the window system's halftone brush.
std::unique_ptr<TBitmap> HalftonePattern() {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) bitmap->Canvas()->SetPixels(x, y, (x + y) % 2 ? clWhite : clBlack);
  return bitmap;
}

}  // namespace

TcxSizeFrame::TcxSizeFrame(TComponent* AOwner, int AFrameWidth)
    : TcxCustomDragImage(AOwner), FFrameWidth(AFrameWidth), FRegion(std::make_unique<TcxRegion>()),
      FPattern(HalftonePattern()) {
  SetAlphaBlend(false);
  Canvas()->ActiveBrush()->SetBitmap(FPattern.get());
}

void TcxSizeFrame::Paint() { Canvas()->FillRectWithColor(TRect(ClientRect()), clDefault); }

void TcxSizeFrame::SetFrameRect(const TRect& R) {
  FRegion = std::make_unique<TcxRegion>(0, 0, R.Right - R.Left, R.Bottom - R.Top);
  SetBounds(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
}

void TcxSizeFrame::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TcxCustomDragImage::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (!HandleAllocated() || 2 * FFrameWidth >= AWidth || 2 * FFrameWidth >= AHeight) return;
  if (!FillSelection) MakeFrameRegion();
  ApplyRegion();
}

void TcxSizeFrame::MakeFrameRegion() {
  auto inner = std::make_unique<TcxRegion>();
  inner->CombineWith(FRegion.get(), rcmCopy, false);
  const int w = FFrameWidth;
  for (TPoint shift : {TPoint(w, 0), TPoint(0, w), TPoint(-w, 0), TPoint(0, -w)}) {
    auto moved = new TcxRegion();
    moved->CombineWith(FRegion.get(), rcmCopy, false);
    moved->ShiftByPoint(shift);
    inner->CombineWith(moved, rcmIntersect);
  }
  FRegion->CombineWith(inner.release(), rcmDifference);
}

void TcxSizeFrame::ApplyRegion() {
  HRGN current = CreateRectRgn(0, 0, 0, 0);
  const bool hasRegion = GetWindowRgn(Handle(), current) != ERROR;
  const bool same = hasRegion && FRegion->SameAsHandle(current);
  DeleteObject(current);
  if (same) return;
  HRGN copy = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(copy, FRegion->Handle(), nullptr, RGN_COPY);
  SetWindowRgn(Handle(), copy, TRUE);
}
