// Drawing on the screen's DC lands in the windows under it, as drag frames need: an inverting
// draw shows on every window it crosses, and the same draw again gives back every pixel.
#include <vector>

#include "tests/platform/win/ControlFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class ScreenDcTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    // A second window over the form's right part, in a colour of its own.
    other = Make("other", WS_POPUP | WS_VISIBLE, 300, 100, 200, 150);
    handlers[other] = [](HWND h, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
      if (msg != WM_ERASEBKGND) return false;
      RECT rc;
      GetClientRect(h, &rc);
      HBRUSH b = CreateSolidBrush(RGB(40, 120, 200));
      FillRect(reinterpret_cast<HDC>(wParam), &rc, b);
      DeleteObject(b);
      result = 1;
      return true;
    };
    InvalidateRect(other, nullptr, TRUE);
    Pump();
  }
  std::vector<std::uint32_t> Screenful() {
    Pump();
    int w = 0, h = 0;
    return Screen().ComposeScreen(w, h);
  }
  // A frame of the drag-rectangle kind, four bands wide, across both windows.
  void DrawFrame(DWORD rop, HBRUSH brush = nullptr) {
    HDC dc = GetDC(nullptr);
    ASSERT_NE(dc, nullptr);
    HGDIOBJ old = brush ? SelectObject(dc, brush) : nullptr;
    PatBlt(dc, 200, 150, 250, 4, rop);
    PatBlt(dc, 200, 296, 250, 4, rop);
    PatBlt(dc, 200, 154, 4, 142, rop);
    PatBlt(dc, 446, 154, 4, 142, rop);
    if (brush) SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }

  HWND other = nullptr;
};

TEST_F(ScreenDcTest, AnInvertedFrameShowsOnBothWindowsAndASecondOneRestoresThem) {
  const std::uint32_t formBefore = SurfacePixel(form, 200 - 40, 150 - 40) & 0xFFFFFF;
  const std::uint32_t otherBefore = SurfacePixel(other, 446 - 300, 200 - 100) & 0xFFFFFF;
  EXPECT_EQ(otherBefore, 0x2878C8u);
  const std::uint32_t inside = ScreenPixel({320, 200});
  const std::vector<std::uint32_t> before = Screenful();

  DrawFrame(DSTINVERT);
  Pump();
  EXPECT_EQ(SurfacePixel(form, 200 - 40, 150 - 40) & 0xFFFFFF, ~formBefore & 0xFFFFFF);
  EXPECT_EQ(SurfacePixel(other, 446 - 300, 200 - 100) & 0xFFFFFF, ~otherBefore & 0xFFFFFF);
  EXPECT_EQ(ScreenPixel({320, 200}), inside) << "inside the frame nothing changed";
  EXPECT_TRUE(Screen().SaveScreenshot(testsupport::ArtifactPath("screen_dc_frame.png")));

  DrawFrame(DSTINVERT);
  EXPECT_EQ(Screenful(), before) << "the second draw gives back every pixel";

  // A patterned inversion, as a dragged tool bar's frame is drawn, undoes itself the same way.
  WORD bits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
  HBITMAP pattern = CreateBitmap(8, 8, 1, 1, bits);
  HBRUSH halftone = CreatePatternBrush(pattern);
  DrawFrame(PATINVERT, halftone);
  EXPECT_NE(Screenful(), before);
  DrawFrame(PATINVERT, halftone);
  EXPECT_EQ(Screenful(), before);
  DeleteObject(halftone);
  DeleteObject(pattern);
}

TEST_F(ScreenDcTest, TheScreenDcStillMeasuresAndDrawsNowhereOffTheWindows) {
  HDC dc = GetDC(nullptr);
  SIZE extent{};
  EXPECT_TRUE(GetTextExtentPoint32(dc, "Wall", 4, &extent));
  EXPECT_GT(extent.cx, 0);
  EXPECT_GT(GetDeviceCaps(dc, HORZRES), 0);
  const std::vector<std::uint32_t> before = Screenful();
  PatBlt(dc, 0, 0, 30, 30, BLACKNESS);  // the bare desktop
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(Screenful(), before);
}

}  // namespace
}  // namespace wintest
