#pragma once
// The painters of the customization dialog's lists: how a command entry (a button with its glyph,
// a drop-down button, a sub-menu, an edit, a combo), a toolbar's check box and the focus look in
// the bar manager's style. A painter "class" is its one instance: identity by pointer, descent by
// dynamic_cast, every operation answering for the class as a whole.
#include "platform/classes/Graphics.h"
#include "ui/bars/BarPainter.h"
#include "ui/foundation/Types.h"

class TdxBarItem;
class TdxBarCustomizationFormPainter;
using TdxBarCustomizationFormPainterClass = const TdxBarCustomizationFormPainter*;

class TdxBarCustomizationFormPainter {
 public:
  TdxBarCustomizationFormPainter() = default;
  TdxBarCustomizationFormPainter(const TdxBarCustomizationFormPainter&) = delete;
  TdxBarCustomizationFormPainter& operator=(const TdxBarCustomizationFormPainter&) = delete;
  virtual ~TdxBarCustomizationFormPainter() = default;
  static TdxBarCustomizationFormPainterClass Class();

  // The item's caption without accelerators on a band as wide as the text; R's left moves to the
  // band's right end.
  /*  0 */ virtual void DrawEditCaption(TCanvas* ACanvas, TRect& R, bool ASelected, TdxBarItem* AItem) const;
  // Frames R and shrinks it inside the frame.
  /*  1 */ virtual void DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const;
  /*  2 */ virtual void DrawComboBody(TCanvas* ACanvas, const TRect& R, bool AHasButton, bool ASelected,
                                      TdxBarItem* AItem) const;
  // R's right becomes the band's right.
  /*  3 */ virtual void DrawCaptionPart(TCanvas* ACanvas, TRect& R, bool ASelected, TColor AColor,
                                        const String& AText) const;
  /*  4 */ virtual void DrawEditContent(TCanvas* ACanvas, const TRect& R, bool ASelected, TdxBarItem* AItem) const;
  /*  5 */ virtual void CalcButtonRects(TdxBarItem* AItem, const TRect& R, TRect& AArrowRect, TRect& ATextRect,
                                        TRect& AGlyphRect) const;
  /*  6 */ virtual void DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const;
  /*  7 */ virtual void DrawButtonBackground(TCanvas* ACanvas, TdxBarItem* AItem, bool ASelected,
                                             const TRect& AArrowRect, const TRect& ATextRect,
                                             const TRect& AGlyphRect) const;
  /*  8 */ virtual void PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected, TdxBarItem* AItem) const;
  /*  9 */ virtual void DrawSubItemArrow(TCanvas* ACanvas, int X, bool ASelected, int Y) const;
  /* 10 */ virtual void DrawButtonEntry(TCanvas* ACanvas, const TRect& R, bool ASelected, const String& ACaption,
                                        TdxBarItem* AItem) const;
  /* 11 */ virtual void DrawCheckBox(TCanvas* ACanvas, const TRect& R, bool AEnabled, bool AChecked) const;
  /* 12 */ virtual void DrawComboButton(TCanvas* ACanvas, TColor AColor, bool ASelected, const TRect& R) const;
  /* 13 */ virtual void DrawComboEntry(TCanvas* ACanvas, const TRect& R, bool AHasButton, bool ASelected,
                                       TdxBarItem* AItem) const;
  /* 14 */ virtual void DrawFocus(TCanvas* ACanvas, const TRect& R, TdxBarItem* AItem) const;
  /* 15 */ virtual TColor BackgroundColor(bool ASelected, TdxBarItem* AItem) const;
  /* 16 */ virtual TColor TextColor(bool ASelected) const;
  /* 17 */ virtual TColor ListColor() const;
  /* 18 */ virtual TColor GlyphCellColor(bool ASelected, TdxBarItem* AItem) const;
  /* 19 */ virtual int EntryHeight() const { return 22; }
  /* 20 */ virtual int ComboButtonWidth() const { return 12; }

  // One entry of the commands list: Kind -1 a button-like entry, 0 an edit, 1 a combo.
  void DrawEntry(TCanvas* ACanvas, const TRect& R, bool ASelected, TdxBarItem* AItem, const String& ACaption,
                 int AKind) const;
};

class TdxBarCustomizationFormStandardPainter : public TdxBarCustomizationFormPainter {
 public:
  static TdxBarCustomizationFormPainterClass Class();
  void DrawFocus(TCanvas* ACanvas, const TRect& R, TdxBarItem* AItem) const override;
};

class TdxBarCustomizationFormFlatPainter : public TdxBarCustomizationFormPainter {
 public:
  static TdxBarCustomizationFormPainterClass Class();
  void DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const override;
  void DrawCaptionPart(TCanvas* ACanvas, TRect& R, bool ASelected, TColor AColor,
                       const String& AText) const override;
  void DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const override;
  void PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected, TdxBarItem* AItem) const override;
  void DrawButtonEntry(TCanvas* ACanvas, const TRect& R, bool ASelected, const String& ACaption,
                       TdxBarItem* AItem) const override;
  void DrawComboButton(TCanvas* ACanvas, TColor AColor, bool ASelected, const TRect& R) const override;
  void DrawFocus(TCanvas*, const TRect&, TdxBarItem*) const override {}
  TColor BackgroundColor(bool ASelected, TdxBarItem* AItem) const override;
  TColor TextColor(bool ASelected) const override;
  TColor GlyphCellColor(bool ASelected, TdxBarItem* AItem) const override;
};

// Reads the Office-2003 colour table: whoever shows it holds the table (AcquireOffice11Colors).
class TdxBarCustomizationFormOffice11Painter : public TdxBarCustomizationFormFlatPainter {
 public:
  static TdxBarCustomizationFormPainterClass Class();
  void DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const override;
  void DrawCaptionPart(TCanvas* ACanvas, TRect& R, bool ASelected, TColor AColor,
                       const String& AText) const override;
  void DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const override;
  void DrawButtonBackground(TCanvas* ACanvas, TdxBarItem* AItem, bool ASelected, const TRect& AArrowRect,
                            const TRect& ATextRect, const TRect& AGlyphRect) const override;
  void PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected, TdxBarItem* AItem) const override;
  void DrawButtonEntry(TCanvas* ACanvas, const TRect& R, bool ASelected, const String& ACaption,
                       TdxBarItem* AItem) const override;
  void DrawComboButton(TCanvas* ACanvas, TColor AColor, bool ASelected, const TRect& R) const override;
  TColor BackgroundColor(bool ASelected, TdxBarItem* AItem) const override;
  TColor TextColor(bool ASelected) const override;
  TColor ListColor() const override;
  // The glyph column's two-colour band of unselected entries.
  static void DrawGradientBand(TCanvas* ACanvas, const TRect& R);
};

// Draws through the visual-style parts of the toolbar, combo box and edit classes.
class TdxBarCustomizationFormXPPainter : public TdxBarCustomizationFormPainter {
 public:
  static TdxBarCustomizationFormPainterClass Class();
  void DrawEditFrame(TCanvas* ACanvas, TRect& R, bool ASunken) const override;
  void DrawEditContent(TCanvas* ACanvas, const TRect& R, bool ASelected, TdxBarItem* AItem) const override;
  void DrawDropDownPart(TCanvas* ACanvas, TRect R, bool ASelected) const override;
  void PaintGlyph(TCanvas* ACanvas, const TRect& AGlyphRect, bool ASelected, TdxBarItem* AItem) const override;
  void DrawComboButton(TCanvas* ACanvas, TColor AColor, bool ASelected, const TRect& R) const override;
  void DrawFocus(TCanvas* ACanvas, const TRect& R, TdxBarItem* AItem) const override;
  int ComboButtonWidth() const override { return 13; }
};

// The list painter for a bar painter class: exact classes, since the Office-2003 bar painter
// descends from the flat one and has a list painter of its own.
TdxBarCustomizationFormPainterClass dxBarCustomizationFormPainterClass(TdxBarPainterClass APainterClass);
