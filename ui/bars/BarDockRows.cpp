// The rows of a dock site: which row and place a toolbar window takes, the zones a dragged
// toolbar aims at, the layout of each row and the site's size.
#include <algorithm>

#include "platform/win/Rects.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarDockControl.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"

using namespace win;

// ---- rows ---------------------------------------------------------------------------------------

TdxDockRow::~TdxDockRow() {
  for (TdxDockCol* column : FColumns) delete column;
  FColumns.clear();
  const std::vector<TdxBar*> bars = FRowBars;
  for (TdxBar* bar : bars)
    if (bar->CurrentDockRow() == this) bar->LeaveDockRow(false);
  FRowBars.clear();
}

int TdxDockRow::IndexOfWindow(const TdxBarControl* AWindow) const {
  for (int i = 0; i < ColumnCount(); ++i)
    if (Columns(i)->ColumnWindow() == AWindow) return i;
  return -1;
}

void TdxDockRow::UpdateOneOnRow() {
  const bool alone = FColumns.size() == 1;
  for (TdxBar* bar : FRowBars) bar->SetOneOnRow(alone);
}

TdxDockCol* TdxDockRow::AddColumn(TdxBarControl* AWindow) { return InsertColumn(ColumnCount(), AWindow); }

TdxDockCol* TdxDockRow::InsertColumn(int AIndex, TdxBarControl* AWindow) {
  auto* column = new TdxDockCol(this, AWindow);
  FColumns.insert(FColumns.begin() + std::clamp(AIndex, 0, ColumnCount()), column);
  UpdateOneOnRow();
  return column;
}

void TdxDockRow::RemoveControl(TdxBarControl* AWindow) {
  if (const int index = IndexOfWindow(AWindow); index >= 0) DeleteColumn(index);
}

void TdxDockRow::DeleteColumn(int AIndex) {
  if (AIndex < 0 || AIndex >= ColumnCount()) return;
  delete FColumns[static_cast<std::size_t>(AIndex)];
  FColumns.erase(FColumns.begin() + AIndex);
  UpdateOneOnRow();
}

void TdxDockRow::AddBar(TdxBar* ABar) {
  FRowBars.push_back(ABar);
  TdxBarControl* window = ABar->Control();
  if (ColumnCount() >= static_cast<int>(FRowBars.size()) || !window || ABar->RealDockControl() != FDockSite ||
      IndexOfWindow(window) >= 0)
    return;
  AddColumn(window)->WantedPos = {ABar->DockedLeft(), ABar->DockedTop()};
}

void TdxDockRow::RemoveBar(TdxBar* ABar, bool ADeleteEmptyRow) {
  auto it = std::find(FRowBars.begin(), FRowBars.end(), ABar);
  if (it == FRowBars.end()) return;
  FRowBars.erase(it);
  if (TdxBarControl* window = ABar->Control()) RemoveControl(window);
  if (FRowBars.empty() && ADeleteEmptyRow) {
    FDockSite->ExtractRow(this);
    delete this;
  }
}

bool TdxDockRow::HasDockedBar() const {
  return std::any_of(FRowBars.begin(), FRowBars.end(), [](TdxBar* bar) {
    TdxBarControl* window = bar->Control();
    return window && window->DockingStyle() != dsNone;
  });
}

// ---- the site's rows ----------------------------------------------------------------------------

int TdxDockControl::IndexOfRow(const TdxDockRow* ARow) const {
  auto it = std::find(FRows.begin(), FRows.end(), ARow);
  return it == FRows.end() ? -1 : static_cast<int>(it - FRows.begin());
}

TdxDockRow* TdxDockControl::InsertRow(int AIndex) {
  auto* row = new TdxDockRow(this);
  FRows.insert(FRows.begin() + std::clamp(AIndex, 0, LiveRowCount()), row);
  return row;
}

void TdxDockControl::ExtractRow(TdxDockRow* ARow) { std::erase(FRows, ARow); }

void TdxDockControl::DeleteRow(int Index) {
  if (Index < 0 || Index >= LiveRowCount()) return;
  TdxDockRow* row = Rows(Index);
  FRows.erase(FRows.begin() + Index);
  delete row;
}

void TdxDockControl::DeleteEmptyRows() {
  for (int i = LiveRowCount() - 1; i >= 0; --i)
    if (i < LiveRowCount() && Rows(i)->RowBars().empty()) DeleteRow(i);
}

int TdxDockControl::ColumnCount(int ARow) {
  return ARow >= 0 && ARow < LiveRowCount() ? Rows(ARow)->ColumnCount() : 0;
}

TCustomdxBarControl* TdxDockControl::ColumnWindow(int ARow, int AColumn) {
  if (AColumn < 0 || AColumn >= ColumnCount(ARow)) return nullptr;
  return Rows(ARow)->Columns(AColumn)->ColumnWindow();
}

void TdxDockControl::FindColumn(const TdxBarControl* AWindow, int& ARow, int& AColumn) const {
  for (ARow = 0; ARow < LiveRowCount(); ++ARow)
    if ((AColumn = Rows(ARow)->IndexOfWindow(AWindow)) >= 0) return;
  ARow = AColumn = -1;
}

// ---- placement ----------------------------------------------------------------------------------

bool TdxDockControl::ManagerBusy() const {
  return FBarManager && (FBarManager->InternalState() & (bmsRestoringPositions | bmsRecreatingBarWindows));
}

void TdxDockControl::InsertBarControl(TdxBarControl* AWindow, const TPoint& APoint, bool AApply) {
  TdxBar* bar = AWindow->ShownBar();
  if (!FBarManager || !bar) return;
  const bool internal = AWindow->InternalUpdateDepth() > 0;
  const bool restoring = internal && ManagerBusy();
  int index;
  bool oneOnRow = false;
  if (internal) {
    index = KeepsBarRows() ? bar->Row() : 0;
    oneOnRow = bar->OneOnRow();
  } else {
    index = RowAtPoint(APoint, oneOnRow);
  }
  if (bar->WholeRow()) oneOnRow = true;

  if (restoring && index >= LiveRowCount()) {
    // A damaged layout may ask for any row: no more rows than the layout can fill.
    index = std::min(index, bar->RestoringRowLimit());
    while (LiveRowCount() <= index) AddRow();
  } else {
    index = std::max(std::min(index, oneOnRow ? LiveRowCount() : LiveRowCount() - 1), 0);
  }
  if (index >= LiveRowCount()) oneOnRow = true;
  if (!oneOnRow) {
    TdxDockRow* row = Rows(index);
    for (int i = 0; i < row->ColumnCount() && !oneOnRow; ++i) {
      TdxBarControl* other = row->Columns(i)->ColumnWindow();
      oneOnRow = other != AWindow && other->ShownBar() && other->ShownBar()->WholeRow();
    }
  }

  TdxDockRow* row;
  TdxDockCol* column;
  if (oneOnRow) {
    row = restoring && index < LiveRowCount() ? Rows(index) : InsertRow(index);
    column = row->AddColumn(AWindow);
  } else {
    row = Rows(index);
    column = row->InsertColumn(ColumnAtPoint(index, APoint), AWindow);
  }
  bar->SetDockRow(row);

  TPoint p = APoint;
  if (!internal) {
    if (TdxBars* bars = FBarManager->Bars(); bars && bars->Dragging()) {
      p.X -= bars->DragOffset().X;
      p.Y -= bars->DragOffset().Y;
    }
    const TPoint grab = AWindow->GrabPoint(AWindow->DockingStyle());
    p.X -= grab.X;
    p.Y -= grab.Y;
  }
  POINT client{p.X, p.Y};
  if (HandleAllocated()) win::ScreenToClient(Handle(), &client);
  if (IsHorizontal())
    client.x = std::max<LONG>(client.x, 0);
  else
    client.y = std::max<LONG>(client.y, 0);
  column->WantedPos = {client.x, client.y};

  if (!AApply) return;
  if (!AWindow->BeingDragged()) {
    AWindow->SetLeft(client.x);
    AWindow->SetTop(client.y);
  }
  // The layout may free what the placement touched: the column is looked up again afterwards.
  RequestLayout();
  if (ManagerBusy()) return;
  int r, c;
  FindColumn(AWindow, r, c);
  if (r >= 0) Rows(r)->Columns(c)->WantedPos = {AWindow->Left(), AWindow->Top()};
}

void TdxDockControl::RemoveBarControl(TdxBarControl* AWindow, bool ARelayout) {
  for (TdxDockRow* row : FRows) row->RemoveControl(AWindow);
  if (ARelayout) RequestLayout();
}

void TdxDockControl::RemoveBarControl(TdxDockCol* AColumn, bool ARelayout) {
  TdxDockRow* row = AColumn->Row();
  row->DeleteColumn(row->IndexOfWindow(AColumn->ColumnWindow()));
  if (ARelayout) RequestLayout();
}

void TdxDockControl::MoveBarControl(TdxBarControl* AWindow, const TPoint& APoint) {
  RemoveBarControl(AWindow, false);
  InsertBarControl(AWindow, APoint, true);
  if (!HasBackgroundPicture()) return;
  ResetBackgroundCache();
  RefreshBarBackgrounds();
}

void TdxDockControl::StoreColumnPositions() {
  for (TdxDockRow* row : FRows)
    for (int i = 0; i < row->ColumnCount(); ++i) {
      TdxDockCol* column = row->Columns(i);
      column->WantedPos = {column->ColumnWindow()->Left(), column->ColumnWindow()->Top()};
    }
}

// ---- geometry -----------------------------------------------------------------------------------

int TdxDockControl::ClientLength() const {
  auto* self = const_cast<TdxDockControl*>(this);
  return IsHorizontal() ? self->ClientWidth() : self->ClientHeight();
}

int TdxDockControl::ClientAcross() const {
  auto* self = const_cast<TdxDockControl*>(this);
  return IsHorizontal() ? self->ClientHeight() : self->ClientWidth();
}

int TdxDockControl::RowThickness(int ARow) {
  if (ARow < 0 || ARow >= LiveRowCount() || !Rows(ARow)->HasDockedBar()) return 0;
  TdxDockRow* row = Rows(ARow);
  int result = 0;
  for (int i = 0; i < row->ColumnCount(); ++i) {
    TdxBarControl* window = row->Columns(i)->ColumnWindow();
    result = std::max(result, IsHorizontal() ? window->Height() : window->Width());
  }
  if (ARow < LiveRowCount() - 1)
    if (TdxBarPainter* painter = Painter()) result += painter->DockRowSpacing();
  return result;
}

int TdxDockControl::RowsExtent() {
  int result = 0;
  for (int i = 0; i < LiveRowCount(); ++i) result += RowThickness(i);
  return result;
}

TRect TdxDockControl::RowBounds(int ARow) {
  if (ARow < 0 || ARow >= LiveRowCount()) return {};
  int start = 0;
  const bool fromFarEdge =
      !IsLeadingEdge() && FBarManager && FBarManager->Bars() && FBarManager->Bars()->Dragging();
  if (fromFarEdge) {
    start = ClientAcross();
    for (int i = ARow; i < LiveRowCount(); ++i) start -= RowThickness(i);
  } else {
    for (int i = 0; i < ARow; ++i) start += RowThickness(i);
  }
  const int end = start + RowThickness(ARow);
  if (IsHorizontal()) return {0, start, ClientLength(), end};
  return {start, 0, end, ClientLength()};
}

void TdxDockControl::RowZone(int ARow, int APart, int& AStart, int& AEnd) {
  const int zone = FBarManager && FBarManager->Bars() ? FBarManager->Bars()->DockZoneMargin() : 23;
  const int half = (zone - 5) / 2;
  const bool leading = IsLeadingEdge();
  if (ARow == -1) {
    AStart = leading ? -zone : ClientAcross() - RowsExtent() - zone;
    AEnd = AStart + zone;
  } else if (ARow == LiveRowCount()) {
    AStart = leading ? RowsExtent() : ClientAcross();
    AEnd = AStart + zone;
  } else {
    const TRect r = RowBounds(ARow);
    AStart = IsHorizontal() ? r.Top : r.Left;
    AEnd = IsHorizontal() ? r.Bottom : r.Right;
  }
  const int band = leading ? AStart + half : AEnd - half - 5;
  switch (APart) {
    case 0: AEnd = band; break;
    case 1: AStart = band; AEnd = band + 5; break;
    default: AStart = band + 5; break;
  }
}

int TdxDockControl::RowAtPoint(const TPoint& APoint, bool& ANewRow) {
  ANewRow = true;
  if (FRows.empty()) return 0;
  POINT p{APoint.X, APoint.Y};
  if (HandleAllocated()) win::ScreenToClient(Handle(), &p);
  const int a = IsHorizontal() ? p.y : p.x;
  int index = -1;
  ANewRow = false;
  bool hit = false;
  for (int r = -1; r < LiveRowCount() && !hit; ++r)
    for (int part = 0; part < 3 && !hit; ++part) {
      int start, end;
      RowZone(r, part, start, end);
      if (a >= start && a < end) {
        hit = true;
        index = part > 0 ? r + 1 : r;
        ANewRow = part == 1;
      }
    }
  if (index == -1) {
    ANewRow = true;
    index = a < RowsExtent() ? 0 : LiveRowCount();
  }
  if (index >= LiveRowCount()) ANewRow = true;
  return index;
}

void TdxDockControl::SnapToRow(int ARow, bool AOneOnRow, TPoint& APoint) {
  if (ARow == LiveRowCount()) AOneOnRow = false;
  int start, end;
  if (AOneOnRow) {
    RowZone(ARow - 1, 1, start, end);
  } else {
    int before, beforeEnd, rowStart, rowBand;
    RowZone(ARow - 1, 2, before, beforeEnd);
    RowZone(ARow, 0, rowStart, rowBand);
    start = before;
    end = rowBand;
    // Centred on the row boundary when row r's leading part is the shorter one.
    const int d = rowBand - rowStart;
    if (d < beforeEnd - before) start = rowStart - d;
  }
  POINT p{0, 0};
  if (HandleAllocated()) win::ClientToScreen(Handle(), &p);
  if (IsHorizontal())
    APoint.Y = p.y + (start + end) / 2;
  else
    APoint.X = p.x + (start + end) / 2;
}

TPoint TdxDockControl::GrabOffsetOfDragged(const TdxBarControl* AWindow) const {
  auto* window = const_cast<TdxBarControl*>(AWindow);
  return window->GrabPoint(DockSiteStyle());
}

int TdxDockControl::ColumnAtPoint(int ARow, const TPoint& APoint) {
  if (ARow < 0 || ARow >= LiveRowCount() || Rows(ARow)->ColumnCount() == 0) return 0;
  TPoint p = APoint;
  if (TdxBars* bars = FBarManager ? FBarManager->Bars() : nullptr; bars && bars->Dragging())
    if (TdxBarControl* dragged = bars->DraggedWindow(); dragged && dragged->InternalUpdateDepth() == 0) {
      const TPoint grab = GrabOffsetOfDragged(dragged);
      if (IsVertical())
        p.Y -= grab.Y;
      else
        p.X -= grab.X;
    }
  // The toolbars store their places in client coordinates.
  POINT client{p.X, p.Y};
  if (HandleAllocated()) win::ScreenToClient(Handle(), &client);
  p = {client.x, client.y};
  TdxDockRow* row = Rows(ARow);
  for (int i = 0; i < row->ColumnCount(); ++i) {
    TdxBar* bar = row->Columns(i)->ColumnWindow()->ShownBar();
    if (!bar) continue;
    const TdxBarDockingStyle style = bar->DockingStyle();
    if ((style == dsLeft || style == dsRight) ? bar->DockedTop() >= p.Y : bar->DockedLeft() >= p.X) return i;
  }
  return row->ColumnCount();
}

TRect TdxDockControl::DockingZone() const {
  RECT r{0, 0, 0, 0};
  if (HandleAllocated())
    GetWindowRect(const_cast<TdxDockControl*>(this)->Handle(), &r);
  const int zone = FBarManager && FBarManager->Bars() ? FBarManager->Bars()->DockZoneMargin() : 23;
  InflateRect(&r, zone, IsHorizontal() ? zone : 0);
  return {r.left, r.top, r.right, r.bottom};
}

// ---- layout -------------------------------------------------------------------------------------

void TdxDockControl::RequestLayout() {
  if (!FBarManager || FBarManager->IsLocked() || FBarManager->IsDestroying()) return;
  UpdateLayout();
  FitToRows();
}

void TdxDockControl::UpdateLayout() {
  if (FRows.empty() || !FBarManager || (FBarManager->InternalState() & bmsRestoringPositions) ||
      FBarManager->IsDestroying())
    return;
  if (!IsDesignTime() && HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  DisableAlign();
  try {
    ArrangeRows();
  } catch (...) {
    EnableAlign();
    throw;
  }
  EnableAlign();
  Repaint();
}

void TdxDockControl::ArrangeRows() {
  const int length = ClientLength();
  for (int i = 0; i < LiveRowCount(); ++i)
    if (i < LiveRowCount() && Rows(i)->HasDockedBar()) ArrangeRow(i, length);
}

namespace {

// A column's window in row coordinates: length along the row, thickness across it.
struct TRowPlace {
  TdxBarControl* Window = nullptr;
  TdxDockCol* Column = nullptr;
  int Bl = 0, Bt = 0;
  int MinLen = 0, MaxLen = 0;
  int Left = 0, Length = 0, Thickness = 0;
  bool Truncated = false;
};

}  // namespace

void TdxDockControl::ArrangeRow(int ARow, int ALength) {
  if (ARow < 0 || ARow >= LiveRowCount()) return;
  TdxDockRow* row = Rows(ARow);
  if (row->ColumnCount() == 0) return;
  const bool horizontal = IsHorizontal();
  const TdxBarDockingStyle style = DockSiteStyle();
  TdxBarPainter* painter = Painter();
  const TRect bounds = RowBounds(ARow);
  const int rowStart = horizontal ? bounds.Top : bounds.Left;

  std::vector<TRowPlace> places(static_cast<std::size_t>(row->ColumnCount()));
  int totalMax = 0;
  for (int i = 0; i < row->ColumnCount(); ++i) {
    TRowPlace& c = places[static_cast<std::size_t>(i)];
    c.Column = row->Columns(i);
    c.Window = c.Column->ColumnWindow();
    TdxBar* bar = c.Window->ShownBar();
    TRect insets{};
    if (painter && bar) painter->CalcBarNonClient(c.Window, static_cast<int>(style), insets, bar->ShowsSizeGrip());
    c.Bl = horizontal ? insets.Left + insets.Right : insets.Top + insets.Bottom;
    c.Bt = horizontal ? insets.Top + insets.Bottom : insets.Left + insets.Right;
    c.Window->SetShortened(false);
    if (TdxBarItemLinks* links = c.Window->ItemLinks()) links->SetCollapsedCount(-1);
    c.MinLen = (horizontal ? c.Window->MinLengthFor(style) : c.Window->MinThicknessFor(style)) + c.Bl;
    c.MaxLen = (horizontal ? c.Window->FullWidthFor(style) : c.Window->FullHeightFor(style)) + c.Bl;
    // Room for the mark, which shows only once the toolbar is truncated.
    if (!c.Window->HasMark() && c.MinLen != c.MaxLen && painter) c.MinLen += painter->MarkSize();
    c.Window->SetRowLengths(c.MinLen, c.MaxLen);
    totalMax += c.MaxLen;
  }
  const bool quickCustomizing = painter && painter->AllowsQuickCustomizing();
  auto thicknessFor = [&](TRowPlace& c, int ALen) {
    const int content = std::max(ALen - c.Bl - (quickCustomizing ? 0 : c.Window->MarkAreaSize()), 0);
    return horizontal ? c.Window->CalcSizeForWidth(style, content).cy : c.Window->CalcSizeForHeight(style, content).cx;
  };
  auto wanted = [&](const TRowPlace& c) { return horizontal ? c.Column->WantedPos.X : c.Column->WantedPos.Y; };
  auto wraps = [](const TRowPlace& c) { return c.Window->WrapsItems(); };
  const int count = static_cast<int>(places.size());
  auto sumBefore = [&](int AIndex, int TRowPlace::*AField) {
    int sum = 0;
    for (int j = 0; j < AIndex; ++j) sum += places[static_cast<std::size_t>(j)].*AField;
    return sum;
  };

  int thickness = 0;
  TdxBar* firstBar = places[0].Window->ShownBar();
  if (firstBar && firstBar->WholeRow()) {
    TRowPlace& c = places[0];
    c.Left = 0;
    c.Length = std::max(ALength, c.MinLen);
    c.Thickness = thicknessFor(c, c.Length) + c.Bt;
    c.Truncated = !wraps(c) && c.Length < c.MaxLen;
    thickness = c.Thickness;
  } else if (ALength >= totalMax) {
    int limit = ALength;
    for (int i = count - 1; i >= 0; --i) {
      TRowPlace& c = places[static_cast<std::size_t>(i)];
      c.Length = c.MaxLen;
      c.Thickness = thicknessFor(c, c.Length) + c.Bt;
      thickness = std::max(thickness, c.Thickness);
      int d = wanted(c);
      if (limit < d + c.Length) d = limit - c.Length;
      c.Left = std::max(d, sumBefore(i, &TRowPlace::MaxLen));
      limit = c.Left;
    }
  } else {
    int remaining = ALength;
    for (int i = count - 1; i >= 0; --i) {
      TRowPlace& c = places[static_cast<std::size_t>(i)];
      const int sumMin = sumBefore(i, &TRowPlace::MinLen);
      const int sumMax = sumBefore(i, &TRowPlace::MaxLen);
      int d = std::clamp(wanted(c), sumMin, std::max(sumMin, sumMax));
      if (i > 0) {
        const TRowPlace& prev = places[static_cast<std::size_t>(i - 1)];
        if (prev.Window->BeingDragged()) {
          // The toolbar after a dragged one closes up behind it.
          const int e = std::max(wanted(prev), sumMin - prev.MinLen) + prev.MaxLen;
          if (e < d) {
            (horizontal ? c.Column->WantedPos.X : c.Column->WantedPos.Y) = e;
            d = e;
          }
        }
      }
      if (remaining - d < c.MaxLen) {
        c.Truncated = !wraps(c) && c.MinLen != c.MaxLen;
        c.Length = std::max(remaining - d, c.MinLen);
      } else {
        c.Length = c.MaxLen;
      }
      if (i == 0) c.Length = std::max(c.Length, remaining);
      c.Thickness = thicknessFor(c, c.Length) + c.Bt;
      c.Left = std::min(std::max(remaining - c.Length, sumMin), std::max(sumMin, sumMax));
      thickness = std::max(thickness, c.Thickness);
      remaining -= c.Length;
    }
  }

  const bool autoAlign = FBarManager && FBarManager->AutoAlignBars();
  for (int i = 0; i < count; ++i) {
    TRowPlace& c = places[static_cast<std::size_t>(i)];
    TdxBar* bar = c.Window->ShownBar();
    const bool rest = bar && bar->UseRestSpace();
    if (rest || autoAlign) {
      const TRowPlace* prev = i > 0 ? &places[static_cast<std::size_t>(i - 1)] : nullptr;
      c.Left = prev ? prev->Left + prev->Length : 0;
    }
    if (rest) {
      c.Length = i == count - 1 ? ALength - c.Left : places[static_cast<std::size_t>(i + 1)].Left - c.Left;
      c.Length = std::max(c.Length, c.MinLen);
    }
  }

  for (int i = 0; i < count; ++i) {
    TRowPlace& c = places[static_cast<std::size_t>(i)];
    if (i == count - 1 && c.Truncated) c.Length = std::max(ALength - c.Left, c.MinLen);
    c.Window->SetShortened(c.Truncated);
    thicknessFor(c, c.Length);
    TRect r = horizontal ? TRect{c.Left, rowStart, c.Left + c.Length, rowStart + thickness}
                         : TRect{rowStart, c.Left, rowStart + thickness, c.Left + c.Length};
    if (c.Window->Left() != r.Left || c.Window->Top() != r.Top || c.Window->Width() != (r.Right - r.Left) ||
        c.Window->Height() != (r.Bottom - r.Top)) {
      if (c.Window->HandleAllocated())
        SetWindowPos(c.Window->Handle(), nullptr, r.Left, r.Top, (r.Right - r.Left), (r.Bottom - r.Top), SWP_NOACTIVATE | SWP_NOZORDER);
      else
        c.Window->SetBounds(r.Left, r.Top, (r.Right - r.Left), (r.Bottom - r.Top));
    }
    c.Window->CalcViewInfo();
  }
}

void TdxDockControl::FitToRows() {
  int extent = RowsExtent();
  if (extent > 0 && SunkenBorder()) extent += 2;
  const int before = IsHorizontal() ? Height() : Width();
  if (IsVertical()) {
    if (DockSiteStyle() == dsRight && Parent()) {
      const int right = Left() + Width();
      Parent()->DisableAlign();
      try {
        SetBounds(right - extent, Top(), extent, Height());
      } catch (...) {
        Parent()->EnableAlign();
        throw;
      }
      Parent()->EnableAlign();
    } else {
      SetWidth(extent);
    }
  } else if (DockSiteStyle() == dsBottom && Parent()) {
    const int bottom = Top() + Height();
    Parent()->DisableAlign();
    try {
      SetBounds(Left(), bottom - extent, Width(), extent);
    } catch (...) {
      Parent()->EnableAlign();
      throw;
    }
    Parent()->EnableAlign();
  } else {
    SetHeight(extent);
  }
  if (Visible() && before != (IsHorizontal() ? Height() : Width())) CloseActiveChainOnResize();
}
