#pragma once
// The accessible face of a piece of the bar library: a counted helper that stands beside one
// user-interface object (a dock site, a toolbar or menu window, a caption button, an item control)
// and describes it as a node of a tree. Descendants answer a small set of virtual operations; the
// helper turns them into the platform's IAccessible and IOleWindow answers, and the library's
// keyboard navigation walks the same tree.
//
// The owner keeps one reference and calls OwnerGone when it dies; whoever asked for IAccessible
// may keep the helper beyond that, and from then on every answer is empty.
#include "platform/classes/ActnList.h"
#include "platform/classes/Interface.h"
#include "platform/win/Accessibility.h"
#include "ui/bars/BarLookups.h"

inline constexpr win::IID IID_IcxAccessibilityHelper{
    0xD4890860, 0x09B2, 0x4648, {0xBD, 0x9E, 0xDF, 0xFB, 0xD1, 0x40, 0xE5, 0xF1}};
inline constexpr win::IID IID_IdxBarAccessibilityHelper{
    0x5AE17753, 0xA04D, 0x4496, {0xB5, 0xA3, 0x08, 0xB2, 0xCE, 0xDE, 0x40, 0xF7}};

// Navigation directions of the tree.
constexpr int dxNavLeft = 0, dxNavUp = 1, dxNavRight = 2, dxNavDown = 3, dxNavPrevious = 4, dxNavNext = 5;

// What a helper supports beyond roles and states.
constexpr unsigned cxAccessibleDefaultAction = 1, cxAccessibleDescription = 2, cxAccessibleFocus = 4,
                   cxAccessibleLocation = 8, cxAccessibleKeyboardShortcut = 16, cxAccessibleValue = 32;

// HitTestAt's answers.
constexpr int cxHitNothing = 0, cxHitObject = 1, cxHitChild = 2;

class TcxAccessibilityHelper : public TInterfacedObject,
                               public virtual IcxAccessibilityHelper,
                               public win::IAccessible,
                               public win::IOleWindow {
  VW_CLASS(TcxAccessibilityHelper, TInterfacedObject)
 public:
  using CreateArgType = TObject;
  explicit TcxAccessibilityHelper(TObject* AOwnerObject) : FOwnerObject(AOwnerObject) {}

  TObject* OwnerObject() const { return FOwnerObject; }
  bool IsOwnerObjectLive() const { return FIsOwnerObjectLive; }
  // The object lacks the invisible state bit.
  bool IsVisible();
  // The topmost helper above this one (itself without a parent).
  TcxAccessibilityHelper* RootHelper();
  // The IAccessible of this helper (no reference added).
  win::IAccessible* Accessible() { return this; }

  // ---- virtual operations, in slot order; ChildID 0 is the object itself ----
  // The owner is being destroyed: from now on nothing touches it.
  virtual void DetachOwner() { FIsOwnerObjectLive = false; }
  virtual bool IsPlainChildElement(int Index);
  virtual void PerformDefaultAction(int /*ChildID*/) {}
  virtual bool QueryFocus(bool& /*ChildFocused*/, int& /*ChildIndex*/) { return false; }
  virtual TcxAccessibilityHelper* ChildAt(int /*Index*/) { return nullptr; }
  virtual int CountChildren() { return 0; }
  virtual int IndexOfChild(TcxAccessibilityHelper* Child);
  virtual void DefaultActionText(int /*ChildID*/, String& Text) { Text.clear(); }
  virtual void DescriptionText(int /*ChildID*/, String& Text) { Text.clear(); }
  virtual int HitTestAt(int /*X*/, int /*Y*/, int& /*ChildIndex*/) { return cxHitNothing; }
  virtual void KeyboardAccess(int /*ChildID*/, TShortCut& ShortCut, String& AcceleratorText) {
    ShortCut = 0;
    AcceleratorText.clear();
  }
  virtual void NameText(int /*ChildID*/, String& Text) { Text.clear(); }
  virtual win::HWND OwnerWindow() { return nullptr; }
  virtual TcxAccessibilityHelper* ParentHelper() { return nullptr; }
  virtual int RoleOf(int /*ChildID*/) { return 0; }
  virtual bool IsSelectable() { return false; }
  virtual int StateOf(int /*ChildID*/) { return 0; }
  virtual unsigned SupportedProperties(int /*ChildID*/) { return 0; }
  virtual void ValueText(int ChildID, String& Text);
  virtual int NeighbourChild(int Index, int Direction);
  virtual void AssignValue(int /*ChildID*/, const String& /*Text*/) {}
  virtual void ScreenBounds(int /*ChildID*/, TRect& R) { R = {}; }

  // ---- IcxAccessibilityHelper ----
  TObject* HelperObject() override { return this; }
  void OwnerGone() override { DetachOwner(); }

  // ---- IUnknown ----
  win::HRESULT QueryInterface(win::REFIID riid, void** object) override;
  win::ULONG AddRef() override { return static_cast<win::ULONG>(_AddRef()); }
  win::ULONG Release() override { return static_cast<win::ULONG>(_Release()); }

  // ---- IDispatch: no type information ----
  win::HRESULT GetTypeInfoCount(win::UINT* count) override;
  win::HRESULT GetTypeInfo(win::UINT, win::LCID, win::ITypeInfo** info) override;
  win::HRESULT GetIDsOfNames(win::REFIID, win::LPOLESTR*, win::UINT, win::LCID, win::DISPID*) override;
  win::HRESULT Invoke(win::DISPID, win::REFIID, win::LCID, win::WORD, win::DISPPARAMS*, win::VARIANT*,
                      win::EXCEPINFO*, win::UINT*) override;

  // ---- IAccessible ----
  win::HRESULT get_accParent(win::IDispatch** parent) override;
  win::HRESULT get_accChildCount(win::LONG* count) override;
  win::HRESULT get_accChild(win::VARIANT child, win::IDispatch** dispatch) override;
  win::HRESULT get_accName(win::VARIANT child, win::BSTR* name) override;
  win::HRESULT get_accValue(win::VARIANT child, win::BSTR* value) override;
  win::HRESULT get_accDescription(win::VARIANT child, win::BSTR* description) override;
  win::HRESULT get_accRole(win::VARIANT child, win::VARIANT* role) override;
  win::HRESULT get_accState(win::VARIANT child, win::VARIANT* state) override;
  win::HRESULT get_accHelp(win::VARIANT child, win::BSTR* help) override;
  win::HRESULT get_accHelpTopic(win::BSTR* helpFile, win::VARIANT child, win::LONG* topic) override;
  win::HRESULT get_accKeyboardShortcut(win::VARIANT child, win::BSTR* shortcut) override;
  win::HRESULT get_accFocus(win::VARIANT* child) override;
  win::HRESULT get_accSelection(win::VARIANT* children) override;
  win::HRESULT get_accDefaultAction(win::VARIANT child, win::BSTR* action) override;
  win::HRESULT accSelect(win::LONG flags, win::VARIANT child) override;
  win::HRESULT accLocation(win::LONG* left, win::LONG* top, win::LONG* width, win::LONG* height,
                           win::VARIANT child) override;
  win::HRESULT accNavigate(win::LONG direction, win::VARIANT start, win::VARIANT* end) override;
  win::HRESULT accHitTest(win::LONG x, win::LONG y, win::VARIANT* child) override;
  win::HRESULT accDoDefaultAction(win::VARIANT child) override;
  win::HRESULT put_accName(win::VARIANT child, win::BSTR name) override;
  win::HRESULT put_accValue(win::VARIANT child, win::BSTR value) override;

  // ---- IOleWindow ----
  win::HRESULT GetWindow(win::HWND* hwnd) override;
  win::HRESULT ContextSensitiveHelp(win::BOOL) override { return win::S_OK; }

  // The platform's NAVDIR as a direction of the tree.
  static int NavigationDirection(win::LONG NavDir);

 protected:
  // What a query by identifier answers beyond IUnknown, IDispatch, IAccessible, IOleWindow and
  // IcxAccessibilityHelper; nil for nothing.
  virtual void* InterfaceFor(win::REFIID riid);
  // False with Result set when the owner is gone or the variant names no child of this helper;
  // ChildID is then 0 for the object itself or the index of a plain child element.
  bool ResolveChildID(const win::VARIANT& VarChild, int& ChildID, win::HRESULT& Result);
  // A child number that names a full child becomes that child's object.
  void WrapChildResult(win::VARIANT& V);

 private:
  TObject* FOwnerObject;
  bool FIsOwnerObjectLive = true;
};

// A helper of the class for the owner, holding the owner's reference; nil without a class.
TcxAccessibilityHelper* CreateAccessibilityHelper(TClass AClass, TObject* AOwner);
// The owner goes: the helper forgets it and the owner's reference is dropped (the helper lives on
// while someone else holds it). Clears the variable.
void DetachAccessibilityHelper(TcxAccessibilityHelper*& AHelper);
void DetachAccessibilityHelper(TObject*& AHelper);

// The accessibility library, bound by name at the first start-up and freed at the last shutdown.
void AccessibilityUnitStartup();
void AccessibilityUnitShutdown();
using TAccessibleObjectFromWindow = win::HRESULT (*)(win::HWND, win::DWORD, win::REFIID, void**);
using TLresultFromObject = win::LRESULT (*)(win::REFIID, win::WPARAM, win::IUnknown*);
// Nil while the library is not bound.
TAccessibleObjectFromWindow BoundAccessibleObjectFromWindow();
TLresultFromObject BoundLresultFromObject();
