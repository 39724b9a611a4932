#pragma once
// What a hint shows and how it measures and paints itself: the plain hint (one text in a raised
// box), the same text in the screen-tip style, and the screen tip with its bands. A view info is
// made for one showing and owned by the hint window that shows it.
#include <vector>

#include "platform/classes/Graphics.h"
#include "platform/classes/Interface.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarScreenTips.h"
#include "ui/foundation/Types.h"

class TcxCanvas;
class TdxBarHintWindow;
class TdxBarManager;
class TdxBarPainter;

class TdxBarCustomHintViewInfo : public TObject {
  VW_CLASS(TdxBarCustomHintViewInfo, TObject)
 public:
  explicit TdxBarCustomHintViewInfo(TdxBarManager* ABarManager) : FBarManager(ABarManager) {}

  TdxBarManager* BarManager() const { return FBarManager; }
  // At the origin; empty when there is nothing to show.
  const TRect& Bounds() const { return FBounds; }

  virtual void Calculate(TCanvas* Canvas) = 0;
  virtual bool IsScreenTipStyle() { return false; }
  virtual void PaintHint(TCanvas* Canvas) = 0;
  // The window takes the presentation's mode and gets its handle.
  virtual void PrepareWindow(TdxBarHintWindow* Window);

 protected:
  TdxBarManager* FBarManager;
  TRect FBounds{};
};

// One text at the cursor, in a raised box.
class TdxBarHintViewInfo : public TdxBarCustomHintViewInfo {
  VW_CLASS(TdxBarHintViewInfo, TdxBarCustomHintViewInfo)
 public:
  TdxBarHintViewInfo(TdxBarManager* ABarManager, const String& AHint, const String& AShortCut, const TPoint& APosition);

  const String& Text() const { return FText; }
  const TPoint& Position() const { return FPosition; }

  void Calculate(TCanvas* Canvas) override;
  void PaintHint(TCanvas* Canvas) override;
  void PrepareWindow(TdxBarHintWindow* Window) override;

  virtual void AddFrame(TSize& Size);
  virtual void TextRect(TRect& R);
  virtual void DrawHintText(TCanvas* Canvas);
  virtual void ApplyFont(TdxBarHintWindow* Window);

 protected:
  String FText;
  TPoint FPosition;
};

// The plain hint's text drawn the way screen tips are.
class TdxBarLikeHintScreenTipViewInfo : public TdxBarHintViewInfo {
  VW_CLASS(TdxBarLikeHintScreenTipViewInfo, TdxBarHintViewInfo)
 public:
  TdxBarLikeHintScreenTipViewInfo(TdxBarManager* ABarManager, const String& AHint, const String& AShortCut,
                                  const TPoint& APosition, TdxBarPainter* APainter);
  TdxBarPainter* Painter() const { return FPainter; }

  bool IsScreenTipStyle() override { return true; }
  void PaintHint(TCanvas* Canvas) override;
  void AddFrame(TSize& Size) override;
  void TextRect(TRect& R) override;

 private:
  TdxBarPainter* FPainter;
};

// One band of a screen tip as measured for one showing.
class TdxBarScreenTipBandViewInfo : public TObject {
  VW_CLASS(TdxBarScreenTipBandViewInfo, TObject)
 public:
  TdxBarScreenTipBandViewInfo(TdxBarCustomScreenTipBand* ABand, const String& AHintText, const String& AShortCut);

  TdxBarCustomScreenTipBand* Band() const { return FBand; }
  // The text shown: the band's, or for the header the hint when there is one; the header adds
  // the shortcut text.
  String DisplayText() const;
  int Margin() const;
  int GlyphAreaWidth() const;
  int VerticalInset(TdxBarPainter* Painter) const;

  // 0 for a band with neither picture nor text.
  virtual int CalcHeight(TCanvas* Canvas, int Width, TdxBarPainter* Painter);
  virtual void Layout(int Width, int Top, TdxBarPainter* Painter, int H);
  virtual void Paint(TcxCanvas* Canvas, TdxBarPainter* Painter);

  const TRect& GlyphBounds() const { return FGlyphBounds; }
  const TSize& GlyphSize() const { return FGlyphSize; }
  const TRect& TextBounds() const { return FTextBounds; }
  const TSize& TextSize() const { return FTextSize; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }

 private:
  // The band's font on the canvas, in the painter's colour where the band keeps the default one.
  void ApplyFont(TCanvas* Canvas, TdxBarPainter* Painter);

  TdxBarCustomScreenTipBand* FBand;
  TRect FGlyphBounds{};
  TSize FGlyphSize{};
  String FHintText;
  String FShortCut;
  TRect FTextBounds{};
  TSize FTextSize{};
  int FTop = 0;
  int FWidth = 0;
};

class TdxBarScreenTipViewInfo : public TdxBarCustomHintViewInfo {
  VW_CLASS(TdxBarScreenTipViewInfo, TdxBarCustomHintViewInfo)
 public:
  // The hint becomes the header only when the tip asks for it.
  TdxBarScreenTipViewInfo(TdxBarScreenTip* AScreenTip, const String& AShortCut, const String& AHint,
                          TdxBarPainter* APainter, TdxBarManager* ABarManager = nullptr);
  ~TdxBarScreenTipViewInfo() override;

  TdxBarScreenTip* ScreenTip() const { return FScreenTip; }
  TdxBarPainter* Painter() const { return FPainter; }
  int BandCount() const { return static_cast<int>(FBands.size()); }
  TdxBarScreenTipBandViewInfo* Bands(int Index) const { return FBands[static_cast<std::size_t>(Index)]; }
  int Width() const { return FWidth; }

  void Calculate(TCanvas* Canvas) override;
  bool IsScreenTipStyle() override { return true; }
  void PaintHint(TCanvas* Canvas) override;

  virtual TdxBarScreenTipBandViewInfo* CreateBandViewInfo(TdxBarCustomScreenTipBand* Band);

 private:
  void ClearBands();

  TdxBarPainter* FPainter;
  TdxBarScreenTip* FScreenTip;
  String FHintText;
  String FShortCut;
  std::vector<TdxBarScreenTipBandViewInfo*> FBands;
  int FWidth = 0;
};

// Made by a painter for a hint: a screen tip when one is given and its repository shows
// descriptions, otherwise the hint (or the tip's header) as one text in the screen-tip style at
// the cursor. Painters that draw hints in the tip style call this from CreateHintViewInfo.
TdxBarCustomHintViewInfo* CreateScreenTipStyleHintViewInfo(TdxBarPainter* Painter, TdxBarManager* Manager,
                                                           const String& Hint, const String& ShortCut,
                                                           TdxBarScreenTip* ScreenTip);

// IdxBarHintSource, what can show a hint of its own, lives with the item controls (BarItemControl.h).
