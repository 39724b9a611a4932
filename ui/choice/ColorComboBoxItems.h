#pragma once
// The colour combo box's lists: a colour entry with its description, the collection of them (a
// colour held at most once when filled through AddColor and InsertColor), the prepared colour
// sets it is filled from, and the colour's texts by naming convention and value format, with the
// colour box its lists and edit area draw.
#include <functional>

#include "platform/classes/Collection.h"
#include "platform/classes/Graphics.h"
#include "ui/foundation/Canvas.h"

VW_ENUM(TcxColorPrepareList, cxplNone, cxplVintor, cxplHTML4, cxplX11, cxplX11Ordered)
VW_ENUM(TcxColorNamingConvention, cxncNone, cxncVintor, cxncHTML4, cxncX11)
VW_ENUM(TcxColorValueFormat, cxcvRGB, cxcvHexadecimal, cxcvInteger)
VW_ENUM(TcxDefaultColorStyle, cxdcClear, cxdcColor, cxdcHatched, cxdcText, cxdcCustom)

class TcxColorComboBoxItem : public TCollectionItem {
  VW_CLASS(TcxColorComboBoxItem, TCollectionItem)
 public:
  explicit TcxColorComboBoxItem(TCollection* Collection) : TCollectionItem(Collection) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  const String& Description() const { return FDescription; }
  void SetDescription(const String& Value);
  // False for the entries a prepared colour set added.
  bool UserAdded() const { return FUserAdded; }
  void SetUserAdded(bool Value) { FUserAdded = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

 private:
  bool TagStored() const { return FTag != 0; }

  TColor FColor = clBlack;
  String FDescription;
  bool FUserAdded = true;
  int FTag = 0;
};

class TcxColorComboBoxItems : public TOwnedCollection {
  VW_CLASS(TcxColorComboBoxItems, TOwnedCollection)
 public:
  explicit TcxColorComboBoxItems(TPersistent* AOwner) : TOwnedCollection(AOwner, TcxColorComboBoxItem::StaticClass()) {}

  TcxColorComboBoxItem* Items(int Index) const { return static_cast<TcxColorComboBoxItem*>(TCollection::Items(Index)); }

  // Called after every change, before the owner hears of it.
  TNotifyEvent OnChange;
  // The owner's reaction (the colour combo's properties signal their change); set by the owner.
  std::function<void()> OnOwnerChanged;

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual TcxColorComboBoxItem* FindColorItem(TColor AColor);
  // Nil when the colour is listed already.
  virtual TcxColorComboBoxItem* AddColor(TColor AColor, const String& ADescription);
  virtual TcxColorComboBoxItem* InsertColor(int AIndex, TColor AColor, const String& ADescription);
  // The item that stood at From before the insertion ends at To.
  virtual void MoveColor(int AFrom, int ATo);
  virtual void ClearCustomColors();
  virtual void ClearPreparedColors();

  int IndexOfColor(TColor AColor) const;
  TColor ColorAt(int Index, TColor Default) const;

 protected:
  void Update(TCollectionItem* Item) override;
};

// Adds the set's (value, name) pairs in table order with AddColor, marked as prepared; a value
// listed already is skipped.
void FillColorSet(TcxColorComboBoxItems* Items, TcxColorPrepareList Set);
// The set's name of the colour (its first entry of that value, system colours unresolved), else
// the colour's value text.
String FindColorName(TColor AColor, TcxColorNamingConvention Convention, TcxColorValueFormat Format);
// "r.g.b", "$rrggbb" in lower case, or the signed TColor value.
String ColorValueToText(TColor AColor, TcxColorValueFormat Format);
// The description (no convention) or the convention's name.
String ColorToText(TColor AColor, const String& ADescription, TcxColorNamingConvention Convention,
                   TcxColorValueFormat Format);
// A frame in the background colour, one in the frame colour inside it, and the inside by style.
void DrawColorBox(TcxCanvas* ACanvas, const TRect& R, TColor FrameColor, TColor AColor, TColor BackgroundColor,
                  TcxDefaultColorStyle Style);
