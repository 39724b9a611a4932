#pragma once
// Drawing skin elements: the canvas one draw call paints on, the nine-part routines, and the
// caches that keep an element's rendering for elements drawn again and again at one size.
#include "ui/foundation/Bitmaps.h"
#include "ui/foundation/GPGraphics.h"
#include "ui/skins/Skin.h"

// One GDI+ graphics for the length of one draw call.
class TdxSkinCanvas : public TObject {
  VW_CLASS(TdxSkinCanvas, TObject)
 public:
  TdxSkinCanvas() = default;
  ~TdxSkinCanvas() override;
  void BeginPaint(win::HDC DC, const win::RECT& R);
  // Takes the graphics over; EndPaint deletes it.
  void BeginPaintOnGraphics(win::GpGraphics* Graphics);
  void EndPaint();
  // A GDI fill on the graphics' device context.
  void FillRectColor(const win::RECT& R, TColor Color);
  TdxGPGraphics* Graphics() const { return FGraphics; }

 private:
  TdxGPGraphics* FGraphics = nullptr;
};

// The nine parts top-left, top, top-right, left, centre, right, bottom-left, bottom,
// bottom-right of R less the margins.
void SplitNineParts(const win::RECT& R, const win::RECT& Margins, win::RECT (&Parts)[9]);
// Shrinks margins that do not fit into R in proportion, so that the nine parts never overlap.
void FitMargins(win::RECT& Margins, const win::RECT& R);
void FillSkinGradient(TdxSkinCanvas* Canvas, const win::RECT& R, TColor Color1, TColor Color2,
                      TdxSkinGradientMode Mode);
void DrawImageParts(TdxSkinCanvas* Canvas, TdxSkinImage* Image, const win::RECT& DestRect,
                    const win::RECT& SourceFrame);

// One element's rendering for one state, image index and size.
class TdxSkinElementCache : public TObject {
  VW_CLASS(TdxSkinElementCache, TObject)
 public:
  TdxSkinElementCache() = default;
  ~TdxSkinElementCache() override;
  void DrawCached(win::HDC DC, TdxSkinElement* Element, const win::RECT& R, TdxSkinElementState State,
                  int ImageIndex);
  void CheckCache(TdxSkinElement* Element, const win::RECT& R, TdxSkinElementState State, int ImageIndex);
  void PaintTo(win::HDC DC, const win::RECT& R);
  // The next draw renders again.
  void Invalidate();

  TdxSkinElement* Element() const { return FElement; }
  const win::RECT& CachedRect() const { return FRect; }
  // How often the element was rendered into the cache.
  int RenderCount() const { return FRenderCount; }

 private:
  void ReleaseBitmaps();

  win::GpBitmap* FAlphaBitmap = nullptr;
  TcxBitmap* FOpaqueBitmap = nullptr;
  TdxSkinElement* FElement = nullptr;
  int FImageIndex = 0;
  win::RECT FRect{0, 0, 0, 0};
  TdxSkinElementState FState = esNormal;
  int FRenderCount = 0;
};

// Renderings of up to eight (element, rectangle) pairs; the oldest goes first.
class TdxSkinElementCacheList : public TcxObjectList {
  VW_CLASS(TdxSkinElementCacheList, TcxObjectList)
 public:
  TdxSkinElementCacheList() : TcxObjectList(true) {}
  void DrawElement(win::HDC DC, TdxSkinElement* Element, const win::RECT& R, TdxSkinElementState State,
                   int ImageIndex);
  TdxSkinElementCache* CacheAt(int Index) const { return static_cast<TdxSkinElementCache*>(Items(Index)); }
  int Limit() const { return FLimit; }

 private:
  int FLimit = 8;
};
