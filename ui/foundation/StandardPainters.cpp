#include "ui/foundation/StandardPainters.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"

using namespace win;

using TSP = TcxStandardLookAndFeelPainter;
using TFP = TcxFlatLookAndFeelPainter;

const TcxStandardLookAndFeelPainter* StandardLookAndFeelPainter() {
  static const TcxStandardLookAndFeelPainter instance;
  return &instance;
}

const TcxFlatLookAndFeelPainter* FlatLookAndFeelPainter() {
  static const TcxFlatLookAndFeelPainter instance;
  return &instance;
}

namespace {

TRect Deflated(TRect R, int D) { return TRect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D); }
bool IsEmpty(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

// A two-colour frame, then the next one a pixel inside.
void Frames(TcxCanvas* C, TRect R, std::initializer_list<std::pair<TColor, TColor>> Pairs,
            TcxBorders Sides = cxBordersAll) {
  for (auto [lt, rb] : Pairs) {
    C->DrawTwoColorFrame(R, lt, rb, Sides);
    R = Deflated(R, 1);
  }
}

TBitmap*& PatternSlot(int Index) {
  static TBitmap* bitmaps[2] = {nullptr, nullptr};
  return bitmaps[Index];
}

void PaintPattern(TBitmap* B, TColor Even, TColor Odd) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) B->Canvas()->SetPixels(x, y, (x % 2) == (y % 2) ? Even : Odd);
}

}  // namespace

TBitmap* ScrollBarPatternBitmap(int Index) {
  if (!PatternSlot(0)) RefreshScrollBarPatternBitmaps();
  return PatternSlot(Index);
}

void RefreshScrollBarPatternBitmaps() {
  for (int i = 0; i < 2; ++i)
    if (!PatternSlot(i)) {
      PatternSlot(i) = new TBitmap();
      PatternSlot(i)->SetSize(8, 8);
    }
  PaintPattern(PatternSlot(0), clBtnFace, clBtnHighlight);
  PaintPattern(PatternSlot(1), clBlack, cl3DDkShadow);
}

void FreeScrollBarPatternBitmaps() {
  for (int i = 0; i < 2; ++i) {
    delete PatternSlot(i);
    PatternSlot(i) = nullptr;
  }
}

// ---- standard -------------------------------------------------------------------------------------

void TSP::DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const {
  Frames(ACanvas, R, {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}});
}

void TSP::DrawSeparator(TcxCanvas* ACanvas, const TRect& R, bool Vertical) const {
  TRect strip = SeparatorLineBounds(R, 2, Vertical);
  strip.Right -= 1;
  strip.Bottom -= 1;
  ACanvas->FillRectWithColor(strip, clBtnShadow);
  ACanvas->FillRectWithColor(TRect(strip.Left + 1, strip.Top + 1, strip.Right + 1, strip.Bottom + 1), clBtnHighlight);
}

void TSP::DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params, bool Horizontal) const {
  TRect r = R;
  auto pair = [&](TColor First, TColor Last) {
    if (Horizontal) {
      ACanvas->FillRectWithColor(TRect(r.Left, r.Top, r.Right, r.Top + 1), First);
      ACanvas->FillRectWithColor(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), Last);
      r = TRect(r.Left - 1, r.Top + 1, r.Right + 1, r.Bottom - 1);
    } else {
      ACanvas->FillRectWithColor(TRect(r.Left, r.Top, r.Left + 1, r.Bottom), First);
      ACanvas->FillRectWithColor(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), Last);
      r = TRect(r.Left + 1, r.Top - 1, r.Right - 1, r.Bottom + 1);
    }
  };
  pair(clBtnFace, cl3DDkShadow);
  pair(clBtnHighlight, clBtnShadow);
  DrawFooterBackground(ACanvas, r, Params);
}

void TSP::DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (State == cxbsPressed) {
    Frames(ACanvas, R, {{clBlack, clBlack}, {clBtnShadow, clBtnShadow}});
  } else if (State == cxbsDefault) {
    Frames(ACanvas, R, {{clBlack, clBlack}, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}});
  } else {
    Frames(ACanvas, R, {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}});
  }
}

void TSP::DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const {
  FlatLookAndFeelPainter()->TcxCustomLookAndFeelPainter::DrawGroupExpander(ACanvas, R, Expanded, State);
}

void TSP::DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const {
  ACanvas->DrawSideFrame(R, clBtnHighlight, 1, TcxBorders{bLeft, bTop});
  ACanvas->DrawSideFrame(R, cl3DDkShadow, 1, TcxBorders{bRight, bBottom});
  TRect inner = Deflated(R, 1);
  ACanvas->DrawSideFrame(inner, clBtnShadow, 1, TcxBorders{bRight, bBottom});
  inner.Right -= 1;
  inner.Bottom -= 1;
  ACanvas->FillRectWithColor(inner, Color == clDefault ? clBtnFace : Color);
  DrawExpandCross(ACanvas, R, Expanded, clBtnText);
  ACanvas->ExcludeRectFromClip(R);
}

void TSP::DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState) const {
  Frames(ACanvas, R, {{cl3DDkShadow, cl3DLight}, {clBtnShadow, clBtnHighlight}});
}

void TSP::DrawColumnHeaderFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Neighbours, TcxBorders) const {
  ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow);
  // Neighbours join: the raised edges give way where another header continues.
  if (Neighbours.Contains(bLeft)) {
    ACanvas->PutPixel(R.Left, R.Top + 1, clBtnFace);
    ACanvas->PutPixel(R.Left, R.Bottom - 2, clBtnFace);
  }
  if (Neighbours.Contains(bRight)) {
    ACanvas->PutPixel(R.Right - 1, R.Top, clBtnHighlight);
    ACanvas->PutPixel(R.Right - 1, R.Top + 1, clBtnFace);
    ACanvas->PutPixel(R.Right - 1, R.Bottom - 2, clBtnFace);
  }
}

void TSP::DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, TcxButtonState State) const {
  if (State == cxbsPressed)
    Frames(ACanvas, R, {{clBtnShadow, clBtnShadow}}, Sides);
  else
    Frames(ACanvas, R, {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}}, Sides);
}

void TSP::DrawSortTriangle(TcxCanvas* ACanvas, const TRect& R, bool Ascending, TColor Light, TColor Dark) const {
  const TSize size = SortArrowSize();
  int cx = (R.Left + R.Right) / 2;
  if ((R.Right - R.Left) % 2 == 0) --cx;
  const int top = (R.Top + R.Bottom - size.cy) / 2, bottom = top + size.cy - 1;
  const int left = cx - size.cx / 2, right = left + size.cx - 1;
  const int apexY = Ascending ? top : bottom, baseY = Ascending ? bottom : top;
  TCanvas* c = ACanvas->Canvas();
  c->Pen()->SetColor(Light);
  c->MoveTo(cx, apexY);
  c->LineTo(right, baseY);  // right edge
  c->Pen()->SetColor(Ascending ? Light : Dark);
  c->LineTo(left, baseY);  // base
  c->Pen()->SetColor(Dark);
  c->LineTo(cx, apexY);  // left edge
}

void TSP::DrawSortArrow(TcxCanvas* ACanvas, const TRect& R, bool Ascending) const {
  DrawSortTriangle(ACanvas, R, Ascending, clBtnHighlight, clBtnShadow);
}

void TSP::DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                                  const TcxPaintParams& Params, int Which, int ArrowOffset,
                                  const TcxDrawBackgroundEvent& OnDrawBackground) const {
  TcxBorders sides = cxBordersAll;
  if (Neighbours.Contains(bRight)) sides.Exclude(bRight);
  if (Neighbours.Contains(bLeft)) sides.Exclude(bLeft);
  ACanvas->DrawSideFrame(R, clBlack, 1, sides);
  TRect content = R;
  if (sides.Contains(bLeft)) ++content.Left;
  if (sides.Contains(bRight)) --content.Right;
  ++content.Top;
  --content.Bottom;
  DrawColumnHeader(ACanvas, content, content, Neighbours, VisibleHeaderSides(Neighbours), cxbsNormal, taCenter,
                   vaCenter, false, false, Text, Params.Font, Params.TextColor, Params.Color, OnDrawBackground, false,
                   false);
  DrawMonthHeaderArrows(ACanvas, R, Which, ArrowOffset, clWindowText);
}

void TSP::DrawFooterFrame(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow);
}

void TSP::DrawFooterCellFrame(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight);
}

void TSP::DrawFilterDropDownArrowButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State,
                                        bool Active) const {
  if (State == cxbsPressed)
    ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight);
  else
    ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow);
  ACanvas->FillRectWithColor(Deflated(R, 1), clBtnFace);
  DrawDownArrowGlyph(ACanvas, R, Active ? static_cast<TColor>(0xFF0000) : clBtnText);
}

void TSP::DrawTabStripBase(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, bool) const {
  ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow, Sides);
}

void TSP::DrawTabItemFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorder Border, TcxBorders Sides,
                           bool Vertical) const {
  TRect r = R;
  if (!Vertical) {
    if (Border == bTop) {
      r.Left += 1;
      r.Right -= 1;
      ACanvas->PutPixel(r.Left - 1, r.Top + 1, clBtnHighlight);
      ACanvas->PutPixel(r.Right, r.Top + 1, clBtnHighlight);
    } else {
      if (Sides.Contains(bTop)) r.Top += 2;
      if (Sides.Contains(bBottom)) r.Bottom -= 1;
    }
    ACanvas->FillRectWithColor(r, Border == bRight ? clBtnShadow : clBtnHighlight);
  } else {
    if (Border == bLeft) {
      r.Top += Sides.Contains(bTop) ? 2 : 1;
      r.Bottom -= Sides.Contains(bBottom) ? 2 : 1;
      ACanvas->PutPixel(r.Left + 1, r.Top - 1, clBtnHighlight);
      ACanvas->PutPixel(r.Left + 1, r.Bottom, clBtnHighlight);
    } else if (Sides.Contains(bLeft)) {
      r.Left += 1;
    }
    ACanvas->FillRectWithColor(r, Border == bBottom ? clBtnShadow : clBtnHighlight);
  }
}

void TSP::DrawScrollBarTrackPart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) {
  TBitmap* pattern = ScrollBarPatternBitmap(State == cxbsPressed ? 1 : 0);
  ACanvas->FillRectWithBitmap(R, pattern);
  ACanvas->ActiveBrush()->SetStyle(bsSolid);
}

void TSP::DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                               TcxButtonState State) const {
  if (IsEmpty(R) || (Part == 3 && State == cxbsDisabled)) return;
  if (State == cxbsHot) State = cxbsNormal;
  auto scrollButtonFrame = [&](const TRect& F, bool pressedArrow) {
    if (pressedArrow)
      Frames(ACanvas, F, {{clBtnShadow, clBtnShadow}, {clBtnFace, clBtnFace}});
    else
      Frames(ACanvas, F, {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}});
  };
  switch (Part) {
    case 4:
    case 5:
      DrawScrollBarTrackPart(ACanvas, R, State);
      break;
    case 3:
      scrollButtonFrame(R, false);
      ACanvas->FillRectWithColor(Deflated(R, ButtonBorderWidth(cxbsNormal)), clBtnFace);
      break;
    case 1:
    case 2: {
      TRect r = R;
      if (State == cxbsPressed) r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
      UINT kind = Horizontal ? (Part == 1 ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT)
                             : (Part == 1 ? DFCS_SCROLLUP : DFCS_SCROLLDOWN);
      if (State == cxbsDisabled) kind |= DFCS_INACTIVE;
      if (State == cxbsPressed) kind |= DFCS_FLAT;
      RECT rr = r;
      ACanvas->PushClipRegion();
      ACanvas->ClipToRect(R);
      DrawFrameControl(ACanvas->DeviceContext(), &rr, DFC_SCROLL, kind);
      ACanvas->PopClipRegion();
      scrollButtonFrame(R, State == cxbsPressed);
      break;
    }
    default:
      break;
  }
}

void TSP::DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool, int, TcxBorders Sides) const {
  TRect r = R;
  r.Right -= 1;
  r.Bottom -= 1;
  ACanvas->DrawSideFrame(r, clBtnShadow, 1, Sides, true);
  ACanvas->DrawSideFrame(TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1), clBtnHighlight, 1, Sides, true);
}

void TSP::DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const {
  Frames(ACanvas, R, {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}});
}

void TSP::DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints& InnerDarkEdge,
                                        const TcxPoints& OuterDarkEdge) const {
  auto poly = [&](const TcxPoints& P, TColor C) {
    ACanvas->ActivePen()->SetColor(C);
    ACanvas->DrawPolyline(P.data(), static_cast<int>(P.size()) - 1);
  };
  poly(LightEdge, clBtnHighlight);
  poly(InnerDarkEdge, clBtnShadow);
  poly(OuterDarkEdge, cl3DDkShadow);
}

void TSP::DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const {
  Frames(ACanvas, R, {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}});
}

// ---- flat -----------------------------------------------------------------------------------------

void TFP::DrawControlBorder(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight);
}

void TFP::DrawSeparatorBar(TcxCanvas* ACanvas, const TRect& R, const TcxPaintParams& Params, bool Horizontal) const {
  TRect r = R;
  if (Horizontal) {
    ACanvas->FillRectWithColor(TRect(r.Left, r.Top, r.Right, r.Top + 1), clBtnHighlight);
    ACanvas->FillRectWithColor(TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom), clBtnShadow);
    r = TRect(r.Left - 1, r.Top + 1, r.Right + 1, r.Bottom - 1);
  } else {
    ACanvas->FillRectWithColor(TRect(r.Left, r.Top, r.Left + 1, r.Bottom), clBtnHighlight);
    ACanvas->FillRectWithColor(TRect(r.Right - 1, r.Top, r.Right, r.Bottom), clBtnShadow);
    r = TRect(r.Left + 1, r.Top - 1, r.Right - 1, r.Bottom + 1);
  }
  DrawFooterBackground(ACanvas, r, Params);
}

void TFP::DrawButtonFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  if (State == cxbsPressed)
    Frames(ACanvas, R, {{clBtnShadow, clBtnHighlight}});
  else if (State == cxbsDefault)
    Frames(ACanvas, R, {{clBlack, clBlack}, {clBtnHighlight, clBtnShadow}});
  else
    Frames(ACanvas, R, {{clBtnHighlight, clBtnShadow}});
}

void TFP::DrawGroupExpander(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TcxButtonState State) const {
  TcxCustomLookAndFeelPainter::DrawGroupExpander(ACanvas, R, Expanded, State);
}

void TFP::DrawExpandBox(TcxCanvas* ACanvas, const TRect& R, bool Expanded, TColor Color) const {
  DrawPushButton(ACanvas, R, "", cxbsNormal, true, Color, clDefault, false, 0);
  DrawExpandCross(ACanvas, R, Expanded, clBtnText);
  ACanvas->ExcludeRectFromClip(R);
}

void TFP::DrawCheckBoxFrame(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State) const {
  Frames(ACanvas, R, {{clBtnShadow, clBtnHighlight}, {CheckBoxFaceColor(State), CheckBoxFaceColor(State)}});
}

void TFP::DrawHeaderSectionFrame(TcxCanvas* ACanvas, const TRect& R, TcxBorders Sides, TcxButtonState State) const {
  if (State == cxbsPressed)
    ACanvas->DrawTwoColorFrame(R, clBtnShadow, clBtnHighlight, Sides);
  else
    ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow, Sides);
}

void TFP::DrawCalendarMonthHeader(TcxCanvas* ACanvas, const TRect& R, const String& Text, TcxBorders Neighbours,
                                  const TcxPaintParams& Params, int Which, int ArrowOffset,
                                  const TcxDrawBackgroundEvent& OnDrawBackground) const {
  TcxCustomLookAndFeelPainter::DrawCalendarMonthHeader(ACanvas, R, Text, Neighbours, Params, Which, ArrowOffset,
                                                       OnDrawBackground);
}

void TFP::DrawScrollBarElement(TcxCanvas* ACanvas, bool Horizontal, const TRect& R, int Part,
                               TcxButtonState State) const {
  if (IsEmpty(R) || (Part == 3 && State == cxbsDisabled)) return;
  if (State == cxbsHot) State = cxbsNormal;
  if (Part == 4 || Part == 5) {
    DrawScrollBarTrackPart(ACanvas, R, State);
    return;
  }
  if (Part < 1 || Part > 3) return;
  DrawPushButton(ACanvas, R, "", State, true, clDefault, clDefault, false, 0);
  if (Part == 3) return;
  const TcxArrowPointing pointing = Horizontal ? (Part == 1 ? adLeft : adRight) : (Part == 1 ? adUp : adDown);
  DrawArrowButtonGlyph(ACanvas, Deflated(R, ButtonBorderWidth(cxbsNormal)), State, pointing);
}

void TFP::DrawGroupBoxBorder(TcxCanvas* ACanvas, const TRect& R, bool, int, TcxBorders Sides) const {
  ACanvas->DrawSideFrame(R, clBtnShadow, 1, Sides, true);
  ACanvas->DrawSideFrame(Deflated(R, 1), clBtnHighlight, 1, Sides, true);
}

void TFP::DrawTrackBarTrackFrame(TcxCanvas* ACanvas, const TRect& R) const {
  Frames(ACanvas, R, {{clBtnShadow, clBtnHighlight}, {clBtnFace, clBtnFace}});
}

void TFP::DrawTrackBarPointedThumbEdges(TcxCanvas* ACanvas, const TcxPoints& LightEdge, const TcxPoints&,
                                        const TcxPoints& OuterDarkEdge) const {
  ACanvas->ActivePen()->SetColor(clBtnHighlight);
  ACanvas->DrawPolyline(LightEdge.data(), static_cast<int>(LightEdge.size()) - 1);
  ACanvas->ActivePen()->SetColor(clBtnShadow);
  ACanvas->DrawPolyline(OuterDarkEdge.data(), static_cast<int>(OuterDarkEdge.size()) - 1);
}

void TFP::DrawTrackBarRectThumbEdges(TcxCanvas* ACanvas, const TRect& R) const {
  ACanvas->DrawTwoColorFrame(R, clBtnHighlight, clBtnShadow);
}

void TFP::DrawBlankHeader(TcxCanvas* ACanvas, TRect& R) const {
  ACanvas->FillRectWithColor(R, DefaultBlankHeaderColor());
  ACanvas->FillRectWithColor(TRect(R.Left, R.Bottom - 1, R.Right, R.Bottom), clBtnFace);
  R.Bottom -= 1;
}
