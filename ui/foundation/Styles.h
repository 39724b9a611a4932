#pragma once
// Named styles: appearance values (background bitmap, colour, font, text colour) that several
// controls share. A repository keeps styles and style sheets; a styles object is the list through
// which a control refers to styles by index, and it may take further styles from a sheet, whose
// own styles object may use another sheet in turn. Changes travel from a style to the styles
// objects that observe it, and from a sheet to the styles objects that use it.
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Component.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Lists.h"
#include "ui/foundation/Component.h"
#include "ui/foundation/Interfaced.h"

class TFiler;
class TReader;

VW_ENUM(TcxStyleValue, svBitmap, svColor, svFont, svTextColor)
using TcxStyleValues = TSet<TcxStyleValue>;

class TcxCustomStyle;
class TcxCustomStyles;
class TcxCustomStyleSheet;
class TcxStyleRepository;

// An object that refers to styles. Told that a style is being destroyed, it must unregister
// itself from that style during the call.
class IcxStyleObserver : public virtual IInterface {
 public:
  virtual void StyleChanged(TcxCustomStyle* Sender) = 0;
  virtual void StyleRemoved(TcxCustomStyle* Sender) = 0;
};

class TcxCustomStyle : public TComponent {
  VW_CLASS(TcxCustomStyle, TComponent)
 public:
  explicit TcxCustomStyle(TComponent* AOwner) : TComponent(AOwner) {}
  ~TcxCustomStyle() override;

  void BeforeDestruction() override;

  // Last registered first.
  virtual void NotifyObservers();
  // Registering twice keeps one entry.
  virtual void RegisterObserver(IcxStyleObserver* Observer);
  virtual void UnregisterObserver(IcxStyleObserver* Observer);
  virtual void ResetValues() {}

  // Leaves the old repository's style list and joins the new one's; either may be null.
  void AttachToRepository(TcxStyleRepository* Repository);
  TcxStyleRepository* StyleRepository() const { return FStyleRepository; }
  int ObserverCount() const { return static_cast<int>(FObservers.size()); }

  TComponent* GetParentComponent() override;
  bool HasParent() override { return FStyleRepository != nullptr; }
  // Raises the invalid-cast error for a parent that is not a repository.
  void SetParentComponent(TComponent* AParent) override;

 protected:
  void ReadState(TReader* Reader) override;

 private:
  void NotifyRemoval();

  std::vector<IcxStyleObserver*> FObservers;
  TcxStyleRepository* FStyleRepository = nullptr;
};

class TcxStyle : public TcxCustomStyle {
  VW_CLASS(TcxStyle, TcxCustomStyle)
 public:
  explicit TcxStyle(TComponent* AOwner);
  ~TcxStyle() override;

  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;
  // Clears every value but leaves the font's attributes as they are.
  void ResetValues() override;

  TcxStyleValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxStyleValues Value);
  TBitmap* Bitmap() const { return FBitmap; }
  // Copied in; an empty bitmap un-assigns the value.
  void SetBitmap(TBitmap* Value);
  TColor Color() const { return FColor; }
  // clDefault un-assigns the value.
  void SetColor(TColor Value);
  TFont* Font() const { return FFont; }
  // Copied in; any change of the font assigns it.
  void SetFont(TFont* Value);
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value);

 protected:
  void ReadState(TReader* Reader) override;

 private:
  void HandleBitmapChange(TObject* Sender);
  void HandleFontChange(TObject* Sender);
  bool IsBitmapStored() const { return FAssignedValues.Contains(svBitmap); }
  bool IsColorStored() const { return FAssignedValues.Contains(svColor); }
  bool IsFontStored() const { return FAssignedValues.Contains(svFont); }
  bool IsTextColorStored() const { return FAssignedValues.Contains(svTextColor); }

  TcxStyleValues FAssignedValues;
  TBitmap* FBitmap;
  TColor FColor = clDefault;
  TFont* FFont;
  TColor FTextColor = clDefault;
};

class TcxStyleRepository : public TComponent {
  VW_CLASS(TcxStyleRepository, TComponent)
 public:
  explicit TcxStyleRepository(TComponent* AOwner) : TComponent(AOwner) {}
  // Frees its styles and then its sheets, each last first, whoever owns them.
  ~TcxStyleRepository() override;

  static void DeclareProperties(TPropTable& t);

  // The class must descend from TcxCustomStyle (TcxCustomStyleSheet), else the invalid-cast error.
  virtual TcxCustomStyle* NewStyle(TClass StyleClass);
  virtual TcxCustomStyle* NewStyleOwned(TClass StyleClass, TComponent* AOwner);
  virtual TcxCustomStyleSheet* NewStyleSheet(TClass StyleSheetClass);
  virtual TcxCustomStyleSheet* NewStyleSheetOwned(TClass StyleSheetClass, TComponent* AOwner);

  void AdoptStyle(TcxCustomStyle* Style);
  void ReleaseStyle(TcxCustomStyle* Style);
  void AdoptStyleSheet(TcxCustomStyleSheet* StyleSheet);
  void ReleaseStyleSheet(TcxCustomStyleSheet* StyleSheet);
  int StyleCount() const { return static_cast<int>(FStyles.size()); }
  int StyleSheetCount() const { return static_cast<int>(FStyleSheets.size()); }
  TcxCustomStyle* StyleAt(int Index) const { return FStyles.at(static_cast<std::size_t>(Index)); }
  TcxCustomStyleSheet* StyleSheetAt(int Index) const { return FStyleSheets.at(static_cast<std::size_t>(Index)); }

  bool Scalable() const { return FScalable; }
  void SetScalable(bool Value) { FScalable = Value; }
  // The pixels per inch the repository was stored at; 0 until read from a stream.
  int StoredPixelsPerInch() const { return FPixelsPerInch; }
  // A height stored at another resolution, for this screen (only when Scalable).
  int ScaleToScreen(int Value) const;

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  void DefineProperties(TFiler* Filer) override;

 private:
  std::vector<TcxCustomStyle*> FStyles;
  std::vector<TcxCustomStyleSheet*> FStyleSheets;
  bool FScalable = false;
  int FPixelsPerInch = 0;
};

class TcxCustomStyleSheet : public TcxComponent {
  VW_CLASS(TcxCustomStyleSheet, TcxComponent)
 public:
  explicit TcxCustomStyleSheet(TComponent* AOwner);
  ~TcxCustomStyleSheet() override;

  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  // The class of the sheet's own styles object.
  virtual TClass StylesObjectClass() const;

  // The Name while no caption of its own is stored.
  String Caption() const { return FCaption.empty() ? Name() : FCaption; }
  void SetCaption(const String& Value);
  bool BuiltIn() const { return FBuiltIn; }
  void SetBuiltIn(bool Value) { FBuiltIn = Value; }

  void RegisterUser(TcxCustomStyles* Styles);
  void UnregisterUser(TcxCustomStyles* Styles);
  int UserCount() const { return static_cast<int>(FUsers.size()); }
  TcxCustomStyles* StylesObject();
  void AssignStylesObject(TcxCustomStyles* Styles);

  // Tells every user, in order, then refreshes the designer's links.
  void PropagateChange(int Index);

  void AttachToRepository(TcxStyleRepository* Repository);
  TcxStyleRepository* StyleRepository() const { return FStyleRepository; }

  TComponent* GetParentComponent() override;
  bool HasParent() override { return FStyleRepository != nullptr; }
  void SetParentComponent(TComponent* AParent) override;

 protected:
  void AfterConstruction() override;
  void CollectLinkedComponents(TList* List) override { ListFakeComponentLinks(List); }
  void DefineProperties(TFiler* Filer) override;
  // The owners of the styles the sheet refers to, other than its own owner.
  void ListFakeComponentLinks(TList* List);
  void ReadState(TReader* Reader) override;

 private:
  bool IsCaptionStored() const { return !FCaption.empty(); }

  bool FBuiltIn;
  String FCaption;
  TcxStyleRepository* FStyleRepository = nullptr;
  // Made on first use: the class is virtual, and a constructor cannot ask a descendant.
  TcxCustomStyles* FStyles = nullptr;
  std::vector<TcxCustomStyles*> FUsers;
};

struct TcxStyleItem {
  int Index;
  TcxCustomStyle* Style;
};

class TcxCustomStyles : public TcxInterfacedPersistent, public IcxStyleObserver {
  VW_CLASS(TcxCustomStyles, TcxInterfacedPersistent)
 public:
  explicit TcxCustomStyles(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {}
  ~TcxCustomStyles() override;

  // Takes the source's style sheet; the source's own items stay where they are.
  void Assign(TPersistent* Source) override;

  // Null is accepted; a sheet of another styles class, or one whose chain of used sheets leads
  // back to the sheet that owns this object, is not.
  bool AcceptsStyleSheet(TcxCustomStyleSheet* StyleSheet) const;
  // Tells every index the old and the new sheet define, once each.
  void UseStyleSheet(TcxCustomStyleSheet* StyleSheet);
  TcxCustomStyleSheet* StyleSheet() const { return FStyleSheet; }
  TcxCustomStyleSheet* OwningStyleSheet() const { return FOwningStyleSheet; }

  // The style at the item index, or null; only this object's own items count.
  TcxCustomStyle* Values(int Index) const;
  // Null deletes the item.
  void SetValue(int Index, TcxCustomStyle* Style);

  int ItemCount() const { return static_cast<int>(FItems.size()); }
  const TcxStyleItem& ItemAt(int Position) const { return FItems.at(static_cast<std::size_t>(Position)); }
  void DeleteItem(int Position);
  void ClearItems();

  // Silent while destroying.
  virtual void PropagateChange(int Index);

  void StyleChanged(TcxCustomStyle* Sender) override { HandleStyleChange(Sender); }
  void StyleRemoved(TcxCustomStyle* Sender) override { HandleStyleRemoval(Sender); }

 protected:
  // Descendants react to a change of what the item index shows.
  virtual void ReactToChange(int /*Index*/) {}
  void HandleStyleChange(TcxCustomStyle* Sender);
  void HandleStyleRemoval(TcxCustomStyle* Sender);

 private:
  friend class TcxCustomStyleSheet;
  int FindItem(int Index) const;
  bool StyleInUse(TcxCustomStyle* Style) const;
  static void CollectIndexes(TcxCustomStyleSheet* StyleSheet, std::vector<int>& Indexes);

  std::vector<TcxStyleItem> FItems;
  TcxCustomStyleSheet* FOwningStyleSheet = nullptr;
  TcxCustomStyleSheet* FStyleSheet = nullptr;
  bool FDestroying = false;
};

// The unit's start-up: the classes join TControl's class group and TcxStyle can be streamed.
// Runs its work once however often it is called.
void StylesUnitStartup();
