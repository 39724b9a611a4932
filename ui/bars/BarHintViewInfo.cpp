#include "ui/bars/BarHintViewInfo.h"

#include <algorithm>
#include <cmath>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarHintWindow.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Canvas.h"

using namespace win;

namespace {

constexpr TColor kDefaultColor = static_cast<TColor>(0x20000000);  // clDefault

HDC FontReadyDC(TCanvas* Canvas) {
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  return Canvas->Handle();
}

// The shared paint canvas bound to Canvas for the scope, released also when painting raises.
class TPaintCanvasLevel {
 public:
  explicit TPaintCanvasLevel(TCanvas* Canvas) : FCanvas(PaintCanvasInstance()) { FCanvas->PushCanvas(Canvas); }
  ~TPaintCanvasLevel() { FCanvas->PopLevel(); }
  TPaintCanvasLevel(const TPaintCanvasLevel&) = delete;
  TPaintCanvasLevel& operator=(const TPaintCanvasLevel&) = delete;
  TcxPaintCanvas* operator->() const { return FCanvas; }
  TcxPaintCanvas* get() const { return FCanvas; }

 private:
  TcxPaintCanvas* FCanvas;
};

}  // namespace

// ---- base ---------------------------------------------------------------------------------------

void TdxBarCustomHintViewInfo::PrepareWindow(TdxBarHintWindow* Window) {
  Window->SetScreenTipMode(IsScreenTipStyle());
  Window->HandleNeeded();
}

// ---- plain hint ---------------------------------------------------------------------------------

TdxBarHintViewInfo::TdxBarHintViewInfo(TdxBarManager* ABarManager, const String& AHint, const String& AShortCut,
                                       const TPoint& APosition)
    : TdxBarCustomHintViewInfo(ABarManager), FText(AHint.empty() ? String() : AHint + AShortCut), FPosition(APosition) {}

void TdxBarHintViewInfo::Calculate(TCanvas* Canvas) {
  if (FText.empty()) {
    FBounds = TRect();
    return;
  }
  const RECT work = WorkAreaAt(POINT{FPosition.X, FPosition.Y});
  RECT r{0, 0, work.right - work.left, 0};
  DrawText(FontReadyDC(Canvas), FText.c_str(), -1, &r, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  TSize size(r.right - r.left, r.bottom - r.top);
  AddFrame(size);
  FBounds = TRect(0, 0, size.cx, size.cy);
}

void TdxBarHintViewInfo::AddFrame(TSize& Size) {
  Size.cx += 6;
  Size.cy += 6;
}

void TdxBarHintViewInfo::TextRect(TRect& R) { R = TRect(FBounds.Left + 3, FBounds.Top + 3, FBounds.Right - 1, FBounds.Bottom - 1); }

void TdxBarHintViewInfo::DrawHintText(TCanvas* Canvas) {
  TRect r;
  TextRect(r);
  RECT rect = r;
  HDC dc = FontReadyDC(Canvas);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(Canvas->Font()->Color()));
  DrawText(dc, FText.c_str(), -1, &rect, DT_NOPREFIX | DT_NOCLIP | DT_WORDBREAK);
  SetBkMode(dc, oldMode);
}

void TdxBarHintViewInfo::PaintHint(TCanvas* Canvas) {
  RECT r = FBounds;
  DrawEdge(Canvas->Handle(), &r, BDR_RAISEDOUTER, BF_RECT);
  DrawHintText(Canvas);
}

void TdxBarHintViewInfo::PrepareWindow(TdxBarHintWindow* Window) {
  TdxBarCustomHintViewInfo::PrepareWindow(Window);
  Window->SetCaption(FText);
  ApplyFont(Window);
  Window->SetColor(Application ? Application->HintColor() : clInfoBk);
}

void TdxBarHintViewInfo::ApplyFont(TdxBarHintWindow* Window) {
  TFont* font = Window->Canvas()->Font();
  if (!FBarManager || FBarManager->UseSystemFont()) {
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
      font->SetHandle(CreateFontIndirect(&metrics.lfStatusFont));
    else
      font->SetSize(8);
  } else {
    font->Assign(FBarManager->Font());
  }
  if (Screen) font->SetColor(Screen->HintFont()->Color());
}

// ---- plain hint in the screen-tip style ---------------------------------------------------------

TdxBarLikeHintScreenTipViewInfo::TdxBarLikeHintScreenTipViewInfo(TdxBarManager* ABarManager, const String& AHint,
                                                                 const String& AShortCut, const TPoint& APosition,
                                                                 TdxBarPainter* APainter)
    : TdxBarHintViewInfo(ABarManager, AHint, AShortCut, APosition), FPainter(APainter) {}

void TdxBarLikeHintScreenTipViewInfo::AddFrame(TSize& Size) {
  TdxBarHintViewInfo::AddFrame(Size);
  Size.cx += 5;
  Size.cy += 5;
}

void TdxBarLikeHintScreenTipViewInfo::TextRect(TRect& R) {
  R = TRect(FBounds.Left + 5, FBounds.Top + 6, FBounds.Right - 6, FBounds.Bottom - 5);
}

void TdxBarLikeHintScreenTipViewInfo::PaintHint(TCanvas* Canvas) {
  TPaintCanvasLevel level(Canvas);
  TCanvas* canvas = level->Canvas();
  if (FPainter) {
    const TColor title = FPainter->ScreenTipTitleColor();
    if (title != kDefaultColor) canvas->Font()->SetColor(title);
    FPainter->DrawScreenTipBackground(canvas->Handle(), FBounds);
  }
  DrawHintText(canvas);
}

// ---- screen-tip bands ---------------------------------------------------------------------------

TdxBarScreenTipBandViewInfo::TdxBarScreenTipBandViewInfo(TdxBarCustomScreenTipBand* ABand, const String& AHintText,
                                                         const String& AShortCut)
    : FBand(ABand), FHintText(AHintText), FShortCut(AShortCut) {}

String TdxBarScreenTipBandViewInfo::DisplayText() const {
  if (FBand->BandType() != stbHeader) return FBand->Text();
  return (FHintText.empty() ? FBand->Text() : FHintText) + FShortCut;
}

int TdxBarScreenTipBandViewInfo::Margin() const { return ScaleByScreenDpi(FBand->BandType() == stbDescription ? 14 : 6); }

int TdxBarScreenTipBandViewInfo::GlyphAreaWidth() const {
  return FBand->BandType() == stbDescription ? ScaleByScreenDpi(108) - Margin() : ScaleByScreenDpi(16);
}

int TdxBarScreenTipBandViewInfo::VerticalInset(TdxBarPainter* Painter) const {
  if (FBand->BandType() != stbFooter) return ScaleByScreenDpi(6);
  return ScaleByScreenDpi((Painter ? Painter->ScreenTipBandIndent() : 3) + 6);
}

void TdxBarScreenTipBandViewInfo::ApplyFont(TCanvas* Canvas, TdxBarPainter* Painter) {
  TFont* font = Canvas->Font();
  if (TFont* own = FBand->DrawFont())
    font->Assign(own);
  else
    TdxBarScreenTipRepository::AssignDefaultFont(font, FBand->BandType());
  if (Painter && FBand->UsesDefaultColor()) {
    const TColor color =
        FBand->BandType() == stbDescription ? Painter->ScreenTipDescriptionColor() : Painter->ScreenTipTitleColor();
    if (color != kDefaultColor) font->SetColor(color);
  }
}

int TdxBarScreenTipBandViewInfo::CalcHeight(TCanvas* Canvas, int Width, TdxBarPainter* Painter) {
  FWidth = Width;
  const String text = DisplayText();
  const bool glyph = FBand->HasGlyph();
  if (!glyph && text.empty()) {
    FGlyphSize = FTextSize = TSize();
    return 0;
  }
  const int margin = Margin();
  const int area = GlyphAreaWidth();
  FGlyphSize = TSize();
  if (glyph) {
    const int w = FBand->Glyph()->Width(), h = FBand->Glyph()->Height();
    if (w < area)
      FGlyphSize = TSize(w, h);
    else
      FGlyphSize = TSize(area, static_cast<int>(std::nearbyint(static_cast<double>(area) * h / w)));
  }
  FTextSize = TSize();
  if (!text.empty()) {
    ApplyFont(Canvas, Painter);
    UINT flags = DT_CALCRECT | DT_NOPREFIX;
    if (FBand->BandType() == stbDescription) flags |= DT_WORDBREAK | DT_EDITCONTROL;
    // A tip narrower than its margins measures against no room rather than a negative one.
    const int room = std::max(0, Width - 2 * margin - (glyph ? area + margin : 0));
    RECT r{0, 0, room, 0};
    DrawText(FontReadyDC(Canvas), text.c_str(), -1, &r, flags);
    FTextSize = TSize(r.right - r.left, r.bottom - r.top);
  }
  return std::max(FGlyphSize.cy, FTextSize.cy) + 2 * VerticalInset(Painter);
}

void TdxBarScreenTipBandViewInfo::Layout(int Width, int Top, TdxBarPainter* Painter, int H) {
  FWidth = Width;
  FTop = Top;
  const int margin = Margin();
  const int area = GlyphAreaWidth();
  const int inset = VerticalInset(Painter);
  const bool glyph = FBand->HasGlyph();
  const bool right = FBand->TextAlign() == stbtaRight;

  FTextBounds.Top = Top + inset;
  FTextBounds.Bottom = FTextBounds.Top + FTextSize.cy;
  if (right) {
    FTextBounds.Left = margin + (glyph ? area + margin : 0);
    FTextBounds.Right = Width - margin;
  } else {
    FTextBounds.Left = margin;
    FTextBounds.Right = margin + FTextSize.cx;
  }

  FGlyphBounds = TRect();
  if (glyph) {
    const int areaLeft = right ? margin : Width - margin - area;
    const int left = areaLeft + (area - FGlyphSize.cx) / 2;
    const int top = FBand->BandType() == stbDescription ? Top + inset : Top + (H - FGlyphSize.cy) / 2;
    FGlyphBounds = TRect(left, top, left + FGlyphSize.cx, top + FGlyphSize.cy);
  }
}

void TdxBarScreenTipBandViewInfo::Paint(TcxCanvas* Canvas, TdxBarPainter* Painter) {
  TCanvas* canvas = Canvas->Canvas();
  const String text = DisplayText();
  if (!text.empty()) {
    ApplyFont(canvas, Painter);
    HDC dc = FontReadyDC(canvas);
    RECT r = FTextBounds;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
    DrawText(dc, text.c_str(), -1, &r, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    SetBkMode(dc, oldMode);
  }
  if (FBand->HasGlyph()) DrawGlyphEnabled(canvas->Handle(), FGlyphBounds, FBand->Glyph(), true);
  if (FBand->BandType() == stbFooter && Painter)
    Painter->DrawScreenTipSeparator(canvas->Handle(), TRect(5, FTop, FWidth - 5, FTop + Painter->ScreenTipBandIndent()));
}

// ---- screen tip ---------------------------------------------------------------------------------

TdxBarScreenTipViewInfo::TdxBarScreenTipViewInfo(TdxBarScreenTip* AScreenTip, const String& AShortCut,
                                                 const String& AHint, TdxBarPainter* APainter,
                                                 TdxBarManager* ABarManager)
    : TdxBarCustomHintViewInfo(ABarManager),
      FPainter(APainter),
      FScreenTip(AScreenTip),
      FHintText(AScreenTip && AScreenTip->UseHintAsHeader() ? AHint : String()),
      FShortCut(AShortCut) {}

TdxBarScreenTipViewInfo::~TdxBarScreenTipViewInfo() { ClearBands(); }

void TdxBarScreenTipViewInfo::ClearBands() {
  for (TdxBarScreenTipBandViewInfo* band : FBands) delete band;
  FBands.clear();
}

TdxBarScreenTipBandViewInfo* TdxBarScreenTipViewInfo::CreateBandViewInfo(TdxBarCustomScreenTipBand* Band) {
  return new TdxBarScreenTipBandViewInfo(Band, FHintText, FShortCut);
}

void TdxBarScreenTipViewInfo::Calculate(TCanvas* Canvas) {
  ClearBands();
  FBounds = TRect();
  if (!FScreenTip) return;
  FWidth = FScreenTip->EffectiveWidth();
  FBands.reserve(3);  // no allocation between making a band's view info and keeping it
  int top = 0;
  for (TdxBarScreenTipBandType type : {stbHeader, stbDescription, stbFooter}) {
    TdxBarCustomScreenTipBand* band = FScreenTip->BandForDisplay(type);
    const bool shown = !band->Text().empty() || band->HasGlyph() || (type == stbHeader && !FHintText.empty());
    if (!shown) continue;
    TdxBarScreenTipBandViewInfo* info = CreateBandViewInfo(band);
    FBands.push_back(info);
    const int h = info->CalcHeight(Canvas, FWidth, FPainter);
    if (type == stbHeader) {
      // The header stays on one line: the tip widens to its text beside the picture's area.
      const int margin = info->Margin();
      const int needed = 2 * margin + info->TextSize().cx + (band->HasGlyph() ? info->GlyphAreaWidth() + margin : 0);
      FWidth = std::max(FWidth, needed);
    }
    info->Layout(FWidth, top, FPainter, h);
    top += h;
  }
  FBounds = TRect(0, 0, FWidth, top);
}

void TdxBarScreenTipViewInfo::PaintHint(TCanvas* Canvas) {
  TPaintCanvasLevel level(Canvas);
  if (FPainter) FPainter->DrawScreenTipBackground(level->Canvas()->Handle(), FBounds);
  for (TdxBarScreenTipBandViewInfo* band : FBands) band->Paint(level.get(), FPainter);
}

// ---- the painters' factory ----------------------------------------------------------------------

TdxBarCustomHintViewInfo* CreateScreenTipStyleHintViewInfo(TdxBarPainter* Painter, TdxBarManager* Manager,
                                                           const String& Hint, const String& ShortCut,
                                                           TdxBarScreenTip* ScreenTip) {
  TdxBarScreenTipRepository* repository = ScreenTip ? ScreenTip->Repository() : nullptr;
  if (ScreenTip && (!repository || repository->ShowDescription()))
    return new TdxBarScreenTipViewInfo(ScreenTip, ShortCut, Hint, Painter, Manager);
  String text = Hint;
  if (ScreenTip && !ScreenTip->UseHintAsHeader() && !ScreenTip->Header()->Text().empty())
    text = ScreenTip->Header()->Text();
  POINT cursor{};
  GetCursorPos(&cursor);
  return new TdxBarLikeHintScreenTipViewInfo(Manager, text, ShortCut, TPoint(cursor.x, cursor.y), Painter);
}
