#pragma once
// Forms, the screen, the mouse and the application that runs the message loop.
#include <atomic>
#include <functional>
#include <vector>

#include "platform/classes/Controls.h"
#include "platform/classes/Icon.h"
#include "platform/classes/Strings.h"

class THintWindow;
class TMenuItem;

VW_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
VW_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
VW_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
        poMainFormCenter, poOwnerFormCenter)
VW_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
VW_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
VW_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)
VW_ENUM(TDefaultMonitor, dmDesktop, dmPrimary, dmMainForm, dmActiveForm)
VW_ENUM(TFormStateItem, fsCreating, fsVisible, fsShowing, fsModal, fsCreatedMDIChild, fsActivated)
using TFormState = TSet<TFormStateItem>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TExceptionEvent = std::function<void(TObject* Sender, Exception& E)>;
using TShortCutEvent = std::function<void(TMessage& Msg, bool& Handled)>;
using TMessageEvent = std::function<void(win::MSG& Msg, bool& Handled)>;
using TIdleEvent = std::function<void(TObject* Sender, bool& Done)>;
using THelpEvent = std::function<bool(win::WORD Command, std::intptr_t Data, bool& CallHelp)>;
using TShowHintEvent = std::function<void(String& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TCustomForm : public TWinControl {
  VW_CLASS(TCustomForm, TWinControl)
 public:
  // Reads the form's stored description (the FORM resource named after its class) once the
  // most-derived constructor has run, then runs OnCreate: create forms through their class
  // (Application->CreateForm, TComponent::Create), which runs AfterConstruction.
  explicit TCustomForm(TComponent* AOwner);
  // A form without a stored description.
  TCustomForm(TComponent* AOwner, int Dummy);
  ~TCustomForm() override;
  static void DeclareProperties(TPropTable& t);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const;
  void SetWindowState(TWindowState Value);
  int ClientWidthProp() { return ClientWidth(); }
  int ClientHeightProp() { return ClientHeight(); }
  // While the form is read, the stored client size is kept and applied once the menu (which
  // takes room from the client area) is known.
  void SetClientWidthProp(int Value);
  void SetClientHeightProp(int Value);
  win::RECT ClientRect() override;
  bool AlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  std::uint8_t AlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(std::uint8_t Value);
  bool TransparentColor() const { return FTransparentColor; }
  void SetTransparentColor(bool Value);
  TColor TransparentColorValue() const { return FTransparentColorValue; }
  void SetTransparentColorValue(TColor Value);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // An MDI form's documents: the client window they live in, the active one, and all of them
  // (the most recently active first). The window menu's item lists them.
  win::HWND ClientHandle() const { return FClientHandle; }
  TCustomForm* ActiveMDIChild();
  int MDIChildCount();
  TCustomForm* MDIChildren(int Index);
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* Value);
  void Next();
  void Previous();
  void ArrangeIcons() {}
  void DefaultHandler(TMessage& Message) override;
  // OnShortCut, then the main menu's shortcuts. True when the key was taken.
  virtual bool IsShortCut(TMessage& Message);
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  bool Active() const { return FActive; }
  TFormState FormState() const { return FFormState; }
  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int Value) { FTextHeight = Value; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  TCanvas* Canvas() const { return FCanvas; }
  TIcon* Icon() const { return FIcon; }
  void SetIcon(TIcon* Value) { FIcon->Assign(Value); }
  // Kept as stored; this system's forms do not scroll.
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& Value) { FHelpFile = Value; }
  TDefaultMonitor DefaultMonitor() const { return FDefaultMonitor; }
  void SetDefaultMonitor(TDefaultMonitor Value) { FDefaultMonitor = Value; }

  void Show();
  void Hide();
  void Close();
  bool CloseQuery();
  virtual int ShowModal();
  // Destroys the form once the messages now queued for it have run.
  void Release();
  void FocusControl(TWinControl* Control);
  virtual bool SetFocusedControl(TWinControl* Control);
  void DefocusControl(TWinControl* Control, bool Removing);
  void SetFocus() override;
  bool Focused() override;
  bool CanFocus() override;
  void SelectFirst();
  void Print() {}

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TShortCutEvent OnShortCut;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWindowHandle() override;
  void AlignControls(TControl* AControl, win::RECT& Rect) override;
  void Loaded() override;
  void ReadState(TReader* Reader) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Dispatch(TMessage& Message) override;

 public:
  // The controls, then (for the form itself as the root) the components it owns that no parent
  // writes: actions, menus, timers, bar managers.
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

 protected:
  void PaintWindow(win::HDC DC) override;
  void WMPaint(TMessage& Message) override;
  void WMPrintClient(TMessage& Message) override;
  bool Showing() const override { return FShowing; }
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  virtual void Paint();
  void UpdateLayered();
  void ApplyPosition();

  void CMShowingChanged(TMessage& Message) override;
  void CMDialogKey(TMessage& Message) override;
  void CMVisibleChanged(TMessage& Message) override;
  virtual void WMClose(TMessage& Message);
  virtual void WMActivate(TMessage& Message);
  // CM_ACTIVATE or CM_DEACTIVATE, on which Activate and Deactivate run.
  void NotifyActivation(win::UINT Msg);
  virtual void CMRelease(TMessage& Message);
  virtual void WMMDIActivate(TMessage& Message);
  // The frame's menus as the window system should know them: its bar and its window menu.
  void UpdateMDIMenus();
  void ActivateWindow();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TPosition FPosition = poDefaultPosOnly;
  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  bool FAlphaBlend = false;
  std::uint8_t FAlphaBlendValue = 255;
  bool FTransparentColor = false;
  TColor FTransparentColorValue = clBlack;
  TMainMenu* FMenu = nullptr;
  win::HWND FClientHandle = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  TWinControl* FActiveControl = nullptr;
  TWinControl* FFocusedControl = nullptr;
  bool FKeyPreview = false;
  TModalResult FModalResult = mrNone;
  bool FActive = false;
  TFormState FFormState;
  bool FOldCreateOrder = false;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  bool FScaled = true;
  bool FCreatedNew = false;
  int FClientWidth = 0;
  int FClientHeight = 0;
  bool FDestroyed = false;
  TCanvas* FCanvas;
  TIcon* FIcon;
  bool FAutoScroll = true;
  String FHelpFile;
  TDefaultMonitor FDefaultMonitor = dmActiveForm;

  friend class TApplication;
  friend class TScreen;
  friend class TMenu;
};

class TForm : public TCustomForm {
  VW_CLASS(TForm, TCustomForm)
 public:
  using TCustomForm::TCustomForm;
  static void DeclareProperties(TPropTable& t);
};

// ---- screen and mouse ------------------------------------------------------------------------------

class TMonitor : public TObject {
  VW_CLASS(TMonitor, TObject)
 public:
  win::HMONITOR Handle() const { return FHandle; }
  int MonitorNum() const { return FMonitorNum; }
  win::RECT BoundsRect() const;
  win::RECT WorkareaRect() const;
  int Left() const { return BoundsRect().left; }
  int Top() const { return BoundsRect().top; }
  int Width() const { return BoundsRect().right - BoundsRect().left; }
  int Height() const { return BoundsRect().bottom - BoundsRect().top; }
  bool Primary() const { return true; }

 private:
  friend class TScreen;
  win::HMONITOR FHandle = nullptr;
  int FMonitorNum = 0;
};

class TScreen : public TComponent {
  VW_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner);
  ~TScreen() override;

  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int Index) const { return FForms.at(static_cast<std::size_t>(Index)); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  TWinControl* ActiveControl() const { return FActiveControl; }
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  win::HCURSOR Cursors(int Index);
  void SetCursors(int Index, win::HCURSOR Handle);
  TStrings* Fonts();
  // Enumerates the fonts again at the next Fonts().
  void ResetFonts();
  int MonitorCount() { return static_cast<int>(Monitors().size()); }
  const std::vector<TMonitor*>& Monitors();
  TMonitor* MonitorFromPoint(win::POINT Point);
  TMonitor* MonitorFromWindow(win::HWND Handle);
  win::RECT WorkAreaRect() const;
  int WorkAreaWidth() const { return WorkAreaRect().right - WorkAreaRect().left; }
  int WorkAreaHeight() const { return WorkAreaRect().bottom - WorkAreaRect().top; }
  int Width() const;
  int Height() const;
  int DesktopWidth() const { return Width(); }
  int DesktopHeight() const { return Height(); }
  int PixelsPerInch() const { return platform::ScreenPixelsPerInch(); }
  TFont* HintFont() const { return FHintFont; }
  TFont* MenuFont() const { return FMenuFont; }
  TFont* IconFont() const { return FIconFont; }
  TNotifyEvent OnActiveControlChange;
  TNotifyEvent OnActiveFormChange;

 private:
  friend class TCustomForm;
  friend class TApplication;
  void AddForm(TCustomForm* Form);
  void RemoveForm(TCustomForm* Form);
  void SetActiveForm(TCustomForm* Form);
  void SetActiveControl(TWinControl* Control);

  std::vector<TCustomForm*> FForms;
  TCustomForm* FActiveForm = nullptr;
  TWinControl* FActiveControl = nullptr;
  TCursor FCursor = crDefault;
  std::vector<std::pair<int, win::HCURSOR>> FCursors;
  TStringList* FFonts = nullptr;
  std::vector<TMonitor*> FMonitors;
  TFont* FHintFont;
  TFont* FMenuFont;
  TFont* FIconFont;
};

class TMouse : public TObject {
  VW_CLASS(TMouse, TObject)
 public:
  win::POINT CursorPos() const;
  void SetCursorPos(win::POINT Value);
  int DragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(int Value) { FDragThreshold = Value; }
  // Follows the user's setting (SPI_GETWHEELSCROLLLINES).
  int WheelScrollLines() const;
  bool MousePresent() const { return true; }
  bool WheelPresent() const { return true; }
  win::HWND Capture() const;

 private:
  int FDragThreshold = 5;
};

// ---- the application -------------------------------------------------------------------------------

class TApplication : public TComponent {
  VW_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  void Initialize();
  // Creates a form of the class; Reference is set before its OnCreate runs. The first form
  // created is the main form.
  TCustomForm* CreateForm(TClass InstanceClass);
  template <class T>
  void CreateForm(T*& Reference) {
    FPendingReference = [&Reference](TComponent* c) { Reference = dynamic_cast<T*>(c); };
    CreateForm(T::StaticClass());
  }
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  void ProcessMessages();
  void HandleMessage();
  // Shows the exception being handled (call from a catch block); EAbort passes silently.
  void HandleException(TObject* Sender);
  void ShowException(Exception& E);
  int MessageBox(const String& Text, const String& Caption, int Flags = 0);
  // Asks OnHelp for the help topic; there is no help viewer of its own, so without a handler
  // nothing is shown and the answer is false.
  bool HelpContext(int Context);
  void Minimize();
  void Restore();
  void BringToFront();
  void CancelHint();
  void ActivateHint(win::POINT CursorPos);
  void HideHint();
  // The control under the mouse, for hints and CM_MOUSEENTER / CM_MOUSELEAVE.
  void HintMouseMessage(TControl* Control, TMessage& Message);
  void ControlDestroying(TControl* Control);

  win::HWND Handle();
  TCustomForm* MainForm() const { return FMainForm; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value);
  String ExeName() const;
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  int HintPause() const { return FHintPause; }
  void SetHintPause(int Value) { FHintPause = Value; }
  int HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(int Value) { FHintShortPause = Value; }
  int HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(int Value) { FHintHidePause = Value; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  // A control's hint names its action's shortcut too, as "Save (Ctrl+S)".
  bool HintShortCuts() const { return FHintShortCuts; }
  void SetHintShortCuts(bool Value) { FHintShortCuts = Value; }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }
  bool Active() const { return FActive; }
  THintWindow* HintWindow() const { return FHintWindow; }

  TExceptionEvent OnException;
  TNotifyEvent OnHint;
  TIdleEvent OnIdle;
  TShowHintEvent OnShowHint;
  THelpEvent OnHelp;
  TMessageEvent OnMessage;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // Shows message boxes for the application; tests and hosts without the window system's
  // message box put their own here.
  using TMessageBoxFunc = int (*)(win::HWND Owner, const String& Text, const String& Caption, int Flags);
  static TMessageBoxFunc SetMessageBoxFunc(TMessageBoxFunc Func);

 private:
  friend class TCustomForm;
  bool ProcessMessage(win::MSG& Msg);
  void Idle(const win::MSG& Msg);
  bool IsKeyMsg(win::MSG& Msg);
  bool IsHintMsg(win::MSG& Msg);
  void ActiveChanged(bool Active);
  void DoMouseIdle();
  void DoActionIdle();
  void HintTimerExpired();
  static win::LRESULT AppWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);

  win::HWND FHandle = nullptr;
  // Read by worker threads that wake the loop.
  std::atomic<win::HWND> FWakeHandle{nullptr};
  TCustomForm* FMainForm = nullptr;
  String FTitle;
  String FHint;
  TColor FHintColor = clInfoBk;
  int FHintPause = 500;
  int FHintShortPause = 50;
  int FHintHidePause = 2500;
  bool FShowHint = true;
  bool FHintShortCuts = true;
  bool FShowMainForm = true;
  bool FTerminated = false;
  bool FActive = true;
  bool FHandleCreated = false;
  THintWindow* FHintWindow = nullptr;
  TControl* FHintControl = nullptr;
  bool FHintActive = false;
  win::RECT FHintCursorRect{};
  int FModalLevel = 0;
  std::function<void(TComponent*)> FPendingReference;
};

extern TApplication* Application;
extern TScreen* Screen;
extern TMouse* Mouse;

// "short|long": the hint window shows the short part, Application->Hint (for status bars) the long.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

// Whether Key is the accelerator of Caption (the letter after a single '&'), without regard to case.
bool IsAccel(unsigned Key, const String& Caption);

// Creates the application, the screen and the mouse objects (once), and frees them again.
void InitializeForms();
void FinalizeForms();

// Called by Application->Initialize when set. A unit that wants to run then chains itself: it
// keeps the hook it found and calls it first.
extern void (*InitProc)();
