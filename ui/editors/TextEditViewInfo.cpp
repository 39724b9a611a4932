#include "ui/editors/TextEditViewInfo.h"

#include <algorithm>
#include <memory>

#include "platform/classes/Utf8.h"
#include "platform/gdi/Gdi.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditUtils.h"
#include "ui/foundation/OSVersion.h"

using namespace win;

namespace {

bool IsEmptyArea(const TRect& R) { return R.Right <= R.Left || R.Bottom <= R.Top; }

TRect Moved(const TRect& R, int DX, int DY) { return TRect(R.Left + DX, R.Top + DY, R.Right + DX, R.Bottom + DY); }

int LineHeight(TcxCanvas* ACanvas) { return ACanvas->MeasureTextHeight("Zg"); }

// A text editor (not in place) that only picks items or shows no caret gets one more pixel.
bool NeedsExtraPixel(TcxCustomEditViewData* ViewData) {
  auto* text = dynamic_cast<TcxCustomTextEditViewData*>(ViewData);
  if (!text || ViewData->IsInplace) return false;
  TcxEditTypingMode mode = text->TextProperties()->TypingMode();
  if (mode != etmListOnly && mode != etmNoCaret) return false;
  return !text->DrawsAsComboBox() || !IsNativeThemeActive(true, tciComboBox);
}

bool WrapsText(TcxCustomEditViewData* ViewData) {
  return (ViewData->PaintFlags & esoWrappedText) && (ViewData->Properties->SupportedOperations() & esoWrappedText);
}

// A single-line flag set becomes a word-breaking, edit-control one.
TcxTextLayoutFlags AsWrapping(TcxTextLayoutFlags Flags) {
  if (Flags & tlfSingleLine) Flags = (Flags & ~tlfSingleLine) | tlfWordBreak | tlfEditControl;
  return Flags;
}

int LaidOutRows(TcxCanvas* ACanvas, const String& Text, TRect R, TcxTextLayoutFlags Flags, int MaxRows,
                int* WidestRow = nullptr) {
  TcxTextLayoutParams params;
  FillTextParams(ACanvas->DeviceContext(), Flags, params);
  TcxTextRows rows;
  int count = 0;
  BuildDCTextRows(ACanvas->DeviceContext(), Text, R, params, rows, count, MaxRows);
  if (WidestRow) *WidestRow = MeasureWidestTextRow(rows, count);
  ResetTextRows(rows);
  return count;
}

}  // namespace

unsigned TextLayoutFlagsToDrawTextFlags(TcxTextLayoutFlags Flags) {
  unsigned result = 0;
  switch (Flags & tlfHorzMask) {
    case tlfCenterHorz: result |= DT_CENTER; break;
    case tlfAlignRight: result |= DT_RIGHT; break;
    default: break;
  }
  switch (Flags & tlfVertMask) {
    case tlfCenterVert: result |= DT_VCENTER; break;
    case tlfAlignBottom: result |= DT_BOTTOM; break;
    default: break;
  }
  if (Flags & tlfWordBreak) result |= DT_WORDBREAK;
  if (Flags & tlfSingleLine) result |= DT_SINGLELINE;
  if (Flags & tlfExpandTabs) result |= DT_EXPANDTABS;
  if (Flags & tlfEndEllipsis) result |= DT_END_ELLIPSIS;
  if (Flags & tlfExternalLeading) result |= DT_EXTERNALLEADING;
  if (Flags & tlfEditControl) result |= DT_EDITCONTROL;
  if (Flags & tlfNoClip) result |= DT_NOCLIP;
  if (Flags & tlfHidePrefix) result |= DT_HIDEPREFIX;
  return result | DT_NOPREFIX;
}

// ---- the free functions -------------------------------------------------------------------------------

void EditorTextBounds(TcxCustomEditViewData* ViewData, TRect& R) {
  R = ViewData->ContentOffsets.Margins;
  auto* text = dynamic_cast<TcxCustomTextEditViewData*>(ViewData);
  if (!text || ViewData->IsInplace || text->TextProperties()->IsMultiLine()) return;
  TcxEditTypingMode mode = text->TextProperties()->TypingMode();
  if (mode != etmListOnly && mode != etmNoCaret) return;
  // Painted without the edit box, the text keeps a pixel off the focus rectangle; right-aligned
  // text goes a pixel further right instead, where the box's right margin was.
  R.Top += 1;
  R.Bottom += 1;
  if (ViewData->HorzAlignment == taRightJustify)
    R.Right -= 1;
  else
    R.Left += 1;
}

void FillSelectionColors(TcxCustomTextEditViewInfo* AViewInfo, TColor SelectionTextColor, TColor SelectionBkColor) {
  if (AViewInfo->HighlightLength == 0) return;
  bool textGiven = SelectionTextColor != clDefault, bkGiven = SelectionBkColor != clDefault;
  if (textGiven && bkGiven) {
    AViewInfo->HighlightTextColor = SelectionTextColor;
    AViewInfo->HighlightBkColor = SelectionBkColor;
  } else if (textGiven) {
    AViewInfo->HighlightTextColor = SelectionTextColor;
    AViewInfo->HighlightBkColor = ContrastColor(SelectionTextColor);
  } else if (bkGiven) {
    AViewInfo->HighlightBkColor = SelectionBkColor;
    AViewInfo->HighlightTextColor = ContrastColor(SelectionBkColor);
  } else if (AViewInfo->BackgroundColor == clHighlight) {
    AViewInfo->HighlightBkColor = static_cast<TColor>(0);
    AViewInfo->HighlightTextColor = static_cast<TColor>(0xFFFFFF);
  } else {
    AViewInfo->HighlightBkColor = clHighlight;
    AViewInfo->HighlightTextColor = clHighlightText;
  }
}

TSize MeasureEditorText(TcxCanvas* ACanvas, TcxCustomEditViewData* ViewData, const String& Text, int RowCount,
                        const TcxEditSizeProperties& Request, TcxTextLayoutFlags Flags, bool AddMarginsWidth) {
  TcxCustomEditStyle* style = ViewData->EditStyle();
  ACanvas->AssignFont(style->IsDirectAccess() ? style->Font() : style->DisplayFont());
  TSize margins = ViewData->ContentMarginsTotal();
  const int lineHeight = LineHeight(ACanvas);
  const int extra = NeedsExtraPixel(ViewData) ? 1 : 0;
  TSize size(0, 0);
  if (Request.Width < 0) {
    bool singleLine = (Flags & tlfSingleLine) != 0;
    if (!singleLine || WrapsText(ViewData)) {
      TcxTextLayoutFlags flags = AsWrapping(Flags) | tlfMeasureOnly;
      int rows = RowCount > 0 ? RowCount : Request.MaxLineCount;
      int widest = 0;
      LaidOutRows(ACanvas, Text, TRect(0, 0, cxMaxEditBound, cxMaxEditBound), flags, rows, &widest);
      size.cx = widest;
      size.cy = RowCount > 0 ? lineHeight * RowCount : lineHeight;
    } else {
      if (!Text.empty()) {
        RECT r{0, 0, 0, 0};
        DrawText(ACanvas->DeviceContext(), Text.c_str(), static_cast<int>(Text.size()), &r,
                 TextLayoutFlagsToDrawTextFlags(Flags) | DT_CALCRECT);
        size.cx = r.right - r.left;
      }
      size.cy = lineHeight;
    }
    size.cx += extra;
    if (AddMarginsWidth) size.cx += margins.cx;
  } else if (RowCount > 0) {
    size.cy = lineHeight * RowCount;
    size.cx = Request.Width;
  } else {
    // The in-place editor's two border pixels and the extra pixel are not the text's.
    int available = Request.Width - (ViewData->IsInplace ? 2 : 0) - extra;
    auto emptyHeight = [&] { return (ViewData->PaintFlags & 1) ? 0 : lineHeight; };
    if (available > 0) {
      size.cx = Request.Width;
      if (Text.empty()) {
        size.cy = emptyHeight();
      } else {
        TcxTextLayoutFlags flags = (AsWrapping(Flags) & ~tlfVertMask) | tlfWordBreak | tlfCountRows;
        int rows = LaidOutRows(ACanvas, Text, TRect(0, 0, available, cxMaxEditBound), flags, Request.MaxLineCount);
        size.cy = lineHeight * rows;
      }
    } else {
      size.cx = 0;
      size.cy = Text.empty() ? emptyHeight() : lineHeight;
    }
  }
  if (size.cy > 0) size.cy += margins.cy;
  return size;
}

// ---- TcxCustomTextEditViewData ------------------------------------------------------------------------

bool TcxCustomTextEditViewData::EditorTextEditable() { return Edit && Edit->InnerTextShowsValue(); }

TcxTextLayoutFlags TcxCustomTextEditViewData::TextDrawFlags() {
  TcxTextLayoutFlags flags = 0;
  switch (HorzAlignment) {
    case taRightJustify: flags |= tlfAlignRight; break;
    case taCenter: flags |= tlfCenterHorz; break;
    default: break;
  }
  switch (VertAlignment) {
    case taBottomJustify: flags |= tlfAlignBottom; break;
    case taVCenter: flags |= tlfCenterVert; break;
    default: break;
  }
  return flags | tlfSingleLine | tlfKeepLeft | tlfKeepTop;
}

void TcxCustomTextEditViewData::TextAreaBounds(TRect& R) { EditorTextBounds(this, R); }

void TcxCustomTextEditViewData::CalculateButtonThemeParts(TcxEditButtonViewInfo* B) {
  TcxCustomEditViewData::CalculateButtonThemeParts(B);
  if (NativeStyle && IsWindowsVistaOrLater && !IsInplace && TextProperties()->TypingMode() == etmListOnly &&
      B->Data.NativePart != 4 && B->Data.ComboBoxStyle)
    B->Data.NativePart = 1;
}

void TcxCustomTextEditViewData::LoadPropertiesState() {
  TcxCustomEditViewData::LoadPropertiesState();
  ValueFormatting = Properties->UsesProviderDisplayFormat();
}

void TcxCustomTextEditViewData::EditValueToDisplayText(const Variant& Value, String& Text) {
  TcxCustomTextEditProperties* properties = TextProperties();
  if (ValueFormatting) {
    Text = VarToStr(Value);
  } else {
    try {
      Text = VarToStr(properties->PrepareValueText(Value, ShowsEditingState()));
    } catch (...) {
      properties->ConvertDisplayText(Text);
      throw;
    }
  }
  properties->ConvertDisplayText(Text);
}

void TcxCustomTextEditViewData::ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo) {
  String text = VarToStr(Value);
  TextProperties()->ConvertDisplayText(text);
  AViewInfo->Text = text;
}

TSize TcxCustomTextEditViewData::EditContentSize(TcxCanvas* ACanvas, const Variant& Value,
                                                 const TcxEditSizeProperties& Request) {
  TSize inherited = TcxCustomEditViewData::EditContentSize(ACanvas, Value, Request);
  String text;
  DisplayTextForValue(Value, text);
  TcxTextLayoutFlags flags = TextDrawFlags();
  if (Request.Width >= 0) flags &= ~tlfSingleLine;
  TSize size = MeasureEditorText(ACanvas, this, text, 0, Request, flags);
  return TSize(std::max(size.cx, inherited.cx), std::max(size.cy, inherited.cy));
}

void TcxCustomTextEditViewData::CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                                TShiftState AShift, TcxCustomEditViewInfo* AViewInfo,
                                                bool AIsMouseEvent) {
  TcxCustomEditViewData::CalculateLayout(ACanvas, ABounds, P, AButton, AShift, AViewInfo, AIsMouseEvent);
  auto* info = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  info->SelectionBar = false;
  info->TypingMode = TextProperties()->TypingMode();
  info->TextEditable = EditorTextEditable();
  info->PopupOpen = Edit && Edit->HasOpenPopup();
  CalculateTextRect(ACanvas, info);
  info->MaxLineCount = ContentLineCount();
  ResetTextRows(info->TextOutData.TextRows);
  info->TextOutData.Initialized = false;
  PrepareTextDrawParams(ACanvas, info);
}

void TcxCustomTextEditViewData::CalculateTextRect(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo) {
  TRect margins;
  TextAreaBounds(margins);
  TRect& r = AViewInfo->TextRect;
  r = AViewInfo->ClientRect;
  r.Left += margins.Left;
  r.Top += margins.Top;
  r.Right -= margins.Right;
  r.Bottom -= margins.Bottom;
  if (IsInplace) return;
  TcxCustomEditStyle* style = EditStyle();
  ACanvas->AssignFont(style->IsDirectAccess() ? style->Font() : style->DisplayFont());
  int height = LineHeight(ACanvas);
  if (r.Bottom - r.Top < height) r.Bottom = std::min(r.Top + height, AViewInfo->ClientRect.Bottom);
}

void TcxCustomTextEditViewData::PrepareTextDrawParams(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo) {
  if (!TextProperties()->IsMultiLine() && WrapsText(this))
    CheckWrappedLayout(ACanvas, AViewInfo);
  else
    AViewInfo->DrawFlags = TextDrawFlags();
  if (AViewInfo->PaintOptions & epoShowEndEllipsis) AViewInfo->DrawFlags |= tlfEndEllipsis;
  AViewInfo->ComboBoxStyle = DrawsAsComboBox();
}

void TcxCustomTextEditViewData::CheckWrappedLayout(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo) {
  TcxCustomEditStyle* style = EditStyle();
  ACanvas->AssignFont(style->IsDirectAccess() ? style->Font() : style->DisplayFont());
  AViewInfo->DrawFlags = TextDrawFlags();
  const TRect& textRect = AViewInfo->TextRect;
  TRect area;
  TextAreaBounds(area);
  TSize margins = ContentMarginsTotal();
  int width = (textRect.Right - textRect.Left) - (area.Left + area.Right) - margins.cx +
              (HorzAlignment == taRightJustify ? 1 : 0);
  int textHeight = std::max(1, LineHeight(ACanvas));
  int rectHeight = textRect.Bottom - textRect.Top;
  int maxRows = (rectHeight + textHeight - 1) / textHeight + 1;
  TcxTextLayoutFlags flags =
      (AViewInfo->DrawFlags & ~tlfSingleLine) | tlfWordBreak | tlfEditControl | tlfCountRows;
  int rows = LaidOutRows(ACanvas, AViewInfo->Text, TRect(0, 0, std::max(width, 0), cxMaxEditBound), flags, maxRows);
  if (rows <= 1) return;
  AViewInfo->DrawFlags = (AViewInfo->DrawFlags & ~tlfSingleLine) | tlfWordBreak | tlfEditControl;
  if (rows * textHeight > rectHeight) AViewInfo->DrawFlags &= ~(tlfVertMask | tlfSingleLine);
}

void TcxCustomTextEditViewData::PrepareDisplayValue(TcxCanvas*, const Variant& Value,
                                                    TcxCustomEditViewInfo* AViewInfo) {
  auto* info = static_cast<TcxCustomTextEditViewInfo*>(AViewInfo);
  if (PreviewMode)
    info->Text.clear();
  else
    DisplayTextForValue(Value, info->Text);
  FillSelectionColors(info);
}

void TcxCustomTextEditViewData::ClientExtentWithButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo,
                                                        TRect& R) {
  TcxCustomEditViewData::ClientExtentWithButtons(ACanvas, AViewInfo, R);
  if (!IsInplace && DrawsAsComboBox() && IsNativeThemeActive(NativeStyle, tciComboBox)) R.Right += 1;
}

// ---- TcxCustomTextEditViewInfo ------------------------------------------------------------------------

TcxCustomTextEditViewInfo::~TcxCustomTextEditViewInfo() { ResetTextRows(TextOutData.TextRows); }

void TcxCustomTextEditViewInfo::ShiftBy(int DX, int DY) {
  TcxCustomEditViewInfo::ShiftBy(DX, DY);
  TextRect = Moved(TextRect, DX, DY);
  if (!TextOutData.Initialized) return;
  TextOutData.TextRect = Moved(TextOutData.TextRect, DX, DY);
  for (int i = 0; i < TextOutData.RowCount; ++i) {
    TextOutData.TextRows.Rows[static_cast<std::size_t>(i)].Left += DX;
    TextOutData.TextRows.Rows[static_cast<std::size_t>(i)].Top += DY;
  }
}

void TcxCustomTextEditViewInfo::PaintBody(TcxCanvas* ACanvas) {
  DrawEditBackgroundExcludingButtons(ACanvas, this, !(Transparent || SelectionBar));
  TRect content = ClientRect;
  if (!IsInplace) {
    bool nativeClean = NativeStyle && !SelectionBar;
    if (!nativeClean && !Transparent && TypingMode != etmNoCaret)
      ACanvas->DrawSideFrame(content, BackgroundColor, 1, cxBordersAll);
    content.Left += 1;
    content.Top += 1;
    content.Right -= 1;
    content.Bottom -= 1;
  }
  if (OwnerDrawing) {
    if (OnOwnerDraw) OnOwnerDraw(this, ACanvas, content);
  } else {
    if (SelectionBar) ACanvas->FillRectWithColor(content, clHighlight);
    if (PaintsValueDirectly || !InnerControlVisible || !TextEditable) PaintText(ACanvas);
  }
  if (!TextEditable && Focused && !IsInplace && !PopupOpen) {
    ACanvas->ActiveFont()->SetColor(SelectionBar ? clHighlightText : clBtnText);
    ACanvas->ChangeBrushColor(SelectionBar ? clHighlight : BackgroundColor);
    ACanvas->PaintFocusRect(content);
  }
}

void TcxCustomTextEditViewInfo::PrepareTextOutData(TcxCanvas* ACanvas) {
  TcxTextOutData& out = TextOutData;
  out.Initialized = true;
  out.RowCount = 0;
  ResetTextRows(out.TextRows);
  if (Text.empty()) return;
  HDC dc = ACanvas->DeviceContext();
  out.TextParams = TcxTextLayoutParams();
  FillTextParams(dc, DrawFlags, out.TextParams);
  out.TextRect = ApplyTextIndents(TextRect, out.TextParams, 0, 0);
  if (IsEmptyArea(out.TextRect)) return;
  bool fits = BuildDCTextRows(dc, Text, out.TextRect, out.TextParams, out.TextRows, out.RowCount, MaxLineCount);
  out.ForceEndEllipsis = !fits;
  if (out.RowCount == 0) return;
  PositionTextRows(dc, out.TextRect, out.TextParams, out.TextRows, out.RowCount);
  int length = Utf8Count(Text);
  out.HighlightStart = HighlightStart;
  out.HighlightLength = HighlightLength;
  if (out.HighlightStart < 0 || out.HighlightStart >= length)
    out.HighlightLength = 0;
  else if (out.HighlightStart + out.HighlightLength > length)
    out.HighlightLength = length - out.HighlightStart;
  out.HighlightTextColor = HighlightTextColor;
  out.HighlightBkColor = HighlightBkColor;
}

void TcxCustomTextEditViewInfo::PaintText(TcxCanvas* ACanvas) {
  if (Text.empty()) return;
  if (Font) ACanvas->AssignFont(Font);
  ACanvas->ActiveFont()->SetColor(SelectionBar ? clHighlightText : TextColor);
  BeforePaintTextHook(ACanvas);
  if (!TextOutData.Initialized) PrepareTextOutData(ACanvas);
  if (TextOutData.RowCount == 0) return;
  HDC dc = ACanvas->DeviceContext();
  // The canvas's font and colour reach the DC only when the canvas hands it out.
  SelectObject(dc, ACanvas->ActiveFont()->Handle());
  SetTextColor(dc, ColorToRGB(ACanvas->ActiveFont()->Color()));
  DrawTextRowsHighlighted(dc, TextOutData.TextRect, TextOutData.TextParams, TextOutData.TextRows,
                          TextOutData.RowCount, TextOutData.HighlightStart, TextOutData.HighlightLength,
                          TextOutData.HighlightBkColor, TextOutData.HighlightTextColor, TextOutData.ForceEndEllipsis);
}

bool TcxCustomTextEditViewInfo::HintAt(const TPoint& P, TRect& R, bool& Multiline, String& AText) {
  return HintAtClipped(P, R, Multiline, AText, TRect());
}

bool TcxCustomTextEditViewInfo::HintAtClipped(const TPoint& P, TRect& R, bool& Multiline, String& AText,
                                              const TRect& ClipRect) {
  TRect area = TextRect;
  if (!IsEmptyArea(ClipRect)) {
    TRect clip = Moved(ClipRect, -Left, -Top);
    area = TRect(std::max(area.Left, clip.Left), std::max(area.Top, clip.Top), std::min(area.Right, clip.Right),
                 std::min(area.Bottom, clip.Bottom));
  }
  TPoint local(P.X - Left, P.Y - Top);
  bool inside = !IsEmptyArea(area) && local.X >= area.Left && local.X < area.Right && local.Y >= area.Top &&
                local.Y < area.Bottom;
  if (inside && !Text.empty()) {
    TRect needed = area;
    TcxScreenCanvas canvas;
    if (Font) canvas.AssignFont(Font);
    DrawLayoutTextAnsi(canvas.Canvas(), Text, needed, (DrawFlags & ~(tlfVertMask | tlfSingleLine)) | tlfMeasureOnly,
                       nullptr);
    if (needed.Right - needed.Left > area.Right - area.Left || needed.Bottom - needed.Top > area.Bottom - area.Top) {
      AText = Text;
      Multiline = (DrawFlags & tlfWordBreak) && !(DrawFlags & tlfSingleLine);
      R = Moved(TextRect, Left, Top);
      return true;
    }
  }
  return TcxCustomEditViewInfo::HintAt(P, R, Multiline, AText);
}
