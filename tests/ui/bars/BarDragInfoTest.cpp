// Dragging item links while customizing, on the headless backend: the drag's own loop runs while a
// 10 ms timer plays the mouse and the keys into it, and the links, the drag states, the cursors and
// the insertion mark's pixels are read back.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Clock.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"

using namespace win;

namespace {

// The steps of a drag, one per tick of a thread timer that runs inside the drag's loop. After each
// step the drag's state and cursor are noted.
struct TDragScript {
  static inline std::vector<std::function<void()>> Steps;
  static inline std::size_t Next = 0;
  static inline std::vector<int> States;
  static inline std::vector<int> Cursors;
  static inline TdxBarManager* Manager = nullptr;
  static inline bool Overran = false;
  static int CursorNumber() {
    for (int n : {crdxBarDrag, crdxBarDragCopy, crdxBarDragNoDrop})
      if (GetCursor() == Screen->Cursors(n)) return n;
    return 0;
  }
  static void Tick(HWND, UINT, UINT_PTR, DWORD) {
    TdxBarDragInfo* drag = Manager->DragInfo();
    if (Next > 0 && drag->Running()) {
      States.push_back(drag->DraggingState());
      Cursors.push_back(CursorNumber());
    }
    if (Next < Steps.size()) {
      Steps[Next++]();
    } else if (drag->Running()) {
      // A script that does not end its drag: Escape ends it, and the test fails.
      Overran = true;
      platform::Headless()->InjectKey(VK_ESCAPE, true);
    }
  }
};

constexpr int dsNoDrop = TdxBarDragInfo::dsNoDrop, dsOwnPlace = TdxBarDragInfo::dsOwnPlace,
              dsCategory = TdxBarDragInfo::dsCategory, dsCopy = TdxBarDragInfo::dsCopy, dsMove = TdxBarDragInfo::dsMove;

class BarDragInfoTest : public BarToolbarFixture {
 public:
  BarDragInfoTest() : BarToolbarFixture(bmsEnhanced) {}
  void SetUp() override {
    BarToolbarFixture::SetUp();
    MenuLinks.clear();
    One = NewBar("One", dsTop, {"A0", "A1", "A2", "A3"}, 1);
    Two = NewBar("Two", dsBottom, {"B0", "B1", "B2"});
    Side = NewBar("Side", dsLeft, {"C0", "C1", "C2"}, 1);
    Empty = NewBar("Empty", dsRight, {});
    M->SetCustomizing(true);
    Pump();
  }
  TdxBar* NewBar(const String& ACaption, TdxBarDockingStyle AStyle, std::vector<String> ACaptions, int AGroup = -1) {
    auto* bar = new TdxBar(Form);
    bar->AttachToParent(M);
    bar->SetCaption(ACaption);
    for (std::size_t i = 0; i < ACaptions.size(); ++i) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption(ACaptions[i]);
      bar->ItemLinks()->AddItem(button)->SetBeginGroup(static_cast<int>(i) == AGroup);
    }
    bar->SetDockingStyle(AStyle);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  // The links' captions in order, a "|" before a link that begins a group.
  static std::string Layout(TdxBar* ABar) {
    std::string s;
    TdxBarItemLinks* links = ABar->ItemLinks();
    for (int i = 0; i < links->Count(); ++i) {
      if (!s.empty()) s += ' ';
      if (links->Items(i)->BeginGroup()) s += '|';
      s += links->Items(i)->Item()->Caption();
    }
    return s;
  }
  static TRect ScreenRect(TdxBar* ABar, int AIndex) {
    TdxBarItemLink* link = ABar->ItemLinks()->Items(AIndex);
    return ABar->Control()->ControlScreenRect(link->Control());
  }
  static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }
  static platform::HeadlessControl& Headless() { return *platform::Headless(); }
  static std::function<void()> Move(std::function<TPoint()> AWhere) {
    return [AWhere] {
      const TPoint p = AWhere();
      Headless().InjectMouseMove(p.X, p.Y);
    };
  }
  static std::function<void()> Move(TPoint AWhere) {
    return [AWhere] { Headless().InjectMouseMove(AWhere.X, AWhere.Y); };
  }
  static std::function<void()> Key(unsigned AKey, bool ADown) {
    return [AKey, ADown] { Headless().InjectKey(AKey, ADown); };
  }
  static std::function<void()> Release() {
    return [] { Headless().InjectMouseButton(1, false); };
  }
  // Drags the link (or, without one, the item) grabbed at AStart through the steps.
  void Drag(TdxBarItem* AItem, TdxBarItemLink* ALink, TPoint AStart, std::vector<std::function<void()>> ASteps) {
    Headless().InjectMouseMove(AStart.X, AStart.Y);
    Pump();
    TDragScript::Steps = std::move(ASteps);
    TDragScript::Next = 0;
    TDragScript::States.clear();
    TDragScript::Cursors.clear();
    TDragScript::Manager = M;
    TDragScript::Overran = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, TDragScript::Tick);
    M->DragItem(AItem, ALink);
    KillTimer(nullptr, timer);
    Pump();
    EXPECT_FALSE(TDragScript::Overran) << "the drag outlived its script";
  }
  void DragLink(TdxBar* ABar, int AIndex, std::vector<std::function<void()>> ASteps, TPoint AGrab = {0, 0}) {
    TdxBarItemLink* link = ABar->ItemLinks()->Items(AIndex);
    const TPoint start = Centre(ScreenRect(ABar, AIndex));
    Drag(link->Item(), link, {start.X + AGrab.X, start.Y + AGrab.Y}, std::move(ASteps));
  }

  TItemFixtureForm* TheForm() const { return Form; }
  // A menu of links "M0", "M1", ... shown at the point, the way a popup menu shows its window.
  TdxBarSubMenuControl* OpenMenu(int ACount, int X, int Y) {
    auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    MenuLinks.emplace_back(links);
    for (int i = 0; i < ACount; ++i) {
      auto* button = new TdxBarButton(Form);
      button->SetCaption("M" + std::to_string(i));
      links->AddItem(button);
    }
    auto* menu = new TdxBarSubMenuControl(M);
    menu->SetItemLinks(links);
    menu->SetLeft(X);
    menu->SetTop(Y);
    menu->PopupMenuWindow();
    Pump();
    return menu;
  }
  static std::string Layout(TdxBarItemLinks* ALinks) {
    std::string s;
    for (int i = 0; i < ALinks->Count(); ++i) s += (s.empty() ? "" : " ") + ALinks->Items(i)->Item()->Caption();
    return s;
  }
  // The pixels of the window's client rectangle R, read from what it has drawn.
  static std::vector<COLORREF> Pixels(TCustomdxBarControl* ABar, const TRect& R) {
    std::vector<COLORREF> out;
    HDC dc = GetDC(ABar->Handle());
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) out.push_back(GetPixel(dc, x, y));
    ReleaseDC(ABar->Handle(), dc);
    return out;
  }

  std::vector<std::unique_ptr<TdxBarItemLinks>> MenuLinks;
  platform::ScopedVirtualClock Clock;
  TdxBar *One = nullptr, *Two = nullptr, *Side = nullptr, *Empty = nullptr;
};

TPoint Offset(const TPoint& P, int DX, int DY) { return {P.X + DX, P.Y + DY}; }
TPoint ToScreen(TControl* AControl, const TPoint& P) {
  const POINT s = AControl->ClientToScreen(POINT{P.X, P.Y});
  return {s.x, s.y};
}

// ---- drops ------------------------------------------------------------------------------------------

TEST_F(BarDragInfoTest, DropsEditTheLinksByWhereTheyLand) {
  struct Case {
    const char* Name;
    // The link of One that is dragged, and the steps after the grab.
    int Dragged;
    std::function<std::vector<std::function<void()>>(BarDragInfoTest*)> Steps;
    std::string One, Two, Side, Empty;
    std::vector<int> States;
  };
  auto left = [](const TRect& r) { return TPoint{r.Left + 3, (r.Top + r.Bottom) / 2}; };
  const std::vector<Case> cases = {
      {"off every bar: removed, the next link inherits the separator", 1,
       [](BarDragInfoTest* T) {
         const TPoint off{T->TheForm()->Left() + 200, T->TheForm()->Top() + 150};
         return std::vector<std::function<void()>>{Move(off), Release()};
       },
       "A0 |A2 A3", "B0 B1 B2", "C0 |C1 C2", "", {dsNoDrop}},
      {"onto the other toolbar: moved", 0,
       [left](BarDragInfoTest* T) { return std::vector<std::function<void()>>{Move(left(ScreenRect(T->Two, 1))), Release()}; },
       "A1 A2 A3", "B0 A0 B1 B2", "C0 |C1 C2", "", {dsMove}},
      {"onto the other toolbar with Ctrl: copied", 0,
       [left](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Key(VK_CONTROL, true), Move(left(ScreenRect(T->Two, 1))), Release()};
       },
       "A0 |A1 A2 A3", "B0 A0 B1 B2", "C0 |C1 C2", "", {dsCopy, dsCopy}},
      {"onto an empty toolbar: its only link", 3,
       [](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Move(Centre(T->Empty->Control()->WindowRect())), Release()};
       },
       "A0 |A1 A2", "B0 B1 B2", "C0 |C1 C2", "A3", {dsMove}},
      {"onto the lower half of a separator: before the link below, the separator above the new link", 0,
       [](BarDragInfoTest* T) {
         // The separator lies just above C1's item in the vertical toolbar.
         return std::vector<std::function<void()>>{
             Move([T] {
               const TRect r = ScreenRect(T->Side, 1);
               return TPoint{(r.Left + r.Right) / 2, r.Top - 2};
             }),
             Release()};
       },
       "A1 A2 A3", "B0 B1 B2", "C0 |A0 C1 C2", "", {dsMove}},
      {"three pixels along its own place: nothing", 2,
       [](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Move(Offset(Centre(ScreenRect(T->One, 2)), 3, 0)), Release()};
       },
       "A0 |A1 A2 A3", "B0 B1 B2", "C0 |C1 C2", "", {dsOwnPlace}},
      {"four forward: a group begins", 2,
       [](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Move(Offset(Centre(ScreenRect(T->One, 2)), 4, 0)), Release()};
       },
       "A0 |A1 |A2 A3", "B0 B1 B2", "C0 |C1 C2", "", {dsOwnPlace}},
      {"four back: the group ends", 1,
       [](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Move(Offset(Centre(ScreenRect(T->One, 1)), -4, 0)), Release()};
       },
       "A0 A1 A2 A3", "B0 B1 B2", "C0 |C1 C2", "", {dsOwnPlace}},
      {"Ctrl pressed and released over its own place, then a release: nothing", 2,
       [](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Move(Offset(Centre(ScreenRect(T->One, 2)), 1, 0)),
                                                   Key(VK_CONTROL, true), Key(VK_CONTROL, false), Release()};
       },
       "A0 |A1 A2 A3", "B0 B1 B2", "C0 |C1 C2", "", {dsOwnPlace, dsCopy, dsOwnPlace}},
      {"Escape: nothing", 0,
       [left](BarDragInfoTest* T) {
         return std::vector<std::function<void()>>{Move(left(ScreenRect(T->Two, 1))), Key(VK_ESCAPE, true)};
       },
       "A0 |A1 A2 A3", "B0 B1 B2", "C0 |C1 C2", "", {dsMove}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    DragLink(One, c.Dragged, c.Steps(this));
    EXPECT_EQ(Layout(One), c.One);
    EXPECT_EQ(Layout(Two), c.Two);
    EXPECT_EQ(Layout(Side), c.Side);
    EXPECT_EQ(Layout(Empty), c.Empty);
    EXPECT_EQ(TDragScript::States, c.States);
    TdxBarDragInfo* drag = M->DragInfo();
    EXPECT_FALSE(drag->Running());
    EXPECT_FALSE(drag->MarkVisible());
    EXPECT_EQ(drag->DraggedLink(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCursor(), Screen->Cursors(crDefault)) << "the default cursor is back";
    Headless().InjectKey(VK_CONTROL, false);
    Headless().InjectKey(VK_ESCAPE, false);
    Pump();
  }
}

// ---- what the drag shows -----------------------------------------------------------------------------

TEST_F(BarDragInfoTest, CtrlSwitchesTheCopyAndTheMoveCursorWhereTheMouseStands) {
  const TPoint target = Offset(ScreenRect(Two, 1).TopLeft(), 3, 5);
  DragLink(One, 0, {Move(target), Key(VK_CONTROL, true), Key(VK_CONTROL, false), Key(VK_ESCAPE, true)});
  EXPECT_EQ(TDragScript::States, (std::vector<int>{dsMove, dsCopy, dsMove}));
  EXPECT_EQ(TDragScript::Cursors, (std::vector<int>{crdxBarDrag, crdxBarDragCopy, crdxBarDrag}));
  // An item from the command list only ever copies, whatever Ctrl does.
  Headless().InjectKey(VK_ESCAPE, false);
  TdxBarItem* item = One->ItemLinks()->Items(2)->Item();
  Drag(item, nullptr, target, {Move(Offset(target, 1, 0)), Key(VK_CONTROL, true), Key(VK_CONTROL, false), Release()});
  EXPECT_EQ(TDragScript::States, (std::vector<int>{dsCopy, dsCopy, dsCopy}));
  EXPECT_EQ(TDragScript::Cursors, (std::vector<int>{crdxBarDragCopy, crdxBarDragCopy, crdxBarDragCopy}));
  EXPECT_EQ(Layout(Two), "B0 A2 B1 B2");
}

TEST_F(BarDragInfoTest, TheInsertionMarkIsInvertedAndHidingItRestoresThePixels) {
  TCustomdxBarControl* bar = Two->Control();
  const TRect item = Two->ItemLinks()->Items(1)->ItemRect();
  const TPoint at = ToScreen(bar, {item.Left + 3, (item.Top + item.Bottom) / 2});
  const TRect strip{item.Left, item.Top, item.Left + 8, item.Bottom};
  std::vector<COLORREF> shown, hidden;
  TRect markRect;
  DragLink(One, 0,
           {Move(at), [&] {
              shown = Pixels(bar, strip);
              markRect = M->DragInfo()->MarkRect();
              // The other end of the same link: the mark leaves the strip.
              const TPoint other = ToScreen(bar, {item.Right - 3, (item.Top + item.Bottom) / 2});
              Headless().InjectMouseMove(other.X, other.Y);
            },
            [&] {
              hidden = Pixels(bar, strip);
              Headless().InjectKey(VK_ESCAPE, true);
            }});
  Headless().InjectKey(VK_ESCAPE, false);
  EXPECT_EQ(markRect, item);
  ASSERT_EQ(shown.size(), hidden.size());
  // The six lines of a mark across a toolbar's item, at its start, ends excluded.
  const int l = item.Left, t = item.Top, b = item.Bottom;
  auto onMark = [&](int x, int y) {
    return (y == t && x >= l && x < l + 6) || (y == t + 1 && x >= l + 1 && x < l + 5) ||
           ((x == l + 2 || x == l + 3) && y >= t + 2 && y < b - 2) || (y == b - 2 && x >= l + 1 && x < l + 5) ||
           (y == b - 1 && x >= l && x < l + 6);
  };
  int inverted = 0;
  for (int y = strip.Top; y < strip.Bottom; ++y)
    for (int x = strip.Left; x < strip.Right; ++x) {
      const std::size_t i = static_cast<std::size_t>((y - strip.Top) * (strip.Right - strip.Left) + (x - strip.Left));
      if (onMark(x, y)) {
        EXPECT_EQ(shown[i], ~hidden[i] & 0xFFFFFF) << x << "," << y;
        ++inverted;
      } else {
        EXPECT_EQ(shown[i], hidden[i]) << x << "," << y;
      }
    }
  EXPECT_GT(inverted, 20);
  EXPECT_FALSE(M->DragInfo()->MarkVisible());
}

TEST_F(BarDragInfoTest, ADropIntoLinksThatFollowTheirUseMakesTheNewLinkTheMostRecent) {
  Two->ItemLinks()->SetUseRecentItems(true);
  ASSERT_TRUE(Two->ItemLinks()->RecentUseAllowed());
  TdxBarItemLink* fresh = Two->ItemLinks()->Add();
  const int freshCount = fresh->UseCount();
  delete fresh;
  DragLink(One, 3, {Move(Offset(ScreenRect(Two, 2).TopLeft(), 3, 5)), Release()});
  ASSERT_EQ(Layout(Two), "B0 B1 A3 B2");
  TdxBarItemLink* dropped = Two->ItemLinks()->Items(2);
  EXPECT_EQ(Two->ItemLinks()->RecentLinks(0), dropped);
  EXPECT_EQ(dropped->UseCount(), freshCount + 1) << "a new link's count, raised once";
  EXPECT_EQ(M->SelectedItem(), dropped->Control()) << "the new link's control is selected";
}

TEST_F(BarDragInfoTest, AtDesignTimeAnItemDropsOntoACategoryOfTheDialog) {
  M->Categories()->Add("First");
  M->Categories()->Add("Second");
  TdxBarItem* item = One->ItemLinks()->Items(0)->Item();
  item->SetCategory(0);
  auto* dialog = new TForm(Form, 0);
  dialog->SetBounds(700, 100, 200, 200);
  auto* list = new TListBox(dialog);
  list->SetParent(dialog);
  list->SetBounds(0, 0, 150, 150);
  list->Items()->Add("First");
  list->Items()->Add("Second");
  dialog->Show();
  M->SetCustomizingForm(dialog);
  M->SetDesigning(true, false);
  M->DragInfo()->SetCategoryList(list);
  Pump();
  const RECT second = list->ItemRect(1);
  const TPoint onSecond = ToScreen(list, {10, (second.top + second.bottom) / 2});
  const TPoint belowLines = ToScreen(list, {10, 140});
  Drag(item, nullptr, Centre(ScreenRect(Two, 0)), {Move(belowLines), Move(onSecond), Release()});
  EXPECT_EQ(TDragScript::States, (std::vector<int>{dsNoDrop, dsCategory}));
  EXPECT_EQ(item->Category(), 1);
  EXPECT_EQ(Layout(Two), "B0 B1 B2") << "no link was made";
  M->DragInfo()->SetCategoryList(nullptr);
  M->SetCustomizingForm(nullptr);
  M->SetDesigning(false, false);
}

// ---- menus and windows that go while the drag runs ---------------------------------------------------

TEST_F(BarDragInfoTest, ALinkDropsIntoAMenuButAScrollingMenuRefusesIt) {
  // Menus other than popup menus take drops at design time.
  M->SetDesigning(true, false);
  TdxBarSubMenuControl* menu = OpenMenu(3, 600, 300);
  auto menuItem = [menu](int AIndex) {
    return menu->ControlScreenRect(menu->ItemLinks()->Items(AIndex)->Control());
  };
  DragLink(One, 2, {Move(Offset(menuItem(1).TopLeft(), 10, 2)), Release()});
  EXPECT_EQ(TDragScript::States, (std::vector<int>{dsMove}));
  EXPECT_EQ(Layout(menu->ItemLinks()), "M0 A2 M1 M2");
  EXPECT_EQ(Layout(One), "A0 |A1 A3");
  menu->CloseUp();
  Pump();

  TdxBarSubMenuControl* tall = OpenMenu(80, 600, 0);
  ASSERT_TRUE(tall->CanScrollDown());
  const TPoint scroll = ToScreen(tall, Centre(tall->ScrollButtonBounds(false)));
  DragLink(One, 0, {Move(scroll), Release()});
  EXPECT_EQ(TDragScript::States, (std::vector<int>{dsNoDrop}));
  EXPECT_EQ(Layout(One), "A1 A3") << "refused, the link came off its bar";
  EXPECT_EQ(tall->ItemLinks()->Count(), 80);
  tall->CloseUp();
  M->SetDesigning(false, false);
}

TEST_F(BarDragInfoTest, AMenuClosedUnderTheDragAndALostCaptureLeaveNothingBehind) {
  M->SetDesigning(true, false);
  // The dragged link's menu closes mid-drag: its window is kept until the drag ends.
  TdxBarSubMenuControl* menu = OpenMenu(3, 600, 300);
  TdxBarItemLinks* links = menu->ItemLinks();
  TcxObjectLinkScope alive(menu);
  HWND kept = nullptr;
  TdxBarItemLink* dragged = links->Items(1);
  Drag(dragged->Item(), dragged, Centre(menu->ControlScreenRect(dragged->Control())),
       {Move([menu] { return Offset(menu->ControlScreenRect(menu->ItemLinks()->Items(0)->Control()).TopLeft(), 8, 2); }),
        [&] {
          menu->Dismiss();
          kept = M->DragInfo()->LinkParentWindow();
          Headless().InjectMouseMove(Two->Control()->Left() + 200, 100);
        },
        Move(Offset(ScreenRect(Two, 0).TopLeft(), 3, 4)), Release()});
  EXPECT_FALSE(alive.Alive());
  EXPECT_NE(kept, nullptr);
  EXPECT_FALSE(IsWindow(kept)) << "the drag destroyed the kept window";
  EXPECT_EQ(Layout(links), "M0 M2");
  EXPECT_EQ(Layout(Two), "M1 B0 B1 B2");

  // Another window takes the mouse: the drag ends without a drop.
  DragLink(One, 0, {Move(Offset(ScreenRect(Two, 1).TopLeft(), 3, 4)), [this] { SetCapture(Two->Control()->Handle()); }});
  EXPECT_EQ(Layout(One), "A0 |A1 A2 A3");
  EXPECT_EQ(Layout(Two), "M1 B0 B1 B2");
  EXPECT_FALSE(M->DragInfo()->MarkVisible());
  EXPECT_FALSE(M->DragInfo()->Running());
  ReleaseCapture();
  M->SetDesigning(false, false);
}

}  // namespace
