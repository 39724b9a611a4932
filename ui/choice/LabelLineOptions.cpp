#include "ui/choice/LabelLineOptions.h"

void TcxLabelLineOptions::DeclareProperties(TPropTable& t) {
  using L = TcxLabelLineOptions;
  t.Add("Alignment", &L::Alignment, &L::SetAlignment).SetDefault(cxllaCenter);
  t.Add("InnerColor", &L::InnerColor, &L::SetInnerColor).Idents(&ColorToIdent, &IdentToColor).SetDefault(clDefault);
  t.Add("OuterColor", &L::OuterColor, &L::SetOuterColor).Idents(&ColorToIdent, &IdentToColor).SetDefault(clDefault);
  t.Add("Visible", &L::Visible, &L::SetVisible).SetDefault(false);
}

void TcxLabelLineOptions::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TcxLabelLineOptions*>(Source)) {
    FVisible = source->FVisible;
    FAlignment = source->FAlignment;
    FInnerColor = source->FInnerColor;
    FOuterColor = source->FOuterColor;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

void TcxLabelLineOptions::Changed() {
  if (OnChanged) OnChanged();
}

void TcxLabelLineOptions::SetAlignment(TcxLabelLineAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed();
}

void TcxLabelLineOptions::SetInnerColor(TColor Value) {
  if (FInnerColor == Value) return;
  FInnerColor = Value;
  Changed();
}

void TcxLabelLineOptions::SetOuterColor(TColor Value) {
  if (FOuterColor == Value) return;
  FOuterColor = Value;
  Changed();
}

void TcxLabelLineOptions::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed();
}
