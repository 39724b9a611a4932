// The bar library's shared routines: captions and keys, glyph modes, arrows, fills and frames,
// clip regions, message pumping and the geometry of keyboard navigation.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Focus.h"
#include "platform/system/Sync.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarUnit.h"

namespace {

using namespace win;

class BarRoutinesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    InitializeForms();
    Application->Initialize();
    BarUnitStartup();
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bitmap = CreateCompatibleBitmap(screen, 64, 64);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bitmap);
    Clear(RGB(255, 255, 255));
  }
  void TearDown() override {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    BarUnitShutdown();
    FinalizeForms();
    platform::ResetDisplay();
  }
  void Clear(COLORREF color) {
    HBRUSH b = CreateSolidBrush(color);
    RECT r{0, 0, 64, 64};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

TEST(BarKeys, AcceleratorPositions) {
  struct Case {
    const char* caption;
    int kept;
    int removed;
    const char* shortened;
  };
  const Case cases[] = {
      {"Save &As", 7, 6, "Save As"}, {"A&&B", 0, 0, "A&B"}, {"&a&b", 4, 2, "ab"},
      {"a&", 0, 0, "a&"},           {"", 0, 0, ""},        {"默认&X", 4, 3, "默认X"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(AcceleratorPosition(String(c.caption)), c.kept);
    String caption = c.caption;
    EXPECT_EQ(AcceleratorPosition(caption, true), c.removed);
    EXPECT_EQ(caption, c.shortened);
  }
}

TEST(BarKeys, NamesLevelsAndCaptions) {
  EXPECT_EQ(EnumValueNames<TdxBarItemVisible>(), (std::vector<String>{"ivNever", "ivInCustomizing", "ivAlways"}));
  EXPECT_EQ(EnumValueNames<TdxBarItemViewLevels>(),
            (std::vector<String>{"ivlLargeIconWithText", "ivlSmallIconWithText", "ivlSmallIcon", "ivlControlOnly"}))
      << "a set answers its element type's names";
  EXPECT_EQ(VisibleToItemVisible(true), ivAlways);
  EXPECT_EQ(VisibleToItemVisible(false), ivNever);
  struct Case {
    TdxBarItemViewLevels levels;
    int highest;
  };
  const Case cases[] = {
      {{}, 255},
      {{ivlLargeIconWithText}, 0},
      {{ivlLargeIconWithText, ivlSmallIcon}, 2},
      {{ivlSmallIconWithText, ivlControlOnly}, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(HighestRealViewLevel(c.levels), c.highest) << &c - cases;
  EXPECT_EQ(CaptionWithoutAccelerators("&Save && Exit&"), "Save & Exit") << "a trailing mark goes, no underscore";
}

TEST(BarKeys, LayoutSeparatorAndGlyphModes) {
  EXPECT_EQ(LayoutSeparator(true), "\\");
  EXPECT_EQ(LayoutSeparator(false), ".");
  ScreenColorDepth = 32;
  struct Case {
    bool ownLook, fade, gray, flagA, flagB, selected, down, pressed;
    int mode;
  };
  const Case cases[] = {
      {false, false, true, true, true, true, false, false, 1},   // step 1, plain disabled
      {false, true, false, false, false, false, false, false, 2},  // step 1, faded
      {true, true, true, true, true, true, false, false, 3},     // gray request
      {true, false, false, false, true, false, false, false, 0},  // painter draws plainly
      {true, false, false, true, false, false, false, false, 4},  // inactive fades
      {true, false, false, true, true, true, false, false, 5},    // selected is shadowed
      {true, false, false, true, true, true, false, true, 0},     // pressed is not
      {true, false, false, true, false, false, true, false, 0},   // down, no shadow flag
  };
  for (const Case& c : cases)
    EXPECT_EQ(GlyphDrawMode(c.ownLook, c.fade, c.gray, c.flagA, c.flagB, c.selected, c.down, c.pressed), c.mode)
        << &c - cases;
  ScreenColorDepth = 8;
  EXPECT_EQ(GlyphDrawMode(true, false, false, true, false, false, false, false), 0) << "no fading on 256 colours";
}

TEST_F(BarRoutinesTest, ShortCutsTakeShiftAndCtrlFromTheKeysAndAltFromBit29) {
  struct Case {
    std::vector<int> held;
    WORD key;
    LPARAM data;
    TShortCut expected;
  };
  const Case cases[] = {
      {{}, 'O', 0, 0x004F},
      {{VK_CONTROL}, 'O', 0, 0x404F},
      {{VK_SHIFT, VK_CONTROL}, 'O', 0, 0x604F},
      {{}, 'O', LPARAM{1} << 29, 0x804F},
      {{VK_MENU}, 'O', 0, 0x004F},  // Alt is read from the key data only
      {{VK_SHIFT, VK_CONTROL}, 0, LPARAM{1} << 29, 0},
  };
  for (const Case& c : cases) {
    BYTE state[256]{};
    for (int k : c.held) state[k] = 0x80;
    SetKeyboardState(state);
    EXPECT_EQ(ShortCutOf(c.key, c.data), c.expected) << &c - cases;
  }
  BYTE none[256]{};
  SetKeyboardState(none);
  EXPECT_EQ(ShortCutHintText(0x404F), " (Ctrl+O)");
  EXPECT_EQ(ShortCutHintText(0), "");
}

TEST_F(BarRoutinesTest, ButtonStateFollowsThePhysicalButtonsWhenSwapped) {
  platform::HeadlessControl& headless = *platform::Headless();
  // The buttons reach the thread that shows windows.
  HWND window = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  headless.InjectMouseMove(50, 50);
  for (int swapped : {0, 1}) {
    SCOPED_TRACE(swapped);
    SetSystemMetricOverride(SM_SWAPBUTTON, swapped);
    headless.InjectMouseButton(platform::kButtonLeft, true);
    Application->ProcessMessages();
    EXPECT_TRUE(LeftButtonDown());
    EXPECT_FALSE(RightButtonDown());
    headless.InjectMouseButton(platform::kButtonLeft, false);
    headless.InjectMouseButton(platform::kButtonRight, true);
    Application->ProcessMessages();
    EXPECT_FALSE(LeftButtonDown());
    EXPECT_TRUE(RightButtonDown());
    headless.InjectMouseButton(platform::kButtonRight, false);
    Application->ProcessMessages();
  }
  SetSystemMetricOverride(SM_SWAPBUTTON, 0);
  DestroyWindow(window);
}

TEST_F(BarRoutinesTest, FontsFollowTheSystemFontsWithTheirFloors) {
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetHeight(-13);
  auto heightOf = [](HFONT f) {
    LOGFONTA lf{};
    GetObject(f, sizeof lf, &lf);
    return lf.lfHeight;
  };
  NONCLIENTMETRICS metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  for (auto [system, withSystemFont, withOwnFace] : {std::tuple{-9, -9, -11}, {-14, -14, -14}}) {
    SCOPED_TRACE(system);
    metrics.lfSmCaptionFont.lfHeight = system;
    SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HFONT own = CreateSmallCaptionFont(&font, false);
    HFONT systemFont = CreateSmallCaptionFont(&font, true);
    EXPECT_EQ(heightOf(systemFont), withSystemFont);
    EXPECT_EQ(heightOf(own), withOwnFace);
    LOGFONTA lf{};
    GetObject(own, sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "DejaVu Sans");
    DeleteObject(own);
    DeleteObject(systemFont);
  }
  // Face names hold 31 bytes: a long one is cut, never inside a character.
  font.SetName(String("Face") + String(10, 'x') + "\u5B57\u5B57\u5B57\u5B57\u5B57\u5B57");  // 14 + 18 bytes
  HFONT cut = CreateSmallCaptionFont(&font, false);
  LOGFONTA lf{};
  GetObject(cut, sizeof lf, &lf);
  EXPECT_EQ(String(lf.lfFaceName), font.Name().substr(0, 29)) << "the fifth character would not fit whole";
  DeleteObject(cut);

  font.SetName("DejaVu Sans");
  TFont target;
  for (auto [iconTitle, scaled] : {std::pair{-12, -12}, {-10, -11}, {-9, -11}, {-16, -16}}) {
    LOGFONTA icon{};
    icon.lfHeight = iconTitle;
    SystemParametersInfo(SPI_SETICONTITLELOGFONT, sizeof icon, &icon, 0);
    MakeEditFont(&font, &target, true);
    EXPECT_EQ(target.Height(), scaled) << iconTitle;
    EXPECT_EQ(target.Name(), "DejaVu Sans");
  }
  MakeEditFont(&font, &target, false);
  EXPECT_EQ(target.Height(), -13) << "unscaled: a copy of the font";
  HFONT copy = CopyFontHandle(font.Handle());
  EXPECT_NE(copy, font.Handle());
  EXPECT_EQ(heightOf(copy), -13);
  DeleteObject(copy);
  EXPECT_EQ(CopyFontHandle(nullptr), nullptr);
  platform::ResetSystemParameters();
}

TEST_F(BarRoutinesTest, HatchBlendsBlackStronglyAndButtonFaceFaintly) {
  HatchArea(dc, RECT{0, 0, 8, 8});
  // Over white: black at 170 of 255 leaves 85; button face at 20 leaves nearly white.
  std::vector<COLORREF> seen;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (std::find(seen.begin(), seen.end(), GetPixel(dc, x, y)) == seen.end()) seen.push_back(GetPixel(dc, x, y));
  ASSERT_EQ(seen.size(), 2u);
  const COLORREF dark = GetRValue(seen[0]) < GetRValue(seen[1]) ? seen[0] : seen[1];
  const COLORREF light = dark == seen[0] ? seen[1] : seen[0];
  EXPECT_NEAR(GetRValue(dark), 85, 1);
  EXPECT_GT(GetRValue(light), 240);
  // Cells of two pixels alternate.
  EXPECT_EQ(GetPixel(dc, 0, 0), GetPixel(dc, 1, 1));
  EXPECT_NE(GetPixel(dc, 0, 0), GetPixel(dc, 2, 0));
  EXPECT_EQ(GetPixel(dc, 8, 0), RGB(255, 255, 255)) << "nothing outside";
}

int g_boxFlags = 0;
String g_boxCaption, g_boxText;

TEST_F(BarRoutinesTest, MessageBoxTakesTheApplicationTitle) {
  Application->SetTitle("Wall console");
  auto saved = TApplication::SetMessageBoxFunc([](HWND, const String& Text, const String& Caption, int Flags) {
    g_boxText = Text;
    g_boxCaption = Caption;
    g_boxFlags = Flags;
    return 7;
  });
  EXPECT_EQ(BarMessageBox("Reset?", 0x24), 7);
  EXPECT_EQ(g_boxText, "Reset?");
  EXPECT_EQ(g_boxCaption, "Wall console");
  EXPECT_EQ(g_boxFlags, 0x24);
  TApplication::SetMessageBoxFunc(saved);
}

TEST_F(BarRoutinesTest, PendingCharsOfOneWindowAreDropped) {
  HWND a = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND b = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessage(a, WM_CHAR, 'x', 0);
  PostMessage(a, WM_KEYDOWN, 'X', 0);
  PostMessage(b, WM_CHAR, 'y', 0);
  PostMessage(a, WM_CHAR, 'z', 0);
  DropPendingChars(a);
  std::vector<std::pair<HWND, UINT>> left;
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.hwnd == a || msg.hwnd == b) left.push_back({msg.hwnd, msg.message});
  EXPECT_EQ(left, (std::vector<std::pair<HWND, UINT>>{{a, WM_KEYDOWN}, {b, WM_CHAR}}));
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(BarRoutinesTest, TimersAndWindowsAreReleasedOnce) {
  HWND w = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  UINT_PTR timer = SetTimer(w, 5, 100, nullptr);
  EXPECT_TRUE(KillTimerSafe(w, timer));
  EXPECT_EQ(timer, 0u);
  EXPECT_FALSE(KillTimerSafe(w, timer)) << "no timer, nothing killed";
  HWND kept = w;
  ReleaseWindowHandle(kept, false);
  EXPECT_EQ(kept, nullptr);
  EXPECT_TRUE(IsWindow(w));
  kept = w;
  ReleaseWindowHandle(kept, true);
  EXPECT_FALSE(IsWindow(w));

  TComponent component(nullptr);
  EXPECT_FALSE(LoadingFromAncestor(&component));
}

TEST_F(BarRoutinesTest, FittedArrowsAndTheirPixels) {
  EXPECT_EQ(BarArrowFittedSize(RECT{0, 0, 16, 16}, adDown), 3);
  EXPECT_EQ(BarArrowFittedSize(RECT{0, 0, 20, 20}, adDown), 5);
  EXPECT_EQ(BarArrowFittedSize(RECT{0, 0, 11, 11}, adDown), 3) << "3 stays the floor";
  EXPECT_EQ(BarArrowFittedSize(RECT{0, 0, 9, 17}, adRight), 6);

  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  DrawBarArrowFitted(dc, RECT{0, 0, 16, 16}, adDown, clBlack, true, false);
  auto row = [&](int y) {
    String s;
    for (int x = 0; x < 16; ++x) s += GetPixel(dc, x, y) == black ? '#' : GetPixel(dc, x, y) == white ? '.' : 'h';
    return s;
  };
  EXPECT_EQ(row(5), "................");
  EXPECT_EQ(row(6), ".....#####......");
  EXPECT_EQ(row(7), "......###.......");
  EXPECT_EQ(row(8), ".......#........");
  EXPECT_EQ(row(9), "................");

  // A right arrow of size 4 in 16 x 16: a solid triangle, columns of 7, 5, 3 and 1 pixels.
  Clear(white);
  DrawBarArrowFitted(dc, RECT{0, 0, 16, 16}, adRight, clBlack, true, false);
  auto column = [&](int x) {
    String s;
    for (int y = 0; y < 16; ++y) s += GetPixel(dc, x, y) == black ? '#' : '.';
    return s;
  };
  EXPECT_EQ(column(5), "................");
  EXPECT_EQ(column(6), "....#######.....");
  EXPECT_EQ(column(7), ".....#####......");
  EXPECT_EQ(column(8), "......###.......");
  EXPECT_EQ(column(9), ".......#........");
  EXPECT_EQ(column(10), "................");
  Clear(white);

  // Disabled: the shadow colour with two highlight lines along the slanted side.
  const INT faces[] = {COLOR_BTNHIGHLIGHT};
  const COLORREF oldHighlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF marked[] = {RGB(1, 2, 3)};
  SetSysColors(1, faces, marked);
  Clear(white);
  DrawBarArrowFitted(dc, RECT{0, 0, 16, 16}, adDown, clBlack, false, false);
  EXPECT_EQ(row(6), ".....#####......");
  EXPECT_EQ(row(7), "......###hh.....");
  EXPECT_EQ(row(8), ".......#hh......");
  EXPECT_EQ(row(9), "........h.......");
  SetSysColors(1, faces, &oldHighlight);
}

TEST_F(BarRoutinesTest, DefaultArrowColourFollowsTheStates) {
  const INT elements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNTEXT, COLOR_HIGHLIGHTTEXT};
  COLORREF saved[4];
  for (int i = 0; i < 4; ++i) saved[i] = GetSysColor(elements[i]);
  const COLORREF scheme[] = {RGB(200, 200, 200), RGB(1, 1, 1), RGB(2, 2, 2), RGB(3, 3, 3)};
  SetSysColors(4, elements, scheme);
  struct Case {
    bool enabled, selected;
    COLORREF face, expected;
  };
  const Case cases[] = {
      {false, true, RGB(200, 200, 200), RGB(1, 1, 1)},
      {true, false, RGB(200, 200, 200), RGB(2, 2, 2)},
      {true, true, RGB(200, 200, 200), RGB(3, 3, 3)},
      {true, true, RGB(255, 255, 255), RGB(255, 255, 255)},
  };
  for (const Case& c : cases) {
    const INT face[] = {COLOR_BTNFACE};
    SetSysColors(1, face, &c.face);
    Clear(RGB(9, 9, 9));
    DrawBarArrow(dc, RECT{0, 0, 16, 16}, adDown, clDefault, c.enabled, c.selected, true, 3);
    EXPECT_EQ(GetPixel(dc, 7, 6), c.expected) << &c - cases;
  }
  SetSysColors(4, elements, saved);
}

// A 16 x 16 bitmap whose pixel shows its own coordinates, so any shift of the grid shows.
HBITMAP CoordinateBitmap(HDC reference) {
  HBITMAP b = CreateCompatibleBitmap(reference, 16, 16);
  HDC dc = CreateCompatibleDC(reference);
  HGDIOBJ old = SelectObject(dc, b);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) SetPixel(dc, x, y, RGB(x * 16, y * 16, 77));
  SelectObject(dc, old);
  DeleteDC(dc);
  return b;
}

TEST_F(BarRoutinesTest, FillOrTileJoinsNeighbouringAreasWithoutASeam) {
  HBITMAP tile = CoordinateBitmap(dc);
  // One fill of the whole strip, read back...
  FillOrTile(dc, RECT{0, 0, 50, 20}, RECT{-7, -3, 43, 17}, tile, clRed, nullptr);
  std::vector<COLORREF> whole;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) whole.push_back(GetPixel(dc, x, y));
  // ...and two adjacent items, each passing its own area in the bar's space.
  Clear(RGB(255, 255, 255));
  FillOrTile(dc, RECT{0, 0, 23, 20}, RECT{-7, -3, 16, 17}, tile, clRed, nullptr);
  FillOrTile(dc, RECT{23, 0, 50, 20}, RECT{16, -3, 43, 17}, tile, clRed, nullptr);
  int differing = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) differing += GetPixel(dc, x, y) != whole[static_cast<std::size_t>(y * 50 + x)];
  EXPECT_EQ(differing, 0);
  // The grid is anchored at 0 of the origin's space: target (0,0) is (-7,-3) there, tile pixel (9,13).
  EXPECT_EQ(whole[0], RGB(9 * 16, 13 * 16, 77));
  EXPECT_EQ(GetPixel(dc, 50, 0), RGB(255, 255, 255)) << "nothing outside the rectangle";

  Clear(RGB(255, 255, 255));
  FillOrTile(dc, RECT{0, 0, 10, 10}, RECT{0, 0, 0, 10}, tile, clRed, nullptr);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255)) << "an empty origin draws nothing";
  HBRUSH brush = CreateSolidBrush(RGB(0, 128, 0));
  FillOrTile(dc, RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}, nullptr, clRed, brush);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 128, 0)) << "without a bitmap the brush fills";
  FillOrTile(dc, RECT{0, 0, 10, 10}, RECT{0, 0, 10, 10}, nullptr, clRed, nullptr);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0)) << "without a brush the colour fills";
  DeleteObject(brush);
  DeleteObject(tile);
}

TEST_F(BarRoutinesTest, DottedFocusFrameSetsOnlyEvenPixelsOfTwoRings) {
  const COLORREF text = GetSysColor(COLOR_BTNTEXT), white = RGB(255, 255, 255);
  DrawDottedFocusFrame(dc, RECT{3, 4, 13, 12});
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inFrame = x >= 3 && x < 13 && y >= 4 && y < 12;
      const bool inInterior = x >= 5 && x < 11 && y >= 6 && y < 10;
      const bool set = inFrame && !inInterior && (x + y) % 2 == 0;
      EXPECT_EQ(GetPixel(dc, x, y), set ? text : white) << x << "," << y;
    }
}

TEST_F(BarRoutinesTest, ClipRegionIsPutBackAsItWas) {
  HRGN kept = nullptr;
  bool existed = true;
  KeepClipRegion(dc, kept, existed);
  EXPECT_FALSE(existed);
  AddClipRectangle(dc, RECT{0, 0, 4, 4});
  PutBackClipRegion(dc, kept, existed);
  EXPECT_EQ(kept, nullptr);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, probe), 0) << "no region again";

  IntersectClipRect(dc, 0, 0, 10, 10);
  KeepClipRegion(dc, kept, existed);
  EXPECT_TRUE(existed);
  SelectClipRgn(dc, nullptr);
  PutBackClipRegion(dc, kept, existed);
  Clear(RGB(1, 1, 1));
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(1, 1, 1));
  EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 255, 255)) << "the kept region clips again";
  DeleteObject(probe);
}

TEST_F(BarRoutinesTest, PendingMouseMessagesStopAtQuit) {
  PostQuitMessage(3);
  PostThreadMessage(GetCurrentThreadId(), WM_MOUSEMOVE, 0, 0);
  ProcessPendingMouseMessages();  // returns: the quit does not loop
  MSG msg;
  int quits = 0;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
    if (msg.message == WM_QUIT) {
      ++quits;
      EXPECT_EQ(msg.wParam, 3u);
    }
  EXPECT_EQ(quits, 1) << "the quit is kept for the outer loop, once";
}

TEST(BarKeys, MouseDownMessages) {
  for (UINT m : {WM_LBUTTONDOWN, WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_NCLBUTTONDOWN, WM_NCMBUTTONDBLCLK})
    EXPECT_TRUE(MouseDownMessage(m)) << m;
  for (UINT m : {WM_LBUTTONUP, WM_MOUSEMOVE, WM_NCMOUSEMOVE, WM_KEYDOWN}) EXPECT_FALSE(MouseDownMessage(m)) << m;
}

TEST(BarNavigation, MetricsAndNextInDirection) {
  TdxBarDirectionalMetrics right = DirectionalMetrics(RECT{0, 0, 10, 10}, RECT{20, 0, 30, 10}, 2);
  EXPECT_DOUBLE_EQ(right.Deviation, 0);
  EXPECT_EQ(right.Distance, 10);
  EXPECT_DOUBLE_EQ(DirectionalMetrics(RECT{0, 0, 10, 10}, RECT{20, 0, 30, 10}, 1).Deviation, 90);
  EXPECT_DOUBLE_EQ(DirectionalMetrics(RECT{0, 0, 10, 10}, RECT{0, -20, 10, -10}, 1).Deviation, 0);
  EXPECT_EQ(DirectionalMetrics(RECT{0, 0, 10, 10}, RECT{0, -20, 10, -10}, 1).Distance, 10);

  const std::vector<RECT> row = {{0, 0, 10, 10}, {10, 0, 20, 10}, {20, 0, 30, 10}, {12, 30, 18, 40}};
  EXPECT_EQ(NextInDirection(row, 0, 2, false), 1);
  EXPECT_EQ(NextInDirection(row, 2, 2, false), -1);
  EXPECT_EQ(NextInDirection(row, 2, 2, true), 0);
  EXPECT_EQ(NextInDirection(row, 0, 0, true), 2);
  EXPECT_EQ(NextInDirection(row, 1, 3, true), 3);
  EXPECT_EQ(NextInDirection(row, 3, 3, true), -1) << "only left and right wrap";
  EXPECT_EQ(NextInDirection(row, 0, 4, true), -1);
  EXPECT_EQ(NextInDirection(row, 0, 5, true), -1);
}

}  // namespace
