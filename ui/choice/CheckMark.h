#pragma once
// The box of a check box, drawn for every look: from a glyph strip, by a skin painter, as the
// system theme's check box, or in one of the editor border styles with the system's frame control
// or the flat fill and the drawn check mark. The check mark the flat boxes draw themselves is a
// monochrome mask of the base check-box size, black where the platform's checked box differs from
// its unchecked one, laid over any background in any colour.
#include <cstdint>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "ui/controls/EditStyle.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/Types.h"

// How a grayed box is drawn: as unchecked, as an empty inactive box, or with a greyed check mark.
VW_ENUM(TcxCheckBoxNullValueShowingStyle, nssUnchecked, nssInactive, nssGrayedChecked)

// The box's part state, from the mouse, the Space key and Enabled.
enum TcxEditCheckState : std::uint8_t { ecsNormal, ecsHot, ecsPressed, ecsDisabled };

// The check box unit makes the mask at its start from the platform's check-box strip and frees it
// at its end.
void CheckMarkUnitStartup();
void CheckMarkUnitShutdown();
// Null outside the unit's life, or when the platform has no strip.
win::HBITMAP CheckMarkMask();
// Paints the mark in Color into Inner (the box less its frame), keeping the background elsewhere:
// the mask is laid at Inner's top-left less (2, 2), clipped to Inner.
void DrawCheckMark(win::HDC DC, const TRect& Inner, TColor Color);

// The size of the box: one image of the glyph strip, else the skin's, the theme's or the base
// painter's check box.
TSize EditCheckSize(TBitmap* Glyph, int GlyphCount, TcxCustomLookAndFeelPainterClass SkinPainter, bool NativeStyle);

// Everything one box is drawn from.
struct TcxEditCheckPaint {
  TRect Box;
  TcxCheckBoxState State = cbsUnchecked;
  TcxCheckBoxNullValueShowingStyle NullStyle = nssGrayedChecked;
  TcxCustomLookAndFeelPainterClass SkinPainter = nullptr;
  bool Focused = false;
  bool Designing = false;
  bool BackgroundOpaque = true;
  TColor BackgroundColor = clWindow;
  TColor BorderColor = clBtnShadow;
  bool NativeStyle = false;
  TcxEditBorderStyle BorderStyle = ebsNone;
  // A strip of GlyphCount images side by side: unchecked, checked, grayed, then the pressed ones.
  int GlyphCount = 0;
  TBitmap* Glyph = nullptr;
  TcxEditCheckState PartState = ecsNormal;
};

void PaintEditCheck(TcxCanvas* ACanvas, const TcxEditCheckPaint& P);
// The strip image a box shows, or -1 when the strip has none for it.
int EditCheckGlyphIndex(TcxCheckBoxState State, TcxEditCheckState PartState, int GlyphCount);
