#include "ui/foundation/Styles.h"

#include <algorithm>

#include "platform/classes/Consts.h"
#include "platform/classes/Controls.h"
#include "platform/classes/Filer.h"
#include "platform/gdi/Gdi.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

// The screen's vertical resolution, which stored font heights are scaled to.
int ScreenPixelsPerInchY() {
  TPoint ppi;
  ScreenPixelsPerInch(ppi);
  return ppi.Y;
}

template <class T>
void AppendUnlessPresent(std::vector<T*>& List, T* Item) {
  if (std::find(List.begin(), List.end(), Item) == List.end()) List.push_back(Item);
}

template <class T>
void RemoveFrom(std::vector<T*>& List, T* Item) {
  auto it = std::find(List.begin(), List.end(), Item);
  if (it != List.end()) List.erase(it);
}

}  // namespace

// ---- TcxCustomStyle ------------------------------------------------------------------------

TcxCustomStyle::~TcxCustomStyle() {
  // Freed without Free, the observers still have to let go.
  NotifyRemoval();
  AttachToRepository(nullptr);
}

void TcxCustomStyle::BeforeDestruction() {
  TComponent::BeforeDestruction();
  NotifyRemoval();
}

void TcxCustomStyle::NotifyObservers() {
  // An observer may unregister (or others) while it hears of the change.
  for (int i = ObserverCount() - 1; i >= 0; --i)
    if (i < ObserverCount()) FObservers[static_cast<std::size_t>(i)]->StyleChanged(this);
}

void TcxCustomStyle::RegisterObserver(IcxStyleObserver* Observer) { AppendUnlessPresent(FObservers, Observer); }

void TcxCustomStyle::UnregisterObserver(IcxStyleObserver* Observer) { RemoveFrom(FObservers, Observer); }

// Each observer is told once, so one that does not unregister cannot keep the style alive in a
// loop; whoever an earlier observer took out is not told.
void TcxCustomStyle::NotifyRemoval() {
  std::vector<IcxStyleObserver*> observers = FObservers;
  for (auto it = observers.rbegin(); it != observers.rend(); ++it)
    if (std::find(FObservers.begin(), FObservers.end(), *it) != FObservers.end()) (*it)->StyleRemoved(this);
  FObservers.clear();
}

void TcxCustomStyle::AttachToRepository(TcxStyleRepository* Repository) {
  if (FStyleRepository == Repository) return;
  if (FStyleRepository) FStyleRepository->ReleaseStyle(this);
  FStyleRepository = Repository;
  if (FStyleRepository) FStyleRepository->AdoptStyle(this);
}

TComponent* TcxCustomStyle::GetParentComponent() { return FStyleRepository; }

void TcxCustomStyle::SetParentComponent(TComponent* AParent) {
  if (HasState(csLoading)) return;
  AttachToRepository(AParent ? AParent->As<TcxStyleRepository>() : nullptr);
}

void TcxCustomStyle::ReadState(TReader* Reader) {
  TComponent::ReadState(Reader);
  AttachToRepository(dynamic_cast<TcxStyleRepository*>(Reader->Parent()));
}

// ---- TcxStyle ------------------------------------------------------------------------------

TcxStyle::TcxStyle(TComponent* AOwner) : TcxCustomStyle(AOwner), FBitmap(new TBitmap()), FFont(new TFont()) {
  FBitmap->OnChange = [this](TObject* Sender) { HandleBitmapChange(Sender); };
  FFont->OnChange = [this](TObject* Sender) { HandleFontChange(Sender); };
}

TcxStyle::~TcxStyle() {
  TObject::Free(FFont);
  TObject::Free(FBitmap);
}

void TcxStyle::DeclareProperties(TPropTable& t) {
  t.Add("AssignedValues", &TcxStyle::AssignedValues, &TcxStyle::SetAssignedValues).SetDefault(TcxStyleValues{});
  t.Add("Bitmap", &TcxStyle::Bitmap, &TcxStyle::SetBitmap).Stored(&TcxStyle::IsBitmapStored);
  t.Add("Color", &TcxStyle::Color, &TcxStyle::SetColor)
      .Stored(&TcxStyle::IsColorStored)
      .Idents(&ColorToIdent, &IdentToColor);
  t.Add("Font", &TcxStyle::Font, &TcxStyle::SetFont).Stored(&TcxStyle::IsFontStored);
  t.Add("TextColor", &TcxStyle::TextColor, &TcxStyle::SetTextColor)
      .Stored(&TcxStyle::IsTextColorStored)
      .Idents(&ColorToIdent, &IdentToColor);
}

void TcxStyle::Assign(TPersistent* Source) {
  auto* style = dynamic_cast<TcxStyle*>(Source);
  if (!style) {
    TcxCustomStyle::Assign(Source);
    return;
  }
  SetBitmap(style->Bitmap());
  SetColor(style->Color());
  SetFont(style->Font());
  SetTextColor(style->TextColor());
  // Last, so that the flags end up as the source's whatever the values did to them.
  SetAssignedValues(style->AssignedValues());
}

void TcxStyle::ResetValues() {
  FAssignedValues = {};
  FColor = clDefault;
  FTextColor = clDefault;
  FBitmap->Assign(nullptr);
  NotifyObservers();
}

void TcxStyle::SetAssignedValues(TcxStyleValues Value) {
  if (FAssignedValues == Value) return;
  FAssignedValues = Value;
  NotifyObservers();
}

void TcxStyle::SetBitmap(TBitmap* Value) { FBitmap->Assign(Value); }

void TcxStyle::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  if (Value == clDefault)
    FAssignedValues.Exclude(svColor);
  else
    FAssignedValues.Include(svColor);
  NotifyObservers();
}

void TcxStyle::SetFont(TFont* Value) { FFont->Assign(Value); }

void TcxStyle::SetTextColor(TColor Value) {
  if (FTextColor == Value) return;
  FTextColor = Value;
  if (Value == clDefault)
    FAssignedValues.Exclude(svTextColor);
  else
    FAssignedValues.Include(svTextColor);
  NotifyObservers();
}

void TcxStyle::HandleBitmapChange(TObject*) {
  if (FBitmap->Empty())
    FAssignedValues.Exclude(svBitmap);
  else
    FAssignedValues.Include(svBitmap);
  NotifyObservers();
}

void TcxStyle::HandleFontChange(TObject*) {
  FAssignedValues.Include(svFont);
  NotifyObservers();
}

void TcxStyle::ReadState(TReader* Reader) {
  TcxCustomStyle::ReadState(Reader);
  if (TcxStyleRepository* repository = StyleRepository()) FFont->SetHeight(repository->ScaleToScreen(FFont->Height()));
}

// ---- TcxStyleRepository --------------------------------------------------------------------

TcxStyleRepository::~TcxStyleRepository() {
  // Each leaves the list as it goes; taken out first all the same, so the loop always ends.
  while (!FStyles.empty()) {
    TcxCustomStyle* style = FStyles.back();
    FStyles.pop_back();
    TObject::Free(style);
  }
  while (!FStyleSheets.empty()) {
    TcxCustomStyleSheet* sheet = FStyleSheets.back();
    FStyleSheets.pop_back();
    TObject::Free(sheet);
  }
}

void TcxStyleRepository::DeclareProperties(TPropTable& t) {
  t.Add("Scalable", &TcxStyleRepository::Scalable, &TcxStyleRepository::SetScalable).SetDefault(false);
}

TcxCustomStyle* TcxStyleRepository::NewStyle(TClass StyleClass) { return NewStyleOwned(StyleClass, this); }

TcxCustomStyle* TcxStyleRepository::NewStyleOwned(TClass StyleClass, TComponent* AOwner) {
  if (!StyleClass || !StyleClass->InheritsFrom(TcxCustomStyle::StaticClass())) throw EInvalidCast(SInvalidCast);
  auto* style = static_cast<TcxCustomStyle*>(TComponent::Create(StyleClass, AOwner));
  style->AttachToRepository(this);
  return style;
}

TcxCustomStyleSheet* TcxStyleRepository::NewStyleSheet(TClass StyleSheetClass) {
  return NewStyleSheetOwned(StyleSheetClass, this);
}

TcxCustomStyleSheet* TcxStyleRepository::NewStyleSheetOwned(TClass StyleSheetClass, TComponent* AOwner) {
  if (!StyleSheetClass || !StyleSheetClass->InheritsFrom(TcxCustomStyleSheet::StaticClass()))
    throw EInvalidCast(SInvalidCast);
  auto* sheet = static_cast<TcxCustomStyleSheet*>(TComponent::Create(StyleSheetClass, AOwner));
  sheet->AttachToRepository(this);
  return sheet;
}

void TcxStyleRepository::AdoptStyle(TcxCustomStyle* Style) { AppendUnlessPresent(FStyles, Style); }
void TcxStyleRepository::ReleaseStyle(TcxCustomStyle* Style) { RemoveFrom(FStyles, Style); }
void TcxStyleRepository::AdoptStyleSheet(TcxCustomStyleSheet* StyleSheet) { AppendUnlessPresent(FStyleSheets, StyleSheet); }
void TcxStyleRepository::ReleaseStyleSheet(TcxCustomStyleSheet* StyleSheet) { RemoveFrom(FStyleSheets, StyleSheet); }

int TcxStyleRepository::ScaleToScreen(int Value) const {
  int screen = ScreenPixelsPerInchY();
  if (FScalable && FPixelsPerInch != 0 && FPixelsPerInch != screen) return win::MulDiv(Value, screen, FPixelsPerInch);
  return Value;
}

void TcxStyleRepository::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TcxCustomStyle* style : std::vector<TcxCustomStyle*>(FStyles))
    if (style->Owner() == Root) Proc(style);
  for (TcxCustomStyleSheet* sheet : std::vector<TcxCustomStyleSheet*>(FStyleSheets))
    if (sheet->Owner() == Root) Proc(sheet);
}

void TcxStyleRepository::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  // The resolution the font heights were stored at; against an ancestor the ancestor's holds.
  Filer->DefineProperty(
      "PixelsPerInch", [this](TReader* Reader) { FPixelsPerInch = Reader->ReadInteger(); },
      [](TWriter* Writer) { Writer->WriteInteger(ScreenPixelsPerInchY()); }, Filer->Ancestor() == nullptr);
}

// ---- TcxCustomStyleSheet -------------------------------------------------------------------

TcxCustomStyleSheet::TcxCustomStyleSheet(TComponent* AOwner)
    : TcxComponent(AOwner), FBuiltIn(HasState(csDesigning)) {}

TcxCustomStyleSheet::~TcxCustomStyleSheet() {
  if (!HasState(csDestroying)) Destroying();
  while (!FUsers.empty()) {
    TcxCustomStyles* user = FUsers.back();
    user->UseStyleSheet(nullptr);
    // A user whose class refuses to let go is dropped all the same.
    RemoveFrom(FUsers, user);
  }
  AttachToRepository(nullptr);
  TObject::Free(FStyles);
}

void TcxCustomStyleSheet::DeclareProperties(TPropTable& t) {
  t.Add("Caption", &TcxCustomStyleSheet::Caption, &TcxCustomStyleSheet::SetCaption)
      .Stored(&TcxCustomStyleSheet::IsCaptionStored);
}

void TcxCustomStyleSheet::AfterConstruction() {
  TcxComponent::AfterConstruction();
  StylesObject();
}

void TcxCustomStyleSheet::Assign(TPersistent* Source) {
  auto* sheet = dynamic_cast<TcxCustomStyleSheet*>(Source);
  if (!sheet) {
    TcxComponent::Assign(Source);
    return;
  }
  SetCaption(sheet->Caption());
  AssignStylesObject(sheet->StylesObject());
}

TClass TcxCustomStyleSheet::StylesObjectClass() const { return TcxCustomStyles::StaticClass(); }

void TcxCustomStyleSheet::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  if (CompareText(Value, Name()) == 0)
    FCaption.clear();
  else
    FCaption = Value;
}

void TcxCustomStyleSheet::RegisterUser(TcxCustomStyles* Styles) { AppendUnlessPresent(FUsers, Styles); }

void TcxCustomStyleSheet::UnregisterUser(TcxCustomStyles* Styles) { RemoveFrom(FUsers, Styles); }

TcxCustomStyles* TcxCustomStyleSheet::StylesObject() {
  if (!FStyles) {
    TClass cls = StylesObjectClass();
    if (!cls->InheritsFrom(TcxCustomStyles::StaticClass())) throw EInvalidCast(SInvalidCast);
    FStyles = static_cast<TcxCustomStyles*>(cls->Create(this));
    FStyles->FOwningStyleSheet = this;
  }
  return FStyles;
}

void TcxCustomStyleSheet::AssignStylesObject(TcxCustomStyles* Styles) { StylesObject()->Assign(Styles); }

void TcxCustomStyleSheet::PropagateChange(int Index) {
  for (std::size_t i = 0; i < FUsers.size(); ++i) FUsers[i]->PropagateChange(Index);
  RefreshFakeLinks();
}

void TcxCustomStyleSheet::ListFakeComponentLinks(TList* List) {
  if (!Owner()) return;
  TcxCustomStyles* styles = StylesObject();
  for (int i = 0; i < styles->ItemCount(); ++i) {
    TComponent* owner = styles->ItemAt(i).Style->Owner();
    if (owner && owner != Owner() && List->IndexOf(owner) < 0) List->Add(owner);
  }
}

void TcxCustomStyleSheet::AttachToRepository(TcxStyleRepository* Repository) {
  if (FStyleRepository == Repository) return;
  if (FStyleRepository) FStyleRepository->ReleaseStyleSheet(this);
  FStyleRepository = Repository;
  if (FStyleRepository) FStyleRepository->AdoptStyleSheet(this);
}

TComponent* TcxCustomStyleSheet::GetParentComponent() { return FStyleRepository; }

void TcxCustomStyleSheet::SetParentComponent(TComponent* AParent) {
  if (HasState(csLoading)) return;
  AttachToRepository(AParent ? AParent->As<TcxStyleRepository>() : nullptr);
}

void TcxCustomStyleSheet::DefineProperties(TFiler* Filer) {
  TcxComponent::DefineProperties(Filer);
  Filer->DefineProperty(
      "BuiltIn", [this](TReader* Reader) { FBuiltIn = Reader->ReadBoolean(); },
      [this](TWriter* Writer) { Writer->WriteBoolean(FBuiltIn); }, true);
}

void TcxCustomStyleSheet::ReadState(TReader* Reader) {
  TcxComponent::ReadState(Reader);
  AttachToRepository(dynamic_cast<TcxStyleRepository*>(Reader->Parent()));
}

// ---- TcxCustomStyles -----------------------------------------------------------------------

TcxCustomStyles::~TcxCustomStyles() {
  FDestroying = true;
  ClearItems();
  UseStyleSheet(nullptr);
}

void TcxCustomStyles::Assign(TPersistent* Source) {
  if (auto* styles = dynamic_cast<TcxCustomStyles*>(Source)) UseStyleSheet(styles->StyleSheet());
}

bool TcxCustomStyles::AcceptsStyleSheet(TcxCustomStyleSheet* StyleSheet) const {
  if (!StyleSheet) return true;
  if (StyleSheet == FOwningStyleSheet || StyleSheet->StylesObjectClass() != ClassType()) return false;
  if (FOwningStyleSheet)
    // Every sheet is checked on its way in, so the chain ends; the bound keeps a corrupt one from
    // looping all the same.
    for (TcxCustomStyleSheet* s = StyleSheet->StylesObject()->StyleSheet(); s; s = s->StylesObject()->StyleSheet())
      if (s == FOwningStyleSheet) return false;
  return true;
}

void TcxCustomStyles::CollectIndexes(TcxCustomStyleSheet* StyleSheet, std::vector<int>& Indexes) {
  for (; StyleSheet; StyleSheet = StyleSheet->StylesObject()->StyleSheet())
    for (const TcxStyleItem& item : StyleSheet->StylesObject()->FItems)
      if (std::find(Indexes.begin(), Indexes.end(), item.Index) == Indexes.end()) Indexes.push_back(item.Index);
}

void TcxCustomStyles::UseStyleSheet(TcxCustomStyleSheet* StyleSheet) {
  if (StyleSheet == FStyleSheet || !AcceptsStyleSheet(StyleSheet)) return;
  std::vector<int> indexes;
  if (FStyleSheet) {
    FStyleSheet->UnregisterUser(this);
    if (!FDestroying) CollectIndexes(FStyleSheet, indexes);
  }
  FStyleSheet = StyleSheet;
  if (FStyleSheet) {
    FStyleSheet->RegisterUser(this);
    CollectIndexes(FStyleSheet, indexes);
  }
  for (int index : indexes) PropagateChange(index);
}

int TcxCustomStyles::FindItem(int Index) const {
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Index == Index) return static_cast<int>(i);
  return -1;
}

bool TcxCustomStyles::StyleInUse(TcxCustomStyle* Style) const {
  return std::any_of(FItems.begin(), FItems.end(), [Style](const TcxStyleItem& i) { return i.Style == Style; });
}

TcxCustomStyle* TcxCustomStyles::Values(int Index) const {
  int position = FindItem(Index);
  return position < 0 ? nullptr : FItems[static_cast<std::size_t>(position)].Style;
}

void TcxCustomStyles::SetValue(int Index, TcxCustomStyle* Style) {
  int position = FindItem(Index);
  if (!Style) {
    if (position >= 0) DeleteItem(position);
    return;
  }
  if (position >= 0) {
    TcxCustomStyle*& slot = FItems[static_cast<std::size_t>(position)].Style;
    if (slot == Style) return;
    TcxCustomStyle* old = slot;
    slot = Style;
    if (!StyleInUse(old)) old->UnregisterObserver(this);
  } else {
    FItems.push_back({Index, Style});
  }
  Style->RegisterObserver(this);
  PropagateChange(Index);
}

void TcxCustomStyles::DeleteItem(int Position) {
  TcxStyleItem item = FItems.at(static_cast<std::size_t>(Position));
  FItems.erase(FItems.begin() + Position);
  // Another item may still show the same style and must go on hearing of it.
  if (!StyleInUse(item.Style)) item.Style->UnregisterObserver(this);
  PropagateChange(item.Index);
}

void TcxCustomStyles::ClearItems() {
  while (!FItems.empty()) DeleteItem(ItemCount() - 1);
}

void TcxCustomStyles::PropagateChange(int Index) {
  if (FDestroying) return;
  ReactToChange(Index);
  if (FOwningStyleSheet) FOwningStyleSheet->PropagateChange(Index);
}

void TcxCustomStyles::HandleStyleChange(TcxCustomStyle* Sender) {
  // A reaction may change the items: each position is checked again.
  for (std::size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i].Style == Sender) PropagateChange(FItems[i].Index);
}

void TcxCustomStyles::HandleStyleRemoval(TcxCustomStyle* Sender) {
  for (int i = ItemCount() - 1; i >= 0; --i)
    if (i < ItemCount() && FItems[static_cast<std::size_t>(i)].Style == Sender) DeleteItem(i);
  // Whatever the items were, the style must not keep a reference to this object.
  Sender->UnregisterObserver(this);
}

// ---- unit start-up -------------------------------------------------------------------------

void StylesUnitStartup() {
  static const bool done = [] {
    StartClassGroup(TControl::StaticClass());
    GroupDescendentsWith(TcxCustomStyle::StaticClass(), TControl::StaticClass());
    GroupDescendentsWith(TcxCustomStyleSheet::StaticClass(), TControl::StaticClass());
    GroupDescendentsWith(TcxStyleRepository::StaticClass(), TControl::StaticClass());
    RegisterClass(TcxStyle::StaticClass());
    return true;
  }();
  (void)done;
}
