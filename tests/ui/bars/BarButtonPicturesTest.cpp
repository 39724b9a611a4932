// Buttons and sub-items on real toolbar and menu windows, on the headless backend with input
// injected and time on the virtual clock: a cascade of three menus opened by pressing and hovering,
// pictures of the button states, large buttons and the cascade in every painter style, and the skin
// look on the menu window and in the buttons' fading pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/gdi/Gdi.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarItemControlFixture.h"
#include "tests/ui/bars/BarPainterFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarButtonControls.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarSkinPainter.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/Bars.h"
#include "ui/skins/SkinInfo.h"

using namespace win;

namespace {

TBitmap* Square(int Size, TColor Colour) {
  auto* b = new TBitmap;
  b->SetSize(Size, Size);
  b->Canvas()->Brush()->SetColor(clNavy);
  b->Canvas()->FillRect(TRect{0, 0, Size, Size});
  b->Canvas()->Brush()->SetColor(Colour);
  b->Canvas()->FillRect(TRect{2, 2, Size - 2, Size - 2});
  return b;
}

// Areas of the composed screen, each taken when it is added, stacked into one picture with each
// pixel Zoom times as wide and high.
class TSheet {
 public:
  void Add(const TRect& Area) {
    Application->ProcessMessages();
    int sw = 0, sh = 0;
    const std::vector<std::uint32_t> screen = platform::Headless()->ComposeScreen(sw, sh);
    TRect a{std::max(Area.Left, 0), std::max(Area.Top, 0), std::min(Area.Right, sw), std::min(Area.Bottom, sh)};
    Shot& shot = FShots.emplace_back();
    shot.W = a.Right - a.Left;
    shot.H = a.Bottom - a.Top;
    for (int y = a.Top; y < a.Bottom; ++y)
      shot.Pixels.insert(shot.Pixels.end(), screen.begin() + static_cast<std::ptrdiff_t>(y) * sw + a.Left,
                         screen.begin() + static_cast<std::ptrdiff_t>(y) * sw + a.Right);
  }
  void Save(const std::string& Name, int Zoom = 2) const {
    int w = 0, h = 0;
    for (const Shot& s : FShots) {
      w = std::max(w, s.W);
      h += s.H + 4;
    }
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w * Zoom) * (h * Zoom), 0xFFFFFFFFu);
    int top = 0;
    for (const Shot& s : FShots) {
      for (int y = 0; y < s.H * Zoom; ++y)
        for (int x = 0; x < s.W * Zoom; ++x)
          out[static_cast<std::size_t>(top * Zoom + y) * w * Zoom + x] =
              s.Pixels[static_cast<std::size_t>(y / Zoom) * s.W + x / Zoom];
      top += s.H + 4;
    }
    platform::WritePng(testsupport::ArtifactPath(Name), out.data(), w * Zoom, h * Zoom, w * Zoom);
  }

 private:
  struct Shot {
    int W = 0, H = 0;
    std::vector<std::uint32_t> Pixels;
  };
  std::vector<Shot> FShots;
};

}  // namespace

class BarButtonPicturesTest : public BarInputFixture {
 protected:
  void SetUp() override {
    BarInputFixture::SetUp();
    // Every item gets the control its class names.
    dxBarItemControlFactory = nullptr;
    Form->SetBounds(0, 0, 700, 500);
    Form->Show();
    M->Bars()->CreateDockControls();
  }
  void TearDown() override {
    CloseMenus();
    TObject::Free(Form);
    Form = nullptr;
    Pictures.clear();
    BarInputFixture::TearDown();
  }
  TdxBarSubItem* SubItem(const String& Caption, std::initializer_list<TdxBarItem*> Entries) {
    auto* item = Make<TdxBarSubItem>(Caption);
    for (TdxBarItem* entry : Entries) item->ItemLinks()->AddItem(entry);
    return item;
  }
  TBitmap* Picture(int Size, TColor Colour) { return Pictures.emplace_back(Square(Size, Colour)).get(); }
  // A floating toolbar showing the items at the screen place.
  TdxBar* Toolbar(const String& Caption, std::initializer_list<TdxBarItem*> Items, int X, int Y, int AWidth = 0) {
    TdxBar* bar = M->Bars()->Add();
    bar->SetCaption(Caption);
    for (TdxBarItem* item : Items) bar->ItemLinks()->AddItem(item);
    bar->SetFloatLeft(X);
    bar->SetFloatTop(Y);
    if (AWidth > 0) bar->SetFloatClientWidth(AWidth);
    bar->SetDockingStyle(dsNone);
    bar->SetVisible(true);
    Pump();
    return bar;
  }
  static TdxBarItemControl* ControlOf(TdxBar* Bar, int Index) { return Bar->ItemLinks()->Items(Index)->Control(); }
  static TdxBarSubMenuControl* MenuOf(TdxBarItem* Item) {
    return dynamic_cast<TdxBarSubMenuControl*>(Item->ItemLinks()->BarControl());
  }
  static bool Shown(TCustomdxBarControl* Bar) { return Bar && Bar->HandleAllocated() && IsWindowVisible(Bar->Handle()); }
  static TRect Bounds(TCustomdxBarControl* Bar) {
    RECT r;
    GetWindowRect(Bar->Handle(), &r);
    return r;
  }
  static TRect Around(std::initializer_list<TCustomdxBarControl*> Bars, int Margin = 4) {
    TRect u = Bounds(*Bars.begin());
    for (TCustomdxBarControl* b : Bars)
      if (Shown(b)) {
        const TRect r = Bounds(b);
        u = {std::min(u.Left, r.Left), std::min(u.Top, r.Top), std::max(u.Right, r.Right), std::max(u.Bottom, r.Bottom)};
      }
    return {std::max(u.Left - Margin, 0), std::max(u.Top - Margin, 0), u.Right + Margin, u.Bottom + Margin};
  }
  void Repaint(TCustomdxBarControl* Bar) {
    RedrawWindow(Bar->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
  }
  // Closes whatever chain a toolbar opened: a press on the toolbar's open sub-item under the
  // standard style, else the control told to close.
  void CloseMenus() {
    for (TdxBarSubItem* item : Cascade)
      if (TdxBarSubMenuControl* menu = MenuOf(item); menu && IsBarControlAlive(menu))
        if (TdxBarItemControl* owner = menu->OwnerSubItemControl())
          if (auto* c = dynamic_cast<TdxBarButtonLikeControl*>(owner); c && c->IsDroppedDown()) c->Deactivate(true);
    Pump();
  }

  // The cascade File > Recent > Walls, built by BuildCascade.
  void BuildCascade() {
    walls = SubItem("Walls", {Make("Wall A"), Make("Wall B"), Make("Wall C")});
    recent = SubItem("Recent", {Make("Scene 1"), walls, Make("Scene 2")});
    file = SubItem("File", {Make("Open..."), recent, Make("Save"), Make("Exit")});
    Cascade = {file, recent, walls};
  }
  // Presses File on its toolbar, then rests on Recent and on Walls for the hover delay each.
  void OpenCascade(TdxBar* Bar, int FileIndex) {
    MoveTo(Centre(Bar->Control()->ControlScreenRect(ControlOf(Bar, FileIndex))));
    Button(true);
    Button(false);
    ASSERT_TRUE(Shown(MenuOf(file))) << "a press opens the toolbar's sub-item at once";
    for (TdxBarSubItem* next : {recent, walls}) {
      TdxBarSubMenuControl* menu = MenuOf(next == recent ? file : recent);
      TdxBarItemLink* link = nullptr;
      for (int i = 0; i < menu->ItemLinks()->Count(); ++i)
        if (menu->ItemLinks()->Items(i)->Item() == next) link = menu->ItemLinks()->Items(i);
      ASSERT_NE(link, nullptr);
      MoveTo(Centre(menu->ControlScreenRect(link->Control())));
      Wait(399);
      EXPECT_FALSE(Shown(MenuOf(next))) << next->Caption() << " at 399 ms";
      Wait(1);
      ASSERT_TRUE(Shown(MenuOf(next))) << next->Caption() << " at 400 ms";
      EXPECT_EQ(menu->ChildBar(), MenuOf(next));
    }
  }
  static TPoint Centre(const TRect& R) { return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2}; }

  std::vector<std::unique_ptr<TBitmap>> Pictures;
  std::vector<TdxBarSubItem*> Cascade;
  TdxBarSubItem* file = nullptr;
  TdxBarSubItem* recent = nullptr;
  TdxBarSubItem* walls = nullptr;
};

TEST_F(BarButtonPicturesTest, AThreeLevelCascadeOpensByPressThenAfterEachHoverDelayAndClosesWhole) {
  BuildCascade();
  TdxBar* bar = Toolbar("Menu", {Make("Home"), file}, 100, 100);
  OpenCascade(bar, 1);
  TdxBarSubMenuControl* first = MenuOf(file);
  TdxBarSubMenuControl* second = MenuOf(recent);
  TdxBarSubMenuControl* third = MenuOf(walls);
  // Each level opens right of its item, the first below the toolbar's.
  const TRect item = bar->Control()->ControlScreenRect(ControlOf(bar, 1));
  EXPECT_EQ(Bounds(first).Left, item.Left);
  EXPECT_GE(Bounds(first).Top, item.Bottom - 1);
  EXPECT_GE(Bounds(second).Left, Bounds(first).Right - 4);
  EXPECT_GE(Bounds(third).Left, Bounds(second).Right - 4);
  EXPECT_EQ(second->ChildBar(), third);
  // Each menu is a window of the bar it opened from.
  EXPECT_EQ(GetParent(first->Handle()), bar->Control()->Handle());
  EXPECT_EQ(GetParent(second->Handle()), first->Handle());
  EXPECT_EQ(GetParent(third->Handle()), second->Handle());
  // Closing the first level takes the chain with it; every menu frees itself.
  static_cast<TdxBarButtonLikeControl*>(ControlOf(bar, 1))->Deactivate(true);
  Pump();
  EXPECT_EQ(MenuOf(file), nullptr);
  EXPECT_EQ(MenuOf(recent), nullptr);
  EXPECT_EQ(MenuOf(walls), nullptr);
}

TEST_F(BarButtonPicturesTest, PicturesOfButtonStatesLargeButtonsAndACascadeInEveryStyle) {
  BuildCascade();
  auto* normal = Make("Normal");
  normal->SetGlyph(Picture(16, clLime));
  auto* hot = Make("Hot");
  hot->SetGlyph(Picture(16, clAqua));
  auto* pressed = Make("Pressed");
  pressed->SetGlyph(Picture(16, clYellow));
  auto* checked = Make("Checked");
  checked->SetGlyph(Picture(16, clFuchsia));
  checked->SetButtonStyle(bsChecked);
  checked->SetDown(true);
  auto* lowered = Make("Lowered");
  lowered->SetLowered(true);
  auto* disabled = Make("Disabled");
  disabled->SetGlyph(Picture(16, clRed));
  disabled->SetEnabled(false);
  auto* popup = new TdxBarPopupMenu(Form);
  auto* dropDown = Make("Drop");
  dropDown->SetButtonStyle(bsDropDown);
  dropDown->SetDropDownMenu(popup);
  TdxBar* buttons = Toolbar("Buttons", {normal, hot, pressed, checked, lowered, disabled, dropDown, file}, 20, 40, 600);
  auto* top = Make<TdxBarLargeButton>("Above");
  top->SetLargeGlyph(Picture(32, clLime));
  top->SetGlyphLayout(glTop);
  auto* left = Make<TdxBarLargeButton>("Beside");
  left->SetLargeGlyph(Picture(32, clAqua));
  left->SetGlyphLayout(glLeft);
  left->SetAutoGrayScale(false);
  TdxBar* large = Toolbar("Large", {top, left}, 20, 300, 200);

  auto shoot = [&](const std::string& name) {
    for (TdxBar* b : {buttons, large}) {
      b->SetVisible(false);
      b->SetVisible(true);
    }
    Pump();
    TdxBarControl* w = buttons->Control();
    MoveTo({690, 490});
    Repaint(w);
    Repaint(large->Control());
    TSheet sheet;
    sheet.Add(Around({large->Control()}));
    MoveTo(Centre(w->ControlScreenRect(ControlOf(buttons, 1))));
    Repaint(w);
    sheet.Add(Around({w}));
    OpenCascade(buttons, 7);
    for (TCustomdxBarControl* m : std::initializer_list<TCustomdxBarControl*>{w, MenuOf(file), MenuOf(recent), MenuOf(walls)})
      Repaint(m);
    sheet.Add(Around({w, MenuOf(file), MenuOf(recent), MenuOf(walls)}));
    CloseMenus();
    EXPECT_EQ(MenuOf(file), nullptr) << name;
    // Held down on "Pressed", then let go away from it, so nothing is clicked. The toolbar stays
    // downed after that, so it comes last.
    MoveTo(Centre(w->ControlScreenRect(ControlOf(buttons, 2))));
    Button(true);
    Repaint(w);
    sheet.Add(Around({w}));
    MoveTo({690, 490});
    Button(false);
    sheet.Save("bars/buttons-" + name + ".png");
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

// ---- drop-down buttons -----------------------------------------------------------------------------

class BarDropDownButtonTest : public BarButtonPicturesTest {
 protected:
  // A drop-down button whose popup menu holds the entries.
  TdxBarButton* DropDown(const String& Caption, std::initializer_list<const char*> Entries, TdxBarPopupMenu*& AMenu) {
    auto* button = Make(Caption);
    button->SetButtonStyle(bsDropDown);
    AMenu = new TdxBarPopupMenu(Form);
    for (const char* entry : Entries) AMenu->ItemLinks()->AddItem(Make(entry));
    button->SetDropDownMenu(AMenu);
    return button;
  }
  // A press on the arrow part of the toolbar's button.
  void PressArrow(TdxBar* Bar, int Index) {
    const TRect r = Bar->Control()->ControlScreenRect(ControlOf(Bar, Index));
    MoveTo({r.Right - 3, (r.Top + r.Bottom) / 2});
    Button(true);
  }
  static void Close(TdxBarPopupMenu* Menu) {
    if (TCustomdxBarControl* window = Menu->MenuControl()) window->CloseUp();
  }
};

TEST_F(BarDropDownButtonTest, TheArrowOpensTheMenuOnThePressAndTheReleaseClicksNothing) {
  TdxBarPopupMenu* pasteMenu = nullptr;
  TdxBarPopupMenu* undoMenu = nullptr;
  TdxBarButton* paste = DropDown("Paste", {"Paste Special", "Paste Link"}, pasteMenu);
  TdxBarButton* undo = DropDown("Undo", {"Undo Typing"}, undoMenu);
  int clicks = 0;
  paste->SetOnClick([&](TObject*) { ++clicks; });
  TdxBar* bar = Toolbar("Edit", {Make("Cut"), paste, undo}, 100, 100);
  PressArrow(bar, 1);
  ASSERT_TRUE(Shown(pasteMenu->MenuControl())) << "the press opens the menu";
  Button(false);
  EXPECT_EQ(clicks, 0) << "the release runs no click of the button";
  EXPECT_TRUE(Shown(pasteMenu->MenuControl()));
  // Below the button, left-aligned with it.
  const TRect button = bar->Control()->ControlScreenRect(ControlOf(bar, 1));
  EXPECT_EQ(Bounds(pasteMenu->MenuControl()).Left, button.Left);
  EXPECT_GE(Bounds(pasteMenu->MenuControl()).Top, button.Bottom - 1);

  Close(pasteMenu);
  Pump();
  EXPECT_EQ(pasteMenu->MenuControl(), nullptr);
  EXPECT_EQ(undoMenu->MenuControl(), nullptr);
}

TEST_F(BarDropDownButtonTest, WithAMenuOpenTheMouseOnAnotherDropDownOpensItsMenuAtOnce) {
  TdxBarPopupMenu* pasteMenu = nullptr;
  TdxBarPopupMenu* undoMenu = nullptr;
  TdxBarButton* paste = DropDown("Paste", {"Paste Special", "Paste Link"}, pasteMenu);
  TdxBarButton* undo = DropDown("Undo", {"Undo Typing"}, undoMenu);
  TdxBarSubItem* scenes = SubItem("Scenes", {Make("Recall"), Make("Store")});
  // Wide enough for one row: a menu that covered the next button would take the mouse itself.
  TdxBar* bar = Toolbar("Edit", {Make("Cut"), paste, scenes, undo}, 100, 100, 400);
  auto droppedDown = [&](int Index) { return static_cast<TdxBarButtonLikeControl*>(ControlOf(bar, Index))->IsDroppedDown(); };
  auto onto = [&](int Index) { MoveTo(Centre(bar->Control()->ControlScreenRect(ControlOf(bar, Index)))); };
  PressArrow(bar, 1);
  Button(false);
  ASSERT_TRUE(Shown(pasteMenu->MenuControl()));
  // Onto a sub-item, onto another drop-down button and back: each opens as the mouse arrives,
  // with no hover delay, and the one left closes.
  onto(2);
  EXPECT_TRUE(Shown(MenuOf(scenes))) << "the sub-item";
  EXPECT_FALSE(Shown(pasteMenu->MenuControl()));
  EXPECT_FALSE(droppedDown(1));
  onto(3);
  EXPECT_TRUE(Shown(undoMenu->MenuControl())) << "the other drop-down button";
  EXPECT_EQ(MenuOf(scenes), nullptr);
  EXPECT_TRUE(droppedDown(3));
  onto(1);
  EXPECT_TRUE(Shown(pasteMenu->MenuControl())) << "back to the first";
  EXPECT_FALSE(Shown(undoMenu->MenuControl()));
  EXPECT_FALSE(droppedDown(3));
  EXPECT_EQ(TdxBarButtonLikeControl::OpenTimerControl(), nullptr) << "nothing waits for the hover delay";
  Close(pasteMenu);
  Pump();
}

TEST_F(BarDropDownButtonTest, PicturesOfAnOpenDropDownInEveryStyle) {
  TdxBarPopupMenu* menu = nullptr;
  TdxBarButton* paste = DropDown("Paste", {"Paste Special", "Paste Link", "Paste as Picture"}, menu);
  paste->SetGlyph(Picture(16, clYellow));
  TdxBar* bar = Toolbar("Edit", {Make("Cut"), paste, Make("Copy")}, 40, 40);
  auto shoot = [&](const std::string& Name) {
    bar->SetVisible(false);
    bar->SetVisible(true);
    Pump();
    PressArrow(bar, 1);
    Button(false);
    ASSERT_TRUE(Shown(menu->MenuControl())) << Name;
    Repaint(bar->Control());
    Repaint(menu->MenuControl());
    TSheet sheet;
    sheet.Add(Around({bar->Control(), menu->MenuControl()}));
    sheet.Save("bars/dropdown-" + Name + ".png", 3);
    Close(menu);
    MoveTo({690, 490});
    Pump();
  };
  barpaintertest::ForEachBarStyle(M, shoot);
}

// ---- the skin look on real windows -----------------------------------------------------------------

class BarButtonSkinTest : public BarButtonPicturesTest {
 protected:
  void SetUp() override {
    BarButtonPicturesTest::SetUp();
    Units = std::make_unique<barpaintertest::TScopedBarSkin>();
    M->SetStyle(bmsUseLookAndFeel);
    M->LookAndFeel()->SetSkinName("Xmas2008Blue");
  }
  void TearDown() override {
    BarButtonPicturesTest::TearDown();
    Units.reset();
  }
  TdxBarSkinPainter* Skin() const { return dynamic_cast<TdxBarSkinPainter*>(M->Painter()); }
  static COLORREF WindowPixel(TCustomdxBarControl* Bar, int X, int Y) {
    HDC dc = GetDC(Bar->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Bar->Handle(), dc);
    return c;
  }
  std::unique_ptr<barpaintertest::TScopedBarSkin> Units;
};

TEST_F(BarButtonSkinTest, AMenuWindowFillsItsRowsWithTheSkinsMenuPicture) {
  ASSERT_NE(Skin(), nullptr);
  TdxBarSubItem* sub = SubItem("Scenes", {Make("Recall"), Make("Store"), Make("Delete")});
  TdxBar* bar = Toolbar("Menu", {sub}, 100, 100);
  MoveTo(Centre(bar->Control()->ControlScreenRect(ControlOf(bar, 0))));
  Button(true);
  Button(false);
  TdxBarSubMenuControl* menu = MenuOf(sub);
  ASSERT_TRUE(Shown(menu));
  Repaint(menu);
  RECT client;
  GetClientRect(menu->Handle(), &client);
  const int w = client.right, h = client.bottom, border = Skin()->MenuBorderSize();
  // The whole menu's picture, of which each row and the space below the rows show their part.
  barpaintertest::Surface expected(w + 2 * border, h + 2 * border);
  Skin()->SkinInfo()->BarsPopupMenu->Draw(expected.Canvas()->Handle(), {0, 0, w + 2 * border, h + 2 * border});
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  // Right of the captions, down through every row: no row keeps the plain fill.
  const int x = w - 3;
  for (int y = 0; y < h; ++y) {
    EXPECT_EQ(WindowPixel(menu, x, y), expected.At(x + border, y + border)) << "at (" << x << ", " << y << ")";
    EXPECT_NE(WindowPixel(menu, x, y), face);
  }
}

TEST_F(BarButtonSkinTest, ARealToolbarComposesItsBackgroundOnceAndFadesItsButtonsWithTheirOwnRectangle) {
  auto* first = Make("Recall");
  auto* second = Make("Store");
  second->SetGlyph(Picture(16, clLime));
  TdxBar* bar = Toolbar("Scenes", {first, second}, 100, 100);
  bar->SetDockingStyle(dsTop);
  Pump();
  TdxBarControl* w = bar->Control();
  ASSERT_NE(w, nullptr);
  // Until sites lay out their rows, the site takes the toolbar's thickness by hand.
  w->DockControl()->SetHeight(30);
  w->SetBounds(0, 0, 220, 30);
  Pump();
  // Repaints of a toolbar of unchanged size render its element no more.
  auto renders = [&] {
    TdxSkinElementCacheList* cache = Skin()->ElementCache();
    int n = 0;
    for (int i = 0; i < cache->Count(); ++i)
      if (cache->CacheAt(i)->Element() == Skin()->SkinInfo()->BarsBar) n += cache->CacheAt(i)->RenderCount();
    return n;
  };
  Repaint(w);
  const int once = renders();
  EXPECT_GE(once, 1);
  for (int i = 0; i < 4; ++i) Repaint(w);
  EXPECT_EQ(renders(), once);

  // The second button lies away from the window's origin: its fading pictures hold the button
  // itself, drawn where the toolbar draws it.
  auto* c = static_cast<TdxBarButtonControl*>(ControlOf(bar, 1));
  const TRect r = c->ItemRect();
  ASSERT_GT(r.Left, 0);
  TBitmap* normal = nullptr;
  TBitmap* hot = nullptr;
  int a = 0, b = 0, d = 0, e = 0;
  c->PrepareFadingImages(normal, hot, a, b, d, e);
  ASSERT_TRUE(normal && hot);
  std::unique_ptr<TBitmap> keepNormal(normal), keepHot(hot);
  const int cw = r.Right - r.Left, ch = r.Bottom - r.Top;
  ASSERT_EQ(hot->Width(), cw);
  barpaintertest::Surface expected(r.Right, r.Bottom);
  c->RefreshDrawParams(true);
  auto& p = static_cast<TdxBarButtonLikeControlDrawParams&>(*c->DrawInfo());
  p.Canvas = expected.Canvas();
  p.IsSelected = true;
  Skin()->DrawButtonForFade(p);
  c->RefreshDrawParams(true);
  int differing = 0, opaque = 0;
  HDC dc = hot->Canvas()->Handle();
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) {
      differing += GetPixel(dc, x, y) != expected.At(r.Left + x, r.Top + y);
      opaque += (static_cast<const std::uint32_t*>(hot->ScanLine(y))[x] >> 24) == 255;
    }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(opaque, cw * ch) << "the skin asks for opaque pictures";
  int changed = 0;
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) changed += GetPixel(dc, x, y) != GetPixel(normal->Canvas()->Handle(), x, y);
  EXPECT_GT(changed, 0) << "the hot picture is the hot look";
}
