// Toolbar definitions: their rules and docking state, rows, showing, the main menu, caption
// buttons, merging, resetting, assigning, the form description and the layout section.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Strings.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/MessageBox.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarScreenTips.h"
#include "ui/bars/BarStrings.h"
#include "ui/controls/LibraryStrings.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ObjectLinks.h"

namespace {

using namespace win;
using namespace dxBarStrs;

class TOtherForm : public TForm {
  VW_CLASS(TOtherForm, TForm)
 public:
  explicit TOtherForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class BarsTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    Form->SetName("MainForm");
    M = NewCountingManager();
    M->SetName("BarManager1");
  }
  TdxBar* NewBar(const String& Caption) {
    TdxBar* bar = M->Bars()->Add();
    bar->SetCaption(Caption);
    return bar;
  }
  static String Links(TdxBar* Bar) {
    String names;
    for (int i = 0; i < Bar->ItemLinks()->Count(); ++i)
      names += (Bar->ItemLinks()->Items(i)->Item() ? Bar->ItemLinks()->Items(i)->Item()->Name() : "-") + " ";
    return names;
  }
  static String ExceptionText(const std::function<void()>& Call) {
    try {
      Call();
    } catch (const EdxException& E) {
      return E.Message();
    }
    return "(none)";
  }

  TCountingBarManager* M = nullptr;
};

TEST_F(BarsTest, NamesDefaultsAndTheRulesOfTheValues) {
  TdxBar* bar = NewBar("Standard");
  EXPECT_EQ(bar->Name(), "BarManager1Bar1");
  EXPECT_EQ(bar->Owner(), Form);
  EXPECT_EQ(M->Bars()->Add()->Name(), "BarManager1Bar2");
  EXPECT_EQ(M->Bars()->DockZoneMargin(), 23);
  EXPECT_TRUE(bar->AllowClose());
  EXPECT_EQ(bar->BorderStyle(), bbsSingle);
  EXPECT_EQ(bar->DockedDockingStyle(), dsTop);
  EXPECT_EQ(bar->Color(), clDefault);
  EXPECT_EQ(bar->AlphaBlendValue(), 255);

  bar->SetDockedLeft(-5);
  bar->SetDockedTop(-7);
  bar->SetFloatLeft(-5);
  bar->SetFloatTop(-7);
  bar->SetRow(-3);
  EXPECT_EQ(bar->DockedLeft(), 0);
  EXPECT_EQ(bar->DockedTop(), 0);
  EXPECT_EQ(bar->FloatLeft(), -5);
  EXPECT_EQ(bar->FloatTop(), -7);
  EXPECT_EQ(bar->Row(), 0);

  const TdxBarDockingStyles all{dsNone, dsLeft, dsTop, dsRight, dsBottom};
  EXPECT_TRUE(bar->CanMove());
  bar->SetNotDocking(all);
  EXPECT_FALSE(bar->CanMove());
  bar->SetNotDocking({});
  M->SetNotDocking(all);
  EXPECT_FALSE(bar->CanMove());
  M->SetNotDocking({dsNone});
  EXPECT_TRUE(bar->CanMove());

  TdxBar* other = NewBar("Tools");
  other->SetCaption("Standard");
  EXPECT_EQ(other->Caption(), "Tools") << "a caption in use is refused";
  other->SetCaption("STANDARD");
  EXPECT_EQ(other->Caption(), "STANDARD") << "captions compare exactly";

  auto* otherForm = new TOtherForm(nullptr);
  auto* otherManager = new TdxBarManager(otherForm);
  auto* foreignSite = new TdxBarDockControl(otherForm);
  foreignSite->SetBarManager(otherManager);
  bar->SetDockControl(foreignSite);
  bar->SetDockedDockControl(foreignSite);
  EXPECT_EQ(bar->DockControl(), nullptr);
  EXPECT_EQ(bar->DockedDockControl(), nullptr);
  TObject::Free(otherForm);

  // A locked name keeps the name and records the new one.
  bar->SetNameLocked(true);
  bar->SetName("Renamed");
  bar->SetNameLocked(false);
  EXPECT_EQ(bar->Name(), "BarManager1Bar1");
  EXPECT_EQ(bar->OldName(), "Renamed");

  EXPECT_EQ(bar->NextBar(), M->Bars()->Items(1));
  EXPECT_EQ(other->NextBar(), bar) << "wraps";
}

TEST_F(BarsTest, MainMenuTakesTheFlagWholeRowAndMultiLine) {
  TdxBar* first = NewBar("Menu 1");
  TdxBar* second = NewBar("Menu 2");
  first->SetIsMainMenu(true);
  EXPECT_EQ(M->MainMenuBar(), first);
  const int refreshes = M->Refreshes;
  second->SetIsMainMenu(true);
  EXPECT_EQ(M->Refreshes, refreshes + 1) << "inside one update bracket";
  EXPECT_FALSE(first->IsMainMenu());
  EXPECT_FALSE(first->WholeRow());
  EXPECT_FALSE(first->MultiLine());
  EXPECT_TRUE(second->IsMainMenu());
  EXPECT_EQ(M->MainMenuBar(), second);
  EXPECT_TRUE(second->WholeRow());
  EXPECT_TRUE(second->MultiLine());
  second->SetMultiLine(false);
  EXPECT_TRUE(second->MultiLine()) << "the main menu keeps its lines";
  EXPECT_FALSE(second->IsClosable());
  TObject::Free(second);
  EXPECT_EQ(M->MainMenuBar(), nullptr);
}

TEST_F(BarsTest, DockingStyleAndSitesFollowEachOtherWithOneEventEach) {
  Form->HandleNeeded();
  auto* site = new TdxBarDockControl(Form);
  site->SetParent(Form);
  site->SetBarManager(M);
  site->SetAlign(dalLeft);
  TdxBar* bar = NewBar("Standard");
  int styleEvents = 0, visibleEvents = 0;
  M->OnBarDockingStyleChange = [&](TdxBarManager*, TdxBar*) { ++styleEvents; };
  M->OnBarVisibleChange = [&](TdxBarManager*, TdxBar*) { ++visibleEvents; };

  bar->SetDockingStyle(dsTop);
  EXPECT_EQ(bar->RealDockControl(), M->Bars()->DockControls(dsTop));
  bar->SetVisible(true);
  bar->SetVisible(true);
  EXPECT_EQ(visibleEvents, 1) << "once per real change";
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_EQ(bar->Control()->DockControl(), M->Bars()->DockControls(dsTop));
  EXPECT_EQ(bar->Control()->Parent(), M->Bars()->DockControls(dsTop));

  bar->SetDockControl(site);
  EXPECT_EQ(bar->DockingStyle(), dsLeft) << "the site's style";
  EXPECT_EQ(bar->Control()->DockControl(), site);
  EXPECT_EQ(bar->Control()->Parent(), site);
  EXPECT_EQ(styleEvents, 2);
  EXPECT_EQ(visibleEvents, 1) << "hidden and shown for the change without events";

  bar->SetDockingStyle(dsNone);
  EXPECT_EQ(bar->DockControl(), nullptr);
  EXPECT_EQ(bar->RealDockControl(), nullptr);
  EXPECT_EQ(bar->Control()->DockingStyle(), dsNone);
  EXPECT_EQ(bar->ItemLinks()->CollapsedCount(), -1);

  // A built-in site counts as none; a stand-alone one is taken.
  bar->SetDockingStyleAndControl(dsBottom, M->Bars()->DockControls(dsBottom));
  EXPECT_EQ(bar->DockingStyle(), dsBottom);
  EXPECT_EQ(bar->DockControl(), nullptr);
  bar->SetDockingStyleAndControl(dsLeft, site);
  EXPECT_EQ(bar->DockControl(), site);

  bar->SetVisible(false);
  EXPECT_EQ(bar->Control(), nullptr);
  EXPECT_EQ(visibleEvents, 2);
}

TEST_F(BarsTest, RowsAppendOneRowOutsideRestoringAndAreClampedWhileRestoring) {
  TdxBar* a = NewBar("A");
  TdxBar* b = NewBar("B");
  TdxDockControl* top = M->Bars()->DockControls(dsTop);
  a->SetDockingStyle(dsTop);
  b->SetDockingStyle(dsTop);
  a->SetRow(0);
  b->SetRow(1);
  ASSERT_EQ(top->RowCount(), 2);
  TdxBar* c = NewBar("C");
  c->SetDockingStyle(dsTop);
  c->SetRow(10);
  EXPECT_EQ(top->RowCount(), 3) << "a new last row, not the eleventh";
  EXPECT_EQ(c->Row(), 2);
  // Leaving a row that empties deletes it.
  b->SetRow(0);
  EXPECT_EQ(top->RowCount(), 2);
  EXPECT_EQ(c->Row(), 1);

  // While positions are restored rows are appended up to the index, within the toolbar count.
  for (TdxBar* bar : {a, b, c}) bar->LeaveDockRow();
  NewBar("D")->SetDockingStyle(dsBottom);
  NewBar("E")->SetDockingStyle(dsBottom);
  ASSERT_EQ(top->RowCount(), 0);
  M->BeginUpdate();
  a->SetRow(3);
  EXPECT_EQ(top->RowCount(), 4);
  EXPECT_EQ(a->Row(), 3);
  b->SetRow(2000000000);
  EXPECT_EQ(b->Row(), 4) << "five toolbars: clamped to the last possible row";
  EXPECT_EQ(top->RowCount(), 5);
  M->EndUpdate();
  EXPECT_EQ(top->RowCount(), 2) << "the empty rows go with the update";
}

TEST_F(BarsTest, CaptionButtonsStatesAndHits) {
  TdxBar* bar = NewBar("Floating");
  TdxBarCaptionButtons* buttons = bar->CaptionButtons();
  for (int i = 0; i < 3; ++i) buttons->Add()->SetRect(TRect(10 + 20 * i, 2, 28 + 20 * i, 18));
  TdxBarCaptionButton* disabled = buttons->Items(1);
  disabled->SetEnabled(false);
  EXPECT_EQ(disabled->State(), dxBarCaptionButtonDisabled);
  EXPECT_EQ(buttons->ButtonAtPoint(TPoint(35, 5)), -1) << "a disabled button is never found";
  EXPECT_EQ(buttons->ButtonAtPoint(TPoint(55, 5)), 2);
  EXPECT_EQ(buttons->ButtonAtPoint(TPoint(5, 5)), -1);
  EXPECT_EQ(buttons->Bounds(), TRect(10, 2, 68, 18));

  struct {
    TPoint At;
    bool Pressed;
    int States[3];
  } rows[] = {
      {{15, 5}, false, {2, 1, 0}},
      {{15, 5}, true, {4, 1, 0}},
      {{35, 5}, true, {0, 1, 0}},
      {{55, 5}, false, {0, 1, 2}},
      {{200, 5}, true, {0, 1, 0}},
  };
  for (const auto& row : rows) {
    buttons->UpdateStates(row.At, row.Pressed);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(buttons->Items(i)->State(), row.States[i]) << row.At.X << " button " << i;
  }
  buttons->Items(0)->SetKeyboardSelected(true);
  buttons->UpdateStates(TPoint(200, 5), false);
  EXPECT_EQ(buttons->Items(0)->State(), dxBarCaptionButtonHot) << "selected by keyboard";
  disabled->SetEnabled(true);
  EXPECT_EQ(disabled->State(), dxBarCaptionButtonNormal);

  // A screen tip freed elsewhere is dropped.
  auto* repository = new TdxBarScreenTipRepository(Form);
  TdxBarScreenTip* tip = repository->Items()->Add();
  buttons->Items(2)->SetScreenTip(tip);
  TObject::Free(tip);
  EXPECT_EQ(buttons->Items(2)->ScreenTip(), nullptr);
}

TEST_F(BarsTest, MergeAndUnmergeErrorsInOrder) {
  TdxBar* t = NewBar("Target");
  TdxBar* b = NewBar("Source");
  TdxBar* c = NewBar("Other");
  TdxBar* d = NewBar("Fourth");
  b->ItemLinks()->AddItem(NewItem(M, "Open"));
  t->ItemLinks()->AddItem(NewItem(M, "Save"));

  EXPECT_EQ(ExceptionText([&] { t->Merge(nullptr); }), "You cannot merge with the specified toolbar");
  EXPECT_EQ(ExceptionText([&] { t->Merge(t); }), "You cannot merge with the specified toolbar");
  t->Merge(b);
  EXPECT_EQ(Links(t), "Save Open ");
  EXPECT_EQ(ExceptionText([&] { t->Merge(b); }), "The 'Source' toolbar is already merged with the 'Target' toolbar");
  EXPECT_EQ(ExceptionText([&] { c->Merge(t); }), "The 'Target' toolbar has merged toolbars");
  EXPECT_EQ(ExceptionText([&] { b->Merge(d); }),
            "You cannot merge a toolbar with a toolbar that is already merged");
  EXPECT_EQ(ExceptionText([&] { b->Merge(nullptr); }),
            "You cannot merge a toolbar with a toolbar that is already merged")
      << "the first rule comes first, even for none";
  EXPECT_EQ(ExceptionText([&] { t->Unmerge(t); }), "You cannot unmerge the specified toolbar");
  EXPECT_EQ(ExceptionText([&] { c->Unmerge(b); }), "The 'Source' toolbar is not merged with the 'Other' toolbar");
  EXPECT_EQ(ExceptionText([&] { t->Unmerge(d); }), "(none)") << "merged nowhere: nothing";
  EXPECT_EQ(ExceptionText([&] { d->Unmerge(); }), "(none)");
}

TEST_F(BarsTest, MergingHidesAndUnmergingGivesTheVisibilityBack) {
  TdxBar* t = NewBar("Target");
  TdxBar* b = NewBar("Source");
  TdxBar* c = NewBar("Other");
  b->ItemLinks()->AddItem(NewItem(M, "Open"));
  b->SetVisible(true);
  c->Merge(b);
  EXPECT_FALSE(b->Visible());
  EXPECT_EQ(Links(c), "Open ");
  // Merged into another toolbar: it leaves the first one without showing in between.
  int shows = 0;
  M->OnBarVisibleChange = [&](TdxBarManager*, TdxBar* Bar) { shows += Bar == b && Bar->Visible(); };
  t->Merge(b);
  EXPECT_EQ(shows, 0);
  EXPECT_EQ(c->MergeData()->MergedBars().size(), 0u);
  EXPECT_EQ(Links(c), "");
  EXPECT_EQ(b->MergeData()->MergedWith, t);
  EXPECT_TRUE(b->MergeData()->VisibleBeforeMerging) << "the visibility before the first merge stays";
  t->Unmerge(b);
  EXPECT_TRUE(b->Visible());
  EXPECT_EQ(Links(t), "");
  EXPECT_EQ(b->MergeData()->MergedWith, nullptr);

  // The saved merge list forgets a freed toolbar; merging again takes the rest.
  TdxBar* e = NewBar("Extra");
  t->Merge(b);
  t->Merge(e);
  t->MergeData()->SaveMergedBars();
  t->Unmerge();
  EXPECT_EQ(t->MergeData()->SavedMergedBarCount(), 2);
  TObject::Free(e);
  EXPECT_EQ(t->MergeData()->SavedMergedBarCount(), 1);
  t->RemergeSavedBars();
  EXPECT_EQ(t->MergeData()->SavedMergedBarCount(), 0);
  EXPECT_EQ(b->MergeData()->MergedWith, t);
  t->UnmergeBarsOfManager(M);
  EXPECT_EQ(b->MergeData()->MergedWith, nullptr);
}

TEST_F(BarsTest, AToolbarCreatedByMergingGoesWhenEmptiedOrIsKeptHidden) {
  TdxBar* b = NewBar("Source");
  b->ItemLinks()->AddItem(NewItem(M, "Open"));
  TdxBar* kept = NewBar("Kept");
  kept->MergeData()->CreatedByMerging = true;
  kept->SetKeepWhenEmptied(true);
  kept->Merge(b);
  kept->SetVisible(true);
  kept->Unmerge(b);
  EXPECT_FALSE(kept->Visible());
  EXPECT_TRUE(kept->Hidden());
  EXPECT_TRUE(kept->MergeData()->VisibleBeforeHiding);

  TdxBar* made = NewBar("Made");
  made->MergeData()->CreatedByMerging = true;
  made->Merge(b);
  TcxObjectLinkScope alive(made);
  made->Unmerge(b);
  EXPECT_FALSE(alive.Alive()) << "freed once emptied";
  EXPECT_EQ(M->Bars()->Count(), 2);

  // Destroying it while it holds merged toolbars unmerges them without freeing it again.
  TdxBar* again = NewBar("Again");
  again->MergeData()->CreatedByMerging = true;
  again->Merge(b);
  TObject::Free(again);
  EXPECT_EQ(b->MergeData()->MergedWith, nullptr);
  EXPECT_EQ(M->Bars()->Count(), 2);
  // A merged toolbar that goes leaves its target's list.
  kept->Merge(b);
  TObject::Free(b);
  EXPECT_TRUE(kept->MergeData()->MergedBars().empty());
}

TEST_F(BarsTest, DeletingAVisibleToolbarWhoseHandlerReadsItsCaptionButtons) {
  TdxBar* bar = NewBar("Floating");
  bar->CaptionButtons()->Add();
  bar->SetVisible(true);
  std::vector<String> events;
  M->OnBarDelete = [&](TdxBarManager*, TdxBar*) { events.push_back("delete"); };
  M->OnBarVisibleChange = [&](TdxBarManager*, TdxBar* Bar) {
    events.push_back("visible " + IntToStr(Bar->CaptionButtons()->Count()) + " " +
                     IntToStr(static_cast<int>(Bar->MergeData()->MergedBars().size())));
  };
  TObject::Free(bar);
  EXPECT_EQ(events, (std::vector<String>{"delete", "visible 1 0"}));
  EXPECT_EQ(M->Bars()->Count(), 0);
}

TEST_F(BarsTest, ResetFindsTheSavedToolbarByCaptionAndAsksFirst) {
  TdxBar* bar = NewBar("Standard");
  TFixtureItem* open = NewItem(M, "Open");
  TFixtureItem* save = NewItem(M, "Save");
  bar->ItemLinks()->AddItem(open);
  bar->SetDockedLeft(40);
  // The designed layout as the manager keeps it.
  TMemIniFile* saved = M->SavedState();
  ASSERT_NE(saved, nullptr);
  const String base = dxBarLayoutSectionBase(M);
  EXPECT_EQ(base, "MainForm.BarManager1.");
  saved->WriteInteger(base + "Main", "BarCount", 1);
  bar->SaveToLayout(saved, base + "Bar0", false);
  bar->SetPredefined(true);
  EXPECT_TRUE(bar->CanReset());

  bar->ItemLinks()->AddItem(save);
  bar->SetDockedLeft(90);
  std::vector<String> events;
  M->OnBarBeforeReset = [&](TdxBarManager*, TdxBar*) { events.push_back("before " + Links(bar)); };
  M->OnBarAfterReset = [&](TdxBarManager*, TdxBar*) { events.push_back("after " + Links(bar)); };

  static int answer = IDCANCEL;
  static String asked;
  auto previous = TApplication::SetMessageBoxFunc([](HWND, const String& Text, const String&, int Flags) {
    asked = Text + (Flags == (MB_OKCANCEL | MB_ICONEXCLAMATION) ? " [ok-cancel, exclamation]" : " [?]");
    return answer;
  });
  bar->ResetWithConfirmation();
  EXPECT_EQ(asked, "Are you sure you want to reset the changes made to the 'Standard' toolbar? [ok-cancel, exclamation]");
  EXPECT_EQ(Links(bar), "Open Save ") << "cancelled";
  answer = IDOK;
  bar->ResetWithConfirmation();
  EXPECT_EQ(Links(bar), "Open ");
  EXPECT_EQ(bar->DockedLeft(), 90) << "the toolbar's own keys only with a full reset";
  EXPECT_EQ(events, (std::vector<String>{"before Open Save ", "after Open "}));

  M->SetUseFullReset(true);
  bar->Reset();
  EXPECT_EQ(bar->DockedLeft(), 40);

  // Renamed after loading: no saved toolbar has its caption.
  bar->ItemLinks()->AddItem(save);
  bar->SetCaption("Renamed");
  bar->Reset();
  EXPECT_EQ(Links(bar), "Open Save ");
  TApplication::SetMessageBoxFunc(previous);
}

TEST_F(BarsTest, AssignGivesAnEqualToolbarAndMakesItsWindowOnce) {
  auto* otherForm = new TOtherForm(nullptr);
  auto* other = new TdxBarManager(otherForm);
  TdxBar* source = other->Bars()->Add();
  source->SetCaption("Source");
  source->SetBorderStyle(bbsNone);
  source->SetDockedLeft(12);
  source->SetFloatLeft(-30);
  source->SetFloatClientWidth(120);
  source->SetHidden(true);
  source->SetDockingStyle(dsBottom);
  source->SetWholeRow(true);
  source->SetColor(clRed);
  source->CaptionButtons()->Add()->SetHint("Pin");
  source->SetVisible(true);

  TdxBar* copy = NewBar("Copy");
  int made = 0;
  M->OnBarVisibleChange = [&](TdxBarManager*, TdxBar* Bar) { made += Bar->Visible(); };
  copy->Assign(source);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(copy->Caption(), "Source");
  EXPECT_EQ(copy->BorderStyle(), bbsNone);
  EXPECT_EQ(copy->DockedLeft(), 0) << "a whole-row toolbar starts its row, and the site's layout writes that back";
  EXPECT_EQ(copy->FloatLeft(), -30);
  EXPECT_EQ(copy->FloatClientWidth(), 120);
  EXPECT_TRUE(copy->Hidden());
  EXPECT_EQ(copy->DockingStyle(), dsBottom);
  EXPECT_TRUE(copy->IsStatusBarLike());
  EXPECT_EQ(copy->Color(), clRed);
  ASSERT_EQ(copy->CaptionButtons()->Count(), 1);
  EXPECT_EQ(copy->CaptionButtons()->Items(0)->Hint(), "Pin");
  EXPECT_TRUE(copy->Visible());
  EXPECT_NE(copy->Control(), nullptr);
  TObject::Free(otherForm);
}

TEST_F(BarsTest, AFloatingToolbarShowsAtItsPlaceOnlyWhileItsFormMayShowIt) {
  TdxBar* bar = NewBar("Floating");
  bar->SetFloatLeft(120);
  bar->SetFloatTop(80);
  bar->SetVisible(true);
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_EQ(bar->Control()->Left(), 120);
  EXPECT_EQ(bar->Control()->Top(), 80);
  EXPECT_FALSE(bar->Control()->HandleAllocated() && IsWindowVisible(bar->Control()->Handle()))
      << "its form is not shown";
  bar->SetVisible(false);

  Form->Show();
  auto* other = new TOtherForm(nullptr);
  other->Show();
  SetActiveWindow(other->Handle());
  ASSERT_FALSE(Form->Active());
  bar->SetVisible(true);
  EXPECT_FALSE(IsWindowVisible(bar->Control()->Handle())) << "hidden with its inactive form";
  bar->SetVisible(false);
  M->SetHideFloatingBarsWhenInactive(false);
  bar->SetVisible(true);
  EXPECT_TRUE(IsWindowVisible(bar->Control()->Handle()));
  bar->SetFloatLeft(140);
  EXPECT_EQ(bar->Control()->Left(), 140) << "a stored position moves the window";
  bar->SetVisible(false);
  EXPECT_EQ(bar->FloatLeft(), 140) << "hiding writes the position back";
  TObject::Free(other);
}

TEST_F(BarsTest, SizeGripOnlyWhileTheBottomMeetsTheFormsClientBottom) {
  Form->Show();
  TdxBar* bar = NewBar("Status");
  bar->SetBorderStyle(bbsNone);
  bar->SetDockingStyle(dsBottom);
  bar->SetWholeRow(true);
  EXPECT_TRUE(bar->IsStatusBarLike());
  EXPECT_TRUE(bar->ShowsSizeGrip()) << "without a window the other conditions only";
  bar->SetSizeGrip(false);
  EXPECT_FALSE(bar->ShowsSizeGrip());
  bar->SetSizeGrip(true);

  TdxDockControl* site = M->Bars()->DockControls(dsBottom);
  bar->SetVisible(true);
  ASSERT_NE(bar->Control(), nullptr);
  bar->Control()->HandleNeeded();
  EXPECT_TRUE(bar->ShowsSizeGrip()) << "the site lays the window out along the form's bottom";
  bar->Control()->SetBounds(0, 0, 100, bar->Control()->Height() - 5);
  EXPECT_FALSE(bar->ShowsSizeGrip()) << "the window ends above its site's bottom";
  site->RequestLayout();
  site->SetAlign(alTop);
  EXPECT_FALSE(bar->ShowsSizeGrip()) << "the site ends above the form's bottom";
  site->SetAlign(alBottom);
  EXPECT_TRUE(bar->ShowsSizeGrip());
  Form->SetWindowState(wsMaximized);
  EXPECT_FALSE(bar->ShowsSizeGrip());
  Form->SetWindowState(wsNormal);
}

TEST_F(BarsTest, AFormDescriptionRoundTripsUnderTheStoredRules) {
  auto* site = new TdxBarDockControl(Form);
  site->SetName("DockControl1");
  site->SetParent(Form);
  site->SetBarManager(M);
  TdxBar* docked = NewBar("Docked");
  docked->SetDockControl(site);
  TdxBar* floating = NewBar("Floating");
  floating->SetFloatLeft(-20);
  floating->SetFloatTop(50);
  floating->Font()->SetSize(14);
  TdxBar* menu = NewBar("Menu");
  menu->SetDockingStyle(dsTop);
  menu->SetIsMainMenu(true);

  const String text = ComponentToFormText(Form);
  RegisterClasses({ClassOf<TCountingBarManager>(), ClassOf<TFixtureItem>()});
  const auto section = [&](const String& Name) {
    const std::size_t at = text.find("object " + Name + ": TdxBar");
    return at == String::npos ? String() : text.substr(at, text.find("end", at) - at);
  };
  EXPECT_EQ(section("BarManager1Bar1").find("DockingStyle"), String::npos) << "not stored with a dock control";
  EXPECT_NE(section("BarManager1Bar1").find("DockControl = DockControl1"), String::npos) << text;
  EXPECT_NE(section("BarManager1Bar2").find("Font.Height"), String::npos) << "its own font";
  EXPECT_EQ(section("BarManager1Bar3").find("Font."), String::npos) << "the manager's font";
  EXPECT_NE(section("BarManager1Bar3").find("IsMainMenu = True"), String::npos);

  auto* copy = new TOtherForm(nullptr);
  FormTextToComponent(text, copy);
  auto* manager = dynamic_cast<TdxBarManager*>(copy->FindComponent("BarManager1"));
  ASSERT_NE(manager, nullptr);
  ASSERT_EQ(manager->Bars()->Count(), 3);
  TdxBar* docked2 = manager->Bars()->Items(0);
  EXPECT_EQ(docked2->DockControl(), copy->FindComponent("DockControl1"));
  EXPECT_EQ(docked2->Caption(), "Docked");
  TdxBar* floating2 = manager->Bars()->Items(1);
  EXPECT_EQ(floating2->FloatLeft(), -20);
  EXPECT_TRUE(floating2->UseOwnFont());
  EXPECT_EQ(floating2->Font()->Size(), 14);
  TdxBar* menu2 = manager->Bars()->Items(2);
  EXPECT_TRUE(menu2->IsMainMenu());
  EXPECT_EQ(manager->MainMenuBar(), menu2);
  EXPECT_FALSE(menu2->UseOwnFont());
  EXPECT_EQ(ComponentToFormText(copy).substr(ComponentToFormText(copy).find("object BarManager1")),
            text.substr(text.find("object BarManager1")));
  TObject::Free(copy);
  UnRegisterClasses({ClassOf<TCountingBarManager>(), ClassOf<TFixtureItem>()});
}

TEST_F(BarsTest, TheBarSectionWritesInTableOrderAndReadsBack) {
  auto* site = new TdxBarDockControl(Form);
  site->SetName("DockControl1");
  site->SetParent(Form);
  site->SetBarManager(M);
  TdxBar* bar = NewBar("Standard");
  bar->SetDockControl(site);
  bar->SetDockedDockControl(site);
  bar->SetFloatLeft(-20);
  TMemIniFile ini;
  bar->SaveToLayout(&ini, "S", false);
  TStringList keys;
  ini.ReadSection("S", &keys);
  EXPECT_EQ(keys.Text(),
            "Caption\r\nDockControl\r\nDockedDockControl\r\nDockedDockingStyle\r\nDockedLeft\r\nDockedTop\r\n"
            "DockingStyle\r\nFloatClientHeight\r\nFloatClientWidth\r\nFloatLeft\r\nFloatTop\r\nOneOnRow\r\nRow\r\n"
            "Visible\r\nItemLinkCount\r\n");
  EXPECT_EQ(ini.ReadString("S", "DockControl", ""), "DockControl1");
  EXPECT_EQ(ini.ReadInteger("S", "DockingStyle", -1), dsTop);

  // A merged toolbar writes its visibility before merging.
  TdxBar* target = NewBar("Target");
  bar->SetVisible(true);
  target->Merge(bar);
  bar->SaveToLayout(&ini, "M", false);
  EXPECT_TRUE(ini.ReadBool("M", "Visible", false));
  target->Unmerge(bar);

  // References: under the manager's owner, on another form, nested in a part of another form.
  auto* form2 = new TOtherForm(nullptr);
  form2->SetName("Form2");
  auto* onForm2 = new TdxBarDockControl(form2);
  onForm2->SetName("DockControl1");
  onForm2->SetParent(form2);
  onForm2->SetBarManager(M);
  auto* frame = new TComponent(form2);
  frame->SetName("Frame1");
  auto* nested = new TdxBarDockControl(frame);
  nested->SetName("DockControl1");
  nested->SetParent(form2);
  nested->SetBarManager(M);
  struct {
    TdxBarDockControl* Site;
    const char* Reference;
  } refs[] = {{site, "DockControl1"}, {onForm2, "Form2.DockControl1"}, {nested, "Form2.Frame1.DockControl1"}};
  for (const auto& ref : refs) {
    bar->SetDockControl(ref.Site);
    bar->SaveToLayout(&ini, "R", false);
    EXPECT_EQ(ini.ReadString("R", "DockControl", ""), ref.Reference);
    bar->SetDockControl(nullptr);
    bar->LoadBarKeys(&ini, "R", 1);
    EXPECT_EQ(bar->DockControl(), ref.Site) << ref.Reference;
  }
  ini.WriteString("R", "DockControl", "Form2.Missing");
  bar->LoadBarKeys(&ini, "R", 1);
  EXPECT_EQ(bar->DockControl(), nullptr) << "an unknown name leaves the stand-alone site";

  // Damaged styles keep the current values; a raising value leaves the toolbar visible.
  ini.EraseSection("D");
  ini.WriteString("D", "Caption", "Standard");
  ini.WriteInteger("D", "DockingStyle", 9);
  ini.WriteInteger("D", "DockedDockingStyle", -1);
  ini.WriteInteger("D", "FloatLeft", 77);
  bar->SetDockingStyle(dsLeft);
  bar->SetVisible(false);
  bar->SetDockedDockControl(nullptr);
  bar->SetDockedDockingStyle(dsRight);
  bar->LoadBarKeys(&ini, "D", 1);
  EXPECT_EQ(bar->DockingStyle(), dsLeft);
  EXPECT_EQ(bar->DockedDockingStyle(), dsRight);
  EXPECT_EQ(bar->FloatLeft(), 77);
  EXPECT_FALSE(bar->Visible());
  ini.WriteInteger("D", "DockingStyle", dsBottom);
  M->OnBarDockingStyleChange = [](TdxBarManager*, TdxBar*) { throw Exception("refused"); };
  bar->LoadBarKeys(&ini, "D", 1);
  EXPECT_TRUE(bar->Visible());
  M->OnBarDockingStyleChange = nullptr;
  TObject::Free(form2);
}

TEST_F(BarsTest, ALoadedRowStaysWithinTheStoredBarCount) {
  TdxBar* bar = NewBar("Only");
  bar->SetDockingStyle(dsTop);
  TMemIniFile ini;
  ini.WriteInteger("B", "DockingStyle", dsTop);
  ini.WriteInteger("B", "Row", 2);
  M->BeginUpdate();
  bar->LoadBarKeys(&ini, "B", 3);
  EXPECT_EQ(bar->Row(), 2) << "three toolbars stored: row 2 exists";
  ini.WriteInteger("B", "Row", 2000000000);
  bar->LoadBarKeys(&ini, "B", 3);
  EXPECT_EQ(bar->Row(), 2);
  M->EndUpdate();
}

}  // namespace
