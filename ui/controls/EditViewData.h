#pragma once
// How an editor looks in one situation. From the properties, the style in force, the editor's
// state (enabled, focused, designing, in place), the mouse position, button and shift state, a
// view data object fills a view info: container state, border style and extents, colours, the
// edit buttons with their bounds and states, the client rectangle. It also measures the size an
// editor needs for a value and the buttons' minimum height. It is made for one job and freed after.
#include <functional>

#include "platform/classes/Variant.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditViewInfo.h"

class TcxCustomEdit;
class TcxScrollBar;

// What the text editors read of the margins around an editor's content.
struct TcxEditContentOffsets {
  TRect Margins;
  // 3 less the left and right margins.
  int Extra = 0;
  int HeightCorrection = 0;
  TRect Rect;
  // Bit 1 (2): pressed buttons shift their content.
  int Flags = 0;
};

// A size asked for: -1 leaves a side free.
struct TcxEditSizeProperties {
  int Height = -1;
  int MaxLineCount = 0;
  int Width = -1;
};

using TcxEditGetDefaultButtonWidthEvent = std::function<void(TObject* Sender, int AIndex, int& AWidth)>;
using TcxEditGetDisplayTextEvent = std::function<void(TObject* Sender, String& Text)>;

// Bounds that leave the layout unbounded; never add to them.
inline constexpr int cxMaxEditBound = 2147483647;

class TcxCustomEditViewData : public TPersistent {
  VW_CLASS(TcxCustomEditViewData, TPersistent)
 public:
  TcxCustomEditViewData(TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle, bool AIsInplace);

  TObject* Data = nullptr;
  bool IsInplace;
  int LeftSideLeftmostButtonIndex = -1;
  int LeftSideRightmostButtonIndex = -1;
  int RightSideLeftmostButtonIndex = -1;
  int RightSideRightmostButtonIndex = -1;
  TcxEditGetDefaultButtonWidthEvent OnGetDefaultButtonWidth;
  TcxEditGetDisplayTextEvent OnGetDisplayText;
  // Nil when measuring without a live editor.
  TcxCustomEdit* Edit = nullptr;
  TcxCustomEditProperties* Properties;
  TRect Bounds;
  bool ButtonsStretched = false;
  int ButtonCount = 0;
  TcxContainerVisualState ContainerState = cvsNormal;
  TRect InplaceContentOffsets;
  TcxEditContentOffsets ContentOffsets;
  bool Enabled = true;
  bool Focused = false;
  TAlignment HorzAlignment = taLeftJustify;
  TcxScrollBar* HorzScrollBar = nullptr;
  bool IsDesigning = false;
  bool EditValueFollowsText = false;
  bool NativeStyle = false;
  int PaintFlags = 0;
  bool PreviewMode = false;
  bool ActiveOrHot = false;
  TColor DefaultBackgroundColor = clDefault;
  TColor DefaultTextColor = clDefault;
  TcxEditVertAlignment VertAlignment = taTopJustify;
  TcxScrollBar* VertScrollBar = nullptr;
  win::HWND WindowHandle = nullptr;

  // ---- non-virtual operations --------------------------------------------------------------------------
  TcxCustomEditStyle* EditStyle() const { return FStyle; }
  void AssignEditStyle(TcxCustomEditStyle* Value) { FStyle = Value; }
  void FireDisplayTextHook(String& Text);
  void DisplayTextForValue(const Variant& Value, String& Text);
  bool ShowsEditingState();
  TcxEditButtonStyle DefaultButtonStyle();
  int HeldButtonIndex();
  // UseMeasuredContent: the content as ContentSizeForMeasure gives it, where the properties support
  // it; the editors' auto size never asks.
  void MeasureEditorSize(TcxCanvas* ACanvas, const Variant& Value, TSize& Size, TcxCustomEditViewInfo* AViewInfo,
                         const TcxEditSizeProperties& Request, bool UseMeasuredContent = false);
  int PaintOptions() const;
  int ButtonWidthOrDefault(int Index);

  // ---- virtual operations ------------------------------------------------------------------------------
  virtual void CalculateButtonThemeParts(TcxEditButtonViewInfo* B);
  virtual bool CanPressButtons() { return true; }
  virtual TcxContainerVisualState ButtonStateAt(const TPoint& P, TShiftState Shift);
  virtual void ButtonAreaMargins(TRect& Margins);
  virtual int CalculateEditState(TcxCustomEditViewInfo* AViewInfo);
  virtual void LoadPropertiesState();
  virtual void FillContentOffsets(TcxEditContentOffsets& Offsets);
  virtual void InitializeDefaults();
  virtual void EditValueToDisplayText(const Variant& Value, String& Text);
  virtual void ButtonsMinimumHeight(TcxCanvas* ACanvas, TSize& Extent, TcxCustomEditViewInfo* AViewInfo,
                                    TSize& Minimum, const TcxEditSizeProperties& Request);
  virtual TSize EditContentSize(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request);
  virtual bool ButtonHeldDown(TcxCustomEditViewInfo* AViewInfo, int AVisibleIndex);
  virtual void CalculateLayout(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                               TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void PlaceButton(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& Area, int Index);
  virtual void CalculateButtonViewInfos(TcxCanvas* ACanvas, const TRect& ABounds, const TPoint& P, int AButton,
                                        TShiftState AShift, TcxCustomEditViewInfo* AViewInfo, bool AIsMouseEvent);
  virtual void FillButtonViewInfo(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& Area, int Index);
  virtual void DistributeButtonWidths(TcxCustomEditViewInfo* AViewInfo, int FullWidth, int FreeWidth);
  virtual void PrepareDisplayValue(TcxCanvas*, const Variant&, TcxCustomEditViewInfo*) {}
  virtual TColor EditBorderColor();
  virtual void BorderExtent(TRect& R);
  virtual void ExtentOnEdges(int Width, TRect& R);
  virtual void PainterBorderExtent(TRect& R);
  virtual TcxEditBorderStyle EffectiveBorderStyle();
  virtual void ContentExtent(TcxCanvas* ACanvas, TRect& R);
  virtual void ClientExtentWithButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TRect& R);
  virtual void CalculateEditorSize(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, TSize& Extent,
                                   TSize& Minimum, const TcxEditSizeProperties& Request);
  virtual TSize ContentSizeForValue(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request);
  virtual TSize ContentSizeForMeasure(TcxCanvas* ACanvas, const Variant& Value, const TcxEditSizeProperties& Request) {
    return ContentSizeForValue(ACanvas, Value, Request);
  }
  virtual TSize ContentMarginsTotal();
  virtual bool HasShadow();
  virtual bool ButtonsArrangedVertically(int) { return false; }
  static bool UsesNativeEditBorder(TcxLookAndFeel* LookAndFeel);

  // ---- steps of the layout -----------------------------------------------------------------------------
  void CalculateContainerState(const TPoint& P, TShiftState AShift, TcxCustomEditViewInfo* AViewInfo);
  void CalculateBorderAndColors(TcxCustomEditViewInfo* AViewInfo);
  void CalculateColors(TcxCustomEditViewInfo* AViewInfo);
  void PlaceButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, const TRect& ABounds, TcxEditButtonStyle Style);
  void CalculateButtonStates(TcxCustomEditViewInfo* AViewInfo, const TPoint& P, int AButton, TShiftState AShift,
                             int PressedBefore);
  // An enabled button's state under the mouse (hot, pressed or normal), marking the view info's
  // hot and pressed button and whether the mouse holds one.
  TcxEditButtonState MouseButtonState(TcxCustomEditViewInfo* AViewInfo, int Index, const TRect& Bounds,
                                      TcxEditButtonState Previous, const TPoint& P, int AButton, TShiftState AShift,
                                      int PressedBefore);
  void MarkEdgeButtons(TcxCustomEditViewInfo* AViewInfo);
  void CalculatePopupBorderStyle(TcxCustomEditViewInfo* AViewInfo);
  void ApplyConstraints(TSize& Size);

 private:
  TcxCustomEditStyle* FStyle;
};

template <class T>
TcxCustomEditViewDataClass EditViewDataClassOf() {
  return [](TcxCustomEditProperties* AProperties, TcxCustomEditStyle* AStyle, bool AIsInplace) -> TcxCustomEditViewData* {
    return new T(AProperties, AStyle, AIsInplace);
  };
}

// The button style an in-place editor's buttons take from its look-and-feel kind, and back.
TcxEditButtonStyle ButtonStyleOfKind(TcxLookAndFeelKind Kind);
TcxLookAndFeelKind KindOfButtonStyle(TcxEditButtonStyle Style);
// The button style's vertical content offset (themed: the push button's content margins).
int EditButtonsContentVerticalOffset(TcxCanvas* ACanvas, TcxEditButtonStyle ButtonStyle, bool Native);
// The default width of an edit button: the border extent and the glyph, caption or scroll-bar
// height. Clears a native button's native flag when the theme is not there.
int EditButtonDefaultWidth(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B);
bool EditViewDataHasShadow(TcxCustomEditViewData* ViewData);
int NativeInnerEditHeightCorrection(TcxCustomEditProperties* Properties, bool InPlace);
