#include "ui/choice/CheckMark.h"

#include <memory>

#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/EditUtils.h"
#include "ui/foundation/Geometry.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/foundation/WinXPPainter.h"

namespace {

// Where the mask is black the brush shows, where it is white the destination stays.
constexpr win::DWORD ROP_PSDPxax = 0xB8074A;

win::HBITMAP CheckMarkMaskHandle = nullptr;

win::HBITMAP MakeCheckMarkMask() {
  using namespace win;
  const TSize size = CustomLookAndFeelPainter()->CheckBoxSize();
  HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  if (!strip || size.cx <= 0 || size.cy <= 0) {
    if (strip) DeleteObject(strip);
    return nullptr;
  }
  HBITMAP mask = CreateBitmap(size.cx, size.cy, 1, 1, nullptr);
  HDC source = CreateCompatibleDC(nullptr);
  HDC target = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(source, strip);
  HGDIOBJ oldTarget = SelectObject(target, mask);
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x) {
      const bool differs = GetPixel(source, x + size.cx, y) != GetPixel(source, x, y);
      SetPixel(target, x, y, differs ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
  SelectObject(target, oldTarget);
  SelectObject(source, oldSource);
  DeleteDC(target);
  DeleteDC(source);
  DeleteObject(strip);
  return mask;
}

}  // namespace

void CheckMarkUnitStartup() {
  if (!CheckMarkMaskHandle) CheckMarkMaskHandle = MakeCheckMarkMask();
}

void CheckMarkUnitShutdown() {
  if (CheckMarkMaskHandle) win::DeleteObject(CheckMarkMaskHandle);
  CheckMarkMaskHandle = nullptr;
}

win::HBITMAP CheckMarkMask() { return CheckMarkMaskHandle; }

void DrawCheckMark(win::HDC DC, const TRect& Inner, TColor Color) {
  using namespace win;
  HBITMAP mask = CheckMarkMask();
  if (!mask) return;
  BITMAP data{};
  GetObject(mask, sizeof data, &data);
  const int saved = SaveDC(DC);
  IntersectClipRect(DC, Inner.Left, Inner.Top, Inner.Right, Inner.Bottom);
  // A monochrome source takes the text colour for 0 and the background colour for 1.
  SetTextColor(DC, RGB(0, 0, 0));
  SetBkColor(DC, RGB(255, 255, 255));
  HBRUSH brush = CreateSolidBrush(ColorToRGB(Color));
  SelectObject(DC, brush);
  HDC source = CreateCompatibleDC(DC);
  HGDIOBJ old = SelectObject(source, mask);
  BitBlt(DC, Inner.Left - 2, Inner.Top - 2, data.bmWidth, data.bmHeight, source, 0, 0, ROP_PSDPxax);
  SelectObject(source, old);
  DeleteDC(source);
  RestoreDC(DC, saved);
  DeleteObject(brush);
}

// ---- the box ----------------------------------------------------------------------------------------

TSize EditCheckSize(TBitmap* Glyph, int GlyphCount, TcxCustomLookAndFeelPainterClass SkinPainter, bool NativeStyle) {
  if (Glyph && !Glyph->Empty() && GlyphCount > 0) return TSize(Glyph->Width() / GlyphCount, Glyph->Height());
  if (SkinPainter) return SkinPainter->CheckBoxSize();
  if (IsNativeThemeActive(NativeStyle, tciButton)) return WinXPLookAndFeelPainter()->CheckBoxSize();
  return CustomLookAndFeelPainter()->CheckBoxSize();
}

int EditCheckGlyphIndex(TcxCheckBoxState State, TcxEditCheckState PartState, int GlyphCount) {
  int index = static_cast<int>(State) + (PartState == ecsPressed ? 3 : 0);
  if (index >= 3 && index >= GlyphCount) index %= 3;
  // A strip shorter than the state's image has nothing to show for it.
  return index < GlyphCount ? index : -1;
}

namespace {

TcxButtonState ButtonStateOfPart(TcxEditCheckState Part) {
  switch (Part) {
    case ecsHot: return cxbsHot;
    case ecsPressed: return cxbsPressed;
    case ecsDisabled: return cxbsDisabled;
    default: return cxbsNormal;
  }
}

void PaintCheckGlyph(TcxCanvas* ACanvas, const TcxEditCheckPaint& P, TcxCheckBoxState State, TColor Background) {
  TBitmap* strip = P.Glyph;
  const int index = EditCheckGlyphIndex(State, P.PartState, P.GlyphCount);
  if (index < 0) {
    if (Background != clNone) ACanvas->FillRectWithColor(P.Box, Background);
    return;
  }
  const int w = strip->Width() / P.GlyphCount, h = strip->Height();
  TBitmap image;
  image.SetSize(w, h);
  image.Canvas()->CopyRect(Rect(0, 0, w, h), strip->Canvas(), Rect(index * w, 0, index * w + w, h));
  image.SetTransparentColor(strip->TransparentColor());
  const int y = P.Box.Top + (HeightOfRect(P.Box) - h) / 2;
  DrawGlyphOnCanvas(ACanvas, P.Box.Left, y, nullptr, Background, P.PartState != ecsDisabled, &image);
}

// The system's check button in Inner inflated by 2, its own border left outside the clip.
void PaintFrameControlMark(TcxCanvas* ACanvas, const TcxEditCheckPaint& P, TcxCheckBoxState State, const TRect& Inner) {
  using namespace win;
  UINT flags = DFCS_BUTTONCHECK;
  if (P.PartState == ecsDisabled) {
    const bool empty = State == cbsUnchecked || (State == cbsGrayed && P.NullStyle != nssGrayedChecked);
    flags = (empty ? DFCS_INACTIVE : DFCS_CHECKED) | DFCS_PUSHED | DFCS_BUTTON3STATE;
  } else {
    if (State == cbsChecked) flags |= DFCS_CHECKED;
    if (State == cbsGrayed) {
      flags |= DFCS_BUTTON3STATE;
      if (P.NullStyle == nssInactive) flags |= DFCS_INACTIVE;
      if (P.NullStyle == nssGrayedChecked) flags |= DFCS_CHECKED;
    }
    if (P.PartState == ecsPressed) flags |= DFCS_PUSHED;
  }
  if (P.BorderStyle != ebs3D) flags |= DFCS_FLAT;
  ACanvas->PushClipRegion();
  ACanvas->ClipToRect(Inner);
  RECT r = Rect(Inner.Left - 2, Inner.Top - 2, Inner.Right + 2, Inner.Bottom + 2);
  DrawFrameControl(ACanvas->DeviceContext(), &r, DFC_BUTTON, flags);
  ACanvas->PopClipRegion();
}

void PaintFlatMark(TcxCanvas* ACanvas, const TcxEditCheckPaint& P, TcxCheckBoxState State, const TRect& Inner) {
  const bool office11 = P.BorderStyle == ebsOffice11;
  const bool inactiveGray = State == cbsGrayed && P.NullStyle == nssInactive;
  TColor fill;
  switch (P.PartState) {
    case ecsDisabled: fill = clBtnFace; break;
    case ecsHot:
    case ecsPressed: fill = UltraFlatButtonFillColor(P.PartState == ecsPressed, office11); break;
    default: fill = inactiveGray ? clBtnFace : clWindow; break;
  }
  ACanvas->FillRectWithColor(Inner, fill);
  if (State == cbsUnchecked || inactiveGray) return;
  DrawCheckMark(ACanvas->DeviceContext(), Inner,
                P.PartState == ecsDisabled || State == cbsGrayed ? clBtnShadow : clBtnText);
}

TColor UltraFlatBoxBorderColor(const TcxEditCheckPaint& P) {
  const bool office11 = P.BorderStyle == ebsOffice11;
  const bool highlighted = P.PartState == ecsHot || P.PartState == ecsPressed ||
                           (P.Designing && P.PartState != ecsDisabled) || (P.PartState == ecsNormal && P.Focused);
  if (highlighted) return UltraFlatButtonBorderColor(office11);
  if (office11 && P.PartState == ecsNormal) return clBtnText;
  return clBtnShadow;
}

}  // namespace

void PaintEditCheck(TcxCanvas* ACanvas, const TcxEditCheckPaint& P) {
  const TColor background = P.BackgroundOpaque ? P.BackgroundColor : clNone;
  const TcxCheckBoxState state = P.State == cbsGrayed && P.NullStyle == nssUnchecked ? cbsUnchecked : P.State;
  if (P.Glyph && !P.Glyph->Empty() && P.GlyphCount > 0) {
    PaintCheckGlyph(ACanvas, P, state, background);
    return;
  }
  if (P.SkinPainter) {
    if (P.BackgroundOpaque) ACanvas->FillRectWithColor(P.Box, background);
    P.SkinPainter->DrawCheckBox(ACanvas, P.Box, ButtonStateOfPart(P.PartState), state);
    return;
  }
  if (P.NativeStyle) {
    UxDrawThemeBackground(AcquireThemeHandle(tciButton), ACanvas->DeviceContext(), 3,
                          1 + 4 * static_cast<int>(state) + static_cast<int>(P.PartState), P.Box);
    return;
  }
  TRect r = P.Box;
  const int w = 2 - ContainerBorderWidth(static_cast<TcxContainerBorderStyle>(P.BorderStyle));
  if (P.BackgroundOpaque && w > 0) ACanvas->DrawSideFrame(r, background, w);
  r = GrowRect(r, -w, -w);
  switch (P.BorderStyle) {
    case ebsSingle:
    case ebsThick: {
      const int width = P.BorderStyle == ebsThick ? 2 : 1;
      ACanvas->DrawSideFrame(r, P.BorderColor, width);
      r = GrowRect(r, -width, -width);
      break;
    }
    case ebsFlat:
    case ebs3D:
      ACanvas->DrawTwoColorFrame(r, clBtnShadow, clBtnHighlight);
      r = GrowRect(r, -1, -1);
      if (P.BorderStyle == ebsFlat)
        ACanvas->DrawSideFrame(r, clBtnFace, 1);
      else
        ACanvas->DrawTwoColorFrame(r, cl3DDkShadow, cl3DLight);
      r = GrowRect(r, -1, -1);
      break;
    case ebsUltraFlat:
    case ebsOffice11:
      ACanvas->DrawSideFrame(r, UltraFlatBoxBorderColor(P), 1);
      r = GrowRect(r, -1, -1);
      break;
    default: break;
  }
  const TRect inner = GrowRect(P.Box, -2, -2);
  if (P.BorderStyle == ebsUltraFlat || P.BorderStyle == ebsOffice11)
    PaintFlatMark(ACanvas, P, state, inner);
  else
    PaintFrameControlMark(ACanvas, P, state, inner);
}
