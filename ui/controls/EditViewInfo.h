#pragma once
// What an editor's layout came to, and how it paints from it: the border, the background and the
// edit buttons (frame, background, content) in the button style in force, through the system's
// theme or through a skin painter. It answers hit tests and hints for the buttons and works out
// what to invalidate when the editor's state changes.
#include <functional>
#include <memory>
#include <vector>

#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/EditButtons.h"
#include "ui/controls/EditStyle.h"

class TcxCustomEdit;
class TcxCustomEditProperties;

// The state of an edit button.
enum TcxEditButtonState : std::uint8_t { ebsDisabled, ebsNormal, ebsPressed, ebsSelected };

// How one button is drawn.
struct TcxEditButtonViewInfoData {
  TColor BackgroundColor = clBtnFace;
  TcxEditButtonState State = ebsNormal;
  TcxEditButtonStyle Style = btsDefault;
  // Drawn by the system's theme; the part and state the theme draws it in.
  bool NativeStyle = false;
  int NativePart = 0;
  int NativeState = 0;
  bool BackgroundPartiallyTransparent = false;
  // The only button, a drop-down: a native combo box's own button.
  bool ComboBoxStyle = false;
  bool Transparent = false;
  bool Gradient = false;
};

class TcxEditButtonViewInfo : public TPersistent {
  VW_CLASS(TcxEditButtonViewInfo, TPersistent)
 public:
  TcxEditButtonViewInfo() = default;

  TRect Bounds;
  // The part of Bounds inside the editor: a button wider than the space left keeps its bounds.
  TRect VisibleBounds;
  TcxEditButtonViewInfoData Data;
  String Caption;
  String VisibleCaption;
  TColor TextColor = clBtnText;
  TAlignment ContentAlignment = taCenter;
  bool Default = false;
  TBitmap* Glyph = nullptr;
  String Hint;
  bool InPlace = false;
  TcxEditButtonKind Kind = TcxEditButtonKind::bkDown;
  bool LeftAlignment = false;
  // No separating line on that side: the button stands at the edge of its group.
  bool FirstEdge = false;
  bool LastEdge = false;
  bool Stretchable = true;
  int Width = 0;
  // Its TcxEditButton in the properties' collection.
  int ButtonIndex = -1;

  // Native state, background colour, bounds, style and state.
  void Assign(TPersistent* Source) override;
  // The bounds when the drawing changed from Previous, else an empty region; owned by the caller.
  virtual TcxRegion* RegionIfChanged(const TcxEditButtonViewInfoData& Previous);
  virtual bool InvalidateIfChanged(win::HWND Window, const TcxEditButtonViewInfoData& Previous, const TPoint& Offset);

  bool DrawingDiffers(const TcxEditButtonViewInfoData& Previous) const;
  bool HasGlyph() const { return Glyph && !Glyph->Empty(); }
};

using TcxEditButtonViewInfoClass = std::function<TcxEditButtonViewInfo*()>;

// Painting flags of the view data: an external border drawn around an in-place editor.
inline constexpr int epoHasExternalBorder = 1;
inline constexpr int epoInplaceContentOffsets = 4;
// Text cut short ends in "...".
inline constexpr int epoShowEndEllipsis = 8;
inline constexpr int epoPressedButtonsShiftContent = 16;

using TcxEditDrawBackgroundEvent = std::function<void(TObject* Sender, TcxCanvas* ACanvas, bool& AHandled)>;
using TcxEditDrawButtonEvent = std::function<void(TObject* Sender, TcxCanvas* ACanvas, int AIndex, bool& AHandled)>;
using TcxEditDrawButtonBackgroundEvent =
    std::function<void(TObject* Sender, TcxCanvas* ACanvas, const TRect& R, int AIndex, bool& AHandled)>;
using TcxEditDrawButtonBorderEvent = std::function<void(TObject* Sender, TcxCanvas* ACanvas, int AIndex,
                                                        TRect& ABackgroundRect, TRect& AContentRect, bool& AHandled)>;
using TcxEditGetButtonStateEvent = std::function<void(TObject* Sender, int AIndex, TcxEditButtonState& AState)>;
using TcxEditPaintEvent = std::function<void(TObject* Sender, TcxCanvas* ACanvas)>;

class TcxCustomEditViewInfo : public TcxContainerViewInfo {
  VW_CLASS(TcxCustomEditViewInfo, TcxContainerViewInfo)
 public:
  TcxCustomEditViewInfo() = default;
  ~TcxCustomEditViewInfo() override;

  TcxEditDrawBackgroundEvent OnDrawBackground;
  TcxEditDrawButtonEvent OnDrawButton;
  TcxEditDrawButtonBackgroundEvent OnDrawButtonBackground;
  TcxEditDrawButtonBorderEvent OnDrawButtonBorder;
  TcxEditGetButtonStateEvent OnGetButtonState;
  TcxEditPaintEvent OnPaint;

  TcxCustomEdit* Edit = nullptr;
  TRect BorderExtent;
  TcxEditBorderStyle EditBorderStyle = ebsNone;
  std::vector<std::unique_ptr<TcxEditButtonViewInfo>> Buttons;
  TcxCustomEditProperties* Properties = nullptr;
  bool HasTextButtons = false;
  TFont* Font = nullptr;
  bool Enabled = true;
  bool Focused = false;
  bool HandlesErase = false;
  bool InnerControlVisible = false;
  bool HasInplaceOffsets = false;
  bool PaintsValueDirectly = false;
  bool IsContainerInnerControl = false;
  bool IsDesigning = false;
  bool IsInplace = false;
  // 0 none, 1 normal, 2 active or hot.
  int HotTrackMode = 0;
  TRect InnerEditRect;
  bool IsButtonUnderPressedMouse = false;
  int PreviousPressedButton = -1;
  int PreviousHotButton = -1;
  // Where the view info stands in its window; hit tests subtract it.
  int Left = 0;
  int Top = 0;
  int PaintOptions = 0;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  int PressedButton = -1;
  int SelectedButton = -1;
  TRect ShadowRect;
  TColor TextColor = clWindowText;
  bool Transparent = false;
  win::HWND WindowHandle = nullptr;
  // Bit 1 of the view data's content-offset flags: a pressed button's content moves a pixel.
  bool PressedButtonShiftsContent = true;

  // ---- non-virtual operations --------------------------------------------------------------------------
  int ButtonCount() const { return static_cast<int>(Buttons.size()); }
  TcxEditButtonViewInfo* Button(int Index) const { return Buttons[static_cast<std::size_t>(Index)].get(); }
  bool CustomDrawBackground(TcxCanvas* ACanvas);
  bool HasCustomBackground() const { return IsInplace && OnDrawBackground != nullptr; }
  void PaintButtons(TcxCanvas* ACanvas);
  // 0 custom, 1 plain editor background, 2 nothing, 3 solid fill, 4 parent's image, 5 themed parent.
  int BackgroundKind();
  void DrawBackgroundByKind(TcxCanvas* ACanvas, const TRect& R, bool Full, const TRect& ClientRect);
  bool IsBackgroundNotOpaque() { int k = BackgroundKind(); return k != 1 && k != 3; }
  bool HasCustomButtonDraw(int Index) const;
  bool ParentPaintsBackground();
  bool IsTransparentView();
  void SetButtonCount(int Count);
  bool ButtonStatesChanged(TcxCustomEditViewInfo* Previous);
  String ButtonHintText(int Index);
  TRect ButtonHintBounds(int Index, const TPoint& P);
  bool InvalidateButtons(TcxCustomEditViewInfo* Previous);
  void CustomDrawBackgroundAt(TcxCanvas* ACanvas, const TPoint& P);

  // ---- overrides of the container's view info ------------------------------------------------------
  TcxContainerBorderStyle EffectiveBorderStyle() override { return static_cast<TcxContainerBorderStyle>(EditBorderStyle); }
  void PaintBody(TcxCanvas* ACanvas) override;
  void CopyStateFrom(TcxContainerViewInfo* Source) override;
  TcxRegion* DiffRegion(TcxContainerViewInfo* Previous) override;
  void ShiftBy(int DX, int DY) override;
  void PaintWithHandler(TcxCanvas* ACanvas) override;

  // ---- virtual operations ----------------------------------------------------------------------------
  virtual TcxEditButtonViewInfoClass EditButtonViewInfoClass();
  virtual void EditorDefaultColors(TColor& TextColor, TColor& BackgroundColor);
  // The first button whose bounds hold the point; -1 elsewhere inside the border, -2 outside.
  virtual int ButtonIndexAt(const TPoint& P);
  // -1: the border rectangle without the edge buttons; i: button i's bounds.
  virtual void PartBounds(int Part, TRect& R);
  virtual bool AlwaysTrueHook() { return true; }
  virtual void DrawEditButton(TcxCanvas* ACanvas, int Index);
  virtual void SetDrawBackgroundHandler(const TcxEditDrawBackgroundEvent& Handler) { OnDrawBackground = Handler; }
  virtual void RememberButtonStates();
  // Each border style narrows the rectangle it gets and answers the content rectangle with the
  // brush and text colours to draw in.
  virtual void DrawButtonBorder3D(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                  TColor& Brush, TColor& Text);
  virtual void DrawButtonBorderFlat(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                    TColor& Brush, TColor& Text);
  virtual void DrawButtonBorderHotFlat(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                       TColor& Brush, TColor& Text);
  virtual void DrawThemedButtonBorder(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                      TColor& Brush, TColor& Text);
  virtual void DrawButtonBorderSimple(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                      TColor& Brush, TColor& Text);
  virtual void DrawButtonBorderUltraFlat(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TRect& R, TRect& Content,
                                         TColor& Brush, TColor& Text, bool IsOffice11);
  virtual void DrawThemedButton(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R);
  virtual void FillButtonBackground(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, TColor Color, const TRect& R);
  virtual void PaintButtonAt(TcxCanvas* ACanvas, int Index);
  virtual void CalculateBorderBounds(TcxCanvas* ACanvas, int NativeKind);
  virtual void DrawButtonBorderByStyle(TcxCanvas* ACanvas, int Index, TRect& R, TRect& Content, TColor& Brush,
                                       TColor& Text);
  virtual void DrawButtonContent(TcxCanvas* ACanvas, int Index, int PressedShift, TColor Brush, TColor Text,
                                 const TRect& Content);
  virtual bool HotButtonIndex(int& Index);
  // P in window coordinates.
  virtual bool PointOnButton(const TPoint& P);
  virtual bool HasHintAt(const TPoint& P);
  virtual bool HintAt(const TPoint& P, TRect& R, bool& Multiline, String& Text);
  virtual void EmptyViewInfoHook() {}
  virtual bool InvalidateAll(TWinControl* Control, TcxContainerViewInfo* Previous);
  virtual bool InvalidateChangedParts(TWinControl* Control, const TRect& InnerRect, TcxContainerViewInfo* Previous);

 protected:
  void DrawEllipsisContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift, TColor Color);
  // The arrow of a button of kind bkDown; descendants point and double it by their own buttons.
  virtual void DrawArrowContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift, TColor Color);
  // The glyph a skin painter draws on a button.
  virtual TcxEditButtonGlyphKind SkinGlyphKind(TcxEditButtonViewInfo* B);
  void DrawGlyphContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift, TColor Color);
  void DrawTextContent(TcxCanvas* ACanvas, TcxEditButtonViewInfo* B, const TRect& R, int Shift, TColor Color);

 private:
  bool FPaintingButtons = false;
};

// Combines Other into Region (RGN_OR).
void UniteRegion(TcxRegion* Region, TcxRegion* Other);

// The border, frame, shadow and background of an editor with its buttons' areas left out, then the
// buttons. FillAll fills the whole inside (an in-place editor's bounds, else the border rectangle).
void DrawEditBackgroundExcludingButtons(TcxCanvas* ACanvas, TcxCustomEditViewInfo* AViewInfo, bool FillAll);
int EditBorderWidthFor(TcxEditBorderStyle BorderStyle, TcxCustomLookAndFeelPainterClass SkinPainter);
