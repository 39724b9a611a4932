// The toolbar window on the headless backend: its frame's hit test, floating resizing, staying
// reachable, alpha, position write-back, restoring after its site's window went, hatching,
// popups, separators, presses on disabled buttons, and pictures of its shapes in every style.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/GraphicsUnit.h"

using namespace win;

namespace {

constexpr int kButton = 23, kRow = 22;

// Until the item layout stands, equal buttons of kButton x kRow in rows: floating (wrapping) as
// many columns as the width takes and never narrower than 51, docked in one row or column.
class TGridToolbar : public TdxBarControl {
  VW_CLASS(TGridToolbar, TdxBarControl)
 public:
  explicit TGridToolbar(TComponent* AOwner) : TdxBarControl(AOwner) {}
  int Count() const { return ItemLinks() ? ItemLinks()->VisibleCount() : 0; }
  int ColumnsFor(int AWidth) const { return std::clamp(std::max(AWidth, 51) / kButton, 1, std::max(Count(), 1)); }
  TSize CalcSizeForWidth(TdxBarDockingStyle, int AWidth) override {
    const int columns = ColumnsFor(AWidth);
    const int rows = (Count() + columns - 1) / columns;
    return {std::max(columns * kButton, 51), std::max(rows, 1) * kRow};
  }
  // A top or bottom drag keeps the height asked for.
  TSize CalcSizeForHeight(TdxBarDockingStyle, int AHeight) override { return {ClientWidth(), AHeight}; }
  void CalcHorizontalItemRects() override {
    if (!ItemLinks()) return;
    const int across = IsVertical() ? 1 : (DockingStyle() == dsNone ? ColumnsFor(ClientWidth()) : Count());
    for (int i = 0; i < Count(); ++i) {
      const int col = IsVertical() ? 0 : i % std::max(across, 1), row = IsVertical() ? i : i / std::max(across, 1);
      TdxBarItemLink* link = ItemLinks()->VisibleLinks(i);
      if (!link->Control()) continue;
      link->SetItemRect({col * kButton, row * kRow, col * kButton + kButton, row * kRow + kRow});
      link->SetLineThickness(kRow);
    }
  }
  TSize PopupSize() override { return Popup; }
  TSize Popup{100, 40};
  int Drags = 0;
  void StartDrag() override { ++Drags; }
};

class TGridBar : public TdxBar {
  VW_CLASS(TGridBar, TdxBar)
 public:
  explicit TGridBar(TComponent* AOwner) : TdxBar(AOwner) {}
  TClass BarControlClass() const override { return TGridToolbar::StaticClass(); }
};

struct HitCase {
  const char* What;
  TPoint At;  // screen
  LRESULT Answer;
  int Code;
};

class BarToolbarControlTest : public BarToolbarFixture {
 protected:
  TGridBar* NewBar(const String& ACaption, TdxBarDockingStyle AStyle, int AButtons, int AClientWidth = 138) {
    const int columns = std::clamp(AClientWidth / kButton, 1, std::max(AButtons, 1));
    return AddToolbar<TGridBar>(ACaption, AStyle, AButtons, AClientWidth,
                                kRow * std::max((AButtons + columns - 1) / columns, 1), 3);
  }
  static TGridToolbar* Window(TdxBar* ABar) { return static_cast<TGridToolbar*>(ABar->Control()); }
  static void CheckHits(TdxBarControl* W, std::initializer_list<HitCase> Cases) {
    for (const HitCase& c : Cases) {
      const LRESULT answer = SendMessage(W->Handle(), WM_NCHITTEST, 0, MAKELPARAM(c.At.X, c.At.Y));
      EXPECT_EQ(answer, c.Answer) << c.What;
      EXPECT_EQ(W->LastHitCode(), c.Code) << c.What;
    }
  }
};

// ---- hit tests -----------------------------------------------------------------------------------

TEST_F(BarToolbarControlTest, HitTestsAnswerAndStoreWhatTheFrameHolds) {
  // The enhanced painter gives toolbars a mark and tracks the floating close button itself.
  M->SetStyle(bmsEnhanced);
  TdxBar* docked = NewBar("Docked", dsTop, 4);
  TGridToolbar* d = Window(docked);
  ASSERT_EQ(d->DockingStyle(), dsTop);
  d->SetBounds(0, 0, 300, 28);
  Pump();
  const TRect mark = d->MarkRect();
  ASSERT_FALSE(mark.Right <= mark.Left) << "a docked toolbar has a mark";
  CheckHits(d, {
                   {"grip", ScreenOf(d, {-3, 5}), HTCLIENT, dxBarHitCaption},
                   {"item", ScreenOf(d, {5, 5}), HTCLIENT, dxBarHitClient},
                   {"empty area", ScreenOf(d, {150, 5}), HTCLIENT, dxBarHitCaption},
                   {"mark", ScreenOf(d, {(mark.Left + mark.Right) / 2, 5}), HTCLIENT, dxBarHitNone},
               });

  TdxBar* status = NewBar("Status", dsBottom, 2);
  status->SetBorderStyle(bbsNone);
  status->SetWholeRow(true);
  status->SetShowMark(false);
  TGridToolbar* s = Window(status);
  s->FrameChanged();
  ASSERT_TRUE(status->IsStatusBarLike());
  ASSERT_TRUE(s->SizeGripShown()) << "a borderless bottom toolbar at the form's bottom shows a size grip";
  RECT sw;
  GetWindowRect(s->Handle(), &sw);
  CheckHits(s, {{"size grip", {sw.right - 2, sw.bottom - 2}, HTBOTTOMRIGHT, dxBarHitSizeGrip}});

  TdxBar* floating = NewBar("Floating", dsNone, 6);
  TGridToolbar* f = Window(floating);
  ASSERT_EQ(f->DockingStyle(), dsNone);
  TdxBarPainter* painter = f->BarPainter();
  const int fx = painter->FrameWidthX(), fy = painter->FrameWidthY();
  const TRect close = f->CloseButtonBounds();
  const TRect fmark = f->MarkRectInWindow();
  RECT fw;
  GetWindowRect(f->Handle(), &fw);
  const int w = fw.right - fw.left, h = fw.bottom - fw.top;
  ASSERT_TRUE(painter->TracksCloseButton()) << "the enhanced painter tracks the close button";
  CheckHits(f, {
                   {"top-left corner answers top", WindowPoint(f, {0, 0}), dxBarHitTop, dxBarHitTop},
                   {"top border", WindowPoint(f, {w / 2, fy - 1}), dxBarHitTop, dxBarHitTop},
                   {"right border", WindowPoint(f, {w - fx, h / 2}), dxBarHitRight, dxBarHitRight},
                   {"bottom border", WindowPoint(f, {w / 2, h - fy}), dxBarHitBottom, dxBarHitBottom},
                   {"left border", WindowPoint(f, {fx - 1, h / 2}), dxBarHitLeft, dxBarHitLeft},
                   {"close button, tracked", WindowPoint(f, {close.Left + 2, close.Top + 2}), HTCLOSE, dxBarHitClient},
                   {"mark", WindowPoint(f, {fmark.Left + 2, fmark.Top + 2}), HTCLIENT, dxBarHitClient},
                   {"caption", WindowPoint(f, {w / 2, close.Top + 2}), HTCLIENT, dxBarHitCaption},
                   {"item", ScreenOf(f, {5, 5}), HTCLIENT, dxBarHitClient},
               });
  // A painter that leaves the close button to the toolbar: the flat one.
  M->SetStyle(bmsFlat);
  Pump();
  ASSERT_FALSE(f->BarPainter()->TracksCloseButton());
  const TRect flatClose = f->CloseButtonBounds();
  CheckHits(f, {{"close button, not tracked", WindowPoint(f, {flatClose.Left + 2, flatClose.Top + 2}), HTCLIENT,
                 dxBarHitClose}});
  // A floating toolbar wider than its buttons drags by its empty client area.
  f->SetClientWidth(kButton * 6 + 40);
  CheckHits(f, {{"empty client", ScreenOf(f, {kButton * 6 + 20, 5}), HTCLIENT, dxBarHitCaption}});
}

class TPlainHitToolbar : public TGridToolbar {
  VW_CLASS(TPlainHitToolbar, TGridToolbar)
 public:
  explicit TPlainHitToolbar(TComponent* AOwner) : TGridToolbar(AOwner) {}
  unsigned BehaviourFlags() const override { return TGridToolbar::BehaviourFlags() | dxBarBehaviourPlainHitTest; }
};

TEST_F(BarToolbarControlTest, BehaviourBit80KeepsTheClassLibrarysAnswer) {
  auto* w = new TPlainHitToolbar(M);
  TdxBar* bar = NewBar("Plain", dsNone, 2);
  bar->SetVisible(false);
  w->SetShownBar(bar);
  w->ApplyDockingStyle(dsNone, nullptr);
  w->SetBounds(100, 100, 120, 60);
  RECT r;
  GetWindowRect(w->Handle(), &r);
  const LRESULT answer = SendMessage(w->Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, r.top + 1));
  EXPECT_EQ(answer, HTNOWHERE) << "the frame the toolbar draws is nowhere to the system";
  EXPECT_EQ(w->LastHitCode(), dxBarHitNone) << "nothing stored";
  TObject::Free(w);
}

// ---- floating size and place ----------------------------------------------------------------------

TEST_F(BarToolbarControlTest, EdgeDragsSnapToWholeColumnsCornersKeepTheBoundsAndTheTopStopsAt15Above) {
  TdxBar* bar = NewBar("Six", dsNone, 6);
  TGridToolbar* w = Window(bar);
  TRect insets;
  w->BarPainter()->CalcBarNonClient(w, dsNone, insets, false);
  const int bh = insets.Left + insets.Right, bv = insets.Top + insets.Bottom;
  RECT start;
  GetWindowRect(w->Handle(), &start);
  std::vector<int> widths;
  for (int width = 10; width <= 260; ++width) {
    RECT r{start.left, start.top, start.left + width, start.bottom};
    SendMessage(w->Handle(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
    EXPECT_EQ(r.left, start.left);
    const int client = r.right - r.left - bh;
    if (widths.empty() || widths.back() != client) widths.push_back(client);
    const int columns = std::max(client / kButton, 1);
    EXPECT_EQ(r.bottom - r.top - bv, ((6 + columns - 1) / columns) * kRow) << "rows for " << client;
  }
  EXPECT_EQ(widths, (std::vector<int>{51, 69, 92, 115, 138})) << "whole columns, the minimum of 51 included";

  RECT corner{start.left - 40, start.top - 40, start.right + 40, start.bottom + 40};
  SendMessage(w->Handle(), WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&corner));
  EXPECT_EQ(TRect(corner.left, corner.top, corner.right, corner.bottom),
            TRect(start.left, start.top, start.right, start.bottom)) << "a corner drag keeps the bounds";

  RECT top{start.left, -200, start.right, start.bottom};
  SendMessage(w->Handle(), WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&top));
  EXPECT_EQ(top.top, -15) << "the caption stays reachable";
  EXPECT_EQ(top.bottom - top.top, start.bottom - (-200)) << "the snapped size is kept, moved down";

  MINMAXINFO info{};
  SendMessage(w->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 10);
  EXPECT_EQ(info.ptMaxTrackSize.y, 30000);
}

TEST_F(BarToolbarControlTest, AToolbarDroppedOffTheWorkAreaComesBackFullyInside) {
  RECT work{0, 0, 1024, 738};
  SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
  TdxBar* bar = NewBar("Reach", dsNone, 2, 51);
  TGridToolbar* w = Window(bar);
  SetCursorPos(500, 400);
  struct Case {
    const char* What;
    int X, Y;
  };
  for (const Case& c : {Case{"left", -300, 100}, Case{"above", 100, -200}, Case{"right", 1100, 100},
                        Case{"below", 100, 800}, Case{"diagonally off", -300, -200}, Case{"off below right", 1500, 900}}) {
    SetWindowPos(w->Handle(), nullptr, c.X, c.Y, 100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT r;
    GetWindowRect(w->Handle(), &r);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 1024 && r.bottom <= 738)
        << c.What << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  SetWindowPos(w->Handle(), nullptr, -50, 100, 100, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  RECT partly;
  GetWindowRect(w->Handle(), &partly);
  EXPECT_EQ(partly.left, -50) << "a toolbar partly on the work area stays where it was put";
}

// ---- alpha and write-back -------------------------------------------------------------------------

TEST_F(BarToolbarControlTest, FloatingToolbarsBlendWithTheirAlphaDockedOnesDoNot) {
  TdxBar* floating = NewBar("Blend", dsNone, 3);
  floating->SetAlphaBlendValue(128);
  TdxBar* docked = NewBar("Docked", dsTop, 3);
  docked->SetAlphaBlendValue(128);
  floating->SetVisible(false);
  floating->SetVisible(true);
  docked->SetVisible(false);
  docked->SetVisible(true);
  Pump();
  EXPECT_TRUE(GetWindowLong(Window(floating)->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(GetWindowLong(Window(docked)->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  // The composite shows the form through the toolbar.
  RECT r;
  GetWindowRect(Window(floating)->Handle(), &r);
  SaveScreenArea("bars/toolbar-floating-alpha128.png", TRect(r.left - 10, r.top - 10, r.right + 10, r.bottom + 10), 2);
  int w = 0, h = 0;
  const std::vector<std::uint32_t> screen = platform::Headless()->ComposeScreen(w, h);
  TGridToolbar* window = Window(floating);
  POINT p{2, 2};
  ClientToScreen(window->Handle(), &p);
  HDC dc = GetDC(window->Handle());
  const COLORREF own = GetPixel(dc, 2, 2);
  ReleaseDC(window->Handle(), dc);
  const std::uint32_t shown = screen[static_cast<std::size_t>(p.y) * w + p.x] & 0xFFFFFF;
  const int ownRed = GetRValue(own), shownRed = static_cast<int>((shown >> 16) & 0xFF);
  EXPECT_NE(shownRed, ownRed) << "the screen shows a blend, not the toolbar's own pixel";
}

TEST_F(BarToolbarControlTest, MovingWritesThePlaceBackIntoTheToolbarExceptUnderAnInternalUpdate) {
  TdxBar* floating = NewBar("Floating", dsNone, 6);
  TGridToolbar* f = Window(floating);
  f->SetBounds(321, 234, f->Width(), f->Height());
  EXPECT_EQ(floating->FloatLeft(), 321);
  EXPECT_EQ(floating->FloatTop(), 234);
  EXPECT_EQ(floating->FloatClientWidth(), f->ClientWidth());
  EXPECT_EQ(floating->FloatClientHeight(), f->ClientHeight());
  f->BeginInternalUpdate();
  f->SetBounds(400, 300, f->Width(), f->Height());
  f->EndInternalUpdate();
  EXPECT_EQ(floating->FloatLeft(), 321) << "nothing written under an internal update";

  TdxBar* docked = NewBar("Docked", dsTop, 3);
  TGridToolbar* d = Window(docked);
  docked->SetOneOnRow(false);
  d->SetBounds(40, 0, d->Width(), d->Height());
  EXPECT_EQ(docked->DockedLeft(), 40);
  EXPECT_EQ(docked->DockedTop(), 0);
  EXPECT_TRUE(docked->OneOnRow()) << "alone on its row";
  EXPECT_EQ(docked->DockedDockingStyle(), dsTop);
}

TEST_F(BarToolbarControlTest, AToolbarDestroyedWithItsSitesWindowComesBackWithTheNewOne) {
  auto* site = new TdxBarDockControl(Form);
  site->SetBarManager(M);
  site->SetParent(Form);
  site->SetAlign(dalTop);
  site->SetHeight(30);
  site->HandleNeeded();
  TdxBar* bar = NewBar("Standalone", dsTop, 3);
  bar->SetDockControl(site);
  Pump();
  ASSERT_NE(bar->Control(), nullptr);
  ASSERT_EQ(bar->Control()->Parent(), site);
  site->DestroyHandle();
  EXPECT_FALSE(bar->Visible()) << "hidden with its window";
  EXPECT_TRUE(M->IsBarToRestore(bar));
  EXPECT_FALSE(site->BarWindowDestroying());
  Pump();  // the old window is freed once the destruction is over
  site->HandleNeeded();
  EXPECT_TRUE(bar->Visible()) << "back with the site's new window";
  ASSERT_NE(bar->Control(), nullptr);
  EXPECT_TRUE(bar->Control()->HandleAllocated());
  EXPECT_FALSE(M->IsBarToRestore(bar));
}

// ---- painting, popups, separators, presses --------------------------------------------------------

TEST_F(BarToolbarControlTest, WhileAnotherManagerCustomizesTheClientIsHatched) {
  TdxBar* bar = NewBar("Hatched", dsNone, 2, 100);
  // A form holds one manager: the customizing one lives on a second form.
  auto* otherForm = new TItemFixtureForm(nullptr);
  auto* other = new TdxBarManager(otherForm);
  TGridToolbar* w = Window(bar);
  other->SetCustomizing(true);
  w->Invalidate();
  w->Update();
  HDC dc = GetDC(w->Handle());
  // An empty part of the client: black at 170 and the face at 20 over it, in cells of 2 x 2.
  const int x = w->ClientWidth() - 6, y = 4;
  const COLORREF a = GetPixel(dc, x, y), b = GetPixel(dc, x + 2, y);
  ReleaseDC(w->Handle(), dc);
  EXPECT_NE(a, b) << "a checker";
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const int darker = std::min(GetRValue(a), GetRValue(b));
  EXPECT_LT(darker, GetRValue(face) / 2) << "one of the two is mostly black";
  other->SetCustomizing(false);
  TObject::Free(otherForm);
}

TEST_F(BarToolbarControlTest, PopupsStayInTheWorkArea) {
  RECT work{0, 0, 1024, 738};
  SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
  TdxBar* parentBar = NewBar("Parent", dsTop, 2);
  TdxBar* source = NewBar("Source", dsTop, 1);
  auto* popup = static_cast<TGridToolbar*>(TdxBarControl::CreatePopup(TGridToolbar::StaticClass(), Window(parentBar), source));
  EXPECT_TRUE(popup->ShownBar()->Hidden());
  EXPECT_FALSE(popup->ShownBar()->AllowQuickCustomizing());
  EXPECT_TRUE(popup->ShownBar()->ItemLinks()->Internal());
  EXPECT_EQ(popup->SourceBar(), source);
  struct Case {
    const char* What;
    TRect Owner;
    TSize Size;
    TRect Expected;
  };
  for (const Case& c : {Case{"below, left-aligned", {100, 100, 120, 120}, {100, 40}, {100, 120, 200, 160}},
                        Case{"near the right", {1000, 100, 1020, 120}, {100, 40}, {924, 120, 1024, 160}},
                        Case{"near the bottom: above", {100, 720, 120, 735}, {100, 40}, {100, 680, 200, 720}},
                        Case{"larger than the work area", {10, 10, 20, 20}, {1200, 900}, {-176, -890, 1024, 10}}}) {
    popup->Popup = c.Size;
    popup->ShowAsPopup(c.Owner);
    EXPECT_EQ(popup->WindowRect(), c.Expected) << c.What;
  }
  TdxBar* vertical = NewBar("Vertical", dsLeft, 2);
  auto* beside = static_cast<TGridToolbar*>(TdxBarControl::CreatePopup(TGridToolbar::StaticClass(), Window(vertical), source));
  beside->Popup = {100, 40};
  beside->ShowAsPopup({30, 100, 50, 120});
  EXPECT_EQ(beside->WindowRect(), TRect(50, 100, 150, 140)) << "beside a vertical parent";
  beside->ShowAsPopup({1000, 700, 1020, 720});
  EXPECT_EQ(beside->WindowRect(), TRect(900, 698, 1000, 738)) << "left of the owner, kept above the bottom";
  TObject::Free(beside);
  TObject::Free(popup);
}

TEST_F(BarToolbarControlTest, SeparatorsLieAcrossWrappedLinesAndBesideFurtherColumns) {
  TdxBar* floating = NewBar("Wrapped", dsNone, 6, 69);
  TGridToolbar* f = Window(floating);
  f->CalcViewInfo();
  TCustomdxBarControlViewInfo* info = f->ViewInfo();
  const int s = f->SeparatorSize();
  ASSERT_EQ(info->SeparatorCount(), 1);
  // The fourth button starts the second line at x = 0: a line across the bar above it.
  EXPECT_TRUE(info->SeparatorHorizontal(0));
  EXPECT_EQ(info->SeparatorBounds(0), TRect(0, kRow - s, f->ClientWidth(), kRow));

  TdxBar* vertical = NewBar("Columns", dsLeft, 6);
  TGridToolbar* v = Window(vertical);
  v->CalcViewInfo();
  const TRect item = vertical->ItemLinks()->VisibleLinks(3)->ItemRect();
  ASSERT_EQ(v->ViewInfo()->SeparatorCount(), 1);
  EXPECT_TRUE(v->ViewInfo()->SeparatorHorizontal(0)) << "below y = 0 the line crosses the column";
  EXPECT_EQ(v->ViewInfo()->SeparatorBounds(0), TRect(item.Left - (kRow - kButton) / 2, item.Top - s,
                                                     item.Left - (kRow - kButton) / 2 + kRow, item.Top));
  // The first item of a further column (y = 0) gets a line beside its column.
  TdxBarItemLink* first = vertical->ItemLinks()->VisibleLinks(3);
  first->SetItemRect({kButton, 0, 2 * kButton, kRow});
  v->ViewInfo()->Clear();
  static_cast<TdxBarControlViewInfo*>(v->ViewInfo())->CalcSeparatorRect(first, first->ItemRect());
  const int g = v->MarkAreaSize();
  EXPECT_FALSE(v->ViewInfo()->SeparatorHorizontal(0));
  EXPECT_EQ(v->ViewInfo()->SeparatorBounds(0),
            TRect(2 * kButton + (kRow - kButton) / 2, 0, 2 * kButton + (kRow - kButton) / 2 + s, v->ClientHeight() - g));
}

TEST_F(BarToolbarControlTest, APressOnADisabledButtonClosesTheToolbar) {
  TdxBar* bar = NewBar("Press", dsTop, 2);
  TGridToolbar* w = Window(bar);
  auto* button = static_cast<TdxBarButton*>(bar->ItemLinks()->Items(0)->Item());
  button->SetEnabled(false);
  w->SetActiveState(true);
  ASSERT_TRUE(w->Active());
  w->PressControl(bar->ItemLinks()->Items(0)->Control());
  EXPECT_FALSE(w->Active());
}

TEST_F(BarToolbarControlTest, APressOnTheCaptionHandsTheGrabToTheDrag) {
  TdxBar* bar = NewBar("Drag", dsNone, 2, 100);
  TGridToolbar* w = Window(bar);
  RECT r;
  GetWindowRect(w->Handle(), &r);
  const TRect close = w->CloseButtonBounds();
  const TPoint at{r.left + 20, r.top + close.Top + 2};
  SendMessage(w->Handle(), WM_NCHITTEST, 0, MAKELPARAM(at.X, at.Y));
  ASSERT_EQ(w->LastHitCode(), dxBarHitCaption);
  SetCursorPos(at.X, at.Y);
  w->HandleItemMouseDown(mbLeft, {}, false, nullptr, {at.X - r.left, at.Y - r.top});
  EXPECT_EQ(w->Drags, 1);
  EXPECT_EQ(w->GrabRatioX(), TPoint(20, r.right - r.left));
  EXPECT_EQ(w->GrabRatioY(), TPoint(close.Top + 2, r.bottom - r.top));
  EXPECT_EQ(SendMessage(w->Handle(), WM_GETDLGCODE, 0, 0), 7);
}

// ---- pictures ------------------------------------------------------------------------------------

TEST_F(BarToolbarControlTest, PicturesOfTheFourShapesInEveryStyle) {
  Form->SetBounds(0, 0, 640, 420);
  TdxBar* top = NewBar("Top", dsTop, 6);
  TdxBar* left = NewBar("Left", dsLeft, 4);
  TdxBar* floating = NewBar("Floating tools", dsNone, 6, 92);
  TdxBar* status = NewBar("Status", dsBottom, 3);
  status->SetBorderStyle(bbsNone);
  status->SetWholeRow(true);
  status->SetShowMark(false);
  auto shoot = [&](const String& name) {
    for (TdxBar* bar : {top, left, status}) {
      bar->SetVisible(false);
      bar->SetVisible(true);
    }
    // Until sites lay out their rows, each site takes its toolbar's thickness by hand.
    Window(top)->DockControl()->SetHeight(30);
    Window(left)->DockControl()->SetWidth(30);
    Window(status)->DockControl()->SetHeight(26);
    Window(top)->SetBounds(0, 0, 220, 30);
    Window(left)->SetBounds(0, 0, 30, 120);
    Window(status)->SetBounds(0, 0, Form->ClientWidth(), 26);
    floating->SetVisible(false);
    floating->SetVisible(true);
    Pump();
    for (TdxBar* bar : {top, left, floating, status}) {
      RedrawWindow(Window(bar)->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
      ASSERT_TRUE(IsWindowVisible(Window(bar)->Handle())) << bar->Caption();
    }
    Pump();
    RECT fr;
    GetWindowRect(Form->Handle(), &fr);
    SaveScreenArea("bars/toolbar-window-" + name + ".png", TRect(fr.left, fr.top, fr.right, fr.bottom), 2);
    RECT r;
    GetWindowRect(Window(floating)->Handle(), &r);
    SaveScreenArea("bars/toolbar-floating-" + name + ".png", TRect(r.left - 4, r.top - 4, r.right + 4, r.bottom + 4), 3);
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

}  // namespace
