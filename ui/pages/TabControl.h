#pragma once
// The tab control: an ordered list of tabs with one selected, hot, pressed and focused tab, mouse,
// keyboard and accelerator input turned into selection, and every drawing and measure handed to
// its painter. The page control is built on it.
#include <array>
#include <functional>
#include <memory>

#include "platform/classes/Menus.h"
#include "ui/controls/Control.h"
#include "ui/pages/PCImageList.h"
#include "ui/pages/PCPainter.h"
#include "ui/pages/TabLayout.h"
#include "ui/pages/Tabs.h"

class TcxTimer;

// The go menu: the enabled visible tabs, the current one checked; a choice hands its tab's Index
// to OnTabChosen.
class TcxPCGoDialog : public TPopupMenu {
  VW_CLASS(TcxPCGoDialog, TPopupMenu)
 public:
  explicit TcxPCGoDialog(TComponent* AOwner) : TPopupMenu(AOwner) {}
  std::function<void(int TabIndex)> OnTabChosen;
};
class TcxCustomTabControl;

using TcxPCCanCloseEvent = std::function<void(TObject* Sender, bool& ACanClose)>;
using TcxDrawTabEvent = std::function<void(TcxCustomTabControl* AControl, TcxTab* ATab, bool& DefaultDraw)>;
using TcxDrawTabExEvent = std::function<void(TcxCustomTabControl* AControl, TcxTab* ATab, TFont* Font)>;
using TcxGetTabImageEvent = std::function<void(TObject* Sender, int TabIndex, int& ImageIndex)>;
using TcxTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TcxCustomTabControl : public TcxControl {
  VW_CLASS(TcxCustomTabControl, TcxControl)
 public:
  explicit TcxCustomTabControl(TComponent* AOwner);
  ~TcxCustomTabControl() override;

  // ---- properties ----
  bool Focusable() const { return FFocusable; }
  void SetFocusable(bool Value);
  bool HideTabs() const { return FHideTabs; }
  void SetHideTabs(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  int ImageBorder() const { return FImageBorder; }
  void SetImageBorder(int Value);
  TCustomImageList* Images() const { return FTabImages->BaseImageList(); }
  void SetImages(TCustomImageList* Value) { FTabImages->SetBaseImageList(Value); }
  int MaxRotatedTabWidth() const { return FMaxRotatedTabWidth; }
  void SetMaxRotatedTabWidth(int Value);
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  TcxPCNavigatorPosition NavigatorPosition() const { return FNavigatorPosition; }
  void SetNavigatorPosition(TcxPCNavigatorPosition Value);
  TcxPCOptions Options() const { return FOptions; }
  void SetOptions(TcxPCOptions Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  bool RaggedRight() const { return FRaggedRight; }
  void SetRaggedRight(bool Value);
  bool Rotate() const { return FRotate; }
  // Raises "<style> style does not support rotation of tabs" for a style that cannot.
  void SetRotate(bool Value);
  bool ScrollOpposite() const { return FScrollOpposite; }
  void SetScrollOpposite(bool Value);
  bool ShowFrame() const { return FShowFrame; }
  void SetShowFrame(bool Value);
  // 0 follows the look-and-feel; an ID no style has is ignored.
  TcxPCStyleID Style() const { return FStyle; }
  void SetStyle(TcxPCStyleID Value);
  std::int16_t TabHeight() const { return FTabHeight; }
  void SetTabHeight(std::int16_t Value);
  TcxTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TcxTabPosition Value);
  TcxTabSlants* TabSlants() const { return FTabSlants.get(); }
  void SetTabSlants(TcxTabSlants* Value) { FTabSlants->Assign(Value); }
  std::int16_t TabWidth() const { return FTabWidth; }
  void SetTabWidth(std::int16_t Value);

  TcxTabs* Tabs() const { return FTabs.get(); }
  void SetTabs(TStrings* Value) { FTabs->Assign(Value); }
  int TabIndex() const { return FTabIndex; }
  void SetTabIndex(int Value);
  int SelectedTabVisibleIndex() const { return FSelectedTabVisibleIndex; }
  int HotTabVisibleIndex() const { return FHotTabVisibleIndex; }
  int PressedTabVisibleIndex() const { return FPressedTabVisibleIndex; }
  int FocusedTabVisibleIndex() const { return FFocusedTabVisibleIndex; }
  void SetFocusedTabVisibleIndex(int Value);
  int MouseDownTabVisibleIndex() const { return FMouseDownTabVisibleIndex; }
  bool MultiSelectMode() const { return FMultiSelectMode; }
  int ChangeEventLock() const { return FChangeEventLock; }
  void LockChangeEvents() { ++FChangeEventLock; }
  void UnlockChangeEvents() { FChangeEventLock = std::max(FChangeEventLock - 1, 0); }
  bool ChangeEventsLocked() { return FChangeEventLock > 0 || ComponentState().Contains(csLoading); }

  TcxTabLayout* Layout() { return &FLayout; }
  TcxPCCustomPainter* Painter() const { return FPainter.get(); }
  TcxPCImageList* TabImages() const { return FTabImages.get(); }
  TcxPCNavigatorButtonState NavigatorButtonState(TcxPCNavigatorButton Button) const {
    return FNavigatorButtonStates[Button];
  }
  bool GoDialogShowing() const { return FGoDialogShowing; }
  // Nil at design time.
  TcxPCGoDialog* GoDialog() const { return FGoDialog; }

  // The visible position under a point, -1 when none.
  int TabAtPos(int X, int Y);
  int TabTextDirection() const { return cxPCTabTextDirection(FTabPosition, FRotate, FOptions); }
  bool RowRunsInReverse() const { return cxPCRowRunsInReverse(FTabPosition, FRotate, FOptions); }
  // The width of a caption measured with the tab's prepared font on the shared screen canvas.
  int MeasureTabCaptionWidth(TcxTab* Tab);
  // Scrolls the row one tab with a scroll arrow (nothing when the arrow is disabled).
  void ScrollWithButton(TcxPCNavigatorButton Button);
  void ChooseDefaultStyle();
  // The rectangle the pages are aligned in.
  TRect PageClientRect();
  // The page client rectangle a form description stored, valid once its top was read.
  TRect StoredClientRect() const { return FStoredClientRect; }
  bool StoredClientRectValid() const { return FStoredClientRectValid; }

  TNotifyEvent OnChange;
  TcxPCCanCloseEvent OnCanClose;
  TcxDrawTabEvent OnDrawTab;
  TcxDrawTabExEvent OnDrawTabEx;
  TcxGetTabImageEvent OnGetImageIndex;
  TcxTabChangingEvent OnTabChanging;

  // ---- the operations the page control overrides, in their order ----
  virtual void TabClicked(int TabVisibleIndex, TShiftState Shift);
  virtual void TabPainted(TcxCanvas* ACanvas, TcxTab* Tab, const TcxPCTabImageAndTextData& Data);
  virtual bool CanCloseTab();
  virtual void CloseSelectedTab();
  virtual bool SelectTabByAccelerator(unsigned Key);
  virtual bool IsTabSelectableByAccelerator(int TabIndex);
  virtual void ShowGoDialog();
  virtual void ReservedHook() {}
  virtual TControl* DisplayedPage();
  virtual int TabImageIndex(int TabIndex);
  virtual TControl* TabPage(int TabIndex);
  virtual void GoDialogTabChosen(int TabIndex);
  virtual void ImagesChanged();
  virtual bool HandleNavigationKey(win::WORD& Key, TShiftState Shift);
  virtual void PrepareTabFont(TcxTab* Tab, TcxCanvas* ACanvas);
  virtual bool RequiresVisibleSelection();
  // Selection questions and announcements, and the relayout.
  virtual bool CanChangeTab(int NewTabIndex);
  virtual void TabChanged();
  virtual void Relayout();

  // ---- TcxControl ----
  void EraseBackground(win::HDC DC) override;
  bool CanFocusOnClick() override;
  bool HandlesSystemErase() override { return false; }
  bool InvalidatesChildren() override;
  void LookAndFeelChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  bool UsesInternalScrollBars() override { return false; }
  void NotifyFocusChanged() override;
  bool CanFocus() override;
  void WndProc(TMessage& Message) override;

  // Tab-control state that the tabs and the layout ask for.
  void RepaintTab(int TabVisibleIndex, TcxPCTabPropertyChanged Kind);
  void UpdateHotTrack();

 protected:
  // The selection cleared without any event, as a removed page leaves it.
  void ClearTabIndexSilently();
  void Paint() override;
  void Loaded() override;
  void DefineProperties(TFiler* Filer) override;
  void ChangeScale(int M, int D) override;
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void Resize() override;
  void AdjustClientRect(win::RECT& Rect) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, win::POINT MousePos) override;
  void KeyDown(win::WORD& Key, TShiftState Shift) override;
  void CMDialogKey(TMessage& Message) override;
  void CMDialogChar(TMessage& Message) override;
  void CMFontChanged(TMessage& Message) override;
  void CMMouseLeave(TMessage& Message) override;
  void CMEnabledChanged(TMessage& Message) override;
  void CMParentColorChanged(TMessage& Message) override;

 private:
  class TView;
  friend class TView;

  void DeriveSelectedTabVisibleIndex();
  void ResetIndicesForLayout(int VisibleCount);
  void NavigatorButtonsChanged(TcxPCNavigatorButtons Old, TcxPCNavigatorButtons New);
  void SetNavigatorButtonState(TcxPCNavigatorButton Button, TcxPCNavigatorButtonState State);
  bool NavigatorButtonEnabled(TcxPCNavigatorButton Button);
  void UpdateNavigatorButtonsEnabled();
  void SetHotNavigatorButton(int Button);
  void SetHotTab(int TabVisibleIndex);
  void SetPressedTab(int TabVisibleIndex);
  void NavigatorButtonDown(TcxPCNavigatorButton Button);
  void NavigatorButtonUp(TcxPCNavigatorButton Button);
  void ReleasePressedNavigatorButton();
  void NavigatorTimerTick();
  void ResetNavigatorAfterGoDialog(int TabIndex);
  void SelectTabFromMouse(int TabVisibleIndex, bool Ctrl);
  void ApplyStyle(TcxPCStyleID Value);
  void SetSelectedTabs(bool Value);
  TcxTab* VisibleTab(int TabVisibleIndex) { return FTabs->VisibleTabs()->GetTab(TabVisibleIndex); }
  int VisibleCount() const { return FTabs->VisibleCount(); }
  void ReadClientRect(TReader* Reader, int Side);
  void WriteClientRect(TWriter* Writer, int Side);

  std::unique_ptr<TView> FView;
  std::unique_ptr<TcxTabs> FTabs;
  TcxTabLayout FLayout;
  std::unique_ptr<TcxPCCustomPainter> FPainter;
  std::unique_ptr<TcxPCImageList> FTabImages;
  std::unique_ptr<TcxTabSlants> FTabSlants;
  TcxTimer* FNavigatorTimer = nullptr;
  TcxPCGoDialog* FGoDialog = nullptr;

  bool FFocusable = true;
  bool FHideTabs = false;
  bool FHotTrack = false;
  int FImageBorder = 0;
  int FMaxRotatedTabWidth = 0;
  bool FMultiLine = false;
  TcxPCNavigatorPosition FNavigatorPosition = npRightTop;
  TcxPCOptions FOptions = cxPCDefaultOptions;
  bool FOwnerDraw = false;
  bool FRaggedRight = false;
  bool FRotate = false;
  bool FScrollOpposite = false;
  bool FShowFrame = false;
  TcxPCStyleID FStyle = cxPCDefaultStyle;
  std::int16_t FTabHeight = 0;
  TcxTabPosition FTabPosition = tpTop;
  std::int16_t FTabWidth = 0;

  int FTabIndex = -1;
  int FLoadedTabIndex = -1;
  bool FTabIndexStored = false;
  int FSelectedTabVisibleIndex = -1;
  int FHotTabVisibleIndex = -1;
  int FPressedTabVisibleIndex = -1;
  int FFocusedTabVisibleIndex = -1;
  int FMouseDownTabVisibleIndex = -1;
  bool FMultiSelectMode = false;
  int FChangeEventLock = 0;
  bool FInLayout = false;

  std::array<TcxPCNavigatorButtonState, 4> FNavigatorButtonStates{};
  int FHotNavigatorButton = -1;
  int FPressedNavigatorButton = -1;
  bool FGoDialogShowing = false;
  bool FGoDialogClosedByClick = false;

  TRect FStoredClientRect;
  bool FStoredClientRectValid = false;
};
