// The grid console's wall grid as the operator meets it: the mouse and keys injected on the
// headless screen, the cells' pixels read back from the grid's backing store, and the screens'
// port a pseudo-terminal standing for COM1. The wall is 3 × 3 (an empty folder's).
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/CommSettings.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "console/WallGrid.h"
#include "dialogs/PictureParameters.h"
#include "platform/classes/Bitmap.h"
#include "platform/system/Registry.h"
#include "platform/win/Keys.h"
#include "tests/app/AppFixture.h"
#include "tests/support/ComPorts.h"
#include "tests/support/SerialPeer.h"

namespace {

namespace fs = std::filesystem;
using Bytes = testsupport::SerialPeer::Bytes;
using namespace win;

// A colour as the backing store holds it, 0x00RRGGBB.
std::uint32_t Rgb(TColor color) {
  const COLORREF c = ColorToRGB(color);
  return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

class WallGridTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    testsupport::ServeAsComPorts({&screens, 1}, folder);  // COM1
    if (HasFatalFailure()) return;
  }
  void TearDown() override {
    AppTest::TearDown();
    platform::SetSerialDeviceRoots("", "");
  }

  // The console as the start-up shows it; the boot window's choice is made and its timer stopped.
  void ShowConsole() {
    CreateProgramWindows();
    Pump();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckGrid;
    Form1->Show();
    Pump();
    grid = Form1->stringgrid1;
  }
  void Connect() {
    Form2->ComboBox1->SetText("COM1");
    Form1->BitBtn1->Click();
    ASSERT_EQ(Form18->LinkOpen, 1);
  }

  POINT Centre(int column, int row) {
    RECT r = grid->CellRect(column, row);
    return grid->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void Drag(int fromColumn, int fromRow, int toColumn, int toRow) {
    DragAt(Centre(fromColumn, fromRow), Centre(toColumn, toRow));
  }
  void Click(int column, int row) { Drag(column, row, column, row); }
  void PressKey(unsigned vk) {
    Headless().InjectKey(vk, true);
    Headless().InjectKey(vk, false);
    Pump();
  }
  void Type(const std::string& text) {
    Headless().InjectText(text);
    Pump();
  }
  std::vector<int> Fields() {
    return {Form1->SelectionLeft, Form1->SelectionTop, Form1->SelectionRight, Form1->SelectionBottom};
  }
  std::uint32_t CellPixel(int column, int row) {
    RECT r = grid->CellRect(column, row);
    // Right of the cell's middle: clear of its text at the top-left and of the focus frame.
    return WindowPixel(grid, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  // Whether engineering mode and everything it shows are on, all together.
  void ExpectServiceShown(bool shown) {
    EXPECT_EQ(Form18->DebugMode, shown ? 1 : 0);
    for (TControl* control : std::initializer_list<TControl*>{Form1->Memo1, Form1->PageControl1})
      EXPECT_EQ(control->Visible(), shown) << control->Name();
    EXPECT_EQ(Form1->N4->Visible(), shown);
    EXPECT_EQ(Form1->TabSheet3->TabVisible(), shown);
    EXPECT_EQ(Form1->TabSheet4->TabVisible(), shown);
  }

  void Shoot(int language, const std::string& name);

  testsupport::SerialPeer screens;
  TStringGrid* grid = nullptr;
};

TEST_F(WallGridTest, AMouseReleaseMakesTheGridsSelectionTheWallSelection) {
  ShowConsole();
  Connect();
  // Before any release the commands go to the unaddressed pair.
  EXPECT_EQ(Fields(), (std::vector<int>{0, 0, 0, 0}));
  Form1->SendScreenCommand(0x10, 0x01);
  EXPECT_EQ(screens.Receive(6), (Bytes{0xC6, 0x00, 0x00, 0x10, 0x01, 0xBB}));

  // A drag up and left is the same rectangle; the picture dialog, hidden, takes it as its label.
  Drag(3, 2, 1, 1);
  EXPECT_EQ(Fields(), (std::vector<int>{1, 1, 3, 2}));
  EXPECT_EQ(Form4->Label2->Caption(), "1,1 - 3,2");
  EXPECT_FALSE(Form4->Visible());
  Form1->SendScreenCommand(0x10, 0x01);
  EXPECT_EQ(screens.Receive(6), (Bytes{0xC6, 0x11, 0x32, 0x10, 0x01, 0xBB}));

  Click(2, 3);
  EXPECT_EQ(Fields(), (std::vector<int>{2, 3, 2, 3}));
  EXPECT_EQ(grid->TopRow(), 1) << "the whole wall stays in view";
  EXPECT_EQ(Form4->Label2->Caption(), "2,3 - 2,3");

  // The keyboard moves the grid's selection only; a shift-extended range too.
  PressKey(VK_LEFT);
  Headless().InjectKey(VK_SHIFT, true);
  PressKey(VK_UP);
  Headless().InjectKey(VK_SHIFT, false);
  Pump();
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 1, 3}));
  EXPECT_EQ(Fields(), (std::vector<int>{2, 3, 2, 3}));
  EXPECT_EQ(Form4->Label2->Caption(), "2,3 - 2,3");

  // A right-button release takes what the keyboard left (the popup it opens is dismissed).
  POINT over = Centre(3, 1);
  Headless().InjectMouseMove(over.x, over.y);
  Headless().InjectMouseButton(platform::kButtonRight, true);
  Headless().InjectMouseButton(platform::kButtonRight, false);
  Headless().InjectKey(VK_ESCAPE, true);
  Headless().InjectKey(VK_ESCAPE, false);
  Pump();
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 2, 1, 3})) << "the right button selects nothing";
  EXPECT_EQ(Fields(), (std::vector<int>{1, 2, 1, 3}));
  EXPECT_EQ(Form4->Label2->Caption(), "1,2 - 1,3");

  // A release over a header keeps the selection inside the data cells.
  Drag(2, 2, 0, 0);
  EXPECT_EQ(Fields(), (std::vector<int>{2, 2, 2, 2}));
  EXPECT_TRUE(boxes.empty());
}

TEST_F(WallGridTest, CellsArePaintedInTheirConfiguredColours) {
  WriteConfig(
      "[stringgrid]\n"
      "1,1=clLime\n"
      "2,3=clRed\n"
      "3,1=$0000FF\n"
      "3,2=255\n"
      "3,3=reddish\n"
      "0,1=clBlue\n"
      "1,0=clBlue\n");
  ShowConsole();
  struct Case {
    const char* what;
    int column, row;
    std::uint32_t expected;
  };
  auto check = [&](std::initializer_list<Case> cases) {
    for (const Case& c : cases) EXPECT_EQ(CellPixel(c.column, c.row), c.expected) << c.what;
  };
  const std::uint32_t cream = Rgb(clCream), red = Rgb(clRed), grey = Rgb(clMedGray), highlight = Rgb(clHighlight);
  // The grid has no focus yet: its first cell is its selection and shows as selected.
  check({
      {"no key", 2, 1, cream},
      {"2,3 = clRed, not selected", 3, 2, red},
      {"$0000FF", 1, 3, red},
      {"255", 2, 3, red},
      {"reddish", 3, 3, cream},
      {"selected, not focused", 1, 1, highlight},
      {"header 0,1 present", 1, 0, grey},
      {"header 1,0 present", 0, 1, grey},
      {"corner", 0, 0, grey},
  });
  EXPECT_TRUE(boxes.empty()) << "a value that names no colour shows no box";

  // A drag from the first screen: it stays the focused cell, the rest is highlighted.
  Drag(1, 1, 3, 2);
  ASSERT_TRUE(grid->Focused());
  check({
      {"2,3 = clRed inside the selection", 3, 2, highlight},
      {"no key inside the selection", 2, 1, highlight},
      {"focused cell of the selection", 1, 1, Rgb(clLime)},
      {"outside the selection", 2, 3, red},
  });

  // Another file object's write shows at the next paint.
  {
    TIniFile other(ConfigFilePath());
    ::WriteConfig(other, cfg::stringgrid::Cell(3, 3), "clYellow");
    ::WriteConfig(other, cfg::stringgrid::Cell(3, 2), "");
  }
  grid->Invalidate();
  check({{"written by another file object", 3, 3, Rgb(clYellow)}, {"emptied", 2, 3, cream}});
}

TEST_F(WallGridTest, TextIsDrawnInBlackAtTheCellsCornerOutsideTheHighlight) {
  ShowConsole();
  grid->SetCells(2, 1, "VGA");
  grid->SetCells(1, 1, "VGA");
  // Where the ink of a text lies when it is drawn at 0, 0 in the grid's font.
  auto inkOrigin = [&](const String& text) {
    TBitmap probe;
    probe.SetSize(80, 40);
    probe.Canvas()->Brush()->SetColor(clWhite);
    probe.Canvas()->FillRect(RECT{0, 0, 80, 40});
    probe.Canvas()->Font()->Assign(grid->Font());
    probe.Canvas()->TextOut(0, 0, text);
    POINT origin{80, 40};
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 80; ++x)
        if (probe.Canvas()->Pixels(x, y) != clWhite) origin = {std::min(origin.x, x), std::min(origin.y, y)};
    return origin;
  };
  // Where a cell's ink starts, against its rectangle, and the colours it is drawn in. A header's
  // raised edge is left out.
  struct Ink {
    POINT origin{-1, -1};
    std::set<std::uint32_t> colours;
  };
  auto pixels = WindowPixels(grid);
  auto inkOf = [&](int column, int row, std::uint32_t background, int edge) {
    RECT r = grid->CellRect(column, row);
    Ink ink;
    POINT low{r.right, r.bottom};
    for (int y = r.top + edge; y < r.bottom - edge; ++y)
      for (int x = r.left + edge; x < r.right - edge; ++x) {
        std::uint32_t p = pixels[static_cast<std::size_t>(y) * grid->Width() + x];
        if (p == background) continue;
        low = {std::min(low.x, x), std::min(low.y, y)};
        ink.colours.insert(p);
      }
    ink.origin = {low.x - r.left, low.y - r.top};
    return ink;
  };
  const POINT vga = inkOrigin("VGA"), two = inkOrigin("2");
  const std::set<std::uint32_t> black{0x000000};

  Ink plain = inkOf(2, 1, Rgb(clCream), 0);
  EXPECT_EQ(plain.origin.x, vga.x);
  EXPECT_EQ(plain.origin.y, vga.y);
  EXPECT_EQ(plain.colours, black);
  Ink header = inkOf(2, 0, Rgb(clMedGray), 1);
  EXPECT_EQ(header.origin.x, two.x);
  EXPECT_EQ(header.origin.y, two.y);
  EXPECT_EQ(header.colours, black);
  // The highlighted cell keeps the grid's own drawing: highlight text, with its margin.
  Ink selected = inkOf(1, 1, Rgb(clHighlight), 0);
  EXPECT_EQ(selected.origin.x, vga.x + 2);
  EXPECT_EQ(selected.origin.y, vga.y + 2);
  EXPECT_EQ(selected.colours, (std::set<std::uint32_t>{Rgb(clHighlightText)}));
}

TEST_F(WallGridTest, TheServiceGestureShowsTheServicePagesUntilTheNextKey) {
  ShowConsole();
  ExpectServiceShown(false);
  // The first screen alone and the gesture's key.
  Click(1, 1);
  Type("*");
  ExpectServiceShown(true);
  Type("a");
  ExpectServiceShown(false);

  // The key alone is not enough: another selection ignores it.
  Click(2, 1);
  Type("*");
  ExpectServiceShown(false);
  // The keyboard can make the selection too.
  PressKey(VK_LEFT);
  Type("*");
  ExpectServiceShown(true);
  EXPECT_TRUE(IsServiceGesture(TGridRect{1, 1, 1, 1}, U'*'));
  EXPECT_FALSE(IsServiceGesture(TGridRect{1, 1, 2, 1}, U'*'));

  // Engineering mode from a service login ends at an ordinary key as well.
  Type("x");
  Form18->DebugMode = 1;
  Form1->Memo1->SetVisible(true);
  Form1->UpdateControlStates();
  Click(3, 3);
  Type("5");
  ExpectServiceShown(false);
}

TEST_F(WallGridTest, TheAddressDisplayButtonMakesEveryScreenShowItsAddress) {
  ShowConsole();
  Connect();
  Click(1, 1);
  Type("*");
  Form1->PageControl1->SetActivePage(Form1->tsAddrSetting);
  Pump();
  TcxButton* button = Form1->BitbShowAddress;
  ASSERT_TRUE(button->Visible());
  EXPECT_EQ(button->Caption(), "显示地址");
  const std::uint64_t before = clock->NowMs();
  ClickAt(button->ClientToScreen(POINT{button->Width() / 2, button->Height() / 2}));
  EXPECT_EQ(screens.Receive(6), (Bytes{0xC6, 0xFF, 0x24, 0x01, 0x01, 0xBB}));
  EXPECT_EQ(clock->NowMs() - before, 20u);
  TStrings* log = Form1->Memo1->Lines();
  ASSERT_GT(log->Count(), 0);
  EXPECT_EQ(log->Strings(log->Count() - 1), "->C6,FF,24,01,01,BB");
  EXPECT_TRUE(screens.Drain(20).empty());
}

// The wall with coloured cells, a selection and its focused cell, and the service pages the
// gesture shows.
void WallGridTest::Shoot(int language, const std::string& name) {
  WriteConfig("[config]\nlanguage=" + std::to_string(language) +
              "\n[stringgrid]\n1,1=clLime\n1,3=clSkyBlue\n2,3=clRed\n3,1=$0080FF\n3,3=clYellow\n");
  ShowConsole();
  grid->SetCells(1, 1, "VIDEO");
  grid->SetCells(3, 3, "HDMI 4");
  Click(1, 1);
  Type("*");
  Drag(1, 1, 2, 2);
  ExpectServiceShown(true);
  SaveWindowShot(Form1, name);
}

TEST_F(WallGridTest, ScreenshotInChinese) { Shoot(0, "console/wall-grid-chinese.png"); }
TEST_F(WallGridTest, ScreenshotInEnglish) { Shoot(1, "console/wall-grid-english.png"); }

}  // namespace
