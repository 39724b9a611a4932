#include "platform/classes/Grids.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"

using namespace win;

namespace {

constexpr const char* SGridIndexOutOfRange = "Grid index out of range";
constexpr const char* SFixedColTooBig = "Fixed column count must be less than column count";
constexpr const char* SFixedRowTooBig = "Fixed row count must be less than row count";

// Sizes are bounded so that sums over a whole grid stay far inside int.
constexpr int kMaxCells = 1 << 20;
constexpr int kMaxSize = 1 << 15;

bool InRect(int c, int r, const TGridRect& g) { return c >= g.Left && c <= g.Right && r >= g.Top && r <= g.Bottom; }

}  // namespace

// ---- TInplaceEdit ------------------------------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetBorderStyle(bsNone);
  FParentCtl3D = false;
  FCtl3D = false;
  FTabStop = false;
  FVisible = false;
}

void TInplaceEdit::KeyDown(WORD& Key, TShiftState Shift) {
  // Moving keys leave the editor and move in the grid.
  if (FGrid && (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_TAB ||
                (Key == VK_ESCAPE))) {
    if (Key == VK_ESCAPE) {
      SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
      SelectAll();
      Key = 0;
      return;
    }
    FGrid->SetFocus();
    FGrid->KeyDown(Key, Shift);
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(TChar& Key) {
  // What is typed into the editor is typed into the grid: the grid's handler hears it first.
  if (FGrid && FGrid->OnKeyPress) {
    FGrid->OnKeyPress(FGrid, Key);
    if (Key == 0) return;
  }
  if (FGrid && Key == '\r') {
    FGrid->UpdateEditor();
    SelectAll();
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::DoExit() {
  TCustomEdit::DoExit();
  if (FGrid) FGrid->HideEditor();
}

void TInplaceEdit::Change() {
  TCustomEdit::Change();
  if (FGrid && FGrid->FEditorMode) FGrid->SetEditText(FGrid->Col(), FGrid->Row(), GetText());
}

// ---- TCustomGrid ----------------------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents};
  FWidth = 320;
  FHeight = 120;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
  FCanvas->Brush()->SetColor(FColor);
  ResizeSizes();
}

void TCustomGrid::CMColorChanged(TMessage& Message) {
  TCustomControl::CMColorChanged(Message);
  // Between paints the canvas brush is the grid's colour: owners read it as the cells' colour.
  FCanvas->Brush()->SetColor(Color());
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("BorderStyle", &TCustomGrid::BorderStyle, &TCustomGrid::SetBorderStyle).SetDefault(bsSingle);
  t.Add("ColCount", &TCustomGrid::ColCount, &TCustomGrid::SetColCount).SetDefault(5);
  t.Add("DefaultColWidth", &TCustomGrid::DefaultColWidth, &TCustomGrid::SetDefaultColWidth).SetDefault(64);
  t.Add("DefaultDrawing", &TCustomGrid::DefaultDrawing, &TCustomGrid::SetDefaultDrawing).SetDefault(true);
  t.Add("DefaultRowHeight", &TCustomGrid::DefaultRowHeight, &TCustomGrid::SetDefaultRowHeight).SetDefault(24);
  t.Add("FixedColor", &TCustomGrid::FixedColor, &TCustomGrid::SetFixedColor)
      .SetDefault(clBtnFace)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("FixedCols", &TCustomGrid::FixedCols, &TCustomGrid::SetFixedCols).SetDefault(1);
  t.Add("FixedRows", &TCustomGrid::FixedRows, &TCustomGrid::SetFixedRows).SetDefault(1);
  t.Add("GridLineWidth", &TCustomGrid::GridLineWidth, &TCustomGrid::SetGridLineWidth).SetDefault(1);
  t.Add("Options", &TCustomGrid::Options, &TCustomGrid::SetOptions)
      .SetDefault(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect});
  t.Add("RowCount", &TCustomGrid::RowCount, &TCustomGrid::SetRowCount).SetDefault(5);
  t.Add("ScrollBars", &TCustomGrid::ScrollBars, &TCustomGrid::SetScrollBars).SetDefault(ssBoth);
  t.Add("OnDrawCell", &TCustomGrid::OnDrawCell);
  t.Add("OnSelectCell", &TCustomGrid::OnSelectCell);
  t.Add("OnTopLeftChanged", &TCustomGrid::OnTopLeftChanged);
  t.Add("OnGetEditText", &TCustomGrid::OnGetEditText);
  t.Add("OnSetEditText", &TCustomGrid::OnSetEditText);
}

void TCustomGrid::ResizeSizes() {
  FColWidths.resize(static_cast<std::size_t>(FColCount), FDefaultColWidth);
  FRowHeights.resize(static_cast<std::size_t>(FRowCount), FDefaultRowHeight);
}

void TCustomGrid::SetColCount(int Value) {
  Value = std::clamp(Value, 1, kMaxCells);
  if (Value == FColCount) return;
  int old = FColCount;
  if (Value <= FFixedCols) FFixedCols = Value - 1;
  FColCount = Value;
  ResizeSizes();
  // The selection and the view stay inside the grid.
  FCurrent.X = std::clamp(FCurrent.X, FFixedCols, FColCount - 1);
  FAnchor.X = std::clamp(FAnchor.X, FFixedCols, FColCount - 1);
  FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, MaxTopLeftX()));
  SizeChanged(old, FRowCount);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetRowCount(int Value) {
  Value = std::clamp(Value, 1, kMaxCells);
  if (Value == FRowCount) return;
  int old = FRowCount;
  if (Value <= FFixedRows) FFixedRows = Value - 1;
  FRowCount = Value;
  ResizeSizes();
  FCurrent.Y = std::clamp(FCurrent.Y, FFixedRows, FRowCount - 1);
  FAnchor.Y = std::clamp(FAnchor.Y, FFixedRows, FRowCount - 1);
  FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, MaxTopLeftY()));
  SizeChanged(FColCount, old);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedCols(int Value) {
  if (Value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (Value >= FColCount) throw EInvalidGridOperation(SFixedColTooBig);
  if (Value == FFixedCols) return;
  // The grid starts over at its first scrollable cell, also when fewer are fixed than before: a
  // grid read with no fixed cols shows and selects its first one.
  FFixedCols = Value;
  FCurrent.X = FFixedCols;
  FAnchor.X = FFixedCols;
  FTopLeft.X = FFixedCols;
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedRows(int Value) {
  if (Value < 0) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (Value >= FRowCount) throw EInvalidGridOperation(SFixedRowTooBig);
  if (Value == FFixedRows) return;
  // The grid starts over at its first scrollable cell, also when fewer are fixed than before: a
  // grid read with no fixed rows shows and selects its first one.
  FFixedRows = Value;
  FCurrent.Y = FFixedRows;
  FAnchor.Y = FFixedRows;
  FTopLeft.Y = FFixedRows;
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor Value) {
  if (Value == FFixedColor) return;
  FFixedColor = Value;
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  if (!FOptions.Contains(goEditing)) HideEditor();
  // Row selection spans whole rows; without range selection the anchor is the current cell.
  if (!FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  Invalidate();
}

void TCustomGrid::SetBorderStyle(TFormBorderStyle Value) {
  Value = Value == bsNone ? bsNone : bsSingle;
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetScrollBars(TScrollStyle Value) {
  if (Value == FScrollBars) return;
  FScrollBars = Value;
  if (HandleAllocated()) RecreateWnd();
}

void TCustomGrid::SetDefaultColWidth(int Value) {
  Value = std::clamp(Value, 0, kMaxSize);
  FDefaultColWidth = Value;
  std::fill(FColWidths.begin(), FColWidths.end(), Value);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int Value) {
  Value = std::clamp(Value, 0, kMaxSize);
  FDefaultRowHeight = Value;
  std::fill(FRowHeights.begin(), FRowHeights.end(), Value);
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int Value) {
  Value = std::clamp(Value, 0, 64);
  if (Value == FGridLineWidth) return;
  FGridLineWidth = Value;
  UpdateScrollRange();
  Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool Value) {
  if (Value == FDefaultDrawing) return;
  FDefaultDrawing = Value;
  Invalidate();
}

int TCustomGrid::ColWidths(int Index) const {
  if (Index < 0 || Index >= FColCount) return FDefaultColWidth;
  return FColWidths[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetColWidths(int Index, int Value) {
  if (Index < 0 || Index >= FColCount) throw EInvalidGridOperation(SGridIndexOutOfRange);
  Value = std::clamp(Value, -1, kMaxSize);
  if (Value < 0) Value = 0;
  if (FColWidths[static_cast<std::size_t>(Index)] == Value) return;
  FColWidths[static_cast<std::size_t>(Index)] = Value;
  UpdateScrollRange();
  Invalidate();
}

int TCustomGrid::RowHeights(int Index) const {
  if (Index < 0 || Index >= FRowCount) return FDefaultRowHeight;
  return FRowHeights[static_cast<std::size_t>(Index)];
}

void TCustomGrid::SetRowHeights(int Index, int Value) {
  if (Index < 0 || Index >= FRowCount) throw EInvalidGridOperation(SGridIndexOutOfRange);
  Value = std::clamp(Value, 0, kMaxSize);
  if (FRowHeights[static_cast<std::size_t>(Index)] == Value) return;
  FRowHeights[static_cast<std::size_t>(Index)] = Value;
  UpdateScrollRange();
  Invalidate();
}

int TCustomGrid::LineWidthV() const {
  return FOptions.Contains(goVertLine) || FOptions.Contains(goFixedVertLine) ? FGridLineWidth : 0;
}
int TCustomGrid::LineWidthH() const {
  return FOptions.Contains(goHorzLine) || FOptions.Contains(goFixedHorzLine) ? FGridLineWidth : 0;
}

int TCustomGrid::ColLeft(int ACol) {
  if (ACol < 0 || ACol >= FColCount) return -1;
  int x = 0;
  int lw = LineWidthV();
  if (ACol < FFixedCols) {
    for (int c = 0; c < ACol; ++c) x += ColWidths(c) + lw;
    return x;
  }
  if (ACol < FTopLeft.X) return -1;
  for (int c = 0; c < FFixedCols; ++c) x += ColWidths(c) + lw;
  int w = ClientWidth();
  for (int c = FTopLeft.X; c < ACol; ++c) {
    x += ColWidths(c) + lw;
    if (x >= w) return -1;
  }
  return x < w ? x : -1;
}

int TCustomGrid::RowTop(int ARow) {
  if (ARow < 0 || ARow >= FRowCount) return -1;
  int y = 0;
  int lw = LineWidthH();
  if (ARow < FFixedRows) {
    for (int r = 0; r < ARow; ++r) y += RowHeights(r) + lw;
    return y;
  }
  if (ARow < FTopLeft.Y) return -1;
  for (int r = 0; r < FFixedRows; ++r) y += RowHeights(r) + lw;
  int h = ClientHeight();
  for (int r = FTopLeft.Y; r < ARow; ++r) {
    y += RowHeights(r) + lw;
    if (y >= h) return -1;
  }
  return y < h ? y : -1;
}

RECT TCustomGrid::CellRect(int ACol, int ARow) {
  int x = ColLeft(ACol), y = RowTop(ARow);
  if (x < 0 || y < 0) return RECT{0, 0, 0, 0};
  RECT r{x, y, x + ColWidths(ACol), y + RowHeights(ARow)};
  RECT client = ClientRect();
  r.right = std::min(r.right, client.right);
  r.bottom = std::min(r.bottom, client.bottom);
  return r;
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) {
  TGridCoord c = MouseCoord(X, Y);
  ACol = c.X;
  ARow = c.Y;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) {
  TGridCoord result{-1, -1};
  RECT client = ClientRect();
  if (X < 0 || Y < 0 || X >= client.right || Y >= client.bottom) return result;
  // A grid line belongs to the cell before it.
  auto find = [](int pos, int fixed, int first, int count, int lw, int limit, auto size) {
    int edge = 0;
    for (int i = 0; i < fixed; ++i) {
      edge += size(i) + lw;
      if (pos < edge) return i;
    }
    for (int i = first; i < count && edge < limit; ++i) {
      edge += size(i) + lw;
      if (pos < edge) return i;
    }
    return -1;
  };
  int col = find(X, FFixedCols, FTopLeft.X, FColCount, LineWidthV(), client.right, [this](int i) { return ColWidths(i); });
  int row = find(Y, FFixedRows, FTopLeft.Y, FRowCount, LineWidthH(), client.bottom, [this](int i) { return RowHeights(i); });
  if (col < 0 || row < 0) return result;
  return TGridCoord{col, row};
}

TGridRect TCustomGrid::Selection() const {
  TGridRect r{std::min(FAnchor.X, FCurrent.X), std::min(FAnchor.Y, FCurrent.Y), std::max(FAnchor.X, FCurrent.X),
              std::max(FAnchor.Y, FCurrent.Y)};
  if (FOptions.Contains(goRowSelect)) {
    r.Left = FFixedCols;
    r.Right = FColCount - 1;
  }
  return r;
}

void TCustomGrid::SetSelection(const TGridRect& Value) {
  TGridRect old = Selection();
  TGridCoord a{Value.Left, Value.Top}, c{Value.Right, Value.Bottom};
  ClampToData(a);
  ClampToData(c);
  FAnchor = a;
  FCurrent = c;
  ScrollIntoView(FCurrent);
  InvalidateRect(old);
  InvalidateRect(Selection());
}

void TCustomGrid::ClampToData(TGridCoord& C) const {
  C.X = std::clamp(C.X, FFixedCols, FColCount - 1);
  C.Y = std::clamp(C.Y, FFixedRows, FRowCount - 1);
}

void TCustomGrid::SetCol(int Value) {
  if (Value == FCurrent.X) return;
  MoveCurrent(Value, FCurrent.Y, true, true);
}

void TCustomGrid::SetRow(int Value) {
  if (Value == FCurrent.Y) return;
  MoveCurrent(FCurrent.X, Value, true, true);
}

void TCustomGrid::SetLeftCol(int Value) { MoveTopLeft(Value, FTopLeft.Y); }
void TCustomGrid::SetTopRow(int Value) { MoveTopLeft(FTopLeft.X, Value); }

bool TCustomGrid::SelectCell(int ACol, int ARow) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
  return can;
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show) {
  if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount) throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (!SelectCell(ACol, ARow)) return;
  TGridRect old = Selection();
  TGridCoord oldCurrent = FCurrent;
  HideEditor();
  FCurrent = TGridCoord{ACol, ARow};
  if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
  if (Show) ScrollIntoView(FCurrent);
  InvalidateRect(old);
  InvalidateCell(oldCurrent.X, oldCurrent.Y);
  InvalidateRect(Selection());
  if (FOptions.Contains(goAlwaysShowEditor)) ShowEditor();
}

void TCustomGrid::MoveAnchor(TGridCoord NewAnchor) {
  if (!FOptions.Contains(goRangeSelect)) {
    MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    return;
  }
  TGridRect old = Selection();
  FAnchor = NewAnchor;
  ScrollIntoView(FAnchor);
  InvalidateRect(old);
  InvalidateRect(Selection());
}

int TCustomGrid::MaxTopLeftX() {
  // The largest first column that still fills the view up to the last column.
  int avail = ClientWidth();
  for (int c = 0; c < FFixedCols; ++c) avail -= ColWidths(c) + LineWidthV();
  int c = FColCount - 1;
  int used = ColWidths(c) + LineWidthV();
  while (c - 1 >= FFixedCols && used + ColWidths(c - 1) + LineWidthV() <= avail) {
    --c;
    used += ColWidths(c) + LineWidthV();
  }
  return std::max(c, FFixedCols);
}

int TCustomGrid::MaxTopLeftY() {
  int avail = ClientHeight();
  for (int r = 0; r < FFixedRows; ++r) avail -= RowHeights(r) + LineWidthH();
  int r = FRowCount - 1;
  int used = RowHeights(r) + LineWidthH();
  while (r - 1 >= FFixedRows && used + RowHeights(r - 1) + LineWidthH() <= avail) {
    --r;
    used += RowHeights(r) + LineWidthH();
  }
  return std::max(r, FFixedRows);
}

int TCustomGrid::LastFullVisibleColFrom(int ALeft) {
  int x = 0, w = ClientWidth();
  for (int c = 0; c < FFixedCols; ++c) x += ColWidths(c) + LineWidthV();
  int last = ALeft;
  for (int c = ALeft; c < FColCount; ++c) {
    x += ColWidths(c) + LineWidthV();
    if (x > w) break;
    last = c;
  }
  return last;
}

int TCustomGrid::LastFullVisibleRowFrom(int ATop) {
  int y = 0, h = ClientHeight();
  for (int r = 0; r < FFixedRows; ++r) y += RowHeights(r) + LineWidthH();
  int last = ATop;
  for (int r = ATop; r < FRowCount; ++r) {
    y += RowHeights(r) + LineWidthH();
    if (y > h) break;
    last = r;
  }
  return last;
}

int TCustomGrid::VisibleColCount() { return LastFullVisibleCol() - FTopLeft.X + 1; }
int TCustomGrid::VisibleRowCount() { return LastFullVisibleRow() - FTopLeft.Y + 1; }

void TCustomGrid::ScrollIntoView(TGridCoord C) {
  int left = FTopLeft.X, top = FTopLeft.Y;
  if (C.X >= FFixedCols) {
    if (C.X < left) left = C.X;
    while (C.X > LastFullVisibleColFrom(left) && left < C.X) ++left;
  }
  if (C.Y >= FFixedRows) {
    if (C.Y < top) top = C.Y;
    while (C.Y > LastFullVisibleRowFrom(top) && top < C.Y) ++top;
  }
  MoveTopLeft(left, top);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop) {
  ALeft = std::clamp(ALeft, FFixedCols, std::max(FFixedCols, FColCount - 1));
  ATop = std::clamp(ATop, FFixedRows, std::max(FFixedRows, FRowCount - 1));
  if (ALeft == FTopLeft.X && ATop == FTopLeft.Y) return;
  FTopLeft = TGridCoord{ALeft, ATop};
  HideEditor();
  UpdateScrollRange();
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::TopLeftChanged() {
  if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::UpdateScrollRange() {
  if (!HandleAllocated()) return;
  // Hiding one bar gives the other axis room, so a second pass may hide that one too.
  for (int pass = 0; pass < 2; ++pass) {
    bool horz = (FScrollBars == ssHorizontal || FScrollBars == ssBoth) && MaxTopLeftX() > FFixedCols;
    bool vert = (FScrollBars == ssVertical || FScrollBars == ssBoth) && MaxTopLeftY() > FFixedRows;
    if (horz) {
      SetScrollRange(FHandle, SB_HORZ, FFixedCols, MaxTopLeftX(), FALSE);
      FlatSB_SetScrollPos(FHandle, SB_HORZ, FTopLeft.X, TRUE);
    }
    ShowScrollBar(FHandle, SB_HORZ, horz ? TRUE : FALSE);
    if (vert) {
      SetScrollRange(FHandle, SB_VERT, FFixedRows, MaxTopLeftY(), FALSE);
      FlatSB_SetScrollPos(FHandle, SB_VERT, FTopLeft.Y, TRUE);
    }
    ShowScrollBar(FHandle, SB_VERT, vert ? TRUE : FALSE);
  }
}

void TCustomGrid::ScrollMessage(TMessage& Message, bool Horizontal) {
  int pos = Horizontal ? FTopLeft.X : FTopLeft.Y;
  int page = Horizontal ? std::max(1, VisibleColCount()) : std::max(1, VisibleRowCount());
  int minPos = Horizontal ? FFixedCols : FFixedRows;
  int maxPos = Horizontal ? MaxTopLeftX() : MaxTopLeftY();
  switch (Message.WParamLo()) {
    case SB_LINEUP: --pos; break;
    case SB_LINEDOWN: ++pos; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = Message.WParamHi(); break;
    case SB_TOP: pos = minPos; break;
    case SB_BOTTOM: pos = maxPos; break;
    default: return;
  }
  pos = std::clamp(pos, minPos, std::max(minPos, maxPos));
  if (Horizontal)
    MoveTopLeft(pos, FTopLeft.Y);
  else
    MoveTopLeft(FTopLeft.X, pos);
}

void TCustomGrid::InvalidateCell(int ACol, int ARow) {
  if (!HandleAllocated()) return;
  RECT r = CellRect(ACol, ARow);
  if (r.right <= r.left) return;
  r.right += LineWidthV();
  r.bottom += LineWidthH();
  ::win::InvalidateRect(FHandle, &r, FALSE);
}

void TCustomGrid::InvalidateRect(const TGridRect& R) {
  if (!HandleAllocated()) return;
  // Cells out of view have empty rectangles; only visible ones cost anything.
  int lastCol = std::min(R.Right, LastFullVisibleCol() + 1);
  int lastRow = std::min(R.Bottom, LastFullVisibleRow() + 1);
  for (int r = std::max(R.Top, FTopLeft.Y); r <= lastRow; ++r)
    for (int c = std::max(R.Left, FTopLeft.X); c <= lastCol; ++c) InvalidateCell(c, r);
}

void TCustomGrid::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) Params.Style |= WS_HSCROLL;
  Params.WindowClass.style = CS_DBLCLKS;
  if (FBorderStyle == bsSingle) {
    if (Ctl3D())
      Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
      Params.Style |= WS_BORDER;
  }
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  // The window starts with the bars its style asks for; only those the contents need stay.
  UpdateScrollRange();
}

void TCustomGrid::Loaded() {
  TCustomControl::Loaded();
  UpdateScrollRange();
}

void TCustomGrid::Resize() {
  TCustomControl::Resize();
  UpdateScrollRange();
}

void TCustomGrid::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = DLGC_WANTARROWS;
      if (FOptions.Contains(goTabs)) Message.Result |= DLGC_WANTTAB;
      if (FOptions.Contains(goEditing)) Message.Result |= DLGC_WANTCHARS;
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (Message.LParam == 0) {
        ScrollMessage(Message, Message.Msg == WM_HSCROLL);
        Message.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      // The focused cell is drawn differently with and without the focus.
      InvalidateRect(Selection());
      InvalidateCell(FCurrent.X, FCurrent.Y);
      return;
    case WM_ERASEBKGND:
      Message.Result = 1;
      return;
    default:
      break;
  }
  TCustomControl::WndProc(Message);
}

void TCustomGrid::Paint() {
  TCanvas* c = Canvas();
  RECT client = ClientRect();
  int lwV = LineWidthV(), lwH = LineWidthH();
  bool focused = HandleAllocated() && GetFocus() == FHandle;
  TGridRect sel = Selection();
  RECT clip = c->ClipRect();

  // Rows: the fixed ones, then from TopRow while they show.
  auto paintRow = [&](int r, int y) {
    int h = RowHeights(r);
    auto paintCell = [&](int col, int x) {
      int w = ColWidths(col);
      RECT where{x, y, x + w, y + h};
      RECT lineRight{x + w, y, x + w + lwV, y + h + lwH};
      RECT lineBottom{x, y + h, x + w + lwV, y + h + lwH};
      bool fixed = col < FFixedCols || r < FFixedRows;
      RECT probe{x, y, x + w + lwV, y + h + lwH};
      RECT tmp;
      if (!IntersectRect(&tmp, &probe, &clip)) return;
      TGridDrawState state;
      if (fixed) {
        state.Include(gdFixed);
      } else {
        if (InRect(col, r, sel)) state.Include(gdSelected);
        if (focused && col == FCurrent.X && r == FCurrent.Y) state.Include(gdFocused);
      }
      bool highlight = state.Contains(gdSelected) &&
                       (!state.Contains(gdFocused) || FOptions.Contains(goDrawFocusSelected) ||
                        FOptions.Contains(goRowSelect));
      c->Font()->Assign(Font());
      c->Brush()->SetStyle(bsSolid);
      if (fixed)
        c->Brush()->SetColor(FFixedColor);
      else if (highlight) {
        c->Brush()->SetColor(clHighlight);
        c->Font()->SetColor(clHighlightText);
      } else
        c->Brush()->SetColor(Color());
      if (FDefaultDrawing) c->FillRect(where);
      DrawCell(col, r, where, state);
      if (FDefaultDrawing && fixed && Ctl3D() &&
          (FOptions.Contains(goFixedVertLine) || FOptions.Contains(goFixedHorzLine))) {
        RECT edge = where;
        HDC dc = c->Handle();
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_BOTTOMRIGHT);
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_TOPLEFT);
      }
      if (FDefaultDrawing && state.Contains(gdFocused) && !FOptions.Contains(goRowSelect) &&
          !(FEditorMode && FInplaceEdit && FInplaceEdit->Visible()))
        c->DrawFocusRect(where);
      // Grid lines after the cell, so a cell drawing past its rectangle does not cover them.
      bool vline = fixed ? FOptions.Contains(goFixedVertLine) : FOptions.Contains(goVertLine);
      bool hline = fixed ? FOptions.Contains(goFixedHorzLine) : FOptions.Contains(goHorzLine);
      c->Brush()->SetStyle(bsSolid);
      c->Brush()->SetColor(vline ? (fixed ? clBlack : clSilver) : Color());
      if (lwV) c->FillRect(lineRight);
      c->Brush()->SetColor(hline ? (fixed ? clBlack : clSilver) : Color());
      if (lwH) c->FillRect(lineBottom);
    };
    int x = 0;
    for (int col = 0; col < FFixedCols && x < client.right; ++col) {
      paintCell(col, x);
      x += ColWidths(col) + lwV;
    }
    for (int col = FTopLeft.X; col < FColCount && x < client.right; ++col) {
      paintCell(col, x);
      x += ColWidths(col) + lwV;
    }
    return x;
  };
  int y = 0, right = 0;
  for (int r = 0; r < FFixedRows && y < client.bottom; ++r) {
    right = std::max(right, paintRow(r, y));
    y += RowHeights(r) + lwH;
  }
  for (int r = FTopLeft.Y; r < FRowCount && y < client.bottom; ++r) {
    right = std::max(right, paintRow(r, y));
    y += RowHeights(r) + lwH;
  }
  // What lies beyond the last column and row is the grid's colour.
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  if (right < client.right) c->FillRect(RECT{right, 0, client.right, client.bottom});
  if (y < client.bottom) c->FillRect(RECT{0, y, std::min(right, client.right), client.bottom});
}

void TCustomGrid::DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) {
  if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) {
    SetFocus();
    // A handler of the focus change may have taken it elsewhere.
    if (!Focused()) {
      TCustomControl::MouseDown(Button, Shift, X, Y);
      return;
    }
  }
  if (Button == mbLeft) {
    TGridCoord cell = MouseCoord(X, Y);
    // Fixed cells are headers: they cannot be selected.
    if (cell.X >= FFixedCols && cell.Y >= FFixedRows) {
      if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect))
        MoveAnchor(cell);
      else
        MoveCurrent(cell.X, cell.Y, true, true);
      // A cell OnSelectCell refused starts no range either.
      if (FCurrent == cell || FAnchor == cell) FGridState = gsSelecting;
      if (FOptions.Contains(goEditing) && Shift.Contains(ssDouble)) ShowEditor();
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y) {
  if (FGridState == gsSelecting) {
    TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= FFixedCols && cell.Y >= FFixedRows && !(cell == FAnchor)) MoveAnchor(cell);
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FGridState == gsSelecting) {
    FGridState = gsNormal;
    TGridCoord cell = MouseCoord(X, Y);
    if (cell.X >= FFixedCols && cell.Y >= FFixedRows && !(cell == FAnchor)) MoveAnchor(cell);
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomGrid::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  if (Key == 0) return;
  bool extend = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect) && Key != VK_TAB;
  TGridCoord from = extend ? FAnchor : FCurrent;
  TGridCoord to = from;
  int pageRows = std::max(1, VisibleRowCount());
  bool ctrl = Shift.Contains(ssCtrl);
  switch (Key) {
    case VK_UP: --to.Y; break;
    case VK_DOWN: ++to.Y; break;
    case VK_LEFT:
      if (FOptions.Contains(goRowSelect)) return;
      --to.X;
      break;
    case VK_RIGHT:
      if (FOptions.Contains(goRowSelect)) return;
      ++to.X;
      break;
    case VK_PRIOR: to.Y -= pageRows; break;
    case VK_NEXT: to.Y += pageRows; break;
    case VK_HOME:
      if (ctrl) to.Y = FFixedRows;
      to.X = FFixedCols;
      break;
    case VK_END:
      if (ctrl) to.Y = FRowCount - 1;
      to.X = FColCount - 1;
      break;
    case VK_TAB:
      if (!FOptions.Contains(goTabs)) return;
      if (Shift.Contains(ssShift)) {
        if (--to.X < FFixedCols) {
          to.X = FColCount - 1;
          if (--to.Y < FFixedRows) to.Y = FRowCount - 1;
        }
      } else if (++to.X >= FColCount) {
        to.X = FFixedCols;
        if (++to.Y >= FRowCount) to.Y = FFixedRows;
      }
      break;
    case VK_F2:
      if (FOptions.Contains(goEditing)) ShowEditor();
      return;
    default: return;
  }
  ClampToData(to);
  if (to == from) return;
  if (extend)
    MoveAnchor(to);
  else
    MoveCurrent(to.X, to.Y, true, true);
}

void TCustomGrid::KeyPress(TChar& Key) {
  // A character starts the editor with it; the editor's key press runs the grid's handler, so
  // that the handler hears each character once.
  if (FOptions.Contains(goEditing) && Key >= 0x20 && CanEditShow()) {
    // Characters an input method delivers at once all come here; only the first one starts afresh.
    const bool editing = EditorMode() && FInplaceEdit && FInplaceEdit->HandleAllocated();
    if (!editing) ShowEditor();
    if (FInplaceEdit && FInplaceEdit->HandleAllocated()) {
      if (!editing) FInplaceEdit->SetText("");
      SendMessage(FInplaceEdit->Handle(), WM_CHAR, static_cast<WPARAM>(Key), 0);
      Key = 0;
      return;
    }
  }
  TCustomControl::KeyPress(Key);
  if (Key == 0) return;
  if (FOptions.Contains(goEditing) && Key >= 0x20 && CanEditShow()) {
    Key = 0;
  } else if (FOptions.Contains(goEditing) && Key == '\r') {
    ShowEditor();
    Key = 0;
  }
}

bool TCustomGrid::CanEditShow() {
  return FOptions.Contains(goEditing) && !FOptions.Contains(goRowSelect) && HandleAllocated() &&
         !HasState(csDesigning);
}

String TCustomGrid::GetEditText(int ACol, int ARow) {
  String value;
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const String& Value) {
  if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TCustomGrid::SetEditorMode(bool Value) {
  if (Value)
    ShowEditor();
  else
    HideEditor();
}

void TCustomGrid::ShowEditor() {
  if (!CanEditShow()) return;
  if (!FInplaceEdit) {
    FInplaceEdit = new TInplaceEdit(this);
    FInplaceEdit->FGrid = this;
    FInplaceEdit->SetParent(this);
  }
  FEditorMode = true;
  RECT r = CellRect(FCurrent.X, FCurrent.Y);
  if (r.right <= r.left) return;
  FInplaceEdit->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  FInplaceEdit->SetText(GetEditText(FCurrent.X, FCurrent.Y));
  FInplaceEdit->Show();
  FInplaceEdit->SetFocus();
  FInplaceEdit->SelectAll();
}

void TCustomGrid::HideEditor() {
  if (!FEditorMode) return;
  FEditorMode = false;
  if (!FInplaceEdit) return;
  UpdateEditor();
  bool hadFocus = FInplaceEdit->HandleAllocated() && GetFocus() == FInplaceEdit->Handle();
  FInplaceEdit->Hide();
  if (hadFocus && CanFocus()) SetFocus();
  InvalidateCell(FCurrent.X, FCurrent.Y);
}

void TCustomGrid::UpdateEditor() {
  if (FInplaceEdit && FInplaceEdit->Visible()) SetEditText(FCurrent.X, FCurrent.Y, FInplaceEdit->Text());
}

// ---- TDrawGrid, TStringGrid ---------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* AOwner) : TDrawGrid(AOwner) {}
TStringGrid::~TStringGrid() = default;

const TStringGrid::CellData* TStringGrid::Find(int ACol, int ARow) const {
  if (ACol < 0 || ARow < 0 || ACol >= FDataCols || ARow >= FDataRows) return nullptr;
  return &FData[static_cast<std::size_t>(ARow) * static_cast<std::size_t>(FDataCols) + static_cast<std::size_t>(ACol)];
}

TStringGrid::CellData& TStringGrid::Ensure(int ACol, int ARow) {
  if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount())
    throw EInvalidGridOperation(SGridIndexOutOfRange);
  if (FData.empty()) {
    FDataCols = ColCount();
    FDataRows = RowCount();
    FData.resize(static_cast<std::size_t>(FDataCols) * static_cast<std::size_t>(FDataRows));
  }
  return FData[static_cast<std::size_t>(ARow) * static_cast<std::size_t>(FDataCols) + static_cast<std::size_t>(ACol)];
}

void TStringGrid::SizeChanged(int, int) {
  // Cells keep their texts and objects where both sizes still reach them; a grid never written
  // to has no storage yet.
  if (FData.empty()) return;
  int cols = ColCount(), rows = RowCount();
  std::vector<CellData> next(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows));
  for (int r = 0; r < std::min(rows, FDataRows); ++r)
    for (int c = 0; c < std::min(cols, FDataCols); ++c)
      next[static_cast<std::size_t>(r) * cols + c] = std::move(FData[static_cast<std::size_t>(r) * FDataCols + c]);
  FData = std::move(next);
  FDataCols = cols;
  FDataRows = rows;
}

String TStringGrid::Cells(int ACol, int ARow) const {
  const CellData* d = Find(ACol, ARow);
  return d ? d->Text : String();
}

void TStringGrid::SetCells(int ACol, int ARow, const String& Value) {
  CellData& d = Ensure(ACol, ARow);
  if (d.Text == Value) return;
  d.Text = Value;
  InvalidateCell(ACol, ARow);
}

TObject* TStringGrid::Objects(int ACol, int ARow) const {
  const CellData* d = Find(ACol, ARow);
  return d ? d->Object : nullptr;
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* Value) { Ensure(ACol, ARow).Object = Value; }

void TStringGrid::DrawCell(int ACol, int ARow, const RECT& ARect, TGridDrawState AState) {
  if (DefaultDrawing()) {
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->TextRect(ARect, ARect.left + 2, ARect.top + 2, Cells(ACol, ARow));
  }
  TDrawGrid::DrawCell(ACol, ARow, ARect, AState);
}

String TStringGrid::GetEditText(int ACol, int ARow) {
  String value = Cells(ACol, ARow);
  if (OnGetEditText) OnGetEditText(this, ACol, ARow, value);
  return value;
}

void TStringGrid::SetEditText(int ACol, int ARow, const String& Value) {
  SetCells(ACol, ARow, Value);
  TDrawGrid::SetEditText(ACol, ARow, Value);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TDrawGrid, TStringGrid>();
  return true;
}();

}  // namespace
