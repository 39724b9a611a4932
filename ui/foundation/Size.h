#pragma once
// A size that a form description can set: an owned sub-object whose dimensions never go below 0
// and are stored only when they are not 0.
#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/Types.h"

class TcxSize : public TPersistent {
  VW_CLASS(TcxSize, TPersistent)
 public:
  using CreateArgType = TPersistent;

  explicit TcxSize(TPersistent* AOwner);

  static void DeclareProperties(TPropTable& t);

  // Width for index 1, Height for any other index.
  virtual int GetDimension(int Index) const;
  // Width for a non-zero index, Height for 0.
  void SetDimension(int Index, int Value);
  // Negative values become 0; fires the change event only when the clamped size differs.
  virtual void AssignSize(const TSize& S);
  // The size as GetDimension reports it, so a descendant's reading is what assignments see.
  TSize CurrentSize() const { return TSize(GetDimension(1), GetDimension(0)); }
  virtual bool IsDimensionStored(int Index) const;
  void Assign(TPersistent* Source) override;

  bool IsZero() const { return FSize.cx == 0 && FSize.cy == 0; }
  bool EqualsSize(const TSize& S) const { return FSize == S; }
  bool EqualsOther(const TcxSize* Other) const { return EqualsSize(Other->CurrentSize()); }
  // The stored size itself, for readers and writers that must not fire the change event.
  TSize* SizeData() { return &FSize; }

  int Height() const { return GetDimension(0); }
  void SetHeight(int v) { SetDimension(0, v); }
  int Width() const { return GetDimension(1); }
  void SetWidth(int v) { SetDimension(1, v); }

  // Not published: the owner wires it.
  TNotifyEvent OnChange;

 protected:
  virtual void RaiseChange();
  TPersistent* GetOwner() override { return FOwner; }

 private:
  bool IsHeightStored() const { return IsDimensionStored(0); }
  bool IsWidthStored() const { return IsDimensionStored(1); }

  TPersistent* FOwner;
  TSize FSize;
};
