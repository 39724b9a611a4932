#include <vector>

#include "platform/classes/Grids.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"

namespace {

using formtest::FormTest;

class GridTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(Application, 0);
    form->SetBounds(40, 40, 420, 300);
    grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetBounds(8, 8, 380, 240);
    grid->SetBorderStyle(bsNone);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetColWidths(0, 16);
    grid->SetRowHeights(0, 14);
    for (int c = 1; c < 4; ++c) grid->SetColWidths(c, 80);
    for (int r = 1; r < 4; ++r) grid->SetRowHeights(r, 40);
    form->Show();
    Pump();
  }

  // The screen point at the middle of a cell.
  win::POINT Mid(int col, int row) {
    win::RECT r = grid->CellRect(col, row);
    return At(grid, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  void Drag(win::POINT from, win::POINT to) {
    Headless().InjectMouseMove(from.x, from.y);
    Pump();
    Headless().InjectMouseButton(1, true);
    Pump();
    Headless().InjectMouseMove((from.x + to.x) / 2, (from.y + to.y) / 2);
    Pump();
    Headless().InjectMouseMove(to.x, to.y);
    Pump();
    Headless().InjectMouseButton(1, false);
    Pump();
  }

  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
};

TEST_F(GridTest, SelectionStartsAtTheFirstDataCellAndSizesAreAsSet) {
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
  // Column 0 is 16 wide and row 0 14 high, each followed by a one-pixel line.
  EXPECT_EQ(grid->CellRect(0, 0).right, 16);
  EXPECT_EQ(grid->CellRect(0, 0).bottom, 14);
  win::RECT r = grid->CellRect(2, 3);
  EXPECT_EQ(r.left, 16 + 1 + 80 + 1);
  EXPECT_EQ(r.top, 14 + 1 + 2 * 41);
  EXPECT_EQ(r.right - r.left, 80);
  EXPECT_EQ(r.bottom - r.top, 40);
  int c = -2, row = -2;
  grid->MouseToCell(r.left, r.top, c, row);
  EXPECT_EQ(c, 2);
  EXPECT_EQ(row, 3);
  // The line after a cell belongs to it; past the last column there is no cell.
  grid->MouseToCell(r.right, r.bottom, c, row);
  EXPECT_EQ(c, 2);
  EXPECT_EQ(row, 3);
  grid->MouseToCell(370, 20, c, row);
  EXPECT_EQ(c, -1);
}

TEST_F(GridTest, WithoutFixedCellsTheFirstCellIsShownAndCurrent) {
  grid->SetFixedCols(0);
  grid->SetFixedRows(0);
  EXPECT_EQ(grid->LeftCol(), 0);
  EXPECT_EQ(grid->TopRow(), 0);
  EXPECT_EQ(grid->Selection(), (TGridRect{0, 0, 0, 0}));
  // Fixing them again starts at the first data cell once more.
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  EXPECT_EQ(grid->LeftCol(), 1);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(GridTest, DragGivesTheNormalisedRectangleAndTheMouseUpSeesIt) {
  std::vector<TGridRect> atMouseUp;
  grid->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { atMouseUp.push_back(grid->Selection()); };
  Drag(Mid(3, 2), Mid(1, 1));
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 2}));
  // The pressed cell stays the focused one.
  EXPECT_EQ(grid->Col(), 3);
  EXPECT_EQ(grid->Row(), 2);
  ASSERT_EQ(atMouseUp.size(), 1u);
  EXPECT_EQ(atMouseUp[0], (TGridRect{1, 1, 3, 2}));

  // A click without a drag selects one cell.
  ClickAt(Mid(2, 3));
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridTest, FixedCellsCannotBeSelected) {
  ClickAt(Mid(2, 2));
  ClickAt(Mid(0, 0));
  ClickAt(Mid(0, 3));
  ClickAt(Mid(3, 0));
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
  // Dragging into the headers keeps the last data cell reached.
  Drag(Mid(2, 2), Mid(0, 0));
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 2, 2}));
  // Code writes are kept inside the data cells as well.
  grid->SetSelection(TGridRect{0, 0, 5, 9});
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 3, 3}));
}

TEST_F(GridTest, OnSelectCellCanRefuseAndKeysMoveTheSelection) {
  grid->OnSelectCell = [](TObject*, int col, int, bool& can) { can = col != 3; };
  ClickAt(Mid(3, 3));
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
  grid->OnSelectCell = nullptr;
  grid->SetFocus();
  Key(win::VK_RIGHT);
  Key(win::VK_DOWN);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 2, 2}));
  Chord(win::VK_SHIFT, win::VK_RIGHT);
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 2, 3, 2}));
  Key(win::VK_UP);
  Key(win::VK_UP);  // stops at the first data row
  EXPECT_EQ(grid->Selection(), (TGridRect{2, 1, 2, 1}));
}

TEST_F(GridTest, DrawCellGetsExactlyTheStatesAfterTheGridsOwnDrawing) {
  std::vector<std::pair<TGridCoord, TGridDrawState>> seen;
  grid->OnDrawCell = [&](TObject*, int c, int r, win::RECT rect, TGridDrawState s) {
    seen.push_back({TGridCoord{c, r}, s});
    // The grid drew its text first; the handler paints over it.
    if (c == 3 && r == 3) {
      grid->Canvas()->Brush()->SetColor(clRed);
      grid->Canvas()->FillRect(rect);
    }
  };
  grid->SetCells(3, 3, "HDMI");
  Drag(Mid(2, 2), Mid(1, 1));  // focused (2,2), selection (1,1)-(2,2)
  seen.clear();
  grid->Invalidate();
  Pump();
  auto stateOf = [&](int c, int r) {
    for (auto& s : seen)
      if (s.first == TGridCoord{c, r}) return s.second;
    ADD_FAILURE() << "cell " << c << "," << r << " not drawn";
    return TGridDrawState{};
  };
  EXPECT_EQ(stateOf(0, 0), (TGridDrawState{gdFixed}));
  EXPECT_EQ(stateOf(2, 0), (TGridDrawState{gdFixed}));
  EXPECT_EQ(stateOf(1, 1), (TGridDrawState{gdSelected}));
  EXPECT_EQ(stateOf(2, 2), (TGridDrawState{gdSelected, gdFocused}));
  EXPECT_EQ(stateOf(3, 3), TGridDrawState{});
  EXPECT_EQ(seen.size(), 16u);

  win::POINT p = Mid(3, 3);
  EXPECT_EQ(ScreenPixel(p.x, p.y), 0xFF0000u);
}

TEST_F(GridTest, CellsSurviveResizingAndBadIndexesRaise) {
  grid->SetCells(1, 2, "a");
  grid->SetCells(3, 3, "b");
  grid->SetColCount(3);
  EXPECT_EQ(grid->Cells(1, 2), "a");
  EXPECT_EQ(grid->Cells(3, 3), "");
  grid->SetColCount(5);
  EXPECT_EQ(grid->Cells(3, 3), "");
  EXPECT_EQ(grid->Cells(1, 2), "a");
  EXPECT_THROW(grid->SetCells(5, 0, "x"), EInvalidGridOperation);
  EXPECT_THROW(grid->SetCells(-1, 0, "x"), EInvalidGridOperation);
  EXPECT_EQ(grid->Cells(99, 99), "");
  EXPECT_THROW(grid->SetFixedCols(5), EInvalidGridOperation);
  // Shrinking below the selection pulls it back inside.
  grid->SetSelection(TGridRect{4, 3, 4, 3});
  grid->SetColCount(2);
  grid->SetRowCount(2);
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
}

TEST_F(GridTest, ScrollsToKeepTheCurrentCellInView) {
  grid->SetRowCount(40);
  for (int r = 1; r < 40; ++r) grid->SetRowHeights(r, 20);
  Pump();
  EXPECT_EQ(grid->TopRow(), 1);
  grid->SetRow(39);
  EXPECT_GT(grid->TopRow(), 1);
  win::RECT r = grid->CellRect(1, 39);
  EXPECT_GT(r.bottom, r.top);
  EXPECT_LE(r.bottom, grid->ClientHeight());
  grid->SetTopRow(1);
  EXPECT_EQ(grid->CellRect(1, 39).bottom, 0);
}

TEST_F(GridTest, EditingInPlaceWritesTheCell) {
  grid->SetOptions(grid->Options() + TGridOptions{goEditing});
  std::vector<String> edits;
  grid->OnSetEditText = [&](TObject*, int, int, const String& v) { edits.push_back(v); };
  ClickAt(Mid(2, 2));
  grid->SetFocus();
  Key('H');
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_TRUE(grid->EditorMode());
  EXPECT_TRUE(grid->InplaceEditor()->Visible());
  Key('D');
  Key(win::VK_RETURN);
  EXPECT_EQ(grid->Cells(2, 2), "hd");
  // Moving on closes the editor and leaves the text in the cell.
  Key(win::VK_DOWN);
  EXPECT_FALSE(grid->EditorMode());
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(grid->Cells(2, 2), "hd");
  ASSERT_FALSE(edits.empty());
  EXPECT_EQ(edits.back(), "hd");
  // Without goEditing keys do not open it.
  grid->SetOptions(grid->Options() - TGridOptions{goEditing});
  Key('X');
  EXPECT_FALSE(grid->EditorMode());
}

}  // namespace
