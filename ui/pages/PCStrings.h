#pragma once
// The page control's texts, listed in the repository under "Page Control Library" while the unit
// runs. Every message is read at the time of the error, so a replacement shows at once.
#include "platform/classes/SysUtils.h"
#include "ui/foundation/ResourceStrings.h"

extern const TResStringRec scxPCImageListIndexError;
extern const TResStringRec scxPCNoBaseImages;
extern const TResStringRec scxPCNoRegisteredStyles;
extern const TResStringRec scxPCPageIndexError;
extern const TResStringRec scxPCPainterClassError;
extern const TResStringRec scxPCStandardStyleError;
extern const TResStringRec scxPCStyleNameError;
extern const TResStringRec scxPCTabCountEqualsZero;
extern const TResStringRec scxPCTabIndexError;
extern const TResStringRec scxPCTabVisibleIndexOutsOfBounds;
extern const TResStringRec scxPCVisibleTabListEmpty;
extern const TResStringRec scxPCAllowRotateError;

inline constexpr const char* cxPCProductName = "Page Control Library";

// Listing and unlisting; the unit does both itself at start-up and shutdown.
void RegisterPCStrings();
void UnregisterPCStrings();

// The text of one of the messages above, with its arguments filled in.
String cxPCMessage(const TResStringRec& Message, std::initializer_list<TVarRec> Args = {});
// Raises EdxException "<ClassName>.<Operation>: <message>".
[[noreturn]] void PCError(const char* ClassName, const char* Operation, const TResStringRec& Message,
                          std::initializer_list<TVarRec> Args = {});
