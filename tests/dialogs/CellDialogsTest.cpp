// The cell colour and signal rename dialogs over the hybrid-matrix console's grid (an empty
// folder's 3 × 3 wall): swatches and the rename button clicked on the headless screen,
// the file read back byte for byte, the cells' pixels read from the grid's backing store.
#include <fstream>
#include <iterator>
#include <string>

#include "app/BootWindow.h"
#include "app/Program.h"
#include "console/Config.h"
#include "dialogs/CellColours.h"
#include "dialogs/SignalRename.h"
#include "platform/classes/Grids.h"
#include "tests/app/AppFixture.h"
#include "variants/HybridConsole.h"

namespace {

using namespace win;

class CellDialogsTest : public apptest::AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    CreateProgramWindows();
    Pump();
    Form18->tmr1->SetEnabled(false);
    Form18->ConsoleKind = ckHybrid;
    Form33->Show();
    Pump();
    grid = Form33->stringgrid1;
  }
  void Press(TControl* control, int x, int y) {
    ClickAt(control->ClientToScreen(POINT{x, y}));
    Pump();
  }
  std::string ConfigText() {
    std::ifstream in(folder + "/cfg.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // Moves the grid's selection to the first screen, so the cells tested show their own colours.
  void SelectFirstCell() {
    grid->SetSelection(TGridRect{1, 1, 1, 1});
    Pump();
  }
  std::uint32_t CellPixel(int column, int row) {
    RECT r = grid->CellRect(column, row);
    return WindowPixel(grid, r.right - 3, r.bottom - 3);
  }

  TStringGrid* grid = nullptr;
};

TEST_F(CellDialogsTest, ASwatchStoresItsColourForEachSelectedCellRowByRow) {
  Form20->Show();
  Form20->SetTop(Form33->Top() + Form33->Height());  // off the grid; it stays on top
  Pump();
  EXPECT_EQ(Form20->ClientWidth(), 595);
  EXPECT_EQ(Form20->ClientHeight(), 91);
  const TColor colours[] = {clGreen, clYellow, clRed, clBlue, clLime, clFuchsia, clMaroon, clAqua, clWhite};
  TLabel* swatches[] = {Form20->lbl1, Form20->lbl2, Form20->lbl3, Form20->lbl4, Form20->lbl5,
                        Form20->lbl6, Form20->lbl7, Form20->lbl8, Form20->lbl9};
  for (int i = 0; i < 9; ++i) {
    EXPECT_EQ(swatches[i]->Width(), 57);
    EXPECT_EQ(swatches[i]->Height(), 57);
    POINT at = swatches[i]->ClientToScreen(POINT{3, 3});
    const COLORREF c = ColorToRGB(colours[i]);
    EXPECT_EQ(ScreenPixel(at.x, at.y), (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)) << i;
  }

  grid->SetSelection(TGridRect{1, 2, 3, 3});  // rows 2 and 3, columns 1 to 3
  Press(Form20->lbl3, 20, 20);
  EXPECT_NE(ConfigText().find("[stringgrid]\r\n2,1=clRed\r\n2,2=clRed\r\n2,3=clRed\r\n3,1=clRed\r\n3,2=clRed\r\n"
                              "3,3=clRed\r\n"),
            std::string::npos)
      << ConfigText();
  SelectFirstCell();
  EXPECT_EQ(CellPixel(1, 2), 0xFF0000u);
  EXPECT_EQ(CellPixel(3, 3), 0xFF0000u);
  EXPECT_NE(CellPixel(2, 1), 0xFF0000u);

  grid->SetSelection(TGridRect{2, 3, 2, 3});
  Press(Form20->lbl9, 5, 5);
  EXPECT_NE(ConfigText().find("3,2=clWhite\r\n"), std::string::npos);
  SelectFirstCell();
  EXPECT_EQ(CellPixel(2, 3), 0xFFFFFFu);
  EXPECT_EQ(CellPixel(3, 3), 0xFF0000u);
  SaveWindowShot(Form33, "cell-colours-on-the-hybrid-grid.png");
}

TEST_F(CellDialogsTest, CaptionsFollowTheHybridConsolesLanguage) {
  for (int language : {0, 1}) {
    Form33->LanguageHybrid = language;
    Form20->Show();
    Pump();
    EXPECT_EQ(Form20->Caption(), language ? "Backgroud Color Setting" : "背景颜色设置");
    EXPECT_EQ(Form20->lbl9->Caption(), language ? "Restore" : "还原");
    SaveWindowShot(Form20, std::string("cell-colours-") + (language ? "en" : "zh") + ".png");
    Form20->Close();
  }
}

TEST_F(CellDialogsTest, RenamingStoresTheShownSignalsNameInTheFileAndTheCell) {
  Form33->RenameRow = 2, Form33->RenameCol = 3;
  Form35->Show();
  Pump();
  EXPECT_EQ(Form35->lbl1->Caption(), "HDMI (2 , 3 )");
  EXPECT_EQ(Form35->edt1->Text(), "") << "not prefilled";
  SaveWindowShot(Form35, "signal-rename.png");
  Form35->edt1->SetText("信号一");
  Press(Form35->Bitbtn, 10, 10);
  EXPECT_FALSE(Form35->Visible());
  // GBK on disk: 信 D0C5, 号 BAC5, 一 D2BB.
  EXPECT_NE(ConfigText().find("[cellName]\r\n2,3,HDMI=\xD0\xC5\xBA\xC5\xD2\xBB\r\n"), std::string::npos);
  EXPECT_EQ((*Form33->CellNames)[1][2][3], "信号一");

  // The third line of the cell is drawn in blue.
  SelectFirstCell();
  const std::vector<std::uint32_t> pixels = WindowPixels(grid);
  RECT r = grid->CellRect(3, 2);
  int blue = 0;
  for (int y = r.top + 35; y < std::min<int>(r.bottom, r.top + 50); ++y)
    for (int x = r.left; x < r.right; ++x) blue += pixels[static_cast<std::size_t>(y * grid->ClientWidth() + x)] == 0x0000FF;
  EXPECT_GT(blue, 10);

  // Shown again: the stored name, and the text typed last time still in the edit; an empty
  // edit stores an empty name.
  Form35->Show();
  Pump();
  EXPECT_EQ(Form35->lbl1->Caption(), "信号一 (2 , 3 )");
  EXPECT_EQ(Form35->edt1->Text(), "信号一");
  Form35->edt1->SetText("");
  Press(Form35->Bitbtn, 10, 10);
  EXPECT_NE(ConfigText().find("2,3,HDMI=\r\n"), std::string::npos);
  EXPECT_EQ((*Form33->CellNames)[1][2][3], "");
}

TEST_F(CellDialogsTest, OtherTypesAndCellsOutsideTheModelReachOnlyTheFile) {
  {
    std::unique_ptr<TIniFile> config = OpenConfigFile();
    ::WriteConfig(*config, cfg::cellSignal::Cell(4, 4), "SDI");
  }
  const THybridCellNames before = *Form33->CellNames;
  struct Case {
    int row, col;
    const char* shown;
    const char* stored;
  } cases[] = {{4, 4, "SDI (4 , 4 )", "4,4,SDI=x"}, {0, 3, "HDMI (0 , 3 )", "0,3,HDMI=x"},
               {26, 1, "HDMI (26 , 1 )", "26,1,HDMI=x"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown);
    Form33->RenameRow = c.row, Form33->RenameCol = c.col;
    Form35->Show();
    Pump();
    EXPECT_EQ(Form35->lbl1->Caption(), c.shown);
    Form35->edt1->SetText("x");
    Press(Form35->Bitbtn, 10, 10);
    EXPECT_NE(ConfigText().find(c.stored), std::string::npos);
  }
  EXPECT_TRUE(*Form33->CellNames == before);
}

}  // namespace
