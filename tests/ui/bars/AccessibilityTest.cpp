// The accessibility helpers' IAccessible answers, asked directly: on a probe helper that reports
// every property and on the bar helpers (which report none), the parent lookup through a faked or
// hidden "oleacc", and a helper outliving its toolbar.
#include <gtest/gtest.h>

#include <vector>

#include "platform/system/Modules.h"
#include "platform/win/Window.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarAccessibility.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarClasses.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Core.h"

using namespace win;

namespace {

VARIANT Int(LONG N) {
  VARIANT v;
  v.vt = VT_I4;
  v.lVal = N;
  return v;
}

// Says whatever the test sets.
class TProbeHelper : public TdxBarAccessibilityHelper {
  VW_CLASS(TProbeHelper, TdxBarAccessibilityHelper)
 public:
  TProbeHelper() : TdxBarAccessibilityHelper(nullptr) {}
  ~TProbeHelper() override {
    for (TProbeHelper* child : Children) child->Release();
  }
  TProbeHelper* AddChild() {
    auto* child = new TProbeHelper;
    child->AddRef();
    child->Parent = this;
    Children.push_back(child);
    return child;
  }
  TcxAccessibilityHelper* ChildAt(int Index) override { return Children.at(static_cast<std::size_t>(Index)); }
  int CountChildren() override { return static_cast<int>(Children.size()); }
  int IndexOfChild(TcxAccessibilityHelper* Child) override {
    for (std::size_t i = 0; i < Children.size(); ++i)
      if (Children[i] == Child) return static_cast<int>(i);
    return -1;
  }
  TcxAccessibilityHelper* ParentHelper() override { return Parent; }
  unsigned SupportedProperties(int) override { return Properties; }
  void NameText(int, String& Text) override { Text = Name; }
  void ValueText(int, String& Text) override { Text = Value; }
  void DescriptionText(int, String& Text) override { Text = Description; }
  void KeyboardAccess(int, TShortCut& Key, String& Accelerated) override {
    Key = ShortCut;
    Accelerated = Accelerator;
  }
  void ScreenBounds(int, TRect& R) override { R = Bounds; }
  int HitTestAt(int, int, int& Index) override {
    Index = HitChild;
    return Hit;
  }
  int NeighbourChild(int Index, int Direction) override {
    AskedDirection = Direction;
    return Index + Step;
  }
  bool QueryFocus(bool& ChildFocused, int& Index) override {
    ChildFocused = FocusChild >= 0;
    Index = FocusChild;
    return HasFocus;
  }
  HWND OwnerWindow() override { return Window; }
  void AssignValue(int, const String& Text) override { Value = Text; }
  void PerformDefaultAction(int) override { ++Actions; }

  std::vector<TProbeHelper*> Children;
  TProbeHelper* Parent = nullptr;
  unsigned Properties = 0x3F;
  String Name, Value, Description, Accelerator;
  TShortCut ShortCut = 0;
  TRect Bounds{10, 10, 110, 60};
  int Hit = cxHitNothing, HitChild = 0, Step = 0, AskedDirection = -1, FocusChild = -1, Actions = 0;
  bool HasFocus = false;
  HWND Window = nullptr;
};

// A probe with the owner's reference, given up at the end of the test.
struct ProbeHold {
  ProbeHold() : P(new TProbeHelper) { P->AddRef(); }
  ~ProbeHold() { P->Release(); }
  TProbeHelper* operator->() const { return P; }
  TProbeHelper* P;
};

class AccessibilityTest : public BarItemFixture {};

TEST_F(AccessibilityTest, ChildNumbersOutsideTheChildrenAreRefused) {
  ProbeHold probe;
  TProbeHelper* first = probe->AddChild();
  probe->AddChild();
  IDispatch* child = nullptr;
  VARIANT empty, text;
  text.vt = VT_BSTR;
  text.bstrVal = nullptr;
  for (const VARIANT& v : {empty, text, Int(3), Int(0), Int(-1)})
    EXPECT_EQ(probe->get_accChild(v, &child), E_INVALIDARG) << v.vt << " " << v.lVal;
  EXPECT_EQ(child, nullptr);
  ASSERT_EQ(probe->get_accChild(Int(1), &child), S_OK);
  EXPECT_EQ(child, static_cast<IDispatch*>(first));
  child->Release();

  // Every child is an object of its own, so a child number names nothing plain.
  BSTR name = nullptr;
  VARIANT role;
  for (const VARIANT& v : {Int(1), Int(-1), Int(5), empty}) {
    EXPECT_EQ(probe->get_accName(v, &name), E_INVALIDARG);
    EXPECT_EQ(probe->get_accRole(v, &role), E_INVALIDARG);
  }
  VARIANT end;
  EXPECT_EQ(probe->accNavigate(NAVDIR_FIRSTCHILD, Int(1), &end), E_INVALIDARG);
  EXPECT_EQ(probe->accNavigate(NAVDIR_NEXT, Int(-2), &end), E_INVALIDARG);
  EXPECT_EQ(probe->accNavigate(NAVDIR_NEXT, Int(3), &end), E_INVALIDARG);
  EXPECT_EQ(end.vt, VT_EMPTY);
}

TEST_F(AccessibilityTest, AProbeWithEveryPropertyAnswersFromItsOperations) {
  ProbeHold probe;
  TProbeHelper* first = probe->AddChild();
  TProbeHelper* second = probe->AddChild();
  const VARIANT self = Int(CHILDID_SELF);

  BSTR text = nullptr;
  EXPECT_EQ(probe->get_accName(self, &text), S_FALSE) << "an empty name";
  EXPECT_EQ(text, nullptr);
  probe->Name = "工具栏";
  ASSERT_EQ(probe->get_accName(self, &text), S_OK);
  EXPECT_STREQ(text, "工具栏");
  SysFreeString(text);
  EXPECT_EQ(probe->get_accValue(self, &text), S_OK) << "a value is S_OK also when empty";
  EXPECT_EQ(probe->get_accDescription(self, &text), S_FALSE);
  EXPECT_EQ(probe->get_accDefaultAction(self, &text), S_OK);
  BSTR seven = SysAllocString("7");
  EXPECT_EQ(probe->put_accValue(self, seven), S_OK);
  SysFreeString(seven);
  EXPECT_EQ(probe->Value, "7");
  EXPECT_EQ(probe->accDoDefaultAction(self), S_OK);
  EXPECT_EQ(probe->Actions, 1);

  // The accelerator character upper-cased wins over the shortcut's text.
  probe->ShortCut = 0x4053;  // Ctrl+S
  ASSERT_EQ(probe->get_accKeyboardShortcut(self, &text), S_OK);
  EXPECT_STREQ(text, "Ctrl+S");
  SysFreeString(text);
  probe->Accelerator = "&file";
  ASSERT_EQ(probe->get_accKeyboardShortcut(self, &text), S_OK);
  EXPECT_STREQ(text, "F");
  SysFreeString(text);

  VARIANT v;
  EXPECT_EQ(probe->get_accFocus(&v), S_FALSE);
  probe->HasFocus = true;
  probe->FocusChild = 1;
  ASSERT_EQ(probe->get_accFocus(&v), S_OK);
  ASSERT_EQ(v.vt, VT_DISPATCH) << "a focused child is its object";
  EXPECT_EQ(v.pdispVal, static_cast<IDispatch*>(second));
  VariantClear(&v);

  LONG l = 0, t = 0, w = 0, h = 0;
  ASSERT_EQ(probe->accLocation(&l, &t, &w, &h, self), S_OK);
  EXPECT_EQ(TRect(l, t, w, h), TRect(10, 10, 100, 50));

  EXPECT_EQ(probe->accHitTest(5, 5, &v), S_FALSE) << "outside the bounds";
  EXPECT_EQ(v.vt, VT_EMPTY);
  EXPECT_EQ(probe->accHitTest(20, 20, &v), S_FALSE) << "inside, but nothing hit";
  probe->Hit = cxHitObject;
  ASSERT_EQ(probe->accHitTest(20, 20, &v), S_OK);
  EXPECT_EQ(v.vt, VT_I4);
  EXPECT_EQ(v.lVal, 0);
  probe->Hit = cxHitChild;
  ASSERT_EQ(probe->accHitTest(20, 20, &v), S_OK);
  EXPECT_EQ(v.pdispVal, static_cast<IDispatch*>(first));
  VariantClear(&v);

  ASSERT_EQ(probe->accNavigate(NAVDIR_LASTCHILD, self, &v), S_OK);
  EXPECT_EQ(v.pdispVal, static_cast<IDispatch*>(second));
  VariantClear(&v);
  probe->Step = 1;
  ASSERT_EQ(probe->accNavigate(NAVDIR_RIGHT, Int(1), &v), S_OK);
  EXPECT_EQ(probe->AskedDirection, dxNavRight);
  EXPECT_EQ(v.pdispVal, static_cast<IDispatch*>(second));
  VariantClear(&v);
  probe->Step = 0;
  EXPECT_EQ(probe->accNavigate(NAVDIR_UP, Int(1), &v), S_FALSE) << "no other child that way";
  EXPECT_EQ(probe->AskedDirection, dxNavUp);
  // From a child itself the parent finds the neighbour, numbered as the parent's child.
  probe->Step = 1;
  ASSERT_EQ(first->accNavigate(NAVDIR_NEXT, self, &v), S_OK);
  EXPECT_EQ(probe->AskedDirection, dxNavNext);
  EXPECT_EQ(v.pdispVal, static_cast<IDispatch*>(second));
  VariantClear(&v);
  probe->Properties = 0;
  EXPECT_EQ(first->accNavigate(NAVDIR_NEXT, self, &v), S_FALSE) << "a parent without locations";

  IDispatch* parent = nullptr;
  ASSERT_EQ(first->get_accParent(&parent), S_OK);
  EXPECT_EQ(parent, static_cast<IDispatch*>(probe.P));
  parent->Release();
  LONG count = 0;
  EXPECT_EQ(probe->get_accChildCount(&count), S_OK);
  EXPECT_EQ(count, 2);
}

TEST_F(AccessibilityTest, MembersWithoutTheirPropertyAreNotFound) {
  ProbeHold probe;
  probe->Properties = 0;
  probe->AddChild();
  const VARIANT self = Int(0);
  BSTR s = nullptr;
  VARIANT v;
  LONG n = 0;
  const struct {
    const char* What;
    HRESULT Result;
  } cases[] = {
      {"value", probe->get_accValue(self, &s)},
      {"description", probe->get_accDescription(self, &s)},
      {"help", probe->get_accHelp(self, &s)},
      {"help topic", probe->get_accHelpTopic(&s, self, &n)},
      {"shortcut", probe->get_accKeyboardShortcut(self, &s)},
      {"focus", probe->get_accFocus(&v)},
      {"selection", probe->get_accSelection(&v)},
      {"default action", probe->get_accDefaultAction(self, &s)},
      {"select", probe->accSelect(SELFLAG_TAKEFOCUS, self)},
      {"location", probe->accLocation(&n, &n, &n, &n, self)},
      {"first child", probe->accNavigate(NAVDIR_FIRSTCHILD, self, &v)},
      {"from a child", probe->accNavigate(NAVDIR_DOWN, Int(1), &v)},
      {"hit test", probe->accHitTest(20, 20, &v)},
      {"do default action", probe->accDoDefaultAction(self)},
      {"put name", probe->put_accName(self, nullptr)},
      {"put value", probe->put_accValue(self, nullptr)},
  };
  for (const auto& c : cases) EXPECT_EQ(c.Result, DISP_E_MEMBERNOTFOUND) << c.What;
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(v.vt, VT_EMPTY);

  UINT infos = 5;
  ITypeInfo* info = nullptr;
  EXPECT_EQ(probe->GetTypeInfoCount(&infos), E_NOTIMPL);
  EXPECT_EQ(probe->GetTypeInfo(0, 0, &info), E_NOTIMPL);
  EXPECT_EQ(probe->GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr), E_NOTIMPL);
  EXPECT_EQ(probe->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  EXPECT_EQ(infos, 0u);
}

TEST_F(AccessibilityTest, QueriesAnswerEachInterfaceAndTheBaseLeavesItsOperationsToDescendants) {
  ProbeHold probe;
  const struct {
    const IID* Iid;
    void* Expected;
  } cases[] = {
      {&IID_IUnknown, static_cast<IAccessible*>(probe.P)},
      {&IID_IDispatch, static_cast<IAccessible*>(probe.P)},
      {&IID_IAccessible, static_cast<IAccessible*>(probe.P)},
      {&IID_IOleWindow, static_cast<IOleWindow*>(probe.P)},
      {&IID_IcxAccessibilityHelper, static_cast<IcxAccessibilityHelper*>(probe.P)},
      {&IID_IdxBarAccessibilityHelper, static_cast<IdxBarAccessibilityHelper*>(probe.P)},
  };
  for (const auto& c : cases) {
    void* got = nullptr;
    ASSERT_EQ(probe->QueryInterface(*c.Iid, &got), S_OK);
    EXPECT_EQ(got, c.Expected);
    probe->Release();
  }
  void* none = &probe;
  constexpr IID kOther{0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  EXPECT_EQ(probe->QueryInterface(kOther, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(probe.P->RefCount(), 1);

  auto* base = new TcxAccessibilityHelper(nullptr);
  base->AddRef();
  String text;
  EXPECT_THROW(base->IsPlainChildElement(0), EdxException);
  EXPECT_THROW(base->IndexOfChild(nullptr), EdxException);
  EXPECT_THROW(base->ValueText(0, text), EdxException);
  EXPECT_THROW(base->NeighbourChild(0, dxNavLeft), EdxException);
  EXPECT_EQ(base->RootHelper(), base);
  EXPECT_TRUE(base->IsVisible());
  base->Release();

  const std::pair<LONG, int> directions[] = {{NAVDIR_DOWN, dxNavDown},       {NAVDIR_LEFT, dxNavLeft},
                                             {NAVDIR_RIGHT, dxNavRight},     {NAVDIR_NEXT, dxNavNext},
                                             {NAVDIR_PREVIOUS, dxNavPrevious}, {NAVDIR_UP, dxNavUp},
                                             {NAVDIR_FIRSTCHILD, dxNavUp}};
  for (auto [navDir, direction] : directions) EXPECT_EQ(TcxAccessibilityHelper::NavigationDirection(navDir), direction);
}

// ---- the parent of a parentless helper, through "oleacc" ------------------------------------------

HWND gAskedWindow = nullptr;
DWORD gAskedObject = 0xFFFF;
IDispatch* gAnswer = nullptr;
HRESULT FakeFromWindow(HWND Window, DWORD Object, REFIID riid, void** Out) {
  gAskedWindow = Window;
  gAskedObject = Object;
  if (riid != IID_IDispatch || !gAnswer) return E_FAIL;
  gAnswer->AddRef();
  *Out = gAnswer;
  return S_OK;
}

TEST_F(AccessibilityTest, AParentlessHelperAsksOleaccForTheWindowAboveItsOwn) {
  HWND top = CreateWindowEx(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
  ProbeHold probe, answer;
  gAnswer = answer.P;
  IDispatch* parent = nullptr;

  AccessibilityUnitShutdown();
  platform::HideModule("oleacc.dll");
  AccessibilityUnitStartup();
  probe->Window = child;
  EXPECT_EQ(probe->get_accParent(&parent), S_FALSE) << "no library, no object";
  EXPECT_EQ(parent, nullptr);

  AccessibilityUnitShutdown();
  platform::ResetModuleOverrides();
  platform::InstallFakeModule("oleacc.dll", {platform::Export("AccessibleObjectFromWindow", &FakeFromWindow),
                                             platform::Export("LresultFromObject", &LresultFromObject)});
  AccessibilityUnitStartup();
  ASSERT_NE(BoundLresultFromObject(), nullptr);
  ASSERT_EQ(probe->get_accParent(&parent), S_OK);
  EXPECT_EQ(gAskedWindow, top) << "a child window's parent";
  EXPECT_EQ(gAskedObject, static_cast<DWORD>(OBJID_WINDOW));
  EXPECT_EQ(parent, static_cast<IDispatch*>(answer.P));
  parent->Release();
  probe->Window = top;
  ASSERT_EQ(probe->get_accParent(&parent), S_OK);
  EXPECT_EQ(gAskedWindow, GetDesktopWindow()) << "a top-level window's desktop";
  parent->Release();
  gAnswer = nullptr;
  EXPECT_EQ(probe->get_accParent(&parent), S_FALSE) << "a failed call yields nothing";
  probe->Window = nullptr;
  gAskedWindow = nullptr;
  EXPECT_EQ(probe->get_accParent(&parent), S_FALSE);
  EXPECT_EQ(gAskedWindow, nullptr) << "without a window nothing is asked";
  EXPECT_EQ(answer.P->RefCount(), 1);

  AccessibilityUnitShutdown();
  platform::ResetModuleOverrides();
  AccessibilityUnitStartup();
  DestroyWindow(top);
}

}  // namespace
