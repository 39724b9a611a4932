#include "tools/skingen/Catalogue.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace skingen {

namespace {

constexpr States kNHPD = Bit(N) | Bit(H) | Bit(P) | Bit(D);
constexpr States kNHPDA = kNHPD | Bit(A);
constexpr States kNHP = Bit(N) | Bit(H) | Bit(P);
constexpr States kActive = Bit(A) | Bit(AD);
constexpr States kCaptionButton = Bit(N) | Bit(H) | Bit(P) | Bit(AD);
constexpr States kSelection = Bit(N) | Bit(H) | Bit(P) | Bit(C) | Bit(HC) | Bit(CP);

const Rgba kWhite{255, 255, 255, 255};
const Rgba kClear{0, 0, 0, 0};

// Draws one frame: into a raster of the frame's size, for an image index and a state.
using FrameFn = std::function<void(Raster&, int image, State state)>;

// A strip of images x states frames along the layout axis, in the order the engine reads it.
Raster Strip(int fw, int fh, int images, States states, Layout layout, const FrameFn& draw) {
  std::vector<State> list;
  for (int s = 0; s <= CP; ++s)
    if (states & (1u << s)) list.push_back(static_cast<State>(s));
  int n = images * static_cast<int>(list.size());
  Raster strip(layout == Layout::Horizontal ? fw * n : fw, layout == Layout::Vertical ? fh * n : fh);
  int k = 0;
  for (int image = 0; image < images; ++image)
    for (State s : list) {
      Raster frame(fw, fh);
      draw(frame, image, s);
      strip.Put(frame, layout == Layout::Horizontal ? k * fw : 0, layout == Layout::Vertical ? k * fh : 0);
      ++k;
    }
  return strip;
}

Rect Uniform(int v) { return {v, v, v, v}; }

// The look of one skin: faces for the states, and the glyphs.
class Look {
 public:
  explicit Look(const Description& d) : d_(d), p_(d.palette) {}

  struct Face {
    Rgba top, bottom, border;
    double highlight;
  };

  Rgba Mid() const { return Mix(p_.faceLight, p_.faceDark, 0.5); }
  Rgba Top() const { return Mix(Mid(), p_.faceLight, d_.gradient); }
  Rgba Bottom() const { return Mix(Mid(), p_.faceDark, d_.gradient); }

  // The face of a button-like element in a state; tint mixes in the accent (checked, selected).
  Face ButtonFace(State s, double tint = 0) const {
    Face f{Mix(Top(), p_.accent, tint), Mix(Bottom(), p_.accent, tint), p_.border, d_.highlight};
    switch (s) {
      case H:
      case HC:
        f.top = Mix(Lighten(f.top, d_.hotLighten), p_.accent, d_.hotTint);
        f.bottom = Mix(Lighten(f.bottom, d_.hotLighten), p_.accent, d_.hotTint);
        f.border = p_.accent;
        break;
      case P:
      case CP:
        f = {Mix(Darken(f.bottom, d_.pressedDarken), p_.accent, 0.8 * d_.hotTint),
             Mix(Darken(f.top, d_.pressedDarken), p_.accent, 0.8 * d_.hotTint),
             Darken(p_.border, 0.15), 0};
        break;
      case D:
      case AD:
        f.top = Mix(Desaturate(f.top, 0.8), p_.window, 0.4), f.bottom = Mix(Desaturate(f.bottom, 0.8), p_.window, 0.4);
        f.border = Mix(p_.border, p_.window, 0.5), f.highlight = 0;
        break;
      case A: f.border = p_.accent; break;
      case C: f.border = Mix(p_.border, p_.accent, 0.5); break;
      default: break;
    }
    return f;
  }

  // A rounded face filling the frame, optionally with some corners square (for tabs).
  void DrawFace(Raster& r, const Face& f, double radius, bool openBottom = false) const {
    double w = r.Width(), h = r.Height() + (openBottom ? radius + 1 : 0);
    FillRoundRect(r, 0, 0, w, h, radius, f.top, f.bottom);
    StrokeRoundRect(r, 0, 0, w, h, radius, 1, f.border);
    if (f.highlight > 0 && r.Height() > 4)
      r.FillShape(
          1 + radius * 0.5, 1, w - 1 - radius * 0.5, 2, [&](double x, double) { return x > 1 + radius * 0.5 && x < w - 1 - radius * 0.5; },
          [&](int, int) { return WithAlpha(kWhite, static_cast<std::uint8_t>(std::lround(f.highlight * 160))); });
  }
  void Button(Raster& r, State s, double tint = 0) const { DrawFace(r, ButtonFace(s, tint), d_.radius); }

  // An opaque square face: gradient, 1-pixel border on the sides asked for.
  void Flat(Raster& r, Rgba top, Rgba bottom, Rgba border, bool l, bool t, bool rt, bool b) const {
    for (int y = 0; y < r.Height(); ++y)
      r.Fill(0, y, r.Width(), y + 1, Mix(top, bottom, r.Height() > 1 ? static_cast<double>(y) / (r.Height() - 1) : 0));
    if (l) r.Fill(0, 0, 1, r.Height(), border);
    if (t) r.Fill(0, 0, r.Width(), 1, border);
    if (rt) r.Fill(r.Width() - 1, 0, r.Width(), r.Height(), border);
    if (b) r.Fill(0, r.Height() - 1, r.Width(), r.Height(), border);
  }

  Rgba GlyphColor(State s) const {
    if (s == D) return p_.disabledText;
    if (s == AD) return Mix(CaptionText(), p_.caption, 0.45);
    return p_.text;
  }
  // The box of a check box or radio button: the content colour, tinted when hot or pressed.
  Rgba BoxColor(State s) const {
    switch (s) {
      case D: return Mix(p_.content, p_.window, 0.5);
      case H: return Mix(p_.content, p_.accent, 0.25);
      case P: return Mix(p_.content, p_.selection, 0.35);
      default: return p_.content;
    }
  }
  Rgba CaptionText() const { return p_.captionText.value_or(p_.text); }
  Rgba ContentText() const { return p_.contentText.value_or(p_.text); }

  const Description& d_;
  const Palette& p_;
};

// Glyphs, centred in their frame. Arrows: 0 up, 1 down, 2 left, 3 right.
void Arrow(Raster& r, int dir, Rgba c, double size) {
  double cx = r.Width() / 2.0, cy = r.Height() / 2.0, a = size, b = size / 2;
  std::vector<Point> t;
  switch (dir) {
    case 0: t = {{cx - a, cy + b / 2 + 0.5}, {cx + a, cy + b / 2 + 0.5}, {cx, cy - b - 0.5}}; break;
    case 1: t = {{cx - a, cy - b / 2 - 0.5}, {cx + a, cy - b / 2 - 0.5}, {cx, cy + b + 0.5}}; break;
    case 2: t = {{cx + b / 2 + 0.5, cy - a}, {cx + b / 2 + 0.5, cy + a}, {cx - b - 0.5, cy}}; break;
    default: t = {{cx - b / 2 - 0.5, cy - a}, {cx - b / 2 - 0.5, cy + a}, {cx + b + 0.5, cy}}; break;
  }
  FillPolygon(r, t, c);
}

void Cross(Raster& r, Rgba c, double half, double thick) {
  double cx = r.Width() / 2.0, cy = r.Height() / 2.0;
  StrokeLine(r, {cx - half, cy - half}, {cx + half, cy + half}, thick, c);
  StrokeLine(r, {cx - half, cy + half}, {cx + half, cy - half}, thick, c);
}

void PlusMinus(Raster& r, bool plus, Rgba c, int half) {
  int cx = r.Width() / 2, cy = r.Height() / 2;
  r.BlendRect(cx - half, cy, cx + half + 1, cy + 1, c);
  if (plus) r.BlendRect(cx, cy - half, cx + 1, cy + half + 1, c);
}

void CheckMark(Raster& r, Rgba c) {
  double w = r.Width(), h = r.Height();
  StrokeLine(r, {w * 0.22, h * 0.52}, {w * 0.42, h * 0.72}, 1.8, c);
  StrokeLine(r, {w * 0.40, h * 0.72}, {w * 0.78, h * 0.28}, 1.8, c);
}

// Caption-button marks: 1 help, 2 minimize, 3 maximize, 4 restore, 5 close.
void CaptionMark(Raster& r, int kind, Rgba c) {
  int w = r.Width(), h = r.Height(), x0 = (w - 8) / 2, y0 = (h - 8) / 2;
  switch (kind) {
    case 1:
      StrokeLine(r, {x0 + 2.0, y0 + 2.5}, {x0 + 4.0, y0 + 0.5}, 1.4, c);
      StrokeLine(r, {x0 + 4.0, y0 + 0.5}, {x0 + 6.0, y0 + 2.5}, 1.4, c);
      StrokeLine(r, {x0 + 6.0, y0 + 2.5}, {x0 + 4.0, y0 + 4.5}, 1.4, c);
      StrokeLine(r, {x0 + 4.0, y0 + 4.5}, {x0 + 4.0, y0 + 5.8}, 1.4, c);
      r.BlendRect(x0 + 3, y0 + 7, x0 + 5, y0 + 9, c);
      break;
    case 2: r.BlendRect(x0, y0 + 6, x0 + 8, y0 + 8, c); break;
    case 3:
      r.BlendRect(x0, y0, x0 + 8, y0 + 2, c);
      r.BlendRect(x0, y0 + 2, x0 + 1, y0 + 8, c), r.BlendRect(x0 + 7, y0 + 2, x0 + 8, y0 + 8, c);
      r.BlendRect(x0 + 1, y0 + 7, x0 + 7, y0 + 8, c);
      break;
    case 4:
      r.BlendRect(x0 + 2, y0, x0 + 8, y0 + 2, c), r.BlendRect(x0 + 7, y0 + 2, x0 + 8, y0 + 6, c);
      r.BlendRect(x0, y0 + 3, x0 + 6, y0 + 5, c), r.BlendRect(x0, y0 + 5, x0 + 1, y0 + 8, c);
      r.BlendRect(x0 + 5, y0 + 5, x0 + 6, y0 + 8, c), r.BlendRect(x0 + 1, y0 + 7, x0 + 5, y0 + 8, c);
      break;
    default: Cross(r, c, 3.6, 1.6); break;
  }
}

void Dots(Raster& r, Rgba dark, Rgba light, bool vertical) {
  for (int k = 0; k * 4 + 2 < (vertical ? r.Height() : r.Width()) - 2; ++k) {
    int x = vertical ? r.Width() / 2 - 1 : 3 + k * 4, y = vertical ? 3 + k * 4 : r.Height() / 2 - 1;
    r.BlendRect(x + 1, y + 1, x + 3, y + 3, light);
    r.BlendRect(x, y, x + 2, y + 2, dark);
  }
}

class Builder {
 public:
  explicit Builder(const Description& d) : d_(d), look_(d), p_(d.palette) {}

  Skin Build();

 private:
  Group& G(const std::string& name) {
    skin_.groups.push_back({name, {}, {}});
    return skin_.groups.back();
  }
  Element& E(Group& g, const std::string& name) {
    g.elements.push_back({});
    g.elements.back().name = name;
    return g.elements.back();
  }
  static Image MakeImage(Raster texture, States states, Rect margins, Stretch stretch = Stretch::Stretch,
                         Layout layout = Layout::Horizontal) {
    Image i;
    i.texture = std::move(texture), i.states = states, i.margins = margins, i.stretch = stretch, i.layout = layout;
    return i;
  }
  Color Text() const { return ToColor(p_.text); }
  int Radius() const { return static_cast<int>(std::ceil(d_.radius)); }
  int FaceMargin() const { return std::max(3, Radius() + 2); }

  // Shapes shared by many elements.
  Element& ButtonLike(Group& g, const std::string& name, int w, int h, States states, int images = 1,
                      double tint = 0) {
    Element& e = E(g, name);
    e.imageCount = images;
    e.image = MakeImage(Strip(w, h, images, states, Layout::Horizontal,
                              [&](Raster& r, int, State s) { look_.Button(r, s, tint); }),
                        states, Uniform(FaceMargin()));
    e.contentOffset = {4, 3, 4, 3};
    e.textColor = Text();
    return e;
  }
  // A glyph strip of images x {N, D} (or another set), drawn unscaled and centred.
  static Image GlyphStrip(int w, int h, int images, States states, const FrameFn& draw) {
    return MakeImage(Strip(w, h, images, states, Layout::Horizontal, draw), states, {}, Stretch::NoResize);
  }
  Element& Panel(Group& g, const std::string& name, Rgba fill, bool border = true, Rect offsets = Uniform(1)) {
    Element& e = E(g, name);
    e.image = MakeImage(Strip(8, 8, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) { r.Fill(0, 0, 8, 8, fill); }),
                        Bit(N), {});
    if (border)
      for (Border& b : e.borders) b.color = ToColor(p_.border);
    e.contentOffset = offsets;
    e.textColor = Text();
    return e;
  }
  // A bar's band: a gradient across it, a line on its far side.
  Element& Band(Group& g, const std::string& name, bool vertical, States states = Bit(N)) {
    Element& e = E(g, name);
    int w = vertical ? 20 : 16, h = vertical ? 16 : 20;
    e.image = MakeImage(Strip(w, h, 1, states, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Look::Face f = look_.ButtonFace(s == N ? N : H);
                                if (vertical) {
                                  for (int x = 0; x < w; ++x)
                                    r.Fill(x, 0, x + 1, h, Mix(f.top, f.bottom, x / double(w - 1)));
                                  r.Fill(w - 1, 0, w, h, Mix(p_.border, f.bottom, 0.4));
                                } else {
                                  look_.Flat(r, f.top, f.bottom, Mix(p_.border, f.bottom, 0.4), false, false, false, true);
                                }
                              }),
                        states, Uniform(2));
    e.contentOffset = Uniform(2);
    e.textColor = Text();
    return e;
  }
  Element& Header(Group& g, const std::string& name, States states = kNHP) {
    Element& e = E(g, name);
    e.image = MakeImage(Strip(16, 20, 1, states, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Look::Face f = look_.ButtonFace(s == A ? N : s);
                                look_.Flat(r, f.top, f.bottom, p_.border, false, false, true, true);
                                if (s == A) r.Fill(0, r.Height() - 2, r.Width(), r.Height(), p_.accent);
                              }),
                        states, {1, 1, 2, 2});
    e.contentOffset = {4, 2, 4, 2};
    e.textColor = Text();
    return e;
  }
  Element& Line(Group& g, const std::string& name, bool vertical, int thickness = 2) {
    Element& e = E(g, name);
    int w = vertical ? thickness : 8, h = vertical ? 8 : thickness;
    e.image = MakeImage(Strip(w, h, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                Rgba dark = Mix(p_.border, p_.window, 0.3), light = Lighten(p_.window, 0.6);
                                if (vertical) r.Fill(0, 0, 1, h, dark), r.Fill(1, 0, w, h, light);
                                else r.Fill(0, 0, w, 1, dark), r.Fill(0, 1, w, h, light);
                              }),
                        Bit(N), {});
    e.minWidth = w, e.minHeight = h;
    return e;
  }
  // Elements of groups no console draws: a panel, a button, a header or a line, by name.
  void Shared(Group& g, const std::string& name) {
    auto has = [&](const char* s) { return name.find(s) != std::string::npos; };
    if (has("Separator") || has("Line")) Line(g, name, has("Vert"));
    else if (has("Button") || has("Arrow") || has("Glyph") || has("Grip")) ButtonLike(g, name, 16, 16, kNHPD);
    else if (has("Header") || has("Caption") || has("Tab") || has("Label")) Header(g, name, kNHP | Bit(A));
    else Panel(g, name, Mix(p_.window, p_.content, 0.5));
  }

  void Bars();
  void Common();
  void Docking();
  void Editors();
  void Ribbon();
  void Form();
  void Grid();
  void PageControl();
  void Scheduler();
  void VerticalGrid();
  void NavBar();
  void NavPane();
  void PrintingSystem();
  Raster Icon(int size) const;

  const Description& d_;
  Look look_;
  const Palette& p_;
  Skin skin_;
};

Raster Builder::Icon(int size) const {
  Raster r(size, size);
  double k = size / 16.0;
  FillRoundRect(r, 1 * k, 1 * k, 15 * k, 15 * k, 2.5 * k, look_.Top(), look_.Bottom());
  StrokeRoundRect(r, 1 * k, 1 * k, 15 * k, 15 * k, 2.5 * k, std::max(1.0, k * 0.75), p_.border);
  FillRoundRect(r, 3 * k, 3 * k, 13 * k, 7 * k, 1 * k, p_.caption, p_.caption);
  FillCircle(r, 10.5 * k, 10.5 * k, 2.2 * k, p_.accent);
  return r;
}

void Builder::Bars() {
  Group& g = G("Bars");
  auto hot = [&](Element& e) { e.properties.push_back(Property::Col("TextColorHot", Text())); };
  hot(Band(g, "Bar", false));
  for (const char* n : {"BarCustomize", "BarCustomizeVertical", "MainMenuCustomize"}) {
    bool vertical = std::string(n).find("Vertical") != std::string::npos;
    int w = vertical ? 22 : 13, h = vertical ? 13 : 22;
    Element& e = E(g, n);
    e.image = MakeImage(Strip(w, h, 1, kNHP, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                if (s != N) look_.Button(r, s);
                                Arrow(r, vertical ? 3 : 1, p_.text, 2.5);
                              }),
                        kNHP, {}, Stretch::NoResize);
    e.minWidth = w, e.minHeight = h;
  }
  for (const char* n : {"BarDragGrip", "BarDragGripVertical", "MainMenuDrag"}) {
    bool vertical = std::string(n).find("Vertical") != std::string::npos;
    int w = vertical ? 22 : 7, h = vertical ? 7 : 22;
    Element& e = E(g, n);
    e.image = MakeImage(Strip(w, h, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) { Dots(r, p_.border, Lighten(p_.faceLight, 0.5), !vertical); }),
                        Bit(N), {2, 2, 2, 2}, Stretch::Tile);
    e.minWidth = w, e.minHeight = h;
  }
  const char* mdi[] = {"MDIButtonClose", "MDIButtonMinimize", "MDIButtonRestore"};
  for (int i = 0; i < 3; ++i) {
    Element& e = ButtonLike(g, mdi[i], 16, 14, kNHPD);
    int kind = i == 0 ? 5 : i == 1 ? 2 : 4;
    e.glyph = GlyphStrip(10, 10, 1, Bit(N) | Bit(D), [&](Raster& r, int, State s) { CaptionMark(r, kind, look_.GlyphColor(s)); });
    e.contentOffset = Uniform(2);
  }
  Element& sep = Line(g, "BarSeparator", true);
  sep.minWidth = 6;
  hot(Band(g, "BarVertical", true));
  Element& sepv = Line(g, "BarSeparatorVertical", false);
  sepv.minHeight = 6;
  hot(Panel(g, "Dock", p_.window, false, {}));
  Element& fb = Panel(g, "FloatBar", p_.faceLight, true, Uniform(2));
  fb.color = ToColor(p_.caption);
  fb.textColor = ToColor(look_.CaptionText());
  hot(fb);
  Header(g, "ItemSeparator", Bit(N));
  // A sunken ring with a clear centre: the bar shows through a panel.
  {
    Element& e = E(g, "LinkStatic");
    e.image = MakeImage(Strip(8, 8, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                r.Fill(0, 0, 8, 1, Mix(p_.border, p_.faceDark, 0.3));
                                r.Fill(0, 0, 1, 8, Mix(p_.border, p_.faceDark, 0.3));
                                r.Fill(0, 7, 8, 8, Lighten(p_.faceLight, 0.5));
                                r.Fill(7, 0, 8, 8, Lighten(p_.faceLight, 0.5));
                              }),
                        Bit(N), Uniform(1));
    e.contentOffset = {3, 1, 3, 1};
  }
  hot(ButtonLike(g, "LinkSelected", 16, 16, kSelection, 1, 0.35));
  hot(Band(g, "MainMenu", false));
  hot(ButtonLike(g, "MainMenuLinkSelected", 16, 16, kSelection, 1, 0.35));
  hot(Band(g, "MainMenuVertical", true));
  hot(Panel(g, "PopupMenu", p_.window, true, Uniform(1)));
  {
    Element& e = E(g, "PopupMenuCheck");
    e.imageCount = 2;
    e.image = MakeImage(Strip(20, 20, 2, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int image, State) {
                                if (image == 1) {
                                  look_.Button(r, C, 0.35);
                                } else {
                                  Raster m(12, 12);
                                  CheckMark(m, p_.text);
                                  r.Put(m, 4, 4);
                                }
                              }),
                        Bit(N), Uniform(FaceMargin()));
  }
  {
    Element& e = E(g, "PopupMenuExpandButton");
    e.image = MakeImage(Strip(16, 12, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                Arrow(r, 1, p_.text, 3);
                              }),
                        Bit(N), {}, Stretch::NoResize);
    e.minHeight = 12;
  }
  ButtonLike(g, "PopupMenuLinkSelected", 16, 16, kNHPD, 1, 0.35);
  Element& ps = Line(g, "PopupMenuSeparator", false);
  ps.minHeight = 3;
  Band(g, "PopupMenuSideStrip", true);
  {
    Element& e = Band(g, "PopupMenuSideStripNonRecent", true);
    e.color = ToColor(p_.faceDark);
  }
  ButtonLike(g, "PopupMenuDropDownButtonLabel", 16, 16, kNHPD, 1, 0.35);
  {
    Element& e = ButtonLike(g, "PopupMenuDropDownButtonArrow", 16, 16, kNHPD, 1, 0.35);
    e.glyph = GlyphStrip(9, 9, 1, Bit(N) | Bit(D), [&](Raster& r, int, State s) { Arrow(r, 3, look_.GlyphColor(s), 3); });
  }
  {
    // The status bar: its top offset is its top border.
    Element& e = E(g, "StatusBar");
    e.image = MakeImage(Strip(16, 22, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                look_.Flat(r, look_.Top(), look_.Bottom(), p_.border, false, true, false, false);
                                r.Fill(0, 1, 16, 2, Lighten(look_.Top(), 0.5));
                              }),
                        Bit(N), {0, 2, 0, 0});
    e.contentOffset = {0, 2, 0, 0};
    e.textColor = Text();
    hot(e);
  }
  {
    Element& e = Panel(g, "ScreenTipWindow", look_.Top(), true, Uniform(4));
    e.properties.push_back(Property::Col("ScreenTipItem", Text()));
    e.properties.push_back(Property::Col("ScreenTipTitleItem", Text()));
  }
  Line(g, "ScreenTipSeparator", false);
  g.properties.push_back(Property::Col("DisabledTextColor", ToColor(p_.disabledText)));
}

void Builder::Common() {
  Group& g = G("Common");
  {
    Element& e = ButtonLike(g, "Button", 24, 22, kNHPDA);
    e.properties.push_back(Property::Col("DisabledText", ToColor(p_.disabledText)));
  }
  // The group-panel family: opaque faces with one-pixel borders.
  Panel(g, "GroupPanelNoBorder", p_.window, false, {});
  {
    Element& e = E(g, "GroupExpandButton");
    e.imageCount = 2;
    e.image = MakeImage(Strip(15, 15, 2, kNHP, Layout::Horizontal,
                              [&](Raster& r, int image, State s) {
                                look_.Button(r, s);
                                Arrow(r, image == 0 ? 0 : 1, p_.text, 3);
                              }),
                        kNHP, {}, Stretch::NoResize);
  }
  const char* sides[] = {"Top", "Bottom", "Left", "Right"};
  for (const char* side : sides) Panel(g, std::string("GroupPanel") + side, p_.window, true, Uniform(2));
  Panel(g, "GroupPanel", p_.window, true, Uniform(2));
  for (int i = 0; i < 4; ++i) {
    Element& e = Header(g, std::string("GroupPanelCaption") + sides[i], Bit(N));
    e.contentOffset = {6, 3, 6, 3};
  }
  Header(g, "Header", kNHP);
  Header(g, "HeaderSpecial", kNHP);
  {
    // Arrow buttons: images up, down, left, right; the arrows are glyphs, unscaled.
    Element& e = ButtonLike(g, "ScrollButton", 17, 17, kNHPD, 4);
    e.contentOffset = Uniform(2);
    e.glyph = GlyphStrip(9, 9, 4, Bit(N) | Bit(D), [&](Raster& r, int image, State s) { Arrow(r, image, look_.GlyphColor(s), 3); });
  }
  ButtonLike(g, "ScrollThumbVert", 17, 17, kNHPD);
  ButtonLike(g, "ScrollThumbHorz", 17, 17, kNHPD);
  for (const char* n : {"ScrollContentVert", "ScrollContentHorz"}) {
    Element& e = E(g, n);
    Rgba track = Mix(p_.window, p_.faceDark, 0.25);
    e.image = MakeImage(Strip(17, 17, 1, kNHPD, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Rgba c = s == H ? Lighten(track, 0.25) : s == P ? Darken(track, 0.15) : s == D ? Mix(track, p_.window, 0.5) : track;
                                r.Fill(0, 0, 17, 17, c);
                              }),
                        kNHPD, {});
  }
  {
    Element& e = E(g, "SizeGrip");
    e.image = MakeImage(Strip(12, 12, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                for (int row = 0; row < 3; ++row)
                                  for (int col = 2 - row; col < 3; ++col) {
                                    int x = 2 + col * 3, y = 2 + row * 3;
                                    r.BlendRect(x + 1, y + 1, x + 3, y + 3, Lighten(p_.faceLight, 0.6));
                                    r.BlendRect(x, y, x + 2, y + 2, p_.border);
                                  }
                              }),
                        Bit(N), {}, Stretch::NoResize);
  }
  for (const char* n : {"Splitter", "SplitterHorz"}) {
    bool horz = std::string(n) == "SplitterHorz";
    Element& e = E(g, n);
    int w = horz ? 24 : 6, h = horz ? 6 : 24;
    e.image = MakeImage(Strip(w, h, 1, Bit(N) | Bit(H), Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                r.Fill(0, 0, w, h, s == H ? Lighten(p_.window, 0.3) : p_.window);
                                Raster dots(w, h);
                                Dots(dots, p_.border, Lighten(p_.faceLight, 0.5), !horz);
                                for (int y = 0; y < h; ++y)
                                  for (int x = 0; x < w; ++x) r.Blend(x, y, dots.At(x, y), 1.0);
                              }),
                        Bit(N) | Bit(H), {}, Stretch::Stretch);
    e.minWidth = w, e.minHeight = h;
  }
  Element& small = E(g, "SkinIcon");
  small.image = MakeImage(Icon(16), Bit(N), {}, Stretch::NoResize);
  Element& large = E(g, "SkinIconLarge");
  large.image = MakeImage(Icon(32), Bit(N), {}, Stretch::NoResize);
}

void Builder::Docking() {
  Group& g = G("Docking");
  Panel(g, "TabHeaderBackground", p_.window, true, Uniform(2));
  Line(g, "TabHeaderLine", false);
  Panel(g, "TabHeaderAutoHideBar", p_.window, true, Uniform(2));
  ButtonLike(g, "DockWindowButton", 15, 15, kNHPD).contentOffset = Uniform(2);
  {
    // By image index: 0 pin, 1 maximize, 2 close, 3 restore, 4 minimize, 5 left, 6 the caption mark, 7 right.
    Element& e = E(g, "DockWindowButtonGlyphs");
    e.imageCount = 8;
    e.image = GlyphStrip(11, 11, 8, Bit(N) | Bit(D), [&](Raster& r, int image, State s) {
      Rgba c = look_.GlyphColor(s);
      switch (image) {
        case 0: r.BlendRect(3, 2, 8, 7, c), r.BlendRect(5, 7, 6, 10, c); break;
        case 1: CaptionMark(r, 3, c); break;
        case 2: CaptionMark(r, 5, c); break;
        case 3: CaptionMark(r, 4, c); break;
        case 4: CaptionMark(r, 2, c); break;
        case 5: Arrow(r, 2, c, 3); break;
        case 6: Arrow(r, 1, c, 3); break;
        default: Arrow(r, 3, c, 3); break;
      }
    });
  }
  Header(g, "TabHeader", kNHPD | Bit(A));
  for (const char* n : {"AutoHideBar", "AutoHideBarLeft", "AutoHideBarRight", "AutoHideBarBottom"}) Panel(g, n, p_.window, true, Uniform(1));
  {
    Element& e = E(g, "DockWindowCaption");
    e.image = MakeImage(Strip(16, 20, 1, Bit(N) | Bit(A), Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Rgba c = s == A ? p_.caption : Desaturate(p_.caption, 0.7);
                                look_.Flat(r, Lighten(c, 0.15), c, p_.border, true, true, true, true);
                              }),
                        Bit(N) | Bit(A), Uniform(1));
    e.contentOffset = {4, 2, 4, 2};
    e.textColor = ToColor(look_.CaptionText());
    e.properties.push_back(Property::Col("InactiveCaptionTextColor", ToColor(look_.CaptionText())));
  }
  Panel(g, "DockWindowBorder", p_.window, true, Uniform(1));
  g.properties.push_back(Property::Col("TabHeaderTextColor", Text()));
  g.properties.push_back(Property::Col("TabHeaderTextColorActive", Text()));
  g.properties.push_back(Property::Int("ActiveTabHeaderDownGrow", 1));
  g.properties.push_back(Property::Int("ActiveTabHeaderHGrow", 0));
  g.properties.push_back(Property::Int("ActiveTabHeaderUpGrow", 0));
}

void Builder::Editors() {
  Group& g = G("Editors");
  {
    // Unchecked, checked, grayed.
    Element& e = E(g, "Checkbox");
    e.imageCount = 3;
    e.image = MakeImage(Strip(13, 13, 3, kNHPD, Layout::Horizontal,
                              [&](Raster& r, int image, State s) {
                                Look::Face f = look_.ButtonFace(s);
                                Rgba box = look_.BoxColor(s);
                                double rad = std::min(d_.radius, 2.0);
                                FillRoundRect(r, 0, 0, 13, 13, rad, box, box);
                                StrokeRoundRect(r, 0, 0, 13, 13, rad, 1, s == N ? p_.border : f.border);
                                Rgba mark = s == D ? p_.disabledText : look_.ContentText();
                                if (image == 1) CheckMark(r, mark);
                                if (image == 2) r.BlendRect(3, 3, 10, 10, Mix(mark, box, 0.45));
                              }),
                        kNHPD, {}, Stretch::NoResize);
  }
  {
    Element& e = E(g, "ClockFace");
    e.image = MakeImage(Strip(64, 64, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                FillCircle(r, 32, 32, 31, p_.border);
                                FillCircle(r, 32, 32, 29.5, p_.content);
                                for (int k = 0; k < 12; ++k) {
                                  double a = k * 3.14159265358979 / 6;
                                  StrokeLine(r, {32 + 24 * std::cos(a), 32 + 24 * std::sin(a)},
                                             {32 + 28 * std::cos(a), 32 + 28 * std::sin(a)}, k % 3 ? 1.0 : 2.0, look_.ContentText());
                                }
                              }),
                        Bit(N), {}, Stretch::Stretch);
    e.textColor = ToColor(look_.ContentText());  // the hands
  }
  {
    Element& e = E(g, "ClockGlass");
    e.image = MakeImage(Strip(64, 64, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) { FillCircle(r, 32, 22, 20, WithAlpha(kWhite, 40)); }),
                        Bit(N), {});
  }
  Line(g, "LabelLine", false);
  Line(g, "LabelLineVert", true);
  {
    Element& e = ButtonLike(g, "EditorButton", 17, 20, kNHPD);
    e.contentOffset = Uniform(2);
    e.properties.push_back(Property::Bool("MergeBorders", true));
  }
  {
    Element& e = ButtonLike(g, "CloseButton", 16, 16, kNHPD);
    e.contentOffset = Uniform(2);
    e.glyph = GlyphStrip(9, 9, 1, Bit(N) | Bit(D), [&](Raster& r, int, State s) { Cross(r, look_.GlyphColor(s), 2.8, 1.5); });
  }
  // Data navigator glyphs: first, previous, next, last, insert, delete; then the vertical six.
  for (int vert = 0; vert < 2; ++vert) {
    Element& e = E(g, vert ? "NavigatorVert" : "Navigator");
    e.imageCount = 6;
    e.image = GlyphStrip(11, 11, 6, Bit(N), [&](Raster& r, int image, State) {
      int back = vert ? 0 : 2, fwd = vert ? 1 : 3;
      switch (image) {
        case 0: Arrow(r, back, p_.text, 3), r.BlendRect(vert ? 2 : 2, vert ? 2 : 2, vert ? 9 : 3, vert ? 3 : 9, p_.text); break;
        case 1: Arrow(r, back, p_.text, 3); break;
        case 2: Arrow(r, fwd, p_.text, 3); break;
        case 3: Arrow(r, fwd, p_.text, 3), r.BlendRect(vert ? 2 : 8, vert ? 8 : 2, vert ? 9 : 9, vert ? 9 : 9, p_.text); break;
        case 4: PlusMinus(r, true, p_.text, 3); break;
        default: PlusMinus(r, false, p_.text, 3); break;
      }
    });
  }
  for (const char* n : {"ProgressBorder", "ProgressBorderVert"}) Panel(g, n, p_.content, true, Uniform(2));
  for (const char* n : {"ProgressChunk", "ProgressChunkVert"}) {
    bool vert = std::string(n).ends_with("Vert");
    Element& e = E(g, n);
    e.image = MakeImage(Strip(12, 12, 1, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int, State) {
                                for (int k = 0; k < 12; ++k) {
                                  Rgba c = Mix(Lighten(p_.accent, 0.35), p_.accent, k / 11.0);
                                  vert ? r.Fill(k, 0, k + 1, 12, c) : r.Fill(0, k, 12, k + 1, c);
                                }
                              }),
                        Bit(N), {});
  }
  {
    Element& e = E(g, "RadioButton");
    e.imageCount = 2;
    e.image = MakeImage(Strip(13, 13, 2, kNHPD, Layout::Horizontal,
                              [&](Raster& r, int image, State s) {
                                Look::Face f = look_.ButtonFace(s);
                                Rgba box = look_.BoxColor(s);
                                FillCircle(r, 6.5, 6.5, 6.5, s == N ? p_.border : f.border);
                                FillCircle(r, 6.5, 6.5, 5.5, box);
                                if (image == 1) FillCircle(r, 6.5, 6.5, 2.6, s == D ? p_.disabledText : look_.ContentText());
                              }),
                        kNHPD, {}, Stretch::NoResize);
  }
  // Track grooves: 0 enabled, 1 selection, 2 disabled, 3 disabled selection; the thickness is
  // the image height of the horizontal one.
  for (int vert = 0; vert < 2; ++vert) {
    Element& e = E(g, vert ? "TrackBarTrackVert" : "TrackBarTrack");
    e.imageCount = 4;
    int w = vert ? 5 : 12, h = vert ? 12 : 5;
    e.image = MakeImage(Strip(w, h, 4, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int image, State) {
                                // The selected part must stand out from the groove: an accent as light
                                // as the groove (white accents) gives way to the selection colour.
                                Rgba mark = Contrast(p_.accent, p_.content) >= 1.5 ? p_.accent : p_.selection;
                                Rgba fill = image == 1 ? mark : image == 3 ? Mix(mark, p_.window, 0.6) : image == 2 ? Mix(p_.content, p_.window, 0.5) : p_.content;
                                Rgba border = image >= 2 ? Mix(p_.border, p_.window, 0.5) : p_.border;
                                FillRoundRect(r, 0, 0, w, h, 2, fill, fill);
                                StrokeRoundRect(r, 0, 0, w, h, 2, 1, border);
                              }),
                        Bit(N), Uniform(2));
  }
  // Thumbs: pointing down (plain), up, both (rectangular); the same turned for vertical bars.
  const char* thumbs[] = {"TrackBarThumb", "TrackBarThumbUp", "TrackBarThumbBoth", "TrackBarThumbVert", "TrackBarThumbVertUp", "TrackBarThumbVertBoth"};
  for (int i = 0; i < 6; ++i) {
    bool vert = i >= 3;
    int shape = i % 3, w = vert ? 19 : 11, h = vert ? 11 : 19;
    Element& e = E(g, thumbs[i]);
    e.image = MakeImage(Strip(w, h, 1, kNHPD, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Look::Face f = look_.ButtonFace(s);
                                if (s == P) f.border = Darken(p_.accent, 0.3);  // the thumb being dragged
                                double W = w, Hh = h, t = 5;
                                std::vector<Point> poly;
                                if (!vert) {
                                  if (shape == 0) poly = {{W / 2, 0}, {W, t}, {W, Hh}, {0, Hh}, {0, t}};
                                  else if (shape == 1) poly = {{0, 0}, {W, 0}, {W, Hh - t}, {W / 2, Hh}, {0, Hh - t}};
                                  else poly = {{0, 0}, {W, 0}, {W, Hh}, {0, Hh}};
                                } else {
                                  if (shape == 0) poly = {{0, Hh / 2}, {t, 0}, {W, 0}, {W, Hh}, {t, Hh}};
                                  else if (shape == 1) poly = {{0, 0}, {W - t, 0}, {W, Hh / 2}, {W - t, Hh}, {0, Hh}};
                                  else poly = {{0, 0}, {W, 0}, {W, Hh}, {0, Hh}};
                                }
                                FillPolygon(r, poly, f.border);
                                // The inside, one pixel in.
                                std::vector<Point> in;
                                double cx = W / 2, cy = Hh / 2;
                                for (Point q : poly) in.push_back({q.x + (q.x < cx ? 1.2 : q.x > cx ? -1.2 : 0), q.y + (q.y < cy ? 1.2 : q.y > cy ? -1.2 : 0)});
                                Raster inner(w, h);
                                FillPolygon(inner, in, kWhite);
                                for (int y = 0; y < h; ++y)
                                  for (int x = 0; x < w; ++x)
                                    if (inner.At(x, y).a) r.Blend(x, y, Mix(f.top, f.bottom, y / (Hh - 1)), inner.At(x, y).a / 255.0);
                              }),
                        kNHPD, {}, Stretch::NoResize);
  }
  // Button glyphs: drawn unscaled in the button's glyph area, the same in every state.
  struct GlyphSpec {
    const char* name;
    int dir;
  } glyphs[] = {{"ComboButtonGlyph", 1}, {"SpinUpGlyph", 0}, {"SpinDownGlyph", 1}, {"SpinLeftGlyph", 2}, {"SpinRightGlyph", 3}};
  for (const GlyphSpec& gs : glyphs) {
    Element& e = E(g, gs.name);
    bool spin = std::string(gs.name).starts_with("Spin");
    int w = 9, h = spin ? 5 : 7;
    if (gs.dir >= 2) std::swap(w, h);
    e.glyph = GlyphStrip(w, h, 1, Bit(N), [&](Raster& r, int, State) { Arrow(r, gs.dir, p_.text, spin ? 3 : 3.5); });
  }
  auto col = [&](const char* n, Rgba c) { g.properties.push_back(Property::Col(n, ToColor(c))); };
  const char* calc[] = {"CalcEditEditingOperationTextColor", "CalcEditMemoryOperationTextColor", "CalcEditDigitTextColor",
                        "CalcEditArithmeticOperationTextColor", "CalcEditScientificOperationTextColor"};
  for (const char* n : calc) col(n, p_.text);
  col("CalendarDayTextColor", look_.ContentText());
  col("CalendarHolidayTextColor", Mix(look_.ContentText(), Rgba{200, 0, 0, 255}, 0.7));
  col("CalendarInactiveDayTextColor", p_.disabledText);
  col("CalendarSelectedDayTextColor", Contrast(kWhite, p_.selection) >= 4.5 ? kWhite : Rgba{0, 0, 0, 255});
  col("CalendarSelectedDayColor", p_.selection);
  col("CalendarSeparatorColor", p_.border);
  col("CalendarTodayFrameColor", p_.accent);
  col("CalendarTodayTextColor", look_.ContentText());
  col("ProgressBarEmptyTextColor", look_.ContentText());
  col("ProgressBarFilledTextColor", Contrast(kWhite, p_.accent) >= Contrast(look_.ContentText(), p_.accent) ? kWhite : look_.ContentText());
  col("HyperLinkTextColor", Mix(p_.selection, look_.ContentText(), 0.2));
  col("TextColor", look_.ContentText());
  col("TextDisabledColor", p_.disabledText);
  col("TextInactiveColor", look_.ContentText());
  col("TextReadOnlyColor", look_.ContentText());
  col("BackgroundColor", p_.content);
  col("BackgroundDisabledColor", Mix(p_.content, p_.window, 0.6));
  col("BackgroundInactiveColor", p_.content);
  col("BackgroundReadOnlyColor", Mix(p_.content, p_.window, 0.3));
}

void Builder::Form() {
  Group& g = G("Form");
  {
    // The window background: a colour, no image.
    Element& e = E(g, "FormContent");
    e.color = ToColor(p_.window);
    e.textColor = Text();
  }
  // Frames as wide as the bottom frame is high; opaque, the caption colour between two lines.
  const int kFrame = 4;
  auto frameColour = [&](State s, int k) {
    Rgba c = s == AD ? Mix(Desaturate(p_.caption, 0.7), p_.window, 0.3) : p_.caption;
    Rgba ramp[kFrame] = {Darken(p_.border, s == AD ? 0 : 0.1), Lighten(c, 0.25), c, Darken(c, 0.12)};
    return ramp[k];
  };
  for (int side = 0; side < 3; ++side) {
    const char* names[] = {"FormFrameLeft", "FormFrameRight", "FormFrameBottom"};
    Element& e = E(g, names[side]);
    int w = side == 2 ? 20 : kFrame, h = side == 2 ? kFrame : 20;
    e.image = MakeImage(Strip(w, h, 1, kActive, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                for (int k = 0; k < kFrame; ++k) {
                                  if (side == 0) r.Fill(k, 0, k + 1, h, frameColour(s, k));
                                  if (side == 1) r.Fill(w - 1 - k, 0, w - k, h, frameColour(s, k));
                                  if (side == 2) {
                                    r.Fill(k, 0, w - k, h - k, frameColour(s, k));
                                    r.Fill(0, h - 1 - k, w, h - k, frameColour(s, k));
                                    r.Fill(k, 0, k + 1, h - k, frameColour(s, k));
                                    r.Fill(w - 1 - k, 0, w - k, h - k, frameColour(s, k));
                                  }
                                }
                              }),
                        kActive, side == 2 ? Rect{kFrame, 0, kFrame, 0} : Rect{});
  }
  for (int small = 0; small < 2; ++small) {
    Element& e = E(g, small ? "SmallFormCaption" : "FormCaption");
    int w = 40, h = small ? 20 : 26;
    e.image = MakeImage(Strip(w, h, 1, kActive, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Rgba c = s == AD ? Mix(Desaturate(p_.caption, 0.7), p_.window, 0.3) : p_.caption;
                                double gradient = s == AD ? d_.gradient / 2 : d_.gradient;
                                look_.Flat(r, Mix(c, Lighten(c, 0.3), gradient), Mix(c, Darken(c, 0.2), gradient),
                                           Darken(p_.border, s == AD ? 0 : 0.1), true, true, true, false);
                                if (d_.highlight > 0) r.BlendRect(1, 1, w - 1, 2, WithAlpha(kWhite, static_cast<std::uint8_t>(d_.highlight * 120)));
                              }),
                        kActive, {kFrame, 3, kFrame, 1});
    e.contentOffset = {kFrame, small ? 2 : 3, kFrame, small ? 2 : 3};
    e.textColor = ToColor(look_.CaptionText());
    if (!small) e.properties.push_back(Property::Int("FontDelta", 1));
  }
  // Caption buttons: clear until hot; the mark is a glyph, unscaled.
  struct ButtonSpec {
    const char* name;
    int kind, w, h;
  } buttons[] = {{"FormButtonHelp", 1, 22, 18},     {"FormButtonMinimize", 2, 22, 18}, {"FormButtonMaximize", 3, 22, 18},
                 {"FormButtonRestore", 4, 22, 18},  {"FormButtonClose", 5, 28, 18},    {"SmallFormButtonClose", 5, 18, 14}};
  for (const ButtonSpec& b : buttons) {
    Element& e = E(g, b.name);
    Rgba hotTint = b.kind == 5 ? Rgba{200, 60, 50, 255} : p_.accent;
    e.image = MakeImage(Strip(b.w, b.h, 1, kCaptionButton, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                if (s == N || s == AD) return;
                                Rgba c = s == H ? Mix(p_.caption, hotTint, 0.55) : Darken(Mix(p_.caption, hotTint, 0.55), 0.35);
                                FillRoundRect(r, 0, 0, b.w, b.h, std::min(d_.radius, 3.0), Lighten(c, 0.15), c);
                                StrokeRoundRect(r, 0, 0, b.w, b.h, std::min(d_.radius, 3.0), 1, Darken(c, 0.3));
                              }),
                        kCaptionButton, Uniform(FaceMargin()));
    e.minWidth = b.w, e.minHeight = b.h;
    e.glyph = GlyphStrip(12, 12, 1, Bit(N) | Bit(H) | Bit(AD), [&](Raster& r, int, State s) {
      Rgba c = s == AD ? look_.GlyphColor(AD) : s == H && b.kind == 5 ? kWhite : look_.CaptionText();
      CaptionMark(r, b.kind, c);
    });
    e.contentOffset = Uniform(1);
  }
  g.properties.push_back(Property::Col("TextColorInactive", ToColor(Mix(look_.CaptionText(), p_.caption, 0.2))));
  g.properties.push_back(Property::Col("TextShadowColor", p_.captionShadow ? ToColor(*p_.captionShadow) : kNone));
}

void Builder::PageControl() {
  Group& g = G("PageControl");
  {
    // Tabs: N, H, P (the selected tab, merging into the pane), D; open at the bottom.
    Element& e = E(g, "TabHeader");
    e.image = MakeImage(Strip(24, 22, 1, kNHPD, Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                Look::Face f = look_.ButtonFace(s);
                                if (s == P) f = {Mix(p_.window, p_.accent, 0.3), p_.window, p_.border, d_.highlight};
                                look_.DrawFace(r, f, d_.radius, true);
                                if (s == P) r.BlendRect(Radius() / 2 + 1, 0, r.Width() - Radius() / 2 - 1, 2, p_.accent);
                              }),
                        kNHPD, {FaceMargin(), FaceMargin(), FaceMargin(), 1});
    e.contentOffset = {6, 3, 6, 3};
    e.textColor = Text();
    e.properties.push_back(Property::Col("TextColor", Text()));
    e.properties.push_back(Property::Col("TextColorSelected", Text()));
    e.properties.push_back(Property::Col("TextColorDisabled", ToColor(p_.disabledText)));
    e.properties.push_back(Property::Col("TextColorHot", Text()));
  }
  // Navigator buttons, by image: horizontal close, right, left, go; vertical down, go, close, up.
  const int horz[] = {-1, 3, 2, 1}, vert[] = {1, 3, -1, 0};
  for (int v = 0; v < 2; ++v) {
    Element& e = ButtonLike(g, v ? "TabButtonVert" : "TabButtonHorz", 16, 16, kNHPD, 4);
    e.contentOffset = Uniform(2);
    e.glyph = GlyphStrip(10, 10, 4, Bit(N) | Bit(D), [&](Raster& r, int image, State s) {
      int dir = (v ? vert : horz)[image];
      if (dir < 0) Cross(r, look_.GlyphColor(s), 2.8, 1.5);
      else Arrow(r, dir, look_.GlyphColor(s), 3);
    });
  }
  {
    Element& e = ButtonLike(g, "TabHeaderCloseButton", 13, 13, kNHPD);
    e.contentOffset = Uniform(1);
    e.minWidth = 13, e.minHeight = 13;
    e.glyph = GlyphStrip(9, 9, 1, Bit(N) | Bit(D), [&](Raster& r, int, State s) { Cross(r, look_.GlyphColor(s), 2.5, 1.4); });
  }
  Panel(g, "TabPane", p_.window, true, Uniform(2));
  const std::pair<const char*, int> ints[] = {{"RowIndentFar", 3},           {"RowIndentNear", 3},
                                              {"SelectedHeaderDownGrow", 1}, {"SelectedHeaderHGrow", 2},
                                              {"SelectedHeaderUpGrow", 2},   {"HeaderDownGrow", 0},
                                              {"HeaderDownGrowBottomRight", 0}, {"SelectedHeaderDownGrowBottomRight", 0}};
  for (const auto& [n, v] : ints) g.properties.push_back(Property::Int(n, v));
}

void Builder::Grid() {
  Group& g = G("Grid");
  {
    // 0 plus (collapsed), 1 minus (expanded).
    Element& e = E(g, "PlusMinus");
    e.imageCount = 2;
    e.image = MakeImage(Strip(9, 9, 2, Bit(N), Layout::Horizontal,
                              [&](Raster& r, int image, State) {
                                look_.Flat(r, p_.content, Mix(p_.content, p_.faceDark, 0.3), p_.border, true, true, true, true);
                                PlusMinus(r, image == 0, look_.ContentText(), 2);
                              }),
                        Bit(N), {}, Stretch::NoResize);
  }
  Panel(g, "FooterCell", p_.content, true, Uniform(1));
  Panel(g, "FooterPanel", Mix(p_.window, p_.faceDark, 0.2), true, Uniform(2));
  Line(g, "GridFixedLine", false).color = ToColor(p_.border);
  Line(g, "CardSeparator", false).color = ToColor(p_.border);
  Panel(g, "GridGroupPanel", p_.window, true, Uniform(2));
  {
    Element& e = Header(g, "GroupRow", Bit(N));
    e.color = ToColor(p_.window);
    e.properties.push_back(Property::Col("Office11ContentColor", ToColor(p_.window)));
    e.properties.push_back(Property::Col("Office11SeparatorColor", ToColor(p_.border)));
    e.properties.push_back(Property::Col("Office11TextColor", Text()));
  }
  Line(g, "GridLine", false).color = ToColor(Mix(p_.border, p_.content, 0.5));
  {
    // Indicator glyphs: 0 current row, 1 editing, 2 customize.
    Element& e = E(g, "IndicatorImages");
    e.imageCount = 3;
    e.image = GlyphStrip(9, 9, 3, Bit(N), [&](Raster& r, int image, State) {
      if (image == 0) Arrow(r, 3, p_.text, 3);
      else if (image == 1) StrokeLine(r, {2, 7}, {7, 2}, 1.6, p_.text);
      else PlusMinus(r, true, p_.text, 3);
    });
  }
  ButtonLike(g, "FilterButton", 13, 13, kNHPD);
  ButtonLike(g, "FilterButtonActive", 13, 13, kNHPD, 1, 0.4);
  Panel(g, "GridFilterPanel", p_.window, true, Uniform(2));
  Panel(g, "LayoutViewItem", p_.content, true, Uniform(2));
  {
    Element& e = E(g, "LayoutViewRecordExpandButton");
    e.imageCount = 2;
    e.image = MakeImage(Strip(13, 13, 2, kNHP, Layout::Horizontal,
                              [&](Raster& r, int image, State s) {
                                look_.Button(r, s);
                                Arrow(r, image == 0 ? 0 : 1, p_.text, 3);
                              }),
                        kNHP, {}, Stretch::NoResize);
  }
  for (const char* n : {"LayoutViewRecordTop", "LayoutViewRecordBottom", "LayoutViewRecordLeft", "LayoutViewRecordRight", "LayoutViewRecord"})
    Panel(g, n, p_.content, true, Uniform(2));
  for (const char* n : {"LayoutViewRecordCaptionTop", "LayoutViewRecordCaptionBottom", "LayoutViewRecordCaptionLeft", "LayoutViewRecordCaptionRight"})
    Header(g, n, Bit(N) | Bit(A));
  const char* kinds[] = {"LayoutViewGroup", "LayoutViewGroupWithoutBorders", "LayoutViewTabbedGroup", "LayoutViewRootGroup",
                         "LayoutViewRootGroupWithoutBorders", "LayoutViewItem"};
  for (const char* k : kinds) g.properties.push_back(Property::Rectangle(std::string(k) + "Padding", Uniform(4)));
  for (const char* k : kinds) g.properties.push_back(Property::Rectangle(std::string(k) + "Spacing", Uniform(2)));
}

void Builder::NavBar() {
  Group& g = G("NavBar");
  for (const char* n : {"Background", "GroupClient", "Item", "GroupHeader", "GroupCloseButton", "GroupOpenButton"}) Shared(g, n);
}

void Builder::NavPane() {
  Group& g = G("NavPane");
  for (const char* n : {"CollapseButton", "CollapsedGroupClient", "ExpandButton", "PopupBorder", "PopupSizeGrip", "GroupButton",
                        "GroupButtonSelected", "Caption", "Splitter", "ScrollUpButton", "ScrollDownButton", "OverflowPanel",
                        "OverflowPanelItem", "OverflowPanelExpandItem", "GroupClient", "Item", "ItemSelected"})
    Shared(g, n);
  Element* caption = g.Find("Caption");
  caption->properties.push_back(Property::Int("Height", 24));
  caption->properties.push_back(Property::Int("FontSize", 10));
  g.properties.push_back(Property::Bool("OverlapGroupBorders", false));
}

void Builder::Ribbon() {
  Group& g = G("Ribbon");
  for (const char* n :
       {"AppMenuBackground", "FormAppButton", "FormAppButton2010", "AppMenuBackgroundBottom", "AppMenuBackgroundTop",
        "AppMenuExtraPanePinButtonGlyph", "AppMenuExtraPaneButton", "BackstageViewBackground", "BackstageViewMenuBackground",
        "BackstageViewMenuButton", "BackstageViewTabHeader", "BackstageViewTopLine", "TabGroupCollapsed", "TabGroupCollapsedBox",
        "FormCaption", "FormFrameBottom", "DialogFrameBottom", "FormFrameLeft", "DialogFrameLeft", "FormFrameRight",
        "DialogFrameRight", "MinimizeButtonGlyph", "Tab", "TabPanel", "TabGroupButton", "TabSeparatorLine", "TabGroup",
        "TabGroupCaption", "TabGroupItemsSeparator", "DropDownGalleryBackground", "InRibbonGalleryButtonDown",
        "InRibbonGalleryButtonDropDown", "InRibbonGalleryButtonUp", "DropDownGalleryGroupHeader", "InRibbonGalleryPane",
        "DropDownGallerySizePanel", "DropDownGallerySizeGrip", "TabBackground", "TabBackgroundOnGlass", "Button",
        "SplitButtonLeft", "SplitButtonRight", "KeyTip", "LargeButton", "LargeSplitButtonTop", "LargeSplitButtonBottom",
        "ButtonArrow", "ButtonGroup", "StatusBarBackground", "StatusBarButton", "StatusBarSeparator", "QATInRibbonBackground",
        "QATAboveBackground", "QATBelowBackground", "QATButtonGlyph", "QATOverflow", "QATCustomizeButton", "ButtonGroupButton",
        "ButtonGroupSeparator", "TabGroupLeftScrollButton", "TabGroupRightScrollButton", "ContextualTabLabel",
        "ContextualTabLabelOnGlass", "ContextualTabSeparator", "ContextualTabHeader", "ContextualTabPanel"})
    Shared(g, n);
  auto el = [&](const char* n) { return g.Find(n); };
  el("ContextualTabLabel")->properties.push_back(Property::Col("TextShadowColor", kNone));
  for (const char* n : {"QATAboveBackground", "QATInRibbonBackground"}) {
    el(n)->properties.push_back(Property::Bool("DisplayCustomizeButtonOutsideQAT", false));
    el(n)->properties.push_back(Property::Int("IndentBeforeCustomizeButton", 2));
  }
  Element* caption = el("FormCaption");
  caption->properties.push_back(Property::Int("FontDelta", 1));
  caption->properties.push_back(Property::Col("TextColorInactive", ToColor(p_.disabledText)));
  caption->properties.push_back(Property::Col("DocumentNameTextColor", Text()));
  for (const char* n : {"Tab", "ContextualTabHeader"}) {
    el(n)->properties.push_back(Property::Col("TextColorHot", Text()));
    el(n)->properties.push_back(Property::Col("TextColorSelected", Text()));
  }
  Element* sb = el("StatusBarButton");
  sb->properties.push_back(Property::Col("TextColor", Text()));
  sb->properties.push_back(Property::Col("TextColorHot", Text()));
  sb->properties.push_back(Property::Col("TextColorDisabled", ToColor(p_.disabledText)));
  g.properties.push_back(Property::Int("SpaceBetweenTabGroups", 2));
  g.properties.push_back(Property::Int("TabHeaderDownGrow", 0));
  g.properties.push_back(Property::Bool("TabAeroSupport", false));
  g.properties.push_back(Property::Col("EditorBackground", ToColor(p_.content)));
  g.properties.push_back(Property::Col("AppMenuExtraPaneColor", ToColor(p_.window)));
  g.properties.push_back(Property::Col("AppMenuExtraPaneHeaderSeparator", ToColor(p_.border)));
  g.properties.push_back(Property::Col("ButtonDisabled", ToColor(p_.disabledText)));
}

void Builder::Scheduler() {
  Group& g = G("Scheduler");
  for (const char* n : {"TimeGridHeader", "TimeGridHeaderSelected", "DefaultTimeLine", "Ruler", "MoreButton", "AppointmentRightBorder",
                        "Appointment", "AllDayArea", "AllDayAreaSelected", "CurrentTimeIndicator", "AppointmentBottomShadow",
                        "AppointmentRightShadow", "AppointmentMask", "NavButtonPrev", "NavButtonNext", "NavButtonPrevArrow",
                        "NavButtonNextArrow", "TimeGridCurrentTimeIndicator"})
    Shared(g, n);
  Element* a = g.Find("Appointment");
  a->properties.push_back(Property::Int("BorderSize", 1));
  a->properties.push_back(Property::Col("SeparatorColor", ToColor(p_.border)));
  g.Find("Ruler")->color = ToColor(p_.window);
  g.properties.push_back(Property::Col("NavigatorColor", ToColor(p_.window)));
}

void Builder::VerticalGrid() {
  Group& g = G("VerticalGrid");
  Header(g, "Category", Bit(N)).color = ToColor(p_.window);
  Line(g, "GridLine", false).color = ToColor(Mix(p_.border, p_.content, 0.5));
  Line(g, "BandBorder", true).color = ToColor(p_.border);
  Header(g, "RowHeader", Bit(N)).color = ToColor(p_.window);
}

void Builder::PrintingSystem() {
  Group& g = G("PrintingSystem");
  {
    Element& e = E(g, "PageBorder");
    e.image = MakeImage(Strip(12, 12, 1, Bit(N) | Bit(A), Layout::Horizontal,
                              [&](Raster& r, int, State s) {
                                r.Fill(0, 0, 12, 12, Darken(p_.window, 0.2));
                                r.Fill(0, 0, 10, 10, s == A ? p_.accent : p_.border);
                                r.Fill(1, 1, 9, 9, kWhite);
                              }),
                        Bit(N) | Bit(A), {2, 2, 3, 3});
    e.contentOffset = {1, 1, 3, 3};
  }
  Panel(g, "PreviewBackground", Darken(p_.window, 0.15), false, {});
}

Skin Builder::Build() {
  skin_.name = d_.streamName;
  const std::pair<const char*, Rgba> colours[] = {
      {"ContainerBorderColor", p_.border},
      {"ContainerHighlightBorderColor", p_.accent},
      {"ContentColor", p_.content},
      {"ContentEvenColor", p_.content},
      {"ContentOddColor", Mix(p_.content, p_.window, 0.35)},
      {"ContentTextColor", look_.ContentText()},
      {"DockControlHiddenBarTextColor", p_.text},
      {"DockControlHiddenBarTextHotColor", p_.text},
      {"HeaderBackgroundColor", p_.window},
      {"HeaderBackgroundTextColor", p_.text},
      {"LayoutControlColor", p_.window},
      {"SelectionColor", p_.selection},
      {"SelectionTextColor", Contrast(kWhite, p_.selection) >= Contrast(look_.ContentText(), p_.selection) ? kWhite : look_.ContentText()},
  };
  for (const auto& [n, c] : colours) skin_.colors.emplace_back(n, ToColor(c));
  skin_.properties.push_back(Property::Wide("DisplayName", d_.displayName));
  if (!d_.groupName.empty()) skin_.properties.push_back(Property::Str("SkinGroupName", d_.groupName));
  // Groups are reserved up front: elements are added through references into the vector.
  skin_.groups.reserve(13);
  Bars();
  Common();
  Docking();
  Editors();
  Ribbon();
  Form();
  Grid();
  PageControl();
  Scheduler();
  VerticalGrid();
  NavBar();
  NavPane();
  PrintingSystem();
  return std::move(skin_);
}

// The lowest contrast between a text colour and the face pixels under the content area of a
// frame (translucent pixels taken over the window background).
double FaceContrast(const Element& e, const Palette& p, int image, State s, Color text, Rgba* worst) {
  const Image& im = e.image;
  int fw = im.FrameWidth(e.imageCount), fh = im.FrameHeight(e.imageCount);
  int index = 0, k = 0;
  for (int o = 0; o <= CP; ++o)
    if (im.states & (1u << o)) {
      if (o == s) index = k;
      ++k;
    }
  int ox = (image * im.StateCount() + index) * fw;
  double lowest = 100;
  int x = ox + fw / 2;
  for (int y = std::max(0, e.contentOffset.top); y < fh - std::max(0, e.contentOffset.bottom); ++y) {
    Rgba px = im.texture.At(x, y);
    Rgba on = Mix(p.window, WithAlpha(px, 255), px.a / 255.0);
    double c = Contrast(FromColor(text), on);
    if (c < lowest) lowest = c, *worst = on;
  }
  return lowest;
}

Color PropertyColor(const Element& e, const std::string& name) {
  for (const Property& p : e.properties)
    if (p.name == name) return p.color;
  return kDefault;
}

}  // namespace

Skin BuildSkin(const Description& description) { return Builder(description).Build(); }

Raster DefaultSkinIcon(int size) {
  Description d;
  d.palette.faceLight = {236, 236, 236, 255}, d.palette.faceDark = {200, 200, 200, 255};
  d.palette.border = {128, 128, 128, 255}, d.palette.caption = {150, 160, 175, 255}, d.palette.accent = {90, 110, 140, 255};
  Raster r(size, size);
  double k = size / 16.0;
  FillRoundRect(r, 1 * k, 1 * k, 15 * k, 15 * k, 2.5 * k, d.palette.faceLight, d.palette.faceDark);
  StrokeRoundRect(r, 1 * k, 1 * k, 15 * k, 15 * k, 2.5 * k, std::max(1.0, k * 0.75), d.palette.border);
  for (int i = 0; i < 3; ++i) FillRoundRect(r, (3 + i * 3.5) * k, 4 * k, (5.5 + i * 3.5) * k, 12 * k, 0.8 * k, d.palette.accent, d.palette.caption);
  return r;
}

std::vector<TextOnFace> PoorContrast(const Skin& skin, double minimum) {
  std::vector<TextOnFace> poor;
  // The palette's window colour is the form's content colour.
  Palette p;
  const Group* form = skin.FindGroup("Form");
  p.window = FromColor(form->Find("FormContent")->color);
  auto check = [&](const std::string& what, const Element& e, int image, State s, Color text) {
    Rgba worst;
    if (FaceContrast(e, p, image, s, text, &worst) < minimum) poor.push_back({what, text, worst});
  };
  const Element& button = *skin.FindGroup("Common")->Find("Button");
  for (State s : {N, H, P, A}) check("button caption", button, 0, s, button.textColor);
  const Element& caption = *form->Find("FormCaption");
  check("active caption", caption, 0, A, caption.textColor);
  for (const Property& prop : form->properties)
    if (prop.name == "TextColorInactive") check("inactive caption", caption, 0, AD, prop.color);
  const Element& tab = *skin.FindGroup("PageControl")->Find("TabHeader");
  check("tab", tab, 0, N, PropertyColor(tab, "TextColor"));
  check("hot tab", tab, 0, H, PropertyColor(tab, "TextColorHot"));
  check("selected tab", tab, 0, P, PropertyColor(tab, "TextColorSelected"));
  const Element& status = *skin.FindGroup("Bars")->Find("StatusBar");
  check("status text", status, 0, N, status.textColor);
  auto colour = [&](const char* n) {
    for (const auto& [name, c] : skin.colors)
      if (name == n) return c;
    return kDefault;
  };
  auto pair = [&](const char* what, Color text, Color face) {
    if (Contrast(FromColor(text), FromColor(face)) < minimum) poor.push_back({what, text, FromColor(face)});
  };
  pair("content text", colour("ContentTextColor"), colour("ContentColor"));
  pair("selection text", colour("SelectionTextColor"), colour("SelectionColor"));
  return poor;
}

}  // namespace skingen
