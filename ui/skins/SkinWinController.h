#pragma once
// Form skinning without the windows' cooperation: while the unit runs, a thread hook sees every
// window the user-interface thread creates or destroys, picks a window controller by the kind of
// window (a form, an MDI client area, a plain push button or panel), registers it and puts it in
// front of the window's procedure, so that it sees the window's messages first. A controller is
// hooked only while it has a skin painter; unskinned windows run without it.
#include <memory>
#include <vector>

#include "platform/classes/Forms.h"
#include "ui/controls/MouseTracking.h"
#include "ui/controls/WindowProcController.h"
#include "ui/foundation/Interfaced.h"
#include "ui/skins/SkinLookAndFeelPainter.h"

// Private messages of form skinning.
constexpr win::UINT SkinMsgRedraw = 0x8113;
constexpr win::UINT SkinMsgRefreshMDIFrame = 0x8114;
constexpr win::UINT SkinMsgAttached = 0x8115;
constexpr win::UINT SkinMsgAttachWindow = 0x8116;
constexpr win::UINT SkinMsgLabelsTransparent = 0x8117;
// Sent to a new window before it is attached; an answer other than 0 keeps it unskinned.
constexpr win::UINT SkinMsgQueryOwnSkin = 0x8118;

class TdxSkinWinController;
using TdxSkinWinControllerClass = std::unique_ptr<TdxSkinWinController> (*)(win::HWND Handle);

class TdxSkinWinController : public TcxIUnknownObject, public IcxMouseTrackingCaller {
  VW_CLASS(TdxSkinWinController, TcxIUnknownObject)
 public:
  explicit TdxSkinWinController(win::HWND AHandle);
  ~TdxSkinWinController() override;

  // ---- the slots, in their order ----
  virtual bool HasSkinPainter();
  virtual TdxSkinWinController* FindParentController(win::HWND AHandle);
  virtual bool CanSkinControl();
  virtual bool NeedsHook() { return HasSkinPainter(); }
  virtual void CallNextProc(TMessage& Message);
  virtual void Hook();
  virtual void Initialize() {}
  virtual void ForgetAsParent();
  virtual void Unhook();
  virtual void WndProc(TMessage& Message) { CallNextProc(Message); }
  virtual void MouseLeft() {}
  static bool IsMDIChild(win::HWND AHandle);
  static bool IsMDIClient(win::HWND AHandle);
  static bool IsPlainFormClass(win::HWND AHandle);
  virtual void FrameChanged();
  virtual void ResetSkinPainter();
  virtual void Update();

  void SetHandle(win::HWND AHandle);
  // The own painter, else the parent controller's.
  const TdxSkinLookAndFeelPainter* SkinPainter();
  // The name the skin painter is registered under; false when it has none.
  bool SkinName(String& Name);
  void Redraw(bool Now = false);
  bool IsHooked() const { return FHandle && FHookLink; }

  win::HWND Handle() const { return FHandle; }
  TWinControl* Control() const { return FControl; }
  TdxSkinWinController* ParentController() const { return FParentController; }
  void SetParentController(TdxSkinWinController* Value) { FParentController = Value; }
  void SetSkinPainter(const TdxSkinLookAndFeelPainter* Value) { FSkinPainter = Value; }
  const TdxSkinLookAndFeelPainter* OwnSkinPainter() const { return FSkinPainter; }

  // IcxMouseTrackingCaller
  void MouseLeave() override { MouseLeft(); }

  // Unhooks and forgets the window but keeps the control: the control is making a new window.
  void DropHandle();

 private:
  win::HWND FHandle = nullptr;
  const TdxSkinLookAndFeelPainter* FSkinPainter = nullptr;
  TdxSkinWinController* FParentController = nullptr;
  TWinControl* FControl = nullptr;
  TcxWindowProcLinkedObject* FHookLink = nullptr;
};

// The live window controllers.
class TdxSkinFormControllers : public TObject {
  VW_CLASS(TdxSkinFormControllers, TObject)
 public:
  TdxSkinFormControllers() = default;
  ~TdxSkinFormControllers() override { Clear(); }

  int Count() const { return static_cast<int>(FItems.size()); }
  TdxSkinWinController* Items(int Index) const { return FItems[static_cast<std::size_t>(Index)]; }
  void Add(TdxSkinWinController* Controller) { FItems.push_back(Controller); }
  // Takes the controller out without freeing it.
  void Extract(TdxSkinWinController* Controller);
  // Frees every controller.
  void Clear();
  TdxSkinWinController* FindByHandle(win::HWND Handle) const;
  // Nothing for a null control.
  TdxSkinWinController* FindByControl(TWinControl* Control) const;

 private:
  std::vector<TdxSkinWinController*> FItems;
};

// Null while the form-skinning unit is not running.
TdxSkinFormControllers* SkinFormControllerRegistry();

class TdxSkinFormHelper {
 public:
  // The control is given and its window does not opt out.
  static bool IsSkinnableForm(TWinControl* Control);
  static TCustomForm* FormOfWindow(win::HWND Handle);
  static TCustomForm* ActiveMDIChildOf(win::HWND Handle);
  static int FormBorderWidth(win::HWND Handle);
  static bool HasClientEdge(win::HWND Handle);
  static bool IsLayeredWindow(win::HWND Handle);
};

// The controller class of a window, or none; the unit start sets it to ChooseControllerClass.
extern TdxSkinWinControllerClass (*ControllerClassForWindow)(win::HWND Handle);
TdxSkinWinControllerClass ChooseControllerClass(win::HWND Handle);

void AttachNow(win::HWND Handle);
void AttachController(TdxSkinWinControllerClass Class, win::HWND Handle);
void DetachOnDestroy(win::HWND Handle);
// Whether the registry's controller of the window has a skin painter.
bool IsSkinnedWindow(win::HWND Handle);

// Hook, registries, attach window, scroll-bar procedures; started after the look-and-feel and the
// control services, ended before them.
void FormSkinsUnitStartup();
void FormSkinsUnitShutdown();
bool FormSkinsUnitRunning();
