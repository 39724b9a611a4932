#pragma once
// The group box: an editor without a value, a captioned frame that other controls are placed in.
// It paints in one of four manners, chosen per paint: with a skin painter, natively through the
// platform theme, as a panel (PanelStyle.Active), or plainly with lines and fills. The button and
// radio groups derive from it and reuse its caption, frame and background.
#include <functional>
#include <memory>

#include "ui/choice/GroupBoxLayout.h"
#include "ui/controls/CustomEdit.h"
#include "ui/editors/TextEditViewInfo.h"

class TcxCustomGroupBox;

enum TcxPanelOffice11BackgroundKind : std::uint8_t { pobkGradient, pobkOffice11Color, pobkStyleColor };
VW_ENUM_NAMES(TcxPanelOffice11BackgroundKind, pobkGradient, pobkOffice11Color, pobkStyleColor)

// The panel manner's settings; changes re-lay the box out only while the manner is on.
class TcxPanelStyle : public TPersistent {
  VW_CLASS(TcxPanelStyle, TPersistent)
 public:
  explicit TcxPanelStyle(TcxCustomGroupBox* AOwner = nullptr) : FOwner(AOwner) {}
  static void DeclareProperties(TPropTable& t);

  void Assign(TPersistent* Source) override;

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  // Never below 2.
  int CaptionIndent() const { return FCaptionIndent; }
  void SetCaptionIndent(int Value);
  TcxPanelOffice11BackgroundKind OfficeBackgroundKind() const { return FOfficeBackgroundKind; }
  void SetOfficeBackgroundKind(TcxPanelOffice11BackgroundKind Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  TPersistent* GetOwner() override;

 private:
  void ChangedWhileActive();

  bool FActive = false;
  int FBorderWidth = 0;
  int FCaptionIndent = 2;
  TcxCustomGroupBox* FOwner;
  TcxPanelOffice11BackgroundKind FOfficeBackgroundKind = pobkOffice11Color;
  bool FWordWrap = false;
};

class TcxCustomGroupBoxProperties : public TcxCustomEditProperties {
  VW_CLASS(TcxCustomGroupBoxProperties, TcxCustomEditProperties)
 public:
  explicit TcxCustomGroupBoxProperties(TPersistent* AOwner) : TcxCustomEditProperties(AOwner) {}
  TcxCustomEditViewDataClass ViewDataClass() override;
  TClass EditClass() override;
  TcxContainerViewInfoClass ViewInfoClass() override;
};

class TcxGroupBoxViewInfo : public TcxCustomTextEditViewInfo {
  VW_CLASS(TcxGroupBoxViewInfo, TcxCustomTextEditViewInfo)
 public:
  // Only button groups use it: taRightJustify puts item glyphs on the left.
  TAlignment GlyphAlignment = taLeftJustify;
  TRect CaptionRect;
  bool IsDesigning = false;
  TRect TextRect;

  TcxCustomGroupBox* GroupBox() const;
  // Also used by the non-client painting.
  virtual void DrawCaption(TcxCanvas* ACanvas);

  void PaintBody(TcxCanvas* ACanvas) override;

 protected:
  void DrawBackground(TcxCanvas* ACanvas);
  void DrawFrame(TcxCanvas* ACanvas);
  bool UsesSkinPainter() const { return UseSkins && Painter; }
  // The painter of the caption's colour and the native frame.
  TcxCustomLookAndFeelPainterClass CurrentPainter() const;
};

class TcxGroupBoxViewData : public TcxCustomEditViewData {
  VW_CLASS(TcxGroupBoxViewData, TcxCustomEditViewData)
 public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  TcxContainerVisualState ButtonStateAt(const TPoint& P, TShiftState Shift) override;
  void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton, TShiftState AShift,
                       TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent) override;
  TColor EditBorderColor() override;
  void BorderExtent(TRect& R) override;
  void ClientExtentWithButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& R) override;
  bool HasShadow() override;

 protected:
  TcxCustomGroupBox* GroupBox() const;
  // Whether the caption takes part of the frame (not in place, not centred, not a panel).
  bool CaptionShapesFrame() const;
};

using TcxGroupBoxCustomDrawEvent = std::function<void(TcxCustomGroupBox* Sender, bool& ADone)>;
using TcxGroupBoxCustomDrawElementEvent =
    std::function<void(TcxCustomGroupBox* Sender, TcxCanvas* ACanvas, const TRect& ABounds,
                       TcxCustomLookAndFeelPainterClass APainter, bool& ADone)>;
using TcxGroupBoxMeasureCaptionHeightEvent =
    std::function<void(TcxCustomGroupBox* Sender, TcxCustomLookAndFeelPainterClass APainter, int& ACaptionHeight)>;

class TcxCustomGroupBox : public TcxCustomEdit {
  VW_CLASS(TcxCustomGroupBox, TcxCustomEdit)
 public:
  explicit TcxCustomGroupBox(TComponent* AOwner);
  ~TcxCustomGroupBox() override;

  TcxCaptionAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TcxCaptionAlignment Value);
  // Kept, never painted with and never stored.
  TColor CaptionBkColor() const { return FCaptionBkColor; }
  void SetCaptionBkColor(TColor Value) { FCaptionBkColor = Value; }
  TColor Color() { return Style()->Color(); }
  void SetColor(TColor Value) { Style()->SetColor(Value); }
  TFont* Font() { return Style()->DisplayFont(); }
  void SetFont(TFont* Value) { Style()->SetFont(Value); }
  TcxPanelStyle* PanelStyle() const { return FPanelStyle.get(); }
  void SetPanelStyle(TcxPanelStyle* Value);
  bool RedrawOnResize() const { return FRedrawOnResize; }
  void SetRedrawOnResize(bool Value) { FRedrawOnResize = Value; }
  // A copy of the effective font, refreshed before every layout; the caption is measured and
  // drawn with it.
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  bool SelectingByAccelerator() const { return FSelectingByAccelerator; }
  bool PanelManner() const { return FPanelStyle && FPanelStyle->Active(); }

  TcxGroupBoxViewInfo* GroupBoxViewInfo() { return static_cast<TcxGroupBoxViewInfo*>(EditViewInfo()); }

  // Refreshes the caption font and the state at the cursor, and realigns the children.
  void LayoutChanged();
  void UpdateNonClientArea();
  void RefreshCaptionFont();

  TcxGroupBoxCustomDrawEvent OnCustomDraw;
  TcxGroupBoxCustomDrawElementEvent OnCustomDrawCaption;
  TcxGroupBoxCustomDrawElementEvent OnCustomDrawContentBackground;
  TcxGroupBoxMeasureCaptionHeightEvent OnMeasureCaptionHeight;

  // ---- virtual operations, in slot order ------------------------------------------------------------
  virtual std::unique_ptr<TcxPanelStyle> CreatePanelStyle();
  virtual bool DoCustomDrawCaption(TcxCanvas* ACanvas, const TRect& R, TcxCustomLookAndFeelPainterClass APainter);
  virtual bool DoCustomDrawContentBackground(TcxCanvas* ACanvas, const TRect& R,
                                             TcxCustomLookAndFeelPainterClass APainter);
  virtual bool IsNonClientCaption();
  virtual bool SupportsNonClientCaption() { return true; }

  // ---- overrides ------------------------------------------------------------------------------------
  bool AutoSizeActive() override { return false; }
  bool CanFocusOnClick() override { return false; }
  bool UsesPlainBorder() override { return false; }
  bool DefaultParentColor() override { return true; }
  bool HostsChildControls() override { return true; }
  TcxContainerStyle* ActiveStyle() override;
  TcxContainerStyleValues HiddenStyleValues() override;
  bool UsesParentBackground() override;
  bool InvalidatesChildren() override;
  void ContainerStyleChanged(TObject* Sender) override;
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void InitializeEditor() override;
  void AdjustClientRect(win::RECT& Rect) override;
  void ShadowOutline(TRect& R) override;
  void ShadowInsets(TRect& R) override;
  void Paint() override;

 protected:
  TcxCustomGroupBox(TComponent* AOwner, const TcxCustomEditClasses& Classes);
  void WndProc(TMessage& Message) override;
  void CreateWnd() override;

 private:
  void Construct();
  void PaintNonClientCaption();

  TcxCaptionAlignment FAlignment = alTopLeft;
  TColor FCaptionBkColor = clDefault;
  bool FSelectingByAccelerator = false;
  std::unique_ptr<TcxPanelStyle> FPanelStyle;
  bool FRedrawOnResize = true;
  std::unique_ptr<TFont> FCaptionFont;
};

class TcxGroupBox : public TcxCustomGroupBox {
  VW_CLASS(TcxGroupBox, TcxCustomGroupBox)
 public:
  explicit TcxGroupBox(TComponent* AOwner) : TcxCustomGroupBox(AOwner) {}
  static void DeclareProperties(TPropTable& t);
};

// Asks a group box to redraw its frame and realign (posted once its non-client area changed).
inline constexpr win::UINT CM_GROUPBOXNCREDRAW = 0x809A;
