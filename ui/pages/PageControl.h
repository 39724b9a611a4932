#pragma once
// The page control: a tab control whose tabs are the captions of its pages. Page i owns tab i;
// exactly one page, the active one, shows in the page client area, and every switch asks first
// (OnPageChanging) and announces afterwards (OnChange).
#include <vector>

#include "ui/pages/TabControl.h"

class TcxPageControl;
class TcxTabSheet;

using TcxPageChangingEvent = std::function<void(TObject* Sender, TcxTabSheet* NewPage, bool& AllowChange)>;

class TcxTabSheet : public TCustomControl {
  VW_CLASS(TcxTabSheet, TCustomControl)
 public:
  explicit TcxTabSheet(TComponent* AOwner);
  ~TcxTabSheet() override;
  static void DeclareProperties(TPropTable& t);

  TcxPageControl* PageControl() const { return FPageControl; }
  // Joins that page control (leaving the one it was in); nil leaves it.
  void SetPageControl(TcxPageControl* Value);
  TcxTab* Tab() const { return FTab; }
  bool Highlighted() const { return FHighlighted; }
  void SetHighlighted(bool Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The position in the page control; -1 outside one. Raises EListError outside 0..count - 1.
  int PageIndex() const;
  void SetPageIndex(int Value);
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  // Anything but a page control (or nothing) as parent aborts silently.
  void SetParent(TWinControl* AParent) override;
  // Through the page control, which invalidates the page's children too when it repaints them
  // on resizing.
  void Invalidate() override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void WMNCPaint(TMessage& Message) override;
  void CMShowingChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMParentColorChanged(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;

 private:
  friend class TcxPageControl;
  // The tab follows the page: caption, enabled state, image, highlight, visibility, and the
  // selection when this is the active page.
  void UpdateTab();
  void ColorChanged();
  // OnShow and OnHide hand their exceptions to the application: the switch goes on.
  void FireShowOrHide(bool Shown);

  TcxPageControl* FPageControl = nullptr;
  TcxTab* FTab = nullptr;
  bool FHighlighted = false;
  int FImageIndex = -1;
  bool FTabVisible = true;
};

class TcxPageControl : public TcxCustomTabControl {
  VW_CLASS(TcxPageControl, TcxCustomTabControl)
 public:
  explicit TcxPageControl(TComponent* AOwner);
  ~TcxPageControl() override;
  static void DeclareProperties(TPropTable& t);

  TcxTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TcxTabSheet* Value);
  int ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }
  // Nil for an index outside the pages.
  void SelectPageByIndex(int Index);
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TcxTabSheet* Pages(int Index) const { return FPages.at(static_cast<std::size_t>(Index)); }
  // The next page in a direction, visible and enabled ones only when asked; nil when none.
  TcxTabSheet* FindNextPage(TcxTabSheet* CurPage, bool GoForward, bool CheckTabVisible, bool Wrap = true);
  void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

  TcxPageChangingEvent OnPageChanging;

  // ---- the operations the page control adds, in their order ----
  // A new page for a docked client; -1 when docking failed.
  virtual int AcceptDockClient(TControl* Client);
  virtual bool ReleaseDockClient(TWinControl* NewTarget, TControl* Client);
  virtual void ControlChanged(bool Inserting, TControl* Control);
  virtual void SyncActivePage();

  // The client of a docked page follows: its caption renames the page, its visibility shows the tab.
  void DockClientCaptionChanged(TControl* Client);
  void DockClientVisibilityChanged(TControl* Client);
  // The undocked client has left: the next visible page becomes active and its page goes.
  void DockClientLeft(TControl* Client);

  // ---- TcxCustomTabControl ----
  bool CanChangeTab(int NewTabIndex) override;
  void TabChanged() override;
  void Relayout() override;
  void CloseSelectedTab() override;
  TControl* DisplayedPage() override { return FActivePage; }
  TControl* TabPage(int TabIndex) override;
  void ImagesChanged() override;
  bool RequiresVisibleSelection() override { return true; }

  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  void Loaded() override;
  void SetChildOrder(TComponent* Child, int Order) override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  virtual bool CanChangePage(TcxTabSheet* NewPage);
  void PageChanged();

 private:
  friend class TcxTabSheet;
  void InsertPage(TcxTabSheet* Page);
  void RemovePage(TcxTabSheet* Page);
  void MovePage(TcxTabSheet* Page, int NewIndex);
  TcxTabSheet* PageOfClient(TControl* Client);

  std::vector<TcxTabSheet*> FPages;
  TcxTabSheet* FActivePage = nullptr;
  bool FActivePageSetting = false;
  bool FPageInserting = false;
  TcxTabSheet* FUndockingPage = nullptr;
};
