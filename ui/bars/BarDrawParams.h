#pragma once
// The record an item control refreshes before it is measured or painted, and that the painters
// draw from: texts, states and the paint mode, with what each kind of control adds.
#include "platform/classes/Graphics.h"
#include "ui/foundation/Types.h"

class TdxBarItemControl;

// 0 small, 1 large icons (the manager's option in force), 2 large (glyph beside or above the text).
enum TdxBarViewSize : unsigned char { cvsSmall, cvsLargeIcons, cvsLarge };
// 0 toolbar, 1 menu, 2 toolbar that rotates its text (vertical).
enum TdxBarPaintMode : unsigned char { pmHorizontal, pmMenu, pmVertical };
// Content parts: bit 0 icon, bit 1 text.
constexpr unsigned cpIcon = 1;
constexpr unsigned cpText = 2;

class TdxBarItemControlDrawParams : public TObject {
  VW_CLASS(TdxBarItemControlDrawParams, TObject)
 public:
  explicit TdxBarItemControlDrawParams(TdxBarItemControl* AOwner = nullptr) : OwnerControl(AOwner) {}

  TdxBarViewSize ViewSize = cvsSmall;
  // A different view size makes the owner control drop its prepared glyph.
  void SetViewSize(TdxBarViewSize Value);
  TdxBarItemControl* OwnerControl;
  TCanvas* Canvas = nullptr;
  String Caption;
  String Description;
  String ShortCut;
  TdxBarPaintMode PaintType = pmHorizontal;
  unsigned ViewStructure = cpIcon | cpText;
  bool Enabled = true;
  bool CanSelect = true;
  bool IsSelected = false;
  bool IsDropDown = false;
  bool HasDropDownPart = false;
  int HotPartIndex = -1;
  bool IsCustomizing = false;
  bool IsPressed = false;
  bool SelectedByKey = false;
  // The default button size for the manager's glyph size: the extent a glyph cell takes along the bar.
  TSize ButtonExtent{23, 22};
  // A brush a painter puts in place of the item's background brush for one drawing; nil for none.
  win::HBRUSH BkBrush = nullptr;

  bool ShowsGlyph() const { return (ViewStructure & cpIcon) != 0; }
  bool ShowsCaption() const { return (ViewStructure & cpText) != 0; }
  bool InMenu() const { return PaintType == pmMenu; }
};

class TdxBarButtonLikeControlDrawParams : public TdxBarItemControlDrawParams {
  VW_CLASS(TdxBarButtonLikeControlDrawParams, TdxBarItemControlDrawParams)
 public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Down = false;
  bool DrawDownFrame = false;  // the pressed look: show pressed, or a sub-item's dropped-down state
  bool DroppedDownFlat = false;
  // A button's control (a sub-item's draws its arrow instead).
  bool IsButtonControl = false;
  bool DropDownEnabled = true;
  bool HighlightFlag = false;
  bool ArrowColorFlag = false;
  bool GrayGlyph = false;
  bool Lowered = false;
  bool OnMainMenu = false;
  TSize ArrowSize{0, 0};
  int GroupPosition = 0;
  // Whether the glyph fills the whole button (no caption beside it).
  bool GlyphFillsButton = false;
  // A checked menu item (the check mark stands in for a missing glyph).
  bool Checked = false;
};

// An application-menu button also knows its natural width.
class TdxBarApplicationMenuButtonControlDrawParams : public TdxBarButtonLikeControlDrawParams {
  VW_CLASS(TdxBarApplicationMenuButtonControlDrawParams, TdxBarButtonLikeControlDrawParams)
 public:
  using TdxBarButtonLikeControlDrawParams::TdxBarButtonLikeControlDrawParams;
  int ButtonWidth = 0;
};

// Labels: alignment (0 left, 1 right, 2 centre, as TAlignment), border style 0 to 4 and the
// space the border leaves around the content.
class TdxBarStaticLikeControlDrawParams : public TdxBarItemControlDrawParams {
  VW_CLASS(TdxBarStaticLikeControlDrawParams, TdxBarItemControlDrawParams)
 public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  int Alignment = 0;
  int BorderStyle = 0;
  TRect BorderOffsets{0, 0, 0, 0};
};

class TdxBarSeparatorControlDrawParams : public TdxBarStaticLikeControlDrawParams {
  VW_CLASS(TdxBarSeparatorControlDrawParams, TdxBarStaticLikeControlDrawParams)
 public:
  using TdxBarStaticLikeControlDrawParams::TdxBarStaticLikeControlDrawParams;
  bool IsFirst = false;
};

class TdxBarEditLikeControlDrawParams : public TdxBarItemControlDrawParams {
  VW_CLASS(TdxBarEditLikeControlDrawParams, TdxBarItemControlDrawParams)
 public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Focused = false;
  bool Spare = false;
  // The parts of an edit: caption, glyph and content, laid out by the painter.
  TRect CaptionRect{}, GlyphRect{}, ContentRect{};
};
