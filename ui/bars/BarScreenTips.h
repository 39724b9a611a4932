#pragma once
// Screen tips: larger hints with up to three bands (a bold header, a description with an optional
// picture, a footer under a separator line), kept in a repository component on the form and
// referred to by bar items. The repository owns the band fonts and the footer that tips can share.
#include <functional>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Component.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/ComponentCollection.h"

VW_ENUM(TdxBarScreenTipBandType, stbHeader, stbDescription, stbFooter)
VW_ENUM(TdxBarScreenTipBandTextAlign, stbtaLeft, stbtaRight)
using TdxScreenTipRepositoryFonts = TSet<TdxBarScreenTipBandType>;

class TdxBarScreenTip;
class TdxBarScreenTipRepository;

// The colour band fonts start with; a band drawn in it takes the painter's tip colours.
constexpr TColor dxScreenTipFontDefaultColor = static_cast<TColor>(0x4C4C4C);

class TdxBarCustomScreenTipBand : public TPersistent {
  VW_CLASS(TdxBarCustomScreenTipBand, TPersistent)
 public:
  explicit TdxBarCustomScreenTipBand(TdxBarScreenTipBandType ABandType);
  ~TdxBarCustomScreenTipBand() override;
  static void DeclareProperties(TPropTable& t);

  // Text, alignment and picture from another band, through the setters.
  void Assign(TPersistent* Source) override;

  TdxBarScreenTipBandType BandType() const { return FBandType; }
  TBitmap* Glyph() const { return FGlyph; }
  // Always a change: the picture is copied into the band's own bitmap.
  void SetGlyph(TBitmap* Value);
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  TdxBarScreenTipBandTextAlign TextAlign() const { return FTextAlign; }
  void SetTextAlign(TdxBarScreenTipBandTextAlign Value);
  bool HasGlyph() const { return !FGlyph->Empty(); }

  virtual void BandChanged();
  // The font the band is drawn with; nil for a band outside any repository.
  virtual TFont* DrawFont() = 0;
  virtual bool UsesDefaultColor() = 0;

  // The library attaches nothing here; it is the application's.
  TNotifyEvent OnChange;

 private:
  TdxBarScreenTipBandType FBandType;
  TBitmap* FGlyph;
  String FText;
  TdxBarScreenTipBandTextAlign FTextAlign = stbtaRight;
};

// A band of one tip.
class TdxBarScreenTipBand : public TdxBarCustomScreenTipBand {
  VW_CLASS(TdxBarScreenTipBand, TdxBarCustomScreenTipBand)
 public:
  TdxBarScreenTipBand(TdxBarScreenTip* ATip, TdxBarScreenTipBandType ABandType);
  TdxBarScreenTip* ScreenTip() const { return FScreenTip; }
  TFont* DrawFont() override;
  bool UsesDefaultColor() override;

 private:
  TdxBarScreenTip* FScreenTip;
};

// The footer a repository offers to all its tips.
class TdxBarScreenTipFooterBand : public TdxBarCustomScreenTipBand {
  VW_CLASS(TdxBarScreenTipFooterBand, TdxBarCustomScreenTipBand)
 public:
  explicit TdxBarScreenTipFooterBand(TdxBarScreenTipRepository* ARepository);
  TFont* DrawFont() override;
  bool UsesDefaultColor() override;

 private:
  TdxBarScreenTipRepository* FRepository;
};

class TdxBarScreenTip : public TcxComponentCollectionItem {
  VW_CLASS(TdxBarScreenTip, TcxComponentCollectionItem)
 public:
  explicit TdxBarScreenTip(TComponent* AOwner);
  ~TdxBarScreenTip() override;
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  // While the header text equals the name it follows a rename, unless the tip or its owning
  // control loads.
  void SetName(const String& Value) override;
  // "Name - 'Header'".
  String GetDisplayName();
  String ShownName() override { return GetDisplayName(); }
  // A tip read under its repository joins the repository's items.
  void ReadState(TReader* Reader) override;

  TdxBarScreenTipRepository* Repository() const;
  TdxBarScreenTipBand* Band(TdxBarScreenTipBandType BandType) const { return FBands[BandType]; }
  TdxBarScreenTipBand* Header() const { return FBands[stbHeader]; }
  void SetHeader(TdxBarScreenTipBand* Value) { FBands[stbHeader]->Assign(Value); }
  TdxBarScreenTipBand* Description() const { return FBands[stbDescription]; }
  void SetDescription(TdxBarScreenTipBand* Value) { FBands[stbDescription]->Assign(Value); }
  TdxBarScreenTipBand* Footer() const { return FBands[stbFooter]; }
  void SetFooter(TdxBarScreenTipBand* Value) { FBands[stbFooter]->Assign(Value); }
  // The repository's standard footer stands for the footer when the tip uses it.
  TdxBarCustomScreenTipBand* BandForDisplay(TdxBarScreenTipBandType BandType) const;

  bool UseHintAsHeader() const { return FUseHintAsHeader; }
  void SetUseHintAsHeader(bool Value) { FUseHintAsHeader = Value; }
  bool UseStandardFooter() const { return FUseStandardFooter; }
  void SetUseStandardFooter(bool Value) { FUseStandardFooter = Value; }
  // 0 sizes the tip by its description picture.
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int EffectiveWidth() const;

 protected:
  TcxComponentCollection* CollectionOfParent(TComponent* ParentComponent) override;

 private:
  TdxBarScreenTipBand* FBands[3];
  bool FUseHintAsHeader = false;
  bool FUseStandardFooter = false;
  int FWidth = 0;
};

class TdxBarScreenTipCollection : public TcxComponentCollection {
  VW_CLASS(TdxBarScreenTipCollection, TcxComponentCollection)
 public:
  using CreateArgType = TComponent;
  explicit TdxBarScreenTipCollection(TComponent* ARepository = nullptr);
  TdxBarScreenTipRepository* Repository() const;
  TdxBarScreenTip* Items(int Index) const { return static_cast<TdxBarScreenTip*>(ItemAt(Index)); }
  TdxBarScreenTip* Add() { return static_cast<TdxBarScreenTip*>(AppendNewItem()); }

 protected:
  void NameNewItem(TcxComponentCollectionItem* Item) override;
};

class TdxBarScreenTipRepository : public TComponent {
  VW_CLASS(TdxBarScreenTipRepository, TComponent)
 public:
  explicit TdxBarScreenTipRepository(TComponent* AOwner);
  ~TdxBarScreenTipRepository() override;
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  TdxScreenTipRepositoryFonts AssignedFonts() const { return FAssignedFonts; }
  void SetAssignedFonts(TdxScreenTipRepositoryFonts Value) { FAssignedFonts = Value; }
  TFont* Font(TdxBarScreenTipBandType BandType) const { return FFonts[BandType]; }
  TFont* HeaderFont() const { return FFonts[stbHeader]; }
  void SetHeaderFont(TFont* Value) { FFonts[stbHeader]->Assign(Value); }
  TFont* DescriptionFont() const { return FFonts[stbDescription]; }
  void SetDescriptionFont(TFont* Value) { FFonts[stbDescription]->Assign(Value); }
  TFont* FooterFont() const { return FFonts[stbFooter]; }
  void SetFooterFont(TFont* Value) { FFonts[stbFooter]->Assign(Value); }
  TdxBarScreenTipCollection* Items() const { return FItems; }
  bool ShowDescription() const { return FShowDescription; }
  void SetShowDescription(bool Value) { FShowDescription = Value; }
  TdxBarScreenTipFooterBand* StandardFooter() const { return FStandardFooter; }
  void SetStandardFooter(TdxBarScreenTipFooterBand* Value) { FStandardFooter->Assign(Value); }

  // The band's own font when it was assigned, else the default font made afresh.
  virtual TFont* BandFont(TdxBarScreenTipBandType BandType);
  bool UsesDefaultColor(TdxBarScreenTipBandType BandType);
  // The screen's hint font in the default colour, bold for header and footer.
  static void AssignDefaultFont(TFont* Font, TdxBarScreenTipBandType BandType);

 protected:
  virtual TdxBarScreenTipCollection* CreateItems();

 private:
  void FontChanged(TObject* Sender);
  bool IsHeaderFontStored() const { return FAssignedFonts.Contains(stbHeader); }
  bool IsDescriptionFontStored() const { return FAssignedFonts.Contains(stbDescription); }
  bool IsFooterFontStored() const { return FAssignedFonts.Contains(stbFooter); }

  TdxScreenTipRepositoryFonts FAssignedFonts;
  TFont* FFonts[3];
  TdxBarScreenTipCollection* FItems = nullptr;
  bool FShowDescription = true;
  TdxBarScreenTipFooterBand* FStandardFooter;
  TFont* FScratchFont;
};
