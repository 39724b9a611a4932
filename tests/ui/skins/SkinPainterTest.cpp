#include <functional>
#include <map>
#include <memory>

#include "tests/ui/foundation/Surface.h"
#include "tests/ui/skins/SkinFixture.h"
#include "ui/foundation/Geometry.h"
#include "ui/skins/SkinLookAndFeelPainter.h"

namespace {

using skintest::kFrame;
using skintest::kProbeStates;
using skintest::ProbeCode;
using skintest::ProbeSkin;
using skintest::SkinTest;
using surfacetest::Surface;

// A painter reading a table the test hands it, as the registered skins' painters read theirs.
class TProbePainter : public TdxSkinLookAndFeelPainter {
 public:
  TdxSkinLookAndFeelPainterInfo* Info = nullptr;
  TdxSkinLookAndFeelPainterInfo* SkinPainterInfo() const override { return Info; }
};

// The probe skin's elements: those the table of calls below draws.
void AddProbeElements(ProbeSkin& P) {
  P.Add("Common", "Button", 1);
  P.Add("Editors", "Checkbox", 3);
  P.Add("Editors", "RadioButton", 2);
  P.Add("Editors", "TrackBarTrack", 4);
  P.Add("Editors", "TrackBarTrackVert", 4);
  for (const char* n : {"TrackBarThumb", "TrackBarThumbUp", "TrackBarThumbBoth", "TrackBarThumbVert",
                        "TrackBarThumbVertUp", "TrackBarThumbVertBoth"})
    P.Add("Editors", n, 1);
  P.Add("Common", "ScrollButton", 4);
  for (const char* n : {"ScrollThumbVert", "ScrollThumbHorz", "ScrollContentVert", "ScrollContentHorz"})
    P.Add("Common", n, 1);
  for (const char* n : {"GroupPanelTop", "GroupPanelBottom", "GroupPanelLeft", "GroupPanelRight", "GroupPanel",
                        "GroupPanelNoBorder", "GroupPanelCaptionTop"})
    P.Add("Common", n, 1);
  P.Add("Common", "Header", 1);
  P.Add("Editors", "EditorButton", 1);
  P.Add("Editors", "CloseButton", 1);
  P.Add("Grid", "PlusMinus", 2);
}

struct Probe {
  ProbeSkin P;
  std::unique_ptr<TdxSkinLookAndFeelPainterInfo> Info;
  TProbePainter Painter;
  explicit Probe(const std::function<void(ProbeSkin&)>& Extra = nullptr) {
    AddProbeElements(P);
    if (Extra) Extra(P);
    Info = std::make_unique<TdxSkinLookAndFeelPainterInfo>(P.Skin);
    Painter.Info = Info.get();
  }
};

// The bounding box of the pixels of one colour; empty when there is none.
TRect BoxOf(Surface& S, std::uint32_t Code) {
  TRect box(S.Width, S.Height, 0, 0);
  for (int y = 0; y < S.Height; ++y)
    for (int x = 0; x < S.Width; ++x)
      if ((S.Raw(x, y) & 0xFFFFFF) == Code) {
        box.Left = std::min(box.Left, x), box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1), box.Bottom = std::max(box.Bottom, y + 1);
      }
  return RectHasNoArea(box) ? TRect() : box;
}

std::string Describe(const TRect& R) {
  return "(" + std::to_string(R.Left) + "," + std::to_string(R.Top) + "," + std::to_string(R.Right) + "," +
         std::to_string(R.Bottom) + ")";
}

// Which frame, which state, which rectangle: one painter call each, against the frame it must
// show and the rectangle that frame must fill.
TEST_F(SkinTest, PainterCallsDrawTheRightFrameInTheRightRectangle) {
  Probe probe;
  const TdxSkinLookAndFeelPainter* p = &probe.Painter;
  struct Case {
    const char* name;
    std::function<void(TcxCanvas*)> call;
    const char* element;
    int index;
    TdxSkinElementState state;
    TRect rect;
  };
  const TRect R(10, 10, 41, 33);
  std::vector<Case> cases = {
      {"button default", [&](TcxCanvas* c) { p->DrawPushButton(c, R, "", cxbsDefault, true, clDefault, clDefault, false, 0); },
       "Common/Button", 0, esActive, R},
      {"button normal", [&](TcxCanvas* c) { p->DrawPushButton(c, R, "", cxbsNormal, true, clDefault, clDefault, false, 0); },
       "Common/Button", 0, esNormal, R},
      {"button hot", [&](TcxCanvas* c) { p->DrawPushButton(c, R, "", cxbsHot, true, clDefault, clDefault, false, 0); },
       "Common/Button", 0, esHot, R},
      {"button pressed", [&](TcxCanvas* c) { p->DrawPushButton(c, R, "", cxbsPressed, true, clDefault, clDefault, false, 0); },
       "Common/Button", 0, esPressed, R},
      {"button disabled", [&](TcxCanvas* c) { p->DrawPushButton(c, R, "", cxbsDisabled, true, clDefault, clDefault, false, 0); },
       "Common/Button", 0, esDisabled, R},
      {"check unchecked", [&](TcxCanvas* c) { p->DrawCheckBox(c, R, cxbsNormal, cbsUnchecked); }, "Editors/Checkbox", 0,
       esNormal, R},
      {"check checked", [&](TcxCanvas* c) { p->DrawCheckBox(c, R, cxbsNormal, cbsChecked); }, "Editors/Checkbox", 1,
       esNormal, R},
      {"check grayed", [&](TcxCanvas* c) { p->DrawCheckBox(c, R, cxbsNormal, cbsGrayed); }, "Editors/Checkbox", 2,
       esNormal, R},
      {"check hot unchecked", [&](TcxCanvas* c) { p->DrawCheckBox(c, R, cxbsHot, cbsUnchecked); }, "Editors/Checkbox", 0,
       esHot, R},
      {"radio checked at its glyph size", [&](TcxCanvas* c) { p->DrawRadioButton(c, 12, 14, cxbsPressed, true, false, clDefault, false); },
       "Editors/RadioButton", 1, esPressed, TRect(12, 14, 12 + kFrame, 14 + kFrame)},
      {"track enabled", [&](TcxCanvas* c) { p->DrawTrackBarTrack(c, R, TRect(), false, true, true, clRed); },
       "Editors/TrackBarTrack", 0, esNormal, R},
      {"track disabled vertical", [&](TcxCanvas* c) { p->DrawTrackBarTrack(c, R, TRect(), false, false, false, clRed); },
       "Editors/TrackBarTrackVert", 2, esNormal, R},
      {"selection", [&](TcxCanvas* c) { p->DrawTrackBarTrack(c, R, TRect(20, 12, 30, 30), true, true, true, clRed); },
       "Editors/TrackBarTrack", 1, esNormal, TRect(20, 12, 30, 30)},
      {"disabled selection", [&](TcxCanvas* c) { p->DrawTrackBarTrack(c, R, TRect(20, 12, 30, 30), true, false, true, clRed); },
       "Editors/TrackBarTrack", 3, esNormal, TRect(20, 12, 30, 30)},
      {"thumb up", [&](TcxCanvas* c) { p->DrawTrackBarThumb(c, R, cxbsHot, true, 0, clRed); }, "Editors/TrackBarThumbUp", 0,
       esHot, R},
      {"thumb down", [&](TcxCanvas* c) { p->DrawTrackBarThumb(c, R, cxbsNormal, true, 1, clRed); }, "Editors/TrackBarThumb", 0,
       esNormal, R},
      {"thumb both vertical", [&](TcxCanvas* c) { p->DrawTrackBarThumb(c, R, cxbsPressed, false, 2, clRed); },
       "Editors/TrackBarThumbVertBoth", 0, esPressed, R},
      {"scroll up arrow", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, false, R, 1, cxbsNormal); }, "Common/ScrollButton", 0,
       esNormal, R},
      {"scroll down arrow", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, false, R, 2, cxbsHot); }, "Common/ScrollButton", 1,
       esHot, R},
      {"scroll left arrow", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, R, 1, cxbsPressed); }, "Common/ScrollButton", 2,
       esPressed, R},
      {"scroll right arrow", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, R, 2, cxbsDisabled); }, "Common/ScrollButton",
       3, esDisabled, R},
      {"scroll thumb", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, R, 3, cxbsHot); }, "Common/ScrollThumbHorz", 0, esHot,
       R},
      {"hot page area", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, false, R, 4, cxbsHot); }, "Common/ScrollContentVert", 0,
       esHot, R},
      {"pressed page area", [&](TcxCanvas* c) { p->DrawScrollBarElement(c, true, R, 5, cxbsPressed); },
       "Common/ScrollContentHorz", 0, esPressed, R},
      {"track", [&](TcxCanvas* c) { p->DrawScrollBarTrack(c, R, false); }, "Common/ScrollContentVert", 0, esNormal, R},
      {"header", [&](TcxCanvas* c) {
         p->DrawColumnHeader(c, R, R, TcxBorders(), cxBordersAll, cxbsHot, taLeftJustify, vaCenter, false, false, "", nullptr,
                             clBlack, clWhite, nullptr, false, false);
       },
       "Common/Header", 0, esHot, R},
      {"edit button", [&](TcxCanvas* c) { p->DrawEditButton(c, R, cxbsHot, bkCombo, cxbpRight); }, "Editors/EditorButton", 0,
       esHot, R},
      {"close button", [&](TcxCanvas* c) { p->DrawEditButton(c, R, cxbsPressed, bkClose, cxbpRight); }, "Editors/CloseButton",
       0, esPressed, R},
      {"expanded box", [&](TcxCanvas* c) { p->DrawExpandBox(c, R, true, clRed); }, "Grid/PlusMinus", 1, esNormal, R},
      {"collapsed box", [&](TcxCanvas* c) { p->DrawExpandBox(c, R, false, clRed); }, "Grid/PlusMinus", 0, esNormal, R},
  };
  for (const Case& k : cases) {
    Surface s(60, 50);
    TcxCanvas canvas(s.Canvas());
    k.call(&canvas);
    const std::uint32_t code = probe.P.Code(k.element, k.index, k.state);
    EXPECT_EQ(Describe(BoxOf(s, code)), Describe(k.rect)) << k.name;
    EXPECT_EQ(s.Raw((k.rect.Left + k.rect.Right) / 2, (k.rect.Top + k.rect.Bottom) / 2) & 0xFFFFFF, code) << k.name;
  }

  // Normal page areas are left to the track.
  for (int part : {4, 5}) {
    Surface s(60, 50);
    TcxCanvas canvas(s.Canvas());
    p->DrawScrollBarElement(&canvas, part == 5, R, part, cxbsNormal);
    EXPECT_EQ(s.CountOf(clWhite), 60 * 50) << part;
  }
}

// Group boxes: the body inside the frame element's offsets plus its borders, on the sides asked
// for; the frame element around it; the expand button turned by its code.
TEST_F(SkinTest, GroupBoxSidesAndTurnedExpandButtons) {
  Probe probe([](ProbeSkin& P) {
    P.Add("Common", "GroupExpandButton", 2);
    // Thicker borders count too.
    TdxSkinElement* top = P.Skin->GroupByName("Common")->ElementByName("GroupPanelTop");
    top->Borders()->Left()->SetThin(2);
  });
  const TdxSkinLookAndFeelPainter* p = &probe.Painter;
  const TRect R(5, 6, 45, 36);
  struct {
    TcxBorders sides;
    int position;
    const char* frame;
    TRect inner;
  } cases[] = {
      // Offsets (3, 1, 5, 3); the top frame's left border is 2 wide, the others 1.
      {cxBordersAll, 0, "Common/GroupPanelTop", TRect(5 + 3 + 2, 6 + 1 + 1, 45 - 5 - 1, 36 - 3 - 1)},
      {TcxBorders{bTop}, 0, "Common/GroupPanelTop", TRect(5, 6 + 2, 45, 36)},
      {TcxBorders{bLeft, bBottom}, 2, "Common/GroupPanelLeft", TRect(5 + 4, 6, 45, 36 - 4)},
      {cxBordersAll, 4, "Common/GroupPanel", TRect(5 + 4, 6 + 2, 45 - 6, 36 - 4)},
  };
  for (auto& k : cases) {
    Surface s(50, 40);
    TcxCanvas canvas(s.Canvas());
    p->DrawGroupBoxSides(&canvas, R, k.sides, k.position);
    EXPECT_EQ(Describe(BoxOf(s, probe.P.Code("Common/GroupPanelNoBorder", 0, esNormal))), Describe(k.inner))
        << k.position << " " << k.sides.Bits();
    // The frame shows on the sides asked for, and only there.
    const std::uint32_t frame = probe.P.Code(k.frame, 0, esNormal);
    const int mx = (k.inner.Left + k.inner.Right) / 2, my = (k.inner.Top + k.inner.Bottom) / 2;
    EXPECT_EQ((s.Raw(k.inner.Left - 1, my) & 0xFFFFFF) == frame, k.sides.Contains(bLeft)) << k.position;
    EXPECT_EQ((s.Raw(mx, k.inner.Top - 1) & 0xFFFFFF) == frame, k.sides.Contains(bTop)) << k.position;
    EXPECT_EQ((s.Raw(k.inner.Right, my) & 0xFFFFFF) == frame, k.sides.Contains(bRight)) << k.position;
    EXPECT_EQ((s.Raw(mx, k.inner.Bottom) & 0xFFFFFF) == frame, k.sides.Contains(bBottom)) << k.position;
    EXPECT_EQ(s.Raw(k.inner.Left, k.inner.Top) & 0xFFFFFF, probe.P.Code("Common/GroupPanelNoBorder", 0, esNormal));
  }

  // The expand button: a square frame, left half in its own colour, turned by the code.
  TdxSkinElement* button = probe.Info->CommonGroupExpandButton;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(kFrame * 10 * kFrame));
  for (int f = 0; f < 10; ++f)
    for (int y = 0; y < kFrame; ++y)
      for (int x = 0; x < kFrame; ++x)
        px[static_cast<std::size_t>(y * 10 * kFrame + f * kFrame + x)] =
            0xFF000000u | (x < kFrame / 2 ? 0x102030u : ProbeCode(90, f / 5, kProbeStates[f % 5]));
  skintest::SetTexture(button->Image(), 10 * kFrame, kFrame, px);
  button->Image()->Margins()->AssignRect({0, 0, 0, 0});
  const TRect B(10, 10, 10 + kFrame, 10 + kFrame);
  // Where the left half ends up: upright, then a quarter turn left, right, and a half turn.
  const TRect halves[4] = {TRect(10, 10, 14, 19), TRect(10, 15, 19, 19), TRect(10, 10, 19, 14), TRect(15, 10, 19, 19)};
  for (int code = 0; code < 4; ++code) {
    Surface s(30, 30);
    TcxCanvas canvas(s.Canvas());
    p->DrawGroupBoxExpandButton(&canvas, B, cxbsHot, code % 2 == 0, code);
    EXPECT_EQ(Describe(BoxOf(s, 0x102030)), Describe(halves[code])) << code;
    EXPECT_NE(BoxOf(s, ProbeCode(90, code % 2 == 0 ? 0 : 1, esHot)), TRect()) << code;
  }
}

// Push-button captions, ellipsis dots, merged borders and glyphs that keep still.
TEST_F(SkinTest, ButtonTextAreasEllipsisDotsMergedBordersAndStillGlyphs) {
  Probe probe([](ProbeSkin& P) {
    P.Add("Editors", "SpinUpGlyph", 1);
    P.Skin->GroupByName("Editors")
        ->ElementByName("EditorButton")
        ->Properties()
        ->Add("MergeBorders", TdxSkinBooleanProperty::StaticClass());
  });
  const TdxSkinLookAndFeelPainter* p = &probe.Painter;
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(8);

  // Offsets (3, 1, 5, 3): a 21-pixel button has a 17-pixel text area, drawn at (top - 1, bottom - 1).
  for (const int height : {21, 22}) {
    const TRect R(4, 4, 64, 4 + height);
    Surface drawn(70, 30), expected(70, 30), unmoved(70, 30);
    TcxCanvas c1(drawn.Canvas()), c2(expected.Canvas()), c3(unmoved.Canvas());
    c1.AssignFont(&font);
    p->DrawPushButton(&c1, R, "Wg", cxbsNormal, true, clDefault, clRed, false, 0);
    TRect text = RectWithinMargins(R, TRect(3, 1, 5, 3));
    const TRect plain = text;
    if (HeightOfRect(text) % 2) --text.Bottom;
    if (HeightOfRect(text) < 18) --text.Top;
    for (auto [c, r] : {std::pair{&c2, text}, std::pair{&c3, plain}}) {
      c->AssignFont(&font);
      DrawSkinElement(c, probe.Info->CommonButton, R, 0, esNormal);
      c->ActiveFont()->SetColor(clRed);
      c->ActiveBrush()->SetStyle(bsClear);
      c->DrawTextInRect("Wg", r, 0x264);
    }
    EXPECT_EQ(drawn.Mask(clRed), expected.Mask(clRed)) << height;
    if (height == 21) {
      EXPECT_NE(drawn.Mask(clRed), unmoved.Mask(clRed)) << "the text area moved";
    }
  }

  // Ellipsis: glyph areas of 11 and 12 pixels (offsets 3 and 5 across).
  const TColor dot = probe.Info->EditorsEditorButton->TextColor();
  for (const int width : {11, 12}) {
    Surface s(40, 20);
    TcxCanvas canvas(s.Canvas());
    p->DrawEditButton(&canvas, TRect(0, 0, width + 8, 15), cxbsNormal, bkEllipsis, cxbpLeft);
    const int d = width < 12 ? 1 : 2;
    std::string row(static_cast<std::size_t>(width + 8), '.');
    const int left = 3 + (width - (3 * d + 4)) / 2;
    for (int i = 0; i < 3; ++i)
      for (int k = 0; k < d; ++k) row[static_cast<std::size_t>(left + i * (d + 2) + k)] = '#';
    const std::string mask = s.Mask(dot);
    const int top = 1 + (11 - d) / 2;
    for (int y = 0; y < 15; ++y) {
      const std::string line = mask.substr(static_cast<std::size_t>(y * 41), static_cast<std::size_t>(width + 8));
      EXPECT_EQ(line, y >= top && y < top + d ? row : std::string(line.size(), '.')) << width << " row " << y;
    }
  }

  // Merged borders: the element is drawn a pixel larger on the outer side and at both ends, and
  // clipped to the button: its right-hand offsets then begin one pixel further right.
  TdxSkinElement* editorButton = probe.Info->EditorsEditorButton;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(5 * kFrame * kFrame));
  for (int f = 0; f < 5; ++f)
    for (int y = 0; y < kFrame; ++y)
      for (int x = 0; x < kFrame; ++x) {
        const bool edge = x == 0 || y == 0 || x == kFrame - 1 || y == kFrame - 1;
        px[static_cast<std::size_t>(y * 5 * kFrame + f * kFrame + x)] = edge ? 0xFF000080u : 0xFFC0C0C0u;
      }
  skintest::SetTexture(editorButton->Image(), 5 * kFrame, kFrame, px);
  editorButton->Image()->Margins()->AssignRect({1, 1, 1, 1});
  const TRect B(5, 5, 22, 20);
  for (const bool merge : {false, true}) {
    probe.Info->EditorsEditorButtonMergeBorders = merge;
    Surface s(30, 30);
    TcxCanvas canvas(s.Canvas());
    p->DrawEditButton(&canvas, B, cxbsNormal, bkCombo, cxbpRight);
    EXPECT_EQ(s.At(B.Left, 12), win::RGB(0, 0, 0x80)) << "the inner border stays";
    EXPECT_EQ(s.At(B.Right - 1, 12), merge ? win::RGB(0xC0, 0xC0, 0xC0) : win::RGB(0, 0, 0x80)) << merge;
    EXPECT_EQ(s.At(12, B.Top), merge ? win::RGB(0xC0, 0xC0, 0xC0) : win::RGB(0, 0, 0x80)) << merge;
    EXPECT_EQ(s.At(12, B.Bottom - 1), merge ? win::RGB(0xC0, 0xC0, 0xC0) : win::RGB(0, 0, 0x80)) << merge;
    EXPECT_EQ(s.At(B.Right, 12), win::RGB(0xFF, 0xFF, 0xFF)) << "clipped";
    EXPECT_EQ(s.At(12, B.Top - 1), win::RGB(0xFF, 0xFF, 0xFF)) << "clipped";
  }
  probe.Info->EditorsEditorButtonMergeBorders = false;

  // A spin glyph in a two-state glyph image: the first frame whatever the state.
  TdxSkinElement* spin = probe.Info->EditorsButtonGlyphs[bkSpinUp];
  ASSERT_NE(spin, nullptr);
  spin->Glyph()->SetStates(StateBit(esNormal) | StateBit(esHot) | StateBit(esPressed) | StateBit(esDisabled));
  skintest::SetTexture(spin->Glyph(), 20, 5,
                       [] {
                         std::vector<std::uint32_t> g(100);
                         for (int y = 0; y < 5; ++y)
                           for (int x = 0; x < 20; ++x) g[static_cast<std::size_t>(y * 20 + x)] = x < 5 ? 0xFF00A000u : 0xFFA00000u;
                         return g;
                       }());
  std::string glyphs[4];
  const TcxButtonState states[4] = {cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
  for (int i = 0; i < 4; ++i) {
    Surface s(30, 30);
    TcxCanvas canvas(s.Canvas());
    p->DrawEditButton(&canvas, TRect(2, 2, 22, 22), states[i], bkSpinUp, cxbpRight);
    glyphs[i] = s.Mask(static_cast<TColor>(0x00A000));
    EXPECT_EQ(s.CountOf(static_cast<TColor>(0x0000A0)), 0) << "never a later frame";
  }
  EXPECT_NE(glyphs[0].find('#'), std::string::npos);
  for (int i = 1; i < 4; ++i) EXPECT_EQ(glyphs[i], glyphs[0]) << i;
}

// Without its element an operation draws exactly what the parent draws.
TEST_F(SkinTest, WithoutTheirElementOperationsDrawAsTheParent) {
  struct Case {
    const char* name;
    std::function<void(TdxSkinInfo&)> remove;
    std::function<void(const TcxCustomLookAndFeelPainter*, TcxCanvas*)> call;
    bool parentDraws = true;
  };
  const TRect R(4, 4, 44, 27);
  std::vector<Case> cases = {
      {"push button", [](TdxSkinInfo& I) { I.CommonButton = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawPushButton(c, R, "Ok", cxbsHot, true, clDefault, clDefault, false, 0); }},
      {"check box", [](TdxSkinInfo& I) { I.EditorsCheckbox = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawCheckBox(c, TRect(4, 4, 17, 17), cxbsNormal, cbsChecked); }},
      {"radio button", [](TdxSkinInfo& I) { I.EditorsRadioButton = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawRadioButton(c, 4, 4, cxbsHot, true, false, clDefault, false); }, false},
      {"edit button", [](TdxSkinInfo& I) { I.EditorsCloseButton = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawEditButton(c, R, cxbsNormal, bkCombo, cxbpRight); }, false},
      {"track", [](TdxSkinInfo& I) { I.EditorsTrackBarTrack = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawTrackBarTrack(c, R, TRect(), false, true, true, clBtnFace); }},
      {"thumb", [](TdxSkinInfo& I) { I.EditorsTrackBarThumb = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawTrackBarThumb(c, TRect(4, 4, 15, 24), cxbsHot, true, 1, clBtnFace); }},
      {"scroll arrow", [](TdxSkinInfo& I) { FreeAndNil(I.CommonScrollBarParts[0][1]); },
       [&](auto* p, TcxCanvas* c) { p->DrawScrollBarElement(c, false, TRect(4, 4, 21, 21), 1, cxbsNormal); }},
      {"scroll page", [](TdxSkinInfo& I) { FreeAndNil(I.CommonScrollBarParts[1][4]); },
       [&](auto* p, TcxCanvas* c) { p->DrawScrollBarElement(c, true, R, 4, cxbsNormal); }},
      {"group box border", [](TdxSkinInfo& I) { I.CommonGroupPanelTop = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawGroupBoxBorder(c, R, true, 0, cxBordersAll); }},
      {"header", [](TdxSkinInfo& I) { I.CommonHeader = nullptr; },
       [&](auto* p, TcxCanvas* c) {
         p->DrawColumnHeader(c, R, R, TcxBorders(), cxBordersAll, cxbsNormal, taLeftJustify, vaCenter, false, false,
                             "Col", nullptr, clBtnText, clBtnFace, nullptr, false, false);
       }},
      {"expand box", [](TdxSkinInfo& I) { I.GridPlusMinus = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawExpandBox(c, TRect(4, 4, 15, 15), false, clWindow); }, false},
      {"label line", [](TdxSkinInfo& I) { I.EditorsLabelLine = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawLabelLine(c, TRect(4, 4, 40, 6), clDefault, clDefault, false); }},
      {"size grip", [](TdxSkinInfo& I) { I.CommonSizeGrip = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawSizeGripGlyph(c, TRect(4, 4, 20, 20)); }, false},
      {"control border", [](TdxSkinInfo& I) { I.SkinContainerBorderColor = nullptr; },
       [&](auto* p, TcxCanvas* c) { p->DrawControlBorder(c, R); }},
      {"no table at all", [](TdxSkinInfo&) {},
       [&](auto* p, TcxCanvas* c) { p->DrawPushButton(c, R, "Ok", cxbsPressed, true, clDefault, clDefault, false, 0); }},
  };
  for (const Case& k : cases) {
    Probe probe;
    k.remove(*probe.Info);
    if (std::string(k.name) == "no table at all") probe.Painter.Info = nullptr;
    Surface skinned(50, 32), parent(50, 32);
    TcxCanvas c1(skinned.Canvas()), c2(parent.Canvas());
    k.call(&probe.Painter, &c1);
    k.call(Office11LookAndFeelPainter(), &c2);
    int differ = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 50; ++x) differ += skinned.Raw(x, y) != parent.Raw(x, y);
    EXPECT_EQ(differ, 0) << k.name;
    if (k.parentDraws) {
      EXPECT_LT(skinned.CountOf(clWhite), 50 * 32) << k.name << ": the parent draws something";
    }
  }
}

// Colours: present against valid, and aliases that follow their target.
TEST_F(SkinTest, SkinColoursPresentValidAndAliases) {
  Probe probe([](ProbeSkin& P) {
    P.Skin->Colors()->AddColor("ContentColor", clDefault);
    P.Skin->Colors()->AddColor("SelectionColor", clNone);
  });
  const TdxSkinLookAndFeelPainter* p = &probe.Painter;
  EXPECT_EQ(p->DefaultContentColor(), Office11LookAndFeelPainter()->DefaultContentColor());
  EXPECT_EQ(p->DefaultContentColor(), clWindow);
  EXPECT_EQ(p->DefaultColor58(), clDefault) << "present is enough";
  EXPECT_EQ(p->DefaultSelectionColor(), clNone);
  EXPECT_EQ(p->DefaultHeaderColor(), probe.Info->CommonHeader->Color());
  EXPECT_EQ(p->ButtonGlyphColor(cxbsNormal, clRed), probe.Info->CommonButton->TextColor());
  EXPECT_EQ(p->DefaultCalendarBackgroundColor(), clNone);

  struct THeaderPainter : TProbePainter {
    TColor DefaultHeaderColor() const override { return static_cast<TColor>(0x123456); }
  } derived;
  derived.Info = probe.Info.get();
  EXPECT_EQ(derived.DefaultBlankHeaderColor(), static_cast<TColor>(0x123456));
  EXPECT_EQ(derived.DefaultColor22(), static_cast<TColor>(0x123456));

  // A valid editor background for kind 0 stands in for inactive and read-only editors.
  probe.P.Skin->GroupByName("Editors")->Properties()->AddColor("BackgroundColor", static_cast<TColor>(0x0A0B0C));
  probe.Info->ResolveAll();
  EXPECT_EQ(p->DefaultEditorBackgroundColorOfKind(3), static_cast<TColor>(0x0A0B0C));
  EXPECT_EQ(p->DefaultEditorBackgroundColorOfKind(1), Office11LookAndFeelPainter()->DefaultEditorBackgroundColorOfKind(1));
  EXPECT_EQ(p->GroupBoxCaptionTextColor(true, 4), probe.Info->CommonGroupPanelNoBorder->TextColor());
  EXPECT_EQ(p->GroupBoxCaptionTextColor(true, 0), probe.Info->CommonGroupPanelCaptionTop->TextColor());
}

}  // namespace

namespace {

// The parts of the consoles' controls the painter draws, in every built-in skin, side by side.
TEST_F(SkinTest, GalleryOfTheBuiltInSkins) {
  const char* resources[] = {"BLACK", "BLUE", "FOGGY", "LIQUIDSKY", "SILVER", "DEFAULTUSERSKINDATA"};
  const int column = 200;
  Surface s(column * 6, 330, clBtnFace);
  TcxCanvas c(s.Canvas());
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(8);
  for (int i = 0; i < 6; ++i) {
    auto info = std::make_unique<TdxSkinLookAndFeelPainterInfo>(
        new TdxSkin(resources[i], win::GetModuleHandle(nullptr), true));
    TProbePainter painter;
    painter.Info = info.get();
    const TdxSkinLookAndFeelPainter* p = &painter;
    const int x = i * column + 6;
    c.FillRectWithColor(TRect(i * column, 0, (i + 1) * column, 330), p->DefaultContentColor());
    p->DrawGroupBoxSides(&c, TRect(x - 3, 4, x + column - 9, 326), cxBordersAll, 0);
    c.AssignFont(&font);
    c.ActiveFont()->SetColor(p->GroupBoxCaptionTextColor(true, 0));
    c.ActiveBrush()->SetStyle(bsClear);
    c.DrawTextInRect(resources[i], TRect(x + 4, 6, x + 180, 22), ltfAlignLeft | ltfCenterVert | ltfSingleLine);
    c.ActiveBrush()->SetStyle(bsSolid);
    int y = 28;
    const TcxButtonState states[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
    const char* names[] = {"Default", "Normal", "Hot", "Pressed", "Disabled"};
    for (int k = 0; k < 5; ++k) {
      c.AssignFont(&font);
      p->DrawPushButton(&c, TRect(x + (k % 2) * 92, y, x + (k % 2) * 92 + 88, y + 25), names[k], states[k], true, clDefault,
                        clDefault, false, 0);
      if (k % 2 == 1 || k == 4) y += 29;
    }
    const TSize check = p->CheckBoxSize();
    for (int k = 0; k < 5; ++k)
      p->DrawCheckBox(&c, TRect(x + k * 20, y, x + k * 20 + check.cx, y + check.cy), k == 1 ? cxbsHot : cxbsNormal,
                      static_cast<TcxCheckBoxState>(k % 3));
    for (int k = 0; k < 3; ++k) p->DrawRadioButton(&c, x + 110 + k * 20, y, k == 2 ? cxbsHot : cxbsNormal, k == 1, false, clDefault, false);
    y += 24;
    // A combo editor and a spin editor: border, content and their buttons.
    for (int k = 0; k < 2; ++k) {
      const TRect e(x, y, x + 180, y + 21);
      c.FillRectWithColor(e, p->DefaultEditorBackgroundColorOfKind(0));
      p->DrawControlBorder(&c, e);
      if (k == 0) {
        p->DrawEditButton(&c, TRect(e.Right - 18, e.Top + 1, e.Right - 1, e.Bottom - 1), cxbsHot, bkCombo, cxbpRight);
        p->DrawEditButton(&c, TRect(e.Right - 35, e.Top + 1, e.Right - 18, e.Bottom - 1), cxbsNormal, bkEllipsis, cxbpRight);
      } else {
        p->DrawEditButton(&c, TRect(e.Right - 18, e.Top + 1, e.Right - 1, e.Top + 10), cxbsNormal, bkSpinUp, cxbpRight);
        p->DrawEditButton(&c, TRect(e.Right - 18, e.Top + 10, e.Right - 1, e.Bottom - 1), cxbsPressed, bkSpinDown, cxbpRight);
      }
      y += 26;
    }
    // A track bar with a selection, and its thumb.
    const int thickness = std::max(p->TrackBarTrackThickness(), 4);
    p->DrawTrackBarTrack(&c, TRect(x + 4, y + 8, x + 176, y + 8 + thickness), TRect(x + 40, y + 8, x + 90, y + 8 + thickness),
                         true, true, true, clDefault);
    const TSize thumb = p->TrackBarThumbSize(true);
    p->DrawTrackBarThumb(&c, TRect(x + 90, y, x + 90 + thumb.cx, y + thumb.cy), cxbsHot, true, 1, clDefault);
    y += std::max(thumb.cy, 20) + 6;
    // Scroll bar parts and a header row.
    p->DrawScrollBarTrack(&c, TRect(x, y, x + 180, y + 17), true);
    p->DrawScrollBarElement(&c, true, TRect(x, y, x + 17, y + 17), 1, cxbsNormal);
    p->DrawScrollBarElement(&c, true, TRect(x + 60, y, x + 100, y + 17), 3, cxbsHot);
    p->DrawScrollBarElement(&c, true, TRect(x + 100, y, x + 163, y + 17), 5, cxbsPressed);
    p->DrawScrollBarElement(&c, true, TRect(x + 163, y, x + 180, y + 17), 2, cxbsNormal);
    y += 22;
    for (int k = 0; k < 3; ++k) {
      const TRect h(x + k * 60, y, x + (k + 1) * 60, y + 20);
      p->DrawColumnHeader(&c, h, GrowRect(h, -3, 0), k ? TcxBorders{bLeft} : TcxBorders(),
                          p->VisibleHeaderSides(k ? TcxBorders{bLeft} : TcxBorders()), k == 1 ? cxbsHot : cxbsNormal,
                          taLeftJustify, vaCenter, false, true, k == 1 ? "Hot" : "Column", &font,
                          p->DefaultHeaderTextColor(), clDefault, nullptr, false, false);
    }
    y += 26;
    p->DrawLabelLine(&c, TRect(x, y, x + 180, y + p->LabelLineThickness()), clDefault, clDefault, false);
    y += 6;
    for (int code = 0; code < 4; ++code)
      p->DrawGroupBoxExpandButton(&c, TRect(x + code * 24, y, x + code * 24 + 17, y + 17), cxbsNormal, code % 2 == 0, code);
    p->DrawExpandBox(&c, TRect(x + 110, y + 2, x + 110 + p->ExpandBoxSize(), y + 2 + p->ExpandBoxSize()), false, clDefault);
  }
  s.Save("skins/skin-painter-gallery.png");
}

}  // namespace

namespace {

// Navigator glyphs run through "Navigator" and on into "NavigatorVert"; a disabled one is grey
// by (blue + green + red + 2 alpha) div 5.
TEST_F(SkinTest, NavigatorGlyphsAndTheirGrey) {
  Probe probe([](ProbeSkin& P) {
    P.Add("Editors", "Navigator", 2);
    P.Add("Editors", "NavigatorVert", 1);
  });
  const TdxSkinLookAndFeelPainter* p = &probe.Painter;
  const TRect R(3, 3, 14, 14);
  struct {
    int index;
    const char* element;
    int frame;
  } cases[] = {{0, "Editors/Navigator", 0}, {1, "Editors/Navigator", 1}, {2, "Editors/NavigatorVert", 0}};
  for (auto& k : cases) {
    Surface s(20, 20);
    TcxCanvas canvas(s.Canvas());
    p->DrawNavigatorGlyph(&canvas, nullptr, k.index, 0, R, true, false);
    EXPECT_EQ(Describe(BoxOf(s, probe.P.Code(k.element, k.frame, esNormal))), Describe(R)) << k.index;

    Surface grey(20, 20);
    TcxCanvas greyCanvas(grey.Canvas());
    p->DrawNavigatorGlyph(&greyCanvas, nullptr, k.index, 0, R, false, false);
    const std::uint32_t c = probe.P.Code(k.element, k.frame, esNormal);
    const std::uint32_t g = ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) + 2 * 255) / 5;
    EXPECT_EQ(Describe(BoxOf(grey, g | g << 8 | g << 16)), Describe(R)) << k.index;
  }
  Surface none(20, 20);
  TcxCanvas canvas(none.Canvas());
  p->DrawNavigatorGlyph(&canvas, nullptr, 0, 0, TRect(5, 5, 5, 9), true, false);
  EXPECT_EQ(none.CountOf(clWhite), 400) << "an empty rectangle draws nothing";
  EXPECT_EQ(p->NavigatorButtonMinSize(), TSize(kFrame, kFrame));
}

}  // namespace

namespace {

// A header's hidden sides: the element grows past them, so its border there falls outside the
// clip; neighbours hide the left and top sides.
TEST_F(SkinTest, HeadersHideTheBordersOfTheirHiddenSides) {
  Probe probe;
  TdxSkinElement* header = probe.Info->CommonHeader;
  std::vector<std::uint32_t> px(static_cast<std::size_t>(5 * kFrame * kFrame));
  for (int f = 0; f < 5; ++f)
    for (int y = 0; y < kFrame; ++y)
      for (int x = 0; x < kFrame; ++x) {
        const bool edge = x == 0 || y == 0 || x == kFrame - 1 || y == kFrame - 1;
        px[static_cast<std::size_t>(y * 5 * kFrame + f * kFrame + x)] = edge ? 0xFF000080u : 0xFFC0C0C0u;
      }
  skintest::SetTexture(header->Image(), 5 * kFrame, kFrame, px);
  header->Image()->Margins()->AssignRect({1, 1, 1, 1});
  const TdxSkinLookAndFeelPainter* p = &probe.Painter;
  const TcxBorders sides = p->VisibleHeaderSides(TcxBorders{bLeft, bTop});
  EXPECT_EQ(sides, (TcxBorders{bRight, bBottom}));
  const TRect R(5, 5, 35, 25);
  Surface s(40, 30);
  TcxCanvas canvas(s.Canvas());
  p->DrawColumnHeader(&canvas, R, R, TcxBorders{bLeft, bTop}, sides, cxbsNormal, taLeftJustify, vaCenter, false, false,
                      "", nullptr, clBlack, clWhite, nullptr, false, false);
  const win::COLORREF border = win::RGB(0, 0, 0x80), face = win::RGB(0xC0, 0xC0, 0xC0);
  EXPECT_EQ(s.At(R.Left, 15), face);
  EXPECT_EQ(s.At(20, R.Top), face);
  EXPECT_EQ(s.At(R.Right - 1, 15), border);
  EXPECT_EQ(s.At(20, R.Bottom - 1), border);
  EXPECT_EQ(s.At(R.Left - 1, 15), win::RGB(0xFF, 0xFF, 0xFF)) << "clipped to the header";
  EXPECT_EQ(s.At(20, R.Top - 1), win::RGB(0xFF, 0xFF, 0xFF));
}

}  // namespace
