#pragma once
// Drawing, measuring and conversion routines the extended editors share (label, track bar, colour
// and font-name combo boxes). Stateless; called on the interface thread.
#include <functional>

#include "platform/classes/Collection.h"
#include "platform/classes/Controls.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Variant.h"
#include "ui/foundation/Types.h"

// Two lines under the last most-recently-used entry of a list: at Bottom - 3 and Bottom - 1, from
// Left up to (not including) Right, in clWindow when selected, else clWindowText.
void DrawMRUSeparator(TCanvas* ACanvas, const TRect& R, bool ASelected);

// Right - Left and Bottom - Top, never negative.
int RectWidthOrZero(const TRect& R);
int RectHeightOrZero(const TRect& R);

// The height of "Wg", and the width of a text, in a copy of the font.
int SampleTextHeight(TFont* AFont);
int MeasureFontTextWidth(TFont* AFont, const String& AText);

bool IsNullOrEmptyValue(const Variant& AValue);
// The text without its outer blanks is a whole integer (decimal, or hexadecimal after "$").
bool IsIntegerText(const String& AText);
// The minus signs and digits of the text, in order, read as one integer ("0" when there are none);
// other characters are skipped, or end the scan with AStopAtOther. A collection that is no
// integer ("1-2") raises EConvertError.
int DigitsToInteger(const String& AText, bool AStopAtOther);
// A colour identifier ("clRed"), a "$" hexadecimal number (0 when it is none) or an integer, blanks
// around it ignored; false, with AColor untouched, for anything else.
bool TextToColor(const String& AText, TColor& AColor);
// Shift, Alt, Ctrl and the mouse buttons as the keyboard state has them now.
TShiftState KeyboardShiftState();
// Gives the canvas the font and, for a TrueType face, turns it by AAngle degrees counter-clockwise
// (any angle, normalised to 0 .. 359); other faces are never turned. Answers whether the face is
// TrueType.
bool PrepareRotatedFont(TCanvas* ACanvas, TFont* AFont, int AAngle);

// The extended editors' item lists (colours, MRU font names), each in one update of the collection:
// a new item at AIndex filled by AFill; and the item at AFrom moved to ATo by inserting a copy
// there and freeing the item itself (so the neighbour the insertion pushed along stays).
TCollectionItem* InsertFilledItem(TCollection* ACollection, int AIndex, const std::function<void(TCollectionItem*)>& AFill);
void MoveItemByCopy(TCollection* ACollection, int AFrom, int ATo);
