#pragma once
// The label's layout arithmetic: the angle it is drawn at, the room its depth effect and letter
// style take, the box a turned text needs, the etched line beside the text, where the turned text
// starts and how the depth copies step, and the colours of the colour-ramp effect.
#include <cstdint>

#include "platform/classes/StdCtrls.h"
#include "platform/classes/TypInfo.h"
#include "ui/controls/EditProperties.h"
#include "ui/foundation/Types.h"

enum TcxLabelEffect : std::uint8_t { cxleNormal, cxleFun, cxleExtrude, cxleCool };
VW_ENUM_NAMES(TcxLabelEffect, cxleNormal, cxleFun, cxleExtrude, cxleCool)
enum TcxLabelStyle : std::uint8_t { cxlsNormal, cxlsRaised, cxlsLowered, cxlsOutLine };
VW_ENUM_NAMES(TcxLabelStyle, cxlsNormal, cxlsRaised, cxlsLowered, cxlsOutLine)
// The side the depth effect extends to.
enum TcxLabelOrientation : std::uint8_t {
  cxoLeft, cxoRight, cxoTop, cxoBottom, cxoLeftTop, cxoLeftBottom, cxoRightTop, cxoRightBottom
};
VW_ENUM_NAMES(TcxLabelOrientation, cxoLeft, cxoRight, cxoTop, cxoBottom, cxoLeftTop, cxoLeftBottom, cxoRightTop,
              cxoRightBottom)
// For a vertical line: left, centre, right.
enum TcxLabelLineAlignment : std::uint8_t { cxllaTop, cxllaCenter, cxllaBottom };
VW_ENUM_NAMES(TcxLabelLineAlignment, cxllaTop, cxllaCenter, cxllaBottom)

// 0 .. 359 for a TrueType face (-90 gives 270), always 0 for a face that cannot be turned.
int EffectiveLabelAngle(int Angle, bool TrueType);
// (Depth, 0) sideways, (0, Depth) up or down, (Depth, Depth) diagonally; nothing without an effect.
TPoint LabelDepthDelta(TcxLabelEffect Effect, TcxLabelOrientation Orientation, int Depth);
// Raised and lowered letters take 1 pixel, 2 from 12 points up.
int LabelStyleOffset(TcxLabelStyle Style, int FontSize);
// The bounding box of a W x H text turned by Angle degrees.
TSize RotatedTextExtent(const TSize& Unrotated, int Angle);

// A line is drawn only beside text at 0 degrees (horizontal) or 90 (vertical).
inline bool IsLabelLineVisible(bool Visible, int Angle) { return Visible && (Angle == 0 || Angle == 90); }

// The line beside the text in client rectangle C, of thickness T; moves Text across the line when
// the two meet. Empty (and Text unchanged) when not visible.
TRect LabelLineBounds(TRect& Text, const TRect& C, bool Vertical, int T, bool Visible,
                      TcxLabelLineAlignment LineAlignment, TAlignment Horz, TcxEditVertAlignment Vert);

// Where the first copy of the text is drawn in text rectangle T and how each depth copy steps.
struct TcxLabelOrigin {
  TPoint P;
  TPoint Step;
};
// Unrotated is the text's size before turning; Angle the effective angle (0: P starts at (0, 0)).
// Halves round to the even neighbour.
TcxLabelOrigin LabelOriginAndStep(const TRect& T, int Angle, const TSize& Unrotated, const TPoint& DepthDelta,
                                  TcxLabelEffect Effect, TcxLabelOrientation Orientation, int Depth, int StyleOffset);
// How many depth copies are drawn: Depth of them in 1-pixel steps, one for the full-depth copy.
int LabelDepthCopyCount(TcxLabelEffect Effect, int Depth, const TPoint& Step);
// Copy I of N of the colour ramp, from the background towards the shadow (both RGB).
win::COLORREF LabelFunColor(int I, int N, win::COLORREF Background, win::COLORREF Shadow);
