// The gallery of the bar painters: a main menu, a docked toolbar with every item kind in every
// state, a floating toolbar, a status-bar toolbar and an open menu, painted by each style through
// the bar-window and item-control doubles, left under artifacts/bars/ to be looked at.
#include "tests/ui/bars/BarPainterFixture.h"

#include <memory>

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

}  // namespace
}  // namespace barpaintertest
