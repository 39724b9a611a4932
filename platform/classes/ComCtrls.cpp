#include "platform/classes/ComCtrls.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Menus.h"
#include "platform/classes/Utf8.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Rects.h"

using namespace win;

namespace {

// The caption with its accelerator marks taken out, drawn with the mark's underline.
void DrawCaption(TCanvas* Canvas, const String& Text, RECT Rect, UINT Flags, bool Enabled) {
  HDC dc = Canvas->Handle();
  Canvas->RequiredState(TCanvasState{csHandleValid, csFontValid});
  SetBkMode(dc, TRANSPARENT);
  if (!Enabled) {
    RECT shadow = Rect;
    OffsetRect(&shadow, 1, 1);
    SetTextColor(dc, ColorToRGB(clBtnHighlight));
    DrawText(dc, Text.c_str(), -1, &shadow, Flags);
    SetTextColor(dc, ColorToRGB(clBtnShadow));
  }
  DrawText(dc, Text.c_str(), -1, &Rect, Flags);
}

}  // namespace

// ---- TTabSheet -----------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csParentBackground};
  FVisible = false;
  FAlign = alClient;
}

TTabSheet::~TTabSheet() { SetPageControl(nullptr); }

void TTabSheet::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  t.Add("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).SetDefault(-1);
  t.Add("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
  t.Add("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).SetDefault(true);
}

void TTabSheet::SetParent(TWinControl* AParent) {
  TWinControl::SetParent(AParent);
  // A sheet belongs to the page control it stands on, however it got there (a form description
  // only names the parent).
  auto* pages = dynamic_cast<TPageControl*>(AParent);
  if (pages != FPageControl) SetPageControl(pages);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (Value == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  FPageControl = Value;
  if (Value) {
    if (Parent() != Value) TWinControl::SetParent(Value);
    Value->InsertPage(this);
  }
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (FPageControl) FPageControl->MovePage(this, Value);
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  auto tabs = FPageControl->VisibleTabs();
  return static_cast<int>(std::find(tabs.begin(), tabs.end(), this) - tabs.begin());
}

void TTabSheet::SetTabVisible(bool Value) {
  if (Value == FTabVisible) return;
  FTabVisible = Value;
  if (FPageControl) FPageControl->TabsChanged();
}

void TTabSheet::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (FPageControl) FPageControl->TabsChanged();
}

void TTabSheet::CMTextChanged(TMessage& Message) {
  TWinControl::CMTextChanged(Message);
  if (FPageControl) FPageControl->TabsChanged();
}

// ---- TPageControl --------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FWidth = 289;
  FHeight = 193;
  FTabStop = true;
  FParentColor = false;
  FColor = clBtnFace;
}

TPageControl::~TPageControl() {
  // The sheets are freed by their owner, maybe after this control: they must not reach back.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
}

void TPageControl::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  t.Add("Images", &TPageControl::Images, &TPageControl::SetImages);
  t.Add("OnChange", &TPageControl::OnChange);
  t.Add("OnChanging", &TPageControl::OnChanging);
}

TTabSheet* TPageControl::Pages(int Index) const {
  return Index >= 0 && Index < PageCount() ? FPages[static_cast<std::size_t>(Index)] : nullptr;
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->SetVisible(false);
  if (!FActivePage && !HasState(csLoading)) SetActivePage(Page);
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* Page) {
  TTabSheet* next = Page == FActivePage ? FindNextPage(Page, true, true) : FActivePage;
  if (next == Page) next = nullptr;
  std::erase(FPages, Page);
  if (Page == FActivePage) {
    FActivePage = nullptr;
    if (!HasState(csDestroying)) SetActivePage(next);
  }
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* Page, int NewIndex) {
  auto it = std::find(FPages.begin(), FPages.end(), Page);
  if (it == FPages.end()) return;
  FPages.erase(it);
  NewIndex = std::clamp(NewIndex, 0, PageCount());
  FPages.insert(FPages.begin() + NewIndex, Page);
  TabsChanged();
}

std::vector<TTabSheet*> TPageControl::VisibleTabs() const {
  std::vector<TTabSheet*> tabs;
  for (TTabSheet* page : FPages)
    if (page->TabVisible()) tabs.push_back(page);
  return tabs;
}

void TPageControl::TabsChanged() {
  if (HasState(csDestroying)) return;
  Realign();
  Invalidate();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->PageControl() != this) return;
  if (Value == FActivePage) return;
  TCustomForm* form = ::GetParentForm(this);
  bool hadFocus = form && FActivePage && form->ActiveControl() && FActivePage->ContainsControl(form->ActiveControl());
  TTabSheet* old = FActivePage;
  FActivePage = Value;
  if (Value) {
    Value->BringToFront();
    Value->SetVisible(true);
  }
  if (old) old->SetVisible(false);
  // The focus does not stay on a page nobody sees.
  if (hadFocus && CanFocus()) SetFocus();
  Realign();
  Invalidate();
}

void TPageControl::SetActivePageIndex(int Value) { SetActivePage(Pages(Value)); }

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) const {
  if (FPages.empty()) return nullptr;
  int count = PageCount();
  auto it = std::find(FPages.begin(), FPages.end(), CurPage);
  int start = it == FPages.end() ? (GoForward ? count - 1 : 0) : static_cast<int>(it - FPages.begin());
  int i = start;
  for (int n = 0; n < count; ++n) {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = FPages[static_cast<std::size_t>(i)];
    if (!CheckTabVisible || page->TabVisible()) return page;
  }
  return nullptr;
}

bool TPageControl::ChangeActivePage(TTabSheet* Page) {
  if (!Page || Page == FActivePage) return false;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return false;
  SetActivePage(Page);
  if (OnChange) OnChange(this);
  return true;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  ChangeActivePage(FindNextPage(FActivePage, GoForward, CheckTabVisible));
}

void TPageControl::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  TabsChanged();
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TPageControl::Loaded() {
  TCustomControl::Loaded();
  if (!FActivePage) SetActivePage(FindNextPage(nullptr, true, true));
}

String TPageControl::TabCaption(TTabSheet* Page) const { return Page->Caption(); }

int TPageControl::TabHeight() const {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = c->TextHeight("Wg") + 6;
  if (FImages) h = std::max(h, FImages->Height() + 4);
  return h;
}

RECT TPageControl::TabRect(int TabIndex) {
  auto tabs = VisibleTabs();
  if (TabIndex < 0 || TabIndex >= static_cast<int>(tabs.size())) return RECT{};
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = TabHeight();
  int x = 2;
  for (int i = 0;; ++i) {
    TTabSheet* page = tabs[static_cast<std::size_t>(i)];
    int w = c->TextWidth(StripHotkey(TabCaption(page))) + 12;
    if (FImages && page->ImageIndex() >= 0) w += FImages->Width() + 3;
    if (i == TabIndex) return RECT{x, 2, x + w, 2 + h};
    x += w;
  }
}

int TPageControl::IndexOfTabAt(int X, int Y) {
  POINT p{X, Y};
  int count = static_cast<int>(VisibleTabs().size());
  for (int i = 0; i < count; ++i) {
    RECT r = TabRect(i);
    if (PtInRect(&r, p)) return i;
  }
  return -1;
}

RECT TPageControl::DisplayRect() {
  RECT r = ClientRect();
  if (!FPages.empty()) r.top += TabHeight() + 2;
  InflateRect(&r, -4, -4);
  return r;
}

void TPageControl::AlignControls(TControl* AControl, RECT& Rect) {
  RECT display = DisplayRect();
  for (TTabSheet* page : FPages)
    page->SetBounds(display.left, display.top, std::max<LONG>(0, display.right - display.left),
                    std::max<LONG>(0, display.bottom - display.top));
  (void)AControl;
  Rect = display;
}

void TPageControl::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  RECT frame = client;
  if (!FPages.empty()) frame.top += TabHeight() + 2;
  DrawEdge(dc, &frame, EDGE_RAISED, BF_RECT);

  auto tabs = VisibleTabs();
  c->Font()->Assign(Font());
  int active = FActivePage ? FActivePage->TabIndex() : -1;
  // The active tab last, raised over its neighbours and open to its page.
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < static_cast<int>(tabs.size()); ++i) {
      if ((i == active) != (pass == 1)) continue;
      TTabSheet* page = tabs[static_cast<std::size_t>(i)];
      RECT r = TabRect(i);
      if (i == active) {
        InflateRect(&r, 2, 0);
        r.top -= 2;
        r.bottom += 1;
      }
      c->Brush()->SetColor(Color());
      c->FillRect(r);
      DrawEdge(dc, &r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT | BF_SOFT);
      RECT text = r;
      text.top += 1;
      if (FImages && page->ImageIndex() >= 0) {
        int y = r.top + (r.bottom - r.top - FImages->Height()) / 2;
        FImages->Draw(c, r.left + 6, y, page->ImageIndex(), page->Enabled());
        text.left += FImages->Width() + 3;
      }
      SetTextColor(dc, ColorToRGB(Font()->Color()));
      DrawCaption(c, TabCaption(page), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Enabled());
      if (i == active && Focused()) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        c->DrawFocusRect(focus);
      }
    }
  }
}

void TPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  int index = IndexOfTabAt(X, Y);
  if (index < 0) return;
  auto tabs = VisibleTabs();
  ChangeActivePage(tabs[static_cast<std::size_t>(index)]);
  if (CanFocus() && !Focused()) SetFocus();
}

void TPageControl::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  switch (Key) {
    case VK_LEFT:
    case VK_UP: SelectNextPage(false); break;
    case VK_RIGHT:
    case VK_DOWN: SelectNextPage(true); break;
    case VK_HOME: ChangeActivePage(FindNextPage(nullptr, true, true)); break;
    case VK_END: ChangeActivePage(FindNextPage(nullptr, false, true)); break;
    default: return;
  }
  Key = 0;
}

void TPageControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: TCustomControl::WndProc(Message);
  }
}

void TPageControl::CMDialogKey(TMessage& Message) {
  // Ctrl+Tab turns the pages wherever the focus is inside the control.
  HWND focus = GetFocus();
  if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && HandleAllocated() &&
      (focus == Handle() || IsChild(Handle(), focus))) {
    SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
    Message.Result = 1;
    return;
  }
  TCustomControl::CMDialogKey(Message);
}

void TPageControl::CMDialogChar(TMessage& Message) {
  for (TTabSheet* page : VisibleTabs()) {
    if (IsAccel(static_cast<unsigned>(Message.WParam), page->Caption()) && Enabled() && Showing()) {
      ChangeActivePage(page);
      if (CanFocus()) SetFocus();
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::CMDialogChar(Message);
}

// ---- TTreeNode -----------------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* AOwner, TTreeNode* AParent) : FOwner(AOwner), FParent(AParent) {}

TTreeNode::~TTreeNode() {
  for (TTreeNode* child : FChildren) delete child;
}

TCustomTreeView* TTreeNode::TreeView() const { return FOwner->Owner(); }

int TTreeNode::Level() const {
  int level = 0;
  for (TTreeNode* p = FParent; p; p = p->FParent) ++level;
  return level;
}

TTreeNode* TTreeNode::Item(int Index) const {
  return Index >= 0 && Index < Count() ? FChildren[static_cast<std::size_t>(Index)] : nullptr;
}

int TTreeNode::Index() const {
  auto& siblings = FOwner->Siblings(FParent);
  return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::AbsoluteIndex() const {
  int index = 0;
  for (const TTreeNode* n = GetPrev(); n; n = n->GetPrev()) ++index;
  return index;
}

TTreeNode* TTreeNode::GetNextSibling() const {
  auto& siblings = FOwner->Siblings(FParent);
  auto i = static_cast<std::size_t>(Index()) + 1;
  return i < siblings.size() ? siblings[i] : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const {
  int i = Index();
  return i > 0 ? FOwner->Siblings(FParent)[static_cast<std::size_t>(i - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const {
  if (!FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* next = n->GetNextSibling()) return next;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const {
  TTreeNode* prev = GetPrevSibling();
  if (!prev) return FParent;
  while (!prev->FChildren.empty()) prev = prev->FChildren.back();
  return prev;
}

TTreeNode* TTreeNode::GetNextVisible() const {
  if (FExpanded && !FChildren.empty()) return FChildren.front();
  for (const TTreeNode* n = this; n; n = n->FParent)
    if (TTreeNode* next = n->GetNextSibling()) return next;
  return nullptr;
}

TTreeNode* TTreeNode::GetPrevVisible() const {
  TTreeNode* prev = GetPrevSibling();
  if (!prev) return FParent;
  while (prev->FExpanded && !prev->FChildren.empty()) prev = prev->FChildren.back();
  return prev;
}

bool TTreeNode::IsVisible() const {
  for (TTreeNode* p = FParent; p; p = p->FParent)
    if (!p->FExpanded) return false;
  return true;
}

void TTreeNode::SetText(const String& Value) {
  if (Value == FText) return;
  FText = Value;
  FOwner->Changed();
}

void TTreeNode::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  FOwner->Changed();
}

void TTreeNode::SetExpanded(bool Value) {
  if (Value == FExpanded) return;
  TCustomTreeView* view = TreeView();
  if (view && !view->ChangeExpanded(this, Value)) return;
  if (!view) FExpanded = Value;
}

void TTreeNode::Expand(bool Recurse) {
  SetExpanded(true);
  if (Recurse)
    for (TTreeNode* child : FChildren) child->Expand(true);
}

void TTreeNode::Collapse(bool Recurse) {
  SetExpanded(false);
  if (Recurse)
    for (TTreeNode* child : FChildren) child->Collapse(true);
}

bool TTreeNode::Selected() const { return TreeView() && TreeView()->Selected() == this; }

void TTreeNode::SetSelected(bool Value) {
  if (TCustomTreeView* view = TreeView()) {
    if (Value)
      view->SetSelected(this);
    else if (view->Selected() == this)
      view->SetSelected(nullptr);
  }
}

void TTreeNode::MakeVisible() {
  for (TTreeNode* p = FParent; p; p = p->FParent) p->SetExpanded(true);
  if (TCustomTreeView* view = TreeView()) view->ScrollIntoView(this);
}

void TTreeNode::Delete() { FOwner->Delete(this); }

void TTreeNode::DeleteChildren() {
  while (!FChildren.empty()) FOwner->Delete(FChildren.back());
}

// ---- TTreeNodes ----------------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() {
  for (TTreeNode* root : FRoots) delete root;
}

int TTreeNodes::Count() const {
  int count = 0;
  for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) ++count;
  return count;
}

TTreeNode* TTreeNodes::Item(int Index) const {
  if (Index < 0) return nullptr;
  TTreeNode* n = GetFirstNode();
  for (; n && Index > 0; --Index) n = n->GetNext();
  return n;
}

TTreeNode* TTreeNodes::InsertAt(TTreeNode* Parent, std::size_t Position, const String& S, void* Ptr) {
  auto* node = new TTreeNode(this, Parent);
  node->FText = S;
  node->FData = Ptr;
  auto& siblings = Siblings(Parent);
  siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(std::min(Position, siblings.size())), node);
  Changed();
  return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* Sibling, const String& S) { return AddObject(Sibling, S, nullptr); }

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr) {
  TTreeNode* parent = Sibling ? Sibling->Parent() : nullptr;
  return InsertAt(parent, Siblings(parent).size(), S, Ptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* Parent, const String& S) { return AddChildObject(Parent, S, nullptr); }

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr) {
  return InsertAt(Parent, Siblings(Parent).size(), S, Ptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S) {
  if (!Sibling) return InsertAt(nullptr, FRoots.size(), S, nullptr);
  return InsertAt(Sibling->Parent(), static_cast<std::size_t>(Sibling->Index()), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node) {
  if (!Node) return;
  if (FOwner) FOwner->NodeDeleting(Node);
  std::erase(Siblings(Node->Parent()), Node);
  delete Node;
  Changed();
}

void TTreeNodes::Clear() {
  BeginUpdate();
  while (!FRoots.empty()) Delete(FRoots.back());
  EndUpdate();
}

void TTreeNodes::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

void TTreeNodes::Changed() {
  if (FUpdateCount == 0 && FOwner && !FOwner->HasState(csDestroying)) FOwner->Invalidate();
}

void TTreeNodes::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TTreeNodes*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  BeginUpdate();
  Clear();
  for (TTreeNode* n = other->GetFirstNode(); n; n = n->GetNext()) {
    TTreeNode* parent = n->Parent() ? Item(n->Parent()->AbsoluteIndex()) : nullptr;
    TTreeNode* copy = AddChildObject(parent, n->Text(), n->Data());
    copy->FImageIndex = n->FImageIndex;
    copy->FSelectedIndex = n->FSelectedIndex;
  }
  EndUpdate();
}

TPersistent* TTreeNodes::GetOwner() { return FOwner; }

void TTreeNodes::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty(
      "Nodes", [this](TReader* r) { ReadNodes(r); }, [this](TWriter* w) { WriteNodes(w); }, !FRoots.empty());
}

// Each node as its level and its text, in depth-first order.
void TTreeNodes::ReadNodes(TReader* Reader) {
  BeginUpdate();
  Clear();
  Reader->ReadListBegin();
  TTreeNode* last = nullptr;
  while (!Reader->EndOfList()) {
    int level = Reader->ReadInteger();
    String text = Reader->ReadString();
    TTreeNode* parent = last;
    // A level deeper than one below the last node hangs under the last node all the same.
    while (parent && parent->Level() >= level) parent = parent->Parent();
    last = AddChild(parent, text);
  }
  Reader->ReadListEnd();
  EndUpdate();
}

void TTreeNodes::WriteNodes(TWriter* Writer) {
  Writer->WriteListBegin();
  for (TTreeNode* n = GetFirstNode(); n; n = n->GetNext()) {
    Writer->WriteInteger(n->Level());
    Writer->WriteString(n->Text());
  }
  Writer->WriteListEnd();
}

// ---- TCustomTreeView -----------------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TCustomControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FWidth = 121;
  FHeight = 97;
  FTabStop = true;
  FParentColor = false;
  FColor = clWindow;
}

TCustomTreeView::~TCustomTreeView() {
  FSelected = nullptr;
  FTopItem = nullptr;
  FItems->FOwner = nullptr;
}

void TCustomTreeView::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("HideSelection", &TCustomTreeView::HideSelection, &TCustomTreeView::SetHideSelection).SetDefault(true);
  t.Add("Images", &TCustomTreeView::Images, &TCustomTreeView::SetImages);
  t.Add("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent).SetDefault(19);
  t.Add("Items", &TCustomTreeView::Items, &TCustomTreeView::SetItems);
  t.Add("ReadOnly", &TCustomTreeView::ReadOnly, &TCustomTreeView::SetReadOnly).SetDefault(false);
  t.Add("RowSelect", &TCustomTreeView::RowSelect, &TCustomTreeView::SetRowSelect).SetDefault(false);
  t.Add("ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons).SetDefault(true);
  t.Add("ShowLines", &TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines).SetDefault(true);
  t.Add("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot).SetDefault(true);
  t.Add("OnChange", &TCustomTreeView::OnChange);
  t.Add("OnChanging", &TCustomTreeView::OnChanging);
  t.Add("OnCollapsed", &TCustomTreeView::OnCollapsed);
  t.Add("OnCollapsing", &TCustomTreeView::OnCollapsing);
  t.Add("OnExpanded", &TCustomTreeView::OnExpanded);
  t.Add("OnExpanding", &TCustomTreeView::OnExpanding);
}

void TCustomTreeView::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  Params.ExStyle |= WS_EX_CLIENTEDGE;
}

#define VW_TREE_SETTER(Name, Type)                    \
  void TCustomTreeView::Set##Name(Type Value) {       \
    if (Value == F##Name) return;                     \
    F##Name = Value;                                  \
    Invalidate();                                     \
  }
VW_TREE_SETTER(ShowButtons, bool)
VW_TREE_SETTER(ShowLines, bool)
VW_TREE_SETTER(ShowRoot, bool)
VW_TREE_SETTER(HideSelection, bool)
VW_TREE_SETTER(RowSelect, bool)
#undef VW_TREE_SETTER

void TCustomTreeView::SetIndent(int Value) {
  Value = std::max(Value, 0);
  if (Value == FIndent) return;
  FIndent = Value;
  Invalidate();
}

void TCustomTreeView::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  Invalidate();
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

int TCustomTreeView::RowHeight() {
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  int h = c->TextHeight("Wg") + 3;
  if (FImages) h = std::max(h, FImages->Height() + 1);
  return h;
}

int TCustomTreeView::VisibleRowCount() { return std::max(1, static_cast<int>(ClientRect().bottom) / RowHeight()); }

int TCustomTreeView::RowOf(TTreeNode* Node) const {
  if (!Node || !Node->IsVisible()) return -1;
  int row = 0;
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextVisible(), ++row)
    if (n == Node) return row;
  return -1;
}

int TCustomTreeView::NodeLeft(TTreeNode* Node) const {
  int columns = Node->Level() + (FShowRoot ? 1 : 0);
  return 2 + columns * FIndent;
}

RECT TCustomTreeView::NodeRect(TTreeNode* Node, bool TextOnly) {
  int row = RowOf(Node);
  int top = RowOf(FTopItem ? FTopItem : FItems->GetFirstNode());
  if (row < 0 || top < 0 || row < top) return RECT{};
  int h = RowHeight();
  RECT r{0, (row - top) * h, ClientRect().right, (row - top + 1) * h};
  if (!TextOnly) return r;
  TCanvas* c = Canvas();
  c->Font()->Assign(Font());
  r.left = NodeLeft(Node) + (FImages && Node->ImageIndex() >= 0 ? FImages->Width() + 2 : 0);
  r.right = r.left + c->TextWidth(Node->Text()) + 4;
  return r;
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y) {
  if (X < 0 || Y < 0) return nullptr;
  int row = Y / RowHeight();
  TTreeNode* n = FTopItem ? FTopItem : FItems->GetFirstNode();
  for (; n && row > 0; --row) n = n->GetNextVisible();
  return n;
}

void TCustomTreeView::SetTopItem(TTreeNode* Value) {
  if (Value == FTopItem || (Value && !Value->IsVisible())) return;
  FTopItem = Value;
  Invalidate();
}

void TCustomTreeView::ScrollIntoView(TTreeNode* Node) {
  int row = RowOf(Node);
  if (row < 0) return;
  TTreeNode* first = FItems->GetFirstNode();
  int top = FTopItem ? RowOf(FTopItem) : 0;
  if (top < 0) top = 0;
  int rows = VisibleRowCount();
  if (row < top) top = row;
  else if (row >= top + rows) top = row - rows + 1;
  TTreeNode* n = first;
  for (int i = 0; n && i < top; ++i) n = n->GetNextVisible();
  SetTopItem(n);
}

void TCustomTreeView::SetSelected(TTreeNode* Value) {
  if (Value == FSelected) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, Value, allow);
  if (!allow) return;
  FSelected = Value;
  if (Value) Value->MakeVisible();
  Invalidate();
  if (OnChange) OnChange(this, Value);
}

bool TCustomTreeView::ChangeExpanded(TTreeNode* Node, bool Value) {
  bool allow = true;
  if (Value ? static_cast<bool>(OnExpanding) : static_cast<bool>(OnCollapsing))
    (Value ? OnExpanding : OnCollapsing)(this, Node, allow);
  if (!allow) return false;
  Node->FExpanded = Value;
  if (!Value) {
    // A selection hidden by the collapse moves up to the node that folded it away.
    for (TTreeNode* n = FSelected ? FSelected->Parent() : nullptr; n; n = n->Parent())
      if (n == Node) {
        SetSelected(Node);
        break;
      }
    if (FTopItem && !FTopItem->IsVisible()) FTopItem = nullptr;
  }
  Invalidate();
  auto& done = Value ? OnExpanded : OnCollapsed;
  if (done) done(this, Node);
  return true;
}

void TCustomTreeView::NodeDeleting(TTreeNode* Node) {
  auto within = [Node](TTreeNode* n) {
    for (; n; n = n->Parent())
      if (n == Node) return true;
    return false;
  };
  if (within(FTopItem)) FTopItem = nullptr;
  if (within(FSelected)) {
    FSelected = nullptr;
    if (!HasState(csDestroying) && OnChange) OnChange(this, nullptr);
  }
}

void TCustomTreeView::FullExpand() {
  FItems->BeginUpdate();
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling()) n->Expand(true);
  FItems->EndUpdate();
}

void TCustomTreeView::FullCollapse() {
  FItems->BeginUpdate();
  for (TTreeNode* n = FItems->GetFirstNode(); n; n = n->GetNextSibling()) n->Collapse(true);
  FItems->EndUpdate();
}

void TCustomTreeView::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  RECT client = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(client);
  c->Font()->Assign(Font());
  int h = RowHeight();
  bool focused = Focused();
  int y = 0;
  auto dots = [&](int x1, int y1, int x2, int y2) {
    COLORREF grey = ColorToRGB(clGray);
    for (int x = x1; x <= x2; x += 2)
      for (int yy = y1; yy <= y2; yy += 2) SetPixel(dc, x, yy, grey);
  };
  for (TTreeNode* n = FTopItem ? FTopItem : FItems->GetFirstNode(); n && y < client.bottom;
       n = n->GetNextVisible(), y += h) {
    int left = NodeLeft(n);
    int mid = y + h / 2;
    bool hasColumn = n->Parent() || FShowRoot;
    int cx = left - FIndent + FIndent / 2;
    if (FShowLines && hasColumn) {
      // The node's own elbow, then the lines of the ancestors that have siblings below.
      dots(cx, mid, left - 2, mid);
      dots(cx, (n->GetPrevSibling() || n->Parent()) ? y : mid, cx, n->GetNextSibling() ? y + h - 1 : mid);
      int ax = cx;
      for (TTreeNode* a = n->Parent(); a && (a->Parent() || FShowRoot); a = a->Parent()) {
        ax -= FIndent;
        if (a->GetNextSibling()) dots(ax, y + (y & 1), ax, y + h - 1);
      }
    }
    if (FShowButtons && hasColumn && n->HasChildren()) {
      RECT box{cx - 4, mid - 4, cx + 5, mid + 5};
      c->Brush()->SetColor(clWindow);
      c->FillRect(box);
      c->Brush()->SetColor(clGray);
      c->FrameRect(box);
      c->Pen()->SetColor(clWindowText);
      c->MoveTo(cx - 2, mid);
      c->LineTo(cx + 3, mid);
      if (!n->Expanded()) {
        c->MoveTo(cx, mid - 2);
        c->LineTo(cx, mid + 3);
      }
    }
    int textLeft = left;
    if (FImages && n->ImageIndex() >= 0) {
      int index = n == FSelected && n->SelectedIndex() >= 0 ? n->SelectedIndex() : n->ImageIndex();
      FImages->Draw(c, left, y + (h - FImages->Height()) / 2, index, Enabled());
      textLeft += FImages->Width() + 2;
    }
    RECT text{textLeft, y, textLeft + c->TextWidth(n->Text()) + 4, y + h};
    if (FRowSelect) text.right = client.right;
    bool shown = n == FSelected && (focused || !FHideSelection);
    if (shown) {
      c->Brush()->SetColor(focused ? clHighlight : clBtnFace);
      c->FillRect(text);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(!Enabled() ? clGrayText : shown && focused ? clHighlightText : Font()->Color()));
    RECT inner = text;
    inner.left += 2;
    DrawText(dc, n->Text().c_str(), -1, &inner, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (n == FSelected && focused) c->DrawFocusRect(text);
  }
}

void TCustomTreeView::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus() && !Focused()) SetFocus();
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) return;
  TTreeNode* n = GetNodeAt(X, Y);
  if (!n) return;
  int left = NodeLeft(n);
  // The button column toggles; anywhere else on the row selects.
  if (FShowButtons && n->HasChildren() && (n->Parent() || FShowRoot) && X >= left - FIndent && X < left) {
    n->SetExpanded(!n->Expanded());
    return;
  }
  SetSelected(n);
}

void TCustomTreeView::DblClick() {
  TCustomControl::DblClick();
  if (FSelected && FSelected->HasChildren()) FSelected->SetExpanded(!FSelected->Expanded());
}

void TCustomTreeView::KeyDown(WORD& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  TTreeNode* n = FSelected;
  TTreeNode* first = FItems->GetFirstNode();
  auto last = [first] {
    TTreeNode* l = first;
    while (l && l->GetNextVisible()) l = l->GetNextVisible();
    return l;
  };
  switch (Key) {
    case VK_UP: SetSelected(n ? (n->GetPrevVisible() ? n->GetPrevVisible() : n) : first); break;
    case VK_DOWN: SetSelected(n ? (n->GetNextVisible() ? n->GetNextVisible() : n) : first); break;
    case VK_HOME: SetSelected(first); break;
    case VK_END: SetSelected(last()); break;
    case VK_PRIOR:
    case VK_NEXT: {
      TTreeNode* t = n ? n : first;
      for (int i = 1; t && i < VisibleRowCount(); ++i) {
        TTreeNode* step = Key == VK_NEXT ? t->GetNextVisible() : t->GetPrevVisible();
        if (!step) break;
        t = step;
      }
      SetSelected(t);
      break;
    }
    case VK_LEFT:
      if (n && n->Expanded() && n->HasChildren())
        n->SetExpanded(false);
      else if (n && n->Parent())
        SetSelected(n->Parent());
      break;
    case VK_RIGHT:
      if (n && n->HasChildren()) {
        if (!n->Expanded())
          n->SetExpanded(true);
        else
          SetSelected(n->GetFirstChild());
      }
      break;
    case VK_ADD:
      if (n) n->SetExpanded(true);
      break;
    case VK_SUBTRACT:
      if (n) n->SetExpanded(false);
      break;
    case VK_MULTIPLY:
      if (n) n->Expand(true);
      break;
    default: return;
  }
  Key = 0;
}

void TCustomTreeView::KeyPress(TChar& Key) {
  TCustomControl::KeyPress(Key);
  if (Key <= U' ' || !FItems->GetFirstNode()) return;
  // A typed character moves to the next shown node whose text starts with it.
  char32_t wanted = Utf8ToUpper(Key);
  TTreeNode* start = FSelected ? FSelected : FItems->GetFirstNode();
  TTreeNode* n = start;
  do {
    n = n->GetNextVisible() ? n->GetNextVisible() : FItems->GetFirstNode();
    Utf8Reader reader(n->Text());
    if (!n->Text().empty() && Utf8ToUpper(reader.Next()) == wanted) {
      SetSelected(n);
      break;
    }
  } while (n != start);
  Key = 0;
}

void TCustomTreeView::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS; return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      TCustomControl::WndProc(Message);
      Invalidate();
      return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    default: TCustomControl::WndProc(Message);
  }
}

// ---- TToolButton ---------------------------------------------------------------------------------

bool TToolButtonActionLink::IsCheckedLinked() {
  auto* a = CustomAction();
  auto* b = dynamic_cast<TToolButton*>(FClient);
  return TActionLink::IsCheckedLinked() && a && b && b->Down() == a->Checked();
}

bool TToolButtonActionLink::IsImageIndexLinked() {
  auto* a = CustomAction();
  auto* b = dynamic_cast<TToolButton*>(FClient);
  return TActionLink::IsImageIndexLinked() && a && b && b->ImageIndex() == a->ImageIndex();
}

void TToolButtonActionLink::SetChecked(bool Value) {
  if (IsCheckedLinked()) static_cast<TToolButton*>(FClient)->SetDown(Value);
}

void TToolButtonActionLink::SetImageIndex(int Value) {
  if (IsImageIndexLinked()) static_cast<TToolButton*>(FClient)->SetImageIndex(Value);
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  // The button clicks for itself on release, only over itself and only after its own press.
  FControlStyle = TControlStyle{csCaptureMouse, csSetCaption};
  FWidth = 23;
  FHeight = 22;
}

void TToolButton::DeclareProperties(TPropTable& t) {
  t.Add("Action", &TControl::Action, &TControl::SetAction);
  t.Add("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp).SetDefault(false);
  t.Add("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
  t.Add("Down", &TToolButton::Down, &TToolButton::SetDown).SetDefault(false);
  t.Add("Enabled", &TControl::Enabled, &TControl::SetEnabled).SetDefault(true);
  t.Add("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped).SetDefault(false);
  t.Add("Hint", &TControl::Hint, &TControl::SetHint);
  t.Add("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex).SetDefault(-1);
  t.Add("Style", &TToolButton::Style, &TToolButton::SetStyle).SetDefault(tbsButton);
  t.Add("Visible", &TControl::Visible, &TControl::SetVisible).SetDefault(true);
  t.Add("Left", &TControl::Left, &TControl::SetLeft);
  t.Add("Top", &TControl::Top, &TControl::SetTop);
  t.Add("Width", &TControl::Width, &TControl::SetWidth);
  t.Add("Height", &TControl::Height, &TControl::SetHeight);
  t.Add("OnClick", &TControl::OnClick);
}

TToolButton::~TToolButton() {
  // A bar being destroyed is no TToolBar any more and needs no telling.
  if (TToolBar* bar = ToolBar()) bar->RemoveButton(this);
}

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::SetParent(TWinControl* AParent) {
  TToolBar* old = ToolBar();
  TGraphicControl::SetParent(AParent);
  if (old && old != ToolBar()) old->RemoveButton(this);
  if (TToolBar* bar = ToolBar(); bar && bar != old) bar->InsertButton(this);
}

int TToolButton::Index() const {
  TToolBar* bar = ToolBar();
  if (!bar) return -1;
  auto it = std::find(bar->FButtons.begin(), bar->FButtons.end(), this);
  return it == bar->FButtons.end() ? -1 : static_cast<int>(it - bar->FButtons.begin());
}

void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  if (TToolBar* bar = ToolBar()) bar->ButtonsChanged();
  Invalidate();
}

void TToolButton::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (Value) UpdateGroup();
  Invalidate();
}

// A button going down lets the other downed buttons of its group go up.
void TToolButton::UpdateGroup() {
  TToolBar* bar = ToolBar();
  if (!bar || !FGrouped || FStyle != tbsCheck) return;
  int i = Index();
  auto groupMember = [](TToolButton* b) { return b->FGrouped && b->FStyle == tbsCheck; };
  for (int j = i - 1; j >= 0 && groupMember(bar->Buttons(j)); --j) bar->Buttons(j)->SetDown(false);
  for (int j = i + 1; j < bar->ButtonCount() && groupMember(bar->Buttons(j)); ++j) bar->Buttons(j)->SetDown(false);
}

void TToolButton::SetImageIndex(int Value) {
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  if (TToolBar* bar = ToolBar()) bar->ButtonsChanged();
  Invalidate();
}

void TToolButton::Click() {
  if (FStyle == tbsCheck) {
    // The last downed button of a group stays down unless the group allows all up.
    if (!FDown)
      SetDown(true);
    else if (!FGrouped || FAllowAllUp)
      SetDown(false);
  }
  TGraphicControl::Click();
}

void TToolButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft || IsSeparator() || !Enabled()) return;
  FPressed = true;
  Invalidate();
}

void TToolButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (!MouseCapture()) return;
  bool inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (inside != FPressed) {
    FPressed = inside;
    Invalidate();
  }
}

void TToolButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  bool click = Button == mbLeft && FPressed;
  FPressed = false;
  Invalidate();
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (click && X >= 0 && Y >= 0 && X < Width() && Y < Height()) Click();
}

void TToolButton::CMMouseEnter(TMessage& Message) {
  TGraphicControl::CMMouseEnter(Message);
  FHot = true;
  if (ToolBar() && ToolBar()->Flat()) Invalidate();
}

void TToolButton::CMMouseLeave(TMessage& Message) {
  TGraphicControl::CMMouseLeave(Message);
  FHot = false;
  if (ToolBar() && ToolBar()->Flat()) Invalidate();
}

void TToolButton::CMTextChanged(TMessage& Message) {
  TGraphicControl::CMTextChanged(Message);
  if (TToolBar* bar = ToolBar(); bar && bar->ShowCaptions()) bar->ButtonsChanged();
  Invalidate();
}

std::unique_ptr<TControlActionLink> TToolButton::CreateActionLink() {
  return std::make_unique<TToolButtonActionLink>(this);
}

void TToolButton::ActionChange(TBasicAction* Sender, bool CheckDefaults) {
  TGraphicControl::ActionChange(Sender, CheckDefaults);
  auto* a = dynamic_cast<TCustomAction*>(Sender);
  if (!a) return;
  if (!CheckDefaults || FImageIndex == -1) SetImageIndex(a->ImageIndex());
  if (!CheckDefaults || !FDown) SetDown(a->Checked());
}

void TToolButton::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  RECT r = ClientRect();
  TToolBar* bar = ToolBar();
  if (FStyle == tbsDivider) {
    RECT line{r.right / 2 - 1, r.top, r.right / 2 + 1, r.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    return;
  }
  if (FStyle == tbsSeparator) return;
  bool sunken = FPressed || FDown;
  bool flat = bar && bar->Flat();
  if (FDown && !FPressed) {
    c->Brush()->SetColor(clBtnHighlight);
    c->FillRect(r);
  }
  if (sunken)
    DrawEdge(dc, &r, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!flat || (FHot && Enabled()))
    DrawEdge(dc, &r, flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
  int shift = sunken ? 1 : 0;
  TCustomImageList* images = bar ? bar->Images() : nullptr;
  bool captions = bar && bar->ShowCaptions();
  bool list = bar && bar->List();
  c->Font()->Assign(bar ? bar->Font() : Font());
  int imageW = images && FImageIndex >= 0 ? images->Width() : 0;
  int imageH = images && FImageIndex >= 0 ? images->Height() : 0;
  RECT text = r;
  if (imageW > 0) {
    int x, y;
    if (captions && list) {
      x = r.left + 4;
      y = (r.bottom - imageH) / 2;
      text.left = x + imageW + 4;
    } else if (captions) {
      x = (r.right - imageW) / 2;
      y = r.top + 3;
      text.top = y + imageH + 1;
    } else {
      x = (r.right - imageW) / 2;
      y = (r.bottom - imageH) / 2;
    }
    images->Draw(c, x + shift, y + shift, FImageIndex, Enabled());
  }
  if (captions && !Caption().empty()) {
    OffsetRect(&text, shift, shift);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    UINT flags = DT_SINGLELINE | DT_VCENTER | (list ? DT_LEFT : DT_CENTER);
    DrawCaption(c, Caption(), text, flags, Enabled());
  }
}

// ---- TToolBar ------------------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
  FWidth = 150;
  FHeight = 29;
  FAlign = alTop;
  FParentColor = false;
  FColor = clBtnFace;
}

// The buttons go with the window they sit in, once this part of the bar is gone.
TToolBar::~TToolBar() = default;

void TToolBar::DeclareProperties(TPropTable& t) {
  stdctrls_detail::PublishWinControl(t);
  t.Add("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight).SetDefault(22);
  t.Add("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth).SetDefault(23);
  t.Add("Caption", &TToolBar::Caption, &TToolBar::SetCaption);
  t.Add("Flat", &TToolBar::Flat, &TToolBar::SetFlat).SetDefault(false);
  t.Add("Images", &TToolBar::Images, &TToolBar::SetImages);
  t.Add("List", &TToolBar::List, &TToolBar::SetList).SetDefault(false);
  t.Add("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions).SetDefault(false);
}

TToolButton* TToolBar::Buttons(int Index) const {
  return Index >= 0 && Index < ButtonCount() ? FButtons[static_cast<std::size_t>(Index)] : nullptr;
}

void TToolBar::InsertButton(TToolButton* Button) {
  // While a form is read the buttons arrive in their stored order; one added later goes where
  // it was placed, before the first button to its right.
  auto at = FButtons.end();
  if (!HasState(csLoading) && !HasState(csReading))
    at = std::find_if(FButtons.begin(), FButtons.end(), [Button](TToolButton* b) {
      return b->Top() > Button->Top() || (b->Top() == Button->Top() && b->Left() > Button->Left());
    });
  FButtons.insert(at, Button);
  ButtonsChanged();
}

void TToolBar::RemoveButton(TToolButton* Button) {
  std::erase(FButtons, Button);
  ButtonsChanged();
}

#define VW_TOOLBAR_SETTER(Name, Type)           \
  void TToolBar::Set##Name(Type Value) {        \
    if (Value == F##Name) return;               \
    F##Name = Value;                            \
    ButtonsChanged();                           \
  }
VW_TOOLBAR_SETTER(ButtonWidth, int)
VW_TOOLBAR_SETTER(ButtonHeight, int)
VW_TOOLBAR_SETTER(ShowCaptions, bool)
VW_TOOLBAR_SETTER(Flat, bool)
VW_TOOLBAR_SETTER(List, bool)
#undef VW_TOOLBAR_SETTER

void TToolBar::SetImages(TCustomImageList* Value) {
  if (Value == FImages) return;
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (Value) Value->FreeNotification(this);
  ButtonsChanged();
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) SetImages(nullptr);
}

void TToolBar::ButtonsChanged() {
  if (HasState(csDestroying)) return;
  Realign();
  Invalidate();
}

// Every button one size (the widest caption decides while captions show), left to right, a new
// row where the next one would not fit.
void TToolBar::AlignControls(TControl* AControl, RECT& Rect) {
  (void)AControl;
  int w = FButtonWidth, h = FButtonHeight;
  if (FShowCaptions) {
    Canvas()->Font()->Assign(Font());
    int textW = 0;
    for (TToolButton* b : FButtons)
      if (!b->IsSeparator()) textW = std::max(textW, Canvas()->TextWidth(StripHotkey(b->Caption())));
    int imageW = FImages ? FImages->Width() : 0, imageH = FImages ? FImages->Height() : 0;
    int textH = Canvas()->TextHeight("Wg");
    if (FList) {
      w = std::max(w, imageW + textW + 12);
      h = std::max(h, std::max(imageH, textH) + 6);
    } else {
      w = std::max(w, std::max(imageW, textW) + 8);
      h = std::max(h, imageH + textH + 7);
    }
  }
  int x = Rect.left, y = Rect.top;
  for (TToolButton* b : FButtons) {
    if (!b->Visible()) continue;
    int bw = b->IsSeparator() ? SeparatorWidth : w;
    if (x > Rect.left && x + bw > Rect.right) {
      x = Rect.left;
      y += h;
    }
    b->SetBounds(x, y, bw, h);
    x += bw;
  }
}

void TToolBar::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

void TToolBar::WndProc(TMessage& Message) {
  if (Message.Msg == WM_ERASEBKGND) {
    Message.Result = 1;
    return;
  }
  TCustomControl::WndProc(Message);
}

void TToolBar::CMDialogChar(TMessage& Message) {
  if (FShowCaptions && Enabled() && Showing()) {
    for (TToolButton* b : FButtons) {
      if (b->IsSeparator() || !b->Visible() || !b->Enabled()) continue;
      if (IsAccel(static_cast<unsigned>(Message.WParam), b->Caption())) {
        b->Click();
        Message.Result = 1;
        return;
      }
    }
  }
  TCustomControl::CMDialogChar(Message);
}

namespace {

// Form descriptions name these classes; the reader finds them here.
const bool kRegistered = [] {
  RegisterClassesOf<TPageControl, TTabSheet, TTreeView, TToolBar, TToolButton>();
  return true;
}();

}  // namespace
