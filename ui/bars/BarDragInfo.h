#pragma once
// Dragging an item link between bars while customizing, or an item from the customization
// dialog's command list onto a bar: a modal loop that holds the mouse, finds where the link would
// drop, shows that with the drag cursors and an inverted insertion mark, and edits the links on
// the button's release.
#include "platform/classes/Controls.h"
#include "ui/foundation/Types.h"

class TCustomdxBarControl;
class TCustomListBox;
class TcxObjectLink;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarManager;

class TdxBarDragInfo : public TObject {
  VW_CLASS(TdxBarDragInfo, TObject)
 public:
  // 0 no drag, 1 no drop here, 2 over the dragged link's own place, 3 over a category of the
  // customization dialog, 4 copy, 5 move.
  enum TDragState { dsNoDrag = 0, dsNoDrop = 1, dsOwnPlace = 2, dsCategory = 3, dsCopy = 4, dsMove = 5 };

  explicit TdxBarDragInfo(TdxBarManager* ABarManager) : FBarManager(ABarManager) {}
  ~TdxBarDragInfo() override;

  // Takes the mouse for the drag of the item (and its link; none from the command list).
  void BeginDrag(TdxBarItem* AItem, TdxBarItemLink* ALink);
  // Follows the mouse and the keys until the button goes up (a drop), Escape or a lost capture.
  void RunDrag();
  // Gives the mouse back and forgets the drag; runs whatever RunDrag did.
  void EndDrag();

  // Between BeginDrag and EndDrag.
  bool Running() const { return FRunning; }
  int DraggingState() const { return FDraggingState; }
  // What is dragged: armed by a press on a design-selected link, kept while the drag runs.
  TdxBarItem* DraggedItem() const { return FDraggingItem; }
  TdxBarItemLink* DraggedLink() const { return FDraggingLink; }
  void SetDragged(TdxBarItem* AItem, TdxBarItemLink* ALink) {
    FDraggingItem = AItem;
    FDraggingLink = ALink;
  }
  // The window of the menu the dragged link came from, kept alive while the drag runs.
  win::HWND LinkParentWindow() const { return FLinkParentWindow; }
  void SetLinkParentWindow(win::HWND Value) { FLinkParentWindow = Value; }
  // The window holding the mouse while the drag runs.
  win::HWND CaptureWindow() const { return FCaptureWindow; }

  // The last drop target: the bar (none once it is gone) and the link under the mouse.
  TCustomdxBarControl* DragOverBar() const;
  TdxBarItemLink* DragOverLink() const;
  bool MarkVisible() const { return FMarkVisible; }
  // The rectangle the shown mark was drawn for, in its bar's client coordinates.
  const TRect& MarkRect() const { return FMarkRect; }

  // The customization dialog's category list, a line per category in the manager's order; the
  // dialog hands it over while it stands and takes it back (nil) before it goes.
  void SetCategoryList(TCustomListBox* AList);
  TCustomListBox* CategoryList() const;

 private:
  void MouseMoved(const TPoint& AScreen, bool ACopyKey);
  // Runs the state rule at the cursor again with the copy key as given.
  void CopyKeyChanged(bool ACopyKey);
  // True when the category list decided the state.
  bool CategoryDragged(win::HWND AWindow, const TPoint& AScreen);
  void FindDropTarget(const TPoint& AScreen);
  void SetDragOverBar(TCustomdxBarControl* ABar);
  void SetDragOverLink(TdxBarItemLink* ALink);
  void SetDragOverPosition(bool AVertical, bool ABefore, bool AOnSeparator);
  bool HasDropTarget() const;
  bool LeavesInPlace() const;
  void SetDraggingState(int AState);
  void BeginFeedbackUpdate() { ++FLockCount; }
  void EndFeedbackUpdate();
  void UpdateFeedback();
  void ShowMark();
  void HideMark();
  void DrawMark();
  void Drop();
  void DropOnOwnPlace();
  void DropOnCategory();
  void DropCopyOrMove(bool AMove);
  // The dragged link hands on its group separator and goes; the drag forgets it.
  void RemoveDraggedLink();

  TdxBarManager* FBarManager;
  bool FRunning = false;
  int FLockCount = 0;
  bool FModified = false;
  win::HWND FCaptureWindow = nullptr;
  TCursor FDefaultCursor = 0;
  TPoint FDragDownPoint{};
  bool FMarkVisible = false;
  TcxObjectLink* FMarkBar = nullptr;
  bool FMarkFirstPart = false;
  TRect FMarkRect{};
  bool FMarkVertical = false;
  TdxBarItem* FDraggingItem = nullptr;
  TdxBarItemLink* FDraggingLink = nullptr;
  win::HWND FLinkParentWindow = nullptr;
  int FDraggingState = dsNoDrag;
  bool FCopyKey = false;
  bool FDragOverFirstPart = false;
  bool FDragOverBeginGroup = false;
  bool FDragOverVertical = false;
  TcxObjectLink* FDragOverBar = nullptr;
  TdxBarItemLink* FDragOverLink = nullptr;
  TCustomListBox* FCategoryList = nullptr;
};
