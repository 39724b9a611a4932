#include "ui/choice/GroupBoxLayout.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "platform/win/Keys.h"
#include "ui/foundation/Geometry.h"

TcxGroupBoxCaptionPosition CaptionPositionOf(TcxCaptionAlignment Alignment) {
  switch (Alignment) {
    case alTopLeft: case alTopCenter: case alTopRight: return gcpTop;
    case alBottomLeft: case alBottomCenter: case alBottomRight: return gcpBottom;
    case alLeftTop: case alLeftCenter: case alLeftBottom: return gcpLeft;
    case alRightTop: case alRightCenter: case alRightBottom: return gcpRight;
    default: return gcpNone;
  }
}

bool IsVerticalCaption(TcxCaptionAlignment Alignment, bool PanelManner) {
  return !PanelManner && Alignment >= alLeftTop && Alignment <= alRightBottom;
}

TcxGroupBoxCaptionPosition OppositeCaptionPosition(TcxGroupBoxCaptionPosition Position) {
  switch (Position) {
    case gcpTop: return gcpBottom;
    case gcpBottom: return gcpTop;
    case gcpLeft: return gcpRight;
    case gcpRight: return gcpLeft;
    default: return gcpNone;
  }
}

bool GroupBoxAllowsShadow(TcxCaptionAlignment Alignment, bool PanelManner) {
  if (PanelManner) return true;
  const TcxGroupBoxCaptionPosition position = CaptionPositionOf(Alignment);
  return position == gcpTop || position == gcpLeft;
}

int GroupBoxCaptionSideExtent(TcxGroupBoxCaptionPosition Position, int SampleHeight) {
  return Position == gcpTop || Position == gcpBottom ? SampleHeight / 2 + 1 : SampleHeight / 2;
}

TRect PlainGroupBoxCaptionRect(TcxCaptionAlignment Alignment, int W, int H, int S, int TW, int TH,
                               bool CaptionEmpty) {
  if (CaptionEmpty) return TRect();
  TRect r(8, 0, 8 + TW, TH);
  switch (Alignment) {
    case alTopCenter: case alBottomCenter: case alCenterCenter:
      r.Left = ((W - S) - TW) / 2;
      r.Right = r.Left + TW;
      break;
    case alTopRight: case alBottomRight:
      r.Right = W - S - 8;
      r.Left = r.Right - TW;
      break;
    case alLeftTop: r = TRect(0, 8, TH, 9 + TW); break;
    case alLeftCenter:
      r.Left = 0;
      r.Right = TH;
      r.Bottom = (H - S) - (H - S - TW) / 2;
      r.Top = r.Bottom - TW - 1;
      break;
    case alLeftBottom:
      r.Left = 0;
      r.Right = TH;
      r.Bottom = H - S - 8;
      r.Top = r.Bottom - TW - 1;
      break;
    case alRightTop: r = TRect(W - TH, 8, W, 8 + TW); break;
    case alRightCenter:
      r = TRect(W - TH, (H - TW) / 2, W, 0);
      r.Bottom = r.Top + TW;
      break;
    case alRightBottom: r = TRect(W - TH, H - 8 - TW, W, H - 8); break;
    default: break;
  }
  if (CaptionPositionOf(Alignment) == gcpBottom) {
    r.Top = H - TH;
    r.Bottom = H;
  } else if (Alignment == alCenterCenter) {
    r.Top = ((H - S) - TH) / 2;
    r.Bottom = r.Top + TH;
  }
  return r;
}

TRect SkinnedCaptionBand(TcxGroupBoxCaptionPosition Position, const TRect& M) {
  switch (Position) {
    case gcpTop: return TRect(0, M.Top + M.Bottom, 0, 0);
    case gcpBottom: return TRect(0, 0, 0, M.Top + M.Bottom);
    case gcpLeft: return TRect(M.Left + M.Right, 0, 0, 0);
    case gcpRight: return TRect(0, 0, M.Left + M.Right, 0);
    default: return TRect();
  }
}

TcxSkinnedCaptionLayout SkinnedGroupBoxCaptionLayout(TcxCaptionAlignment Alignment, int W, int H, int TW, int TH,
                                                      int QqHeight, const TRect& Margins, bool NonClient,
                                                      const std::function<void(int& Value)>& MeasureCaptionHeight) {
  const TcxGroupBoxCaptionPosition position = CaptionPositionOf(Alignment);
  const TRect band = SkinnedCaptionBand(position, Margins);
  const int depth = std::max(TH, QqHeight);
  TcxSkinnedCaptionLayout l;
  l.BorderRect = TRect(0, 0, W, H);
  TRect& c = l.CaptionRect = l.BorderRect;
  switch (position) {
    case gcpTop:
      c.Bottom = c.Top + depth;
      if (NonClient)
        c.Top -= band.Top;
      else
        c.Bottom += band.Top;
      break;
    case gcpBottom: c.Top = c.Bottom - depth - band.Bottom; break;
    case gcpLeft:
      c.Right = c.Left + depth;
      if (NonClient)
        c.Left -= band.Left;
      else
        c.Right += band.Left;
      break;
    case gcpRight: c.Left = c.Right - depth - band.Right; break;
    default: c = CenterExtentInRect(c, TW, depth); break;
  }
  if (NonClient) {
    if (position == gcpTop) l.BorderRect.Bottom -= band.Top;
    if (position == gcpLeft) l.BorderRect.Right -= band.Left;
  }

  TRect& t = l.TextRect = RectWithinMargins(c, Margins);
  switch (Alignment) {
    case alTopRight: case alBottomRight: t.Left = t.Right - TW; break;
    case alTopCenter: case alBottomCenter: t.Left = (t.Left + t.Right - TW) / 2; break;
    case alLeftTop: case alRightTop: t.Bottom = t.Top + TW; break;
    case alLeftBottom: case alRightBottom: t.Top = t.Bottom - TW; break;
    case alLeftCenter: case alRightCenter:
      t.Top = (t.Top + t.Bottom - TW) / 2;
      t.Bottom = t.Top + TW;
      break;
    default: break;
  }

  const bool vertical = IsVerticalCaption(Alignment, false);
  int value = vertical ? c.Right - c.Left : c.Bottom - c.Top;
  if (MeasureCaptionHeight) MeasureCaptionHeight(value);
  switch (position) {
    case gcpTop: c.Bottom = c.Top + value; break;
    case gcpBottom: c.Top = c.Bottom - value; break;
    case gcpLeft: c.Right = c.Left + value; break;
    case gcpRight: c.Left = c.Right - value; break;
    default: break;
  }
  return l;
}

namespace {

bool IndentsLeft(TcxCaptionAlignment A) {
  return A == alTopLeft || A == alBottomLeft || CaptionPositionOf(A) == gcpLeft;
}
bool IndentsRight(TcxCaptionAlignment A) {
  return A == alTopRight || A == alBottomRight || CaptionPositionOf(A) == gcpRight;
}
bool IndentsTop(TcxCaptionAlignment A) {
  return CaptionPositionOf(A) == gcpTop || A == alLeftTop || A == alRightTop;
}
bool IndentsBottom(TcxCaptionAlignment A) {
  return CaptionPositionOf(A) == gcpBottom || A == alLeftBottom || A == alRightBottom;
}
bool CentredAcross(TcxCaptionAlignment A) {
  return A == alTopCenter || A == alBottomCenter || A == alCenterCenter;
}
bool CentredUpDown(TcxCaptionAlignment A) {
  return A == alLeftCenter || A == alRightCenter || A == alCenterCenter;
}

}  // namespace

TRect PanelCaptionContentRect(TcxCaptionAlignment A, const TRect& Bounds, int Shadow, int BorderWidth,
                              int CaptionIndent) {
  TRect r(Bounds.Left, Bounds.Top, Bounds.Right - Shadow, Bounds.Bottom - Shadow);
  r = GrowRect(r, -BorderWidth, -BorderWidth);
  if (IndentsLeft(A)) r.Left += CaptionIndent;
  if (IndentsRight(A)) r.Right -= CaptionIndent;
  if (IndentsTop(A)) r.Top += CaptionIndent;
  if (IndentsBottom(A)) r.Bottom -= CaptionIndent;
  return r;
}

unsigned PanelCaptionTextFlags(TcxCaptionAlignment A, bool WordWrap) {
  unsigned flags = 0;
  if (CentredAcross(A)) flags |= win::DT_CENTER;
  if (IndentsRight(A)) flags |= win::DT_RIGHT;
  if (CentredUpDown(A)) flags |= win::DT_VCENTER;
  if (IndentsBottom(A)) flags |= win::DT_BOTTOM;
  flags |= WordWrap ? win::DT_WORDBREAK : win::DT_SINGLELINE;
  return flags;
}

TRect PanelCaptionTextRect(TcxCaptionAlignment A, const TRect& Content, const TRect& Measured) {
  const int width = Measured.Right - Measured.Left, height = Measured.Bottom - Measured.Top;
  TRect t = MakeBoundsRect(Content.Left, Content.Top, width, height);
  // The shifts subtract the text's own left and top edge as well: centred panel captions sit that
  // much left of and above the middle.
  if (CentredAcross(A))
    t = ShiftRect(t, (Content.Right - Content.Left - width - t.Left) / 2, 0, true);
  else if (IndentsRight(A))
    t = PlaceRectLeftAt(t, Content.Right - width, width);
  if (CentredUpDown(A))
    t = ShiftRect(t, 0, (Content.Bottom - Content.Top - height - t.Top) / 2, true);
  else if (IndentsBottom(A))
    t = PlaceRectTopAt(t, Content.Bottom - height, height);
  return t;
}

int BalancedColumnCount(int Columns, int ItemCount) {
  const int c = std::min(std::max(Columns, 1), ItemCount);
  if (c <= 0) return 0;
  const int rows = (ItemCount + c - 1) / c;
  return (ItemCount + rows - 1) / rows;
}

int UnbalancedColumnCount(int Columns, int ItemCount) {
  const int c = std::min(Columns, ItemCount);
  return c <= 0 ? 1 : c;
}

int ItemRowCount(int ItemCount, int ColumnCount) {
  return ColumnCount <= 0 ? 0 : (ItemCount + ColumnCount - 1) / ColumnCount;
}

TRect ButtonGroupItemBounds(int Index, const TRect& B, const TRect& E, int Columns, int Rows, int ContentAdjust,
                            int FirstColumnInset, int ColumnSpacing) {
  const int cw = (B.Right - B.Left - E.Left - E.Right + ContentAdjust - (Columns - 1) * ColumnSpacing) / Columns;
  const int hv = B.Bottom - B.Top - E.Top - E.Bottom;
  const int rh = hv / Rows;
  const int top0 = B.Top + E.Top + (hv % Rows) / 2;
  const int column = Index / Rows, row = Index % Rows;
  const int left = B.Left + E.Left + (cw + ColumnSpacing) * column + FirstColumnInset;
  const int top = row * rh + top0;
  return TRect(left, top, left + cw, top + rh);
}

int ButtonGroupArrowTarget(int Index, unsigned Key, int ItemCount, int Rows) {
  if (Rows <= 0 || Index < 0 || Index >= ItemCount) return -1;
  const int column = Index / Rows, row = Index % Rows;
  const int inColumn = std::min(Rows, ItemCount - column * Rows);
  switch (Key) {
    case win::VK_LEFT: return column > 0 ? Index - Rows : -1;
    case win::VK_UP: return row > 0 ? Index - 1 : -1;
    case win::VK_RIGHT: return Index + Rows < ItemCount ? Index + Rows : -1;
    case win::VK_DOWN: return row < inColumn - 1 ? Index + 1 : -1;
    default: return -1;
  }
}
