#include "ui/bars/Accessibility.h"

#include "platform/classes/Menus.h"
#include "platform/classes/SysUtils.h"
#include "platform/system/Modules.h"
#include "platform/win/Window.h"
#include "ui/bars/BarRoutines.h"
#include "ui/controls/ControlServices.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/Geometry.h"

using namespace win;

namespace {

int gUnitStarts = 0;
HMODULE gOleacc = nullptr;
TAccessibleObjectFromWindow gAccessibleObjectFromWindow = nullptr;
TLresultFromObject gLresultFromObject = nullptr;

// The number a variant carries; false for variants that hold no integer.
bool IntegerOf(const VARIANT& V, LONG& N) {
  switch (V.vt) {
    case VT_I4:
    case VT_INT: N = V.lVal; return true;
    case VT_I2: N = V.iVal; return true;
    case VT_UI2: N = static_cast<std::uint16_t>(V.iVal); return true;
    case VT_I1: N = static_cast<signed char>(V.lVal & 0xFF); return true;
    case VT_UI1: N = V.lVal & 0xFF; return true;
    case VT_UI4:
    case VT_UINT: N = V.lVal; return N >= 0;
    default: return false;
  }
}

void SetInteger(VARIANT& V, LONG N) {
  V.vt = VT_I4;
  V.lVal = N;
}

// S_OK with the text, S_FALSE (and nil) for an empty one.
HRESULT StringResult(const String& Text, BSTR* Out) {
  *Out = Text.empty() ? nullptr : SysAllocString(Text.c_str());
  return Text.empty() ? S_FALSE : S_OK;
}

[[noreturn]] void MustBeProvided(const char* What) {
  throw EdxException(String("The accessibility helper does not provide ") + What);
}

}  // namespace

// ---- tree ---------------------------------------------------------------------------------------

bool TcxAccessibilityHelper::IsVisible() { return (StateOf(0) & STATE_SYSTEM_INVISIBLE) == 0; }

TcxAccessibilityHelper* TcxAccessibilityHelper::RootHelper() {
  TcxAccessibilityHelper* helper = this;
  while (TcxAccessibilityHelper* parent = helper->ParentHelper()) helper = parent;
  return helper;
}

bool TcxAccessibilityHelper::IsPlainChildElement(int) { MustBeProvided("IsPlainChildElement"); }
int TcxAccessibilityHelper::IndexOfChild(TcxAccessibilityHelper*) { MustBeProvided("IndexOfChild"); }
void TcxAccessibilityHelper::ValueText(int, String&) { MustBeProvided("ValueText"); }
int TcxAccessibilityHelper::NeighbourChild(int, int) { MustBeProvided("NeighbourChild"); }

int TcxAccessibilityHelper::NavigationDirection(LONG NavDir) {
  switch (NavDir) {
    case NAVDIR_DOWN: return dxNavDown;
    case NAVDIR_LEFT: return dxNavLeft;
    case NAVDIR_RIGHT: return dxNavRight;
    case NAVDIR_NEXT: return dxNavNext;
    case NAVDIR_PREVIOUS: return dxNavPrevious;
    default: return dxNavUp;
  }
}

// ---- interfaces ---------------------------------------------------------------------------------

void* TcxAccessibilityHelper::InterfaceFor(REFIID riid) {
  if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) return static_cast<IAccessible*>(this);
  if (riid == IID_IOleWindow) return static_cast<IOleWindow*>(this);
  if (riid == IID_IcxAccessibilityHelper) return static_cast<IcxAccessibilityHelper*>(this);
  return nullptr;
}

HRESULT TcxAccessibilityHelper::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = InterfaceFor(riid);
  if (!*object) return E_NOINTERFACE;
  _AddRef();
  return S_OK;
}

HRESULT TcxAccessibilityHelper::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return E_NOTIMPL;
}
HRESULT TcxAccessibilityHelper::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT TcxAccessibilityHelper::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT TcxAccessibilityHelper::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

bool TcxAccessibilityHelper::ResolveChildID(const VARIANT& VarChild, int& ChildID, HRESULT& Result) {
  ChildID = 0;
  if (!FIsOwnerObjectLive) {
    Result = S_OK;
    return false;
  }
  LONG n = 0;
  // Numbers below the object itself name nothing.
  if (!IntegerOf(VarChild, n) || n < 0) {
    Result = E_INVALIDARG;
    return false;
  }
  if (n == CHILDID_SELF) return true;
  if (n > CountChildren() || !IsPlainChildElement(n - 1)) {
    Result = E_INVALIDARG;
    return false;
  }
  ChildID = n - 1;
  return true;
}

void TcxAccessibilityHelper::WrapChildResult(VARIANT& V) {
  if (V.vt != VT_I4 || V.lVal <= 0 || V.lVal > CountChildren() || IsPlainChildElement(V.lVal - 1)) return;
  TcxAccessibilityHelper* child = ChildAt(V.lVal - 1);
  if (!child) return;
  child->AddRef();
  V.vt = VT_DISPATCH;
  V.pdispVal = child;
}

HRESULT TcxAccessibilityHelper::get_accParent(IDispatch** parent) {
  if (!parent) return E_POINTER;
  *parent = nullptr;
  if (!FIsOwnerObjectLive) return S_OK;
  if (TcxAccessibilityHelper* helper = ParentHelper()) {
    helper->AddRef();
    *parent = helper;
  } else if (HWND window = OwnerWindow(); window && gAccessibleObjectFromWindow) {
    HWND above = IsChildWindowStyle(window) ? GetParent(window) : GetDesktopWindow();
    void* object = nullptr;
    if (SUCCEEDED(gAccessibleObjectFromWindow(above, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch, &object)))
      *parent = static_cast<IDispatch*>(object);
  }
  return *parent ? S_OK : S_FALSE;
}

HRESULT TcxAccessibilityHelper::get_accChildCount(LONG* count) {
  if (!count) return E_POINTER;
  *count = 0;
  if (FIsOwnerObjectLive) *count = CountChildren();
  return S_OK;
}

HRESULT TcxAccessibilityHelper::get_accChild(VARIANT child, IDispatch** dispatch) {
  if (!dispatch) return E_POINTER;
  *dispatch = nullptr;
  if (!FIsOwnerObjectLive) return S_OK;
  LONG n = 0;
  // The object itself is no child of its own.
  if (!IntegerOf(child, n) || n < 1 || n > CountChildren()) return E_INVALIDARG;
  if (IsPlainChildElement(n - 1)) return S_FALSE;
  TcxAccessibilityHelper* helper = ChildAt(n - 1);
  if (!helper) return S_FALSE;
  helper->AddRef();
  *dispatch = helper;
  return S_OK;
}

HRESULT TcxAccessibilityHelper::get_accName(VARIANT child, BSTR* name) {
  if (!name) return E_POINTER;
  *name = nullptr;
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  String text;
  NameText(id, text);
  return StringResult(text, name);
}

HRESULT TcxAccessibilityHelper::get_accValue(VARIANT child, BSTR* value) {
  if (!value) return E_POINTER;
  *value = nullptr;
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(id) & cxAccessibleValue)) return DISP_E_MEMBERNOTFOUND;
  String text;
  ValueText(id, text);
  *value = text.empty() ? nullptr : SysAllocString(text.c_str());
  return S_OK;
}

HRESULT TcxAccessibilityHelper::get_accDescription(VARIANT child, BSTR* description) {
  if (!description) return E_POINTER;
  *description = nullptr;
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(id) & cxAccessibleDescription)) return DISP_E_MEMBERNOTFOUND;
  String text;
  DescriptionText(id, text);
  return StringResult(text, description);
}

HRESULT TcxAccessibilityHelper::get_accRole(VARIANT child, VARIANT* role) {
  if (!role) return E_POINTER;
  VariantInit(role);
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  SetInteger(*role, RoleOf(id));
  return S_OK;
}

HRESULT TcxAccessibilityHelper::get_accState(VARIANT child, VARIANT* state) {
  if (!state) return E_POINTER;
  VariantInit(state);
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  SetInteger(*state, StateOf(id));
  return S_OK;
}

HRESULT TcxAccessibilityHelper::get_accHelp(VARIANT, BSTR* help) {
  if (help) *help = nullptr;
  return FIsOwnerObjectLive ? DISP_E_MEMBERNOTFOUND : S_OK;
}

HRESULT TcxAccessibilityHelper::get_accHelpTopic(BSTR* helpFile, VARIANT, LONG* topic) {
  if (helpFile) *helpFile = nullptr;
  if (topic) *topic = 0;
  return FIsOwnerObjectLive ? DISP_E_MEMBERNOTFOUND : S_OK;
}

HRESULT TcxAccessibilityHelper::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  if (!shortcut) return E_POINTER;
  *shortcut = nullptr;
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(id) & cxAccessibleKeyboardShortcut)) return DISP_E_MEMBERNOTFOUND;
  TShortCut key = 0;
  String accelerated;
  KeyboardAccess(id, key, accelerated);
  String text;
  if (const int at = AcceleratorPosition(accelerated, true); at > 0)
    text = AnsiUpperCase(Copy(accelerated, at, 1));
  else
    text = ShortCutToText(key);
  return StringResult(text, shortcut);
}

HRESULT TcxAccessibilityHelper::get_accFocus(VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!FIsOwnerObjectLive) return S_OK;
  if (!(SupportedProperties(0) & cxAccessibleFocus)) return DISP_E_MEMBERNOTFOUND;
  bool childFocused = false;
  int index = 0;
  if (!QueryFocus(childFocused, index)) return S_FALSE;
  SetInteger(*child, childFocused ? index + 1 : 0);
  WrapChildResult(*child);
  return S_OK;
}

HRESULT TcxAccessibilityHelper::get_accSelection(VARIANT* children) {
  if (children) VariantInit(children);
  return FIsOwnerObjectLive ? DISP_E_MEMBERNOTFOUND : S_OK;
}

HRESULT TcxAccessibilityHelper::get_accDefaultAction(VARIANT child, BSTR* action) {
  if (!action) return E_POINTER;
  *action = nullptr;
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(id) & cxAccessibleDefaultAction)) return DISP_E_MEMBERNOTFOUND;
  String text;
  DefaultActionText(id, text);
  *action = text.empty() ? nullptr : SysAllocString(text.c_str());
  return S_OK;
}

HRESULT TcxAccessibilityHelper::accSelect(LONG, VARIANT) { return FIsOwnerObjectLive ? DISP_E_MEMBERNOTFOUND : S_OK; }

HRESULT TcxAccessibilityHelper::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
  if (!left || !top || !width || !height) return E_POINTER;
  *left = *top = *width = *height = 0;
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(0) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
  TRect r;
  ScreenBounds(id, r);
  *left = r.Left;
  *top = r.Top;
  *width = r.Right - r.Left;
  *height = r.Bottom - r.Top;
  return S_OK;
}

HRESULT TcxAccessibilityHelper::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
  if (!end) return E_POINTER;
  VariantInit(end);
  if (!FIsOwnerObjectLive) return S_OK;
  LONG from = 0;
  if (!IntegerOf(start, from) || from < 0) return E_INVALIDARG;
  if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) {
    if (from != CHILDID_SELF) return E_INVALIDARG;
    if (!(SupportedProperties(0) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
    const int count = CountChildren();
    if (count == 0) return S_FALSE;
    SetInteger(*end, direction == NAVDIR_FIRSTCHILD ? 1 : count);
    WrapChildResult(*end);
    return S_OK;
  }
  if (from == CHILDID_SELF) {
    // The object's neighbours are its parent's to find; the parent wraps what it answers.
    TcxAccessibilityHelper* parent = ParentHelper();
    if (!parent) return S_FALSE;
    if (!parent->IsOwnerObjectLive()) return S_OK;
    if (!(parent->SupportedProperties(0) & cxAccessibleLocation)) return S_FALSE;
    const int index = parent->IndexOfChild(this);
    if (index < 0) return S_FALSE;
    VARIANT self;
    SetInteger(self, index + 1);
    return parent->accNavigate(direction, self, end) == S_OK ? S_OK : S_FALSE;
  }
  const int count = CountChildren();
  if (from > count) return E_INVALIDARG;
  if (!(SupportedProperties(0) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
  const int n = NeighbourChild(from - 1, NavigationDirection(direction));
  if (n == from - 1 || n < 0 || n >= count) return S_FALSE;
  SetInteger(*end, n + 1);
  WrapChildResult(*end);
  return S_OK;
}

HRESULT TcxAccessibilityHelper::accHitTest(LONG x, LONG y, VARIANT* child) {
  if (!child) return E_POINTER;
  VariantInit(child);
  if (!FIsOwnerObjectLive) return S_OK;
  if (!(SupportedProperties(0) & cxAccessibleLocation)) return DISP_E_MEMBERNOTFOUND;
  TRect bounds;
  ScreenBounds(0, bounds);
  if (!RectContainsXY(bounds, x, y)) return S_FALSE;
  int index = 0;
  switch (HitTestAt(x, y, index)) {
    case cxHitObject: SetInteger(*child, CHILDID_SELF); break;
    case cxHitChild:
      SetInteger(*child, index + 1);
      WrapChildResult(*child);
      break;
    default: break;
  }
  return child->vt != VT_EMPTY ? S_OK : S_FALSE;
}

HRESULT TcxAccessibilityHelper::accDoDefaultAction(VARIANT child) {
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(id) & cxAccessibleDefaultAction)) return DISP_E_MEMBERNOTFOUND;
  PerformDefaultAction(id);
  return S_OK;
}

HRESULT TcxAccessibilityHelper::put_accName(VARIANT, BSTR) { return FIsOwnerObjectLive ? DISP_E_MEMBERNOTFOUND : S_OK; }

HRESULT TcxAccessibilityHelper::put_accValue(VARIANT child, BSTR value) {
  int id = 0;
  HRESULT result = S_OK;
  if (!ResolveChildID(child, id, result)) return result;
  if (!(SupportedProperties(id) & cxAccessibleValue)) return DISP_E_MEMBERNOTFOUND;
  AssignValue(id, value ? String(value, SysStringLen(value)) : String());
  return S_OK;
}

HRESULT TcxAccessibilityHelper::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = nullptr;
  if (FIsOwnerObjectLive) *hwnd = OwnerWindow();
  return S_OK;
}

// ---- owners -------------------------------------------------------------------------------------

TcxAccessibilityHelper* CreateAccessibilityHelper(TClass AClass, TObject* AOwner) {
  if (!AClass || !AClass->CanCreate()) return nullptr;
  TObject* made = AClass->Create(AOwner);
  auto* helper = dynamic_cast<TcxAccessibilityHelper*>(made);
  if (!helper) {
    delete made;
    return nullptr;
  }
  helper->_AddRef();
  return helper;
}

void DetachAccessibilityHelper(TcxAccessibilityHelper*& AHelper) {
  TcxAccessibilityHelper* helper = AHelper;
  AHelper = nullptr;
  if (!helper) return;
  helper->OwnerGone();
  helper->_Release();
}

void DetachAccessibilityHelper(TObject*& AHelper) {
  auto* helper = dynamic_cast<TcxAccessibilityHelper*>(AHelper);
  AHelper = nullptr;
  DetachAccessibilityHelper(helper);
}

// ---- the accessibility library ------------------------------------------------------------------

void AccessibilityUnitStartup() {
  if (gUnitStarts++ > 0) return;
  gOleacc = LoadLibrary("oleacc.dll");
  if (!gOleacc) return;
  gAccessibleObjectFromWindow =
      reinterpret_cast<TAccessibleObjectFromWindow>(GetProcAddress(gOleacc, "AccessibleObjectFromWindow"));
  gLresultFromObject = reinterpret_cast<TLresultFromObject>(GetProcAddress(gOleacc, "LresultFromObject"));
}

void AccessibilityUnitShutdown() {
  if (gUnitStarts == 0 || --gUnitStarts > 0) return;
  gAccessibleObjectFromWindow = nullptr;
  gLresultFromObject = nullptr;
  if (gOleacc) FreeLibrary(gOleacc);
  gOleacc = nullptr;
}

TAccessibleObjectFromWindow BoundAccessibleObjectFromWindow() { return gAccessibleObjectFromWindow; }
TLresultFromObject BoundLresultFromObject() { return gLresultFromObject; }
