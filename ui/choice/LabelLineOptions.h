#pragma once
// The settings of the etched line a label can draw beside its text. Every change is told to the
// owning label properties through OnChanged.
#include <functional>

#include "platform/classes/Graphics.h"
#include "platform/classes/Persistent.h"
#include "ui/choice/LabelLayout.h"

class TcxLabelLineOptions : public TPersistent {
  VW_CLASS(TcxLabelLineOptions, TPersistent)
 public:
  TcxLabelLineOptions() = default;
  static void DeclareProperties(TPropTable& t);

  // From other line options: all four settings, then one change.
  void Assign(TPersistent* Source) override;

  TcxLabelLineAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TcxLabelLineAlignment Value);
  TColor InnerColor() const { return FInnerColor; }
  void SetInnerColor(TColor Value);
  TColor OuterColor() const { return FOuterColor; }
  void SetOuterColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  std::function<void()> OnChanged;

 protected:
  void Changed();

 private:
  TcxLabelLineAlignment FAlignment = cxllaCenter;
  TColor FInnerColor = clDefault;
  TColor FOuterColor = clDefault;
  bool FVisible = false;
};
