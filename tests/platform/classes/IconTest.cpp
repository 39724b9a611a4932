#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "platform/classes/ImageList.h"
#include "platform/classes/Picture.h"
#include "tests/support/Artifacts.h"

namespace {

std::uint32_t Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x] & 0xFFFFFF; }

// A 16 x 16 icon: a blue square with a transparent one-pixel ring, made through an image list.
std::unique_ptr<TIcon> BlueIcon() {
  TBitmap art;
  art.SetSize(16, 16);
  art.Canvas()->Brush()->SetColor(clFuchsia);
  art.Canvas()->FillRect(Rect(0, 0, 16, 16));
  art.Canvas()->Brush()->SetColor(clBlue);
  art.Canvas()->FillRect(Rect(1, 1, 15, 15));
  TImageList list(nullptr);
  list.AddMasked(&art, clFuchsia);
  auto icon = std::make_unique<TIcon>();
  list.GetIcon(0, icon.get());
  return icon;
}

TEST(IconTest, IconFilesRoundTripAndDrawThroughTheirMask) {
  auto icon = BlueIcon();
  ASSERT_FALSE(icon->Empty());
  EXPECT_EQ(icon->Width(), 16);
  EXPECT_THROW(icon->SetWidth(32), EInvalidGraphicOperation);

  std::string path = testsupport::TempDir("icon") + "/app.ico";
  icon->SaveToFile(path);
  TPicture pic;
  pic.LoadFromFile(path);
  ASSERT_TRUE(pic.Graphic() && pic.Graphic()->Is<TIcon>());
  EXPECT_EQ(pic.Width(), 16);

  TBitmap screen;
  screen.SetPixelFormat(pf32bit);
  screen.SetSize(20, 20);
  screen.Canvas()->Brush()->SetColor(clYellow);
  screen.Canvas()->FillRect(Rect(0, 0, 20, 20));
  screen.Canvas()->Draw(2, 2, pic.Graphic());
  EXPECT_EQ(Px(screen, 2, 2), 0xFFFF00u) << "the masked ring stays transparent";
  EXPECT_EQ(Px(screen, 9, 9), 0x0000FFu);

  // Back into an image list, at the list's size.
  TImageList list(nullptr);
  EXPECT_EQ(list.AddIcon(static_cast<TIcon*>(pic.Graphic())), 0);
  TBitmap b;
  ASSERT_TRUE(list.GetBitmap(0, &b));
  EXPECT_EQ(b.Canvas()->Pixels(8, 8), clBlue);
}

TEST(IconTest, BrokenIconFilesRaise) {
  auto icon = BlueIcon();
  TMemoryStream m;
  icon->SaveToStream(&m);
  std::vector<std::uint8_t> whole(static_cast<const std::uint8_t*>(m.Memory()),
                                  static_cast<const std::uint8_t*>(m.Memory()) + m.Size());
  std::vector<std::vector<std::uint8_t>> bad = {
      {whole.begin(), whole.end() - 10},  // mask cut short
      {whole.begin(), whole.begin() + 6},  // a directory without entries
      {0, 0, 2, 0, 1, 0},                  // a cursor file
  };
  for (const auto& b : bad) {
    TMemoryStream s;
    s.WriteBuffer(b.data(), static_cast<std::int32_t>(b.size()));
    s.SetPosition(0);
    TIcon i;
    try {
      i.LoadFromStream(&s);
      ADD_FAILURE() << b.size() << " bytes loaded";
    } catch (const EInvalidGraphic& e) {
      EXPECT_EQ(e.Message(), "Icon image is not valid");
    }
    EXPECT_TRUE(i.Empty());
  }
}

}  // namespace
