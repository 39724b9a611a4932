#include "ui/foundation/Size.h"

TcxSize::TcxSize(TPersistent* AOwner) : FOwner(AOwner) {}

void TcxSize::DeclareProperties(TPropTable& t) {
  t.Add("Height", &TcxSize::Height, &TcxSize::SetHeight).Stored(&TcxSize::IsHeightStored);
  t.Add("Width", &TcxSize::Width, &TcxSize::SetWidth).Stored(&TcxSize::IsWidthStored);
}

int TcxSize::GetDimension(int Index) const { return Index == 1 ? FSize.cx : FSize.cy; }

void TcxSize::SetDimension(int Index, int Value) {
  TSize s = CurrentSize();
  if (Index != 0)
    s.cx = Value;
  else
    s.cy = Value;
  AssignSize(s);
}

void TcxSize::AssignSize(const TSize& S) {
  const TSize clamped(S.cx < 0 ? 0 : S.cx, S.cy < 0 ? 0 : S.cy);
  if (clamped == FSize) return;
  FSize = clamped;
  RaiseChange();
}

bool TcxSize::IsDimensionStored(int Index) const { return (Index != 0 ? FSize.cx : FSize.cy) != 0; }

void TcxSize::Assign(TPersistent* Source) {
  if (auto* other = dynamic_cast<TcxSize*>(Source))
    AssignSize(other->CurrentSize());
  else
    TPersistent::Assign(Source);
}

void TcxSize::RaiseChange() {
  if (OnChange) OnChange(this);
}
