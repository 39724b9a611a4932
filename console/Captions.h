#pragma once
// Setting a window's texts from a table of pairs, as every console's language routine does.
#include <initializer_list>
#include <utility>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Menus.h"

using TCaption = std::pair<TControl*, const char*>;
using TMenuCaption = std::pair<TMenuItem*, const char*>;
using TEditLabelCaption = std::pair<TLabeledEdit*, const char*>;

inline void SetCaptions(std::initializer_list<TCaption> Captions) {
  for (const auto& [control, text] : Captions) control->SetCaption(text);
}

inline void SetCaptions(std::initializer_list<TMenuCaption> Captions) {
  for (const auto& [item, text] : Captions) item->SetCaption(text);
}

inline void SetLabels(std::initializer_list<TEditLabelCaption> Labels) {
  for (const auto& [edit, text] : Labels) edit->EditLabel()->SetCaption(text);
}
