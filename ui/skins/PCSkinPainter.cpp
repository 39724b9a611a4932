#include "ui/skins/PCSkinPainter.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/pages/TabLayout.h"

using TSP = TcxPCSkinPainter;

namespace {

class TSkinStyle : public TcxPCStandardPainterClassInfo {
 public:
  TcxPCStyleID StyleID() const override { return 11; }
  String StyleName() const override { return "Skin"; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel* LookAndFeel) const override {
    return LookAndFeel && LookAndFeel->SkinPainter();
  }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCSkinPainter>(Control);
  }
};

const TSkinStyle kSkinStyle;

TRect OffsetsOf(TdxSkinElement* E) { return E->ContentOffset()->Rect(); }

bool IsEmpty(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }

}  // namespace

TcxPCPainterClass cxPCSkinStyle() { return &kSkinStyle; }
TcxPCPainterClass TSP::PainterClass() const { return &kSkinStyle; }

void PCSkinPainterUnitStartup() { TcxPCPaintersFactory::RegisterPainterClass(cxPCSkinStyle()); }
void PCSkinPainterUnitShutdown() { TcxPCPaintersFactory::UnregisterPainterClass(cxPCSkinStyle()); }

// ---- the skin --------------------------------------------------------------------------------------

TdxSkinInfo* TSP::SkinInfo() {
  TcxLookAndFeel* lookAndFeel = Control()->LookAndFeel();
  TcxCustomLookAndFeelPainterClass painter = lookAndFeel ? lookAndFeel->SkinPainter() : nullptr;
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  TObject* info = nullptr;
  if (!painter || !registry || !registry->InfoOfPainter(painter, info)) return nullptr;
  return dynamic_cast<TdxSkinInfo*>(info);
}

TdxSkinElement* TSP::PageElement(TdxSkinInfo* Info) {
  if (!Info) return nullptr;
  if (!Control()->HideTabs()) return Info->PageControlTabPane;
  return Control()->ShowFrame() ? Info->CommonGroupPanel : Info->FormFormContent;
}

TSP::TGrowths TSP::Growths(TdxSkinInfo* Info) {
  return {Info->PageControlSelectedHeaderHGrow, Info->PageControlSelectedHeaderUpGrow,
          Info->PageControlSelectedHeaderDownGrow, Info->PageControlHeaderDownGrow};
}

TdxSkinElementState TSP::TabState(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (!tab->Enabled()) return esDisabled;
  if (tab->IsSelectedTab()) return esPressed;
  if (tab->IsHotTab() || tab->Highlighted()) return esHot;
  return esNormal;
}

int TSP::NavigatorImageIndex(TcxPCNavigatorButton Button, bool Vertical) {
  static constexpr int horizontal[] = {2, 1, 3, 0}, vertical[] = {3, 0, 1, 2};
  return (Vertical ? vertical : horizontal)[Button];
}

// ---- sizes ------------------------------------------------------------------------------------------------

int TSP::NormalTabHeight() {
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlTabHeader) return TcxPCTabsPainter::NormalTabHeight();
  const TRect o = OffsetsOf(info->PageControlTabHeader);
  return o.Top + o.Bottom + TcxPCTabsPainter::NormalTabHeight() - 2;
}

int TSP::CalculateTabWidth(TcxTab* Tab) {
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlTabHeader) return TcxPCTabsPainter::CalculateTabWidth(Tab);
  const TRect o = OffsetsOf(info->PageControlTabHeader);
  int width = o.Left + o.Right;
  if (Control()->TabWidthProperty() > 0) return width + Control()->TabWidthProperty();
  const int index = Tab->VisibleIndex();
  if (HasImages() && (TabHasImage(index) || Control()->Rotate()))
    width += TabImageTextGap(index) + ImageSize().cx + 2 * Control()->ImageBorder();
  return width + Control()->MeasureTabCaptionWidth(Tab) + 2;
}

TRect TSP::TabRectAdjustment(int TabVisibleIndex) {
  TdxSkinInfo* info = SkinInfo();
  if (!info) return TcxPCTabsPainter::TabRectAdjustment(TabVisibleIndex);
  const TGrowths g = Growths(info);
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (tab->IsSelectedTab()) {
    switch (tab->RowSide()) {
      case tpTop: return TRect(-g.HG, -g.UG, g.HG, g.DG);
      case tpBottom: return TRect(-g.HG, -g.DG, g.HG, g.UG);
      case tpLeft: return TRect(-g.UG, -g.HG, g.DG, g.HG);
      case tpRight: return TRect(-g.DG, -g.HG, g.UG, g.HG);
    }
    return TRect();
  }
  // Only the page side moves: HD toward the page, the 1 always toward growing coordinates.
  switch (tab->RowSide()) {
    case tpTop: return TRect(0, 0, 0, g.HD + 1);
    case tpBottom: return TRect(0, 1 - g.HD, 0, 0);
    case tpLeft: return TRect(0, 0, g.HD + 1, 0);
    case tpRight: return TRect(1 - g.HD, 0, 0, 0);
  }
  return TRect();
}

std::unique_ptr<TcxRegion> TSP::TabRegion(int TabVisibleIndex) {
  if (!SkinInfo()) return TcxPCTabsPainter::TabRegion(TabVisibleIndex);
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TRect r;
  if (!IntersectRects(r, tab->NormalRect(), tab->ClippedRect())) return std::make_unique<TcxRegion>(TRect());
  const TRect a = TabRectAdjustment(TabVisibleIndex);
  return std::make_unique<TcxRegion>(TRect(r.Left + a.Left, r.Top + a.Top, r.Right + a.Right, r.Bottom + a.Bottom));
}

TcxPCDistance TSP::TabSpacing() {
  TdxSkinInfo* info = SkinInfo();
  if (!info) return TcxPCTabsPainter::TabSpacing();
  const int ug = info->PageControlSelectedHeaderUpGrow;
  return Control()->Rotate() ? TcxPCDistance{ug, 0} : TcxPCDistance{0, ug};
}

void TSP::CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) {
  TdxSkinInfo* info = SkinInfo();
  if (!info) {
    TcxPCTabsPainter::CalculateTabsAndButtonsArea(Buttons, Metrics);
    return;
  }
  const TGrowths g = Growths(info);
  const TcxTabPosition position = Control()->TabPosition();
  const bool side = IsSideStrip();
  const int length = side ? Control()->Height() : Control()->Width();
  int nav = NavigatorWidth(Buttons);
  if (nav != 0) ++nav;
  int nearEnd = info->PageControlRowIndentNear, farEnd = length - info->PageControlRowIndentFar;
  if (nav > 0 && !Control()->MultiLine()) {
    if (NavigatorAtFarEnd())
      farEnd = length - nav;
    else
      nearEnd = nav;
  }
  TRect area = side ? TRect(0, nearEnd, Control()->Width(), farEnd) : TRect(nearEnd, 0, farEnd, Control()->Height());
  Metrics.TabsAreaRect = area;
  if (side) {
    Metrics.StartPoint = TPoint(area.Left + g.UG, area.Top + g.HG);
    Metrics.EndPoint = TPoint(area.Right - g.UG, area.Bottom - g.HG);
    Metrics.RowLength = Metrics.EndPoint.Y - Metrics.StartPoint.Y;
  } else {
    Metrics.StartPoint = TPoint(area.Left + g.HG, area.Top + g.UG);
    Metrics.EndPoint = TPoint(area.Right - g.HG, area.Bottom - g.UG);
    Metrics.RowLength = Metrics.EndPoint.X - Metrics.StartPoint.X;
  }
  Metrics.FirstBandExtension = position == tpTop || position == tpLeft ? 1 : 0;
  Metrics.SecondBandExtension = position == tpBottom || position == tpRight ? -1 : 0;
  Metrics.BandGap = 0;
  LayoutNavigatorButtons(Buttons);
}

TRect TSP::ThemedContentMargins() {
  TdxSkinElement* page = PageElement(SkinInfo());
  if (!page) return TRect();
  const TRect o = OffsetsOf(page);
  return TRect(o.Left + 1, o.Top + 1, o.Right + 1, o.Bottom + 1);
}

TRect TSP::PageClientExtents() {
  // The "Tabs" row extents, never its client shift or theme rule.
  TRect r = TcxPCTabsPainter::TabRowsExtents();
  if (!PageElement(SkinInfo())) return r;
  const TRect m = RotateRectBackForTabPosition(ThemedContentMargins(), Control()->TabPosition());
  return TRect(r.Left + m.Left, r.Top + m.Top, r.Right + m.Right, r.Bottom + m.Bottom);
}

void TSP::TabFocusBounds(const TRect& TabBounds, TRect& R) {
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlTabHeader) {
    TcxPCTabsPainter::TabFocusBounds(TabBounds, R);
    return;
  }
  TRect r = RectWithinMargins(TabBounds, OffsetsOf(info->PageControlTabHeader));
  r.Bottom -= info->PageControlSelectedHeaderDownGrow;
  R = GrowRect(r, 1, 1);
}

int TSP::NavigatorButtonLength(TcxPCNavigatorButton Button) {
  TdxSkinInfo* info = SkinInfo();
  if (info && info->PageControlTabButtonHorz) {
    const int w = info->PageControlTabButtonHorz->ImageSize().cx;
    if (w > 0) return w;
  }
  return TcxPCTabsPainter::NavigatorButtonLength(Button);
}

// ---- colours ---------------------------------------------------------------------------------------------

TColor TSP::TabTextColor(int TabVisibleIndex) {
  TdxSkinInfo* info = SkinInfo();
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TdxSkinColor* colour = nullptr;
  if (info) {
    if (!tab->Enabled())
      colour = info->PageControlTabHeaderTextColorDisabled;
    else if (tab->IsSelectedTab())
      colour = info->PageControlTabHeaderTextColorSelected;
    else if (tab->IsHotTab())
      colour = info->PageControlTabHeaderTextColorHot;
    else
      colour = info->PageControlTabHeaderTextColor;
  }
  return colour ? colour->Value() : TcxPCTabsPainter::TabTextColor(TabVisibleIndex);
}

void TSP::DrawTabText(TcxCanvas* ACanvas, const String& Caption, int TabVisibleIndex, const TRect& R) {
  win::HDC dc = ACanvas->DeviceContext();
  ACanvas->ActiveFont()->SetColor(TabTextColor(TabVisibleIndex));
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, ColorToRGB(ACanvas->ActiveFont()->Color()));
  win::RECT r = R;
  win::DrawText(dc, Caption.c_str(), -1, &r, win::DT_SINGLELINE | win::DT_END_ELLIPSIS);
}

TColor TSP::ControlBackgroundColor() {
  TdxSkinInfo* info = SkinInfo();
  return info && info->SkinContentColor ? info->SkinContentColor->Value() : Control()->Color();
}

bool TSP::IsNativePainting() {
  TcxLookAndFeel* lookAndFeel = Control()->LookAndFeel();
  if (!Control()->IsDestroying() && lookAndFeel && lookAndFeel->SkinPainter()) return true;
  return TcxPCTabsPainter::IsNativePainting();
}

// ---- painting --------------------------------------------------------------------------------------------

void TSP::PaintTabs() {
  if (!SkinInfo()) {
    TcxPCTabsPainter::PaintTabs();
    return;
  }
  // The selected tab last, so that it overlaps its neighbours.
  const int selected = Control()->SelectedTabVisibleIndex();
  int first, last;
  Control()->Layout()->PlacedTabRange(first, last);
  for (int i = std::max(first, 0); i <= last; ++i)
    if (i != selected) DrawTab(i);
  if (selected >= 0 && selected < Control()->Tabs()->VisibleCount() && VisibleTab(selected)->IsOnScreen()) DrawTab(selected);
}

void TSP::PaintThemedTabPart(win::HDC DC, int TabVisibleIndex, const TRect& R) {
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlTabHeader) {
    TcxPCTabsPainter::PaintThemedTabPart(DC, TabVisibleIndex, R);
    return;
  }
  info->PageControlTabHeader->DrawOnDC(DC, R, 0, TabState(TabVisibleIndex));
}

void TSP::PaintTabBitmapBackground(TBitmap* Bitmap, const TRect& R, TcxTab* Tab) {
  TcxPCTabsPainter::PaintTabBitmapBackground(Bitmap, R, Tab);
  TdxSkinInfo* info = SkinInfo();
  TdxSkinElement* page = PageElement(info);
  if (!page || !info->PageControlTabHeader || !info->PageControlTabHeader->NeedsAlphaBlend()) return;
  // A translucent tab shows the pane behind it.
  TRect full = Tab->FullRect();
  int dx = -full.Left, dy = -full.Top;
  if (Tab->IsSelectedTab()) {
    if (Tab->RowSide() == tpBottom) ++dy;
    if (Tab->RowSide() == tpRight) ++dx;
  }
  page->DrawOnDC(Bitmap->Canvas()->Handle(), ShiftRect(PageFrameBounds(), dx, dy, true), 0, esNormal);
}

void TSP::PaintNavigatorButton(TcxPCNavigatorButton Button, const TRect& R) {
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->PageControlTabButtonHorz || !info->PageControlTabButtonVert) {
    TcxPCTabsPainter::PaintNavigatorButton(Button, R);
    return;
  }
  const bool vertical = IsSideStrip();
  TdxSkinElement* e = vertical ? info->PageControlTabButtonVert : info->PageControlTabButtonHorz;
  if (e->NeedsAlphaBlend()) Control()->DrawParentBackground(Canvas()->DeviceContext(), R);
  static constexpr TdxSkinElementState states[] = {esNormal, esPressed, esHot, esDisabled};
  e->DrawOnDC(Canvas()->DeviceContext(), R, NavigatorImageIndex(Button, vertical), states[std::clamp(ButtonState(Button), 0, 3)]);
}

void TSP::PaintPageFrame() {
  TdxSkinElement* page = PageElement(SkinInfo());
  if (!page) {
    TcxPCTabsPainter::PaintPageFrame();
    return;
  }
  page->DrawOnDC(Canvas()->DeviceContext(), PageFrameBounds(), 0, esNormal);
}

void TSP::PaintPageBackgroundForChild(win::HDC DC, TControl* Child) {
  TdxSkinElement* page = PageElement(SkinInfo());
  if (!page) {
    TcxPCTabsPainter::PaintPageBackgroundForChild(DC, Child);
    return;
  }
  page->DrawOnDC(DC, ShiftRect(PageFrameBounds(), -Child->Left(), -Child->Top(), true), 0, esNormal);
}

void TSP::PaintThemedPage(TcxCanvas* ACanvas) {
  TdxSkinElement* page = PageElement(SkinInfo());
  if (!page) {
    TcxPCTabsPainter::PaintThemedPage(ACanvas);
    return;
  }
  TRect r = PageFrameBounds();
  if (IsEmpty(r)) return;
  if (page->NeedsAlphaBlend()) Control()->DrawParentBackground(ACanvas->DeviceContext(), r);
  const bool own = ACanvas == Canvas();
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(r);
  // The pane at least as large as its margins, grown away from the tabs.
  const TRect m = ThemedContentMargins();
  const TcxTabPosition position = Control()->TabPosition();
  const int minH = m.Top + m.Bottom, minW = m.Left + m.Right;
  if (r.Bottom - r.Top < minH) {
    if (position == tpBottom)
      r.Top = r.Bottom - minH;
    else
      r.Bottom = r.Top + minH;
  }
  if (r.Right - r.Left < minW) {
    if (position == tpRight)
      r.Left = r.Right - minW;
    else
      r.Right = r.Left + minW;
  }
  if (page->Image()->GradientBeginColor() == static_cast<TColor>(0x1FFFFFFF))
    FPageCache.DrawCached(ACanvas->DeviceContext(), page, r, esNormal, 0);
  else
    page->DrawOnDC(ACanvas->DeviceContext(), r, 0, esNormal);
  ACanvas->PopClipRegion();
  if (own) ACanvas->ExcludeRectFromClip(r);
}
