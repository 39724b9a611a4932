#include <gtest/gtest.h>

#include <memory>

#include "platform/classes/Bitmap.h"
#include "ui/choice/CheckMark.h"
#include "ui/foundation/Painters.h"

namespace {

struct CheckMarkTest : ::testing::Test {
  void SetUp() override { CheckMarkUnitStartup(); }
  void TearDown() override { CheckMarkUnitShutdown(); }
};

TEST_F(CheckMarkTest, TheMaskIsWhereTheCheckedBoxDiffersFromTheUncheckedOne) {
  using namespace win;
  HBITMAP mask = CheckMarkMask();
  ASSERT_NE(mask, nullptr);
  CheckMarkUnitStartup();
  EXPECT_EQ(CheckMarkMask(), mask);  // made once
  BITMAP data{};
  GetObject(mask, sizeof data, &data);
  const TSize size = CustomLookAndFeelPainter()->CheckBoxSize();
  ASSERT_EQ(data.bmWidth, size.cx);
  ASSERT_EQ(data.bmHeight, size.cy);
  EXPECT_EQ(data.bmBitsPixel, 1);

  HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  HDC stripDC = CreateCompatibleDC(nullptr), maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ oldStrip = SelectObject(stripDC, strip), oldMask = SelectObject(maskDC, mask);
  int marked = 0;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      const bool differs = GetPixel(stripDC, x + size.cx, y) != GetPixel(stripDC, x, y);
      EXPECT_EQ(GetPixel(maskDC, x, y), differs ? RGB(0, 0, 0) : RGB(255, 255, 255)) << x << "," << y;
      marked += differs;
    }
  EXPECT_GT(marked, 5);
  SelectObject(maskDC, oldMask);
  SelectObject(stripDC, oldStrip);
  DeleteDC(maskDC);
  DeleteDC(stripDC);
  DeleteObject(strip);
  CheckMarkUnitShutdown();
  EXPECT_EQ(CheckMarkMask(), nullptr);
}

TEST_F(CheckMarkTest, TheMarkIsPaintedInItsColourOverTheBackgroundInsideTheBox) {
  using namespace win;
  const TSize size = CustomLookAndFeelPainter()->CheckBoxSize();
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetWidth(40);
  bitmap->SetHeight(40);
  TCanvas* canvas = bitmap->Canvas();
  canvas->Brush()->SetColor(clYellow);
  canvas->FillRect(TRect(0, 0, 40, 40));
  const TRect inner(12, 12, 12 + size.cx - 4, 12 + size.cy - 4);
  DrawCheckMark(canvas->Handle(), inner, clNavy);

  HDC maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(maskDC, CheckMarkMask());
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= inner.Left && x < inner.Right && y >= inner.Top && y < inner.Bottom;
      const bool mark = inside && GetPixel(maskDC, x - inner.Left + 2, y - inner.Top + 2) == RGB(0, 0, 0);
      EXPECT_EQ(GetPixel(canvas->Handle(), x, y), ColorToRGB(mark ? clNavy : clYellow)) << x << "," << y;
    }
  SelectObject(maskDC, old);
  DeleteDC(maskDC);
}

}  // namespace
