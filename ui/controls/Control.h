#pragma once
// The base of every windowed library control that draws itself: a library canvas, a look-and-feel
// that picks the painter, an optional painter-drawn border, internal scroll bars with a size grip,
// its own drag-and-drop, middle-button panning, focus on click, wheel scrolling and a popup menu
// that may be one of the library's own. Descendants shape it through its virtual operations.
#include <memory>
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/StdCtrls.h"
#include "ui/controls/DragAndDrop.h"
#include "ui/controls/InternalScrollBars.h"
#include "ui/controls/SettingsController.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/ResourceStrings.h"

enum TcxControlBorder { cbNone, cbSingle };
enum TcxDragAndDropState { ddsNone, ddsStarting, ddsInProcess };
VW_ENUM(TcxDirection, dirNone, dirLeft, dirRight, dirUp, dirDown)
VW_ENUM(TcxWantedKey, wkAllKeys, wkArrows, wkChars, wkTab)
using TcxWantedKeys = TSet<TcxWantedKey>;

// Told when a control's font changes.
class IcxFontListener : public virtual IInterface {
 public:
  virtual void FontChanged(TObject* Sender, TFont* Font) = 0;
};

class IcxLookAndFeelProvider : public virtual IInterface {
 public:
  virtual TcxLookAndFeel* ProvidedLookAndFeel() = 0;
};

class TcxControl : public TCustomControl, public IcxStringTableListener, public IcxLookAndFeelProvider {
  VW_CLASS(TcxControl, TCustomControl)
 public:
  explicit TcxControl(TComponent* AOwner);
  ~TcxControl() override;

  // ---- properties --------------------------------------------------------------------------------
  TcxCanvas* Canvas() const { return FCanvas.get(); }
  TcxCanvas* ActiveCanvas() const { return FActiveCanvas.get(); }
  TcxControlBorder BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TcxControlBorder Value);
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  // Copies the given object's values into the control's own.
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }
  TComponent* PopupMenu() const { return FPopupMenu; }
  // Takes nil, a TPopupMenu or a component with IcxPopupMenuSupport; anything else reads nil.
  void WritePopupMenu(TComponent* Value);
  // The class library's question: only a TPopupMenu, so it never shows one of the library's.
  TPopupMenu* ReadPopupMenu() const;
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  TcxWantedKeys Keys() const { return FKeys; }
  void SetKeys(TcxWantedKeys Value) { FKeys = Value; }
  bool FocusOnClick() const { return FFocusOnClick; }
  void SetFocusOnClick(bool Value) { FFocusOnClick = Value; }
  TCursor DefaultCursor() const { return FDefaultCursor; }
  TRect ExplicitBounds() const { return FExplicitBounds; }
  void SetExplicitBounds(const TRect& Value) { FExplicitBounds = Value; }
  TcxDragAndDropState DragAndDropState() const { return FDragAndDropState; }
  void SetDragAndDropState(TcxDragAndDropState Value);
  TcxDragAndDropObject* DragAndDropObject() const { return FDragAndDropObject; }
  TcxDragAndDropObject* DragAndDropObjectOrNew();
  void SetDragAndDropObjectClassOverride(TcxDragAndDropObjectClass Value) { FDragAndDropObjectClassOverride = Value; }
  TObject* MouseCaptureObject() const { return FMouseCaptureObject; }
  void SetMouseCaptureObject(TObject* Value);
  TPoint MouseDownPos() const { return FMouseDownPos; }
  bool MouseButtonPressed() const { return FMouseButtonPressed; }
  bool MouseRightButtonReleased() const { return FMouseRightButtonReleased; }
  bool IsScrollingContent() const { return FIsScrollingContent; }
  bool CreatingWindow() const { return FCreatingWindow; }
  TcxControlScrollBar* HScrollBar() const { return FHScrollBar; }
  TcxControlScrollBar* VScrollBar() const { return FVScrollBar; }
  TcxSizeGrip* SizeGrip() const { return FSizeGrip; }
  bool HScrollBarVisible() const;
  bool VScrollBarVisible() const;
  TcxDragImageList* DragImages() const { return FDragImages.get(); }
  void AddFontListener(IcxFontListener* Listener);
  void RemoveFontListener(IcxFontListener* Listener);

  TNotifyEvent OnFocusChanged;

  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  void InvalidateRectArea(const TRect& R, bool EraseBackground);
  void RedrawWithChildren();
  TcxLookAndFeel* ProvidedLookAndFeel() override { return CurrentLookAndFeel(); }
  void TranslationChanged() override { StateChangeHook(); }

  // ---- virtual operations ------------------------------------------------------------------------
  virtual bool ShowPopupMenuAt(TComponent* Menu, int X, int Y);
  virtual void NotifyDesignerModified();
  virtual void EraseBackground(win::HDC DC);
  virtual void StartDragOrPanning(TMouseButton Button, int X, int Y);
  virtual void BeforeMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void BringInternalControlsToFront();
  virtual void EndMouseOperations();
  virtual int BorderSize();
  virtual TRect ControlBounds();
  virtual TRect ClientBounds();
  virtual TCursor CursorAt(int X, int Y);
  virtual bool IsDesigning() const;
  virtual bool HasFocus();
  virtual TScrollStyle MouseWheelScrollKind();
  virtual TcxControlScrollBar* CreateScrollBar();
  virtual void AttachInternalControls();
  virtual bool CanFocusOnClick();
  virtual bool ShouldFocusOnMouseDown(int X, int Y);
  virtual bool FocusOnScrollBarClick(TcxControlScrollBar* Bar);
  virtual bool HandlesSystemErase();
  virtual bool IsInternalControl(TControl* Control);
  virtual bool InvalidatesChildren();
  virtual bool CompensatesFocusMove();
  virtual void ParentBackgroundChanged();
  virtual TcxLookAndFeel* CurrentLookAndFeel();
  virtual TcxCustomLookAndFeelPainterClass CurrentPainter();
  virtual void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  virtual bool CanScrollWithoutBars(TcxDirection Direction);
  virtual TRect HScrollBarBounds();
  virtual TRect SizeGripBounds();
  virtual TRect VScrollBarBounds();
  virtual void FillScrollBarParams();
  virtual bool HidesScrollBarWhenFits(TScrollBarKind Kind);
  virtual bool UsesInternalScrollBars();
  virtual bool KeepsInternalControlsOnTop();
  virtual void ScrollContent(TScrollBarKind Kind, TScrollCode ScrollCode, int& Position);
  virtual void PlaceInternalControls();
  virtual void RefreshInternalControls();
  virtual void RecalcScrollBars();
  virtual bool AllowsDesignDragAt(int X, int Y, TShiftState Shift);
  virtual TcxDragAndDropObject* CreateDragAndDropObject();
  virtual TcxDragAndDropObjectClass DragAndDropObjectClass();
  virtual void DrawDragImage(TcxCanvas* ACanvas, const TRect& R);
  virtual TcxDragImageListClass DragImageListClass();
  virtual TSize DragImageSize();
  virtual bool IsDragCopyKeyDown();
  virtual bool DisplaysDragImage();
  virtual void InitDragImages(TcxDragImageList* ImageList);
  virtual bool CanFocusNow();
  virtual bool DragThresholdPassedAt(int X, int Y);
  virtual void StateChangeHook();

  virtual void AttachChildComponent(TComponent* Component);
  virtual void DetachChildComponent(TComponent* Component);
  virtual void CancelMouseOperations();
  virtual bool AcceptsDesignMouseAt(int X, int Y, TShiftState Shift);
  virtual TcxDragControlObjectClass DragControlObjectClass();
  virtual void NotifyMouseEnter(TControl* AControl);
  virtual void NotifyMouseLeave(TControl* AControl);
  virtual bool IsFocusable();
  virtual void BoundsChanged();
  virtual void HandleColorChange();
  virtual void RememberDefaultCursor();
  virtual void NotifyFocusChanged();
  virtual void NotifyFontListeners();
  virtual void HandleTextChange();
  virtual void VisibilityChanged();
  virtual bool WorksWithoutFocus();
  virtual void DragAndDropMove(TPoint P, bool& Accepted);
  virtual void EndDragAndDrop(bool Accepted);
  virtual bool DragAndDropHook(int X, int Y);
  virtual bool IsDragAndDropIdle();
  virtual bool AcceptDragObject(TDragObject* DragObject);
  virtual void BeginDragAndDrop();

  // ---- non-virtual operations --------------------------------------------------------------------
  void FinishDragAndDrop(bool Accepted);
  void SetScrollBarInfo(TScrollBarKind Kind, int Min, int Max, int Step, int Page, int Pos, bool AllowShow,
                        bool AllowHide);
  void ScrollInDirection(TcxDirection Direction);
  void PanContent();
  void SyncScrollBarSizes();
  void SyncInternalScrollBars();
  void CreateInternalControls();
  void DestroyInternalControls();
  void ParentInternalControls();
  void LockScrollBars() { ++FScrollBarsLockCount; }
  // Recalculates when a recalculation was asked while locked.
  void UnlockScrollBars();
  bool IsPointInDragArea(int X, int Y) const;
  void UpdateCursorAt(int X, int Y);

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void DestroyWindowHandle() override;
  void Resize() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void DoContextPopup(win::POINT MousePos, bool& Handled) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PaintWindow(win::HDC DC) override;
  void WMPaint(TMessage& Message) override;
  void WMEraseBkgnd(TMessage& Message) override;
  void WMSetCursor(TMessage& Message) override;
  void WMNCCalcSize(TMessage& Message) override;
  void CNKeyDown(TMessage& Message) override;
  void CMInvalidate(TMessage& Message) override;
  void CMMouseEnter(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void DoStartDrag(TDragObject*& DragObject) override;
  void DoEndDrag(TObject* Target, int X, int Y) override;
  void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
  TDragImageList* GetDragImages() override;

  bool IsPopupShortCutInChain(TMessage& Message);
  void ScrollBarScrolled(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos);
  // WM_PAINT without a context: painted off screen and shown in one copy of the update area.
  void PaintOffScreen();

 private:
  void HandleMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  void PrepareDragAndDrop(TMouseButton Button, TShiftState Shift, int X, int Y);
  void HandleWindowMessage(TMessage& Message);

  std::unique_ptr<TcxCanvas> FActiveCanvas;
  TcxControlBorder FBorderStyle = cbNone;
  bool FCalculatingScrollBarsParams = false;
  std::unique_ptr<TcxCanvas> FCanvas;
  bool FCreatingWindow = false;
  TCursor FDefaultCursor = crDefault;
  TcxDragAndDropObject* FDragAndDropObject = nullptr;
  TcxDragAndDropObjectClass FDragAndDropObjectClassOverride;
  TCursor FDragAndDropPrevCursor = crDefault;
  TcxDragAndDropState FDragAndDropState = ddsNone;
  std::unique_ptr<TcxDragImageList> FDragImages;
  bool FFinishingDragAndDrop = false;
  bool FFocusOnClick = true;
  std::vector<IcxFontListener*> FFontListeners;
  TcxControlScrollBar* FHScrollBar = nullptr;
  bool FInitialHScrollBarVisible = false;
  bool FInitialVScrollBarVisible = false;
  bool FIsInitialScrollBarsParams = false;
  TcxWantedKeys FKeys;
  std::unique_ptr<TcxLookAndFeel> FLookAndFeel;
  bool FMouseButtonPressed = false;
  TObject* FMouseCaptureObject = nullptr;
  TPoint FMouseDownPos;
  bool FMouseRightButtonReleased = false;
  TComponent* FPopupMenu = nullptr;
  TScrollStyle FScrollBars = ssBoth;
  int FScrollBarsLockCount = 0;
  bool FScrollBarsUpdateNeeded = false;
  TcxSizeGrip* FSizeGrip = nullptr;
  bool FUpdatingScrollBars = false;
  TcxControlScrollBar* FVScrollBar = nullptr;
  bool FIsScrollingContent = false;
  bool FLastParentBackground = true;
  TRect FExplicitBounds;
  bool FKeepDefaultCursor = false;
  bool FMouseInsideChanged = false;
};

// Whether csLoading is set in the component's state.
bool IsComponentLoading(TPersistent* Persistent);

// The parent first hears CM_INVALIDATE with WParam 1; then the control's window is invalidated
// when InvalidateSelf, and with WithChildren each see-through windowed child too.
void InvalidateControlTree(TWinControl* Control, bool InvalidateSelf, bool WithChildren);
