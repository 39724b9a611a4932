// The buttons on a floating toolbar's caption, and a toolbar's merge data.
#include <algorithm>

#include "platform/win/Rects.h"
#include "ui/bars/Accessibility.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarScreenTips.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Component.h"

using namespace win;

// ---- TdxBarCaptionButton ------------------------------------------------------------------------

TdxBarCaptionButton::TdxBarCaptionButton(TCollection* ACollection)
    : TcxInterfacedCollectionItem(ACollection), FGlyph(new TBitmap) {
  FGlyph->OnChange = [this](TObject*) { Changed(false); };
}

TdxBarCaptionButton::~TdxBarCaptionButton() {
  DetachAccessibilityHelper(FAccessibilityHelper);
  FGlyph->OnChange = nullptr;
  delete FGlyph;
}

void TdxBarCaptionButton::DeclareProperties(TPropTable& t) {
  using B = TdxBarCaptionButton;
  t.Add("Enabled", &B::Enabled, &B::SetEnabled).SetDefault(true);
  t.Add("Hint", &B::Hint, &B::SetHint);
  t.Add("KeyTip", &B::KeyTip, &B::SetKeyTip);
  t.Add("ScreenTip", &B::ScreenTip, &B::SetScreenTip);
}

void TdxBarCaptionButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TdxBarCaptionButton*>(Source);
  if (!source) {
    TcxInterfacedCollectionItem::Assign(Source);
    return;
  }
  SetEnabled(source->Enabled());
  SetHint(source->Hint());
  SetKeyTip(source->KeyTip());
  SetScreenTip(source->ScreenTip());
  SetGlyph(source->Glyph());
  OnClick = source->OnClick;
}

TdxBar* TdxBarCaptionButton::Bar() const {
  auto* buttons = dynamic_cast<TdxBarCaptionButtons*>(Collection());
  return buttons ? buttons->Bar() : nullptr;
}

void TdxBarCaptionButton::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  SetState(Value ? dxBarCaptionButtonNormal : dxBarCaptionButtonDisabled);
}

void TdxBarCaptionButton::SetScreenTip(TdxBarScreenTip* Value) {
  if (FScreenTip == Value) return;
  FScreenTip = Value;
  if (auto* buttons = dynamic_cast<TdxBarCaptionButtons*>(Collection())) buttons->WatchScreenTip(Value);
}

void TdxBarCaptionButton::SetState(int Value) {
  if (FState == Value) return;
  FState = Value;
  TdxBar* bar = Bar();
  if (!bar || !bar->Control()) return;
  if (TdxBarManager* manager = bar->BarManager()) {
    if (FState == dxBarCaptionButtonHot)
      manager->SetHintObject(this);
    else if (manager->HintObject() == this)
      manager->SetHintObject(nullptr);
  }
  Changed(false);
}

void TdxBarCaptionButton::Click() {
  if (FEnabled && OnClick) OnClick(this);
}

// ---- TdxBarCaptionButtons -----------------------------------------------------------------------

TdxBarCaptionButtons::TdxBarCaptionButtons(TdxBar* ABar)
    : TcxOwnedInterfacedCollection(ABar, TdxBarCaptionButton::StaticClass()),
      FBar(ABar),
      FFreeNotificator(new TcxFreeNotificator(nullptr)) {
  FFreeNotificator->OnFreeNotification = [this](TComponent* Component) { ScreenTipFreed(Component); };
}

TdxBarCaptionButtons::~TdxBarCaptionButtons() {
  // The buttons go first: a manager's hint must not point at one of them.
  if (FBar && FBar->BarManager())
    for (int i = 0; i < Count(); ++i)
      if (FBar->BarManager()->HintObject() == Items(i)) FBar->BarManager()->SetHintObject(nullptr);
  DetachAccessibilityHelper(FAccessibilityHelper);
  FBar = nullptr;
  Clear();
  delete FFreeNotificator;
}

void TdxBarCaptionButtons::Update(TCollectionItem* Item) {
  TcxOwnedInterfacedCollection::Update(Item);
  if (FBar) FBar->CaptionButtonsChanged(Item ? Item->Index() : -1);
}

void TdxBarCaptionButtons::WatchScreenTip(TdxBarScreenTip* ATip) {
  if (ATip) FFreeNotificator->WatchComponent(ATip);
}

void TdxBarCaptionButtons::ScreenTipFreed(TComponent* ATip) {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->ScreenTip() == ATip) Items(i)->SetScreenTip(nullptr);
}

int TdxBarCaptionButtons::ButtonAtPoint(const TPoint& P) const {
  for (int i = 0; i < Count(); ++i) {
    TdxBarCaptionButton* button = Items(i);
    const RECT r = button->Rect();
    if (button->Enabled() && PtInRect(&r, POINT{P.X, P.Y})) return i;
  }
  return -1;
}

void TdxBarCaptionButtons::UpdateStates(const TPoint& P, bool APressed) {
  for (int i = 0; i < Count(); ++i) {
    TdxBarCaptionButton* button = Items(i);
    if (!button->Enabled()) continue;
    const RECT r = button->Rect();
    if (PtInRect(&r, POINT{P.X, P.Y}) || button->KeyboardSelected())
      button->SetState(APressed ? dxBarCaptionButtonPressed : dxBarCaptionButtonHot);
    else
      button->SetState(dxBarCaptionButtonNormal);
  }
}

TRect TdxBarCaptionButtons::Bounds() const {
  RECT result{};
  for (int i = 0; i < Count(); ++i) {
    const RECT r = Items(i)->Rect();
    if (!IsRectEmpty(&r)) UnionRect(&result, &result, &r);
  }
  return result;
}

// ---- TdxBarMergeData ----------------------------------------------------------------------------

TdxBarMergeData::TdxBarMergeData() : FFreeNotificator(new TcxFreeNotificator(nullptr)) {
  FFreeNotificator->OnFreeNotification = [this](TComponent* Component) { BarFreed(Component); };
}

TdxBarMergeData::~TdxBarMergeData() {
  ClearSavedMergedBars();
  delete FFreeNotificator;
}

void TdxBarMergeData::SaveMergedBars() {
  ClearSavedMergedBars();
  FSavedMergedBars = FMergedBars;
  for (TdxBar* bar : FSavedMergedBars) FFreeNotificator->WatchComponent(bar);
}

void TdxBarMergeData::ClearSavedMergedBars() {
  for (TdxBar* bar : FSavedMergedBars) FFreeNotificator->UnwatchComponent(bar);
  FSavedMergedBars.clear();
}

void TdxBarMergeData::BarFreed(TComponent* ABar) {
  std::erase_if(FSavedMergedBars, [ABar](TdxBar* Bar) { return Bar == ABar; });
}
