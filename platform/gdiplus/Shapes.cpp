// Lines, shapes and paths, stroked with pens and filled with brushes.
#include <cmath>
#include <numbers>

#include "platform/gdiplus/Internal.h"

namespace platform::gdiplus {

void Path::LineTo(float x, float y) {
  if (!figureOpen) {
    ops.push_back({PathOp::Move, {x}, {y}});
    figureOpen = true;
  } else {
    ops.push_back({PathOp::Line, {x}, {y}});
  }
  lastX = x;
  lastY = y;
}

void Path::CurveTo(float x1, float y1, float x2, float y2, float x3, float y3) {
  if (!figureOpen) LineTo(x1, y1);
  ops.push_back({PathOp::Curve, {x1, x2, x3}, {y1, y2, y3}});
  lastX = x3;
  lastY = y3;
}

void Path::CloseFigure() {
  if (!figureOpen) return;
  ops.push_back({PathOp::Close});
  figureOpen = false;
}

void Path::Arc(float x, float y, float w, float h, float start, float sweep) {
  // Angles are true angles seen from the centre, clockwise with y down; the ellipse is walked by
  // its parameter, so each angle becomes the parameter of the point on its ray.
  const double pi = std::numbers::pi;
  double rx = w / 2.0, ry = h / 2.0, cx = x + rx, cy = y + ry;
  double a0 = start * pi / 180, sw = std::clamp(static_cast<double>(sweep), -360.0, 360.0) * pi / 180;
  auto param = [&](double theta) {
    double t = std::atan2(rx * std::sin(theta), ry * std::cos(theta));
    return t + 2 * pi * std::round((theta - t) / (2 * pi));
  };
  double t0 = param(a0), t1 = std::abs(sw) >= 2 * pi ? t0 + sw : param(a0 + sw);
  auto px = [&](double t) { return static_cast<float>(cx + rx * std::cos(t)); };
  auto py = [&](double t) { return static_cast<float>(cy + ry * std::sin(t)); };
  LineTo(px(t0), py(t0));
  int n = std::max(1, static_cast<int>(std::ceil(std::abs(t1 - t0) / (pi / 2) - 1e-9)));
  double step = (t1 - t0) / n, k = 4.0 / 3.0 * std::tan(step / 4);
  for (int i = 0; i < n; ++i) {
    double a = t0 + i * step, b = a + step;
    CurveTo(static_cast<float>(cx + rx * std::cos(a) - k * rx * std::sin(a)),
            static_cast<float>(cy + ry * std::sin(a) + k * ry * std::cos(a)),
            static_cast<float>(cx + rx * std::cos(b) + k * rx * std::sin(b)),
            static_cast<float>(cy + ry * std::sin(b) - k * ry * std::cos(b)), px(b), py(b));
  }
}

void Path::Emit(cairo_t* cr, float offset) const {
  cairo_new_path(cr);
  for (const PathOp& op : ops) {
    switch (op.type) {
      case PathOp::Move: cairo_move_to(cr, op.x[0] + offset, op.y[0] + offset); break;
      case PathOp::Line: cairo_line_to(cr, op.x[0] + offset, op.y[0] + offset); break;
      case PathOp::Curve:
        cairo_curve_to(cr, op.x[0] + offset, op.y[0] + offset, op.x[1] + offset, op.y[1] + offset, op.x[2] + offset,
                       op.y[2] + offset);
        break;
      case PathOp::Close: cairo_close_path(cr); break;
    }
  }
}

namespace {

// Lines and shapes put a pixel's centre on integer coordinates.
constexpr float kCentre = 0.5f;

win::RECT PathBounds(const Path& path, double margin) {
  double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
  for (const PathOp& op : path.ops) {
    int n = op.type == PathOp::Curve ? 3 : op.type == PathOp::Close ? 0 : 1;
    for (int i = 0; i < n; ++i) {
      x0 = std::min<double>(x0, op.x[i]);
      y0 = std::min<double>(y0, op.y[i]);
      x1 = std::max<double>(x1, op.x[i]);
      y1 = std::max<double>(y1, op.y[i]);
    }
  }
  if (x1 < x0) return {};
  return CoverOf(x0 + kCentre, y0 + kCentre, x1 + kCentre, y1 + kCentre, margin);
}

win::GpStatus Stroke(win::GpGraphics* graphics, win::GpPen* pen, const Path& path) {
  Pen* p = Find<Pen>(pen);
  if (!p || !Find<Graphics>(graphics)) return win::InvalidParameter;
  cairo_pattern_t* source = p->brush->Pattern();
  if (!source) return win::OutOfMemory;
  // A pen thinner than a pixel still draws one pixel wide.
  double width = std::max(1.0f, p->width);
  // Mitred corners reach out up to the mitre limit (10) times half the width.
  win::GpStatus s = Paint(graphics, PathBounds(path, width * 5 + 2), [&](cairo_t* cr) {
    path.Emit(cr, kCentre);
    cairo_set_source(cr, source);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cr, 10);
    static const double kDash[] = {3, 1}, kDot[] = {1, 1}, kDashDot[] = {3, 1, 1, 1}, kDashDotDot[] = {3, 1, 1, 1, 1, 1};
    const double* dashes = nullptr;
    int count = 0;
    switch (p->dash) {
      case win::DashStyleDash: dashes = kDash, count = 2; break;
      case win::DashStyleDot: dashes = kDot, count = 2; break;
      case win::DashStyleDashDot: dashes = kDashDot, count = 4; break;
      case win::DashStyleDashDotDot: dashes = kDashDotDot, count = 6; break;
      default: break;
    }
    if (count) {
      double scaled[6];
      for (int i = 0; i < count; ++i) scaled[i] = dashes[i] * width;
      cairo_set_dash(cr, scaled, count, 0);
    }
    cairo_stroke(cr);
  });
  cairo_pattern_destroy(source);
  return s;
}

win::GpStatus Fill(win::GpGraphics* graphics, win::GpBrush* brush, const Path& path, win::GpFillMode fillMode) {
  Brush* b = Find<Brush>(brush);
  if (!b || !Find<Graphics>(graphics)) return win::InvalidParameter;
  cairo_pattern_t* source = b->Pattern();
  if (!source) return win::OutOfMemory;
  win::GpStatus s = Paint(graphics, PathBounds(path, 1), [&](cairo_t* cr) {
    path.Emit(cr, kCentre);
    cairo_set_source(cr, source);
    cairo_set_fill_rule(cr, fillMode == win::FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
  });
  cairo_pattern_destroy(source);
  return s;
}

Path RectPath(double x, double y, double w, double h) {
  Path p;
  p.LineTo(static_cast<float>(x), static_cast<float>(y));
  p.LineTo(static_cast<float>(x + w), static_cast<float>(y));
  p.LineTo(static_cast<float>(x + w), static_cast<float>(y + h));
  p.LineTo(static_cast<float>(x), static_cast<float>(y + h));
  p.CloseFigure();
  return p;
}

Path PolylinePath(const win::GpPoint* points, int count, bool closed) {
  Path p;
  for (int i = 0; i < count; ++i) p.LineTo(static_cast<float>(points[i].X), static_cast<float>(points[i].Y));
  if (closed) p.CloseFigure();
  return p;
}

// A cardinal spline of tension 0.5 through the points, as Bézier segments.
Path Cardinal(const win::GpPoint* points, int count, bool closed) {
  constexpr double kTension = 0.5;
  Path p;
  auto at = [&](int i) {
    if (closed) i = ((i % count) + count) % count;
    else i = std::clamp(i, 0, count - 1);
    return points[i];
  };
  p.LineTo(static_cast<float>(points[0].X), static_cast<float>(points[0].Y));
  int segments = closed ? count : count - 1;
  for (int i = 0; i < segments; ++i) {
    win::GpPoint a = at(i - 1), b = at(i), c = at(i + 1), d = at(i + 2);
    p.CurveTo(static_cast<float>(b.X + kTension * (c.X - a.X) / 3), static_cast<float>(b.Y + kTension * (c.Y - a.Y) / 3),
              static_cast<float>(c.X - kTension * (d.X - b.X) / 3), static_cast<float>(c.Y - kTension * (d.Y - b.Y) / 3),
              static_cast<float>(c.X), static_cast<float>(c.Y));
  }
  if (closed) p.CloseFigure();
  return p;
}

// An inset pen keeps its whole width inside the shape.
double Inset(win::GpPen* pen) {
  Pen* p = Find<Pen>(pen);
  return p && p->alignment == win::PenAlignmentInset && p->width > 1 ? (p->width - 1) / 2.0 : 0.0;
}

}  // namespace

}  // namespace platform::gdiplus

namespace win {

using namespace platform::gdiplus;

GpStatus GdipDrawLineI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2) {
  Path p;
  p.LineTo(static_cast<float>(x1), static_cast<float>(y1));
  p.LineTo(static_cast<float>(x2), static_cast<float>(y2));
  return Stroke(graphics, pen, p);
}

GpStatus GdipDrawLinesI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count < 2) return InvalidParameter;
  return Stroke(graphics, pen, PolylinePath(points, count, false));
}

GpStatus GdipDrawRectangleI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  double in = Inset(pen);
  return Stroke(graphics, pen, RectPath(x + in, y + in, width - 2 * in, height - 2 * in));
}

GpStatus GdipFillRectangleI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  if (width <= 0 || height <= 0) return Find<Graphics>(graphics) && Find<Brush>(brush) ? Ok : InvalidParameter;
  // A rectangle's fill covers exactly its pixels, x to x + width - 1.
  return Fill(graphics, brush, RectPath(x - 0.5, y - 0.5, width, height), FillModeAlternate);
}

GpStatus GdipDrawArcI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle) {
  Path p;
  p.Arc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height), startAngle,
        sweepAngle);
  return Stroke(graphics, pen, p);
}

GpStatus GdipDrawBezierI(GpGraphics* graphics, GpPen* pen, INT x1, INT y1, INT x2, INT y2, INT x3, INT y3, INT x4,
                         INT y4) {
  Path p;
  p.LineTo(static_cast<float>(x1), static_cast<float>(y1));
  p.CurveTo(static_cast<float>(x2), static_cast<float>(y2), static_cast<float>(x3), static_cast<float>(y3),
            static_cast<float>(x4), static_cast<float>(y4));
  return Stroke(graphics, pen, p);
}

GpStatus GdipDrawEllipseI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height) {
  double in = Inset(pen);
  Path p;
  p.Arc(static_cast<float>(x + in), static_cast<float>(y + in), static_cast<float>(width - 2 * in),
        static_cast<float>(height - 2 * in), 0, 360);
  p.CloseFigure();
  return Stroke(graphics, pen, p);
}

GpStatus GdipFillEllipseI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height) {
  Path p;
  p.Arc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height), 0, 360);
  p.CloseFigure();
  return Fill(graphics, brush, p, FillModeAlternate);
}

GpStatus GdipDrawPieI(GpGraphics* graphics, GpPen* pen, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle) {
  Path p;
  p.LineTo(x + width / 2.0f, y + height / 2.0f);
  p.Arc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height), startAngle,
        sweepAngle);
  p.CloseFigure();
  return Stroke(graphics, pen, p);
}

GpStatus GdipFillPieI(GpGraphics* graphics, GpBrush* brush, INT x, INT y, INT width, INT height, REAL startAngle,
                      REAL sweepAngle) {
  Path p;
  p.LineTo(x + width / 2.0f, y + height / 2.0f);
  p.Arc(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width), static_cast<float>(height), startAngle,
        sweepAngle);
  p.CloseFigure();
  return Fill(graphics, brush, p, FillModeAlternate);
}

GpStatus GdipDrawPolygonI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count < 2) return InvalidParameter;
  return Stroke(graphics, pen, PolylinePath(points, count, true));
}

GpStatus GdipFillPolygonI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count,
                          GpFillMode fillMode) {
  if (!points || count < 2 || (fillMode != FillModeAlternate && fillMode != FillModeWinding)) return InvalidParameter;
  return Fill(graphics, brush, PolylinePath(points, count, true), fillMode);
}

GpStatus GdipDrawCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count < 2) return InvalidParameter;
  return Stroke(graphics, pen, Cardinal(points, count, false));
}

GpStatus GdipDrawClosedCurveI(GpGraphics* graphics, GpPen* pen, const GpPoint* points, INT count) {
  if (!points || count < 3) return InvalidParameter;
  return Stroke(graphics, pen, Cardinal(points, count, true));
}

GpStatus GdipFillClosedCurveI(GpGraphics* graphics, GpBrush* brush, const GpPoint* points, INT count) {
  if (!points || count < 3) return InvalidParameter;
  return Fill(graphics, brush, Cardinal(points, count, true), FillModeAlternate);
}

GpStatus GdipCreatePath(GpFillMode fillMode, GpPath** path) {
  if (!path) return InvalidParameter;
  *path = nullptr;
  if (fillMode != FillModeAlternate && fillMode != FillModeWinding) return InvalidParameter;
  auto p = std::make_unique<Path>();
  p->fillMode = fillMode;
  *path = AddObject<GpPath*>(std::move(p));
  return Ok;
}

GpStatus GdipDeletePath(GpPath* path) { return DeleteObjectOf(path, Kind::Path); }

GpStatus GdipAddPathArc(GpPath* path, REAL x, REAL y, REAL width, REAL height, REAL startAngle, REAL sweepAngle) {
  Path* p = Find<Path>(path);
  if (!p) return InvalidParameter;
  p->Arc(x, y, width, height, startAngle, sweepAngle);
  return Ok;
}

GpStatus GdipAddPathLine(GpPath* path, REAL x1, REAL y1, REAL x2, REAL y2) {
  Path* p = Find<Path>(path);
  if (!p) return InvalidParameter;
  p->LineTo(x1, y1);
  p->LineTo(x2, y2);
  return Ok;
}

GpStatus GdipStartPathFigure(GpPath* path) {
  Path* p = Find<Path>(path);
  if (!p) return InvalidParameter;
  p->figureOpen = false;
  return Ok;
}

GpStatus GdipClosePathFigure(GpPath* path) {
  Path* p = Find<Path>(path);
  if (!p) return InvalidParameter;
  p->CloseFigure();
  return Ok;
}

GpStatus GdipDrawPath(GpGraphics* graphics, GpPen* pen, GpPath* path) {
  Path* p = Find<Path>(path);
  if (!p) return InvalidParameter;
  return Stroke(graphics, pen, *p);
}

GpStatus GdipFillPath(GpGraphics* graphics, GpBrush* brush, GpPath* path) {
  Path* p = Find<Path>(path);
  if (!p) return InvalidParameter;
  return Fill(graphics, brush, *p, p->fillMode);
}

}  // namespace win
