// The framed button on the headless screen: faces, the mouse, the keyboard, groups and themes.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/classes/StdCtrls.h"
#include "platform/win/Keys.h"
#include "tests/ui/panels/PanelsFixture.h"
#include "ui/panels/Button.h"

namespace panelstest {
namespace {

using win::RGB;

class ButtonTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    form = MakeForm(60, 60, 500, 300, clBtnFace);
  }
  TRzButton* Make(int x, int y, const String& caption, TColor color = clBtnFace) {
    auto* b = new TRzButton(form);
    b->SetBounds(x, y, 75, 25);
    b->SetCaption(caption);
    b->SetColor(color);
    b->SetParent(form);
    b->OnClick = [this, b](TObject*) { clicks.push_back(b); };
    Pump();
    return b;
  }
  void Press(TRzButton* b, int x = 30, int y = 12) {
    MoveMouse(b, x, y);
    MouseButton(true);
  }
  void Click(TRzButton* b) {
    Press(b);
    MouseButton(false);
  }
  // The top-left of the pixels drawn in the colour.
  win::POINT InkOrigin(TControl* c, Rgb color) {
    win::POINT p{1000, 1000};
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x)
        if (Pixel(c, x, y) == color) {
          p.x = std::min<int>(p.x, x);
          p.y = std::min<int>(p.y, y);
        }
    return p;
  }
  int Count(TControl* c, Rgb color) {
    int n = 0;
    for (int y = 0; y < c->Height(); ++y)
      for (int x = 0; x < c->Width(); ++x) n += Pixel(c, x, y) == color;
    return n;
  }
  bool Near(Rgb a, Rgb b, int tolerance) {
    for (int shift : {0, 8, 16})
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
        return false;
    return true;
  }
  TForm* form = nullptr;
  std::vector<TRzButton*> clicks;
};

TEST_F(ButtonTest, ColouredClassicFaceRaisedAndPressed) {
  auto* b = Make(20, 20, "Red", clRed);
  EXPECT_EQ(Pixel(b, 0, 12), RGB(255, 212, 212));
  EXPECT_EQ(Pixel(b, 30, 0), RGB(255, 212, 212));
  EXPECT_EQ(Pixel(b, 74, 12), RGB(42, 0, 0));
  EXPECT_EQ(Pixel(b, 30, 24), RGB(42, 0, 0));
  EXPECT_EQ(Pixel(b, 1, 12), RGB(255, 85, 85));
  EXPECT_EQ(Pixel(b, 73, 12), RGB(149, 0, 0));
  EXPECT_EQ(Pixel(b, 30, 2), RGB(255, 0, 0));
  win::POINT up = InkOrigin(b, RGB(0, 0, 0));

  Press(b);
  EXPECT_TRUE(b->LooksPressed());
  for (auto [x, y] : {std::pair{0, 12}, {30, 0}, {74, 12}, {30, 24}}) EXPECT_EQ(Pixel(b, x, y), RGB(42, 0, 0));
  for (auto [x, y] : {std::pair{1, 12}, {30, 1}, {73, 12}, {30, 23}}) EXPECT_EQ(Pixel(b, x, y), RGB(149, 0, 0));
  win::POINT down = InkOrigin(b, RGB(0, 0, 0));
  EXPECT_EQ(down.x, up.x + 1);
  EXPECT_EQ(down.y, up.y + 1);
  MouseButton(false);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ButtonTest, ReleasingOutsideIsNoClick) {
  auto* b = Make(20, 20, "OK");
  Press(b);
  MoveMouse(b, 120, 12);
  EXPECT_FALSE(b->LooksPressed());
  MoveMouse(b, 10, 10);
  EXPECT_TRUE(b->LooksPressed());
  MoveMouse(b, -20, 10);
  MouseButton(false);
  EXPECT_TRUE(clicks.empty());
  EXPECT_FALSE(b->LooksPressed());
}

TEST_F(ButtonTest, GroupsAndDown) {
  auto* plain = Make(20, 20, "Plain");
  plain->SetDown(true);
  EXPECT_FALSE(plain->Down());
  auto* a = Make(20, 60, "A");
  auto* b = Make(110, 60, "B");
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  Click(a);
  EXPECT_TRUE(a->Down());
  EXPECT_EQ(a->ToggleState(), btsExclusive);
  Click(a);  // no AllowAllUp: it stays down
  EXPECT_TRUE(a->Down());
  Click(b);
  EXPECT_TRUE(b->Down());
  EXPECT_FALSE(a->Down());
  EXPECT_EQ(clicks.size(), 3u);
  // AllowAllUp is copied to the group.
  b->SetAllowAllUp(true);
  EXPECT_TRUE(a->AllowAllUp());
  Click(b);
  EXPECT_FALSE(b->Down());
  // The down pattern: silver dots on the face.
  Click(a);
  MoveMouse(form, 400, 250);
  EXPECT_EQ(Pixel(a, 10, 10) == RGB(192, 192, 192) || Pixel(a, 11, 10) == RGB(192, 192, 192), true);
}

TEST_F(ButtonTest, DisabledCaptionColours) {
  auto* face = Make(20, 20, "Face");
  auto* grey = Make(110, 20, "Grey", clGray);
  face->SetEnabled(false);
  grey->SetEnabled(false);
  Pump();
  EXPECT_GT(Count(face, ColorToRGB(clGrayText)), 10);
  EXPECT_EQ(Count(face, RGB(0, 0, 0)), 0);
  EXPECT_GT(Count(grey, RGB(64, 64, 64)), 10);
}

TEST_F(ButtonTest, SpaceClicksOnceAndNotAfterAFocusLoss) {
  auto* a = Make(20, 20, "A");
  auto* b = Make(110, 20, "B");
  a->SetFocus();
  Pump();
  Key(win::VK_SPACE, true);
  EXPECT_TRUE(a->LooksPressed());
  Key(win::VK_SPACE, false);
  EXPECT_EQ(clicks, std::vector<TRzButton*>{a});
  Key(win::VK_SPACE, true);
  b->SetFocus();
  Pump();
  EXPECT_FALSE(a->LooksPressed());
  a->SetFocus();
  Pump();
  Key(win::VK_SPACE, false);
  EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(ButtonTest, EnterAndEscape) {
  auto* ok = Make(20, 20, "OK");
  auto* other = Make(110, 20, "Other");
  auto* cancel = Make(200, 20, "Cancel");
  ok->SetDefault(true);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* edit = new TEdit(form);
  edit->SetBounds(20, 80, 100, 22);
  edit->SetParent(form);
  edit->SetFocus();
  Pump();
  EXPECT_TRUE(ok->IsEnterTarget());
  Key(win::VK_RETURN, true);
  Key(win::VK_RETURN, false);
  EXPECT_EQ(clicks, std::vector<TRzButton*>{ok});
  other->SetFocus();
  Pump();
  EXPECT_FALSE(ok->IsEnterTarget());
  EXPECT_TRUE(other->IsEnterTarget());
  Key(win::VK_RETURN, true);
  Key(win::VK_RETURN, false);
  EXPECT_EQ(clicks.back(), other);
  EXPECT_EQ(clicks.size(), 2u);
  Key(win::VK_ESCAPE, true);
  Key(win::VK_ESCAPE, false);
  EXPECT_EQ(clicks.back(), cancel);
  EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(ButtonTest, HotTrackRings) {
  form->SetColor(static_cast<TColor>(RGB(0, 128, 0)));
  auto* b = Make(20, 20, "Hot");
  b->SetHotTrack(true);
  EXPECT_TRUE(b->Transparent());
  Pump();
  // Only the rounded corners show the parent.
  EXPECT_EQ(Pixel(b, 0, 0), RGB(0, 128, 0));
  EXPECT_EQ(Pixel(b, 74, 24), RGB(0, 128, 0));
  EXPECT_NE(Pixel(b, 10, 10), RGB(0, 128, 0));
  auto* c = Make(110, 20, "Other");
  c->SetHotTrack(true);
  c->SetHotTrackColorType(htctComplement);
  MoveMouse(b, 30, 12);
  EXPECT_TRUE(b->MouseInside());
  // The ring lies two pixels inside the frames: from a step short of the mix at the top row to the
  // colour itself at the bottom.
  EXPECT_EQ(Pixel(b, 10, 22), RGB(240, 155, 20));
  EXPECT_TRUE(Near(Pixel(b, 10, 2), RGB(251, 230, 195), 10)) << std::hex << Pixel(b, 10, 2);
  SaveControl("panels-button-hot.png", b, 4);
  MoveMouse(c, 30, 12);
  EXPECT_TRUE(Near(Pixel(c, 10, 2), RGB(128, 173, 255), 10)) << std::hex << Pixel(c, 10, 2);
  MoveMouse(form, 400, 250);
  EXPECT_FALSE(c->MouseInside());
  EXPECT_NE(Pixel(c, 10, 2), Pixel(b, 10, 22));
}

TEST_F(ButtonTest, FocusFrameWaitsForTheKeyboard) {
  auto* a = Make(20, 20, "&Alpha");
  auto* b = Make(110, 20, "&Beta");
  Click(a);
  EXPECT_TRUE(a->Focused());
  EXPECT_FALSE(a->ShowFocusCues());
  EXPECT_EQ(Pixel(a, 4, 5), ColorToRGB(clBtnFace));
  Key(win::VK_TAB, true);
  Key(win::VK_TAB, false);
  EXPECT_TRUE(b->Focused());
  EXPECT_TRUE(b->ShowFocusCues());
  EXPECT_TRUE(b->ShowAccelerators());
  // The dotted frame: every second pixel of its left edge, starting one below its top.
  EXPECT_EQ(Pixel(b, 4, 5), RGB(0, 0, 0));
  EXPECT_EQ(Pixel(b, 4, 6), ColorToRGB(clBtnFace));
  // The accelerator presses the button.
  clicks.clear();
  Key(win::VK_MENU, true);
  Key('A', true);
  Key('A', false);
  Key(win::VK_MENU, false);
  EXPECT_EQ(clicks, std::vector<TRzButton*>{a});
}

TEST_F(ButtonTest, ThemedStates) {
  themes.Install();
  auto* normal = Make(20, 20, "Normal");
  auto* hot = Make(110, 20, "Hot");
  auto* disabled = Make(200, 20, "Disabled");
  auto* defaulted = Make(290, 20, "Default");
  defaulted->SetDefault(true);
  disabled->SetEnabled(false);
  MoveMouse(hot, 10, 10);
  Pump();
  EXPECT_EQ(Pixel(normal, 2, 2), FakeThemes::ColorOf(1, 1));
  EXPECT_EQ(Pixel(hot, 2, 2), FakeThemes::ColorOf(1, 2));
  EXPECT_EQ(Pixel(disabled, 2, 2), FakeThemes::ColorOf(1, 4));
  EXPECT_EQ(Pixel(defaulted, 2, 2), FakeThemes::ColorOf(1, 5));
  MouseButton(true);
  EXPECT_EQ(Pixel(hot, 2, 2), FakeThemes::ColorOf(1, 3));
  // The caption does not move on a themed face.
  MouseButton(false);
  SaveScreen("panels-buttons-themed.png", win::RECT{60, 60, 460, 120});
}

// A click handler that frees its own button must not leave the button's code running on freed
// memory.
TEST_F(ButtonTest, AHandlerMayFreeItsButton) {
  auto* b = Make(20, 20, "Close");
  b->OnClick = [b](TObject*) { delete b; };
  Click(b);
  auto* s = Make(20, 60, "Space");
  s->OnClick = [s](TObject*) { delete s; };
  s->SetFocus();
  Pump();
  Key(win::VK_SPACE, true);
  Key(win::VK_SPACE, false);
  Pump();
  SUCCEED();
}

TEST_F(ButtonTest, Gallery) {
  struct Look {
    const char* caption;
    TColor color;
  } looks[] = {{"Face", clBtnFace}, {"Red", clRed}, {"Lime", clLime}, {"Grey", clGray}, {"Yellow", clYellow}};
  for (int i = 0; i < 5; ++i) Make(10 + i * 90, 10, looks[i].caption, looks[i].color);
  auto* def = Make(10, 45, "Default");
  def->SetDefault(true);
  auto* group = Make(100, 45, "Down");
  group->SetGroupIndex(3);
  group->SetDown(true);
  auto* groupRed = Make(190, 45, "Down red", clRed);
  groupRed->SetGroupIndex(4);
  groupRed->SetDown(true);
  auto* hot = Make(280, 45, "Hot track");
  hot->SetHotTrack(true);
  auto* off = Make(370, 45, "Disabled");
  off->SetEnabled(false);
  const TTextStyle styles[] = {tsRaised, tsRecessed, tsShadow};
  for (int i = 0; i < 3; ++i) {
    auto* t = Make(10 + i * 90, 80, TypeInfo<TTextStyle>()->Name(styles[i]), clSilver);
    t->SetTextStyle(styles[i]);
  }
  auto* pressed = Make(280, 80, "Pressed", clLime);
  Press(pressed);
  SaveScreen("panels-buttons.png", win::RECT{60, 60, 520, 180});
  MouseButton(false);
}

}  // namespace
}  // namespace panelstest
