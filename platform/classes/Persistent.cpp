#include "platform/classes/Persistent.h"

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::DefineProperties(TFiler*) {}

String TPersistent::GetNamePath() {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String path = owner->GetNamePath();
    if (!path.empty()) result = path + "." + result;
  }
  return result;
}

String TPersistent::EventHandlerName(const String& Event) const {
  if (FEventHandlers)
    for (const auto& [e, h] : *FEventHandlers)
      if (SameText(e, Event)) return h;
  return String();
}

void TPersistent::SetEventHandlerName(const String& Event, const String& Handler) {
  if (!FEventHandlers) FEventHandlers = std::make_unique<std::vector<std::pair<String, String>>>();
  for (auto& [e, h] : *FEventHandlers)
    if (SameText(e, Event)) {
      h = Handler;
      return;
    }
  FEventHandlers->emplace_back(Event, Handler);
}

void TPersistent::AssignError(TPersistent* Source) {
  String source = Source ? Source->ClassName() : String("nil");
  throw EConvertError("Cannot assign a " + source + " to a " + ClassName());
}
