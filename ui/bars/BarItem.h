#pragma once
// The bar item: one command of the bars (caption, glyphs, hint, shortcut, enabled and visible
// state, its action and handlers). It never draws itself: each place it shows in is a link, and each
// shown link owns an item control, which the item tells exactly what changed. The label and the
// separator, the two smallest kinds, live here too.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/Bitmap.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/ImageList.h"
#include "ui/bars/BarComponents.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/Styles.h"

VW_ENUM(TdxBarItemAlign, iaLeft, iaCenter, iaRight, iaClient)
VW_ENUM(TdxBarItemMergeKind, mkAdd, mkMergeByCaption, mkNone)
// Scoped: the painters' style enumeration has a psStandard of its own.
enum class TdxBarPaintStyle : std::uint8_t { psStandard, psCaption, psCaptionInMenu, psCaptionGlyph };
VW_ENUM_NAMES(TdxBarPaintStyle, psStandard, psCaption, psCaptionInMenu, psCaptionGlyph)
VW_ENUM(TdxBarGlyphLayout, glLeft, glRight, glTop, glBottom)

class TdxBar;
class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;
class TdxBarItemControl;
class TdxBarScreenTip;
class TCustomAction;
class TReader;
class TCustomIniFile;

// The kinds of bar windows RecalcParents(Kinds) names, as bits 1 << kind.
constexpr int dxBarKindToolbar = 0;
constexpr int dxBarKindQuickCustomization = 1;
constexpr int dxBarKindMenu = 2;
constexpr int dxBarAllKinds = 7;
constexpr int dxBarMenusOnly = 1 << dxBarKindMenu;

// What a change of a style means for the controls that show it.
VW_ENUM(TdxBarItemStyleChange, iscNone, iscPaint, iscLayout)

// The style values an item's controls take: unassigned ones keep these defaults.
struct TdxBarItemStyleValues {
  TBitmap* Bitmap = nullptr;
  TColor Color = clDefault;
  TFont* Font = nullptr;
  TColor TextColor = clDefault;
};

// An item's style slots (slot 0 is Style; edit items publish slot 1 as StyleEdit). It observes each
// style it holds once, however many slots hold it, and reports a change only when something the
// controls use differs from what it last saw.
class TdxBarItemStylesData : public TcxInterfacedPersistent, public IcxStyleObserver {
  VW_CLASS(TdxBarItemStylesData, TcxInterfacedPersistent)
 public:
  TdxBarItemStylesData(TPersistent* AOwner, int ACount, std::function<void(TdxBarItemStyleChange)> AOnChange);
  ~TdxBarItemStylesData() override;

  int Count() const { return static_cast<int>(FSlots.size()); }
  TcxStyle* Styles(int Index) const { return FSlots.at(static_cast<std::size_t>(Index)).Style; }
  void SetStyles(int Index, TcxStyle* Value);
  TdxBarItemStyleValues Values(int Index) const;

  // Brackets nest; the outermost close reports the strongest change once.
  void BeginChange() { ++FChangeLevel; }
  void EndChange();

  void StyleChanged(TcxCustomStyle* Sender) override;
  void StyleRemoved(TcxCustomStyle* Sender) override;

 private:
  struct Snapshot {
    TcxStyleValues Assigned;
    TColor Color = clDefault;
    int FontHeight = 0;
    TFontPitch FontPitch = fpDefault;
    TFontStyles FontStyle;
    int FontCharset = 0;
    String FontName;
    TColor TextColor = clDefault;
  };
  struct Slot {
    TcxStyle* Style = nullptr;
    Snapshot Seen;
  };
  static Snapshot Take(TcxStyle* Style);
  static TdxBarItemStyleChange Compare(const Snapshot& Old, const Snapshot& New);
  void Examine(Slot& ASlot);
  void Note(TdxBarItemStyleChange Change);
  bool Holds(TcxStyle* Style) const;

  std::vector<Slot> FSlots;
  std::function<void(TdxBarItemStyleChange)> FOnChange;
  int FChangeLevel = 0;
  TdxBarItemStyleChange FPending = iscNone;
  bool FDestroying = false;
};

// The tie between an item and its action. Each linked test decides both whether the action's change
// reaches the item and whether the item stores the value itself.
class TdxBarItemActionLink : public TActionLink {
  VW_CLASS(TdxBarItemActionLink, TActionLink)
 public:
  // A client that is no bar item raises the invalid-cast error.
  explicit TdxBarItemActionLink(TObject* AClient) : TActionLink(AClient) { AssignClient(AClient); }

  bool IsCaptionLinked() override;
  bool IsCheckedLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsImageIndexLinked() override;
  bool IsShortCutLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;

  void SetCaption(const String& Value) override;
  void SetChecked(bool Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(int Value) override;
  void SetHint(const String& Value) override;
  void SetImageIndex(int Value) override;
  void SetShortCut(TShortCut Value) override;
  void SetVisible(bool Value) override;
  void SetOnExecute(const TNotifyEvent& Value) override;

 protected:
  void AssignClient(TObject* AClient) override;
  TdxBarItem* FClient = nullptr;
};

class TdxBarItem : public TdxBarComponent {
  VW_CLASS(TdxBarItem, TdxBarComponent)
 public:
  explicit TdxBarItem(TComponent* AOwner);
  ~TdxBarItem() override;
  static void DeclareProperties(TPropTable& t);

  // ---- properties ----
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TdxBarItemAlign Align() const { return FAlign; }
  void SetAlign(TdxBarItemAlign Value);
  virtual String Caption() const { return FCaption; }
  virtual void SetCaption(const String& Value);
  int Category() const { return FCategory; }
  // Moves the item in the manager's list behind the category's last item; an index the manager's
  // category list rejects is ignored.
  virtual void SetCategory(int Value);
  // The category list's renumbering: the index alone, without moving or notifying.
  void SetCategoryIndex(int Value) { FCategory = Value; }
  TObject* Data() const { return FData; }
  void SetData(TObject* Value) { FData = Value; }
  const String& Description() const { return FDescription; }
  void SetDescription(const String& Value);
  // True for every item in a category while the bars are customized at run time.
  bool Enabled() const override;
  void SetEnabled(bool Value) override;
  virtual TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value) { FGlyph->Assign(Value); }
  TBitmap* LargeGlyph() const { return FLargeGlyph; }
  void SetLargeGlyph(TBitmap* Value) { FLargeGlyph->Assign(Value); }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  virtual String Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  virtual int ImageIndex() const { return FImageIndex; }
  virtual void SetImageIndex(int Value);
  int LargeImageIndex() const { return FLargeImageIndex; }
  virtual void SetLargeImageIndex(int Value);
  const String& KeyTip() const { return FKeyTip; }
  void SetKeyTip(const String& Value) { FKeyTip = Value; }
  TdxBarItemMergeKind MergeKind() const { return FMergeKind; }
  void SetMergeKind(TdxBarItemMergeKind Value) { FMergeKind = Value; }
  int MergeOrder() const { return FMergeOrder; }
  void SetMergeOrder(int Value) { FMergeOrder = Value < 0 ? 0 : Value; }
  TdxBarPaintStyle PaintStyle() const { return FPaintStyle; }
  void SetPaintStyle(TdxBarPaintStyle Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  TcxStyle* Style() const { return FStyles->Styles(0); }
  void SetStyle(TcxStyle* Value) { FStyles->SetStyles(0, Value); }
  TdxBarItemStylesData* StylesData() const { return FStyles; }
  virtual TdxBarScreenTip* ScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxBarScreenTip* Value);
  bool UnclickAfterDoing() const { return FUnclickAfterDoing; }
  void SetUnclickAfterDoing(bool Value) { FUnclickAfterDoing = Value; }
  virtual int Width() const { return FWidth; }
  // Negative or unchanged values are ignored.
  virtual void SetWidth(int Value);
  TdxBarGlyphLayout GlyphLayout() const { return FGlyphLayout; }
  virtual void SetGlyphLayout(TdxBarGlyphLayout Value) { FGlyphLayout = Value; }
  bool ShowCaption() const { return FShowCaption; }
  virtual void SetShowCaption(bool Value) { FShowCaption = Value; }
  bool Selectable() const { return FSelectable; }
  void SetVisible(TdxBarItemVisible Value) override;

  // OnClick compares with the action's OnExecute by identity (see SameHandlerAsAction).
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value);
  TNotifyEvent OnLoaded;
  TNotifyEvent OnDestroy;

  // ---- links ----
  int LinkCount() const { return static_cast<int>(FLinks.size()); }
  // Nil out of range.
  TdxBarItemLink* Links(int Index) const;
  TdxBarItemLink* ActiveLink() const;
  TdxBarItemLink* SelectedLink() const;
  TdxBarItemLink* ClickedLink() const { return FClickedLink; }
  void SetClickedLink(TdxBarItemLink* Value) { FClickedLink = Value; }
  // Every link of the item, freed from the last; under the manager's update lock when a link shows
  // on a toolbar of an unlocked manager.
  void DeleteAllLinks();

  // ---- queries ----
  String StrippedCaption() const;
  bool HintMatchesCaption() const;
  bool IsVisibleNow() const;
  bool HasListedImage() const;
  void DesignerAction();
  void GetStyleValues(TdxBarItemStyleValues& Values) const { Values = FStyles->Values(0); }
  // Not stored while the action holds the image index.
  bool IsImageIndexStored() const;

  // ---- behaviour of the kinds ----
  virtual void BarManagerChanged() {}
  // A toolbar the item refers to changed; operation 1: it goes away.
  virtual void BarChanged(int /*AOperation*/, TdxBar* /*ABar*/) {}
  virtual bool CanPlaceOn(int AKind, TObject* AContainer, String& AErrorText);
  virtual bool HasPaintStyles() const { return false; }
  virtual bool ClicksDirectly() const { return true; }
  virtual void DrawCustomizationEntry(TCanvas* ACanvas, const win::RECT& ARect, bool ASelected);
  virtual void FillCustomizationBackground(TCanvas* ACanvas, const win::RECT& ARect);
  virtual int ActionImageIndex() const { return ImageIndex(); }
  virtual void SetActionImageIndex(int Value) { SetImageIndex(Value); }
  // The control class that shows this exact class (a subclass of a registered kind gets nil).
  virtual TClass ControlClass(bool ARotated);
  virtual TdxBarItemLinks* ItemLinks() const { return nullptr; }
  // Sub-menu items keep their own links in the layout's sub-item section (ASectionBase + "SubItem_"
  // + Name); other items keep nothing there. Restoring reloads the section from the saved state
  // with the item's recent use and, depth first, the sub-items linked in it.
  virtual void RestoreSubItemLayout(TCustomIniFile* /*AStorage*/, const String& /*ASectionBase*/, bool /*ARegistry*/) {}
  virtual void LoadSubItemLayout(TCustomIniFile* /*AStorage*/, const String& /*ASectionBase*/, bool /*ARegistry*/) {}
  virtual void LoadSubItemRecentUse(TCustomIniFile* /*AStorage*/, const String& /*ASectionBase*/) {}
  virtual void SaveSubItemLayout(TCustomIniFile* /*AStorage*/, const String& /*ASectionBase*/, bool /*ARegistry*/) {}
  static int StyleCount() { return 1; }
  virtual bool IsReachable(TdxBarItemLink* /*ALink*/) const { return Enabled(); }
  virtual void HideControlWindow(TdxBarItemControl* /*AControl*/) {}
  virtual bool HasContent() const { return true; }
  virtual bool IsMergeableWith(TdxBarItem* /*AItem*/) const { return false; }
  // True when the shortcut was consumed.
  virtual bool HandleShortCut(TShortCut AShortCut);
  virtual bool UsesStyleBackground() const { return false; }
  virtual bool HasControlWindow() const { return false; }
  virtual void RefreshControlLayouts();
  virtual void RefreshControls();
  // Rebuilds the bar windows of the given kinds (bits 1 << BarKind) that show a link.
  virtual void RecalcParents(int AKinds = dxBarAllKinds);
  virtual bool HasHotImage() const { return false; }
  virtual bool HasImage() const { return ImageIndex() >= 0 || LargeImageIndex() >= 0; }
  // The caption new items of the kind get in the editors.
  virtual String DefaultCaption() const;
  virtual String HintText() const { return String(); }
  TCustomImageList* ImageList() const;

  // ---- clicks and actions ----
  virtual void Click();
  virtual void ClickFromKeyboard();
  virtual void ApplyActionProperties(TBasicAction* AAction, bool ADefaultsOnly);
  // Whether OnClick is the action's OnExecute: taken from it and neither reassigned since, or both
  // bound by the same handler name in one form.
  bool SameHandlerAsAction() const;
  void Assign(TPersistent* Source) override;

  // ---- design ----
  TdxBarCustomizationActions AvailableActions() override;
  bool AllowsDeletion(bool ADeleteItems) override;
  void DeleteSelected(IdxBarSelectableItem*& AReference, bool ADeleteItems) override;
  void ApplyCustomizationAction(int AAction) override;
  void AddMasterObjects(TList* AList) override;
  void NextSelectableObject(IdxBarSelectableItem*& AItem) override;
  TPersistent* ParentSelectable() override;
  int SelectionStatus() override;
  bool IsSelectedInDesigner() override;
  void SelectInDesigner(int AOperation) override;
  void RepaintSelection() override { RefreshControls(); }
  bool HasSeveralLinks() override { return LinkCount() > 1; }
  bool SelectParent() override;
  void DesignSelectionChanged() override;

  // ---- parent ----
  TComponent* GetParentComponent() override;
  bool HasParent() override { return FCategory >= 0; }
  void SetParentComponent(TComponent* Value) override;

 protected:
  virtual void FireClick();
  virtual void CaptionChanged();
  virtual void EnabledChanged();
  virtual void GlyphChanged();
  virtual void HotGlyphChanged();
  virtual void LargeGlyphChanged();
  virtual void PaintStyleChanged() {}
  virtual void ShortCutChanged();
  virtual void VisibleChanged();
  virtual void WidthChanged();
  // The item's own picture of Down for the action link; buttons answer theirs.
  virtual bool ActionDown() const { return false; }
  virtual void SetActionDown(bool) {}
  virtual bool HasDown() const { return false; }

  void AssignTo(TPersistent* Dest) override;
  void Loaded() override;
  void ReadState(TReader* Reader) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Renames reach the holding lists.
  void SetReference(bool Enable) override;
  bool IsLoadingNow() const { return HasState(csLoading); }
  bool IsDesigningNow() const;
  bool DefaultsOnly() const { return FDefaultsOnly; }
  TdxBarItemActionLink* ActionLink() const { return FActionLink.get(); }
  void SetBarManager(TdxBarManager* Value);
  void StyleChanged(TdxBarItemStyleChange Change);

 private:
  friend class TdxBarItemActionLink;
  friend class TdxBarManager;  // lets go of items that outlive it
  friend class TdxBarItemLink;
  void AddLink(TdxBarItemLink* Link);
  void RemoveLink(TdxBarItemLink* Link);
  template <class F>
  void ForEachControl(F f, bool (TdxBarItemLink::*Skip)() const = nullptr);
  void TakeOnClickFromAction(const TNotifyEvent& Value, TBasicAction* AAction, std::uint32_t AVersion);
  bool IsCaptionStored() const;
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsHintStored() const;
  bool IsVisibleStored() const;

  std::unique_ptr<TdxBarItemActionLink> FActionLink;
  TdxBarItemAlign FAlign = iaLeft;
  bool FSelectable = true;
  String FCaption;
  int FCategory = -1;
  bool FDefaultsOnly = false;
  TdxBarItemLink* FClickedLink = nullptr;
  TObject* FData = nullptr;
  String FDescription;
  TBitmap* FGlyph;
  int FHelpContext = 0;
  String FHint;
  int FImageIndex = -1;
  String FKeyTip;
  TBitmap* FLargeGlyph;
  int FLargeImageIndex = -1;
  std::vector<TdxBarItemLink*> FLinks;
  TdxBarItemMergeKind FMergeKind = mkAdd;
  int FMergeOrder = 0;
  TdxBarPaintStyle FPaintStyle = TdxBarPaintStyle::psStandard;
  TShortCut FShortCut = 0;
  TdxBarItemStylesData* FStyles;
  TdxBarScreenTip* FScreenTip = nullptr;
  bool FUnclickAfterDoing = false;
  int FWidth = 0;
  TNotifyEvent FOnClick;
  // The action OnClick was taken from, and the version of its OnExecute then.
  TBasicAction* FOnClickSource = nullptr;
  std::uint32_t FOnClickVersion = 0;
  TdxBarGlyphLayout FGlyphLayout = glTop;
  bool FShowCaption = false;

 protected:
  // Kinds set their own defaults in their constructors.
  void SetUnclickAfterDoingDefault(bool Value) { FUnclickAfterDoing = Value; }
  void SetWidthDefault(int Value) { FWidth = Value; }
  void SetShowCaptionDefault(bool Value) { FShowCaption = Value; }
  // Kinds with more style slots widen the item's at construction, before any style is held.
  void SetStyleCount(int ACount);
};
using TdxBarItemClass = TClass;

// The customization dialog's painter of one command entry: the item, its caption without
// accelerator marks, and the kind of entry (-1 plain, 0 edit, 1 combo). Set by the dialog's unit.
using TdxBarCustomizationEntryPainter = std::function<void(TCanvas* Canvas, const win::RECT& Rect, bool Selected,
                                                           TdxBarItem* Item, const String& Caption, int Kind)>;
extern TdxBarCustomizationEntryPainter dxBarCustomizationEntryPainter;

// A static text: shows its caption and does not click.
class TdxBarLabel : public TdxBarItem {
  VW_CLASS(TdxBarLabel, TdxBarItem)
 public:
  explicit TdxBarLabel(TComponent* AOwner) : TdxBarItem(AOwner) { SetShowCaptionDefault(true); }
};

// A group line with an optional caption; menus only.
class TdxBarSeparator : public TdxBarLabel {
  VW_CLASS(TdxBarSeparator, TdxBarLabel)
 public:
  explicit TdxBarSeparator(TComponent* AOwner) : TdxBarLabel(AOwner) {}
  static void DeclareProperties(TPropTable& t);
  void SetShowCaption(bool Value) override;
  bool CanPlaceOn(int AKind, TObject* AContainer, String& AErrorText) override;
  String DefaultCaption() const override;
  TdxBarCustomizationActions AvailableActions() override;
};
