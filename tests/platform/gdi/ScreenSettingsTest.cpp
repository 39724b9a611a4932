// The screen's settings that tests turn: resolution, colour depth with its palette, and the count
// of live GDI objects that shows whether drawing code frees what it makes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/system/Version.h"
#include "tests/platform/gdi/Canvas.h"

using namespace win;
using gditest::Canvas;

namespace {

class ScreenSettings : public ::testing::Test {
 protected:
  void TearDown() override {
    platform::SetScreenBitsPerPixel(32);
    platform::SetScreenPixelsPerInch(96);
  }
};

TEST_F(ScreenSettings, PixelsPerInchAreReportedAndCheckedOnSet) {
  Canvas c(1, 1);
  EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSX), 96);
  for (int ppi : {120, 144}) {
    ASSERT_TRUE(platform::SetScreenPixelsPerInch(ppi));
    EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSX), ppi);
    EXPECT_EQ(GetDeviceCaps(c.dc, LOGPIXELSY), ppi);
  }
  EXPECT_FALSE(platform::SetScreenPixelsPerInch(0));
  EXPECT_FALSE(platform::SetScreenPixelsPerInch(-96));
  EXPECT_EQ(platform::ScreenPixelsPerInch(), 144) << "a refused setting changes nothing";
}

TEST_F(ScreenSettings, ColourDepthsAndThePaletteDevice) {
  Canvas c(1, 1);
  struct Case {
    int bits;
    int sizePalette, numColors, reserved;
    bool palette;
  };
  for (Case k : {Case{8, 256, 20, 20, true}, Case{16, 0, -1, 0, false}, Case{32, 0, -1, 0, false}}) {
    ASSERT_TRUE(platform::SetScreenBitsPerPixel(k.bits));
    EXPECT_EQ(GetDeviceCaps(c.dc, BITSPIXEL), k.bits);
    EXPECT_EQ(GetDeviceCaps(c.dc, SIZEPALETTE), k.sizePalette) << k.bits;
    EXPECT_EQ(GetDeviceCaps(c.dc, NUMCOLORS), k.numColors) << k.bits;
    EXPECT_EQ(GetDeviceCaps(c.dc, NUMRESERVED), k.reserved) << k.bits;
    EXPECT_EQ((GetDeviceCaps(c.dc, RASTERCAPS) & RC_PALETTE) != 0, k.palette) << k.bits;
  }
  EXPECT_FALSE(platform::SetScreenBitsPerPixel(12));
  EXPECT_EQ(GetDeviceCaps(c.dc, BITSPIXEL), 32);
}

// Three entries: the one a brush names, one close to a palette-relative colour, and black.
HPALETTE ThreeColours() {
  std::vector<unsigned char> storage(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 3;
  lp->palPalEntry[0] = {0, 0, 0, 0};
  lp->palPalEntry[1] = {200, 100, 50, 0};
  lp->palPalEntry[2] = {10, 20, 250, 0};
  return CreatePalette(lp);
}

TEST_F(ScreenSettings, AtEightBitsPaletteBrushesPaintTheSelectedPalettesColours) {
  ASSERT_TRUE(platform::SetScreenBitsPerPixel(8));
  Canvas c(3, 1);
  HPALETTE pal = ThreeColours();
  HPALETTE old = SelectPalette(c.dc, pal, FALSE);
  RealizePalette(c.dc);
  HBRUSH index = CreateSolidBrush(PALETTEINDEX(1));
  HBRUSH relative = CreateSolidBrush(PALETTERGB(0, 30, 240));
  RECT first{0, 0, 1, 1}, second{1, 0, 2, 1};
  FillRect(c.dc, &first, index);
  FillRect(c.dc, &second, relative);
  EXPECT_EQ(c.At(0, 0), RGB(200, 100, 50));
  EXPECT_EQ(c.At(1, 0), RGB(10, 20, 250)) << "a palette-relative colour takes the nearest entry";
  EXPECT_EQ(c.At(2, 0), RGB(255, 255, 255));
  EXPECT_TRUE(UpdateColors(c.dc));
  EXPECT_EQ(c.At(0, 0), RGB(200, 100, 50)) << "updating the colours keeps what is drawn";
  EXPECT_FALSE(UpdateColors(nullptr));

  // Without that palette an index names an entry of the default one.
  SelectPalette(c.dc, old, FALSE);
  FillRect(c.dc, &first, index);
  EXPECT_EQ(c.At(0, 0), RGB(128, 0, 0));
  DeleteObject(index);
  DeleteObject(relative);
  DeleteObject(pal);
}

TEST_F(ScreenSettings, GuiResourcesCountTheLiveObjectsOfTheProcess) {
  HANDLE self = GetCurrentProcess();
  DWORD before = GetGuiResources(self, GR_GDIOBJECTS);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before + 1);
  GetStockObject(BLACK_BRUSH);
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before + 1) << "stock objects are not the process's";
  {
    Canvas c(2, 2);  // a DC and its bitmap
    EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before + 3);
    SelectObject(c.dc, pen);
    DeleteObject(pen);
    EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before + 3) << "a selected pen lives until deselected";
    SelectObject(c.dc, GetStockObject(BLACK_PEN));
  }
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before);
  HRGN rgn = CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before + 1);
  DeleteObject(rgn);
  EXPECT_EQ(GetGuiResources(self, GR_GDIOBJECTS), before);

  SetLastError(0);
  EXPECT_EQ(GetGuiResources(self, GR_USEROBJECTS), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(GetGuiResources(nullptr, GR_GDIOBJECTS), 0u);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

}  // namespace
