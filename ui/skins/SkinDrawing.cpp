// Skin images and elements into pixels: geometry of the frame strip, nine-part drawing, and the
// element caches.
#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/PNGImage.h"
#include "ui/skins/SkinElementCache.h"

namespace {

bool IsEmptyRect(const win::RECT& R) { return R.right <= R.left || R.bottom <= R.top; }

win::RECT Offset(win::RECT R, int DX, int DY) {
  R.left += DX;
  R.right += DX;
  R.top += DY;
  R.bottom += DY;
  return R;
}

win::RECT Shrunk(const win::RECT& R, const win::RECT& By) {
  return {R.left + By.left, R.top + By.top, R.right - By.right, R.bottom - By.bottom};
}

// Paints through the canvas's graphics and always ends it.
template <class F>
void PaintOnDC(win::HDC DC, const win::RECT& R, F&& Paint) {
  TdxSkinCanvas canvas;
  canvas.BeginPaint(DC, R);
  try {
    Paint(&canvas);
  } catch (...) {
    canvas.EndPaint();
    throw;
  }
  canvas.EndPaint();
}

}  // namespace

// ---- canvas -----------------------------------------------------------------------------------

TdxSkinCanvas::~TdxSkinCanvas() { EndPaint(); }

void TdxSkinCanvas::BeginPaint(win::HDC DC, const win::RECT& R) {
  EndPaint();
  FGraphics = CreateGPPaintGraphics(DC, R);
}

void TdxSkinCanvas::BeginPaintOnGraphics(win::GpGraphics* Graphics) {
  EndPaint();
  FGraphics = GPGraphicsFromHandle(Graphics);
}

void TdxSkinCanvas::EndPaint() {
  if (FGraphics) FreeGPGraphics(FGraphics);
}

void TdxSkinCanvas::FillRectColor(const win::RECT& R, TColor Color) {
  if (!FGraphics || IsEmptyRect(R)) return;
  win::HDC dc = FGraphics->AcquireDC();
  win::HBRUSH brush = win::CreateSolidBrush(ColorToRGB(Color));
  win::FillRect(dc, &R, brush);
  win::DeleteObject(brush);
  FGraphics->ReleaseAcquiredDC(dc);
}

// ---- routines ---------------------------------------------------------------------------------

void SplitNineParts(const win::RECT& R, const win::RECT& M, win::RECT (&Parts)[9]) {
  const int x1 = std::min(R.left + M.left, R.right);
  const int y1 = std::min(R.top + M.top, R.bottom);
  const int x2 = std::max(R.right - M.right, R.left);
  const int y2 = std::max(R.bottom - M.bottom, R.top);
  Parts[0] = {R.left, R.top, x1, y1};
  Parts[1] = {x1, R.top, x2, y1};
  Parts[2] = {x2, R.top, R.right, y1};
  Parts[3] = {R.left, y1, x1, y2};
  Parts[4] = {x1, y1, x2, y2};
  Parts[5] = {x2, y1, R.right, y2};
  Parts[6] = {R.left, y2, x1, R.bottom};
  Parts[7] = {x1, y2, x2, R.bottom};
  Parts[8] = {x2, y2, R.right, R.bottom};
}

void FitMargins(win::RECT& M, const win::RECT& R) {
  auto fit = [](win::LONG& First, win::LONG& Second, int Available) {
    const int sum = First + Second;
    // Margins that add up to nothing fit anywhere; dividing by their sum would not.
    if (sum <= 0) return;
    const int overflow = sum - std::max(Available, 0);
    if (overflow <= 0) return;
    First -= win::MulDiv(First, overflow, sum);
    Second -= win::MulDiv(Second, overflow, sum);
  };
  fit(M.left, M.right, R.right - R.left);
  fit(M.top, M.bottom, R.bottom - R.top);
}

void FillSkinGradient(TdxSkinCanvas* Canvas, const win::RECT& R, TColor Color1, TColor Color2,
                      TdxSkinGradientMode Mode) {
  if (IsEmptyRect(R)) return;
  if (Color1 == Color2 || Color2 == clNone || Color2 == clDefault) {
    Canvas->FillRectColor(R, Color1);
    return;
  }
  if (Mode == gmForwardDiagonal || Mode == gmBackwardDiagonal) {
    GPFillGradientRect(Canvas->Graphics()->Handle(), R, ColorToGPColor(Color1, 255), ColorToGPColor(Color2, 255),
                       Mode == gmForwardDiagonal ? win::LinearGradientModeForwardDiagonal
                                                 : win::LinearGradientModeBackwardDiagonal);
    return;
  }
  TdxGPGraphics* graphics = Canvas->Graphics();
  win::HDC dc = graphics->AcquireDC();
  try {
    PaintGradientRect(dc, TRect(R.left, R.top, R.right, R.bottom), Color1, Color2, Mode == gmHorizontal);
  } catch (...) {
    graphics->ReleaseAcquiredDC(dc);
    throw;
  }
  graphics->ReleaseAcquiredDC(dc);
}

void DrawImageParts(TdxSkinCanvas* Canvas, TdxSkinImage* Image, const win::RECT& DestRect,
                    const win::RECT& SourceFrame) {
  TdxGPGraphics* graphics = Canvas->Graphics();
  const win::SIZE frame = Image->FrameSize();
  if (Image->Stretch() == smNoResize) {
    graphics->SetInterpolationMode(win::InterpolationModeNearestNeighbor);
    const int left = (DestRect.left + DestRect.right - frame.cx) / 2;
    const int top = (DestRect.top + DestRect.bottom - frame.cy) / 2;
    graphics->DrawImage(Image->Texture(), {left, top, left + frame.cx, top + frame.cy}, SourceFrame);
    return;
  }
  win::RECT margins = Image->Margins()->Rect();
  FitMargins(margins, DestRect);
  win::RECT parts[9];
  SplitNineParts(DestRect, margins, parts);
  graphics->SetInterpolationMode(win::InterpolationModeDefault);
  for (int i = 0; i < 9; ++i) {
    if (!Image->PartVisible(i) || IsEmptyRect(parts[i])) continue;
    const win::RECT source = Offset(Image->SourcePart(i), SourceFrame.left, SourceFrame.top);
    if (i == 4 && Image->HasGradient())
      FillSkinGradient(Canvas, parts[i], Image->GradientBeginColor(), Image->GradientEndColor(), Image->Gradient());
    else if (Image->Stretch() == smTile)
      graphics->DrawImageTiled(Image->Texture(), parts[i], source);
    else
      graphics->DrawImage(Image->Texture(), parts[i], source);
  }
}

// ---- image geometry -----------------------------------------------------------------------------

void TdxSkinImage::CheckGeometry() {
  if (!FDirty) return;
  FDirty = false;
  CalculateGeometry();
}

void TdxSkinImage::CalculateGeometry() {
  FStateCount = 0;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (FStates & (1u << s)) ++FStateCount;
  FFrameSize = {FTexture->Width(), FTexture->Height()};
  if (FStateCount >= 1) {
    const int imageCount = FOwner ? FOwner->ImageCount() : 1;
    if (FImageLayout == ilHorizontal)
      FFrameSize.cx = FFrameSize.cx / imageCount / FStateCount;
    else
      FFrameSize.cy = FFrameSize.cy / imageCount / FStateCount;
  }
  win::RECT running{0, 0, FFrameSize.cx, FFrameSize.cy};
  for (int s = 0; s < dxSkinElementStateCount; ++s) {
    if (FStates & (1u << s)) {
      FStateBounds[s] = running;
      running = FImageLayout == ilHorizontal ? Offset(running, FFrameSize.cx, 0) : Offset(running, 0, FFrameSize.cy);
    } else {
      FStateBounds[s] = {0, 0, 0, 0};
    }
  }
  SplitNineParts({0, 0, FFrameSize.cx, FFrameSize.cy}, FMargins->Rect(), FParts);
  for (int i = 0; i < 9; ++i)
    FPartVisible[i] = FParts[i].right - FParts[i].left > 0 && FParts[i].bottom - FParts[i].top > 0;
}

int TdxSkinImage::StateCount() {
  CheckGeometry();
  return FStateCount;
}

win::SIZE TdxSkinImage::FrameSize() {
  CheckGeometry();
  return FFrameSize;
}

bool TdxSkinImage::PartVisible(int Part) {
  CheckGeometry();
  return Part >= 0 && Part < 9 && FPartVisible[Part];
}

win::RECT TdxSkinImage::SourcePart(int Part) {
  CheckGeometry();
  return Part >= 0 && Part < 9 ? FParts[Part] : win::RECT{0, 0, 0, 0};
}

win::RECT TdxSkinImage::StateFrameRect(int ImageIndex, TdxSkinElementState State) {
  CheckGeometry();
  win::RECT r = FStateBounds[State];
  if (ImageIndex > 0) {
    if (FImageLayout == ilHorizontal)
      r = Offset(r, ImageIndex * FStateCount * FFrameSize.cx, 0);
    else
      r = Offset(r, 0, ImageIndex * FStateCount * FFrameSize.cy);
  }
  return r;
}

void TdxSkinImage::ValidateState(TdxSkinElementState& State) const {
  if (FStates == 0 || (FStates & StateBit(State))) return;
  for (int s = 0; s < dxSkinElementStateCount; ++s)
    if (FStates & (1u << s)) {
      State = static_cast<TdxSkinElementState>(s);
      return;
    }
}

// ---- image drawing ------------------------------------------------------------------------------

void TdxSkinImage::DrawOnDC(win::HDC DC, const win::RECT& R, int ImageIndex, TdxSkinElementState State) {
  CheckGeometry();
  if (FFrameSize.cx <= 0 || FFrameSize.cy <= 0 || IsEmptyRect(R) || !win::RectVisible(DC, &R)) return;
  PaintOnDC(DC, R, [&](TdxSkinCanvas* Canvas) { DrawOnCanvas(Canvas, R, ImageIndex, State); });
}

void TdxSkinImage::DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R, int ImageIndex,
                                TdxSkinElementState State) {
  if (IsEmptyRect(R)) return;
  if (IsEmpty()) {
    if (HasGradient()) FillSkinGradient(Canvas, Shrunk(R, FMargins->Rect()), FGradientBeginColor, FGradientEndColor, FGradient);
    return;
  }
  CheckGeometry();
  if (FFrameSize.cx <= 0 || FFrameSize.cy <= 0) return;
  ValidateState(State);
  const win::RECT frame = FStates == 0 ? win::RECT{0, 0, FFrameSize.cx, FFrameSize.cy} : StateFrameRect(ImageIndex, State);
  // An image index past the strip has no frame: nothing outside the texture is ever read.
  if (IsEmptyRect(frame) || frame.left < 0 || frame.top < 0 || frame.right > FTexture->Width() ||
      frame.bottom > FTexture->Height())
    return;
  DrawImageParts(Canvas, this, R, frame);
}

// ---- element drawing ----------------------------------------------------------------------------

void TdxSkinElement::FillBackground(TdxSkinCanvas* Canvas, const win::RECT& R) {
  if (!FIsColorAssigned) return;
  if (!(FImage->IsEmpty() || FImage->Stretch() == smNoResize || NeedsAlphaBlend())) return;
  if (FAlpha == 255 || !FBrush)
    Canvas->FillRectColor(R, FColor);
  else
    CheckGdipStatus(
        ::GdipFillRectangleI(Canvas->Graphics()->Handle(), FBrush, R.left, R.top, R.right - R.left, R.bottom - R.top));
}

void TdxSkinElement::DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R, int ImageIndex,
                                  TdxSkinElementState State) {
  if (IsEmptyRect(R)) return;
  FillBackground(Canvas, R);
  FImage->DrawOnCanvas(Canvas, R, ImageIndex, State);
  FBorders->DrawOnCanvas(Canvas, R);
  FGlyph->DrawOnCanvas(Canvas, Shrunk(R, FContentOffset->Rect()), ImageIndex, State);
}

void TdxSkinElement::DrawOnDC(win::HDC DC, const win::RECT& R, int ImageIndex, TdxSkinElementState State) {
  if (IsEmptyRect(R) || !win::RectVisible(DC, &R)) return;
  if (FCache) {
    FCache->DrawCached(DC, this, R, State, ImageIndex);
    return;
  }
  PaintOnDC(DC, R, [&](TdxSkinCanvas* Canvas) { DrawOnCanvas(Canvas, R, ImageIndex, State); });
}

void TdxSkinEmptyElement::DrawOnDC(win::HDC DC, const win::RECT& R, int, TdxSkinElementState) {
  win::FillRect(DC, &R, static_cast<win::HBRUSH>(win::GetStockObject(win::WHITE_BRUSH)));
  win::HBRUSH red = win::CreateSolidBrush(0x0000FF);
  win::FrameRect(DC, &R, red);
  win::DeleteObject(red);
}

void TdxSkinBorder::DrawOnDC(win::HDC DC, const win::RECT& R) {
  if (FColor == clNone) return;
  PaintOnDC(DC, R, [&](TdxSkinCanvas* Canvas) { DrawOnCanvas(Canvas, R); });
}

void TdxSkinBorder::DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R) {
  if (FColor == clNone) return;
  win::RECT strip = R;
  switch (FSide) {
    case 0:
      strip.right = R.left + FThin;
      break;
    case 1:
      strip.bottom = R.top + FThin;
      break;
    case 2:
      strip.left = R.right - FThin;
      break;
    default:
      strip.top = R.bottom - FThin;
      break;
  }
  Canvas->FillRectColor(strip, FColor);
}

void TdxSkinBorders::DrawOnCanvas(TdxSkinCanvas* Canvas, const win::RECT& R) {
  for (TdxSkinBorder* border : FBorders) border->DrawOnCanvas(Canvas, R);
}

// ---- caches -------------------------------------------------------------------------------------

TdxSkinElementCache::~TdxSkinElementCache() { ReleaseBitmaps(); }

void TdxSkinElementCache::ReleaseBitmaps() {
  if (FAlphaBitmap) {
    ::GdipDisposeImage(FAlphaBitmap);
    FAlphaBitmap = nullptr;
  }
  delete FOpaqueBitmap;
  FOpaqueBitmap = nullptr;
}

void TdxSkinElementCache::Invalidate() {
  FElement = nullptr;
  FRect = {0, 0, 0, 0};
  ReleaseBitmaps();
}

void TdxSkinElementCache::DrawCached(win::HDC DC, TdxSkinElement* Element, const win::RECT& R,
                                     TdxSkinElementState State, int ImageIndex) {
  CheckCache(Element, R, State, ImageIndex);
  PaintTo(DC, R);
}

void TdxSkinElementCache::CheckCache(TdxSkinElement* Element, const win::RECT& R, TdxSkinElementState State,
                                     int ImageIndex) {
  if (Element == FElement && State == FState && ImageIndex == FImageIndex &&
      R.right - R.left == FRect.right - FRect.left && R.bottom - R.top == FRect.bottom - FRect.top)
    return;
  FRect = R;
  FState = State;
  FElement = Element;
  FImageIndex = ImageIndex;
  ReleaseBitmaps();
  if (IsEmptyRect(R)) return;
  const win::RECT area{0, 0, R.right - R.left, R.bottom - R.top};
  ++FRenderCount;
  TdxSkinCanvas canvas;
  if (Element->NeedsAlphaBlend()) {
    FAlphaBitmap = CreateGPBitmapForRect(area);
    win::GpGraphics* graphics = nullptr;
    CheckGdipStatus(::GdipGetImageGraphicsContext(FAlphaBitmap, &graphics));
    canvas.BeginPaintOnGraphics(graphics);
  } else {
    FOpaqueBitmap = new TcxBitmap(area.right, area.bottom, pf32bit);
    canvas.BeginPaint(FOpaqueBitmap->Canvas()->Handle(), area);
  }
  try {
    Element->DrawOnCanvas(&canvas, area, ImageIndex, State);
  } catch (...) {
    canvas.EndPaint();
    throw;
  }
  canvas.EndPaint();
}

void TdxSkinElementCache::PaintTo(win::HDC DC, const win::RECT& R) {
  if (FOpaqueBitmap) {
    win::BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, FOpaqueBitmap->Canvas()->Handle(), 0, 0,
                win::SRCCOPY);
  } else if (FAlphaBitmap) {
    TdxGPGraphics* graphics = CreateGPPaintGraphics(DC, R);
    const win::GpStatus status =
        ::GdipDrawImageRectI(graphics->Handle(), FAlphaBitmap, R.left, R.top, R.right - R.left, R.bottom - R.top);
    FreeGPGraphics(graphics);
    CheckGdipStatus(status);
  }
}

void TdxSkinElementCacheList::DrawElement(win::HDC DC, TdxSkinElement* Element, const win::RECT& R,
                                          TdxSkinElementState State, int ImageIndex) {
  TdxSkinElementCache* found = nullptr;
  for (int i = 0; i < Count() && !found; ++i) {
    TdxSkinElementCache* cache = CacheAt(i);
    const win::RECT& c = cache->CachedRect();
    if (cache->Element() == Element && c.left == R.left && c.top == R.top && c.right == R.right &&
        c.bottom == R.bottom)
      found = cache;
  }
  if (!found) {
    found = new TdxSkinElementCache();
    Add(found);
    while (Count() > FLimit) FreeAndDelete(0);
  }
  found->DrawCached(DC, Element, R, State, ImageIndex);
}
