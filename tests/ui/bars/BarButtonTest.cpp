// Button items: check buttons and their groups, styles, keyboard clicks, drop-down menus (their
// recursion test, their end and their showing for a control), accelerators, the large button's
// image index kept in step through form descriptions, and the application menu's proxy.
#include "ui/bars/BarButton.h"

#include <algorithm>
#include <functional>
#include <memory>

#include "platform/classes/ActnList.h"
#include "platform/classes/FormDescription.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Core.h"

namespace {

using namespace win;

// A toolbar window of the kind that counts its rebuilds; a popup so it shows on its own.
class TTestToolbar : public TPlainBarWindow {
  VW_CLASS(TTestToolbar, TPlainBarWindow)
 public:
  explicit TTestToolbar(TComponent* AOwner, int AKind = dxBarKindToolbar) : TPlainBarWindow(AOwner), Kind(AKind) {}
  int BarKind() const override { return Kind; }
  bool IsVertical() const override { return Vertical; }
  bool LinksMenuToOwner() const override { return Joins; }
  void RebuildRecreating() override { ++Rebuilds; }
  int Kind;
  bool Vertical = false, Joins = false;
  int Rebuilds = 0;

 protected:
  void CreateParams(TCreateParams& Params) override {
    TdxBarControl::CreateParams(Params);
    Params.Style = WS_POPUP;
  }
};

class TTestMenuWindow : public TdxBarSubMenuControl {
  VW_CLASS(TTestMenuWindow, TdxBarSubMenuControl)
 public:
  explicit TTestMenuWindow(TComponent* AOwner) : TdxBarSubMenuControl(AOwner) {}

 protected:
  void CreateParams(TCreateParams& Params) override {
    TdxBarSubMenuControl::CreateParams(Params);
    Params.Style = WS_POPUP;
  }
};

// Until the popup menus show themselves, this one records each showing and, when asked, stands a
// menu window up for its links or fails.
class TRecordingPopupMenu : public TdxBarPopupMenu {
  VW_CLASS(TRecordingPopupMenu, TdxBarPopupMenu)
 public:
  explicit TRecordingPopupMenu(TComponent* AOwner) : TdxBarPopupMenu(AOwner) {}
  // The bar it was opened from may have closed it.
  ~TRecordingPopupMenu() override {
    if (IsBarControlAlive(Window)) TObject::Free(Window);
  }
  struct Showing {
    TPoint At;
    int OwnerWidth, OwnerHeight;
    TRect OwnerBounds;
    bool Animation, OwnLoop;
    TWinControl* OwnerControl;
    TdxBarItemControl* OwnerItem;
  };
  void ShowAt(int X, int Y) override {
    Shown.push_back({{X, Y}, OwnerWidth(), OwnerHeight(), OwnerBounds() ? *OwnerBounds() : TRect{}, ShowAnimation(),
                     UseOwnMessageLoop(), OwnerControl(), OwnerItemControl()});
    if (Fail) throw Exception("no room for the menu");
    if (!MakeWindow) return;
    Window = new TTestMenuWindow(BarManager());
    Window->SetItemLinks(ItemLinks());
    Window->SetBounds(X, Y, 100, 60);
    Window->HandleNeeded();
  }
  std::vector<Showing> Shown;
  bool Fail = false, MakeWindow = false;
  TTestMenuWindow* Window = nullptr;
};

// Answers whether its item has an image, as the button control's unit will.
class TImageAwareButtonControl : public TdxBarButtonControl {
  VW_CLASS(TImageAwareButtonControl, TdxBarButtonControl)
 public:
  bool HasImage() const override { return ItemLink() && ItemLink()->Item() && ItemLink()->Item()->HasImage(); }
};

// A large button whose loading the tests drive.
class TLoadingLargeButton : public TdxBarLargeButton {
  VW_CLASS(TLoadingLargeButton, TdxBarLargeButton)
 public:
  explicit TLoadingLargeButton(TComponent* AOwner) : TdxBarLargeButton(AOwner) { IncludeState(csLoading); }
  void FinishLoading() {
    ExcludeState(csLoading);
    Loaded();
  }
};

class BarButtonTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = new TdxBarManager(Form);
    M->SetName("dxBarManager1");
    Form->SetName("ButtonForm");
  }
  void TearDown() override {
    dxBarItemControlFactory = nullptr;
    BarItemFixture::TearDown();
  }
  template <class T = TdxBarButton>
  T* Button(const String& Name, TdxBarButtonStyle Style = bsDefault, int Group = 0) {
    auto* b = new T(Form);
    b->SetName(Name);
    b->SetCategory(0);
    b->SetButtonStyle(Style);
    b->SetGroupIndex(Group);
    return b;
  }
  TRecordingPopupMenu* Menu(const String& Name, std::initializer_list<TdxBarItem*> Items = {}) {
    auto* menu = new TRecordingPopupMenu(Form);
    menu->SetName(Name);
    menu->SetBarManager(M);
    for (TdxBarItem* item : Items) menu->ItemLinks()->AddItem(item);
    return menu;
  }
  // A window of the kind at a screen place showing the links, one per button.
  template <class W>
  W* Show(W* Window, TdxBarItemLinks* Links, int X, int Y) {
    ShowBar(Window, Links, X, Y);
    return Window;
  }
  void ShowBar(TCustomdxBarControl* Window, TdxBarItemLinks* Links, int X, int Y) {
    Form->Show();
    Window->SetItemLinks(Links);
    Window->SetBounds(X, Y, 120, 60);
    Window->HandleNeeded();
    ShowWindow(Window->Handle(), SW_SHOWNOACTIVATE);
    Window->SetVisible(true);
  }

  TdxBarManager* M = nullptr;
};

TEST_F(BarButtonTest, ChecksKeepTheirGroupsRule) {
  TdxBarButton* b1 = Button("B1", bsChecked, 1);
  TdxBarButton* b2 = Button("B2", bsChecked, 1);
  b1->SetDown(true);
  b2->SetDown(true);
  EXPECT_FALSE(b1->Down()) << "going down releases the group's down button";
  EXPECT_TRUE(b2->Down());
  b2->SetDown(false);
  EXPECT_TRUE(b2->Down()) << "the last down button of the group stays down";

  b1->SetAllowAllUp(true);
  EXPECT_TRUE(b2->AllowAllUp()) << "copied into the group";
  b2->SetDown(false);
  EXPECT_FALSE(b2->Down());
  EXPECT_FALSE(b1->Down());

  // Only check buttons go down and keep a group.
  TdxBarButton* plain = Button("Plain");
  plain->SetGroupIndex(3);
  EXPECT_EQ(plain->GroupIndex(), 0);
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  TdxBarButton* split = Button("Split", bsCheckedDropDown, 1);
  EXPECT_EQ(split->GroupIndex(), 1);
  EXPECT_FALSE(split->AllowAllUp()) << "the copy reached only the buttons then in the group";

  // A style change releases the button and rebuilds its bars once.
  TdxBarButton* check = Button("Check", bsChecked);
  check->SetDown(true);
  TTestToolbar bar(nullptr);
  TdxBarItemLink link;
  auto* control = new TdxBarButtonControl;  // the link owns it
  control->SetParent(&bar);
  link.SetControl(control);
  link.SetItem(check);
  check->SetButtonStyle(bsDropDown);
  EXPECT_EQ(check->ButtonStyle(), bsDropDown);
  EXPECT_FALSE(check->Down());
  EXPECT_EQ(bar.Rebuilds, 1);
}

using BarButtonWithoutManagerTest = BarItemFixture;

TEST_F(BarButtonWithoutManagerTest, GroupsNeedNoManager) {
  // No group to search: going down releases nothing, going up needs AllowAllUp.
  TdxBarButton lone(nullptr);
  ASSERT_EQ(lone.BarManager(), nullptr);
  lone.SetButtonStyle(bsChecked);
  lone.SetGroupIndex(2);
  lone.SetDown(true);
  EXPECT_TRUE(lone.Down());
  lone.SetDown(false);
  EXPECT_TRUE(lone.Down());
  lone.SetAllowAllUp(true);
  lone.SetDown(false);
  EXPECT_FALSE(lone.Down());
}

// Records what the button tells its control.
class TNoticeControl : public TdxBarButtonControl {
  VW_CLASS(TNoticeControl, TdxBarButtonControl)
 public:
  void PaintStyleChanged() override { Notices.push_back("paint style"); }
  void HotGlyphChanged() override { Notices.push_back("hot"); }
  void Invalidate() override { Notices.push_back("repaint"); }
  std::vector<String> Notices;
};

TEST_F(BarButtonTest, PropertiesTellTheirControlsOrRebuildTheirBars) {
  auto* b = Button<TLoadingLargeButton>("Large");
  b->FinishLoading();
  TTestToolbar bar(nullptr);
  TdxBarItemLink own, user;
  auto* ownControl = new TNoticeControl;  // the links own them
  auto* userControl = new TNoticeControl;
  for (auto [link, control] : {std::pair{&own, ownControl}, std::pair{&user, userControl}}) {
    control->SetParent(&bar);
    link->SetControl(control);
    link->SetItem(b);
  }
  user.SetUserPaintStyle(TdxBarPaintStyle::psCaption);
  userControl->Notices.clear();
  struct Row {
    const char* Change;
    std::function<void()> Apply;
    int Rebuilds;
    std::vector<String> Notices;
  } rows[] = {
      {"Lowered", [&] { b->SetLowered(true); }, 2, {}},
      {"DropDownEnabled", [&] { b->SetDropDownEnabled(false); }, 0, {"repaint"}},
      {"PaintStyle", [&] { b->SetPaintStyle(TdxBarPaintStyle::psCaptionGlyph); }, 0, {"paint style"}},
      {"ShortCut", [&] { b->SetShortCut(0x4053); }, 0, {}},
      {"GlyphLayout", [&] { b->SetGlyphLayout(glLeft); }, 2, {}},
      {"Height", [&] { b->SetHeight(60); }, 2, {}},
      {"Width", [&] { b->SetWidth(80); }, 2, {}},
      {"ShowCaption", [&] { b->SetShowCaption(false); }, 2, {}},
      {"AutoGrayScale", [&] { b->SetAutoGrayScale(false); }, 0, {"repaint"}},
      {"HotImageIndex", [&] { b->SetHotImageIndex(1); }, 0, {"hot"}},
      {"HotGlyph", [&] { b->HotGlyph()->SetSize(16, 16); }, 0, {"hot"}},
  };
  for (const Row& r : rows) {
    bar.Rebuilds = 0;
    ownControl->Notices.clear();
    r.Apply();
    EXPECT_EQ(bar.Rebuilds, r.Rebuilds) << r.Change << ": once per link";
    EXPECT_EQ(ownControl->Notices, r.Notices) << r.Change;
  }
  EXPECT_TRUE(std::find(userControl->Notices.begin(), userControl->Notices.end(), "paint style") == userControl->Notices.end())
      << "a link with its own paint style keeps it";

  // While loading the values are only stored.
  TLoadingLargeButton loading(Form);
  TdxBarItemLink link;
  auto* control = new TNoticeControl;
  control->SetParent(&bar);
  link.SetControl(control);
  link.SetItem(&loading);
  bar.Rebuilds = 0;
  loading.SetLowered(true);
  loading.SetShowCaption(false);
  loading.SetDropDownEnabled(false);
  loading.SetPaintStyle(TdxBarPaintStyle::psCaption);
  EXPECT_EQ(bar.Rebuilds, 0);
  EXPECT_TRUE(control->Notices.empty());
  loading.FinishLoading();
}

TEST_F(BarButtonTest, ValuesTheActionHoldsAreNotStored) {
  TAction* action = new TAction(Form);
  action->SetName("aBold");
  action->SetChecked(true);
  action->SetImageIndex(2);
  action->SetShortCut(0x4042);
  action->SetOnExecute([](TObject*) {});
  TdxBarButton* linked = Button("Linked", bsChecked);
  linked->SetAction(action);
  EXPECT_TRUE(linked->Down()) << "Down follows Checked";
  action->SetChecked(false);
  EXPECT_FALSE(linked->Down());
  action->SetChecked(true);
  TdxBarButton* own = Button("Own", bsChecked);
  own->SetAction(action);
  own->SetImageIndex(5);
  auto* large = Button<TdxBarLargeButton>("Large");
  large->SetAction(action);
  EXPECT_EQ(large->LargeImageIndex(), 2) << "an action sets the large image";
  EXPECT_EQ(large->ImageIndex(), 2);
  String text = ComponentToFormText(Form);
  auto section = [&text](const String& name) {
    auto start = text.find("object " + name + ":");
    return text.substr(start, text.find("end", start) - start);
  };
  for (const char* value : {"Down", "ImageIndex", "ShortCut", "OnClick"})
    EXPECT_EQ(section("Linked").find(String(value) + " ="), String::npos) << value << "\n" << text;
  EXPECT_NE(section("Own").find(" ImageIndex = 5"), String::npos) << text;
  EXPECT_EQ(section("Large").find("ImageIndex ="), String::npos) << text;
}

TEST_F(BarButtonTest, ShortcutsToggleCheckButtonsThenClick) {
  std::vector<String> log;
  M->OnClickItem = [&](TdxBarManager*, TdxBarItem* item) {
    log.push_back("item:" + item->Name() + (static_cast<TdxBarButton*>(item)->Down() ? " down" : " up"));
  };
  TdxBarButton* check = Button("Bold", bsChecked);
  check->SetShortCut(0x4042);
  check->SetOnClick([&](TObject*) { log.push_back("click"); });
  check->SetEnabled(false);
  EXPECT_FALSE(check->HandleShortCut(0x4042));
  EXPECT_FALSE(check->Down());
  EXPECT_TRUE(log.empty());

  check->SetEnabled(true);
  EXPECT_TRUE(check->HandleShortCut(0x4042));
  EXPECT_EQ(log, (std::vector<String>{"item:Bold down", "click"}));
  check->ClickFromKeyboard();
  EXPECT_FALSE(check->Down());

  // A shortcut of an item in the drop-down menu reaches it through the button.
  TdxBarButton* inner = Button("Inner");
  inner->SetShortCut(0x4049);
  int innerClicks = 0;
  inner->SetOnClick([&](TObject*) { ++innerClicks; });
  TdxBarButton* opener = Button("Opener", bsDropDown);
  EXPECT_EQ(opener->ItemLinks(), nullptr);
  EXPECT_FALSE(opener->HandleShortCut(0x4049));
  opener->SetDropDownMenu(Menu("Popup", {inner}));
  EXPECT_TRUE(opener->HandleShortCut(0x4049));
  EXPECT_EQ(innerClicks, 1);
}

TEST_F(BarButtonTest, ADropDownMenuRefusesRecursionAndFollowsItsMenusEnd) {
  // The button is in the menu itself, or two sub-menus down.
  TdxBarButton* b = Button("B", bsDropDown);
  TRecordingPopupMenu* direct = Menu("Direct", {b});
  TdxBarButton* x2 = Button("X2", bsDropDown);
  x2->SetDropDownMenu(Menu("Third", {b}));
  TdxBarButton* x1 = Button("X1", bsDropDown);
  x1->SetDropDownMenu(Menu("Second", {x2}));
  TRecordingPopupMenu* deep = Menu("First", {x1});
  TRecordingPopupMenu* current = Menu("Current");
  b->SetDropDownMenu(current);
  for (TdxBarPopupMenu* menu : {static_cast<TdxBarPopupMenu*>(direct), static_cast<TdxBarPopupMenu*>(deep)}) {
    try {
      b->SetDropDownMenu(menu);
      ADD_FAILURE() << menu->Name() << " was taken";
    } catch (const EdxException& e) {
      EXPECT_EQ(e.Message(), "You cannot create recursive menus");
    }
    EXPECT_EQ(b->DropDownMenu(), current) << menu->Name();
  }
  // The other way round: a menu refuses a button whose drop-down reaches that menu.
  TdxBarButton* y = Button("Y", bsDropDown);
  y->SetDropDownMenu(Menu("Inner", {Button("Z")}));
  static_cast<TdxBarButton*>(y->ItemLinks()->Items(0)->Item())->SetDropDownMenu(current);
  String error;
  EXPECT_FALSE(y->AcceptsDropDownItem(y, error));
  EXPECT_EQ(error, "You cannot create recursive menus");
  EXPECT_FALSE(current->CanLinkItem(y, error));
  EXPECT_EQ(error, "You cannot create recursive menus");
  EXPECT_THROW(current->ItemLinks()->AddItem(y), EdxException);
  EXPECT_EQ(current->ItemLinks()->Count(), 0);
  EXPECT_TRUE(b->AcceptsDropDownItem(Button("Fine"), error));
  EXPECT_EQ(b->DropDownMenuControl(), nullptr);

  // Freeing the previous menu leaves the current one; freeing the current one clears it.
  b->SetDropDownMenu(nullptr);
  TRecordingPopupMenu* previous = Menu("Previous");
  b->SetDropDownMenu(previous);
  b->SetDropDownMenu(current);
  delete previous;
  EXPECT_EQ(b->DropDownMenu(), current);
  delete current;
  EXPECT_EQ(b->DropDownMenu(), nullptr);
  EXPECT_FALSE(b->AcceptsDropDownItem(x1, error));
}

TEST_F(BarButtonTest, DropDownPlacesTheMenuForItsControl) {
  TdxBarButton* b = Button("B", bsDropDown);
  TRecordingPopupMenu* menu = Menu("Popup", {Button("First"), Button("Second")});
  b->SetDropDownMenu(menu);
  TdxBarItemLinks* toolbarLinks = M->Bars()->Add()->ItemLinks();
  toolbarLinks->AddItem(b);
  auto* toolbar = Show(new TTestToolbar(M), toolbarLinks, 90, 40);
  toolbarLinks->Items(0)->SetItemRect(TRect{10, 10, 33, 32});  // at screen (100, 50), 23 x 22
  auto* control = dynamic_cast<TdxBarButtonControl*>(toolbarLinks->Items(0)->Control());
  ASSERT_NE(control, nullptr);

  struct Row {
    const char* Where;
    bool Vertical, Joins;
    int OwnerWidth, OwnerHeight;
    TRect Bounds;
  } rows[] = {
      {"horizontal toolbar", false, false, 0, 22, {}},
      {"joined to its item", false, true, 0, 22, {100, 50, 123, 72}},
      {"vertical toolbar", true, false, 23, 0, {}},
  };
  for (const Row& r : rows) {
    toolbar->Vertical = r.Vertical;
    toolbar->Joins = r.Joins;
    control->SetAnimateNextDropDown(r.Joins);
    menu->Shown.clear();
    b->DropDown(control, 100, 72, true);
    ASSERT_EQ(menu->Shown.size(), 1u) << r.Where;
    const auto& s = menu->Shown[0];
    EXPECT_EQ(s.At, (TPoint{100, 72})) << r.Where;
    EXPECT_EQ(s.OwnerWidth, r.OwnerWidth) << r.Where;
    EXPECT_EQ(s.OwnerHeight, r.OwnerHeight) << r.Where;
    EXPECT_EQ(s.OwnerBounds, r.Bounds) << r.Where;
    EXPECT_EQ(s.Animation, r.Joins) << r.Where;
    EXPECT_FALSE(s.OwnLoop) << r.Where;
    EXPECT_EQ(s.OwnerControl, toolbar) << r.Where;
    EXPECT_EQ(s.OwnerItem, control) << "the owner item control while it opens";
    EXPECT_EQ(menu->OwnerItemControl(), nullptr) << "and no longer afterwards";
    EXPECT_EQ(menu->OwnerWidth(), 0);
    EXPECT_TRUE(menu->UseOwnMessageLoop());
  }

  // Showing fails: the owner item control is cleared all the same.
  menu->Fail = true;
  EXPECT_THROW(b->DropDown(control, 100, 72, true), Exception);
  EXPECT_EQ(menu->Shown.back().OwnerItem, control);
  EXPECT_EQ(menu->OwnerItemControl(), nullptr);
  menu->Fail = false;

  // From a menu, by keyboard: beside the button, the first link selected, the menu its child.
  TdxBarButton* inMenu = Button("InMenu", bsDropDown);
  inMenu->SetDropDownMenu(menu);
  TRecordingPopupMenu* outer = Menu("Outer", {inMenu});
  auto* parent = Show(new TTestMenuWindow(M), outer->ItemLinks(), 90, 40);
  outer->ItemLinks()->Items(0)->SetItemRect(TRect{10, 10, 33, 32});
  auto* menuControl = dynamic_cast<TdxBarButtonControl*>(outer->ItemLinks()->Items(0)->Control());
  ASSERT_NE(menuControl, nullptr);
  menu->MakeWindow = true;
  menu->Shown.clear();
  inMenu->DropDown(menuControl, 123, 50, false);
  ASSERT_EQ(menu->Shown.size(), 1u);
  EXPECT_EQ(menu->Shown[0].OwnerWidth, 23);
  EXPECT_EQ(menu->Shown[0].OwnerHeight, 0);
  EXPECT_EQ(menu->Shown[0].OwnerBounds, TRect{}) << "a menu never joins";
  ASSERT_NE(menu->Window, nullptr);
  EXPECT_EQ(inMenu->DropDownMenuControl(), menu->Window);
  EXPECT_EQ(menu->Window->DropDownButton(), menuControl);
  ASSERT_NE(menu->Window->SelectedLink(), nullptr);
  EXPECT_EQ(menu->Window->SelectedLink(), menu->ItemLinks()->Items(0));
  EXPECT_EQ(parent->ChildBar(), menu->Window);
  TObject::Free(menu->Window);
  menu->Window = nullptr;

  // By mouse nothing is selected; without a menu nothing shows.
  menu->Shown.clear();
  inMenu->DropDown(menuControl, 123, 50, true);
  EXPECT_EQ(menu->Window->SelectedLink(), nullptr);
  inMenu->SetDropDownMenu(nullptr);
  b->SetDropDownMenu(nullptr);
  inMenu->DropDown(menuControl, 123, 50, true);
  EXPECT_EQ(menu->Shown.size(), 1u);
  TObject::Free(parent);
  TObject::Free(toolbar);
}

TEST_F(BarButtonTest, AcceleratorsReachOnlyButtonsShowingTheirCaption) {
  dxBarItemControlFactory = [](TdxBarItemLink*) { return new TImageAwareButtonControl; };
  TdxBarButton* open = Button("Open");
  open->SetCaption("&Open");
  open->SetImageIndex(0);  // glyph only on a toolbar
  TdxBarButton* save = Button("Save");
  save->SetCaption("&Save");
  save->SetImageIndex(1);
  save->SetPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
  TdxBarButton* print = Button("Print");
  print->SetCaption("&Print");  // no image: standard shows the caption on a toolbar
  TdxBarItemLinks* links = M->Bars()->Add()->ItemLinks();
  for (TdxBarItem* item : {open, save, print}) links->AddItem(item);
  auto* toolbar = Show(new TTestToolbar(M), links, 100, 100);
  for (int i = 0; i < links->Count(); ++i) links->Items(i)->SetItemRect(TRect{i * 30, 0, i * 30 + 28, 22});

  EXPECT_EQ(links->FindAccelerator('O', {}, nullptr), nullptr);
  EXPECT_EQ(links->FindAccelerator('S', {}, nullptr), links->Items(1));
  EXPECT_EQ(links->FindAccelerator('P', {}, nullptr), links->Items(2));
  links->Items(0)->SetUserPaintStyle(TdxBarPaintStyle::psCaption);
  EXPECT_EQ(links->FindAccelerator('O', {}, nullptr), links->Items(0)) << "the link's own paint style";
  save->SetEnabled(false);
  EXPECT_FALSE(save->IsReachable(links->Items(1)));

  TdxBarItemLinks* unshown = M->Bars()->Add()->ItemLinks();
  unshown->AddItem(print);
  EXPECT_FALSE(print->IsReachable(unshown->Items(0))) << "no control to show the caption";

  TdxBarItemLinks* menuLinks = Menu("Popup", {open})->ItemLinks();
  EXPECT_EQ(menuLinks->FindAccelerator('O', {}, nullptr), menuLinks->Items(0)) << "menus show every caption";

  // A large button needs its caption shown on a toolbar.
  auto* large = Button<TdxBarLargeButton>("Large");
  large->SetPaintStyle(TdxBarPaintStyle::psCaption);
  links->AddItem(large);
  TdxBarItemLink* largeLink = links->Items(links->Count() - 1);
  EXPECT_TRUE(large->IsReachable(largeLink));
  large->SetShowCaption(false);
  EXPECT_FALSE(large->IsReachable(largeLink));
  menuLinks->AddItem(large);
  EXPECT_TRUE(large->IsReachable(menuLinks->Items(1)));
  TObject::Free(toolbar);
}

TEST_F(BarButtonTest, TheLargeImageIndexLeadsTheSmallOne) {
  // Loaded with only LargeImageIndex; then by hand.
  TLoadingLargeButton b(Form);
  b.SetLargeImageIndex(5);
  b.FinishLoading();
  EXPECT_EQ(b.ImageIndex(), 5);
  EXPECT_TRUE(b.SyncImageIndex());
  b.SetLargeImageIndex(6);
  EXPECT_EQ(b.ImageIndex(), 6);
  b.SetImageIndex(7);
  EXPECT_FALSE(b.SyncImageIndex());
  EXPECT_EQ(b.LargeImageIndex(), 6);
  b.SetSyncImageIndex(true);
  EXPECT_EQ(b.ImageIndex(), 6);

  // Defaults, owned hot glyph, sizes.
  TdxBarLargeButton d(Form);
  EXPECT_TRUE(d.AutoGrayScale());
  EXPECT_TRUE(d.ShowCaption());
  EXPECT_EQ(d.HotImageIndex(), -1);
  EXPECT_FALSE(d.HasImage());
  EXPECT_FALSE(d.HasHotImage());
  d.SetHotImageIndex(2);
  EXPECT_TRUE(d.HasHotImage());
  d.SetImageIndex(3);
  EXPECT_FALSE(d.HasImage()) << "only the large image counts";
  d.SetHeight(40);
  d.SetHeight(-1);
  EXPECT_EQ(d.Height(), 40);
  EXPECT_TRUE(d.UnclickAfterDoing());
  EXPECT_TRUE(d.CloseSubMenuOnClick());
  EXPECT_TRUE(d.DropDownEnabled());
  EXPECT_EQ(d.DefaultCaption(), "New Button");
}

TEST_F(BarButtonTest, FormDescriptionsKeepTheIndexesAndDownButtons) {
  RegisterClassesOf<TdxBarManager, TdxBarButton, TdxBarLargeButton, TRecordingPopupMenu>();
  Button("Opener", bsDropDown)->SetDropDownMenu(Menu("Popup"));
  auto* synced = Button<TdxBarLargeButton>("Synced");
  synced->SetLargeImageIndex(5);
  auto* apart = Button<TdxBarLargeButton>("Apart");
  apart->SetLargeImageIndex(5);
  apart->SetImageIndex(7);
  ASSERT_FALSE(apart->SyncImageIndex());
  TdxBarButton* b1 = Button("B1", bsChecked, 1);
  Button("B2", bsChecked, 1);
  b1->SetDown(true);
  String text = ComponentToFormText(Form);
  auto section = [](const String& s, const String& name) {
    auto start = s.find("object " + name + ":");
    return start == String::npos ? String() : s.substr(start, s.find("end", start) - start);
  };
  EXPECT_NE(section(text, "Synced").find("LargeImageIndex = 5"), String::npos) << text;
  EXPECT_EQ(section(text, "Synced").find(" ImageIndex ="), String::npos) << "not written while in step:\n" << text;
  EXPECT_NE(section(text, "Apart").find("SyncImageIndex = False"), String::npos) << text;
  EXPECT_NE(section(text, "Apart").find(" ImageIndex = 7"), String::npos) << text;

  // Two down buttons of one group (as an older form may hold them) and an older large button that
  // stored ImageIndex alone.
  String b2 = section(text, "B2");
  text.replace(text.find(b2), b2.size(), b2 + "  Down = True\n    ");
  String old = section(text, "Synced");
  String older = old;
  older.replace(older.find("LargeImageIndex = 5"), 19, "ImageIndex = 4");
  text.replace(text.find(old), old.size(), older);
  while (Form->ComponentCount() > 0) delete Form->Components(Form->ComponentCount() - 1);
  FormTextToComponent(text, Form);

  auto* syncedAgain = dynamic_cast<TdxBarLargeButton*>(Form->FindComponent("Synced"));
  auto* apartAgain = dynamic_cast<TdxBarLargeButton*>(Form->FindComponent("Apart"));
  ASSERT_NE(syncedAgain, nullptr);
  ASSERT_NE(apartAgain, nullptr);
  EXPECT_EQ(syncedAgain->LargeImageIndex(), 4);
  EXPECT_EQ(syncedAgain->ImageIndex(), 4);
  EXPECT_TRUE(syncedAgain->SyncImageIndex());
  EXPECT_EQ(apartAgain->LargeImageIndex(), 5);
  EXPECT_EQ(apartAgain->ImageIndex(), 7);
  EXPECT_FALSE(apartAgain->SyncImageIndex());
  auto* b1Again = dynamic_cast<TdxBarButton*>(Form->FindComponent("B1"));
  auto* b2Again = dynamic_cast<TdxBarButton*>(Form->FindComponent("B2"));
  ASSERT_NE(b2Again, nullptr);
  EXPECT_TRUE(b1Again->Down());
  EXPECT_TRUE(b2Again->Down()) << "loading keeps both";
  EXPECT_EQ(b2Again->GroupIndex(), 1);
  auto* opener = dynamic_cast<TdxBarButton*>(Form->FindComponent("Opener"));
  ASSERT_NE(opener, nullptr);
  EXPECT_EQ(opener->ButtonStyle(), bsDropDown);
  EXPECT_EQ(opener->DropDownMenu(), Form->FindComponent("Popup"));
  EXPECT_NE(opener->DropDownMenu(), nullptr);
}

TEST_F(BarButtonTest, TheApplicationMenuProxyShowsAndClicksItsSource) {
  TdxBarButton* save = Button("Save");
  save->SetCaption("Save");
  save->SetHint("Saves the wall");
  save->SetImageIndex(3);
  int clicks = 0;
  save->SetOnClick([&](TObject*) { ++clicks; });
  auto* proxy = new TdxBarApplicationMenuButtonItem(Form);
  EXPECT_EQ(proxy->Visible(), ivNever);
  proxy->SetCaption("Own");
  int ownClicks = 0;
  proxy->SetOnClick([&](TObject*) { ++ownClicks; });
  proxy->SetSourceButton(save);
  EXPECT_EQ(proxy->Caption(), "Save");
  EXPECT_EQ(proxy->Hint(), "Saves the wall");
  EXPECT_EQ(proxy->ImageIndex(), 3);
  EXPECT_EQ(proxy->Visible(), ivAlways);
  save->SetEnabled(false);
  EXPECT_FALSE(proxy->Enabled());
  save->SetEnabled(true);
  proxy->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(ownClicks, 0);

  delete save;
  EXPECT_EQ(proxy->SourceButton(), nullptr);
  EXPECT_EQ(proxy->Caption(), "Own");
  EXPECT_EQ(proxy->Visible(), ivNever);
  proxy->Click();
  EXPECT_EQ(ownClicks, 1);
  EXPECT_EQ(clicks, 1);
}

}  // namespace
