#include "ui/controls/DragAndDrop.h"

#include "platform/classes/Forms.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/controls/Control.h"

TcxDragAndDropObject::TcxDragAndDropObject(TcxControl* AControl)
    : FControl(AControl), FCanvas(AControl ? AControl->Canvas() : nullptr) {}

void TcxDragAndDropObject::SetDirty(bool Value) {
  if (FDirty == Value) return;
  FDirty = Value;
  DirtyChanged();
}

void TcxDragAndDropObject::CurrentMousePos(TPoint& P) {
  win::POINT p;
  GetCursorPosition(p);
  P = FControl->ScreenToClient(p);
}

void TcxDragAndDropObject::Start() {
  TPoint p;
  CurrentMousePos(p);
  CurMousePos = p;
  PrevMousePos = p;
  StartDragging();
}

void TcxDragAndDropObject::Move(TPoint P, bool& Accepted) {
  PrevMousePos = CurMousePos;
  CurMousePos = P;
  DragMove(P, Accepted);
}

void TcxDragAndDropObject::Finish(bool Accepted) {
  BeforeEnd(Accepted);
  EndDragging(Accepted);
}

void TcxDragAndDropObject::DragMove(TPoint, bool& Accepted) {
  SetDirty(false);
  if (Screen) Screen->SetCursor(DragCursor(Accepted));
}

void TcxDragAndDropObject::BeforeEnd(bool) { SetDirty(true); }

TCursor TcxDragControlObject::GetDragCursor(bool Accepted, int X, int Y) {
  auto* control = dynamic_cast<TcxControl*>(Control());
  if (Accepted && control && control->IsDragCopyKeyDown()) return crcxDragCopy;
  return TDragControlObject::GetDragCursor(Accepted, X, Y);
}

void TcxDragControlObject::Finished(TObject* Target, int X, int Y, bool Accepted) {
  TDragControlObject::Finished(Target, X, Y, Accepted);
  delete this;
}
