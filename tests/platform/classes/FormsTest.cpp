// Forms read from their stored descriptions, driven by injected input: layout, focus, keys,
// closing, modal runs, errors in handlers and the application loop.
#include <atomic>
#include <thread>

#include "platform/classes/Thread.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace formtest {
namespace {

using namespace win;

const char* kSampleForm = R"(object SampleForm: TSampleForm
  Left = 100
  Top = 80
  AutoScroll = False
  BorderIcons = [biSystemMenu, biMinimize]
  Caption = 'Sample form'
  ClientHeight = 240
  ClientWidth = 400
  Color = clBtnFace
  DefaultMonitor = dmDesktop
  OldCreateOrder = False
  Position = poDesigned
  PixelsPerInch = 96
  TextHeight = 13
  OnCreate = FormCreate
  OnShow = FormShow
  object pnlTop: TDemoPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 40
    Align = alTop
    Caption = 'Header'
    Color = clNavy
    Font.Color = clWhite
    TabOrder = 0
  end
  object pnlLeft: TDemoPanel
    Left = 0
    Top = 40
    Width = 100
    Height = 160
    Align = alLeft
    Caption = ''
    Color = clSilver
    TabOrder = 2
    object lblInfo: TDemoLabel
      Left = 8
      Top = 8
      Width = 80
      Height = 16
      Caption = 'Click me'
      OnClick = lblInfoClick
      OnMouseDown = lblInfoMouseDown
    end
  end
  object pnlBottom: TDemoPanel
    Left = 0
    Top = 200
    Width = 400
    Height = 40
    Align = alBottom
    Caption = ''
    TabOrder = 3
    object btnOk: TDemoButton
      Left = 230
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'OK'
      Default = True
      ModalResult = 1
      TabOrder = 1
      OnClick = btnOkClick
    end
    object btnCancel: TDemoButton
      Left = 315
      Top = 8
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Caption = 'Cancel'
      Cancel = True
      ModalResult = 2
      TabOrder = 0
    end
  end
  object pnlClient: TDemoPanel
    Left = 100
    Top = 40
    Width = 300
    Height = 160
    Align = alClient
    Caption = ''
    Color = clWhite
    TabOrder = 1
    object btnA: TDemoButton
      Left = 8
      Top = 8
      Width = 284
      Height = 25
      Anchors = [akLeft, akTop, akRight]
      Caption = 'A'
      Constraints.MaxWidth = 320
      TabOrder = 1
    end
    object btnB: TDemoButton
      Left = 8
      Top = 40
      Width = 100
      Height = 25
      Anchors = [akLeft, akBottom]
      Caption = 'B'
      TabOrder = 0
    end
  end
end
)";

class TSampleForm : public TForm {
  VW_CLASS(TSampleForm, TForm)
 public:
  explicit TSampleForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterHandler("FormCreate", &TSampleForm::FormCreate);
    RegisterHandler("FormShow", &TSampleForm::FormShow);
    RegisterHandler("lblInfoClick", &TSampleForm::lblInfoClick);
    RegisterHandler("lblInfoMouseDown", &TSampleForm::lblInfoMouseDown);
    RegisterHandler("btnOkClick", &TSampleForm::btnOkClick);
  }

  template <class T>
  T* Get(const char* name) {
    return dynamic_cast<T*>(FindComponent(name));
  }

  std::vector<std::string> log;
  static TSampleForm* global;
  std::function<void()> clickAction;

 protected:
  void Loaded() override {
    log.push_back("Loaded " + std::to_string(ComponentCount()));
    TForm::Loaded();
  }

 private:
  void FormCreate(TObject*) { log.push_back(std::string("FormCreate global=") + (global == this ? "set" : "unset")); }
  void FormShow(TObject*) { log.push_back(std::string("FormShow showing=") + (Showing() ? "1" : "0")); }
  void lblInfoClick(TObject*) {
    log.push_back("lblInfoClick");
    if (clickAction) clickAction();
  }
  void lblInfoMouseDown(TObject*, TMouseButton b, TShiftState, int x, int y) {
    log.push_back("lblInfoMouseDown " + std::to_string(b) + " " + std::to_string(x) + "," + std::to_string(y));
  }
  void btnOkClick(TObject*) { log.push_back("btnOkClick"); }
};

TSampleForm* TSampleForm::global = nullptr;

class SampleFormTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    RegisterFormText("TSampleForm", kSampleForm);
    TSampleForm::global = nullptr;
    Application->CreateForm(TSampleForm::global);
    form = TSampleForm::global;
    ASSERT_NE(form, nullptr);
  }
  TWinControl* Win(const char* name) { return form->Get<TWinControl>(name); }
  TControl* Ctl(const char* name) { return form->Get<TControl>(name); }
  void ShowForm() {
    form->Show();
    Pump();
  }
  TSampleForm* form = nullptr;
};

std::string BoundsOf(TControl* c) {
  return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + " " + std::to_string(c->Width()) + "x" +
         std::to_string(c->Height());
}

TEST_F(SampleFormTest, LoadsInOrderThenCreatesAndShows) {
  // Loaded comes once every component is read; OnCreate after it, with the global already set.
  ASSERT_EQ(form->log.size(), 2u);
  EXPECT_EQ(form->log[0], "Loaded 9");
  EXPECT_EQ(form->log[1], "FormCreate global=set");
  EXPECT_EQ(Application->MainForm(), form);
  EXPECT_FALSE(form->Visible());
  EXPECT_FALSE(Win("btnOk")->HandleAllocated());

  ShowForm();
  ASSERT_EQ(form->log.size(), 3u);
  EXPECT_EQ(form->log[2], "FormShow showing=1");
  EXPECT_TRUE(Win("btnOk")->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(Win("btnOk")->Handle()));
  EXPECT_EQ(form->Caption(), "Sample form");
  EXPECT_EQ(form->ClientWidth(), 400);
  EXPECT_EQ(form->ClientHeight(), 240);
}

TEST_F(SampleFormTest, AlignsAnchorsAndConstrainsOnResize) {
  ShowForm();
  EXPECT_EQ(BoundsOf(Ctl("pnlTop")), "0,0 400x40");
  EXPECT_EQ(BoundsOf(Ctl("pnlBottom")), "0,200 400x40");
  EXPECT_EQ(BoundsOf(Ctl("pnlLeft")), "0,40 100x160");
  EXPECT_EQ(BoundsOf(Ctl("pnlClient")), "100,40 300x160");

  form->SetClientSize(600, 300);
  Pump();
  EXPECT_EQ(BoundsOf(Ctl("pnlTop")), "0,0 600x40");
  EXPECT_EQ(BoundsOf(Ctl("pnlBottom")), "0,260 600x40");
  EXPECT_EQ(BoundsOf(Ctl("pnlLeft")), "0,40 100x220");
  EXPECT_EQ(BoundsOf(Ctl("pnlClient")), "100,40 500x220");
  // Right-anchored buttons keep their distance to the right edge.
  EXPECT_EQ(BoundsOf(Ctl("btnOk")), "430,8 75x25");
  EXPECT_EQ(BoundsOf(Ctl("btnCancel")), "515,8 75x25");
  // Stretched between both sides, but no wider than its constraint.
  EXPECT_EQ(BoundsOf(Ctl("btnA")), "8,8 320x25");
  // Bottom-anchored: moves down with the bottom edge.
  EXPECT_EQ(BoundsOf(Ctl("btnB")), "8,100 100x25");

  // Back to the designed size: every distance is what it was.
  form->SetClientSize(400, 240);
  Pump();
  EXPECT_EQ(BoundsOf(Ctl("btnOk")), "230,8 75x25");
  EXPECT_EQ(BoundsOf(Ctl("btnA")), "8,8 284x25");
  EXPECT_EQ(BoundsOf(Ctl("btnB")), "8,40 100x25");

  // A hidden aligned panel gives its room to the others.
  Ctl("pnlLeft")->SetVisible(false);
  EXPECT_EQ(BoundsOf(Ctl("pnlClient")), "0,40 400x160");
}

TEST_F(SampleFormTest, TabMovesFocusInTabOrder) {
  ShowForm();
  // The first control in tab order has the focus once the form is active.
  EXPECT_EQ(GetFocus(), Win("btnB")->Handle());
  EXPECT_EQ(form->ActiveControl(), Win("btnB"));

  const char* order[] = {"btnA", "btnCancel", "btnOk", "btnB"};
  for (const char* name : order) {
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), Win(name)->Handle()) << name;
    EXPECT_EQ(Screen->ActiveControl(), Win(name)) << name;
  }
  Chord(VK_SHIFT, VK_TAB);
  EXPECT_EQ(GetFocus(), Win("btnOk")->Handle());

  // A disabled control is passed over.
  Win("btnB")->SetEnabled(false);
  Key(VK_TAB);
  EXPECT_EQ(GetFocus(), Win("btnA")->Handle());
}

TEST_F(SampleFormTest, EnterAndEscapePressDefaultAndCancelButtons) {
  ShowForm();
  Key(VK_RETURN);
  EXPECT_EQ(form->log.back(), "btnOkClick");
  EXPECT_EQ(form->ModalResult(), mrOk);
  Key(VK_ESCAPE);
  EXPECT_EQ(form->ModalResult(), mrCancel);

  // With KeyPreview the form sees the key first and may swallow it.
  form->SetKeyPreview(true);
  form->SetModalResult(mrNone);
  form->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    if (key == VK_RETURN) key = 0;
  };
  Key(VK_RETURN);
  EXPECT_EQ(form->ModalResult(), mrNone);
}

TEST_F(SampleFormTest, ClickOnGraphicChildReachesIt) {
  ShowForm();
  ClickAt(At(Ctl("lblInfo"), 5, 6));
  ASSERT_GE(form->log.size(), 2u);
  EXPECT_EQ(form->log[form->log.size() - 2], "lblInfoMouseDown 0 5,6");
  EXPECT_EQ(form->log.back(), "lblInfoClick");

  // A click beside it lands on the panel, not the label.
  std::size_t before = form->log.size();
  ClickAt(At(Ctl("pnlLeft"), 50, 120));
  EXPECT_EQ(form->log.size(), before);
}

TEST_F(SampleFormTest, ExceptionInHandlerIsShownAndTheLoopGoesOn) {
  ShowForm();
  Application->SetTitle("Console");
  int clicks = 0;
  form->clickAction = [&] {
    ++clicks;
    if (clicks == 1) throw EConvertError("'x' is not a valid integer value");
    if (clicks == 2) Abort();
  };
  ClickAt(At(Ctl("lblInfo"), 5, 5));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0], "Console|'x' is not a valid integer value.");
  // An abort is silent.
  ClickAt(At(Ctl("lblInfo"), 5, 5));
  EXPECT_EQ(boxes.size(), 1u);
  ClickAt(At(Ctl("lblInfo"), 5, 5));
  EXPECT_EQ(clicks, 3);

  // OnException takes the place of the message box.
  std::string seen;
  Application->OnException = [&](TObject*, Exception& e) { seen = e.Message(); };
  clicks = 0;
  ClickAt(At(Ctl("lblInfo"), 5, 5));
  EXPECT_EQ(seen, "'x' is not a valid integer value");
  EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(SampleFormTest, ScreenshotOfTheSampleForm) {
  ShowForm();
  ClickAt(At(Ctl("pnlClient"), 200, 140));
  Pump();
  ASSERT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("sample_form.png")));
  POINT top = At(Ctl("pnlTop"), 20, 5);
  EXPECT_EQ(ScreenPixel(top.x, top.y), 0x000080u);  // navy, as 0x00RRGGBB
  POINT client = At(Ctl("pnlClient"), 150, 120);
  EXPECT_EQ(ScreenPixel(client.x, client.y), 0xFFFFFFu);
  POINT left = At(Ctl("pnlLeft"), 50, 120);
  EXPECT_EQ(ScreenPixel(left.x, left.y), 0xC0C0C0u);
}

TEST_F(SampleFormTest, ResizingTellsOnResizeOnce) {
  ShowForm();
  int resized = 0;
  form->OnResize = [&](TObject*) { ++resized; };
  form->SetClientSize(500, 300);
  Pump();
  EXPECT_EQ(resized, 1);
  // Sized by the window system, as the frame drag does.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 520, 360, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_EQ(resized, 2);
  EXPECT_EQ(form->Width(), 520);
  EXPECT_EQ(Ctl("pnlBottom")->Top(), form->ClientHeight() - 40);
}

class TBrokenForm : public TForm {
  VW_CLASS(TBrokenForm, TForm)
 public:
  using TForm::TForm;
};

class TFailingCreateForm : public TForm {
  VW_CLASS(TFailingCreateForm, TForm)
 public:
  explicit TFailingCreateForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterHandler("FormCreate", &TFailingCreateForm::FormCreate);
  }
  void FormCreate(TObject*) { throw EConvertError("bad number"); }
};

TEST_F(FormTest, AFormThatCannotBeReadIsNotLeftBehind) {
  RegisterFormText("TBrokenForm", "object BrokenForm: TBrokenForm\n  Caption = 'x'\n  object p: TNoSuchClass\n  end\nend\n");
  TBrokenForm* broken = reinterpret_cast<TBrokenForm*>(1);
  int before = Screen->FormCount();
  EXPECT_ANY_THROW(Application->CreateForm(broken));
  EXPECT_EQ(broken, nullptr);
  EXPECT_EQ(Screen->FormCount(), before);
  EXPECT_EQ(Application->ComponentCount(), 0);

  // An error in OnCreate is shown, and the form is there all the same.
  RegisterFormText("TFailingCreateForm", "object FailingCreateForm: TFailingCreateForm\n  OnCreate = FormCreate\nend\n");
  TFailingCreateForm* failing = nullptr;
  Application->CreateForm(failing);
  ASSERT_NE(failing, nullptr);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].find("bad number"), std::string::npos);
}

// ---- closing and modal runs --------------------------------------------------------------------

class PlainFormTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    Application->CreateForm(TForm::StaticClass());  // the main form
  }
  TCustomForm* MakeForm() {
    auto* f = new TForm(Application, 0);
    f->SetBounds(200, 150, 300, 200);
    return f;
  }
};

TEST_F(PlainFormTest, CloseActions) {
  struct Case {
    TCloseAction action;
    bool visible, exists;
    TWindowState state;
  };
  const Case cases[] = {
      {caHide, false, true, wsNormal},
      {caNone, true, true, wsNormal},
      {caMinimize, true, true, wsMinimized},
      {caFree, false, false, wsNormal},
  };
  for (const Case& c : cases) {
    TCustomForm* f = MakeForm();
    std::vector<std::string> log;
    f->OnCloseQuery = [&](TObject*, bool& can) {
      log.push_back("query");
      can = true;
    };
    f->OnClose = [&, c](TObject*, TCloseAction& a) {
      log.push_back("close " + std::to_string(a));
      a = c.action;
    };
    f->OnHide = [&](TObject*) { log.push_back("hide"); };
    f->OnDestroy = [&](TObject*) { log.push_back("destroy"); };
    f->Show();
    Pump();
    int count = Screen->FormCount();
    f->Close();
    Pump();
    SCOPED_TRACE(std::to_string(c.action));
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0], "query");
    EXPECT_EQ(log[1], "close 1");  // caHide is offered first
    bool exists = Screen->FormCount() == count;
    EXPECT_EQ(exists, c.exists);
    if (exists) {
      EXPECT_EQ(f->Visible(), c.visible);
      EXPECT_EQ(f->WindowState(), c.state);
      delete f;
    } else {
      EXPECT_EQ(log.back(), "destroy");
    }
  }
}

TEST_F(PlainFormTest, RefusedCloseQueryKeepsTheFormAndClosingTheMainFormEndsTheProgram) {
  TCustomForm* f = MakeForm();
  f->Show();
  f->OnCloseQuery = [](TObject*, bool& can) { can = false; };
  f->Close();
  Pump();
  EXPECT_TRUE(f->Visible());

  TCustomForm* mainForm = Application->MainForm();
  ASSERT_NE(mainForm, nullptr);
  mainForm->Show();
  Pump();
  PostMessage(mainForm->Handle(), WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(Application->Terminated());
}

TEST_F(PlainFormTest, ShowModalReturnsModalResult) {
  Application->MainForm()->Show();
  Pump();
  ASSERT_TRUE(IsWindowVisible(Application->MainForm()->Handle()));
  ASSERT_TRUE(IsWindowEnabled(Application->MainForm()->Handle()));
  TCustomForm* dlg = MakeForm();
  auto* ok = new TDemoButton(dlg);
  ok->SetParent(dlg);
  ok->Default = true;
  ok->ModalResult = mrOk;
  auto* cancel = new TDemoButton(dlg);
  cancel->SetParent(dlg);
  cancel->SetLeft(100);
  cancel->Cancel = true;
  cancel->ModalResult = mrCancel;
  int queries = 0;
  dlg->OnCloseQuery = [&](TObject*, bool& can) { can = ++queries > 1; };
  std::vector<std::string> log;
  dlg->OnShow = [&](TObject*) {
    log.push_back("show");
    EXPECT_FALSE(IsWindowEnabled(Application->MainForm()->Handle()));
  };
  dlg->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
  // Enter is refused by OnCloseQuery; Escape then ends the run.
  Headless().InjectKey(VK_RETURN, true);
  Headless().InjectKey(VK_RETURN, false);
  Headless().InjectKey(VK_ESCAPE, true);
  Headless().InjectKey(VK_ESCAPE, false);
  EXPECT_EQ(dlg->ShowModal(), mrCancel);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"show", "close"}));
  EXPECT_FALSE(dlg->Visible());
  EXPECT_TRUE(IsWindowEnabled(Application->MainForm()->Handle()));
  // A form already visible cannot be made modal.
  dlg->OnShow = nullptr;
  dlg->Show();
  EXPECT_THROW(dlg->ShowModal(), EInvalidOperation);
}

TEST_F(PlainFormTest, TheMenuBarKeepsTheClientSizeAndRunsItsCommands) {
  TCustomForm* f = MakeForm();
  f->SetBorderStyle(bsSingle);
  auto* menu = new TMainMenu(f);
  auto* file = new TMenuItem(f);
  file->SetCaption("File");
  auto* exit = new TMenuItem(f);
  exit->SetCaption("Exit");
  int exits = 0;
  exit->SetOnClick([&](TObject*) { ++exits; });
  file->Add(exit);
  menu->Items()->Add(file);
  f->SetMenu(menu);
  // Sized before the window exists: the bar comes out of the window, not out of the client area.
  f->SetClientSize(300, 200);
  f->Show();
  Pump();
  EXPECT_EQ(f->ClientWidth(), 300);
  EXPECT_EQ(f->ClientHeight(), 200);
  SendMessage(f->Handle(), WM_COMMAND, exit->Command(), 0);
  EXPECT_EQ(exits, 1);
  delete menu;
  EXPECT_EQ(f->Menu(), nullptr);
}

class TLargeFontsForm : public TForm {
  VW_CLASS(TLargeFontsForm, TForm)
 public:
  using TForm::TForm;
};

TEST_F(PlainFormTest, AFormDesignedAtAnotherResolutionIsScaled) {
  RegisterFormText("TLargeFontsForm", R"(object LargeFontsForm: TLargeFontsForm
  BorderStyle = bsNone
  ClientHeight = 300
  ClientWidth = 500
  Font.Height = -15
  PixelsPerInch = 120
  TextHeight = 16
  object p: TDemoPanel
    Left = 100
    Top = 50
    Width = 200
    Height = 40
  end
end
)");
  TLargeFontsForm* f = nullptr;
  Application->CreateForm(f);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->ClientWidth(), 400);
  EXPECT_EQ(f->ClientHeight(), 240);
  EXPECT_EQ(f->Font()->Height(), -12);
  EXPECT_EQ(BoundsOf(dynamic_cast<TControl*>(f->FindComponent("p"))), "80,40 160x32");
  EXPECT_EQ(f->PixelsPerInch(), 96);
}

class TSmallFontsForm : public TForm {
  VW_CLASS(TSmallFontsForm, TForm)
 public:
  using TForm::TForm;
};

TEST_F(PlainFormTest, OnALargeFontsScreenAFormAndItsFontsGrow) {
  ASSERT_TRUE(platform::SetScreenPixelsPerInch(120));
  struct Restore {
    ~Restore() { platform::SetScreenPixelsPerInch(96); }
  } restore;
  EXPECT_EQ(Screen->PixelsPerInch(), 120);
  TFont fresh;
  EXPECT_EQ(fresh.Height(), -13) << "a new font is eight points at the screen's resolution";
  EXPECT_EQ(fresh.Size(), 8);
  RegisterFormText("TSmallFontsForm", R"(object SmallFontsForm: TSmallFontsForm
  BorderStyle = bsNone
  ClientHeight = 300
  ClientWidth = 500
  Font.Height = -11
  PixelsPerInch = 96
  TextHeight = 13
  object p: TDemoPanel
    Left = 100
    Top = 50
    Width = 200
    Height = 40
  end
end
)");
  TSmallFontsForm* f = nullptr;
  Application->CreateForm(f);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->ClientWidth(), 625);
  EXPECT_EQ(f->ClientHeight(), 375);
  EXPECT_EQ(f->Font()->Height(), -14);
  EXPECT_EQ(BoundsOf(dynamic_cast<TControl*>(f->FindComponent("p"))), "125,63 250x50");
  EXPECT_EQ(f->PixelsPerInch(), 120);
}

class TMenuUserForm : public TForm {
  VW_CLASS(TMenuUserForm, TForm)
 public:
  using TForm::TForm;
};

TEST_F(PlainFormTest, FormsAreGlobalComponentsThatDescriptionsCanReferTo) {
  TCustomForm* menus = MakeForm();
  menus->SetName("MenusForm");
  auto* popup = new TPopupMenu(menus);
  popup->SetName("WallMenu");
  EXPECT_EQ(FindGlobalComponent("menusform"), menus);
  EXPECT_EQ(FindGlobalComponent("NoSuchForm"), nullptr);

  RegisterFormText("TMenuUserForm", R"(object MenuUserForm: TMenuUserForm
  PopupMenu = MenusForm.WallMenu
end
)");
  TMenuUserForm* f = nullptr;
  Application->CreateForm(f);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->PopupMenu(), popup);
  delete menus;
  EXPECT_EQ(f->PopupMenu(), nullptr);
  EXPECT_EQ(FindGlobalComponent("MenusForm"), nullptr);
}

void (*g_chainedHook)() = nullptr;
std::vector<String> g_initCalls;

TEST_F(PlainFormTest, InitializeRunsTheChainedHooks) {
  void (*saved)() = InitProc;
  g_initCalls.clear();
  InitProc = [] { g_initCalls.push_back("first"); };
  // A unit chains its own hook after the one it found.
  g_chainedHook = InitProc;
  InitProc = [] {
    if (g_chainedHook) g_chainedHook();
    g_initCalls.push_back("second");
  };
  Application->Initialize();
  EXPECT_EQ(g_initCalls, (std::vector<String>{"first", "second"}));
  InitProc = saved;
}

TEST_F(PlainFormTest, BorderWidthIsABandOfTheFormsColourAroundTheClientArea) {
  TCustomForm* f = MakeForm();
  f->SetBorderStyle(bsNone);
  f->SetColor(clRed);
  f->SetBorderWidth(5);
  f->SetClientSize(200, 100);
  EXPECT_EQ(f->Width(), 210);
  auto* inside = new TDemoPanel(f);
  inside->SetParent(f);
  inside->SetColor(clWhite);
  inside->SetAlign(alClient);
  f->Show();
  Pump();
  EXPECT_EQ(f->ClientWidth(), 200);
  EXPECT_EQ(BoundsOf(inside), "0,0 200x100");
  EXPECT_EQ(ScreenPixel(f->Left() + 2, f->Top() + 2), 0xFF0000u);
  EXPECT_EQ(ScreenPixel(f->Left() + 20, f->Top() + 20), 0xFFFFFFu);
  f->SetBorderWidth(0);
  Pump();
  EXPECT_EQ(f->ClientWidth(), 210);
  EXPECT_EQ(BoundsOf(inside), "0,0 210x110");
}

TEST_F(PlainFormTest, TheApplicationHearsWhenTheProgramGoesBehindAnother) {
  TCustomForm* mainForm = Application->MainForm();
  mainForm->Show();
  Pump();
  std::vector<std::string> log;
  Application->OnActivate = [&](TObject*) { log.push_back("activate"); };
  Application->OnDeactivate = [&](TObject*) { log.push_back("deactivate"); };
  SendMessage(mainForm->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(Application->Active());
  SendMessage(mainForm->Handle(), WM_ACTIVATEAPP, TRUE, 0);
  EXPECT_TRUE(Application->Active());
  EXPECT_EQ(log, (std::vector<std::string>{"deactivate", "activate"}));
}

TEST_F(PlainFormTest, RunShowsTheMainFormAndEndsWhenItCloses) {
  TCustomForm* mainForm = Application->MainForm();
  std::vector<std::string> log;
  mainForm->OnShow = [&](TObject*) { log.push_back("show"); };
  mainForm->OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
  mainForm->HandleNeeded();
  PostMessage(mainForm->Handle(), WM_CLOSE, 0, 0);
  Application->Run();
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(log, (std::vector<std::string>{"show", "close"}));
}

TEST_F(PlainFormTest, OnPaintDrawsOnTheFormsCanvas) {
  TCustomForm* f = MakeForm();
  f->SetBorderStyle(bsNone);
  int paints = 0;
  f->OnPaint = [&](TObject*) {
    ++paints;
    f->Canvas()->Brush()->SetColor(clRed);
    f->Canvas()->FillRect(win::RECT{10, 10, 30, 20});
    // Setting the colour it already has paints nothing again.
    f->SetColor(clLime);
  };
  f->Show();
  Pump();
  EXPECT_EQ(ScreenPixel(f->Left() + 15, f->Top() + 15), 0xFF0000u);
  EXPECT_EQ(ScreenPixel(f->Left() + 50, f->Top() + 50), 0x00FF00u);
  EXPECT_LE(paints, 2);
}

TEST_F(PlainFormTest, LayeredAttributesReachTheWindow) {
  TCustomForm* f = MakeForm();
  f->SetAlphaBlend(true);
  f->SetAlphaBlendValue(128);
  f->SetTransparentColor(true);
  f->SetTransparentColorValue(clRed);
  f->Show();
  Pump();
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(f->Handle(), &key, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(key, RGB(255, 0, 0));
  EXPECT_EQ(flags, LWA_ALPHA | LWA_COLORKEY);
  f->SetAlphaBlendValue(12);
  ASSERT_TRUE(GetLayeredWindowAttributes(f->Handle(), &key, &alpha, &flags));
  EXPECT_EQ(alpha, 12);
}

TEST_F(PlainFormTest, SynchronizeFromAWorkerWakesTheLoop) {
  Application->MainForm()->Show();
  Pump();
  std::atomic<bool> ran{false};
  std::thread worker([&] { TThread::Synchronize(nullptr, [&] { ran = true; }); });
  for (int i = 0; i < 1000 && !ran; ++i) Application->HandleMessage();
  worker.join();
  EXPECT_TRUE(ran);
}

}  // namespace
}  // namespace formtest
