#pragma once
// A rectangle that a form description can set: an owned sub-object with the four sides published
// and a change event that fires only when the stored rectangle really changes.
#include "platform/classes/Persistent.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/Types.h"

class TcxRect : public TPersistent {
  VW_CLASS(TcxRect, TPersistent)
 public:
  using CreateArgType = TPersistent;

  explicit TcxRect(TPersistent* AOwner);

  static void DeclareProperties(TPropTable& t);

  // 0 Left, 1 Top, 2 Right; any other index reads Bottom.
  int GetSide(int Index) const;
  // 0 Left, 1 Top, 2 Right, 3 Bottom; another index changes nothing.
  void SetSide(int Index, int Value);
  void AssignRect(const TRect& R);
  // Another TcxRect's rectangle; any other source is ignored without an error.
  void Assign(TPersistent* Source) override;

  bool EqualsRect(const TRect& R) const { return FRect == R; }
  bool EqualsOther(const TcxRect* Other) const { return EqualsRect(Other->FRect); }
  TRect Rect() const { return FRect; }
  // The stored rectangle itself, for readers and writers that must not fire OnChange.
  TRect* RectData() { return &FRect; }

  int Left() const { return GetSide(0); }
  void SetLeft(int v) { SetSide(0, v); }
  int Top() const { return GetSide(1); }
  void SetTop(int v) { SetSide(1, v); }
  int Right() const { return GetSide(2); }
  void SetRight(int v) { SetSide(2, v); }
  int Bottom() const { return GetSide(3); }
  void SetBottom(int v) { SetSide(3, v); }

  TNotifyEvent OnChange;

 protected:
  // A descendant's chance to correct a rectangle before it is stored.
  virtual void AdjustNewRect(TRect&) {}
  void FireChange();
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
  TRect FRect;
};

// Registers TcxRect with the class registry so that a form description may name it; counted, so
// that several start-ups need as many shutdowns.
void RegisterGeometryClasses();
void UnregisterGeometryClasses();
