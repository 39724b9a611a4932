// The library's control base: keys it asks for, mouse-down, wheel, paint and popup menus; the
// internal scroll bars and their rules; its own drag-and-drop.
#include "ui/controls/Control.h"

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Menus.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/ControlChildComponent.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/OSVersion.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

// A control that reports its content size and counts what it is asked to do.
class TTestControl : public TcxControl {
 public:
  using TcxControl::TcxControl;

  int ContentWidth = 0, ContentHeight = 0;
  int FixedPage = 0;  // a page that does not follow the client
  bool AllowHide = true;
  bool HidesWhenFits = false;
  // Ranges from the pages left with both bars assumed, as a control with fixed bars does.
  bool PagesWithBothBars = false;
  // Decides the vertical bar from its shown state rather than the one being computed.
  bool ReadsShownBars = false;
  bool ArmsDrag = false;
  TcxDragAndDropObjectClass DragClass;
  std::vector<std::pair<TScrollBarKind, TScrollCode>> Scrolls;
  std::vector<TPoint> Starts;
  std::function<void()> OnPaint;
  int FillRuns = 0;

  TRect ClientBoundsNow() { return ClientBounds(); }
  void FillScrollBarParams() override {
    ++FillRuns;
    TRect c = ClientBounds();
    int w = c.Right - c.Left, h = c.Bottom - c.Top;
    if (PagesWithBothBars) {
      w = Width() - VScrollBar()->Width();
      h = Height() - HScrollBar()->Height();
    }
    if (FixedPage) w = h = FixedPage;
    if (ReadsShownBars) {
      bool shown = VScrollBar()->Visible();
      SetScrollBarInfo(sbVertical, 0, shown ? 50 : 150, 1, 100, 0, true, true);
      return;
    }
    SetScrollBarInfo(sbHorizontal, 0, ContentWidth - 1, 1, w, 0, true, AllowHide);
    SetScrollBarInfo(sbVertical, 0, ContentHeight - 1, 1, h, 0, true, AllowHide);
  }
  bool HidesScrollBarWhenFits(TScrollBarKind) override { return HidesWhenFits; }
  std::function<void()> OnScrollContent;
  void ScrollContent(TScrollBarKind Kind, TScrollCode Code, int&) override {
    Scrolls.push_back({Kind, Code});
    if (OnScrollContent) OnScrollContent();
  }
  void StartDragOrPanning(TMouseButton Button, int X, int Y) override {
    Starts.push_back(TPoint(X, Y));
    TcxControl::StartDragOrPanning(Button, X, Y);
  }
  bool DragAndDropHook(int, int) override { return ArmsDrag; }
  bool RefusesDragObjects = false;
  bool AcceptDragObject(TDragObject*) override { return !RefusesDragObjects; }
  TcxDragAndDropObjectClass DragAndDropObjectClass() override {
    return DragClass ? DragClass : TcxControl::DragAndDropObjectClass();
  }

 protected:
  void Paint() override {
    if (OnPaint) OnPaint();
  }
};

class ControlTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    for (int m : {SM_CXVSCROLL, SM_CYHSCROLL, SM_CXHTHUMB, SM_CYVTHUMB}) {
      saved_[m] = GetSystemMetrics(m);
      SetSystemMetricOverride(m, 16);
    }
    // The client area starts at (100, 100); the control at (110, 110), 200 x 100.
    form = NewForm(100, 100, 400, 300);
    control = Make();
  }
  void TearDown() override {
    delete form;
    for (auto [m, v] : saved_) SetSystemMetricOverride(m, v);
    ControlsTest::TearDown();
  }
  TTestControl* Make() {
    auto* c = new TTestControl(form);
    c->SetParent(form);
    c->SetBounds(10, 10, 200, 100);
    Pump();
    return c;
  }
  void Click(int x, int y, int button = 1) {
    MoveMouse(110 + x, 110 + y);
    Headless().InjectMouseButton(button, true);
    Pump();
    Headless().InjectMouseButton(button, false);
    Pump();
  }

  TForm* form = nullptr;
  TTestControl* control = nullptr;

 private:
  std::map<int, int> saved_;
};

TEST_F(ControlTest, WantsTabOnlyWhileCtrlIsUp) {
  control->SetKeys({wkTab, wkArrows});
  EXPECT_EQ(control->Perform(WM_GETDLGCODE), DLGC_WANTTAB | DLGC_WANTARROWS);
  Headless().InjectKey(VK_CONTROL, true);
  Pump();
  EXPECT_EQ(control->Perform(WM_GETDLGCODE), DLGC_WANTARROWS);
  Headless().InjectKey(VK_CONTROL, false);
  Pump();
  control->SetKeys({wkAllKeys, wkChars});
  EXPECT_EQ(control->Perform(WM_GETDLGCODE), DLGC_WANTALLKEYS | DLGC_WANTCHARS);
}

TEST_F(ControlTest, MouseDownFocusesAndArmsButADoubleClickDoesNeither) {
  control->ArmsDrag = true;
  TTestControl* other = Make();
  other->SetLeft(250);
  other->SetFocus();
  control->Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_FALSE(control->Focused());
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  control->Perform(WM_LBUTTONUP, 0, MAKELPARAM(20, 20));
  Click(20, 20);
  EXPECT_TRUE(control->Focused());
  EXPECT_EQ(control->MouseDownPos(), TPoint(20, 20));
}

TEST_F(ControlTest, APressFollowsAControlThatMovesWhileTakingTheFocus) {
  TTestControl* other = Make();
  other->SetLeft(250);
  other->SetFocus();
  control->OnEnter = [this](TObject*) { control->SetLeft(control->Left() - 30); };
  TPoint seen;
  control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) { seen = TPoint(X, Y); };
  Click(20, 20);
  EXPECT_TRUE(control->Focused());
  EXPECT_EQ(control->Left(), -20);
  EXPECT_EQ(seen, TPoint(50, 20)) << "the pressed point in the control's new place";
}

TEST_F(ControlTest, FreedInItsOwnMouseDown) {
  bool freed = false;
  control->OnMouseDown = [&](TObject* Sender, TMouseButton, TShiftState, int, int) {
    // The handler is part of the control: nothing of it is used after the delete.
    freed = true;
    delete static_cast<TTestControl*>(Sender);
  };
  Click(20, 20);
  EXPECT_TRUE(freed);
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(ControlTest, PressPointOfAVeryWideControl) {
  // 40000 px wide with its right end on screen: the message's 16-bit x has wrapped.
  control->SetBounds(-39700, 10, 40000, 60);
  Pump();
  MoveMouse(200, 130);
  Headless().InjectMouseButton(3, true);
  Headless().InjectMouseButton(3, false);
  Pump();
  ASSERT_EQ(control->Starts.size(), 1u);
  EXPECT_EQ(control->Starts[0], TPoint(39800, 20));
}

TEST_F(ControlTest, WheelScrollsLinesThroughTheVerticalBar) {
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
  control->ContentWidth = 100;
  control->ContentHeight = 500;
  control->RecalcScrollBars();
  ASSERT_TRUE(control->VScrollBarVisible());
  MoveMouse(150, 150);
  EXPECT_EQ(control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), MAKELPARAM(150, 150)), 1);
  ASSERT_EQ(control->Scrolls.size(), 3u);
  for (auto& s : control->Scrolls) EXPECT_EQ(s, std::make_pair(sbVertical, scLineDown));
  control->Scrolls.clear();
  control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(150, 150));
  EXPECT_EQ(control->Scrolls, (std::vector<std::pair<TScrollBarKind, TScrollCode>>(3, {sbVertical, scLineUp})));

  // No lines: nothing scrolls.
  control->Scrolls.clear();
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 0, nullptr, 0);
  control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(150, 150));
  EXPECT_TRUE(control->Scrolls.empty());

  // Without the vertical bar the wheel is left to others.
  SystemParametersInfo(SPI_SETWHEELSCROLLLINES, 3, nullptr, 0);
  control->ContentHeight = 50;
  control->RecalcScrollBars();
  ASSERT_FALSE(control->VScrollBarVisible());
  EXPECT_EQ(control->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(150, 150)), 0);
  EXPECT_TRUE(control->Scrolls.empty());
}

TEST_F(ControlTest, PaintsOffScreenInOneCopy) {
  control->SetScrollBars(ssNone);
  TColor fill = clRed;
  COLORREF seen = 0;
  control->OnPaint = [&] {
    control->Canvas()->Canvas()->Brush()->SetColor(fill);
    control->Canvas()->Canvas()->FillRect(control->ClientRect());
    HDC dc = GetDC(control->Handle());
    seen = GetPixel(dc, 10, 10);
    ReleaseDC(control->Handle(), dc);
  };
  ASSERT_TRUE(IsWindows7);
  control->Invalidate();
  Pump();
  fill = clBlue;
  control->Invalidate();
  Pump();
  EXPECT_EQ(seen, RGB(255, 0, 0)) << "read from inside the paint, the window still shows the old picture";
  HDC dc = GetDC(control->Handle());
  EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 255));
  ReleaseDC(control->Handle(), dc);
}

class TLibraryMenu : public TComponent, public IcxPopupMenuSupport {
 public:
  using TComponent::TComponent;
  int Popups = 0;
  bool IsShortCut(TMessage& Message) override { return Message.WParam == VK_F2; }
  void Popup(int, int) override { ++Popups; }
};

TEST_F(ControlTest, PopupMenus) {
  auto* plain = new TComponent(form);
  control->WritePopupMenu(plain);
  EXPECT_EQ(control->PopupMenu(), nullptr);

  auto* menu = new TPopupMenu(form);
  control->WritePopupMenu(menu);
  EXPECT_EQ(control->PopupMenu(), menu);
  EXPECT_EQ(control->ReadPopupMenu(), menu);
  delete menu;
  EXPECT_EQ(control->PopupMenu(), nullptr);

  auto* library = new TLibraryMenu(form);
  control->WritePopupMenu(library);
  EXPECT_EQ(control->ReadPopupMenu(), nullptr) << "the class library never sees the library's menus";
  control->Perform(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control->Handle()), MAKELPARAM(150, 150));
  EXPECT_EQ(library->Popups, 1);
  // Its shortcut is taken along the parent chain.
  EXPECT_EQ(control->Perform(CN_KEYDOWN, VK_F2, 0), 1);
}

// One control per painter with a border and both bars, the vertical one hot.
TEST_F(ControlTest, GalleryOfBordersAndBars) {
  control->SetBounds(10, 10, 90, 70);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TTestControl*> all{control};
  for (int i = 1; i < 4; ++i) {
    all.push_back(Make());
    all.back()->SetBounds(10 + i * 96, 10, 90, 70);
  }
  for (int i = 0; i < 4; ++i) {
    TTestControl* c = all[static_cast<std::size_t>(i)];
    c->LookAndFeel()->SetKind(kinds[i]);
    c->SetBorderStyle(cbSingle);
    c->ContentWidth = 300;
    c->ContentHeight = 300;
    c->OnPaint = [c] {
      c->Canvas()->Canvas()->Brush()->SetColor(clWindow);
      c->Canvas()->Canvas()->FillRect(c->ClientRect());
    };
    c->RecalcScrollBars();
    int b = c->BorderSize();
    EXPECT_EQ(c->ClientBoundsNow(), TRect(b, b, 90 - b - 16, 70 - b - 16)) << i;
  }
  MoveMouse(110 + 96 * 2 + 90 - 2 - 8, 110 + 4);
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_control_gallery.png")));
}

// ---- internal scroll bars --------------------------------------------------------------------------

TEST_F(ControlTest, FittingRangesHideOrDisableTheBar) {
  // 0..99 with a page of 100 fits.
  control->FixedPage = 100;
  control->ContentWidth = 100;
  control->ContentHeight = 100;
  control->AllowHide = true;
  control->RecalcScrollBars();
  EXPECT_FALSE(control->VScrollBar()->Visible());
  control->AllowHide = false;
  control->RecalcScrollBars();
  EXPECT_TRUE(control->VScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Enabled());
  EXPECT_TRUE(control->SizeGrip()->Visible()) << "both bars shown";

  control->AllowHide = true;
  control->FixedPage = 0;
  control->ContentWidth = 500;
  control->ContentHeight = 500;
  control->SetScrollBars(ssHorizontal);
  EXPECT_TRUE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Visible());
  EXPECT_FALSE(control->SizeGrip()->Visible());
  EXPECT_EQ(control->HScrollBar()->BoundsRect(), Bounds(0, 84, 200, 16));

  control->SetScrollBars(ssBoth);
  EXPECT_TRUE(control->SizeGrip()->Visible());
  EXPECT_EQ(control->HScrollBar()->BoundsRect(), Bounds(0, 84, 184, 16));
  EXPECT_EQ(control->VScrollBar()->BoundsRect(), Bounds(184, 0, 16, 84));
  EXPECT_EQ(control->SizeGrip()->BoundsRect(), Bounds(184, 84, 16, 16));
  EXPECT_EQ(control->ClientBoundsNow(), TRect(0, 0, 184, 84));
  EXPECT_EQ(control->VScrollBar()->Max(), 499);
  EXPECT_EQ(control->VScrollBar()->PageSize(), 84);
}

TEST_F(ControlTest, BarsNeededOnlyByEachOtherVanishTogether) {
  control->PagesWithBothBars = true;
  control->HidesWhenFits = true;
  control->ContentWidth = 195;
  control->ContentHeight = 95;
  control->RecalcScrollBars();
  EXPECT_FALSE(control->HScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Visible());
  // Only one of them fits with the other's room: both stay.
  control->ContentHeight = 105;
  control->RecalcScrollBars();
  EXPECT_TRUE(control->HScrollBar()->Visible());
  EXPECT_TRUE(control->VScrollBar()->Visible());
}

TEST_F(ControlTest, AnOscillatingDescendantEndsWithTheBarShownDisabled) {
  control->ReadsShownBars = true;
  control->RecalcScrollBars();
  EXPECT_TRUE(control->VScrollBar()->Visible());
  EXPECT_FALSE(control->VScrollBar()->Enabled());
}

TEST_F(ControlTest, FillHookRunsAreCapped) {
  // A hook that flips its answer on every run.
  control->ContentWidth = 100;
  control->ContentHeight = 500;
  int runs = 0;
  class TFlipper : public TTestControl {
   public:
    using TTestControl::TTestControl;
    int Runs = 0;
    void FillScrollBarParams() override {
      ++Runs;
      SetScrollBarInfo(sbVertical, 0, VScrollBarVisible() ? 10 : 500, 1, 100, 0, true, true);
    }
  };
  auto* flipper = new TFlipper(form);
  flipper->SetParent(form);
  flipper->SetBounds(10, 150, 200, 100);
  Pump();
  flipper->Runs = 0;
  flipper->RecalcScrollBars();
  runs = flipper->Runs;
  EXPECT_GE(runs, 4);
  EXPECT_LE(runs, 12) << "each recalculation runs the hook at most four times";
}

TEST_F(ControlTest, NewScrollBarSizesResizeTheBars) {
  control->ContentWidth = 500;
  control->ContentHeight = 500;
  control->RecalcScrollBars();
  SetSystemMetricOverride(SM_CYHSCROLL, 20);
  SetSystemMetricOverride(SM_CXVSCROLL, 18);
  // The settings controller sends it; so does the control itself after WM_NCCALCSIZE.
  control->Perform(DXM_NCSIZECHANGED);
  EXPECT_EQ(control->HScrollBar()->Height(), 20);
  EXPECT_EQ(control->VScrollBar()->Width(), 18);
  EXPECT_EQ(control->ClientBoundsNow(), TRect(0, 0, 182, 80));
}

TEST_F(ControlTest, ClickingABarFocusesTheControl) {
  control->ContentWidth = 500;
  control->ContentHeight = 500;
  control->RecalcScrollBars();
  form->SetFocus();
  Click(192, 40);
  EXPECT_TRUE(control->Focused());
  EXPECT_EQ(control->VScrollBar()->Position(), 84) << "a page down: the page is the client height";
}


TEST_F(ControlTest, InternalControlsStayOnTopOfLaterChildren) {
  control->ContentWidth = 500;
  control->ContentHeight = 500;
  control->RecalcScrollBars();
  auto* panel = new TPanel(control);
  panel->SetParent(control);
  panel->SetBounds(150, 50, 60, 60);  // under both bars and the grip
  Pump();
  ASSERT_TRUE(control->SizeGrip()->Visible());
  auto indexOf = [&](TControl* c) {
    for (int i = 0; i < control->ControlCount(); ++i)
      if (control->Controls(i) == c) return i;
    return -1;
  };
  const int barIndex = indexOf(control->HScrollBar()), vBarIndex = indexOf(control->VScrollBar());
  control->RecalcScrollBars();
  // Only the windows moved: the grip, raised last, is the top child; the bars kept their places
  // among the control's children.
  EXPECT_EQ(GetTopWindow(control->Handle()), control->SizeGrip()->Handle());
  EXPECT_EQ(GetWindow(control->SizeGrip()->Handle(), GW_HWNDNEXT), control->VScrollBar()->Handle());
  EXPECT_EQ(GetWindow(control->VScrollBar()->Handle(), GW_HWNDNEXT), control->HScrollBar()->Handle());
  EXPECT_EQ(indexOf(control->HScrollBar()), barIndex);
  // Asked by anyone, a bar raises its window the same way.
  panel->BringToFront();
  control->VScrollBar()->BringToFront();
  EXPECT_EQ(GetTopWindow(control->Handle()), control->VScrollBar()->Handle());
  EXPECT_EQ(indexOf(control->VScrollBar()), vBarIndex);
}
TEST_F(ControlTest, ChildComponents) {
  TcxControlChildComponent* child = TcxControlChildComponent::CreateForControl(control);
  EXPECT_EQ(child->Control(), control);
  EXPECT_EQ(child->Owner(), form);
  EXPECT_EQ(child->GetParentComponent(), control);
  delete child;
  auto* loose = new TcxControlChildComponent(nullptr);
  EXPECT_FALSE(loose->HasParent());
  loose->SetParentComponent(control);
  EXPECT_EQ(loose->Control(), control);
  delete loose;
}

// ---- the control's drag-and-drop -------------------------------------------------------------------

struct DragLog {
  std::vector<std::string> Events;
  bool Reserved = false;
};
DragLog* g_Log = nullptr;

class TLoggingDrag : public TcxDragAndDropObject {
 public:
  using TcxDragAndDropObject::TcxDragAndDropObject;
  bool ReservedQuery() override { return g_Log->Reserved; }
  void StartDragging() override {
    g_Log->Events.push_back("start");
    TcxDragAndDropObject::StartDragging();
  }
  void DragMove(TPoint P, bool& Accepted) override {
    g_Log->Events.push_back("move " + std::to_string(P.X));
    TcxDragAndDropObject::DragMove(P, Accepted);
  }
  void EndDragging(bool Accepted) override { g_Log->Events.push_back(Accepted ? "accepted" : "cancelled"); }
};

class DragAndDropTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    g_Log = &log;
    Mouse->SetDragThreshold(5);
    control->ArmsDrag = true;
    control->DragClass = DragAndDropObjectClassOf<TLoggingDrag>();
  }
  void TearDown() override {
    g_Log = nullptr;
    ControlTest::TearDown();
  }
  void Press(int x, int y) {
    MoveMouse(110 + x, 110 + y);
    Headless().InjectMouseButton(1, true);
    Pump();
  }
  DragLog log;
};

TEST_F(DragAndDropTest, ReservedQueryBeginsAtThePress) {
  log.Reserved = true;
  Press(50, 50);
  EXPECT_EQ(control->DragAndDropState(), ddsInProcess);
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(log.Events, (std::vector<std::string>{"start", "accepted"}));
}

TEST_F(DragAndDropTest, WaitsForTheStrictSquareThenAcceptsAtTheRelease) {
  Screen->SetCursor(crDefault);
  Press(50, 50);
  EXPECT_EQ(control->DragAndDropState(), ddsStarting);
  MoveMouse(110 + 54, 110 + 46);
  EXPECT_EQ(control->DragAndDropState(), ddsStarting);
  MoveMouse(110 + 55, 110 + 50);
  EXPECT_EQ(control->DragAndDropState(), ddsInProcess);
  MoveMouse(110 + 70, 110 + 50);
  EXPECT_EQ(Screen->Cursor(), crNoDrop);
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  EXPECT_EQ(control->DragAndDropObject(), nullptr);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_EQ(log.Events, (std::vector<std::string>{"start", "move 55", "move 70", "accepted"}));
  EXPECT_FALSE(control->MouseCapture());
}

TEST_F(DragAndDropTest, AKeyCancels) {
  Press(50, 50);
  MoveMouse(110 + 70, 110 + 50);
  ASSERT_EQ(control->DragAndDropState(), ddsInProcess);
  ASSERT_TRUE(control->Focused());
  Headless().InjectKey(VK_SHIFT, true);
  Pump();
  Headless().InjectKey(VK_SHIFT, false);
  EXPECT_EQ(control->DragAndDropState(), ddsNone);
  EXPECT_EQ(log.Events.back(), "cancelled");
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(log.Events.back(), "cancelled") << "the release finds nothing left to accept";
}

}  // namespace

// ---- the class library's drag of a control ---------------------------------------------------------

TEST_F(ControlTest, PlatformDragOfALibraryControl) {
  Mouse->SetDragThreshold(5);
  TTestControl* target = Make();
  target->SetLeft(250);
  std::vector<TDragObject*> seen;
  bool dropped = false;
  target->OnDragOver = [&](TObject*, TObject* Source, int, int, TDragState, bool& Accept) {
    seen.push_back(CurrentDragObject());
    Accept = Source == control;
  };
  target->OnDragDrop = [&](TObject*, TObject*, int, int) { dropped = true; };
  control->SetDragMode(dmAutomatic);
  MoveMouse(150, 150);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseMove(170, 150);
  Pump();
  ASSERT_NE(::DragObject(), nullptr) << "the drag began once the mouse left the square";
  EXPECT_NE(dynamic_cast<TcxDragControlObject*>(::DragObject()), nullptr);
  MoveMouse(400, 150);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), ::DragObject());
  // The object frees itself when the drag is over; nothing reads it afterwards.
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_TRUE(dropped);
  EXPECT_EQ(::DragObject(), nullptr);

  // A refused drag object never starts a drag.
  control->RefusesDragObjects = true;
  MoveMouse(150, 150);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseMove(170, 150);
  Pump();
  EXPECT_EQ(::DragObject(), nullptr);
  Headless().InjectMouseButton(1, false);
  Pump();
}

TEST_F(ControlTest, ErasesOnlyItsOwnRequestsAndRegisters) {
  HDC dc = GetDC(control->Handle());
  EXPECT_EQ(control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0) << "the system's request";
  EXPECT_EQ(control->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dc)), 1);
  ReleaseDC(control->Handle(), dc);
  const auto& registered = SettingsControllerInstance()->Controls();
  EXPECT_NE(std::find(registered.begin(), registered.end(), control), registered.end());
  delete control;
  EXPECT_EQ(std::find(registered.begin(), registered.end(), control), registered.end());
}

TEST_F(ControlTest, DragImagesDrawnByTheControl) {
  class TImaging : public TTestControl {
   public:
    using TTestControl::TTestControl;
    bool Shows = true;
    TSize Size{16, 12};
    int Draws = 0;
    bool DisplaysDragImage() override { return Shows; }
    TSize DragImageSize() override { return Size; }
    void DrawDragImage(TcxCanvas* C, const TRect& R) override {
      ++Draws;
      EXPECT_EQ(R, TRect(0, 0, 16, 12));
      C->Canvas()->Brush()->SetColor(clRed);
      C->Canvas()->FillRect(R);
    }
    TDragImageList* Images() { return GetDragImages(); }
  };
  TImaging c(nullptr);
  TDragImageList* images = c.Images();
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->Count(), 1);
  EXPECT_EQ(images->Width(), 16);
  EXPECT_EQ(images->Height(), 12);
  EXPECT_EQ(c.Images(), images) << "made on the first question only";
  EXPECT_EQ(c.Draws, 1);

  TImaging none(nullptr);
  none.Size = TSize(0, 0);
  EXPECT_EQ(none.Images(), nullptr) << "an empty list is not offered";
  none.Shows = false;
  EXPECT_EQ(none.Images(), nullptr);
}

TEST_F(ControlTest, MouseEnterAndLeaveOncePerCrossing) {
  int enters = 0, leaves = 0;
  control->OnMouseEnter = [&](TObject*) { ++enters; };
  control->OnMouseLeave = [&](TObject*) { ++leaves; };
  MoveMouse(450, 350);
  MoveMouse(150, 150);
  MoveMouse(160, 160);
  EXPECT_EQ(enters, 1);
  MoveMouse(450, 350);
  EXPECT_EQ(leaves, 1);
  MoveMouse(150, 150);
  EXPECT_EQ(enters, 2);
}

// ---- middle-button panning -------------------------------------------------------------------------

namespace {

class PanningLoopTest : public ControlTest {
 protected:
  void SetUp() override {
    ControlTest::SetUp();
    control->ContentWidth = 500;
    control->ContentHeight = 500;
    control->RecalcScrollBars();
    scheduler = AllocateHWnd([this](TMessage& m) {
      if (m.Msg != WM_TIMER) return;
      KillTimer(scheduler, m.WParam);
      actions[m.WParam]();
    });
    control->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) { downs.push_back(b); };
    control->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { ups.push_back(b); };
    // What reaches the control's window, as the loop dispatches it.
    auto inner = control->WindowProc;
    control->WindowProc = [this, inner](TMessage& m) {
      if (m.Msg == WM_KEYDOWN) keys.push_back(static_cast<WORD>(m.WParam));
      inner(m);
    };
    MoveMouse(150, 150);
  }
  void TearDown() override {
    DeallocateHWnd(scheduler);
    ControlTest::TearDown();
  }
  // Runs Action Ms milliseconds from now, inside the panning loop.
  void At(unsigned Ms, std::function<void()> Action) {
    UINT_PTR id = actions.size() + 1;
    actions[id] = std::move(Action);
    SetTimer(scheduler, id, Ms, nullptr);
  }
  void PressEscape() {
    Headless().InjectKey(VK_ESCAPE, true);
    Headless().InjectKey(VK_ESCAPE, false);
  }
  // Starts panning; returns once the loop has ended.
  void Pan(bool releaseAtOnce = false) {
    start = clock->NowMs();
    Headless().InjectMouseButton(kMiddle, true);
    if (releaseAtOnce) Headless().InjectMouseButton(kMiddle, false);
    Pump();
  }
  static constexpr int kMiddle = 2;
  HWND scheduler = nullptr;
  std::map<UINT_PTR, std::function<void()>> actions;
  std::vector<TMouseButton> downs, ups;
  std::vector<WORD> keys;
  std::uint64_t start = 0;
};

TEST_F(PanningLoopTest, SpeedFromTheDistance) {
  // A 32 px anchor: (distance - 16) div 5 + 1, one line every (13 - speed) ticks of 20 ms.
  for (auto [below, interval] : {std::pair{20u, 240u}, std::pair{40u, 160u}, std::pair{71u, 20u}}) {
    SCOPED_TRACE(below);
    std::vector<std::uint64_t> times;
    control->Scrolls.clear();
    control->OnScrollContent = [&] { times.push_back(clock->NowMs()); };
    At(5, [&] { Headless().InjectMouseMove(150, 150 + static_cast<int>(below)); });
    At(1000, [&] {
      EXPECT_TRUE(control->IsScrollingContent());
      EXPECT_EQ(GetCapture(), control->Handle());
      PressEscape();
    });
    Pan();
    EXPECT_FALSE(control->IsScrollingContent());
    EXPECT_NE(GetCapture(), control->Handle());
    ASSERT_GE(times.size(), 3u);
    EXPECT_EQ(times[0] - start, interval);
    for (std::size_t i = 1; i < times.size(); ++i) EXPECT_EQ(times[i] - times[i - 1], interval);
    for (auto& s : control->Scrolls) EXPECT_EQ(s, std::make_pair(sbVertical, scLineDown));
    EXPECT_EQ(keys, std::vector<WORD>{VK_ESCAPE}) << "Escape ends panning and is still dispatched";
    keys.clear();
    MoveMouse(150, 150);
  }
}

TEST_F(PanningLoopTest, AClickWithoutMovingKeepsPanningUntilTheNextClick) {
  At(100, [&] {
    EXPECT_TRUE(control->IsScrollingContent());
    EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_pan_anchor.png")));
    Headless().InjectMouseButton(1, true);
  });
  Pan(true);
  EXPECT_FALSE(control->IsScrollingContent());
  EXPECT_EQ(ups, std::vector<TMouseButton>{mbMiddle}) << "the middle release is passed on";
  EXPECT_EQ(downs, std::vector<TMouseButton>{mbMiddle}) << "the click that ends panning is not";
  Headless().InjectMouseButton(1, false);
  Pump();
}

TEST_F(PanningLoopTest, AMiddleReleaseAfterMovingEndsIt) {
  At(5, [&] { Headless().InjectMouseMove(150, 200); });
  At(300, [&] { Headless().InjectMouseButton(kMiddle, false); });
  Pan();
  EXPECT_FALSE(control->IsScrollingContent());
  EXPECT_GE(clock->NowMs() - start, 300u);
  EXPECT_FALSE(control->Scrolls.empty());
}

TEST_F(PanningLoopTest, NothingToPanWithoutBars) {
  control->ContentWidth = 10;
  control->ContentHeight = 10;
  control->RecalcScrollBars();
  Pan();
  EXPECT_FALSE(control->IsScrollingContent());
  EXPECT_TRUE(control->Scrolls.empty());
  Headless().InjectMouseButton(kMiddle, false);
  Pump();
  EXPECT_NE(GetCapture(), control->Handle());
}

}  // namespace
