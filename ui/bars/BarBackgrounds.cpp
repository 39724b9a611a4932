#include "ui/bars/BarBackgrounds.h"

TdxBarBackgrounds::TdxBarBackgrounds(TdxBarManager* ABarManager)
    : TdxBarPersistent(ABarManager), FBar(new TBitmap), FSubMenu(new TBitmap) {
  FBar->OnChange = [this](TObject*) {
    if (OnChanged) OnChanged(this);
  };
}

TdxBarBackgrounds::~TdxBarBackgrounds() {
  FBar->OnChange = nullptr;
  delete FSubMenu;
  delete FBar;
}

void TdxBarBackgrounds::DeclareProperties(TPropTable& t) {
  t.Add("Bar", &TdxBarBackgrounds::Bar, &TdxBarBackgrounds::SetBar);
  t.Add("SubMenu", &TdxBarBackgrounds::SubMenu, &TdxBarBackgrounds::SetSubMenu);
}

void TdxBarBackgrounds::Assign(TPersistent* Source) {
  if (auto* source = dynamic_cast<TdxBarBackgrounds*>(Source)) {
    SetBar(source->Bar());
    SetSubMenu(source->SubMenu());
    return;
  }
  TdxBarPersistent::Assign(Source);
}

void TdxBarBackgrounds::SetBar(TBitmap* Value) {
  if (Value || !FBar->Empty()) FBar->Assign(Value);
}
