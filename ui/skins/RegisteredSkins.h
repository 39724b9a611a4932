#pragma once
// The skins the program carries, each registered under its name with a painter class of its own,
// so that a look-and-feel whose skin name is "Foggy" finds its painter and that painter's table.
// The skins load from the program's resources; the user skin is the one skin meant to be
// replaced at run time, and every control repaints when it changes.
#include "ui/skins/SkinLookAndFeelPainter.h"

class TdxSkinUserLookAndFeelPainterInfo : public TdxSkinLookAndFeelPainterInfo {
  VW_CLASS(TdxSkinUserLookAndFeelPainterInfo, TdxSkinLookAndFeelPainterInfo)
 public:
  using TdxSkinLookAndFeelPainterInfo::TdxSkinLookAndFeelPainterInfo;
  bool IsUserSkin() override { return true; }
  // Resolves again, then has every look-and-feel of the application recompute.
  void SkinChanged(TdxSkin* ASkin) override;
};

// Each returns the table its skin module made at start-up (null before, and without GDI+).
#define VW_DECLARE_SKIN_PAINTER(Class)                                         \
  class Class : public TdxSkinLookAndFeelPainter {                             \
   public:                                                                     \
    TdxSkinLookAndFeelPainterInfo* SkinPainterInfo() const override;           \
    String SkinUnitName() const override;                                      \
  };
VW_DECLARE_SKIN_PAINTER(TdxFoggyPainter)
VW_DECLARE_SKIN_PAINTER(TdxBlackPainter)
VW_DECLARE_SKIN_PAINTER(TdxBluePainter)
VW_DECLARE_SKIN_PAINTER(TdxLiquidSkyPainter)
VW_DECLARE_SKIN_PAINTER(TdxSilverPainter)
VW_DECLARE_SKIN_PAINTER(TdxSkinsUserSkinPainter)
#undef VW_DECLARE_SKIN_PAINTER

const TdxFoggyPainter* FoggyPainter();
const TdxBlackPainter* BlackPainter();
const TdxBluePainter* BluePainter();
const TdxLiquidSkyPainter* LiquidSkyPainter();
const TdxSilverPainter* SilverPainter();
const TdxSkinsUserSkinPainter* SkinsUserSkinPainter();

// Hands each skin module's start-up and end procedures to the units loader, which runs the
// start-ups at once: without GDI+ they register nothing. Call after the painters' start-up (the
// registry) and before the first form description is read, so that a stored skin name finds its
// painter while the form loads. The shutdown takes the procedures out again, which runs the ends.
void RegisteredSkinsUnitStartup();
void RegisteredSkinsUnitShutdown();
