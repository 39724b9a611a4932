#pragma once
// The class library's scroll-bar vocabulary: a bar's orientation and the codes a scroll reports.
#include "platform/classes/TypInfo.h"

VW_ENUM(TScrollBarKind, sbHorizontal, sbVertical)
VW_ENUM(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll)
