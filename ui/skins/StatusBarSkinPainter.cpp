#include "ui/skins/StatusBarSkinPainter.h"

#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/pages/StatusBar.h"
#include "ui/pages/StatusBarPanelStyles.h"
#include "ui/skins/SkinInfo.h"

using TSP = TdxStatusBarSkinPainter;
using TStd = TdxStatusBarStandardPainter;

namespace {

TRect OffsetsOf(TdxSkinElement* Element) { return Element->ContentOffset()->Rect(); }

// The bar's skin element, when the bar has a skin that holds it.
TdxSkinElement* BarElement(TdxCustomStatusBar* Bar) {
  TdxSkinInfo* info = TSP::LookupSkinInfo(Bar);
  return info ? info->BarsStatusBar : nullptr;
}

}  // namespace

TdxSkinInfo* TSP::LookupSkinInfo(TdxCustomStatusBar* Bar) {
  if (!Bar || !Bar->LookAndFeel()) return nullptr;
  TcxCustomLookAndFeelPainterClass painter = Bar->LookAndFeel()->SkinPainter();
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  TObject* info = nullptr;
  if (!painter || !registry || !registry->InfoOfPainter(painter, info)) return nullptr;
  return dynamic_cast<TdxSkinInfo*>(info);
}

bool TSP::HasSkinPainter(TdxCustomStatusBar* Bar) {
  return Bar && Bar->LookAndFeel() && Bar->LookAndFeel()->SkinPainter() != nullptr;
}

TRect TSP::ExtendToSkinBorders(TdxSkinElement* Element, const TRect& R) {
  const TRect o = OffsetsOf(Element);
  return TRect(R.Left - o.Left, R.Top, R.Right + o.Right, R.Bottom + o.Bottom);
}

void TSP::DrawElementClipped(TdxSkinElement* Element, TcxCanvas* ACanvas, TcxRegionCombineMode Mode,
                             const TRect& ClipRect, const TRect& R) {
  ACanvas->PushClipRegion();
  struct TRestore {
    TcxCanvas* Canvas;
    ~TRestore() { Canvas->PopClipRegion(); }
  } restore{ACanvas};
  ACanvas->ApplyClipRegion(new TcxRegion(ClipRect), Mode);
  Element->DrawOnDC(ACanvas->DeviceContext(), R, 0, esNormal);
}

void TSP::PaintContainerBackground(TdxStatusBarContainerPanelStyle* Style) const {
  TdxStatusBarContainerControl* container = Style->Container();
  TdxCustomStatusBar* bar = Style->StatusBarControl();
  TdxSkinElement* element = BarElement(bar);
  if (!container || !element) {
    TStd::PaintContainerBackground(Style);
    return;
  }
  const TRect R = ShiftRect(bar->ClientBounds(), container->Left(), container->Top(), false);
  DrawElementClipped(element, container->Canvas(), rcmIntersect, TRect(container->ClientRect()),
                     ExtendToSkinBorders(element, R));
}

bool TSP::GripOverlapsLastPanel(TdxCustomStatusBar* Bar) const { return !HasSkinPainter(Bar); }

void TSP::AdjustTextColor(TdxCustomStatusBar* Bar, TColor& Color, bool Enabled) const {
  if (Color != clWindowText) return;
  TdxSkinInfo* info = LookupSkinInfo(Bar);
  if (!info) return;
  if (Enabled) {
    if (info->BarsStatusBar) Color = info->BarsStatusBar->TextColor();
  } else if (info->BarsDisabledTextColor) {
    Color = info->BarsDisabledTextColor->Value();
  }
}

TRect TSP::BarBorderWidths(TdxCustomStatusBar* Bar) const {
  TdxSkinInfo* info = LookupSkinInfo(Bar);
  if (!info) return TStd::BarBorderWidths(Bar);
  const int top = info->BarsStatusBar ? OffsetsOf(info->BarsStatusBar).Top : 0;
  const int w = Bar->BorderWidth();
  return TRect(1 + w, top + w, 1 + w, 1 + w);
}

TRect TSP::PanelContentMargins(TdxStatusBarPanel* Panel, bool HasBevel) const {
  if (!HasBevel) return TRect();
  TdxSkinInfo* info = Panel ? LookupSkinInfo(Panel->StatusBarControl()) : nullptr;
  if (info && info->BarsLinkStatic) return OffsetsOf(info->BarsLinkStatic);
  return TStd::PanelContentMargins(Panel, HasBevel);
}

int TSP::SeparatorWidthBetween(TdxCustomStatusBar* Bar) const {
  return LookupSkinInfo(Bar) ? PanelSeparatorWidth() : TStd::PanelSeparatorWidth();
}

void TSP::PaintBarBorder(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, TRect& R) const {
  TdxSkinElement* element = BarElement(Bar);
  if (!element) {
    TStd::PaintBarBorder(Bar, ACanvas, R);
    return;
  }
  DrawElementClipped(element, ACanvas, rcmIntersect, R, ExtendToSkinBorders(element, Bar->ControlBounds()));
  R = RectWithinMargins(R, BarBorderWidths(Bar));
}

void TSP::PaintNoPanelsArea(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const {
  TdxSkinElement* element = BarElement(Bar);
  if (!element) {
    TStd::PaintNoPanelsArea(Bar, ACanvas, R);
    return;
  }
  DrawElementClipped(element, ACanvas, rcmCopy, R, ExtendToSkinBorders(element, Bar->ControlBounds()));
}

void TSP::DrawPanelBevel(TdxCustomStatusBar* Bar, TdxStatusBarPanelBevel Bevel, TRect& R, TcxCanvas* ACanvas) const {
  TdxSkinInfo* info = Bevel != dxpbNone ? LookupSkinInfo(Bar) : nullptr;
  if (!info || !info->BarsLinkStatic) {
    TStd::DrawPanelBevel(Bar, Bevel, R, ACanvas);
    return;
  }
  info->BarsLinkStatic->DrawOnDC(ACanvas->DeviceContext(), R, 0, esNormal);
  R = RectWithinMargins(R, OffsetsOf(info->BarsLinkStatic));
}

void TSP::PaintBarBackground(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, const TRect& R) const {
  // Under a skin the bar's element shows between the panels.
  if (!HasSkinPainter(Bar)) TStd::PaintBarBackground(Bar, ACanvas, R);
}

void TSP::PaintSizeGrip(TdxCustomStatusBar* Bar, TcxCanvas* ACanvas, bool Overlapped, const TRect& R) const {
  TdxSkinInfo* info = LookupSkinInfo(Bar);
  if (!info || !info->BarsStatusBar || !info->CommonSizeGrip) {
    TStd::PaintSizeGrip(Bar, ACanvas, Overlapped, R);
    return;
  }
  const TRect r = RectWithinMargins(R, OffsetsOf(info->BarsStatusBar));
  const win::SIZE size = info->CommonSizeGrip->ImageSize();
  info->CommonSizeGrip->DrawOnDC(ACanvas->DeviceContext(), TRect(r.Right - size.cx, r.Bottom - size.cy, r.Right, r.Bottom),
                                 0, esNormal);
}

void TSP::FillPanelArea(TdxCustomStatusBar* Bar, TdxStatusBarPanel* Panel, const TRect& R, TcxCanvas* ACanvas) const {
  // Under a skin the bar's element shows through the panels.
  if (!HasSkinPainter(Bar)) TStd::FillPanelArea(Bar, Panel, R, ACanvas);
}

TdxStatusBarPainterClass StatusBarSkinPainter() {
  static const TdxStatusBarSkinPainter instance;
  return &instance;
}

void StatusBarSkinPainterUnitStartup() { SetStatusBarSkinPainterClass(StatusBarSkinPainter()); }

void StatusBarSkinPainterUnitShutdown() {
  if (StatusBarSkinPainterClass() == StatusBarSkinPainter()) SetStatusBarSkinPainterClass(nullptr);
}
