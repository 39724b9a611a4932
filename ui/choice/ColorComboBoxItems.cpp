#include "ui/choice/ColorComboBoxItems.h"

#include <cstdio>
#include <span>

#include "ui/choice/ExtEditStrings.h"
#include "ui/choice/ExtEditUtils.h"

using namespace win;

namespace {

std::span<const TcxColorName> PreparedSet(TcxColorPrepareList Set) {
  switch (Set) {
    case cxplVintor: return ColorIdentifierNames();
    case cxplHTML4: return HTML4ColorNames();
    case cxplX11: return X11ColorNames();
    case cxplX11Ordered: return X11OrderedColorNames();
    default: return {};
  }
}

std::span<const TcxColorName> NamingSet(TcxColorNamingConvention Convention) {
  switch (Convention) {
    case cxncVintor: return ColorIdentifierNames();
    case cxncHTML4: return HTML4ColorNames();
    case cxncX11: return X11ColorNames();
    default: return {};
  }
}

}  // namespace

// ---- the item -----------------------------------------------------------------------------------------

void TcxColorComboBoxItem::DeclareProperties(TPropTable& t) {
  t.Add("Color", &TcxColorComboBoxItem::Color, &TcxColorComboBoxItem::SetColor);
  t.Add("Description", &TcxColorComboBoxItem::Description, &TcxColorComboBoxItem::SetDescription);
  t.Add("Tag", &TcxColorComboBoxItem::Tag, &TcxColorComboBoxItem::SetTag).Stored(&TcxColorComboBoxItem::TagStored);
}

void TcxColorComboBoxItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TcxColorComboBoxItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetColor(s->Color());
  SetDescription(s->Description());
  FUserAdded = s->UserAdded();
  FTag = s->Tag();
}

void TcxColorComboBoxItem::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  Changed(false);
}

void TcxColorComboBoxItem::SetDescription(const String& Value) {
  if (Value == FDescription) return;
  FDescription = Value;
  Changed(false);
}

// ---- the collection -----------------------------------------------------------------------------------

void TcxColorComboBoxItems::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  if (OnChange) OnChange(this);
  if (OnOwnerChanged) OnOwnerChanged();
}

TcxColorComboBoxItem* TcxColorComboBoxItems::FindColorItem(TColor AColor) {
  int i = IndexOfColor(AColor);
  return i < 0 ? nullptr : Items(i);
}

TcxColorComboBoxItem* TcxColorComboBoxItems::AddColor(TColor AColor, const String& ADescription) {
  return InsertColor(Count(), AColor, ADescription);
}

TcxColorComboBoxItem* TcxColorComboBoxItems::InsertColor(int AIndex, TColor AColor, const String& ADescription) {
  if (FindColorItem(AColor)) return nullptr;
  return static_cast<TcxColorComboBoxItem*>(InsertFilledItem(this, AIndex, [&](TCollectionItem* Item) {
    auto* item = static_cast<TcxColorComboBoxItem*>(Item);
    item->SetColor(AColor);
    item->SetDescription(ADescription);
  }));
}

void TcxColorComboBoxItems::MoveColor(int AFrom, int ATo) { MoveItemByCopy(this, AFrom, ATo); }

void TcxColorComboBoxItems::ClearCustomColors() {
  BeginUpdate();
  for (int i = Count() - 1; i >= 0; --i)
    if (Items(i)->UserAdded()) Delete(i);
  EndUpdate();
}

void TcxColorComboBoxItems::ClearPreparedColors() {
  BeginUpdate();
  for (int i = Count() - 1; i >= 0; --i)
    if (!Items(i)->UserAdded()) Delete(i);
  EndUpdate();
}

int TcxColorComboBoxItems::IndexOfColor(TColor AColor) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Color() == AColor) return i;
  return -1;
}

TColor TcxColorComboBoxItems::ColorAt(int Index, TColor Default) const {
  return Index >= 0 && Index < Count() ? Items(Index)->Color() : Default;
}

// ---- the colour sets and texts --------------------------------------------------------------------------

void FillColorSet(TcxColorComboBoxItems* Items, TcxColorPrepareList Set) {
  std::span<const TcxColorName> set = PreparedSet(Set);
  if (set.empty()) return;
  Items->BeginUpdate();
  try {
    for (const TcxColorName& c : set)
      if (TcxColorComboBoxItem* item = Items->AddColor(c.Color, c.Name)) item->SetUserAdded(false);
  } catch (...) {
    Items->EndUpdate();
    throw;
  }
  Items->EndUpdate();
}

String ColorValueToText(TColor AColor, TcxColorValueFormat Format) {
  if (Format == cxcvInteger) return IntToStr(static_cast<int>(AColor));
  const COLORREF rgb = ColorToRGB(AColor);
  const unsigned r = rgb & 0xFF, g = (rgb >> 8) & 0xFF, b = (rgb >> 16) & 0xFF;
  char text[32];
  if (Format == cxcvHexadecimal)
    std::snprintf(text, sizeof text, "$%.2x%.2x%.2x", r, g, b);
  else
    std::snprintf(text, sizeof text, "%u.%u.%u", r, g, b);
  return text;
}

String FindColorName(TColor AColor, TcxColorNamingConvention Convention, TcxColorValueFormat Format) {
  for (const TcxColorName& c : NamingSet(Convention))
    if (c.Color == AColor) return c.Name;
  return ColorValueToText(AColor, Format);
}

String ColorToText(TColor AColor, const String& ADescription, TcxColorNamingConvention Convention,
                   TcxColorValueFormat Format) {
  return Convention == cxncNone ? ADescription : FindColorName(AColor, Convention, Format);
}

void DrawColorBox(TcxCanvas* ACanvas, const TRect& R, TColor FrameColor, TColor AColor, TColor BackgroundColor,
                  TcxDefaultColorStyle Style) {
  if (R.Right <= R.Left || R.Bottom <= R.Top) return;
  ACanvas->DrawSideFrame(R, BackgroundColor, 1, cxBordersAll);
  const TRect frame(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  ACanvas->DrawSideFrame(frame, FrameColor, 1, cxBordersAll);
  const TRect inner(frame.Left + 1, frame.Top + 1, frame.Right - 1, frame.Bottom - 1);
  switch (Style) {
    case cxdcClear: ACanvas->FillRectWithColor(inner, BackgroundColor); break;
    case cxdcHatched: {
      ACanvas->FillRectWithColor(inner, BackgroundColor);
      TBrush* brush = ACanvas->ActiveBrush();
      brush->SetColor(AColor);
      brush->SetStyle(bsDiagCross);
      ACanvas->ActivePen()->SetColor(BackgroundColor);
      ACanvas->Canvas()->Rectangle(inner.Left - 1, inner.Top - 1, inner.Right + 1, inner.Bottom + 1);
      brush->SetStyle(bsSolid);
      ACanvas->DrawSideFrame(frame, FrameColor, 1, cxBordersAll);
      break;
    }
    default: ACanvas->FillRectWithColor(inner, AColor); break;
  }
}
