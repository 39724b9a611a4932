#pragma once
// The "Skin" tab style: tabs, navigator buttons and the page pane drawn from the elements of the
// skin's "PageControl" group, sizes from that group's properties, captions in the skin's text
// colours. Registered after the standard styles, it is the automatic style of every tab control
// whose look-and-feel has a skin painter; without a skin, or where the skin lacks an element, it
// behaves as "Tabs" (apart from the page client extents, which never take the client shift).
#include "ui/pages/PCTabsPainter.h"
#include "ui/skins/SkinElementCache.h"
#include "ui/skins/SkinInfo.h"

class TcxPCSkinPainter : public TcxPCTabsPainter {
  VW_CLASS(TcxPCSkinPainter, TcxPCTabsPainter)
 public:
  using TcxPCTabsPainter::TcxPCTabsPainter;
  TcxPCPainterClass PainterClass() const override;

  int CalculateTabWidth(TcxTab* Tab) override;
  TRect TabRectAdjustment(int TabVisibleIndex) override;
  void PaintPageBackgroundForChild(win::HDC DC, TControl* Child) override;
  void PaintPageFrame() override;
  TRect PageClientExtents() override;
  TRect ThemedContentMargins() override;
  std::unique_ptr<TcxRegion> TabRegion(int TabVisibleIndex) override;
  TcxPCDistance TabSpacing() override;
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override;
  TColor TabTextColor(int TabVisibleIndex) override;
  void DrawTabText(TcxCanvas* ACanvas, const String& Caption, int TabVisibleIndex, const TRect& R) override;
  bool HotTrackForced() override { return true; }
  bool IsNativePainting() override;
  bool EmbossesDisabledText() override { return false; }
  bool NeedsDoubleBuffer() override { return false; }
  void PaintTabs() override;
  int NormalTabHeight() override;
  int NavigatorButtonLength(TcxPCNavigatorButton Button) override;
  TColor ControlBackgroundColor() override;
  void PaintNavigatorButton(TcxPCNavigatorButton Button, const TRect& R) override;
  void TabFocusBounds(const TRect& TabBounds, TRect& R) override;
  void PaintThemedTabPart(win::HDC DC, int TabVisibleIndex, const TRect& R) override;
  void PaintTabBitmapBackground(TBitmap* Bitmap, const TRect& R, TcxTab* Tab) override;
  void PaintThemedPage(TcxCanvas* ACanvas) override;

  // The lookup table of the look-and-feel's skin painter; null without one.
  TdxSkinInfo* SkinInfo();
  // "TabPane", or with HideTabs "GroupPanel" (ShowFrame) or "FormContent".
  TdxSkinElement* PageElement(TdxSkinInfo* Info);
  TdxSkinElementState TabState(int TabVisibleIndex);
  static int NavigatorImageIndex(TcxPCNavigatorButton Button, bool Vertical);

 private:
  // The four integer growths: selected at both ends, outward and toward the page; others toward it.
  struct TGrowths {
    int HG = 0, UG = 0, DG = 0, HD = 0;
  };
  static TGrowths Growths(TdxSkinInfo* Info);
  TdxSkinElementCache FPageCache;
};

// The style class (11, "Skin").
TcxPCPainterClass cxPCSkinStyle();

// Registers "Skin" after the standard styles, and takes it out again.
void PCSkinPainterUnitStartup();
void PCSkinPainterUnitShutdown();
