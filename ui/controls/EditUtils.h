#pragma once
// What every editor paints with: solid brushes by colour from one process-wide cache, pixel-exact
// lines and rectangle sides, the arrows of drop-down and spin buttons, and the text-flag
// conversions between the two text APIs the editors use.
#include <cstdint>
#include <vector>

#include "platform/classes/Graphics.h"
#include "platform/classes/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/TextLayout.h"
#include "ui/foundation/Types.h"

// Solid brushes keyed by colour, kept sorted for binary search. Editors paint many small areas in
// a handful of colours; caching keeps them from making a brush per fill, and the capacity keeps
// many one-off colours from exhausting the brush handles. System colours are answered by the
// system's own brushes and never enter the cache.
class TcxSolidBrushCache : public TObject {
  VW_CLASS(TcxSolidBrushCache, TObject)
 public:
  explicit TcxSolidBrushCache(int ACapacity = 128);
  ~TcxSolidBrushCache() override;

  // The handle stays owned by the cache and may be deleted by a later lookup that evicts it:
  // fetch it right before use and do not keep it.
  win::HBRUSH GetBrush(TColor Color);
  void DropAllBrushes();
  void SystemPaletteChanged() { DropAllBrushes(); }

  int Count() const { return FCount; }
  int Capacity() const { return FCapacity; }
  TColor ColorAt(int Index) const { return FColors[Index]; }
  std::uint32_t UseCountAt(int Index) const { return FUseCounts[Index]; }

 private:
  // The entry to give up when full: the smallest use count, the lowest index on ties; a count of
  // 0 cannot be beaten, so the scan stops there.
  int RarestIndex() const;

  std::vector<TColor> FColors;
  std::vector<win::HBRUSH> FBrushes;
  std::vector<std::uint32_t> FUseCounts;
  int FCount = 0;
  int FCapacity;
  TcxSystemPaletteChangedNotifier* FNotifier = nullptr;
};

// The process-wide cache and the system-colour brushes, made at the control unit's start-up and
// freed at its shutdown.
void EditPaintingStartup();
void EditPaintingShutdown();
TcxSolidBrushCache* SolidBrushCache();

// The caller must not delete the handle (see TcxSolidBrushCache::GetBrush).
win::HBRUSH CachedSolidBrush(TColor Color);
inline win::HBRUSH CachedSolidBrushForCanvas(TCanvas*, TColor Color) { return CachedSolidBrush(Color); }
inline win::HBRUSH CachedSolidBrushForCxCanvas(TcxCanvas*, TColor Color) { return CachedSolidBrush(Color); }

void FillRectSolid(TcxCanvas* ACanvas, const TRect& R, TColor Color);
void FillRectWithBrush(win::HDC DC, const TRect& R, win::HBRUSH Brush);
// Outer without Inner, in four strips; nothing when Outer is empty or equals Inner.
void FillRectExcluding(TcxCanvas* ACanvas, const TRect& Outer, const TRect& Inner, win::HBRUSH Brush);

// SegmentCount + 1 points. Pixel-exact segments are axis-parallel (equal X means vertical) and
// cover their first point up to, not including, their second; the last point is drawn on its own.
void DrawEditPolyline(TcxCanvas* ACanvas, const TPoint* Points, int SegmentCount, bool PixelExact, TColor Color);

// Rectangle sides for DrawRectSides; each drawn side moves that edge of the rectangle inward.
inline constexpr int rsLeft = 1, rsTop = 2, rsRight = 4, rsBottom = 8;
void DrawRectSides(TcxCanvas* ACanvas, TRect& R, int Sides, TColor Color);

// The arrow for a button of Size: its width across the direction and its height along it
// (swapped for left and right, so cx stays horizontal).
TSize EditArrowSize(const TSize& Size, TcxArrowPointing Direction);
// Count triangles of extent A along Direction, centred in R (one pixel right and down when
// Pressed), each following the last A pixels further along.
void DrawEditArrow(TcxCanvas* ACanvas, int A, const TRect& R, TColor Color, bool Pressed, int Count,
                   TcxArrowPointing Direction);

bool CharIsDecimalDigit(char C);
bool OffsetRectByPoint(TRect& R, const TPoint& P);

// DrawText format flags to text-layout flags and back; alignment, single line, word break, tab
// expansion and measuring keep their meaning, other bits are dropped.
TcxTextLayoutFlags ConvertDrawTextFlags(win::UINT Flags);
win::UINT ConvertTextLayoutFlagsToDrawText(TcxTextLayoutFlags Flags);

// ---- glyphs -------------------------------------------------------------------------------------------

// The glyph with its transparent colour at (X, Y): through Target (drawn at X, Y afterwards) when
// given, else straight onto the canvas; greyed when not Enabled. Background clNone keeps what is
// under the transparent pixels.
void DrawGlyphOnCanvas(TcxCanvas* ACanvas, int X, int Y, TBitmap* Target, TColor Background, bool Enabled,
                       TBitmap* Glyph);
// The image drawn over Background into Bitmap (a temporary one of the list's size when nil), which
// then goes to R's top-left.
void DrawImageListImageBuffered(TcxCanvas* ACanvas, TCustomImageList* Images, int Index, TBitmap* Bitmap,
                                bool Enabled, TColor Background, const TRect& R);

// ---- editor metrics and colours -----------------------------------------------------------------------

TcxCustomLookAndFeelPainterClass LookAndFeelPainterClassFor(bool Native, TcxLookAndFeelKind Kind);
// The Office-2003 frame colour, else the highlight.
TColor UltraFlatButtonBorderColor(bool Office11);
// The face of a pressed (else hot) button of the Office-2003 or the ultra-flat painter.
TColor UltraFlatButtonFillColor(bool Pressed, bool Office11);
void SetCanvasFontFromLogFont(TcxCanvas* ACanvas, const win::LOGFONT& LogFont);
bool ReadCanvasLogFont(TcxCanvas* ACanvas, win::LOGFONT& LogFont);
