#include "ui/bars/BarFadingHelpers.h"

#include <memory>

#include "platform/win/Window.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/Geometry.h"

using namespace win;

namespace {

IdxBarPainterFading* FadingPainterOf(TdxBarControl* Bar) {
  IdxBarPainterFading* fading = nullptr;
  return Supports(Bar->BarPainter(), &fading) ? fading : nullptr;
}

// The normal and the hot look of one element, each drawn by Draw into a cleared 32-bit picture of
// the element's size with the element at the origin.
template <class TDraw>
void MakeFadingImages(IdxBarPainterFading* Painter, const TRect& Bounds, TBitmap*& NormalImage, TBitmap*& HotImage,
                      TDraw Draw) {
  const TRect r = ShiftRect(Bounds, Bounds.Left, Bounds.Top, false);
  auto normal = std::make_unique<TcxBitmap32>(r, true);
  auto hot = std::make_unique<TcxBitmap32>(r, true);
  Draw(normal->Canvas()->Handle(), false, r);
  Draw(hot->Canvas()->Handle(), true, r);
  if (Painter->MakesImagesOpaque()) {
    normal->MakeOpaque();
    hot->MakeOpaque();
  }
  NormalImage = normal.release();
  HotImage = hot.release();
}

}  // namespace

// ---- the mark ---------------------------------------------------------------------------------------

bool TdxBarControlMarkFadingHelper::CanFade() {
  return FBarControl->AllowsFading() && FBarControl->HasMark() && FBarControl->MarkState() != 2;
}

void TdxBarControlMarkFadingHelper::RepaintOwner() {
  if (FBarControl->HandleAllocated()) FBarControl->RedrawMark();
}

void TdxBarControlMarkFadingHelper::PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int&, int&, int&,
                                                        int&) {
  IdxBarPainterFading* painter = FadingPainterOf(FBarControl);
  if (!painter) return;
  MakeFadingImages(painter, FBarControl->MarkRect(), NormalImage, HotImage, [&](HDC DC, bool Hot, const TRect& R) {
    painter->DrawMarkForFade(FBarControl, DC, Hot, R);
  });
}

// ---- the MDI buttons --------------------------------------------------------------------------------

bool TdxBarControlMDIButtonFadingHelper::CanFade() {
  return FBarControl->AllowsFading() && FBarControl->ShowsMDIOrCloseButtons();
}

void TdxBarControlMDIButtonFadingHelper::RepaintOwner() {
  if (!FBarControl->HandleAllocated()) return;
  const RECT r = FBarControl->MDIButtonRect(FButtonIndex);
  InvalidateRect(FBarControl->Handle(), &r, TRUE);
}

void TdxBarControlMDIButtonFadingHelper::PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int&, int&,
                                                             int&, int&) {
  IdxBarPainterFading* fading = FadingPainterOf(FBarControl);
  if (!fading) return;
  TdxBarPainter* painter = FBarControl->BarPainter();
  MakeFadingImages(fading, FBarControl->MDIButtonRect(FButtonIndex), NormalImage, HotImage,
                   [&](HDC DC, bool Hot, const TRect& R) {
                     painter->DrawMDIButton(FBarControl, DC, R, FButtonIndex, Hot ? 2 : 0);
                   });
}

// ---- the toolbar window's part ----------------------------------------------------------------------

bool TdxBarControl::AllowsFading() const {
  TdxBarPainter* painter = BarPainter();
  return painter && painter->SupportsFading() && BarFader();
}

TdxFadingObjectHelper* TdxBarControl::MarkFadingHelper() const { return FMarkFadingHelper; }

TdxBarControlMDIButtonFadingHelper* TdxBarControl::MDIButtonFadingHelper(int AIndex) const {
  return AIndex >= 0 && AIndex < 3 ? FMDIButtonFadingHelpers[AIndex] : nullptr;
}

void TdxBarControl::RedrawMark() {
  TdxBarPainter* painter = BarPainter();
  if (!painter || !HandleAllocated()) return;
  painter->RedrawMark(this, TRect(ClientRect()), painter->FloatCaptionBounds(this, NonClientRect()));
}
