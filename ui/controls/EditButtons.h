#pragma once
// The buttons an editor shows at its edges (a drop-down arrow, an ellipsis, a glyph or a caption).
// Every editor's properties own one collection of them; any change to a button reaches the
// properties through the collection's OnChange, so the editors using them lay themselves out anew.
#include <functional>
#include <memory>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Collection.h"
#include "platform/classes/StdCtrls.h"

// Scoped: the painter interface has a glyph kind of its own with a bkEllipsis in it.
enum class TcxEditButtonKind : std::uint8_t { bkEllipsis, bkDown, bkGlyph, bkText };
VW_ENUM_NAMES(TcxEditButtonKind, bkEllipsis, bkDown, bkGlyph, bkText)

class TcxEditButtons;

class TcxEditButton : public TCollectionItem {
  VW_CLASS(TcxEditButton, TCollectionItem)
 public:
  explicit TcxEditButton(TCollection* Collection);
  ~TcxEditButton() override;
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TAlignment ContentAlignment() const { return FContentAlignment; }
  void SetContentAlignment(TAlignment Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  // Made empty on the first read; writing nil frees it.
  TBitmap* Glyph();
  void SetGlyph(TBitmap* Value);
  // The glyph when one was made, without making one.
  TBitmap* AssignedGlyph() const { return FGlyph.get(); }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TcxEditButtonKind Kind() const { return FKind; }
  void SetKind(TcxEditButtonKind Value);
  bool LeftAlignment() const { return FLeftAlignment; }
  void SetLeftAlignment(bool Value);
  bool Stretchable() const { return FStretchable; }
  void SetStretchable(bool Value);
  int Tag() const { return FTag; }
  void SetTag(int Value);
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  // The caption without its accelerator marks.
  const String& VisibleCaption() const { return FVisibleCaption; }
  void SetVisibleCaption(const String& Value);
  // 0: the default width of the kind. A negative width is kept, and later writes are ignored.
  int Width() const { return FWidth; }
  void SetWidth(int Value);

  TcxEditButtons* Buttons() const;

 protected:
  void GlyphChanged(TObject* Sender);

 private:
  bool GlyphStored() const { return FGlyph && !FGlyph->Empty(); }
  bool TagStored() const { return FTag != 0; }

  String FCaption;
  TAlignment FContentAlignment = taCenter;
  bool FDefault = false;
  bool FEnabled = true;
  std::unique_ptr<TBitmap> FGlyph;
  String FHint;
  TcxEditButtonKind FKind = TcxEditButtonKind::bkDown;
  bool FLeftAlignment = false;
  bool FStretchable = true;
  int FTag = 0;
  TColor FTextColor = clBtnText;
  bool FVisible = true;
  String FVisibleCaption;
  int FWidth = 0;
};

class TcxEditButtons : public TCollection {
  VW_CLASS(TcxEditButtons, TCollection)
 public:
  TcxEditButtons(TPersistent* AOwner, TClass ButtonClass);
  explicit TcxEditButtons(TPersistent* AOwner) : TcxEditButtons(AOwner, ButtonClassOf()) {}

  // The button class of this collection class; the properties construct their buttons with it.
  static TClass ButtonClassOf() { return TcxEditButton::StaticClass(); }
  virtual TClass ButtonClass() { return ItemClass(); }

  TcxEditButton* AddButton();
  TcxEditButton* ButtonAt(int Index) const { return static_cast<TcxEditButton*>(Items(Index)); }
  int VisibleCount() const;

  TNotifyEvent OnChange;

 protected:
  void Update(TCollectionItem* Item) override;
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// How properties classes make their button collections.
using TcxEditButtonsClass = std::function<TcxEditButtons*(TPersistent* AOwner)>;
template <class T>
TcxEditButtonsClass EditButtonsClassOf() {
  return [](TPersistent* AOwner) -> TcxEditButtons* { return new T(AOwner); };
}
