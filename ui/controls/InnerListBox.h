#pragma once
// The list box that sits inside a container or a popup: the library's own scroll bars stand over
// its system bars on the parent, mouse, key, drag and wheel input go to the container first, and
// typing searches its items.
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "ui/controls/Container.h"
#include "ui/controls/ScrollBar.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"

class TcxCustomInnerListBox : public TListBox, public IcxContainerInnerControl {
  VW_CLASS(TcxCustomInnerListBox, TListBox)
 public:
  explicit TcxCustomInnerListBox(TComponent* AOwner);
  ~TcxCustomInnerListBox() override;
  static void DeclareProperties(TPropTable& t);

  // Milliseconds of quiet after which typing starts a new search.
  win::DWORD AutoCompleteDelay() const { return FAutoCompleteDelay; }
  void SetAutoCompleteDelay(win::DWORD Value) { FAutoCompleteDelay = Value; }
  // Set by the container that hosts the list box; null when it stands alone.
  TcxContainer* Container() const { return FContainer; }
  void SetContainer(TcxContainer* Value) { FContainer = Value; }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  TcxScrollBar* HScrollBar() const { return FHScrollBar; }
  TcxScrollBar* VScrollBar() const { return FVScrollBar; }
  TcxCanvas* ListCanvas() const { return FCanvas.get(); }
  const String& SearchText() const { return FSearchText; }

  void SaveCanvasColors();
  void RestoreCanvasColors();
  // The square between the two library bars in the list box's window coordinates; empty while
  // either is hidden.
  TRect SizeGripRect();

  // ---- virtual operations --------------------------------------------------------------------------
  virtual void IncrementalSearchKey(TChar& Key);
  virtual void AppearanceChanged();
  // No OnDrawItem: the list draws its items and their focus frame itself.
  virtual bool UsesOwnItemDrawing() { return !OnDrawItem; }
  // Mirrors the system scroll bars on the library's.
  virtual void SyncScrollBars();

  // IcxContainerInnerControl
  TcxContainer* ControlContainer() override { return FContainer; }
  TWinControl* InnerControl() override { return this; }

 protected:
  void Click() override;
  void DblClick() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyUp(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  void DragDrop(TObject* Source, int X, int Y) override;
  void DoContextPopup(win::POINT MousePos, bool& Handled) override;
  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  void DestroyWnd() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TcxScrollBar* MakeScrollBar(TScrollBarKind Kind);
  void SyncScrollBar(TcxScrollBar* Bar);
  void HScrollBarScroll(TScrollCode ScrollCode, int& ScrollPos);
  void VScrollBarScroll(TScrollCode ScrollCode, int& ScrollPos);
  bool UsesLibraryScrollBars() const;
  void PaintSizeGrip(win::HDC DC);
  void HandleLeftButtonDown(TMessage& Message);
  void DrawItemMessage(TMessage& Message);

  win::DWORD FAutoCompleteDelay = 500;
  String FSearchText;
  std::unique_ptr<TcxCanvas> FCanvas;
  TcxScrollBar* FHScrollBar = nullptr;
  bool FRedrawSuspended = false;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  TColor FSavedBrushColor = clWindow;
  TColor FSavedFontColor = clWindowText;
  win::DWORD FLastSearchTime = 0;
  bool FScrollBarsSyncing = false;
  int FScrollBarsSyncLock = 0;
  TcxScrollBar* FVScrollBar = nullptr;
  TcxContainer* FContainer = nullptr;
};
