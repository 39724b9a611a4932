#pragma once
// Item images (cached per item control), size grips and the theme colours and parts the bar
// library draws with; every themed answer falls back to the system colours and the classic look
// when the theme library or the theme's part is missing.
#include "platform/classes/Bitmap.h"
#include "platform/classes/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "platform/theme/Theme.h"
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/Types.h"

// ---- item images --------------------------------------------------------------------------------

// The last image an item control prepared: the picture at the image's size and what it was made
// from (draw mode, and the glyph, or without one the image list).
class TdxCachedImageOptions : public TObject {
  VW_CLASS(TdxCachedImageOptions, TObject)
 public:
  TdxCachedImageOptions();
  ~TdxCachedImageOptions() override;

  TcxAlphaBitmap* Glyph() const { return FGlyph; }
  bool Valid = false;
  int DrawMode = 0;
  TCustomImageList* ImageList = nullptr;
  TBitmap* GlyphBitmap = nullptr;

 private:
  TcxAlphaBitmap* FGlyph;
};

// Draws the image at R's size into the cache and keys it by mode, list and glyph.
void PrepareCachedGlyph(TdxCachedImageOptions* Cache, const TRect& R, TBitmap* Glyph, int DrawMode, bool Smooth,
                        TColor TransparentColor, bool UseGlyphTransparentColor, int ImageIndex,
                        TCustomImageList* ImageList);
// Valid, made in the same mode and from the same glyph (or, without a glyph, the same list), and
// not empty.
bool CachedGlyphMatches(const TdxCachedImageOptions* Cache, int DrawMode, TBitmap* Glyph,
                        TCustomImageList* ImageList);

// Draws an item's glyph (or list image) in DrawMode (GlyphDrawMode's answer) at ImageRect within
// DestRect. BackgroundColor is the list's transparent colour; an assigned glyph brings its own.
// With a cache while glyphs are cached, and not shadowed (mode 5), the image comes from the cache,
// made again when its key changed, and is drawn as it stands, without the image-drawing hook.
// Without a cache (the customization dialog) the image is drawn directly.
void PaintItemImage(win::HDC DC, const TRect& ImageRect, const TRect& DestRect, int DrawMode, TBitmap* Glyph,
                    TCustomImageList* ImageList, int ImageIndex, TColor BackgroundColor, bool Smooth,
                    bool UseLeftBottomPixelAsTransparent, win::HBRUSH BackgroundBrush,
                    TdxCachedImageOptions* Cache = nullptr, bool CacheGlyphs = false);
// Normal when enabled, else the disabled look.
void DrawGlyphEnabled(win::HDC DC, const TRect& R, TBitmap* Bitmap, bool Enabled);

// ---- size grips ---------------------------------------------------------------------------------

// The classic size-grip glyph over what lies in R: its button-face pixels stay transparent.
void DrawTransparentSizeGrip(win::HDC DC, const win::RECT& R);

// ---- theme helpers ------------------------------------------------------------------------------

// 1 for an enabled item control, 4 (disabled) otherwise.
inline int EditThemeState(bool Enabled) { return Enabled ? 1 : 4; }
// The window colour; a disabled edit takes the theme's fill colour when it has one.
win::COLORREF ThemedEditFillColor(win::HTHEME Theme, int State);
// The theme's text colour for the state, else gray text when disabled and window text otherwise.
win::COLORREF ThemedEditTextColor(win::HTHEME Theme, int State);
// The toolbar theme's fill colour, else button face.
win::COLORREF ThemedToolbarColor();
// The window theme's small close button; 0 x 0 without a theme.
TSize ThemedCloseButtonSize();
// Places the button vertically centred in R, as far from the left (sides 1 and 3) or right edge as
// from the top; R becomes the button's rectangle, filled with button face under the theme part.
// State: 3 pressed, 2 selected, 1 normal.
void DrawThemedCloseButton(win::HDC DC, win::RECT& R, bool Selected, int Side, bool Pressed);
// The scroll-bar theme's size grip with a pixel's margin on every side; 2 x 2 without a theme.
TSize ThemedSizeGripSize();
// Puts the themed grip into a corner of R (0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right),
// mirrored to face that corner; R becomes the grip's rectangle.
void DrawThemedSizeGrip(win::HDC DC, win::RECT& R, int Corner);
