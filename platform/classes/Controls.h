#pragma once
// Controls: the visual components. A TControl has bounds inside its parent, a caption, colour,
// font and mouse handling; a TWinControl also owns a window of the window system, made the first
// time it is needed, and paints its windowless (graphic) children itself.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/ActnList.h"
#include "platform/classes/Component.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/Menus.h"
#include "platform/classes/Messages.h"
#include "platform/win/Window.h"

class TControl;
class TWinControl;
class TCustomForm;

// ---- enumerations and sets ------------------------------------------------------------------------

VW_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)
VW_ENUM(TAnchorKind, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;
inline const TAnchors AnchorAlign[] = {
    {akLeft, akTop},                     // alNone
    {akLeft, akTop, akRight},            // alTop
    {akLeft, akRight, akBottom},         // alBottom
    {akLeft, akTop, akBottom},           // alLeft
    {akRight, akTop, akBottom},          // alRight
    {akLeft, akTop, akRight, akBottom},  // alClient
    {akLeft, akTop}};                    // alCustom

VW_ENUM(TMouseButton, mbLeft, mbRight, mbMiddle)
VW_ENUM(TShiftStateItem, ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble)
using TShiftState = TSet<TShiftStateItem>;

VW_ENUM(TControlStyleItem, csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed,
        csSetCaption, csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
        csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
        csParentBackground, csPannable, csAlignWithMargins)
using TControlStyle = TSet<TControlStyleItem>;

VW_ENUM(TControlStateItem, csLButtonDown, csClicked, csPalette, csReadingState, csAlignmentNeeded, csFocusing,
        csCreating, csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking, csDesignerHide, csPanning,
        csRecreating, csAligning)
using TControlState = TSet<TControlStateItem>;

VW_ENUM(TDragMode, dmManual, dmAutomatic)
VW_ENUM(TDragKind, dkDrag, dkDock)
VW_ENUM(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
VW_ENUM(TBiDiMode, bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly)
VW_ENUM(THelpType, htKeyword, htContext)

// Cursors are numbers; the standard ones are negative.
using TCursor = std::int16_t;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22;
bool CursorToIdent(std::int64_t Cursor, String& Ident);
bool IdentToCursor(const String& Ident, std::int64_t& Cursor);

// Modal results of dialogs and buttons.
using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6,
                       mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10;

// ---- events ----------------------------------------------------------------------------------------

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, win::WORD& Key, TShiftState Shift)>;
// Key is the whole character typed; a handler that sets it to 0 swallows it.
using TKeyPressEvent = std::function<void(TObject* Sender, TChar& Key)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, win::POINT MousePos,
                                            bool& Handled)>;
using TMouseWheelUpDownEvent = std::function<void(TObject* Sender, TShiftState Shift, win::POINT MousePos, bool& Handled)>;
using TContextPopupEvent = std::function<void(TObject* Sender, win::POINT MousePos, bool& Handled)>;
using TDragOverEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State,
                                          bool& Accept)>;
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
class TDragObject;
class TDragImageList;
using TStartDragEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent = std::function<void(TObject* Sender, int& MinWidth, int& MinHeight, int& MaxWidth,
                                                   int& MaxHeight)>;
using TStartDockEvent = std::function<void(TObject* Sender, TDragObject*& DragObject)>;
using TDockDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TUnDockEvent = std::function<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

// The shift state of a key or mouse message's flags, and of the keyboard now.
TShiftState KeysToShiftState(win::WPARAM Keys);
TShiftState KeyDataToShiftState(win::LPARAM KeyData);
TShiftState GetShiftState();
// From a 256-byte keyboard state (GetKeyboardState): the high bit of an entry means the key is down.
TShiftState KeyboardStateToShiftState(const win::BYTE* KeyboardState);

// A hidden window whose messages go to Method, for objects that need a window of their own
// (timers, listeners for system notifications). An exception Method lets out is shown by the
// application, as for any window.
win::HWND AllocateHWnd(std::function<void(TMessage&)> Method);
void DeallocateHWnd(win::HWND Wnd);

// What CM_HINTSHOW carries in LParam: the control may change the text, the place, the part of
// itself the hint belongs to (CursorRect, client coordinates), or answer non-zero to show none.
struct THintInfo {
  TControl* HintControl = nullptr;
  win::POINT HintPos{};  // screen
  int HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  win::RECT CursorRect{};
  win::POINT CursorPos{};
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  String HintStr;
  void* HintData = nullptr;
};

// ---- size constraints ------------------------------------------------------------------------------

class TSizeConstraints : public TPersistent {
  VW_CLASS(TSizeConstraints, TPersistent)
 public:
  explicit TSizeConstraints(TControl* Control) : FControl(Control) {}
  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  int MaxHeight() const { return FMaxHeight; }
  int MaxWidth() const { return FMaxWidth; }
  int MinHeight() const { return FMinHeight; }
  int MinWidth() const { return FMinWidth; }
  void SetMaxHeight(int Value);
  void SetMaxWidth(int Value);
  void SetMinHeight(int Value);
  void SetMinWidth(int Value);
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override;

 private:
  void Change();
  TControl* FControl;
  int FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};

// ---- action links --------------------------------------------------------------------------------

// The link a control keeps to its action: the caption, enabled state, hint, visibility and help
// context follow the action; a click runs the action unless the control has an OnClick of its own.
class TControlActionLink : public TActionLink {
  VW_CLASS(TControlActionLink, TActionLink)
 public:
  explicit TControlActionLink(TObject* AClient) : TActionLink(AClient) { AssignClient(AClient); }

  bool IsCaptionLinked() override;
  bool IsEnabledLinked() override;
  bool IsHelpContextLinked() override;
  bool IsHintLinked() override;
  bool IsVisibleLinked() override;
  bool IsOnExecuteLinked() override;
  void SetCaption(const String& Value) override;
  void SetEnabled(bool Value) override;
  void SetHelpContext(int Value) override;
  void SetHint(const String& Value) override;
  void SetVisible(bool Value) override;

 protected:
  void AssignClient(TObject* AClient) override;
  TControl* FClient = nullptr;
};

// The link of a windowed control: as a control's, for the controls and editors that name this class.
class TWinControlActionLink : public TControlActionLink {
  VW_CLASS(TWinControlActionLink, TControlActionLink)
 public:
  using TControlActionLink::TControlActionLink;
};

// ---- TControl --------------------------------------------------------------------------------------

class TControl : public TComponent {
  VW_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  static void DeclareProperties(TPropTable& t);

  // Messages. WindowProc starts as WndProc; replacing it subclasses the control.
  std::function<void(TMessage&)> WindowProc;
  win::LRESULT Perform(win::UINT Msg, win::WPARAM WParam = 0, win::LPARAM LParam = 0);
  virtual void WndProc(TMessage& Message);
  // Runs the handler this class has for the message, else DefaultHandler.
  virtual void Dispatch(TMessage& Message);
  virtual void DefaultHandler(TMessage& Message);

  // Parent and place.
  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  TComponent* GetParentComponent() override;
  bool HasParent() override { return true; }
  void SetParentComponent(TComponent* Value) override;
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  win::RECT BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const win::RECT& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }
  // Takes the rectangle as the control's bounds without moving or sizing its window.
  void UpdateBoundsRect(const win::RECT& R);
  virtual win::RECT ClientRect();
  int ClientWidth() { return ClientRect().right; }
  int ClientHeight() { return ClientRect().bottom; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  void SetClientSize(int W, int H);
  // The client area's origin in screen coordinates.
  virtual win::POINT ClientOrigin();
  win::POINT ClientToScreen(win::POINT P);
  win::POINT ScreenToClient(win::POINT P);
  win::POINT ClientToParent(win::POINT P, TWinControl* AParent = nullptr);
  win::POINT ParentToClient(win::POINT P, TWinControl* AParent = nullptr);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
  bool AutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  // Visible here and in every parent up to a form that is showing.
  virtual bool Showing() const;
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  // Caption and Text are one string.
  String Caption() { return GetText(); }
  void SetCaption(const String& Value) { SetText(Value); }
  String Text() { return GetText(); }
  void SetText(const String& Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; FParentCtl3D = false; }
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value) { FParentCtl3D = Value; }
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value) { FParentBiDiMode = Value; }

  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }

  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  // Starts dragging this control; without Immediate the drag starts once the mouse has moved
  // Threshold pixels (negative: the mouse's drag threshold).
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  // Ends the drag under way, if any, without a drop (Escape does this).
  static void CancelDrag();

  TControlStyle ControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
  TControlState ControlState() const { return FControlState; }
  void SetControlState(TControlState Value) { FControlState = Value; }
  bool MouseCapture() const;
  void SetMouseCapture(bool Value);

  // Painting.
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Where the control stands among its parent's children.
  void BringToFront();
  void SendToBack();
  // Descendants may keep their place in the parent's list and reorder only their window.
  virtual void SetZOrder(bool TopMost);

  // Scaling: multiplies positions, sizes and the font by M / D.
  void ScaleBy(int M, int D);

  bool IsRightToLeft() const { return false; }
  TCustomForm* GetParentForm() const;

  // Events.
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TConstrainedResizeEvent OnConstrainedResize;
  TContextPopupEvent OnContextPopup;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  TStartDockEvent OnStartDock;
  TEndDragEvent OnEndDock;
  TDockDropEvent OnDockDrop;
  TUnDockEvent OnUnDock;

  virtual void Click();
  virtual void DblClick();

  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);
  TControlActionLink* ActionLink() const { return FActionLink.get(); }
  // Lets the action update the control (its enabled state, caption...) before the control is used.
  virtual void InitiateAction();

  // Text through the message, as a control whose window keeps the text answers.
  int GetTextLen();
  String GetTextBuf();

 protected:
  // Called by the reader once every child has been read.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void ReadState(TReader* Reader) override;
  TPersistent* GetOwner() override { return TComponent::GetOwner(); }
  // Around a rename: a control whose caption still is its name follows the new name.
  void SetReference(bool Enable) override;

  // Takes the action's values; while loading (CheckDefaults) only where the control has its default.
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);
  // The link a control of this kind keeps to its action.
  virtual std::unique_ptr<TControlActionLink> CreateActionLink();
  virtual String GetText();
  virtual void SetTextValue(const String& Value);
  virtual void Changed();
  virtual void Resize();
  virtual bool CanResize(int& NewWidth, int& NewHeight);
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight);
  virtual void ConstrainedResize(int& MinWidth, int& MinHeight, int& MaxWidth, int& MaxHeight);
  void DoConstraints(int& NewWidth, int& NewHeight);
  void AdjustSize();
  virtual void RequestAlign();
  virtual void DoAutoSize();
  void UpdateAnchorRules();
  virtual void ChangeScale(int M, int D);

  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, win::POINT MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, win::POINT MousePos);
  virtual void DoContextPopup(win::POINT MousePos, bool& Handled);
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  virtual void DoStartDrag(TDragObject*& DragObject);
  // The images shown under the mouse while the control is dragged; none by default.
  virtual TDragImageList* GetDragImages() { return nullptr; }
  virtual void DoEndDrag(TObject* Target, int X, int Y);
  // Called from DoStartDrag: the drag does not begin.
  void CancelDragStart() { FDragStartCancelled = true; }
  virtual void DragCanceled();
  virtual void VisibleChanging() {}
  virtual int GetClientOffsetFromWindow() { return 0; }

  // Message handlers.
  virtual void WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);
  virtual void WMMouseMove(TMessage& Message);
  virtual void WMMouseWheel(TMessage& Message);
  virtual void WMContextMenu(TMessage& Message);
  virtual void CMEnabledChanged(TMessage& Message);
  virtual void CMVisibleChanged(TMessage& Message);
  virtual void CMTextChanged(TMessage& Message);
  virtual void CMFontChanged(TMessage& Message);
  virtual void CMColorChanged(TMessage& Message);
  virtual void CMParentColorChanged(TMessage& Message);
  virtual void CMParentFontChanged(TMessage& Message);
  virtual void CMParentShowHintChanged(TMessage& Message);
  virtual void CMMouseEnter(TMessage& Message);
  virtual void CMMouseLeave(TMessage& Message);
  virtual void CMHitTest(TMessage& Message) { Message.Result = win::HTCLIENT; }
  virtual void CMSysColorChange(TMessage& Message);
  virtual void WMCancelMode(TMessage& Message);

  void FontChanged(TObject* Sender);
  void ConstraintsChanged(TObject* Sender);
  void DragMoveTo(win::POINT Screen);
  void DragFinish(bool Drop);
  void SetParentValue(TWinControl* AParent) { FParent = AParent; }

  TWinControl* FParent = nullptr;
  int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  // Where the control stood when its anchors last took effect, and its parent's client size then.
  win::POINT FAnchorRules{};
  win::POINT FOriginalParentSize{};
  win::POINT FAnchorSize{};
  bool FAnchorMove = false;
  std::unique_ptr<TSizeConstraints> FConstraints;
  bool FAutoSize = false;
  bool FVisible = true;
  bool FEnabled = true;
  String FText;
  TColor FColor = clWindow;
  bool FParentColor = true;
  TFont* FFont;
  bool FParentFont = true;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  String FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TPopupMenu* FPopupMenu = nullptr;
  int FHelpContext = 0;
  TDragMode FDragMode = dmManual;
  TDragKind FDragKind = dkDrag;
  TCursor FDragCursor = crDrag;
  TControlStyle FControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState FControlState;
  bool FMouseInControl = false;
  bool FDragStartCancelled = false;
  bool FCaptionFollowsName = false;
  std::unique_ptr<TControlActionLink> FActionLink;

  friend class TWinControl;
  friend class TApplication;
  friend class TSizeConstraints;
  friend class TDragControlObject;
};

// What is being dragged. OnStartDrag may make one of its own; else the control is dragged
// through a TDragControlObject made and freed for the drag.
class TDragObject : public TObject {
  VW_CLASS(TDragObject, TObject)
 public:
  TDragObject() = default;
  win::POINT DragPos() const { return FDragPos; }
  TControl* DragTarget() const { return FDragTarget; }
  bool Dropped() const { return FDropped; }
  bool Cancelling() const { return FCancelling; }
  virtual TCursor GetDragCursor(bool Accepted, int X, int Y);
  // The images shown under the mouse while dragging (over controls with csDisplayDragImage).
  virtual TDragImageList* GetDragImages() { return nullptr; }
  // The drag is over: Target (null when nothing took it) at X, Y in the target's coordinates.
  // An object may free itself here.
  virtual void Finished(TObject* /*Target*/, int /*X*/, int /*Y*/, bool /*Accepted*/) {}

 private:
  friend class TControl;
  win::POINT FDragPos{};
  TControl* FDragTarget = nullptr;
  bool FDropped = false;
  bool FCancelling = false;
};

class TDragControlObject : public TDragObject {
  VW_CLASS(TDragControlObject, TDragObject)
 public:
  explicit TDragControlObject(TControl* AControl) : FControl(AControl) {}
  TControl* Control() const { return FControl; }
  TCursor GetDragCursor(bool Accepted, int X, int Y) override;
  TDragImageList* GetDragImages() override;
  // A drag that nobody took is cancelled for the control; either way it hears OnEndDrag.
  void Finished(TObject* Target, int X, int Y, bool Accepted) override;

 private:
  TControl* FControl;
};

// ---- TWinControl -----------------------------------------------------------------------------------

struct TCreateParams {
  String Caption;
  win::DWORD Style = 0;
  win::DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  win::HWND WndParent = nullptr;
  void* Param = nullptr;
  win::WNDCLASS WindowClass;
  String WinClassName;
};

using TControlList = std::vector<TControl*>;

class TWinControl : public TControl {
  VW_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  static void DeclareProperties(TPropTable& t);

  // The window, made when first asked for.
  win::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // The window if there is one, without making it.
  win::HWND WindowHandle() const { return FHandle; }
  void HandleNeeded();
  // A window made by someone else that this control's window sits in (a top-level control's
  // owner window, or the parent of a control without a TWinControl parent).
  win::HWND ParentWindow() const { return FParentWindow; }
  void SetParentWindow(win::HWND Value);
  // Destroys the window and makes it again with the current create parameters.
  void RecreateWnd();
  void DestroyHandle();
  // Gives the window up without destroying it: the control forgets the handle, and the window
  // keeps its pixels, place and child windows while its messages go to its default procedure.
  // Answers the window, whose destruction is now the caller's.
  win::HWND DetachHandle();
  // Takes an existing window of no control as this control's own (a window this control had,
  // it destroys first): the window's messages come to WindowProc, the procedure it had becomes
  // the default one, and the control takes the window's bounds.
  void AttachHandle(win::HWND Window);
  // Hands the window's messages to its default procedure again; the control keeps the handle.
  void RestoreDefWndProc();
  win::WNDPROC DefWndProc() const { return FDefWndProc; }

  void DefaultHandler(TMessage& Message) override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // Children: windowless ones and windowed ones, each list in z-order from the bottom.
  int ControlCount() const { return static_cast<int>(FControls.size() + FWinControls.size()); }
  TControl* Controls(int Index) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  bool ContainsControl(TControl* Control) const;
  // The visible enabled (or any, with AllowDisabled) child under a client point, topmost first.
  TControl* ControlAtPos(win::POINT Pos, bool AllowDisabled, bool AllowWinControls = false);
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Broadcast(TMessage& Message);
  void NotifyControls(win::UINT Msg);

  // Layout.
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  win::RECT ClientRect() override;
  win::POINT ClientOrigin() override;
  void DisableAlign();
  void EnableAlign();
  void Realign();
  // Aligns the children again, AControl (when given) first among those it now stands level with.
  void AlignControl(TControl* AControl);
  bool AlignDisabled() const { return FAlignLevel != 0; }
  void SetAutoSize(bool Value) override;

  // Focus and tab order.
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  int TabOrder() const;
  void SetTabOrder(int Value);
  virtual void GetTabOrderList(TControlList& List);
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  virtual bool CanFocus();
  virtual bool Focused();
  virtual void SetFocus();

  // What the background is erased with; a clear brush leaves it to the children.
  TBrush* Brush() const { return FBrush; }
  // A band of the control's colour inside its frame, outside the client area.
  int BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(int Value);
  bool ParentBackground() const { return FControlStyle.Contains(csParentBackground); }
  void SetParentBackground(bool Value);
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  bool DockSite() const { return FDockSite; }
  void SetDockSite(bool Value) { FDockSite = Value; }
  bool UseDockManager() const { return FUseDockManager; }
  void SetUseDockManager(bool Value) { FUseDockManager = Value; }
  int DockClientCount() const { return 0; }
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  bool Showing() const override { return FShowing; }
  void Invalidate() override;
  void Update() override;
  void Repaint() override;
  // Paints the windowless children over a context of this control's client area; First (when
  // given) and those above it only.
  void PaintControls(win::HDC DC, TControl* First);
  // Draws the control and its children into DC at X, Y.
  void PaintTo(win::HDC DC, int X, int Y);
  void ScaleControls(int M, int D);

  // The control a window belongs to, or null for a window of no control.
  static TWinControl* FindControl(win::HWND Handle);

 protected:
  virtual void CreateParams(TCreateParams& Params);
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  // A window made earlier for this control becomes its handle again (a control that keeps one
  // window per shape); ForgetHandle lets the present one go without destroying it.
  void AdoptWindowHandle(win::HWND Window);
  void ForgetHandle();
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  virtual void CreateHandle();
  virtual void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  void UpdateShowing();
  void UpdateControlState();
  // Takes the window's bounds after the window system moved or sized it; answers whether the
  // size changed.
  bool UpdateBounds();
  // Takes the window's bounds; answers whether the size changed.
  bool ReadWindowBounds();
  virtual void AlignControls(TControl* AControl, win::RECT& Rect);
  virtual void AdjustClientRect(win::RECT& Rect);
  virtual bool CanAutoSize(int& NewWidth, int& NewHeight) override;
  void DoAutoSize() override;
  virtual void PaintWindow(win::HDC DC);
  virtual void PaintHandler(TMessage& Message);
  void Loaded() override;
  void ReadState(TReader* Reader) override;
  void ChangeScale(int M, int D) override;
  void SetZOrderPosition(TControl* Child, bool TopMost);
  virtual void SetChildOrder(TComponent* Child, int Order) override;
  virtual bool IsControlMouseMsg(TMessage& Message);
  void VisibleChanging() override {}

  // Keys: first the reflected CN_ message from the message loop, then the control's own.
  // A shortcut of a popup menu of this control or a parent, or of the form, runs its item.
  virtual bool IsMenuKey(TMessage& Message);
  virtual bool DoKeyDown(TMessage& Message);
  virtual bool DoKeyPress(TMessage& Message);
  virtual bool DoKeyUp(TMessage& Message);
  virtual void KeyDown(win::WORD& Key, TShiftState Shift);
  virtual void KeyPress(TChar& Key);
  virtual void KeyUp(win::WORD& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  virtual bool DialogChar(TMessage& Message);

  void WMContextMenu(TMessage& Message) override;
  virtual void WMPaint(TMessage& Message);
  virtual void WMEraseBkgnd(TMessage& Message);
  // PRF_CLIENT paints the client area into the given context: the control's own painting of a
  // window that has children or paints itself, else the window class's.
  virtual void WMPrintClient(TMessage& Message);
  virtual void WMNCCalcSize(TMessage& Message);
  virtual void WMNCPaint(TMessage& Message);
  virtual void WMWindowPosChanged(TMessage& Message);
  virtual void WMSize(TMessage& Message);
  virtual void WMSetFocus(TMessage& Message);
  virtual void WMKillFocus(TMessage& Message);
  virtual void WMSetCursor(TMessage& Message);
  virtual void WMCommand(TMessage& Message);
  virtual void WMNotifyFromChild(TMessage& Message);
  virtual void WMCtlColor(TMessage& Message);
  virtual void CNKeyDown(TMessage& Message);
  virtual void CNKeyUp(TMessage& Message);
  virtual void CNChar(TMessage& Message);
  std::unique_ptr<TControlActionLink> CreateActionLink() override;
  virtual void WMChar(TMessage& Message);
  virtual void CNSysChar(TMessage& Message);
  virtual void CMDialogKey(TMessage& Message);
  virtual void CMDialogChar(TMessage& Message);
  virtual void CMEnter(TMessage& Message) { (void)Message; DoEnter(); }
  virtual void CMExit(TMessage& Message) { (void)Message; DoExit(); }
  virtual void CMShowingChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  void CMColorChanged(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMTextChanged(TMessage& Message) override;
  void CMSysColorChange(TMessage& Message) override;
  virtual void CMInvalidate(TMessage& Message);

  win::HWND FHandle = nullptr;
  win::HWND FParentWindow = nullptr;
  win::WNDPROC FDefWndProc = nullptr;
  TBrush* FBrush;
  TControlList FControls;     // windowless children
  TControlList FWinControls;  // windowed children
  TControlList FTabList;
  int FAlignLevel = 0;
  bool FShowing = false;
  bool FTabStop = false;
  bool FDoubleBuffered = false;
  bool FDockSite = false;
  bool FUseDockManager = false;
  bool FInSetBounds = false;
  int FTabOrderRead = -1;
  int FBorderWidth = 0;

 private:
  static win::LRESULT InitWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  friend class TControl;
  friend class TCustomForm;
  friend class TApplication;
};

// ---- graphic and custom controls -------------------------------------------------------------------

// A canvas over a control: the context is the control's own (a windowed one) or its parent's,
// clipped and moved to the control (a windowless one).
class TControlCanvas : public TCanvas {
  VW_CLASS(TControlCanvas, TCanvas)
 public:
  TControlCanvas() = default;
  ~TControlCanvas() override;
  TControl* Control() const { return FControl; }
  void SetControl(TControl* AControl);
  void FreeHandle();

 protected:
  void CreateHandle() override;

 private:
  TControl* FControl = nullptr;
  win::HDC FDeviceContext = nullptr;
  win::HWND FWindowHandle = nullptr;
};

class TGraphicControl : public TControl {
  VW_CLASS(TGraphicControl, TControl)
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  TCanvas* Canvas() const { return FCanvas; }
  void WndProc(TMessage& Message) override;

 protected:
  virtual void Paint() {}
  TCanvas* FCanvas;
};

class TCustomControl : public TWinControl {
  VW_CLASS(TCustomControl, TWinControl)
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* Canvas() const { return FCanvas; }

 protected:
  virtual void Paint() {}
  void PaintWindow(win::HDC DC) override;
  void WMPaint(TMessage& Message) override;
  void WMPrintClient(TMessage& Message) override;
  TCanvas* FCanvas;
};

// The windowed control under a screen point, or null.
TWinControl* FindVCLWindow(win::POINT Pos);
// Finds the control under a screen point (windowless children included).
TControl* FindDragTarget(win::POINT Pos, bool AllowDisabled);
// The drag in progress (from BeginDrag until the drop or cancel), or null.
TDragObject* DragObject();
// The control a window belongs to (its own window or the nearest parent window of a control).
TWinControl* FindControl(win::HWND Handle);
// The form a control stands on, or null.
TCustomForm* GetParentForm(TControl* Control);
// Whether Message.Msg is the mouse moving or a button.
bool IsMouseMessage(win::UINT Msg);
