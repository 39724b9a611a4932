#include "ui/bars/BarItem.h"

#include <memory>

#include "platform/classes/ActnList.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/StdCtrls.h"
#include "platform/classes/Streams.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubItem.h"
#include "ui/controls/LibraryStrings.h"

namespace {

// An item control that records the notices it gets.
class TRecordingControl : public TdxBarItemControl {
  VW_CLASS(TRecordingControl, TdxBarItemControl)
 public:
  std::vector<String> Notices;
  void CaptionChanged() override { Notices.push_back("caption"); }
  void EnabledChanged() override { Notices.push_back("enabled"); }
  void GlyphChanged() override { Notices.push_back("glyph"); }
  void HotGlyphChanged() override { Notices.push_back("hot"); }
  void LargeGlyphChanged() override { Notices.push_back("large"); }
  void WidthChanged() override { Notices.push_back("width"); }
  void DropImageCache(bool AResetLayout) override { Notices.push_back(AResetLayout ? "drop+layout" : "drop"); }
  void Invalidate() override { Notices.push_back("repaint"); }
  void ApplyStyle() override { Notices.push_back("style"); }
};

// A bar window of a given kind that counts its rebuilds.
class TRecordingBar : public TdxBarControl {
  VW_CLASS(TRecordingBar, TdxBarControl)
 public:
  explicit TRecordingBar(int AKind = 0) : TdxBarControl(nullptr), Kind(AKind) {}
  int BarKind() const override { return Kind; }
  bool IsActive() const override { return Active; }
  TdxBarItemControl* CurrentControl() const override { return Current; }
  void RebuildRecreating() override { ++Rebuilds; }
  int Kind;
  bool Active = false;
  TdxBarItemControl* Current = nullptr;
  int Rebuilds = 0;
};

class TRecordingLink : public TdxBarItemLink {
  VW_CLASS(TRecordingLink, TdxBarItemLink)
 public:
  using TdxBarItemLink::TdxBarItemLink;
  void RecreateControl() override { ++Recreations; }
  void VisibleChanged() override { ++VisibilityChecks; }
  int Recreations = 0;
  int VisibilityChecks = 0;
};

// A link on a bar window of the kind, with a recording control.
struct Shown {
  std::unique_ptr<TRecordingBar> bar;
  TRecordingControl* control;  // the link owns its control
  std::unique_ptr<TRecordingLink> link;
  Shown(TdxBarItem* item, int kind) : bar(new TRecordingBar(kind)), control(new TRecordingControl), link(new TRecordingLink) {
    control->SetParent(bar.get());
    control->SetItemLink(link.get());
    link->SetControl(control);
    link->SetItem(item);
  }
};

class TUnregisteredButton : public TdxBarButton {
  VW_CLASS(TUnregisteredButton, TdxBarButton)
 public:
  explicit TUnregisteredButton(TComponent* AOwner) : TdxBarButton(AOwner) {}
};

// A button the tests can put into and take out of the loading state.
class TLoadingButton : public TdxBarButton {
  VW_CLASS(TLoadingButton, TdxBarButton)
 public:
  explicit TLoadingButton(TComponent* AOwner) : TdxBarButton(AOwner) {}
  void StartLoading() { IncludeState(csLoading); }
  void FinishLoading() {
    ExcludeState(csLoading);
    Loaded();
  }
};

// Records what the manager's loading-action counter reads while the action's values come in.
class TCountingButton : public TLoadingButton {
  VW_CLASS(TCountingButton, TLoadingButton)
 public:
  explicit TCountingButton(TComponent* AOwner) : TLoadingButton(AOwner) {}
  void ApplyActionProperties(TBasicAction* AAction, bool ADefaultsOnly) override {
    CounterSeen = BarManager()->LoadingActionCount();
    DefaultsOnlySeen = ADefaultsOnly;
    TLoadingButton::ApplyActionProperties(AAction, ADefaultsOnly);
  }
  int CounterSeen = -1;
  bool DefaultsOnlySeen = false;
};

class TLoadingAction : public TAction {
  VW_CLASS(TLoadingAction, TAction)
 public:
  explicit TLoadingAction(TComponent* AOwner) : TAction(AOwner) { IncludeState(csLoading); }
};

class BarItemTest : public BarItemFixture {
 protected:
  TdxBarManager* NewManager() { return new TdxBarManager(Form); }
};

TEST_F(BarItemTest, CreationFindsTheManagerOrWorksWithout) {
  // No manager anywhere: every operation still works.
  auto* lone = new TdxBarButton(Form);
  EXPECT_EQ(lone->BarManager(), nullptr);
  int clicks = 0;
  lone->SetOnClick([&](TObject*) { ++clicks; });
  lone->Click();
  EXPECT_EQ(clicks, 1);
  TAction action(nullptr);
  action.SetCaption("&Open");
  lone->SetAction(&action);
  EXPECT_EQ(lone->Caption(), "&Open");
  lone->SetVisible(ivNever);
  lone->SetEnabled(false);
  EXPECT_FALSE(lone->Enabled());
  Shown shown(lone, 0);
  delete lone;
  EXPECT_EQ(shown.link->Item(), nullptr);

  // The owner's manager, else the first manager alive.
  TdxBarManager* m = NewManager();
  auto* mine = new TdxBarButton(Form);
  EXPECT_EQ(mine->BarManager(), m);
  EXPECT_EQ(m->ItemList()->IndexOf(mine), m->ItemCount() - 1);
  TItemFixtureForm* other = nullptr;
  Application->CreateForm(other);
  auto* stranger = new TdxBarLabel(other);
  EXPECT_EQ(stranger->BarManager(), m);
  EXPECT_TRUE(stranger->ShowCaption());
  auto* owned = new TdxBarSeparator(m);
  EXPECT_EQ(owned->BarManager(), m);
  // The initial values.
  EXPECT_EQ(mine->Category(), -1);
  EXPECT_EQ(mine->ImageIndex(), -1);
  EXPECT_EQ(mine->LargeImageIndex(), -1);
  EXPECT_EQ(mine->GlyphLayout(), glTop);
  EXPECT_EQ(mine->Visible(), ivAlways);
  EXPECT_TRUE(mine->Selectable());
  EXPECT_TRUE(mine->UnclickAfterDoing());
  EXPECT_FALSE(TdxBarLabel(nullptr).UnclickAfterDoing());
  EXPECT_EQ(TdxBarEdit(nullptr).Width(), 100);
  mine->SetMergeOrder(-5);
  EXPECT_EQ(mine->MergeOrder(), 0);
  TObject::Free(other);
}

TEST_F(BarItemTest, ClicksGoThroughTheManagerThenTheHandlerOrTheAction) {
  TdxBarManager* m = NewManager();
  std::vector<String> log;
  m->OnClickItem = [&](TdxBarManager*, TdxBarItem* item) { log.push_back("item:" + item->Name()); };
  auto* b = new TdxBarButton(Form);
  b->SetName("b");
  TAction action(Form);
  action.SetOnExecute([&](TObject*) { log.push_back("execute"); });
  b->SetAction(&action);
  ASSERT_TRUE(b->SameHandlerAsAction());
  b->Click();
  EXPECT_EQ(log, (std::vector<String>{"item:b", "execute"}));  // once, through the action

  log.clear();
  b->SetOnClick([&](TObject*) { log.push_back("own"); });
  b->Click();
  EXPECT_EQ(log, (std::vector<String>{"item:b", "own"}));

  // A new handler of the action reaches an item that still had the old one.
  auto* c = new TdxBarButton(Form);
  c->SetAction(&action);
  action.SetOnExecute([&](TObject*) { log.push_back("second"); });
  log.clear();
  c->Click();
  EXPECT_EQ(log, (std::vector<String>{"item:", "second"}));

  log.clear();
  b->SetEnabled(false);
  b->Click();
  EXPECT_TRUE(log.empty());

  // Keyboard clicks only for items that click directly; the shortcut alike.
  c->SetShortCut(0x404F);
  EXPECT_TRUE(c->HandleShortCut(0x404F));
  EXPECT_FALSE(c->HandleShortCut(0x4050));
  auto* edit = new TdxBarEdit(Form);
  int editClicks = 0;
  edit->SetOnClick([&](TObject*) { ++editClicks; });
  edit->ClickFromKeyboard();
  EXPECT_EQ(editClicks, 0);

  // A handler that frees the item: nothing touches it afterwards.
  auto* doomed = new TdxBarButton(Form);
  doomed->SetOnClick([doomed](TObject*) { delete doomed; });
  doomed->Click();
  auto* doomed2 = new TdxBarButton(Form);
  m->OnClickItem = [doomed2](TdxBarManager*, TdxBarItem*) { delete doomed2; };
  int after = 0;
  doomed2->SetOnClick([&](TObject*) { ++after; });
  doomed2->Click();
  EXPECT_EQ(after, 0);
}

TEST_F(BarItemTest, HandlersBoundByOneNameInOneFormAreTheSame) {
  auto* action = new TAction(Form);
  action->SetName("aOpen");
  auto* item = new TdxBarButton(Form);
  item->SetAction(action);
  // Named alike in one form: the same handler even when set apart.
  item->SetOnClick([](TObject*) {});
  item->SetEventHandlerName("OnClick", "OpenExecute");
  action->SetOnExecute([](TObject*) {});
  action->SetEventHandlerName("OnExecute", "OpenExecute");
  EXPECT_TRUE(item->SameHandlerAsAction());
  action->SetEventHandlerName("OnExecute", "OtherExecute");
  EXPECT_FALSE(item->SameHandlerAsAction());
  // Reassigning in code forgets the name.
  action->SetEventHandlerName("OnExecute", "OpenExecute");
  item->SetOnClick([](TObject*) {});
  EXPECT_FALSE(item->SameHandlerAsAction());
}

TEST_F(BarItemTest, EnabledReadsTrueForCategorizedItemsWhileCustomizing) {
  TdxBarManager* m = NewManager();
  auto* inCategory = new TdxBarButton(Form);
  inCategory->SetCategory(0);
  auto* loose = new TdxBarButton(Form);
  inCategory->SetEnabled(false);
  loose->SetEnabled(false);
  m->SetCustomizing(true);
  EXPECT_TRUE(inCategory->Enabled());
  EXPECT_FALSE(loose->Enabled());
  m->SetCustomizing(false);
  EXPECT_FALSE(inCategory->Enabled());
}

TEST_F(BarItemTest, TheHintFollowsTheCaption) {
  NewManager();
  struct Case {
    const char* oldCaption;
    const char* oldHint;
    const char* newHint;
  } cases[] = {
      {"", "", "Open"},
      {"&Save", "Save|Saves the file", "Open|Saves the file"},
      {"&Save", "Save", "Open"},
      {"&Save", "Other", "Other"},
      {"&Save", "Other|Long", "Other|Long"},
  };
  for (const Case& c : cases) {
    TdxBarButton item(Form);
    item.SetCaption(c.oldCaption);
    item.SetHint(c.oldHint);
    item.SetCaption("&Open...");
    EXPECT_EQ(item.Hint(), c.newHint) << c.oldCaption << " / " << c.oldHint;
    EXPECT_EQ(item.StrippedCaption(), "Open");
  }
  TdxBarSubItem sub(Form);
  sub.SetCaption("&Open...");
  EXPECT_EQ(sub.Hint(), "");
  TLoadingButton loading(Form);
  loading.StartLoading();
  loading.SetCaption("&Open...");
  EXPECT_EQ(loading.Hint(), "");
  EXPECT_EQ(loading.Caption(), "&Open...");
}

TEST_F(BarItemTest, ACategoryMovesTheItemRightAfterTheCategorysLastItem) {
  TCountingBarManager* m = NewCountingManager();
  m->Categories()->Add("Second");
  auto* a = NewItem(m, "a", 0);
  auto* b = NewItem(m, "b", 1);
  NewItem(m, "c", 0);
  auto* d = NewItem(m, "d", 1);
  auto order = [m] {
    String s;
    for (int i = 0; i < m->ItemCount(); ++i) s += m->Items(i)->Name();
    return s;
  };
  ASSERT_EQ(order(), "abcd");
  // Category 1's last item (d) stands after a: a lands right after d.
  a->SetCategory(1);
  EXPECT_EQ(order(), "bcda");
  EXPECT_EQ(a->Category(), 1);
  // Category 0's last item (c) stands before d: d lands right after c.
  d->SetCategory(0);
  EXPECT_EQ(order(), "bcda");
  b->SetCategory(0);
  EXPECT_EQ(order(), "cdba");
  // Beyond the list: nothing moves, nothing is stored.
  b->SetCategory(5);
  EXPECT_EQ(order(), "cdba");
  EXPECT_EQ(b->Category(), 0);
}

TEST_F(BarItemTest, NoticesReachTheControlsThePropertyConcerns) {
  NewManager();
  auto* item = new TdxBarButton(Form);
  Shown plain(item, 0), own(item, 2);
  own.link->SetUserDefine({udCaption, udGlyph, udWidth});
  own.control->Notices.clear();
  auto take = [](Shown& s) {
    auto n = s.control->Notices;
    s.control->Notices.clear();
    return n;
  };
  using V = std::vector<String>;
  item->SetCaption("X");
  EXPECT_EQ(take(plain), V{"caption"});
  EXPECT_EQ(take(own), V{});
  item->SetImageIndex(3);
  EXPECT_EQ(take(plain), (V{"drop+layout", "glyph"}));
  EXPECT_EQ(take(own), V{});
  item->SetLargeImageIndex(3);
  EXPECT_EQ(take(own), (V{"drop+layout", "large"}));
  item->SetEnabled(false);
  EXPECT_EQ(take(own), (V{"drop", "enabled"}));
  EXPECT_EQ(take(plain), (V{"drop+layout", "large", "drop", "enabled"}));
  item->SetWidth(-1);
  item->SetWidth(40);
  EXPECT_EQ(take(plain), V{"width"});
  EXPECT_EQ(take(own), V{});

  // A shortcut rebuilds menus only; the current control of an active window does not rebuild it.
  item->SetShortCut(0x4041);
  EXPECT_EQ(plain.bar->Rebuilds, 0);
  EXPECT_EQ(own.bar->Rebuilds, 1);
  own.bar->Active = true;
  own.bar->Current = own.control;
  item->RecalcParents(dxBarAllKinds);
  EXPECT_EQ(plain.bar->Rebuilds, 1);
  EXPECT_EQ(own.bar->Rebuilds, 1);
  item->RefreshControls();
  EXPECT_EQ(take(plain), V{"repaint"});
  EXPECT_EQ(take(own), V{});

  // The item's visibility reaches every link inside one manager update.
  item->SetVisible(ivNever);
  EXPECT_EQ(plain.link->VisibilityChecks, 1);
  EXPECT_FALSE(item->IsVisibleNow());
  item->SetVisible(ivInCustomizing);
  EXPECT_FALSE(item->IsVisibleNow());
  item->BarManager()->SetCustomizing(true);
  EXPECT_TRUE(item->IsVisibleNow());
  item->BarManager()->SetCustomizing(false);
  delete item;
  EXPECT_EQ(plain.link->Item(), nullptr);
}

TEST_F(BarItemTest, StyleChangesReportOnceByTheirStrongestKind) {
  NewManager();
  auto* item = new TdxBarEdit(Form);
  Shown shown(item, 0);
  auto* style = new TcxStyle(Form);
  // One style in two slots is observed once.
  auto* data = new TdxBarItemStylesData(item, 2, [&](TdxBarItemStyleChange) {});
  data->SetStyles(0, style);
  data->SetStyles(1, style);
  EXPECT_EQ(style->ObserverCount(), 1);
  data->SetStyles(0, nullptr);
  EXPECT_EQ(style->ObserverCount(), 1);
  data->SetStyles(1, nullptr);
  EXPECT_EQ(style->ObserverCount(), 0);
  delete data;

  item->SetStyle(style);
  shown.control->Notices.clear();
  style->SetColor(clRed);
  EXPECT_EQ(shown.control->Notices, (std::vector<String>{"style", "repaint"}));
  EXPECT_EQ(shown.link->Recreations, 0);

  // Font and colour in one bracket: one layout report.
  shown.control->Notices.clear();
  item->StylesData()->BeginChange();
  style->SetColor(clBlue);
  style->Font()->SetName("Arial");
  item->StylesData()->EndChange();
  EXPECT_EQ(shown.link->Recreations, 1);
  EXPECT_EQ(shown.bar->Rebuilds, 1);
  EXPECT_TRUE(shown.control->Notices.empty());
  // Setting the same colour again is no change.
  style->SetColor(clBlue);
  EXPECT_TRUE(shown.control->Notices.empty());

  // A style freed while referenced empties its slots with one report.
  shown.control->Notices.clear();
  delete style;
  EXPECT_EQ(item->Style(), nullptr);
  EXPECT_EQ(shown.link->Recreations, 2);
  delete item;
}

TEST_F(BarItemTest, ActionsFillTheItemAndLinkedValuesStayWithTheAction) {
  NewManager();
  TAction action(Form);
  action.SetCaption("A");
  action.SetHint("Open a file");
  action.SetImageIndex(4);
  action.SetShortCut(0x404F);
  action.SetHelpContext(7);

  // Loaded reapplies the action in defaults-only mode: an own caption stays.
  TLoadingButton own(Form), empty(Form);
  for (TLoadingButton* b : {&own, &empty}) {
    b->StartLoading();
    b->SetAction(&action);
  }
  int loaded = 0;
  own.OnLoaded = [&](TObject*) { ++loaded; };
  own.SetCaption("X");
  own.FinishLoading();
  empty.FinishLoading();
  EXPECT_EQ(own.Caption(), "X");
  EXPECT_EQ(empty.Caption(), "A");
  EXPECT_EQ(empty.Hint(), "Open a file");
  EXPECT_EQ(empty.ImageIndex(), 4);
  EXPECT_EQ(empty.ShortCut(), 0x404F);
  EXPECT_EQ(loaded, 1);

  // Changes of the action reach only values still linked.
  action.SetCaption("B");
  EXPECT_EQ(empty.Caption(), "B");
  EXPECT_EQ(own.Caption(), "X");
  action.SetVisible(false);
  EXPECT_EQ(empty.Visible(), ivNever);
  action.SetVisible(true);
  EXPECT_EQ(empty.Visible(), ivAlways);

  // A client that is no item is refused.
  TEdit notAnItem(nullptr);
  EXPECT_THROW(TdxBarItemActionLink link(&notAnItem), EInvalidCast);

  // Assigning to an action: ivInCustomizing leaves Visible alone.
  TAction target(nullptr);
  own.SetVisible(ivInCustomizing);
  own.SetOnClick([](TObject*) {});
  target.Assign(&own);
  EXPECT_EQ(target.Caption(), "X");
  EXPECT_TRUE(target.Visible());
  EXPECT_EQ(target.ShortCut(), 0x404F);
  EXPECT_TRUE(static_cast<bool>(target.OnExecute()));

  // Freeing the action clears it from the item.
  auto* shortLived = new TAction(Form);
  empty.SetAction(shortLived);
  delete shortLived;
  EXPECT_EQ(empty.Action(), nullptr);
}

TEST_F(BarItemTest, AFormDescriptionLeavesLinkedValuesToTheAction) {
  TdxBarManager* m = NewManager();
  m->SetName("dxBarManager1");
  Form->SetName("ItemForm");
  auto* action = new TAction(Form);
  action->SetName("aOpen");
  action->SetCaption("&Open");
  action->SetHint("Opens");
  auto* item = new TdxBarButton(Form);
  item->SetName("bOpen");
  item->SetCategory(0);
  item->SetAction(action);
  auto* own = new TdxBarButton(Form);
  own->SetName("bOwn");
  own->SetCategory(0);
  own->SetAction(action);
  own->SetCaption("Mine");

  TMemoryStream binary;
  binary.WriteDescendent(Form, nullptr);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  String s = text.DataString();
  auto section = [&s](const String& name) {
    auto start = s.find("object " + name);
    if (start == String::npos) return String();
    return s.substr(start, s.find("end", start) - start);
  };
  EXPECT_EQ(section("bOpen").find("Caption"), String::npos) << s;
  EXPECT_EQ(section("bOpen").find("Hint"), String::npos) << s;
  EXPECT_NE(section("bOpen").find("Action = aOpen"), String::npos) << s;
  EXPECT_NE(section("bOwn").find("Caption = 'Mine'"), String::npos) << s;

  delete own;
  delete item;
  delete action;
  delete m;
  RegisterClassesOf<TAction, TdxBarManager>();
  binary.SetPosition(0);
  binary.ReadComponent(Form);
  auto* again = dynamic_cast<TdxBarButton*>(Form->FindComponent("bOpen"));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->Caption(), "&Open");
  EXPECT_EQ(again->Hint(), "Opens");
  EXPECT_EQ(again->Category(), 0);
  EXPECT_EQ(dynamic_cast<TdxBarButton*>(Form->FindComponent("bOwn"))->Caption(), "Mine");
}

TEST_F(BarItemTest, AssignCopiesThroughTheSettersAndALoadingActionIsCounted) {
  TdxBarManager* m = NewManager();
  TLoadingAction loadingAction(Form);
  loadingAction.SetCaption("L");
  TCountingButton counted(Form);
  counted.SetAction(&loadingAction);
  EXPECT_EQ(counted.CounterSeen, 1);
  EXPECT_TRUE(counted.DefaultsOnlySeen);
  EXPECT_EQ(m->LoadingActionCount(), 0);

  TdxBarButton source(Form), copy(Form);
  source.SetCaption("&Print");
  source.SetDescription("Prints");
  source.SetCategory(0);
  source.SetMergeOrder(3);
  source.SetImageIndex(2);
  source.SetShortCut(0x4050);
  source.SetVisible(ivInCustomizing);
  int clicks = 0;
  source.SetOnClick([&](TObject*) { ++clicks; });
  copy.Assign(&source);
  EXPECT_EQ(copy.Caption(), "&Print");
  EXPECT_EQ(copy.Hint(), "Print");
  EXPECT_EQ(copy.Description(), "Prints");
  EXPECT_EQ(copy.Category(), 0);
  EXPECT_EQ(copy.MergeOrder(), 3);
  EXPECT_EQ(copy.ImageIndex(), 2);
  EXPECT_EQ(copy.ShortCut(), 0x4050);
  EXPECT_EQ(copy.Visible(), ivInCustomizing);
  copy.Click();
  EXPECT_EQ(clicks, 1);

  // Destruction: OnDestroy comes first, while the links are still there.
  auto* doomed = new TdxBarButton(Form);
  TdxBarSubMenuControlItemLinks links;
  links.AddItem(doomed);
  int linksAtDestroy = -1;
  doomed->OnDestroy = [&](TObject* Sender) { linksAtDestroy = static_cast<TdxBarItem*>(Sender)->LinkCount(); };
  delete doomed;
  EXPECT_EQ(linksAtDestroy, 1);
  EXPECT_EQ(links.Count(), 0);
}

TEST_F(BarItemTest, ControlClassesAndDesignActionsByKind) {
  TdxBarManager* m = NewManager();
  TdxBarButton button(Form);
  TdxBarLargeButton large(Form);
  TdxBarSubItem sub(Form);
  TdxBarSeparator separator(Form);
  TdxBarLabel label(Form);
  TUnregisteredButton unregistered(Form);
  TdxBarEdit edit(Form);
  EXPECT_EQ(button.ControlClass(false), TdxBarButtonControl::StaticClass());
  EXPECT_EQ(unregistered.ControlClass(false), nullptr);
  EXPECT_EQ(edit.ControlClass(false), TdxBarEditControl::StaticClass());
  EXPECT_EQ(edit.ControlClass(true), TdxBarButtonControl::StaticClass());

  String error;
  EXPECT_FALSE(separator.CanPlaceOn(0, nullptr, error));
  EXPECT_EQ(error, "A separator item cannot be placed on the specified toolbar");
  EXPECT_TRUE(separator.CanPlaceOn(1, nullptr, error));
  EXPECT_EQ(error, "");
  EXPECT_EQ(separator.DefaultCaption(), "New Separator");
  EXPECT_EQ(button.DefaultCaption(), "New Button");
  EXPECT_EQ(sub.DefaultCaption(), "New SubItem");
  EXPECT_EQ(label.DefaultCaption(), "New Item");
  // Only the plain sub-item has a caption of its own; list and container items are items.
  EXPECT_EQ(TdxBarListItem(Form).DefaultCaption(), "New Item");
  EXPECT_EQ(TdxBarContainerItem(Form).DefaultCaption(), "New Item");

  struct Row {
    TdxBarItem* item;
    unsigned run, design, customizingLink;
  } rows[] = {
      {&label, 1049, 2, 7903},
      {&button, 1049 | 0x20, 2 | 0x20 | 0x100, 7903 | 0x20 | 0x100},
      {&large, 1049 & ~0x20u, (2 | 0x100) & ~0x20u, (7903 | 0x100) & ~0x20u},
      {&sub, 1049, 2 | 0x100, 7903 | 0x100},
      {&separator, 1049 & ~0x1000u, 2, 7903 & ~0x1000u},
  };
  for (const Row& r : rows) EXPECT_EQ(r.item->AvailableActions(), r.run) << r.item->ClassName();
  m->SetDesigning(true);
  for (const Row& r : rows) EXPECT_EQ(r.item->AvailableActions(), r.design) << r.item->ClassName();
  TObject customized;
  BarDesignController()->CustomizingItemLink = &customized;
  for (const Row& r : rows) EXPECT_EQ(r.item->AvailableActions(), r.customizingLink) << r.item->ClassName();
  BarDesignController()->CustomizingItemLink = nullptr;
  m->SetDesigning(false);
}

TEST_F(BarItemTest, LinksLeaveUnderOneUpdateAndTheEntryPainterGetsAPlainCaption) {
  TCountingBarManager* m = NewCountingManager();
  auto* item = new TdxBarButton(Form);
  item->SetCaption("&Open...");
  TdxBar* bar = m->Bars()->Add();
  bar->ItemLinks()->AddItem(item);
  bar->ItemLinks()->AddItem(item);
  TRecordingBar window(0);
  auto* control = new TRecordingControl;  // the link owns it
  control->SetParent(&window);
  item->Links(0)->SetControl(control);
  ASSERT_EQ(item->LinkCount(), 2);
  EXPECT_EQ(item->Links(2), nullptr);
  EXPECT_EQ(item->Links(-1), nullptr);
  int before = m->Refreshes;
  item->DeleteAllLinks();
  EXPECT_EQ(item->LinkCount(), 0);
  EXPECT_EQ(bar->ItemLinks()->Count(), 0);
  EXPECT_EQ(m->Refreshes, before + 1);

  String painted;
  dxBarCustomizationEntryPainter = [&](TCanvas*, const win::RECT&, bool, TdxBarItem*, const String& caption, int) {
    painted = caption;
  };
  item->DrawCustomizationEntry(nullptr, win::RECT{}, false);
  dxBarCustomizationEntryPainter = nullptr;
  EXPECT_EQ(painted, "Open...");
  delete item;
}

}  // namespace
