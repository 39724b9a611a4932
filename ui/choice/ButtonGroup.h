#pragma once
// The base of the group boxes whose value is one of a list of items, each shown as a button: the
// items with their column count, the grid the items are laid out in (down each column, then the
// next), one child button control per item kept in step with the items, arrow keys between those
// buttons, and the items painted as edit buttons when the editor paints its value directly. What
// an item looks like (glyph, caption, theme state) and the class of its child button come from the
// descendant.
#include <memory>
#include <vector>

#include "ui/choice/GroupBox.h"
#include "ui/choice/GroupItems.h"

class TcxCustomButtonGroup;

// The caption flags of an item: left, vertically centred, single line, accelerators shown; with
// word wrap left, vertically centred, not clipped, accelerators shown, broken at words.
inline constexpr LibraryTextFlags cxButtonCaptionFlags = 0x261;
inline constexpr LibraryTextFlags cxWrappedButtonCaptionFlags = 0x6A1;
// The paint option of an editor measured for its height (word-wrapped captions may take more lines).
inline constexpr int epoAutoHeight = 2;

class TcxCustomButtonGroupProperties : public TcxCustomGroupBoxProperties {
  VW_CLASS(TcxCustomButtonGroupProperties, TcxCustomGroupBoxProperties)
 public:
  explicit TcxCustomButtonGroupProperties(TPersistent* AOwner);
  ~TcxCustomButtonGroupProperties() override;

  void Assign(TPersistent* Source) override;

  // Never below 1.
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  TcxButtonGroupItems* Items() const { return FItems.get(); }
  void SetItems(TcxButtonGroupItems* Value) { FItems->Assign(Value); }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  // Asked only when there are items.
  int RowCount() { return ItemRowCount(FItems->Count(), ColumnCount()); }

  // ---- virtual operations, in slot order ------------------------------------------------------------
  // Owned by the caller.
  virtual TcxButtonGroupItems* CreateItems();
  // Balanced: 5 items with Columns 4 give 3 columns of 2, 2 and 1.
  virtual int ColumnCount() { return BalancedColumnCount(FColumns, FItems->Count()); }

  // ---- overrides ------------------------------------------------------------------------------------
  TClass EditClass() override;
  // Three items "A", "B" and "C" in three columns.
  TcxCustomEditProperties* CreatePreviewProperties() override;
  int SpecialFeatureFlags() override;
  int SupportedOperations() override;

 protected:
  // For descendants whose constructor makes the items through their own CreateItems.
  struct TNoItems {};
  TcxCustomButtonGroupProperties(TPersistent* AOwner, TNoItems);
  void AdoptItems(TcxButtonGroupItems* Items) { FItems.reset(Items); }

 private:
  int FColumns = 1;
  std::unique_ptr<TcxButtonGroupItems> FItems;
  bool FWordWrap = false;
};

// One item's view: bounds and state as an edit button, with its place in the grid.
class TcxGroupBoxButtonViewInfo : public TcxEditButtonViewInfo {
  VW_CLASS(TcxGroupBoxButtonViewInfo, TcxEditButtonViewInfo)
 public:
  int Column = 0;
  int Row = 0;
  // The item's index in the collection.
  int Index = 0;

  // The glyph's rectangle: centred vertically in Bounds, at the left edge for taRightJustify
  // (caption on the right), else at the right edge.
  virtual void GlyphBounds(TcxCanvas* ACanvas, const TSize& GlyphSize, TAlignment Alignment, bool PaintingDirectly,
                           TRect& R);
};

class TcxButtonGroupViewInfo : public TcxGroupBoxViewInfo {
  VW_CLASS(TcxButtonGroupViewInfo, TcxGroupBoxViewInfo)
 public:
  TRect ItemCaptionExtent;
  TSize ItemGlyphSize;
  // Caption flags of the items, as the view data chose them.
  LibraryTextFlags CaptionFlags = cxButtonCaptionFlags;

  TcxGroupBoxButtonViewInfo* Item(int Index) const { return static_cast<TcxGroupBoxButtonViewInfo*>(Button(Index)); }

  // ---- virtual operations, in slot order ------------------------------------------------------------
  virtual void DrawButtonCaption(TcxCanvas* ACanvas, TcxGroupBoxButtonViewInfo* AItem, const TRect& GlyphRect) = 0;
  virtual void DrawButtonGlyph(TcxCanvas* ACanvas, TcxGroupBoxButtonViewInfo* AItem, const TRect& GlyphRect) = 0;
  virtual void GetGlyphSize(TSize& Size) { Size = ItemGlyphSize; }
  virtual bool IsButtonGlyphTransparent(TcxGroupBoxButtonViewInfo* AItem) = 0;

  // ---- overrides ------------------------------------------------------------------------------------
  TcxEditButtonViewInfoClass EditButtonViewInfoClass() override;
  void PaintBody(TcxCanvas* ACanvas) override;
  void DrawEditButton(TcxCanvas* ACanvas, int Index) override;
};

// The nine numbers that size an item, by their use.
struct TcxButtonGroupMetrics {
  int GlyphTextGap = 0;         // M0
  int ItemWidthAdjust = 0;      // M1
  int CaptionWidthAdd = 0;      // M2
  int HorizontalMargins = 0;    // M3
  int FirstColumnInset = 0;     // M4
  int ContentWidthAdjust = 0;   // M5
  int ColumnSpacing = 0;        // M6
  int GlyphWidth = 0;           // M7
  int GlyphHeight = 0;          // M8
};

class TcxButtonGroupViewData : public TcxGroupBoxViewData {
  VW_CLASS(TcxButtonGroupViewData, TcxGroupBoxViewData)
 public:
  using TcxGroupBoxViewData::TcxGroupBoxViewData;

  TcxCustomButtonGroupProperties* GroupProperties() const {
    return static_cast<TcxCustomButtonGroupProperties*>(Properties);
  }

  // ---- virtual operations, in slot order ------------------------------------------------------------
  virtual void CalculateButtonPositions(TcxCanvas* ACanvas, TcxButtonGroupViewInfo* AViewInfo);
  virtual void PrepareButtonViewInfos(TcxButtonGroupViewInfo* AViewInfo);
  virtual LibraryTextFlags ButtonCaptionFlags();
  // Without a canvas only the numbers that need no glyph or text (M3 to M6) are filled.
  virtual void GetButtonMetrics(bool HasWidth, TcxCanvas* ACanvas, TcxButtonGroupMetrics& Metrics) = 0;
  virtual void GetCaptionExtent(TRect& R) { R = TRect(); }
  virtual void CalculateButtonNativeState(TcxButtonGroupViewInfo* AViewInfo, TcxGroupBoxButtonViewInfo* AItem) = 0;
  static bool UsesNativeButtons(TcxLookAndFeel* LookAndFeel);

  // ---- overrides ------------------------------------------------------------------------------------
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void CalculateButtonViewInfos(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  // The whole size in Extent (the content adds nothing): see ContentSizeForValue.
  void CalculateEditorSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& Extent, TSize& Minimum,
                           const TcxEditSizeProperties& Request) override;
  TSize ContentSizeForValue(TcxCanvas*, const Variant&, const TcxEditSizeProperties&) override { return TSize(0, 0); }

 protected:
  void CalculateItemStates(TcxButtonGroupViewInfo* AViewInfo, const TPoint& P, int AButton, TShiftState AShift,
                           bool KeepPressed);
};

class TcxCustomButtonGroup : public TcxCustomGroupBox {
  VW_CLASS(TcxCustomButtonGroup, TcxCustomGroupBox)
 public:
  explicit TcxCustomButtonGroup(TComponent* AOwner);
  ~TcxCustomButtonGroup() override;

  TcxCustomButtonGroupProperties* GroupProperties() const {
    return static_cast<TcxCustomButtonGroupProperties*>(Properties());
  }
  TcxCustomButtonGroupProperties* ActiveGroupProperties() {
    return static_cast<TcxCustomButtonGroupProperties*>(ActiveProperties());
  }
  TcxButtonGroupViewInfo* ButtonGroupViewInfo() { return static_cast<TcxButtonGroupViewInfo*>(EditViewInfo()); }

  // The child buttons, in item order. Buttons enter and leave the list themselves.
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TWinControl* Button(int Index) const { return FButtons[static_cast<std::size_t>(Index)]; }
  int IndexOfButton(TWinControl* Button) const;
  void AddButton(TWinControl* Button) { FButtons.push_back(Button); }
  void RemoveButton(TWinControl* Button);
  // The first of the item buttons that has the focus, or -1.
  int FocusedButtonIndex();

  // ---- virtual operations, in slot order ------------------------------------------------------------
  virtual void ArrangeButtons();
  virtual win::HDC GetButtonDC(int Index) = 0;
  virtual TWinControl* CreateButton() = 0;
  virtual void InitializeButton(TWinControl* Button);
  virtual void SetButtonCount(int Count);
  virtual void UpdateButtonsStyle();
  virtual void SynchronizeButtons();

  // ---- overrides ------------------------------------------------------------------------------------
  TClass PropertiesClass() override { return TcxCustomButtonGroupProperties::StaticClass(); }
  bool SupportsNonClientCaption() override { return false; }
  bool HostsChildControls() override { return SelectingByAccelerator(); }
  bool AutoSizeActive() override { return AutoSize() && !IsInPlace(); }
  void ContainerStyleChanged(TObject* Sender) override;
  void PropertiesChanged(TObject* Sender) override;
  bool ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent) override;
  bool Focused() override;
  bool SkipsButtonPainting(win::HDC DC) override;
  void GetTabOrderList(TControlList& List) override;
  void EditKeyDown(win::WORD& Key, TShiftState Shift) override;
  void ActivateByMouse(TShiftState Shift, int X, int Y, TcxCustomEditData*& AEditData) override;

 protected:
  TcxCustomButtonGroup(TComponent* AOwner, const TcxCustomEditClasses& Classes);

  void ReadState(TReader* Reader) override;
  void CreateWnd() override;
  void WndProc(TMessage& Message) override;
  bool IsConstructing() const { return FConstructing; }
  // The arrow-key step: focuses the enabled button the key points at and consumes the key.
  void FocusButtonByKey(int FocusedIndex, win::WORD& Key);

 private:
  void Construct();
  // The group's own handlers the child buttons' events are bound to.
  void ButtonDragDrop(TObject* Sender, TObject* Source, int X, int Y);
  void ButtonDragOver(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept);
  void ButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

  std::vector<TWinControl*> FButtons;
  bool FConstructing = true;
};
