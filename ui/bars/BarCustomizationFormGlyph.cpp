// Kept apart from the dialog: the bit buttons' kinds share their names with the look-and-feel
// painters' button kinds, so the two headers cannot meet in one unit.
#include "platform/classes/Buttons.h"
#include "platform/classes/TypInfo.h"

void SetBitButtonGlyph(TButton* AButton, TBitmap* AGlyph) {
  if (auto* button = dynamic_cast<TBitBtn*>(AButton)) button->Glyph()->Assign(AGlyph);
}

void RegisterBitButtonClass() { RegisterClassesOf<TBitBtn>(); }
