#pragma once
// The common controls the library's dialogs are made of: the page control with its tab sheets, the
// tree view with its nodes, and the tool bar with its buttons.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ImageList.h"
#include "platform/classes/StdCtrls.h"

class TPageControl;

// ---- page control ---------------------------------------------------------------------------------

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// One page: shown only while it is the active page of its page control.
class TTabSheet : public TWinControl {
  VW_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  static void DeclareProperties(TPropTable& t);

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // The place among the page control's pages.
  int PageIndex() const;
  void SetPageIndex(int Value);
  // The place among the visible tabs; -1 for a page whose tab is hidden.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);

  void SetParent(TWinControl* AParent) override;

 protected:
  void CMTextChanged(TMessage& Message) override;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  int FImageIndex = -1;
};

class TPageControl : public TCustomControl {
  VW_CLASS(TPageControl, TCustomControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  static void DeclareProperties(TPropTable& t);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int Index) const;
  TTabSheet* ActivePage() const { return FActivePage; }
  // Shows the page (nil shows none); OnChanging is not asked.
  void SetActivePage(TTabSheet* Value);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  void SetActivePageIndex(int Value);
  // The active page's place among the visible tabs.
  int TabIndex() const { return FActivePage ? FActivePage->TabIndex() : -1; }
  // The next (or previous) page with a visible tab, going round; OnChanging may refuse it.
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);
  TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const;

  // The tabs' strip and each visible tab in client coordinates.
  int TabHeight() const;
  win::RECT TabRect(int TabIndex);
  int IndexOfTabAt(int X, int Y);
  // The area the pages fill.
  win::RECT DisplayRect();

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* Page);
  void RemovePage(TTabSheet* Page);
  void MovePage(TTabSheet* Page, int NewIndex);
  void TabsChanged();
  // Asks OnChanging, shows the page and tells OnChange; false when refused.
  bool ChangeActivePage(TTabSheet* Page);
  std::vector<TTabSheet*> VisibleTabs() const;
  String TabCaption(TTabSheet* Page) const;

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TCustomImageList* FImages = nullptr;
};

// ---- tree view ------------------------------------------------------------------------------------

class TTreeNodes;
class TCustomTreeView;

class TTreeNode : public TPersistent {
  VW_CLASS(TTreeNode, TPersistent)
 public:
  TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent);
  ~TTreeNode() override;

  TTreeNodes* Owner() const { return FOwner; }
  TCustomTreeView* TreeView() const;
  TTreeNode* Parent() const { return FParent; }
  int Level() const;
  int Count() const { return static_cast<int>(FChildren.size()); }
  bool HasChildren() const { return !FChildren.empty(); }
  TTreeNode* Item(int Index) const;
  // The place among its parent's children (or the roots).
  int Index() const;
  // Depth-first order of the whole tree.
  int AbsoluteIndex() const;
  TTreeNode* GetFirstChild() const { return FChildren.empty() ? nullptr : FChildren.front(); }
  TTreeNode* GetLastChild() const { return FChildren.empty() ? nullptr : FChildren.back(); }
  TTreeNode* GetNextSibling() const;
  TTreeNode* GetPrevSibling() const;
  // The next and previous node in depth-first order.
  TTreeNode* GetNext() const;
  TTreeNode* GetPrev() const;
  // The next and previous node a reader of the tree sees: below collapsed nodes nothing is seen.
  TTreeNode* GetNextVisible() const;
  TTreeNode* GetPrevVisible() const;
  // Shown: every ancestor is expanded.
  bool IsVisible() const;

  const String& Text() const { return FText; }
  void SetText(const String& Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  int SelectedIndex() const { return FSelectedIndex; }
  void SetSelectedIndex(int Value) { FSelectedIndex = Value; }
  bool Expanded() const { return FExpanded; }
  void SetExpanded(bool Value);
  void Expand(bool Recurse);
  void Collapse(bool Recurse);
  bool Selected() const;
  void SetSelected(bool Value);
  bool Focused() const { return Selected(); }
  void MakeVisible();
  void Delete();
  void DeleteChildren();

 private:
  friend class TTreeNodes;
  friend class TCustomTreeView;
  TTreeNodes* FOwner;
  TTreeNode* FParent;
  std::vector<TTreeNode*> FChildren;
  String FText;
  void* FData = nullptr;
  int FImageIndex = -1;
  int FSelectedIndex = -1;
  bool FExpanded = false;
};

// Every node of one tree view: adding, inserting and deleting, and the depth-first order.
class TTreeNodes : public TPersistent {
  VW_CLASS(TTreeNodes, TPersistent)
 public:
  explicit TTreeNodes(TCustomTreeView* AOwner) : FOwner(AOwner) {}
  ~TTreeNodes() override;

  TCustomTreeView* Owner() const { return FOwner; }
  // All nodes in depth-first order.
  int Count() const;
  TTreeNode* Item(int Index) const;
  TTreeNode* GetFirstNode() const { return FRoots.empty() ? nullptr : FRoots.front(); }
  // A new last sibling of Sibling (a root when Sibling is nil).
  TTreeNode* Add(TTreeNode* Sibling, const String& S);
  TTreeNode* AddObject(TTreeNode* Sibling, const String& S, void* Ptr);
  TTreeNode* AddChild(TTreeNode* Parent, const String& S);
  TTreeNode* AddChildObject(TTreeNode* Parent, const String& S, void* Ptr);
  // A new node just before Sibling (a last root when Sibling is nil).
  TTreeNode* Insert(TTreeNode* Sibling, const String& S);
  void Delete(TTreeNode* Node);
  void Clear();
  // Batches changes: the view repaints once at the last EndUpdate.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Assign(TPersistent* Source) override;

 protected:
  TPersistent* GetOwner() override;
  void DefineProperties(TFiler* Filer) override;

 private:
  friend class TTreeNode;
  friend class TCustomTreeView;
  std::vector<TTreeNode*>& Siblings(TTreeNode* Parent) { return Parent ? Parent->FChildren : FRoots; }
  TTreeNode* InsertAt(TTreeNode* Parent, std::size_t Position, const String& S, void* Ptr);
  void Changed();
  void ReadNodes(class TReader* Reader);
  void WriteNodes(class TWriter* Writer);

  TCustomTreeView* FOwner;
  std::vector<TTreeNode*> FRoots;
  int FUpdateCount = 0;
};

using TTVChangedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVChangingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowChange)>;
using TTVExpandedEvent = std::function<void(TObject* Sender, TTreeNode* Node)>;
using TTVExpandingEvent = std::function<void(TObject* Sender, TTreeNode* Node, bool& AllowExpansion)>;

class TCustomTreeView : public TCustomControl {
  VW_CLASS(TCustomTreeView, TCustomControl)
 public:
  explicit TCustomTreeView(TComponent* AOwner);
  ~TCustomTreeView() override;
  static void DeclareProperties(TPropTable& t);

  TTreeNodes* Items() const { return FItems.get(); }
  void SetItems(TTreeNodes* Value) { FItems->Assign(Value); }
  TTreeNode* Selected() const { return FSelected; }
  // Selects the node (nil for none), asking OnChanging; the node is scrolled into view.
  void SetSelected(TTreeNode* Value);
  TTreeNode* TopItem() const { return FTopItem; }
  void SetTopItem(TTreeNode* Value);
  TTreeNode* GetNodeAt(int X, int Y);
  // The row of a shown node in client coordinates; empty for a node not shown.
  win::RECT NodeRect(TTreeNode* Node, bool TextOnly);
  void FullExpand();
  void FullCollapse();

  int Indent() const { return FIndent; }
  void SetIndent(int Value);
  bool ShowButtons() const { return FShowButtons; }
  void SetShowButtons(bool Value);
  bool ShowLines() const { return FShowLines; }
  void SetShowLines(bool Value);
  bool ShowRoot() const { return FShowRoot; }
  void SetShowRoot(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  int RowHeight();

  TTVChangedEvent OnChange;
  TTVChangingEvent OnChanging;
  TTVExpandedEvent OnExpanded;
  TTVExpandingEvent OnExpanding;
  TTVExpandedEvent OnCollapsed;
  TTVExpandingEvent OnCollapsing;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DblClick() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void KeyPress(TChar& Key) override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TTreeNode;
  friend class TTreeNodes;
  // Expanding or collapsing through the events; false when refused.
  bool ChangeExpanded(TTreeNode* Node, bool Value);
  void NodeDeleting(TTreeNode* Node);
  void ScrollIntoView(TTreeNode* Node);
  int VisibleRowCount();
  int RowOf(TTreeNode* Node) const;
  int NodeLeft(TTreeNode* Node) const;

  std::unique_ptr<TTreeNodes> FItems;
  TTreeNode* FSelected = nullptr;
  TTreeNode* FTopItem = nullptr;
  TCustomImageList* FImages = nullptr;
  int FIndent = 19;
  bool FShowButtons = true;
  bool FShowLines = true;
  bool FShowRoot = true;
  bool FHideSelection = true;
  bool FReadOnly = false;
  bool FRowSelect = false;
};

class TTreeView : public TCustomTreeView {
  VW_CLASS(TTreeView, TCustomTreeView)
 public:
  explicit TTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}
};

// ---- tool bar -------------------------------------------------------------------------------------

VW_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)

class TToolBar;
class TToolButton;

class TToolButtonActionLink : public TControlActionLink {
  VW_CLASS(TToolButtonActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
  bool IsCheckedLinked() override;
  bool IsImageIndexLinked() override;
  void SetChecked(bool Value) override;
  void SetImageIndex(int Value) override;
};

class TToolButton : public TGraphicControl {
  VW_CLASS(TToolButton, TGraphicControl)
 public:
  explicit TToolButton(TComponent* AOwner);
  ~TToolButton() override;
  static void DeclareProperties(TPropTable& t);

  TToolBar* ToolBar() const;
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  // Check buttons of one group keep at most one down.
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value) { FGrouped = Value; }
  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  void Click() override;
  // The button's place in the bar's order.
  int Index() const;
  void SetParent(TWinControl* AParent) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void ActionChange(TBasicAction* Sender, bool CheckDefaults) override;
  std::unique_ptr<TControlActionLink> CreateActionLink() override;

 private:
  friend class TToolBar;
  bool IsSeparator() const { return FStyle == tbsSeparator || FStyle == tbsDivider; }
  void UpdateGroup();

  TToolButtonStyle FStyle = tbsButton;
  bool FDown = false;
  bool FGrouped = false;
  bool FAllowAllUp = false;
  int FImageIndex = -1;
  bool FPressed = false;  // the mouse holds the button
  bool FHot = false;
};

// A row of tool buttons, laid out left to right in their order and wrapped at the bar's width.
class TToolBar : public TCustomControl {
  VW_CLASS(TToolBar, TCustomControl)
 public:
  explicit TToolBar(TComponent* AOwner);
  ~TToolBar() override;
  static void DeclareProperties(TPropTable& t);

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TToolButton* Buttons(int Index) const;
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int Value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int Value);
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  // Captions right of the images instead of under them.
  bool List() const { return FList; }
  void SetList(bool Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  // The width a separator takes.
  static constexpr int SeparatorWidth = 8;

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  void WndProc(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TToolButton;
  void InsertButton(TToolButton* Button);
  void RemoveButton(TToolButton* Button);
  void ButtonsChanged();

  std::vector<TToolButton*> FButtons;
  TCustomImageList* FImages = nullptr;
  int FButtonWidth = 23;
  int FButtonHeight = 22;
  bool FShowCaptions = false;
  bool FFlat = false;
  bool FList = false;
};
