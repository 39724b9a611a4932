#pragma once
// Dock sites: the windows along a form's edges (or placed anywhere, stand-alone) into which
// toolbars dock. A site keeps its toolbars in rows; each row holds columns, one per toolbar window,
// side by side. The site decides the row and place a docked or dragged toolbar takes, lays each
// row out (squeezing its toolbars when it is too short), sizes itself to its rows and paints its
// background.
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Controls.h"
#include "ui/bars/Bars.h"

class TdxDockRow;

// One toolbar window placed in a row.
class TdxDockCol : public TObject {
  VW_CLASS(TdxDockCol, TObject)
 public:
  TdxDockCol(TdxDockRow* ARow, TdxBarControl* AWindow) : FRow(ARow), FColumnWindow(AWindow) {}
  TdxBarControl* ColumnWindow() const { return FColumnWindow; }
  TdxDockRow* Row() const { return FRow; }
  // Where the window's top-left corner should go, site client coordinates; the row layout keeps
  // the coordinate along the row.
  TPoint WantedPos{};

 private:
  TdxDockRow* FRow;
  TdxBarControl* FColumnWindow;
};

// A row of a dock site: the toolbars assigned to it (also while their windows do not exist) and
// the columns of the windows placed in it. Each toolbar of the row is OneOnRow exactly when the
// row has one column, and its CurrentDockRow is the row.
class TdxDockRow : public TObject {
  VW_CLASS(TdxDockRow, TObject)
 public:
  explicit TdxDockRow(TdxDockControl* ADockSite) : FDockSite(ADockSite) {}
  // Frees the columns; the toolbars still on the row leave it without deleting rows.
  ~TdxDockRow() override;
  TdxDockControl* DockSite() const { return FDockSite; }
  const std::vector<TdxBar*>& RowBars() const { return FRowBars; }

  int ColumnCount() const { return static_cast<int>(FColumns.size()); }
  TdxDockCol* Columns(int Index) const { return FColumns[static_cast<std::size_t>(Index)]; }
  // -1 when the window has no column here.
  int IndexOfWindow(const TdxBarControl* AWindow) const;
  TdxDockCol* AddColumn(TdxBarControl* AWindow);
  TdxDockCol* InsertColumn(int AIndex, TdxBarControl* AWindow);
  void RemoveControl(TdxBarControl* AWindow);
  void DeleteColumn(int AIndex);
  // The toolbar joins the row; its window gets a column when it stands in this site and has none.
  void AddBar(TdxBar* ABar);
  // The toolbar leaves the row with its window's column; an emptied row goes when asked.
  void RemoveBar(TdxBar* ABar, bool ADeleteEmptyRow);
  // Some toolbar of the row is docked in a window.
  bool HasDockedBar() const;

 private:
  void UpdateOneOnRow();

  TdxDockControl* FDockSite;
  std::vector<TdxBar*> FRowBars;
  std::vector<TdxDockCol*> FColumns;
};

// A dock site: a built-in one along an edge of the manager's form, or (as TdxBarDockControl) a
// stand-alone one.
class TdxDockControl : public TCustomControl {
  VW_CLASS(TdxDockControl, TCustomControl)
 public:
  explicit TdxDockControl(TComponent* AOwner);
  // A built-in site along the edge, attached to the manager.
  TdxDockControl(TdxBarManager* ABarManager, TdxBarDockingStyle AStyle);
  ~TdxDockControl() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* Value);
  TdxBarDockingStyle BuiltInStyle() const { return FBuiltInStyle; }
  bool IsBuiltIn() const { return FBuiltInStyle != dsNone; }
  virtual bool IsStandAlone() const { return false; }
  // From the alignment, asked every time: left, right and bottom as they are, any other top.
  TdxBarDockingStyle DockSiteStyle() const;
  bool IsHorizontal() const;
  bool IsVertical() const { return !IsHorizontal(); }
  bool IsLeadingEdge() const;
  bool AllowDocking() const { return FAllowDocking; }
  void SetAllowDocking(bool Value) { FAllowDocking = Value; }
  TBitmap* BackgroundBitmap() const { return FBackgroundBitmap; }
  void SetBackgroundBitmap(TBitmap* Value) { FBackgroundBitmap->Assign(Value); }
  // While one of its toolbar windows handles WM_DESTROY: toolbars keep their row placement.
  bool BarWindowDestroying() const { return FBarWindowDestroying; }
  void SetBarWindowDestroying(bool Value) { FBarWindowDestroying = Value; }

  // ---- virtual operations, in their slot order ----
  virtual void BarManagerChanged();
  virtual void ArrangeRows();
  // Lays row ARow out along ALength.
  virtual void ArrangeRow(int ARow, int ALength);
  // Whether the site takes the toolbar.
  virtual bool AcceptsBar(TdxBar* ABar);
  virtual void ApplyManagerColor();
  // The sum of the row thicknesses.
  virtual int RowsExtent();
  virtual bool SunkenBorder() const;
  // An internal re-placement keeps the toolbar's row.
  virtual bool KeepsBarRows() const { return true; }
  // Resizes the site to its rows.
  virtual void FitToRows();
  virtual void ShowToolbarsPopup();
  // The class of the windows its toolbars are shown in.
  virtual TClass BarControlClass() const;
  virtual TClass AccessibilityHelperClass() const;
  // The painter the site's toolbars draw with.
  virtual TdxBarPainter* Painter() const;
  // Own bitmap, else the manager's toolbar picture, else the painter, else a plain fill.
  virtual void FillBackground(win::HDC DC, const TRect& R, TColor AColor, win::HBRUSH ABrush);
  virtual bool HasOwnBackgroundBitmap() const;
  virtual bool IsDesignTime() const { return HasState(csDesigning); }
  // A picture lies behind the toolbars: they show the site through.
  virtual bool HasBackgroundPicture() const;
  virtual void RefreshBarBackgrounds();
  virtual void ResetBackgroundCache();
  virtual void UpdateDoubleBuffered();

  // ---- rows ----
  int LiveRowCount() const { return static_cast<int>(FRows.size()); }
  TdxDockRow* Rows(int Index) const { return FRows[static_cast<std::size_t>(Index)]; }
  int IndexOfRow(const TdxDockRow* ARow) const;
  TdxDockRow* AddRow() { return InsertRow(RowCount()); }
  TdxDockRow* InsertRow(int AIndex);
  // Frees the row; the toolbars on it lose it.
  void DeleteRow(int Index);
  // Takes the row out of the list without freeing it (the row deletes itself).
  void ExtractRow(TdxDockRow* ARow);
  // Drops (and frees) the rows left without toolbars.
  void DeleteEmptyRows();
  // ---- the rows as the painters read them (a painter's test may stand rows in) ----
  virtual int RowCount() const { return LiveRowCount(); }
  // The toolbar windows placed along a row, in order; none for a bad index.
  virtual int ColumnCount(int ARow);
  virtual TCustomdxBarControl* ColumnWindow(int ARow, int AColumn);
  // The row and column of a window placed here; -1 when it is not.
  void FindColumn(const TdxBarControl* AWindow, int& ARow, int& AColumn) const;

  // ---- placement (screen points) ----
  // Puts a toolbar window into a row at a point; with apply the window is moved there and the
  // site laid out.
  virtual void InsertBarControl(TdxBarControl* AWindow, const TPoint& APoint, bool AApply);
  // The window (or only the given column) leaves its row; the row stays.
  virtual void RemoveBarControl(TdxBarControl* AWindow, bool ARelayout = true);
  void RemoveBarControl(TdxDockCol* AColumn, bool ARelayout);
  void MoveBarControl(TdxBarControl* AWindow, const TPoint& APoint);
  void StoreColumnPositions();

  // ---- geometry ----
  // A band of the across-rows axis around row ARow (-1 before the first, RowCount after the
  // last): part 0 joins the row, part 1 asks for a new row, part 2 joins the next row.
  void RowZone(int ARow, int APart, int& AStart, int& AEnd);
  int RowAtPoint(const TPoint& APoint, bool& ANewRow);
  // Moves the point's across-rows coordinate to the middle of the place row ARow would take.
  void SnapToRow(int ARow, bool AOneOnRow, TPoint& APoint);
  int ColumnAtPoint(int ARow, const TPoint& APoint);
  int RowThickness(int ARow);
  // A row's band in client coordinates; empty for a bad index.
  virtual TRect RowBounds(int ARow);
  // Where a dragged toolbar may dock here, screen coordinates.
  TRect DockingZone() const;

  // ---- layout ----
  void RequestLayout();
  void UpdateLayout();
  // The manager's relayout of every site: rows again, and the site sized to them.
  void UpdateDock() { RequestLayout(); }
  // Recalculates and repaints the frames of the site and its toolbar windows, then lays out.
  virtual void RefreshFrames();
  virtual void RefreshBrushes() {}

  // The site's accessibility helper, made on first use.
  TObject* AccessibilityHelper();

  // The scratch copy of the painted background, kept by the painters that draw the background
  // once and copy it; emptied on every size change.
  TBitmap* BackgroundCache();

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  void InitiateAction() override;
  void Resize() override;
  bool ManagerBusy() const;
  // The thickness of a row for RowZone, RowAtPoint and RowBounds.
  int ClientLength() const;
  int ClientAcross() const;

 private:
  void BackgroundChanged(TObject* Sender);
  void WindowPosChanged();
  void CloseActiveChainOnResize();
  TPoint GrabOffsetOfDragged(const TdxBarControl* AWindow) const;

  TObject* FAccessibilityHelper = nullptr;
  TdxBarManager* FBarManager = nullptr;
  TdxBarDockingStyle FBuiltInStyle = dsNone;
  bool FAllowDocking = true;
  bool FBarWindowDestroying = false;
  TBitmap* FBackgroundBitmap;
  TBitmap* FBackgroundCache = nullptr;
  std::vector<TdxDockRow*> FRows;
};

VW_ENUM(TdxBarDockAlign, dalNone, dalTop, dalBottom, dalLeft, dalRight)

// A stand-alone dock site a form places where it likes.
class TdxBarDockControl : public TdxDockControl {
  VW_CLASS(TdxBarDockControl, TdxDockControl)
 public:
  explicit TdxBarDockControl(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);
  bool IsStandAlone() const override { return true; }

  TdxBarDockAlign Align() const;
  // The toolbars take the new docking style inside the manager's update, then rebuild.
  void SetAlign(TdxBarDockAlign Value);
  bool AllowZeroSizeInDesignTime() const { return FAllowZeroSizeInDesignTime; }
  void SetAllowZeroSizeInDesignTime(bool Value);
  // Outside loading, a colour of its own turns UseOwnColor on.
  void SetColor(TColor Value);
  void SetParentColor(bool Value);
  bool UseOwnColor() const { return FUseOwnColor; }
  void SetUseOwnColor(bool Value);
  bool SunkenBorder() const override;
  void SetSunkenBorder(bool Value);
  bool UseOwnSunkenBorder() const { return FUseOwnSunkenBorder; }
  void SetUseOwnSunkenBorder(bool Value);
  bool IsColorStored() const { return FUseOwnColor && !ParentColor(); }

  void BarManagerChanged() override;
  bool AcceptsBar(TdxBar* ABar) override;
  void ApplyManagerColor() override;
  int RowsExtent() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  // The toolbars whose windows went with the site's window come back with the new one.
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  bool LoadingOrRestoring() const;
  int EmptyExtent() const;

  bool FAllowZeroSizeInDesignTime = false;
  bool FSunkenBorder = false;
  bool FUseOwnColor = false;
  bool FUseOwnSunkenBorder = false;
  bool FApplyingManagerColor = false;
};
