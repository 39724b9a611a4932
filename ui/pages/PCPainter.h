#pragma once
// The page-control painter: the base of every tab style. It decides the look and every measure of
// a style; the tab control decides what is where. One painter object serves one control and reads
// the control only through IcxPCPainterControl; the class answers a style gives before any
// control uses it live in its TcxPCPainterClassInfo. The registry of styles is
// TcxPCPaintersFactory.
#include <memory>
#include <vector>

#include "platform/classes/Controls.h"
#include "ui/foundation/Canvas.h"
#include "ui/pages/Tabs.h"

class TcxLookAndFeel;
class TcxPCImageList;
class TcxPCCustomPainter;

// What the painter draws one tab's content with.
struct TcxPCTabImageAndTextData {
  int TabVisibleIndex = -1;
  TRect ImageRect;
  TRect TextRect;
};

// The tab control as its painter sees it, besides what the layout reads.
class IcxPCPainterControl : public IcxTabControl {
 public:
  virtual TcxCanvas* Canvas() = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual TFont* Font() = 0;
  virtual TColor Color() = 0;
  virtual bool HideTabs() = 0;
  virtual int ImageBorder() = 0;
  virtual TcxPCNavigatorPosition NavigatorPosition() = 0;
  virtual bool ShowFrame() = 0;
  virtual int TabHeightProperty() = 0;
  virtual int TabWidthProperty() = 0;
  virtual TcxTabSlants* TabSlants() = 0;
  virtual bool OwnerDraw() = 0;
  virtual TcxPCNavigatorButtonState NavigatorButtonState(TcxPCNavigatorButton Button) = 0;
  // The page shown (the page control's ActivePage), and the page of a tab; nil for a plain control.
  virtual TControl* DisplayedPage() = 0;
  virtual TControl* TabPage(int TabIndex) = 0;
  // The control's font in the tab's text colour, as OnDrawTabEx leaves it.
  virtual void PrepareTabFont(TcxTab* Tab, TcxCanvas* ACanvas) = 0;
  // -1 when the tab shows no image.
  virtual int TabImageIndex(int TabIndex) = 0;
  virtual TcxPCImageList* TabImages() = 0;
  // OnDrawTab: assigned, and the answer (DefaultDraw) of a call.
  virtual bool HasDrawTabHandler() = 0;
  virtual bool FireDrawTab(TcxTab* Tab) = 0;
  virtual void TabPainted(TcxCanvas* ACanvas, TcxTab* Tab, const TcxPCTabImageAndTextData& Data) = 0;
  virtual void InvalidateControlRect(const TRect& R, bool Erase) = 0;
  // What only a windowed control has: the focus, a look-and-feel, and a parent to draw through.
  virtual bool Focused() { return false; }
  virtual TcxLookAndFeel* LookAndFeel() { return nullptr; }
  virtual bool ParentBackground() { return false; }
  // Paints the parent's background under R (control coordinates) into DC.
  virtual void DrawParentBackground(win::HDC DC, const TRect& R) { (void)DC, (void)R; }
};

// The painter's "class": the answers asked before any instance exists, and the maker of instances.
class TcxPCPainterClassInfo {
 public:
  virtual ~TcxPCPainterClassInfo() = default;
  virtual bool AllowsRotate() const { return true; }
  virtual int StyleKind() const { return 0; }
  virtual TcxPCStyleID StyleID() const { return -1; }
  virtual String StyleName() const { return String(); }
  virtual bool IsDefaultForLookAndFeel(TcxLookAndFeel*) const { return false; }
  virtual bool SuitsNativeStyle(TcxLookAndFeel*) const { return false; }
  virtual bool DrawsTabShapes() const { return true; }
  virtual bool AllowsTabMultiSelect() const { return false; }
  virtual bool StandardStyleFlag() const { return false; }
  virtual bool PressesTabsLikeButtons() const { return false; }
  virtual std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const = 0;
};
using TcxPCPainterClass = const TcxPCPainterClassInfo*;

// Live reads of the control's state.
class TcxPCPainterParentInfo : public TObject {
  VW_CLASS(TcxPCPainterParentInfo, TObject)
 public:
  TcxPCPainterParentInfo(IcxPCPainterControl* AControl, TcxPCCustomPainter* APainter)
      : FControl(AControl), FPainter(APainter) {}

  TControl* ParentDisplayedPage() { return FControl->DisplayedPage(); }
  TcxCanvas* ParentCanvas() { return FControl->Canvas(); }
  TFont* ParentFont() { return FControl->Font(); }
  TColor ParentColor() { return FControl->Color(); }
  int ParentHeight() { return FControl->Height(); }
  int ParentWidth() { return FControl->Width(); }
  bool ParentReservedFlag() { return false; }
  TRect ParentFirstBand();
  TRect ParentSecondBand();
  bool ParentHideTabs() { return FControl->HideTabs(); }
  int ParentImageBorder() { return FControl->ImageBorder(); }
  bool ParentMultiLine() { return FControl->MultiLine(); }
  TcxPCNavigatorPosition ParentNavigatorPosition() { return FControl->NavigatorPosition(); }
  TcxPCOptions ParentOptions() { return FControl->Options(); }
  bool ParentRaggedRight() { return FControl->RaggedRight(); }
  bool ParentShowFrame() { return FControl->ShowFrame(); }
  int ParentTabHeight() { return FControl->TabHeightProperty(); }
  int ParentTabWidth() { return FControl->TabWidthProperty(); }
  TcxTabSlants* ParentTabSlants() { return FControl->TabSlants(); }
  bool ParentRotate() { return FControl->Rotate(); }
  TcxTabPosition ParentTabPosition() { return FControl->TabPosition(); }
  int ParentSelectedTabVisibleIndex() { return FControl->SelectedTabVisibleIndex(); }
  int ParentRowCount();
  int ParentTopRowCount();
  TcxPCNavigatorButtons ParentNavigatorButtons();
  TcxPCNavigatorButtonState ParentNavigatorButtonState(TcxPCNavigatorButton Button) {
    return FControl->NavigatorButtonState(Button);
  }
  TControl* ParentTabPage(int TabVisibleIndex);
  TColor ParentTabColor(int TabVisibleIndex);
  bool ParentRowsOnBothSides();
  TcxTab* VisibleTabAt(int TabVisibleIndex) { return FControl->Tabs()->VisibleTabs()->GetTab(TabVisibleIndex); }

 private:
  IcxPCPainterControl* FControl;
  TcxPCCustomPainter* FPainter;
};

class TcxPCCustomPainter : public TObject, public IcxTabLayoutPainter {
  VW_CLASS(TcxPCCustomPainter, TObject)
 public:
  // Construct: keeps the control and makes the parent info.
  explicit TcxPCCustomPainter(IcxPCPainterControl* AControl);
  ~TcxPCCustomPainter() override;

  virtual TcxPCPainterClass PainterClass() const = 0;

  // ---- the slots, in their order ----
  // AllowsRotate: a class answer.
  int CalculateTabWidth(TcxTab* Tab) override = 0;
  TRect TabRectAdjustment(int TabVisibleIndex) override;
  virtual void PaintPageBackgroundForChild(win::HDC DC, TControl* Child);
  virtual void PaintTabImageAndText(TcxTab* Tab, int TabVisibleIndex);
  virtual void FillPageArea();
  virtual void PaintPageFrame();
  virtual int NavigatorButtonSpacing(TcxPCNavigatorButton Button1, TcxPCNavigatorButton Button2);
  virtual int NavigatorTabsGap();
  virtual int NavigatorEdgeOffset();
  virtual int NavigatorEndOffset();
  virtual TColor PageColor();
  virtual TRect PageClientExtents();
  virtual TColor DefaultPageColor();
  virtual TRect TabRowsExtents();
  virtual TRect TabContentOffsets(int TabVisibleIndex) = 0;
  virtual TcxPCWOffset TabSizeCorrection(int TabVisibleIndex) = 0;
  virtual TRect TabImageTextOffsets(int TabVisibleIndex) = 0;
  virtual int ClientShift();
  virtual void NotifyTabPainted(int TabVisibleIndex);
  virtual bool UsesPageColorForTabs();
  virtual TPoint GoDialogPopupPoint() = 0;
  virtual int TabImageTextGap(int TabVisibleIndex) = 0;
  int MinTabWidth(int TabVisibleIndex) override = 0;
  virtual TcxPCDistance StandardSizePair() = 0;
  virtual TRect ThemedContentMargins();
  virtual TColor TabFillColor(int TabVisibleIndex) = 0;
  virtual TColor TabOwnColor(int TabVisibleIndex);
  virtual std::unique_ptr<TcxRegion> TabRegion(int TabVisibleIndex);
  virtual TcxRegionCombineMode TabClipOperation(int TabVisibleIndex);
  virtual TcxPCWOffset TabContentPadding(int TabVisibleIndex) = 0;
  virtual void ThemeTabPartAndState(int TabVisibleIndex, int& Part, int& State);
  virtual TRect SelectedTabExpansion();
  TcxPCDistance TabSpacing() override;
  void CalculateTabsAndButtonsArea(TcxPCNavigatorButtons Buttons, TcxPCTabsAreaMetrics& Metrics) override = 0;
  virtual TColor TabTextColor(int TabVisibleIndex);
  virtual TcxPCWOffset TabTextIndent(int TabVisibleIndex) = 0;
  virtual void BeforeLayout();
  virtual void DrawTabText(TcxCanvas* ACanvas, const String& Caption, int TabVisibleIndex, const TRect& R);
  virtual void PaintContent();
  virtual void SetTabImageTextRects(int TabVisibleIndex, const TRect& ImageRect, const TRect& TextRect) = 0;
  virtual void InvalidateTabRect(int TabVisibleIndex);
  virtual bool HotTrackForced();
  virtual bool IsNativePainting();
  virtual bool NavigatorButtonAt(int X, int Y, TcxPCNavigatorButton& Button) = 0;
  virtual bool IsPointInTabShape(int TabVisibleIndex, int X, int Y);
  virtual bool IsTabActiveLook(int TabVisibleIndex) = 0;
  virtual bool KeepsTabInClip(int TabVisibleIndex);
  virtual bool EmbossesDisabledText();
  virtual bool NeedsDoubleBuffer();
  virtual bool RepaintsOnResize();
  virtual bool ShowsFrameBorder();
  virtual void PaintControl();
  virtual void PaintNavigatorButtons() = 0;
  virtual void PaintPageArea();
  virtual void PaintFrameBorder() = 0;
  virtual void PaintTabs() = 0;
  virtual void PaintRotatedTabContent(TBitmap* Bitmap, const TcxPCTabImageAndTextData& Data, int TabVisibleIndex);
  virtual void InvalidateNavigatorButton(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState PreviousState);
  virtual void InvalidateNavigatorArea();
  virtual void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind);
  int NormalTabHeight() override = 0;
  virtual TRect NavigatorButtonsRect() = 0;
  // The class answers, through the instance.
  bool DrawsTabShapes() override { return PainterClass()->DrawsTabShapes(); }
  bool AllowsTabMultiSelect() override { return PainterClass()->AllowsTabMultiSelect(); }
  bool PressesTabsLikeButtons() override { return PainterClass()->PressesTabsLikeButtons(); }

  // ---- routines the styles share ----
  TRect PageClientBounds();
  TRect PageFrameBounds();
  void CalculateTabImageAndTextRects(int TabVisibleIndex);
  TcxBitmap32* CreateRotatedTextBitmap(TcxTab* Tab);
  TcxBitmap32* RotatedTextBitmap(TcxTab* Tab) { return Tab->RotatedTextBitmap(); }
  void DrawTransformedPolyline(const TRect& R, const TPoint* Points, TColor Colour, int Kind, int Count);
  static TPoint TransformPoint(const TRect& R, TPoint P, int Kind);
  static void TransformPoints(const TRect& R, TPoint* Points, int Kind, int LastIndex);
  // The polyline and then the last point's own pixel, which a line leaves out.
  void DrawPolyline(const TPoint* Points, int Count, TcxCanvas* ACanvas, TColor Colour);
  bool UserDrawsTab(int TabVisibleIndex);
  bool IsOwnerDrawing();
  void ExcludeTabContentFromClip(int TabVisibleIndex);
  TColor HighlightedTextColor(int TabVisibleIndex, TColor Default);
  TColor HotTextColor();
  int MaxCaptionHeight();
  TSize ImageSize();
  TSize RotatedImageSize();
  int TabThemeState(int TabVisibleIndex);
  bool HasImages() { return ImageSize().cx > 0; }
  bool TabHasImage(int TabVisibleIndex);
  void InvalidateControlRect(const TRect& R) { FControl->InvalidateControlRect(R, false); }
  void InvalidateBandOfTab(int TabVisibleIndex);
  bool ClipToRect(const TRect& R, bool Intersect);
  void SaveClipRegion();
  void RestoreClipRegion();
  void RestoreClip() { RestoreClipRegion(); }
  void PrepareTabFontOn(TcxTab* Tab, TcxCanvas* ACanvas) { FControl->PrepareTabFont(Tab, ACanvas); }

  IcxPCPainterControl* Control() const { return FControl; }
  TcxPCPainterParentInfo* ParentInfo() const { return FParentInfo.get(); }
  TcxPCTabImageAndTextData& TabImageAndTextData() { return FTabImageAndTextData; }
  TcxCanvas* Canvas() { return FControl->Canvas(); }
  TcxTab* VisibleTab(int TabVisibleIndex) { return FControl->Tabs()->VisibleTabs()->GetTab(TabVisibleIndex); }

 private:
  void DrawCaptionIntoBitmap(TcxTab* Tab, TBitmap* Bitmap, TRect TextRect, TColor Fill, bool Native);
  void PaintPlainCaption(TcxTab* Tab, TColor Fill);
  void PaintRotatedCaption(TcxTab* Tab, TColor Fill);

  IcxPCPainterControl* FControl;
  std::unique_ptr<TcxPCPainterParentInfo> FParentInfo;
  TcxPCTabImageAndTextData FTabImageAndTextData;
};

// Tabs-on-top rectangles turned for the tab position: (L, T, R, B) on top becomes (R, B, L, T) at
// the bottom, (T, R, B, L) on the left and (B, L, T, R) on the right; the inverse undoes it.
TRect RotateRectForTabPosition(const TRect& R, TcxTabPosition Position);
TRect RotateRectBackForTabPosition(const TRect& R, TcxTabPosition Position);
// Adds the extents' left and top and takes off their right and bottom.
TRect ReduceRectByExtents(const TRect& R, const TRect& Extents);

// The registry of styles, in registration order and without duplicates. One global instance
// lives while any class is registered; the static operations work on it, and answer as for an
// empty registry while there is none.
class TcxPCPaintersFactory : public TObject {
  VW_CLASS(TcxPCPaintersFactory, TObject)
 public:
  TcxPCPaintersFactory() = default;

  static void RegisterPainterClass(TcxPCPainterClass PainterClass);
  static void UnregisterPainterClass(TcxPCPainterClass PainterClass);
  // Nil while no class is registered.
  static TcxPCPaintersFactory* Instance();

  static int PainterClassCount();
  static TcxPCPainterClass PainterClassAt(int Index);
  // The first class with that ID; nil when none.
  static TcxPCPainterClass PainterClassByStyleID(TcxPCStyleID StyleID);
  // The last registered class that is the look-and-feel's default; -1 when none.
  static TcxPCStyleID StyleIDForLookAndFeel(TcxLookAndFeel* LookAndFeel);
  // The last registered class that suits the native style, else the first registered; raises
  // without any.
  static TcxPCStyleID GetDefaultStyleID(TcxLookAndFeel* LookAndFeel);
  // Raises for a nil class.
  static std::unique_ptr<TcxPCCustomPainter> GetPainterInstance(TcxPCPainterClass PainterClass,
                                                                IcxPCPainterControl* Control);
  static void ReleasePainter(std::unique_ptr<TcxPCCustomPainter>& Painter) { Painter.reset(); }

 private:
  std::vector<TcxPCPainterClass> FClasses;
};
