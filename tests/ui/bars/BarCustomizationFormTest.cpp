// The "Customize" dialog: opening and closing with customizing mode, its window's shape, the
// windows it disables, the options page, the toolbar actions and pictures of its pages.
#include <gtest/gtest.h>

#include "platform/classes/ComCtrls.h"
#include "platform/win/Controls.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarCustomizationForm.h"

namespace {

using namespace win;

struct Asked {
  static inline String Text;
  static inline int Flags = 0, Answer = IDCANCEL, Calls = 0;
  static int Show(HWND, const String& AText, const String&, int AFlags) {
    Text = AText;
    Flags = AFlags;
    ++Calls;
    return Answer;
  }
};

class TOtherForm : public TForm {
  VW_CLASS(TOtherForm, TForm)
 public:
  explicit TOtherForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

class BarCustomizationFormTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    CustomizationFormClass = TdxBarCustomizationForm::StaticClass();
    FPreviousBox = TApplication::SetMessageBoxFunc(&Asked::Show);
    Asked::Calls = 0;
    Asked::Answer = IDCANCEL;
  }
  void TearDown() override {
    if (M) M->SetCustomizing(false);
    TApplication::SetMessageBoxFunc(FPreviousBox);
    BarToolbarFixture::TearDown();
  }
  TdxBarCustomizationForm* Open() {
    M->SetCustomizing(true);
    Pump();
    return dynamic_cast<TdxBarCustomizationForm*>(CurrentCustomizationForm);
  }
  static platform::HeadlessControl& Screen() { return *platform::Headless(); }
  static void Click(TControl* AControl, int X = 6) {
    const TPoint p = AControl->ClientToScreen(TPoint{X, AControl->Height() / 2});
    Screen().InjectMouseMove(p.X, p.Y);
    Screen().InjectMouseButton(platform::kButtonLeft, true);
    Screen().InjectMouseButton(platform::kButtonLeft, false);
    Pump();
  }

 private:
  TApplication::TMessageBoxFunc FPreviousBox = nullptr;
};

TEST_F(BarCustomizationFormTest, CustomizingOpensOneDialogAndEitherSideClosesItOnce) {
  int shows = 0, hides = 0;
  M->OnShowCustomizingForm = [&](TObject*) { ++shows; };
  M->OnHideCustomizingForm = [&](TObject*) { ++hides; };
  TdxBarCustomizationForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(M->CustomizingForm(), dialog);
  EXPECT_TRUE(IsWindowVisible(dialog->Handle()));
  EXPECT_EQ(dialog->Caption(), "Customize");
  EXPECT_EQ(shows, 1);

  // A second manager cannot open another one while this one is open.
  auto* other = new TdxBarManager(TForm::Create(TOtherForm::StaticClass(), nullptr)->As<TOtherForm>());
  other->SetCustomizing(true);
  EXPECT_EQ(CurrentCustomizationForm, dialog);
  EXPECT_FALSE(other->IsCustomizing());
  TObject::Free(other->Owner());

  // Closing the dialog leaves customizing mode exactly once.
  dialog->Close();
  Pump();
  EXPECT_EQ(CurrentCustomizationForm, nullptr);
  EXPECT_FALSE(M->IsCustomizing());
  EXPECT_EQ(M->CustomizingForm(), nullptr);
  EXPECT_EQ(hides, 1);

  // Leaving customizing mode from code frees the dialog.
  Open();
  ASSERT_TRUE(IsCustomizationFormOpen());
  M->SetCustomizing(false);
  EXPECT_FALSE(IsCustomizationFormOpen());
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(hides, 2);
}

TEST_F(BarCustomizationFormTest, TheWindowIsAnOwnedPopupThatOnlyResizesVertically) {
  TdxBarCustomizationForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  const HWND h = dialog->Handle();
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)) & ~(WS_VISIBLE | WS_DISABLED), 0x84CC0000u);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE)) & 0x101u, 0x101u);
  EXPECT_EQ(GetWindow(h, GW_OWNER), Form->Handle());
  EXPECT_EQ(dialog->Constraints()->MinHeight(), dialog->Height());

  RECT r;
  GetWindowRect(h, &r);
  const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
  struct Row {
    int X, Y;
    LRESULT Expected;
  } rows[] = {
      {r.left + 1, midY, HTCLIENT},       {r.right - 2, midY, HTCLIENT},      {r.left + 1, r.top + 1, HTTOP},
      {r.right - 2, r.top + 1, HTTOP},    {r.left + 1, r.bottom - 2, HTBOTTOM}, {r.right - 2, r.bottom - 2, HTBOTTOM},
      {midX, r.bottom - 2, HTBOTTOM},     {midX, r.top + 1, HTTOP},
  };
  for (const Row& row : rows)
    EXPECT_EQ(SendMessage(h, WM_NCHITTEST, 0, MAKELPARAM(row.X, row.Y)), row.Expected) << row.X << "," << row.Y;

  // Dragging the bottom-left corner changes the height only.
  const int width = r.right - r.left, height = r.bottom - r.top;
  Screen().InjectMouseMove(r.left + 1, r.bottom - 2);
  Screen().InjectMouseButton(platform::kButtonLeft, true);
  Screen().InjectMouseMove(r.left - 30, r.bottom + 40);
  Screen().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  RECT after;
  GetWindowRect(h, &after);
  EXPECT_EQ(after.right - after.left, width);
  EXPECT_EQ(after.left, r.left);
  EXPECT_EQ(after.bottom - after.top, height + 42);
}

TEST_F(BarCustomizationFormTest, ShowingDisablesTheManagersFormsAndHidingEnablesExactlyThose) {
  auto* second = TForm::Create(TOtherForm::StaticClass(), nullptr)->As<TOtherForm>();
  new TdxBarManager(second);
  second->Show();
  auto* third = TForm::Create(TOtherForm::StaticClass(), nullptr)->As<TOtherForm>();
  new TdxBarManager(third);
  third->Show();
  EnableWindow(third->Handle(), FALSE);

  TdxBarCustomizationForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_FALSE(IsWindowEnabled(Form->Handle()));
  EXPECT_FALSE(IsWindowEnabled(second->Handle()));
  EXPECT_TRUE(IsWindowEnabled(dialog->Handle()));
  EXPECT_EQ(dialog->DisabledWindows().size(), 2u);

  M->SetCustomizing(false);
  EXPECT_TRUE(IsWindowEnabled(Form->Handle()));
  EXPECT_TRUE(IsWindowEnabled(second->Handle()));
  EXPECT_FALSE(IsWindowEnabled(third->Handle())) << "disabled before, stays disabled";
  TObject::Free(second);
  TObject::Free(third);
}

TEST_F(BarCustomizationFormTest, TheEnhancedOptionsShowForEveryStyleButStandard) {
  const TdxBarManagerStyle styles[] = {bmsStandard, bmsEnhanced, bmsFlat, bmsXP, bmsOffice11, bmsUseLookAndFeel};
  for (TdxBarManagerStyle style : styles) {
    M->SetStyle(style);
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    const bool standard = M->ResolvedStyle() == bmsStandard;
    EXPECT_EQ(dialog->StandardOptionsPanel->Visible(), standard) << static_cast<int>(style);
    EXPECT_EQ(dialog->EnhancedOptionsPanel->Visible(), !standard) << static_cast<int>(style);
    M->SetCustomizing(false);
  }
}

TEST_F(BarCustomizationFormTest, OptionBoxesWriteTheManagerAndEnableTheBoxesBelowThem) {
  M->SetStyle(bmsOffice11);
  M->SetShowHint(true);
  TdxBarCustomizationForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  dialog->PageControl->SetActivePage(dialog->tsOptions);
  Pump();
  ASSERT_TRUE(dialog->CBMenusShowRecentItemsFirst->Checked());
  EXPECT_TRUE(dialog->CBShowFullMenusAfterDelay->Enabled());

  Click(dialog->CBMenusShowRecentItemsFirst);
  EXPECT_FALSE(M->MenusShowRecentItemsFirst());
  EXPECT_FALSE(dialog->CBShowFullMenusAfterDelay->Enabled());
  Click(dialog->CBHint1Ex);
  EXPECT_FALSE(M->ShowHint());
  EXPECT_FALSE(dialog->CBHint2Ex->Enabled());
  Click(dialog->CBHint1Ex);
  EXPECT_TRUE(dialog->CBHint2Ex->Enabled());
  Click(dialog->CBHint2Ex);
  EXPECT_TRUE(M->ShowShortCutInHint());
  Click(dialog->CBLargeIconsEx);
  EXPECT_TRUE(M->LargeIcons());
  Click(dialog->CBShowFullMenusAfterDelay);
  EXPECT_TRUE(M->ShowFullMenusAfterDelay()) << "a disabled box takes no click";

  ASSERT_EQ(dialog->ComboBoxMenuAnimationsEx->Items()->Count(), 5);
  EXPECT_EQ(dialog->ComboBoxMenuAnimationsEx->Items()->Strings(0), "(None)");
  EXPECT_EQ(dialog->ComboBoxMenuAnimationsEx->Items()->Strings(4), "Fade");
  dialog->ComboBoxMenuAnimationsEx->SetItemIndex(3);
  dialog->ComboBoxMenuAnimationsClick(dialog->ComboBoxMenuAnimationsEx);
  EXPECT_EQ(M->MenuAnimations(), maSlide);

  Click(dialog->BResetUsageData);
  EXPECT_EQ(Asked::Calls, 1);
  EXPECT_EQ(Asked::Flags, static_cast<int>(MB_YESNO | MB_ICONQUESTION));
  EXPECT_NE(Asked::Text.find("This will delete the record of the commands you've used"), String::npos);
}

TEST_F(BarCustomizationFormTest, DeletingAToolbarAsksWithItsNameAndCancelKeepsIt) {
  TdxBar* tools = M->Bars()->Add();
  tools->SetCaption("Tools");
  TdxBar* view = M->Bars()->Add();
  view->SetCaption("View");
  TdxBarCustomizationForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  TListBox* list = dialog->lbBarsList;
  if (list->Items()->Count() == 0) {
    list->Items()->AddObject(tools->Caption(), tools);
    list->Items()->AddObject(view->Caption(), view);
  }
  list->SetItemIndex(list->Items()->IndexOfObject(tools));
  dialog->aDeleteToolBarExecute(nullptr);
  EXPECT_EQ(Asked::Text, "Are you sure you want to delete the 'Tools' toolbar?");
  EXPECT_EQ(Asked::Flags, static_cast<int>(MB_OKCANCEL | MB_ICONEXCLAMATION));
  EXPECT_EQ(M->Bars()->Count(), 2);
}

TEST_F(BarCustomizationFormTest, TheWheelScrollsTheListUnderThePointerNotTheFocusedOne) {
  TdxBarCustomizationForm* dialog = Open();
  ASSERT_NE(dialog, nullptr);
  dialog->PageControl->SetActivePage(dialog->tsToolbars);
  Pump();
  TListBox* list = dialog->lbBarsList;
  for (int i = 0; i < 60; ++i) list->Items()->Add("Bar " + std::to_string(i));
  dialog->BBarNew->SetFocus();
  Pump();
  const TPoint p = list->ClientToScreen(TPoint{10, 10});
  Screen().InjectMouseMove(p.X, p.Y);
  Screen().InjectWheel(-WHEEL_DELTA);
  Pump();
  EXPECT_EQ(list->TopIndex(), Mouse->WheelScrollLines());
}

TEST_F(BarCustomizationFormTest, PicturesOfThePages) {
  const TdxBarManagerStyle styles[] = {bmsStandard, bmsFlat, bmsOffice11, bmsUseLookAndFeel};
  for (TdxBarManagerStyle style : styles) {
    M->SetStyle(style);
    TdxBarCustomizationForm* dialog = Open();
    ASSERT_NE(dialog, nullptr);
    RECT r;
    GetWindowRect(dialog->Handle(), &r);
    const std::string name = std::to_string(static_cast<int>(style));
    for (TTabSheet* page : {dialog->tsToolbars, dialog->tsItems, dialog->tsOptions}) {
      dialog->PageControl->SetActivePage(page);
      SaveScreenArea("customize_" + name + "_" + page->Name() + ".png", TRect(r.left, r.top, r.right, r.bottom), 1);
    }
    M->SetCustomizing(false);
  }
}

}  // namespace
