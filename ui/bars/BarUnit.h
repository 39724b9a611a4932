#pragma once
// The bar library's process-wide state: the lists of live managers and bar windows, the item-class
// registry, the shared drawing objects, the optional layered-window entry points and the menu
// sounds, made by BarUnitStartup before any form exists and freed by BarUnitShutdown after the
// application's forms are gone.
#include "platform/classes/Lists.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Hooks.h"
#include "platform/win/Window.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarPainters.h"

class TdxBarDesignController;

// An object list that never owns its members.
class TdxObjectList : public TObjectList {
  VW_CLASS(TdxObjectList, TObjectList)
 public:
  TdxObjectList() : TObjectList(false) {}

  // Adds a non-nil object that is not listed yet.
  void AddUnique(TObject* AObject);
  // Clears this list, takes the source's capacity and copies its objects (uniquely when this is a
  // TdxObjectList, as it always is).
  void CopyFrom(const TObjectList* Source);
  TObject* LastObject() const { return Count() > 0 ? Last() : nullptr; }
  // Nil out of range.
  TObject* ObjectAt(int Index) const { return Index >= 0 && Index < Count() ? Items(Index) : nullptr; }
};

// Every live bar manager, in order of creation.
class TdxBarManagerList : public TdxObjectList {
  VW_CLASS(TdxBarManagerList, TdxObjectList)
 public:
  // Nil out of range.
  TdxBarManager* Managers(int Index) const;
  // The first manager in customizing mode; nil for none.
  TdxBarManager* FirstCustomizing() const;
  // The next (or previous) manager, going round, whose owner lies in Manager's top-level form and
  // that, on an MDI child, sits on the active one; Manager itself when there is no other, nil for
  // an unlisted one. Keyboard routing moves between the bars of one window with these.
  TdxBarManager* NextOfSameForm(TdxBarManager* Manager) const { return StepOfSameForm(Manager, 1); }
  TdxBarManager* PreviousOfSameForm(TdxBarManager* Manager) const { return StepOfSameForm(Manager, -1); }

 private:
  TdxBarManager* StepOfSameForm(TdxBarManager* Manager, int Step) const;
};

// One row of the item-class registry.
class TRegItemRecord : public TObject {
  VW_CLASS(TRegItemRecord, TObject)
 public:
  TdxBarItemClass RegisteredItemClass = nullptr;
  TdxBarItemControlClass ItemControlClass = nullptr;
  bool ListedInEditors = false;
};

// Which control shows which kind of item. Each row's item class is registered for streaming while
// the row is listed, so forms can store items of that kind.
class TdxBarItemList : public TObject {
  VW_CLASS(TdxBarItemList, TObject)
 public:
  TdxBarItemList() = default;
  ~TdxBarItemList() override;

  void Add(TdxBarItemClass ItemClass, TdxBarItemControlClass ControlClass, bool ListedInEditors);
  void Delete(int Index);
  int Count() const { return FRecords.Count(); }
  TRegItemRecord* Records(int Index) const { return static_cast<TRegItemRecord*>(FRecords.Items(Index)); }
  TdxBarItemClass ItemClasses(int Index) const { return Records(Index)->RegisteredItemClass; }
  int ListedCount() const;
  // The n-th listed row's item class, counting listed rows only; nil out of range.
  TdxBarItemClass ListedItemClass(int Index) const;
  // The control class of the first row of exactly that item class (no inheritance); nil for none.
  TdxBarItemControlClass ControlClassOf(TdxBarItemClass ItemClass) const;

 private:
  TList FRecords;
};

// Cursor numbers of the drag cursors in Screen.Cursors.
constexpr int crdxBarDrag = 1041, crdxBarDragCopy = 1042, crdxBarDragNoDrop = 1043, crdxBarEditSizing = 1044;

using TUpdateLayeredWindowProc = win::BOOL (*)(win::HWND, win::HDC, const win::POINT*, const win::SIZE*, win::HDC,
                                               const win::POINT*, win::COLORREF, const win::BLENDFUNCTION*, win::DWORD);
using TAnimateWindowProc = win::BOOL (*)(win::HWND, win::DWORD, win::DWORD);
using TSetLayeredWindowAttributesProc = win::BOOL (*)(win::HWND, win::COLORREF, win::BYTE, win::DWORD);

// Set by the shutdown's first step: from then on the lazy singletons answer nil and make nothing.
extern bool BarUnitFinalizing;
extern TdxBarManagerList* BarManagers;
extern TdxObjectList* BarControls;
extern TdxBarNavigationController* BarNavigationController;
extern int ScreenColorDepth;
extern win::HBRUSH CheckerBrush;
extern TUpdateLayeredWindowProc UpdateLayeredWindowProc;
extern TAnimateWindowProc AnimateWindowProc;
extern TSetLayeredWindowAttributesProc SetLayeredWindowAttributesProc;
extern bool PlaySounds;
// Only the skin bar painter's unit writes it.
extern TdxBarPainterClass DefaultBarPainterClass;

TdxBarItemList* BarItemClasses();
TdxBarDesignController* BarDesignController();
// The one flat painter that painters borrowing flat drawing share; made on first use.
TdxBarFlatPainter* SharedFlatPainter();

// Adds a row to the registry and registers the item class for streaming.
void RegisterItemControlClass(TdxBarItemClass ItemClass, TdxBarItemControlClass ControlClass, bool ListedInEditors);

// Bar windows list themselves while they live; both are harmless once the list is gone.
void AddBarControl(TCustomdxBarControl* Control);
void RemoveBarControl(TCustomdxBarControl* Control);
// Whether the pointer is a bar window still alive (false for nil and unlisted pointers).
bool IsBarControlAlive(const void* Control);

void RefreshScreenConstants();
void RefreshCheckerBrush();
// Floating toolbars' transparency: layered below 255, plain (and redrawn) at 255; nothing without
// the layered-window entry point.
void SetWindowAlpha(win::HWND Window, win::BYTE Alpha);
// 0: a menu opens, 1: a command runs, 2: stop any sound.
void PlayBarSound(int Kind);

// The texts' start-up runs first and their shutdown last; each pair runs once however often it
// is called.
void BarUnitStartup();
void BarUnitShutdown();
// Frees the toolbar windows still waiting to be freed after their form's window went.
void dxBarToolbarWindowsShutdown();
