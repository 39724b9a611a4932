#include <memory>
#include <string>
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/Menus.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/Button.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/WinXPPainter.h"

namespace choicetest {
namespace {

using namespace win;

// A strip of square images, each filled with its own colour on a fuchsia (transparent) rim.
std::unique_ptr<TBitmap> Strip(int Width, int Height, std::initializer_list<TColor> Colors) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(Width, Height);
  b->Canvas()->Brush()->SetColor(clFuchsia);
  b->Canvas()->FillRect(RECT{0, 0, Width, Height});
  int i = 0;
  for (TColor c : Colors) {
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(RECT{i * Height + 2, 2, (i + 1) * Height - 2, Height - 2});
    ++i;
  }
  return b;
}

// Records where the menu would open instead of running a menu loop, and runs a step "while open".
class RecordingMenu : public TPopupMenu {
 public:
  explicit RecordingMenu(TComponent* AOwner) : TPopupMenu(AOwner) {
    for (int i = 0; i < 6; ++i) {
      auto* item = new TMenuItem(this);
      item->SetCaption("Item");
      Items()->Add(item);
    }
  }
  void Popup(int X, int Y) override {
    ++shown;
    at = POINT{X, Y};
    // A copy: the step may free the menu.
    if (auto step = whileOpen) step();
  }
  int shown = 0;
  POINT at{};
  std::function<void()> whileOpen;
};

class ButtonTest : public ChoiceTest {
 protected:
  TcxButton* MakeButton(TForm* Form, int X, int Y, int W = 75, int H = 25) {
    auto* b = new TcxButton(Form);
    b->SetParent(Form);
    b->SetBounds(X, Y, W, H);
    b->SetCaption("Button");
    Pump();
    return b;
  }
};

TEST_F(ButtonTest, NumGlyphsFollowsTheStripOfANewGlyph) {
  TForm* form = MakeForm(0, 0, 200, 100);
  TcxButton* b = MakeButton(form, 10, 10);
  struct Case {
    int w, h, glyphs;
  } cases[] = {{64, 16, 4}, {80, 16, 1}, {50, 16, 1}, {32, 16, 2}, {16, 16, 1}};
  for (const Case& c : cases) {
    b->SetNumGlyphs(3);
    auto g = Strip(c.w, c.h, {clRed});
    b->SetGlyph(g.get());
    EXPECT_EQ(b->NumGlyphs(), c.glyphs) << c.w << " x " << c.h;
  }
  b->SetNumGlyphs(9);
  EXPECT_EQ(b->NumGlyphs(), 4);
  b->SetMargin(-5);
  EXPECT_EQ(b->Margin(), -1);
}

TEST_F(ButtonTest, ColoursFallBackOneStep) {
  TForm* form = MakeForm(0, 0, 200, 100);
  TcxButton* b = MakeButton(form, 10, 10);
  TcxButtonColors* c = b->Colors();
  c->SetNormal(clRed);
  for (TcxButtonState s : {cxbsHot, cxbsPressed, cxbsDisabled, cxbsNormal}) EXPECT_EQ(c->FaceColorFor(s), clRed) << s;
  EXPECT_EQ(c->FaceColorFor(cxbsDefault), clRed);
  c->SetNormal(clNone);
  EXPECT_TRUE(c->AssignedColors().Empty());
  c->SetDefault(clBlue);
  EXPECT_EQ(c->FaceColorFor(cxbsNormal), clBlue);
  EXPECT_EQ(c->FaceColorFor(cxbsHot), clDefault);
  // The set itself is a designer's: at run time it is ignored.
  c->SetAssignedColors({});
  EXPECT_TRUE(c->AssignedColors().Contains(cxbcDefault));
  // A foreign source is refused and changes nothing.
  TcxSpeedButtonOptions other(nullptr);
  EXPECT_THROW(c->Assign(&other), Exception);
  EXPECT_EQ(c->Default(), clBlue);

  // On pixels: only Normal assigned colours the hot face too.
  c->SetDefault(clDefault);
  c->SetNormal(RGB(0, 200, 0));
  b->SetCaption("");
  MoveMouse(b, 30, 12);
  EXPECT_TRUE(b->IsHot());
  EXPECT_EQ(Pixel(b, 20, 12), RGB(0, 200, 0));
}

// The layout of the glyph and the caption, measured on a memory canvas.
TEST_F(ButtonTest, LayoutPlacesGlyphAndCaption) {
  TForm* form = MakeForm(0, 0, 200, 100);
  TcxButton* b = MakeButton(form, 10, 10, 100, 30);
  auto g = Strip(16, 16, {clRed});
  b->SetGlyph(g.get());
  TBitmap surface;
  surface.SetSize(100, 30);
  surface.Canvas()->Font()->Assign(b->Font());
  TcxButtonGlyph* glyph = b->ButtonGlyph();
  const TRect client(0, 0, 100, 30);
  TPoint pos;
  TRect text;

  // A glyph alone is centred: the spacing drops to 0.
  glyph->CalcLayout(surface.Canvas(), client, TPoint(0, 0), "", blGlyphLeft, -1, 4, pos, text, 0, false);
  EXPECT_EQ(pos.X, (100 - 16) / 2);
  EXPECT_EQ(pos.Y, (30 - 16) / 2);

  // Glyph and caption as one block, 4 apart.
  glyph->CalcLayout(surface.Canvas(), client, TPoint(0, 0), "Go", blGlyphLeft, -1, 4, pos, text, 0, false);
  const int tw = text.Right - text.Left;
  EXPECT_EQ(pos.X, (100 - (16 + 4 + tw)) / 2);
  EXPECT_EQ(text.Left, pos.X + 16 + 4);

  // Right-to-left reading puts the glyph on the right.
  glyph->CalcLayout(surface.Canvas(), client, TPoint(0, 0), "Go", blGlyphLeft, -1, 4, pos, text, DT_RIGHT | DT_RTLREADING,
                    false);
  EXPECT_GT(pos.X, text.Left);

  // bpsGlyph hides the caption; bpsCaption hides the glyph but still measures around its width.
  b->SetPaintStyle(bpsGlyph);
  glyph->CalcLayout(surface.Canvas(), client, TPoint(0, 0), "Go", blGlyphLeft, -1, 4, pos, text, 0, false);
  EXPECT_EQ(text.Right - text.Left, 0);
  EXPECT_EQ(pos.X, (100 - 16) / 2);
  b->SetPaintStyle(bpsCaption);
  // A caption that fits a line of the client less its 1 + 2 text margins, but not once the
  // glyph's width and the spacing are kept out: it wraps beside the glyph only.
  const String caption = "Two words";
  const int lineHeight = surface.Canvas()->TextHeight(caption);
  const TRect narrow(0, 0, surface.Canvas()->TextWidth(caption) + 3 + 8, 30);
  glyph->CalcLayout(surface.Canvas(), narrow, TPoint(0, 0), caption, blGlyphLeft, -1, 4, pos, text, 0, true);
  EXPECT_GT(text.Bottom - text.Top, lineHeight) << "wrapped around the glyph's width";
  glyph->CalcLayout(surface.Canvas(), narrow, TPoint(0, 0), caption, blGlyphTop, -1, 4, pos, text, 0, true);
  EXPECT_EQ(text.Bottom - text.Top, lineHeight) << "above the caption the glyph takes no width";
}

TEST_F(ButtonTest, GlyphImagesPerState) {
  TForm* form = MakeForm(0, 0, 200, 100);
  TcxButton* b = MakeButton(form, 10, 10, 60, 30);
  b->SetCaption("");
  auto two = Strip(32, 16, {clRed, clBlue});
  b->SetGlyph(two.get());
  ASSERT_EQ(b->NumGlyphs(), 2);
  const int gx = (60 - 4 - 16) / 2 + 2 + 8, gy = (30 - 4 - 16) / 2 + 2 + 8;  // the glyph's middle
  EXPECT_EQ(Pixel(b, gx, gy), RGB(255, 0, 0));
  // Pressed shows the first image (moved by the painter's pressed shift), disabled the second.
  MoveMouse(b, 5, 5);
  MouseButton(true);
  EXPECT_EQ(Pixel(b, gx + 1, gy + 1), RGB(255, 0, 0));
  MouseButton(false);
  b->SetEnabled(false);
  Pump();
  EXPECT_EQ(Pixel(b, gx, gy), RGB(0, 0, 255));

  // One image: the disabled one is a greyed copy.
  auto one = Strip(16, 16, {clRed});
  b->SetGlyph(one.get());
  Pump();
  const Rgb grey = Pixel(b, gx, gy);
  EXPECT_NE(grey, RGB(255, 0, 0));
  EXPECT_EQ(GetRValue(grey), GetGValue(grey));
  // The fuchsia rim stays out in every state.
  EXPECT_NE(Pixel(b, gx - 7, gy - 7), RGB(255, 0, 255));
  SaveControl("button-glyph-disabled.png", b, 2);
}

TEST_F(ButtonTest, GlyphsOfOneSizeShareOneList) {
  TForm* form = MakeForm(0, 0, 400, 100);
  auto g = Strip(16, 16, {clRed});
  TcxButton* a = MakeButton(form, 0, 0);
  TcxButton* c = MakeButton(form, 100, 0);
  a->SetGlyph(g.get());
  c->SetGlyph(g.get());
  Pump();
  ASSERT_NE(GlyphCache(), nullptr);
  EXPECT_EQ(GlyphCache()->ListCount(), 1);
  EXPECT_EQ(a->ButtonGlyph()->GlyphList(), c->ButtonGlyph()->GlyphList());
  // A freed slot is reused by the next image.
  const int slot = a->ButtonGlyph()->GlyphImageIndex(cxbsNormal);
  auto other = Strip(16, 16, {clBlue});
  a->SetGlyph(other.get());
  EXPECT_EQ(a->ButtonGlyph()->GlyphImageIndex(cxbsNormal), slot);
  delete a;
  delete c;
  EXPECT_EQ(GlyphCache(), nullptr);
}

TEST_F(ButtonTest, AnExclusiveGroupKeepsOneButtonDown) {
  TForm* form = MakeForm(0, 0, 300, 100);
  TcxButton* first = MakeButton(form, 0, 0);
  TcxButton* second = MakeButton(form, 100, 0);
  int clicks = 0;
  for (TcxButton* b : {first, second}) {
    b->SpeedButtonOptions()->SetCanBeFocused(false);
    b->SpeedButtonOptions()->SetFlat(true);
    b->SetGroupIndex(1);
    b->OnClick = [&](TObject*) { ++clicks; };
  }
  first->SetDown(true);
  EXPECT_TRUE(first->Down());
  first->SetDown(false);
  EXPECT_TRUE(first->Down()) << "a down member is not raised directly";
  Click(second, 10, 10);
  EXPECT_TRUE(second->Down());
  EXPECT_FALSE(first->Down());
  EXPECT_EQ(clicks, 1);
  // Without a group Down stays false.
  TcxButton* lone = MakeButton(form, 200, 0);
  lone->SetDown(true);
  EXPECT_FALSE(lone->Down());
  // With AllowAllUp the down member comes up by itself.
  second->SetAllowAllUp(true);
  EXPECT_TRUE(first->AllowAllUp()) << "the group shares the setting";
  second->SetDown(false);
  EXPECT_FALSE(second->Down());
}

TEST_F(ButtonTest, ANonFocusableButtonLeavesTheFocusWhereItWas) {
  TForm* form = MakeForm(0, 0, 300, 100);
  TcxButton* focused = MakeButton(form, 0, 0);
  TcxButton* tool = MakeButton(form, 100, 0);
  tool->SetCanBeFocused(false);
  int clicks = 0;
  tool->OnClick = [&](TObject*) { ++clicks; };
  focused->SetFocus();
  Pump();
  Click(tool, 10, 10);
  EXPECT_EQ(GetFocus(), focused->Handle());
  EXPECT_EQ(clicks, 1);
  // A press dragged off the button before the release is no click.
  MoveMouse(tool, 10, 10);
  MouseButton(true);
  MoveMouse(tool, 200, 10);
  MouseButton(false);
  EXPECT_EQ(clicks, 1);
}

TEST_F(ButtonTest, ASplitButtonOpensItsMenuFromTheArrowOnly) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxButton* b = MakeButton(form, 10, 10, 100, 25);
  auto* menu = new RecordingMenu(form);
  b->SetKind(cxbkDropDownButton);
  b->SetDropDownMenu(menu);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  Pump();

  Click(b, 95, 10);
  EXPECT_EQ(menu->shown, 1);
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(menu->at.y, b->ClientToScreen(POINT{0, 25}).y);
  EXPECT_FALSE(b->IsMenuOpen());

  Click(b, 30, 10);
  EXPECT_EQ(menu->shown, 1);
  EXPECT_EQ(clicks, 1);

  // A click on the arrow that closes the open menu does not open it again.
  // (The menu opens while the pressing button is still down; its release is the menu's.)
  bool armed = true;
  menu->whileOpen = [&] {
    if (!armed) return;
    armed = false;
    MouseButton(false);
    Headless().InjectMouseButton(1, true);
  };
  MoveMouse(b, 95, 10);
  MouseButton(true);
  MouseButton(false);
  EXPECT_EQ(menu->shown, 2);
  menu->whileOpen = nullptr;
  Pump();
  EXPECT_EQ(menu->shown, 2);
  EXPECT_EQ(clicks, 1);
  // The next press opens it again.
  Click(b, 95, 10);
  EXPECT_EQ(menu->shown, 3);

  // Alt with Down opens it from the keyboard.
  b->SetFocus();
  Pump();
  Key(VK_SHIFT, true);
  Key(VK_DOWN, true);
  Key(VK_DOWN, false);
  Key(VK_SHIFT, false);
  EXPECT_EQ(menu->shown, 4);
}

TEST_F(ButtonTest, AMenuThatWouldLeaveTheScreenOpensAbove) {
  TForm* form = MakeForm(0, 700, 300, 60);
  TcxButton* b = MakeButton(form, 10, 20, 100, 25);
  auto* menu = new RecordingMenu(form);
  b->SetKind(cxbkDropDown);
  b->SetDropDownMenu(menu);
  bool asked = false;
  b->OnDropDownMenuPopup = [&](TObject*, TPopupMenu*& m, bool&) { asked = m == menu; };
  Click(b, 30, 10);
  ASSERT_EQ(menu->shown, 1);
  EXPECT_TRUE(asked);
  const int below = b->ClientToScreen(POINT{0, 25}).y;
  EXPECT_EQ(menu->at.y, below - PopupMenuHeight(menu) - 25 - 2);
  // A handler that handles the request keeps the menu shut.
  b->OnDropDownMenuPopup = [&](TObject*, TPopupMenu*&, bool& handled) { handled = true; };
  Click(b, 30, 10);
  EXPECT_EQ(menu->shown, 1);
  // A menu freed while it is open is forgotten, and the button closes up.
  b->OnDropDownMenuPopup = nullptr;
  menu->whileOpen = [menu] { delete menu; };
  Click(b, 30, 10);
  EXPECT_EQ(b->DropDownMenu(), nullptr);
  EXPECT_FALSE(b->IsMenuOpen());
}

TEST_F(ButtonTest, TheOffice2003LookDrawsWithTheStandardPainter) {
  TForm* form = MakeForm(0, 0, 300, 100);
  TcxButton* b = MakeButton(form, 10, 10);
  b->LookAndFeel()->SetKind(lfOffice11);
  EXPECT_EQ(b->ButtonPainter(), StandardLookAndFeelPainter());
  b->LookAndFeel()->SetKind(lfFlat);
  EXPECT_EQ(b->ButtonPainter()->PainterStyle(), psFlat);
}

TEST_F(ButtonTest, WithAButtonThemeTheOffice2003LookTakesTheThemedPainter) {
  WithTestTheme({"Button"}, [&] {
    TForm* form = MakeForm(0, 0, 300, 100);
    TcxButton* b = MakeButton(form, 10, 10);
    b->LookAndFeel()->SetKind(lfOffice11);
    EXPECT_EQ(b->ButtonPainter(), WinXPLookAndFeelPainter());
    Pump();
    // The themed painter draws the face through the theme: its solid fill shows.
    EXPECT_EQ(Pixel(b, 3, 3), testsupport::FakeThemeLibrary::ColorOf("Button", 1, 1));
    SaveControl("button-themed.png", b, 2);
  });
}

// Every look in every state, with glyphs, kinds and tool buttons: a gallery to look at. Hot and
// pressed need the mouse, so each look's hot and pressed button is shot on its own as well.
TEST_F(ButtonTest, GalleryOfEveryLookAndState) {
  TForm* form = MakeForm(0, 0, 4 * 110 + 10, 11 * 32 + 24);
  auto glyph = Strip(16, 16, {clGreen});
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TcxButton*> normal, hot, pressed;
  for (int k = 0; k < 4; ++k) {
    int y = 5;
    auto add = [&](const char* caption, int height = 27) {
      TcxButton* b = MakeButton(form, 5 + k * 110, y, 100, height);
      b->LookAndFeel()->SetKind(kinds[k]);
      b->SetCaption(caption);
      y += height + 5;
      return b;
    };
    normal.push_back(add("Normal"));
    add("Default")->SetDefault(true);
    hot.push_back(add("Hot"));
    pressed.push_back(add("Pressed"));
    add("Glyph")->SetGlyph(glyph.get());
    TcxButton* top = add("Top", 46);
    top->SetGlyph(glyph.get());
    top->SetLayout(blGlyphTop);
    add("Disabled")->SetEnabled(false);
    TcxButton* down = add("Down");
    down->SetCanBeFocused(false);
    down->SpeedButtonOptions()->SetFlat(true);
    down->SetGroupIndex(7 + k);
    down->SetDown(true);
    add("Split")->SetKind(cxbkDropDownButton);
    add("Drop")->SetKind(cxbkDropDown);
  }
  // Focus away from the buttons: the default button keeps its frame.
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(5, 10 * 32 + 16, 100, 20);
  Pump();
  for (int k = 0; k < 4; ++k) {
    normal[static_cast<std::size_t>(k)]->SetFocus();
    SaveControl("button-focused-" + std::to_string(k) + ".png", normal[static_cast<std::size_t>(k)], 1);
    MoveMouse(hot[static_cast<std::size_t>(k)], 50, 12);
    SaveControl("button-hot-" + std::to_string(k) + ".png", hot[static_cast<std::size_t>(k)], 1);
    MoveMouse(pressed[static_cast<std::size_t>(k)], 50, 12);
    MouseButton(true);
    EXPECT_EQ(pressed[static_cast<std::size_t>(k)]->DrawingState(), cxbsPressed);
    SaveControl("button-pressed-" + std::to_string(k) + ".png", pressed[static_cast<std::size_t>(k)], 1);
    MouseButton(false);
  }
  edit->SetFocus();
  MoveMouse(form, form->Width() - 2, form->Height() - 2);
  RunFor(30);
  SaveControl("buttons.png", form);
}

}  // namespace
}  // namespace choicetest

namespace choicetest {
namespace {

using namespace win;

class ButtonDescriptionTest : public ChoiceTest {};

// Older descriptions set the tool-button settings on the button itself; they load into the
// options, which are what is written back.
TEST_F(ButtonDescriptionTest, OlderToolButtonSettingsLoadAndAreWrittenAsOptions) {
  TForm* form = MakeForm(0, 0, 300, 100);
  form->SetName("Form1");
  FormTextToComponent(
      "object Form1: TForm\r\n"
      "  object cxButton1: TcxButton\r\n"
      "    Left = 8\r\n"
      "    Top = 8\r\n"
      "    Width = 75\r\n"
      "    Height = 25\r\n"
      "    Caption = 'Go'\r\n"
      "    CanBeFocused = False\r\n"
      "    GroupIndex = 3\r\n"
      "    Down = True\r\n"
      "    Colors.Normal = clRed\r\n"
      "    Layout = blGlyphTop\r\n"
      "    LookAndFeel.Kind = lfUltraFlat\r\n"
      "    SpeedButtonOptions.Flat = True\r\n"
      "  end\r\n"
      "end\r\n",
      form);
  auto* b = dynamic_cast<TcxButton*>(form->FindComponent("cxButton1"));
  ASSERT_NE(b, nullptr);
  EXPECT_FALSE(b->SpeedButtonOptions()->CanBeFocused());
  EXPECT_EQ(b->SpeedButtonOptions()->GroupIndex(), 3);
  EXPECT_TRUE(b->Down());
  EXPECT_TRUE(b->SpeedButtonOptions()->Flat());
  EXPECT_EQ(b->Colors()->Normal(), clRed);
  EXPECT_EQ(b->Layout(), blGlyphTop);
  EXPECT_EQ(b->LookAndFeel()->Kind(), lfUltraFlat);

  const String text = ComponentToFormText(b);
  EXPECT_NE(text.find("SpeedButtonOptions.CanBeFocused = False"), String::npos) << text;
  EXPECT_NE(text.find("SpeedButtonOptions.GroupIndex = 3"), String::npos) << text;
  EXPECT_NE(text.find("Colors.Normal = clRed"), String::npos) << text;
  EXPECT_EQ(text.find("AssignedColors"), String::npos) << text;
  EXPECT_EQ(text.find("\n  CanBeFocused"), String::npos) << text;
  EXPECT_EQ(text.find("Margin"), String::npos) << "defaults are not stored: " << text;
}

TEST_F(ButtonDescriptionTest, AnAcceleratorClicksWithoutToggling) {
  TForm* form = MakeForm(0, 0, 300, 100);
  auto* b = new TcxButton(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 75, 25);
  b->SetCaption("&Go");
  b->SetGroupIndex(2);
  b->SetAllowAllUp(true);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  auto* other = new TcxButton(form);
  other->SetParent(form);
  other->SetBounds(100, 10, 75, 25);
  other->SetFocus();
  Pump();
  Key(VK_MENU, true);
  Key('G', true);
  Key('G', false);
  Key(VK_MENU, false);
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(b->Down()) << "an accelerator does not toggle";
  // A click by the mouse on a focusable grouped button toggles it.
  Click(b, 10, 10);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(b->Down());
}

TEST_F(ButtonDescriptionTest, HotWhileTheMouseIsOverAndNotAfter) {
  TForm* form = MakeForm(0, 0, 300, 100);
  auto* b = new TcxButton(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 75, 25);
  b->LookAndFeel()->SetKind(lfUltraFlat);
  std::vector<std::string> log;
  b->OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
  b->OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
  Pump();
  MoveMouse(b, 20, 10);
  EXPECT_TRUE(b->IsHot());
  EXPECT_EQ(b->DrawingState(), cxbsHot);
  MoveMouse(form, 250, 80);
  RunFor(30);
  EXPECT_FALSE(b->IsHot());
  EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
  // Disabled, it is never hot.
  MoveMouse(b, 20, 10);
  b->SetEnabled(false);
  EXPECT_FALSE(b->IsHot());
}

// The native branches through the test theme library: themed faces, and a flat tool button that
// shows no frame until hot.
TEST_F(ButtonDescriptionTest, ThemedButtonsAndRadioButtons) {
  WithTestTheme({"Button", "ToolBar"}, [&] {
    TForm* form = MakeForm(0, 0, 300, 100);
    auto* tool = new TcxButton(form);
    tool->SetParent(form);
    tool->SetBounds(10, 10, 75, 25);
    tool->LookAndFeel()->SetNativeStyle(true);
    tool->SpeedButtonOptions()->SetFlat(true);
    tool->SetCanBeFocused(false);
    tool->SetLayout(blGlyphTop);
    Pump();
    const Rgb idle = Pixel(tool, 1, 1);
    MoveMouse(tool, 30, 12);
    const Rgb hot = Pixel(tool, 1, 1);
    EXPECT_NE(idle, hot);
    EXPECT_EQ(hot, testsupport::FakeThemeLibrary::ColorOf("ToolBar", 1, 2));
    SaveControl("button-native-tool-hot.png", tool, 2);
  });
}

}  // namespace
}  // namespace choicetest

namespace choicetest {
namespace {

using namespace win;

class ButtonMenuTest : public ChoiceTest {};

TEST_F(ButtonMenuTest, TheContextMenuOpensAtTheClickOrTheCorner) {
  TForm* form = MakeForm(0, 0, 300, 100);
  auto* b = new TcxButton(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 75, 25);
  auto* menu = new RecordingMenu(form);
  b->SetPopupMenu(menu);
  // Anything but a menu is no popup menu.
  auto* notAMenu = new TcxButton(form);
  b->SetPopupMenu(notAMenu);
  EXPECT_EQ(b->PopupMenu(), nullptr);
  b->SetPopupMenu(menu);
  Pump();
  MoveMouse(b, 20, 12);
  MouseButton(true, 3);
  MouseButton(false, 3);
  ASSERT_EQ(menu->shown, 1);
  EXPECT_EQ(menu->at.x, b->ClientToScreen(POINT{20, 12}).x);
  EXPECT_EQ(menu->PopupComponent(), b);
  // From the keyboard: at the button's corner.
  SendMessage(b->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(b->Handle()), MAKELPARAM(0xFFFF, 0xFFFF));
  ASSERT_EQ(menu->shown, 2);
  EXPECT_EQ(menu->at.x, b->ClientToScreen(POINT{0, 0}).x);
  // A handler that handles the request keeps the menu shut; a freed menu is forgotten.
  b->OnContextPopup = [](TObject*, POINT, bool& handled) { handled = true; };
  SendMessage(b->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(b->Handle()), MAKELPARAM(0xFFFF, 0xFFFF));
  EXPECT_EQ(menu->shown, 2);
  delete menu;
  EXPECT_EQ(b->PopupMenu(), nullptr);
}

TEST_F(ButtonMenuTest, TheGlyphShowsTheActionsImage) {
  TForm* form = MakeForm(0, 0, 300, 100);
  auto* images = new TcxImageList(form, 16, 16);
  auto red = Strip(16, 16, {clRed});
  auto blue = Strip(16, 16, {clBlue});
  images->AddMasked(red.get(), clFuchsia);
  images->AddMasked(blue.get(), clFuchsia);
  auto* list = new TActionList(form);
  list->SetImages(images);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetImageIndex(1);
  action->SetOnExecute([](TObject*) {});
  auto* b = new TcxButton(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 60, 30);
  b->SetAction(action);
  b->SetCaption("");
  Pump();
  const int gx = 30, gy = 15;
  EXPECT_EQ(Pixel(b, gx, gy), RGB(0, 0, 255));
  action->SetImageIndex(0);
  Pump();
  EXPECT_EQ(Pixel(b, gx, gy), RGB(255, 0, 0));
  // Without the action the glyph is gone.
  b->SetAction(nullptr);
  EXPECT_EQ(b->ButtonGlyph()->ImageIndex(), -1);
  EXPECT_EQ(b->ButtonGlyph()->Images(), nullptr);
}

}  // namespace
}  // namespace choicetest
