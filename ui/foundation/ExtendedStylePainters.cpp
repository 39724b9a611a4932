#include "ui/foundation/ExtendedStylePainters.h"

#include <algorithm>

#include "platform/classes/SysUtils.h"

TcxExtendedStylePainters::~TcxExtendedStylePainters() {
  std::vector<TcxExtendedStylePainterInfo*> items;
  items.swap(FItems);
  for (TcxExtendedStylePainterInfo* item : items) TObject::Free(item);
}

int TcxExtendedStylePainters::IndexOfName(const String& Name) const {
  if (Name.empty()) return -1;
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (SameText(FItems[i]->Name(), Name)) return static_cast<int>(i);
  return -1;
}

bool TcxExtendedStylePainters::RegisterPainter(const String& Name, TcxCustomLookAndFeelPainterClass PainterClass,
                                               TObject* Info) {
  if (Name.empty() || !PainterClass || IndexOfName(Name) >= 0) return false;
  FItems.push_back(new TcxExtendedStylePainterInfo(Info, Name, PainterClass));
  std::stable_sort(FItems.begin(), FItems.end(), [](const auto* a, const auto* b) {
    return AnsiCompareStr(a->Name(), b->Name()) < 0;
  });
  NotifyListeners(PainterClass);
  return true;
}

bool TcxExtendedStylePainters::UnregisterPainter(const String& Name) {
  const int index = IndexOfName(Name);
  if (index < 0) return false;
  TcxExtendedStylePainterInfo* item = FItems[static_cast<std::size_t>(index)];
  FItems.erase(FItems.begin() + index);
  NotifyListeners(item->Painter());
  TObject::Free(item);
  return true;
}

bool TcxExtendedStylePainters::FindPainter(const String& Name, TcxCustomLookAndFeelPainterClass& PainterClass) const {
  const int index = IndexOfName(Name);
  if (index < 0) return false;
  PainterClass = Painters(index);
  return true;
}

bool TcxExtendedStylePainters::NameOfPainter(TcxCustomLookAndFeelPainterClass PainterClass, String& Name) const {
  Name.clear();
  for (const TcxExtendedStylePainterInfo* item : FItems)
    if (item->Painter() == PainterClass) {
      Name = item->Name();
      return true;
    }
  return false;
}

bool TcxExtendedStylePainters::InfoOfPainter(TcxCustomLookAndFeelPainterClass PainterClass, TObject*& Info) const {
  Info = nullptr;
  for (const TcxExtendedStylePainterInfo* item : FItems)
    if (item->Painter() == PainterClass) {
      Info = item->Data();
      return true;
    }
  return false;
}

void TcxExtendedStylePainters::AddListener(IcxPainterRegistryListener* Listener) {
  if (Listener && std::find(FListeners.begin(), FListeners.end(), Listener) == FListeners.end())
    FListeners.push_back(Listener);
}

void TcxExtendedStylePainters::RemoveListener(IcxPainterRegistryListener* Listener) {
  auto it = std::find(FListeners.begin(), FListeners.end(), Listener);
  if (it != FListeners.end()) FListeners.erase(it);
}

void TcxExtendedStylePainters::NotifyListeners(TcxCustomLookAndFeelPainterClass PainterClass) {
  // A listener may leave from its own notification, and followers it drags along may leave with
  // it, so the index is brought back inside the list before each call.
  for (std::size_t i = FListeners.size(); i > 0; --i) {
    if (FListeners.empty()) break;
    i = std::min(i, FListeners.size());
    FListeners[i - 1]->PainterRegistryChanged(PainterClass);
  }
}
