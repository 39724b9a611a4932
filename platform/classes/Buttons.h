#pragma once
// Bitmap buttons: a push button with a glyph beside its caption, and kinds that bring their
// caption and modal result with them.
#include "platform/classes/Bitmap.h"
#include "platform/classes/StdCtrls.h"
#include "platform/win/Controls.h"

VW_ENUM(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll)
VW_ENUM(TButtonStyle, bsAutoDetect, bsWin31, bsNew)
using TNumGlyphs = int;

class TBitBtn : public TButton {
  VW_CLASS(TBitBtn, TButton)
 public:
  explicit TBitBtn(TComponent* AOwner);
  ~TBitBtn() override;
  static void DeclareProperties(TPropTable& t);

  TBitmap* Glyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value);
  // Glyph holds this many images side by side: up, disabled, down, and (unused) exclusive.
  TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
  void SetNumGlyphs(TNumGlyphs Value);
  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind Value);
  TButtonLayout Layout() const { return FLayout; }
  void SetLayout(TButtonLayout Value);
  int Margin() const { return FMargin; }
  void SetMargin(int Value);
  int Spacing() const { return FSpacing; }
  void SetSpacing(int Value);
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle Value) { FStyle = Value; }
  void Click() override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void WndProc(TMessage& Message) override;

 private:
  bool IsCustom() const { return FKind == bkCustom; }
  void DrawItem(const win::DRAWITEMSTRUCT& Item);

  TBitmap* FGlyph;
  TNumGlyphs FNumGlyphs = 1;
  int FMargin = -1;
  int FSpacing = 4;
  TBitBtnKind FKind = bkCustom;
  TButtonLayout FLayout = blGlyphLeft;
  TButtonStyle FStyle = bsAutoDetect;
  bool FModifiedGlyph = false;
};
