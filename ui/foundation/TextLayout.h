#pragma once
// The library's own multi-line text engine, for where the platform's DrawText is not enough: it
// breaks a text into rows (at line breaks, between words, around East Asian ideographs with the
// characters that may not begin a row kept back, and inside words when asked), places the rows in
// a rectangle (with justification and an even vertical spread), cuts the last row with an end
// ellipsis, and draws them with part of the text highlighted in its own colours. The same layout
// in measure-only mode gives the rectangle the text needs, in count-only mode the number of rows.
//
// Rows hold character offsets into the text the rows own, never pointers; every index and length
// counts characters (code points).
#include <cstdint>
#include <vector>

#include "platform/classes/Graphics.h"
#include "ui/foundation/IndexedText.h"
#include "ui/foundation/Types.h"

// ---- flags ------------------------------------------------------------------------------------------

using TcxTextLayoutFlags = std::uint32_t;
// Bits 0-2: horizontal alignment.
inline constexpr TcxTextLayoutFlags tlfAlignLeft = 0, tlfCenterHorz = 1, tlfAlignRight = 2, tlfJustifyWrapped = 3,
                                    tlfJustifyAll = 4, tlfHorzMask = 7;
// Bits 4-5: vertical alignment.
inline constexpr TcxTextLayoutFlags tlfAlignTop = 0, tlfCenterVert = 0x10, tlfAlignBottom = 0x20,
                                    tlfSpreadVert = 0x30, tlfVertMask = 0x30;
inline constexpr TcxTextLayoutFlags tlfWordBreak = 0x100;
inline constexpr TcxTextLayoutFlags tlfSingleLine = 0x200;
inline constexpr TcxTextLayoutFlags tlfExpandTabs = 0x400;
inline constexpr TcxTextLayoutFlags tlfEndEllipsis = 0x800;
// Text too small to read is drawn as a pattern.
inline constexpr TcxTextLayoutFlags tlfPatternText = 0x1000;
inline constexpr TcxTextLayoutFlags tlfExternalLeading = 0x2000;
// Long words break at characters; a partly visible last row is not shown.
inline constexpr TcxTextLayoutFlags tlfEditControl = 0x4000;
inline constexpr TcxTextLayoutFlags tlfNoClip = 0x8000;
// 2 device pixels on every side.
inline constexpr TcxTextLayoutFlags tlfAutoIndents = 0x10000;
inline constexpr TcxTextLayoutFlags tlfCharBreak = 0x20000;
inline constexpr TcxTextLayoutFlags tlfKeepLeft = 0x40000;
inline constexpr TcxTextLayoutFlags tlfKeepTop = 0x80000;
inline constexpr TcxTextLayoutFlags tlfMeasureOnly = 0x100000;
inline constexpr TcxTextLayoutFlags tlfCountRows = 0x200000;
inline constexpr TcxTextLayoutFlags tlfHidePrefix = 0x1000000;
inline constexpr TcxTextLayoutFlags tlfSkipSpacesAfterWrap = 0x2000000;

// ---- records ----------------------------------------------------------------------------------------

struct TcxTextLayoutParams {
  int TextHeight = 0;
  int ExternalLeading = 0;
  int RowHeight = 0;
  int EllipsisWidth = 0;  // of "..." with end ellipsis, else 0
  bool Bold = false;
  char16_t BreakChar = 0;
  std::uint8_t HorzAlignment = 0;
  std::uint8_t VertAlignment = 0;
  bool WordBreak = false;
  bool SingleLine = false;
  bool ExpandTabs = false;
  bool EndEllipsis = false;
  bool ExternalLeadingUsed = false;
  bool EditControl = false;
  bool SkipSpacesAfterWrap = false;
  bool NoClip = false;
  bool AutoIndents = false;
  bool PatternText = false;
  bool KeepLeft = false;
  bool KeepTop = false;
  bool CharBreak = false;
  bool CountRows = false;
  bool MeasureOnly = false;
  int MaxCharWidth = 0;
  std::uint8_t CharSet = 0;
  int OnePixel = 1;  // the logical size of one device pixel
  bool HidePrefix = false;
};

struct TcxTextRowInfo {
  int Length = 0;      // characters
  int Width = 0;
  int Height = 0;
  int SpaceCount = 0;  // blanks inside a justified row
  int Left = 0;
  int Top = 0;
  int TextOffset = 0;  // of the row's first character in the text
};

struct TcxTextRows {
  int Count = 0;
  TIndexedText Text;
  std::vector<TcxTextRowInfo> Rows;
};

// ---- characters ---------------------------------------------------------------------------------

// Closing punctuation and the like, which stays on the row of the character before it.
bool IsNoLineStartChar(char32_t C);
// CJK ideographs, kana and hangul, and every other character that takes more than one byte in
// the ANSI code page (GBK): each is a break unit of its own.
bool IsIdeographChar(char32_t C);

// ---- the engine -------------------------------------------------------------------------------------

void FillTextParams(win::HDC DC, TcxTextLayoutFlags Flags, TcxTextLayoutParams& Params, double LineSpacing = 1.0);
void FillCanvasTextParams(TCanvas* Canvas, TcxTextLayoutFlags Flags, TcxTextLayoutParams& Params,
                          double LineSpacing = 1.0);
// Breaks Rows.Text into rows for R; true when the whole text fits.
bool BuildTextRows(win::HDC DC, const TRect& R, const TcxTextLayoutParams& Params, TcxTextRows& Rows,
                   int& RowCount, int MaxRows = 0);
// Takes the text into Rows first.
bool BuildDCTextRows(win::HDC DC, const String& Text, const TRect& R, const TcxTextLayoutParams& Params,
                     TcxTextRows& Rows, int& RowCount, int MaxRows = 0);
bool BuildCanvasTextRows(TCanvas* Canvas, const String& Text, const TRect& R, const TcxTextLayoutParams& Params,
                         TcxTextRows& Rows, int& RowCount, int MaxRows = 0);
// Sets each row's Left and Top; spreading rows over the height changes Params.RowHeight.
void PositionTextRows(win::HDC DC, const TRect& R, TcxTextLayoutParams& Params, TcxTextRows& Rows, int RowCount);
TRect ApplyTextIndents(const TRect& R, const TcxTextLayoutParams& Params, int LeftIndent, int RightIndent);
TRect RemoveTextIndents(const TRect& R, const TcxTextLayoutParams& Params, int LeftIndent, int RightIndent);
// Draws the placed rows with the characters [HighlightStart, HighlightStart + HighlightLength) on
// HighlightBkColour in HighlightTextColour (clNone or clDefault: no fill, or the text colour).
void DrawTextRowsHighlighted(win::HDC DC, const TRect& R, const TcxTextLayoutParams& Params, TcxTextRows& Rows,
                             int RowCount, int HighlightStart, int HighlightLength, TColor HighlightBkColour,
                             TColor HighlightTextColour, bool ForceEllipsis);
int MeasureWidestTextRow(const TcxTextRows& Rows, int Count);
// The whole job; the DC's font and text colour are as they were afterwards. The result is the
// row count in count-only mode, else the height of the rows (the row count when that is 0). In
// measure-only mode R becomes the rectangle the text needs.
int DrawLayoutText(win::HDC DC, const String& Text, TRect& R, TcxTextLayoutFlags Flags, int HighlightStart,
                   int HighlightLength, TFont* Font, TColor HighlightBkColour, TColor HighlightTextColour,
                   int MaxRows = 0, int LeftIndent = 0, int RightIndent = 0, TColor TextColour = clDefault,
                   double LineSpacing = 1.0);
// DrawLayoutText on the canvas without a highlight; Font may be nil (the DC's font).
int DrawLayoutTextAnsi(TCanvas* Canvas, const String& Text, TRect& R, TcxTextLayoutFlags Flags, TFont* Font,
                       int MaxRows = 0, int LeftIndent = 0, int RightIndent = 0, TColor TextColour = clDefault,
                       double LineSpacing = 1.0);
void ResetTextRows(TcxTextRows& Rows);
inline const TcxTextRowInfo& TextRowAt(const TcxTextRows& Rows, int Index) {
  return Rows.Rows[static_cast<std::size_t>(Index)];
}
inline int TextRowCount(const TcxTextRows& Rows) { return Rows.Count; }
// The extent of Length characters of Text from From, tabs expanded to the default stops when
// asked (long texts measured so that neither the 16-bit tabbed extent nor its length limit bites).
void CalcTextExtents(win::HDC DC, const TIndexedText& Text, int From, int Length, bool ExpandTabs, TSize& Size);

// The pattern brushes, made on first use; the graphics shutdown deletes them.
void ReleaseTextPatternBrushes();
