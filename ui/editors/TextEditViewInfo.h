#pragma once
// How a text editor lays out and paints its text when its inner edit box does not show it (a list
// that only picks items, an unfocused or in-place editor, a printed copy): the text rectangle, the
// text as shown (password and case applied), its layout flags, the highlighted tail that an
// incremental search completed, wrapped rows where the editor allows them, end ellipsis, hints for
// a text cut short, and the measuring of a text for auto size that the caption editors share.
#include <functional>

#include "ui/controls/EditViewData.h"
#include "ui/controls/EditViewInfo.h"
#include "ui/editors/TextEditProperties.h"
#include "ui/foundation/TextLayout.h"

class TcxCustomTextEditViewInfo;

// What the view info keeps of its text's layout between two paints.
struct TcxTextOutData {
  bool Initialized = false;
  bool ForceEndEllipsis = false;
  int RowCount = 0;
  int HighlightStart = 0;
  int HighlightLength = 0;
  TColor HighlightTextColor = clDefault;
  TColor HighlightBkColor = clDefault;
  TcxTextLayoutParams TextParams;
  TRect TextRect;
  TcxTextRows TextRows;
};

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  VW_CLASS(TcxCustomTextEditViewData, TcxCustomEditViewData)
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  // Values are shown as their plain string (the store formats them itself).
  bool ValueFormatting = false;
  // The rows a text may take; 0: as many as fit.
  int LineCount = 0;

  TcxCustomTextEditProperties* TextProperties() const { return static_cast<TcxCustomTextEditProperties*>(Properties); }

  // ---- virtual operations, in slot order -------------------------------------------------------------
  virtual bool EditorTextEditable();
  virtual int ContentLineCount() { return LineCount; }
  virtual bool DrawsAsComboBox() { return false; }
  virtual void PrepareTextDrawParams(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo);
  virtual void ValueToDisplayText(const Variant& Value, TcxCustomTextEditViewInfo* AViewInfo);
  virtual TcxTextLayoutFlags TextDrawFlags();
  virtual void TextAreaBounds(TRect& R);

  // ---- overrides -------------------------------------------------------------------------------------
  void CalculateButtonThemeParts(TcxEditButtonViewInfo* B) override;
  void LoadPropertiesState() override;
  void EditValueToDisplayText(const Variant& Value, String& Text) override;
  TSize EditContentSize(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  void PrepareDisplayValue(TcxCanvas* ACanvas, const Variant& Value, TcxCustomEditViewInfo* AViewInfo) override;
  void ClientExtentWithButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& R) override;

  void CalculateTextRect(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo);

 private:
  void CheckWrappedLayout(TcxCanvas* ACanvas, TcxCustomTextEditViewInfo* AViewInfo);
};

using TcxTextEditOwnerDrawEvent = std::function<void(TObject* Sender, TcxCanvas* ACanvas, const TRect& R)>;

class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
  VW_CLASS(TcxCustomTextEditViewInfo, TcxCustomEditViewInfo)
 public:
  TcxCustomTextEditViewInfo() = default;
  ~TcxCustomTextEditViewInfo() override;

  bool ComboBoxStyle = false;
  TcxTextEditOwnerDrawEvent OnOwnerDraw;
  // The whole content painted as selected; every layout clears it.
  bool SelectionBar = false;
  TcxTextLayoutFlags DrawFlags = 0;
  TcxEditTypingMode TypingMode = etmFree;
  bool PopupOpen = false;
  // The inner edit shows the value itself.
  bool TextEditable = false;
  bool OwnerDrawing = false;
  int MaxLineCount = 0;
  int HighlightStart = 0;
  int HighlightLength = 0;
  TColor HighlightTextColor = clDefault;
  TColor HighlightBkColor = clDefault;
  String Text;
  TcxTextOutData TextOutData;
  TRect TextRect;

  // ---- virtual operations ----------------------------------------------------------------------------
  virtual void PaintText(TcxCanvas* ACanvas);
  // Runs before the text is drawn; descendants set their own colours or font.
  virtual void BeforePaintTextHook(TcxCanvas*) {}

  // ---- overrides -------------------------------------------------------------------------------------
  void ShiftBy(int DX, int DY) override;
  void PaintBody(TcxCanvas* ACanvas) override;
  bool HintAt(const TPoint& P, TRect& R, bool& Multiline, String& AText) override;
  // ClipRect in the control's coordinates; empty: the whole text rectangle.
  bool HintAtClipped(const TPoint& P, TRect& R, bool& Multiline, String& AText, const TRect& ClipRect);

 private:
  void PrepareTextOutData(TcxCanvas* ACanvas);
};

// The size a text needs in an editor, margins included. Request.Width below 0 measures on one
// line (or unbounded rows when the flags or the editor wrap); 0 or more wraps within that width.
// RowCount 0 asks for no row count.
TSize MeasureEditorText(TcxCanvas* ACanvas, TcxCustomEditViewData* ViewData, const String& Text, int RowCount,
                        const TcxEditSizeProperties& Request, TcxTextLayoutFlags Flags, bool AddMarginsWidth = true);
// The margins around a text editor's text inside its client rectangle.
void EditorTextBounds(TcxCustomEditViewData* ViewData, TRect& R);
// The highlight's colours from the view data's selection colours and the style.
void FillSelectionColors(TcxCustomTextEditViewInfo* AViewInfo, TColor SelectionTextColor = clDefault,
                         TColor SelectionBkColor = clDefault);
// The RGB value with every bit turned.
inline TColor ContrastColor(TColor Color) { return static_cast<TColor>(ColorToRGB(Color) ^ 0xFFFFFF); }
// The library's layout flags as DrawText flags.
unsigned TextLayoutFlagsToDrawTextFlags(TcxTextLayoutFlags Flags);
