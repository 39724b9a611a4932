#include "ui/foundation/Canvas.h"

#include <algorithm>
#include <cstdint>

#include "platform/win/Window.h"
#include "ui/foundation/BitmapPixels.h"
#include "ui/foundation/DrawingRoutines.h"
#include "ui/foundation/Geometry.h"

using namespace win;

namespace {

// No clip region stands for this rectangle, so that a pushed state without clipping comes back as
// something that can be combined with.
constexpr int kNoClipExtent = 30000;

constexpr int kCombineModes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};

constexpr int kPenModeRops[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};

// Rounds toward minus infinity, so that tiles left of or above the origin line up with the others.
constexpr int FloorDiv(int A, int B) {
  const int q = A / B;
  return (A % B != 0 && (A < 0) != (B < 0)) ? q - 1 : q;
}

}  // namespace

// ---- region ---------------------------------------------------------------------------------------

TcxRegion::TcxRegion() : FHandle(CreateRectRgn(0, 0, 0, 0)) {}

TcxRegion::TcxRegion(const TRect& R) {
  RECT rc = R;
  FHandle = CreateRectRgnIndirect(&rc);
}

TcxRegion::TcxRegion(int Left, int Top, int Right, int Bottom) : FHandle(CreateRectRgn(Left, Top, Right, Bottom)) {}

void TcxRegion::ReleaseHandle() {
  if (FHandle) DeleteObject(FHandle);
  FHandle = nullptr;
}

bool TcxRegion::HasNoArea() const {
  RECT box;
  return GetRgnBox(FHandle, &box) == NULLREGION;
}

void TcxRegion::CombineWith(TcxRegion* Other, TcxRegionCombineMode Mode, bool DestroyOther) {
  if (!FHandle) FHandle = CreateRectRgn(0, 0, 0, 0);
  if (Other) {
    if (Mode == rcmCopy)
      CombineRgn(FHandle, Other->FHandle, nullptr, RGN_COPY);
    else
      CombineRgn(FHandle, FHandle, Other->FHandle, kCombineModes[Mode]);
  }
  if (DestroyOther) delete Other;
}

bool TcxRegion::SameAs(const TcxRegion* Other) const {
  if (!Other) return false;
  return (HasNoArea() && Other->HasNoArea()) || SameAsHandle(Other->FHandle);
}

bool TcxRegion::SameAsHandle(HRGN Other) const { return EqualRgn(FHandle, Other) != FALSE; }

void TcxRegion::ShiftBy(int DX, int DY) { OffsetRgn(FHandle, DX, DY); }

bool TcxRegion::ContainsXY(int X, int Y) const { return PtInRegion(FHandle, X, Y) != FALSE; }

// ---- objects from a device context --------------------------------------------------------------

void SyncCanvasObjectsFromDC(TCanvas* Canvas, HDC DC) {
  // Everything is read before anything changes: giving the canvas a new object deselects its old
  // one from the DC.
  LOGFONT lf;
  LOGBRUSH lb;
  LOGPEN lp;
  const bool hasFont = GetObject(GetCurrentObject(DC, OBJ_FONT), sizeof lf, &lf) != 0;
  const bool hasBrush = GetObject(GetCurrentObject(DC, OBJ_BRUSH), sizeof lb, &lb) != 0;
  const bool hasPen = GetObject(GetCurrentObject(DC, OBJ_PEN), sizeof lp, &lp) != 0;
  const COLORREF textColour = GetTextColor(DC);
  const int rop = GetROP2(DC);

  if (hasFont) {
    if (HFONT font = CreateFontIndirect(&lf)) {
      // The colour first: it is not part of the handle that follows.
      Canvas->Font()->SetColor(static_cast<TColor>(textColour));
      Canvas->Font()->SetHandle(font);
    }
  }
  if (hasBrush) {
    if (HBRUSH brush = CreateBrushIndirect(&lb)) Canvas->Brush()->SetHandle(brush);
  }
  if (hasPen) {
    if (HPEN pen = CreatePenIndirect(&lp)) Canvas->Pen()->SetHandle(pen);
    TPenMode mode = pmCopy;
    for (int m = 0; m < static_cast<int>(std::size(kPenModeRops)); ++m)
      if (kPenModeRops[m] == rop) {
        mode = static_cast<TPenMode>(m);
        break;
      }
    Canvas->Pen()->SetMode(mode);
  }
}

// ---- canvas: origins, pass-throughs, paths --------------------------------------------------------

TcxCanvas::TcxCanvas(TCanvas* ACanvas) : FCanvas(ACanvas) {}

TcxCanvas::~TcxCanvas() = default;

void TcxCanvas::ReadViewportOrigin(TPoint& P) const {
  POINT p{};
  GetViewportOrgEx(DeviceContext(), &p);
  P = p;
}

void TcxCanvas::ReadWindowOrigin(TPoint& P) const {
  POINT p{};
  GetWindowOrgEx(DeviceContext(), &p);
  P = p;
}

void TcxCanvas::PlaceViewportOrigin(const TPoint& P) { SetViewportOrgEx(DeviceContext(), P.X, P.Y, nullptr); }

void TcxCanvas::PlaceWindowOrigin(const TPoint& P) { SetWindowOrgEx(DeviceContext(), P.X, P.Y, nullptr); }

void TcxCanvas::DeviceOriginOffset(TPoint& P) const {
  TPoint viewport, window;
  ReadViewportOrigin(viewport);
  ReadWindowOrigin(window);
  P = TPoint(viewport.X - window.X, viewport.Y - window.Y);
}

void TcxCanvas::FillPolygon(const TPoint* Points, int LastIndex) {
  std::vector<POINT> p(Points, Points + LastIndex + 1);
  FCanvas->Polygon(p.data(), static_cast<int>(p.size()));
}

void TcxCanvas::DrawPolyline(const TPoint* Points, int LastIndex) {
  std::vector<POINT> p(Points, Points + LastIndex + 1);
  FCanvas->Polyline(p.data(), static_cast<int>(p.size()));
}

void TcxCanvas::OpenPath() { BeginPath(DeviceContext()); }

void TcxCanvas::ClosePath() { EndPath(DeviceContext()); }

std::unique_ptr<TcxRegion> TcxCanvas::RegionFromPath(bool ConsiderOrigin) {
  auto region = std::make_unique<TcxRegion>(PathToRegion(DeviceContext()));
  if (ConsiderOrigin) {
    TPoint offset;
    DeviceOriginOffset(offset);
    region->ShiftBy(-offset.X, -offset.Y);
  }
  return region;
}

// ---- canvas: clipping -------------------------------------------------------------------------------

std::unique_ptr<TcxRegion> TcxCanvas::CopyClipRegion(bool ConsiderOrigin) {
  auto region = std::make_unique<TcxRegion>();
  if (GetClipRgn(DeviceContext(), region->Handle()) != 1)
    SetRectRgn(region->Handle(), 0, 0, kNoClipExtent, kNoClipExtent);
  if (ConsiderOrigin) {
    TPoint offset;
    DeviceOriginOffset(offset);
    region->ShiftBy(-offset.X, -offset.Y);
  }
  return region;
}

void TcxCanvas::ApplyClipRegion(TcxRegion* Region, TcxRegionCombineMode Mode, bool DestroyRegion,
                                bool ConsiderOrigin) {
  if (!Region) return;
  if (Mode != rcmCopy) {
    std::unique_ptr<TcxRegion> clip = CopyClipRegion(ConsiderOrigin);
    clip->CombineWith(Region, Mode, DestroyRegion);
    ApplyClipRegion(clip.release(), rcmCopy, true, ConsiderOrigin);
    return;
  }
  TPoint offset;
  if (ConsiderOrigin) {
    DeviceOriginOffset(offset);
    Region->ShiftBy(offset.X, offset.Y);
  }
  SelectClipRgn(DeviceContext(), Region->Handle());
  if (DestroyRegion)
    delete Region;
  else if (ConsiderOrigin)
    Region->ShiftBy(-offset.X, -offset.Y);
}

void TcxCanvas::PushClipRegion() { FSavedRegions.push_back(CopyClipRegion(true)); }

void TcxCanvas::PopClipRegion() {
  if (FSavedRegions.empty()) return;
  ApplyClipRegion(FSavedRegions.back().release(), rcmCopy, true, true);
  FSavedRegions.pop_back();
}

void TcxCanvas::ExcludeRectFromClip(const TRect& R) { ExcludeClipRect(DeviceContext(), R.Left, R.Top, R.Right, R.Bottom); }

void TcxCanvas::ClipToRect(const TRect& R) { IntersectClipRect(DeviceContext(), R.Left, R.Top, R.Right, R.Bottom); }

bool TcxCanvas::IsRectVisible(const TRect& R) {
  RECT rc = R;
  return RectVisible(DeviceContext(), &rc) != FALSE;
}

// ---- canvas: saved states -------------------------------------------------------------------------

void TcxCanvas::PushDCState() {
  FCanvas->Lock();
  HDC dc = DeviceContext();
  FDCStates.push_back({dc, SaveDC(dc)});
}

void TcxCanvas::PopDCState() {
  if (FDCStates.empty()) return;
  const TcxDCState state = FDCStates.back();
  FCanvas->SetHandle(state.DC);
  RestoreDC(state.DC, state.SavedIndex);  // a failure leaves the DC as it is
  FDCStates.pop_back();
  FCanvas->Unlock();
}

void TcxCanvas::PushDrawingState() {
  SyncCanvasObjectsFromDC(FCanvas, DeviceContext());
  PushDCState();
  TcxCanvasState state{std::make_unique<TFont>(), std::make_unique<TBrush>(), std::make_unique<TPen>()};
  state.Font->Assign(FCanvas->Font());
  state.Brush->Assign(FCanvas->Brush());
  state.Pen->Assign(FCanvas->Pen());
  FCanvasStates.push_back(std::move(state));
}

void TcxCanvas::PopDrawingState() {
  if (FCanvasStates.empty()) return;
  {
    TcxCanvasState& state = FCanvasStates.back();
    FCanvas->Font()->Assign(state.Font.get());
    FCanvas->Brush()->Assign(state.Brush.get());
    FCanvas->Pen()->Assign(state.Pen.get());
  }
  FCanvasStates.pop_back();
  PopDCState();
}

// ---- canvas: fills and frames ----------------------------------------------------------------------

void TcxCanvas::ChangeBrushColor(TColor Colour) {
  TBrush* brush = FCanvas->Brush();
  if (brush->Color() != Colour || brush->Style() == bsClear) brush->SetColor(Colour);
}

void TcxCanvas::FillRectWithColor(const TRect& R, TColor Colour) {
  if (Colour == clNone) return;
  if (Colour != clDefault) ChangeBrushColor(Colour);
  FCanvas->FillRect(R);
}

void TcxCanvas::FillRectWithBitmap(const TRect& R, TBitmap* Bitmap, bool ExcludeRect) {
  if (RectHasNoArea(R)) return;
  if (Bitmap && !Bitmap->Empty()) {
    const int w = Bitmap->Width(), h = Bitmap->Height();
    HDC dest = DeviceContext();
    HDC source = Bitmap->Canvas()->Handle();
    for (int i = FloorDiv(R.Left, w), lastI = FloorDiv(R.Right - 1, w); i <= lastI; ++i)
      for (int j = FloorDiv(R.Top, h), lastJ = FloorDiv(R.Bottom - 1, h); j <= lastJ; ++j) {
        const TRect cell = MakeBoundsRect(i * w, j * h, w, h);
        TRect part;
        if (!IntersectRects(part, cell, R)) continue;
        BitBlt(dest, part.Left, part.Top, WidthOfRect(part), HeightOfRect(part), source, part.Left - cell.Left,
               part.Top - cell.Top, SRCCOPY);
      }
  } else {
    FCanvas->FillRect(R);
  }
  if (ExcludeRect) ApplyClipRegion(new TcxRegion(R), rcmDifference);
}

void TcxCanvas::DrawSideFrame(const TRect& R, TColor Colour, int LineWidth, TcxBorders Borders, bool ExcludeFrame) {
  if (RectHasNoArea(R)) return;
  if (Colour != clDefault && Colour != clNone) ChangeBrushColor(Colour);
  auto strip = [&](const TRect& S) {
    // clNone paints nothing, but a frame asked to be excluded still keeps its place.
    if (Colour == clNone) {
      if (ExcludeFrame && !RectHasNoArea(S)) ApplyClipRegion(new TcxRegion(S), rcmDifference);
    } else {
      FillRectWithBitmap(S, nullptr, ExcludeFrame);
    }
  };
  if (Borders.Contains(bLeft)) strip(TRect(R.Left, R.Top, std::min(R.Left + LineWidth, R.Right), R.Bottom));
  if (Borders.Contains(bRight)) strip(TRect(std::max(R.Right - LineWidth, R.Left), R.Top, R.Right, R.Bottom));
  if (Borders.Contains(bTop)) strip(TRect(R.Left, R.Top, R.Right, std::min(R.Top + LineWidth, R.Bottom)));
  if (Borders.Contains(bBottom)) strip(TRect(R.Left, std::max(R.Bottom - LineWidth, R.Top), R.Right, R.Bottom));
}

void TcxCanvas::FillRectWithFrame(const TRect& R, const TcxPaintParams& Params, TcxBorders Borders,
                                  TColor BorderColour, int LineWidth, bool ExcludeRect) {
  DrawSideFrame(R, BorderColour, LineWidth, Borders, ExcludeRect);
  TRect rest = R;
  if (Borders.Contains(bLeft)) rest.Left += LineWidth;
  if (Borders.Contains(bTop)) rest.Top += LineWidth;
  if (Borders.Contains(bRight)) rest.Right -= LineWidth;
  if (Borders.Contains(bBottom)) rest.Bottom -= LineWidth;
  const bool hasBitmap = Params.Bitmap && !Params.Bitmap->Empty();
  if (Params.Color == clNone && !hasBitmap) {
    if (ExcludeRect && !RectHasNoArea(rest)) ApplyClipRegion(new TcxRegion(rest), rcmDifference);
    return;
  }
  if (Params.Color != clDefault && Params.Color != clNone) ChangeBrushColor(Params.Color);
  FillRectWithBitmap(rest, Params.Bitmap, ExcludeRect);
}

void TcxCanvas::DrawTwoColorFrame(const TRect& R, TColor LeftTopColour, TColor RightBottomColour,
                                  TcxBorders Borders, int LineWidth) {
  if (Borders.Contains(bLeft)) FillRectWithColor(TRect(R.Left, R.Top, R.Left + LineWidth, R.Bottom), LeftTopColour);
  if (Borders.Contains(bTop)) FillRectWithColor(TRect(R.Left, R.Top, R.Right, R.Top + LineWidth), LeftTopColour);
  if (Borders.Contains(bRight))
    FillRectWithColor(TRect(R.Right - LineWidth, R.Top, R.Right, R.Bottom), RightBottomColour);
  if (Borders.Contains(bBottom))
    FillRectWithColor(TRect(R.Left, R.Bottom - LineWidth, R.Right, R.Bottom), RightBottomColour);
}

void TcxCanvas::Draw3DEdge(const TRect& R, bool Sunken, bool Outer, TcxBorders Borders) {
  TColor leftTop, rightBottom;
  if (Outer) {
    leftTop = Sunken ? clBtnShadow : cl3DLight;
    rightBottom = Sunken ? clBtnHighlight : cl3DDkShadow;
  } else {
    leftTop = Sunken ? cl3DDkShadow : clBtnHighlight;
    rightBottom = Sunken ? cl3DLight : clBtnShadow;
  }
  DrawTwoColorFrame(R, leftTop, rightBottom, Borders, 1);
}

void TcxCanvas::PaintFocusRect(const TRect& R) {
  ChangeBrushColor(clWhite);
  FCanvas->Font()->SetColor(clBlack);
  FCanvas->RequiredState({csHandleValid, csFontValid});
  FCanvas->DrawFocusRect(R);
}

void TcxCanvas::InvertArea(const TRect& R) {
  FCanvas->SetCopyMode(cmDstInvert);
  FCanvas->CopyRect(R, FCanvas, R);
  FCanvas->SetCopyMode(cmSrcCopy);
}

// ---- canvas: text ----------------------------------------------------------------------------------

bool TcxCanvas::MeasureText(const String& Text, TSize& Size) {
  Size = TSize();
  return MeasureTextOnDC(DeviceContext(), Text, Size);
}

int TcxCanvas::MeasureTextWidth(const String& Text) {
  TSize size;
  MeasureText(Text, size);
  return size.cx;
}

int TcxCanvas::MeasureTextHeight(const String& Text) {
  TSize size;
  MeasureText(Text, size);
  return size.cy;
}

void TcxCanvas::CalcTextRect(const String& Text, TRect& R, LibraryTextFlags Flags) {
  const UINT format = TextFlagsToDrawTextFormat(Flags);
  if (!Text.empty() && WidthOfRect(R) <= 0) R.Right = R.Left + 1;
  const TRect given = R;
  TRect measured = R;
  // Measured from R's top-left; the alignment within R is applied below, so neither vertical
  // alignment may move the measured rectangle.
  if (DrawTextOnDC(DeviceContext(), Text, measured, (format | DT_CALCRECT) & ~(DT_VCENTER | DT_BOTTOM), -1, clDefault,
                   TRANSPARENT) == 0) {
    R = TRect(given.Left, given.Top, given.Left, given.Top);
    return;
  }
  int dx = 0, dy = 0;
  if (format & DT_CENTER)
    dx = (WidthOfRect(given) - WidthOfRect(measured)) / 2;
  else if (format & DT_RIGHT)
    dx = WidthOfRect(given) - WidthOfRect(measured);
  if (format & DT_VCENTER)
    dy = (HeightOfRect(given) - HeightOfRect(measured)) / 2;
  else if (format & DT_BOTTOM)
    dy = HeightOfRect(given) - HeightOfRect(measured);
  R = ShiftRect(measured, dx, dy, true);
}

void TcxCanvas::DrawTextInRect(const String& Text, const TRect& R, LibraryTextFlags Flags, bool Enabled) {
  DrawTextRotatable(Text, R, Flags, Enabled, rcNone);
}

void TcxCanvas::DrawTextRotatable(const String& Text, const TRect& Rect, LibraryTextFlags Flags, bool Enabled,
                                  TcxRotationCode Rotation) {
  if (Text.empty()) return;
  TRect R = Rect;
  const bool drawTextPath = !(Flags & ltfSingleLine) || Rotation != rcNone ||
                            (Flags & (ltfShowPrefix | ltfEndEllipsis | ltfPathEllipsis));
  TSize size;
  MeasureText(Text, size);
  if (WidthOfRect(R) >= size.cx && HeightOfRect(R) >= size.cy) Flags |= ltfNoClip;
  const int d = Enabled ? 0 : 1;

  UINT format = 0, options = 0;
  if (drawTextPath) {
    if (!(Flags & ltfSingleLine) && (Flags & (ltfAlignBottom | ltfCenterVert)))
      PlaceTextBlockVertically(R, Text, Flags & ltfEndEllipsis, Flags & ltfNoWordSplit, Enabled,
                               Flags & ltfShowPrefix, Flags & ltfWordBreak, (Flags & ltfAlignBottom) ? 1 : 2);
    format = TextFlagsToDrawTextFormat(Flags);
  } else {
    if (size.cx < WidthOfRect(R)) {
      if ((Flags & ltfHorzMask) == ltfAlignRight)
        R.Left = R.Right - size.cx - d;
      else if ((Flags & ltfHorzMask) == ltfCenterHorz)
        R.Left = (R.Left + R.Right - size.cx) / 2;
    }
    if (size.cy < HeightOfRect(R)) {
      if ((Flags & ltfVertMask) == ltfAlignBottom)
        R.Top = R.Bottom - size.cy - d;
      else if ((Flags & ltfVertMask) == ltfCenterVert)
        R.Top = (R.Top + R.Bottom - size.cy) / 2;
    }
    options = (Flags & ltfNoClip) ? 0 : ETO_CLIPPED;
  }

  auto draw = [&](const TRect& At) {
    if (drawTextPath)
      DrawTextRotated(this, Text, At, format, clDefault, Rotation);
    else
      TextOutOnDC(DeviceContext(), Text, At.TopLeft(), At, options);
  };
  TBrush* brush = FCanvas->Brush();
  TFont* font = FCanvas->Font();
  const TBrushStyle brushStyle = brush->Style();
  const TColor fontColour = font->Color();
  if (!Enabled) {
    brush->SetStyle(bsClear);
    font->SetColor(clBtnHighlight);
    draw(ShiftRect(R, 1, 1, true));
    font->SetColor(clBtnShadow);
  }
  draw(R);
  if (brush->Style() != brushStyle) brush->SetStyle(brushStyle);
  font->SetColor(fontColour);
}

void TcxCanvas::PlaceTextBlockVertically(TRect& R, const String& Text, bool EndEllipsis, bool NoCharBreak,
                                         bool Enabled, bool ShowPrefix, bool WordBreak, int Alignment) {
  if (Alignment == 0) return;
  const int d = Enabled ? 0 : 1;
  int blockHeight = 0;
  if (EndEllipsis && WordBreak) {
    // A font that cannot be measured gives rows of no height: the block is then of height 0.
    const int rowHeight = MeasureTextHeight("Wg");
    if (rowHeight > 0) blockHeight = std::max(rowHeight, rowHeight * ((HeightOfRect(R) - d) / rowHeight));
  } else {
    TRect block(0, 0, WidthOfRect(R) - d, 0);
    LibraryTextFlags flags = ltfAlignLeft | ltfAlignTop;
    if (WordBreak) flags |= ltfWordBreak;
    if (ShowPrefix) flags |= ltfShowPrefix;
    if (NoCharBreak) flags |= ltfNoWordSplit;
    CalcTextRect(Text, block, flags);
    blockHeight = block.Bottom;
  }
  if (Alignment == 1)
    R.Top = R.Bottom - blockHeight - d;
  else
    R.Top = (R.Top + R.Bottom - blockHeight) / 2;
}

void TcxCanvas::SetFontAngle(int Degrees) {
  LOGFONT lf;
  if (GetObject(FCanvas->Font()->Handle(), sizeof lf, &lf) == 0) return;
  lf.lfEscapement = Degrees * 10;
  if (Degrees != 0) lf.lfOutPrecision = 7;  // OUT_TT_ONLY_PRECIS
  if (HFONT font = CreateFontIndirect(&lf)) FCanvas->Font()->SetHandle(font);
}

// ---- bitmaps ------------------------------------------------------------------------------------------

void RotateBitmapPixels(TBitmap* Bitmap, TcxRotationCode Rotation, bool Flip) {
  if (!Bitmap || Bitmap->Empty() || (Rotation == rcNone && !Flip)) return;
  const int w = Bitmap->Width(), h = Bitmap->Height();
  TRGBColors source;
  if (!GetBitmapColors(Bitmap->Handle(), source, true)) return;
  const bool turned = Rotation == rcTurnLeft || Rotation == rcTurnRight;
  const int newW = turned ? h : w, newH = turned ? w : h;
  TRGBColors result(source.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int nx = x, ny = y;
      switch (Rotation) {
        case rcTurnLeft: nx = y, ny = w - 1 - x; break;
        case rcTurnRight: nx = h - 1 - y, ny = x; break;
        case rcHalfTurn: nx = w - 1 - x, ny = h - 1 - y; break;
        case rcNone: break;
      }
      if (Flip) ny = newH - 1 - ny;
      result[static_cast<std::size_t>(ny) * newW + nx] = source[static_cast<std::size_t>(y) * w + x];
    }
  if (turned) Bitmap->SetSize(newW, newH);
  StoreBitmapColors(Bitmap->Handle(), result, true);
}

void TcxCanvas::RotateBitmap(TBitmap* Bitmap, TcxRotationCode Rotation, bool Flip) {
  RotateBitmapPixels(Bitmap, Rotation, Flip);
}

// ---- screen and paint canvases ------------------------------------------------------------------

void TScreenCanvas::AcquireDesktopDC() {
  FWindow = GetDesktopWindow();
  FDeviceContext = GetDCEx(FWindow, nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  SetHandle(FDeviceContext);
}

void TScreenCanvas::ReleaseDesktopDC() {
  if (!FDeviceContext) return;
  SetHandle(nullptr);
  ReleaseDC(FWindow, FDeviceContext);
  FDeviceContext = nullptr;
  FWindow = nullptr;
}

TcxScreenCanvas::TcxScreenCanvas() : TcxCanvas(new TScreenCanvas) {}

TcxScreenCanvas::~TcxScreenCanvas() { delete FCanvas; }

void TcxScreenCanvas::ReleaseScreenDC() { static_cast<TScreenCanvas*>(FCanvas)->ReleaseDesktopDC(); }

TcxPaintCanvas::~TcxPaintCanvas() {
  while (!FLevels.empty()) PopLevel();
}

void TcxPaintCanvas::PushDC(HDC DC) {
  auto canvas = std::make_unique<TCanvas>();
  canvas->SetHandle(DC);
  FLevels.push_back({FCanvas, DC, SaveDC(DC), nullptr});
  try {
    SyncCanvasObjectsFromDC(canvas.get(), DC);
    FCanvas = canvas.get();
    FLevels.back().OwnedCanvas = std::move(canvas);
    PushDrawingState();
  } catch (...) {
    // A push that fails (a DC that cannot be drawn into) leaves no level: the caller, which pops
    // only what it pushed, would otherwise leave it behind.
    TcxPaintCanvasState& level = FLevels.back();
    level.OwnedCanvas.reset();
    RestoreDC(level.DC, level.SavedIndex);
    FCanvas = level.PrevCanvas;
    FLevels.pop_back();
    throw;
  }
}

void TcxPaintCanvas::PushCanvas(TCanvas* ACanvas) {
  FLevels.push_back({FCanvas, nullptr, 0, nullptr});
  FCanvas = ACanvas;
  PushDrawingState();
}

void TcxPaintCanvas::PopLevel() {
  if (FLevels.empty()) return;
  PopDrawingState();
  TcxPaintCanvasState& level = FLevels.back();
  if (level.OwnedCanvas) {
    level.OwnedCanvas.reset();  // lets go of its objects in the DC first
    RestoreDC(level.DC, level.SavedIndex);
  }
  FCanvas = level.PrevCanvas;
  FLevels.pop_back();
}

namespace {

TcxScreenCanvas* gScreenCanvas = nullptr;
TcxPaintCanvas* gPaintCanvas = nullptr;
bool gSharedCanvasesShutDown = false;

}  // namespace

TcxScreenCanvas* ScreenCanvasInstance() {
  if (!gScreenCanvas && !gSharedCanvasesShutDown) gScreenCanvas = new TcxScreenCanvas;
  return gScreenCanvas;
}

TcxPaintCanvas* PaintCanvasInstance() {
  if (!gPaintCanvas && !gSharedCanvasesShutDown) gPaintCanvas = new TcxPaintCanvas;
  return gPaintCanvas;
}

void ClearSharedCanvasShutdownMark() { gSharedCanvasesShutDown = false; }

void ReleaseSharedCanvases() {
  gSharedCanvasesShutDown = true;
  delete gScreenCanvas;
  gScreenCanvas = nullptr;
  delete gPaintCanvas;
  gPaintCanvas = nullptr;
}
