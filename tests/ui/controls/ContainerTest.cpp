// The bordered container on the headless screen: its frame, shadow and window region checked on
// pixels, hot tracking under injected mouse input, keys and colours passed on between the
// container, its style and its inner control, mirrored scroll bars, and the shared routines.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/Container.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using controlstest::ControlsTest;
using testsupport::FakeThemeLibrary;

// A container whose focus and hot state a test can set, for pictures of every state at once.
class TTestContainer : public TcxContainer {
  VW_CLASS(TTestContainer, TcxContainer)
 public:
  explicit TTestContainer(TComponent* AOwner) : TcxContainer(AOwner) {}
  bool ForceFocused = false;
  bool ForceHot = false;
  std::function<void()> DuringLayout;
  bool IsFocusedNow() override { return ForceFocused || TcxContainer::IsFocusedNow(); }
  void CalculateLayout(const TPoint& Point, bool HotTrackAllowed) override {
    if (DuringLayout) DuringLayout();
    if (ForceHot)
      TcxContainer::CalculateLayout(TPoint(Width() / 2, Height() / 2), true);
    else
      TcxContainer::CalculateLayout(Point, HotTrackAllowed);
  }
  using TcxContainer::SetInnerControl;
};

// A memo that lets its container mirror its bars and paint the corner between them.
class TInnerMemo : public TMemo, public IcxContainerInnerControl {
  VW_CLASS(TInnerMemo, TMemo)
 public:
  explicit TInnerMemo(TComponent* AOwner) : TMemo(AOwner) {}
  TcxContainer* Container = nullptr;
  TcxContainer* ControlContainer() override { return Container; }
  TWinControl* InnerControl() override { return this; }
  void WndProc(TMessage& Message) override {
    TMemo::WndProc(Message);
    if (Message.Msg == WM_NCPAINT && Container && Container->SizeGripVisible())
      FillInnerSizeGripCorner(Container, Container->SizeGripRect());
  }
};

class TMemoContainer : public TcxContainer {
  VW_CLASS(TMemoContainer, TcxContainer)
 public:
  explicit TMemoContainer(TComponent* AOwner) : TcxContainer(AOwner) {
    Memo = new TInnerMemo(this);
    Memo->Container = this;
    Memo->SetParent(this);
    SetInnerControl(Memo);
  }
  bool UsesInternalScrollBars() override { return true; }
  TInnerMemo* Memo;
};

class ContainerTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(0, 0, 640, 480);
    form->SetColor(clBtnFace);
    // The cursor outlives a test: away from every container, none starts hot.
    MoveMouse(1000, 700);
  }
  void TearDown() override {
    SetScrollBarInfoApiBoundForTesting(true);
    // The containers stop their mouse-leave watches before the unit that runs them shuts down.
    delete form;
    ControlsTest::TearDown();
  }
  TTestContainer* Make(int left, int top, int width, int height) {
    auto* c = new TTestContainer(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    c->HandleNeeded();
    Pump();
    return c;
  }
  // What the screen shows at a point of the container (the form's pixels, the region applied).
  COLORREF At(TcxContainer* c, int x, int y) {
    Pump();
    POINT p = c->ClientToScreen(POINT{x, y});
    HDC dc = GetDC(nullptr);
    COLORREF pixel = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return pixel;
  }
  static COLORREF RGBOf(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

  TForm* form = nullptr;
};

TEST_F(ContainerTest, ASingleFrameWithShadowOnPixels) {
  TTestContainer* c = Make(20, 20, 100, 30);
  c->NormalStyle()->SetBorderStyle(cbsSingle);
  c->NormalStyle()->SetTransparentBorder(false);
  c->NormalStyle()->SetShadow(true);
  c->NormalStyle()->SetBorderColor(clRed);
  TRect extent;
  c->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(1, 1, 4, 4));
  EXPECT_EQ(At(c, 0, 0), RGBOf(clRed));
  EXPECT_EQ(At(c, 96, 26), RGBOf(clRed));
  EXPECT_EQ(At(c, 50, 15), RGBOf(clWindow));
  EXPECT_EQ(At(c, 99, 29), RGBOf(clBtnShadow));
  EXPECT_EQ(At(c, 3, 29), RGBOf(clBtnShadow));
  EXPECT_EQ(At(c, 98, 1), RGBOf(clBtnFace)) << "outside the region: the parent shows";
  EXPECT_EQ(At(c, 1, 28), RGBOf(clBtnFace));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(c->Handle(), region), COMPLEXREGION);
  EXPECT_TRUE(PtInRegion(region, 96, 26));
  EXPECT_TRUE(PtInRegion(region, 99, 29));
  EXPECT_FALSE(PtInRegion(region, 98, 1));
  DeleteObject(region);
}

TEST_F(ContainerTest, ATransparentBorderKeepsItsSpaceButIsNotDrawn) {
  TTestContainer* c = Make(20, 20, 100, 30);
  c->NormalStyle()->SetBorderStyle(cbsSingle);
  c->NormalStyle()->SetBorderColor(clRed);
  TRect extent;
  c->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(2, 2, 2, 2));
  EXPECT_EQ(c->ViewInfo()->BorderWidth, 1);
  EXPECT_EQ(At(c, 0, 0), RGBOf(clBtnFace));
  EXPECT_EQ(At(c, 1, 1), RGBOf(clRed));
  EXPECT_EQ(At(c, 98, 28), RGBOf(clRed));
  EXPECT_EQ(At(c, 2, 2), RGBOf(clWindow));
  EXPECT_EQ(At(c, 99, 29), RGBOf(clBtnFace));
}

TEST_F(ContainerTest, ThreeDimensionalAndFlatFramesFollowTheirEdges) {
  TTestContainer* c = Make(20, 20, 60, 24);
  c->NormalStyle()->SetTransparentBorder(false);
  c->NormalStyle()->SetBorderStyle(cbs3D);
  EXPECT_EQ(At(c, 0, 0), RGBOf(clBtnShadow));
  EXPECT_EQ(At(c, 1, 1), RGBOf(cl3DDkShadow));
  EXPECT_EQ(At(c, 59, 23), RGBOf(clBtnHighlight));
  EXPECT_EQ(At(c, 58, 22), RGBOf(cl3DLight));
  c->NormalStyle()->SetBorderStyle(cbsFlat);
  EXPECT_EQ(At(c, 1, 1), RGBOf(clBtnFace));
  c->NormalStyle()->SetEdges({bLeft, bTop});
  TRect extent;
  c->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(2, 2, 0, 0));
}

TEST_F(ContainerTest, UnderANativeThemeNoShadowNoRegionAndTheThemeFill) {
  FakeThemeLibrary::Install();
  for (const char* name : {"EDIT", "LISTBOX", "COMBOBOX"}) FakeThemeLibrary::OpenableClasses().insert(name);
  ThemeAccessStartup();
  const int part = IsWindowsVistaOrLater ? 3 : 1;
  FakeThemeLibrary::Colors()[{"EDIT", part, 4, 3802}] = RGB(1, 2, 3);
  FakeThemeLibrary::Colors()[{"COMBOBOX", 1, 1, 3801}] = RGB(0, 128, 0);
  FakeThemeLibrary::ContentMargins()[{"EDIT", 1, 1}] = RECT{1, 1, 1, 1};
  {
    TTestContainer* c = Make(20, 20, 100, 30);
    c->NormalStyle()->SetShadow(true);
    c->NormalStyle()->LookAndFeel()->SetNativeStyle(true);
    c->RefreshState();
    EXPECT_TRUE(c->UsesNativeStyle());
    EXPECT_FALSE(c->HasShadow());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(GetWindowRgn(c->Handle(), region), ERROR) << "no region with a native border";
    DeleteObject(region);
    EXPECT_EQ(At(c, 0, 0), RGB(0, 128, 0)) << "the theme's border colour around the content";
    EXPECT_EQ(At(c, 50, 15), RGBOf(clWindow));

    c->SetEnabled(false);
    EXPECT_EQ(c->ViewInfo()->BackgroundColor, static_cast<TColor>(RGB(1, 2, 3)));
    c->Styles()->DisabledStyle()->SetColor(clYellow);
    EXPECT_EQ(c->ViewInfo()->BackgroundColor, clYellow) << "an assigned colour wins over the theme's";
    delete c;
  }
  ThemeAccessShutdown();

  // Under desktop composition the frame takes the list box's border colour.
  platform::InstallFakeModule("dwmapi.dll", {platform::Export("DwmIsCompositionEnabled", +[](BOOL* enabled) -> HRESULT {
                                                *enabled = TRUE;
                                                return S_OK;
                                              })});
  ThemeAccessStartup();
  ASSERT_TRUE(IsDwmCompositionOn());
  FakeThemeLibrary::Colors()[{"LISTBOX", 3, 1, 3801}] = RGB(0, 0, 160);
  {
    TTestContainer* c = Make(20, 20, 100, 30);
    c->NormalStyle()->LookAndFeel()->SetNativeStyle(true);
    EXPECT_EQ(At(c, 0, 0), RGB(0, 0, 160));
    delete c;
  }
  ThemeAccessShutdown();
  FakeThemeLibrary::Uninstall();
}

TEST_F(ContainerTest, StatesPickTheirStyles) {
  TTestContainer* c = Make(20, 20, 100, 30);
  c->NormalStyle()->SetBorderStyle(cbsSingle);
  c->RefreshState();
  EXPECT_EQ(c->ActiveStyle(), c->NormalStyle());
  c->ForceFocused = true;
  c->RefreshState();
  EXPECT_EQ(c->ActiveStyle(), c->Styles()->FocusedStyle());
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbsThick);
  EXPECT_EQ(c->ViewInfo()->HotState, 2);
  c->ForceFocused = false;
  c->ForceHot = true;
  c->RefreshState();
  EXPECT_EQ(c->ActiveStyle(), c->Styles()->HotStyle());
  c->SetEnabled(false);
  EXPECT_EQ(c->ActiveStyle(), c->Styles()->DisabledStyle());
  EXPECT_EQ(c->ViewInfo()->BorderStyle, cbsSingle);
}

TEST_F(ContainerTest, GalleryOfBorderStylesInEveryState) {
  const TcxContainerBorderStyle styles[] = {cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11};
  for (int row = 0; row < 7; ++row) {
    for (int state = 0; state < 4; ++state) {
      TTestContainer* c = Make(10 + state * 130, 10 + row * 40, 120, 30);
      c->NormalStyle()->SetBorderStyle(styles[row]);
      c->NormalStyle()->SetTransparentBorder(false);
      c->NormalStyle()->SetShadow(row % 2 == 1);
      c->ForceHot = state == 1;
      c->ForceFocused = state == 2;
      if (state == 3) c->SetEnabled(false);
      c->RefreshState();
    }
  }
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_container_gallery.png")));
}

// The border each look-and-feel kind gives a container that sets none, in every state.
TEST_F(ContainerTest, GalleryOfLookAndFeelKinds) {
  const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfOffice11};
  for (int row = 0; row < 4; ++row) {
    for (int state = 0; state < 4; ++state) {
      TTestContainer* c = Make(10 + state * 130, 10 + row * 40, 120, 30);
      c->NormalStyle()->LookAndFeel()->SetKind(kinds[row]);
      c->ForceHot = state == 1;
      c->ForceFocused = state == 2;
      if (state == 3) c->SetEnabled(false);
      c->RefreshState();
    }
  }
  Pump();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_container_kinds.png")));
}

TEST_F(ContainerTest, HotTrackingFollowsTheMouse) {
  TTestContainer* c = Make(20, 20, 100, 30);
  auto* edit = new TEdit(c);
  edit->SetParent(c);
  c->SetInnerControl(edit);
  c->RefreshState();
  Pump();
  EXPECT_EQ(edit->Left(), 2);
  EXPECT_EQ(edit->Width(), 96);

  MoveMouse(20 + 1, 20 + 15);
  EXPECT_TRUE(c->ViewInfo()->ContainerState & cvsHot);
  EXPECT_EQ(c->ActiveStyle(), c->Styles()->HotStyle());
  EXPECT_TRUE(c->IsTrackingMouse());

  // Through the inner edit and out: the hot state ends.
  MoveMouse(60, 35);
  EXPECT_TRUE(c->ViewInfo()->ContainerState & cvsHot);
  MoveMouse(300, 300);
  RunFor(50);
  EXPECT_FALSE(c->ViewInfo()->ContainerState & cvsHot);
  EXPECT_FALSE(c->IsTrackingMouse());

  // A move with a button held does not make it hot.
  Headless().InjectMouseButton(1, true);
  Pump();
  MoveMouse(21, 21);
  EXPECT_FALSE(c->ViewInfo()->ContainerState & cvsHot);
  Headless().InjectMouseButton(1, false);
  Pump();
}

TEST_F(ContainerTest, MouseLeaveFiresOnce) {
  TTestContainer* c = Make(20, 20, 100, 30);
  int leaves = 0;
  c->OnMouseLeave = [&](TObject*) { ++leaves; };
  MoveMouse(50, 30);
  MoveMouse(400, 400);
  RunFor(50);
  EXPECT_EQ(leaves, 1);
  EXPECT_FALSE(c->IsTrackingMouse());
}

TEST_F(ContainerTest, KeysSentToTheContainerReachTheInnerEdit) {
  TTestContainer* c = Make(20, 20, 100, 30);
  auto* edit = new TEdit(c);
  edit->SetParent(c);
  c->SetInnerControl(edit);
  c->RefreshState();
  SendMessage(c->Handle(), WM_CHAR, 'a', 0);
  SendMessage(c->Handle(), WM_CHAR, 'b', 0);
  EXPECT_EQ(edit->Text(), "ab");
  c->SetFocus();
  Pump();
  EXPECT_EQ(GetFocus(), edit->Handle()) << "the inner control takes the focus";
  EXPECT_TRUE(c->IsFocused());
  EXPECT_EQ(c->ActiveStyle(), c->Styles()->FocusedStyle());
  delete edit;
  EXPECT_EQ(c->InnerControl(), nullptr);
}

TEST_F(ContainerTest, TheInnerControlStandsInForItsContainerInTheTabOrder) {
  auto* before = new TEdit(form);
  before->SetParent(form);
  before->SetBounds(20, 100, 80, 20);
  TTestContainer* c = Make(20, 20, 100, 30);
  auto* edit = new TEdit(c);
  edit->SetParent(c);
  c->SetInnerControl(edit);
  auto* after = new TEdit(form);
  after->SetParent(form);
  after->SetBounds(20, 140, 80, 20);
  form->HandleNeeded();
  Pump();
  TControlList list;
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (TControlList{before, c, after})) << "the inner control is reached through its container";

  before->SetFocus();
  Pump();
  form->SelectNext(before, true, true);
  Pump();
  EXPECT_EQ(GetFocus(), edit->Handle());
  list.clear();
  form->GetTabOrderList(list);
  EXPECT_EQ(list, (TControlList{before, edit, after}));
  form->SelectNext(edit, false, true);
  Pump();
  EXPECT_EQ(GetFocus(), before->Handle()) << "moving back leaves the container";
}

TEST_F(ContainerTest, ColourTravelsBetweenControlAndStyleOnce) {
  TTestContainer* c = Make(20, 20, 100, 30);
  int events = 0;
  c->Styles()->SetChangeHandler([&](TObject* Sender) {
    ++events;
    c->ContainerStyleChanged(Sender);
  });
  c->SetColor(clRed);
  EXPECT_EQ(c->NormalStyle()->Color(), clRed);
  EXPECT_TRUE(c->NormalStyle()->AssignedValues().Contains(csvColor));
  EXPECT_EQ(events, 1);
  c->NormalStyle()->SetColor(clBlue);
  EXPECT_EQ(c->Color(), clBlue);
  EXPECT_EQ(events, 2);
  EXPECT_EQ(At(c, 50, 15), RGBOf(clBlue));
}

TEST_F(ContainerTest, AVeryLongCaptionStillMakesTheWindow) {
  auto* c = new TTestContainer(form);
  c->SetParent(form);
  c->SetBounds(20, 20, 100, 30);
  String caption(70000, 'x');
  c->SetCaption(caption);
  c->HandleNeeded();
  ASSERT_TRUE(c->HandleAllocated());
  EXPECT_EQ(GetWindowTextLength(c->Handle()), 70000);
}

TEST_F(ContainerTest, ARecalculationRefusedMeanwhileLeavesTheLayoutToTheNextPaint) {
  TTestContainer* c = Make(20, 20, 100, 30);
  EXPECT_TRUE(c->LayoutValid());
  bool nested = true;
  c->DuringLayout = [&] { nested = c->RecalcState(TPoint(0, 0), 0, {}, false); };
  EXPECT_TRUE(c->RecalcState(TPoint(0, 0), 0, {}, false));
  EXPECT_FALSE(nested);
  EXPECT_FALSE(c->LayoutValid()) << "a refused request inside the recalculation is remembered";
  c->DuringLayout = nullptr;
  c->Invalidate();
  Pump();
  EXPECT_TRUE(c->LayoutValid()) << "the paint recalculated first";

  auto* windowless = new TTestContainer(form);
  EXPECT_FALSE(windowless->RecalcState(TPoint(0, 0), 0, {}, false)) << "no window yet";
  EXPECT_FALSE(windowless->LayoutValid());
  delete windowless;
}

TEST_F(ContainerTest, ParentColourAndFontAndScaling) {
  auto* c = new TTestContainer(form);
  c->SetParent(form);
  c->SetBounds(20, 20, 100, 30);
  c->HandleNeeded();
  // Following the parent's font keeps the style's font unassigned.
  TFont big;
  big.SetHeight(-20);
  form->SetFont(&big);
  EXPECT_EQ(c->Font()->Height(), -20);
  EXPECT_EQ(c->NormalStyle()->Font()->Height(), -20);
  EXPECT_FALSE(c->NormalStyle()->AssignedValues().Contains(csvFont));
  EXPECT_TRUE(c->ParentFont());

  // An assigned style font is the container's own and scales with it.
  c->NormalStyle()->Font()->SetSize(10);
  EXPECT_TRUE(c->NormalStyle()->AssignedValues().Contains(csvFont));
  EXPECT_FALSE(c->ParentFont());
  c->ScaleBy(2, 1);
  EXPECT_EQ(c->NormalStyle()->Font()->Size(), 20);
  EXPECT_EQ(c->Font()->Size(), 20);
}

TEST_F(ContainerTest, AParentColouredContainerFollowsItsParent) {
  class TColored : public TTestContainer {
   public:
    using TTestContainer::TTestContainer;
    bool DefaultParentColor() override { return true; }
  };
  auto* c = new TColored(form);
  c->AfterConstruction();
  c->SetParent(form);
  c->SetBounds(20, 20, 100, 30);
  c->HandleNeeded();
  EXPECT_TRUE(c->ParentColor());
  form->SetColor(clTeal);
  EXPECT_EQ(c->Color(), clTeal);
  EXPECT_EQ(c->NormalStyle()->Color(), clTeal);
  EXPECT_FALSE(c->NormalStyle()->AssignedValues().Contains(csvColor)) << "the parent's colour is not the style's own";
  EXPECT_EQ(At(c, 50, 15), RGBOf(clTeal));
}

TEST_F(ContainerTest, InnerScrollBarsAreMirrored) {
  auto* c = new TMemoContainer(form);
  c->SetParent(form);
  c->SetBounds(20, 20, 200, 120);
  c->NormalStyle()->SetTransparentBorder(false);
  c->NormalStyle()->SetBorderStyle(cbsSingle);
  c->Memo->SetScrollBars(ssBoth);
  c->Memo->SetWordWrap(false);
  String text;
  for (int i = 0; i < 200; ++i) text += "line " + IntToStr(i) + String(60, 'w') + "\r\n";
  c->Memo->SetText(text);
  c->HandleNeeded();
  c->RefreshState();
  SendMessage(c->Memo->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  c->Perform(CM_SYNCINNERSCROLLBARS, 0, 0);
  Pump();

  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(c->Memo->Handle(), SB_VERT, &si));
  TcxScrollBar* v = c->VScrollBar();
  ASSERT_TRUE(v->Visible());
  EXPECT_EQ(v->Min(), si.nMin);
  EXPECT_EQ(v->Max(), si.nMax);
  EXPECT_EQ(v->PageSize(), static_cast<int>(si.nPage));
  EXPECT_EQ(v->Position(), si.nPos);
  EXPECT_GT(v->Position(), 0);
  EXPECT_TRUE(c->HScrollBar()->Visible());
  ASSERT_TRUE(c->SizeGripVisible());
  HDC dc = GetWindowDC(c->Memo->Handle());
  const TRect& grip = c->SizeGripRect();
  COLORREF corner = GetPixel(dc, grip.Left + 2, grip.Top + 2);
  ReleaseDC(c->Memo->Handle(), dc);
  EXPECT_EQ(corner, RGBOf(c->NormalStyle()->LookAndFeel()->ActivePainter()->DefaultSizeGripAreaColor()));
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("cx_container_memo.png")));

  // Without the entry point nothing is mirrored.
  auto* unbound = new TMemoContainer(form);
  unbound->SetParent(form);
  unbound->SetBounds(240, 20, 200, 120);
  unbound->Memo->SetScrollBars(ssBoth);
  unbound->Memo->SetText(text);
  SetScrollBarInfoApiBoundForTesting(false);
  unbound->HandleNeeded();
  unbound->Perform(CM_SYNCINNERSCROLLBARS, 0, 0);
  EXPECT_FALSE(unbound->VScrollBar()->Visible());
  EXPECT_FALSE(unbound->SizeGripVisible());
}

// ---- the shared routines -------------------------------------------------------------------------

TEST_F(ContainerTest, SharedRoutines) {
  static_assert(sizeof(SCROLLBARINFO) == 60 && sizeof(SCROLLINFO) == 28);
  TcxCustomLookAndFeelPainterClass painter = LookAndFeelPainterOfKind(lfFlat);
  EXPECT_EQ(ContainerBorderWidthFor(cbsFlat, painter), 1);
  EXPECT_EQ(ContainerBorderWidthFor(cbsThick, painter), 2);
  EXPECT_EQ(ContainerBorderWidthFor(cbsNone, painter), 0);
  EXPECT_EQ(ContainerBorderWidthFor(cbsFlat, nullptr), 2);
  EXPECT_EQ(ContainerBorderWidthFor(cbsOffice11, nullptr), 1);
  EXPECT_TRUE(StringsEqual("abc", "ABC", false));
  EXPECT_FALSE(StringsEqual("abc", "ABC", true));
  EXPECT_EQ(MakeShadowRegion(nullptr, TRect(0, 0, 10, 10), TRect(), TRect(), false, false), nullptr);
  EXPECT_EQ(MakeShadowRegion(nullptr, TRect(0, 0, 10, 10), TRect(), TRect(), true, true), nullptr);
  HRGN shadow = MakeShadowRegion(nullptr, TRect(0, 0, 10, 10), TRect(1, 1, 0, 0), TRect(0, 0, 2, 2), true, false);
  ASSERT_NE(shadow, nullptr);
  EXPECT_TRUE(PtInRegion(shadow, 12, 12));
  EXPECT_FALSE(PtInRegion(shadow, 3, 11)) << "the shifted outline is moved in by the insets";
  EXPECT_FALSE(PtInRegion(shadow, 1, 1)) << "the excluded rectangle";
  DeleteObject(shadow);

  TTestContainer* c = Make(20, 20, 100, 30);
  HWND w = c->Handle();
  SetWindowRgn(w, nullptr, FALSE);
  EXPECT_FALSE(IsWindowRegionChanged(w, nullptr));
  ApplyWindowRegion(w, nullptr);
  HRGN none = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(w, none), ERROR);
  DeleteObject(none);

  // One message or all; a quit met on the way is put back and ends the removal.
  for (int i = 0; i < 3; ++i) PostMessage(w, WM_USER + 1, 0, 0);
  EXPECT_TRUE(IsMessagePendingFor(w, WM_USER + 1));
  EXPECT_TRUE(DiscardPendingMessages(w, WM_USER + 1, 0, false));
  MSG m;
  int left = 0;
  while (PeekMessage(&m, w, WM_USER + 1, WM_USER + 1, PM_NOREMOVE) && DiscardPendingMessages(w, WM_USER + 1, 0, false))
    ++left;
  EXPECT_EQ(left, 2);
  PostMessage(w, WM_USER + 1, 0, 0);
  EXPECT_TRUE(DiscardPendingMessages(w, WM_USER + 1, 0, true));
  EXPECT_FALSE(DiscardPendingMessages(w, WM_USER + 1, 0, true));
  // A quit met on the way is put back.
  PostQuitMessage(7);
  PostMessage(w, WM_USER + 1, 0, 0);
  DiscardPendingMessages(w, 0, 0xFFFF, true);
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(m.wParam, 7u);
  while (PeekMessage(&m, w, WM_USER + 1, WM_USER + 1, PM_REMOVE)) {
  }

  EXPECT_TRUE(ControlOwnsWindow(form, w));
  EXPECT_FALSE(ControlOwnsWindow(c, w));
  EXPECT_TRUE(WindowBelongsToControl(c, w, false));
  EXPECT_EQ(TopLevelAncestorWindow(w), form->Handle());
  EXPECT_TRUE(WindowInControlForm(c, w));

  // A popup opened from this container, or from a control on a popup, counts as theirs.
  struct TPopup : TcxShownPopup {
    TWinControl* Window;
    TWinControl* Owner;
    TPopup(TWinControl* W, TWinControl* O) : Window(W), Owner(O) {}
    TWinControl* PopupWindowControl() override { return Window; }
    TWinControl* PopupOwnerControl() override { return Owner; }
  };
  auto* popupForm = new TForm(Application, 0);
  popupForm->SetBounds(300, 300, 50, 50);
  popupForm->HandleNeeded();
  auto* onPopup = new TTestContainer(popupForm);
  onPopup->SetParent(popupForm);
  onPopup->HandleNeeded();
  auto* nestedForm = new TForm(Application, 0);
  nestedForm->HandleNeeded();
  TPopup first(popupForm, c), nested(nestedForm, onPopup);
  EXPECT_FALSE(ControlOwnsWindow(c, popupForm->Handle()));
  RegisterShownPopup(&first);
  RegisterShownPopup(&nested);
  EXPECT_TRUE(ControlOwnsWindow(c, popupForm->Handle()));
  EXPECT_TRUE(ControlOwnsWindow(c, onPopup->Handle()));
  EXPECT_TRUE(ControlOwnsWindow(popupForm, nestedForm->Handle())) << "a control on the popup opened it";
  EXPECT_FALSE(ControlOwnsWindow(nestedForm, popupForm->Handle()));
  EXPECT_TRUE(ControlOwnsWindow(c, nestedForm->Handle())) << "through the popup's own popup";
  UnregisterShownPopup(&nested);
  UnregisterShownPopup(&first);
  EXPECT_TRUE(ShownPopups().empty());
  EXPECT_FALSE(ControlOwnsWindow(c, popupForm->Handle()));
  delete nestedForm;
  delete popupForm;

  SetActiveWindow(form->Handle());
  EXPECT_TRUE(IsFormActive(form));
  EXPECT_FALSE(IsFormActive(nullptr));

  // A form inside another counts as active with its top-level form.
  auto* inner = new TForm(form, 0);
  inner->SetParent(form);
  inner->SetBounds(0, 0, 50, 50);
  inner->Show();
  EXPECT_TRUE(IsFormActive(inner));
  delete inner;

  LockPopupShowing(true);
  EXPECT_TRUE(IsPopupShowingLocked());
  LockPopupShowing(false);
  LockPopupShowing(false);
  EXPECT_FALSE(IsPopupShowingLocked());
  EXPECT_FALSE(ReadContainerUnitFlag());
}

}  // namespace

namespace {

// A document is active when the main form is and the document is its active one.
TEST_F(ContainerTest, AnMdiDocumentIsActiveOnlyAsTheActiveDocumentOfTheActiveMainForm) {
  auto* main = static_cast<TForm*>(Application->CreateForm(TForm::StaticClass()));
  main->SetFormStyle(fsMDIForm);
  main->SetBounds(0, 0, 400, 300);
  main->Show();
  auto document = [](const char* caption) {
    auto* f = new TForm(Application, 0);
    f->SetFormStyle(fsMDIChild);
    f->SetCaption(caption);
    f->SetBounds(10, 10, 200, 150);
    f->Show();
    return f;
  };
  TForm* one = document("One");
  TForm* two = document("Two");
  Pump();
  SetActiveWindow(main->Handle());
  ASSERT_EQ(main->ActiveMDIChild(), two);
  EXPECT_TRUE(IsFormActive(two));
  EXPECT_FALSE(IsFormActive(one));
  main->Next();
  Pump();
  ASSERT_EQ(main->ActiveMDIChild(), one);
  EXPECT_TRUE(IsFormActive(one));
  EXPECT_FALSE(IsFormActive(two));
  SetActiveWindow(form->Handle());
  EXPECT_FALSE(IsFormActive(one)) << "the main form is not active";
  delete main;
}

}  // namespace

namespace {

// A skin painter with colours of its own for frames and editors.
struct TProbeSkinPainter : TcxUltraFlatLookAndFeelPainter {
  TColor ContainerFrameColor(bool Highlighted) const override { return Highlighted ? clRed : clLime; }
  TColor DefaultEditorBackgroundColorOfKind(int Kind) const override { return Kind == 1 ? clGray : clYellow; }
  TColor DefaultEditorTextColorOfKind(int) const override { return clNavy; }
};
const TProbeSkinPainter kProbeSkin;

// Under a skin the frame is one pixel in the skin's frame colour, and the skin colours the content
// and the text until the styles set colours of their own.
TEST_F(ContainerTest, ASkinColoursFrameContentAndTextUntilTheStylesSayOtherwise) {
  // The skins' registry comes with the painters' unit.
  const bool painters = !ExtendedStylePainterRegistry();
  if (painters) PaintersUnitStartup();
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("Probe", &kProbeSkin, nullptr));
  TTestContainer* c = Make(20, 20, 100, 30);
  c->NormalStyle()->SetBorderStyle(cbsFlat);
  c->NormalStyle()->SetTransparentBorder(false);
  c->NormalStyle()->LookAndFeel()->SetSkinName("Probe");
  c->RefreshState();
  ASSERT_EQ(c->ViewInfo()->Painter, &kProbeSkin);
  EXPECT_EQ(c->ViewInfo()->BorderWidth, 1);
  // The flat border keeps its two pixels; the skin draws the inner one and the region cuts the
  // outer one off.
  EXPECT_EQ(At(c, 0, 0), RGBOf(clBtnFace));
  EXPECT_EQ(At(c, 1, 1), RGBOf(clLime));
  EXPECT_EQ(At(c, 2, 2), RGBOf(clYellow));
  EXPECT_EQ(c->EffectiveFont()->Color(), clNavy);
  c->ForceFocused = true;
  c->RefreshState();
  EXPECT_EQ(At(c, 1, 1), RGBOf(clRed)) << "highlighted";
  c->ForceFocused = false;
  c->SetEnabled(false);
  EXPECT_EQ(c->ViewInfo()->BackgroundColor, clGray) << "the disabled kind";
  c->SetEnabled(true);

  c->NormalStyle()->SetColor(clAqua);
  c->NormalStyle()->SetTextColor(clMaroon);
  c->RefreshState();
  EXPECT_EQ(At(c, 50, 15), RGBOf(clAqua));
  EXPECT_EQ(c->EffectiveFont()->Color(), clMaroon);
  delete c;
  ExtendedStylePainterRegistry()->UnregisterPainter("Probe");
  if (painters) PaintersUnitShutdown();
}

}  // namespace
