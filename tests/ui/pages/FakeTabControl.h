#pragma once
// A tab control without a window: the tabs and the layout over a painter of fixed metrics. Every
// tab is as wide as the number its caption starts with ("50" or "50 x"), else 10 per character;
// each navigator button takes 20 pixels off the row.
#include <string>
#include <vector>

#include <memory>

#include "platform/classes/Bitmap.h"
#include "ui/pages/PCImageList.h"
#include "ui/pages/PCPainter.h"
#include "ui/pages/TabLayout.h"
#include "ui/pages/Tabs.h"

class TFixedPainter : public IcxTabLayoutPainter {
 public:
  int TabHeight = 20;
  int MinWidth = 10;
  TcxPCDistance Spacing;
  bool TabShapes = true;
  bool MultiSelect = false;
  bool ButtonLike = false;
  int Width = 300, Height = 200;
  TcxTabPosition Position = tpTop;
  int BandGap = 0;

  int NormalTabHeight() override { return TabHeight; }
  int CalculateTabWidth(TcxTab* Tab) override {
    const String& caption = Tab->Caption();
    std::size_t digits = 0;
    while (digits < caption.size() && caption[digits] >= '0' && caption[digits] <= '9') ++digits;
    return digits ? std::stoi(caption.substr(0, digits)) : 10 * static_cast<int>(caption.size());
  }
  int MinTabWidth(int) override { return MinWidth; }
  TcxPCDistance TabSpacing() override { return Spacing; }
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override {
    int buttons = 0;
    for (TcxPCNavigatorButton b : {nbTopLeft, nbBottomRight, nbGoDialog, nbClose})
      if (Buttons.Contains(b)) ++buttons;
    bool horizontal = cxPCIsHorizontalPosition(Position);
    Metrics.TabsAreaRect = horizontal ? TRect(0, 0, Width - 20 * buttons, Height) : TRect(0, 0, Width, Height - 20 * buttons);
    Metrics.RowLength = horizontal ? Metrics.TabsAreaRect.Right : Metrics.TabsAreaRect.Bottom;
    Metrics.StartPoint = TPoint(0, 0);
    Metrics.EndPoint = TPoint(Metrics.TabsAreaRect.Right, Metrics.TabsAreaRect.Bottom);
    Metrics.BandGap = BandGap;
  }
  TRect TabRectAdjustment(int) override { return TRect(); }
  bool DrawsTabShapes() override { return TabShapes; }
  bool AllowsTabMultiSelect() override { return MultiSelect; }
  bool PressesTabsLikeButtons() override { return ButtonLike; }
};

// A tab control without a window. Its layout runs on the fixed painter unless a painter object is
// given; it paints into a bitmap of its size.
class TFakeTabControl : public IcxPCPainterControl {
 public:
  TFixedPainter Painter;
  IcxTabLayoutPainter* PainterInUse = &Painter;
  TBitmap Surface;
  std::unique_ptr<TcxCanvas> SurfaceCanvas;
  TFont ControlFont;
  TcxPCImageList Images;
  bool FHideTabs = false, FShowFrame = false, FOwnerDraw = false, FEnabled = true;
  int FImageBorder = 0;
  TcxTabSlants Slants;
  std::vector<TRect> Invalidated;
  TcxTabs TabList{this};
  TcxTabLayout TabLayout{this};

  bool FMultiLine = false, FRotate = false, FRaggedRight = false, FScrollOpposite = false;
  TcxPCOptions FOptions = cxPCDefaultOptions;
  int FMaxRotatedTabWidth = 0;
  bool FLoading = false, FRequiresVisibleSelection = false;
  int FTabIndex = -1, FSelected = -1, FHot = -1, FPressed = -1, FFocused = -1;
  bool FMultiSelectMode = false;
  int Relayouts = 0, SilentSelections = 0;
  std::vector<std::pair<int, int>> Repaints;

  // Captions "w1", "w2", ... of the given widths.
  void AddTabs(std::initializer_list<int> Widths) {
    TabList.BeginUpdate();
    for (int w : Widths) TabList.Add(std::to_string(w));
    TabList.EndUpdate();
  }
  void SetPosition(TcxTabPosition Value) {
    Painter.Position = Value;
    Relayout();
  }
  void SetSize(int W, int H) {
    Painter.Width = W;
    Painter.Height = H;
    Relayout();
  }
  std::vector<int> Rows() {
    std::vector<int> rows;
    for (int i = 0; i < TabList.VisibleCount(); ++i) rows.push_back(TabList.VisibleTab(i)->Row());
    return rows;
  }
  std::vector<int> VisibleRows() {
    std::vector<int> rows;
    for (int i = 0; i < TabList.VisibleCount(); ++i) rows.push_back(TabList.VisibleTab(i)->VisibleRow());
    return rows;
  }
  std::vector<int> Widths() {
    std::vector<int> widths;
    for (int i = 0; i < TabList.VisibleCount(); ++i) widths.push_back(TabList.VisibleTab(i)->NormalWidth());
    return widths;
  }
  void DeriveSelected() {
    if (FTabIndex == -1) {
      FSelected = -1;
      return;
    }
    TcxVisibleTabList* visible = TabList.VisibleTabs();
    int position;
    visible->Find(FTabIndex, position);
    FSelected = visible->Count() == 0 ? -1 : std::min(position, visible->Count() - 1);
  }

  IcxTabLayoutPainter* LayoutPainter() override { return PainterInUse; }
  TcxTabs* Tabs() override { return &TabList; }
  TcxTabLayout* Layout() override { return &TabLayout; }
  bool MultiLine() override { return FMultiLine; }
  bool Rotate() override { return FRotate; }
  bool RaggedRight() override { return FRaggedRight; }
  bool ScrollOpposite() override { return FScrollOpposite; }
  TcxTabPosition TabPosition() override { return Painter.Position; }
  TcxPCOptions Options() override { return FOptions; }
  int MaxRotatedTabWidth() override { return FMaxRotatedTabWidth; }
  bool ControlEnabled() override { return FEnabled; }
  bool IsLoading() override { return FLoading; }
  bool IsDestroying() override { return false; }
  bool RequiresVisibleSelection() override { return FRequiresVisibleSelection; }
  int TabIndex() override { return FTabIndex; }
  void SetTabIndex(int Value) override {
    if (Value < -1 || Value >= TabList.Count()) return;
    if (Value != -1 && FRequiresVisibleSelection && !TabList.Tab(Value)->Visible()) Value = -1;
    FTabIndex = Value;
    DeriveSelected();
    Relayout();
  }
  void SetTabIndexWithoutEvents(int Value) override {
    FTabIndex = Value;
    ++SilentSelections;
  }
  int SelectedTabVisibleIndex() override { return FSelected; }
  int HotTabVisibleIndex() override { return FHot; }
  int PressedTabVisibleIndex() override { return FPressed; }
  int FocusedTabVisibleIndex() override { return FFocused; }
  void ClearFocusedTab() override { FFocused = -1; }
  bool MultiSelectMode() override { return FMultiSelectMode; }
  void SetMultiSelectMode(bool Value) override { FMultiSelectMode = Value; }
  void ResetIndicesForLayout(int N) override {
    for (int* index : {&FHot, &FSelected, &FPressed})
      if (*index >= N) *index = -1;
    if (FTabIndex >= TabList.Count()) FTabIndex = TabList.Count() - 1;
  }
  void NavigatorButtonsChanged(TcxPCNavigatorButtons, TcxPCNavigatorButtons) override {}
  void Relayout() override {
    ++Relayouts;
    int remembered = FSelected;
    if (FSelected >= TabList.VisibleCount()) FSelected = -1;
    TabLayout.Calculate();
    FSelected = remembered;
    DeriveSelected();
  }
  void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind) override {
    Repaints.emplace_back(TabVisibleIndex, static_cast<int>(Kind));
  }
  int MeasureTabCaptionWidth(TcxTab* Tab) override { return 7 * static_cast<int>(Tab->Caption().size()); }

  // ---- what painters read ----
  TcxCanvas* Canvas() override {
    if (!SurfaceCanvas) {
      Surface.SetSize(Painter.Width, Painter.Height);
      Surface.Canvas()->Brush()->SetColor(clWhite);
      Surface.Canvas()->FillRect(TRect(0, 0, Painter.Width, Painter.Height));
      SurfaceCanvas = std::make_unique<TcxCanvas>(Surface.Canvas());
    }
    return SurfaceCanvas.get();
  }
  int Width() override { return Painter.Width; }
  int Height() override { return Painter.Height; }
  TFont* Font() override { return &ControlFont; }
  TColor Color() override { return clBtnFace; }
  bool HideTabs() override { return FHideTabs; }
  int ImageBorder() override { return FImageBorder; }
  TcxPCNavigatorPosition NavigatorPosition() override { return npRightTop; }
  bool ShowFrame() override { return FShowFrame; }
  int TabHeightProperty() override { return 0; }
  int TabWidthProperty() override { return 0; }
  TcxTabSlants* TabSlants() override { return &Slants; }
  bool OwnerDraw() override { return FOwnerDraw; }
  TcxPCNavigatorButtonState NavigatorButtonState(TcxPCNavigatorButton) override { return nbsNormal; }
  TControl* DisplayedPage() override { return nullptr; }
  TControl* TabPage(int) override { return nullptr; }
  void PrepareTabFont(TcxTab*, TcxCanvas* ACanvas) override { ACanvas->AssignFont(&ControlFont); }
  int TabImageIndex(int TabIndex) override {
    int index = TabList.Tab(TabIndex)->ImageIndex();
    return Images.Count() > index ? index : -1;
  }
  TcxPCImageList* TabImages() override { return &Images; }
  bool HasDrawTabHandler() override { return false; }
  bool FireDrawTab(TcxTab*) override { return true; }
  void TabPainted(TcxCanvas*, TcxTab*, const TcxPCTabImageAndTextData&) override {}
  void InvalidateControlRect(const TRect& R, bool) override { Invalidated.push_back(R); }
};
