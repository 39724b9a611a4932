// The customization dialog's lists on a dialog stand-in: the run-time selection controller, the
// toolbars list driven by injected mouse and keys, the categories list at run time and at design
// time (dragging a category), and the commands list's hot tracking, erase and drag onto a toolbar.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/system/Clock.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarCustomizationLists.h"
#include "ui/bars/BarItem.h"

using namespace win;

namespace {

// Records what the lists ask of their dialog and refreshes a list as the dialog does.
class TTestListsOwner : public IdxBarCustomizationListsOwner {
 public:
  TdxBarManager* Manager = nullptr;
  TdxBarCustomizationFormPainterClass Painter = TdxBarCustomizationFormStandardPainter::Class();
  TListBox *BarsList = nullptr, *CategoriesList = nullptr, *ItemsList = nullptr;
  std::vector<TdxBarCustomizationListAction> Actions;
  int Pushes = 0, Syncs = 0, ToolBarUpdates = 0, ItemUpdates = 0, Popups = 0;
  String Description;

  TdxBarManager* CustomizedBarManager() override { return Manager; }
  TdxBarCustomizationFormPainterClass PainterClass() override { return Painter; }
  TCustomListBox* CategoriesListBox() override { return CategoriesList; }
  TCustomListBox* ItemsListBox() override { return ItemsList; }
  TColor ListSeparatorColor() override { return clBtnFace; }
  void RefreshList(TCustomListBox* AListBox, TObject*, int) override {
    AListBox->Items()->Clear();
    AListBox->Perform(DXBAR_FILLLIST, 0, 0);
    AListBox->Perform(DXBAR_SYNCSELECTION, 0, 0);
  }
  void PushSelectionToDesigner(TCustomListBox*) override { ++Pushes; }
  void SyncSelectionFromDesigner(TCustomListBox*) override { ++Syncs; }
  void UpdateToolBarActions() override { ++ToolBarUpdates; }
  void UpdateItemActions() override { ++ItemUpdates; }
  void ExecuteListAction(TdxBarCustomizationListAction AAction) override { Actions.push_back(AAction); }
  void PopupListMenu(TCustomListBox*, const TPoint&) override { ++Popups; }
  void SetDescription(const String& AText) override { Description = AText; }
};

// A designer that only records the selection it is given.
class TRecordingDesigner : public IdxBarDesigner {
 public:
  bool CanDeleteComponent(TComponent*) override { return true; }
  void GetSelection(TList*) override {}
  int GetSelectionStatus(TPersistent*) override { return 0; }
  void SelectComponent(TPersistent*, int) override {}
  void SetSelection(TList*) override {}
  void DesignerAction(TComponent* AComponent) override { Actions.push_back(AComponent); }
  String UniqueName(const String& ABaseName) override { return ABaseName; }
  std::vector<TComponent*> Actions;
};

class TListsDialog : public TForm {
  VW_CLASS(TListsDialog, TForm)
 public:
  explicit TListsDialog(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class BarCustomizationListsTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    Application->CreateForm(Dialog);
    Dialog->SetBounds(40, 420, 560, 300);
    Owner.Manager = M;
    Owner.BarsList = NewList(8, 8, 160, 120);
    Owner.CategoriesList = NewList(180, 8, 120, 200);
    Owner.ItemsList = NewList(310, 8, 200, 200);
    Dialog->Show();
    Pump();
  }
  void TearDown() override {
    delete BarsHelper;
    delete CategoriesHelper;
    delete ItemsHelper;
    TObject::Free(Dialog);
    BarToolbarFixture::TearDown();
  }
  TListBox* NewList(int L, int T, int W, int H) {
    auto* list = new TListBox(Dialog);
    list->SetParent(Dialog);
    list->SetBounds(L, T, W, H);
    return list;
  }
  void MakeHelpers() {
    BarsHelper = new TdxBarCustomizationFormBarListHelper(&Owner, Owner.BarsList);
    CategoriesHelper = new TdxBarCustomizationFormCategoryListHelper(&Owner, Owner.CategoriesList);
    ItemsHelper = new TdxBarCustomizationFormItemsListHelper(&Owner, Owner.ItemsList);
    for (TListBox* list : {Owner.BarsList, Owner.CategoriesList}) Owner.RefreshList(list, nullptr, 0);
    Owner.RefreshList(Owner.ItemsList, nullptr, 0);
    Pump();
  }
  // The screen point of a list's client point.
  static TPoint OnList(TCustomListBox* L, int X, int Y) {
    POINT p = L->ClientToScreen(POINT{X, Y});
    return {p.x, p.y};
  }
  void MoveTo(TPoint P) {
    Headless().InjectMouseMove(P.X, P.Y);
    Pump();
  }
  void Press(int AButton = 1) {
    Headless().InjectMouseButton(AButton, true);
    Pump();
    Headless().InjectMouseButton(AButton, false);
    Pump();
  }
  void Key(unsigned AKey) {
    Headless().InjectKey(AKey, true);
    Headless().InjectKey(AKey, false);
    Pump();
  }
  static platform::HeadlessControl& Headless() { return *platform::Headless(); }

  platform::ScopedVirtualClock Clock;
  TListsDialog* Dialog = nullptr;
  TTestListsOwner Owner;
  TdxBarCustomizationFormBarListHelper* BarsHelper = nullptr;
  TdxBarCustomizationFormCategoryListHelper* CategoriesHelper = nullptr;
  TdxBarCustomizationFormItemsListHelper* ItemsHelper = nullptr;
};

// ---- the run-time selection -------------------------------------------------------------------

TEST_F(BarCustomizationListsTest, TheRunTimeSelectionHoldsOneBarAndOneItem) {
  TdxBar* bar1 = AddToolbar<TdxBar>("One", dsTop, 1, 100, 30);
  TdxBar* bar2 = AddToolbar<TdxBar>("Two", dsTop, 1, 100, 30);
  TFixtureItem* item1 = NewItem(M, "Item1");
  TFixtureItem* item2 = NewItem(M, "Item2");
  TdxBarRunTimeSelectionController controller;
  int changes = 0;
  controller.OnSelectionChanged = [&](TObject*, TcxCollectionChangeKind) { ++changes; };
  auto selection = [&] {
    TList list;
    controller.GetSelection(&list);
    std::vector<TObject*> result;
    for (int i = 0; i < list.Count(); ++i) result.push_back(static_cast<TObject*>(list.Items(i)));
    return result;
  };

  controller.SelectComponent(bar1, 0);
  controller.SelectComponent(item1, 2);
  controller.SelectComponent(bar2, 0);
  EXPECT_EQ(selection(), (std::vector<TObject*>{item1, bar2})) << "the second bar replaces the first, the item stays";
  EXPECT_EQ(controller.GetSelectionStatus(bar2), 1);
  EXPECT_EQ(controller.GetSelectionStatus(bar1), 0);
  EXPECT_TRUE(controller.IsComponentSelected(item1));

  changes = 0;
  controller.SelectComponent(item2, 1);
  controller.SelectComponent(bar1, 3);
  controller.SelectComponent(bar2, 0);
  EXPECT_EQ(changes, 0) << "other operations, and selecting what is selected, change nothing";
  EXPECT_EQ(selection(), (std::vector<TObject*>{item1, bar2}));

  TList three;
  three.Add(bar1);
  three.Add(item2);
  three.Add(item1);
  controller.SetSelection(&three);
  EXPECT_EQ(changes, 1) << "one change for the whole list";
  EXPECT_EQ(selection(), (std::vector<TObject*>{bar1, item1}));

  delete item1;
  EXPECT_EQ(selection(), (std::vector<TObject*>{bar1})) << "a freed component leaves the selection";
  EXPECT_TRUE(controller.CanDeleteComponent(bar1));
  EXPECT_EQ(controller.UniqueName("dxBarButton"), "");
}

// ---- toolbars ---------------------------------------------------------------------------------

TEST_F(BarCustomizationListsTest, TheBarsListTogglesByTheSquareByDoubleClickAndBySpace) {
  TdxBar* menu = AddToolbar<TdxBar>("Menu", dsTop, 1, 100, 30);
  TdxBar* tools = AddToolbar<TdxBar>("Tools", dsTop, 1, 100, 30);
  menu->SetIsMainMenu(true);
  MakeHelpers();
  TListBox* list = Owner.BarsList;
  ASSERT_EQ(list->Items()->Count(), 2);
  const int h = list->ItemHeight();
  EXPECT_GT(h, 2);
  EXPECT_FALSE(list->MultiSelect()) << "multi-select only at design time";
  enum TInput { SinglePress, DoublePress, Space };
  struct TCase {
    const char* Name;
    int Entry;
    int X;  // client x of the press: in the square or on the caption
    TInput Input;
    int Toggles;
    int Beeps;
  } cases[] = {
      {"single press in the square", 1, h / 2, SinglePress, 1, 0},
      {"single press on the caption", 1, h + 20, SinglePress, 0, 0},
      {"double-click on the caption", 1, h + 20, DoublePress, 1, 0},
      {"double-click in the square toggles once", 1, h / 2, DoublePress, 1, 0},
      {"Space", 1, h + 20, Space, 1, 0},
      {"the main menu in its square", 0, h / 2, SinglePress, 0, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TdxBar* bar = c.Entry == 0 ? menu : tools;
    const bool before = bar->Visible();
    Headless().ClearBeeps();
    Clock->Advance(1000);  // no double-click with the case before
    MoveTo(OnList(list, c.X, c.Entry * h + h / 2));
    Press();
    if (c.Input == DoublePress) Press();
    if (c.Input == Space) Key(VK_SPACE);
    EXPECT_EQ(bar->Visible() != before, c.Toggles % 2 == 1);
    EXPECT_EQ(static_cast<int>(Headless().Beeps().size()), c.Beeps);
  }
  EXPECT_GT(Owner.Pushes, 0) << "clicks push the selection to the designer";

  Key(VK_INSERT);
  Key(VK_DELETE);
  EXPECT_EQ(Owner.Actions, (std::vector<TdxBarCustomizationListAction>{claNewToolBar, claDeleteToolBar}));
  list->Perform(DXBAR_UPDATEACTIONS, 0, 0);
  EXPECT_EQ(Owner.ToolBarUpdates, 1);
  tools->SetCaption("Renamed");
  list->Perform(DXBAR_FILLLIST, reinterpret_cast<WPARAM>(tools), 1);
  EXPECT_EQ(list->Items()->Strings(1), "Renamed") << "one entry rebuilt in place";
}

TEST_F(BarCustomizationListsTest, AHelperGivesTheProcedureBackAndOutlivesItsList) {
  int seen = 0;
  Owner.BarsList->WindowProc = [&, proc = Owner.BarsList->WindowProc](TMessage& Message) {
    if (Message.Msg == DXBAR_FILLLIST) ++seen;
    proc(Message);
  };
  auto* helper = new TdxBarCustomizationFormBarListHelper(&Owner, Owner.BarsList);
  Owner.BarsList->Perform(DXBAR_FILLLIST, 0, 0);
  EXPECT_EQ(seen, 1) << "the message goes on to the procedure it replaced";
  delete helper;
  Owner.BarsList->Perform(DXBAR_UPDATEACTIONS, 0, 0);
  EXPECT_EQ(Owner.ToolBarUpdates, 0) << "the saved procedure is back";

  helper = new TdxBarCustomizationFormBarListHelper(&Owner, Owner.BarsList);
  TObject::Free(Owner.BarsList);
  Owner.BarsList = nullptr;
  EXPECT_EQ(helper->ListBox(), nullptr);
  delete helper;  // the list went first: nothing of it is touched
}

TEST_F(BarCustomizationListsTest, HiddenBarsAreListedOnlyAtDesignTime) {
  AddToolbar<TdxBar>("Shown", dsTop, 1, 100, 30);
  TdxBar* hidden = AddToolbar<TdxBar>("Hidden", dsTop, 1, 100, 30);
  hidden->SetHidden(true);
  MakeHelpers();
  EXPECT_EQ(Owner.BarsList->Items()->Count(), 1);
}

// ---- categories -------------------------------------------------------------------------------

TEST_F(BarCustomizationListsTest, TheCategoriesListHidesInvisibleCategoriesAtRunTime) {
  M->Categories()->Add("Edit");
  M->Categories()->Add("View");
  M->SetCategoryVisible(1, false);
  NewItem(M, "InView", 2)->SetCaption("In view");
  MakeHelpers();
  TListBox* list = Owner.CategoriesList;
  ASSERT_EQ(list->Items()->Count(), 2);
  EXPECT_EQ(list->Items()->Strings(1), "View");
  EXPECT_EQ(list->ItemIndex(), 0) << "the first entry is selected";
  EXPECT_EQ(CategoriesHelper->CategoryIndexOf(1), 2) << "entries map to the visible categories";

  list->SetItemIndex(1);
  MoveTo(OnList(list, 10, list->ItemHeight() + 4));
  Press();
  ASSERT_EQ(Owner.ItemsList->Items()->Count(), 1) << "a click refreshes the commands list";
  EXPECT_EQ(Owner.ItemsList->Items()->Strings(0), "InView");
}

TEST_F(BarCustomizationListsTest, AtDesignTimeDraggingACategoryMovesItInTheManager) {
  TRecordingDesigner designer;
  M->SetDesigning(true);
  M->SetDesigner(&designer);
  M->Categories()->Add("Edit");
  M->Categories()->Add("View");
  TFixtureItem* editItem = NewItem(M, "EditItem", 1);
  MakeHelpers();
  TListBox* list = Owner.CategoriesList;
  ASSERT_EQ(list->Items()->Count(), 3);
  const int h = list->ItemHeight();
  MoveTo(OnList(list, 10, h + h / 2));
  Headless().InjectMouseButton(1, true);
  Pump();
  for (int y : {h + 2, h / 2 + 2, h / 2}) MoveTo(OnList(list, 12, y));
  MoveTo(OnList(list, 12, 3 * h + 40));  // below the last entry: nothing under the mouse
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(M->Categories()->Strings(0), "Edit");
  EXPECT_EQ(list->Items()->Strings(0), "Edit");
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(editItem->Category(), 0) << "the items follow their category";

  Key(VK_INSERT);
  Key(VK_DELETE);
  EXPECT_EQ(Owner.Actions, (std::vector<TdxBarCustomizationListAction>{claInsertCategory, claDeleteCategory}));
  M->SetDesigner(nullptr);
}

// ---- commands ---------------------------------------------------------------------------------

TEST_F(BarCustomizationListsTest, TheCommandsListTracksTheMouseAndErasesOnlyBelowItsEntries) {
  M->Categories()->Add("Tools");
  for (int i = 0; i < 3; ++i) {
    auto* button = new TdxBarButton(Form);
    button->SetName("Cmd" + std::to_string(i));
    button->SetCaption("Command " + std::to_string(i));
    button->SetDescription("Does " + std::to_string(i));
    button->SetCategory(0);
  }
  MakeHelpers();
  TListBox* list = Owner.ItemsList;
  ASSERT_EQ(list->Items()->Count(), 3);
  EXPECT_EQ(list->ItemHeight(), 22);
  EXPECT_FALSE(list->ControlStyle().Contains(csCaptureMouse));
  EXPECT_TRUE(list->ControlStyle().Contains(csOpaque));

  MoveTo(OnList(list, 30, 22 * 2 + 5));
  EXPECT_EQ(list->ItemIndex(), 2) << "moving selects without a click";
  EXPECT_EQ(Owner.Description, "Does 2");
  MoveTo(OnList(list, 30, 22 + 5));
  EXPECT_EQ(list->ItemIndex(), 1);

  // The erase paints below the entries only.
  HDC dc = GetDC(list->Handle());
  RECT entries{0, 0, 50, 66};
  HBRUSH marker = CreateSolidBrush(RGB(1, 2, 3));
  FillRect(dc, &entries, marker);
  RECT below{0, 66, 50, 80};
  FillRect(dc, &below, marker);
  DeleteObject(marker);
  list->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 10, 65), RGB(1, 2, 3));
  EXPECT_EQ(GetPixel(dc, 10, 70), ColorToRGB(list->Color()));
  ReleaseDC(list->Handle(), dc);
}

TEST_F(BarCustomizationListsTest, AtDesignTimeTheCommandsListRunsItsKeysPopupAndDesignerAction) {
  TRecordingDesigner designer;
  M->SetDesigning(true);
  M->SetDesigner(&designer);
  auto* command = new TdxBarButton(Form);
  command->SetName("Cmd");
  command->SetCategory(0);
  MakeHelpers();
  TListBox* list = Owner.ItemsList;
  ASSERT_EQ(list->Items()->Count(), 1);
  EXPECT_TRUE(list->MultiSelect());
  MoveTo(OnList(list, 30, 11));
  // A left press asks the system whether a drag begins, and waits for the release.
  for (int i = 0; i < 4; ++i) Headless().InjectMouseButton(1, i % 2 == 0);
  Pump();
  EXPECT_EQ(designer.Actions, (std::vector<TComponent*>{command})) << "a double-click runs the designer action";
  Press(3);
  EXPECT_EQ(Owner.Popups, 1) << "the right button's release opens the commands popup";
  list->SetFocus();
  for (unsigned key : {VK_INSERT, VK_DELETE}) Key(key);
  for (unsigned key : {VK_UP, VK_DOWN}) {
    Headless().InjectKey(VK_CONTROL, true);
    Key(key);
    Headless().InjectKey(VK_CONTROL, false);
    Pump();
  }
  EXPECT_EQ(Owner.Actions,
            (std::vector<TdxBarCustomizationListAction>{claAddItem, claDeleteItem, claMoveUpItem, claMoveDownItem}));
  EXPECT_EQ(list->ItemIndex(), 0) << "Ctrl+Up and Ctrl+Down are consumed";
  M->SetDesigner(nullptr);
}

TEST_F(BarCustomizationListsTest, DraggingACommandOntoAToolbarAddsALink) {
  SetSystemMetricOverride(SM_CXDRAG, 4);
  SetSystemMetricOverride(SM_CYDRAG, 4);
  TdxBar* bar = AddToolbar<TdxBar>("Target", dsTop, 1, 100, 30);
  M->Categories()->Add("Tools");
  auto* command = new TdxBarButton(Form);
  command->SetName("Dragged");
  command->SetCaption("Dragged");
  command->SetCategory(0);
  M->SetCustomizing(true);
  MakeHelpers();
  TListBox* list = Owner.ItemsList;
  ASSERT_EQ(list->Items()->Count(), 1);
  TdxBarControl* window = bar->Control();
  ASSERT_TRUE(window);
  RECT target;
  GetWindowRect(window->Handle(), &target);

  MoveTo(OnList(list, 30, 11));
  // The drag detection sees the first move; the manager's drag loop, which swallows what was queued
  // before it, gets the rest from a timer ticking inside it.
  static std::vector<TPoint> steps;
  static std::size_t next;
  steps = {{target.right - 6, (target.top + target.bottom) / 2}, {target.right - 5, (target.top + target.bottom) / 2}};
  next = 0;
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR, DWORD) {
    if (next < steps.size()) {
      Headless().InjectMouseMove(steps[next].X, steps[next].Y);
      ++next;
    } else if (next++ == steps.size()) {
      Headless().InjectMouseButton(1, false);
    }
  });
  Headless().InjectMouseButton(1, true);
  const TPoint away = OnList(list, 40, 11);
  Headless().InjectMouseMove(away.X, away.Y);
  Pump();
  KillTimer(nullptr, timer);
  Pump();
  ASSERT_EQ(bar->ItemLinks()->Count(), 2);
  EXPECT_EQ(bar->ItemLinks()->Items(1)->Item(), command);
  EXPECT_GT(Owner.Pushes, 0) << "the entry went to the designer first";
  M->SetCustomizing(false);
}

}  // namespace
