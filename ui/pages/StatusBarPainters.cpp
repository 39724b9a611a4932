#include "ui/pages/StatusBarPainters.h"

#include "platform/gdi/Gdi.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/pages/StatusBar.h"
#include "ui/pages/StatusBarPanelStyles.h"

using namespace win;

namespace {

// The visual style's status parts.
constexpr int SP_BACKGROUND = 0;
constexpr int SP_PANE = 1;
constexpr int SP_GRIPPER = 3;

HTHEME StatusTheme() { return AcquireThemeHandle(tciStatus); }

TSize ThemeTrueSize(int Part) {
  TSize size;
  HDC dc = GetDC(nullptr);
  UxGetThemePartSizeNoRect(StatusTheme(), dc, Part, 0, TS_TRUE, size);
  ReleaseDC(nullptr, dc);
  return size;
}

}  // namespace

// ---- the contract ---------------------------------------------------------------------------------

void TdxStatusBarPainter::PaintContainerBackground(TdxStatusBarContainerPanelStyle* Style) const {
  TdxStatusBarContainerControl* container = Style->Container();
  TdxCustomStatusBar* bar = Style->StatusBarControl();
  if (!container || !bar) return;
  TcxCanvas* canvas = container->Canvas();
  TRect R = ShiftRect(bar->ClientBounds(), container->Left(), container->Top(), false);
  PaintBarBorder(bar, canvas, R);
  FillPanelArea(bar, Style->Owner(), TRect(container->ClientRect()), canvas);
}

bool TdxStatusBarPainter::GripOverlapsLastPanel(TdxCustomStatusBar*) const { return true; }

void TdxStatusBarPainter::AdjustTextColor(TdxCustomStatusBar*, TColor&, bool) const {}

TRect TdxStatusBarPainter::BarBorderWidths(TdxCustomStatusBar* Bar) const {
  int w = Bar->BorderWidth();
  return TRect(w, w + TopEdgeHeight(), w, w);
}

bool TdxStatusBarPainter::PaintsSizeGripFirst() const { return true; }
TSize TdxStatusBarPainter::SizeGripSize() const { return TSize(16, 16); }
TSize TdxStatusBarPainter::SizeGripInnerSize() const { return TSize(12, 12); }
int TdxStatusBarPainter::SpareMetric() const { return 0; }
TRect TdxStatusBarPainter::PanelBevelWidths(TdxStatusBarPanelBevel) const { return TRect(); }

TRect TdxStatusBarPainter::PanelContentMargins(TdxStatusBarPanel*, bool HasBevel) const {
  return HasBevel ? TRect(1, 0, 1, 0) : TRect();
}

int TdxStatusBarPainter::PanelSeparatorWidth() const { return 2; }
int TdxStatusBarPainter::SeparatorWidthBetween(TdxCustomStatusBar*) const { return PanelSeparatorWidth(); }
int TdxStatusBarPainter::TopEdgeHeight() const { return 2; }

void TdxStatusBarPainter::PaintBarBorder(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, TRect& R) const {
  PaintTopEdge(Bar, ACanvas, TRect(R.Left, R.Top, R.Right, R.Top + TopEdgeHeight()));
  R.Top += TopEdgeHeight();
  int w = Bar->BorderWidth();
  if (w < 1) return;
  TColor color = Bar->Color();
  ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Right, R.Top + w), color);
  R.Top += w;
  ACanvas->FillRectWithColor(TRect(R.Left, R.Bottom - w, R.Right, R.Bottom), color);
  R.Bottom -= w;
  ACanvas->FillRectWithColor(TRect(R.Left, R.Top, R.Left + w, R.Bottom), color);
  R.Left += w;
  ACanvas->FillRectWithColor(TRect(R.Right - w, R.Top, R.Right, R.Bottom), color);
  R.Right -= w;
}

void TdxStatusBarPainter::PaintNoPanelsArea(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const {
  TRect r = R;
  DrawPanelBevel(Bar, dxpbLowered, r, ACanvas);
  FillPanelArea(Bar, nullptr, r, ACanvas);
}

void TdxStatusBarPainter::PaintPanel(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& ARect,
                                     TcxCanvas* ACanvas) const {
  TRect R = ARect;
  if (!Panel) {
    PaintNoPanelsArea(Bar, ACanvas, R);
    return;
  }
  if (!Panel->Visible()) {
    FillPanelArea(Bar, nullptr, R, ACanvas);
    return;
  }
  TdxStatusBarPanelStyle* style = Panel->PanelStyle();
  if (!GripOverlapsLastPanel(Bar) && style) style->FitToSizeGrip(R);
  DrawPanelBevel(Bar, PanelHasBevel(Panel), R, ACanvas);
  if (Panel->OnDrawPanel) {
    bool done = false;
    Panel->OnDrawPanel(Panel, ACanvas, R, done);
    if (done) return;
  }
  if (style)
    style->DrawContent(ACanvas, R, this);
  else
    FillPanelArea(Bar, Panel, R, ACanvas);
}

void TdxStatusBarPainter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel, TRect&, TcxCanvas*) const {}
void TdxStatusBarPainter::PaintBarBackground(TdxCustomStatusBar*, TcxCanvas*, const TRect&) const {}

void TdxStatusBarPainter::PaintSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, bool Overlapped,
                                        const TRect& R) const {
  TRect r = GrowRect(R, -1, -1);
  TSize size = SizeGripSize();
  TRect grip(r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom);
  TRect fill = grip;
  // The panels reach under the grip: cover their last column too.
  if (Overlapped) fill.Right += 1;
  ACanvas->FillRectWithColor(fill, Bar->Color());
  DrawGripGlyph(ACanvas->DeviceContext(), grip);
  TSize inner = SizeGripInnerSize();
  TRect below(r.Right - inner.cx, r.Bottom, r.Right + 1, r.Bottom + 1);
  TRect right(r.Right, r.Bottom - inner.cy, r.Right + 1, r.Bottom);
  ACanvas->FillRectWithColor(below, Bar->Color());
  ACanvas->FillRectWithColor(right, Bar->Color());
  ACanvas->ExcludeRectFromClip(fill);
  ACanvas->ExcludeRectFromClip(below);
  ACanvas->ExcludeRectFromClip(right);
}

void TdxStatusBarPainter::PaintTopEdge(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->FillRectWithColor(R, Bar->Color());
}

void TdxStatusBarPainter::FillPanelArea(TdxCustomStatusBar*, TdxStatusBarPanel*, const TRect&, TcxCanvas*) const {}

TdxStatusBarPanelBevel TdxStatusBarPainter::PanelHasBevel(TdxStatusBarPanel* Panel) const {
  if (!Panel) return dxpbLowered;
  if (Panel->PanelStyle() && Panel->PanelStyle()->SuppressPanelBevel()) return dxpbNone;
  return Panel->Bevel();
}

TColor TdxStatusBarPainter::PanelColor(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel) const {
  if (Panel && Panel->PanelStyle()) return Panel->PanelStyle()->Color();
  return Bar->Color();
}

TRect TdxStatusBarPainter::AdjustPanelTextRect(TdxCustomStatusBar*, TdxStatusBarPanel*, const TRect& R) const {
  return R;
}

void TdxStatusBarPainter::DrawGripGlyph(HDC DC, const TRect& Box) {
  const int w = WidthOfRect(Box), h = HeightOfRect(Box);
  if (w <= 0 || h <= 0) return;
  HDC backDC = CreateCompatibleDC(DC);
  HBITMAP back = CreateCompatibleBitmap(DC, w, h);
  HGDIOBJ oldBack = SelectObject(backDC, back);
  BitBlt(backDC, 0, 0, w, h, DC, Box.Left, Box.Top, SRCCOPY);

  HDC glyphDC = CreateCompatibleDC(DC);
  HBITMAP glyph = CreateCompatibleBitmap(DC, w, h);
  HGDIOBJ oldGlyph = SelectObject(glyphDC, glyph);
  RECT r{0, 0, w, h};
  DrawFrameControl(glyphDC, &r, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);

  // White where the glyph shows button face, black where it draws.
  HDC maskDC = CreateCompatibleDC(DC);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  SetBkColor(glyphDC, GetSysColor(COLOR_BTNFACE));
  BitBlt(maskDC, 0, 0, w, h, glyphDC, 0, 0, SRCCOPY);

  // The background turns white under the glyph's strokes, the glyph white around them; ANDing
  // the two leaves the strokes over the background.
  SetBkColor(backDC, RGB(255, 255, 255));
  SetTextColor(backDC, RGB(0, 0, 0));
  BitBlt(backDC, 0, 0, w, h, maskDC, 0, 0, MERGEPAINT);
  SetBkColor(glyphDC, RGB(255, 255, 255));
  SetTextColor(glyphDC, RGB(0, 0, 0));
  BitBlt(glyphDC, 0, 0, w, h, maskDC, 0, 0, SRCPAINT);
  BitBlt(backDC, 0, 0, w, h, glyphDC, 0, 0, SRCAND);
  BitBlt(DC, Box.Left, Box.Top, w, h, backDC, 0, 0, SRCCOPY);

  SelectObject(maskDC, oldMask);
  DeleteObject(mask);
  DeleteDC(maskDC);
  SelectObject(glyphDC, oldGlyph);
  DeleteObject(glyph);
  DeleteDC(glyphDC);
  SelectObject(backDC, oldBack);
  DeleteObject(back);
  DeleteDC(backDC);
}

// ---- standard -------------------------------------------------------------------------------------

TRect TdxStatusBarStandardPainter::PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const {
  return Bevel != dxpbNone ? TRect(2, 2, 2, 2) : TRect();
}

void TdxStatusBarStandardPainter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel Bevel, TRect& R,
                                                 TcxCanvas* ACanvas) const {
  static constexpr UINT edges[] = {0, BDR_SUNKENOUTER, BDR_RAISEDINNER};
  RECT r = R;
  DrawEdge(ACanvas->DeviceContext(), &r, edges[Bevel], BF_RECT | BF_ADJUST);
  R = r;
}

void TdxStatusBarStandardPainter::PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas,
                                                     const TRect& R) const {
  ACanvas->FillRectWithColor(R, Bar->Color());
}

void TdxStatusBarStandardPainter::FillPanelArea(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R,
                                                TcxCanvas* ACanvas) const {
  ACanvas->FillRectWithColor(R, PanelColor(Bar, Panel));
}

// ---- flat -----------------------------------------------------------------------------------------

TRect TdxStatusBarFlatPainter::PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const {
  return Bevel != dxpbNone ? TRect(1, 1, 1, 1) : TRect();
}

void TdxStatusBarFlatPainter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel Bevel, TRect& R,
                                             TcxCanvas* ACanvas) const {
  if (Bevel == dxpbNone) return;
  ACanvas->ChangeBrushColor(clBtnShadow);
  ACanvas->DrawSideFrame(R, clDefault, 1, cxBordersAll, false);
  R = RectWithinMargins(R, PanelBevelWidths(Bevel));
}

// ---- Office-2003 ----------------------------------------------------------------------------------

TRect TdxStatusBarOffice11Painter::BarBorderWidths(TdxCustomStatusBar*) const { return TRect(1, 1, 1, 1); }

TRect TdxStatusBarOffice11Painter::PanelBevelWidths(TdxStatusBarPanelBevel Bevel) const {
  return Bevel != dxpbNone ? TRect(1, 1, 1, 1) : TRect();
}

void TdxStatusBarOffice11Painter::PaintBarBorder(TdxCustomStatusBar*, TcxCanvas* ACanvas, TRect& R) const {
  PaintKneeGradientRect(ACanvas->DeviceContext(), R, Office11GradientLightColor, Office11GradientDarkColor, false);
  R = GrowRect(R, -1, -1);
}

void TdxStatusBarOffice11Painter::DrawPanelBevel(TdxCustomStatusBar*, TdxStatusBarPanelBevel Bevel, TRect& R,
                                                 TcxCanvas* ACanvas) const {
  if (Bevel == dxpbNone) return;
  ACanvas->ChangeBrushColor(BlendColorsByPercent(Office11GradientDarkColor, clBlack, 90));
  ACanvas->DrawSideFrame(R, clDefault, 1, cxBordersAll, false);
  R = RectWithinMargins(R, PanelBevelWidths(Bevel));
}

void TdxStatusBarOffice11Painter::PaintBarBackground(TdxCustomStatusBar*, TcxCanvas*, const TRect&) const {}

void TdxStatusBarOffice11Painter::PaintSizeGrip(TdxCustomStatusBar*, TcxCanvas* ACanvas, bool Overlapped,
                                                const TRect& R) const {
  TRect r = GrowRectSides(R, 0, -1, 0, -1);
  TSize size = SizeGripSize();
  TRect grip(r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom);
  TRect clip = grip;
  if (!Overlapped) clip.Right -= 1;
  PaintOffice11GripCorner(ACanvas->DeviceContext(), grip, clDefault, clDefault);
  ACanvas->ExcludeRectFromClip(clip);
}

// ---- visual style ---------------------------------------------------------------------------------

TRect TdxStatusBarXPPainter::BarBorderWidths(TdxCustomStatusBar*) const { return TRect(0, TopEdgeHeight(), 0, 0); }

TSize TdxStatusBarXPPainter::SizeGripSize() const { return ThemeTrueSize(SP_GRIPPER); }

int TdxStatusBarXPPainter::PanelSeparatorWidth() const { return ThemeTrueSize(SP_PANE).cx; }

void TdxStatusBarXPPainter::PaintBarBorder(TdxCustomStatusBar*, TcxCanvas* ACanvas, TRect& R) const {
  UxDrawThemeBackground(StatusTheme(), ACanvas->DeviceContext(), SP_BACKGROUND, 0, R);
  R.Top += TopEdgeHeight();
}

void TdxStatusBarXPPainter::PaintBarBackground(TdxCustomStatusBar*, TcxCanvas* ACanvas, const TRect& R) const {
  UxDrawThemeBackground(StatusTheme(), ACanvas->DeviceContext(), SP_PANE, 0, R);
}

void TdxStatusBarXPPainter::PaintSizeGrip(TdxCustomStatusBar*, TcxCanvas* ACanvas, bool Overlapped,
                                          const TRect& R) const {
  TRect r = GrowRectSides(R, -1, 0, -1, 0);
  TSize size = SizeGripSize();
  TRect grip(r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom);
  TRect clip = grip;
  if (Overlapped) clip.Right += 1;
  UxDrawThemeBackground(StatusTheme(), ACanvas->DeviceContext(), SP_GRIPPER, 0, grip);
  ACanvas->ExcludeRectFromClip(clip);
}

// ---- the skins' slot and the instances ------------------------------------------------------------------------------------

namespace {
TdxStatusBarPainterClass gSkinPainterClass = nullptr;
}  // namespace

TdxStatusBarPainterClass StatusBarSkinPainterClass() { return gSkinPainterClass; }
void SetStatusBarSkinPainterClass(TdxStatusBarPainterClass Value) { gSkinPainterClass = Value; }

TdxStatusBarPainterClass StatusBarPainter() {
  static const TdxStatusBarPainter instance;
  return &instance;
}
TdxStatusBarPainterClass StatusBarStandardPainter() {
  static const TdxStatusBarStandardPainter instance;
  return &instance;
}
TdxStatusBarPainterClass StatusBarFlatPainter() {
  static const TdxStatusBarFlatPainter instance;
  return &instance;
}
TdxStatusBarPainterClass StatusBarOffice11Painter() {
  static const TdxStatusBarOffice11Painter instance;
  return &instance;
}
TdxStatusBarPainterClass StatusBarXPPainter() {
  static const TdxStatusBarXPPainter instance;
  return &instance;
}
