#include "ui/bars/BarSkinPainter.h"

#include <algorithm>

#include "ui/bars/BarHintViewInfo.h"
#include "ui/bars/BarItemControl.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarOffice11Painter.h"
#include "ui/bars/BarStandardPainter.h"
#include "ui/bars/BarUnit.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Fader.h"
#include "ui/skins/SkinInfo.h"
#include "ui/skins/SkinLookAndFeelPainter.h"

using namespace win;
using namespace dxbar;

namespace {

// A level of the DC's state (clip, origins, objects) for one drawing step, given back also when
// the step raises.
class TDCLevel {
 public:
  explicit TDCLevel(HDC DC) : FDC(DC), FSaved(SaveDC(DC)) {}
  ~TDCLevel() { RestoreDC(FDC, FSaved); }
  TDCLevel(const TDCLevel&) = delete;
  TDCLevel& operator=(const TDCLevel&) = delete;

 private:
  HDC FDC;
  int FSaved;
};

// The paint canvas bound to a DC for the look-and-feel painter's calls.
class TCanvasLevel {
 public:
  explicit TCanvasLevel(HDC DC) : FCanvas(PaintCanvasInstance()) {
    if (FCanvas) FCanvas->PushDC(DC);
  }
  ~TCanvasLevel() {
    if (FCanvas) FCanvas->PopLevel();
  }
  TCanvasLevel(const TCanvasLevel&) = delete;
  TCanvasLevel& operator=(const TCanvasLevel&) = delete;
  TcxCanvas* Canvas() const { return FCanvas; }

 private:
  TcxPaintCanvas* FCanvas;
};

TRect OffsetsOf(TdxSkinElement* E) { return E ? E->ContentOffset()->Rect() : TRect{}; }
TRect Shrunk(const TRect& R, const TRect& O) { return {R.Left + O.Left, R.Top + O.Top, R.Right - O.Right, R.Bottom - O.Bottom}; }
TRect Grown(const TRect& R, const TRect& O) { return {R.Left - O.Left, R.Top - O.Top, R.Right + O.Right, R.Bottom + O.Bottom}; }
bool ValidColor(TColor C) { return C != clDefault && C != clNone; }

bool HasBackgroundPicture(TCustomdxBarControl* Bar) {
  TBitmap* own = Bar->BackgroundBitmap();
  if (own && !own->Empty()) return true;
  TdxBarManager* manager = Bar->BarManager();
  TBitmap* shared = manager ? manager->Backgrounds()->Bar() : nullptr;
  return shared && !shared->Empty();
}

// Where the client area's origin lies in the window.
TPoint ClientOrigin(TdxBarPainter* Painter, TCustomdxBarControl* Bar) {
  if (Bar->HandleAllocated()) {
    RECT window{};
    GetWindowRect(Bar->Handle(), &window);
    POINT origin{0, 0};
    ClientToScreen(Bar->Handle(), &origin);
    return {origin.x - window.left, origin.y - window.top};
  }
  TRect insets;
  Painter->CalcBarNonClient(Bar, Bar->DockingStyleIndex(), insets, Bar->SizeGrip());
  return {insets.Left, insets.Top};
}

// The window's client area; the given rectangle for a window not sized yet.
TRect ClientOrGiven(TCustomdxBarControl* Bar, const TRect& R) {
  const RECT c = Bar->ClientRect();
  return c.right > c.left && c.bottom > c.top ? TRect(c.left, c.top, c.right, c.bottom) : R;
}

TcxButtonState EditButtonState(bool Enabled, bool Pressed, bool Selected) {
  if (!Enabled) return cxbsDisabled;
  if (Pressed) return cxbsPressed;
  return Selected ? cxbsHot : cxbsNormal;
}

int gStartCount = 0;

}  // namespace

TdxBarSkinPainter::TdxBarSkinPainter() : FElementCache(new TdxSkinElementCacheList) {}

TdxBarSkinPainter::~TdxBarSkinPainter() { delete FElementCache; }

// ---- skin lookup ----------------------------------------------------------------------------------

TdxSkinInfo* TdxBarSkinPainter::SkinInfo() const {
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  TObject* info = nullptr;
  if (!FSkinPainter || !registry || !registry->InfoOfPainter(FSkinPainter, info)) return nullptr;
  return dynamic_cast<TdxSkinInfo*>(info);
}

TdxSkinElement* TdxBarSkinPainter::Element(TdxSkinElement* TdxSkinInfo::*Member) const {
  TdxSkinInfo* info = SkinInfo();
  return info ? info->*Member : nullptr;
}

TdxSkinElement* TdxBarSkinPainter::ToolbarElement(bool Vertical) const {
  return Element(Vertical ? &TdxSkinInfo::BarsBarVertical : &TdxSkinInfo::BarsBar);
}

TdxSkinElement* TdxBarSkinPainter::MarkElement(bool MainMenu, bool Vertical) const {
  if (MainMenu && !Vertical)
    if (TdxSkinElement* e = Element(&TdxSkinInfo::BarsMainMenuCustomize)) return e;
  return Element(Vertical ? &TdxSkinInfo::BarsBarCustomizeVertical : &TdxSkinInfo::BarsBarCustomize);
}

TdxSkinElement* TdxBarSkinPainter::GripElement(bool MainMenu, bool Vertical) const {
  if (MainMenu && !Vertical) return Element(&TdxSkinInfo::BarsMainMenuDrag);
  return Element(Vertical ? &TdxSkinInfo::BarsBarDragGripVertical : &TdxSkinInfo::BarsBarDragGrip);
}

TdxSkinElement* TdxBarSkinPainter::SeparatorElement(bool Vertical) const {
  return Element(Vertical ? &TdxSkinInfo::BarsBarSeparatorVertical : &TdxSkinInfo::BarsBarSeparator);
}

TdxSkinElement* TdxBarSkinPainter::MainMenuElement(bool Vertical) const {
  return Element(Vertical ? &TdxSkinInfo::BarsBarVertical : &TdxSkinInfo::BarsMainMenu);
}

TdxSkinElement* TdxBarSkinPainter::MDIButtonElement(int Kind) const {
  if (Kind == 0) return Element(&TdxSkinInfo::BarsMDIButtonMinimize);
  if (Kind == 1) return Element(&TdxSkinInfo::BarsMDIButtonRestore);
  return Element(&TdxSkinInfo::BarsMDIButtonClose);
}

bool TdxBarSkinPainter::IsVerticalBar(TB* Bar) {
  const int style = Bar ? Bar->DockingStyleIndex() : 0;
  return style == 1 || style == 3;
}

TdxSkinElement* TdxBarSkinPainter::ControlElement(TB* Bar, bool Vertical) const {
  if (!Bar) return nullptr;
  if (Bar->IsMenu()) return Element(&TdxSkinInfo::BarsPopupMenu);
  if (Bar->IsMainMenu()) return MainMenuElement(Vertical);
  if (Bar->IsStatusBar()) return Element(&TdxSkinInfo::BarsStatusBar);
  return ToolbarElement(Vertical);
}

TdxSkinElement* TdxBarSkinPainter::ControlElement(TB* Bar) const { return ControlElement(Bar, IsVerticalBar(Bar)); }

TdxSkinElement* TdxBarSkinPainter::TextElement(TB* Bar) const {
  if (!Bar) return nullptr;
  TdxSkinElement* e = Bar->IsMainMenu() && IsVerticalBar(Bar) ? Element(&TdxSkinInfo::BarsBar) : ControlElement(Bar, false);
  if (e && e == ToolbarElement(IsVerticalBar(Bar)) && dynamic_cast<TdxBarControl*>(Bar) && Bar->BorderStyleIndex() == 0)
    return Element(&TdxSkinInfo::BarsDock);
  return e;
}

bool TdxBarSkinPainter::HotTextColor(TdxSkinElement* E, TColor& Color) {
  TdxSkinColor* hot = E ? dynamic_cast<TdxSkinColor*>(E->PropertyByName("TextColorHot")) : nullptr;
  if (!hot || !ValidColor(hot->Value())) return false;
  Color = hot->Value();
  return true;
}

TSize TdxBarSkinPainter::ElementSize(TdxSkinElement* E) {
  if (!E) return {0, 0};
  if (!E->MinSize()->IsZero()) return E->MinSize()->CurrentSize();
  return TSize(E->ImageSize());
}

int TdxBarSkinPainter::GripWidthOf(TB* Bar) const {
  return ElementSize(GripElement(Bar && Bar->IsMainMenu(), IsVerticalBar(Bar))).cx;
}

int TdxBarSkinPainter::MarkSizeOf(TB* Bar) const { return ElementSize(MarkElement(Bar && Bar->IsMainMenu(), false)).cx; }

bool TdxBarSkinPainter::BarTextColor(TB* Bar, bool Selected, TColor& Color) const {
  if (!ControlElement(Bar)) return false;
  TdxSkinElement* text = TextElement(Bar);
  if (!text) return false;
  if (Selected && HotTextColor(text, Color)) return true;
  Color = text->TextColor();
  return true;
}

// ---- drawing primitives ---------------------------------------------------------------------------

bool TdxBarSkinPainter::DrawElement(TdxSkinElement* E, HDC DC, TdxSkinElementState State, int ImageIndex,
                                    const TRect& R) {
  if (!E) return false;
  // The last frame of the strip is count - 1: an index at the count would lie past it.
  E->Draw(DC, R, std::clamp(ImageIndex, 0, std::max(E->ImageCount() - 1, 0)), State);
  return true;
}

bool TdxBarSkinPainter::DrawElementOutside(TdxSkinElement* E, HDC DC, TdxSkinElementState State, int ImageIndex,
                                           const TRect& R) {
  if (!E) return false;
  TDCLevel level(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  DrawElement(E, DC, State, ImageIndex, Grown(R, OffsetsOf(E)));
  return true;
}

bool TdxBarSkinPainter::DrawElementFrame(TdxSkinElement* E, HDC DC, TdxSkinElementState State, int ImageIndex,
                                         const TRect& R) {
  if (!E) return false;
  TDCLevel level(DC);
  ExcludeRect(DC, Shrunk(R, OffsetsOf(E)));
  DrawElement(E, DC, State, ImageIndex, R);
  return true;
}

void TdxBarSkinPainter::DrawElementClipped(TdxSkinElement* E, HDC DC, TdxSkinElementState State, const TRect& R) {
  if (!E || IsEmpty(R)) return;
  const TRect margins = E->Image()->Margins()->Rect();
  TRect r = R;
  if (Width(r) < margins.Left + margins.Right) r.Left = r.Right - (margins.Left + margins.Right);
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  DrawElement(E, DC, State, 0, r);
}

void TdxBarSkinPainter::PaintParentIfTranslucent(HDC DC, const TRect& R, TdxSkinElement* E, TB* Bar) {
  if (E && !E->NeedsAlphaBlend()) return;
  if (!Bar || IsEmpty(R)) return;
  // The site's background straight away: going through the bar's own fill would come back here.
  if (TdxDockControl* dock = Bar->DockControl()) {
    FillDockBackground(dock, DC, R, Offset(R, Bar->Left(), Bar->Top()), BarBkBrush(Bar), clNone);
    return;
  }
  Fill(DC, R, BarBkBrush(Bar));
}

void TdxBarSkinPainter::ComposeBarBackground(TB* Bar, HDC DC, bool SkipOverlays, const TRect& R) {
  TBitmap* work = Bar ? Bar->BackgroundTempBitmap() : nullptr;
  const int w = Width(R), h = Height(R);
  if (!work || w <= 0 || h <= 0) return;
  if (work->Width() != w || work->Height() != h) work->SetSize(w, h);
  HDC bitmapDC = work->Canvas()->Handle();
  {
    TDCLevel level(bitmapDC);
    const bool vertical = IsVerticalBar(Bar);
    const int grip = Bar->ShowsGrip() && Bar->BorderStyleIndex() != 0 ? GripWidthOf(Bar) : 0;
    TRect mark{};
    if (Bar->HasMark()) {
      TRect insets;
      CalcBarNonClient(Bar, Bar->DockingStyleIndex(), insets, Bar->SizeGrip());
      mark = MarkBounds(Bar, {insets.Left, insets.Top, w - insets.Right, h - insets.Bottom}, {});
    }
    TRect area{0, 0, w, h};
    if (vertical) {
      area.Top += grip;
      area.Bottom -= Height(mark);
    } else {
      area.Left += grip;
      area.Right -= Width(mark);
    }
    TdxSkinElement* element = ControlElement(Bar);
    // The bitmap's corner is the window's: the parent is found by the bar's place in its site.
    if (!IsEmpty(area)) {
      PaintParentIfTranslucent(bitmapDC, area, element, Bar);
      if (element) FElementCache->DrawElement(bitmapDC, element, area, esNormal, 0);
    }
    if (!SkipOverlays) {
      if (Bar->HasMark() && !IsEmpty(mark)) DrawMark(Bar, bitmapDC, Bar->MarkState() != 0, mark);
      if (grip > 0) {
        const TRect gripRect = vertical ? TRect{0, 0, w, grip} : TRect{0, 0, grip, h};
        TdxSkinElement* gripElement = GripElement(Bar->IsMainMenu(), vertical);
        PaintParentIfTranslucent(bitmapDC, gripRect, gripElement, Bar);
        DrawElement(gripElement, bitmapDC, esNormal, 0, gripRect);
      }
    }
  }
  BitBlt(DC, R.Left, R.Top, w, h, bitmapDC, 0, 0, SRCCOPY);
}

void TdxBarSkinPainter::DrawMark(TB* Bar, HDC DC, bool Hot, const TRect& R) {
  TdxSkinElement* e = MarkElement(Bar->IsMainMenu(), IsVerticalBar(Bar));
  PaintParentIfTranslucent(DC, R, e, Bar);
  DrawElement(e, DC, Hot ? esHot : esNormal, 0, R);
}

void TdxBarSkinPainter::DrawCaptionButton(HDC DC, const TRect& R, int ButtonState, int GlyphIndex) {
  static constexpr TdxSkinElementState kStates[3] = {esActive, esHot, esPressed};
  DrawElement(Element(&TdxSkinInfo::DockingDockWindowButton), DC, kStates[std::clamp(ButtonState, 0, 2)], 0, R);
  if (GlyphIndex >= 0) DrawElement(Element(&TdxSkinInfo::DockingDockWindowButtonGlyphs), DC, esNormal, GlyphIndex, R);
}

TdxSkinElementState TdxBarSkinPainter::SelectionState(TP& P) {
  if (P.InMenu()) return P.Enabled ? esHot : esDisabled;
  if (!P.IsSelected) return esChecked;
  auto* button = dynamic_cast<TBP*>(&P);
  const bool pressed = P.IsPressed || (button && button->DrawDownFrame);
  if (button && button->Down) return pressed ? esCheckPressed : esHotCheck;
  return pressed ? esPressed : esHot;
}

bool TdxBarSkinPainter::DrawFadingButton(TdxBarItemControl* C, HDC DC, bool IsSplit, const TRect& R) {
  IdxFadingElementData* fade = C ? C->FadingElementData() : nullptr;
  if (!fade) return false;
  TdxBarManager* manager = C->Parent() ? C->Parent()->BarManager() : nullptr;
  if (!IsSplit) return fade->DrawWorkImage(DC, R);
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  const TRect whole{R.Left, R.Top, R.Right + DropArrowPartWidth(manager, false), R.Bottom};
  return fade->DrawWorkImage(DC, whole);
}

bool TdxBarSkinPainter::DrawFadingSplitPart(TBP& P, const TRect& R) {
  IdxFadingElementData* fade = P.OwnerControl ? P.OwnerControl->FadingElementData() : nullptr;
  if (!fade || !P.Canvas) return false;
  TRect part = R;
  if (IsFlatStyle() && !P.InMenu()) part.Left -= 1;
  const int width = Width(P.OwnerControl->ItemRect());
  HDC dc = P.Canvas->Handle();
  TdxBarClipKeeper keep(dc);
  IntersectClipRect(dc, part.Left, part.Top, part.Right, part.Bottom);
  return fade->DrawWorkImage(dc, TRect{part.Right - width, part.Top, part.Right, part.Bottom});
}

void TdxBarSkinPainter::DrawMenuBackgroundUnder(HDC DC, const TRect& R) {
  TdxSkinElement* menu = Element(&TdxSkinInfo::BarsPopupMenu);
  if (!menu) return;
  const TRect margins = menu->Image()->Margins()->Rect();
  TdxSkinBorders* borders = menu->Borders();
  const TRect grow{std::max(margins.Left, borders->Left()->Thin()), std::max(margins.Top, borders->Top()->Thin()),
                   std::max(margins.Right, borders->Right()->Thin()), std::max(margins.Bottom, borders->Bottom()->Thin())};
  TDCLevel level(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  DrawElementOutside(menu, DC, esNormal, 0, Grown(R, grow));
}

// ---- fading -------------------------------------------------------------------------------------

void TdxBarSkinPainter::DrawMarkForFade(TCustomdxBarControl* BarControl, HDC DC, bool Hot, const TRect& R) {
  DrawMark(BarControl, DC, Hot, R);
}

void TdxBarSkinPainter::DrawButtonForFade(TBP& P) {
  if (!P.Canvas || !P.OwnerControl) return;
  HDC dc = P.Canvas->Handle();
  const TRect bounds = P.OwnerControl->ItemRect();
  TRect main = bounds;
  if (P.HasDropDownPart) main.Right -= DropArrowPartWidth(ManagerOf(P), P.ViewSize != cvsSmall);
  const bool pressed = P.IsPressed || P.DrawDownFrame;
  const bool noGlyph = !P.ShowsGlyph() || !P.OwnerControl->HasImage();
  DrawGlyphFrame(P.OwnerControl, dc, ButtonBrush(P), false, main, P.PaintType, noGlyph, P.IsSelected, P.Down, pressed,
                 P.IsDropDown, P.HasDropDownPart);
  if (P.HasDropDownPart) DrawDropDownPart(P, dc, bounds);
}

// ---- toolbars, docks and floating windows ---------------------------------------------------------

void TdxBarSkinPainter::FillDockBackground(TdxDockControl* Dock, HDC DC, const TRect& R, const TRect& Origin,
                                           HBRUSH Brush, TColor Color) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsDock);
  if (!Dock || !e) {
    TdxBarPainter::FillDockBackground(Dock, DC, R, Origin, Brush, Color);
    return;
  }
  TBitmap* cache = Dock->BackgroundCache();
  if (cache->Empty()) {
    const RECT client = Dock->ClientRect();
    const int w = client.right - client.left, h = client.bottom - client.top;
    if (w <= 0 || h <= 0) return;
    cache->SetSize(w, h);
    DrawElement(e, cache->Canvas()->Handle(), esNormal, 0, {0, 0, w, h});
  }
  BitBlt(DC, R.Left, R.Top, Width(R), Height(R), cache->Canvas()->Handle(), Origin.Left, Origin.Top, SRCCOPY);
}

void TdxBarSkinPainter::FillDockedBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  if (Bar->BorderStyleIndex() == 0 || HasBackgroundPicture(Bar) || IsEmpty(R)) {
    TdxBarPainter::FillDockedBarBackground(Bar, DC, R, Brush);
    return;
  }
  // The whole window in client coordinates, so that client and frame compose the same picture.
  const TPoint origin = ClientOrigin(this, Bar);
  TRect whole{-origin.X, -origin.Y, Bar->Width() - origin.X, Bar->Height() - origin.Y};
  // A window not sized yet paints the rectangle it is given.
  if (Bar->Width() <= 0 || Bar->Height() <= 0) whole = R;
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  const RECT client = Bar->ClientRect();
  ComposeBarBackground(Bar, DC, R != TRect(client.left, client.top, client.right, client.bottom) && R != whole, whole);
}

void TdxBarSkinPainter::FillFloatBarBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsFloatBar);
  if (!e || HasBackgroundPicture(Bar)) {
    TdxBarPainter::FillFloatBarBackground(Bar, DC, R, Brush);
    return;
  }
  TdxBarClipKeeper keep(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  DrawElement(e, DC, esNormal, 0, ClientOrGiven(Bar, R));
}

void TdxBarSkinPainter::DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH) {
  if (IsEmpty(R)) return;
  TRect insets;
  CalcBarNonClient(Bar, Bar->DockingStyleIndex(), insets, Bar->SizeGrip());
  TdxBarClipKeeper keep(DC);
  ExcludeRect(DC, Shrunk(R, insets));
  ComposeBarBackground(Bar, DC, false, R);
}

TRect TdxBarSkinPainter::DockedBarInsets(TB* Bar, int DockingStyle) {
  return OffsetsOf(ControlElement(Bar, DockingStyle == 1 || DockingStyle == 3));
}

TRect TdxBarSkinPainter::DockedBorderInsets(TB* Bar) {
  const int style = Bar->DockingStyleIndex();
  TRect r = DockedBarInsets(Bar, style);
  if (Bar->ShowsGrip()) (style == 1 || style == 3 ? r.Top : r.Left) += GripWidthOf(Bar);
  return r;
}

void TdxBarSkinPainter::CalcBarNonClient(TB* Bar, int DockingStyle, TRect& Insets, bool WithSizeGrip) {
  TdxBarPainter::CalcBarNonClient(Bar, DockingStyle, Insets, WithSizeGrip);
  // The interface's grip size speaks for a plain toolbar; a main menu's grip may be another.
  if (DockingStyle == 0 || Bar->BorderStyleIndex() == 0 || !Bar->ShowsGrip()) return;
  const int delta = GripWidthOf(Bar) - GripSizeDocked();
  (DockingStyle == 2 || DockingStyle == 4 ? Insets.Left : Insets.Top) += delta;
}

int TdxBarSkinPainter::GripWidth() { return ElementSize(GripElement(false, false)).cx; }

int TdxBarSkinPainter::MarkSize() { return ElementSize(MarkElement(false, false)).cx; }

int TdxBarSkinPainter::ToolbarSeparatorSize() { return ElementSize(Element(&TdxSkinInfo::BarsBarSeparator)).cx; }

void TdxBarSkinPainter::DrawToolbarSeparator(TB* Bar, HDC DC, const TRect& R, bool Vertical, HBRUSH Brush) {
  FillBarBackgroundPart(Bar, DC, R, Brush);
  DrawElement(SeparatorElement(Vertical), DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH) {
  DrawMark(Bar, DC, Bar->MarkState() != 0, R);
}

TRect TdxBarSkinPainter::MarkBounds(TB* Bar, const TRect& Client, const TRect& Caption) {
  TRect r = TdxBarPainter::MarkBounds(Bar, Client, Caption);
  const int style = Bar->DockingStyleIndex();
  if (style == 0) return r;
  const bool vertical = style == 1 || style == 3;
  const int size = MarkSizeOf(Bar);
  if (vertical)
    r.Top = r.Bottom - size;
  else
    r.Left = r.Right - size;
  if (Bar->IsStatusBar()) {
    const TRect s = StatusBarInsets();
    return {r.Left, r.Top - s.Top, r.Right + s.Right, r.Bottom + s.Bottom};
  }
  const TRect i = DockedBarInsets(Bar, style);
  if (vertical) return {r.Left - i.Left, r.Top + i.Bottom, r.Right + i.Right, r.Bottom + i.Bottom};
  return {r.Left + i.Right, r.Top - i.Top, r.Right + i.Right, r.Bottom + i.Bottom};
}

TRect TdxBarSkinPainter::MarkRedrawBounds(TB* Bar, const TRect& Client, const TRect& Caption) {
  if (Bar->BorderStyleIndex() != 0) return MarkBounds(Bar, Client, Caption);
  const TRect r = TdxBarPainter::MarkBounds(Bar, Client, Caption);
  if (Bar->IsStatusBar()) return r;
  const TRect i = DockedBarInsets(Bar, Bar->DockingStyleIndex());
  return IsVerticalBar(Bar) ? Offset(r, 0, i.Top) : Offset(r, i.Left, 0);
}

void TdxBarSkinPainter::RedrawMark(TB* Bar, const TRect& Client, const TRect& Caption) {
  TdxBarPainter::RedrawMark(Bar, Client, Caption);
  if (Bar->HandleAllocated() && Bar->DockingStyleIndex() != 0) SendMessage(Bar->Handle(), WM_NCPAINT, 1, 0);
}

void TdxBarSkinPainter::FillFloatCaption(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsFloatBar);
  if (!e) {
    TdxBarPainter::FillFloatCaption(Bar, DC, R, Brush);
    return;
  }
  FillColor(DC, R, ColorOf(e->Color(), GetSysColor(COLOR_BTNFACE)));
}

void TdxBarSkinPainter::DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsFloatBar);
  if (!e) {
    TdxBarPainter::DrawFloatBorder(Bar, DC, R, Brush);
    return;
  }
  auto frame = [DC](const TRect& r, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    Frame(DC, r, b);
    DeleteObject(b);
  };
  frame(R, ColorOf(e->Borders()->Left()->Color(), GetSysColor(COLOR_BTNSHADOW)));
  frame(Inflate(R, -1, -1), ColorOf(e->Color(), GetSysColor(COLOR_BTNFACE)));
}

void TdxBarSkinPainter::DrawFloatCaption(TB* Bar, HDC DC, const TRect& R, const String& Caption, HBRUSH Brush,
                                         bool Active) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsFloatBar);
  if (!e) {
    TdxBarPainter::DrawFloatCaption(Bar, DC, R, Caption, Brush, Active);
    return;
  }
  HBRUSH band = CreateSolidBrush(ColorOf(e->Color(), GetSysColor(COLOR_BTNFACE)));
  try {
    TdxBarPainter::DrawFloatCaption(Bar, DC, R, Caption, band, Active);
  } catch (...) {
    DeleteObject(band);
    throw;
  }
  DeleteObject(band);
}

TColor TdxBarSkinPainter::FloatCaptionTextColor(bool Active) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsFloatBar);
  return e ? e->TextColor() : TdxBarPainter::FloatCaptionTextColor(Active);
}

int TdxBarSkinPainter::FloatCaptionTextOrigin(TB*, TRect& TextRect, const TRect& MarkRect) {
  TextRect.Right = MarkRect.Left;
  return TextRect.Left + 2;
}

void TdxBarSkinPainter::DrawButtonFace(TB* Bar, HDC DC, const TRect& R, int State, bool) {
  {
    TdxBarClipKeeper keep(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    FillFloatCaption(Bar, DC, R, BarBkBrush(Bar));
  }
  DrawCaptionButton(DC, R, State, -1);
}

void TdxBarSkinPainter::DrawFloatCloseGlyph(TB* Bar, HDC DC, const TRect& R, int State, bool) {
  {
    TdxBarClipKeeper keep(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    FillFloatCaption(Bar, DC, R, BarBkBrush(Bar));
  }
  DrawCaptionButton(DC, R, State, 2);
}

void TdxBarSkinPainter::DrawMarkArrow(TB* Bar, HDC DC, const TRect& MarkRect, bool) {
  {
    TdxBarClipKeeper keep(DC);
    IntersectClipRect(DC, MarkRect.Left, MarkRect.Top, MarkRect.Right, MarkRect.Bottom);
    FillFloatCaption(Bar, DC, MarkRect, BarBkBrush(Bar));
  }
  DrawCaptionButton(DC, MarkRect, Bar->MarkState(), 6);
}

void TdxBarSkinPainter::DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) {
  TdxSkinElement* e = MDIButtonElement(Kind);
  if (!e) return;
  if (e->NeedsAlphaBlend()) Bar->FillBarBackground(DC, R, true, clNone, BarBkBrush(Bar));
  const TdxSkinElementState state = State == 1 ? esDisabled : State == 2 ? esHot : State == 4 ? esPressed : esNormal;
  DrawElement(e, DC, state, 0, R);
}

void TdxBarSkinPainter::DrawBarSizeGrip(HDC DC, const TRect& R) {
  if (!FSkinPainter) {
    TdxBarPainter::DrawBarSizeGrip(DC, R);
    return;
  }
  TCanvasLevel level(DC);
  if (level.Canvas()) FSkinPainter->DrawSizeGripAtCorner(level.Canvas(), R, clNone, 3);
}

TSize TdxBarSkinPainter::SizeGripSize() {
  return FSkinPainter ? FSkinPainter->SizeGripSize() : TdxBarPainter::SizeGripSize();
}

void TdxBarSkinPainter::FillStatusBarTopBand(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) {
  if (!DrawElementFrame(Element(&TdxSkinInfo::BarsStatusBar), DC, esNormal, 0, R))
    TdxBarPainter::FillStatusBarTopBand(Bar, DC, R, Brush);
}

void TdxBarSkinPainter::FillStatusBarBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsStatusBar);
  if (!e) {
    TdxBarPainter::FillStatusBarBackground(Bar, DC, R, Origin, Brush);
    return;
  }
  const TRect full = Offset(ClientOrGiven(Bar, Origin), R.Left - Origin.Left, R.Top - Origin.Top);
  TDCLevel level(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  PaintParentIfTranslucent(DC, R, e, Bar);
  DrawElement(e, DC, esNormal, 0, full);
}

TRect TdxBarSkinPainter::StatusBarInsets() {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsStatusBar);
  return e ? OffsetsOf(e) : TdxBarPainter::StatusBarInsets();
}

// ---- menus --------------------------------------------------------------------------------------

void TdxBarSkinPainter::FillMenuBackground(TB* Bar, HDC DC, const TRect& R, const TRect& Origin, HBRUSH Brush,
                                           TColor Color) {
  TdxSkinElement* menu = Element(&TdxSkinInfo::BarsPopupMenu);
  TdxBarManager* manager = ManagerOf(Bar);
  TBitmap* picture = manager ? manager->Backgrounds()->SubMenu() : nullptr;
  if (!menu || (picture && !picture->Empty())) {
    TdxBarPainter::FillMenuBackground(Bar, DC, R, Origin, Brush, Color);
    return;
  }
  const TRect client = ClientOrGiven(Bar, R);
  const int border = MenuBorderSize();
  // The whole menu's picture, of which R shows its part.
  TDCLevel level(DC);
  IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
  DrawElement(menu, DC, esNormal, 0, Inflate(client, border, border));
  int extra = 0;
  if (Bar->ShowsDescriptions() || Bar->SideBandWidth() > 0) {
    extra = Bar->TextSize();
    AdjustMenuItemHeight(extra);
  }
  const TRect items = Bar->ItemsRect();
  const int left = IsEmpty(items) ? client.Left : items.Left;
  const TRect band{left, client.Top, left + MenuIconAreaSize(Bar) + extra + 2, client.Bottom};
  DrawElement(Element(Bar->MenuNonRecent() ? &TdxSkinInfo::BarsPopupMenuSideStripNonRecent : &TdxSkinInfo::BarsPopupMenuSideStrip),
              DC, esNormal, 0, band);
}

void TdxBarSkinPainter::DrawMenuBorder(TB* Bar, HDC DC, TRect& R) {
  TdxSkinElement* menu = Element(&TdxSkinInfo::BarsPopupMenu);
  if (!menu || IsEmpty(R)) return;
  const int border = MenuBorderSize();
  {
    TdxBarClipKeeper keep(DC);
    ExcludeRect(DC, Inflate(R, -border, -border));
    DrawElement(menu, DC, esNormal, 0, R);
  }
  if (Bar->IsDetachable()) {
    const TRect inner = Inflate(R, -border, -border);
    DrawDetachCaption(Bar, DC, {inner.Left, inner.Top, inner.Right, inner.Top + DetachCaptionHeight(Bar->DetachCaptionSize())});
  }
}

void TdxBarSkinPainter::DrawDetachCaption(TB*, HDC DC, const TRect& R) {
  DrawElement(Element(&TdxSkinInfo::BarsPopupMenuSeparator), DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawSeparatorLine(HDC DC, const TRect& R) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsPopupMenuSeparator);
  if (!e) {
    TdxBarPainter::DrawSeparatorLine(DC, R);
    return;
  }
  if (e->NeedsAlphaBlend()) DrawMenuBackgroundUnder(DC, R);
  DrawElement(e, DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawMenuSeparator(TP& P, HDC DC, const TRect& R, bool) {
  TB* bar = ParentOf(P);
  const int indent = bar ? MenuTextIndentOf(MenuIconAreaSize(bar)) : 0;
  const TRect line{R.Left + indent, R.Bottom - SeparatorThickness(), R.Right, R.Bottom};
  FillItemBackground(P, DC, R, MenuItemBrush(bar), false);
  DrawElement(Element(&TdxSkinInfo::BarsPopupMenuSeparator), DC, esNormal, 0, line);
}

int TdxBarSkinPainter::MenuSeparatorHeight() { return ElementSize(Element(&TdxSkinInfo::BarsPopupMenuSeparator)).cy; }

TRect TdxBarSkinPainter::MenuSeparatorBounds(TB*, const TRect& Row, bool) {
  return {Row.Left, Row.Top - MenuGroupIndent(), Row.Right, Row.Top};
}

int TdxBarSkinPainter::MenuGroupIndent() { return SharedFlatPainter() ? SharedFlatPainter()->MenuGroupIndent() : 8; }

int TdxBarSkinPainter::MenuTextIndentOf(int IconArea) {
  return SharedFlatPainter() ? SharedFlatPainter()->MenuTextIndentOf(IconArea) : TdxBarPainter::MenuTextIndentOf(IconArea);
}

void TdxBarSkinPainter::DrawExpandChevrons(TB* Bar, HDC DC, const TRect& R, bool Hot) {
  if (!DrawElement(Element(&TdxSkinInfo::BarsPopupMenuExpandButton), DC, esNormal, 0, R))
    TdxBarPainter::DrawExpandChevrons(Bar, DC, R, Hot);
}

void TdxBarSkinPainter::DrawMenuExpandButtonFace(TB* Bar, HDC DC, const TRect& R) {
  if (!DrawElement(Element(&TdxSkinInfo::BarsPopupMenuLinkSelected), DC, esHot, 0, R))
    TdxBarPainter::DrawMenuExpandButtonFace(Bar, DC, R);
}

TdxBarMenuMarks TdxBarSkinPainter::CalcMenuMarks(HDC DC, int TextSize) {
  TdxBarMenuMarks m = TdxBarPainter::CalcMenuMarks(DC, TextSize);
  if (TdxSkinElement* e = Element(&TdxSkinInfo::BarsPopupMenuExpandButton)) m.MarkHeight = ElementSize(e).cy;
  return m;
}

void TdxBarSkinPainter::DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) {
  FillItemBackground(P, DC, R, ItemBkBrush(P), false);
  if (!P.IsSelected) return;
  if (P.HasDropDownPart) {
    TB* bar = ParentOf(P);
    const TRect main{R.Left, R.Top, R.Right - (bar ? bar->TextSize() : 19), R.Bottom};
    DrawElement(Element(&TdxSkinInfo::BarsPopupMenuDropDownButtonLabel), DC, SelectionState(P), 0, main);
  } else {
    DrawElement(Element(&TdxSkinInfo::BarsPopupMenuLinkSelected), DC, SelectionState(P), 0, R);
  }
}

void TdxBarSkinPainter::FillDropArrowPart(TBP& P, HDC DC, const TRect& R) {
  if (DrawFadingSplitPart(P, R)) return;
  TdxBarPainter::FillDropArrowPart(P, DC, R);
  TdxSkinElement* e = nullptr;
  if (P.InMenu()) {
    if (P.IsSelected) e = Element(&TdxSkinInfo::BarsPopupMenuDropDownButtonArrow);
  } else if (!P.IsDropDown && (P.IsSelected || P.Down)) {
    e = Element(&TdxSkinInfo::BarsLinkSelected);
  }
  DrawElementClipped(e, DC, SelectionState(P), R);
}

void TdxBarSkinPainter::FillStaticHeader(TP& P, HDC DC, const TRect& R) {
  if (auto* button = dynamic_cast<TBP*>(&P); button && StaticIsSelected(P)) {
    DrawMenuGlyphArea(*button, DC, R);
    return;
  }
  FillItemBackground(P, DC, R, ItemBkBrush(P), false);
  if (StaticIsSelected(P))
    DrawElement(Element(&TdxSkinInfo::BarsPopupMenuLinkSelected), DC, SelectionState(P), 0, R);
  else
    DrawElementOutside(Element(&TdxSkinInfo::BarsPopupMenuSideStrip), DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawMissingGlyphCheck(TP& P, HDC DC, const TRect& R, bool Checked, bool IsRadio) {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsPopupMenuCheck);
  if (!e || !Checked || !P.InMenu()) {
    TdxBarPainter::DrawMissingGlyphCheck(P, DC, R, Checked, IsRadio);
    return;
  }
  const TSize s = TSize(e->ImageSize());
  const int x = R.Left + (Width(R) - s.cx) / 2, y = R.Top + (Height(R) - s.cy) / 2;
  DrawElement(e, DC, esNormal, 0, {x, y, x + s.cx, y + s.cy});
}

void TdxBarSkinPainter::DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool, const TRect& R,
                                       TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down,
                                       bool Pressed, bool DroppedDown, bool IsSplitButton) {
  if (PaintType == pmMenu) {
    if (Down && !NoGlyph)
      DrawElement(Element(&TdxSkinInfo::BarsPopupMenuCheck), DC, esNormal, 1, Inflate(R, -2, -2));
    return;
  }
  TP* params = C ? C->DrawParams() : nullptr;
  if (params) FillItemBackground(*params, DC, R, Brush, false);
  if (DrawFadingButton(C, DC, IsSplitButton, R)) return;
  if (!Selected && !Down) return;
  TB* bar = C ? C->Parent() : nullptr;
  TdxSkinElement* e = Element(bar && bar->IsMainMenu() ? &TdxSkinInfo::BarsMainMenuLinkSelected : &TdxSkinInfo::BarsLinkSelected);
  TdxSkinElementState state = esChecked;
  if (Selected) state = Down ? (Pressed ? esCheckPressed : esHotCheck) : (Pressed && !DroppedDown ? esPressed : esHot);
  DrawElement(e, DC, state, 0, R);
}

// ---- items --------------------------------------------------------------------------------------

void TdxBarSkinPainter::ItemTextColors(TP& P, bool Selected, bool Flat, TColor& First, TColor& Second) {
  TdxBarPainter::ItemTextColors(P, Selected, Flat, First, Second);
  if (!P.Enabled || (P.OwnerControl && P.OwnerControl->FontColor() != clDefault)) return;
  TColor color;
  if (BarTextColor(ParentOf(P), Selected, color) && color != clDefault) First = Second = color;
}

void TdxBarSkinPainter::DisabledTextColors(bool Selected, bool Flat, TColor& First, TColor& Second) {
  TdxSkinInfo* info = SkinInfo();
  if (!info || !info->BarsDisabledTextColor) {
    TdxBarPainter::DisabledTextColors(Selected, Flat, First, Second);
    return;
  }
  First = Second = info->BarsDisabledTextColor->Value();
}

TColor TdxBarSkinPainter::EditBackColor() {
  const TColor c = FSkinPainter ? FSkinPainter->DefaultEditorBackgroundColorOfKind(0) : clDefault;
  return c != clDefault ? c : TdxBarPainter::EditBackColor();
}

TColor TdxBarSkinPainter::DisabledEditBackColor(TB* Bar) {
  const TColor c = FSkinPainter ? FSkinPainter->DefaultEditorBackgroundColorOfKind(1) : clDefault;
  return c != clDefault ? c : TdxBarPainter::DisabledEditBackColor(Bar);
}

TColor TdxBarSkinPainter::EditTextColorDefault() {
  const TColor c = FSkinPainter ? FSkinPainter->DefaultEditorTextColorOfKind(0) : clDefault;
  return c != clDefault ? c : TdxBarPainter::EditTextColorDefault();
}

TColor TdxBarSkinPainter::DisabledEditTextColor() {
  const TColor c = FSkinPainter ? FSkinPainter->DefaultEditorTextColorOfKind(1) : clDefault;
  return c != clDefault ? c : TdxBarPainter::DisabledEditTextColor();
}

void TdxBarSkinPainter::FillEditParts(TEP& P, HDC DC, const TRect& R) {
  // The item's bounds around the edit box, which the edit fills itself.
  const TRect bounds = P.OwnerControl ? P.OwnerControl->ItemRect() : R;
  TdxBarEditLayout layout;
  if (IsEmpty(P.ContentRect)) CalcEditLayout(P, bounds, layout, 0, 0);
  const TRect box = IsEmpty(P.ContentRect) ? layout.ContentRect : P.ContentRect;
  TdxBarClipKeeper keep(DC);
  ExcludeRect(DC, Grown(box, EditOffsetsFor(P)));
  FillItemBackground(P, DC, bounds, ItemBkBrush(P), false);
}

TRect TdxBarSkinPainter::EditOffsetsFor(TP& P) { return P.InMenu() ? TRect{1, 2, 1, 2} : EditBorderOffsets(); }

void TdxBarSkinPainter::DrawEditFrame(TEP& P, HDC DC, TRect& R, bool Selected) {
  R = Shrunk(R, EditOffsetsFor(P));
  if (!FSkinPainter) return;
  if (P.Spare && (!Selected || P.InMenu())) return;
  HBRUSH b = CreateSolidBrush(ColorToRGB(FSkinPainter->ContainerFrameColor(Selected && !P.InMenu())));
  Frame(DC, Inflate(R, 1, 1), b);
  DeleteObject(b);
}

void TdxBarSkinPainter::DrawEditSelection(TEP& P, HDC DC, const TRect& R) {
  TdxBarClipKeeper keep(DC);
  TRect box = IsEmpty(P.ContentRect) ? R : P.ContentRect;
  if (P.Spare && P.IsSelected && P.InMenu()) box = Inflate(box, 1, 1);
  ExcludeRect(DC, box);
  DrawElement(Element(&TdxSkinInfo::BarsPopupMenuLinkSelected), DC, P.Enabled ? esHot : esDisabled, 0, R);
}

TRect TdxBarSkinPainter::EditBorderOffsets() {
  // The interface asks without the paint type: this is the toolbars' answer (see EditOffsetsFor).
  return SharedFlatPainter() ? SharedFlatPainter()->EditBorderOffsets() : TRect{1, 1, 1, 1};
}

TRect TdxBarSkinPainter::PickerSwatchInsets() {
  TRect r = EditBorderOffsets();
  r.Left = 0;
  return r;
}

TRect TdxBarSkinPainter::SpinButtonInsets() { return PickerSwatchInsets(); }

void TdxBarSkinPainter::CalcSpinLayout(TP& P, const TRect& R, TdxBarEditLayout& L) {
  TdxBarPainter::CalcSpinLayout(P, R, L);
  L.ContentRect.Right = L.UpButtonRect.Left;
  L.ContentEnd = L.ContentRect.Right;
}


void TdxBarSkinPainter::DrawSpinButton(TP& P, HDC DC, const TRect& R, bool Upper, int PressedIndex, bool Active) {
  if (!FSkinPainter) {
    TdxBarPainter::DrawSpinButton(P, DC, R, Upper, PressedIndex, Active);
    return;
  }
  const int state = SpinButtonState(P.Enabled, PressedIndex == (Upper ? 0 : 1), P.IsSelected);
  TCanvasLevel level(DC);
  if (level.Canvas())
    FSkinPainter->DrawEditButton(level.Canvas(), R, static_cast<TcxButtonState>(state), Upper ? bkSpinUp : bkSpinDown,
                                 cxbpRight);
}

void TdxBarSkinPainter::FillSpinArea(TB*, HDC DC, const TRect& R) {
  FillColor(DC, Shrunk(R, SpinButtonInsets()), ColorToRGB(EditBackColor()));
}

void TdxBarSkinPainter::DrawDoubleFrame(HDC DC, const TRect& R, HBRUSH) {
  FillColor(DC, Shrunk(R, PickerSwatchInsets()), ColorToRGB(EditBackColor()));
}

void TdxBarSkinPainter::DrawComboButton(TP& P, HDC DC, const TRect& R, bool Selected, bool DroppedDown) {
  if (!FSkinPainter) {
    TdxBarPainter::DrawComboButton(P, DC, R, Selected, DroppedDown);
    return;
  }
  HBRUSH b = CreateSolidBrush(ColorToRGB(EditColor(P)));
  Fill(DC, R, b);
  DeleteObject(b);
  TCanvasLevel level(DC);
  if (level.Canvas())
    FSkinPainter->DrawEditButton(level.Canvas(), R, EditButtonState(P.Enabled, DroppedDown, Selected), bkCombo,
                                 cxbpRight);
}

void TdxBarSkinPainter::DrawPickerButton(TP& P, HDC DC, const TRect& R, bool Pressed) {
  if (!FSkinPainter) {
    TdxBarPainter::DrawPickerButton(P, DC, R, Pressed);
    return;
  }
  TCanvasLevel level(DC);
  if (level.Canvas())
    FSkinPainter->DrawEditButton(level.Canvas(), R, EditButtonState(P.Enabled, Pressed, P.IsSelected), bkEllipsis,
                                 cxbpRight);
}

void TdxBarSkinPainter::DrawDropDownListBorder(HDC DC, const TRect& R, TColor InnerColor) {
  if (!FSkinPainter) {
    TdxBarPainter::DrawDropDownListBorder(DC, R, InnerColor);
    return;
  }
  HBRUSH b = CreateSolidBrush(ColorToRGB(FSkinPainter->ContainerFrameColor(false)));
  Frame(DC, R, b);
  DeleteObject(b);
}

void TdxBarSkinPainter::DrawListItem(HDC DC, const TRect& R, const String& Text, bool Selected, int Offset) {
  if (TdxBarFlatPainter* flat = SharedFlatPainter())
    flat->DrawListItem(DC, R, Text, Selected, Offset);
  else
    TdxBarPainter::DrawListItem(DC, R, Text, Selected, Offset);
}

int TdxBarSkinPainter::EditCaptionGapBar(TP& P) { return TdxBarOffice11Painter().EditCaptionGapBar(P); }

int TdxBarSkinPainter::ReservedMetricB() { return TdxBarOffice11Painter().ReservedMetricB(); }

void TdxBarSkinPainter::DrawPushButton(HDC DC, const TRect& R, const String& Text, bool Pressed) {
  if (!FSkinPainter) {
    TdxBarPainter::DrawPushButton(DC, R, Text, Pressed);
    return;
  }
  Fill(DC, R, SysBrush(COLOR_WINDOW));
  TCanvasLevel level(DC);
  if (level.Canvas())
    FSkinPainter->DrawPushButton(level.Canvas(), R, String(), Pressed ? cxbsPressed : cxbsNormal, true, clDefault,
                                 clDefault, false, 0);
}

TColor TdxBarSkinPainter::PushButtonHeaderColor() {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsFloatBar);
  return e ? e->Color() : TdxBarPainter::PushButtonHeaderColor();
}

void TdxBarSkinPainter::FillProgressTrack(TB* Bar, HDC DC, const TRect& R) {
  if (!FSkinPainter) {
    TdxBarPainter::FillProgressTrack(Bar, DC, R);
    return;
  }
  Fill(DC, R, BarBkBrush(Bar));
  TCanvasLevel level(DC);
  if (level.Canvas()) FSkinPainter->DrawProgressBarFrame(level.Canvas(), R, false);
}

void TdxBarSkinPainter::FillProgressSmooth(HDC DC, const TRect& R) {
  if (!FSkinPainter) {
    TdxBarPainter::FillProgressSmooth(DC, R);
    return;
  }
  TCanvasLevel level(DC);
  if (level.Canvas()) FSkinPainter->DrawProgressBarChunk(level.Canvas(), R, false);
}

void TdxBarSkinPainter::FillStaticItem(TSP& P, HDC DC, const TRect& R) {
  TdxBarPainter::FillStaticItem(P, DC, R);
  TB* bar = ParentOf(P);
  if (bar && bar->IsStatusBar()) DrawElementOutside(Element(&TdxSkinInfo::BarsLinkStatic), DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawStaticBorder(TSP& P, HDC DC, const TRect& R) {
  TB* bar = ParentOf(P);
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsLinkStatic);
  if (!bar || !bar->IsStatusBar() || P.BorderStyle == 0 || !e) {
    TdxBarPainter::DrawStaticBorder(P, DC, R);
    return;
  }
  FillItemBackground(P, DC, R, ItemBkBrush(P), false);
  DrawElementFrame(e, DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawSeparatorCaption(TSP& P, HDC DC, const TRect& R) {
  FillItemBackground(P, DC, R, ItemBkBrush(P), false);
  DrawElement(Element(&TdxSkinInfo::BarsItemSeparator), DC, esNormal, 0, R);
  const TRect insets = SeparatorItemInsets();
  TRect text{R.Left + insets.Left, R.Top, R.Right, R.Bottom - SeparatorLineHeight()};
  auto* separator = dynamic_cast<TdxBarSeparatorControlDrawParams*>(&P);
  if (!(separator && separator->IsFirst)) text.Top += SeparatorLineHeight();
  DrawItemText(P, DC, P.Caption, text, 0, P.Enabled, false, false, true, false, DT_SINGLELINE | DT_VCENTER);
}

// ---- hints and screen tips ----------------------------------------------------------------------

TdxBarCustomHintViewInfo* TdxBarSkinPainter::CreateHintViewInfo(TdxBarManager* Manager, const String& Hint,
                                                                const String& ShortCut, TdxBarScreenTip* ScreenTip) {
  return CreateScreenTipStyleHintViewInfo(this, Manager, Hint, ShortCut, ScreenTip);
}

TColor TdxBarSkinPainter::ScreenTipDescriptionColor() {
  TdxSkinInfo* info = SkinInfo();
  TdxSkinColor* c = info ? info->BarsScreenTipWindowScreenTipItem : nullptr;
  return c ? c->Value() : TdxBarPainter::ScreenTipDescriptionColor();
}

TColor TdxBarSkinPainter::ScreenTipTitleColor() {
  TdxSkinInfo* info = SkinInfo();
  TdxSkinColor* c = info ? info->BarsScreenTipWindowScreenTipTitleItem : nullptr;
  return c ? c->Value() : TdxBarPainter::ScreenTipTitleColor();
}

int TdxBarSkinPainter::ScreenTipBandIndent() {
  TdxSkinElement* e = Element(&TdxSkinInfo::BarsScreenTipSeparator);
  return e ? e->ImageSize().cy : TdxBarPainter::ScreenTipBandIndent();
}

void TdxBarSkinPainter::DrawScreenTipBackground(HDC DC, const TRect& R) {
  DrawElement(Element(&TdxSkinInfo::BarsScreenTipWindow), DC, esNormal, 0, R);
}

void TdxBarSkinPainter::DrawScreenTipSeparator(HDC DC, const TRect& R) {
  DrawElement(Element(&TdxSkinInfo::BarsScreenTipSeparator), DC, esNormal, 0, R);
}

// ---- the unit -----------------------------------------------------------------------------------

void BarSkinPainterUnitStartup() {
  if (gStartCount++ == 0) DefaultBarPainterClass = TdxBarSkinPainter::StaticClass();
}

void BarSkinPainterUnitShutdown() {
  if (gStartCount == 0) return;
  if (--gStartCount == 0) DefaultBarPainterClass = TdxBarStandardPainter::StaticClass();
}
