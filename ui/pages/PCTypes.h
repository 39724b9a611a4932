#pragma once
// The vocabulary the tab control, its layout and its painters share.
#include <cstdint>
#include <vector>

#include "platform/classes/TypInfo.h"
#include "ui/foundation/Types.h"

VW_ENUM(TcxTabPosition, tpTop, tpBottom, tpLeft, tpRight)
VW_ENUM(TcxPCNavigatorPosition, npLeftTop, npLeftBottom, npRightTop, npRightBottom)
VW_ENUM(TcxPCNavigatorButton, nbTopLeft, nbBottomRight, nbGoDialog, nbClose)
using TcxPCNavigatorButtons = TSet<TcxPCNavigatorButton>;
// 0 normal, 1 pressed, 2 hot, 3 disabled.
using TcxPCNavigatorButtonState = int;
constexpr TcxPCNavigatorButtonState nbsNormal = 0, nbsPressed = 1, nbsHotTrack = 2, nbsDisabled = 3;

VW_ENUM(TcxPCOption, pcoAlwaysShowGoDialogButton, pcoCloseButton, pcoFixedTabWidthWhenRotated, pcoGoDialog,
        pcoGradient, pcoGradientClientArea, pcoNoArrows, pcoRedrawOnResize, pcoSort, pcoTopToBottomText,
        pcoUsePageColorForTab)
using TcxPCOptions = TSet<TcxPCOption>;
inline constexpr TcxPCOptions cxPCDefaultOptions{pcoAlwaysShowGoDialogButton, pcoGradient, pcoGradientClientArea,
                                                 pcoRedrawOnResize};

VW_ENUM(TcxTabSlantKind, skCutCorner, skSlant)
VW_ENUM(TcxTabSlantPosition, spLeft, spRight)
using TcxTabSlantPositions = TSet<TcxTabSlantPosition>;

// 0 follows the look-and-feel.
using TcxPCStyleID = int;
constexpr TcxPCStyleID cxPCDefaultStyle = 0;

// What a tab's change notification reports.
enum TcxPCTabPropertyChanged : std::uint8_t {
  tpcNotSpecified,   // caption or image content
  tpcColor,
  tpcEnabled,
  tpcFocused,        // the control gained or lost focus
  tpcHighlighted,
  tpcHotTrack,
  tpcIsMainTab,      // selected tab
  tpcLayout,         // size or visibility: relayout
  tpcPressed,
  tpcSelected,       // the multi-selection mark
  tpcFocusedTab,
};

// A pair of lengths: along the row (dw) and across the rows (dh) for tabs on top.
struct TcxPCDistance {
  int dw = 0;
  int dh = 0;
  friend constexpr bool operator==(const TcxPCDistance&, const TcxPCDistance&) = default;
};

// Two lengths at the near and far end of something.
struct TcxPCWOffset {
  int Left = 0;
  int Right = 0;
  friend constexpr bool operator==(const TcxPCWOffset&, const TcxPCWOffset&) = default;
};

// Where the tabs may lie, as the painter answers for a set of navigator buttons.
struct TcxPCTabsAreaMetrics {
  TRect TabsAreaRect;
  int FirstBandExtension = 0;
  int SecondBandExtension = 0;
  int BandGap = 0;
  // Below 1: no room, nothing is placed.
  int RowLength = 0;
  TPoint StartPoint;
  TPoint EndPoint;
};

// The first and last visible position of each row of a group of tabs.
struct TcxPCIndexInterval {
  int Left = 0;
  int Right = 0;
  friend constexpr bool operator==(const TcxPCIndexInterval&, const TcxPCIndexInterval&) = default;
};
using TcxPCLineIndexBoundsArray = std::vector<TcxPCIndexInterval>;
