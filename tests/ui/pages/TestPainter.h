#pragma once
// A style of fixed measures for the page-control tests, and test style classes to register.
#include <string>

#include "ui/pages/PCPainter.h"
#include "ui/pages/TabLayout.h"

// A style of fixed measures: tabs 20 high, each as wide as its caption's number (else 80), content
// padded 6 at each end, offsets 2 across, an image gap of 4.
struct TTestStyle;
inline TTestStyle& TestTabsStyle();

class TTestPainter : public TcxPCCustomPainter {
 public:
  using TcxPCCustomPainter::TcxPCCustomPainter;
  TcxPCPainterClass PainterClass() const override;
  const TcxPCPainterClassInfo* Style = nullptr;
  int OtherWidth = 80;
  bool ForcesHotTrack = false;

  int CalculateTabWidth(TcxTab* Tab) override {
    String c = Tab->Caption();
    return !c.empty() && c[0] >= '0' && c[0] <= '9' ? std::stoi(c) : OtherWidth;
  }
  TRect TabContentOffsets(int) override { return TRect(0, 2, 0, 2); }
  TcxPCWOffset TabSizeCorrection(int) override { return {3, 3}; }
  TRect TabImageTextOffsets(int) override { return TRect(0, 2, 0, 2); }
  TPoint GoDialogPopupPoint() override { return TPoint(); }
  int TabImageTextGap(int) override { return 4; }
  int MinTabWidth(int) override { return 10; }
  TcxPCDistance StandardSizePair() override { return {}; }
  TColor TabFillColor(int) override { return clBtnFace; }
  TcxPCWOffset TabContentPadding(int) override { return {6, 6}; }
  // Navigator buttons are 20 x 20 at the end of a row on top, in their order.
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override {
    bool horizontal = cxPCIsHorizontalPosition(Control()->TabPosition());
    int buttons = 0;
    for (TcxPCNavigatorButton b : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose}) buttons += Buttons.Contains(b);
    int w = Control()->Width() - (horizontal ? 20 * buttons : 0);
    int h = Control()->Height() - (horizontal ? 0 : 20 * buttons);
    Metrics.TabsAreaRect = TRect(0, 0, w, h);
    Metrics.RowLength = horizontal ? w : h;
    Metrics.EndPoint = TPoint(w, h);
  }
  TcxPCWOffset TabTextIndent(int) override { return {2, 2}; }
  void SetTabImageTextRects(int, const TRect& ImageRect, const TRect& TextRect) override {
    Image = ImageRect;
    Text = TextRect;
  }
  bool NavigatorButtonAt(int X, int Y, TcxPCNavigatorButton& Button) override {
    TcxPCNavigatorButtons shown = Control()->Layout()->NavigatorButtons();
    int x = Control()->Layout()->TabsAreaMetrics().TabsAreaRect.Right;
    for (TcxPCNavigatorButton b : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose}) {
      if (!shown.Contains(b)) continue;
      if (X >= x && X < x + 20 && Y >= 0 && Y < 20) {
        Button = b;
        return true;
      }
      x += 20;
    }
    return false;
  }
  bool HotTrackForced() override { return ForcesHotTrack; }
  bool IsTabActiveLook(int TabVisibleIndex) override { return VisibleTab(TabVisibleIndex)->IsSelectedTab(); }
  void PaintNavigatorButtons() override {}
  void PaintFrameBorder() override {}
  void PaintTabs() override {
    Canvas()->FillRectWithColor(Control()->Layout()->FirstBand(), Control()->Color());
    for (int i = 0; i < Control()->Tabs()->VisibleCount(); ++i) {
      TcxTab* tab = VisibleTab(i);
      if (!tab->IsOnScreen()) continue;
      TRect r = tab->ClippedRect();
      Canvas()->FillRectWithColor(r, TabFillColor(i));
      Canvas()->ActiveBrush()->SetColor(clBtnShadow);
      Canvas()->Canvas()->FrameRect(r);
      PaintTabImageAndText(tab, i);
    }
  }
  int NormalTabHeight() override { return 20; }
  TRect NavigatorButtonsRect() override { return TRect(); }

  TRect Image, Text;
};

// A test style: its ID, name and class answers.
struct TTestStyle : TcxPCPainterClassInfo {
  TTestStyle(int AID, const char* AName) : ID(AID), Name(AName) {}
  int ID;
  const char* Name;
  bool Rotates = true, ButtonLike = false, Shapes = true, MultiSelect = false, Default = false, Suits = false;
  TcxPCStyleID StyleID() const override { return ID; }
  String StyleName() const override { return Name; }
  bool AllowsRotate() const override { return Rotates; }
  bool PressesTabsLikeButtons() const override { return ButtonLike; }
  bool DrawsTabShapes() const override { return Shapes; }
  bool AllowsTabMultiSelect() const override { return MultiSelect; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel*) const override { return Default; }
  bool SuitsNativeStyle(TcxLookAndFeel*) const override { return Suits; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override;
};

inline TTestStyle& TestTabsStyle() {
  static TTestStyle style(1, "Tabs");
  return style;
}

inline std::unique_ptr<TcxPCCustomPainter> TTestStyle::CreatePainter(IcxPCPainterControl* Control) const {
  auto painter = std::make_unique<TTestPainter>(Control);
  painter->Style = this;
  return painter;
}

inline TcxPCPainterClass TTestPainter::PainterClass() const {
  return Style ? Style : static_cast<const TcxPCPainterClassInfo*>(&TestTabsStyle());
}

