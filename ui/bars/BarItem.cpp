#include "ui/bars/BarItem.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/classes/SysUtils.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarScreenTips.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/ObjectLinks.h"

using namespace win;
using namespace dxBarStrs;

TdxBarCustomizationEntryPainter dxBarCustomizationEntryPainter;

namespace {

// Releases what a step took also when the step fails.
template <class F>
struct Finally {
  F f;
  ~Finally() { f(); }
};
template <class F>
Finally(F) -> Finally<F>;

// At most Count characters of Text.
String FirstCharacters(const String& Text, std::size_t Count) {
  std::size_t i = 0;
  for (std::size_t n = 0; i < Text.size() && n < Count; ++n)
    do ++i;
    while (i < Text.size() && (static_cast<unsigned char>(Text[i]) & 0xC0) == 0x80);
  return Text.substr(0, i);
}

// The form (or other top component) whose handlers a component's events are bound by name in.
TComponent* HandlerRoot(TComponent* C) {
  while (C && C->Owner() && C->Owner() != Application) C = C->Owner();
  return C;
}

}  // namespace

// ---- TdxBarItemStylesData ------------------------------------------------------------------------

TdxBarItemStylesData::TdxBarItemStylesData(TPersistent* AOwner, int ACount,
                                           std::function<void(TdxBarItemStyleChange)> AOnChange)
    : TcxInterfacedPersistent(AOwner), FSlots(static_cast<std::size_t>(ACount)), FOnChange(std::move(AOnChange)) {}

TdxBarItemStylesData::~TdxBarItemStylesData() {
  FDestroying = true;
  for (Slot& slot : FSlots)
    if (slot.Style) {
      TcxStyle* style = slot.Style;
      for (Slot& other : FSlots)
        if (other.Style == style) other.Style = nullptr;
      style->UnregisterObserver(this);
    }
}

bool TdxBarItemStylesData::Holds(TcxStyle* Style) const {
  return std::any_of(FSlots.begin(), FSlots.end(), [Style](const Slot& s) { return s.Style == Style; });
}

void TdxBarItemStylesData::SetStyles(int Index, TcxStyle* Value) {
  Slot& slot = FSlots.at(static_cast<std::size_t>(Index));
  if (slot.Style == Value) return;
  TcxStyle* old = slot.Style;
  if (Value && !Holds(Value)) Value->RegisterObserver(this);
  slot.Style = Value;
  if (old && !Holds(old)) old->UnregisterObserver(this);
  BeginChange();
  Finally done{[this] { EndChange(); }};
  Examine(slot);
}

TdxBarItemStylesData::Snapshot TdxBarItemStylesData::Take(TcxStyle* Style) {
  Snapshot s;
  if (!Style) return s;
  s.Assigned = Style->AssignedValues();
  s.Color = Style->Color();
  s.TextColor = Style->TextColor();
  TFont* f = Style->Font();
  s.FontHeight = f->Height();
  s.FontPitch = f->Pitch();
  s.FontStyle = f->Style();
  s.FontCharset = f->Charset();
  // Font names count up to 31 characters, as the system keeps them.
  s.FontName = FirstCharacters(f->Name(), 31);
  return s;
}

TdxBarItemStyleChange TdxBarItemStylesData::Compare(const Snapshot& Old, const Snapshot& New) {
  auto differs = [&](TcxStyleValue v, bool sameValue) {
    bool a = Old.Assigned.Contains(v), b = New.Assigned.Contains(v);
    return a != b || (a && b && !sameValue);
  };
  bool sameFont = Old.FontHeight == New.FontHeight && Old.FontPitch == New.FontPitch &&
                  Old.FontStyle == New.FontStyle && Old.FontCharset == New.FontCharset && Old.FontName == New.FontName;
  if (differs(svFont, sameFont)) return iscLayout;
  if (differs(svColor, ColorToRGB(Old.Color) == ColorToRGB(New.Color)) ||
      differs(svTextColor, ColorToRGB(Old.TextColor) == ColorToRGB(New.TextColor)))
    return iscPaint;
  return iscNone;
}

void TdxBarItemStylesData::Examine(Slot& ASlot) {
  Snapshot now = Take(ASlot.Style);
  Note(Compare(ASlot.Seen, now));
  ASlot.Seen = now;
}

void TdxBarItemStylesData::Note(TdxBarItemStyleChange Change) {
  if (Change > FPending) FPending = Change;
}

void TdxBarItemStylesData::EndChange() {
  if (--FChangeLevel > 0) return;
  TdxBarItemStyleChange change = FPending;
  FPending = iscNone;
  if (change != iscNone && !FDestroying && FOnChange) FOnChange(change);
}

void TdxBarItemStylesData::StyleChanged(TcxCustomStyle* Sender) {
  BeginChange();
  Finally done{[this] { EndChange(); }};
  for (Slot& slot : FSlots)
    if (slot.Style == Sender) Examine(slot);
}

void TdxBarItemStylesData::StyleRemoved(TcxCustomStyle* Sender) {
  BeginChange();
  Finally done{[this] { EndChange(); }};
  for (Slot& slot : FSlots)
    if (slot.Style == Sender) {
      slot.Style = nullptr;
      Examine(slot);
    }
  Sender->UnregisterObserver(this);
}

TdxBarItemStyleValues TdxBarItemStylesData::Values(int Index) const {
  TdxBarItemStyleValues v;
  TcxStyle* style = Styles(Index);
  if (!style) return v;
  TcxStyleValues a = style->AssignedValues();
  if (a.Contains(svBitmap)) v.Bitmap = style->Bitmap();
  if (a.Contains(svColor)) v.Color = style->Color();
  if (a.Contains(svFont)) v.Font = style->Font();
  if (a.Contains(svTextColor)) v.TextColor = style->TextColor();
  return v;
}

// ---- TdxBarItemActionLink ------------------------------------------------------------------------

void TdxBarItemActionLink::AssignClient(TObject* AClient) {
  FClient = dynamic_cast<TdxBarItem*>(AClient);
  if (!FClient) RaiseInvalidCast();
}

bool TdxBarItemActionLink::IsCaptionLinked() {
  auto* a = CustomAction();
  return TActionLink::IsCaptionLinked() && a && FClient->Caption() == a->Caption();
}
bool TdxBarItemActionLink::IsCheckedLinked() {
  auto* a = CustomAction();
  return TActionLink::IsCheckedLinked() && a && FClient->HasDown() && FClient->ActionDown() == a->Checked();
}
bool TdxBarItemActionLink::IsEnabledLinked() {
  auto* a = CustomAction();
  return TActionLink::IsEnabledLinked() && a && FClient->Enabled() == a->Enabled();
}
bool TdxBarItemActionLink::IsHelpContextLinked() {
  auto* a = CustomAction();
  return TActionLink::IsHelpContextLinked() && a && FClient->HelpContext() == a->HelpContext();
}
bool TdxBarItemActionLink::IsHintLinked() {
  auto* a = CustomAction();
  return TActionLink::IsHintLinked() && a && (FClient->Hint() == a->Hint() || FClient->HintMatchesCaption());
}
bool TdxBarItemActionLink::IsImageIndexLinked() {
  auto* a = CustomAction();
  return TActionLink::IsImageIndexLinked() && a && FClient->ActionImageIndex() == a->ImageIndex();
}
bool TdxBarItemActionLink::IsShortCutLinked() {
  auto* a = CustomAction();
  return TActionLink::IsShortCutLinked() && a && FClient->ShortCut() == a->ShortCut();
}
bool TdxBarItemActionLink::IsVisibleLinked() {
  auto* a = CustomAction();
  return TActionLink::IsVisibleLinked() && a && FClient->Visible() == (a->Visible() ? ivAlways : ivNever);
}
bool TdxBarItemActionLink::IsOnExecuteLinked() {
  return TBasicActionLink::IsOnExecuteLinked() && FClient->SameHandlerAsAction();
}

void TdxBarItemActionLink::SetCaption(const String& Value) {
  if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TdxBarItemActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) FClient->SetActionDown(Value);
}
void TdxBarItemActionLink::SetEnabled(bool Value) {
  if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TdxBarItemActionLink::SetHelpContext(int Value) {
  if (IsHelpContextLinked()) FClient->FHelpContext = Value;
}
void TdxBarItemActionLink::SetHint(const String& Value) {
  if (IsHintLinked()) FClient->FHint = Value;
}
void TdxBarItemActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) FClient->SetActionImageIndex(Value);
}
void TdxBarItemActionLink::SetShortCut(TShortCut Value) {
  if (IsShortCutLinked()) FClient->SetShortCut(Value);
}
void TdxBarItemActionLink::SetVisible(bool Value) {
  if (IsVisibleLinked()) FClient->SetVisible(Value ? ivAlways : ivNever);
}
void TdxBarItemActionLink::SetOnExecute(const TNotifyEvent& Value) {
  // The action counts this replacement once all its links have it.
  if (IsOnExecuteLinked()) FClient->TakeOnClickFromAction(Value, Action(), Action()->OnExecuteVersion() + 1);
}

// ---- TdxBarItem: life ----------------------------------------------------------------------------

TdxBarItem::TdxBarItem(TComponent* AOwner) : TdxBarComponent(AOwner) {
  // The manager: the owner itself, else the owner's manager, else the first one alive.
  TdxBarManager* manager = dynamic_cast<TdxBarManager*>(AOwner);
  if (!manager && AOwner) manager = FindManagerOf(AOwner);
  if (!manager && BarManagers && BarManagers->Count() > 0) manager = BarManagers->Managers(0);
  SetBarManagerReference(manager);
  if (manager) manager->AddItem(this);
  FStyles = new TdxBarItemStylesData(this, StyleCount(), [this](TdxBarItemStyleChange c) { StyleChanged(c); });
  FGlyph = new TBitmap;
  FGlyph->OnChange = [this](TObject*) { GlyphChanged(); };
  FLargeGlyph = new TBitmap;
  FLargeGlyph->OnChange = [this](TObject*) { LargeGlyphChanged(); };
}

TdxBarItem::~TdxBarItem() {
  Destroying();
  if (OnDestroy) {
    auto handler = OnDestroy;
    handler(this);
  }
  DeleteAllLinks();
  delete FStyles;
  FStyles = nullptr;
  FActionLink.reset();
  delete FGlyph;
  delete FLargeGlyph;
  if (FScreenTip) FScreenTip->RemoveFreeNotification(this);
  InvalidateObjectLinks(this);
}

void TdxBarItem::DeclareProperties(TPropTable& t) {
  t.Add("Action", &TdxBarItem::Action, &TdxBarItem::SetAction);
  t.Add("Align", &TdxBarItem::Align, &TdxBarItem::SetAlign).SetDefault(iaLeft);
  t.Add("Caption", &TdxBarItem::Caption, &TdxBarItem::SetCaption).Stored(&TdxBarItem::IsCaptionStored);
  t.Add("Category", &TdxBarItem::Category, &TdxBarItem::SetCategory);
  t.Add("Description", &TdxBarItem::Description, &TdxBarItem::SetDescription);
  t.Add("Enabled", &TdxBarItem::Enabled, &TdxBarItem::SetEnabled)
      .SetDefault(true)
      .Stored(&TdxBarItem::IsEnabledStored);
  t.Add("HelpContext", &TdxBarItem::HelpContext, &TdxBarItem::SetHelpContext)
      .SetDefault(0)
      .Stored(&TdxBarItem::IsHelpContextStored);
  t.Add("Hint", &TdxBarItem::Hint, &TdxBarItem::SetHint).Stored(&TdxBarItem::IsHintStored);
  t.Add("KeyTip", &TdxBarItem::KeyTip, &TdxBarItem::SetKeyTip);
  t.Add("MergeKind", &TdxBarItem::MergeKind, &TdxBarItem::SetMergeKind).SetDefault(mkAdd);
  t.Add("MergeOrder", &TdxBarItem::MergeOrder, &TdxBarItem::SetMergeOrder).SetDefault(0);
  t.Add("Style", &TdxBarItem::Style, &TdxBarItem::SetStyle);
  t.Add("ScreenTip", &TdxBarItem::ScreenTip, &TdxBarItem::SetScreenTip);
  t.Add("Visible", &TdxBarItem::Visible, &TdxBarItem::SetVisible).Stored(&TdxBarItem::IsVisibleStored);
  t.Add("OnDestroy", &TdxBarItem::OnDestroy);
}

void TdxBarItem::SetBarManager(TdxBarManager* Value) {
  if (Value == BarManager()) return;
  if (BarManager()) BarManager()->RemoveItem(this);
  SetBarManagerReference(Value);
  if (Value) Value->AddItem(this);
}

bool TdxBarItem::IsDesigningNow() const {
  return BarManager() ? BarManager()->IsDesigning() : HasState(csDesigning);
}

void TdxBarItem::Notification(TComponent* AComponent, TOperation Operation) {
  TdxBarComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FScreenTip) FScreenTip = nullptr;
  if (FActionLink && AComponent == FActionLink->Action()) SetAction(nullptr);
}

void TdxBarItem::SetReference(bool Enable) {
  TdxBarComponent::SetReference(Enable);
  if (Enable && !(IsDesigningNow() && Name().empty())) Changed(false);
}

void TdxBarItem::ReadState(TReader* Reader) {
  if (auto* manager = dynamic_cast<TdxBarManager*>(Reader->Parent())) {
    SetBarManager(manager);
    BarManagerChanged();
  }
  TdxBarComponent::ReadState(Reader);
}

void TdxBarItem::Loaded() {
  TdxBarComponent::Loaded();
  if (TBasicAction* action = Action()) ApplyActionProperties(action, true);
  if (OnLoaded) OnLoaded(this);
}

TComponent* TdxBarItem::GetParentComponent() { return FCategory >= 0 ? BarManager() : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* Value) {
  if (IsLoadingNow()) return;
  auto* manager = dynamic_cast<TdxBarManager*>(Value);
  if (!manager) return;
  SetBarManager(manager);
  BarManagerChanged();
}

// ---- links ---------------------------------------------------------------------------------------

void TdxBarItem::AddLink(TdxBarItemLink* Link) { FLinks.push_back(Link); }

void TdxBarItem::RemoveLink(TdxBarItemLink* Link) {
  std::erase(FLinks, Link);
  if (FClickedLink == Link) FClickedLink = nullptr;
}

TdxBarItemLink* TdxBarItem::Links(int Index) const {
  return Index >= 0 && Index < LinkCount() ? FLinks[static_cast<std::size_t>(Index)] : nullptr;
}

TdxBarItemLink* TdxBarItem::ActiveLink() const {
  for (TdxBarItemLink* link : FLinks) {
    TdxBarItemControl* c = link->Control();
    if (c && c->Parent() && c->Parent()->IsActive() && c->Parent()->CurrentControl() == c) return link;
  }
  return nullptr;
}

TdxBarItemLink* TdxBarItem::SelectedLink() const {
  if (FLinks.empty()) return nullptr;
  if (BarManager() && BarManager()->Designer()) {
    TList selection;
    BarManager()->GetSelection(&selection);
    for (int i = 0; i < selection.Count(); ++i)
      for (TdxBarItemLink* link : FLinks)
        if (selection.Items(i) == link) return link;
  }
  return FLinks.front();
}

void TdxBarItem::DeleteAllLinks() {
  if (FLinks.empty()) return;
  TdxBarManager* manager = BarManager();
  bool lock = false;
  if (manager && !manager->IsDestroying() && !manager->IsLocked())
    for (TdxBarItemLink* link : FLinks)
      if (link->Control() && link->Control()->Parent() && link->Control()->Parent()->BarKind() == dxBarKindToolbar) {
        lock = true;
        break;
      }
  if (lock) manager->BeginUpdate();
  Finally unlock{[&] {
    if (lock) manager->EndUpdate();
  }};
  while (!FLinks.empty()) {
    TdxBarItemLink* link = FLinks.back();
    // A link outside any collection belongs to whoever made it: it only lets go of the item.
    if (link->Links())
      delete link;
    else
      link->SetItem(nullptr);
  }
}

template <class F>
void TdxBarItem::ForEachControl(F f, bool (TdxBarItemLink::*Skip)() const) {
  for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(FLinks)) {
    if (Skip && (link->*Skip)()) continue;
    if (TdxBarItemControl* c = link->Control()) f(c);
  }
}

// ---- notices -------------------------------------------------------------------------------------

void TdxBarItem::CaptionChanged() {
  ForEachControl([](TdxBarItemControl* c) { c->CaptionChanged(); }, &TdxBarItemLink::HasUserCaption);
  Changed(false);
}

void TdxBarItem::EnabledChanged() {
  ForEachControl([](TdxBarItemControl* c) {
    c->DropImageCache(false);
    c->EnabledChanged();
  });
}

void TdxBarItem::GlyphChanged() {
  ForEachControl(
      [](TdxBarItemControl* c) {
        c->DropImageCache(true);
        c->GlyphChanged();
      },
      &TdxBarItemLink::HasUserGlyph);
  Changed(false);
}

void TdxBarItem::HotGlyphChanged() {
  ForEachControl([](TdxBarItemControl* c) {
    c->DropImageCache(false);
    c->HotGlyphChanged();
  });
}

void TdxBarItem::LargeGlyphChanged() {
  ForEachControl([](TdxBarItemControl* c) {
    c->DropImageCache(true);
    c->LargeGlyphChanged();
  });
  Changed(false);
}

void TdxBarItem::WidthChanged() {
  ForEachControl([](TdxBarItemControl* c) { c->WidthChanged(); }, &TdxBarItemLink::HasUserWidth);
}

void TdxBarItem::ShortCutChanged() {
  RecalcParents(dxBarMenusOnly);
  Changed(false);
}

void TdxBarItem::RefreshControlLayouts() {
  ForEachControl([](TdxBarItemControl* c) {
    c->CalcPartRects();
    c->Invalidate();
  });
}

void TdxBarItem::RefreshControls() {
  ForEachControl([](TdxBarItemControl* c) {
    TCustomdxBarControl* bar = c->Parent();
    if (bar && bar->IsActive() && bar->CurrentControl() == c) return;
    c->Invalidate();
  });
}

void TdxBarItem::RecalcParents(int AKinds) {
  ForEachControl([AKinds](TdxBarItemControl* c) {
    TCustomdxBarControl* bar = c->Parent();
    if (!bar || (AKinds & (1 << bar->BarKind())) == 0) return;
    if (bar->CurrentControl() == c && bar->IsActive()) return;
    bar->RebuildRecreating();
  });
}

void TdxBarItem::StyleChanged(TdxBarItemStyleChange Change) {
  if (HasState(csDestroying)) return;
  if (Change == iscLayout) {
    TdxBarManager* manager = BarManager();
    if (!manager || !manager->IsLocked())
      for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(FLinks))
        if (link->Control()) link->RecreateControl();
    RecalcParents(dxBarAllKinds);
  } else {
    ForEachControl([](TdxBarItemControl* c) { c->ApplyStyle(); });
    RefreshControls();
  }
}

// ---- property setters ----------------------------------------------------------------------------

void TdxBarItem::SetAlign(TdxBarItemAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  RecalcParents(dxBarAllKinds);
}

String TdxBarItem::StrippedCaption() const {
  String s = FCaption;
  if (auto p = s.find('&'); p != String::npos) s.erase(p, 1);
  if (auto p = s.find("..."); p != String::npos) s.erase(p, 3);
  return s;
}

bool TdxBarItem::HintMatchesCaption() const {
  String hint = Hint();
  return hint.substr(0, hint.find('|')) == StrippedCaption();
}

void TdxBarItem::SetCaption(const String& Value) {
  if (Value == FCaption) return;
  bool follows = !FDefaultsOnly && !InheritsFrom(TCustomdxBarSubItem::StaticClass()) &&
                 (FHint.empty() || HintMatchesCaption());
  String oldHint = FHint;
  FCaption = Value;
  if (IsLoadingNow()) return;
  if (follows) {
    auto bar = oldHint.find('|');
    FHint = bar == String::npos ? StrippedCaption() : StrippedCaption() + oldHint.substr(bar);
  }
  CaptionChanged();
}

void TdxBarItem::SetCategory(int Value) {
  if (IsLoadingNow()) {
    FCategory = Value;
    return;
  }
  TdxBarManager* manager = BarManager();
  if (!manager || Value < 0 || Value >= manager->Categories()->Count()) return;
  TdxBarComponentList* items = manager->ItemList();
  int self = items->IndexOf(this);
  int last = -1;
  for (int i = items->Count() - 1; i >= 0; --i) {
    auto* item = static_cast<TdxBarItem*>(items->Items(i));
    if (item != this && item->Category() == Value) {
      last = i;
      break;
    }
  }
  if (last >= 0 && self >= 0) {
    // The list takes the item out before it puts it back.
    int target = self < last ? last : last + 1;
    if (target != self) items->Move(self, target);
    manager->DesignerModified();
  }
  FCategory = Value;
  Changed(true);
}

void TdxBarItem::SetDescription(const String& Value) {
  if (Value == FDescription) return;
  FDescription = Value;
  Changed(false);
}

bool TdxBarItem::Enabled() const {
  TdxBarManager* manager = BarManager();
  if (manager && manager->IsCustomizing() && !manager->IsDesigning() && FCategory >= 0) return true;
  return TdxBarComponent::Enabled();
}

void TdxBarItem::SetEnabled(bool Value) {
  if (Value == TdxBarComponent::Enabled()) return;
  TdxBarComponent::SetEnabled(Value);
  if (!IsLoadingNow()) EnabledChanged();
}

void TdxBarItem::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  GlyphChanged();
}

void TdxBarItem::SetLargeImageIndex(int Value) {
  if (Value == FLargeImageIndex) return;
  FLargeImageIndex = Value;
  LargeGlyphChanged();
}

void TdxBarItem::SetPaintStyle(TdxBarPaintStyle Value) {
  if (Value == FPaintStyle) return;
  FPaintStyle = Value;
  if (!IsLoadingNow()) PaintStyleChanged();
}

void TdxBarItem::SetShortCut(TShortCut Value) {
  if (Value == FShortCut) return;
  FShortCut = Value;
  if (!IsLoadingNow()) ShortCutChanged();
}

void TdxBarItem::SetScreenTip(TdxBarScreenTip* Value) {
  if (Value == FScreenTip) return;
  if (FScreenTip) FScreenTip->RemoveFreeNotification(this);
  FScreenTip = Value;
  if (Value) Value->FreeNotification(this);
}

void TdxBarItem::SetWidth(int Value) {
  if (Value < 0 || Value == FWidth) return;
  FWidth = Value;
  WidthChanged();
}

void TdxBarItem::SetVisible(TdxBarItemVisible Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  if (IsDesigningNow()) return;
  TdxBarManager* manager = BarManager();
  bool managerLoading = manager && (manager->InternalState() & bmsLoading) != 0;
  if (!IsLoadingNow() || managerLoading) VisibleChanged();
}

void TdxBarItem::VisibleChanged() {
  TdxBarManager* manager = BarManager();
  {
    if (manager) manager->BeginUpdate();
    Finally unlock{[&] {
      if (manager) manager->EndUpdate();
      Changed(false);
    }};
    for (TdxBarItemLink* link : std::vector<TdxBarItemLink*>(FLinks)) link->VisibleChanged();
  }
}

bool TdxBarItem::IsVisibleNow() const {
  TdxBarManager* manager = BarManager();
  bool customizing = manager && manager->InCustomizing();
  // Through the accessor: an item that shows another (the application menu's buttons) takes its visibility.
  const TdxBarItemVisible visible = Visible();
  return (visible == ivAlways && (HasContent() || customizing)) || (visible == ivInCustomizing && customizing);
}

void TdxBarItem::SetOnClick(TNotifyEvent Value) {
  FOnClick = std::move(Value);
  FOnClickSource = nullptr;
  // A name read from a form is recorded after this; one given in code leaves none.
  SetEventHandlerName("OnClick", String());
}

void TdxBarItem::TakeOnClickFromAction(const TNotifyEvent& Value, TBasicAction* AAction, std::uint32_t AVersion) {
  SetOnClick(Value);
  FOnClickSource = AAction;
  FOnClickVersion = AVersion;
}

bool TdxBarItem::SameHandlerAsAction() const {
  TBasicAction* action = Action();
  if (!action || !FOnClick || !action->OnExecute()) return false;
  if (FOnClickSource == action && FOnClickVersion == action->OnExecuteVersion()) return true;
  String mine = EventHandlerName("OnClick");
  return !mine.empty() && mine == action->EventHandlerName("OnExecute") &&
         HandlerRoot(const_cast<TdxBarItem*>(this)) == HandlerRoot(action);
}

// ---- clicks and shortcuts ------------------------------------------------------------------------

void TdxBarItem::Click() {
  if (!Enabled()) return;
  if (TdxBarManager* manager = BarManager()) {
    // OnClickItem may free the item.
    TcxObjectLink* alive = CreateObjectLink(this);
    manager->DoClickItem(this);
    bool gone = !alive->LinkedObject;
    FreeObjectLink(alive);
    if (gone) return;
  }
  FireClick();
}

void TdxBarItem::FireClick() {
  if (FOnClick && (!Action() || !SameHandlerAsAction())) {
    auto handler = FOnClick;  // the handler may free the item
    handler(this);
  } else if (!IsDesigningNow() && FActionLink) {
    FActionLink->Execute(this);
  }
}

void TdxBarItem::ClickFromKeyboard() {
  if (ClicksDirectly()) Click();
}

bool TdxBarItem::HandleShortCut(TShortCut AShortCut) {
  if (!Enabled()) return false;
  if (ClicksDirectly() && AShortCut == FShortCut && AShortCut != 0) {
    ClickFromKeyboard();
    return true;
  }
  if (TdxBarItemLinks* links = ItemLinks()) return links->OfferShortCut(AShortCut);
  return false;
}

// ---- actions -------------------------------------------------------------------------------------

TBasicAction* TdxBarItem::Action() const { return FActionLink ? FActionLink->Action() : nullptr; }

void TdxBarItem::SetAction(TBasicAction* Value) {
  if (Value == Action()) return;
  if (!Value) {
    if (FActionLink && FActionLink->Action()) FActionLink->Action()->RemoveFreeNotification(this);
    FActionLink.reset();
    return;
  }
  TdxBarManager* manager = BarManager();
  bool counted = manager && Value->HasState(csLoading);
  if (counted) manager->LockLoadingActions();
  Finally uncount{[&] {
    if (counted) manager->UnlockLoadingActions();
  }};
  if (!FActionLink) FActionLink = std::make_unique<TdxBarItemActionLink>(this);
  if (FActionLink->Action()) FActionLink->Action()->RemoveFreeNotification(this);
  FActionLink->SetAction(Value);
  FActionLink->OnChange = [this](TObject* Sender) {
    if (auto* a = dynamic_cast<TBasicAction*>(Sender); a && a == Action()) ApplyActionProperties(a, false);
  };
  ApplyActionProperties(Value, Value->HasState(csLoading));
  Value->FreeNotification(this);
}

void TdxBarItem::ApplyActionProperties(TBasicAction* AAction, bool ADefaultsOnly) {
  auto* a = dynamic_cast<TCustomAction*>(AAction);
  if (!a) return;
  FDefaultsOnly = true;
  Finally clear{[this] { FDefaultsOnly = false; }};
  const bool all = !ADefaultsOnly;
  if (all || FCaption.empty()) SetCaption(a->Caption());
  if (HasDown() && (all || !ActionDown())) SetActionDown(a->Checked());
  if (all || TdxBarComponent::Enabled()) SetEnabled(a->Enabled());
  if (all || FHelpContext == 0) FHelpContext = a->HelpContext();
  if (all || FHint.empty()) FHint = a->Hint();
  if (all || ActionImageIndex() == -1) SetActionImageIndex(a->ImageIndex());
  if (all || FShortCut == 0) SetShortCut(a->ShortCut());
  if (all || FVisible == ivAlways) SetVisible(a->Visible() ? ivAlways : ivNever);
  if (all || !FOnClick) TakeOnClickFromAction(a->OnExecute(), a, a->OnExecuteVersion());
}

bool TdxBarItem::IsCaptionStored() const { return !(FActionLink && FActionLink->IsCaptionLinked()); }
bool TdxBarItem::IsEnabledStored() const { return !(FActionLink && FActionLink->IsEnabledLinked()); }
bool TdxBarItem::IsHelpContextStored() const { return !(FActionLink && FActionLink->IsHelpContextLinked()); }
bool TdxBarItem::IsHintStored() const { return !(FActionLink && FActionLink->IsHintLinked()); }
bool TdxBarItem::IsVisibleStored() const { return !(FActionLink && FActionLink->IsVisibleLinked()); }
bool TdxBarItem::IsImageIndexStored() const { return !(FActionLink && FActionLink->IsImageIndexLinked()); }

void TdxBarItem::SetStyleCount(int ACount) {
  if (ACount == FStyles->Count()) return;
  delete FStyles;
  FStyles = new TdxBarItemStylesData(this, ACount, [this](TdxBarItemStyleChange c) { StyleChanged(c); });
}

void TdxBarItem::AssignTo(TPersistent* Dest) {
  auto* a = dynamic_cast<TCustomAction*>(Dest);
  if (!a) {
    TdxBarComponent::AssignTo(Dest);
    return;
  }
  a->SetCaption(Caption());
  if (HasDown()) a->SetChecked(ActionDown());
  a->SetEnabled(Enabled());
  a->SetHelpContext(FHelpContext);
  a->SetHint(Hint());
  a->SetImageIndex(ImageIndex());
  a->SetShortCut(FShortCut);
  if (FVisible != ivInCustomizing) a->SetVisible(FVisible == ivAlways);
  a->SetOnExecute(FOnClick);
}

void TdxBarItem::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TdxBarItem*>(Source);
  if (!other) {
    TdxBarComponent::Assign(Source);
    return;
  }
  SetAction(other->Action());
  SetAlign(other->Align());
  SetCaption(other->Caption());
  SetCategory(other->Category());
  SetDescription(other->Description());
  SetEnabled(other->TdxBarComponent::Enabled());
  SetHelpContext(other->HelpContext());
  SetHint(other->Hint());
  SetKeyTip(other->KeyTip());
  SetMergeKind(other->MergeKind());
  SetMergeOrder(other->MergeOrder());
  SetStyle(other->Style());
  SetScreenTip(other->ScreenTip());
  SetVisible(other->Visible());
  SetData(other->Data());
  SetGlyph(other->Glyph());
  SetImageIndex(other->ImageIndex());
  SetLargeGlyph(other->LargeGlyph());
  SetLargeImageIndex(other->LargeImageIndex());
  SetShortCut(other->ShortCut());
  SetOnClick(other->OnClick());
  FOnClickSource = other->FOnClickSource;
  FOnClickVersion = other->FOnClickVersion;
}

// ---- kinds ---------------------------------------------------------------------------------------

bool TdxBarItem::CanPlaceOn(int, TObject*, String& AErrorText) {
  AErrorText.clear();
  return true;
}

TClass TdxBarItem::ControlClass(bool) {
  TdxBarItemList* registry = BarItemClasses();
  return registry ? registry->ControlClassOf(ClassType()) : nullptr;
}

String TdxBarItem::DefaultCaption() const {
  return cxGetResourceString(dxSBAR_NEWITEMCAPTION);
}

TCustomImageList* TdxBarItem::ImageList() const { return BarManager() ? BarManager()->Images() : nullptr; }

bool TdxBarItem::HasListedImage() const {
  TCustomImageList* images = ImageList();
  return images && ImageIndex() >= 0 && ImageIndex() < images->Count();
}

void TdxBarItem::DesignerAction() {
  if (BarManager() && BarManager()->Designer()) BarManager()->Designer()->DesignerAction(this);
}

void TdxBarItem::DrawCustomizationEntry(TCanvas* ACanvas, const RECT& ARect, bool ASelected) {
  if (dxBarCustomizationEntryPainter)
  {
    String caption;
    StripAccelerators(Caption(), false, caption);
    dxBarCustomizationEntryPainter(ACanvas, ARect, ASelected, this, caption, -1);
  }
}

void TdxBarItem::FillCustomizationBackground(TCanvas* ACanvas, const RECT& ARect) {
  ACanvas->Brush()->SetColor(clWindow);
  ACanvas->FillRect(ARect);
}

// ---- design selection ----------------------------------------------------------------------------

TdxBarCustomizationActions TdxBarItem::AvailableActions() {
  TdxBarManager* manager = BarManager();
  if (!manager || !manager->IsDesigning()) return 1049;
  TdxBarDesignController* controller = BarDesignController();
  return controller && controller->CustomizingItemLink ? 7903 : 2;
}

bool TdxBarItem::AllowsDeletion(bool ADeleteItems) {
  if (!FLinks.empty() && !ADeleteItems) return true;
  return !BarManager() || BarManager()->CanDeleteComponent(this);
}

void TdxBarItem::DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) {
  if (ADeleteItems || FLinks.empty()) {
    if (AllowsDeletion(ADeleteItems)) {
      AReference = nullptr;
      delete this;
    }
  } else {
    DeleteAllLinks();
  }
}

void TdxBarItem::ApplyCustomizationAction(int AAction) {
  TdxBarDesignController* controller = BarDesignController();
  TObject* last = controller ? controller->LastSelectedObject : nullptr;
  if (FLinks.size() == 1 && FLinks.front() != last) FLinks.front()->ExecuteCommand(AAction);
}

void TdxBarItem::AddMasterObjects(TList* AList) {
  if (BarManager() && BarManager()->Owner() && AList->IndexOf(BarManager()->Owner()) < 0)
    AList->Add(BarManager()->Owner());
}

void TdxBarItem::NextSelectableObject(IdxBarSelectableItem*& AItem) {
  AItem = nullptr;
  TdxBarItemLink* selected = SelectedLink();
  TdxBarItemLinks* links = selected ? selected->Links() : nullptr;
  if (!links) return;
  int start = links->IndexOf(selected), count = links->Count();
  for (int n = 1; n < count; ++n) {
    TdxBarItem* item = links->Items((start + n) % count)->Item();
    if (item && item != this) {
      AItem = item;
      return;
    }
  }
}

TPersistent* TdxBarItem::ParentSelectable() {
  TdxBarItemLink* selected = SelectedLink();
  TdxBarItemLinks* links = selected ? selected->Links() : nullptr;
  return links ? dynamic_cast<TPersistent*>(links->Owner()) : nullptr;
}

int TdxBarItem::SelectionStatus() { return BarManager() ? BarManager()->GetSelectionStatus(this) : 0; }

bool TdxBarItem::IsSelectedInDesigner() { return SelectionStatus() == 1; }

void TdxBarItem::SelectInDesigner(int AOperation) {
  if (BarManager()) BarManager()->SelectComponent(this, AOperation);
}

bool TdxBarItem::SelectParent() {
  TdxBarItemLink* selected = SelectedLink();
  return selected && selected->SelectParent();
}

void TdxBarItem::DesignSelectionChanged() {
  if (TdxBarDesignController* controller = BarDesignController()) controller->CheckLastSelected();
  ForEachControl([](TdxBarItemControl* c) { c->Invalidate(); });
}

// ---- the separator -------------------------------------------------------------------------------

void TdxBarSeparator::DeclareProperties(TPropTable& t) {
  t.Add("ShowCaption", &TdxBarSeparator::ShowCaption, &TdxBarSeparator::SetShowCaption).SetDefault(true);
}

void TdxBarSeparator::SetShowCaption(bool Value) {
  if (Value == ShowCaption()) return;
  TdxBarLabel::SetShowCaption(Value);
  if (!IsLoadingNow()) RecalcParents(dxBarAllKinds);
}

bool TdxBarSeparator::CanPlaceOn(int AKind, TObject*, String& AErrorText) {
  AErrorText.clear();
  // Container kind 1 is a menu.
  if (AKind == 1) return true;
  AErrorText = cxGetResourceString(dxSBAR_CANTPLACESEPARATOR);
  return false;
}

String TdxBarSeparator::DefaultCaption() const { return cxGetResourceString(dxSBAR_NEWSEPARATORCAPTION); }

TdxBarCustomizationActions TdxBarSeparator::AvailableActions() {
  return TdxBarLabel::AvailableActions() & ~TdxBarCustomizationActions{0x1000};
}

// ---- what the kinds add to the item's design actions ---------------------------------------------

TdxBarCustomizationActions TCustomdxBarSubItem::AvailableActions() {
  TdxBarCustomizationActions a = TdxBarItem::AvailableActions();
  if (BarManager() && BarManager()->IsDesigning()) a |= 0x100;
  return a;
}
