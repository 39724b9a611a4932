#pragma once
// The bordered host of one inner windowed control (an edit box, a list box, a memo). It draws its
// frame, background and drop shadow itself, places the inner control inside the frame, and
// restyles the whole by its visual state (normal, focused, disabled or hot under the mouse) from
// its four styles. Every editor is one.
#include <memory>

#include "ui/controls/ContainerStyle.h"
#include "ui/controls/ContainerViewInfo.h"
#include "ui/controls/Control.h"
#include "ui/controls/MouseTracking.h"
#include "ui/controls/ScrollBar.h"

// Private messages: mirror the inner control's scroll bars; refresh the state at the cursor.
inline constexpr win::UINT CM_SYNCINNERSCROLLBARS = 0x8080;
inline constexpr win::UINT CM_REFRESHCONTAINERSTATE = 0x807F;

// Inner controls that let the container paint their size-grip corner.
class IcxContainerInnerControl : public virtual IInterface {
 public:
  virtual TcxContainer* ControlContainer() = 0;
  virtual TWinControl* InnerControl() = 0;
};

// The classes a container makes its styles and view info of. Descendants pass theirs to the
// protected constructor: the constructor cannot ask the virtual operations yet.
struct TcxContainerClasses {
  TcxContainerStyleClass StyleClass;
  TcxContainerStylesClass StylesClass;
  TcxContainerViewInfoClass ViewInfoClass;
};

class TcxContainer : public TcxControl, public IcxMouseTrackingCaller {
  VW_CLASS(TcxContainer, TcxControl)
  // The inner list box hands the container its input as the container's own.
  friend class TcxCustomInnerListBox;

 public:
  explicit TcxContainer(TComponent* AOwner);
  ~TcxContainer() override;
  static void DeclareProperties(TPropTable& t);
  // Class-made containers take the ParentColor default of their most-derived class here.
  void AfterConstruction() override;

  // ---- properties --------------------------------------------------------------------------------
  TcxContainerStyles* Styles() const { return FStyles.get(); }
  TcxContainerStyle* NormalStyle() const { return FStyles->NormalStyle(); }
  TcxContainerViewInfo* ViewInfo() const { return FViewInfo.get(); }
  TWinControl* InnerControl() const { return FInnerControl; }
  void SetInnerControl(TWinControl* Control);
  bool LayoutValid() const { return FLayoutValid; }
  bool InnerClick() const { return FInnerClick; }
  void SetInnerClick(bool Value) { FInnerClick = Value; }
  bool IsStyleApplying() const { return FStyleApplying; }
  int RecalcDepth() const { return FRecalcDepth; }
  const TRect& SizeGripRect() const { return FSizeGripRect; }
  bool SizeGripVisible() const { return FSizeGripVisible; }
  const TcxContainerInnerControlClip& InnerControlClip() const { return FInnerControlClip; }
  TcxStyleController* FakeStyleController() { return NormalStyle()->StyleController(); }
  void SetFakeStyleController(TcxStyleController*) {}

  // ---- operations the library calls ---------------------------------------------------------------
  bool RefreshStateAtCursor(bool MouseEvent);
  bool RecalcState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent);
  void EnsureLayout();
  TFont* EffectiveFont();
  bool IsFocused();
  void TakeFocus();
  bool StoresStyleProperty(const String& Name, bool IsStateStyle);
  void LockInnerAlignment(bool Lock);
  bool IsInnerAlignmentLocked() const { return FInnerAlignmentLock > 0; }

  // ---- virtual operations --------------------------------------------------------------------------
  virtual void SyncInnerControlAppearance();
  virtual void SyncInnerScrollBar(TcxScrollBar* ScrollBar);
  virtual void CalculateLayout(const TPoint& Point, bool HotTrackAllowed);
  virtual bool HandlesTabKey();
  virtual bool UsesPlainBorder();
  virtual bool CanRecalculate();
  virtual bool AcceptsContextPopupAt(const TPoint& Point);
  virtual void ContainerStyleChanged(TObject* Sender);
  virtual win::HRGN BuildWindowRegion();
  virtual void ReservedHookA() {}
  virtual void RefreshState();
  virtual bool DefaultParentColor();
  virtual bool HandleInnerMessage(TMessage& Message);
  virtual void AfterStateRecalc() {}
  virtual bool ApplyState(const TPoint& Point, int Button, TShiftState Shift, bool MouseEvent);
  virtual void HandleMouseLeft();
  virtual TcxContainerStyle* ActiveStyle();
  virtual TColor BackgroundColor();
  virtual TColor BorderColor();
  virtual void BorderExtent(TRect& Extent);
  virtual void DefaultColors(TColor& ContentColor, TColor& TextColor);
  virtual int PaintStateCode();
  virtual void ClipChildToClient(const TRect& Rect, TWinControl* Control, TcxContainerInnerControlClip& Clip);
  virtual void ShadowOutline(TRect& R);
  virtual void ShadowInsets(TRect& R);
  virtual TcxContainerStyleClass StyleClass();
  virtual TcxContainerStylesClass StylesClass();
  virtual TcxContainerViewInfoClass ViewInfoClass();
  virtual bool HasShadow();
  virtual void InvokeInnerHandler(TObject* A, TObject* B);
  virtual TcxContainerStyle* StyleForState();
  virtual TcxContainerStyleValues HiddenStyleValues();
  virtual bool IsScrollBarInfoVisible(const win::SCROLLBARINFO& Info);
  virtual bool IsFocusedNow();
  virtual bool HostsChildControls();
  virtual bool IsTrackingMouse();
  virtual bool UsesNativeStyle();
  virtual bool IsReadOnlyState();
  virtual bool DependsOnParentLook();
  virtual void PlaceInnerControl();
  virtual void ClipOutShadow();
  virtual void ReservedHookB() {}
  virtual void UpdateWindowRegion();
  virtual TdxThemeClassId ThemedObjectType();
  virtual int NativePart();
  virtual int NativeState();
  virtual void InnerScrollBarBounds(const win::RECT& BarRect, TRect& R);
  virtual bool InnerScrollBarEnabled(TcxScrollBar* ScrollBar, const win::SCROLLBARINFO& Info);
  virtual bool GetInnerScrollBarInfo(win::SCROLLBARINFO& Info, TScrollBarKind Kind);
  virtual void FocusInnerControl();
  virtual void PropagateDragKind(TDragKind Value);
  virtual void ShowInnerScrollBar(TcxScrollBar* ScrollBar, bool Visible);
  virtual void ResetInnerRegion() { FInnerControlClip.NoClip = true; }
  virtual void CalcInnerControlRect(TRect& R);
  virtual bool HasOpenPopup();
  virtual bool HandleInnerKeyDown(TMessage& Message);
  virtual bool IsInPlace();
  virtual void SyncInnerScrollBars(bool KeepVisibility);

  // ---- overrides of the control base ----------------------------------------------------------------
  TRect ClientBounds() override;
  bool CanFocusOnClick() override;
  bool FocusOnScrollBarClick(TcxControlScrollBar*) override { return false; }
  TcxLookAndFeel* CurrentLookAndFeel() override;
  bool UsesInternalScrollBars() override;
  void RecalcScrollBars() override;
  bool AllowsDesignDragAt(int, int, TShiftState) override { return false; }
  void StateChangeHook() override;
  void NotifyMouseEnter(TControl* AControl) override;
  void NotifyMouseLeave(TControl* AControl) override;
  bool IsFocusable() override;
  void HandleColorChange() override;
  void NotifyFocusChanged() override;
  void BoundsChanged() override;
  void SetFocus() override;
  void GetTabOrderList(TControlList& List) override;
  void Invalidate() override;
  void Update() override;
  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;

  // IcxMouseTrackingCaller
  void MouseLeave() override { HandleMouseLeft(); }

  // The event InvokeInnerHandler calls; the library never sets it.
  std::function<void(TObject*, TObject*)> OnInnerHandler;

 protected:
  TcxContainer(TComponent* AOwner, const TcxContainerClasses& Classes);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWindowHandle(const TCreateParams& Params) override;
  void CreateWnd() override;
  void AdjustClientRect(win::RECT& Rect) override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  void ChangeScale(int M, int D) override;
  void Paint() override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;
  void DoContextPopup(win::POINT MousePos, bool& Handled) override;

  void ApplyStyleColor(TColor Value);
  void ApplyStyleFont(TFont* Value);

 private:
  void Construct(const TcxContainerClasses& Classes);
  void ApplyParentColorDefault();
  void ComputeState(const TPoint& Point, bool HotTrackAllowed);
  void HandleFontChanged(TMessage& Message);
  void HandleParentColorChanged(TMessage& Message);
  void HandleParentFontChanged(TMessage& Message);
  bool ForwardKeyToInner(TMessage& Message);

  TcxContainerVisualState FCachedState = cvsNormal;
  TcxContainerStyle* FCachedStyle = nullptr;
  bool FRecalcRefused = false;
  TWinControl* FInnerControl = nullptr;
  TcxContainerInnerControlClip FInnerControlClip;
  bool FInnerClick = false;
  bool FLayoutValid = false;
  int FInnerAlignmentLock = 0;
  int FAfterRecalcGuard = 0;
  int FRecalcDepth = 0;
  bool FScrollBarSyncing = false;
  TRect FSizeGripRect;
  bool FSizeGripVisible = false;
  bool FStyleApplying = false;
  bool FConstructing = true;
  TcxContainerClasses FClasses;
  std::unique_ptr<TcxContainerStyles> FStyles;
  std::unique_ptr<TcxContainerViewInfo> FViewInfo;
};

// True when the container has an inner control, is not being destroyed and handles the message.
bool ContainerHandlesInnerMessage(TcxContainer* Container, TMessage& Message);
void LockInnerControlAlignment(TcxContainer* Container, bool Lock);
void PostInnerScrollBarsSync(TcxContainer* Container);
bool IsComponentDestroying(TComponent* Component);
