// How long and thick a toolbar must be, where its items break into lines, which recently used
// items a short single-line toolbar keeps, and where each item control lies.
#include "ui/bars/BarToolbarLayout.h"

#include <algorithm>
#include <map>
#include <vector>

#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarPainter.h"
#include "ui/bars/Bars.h"

namespace {

bool IsLeftOrRight(TdxBarDockingStyle S) { return S == dsLeft || S == dsRight; }
bool IsTopOrBottom(TdxBarDockingStyle S) { return S == dsTop || S == dsBottom; }

// Puts the links' collapsed count back when the scope ends, also when a measurement raised,
// unless the caller keeps the count it arrived at.
class TCollapsedCountScope {
 public:
  explicit TCollapsedCountScope(TdxBarToolbarMeasure& AView) : FView(AView), FSaved(AView.CollapsedCount()) {}
  ~TCollapsedCountScope() {
    if (!FKept && FView.CollapsedCount() != FSaved) FView.SetCollapsedCount(FSaved);
  }
  TCollapsedCountScope(const TCollapsedCountScope&) = delete;
  TCollapsedCountScope& operator=(const TCollapsedCountScope&) = delete;
  int Saved() const { return FSaved; }
  void Keep() { FKept = true; }

 private:
  TdxBarToolbarMeasure& FView;
  int FSaved;
  bool FKept = false;
};

}  // namespace

// ---- minimal and full sizes ------------------------------------------------------------------------

int TdxBarToolbarMeasure::WidestCanVisible() {
  int result = 0;
  for (int i = 0; i < CanVisibleCount(); ++i) result = std::max(result, CanVisible(i).Width);
  return result;
}

int TdxBarToolbarMeasure::TallestCanVisible() {
  int result = 0;
  for (int i = 0; i < CanVisibleCount(); ++i) result = std::max(result, CanVisible(i).Height);
  return result;
}

int TdxBarToolbarMeasure::MinLengthFor(TdxBarDockingStyle AStyle) {
  int result;
  if (IsTopOrBottom(AStyle) && !Wraps) {
    // A single line needs room for its most recently used item.
    TCollapsedCountScope scope(*this);
    SetCollapsedCount(1);
    result = VisibleCount() > 0 ? Visible(0).Width : EmptyLength;
    if (ShowsButtons) result += LM;
  } else {
    result = CanVisibleCount() > 0 ? WidestCanVisible() : (AStyle == dsNone ? 0 : EmptyLength);
    if (ShowsButtons) result = std::max(result, LM);
    if (AStyle == dsNone) result = std::max({result, 51, M + (ShowsCloseButton ? CloseButtonWidth : 0)});
  }
  if (IsTopOrBottom(WindowStyle)) result += M;
  return result;
}

int TdxBarToolbarMeasure::MinThicknessFor(TdxBarDockingStyle AStyle) {
  int result;
  if (IsLeftOrRight(AStyle) && !Wraps) {
    TCollapsedCountScope scope(*this);
    SetCollapsedCount(1);
    result = VisibleCount() > 0 ? Visible(0).Height : EmptyThickness;
    if (ShowsButtons) result += TM;
  } else {
    result = CanVisibleCount() > 0 ? TallestCanVisible() : EmptyThickness;
    if (ShowsButtons) result = std::max(result, TM);
  }
  if (IsLeftOrRight(WindowStyle)) result += M;
  return result;
}

int TdxBarToolbarMeasure::FullWidthFor(TdxBarDockingStyle AStyle) {
  int result = 0;
  if (IsLeftOrRight(AStyle) && !Wraps) {
    result = WidestCanVisible();
    if (ShowsButtons) result = std::max(result, LM);
  } else {
    TCollapsedCountScope scope(*this);
    SetCollapsedCount(-1);
    for (int i = 0; i < VisibleCount(); ++i) {
      const TLink link = Visible(i);
      result += (link.BeginGroup ? S : 0) + link.Width;
    }
    if (ShowsButtons) result += LM;
    if (IsTopOrBottom(WindowStyle)) result += M;
  }
  return std::max(result, MinLengthFor(AStyle));
}

int TdxBarToolbarMeasure::FullHeightFor(TdxBarDockingStyle AStyle) {
  int result = 0;
  if (IsLeftOrRight(AStyle) || Wraps) {
    TCollapsedCountScope scope(*this);
    SetCollapsedCount(-1);
    for (int i = 0; i < VisibleCount(); ++i) {
      const TLink link = Visible(i);
      result += (link.BeginGroup ? S : 0) + link.Height;
    }
    if (ShowsButtons) result += TM;
    if (IsLeftOrRight(WindowStyle)) result += M;
  } else {
    result = TallestCanVisible();
    if (ShowsButtons) result = std::max(result, TM);
  }
  return std::max(result, MinThicknessFor(AStyle));
}

// ---- line breaking -----------------------------------------------------------------------------------

void TdxBarToolbarMeasure::WrapForWidth(bool ADocked, int ALength, TSize& ASize) {
  int& along = Vertical ? ASize.cy : ASize.cx;
  int& across = Vertical ? ASize.cx : ASize.cy;
  int length = std::max(ALength, along);
  if (ADocked) length -= M;
  // b: the running line, c: the longest finished line, t: the finished lines' thickness, f: the
  // running line's thickness.
  int b = 0, c = 0, t = 0, f = 0;
  // A group begun on the running line after its first link, with b and f where it began. Going
  // back to it makes it the start of a line, so the walk goes back to a group at most once and a
  // group longer than a line breaks inside itself.
  int groupStart = -1, groupB = 0, groupF = 0;
  bool groupMoves = false;
  // The running line began by a break inside a group: the next group starts a line of its own.
  bool lineBeganInsideGroup = false;
  const int count = VisibleCount();
  for (int i = 0; i < count; ++i) {
    const TLink link = Visible(i);
    const int size = Along(link);
    int g = 0;
    if (link.BeginGroup && b > 0) {
      g = S;
      if (!groupMoves) {
        groupStart = i;
        groupB = b;
        groupF = f;
      }
    }
    if (groupMoves || (b > 0 && length < b + g + size) || (g > 0 && lineBeganInsideGroup)) {
      if (!groupMoves && groupStart >= 0 && groupStart < i) {
        i = groupStart - 1;
        b = groupB;
        f = groupF;
        groupMoves = true;
        continue;
      }
      SetWrapsBefore(i, true);
      c = std::max(c, b);
      t += g + f;
      b = size;
      f = 0;
      lineBeganInsideGroup = !link.BeginGroup;
      groupStart = -1;
      groupMoves = false;
    } else {
      SetWrapsBefore(i, false);
      b += g + size;
    }
    f = std::max(f, Across(link));
  }
  if (count > 0) across = t + f;
  if (ShowsButtons) {
    const int room = Vertical ? TM : LM;
    if (length >= b + room)
      b += room;
    else
      across += Vertical ? LM : TM;
  }
  c = std::max(c, b);
  // The mark area taken off a docked toolbar's length belongs to its size again.
  along = std::max(along, c + (ADocked ? M : 0));
  CalcViewInfo();
}

// ---- sizes for a wanted width or height --------------------------------------------------------------

void TdxBarToolbarMeasure::ShowUncollapsedOnce() {
  TCollapsedCountScope scope(*this);
  SetCollapsedCount(-1);
  CalcViewInfo();
}

TdxBarToolbarMeasure::TMeasured TdxBarToolbarMeasure::MeasureRun(bool AVertical, int ALength) {
  TMeasured result;
  const int count = VisibleCount();
  for (int i = 0; i < count; ++i) {
    const TLink link = Visible(i);
    const int size = AVertical ? link.Height : link.Width;
    const int g = link.BeginGroup ? S : 0;
    if (i > 0 && result.Along + g + size > ALength) {
      result.Overflowed = true;
      break;
    }
    result.Along += g + size;
    result.Across = std::max(result.Across, AVertical ? link.Width : link.Height);
  }
  return result;
}

TdxBarToolbarMeasure::TMeasured TdxBarToolbarMeasure::CollapseInto(bool AVertical, int ALength) {
  TMeasured kept;
  const int count = CanVisibleCount();
  for (int shown = 1; shown <= count; ++shown) {
    SetCollapsedCount(shown);
    const TMeasured measured = MeasureRun(AVertical, ALength);
    // The first link always fits, so a step back keeps at least one.
    if (measured.Overflowed) {
      SetCollapsedCount(shown - 1);
      return kept;
    }
    kept = measured;
  }
  SetCollapsedCount(-1);
  return kept;
}

TSize TdxBarToolbarMeasure::SingleLineSize(TdxBarDockingStyle AStyle, bool AVertical, int AWanted) {
  TSize size{MinLengthFor(AStyle), MinThicknessFor(AStyle)};
  int& along = AVertical ? size.cy : size.cx;
  int& across = AVertical ? size.cx : size.cy;
  const int room = AVertical ? TM : LM;
  int length = std::max(AWanted, along) - (ShowsButtons ? room : 0);
  TCollapsedCountScope scope(*this);
  SetCollapsedCount(-1);
  if (CanVisibleCount() == 0) {
    scope.Keep();
    return size;
  }
  length -= M;
  const TMeasured measured = Collapses ? CollapseInto(AVertical, length) : MeasureRun(AVertical, length);
  scope.Keep();
  along = std::max(along, measured.Along + M);
  across = measured.Across;
  if (ShowsButtons) {
    along += room;
    across = std::max(across, AVertical ? LM : TM);
  }
  return size;
}

TSize TdxBarToolbarMeasure::CalcSizeForWidth(TdxBarDockingStyle AStyle, int AWidth) {
  ShowUncollapsedOnce();
  if (Wraps && IsLeftOrRight(WindowStyle)) {
    // A column toolbar gives up height until it is as wide as asked or can give up no more.
    TSize size = CalcSizeForHeight(AStyle, FullHeightFor(AStyle));
    while (size.cx < AWidth) {
      const TSize next = CalcSizeForHeight(AStyle, size.cy - 1);
      const bool stuck = next.cy == size.cy;
      size = next;
      if (stuck) break;
    }
    return size;
  }
  if (Wraps) {
    TSize size{MinLengthFor(AStyle), MinThicknessFor(AStyle)};
    WrapForWidth(AStyle != dsNone, AWidth, size);
    return size;
  }
  if (IsLeftOrRight(AStyle)) return {MinLengthFor(AStyle), FullHeightFor(AStyle)};
  return SingleLineSize(AStyle, false, AWidth);
}

TSize TdxBarToolbarMeasure::CalcSizeForHeight(TdxBarDockingStyle AStyle, int AHeight) {
  if (CollapsedCount() != -1) ShowUncollapsedOnce();
  if (Wraps && IsLeftOrRight(WindowStyle)) {
    TSize size{MinLengthFor(AStyle), MinThicknessFor(AStyle)};
    WrapForWidth(AStyle != dsNone, AHeight, size);
    return size;
  }
  if (Wraps) {
    // A row toolbar gives up width until it is as tall as asked or can give up no more.
    TSize size = CalcSizeForWidth(AStyle, FullWidthFor(AStyle));
    while (size.cy < AHeight) {
      const TSize next = CalcSizeForWidth(AStyle, size.cx - 1);
      const bool stuck = next.cx == size.cx;
      size = next;
      if (stuck) break;
    }
    return size;
  }
  if (!IsLeftOrRight(AStyle)) return {FullWidthFor(AStyle), MinThicknessFor(AStyle)};
  return SingleLineSize(AStyle, true, AHeight);
}

TSize TdxBarToolbarMeasure::SizeForStyle(TdxBarDockingStyle AStyle) {
  if (SizesAsFloating) AStyle = dsNone;
  TCollapsedCountScope scope(*this);
  const TSize frame = Borders[static_cast<int>(AStyle)];
  const bool wholeRow = WholeRow && HasDockSite;
  TSize result;
  if (AStyle == dsNone) {
    const TSize size = CalcSizeForWidth(dsNone, FloatClientWidth);
    result = {size.cx + frame.cx, size.cy + frame.cy};
  } else if (IsLeftOrRight(AStyle)) {
    const int wanted = wholeRow ? DockClientSize.cy - frame.cy : FullHeightFor(AStyle);
    const TSize size = CalcSizeForHeight(AStyle, wanted);
    result = {size.cx + frame.cx, wholeRow ? DockClientSize.cy : size.cy + frame.cy};
  } else {
    const int wanted = wholeRow ? DockClientSize.cx - frame.cx : FullWidthFor(AStyle);
    const TSize size = CalcSizeForWidth(AStyle, wanted);
    result = {wholeRow ? DockClientSize.cx : size.cx + frame.cx, size.cy + frame.cy};
  }
  if (CollapsedCount() != scope.Saved()) {
    SetCollapsedCount(scope.Saved());
    CalcViewInfo();
  }
  return result;
}

// ---- item placement ----------------------------------------------------------------------------------

void TdxBarToolbarMeasure::PlaceItems() {
  const int count = VisibleCount();
  const int clientAlong = Vertical ? ClientSize.cy : ClientSize.cx;
  const int clientAcross = Vertical ? ClientSize.cx : ClientSize.cy;
  int length = clientAlong - (WindowStyle != dsNone ? M : 0);
  if (!Wraps && ShowsButtons) length -= Vertical ? TM : LM;

  // Along: where an item starts and how long it is; across: its thickness and its line's offset.
  struct TSpot {
    int Start = 0, Length = 0, Across = 0, LineOffset = 0;
  };
  std::vector<TSpot> spots(static_cast<std::size_t>(count));
  auto place = [&](int AIndex, int AAcrossStart, int ALineThickness) {
    const TSpot& s = spots[static_cast<std::size_t>(AIndex)];
    const TRect r = Vertical ? TRect{AAcrossStart, s.Start, AAcrossStart + s.Across, s.Start + s.Length}
                             : TRect{s.Start, AAcrossStart, s.Start + s.Length, AAcrossStart + s.Across};
    Place(AIndex, r, ALineThickness);
  };
  // A finished line of a wrapping toolbar: its items centred across it. Lines of a vertical
  // toolbar stack leftwards from the right edge.
  auto finishLine = [&](int AFrom, int ATo, int AThickness) {
    for (int k = AFrom; k <= ATo; ++k) {
      const TSpot& s = spots[static_cast<std::size_t>(k)];
      const int inLine = (AThickness - s.Across) / 2;
      place(k, Vertical ? ClientSize.cx - s.LineOffset - AThickness + inLine : s.LineOffset + inLine, AThickness);
    }
  };

  for (int i = 0; i < count; ++i) SetEndsLine(i, false);
  int p = 0, o = 0, line = Wraps ? 0 : clientAcross, lineStart = 0, last = -1;
  for (int i = 0; i < count; ++i) {
    const TLink link = Visible(i);
    const int a = Along(link), t = Across(link);
    int g = link.BeginGroup && p > 0 ? S : 0;
    const bool tested = p > 0 || (!Wraps && TestsFirstItemOverflow);
    if ((tested && length < p + g + a) || (Wraps && i > lineStart && WrapsBefore(i))) {
      if (!Wraps) break;
      SetEndsLine(i - 1, true);
      finishLine(lineStart, i - 1, line);
      o += line + g;
      p = 0;
      g = 0;
      line = 0;
      lineStart = i;
    }
    TSpot& s = spots[static_cast<std::size_t>(i)];
    s = {p + g, a, t, o};
    bool ended = false;
    if (link.Align != iaLeft) {
      if (Wraps && ShowsButtons) {
        const int room = Vertical ? TM : LM;
        if (s.Start + a + room <= length) length -= room;
      }
      // An item too long for the rest of the line stays where it is rather than cover the ones before.
      switch (link.Align) {
        case iaCenter: s.Start += std::max(0, (length - s.Start - a) / 2); break;
        case iaRight: s.Start = std::max(s.Start, length - a); break;
        case iaClient: s.Length = std::max(length - s.Start, link.MinWidth); break;
        default: break;
      }
      p = length;
      ended = true;
      if (i + 1 < count) MarkShortened();
    }
    if (!Wraps) place(i, (clientAcross - t) / 2, line);
    if (!ended) p += g + a;
    line = std::max(line, t);
    last = i;
  }
  if (last >= 0) {
    SetEndsLine(last, true);
    if (Wraps) finishLine(lineStart, last, line);
  }
  for (int i = last + 1; i < count; ++i) Place(i, {}, 0);
}

// ---- the toolbar window's view ---------------------------------------------------------------------

namespace {

bool Contains(const TRect& R, const TPoint& P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// The sizes item controls measured during one size rule of a window, searches included: nothing
// an item shows changes meanwhile, and the search of a column toolbar would otherwise measure every
// control again for each height it tries. A control is measured anew when its alignment on the
// bar changes with the links shown.
struct TMeasureCache {
  struct TSizes {
    TdxBarItemAlign Align;
    int Width, Height, MinWidth;
  };
  const TdxBarControl* Window;
  std::map<const TdxBarItemControl*, TSizes> Sizes;
};
TMeasureCache* ActiveCache = nullptr;

// Keeps a cache for the window while the outermost rule runs.
class TMeasureCacheScope {
 public:
  explicit TMeasureCacheScope(const TdxBarControl* AWindow) {
    if (ActiveCache) return;
    FCache.Window = AWindow;
    ActiveCache = &FCache;
    FOwns = true;
  }
  ~TMeasureCacheScope() {
    if (FOwns) ActiveCache = nullptr;
  }
  TMeasureCacheScope(const TMeasureCacheScope&) = delete;
  TMeasureCacheScope& operator=(const TMeasureCacheScope&) = delete;

 private:
  TMeasureCache FCache;
  bool FOwns = false;
};

// The window's links and item controls as the rules see them; item controls missing while the
// window has a handle are made on the way.
class TWindowMeasure final : public TdxBarToolbarMeasure {
 public:
  explicit TWindowMeasure(TdxBarControl* AWindow) : FWindow(AWindow), FLinks(AWindow->ItemLinks()) {
    TdxBar* bar = AWindow->ShownBar();
    TdxBarManager* manager = AWindow->BarManager();
    WindowStyle = AWindow->DockingStyle();
    Vertical = AWindow->IsVertical();
    Wraps = AWindow->WrapsItems();
    S = AWindow->SeparatorSize();
    M = AWindow->MarkAreaSize();
    ShowsButtons = AWindow->ShowsMDIOrCloseButtons();
    LM = AWindow->MDIAreaWidth();
    TM = AWindow->MDIAreaHeight();
    ShowsCloseButton = AWindow->ShowsCloseButton();
    if (TdxBarPainter* painter = AWindow->BarPainter()) {
      CloseButtonWidth = painter->CloseButtonSize().cx;
      const int glyph = manager ? manager->ImageOptions()->GlyphSize() : 16;
      EmptyLength = painter->PaddedButtonWidth(glyph);
      EmptyThickness = painter->PaddedButtonHeight(glyph);
      const bool grip = bar && bar->ShowsSizeGrip();
      for (int style = dsNone; style <= dsBottom; ++style) {
        TRect insets{};
        painter->CalcBarNonClient(AWindow, style, insets, grip);
        Borders[style] = {insets.Left + insets.Right, insets.Top + insets.Bottom};
      }
    }
    Collapses = FLinks && FLinks->RecentUseAllowed() && !(manager && manager->IsDesigning());
    SizesAsFloating = (AWindow->BehaviourFlags() & dxBarBehaviourPlainHitTest) != 0;
    if (bar) {
      FloatClientWidth = bar->FloatClientWidth();
      WholeRow = bar->WholeRow();
    }
    TdxDockControl* site = AWindow->DockControl();
    if (!site && bar) site = bar->RealDockControl();
    if (site && site->HandleAllocated()) {
      HasDockSite = true;
      DockClientSize = {site->ClientWidth(), site->ClientHeight()};
    }
    ClientSize = {AWindow->ClientWidth(), AWindow->ClientHeight()};
    TestsFirstItemOverflow = AWindow->TestsFirstItemOverflow();
  }

  int CanVisibleCount() override { return FLinks ? FLinks->CanVisibleCount() : 0; }
  TLink CanVisible(int AIndex) override { return Measure(FLinks->CanVisibleLinks(AIndex)); }
  int VisibleCount() override { return FLinks ? FLinks->VisibleCount() : 0; }
  TLink Visible(int AIndex) override { return Measure(FLinks->VisibleLinks(AIndex)); }
  int CollapsedCount() override { return FLinks ? FLinks->CollapsedCount() : -1; }
  void SetCollapsedCount(int ACount) override {
    if (FLinks) FLinks->SetCollapsedCount(ACount);
  }
  bool WrapsBefore(int AIndex) override {
    TdxBarItemControl* control = FLinks->VisibleLinks(AIndex)->Control();
    return control && control->WrapsBefore();
  }
  void SetWrapsBefore(int AIndex, bool Value) override {
    if (TdxBarItemControl* control = FLinks->VisibleLinks(AIndex)->Control()) control->SetWrapsBefore(Value);
  }
  void Place(int AIndex, const TRect& R, int ALineThickness) override {
    TdxBarItemLink* link = FLinks->VisibleLinks(AIndex);
    link->SetLineThickness(ALineThickness);
    link->SetItemRect(R);
  }
  void SetEndsLine(int AIndex, bool Value) override {
    if (TdxBarItemControl* control = FLinks->VisibleLinks(AIndex)->Control()) control->SetEndsLine(Value);
  }
  void MarkShortened() override { FWindow->SetShortened(true); }
  void CalcViewInfo() override { FWindow->CalcViewInfo(); }

  int MinLengthFor(TdxBarDockingStyle AStyle) override { return FWindow->MinLengthFor(AStyle); }
  int MinThicknessFor(TdxBarDockingStyle AStyle) override { return FWindow->MinThicknessFor(AStyle); }
  TSize CalcSizeForWidth(TdxBarDockingStyle AStyle, int AWidth) override {
    return FWindow->CalcSizeForWidth(AStyle, AWidth);
  }
  TSize CalcSizeForHeight(TdxBarDockingStyle AStyle, int AHeight) override {
    return FWindow->CalcSizeForHeight(AStyle, AHeight);
  }

 private:
  TLink Measure(TdxBarItemLink* ALink) {
    TdxBarItemControl* control = ALink->Control();
    if (!control && FWindow->HandleAllocated()) {
      ALink->CreateControl();
      control = ALink->Control();
    }
    if (!control) return {};
    TLink result;
    result.BeginGroup = ALink->BeginGroup();
    result.Align = control->EffectiveAlign();
    TMeasureCache* cache = ActiveCache && ActiveCache->Window == FWindow ? ActiveCache : nullptr;
    if (cache) {
      auto known = cache->Sizes.find(control);
      if (known != cache->Sizes.end() && known->second.Align == result.Align) {
        result.Width = known->second.Width;
        result.Height = known->second.Height;
        result.MinWidth = known->second.MinWidth;
        return result;
      }
    }
    result.Width = control->ComputeWidth();
    result.Height = control->ComputeHeight();
    result.MinWidth = control->MinWidth();
    if (cache) cache->Sizes[control] = {result.Align, result.Width, result.Height, result.MinWidth};
    return result;
  }

  TdxBarControl* FWindow;
  TdxBarItemLinks* FLinks;
};

}  // namespace

// The window's rules are the arithmetic's; a fresh view for each, as the links may have changed.
int TdxBarControl::MinLengthFor(TdxBarDockingStyle AStyle) {
  TMeasureCacheScope cache(this);
  TWindowMeasure view(this);
  return view.TdxBarToolbarMeasure::MinLengthFor(AStyle);
}

int TdxBarControl::MinThicknessFor(TdxBarDockingStyle AStyle) {
  TMeasureCacheScope cache(this);
  TWindowMeasure view(this);
  return view.TdxBarToolbarMeasure::MinThicknessFor(AStyle);
}

TSize TdxBarControl::CalcSizeForWidth(TdxBarDockingStyle AStyle, int AWidth) {
  TMeasureCacheScope cache(this);
  TWindowMeasure view(this);
  return view.TdxBarToolbarMeasure::CalcSizeForWidth(AStyle, AWidth);
}

TSize TdxBarControl::CalcSizeForHeight(TdxBarDockingStyle AStyle, int AHeight) {
  TMeasureCacheScope cache(this);
  TWindowMeasure view(this);
  return view.TdxBarToolbarMeasure::CalcSizeForHeight(AStyle, AHeight);
}

int TdxBarControl::FullWidthFor(TdxBarDockingStyle AStyle) {
  TMeasureCacheScope cache(this);
  return TWindowMeasure(this).FullWidthFor(AStyle);
}

int TdxBarControl::FullHeightFor(TdxBarDockingStyle AStyle) {
  TMeasureCacheScope cache(this);
  return TWindowMeasure(this).FullHeightFor(AStyle);
}

void TdxBarControl::WrapForWidth(bool ADocked, int ALength, TSize& ASize) {
  TMeasureCacheScope cache(this);
  TWindowMeasure(this).WrapForWidth(ADocked, ALength, ASize);
}

TSize TdxBarControl::SizeForStyle(TdxBarDockingStyle AStyle) {
  TMeasureCacheScope cache(this);
  return TWindowMeasure(this).SizeForStyle(AStyle);
}

void TdxBarControl::CalcHorizontalItemRects() { TWindowMeasure(this).PlaceItems(); }

int TdxBarControl::MDIAreaWidth() const {
  return !IsVertical() && ShowsMDIButtons() ? 3 * MDIButtonCX() + 2 : MDIButtonCX();
}

int TdxBarControl::MDIAreaHeight() const {
  return IsVertical() && ShowsMDIButtons() ? 3 * MDIButtonCY() + 2 : MDIButtonCY();
}

bool TdxBarControl::DropPositionAt(const TPoint& P, TdxBarItemLink*& ALink, bool& AVertical, bool& ABefore,
                                   bool& AOnSeparator) const {
  if (TCustomdxBarControl::DropPositionAt(P, ALink, AVertical, ABefore, AOnSeparator)) return true;
  auto* self = const_cast<TdxBarControl*>(this);
  if (!FItemLinks || !Contains(TRect(self->ClientRect()), P)) return false;
  const bool vertical = IsVertical();
  TdxBarItemLink* rowStart = nullptr;
  for (int i = 0; i < FItemLinks->VisibleCount(); ++i) {
    TdxBarItemLink* link = FItemLinks->VisibleLinks(i);
    if (!rowStart) rowStart = link;
    TdxBarItemControl* control = link->Control();
    if (!control || !control->EndsLine()) continue;
    const TRect r = ItemInnerRect(control);
    if (vertical ? P.X >= r.Left && P.X < r.Right : P.Y >= r.Top && P.Y < r.Bottom) {
      ABefore = vertical ? P.Y < r.Top : P.X < r.Left;
      const TdxBarItemAlign align = control->EffectiveAlign();
      ALink = ABefore && align != iaCenter && align != iaRight ? rowStart : link;
      return true;
    }
    rowStart = nullptr;
  }
  return false;
}
