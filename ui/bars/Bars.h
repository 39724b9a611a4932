#pragma once
// Toolbar definitions, their collection and the dock sites, as far as the bar manager reaches them.
// The toolbars' own behaviour (docking rules, rows, showing their windows, merging, resetting) is
// grown by their own units on these declarations.
#include <vector>

#include "platform/classes/Collection.h"
#include "platform/classes/Controls.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Menus.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"

using TdxBarDockingStyles = TSet<TdxBarDockingStyle>;

class TdxBars;
class TdxDockControl;
class TdxBarDockControl;

// One toolbar or main menu bar of a manager.
class TdxBar : public TCollectionItem {
  VW_CLASS(TdxBar, TCollectionItem)
 public:
  explicit TdxBar(TCollection* ACollection);
  ~TdxBar() override;
  static void DeclareProperties(TPropTable& t);

  TdxBars* Bars() const;
  TdxBarManager* BarManager() const;

  const String& Name() const { return FName; }
  // Refused while the name is locked (the manager reads the toolbar's stored properties).
  void SetName(const String& Value);
  bool NameLocked() const { return FNameLocked; }
  void SetNameLocked(bool Value) { FNameLocked = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }

  // While the manager loads, the docking style, dock site and visibility read from the form wait in
  // the loaded values until the manager's Loaded applies them.
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  TdxBarDockingStyle DockingStyle() const { return FDockingStyle; }
  virtual void SetDockingStyle(TdxBarDockingStyle Value);
  TdxBarDockControl* DockControl() const { return FDockControl; }
  virtual void SetDockControl(TdxBarDockControl* Value);
  TdxBarDockControl* DockedDockControl() const { return FDockedDockControl; }
  void SetDockedDockControl(TdxBarDockControl* Value) { FDockedDockControl = Value; }
  // The site the toolbar is docked in: its stand-alone site, else the manager's built-in site of its
  // docking style; nil while floating.
  TdxDockControl* RealDockControl() const;
  TdxBarDockingStyles NotDocking() const { return FNotDocking; }
  void SetNotDocking(TdxBarDockingStyles Value) { FNotDocking = Value; }

  int Row() const { return FRow; }
  void SetRow(int Value) { FRow = Value < 0 ? 0 : Value; }
  bool OneOnRow() const { return FOneOnRow; }
  void SetOneOnRow(bool Value) { FOneOnRow = Value; }
  bool IsMainMenu() const { return FIsMainMenu; }
  void SetIsMainMenu(bool Value) { FIsMainMenu = Value; }
  int FloatLeft() const { return FFloatLeft; }
  void SetFloatLeft(int Value) { FFloatLeft = Value; }
  int FloatTop() const { return FFloatTop; }
  void SetFloatTop(int Value) { FFloatTop = Value; }

  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool UseOwnFont() const { return FUseOwnFont; }
  void SetUseOwnFont(bool Value) { FUseOwnFont = Value; }
  // The manager's font reached a toolbar without its own (the window follows).
  virtual void ManagerFontChanged();

  TdxBarItemLinks* ItemLinks() const { return FItemLinks; }
  // The toolbar's window while it is shown.
  TdxBarControl* Control() const { return FControl; }
  void SetControl(TdxBarControl* Value) { FControl = Value; }

  // Marks the manager's refresh acts on at the end of an update.
  bool Changed() const { return FChanged; }
  void SetChanged(bool Value) { FChanged = Value; }
  bool Predefined() const { return FPredefined; }
  void SetPredefined(bool Value) { FPredefined = Value; }
  bool HiddenAsEmpty() const { return FHiddenAsEmpty; }
  void SetHiddenAsEmpty(bool Value) { FHiddenAsEmpty = Value; }

  TdxBarDockControl* LoadedDockControl() const { return FLoadedDockControl; }
  TdxBarDockingStyle LoadedDockingStyle() const { return FLoadedDockingStyle; }
  bool LoadedVisible() const { return FLoadedVisible; }

 protected:
  String GetDisplayName() override { return FCaption.empty() ? FName : FCaption; }

 private:
  bool ManagerLoading() const;

  String FName, FCaption;
  bool FNameLocked = false;
  bool FVisible = false;
  TdxBarDockingStyle FDockingStyle = dsNone;
  TdxBarDockControl* FDockControl = nullptr;
  TdxBarDockControl* FDockedDockControl = nullptr;
  TdxBarDockingStyles FNotDocking;
  int FRow = 0;
  bool FOneOnRow = false;
  bool FIsMainMenu = false;
  int FFloatLeft = 0, FFloatTop = 0;
  TFont* FFont;
  bool FUseOwnFont = false;
  TdxBarItemLinks* FItemLinks;
  TdxBarControl* FControl = nullptr;
  bool FChanged = false;
  bool FPredefined = false;
  bool FHiddenAsEmpty = false;
  TdxBarDockControl* FLoadedDockControl = nullptr;
  TdxBarDockingStyle FLoadedDockingStyle = dsNone;
  bool FLoadedVisible = false;
};

// A dock site: a built-in one along an edge of the manager's window, or a stand-alone one.
class TdxDockControl : public TCustomControl {
  VW_CLASS(TdxDockControl, TCustomControl)
 public:
  explicit TdxDockControl(TComponent* AOwner);
  // A built-in site along the edge, attached to the manager and placed on the manager's window.
  TdxDockControl(TdxBarManager* ABarManager, TdxBarDockingStyle AStyle);
  ~TdxDockControl() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  void SetBarManager(TdxBarManager* Value);
  TdxBarDockingStyle BuiltInStyle() const { return FBuiltInStyle; }
  bool IsBuiltIn() const { return FBuiltInStyle != dsNone; }
  // From the alignment, asked every time.
  TdxBarDockingStyle DockingStyle() const;
  bool AllowDocking() const { return FAllowDocking; }
  void SetAllowDocking(bool Value) { FAllowDocking = Value; }

  // Whether the site takes the toolbar (a stand-alone site decides for itself).
  virtual bool AcceptsBar(TdxBar* ABar);
  int RowCount() const { return FRowCount; }
  // Drops (and frees) the rows left without toolbars.
  virtual void DeleteEmptyRows() {}
  // Lays out its rows again and sizes itself to them.
  virtual void UpdateDock() {}
  // Recalculates and repaints the frames of the site and its toolbar windows.
  virtual void RefreshFrames();
  virtual void RefreshBrushes() {}
  // Repaints in the manager's dock colour.
  virtual void ApplyManagerColor() {}

  // ---- what painters read of a dock site; the rows' own unit gives these their work ----
  // The scratch copy of the painted background, kept by the painters that draw the background
  // once and copy it; emptied on every size change.
  TBitmap* BackgroundCache();
  void ResetBackgroundCache();
  // A row's band in client coordinates, and the toolbar windows placed along it, in order.
  virtual TRect RowBounds(int /*Row*/) { return {}; }
  virtual int ColumnCount(int /*Row*/) { return 0; }
  virtual TCustomdxBarControl* ColumnWindow(int /*Row*/, int /*Column*/) { return nullptr; }
  // The painter the site's toolbars draw with; whether the site has a background picture or a
  // background of its own that its toolbars show through.
  virtual TdxBarPainter* Painter() const;
  virtual bool HasBackgroundBitmap() const { return false; }
  virtual bool HasOwnBackground() const { return false; }

 protected:
  void Resize() override;

  int FRowCount = 0;

 private:
  TdxBarManager* FBarManager = nullptr;
  TdxBarDockingStyle FBuiltInStyle = dsNone;
  bool FAllowDocking = true;
  TBitmap* FBackgroundCache = nullptr;
};

// A stand-alone dock site a form places where it likes.
class TdxBarDockControl : public TdxDockControl {
  VW_CLASS(TdxBarDockControl, TdxDockControl)
 public:
  explicit TdxBarDockControl(TComponent* AOwner) : TdxDockControl(AOwner) {}
};

// The toolbars of a manager and its four built-in dock sites.
class TdxBars : public TCollection {
  VW_CLASS(TdxBars, TCollection)
 public:
  explicit TdxBars(TdxBarManager* ABarManager);
  ~TdxBars() override;

  TdxBarManager* BarManager() const { return FBarManager; }
  TdxBar* Add() { return static_cast<TdxBar*>(TCollection::Add()); }
  TdxBar* Items(int Index) const { return static_cast<TdxBar*>(TCollection::Items(Index)); }
  // The built-in site of an edge (dsLeft .. dsBottom); nil for dsNone and after it was detached.
  TdxDockControl* DockControls(TdxBarDockingStyle Style) const;
  // Forgets the built-in site of an edge without freeing it (it is being destroyed).
  void ClearDockControl(TdxBarDockingStyle Style);
  // Creates the built-in sites on the manager's window once it has one.
  void CreateDockControls();

 protected:
  TPersistent* GetOwner() override;

 private:
  TdxBarManager* FBarManager;
  TdxDockControl* FDockControls[5] = {};
};
