#include "ui/foundation/Rect.h"

TcxRect::TcxRect(TPersistent* AOwner) : FOwner(AOwner) {}

void TcxRect::DeclareProperties(TPropTable& t) {
  t.Add("Left", &TcxRect::Left, &TcxRect::SetLeft).SetDefault(0);
  t.Add("Top", &TcxRect::Top, &TcxRect::SetTop).SetDefault(0);
  t.Add("Right", &TcxRect::Right, &TcxRect::SetRight).SetDefault(0);
  t.Add("Bottom", &TcxRect::Bottom, &TcxRect::SetBottom).SetDefault(0);
  t.Add("OnChange", &TcxRect::OnChange);
}

int TcxRect::GetSide(int Index) const {
  switch (Index) {
    case 0:
      return FRect.Left;
    case 1:
      return FRect.Top;
    case 2:
      return FRect.Right;
    default:
      return FRect.Bottom;
  }
}

void TcxRect::SetSide(int Index, int Value) {
  TRect r = FRect;
  switch (Index) {
    case 0:
      r.Left = Value;
      break;
    case 1:
      r.Top = Value;
      break;
    case 2:
      r.Right = Value;
      break;
    case 3:
      r.Bottom = Value;
      break;
    default:
      break;
  }
  AssignRect(r);
}

void TcxRect::AssignRect(const TRect& R) {
  TRect r = R;
  AdjustNewRect(r);
  if (r == FRect) return;
  FRect = r;
  FireChange();
}

void TcxRect::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxRect*>(Source)) AssignRect(other->FRect);
}

void TcxRect::FireChange() {
  if (OnChange) OnChange(this);
}

namespace {
int gGeometryRegistrations = 0;
}

void RegisterGeometryClasses() {
  if (gGeometryRegistrations++ == 0) RegisterClasses({TcxRect::StaticClass()});
}

void UnregisterGeometryClasses() {
  if (gGeometryRegistrations > 0 && --gGeometryRegistrations == 0) UnRegisterClasses({TcxRect::StaticClass()});
}
