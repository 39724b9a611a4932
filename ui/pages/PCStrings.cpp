#include "ui/pages/PCStrings.h"

#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"

const TResStringRec scxPCImageListIndexError{"Index (%d) must be between 0 and %d"};
const TResStringRec scxPCNoBaseImages{"BaseImages is not assigned"};
const TResStringRec scxPCNoRegisteredStyles{"There are no styles registered"};
const TResStringRec scxPCPageIndexError{"%d is an invalid PageIndex value.  PageIndex must be between 0 and %d"};
const TResStringRec scxPCPainterClassError{"PCPainterClass is nil"};
const TResStringRec scxPCStandardStyleError{"%s is an unsupported standard style"};
const TResStringRec scxPCStyleNameError{"%s is an unregistered style name"};
const TResStringRec scxPCTabCountEqualsZero{"Tabs.Count = 0"};
const TResStringRec scxPCTabIndexError{"Tab's index (%d) out of bounds"};
const TResStringRec scxPCTabVisibleIndexOutsOfBounds{"TabVisibleIndex (%d) must be between 0 and %d"};
const TResStringRec scxPCVisibleTabListEmpty{"There are no visible tabs"};
const TResStringRec scxPCAllowRotateError{"%s style does not support rotation of tabs"};

namespace {

struct TPCStringEntry {
  const char* Identifier;
  const TResStringRec* ResString;
};

const TPCStringEntry kPCStrings[] = {
    {"scxPCImageListIndexError", &scxPCImageListIndexError},
    {"scxPCNoBaseImages", &scxPCNoBaseImages},
    {"scxPCNoRegisteredStyles", &scxPCNoRegisteredStyles},
    {"scxPCPageIndexError", &scxPCPageIndexError},
    {"scxPCPainterClassError", &scxPCPainterClassError},
    {"scxPCStandardStyleError", &scxPCStandardStyleError},
    {"scxPCStyleNameError", &scxPCStyleNameError},
    {"scxPCTabCountEqualsZero", &scxPCTabCountEqualsZero},
    {"scxPCTabIndexError", &scxPCTabIndexError},
    {"scxPCTabVisibleIndexOutsOfBounds", &scxPCTabVisibleIndexOutsOfBounds},
    {"scxPCVisibleTabListEmpty", &scxPCVisibleTabListEmpty},
    {"scxPCAllowRotateError", &scxPCAllowRotateError},
};

bool& Registered() {
  static bool registered = false;
  return registered;
}

struct TPCStringsUnit {
  TPCStringsUnit() { RegisterPCStrings(); }
  ~TPCStringsUnit() { UnregisterPCStrings(); }
} PCStringsUnit;

}  // namespace

void RegisterPCStrings() {
  if (Registered()) return;
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  if (!repository) return;
  repository->AddProduct(cxPCProductName, [](TdxProductResourceStrings* Product) {
    for (const TPCStringEntry& entry : kPCStrings) Product->RecordResString(entry.Identifier, entry.ResString);
  });
  Registered() = true;
}

void UnregisterPCStrings() {
  if (!Registered()) return;
  Registered() = false;
  if (TdxResourceStringsRepository* repository = GetResourceStringsRepository())
    repository->RemoveProduct(cxPCProductName);
}

String cxPCMessage(const TResStringRec& Message, std::initializer_list<TVarRec> Args) {
  String text = cxGetResourceString(Message);
  return Args.size() == 0 ? text : Format(text, Args);
}

void PCError(const char* ClassName, const char* Operation, const TResStringRec& Message,
             std::initializer_list<TVarRec> Args) {
  throw EdxException(String(ClassName) + "." + Operation + ": " + cxPCMessage(Message, Args));
}
