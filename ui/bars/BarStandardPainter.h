#pragma once
// The classic look: raised and sunken 3D edges, double grip bars and caption-style frame controls
// (bmsStandard), and its enhanced variant with one grip bar, a framed mark and quick customizing
// (bmsEnhanced).
#include "ui/bars/BarPainter.h"

// The check mark both classic families draw: a stroke falling then rising across a 9 x 7 cell
// (18 x 14 doubled), each column two pixels high; Dy shifts every stroke down.
void DrawBarCheckStrokes(win::HDC DC, const TPoint& P, bool Double, win::COLORREF Color, int Dx = 0, int Dy = 0);

class TdxBarStandardPainter : public TdxBarPainter {
  VW_CLASS(TdxBarStandardPainter, TdxBarPainter)
 public:
  /*   7 */ void DrawGlyphFrame(TdxBarItemControl* C, HDC DC, HBRUSH Brush, bool NeedsBorder, const TRect& R,
                                TdxBarPaintMode PaintType, bool NoGlyph, bool Selected, bool Down, bool Pressed,
                                bool DroppedDown, bool IsSplitButton) override;
  /*   8 */ void DrawCheckMarkGlyph(HDC DC, const TPoint& P, bool Enabled, bool Double, bool IsRadio) override;
  /*  18 */ bool DisabledGlyphFlag() override { return true; }
  /*  25 */ bool IsShortRect(const TRect&) override { return false; }
  /*  31 */ void DrawMarkChevrons(TB* Bar, HDC DC, const TRect& R, int Offset) override;
  /*  32 */ void DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /*  70 */ int SubMenuVertOffset() override { return 2; }
  /*  78 */ void DrawDisabledMark(HDC DC, const TRect& R) override;
  /*  82 */ void DrawMenuGlyphArea(TBP& P, HDC DC, const TRect& R) override;
  /*  85 */ void DrawEditButtonFrame(TP& P, HDC DC, TRect& R, bool Selected, bool Pressed) override;
  /*  86 */ TRect CaptionOffsets() override { return {2, 1, 2, 1}; }
  /*  87 */ HBRUSH GlyphBrushFor(TdxBarItemControl* C, TdxBarPaintMode PaintType, bool NoGlyph, bool Selected,
                                 bool Down, bool Pressed, bool DroppedDown, bool StaticItem, bool GrayGlyph) override;
  /*  88 */ int GlyphPressOffset(bool) override { return 1; }
  /*  89 */ int GlyphSecondPressOffset(bool) override { return 1; }
  /*  98 */ int ButtonSideMargin() override { return 1; }
  /* 100 */ int GripInset() override { return 2; }
  /* 104 */ int GripSizeDocked() override { return 2 * GripWidth() + GripInset() + 1; }
  /* 108 */ int MenuGroupIndent() override { return 2; }
  /* 126 */ void EditFrameInsets(int& Top, int& Bottom) override { Top = 0; Bottom = 2; }
  /* 128 */ bool MenuItemsUseMenuBrush() override { return false; }
  /* 129 */ bool AllowsQuickCustomizing() override { return false; }
  /* 143 */ void DrawFloatCloseGlyph(TB* Bar, HDC DC, const TRect& R, int State, bool Active) override;
  /* 144 */ void DrawDockedBarFrame(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 145 */ void DrawFloatBorder(TB* Bar, HDC DC, TRect& R, HBRUSH Brush) override;
  /* 149 */ void DrawMDIButton(TB* Bar, HDC DC, const TRect& R, int Kind, int State) override;
  /* 152 */ int FloatFrameSideInset() override { return 4; }
  /* 154 */ TRect MarkBounds(TB* Bar, const TRect& Client, const TRect& Caption) override;
  /* 156 */ int FloatFrameTopInset() override { return 2; }
  /* 157 */ int FloatFrameBottomInset() override { return 1; }
  /* 158 */ bool TracksCloseButton() override { return true; }
  /* 159 */ bool ReservedFloatFlag() override { return true; }
  /* 189 */ void FillDropArrowPart(TBP& P, HDC DC, const TRect& R) override;
  /* 197 */ void DrawComboButtonFace(TP& P, HDC DC, TRect& R, HBRUSH Brush, bool Selected, bool DroppedDown) override;
  /* 199 */ void DrawDropDownListBorder(HDC DC, const TRect& R, TColor InnerColor) override;
  /* 201 */ bool ShiftsRecentGroup() override { return true; }
  /* 207 */ int MenuInnerBorder() override { return 2; }
  /* 209 */ TRect MenuBorderInsets(TB* Bar) override;
  /* 228 */ void DrawMenuItemFrame(TB* Bar, HDC DC, TdxBarItemControl* C, const TRect& R, bool First, bool Last,
                                   bool ChangesGroup, bool BeginsGroup, const TRect& Client) override;
  /* 300 */ bool ReservedQueryE() override { return true; }

 protected:
  // One grip bar: a raised edge, button face inside, excluded from the clip.
  void DrawGripBar(HDC DC, const TRect& R, bool Vertical, bool CornerPixel);
  // The grip's extent along the bar, from its start edge.
  virtual void DrawGrip(TB* Bar, HDC DC, const TRect& R);
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
  VW_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
 public:
  /*  31 */ void DrawMarkChevrons(TB* Bar, HDC DC, const TRect& R, int Offset) override {
    TdxBarPainter::DrawMarkChevrons(Bar, DC, R, Offset);
  }
  /*  32 */ void DrawMarkBackground(TB* Bar, HDC DC, const TRect& R, HBRUSH Brush) override;
  /* 100 */ int GripInset() override { return 1; }
  /* 104 */ int GripSizeDocked() override { return GripWidth() + GripInset() + 2; }
  /* 108 */ int MenuGroupIndent() override { return 12; }
  /* 129 */ bool AllowsQuickCustomizing() override { return true; }

 protected:
  void DrawGrip(TB* Bar, HDC DC, const TRect& R) override;
};
