#pragma once
// Painters chosen by name rather than by kind: each skin registers one painter class under its
// name, with the data its painter reads at paint time. Look-and-feel objects that paint with a
// registered painter listen here, so adding or removing a skin repaints them at once.
#include <vector>

#include "platform/classes/Interface.h"
#include "platform/classes/Object.h"
#include "ui/foundation/Painters.h"

class IcxPainterRegistryListener : public virtual IInterface {
 public:
  // PainterClass was just registered, or is about to go.
  virtual void PainterRegistryChanged(TcxCustomLookAndFeelPainterClass PainterClass) = 0;
};

// One entry: owns its data object.
class TcxExtendedStylePainterInfo : public TObject {
  VW_CLASS(TcxExtendedStylePainterInfo, TObject)
 public:
  TcxExtendedStylePainterInfo(TObject* AData, const String& AName, TcxCustomLookAndFeelPainterClass APainter)
      : FData(AData), FName(AName), FPainter(APainter) {}
  ~TcxExtendedStylePainterInfo() override { TObject::Free(FData); }

  TObject* Data() const { return FData; }
  const String& Name() const { return FName; }
  TcxCustomLookAndFeelPainterClass Painter() const { return FPainter; }

 private:
  TObject* FData;
  String FName;
  TcxCustomLookAndFeelPainterClass FPainter;
};

class TcxExtendedStylePainters : public TObject {
  VW_CLASS(TcxExtendedStylePainters, TObject)
 public:
  TcxExtendedStylePainters() = default;
  // Frees every remaining entry with its data.
  ~TcxExtendedStylePainters() override;

  // False, with nothing changed and Info still the caller's, when the name is taken in any letter
  // case (or is empty, or the class is null). Else the registry owns Info from now on.
  bool RegisterPainter(const String& Name, TcxCustomLookAndFeelPainterClass PainterClass, TObject* Info);
  // The listeners hear of the removal while the entry still exists; then it and its data go.
  bool UnregisterPainter(const String& Name);
  // Names compare without regard to case; PainterClass is written only when found.
  bool FindPainter(const String& Name, TcxCustomLookAndFeelPainterClass& PainterClass) const;
  // The first entry of the class in name order; Name is cleared when there is none.
  bool NameOfPainter(TcxCustomLookAndFeelPainterClass PainterClass, String& Name) const;
  // The first entry's data; the registry keeps it. Info is cleared when there is none.
  bool InfoOfPainter(TcxCustomLookAndFeelPainterClass PainterClass, TObject*& Info) const;

  int Count() const { return static_cast<int>(FItems.size()); }
  TcxExtendedStylePainterInfo* Items(int Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
  const String& Names(int Index) const { return Items(Index)->Name(); }
  TcxCustomLookAndFeelPainterClass Painters(int Index) const { return Items(Index)->Painter(); }

  void AddListener(IcxPainterRegistryListener* Listener);
  void RemoveListener(IcxPainterRegistryListener* Listener);

 private:
  void NotifyListeners(TcxCustomLookAndFeelPainterClass PainterClass);
  int IndexOfName(const String& Name) const;

  // Sorted by name in the locale's case-sensitive order.
  std::vector<TcxExtendedStylePainterInfo*> FItems;
  std::vector<IcxPainterRegistryListener*> FListeners;
};

// The single registry between the painters' start-up and shutdown; null outside them.
TcxExtendedStylePainters* ExtendedStylePainterRegistry();
