#pragma once
// The popup window of the drop-down editors: sized to its content or to the sizes the editor asks
// for, placed below or above (or beside) the editor and flipped when it does not fit, with a
// border by style, a drop shadow, and an optional system panel carrying a size grip and a close
// button. A sizeable popup is resized by its grip, live or through a size frame, and hands the
// size the user gave it back to its editor.
#include <cstdint>
#include <functional>
#include <memory>

#include "ui/controls/CustomPopupWindow.h"
#include "ui/controls/DragImage.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Painters.h"

// Why a drop-down closed. Reasons Tab, toggle and accept take the list's current item.
using TcxPopupCloseReason = std::uint8_t;
inline constexpr TcxPopupCloseReason pcrOther = 0;
inline constexpr TcxPopupCloseReason pcrTab = 1;
inline constexpr TcxPopupCloseReason pcrToggle = 2;
inline constexpr TcxPopupCloseReason pcrCancel = 3;
inline constexpr TcxPopupCloseReason pcrAccept = 4;

// Posted to the popup with a typed character for its focused control.
inline constexpr win::UINT CM_POPUPFORWARDCHAR = 0x8096;
// Posted by a drop-down editor to itself: take the list's current item.
inline constexpr win::UINT CM_DROPDOWNTAKEITEM = 0x8097;

// What the popup needs of the editor that owns it. The drop-down editors answer it; the popup
// finds it on its owner control.
class TcxEditPopupWindowOwner {
 public:
  virtual ~TcxEditPopupWindowOwner() = default;
  // Where the popup is placed against, in the coordinates of the editor's parent.
  virtual void PopupAnchorRect(TRect& R) = 0;
  // The size of the popup's content.
  virtual void PopupControlSize(TSize& Size) = 0;
  virtual bool PopupUserSized() = 0;
  virtual void SetPopupUserSized(bool Value) = 0;
  // Lays the content into the popup's client rectangle, after every layout.
  virtual void FitPopupContent(const TRect& ClientRect) = 0;
  // The user has given the popup a new size.
  virtual void StorePopupSize() = 0;
  virtual bool PopupFitsWorkArea() { return true; }
  // Whether the popup shows the editor's lookup list, which then decides the sizes a resize takes.
  virtual bool PopupShowsLookupList() { return false; }
  virtual bool FitPopupListToSize(TSize& /*Size*/, int /*MaxHeight*/, int /*MaxWidth*/) { return false; }
  virtual void CloseDropDown(TcxPopupCloseReason Reason) = 0;
};

class TcxCustomEditPopupWindowViewInfo;
// May draw the border itself (Canvas null: only asked for the width); Handled and Width report it.
using TcxEditPopupCustomDrawBorderEvent = std::function<void(TcxCustomEditPopupWindowViewInfo* ViewInfo,
                                                             TcxCanvas* Canvas, const TRect& R, bool& Handled,
                                                             int& Width)>;

class TcxCustomEditPopupWindowViewInfo : public TcxContainerViewInfo {
  VW_CLASS(TcxCustomEditPopupWindowViewInfo, TcxContainerViewInfo)
 public:
  TcxEditPopupCustomDrawBorderEvent OnCustomDrawBorder;
  TcxEditPopupBorderStyle PopupBorderStyle = epbsDefault;
  bool ClientEdge = false;
  int MinSysPanelHeight = 0;
  bool CloseButton = false;
  TRect CloseButtonRect;
  TcxLookAndFeelKind LookAndFeelKind = lfStandard;
  int CloseButtonNativeState = 1;
  // 1 normal, 2 hot, 3 pressed.
  int CloseButtonState = 1;
  bool Sizeable = false;
  // 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right.
  int SizeGripCorner = 3;
  TRect SizeGripRect;
  TRect SizeGripSizingRect;
  TRect SysPanelRect;
  bool SysPanelStyle = false;

  virtual void DrawBorder(TcxCanvas* Canvas, TRect& R);
  // The four widths around the client area, as a rectangle of widths.
  virtual void BorderExtents(TRect& R);
  virtual void ClientExtents(TRect& R) { BorderExtents(R); }
  virtual int SysPanelHeight();
  void PaintBody(TcxCanvas* Canvas) override;

  // The border drawn around everything, without the client edge.
  int BorderWidth();
  int ClientEdgeWidth();
  // The larger of the bar and caption-button metrics (and the themed grips when themed).
  int GripRowHeight();
  int SizeGripSide();
  // 0 without a close button.
  int CloseButtonSide();
  bool ThemedCloseButton();
  // 0 the close button, 1 the grip, -1 elsewhere.
  int HitTest(const TPoint& P);

 protected:
  // The painter of the popup's look: the skin's, else the kind's.
  TcxCustomLookAndFeelPainterClass LookPainter();
  bool IsSkinned() { return UseSkins && Painter; }
};

class TcxCustomEditPopupWindow : public TcxCustomPopupWindow {
  VW_CLASS(TcxCustomEditPopupWindow, TcxCustomPopupWindow)
 public:
  explicit TcxCustomEditPopupWindow(TControl* AOwnerControl);
  ~TcxCustomEditPopupWindow() override;

  TcxCustomEditPopupWindowViewInfo* ViewInfo() const {
    return static_cast<TcxCustomEditPopupWindowViewInfo*>(TcxCustomPopupWindow::ViewInfo());
  }
  // The editor that owns the popup, or null.
  TcxEditPopupWindowOwner* Editor() const;

  // ---- settings the editor copies in before each opening ----------------------------------------
  bool PopupAutoSize() const { return FPopupAutoSize; }
  void SetPopupAutoSize(bool Value) { FPopupAutoSize = Value; }
  TcxEditPopupBorderStyle PopupBorderStyle() const { return FBorderStyle; }
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value);
  bool ClientEdge() const { return FClientEdge; }
  void SetClientEdge(bool Value);
  bool CloseButton() const { return FCloseButton; }
  void SetCloseButton(bool Value);
  bool NativeStyle() const { return FNativeStyle; }
  void SetNativeStyle(bool Value);
  bool Shadow() const { return FShadow; }
  void SetShadow(bool Value);
  bool Sizeable() const { return FSizeable; }
  void SetSizeable(bool Value);
  bool SysPanelStyle() const { return FSysPanelStyle; }
  void ApplySizeable(bool Value);
  int MinHeight = 0;
  int MinWidth = 0;
  int PopupHeight = 0;
  int PopupWidth = 0;
  // Resizing moves the window itself instead of a size frame.
  bool LiveResize = false;
  // The control a show request (CM_POPUPSHOWAGAIN) focuses; the editor sets it before posting one.
  // Watched: a control freed before the request arrives is not focused.
  TWinControl* ShowFocusTarget() const { return FShowFocusTarget; }
  void SetShowFocusTarget(TWinControl* Value);
  bool Layouting() const { return FLayouting; }
  bool Sizing() const { return FSizing; }

  // ---- layout ---------------------------------------------------------------------------------------
  void FitToControls() override;
  void CalcPosition(TPoint& P) override;
  bool ClampsToWorkArea() override;
  void ClampToWorkArea(TPoint& P) override;
  void CloseUp() override;
  virtual void CalculatePopupLayout();
  virtual void ForwardCharToFocus(win::WCHAR Ch);
  virtual TSize MinimumPopupSize();
  // The largest content beside the anchor within the work area.
  TSize MaxContentSize();
  // The size, position and layout against the owner, with the layout flag up (cleared on every
  // path): what the editor runs each time it shows the popup.
  void PlaceAgainstOwner();
  // The layout again and the content laid into it.
  void RecalculateLayout();
  // Takes the size the user gave the popup and tells the editor.
  void ApplyUserBounds(const TRect& R);

 protected:
  TcxCustomEditPopupWindow(TControl* AOwnerControl, const TcxPopupWindowClasses& Classes);

  bool CanResize(int& NewWidth, int& NewHeight) override;
  void CreateParams(TCreateParams& Params) override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseLeaveNotification(TControl* AControl) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

  // The owner's anchor becomes OwnerBounds; its parent is the owner parent.
  void AnchorToOwner();
  void UpdateWindowRegion();
  // Raised while the size and position are computed: the user's resize rules stay out of it.
  bool& LayoutFlag() { return FLayouting; }

 private:
  void UpdateCloseButtonAndCursor(const TPoint& P, bool LeftDown);
  void StartSizing(const TPoint& ScreenPoint);
  void SizeTo(const TPoint& ScreenPoint);
  void EndSizing(bool Apply);

  bool FLayouting = false;
  bool FPopupAutoSize = true;
  TcxEditPopupBorderStyle FBorderStyle = epbsDefault;
  bool FClientEdge = false;
  bool FCloseButton = false;
  bool FNativeStyle = false;
  bool FShadow = false;
  bool FSizeable = false;
  std::unique_ptr<TcxSizeFrame> FSizeFrame;
  bool FSysPanelStyle = false;
  TPoint FSizingStart;
  bool FSizing = false;
  TWinControl* FShowFocusTarget = nullptr;
};

// The combo box's popup: as wide as its editor, or wider for its widest item.
class TcxComboBoxPopupWindow : public TcxCustomEditPopupWindow {
  VW_CLASS(TcxComboBoxPopupWindow, TcxCustomEditPopupWindow)
 public:
  using TcxCustomEditPopupWindow::TcxCustomEditPopupWindow;
  void FitToControls() override;
};

// The popup editor's view info: its 3D frame always has the client-edge look.
class TcxPopupEditPopupWindowViewInfo : public TcxCustomEditPopupWindowViewInfo {
  VW_CLASS(TcxPopupEditPopupWindowViewInfo, TcxCustomEditPopupWindowViewInfo)
 public:
  void DrawBorder(TcxCanvas* Canvas, TRect& R) override;
};

class TcxPopupEditPopupWindow : public TcxCustomEditPopupWindow {
  VW_CLASS(TcxPopupEditPopupWindow, TcxCustomEditPopupWindow)
 public:
  explicit TcxPopupEditPopupWindow(TControl* AOwnerControl);
};

// The frame the size frame showed last, and the last one that was not empty; one popup is resized
// at a time.
const TRect& PopupSizeFrameRect();
