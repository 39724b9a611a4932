// 3-D edges, frame controls, system bitmaps and icons.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/system/Resources.h"
#include "tests/platform/gdi/Canvas.h"

using namespace win;
using gditest::Canvas;

namespace {

const COLORREF kLight = RGB(212, 208, 200), kHigh = RGB(255, 255, 255), kShadow = RGB(128, 128, 128),
               kDark = RGB(64, 64, 64), kFace = RGB(212, 208, 200);

// From the outside in along the top edge (x = 3) and along the bottom edge, for each edge kind.
TEST(DrawEdge, ColourSequences) {
  struct Case {
    UINT edge, flags;
    COLORREF top[2], bottom[2];
  } cases[] = {
      {EDGE_RAISED, BF_RECT, {kLight, kHigh}, {kDark, kShadow}},
      {EDGE_SUNKEN, BF_RECT, {kShadow, kDark}, {kHigh, kLight}},
      {EDGE_ETCHED, BF_RECT, {kShadow, kHigh}, {kHigh, kShadow}},
      {EDGE_BUMP, BF_RECT, {kLight, kDark}, {kDark, kLight}},
      {EDGE_RAISED, BF_RECT | BF_SOFT, {kHigh, kLight}, {kDark, kShadow}},
      {EDGE_SUNKEN, BF_RECT | BF_FLAT, {kShadow, kFace}, {kShadow, kFace}},
      {EDGE_SUNKEN, BF_RECT | BF_MONO, {RGB(0, 0, 0), kHigh}, {RGB(0, 0, 0), kHigh}},
  };
  for (const Case& k : cases) {
    Canvas c(8, 8, RGB(1, 2, 3));
    RECT rc{0, 0, 8, 8};
    DrawEdge(c.dc, &rc, k.edge, k.flags | BF_ADJUST);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(c.At(3, i), k.top[i]) << std::hex << k.edge << " " << k.flags << " ring " << i;
      EXPECT_EQ(c.At(i, 3), k.top[i]) << std::hex << k.edge << " left ring " << i;
      EXPECT_EQ(c.At(3, 7 - i), k.bottom[i]) << std::hex << k.edge << " bottom ring " << i;
      EXPECT_EQ(c.At(7 - i, 3), k.bottom[i]) << std::hex << k.edge << " right ring " << i;
    }
    EXPECT_EQ(c.At(4, 4), RGB(1, 2, 3)) << "no BF_MIDDLE: the inside stays";
    EXPECT_EQ(rc, (RECT{2, 2, 6, 6}));
  }
  // The top-right and bottom-left corners belong to the bottom-right colour.
  Canvas c(6, 6);
  RECT rc{0, 0, 6, 6};
  DrawEdge(c.dc, &rc, BDR_RAISEDOUTER, BF_RECT | BF_MIDDLE);
  EXPECT_EQ(c.At(5, 0), kDark);
  EXPECT_EQ(c.At(0, 5), kDark);
  EXPECT_EQ(c.At(0, 0), kLight);
  EXPECT_EQ(c.At(3, 3), kFace);
  // Only the sides asked for.
  Canvas d(6, 6, RGB(1, 2, 3));
  RECT rd{0, 0, 6, 6};
  DrawEdge(d.dc, &rd, BDR_SUNKENOUTER, BF_TOP | BF_ADJUST);
  EXPECT_EQ(d.At(3, 0), kShadow);
  EXPECT_EQ(d.At(0, 3), RGB(1, 2, 3));
  EXPECT_EQ(rd, (RECT{0, 1, 6, 6}));
}

TEST(SystemBitmaps, CheckBoxesAreFourByThreeCells) {
  HBITMAP bm = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  ASSERT_NE(bm, nullptr);
  BITMAP info;
  ASSERT_EQ(GetObject(bm, sizeof info, &info), static_cast<int>(sizeof info));
  EXPECT_EQ(info.bmWidth / 4, 13);
  EXPECT_EQ(info.bmHeight / 3, 13);
  // The checked cell differs from the plain one by its mark; the plain one is white inside.
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 6, 6), kHigh);
  EXPECT_EQ(GetPixel(dc, 13 + 6, 6), RGB(0, 0, 0));
  DeleteDC(dc);
  DeleteObject(bm);
}

TEST(FrameControls, StatesChangeTheirLook) {
  struct Case {
    UINT type, state;
    POINT probe;
    COLORREF want;
  } cases[] = {
      {DFC_BUTTON, DFCS_BUTTONCHECK, {6, 6}, kHigh},
      {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_INACTIVE, {6, 6}, kFace},
      {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED, {6, 6}, RGB(0, 0, 0)},
      {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE, {6, 6}, kShadow},
      {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT, {0, 6}, kShadow},
      {DFC_BUTTON, DFCS_BUTTONRADIOIMAGE | DFCS_CHECKED, {6, 6}, RGB(0, 0, 0)},
      {DFC_BUTTON, DFCS_BUTTONRADIOMASK, {6, 6}, RGB(0, 0, 0)},
      {DFC_BUTTON, DFCS_BUTTONRADIOMASK, {0, 0}, RGB(255, 255, 255)},
      {DFC_BUTTON, DFCS_BUTTONPUSH, {0, 0}, kHigh},
      {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED, {0, 0}, kDark},
      {DFC_SCROLL, DFCS_SCROLLDOWN, {6, 7}, RGB(0, 0, 0)},
      {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED, {0, 0}, kShadow},
      {DFC_CAPTION, DFCS_CAPTIONCLOSE, {12, 12}, kDark},
  };
  for (const Case& k : cases) {
    Canvas c(13, 13, RGB(9, 9, 9));
    RECT rc{0, 0, 13, 13};
    ASSERT_TRUE(DrawFrameControl(c.dc, &rc, k.type, k.state));
    EXPECT_EQ(c.At(k.probe.x, k.probe.y), k.want) << k.type << " " << std::hex << k.state;
  }
}

TEST(Icons, MaskAndImageCombine) {
  // Mask: left column transparent (white), right column opaque; image: red.
  Canvas dest(2, 1, RGB(0, 0, 255));
  const WORD maskBits[1] = {0x0080};  // 1 0: left white, right black
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, maskBits);
  Canvas img(2, 1, RGB(255, 0, 0));
  SetPixel(img.dc, 0, 0, 0);  // transparent pixels carry black in the image
  ICONINFO ii;
  ii.hbmMask = mask;
  ii.hbmColor = img.bitmap;
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_NE(icon, nullptr);
  DeleteObject(mask);  // the icon keeps its own copies
  ASSERT_TRUE(DrawIconEx(dest.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(dest.At(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(dest.At(1, 0), RGB(255, 0, 0));
  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_FALSE(DestroyIcon(icon));
}

}  // namespace

namespace {

// A 2 x 2 24-bit BMP file: bottom row blue, green; top row red, white.
std::vector<unsigned char> SmallBmp() {
  std::vector<unsigned char> f(14 + 40 + 16, 0);
  f[0] = 'B';
  f[1] = 'M';
  f[2] = static_cast<unsigned char>(f.size());
  f[10] = 54;
  BITMAPINFOHEADER h;
  h.biWidth = 2;
  h.biHeight = 2;
  h.biBitCount = 24;
  std::memcpy(&f[14], &h, sizeof h);
  const unsigned char rows[16] = {255, 0, 0, 0, 255, 0, 0, 0,        // bottom: blue, green (+2 pad)
                                  0, 0, 255, 255, 255, 255, 0, 0};  // top: red, white
  std::memcpy(&f[54], rows, 16);
  return f;
}

TEST(SystemBitmaps, BitmapResourcesLoadAndDamagedOnesAreRefused) {
  static const std::vector<unsigned char> good = SmallBmp();
  static const std::vector<unsigned char> cut(good.begin(), good.begin() + 60);
  static const platform::ResourceEntry entries[] = {{"#2", "GDITEST_SMALL", good.data(), good.size()},
                                                    {"#2", "GDITEST_CUT", cut.data(), cut.size()}};
  platform::RegisterResources(entries, 2);
  HBITMAP bm = LoadBitmap(nullptr, "GDITEST_SMALL");
  ASSERT_NE(bm, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(0, 255, 0));
  SelectObject(dc, old);
  DeleteDC(dc);
  DeleteObject(bm);
  EXPECT_EQ(LoadBitmap(nullptr, "GDITEST_CUT"), nullptr);
  EXPECT_EQ(LoadBitmap(nullptr, "GDITEST_MISSING"), nullptr);
}

}  // namespace
