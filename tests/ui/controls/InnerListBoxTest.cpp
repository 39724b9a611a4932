// The inner list box in a container on the headless screen: typing searches its items on the
// virtual clock, the library's bars mirror the system bars and scroll the list, the corner between
// them is painted, and keys reach the container first.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/Container.h"
#include "ui/controls/InnerListBox.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

class TListContainer : public TcxContainer {
  VW_CLASS(TListContainer, TcxContainer)
 public:
  explicit TListContainer(TComponent* AOwner) : TcxContainer(AOwner) {
    List = new TcxCustomInnerListBox(this);
    List->SetContainer(this);
    List->SetParent(this);
    SetInnerControl(List);
  }
  TcxCustomInnerListBox* List;
};

class InnerListBoxTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = NewForm(0, 0, 400, 300);
    form->SetColor(clBtnFace);
    container = new TListContainer(form);
    container->SetParent(form);
    container->SetBounds(20, 20, 200, 150);
    container->NormalStyle()->SetBorderStyle(cbsSingle);
    list = container->List;
    Pump();
  }
  void TearDown() override {
    delete form;
    ControlsTest::TearDown();
  }
  void Fill(std::initializer_list<const char*> items) {
    for (const char* s : items) list->Items()->Add(s);
  }
  TForm* form = nullptr;
  TListContainer* container = nullptr;
  TcxCustomInnerListBox* list = nullptr;
};

TEST_F(InnerListBoxTest, TypingSelectsTheFirstItemBeginningWithTheText) {
  Fill({"Apple", "abacus", "ABle"});
  list->SetFocus();
  Pump();
  Type("a");
  EXPECT_EQ(list->ItemIndex(), 0);
  RunFor(300);
  Type("b");
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->SearchText(), "ab");
  // After a pause longer than the delay the search starts again.
  RunFor(600);
  Type("a");
  EXPECT_EQ(list->SearchText(), "a");
  EXPECT_EQ(list->ItemIndex(), 0);
  // Exactly the delay is a pause too.
  RunFor(500);
  Type("AB");
  EXPECT_EQ(list->ItemIndex(), 1);
  list->SetAutoComplete(false);
  RunFor(600);
  Type("a");
  EXPECT_EQ(list->SearchText(), "AB");
}

TEST_F(InnerListBoxTest, BackspaceRemovesAWholeCharacter) {
  Fill({"中国", "中文", "日本"});
  list->SetFocus();
  Pump();
  Type("中文");
  EXPECT_EQ(list->ItemIndex(), 1);
  Key(VK_BACK);
  EXPECT_EQ(list->SearchText(), "中");
  EXPECT_EQ(list->ItemIndex(), 0);
  Key(VK_BACK);
  EXPECT_EQ(list->SearchText(), "");
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(InnerListBoxTest, AMultiSelectListKeepsOnlyTheFoundItemSelected) {
  list->SetMultiSelect(true);
  Fill({"Apple", "abacus", "ABle", "Banana"});
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  list->SetFocus();
  Pump();
  Type("abl");
  EXPECT_EQ(list->SelCount(), 1);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(list->ItemIndex(), 2);
}

TEST_F(InnerListBoxTest, AVirtualListSearchesThroughItsDataFind) {
  list->SetStyle(lbVirtual);
  list->SetCount(50);
  std::vector<String> asked;
  list->OnDataFind = [&](TObject*, const String& Data) {
    asked.push_back(Data);
    return 42;
  };
  list->SetFocus();
  Pump();
  Type("x");
  EXPECT_EQ(asked, std::vector<String>{"x"});
  EXPECT_EQ(list->ItemIndex(), 42);
}

TEST_F(InnerListBoxTest, TheLibraryBarsMirrorTheSystemBars) {
  Fill({"one", "two", "three"});
  Pump();
  ASSERT_NE(list->VScrollBar(), nullptr);
  EXPECT_FALSE(list->VScrollBar()->Visible());
  for (int i = 3; i < 200; ++i) list->Items()->Add("item " + std::to_string(i));
  Pump();
  TcxScrollBar* bar = list->VScrollBar();
  ASSERT_TRUE(bar->Visible());
  EXPECT_EQ(bar->Parent(), container);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(list->Handle(), SB_VERT, &si));
  EXPECT_EQ(bar->Max(), si.nMax);
  EXPECT_EQ(bar->PageSize(), static_cast<int>(si.nPage));
  EXPECT_EQ(bar->Position(), si.nPos);
  SCROLLBARINFO info;
  ASSERT_TRUE(GetScrollBarInfo(list->Handle(), OBJID_VSCROLL, &info));
  POINT barOnScreen = bar->ClientToScreen(POINT{0, 0});
  EXPECT_EQ(barOnScreen.x, info.rcScrollBar.left);
  EXPECT_EQ(barOnScreen.y, info.rcScrollBar.top);

  // Its down arrow, pressed with the mouse, scrolls the list a line.
  POINT arrow = bar->ClientToScreen(POINT{bar->Width() / 2, bar->Height() - 3});
  MoveMouse(arrow.x, arrow.y);
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_EQ(list->TopIndex(), 1);
  EXPECT_EQ(bar->Position(), 1);
  // Tracking the thumb sets the top index directly; the keyboard moves the bar along.
  int pos = 120;
  bar->OnScroll(bar, scTrack, pos);
  EXPECT_EQ(list->TopIndex(), 120);
  list->SetTopIndex(0);
  EXPECT_EQ(bar->Position(), 0);
  // Selecting the last item scrolls just far enough to show it whole.
  list->SetItemIndex(199);
  EXPECT_EQ(list->TopIndex(), 200 - static_cast<int>(si.nPage));
  EXPECT_EQ(bar->Position(), list->TopIndex());
  list->Items()->Clear();
  Pump();
  EXPECT_FALSE(bar->Visible());
}

TEST_F(InnerListBoxTest, WithBothBarsTheCornerIsPainted) {
  for (int i = 0; i < 100; ++i) list->Items()->Add("a rather long item text number " + std::to_string(i));
  list->SetScrollWidth(600);
  Pump();
  ASSERT_TRUE(list->HScrollBar()->Visible());
  ASSERT_TRUE(list->VScrollBar()->Visible());
  TRect grip = list->SizeGripRect();
  ASSERT_GT(grip.Right, grip.Left);
  RedrawWindow(list->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  Pump();
  HDC dc = GetWindowDC(list->Handle());
  const COLORREF corner = GetPixel(dc, (grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2);
  ReleaseDC(list->Handle(), dc);
  TColor expected = container->NormalStyle()->LookAndFeel()->ActivePainter()->DefaultSizeGripAreaColor();
  EXPECT_EQ(corner, ColorToRGB(expected));
  // The horizontal bar scrolls through the list's own WM_HSCROLL and reads the position back.
  TcxScrollBar* h = list->HScrollBar();
  int pos = 0;
  h->OnScroll(h, scPageDown, pos);
  EXPECT_GT(pos, 0);
  EXPECT_EQ(pos, GetScrollPos(list->Handle(), SB_HORZ));
}

// The mirrored bars follow the list's look-and-feel: one picture per kind.
TEST_F(InnerListBoxTest, GalleryOfMirroredBarsInEveryKind) {
  for (int i = 0; i < 100; ++i) list->Items()->Add("a rather long item text number " + std::to_string(i));
  list->SetScrollWidth(600);
  list->SetItemIndex(3);
  list->SetTopIndex(2);
  for (TcxLookAndFeelKind kind : {lfFlat, lfStandard, lfUltraFlat, lfOffice11}) {
    list->LookAndFeel()->SetKind(kind);
    container->NormalStyle()->LookAndFeel()->SetKind(kind);
    form->Invalidate();
    Pump();
    EXPECT_EQ(list->VScrollBar()->LookAndFeel()->Kind(), kind);
    EXPECT_EQ(list->VScrollBar()->Position(), 2);
    EXPECT_TRUE(Headless().SaveScreenshot(
        testsupport::ArtifactPath("popup/cx_inner_list_box_" + std::to_string(static_cast<int>(kind)) + ".png")));
  }
}

TEST_F(InnerListBoxTest, KeysReachTheContainerFirst) {
  Fill({"one", "two", "three"});
  std::vector<std::string> order;
  container->OnKeyDown = [&](TObject*, WORD& Key, TShiftState) {
    order.push_back("container");
    if (Key == VK_F2) Key = 0;
  };
  list->OnKeyDown = [&](TObject*, WORD&, TShiftState) { order.push_back("list"); };
  list->SetFocus();
  Pump();
  Key(VK_DOWN);
  EXPECT_EQ(order, (std::vector<std::string>{"container", "list"}));
  // A key the container takes never reaches the list.
  order.clear();
  Key(VK_F2);
  EXPECT_EQ(order, std::vector<std::string>{"container"});
  // Tab and Enter are the container's: the list asks for characters and Tab only in a container.
  LRESULT code = SendMessage(list->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_NE(code & DLGC_WANTCHARS, 0);
  EXPECT_NE(code & DLGC_WANTTAB, 0);
}

TEST_F(InnerListBoxTest, APressRaisesTheForwardedClickFlagAndArrivesShifted) {
  Fill({"one", "two", "three"});
  std::vector<TPoint> downs;
  bool flagged = false;
  container->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int X, int Y) {
    downs.push_back(TPoint(X, Y));
    flagged = container->InnerClick();
  };
  POINT p = list->ClientToScreen(POINT{10, 5});
  MoveMouse(p.x, p.y);
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0], TPoint(10 + list->Left(), 5 + list->Top()));
  EXPECT_TRUE(flagged);
  EXPECT_FALSE(container->InnerClick());
  EXPECT_EQ(list->ItemIndex(), 0);
}

TEST_F(InnerListBoxTest, AnAutomaticDragOfASelectedItemKeepsTheSelection) {
  list->SetMultiSelect(true);
  Fill({"one", "two", "three"});
  list->SetSelected(0, true);
  list->SetSelected(2, true);
  list->SetDragMode(dmAutomatic);
  Pump();
  POINT p = list->ClientToScreen(POINT{10, list->ItemRect(2).top + 2});
  MoveMouse(p.x, p.y);
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Pump();
  EXPECT_EQ(list->DragMode(), dmAutomatic);
  EXPECT_EQ(list->SelCount(), 2);
  auto* drag = dynamic_cast<TDragControlObject*>(DragObject());
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->Control(), container);
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_EQ(list->SelCount(), 2);
}

}  // namespace
