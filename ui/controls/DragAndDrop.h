#pragma once
// The objects of a library control's drags: its own drag-and-drop object, which a descendant
// replaces to move columns, rows or splitters, and the object of a platform drag of a control.
#include <functional>

#include "platform/classes/Controls.h"
#include "platform/classes/ImageList.h"
#include "ui/foundation/Canvas.h"

class TcxControl;

class TcxDragAndDropObject : public TObject {
  VW_CLASS(TcxDragAndDropObject, TObject)
 public:
  explicit TcxDragAndDropObject(TcxControl* AControl);

  TcxControl* Control() const { return FControl; }
  TcxCanvas* Canvas() const { return FCanvas; }
  bool Dirty() const { return FDirty; }
  void SetDirty(bool Value);
  TPoint CurMousePos{-1, -1};
  TPoint PrevMousePos{-1, -1};

  // Both points start at the mouse, then StartDragging.
  void Start();
  void Move(TPoint P, bool& Accepted);
  void Finish(bool Accepted);

  // Called whenever Dirty changes, and at the start.
  virtual void DirtyChanged() {}
  // The cursor in the control's client coordinates.
  virtual void CurrentMousePos(TPoint& P);
  virtual TCursor DragCursor(bool Accepted) { return Accepted ? crDrag : crNoDrop; }
  // Whether the operation starts at the press, without waiting for the drag threshold.
  virtual bool ReservedQuery() { return false; }
  virtual void EndDragging(bool Accepted) { (void)Accepted; }
  virtual void StartDragging() { DirtyChanged(); }
  virtual void DragMove(TPoint P, bool& Accepted);
  virtual void BeforeEnd(bool Accepted);

 private:
  TcxControl* FControl;
  TcxCanvas* FCanvas;
  bool FDirty = false;
};

// What a control makes its drag-and-drop object with: the class reference of a descendant.
using TcxDragAndDropObjectClass = std::function<TcxDragAndDropObject*(TcxControl* Control)>;

template <class T>
TcxDragAndDropObjectClass DragAndDropObjectClassOf() {
  return [](TcxControl* Control) -> TcxDragAndDropObject* { return new T(Control); };
}

// The platform drag object of library controls. It frees itself when the platform has finished
// the drag, so nothing of it may be read after Finished.
class TcxDragControlObject : public TDragControlObject {
  VW_CLASS(TcxDragControlObject, TDragControlObject)
 public:
  using TDragControlObject::TDragControlObject;
  // The library's drag-copy cursor while the target accepts and the copy key is down.
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;
};

using TcxDragControlObjectClass = std::function<TDragControlObject*(TControl* Control)>;

class TcxDragImageList : public TDragImageList {
  VW_CLASS(TcxDragImageList, TDragImageList)
 public:
  using TDragImageList::TDragImageList;
};

using TcxDragImageListClass = std::function<TcxDragImageList*()>;
