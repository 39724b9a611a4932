#include "ui/bars/BarXPPainter.h"

#include <algorithm>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarFlatPainter.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;
using namespace dxbar;

namespace {

// Parts and states of the visual-style classes this painter draws.
enum : int {
  kButton = 1, kSplitButton = 3, kSplitButtonDropDown = 4, kSeparator = 5, kSeparatorVert = 6,  // ToolBar
  kRebarBackground = 0, kGripper = 1, kGripperVert = 2,                                            // Rebar
  kMdiMin = 16, kSmallClose = 19, kMdiClose = 20, kMdiRestore = 22,                                // Window
  kStatusBackground = 0, kStatusGripper = 3,                                                       // Status
  kSpinUp = 1, kSpinDown = 2,                                                                      // Spin
  kComboDropDown = 1,                                                                              // ComboBox
  kEditText = 1,                                                                                   // Edit
  kProgressBar = 1, kProgressBarVert = 2, kProgressChunk = 3, kProgressChunkVert = 4,              // Progress
  kScrollSizeBox = 10,                                                                             // ScrollBar
};
enum : int { kNormal = 1, kHot = 2, kPressed = 3, kDisabled = 4, kChecked = 5 };

TdxBarXPPainter::TMetrics& MeasuredMetrics() {
  static TdxBarXPPainter::TMetrics metrics;
  return metrics;
}

HTHEME Theme(TdxThemeClassId Id) { return AcquireThemeHandle(Id); }

void DrawPart(TdxThemeClassId Id, HDC DC, int Part, int State, const TRect& R) {
  if (IsEmpty(R)) return;
  UxDrawThemeBackground(Theme(Id), DC, Part, State, R);
}

bool PartSize(TdxThemeClassId Id, int Part, int State, THEMESIZE Kind, TSize& Size) {
  TSize size;
  if (FAILED(UxGetThemePartSizeNoRect(Theme(Id), nullptr, Part, State, Kind, size))) return false;
  Size = size;
  return true;
}

// The content rectangle of a part in (0, 0, 100, 100).
bool ContentIn100(TdxThemeClassId Id, int Part, int State, TRect& Content) {
  TRect content;
  if (FAILED(UxGetThemeBackgroundContentRect(Theme(Id), nullptr, Part, State, TRect(0, 0, 100, 100), content)))
    return false;
  Content = content;
  return true;
}

TdxBarFlatPainter& SharedFlat() {
  static TdxBarFlatPainter flat;
  return flat;
}

}  // namespace

const TdxBarXPPainter::TMetrics& TdxBarXPPainter::Metrics() { return MeasuredMetrics(); }

TdxBarXPPainter::TdxBarXPPainter() {
  // Every metric starts from the plain look's value and keeps it when the theme lacks the part.
  TMetrics m;
  TSize size;
  TRect content;
  if (PartSize(tciToolBar, kSeparator, kNormal, TS_MIN, size)) m.SeparatorWidth = size.cx;
  if (PartSize(tciWindow, kSmallClose, kNormal, TS_TRUE, size)) m.CloseButton = size;
  if (ContentIn100(tciToolBar, kSplitButton, kNormal, content))
    m.VertPadding = m.HorzPadding = 100 - Height(content);
  if (IsWindows7)
    m.ComboArrowWidth = GetSystemMetrics(SM_CYHSCROLL);
  else if (PartSize(tciComboBox, kComboDropDown, kNormal, TS_TRUE, size))
    m.ComboArrowWidth = size.cx;
  if (ContentIn100(tciEdit, kEditText, kNormal, content))
    m.EditOffsets = {content.Left, content.Top, 100 - content.Right, 100 - content.Bottom};
  if (PartSize(tciRebar, kGripper, kNormal, TS_TRUE, size)) m.GripWidth = size.cx;
  if (PartSize(tciProgress, kProgressChunk, 0, TS_TRUE, size)) {
    m.ProgressHeight = size.cy;
    if (ContentIn100(tciProgress, kProgressBar, 0, content)) m.ProgressHeight += content.Left + (100 - content.Right);
  }
  if (PartSize(tciToolBar, kSeparatorVert, kNormal, TS_TRUE, size)) m.VertSeparatorHeight = size.cy;
  if (PartSize(tciStatus, kStatusGripper, 0, TS_TRUE, size)) m.SizeGrip = size;
  MeasuredMetrics() = m;
}

// ---- metrics and brushes --------------------------------------------------------------------------

bool TdxBarXPPainter::SubItemStateQuery(TP& P) {
  TB* bar = ParentOf(P);
  return bar && bar->IsMainMenu() && dynamic_cast<TdxBarSubItemControl*>(P.OwnerControl) != nullptr;
}

int TdxBarXPPainter::GripWidth() { return Metrics().GripWidth; }
int TdxBarXPPainter::ToolbarSeparatorSize() { return Metrics().SeparatorWidth; }
int TdxBarXPPainter::ButtonVertPadding() { return Metrics().VertPadding; }
int TdxBarXPPainter::ButtonHorzPadding() { return Metrics().HorzPadding; }
TRect TdxBarXPPainter::EditBorderOffsets() { return Metrics().EditOffsets; }
int TdxBarXPPainter::ReservedMetricA() { return Metrics().ProgressHeight; }

int TdxBarXPPainter::ComboArrowWidth(int TextWidth) {
  const int measured = Metrics().ComboArrowWidth;
  return measured >= 0 ? measured : TdxBarPainter::ComboArrowWidth(TextWidth);
}

TSize TdxBarXPPainter::CloseButtonSize() {
  const TSize measured = Metrics().CloseButton;
  return measured.cx > 0 || measured.cy > 0 ? measured : TdxBarPainter::CloseButtonSize();
}

int TdxBarXPPainter::MenuSeparatorHeight() {
  const int measured = Metrics().VertSeparatorHeight;
  return measured >= 0 ? measured : TdxBarPainter::MenuSeparatorHeight();
}

int TdxBarXPPainter::SeparatorThickness() {
  const int measured = Metrics().VertSeparatorHeight;
  return measured >= 0 ? measured : TdxBarPainter::SeparatorThickness();
}

HBRUSH TdxBarXPPainter::ToolbarBrush(TdxBarManager* Manager) {
  HBRUSH themed = Manager ? Manager->ThemeToolbarBrush() : nullptr;
  return themed ? themed : SysBrush(COLOR_BTNFACE);
}

HBRUSH TdxBarXPPainter::MenuBrush(TB*) { return SysBrush(COLOR_MENU); }

TRect TdxBarXPPainter::MenuSeparatorBounds(TB*, const TRect& Row, bool) {
  return {Row.Left, Row.Top - MenuGroupIndent(), Row.Right, Row.Top};
}

TColor TdxBarXPPainter::DisabledEditBackColor(TB*) {
  return static_cast<TColor>(ThemedEditFillColor(Theme(tciEdit), EditThemeState(false)));
}

TColor TdxBarXPPainter::EditTextColorDefault() {
  return static_cast<TColor>(ThemedEditTextColor(Theme(tciEdit), EditThemeState(true)));
}

TColor TdxBarXPPainter::DisabledEditTextColor() {
  return static_cast<TColor>(ThemedEditTextColor(Theme(tciEdit), EditThemeState(false)));
}

TColor TdxBarXPPainter::ProgressColor() {
  COLORREF color;
  if (SUCCEEDED(UxGetThemeColor(Theme(tciProgress), kProgressChunk, 0, TMT_FILLCOLOR, color)))
    return static_cast<TColor>(color);
  return TdxBarPainter::ProgressColor();
}

bool TdxBarXPPainter::EditGlyphUsesMenuBrush(TP& P) {
  return P.InMenu() && (P.IsSelected || (P.OwnerControl && P.OwnerControl->IsRarelyUsed()));
}

int TdxBarXPPainter::DropDownPanelSize() {
  const TSize close = ThemedCloseButtonSize();
  TSize grip;
  if (!PartSize(tciScrollBar, kScrollSizeBox, 1, TS_TRUE, grip)) grip = {0, 0};
  return std::max(close.cy + 4, grip.cy + 2 + 1);
}

// ---- glyph cells ----------------------------------------------------------------------------------

void TdxBarXPPainter::DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool, const TRect& R,
                                     TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                     bool DroppedDown, bool IsSplitButton) {
  const bool menu = PaintType == pmMenu;
  const bool rarely = C && C->IsRarelyUsed();
  if ((C && C->HasOwnBkBrush()) || (menu && NoGlyph && !Down && (Selected || rarely))) {
    Fill(DC, R, Brush);
    return;
  }
  TP p(C);
  FillItemBackground(p, DC, R, Brush, false);
  if (!menu && SubItemStateQuery(p) && (Pressed || Selected || Down || DroppedDown)) {
    Fill(DC, R, SysBrush(COLOR_HIGHLIGHT));
    return;
  }
  int state = kNormal;
  if (C && !C->Enabled())
    state = kDisabled;
  else if (Pressed)
    state = kPressed;
  else if (Down || (DroppedDown && !IsSplitButton))
    state = kChecked;
  else if (Selected)
    state = kHot;
  DrawPart(tciToolBar, DC, IsSplitButton ? kSplitButton : kButton, state, R);
}

void TdxBarXPPainter::DrawCheckMarkGlyph(HDC DC, const TPoint& P, bool Enabled, bool Double, bool IsRadio) {
  SharedFlat().DrawCheckMarkGlyph(DC, P, Enabled, Double, IsRadio);
}

HBRUSH TdxBarXPPainter::GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                      bool Down, bool Pressed, bool DroppedDown, bool StaticItem, bool GrayGlyph) {
  if (PaintType == pmMenu && Selected && !Down && !Pressed) return SysBrush(COLOR_HIGHLIGHT);
  return TdxBarPainter::GlyphBrushFor(C, PaintType, NoGlyph, Selected, Down, Pressed, DroppedDown, StaticItem,
                                      GrayGlyph);
}

void TdxBarXPPainter::DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) {
  TB* bar = ParentOf(P);
  if (!bar) return;
  const TRect cell = MenuGlyphBounds(R, MenuIconAreaSize(bar));
  const bool opaque = P.IsSelected || (P.OwnerControl && P.OwnerControl->IsRarelyUsed());
  HBRUSH selection = SysBrush(COLOR_HIGHLIGHT), back = BarBkBrush(bar);
  HBRUSH around = P.IsSelected && !P.Checked && !P.Down ? selection : back;
  FillItemBackground(P, DC, {cell.Right, R.Top, cell.Right + 1, R.Bottom}, around, opaque);
  FillItemBackground(P, DC, {cell.Left, R.Top, cell.Right, cell.Top}, around, opaque);
  FillItemBackground(P, DC, {cell.Left, cell.Bottom, cell.Right, R.Bottom}, around, opaque);
  FillItemBackground(P, DC, {cell.Right + 1, R.Top, R.Right, R.Bottom}, P.IsSelected ? selection : back, opaque);
}

void TdxBarXPPainter::DrawEllipsisDot(HDC DC, const TRect& R, bool Enabled) {
  if (Enabled)
    Fill(DC, R, SysBrush(COLOR_BTNTEXT));
  else
    TdxBarPainter::DrawEllipsisDot(DC, R, Enabled);
}

// ---- toolbars, marks and captions -----------------------------------------------------------------

void TdxBarXPPainter::DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  Bar->FillBarBackground(DC, R, true, clNone, Brush);
  TRect r = R;
  if (Bar->BorderStyleIndex() == 0) r = Bar->IsVertical() ? Inflate(r, -2, 0) : Inflate(r, 0, -2);
  static constexpr int kStates[3] = {kNormal, kHot, kPressed};
  DrawPart(tciToolBar, DC, kButton, kStates[std::clamp(Bar->MarkState(), 0, 2)], r);
}

int TdxBarXPPainter::FloatCaptionTextOrigin(TB*, TRect& TextRect, const TRect& MarkRect) {
  TextRect.Right = std::min(TextRect.Right, MarkRect.Left);
  return TextRect.Left + 2;
}

void TdxBarXPPainter::FillFloatCaption(TB*, HDC DC, const TRect& R, HBRUSH) {
  TCustomForm* main = Application ? Application->MainForm() : nullptr;
  Fill(DC, R, SysBrush(main && main->Active() ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
}

void TdxBarXPPainter::DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) {
  Bar->FillBarBackground(DC, R, true, clNone, Brush);
  DrawPart(tciToolBar, DC, Vertical ? kSeparatorVert : kSeparator, kNormal, R);
}

void TdxBarXPPainter::DrawFloatCloseGlyph(TB*, HDC DC, const TRect& R, int State, bool) {
  DrawPart(tciWindow, DC, kSmallClose, std::clamp(State, 0, 2) + 1, R);
}

void TdxBarXPPainter::DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH) {
  if (!Bar->ShowsGrip()) return;
  R = Inflate(R, -2, -2);
  const bool vertical = Bar->IsVertical();
  const int start = GripInset(), w = GripWidth();
  const TRect grip = vertical ? TRect{R.Left, R.Top + start, R.Right, R.Top + start + w}
                              : TRect{R.Left + start, R.Top, R.Left + start + w, R.Bottom};
  DrawPart(tciRebar, DC, vertical ? kGripperVert : kGripper, kNormal, grip);
}

void TdxBarXPPainter::DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  SharedFlat().DrawFloatBorder(Bar, DC, R, Brush);
}

void TdxBarXPPainter::DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) {
  Bar->FillBarBackground(DC, R, true, clNone, Bar->BkBrush());
  static constexpr int kParts[3] = {kMdiMin, kMdiRestore, kMdiClose};
  const int state = State == 1 ? kDisabled : State == 2 ? kHot : State == 4 ? kPressed : kNormal;
  DrawPart(tciWindow, DC, kParts[std::clamp(Kind, 0, 2)], state, R);
}

void TdxBarXPPainter::FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin,
                                         HBRUSH Brush, TColor Color) {
  if (!Dock) {
    TdxBarPainter::FillDockBackground(Dock, DC, R, Origin, Brush, Color);
    return;
  }
  TBitmap* cache = Dock->BackgroundCache();
  if (cache->Empty()) {
    const RECT client = Dock->ClientRect();
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (w <= 0 || h <= 0) return;
    cache->SetSize(w, h);
    HDC target = cache->Canvas()->Handle();
    DrawPart(tciRebar, target, kRebarBackground, kNormal, {0, 0, w, h});
    const TdxBarDockingStyle style = Dock->DockSiteStyle();
    const bool horizontal = style == dsTop || style == dsBottom;
    const int rows = Dock->RowCount();
    for (int row = 0; row < rows; ++row) {
      TCustomdxBarControl* lead = nullptr;
      for (int col = 0; col < Dock->ColumnCount(row) && !lead; ++col) {
        TCustomdxBarControl* window = Dock->ColumnWindow(row, col);
        if (window && window->BorderStyleIndex() != 0) lead = window;
      }
      if (!lead && Dock->ColumnCount(row) > 0) lead = Dock->ColumnWindow(row, 0);
      if (!lead || lead->BorderStyleIndex() == 0 || lead->IsStatusBar()) continue;
      const TRect b = Dock->RowBounds(row);
      const bool highlight = !(row == 0 && (style == dsTop || style == dsLeft));
      const bool shadow = !(row == rows - 1 && (style == dsTop || style == dsBottom || style == dsRight));
      const TRect first = horizontal ? TRect{b.Left, b.Top, b.Right, b.Top + 1} : TRect{b.Left, b.Top, b.Left + 1, b.Bottom};
      const TRect last =
          horizontal ? TRect{b.Left, b.Bottom - 1, b.Right, b.Bottom} : TRect{b.Right - 1, b.Top, b.Right, b.Bottom};
      if (highlight) Fill(target, first, SysBrush(COLOR_BTNHIGHLIGHT));
      if (shadow) Fill(target, last, SysBrush(COLOR_BTNSHADOW));
    }
  }
  BitBlt(DC, R.Left, R.Top, Width(R), Height(R), cache->Canvas()->Handle(), Origin.Left, Origin.Top, SRCCOPY);
}

// ---- item parts -----------------------------------------------------------------------------------

void TdxBarXPPainter::DrawDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  if (P.InMenu()) TdxBarPainter::DrawDropArrowPart(P, DC, R);
}

void TdxBarXPPainter::FillDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  TdxBarPainter::FillDropArrowPart(P, DC, R);
  const bool menu = P.InMenu();
  int state = kNormal;
  if (!P.Enabled)
    state = kDisabled;
  else if (P.IsDropDown || (P.IsPressed && !menu))
    state = kPressed;
  else if (P.Down && !menu)
    state = kChecked;
  else if (P.IsSelected)
    state = kHot;
  DrawPart(tciToolBar, DC, menu ? kButton : kSplitButtonDropDown, state, R);
}

void TdxBarXPPainter::DrawComboButton(TP& P, HDC DC, const TRect& R, bool Selected, bool DroppedDown) {
  const int state = !P.Enabled ? kDisabled : DroppedDown ? kPressed : Selected ? kHot : kNormal;
  if (UxIsThemeBackgroundPartiallyTransparent(Theme(tciComboBox), kComboDropDown, state))
    FillColor(DC, R, ColorToRGB(EditColor(P)));
  DrawPart(tciComboBox, DC, kComboDropDown, state, R);
}

void TdxBarXPPainter::DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) {
  const int state = EditThemeState(P.Enabled);
  TRect content = R;
  UxGetThemeBackgroundContentRect(Theme(tciEdit), DC, kEditText, state, R, content);
  {
    TdxBarClipKeeper keep(DC);
    ExcludeRect(DC, content);
    if (!Selected && ((P.Enabled && !P.InMenu()) || P.Spare))
      FillItemBackground(P, DC, R, BarBkBrush(ParentOf(P)), P.OwnerControl && P.OwnerControl->IsRarelyUsed());
    else
      DrawPart(tciEdit, DC, kEditText, state, R);
  }
  R = content;
}

void TdxBarXPPainter::DrawPickerButton(TP& P, HDC DC, const TRect& R, bool Pressed) {
  DrawGlyphFrame(P.OwnerControl, DC, ItemBkBrush(P), false, R, pmHorizontal, true, P.IsSelected, false, Pressed, false,
                 false);
  DrawEllipsisDots(DC, R, P.Enabled, Pressed);
}

void TdxBarXPPainter::DrawDoubleFrame(HDC DC, const TRect& R, HBRUSH Brush) {
  TP p(nullptr);
  DrawItemRing(p, DC, R, Brush, true);
}

void TdxBarXPPainter::DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) {
  if (IsEmpty(R)) return;
  Fill(DC, R, SysBrush(COLOR_WINDOW));
  DrawPart(tciToolBar, DC, kButton, Pressed ? kPressed : kHot, R);
  DrawFaceText(DC, R, Text, Pressed);
}

void TdxBarXPPainter::DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) {
  FillItemBackground(P, DC, R, BarBkBrush(ParentOf(P)), false);
  const bool pressed = PressedIndex == (Upper ? 0 : 1);
  DrawPart(tciSpin, DC, Upper ? kSpinUp : kSpinDown, SpinButtonState(P.Enabled, pressed, Active), R);
}

void TdxBarXPPainter::FillProgressTrack(TB* Bar, HDC DC, const TRect& R) {
  const int part = Bar && Bar->IsVertical() ? kProgressBarVert : kProgressBar;
  if (UxIsThemeBackgroundPartiallyTransparent(Theme(tciProgress), part, 0)) Fill(DC, R, BarBkBrush(Bar));
  DrawPart(tciProgress, DC, part, 0, R);
}

void TdxBarXPPainter::DrawProgress(TB* Bar, HDC DC, const TRect& R, int Min, int Max, int Value, bool Smooth,
                                   bool Vertical) {
  const int part = Vertical ? kProgressBarVert : kProgressBar;
  if (UxIsThemeBackgroundPartiallyTransparent(Theme(tciProgress), part, 0)) Fill(DC, R, BarBkBrush(Bar));
  DrawPart(tciProgress, DC, part, 0, R);
  // The done part lies within the track's content.
  TRect content = R;
  UxGetThemeBackgroundContentRect(Theme(tciProgress), DC, part, 0, R, content);
  if (Max <= Min) return;
  const int length = Vertical ? Height(content) : Width(content);
  const int done = MulDiv(std::clamp(Value, Min, Max) - Min, length, Max - Min);
  const TRect filled = Vertical ? TRect{content.Left, content.Bottom - done, content.Right, content.Bottom}
                                : TRect{content.Left, content.Top, content.Left + done, content.Bottom};
  if (Smooth)
    FillProgressSmooth(DC, filled);
  else
    DrawProgressBlocks(DC, filled, Vertical);
}

void TdxBarXPPainter::DrawProgressBlocks(HDC DC, const TRect& Done, bool Vertical) {
  DrawPart(tciProgress, DC, Vertical ? kProgressChunkVert : kProgressChunk, 0, Done);
}

// ---- menus and lists ------------------------------------------------------------------------------

void TdxBarXPPainter::DrawMenuBorder(TB* Bar, HDC DC, TRect& R) {
  Frame(DC, R, SysBrush(COLOR_BTNSHADOW));
  if (!Bar->IsDetachable()) return;
  const TRect inner = Inflate(R, -1, -1);
  const TRect band(inner.Left, inner.Top, inner.Right, inner.Top + DetachCaptionHeight(Bar->DetachCaptionSize()) + 1);
  Frame(DC, band, MenuBrush(Bar));
  DrawDetachCaption(Bar, DC, Inflate(band, -1, -1));
}

void TdxBarXPPainter::DrawMenuClientBorder(TB* Bar, HDC DC, TRect& R, HBRUSH) { Frame(DC, R, MenuBrush(Bar)); }

void TdxBarXPPainter::DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool RarelyUsedGroup) {
  FillItemBackground(P, DC, R, BarBkBrush(ParentOf(P)), RarelyUsedGroup);
  DrawSeparatorLine(DC, R);
}

void TdxBarXPPainter::DrawSeparatorLine(HDC DC, const TRect& R) {
  DrawPart(tciToolBar, DC, kSeparatorVert, kNormal, R);
}

void TdxBarXPPainter::DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) {
  SharedFlat().DrawListItem(DC, R, Text, Selected, Offset);
}

// ---- drop-down windows ----------------------------------------------------------------------------

void TdxBarXPPainter::DrawDropDownWindowFrame(HWND Window, bool ShowPanel, bool CloseHot, bool CloseDown,
                                              TRect& GripRect, TRect& CloseRect, TcxGripCorner Corner) {
  RECT r{};
  GetWindowRect(Window, &r);
  const TRect bounds{0, 0, r.right - r.left, r.bottom - r.top};
  const LONG style = GetWindowLong(Window, GWL_STYLE);
  const bool bothScrollBars = (style & WS_HSCROLL) && (style & WS_VSCROLL);
  HDC dc = GetWindowDC(Window);
  try {
    DrawDropDownPanelFrame(dc, bounds, ShowPanel ? static_cast<int>(Corner) : -1, bothScrollBars, CloseDown, CloseHot,
                           GripRect, CloseRect);
  } catch (...) {
    ReleaseDC(Window, dc);
    throw;
  }
  ReleaseDC(Window, dc);
}

void TdxBarXPPainter::DrawDropDownPanelFrame(HDC DC, const TRect& R, int PanelKind, bool BothScrollBars,
                                             bool ClosePressed, bool CloseHot, TRect& GripRect, TRect& CloseRect) {
  Frame(DC, R, SysBrush(COLOR_BTNSHADOW));
  GripRect = CloseRect = {};
  if (PanelKind < 0) return;
  const TRect inner = Inflate(R, -1, -1);
  const int h = DropDownPanelSize();
  const bool top = PanelKind == 2 || PanelKind == 3, right = PanelKind % 2 != 0;
  const TRect panel = top ? TRect{inner.Left, inner.Top, inner.Right, inner.Top + h}
                          : TRect{inner.Left, inner.Bottom - h, inner.Right, inner.Bottom};
  const TRect line = top ? TRect{panel.Left, panel.Bottom - 1, panel.Right, panel.Bottom}
                         : TRect{panel.Left, panel.Top, panel.Right, panel.Top + 1};
  Fill(DC, line, SysBrush(COLOR_BTNSHADOW));
  const TRect area = top ? TRect{panel.Left, panel.Top, panel.Right, panel.Bottom - 1}
                         : TRect{panel.Left, panel.Top + 1, panel.Right, panel.Bottom};
  RECT grip = area;
  DrawThemedSizeGrip(DC, grip, (top ? 0 : 2) + (right ? 1 : 0));
  GripRect = grip;
  ExcludeRect(DC, GripRect);
  RECT close = area;
  DrawThemedCloseButton(DC, close, CloseHot, right ? 1 : 0, ClosePressed);
  CloseRect = close;
  ExcludeRect(DC, CloseRect);
  Fill(DC, area, SysBrush(COLOR_BTNFACE));
  if (!top && BothScrollBars) {
    const int w = GetSystemMetrics(SM_CXVSCROLL), hs = GetSystemMetrics(SM_CYHSCROLL);
    Fill(DC, {inner.Right - w, panel.Top - hs, inner.Right, panel.Top}, SysBrush(COLOR_BTNFACE));
  }
}

// ---- what the other painters call while themes are in use -----------------------------------------

void TdxBarXPPainter::DrawThemedBarSizeGrip(HDC DC, const TRect& R) {
  DrawPart(tciStatus, DC, kStatusGripper, 0, R);
}

void TdxBarXPPainter::FillThemedStatusBar(HDC DC, const TRect& R, const TRect& Origin, const TRect& Client,
                                          TBitmap* Cache) {
  if (!Cache) {
    TdxBarClipKeeper keep(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    DrawPart(tciStatus, DC, kStatusBackground, 0, Client);
    return;
  }
  if (Cache->Empty()) {
    if (IsEmpty(Client)) return;
    Cache->SetSize(Width(Client), Height(Client));
    DrawPart(tciStatus, Cache->Canvas()->Handle(), kStatusBackground, 0, {0, 0, Width(Client), Height(Client)});
  }
  BitBlt(DC, R.Left, R.Top, Width(R), Height(R), Cache->Canvas()->Handle(), Origin.Left, Origin.Top, SRCCOPY);
}

TSize TdxBarXPPainter::ThemedBarSizeGripSize() {
  TSize size;
  if (PartSize(tciStatus, kStatusGripper, 0, TS_TRUE, size)) return size;
  return {GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}
