#include "ui/bars/BarCustomizationPainters.h"

#include <algorithm>

#include "platform/classes/ImageList.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarDrawing.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarFlatPainter.h"
#include "ui/bars/BarItem.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarOffice11Colors.h"
#include "ui/bars/BarOffice11Painter.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarSubItem.h"
#include "ui/bars/BarXPPainter.h"
#include "ui/foundation/Accelerators.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;
using namespace dxbar;

namespace {

constexpr int kHot = 2;         // TS_HOT of the toolbar button part
constexpr int EP_EDITTEXT = 1;  // the edit class's text part

HDC DCOf(TCanvas* ACanvas) {
  ACanvas->RequiredState({csHandleValid, csFontValid, csBrushValid});
  return ACanvas->Handle();
}

void FillWith(TCanvas* ACanvas, const TRect& R, TColor AColor) {
  if (IsEmpty(R)) return;
  ACanvas->Brush()->SetColor(AColor);
  ACanvas->FillRect(R);
}

// One line of text, vertically centred, without prefix processing or clipping, on what is there.
void DrawLine(TCanvas* ACanvas, const TRect& R, const String& AText, TColor AColor) {
  HDC dc = DCOf(ACanvas);
  const int mode = SetBkMode(dc, TRANSPARENT);
  const COLORREF color = SetTextColor(dc, ColorOf(AColor));
  RECT r = R;
  DrawText(dc, AText.c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP);
  SetTextColor(dc, color);
  SetBkMode(dc, mode);
}

void DownArrow(TCanvas* ACanvas, const TRect& R, TColor AColor) {
  const int x = (R.Left + R.Right) / 2 - 2;
  const int y = (R.Top + R.Bottom) / 2 - 1;
  const POINT points[3] = {{x, y}, {x + 4, y}, {x + 2, y + 2}};
  FillPolygon(DCOf(ACanvas), points, 3, ColorOf(AColor), ColorOf(AColor));
}

bool HasGlyph(TdxBarItem* AItem) { return AItem && (!AItem->Glyph()->Empty() || AItem->HasListedImage()); }

bool IsDropDownButton(TdxBarItem* AItem) {
  auto* button = dynamic_cast<TdxBarButton*>(AItem);
  return button && button->ButtonStyle() == bsDropDown;
}

bool IsOneEntryContainer(TdxBarItem* AItem) {
  auto* container = dynamic_cast<TCustomdxBarContainerItem*>(AItem);
  return container && container->ExpandsInPlace();
}

bool HasSubItemArrow(TdxBarItem* AItem) {
  if (IsDropDownButton(AItem)) return true;
  if (auto* container = dynamic_cast<TCustomdxBarContainerItem*>(AItem)) return !container->ExpandsInPlace();
  return dynamic_cast<TCustomdxBarSubItem*>(AItem) != nullptr;
}

TColor FlatSelectedColor(TdxBarItem* AItem) {
  TdxBarManager* manager = AItem ? AItem->BarManager() : nullptr;
  if (manager && manager->FlatToolbarsSelBrush()) {
    LOGBRUSH lb{};
    if (GetObject(manager->FlatToolbarsSelBrush(), sizeof(lb), &lb)) return static_cast<TColor>(lb.lbColor);
  }
  HDC dc = GetDC(nullptr);
  const COLORREF nearest = GetNearestColor(dc, ColorToRGB(BlendSystemColorsByPercent(-2, 30, 72)));
  ReleaseDC(nullptr, dc);
  return static_cast<TColor>(nearest);
}

// The glyph centred in its cell, at the size of the bitmap or of the item's image list.
void DrawItemGlyph(TCanvas* ACanvas, const TRect& ACell, TdxBarItem* AItem, HBRUSH ABrush) {
  if (!AItem) return;
  TBitmap* glyph = AItem->Glyph()->Empty() ? nullptr : AItem->Glyph();
  TCustomImageList* images = AItem->ImageList();
  int w = 0, h = 0;
  if (glyph) {
    w = glyph->Width();
    h = glyph->Height();
  } else if (images) {
    w = images->Width();
    h = images->Height();
  }
  const int left = ACell.Left + (Width(ACell) - w) / 2;
  const int top = ACell.Top + (Height(ACell) - h) / 2;
  TdxBarManager* manager = AItem->BarManager();
  const TColor bk = manager ? manager->ImageListBkColor() : clNone;
  const bool smooth = manager && manager->ImageOptions()->SmoothGlyphs();
  const bool leftBottom = manager && manager->ImageOptions()->UseLeftBottomPixelAsTransparent();
  PaintItemImage(DCOf(ACanvas), {left, top, left + w, top + h}, ACell, 0, glyph, images, AItem->ImageIndex(), bk,
                 smooth, leftBottom, ABrush);
}

void DrawThemePart(TdxThemeClassId AId, TCanvas* ACanvas, int APart, int AState, const TRect& R) {
  if (IsEmpty(R)) return;
  UxDrawThemeBackground(AcquireThemeHandle(AId), DCOf(ACanvas), APart, AState, R);
}

}  // namespace

// ---- the base ---------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass TdxBarCustomizationFormPainter::Class() {
  static const TdxBarCustomizationFormPainter instance;
  return &instance;
}

void TdxBarCustomizationFormPainter::DrawEditCaption(TCanvas* ACanvas, TRect& R, bool ASelected,
                                                     TdxBarItem* AItem) const {
  String caption;
  StripAccelerators(AItem ? AItem->Caption() : String(), false, caption);
  TRect band{R.Left, R.Top, R.Left + ACanvas->TextWidth(caption), R.Bottom};
  DrawCaptionPart(ACanvas, band, ASelected, BackgroundColor(ASelected, AItem), caption);
  R.Left = std::min(band.Right, R.Right);
}

void TdxBarCustomizationFormPainter::DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const {
  if (ASunken)
    Edge(DCOf(ACanvas), R, BDR_SUNKENOUTER, BF_RECT);
  else
    ACanvas->FrameRect(R);
  R = Inflate(R, -1, -1);
  ACanvas->FrameRect(R);
  R = Inflate(R, -1, -1);
}

void TdxBarCustomizationFormPainter::DrawComboBody(TCanvas* ACanvas, const TRect& R, bool AHasButton, bool ASelected,
                                                   TdxBarItem* AItem) const {
  TRect content = R;
  if (AHasButton) {
    const TRect button{std::max(R.Left, R.Right - ComboButtonWidth()), R.Top, R.Right, R.Bottom};
    DrawComboButton(ACanvas, BackgroundColor(false, AItem), ASelected, button);
    content.Right = button.Left;
  }
  DrawEditContent(ACanvas, content, ASelected, AItem);
}

void TdxBarCustomizationFormPainter::DrawCaptionPart(TCanvas* ACanvas, TRect& R, bool ASelected, TColor AColor,
                                                     const String& AText) const {
  R.Right += 7;
  FillWith(ACanvas, R, AColor);
  DrawLine(ACanvas, {R.Left + 2, R.Top, R.Right, R.Bottom}, AText, TextColor(ASelected));
}

void TdxBarCustomizationFormPainter::DrawEditContent(TCanvas* ACanvas, const TRect& R, bool /*ASelected*/,
                                                     TdxBarItem* AItem) const {
  if (IsEmpty(R) || !AItem) return;
  ACanvas->Font()->SetColor(TextColor(false));
  AItem->FillCustomizationBackground(ACanvas, R);
  if (auto* window = dynamic_cast<TdxBarWindowItem*>(AItem))
    DrawLine(ACanvas, {R.Left + 2, R.Top, R.Right, R.Bottom}, window->Text(), TextColor(false));
}

void TdxBarCustomizationFormPainter::CalcButtonRects(TdxBarItem* AItem, const TRect& R, TRect& AArrowRect,
                                                     TRect& ATextRect, TRect& AGlyphRect) const {
  AGlyphRect = {R.Left, R.Top, R.Left + Height(R), R.Bottom};
  ATextRect = {AGlyphRect.Right + 5, R.Top, R.Right, R.Bottom};
  if (IsDropDownButton(AItem)) ATextRect.Right -= 13;
  AArrowRect = {ATextRect.Right, R.Top, R.Right, R.Bottom};
}

void TdxBarCustomizationFormPainter::DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const {
  if (ASelected) {
    Edge(DCOf(ACanvas), R, BDR_RAISEDINNER, BF_RECT);
    R = Inflate(R, -1, -1);
  } else {
    Edge(DCOf(ACanvas), {R.Left - 1, R.Top, R.Right, R.Bottom}, EDGE_ETCHED, BF_LEFT);
    R.Left += 2;
  }
  FillWith(ACanvas, R, BackgroundColor(false, nullptr));
}

void TdxBarCustomizationFormPainter::DrawButtonBackground(TCanvas* ACanvas, TdxBarItem* AItem, bool ASelected,
                                                          const TRect& AArrowRect, const TRect& ATextRect,
                                                          const TRect& AGlyphRect) const {
  FillWith(ACanvas, ATextRect, BackgroundColor(ASelected, AItem));
  FillWith(ACanvas, AGlyphRect, GlyphCellColor(ASelected && !HasGlyph(AItem), AItem));
  if (IsDropDownButton(AItem)) DrawDropDownPart(ACanvas, AArrowRect, ASelected);
}

void TdxBarCustomizationFormPainter::PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected,
                                                TdxBarItem* AItem) const {
  if (ASelected) Edge(DCOf(ACanvas), AGlyphRect, BDR_RAISEDINNER, BF_RECT);
  DrawItemGlyph(ACanvas, AGlyphRect, AItem, nullptr);
}

void TdxBarCustomizationFormPainter::DrawSubItemArrow(TCanvas* ACanvas, int X, bool ASelected, int Y) const {
  const TColor color = ASelected && IsButtonFaceWhite() ? clWhite : ACanvas->Font()->Color();
  const POINT points[3] = {{X, Y}, {X, Y + 6}, {X + 3, Y + 3}};
  FillPolygon(DCOf(ACanvas), points, 3, ColorOf(color), ColorOf(color));
}

void TdxBarCustomizationFormPainter::DrawButtonEntry(TCanvas* ACanvas, const TRect& R, bool ASelected,
                                                     const String& ACaption, TdxBarItem* AItem) const {
  TRect arrow, text, glyph;
  CalcButtonRects(AItem, R, arrow, text, glyph);
  DrawButtonBackground(ACanvas, AItem, ASelected, arrow, text, glyph);
  if (HasGlyph(AItem)) PaintGlyph(ACanvas, glyph, ASelected, AItem);
  ACanvas->Font()->SetColor(TextColor(ASelected));
  DrawLine(ACanvas, text, IsOneEntryContainer(AItem) ? "(" + ACaption + ")" : ACaption, TextColor(ASelected));
  if (HasSubItemArrow(AItem)) DrawSubItemArrow(ACanvas, text.Right - 9, ASelected, R.Top + (EntryHeight() - 7) / 2);
}

void TdxBarCustomizationFormPainter::DrawCheckBox(TCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                  bool AChecked) const {
  RECT r = Inflate(R, -1, -1);
  UINT state = DFCS_BUTTONCHECK;
  if (AChecked) state |= DFCS_CHECKED;
  if (!AEnabled) state |= DFCS_INACTIVE;
  DrawFrameControl(DCOf(ACanvas), &r, DFC_BUTTON, state);
}

void TdxBarCustomizationFormPainter::DrawComboButton(TCanvas* ACanvas, TColor /*AColor*/, bool ASelected,
                                                     const TRect& R) const {
  TRect face = R;
  if (ASelected) {
    Edge(DCOf(ACanvas), R, BDR_RAISEDINNER, BF_RECT);
  } else {
    FillWith(ACanvas, {R.Left - 1, R.Top, R.Left, R.Bottom}, clBtnHighlight);
    ACanvas->Brush()->SetColor(clBtnHighlight);
    ACanvas->FrameRect(R);
  }
  face = Inflate(face, -1, -1);
  FillWith(ACanvas, face, BackgroundColor(false, nullptr));
  DownArrow(ACanvas, face, clBtnText);
}

void TdxBarCustomizationFormPainter::DrawComboEntry(TCanvas* ACanvas, const TRect& R, bool AHasButton, bool ASelected,
                                                    TdxBarItem* AItem) const {
  TRect r = R;
  DrawEditCaption(ACanvas, r, ASelected, AItem);
  if (Width(r) <= 0) return;
  DrawEditFrame(ACanvas, r, ASelected);
  DrawComboBody(ACanvas, r, AHasButton, ASelected, AItem);
}

void TdxBarCustomizationFormPainter::DrawFocus(TCanvas* ACanvas, const TRect& R, TdxBarItem* /*AItem*/) const {
  HDC dc = DCOf(ACanvas);
  const COLORREF text = SetTextColor(dc, ColorOf(TextColor(true)));
  const COLORREF back = SetBkColor(dc, ColorOf(BackgroundColor(true, nullptr)));
  RECT r = R;
  DrawFocusRect(dc, &r);
  SetBkColor(dc, back);
  SetTextColor(dc, text);
}

TColor TdxBarCustomizationFormPainter::BackgroundColor(bool ASelected, TdxBarItem*) const {
  return ASelected ? clHighlight : clBtnFace;
}

TColor TdxBarCustomizationFormPainter::TextColor(bool ASelected) const {
  return ASelected ? clHighlightText : clBtnText;
}

TColor TdxBarCustomizationFormPainter::ListColor() const { return clBtnFace; }

TColor TdxBarCustomizationFormPainter::GlyphCellColor(bool ASelected, TdxBarItem* AItem) const {
  return BackgroundColor(ASelected, AItem);
}

void TdxBarCustomizationFormPainter::DrawEntry(TCanvas* ACanvas, const TRect& R, bool ASelected, TdxBarItem* AItem,
                                               const String& ACaption, int AKind) const {
  if (AKind < 0)
    DrawButtonEntry(ACanvas, R, ASelected, ACaption, AItem);
  else
    DrawComboEntry(ACanvas, R, AKind == 1, ASelected, AItem);
}

// ---- standard ---------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass TdxBarCustomizationFormStandardPainter::Class() {
  static const TdxBarCustomizationFormStandardPainter instance;
  return &instance;
}

void TdxBarCustomizationFormStandardPainter::DrawFocus(TCanvas* ACanvas, const TRect& R, TdxBarItem* AItem) const {
  TdxBarCustomizationFormPainter::DrawFocus(ACanvas, Inflate(R, -2, -2), AItem);
}

// ---- flat -------------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass TdxBarCustomizationFormFlatPainter::Class() {
  static const TdxBarCustomizationFormFlatPainter instance;
  return &instance;
}

void TdxBarCustomizationFormFlatPainter::DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const {
  if (ASunken)
    FrameHighlight(DCOf(ACanvas), R);
  else
    Frame(DCOf(ACanvas), R, GetSysColorBrush(COLOR_BTNSHADOW));
  R = Inflate(R, -1, -1);
}

void TdxBarCustomizationFormFlatPainter::DrawCaptionPart(TCanvas* ACanvas, TRect& R, bool ASelected, TColor AColor,
                                                         const String& AText) const {
  R.Right += 11;
  FillWith(ACanvas, R, AColor);
  if (ASelected) FrameHighlight(DCOf(ACanvas), {R.Left, R.Top, R.Right + 1, R.Bottom});
  DrawLine(ACanvas, {R.Left + 5, R.Top, R.Right, R.Bottom}, AText, TextColor(ASelected));
}

void TdxBarCustomizationFormFlatPainter::DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const {
  FillWith(ACanvas, R, BackgroundColor(ASelected, nullptr));
  if (ASelected)
    FrameHighlight(DCOf(ACanvas), R);
  else
    Frame(DCOf(ACanvas), R, GetSysColorBrush(COLOR_BTNSHADOW));
}

void TdxBarCustomizationFormFlatPainter::PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected,
                                                    TdxBarItem* AItem) const {
  HBRUSH brush = CreateSolidBrush(ColorOf(GlyphCellColor(ASelected, AItem)));
  DrawItemGlyph(ACanvas, AGlyphRect, AItem, brush);
  DeleteObject(brush);
}

void TdxBarCustomizationFormFlatPainter::DrawButtonEntry(TCanvas* ACanvas, const TRect& R, bool ASelected,
                                                         const String& ACaption, TdxBarItem* AItem) const {
  TdxBarCustomizationFormPainter::DrawButtonEntry(ACanvas, R, ASelected, ACaption, AItem);
  if (ASelected) FrameHighlight(DCOf(ACanvas), R);
}

void TdxBarCustomizationFormFlatPainter::DrawComboButton(TCanvas* ACanvas, TColor /*AColor*/, bool ASelected,
                                                         const TRect& R) const {
  if (ASelected) {
    FrameHighlight(DCOf(ACanvas), Inflate(R, 1, 1));
    FillWith(ACanvas, R, BackgroundColor(true, nullptr));
  } else {
    FillWith(ACanvas, {R.Left - 1, R.Top, R.Left, R.Bottom}, clBtnHighlight);
    ACanvas->Brush()->SetColor(clBtnHighlight);
    ACanvas->FrameRect(R);
    FillWith(ACanvas, Inflate(R, -1, -1), BackgroundColor(false, nullptr));
  }
  DownArrow(ACanvas, R, ASelected && IsButtonFaceWhite() ? clWhite : clBtnText);
}

TColor TdxBarCustomizationFormFlatPainter::BackgroundColor(bool ASelected, TdxBarItem* AItem) const {
  return ASelected ? FlatSelectedColor(AItem) : clWindow;
}

TColor TdxBarCustomizationFormFlatPainter::TextColor(bool ASelected) const {
  return ASelected && IsButtonFaceWhite() ? clBtnFace : clBtnText;
}

TColor TdxBarCustomizationFormFlatPainter::GlyphCellColor(bool ASelected, TdxBarItem* AItem) const {
  return ASelected ? BackgroundColor(true, AItem) : clBtnFace;
}

// ---- Office 2003 ------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass TdxBarCustomizationFormOffice11Painter::Class() {
  static const TdxBarCustomizationFormOffice11Painter instance;
  return &instance;
}

void TdxBarCustomizationFormOffice11Painter::DrawGradientBand(TCanvas* ACanvas, const TRect& R) {
  PaintGradientRect(DCOf(ACanvas), R, Office11MenuColumnColor1, Office11MenuColumnColor2, true);
}

void TdxBarCustomizationFormOffice11Painter::DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const {
  if (ASunken)
    OutlineOffice11Selection(DCOf(ACanvas), R);
  else
    Frame(DCOf(ACanvas), R, Office11FrameBrush);
  R = Inflate(R, -1, -1);
}

void TdxBarCustomizationFormOffice11Painter::DrawCaptionPart(TCanvas* ACanvas, TRect& R, bool ASelected,
                                                             TColor AColor, const String& AText) const {
  const int square = Height(R);
  R.Right += square + 11;
  FillWith(ACanvas, R, AColor);
  if (ASelected)
    OutlineOffice11Selection(DCOf(ACanvas), R);
  else
    DrawGradientBand(ACanvas, {R.Left, R.Top, R.Left + square, R.Bottom});
  DrawLine(ACanvas, {R.Left + square + 5, R.Top, R.Right, R.Bottom}, AText, TextColor(ASelected));
}

void TdxBarCustomizationFormOffice11Painter::DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const {
  if (ASelected)
    OutlineOffice11Selection(DCOf(ACanvas), R);
  else
    Frame(DCOf(ACanvas), R, Office11FrameBrush);
  FillWith(ACanvas, Inflate(R, -1, -1), BackgroundColor(ASelected, nullptr));
}

void TdxBarCustomizationFormOffice11Painter::DrawButtonBackground(TCanvas* ACanvas, TdxBarItem* AItem, bool ASelected,
                                                                  const TRect& AArrowRect, const TRect& ATextRect,
                                                                  const TRect& AGlyphRect) const {
  FillWith(ACanvas, ATextRect, BackgroundColor(ASelected, AItem));
  if (ASelected)
    FillWith(ACanvas, AGlyphRect, GlyphCellColor(true, AItem));
  else
    DrawGradientBand(ACanvas, AGlyphRect);
  if (IsDropDownButton(AItem)) DrawDropDownPart(ACanvas, AArrowRect, ASelected);
}

void TdxBarCustomizationFormOffice11Painter::PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool /*ASelected*/,
                                                        TdxBarItem* AItem) const {
  DrawItemGlyph(ACanvas, AGlyphRect, AItem, nullptr);
}

void TdxBarCustomizationFormOffice11Painter::DrawButtonEntry(TCanvas* ACanvas, const TRect& R, bool ASelected,
                                                             const String& ACaption, TdxBarItem* AItem) const {
  TdxBarCustomizationFormFlatPainter::DrawButtonEntry(ACanvas, R, ASelected, ACaption, AItem);
  if (ASelected) OutlineOffice11Selection(DCOf(ACanvas), R);
}

void TdxBarCustomizationFormOffice11Painter::DrawComboButton(TCanvas* ACanvas, TColor /*AColor*/, bool ASelected,
                                                             const TRect& R) const {
  if (ASelected) {
    OutlineOffice11Selection(DCOf(ACanvas), Inflate(R, 1, 1));
    FillWith(ACanvas, R, BackgroundColor(true, nullptr));
  } else {
    Frame(DCOf(ACanvas), R, Office11FrameBrush);
    FillWith(ACanvas, {R.Left - 1, R.Top, R.Left, R.Bottom}, Office11ControlColor);
    FillWith(ACanvas, Inflate(R, -1, -1), Office11ControlColor);
  }
  DownArrow(ACanvas, R, TextColor(false));
}

TColor TdxBarCustomizationFormOffice11Painter::BackgroundColor(bool ASelected, TdxBarItem*) const {
  return ASelected ? Office11HotColor1 : Office11WindowColor;
}

TColor TdxBarCustomizationFormOffice11Painter::TextColor(bool ASelected) const {
  return ASelected && IsButtonFaceWhite() ? clBtnFace : Office11ArrowColor;
}

TColor TdxBarCustomizationFormOffice11Painter::ListColor() const { return Office11WindowColor; }

// ---- themed -----------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass TdxBarCustomizationFormXPPainter::Class() {
  static const TdxBarCustomizationFormXPPainter instance;
  return &instance;
}

void TdxBarCustomizationFormXPPainter::DrawEditFrame(TCanvas* ACanvas, TRect& R, bool /*ASunken*/) const {
  ACanvas->FrameRect(R);
  R = Inflate(R, -1, -1);
}

void TdxBarCustomizationFormXPPainter::DrawEditContent(TCanvas* ACanvas, const TRect& R, bool ASelected,
                                                       TdxBarItem* AItem) const {
  const TRect content = Inflate(R, -1, -1);
  TdxBarCustomizationFormPainter::DrawEditContent(ACanvas, content, ASelected, AItem);
  HDC dc = DCOf(ACanvas);
  const int saved = SaveDC(dc);
  ExcludeRect(dc, content);
  DrawThemePart(tciEdit, ACanvas, EP_EDITTEXT, 1, R);
  RestoreDC(dc, saved);
}

void TdxBarCustomizationFormXPPainter::DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const {
  FillWith(ACanvas, R, BackgroundColor(ASelected, nullptr));
  DrawThemePart(tciToolBar, ACanvas, TP_BUTTON, kHot, R);
}

void TdxBarCustomizationFormXPPainter::PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected,
                                                  TdxBarItem* AItem) const {
  if (ASelected && dynamic_cast<TdxBarButton*>(AItem)) DrawThemePart(tciToolBar, ACanvas, TP_BUTTON, kHot, AGlyphRect);
  DrawItemGlyph(ACanvas, AGlyphRect, AItem, nullptr);
}

void TdxBarCustomizationFormXPPainter::DrawComboButton(TCanvas* ACanvas, TColor /*AColor*/, bool /*ASelected*/,
                                                       const TRect& R) const {
  DrawThemePart(tciComboBox, ACanvas, CP_DROPDOWNBUTTON, 1, R);
}

void TdxBarCustomizationFormXPPainter::DrawFocus(TCanvas* ACanvas, const TRect& R, TdxBarItem* AItem) const {
  TRect r = R;
  if (!dynamic_cast<TdxBarEdit*>(AItem) && HasGlyph(AItem)) r.Left += Height(R) + 1;
  TdxBarCustomizationFormPainter::DrawFocus(ACanvas, r, AItem);
}

// ---- the choice -------------------------------------------------------------------------------

TdxBarCustomizationFormPainterClass dxBarCustomizationFormPainterClass(TdxBarPainterClass APainterClass) {
  if (APainterClass == TdxBarOffice11Painter::StaticClass()) return TdxBarCustomizationFormOffice11Painter::Class();
  if (APainterClass == TdxBarFlatPainter::StaticClass()) return TdxBarCustomizationFormFlatPainter::Class();
  if (APainterClass == TdxBarXPPainter::StaticClass()) return TdxBarCustomizationFormXPPainter::Class();
  return TdxBarCustomizationFormStandardPainter::Class();
}
