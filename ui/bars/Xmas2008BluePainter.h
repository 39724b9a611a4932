#pragma once
// The skin the bar library carries: "Xmas2008Blue", read from the program's resource
// "XMAS2008BLUE" of type "DXSKINS" and registered under its name with a painter class of its own,
// so that a look-and-feel asking for it by name draws with it, toolbars and menus included.
#include "ui/skins/SkinLookAndFeelPainter.h"

class TdxXmas2008BluePainter : public TdxSkinLookAndFeelPainter {
 public:
  // The table registered with this painter; none before the registration and after it is undone.
  TdxSkinLookAndFeelPainterInfo* SkinPainterInfo() const override;
  String SkinUnitName() const override { return "dxSkinXmas2008Blue"; }
};

const TdxXmas2008BluePainter* Xmas2008BluePainter();

// Hands the load and unload procedures to the units loader, which loads at once: without GDI+
// nothing is registered. Counted: only the first start-up and the last shutdown act; the shutdown
// takes the unload procedure back out of the loader, which runs it.
void Xmas2008BlueSkinUnitStartup();
void Xmas2008BlueSkinUnitShutdown();
