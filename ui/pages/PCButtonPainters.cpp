#include "ui/pages/PCButtonPainters.h"

#include "ui/pages/TabLayout.h"

namespace {

class TButtonsStyle : public TcxPCStandardPainterClassInfo {
 public:
  int StyleKind() const override { return 1; }
  TcxPCStyleID StyleID() const override { return 2; }
  String StyleName() const override { return "Buttons"; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCButtonsPainter>(Control);
  }
};

class TFlatButtonsStyle : public TcxPCStandardPainterClassInfo {
 public:
  int StyleKind() const override { return 2; }
  TcxPCStyleID StyleID() const override { return 3; }
  String StyleName() const override { return "FlatButtons"; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TcxPCFlatButtonsPainter>(Control);
  }
};

const TButtonsStyle kButtonsStyle;
const TFlatButtonsStyle kFlatButtonsStyle;

bool IsEmptyRect(const TRect& R) { return R.Left >= R.Right || R.Top >= R.Bottom; }

}  // namespace

TcxPCPainterClass cxPCButtonsStyle() { return &kButtonsStyle; }
TcxPCPainterClass cxPCFlatButtonsStyle() { return &kFlatButtonsStyle; }
TcxPCPainterClass TcxPCButtonsPainter::PainterClass() const { return &kButtonsStyle; }
TcxPCPainterClass TcxPCFlatButtonsPainter::PainterClass() const { return &kFlatButtonsStyle; }

// ---- shared by both ---------------------------------------------------------------------------------

int TcxPCButtonedPainter::NavigatorEdgeOffset() { return ParentInfo()->ParentReservedFlag() ? 2 : 0; }
int TcxPCButtonedPainter::NavigatorEndOffset() { return ParentInfo()->ParentReservedFlag() ? 2 : 0; }

TRect TcxPCButtonedPainter::TabRowsExtents() {
  TRect r = TcxPCStandardPainter::TabRowsExtents();
  if (!Control()->HideTabs() && Control()->Layout()->RowCount() > 0) r.Top += 2;
  return r;
}

TColor TcxPCButtonedPainter::TabFillColor(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  if (tab->Highlighted()) return clHighlight;
  TColor own = TabOwnColor(TabVisibleIndex);
  if (own != clDefault) return own;
  return tab->IsSelectedTab() ? clBtnHighlight : clBtnFace;
}

TcxPCWOffset TcxPCButtonedPainter::TabContentPadding(int) {
  return HasImages() ? TcxPCWOffset{3, 4} : TcxPCWOffset{4, 4};
}

// ---- Buttons ----------------------------------------------------------------------------------------

bool TcxPCButtonsPainter::IsTabActiveLook(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  return tab->IsFocused() || tab->IsPressed() || tab->Selected() || tab->IsSelectedTab();
}

void TcxPCButtonsPainter::PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) {
  TRect r = Tab->FullRect();
  TColor fill = TabFillColor(TabVisibleIndex);
  bool down = IsTabActiveLook(TabVisibleIndex);
  TcxCanvas* canvas = Canvas();
  canvas->DrawTwoColorFrame(r, down ? cl3DDkShadow : clBtnHighlight, down ? clBtnHighlight : cl3DDkShadow,
                            cxBordersAll, 1);
  canvas->DrawTwoColorFrame(TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1), down ? clBtnShadow : cl3DLight,
                            down ? cl3DLight : clBtnShadow, cxBordersAll, 1);
  canvas->FillRectWithColor(TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2), fill);
  PaintTabFocusRect(TabVisibleIndex, TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1));
}

// ---- FlatButtons ------------------------------------------------------------------------------------

bool TcxPCFlatButtonsPainter::IsTabActiveLook(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  return !tab->IsFocused() && (tab->IsPressed() || tab->Selected() || tab->IsSelectedTab());
}

void TcxPCFlatButtonsPainter::PaintTabFrame(TcxTab* Tab, int TabVisibleIndex) {
  TRect r = Tab->FullRect();
  TColor fill = TabFillColor(TabVisibleIndex);
  if (IsTabActiveLook(TabVisibleIndex)) {
    // Sunken: the bevel drawn pressed.
    PaintBevelFrame(r, true, false);
    r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  } else if (Tab->IsHotTab() || Tab->IsFocused()) {
    const TPoint light[] = {{r.Left, r.Bottom - 2}, {r.Left, r.Top}, {r.Right - 2, r.Top}};
    const TPoint dark[] = {{r.Left, r.Bottom - 1}, {r.Right - 1, r.Bottom - 1}, {r.Right - 1, r.Top}};
    DrawPolyline(light, 3, nullptr, clBtnHighlight);
    DrawPolyline(dark, 3, nullptr, clBtnShadow);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
  Canvas()->FillRectWithColor(r, fill);
  PaintTabFocusRect(TabVisibleIndex, TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1));
}

TRect TcxPCFlatButtonsPainter::SeparatorGap(int TabVisibleIndex) {
  TcxTab* tab = VisibleTab(TabVisibleIndex);
  TcxTabLayout* layout = Control()->Layout();
  int first, last;
  layout->PlacedTabRange(first, last);
  bool rotate = Control()->Rotate();
  bool due = false;
  if (!rotate) {
    due = TabVisibleIndex + 1 <= last && VisibleTab(TabVisibleIndex + 1)->VisibleRow() == tab->VisibleRow();
  } else if (layout->RowCount() > 1 && tab->VisibleRow() < layout->RowCount() - 1) {
    bool alongX = cxPCIsHorizontalPosition(Control()->TabPosition());
    int at = alongX ? tab->Position().X : tab->Position().Y;
    for (int i = std::max(first, 0); i <= last && !due; ++i) {
      TcxTab* other = VisibleTab(i);
      due = other->VisibleRow() == tab->VisibleRow() + 1 && (alongX ? other->Position().X : other->Position().Y) == at;
    }
  }
  if (!due) return TRect();
  int gap = TabSpacing().dw;
  TRect f = tab->FullRect();
  if (!cxPCHasVerticalText(Control()->TabPosition(), rotate)) return TRect(f.Right, f.Top, f.Right + gap, f.Bottom);
  // Captions reading upwards along a side: the tabs follow each other upwards.
  if (cxPCRowRunsInReverse(Control()->TabPosition(), rotate, Control()->Options()))
    return TRect(f.Left, f.Top - gap, f.Right, f.Top);
  return TRect(f.Left, f.Bottom, f.Right, f.Bottom + gap);
}

void TcxPCFlatButtonsPainter::DrawTab(int TabVisibleIndex) {
  TcxPCButtonedPainter::DrawTab(TabVisibleIndex);
  TRect gap = SeparatorGap(TabVisibleIndex);
  TcxCanvas* canvas = Canvas();
  if (IsEmptyRect(gap) || !canvas->IsRectVisible(gap)) return;
  TRect f = VisibleTab(TabVisibleIndex)->FullRect();
  bool vertical = cxPCHasVerticalText(Control()->TabPosition(), Control()->Rotate());
  int inset = (TabSpacing().dw - 2) / 2;
  SaveClipRegion();
  TRect shadow, light;
  if (!vertical) {
    int x = gap.Left + inset;
    shadow = TRect(x, f.Top + 1, x + 1, f.Bottom - 1);
    light = TRect(x + 1, f.Top + 1, x + 2, f.Bottom - 1);
  } else {
    int y = gap.Top + inset;
    shadow = TRect(f.Left + 1, y, f.Right - 1, y + 1);
    light = TRect(f.Left + 1, y + 1, f.Right - 1, y + 2);
  }
  for (auto [line, colour] : {std::pair{shadow, clBtnShadow}, std::pair{light, clBtnHighlight}}) {
    const TPoint points[] = {{line.Left, line.Top}, {line.Right - 1, line.Bottom - 1}};
    DrawPolyline(points, 2, canvas, colour);
    canvas->ExcludeRectFromClip(line);
  }
  canvas->ActiveBrush()->SetStyle(bsSolid);
  canvas->FillRectWithColor(gap, Control()->Color());
  RestoreClipRegion();
  canvas->ExcludeRectFromClip(gap);
}
