// One of everything on one bitmap, saved for looking at.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/platform/gdi/Canvas.h"
#include "tests/support/Artifacts.h"

using namespace win;
using gditest::Canvas;

namespace {

HFONT Font(const char* face, int height, int weight = FW_NORMAL, bool italic = false, bool underline = false,
           int escapement = 0) {
  LOGFONTA lf;
  lf.lfHeight = height;
  lf.lfWeight = weight;
  lf.lfItalic = italic;
  lf.lfUnderline = underline;
  lf.lfEscapement = escapement;
  std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", face);
  return CreateFontIndirect(&lf);
}

TEST(Showcase, OneOfEverything) {
  Canvas c(520, 400, GetSysColor(COLOR_BTNFACE));
  HDC dc = c.dc;

  // Brushes: solid, every hatch, a monochrome pattern.
  for (int i = 0; i < 6; ++i) {
    HBRUSH b = CreateHatchBrush(i, RGB(0, 0, 128));
    RECT r{10 + i * 30, 10, 36 + i * 30, 36};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  const WORD checker[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
  HBITMAP pat = CreateBitmap(8, 8, 1, 1, checker);
  HBRUSH pb = CreatePatternBrush(pat);
  SetTextColor(dc, RGB(128, 0, 0));
  SetBkColor(dc, RGB(255, 255, 0));
  RECT pr{190, 10, 216, 36};
  FillRect(dc, &pr, pb);
  DeleteObject(pb);
  DeleteObject(pat);
  SetTextColor(dc, 0);
  SetBkColor(dc, RGB(255, 255, 255));

  // Pens: every style, a wide one, XOR.
  const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
  for (int i = 0; i < 5; ++i) {
    HPEN p = CreatePen(styles[i], 1, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dc, p);
    MoveToEx(dc, 230, 12 + i * 5, nullptr);
    LineTo(dc, 330, 12 + i * 5);
    SelectObject(dc, old);
    DeleteObject(p);
  }
  HPEN wide = CreatePen(PS_SOLID, 5, RGB(0, 128, 0));
  HGDIOBJ oldPen = SelectObject(dc, wide);
  MoveToEx(dc, 345, 12, nullptr);
  LineTo(dc, 420, 36);
  SelectObject(dc, oldPen);
  DeleteObject(wide);

  // Shapes.
  HBRUSH fill = CreateSolidBrush(RGB(255, 200, 120));
  HGDIOBJ oldBrush = SelectObject(dc, fill);
  Rectangle(dc, 10, 50, 60, 90);
  RoundRect(dc, 70, 50, 120, 90, 16, 16);
  Ellipse(dc, 130, 50, 190, 90);
  Pie(dc, 200, 50, 250, 100, 250, 75, 225, 50);
  Chord(dc, 260, 50, 310, 100, 310, 75, 260, 75);
  Arc(dc, 320, 50, 370, 100, 370, 75, 320, 75);
  POINT star[] = {{405, 50}, {420, 95}, {380, 65}, {430, 65}, {390, 95}};
  SetPolyFillMode(dc, WINDING);
  Polygon(dc, star, 5);
  SelectObject(dc, oldBrush);
  DeleteObject(fill);

  // Gradients, alpha, stretch.
  TRIVERTEX v[2] = {{10, 110, 0xFF00, 0, 0, 0}, {130, 140, 0, 0, 0xFF00, 0}};
  GRADIENT_RECT gr{0, 1};
  GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H);
  TRIVERTEX v2[2] = {{140, 110, 0xFF00, 0xFF00, 0xFF00, 0}, {200, 140, 0x0A00, 0x2400, 0x6A00, 0}};
  GradientFill(dc, v2, 2, &gr, 1, GRADIENT_FILL_RECT_V);
  Canvas glass(40, 30, RGB(0, 0, 255));
  BLENDFUNCTION bf{AC_SRC_OVER, 0, 128, 0};
  AlphaBlend(dc, 180, 120, 40, 30, glass.dc, 0, 0, 40, 30, bf);
  HBITMAP boxes = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ oldBm = SelectObject(mem, boxes);
  BitBlt(dc, 240, 110, 52, 39, mem, 0, 0, SRCCOPY);
  StretchBlt(dc, 326, 110, -26, 26, mem, 0, 0, 13, 13, SRCCOPY);  // mirrored, doubled
  SelectObject(mem, oldBm);
  DeleteDC(mem);
  DeleteObject(boxes);

  // Edges and frame controls.
  const UINT edges[] = {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP};
  for (int i = 0; i < 4; ++i) {
    RECT r{10 + i * 40, 160, 44 + i * 40, 190};
    DrawEdge(dc, &r, edges[i], BF_RECT | BF_MIDDLE);
  }
  struct {
    UINT type, state;
  } controls[] = {{DFC_BUTTON, DFCS_BUTTONPUSH},
                  {DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED},
                  {DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED},
                  {DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED},
                  {DFC_SCROLL, DFCS_SCROLLUP},
                  {DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_INACTIVE},
                  {DFC_SCROLL, DFCS_SCROLLLEFT | DFCS_PUSHED},
                  {DFC_SCROLL, DFCS_SCROLLSIZEGRIP},
                  {DFC_CAPTION, DFCS_CAPTIONCLOSE},
                  {DFC_CAPTION, DFCS_CAPTIONMIN},
                  {DFC_CAPTION, DFCS_CAPTIONMAX},
                  {DFC_CAPTION, DFCS_CAPTIONRESTORE}};
  for (int i = 0; i < 12; ++i) {
    RECT r{180 + i * 27, 162, 180 + i * 27 + 22, 184};
    DrawFrameControl(dc, &r, controls[i].type, controls[i].state);
  }

  // Text.
  SetBkMode(dc, TRANSPARENT);
  HFONT fonts[] = {Font("Tahoma", -11),
                   Font("Tahoma", -11, FW_BOLD),
                   Font("Tahoma", -13, FW_NORMAL, true),
                   Font("Tahoma", -11, FW_NORMAL, false, true),
                   Font("宋体", -12),
                   Font("Courier New", -12)};
  const char* lines[] = {"Tahoma 8: The quick brown fox", "Bold: Video wall 3 x 4", "Italic 10", "Underlined",
                         "宋体: 拼接屏 矩阵切换 场景保存", "Courier New: 0x55 0xAA"};
  for (int i = 0; i < 6; ++i) {
    HGDIOBJ old = SelectObject(dc, fonts[i]);
    TextOut(dc, 10, 200 + i * 18, lines[i], -1);
    SelectObject(dc, old);
  }
  HFONT rotated = Font("Tahoma", -11, FW_NORMAL, false, false, 900);
  HGDIOBJ oldFont = SelectObject(dc, rotated);
  TextOut(dc, 250, 320, "Rotated 90", -1);
  SelectObject(dc, fonts[0]);
  RECT box{270, 200, 400, 216};
  DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
  RECT inner{272, 202, 398, 214};
  DrawText(dc, "An end ellipsis cuts this long caption", -1, &inner, DT_SINGLELINE | DT_END_ELLIPSIS);
  RECT path{270, 220, 400, 236};
  DrawText(dc, "C:\\Program Files\\Wall\\scenes\\hall.ini", -1, &path, DT_SINGLELINE | DT_PATH_ELLIPSIS);
  RECT prefix{270, 240, 400, 256};
  DrawText(dc, "&File and &&more", -1, &prefix, DT_SINGLELINE | DT_CENTER);
  RECT wrap{270, 260, 400, 320};
  FrameRect(dc, &wrap, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  RECT wrapIn{272, 262, 398, 318};
  DrawText(dc, "Word breaking puts these words on several lines in the box", -1, &wrapIn, DT_WORDBREAK | DT_CENTER);
  RECT focus{268, 238, 402, 258};
  DrawFocusRect(dc, &focus);
  // Outlined text: glyph outlines recorded in a path and stroked.
  HFONT big = Font("Tahoma", -28, FW_BOLD);
  SelectObject(dc, big);
  BeginPath(dc);
  TextOut(dc, 10, 330, "Outline 轮廓", -1);
  EndPath(dc);
  HPEN outline = CreatePen(PS_SOLID, 1, RGB(128, 0, 0));
  HGDIOBJ oldOutline = SelectObject(dc, outline);
  StrokePath(dc);
  SelectObject(dc, oldOutline);
  DeleteObject(outline);
  SelectObject(dc, oldFont);
  DeleteObject(big);
  DeleteObject(rotated);
  for (HFONT f : fonts) DeleteObject(f);

  // Region painting.
  HRGN a = CreateEllipticRgn(420, 110, 500, 170), b = CreateRectRgn(440, 130, 510, 190);
  CombineRgn(a, a, b, RGN_XOR);
  HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
  FillRgn(dc, a, teal);
  FrameRgn(dc, a, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)), 1, 1);
  DeleteObject(teal);
  DeleteObject(a);
  DeleteObject(b);

  std::string path2 = testsupport::ArtifactPath("gdi_showcase.png");
  ASSERT_TRUE(gditest::SavePng(c.bitmap, path2)) << path2;
  // The small parts four times as large, for checking single pixels by eye.
  Canvas zoom(4 * 260, 4 * 100);
  StretchBlt(zoom.dc, 0, 0, 4 * 260, 4 * 100, dc, 170, 155, 260, 100, SRCCOPY);
  ASSERT_TRUE(gditest::SavePng(zoom.bitmap, testsupport::ArtifactPath("gdi_showcase_zoom.png")));
  StretchBlt(zoom.dc, 0, 0, 4 * 260, 4 * 100, dc, 0, 195, 260, 100, SRCCOPY);
  ASSERT_TRUE(gditest::SavePng(zoom.bitmap, testsupport::ArtifactPath("gdi_showcase_text.png")));
  StretchBlt(zoom.dc, 0, 0, 4 * 260, 4 * 100, dc, 190, 45, 260, 100, SRCCOPY);
  ASSERT_TRUE(gditest::SavePng(zoom.bitmap, testsupport::ArtifactPath("gdi_showcase_shapes.png")));
}

}  // namespace
