#include "ui/pages/PCPainter.h"

#include <algorithm>

#include "platform/gdi/Gdi.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/pages/PCImageList.h"
#include "ui/pages/PCStrings.h"
#include "ui/pages/TabLayout.h"

namespace {

constexpr win::UINT kTabTextFlags = win::DT_SINGLELINE | win::DT_END_ELLIPSIS;  // 0x8020

bool IsEmptyRect(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }

// The width DrawText gives a single line, accelerator marks taken out.
int SingleLineWidth(TcxCanvas* ACanvas, const String& Text) {
  win::RECT r{0, 0, 0, 0};
  win::DrawText(ACanvas->DeviceContext(), Text.c_str(), -1, &r, win::DT_SINGLELINE | win::DT_CALCRECT);
  return r.right - r.left;
}

// Starts of the code points, and the end.
std::vector<std::size_t> CharacterBounds(const String& Text) {
  std::vector<std::size_t> bounds;
  for (std::size_t i = 0; i < Text.size(); ++i)
    if ((static_cast<unsigned char>(Text[i]) & 0xC0) != 0x80) bounds.push_back(i);
  bounds.push_back(Text.size());
  return bounds;
}

// The caption shortened with an end ellipsis to fit Room; its width, or 0 when nothing fits or
// only the accelerator mark would stand before the ellipsis.
int FitCaption(TcxCanvas* ACanvas, const String& Caption, int Room) {
  int full = SingleLineWidth(ACanvas, Caption);
  if (full <= Room) return full;
  std::vector<std::size_t> bounds = CharacterBounds(Caption);
  for (std::size_t n = bounds.size() - 1; n-- > 0;) {
    String shortened = Caption.substr(0, bounds[n]) + "...";
    int width = SingleLineWidth(ACanvas, shortened);
    if (width <= Room) return shortened == "&..." ? 0 : width;
  }
  return 0;
}

}  // namespace

// ---- TcxPCPainterParentInfo -----------------------------------------------------------------------

TRect TcxPCPainterParentInfo::ParentFirstBand() { return FControl->Layout()->FirstBand(); }
TRect TcxPCPainterParentInfo::ParentSecondBand() { return FControl->Layout()->SecondBand(); }
int TcxPCPainterParentInfo::ParentRowCount() { return FControl->Layout()->RowCount(); }
int TcxPCPainterParentInfo::ParentTopRowCount() { return FControl->Layout()->TopRowCount(); }
TcxPCNavigatorButtons TcxPCPainterParentInfo::ParentNavigatorButtons() {
  return FControl->Layout()->NavigatorButtons();
}

TControl* TcxPCPainterParentInfo::ParentTabPage(int TabVisibleIndex) {
  return FControl->TabPage(VisibleTabAt(TabVisibleIndex)->Index());
}

TColor TcxPCPainterParentInfo::ParentTabColor(int TabVisibleIndex) {
  TColor result = VisibleTabAt(TabVisibleIndex)->Color();
  if (result != clDefault) return result;
  TControl* page = ParentTabPage(TabVisibleIndex);
  if (page && (ParentOptions().Contains(pcoUsePageColorForTab) || FPainter->UsesPageColorForTabs()) &&
      !page->ParentColor())
    result = page->Color();
  return result;
}

bool TcxPCPainterParentInfo::ParentRowsOnBothSides() {
  TcxTabPosition position = ParentTabPosition();
  if (position == tpTop || position == tpLeft) return ParentTopRowCount() != ParentRowCount();
  return ParentTopRowCount() != 0;
}

// ---- turning rectangles ---------------------------------------------------------------------------

TRect RotateRectForTabPosition(const TRect& R, TcxTabPosition Position) {
  switch (Position) {
    case tpTop: return R;
    case tpBottom: return TRect(R.Right, R.Bottom, R.Left, R.Top);
    case tpLeft: return TRect(R.Top, R.Right, R.Bottom, R.Left);
    case tpRight: return TRect(R.Bottom, R.Left, R.Top, R.Right);
  }
  return R;
}

TRect RotateRectBackForTabPosition(const TRect& R, TcxTabPosition Position) {
  switch (Position) {
    case tpLeft: return RotateRectForTabPosition(R, tpRight);
    case tpRight: return RotateRectForTabPosition(R, tpLeft);
    default: return RotateRectForTabPosition(R, Position);
  }
}

TRect ReduceRectByExtents(const TRect& R, const TRect& Extents) {
  return TRect(R.Left + Extents.Left, R.Top + Extents.Top, R.Right - Extents.Right, R.Bottom - Extents.Bottom);
}

// ---- TcxPCCustomPainter: the slots ----------------------------------------------------------------

TcxPCCustomPainter::TcxPCCustomPainter(IcxPCPainterControl* AControl)
    : FControl(AControl), FParentInfo(std::make_unique<TcxPCPainterParentInfo>(AControl, this)) {}

TcxPCCustomPainter::~TcxPCCustomPainter() = default;

TRect TcxPCCustomPainter::TabRectAdjustment(int) { return TRect(); }
void TcxPCCustomPainter::PaintPageBackgroundForChild(win::HDC, TControl*) {}

void TcxPCCustomPainter::FillPageArea() {
  TcxCanvas* canvas = Canvas();
  canvas->ActiveBrush()->SetStyle(bsSolid);
  canvas->ActiveBrush()->SetColor(PageColor());
  canvas->Canvas()->FillRect(PageClientBounds());
}

void TcxPCCustomPainter::PaintPageFrame() { FillPageArea(); }
int TcxPCCustomPainter::NavigatorButtonSpacing(TcxPCNavigatorButton, TcxPCNavigatorButton) { return 0; }
int TcxPCCustomPainter::NavigatorTabsGap() { return 0; }
int TcxPCCustomPainter::NavigatorEdgeOffset() { return 0; }
int TcxPCCustomPainter::NavigatorEndOffset() { return 0; }

TColor TcxPCCustomPainter::PageColor() {
  TControl* page = FControl->DisplayedPage();
  if (!page || page->ParentColor()) return DefaultPageColor();
  return page->Color();
}

TRect TcxPCCustomPainter::PageClientExtents() {
  TRect result = TabRowsExtents();
  if (ShowsFrameBorder()) {
    int shift = ClientShift();
    result = TRect(result.Left + shift, result.Top + shift, result.Right + shift, result.Bottom + shift);
  }
  return result;
}

TColor TcxPCCustomPainter::DefaultPageColor() { return FControl->Color(); }

TRect TcxPCCustomPainter::TabRowsExtents() {
  TcxTabLayout* layout = FControl->Layout();
  TRect result;
  if (FControl->HideTabs() || layout->RowCount() == 0) return result;
  TRect first = layout->FirstBand(), second = layout->SecondBand();
  bool bothSides = ParentInfo()->ParentRowsOnBothSides();
  switch (FControl->TabPosition()) {
    case tpTop:
      result.Top = first.Bottom;
      if (bothSides) result.Bottom = FControl->Height() - second.Top;
      break;
    case tpBottom:
      result.Top = layout->HasRoom() ? FControl->Height() - second.Top : first.Top;
      if (bothSides) result.Bottom = first.Bottom;
      break;
    case tpLeft:
      result.Top = first.Right;
      if (bothSides) result.Bottom = FControl->Width() - second.Left;
      break;
    case tpRight:
      result.Top = layout->HasRoom() ? FControl->Width() - second.Left : first.Left;
      if (bothSides) result.Bottom = first.Right;
      break;
  }
  return result;
}

int TcxPCCustomPainter::ClientShift() { return 0; }

void TcxPCCustomPainter::NotifyTabPainted(int TabVisibleIndex) {
  FControl->TabPainted(Canvas(), VisibleTab(TabVisibleIndex), FTabImageAndTextData);
}

bool TcxPCCustomPainter::UsesPageColorForTabs() { return false; }

TRect TcxPCCustomPainter::ThemedContentMargins() {
  win::HTHEME theme = AcquireThemeHandle(tciTab);
  TRect content;
  if (!theme || UxGetThemeBackgroundContentRect(theme, nullptr, 9, 0, TRect(0, 0, 100, 100), content) != 0)
    return TRect();
  TRect result(content.Left, content.Top, 100 - content.Right, 100 - content.Bottom);
  if (IsLunaOrRoyaleTheme()) {
    int m = std::max(result.Left, result.Top);
    result = TRect(m, m, 2 * m, 2 * m);
  }
  return result;
}

TColor TcxPCCustomPainter::TabOwnColor(int TabVisibleIndex) { return ParentInfo()->ParentTabColor(TabVisibleIndex); }

std::unique_ptr<TcxRegion> TcxPCCustomPainter::TabRegion(int TabVisibleIndex) {
  return std::make_unique<TcxRegion>(VisibleTab(TabVisibleIndex)->ClippedRect());
}

TcxRegionCombineMode TcxPCCustomPainter::TabClipOperation(int) { return rcmIntersect; }

void TcxPCCustomPainter::ThemeTabPartAndState(int, int& Part, int& State) {
  Part = 0;
  State = 0;
}

TRect TcxPCCustomPainter::SelectedTabExpansion() { return TRect(); }
TcxPCDistance TcxPCCustomPainter::TabSpacing() { return TcxPCDistance(); }

TColor TcxPCCustomPainter::TabTextColor(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (tab->Highlighted()) return HighlightedTextColor(TabVisibleIndex, FControl->Font()->Color());
  if (tab->IsHotTab()) return HotTextColor();
  return clBtnText;
}

void TcxPCCustomPainter::BeforeLayout() {}

void TcxPCCustomPainter::DrawTabText(TcxCanvas* ACanvas, const String& Caption, int TabVisibleIndex,
                                     const TRect& R) {
  if (IsNativePainting() && VisibleTab(TabVisibleIndex)->RealEnabled() && HasVisualStyles()) {
    int part, state;
    ThemeTabPartAndState(TabVisibleIndex, part, state);
    UxDrawThemeTextAnsi(AcquireThemeHandle(tciTab), ACanvas->DeviceContext(), part, state, Caption, -1,
                        kTabTextFlags, 0, R);
    return;
  }
  win::HDC dc = ACanvas->DeviceContext();
  win::SetBkMode(dc, win::TRANSPARENT);
  win::SetTextColor(dc, ColorToRGB(ACanvas->ActiveFont()->Color()));
  win::RECT r = R;
  win::DrawText(dc, Caption.c_str(), -1, &r, kTabTextFlags);
}

void TcxPCCustomPainter::PaintContent() {
  if (!FControl->HideTabs()) {
    PaintNavigatorButtons();
    TRect frame = PageFrameBounds();
    int w = FControl->Width(), h = FControl->Height();
    TcxCanvas* canvas = Canvas();
    const TRect strips[] = {TRect(0, 0, frame.Left, h), TRect(0, 0, w, frame.Top), TRect(frame.Right, 0, w, h),
                            TRect(0, frame.Bottom, w, h)};
    if (std::any_of(std::begin(strips), std::end(strips),
                    [&](const TRect& r) { return !IsEmptyRect(r) && canvas->IsRectVisible(r); }))
      PaintTabs();
  }
  PaintPageArea();
}

void TcxPCCustomPainter::InvalidateTabRect(int TabVisibleIndex) {
  FControl->InvalidateControlRect(VisibleTab(TabVisibleIndex)->ClippedRect(), false);
}

bool TcxPCCustomPainter::HotTrackForced() { return IsNativePainting(); }
bool TcxPCCustomPainter::IsNativePainting() { return false; }
bool TcxPCCustomPainter::IsPointInTabShape(int, int, int) { return true; }
bool TcxPCCustomPainter::KeepsTabInClip(int) { return false; }
bool TcxPCCustomPainter::EmbossesDisabledText() { return true; }
bool TcxPCCustomPainter::NeedsDoubleBuffer() { return false; }
bool TcxPCCustomPainter::RepaintsOnResize() { return IsNativePainting(); }
bool TcxPCCustomPainter::ShowsFrameBorder() { return FControl->ShowFrame(); }
void TcxPCCustomPainter::PaintControl() { PaintContent(); }

void TcxPCCustomPainter::PaintPageArea() {
  if (ShowsFrameBorder()) PaintFrameBorder();
  FillPageArea();
  Canvas()->ExcludeRectFromClip(PageFrameBounds());
}

void TcxPCCustomPainter::PaintRotatedTabContent(TBitmap*, const TcxPCTabImageAndTextData&, int) {}
void TcxPCCustomPainter::InvalidateNavigatorButton(TcxPCNavigatorButton, TcxPCNavigatorButtonState) {}
void TcxPCCustomPainter::InvalidateNavigatorArea() {}
void TcxPCCustomPainter::RepaintTab(int, TcxPCTabPropertyChanged) {}

// ---- TcxPCCustomPainter: shared routines ----------------------------------------------------------

TRect TcxPCCustomPainter::PageClientBounds() {
  TRect r = ReduceRectByExtents(TRect(0, 0, FControl->Width(), FControl->Height()),
                                RotateRectForTabPosition(PageClientExtents(), FControl->TabPosition()));
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

TRect TcxPCCustomPainter::PageFrameBounds() {
  TRect r = ReduceRectByExtents(TRect(0, 0, FControl->Width(), FControl->Height()),
                                RotateRectForTabPosition(TabRowsExtents(), FControl->TabPosition()));
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

TcxBitmap32* TcxPCCustomPainter::CreateRotatedTextBitmap(TcxTab* Tab) {
  // Opaque: the caption is drawn before the tab's own fill, which then leaves the text area out,
  // so the bitmap's prepared background is what shows around the letters.
  auto bitmap = std::make_unique<TcxBitmap32>();
  TcxBitmap32* result = bitmap.get();
  Tab->SetRotatedTextBitmap(std::move(bitmap));
  return result;
}

TPoint TcxPCCustomPainter::TransformPoint(const TRect& R, TPoint P, int Kind) {
  switch (Kind) {
    case 1: P.Y = R.Bottom - 1 - (P.Y - R.Top); break;
    case 2: P = TPoint(R.Right - 1 - (R.Bottom - 1 - P.Y), R.Bottom - 1 - (P.X - R.Left)); break;
    case 3: P = TPoint(R.Left + R.Bottom - 1 - P.Y, R.Bottom - 1 - (P.X - R.Left)); break;
    default: break;
  }
  return P;
}

void TcxPCCustomPainter::TransformPoints(const TRect& R, TPoint* Points, int Kind, int LastIndex) {
  for (int i = 0; i <= LastIndex; ++i) Points[i] = TransformPoint(R, Points[i], Kind);
}

void TcxPCCustomPainter::DrawTransformedPolyline(const TRect& R, const TPoint* Points, TColor Colour, int Kind,
                                                 int Count) {
  std::vector<TPoint> points(Points, Points + Count);
  TransformPoints(R, points.data(), Kind, Count - 1);
  DrawPolyline(points.data(), Count, nullptr, Colour);
}

void TcxPCCustomPainter::DrawPolyline(const TPoint* Points, int Count, TcxCanvas* ACanvas, TColor Colour) {
  if (Count <= 0) return;
  TcxCanvas* canvas = ACanvas ? ACanvas : Canvas();
  canvas->ActivePen()->SetColor(Colour);
  canvas->DrawPolyline(Points, Count - 1);
  const TPoint& last = Points[Count - 1];
  canvas->MoveToPoint(last.X, last.Y);
  canvas->LineToPoint(last.X + 1, last.Y + 1);
}

bool TcxPCCustomPainter::IsOwnerDrawing() { return FControl->OwnerDraw() && FControl->HasDrawTabHandler(); }

bool TcxPCCustomPainter::UserDrawsTab(int TabVisibleIndex) { return !FControl->FireDrawTab(VisibleTab(TabVisibleIndex)); }

void TcxPCCustomPainter::ExcludeTabContentFromClip(int TabVisibleIndex) {
  if (IsNativePainting()) return;
  auto content = std::make_unique<TcxRegion>(FTabImageAndTextData.TextRect);
  content->CombineWith(new TcxRegion(FTabImageAndTextData.ImageRect), rcmUnion);
  std::unique_ptr<TcxRegion> tab = TabRegion(TabVisibleIndex);
  content->CombineWith(tab.get(), rcmIntersect, false);
  Canvas()->ApplyClipRegion(content.release(), rcmDifference);
}

TColor TcxPCCustomPainter::HighlightedTextColor(int TabVisibleIndex, TColor Default) {
  if (!IsNativePainting()) return clHighlightText;
  win::COLORREF colour = 0;
  if (UxGetThemeColor(AcquireThemeHandle(tciTab), 1, TabThemeState(TabVisibleIndex), 3803, colour) == 0)
    return static_cast<TColor>(colour);
  return Default;
}

TColor TcxPCCustomPainter::HotTextColor() { return clHotLight; }

int TcxPCCustomPainter::MaxCaptionHeight() {
  int result = 0;
  // Measured on the shared screen canvas, as the captions' widths are: a layout may run before
  // the control has a window to measure on.
  TcxCanvas* canvas = ScreenCanvasInstance();
  if (!canvas) canvas = Canvas();
  for (int i = 0; i < FControl->Tabs()->VisibleCount(); ++i) {
    PrepareTabFontOn(VisibleTab(i), canvas);
    result = std::max(result, canvas->MeasureTextHeight("Zg"));
  }
  return result;
}

TSize TcxPCCustomPainter::ImageSize() {
  TcxPCImageList* images = FControl->TabImages();
  return images ? images->ImageSize() : TSize();
}

TSize TcxPCCustomPainter::RotatedImageSize() {
  TcxPCImageList* images = FControl->TabImages();
  return images ? images->RotatedImageSize() : TSize();
}

int TcxPCCustomPainter::TabThemeState(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (tab->IsSelectedTab()) return 3;
  return tab->IsHotTab() ? 2 : 1;
}

bool TcxPCCustomPainter::TabHasImage(int TabVisibleIndex) {
  return FControl->TabImageIndex(VisibleTab(TabVisibleIndex)->Index()) != -1;
}

void TcxPCCustomPainter::InvalidateBandOfTab(int TabVisibleIndex) {
  FControl->InvalidateControlRect(FControl->Layout()->BandOfRow(VisibleTab(TabVisibleIndex)->VisibleRow()), false);
}

bool TcxPCCustomPainter::ClipToRect(const TRect& R, bool Intersect) {
  if (IsEmptyRect(R)) return false;
  TcxCanvas* canvas = Canvas();
  if (Intersect && !canvas->IsRectVisible(R)) return false;
  SaveClipRegion();
  canvas->ApplyClipRegion(new TcxRegion(R), Intersect ? rcmIntersect : rcmCopy);
  return true;
}

void TcxPCCustomPainter::SaveClipRegion() { Canvas()->PushClipRegion(); }
void TcxPCCustomPainter::RestoreClipRegion() { Canvas()->PopClipRegion(); }

// ---- a tab's image and caption --------------------------------------------------------------------

void TcxPCCustomPainter::CalculateTabImageAndTextRects(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  bool native = IsNativePainting();
  int d = native ? 0 : cxPCTabTextDirection(FControl->TabPosition(), FControl->Rotate(), FControl->Options());
  TRect R = tab->FullRect();
  if (native) {
    int w = R.Right - R.Left, h = R.Bottom - R.Top;
    bool vertical = cxPCHasVerticalText(FControl->TabPosition(), FControl->Rotate());
    R = vertical ? TRect(0, 0, h, w) : TRect(0, 0, w, h);
  }
  // Along the text and across it.
  bool vertical = d != 0;
  int alongNear = vertical ? R.Top : R.Left, alongFar = vertical ? R.Bottom : R.Right;
  int acrossNear = vertical ? R.Left : R.Top, acrossFar = vertical ? R.Right : R.Bottom;
  TSize image = RotatedImageSize();
  int imageAlong = vertical ? image.cy : image.cx, imageAcross = vertical ? image.cx : image.cy;

  bool hasImages = HasImages();
  bool tabHasImage = TabHasImage(TabVisibleIndex);
  bool buttonLike = PressesTabsLikeButtons();
  bool activeLook = buttonLike && IsTabActiveLook(TabVisibleIndex);
  bool rotate = FControl->Rotate();
  String caption = tab->Caption();
  TcxCanvas* canvas = Canvas();

  auto adjustOffsets = [&](TRect o) {
    if (buttonLike) {
      if (d == 2 ? !activeLook : activeLook) {
        ++o.Top;
        --o.Bottom;
      }
    } else if (rotate) {
      o.Top = o.Bottom = 0;
    }
    int code = tab->OrientationCode();
    if (DrawsTabShapes() && (code == 5 || code == 7 || code == 10)) std::swap(o.Top, o.Bottom);
    return o;
  };
  // Centred across between the near and far offsets; for d = 2 they change roles and the place
  // is measured from the far side.
  auto centreAcross = [&](const TRect& o, int size) {
    int free = (acrossFar - acrossNear) - o.Top - o.Bottom - size;
    if (d == 2) return acrossFar - o.Top - free / 2 - size;
    return acrossNear + o.Top + free / 2;
  };
  auto adjustPair = [&](TcxPCWOffset pair) {
    if (native) {
      int code = tab->OrientationCode();
      if (code == 2 || code == 9 || code == 12) std::swap(pair.Left, pair.Right);
    }
    if (activeLook) {
      if (d == 1) {
        --pair.Left;
        ++pair.Right;
      } else {
        ++pair.Left;
        --pair.Right;
      }
    }
    return pair;
  };
  // An along offset from the near end, or from the far end when the text runs from bottom to top.
  auto alongLow = [&](int offset, int size) { return d == 1 ? alongFar - offset - size : alongNear + offset; };
  auto makeRect = [&](int along, int alongSize, int across, int acrossSize) {
    return vertical ? TRect(across, along, across + acrossSize, along + alongSize)
                    : TRect(along, across, along + alongSize, across + acrossSize);
  };

  TRect imageRect, textRect;
  int imageAcrossPos = 0, textAcrossPos = 0, textHeight = 0;
  if (tabHasImage) imageAcrossPos = centreAcross(adjustOffsets(TabContentOffsets(TabVisibleIndex)), imageAcross);
  if (!caption.empty()) {
    textHeight = canvas->MeasureTextHeight("Zg");
    textAcrossPos = centreAcross(adjustOffsets(TabImageTextOffsets(TabVisibleIndex)), textHeight);
  }

  if (caption.empty()) {
    if (tabHasImage) {
      TcxPCWOffset pair = adjustPair(TabSizeCorrection(TabVisibleIndex));
      int free = (alongFar - alongNear) - pair.Left - pair.Right - imageAlong;
      imageRect = makeRect(alongLow(pair.Left + free / 2, imageAlong), imageAlong, imageAcrossPos, imageAcross);
    }
  } else {
    int length = alongFar - alongNear;
    auto padding = [&](TcxPCWOffset pair) {
      pair = adjustPair(pair);
      if (buttonLike && hasImages && d == 1) {
        ++pair.Left;
        --pair.Right;
      }
      return pair;
    };
    TcxPCWOffset pair = padding(TabContentPadding(TabVisibleIndex));
    int available = length - pair.Left - pair.Right;
    bool imageTakesRoom = (hasImages && rotate) || tabHasImage;
    int imagePart =
        imageTakesRoom ? TabImageTextGap(TabVisibleIndex) + 2 * FControl->ImageBorder() + imageAlong : 0;
    if (available - imagePart < SingleLineWidth(canvas, caption)) {
      pair = padding(TabTextIndent(TabVisibleIndex));
      available = length - pair.Left - pair.Right;
    }
    int textWidth = FitCaption(canvas, caption, available - imagePart);
    int total = imagePart + textWidth;
    if (total > 0) {
      bool fits = total <= available;
      int pos = pair.Left;
      if (fits && !(hasImages && rotate)) pos += (available - total) / 2;
      if (tabHasImage)
        imageRect =
            makeRect(alongLow(pos + FControl->ImageBorder(), imageAlong), imageAlong, imageAcrossPos, imageAcross);
      if (imageTakesRoom) pos += imagePart;
      if (fits && hasImages && rotate) pos += (length - pair.Right - pos - textWidth) / 2;
      if (textWidth > 0) textRect = makeRect(alongLow(pos, textWidth), textWidth, textAcrossPos, textHeight);
    }
  }
  FTabImageAndTextData.ImageRect = imageRect;
  FTabImageAndTextData.TextRect = textRect;
  SetTabImageTextRects(TabVisibleIndex, imageRect, textRect);
}

void TcxPCCustomPainter::DrawCaptionIntoBitmap(TcxTab* Tab, TBitmap* Bitmap, TRect TextRect, TColor Fill,
                                               bool Native) {
  TCanvas* source = Canvas()->Canvas();
  TCanvas* target = Bitmap->Canvas();
  if (Native) {
    target->Font()->Assign(source->Font());
  } else {
    Bitmap->SetSize(TextRect.Right - TextRect.Left, TextRect.Bottom - TextRect.Top);
    target->Font()->Assign(source->Font());
    target->Pen()->Assign(source->Pen());
    target->Brush()->Assign(source->Brush());
    target->Brush()->SetStyle(bsSolid);
    target->Brush()->SetColor(Fill);
    target->FillRect(TRect(0, 0, Bitmap->Width(), Bitmap->Height()));
  }
  PaintRotatedTabContent(Bitmap, FTabImageAndTextData, FTabImageAndTextData.TabVisibleIndex);
  if (!Native) TextRect = TRect(0, 0, TextRect.Right - TextRect.Left, TextRect.Bottom - TextRect.Top);
  target->Brush()->SetStyle(bsClear);
  TcxCanvas canvas(target);
  if (!Tab->RealEnabled()) {
    target->Font()->SetColor(clBtnHighlight);
    if (EmbossesDisabledText()) {
      DrawTabText(&canvas, Tab->Caption(), FTabImageAndTextData.TabVisibleIndex,
                  TRect(TextRect.Left + 1, TextRect.Top + 1, TextRect.Right + 1, TextRect.Bottom + 1));
      target->Font()->SetColor(clBtnShadow);
    }
  }
  DrawTabText(&canvas, Tab->Caption(), FTabImageAndTextData.TabVisibleIndex, TextRect);
}

void TcxPCCustomPainter::PaintPlainCaption(TcxTab* Tab, TColor Fill) {
  const TRect& textRect = FTabImageAndTextData.TextRect;
  if (IsNativePainting()) {
    DrawCaptionIntoBitmap(Tab, Tab->EnsurePaintBitmap(), textRect, Fill, true);
    return;
  }
  // Opaque, as the turned caption's bitmap.
  TcxBitmap32 bitmap;
  DrawCaptionIntoBitmap(Tab, &bitmap, textRect, Fill, false);
  Canvas()->Canvas()->Draw(textRect.Left, textRect.Top, &bitmap);
}

void TcxPCCustomPainter::PaintRotatedCaption(TcxTab* Tab, TColor Fill) {
  const TRect& textRect = FTabImageAndTextData.TextRect;
  TcxBitmap32* bitmap = RotatedTextBitmap(Tab);
  if (!bitmap) {
    bitmap = CreateRotatedTextBitmap(Tab);
    TRect turned(0, 0, textRect.Bottom - textRect.Top, textRect.Right - textRect.Left);
    DrawCaptionIntoBitmap(Tab, bitmap, turned, Fill, false);
    int direction = cxPCTabTextDirection(FControl->TabPosition(), FControl->Rotate(), FControl->Options());
    RotateBitmapPixels(bitmap, direction == 2 ? rcTurnRight : rcTurnLeft, false);
  }
  TCanvas* target = IsNativePainting() ? Tab->EnsurePaintBitmap()->Canvas() : Canvas()->Canvas();
  target->Draw(textRect.Left, textRect.Top, bitmap);
}

void TcxPCCustomPainter::PaintTabImageAndText(TcxTab* Tab, int TabVisibleIndex) {
  FTabImageAndTextData.TabVisibleIndex = TabVisibleIndex;
  PrepareTabFontOn(Tab, Canvas());
  CalculateTabImageAndTextRects(TabVisibleIndex);
  TColor fill = TabFillColor(TabVisibleIndex);
  bool native = IsNativePainting();
  int imageIndex = FControl->TabImageIndex(Tab->Index());
  if (imageIndex != -1 && FControl->TabImages()) {
    TCanvas* target = native ? Tab->EnsurePaintBitmap()->Canvas() : Canvas()->Canvas();
    FControl->TabImages()->Draw(target, FTabImageAndTextData.ImageRect.Left, FTabImageAndTextData.ImageRect.Top,
                                imageIndex, Tab->RealEnabled(), fill);
  }
  if (!Tab->Caption().empty() && !IsEmptyRect(FTabImageAndTextData.TextRect)) {
    if (!native && cxPCHasVerticalText(FControl->TabPosition(), FControl->Rotate()))
      PaintRotatedCaption(Tab, fill);
    else
      PaintPlainCaption(Tab, fill);
  }
  ExcludeTabContentFromClip(TabVisibleIndex);
}

// ---- the registry ---------------------------------------------------------------------------------

namespace {
TcxPCPaintersFactory*& FactoryInstance() {
  static TcxPCPaintersFactory* instance = nullptr;
  return instance;
}

struct TPaintersFactoryUnit {
  ~TPaintersFactoryUnit() {
    delete FactoryInstance();
    FactoryInstance() = nullptr;
  }
} PaintersFactoryUnit;
}  // namespace

TcxPCPaintersFactory* TcxPCPaintersFactory::Instance() { return FactoryInstance(); }

void TcxPCPaintersFactory::RegisterPainterClass(TcxPCPainterClass PainterClass) {
  if (!PainterClass) return;
  if (!FactoryInstance()) FactoryInstance() = new TcxPCPaintersFactory();
  std::vector<TcxPCPainterClass>& classes = FactoryInstance()->FClasses;
  if (std::find(classes.begin(), classes.end(), PainterClass) == classes.end()) classes.push_back(PainterClass);
}

void TcxPCPaintersFactory::UnregisterPainterClass(TcxPCPainterClass PainterClass) {
  TcxPCPaintersFactory* factory = FactoryInstance();
  if (!factory) return;
  std::erase(factory->FClasses, PainterClass);
  if (factory->FClasses.empty()) {
    delete factory;
    FactoryInstance() = nullptr;
  }
}

int TcxPCPaintersFactory::PainterClassCount() {
  return FactoryInstance() ? static_cast<int>(FactoryInstance()->FClasses.size()) : 0;
}

TcxPCPainterClass TcxPCPaintersFactory::PainterClassAt(int Index) {
  return FactoryInstance()->FClasses.at(static_cast<std::size_t>(Index));
}

TcxPCPainterClass TcxPCPaintersFactory::PainterClassByStyleID(TcxPCStyleID StyleID) {
  for (int i = 0; i < PainterClassCount(); ++i)
    if (PainterClassAt(i)->StyleID() == StyleID) return PainterClassAt(i);
  return nullptr;
}

TcxPCStyleID TcxPCPaintersFactory::StyleIDForLookAndFeel(TcxLookAndFeel* LookAndFeel) {
  for (int i = PainterClassCount() - 1; i >= 0; --i)
    if (PainterClassAt(i)->IsDefaultForLookAndFeel(LookAndFeel)) return PainterClassAt(i)->StyleID();
  return -1;
}

TcxPCStyleID TcxPCPaintersFactory::GetDefaultStyleID(TcxLookAndFeel* LookAndFeel) {
  if (PainterClassCount() == 0) PCError("TcxPCPaintersFactory", "GetDefaultStyleID", scxPCNoRegisteredStyles);
  for (int i = PainterClassCount() - 1; i >= 0; --i)
    if (PainterClassAt(i)->SuitsNativeStyle(LookAndFeel)) return PainterClassAt(i)->StyleID();
  return PainterClassAt(0)->StyleID();
}

std::unique_ptr<TcxPCCustomPainter> TcxPCPaintersFactory::GetPainterInstance(TcxPCPainterClass PainterClass,
                                                                             IcxPCPainterControl* Control) {
  if (!PainterClass) PCError("TcxPCPaintersFactory", "GetPainterInstance", scxPCPainterClassError);
  return PainterClass->CreatePainter(Control);
}
