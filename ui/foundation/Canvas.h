#pragma once
// The library's canvas: a thin wrapper over a class-library TCanvas (which it does not own) that
// adds what the painters need: a stack of clip regions, stacks of device-context and drawing
// states, side-by-side frames, fills that honour clNone and clDefault, text output by the
// library's flag word (also rotated and disabled), bitmap tiling and rotation. TcxRegion owns one
// region handle. The screen canvas measures on the desktop; the paint canvas is bound for one
// paint level at a time to a raw device context or to another canvas.
//
// All rectangles are logical coordinates of the wrapped device context unless a name says
// otherwise; "no clipping" is always the rectangle (0, 0, 30000, 30000), never an empty region.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "ui/foundation/Types.h"

// ---- vocabulary -----------------------------------------------------------------------------------

VW_ENUM(TcxBorder, bLeft, bTop, bRight, bBottom)
using TcxBorders = TSet<TcxBorder>;
inline constexpr TcxBorders cxBordersAll{bLeft, bTop, bRight, bBottom};

// In this order the GDI combine modes RGN_COPY, RGN_OR, RGN_DIFF and RGN_AND.
enum TcxRegionCombineMode : std::uint8_t { rcmCopy, rcmUnion, rcmDifference, rcmIntersect };

// rcTurnLeft is a quarter turn counter-clockwise: the pixel at (x, y) of a W-wide picture goes to
// (y, W-1-x); rcTurnRight clockwise: to (H-1-y, x).
enum TcxRotationCode : std::uint8_t { rcNone, rcTurnLeft, rcTurnRight, rcHalfTurn };

// The library's text flag word (TextFlagsToDrawTextFormat gives the DrawText equivalent).
using LibraryTextFlags = std::uint32_t;
inline constexpr LibraryTextFlags ltfAlignLeft = 0x0001;
inline constexpr LibraryTextFlags ltfAlignRight = 0x0002;
inline constexpr LibraryTextFlags ltfCenterHorz = 0x0004;
inline constexpr LibraryTextFlags ltfAlignTop = 0x0008;
inline constexpr LibraryTextFlags ltfAlignBottom = 0x0010;
inline constexpr LibraryTextFlags ltfCenterVert = 0x0020;
inline constexpr LibraryTextFlags ltfSingleLine = 0x0040;
inline constexpr LibraryTextFlags ltfNoClip = 0x0080;
inline constexpr LibraryTextFlags ltfExpandTabs = 0x0100;
inline constexpr LibraryTextFlags ltfShowPrefix = 0x0200;
inline constexpr LibraryTextFlags ltfWordBreak = 0x0400;
inline constexpr LibraryTextFlags ltfEndEllipsis = 0x0800;
inline constexpr LibraryTextFlags ltfMeasureOnly = 0x1000;
inline constexpr LibraryTextFlags ltfPathEllipsis = 0x2000;
inline constexpr LibraryTextFlags ltfNoWordSplit = 0x4000;
inline constexpr LibraryTextFlags ltfNoFullWidthCharBreak = 0x8000;
inline constexpr LibraryTextFlags ltfHorzMask = 0x0007;
inline constexpr LibraryTextFlags ltfVertMask = 0x0038;

// What painters hand to the canvas fills.
struct TcxPaintParams {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// ---- region ---------------------------------------------------------------------------------------

class TcxRegion : public TObject {
  VW_CLASS(TcxRegion, TObject)
 public:
  // The rectangular region (0, 0, 0, 0).
  TcxRegion();
  // Takes ownership of the handle (0 allowed).
  explicit TcxRegion(win::HRGN AHandle) : FHandle(AHandle) {}
  explicit TcxRegion(const TRect& R);
  TcxRegion(int Left, int Top, int Right, int Bottom);
  ~TcxRegion() override { ReleaseHandle(); }

  win::HRGN Handle() const { return FHandle; }
  // Deletes the handle (when there is one) and forgets it.
  void ReleaseHandle();

  bool HasNoArea() const;
  // rcmCopy copies Other into this region; the other modes combine this region with Other. Other
  // is freed afterwards when DestroyOther is set.
  void CombineWith(TcxRegion* Other, TcxRegionCombineMode Mode, bool DestroyOther = true);
  // Other is assigned and both are without area, or the platform finds them equal.
  bool SameAs(const TcxRegion* Other) const;
  bool SameAsHandle(win::HRGN Other) const;
  void ShiftBy(int DX, int DY);
  void ShiftByPoint(const TPoint& P) { ShiftBy(P.X, P.Y); }
  bool ContainsXY(int X, int Y) const;
  bool ContainsPoint(const TPoint& P) const { return ContainsXY(P.X, P.Y); }

 private:
  win::HRGN FHandle = nullptr;
};

// ---- canvas ---------------------------------------------------------------------------------------

// Gives the canvas new font, brush and pen handles made from the objects selected in DC and sets
// the matching properties (font colour from the DC's text colour, pen mode from its mix mode).
void SyncCanvasObjectsFromDC(TCanvas* Canvas, win::HDC DC);

class TcxCanvas : public TObject {
  VW_CLASS(TcxCanvas, TObject)
 public:
  explicit TcxCanvas(TCanvas* ACanvas);
  ~TcxCanvas() override;

  TCanvas* Canvas() const { return FCanvas; }
  void SetCanvas(TCanvas* Value) { FCanvas = Value; }

  // The wrapped canvas's handle; asking makes the canvas create its context and select its font,
  // pen and brush.
  win::HDC DeviceContext() const { return FCanvas->Handle(); }
  TBrush* ActiveBrush() const { return FCanvas->Brush(); }
  TFont* ActiveFont() const { return FCanvas->Font(); }
  TPen* ActivePen() const { return FCanvas->Pen(); }
  void AssignBrush(TBrush* Value) { FCanvas->Brush()->Assign(Value); }
  void AssignFont(TFont* Value) { FCanvas->Font()->Assign(Value); }
  TCopyMode CopyModeValue() const { return FCanvas->CopyMode(); }
  void ChangeCopyMode(TCopyMode Value) { FCanvas->SetCopyMode(Value); }

  void ReadViewportOrigin(TPoint& P) const;
  void ReadWindowOrigin(TPoint& P) const;
  void PlaceViewportOrigin(const TPoint& P);
  void PlaceWindowOrigin(const TPoint& P);
  // Viewport minus window origin: what moves logical coordinates to device coordinates.
  void DeviceOriginOffset(TPoint& P) const;
  void SyncObjectsFromDC(win::HDC DC) { SyncCanvasObjectsFromDC(FCanvas, DC); }

  void PutPixel(int X, int Y, TColor Colour) { FCanvas->SetPixels(X, Y, Colour); }
  void MoveToPoint(int X, int Y) { FCanvas->MoveTo(X, Y); }
  void LineToPoint(int X, int Y) { FCanvas->LineTo(X, Y); }
  // Points[0] to Points[LastIndex], filled with the brush and outlined with the pen.
  void FillPolygon(const TPoint* Points, int LastIndex);
  void DrawPolyline(const TPoint* Points, int LastIndex);
  void DrawGraphic(int X, int Y, TGraphic* Graphic) { FCanvas->Draw(X, Y, Graphic); }
  // With the current copy mode.
  void CopyRectFrom(const TRect& DestRect, TCanvas* SourceCanvas, const TRect& SourceRect) {
    FCanvas->CopyRect(DestRect, SourceCanvas, SourceRect);
  }

  void OpenPath();
  void ClosePath();
  // The path as a region, in logical coordinates when ConsiderOrigin.
  std::unique_ptr<TcxRegion> RegionFromPath(bool ConsiderOrigin = true);

  // ---- clipping ----
  // The clip region, or (0, 0, 30000, 30000) when there is none; in logical coordinates when
  // ConsiderOrigin, else in device coordinates.
  std::unique_ptr<TcxRegion> CopyClipRegion(bool ConsiderOrigin = true);
  // Combines Region into the clip region by Mode. Region is freed when DestroyRegion, else given
  // back unchanged.
  void ApplyClipRegion(TcxRegion* Region, TcxRegionCombineMode Mode, bool DestroyRegion = true,
                       bool ConsiderOrigin = true);
  void PushClipRegion();
  // Nothing when nothing was pushed.
  void PopClipRegion();
  void ExcludeRectFromClip(const TRect& R);
  void ClipToRect(const TRect& R);
  bool IsRectVisible(const TRect& R);

  // ---- saved states (each push paired with one pop; a pop on an empty stack does nothing) ----
  void PushDCState();
  void PopDCState();
  void PushDrawingState();
  void PopDrawingState();

  // ---- fills and frames ----
  // A new colour, or any colour on a clear brush (which the colour makes solid).
  void ChangeBrushColor(TColor Colour);
  // clNone draws nothing; clDefault fills with the brush as it is.
  void FillRectWithColor(const TRect& R, TColor Colour);
  // Tiles the bitmap on a grid anchored at logical (0, 0); without a bitmap fills with the brush.
  // ExcludeRect takes R out of the clip afterwards, so later painting cannot overwrite it.
  void FillRectWithBitmap(const TRect& R, TBitmap* Bitmap, bool ExcludeRect = false);
  // Strips LineWidth wide along the sides in Borders, clamped to R; left, right, top, bottom.
  void DrawSideFrame(const TRect& R, TColor Colour, int LineWidth = 1, TcxBorders Borders = cxBordersAll,
                     bool ExcludeFrame = false);
  void FillRectWithFrame(const TRect& R, const TcxPaintParams& Params, TcxBorders Borders, TColor BorderColour,
                         int LineWidth = 1, bool ExcludeRect = false);
  // Left and top in LeftTopColour, then right and bottom (unclamped) in RightBottomColour, which
  // therefore owns the top-right and bottom-left corners.
  void DrawTwoColorFrame(const TRect& R, TColor LeftTopColour, TColor RightBottomColour,
                         TcxBorders Borders = cxBordersAll, int LineWidth = 1);
  void Draw3DEdge(const TRect& R, bool Sunken, bool Outer, TcxBorders Borders = cxBordersAll);
  void PaintFocusRect(const TRect& R);
  // Leaves the copy mode at SRCCOPY, whatever it was.
  void InvertArea(const TRect& R);

  // ---- text ----
  bool MeasureText(const String& Text, TSize& Size);
  int MeasureTextWidth(const String& Text);
  int MeasureTextHeight(const String& Text);
  // The rectangle the text occupies when drawn into R with the flags, placed inside R by the
  // flags' alignment; an empty rectangle at R's top-left when measuring fails.
  void CalcTextRect(const String& Text, TRect& R, LibraryTextFlags Flags);
  void DrawTextInRect(const String& Text, const TRect& R, LibraryTextFlags Flags, bool Enabled = true);
  // Disabled text is drawn twice: in clBtnHighlight one pixel right and down, then in
  // clBtnShadow.
  void DrawTextRotatable(const String& Text, const TRect& R, LibraryTextFlags Flags, bool Enabled,
                         TcxRotationCode Rotation);
  // Alignment 0 none, 1 bottom, 2 centre: moves R.Top so that the text block sits there.
  void PlaceTextBlockVertically(TRect& R, const String& Text, bool EndEllipsis, bool NoCharBreak, bool Enabled,
                                bool ShowPrefix, bool WordBreak, int Alignment);
  // Non-zero angles take TrueType faces only. The angle lives in the font's handle: set the font's
  // other attributes first.
  void SetFontAngle(int Degrees);

  // ---- bitmaps ----
  // Turns the picture (the canvas is not used); Flip then mirrors it top to bottom.
  void RotateBitmap(TBitmap* Bitmap, TcxRotationCode Rotation, bool Flip = false);

 protected:
  struct TcxDCState {
    win::HDC DC;
    int SavedIndex;
  };
  struct TcxCanvasState {
    std::unique_ptr<TFont> Font;
    std::unique_ptr<TBrush> Brush;
    std::unique_ptr<TPen> Pen;
  };

  TCanvas* FCanvas;
  std::vector<TcxDCState> FDCStates;
  std::vector<std::unique_ptr<TcxRegion>> FSavedRegions;
  std::vector<TcxCanvasState> FCanvasStates;
};

// The same rearrangement as TcxCanvas::RotateBitmap, for callers without a canvas.
void RotateBitmapPixels(TBitmap* Bitmap, TcxRotationCode Rotation, bool Flip);

// ---- screen and paint canvases ------------------------------------------------------------------

// A class-library canvas on the desktop window's device context, taken when first needed.
class TScreenCanvas : public TCanvas {
  VW_CLASS(TScreenCanvas, TCanvas)
 public:
  TScreenCanvas() = default;
  ~TScreenCanvas() override { ReleaseDesktopDC(); }
  void ReleaseDesktopDC();

 protected:
  void CreateHandle() override { AcquireDesktopDC(); }

 private:
  void AcquireDesktopDC();
  win::HDC FDeviceContext = nullptr;
  win::HWND FWindow = nullptr;
};

// Measures text without a window; owns its screen canvas.
class TcxScreenCanvas : public TcxCanvas {
  VW_CLASS(TcxScreenCanvas, TcxCanvas)
 public:
  TcxScreenCanvas();
  ~TcxScreenCanvas() override;
  // The next drawing or measuring takes a fresh desktop DC.
  void ReleaseScreenDC();
};

// One shared canvas that code painting into a raw device context binds for a paint level. Levels
// nest; every push is followed by exactly one PopLevel.
class TcxPaintCanvas : public TcxCanvas {
  VW_CLASS(TcxPaintCanvas, TcxCanvas)
 public:
  TcxPaintCanvas() : TcxCanvas(nullptr) {}
  ~TcxPaintCanvas() override;

  // Binds a new canvas on DC whose font, brush and pen are the DC's; PopLevel frees it and puts
  // the DC back to its saved state.
  void PushDC(win::HDC DC);
  void PushCanvas(TCanvas* ACanvas);
  // Nothing at level 0.
  void PopLevel();
  int LevelCount() const { return static_cast<int>(FLevels.size()); }

 private:
  struct TcxPaintCanvasState {
    TCanvas* PrevCanvas;
    win::HDC DC;     // of a PushDC level
    int SavedIndex;  // 0 for a PushCanvas level
    std::unique_ptr<TCanvas> OwnedCanvas;  // the temporary canvas of a PushDC level
  };
  std::vector<TcxPaintCanvasState> FLevels;
};

// The shared instances, made on first use; null once the graphics shutdown has begun.
TcxScreenCanvas* ScreenCanvasInstance();
TcxPaintCanvas* PaintCanvasInstance();
// Graphics start-up clears the shutdown mark; shutdown sets it and frees both instances.
void ClearSharedCanvasShutdownMark();
void ReleaseSharedCanvases();
