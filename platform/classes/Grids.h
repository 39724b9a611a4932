#pragma once
// Grids: a scrollable table of cells with fixed header rows and columns, a selection rectangle
// moved by the mouse and the keyboard, and cells drawn by the grid or by its owner. The string
// grid keeps a text and an object per cell.
#include <functional>
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"

VW_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

struct TGridCoord {
  int X = 0;
  int Y = 0;
  bool operator==(const TGridCoord&) const = default;
};

// Columns Left..Right and rows Top..Bottom, both ends included.
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TGridRect&) const = default;
};

VW_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goDrawFocusSelected,
        goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs, goRowSelect, goAlwaysShowEditor,
        goThumbTracking)
using TGridOptions = TSet<TGridOption>;

VW_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed)
using TGridDrawState = TSet<TGridDrawStateItem>;

VW_ENUM(TGridState, gsNormal, gsSelecting, gsRowSizing, gsColSizing, gsRowMoving, gsColMoving)

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, win::RECT Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const String& Value)>;

class TCustomGrid;

// The editor that edits a cell in place.
class TInplaceEdit : public TCustomEdit {
  VW_CLASS(TInplaceEdit, TCustomEdit)
 public:
  explicit TInplaceEdit(TComponent* AOwner);
  TCustomGrid* Grid() const { return FGrid; }

 protected:
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void DoExit() override;
  void Change() override;

 private:
  friend class TCustomGrid;
  TCustomGrid* FGrid = nullptr;
};

class TCustomGrid : public TCustomControl {
  VW_CLASS(TCustomGrid, TCustomControl)
 public:
  explicit TCustomGrid(TComponent* AOwner);
  ~TCustomGrid() override;
  static void DeclareProperties(TPropTable& t);

  int ColCount() const { return FColCount; }
  void SetColCount(int Value);
  int RowCount() const { return FRowCount; }
  void SetRowCount(int Value);
  int FixedCols() const { return FFixedCols; }
  void SetFixedCols(int Value);
  int FixedRows() const { return FFixedRows; }
  void SetFixedRows(int Value);
  TColor FixedColor() const { return FFixedColor; }
  void SetFixedColor(TColor Value);
  TGridOptions Options() const { return FOptions; }
  void SetOptions(TGridOptions Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  int DefaultColWidth() const { return FDefaultColWidth; }
  void SetDefaultColWidth(int Value);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void SetDefaultRowHeight(int Value);
  int GridLineWidth() const { return FGridLineWidth; }
  void SetGridLineWidth(int Value);
  bool DefaultDrawing() const { return FDefaultDrawing; }
  void SetDefaultDrawing(bool Value);

  int ColWidths(int Index) const;
  void SetColWidths(int Index, int Value);
  int RowHeights(int Index) const;
  void SetRowHeights(int Index, int Value);

  // The current (focused) cell.
  int Col() const { return FCurrent.X; }
  void SetCol(int Value);
  int Row() const { return FCurrent.Y; }
  void SetRow(int Value);
  // The first scrollable column and row shown.
  int LeftCol() const { return FTopLeft.X; }
  void SetLeftCol(int Value);
  int TopRow() const { return FTopLeft.Y; }
  void SetTopRow(int Value);
  int VisibleColCount();
  int VisibleRowCount();
  // The selection: from the anchor to the current cell, normalised, never on fixed cells.
  TGridRect Selection() const;
  void SetSelection(const TGridRect& Value);

  // The cell under a client point; -1, -1 outside every cell.
  void MouseToCell(int X, int Y, int& ACol, int& ARow);
  TGridCoord MouseCoord(int X, int Y);
  // The cell's client rectangle without its grid lines; empty when it is not shown.
  win::RECT CellRect(int ACol, int ARow);

  bool EditorMode() const { return FEditorMode; }
  void SetEditorMode(bool Value);
  TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }

  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TNotifyEvent OnTopLeftChanged;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Paint() override;
  void WndProc(TMessage& Message) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void Resize() override;
  void Loaded() override;
  void CMColorChanged(TMessage& Message) override;

  virtual void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState);
  virtual bool SelectCell(int ACol, int ARow);
  virtual void TopLeftChanged();
  virtual bool CanEditShow();
  virtual String GetEditText(int ACol, int ARow);
  virtual void SetEditText(int ACol, int ARow, const String& Value);
  virtual void SizeChanged(int /*OldColCount*/, int /*OldRowCount*/) {}
  void InvalidateCell(int ACol, int ARow);
  void InvalidateGrid() { Invalidate(); }
  void ShowEditor();
  void HideEditor();
  void UpdateEditor();

 private:
  friend class TInplaceEdit;
  // Moves the current cell (and the anchor, unless only extending); asks OnSelectCell first.
  void MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show);
  void MoveAnchor(TGridCoord NewAnchor);
  void ClampToData(TGridCoord& C) const;
  void ScrollIntoView(TGridCoord C);
  void MoveTopLeft(int ALeft, int ATop);
  void UpdateScrollRange();
  void ScrollMessage(TMessage& Message, bool Horizontal);
  void InvalidateRect(const TGridRect& R);
  int ColLeft(int ACol);
  int RowTop(int ARow);
  int LineWidthV() const;
  int LineWidthH() const;
  int LastFullVisibleCol() { return LastFullVisibleColFrom(FTopLeft.X); }
  int LastFullVisibleRow() { return LastFullVisibleRowFrom(FTopLeft.Y); }
  int LastFullVisibleColFrom(int ALeft);
  int LastFullVisibleRowFrom(int ATop);
  int MaxTopLeftX();
  int MaxTopLeftY();
  void ResizeSizes();

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  int FGridLineWidth = 1;
  std::vector<int> FColWidths;
  std::vector<int> FRowHeights;
  TColor FFixedColor = clBtnFace;
  TGridOptions FOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TFormBorderStyle FBorderStyle = bsSingle;
  TScrollStyle FScrollBars = ssBoth;
  TGridCoord FCurrent{1, 1};
  TGridCoord FAnchor{1, 1};
  TGridCoord FTopLeft{1, 1};
  TGridState FGridState = gsNormal;
  TInplaceEdit* FInplaceEdit = nullptr;
  bool FDefaultDrawing = true;
  bool FEditorMode = false;
};

class TDrawGrid : public TCustomGrid {
  VW_CLASS(TDrawGrid, TCustomGrid)
 public:
  explicit TDrawGrid(TComponent* AOwner) : TCustomGrid(AOwner) {}
};

class TStringGrid : public TDrawGrid {
  VW_CLASS(TStringGrid, TDrawGrid)
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  String Cells(int ACol, int ARow) const;
  void SetCells(int ACol, int ARow, const String& Value);
  TObject* Objects(int ACol, int ARow) const;
  void SetObjects(int ACol, int ARow, TObject* Value);

 protected:
  void DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) override;
  String GetEditText(int ACol, int ARow) override;
  void SetEditText(int ACol, int ARow, const String& Value) override;
  void SizeChanged(int OldColCount, int OldRowCount) override;

 private:
  struct CellData {
    String Text;
    TObject* Object = nullptr;
  };
  const CellData* Find(int ACol, int ARow) const;
  CellData& Ensure(int ACol, int ARow);
  // Row-major, RowCount x ColCount, made on the first write.
  std::vector<CellData> FData;
  int FDataCols = 0;
  int FDataRows = 0;
};
