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

  platform::ScopedVirtualClock Clock;
  TdxBar *One = nullptr, *Two = nullptr, *Side = nullptr, *Empty = nullptr;
};

TPoint Offset(const TPoint& P, int DX, int DY) { return {P.X + DX, P.Y + DY}; }

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

}  // namespace
