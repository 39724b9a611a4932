#pragma once
// The caption and frame arithmetic of the group box and the item grid of its button and radio
// groups: where a caption goes for each of the 13 alignments in the plain (and native), skinned and
// panel manners, how much of the frame the caption takes, and how items fill columns and rows.
// The controls measure their text and ask their painters; everything here is plain arithmetic.
#include <cstdint>
#include <functional>

#include "platform/classes/TypInfo.h"
#include "ui/foundation/Types.h"

enum TcxCaptionAlignment : std::uint8_t {
  alTopLeft, alTopCenter, alTopRight,
  alBottomLeft, alBottomCenter, alBottomRight,
  alLeftTop, alLeftCenter, alLeftBottom,
  alRightTop, alRightCenter, alRightBottom,
  alCenterCenter
};
VW_ENUM_NAMES(TcxCaptionAlignment, alTopLeft, alTopCenter, alTopRight, alBottomLeft, alBottomCenter, alBottomRight,
              alLeftTop, alLeftCenter, alLeftBottom, alRightTop, alRightCenter, alRightBottom, alCenterCenter)

// The painters take the position as an integer with these values.
enum TcxGroupBoxCaptionPosition : std::uint8_t { gcpTop, gcpBottom, gcpLeft, gcpRight, gcpNone };

TcxGroupBoxCaptionPosition CaptionPositionOf(TcxCaptionAlignment Alignment);
// Left and right captions are written turned, except in the panel manner.
bool IsVerticalCaption(TcxCaptionAlignment Alignment, bool PanelManner);
// The position across which a skinned caption's background is enlarged when the box has no border.
TcxGroupBoxCaptionPosition OppositeCaptionPosition(TcxGroupBoxCaptionPosition Position);

// The plain manner draws a shadow only beside top and left captions; the panel manner always.
bool GroupBoxAllowsShadow(TcxCaptionAlignment Alignment, bool PanelManner);
// The border extent on the caption's side, from the height of "Wg" in the caption font: half of it
// (one more for top and bottom) so that the frame line runs through a horizontal caption.
int GroupBoxCaptionSideExtent(TcxGroupBoxCaptionPosition Position, int SampleHeight);

// Caption rectangles of the plain and native manners for a caption tw x th in a W x H box with a
// shadow of S pixels (0 or 3); empty when the caption is.
TRect PlainGroupBoxCaptionRect(TcxCaptionAlignment Alignment, int Width, int Height, int Shadow, int TextWidth,
                               int TextHeight, bool CaptionEmpty);

// The skinned manner.
struct TcxSkinnedCaptionLayout {
  TRect BorderRect;
  TRect CaptionRect;
  TRect TextRect;
};
// The band the caption adds on its side: the frame's two margins across the caption, zero
// elsewhere (and for a centred caption).
TRect SkinnedCaptionBand(TcxGroupBoxCaptionPosition Position, const TRect& CaptionFrameMargins);
// CaptionFrameMargins is the painter's frame margins with a caption at that position; QqHeight the
// height of "Qq". MeasureCaptionHeight, when given, may change the caption's depth before the
// caption rectangle is cut to it.
TcxSkinnedCaptionLayout SkinnedGroupBoxCaptionLayout(TcxCaptionAlignment Alignment, int Width, int Height,
                                                      int TextWidth, int TextHeight, int QqHeight,
                                                      const TRect& CaptionFrameMargins, bool NonClient,
                                                      const std::function<void(int& Value)>& MeasureCaptionHeight = {});

// The panel manner: the content rectangle inside the border and the caption indent, the DrawText
// flags of the caption, and where the measured text goes.
TRect PanelCaptionContentRect(TcxCaptionAlignment Alignment, const TRect& Bounds, int Shadow, int BorderWidth,
                              int CaptionIndent);
unsigned PanelCaptionTextFlags(TcxCaptionAlignment Alignment, bool WordWrap);
// Measured is the DT_CALCRECT result inside Content (its top-left at Content's). Answers the text
// rectangle; the caption rectangle is it clipped to Content.
TRect PanelCaptionTextRect(TcxCaptionAlignment Alignment, const TRect& Content, const TRect& Measured);

// ---- items in columns ---------------------------------------------------------------------------

// The button group balances its columns: 5 items with Columns 4 give 3 columns of 2, 2 and 1.
int BalancedColumnCount(int Columns, int ItemCount);
// The radio group does not: 5 items with Columns 4 give 4 columns, the last empty; never below 1.
int UnbalancedColumnCount(int Columns, int ItemCount);
int ItemRowCount(int ItemCount, int ColumnCount);

// Item Index of a group laid out down each column in turn. Bounds are the editor's, Extent the
// frame and caption around the items; ContentAdjust, FirstColumnInset and ColumnSpacing the
// metrics of the button kind.
TRect ButtonGroupItemBounds(int Index, const TRect& Bounds, const TRect& Extent, int ColumnCount, int RowCount,
                            int ContentAdjust, int FirstColumnInset, int ColumnSpacing);

// The item an arrow key moves the focus to from item Index, or -1 where the grid ends (no
// wrapping between columns or rows). Key is one of VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN.
int ButtonGroupArrowTarget(int Index, unsigned Key, int ItemCount, int RowCount);
