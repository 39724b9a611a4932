#pragma once
// The item controls that can drop a bar window down: buttons (with their check state and optional
// arrow part), large buttons, the application menu's buttons, sub-items and the container items
// whose menu is built each time it opens.
//
// Menus open and close after a hover delay: one module-wide open timer and one close timer, each
// held by a single control at a time, so moving through a cascade never opens two levels at once.
// A control cancels whatever timer it holds when it goes, so a late timer never reaches it.
#include "ui/bars/BarDrawParams.h"
#include "ui/bars/BarItemControl.h"

class TdxBar;

// The hover delay before a menu opens or closes: a library constant, not the system's menu delay.
constexpr unsigned dxBarHoverDelay = 400;

class TdxBarButtonLikeControl : public TdxBarItemControl {
  VW_CLASS(TdxBarButtonLikeControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  // The hover timers let go of the control; an open drop-down bar is dismissed.
  ~TdxBarButtonLikeControl() override;

  bool CanFade() override;
  void PrepareFadingImages(TBitmap*& NormalImage, TBitmap*& HotImage, int& FadeInFrameCount, int& FadeInFrameDelay,
                           int& FadeOutFrameCount, int& FadeOutFrameDelay) override;
  bool JoinsButtonGroups() const override { return true; }
  // AFlag is the by-mouse flag that reaches the item's drop-down (keys pass false).
  void Activate(bool AByMouse, bool AFlag = false) override;
  void Deactivate(bool AFlag = false) override;
  void PressAgain(bool ASameControl, bool& AHandled) override;
  bool IsDropDownKey(win::WORD Key) const override;
  TClass AccessibilityHelperClass() const override;
  TClass DrawParamsClass() const override { return TdxBarButtonLikeControlDrawParams::StaticClass(); }
  void RefreshDrawParams(bool AFull) override;
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;

  virtual int ArrowWidth() const;
  virtual bool CanDropDown() const;
  // The bar becomes downed: moving to another drop-down control of it opens that one at once.
  virtual void OpenDropDownNow(bool AByMouse);
  // The bar window that drops from the control; none.
  virtual TCustomdxBarControl* DropDownBar() const { return nullptr; }
  virtual bool ArrowColorFlag() const;
  virtual bool HighlightFlag() const;
  // The hover timers stop; with ACloseBar the dropped bar is dismissed.
  virtual void CloseDropDown(bool ACloseBar);
  virtual void OpenDropDown(bool AByMouse) = 0;

  // Set by the bar when a press opens the control, read when its drop-down shows.
  bool AnimateNextDropDown() const { return FAnimateNextDropDown; }
  void SetAnimateNextDropDown(bool Value) { FAnimateNextDropDown = Value; }
  TdxBarButtonLikeControlDrawParams& ButtonDrawInfo() const {
    return static_cast<TdxBarButtonLikeControlDrawParams&>(*DrawInfo());
  }

  // ---- the hover timers shared by every button-like control ----
  static void ScheduleOpen(TdxBarButtonLikeControl* AControl);
  static void ScheduleClose(TdxBarButtonLikeControl* AControl);
  static void CancelTimers(TdxBarButtonLikeControl* AControl);
  static void FireCloseNow();
  // The controls whose open and close timers run; none when they do not.
  static TdxBarButtonLikeControl* OpenTimerControl();
  static TdxBarButtonLikeControl* CloseTimerControl();

 protected:
  // The parent is a toolbar window (not a menu, not the quick-customization bar).
  bool OnToolbar() const;
  // The parent is being destroyed, or there is none.
  bool ParentGone() const;

 private:
  bool FAnimateNextDropDown = false;
};

// A button item's control: check state, drop-down arrow part and drop-down menu.
class TdxBarButtonControl : public TdxBarButtonLikeControl {
  VW_CLASS(TdxBarButtonControl, TdxBarButtonLikeControl)
 public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  // An open drop-down menu is dismissed.
  ~TdxBarButtonControl() override;

  void PaintStyleChanged() override;
  void Press(bool AByMouse, bool AFlag = false) override;
  void Click(bool AByMouse) override;
  void PressAgain(bool ASameControl, bool& AHandled) override;
  bool IsSelected() const override;
  TClass AccessibilityHelperClass() const override;
  unsigned ContentPartsForLevel(int ALevel) const override;
  unsigned DefaultContentParts() const override;
  int PartCount() const override;
  void RefreshDrawParams(bool AFull) override;
  void CalcPartRects() override;
  TCustomdxBarControl* DroppedBar() const override { return DropDownBar(); }
  int RawHeight() override;
  int RawWidth() override;
  int SmallHeight() override;
  bool ClosesBarsOnClick() const override;
  bool HasDropDown() const override;
  bool CapturesMouse() const override;
  bool IsDroppedDown() const override;
  void OpenDropDownNow(bool AByMouse) override;
  TCustomdxBarControl* DropDownBar() const override;
  bool ArrowColorFlag() const override;
  bool HighlightFlag() const override;
  void CloseDropDown(bool ACloseBar) override;
  void OpenDropDown(bool AByMouse) override;

  // The link's paint style; on a toolbar psStandard goes through StandardPaintStyle.
  virtual TdxBarPaintStyle EffectivePaintStyle() const;
  // psCaption when the control has no image at its current view size.
  virtual void StandardPaintStyle(TdxBarPaintStyle& AStyle) const;

  bool DroppedDown() const { return FDroppedDown; }
  // Selected with the left button down on the button part, or pressed as a plain button.
  bool ShowsPressed() const;

 private:
  bool FDroppedDown = false;
};

class TdxBarLargeButtonControl : public TdxBarButtonControl {
  VW_CLASS(TdxBarLargeButtonControl, TdxBarButtonControl)
 public:
  using TdxBarButtonControl::TdxBarButtonControl;
  void HotGlyphChanged() override { LargeGlyphChanged(); }
  void LargeGlyphChanged() override;
  TdxBarItemViewLevels PossibleViewLevels() const override;
  unsigned DefaultContentParts() const override;
  TdxBarViewSize DefaultViewSize() const override;
  bool ShowsGrayGlyph() const override;
  bool ImageInfo(TdxBarViewSize AViewSize, bool AHot, int& AImageIndex, TCustomImageList*& AImages,
                 TBitmap*& AGlyph) const override;
  int NaturalHeight() override;
  int NaturalWidth() override;
  bool TextRotated() const override;
  int ArrowWidth() const override;
};

// One button of the application menu's button row, drawn in the toolbar look.
class TdxBarApplicationMenuButtonControl : public TdxBarButtonLikeControl {
  VW_CLASS(TdxBarApplicationMenuButtonControl, TdxBarButtonLikeControl)
 public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  void CaptionChanged() override { RepaintParent(); }
  void GlyphChanged() override { RepaintParent(); }
  void VisibilityChanged() override { RepaintParent(); }
  void WidthChanged() override { RepaintParent(); }
  unsigned DefaultContentParts() const override;
  TdxBarPaintMode PaintMode() const override { return pmHorizontal; }
  int NaturalWidth() override;
  void RefreshDrawParams(bool AFull) override;
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  TClass DrawParamsClass() const override { return TdxBarApplicationMenuButtonControlDrawParams::StaticClass(); }
  void OpenDropDown(bool /*AByMouse*/) override {}

 private:
  void RepaintParent();
};

// A sub-item's control: the item's menu opens from it.
class TdxBarSubItemControl : public TdxBarButtonLikeControl {
  VW_CLASS(TdxBarSubItemControl, TdxBarButtonLikeControl)
 public:
  using TdxBarButtonLikeControl::TdxBarButtonLikeControl;
  // The menu this control opened is dismissed.
  ~TdxBarSubItemControl() override;

  bool DoesClick() const override { return false; }
  void Activate(bool AByMouse, bool AFlag = false) override;
  void Deactivate(bool AFlag = false) override;
  void Press(bool AByMouse, bool AFlag = false) override;
  bool IsDropDownKey(win::WORD Key) const override;
  TClass AccessibilityHelperClass() const override;
  TdxBarItemViewLevels PossibleViewLevels() const override;
  unsigned DefaultContentParts() const override;
  void RefreshDrawParams(bool AFull) override;
  TCustomdxBarControl* DroppedBar() const override { return DropDownBar(); }
  int CaptionAreaWidth() override;
  int TextIndent() override;
  bool ClosesBarsOnClick() const override { return false; }
  bool HasDropDown() const override { return true; }
  bool HostsSubMenu() const override { return true; }
  bool OnMainMenu() const override;
  bool IsDroppedDown() const override;
  bool CanDropDown() const override;
  void OpenDropDownNow(bool AByMouse) override;
  TCustomdxBarControl* DropDownBar() const override;
  bool ArrowColorFlag() const override;
  bool HighlightFlag() const override;
  void CloseDropDown(bool ACloseBar) override;
  void OpenDropDown(bool AByMouse) override;
  bool WantsDoubleClick() const override;

  // The item's links make their menu window.
  virtual void PrepareSubMenu();
  virtual void PrepareMenuBar();
  // The screen point the menu opens at and the size of what it opens beside.
  virtual void MenuPosition(TPoint& APoint, int& AOwnerWidth, int& AOwnerHeight) const;
  virtual bool CanOpen() const { return true; }

  // Dropped down, a hot part set and the left button down over the control.
  bool PressedWhileOpen() const;

 protected:
  void ShowSubMenu();
};

// A list or container item's control: its menu is made on demand from the item's data.
class TdxBarContainerItemControl : public TdxBarSubItemControl {
  VW_CLASS(TdxBarContainerItemControl, TdxBarSubItemControl)
 public:
  using TdxBarSubItemControl::TdxBarSubItemControl;
  bool IsSelected() const override;
  String CaptionText() const override;
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  bool HostsSubMenu() const override;
  void PrepareSubMenu() override;
};
