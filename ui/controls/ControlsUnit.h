#pragma once
// Start-up and shutdown of the control base: the library's cursors, two registered window
// messages and the process-wide singletons.
#include "platform/win/Menu.h"

// Set by the shutdown: from then on no lazy singleton of the control base is made again.
extern bool ControlsUnitFinalized;

// The library's cursors, by their numbers in Screen.Cursors.
constexpr int crcxDragCopy = 2100, crcxFullScroll = 2101, crcxHorScroll = 2102, crcxVerScroll = 2103,
              crcxUpScroll = 2104, crcxRightScroll = 2105, crcxDownScroll = 2106, crcxLeftScroll = 2107,
              crcxRemove = 2108, crcxVertSize = 2109, crcxHorzSize = 2110, crcxMultiDrag = 2111,
              crcxNoDrop = 2112, crcxDrag = 2113, crcxHandPoint = -2099, crcxColorPicker = 2114,
              crcxMultiDragCopy = 2115;

// Sent by the form-skinning layer to a control's window; an answer other than 0 opts out.
extern win::UINT SkinQueryMessage;
// For a window that keeps its own look: answers SkinQueryMessage with the opt-out. True when
// Message was that query.
struct TMessage;
bool RefuseSkinQuery(TMessage& Message);
// Handled by the form-skinning layer's window hook; the library never sends it.
extern win::UINT SkinRefreshMessage;

// The window system's SetMenuInfo when it has one, bound at start-up; null otherwise.
using TSetMenuInfoProc = win::BOOL (*)(win::HMENU, const win::MENUINFO*);
extern TSetMenuInfoProc SetMenuInfoProc;

void ControlsUnitStartup();
// Raises EdxException "MouseTrackingTimerList.Count <> 0" when a mouse-leave watch still runs, and
// then leaves the remaining singletons as they are.
void ControlsUnitShutdown();
