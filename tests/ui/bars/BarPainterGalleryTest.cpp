// The gallery of the bar painters: a main menu, a docked toolbar with every item kind in every
// state, a floating toolbar, a status-bar toolbar and an open menu, painted by each style through
// the bar-window and item-control doubles, left under artifacts/bars/ to be looked at.
#include "tests/ui/bars/BarPainterFixture.h"

#include <memory>

#include "tests/support/FakeThemeLibrary.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"

namespace barpaintertest {
namespace {

// A style of its own for the base painter: the gallery shows the plain look too.
class TTestOnlyBasePainter : public TdxBarPainter {
  VW_CLASS(TTestOnlyBasePainter, TdxBarPainter)
};

class BarPainterGalleryTest : public BarPainterFixture {
 protected:
  std::vector<std::unique_ptr<TTestBar>> Bars;
  std::vector<std::unique_ptr<TTestItem>> Items;

  // The bars go before their manager.
  void TearDown() override {
    Items.clear();
    Bars.clear();
    BarPainterFixture::TearDown();
  }

  TTestBar* NewBar() {
    Bars.push_back(std::make_unique<TTestBar>(Manager));
    return Bars.back().get();
  }
  TTestItem* NewItem(TTestBar* B, TBitmap* Glyph) {
    Items.push_back(std::make_unique<TTestItem>(B));
    Items.back()->Glyph = Glyph;
    return Items.back().get();
  }
  // A 16 x 16 picture: a page with a coloured band, on the transparent fuchsia.
  TBitmap* Picture(TColor Band) {
    TBitmap* b = MarkedGlyph(clFuchsia, clFuchsia);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(3, 1, 13, 15));
    c->Brush()->SetColor(clBlack);
    c->FrameRect(TRect(3, 1, 13, 15));
    c->Brush()->SetColor(Band);
    c->FillRect(TRect(5, 4, 11, 8));
    return b;
  }

  void PaintScene(TdxBarPainter& P, HDC DC) {
    HBRUSH face = P.ToolbarBrush(Manager);
    SelectObject(DC, Manager->Font()->Handle());
    TBitmap* open = Picture(clBlue);
    TBitmap* save = Picture(clGreen);
    TBitmap* cut = Picture(clRed);

    // Main menu.
    TTestBar* mainMenu = NewBar();
    mainMenu->MainMenu = true;
    mainMenu->Grip = false;
    mainMenu->Brush = P.BarBrush(mainMenu);
    TRect frame(0, 0, 520, 24);
    P.FillBarBackground(mainMenu, DC, frame, frame, mainMenu->BkBrush(), clNone);
    P.DrawDockedBarFrame(mainMenu, DC, frame, mainMenu->BkBrush());
    int x = frame.Left + 2;
    for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
      TdxBarButtonLikeControlDrawParams p(NewItem(mainMenu, nullptr));
      p.ViewStructure = cpText;
      p.Caption = caption;
      p.IsSelected = x == frame.Left + 2;
      p.IsDropDown = p.IsSelected;
      P.PaintButtonItem(p, DC, {x, frame.Top, x + 40, frame.Bottom});
      x += 40;
    }

    // Docked toolbar: every item kind and state.
    TTestBar* toolbar = NewBar();
    toolbar->Brush = face;
    toolbar->WithMark = true;
    toolbar->Hides = true;
    TRect outer(0, 26, 520, 54);
    P.FillBarBackground(toolbar, DC, outer, outer, face, clNone);
    TRect client = outer;
    P.DrawDockedBarFrame(toolbar, DC, client, face);
    client.Left += P.GripSizeDocked();
    SaveDC(DC);
    x = client.Left;
    struct Button {
      TBitmap* glyph;
      bool selected, down, pressed, enabled, part, arrow;
      const char* caption;
    } buttons[] = {
        {open, false, false, false, true, false, false, nullptr},   {save, true, false, false, true, false, false, nullptr},
        {cut, false, true, false, true, false, false, nullptr},     {open, true, true, false, true, false, false, nullptr},
        {save, true, false, true, true, false, false, nullptr},     {cut, false, false, false, false, false, false, nullptr},
        {open, false, false, false, true, true, false, nullptr},    {save, true, false, false, true, true, false, nullptr},
        {nullptr, false, false, false, true, false, true, "Tools"}, {open, true, false, false, true, false, false, "Open"},
    };
    for (const Button& b : buttons) {
      TdxBarButtonLikeControlDrawParams p(NewItem(toolbar, b.glyph));
      p.ViewStructure = (b.glyph ? cpIcon : 0) | (b.caption ? cpText : 0);
      p.Caption = b.caption ? b.caption : "";
      p.IsSelected = b.selected;
      p.Down = b.down;
      p.IsPressed = b.pressed;
      p.DrawDownFrame = b.pressed;
      p.Enabled = b.enabled;
      p.HasDropDownPart = b.part;
      p.ArrowSize = b.arrow ? TSize{11, 0} : TSize{0, 0};
      int w = p.ButtonExtent.cx;
      if (b.part) w += P.DropArrowPartWidth(Manager, false);
      if (b.caption) w += 34;
      if (b.arrow) w += 11;
      P.PaintButtonItem(p, DC, {x, client.Top, x + w, client.Bottom});
      x += w;
      if (&b == &buttons[5]) {
        TdxBarSeparatorControlDrawParams sep(NewItem(toolbar, nullptr));
        sep.ViewStructure = 0;
        P.DrawSeparatorControl(sep, DC, {x, client.Top, x + P.ToolbarSeparatorSize(), client.Bottom});
        x += P.ToolbarSeparatorSize();
      }
    }
    {
      TdxBarEditLikeControlDrawParams e(NewItem(toolbar, nullptr));
      e.ViewStructure = 0;
      NewItem(toolbar, nullptr);
      static_cast<TTestItem*>(e.OwnerControl)->Text = "COM1";
      const TRect r(x + 2, client.Top, x + 62, client.Bottom);
      e.ContentRect = P.EditContentBounds(r);
      e.ContentRect = {r.Left + 2, r.Top + 2, r.Right - 2 - toolbar->ComboBoxArrowWidth(), r.Bottom - 2};
      P.DrawEdit(e, DC, r);
      P.DrawComboButton(e, DC, {e.ContentRect.Right, r.Top + 2, r.Right - 2, r.Bottom - 2}, false, false);
      x = r.Right + 2;
    }
    {
      TdxBarStaticLikeControlDrawParams s(NewItem(toolbar, nullptr));
      s.ViewStructure = cpText;
      s.Caption = "Label";
      s.BorderStyle = 1;
      P.DrawStaticItem(s, DC, {x, client.Top + 1, x + 50, client.Bottom - 1});
    }
    RestoreDC(DC, -1);
    P.DrawMark(toolbar, DC, P.MarkBounds(toolbar, client, {}));

    // Floating toolbar.
    TTestBar* floating = NewBar();
    floating->Docking = 0;
    floating->Close = true;
    floating->WithMark = true;
    floating->Brush = face;
    TRect window(10, 70, 240, 140);
    P.FillBarBackground(floating, DC, window, window, face, clNone);
    TRect border = window;
    P.DrawFloatBorder(floating, DC, border, face);
    const TRect caption = P.FloatCaptionBounds(floating, window);
    P.DrawFloatCaption(floating, DC, caption, "Wall tools", face, true);
    const TSize close = P.CloseButtonSize();
    P.DrawFloatCloseGlyph(floating, DC, {caption.Right - close.cx, caption.Top, caption.Right, caption.Bottom}, 0,
                          true);
    TRect insets;
    P.CalcBarNonClient(floating, 0, insets, false);
    x = window.Left + insets.Left;
    for (TBitmap* g : {open, save, cut}) {
      TdxBarButtonLikeControlDrawParams p(NewItem(floating, g));
      p.ViewStructure = cpIcon;
      p.IsSelected = g == save;
      P.PaintButtonItem(p, DC, {x, window.Top + insets.Top, x + 23, window.Top + insets.Top + 22});
      x += 23;
    }
    for (int state = 0; state <= 4; ++state) {
      const int kind = state % 3;
      P.DrawMDIButton(floating, DC, {x + 4 + state * 18, window.Top + insets.Top + 3, x + 20 + state * 18,
                                     window.Top + insets.Top + 17},
                      kind, state);
    }

    // Status-bar toolbar.
    TTestBar* status = NewBar();
    status->Docking = 4;
    status->Border = 0;
    status->StatusBar = true;
    status->Brush = P.BarBrush(status);
    TRect band(0, 396, 520, 420);
    P.FillBarBackground(status, DC, band, band, status->BkBrush(), clNone);
    P.FillStatusBarTopBand(status, DC, band, status->BkBrush());
    const TSize grip = P.SizeGripSize();
    P.DrawStatusBarGrip(status, DC, {band.Right - grip.cx, band.Bottom - grip.cy, band.Right, band.Bottom},
                        status->BkBrush());
    {
      TdxBarStaticLikeControlDrawParams s(NewItem(status, nullptr));
      s.ViewStructure = cpText;
      s.Caption = "Link: COM1 open";
      s.BorderStyle = 1;
      P.DrawStaticItem(s, DC, {band.Left + 2, band.Top + 4, band.Left + 160, band.Bottom - 2});
    }

    // Open menu.
    TTestBar* menu = NewBar();
    menu->Menu = true;
    menu->Docking = 0;
    menu->Brush = P.MenuItemBrush(menu);
    menu->Descriptions = true;
    TRect m(270, 60, 510, 390);
    P.FillMenuBackground(menu, DC, m, m, menu->BkBrush(), clNone);
    TRect mb = m;
    P.DrawMenuBorder(menu, DC, mb);
    TRect mc = Inflate(m, -1, -1);
    P.DrawMenuClientBorder(menu, DC, mc, menu->BkBrush());
    TRect rows = m;
    P.MenuClientInsets(rows);
    const int scroll = P.MenuScrollButtonHeight(menu);
    P.DrawMenuScrollButton(menu, DC, P.MenuScrollButtonBounds(menu, rows, true), true, 0, true);
    int y = rows.Top + scroll;
    struct Row {
      const char* caption;
      TBitmap* glyph;
      bool checked, selected, enabled, sub, separator;
      const char* shortcut;
      const char* description;
    } entries[] = {
        {"&Open scene...", open, false, false, true, false, false, "Ctrl+O", nullptr},
        {"&Save scene", save, false, true, true, false, false, "Ctrl+S", nullptr},
        {"Show &grid", nullptr, true, false, true, false, false, nullptr, nullptr},
        {"Cu&t", cut, false, false, false, false, false, "Ctrl+X", nullptr},
        {nullptr, nullptr, false, false, true, false, true, nullptr, nullptr},
        {"Recent &walls", nullptr, false, false, true, true, false, nullptr, nullptr},
        {"&Recall", open, false, false, true, false, false, nullptr,
         "Recalls every window of the scene that was saved last, on every screen of the wall"},
    };
    for (const Row& e : entries) {
      if (e.separator) {
        TdxBarSeparatorControlDrawParams sep(NewItem(menu, nullptr));
        sep.PaintType = pmMenu;
        sep.ViewStructure = 0;
        P.DrawSeparatorControl(sep, DC, {rows.Left, y, rows.Right, y + P.MenuSeparatorHeight()});
        y += P.MenuSeparatorHeight();
        continue;
      }
      const int h = e.description ? 58 : menu->TextSize() + 4;
      TdxBarButtonLikeControlDrawParams p(NewItem(menu, e.glyph));
      p.PaintType = pmMenu;
      p.Caption = e.caption;
      p.ShortCut = e.shortcut ? e.shortcut : "";
      p.Description = e.description ? e.description : "";
      p.Checked = e.checked;
      p.IsSelected = e.selected;
      p.HighlightFlag = e.selected;
      p.Enabled = e.enabled;
      p.ArrowSize = e.sub ? TSize{11, 0} : TSize{0, 0};
      P.PaintButtonItem(p, DC, {rows.Left, y, rows.Right, y + h});
      y += h;
    }
    const TRect expand(rows.Left, y, rows.Right, y + 16);
    P.DrawMenuExpandButton(menu, DC, expand, false);
    P.DrawMenuScrollButton(menu, DC, P.MenuScrollButtonBounds(menu, rows, false), false, 0, true);
  }

  static TRect Inflate(const TRect& R, int D, int E) { return dxbar::Inflate(R, D, E); }

  // A menu window whose background is its painter's menu background (the glyph column).
  class TGalleryMenu : public TTestBar {
    VW_CLASS(TGalleryMenu, TTestBar)
   public:
    using TTestBar::TTestBar;
    TdxBarPainter* Own = nullptr;
    void FillBarBackground(HDC DC, const TRect& R, bool, TColor, HBRUSH Brush) override {
      Own->FillMenuBackground(this, DC, R, TRect(0, 0, Width(), Height()), Brush, clNone);
    }
  };

  // Docked toolbars as their windows paint them: the dock sites' backgrounds, each toolbar's frame
  // in window coordinates and its client area in client coordinates; and a menu with its column.
  void PaintDockedScene(TdxBarPainter& P, HDC DC) {
    SelectObject(DC, Manager->Font()->Handle());
    TBitmap* open = Picture(clBlue);
    TBitmap* save = Picture(clGreen);
    TBitmap* cut = Picture(clRed);
    std::vector<std::unique_ptr<TDockedBar>> bars;
    auto docked = [&](TTestDock& Dock, int Docking, const TRect& Bounds) {
      bars.push_back(std::make_unique<TDockedBar>(Manager));
      TDockedBar* b = bars.back().get();
      b->Dock = &Dock;
      b->Own = &P;
      b->Docking = Docking;
      b->Vertical = Docking == 1 || Docking == 3;
      b->Brush = P.BarBrush(b);
      b->SetBounds(Bounds.Left, Bounds.Top, Bounds.Right - Bounds.Left, Bounds.Bottom - Bounds.Top);
      return b;
    };
    TTestDock top(alTop, {0, 0, 520, 58}), left(alLeft, {0, 58, 34, 240});
    auto paintDock = [&](TTestDock& D) {
      SetViewportOrgEx(DC, D.Left(), D.Top(), nullptr);
      const TRect all(0, 0, D.Width(), D.Height());
      P.FillDockBackground(&D, DC, all, all, P.ToolbarBrush(Manager), clBtnFace);
    };
    paintDock(top);
    paintDock(left);
    // Frame in window coordinates; the client rectangle (in client coordinates) comes back.
    auto paintFrame = [&](TDockedBar* B) {
      const TPoint at(B->Dock->Left() + B->Left(), B->Dock->Top() + B->Top());
      TRect insets;
      P.CalcBarNonClient(B, B->Docking, insets, false);
      const TRect client(0, 0, B->Width() - insets.Left - insets.Right, B->Height() - insets.Top - insets.Bottom);
      // The non-client background inside the border (the grip's place), then the frame.
      const TRect border = P.DockedBorderInsets(B);
      SetViewportOrgEx(DC, at.X + insets.Left, at.Y + insets.Top, nullptr);
      const TRect inner(border.Left - insets.Left, border.Top - insets.Top, client.Right + insets.Right - border.Right,
                        client.Bottom + insets.Bottom - border.Bottom);
      P.FillBarBackground(B, DC, inner, inner, B->BkBrush(), clNone);
      SetViewportOrgEx(DC, at.X, at.Y, nullptr);
      TRect frame(0, 0, B->Width(), B->Height());
      P.DrawDockedBarFrame(B, DC, frame, B->BkBrush());
      SetViewportOrgEx(DC, at.X + insets.Left, at.Y + insets.Top, nullptr);
      P.FillBarBackground(B, DC, client, client, B->BkBrush(), clNone);
      return client;
    };

    TDockedBar* menuBar = docked(top, 2, {0, 0, 520, 24});
    menuBar->MainMenu = true;
    menuBar->Grip = false;
    menuBar->Brush = P.BarBrush(menuBar);
    TRect client = paintFrame(menuBar);
    int x = 2;
    for (const char* caption : {"&File", "&Edit", "&View", "&Help"}) {
      TdxBarButtonLikeControlDrawParams p(NewItem(menuBar, nullptr));
      p.ViewStructure = cpText;
      p.Caption = caption;
      p.IsSelected = x == 2;
      P.PaintButtonItem(p, DC, {x, client.Top, x + 40, client.Bottom});
      x += 40;
    }

    TDockedBar* toolbar = docked(top, 2, {0, 26, 470, 54});
    toolbar->WithMark = true;
    toolbar->Hides = true;
    client = paintFrame(toolbar);
    struct Button {
      TBitmap* glyph;
      bool selected, down, pressed, enabled, part;
    } buttons[] = {{open, false, false, false, true, false}, {save, true, false, false, true, false},
                   {cut, false, true, false, true, false},   {open, true, true, false, true, false},
                   {save, true, false, true, true, false},   {cut, false, false, false, false, false},
                   {open, false, false, false, true, true},  {save, true, false, false, true, true},
                   {cut, false, false, false, true, false},  {open, false, false, false, true, false},
                   {save, false, false, false, true, false}, {cut, false, false, false, true, false}};
    x = 0;
    for (const Button& b : buttons) {
      TdxBarButtonLikeControlDrawParams p(NewItem(toolbar, b.glyph));
      p.ViewStructure = cpIcon;
      p.IsSelected = b.selected;
      p.Down = b.down;
      p.IsPressed = b.pressed;
      p.Enabled = b.enabled;
      p.HasDropDownPart = b.part;
      int w = p.ButtonExtent.cx + (b.part ? P.DropArrowPartWidth(Manager, false) : 0);
      P.PaintButtonItem(p, DC, {x, 0, x + w, client.Bottom});
      x += w;
      if (&b == &buttons[5] || &b == &buttons[7]) {
        TdxBarSeparatorControlDrawParams sep(NewItem(toolbar, nullptr));
        sep.ViewStructure = 0;
        P.DrawSeparatorControl(sep, DC, {x, 0, x + P.ToolbarSeparatorSize(), client.Bottom});
        x += P.ToolbarSeparatorSize();
      }
    }
    P.DrawMark(toolbar, DC, P.MarkBounds(toolbar, client, {}));

    TDockedBar* vertical = docked(left, 1, {2, 4, 30, 150});
    vertical->WithMark = true;
    client = paintFrame(vertical);
    int y = 0;
    for (TBitmap* g : {open, save, cut}) {
      TdxBarButtonLikeControlDrawParams p(NewItem(vertical, g));
      p.ViewStructure = cpIcon;
      p.PaintType = pmVertical;
      p.IsSelected = g == save;
      P.PaintButtonItem(p, DC, {0, y, client.Right, y + 22});
      y += 22;
    }
    P.DrawMark(vertical, DC, P.MarkBounds(vertical, client, {}));

    // An open menu below the File item.
    Items.push_back(nullptr);
    auto* menu = new TGalleryMenu(Manager);
    std::unique_ptr<TGalleryMenu> owned(menu);
    menu->Own = &P;
    menu->Menu = true;
    menu->Docking = 0;
    menu->Brush = P.MenuItemBrush(menu);
    const TRect m(0, 0, 200, 150);
    // Sized as its window would be: painters that fill the whole client find it.
    menu->SetBounds(60, 70, 200, 150);
    SetViewportOrgEx(DC, 60, 70, nullptr);
    P.FillMenuBackground(menu, DC, m, m, menu->BkBrush(), clNone);
    TRect border = m;
    P.DrawMenuBorder(menu, DC, border);
    TRect inner = Inflate(m, -1, -1);
    P.DrawMenuClientBorder(menu, DC, inner, menu->BkBrush());
    TRect rows = m;
    P.MenuClientInsets(rows);
    y = rows.Top;
    struct Row {
      const char* caption;
      TBitmap* glyph;
      bool checked, selected, enabled;
    } entries[] = {{"&Open scene...", open, false, false, true}, {"&Save scene", save, false, true, true},
                   {"Show &grid", nullptr, true, false, true},  {"Cu&t", cut, false, false, false},
                   {"&Recall", open, false, false, true}};
    for (const Row& e : entries) {
      TdxBarButtonLikeControlDrawParams p(NewItem(menu, e.glyph));
      p.PaintType = pmMenu;
      p.Caption = e.caption;
      p.Checked = e.checked;
      p.IsSelected = e.selected;
      p.HighlightFlag = e.selected;
      p.Enabled = e.enabled;
      P.PaintButtonItem(p, DC, {rows.Left, y, rows.Right, y + menu->TextSize() + 4});
      y += menu->TextSize() + 4;
    }
    SetViewportOrgEx(DC, 0, 0, nullptr);
    Items.clear();
  }

  // The test theme library with every class the bar painters draw, reporting a colour scheme.
  static void InstallTheme(const char* ColorName) {
    using testsupport::FakeThemeLibrary;
    FakeThemeLibrary::Install();
    for (const char* name :
         {"BUTTON", "COMBOBOX", "EDIT", "PROGRESS", "REBAR", "SCROLLBAR", "SPIN", "STATUS", "TOOLBAR", "WINDOW"})
      FakeThemeLibrary::OpenableClasses().insert(name);
    FakeThemeLibrary::ThemeFile() = "C:\\WINDOWS\\Resources\\Themes\\Luna\\luna.msstyles";
    FakeThemeLibrary::ColorName() = ColorName;
    FakeThemeLibrary::PartSizes()[{"TOOLBAR", 5, 1, 0}] = {6, 6};
    FakeThemeLibrary::PartSizes()[{"TOOLBAR", 6, 1, 1}] = {6, 6};
    FakeThemeLibrary::PartSizes()[{"WINDOW", 19, 1, 1}] = {15, 15};
    FakeThemeLibrary::PartSizes()[{"REBAR", 1, 1, 1}] = {5, 5};
    FakeThemeLibrary::PartSizes()[{"STATUS", 3, 0, 1}] = {12, 12};
    FakeThemeLibrary::ContentMargins()[{"TOOLBAR", 3, 1}] = {3, 3, 3, 3};
    FakeThemeLibrary::ContentMargins()[{"EDIT", 1, 1}] = {2, 2, 2, 2};
    ThemeAccessStartup();
  }
  static void UninstallTheme() {
    ThemeAccessShutdown();
    testsupport::FakeThemeLibrary::Uninstall();
  }
};

TEST_F(BarPainterGalleryTest, EveryStyleDrawsTheGallery) {
  TTestOnlyBasePainter base;
  TdxBarStandardPainter standard;
  TdxBarEnhancedPainter enhanced;
  TdxBarFlatPainter flat;
  struct Style {
    TdxBarPainter* painter;
    const char* name;
  } styles[] = {{&base, "base"}, {&standard, "standard"}, {&enhanced, "enhanced"}, {&flat, "flat"}};
  for (const Style& s : styles) {
    Surface surface(520, 420, clAppWorkSpace);
    HDC dc = surface.Canvas()->Handle();
    const int saved = SaveDC(dc);
    PaintScene(*s.painter, dc);
    RestoreDC(dc, saved);
    surface.Save(std::string("bars/gallery-") + s.name + ".png");
    // Something of each part was drawn over the workspace colour.
    for (TPoint p : {TPoint(100, 10), TPoint(250, 30), TPoint(100, 100), TPoint(400, 200), TPoint(300, 410)})
      EXPECT_NE(surface.At(p.X, p.Y), ColorToRGB(clAppWorkSpace)) << s.name << " " << p.X << "," << p.Y;
  }
}

TEST_F(BarPainterGalleryTest, OfficeLookInEveryColourSchemeAndTheThemedLook) {
  TdxBarOffice11Painter office11;
  auto shoot = [&](TdxBarPainter& P, const std::string& Name) {
    Surface docked(520, 240, clAppWorkSpace);
    PaintDockedScene(P, docked.Canvas()->Handle());
    docked.Save("bars/docked-" + Name + ".png");
    Surface gallery(520, 420, clAppWorkSpace);
    HDC dc = gallery.Canvas()->Handle();
    const int saved = SaveDC(dc);
    PaintScene(P, dc);
    RestoreDC(dc, saved);
    gallery.Save("bars/gallery-" + Name + ".png");
    EXPECT_NE(docked.At(300, 40), ColorToRGB(clAppWorkSpace)) << Name;
  };
  shoot(office11, "office11-system");
  for (const char* scheme : {"NormalColor", "HomeStead", "Metallic"}) {
    InstallTheme(scheme);
    RebuildOffice11Colors();
    EXPECT_TRUE(AreOffice11ColorsThemed()) << scheme;
    shoot(office11, std::string("office11-") + scheme);
    UninstallTheme();
  }
  InstallTheme("NormalColor");
  Manager->SysColorChanged();  // the manager's themed toolbar brush
  {
    TdxBarXPPainter xp;
    shoot(xp, "xp-fake");
  }
  UninstallTheme();
  RebuildOffice11Colors();
}

TEST_F(BarPainterGalleryTest, SkinLookInXmas2008Blue) {
  TScopedBarSkin units;
  {
    TdxBarSkinPainter skin;
    skin.Construct(Xmas2008BluePainter());
    ASSERT_NE(skin.SkinInfo(), nullptr);
    Surface docked(520, 240, clAppWorkSpace);
    PaintDockedScene(skin, docked.Canvas()->Handle());
    docked.Save("bars/docked-skin-xmas2008blue.png");
    Surface gallery(520, 420, clAppWorkSpace);
    HDC dc = gallery.Canvas()->Handle();
    const int saved = SaveDC(dc);
    PaintScene(skin, dc);
    RestoreDC(dc, saved);
    gallery.Save("bars/gallery-skin-xmas2008blue.png");
    EXPECT_NE(docked.At(300, 40), ColorToRGB(clAppWorkSpace));
    Items.clear();
    Bars.clear();
  }
}

}  // namespace
}  // namespace barpaintertest
