// The bar manager: construction and its owner rules, style and painter choice, the setters' rules,
// what a form description stores and reads back, fonts, flat brushes, update locking, new
// toolbars, names, docking permission and customizing mode.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <stdexcept>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Controls.h"
#include "platform/win/Hooks.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Metrics.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarUnit.h"
#include "ui/controls/ControlServices.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Core.h"
#include "ui/foundation/ObjectLinks.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/OfficePainters.h"
#include "tests/support/FakeThemeLibrary.h"

namespace {

using namespace win;

class TTestForm : public TForm {
  VW_CLASS(TTestForm, TForm)
 public:
  explicit TTestForm(TComponent* AOwner) : TForm(AOwner, 0) {}
};

// A bar window that counts what the manager asks of it.
class TCountingBarControl : public TPlainBarWindow {
  VW_CLASS(TCountingBarControl, TPlainBarWindow)
 public:
  explicit TCountingBarControl(TComponent* AOwner) : TPlainBarWindow(AOwner) {}
  void CloseUp() override { Calls.push_back("CloseUp"); }
  void CreateControls() override { Calls.push_back("CreateControls"); }
  void DestroyControls() override { Calls.push_back("DestroyControls"); }
  void RebuildRecreating() override { Calls.push_back("RebuildRecreating"); }
  void UpdateControlState() override { Calls.push_back("UpdateControlState"); }
  void BarManagerStyleChanged() override { ++StyleChanges; }
  void RepaintBar() override { ++Repaints; }
  void MouseLeft() override { Calls.push_back("MouseLeft"); }
  void DropSelection() override { Calls.push_back("DropSelection"); }
  void RecalcAndLayout() override {
    ++Relayouts;
    if (ThrowOnLayout) throw std::runtime_error("layout failed");
  }
  int Count(const char* Call) const { return static_cast<int>(std::count(Calls.begin(), Calls.end(), Call)); }

  std::vector<String> Calls;
  int StyleChanges = 0, Repaints = 0, Relayouts = 0;
  bool ThrowOnLayout = false;
};

class TCountingLinks : public TdxBarSubMenuControlItemLinks {
 public:
  void RebuildLists() override { ++Rebuilds; }
  int Rebuilds = 0;
};

class BarManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(1024, 768));
    InitializeForms();
    Application->Initialize();
    ControlsUnitStartup();
    BarUnitStartup();
    Application->CreateForm(Form);
    Form->SetBounds(300, 200, 400, 300);
  }
  void TearDown() override {
    TObject::Free(Form);
    BarUnitShutdown();
    ControlsUnitShutdown();
    platform::ResetSystemParameters();
    platform::ResetModuleOverrides();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TdxBarManager* NewManager(TComponent* Owner = nullptr) { return new TdxBarManager(Owner ? Owner : Form); }
  // A toolbar of the manager with a counting window.
  TCountingBarControl* AddShownBar(TdxBarManager* Manager, const String& Caption = "Bar") {
    TdxBar* bar = Manager->Bars()->Add();
    bar->SetCaption(Caption);
    auto* control = new TCountingBarControl(Form);
    bar->SetControl(control);
    return control;
  }
  static int NonClientSmallCaptionHeight() {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics.lfSmCaptionFont.lfHeight;
  }
  static void SetMenuFontHeight(int Height) {
    NONCLIENTMETRICS metrics;
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMenuFont.lfHeight = Height;
    SystemParametersInfo(SPI_SETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  }

  TTestForm* Form = nullptr;
};

TEST_F(BarManagerTest, OwnerRulesAndRegistration) {
  ASSERT_EQ(Application->MainForm(), Form);
  TdxBarManager* manager = new TdxBarManager(nullptr);
  EXPECT_EQ(manager->Owner(), Form);
  ASSERT_EQ(BarManagers->Count(), 1);
  EXPECT_EQ(BarManagers->Managers(0), manager);

  try {
    new TdxBarManager(Form);
    FAIL() << "a second manager on one form";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "A control should contain only a single TdxBarManager");
  }
  auto* notAControl = new TComponent(Form);
  try {
    new TdxBarManager(notAControl);
    FAIL() << "an owner that is no control";
  } catch (const EdxException& e) {
    EXPECT_STREQ(e.what(), "TdxBarManager should have TWinControl as its Owner");
  }
  EXPECT_EQ(BarManagers->Count(), 1);
  EXPECT_EQ(BarManagers->Managers(0), manager);
  EXPECT_EQ(Form->ComponentCount(), 2) << "neither failed manager stays with the form";

  delete manager;
  EXPECT_EQ(BarManagers->Count(), 0);
}

TEST_F(BarManagerTest, DefaultsAfterConstruction) {
  TdxBarManager* m = NewManager();
  EXPECT_EQ(m->Style(), bmsEnhanced);
  EXPECT_TRUE(m->UseSystemFont());
  EXPECT_TRUE(m->Scaled());
  EXPECT_EQ(m->Categories()->Count(), 1);
  EXPECT_EQ(m->Categories()->Strings(0), "Default");
  EXPECT_EQ(m->MostRecentItemsThreshold(), 20);
  EXPECT_EQ(m->WaitForDockingTime(), 21);
  EXPECT_NE(m->SavedState(), nullptr);
  EXPECT_EQ(m->DockControlCount(), 4);
  for (TdxBarDockingStyle style : {dsLeft, dsTop, dsRight, dsBottom}) {
    ASSERT_NE(m->Bars()->DockControls(style), nullptr);
    EXPECT_EQ(m->Bars()->DockControls(style)->DockSiteStyle(), style);
    EXPECT_EQ(m->Bars()->DockControls(style)->Parent(), Form);
  }
  ASSERT_NE(m->Painter(), nullptr);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarEnhancedPainter>());
}

TEST_F(BarManagerTest, StyleTableGivesPainterAndResolvedStyle) {
  struct Row {
    TdxBarManagerStyle Style;
    bool VisualStyles;
    TcxLookAndFeelKind Kind;
    bool Native, Skin;
    TClass Painter;
    TdxBarManagerStyle Resolved;
  };
  struct RestoreDefault {
    TdxBarPainterClass Saved = DefaultBarPainterClass;
    ~RestoreDefault() { DefaultBarPainterClass = Saved; }
  } restore;
  DefaultBarPainterClass = ClassOf<TdxBarSkinPainter>();
  const Row rows[] = {
      {bmsStandard, false, lfFlat, false, false, ClassOf<TdxBarStandardPainter>(), bmsStandard},
      {bmsEnhanced, true, lfStandard, true, true, ClassOf<TdxBarEnhancedPainter>(), bmsEnhanced},
      {bmsFlat, false, lfStandard, false, false, ClassOf<TdxBarFlatPainter>(), bmsFlat},
      {bmsXP, false, lfStandard, false, false, ClassOf<TdxBarEnhancedPainter>(), bmsXP},
      {bmsXP, true, lfStandard, false, false, ClassOf<TdxBarXPPainter>(), bmsXP},
      {bmsOffice11, false, lfStandard, false, false, ClassOf<TdxBarOffice11Painter>(), bmsOffice11},
      {bmsUseLookAndFeel, true, lfFlat, true, true, ClassOf<TdxBarXPPainter>(), bmsXP},
      {bmsUseLookAndFeel, false, lfFlat, true, true, ClassOf<TdxBarSkinPainter>(), bmsEnhanced},
      {bmsUseLookAndFeel, false, lfFlat, false, false, ClassOf<TdxBarEnhancedPainter>(), bmsEnhanced},
      {bmsUseLookAndFeel, false, lfStandard, false, false, ClassOf<TdxBarStandardPainter>(), bmsStandard},
      {bmsUseLookAndFeel, false, lfUltraFlat, false, false, ClassOf<TdxBarFlatPainter>(), bmsFlat},
      {bmsUseLookAndFeel, true, lfUltraFlat, false, false, ClassOf<TdxBarFlatPainter>(), bmsFlat},
      {bmsUseLookAndFeel, false, lfOffice11, true, false, ClassOf<TdxBarOffice11Painter>(), bmsOffice11},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << "style " << r.Style << " themes " << r.VisualStyles << " kind " << r.Kind
                                    << " native " << r.Native << " skin " << r.Skin);
    EXPECT_EQ(dxBarPainterClassOfKind(dxBarPainterKind(r.Style, r.VisualStyles, r.Kind, r.Native, r.Skin)),
              r.Painter);
    EXPECT_EQ(dxBarResolvedStyle(r.Style, r.VisualStyles, r.Kind, r.Native), r.Resolved);
  }
}

TEST_F(BarManagerTest, StyleChangeMakesANewPainterAndEveryBarWindowRecomputesItsFrameOnce) {
  TdxBarManager* m = NewManager();
  TCountingBarControl* first = AddShownBar(m, "A");
  TCountingBarControl* second = AddShownBar(m, "B");
  m->SetStyle(bmsXP);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarEnhancedPainter>()) << "no visual styles here";
  EXPECT_EQ(m->ResolvedStyle(), bmsXP);
  EXPECT_EQ(first->StyleChanges, 1);
  EXPECT_EQ(second->StyleChanges, 1);
  EXPECT_EQ(first->Count("RebuildRecreating"), 1);

  m->SetStyle(bmsFlat);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarFlatPainter>());
  m->SetStyle(bmsStandard);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarStandardPainter>());
  EXPECT_FALSE(m->IsRecentItemsActive());
  m->SetNotDocking({dsLeft});
  EXPECT_EQ(first->StyleChanges, 4);
  m->SetStyle(bmsUseLookAndFeel);
  EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarFlatPainter>()) << "the look-and-feel's ultra-flat default";
  EXPECT_EQ(m->ResolvedStyle(), bmsFlat);
}

// A skin painter needs only its own identity here.
struct TBlueSkinPainter : TcxUltraFlatLookAndFeelPainter {};
const TBlueSkinPainter kBlueSkin;

// Keeps what the skin painter's construction was given.
class TRecordingSkinPainter : public TdxBarSkinPainter {
  VW_CLASS(TRecordingSkinPainter, TdxBarSkinPainter)
 public:
  TRecordingSkinPainter() = default;
  void Construct(const TcxCustomLookAndFeelPainter* AData) override { Given = AData; }
  static inline const TcxCustomLookAndFeelPainter* Given = nullptr;
};

TEST_F(BarManagerTest, LookAndFeelAndThemesChooseThePainter) {
  PaintingUnitsStartup();
  struct RestoreDefault {
    TdxBarPainterClass Saved = DefaultBarPainterClass;
    ~RestoreDefault() { DefaultBarPainterClass = Saved; }
  } restore;
  DefaultBarPainterClass = ClassOf<TRecordingSkinPainter>();
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("Blue", &kBlueSkin, nullptr));
  {
    TdxBarManager* m = NewManager();
    TCountingBarControl* window = AddShownBar(m);
    m->SetStyle(bmsUseLookAndFeel);
    EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarFlatPainter>()) << "ultra-flat by default";
    EXPECT_EQ(m->ResolvedStyle(), bmsFlat);
    const int before = window->StyleChanges;
    m->LookAndFeel()->SetKind(lfOffice11);
    EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarOffice11Painter>());
    EXPECT_EQ(window->StyleChanges, before + 1);
    m->LookAndFeel()->SetSkinName("Blue");
    EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TRecordingSkinPainter>());
    EXPECT_EQ(TRecordingSkinPainter::Given, &kBlueSkin);
    EXPECT_EQ(m->ResolvedStyle(), bmsOffice11) << "the kind still names the style";

    // Handing the style on: a skin copies the look-and-feel, the others set a painter style.
    TcxLookAndFeel other(nullptr);
    other.SetKind(lfStandard);
    m->AssignStyleToLookAndFeel(&other);
    EXPECT_EQ(other.SkinName(), "Blue");
    m->SetStyle(bmsOffice11);
    m->AssignStyleToLookAndFeel(&other);
    EXPECT_EQ(other.Kind(), lfOffice11);
    EXPECT_EQ(other.SkinName(), "");
    m->SetStyle(bmsStandard);
    m->AssignStyleToLookAndFeel(&other);
    EXPECT_EQ(other.Kind(), lfFlat);
    TObject::Free(m);
  }
  ExtendedStylePainterRegistry()->UnregisterPainter("Blue");
  PaintingUnitsShutdown();

  // With a theme library the themed branch is taken.
  testsupport::FakeThemeLibrary::Install();
  for (const char* name :
       {"COMBOBOX", "EDIT", "PROGRESS", "REBAR", "SCROLLBAR", "SPIN", "STATUS", "TOOLBAR", "WINDOW"})
    testsupport::FakeThemeLibrary::OpenableClasses().insert(name);
  ThemeAccessStartup();
  {
    TdxBarManager* m = NewManager();
    m->SetStyle(bmsXP);
    EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarXPPainter>());
    EXPECT_TRUE(m->ThemeAvailable());
    EXPECT_NE(m->ThemeToolbarBrush(), nullptr);
    m->SetStyle(bmsUseLookAndFeel);
    m->LookAndFeel()->SetNativeStyle(true);
    EXPECT_EQ(m->Painter()->ClassType(), ClassOf<TdxBarXPPainter>());
    EXPECT_EQ(m->ResolvedStyle(), bmsXP);
    TObject::Free(m);
  }
  ThemeAccessShutdown();
  testsupport::FakeThemeLibrary::Uninstall();
}

TEST_F(BarManagerTest, SettersKeepTheirRules) {
  TdxBarManager* m = NewManager();
  m->SetButtonArrowWidth(1);
  EXPECT_EQ(m->ButtonArrowWidth(), 11);
  m->SetButtonArrowWidth(2);
  EXPECT_EQ(m->ButtonArrowWidth(), 2);
  m->SetLargeButtonArrowWidth(1);
  EXPECT_EQ(m->LargeButtonArrowWidth(), 13);
  m->SetLargeButtonArrowWidth(2);
  EXPECT_EQ(m->LargeButtonArrowWidth(), 2);

  struct {
    int Set, Reads, Threshold;
  } percents[] = {{150, 100, 0}, {95, 95, 20}, {99, 99, 100}, {50, 50, 2}, {0, 0, 1}, {100, 100, 0}};
  for (auto p : percents) {
    m->SetMostRecentItemsPercents(p.Set);
    EXPECT_EQ(m->MostRecentItemsPercents(), p.Reads) << p.Set;
    EXPECT_EQ(m->MostRecentItemsThreshold(), p.Threshold) << p.Set;
  }

  m->SetWaitForDockingTime(-5);
  EXPECT_EQ(m->WaitForDockingTime(), 21);
  m->SetWaitForDockingTime(0);
  EXPECT_EQ(m->WaitForDockingTime(), 0);

  Form->SetColor(clRed);
  EXPECT_EQ(m->DockColor(), clRed) << "AutoDockColor reads the owner's colour";
  m->SetDockColor(clBlue);
  EXPECT_FALSE(m->AutoDockColor());
  EXPECT_EQ(m->DockColor(), clBlue);

  struct {
    const char* Set;
    const char* Reads;
  } paths[] = {{"Software\\App", "\\Software\\App\\"}, {"\\A\\", "\\A\\"}, {"", ""}};
  for (auto p : paths) {
    m->SetRegistryPath(p.Set);
    EXPECT_EQ(m->RegistryPath(), p.Reads) << p.Set;
  }

  TdxBar* bar = m->Bars()->Add();
  m->SetAutoHideEmptyBars(true);
  bar->SetHiddenAsEmpty(true);
  m->SetAutoHideEmptyBars(false);
  EXPECT_FALSE(bar->HiddenAsEmpty());

  int changes = 0;
  m->OnItemLinkChange = [&](TdxBarManager*, TdxBarItemLink*) { ++changes; };
  m->ItemLinkChanged(nullptr);
  EXPECT_EQ(changes, 1);
}

TEST_F(BarManagerTest, FormDescriptionStoresWhatItShould) {
  TdxBarManager* m = NewManager();
  m->SetName("dxBarManager1");
  const String text = ComponentToFormText(m);
  for (const char* absent : {"Style", "DockColor", "ImageListBkColor", "LargeIcons", "StretchGlyphs", "Images ",
                             "Bars "})
    EXPECT_EQ(text.find(String("  ") + absent), String::npos) << absent << "\n" << text;
  EXPECT_NE(text.find("UseSystemFont = True"), String::npos) << text;
  EXPECT_NE(text.find("DockControlHeights = (\r\n    0\r\n    0\r\n    0\r\n    0)"), String::npos) << text;

  m->SetStyle(bmsFlat);
  m->SetDockColor(clRed);
  const String changed = ComponentToFormText(m);
  EXPECT_NE(changed.find("Style = bmsFlat"), String::npos) << changed;
  EXPECT_NE(changed.find("DockColor = clRed"), String::npos) << changed;
}

TEST_F(BarManagerTest, FormDescriptionReadsBarsAndSiteSizes) {
  TdxBarManager* m = NewManager();
  m->SetName("dxBarManager1");
  TdxBar* existing = m->Bars()->Add();
  existing->SetName("dxBarManager1Bar1");
  FormTextToComponent(
      "object dxBarManager1: TdxBarManager\r\n"
      "  Bars = <\r\n"
      "    item\r\n"
      "      Caption = 'File'\r\n"
      "      Name = 'Renamed'\r\n"
      "      DockingStyle = dsTop\r\n"
      "      IsMainMenu = True\r\n"
      "      Visible = True\r\n"
      "    end\r\n"
      "    item [7]\r\n"
      "      Caption = 'Tools'\r\n"
      "      Name = 'dxBarManager1Bar2'\r\n"
      "      DockingStyle = dsLeft\r\n"
      "      Visible = True\r\n"
      "    end>\r\n"
      "  DockControlHeights = (\r\n"
      "    31\r\n"
      "    32\r\n"
      "    26\r\n"
      "    27)\r\n"
      "end\r\n",
      m);
  ASSERT_EQ(m->Bars()->Count(), 2);
  EXPECT_EQ(m->Bars()->Items(0), existing);
  EXPECT_EQ(existing->Caption(), "File");
  EXPECT_EQ(existing->Name(), "dxBarManager1Bar1") << "the name stays locked while the entry is read";
  EXPECT_TRUE(existing->IsMainMenu());
  TdxBar* tools = m->Bars()->Items(1);
  EXPECT_EQ(tools->Caption(), "Tools");
  // Loaded applies the loaded positions and visibility.
  EXPECT_EQ(existing->DockingStyle(), dsTop);
  EXPECT_EQ(tools->DockingStyle(), dsLeft);
  EXPECT_TRUE(tools->Visible());
  EXPECT_TRUE(tools->Predefined());
  // The stored sizes stand until the sites recalculate at the end of loading: then they fit
  // their rows, and the empty ones close.
  ASSERT_NE(tools->Control(), nullptr);
  EXPECT_EQ(m->Bars()->DockControls(dsLeft)->Width(), tools->Control()->Width());
  EXPECT_EQ(m->Bars()->DockControls(dsRight)->Width(), 0);
  EXPECT_EQ(m->Bars()->DockControls(dsBottom)->Height(), 0);
  EXPECT_EQ(m->InternalState() & bmsLoading, 0u);
}

// A form designer for tests: names from a counter and a selection list.
class TTestDesigner : public IdxBarDesigner {
 public:
  bool CanDeleteComponent(TComponent*) override { return false; }
  void GetSelection(TList* AList) override { AList->Add(nullptr); }
  int GetSelectionStatus(TPersistent*) override { return 1; }
  void SelectComponent(TPersistent*, int) override {}
  void SetSelection(TList*) override {}
  void DesignerAction(TComponent*) override {}
  String UniqueName(const String& ABaseName) override { return ABaseName + "99"; }
};

struct MessageBoxLog {
  static inline String Text, Caption;
  static inline int Flags = 0, Answer = IDNO, Calls = 0;
  static int Show(HWND, const String& AText, const String& ACaption, int AFlags) {
    Text = AText;
    Caption = ACaption;
    Flags = AFlags;
    ++Calls;
    return Answer;
  }
};

TEST_F(BarManagerTest, DesignTimeNamesAndBrokenLinks) {
  Form->SetName("Form1");
  Form->SetDesigning(true);
  TdxBarManager* m = NewManager();
  m->SetName("dxBarManager1");
  EXPECT_EQ(m->SavedState(), nullptr) << "no saved state at design time";
  TTestDesigner designer;
  m->SetDesigner(&designer);
  EXPECT_EQ(m->GetUniqueItemName(ClassOf<TdxBarButton>()), "dxBarButton99");
  EXPECT_EQ(m->GetUniqueBarName("Bar"), "Bar99");
  EXPECT_FALSE(m->CanDeleteComponent(m));
  EXPECT_EQ(m->GetSelectionStatus(m), 1);

  TdxBar* bar = m->Bars()->Add();
  auto* item = new TdxBarButton(Form);
  bar->ItemLinks()->AddItem(item);
  bar->ItemLinks()->Add();
  m->SetModified(false);  // placing links marked the layout changed
  auto* previous = TApplication::SetMessageBoxFunc(&MessageBoxLog::Show);
  const char* kStream = "object dxBarManager1: TdxBarManager\r\nend\r\n";

  MessageBoxLog::Answer = IDNO;
  FormTextToComponent(kStream, m);
  EXPECT_EQ(MessageBoxLog::Calls, 1);
  EXPECT_EQ(MessageBoxLog::Caption, "Bars Library");
  EXPECT_EQ(MessageBoxLog::Flags, static_cast<int>(MB_YESNOCANCEL | MB_ICONWARNING));
  String qualified;
  QualifiedComponentName(m, qualified);
  EXPECT_NE(qualified.find("Form1.dxBarManager1"), String::npos) << qualified;
  EXPECT_EQ(MessageBoxLog::Text,
            qualified +
            " has broken bar item links. These links are not associated with any bar item, and "
            "may cause problems when creating a bar layout.\r\n\r\nDo you want to delete broken bar item links?");
  EXPECT_EQ(bar->ItemLinks()->Count(), 2) << "No keeps them";
  EXPECT_FALSE(m->Modified());

  MessageBoxLog::Answer = IDCANCEL;
  EXPECT_THROW(FormTextToComponent(kStream, m), EAbort);
  EXPECT_EQ(bar->ItemLinks()->Count(), 2);

  MessageBoxLog::Answer = IDYES;
  FormTextToComponent(kStream, m);
  ASSERT_EQ(bar->ItemLinks()->Count(), 1);
  EXPECT_EQ(bar->ItemLinks()->Items(0)->Item(), item);
  EXPECT_TRUE(m->Modified());

  MessageBoxLog::Calls = 0;
  FormTextToComponent(kStream, m);
  EXPECT_EQ(MessageBoxLog::Calls, 0) << "nothing to ask about";
  TApplication::SetMessageBoxFunc(previous);
  m->SetDesigner(nullptr);
}

TEST_F(BarManagerTest, FontsFollowTheSystemMenuFont) {
  SetMenuFontHeight(-12);
  LOGFONTA iconTitle{};
  SystemParametersInfo(SPI_GETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
  iconTitle.lfHeight = -10;
  SystemParametersInfo(SPI_SETICONTITLELOGFONT, sizeof(iconTitle), &iconTitle, 0);
  TdxBarManager* m = NewManager();
  EXPECT_EQ(m->Font()->Height(), -12);
  EXPECT_EQ(m->EditFont()->Height(), -11) << "an icon-title height of -10 gives -11";
  EXPECT_EQ(m->BarCaptionFont()->Height(), NonClientSmallCaptionHeight());
  TdxBar* plain = m->Bars()->Add();
  TdxBar* own = m->Bars()->Add();
  own->SetUseOwnFont(true);
  own->Font()->SetHeight(-20);

  m->Font()->SetSize(20);
  EXPECT_FALSE(m->UseSystemFont()) << "a change from outside";
  EXPECT_EQ(m->Font()->Height(), -12) << "Scaled brings the system height back";
  m->SetScaled(false);
  m->Font()->SetHeight(-30);
  EXPECT_EQ(m->Font()->Height(), -30);
  EXPECT_EQ(m->EditFont()->Height(), -30) << "unscaled: a copy of Font";
  EXPECT_EQ(m->BarCaptionFont()->Height(), std::min(-11, NonClientSmallCaptionHeight()));
  EXPECT_EQ(m->BarCaptionFont()->Name(), m->Font()->Name());

  int handlerCalls = 0;
  m->SystemFontChangedHandlers()->Handlers.push_back([&](TObject*, const void*) { ++handlerCalls; });
  SetMenuFontHeight(-14);
  m->SetUseSystemFont(true);
  EXPECT_EQ(m->Font()->Height(), -14);
  EXPECT_EQ(handlerCalls, 1);
  EXPECT_EQ(plain->Font()->Height(), -14);
  EXPECT_EQ(own->Font()->Height(), -20);
  SetMenuFontHeight(-16);
  m->SystemFontsChanged();
  EXPECT_EQ(plain->Font()->Height(), -16);
  EXPECT_EQ(handlerCalls, 2);
}

TEST_F(BarManagerTest, SelectionMouseTrackingAndLookups) {
  TdxBarManager* m = NewManager();
  Form->HandleNeeded();
  TCountingBarControl* a = AddShownBar(m, "A");
  TCountingBarControl* b = AddShownBar(m, "B");
  a->SetParent(Form);
  b->SetParent(Form);
  a->HandleNeeded();
  b->HandleNeeded();
  a->Calls.clear();
  b->Calls.clear();
  TdxBarItemControl first, second, third;

  m->SetSelectedItem(&first, a, a);
  m->SetSelectedItem(&second, b, b);
  EXPECT_TRUE(a->Calls.empty()) << "outside customizing nothing is dropped";
  m->SetCustomizing(true);
  a->Calls.clear();
  b->Calls.clear();
  m->SetSelectedItem(&third, b, b);
  EXPECT_TRUE(b->Calls.empty()) << "same root toolbar";
  m->SetSelectedItem(&first, a, a);
  EXPECT_EQ(b->Calls, std::vector<String>{"DropSelection"});
  EXPECT_EQ(m->SelectedItem(), &first);
  m->SetCustomizing(false);

  a->Calls.clear();
  m->StartMouseTracking(a);
  EXPECT_EQ(m->MouseTrackingBarControl(), a);
  m->StartMouseTracking(b);
  EXPECT_EQ(a->Calls, std::vector<String>{"MouseLeft"}) << "a new window ends the previous one's tracking";
  EXPECT_EQ(m->MouseTrackingBarControl(), b);
  m->EndMouseTracking(a);
  EXPECT_EQ(m->MouseTrackingBarControl(), b) << "ending another window's tracking changes nothing";
  m->EndMouseTracking(b);
  EXPECT_EQ(m->MouseTrackingBarControl(), nullptr);

  EXPECT_EQ(GetBarManagerByWindow(Form->Handle()), m);
  EXPECT_EQ(GetBarManagerByWindow(a->Handle()), nullptr) << "only the owner's own window";
  EXPECT_EQ(GetBarManagerByComponent(a), m);
  EXPECT_EQ(m->DialogParentWindow(), Form->Handle());
  EXPECT_FALSE(m->OtherManagerCustomizing());
  EXPECT_TRUE(m->EditableInDesigner());
}

TEST_F(BarManagerTest, FloatingBarsAreDisabledWhileAModalEditorRuns) {
  TdxBarManager* m = NewManager();
  Form->HandleNeeded();
  TdxBar* floating = m->Bars()->Add();
  TdxBar* docked = m->Bars()->Add();
  TdxBar* gone = m->Bars()->Add();
  docked->SetDockingStyle(dsTop);
  for (TdxBar* bar : {floating, docked, gone}) {
    bar->SetVisible(true);
    ASSERT_NE(bar->Control(), nullptr);
    bar->Control()->HandleNeeded();
  }
  m->DisableFloatingBars();
  EXPECT_FALSE(IsWindowEnabled(floating->Control()->Handle()));
  EXPECT_TRUE(IsWindowEnabled(docked->Control()->Handle()));
  gone->SetVisible(false);
  m->EnableFloatingBars();
  EXPECT_TRUE(IsWindowEnabled(floating->Control()->Handle()));
}

TEST_F(BarManagerTest, FlatBrushesTruncateAndTakeTheNearestColour) {
  const INT elements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW};
  const COLORREF values[] = {RGB(200, 200, 200), RGB(100, 100, 100)};
  SetSysColors(2, elements, values);
  TdxBarManager* m = NewManager();
  EXPECT_EQ(m->FlatToolbarsColor(), static_cast<TColor>(RGB(208, 208, 208)));
  EXPECT_EQ(m->FlatToolbarsBorderColor(), static_cast<TColor>(RGB(80, 80, 80)));
  LOGBRUSH face{}, border{};
  GetObject(m->FlatToolbarsBrush(), sizeof(face), &face);
  GetObject(m->FlatToolbarsBorderBrush(), sizeof(border), &border);
  EXPECT_EQ(face.lbColor, RGB(208, 208, 208));
  EXPECT_EQ(border.lbColor, RGB(80, 80, 80));
  for (HBRUSH brush : {m->FlatToolbarsDownedBrush(), m->FlatToolbarsDownedSelBrush(), m->FlatToolbarsSelBrush()})
    EXPECT_NE(brush, nullptr);
  EXPECT_EQ(m->ThemeToolbarBrush(), nullptr) << "no visual styles";
}

// Counts WM_SETREDRAW per window and its value.
struct RedrawLog {
  static std::map<HWND, std::vector<WPARAM>>& Sent() {
    static std::map<HWND, std::vector<WPARAM>> sent;
    return sent;
  }
  static LRESULT Hook(int Code, WPARAM W, LPARAM L) {
    const auto* cwp = reinterpret_cast<const CWPSTRUCT*>(L);
    if (Code >= 0 && cwp->message == WM_SETREDRAW) Sent()[cwp->hwnd].push_back(cwp->wParam);
    return CallNextHookEx(nullptr, Code, W, L);
  }
};

TEST_F(BarManagerTest, UpdateLockingStopsRedrawingOnceAndRelaysChangedToolbarsOnce) {
  TdxBarManager* m = NewManager();
  Form->HandleNeeded();
  m->Bars()->DockControls(dsLeft)->SetVisible(false);
  m->Bars()->DockControls(dsRight)->SetVisible(false);
  auto* standAlone = new TdxBarDockControl(Form);
  standAlone->SetParent(Form);
  standAlone->SetBarManager(m);
  std::vector<TdxDockControl*> sites{m->Bars()->DockControls(dsTop), m->Bars()->DockControls(dsBottom), standAlone};
  for (TdxDockControl* site : sites) site->HandleNeeded();
  TCountingBarControl* changed = AddShownBar(m, "A");
  TCountingBarControl* unchanged = AddShownBar(m, "B");
  // New toolbars are marked changed until the next update ends.
  m->BeginUpdate();
  m->EndUpdate();
  changed->Relayouts = unchanged->Relayouts = unchanged->Repaints = 0;

  RedrawLog::Sent().clear();
  HHOOK hook = SetWindowsHookEx(WH_CALLWNDPROC, &RedrawLog::Hook, nullptr, 0);
  m->BeginUpdate();
  m->BeginUpdate();
  m->Bars()->Items(0)->SetChanged(true);
  m->EndUpdate();
  EXPECT_EQ(changed->Relayouts, 0) << "still locked";
  m->EndUpdate();
  UnhookWindowsHookEx(hook);

  EXPECT_EQ(RedrawLog::Sent().size(), 3u);
  for (TdxDockControl* site : sites) EXPECT_EQ(RedrawLog::Sent()[site->Handle()], (std::vector<WPARAM>{FALSE, TRUE}));
  EXPECT_EQ(changed->Relayouts, 1);
  EXPECT_EQ(unchanged->Relayouts, 0);
  EXPECT_EQ(unchanged->Repaints, 1);
  EXPECT_FALSE(m->Bars()->Items(0)->Changed());
  EXPECT_FALSE(m->IsLocked());

  // A site freed while locked is skipped.
  m->BeginUpdate();
  delete standAlone;
  m->EndUpdate();
  EXPECT_EQ(m->DockControlCount(), 4);

  changed->ThrowOnLayout = true;
  m->BeginUpdate();
  m->Bars()->Items(0)->SetChanged(true);
  m->Bars()->Items(1)->SetChanged(true);
  EXPECT_THROW(m->EndUpdate(), std::runtime_error);
  EXPECT_FALSE(m->Bars()->Items(0)->Changed());
  EXPECT_FALSE(m->Bars()->Items(1)->Changed());
  EXPECT_FALSE(m->IsLocked());
}

TEST_F(BarManagerTest, AddToolbarPlacesItAgainstTheWorkArea) {
  TdxBarManager* m = NewManager();
  TdxBar* menu = m->AddToolbar(true);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->Caption(), "Custom 1");
  EXPECT_EQ(menu->FloatLeft(), 250);
  EXPECT_EQ(menu->FloatTop(), 200);
  EXPECT_TRUE(menu->IsMainMenu());
  EXPECT_EQ(menu->Row(), 0);
  EXPECT_TRUE(menu->Visible());
  EXPECT_EQ(menu->DockingStyle(), dsTop);

  Form->SetBounds(20, -20, 600, 300);
  TdxBar* bar = m->AddToolbar();
  EXPECT_EQ(bar->Caption(), "Custom 2");
  EXPECT_EQ(bar->FloatLeft(), 630);
  EXPECT_EQ(bar->FloatTop(), 10);
  EXPECT_FALSE(bar->IsMainMenu());
  EXPECT_TRUE(bar->OneOnRow()) << "alone on the new last row once its site laid the row out";
  EXPECT_EQ(bar->Row(), 1);
  EXPECT_TRUE(bar->Visible());

  String proposed;
  m->ShowNameDialog = [&](String& Text, bool Rename) {
    proposed = Text;
    EXPECT_FALSE(Rename);
    return false;
  };
  EXPECT_EQ(m->AddToolbar(false, true), nullptr);
  EXPECT_EQ(proposed, "Custom 3");
  EXPECT_EQ(m->Bars()->Count(), 2);
  EXPECT_FALSE(m->IsLocked());
}

TEST_F(BarManagerTest, UniqueNamesAndDockingPermission) {
  TdxBarManager* m = NewManager();
  auto* taken = new TdxBarButton(Form);
  taken->SetName("DXBARBUTTON1");
  m->AddItem(taken);
  EXPECT_EQ(m->GetUniqueItemName(ClassOf<TdxBarButton>()), "dxBarButton2");
  EXPECT_EQ(m->ItemByName("dxbarbutton1"), taken);
  m->RemoveItem(taken);
  TdxBar* bar = m->Bars()->Add();
  bar->SetName("Bar1");
  EXPECT_EQ(m->GetUniqueBarName("Bar"), "Bar2");
  bar->SetCaption("Custom 1");
  EXPECT_EQ(m->GetUniqueBarCaption("Custom "), "Custom 2");

  class TRefusingSite : public TdxBarDockControl {
   public:
    using TdxBarDockControl::TdxBarDockControl;
    bool AcceptsBar(TdxBar*) override { return false; }
  };
  auto* refusing = new TRefusingSite(Form);
  TdxDockControl* top = m->Bars()->DockControls(dsTop);
  struct Row {
    TdxBarDockingStyles BarNot;
    TdxDockControl* Site;
    TdxBarDockingStyles ManagerNot;
    int OnDocking;  // -1 unassigned, 0 refuse, 1 allow
    bool Expected;
  } rows[] = {
      {{}, nullptr, {}, -1, true},
      {{dsTop}, nullptr, {}, -1, false},
      {{dsTop}, refusing, {}, -1, false},
      {{}, refusing, {}, -1, false},
      {{}, refusing, {dsTop}, 1, true},
      {{}, top, {dsTop}, -1, false},
      {{}, nullptr, {dsTop}, -1, false},
      {{}, nullptr, {dsLeft}, -1, true},
      {{}, nullptr, {}, 0, false},
      {{dsTop}, nullptr, {}, 1, true},
  };
  for (const Row& r : rows) {
    bar->SetNotDocking(r.BarNot);
    m->SetNotDocking(r.ManagerNot);
    m->OnDocking = nullptr;
    if (r.OnDocking >= 0)
      m->OnDocking = [&r](TdxBar*, TdxBarDockingStyle, TdxDockControl*, bool& Can) { Can = r.OnDocking == 1; };
    EXPECT_EQ(m->CanDockBar(bar, dsTop, r.Site), r.Expected) << &r - rows;
  }
}

TEST_F(BarManagerTest, CustomizingRebuildsEveryBarOnceAndASecondSwitchDoesNothing) {
  TdxBarManager* m = NewManager();
  TCountingBarControl* a = AddShownBar(m, "A");
  TCountingBarControl* b = AddShownBar(m, "B");
  auto* menu = new TdxBarPopupMenu(Form);
  menu->SetBarManager(m);
  int shown = 0;
  m->ShowCustomizingForm = [&](TdxBarManager*, bool Show) { shown += Show ? 1 : -1; };

  m->SetCustomizing(true);
  EXPECT_TRUE(m->IsCustomizing());
  EXPECT_TRUE(m->InCustomizing());
  EXPECT_EQ(shown, 1);
  const std::vector<String> expected{"CloseUp", "DestroyControls", "CreateControls", "UpdateControlState",
                                     "RebuildRecreating"};
  EXPECT_EQ(a->Calls, expected);
  EXPECT_EQ(b->Calls, expected);

  a->Calls.clear();
  m->SetCustomizing(true);
  EXPECT_TRUE(a->Calls.empty());
  m->SetCustomizing(false);
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(a->Calls, expected);
}

}  // namespace
