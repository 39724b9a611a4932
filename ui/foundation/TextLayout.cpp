#include "ui/foundation/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/system/CodePage.h"
#include "platform/system/Locale.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/Geometry.h"

using namespace win;

// ---- characters ---------------------------------------------------------------------------------

bool IsNoLineStartChar(char32_t C) {
  static constexpr char32_t kChars[] = {
      0x0021, 0x0025, 0x0029, 0x002C, 0x002E, 0x003A, 0x003B, 0x003E, 0x003F, 0x005D, 0x007D, 0x00A8, 0x00B0,
      0x00B7, 0x02C7, 0x02C9, 0x2013, 0x2014, 0x2015, 0x2016, 0x2018, 0x2019, 0x201D, 0x2022, 0x2025, 0x2026,
      0x2027, 0x2032, 0x2033, 0x2103, 0x2236, 0x2574, 0x3001, 0x3002, 0x3003, 0x3005, 0x3009, 0x300B, 0x300D,
      0x300F, 0x3011, 0x3015, 0x3017, 0x301E, 0x309B, 0x309C, 0xFE30, 0xFE31, 0xFE33, 0xFE34, 0xFE36, 0xFE38,
      0xFE3A, 0xFE3C, 0xFE3E, 0xFE40, 0xFE42, 0xFE44, 0xFE4F, 0xFE50, 0xFE51, 0xFE52, 0xFE54, 0xFE55, 0xFE56,
      0xFE57, 0xFE5A, 0xFE5C, 0xFE5E, 0xFF01, 0xFF02, 0xFF05, 0xFF07, 0xFF09, 0xFF0C, 0xFF0D, 0xFF0E, 0xFF1A,
      0xFF1B, 0xFF1E, 0xFF1F, 0xFF3D, 0xFF5C, 0xFF5D, 0xFF5E, 0xFF61, 0xFF63, 0xFF64, 0xFF9E, 0xFF9F};
  if (C >= 0xFFE0 && C <= 0xFFFF) return true;
  return std::binary_search(std::begin(kChars), std::end(kChars), C);
}

namespace {

// Whether a character takes more than one byte in the ANSI code page, asked once per character.
bool IsMultiByteInAnsi(char32_t C) {
  if (C > 0xFFFF) return false;  // GBK holds none: they become a one-byte '?'
  static std::vector<std::int8_t> known(0x10000, -1);
  std::int8_t& k = known[C];
  if (k < 0) {
    std::string utf8;
    Utf8Append(utf8, C);
    k = platform::Utf8ToCodePage(utf8, platform::kCodePageAnsi).size() > 1 ? 1 : 0;
  }
  return k == 1;
}

}  // namespace

bool IsIdeographChar(char32_t C) {
  if ((C >= 0x4E00 && C <= 0x9FFF) || (C >= 0x3040 && C <= 0x30FF) || (C >= 0xAC00 && C <= 0xD7A3)) return true;
  return C > 0x7F && IsMultiByteInAnsi(C);
}

namespace {

bool IsBlank(char32_t C) { return C == U' ' || C == U'\t'; }
bool IsLineBreak(char32_t C) { return C == U'\r' || C == U'\n'; }

// The system locale writes an East Asian language: characters break wherever words may.
bool FarEastLocale() {
  const LANGID primary = static_cast<LANGID>(GetSystemDefaultLCID() & 0x3FF);
  return primary == 0x04 || primary == 0x11 || primary == 0x12;
}

// The logical extent of a device extent.
TSize LogicalExtent(HDC DC, int DX, int DY) {
  POINT p[2] = {{0, 0}, {DX, DY}};
  DPtoLP(DC, p, 2);
  return TSize(std::abs(p[1].x - p[0].x), std::abs(p[1].y - p[0].y));
}

// The DC's clip region, put back by Restore.
class SavedClip {
 public:
  explicit SavedClip(HDC DC) : FDC(DC), FRegion(CreateRectRgn(0, 0, 0, 0)) {
    FHad = GetClipRgn(DC, FRegion) == 1;
  }
  ~SavedClip() { DeleteObject(FRegion); }
  SavedClip(const SavedClip&) = delete;
  SavedClip& operator=(const SavedClip&) = delete;
  void Restore() { SelectClipRgn(FDC, FHad ? FRegion : nullptr); }

 private:
  HDC FDC;
  HRGN FRegion;
  bool FHad = false;
};

HBRUSH gPatternBrushes[2] = {nullptr, nullptr};

// A 0 bit paints in the text colour, a 1 bit in the background colour: the normal pattern is a
// checkerboard of single pixels, the bold one solid.
HBRUSH PatternBrush(bool Bold) {
  HBRUSH& brush = gPatternBrushes[Bold ? 1 : 0];
  if (!brush) {
    WORD rows[8];
    for (int i = 0; i < 8; ++i) rows[i] = Bold ? 0x0000 : (i % 2 == 0 ? 0x5555 : 0xAAAA);
    HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, rows);
    brush = CreatePatternBrush(bitmap);
    DeleteObject(bitmap);
  }
  return brush;
}

int TextWidthOf(HDC DC, const TIndexedText& Text, int From, int Length, bool ExpandTabs) {
  TSize size;
  CalcTextExtents(DC, Text, From, Length, ExpandTabs, size);
  return size.cx;
}

// The most characters from From (at most Length) whose extent fits in MaxWidth; -1 when the
// query fails.
int FittingCharacters(HDC DC, const TIndexedText& Text, int From, int Length, int MaxWidth) {
  INT fit = 0;
  if (!GetTextExtentExPoint(DC, Text.At(From), Length, std::max(0, MaxWidth), &fit, nullptr, nullptr)) return -1;
  return std::clamp(static_cast<int>(fit), 0, Length);
}

struct RowBreakOptions {
  bool WordBreaking;
  bool CharBreaking;
};

RowBreakOptions BreakOptionsOf(const TcxTextLayoutParams& P) {
  const bool word = !P.SingleLine && (P.WordBreak || P.HorzAlignment == 3 || P.HorzAlignment == 4);
  return {word, word && (P.CharBreak || P.EditControl)};
}

// The end of the break unit at P: a blank alone, an ideograph (with a character that may not
// begin a row after it), or a run up to the next blank, line break or ideograph.
int NextBreakPosition(const TIndexedText& T, int P, int End) {
  const char32_t c = T[P];
  if (IsBlank(c)) return P + 1;
  if (IsIdeographChar(c)) return (P + 1 < End && IsNoLineStartChar(T[P + 1])) ? P + 2 : P + 1;
  int q = P;
  while (q < End && !IsBlank(T[q]) && !IsLineBreak(T[q]) && !IsIdeographChar(T[q])) ++q;
  return q;
}

int NextLineEnd(const TIndexedText& T, int P, int End) {
  while (P < End && !IsLineBreak(T[P])) ++P;
  return P;
}

// One CR LF or LF CR pair, or a single CR or LF, at P.
int SkipLineBreak(const TIndexedText& T, int P, int End) {
  if (P >= End || !IsLineBreak(T[P])) return P;
  const char32_t first = T[P++];
  if (P < End && IsLineBreak(T[P]) && T[P] != first) ++P;
  return P;
}

struct BrokenRow {
  int End = 0;    // one past the row's last character
  int Next = 0;   // where the next row starts
  int Width = 0;
  bool Wrapped = false;
};

BrokenRow BreakTextRow(HDC DC, const TIndexedText& T, int P, int End, int MaxWidth, const TcxTextLayoutParams& Params,
                       bool EllipsisRow) {
  const RowBreakOptions options = BreakOptionsOf(Params);
  const int rowStart = P;
  int accepted = 0;
  BrokenRow row;
  while (P < End) {
    int q = (options.WordBreaking && !Params.MeasureOnly) ? NextBreakPosition(T, P, End) : NextLineEnd(T, P, End);
    // The row is measured from its start. Advances add up exactly (the drawing layer neither
    // kerns nor shapes), so only tab stops, which depend on where the row begins, need the whole
    // row measured again; a long row stays linear.
    const int width = Params.ExpandTabs ? TextWidthOf(DC, T, rowStart, q - rowStart, true)
                                        : accepted + TextWidthOf(DC, T, P, q - P, false);
    if (options.WordBreaking && width > MaxWidth && q > P) {
      row.Wrapped = true;
      if (P > rowStart && !EllipsisRow) {
        row.End = row.Next = P;
        row.Width = accepted;
      } else if (options.CharBreaking) {
        int fit = FittingCharacters(DC, T, P, q - P, MaxWidth - accepted);
        fit = std::max(1, fit);
        row.End = row.Next = P + fit;
        row.Width = TextWidthOf(DC, T, rowStart, row.End - rowStart, Params.ExpandTabs);
      } else {
        // The segment stays whole and overflows; under an ellipsis the line break after it goes
        // with it.
        row.End = row.Next = q;
        row.Width = width;
        if (Params.EndEllipsis && q < End && IsLineBreak(T[q])) {
          row.Next = SkipLineBreak(T, q, End);
          row.Wrapped = false;
        }
      }
      return row;
    }
    if (q < End && IsLineBreak(T[q])) {
      row.End = q;
      row.Next = SkipLineBreak(T, q, End);
      row.Width = width;
      return row;
    }
    P = q;
    accepted = width;
  }
  row.End = row.Next = End;
  row.Width = accepted;
  return row;
}

bool IsLastTextRow(const TcxTextLayoutParams& P, const TRect& R, int RowCount, int RunningHeight, int MaxRows) {
  if (P.SingleLine) return true;
  if (P.VertAlignment == 0 && !P.MeasureOnly && !P.CountRows) {
    // With edit-control rules and clipping a partly visible row is never produced.
    if (P.EditControl && !P.NoClip) return RunningHeight + P.RowHeight > HeightOfRect(R);
    return RunningHeight > HeightOfRect(R);
  }
  return MaxRows > 0 && RowCount == MaxRows;
}

// What the system's own character set is when a font says DEFAULT_CHARSET.
BYTE EffectiveCharset(BYTE Charset) {
  if (Charset != DEFAULT_CHARSET) return Charset;
  switch (GetACP()) {
    case 936: return GB2312_CHARSET;
    case 950: return CHINESEBIG5_CHARSET;
    default: return ANSI_CHARSET;
  }
}

// These character sets measure a highlight from the row's right end; for text read from left to
// right that gives the same pixels.
bool TextRendersRightToLeft(BYTE Charset, const TIndexedText& T, int From) {
  const BYTE charset = EffectiveCharset(Charset);
  if (charset != 134 && charset != 136 && charset != 178) return false;
  return From < T.Length() && T[From] > 0x7F && IsMultiByteInAnsi(T[From]);
}

void DrawRowText(HDC DC, const TcxTextLayoutParams& Params, const TIndexedText& T, const TcxTextRowInfo& Row,
                 int Length) {
  if (Length <= 0) return;
  if (Params.ExpandTabs)
    TabbedTextOut(DC, Row.Left, Row.Top, T.At(Row.TextOffset), std::min(Length, 4096), 0, nullptr, Row.Left);
  else
    TextOut(DC, Row.Left, Row.Top, T.At(Row.TextOffset), Length);
}

void DrawEllipsis(HDC DC, const TcxTextLayoutParams& Params, const TRect& R, const TRect& RowBox, int CutWidth) {
  const int x = R.Left + CutWidth;
  if (x >= R.Right) return;
  const bool fits = x + Params.EllipsisWidth <= R.Right;
  RECT box = RowBox;
  ExtTextOut(DC, x, RowBox.Top, (Params.NoClip || fits) ? 0 : ETO_CLIPPED, &box, "...", 3, nullptr);
}

}  // namespace

// ---- parameters -------------------------------------------------------------------------------------

void FillTextParams(HDC DC, TcxTextLayoutFlags Flags, TcxTextLayoutParams& Params, double LineSpacing) {
  Params = TcxTextLayoutParams();
  TEXTMETRIC tm;
  if (GetTextMetrics(DC, &tm)) {
    Params.TextHeight = tm.tmHeight;
    Params.Bold = tm.tmWeight >= FW_BOLD;
    Params.BreakChar = static_cast<char16_t>(static_cast<unsigned char>(tm.tmBreakChar));
    Params.MaxCharWidth = tm.tmMaxCharWidth;
    Params.CharSet = tm.tmCharSet;
    if (Flags & tlfExternalLeading) Params.ExternalLeading = tm.tmExternalLeading;
  }
  Params.HorzAlignment = static_cast<std::uint8_t>(Flags & tlfHorzMask);
  Params.VertAlignment = static_cast<std::uint8_t>((Flags & tlfVertMask) >> 4);
  Params.WordBreak = Flags & tlfWordBreak;
  Params.SingleLine = Flags & tlfSingleLine;
  Params.ExpandTabs = Flags & tlfExpandTabs;
  Params.EndEllipsis = Flags & tlfEndEllipsis;
  Params.ExternalLeadingUsed = Flags & tlfExternalLeading;
  Params.EditControl = Flags & tlfEditControl;
  Params.SkipSpacesAfterWrap = Flags & tlfSkipSpacesAfterWrap;
  Params.NoClip = Flags & tlfNoClip;
  Params.AutoIndents = Flags & tlfAutoIndents;
  Params.PatternText = Flags & tlfPatternText;
  Params.KeepLeft = Flags & tlfKeepLeft;
  Params.KeepTop = Flags & tlfKeepTop;
  Params.CharBreak = (Flags & tlfCharBreak) || FarEastLocale();
  Params.CountRows = Flags & tlfCountRows;
  Params.MeasureOnly = Flags & tlfMeasureOnly;
  Params.HidePrefix = Flags & tlfHidePrefix;
  Params.OnePixel = std::max(1, LogicalExtent(DC, 1, 1).cx);
  Params.RowHeight =
      static_cast<int>(std::nearbyint((Params.TextHeight + Params.ExternalLeading) * LineSpacing));
  if (Params.PatternText) Params.PatternText = Params.TextHeight < LogicalExtent(DC, 0, 6).cy;
  if (Params.EndEllipsis) {
    SIZE dots{};
    GetTextExtentPoint32(DC, "...", 3, &dots);
    Params.EllipsisWidth = dots.cx;
  }
}

void FillCanvasTextParams(TCanvas* Canvas, TcxTextLayoutFlags Flags, TcxTextLayoutParams& Params,
                          double LineSpacing) {
  FillTextParams(Canvas->Handle(), Flags, Params, LineSpacing);
}

// ---- rows -------------------------------------------------------------------------------------------

void ResetTextRows(TcxTextRows& Rows) {
  Rows.Count = 0;
  Rows.Rows.clear();
  Rows.Rows.shrink_to_fit();
}

bool BuildTextRows(HDC DC, const TRect& R, const TcxTextLayoutParams& Params, TcxTextRows& Rows, int& RowCount,
                   int MaxRows) {
  ResetTextRows(Rows);
  RowCount = 0;
  const TIndexedText& text = Rows.Text;
  const int end = text.Length();
  if (end == 0) return true;
  if (Params.MeasureOnly && Params.SingleLine) {
    TSize size;
    CalcTextExtents(DC, text, 0, end, Params.ExpandTabs, size);
    Rows.Rows.push_back({end, size.cx, size.cy, 0, 0, 0, 0});
    Rows.Count = RowCount = 1;
    return true;
  }
  const int maxWidth = WidthOfRect(R);
  const bool ellipsisPossible = Params.EndEllipsis && !Params.NoClip && !Params.MeasureOnly && !Params.CountRows &&
                                Params.HorzAlignment < 3;
  int p = 0, runningHeight = 0;
  while (p < end) {
    ++RowCount;
    runningHeight += Params.RowHeight;
    const bool last = IsLastTextRow(Params, R, RowCount, runningHeight, MaxRows);
    const BrokenRow broken = BreakTextRow(DC, text, p, end, maxWidth, Params, last && ellipsisPossible);
    TcxTextRowInfo row;
    row.TextOffset = p;
    row.Length = broken.End - p;
    row.Width = broken.Width;
    row.Height = Params.TextHeight;
    int next = broken.Next;
    if (broken.Wrapped) {
      // The blank at the break goes by alignment.
      const int horz = Params.HorzAlignment;
      if ((horz == 1 || horz == 2) && row.Length > 0 && IsBlank(text[p + row.Length - 1])) {
        --row.Length;
        row.Width = TextWidthOf(DC, text, p, row.Length, Params.ExpandTabs);
      }
      if (Params.SkipSpacesAfterWrap) {
        while (next < end && IsBlank(text[next])) ++next;
      } else if (horz != 2 && next < end && IsBlank(text[next])) {
        ++next;
      }
    }
    if (Params.HorzAlignment == 4 || (Params.HorzAlignment == 3 && broken.Wrapped)) {
      const int length = row.Length;
      while (row.Length > 0 && IsBlank(text[p + row.Length - 1])) --row.Length;
      for (int i = 0; i < row.Length; ++i) row.SpaceCount += IsBlank(text[p + i]);
      if (row.Length != length) row.Width = TextWidthOf(DC, text, p, row.Length, Params.ExpandTabs);
    }
    Rows.Rows.push_back(row);
    Rows.Count = RowCount;
    p = next;
    if (last || (MaxRows > 0 && RowCount >= MaxRows)) break;
  }
  if (Params.MeasureOnly || Params.CountRows) return true;
  if (Params.SingleLine) return Rows.Rows[0].Width <= maxWidth;
  return p >= end;
}

bool BuildDCTextRows(HDC DC, const String& Text, const TRect& R, const TcxTextLayoutParams& Params,
                     TcxTextRows& Rows, int& RowCount, int MaxRows) {
  Rows.Text.Assign(Text);
  return BuildTextRows(DC, R, Params, Rows, RowCount, MaxRows);
}

bool BuildCanvasTextRows(TCanvas* Canvas, const String& Text, const TRect& R, const TcxTextLayoutParams& Params,
                         TcxTextRows& Rows, int& RowCount, int MaxRows) {
  return BuildDCTextRows(Canvas->Handle(), Text, R, Params, Rows, RowCount, MaxRows);
}

void PositionTextRows(HDC, const TRect& R, TcxTextLayoutParams& Params, TcxTextRows& Rows, int RowCount) {
  RowCount = std::min(RowCount, static_cast<int>(Rows.Rows.size()));
  int spare = 0;
  if (Params.VertAlignment == 3 && RowCount > 1) {
    const int gap = HeightOfRect(R) - Params.TextHeight;
    if (Params.TextHeight < static_cast<double>(gap) / (RowCount - 1)) {
      Params.RowHeight = gap / (RowCount - 1);
      spare = gap % (RowCount - 1);
    }
  }
  int top;
  switch (Params.VertAlignment) {
    case 1: top = R.Top + (HeightOfRect(R) - RowCount * Params.RowHeight) / 2; break;
    case 2: top = R.Bottom - RowCount * Params.RowHeight + Params.ExternalLeading; break;
    default: top = R.Top;
  }
  if (Params.KeepTop) top = std::max(top, R.Top);
  for (int i = 0; i < RowCount; ++i) {
    TcxTextRowInfo& row = Rows.Rows[static_cast<std::size_t>(i)];
    switch (Params.HorzAlignment) {
      case 1: row.Left = R.Left + (WidthOfRect(R) - row.Width) / 2; break;
      case 2: row.Left = R.Right - row.Width; break;
      default: row.Left = R.Left;
    }
    if (Params.KeepLeft) row.Left = std::max(row.Left, R.Left);
    row.Top = top;
    top += Params.RowHeight;
    if (spare > 0) {
      ++top;
      --spare;
    }
  }
}

TRect ApplyTextIndents(const TRect& R, const TcxTextLayoutParams& Params, int LeftIndent, int RightIndent) {
  TRect r = R;
  if (Params.AutoIndents) r = GrowRect(r, -2 * Params.OnePixel, -2 * Params.OnePixel);
  r.Left += LeftIndent * Params.OnePixel;
  r.Right -= RightIndent * Params.OnePixel;
  return r;
}

TRect RemoveTextIndents(const TRect& R, const TcxTextLayoutParams& Params, int LeftIndent, int RightIndent) {
  TRect r = R;
  r.Left -= LeftIndent * Params.OnePixel;
  r.Right += RightIndent * Params.OnePixel;
  if (Params.AutoIndents) r = GrowRect(r, 2 * Params.OnePixel, 2 * Params.OnePixel);
  return r;
}

int MeasureWidestTextRow(const TcxTextRows& Rows, int Count) {
  int widest = 0;
  const int n = std::min(Count, static_cast<int>(Rows.Rows.size()));
  for (int i = 0; i < n; ++i) widest = std::max(widest, Rows.Rows[static_cast<std::size_t>(i)].Width);
  return widest;
}

void CalcTextExtents(HDC DC, const TIndexedText& Text, int From, int Length, bool ExpandTabs, TSize& Size) {
  Size = TSize();
  if (Length <= 0) {
    SIZE empty{};
    GetTextExtentPoint32(DC, "", 0, &empty);
    Size.cy = empty.cy;
    return;
  }
  const char* text = Text.At(From);
  if (!ExpandTabs) {
    SIZE s{};
    if (GetTextExtentPoint32(DC, text, Length, &s)) Size = s;
    return;
  }
  auto drawTextWidth = [&](int Count) {
    RECT rc{0, 0, 0, 0};
    const int height = DrawText(DC, text, Count, &rc, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE);
    return TSize(rc.right - rc.left, height);
  };
  if (Length <= 4095) {
    const DWORD extent = GetTabbedTextExtent(DC, text, Length, 0, nullptr);
    Size = TSize(LOWORD(extent), HIWORD(extent));
    SIZE w{};
    GetTextExtentPoint32(DC, "W", 1, &w);
    // The tabbed extent is 16 bits wide: what it lost is taken from DrawText's measure.
    if (static_cast<long long>(Length) * w.cx > 65535) Size.cx += (drawTextWidth(Length).cx / 65536) * 65536;
    return;
  }
  Size = drawTextWidth(Length);
  if (Size.cx == 0 && Length >= 4097) Size = drawTextWidth(4096);
}

// ---- drawing ----------------------------------------------------------------------------------------

void DrawTextRowsHighlighted(HDC DC, const TRect& R, const TcxTextLayoutParams& Params, TcxTextRows& Rows,
                             int RowCount, int HighlightStart, int HighlightLength, TColor HighlightBkColour,
                             TColor HighlightTextColour, bool ForceEllipsis) {
  const TIndexedText& text = Rows.Text;
  RowCount = std::min(RowCount, static_cast<int>(Rows.Rows.size()));
  const int oldBkMode = SetBkMode(DC, TRANSPARENT);
  // Highlights take their rectangles out of the clip; the caller gets its clip back.
  SavedClip callerClip(DC);
  HBRUSH highlightBrush = nullptr;
  if (HighlightLength >= 1 && HighlightBkColour != clNone && HighlightBkColour != clDefault)
    highlightBrush = CreateSolidBrush(ColorToRGB(HighlightBkColour));
  const bool highlightText = HighlightTextColour != clNone && HighlightTextColour != clDefault;

  for (int i = 0; i < RowCount; ++i) {
    const TcxTextRowInfo& row = Rows.Rows[static_cast<std::size_t>(i)];
    const bool lastRow = i == RowCount - 1;
    const TRect rowBox(R.Left, row.Top, R.Right, row.Top + Params.RowHeight);
    if (row.Length == 0) {
      if (lastRow && ForceEllipsis && Params.EndEllipsis) DrawEllipsis(DC, Params, R, rowBox, 0);
      continue;
    }
    RECT box = rowBox;
    if (!RectVisible(DC, &box)) continue;

    if (Params.PatternText) {
      // Too small to read: a half-tone (or, bold, a solid bar) of the text colour over the text.
      TRect area(std::max(row.Left, R.Left), row.Top + 1, std::min(row.Left + row.Width, R.Right),
                 row.Top + Params.RowHeight - 1);
      if (area.Bottom <= area.Top) area.Bottom = area.Top + 1;
      const COLORREF oldBk = SetBkColor(DC, ColorToRGB(clWindow));
      RECT rc = area;
      FillRect(DC, &rc, PatternBrush(Params.Bold));
      SetBkColor(DC, oldBk);
      continue;
    }

    const bool ellipsis = Params.EndEllipsis && lastRow && (ForceEllipsis || row.Width > WidthOfRect(R));
    const bool justify = !ellipsis && Params.HorzAlignment >= 3 && row.SpaceCount > 0 && row.Width < WidthOfRect(R);
    if (justify) SetTextJustification(DC, WidthOfRect(R) - row.Width, row.SpaceCount);
    const bool clipRow =
        !Params.NoClip && (row.Width > WidthOfRect(R) || row.Top < R.Top || row.Top + Params.RowHeight > R.Bottom);
    SavedClip rowClip(DC);
    if (clipRow) {
      TRect clip;
      IntersectRects(clip, rowBox, R);
      IntersectClipRect(DC, clip.Left, clip.Top, clip.Right, clip.Bottom);
    }
    int length = row.Length, cutWidth = row.Width;
    if (ellipsis) {
      int fit = FittingCharacters(DC, text, row.TextOffset, row.Length, WidthOfRect(R) - Params.EllipsisWidth);
      fit = std::max(fit, 0);
      if (Params.HorzAlignment == 0) fit = std::max(fit, 1);
      length = fit;
      cutWidth = TextWidthOf(DC, text, row.TextOffset, length, Params.ExpandTabs);
    }
    bool ellipsisDue = ellipsis;

    const int hlFrom = std::max(HighlightStart, row.TextOffset);
    const int hlTo = std::min(HighlightStart + HighlightLength, row.TextOffset + row.Length);
    if (HighlightLength >= 1 && hlFrom < hlTo) {
      const int a = std::min(hlFrom - row.TextOffset, length), b = std::min(hlTo - row.TextOffset, length);
      int x1, x2;
      if (TextRendersRightToLeft(Params.CharSet, text, row.TextOffset)) {
        const int right = row.Left + TextWidthOf(DC, text, row.TextOffset, length, Params.ExpandTabs);
        x1 = right - TextWidthOf(DC, text, row.TextOffset + a, length - a, Params.ExpandTabs);
        x2 = right - TextWidthOf(DC, text, row.TextOffset + b, length - b, Params.ExpandTabs);
      } else {
        x1 = row.Left + TextWidthOf(DC, text, row.TextOffset, a, Params.ExpandTabs);
        x2 = row.Left + TextWidthOf(DC, text, row.TextOffset, b, Params.ExpandTabs);
      }
      const TRect highlight(x1, row.Top, x2, row.Top + Params.RowHeight);
      {
        SavedClip beforeHighlight(DC);
        IntersectClipRect(DC, highlight.Left, highlight.Top, highlight.Right, highlight.Bottom);
        if (highlightBrush) {
          RECT rc = highlight;
          FillRect(DC, &rc, highlightBrush);
        }
        const COLORREF oldText = highlightText ? SetTextColor(DC, ColorToRGB(HighlightTextColour)) : 0;
        DrawRowText(DC, Params, text, row, length);
        beforeHighlight.Restore();
        ExcludeClipRect(DC, highlight.Left, highlight.Top, highlight.Right, highlight.Bottom);
        if (ellipsisDue && hlTo >= row.TextOffset + row.Length) {
          DrawEllipsis(DC, Params, R, rowBox, cutWidth);
          ellipsisDue = false;
        }
        if (highlightText) SetTextColor(DC, oldText);
      }
    }
    DrawRowText(DC, Params, text, row, length);
    if (ellipsisDue) DrawEllipsis(DC, Params, R, rowBox, cutWidth);
    if (justify) SetTextJustification(DC, 0, 0);
    if (clipRow) rowClip.Restore();
  }
  callerClip.Restore();
  if (highlightBrush) DeleteObject(highlightBrush);
  SetBkMode(DC, oldBkMode);
}

namespace {

bool CanLayoutText(const TRect& R, const TcxTextLayoutParams& Params) {
  if (Params.MeasureOnly) return WidthOfRect(R) > 0;
  return WidthOfRect(R) >= 1 && HeightOfRect(R) >= 1;
}

// Puts the DC's font and text colour back on every way out.
class DCTextState {
 public:
  explicit DCTextState(HDC DC)
      : FDC(DC), FFont(GetCurrentObject(DC, OBJ_FONT)), FTextColour(GetTextColor(DC)) {}
  ~DCTextState() {
    SelectObject(FDC, FFont);
    SetTextColor(FDC, FTextColour);
  }
  DCTextState(const DCTextState&) = delete;
  DCTextState& operator=(const DCTextState&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FFont;
  COLORREF FTextColour;
};

}  // namespace

int DrawLayoutText(HDC DC, const String& Text, TRect& R, TcxTextLayoutFlags Flags, int HighlightStart,
                   int HighlightLength, TFont* Font, TColor HighlightBkColour, TColor HighlightTextColour, int MaxRows,
                   int LeftIndent, int RightIndent, TColor TextColour, double LineSpacing) {
  if (Text.empty()) return 0;
  DCTextState restore(DC);
  if (Font) {
    SelectObject(DC, Font->Handle());
    SetTextColor(DC, ColorToRGB(Font->Color()));
  }
  if (TextColour != clDefault) SetTextColor(DC, ColorToRGB(TextColour));

  TcxTextLayoutParams params;
  FillTextParams(DC, Flags, params, LineSpacing);
  TRect textRect = ApplyTextIndents(R, params, LeftIndent, RightIndent);
  if (!CanLayoutText(textRect, params)) return 0;

  TcxTextRows rows;
  if (params.HidePrefix) {
    String stripped;
    StripAccelerators(Text, false, stripped);
    if (stripped.empty()) return 0;
    rows.Text.Assign(stripped);
  } else {
    rows.Text.Assign(Text);
  }
  int rowCount = 0;
  const bool forceEllipsis = !BuildTextRows(DC, textRect, params, rows, rowCount, MaxRows);
  if (params.MeasureOnly) {
    if (MaxRows > 0 && MaxRows < rowCount) rowCount = MaxRows;
    textRect.Right = textRect.Left + MeasureWidestTextRow(rows, rowCount);
    if (!params.SingleLine) {
      BuildTextRows(DC, textRect, params, rows, rowCount, MaxRows);
      if (MaxRows > 0 && MaxRows < rowCount) rowCount = MaxRows;
    }
    PositionTextRows(DC, textRect, params, rows, rowCount);
    if (rowCount > 0) textRect.Bottom = TextRowAt(rows, rowCount - 1).Top + params.RowHeight;
    R = RemoveTextIndents(textRect, params, LeftIndent, RightIndent);
  } else {
    PositionTextRows(DC, textRect, params, rows, rowCount);
    const int length = rows.Text.Length();
    if (HighlightStart < 0 || HighlightStart >= length) HighlightLength = 0;
    if (HighlightLength > length - HighlightStart) HighlightLength = length - HighlightStart;
    DrawTextRowsHighlighted(DC, textRect, params, rows, rowCount, HighlightStart, HighlightLength, HighlightBkColour,
                            HighlightTextColour, forceEllipsis);
  }
  const int height = rowCount > 0 ? TextRowAt(rows, rowCount - 1).Top + params.RowHeight - textRect.Top : 0;
  if (params.CountRows) return rowCount;
  return height != 0 ? height : rowCount;
}

int DrawLayoutTextAnsi(TCanvas* Canvas, const String& Text, TRect& R, TcxTextLayoutFlags Flags, TFont* Font,
                       int MaxRows, int LeftIndent, int RightIndent, TColor TextColour, double LineSpacing) {
  // Texts are held as UTF-8 whatever the font's character set: there is nothing to convert.
  return DrawLayoutText(Canvas->Handle(), Text, R, Flags, 0, 0, Font, clDefault, clDefault, MaxRows, LeftIndent,
                        RightIndent, TextColour, LineSpacing);
}

void ReleaseTextPatternBrushes() {
  for (HBRUSH& brush : gPatternBrushes) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
  }
}
