#pragma once
// Skinned controls on forms: a headless screen on virtual time with the program's units started
// (GDI+, the skin engine, the painting units, the registered skins and the skin painters of the
// library's controls), probe skins registered under names of their own, and the screen's pixels
// read back and saved.
#include <string>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/system/Clock.h"
#include "tests/ui/skins/SkinFixture.h"
#include "ui/skins/SkinLookAndFeelPainter.h"

namespace skintest {

// A painter class that finds its table in the registry, as the base class does.
struct TProbeRegistryPainter : TdxSkinLookAndFeelPainter {};

// A colour as the screen holds it, 0x00RRGGBB.
inline std::uint32_t RgbOf(TColor C) {
  const win::COLORREF c = ColorToRGB(C);
  return (static_cast<std::uint32_t>(win::GetRValue(c)) << 16) | (win::GetGValue(c) << 8) | win::GetBValue(c);
}

class SkinFormTest : public SkinTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The control services and form skinning, ended after the forms in TearDown.
  void StartFormSkinning();
  void Pump();
  // Pumps while the virtual clock runs on by Ms.
  void RunFor(std::uint64_t Ms);
  // A shown form whose client area is ClientWidth x ClientHeight.
  TForm* MakeForm(int ClientWidth, int ClientHeight, TFormBorderStyle Style = bsNone);
  // Registers the probe skin under Name with a painter of its own (the registry takes the table,
  // the table the skin); the skin is the probe's no longer.
  TdxSkinInfo* RegisterProbe(ProbeSkin& Probe, const String& Name);
  // The pixel, 0x00RRGGBB, from the screen as last composed.
  std::uint32_t Pixel(TControl* Control, int X, int Y);
  // Pixels of the control's client area, 0x00RRGGBB, row after row.
  std::vector<std::uint32_t> Pixels(TControl* Control);
  void SaveControl(const std::string& FileName, TControl* Control);
  // The whole window, frame included.
  void SaveWindow(const std::string& FileName, TWinControl* Control);
  // A screen pixel, 0x00RRGGBB.
  std::uint32_t ScreenPixel(int X, int Y);

  platform::ScopedVirtualClock clock;

 private:
  std::vector<std::uint32_t> screen_;
  int screenWidth_ = 0, screenHeight_ = 0;
  std::vector<std::unique_ptr<TProbeRegistryPainter>> probePainters_;
  std::vector<String> probeNames_;
  bool formSkinning_ = false;
};

}  // namespace skintest
