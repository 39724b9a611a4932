#include "ui/choice/LabelLayout.h"

#include <cmath>
#include <numbers>

#include "ui/foundation/Geometry.h"

int EffectiveLabelAngle(int Angle, bool TrueType) { return TrueType ? (Angle % 360 + 360) % 360 : 0; }

TPoint LabelDepthDelta(TcxLabelEffect Effect, TcxLabelOrientation Orientation, int Depth) {
  if (Effect == cxleNormal) return TPoint(0, 0);
  switch (Orientation) {
    case cxoLeft: case cxoRight: return TPoint(Depth, 0);
    case cxoTop: case cxoBottom: return TPoint(0, Depth);
    default: return TPoint(Depth, Depth);
  }
}

int LabelStyleOffset(TcxLabelStyle Style, int FontSize) {
  if (Style != cxlsRaised && Style != cxlsLowered) return 0;
  return FontSize >= 12 ? 2 : 1;
}

TSize RotatedTextExtent(const TSize& Unrotated, int Angle) {
  if (Angle == 0) return Unrotated;
  const double a = Angle * std::numbers::pi / 180;
  const double w = Unrotated.cx, h = Unrotated.cy;
  return TSize(static_cast<int>(std::trunc(std::fabs(w * std::cos(a)) + std::fabs(h * std::sin(a)) + 0.5)),
               static_cast<int>(std::trunc(std::fabs(w * std::sin(a)) + std::fabs(h * std::cos(a)) + 0.5)));
}

TRect LabelLineBounds(TRect& Text, const TRect& C, bool Vertical, int T, bool Visible,
                      TcxLabelLineAlignment LineAlignment, TAlignment Horz, TcxEditVertAlignment Vert) {
  if (!Visible) return TRect();
  TRect l = C;
  if (!Vertical) {
    if (LineAlignment == cxllaTop) {
      l.Bottom = l.Top + T;
    } else if (LineAlignment == cxllaBottom) {
      l.Top = l.Bottom - T;
    } else {
      l = CenterExtentInRect(C, C.Right - C.Left, T);
      if (Horz == taLeftJustify) l.Left = Text.Right + 3;
      if (Horz == taRightJustify) l.Right = Text.Left - 3;
    }
  } else {
    if (LineAlignment == cxllaTop) {
      l.Right = l.Left + T;
    } else if (LineAlignment == cxllaBottom) {
      l.Left = l.Right - T;
    } else {
      l = CenterExtentInRect(C, T, C.Bottom - C.Top);
      // Unlike a horizontal line this one starts inside the text; drawing clips the text away.
      if (Vert == taTopJustify) l.Top = Text.Bottom - 3;
      if (Vert == taBottomJustify) l.Bottom = Text.Top + 3;
    }
  }
  TRect meet;
  if (IntersectRects(meet, l, Text)) {
    const int k = LineAlignment == cxllaTop ? 1 : (LineAlignment == cxllaBottom ? -1 : 0);
    Text = Vertical ? ShiftRect(Text, k * T, 0, true) : ShiftRect(Text, 0, k * T, true);
  }
  return l;
}

TcxLabelOrigin LabelOriginAndStep(const TRect& T, int Angle, const TSize& Unrotated, const TPoint& D,
                                  TcxLabelEffect Effect, TcxLabelOrientation Orientation, int Depth,
                                  int StyleOffset) {
  TcxLabelOrigin o{TPoint(0, 0), TPoint(0, 0)};
  if (Angle != 0) {
    const double a = Angle * std::numbers::pi / 180;
    const double w = Unrotated.cx / 2.0, h = Unrotated.cy / 2.0;
    // nearbyint rounds halves to the even neighbour under the default rounding mode.
    o.P.X = static_cast<int>(std::nearbyint((T.Left + T.Right - D.X) / 2.0 - w * std::cos(a) - h * std::sin(a)));
    o.P.Y = static_cast<int>(std::nearbyint((T.Top + T.Bottom - D.Y) / 2.0 + w * std::sin(a) - h * std::cos(a)));
  }
  if (Effect == cxleNormal || Depth == 0) return o;
  o.Step = D;
  if (Orientation == cxoRight || Orientation == cxoRightTop || Orientation == cxoRightBottom) {
    o.P.X += D.X + StyleOffset;
    o.Step.X = -o.Step.X;
  }
  if (Orientation == cxoBottom || Orientation == cxoLeftBottom || Orientation == cxoRightBottom) {
    o.P.Y += D.Y + StyleOffset;
    o.Step.Y = -o.Step.Y;
  }
  if (Effect == cxleFun || Effect == cxleExtrude) {
    o.Step.X = (o.Step.X > 0) - (o.Step.X < 0);
    o.Step.Y = (o.Step.Y > 0) - (o.Step.Y < 0);
  }
  return o;
}

int LabelDepthCopyCount(TcxLabelEffect Effect, int Depth, const TPoint& Step) {
  if (Effect == cxleNormal || Depth == 0) return 0;
  const int step = Step.X != 0 ? std::abs(Step.X) : std::abs(Step.Y);
  return step == 0 ? 0 : Depth / step;
}

win::COLORREF LabelFunColor(int I, int N, win::COLORREF Background, win::COLORREF Shadow) {
  auto channel = [I, N](int shift, win::COLORREF b, win::COLORREF s) {
    const int bc = (b >> shift) & 0xFF, sc = (s >> shift) & 0xFF;
    return static_cast<win::COLORREF>(static_cast<int>(std::trunc(double(I) * (sc - bc) / N + bc)) & 0xFF) << shift;
  };
  return channel(0, Background, Shadow) | channel(8, Background, Shadow) | channel(16, Background, Shadow);
}
