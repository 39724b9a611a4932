// Form skinning: which windows get a controller, the skinned frame, caption and buttons, input on
// them, plain buttons and panels, and switching skins at run time.
#include <functional>
#include <map>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/StdCtrls.h"
#include "platform/display/Display.h"
#include "platform/system/Sync.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Menu.h"
#include "platform/win/Window.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/skins/SkinFormFixture.h"
#include "ui/choice/Button.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/skins/RegisteredSkins.h"
#include "ui/skins/SkinControlControllers.h"
#include "ui/skins/SkinController.h"
#include "ui/skins/SkinFormController.h"
#include "ui/skins/SkinWinController.h"

namespace {

using namespace win;
using skintest::SkinFormTest;

class TOwnForm : public TForm {
  VW_CLASS(TOwnForm, TForm)
 public:
  using TForm::TForm;
};

class TOwnButton : public TButton {
  VW_CLASS(TOwnButton, TButton)
 public:
  using TButton::TButton;
};

class TOwnPanel : public TPanel {
  VW_CLASS(TOwnPanel, TPanel)
 public:
  using TPanel::TPanel;
};

// A form that answers one message with 1.
class TRefusingForm : public TForm {
  VW_CLASS(TRefusingForm, TForm)
 public:
  using TForm::TForm;
  UINT Refuse = 0;
  void WndProc(TMessage& Message) override {
    if (Refuse && Message.Msg == Refuse) {
      Message.Result = 1;
      return;
    }
    TForm::WndProc(Message);
  }
};

TdxSkinWinController* ControllerOf(HWND Handle) { return SkinFormControllerRegistry()->FindByHandle(Handle); }
TdxSkinWinController* ControllerOf(TWinControl* Control) { return ControllerOf(Control->Handle()); }
TdxSkinFormController* FormControllerOf(TWinControl* Control) {
  return dynamic_cast<TdxSkinFormController*>(ControllerOf(Control));
}

// Counts the messages of one kind sent to one window.
struct MessageCounter {
  static inline HHOOK hook = nullptr;
  static inline HWND window = nullptr;
  static inline UINT message = 0;
  static inline int count = 0;
  MessageCounter(HWND Window, UINT Message) {
    window = Window, message = Message, count = 0;
    hook = SetWindowsHookEx(WH_CALLWNDPROC, &Proc, nullptr, GetCurrentThreadId());
  }
  ~MessageCounter() { UnhookWindowsHookEx(hook); }
  static LRESULT Proc(int Code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (m->hwnd == window && m->message == message) ++count;
    return CallNextHookEx(hook, Code, wParam, lParam);
  }
};

class FormSkinningTest : public SkinFormTest {
 protected:
  void SetUp() override {
    SkinFormTest::SetUp();
    StartFormSkinning();
    host = MakeForm(120, 60, bsSizeable);
    host->SetBounds(1100, 600, 150, 100);
    skins = new TdxSkinController(host);
    skins->SetSkinName("Foggy");
    Pump();
  }
  TForm* MakeSkinnedForm(int X, int Y, int W, int H, TFormBorderStyle Style = bsSizeable) {
    TForm* form = MakeForm(W, H, Style);
    form->SetCaption("Video wall");
    form->SetBounds(X, Y, W, H);
    Pump();
    return form;
  }
  TForm* host = nullptr;
  TdxSkinController* skins = nullptr;
};

TEST_F(FormSkinningTest, WhichWindowsGetAControllerAndWhichAreSkinned) {
  TForm* form = MakeSkinnedForm(20, 20, 400, 300);
  auto* own = new TOwnForm(Application, 0);
  own->SetBounds(440, 20, 200, 150);
  own->Show();
  auto* button = new TButton(form);
  button->SetParent(form);
  auto* ownButton = new TOwnButton(form);
  ownButton->SetParent(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* ownPanel = new TOwnPanel(form);
  ownPanel->SetParent(form);
  auto* cx = new TcxButton(form);
  cx->SetParent(form);
  auto* ownSkin = new TRefusingForm(Application, 0);
  ownSkin->Refuse = SkinMsgQueryOwnSkin;
  ownSkin->Show();
  auto* optOut = new TRefusingForm(Application, 0);
  optOut->Refuse = SkinQueryMessage;
  optOut->Show();
  HWND raw = CreateWindowEx(0, "STATIC", "raw", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  Pump();

  struct Row {
    const char* name;
    HWND handle;
    const char* controller;  // the controller's class, "" for none
    bool skinned;
  } rows[] = {
      {"TForm", form->Handle(), "TdxSkinFormController", true},
      {"a form class of its own", own->Handle(), "TdxSkinFormController", true},
      {"TButton", button->Handle(), "TdxSkinButtonController", true},
      {"a TButton descendant", ownButton->Handle(), "", false},
      {"TPanel", panel->Handle(), "TdxSkinPanelController", true},
      {"a TPanel descendant", ownPanel->Handle(), "", false},
      {"TcxButton", cx->Handle(), "", false},
      {"a raw window", raw, "", false},
      {"a window with its own skin", ownSkin->Handle(), "", false},
      {"a window that opts out", optOut->Handle(), "TdxSkinFormController", false},
  };
  for (const Row& r : rows) {
    TdxSkinWinController* c = ControllerOf(r.handle);
    EXPECT_EQ(c ? c->ClassName() : String(), String(r.controller)) << r.name;
    EXPECT_EQ(IsSkinnedWindow(r.handle), r.skinned) << r.name;
    EXPECT_EQ(c && c->IsHooked(), r.skinned) << r.name;
  }
  DestroyWindow(raw);
}

TEST_F(FormSkinningTest, SwitchingSkinsAtRunTime) {
  TForm* form = MakeSkinnedForm(40, 40, 400, 300);
  TdxSkinFormController* c = FormControllerOf(form);
  ASSERT_NE(c, nullptr);
  RECT classicClient{};
  {
    // The classic client rectangle, for comparison.
    skins->SetSkinName("");
    Pump();
    GetClientRect(form->Handle(), &classicClient);
  }
  struct Step {
    const char* name;
    std::function<void()> apply;
    bool skinned;
  } steps[] = {
      {"Foggy", [&] { skins->SetSkinName("Foggy"); }, true},
      {"Black", [&] { skins->SetSkinName("Black"); }, true},
      {"NoSuchSkin", [&] { skins->SetSkinName("NoSuchSkin"); }, false},
      {"empty", [&] { skins->SetSkinName(""); }, false},
      {"Foggy again", [&] { skins->SetSkinName("Foggy"); }, true},
      {"UseSkins off", [&] { skins->SetUseSkins(false); }, false},
      {"UseSkins on", [&] { skins->SetUseSkins(true); }, true},
      {"NativeStyle", [&] { skins->SetNativeStyle(true); }, false},
      {"NativeStyle off", [&] { skins->SetNativeStyle(false); }, true},
  };
  std::map<std::string, std::uint32_t> corner;
  for (const Step& s : steps) {
    s.apply();
    Pump();
    EXPECT_EQ(c->IsHooked(), s.skinned) << s.name;
    EXPECT_EQ(c->RegionSet(), s.skinned) << s.name;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(form->Handle(), region) != ERROR, s.skinned) << s.name;
    DeleteObject(region);
    // The client area stays the window system's: the skin's frame fills the classic frame's sizes.
    RECT client{};
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, classicClient.right) << s.name;
    EXPECT_EQ(client.bottom, classicClient.bottom) << s.name;
    RECT w{};
    GetWindowRect(form->Handle(), &w);
    corner[s.name] = ScreenPixel(w.left + 1, w.top + 10);
  }
  EXPECT_EQ(corner["Foggy"], corner["Foggy again"]);
  EXPECT_NE(corner["Foggy"], corner["Black"]);
  EXPECT_EQ(corner["NoSuchSkin"], corner["empty"]);
  EXPECT_NE(corner["Foggy"], corner["empty"]);

  // Writing the name the root has already changes nothing.
  MessageCounter ncPaints(form->Handle(), WM_NCPAINT);
  skins->SetSkinName("Foggy");
  Pump();
  EXPECT_EQ(MessageCounter::count, 0);
}

// ---- a probe skin for frames ----------------------------------------------------------------------

class FormProbeTest : public FormSkinningTest {
 protected:
  void SetUp() override {
    FormSkinningTest::SetUp();
    probe.States.push_back(esActiveDisabled);
    for (const char* n : {"FormFrameLeft", "FormCaption", "FormFrameRight", "FormFrameBottom", "FormButtonHelp",
                          "FormButtonMinimize", "FormButtonMaximize", "FormButtonRestore", "FormButtonClose",
                          "SmallFormCaption", "SmallFormButtonClose", "FormContent"})
      probe.Add("Form", n, 1);
    for (const char* n : {"FormButtonHelp", "FormButtonMinimize", "FormButtonMaximize", "FormButtonRestore",
                          "FormButtonClose", "SmallFormButtonClose"})
      probe.Skin->GroupByName("Form")->ElementByName(n)->MinSize()->AssignSize(TSize(16, 14));
    probe.Skin->GroupByName("Form")->Properties()->AddColor("TextShadowColor", static_cast<TColor>(0x102030));
    probe.Add("Common", "Button", 1)->Properties()->AddColor("DisabledText", static_cast<TColor>(0x405060));
    probe.Add("Common", "ScrollButton", 4);
    for (const char* n : {"ScrollThumbVert", "ScrollThumbHorz", "ScrollContentVert", "ScrollContentHorz", "SizeGrip"})
      probe.Add("Common", n, 1);
    codes = probe.Numbers;
    RegisterProbe(probe, "FormProbe");
    skins->SetSkinName("FormProbe");
    Pump();
  }
  std::uint32_t Code(const char* Element, TdxSkinElementState State, int Index = 0) {
    const std::string name = Element;
    return skintest::ProbeCode(codes.at(name.find('/') == std::string::npos ? "Form/" + name : name), Index, State);
  }
  // A pixel of the window, in window coordinates.
  std::uint32_t At(TWinControl* W, int X, int Y) {
    RECT r{};
    GetWindowRect(W->Handle(), &r);
    return ScreenPixel(r.left + X, r.top + Y);
  }
  int HitTestAt(TWinControl* W, int X, int Y) {
    RECT r{};
    GetWindowRect(W->Handle(), &r);
    return static_cast<int>(SendMessage(W->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + X, r.top + Y)));
  }
  skintest::ProbeSkin probe;
  std::map<std::string, int> codes;
};

TEST_F(FormProbeTest, FrameCaptionAndButtonsInSystemMetricsMode) {
  TForm* form = MakeSkinnedForm(40, 40, 400, 300);
  TdxSkinFormController* c = FormControllerOf(form);
  ASSERT_TRUE(c && c->HasSkinPainter());
  TdxSkinFormNonClientAreaInfo* info = c->NonClientInfo();
  EXPECT_TRUE(info->UsesSystemMetrics());
  // The classic frame's sizes: a 4-pixel sizing frame and a 19-pixel caption.
  EXPECT_EQ(info->FrameRect, TRect(0, 0, 400, 300));
  EXPECT_EQ(info->BorderWidths, TRect(4, 23, 4, 4));
  // The caption's offsets are not scaled (a 9-pixel picture for a 23-pixel caption), the left one is
  // the left frame's width; buttons keep their 16:14 shape at the content's height.
  TdxSkinFormIconInfoList* buttons = info->Buttons();
  ASSERT_EQ(buttons->Count(), 4);
  const TRect close = buttons->Find(sfiClose)->HitBounds;
  EXPECT_EQ(close, TRect(400 - 5 - 22, 1, 400 - 5, 20));
  EXPECT_EQ(buttons->Find(sfiMaximize)->HitBounds, TRect(close.Left - 2 - 22, 1, close.Left - 2, 20));
  EXPECT_EQ(buttons->Find(sfiMenu)->HitBounds, TRect(9, 1, 25, 20));

  // Pixels: the frame parts active, the buttons normal, the content behind the client area.
  EXPECT_EQ(At(form, 1, 150), Code("FormFrameLeft", esActive));
  EXPECT_EQ(At(form, 398, 150), Code("FormFrameRight", esActive));
  EXPECT_EQ(At(form, 200, 298), Code("FormFrameBottom", esActive));
  EXPECT_EQ(At(form, 200, 21), Code("FormCaption", esActive));
  EXPECT_EQ(At(form, (close.Left + close.Right) / 2, 10), Code("FormButtonClose", esNormal));
  EXPECT_EQ(At(form, 200, 150), Code("FormContent", esNormal));

  // Hit-testing: corners and edges of the sizing frame, the buttons, the caption.
  struct {
    int x, y, code;
  } hits[] = {{1, 1, HTTOPLEFT},    {398, 1, HTTOPRIGHT}, {1, 298, HTBOTTOMLEFT}, {398, 298, HTBOTTOMRIGHT},
              {1, 150, HTLEFT},     {398, 150, HTRIGHT},  {200, 298, HTBOTTOM},   {200, 2, HTTOP},
              {(close.Left + close.Right) / 2, 10, HTCLOSE},
              {close.Left - 10, 10, HTMAXBUTTON},           {200, 12, HTCAPTION}, {200, 150, HTCLIENT}};
  for (auto& h : hits) EXPECT_EQ(HitTestAt(form, h.x, h.y), h.code) << h.x << "," << h.y;
  SaveWindow("skins/form-probe.png", form);
}

// With visual themes active (the fake theme library) a window without a menu bar takes the skin's
// own margins: the client area lies inside the skin's frame widths and caption.
class FormProbeThemedTest : public FormProbeTest {
 protected:
  void SetUp() override {
    testsupport::FakeThemeLibrary::Install();
    FormProbeTest::SetUp();
  }
  void TearDown() override {
    FormProbeTest::TearDown();
    testsupport::FakeThemeLibrary::Uninstall();
  }
};

TEST_F(FormProbeThemedTest, SkinMarginsWhenVisualThemesAreActive) {
  TForm* form = MakeSkinnedForm(40, 40, 400, 300);
  TdxSkinFormNonClientAreaInfo* info = FormControllerOf(form)->NonClientInfo();
  EXPECT_FALSE(info->UsesSystemMetrics());
  EXPECT_TRUE(info->UsesSkinMargins());
  // Frame widths from the pictures (9), the caption from the tallest button (14) and the
  // caption's offsets (1 + 3), or the caption text where that is taller.
  const int caption = std::max(info->CaptionTextHeight(), 16) + 1 + 3;
  EXPECT_EQ(info->BorderWidths, TRect(9, caption, 9, 9));
  EXPECT_EQ(info->ClientRect, TRect(9, caption, 400 - 9, 300 - 9));
  EXPECT_EQ(info->Buttons()->Find(sfiClose)->HitBounds.Bottom, caption - 3);
  EXPECT_EQ(HitTestAt(form, 2, 150), HTLEFT);
  EXPECT_EQ(HitTestAt(form, 200, 150), HTCLIENT);
  EXPECT_EQ(At(form, 4, 150), Code("FormFrameLeft", esActive));
  SaveWindow("skins/form-probe-skin-margins.png", form);
}

TEST_F(FormProbeTest, ToolWindowsDialogsMinimizedAndMaximizedWindows) {
  // A tool window: the small caption with only the small close button, and no text shadow.
  TForm* tool = MakeSkinnedForm(40, 40, 200, 120, bsSizeToolWin);
  TdxSkinFormNonClientAreaInfo* info = FormControllerOf(tool)->NonClientInfo();
  EXPECT_EQ(info->BorderWidths.Top, 4 + 15);
  ASSERT_EQ(info->Buttons()->Count(), 1);
  const TRect close = info->Buttons()->Find(sfiClose)->Bounds;
  EXPECT_EQ(At(tool, (close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2), Code("SmallFormButtonClose", esNormal));
  EXPECT_EQ(At(tool, 100, info->BorderWidths.Top - 1), Code("SmallFormCaption", esActive));

  // A context-help dialog: help left of close; pressing it sends nothing.
  TForm* dialog = MakeSkinnedForm(300, 40, 240, 160, bsDialog);
  // The class library asks for no context help; the window system's style is what counts.
  SetWindowLong(dialog->Handle(), GWL_EXSTYLE, GetWindowLong(dialog->Handle(), GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
  SetWindowPos(dialog->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Pump();
  TdxSkinFormNonClientAreaInfo* d = FormControllerOf(dialog)->NonClientInfo();
  ASSERT_TRUE(d->Buttons()->Find(sfiHelp));
  EXPECT_LT(d->Buttons()->Find(sfiHelp)->HitBounds.Right, d->Buttons()->Find(sfiClose)->HitBounds.Left);
  EXPECT_FALSE(d->Buttons()->Find(sfiMenu));
  {
    const TRect help = d->Buttons()->Find(sfiHelp)->HitBounds;
    RECT w{};
    GetWindowRect(dialog->Handle(), &w);
    MessageCounter commands(dialog->Handle(), WM_SYSCOMMAND);
    platform::Headless()->InjectMouseMove(w.left + (help.Left + help.Right) / 2, w.top + 10);
    Pump();
    platform::Headless()->InjectMouseButton(1, true);
    Pump();
    platform::Headless()->InjectMouseButton(1, false);
    Pump();
    EXPECT_EQ(MessageCounter::count, 0);
  }

  // Minimized: all caption.
  TForm* form = MakeSkinnedForm(40, 300, 300, 200);
  form->SetWindowState(wsMinimized);
  Pump();
  TdxSkinFormNonClientAreaInfo* m = FormControllerOf(form)->NonClientInfo();
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  EXPECT_EQ(m->BorderWidths.Top, r.bottom - r.top);
  EXPECT_EQ(m->Buttons()->Find(sfiRestore) != nullptr, true);

  // Maximized: the caption buttons are hit at the screen's top row.
  form->SetWindowState(wsMaximized);
  Pump();
  TdxSkinFormNonClientAreaInfo* x = FormControllerOf(form)->NonClientInfo();
  GetWindowRect(form->Handle(), &r);
  const TRect closeMax = x->Buttons()->Find(sfiClose)->HitBounds;
  EXPECT_LT(r.top, 0);
  EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + (closeMax.Left + closeMax.Right) / 2, 0)), HTCLOSE);
  EXPECT_TRUE(x->Buttons()->Find(sfiRestore));
  form->SetWindowState(wsNormal);

  // A long caption ends with an ellipsis inside the text rectangle: nothing is drawn beyond it.
  TForm* longer = MakeSkinnedForm(40, 400, 220, 100);
  longer->SetCaption("A caption far too long for this narrow window to show");
  Pump();
  TdxSkinFormNonClientAreaInfo* l = FormControllerOf(longer)->NonClientInfo();
  const TRect text = l->CaptionTextRect;
  int outside = 0;
  for (int x2 = text.Right; x2 < l->Buttons()->Find(sfiMinimize)->HitBounds.Left; ++x2)
    for (int y = text.Top; y < text.Bottom; ++y) outside += At(longer, x2, y) != Code("FormCaption", esActive);
  EXPECT_EQ(outside, 0);
  SaveWindow("skins/form-probe-long-caption.png", longer);
}

TForm* AddMainMenu(TForm* Form) {
  auto* menu = new TMainMenu(Form);
  for (const char* caption : {"&File", "&Screens", "&Signals", "&Help"}) {
    auto* item = new TMenuItem(Form);
    item->SetCaption(caption);
    menu->Items()->Add(item);
  }
  Form->SetMenu(menu);
  return Form;
}

TEST_F(FormProbeTest, AMainMenuBarSitsInsideTheSkinnedFrame) {
  TForm* form = AddMainMenu(MakeSkinnedForm(40, 40, 400, 300));
  Pump();
  TdxSkinFormNonClientAreaInfo* info = FormControllerOf(form)->NonClientInfo();
  ASSERT_TRUE(info->HasMenu);
  EXPECT_GT(info->MenuBarHeightValue, 0);
  const TRect client = info->ClientRect;
  const std::uint32_t menu = skintest::RgbOf(clMenu);
  auto isProbe = [](std::uint32_t p) { return (p & 0xFF) == 0x5A; };
  // Frame strips: skin pixels only.
  int foreign = 0;
  for (int y = info->BorderWidths.Top; y < 300; ++y)
    for (int x : {0, 1, 2, 3, 396, 397, 398, 399}) foreign += !isProbe(At(form, x, y));
  for (int y = 296; y < 300; ++y)
    for (int x = 0; x < 400; ++x) foreign += !isProbe(At(form, x, y));
  EXPECT_EQ(foreign, 0);
  // Between the caption and the client area: the menu line and the window system's menu bar.
  int bar = 0, other = 0;
  for (int y = info->BorderWidths.Top; y < client.Top; ++y)
    for (int x = 4; x < 396; ++x) {
      const std::uint32_t p = At(form, x, y);
      if (p == menu)
        ++bar;
      else if (p != skintest::RgbOf(clMenuText))
        ++other;
    }
  EXPECT_GT(bar, 300);
  EXPECT_EQ(other, 0);
  SaveWindow("skins/form-probe-menu.png", form);
}

TEST_F(FormSkinningTest, GalleryOfSkinnedWindowsInEveryBuiltInSkin) {
  TForm* main = AddMainMenu(MakeSkinnedForm(20, 20, 420, 260));
  main->SetCaption("Video wall console");
  auto* ok = new TButton(main);
  ok->SetBounds(20, 20, 90, 25);
  ok->SetCaption("OK");
  ok->SetParent(main);
  auto* panel = new TPanel(main);
  panel->SetBounds(20, 60, 200, 80);
  panel->SetCaption("Wall 1");
  panel->SetParent(main);
  TForm* dialog = MakeSkinnedForm(460, 20, 260, 160, bsDialog);
  dialog->SetCaption("Scene settings");
  TForm* tool = MakeSkinnedForm(760, 20, 200, 140, bsSizeToolWin);
  tool->SetCaption("Signals");
  TForm* scroller = MakeSkinnedForm(460, 220, 260, 180);
  scroller->SetCaption("Scenes");
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 999;
    si.nPage = 200;
    si.nPos = 300;
    SetScrollInfo(scroller->Handle(), bar, &si, TRUE);
  }
  SetWindowPos(scroller->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  for (const char* skin : {"Black", "Blue", "Foggy", "LiquidSky", "Silver", "UserSkin"}) {
    skins->SetSkinName(skin);
    for (bool active : {true, false}) {
      for (TForm* f : {main, dialog, tool, scroller}) {
        if (active) f->SetFocus(); else host->SetFocus();
        Pump();
        const char* kind = f == main ? "main" : f == dialog ? "dialog" : f == tool ? "tool" : "scroll";
        SaveWindow(std::string("skins/windows/") + skin + "-" + kind + (active ? "" : "-inactive") + ".png", f);
      }
    }
  }
}

TEST_F(FormProbeTest, AScrollingFormShowsSkinnedBarsAndGrip) {
  TForm* form = MakeSkinnedForm(40, 40, 400, 300);
  HWND h = form->Handle();
  for (int bar : {SB_HORZ, SB_VERT}) {
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 999;
    si.nPage = 200;
    si.nPos = 300;
    SetScrollInfo(h, bar, &si, TRUE);
  }
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  Pump();
  TdxSkinFormNonClientAreaInfo* info = FormControllerOf(form)->NonClientInfo();
  ASSERT_EQ(info->ScrollVisible, sbvHorz | sbvVert | sbvSizeGrip);
  const TRect v = info->ScrollRects[1], grip = info->SizeGripRect;
  const TRect thumb = info->PartRects[1][3], down = info->PartRects[1][2];
  EXPECT_EQ(At(form, (thumb.Left + thumb.Right) / 2, (thumb.Top + thumb.Bottom) / 2), Code("Common/ScrollThumbVert", esNormal));
  EXPECT_EQ(At(form, (down.Left + down.Right) / 2, (down.Top + down.Bottom) / 2), Code("Common/ScrollButton", esNormal, 1));
  EXPECT_EQ(At(form, (v.Left + v.Right) / 2, thumb.Bottom + 3), Code("Common/ScrollContentVert", esNormal));
  EXPECT_EQ(At(form, (grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2), Code("Common/SizeGrip", esNormal));
  SaveWindow("skins/form-probe-scroll.png", form);
}

TEST_F(FormProbeTest, PlainButtonsAndPanels) {
  TForm* form = MakeSkinnedForm(40, 40, 400, 300);
  auto* disabled = new TButton(form);
  disabled->SetBounds(20, 20, 100, 30);
  disabled->SetCaption("Disabled");
  disabled->SetEnabled(false);
  disabled->SetParent(form);
  auto* def = new TButton(form);
  def->SetBounds(20, 70, 100, 30);
  def->SetCaption("Default");
  def->SetDefault(true);
  def->SetParent(form);
  auto* panel = new TPanel(form);
  panel->SetBounds(150, 20, 200, 100);
  panel->SetColor(clRed);
  panel->SetParentBackground(false);
  panel->SetParent(form);
  Pump();
  auto count = [&](TControl* c, std::uint32_t colour) {
    int n = 0;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x) n += Pixel(c, x, y) == colour;
    return n;
  };
  // A disabled button: the button element disabled, its caption in the disabled colour.
  EXPECT_EQ(Pixel(disabled, 2, 2), Code("Common/Button", esDisabled));
  EXPECT_GT(count(disabled, skintest::RgbOf(static_cast<TColor>(0x405060))), 10);
  // A default button returns to default after the mouse has been over it.
  EXPECT_EQ(Pixel(def, 2, 2), Code("Common/Button", esActive));
  POINT p = def->ClientToScreen(POINT{50, 15});
  platform::Headless()->InjectMouseMove(p.x, p.y);
  RunFor(30);
  EXPECT_EQ(Pixel(def, 2, 2), Code("Common/Button", esHot));
  platform::Headless()->InjectMouseMove(p.x + 300, p.y + 200);
  RunFor(30);
  Application->HandleMessage();  // the idle step that tells the button the mouse has left
  Pump();
  EXPECT_EQ(Pixel(def, 2, 2), Code("Common/Button", esActive));
  // A coloured panel keeps its colour.
  EXPECT_GT(count(panel, skintest::RgbOf(clRed)), 100 * 50);
  SaveWindow("skins/form-probe-controls.png", form);
}

TEST_F(FormSkinningTest, MDIClientAreasAndDocuments) {
  auto* main = static_cast<TForm*>(Application->CreateForm(TForm::StaticClass()));
  main->SetFormStyle(fsMDIForm);
  main->SetBounds(30, 30, 640, 460);
  main->SetCaption("Console");
  main->Show();
  auto makeChild = [](const char* caption, int x, int y) {
    auto* f = new TForm(Application, 0);
    f->SetFormStyle(fsMDIChild);
    f->SetCaption(caption);
    f->SetBounds(x, y, 260, 180);
    f->Show();
    return f;
  };
  TForm* one = makeChild("One", 10, 10);
  TForm* two = makeChild("Two", 120, 90);
  Pump();
  ASSERT_EQ(Application->MainForm(), main);
  // The client area is attached once its creation is through, and paints with the frame's skin.
  HWND client = main->ClientHandle();
  ASSERT_TRUE(client);
  TdxSkinWinController* c = ControllerOf(client);
  ASSERT_NE(c, nullptr);
  EXPECT_STREQ(c->ClassName().c_str(), "TdxSkinFormController");
  EXPECT_EQ(c->ParentController(), ControllerOf(main));
  EXPECT_EQ(c->SkinPainter(), ControllerOf(main)->SkinPainter());
  EXPECT_TRUE(IsSkinnedWindow(client));
  EXPECT_TRUE(IsSkinnedWindow(one->Handle()));
  EXPECT_TRUE(IsSkinnedWindow(two->Handle()));
  SaveWindow("skins/form-mdi.png", main);
  // A document that goes tells the frame to redraw its caption and menu-bar buttons.
  Pump();
  delete two;
  MSG m;
  EXPECT_TRUE(PeekMessage(&m, main->Handle(), SkinMsgRefreshMDIFrame, SkinMsgRefreshMDIFrame, PM_NOREMOVE));
  Pump();
}

TEST_F(FormSkinningTest, ResettingTheRootTurnsSkinsBackOn) {
  struct TResettable : TdxSkinController {
    using TdxSkinController::TdxSkinController;
    void Reset() { ResetRootValues(); }
  };
  TForm* form = MakeSkinnedForm(40, 40, 300, 200);
  auto* other = new TResettable(form);
  skins->SetUseSkins(false);
  Pump();
  EXPECT_FALSE(IsSkinnedWindow(form->Handle()));
  other->Reset();
  EXPECT_TRUE(::UseSkins());
  EXPECT_EQ(skins->SkinName(), String()) << "and the skin name is cleared";
  EXPECT_FALSE(IsSkinnedWindow(form->Handle()));
  skins->SetSkinName("Foggy");
  EXPECT_TRUE(IsSkinnedWindow(form->Handle()));
}

TEST_F(FormSkinningTest, LabelsOfRunTimeFormsTurnTransparent) {
  // Each form has its label before its window exists.
  auto* form = new TForm(Application, 0);
  auto* label = new TLabel(form);
  label->SetParent(form);
  auto* own = new TOwnForm(Application, 0);
  auto* ownLabel = new TLabel(own);
  ownLabel->SetParent(own);
  form->Show();
  own->Show();
  Pump();
  EXPECT_TRUE(label->Transparent());
  EXPECT_FALSE(ownLabel->Transparent());
}

// A form that counts what reaches its own window procedure.
class TCountingForm : public TForm {
  VW_CLASS(TCountingForm, TForm)
 public:
  using TForm::TForm;
  int HitTests = 0;
  void WndProc(TMessage& Message) override {
    if (Message.Msg == WM_NCHITTEST) ++HitTests;
    TForm::WndProc(Message);
  }
};

TEST_F(FormSkinningTest, UnskinnedFormsGetTheirMessagesUntouched) {
  auto* form = new TCountingForm(Application, 0);
  form->SetBorderStyle(bsSizeable);
  form->SetBounds(40, 40, 300, 200);
  form->Show();
  Pump();
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  const LPARAM caption = MAKELPARAM(r.left + 100, r.top + 10);
  SendMessage(form->Handle(), WM_NCHITTEST, 0, caption);
  EXPECT_EQ(form->HitTests, 0) << "the skin answers the caption's hit test itself";
  skins->SetSkinName("");
  Pump();
  EXPECT_FALSE(ControllerOf(form)->IsHooked());
  EXPECT_EQ(SendMessage(form->Handle(), WM_NCHITTEST, 0, caption), HTCAPTION);
  EXPECT_EQ(form->HitTests, 1);
}

TEST_F(FormSkinningTest, TwoControllersOnTwoForms) {
  TForm* second = MakeForm(100, 60);
  auto* other = new TdxSkinController(second);
  // The first created decides: the second's refusal changes nothing.
  other->OnSkinForm = [](TObject*, TCustomForm*, String&, bool& UseSkin) { UseSkin = false; };
  TForm* form = MakeSkinnedForm(40, 40, 300, 200);
  EXPECT_TRUE(IsSkinnedWindow(form->Handle()));
  other->OnSkinForm = nullptr;
  skins->OnSkinForm = [](TObject*, TCustomForm*, String&, bool& UseSkin) { UseSkin = false; };
  TForm* refused = MakeSkinnedForm(400, 40, 300, 200);
  EXPECT_FALSE(IsSkinnedWindow(refused->Handle()));
  skins->OnSkinForm = nullptr;

  // A plain button stays plain only while no controller answers true.
  auto* button = new TButton(form);
  button->SetParent(form);
  skins->OnSkinControl = [](TObject*, TWinControl*, bool& UseSkin) { UseSkin = false; };
  RefreshSkinnedWindows();
  EXPECT_TRUE(IsSkinnedWindow(button->Handle())) << "the other controller says yes";
  other->OnSkinControl = [](TObject*, TWinControl*, bool& UseSkin) { UseSkin = false; };
  RefreshSkinnedWindows();
  EXPECT_FALSE(IsSkinnedWindow(button->Handle()));
  EXPECT_TRUE(IsSkinnedWindow(form->Handle()));
}

TEST_F(FormSkinningTest, ABorderStyleChangeKeepsTheControllerAndTheUnitEndLeavesNothing) {
  TForm* form = MakeSkinnedForm(40, 40, 300, 200);
  TdxSkinWinController* c = ControllerOf(form);
  const HWND before = form->Handle();
  form->SetBorderStyle(bsDialog);
  Pump();
  ASSERT_NE(form->Handle(), before);
  EXPECT_EQ(ControllerOf(form), c);
  EXPECT_TRUE(c->IsHooked());
  EXPECT_EQ(SkinFormControllerRegistry()->FindByHandle(before), nullptr);

  const FlatSB_SetScrollPosProc skinnedPos = FlatSB_SetScrollPos;
  FormSkinsUnitShutdown();
  EXPECT_NE(FlatSB_SetScrollPos, skinnedPos);
  EXPECT_EQ(SkinFormControllerRegistry(), nullptr);
  TForm* later = MakeSkinnedForm(400, 40, 300, 200);
  EXPECT_FALSE(IsSkinnedWindow(later->Handle()));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(form->Handle(), region), ERROR) << "no region is left behind";
  DeleteObject(region);
}

// ---- input on the frame ---------------------------------------------------------------------------

class FormInputTest : public FormProbeTest {
 protected:
  void MoveTo(TWinControl* W, int X, int Y) {
    RECT r{};
    GetWindowRect(W->Handle(), &r);
    platform::Headless()->InjectMouseMove(r.left + X, r.top + Y);
    RunFor(30);
  }
  void Button(int Which, bool Down) {
    platform::Headless()->InjectMouseButton(Which, Down);
    RunFor(1);
  }
  // Both before anything is pumped: a press on the caption starts the window system's move loop,
  // which runs until the release.
  void Click(int Which = 1) {
    platform::Headless()->InjectMouseButton(Which, true);
    platform::Headless()->InjectMouseButton(Which, false);
    RunFor(1);
  }
  TPoint Centre(const TRect& R) { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
};

TEST_F(FormInputTest, TheCloseButtonHotPressedAndReleased) {
  TForm* form = MakeSkinnedForm(60, 60, 400, 300);
  TdxSkinFormController* c = FormControllerOf(form);
  const TPoint close = Centre(c->NonClientInfo()->Buttons()->Find(sfiClose)->Bounds);
  MoveTo(form, close.X, close.Y);
  EXPECT_EQ(At(form, close.X, close.Y), Code("FormButtonClose", esHot));
  MoveTo(form, 200, 150);
  EXPECT_EQ(At(form, close.X, close.Y), Code("FormButtonClose", esNormal)) << "leaving draws it normal";

  // Pressed, then released outside: nothing.
  MessageCounter commands(form->Handle(), WM_SYSCOMMAND);
  MoveTo(form, close.X, close.Y);
  Button(1, true);
  EXPECT_EQ(At(form, close.X, close.Y), Code("FormButtonClose", esPressed));
  MoveTo(form, 200, 12);
  Button(1, false);
  EXPECT_EQ(MessageCounter::count, 0);
  // Pressed and released on it: SC_CLOSE.
  MoveTo(form, close.X, close.Y);
  Click();
  EXPECT_EQ(MessageCounter::count, 1);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
}

TEST_F(FormInputTest, AGreyedCloseItemDisablesTheCloseButton) {
  TForm* form = MakeSkinnedForm(60, 60, 400, 300);
  TdxSkinFormController* c = FormControllerOf(form);
  EnableMenuItem(GetSystemMenu(form->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  const TPoint close = Centre(c->NonClientInfo()->Buttons()->Find(sfiClose)->Bounds);
  MessageCounter commands(form->Handle(), WM_SYSCOMMAND);
  MoveTo(form, close.X, close.Y);
  EXPECT_EQ(At(form, close.X, close.Y), Code("FormButtonClose", esNormal)) << "a disabled button is not hot";
  Click();
  EXPECT_EQ(MessageCounter::count, 0);
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
}

TEST_F(FormInputTest, CaptionDoubleClickDragAndTheWindowMenu) {
  TForm* form = MakeSkinnedForm(60, 60, 400, 300);
  MoveTo(form, 200, 12);
  Click();
  Click();
  EXPECT_TRUE(IsZoomed(form->Handle()));
  RECT r{};
  GetWindowRect(form->Handle(), &r);
  platform::Headless()->InjectMouseMove(r.left + 200, 12);
  RunFor(30);
  Click();
  Click();
  EXPECT_FALSE(IsZoomed(form->Handle()));

  // Dragging the caption moves the window.
  GetWindowRect(form->Handle(), &r);
  MoveTo(form, 200, 12);
  platform::Headless()->InjectMouseButton(1, true);
  platform::Headless()->InjectMouseMove(r.left + 250, r.top + 40);
  platform::Headless()->InjectMouseButton(1, false);
  RunFor(30);
  RECT moved{};
  GetWindowRect(form->Handle(), &moved);
  EXPECT_EQ(moved.left - r.left, 50);
  EXPECT_EQ(moved.top - r.top, 28);

  // A right click on the caption opens the window menu (closed again by the Escape that waits
  // behind the click); in the client area it does not.
  MessageCounter menus(form->Handle(), WM_INITMENU);
  for (int y : {12, 150}) {
    MoveTo(form, 200, y);
    platform::Headless()->InjectMouseButton(3, true);
    platform::Headless()->InjectMouseButton(3, false);
    platform::Headless()->InjectKey(VK_ESCAPE, true);
    platform::Headless()->InjectKey(VK_ESCAPE, false);
    RunFor(30);
    EXPECT_EQ(MessageCounter::count, 1) << y;
  }
}

TEST_F(FormInputTest, AnInactiveWindowDrawsItsFrameActiveDisabledWithoutShadow) {
  TForm* form = MakeSkinnedForm(60, 60, 400, 300);
  TdxSkinFormController* c = FormControllerOf(form);
  TForm* other = MakeSkinnedForm(600, 60, 200, 150);
  other->SetFocus();
  Pump();
  EXPECT_FALSE(c->NonClientInfo()->Active);
  EXPECT_EQ(At(form, 1, 150), Code("FormFrameLeft", esActiveDisabled));
  EXPECT_EQ(At(form, 200, 21), Code("FormCaption", esActiveDisabled));
  const TPoint close = Centre(c->NonClientInfo()->Buttons()->Find(sfiClose)->Bounds);
  EXPECT_EQ(At(form, close.X, close.Y), Code("FormButtonClose", esActiveDisabled));
  // No shadow colour anywhere in the caption text.
  const TRect text = c->NonClientInfo()->CaptionTextRect;
  int shadow = 0, ink = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = text.Left - 1; x < text.Right; ++x) {
      shadow += At(form, x, y) == skintest::RgbOf(static_cast<TColor>(0x102030));
      ink += At(form, x, y) == skintest::RgbOf(c->NonClientInfo()->InactiveTextColor);
    }
  EXPECT_EQ(shadow, 0);
  EXPECT_GT(ink, 10);
  form->SetFocus();
  Pump();
  shadow = 0;
  for (int y = 0; y < 23; ++y)
    for (int x = text.Left; x < text.Right + 1; ++x) shadow += At(form, x, y) == skintest::RgbOf(static_cast<TColor>(0x102030));
  EXPECT_GT(shadow, 10) << "an active caption has its shadow";
  SaveWindow("skins/form-probe-active.png", form);
}

}  // namespace
