#include "ui/controls/EditButtons.h"

#include "ui/foundation/Accelerators.h"

namespace {

// Opens an update of the collection before the item joins it, so that nobody hears of the new
// button before its defaults are in place.
TCollection* OpenedForNewItem(TCollection* Collection) {
  if (Collection) Collection->BeginUpdate();
  return Collection;
}

}  // namespace

// ---- TcxEditButton ----------------------------------------------------------------------------------

TcxEditButton::TcxEditButton(TCollection* Collection) : TCollectionItem(OpenedForNewItem(Collection)) {
  if (Collection) Collection->EndUpdate();
}

TcxEditButton::~TcxEditButton() {
  if (FGlyph) FGlyph->OnChange = nullptr;
}

void TcxEditButton::DeclareProperties(TPropTable& t) {
  using B = TcxEditButton;
  t.Add("Caption", &B::Caption, &B::SetCaption);
  t.Add("ContentAlignment", &B::ContentAlignment, &B::SetContentAlignment).SetDefault(taCenter);
  t.Add("Default", &B::Default, &B::SetDefault).SetDefault(false);
  t.Add("Enabled", &B::Enabled, &B::SetEnabled).SetDefault(true);
  t.Add("Glyph", &B::Glyph, &B::SetGlyph).Stored(&B::GlyphStored);
  t.Add("Hint", &B::Hint, &B::SetHint);
  t.Add("Kind", &B::Kind, &B::SetKind).SetDefault(TcxEditButtonKind::bkDown);
  t.Add("LeftAlignment", &B::LeftAlignment, &B::SetLeftAlignment).SetDefault(false);
  t.Add("Stretchable", &B::Stretchable, &B::SetStretchable).SetDefault(true);
  t.Add("Tag", &B::Tag, &B::SetTag).Stored(&B::TagStored);
  t.Add("Visible", &B::Visible, &B::SetVisible).SetDefault(true);
  t.Add("Width", &B::Width, &B::SetWidth).SetDefault(0);
}

TcxEditButtons* TcxEditButton::Buttons() const { return static_cast<TcxEditButtons*>(Collection()); }

void TcxEditButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxEditButton*>(Source);
  if (!source) {
    TCollectionItem::Assign(Source);
    return;
  }
  TCollectionUpdate update(Collection());
  SetCaption(source->Caption());
  SetVisibleCaption(source->VisibleCaption());
  SetContentAlignment(source->ContentAlignment());
  SetDefault(source->Default());
  SetEnabled(source->Enabled());
  SetGlyph(source->AssignedGlyph());
  SetKind(source->Kind());
  SetLeftAlignment(source->LeftAlignment());
  SetStretchable(source->Stretchable());
  SetTag(source->Tag());
  SetTextColor(source->TextColor());
  SetVisible(source->Visible());
  SetWidth(source->Width());
  SetHint(source->Hint());
}

void TcxEditButton::SetCaption(const String& Value) {
  if (FCaption == Value) return;
  FCaption = Value;
  StripAccelerators(FCaption, false, FVisibleCaption);
  Changed(false);
}

void TcxEditButton::SetVisibleCaption(const String& Value) {
  if (FVisibleCaption == Value) return;
  FVisibleCaption = Value;
  Changed(false);
}

void TcxEditButton::SetContentAlignment(TAlignment Value) {
  if (FContentAlignment == Value) return;
  FContentAlignment = Value;
  Changed(false);
}

void TcxEditButton::SetDefault(bool Value) {
  if (FDefault == Value) return;
  FDefault = Value;
  // One default per collection; the whole collection then reports a single change.
  if (Value && Collection())
    for (int i = 0; i < Collection()->Count(); ++i) {
      auto* other = static_cast<TcxEditButton*>(Collection()->Items(i));
      if (other != this) other->FDefault = false;
    }
  Changed(true);
}

void TcxEditButton::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed(false);
}

TBitmap* TcxEditButton::Glyph() {
  if (!FGlyph) {
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  }
  return FGlyph.get();
}

void TcxEditButton::SetGlyph(TBitmap* Value) {
  if (!Value) {
    FGlyph.reset();
  } else if (Value != FGlyph.get()) {
    // Assigning fires the glyph's OnChange; the one change below stands for it.
    TBitmap* glyph = Glyph();
    glyph->OnChange = nullptr;
    glyph->Assign(Value);
    glyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
  }
  Changed(false);
}

void TcxEditButton::GlyphChanged(TObject*) { Changed(false); }

void TcxEditButton::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  Changed(false);
}

void TcxEditButton::SetKind(TcxEditButtonKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  Changed(false);
}

void TcxEditButton::SetLeftAlignment(bool Value) {
  if (FLeftAlignment == Value) return;
  FLeftAlignment = Value;
  Changed(false);
}

void TcxEditButton::SetStretchable(bool Value) {
  if (FStretchable == Value) return;
  FStretchable = Value;
  Changed(false);
}

void TcxEditButton::SetTag(int Value) {
  if (FTag == Value) return;
  FTag = Value;
  Changed(false);
}

void TcxEditButton::SetTextColor(TColor Value) {
  if (FTextColor == Value) return;
  FTextColor = Value;
  Changed(false);
}

void TcxEditButton::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  Changed(false);
}

void TcxEditButton::SetWidth(int Value) {
  if (FWidth < 0 || FWidth == Value) return;
  FWidth = Value;
  Changed(false);
}

// ---- TcxEditButtons ---------------------------------------------------------------------------------

TcxEditButtons::TcxEditButtons(TPersistent* AOwner, TClass ButtonClass) : TCollection(ButtonClass), FOwner(AOwner) {}

TcxEditButton* TcxEditButtons::AddButton() { return static_cast<TcxEditButton*>(Add()); }

int TcxEditButtons::VisibleCount() const {
  int count = 0;
  for (int i = 0; i < Count(); ++i)
    if (ButtonAt(i)->Visible()) ++count;
  return count;
}

void TcxEditButtons::Update(TCollectionItem*) {
  if (OnChange) OnChange(this);
}
