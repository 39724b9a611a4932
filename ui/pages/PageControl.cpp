#include "ui/pages/PageControl.h"

#include <algorithm>

#include "platform/classes/Forms.h"
#include "platform/win/Messages.h"
#include "ui/controls/ControlServices.h"
#include "ui/pages/PCStrings.h"

// ---- TcxTabSheet ----------------------------------------------------------------------------------

TcxTabSheet::TcxTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  SetAlign(alClient);
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csNoDesignVisible});
  SetVisible(false);
  SetTabStop(false);
}

TcxTabSheet::~TcxTabSheet() {
  if (FPageControl) {
    if (FPageControl->FUndockingPage == this) FPageControl->FUndockingPage = nullptr;
    FPageControl->RemovePage(this);
  }
}

void TcxTabSheet::DeclareProperties(TPropTable& t) {
  t.Add("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth).SetDefault(0);
  t.Add("Caption", &TControl::Caption, &TControl::SetCaption);
  t.Add("Color", &TControl::Color, &TControl::SetColor).Idents(ColorToIdent, IdentToColor);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Font", &TControl::Font, &TControl::SetFont);
  t.Add("Highlighted", &TcxTabSheet::Highlighted, &TcxTabSheet::SetHighlighted).SetDefault(false);
  t.Add("ImageIndex", &TcxTabSheet::ImageIndex, &TcxTabSheet::SetImageIndex).SetDefault(-1);
  t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint).SetDefault(true);
  t.Add("ShowHint", &TControl::ShowHint, &TControl::SetShowHint).SetDefault(false);
  t.Add("TabVisible", &TcxTabSheet::TabVisible, &TcxTabSheet::SetTabVisible).SetDefault(true);
  t.Add("OnShow", &TcxTabSheet::OnShow);
  t.Add("OnHide", &TcxTabSheet::OnHide);
  t.Add("OnClick", &TControl::OnClick);
  t.Add("OnMouseDown", &TControl::OnMouseDown);
  t.Add("OnMouseMove", &TControl::OnMouseMove);
  t.Add("OnMouseUp", &TControl::OnMouseUp);
}

void TcxTabSheet::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.WindowClass.style &= ~(win::CS_HREDRAW | win::CS_VREDRAW);
}

void TcxTabSheet::SetParent(TWinControl* AParent) {
  auto* pageControl = dynamic_cast<TcxPageControl*>(AParent);
  if (AParent && !pageControl) Abort();
  if (pageControl != FPageControl)
    SetPageControl(pageControl);
  else if (!pageControl)
    TCustomControl::SetParent(nullptr);
}

void TcxTabSheet::Invalidate() {
  if (FPageControl)
    InvalidateControlTree(this, true, FPageControl->InvalidatesChildren());
  else
    TCustomControl::Invalidate();
}

void TcxTabSheet::SetPageControl(TcxPageControl* Value) {
  if (Value == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  if (!Value) return;
  Value->InsertPage(this);
  if (!Value->ComponentState().Contains(csLoading) && !Value->ActivePage() && FTabVisible) Value->SetActivePage(this);
}

int TcxTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TcxTabSheet::SetPageIndex(int Value) {
  if (!FPageControl) return;
  int count = FPageControl->PageCount();
  if (Value < 0 || Value >= count) throw EListError(cxPCMessage(scxPCPageIndexError, {Value, count - 1}));
  FPageControl->MovePage(this, Value);
}

void TcxTabSheet::SetHighlighted(bool Value) {
  if (Value == FHighlighted) return;
  FHighlighted = Value;
  UpdateTab();
}

void TcxTabSheet::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  UpdateTab();
}

void TcxTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  FTabVisible = Value;
  UpdateTab();
  if (Value && FPageControl && FPageControl->PageCount() == 1 && !FPageControl->ActivePage())
    FPageControl->SetActivePage(this);
}

void TcxTabSheet::UpdateTab() {
  TcxPageControl* control = FPageControl;
  if (!control || !FTab || control->ComponentState().Contains(csLoading) || control->IsDestroying()) return;
  FTab->SetCaption(Caption());
  FTab->SetEnabled(Enabled());
  FTab->SetImageIndex(FImageIndex);
  FTab->SetHighlighted(FHighlighted);
  FTab->SetVisible(FTabVisible);
  if (control->ActivePage() == this) control->SetTabIndex(FTabVisible ? FTab->Index() : -1);
}

void TcxTabSheet::FireShowOrHide(bool Shown) {
  const TNotifyEvent& handler = Shown ? OnShow : OnHide;
  if (!handler) return;
  try {
    handler(this);
  } catch (...) {
    Application->HandleException(this);
  }
}

void TcxTabSheet::CMShowingChanged(TMessage& Message) {
  TCustomControl::CMShowingChanged(Message);
  FireShowOrHide(Showing());
}

void TcxTabSheet::WMEraseBkgnd(TMessage& Message) {
  auto dc = reinterpret_cast<win::HDC>(Message.WParam);
  if (FPageControl && FPageControl->Painter()) {
    if (FPageControl->Painter()->IsNativePainting()) {
      FPageControl->Painter()->PaintPageBackgroundForChild(dc, this);
    } else {
      win::POINT old{};
      win::OffsetWindowOrgEx(dc, Left(), Top(), &old);
      FPageControl->EraseBackground(dc);
      win::SetWindowOrgEx(dc, old.x, old.y, nullptr);
    }
  }
  Message.Result = 1;
}

void TcxTabSheet::WMNCPaint(TMessage& Message) {
  if (BorderWidth() > 0 && FPageControl && FPageControl->Painter() && FPageControl->Painter()->IsNativePainting() &&
      HandleAllocated()) {
    win::HDC dc = win::GetWindowDC(Handle());
    win::RECT window;
    win::GetWindowRect(Handle(), &window);
    int w = window.right - window.left, h = window.bottom - window.top, b = BorderWidth();
    win::ExcludeClipRect(dc, b, b, w - b, h - b);
    FPageControl->Painter()->PaintPageBackgroundForChild(dc, this);
    win::ReleaseDC(Handle(), dc);
    Message.Result = 0;
    return;
  }
  TCustomControl::WMNCPaint(Message);
}

void TcxTabSheet::ColorChanged() {
  if (FTab) FPageControl->Tabs()->Changed(FTab->VisibleIndex(), tpcLayout);
  if (BorderWidth() > 0 && HandleAllocated())
    win::RedrawWindow(Handle(), nullptr, nullptr, win::RDW_FRAME | win::RDW_INVALIDATE);
  Invalidate();
}

void TcxTabSheet::CMColorChanged(TMessage& Message) {
  TCustomControl::CMColorChanged(Message);
  ColorChanged();
}

void TcxTabSheet::CMParentColorChanged(TMessage& Message) {
  TCustomControl::CMParentColorChanged(Message);
  ColorChanged();
}

void TcxTabSheet::CMEnabledChanged(TMessage& Message) {
  TCustomControl::CMEnabledChanged(Message);
  UpdateTab();
}

void TcxTabSheet::CMTextChanged(TMessage& Message) {
  TCustomControl::CMTextChanged(Message);
  UpdateTab();
}

// ---- TcxPageControl -------------------------------------------------------------------------------

TcxPageControl::TcxPageControl(TComponent* AOwner) : TcxCustomTabControl(AOwner) {}

TcxPageControl::~TcxPageControl() {
  IncludeState(csDestroying);
  // The pages belong to their owner: they only leave.
  for (TcxTabSheet* page : FPages) {
    page->FPageControl = nullptr;
    page->FTab = nullptr;
  }
  FPages.clear();
  FActivePage = nullptr;
}

void TcxPageControl::DeclareProperties(TPropTable& t) {
  t.Add("ActivePage", &TcxPageControl::ActivePage, &TcxPageControl::SetActivePage);
  t.Add("Align", &TControl::Align, &TControl::SetAlign).SetDefault(alNone);
  t.Add("Color", &TControl::Color, &TControl::SetColor).Idents(ColorToIdent, IdentToColor);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Font", &TControl::Font, &TControl::SetFont);
  t.Add("HideTabs", &TcxCustomTabControl::HideTabs, &TcxCustomTabControl::SetHideTabs).SetDefault(false);
  t.Add("HotTrack", &TcxCustomTabControl::HotTrack, &TcxCustomTabControl::SetHotTrack).SetDefault(false);
  t.Add("ImageBorder", &TcxCustomTabControl::ImageBorder, &TcxCustomTabControl::SetImageBorder).SetDefault(0);
  t.Add("LookAndFeel", &TcxControl::LookAndFeel, &TcxControl::SetLookAndFeel);
  t.Add("MultiLine", &TcxCustomTabControl::MultiLine, &TcxCustomTabControl::SetMultiLine).SetDefault(false);
  t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).SetDefault(true);
  t.Add("ParentFont", &TControl::ParentFont, &TControl::SetParentFont).SetDefault(true);
  t.Add("Rotate", &TcxCustomTabControl::Rotate, &TcxCustomTabControl::SetRotate).SetDefault(false);
  t.Add("ShowFrame", &TcxCustomTabControl::ShowFrame, &TcxCustomTabControl::SetShowFrame).SetDefault(false);
  t.Add("Style", &TcxCustomTabControl::Style, &TcxCustomTabControl::SetStyle).SetDefault(0);
  t.Add("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
  t.Add("TabPosition", &TcxCustomTabControl::TabPosition, &TcxCustomTabControl::SetTabPosition).SetDefault(tpTop);
  t.Add("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).SetDefault(true);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("OnChange", &TcxCustomTabControl::OnChange);
  t.Add("OnCanClose", &TcxCustomTabControl::OnCanClose);
  t.Add("OnPageChanging", &TcxPageControl::OnPageChanging);
  t.Add("OnResize", &TControl::OnResize);
}

// ---- pages in and out -------------------------------------------------------------------------------

void TcxPageControl::InsertPage(TcxTabSheet* Page) {
  if (CanGetWindowHandle(this)) HandleNeeded();
  FPageInserting = true;
  try {
    FPages.push_back(Page);
    Page->FPageControl = this;
    Page->TCustomControl::SetParent(this);
    Tabs()->Add(Page->Caption());
  } catch (...) {
    FPageInserting = false;
    throw;
  }
  FPageInserting = false;
  Page->FTab = Tabs()->Tab(Tabs()->Count() - 1);
  Page->UpdateTab();
}

void TcxPageControl::RemovePage(TcxTabSheet* Page) {
  bool visibleOnly = !IsDesigning();
  TcxTabSheet* next = FindNextPage(Page, true, visibleOnly, false);
  if (!next) next = FindNextPage(Page, false, visibleOnly, false);
  int index = Page->PageIndex();
  bool wasActive = FActivePage == Page;
  FPages.erase(FPages.begin() + index);
  Page->FTab = nullptr;
  if (!IsDestroying()) {
    LockChangeEvents();
    try {
      Tabs()->Delete(index);
      ClearTabIndexSilently();
    } catch (...) {
      UnlockChangeEvents();
      throw;
    }
    UnlockChangeEvents();
  }
  if (wasActive) {
    FActivePage = nullptr;
    SetActivePage(next == Page ? nullptr : next);
  } else if (FActivePage && !IsDestroying()) {
    // A page in the background went: the page shown stays, with its tab selected again.
    TcxTabSheet* active = FActivePage;
    FActivePage = nullptr;
    SetActivePage(active);
  }
  Page->FPageControl = nullptr;
  Page->TCustomControl::SetParent(nullptr);
}

void TcxPageControl::MovePage(TcxTabSheet* Page, int NewIndex) {
  int index = Page->PageIndex();
  if (index == NewIndex) return;
  FPages.erase(FPages.begin() + index);
  FPages.insert(FPages.begin() + NewIndex, Page);
  Tabs()->Move(index, NewIndex);
  Page->UpdateTab();
  LockChangeEvents();
  try {
    SetTabIndex(FActivePage && FActivePage->TabVisible() ? FActivePage->Tab()->Index() : -1);
  } catch (...) {
    UnlockChangeEvents();
    throw;
  }
  UnlockChangeEvents();
}

TcxTabSheet* TcxPageControl::FindNextPage(TcxTabSheet* CurPage, bool GoForward, bool CheckTabVisible, bool Wrap) {
  int count = PageCount();
  if (count == 0) return nullptr;
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int index, tries;
  if (it == FPages.end()) {
    index = GoForward ? 0 : count - 1;
    tries = count;
  } else {
    index = static_cast<int>(it - FPages.begin());
    tries = count - 1;
    index += GoForward ? 1 : -1;
  }
  for (; tries > 0; --tries) {
    if (index < 0 || index >= count) {
      if (!Wrap) return nullptr;
      index = GoForward ? 0 : count - 1;
    }
    TcxTabSheet* page = FPages[static_cast<std::size_t>(index)];
    if (!CheckTabVisible || (page->TabVisible() && page->Enabled())) return page;
    index += GoForward ? 1 : -1;
  }
  return nullptr;
}

void TcxPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TcxTabSheet* page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (page && page != FActivePage) SetActivePage(page);
}

void TcxPageControl::SelectPageByIndex(int Index) {
  SetActivePage(Index >= 0 && Index < PageCount() ? FPages[static_cast<std::size_t>(Index)] : nullptr);
}

// ---- changing the page --------------------------------------------------------------------------

bool TcxPageControl::CanChangePage(TcxTabSheet* NewPage) {
  bool allow = true;
  if (!ChangeEventsLocked() && OnPageChanging) OnPageChanging(this, NewPage, allow);
  return allow;
}

void TcxPageControl::PageChanged() {
  if (!ChangeEventsLocked() && OnChange) OnChange(this);
}

void TcxPageControl::SetActivePage(TcxTabSheet* Value) {
  if (FActivePageSetting || IsDestroying() || (Value && Value->PageControl() != this)) return;
  if (Value != FActivePage) {
    if (!CanChangePage(Value)) return;
    TCustomForm* form = ::GetParentForm(this);
    TcxTabSheet* old = FActivePage;
    bool focusWasOnOld = false;
    if (form && old && form->ActiveControl() && old->ContainsControl(form->ActiveControl())) {
      focusWasOnOld = true;
      form->SetActiveControl(old);
      if (form->ActiveControl() != old) {
        SetTabIndex(old->Tab() ? old->Tab()->Index() : -1);
        return;
      }
    }
    TWinControl* focusTo = nullptr;
    if (Value && focusWasOnOld) {
      bool parentCanFocus = Parent() && Parent()->CanFocus();
      focusTo = Value->Enabled() && Visible() && Enabled() && parentCanFocus ? static_cast<TWinControl*>(Value)
                                                                             : static_cast<TWinControl*>(this);
    }
    if (old) old->SetVisible(false);
    if (Value) {
      Value->BringToFront();
      Value->SetVisible(true);
      Value->Invalidate();
    }
    if (form && focusTo) form->SetActiveControl(focusTo);
    FActivePage = Value;
    PageChanged();
    if (form && Value && form->ActiveControl() == Value) Value->SelectNext(nullptr, true, true);
    if (!ComponentState().Contains(csLoading) && HandleAllocated()) Update();
  }
  if (Value == FActivePage) {
    LockChangeEvents();
    FActivePageSetting = true;
    try {
      SetTabIndex(Value && Value->TabVisible() && Value->Tab() ? Value->Tab()->Index() : -1);
    } catch (...) {
      FActivePageSetting = false;
      UnlockChangeEvents();
      throw;
    }
    FActivePageSetting = false;
    UnlockChangeEvents();
  }
}

bool TcxPageControl::CanChangeTab(int NewTabIndex) {
  if (!TcxCustomTabControl::CanChangeTab(NewTabIndex)) return false;
  return NewTabIndex == -1 || NewTabIndex >= PageCount() || CanChangePage(FPages[static_cast<std::size_t>(NewTabIndex)]);
}

void TcxPageControl::SyncActivePage() {
  int index = TabIndex();
  SetActivePage(index >= 0 && index < PageCount() ? FPages[static_cast<std::size_t>(index)] : nullptr);
}

void TcxPageControl::TabChanged() {
  LockChangeEvents();
  try {
    SyncActivePage();
  } catch (...) {
    UnlockChangeEvents();
    throw;
  }
  UnlockChangeEvents();
  TcxCustomTabControl::TabChanged();
}

void TcxPageControl::Relayout() {
  TcxCustomTabControl::Relayout();
  if (FActivePage && !IsDestroying()) FActivePage->Invalidate();
}

void TcxPageControl::CloseSelectedTab() {
  if (FActivePage) delete FActivePage;
}

TControl* TcxPageControl::TabPage(int TabIndex) {
  return TabIndex >= 0 && TabIndex < PageCount() ? FPages[static_cast<std::size_t>(TabIndex)] : nullptr;
}

void TcxPageControl::ImagesChanged() {
  if (!FPageInserting && !IsDestroying())
    for (TcxTabSheet* page : FPages)
      if (page->Tab()) page->Tab()->SetImageIndex(page->ImageIndex());
  TcxCustomTabControl::ImagesChanged();
}

void TcxPageControl::Loaded() {
  // Nothing fires while the form loads: the pages' tabs may move the selection.
  LockChangeEvents();
  try {
    TcxCustomTabControl::Loaded();
    for (TcxTabSheet* page : FPages) page->UpdateTab();
    if (FActivePage) {
      TcxTabSheet* active = FActivePage;
      FActivePage = nullptr;
      SetActivePage(active);
    }
  } catch (...) {
    UnlockChangeEvents();
    throw;
  }
  UnlockChangeEvents();
  if (!IsDesigning() && FActivePage && !FActivePage->Enabled()) SetActivePage(nullptr);
}

void TcxPageControl::GetChildren(TGetChildProc Proc, TComponent* Root) {
  for (TcxTabSheet* page : FPages) Proc(page);
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* control = Controls(i);
    if (!dynamic_cast<TcxTabSheet*>(control) && control->Owner() == Root) Proc(control);
  }
}

void TcxPageControl::SetChildOrder(TComponent* Child, int Order) {
  if (auto* page = dynamic_cast<TcxTabSheet*>(Child); page && page->PageControl() == this && Order < PageCount())
    page->SetPageIndex(Order);
}

void TcxPageControl::AlignControls(TControl* AControl, win::RECT& Rect) {
  TcxCustomTabControl::AlignControls(AControl, Rect);
  if (FActivePage && FActivePage->HandleAllocated() && FActivePage->BorderWidth() > 0 && Painter() &&
      Painter()->IsNativePainting())
    win::RedrawWindow(FActivePage->Handle(), nullptr, nullptr, win::RDW_FRAME | win::RDW_INVALIDATE);
}

void TcxPageControl::ControlChanged(bool Inserting, TControl* Control) {
  if (!Inserting || !IsDesigning() || dynamic_cast<TcxTabSheet*>(Control) || !Parent()) return;
  win::POINT p = ClientToScreen(win::POINT{Control->Left(), Control->Top()});
  p = Parent()->ScreenToClient(p);
  Control->SetParent(Parent());
  Control->SetBounds(p.x, p.y, Control->Width(), Control->Height());
}

// ---- docking --------------------------------------------------------------------------------------

TcxTabSheet* TcxPageControl::PageOfClient(TControl* Client) {
  for (TcxTabSheet* page : FPages)
    if (Client && Client->Parent() == page) return page;
  return nullptr;
}

int TcxPageControl::AcceptDockClient(TControl* Client) {
  if (!Client) return -1;
  if (TcxTabSheet* page = PageOfClient(Client)) {
    page->SetPageIndex(PageCount() - 1);
    return page->PageIndex();
  }
  auto* page = new TcxTabSheet(this);
  try {
    if (auto* form = dynamic_cast<TCustomForm*>(Client)) page->SetCaption(form->Caption());
    page->SetPageControl(this);
    Client->SetParent(page);
    Client->SetAlign(alClient);
    page->SetTabVisible(Client->Visible());
    if (Client->Visible()) SetActivePage(page);
  } catch (...) {
    delete page;
    return -1;
  }
  return page->PageIndex();
}

bool TcxPageControl::ReleaseDockClient(TWinControl*, TControl* Client) {
  FUndockingPage = PageOfClient(Client);
  if (Client) Client->SetAlign(alNone);
  return true;
}

void TcxPageControl::DockClientLeft(TControl*) {
  TcxTabSheet* page = FUndockingPage;
  if (!page) return;
  FUndockingPage = nullptr;
  if (page == FActivePage) SelectNextPage(true, true);
  delete page;
}

void TcxPageControl::DockClientCaptionChanged(TControl* Client) {
  TcxTabSheet* page = PageOfClient(Client);
  if (!page) return;
  String caption = Client->Caption();
  std::size_t lineBreak = caption.find_first_of("\r\n");
  page->SetCaption(lineBreak == String::npos ? caption : caption.substr(0, lineBreak));
}

void TcxPageControl::DockClientVisibilityChanged(TControl* Client) {
  if (TcxTabSheet* page = PageOfClient(Client)) page->SetTabVisible(Client->Visible());
}

namespace {
const bool kRegistered = [] {
  RegisterClassesOf<TcxPageControl, TcxTabSheet>();
  return true;
}();
}  // namespace
