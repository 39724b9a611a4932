#include <vector>

#include "platform/classes/Buttons.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Grids.h"
#include "platform/classes/ScrollBox.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Controls.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace {

using formtest::FormTest;

class StdCtrlsTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(Application, 0);
    form->SetBounds(20, 20, 560, 420);
    form->SetCaption("Sample");
  }
  template <class T>
  T* Make(int x, int y, int w, int h, TWinControl* parent = nullptr) {
    auto* c = new T(form);
    c->SetParent(parent ? parent : form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  // What the button window tells its parent when the operator clicks it.
  static void OperatorClick(TWinControl* c) {
    win::SendMessage(win::GetParent(c->Handle()), win::WM_COMMAND,
                     static_cast<win::WPARAM>(win::BN_CLICKED) << 16, reinterpret_cast<win::LPARAM>(c->Handle()));
  }

  TForm* form = nullptr;
};

TEST_F(StdCtrlsTest, CheckBoxClicksOnChangesByCodeAndByTheOperatorOnly) {
  auto* box = Make<TCheckBox>(10, 10, 120, 17);
  form->Show();
  Pump();
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  box->SetCheckedValue(true);
  EXPECT_EQ(clicks, 1);
  box->SetCheckedValue(true);  // unchanged: nothing
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(win::SendMessage(box->Handle(), win::BM_GETCHECK, 0, 0), win::BST_CHECKED);
  OperatorClick(box);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
  // Grayed is a step of the operator's cycle only when allowed.
  box->SetAllowGrayed(true);
  OperatorClick(box);
  EXPECT_EQ(box->State(), cbGrayed);
  OperatorClick(box);
  EXPECT_EQ(box->State(), cbChecked);
  EXPECT_EQ(clicks, 4);
  box->SetState(cbGrayed);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 5);
}

TEST_F(StdCtrlsTest, RadioButtonsOfOneParentExcludeEachOther) {
  auto* panel = Make<TPanel>(10, 10, 200, 100);
  auto* a = Make<TRadioButton>(5, 5, 100, 17, panel);
  auto* b = Make<TRadioButton>(5, 25, 100, 17, panel);
  auto* other = Make<TRadioButton>(220, 10, 100, 17);
  form->Show();
  Pump();
  std::vector<TObject*> clicked;
  for (TRadioButton* r : {a, b, other}) r->OnClick = [&](TObject* s) { clicked.push_back(s); };
  a->SetCheckedValue(true);
  other->SetCheckedValue(true);
  OperatorClick(b);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(other->Checked());  // another parent
  // Only the button that became checked clicks.
  EXPECT_EQ(clicked, (std::vector<TObject*>{a, other, b}));
  OperatorClick(b);
  EXPECT_EQ(clicked.size(), 3u);
}

TEST_F(StdCtrlsTest, EditTextSelectionAndChangeEvents) {
  auto* edit = Make<TEdit>(10, 10, 150, 21);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("stored");
  EXPECT_EQ(changes, 1);  // a change by code before the window exists
  // The window taking the stored text is no change.
  form->Show();
  Pump();
  EXPECT_EQ(changes, 1);
  changes = 0;
  EXPECT_EQ(edit->Text(), "stored");
  edit->SetText("显示墙 wall");
  EXPECT_EQ(changes, 1);
  edit->SetText("显示墙 wall");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(edit->Text(), "显示墙 wall");
  edit->SetSelStart(1);
  edit->SetSelLength(2);
  EXPECT_EQ(edit->SelText(), "示墙");
  edit->SetSelText("X");
  EXPECT_EQ(edit->Text(), "显X wall");
  EXPECT_EQ(changes, 2);
  edit->SelectAll();
  EXPECT_EQ(edit->SelLength(), 7);
  edit->ClearSelection();
  EXPECT_EQ(edit->Text(), "");

  // Typed text respects MaxLength and ReadOnly.
  edit->SetMaxLength(3);
  edit->SetFocus();
  Headless().InjectText("abcdef");
  Pump();
  EXPECT_EQ(edit->Text(), "abc");
  edit->SetReadOnly(true);
  Headless().InjectKey(win::VK_BACK, true);
  Headless().InjectKey(win::VK_BACK, false);
  Pump();
  EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(StdCtrlsTest, MemoLinesStayInStepWithTheWindow) {
  auto* memo = Make<TMemo>(10, 10, 200, 100);
  memo->Lines()->Add("->C6,11,FF,5A,01,BB");
  form->Show();
  Pump();
  int changes = 0;
  memo->OnChange = [&](TObject*) { ++changes; };
  memo->Lines()->Add("second");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(memo->Text(), "->C6,11,FF,5A,01,BB\r\nsecond");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), "second");
  memo->Lines()->Delete(0);
  EXPECT_EQ(memo->Text(), "second");
  memo->Lines()->SetText("a\nb\r\nc");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Text(), "a\r\nb\r\nc");
  memo->SetCaretPos(win::POINT{1, 2});
  EXPECT_EQ(memo->CaretPos().x, 1);
  EXPECT_EQ(memo->CaretPos().y, 2);
  memo->Lines()->Clear();
  EXPECT_EQ(memo->Lines()->Count(), 0);
}

TEST_F(StdCtrlsTest, RadioGroupItemIndexAndLabeledEditLabel) {
  auto* group = Make<TRadioGroup>(10, 10, 150, 100);
  group->SetCaption("Mode");
  group->Items()->Add("Serial");
  group->Items()->Add("Network");
  group->SetItemIndex(1);
  form->Show();
  Pump();
  EXPECT_TRUE(group->Buttons(1)->Checked());
  OperatorClick(group->Buttons(0));
  EXPECT_EQ(group->ItemIndex(), 0);
  EXPECT_FALSE(group->Buttons(1)->Checked());
  group->Items()->Delete(1);
  EXPECT_EQ(group->ButtonCount(), 1);

  auto* le = Make<TLabeledEdit>(200, 60, 100, 21);
  le->EditLabel()->SetCaption("IP");
  le->SetLabelPosition(lpLeft);
  EXPECT_EQ(le->EditLabel()->Left() + le->EditLabel()->Width() + le->LabelSpacing(), 200);
  le->SetLabelPosition(lpAbove);
  EXPECT_EQ(le->EditLabel()->Top() + le->EditLabel()->Height() + le->LabelSpacing(), 60);
  le->SetVisible(false);
  EXPECT_FALSE(le->EditLabel()->Visible());
}

TEST_F(StdCtrlsTest, ListBoxItemsSelectionAndOwnerDrawing) {
  auto* list = Make<TListBox>(10, 10, 150, 100);
  for (const char* s : {"COM1", "COM2", "COM3"}) list->Items()->Add(s);
  list->SetItemIndex(1);
  form->Show();
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(win::SendMessage(list->Handle(), win::LB_GETCOUNT, 0, 0), 3);
  win::RECT r = list->ItemRect(2);
  EXPECT_EQ(list->ItemAtPos(win::POINT{5, r.top + 1}, true), 2);
  EXPECT_EQ(list->ItemAtPos(win::POINT{5, r.bottom + 1}, true), -1);
  EXPECT_EQ(list->ItemAtPos(win::POINT{5, r.bottom + 1}, false), 3);
  // Items and the choice survive the window being made again.
  list->SetStyle(lbOwnerDrawFixed);
  list->SetItemHeight(20);
  std::vector<int> drawn;
  list->OnDrawItem = [&](TWinControl*, int index, win::RECT, TOwnerDrawState) { drawn.push_back(index); };
  list->Items()->Add("COM4");
  list->Invalidate();
  Pump();
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Items()->Count(), 4);
  EXPECT_EQ(drawn, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(list->ItemRect(1).bottom - list->ItemRect(1).top, 20);
  list->Items()->Delete(0);
  EXPECT_EQ(win::SendMessage(list->Handle(), win::LB_GETCOUNT, 0, 0), 3);
}

TEST_F(StdCtrlsTest, ComboBoxItemIndexShowsTheItemAndSelectionFiresEvents) {
  auto* combo = Make<TComboBox>(10, 10, 150, 21);
  combo->Items()->Add("9600");
  combo->Items()->Add("115200");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "115200");
  form->Show();
  Pump();
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "115200");
  int changes = 0, selects = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  combo->SetItemIndex(0);  // by code: no event
  EXPECT_EQ(combo->Text(), "9600");
  EXPECT_EQ(changes, 0);
  win::SendMessage(win::GetParent(combo->Handle()), win::WM_COMMAND,
                   static_cast<win::WPARAM>(win::CBN_SELCHANGE) << 16, reinterpret_cast<win::LPARAM>(combo->Handle()));
  EXPECT_EQ(changes, 1);  // without OnSelect the selection is a change
  combo->OnSelect = [&](TObject*) { ++selects; };
  win::SendMessage(win::GetParent(combo->Handle()), win::WM_COMMAND,
                   static_cast<win::WPARAM>(win::CBN_SELCHANGE) << 16, reinterpret_cast<win::LPARAM>(combo->Handle()));
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(changes, 1);
  combo->SetItemIndex(7);
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "");
}

TEST_F(StdCtrlsTest, BitBtnKindsBringCaptionAndModalResult) {
  auto* ok = Make<TBitBtn>(10, 10, 90, 30);
  ok->SetKind(bkOK);
  EXPECT_EQ(ok->Caption(), "OK");
  EXPECT_EQ(ok->ModalResult(), mrOk);
  auto* custom = Make<TBitBtn>(110, 10, 90, 30);
  custom->SetCaption("连接串口/无线");
  int clicks = 0;
  custom->OnClick = [&](TObject*) { ++clicks; };
  form->Show();
  Pump();
  OperatorClick(custom);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ModalResult(), mrNone);
  OperatorClick(ok);
  EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(StdCtrlsTest, ScrollBoxScrollsChildrenThatDoNotFit) {
  auto* box = Make<TScrollBox>(10, 10, 200, 100);
  auto* far = Make<TPanel>(20, 150, 100, 40, box);
  form->Show();
  Pump();
  win::SCROLLINFO si;
  si.fMask = win::SIF_RANGE;
  EXPECT_TRUE(win::GetScrollInfo(box->Handle(), win::SB_VERT, &si));
  EXPECT_EQ(si.nMax, 189);
  box->ScrollInView(far);
  EXPECT_GT(box->ScrollPos().y, 0);
  win::RECT client;
  win::GetClientRect(box->Handle(), &client);
  EXPECT_EQ(far->Top() + far->Height(), client.bottom);
  win::SendMessage(box->Handle(), win::WM_VSCROLL, win::SB_TOP, 0);
  EXPECT_EQ(box->ScrollPos().y, 0);
  EXPECT_EQ(far->Top(), 150);
}

TEST_F(StdCtrlsTest, LabelSizesToItsCaptionAndImagePlacesItsPicture) {
  auto* label = Make<TLabel>(100, 10, 10, 10);
  label->SetCaption("Screen wall");
  int w = label->Width();
  EXPECT_GT(w, 30);
  label->SetCaption("Screen wall 2");
  EXPECT_GT(label->Width(), w);
  // A right-aligned label keeps its right edge as it grows.
  label->SetAlignment(taRightJustify);
  int right = label->Left() + label->Width();
  label->SetCaption("Screen wall 23");
  EXPECT_EQ(label->Left() + label->Width(), right);

  struct Case {
    bool stretch, proportional, center;
    win::RECT expected;
  } cases[] = {
      {false, false, false, {0, 0, 40, 20}},  // as it is, top-left
      {false, false, true, {30, 40, 70, 60}},  // as it is, centred
      {true, false, false, {0, 0, 100, 100}},  // filling the image
      {true, true, false, {0, 0, 100, 50}},    // as large as fits, its shape kept
      {true, true, true, {0, 25, 100, 75}},
  };
  auto* image = Make<TImage>(10, 10, 100, 100);
  auto* bmp = new TBitmap;
  bmp->SetWidth(40);
  bmp->SetHeight(20);
  image->Picture()->SetGraphic(bmp);
  delete bmp;
  for (const Case& c : cases) {
    image->SetStretch(c.stretch);
    image->SetProportional(c.proportional);
    image->SetCenter(c.center);
    win::RECT r = image->DestRect();
    EXPECT_EQ(r.left, c.expected.left);
    EXPECT_EQ(r.top, c.expected.top);
    EXPECT_EQ(r.right, c.expected.right);
    EXPECT_EQ(r.bottom, c.expected.bottom);
  }
}

TEST_F(StdCtrlsTest, SampleFormScreenshot) {
  form->SetColor(clBtnFace);
  auto* label = Make<TLabel>(10, 10, 0, 0);
  label->SetCaption("&Label: 显示墙");
  auto* edit = Make<TEdit>(10, 30, 140, 21);
  edit->SetText("192.168.1.200");
  auto* le = Make<TLabeledEdit>(170, 30, 80, 21);
  le->EditLabel()->SetCaption("Port");
  le->SetText("8899");
  auto* memo = Make<TMemo>(10, 60, 240, 70);
  memo->SetScrollBars(ssVertical);
  memo->Lines()->Add("->C6,11,FF,5A,01,BB");
  memo->Lines()->Add("->C6,12,FF,5A,01,BB");
  auto* button = Make<TButton>(270, 10, 80, 25);
  button->SetCaption("Connect");
  auto* check = Make<TCheckBox>(270, 45, 120, 17);
  check->SetCaption("Own port");
  check->SetCheckedValue(true);
  auto* radio = Make<TRadioButton>(270, 70, 120, 17);
  radio->SetCaption("Serial");
  radio->SetCheckedValue(true);
  auto* group = Make<TGroupBox>(400, 10, 140, 80);
  group->SetCaption("Group");
  auto* rg = Make<TRadioGroup>(400, 100, 140, 70);
  rg->SetCaption("Language");
  rg->Items()->Add("中文");
  rg->Items()->Add("English");
  rg->SetItemIndex(0);
  auto* panel = Make<TPanel>(10, 140, 240, 40);
  panel->SetCaption("Panel");
  panel->SetBevelInner(bvLowered);
  auto* bevel = Make<TBevel>(270, 100, 120, 40);
  bevel->SetShape(bsFrame);
  auto* shape = Make<TShape>(270, 150, 40, 30);
  shape->SetShape(stEllipse);
  shape->Brush()->SetColor(clYellow);
  auto* image = Make<TImage>(320, 150, 64, 32);
  auto* bmp = new TBitmap;
  bmp->SetWidth(32);
  bmp->SetHeight(16);
  bmp->Canvas()->Brush()->SetColor(clBlue);
  bmp->Canvas()->FillRect(win::RECT{0, 0, 32, 16});
  bmp->Canvas()->Brush()->SetColor(clRed);
  bmp->Canvas()->FillRect(win::RECT{8, 4, 24, 12});
  image->Picture()->SetGraphic(bmp);
  delete bmp;
  image->SetStretch(true);
  auto* bitbtn = Make<TBitBtn>(10, 190, 110, 30);
  bitbtn->SetCaption("开机");
  auto* glyph = new TBitmap;
  glyph->SetWidth(16);
  glyph->SetHeight(16);
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(win::RECT{0, 0, 16, 16});
  glyph->Canvas()->Brush()->SetColor(clGreen);
  glyph->Canvas()->FillRect(win::RECT{3, 3, 13, 13});
  bitbtn->SetGlyph(glyph);
  delete glyph;
  auto* okBtn = Make<TBitBtn>(130, 190, 90, 30);
  okBtn->SetKind(bkOK);
  auto* list = Make<TListBox>(400, 180, 140, 50);
  list->Items()->Add("COM1");
  list->Items()->Add("COM2");
  list->SetItemIndex(0);
  auto* combo = Make<TComboBox>(270, 185, 120, 21);
  combo->Items()->Add("9600");
  combo->SetItemIndex(0);
  auto* grid = Make<TStringGrid>(10, 240, 530, 150);
  grid->SetColCount(4);
  grid->SetRowCount(4);
  grid->SetFixedColor(clMedGray);
  grid->SetColor(clCream);
  grid->SetColWidths(0, 16);
  grid->SetRowHeights(0, 14);
  for (int c = 1; c < 4; ++c) {
    grid->SetColWidths(c, 160);
    grid->SetCells(c, 0, std::to_string(c));
  }
  for (int r = 1; r < 4; ++r) {
    grid->SetRowHeights(r, 40);
    grid->SetCells(0, r, std::to_string(r));
  }
  grid->SetCells(1, 1, "HDMI1");
  grid->SetSelection(TGridRect{1, 1, 2, 2});
  form->Show();
  Pump();
  // Texts given before the windows existed are in them.
  EXPECT_EQ(edit->Text(), "192.168.1.200");
  EXPECT_EQ(memo->Lines()->Count(), 2);
  ASSERT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("stdcontrols-sample.png")));
  // The panel's face and the grid's fixed and data colours are where they belong.
  win::POINT p = At(panel, 120, 8);
  win::COLORREF face = win::GetSysColor(win::COLOR_BTNFACE);
  EXPECT_EQ(ScreenPixel(p.x, p.y), ((face & 0xFF) << 16) | (face & 0xFF00) | ((face >> 16) & 0xFF));
  win::RECT cell = grid->CellRect(3, 3);
  p = At(grid, cell.right - 3, cell.bottom - 3);
  EXPECT_EQ(ScreenPixel(p.x, p.y), static_cast<std::uint32_t>(0xFFFBF0));  // cream, 0x00RRGGBB
}

}  // namespace
