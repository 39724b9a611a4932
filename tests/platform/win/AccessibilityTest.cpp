// Accessible objects handed from a window through "oleacc", bound by name as the library binds it.
#include <cstring>

#include "platform/system/Modules.h"
#include "platform/win/Accessibility.h"
#include "platform/win/Startup.h"
#include "tests/platform/win/WindowFixture.h"

namespace wintest {
namespace {

using namespace win;

// The smallest accessible object: a name, and a reference count that frees it at the last release.
class NamedObject final : public IAccessible, public IOleWindow {
 public:
  NamedObject(HWND owner, int* alive) : owner_(owner), alive_(alive) { ++*alive_; }
  HRESULT QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == IID_IAccessible) *object = static_cast<IAccessible*>(this);
    else if (riid == IID_IOleWindow) *object = static_cast<IOleWindow*>(this);
    else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG AddRef() override { return ++refs_; }
  ULONG Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override { return E_NOTIMPL; }
  HRESULT get_accParent(IDispatch**) override { return S_FALSE; }
  HRESULT get_accChildCount(LONG* count) override { return *count = 0, S_OK; }
  HRESULT get_accChild(VARIANT, IDispatch**) override { return E_INVALIDARG; }
  HRESULT get_accName(VARIANT, BSTR* name) override { return *name = SysAllocString("监视墙"), S_OK; }
  HRESULT get_accValue(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accDescription(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accRole(VARIANT, VARIANT* role) override {
    role->vt = VT_I4;
    role->lVal = static_cast<LONG>(ROLE_SYSTEM_TOOLBAR);
    return S_OK;
  }
  HRESULT get_accState(VARIANT, VARIANT*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accHelp(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accHelpTopic(BSTR*, VARIANT, LONG*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accKeyboardShortcut(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accFocus(VARIANT*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accSelection(VARIANT*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT get_accDefaultAction(VARIANT, BSTR*) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT accSelect(LONG, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT accLocation(LONG*, LONG*, LONG*, LONG*, VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT accNavigate(LONG, VARIANT, VARIANT*) override { return S_FALSE; }
  HRESULT accHitTest(LONG, LONG, VARIANT*) override { return S_FALSE; }
  HRESULT accDoDefaultAction(VARIANT) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT put_accName(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT put_accValue(VARIANT, BSTR) override { return DISP_E_MEMBERNOTFOUND; }
  HRESULT GetWindow(HWND* hwnd) override { return *hwnd = owner_, S_OK; }
  HRESULT ContextSensitiveHelp(BOOL) override { return S_OK; }

 private:
  ~NamedObject() override { --*alive_; }
  ULONG refs_ = 1;
  HWND owner_;
  int* alive_;
};

NamedObject* g_object = nullptr;

LRESULT AnsweringWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT && g_object)
    return LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(g_object));
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

using FromWindowProc = HRESULT (*)(HWND, DWORD, REFIID, void**);

class AccessibilityTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    platform::StartPlatform();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &AnsweringWindow;
    wc.lpszClassName = "AccessibleBar";
    RegisterClassEx(&wc);
    bar = CreateWindowEx(0, "AccessibleBar", "", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
    g_object = new NamedObject(bar, &alive);
  }
  void TearDown() override {
    if (g_object) g_object->Release();
    g_object = nullptr;
    DestroyWindow(bar);
    UnregisterClass("AccessibleBar", nullptr);
    EXPECT_EQ(alive, 0) << "every reference handed out came back";
    WindowTest::TearDown();
  }
  FromWindowProc Bind(HMODULE& module) {
    module = LoadLibrary("OLEACC.DLL");
    return module ? reinterpret_cast<FromWindowProc>(GetProcAddress(module, "AccessibleObjectFromWindow")) : nullptr;
  }

  HWND bar = nullptr;
  int alive = 0;
  platform::ScopedModuleOverrides overrides;
};

TEST_F(AccessibilityTest, TheBinderReachesTheObjectAWindowInstalled) {
  HMODULE oleacc = nullptr;
  FromWindowProc fromWindow = Bind(oleacc);
  ASSERT_NE(fromWindow, nullptr);
  EXPECT_NE(GetProcAddress(oleacc, "LresultFromObject"), nullptr);

  IAccessible* acc = nullptr;
  ASSERT_EQ(fromWindow(bar, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&acc)), S_OK);
  ASSERT_EQ(acc, static_cast<IAccessible*>(g_object));
  VARIANT self;
  BSTR name = nullptr;
  EXPECT_EQ(acc->get_accName(self, &name), S_OK);
  EXPECT_STREQ(name, "监视墙");
  EXPECT_EQ(SysStringLen(name), std::strlen("监视墙"));
  SysFreeString(name);
  VARIANT role;
  acc->get_accRole(self, &role);
  EXPECT_EQ(role.vt, VT_I4);
  EXPECT_EQ(role.lVal, static_cast<LONG>(ROLE_SYSTEM_TOOLBAR));

  // The same object under another of its interfaces.
  IOleWindow* window = nullptr;
  ASSERT_EQ(fromWindow(bar, static_cast<DWORD>(OBJID_CLIENT), IID_IOleWindow, reinterpret_cast<void**>(&window)), S_OK);
  HWND owner = nullptr;
  window->GetWindow(&owner);
  EXPECT_EQ(owner, bar);
  window->Release();

  // A variant holding the object keeps a reference of its own until cleared.
  VARIANT held, copy;
  held.vt = VT_DISPATCH;
  held.pdispVal = acc;
  EXPECT_EQ(VariantCopy(&copy, &held), S_OK);
  EXPECT_EQ(VariantClear(&copy), S_OK);
  EXPECT_EQ(copy.vt, VT_EMPTY);
  EXPECT_EQ(VariantClear(&held), S_OK) << "this releases the reference AccessibleObjectFromWindow gave";
  EXPECT_EQ(alive, 1);

  // Objects the window does not answer for, and windows that are gone.
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(fromWindow(bar, static_cast<DWORD>(OBJID_WINDOW), IID_IAccessible, &none), E_FAIL);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(fromWindow(reinterpret_cast<HWND>(0x1234), static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, &none),
            E_INVALIDARG);
  FreeLibrary(oleacc);
}

TEST_F(AccessibilityTest, AReferenceIsTakenOnceAndAskedForAnInterfaceItHas) {
  LRESULT ref = LresultFromObject(IID_IAccessible, 0, static_cast<IAccessible*>(g_object));
  ASSERT_GT(ref, 0);
  void* p = nullptr;
  EXPECT_EQ(ObjectFromLresult(ref, IID_IOleWindow, 0, &p), S_OK);
  static_cast<IOleWindow*>(p)->Release();
  EXPECT_EQ(ObjectFromLresult(ref, IID_IAccessible, 0, &p), E_INVALIDARG) << "already taken";
  EXPECT_EQ(p, nullptr);
  constexpr IID kOther{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  EXPECT_EQ(LresultFromObject(kOther, 0, static_cast<IAccessible*>(g_object)), E_NOINTERFACE);
  EXPECT_EQ(LresultFromObject(IID_IAccessible, 0, nullptr), E_INVALIDARG);
}

TEST_F(AccessibilityTest, HiddenLibraryOrEntryAnswersAnError) {
  platform::HideModule("oleacc");
  HMODULE oleacc = nullptr;
  EXPECT_EQ(Bind(oleacc), nullptr);
  EXPECT_EQ(oleacc, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);
  platform::ResetModuleOverrides();

  platform::HideModuleEntry("oleacc.dll", "AccessibleObjectFromWindow");
  EXPECT_EQ(Bind(oleacc), nullptr);
  ASSERT_NE(oleacc, nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  FreeLibrary(oleacc);
}

}  // namespace
}  // namespace wintest
