#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "tests/platform/win/WindowFixture.h"
#include "tests/support/Artifacts.h"

namespace wintest {
namespace {

using namespace win;

class NonClientPaintTest : public WindowTest {};

TEST_F(NonClientPaintTest, ARegionLimitedFramePaintLeavesTheRestAlone) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  Pump();
  // The caption is a gradient: each point keeps its own colour.
  const std::uint32_t caption = SurfacePixel(w, 150, 10), left = SurfacePixel(w, 50, 10), corner = SurfacePixel(w, 2, 2);
  // Everything the frame shows is painted over.
  HDC dc = GetWindowDC(w);
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  RECT all{0, 0, 300, 200};
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  ReleaseDC(w, dc);
  Pump();
  ASSERT_EQ(SurfacePixel(w, 150, 10), 0xFF00FFu);

  // The default paints the caption strip from x 100 to 200 only (the region is in screen terms).
  HRGN part = CreateRectRgn(100 + 100, 100 + 0, 100 + 200, 100 + 30);
  DefWindowProc(w, WM_NCPAINT, reinterpret_cast<WPARAM>(part), 0);
  DeleteObject(part);
  Pump();
  Screen().SaveScreenshot(testsupport::ArtifactPath("ncpaint-region.png"));
  EXPECT_EQ(SurfacePixel(w, 150, 10), caption) << "inside: the caption again";
  EXPECT_EQ(SurfacePixel(w, 50, 10), 0xFF00FFu) << "outside: untouched";
  EXPECT_EQ(SurfacePixel(w, 250, 10), 0xFF00FFu);
  EXPECT_EQ(SurfacePixel(w, 2, 2), 0xFF00FFu);

  DefWindowProc(w, WM_NCPAINT, 1, 0);  // 1: the whole frame
  Pump();
  EXPECT_EQ(SurfacePixel(w, 50, 10), left);
  EXPECT_EQ(SurfacePixel(w, 2, 2), corner);
}

TEST_F(NonClientPaintTest, ValidatingDcSyncPaintAndQueryOpen) {
  HWND w = Make("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  Pump();
  RECT r{10, 10, 50, 50}, u;
  InvalidateRect(w, &r, FALSE);
  ASSERT_TRUE(GetUpdateRect(w, &u, FALSE));
  HDC dc = GetDCEx(w, nullptr, DCX_INTERSECTUPDATE | DCX_VALIDATE);
  ASSERT_NE(dc, nullptr);
  ReleaseDC(w, dc);
  EXPECT_FALSE(GetUpdateRect(w, &u, FALSE)) << "DCX_VALIDATE took the update region";

  EXPECT_EQ(DefWindowProc(w, WM_SYNCPAINT, 0, 0), 0);
  EXPECT_EQ(DefWindowProc(w, WM_QUERYOPEN, 0, 0), TRUE);

  // A minimized window that refuses to open stays minimized.
  bool refuse = true;
  handlers[w] = [&](HWND, UINT m, WPARAM, LPARAM, LRESULT& result) {
    if (m != WM_QUERYOPEN || !refuse) return false;
    result = FALSE;
    return true;
  };
  ShowWindow(w, SW_MINIMIZE);
  SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_TRUE(IsIconic(w));
  refuse = false;
  SendMessage(w, WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(w));
}

TEST_F(NonClientPaintTest, AChildsSizeGripSizesItsTopLevelWindow) {
  HWND form = Make("form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT client;
  GetClientRect(form, &client);
  // A status bar along the bottom whose last 12 pixels are its size grip.
  HWND bar = Make("bar", WS_CHILD | WS_VISIBLE, 0, client.bottom - 20, client.right, 20, form);
  handlers[bar] = [&](HWND h, UINT m, WPARAM, LPARAM lp, LRESULT& result) {
    if (m != WM_NCHITTEST) return false;
    POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
    ScreenToClient(h, &p);
    RECT rc;
    GetClientRect(h, &rc);
    if (p.x < rc.right - 12) return false;
    result = HTBOTTOMRIGHT;
    return true;
  };
  Pump();
  POINT grip{client.right - 4, 16};
  ClientToScreen(bar, &grip);
  Screen().InjectMouseMove(grip.x, grip.y);
  Screen().InjectMouseButton(platform::kButtonLeft, true);
  Screen().InjectMouseMove(grip.x + 40, grip.y + 30);
  Screen().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  RECT r;
  GetWindowRect(form, &r);
  EXPECT_EQ(r, (RECT{100, 100, 440, 330}));
  GetWindowRect(bar, &r);
  EXPECT_EQ(r.right - r.left, client.right) << "the bar itself was not sized";
}

}  // namespace
}  // namespace wintest
