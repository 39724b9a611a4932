// The drop-down popup on the headless screen: a container with an inner edit owns it on a form,
// and injected clicks, keys and window changes close it, or leave it open, as the closing rules
// say, for capturing and non-capturing popups alike.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/StdCtrls.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/Container.h"
#include "ui/controls/CustomPopupWindow.h"
#include "ui/controls/WindowProcController.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class TEditContainer : public TcxContainer {
  VW_CLASS(TEditContainer, TcxContainer)
 public:
  explicit TEditContainer(TComponent* AOwner) : TcxContainer(AOwner) {
    Edit = new TEdit(this);
    Edit->SetParent(this);
    SetInnerControl(Edit);
  }
  TEdit* Edit;
};

// A popup with a single frame and a drop shadow that counts its closings through CloseUp.
class TTestPopup : public TcxCustomPopupWindow {
  VW_CLASS(TTestPopup, TcxCustomPopupWindow)
 public:
  explicit TTestPopup(TControl* Owner) : TcxCustomPopupWindow(Owner) {
    Adjustable = false;
    SetColor(clWindow);
  }
  int CloseUps = 0;
  bool Clamps = false;
  void CloseUp() override {
    ++CloseUps;
    TcxCustomPopupWindow::CloseUp();
  }
  bool ClampsToWorkArea() override { return Clamps; }
  // The frame, shadow and client of a popup Width x Height.
  void Layout() {
    TcxContainerViewInfo* v = ViewInfo();
    v->Bounds = TRect(0, 0, Width(), Height());
    v->BorderStyle = cbsSingle;
    v->BorderWidth = 1;
    v->BorderColor = clWindowFrame;
    v->Shadow = true;
    v->Edges = cxBordersAll;
    v->BackgroundColor = clWindow;
    v->BorderRect = TRect(1, 1, Width() - 4, Height() - 4);
    v->ClientRect = v->BorderRect;
    // The corners the shadow leaves free show what lies behind, as the editors' popups do it.
    if (HandleAllocated())
      SetWindowShadowRegion(Handle(), TRect(0, 0, Width() - 3, Height() - 3), TRect(), TRect(), true, false);
  }
};

class PopupWindowTest : public ControlsTest {
 public:
  void SetUp() override {
    ControlsTest::SetUp();
    RECT work{0, 0, 1024, 740};
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    form = new TForm(Application, 0);
    form->SetBounds(40, 40, 420, 300);
    form->SetColor(clBtnFace);
    form->OnClose = [this](TObject*, TCloseAction& Action) {
      ++formCloses;
      Action = caNone;
    };
    owner = new TEditContainer(form);
    owner->SetParent(form);
    owner->SetBounds(20, 20, 150, 24);
    other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(20, 200, 150, 24);
    form->Show();
    Pump();
    formHook = WindowProcControllerInstance()->HookWindow(form->Handle(), [this](TMessage& m) {
      if (m.Msg == WM_NCACTIVATE) formNcActivations.push_back(m.WParam);
      CallPreviousWindowProc(formHook, m);
    });
    owner->Edit->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { ++ownerClicks; };
    owner->Edit->SetFocus();
    Pump();
  }
  void TearDown() override {
    delete popup;
    if (formHook) WindowProcControllerInstance()->Unhook(formHook);
    delete form;
    ControlsTest::TearDown();
  }
  TTestPopup* MakePopup(bool capture) {
    popup = new TTestPopup(owner);
    popup->SetCaptureFocus(capture);
    popup->SetModalMode(false);
    popup->OwnerParent = form;
    popup->OwnerBounds = TRect(owner->Left(), owner->Top(), owner->Left() + owner->Width(),
                               owner->Top() + owner->Height());
    popup->SetBounds(0, 0, 160, 120);
    popup->HandleNeeded();
    popup->Layout();
    return popup;
  }
  void Show(bool capture) {
    MakePopup(capture)->PopupModal(capture ? nullptr : owner->Edit);
    Pump();
  }
  bool Listed() { return IsPopupVisibleListed(popup); }
  void Click(int x, int y) {
    Headless().InjectMouseMove(x, y);
    Headless().InjectMouseButton(platform::kButtonLeft, true);
    Headless().InjectMouseButton(platform::kButtonLeft, false);
    Pump();
  }
  POINT OnScreen(TControl* c, int x, int y) { return c->ClientToScreen(POINT{x, y}); }

  TForm* form = nullptr;
  TEditContainer* owner = nullptr;
  TEdit* other = nullptr;
  TTestPopup* popup = nullptr;
  TcxWindowProcLinkedObject* formHook = nullptr;
  std::vector<WPARAM> formNcActivations;
  int ownerClicks = 0;
  int formCloses = 0;
};

// ---- closing by the mouse ------------------------------------------------------------------------

TEST_F(PopupWindowTest, ClicksCloseThePopupOrLeaveItOpen) {
  struct Case {
    const char* name;
    std::function<POINT(PopupWindowTest&)> where;
    bool closes;
    int ownerClicks;
  };
  const Case cases[] = {
      {"elsewhere on the form", [](PopupWindowTest& t) { return t.OnScreen(t.form, 300, 250); }, true, 0},
      {"another control", [](PopupWindowTest& t) { return t.OnScreen(t.other, 5, 5); }, true, 0},
      {"the form's caption", [](PopupWindowTest& t) { return POINT{t.form->Left() + 150, t.form->Top() + 8}; }, true, 0},
      {"inside the popup", [](PopupWindowTest& t) { return t.OnScreen(t.popup, 50, 50); }, false, 0},
      {"the owner", [](PopupWindowTest& t) { return t.OnScreen(t.owner->Edit, 5, 5); }, true, 1},
  };
  for (bool capture : {false, true})
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (capture ? ", capturing" : ", non-capturing"));
      ownerClicks = 0;
      Show(capture);
      ASSERT_TRUE(Listed());
      POINT p = c.where(*this);
      Click(p.x, p.y);
      EXPECT_EQ(Listed(), !c.closes);
      EXPECT_EQ(popup->Visible(), !c.closes);
      EXPECT_EQ(ownerClicks, c.ownerClicks);
      delete popup;
      popup = nullptr;
      Pump();
    }
}

TEST_F(PopupWindowTest, AClickOnAnOwnerHiddenWhileClosingDoesNotReachIt) {
  Show(false);
  popup->OnClosed = [this](TObject*) { owner->SetVisible(false); };
  POINT p = OnScreen(owner->Edit, 5, 5);
  Click(p.x, p.y);
  EXPECT_FALSE(Listed());
  EXPECT_EQ(ownerClicks, 0);

  // Nor does it reach an owner destroyed while closing.
  owner->SetVisible(true);
  Pump();
  popup->OnClosed = nullptr;
  popup->ClosePopup();
  delete popup;
  Show(false);
  popup->OnClosed = [this](TObject*) {
    delete owner;
    owner = nullptr;
  };
  Click(p.x, p.y);
  EXPECT_FALSE(Listed());
  EXPECT_EQ(ownerClicks, 0);
  EXPECT_EQ(popup->OwnerControl(), nullptr);
}

// ---- closing by window changes -------------------------------------------------------------------

TEST_F(PopupWindowTest, SwitchingApplicationClosesAndTheCaptionTurnsInactive) {
  Show(false);
  formNcActivations.clear();
  // The form, active behind its non-capturing popup, loses the activation to another program.
  SetActiveWindow(nullptr);
  Pump();
  EXPECT_FALSE(Listed());
  ASSERT_FALSE(formNcActivations.empty());
  EXPECT_EQ(formNcActivations.back(), 0u);
  delete popup;
  popup = nullptr;

  // A capturing popup that is no longer the active window closes too.
  SetActiveWindow(form->Handle());
  Pump();
  Show(true);
  popup->LockClosing(true);
  SetActiveWindow(form->Handle());
  Pump();
  ASSERT_TRUE(Listed());
  SendMessage(form->Handle(), WM_ACTIVATEAPP, FALSE, 0);
  EXPECT_FALSE(Listed());
  popup->LockClosing(false);
}

TEST_F(PopupWindowTest, TheOwnersFormKeepsItsActiveCaptionWhileThePopupIsShown) {
  formNcActivations.clear();
  Show(true);
  EXPECT_EQ(GetActiveWindow(), popup->Handle());
  for (WPARAM w : formNcActivations) EXPECT_NE(w, 0u);
  EXPECT_TRUE(form->Active() || GetActiveWindow() == popup->Handle());
  popup->ClosePopup();
  Pump();
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  for (WPARAM w : formNcActivations) EXPECT_NE(w, 0u);
}

TEST_F(PopupWindowTest, TheOwnersFormHearsNoActivationChangeFromItsPopup) {
  int activations = 0, deactivations = 0;
  form->OnActivate = [&](TObject*) { ++activations; };
  form->OnDeactivate = [&](TObject*) { ++deactivations; };
  Show(true);
  EXPECT_EQ(GetActiveWindow(), popup->Handle());
  popup->ClosePopup();
  Pump();
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  EXPECT_EQ(deactivations, 0);
  EXPECT_EQ(activations, 0);
  // Another form taking the activation is heard as ever.
  TForm* second = NewForm(500, 40, 100, 100);
  SetActiveWindow(second->Handle());
  SetActiveWindow(form->Handle());
  Pump();
  EXPECT_EQ(deactivations, 1);
  EXPECT_EQ(activations, 1);
  delete second;
}

TEST_F(PopupWindowTest, EscapeReleasesTheCaptureAndKeepsThePopupOpen) {
  Show(true);
  ASSERT_EQ(GetFocus(), popup->Handle());
  SetCapture(popup->Handle());
  ASSERT_TRUE(popup->HasMouseCapture());
  Headless().InjectKey(VK_ESCAPE, true);
  Headless().InjectKey(VK_ESCAPE, false);
  Pump();
  EXPECT_FALSE(popup->HasMouseCapture());
  EXPECT_TRUE(Listed());
  EXPECT_TRUE(popup->Focused());
}

TEST_F(PopupWindowTest, HidingMovingOrDestroyingTheOwnerCloses) {
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(200, 20, 180, 60);
  struct Case {
    const char* name;
    std::function<void(PopupWindowTest&, TPanel*)> act;
  };
  const Case cases[] = {
      {"owner hidden", [](PopupWindowTest& t, TPanel*) { t.owner->SetVisible(false); }},
      {"owner's panel hidden", [](PopupWindowTest&, TPanel* p) { p->SetVisible(false); }},
      {"owner's form hidden", [](PopupWindowTest& t, TPanel*) { t.form->Hide(); }},
  };
  for (bool capture : {false, true})
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (capture ? ", capturing" : ", non-capturing"));
      form->Show();
      panel->SetVisible(true);
      owner->SetParent(panel);
      owner->SetVisible(true);
      Pump();
      Show(capture);
      ASSERT_TRUE(Listed());
      c.act(*this, panel);
      Pump();
      EXPECT_FALSE(Listed());
      EXPECT_FALSE(popup->Visible());
      delete popup;
      popup = nullptr;
    }
}

TEST_F(PopupWindowTest, ADestroyedOwnerClosesItsPopupAndGetsNoFocusBack) {
  for (bool capture : {false, true}) {
    SCOPED_TRACE(capture);
    Show(capture);
    int closes = 0;
    popup->OnClosed = [&](TObject*) { ++closes; };
    delete owner;
    owner = nullptr;
    Pump();
    EXPECT_FALSE(Listed());
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(popup->OwnerControl(), nullptr);
    // Nothing of the owner is reached any more: showing again does nothing.
    popup->PopupModal(nullptr);
    EXPECT_FALSE(Listed());
    delete popup;
    popup = nullptr;
    owner = new TEditContainer(form);
    owner->SetParent(form);
    owner->SetBounds(20, 20, 150, 24);
    Pump();
  }
}

TEST_F(PopupWindowTest, ClosingACapturingPopupGoesOnToTheOwnersForm) {
  Show(true);
  SendMessage(popup->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(Listed());
  EXPECT_EQ(formCloses, 1);
}

// ---- keys ----------------------------------------------------------------------------------------

TEST_F(PopupWindowTest, OnlyPopupKeysPassAsSystemKeysBehindANonCapturingPopup) {
  std::vector<WPARAM> sysKeys;
  TcxWindowProcLinkedObject* hook = nullptr;
  hook = WindowProcControllerInstance()->HookWindow(owner->Edit->Handle(), [&](TMessage& m) {
    if (m.Msg == WM_SYSKEYDOWN) sysKeys.push_back(m.WParam);
    CallPreviousWindowProc(hook, m);
  });
  Show(false);
  ASSERT_EQ(GetFocus(), owner->Edit->Handle());
  Headless().InjectKey(VK_MENU, true);
  Headless().InjectKey(VK_UP, true);
  Headless().InjectKey(VK_UP, false);
  Headless().InjectKey('X', true);
  Headless().InjectKey('X', false);
  Headless().InjectKey(VK_MENU, false);
  Pump();
  EXPECT_EQ(sysKeys, std::vector<WPARAM>{VK_UP});
  EXPECT_TRUE(Listed());
  WindowProcControllerInstance()->Unhook(hook);
}

TEST_F(PopupWindowTest, PopupKeysAreTheNavigationKeysAndF4) {
  MakePopup(true);
  for (WORD key = 0; key < 256; ++key)
    EXPECT_EQ(popup->IsPopupKey(key), (key >= 33 && key <= 40) || key == 115) << key;
}

// ---- showing -------------------------------------------------------------------------------------

TEST_F(PopupWindowTest, ShowingTwiceOrWithAHiddenOwnerDoesNothing) {
  MakePopup(false);
  int showings = 0;
  popup->OnShowing = [&](TObject*) { ++showings; };
  owner->SetVisible(false);
  popup->PopupModal(nullptr);
  EXPECT_EQ(showings, 0);
  EXPECT_FALSE(Listed());
  owner->SetVisible(true);
  popup->PopupModal(nullptr);
  popup->PopupModal(nullptr);
  EXPECT_EQ(showings, 1);
  EXPECT_EQ(ShownPopups().size(), 1u);
}

TEST_F(PopupWindowTest, ANonCapturingPopupStandsOnTheDesktopAndNeverTakesTheActivation) {
  Show(false);
  HWND h = popup->Handle();
  EXPECT_EQ(GetParent(h), nullptr);
  EXPECT_NE(GetWindowLong(h, GWL_STYLE) & WS_CHILD, 0);
  EXPECT_NE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_NE(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_TRUE(IsWindowVisible(h));
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  EXPECT_EQ(GetFocus(), owner->Edit->Handle());
  POINT p = OnScreen(popup, 50, 50);
  Click(p.x, p.y);
  EXPECT_EQ(SetActiveWindow(h), nullptr);
  EXPECT_EQ(GetActiveWindow(), form->Handle());
  EXPECT_TRUE(Listed());
}

TEST_F(PopupWindowTest, ACapturingPopupIsOwnedByTheFormAndTakesTheFocus) {
  MakePopup(true);
  auto* edit = new TEdit(popup);
  edit->SetParent(popup);
  edit->SetBounds(5, 5, 100, 20);
  popup->PopupModal(nullptr);
  Pump();
  HWND h = popup->Handle();
  EXPECT_NE(GetWindowLong(h, GWL_STYLE) & WS_POPUP, 0);
  EXPECT_EQ(GetWindowLong(h, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetActiveWindow(), h);
  EXPECT_EQ(popup->FocusedControl(), popup);
  popup->ClosePopup();
  Pump();
  // A control given that can take the focus gets it; a disabled one gives way to the first tab stop.
  auto* second = new TEdit(popup);
  second->SetParent(popup);
  second->SetBounds(5, 30, 100, 20);
  second->SetEnabled(false);
  popup->PopupModal(second);
  Pump();
  EXPECT_EQ(popup->FocusedControl(), edit);
  EXPECT_EQ(GetFocus(), edit->Handle());
  popup->ClosePopup();
  Pump();
  EXPECT_EQ(GetActiveWindow(), form->Handle());
}

TEST_F(PopupWindowTest, ACapturingPopupStaysOnTopOnlyWithATopmostForm) {
  form->SetFormStyle(fsStayOnTop);
  Pump();
  Show(true);
  EXPECT_NE(GetWindowLong(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  popup->ClosePopup();
  // Made again with the flag: the window is created topmost.
  popup->SetTopmostWithOwner(true);
  popup->HandleNeeded();
  EXPECT_NE(GetWindowLong(popup->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

TEST_F(PopupWindowTest, ChangingTheCaptureRecreatesAndShowsAgain) {
  Show(false);
  HWND first = popup->Handle();
  popup->SetCaptureFocus(true);
  Pump();
  EXPECT_TRUE(Listed());
  EXPECT_NE(popup->Handle(), first);
  EXPECT_NE(GetWindowLong(popup->Handle(), GWL_STYLE) & WS_POPUP, 0);
  // Shown again with the control it focused before: the owner's edit.
  EXPECT_EQ(GetFocus(), owner->Edit->Handle());
}

// ---- the modal loop and the close request --------------------------------------------------------

TEST_F(PopupWindowTest, AModalResultClosesThroughCloseUp) {
  MakePopup(true);
  popup->SetModalMode(true);
  popup->HandleNeeded();
  // A timer sets the result from inside the loop.
  TcxWindowProcLinkedObject* hook = nullptr;
  hook = WindowProcControllerInstance()->HookWindow(popup->Handle(), [&](TMessage& m) {
    if (m.Msg == WM_TIMER) {
      KillTimer(popup->Handle(), 1);
      popup->SetModalResult(mrOk);
    }
    CallPreviousWindowProc(hook, m);
  });
  popup->OnShown = [this](TObject*) { SetTimer(popup->Handle(), 1, 50, nullptr); };
  popup->PopupModal(nullptr);
  EXPECT_FALSE(Listed());
  EXPECT_EQ(popup->CloseUps, 1);
  WindowProcControllerInstance()->Unhook(hook);
}

TEST_F(PopupWindowTest, APopupDestroyedInItsLoopEndsTheLoop) {
  MakePopup(true);
  popup->SetModalMode(true);
  popup->HandleNeeded();
  TcxWindowProcLinkedObject* hook = nullptr;
  hook = WindowProcControllerInstance()->HookWindow(popup->Handle(), [&](TMessage& m) {
    CallPreviousWindowProc(hook, m);
    if (m.Msg == WM_TIMER) {
      WindowProcControllerInstance()->Unhook(hook);
      delete popup;
      popup = nullptr;
    }
  });
  SetTimer(popup->Handle(), 1, 50, nullptr);
  popup->PopupModal(nullptr);
  EXPECT_EQ(popup, nullptr);
  EXPECT_TRUE(ShownPopups().empty());
}

TEST_F(PopupWindowTest, ACloseRequestFromTheShownHandlerClosesSafely) {
  MakePopup(false);
  popup->OnShown = [this](TObject* Sender) { PostPopupCloseRequest(static_cast<TcxCustomPopupWindow*>(Sender)); };
  popup->PopupModal(owner->Edit);
  EXPECT_TRUE(Listed());
  Pump();
  EXPECT_FALSE(Listed());
  EXPECT_FALSE(popup->IsLocked());
}

// ---- placement -----------------------------------------------------------------------------------

TEST_F(PopupWindowTest, ClampingToTheWorkAreaMovesAndShrinks) {
  struct Case {
    TPoint p;
    int width, height;
    TPoint expectedP;
    int expectedWidth, expectedHeight;
  };
  const Case cases[] = {
      {TPoint(-20, 700), 200, 100, TPoint(0, 700), 180, 40},
      {TPoint(100, -30), 200, 100, TPoint(100, 0), 200, 70},
      {TPoint(900, 100), 200, 100, TPoint(900, 100), 124, 100},
      // Below the area's bottom: the height stops at nothing instead of going negative.
      {TPoint(10, 760), 200, 100, TPoint(10, 740), 200, 0},
  };
  MakePopup(true);
  popup->Clamps = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p.Y);
    popup->SetBounds(0, 0, c.width, c.height);
    TPoint p = c.p;
    popup->ClampToWorkArea(p);
    EXPECT_EQ(p, c.expectedP);
    EXPECT_EQ(popup->Width(), c.expectedWidth);
    EXPECT_EQ(popup->Height(), c.expectedHeight);
  }
  popup->Clamps = false;
  TPoint p(-20, 700);
  popup->SetBounds(0, 0, 200, 100);
  popup->ClampToWorkArea(p);
  EXPECT_EQ(p, TPoint(-20, 700));
  EXPECT_EQ(popup->Width(), 200);
}

TEST_F(PopupWindowTest, APopupWithFrameAndShadowOverItsForm) {
  MakePopup(true);
  auto* label = new TLabel(popup);
  label->SetParent(popup);
  label->SetCaption("Popup content");
  label->SetBounds(8, 8, 120, 16);
  popup->PopupModal(nullptr);
  popup->Invalidate();
  Pump();
  EXPECT_EQ(popup->Left(), owner->ClientToScreen(POINT{0, 0}).x);
  EXPECT_EQ(popup->Top(), owner->ClientToScreen(POINT{0, owner->Height()}).y);
  HDC dc = GetDC(popup->Handle());
  EXPECT_EQ(GetPixel(dc, 0, 50), ColorToRGB(clWindowFrame));
  EXPECT_EQ(GetPixel(dc, 50, 50), ColorToRGB(clWindow));
  EXPECT_EQ(GetPixel(dc, popup->Width() - 2, 60), ColorToRGB(clBtnShadow));
  ReleaseDC(popup->Handle(), dc);
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("popup/cx_custom_popup.png")));
}

// Every border style of the popup's view info, with and without the shadow, side by side.
TEST_F(PopupWindowTest, GalleryOfPopupFrames) {
  form->Hide();
  Pump();
  const TcxContainerBorderStyle styles[] = {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D};
  std::vector<TTestPopup*> popups;
  int x = 10;
  for (TcxContainerBorderStyle style : styles)
    for (bool shadow : {false, true}) {
      auto* p = new TTestPopup(owner);
      p->SetCaptureFocus(false);
      p->SetBounds(x, 100, 90, 70);
      p->HandleNeeded();
      p->Layout();
      TcxContainerViewInfo* v = p->ViewInfo();
      v->BorderStyle = style;
      v->BorderWidth = ContainerBorderWidth(style);
      v->Shadow = shadow;
      const int w = v->BorderWidth, s = shadow ? 3 : 0;
      v->BorderRect = TRect(w, w, p->Width() - w - s, p->Height() - w - s);
      v->ClientRect = v->BorderRect;
      SetWindowShadowRegion(p->Handle(), TRect(0, 0, p->Width() - s, p->Height() - s), TRect(), TRect(), shadow, false);
      ShowWindow(p->Handle(), SW_SHOWNA);
      popups.push_back(p);
      x += 100;
    }
  Pump();
  for (TTestPopup* p : popups) {
    HDC dc = GetDC(p->Handle());
    EXPECT_EQ(GetPixel(dc, 40, 30), ColorToRGB(clWindow));
    ReleaseDC(p->Handle(), dc);
  }
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("popup/cx_custom_popup_frames.png")));
  for (TTestPopup* p : popups) delete p;
}

}  // namespace
