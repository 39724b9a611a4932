#pragma once
// The item control: the live view and controller of one item link while a bar window shows it.
// It measures itself at each view level, fills the draw params its painter draws from, keeps the
// rectangles of its parts and which part is hot, runs its item's click, answers hint queries and
// takes part in hot-track fading. On every change of its item it either repaints itself or asks its
// bar to lay out again. Button, edit, combo, sub-item and application-menu controls derive from it;
// the label and the separator, the two small kinds, live here.
//
// A control lives exactly while its bar window's handle does; its link and bar make and free it.
// Whatever calls out to user code (a click, a key) holds an object link on the control and stops
// touching it once the link reads none.
#include <array>
#include <functional>

#include "platform/classes/Controls.h"
#include "platform/classes/Graphics.h"
#include "platform/gdi/Gdi.h"
#include "ui/bars/BarDrawParams.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarItem.h"
#include "ui/foundation/Fader.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/Types.h"

class TBitmap;
class TCanvas;
class TCustomImageList;
class TcxCanvas;
class TcxStyle;
class TCustomdxBarControl;
class TdxBarCustomHintViewInfo;
class TdxBarItemControl;
class TdxBarItemLink;
class TdxBarManager;
class TdxBarPainter;
class TdxCachedImageOptions;
class TdxBarSubMenuControl;
class IdxBarAccessibilityHelper;

// A bar window's view levels: 0 large icon with text ... 3 the control alone; 4 "the control's
// default". A higher number is a smaller view. TdxBarItemViewLevel (BarComponents.h) names 0 to 3.
constexpr int ivlDefault = 4;

// What can show a hint of its own (item controls, toolbar caption buttons): the manager's hint
// object, when it implements this, is asked for the texts, makes the view info and places the window.
class IdxBarHintSource : public virtual IInterface {
 public:
  static constexpr const char* GUID = "{587A00C4-A7E0-4032-98E5-4DB8F3918ADF}";
  // Both texts empty and the flag false first; false when no hint is to show. AHandledByAction:
  // the item's action took the hint over.
  virtual bool QueryHint(bool& AHandledByAction, String& AHint, String& AShortCut) = 0;
  // A new view info; the caller owns it.
  virtual TdxBarCustomHintViewInfo* MakeHintViewInfo(const String& Hint, const String& ShortCut) = 0;
  virtual bool IsEnabled() const = 0;
  // Where a hint window of that height goes for the cursor (screen coordinates).
  virtual void ShowHintAt(const TPoint& Cursor, int Height, TPoint& Position) = 0;
};

// {99C4A703-E6D2-43AF-987E-F5DA81718295}: what a layout that arranges items by view level and button
// group asks of each item. The bar windows of this library use only LayoutBounds, SetBounds and
// SetCurrentLevel.
class IdxBarItemLayout : public virtual IInterface {
 public:
  virtual void Calculate() = 0;
  virtual TdxBarItemAlign Align() = 0;
  virtual TdxBarItemViewLevels PermittedLevels() = 0;
  virtual TRect LayoutBounds() = 0;
  virtual int GetLayoutNumber() = 0;
  virtual bool Distributed() = 0;
  virtual int Position() = 0;
  virtual int ButtonGroup() = 0;
  virtual int GetGroupPlacement() = 0;
  virtual int GetSecondLayoutNumber() = 0;
  virtual int CurrentLevel() = 0;
  virtual int GroupLevel() = 0;
  // Raises for a level outside the permitted ones.
  virtual int WidthAtLevel(int ALevel) = 0;
  virtual bool BeginsGroup() = 0;
  virtual bool InRowBreakList() = 0;
  // Whether the record also implements the companion layout interface; none here does.
  virtual bool QueryCompanionLayout(bool ACheck, IInterface*& ACompanion) = 0;
  virtual void SetBounds(const TRect& R) = 0;
  virtual void SetLayoutNumber(int Value) = 0;
  virtual void SetRowBreak(bool Value) = 0;
  virtual void SetGroupPlacement(int Value) = 0;
  virtual void SetSecondLayoutNumber(int Value) = 0;
  virtual void SetCurrentLevel(int Value) = 0;
};

// The layout information of one control, listed by its bar's view info: the levels it may show at,
// its bounds, its current level and its width at each real level, computed once per layout.
class TdxBarItemControlViewInfo : public TcxInterfacedPersistent, public IdxBarItemLayout {
  VW_CLASS(TdxBarItemControlViewInfo, TcxInterfacedPersistent)
 public:
  using CreateArgType = TdxBarItemControl;
  // Permitted, minimum and group levels from the control; the width cache empty.
  explicit TdxBarItemControlViewInfo(TdxBarItemControl* AControl);
  // Leaves the bar's view info unless the bar is going too.
  ~TdxBarItemControlViewInfo() override;

  void Calculate() override {}
  void ResetWidthCache();
  TdxBarItemControl* Control() const { return FControl; }
  int MinLevel() const { return FMinLevel; }
  // The cached width of a real level, or -1.
  int CachedWidth(int ALevel) const;

  // ---- IdxBarItemLayout ----
  TdxBarItemAlign Align() override;
  TdxBarItemViewLevels PermittedLevels() override { return FPermittedLevels; }
  TRect LayoutBounds() override { return FBounds; }
  int GetLayoutNumber() override { return FLayoutNumber; }
  bool Distributed() override;
  int Position() override;
  int ButtonGroup() override;
  int GetGroupPlacement() override { return FGroupPlacement; }
  int GetSecondLayoutNumber() override { return FSecondLayoutNumber; }
  int CurrentLevel() override { return FCurrentLevel; }
  int GroupLevel() override { return FGroupLevel; }
  int WidthAtLevel(int ALevel) override;
  bool BeginsGroup() override;
  bool InRowBreakList() override;
  bool QueryCompanionLayout(bool /*ACheck*/, IInterface*& ACompanion) override {
    ACompanion = nullptr;
    return false;
  }
  void SetBounds(const TRect& R) override { FBounds = R; }
  void SetLayoutNumber(int Value) override { FLayoutNumber = Value; }
  void SetRowBreak(bool Value) override;
  void SetGroupPlacement(int Value) override { FGroupPlacement = Value; }
  void SetSecondLayoutNumber(int Value) override { FSecondLayoutNumber = Value; }
  void SetCurrentLevel(int Value) override { FCurrentLevel = Value; }

 private:
  struct WidthEntry {
    bool Valid = false;
    int Width = 0;
  };
  TdxBarItemViewLevels FPermittedLevels;
  TRect FBounds{};
  int FLayoutNumber = 0;
  int FMinLevel = 0;
  int FGroupPlacement = 0;
  int FSecondLayoutNumber = 0;
  int FCurrentLevel = ivlDefault;
  int FGroupLevel = 0;
  std::array<WidthEntry, 4> FWidthCache{};
  TdxBarItemControl* FControl;
};

// A logical font kept while a control draws with its style's font.
struct TdxBarSavedFont {
  win::LOGFONT Data{};
  bool Used = false;
};

class TdxBarItemControl : public TcxIUnknownObject, public IdxFadingObject, public IdxBarHintSource {
  VW_CLASS(TdxBarItemControl, TcxIUnknownObject)
 public:
  using CreateArgType = TdxBarItemLink;
  // The bar is the bar window of the link's collection. The parts that depend on the kind (draw
  // params, layout info, style, first refresh) follow in AfterConstruction, which the link runs.
  explicit TdxBarItemControl(TdxBarItemLink* ALink = nullptr);
  ~TdxBarItemControl() override;
  void AfterConstruction() override;

  // ---- fading (IdxFadingObject) ----
  bool CanFade() override { return false; }
  // RepaintOwner: the control repaints with the fade's picture.
  void FadingRepaint() override { Invalidate(); }
  void AttachFadingElement(IdxFadingElementData* Data) override { FFadingElementData = Data; }
  void DetachFadingElement() override { FFadingElementData = nullptr; }
  void PrepareFadingImages(TBitmap*& /*NormalImage*/, TBitmap*& /*HotImage*/, int& /*FadeInFrameCount*/,
                           int& /*FadeInFrameDelay*/, int& /*FadeOutFrameCount*/, int& /*FadeOutFrameDelay*/) override {}

  // ---- hints (IdxBarHintSource) ----
  bool QueryHint(bool& AHandledByAction, String& AHint, String& AShortCut) override;
  TdxBarCustomHintViewInfo* MakeHintViewInfo(const String& Hint, const String& ShortCut) override;
  // The item's Enabled; false without an item.
  bool IsEnabled() const override;
  void ShowHintAt(const TPoint& Cursor, int Height, TPoint& Position) override;

  // ---- virtual operations ----
  virtual TdxFader* Fader() const;
  // What the item tells its controls. Each either invalidates or asks the bar to lay out again.
  virtual void BeginGroupChanged();
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged() {}
  virtual void LargeGlyphChanged();
  // Draw params, part rects, repaint.
  virtual void RefreshAll();
  virtual void PaintStyleChanged() {}
  // A toolbar tells its selected control when it is shown or hidden.
  virtual void BarShown(bool /*AShown*/) {}
  virtual void PressedChanged();
  virtual void ReservedHookA() {}
  // The link's visibility changed.
  virtual void VisibilityChanged();
  virtual void WidthChanged();
  // The bar's window is gone (the control lives on until the bar frees its controls).
  virtual void BarWindowDestroyed() {}
  virtual bool JoinsButtonGroups() const { return false; }
  // Whether a click runs the item's click.
  virtual bool DoesClick() const { return true; }
  // The link's manager is the item's manager.
  virtual bool IsOwnItem() const;
  // Whether the active bar may close up when that manager hides its floating bars.
  virtual bool LetsBarsCloseFor(TdxBarManager* /*AManager*/) const { return LetsBarsHide(); }
  // Whether the bar holding the control may be hidden (a dropped-down edit says no).
  virtual bool LetsBarsHide() const { return true; }
  virtual bool CanHotTrack() const { return IsSelectable(); }
  // False only while customizing, for an item of another manager.
  virtual bool IsSelectable() const;
  // Sets the hot part from a client point; disabled controls have none.
  virtual void MouseMoveAt(const TPoint& P);
  // When enabled: Press, then Click while the bar lives and still owns the control. Either step may
  // free the bar and the control. The flag's meaning is each kind's.
  virtual void Invoke(bool AByMouse, bool AFlag = false);
  virtual void Activate(bool /*AByMouse*/, bool /*AFlag*/ = false) { FActive = true; }
  virtual void Deactivate(bool /*AFlag*/ = false) { FActive = false; }
  virtual void Press(bool /*AByMouse*/, bool /*AFlag*/ = false) {}
  // Sound, use marks, pressed look, closing the bars, the item's click; see the unit.
  virtual void Click(bool AByMouse);
  // A control of an already active toolbar is pressed again.
  virtual void PressAgain(bool ASameControl, bool& AHandled);
  // The bar's selected link is this control's, and the control is enabled or not mouse selected.
  virtual bool IsSelected() const;
  virtual bool IsDropDownKey(win::WORD /*Key*/) const { return false; }
  // The accessibility helper's class (TdxBarItemControlAccessibilityHelper).
  virtual TClass AccessibilityHelperClass() const;
  // {1, 2} with an image at view size 0, else {1}.
  virtual TdxBarItemViewLevels PossibleViewLevels() const;
  virtual unsigned ContentPartsForLevel(int ALevel) const;
  virtual unsigned DefaultContentParts() const { return 0; }
  virtual TdxBarViewSize DefaultViewSize() const;
  // The bar's ItemDrawMode.
  virtual TdxBarPaintMode PaintMode() const;
  virtual int PartCount() const { return 1; }
  virtual TClass LayoutInfoClass() const { return TdxBarItemControlViewInfo::StaticClass(); }
  virtual bool ShowsGrayGlyph() const { return false; }
  // The link's caption (its user caption when set); empty without a link.
  virtual String CaptionText() const;
  virtual int ControlQueryA() const { return 0; }
  virtual TClass DrawParamsClass() const { return TdxBarItemControlDrawParams::StaticClass(); }
  // The link's glyph (user glyph or the item's).
  virtual TBitmap* LinkGlyph() const;
  // True when enabled, or when the glyph is empty and the manager has a disabled list for the
  // images in use; false means the painter draws the image disabled itself.
  virtual bool HasOwnDisabledLook() const;
  virtual int ItemImageIndex() const;
  virtual TCustomImageList* ImagesFor(TdxBarViewSize AViewSize) const;
  // The manager's images, or its disabled images for a disabled control when it has them.
  virtual TCustomImageList* ImageList() const;
  virtual String HintText() const;
  // The hint up to the first "|", and the shortcut as " (Ctrl+O)" when there is one.
  virtual void HintTexts(String& AHint, String& AShortCut) const;
  virtual TCustomImageList* HotImageList() const;
  virtual TBitmap* ItemLargeGlyph() const;
  virtual int ItemLargeImageIndex() const;
  virtual TCustomImageList* LargeImageList() const;
  // The links owner's item size option: 0 normal, 1 large.
  virtual int MenuItemSize() const;
  // The bar's painter.
  virtual TdxBarPainter* ControlPainter() const;
  virtual TShortCut ItemShortCut() const;
  virtual int ArrowAreaWidth() const;
  // AFull: texts and states too (before painting); otherwise the cheap part that measuring needs.
  virtual void RefreshDrawParams(bool AFull);
  // One copy of the link's item rectangle per part.
  virtual void CalcPartRects();
  // ApplyStyle with the style's font selected.
  virtual void RefreshStyle();
  // The background brush of the style's colour, and the text height in the style's font.
  virtual void ApplyStyle();
  // Each kind draws through its painter operation here.
  virtual void DrawContent(const TRect& /*R*/, TdxBarPaintMode /*APaintMode*/) {}
  virtual bool DrawsInPaintPass() const { return true; }
  // Replaces the current canvas's font by the handle's, or by the style's font; ASaved keeps what
  // it was. A style font's escapement and orientation win.
  virtual void SelectFont(win::HFONT AFont, TcxStyle* AStyle, TdxBarSavedFont& ASaved);
  virtual void RestoreFont(const TdxBarSavedFont& ASaved);
  // The bar window dropped from this control; none.
  virtual TCustomdxBarControl* DroppedBar() const { return nullptr; }
  virtual TRect InnerWindowRect() const { return {}; }
  // The width of the caption as the painter measures it.
  virtual int TextWidth();
  // The image at a view size: a glyph left, or a valid index in the list; otherwise the bar's
  // default glyph, when it has one.
  virtual bool ImageInfo(TdxBarViewSize AViewSize, bool AHot, int& AImageIndex, TCustomImageList*& AImages,
                         TBitmap*& AGlyph) const;
  virtual int ImageIndexFor(TdxBarViewSize AViewSize) const;
  virtual TSize GlyphSizeFor(TdxBarViewSize AViewSize, bool AHot = false) const;
  virtual TRect TextMargins(int AKind = 0);
  virtual int CaptionAreaWidth();
  virtual int ExtraWidth() { return 0; }
  virtual int GlyphAreaWidth();
  // Half the bar font's size.
  virtual int TextIndent();
  virtual int RawHeight();
  virtual int RawWidth();
  virtual int SmallWidth();
  virtual int LargeWidth();
  virtual int MenuHeight();
  virtual int MenuWidth();
  virtual int MinHeight() { return 1; }
  virtual int MinWidth() { return 1; }
  virtual int LargeHeight();
  virtual int SmallHeight();
  virtual int NaturalHeight();
  virtual int NaturalWidth();
  // The item has a hint and the bar is a toolbar.
  virtual bool HasHint() const;
  virtual bool LinksMenuToOwner() const;
  virtual bool AcceptsMouse() const { return CanHotTrack() || DoesClick(); }
  // The handle is the bar's window or one of its children.
  virtual bool OwnsWindow(win::HWND AWindow) const;
  virtual bool ClosesBarsOnClick() const { return true; }
  virtual bool HasDropDown() const { return false; }
  virtual bool ControlQueryB() const { return false; }
  virtual bool HostsSubMenu() const { return false; }
  // Customizing hit tests stop at this control and find nothing.
  virtual bool SkippedByCustomizingHitTest() const { return false; }
  virtual bool ControlQueryC() const { return false; }
  virtual bool OnMainMenu() const { return false; }
  // The bar rotates its text.
  virtual bool TextRotated() const;
  virtual bool CapturesMouse() const { return false; }
  virtual void BeginUserSizing(const TPoint& /*P*/) {}
  virtual bool IsUserSizingPoint(const TPoint& /*P*/) const { return false; }
  virtual void EndUserSizing(bool /*ACommit*/) {}
  virtual void UserSizingMove(const TPoint& /*P*/) {}
  virtual bool HasInnerWindow() const { return false; }
  virtual bool IsDroppedDown() const { return false; }
  // The bar's InvalidateItemControl, when the bar has a window.
  virtual void Invalidate();

  // ---- dynamic operations: the bar routes its input here ----
  virtual void DoubleClick() {}
  virtual bool WantsDoubleClick() const;
  virtual void KeyDown(win::WORD& /*Key*/, TShiftState /*Shift*/) {}
  virtual void KeyUp(win::WORD& /*Key*/, TShiftState /*Shift*/) {}
  virtual void KeyPress(char32_t& /*Key*/) {}
  virtual void MouseDown(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}
  virtual void MouseEnter(TShiftState /*Shift*/, int X, int Y) { MouseMoveAt({X, Y}); }
  virtual void MouseMove(TShiftState /*Shift*/, int X, int Y) { MouseMoveAt({X, Y}); }
  virtual void MouseLeave() { MouseMoveAt({-1, -1}); }
  virtual void MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {}

  // ---- plain operations ----
  TdxBarItemLink* ItemLink() const { return FItemLink; }
  // Controls made outside a link (test doubles) are given theirs.
  void SetItemLink(TdxBarItemLink* Value) { FItemLink = Value; }
  TdxBarItem* Item() const;
  // The bar window the control stands on.
  virtual TCustomdxBarControl* Parent() const { return FParent; }
  void SetParent(TCustomdxBarControl* Value) { FParent = Value; }
  // The link's item rectangle in the bar's client coordinates.
  TRect ItemRect() const;
  // The paint canvas while one is set, else the bar's.
  TcxCanvas* CurrentCanvas() const;
  TdxBarManager* Manager() const;
  TdxBarManager* ItemManager() const;
  // The item's Align; iaLeft when the bar does not honour alignment.
  TdxBarItemAlign EffectiveAlign() const;
  // -1 outside the item rectangle; the first part holding the point; 100 inside on no part.
  int PartIndexAt(const TPoint& P) const;
  bool Pressed() const { return FPressed; }
  void SetPressed(bool Value);
  // The measured size; the font is selected around the measure and put back also on failure.
  int ComputeHeight();
  int ComputeWidth();
  // Empty rectangles paint nothing.
  void Paint(TcxCanvas* ACanvas, const TRect& R, int APaintMode);
  // The bar as a menu window; raises when it is none.
  TdxBarSubMenuControl* ParentMenu() const;
  bool UsesLargeImages(TdxBarViewSize AViewSize) const;
  bool LargeIconsInForce() const;
  bool HasImageAt(TdxBarViewSize AViewSize) const;
  // The possible levels; the link's when they share any with them. Raises for no possible level.
  TdxBarItemViewLevels AllowedViewLevels() const;
  TdxBarViewSize ViewSizeNow() const;
  IdxBarAccessibilityHelper* AccessibilityHelperOf();
  TObject* AccessibilityHelperObject();
  void MarkRecentState();
  void ClearRecentState();
  // Enabled, the cursor over the control and the left button down.
  bool PressedInPlace() const;
  bool ShowsShortCuts() const;
  bool ShowsLargeDescriptions() const;
  bool UnclickAfterDoing() const;
  bool NotPopupStyle() const;
  int TextHeightInUse() const;

  // ---- state ----
  TdxBarItemControlDrawParams* DrawInfo() const { return FDrawParams; }
  TdxBarItemControlDrawParams* DrawParams() const { return FDrawParams; }
  TdxBarItemControlViewInfo* LayoutInfo() const { return FLayoutInfo; }
  TdxCachedImageOptions* ImageCache() const { return FImageCache; }
  // Forgets the prepared glyph; with AResetLayout the cached widths too.
  virtual void DropImageCache(bool AResetLayout);
  int HotPartIndex() const { return FHotPartIndex; }
  int PartRectCount() const { return static_cast<int>(FPartRects.size()); }
  const TRect& PartRects(int Index) const { return FPartRects.at(static_cast<std::size_t>(Index)); }
  void SetPartRects(std::vector<TRect> Value) { FPartRects = std::move(Value); }
  // Activated and not deactivated since; kinds with an inner window answer for it.
  virtual bool IsActive() const { return FActive; }
  bool MouseSelected() const { return FMouseSelected; }
  void SetMouseSelected(bool Value) { FMouseSelected = Value; }
  bool StartsRecentGroup() const { return FStartsRecentGroup; }
  void SetStartsRecentGroup(bool Value) { FStartsRecentGroup = Value; }
  // Toolbar layout: the control ends a line, and the line breaking starts a new line with it.
  bool EndsLine() const { return FEndsLine; }
  void SetEndsLine(bool Value) { FEndsLine = Value; }
  bool WrapsBefore() const { return FWrapsBefore; }
  void SetWrapsBefore(bool Value) { FWrapsBefore = Value; }
  bool OutsideRecent() const { return FOutsideRecent; }
  void SetOutsideRecent(bool Value) { FOutsideRecent = Value; }
  int OwnTextHeight() const { return FOwnTextHeight; }
  IdxFadingElementData* FadingElementData() const { return FFadingElementData; }

  // ---- what painters read of a control ----
  virtual win::HBRUSH BkBrush() const { return FBackgroundBrush; }
  virtual bool HasOwnBkBrush() const { return FBackgroundBrush != nullptr; }
  // Shown only in full menus.
  virtual bool IsRarelyUsed() const { return FOutsideRecent; }
  bool Enabled() const { return IsEnabled(); }
  // The item style's text and background colours; clDefault when the style has none.
  virtual TColor FontColor() const;
  virtual TColor StyleColor() const;
  // The image at the draw params' view size.
  virtual bool HasImage() const;
  virtual TBitmap* CurrentGlyph() const;
  virtual TCustomImageList* CurrentImages() const;
  virtual int CurrentImageIndex() const;
  virtual TSize GlyphSize() const;
  virtual bool HasLargeGlyph() const;
  // Painters write back where they drew the glyph.
  virtual TRect ImageBounds() const { return FImageBounds; }
  virtual void SetImageBounds(const TRect& R) { FImageBounds = R; }
  virtual TdxBarGlyphLayout GlyphLayout() const;
  // The item's own shift of its caption.
  virtual TPoint CaptionOffset() const { return {0, 0}; }
  // The edit window while the control edits; nil otherwise.
  virtual win::HWND EditWindow() const { return nullptr; }
  // The text an edit-like control shows (the text being edited when it edits).
  virtual String DisplayText() const { return {}; }
  // Lets the control draw its edit content in R on the canvas set up with its colours.
  virtual void DrawEditText(TCanvas* /*Canvas*/, const TRect& /*R*/) {}
  // While the control's menu is open: where that menu's window lies in the parent bar window's
  // client coordinates, so joined painters leave the item's frame open towards it; else empty.
  virtual TRect OwnerBounds() const;
  // The control's own height in a vertical list; 0 when it takes the bar's text size.
  virtual int Height() const { return 0; }
  // A control hosting an edit window answers the brush behind its text.
  virtual win::HBRUSH EditBrushHandle() const { return nullptr; }
  // Marks a control on glass whose edit window must repaint once (the bar posts it WM_APP + 129).
  virtual bool GlassRepaintPosted() const { return true; }
  virtual void SetGlassRepaintPosted(bool /*Value*/) {}

 protected:
  // The item's style font (nil without one).
  TcxStyle* ItemStyle() const;
  // Drawing goes to another canvas (an off-screen picture) while it is set; nil for the bar's.
  void SetPaintCanvas(TcxCanvas* Value) { FPaintCanvas = Value; }
  TFont* StyleFont() const;

 private:
  void FreeBackgroundBrush();
  // The cheap refresh and the measure with the style's font selected; the font goes back also on failure.
  int MeasureWithStyleFont(const std::function<int()>& AMeasure);
  // ALevel as the layout's current level around a width measure.
  int WidthAt(int ALevel);
  friend class TdxBarItemControlViewInfo;

  TcxCanvas* FPaintCanvas = nullptr;
  win::HBRUSH FBackgroundBrush = nullptr;
  TdxCachedImageOptions* FImageCache;
  bool FStartsRecentGroup = false;
  IdxFadingElementData* FFadingElementData = nullptr;
  TObject* FAccessibilityHelper = nullptr;
  bool FActive = false;
  TdxBarItemLink* FItemLink;
  bool FEndsLine = false;
  bool FWrapsBefore = false;
  bool FOutsideRecent = false;
  TCustomdxBarControl* FParent = nullptr;
  bool FPressed = false;
  bool FMouseSelected = false;
  int FOwnTextHeight = 0;
  TdxBarItemControlDrawParams* FDrawParams = nullptr;
  int FHotPartIndex = -1;
  std::vector<TRect> FPartRects;
  TdxBarItemControlViewInfo* FLayoutInfo = nullptr;
  TRect FImageBounds{};
};
using TdxBarItemControlClass = TClass;

// A static text: it never clicks and is selectable only while customizing.
class TdxBarCustomStaticControl : public TdxBarItemControl {
  VW_CLASS(TdxBarCustomStaticControl, TdxBarItemControl)
 public:
  using TdxBarItemControl::TdxBarItemControl;
  bool DoesClick() const override { return false; }
  bool IsSelectable() const override;
  unsigned DefaultContentParts() const override;
  TClass DrawParamsClass() const override { return TdxBarStaticLikeControlDrawParams::StaticClass(); }
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
};

// A group line, in menus with an optional bold caption.
class TdxBarSeparatorControl : public TdxBarCustomStaticControl {
  VW_CLASS(TdxBarSeparatorControl, TdxBarCustomStaticControl)
 public:
  using TdxBarCustomStaticControl::TdxBarCustomStaticControl;
  void RefreshDrawParams(bool AFull) override;
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override;
  TRect TextMargins(int AKind = 0) override;
  int MenuItemSize() const override { return 0; }
  int GlyphAreaWidth() override { return 0; }
  int MenuHeight() override;
  int MinWidth() override;
  int NaturalHeight() override { return TextHeightInUse(); }
  int NaturalWidth() override;
  void SelectFont(win::HFONT AFont, TcxStyle* AStyle, TdxBarSavedFont& ASaved) override;
  void RestoreFont(const TdxBarSavedFont& ASaved) override;
  unsigned DefaultContentParts() const override;
  TClass DrawParamsClass() const override { return TdxBarSeparatorControlDrawParams::StaticClass(); }
};

