#include "ui/bars/BarScreenTips.h"

#include "platform/classes/Controls.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/classes/SysUtils.h"
#include "ui/bars/BarRoutines.h"
#include "ui/foundation/Routines.h"

// ---- bands --------------------------------------------------------------------------------------

TdxBarCustomScreenTipBand::TdxBarCustomScreenTipBand(TdxBarScreenTipBandType ABandType)
    : FBandType(ABandType), FGlyph(new TBitmap) {
  FGlyph->SetTransparent(true);
}

TdxBarCustomScreenTipBand::~TdxBarCustomScreenTipBand() { delete FGlyph; }

void TdxBarCustomScreenTipBand::DeclareProperties(TPropTable& t) {
  using B = TdxBarCustomScreenTipBand;
  t.Add("Glyph", &B::Glyph, &B::SetGlyph);
  t.Add("Text", &B::Text, &B::SetText);
  t.Add("TextAlign", &B::TextAlign, &B::SetTextAlign).SetDefault(stbtaRight);
}

void TdxBarCustomScreenTipBand::Assign(TPersistent* Source) {
  auto* band = dynamic_cast<TdxBarCustomScreenTipBand*>(Source);
  if (!band) {
    TPersistent::Assign(Source);
    return;
  }
  SetText(band->Text());
  SetTextAlign(band->TextAlign());
  SetGlyph(band->Glyph());
}

void TdxBarCustomScreenTipBand::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  BandChanged();
}

void TdxBarCustomScreenTipBand::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  BandChanged();
}

void TdxBarCustomScreenTipBand::SetTextAlign(TdxBarScreenTipBandTextAlign Value) {
  if (Value == FTextAlign) return;
  FTextAlign = Value;
  BandChanged();
}

void TdxBarCustomScreenTipBand::BandChanged() {
  if (OnChange) OnChange(this);
}

TdxBarScreenTipBand::TdxBarScreenTipBand(TdxBarScreenTip* ATip, TdxBarScreenTipBandType ABandType)
    : TdxBarCustomScreenTipBand(ABandType), FScreenTip(ATip) {}

TFont* TdxBarScreenTipBand::DrawFont() {
  TdxBarScreenTipRepository* repository = FScreenTip ? FScreenTip->Repository() : nullptr;
  return repository ? repository->BandFont(BandType()) : nullptr;
}

bool TdxBarScreenTipBand::UsesDefaultColor() {
  TdxBarScreenTipRepository* repository = FScreenTip ? FScreenTip->Repository() : nullptr;
  return !repository || repository->UsesDefaultColor(BandType());
}

TdxBarScreenTipFooterBand::TdxBarScreenTipFooterBand(TdxBarScreenTipRepository* ARepository)
    : TdxBarCustomScreenTipBand(stbFooter), FRepository(ARepository) {}

TFont* TdxBarScreenTipFooterBand::DrawFont() { return FRepository ? FRepository->BandFont(stbFooter) : nullptr; }

bool TdxBarScreenTipFooterBand::UsesDefaultColor() {
  return !FRepository || FRepository->UsesDefaultColor(stbFooter);
}

// ---- screen tip ---------------------------------------------------------------------------------

TdxBarScreenTip::TdxBarScreenTip(TComponent* AOwner) : TcxComponentCollectionItem(AOwner) {
  for (int i = 0; i < 3; ++i) FBands[i] = new TdxBarScreenTipBand(this, static_cast<TdxBarScreenTipBandType>(i));
}

TdxBarScreenTip::~TdxBarScreenTip() {
  // Out of the collection before the bands go, so that nobody reaches them through it.
  ChangeCollection(nullptr);
  for (TdxBarScreenTipBand* band : FBands) delete band;
}

void TdxBarScreenTip::DeclareProperties(TPropTable& t) {
  using T = TdxBarScreenTip;
  t.Add("Header", &T::Header, &T::SetHeader);
  t.Add("Description", &T::Description, &T::SetDescription);
  t.Add("Footer", &T::Footer, &T::SetFooter);
  t.Add("UseHintAsHeader", &T::UseHintAsHeader, &T::SetUseHintAsHeader).SetDefault(false);
  t.Add("UseStandardFooter", &T::UseStandardFooter, &T::SetUseStandardFooter).SetDefault(false);
  t.Add("Width", &T::Width, &T::SetWidth).SetDefault(0);
}

void TdxBarScreenTip::Assign(TPersistent* Source) {
  auto* tip = dynamic_cast<TdxBarScreenTip*>(Source);
  if (!tip) {
    TcxComponentCollectionItem::Assign(Source);
    return;
  }
  SetHeader(tip->Header());
  SetDescription(tip->Description());
  SetFooter(tip->Footer());
  SetUseHintAsHeader(tip->UseHintAsHeader());
  SetUseStandardFooter(tip->UseStandardFooter());
  SetWidth(tip->Width());
}

void TdxBarScreenTip::SetName(const String& Value) {
  auto* ownerControl = dynamic_cast<TControl*>(Owner());
  const bool follow = !HasState(csLoading) && Name() == Header()->Text() &&
                      !(ownerControl && ownerControl->HasState(csLoading));
  TcxComponentCollectionItem::SetName(Value);
  if (follow) Header()->SetText(Value);
}

void TdxBarScreenTip::ReadState(TReader* Reader) {
  if (!Collection()) SetParentComponent(Reader->Parent());
  TcxComponentCollectionItem::ReadState(Reader);
}

String TdxBarScreenTip::GetDisplayName() { return Format("%s - '%s'", {Name(), Header()->Text()}); }

TdxBarScreenTipRepository* TdxBarScreenTip::Repository() const {
  auto* collection = dynamic_cast<TdxBarScreenTipCollection*>(Collection());
  return collection ? collection->Repository() : nullptr;
}

TdxBarCustomScreenTipBand* TdxBarScreenTip::BandForDisplay(TdxBarScreenTipBandType BandType) const {
  if (BandType == stbFooter && FUseStandardFooter)
    if (TdxBarScreenTipRepository* repository = Repository()) return repository->StandardFooter();
  return FBands[BandType];
}

int TdxBarScreenTip::EffectiveWidth() const {
  if (FWidth != 0) return FWidth;
  return ScaleByScreenDpi(Description()->HasGlyph() ? 318 : 210);
}

TcxComponentCollection* TdxBarScreenTip::CollectionOfParent(TComponent* ParentComponent) {
  auto* repository = dynamic_cast<TdxBarScreenTipRepository*>(ParentComponent);
  return repository ? repository->Items() : nullptr;
}

// ---- collection ---------------------------------------------------------------------------------

TdxBarScreenTipCollection::TdxBarScreenTipCollection(TComponent* ARepository)
    : TcxComponentCollection(ARepository, TdxBarScreenTip::StaticClass()) {}

TdxBarScreenTipRepository* TdxBarScreenTipCollection::Repository() const {
  return dynamic_cast<TdxBarScreenTipRepository*>(ParentComponent());
}

void TdxBarScreenTipCollection::NameNewItem(TcxComponentCollectionItem* Item) {
  TComponent* repository = ParentComponent();
  String name;
  MakeUniqueItemName(repository ? repository->Owner() : nullptr, repository, Item, "TdxBar", String(), name);
  Item->SetName(name);
}

// ---- repository ---------------------------------------------------------------------------------

TdxBarScreenTipRepository::TdxBarScreenTipRepository(TComponent* AOwner)
    : TComponent(AOwner), FStandardFooter(new TdxBarScreenTipFooterBand(this)), FScratchFont(new TFont) {
  for (int i = 0; i < 3; ++i) {
    FFonts[i] = new TFont;
    AssignDefaultFont(FFonts[i], static_cast<TdxBarScreenTipBandType>(i));
    FFonts[i]->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
  }
  FItems = CreateItems();
}

TdxBarScreenTipRepository::~TdxBarScreenTipRepository() {
  delete FItems;
  FItems = nullptr;
  delete FStandardFooter;
  for (TFont* font : FFonts) delete font;
  delete FScratchFont;
}

void TdxBarScreenTipRepository::DeclareProperties(TPropTable& t) {
  using R = TdxBarScreenTipRepository;
  t.Add("AssignedFonts", &R::AssignedFonts, &R::SetAssignedFonts).SetDefault(TdxScreenTipRepositoryFonts{});
  t.Add("DescriptionFont", &R::DescriptionFont, &R::SetDescriptionFont).Stored(&R::IsDescriptionFontStored);
  t.Add("FooterFont", &R::FooterFont, &R::SetFooterFont).Stored(&R::IsFooterFontStored);
  t.Add("HeaderFont", &R::HeaderFont, &R::SetHeaderFont).Stored(&R::IsHeaderFontStored);
  t.Add("StandardFooter", &R::StandardFooter, &R::SetStandardFooter);
  t.Add("ShowDescription", &R::ShowDescription, &R::SetShowDescription).SetDefault(true);
}

TdxBarScreenTipCollection* TdxBarScreenTipRepository::CreateItems() { return new TdxBarScreenTipCollection(this); }

void TdxBarScreenTipRepository::AssignDefaultFont(TFont* Font, TdxBarScreenTipBandType BandType) {
  if (Screen) Font->Assign(Screen->HintFont());
  Font->SetColor(dxScreenTipFontDefaultColor);
  if (BandType != stbDescription) {
    TFontStyles style = Font->Style();
    style.Include(fsBold);
    Font->SetStyle(style);
  }
}

void TdxBarScreenTipRepository::FontChanged(TObject* Sender) {
  if (HasState(csLoading)) return;
  for (int i = 0; i < 3; ++i)
    if (FFonts[i] == Sender) FAssignedFonts.Include(static_cast<TdxBarScreenTipBandType>(i));
}

TFont* TdxBarScreenTipRepository::BandFont(TdxBarScreenTipBandType BandType) {
  if (FAssignedFonts.Contains(BandType)) return FFonts[BandType];
  AssignDefaultFont(FScratchFont, BandType);
  return FScratchFont;
}

bool TdxBarScreenTipRepository::UsesDefaultColor(TdxBarScreenTipBandType BandType) {
  return BandFont(BandType)->Color() == dxScreenTipFontDefaultColor;
}

void TdxBarScreenTipRepository::Assign(TPersistent* Source) {
  auto* repository = dynamic_cast<TdxBarScreenTipRepository*>(Source);
  if (!repository) {
    TComponent::Assign(Source);
    return;
  }
  FItems->Assign(repository->Items());
  SetStandardFooter(repository->StandardFooter());
  SetDescriptionFont(repository->DescriptionFont());
  SetFooterFont(repository->FooterFont());
  SetHeaderFont(repository->HeaderFont());
  SetAssignedFonts(repository->AssignedFonts());
  SetShowDescription(repository->ShowDescription());
}

void TdxBarScreenTipRepository::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (int i = 0; i < FItems->ItemCount(); ++i) {
    TdxBarScreenTip* tip = FItems->Items(i);
    if (tip->Owner() == Root) Proc(tip);
  }
}
