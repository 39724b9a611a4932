#pragma once
// Window-procedure hook chains. Editors, the form-skinning layer and bar controls each watch
// windows they do not own; if each of them replaced the window procedure itself, removing the
// replacements in another order than they were made would break the others. Here every control
// (through its WindowProc) or plain window (through its window procedure) gets one chain: the
// procedure is replaced once, each hook sees a message from the newest to the oldest and passes it
// on with CallPreviousWindowProc, hooks may leave in any order, and the old procedure comes back
// when the last hook has left.
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Controls.h"

using TcxWindowProc = std::function<void(TMessage&)>;

// ---- the chain's storage ------------------------------------------------------------------------

class TcxDoublyLinkedObject : public TObject {
  VW_CLASS(TcxDoublyLinkedObject, TObject)
 public:
  TcxDoublyLinkedObject() = default;
  TcxDoublyLinkedObject* Prev() const { return FPrev; }
  TcxDoublyLinkedObject* Next() const { return FNext; }

 private:
  friend class TcxDoublyLinkedObjectList;
  TcxDoublyLinkedObject* FPrev = nullptr;
  TcxDoublyLinkedObject* FNext = nullptr;
};

// Owns its elements; Last is the newest.
class TcxDoublyLinkedObjectList : public TObject {
  VW_CLASS(TcxDoublyLinkedObjectList, TObject)
 public:
  TcxDoublyLinkedObjectList() = default;
  ~TcxDoublyLinkedObjectList() override;
  TcxDoublyLinkedObjectList(const TcxDoublyLinkedObjectList&) = delete;
  TcxDoublyLinkedObjectList& operator=(const TcxDoublyLinkedObjectList&) = delete;

  TcxDoublyLinkedObject* Last() const { return FLast; }
  // A new element linked after Last.
  virtual TcxDoublyLinkedObject* AddObject();
  virtual TcxDoublyLinkedObject* CreateLinkedObject();
  // Unlinks and frees Obj and clears the variable, when Obj is an element of this list; an object
  // of another list is left as it is.
  virtual void RemoveObject(TcxDoublyLinkedObject*& Obj);
  void RemoveAll();

 protected:
  // How an unlinked element goes; a chain that is dispatching keeps it until the dispatch is over.
  virtual void ReleaseObject(TcxDoublyLinkedObject* Obj) { delete Obj; }

 private:
  TcxDoublyLinkedObject* FLast = nullptr;
};

// ---- hooks -----------------------------------------------------------------------------------------

// One hook of a chain: set for a control's chain (Control) or a window's (Handle).
class TcxWindowProcLinkedObject : public TcxDoublyLinkedObject {
  VW_CLASS(TcxWindowProcLinkedObject, TcxDoublyLinkedObject)
 public:
  explicit TcxWindowProcLinkedObject(TControl* AControl) : FControl(AControl) {}
  explicit TcxWindowProcLinkedObject(win::HWND AHandle) : FHandle(AHandle) {}

  TControl* Control() const { return FControl; }
  win::HWND Handle() const { return FHandle; }
  TcxWindowProc WindowProc;

 private:
  TControl* FControl = nullptr;
  win::HWND FHandle = nullptr;
};

// ---- putting a chain in front of a window ---------------------------------------------------------

class TcxSubclassingHelper : public TObject {
  VW_CLASS(TcxSubclassingHelper, TObject)
 public:
  TcxSubclassingHelper() = default;
  // Reaches the procedure that was in place before the chain.
  TcxWindowProc DefaultWindowProc;
  virtual TcxWindowProcLinkedObject* CreateLinkedObject() = 0;
  virtual void RestoreDefaultWindowProc() = 0;
  virtual void SetWindowProc(TcxWindowProc Method) = 0;
};

// Swaps a control's WindowProc.
class TcxVCLSubclassingHelper : public TcxSubclassingHelper {
  VW_CLASS(TcxVCLSubclassingHelper, TcxSubclassingHelper)
 public:
  explicit TcxVCLSubclassingHelper(TControl* AControl) : FControl(AControl) {}
  TControl* Control() const { return FControl; }
  TcxWindowProcLinkedObject* CreateLinkedObject() override;
  void RestoreDefaultWindowProc() override;
  void SetWindowProc(TcxWindowProc Method) override;

 private:
  TControl* FControl;
};

// Replaces a window's procedure (GWL_WNDPROC). There are no per-object procedure thunks here:
// one static procedure finds the helper of the window it is called for.
class TcxWin32SubclassingHelper : public TcxSubclassingHelper {
  VW_CLASS(TcxWin32SubclassingHelper, TcxSubclassingHelper)
 public:
  explicit TcxWin32SubclassingHelper(win::HWND AHandle) : FHandle(AHandle) {}
  ~TcxWin32SubclassingHelper() override;
  win::HWND Handle() const { return FHandle; }
  win::WNDPROC PrevWndProc() const { return FPrevWndProc; }
  TcxWindowProcLinkedObject* CreateLinkedObject() override;
  void RestoreDefaultWindowProc() override;
  void SetWindowProc(TcxWindowProc Method) override;
  // Message.Result := the replaced procedure's answer.
  void CallPrevWndProc(TMessage& Message);

 private:
  static win::LRESULT HookedWndProc(win::HWND hwnd, win::UINT msg, win::WPARAM wParam, win::LPARAM lParam);
  win::WNDPROC FPrevWndProc = nullptr;
  TcxWindowProc FMethod;
  win::HWND FHandle;
  bool FInstalled = false;
};

// ---- the chain -------------------------------------------------------------------------------------

// The first element (without Prev) calls the procedure that was in place before; every later one
// holds a hook.
class TcxWindowProcLinkedObjectList : public TcxDoublyLinkedObjectList {
  VW_CLASS(TcxWindowProcLinkedObjectList, TcxDoublyLinkedObjectList)
 public:
  explicit TcxWindowProcLinkedObjectList(TControl* AControl);
  explicit TcxWindowProcLinkedObjectList(win::HWND AHandle);
  ~TcxWindowProcLinkedObjectList() override;

  TControl* Control() const { return FControl; }
  win::HWND Handle() const { return FHandle; }
  TcxSubclassingHelper* Subclasser() const { return FSubclasser.get(); }

  TcxDoublyLinkedObject* CreateLinkedObject() override;
  virtual void Initialize();
  TcxWindowProcLinkedObject* AddHook(TcxWindowProc WindowProc);
  // The chain's window procedure: the newest hook first.
  void Dispatch(TMessage& Message);
  bool OnlyFirstElementLeft() const { return Last() && !Last()->Prev(); }
  bool IsDispatching() const { return FDispatchLevel > 0; }

  // The window gets its previous procedure back at once (unless the control is already gone); the
  // chain itself is freed when the dispatch under way (if any) is over.
  void Retire(bool ARestore = true);

 protected:
  void ReleaseObject(TcxDoublyLinkedObject* Obj) override;

 private:
  void EndDispatch();

  TControl* FControl = nullptr;
  win::HWND FHandle = nullptr;
  std::unique_ptr<TcxSubclassingHelper> FSubclasser;
  // Hooks that left while a message was on its way through them: freed once it is through.
  std::vector<TcxDoublyLinkedObject*> FPendingRelease;
  int FDispatchLevel = 0;
  bool FRetired = false;
};

// ---- the registry ----------------------------------------------------------------------------------

class TcxWindowProcController : public TObject {
  VW_CLASS(TcxWindowProcController, TObject)
 public:
  TcxWindowProcController() = default;
  // Freeing the chains gives every window still hooked its previous procedure back.
  ~TcxWindowProcController() override;

  // The new hook, or null for a null control. A control without a window of its own gets a chain
  // on its WindowProc just the same.
  TcxWindowProcLinkedObject* HookControl(TControl* Control, TcxWindowProc WindowProc);
  // The new hook, or null for a null handle.
  TcxWindowProcLinkedObject* HookWindow(win::HWND Handle, TcxWindowProc WindowProc);
  // Removes the hook and clears the variable; nothing for null or for a hook whose chain is gone.
  // AControlGone: the hooked control is being freed and its parts are destroyed already (a free
  // notification), so its WindowProc is not written back.
  void Unhook(TcxWindowProcLinkedObject*& Obj, bool AControlGone = false);

  TcxWindowProcLinkedObjectList* FindByControl(TControl* Control) const;
  TcxWindowProcLinkedObjectList* FindByHandle(win::HWND Handle) const;
  int ChainCount() const { return static_cast<int>(FWindowProcObjects.size()); }

 private:
  std::vector<std::unique_ptr<TcxWindowProcLinkedObjectList>> FWindowProcObjects;
};

// The one controller, made on first call; null once the control unit has shut down.
TcxWindowProcController* WindowProcControllerInstance();
// Passes Message to the next older hook, or at the end to the previous window procedure. A hook
// that does not call it swallows the message.
void CallPreviousWindowProc(TcxWindowProcLinkedObject* Obj, TMessage& Message);

namespace controls_detail {
void FreeWindowProcController();
}
