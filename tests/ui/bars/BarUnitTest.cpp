// The bar library's start-up and shutdown, its item-class registry, its texts and its small
// shared services: checker brush, window transparency and menu sounds.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Forms.h"
#include "platform/classes/TypInfo.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Metrics.h"
#include "ui/bars/BarApplicationMenu.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarQuickControl.h"
#include "ui/bars/BarMDI.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/BarSubMenuControl.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/LibraryStrings.h"

namespace {

using namespace win;

class BarUnitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    InitializeForms();
    Application->Initialize();
    BarUnitStartup();
  }
  void TearDown() override {
    BarUnitShutdown();
    platform::ResetModuleOverrides();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

// An item kind nobody registered: it must not borrow its ancestor's control.
class TUnregisteredButton : public TdxBarButton {
  VW_CLASS(TUnregisteredButton, TdxBarButton)
 public:
  using TdxBarButton::TdxBarButton;
};

TEST_F(BarUnitTest, RegistryHoldsTheSixteenKindsInOrder) {
  struct Row {
    TClass Item, Control;
    bool Listed;
  };
  const Row rows[] = {
      {ClassOf<TdxBarButton>(), ClassOf<TdxBarButtonControl>(), true},
      {ClassOf<TdxBarLargeButton>(), ClassOf<TdxBarLargeButtonControl>(), true},
      {ClassOf<TdxBarEdit>(), ClassOf<TdxBarEditControl>(), true},
      {ClassOf<TCustomdxBarCombo>(), ClassOf<TCustomdxBarComboControl>(), true},
      {ClassOf<TdxBarCombo>(), ClassOf<TdxBarComboControl>(), true},
      {ClassOf<TdxBarSubItem>(), ClassOf<TdxBarSubItemControl>(), true},
      {ClassOf<TdxBarListItem>(), ClassOf<TdxBarContainerItemControl>(), true},
      {ClassOf<TdxBarContainerItem>(), ClassOf<TdxBarContainerItemControl>(), true},
      {ClassOf<TdxBarExtraPaneListItem>(), ClassOf<TdxBarContainerItemControl>(), false},
      {ClassOf<TdxBarLabel>(), ClassOf<TdxBarCustomStaticControl>(), false},
      {ClassOf<TdxBarSeparator>(), ClassOf<TdxBarSeparatorControl>(), true},
      {ClassOf<TdxBarApplicationMenuButtonItem>(), ClassOf<TdxBarApplicationMenuButtonControl>(), false},
      {ClassOf<TdxBarQuickCustExtButton>(), ClassOf<TdxBarQuickCustExtButtonControl>(), false},
      {ClassOf<TdxBarQuickCustItem>(), ClassOf<TdxBarQuickCustItemControl>(), false},
      {ClassOf<TdxBarQuickAccessItem>(), ClassOf<TdxBarSubItemControl>(), false},
      {ClassOf<TSystemMenuSubItem>(), ClassOf<TSystemMenuSubItemControl>(), false},
  };
  TdxBarItemList* list = BarItemClasses();
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 16);
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(rows[i].Item->ClassName());
    EXPECT_EQ(list->ItemClasses(i), rows[i].Item);
    EXPECT_EQ(list->Records(i)->ItemControlClass, rows[i].Control);
    EXPECT_EQ(list->Records(i)->ListedInEditors, rows[i].Listed);
    EXPECT_EQ(GetClass(rows[i].Item->ClassName()), rows[i].Item) << "registered for streaming";
  }
  EXPECT_EQ(list->ListedCount(), 9);
  EXPECT_EQ(list->ListedItemClass(0), ClassOf<TdxBarButton>());
  EXPECT_EQ(list->ListedItemClass(8), ClassOf<TdxBarSeparator>());
  EXPECT_EQ(list->ListedItemClass(9), nullptr);
  EXPECT_EQ(list->ListedItemClass(-1), nullptr);

  EXPECT_EQ(list->ControlClassOf(ClassOf<TdxBarListItem>()), ClassOf<TdxBarContainerItemControl>());
  EXPECT_EQ(list->ControlClassOf(ClassOf<TUnregisteredButton>()), nullptr);

  for (const char* name : {"TdxBar", "TdxBarGroup", "TdxBarScreenTip", "TdxBarScreenTipBand",
                           "TdxBarScreenTipCollection", "TdxBarApplicationMenuButtons", "TdxBarApplicationMenuButton"})
    EXPECT_NE(GetClass(name), nullptr) << name;
}

TEST_F(BarUnitTest, StartUpLoadsCursorsBindsEntriesAndRegistersDesignTimeClasses) {
  HCURSOR arrow = Screen->Cursors(crDefault);
  std::vector<HCURSOR> seen;
  for (int index = crdxBarDrag; index <= crdxBarEditSizing; ++index) {
    HCURSOR cursor = Screen->Cursors(index);
    EXPECT_NE(cursor, arrow) << index;
    for (HCURSOR other : seen) EXPECT_NE(cursor, other) << index;
    seen.push_back(cursor);
  }

  EXPECT_EQ(SetLayeredWindowAttributesProc, &win::SetLayeredWindowAttributes);
  EXPECT_EQ(AnimateWindowProc, &win::AnimateWindow);
  EXPECT_EQ(UpdateLayeredWindowProc, &win::UpdateLayeredWindow);
  EXPECT_EQ(DefaultBarPainterClass, ClassOf<TdxBarSkinPainter>()) << "the skin painter's unit starts with the library";
  EXPECT_EQ(ScreenColorDepth, 32);
  EXPECT_NE(BarManagers, nullptr);
  EXPECT_NE(BarNavigationController, nullptr);

  TdxBarDesignController* design = BarDesignController();
  ASSERT_NE(design, nullptr);
  ASSERT_EQ(design->ControlEditorCount(), 4);
  EXPECT_EQ(design->ControlEditors(0), ClassOf<TdxAddSubItemEditor>());
  EXPECT_EQ(design->ControlEditors(3), ClassOf<TdxItemsEditorEx>());
  EXPECT_EQ(design->DesignHelperOf(ClassOf<TdxBarControl>()), ClassOf<TdxBarControlDesignHelper>());
  EXPECT_EQ(design->DesignHelperOf(ClassOf<TdxBarApplicationMenuControl>()),
            ClassOf<TdxBarApplicationMenuControlDesignHelper>());
}

TEST_F(BarUnitTest, MissingEntryPointsStayNil) {
  BarUnitShutdown();
  platform::HideModuleEntry("user32.dll", "AnimateWindow");
  BarUnitStartup();
  EXPECT_EQ(AnimateWindowProc, nullptr);
  EXPECT_NE(SetLayeredWindowAttributesProc, nullptr);

  BarUnitShutdown();
  platform::HideModule("user32.dll");
  BarUnitStartup();
  EXPECT_EQ(UpdateLayeredWindowProc, nullptr);
  EXPECT_EQ(AnimateWindowProc, nullptr);
  EXPECT_EQ(SetLayeredWindowAttributesProc, nullptr);
}

TEST_F(BarUnitTest, DeletingARowUnregistersItsItemClass) {
  const String text = "object B: TdxBarButton\r\nend\r\n";
  std::unique_ptr<TComponent> read(FormTextToComponent(text, nullptr));
  EXPECT_EQ(read->ClassType(), ClassOf<TdxBarButton>());

  BarItemClasses()->Delete(0);
  EXPECT_EQ(BarItemClasses()->Count(), 15);
  EXPECT_THROW(FormTextToComponent(text, nullptr), EClassNotFound);
  EXPECT_EQ(BarItemClasses()->ControlClassOf(ClassOf<TdxBarButton>()), nullptr);
}

TEST_F(BarUnitTest, StringsAreListedOnceInTheirOrderAndReadThroughReplacements) {
  TdxResourceStringsRepository* repository = GetResourceStringsRepository();
  ASSERT_NE(repository, nullptr);
  // Another start-up only counts.
  BarStringsStartup();
  int product = repository->IndexOfProduct("Bars Library");
  ASSERT_GE(product, 0);
  EXPECT_EQ(repository->ProductAt(product)->ResStringCount(), 182);
  BarStringsShutdown();
  EXPECT_GE(repository->IndexOfProduct("Bars Library"), 0) << "still used by the bar unit";
  int products = 0;
  for (int i = 0; i < repository->ProductCount(); ++i) products += repository->ProductAt(i)->Name() == "Bars Library";
  EXPECT_EQ(products, 1);

  // The order the table lists them in, where the two ranges expand.
  struct Place {
    int Index;
    const char* Identifier;
  };
  for (const Place& p : {Place{0, "dxSBAR_LOOKUPDIALOGCAPTION"}, Place{5, "dxSBAR_COLOR_STR_0"},
                         Place{20, "dxSBAR_COLOR_STR_15"}, Place{21, "dxSBAR_COLORAUTOTEXT"},
                         Place{75, "dxSBAR_CP_DELETELINK"}, Place{163, "dxSBAR_MENUANIM1"},
                         Place{167, "dxSBAR_MENUANIM5"}, Place{170, "SBlob"},
                         Place{181, "dxSBAR_ACCESSIBILITY_RIBBONTABCOLLECTIONNAME"}})
    EXPECT_STREQ(dxBarStringTable[p.Index].Identifier, p.Identifier) << p.Index;
  for (const TdxBarStringEntry& entry : dxBarStringTable)
    EXPECT_GE(repository->ProductAt(product)->ResStringNames()->IndexOf(entry.Identifier), 0) << entry.Identifier;

  using namespace dxBarStrs;
  EXPECT_EQ(cxGetResourceString(dxSBAR_WANTTORESETUSAGEDATA),
            "This will delete the record of the commands you've used in this application and restore the default "
            "set of visible commands to the menus and toolbars. It will not undo any explicit customizations.   "
            "Are you sure you want to proceed?");
  EXPECT_EQ(cxGetResourceString(dxSBAR_TOOLBARNEWNAME), "Custom ");
  EXPECT_EQ(cxGetResourceString(dxSBAR_COLOR_STR_13), "Fuchsia");
  EXPECT_EQ(cxGetResourceString(dxSBAR_MENUANIM1), "(None)");
  EXPECT_EQ(cxGetResourceString(dxSBAR_CUSTOMIZE), "&Customize...");
  EXPECT_EQ(cxGetResourceString(dxSBAR_DEFAULTCATEGORYNAME), "Default");
  cxSetResourceStringReplacement("dxSBAR_DEFAULTCATEGORYNAME", "默认");
  EXPECT_EQ(cxGetResourceString(dxSBAR_DEFAULTCATEGORYNAME), "默认");
  cxRemoveResourceStringReplacement("dxSBAR_DEFAULTCATEGORYNAME");
}

TEST_F(BarUnitTest, ShutdownLeavesNothingAndMakesNothingAgain) {
  TdxBarFlatPainter* flat = SharedFlatPainter();
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(SharedFlatPainter(), flat) << "one painter for all";
  HBRUSH brush = CheckerBrush;
  ASSERT_NE(GetObjectType(brush), 0u);
  BarUnitShutdown();
  BarUnitShutdown();  // a second call does nothing
  EXPECT_TRUE(BarUnitFinalizing);
  EXPECT_EQ(BarItemClasses(), nullptr);
  EXPECT_EQ(BarDesignController(), nullptr);
  EXPECT_EQ(BarManagers, nullptr);
  EXPECT_EQ(SharedFlatPainter(), nullptr);
  EXPECT_EQ(GetObjectType(brush), 0u) << "the brush handle is stale";
  EXPECT_EQ(GetClass("TdxBarButton"), nullptr);
  EXPECT_EQ(GetClass("TdxBar"), nullptr);
  EXPECT_LT(GetResourceStringsRepository()->IndexOfProduct("Bars Library"), 0);
  RefreshCheckerBrush();
  EXPECT_EQ(CheckerBrush, nullptr) << "nothing is made while finalising";
  // Bar windows destroyed after the library do not trip over the freed list.
  RemoveBarControl(nullptr);
  EXPECT_FALSE(IsBarControlAlive(&brush));
  BarUnitStartup();
  EXPECT_FALSE(BarUnitFinalizing);
  EXPECT_EQ(BarItemClasses()->Count(), 16);
}

TEST_F(BarUnitTest, BarControlsKnowOnlyLiveWindows) {
  TObject window;
  auto* control = reinterpret_cast<TCustomdxBarControl*>(&window);  // only its address is kept
  EXPECT_FALSE(IsBarControlAlive(nullptr));
  EXPECT_FALSE(IsBarControlAlive(control));
  AddBarControl(control);
  EXPECT_TRUE(IsBarControlAlive(control));
  RemoveBarControl(control);
  EXPECT_FALSE(IsBarControlAlive(control));
}

TEST_F(BarUnitTest, ObjectListsAddUniquelyAndAnswerNilOutOfRange) {
  TObject a, b;
  TdxObjectList list;
  list.AddUnique(&a);
  list.AddUnique(&a);
  list.AddUnique(nullptr);
  list.AddUnique(&b);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.LastObject(), &b);
  EXPECT_EQ(list.ObjectAt(2), nullptr);
  EXPECT_EQ(list.ObjectAt(-1), nullptr);

  TObjectList source(false);
  source.Add(&b);
  source.Add(&a);
  source.Add(&b);
  list.CopyFrom(&source);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.ObjectAt(0), &b);
  EXPECT_EQ(list.ObjectAt(1), &a);
  EXPECT_EQ(BarManagers->Managers(0), nullptr);
}

// The checker pattern read back from a fill: face where column and row share parity.
void ExpectChecker(COLORREF face, COLORREF highlight) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 8, 8);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT r{0, 0, 8, 8};
  FillRect(dc, &r, CheckerBrush);
  struct Pixel {
    int x, y;
    COLORREF expected;
  };
  for (const Pixel& p : {Pixel{0, 0, face}, Pixel{1, 1, face}, Pixel{2, 0, face}, Pixel{1, 0, highlight},
                         Pixel{0, 1, highlight}, Pixel{7, 6, highlight}, Pixel{7, 7, face}})
    EXPECT_EQ(GetPixel(dc, p.x, p.y), p.expected) << p.x << "," << p.y;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

TEST_F(BarUnitTest, CheckerBrushFollowsTheSystemColours) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  ASSERT_NE(face, highlight);
  ExpectChecker(face, highlight);

  const INT elements[] = {COLOR_BTNFACE, COLOR_BTNHIGHLIGHT};
  const COLORREF changed[] = {RGB(10, 20, 30), RGB(200, 100, 50)};
  const COLORREF original[] = {face, highlight};
  SetSysColors(2, elements, changed);
  RefreshCheckerBrush();
  ExpectChecker(changed[0], changed[1]);
  SetSysColors(2, elements, original);
}

int g_paints = 0;
LRESULT CountingWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PAINT) {
    ++g_paints;
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProc(hwnd, msg, wParam, lParam);
}

class SetWindowAlphaTest : public BarUnitTest {
 protected:
  void SetUp() override {
    BarUnitTest::SetUp();
    WNDCLASSEX wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &CountingWindow;
    wc.lpszClassName = "FloatingBar";
    RegisterClassEx(&wc);
    window = CreateWindowEx(0, "FloatingBar", "", WS_POPUP | WS_VISIBLE, 10, 10, 60, 20, nullptr, nullptr, nullptr,
                            nullptr);
    Settle();
  }
  void TearDown() override {
    DestroyWindow(window);
    UnregisterClass("FloatingBar", nullptr);
    BarUnitTest::TearDown();
  }
  // Paints whatever is due and counts from zero again.
  void Settle() {
    Application->ProcessMessages();
    g_paints = 0;
  }
  bool Layered() const { return (GetWindowLong(window, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }
  HWND window = nullptr;
};

TEST_F(SetWindowAlphaTest, LayersBelowOpaqueAndRedrawsOnceWhenMadePlain) {
  SetWindowAlpha(window, 128);
  ASSERT_TRUE(Layered());
  COLORREF key = 1;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, LWA_ALPHA);
  Settle();

  SetWindowAlpha(window, 255);
  EXPECT_FALSE(Layered());
  Application->ProcessMessages();
  EXPECT_EQ(g_paints, 1);

  Settle();
  SetWindowAlpha(window, 255);
  Application->ProcessMessages();
  EXPECT_EQ(g_paints, 0) << "a plain window is left alone";
}

TEST_F(SetWindowAlphaTest, DoesNothingWithoutTheEntryPoint) {
  BarUnitShutdown();
  platform::HideModuleEntry("user32.dll", "SetLayeredWindowAttributes");
  BarUnitStartup();
  SetWindowAlpha(window, 128);
  EXPECT_FALSE(Layered());
}

TEST_F(BarUnitTest, MenuSoundsAskForTheSystemAliases) {
  platform::HeadlessControl& headless = *platform::Headless();
  headless.ClearSounds();
  PlayBarSound(0);
  PlayBarSound(1);
  PlayBarSound(2);
  const std::vector<platform::SoundRequest> expected = {
      {"MenuPopup", 0x12003, true}, {"MenuCommand", 0x12003, true}, {"", 0x12003, false}};
  EXPECT_EQ(headless.Sounds(), expected);

  headless.ClearSounds();
  PlaySounds = false;
  PlayBarSound(0);
  PlaySounds = true;
  EXPECT_TRUE(headless.Sounds().empty());
}

std::vector<platform::SoundRequest> g_soundsBeforeEarlierHook;
int g_earlierHookCalls = 0;

TEST_F(BarUnitTest, ApplicationInitializeRunsTheEarlierHookThenStopsSounds) {
  void (*saved)() = InitProc;
  BarUnitShutdown();
  InitProc = [] {
    ++g_earlierHookCalls;
    g_soundsBeforeEarlierHook = platform::Headless()->Sounds();
  };
  BarUnitStartup();
  platform::HeadlessControl& headless = *platform::Headless();
  headless.ClearSounds();
  g_earlierHookCalls = 0;
  Application->Initialize();
  EXPECT_EQ(g_earlierHookCalls, 1);
  EXPECT_TRUE(g_soundsBeforeEarlierHook.empty()) << "the earlier hook runs first";
  const std::vector<platform::SoundRequest> stop = {{"", 0x12003, false}};
  EXPECT_EQ(headless.Sounds(), stop);

  // Shutdown unchains the library; started again, it chains once.
  BarUnitShutdown();
  EXPECT_NE(InitProc, nullptr);
  headless.ClearSounds();
  Application->Initialize();
  EXPECT_EQ(g_earlierHookCalls, 2);
  EXPECT_TRUE(headless.Sounds().empty());
  BarUnitStartup();
  Application->Initialize();
  EXPECT_EQ(g_earlierHookCalls, 3);
  EXPECT_EQ(headless.Sounds(), stop);
  BarUnitShutdown();
  InitProc = saved;
  BarUnitStartup();
}

}  // namespace
