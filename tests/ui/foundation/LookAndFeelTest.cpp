#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/win/Metrics.h"
#include "tests/support/FakeThemeLibrary.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/WinXPPainter.h"

namespace {

using namespace win;
using testsupport::FakeThemeLibrary;

// A skin painter needs only its own class identity here.
struct TBlueSkinPainter : TcxUltraFlatLookAndFeelPainter {};
struct TGreenSkinPainter : TcxUltraFlatLookAndFeelPainter {};
const TBlueSkinPainter kBlue;
const TGreenSkinPainter kGreen;

// Counts how many skin data objects the registry freed.
int gInfosFreed = 0;
struct TSkinInfo : TObject {
  ~TSkinInfo() override { ++gInfosFreed; }
};

// Records every notice a look-and-feel sends.
struct Recorder {
  std::vector<TcxLookAndFeelValues> Notices;
  void Watch(TcxLookAndFeel& L) {
    L.OnChanged = [this](TcxLookAndFeel*, TcxLookAndFeelValues V) { Notices.push_back(V); };
  }
};

class TCountingController : public TcxLookAndFeelController {
 public:
  using TcxLookAndFeelController::TcxLookAndFeelController;
  int RootChanges = 0;

 protected:
  void RootValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues) override { ++RootChanges; }
};

class TLookAndFeelHolder : public TComponent {
  VW_CLASS(TLookAndFeelHolder, TComponent)
 public:
  explicit TLookAndFeelHolder(TComponent* AOwner) : TComponent(AOwner), FLookAndFeel(new TcxLookAndFeel(this)) {}
  ~TLookAndFeelHolder() override { TObject::Free(FLookAndFeel); }
  static void DeclareProperties(TPropTable& t) {
    t.Add("LookAndFeel", &TLookAndFeelHolder::LookAndFeel, &TLookAndFeelHolder::SetLookAndFeel);
  }
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel; }
  void SetLookAndFeel(TcxLookAndFeel* Value) { FLookAndFeel->Assign(Value); }

 private:
  TcxLookAndFeel* FLookAndFeel;
};

class LookAndFeelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(320, 240));
    InitializeForms();
    gInfosFreed = 0;
  }
  void Start(bool VisualStyles = false) {
    if (VisualStyles) {
      FakeThemeLibrary::Install();
      FakeThemeLibrary::OpenableClasses().insert("BUTTON");
    }
    PaintingUnitsStartup();
  }
  void TearDown() override {
    PaintingUnitsShutdown();
    SetUseSkins(true);
    FakeThemeLibrary::Uninstall();
    FinalizeForms();
    platform::ResetDisplay();
  }
  TcxExtendedStylePainters* Registry() { return ExtendedStylePainterRegistry(); }
};

TEST_F(LookAndFeelTest, ANewObjectFollowsTheRootAndDrawsUltraFlat) {
  Start();
  TcxLookAndFeel lf(nullptr);
  EXPECT_EQ(lf.Kind(), lfUltraFlat);
  EXPECT_FALSE(lf.NativeStyle());
  EXPECT_EQ(lf.SkinName(), "");
  EXPECT_EQ(lf.ActivePainter(), UltraFlatLookAndFeelPainter());
  EXPECT_TRUE(lf.AssignedValues().Empty());
  EXPECT_EQ(lf.Master(), RootLookAndFeel());
  EXPECT_TRUE(RootLookAndFeel()->AssignedValues().Empty());
  EXPECT_EQ(RootLookAndFeel()->Master(), nullptr);
}

TEST_F(LookAndFeelTest, EdgeCases) {
  Start();
  ASSERT_TRUE(Registry()->RegisterPainter("Blue", &kBlue, nullptr));
  struct Case {
    const char* Name;
    std::function<void()> Run;
  };
  const Case cases[] = {
      {"a kind equal to the master's is assigned without a notice and then no longer follows",
       [] {
         TcxLookAndFeel lf(nullptr);
         Recorder r;
         r.Watch(lf);
         lf.SetKind(lfUltraFlat);
         EXPECT_EQ(lf.AssignedValues(), TcxLookAndFeelValues{lfvKind});
         EXPECT_TRUE(r.Notices.empty());
         RootLookAndFeel()->SetKind(lfFlat);
         EXPECT_EQ(lf.Kind(), lfUltraFlat);
         EXPECT_TRUE(r.Notices.empty());
         RootLookAndFeel()->ClearAssignedValues();
       }},
      {"native style without visual styles draws with the kind's painter and ignores the skin",
       [] {
         TcxLookAndFeel lf(nullptr);
         lf.SetKind(lfStandard);
         lf.SetSkinName("Blue");
         EXPECT_EQ(lf.ActivePainter(), &kBlue);
         lf.SetNativeStyle(true);
         EXPECT_EQ(lf.ActivePainter(), StandardLookAndFeelPainter());
         EXPECT_EQ(lf.SkinPainter(), nullptr);
         EXPECT_EQ(lf.PainterForThemedObject(tciButton), StandardLookAndFeelPainter());
       }},
      {"the root's skin reaches followers without their own name; with skins off the name stays",
       [] {
         TcxLookAndFeelController controller(nullptr);
         TcxLookAndFeel follower(nullptr), own(nullptr);
         own.SetSkinName("");
         Recorder r;
         r.Watch(follower);
         controller.SetSkinName("blue");
         EXPECT_EQ(follower.ActivePainter(), &kBlue);
         EXPECT_EQ(follower.SkinName(), "blue");
         EXPECT_EQ(own.ActivePainter(), UltraFlatLookAndFeelPainter());
         ASSERT_EQ(r.Notices.size(), 1u);
         EXPECT_EQ(r.Notices[0], TcxLookAndFeelValues{lfvSkinName});
         SetUseSkins(false);
         RootLookAndFeel()->NotifyAllChanged();
         EXPECT_EQ(follower.ActivePainter(), UltraFlatLookAndFeelPainter());
         EXPECT_EQ(follower.SkinName(), "blue");
         SetUseSkins(true);
         RootLookAndFeel()->NotifyAllChanged();
         EXPECT_EQ(follower.ActivePainter(), &kBlue);
       }},
      {"the last controller leaving resets the root and tells the chain",
       [] {
         TcxLookAndFeel lf(nullptr);
         Recorder r;
         r.Watch(lf);
         auto* controller = new TcxLookAndFeelController(nullptr);
         controller->SetKind(lfFlat);
         controller->SetNativeStyle(true);
         EXPECT_EQ(lf.Kind(), lfFlat);
         EXPECT_EQ(RootLookAndFeelControllerCount(), 1);
         r.Notices.clear();
         delete controller;
         EXPECT_EQ(RootLookAndFeelControllerCount(), 0);
         EXPECT_TRUE(RootLookAndFeel()->AssignedValues().Empty());
         EXPECT_EQ(lf.Kind(), lfUltraFlat);
         EXPECT_FALSE(lf.NativeStyle());
         ASSERT_EQ(r.Notices.size(), 1u);
         EXPECT_EQ(r.Notices[0], (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
       }},
      {"one of two controllers leaving changes nothing",
       [] {
         TcxLookAndFeelController keeper(nullptr);
         auto* other = new TcxLookAndFeelController(nullptr);
         keeper.SetKind(lfOffice11);
         delete other;
         EXPECT_EQ(RootLookAndFeelControllerCount(), 1);
         EXPECT_EQ(keeper.Kind(), lfOffice11);
         EXPECT_EQ(RootLookAndFeel()->AssignedValues(), TcxLookAndFeelValues{lfvKind});
       }},
      {"a controller is not taken by a look-and-feel other than the root",
       [] {
         TcxLookAndFeel lf(nullptr);
         TCountingController controller(nullptr);
         lf.AddChangeListener(&controller);
         EXPECT_EQ(RootLookAndFeelControllerCount(), 1);
         lf.SetKind(lfFlat);
         EXPECT_EQ(controller.RootChanges, 0);
         RootLookAndFeel()->SetKind(lfStandard);
         EXPECT_EQ(controller.RootChanges, 1);
       }},
      {"a destroyed master hands its followers to the root with the values that change",
       [] {
         auto* master = new TcxLookAndFeel(nullptr);
         TcxLookAndFeel follower(nullptr);
         follower.AttachToMaster(master);
         master->SetKind(lfStandard);
         EXPECT_EQ(follower.Kind(), lfStandard);
         Recorder r;
         r.Watch(follower);
         delete master;
         EXPECT_EQ(follower.Master(), RootLookAndFeel());
         EXPECT_EQ(follower.Kind(), lfUltraFlat);
         ASSERT_EQ(r.Notices.size(), 1u);
         EXPECT_EQ(r.Notices[0], TcxLookAndFeelValues{lfvKind});
         RootLookAndFeel()->SetKind(lfFlat);
         EXPECT_EQ(follower.Kind(), lfFlat);
       }},
      {"a master that follows the object is refused",
       [] {
         TcxLookAndFeel a(nullptr), b(nullptr), c(nullptr);
         b.AttachToMaster(&a);
         c.AttachToMaster(&b);
         a.AttachToMaster(&c);
         a.AttachToMaster(&a);
         EXPECT_EQ(a.Master(), RootLookAndFeel());
         RootLookAndFeel()->SetKind(lfFlat);
         EXPECT_EQ(c.Kind(), lfFlat);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    c.Run();
    RootLookAndFeel()->ClearAssignedValues();
  }
}

TEST_F(LookAndFeelTest, AFollowerLeavingFromItsNoticeDoesNotMakeTheNextOneMissIt) {
  Start();
  TcxLookAndFeel master(nullptr), leaver(nullptr), next(nullptr);
  leaver.AttachToMaster(&master);
  next.AttachToMaster(&master);
  leaver.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues) { leaver.AttachToMaster(nullptr); };
  master.SetKind(lfStandard);
  EXPECT_EQ(leaver.Master(), RootLookAndFeel());
  EXPECT_EQ(next.Kind(), lfStandard);
}

TEST_F(LookAndFeelTest, NativeStyleWithVisualStylesDrawsThemedParts) {
  Start(true);
  TcxLookAndFeel lf(nullptr);
  lf.SetNativeStyle(true);
  EXPECT_EQ(lf.ActivePainter(), WinXPLookAndFeelPainter());
  EXPECT_EQ(lf.PainterForThemedObject(tciButton), WinXPLookAndFeelPainter());
  EXPECT_EQ(lf.PainterForThemedObject(tciHeader), UltraFlatLookAndFeelPainter());
  lf.ApplyPainterStyle(psOffice11);
  EXPECT_FALSE(lf.NativeStyle());
  EXPECT_EQ(lf.ActivePainter(), Office11LookAndFeelPainter());
}

TEST_F(LookAndFeelTest, KindOfStyle) {
  const std::pair<TcxPainterStyle, TcxLookAndFeelKind> cases[] = {
      {psFlat, lfFlat}, {psStandard, lfStandard}, {psUltraFlat, lfUltraFlat},
      {psNative, lfStandard}, {psOffice11, lfOffice11}};
  for (auto [style, kind] : cases) EXPECT_EQ(LookAndFeelKindOfStyle(style), kind) << style;
}

TEST_F(LookAndFeelTest, AssignCopiesTheValuesAndTheMaster) {
  Start();
  TcxLookAndFeel master(nullptr), source(nullptr), target(nullptr);
  source.AttachToMaster(&master);
  source.SetKind(lfFlat);
  master.SetNativeStyle(true);
  Recorder r;
  r.Watch(target);
  target.Assign(&source);
  EXPECT_EQ(target.Master(), &master);
  EXPECT_EQ(target.AssignedValues(), TcxLookAndFeelValues{lfvKind});
  EXPECT_EQ(target.Kind(), lfFlat);
  EXPECT_TRUE(target.NativeStyle());
  ASSERT_EQ(r.Notices.size(), 1u) << "one notice for values and master together";
  EXPECT_EQ(r.Notices[0], (TcxLookAndFeelValues{lfvKind, lfvNativeStyle}));
}

TEST_F(LookAndFeelTest, StreamingKeepsAnAssignedEmptySkinName) {
  Start();
  RegisterClassesOf<TLookAndFeelHolder, TcxLookAndFeelController>();
  TLookAndFeelHolder holder(nullptr);
  holder.SetName("Holder");
  holder.LookAndFeel()->SetKind(lfStandard);
  holder.LookAndFeel()->SetSkinName("");
  const String text = ComponentToFormText(&holder);
  for (const char* expected : {"LookAndFeel.AssignedValues = [lfvKind, lfvSkinName]", "LookAndFeel.Kind = lfStandard",
                               "LookAndFeel.SkinName = ''"})
    EXPECT_NE(text.find(expected), String::npos) << expected << "\n" << text;
  EXPECT_EQ(text.find("NativeStyle"), String::npos) << text;

  std::unique_ptr<TComponent> copy(FormTextToComponent(text, nullptr));
  auto* read = dynamic_cast<TLookAndFeelHolder*>(copy.get());
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->LookAndFeel()->AssignedValues(), (TcxLookAndFeelValues{lfvKind, lfvSkinName}));
  EXPECT_EQ(read->LookAndFeel()->Kind(), lfStandard);

  // The controller always stores kind and native style, and a skin name only when there is one.
  TcxLookAndFeelController controller(nullptr);
  controller.SetName("Controller");
  const String stored = ComponentToFormText(&controller);
  EXPECT_NE(stored.find("Kind = lfUltraFlat"), String::npos) << stored;
  EXPECT_NE(stored.find("NativeStyle = False"), String::npos) << stored;
  EXPECT_EQ(stored.find("SkinName"), String::npos) << stored;
}

TEST_F(LookAndFeelTest, AControllerWithoutARootDoesNothing) {
  TcxLookAndFeelController controller(nullptr);
  controller.SetKind(lfFlat);
  controller.SetSkinName("Blue");
  EXPECT_EQ(controller.Kind(), lfUltraFlat);
  EXPECT_FALSE(controller.NativeStyle());
  EXPECT_EQ(controller.SkinName(), "");
}

TEST_F(LookAndFeelTest, ASystemColourChangeTellsPrimaryNotifiersFirstAndEveryLookAndFeel) {
  Start();
  std::vector<String> order;
  TcxSystemPaletteChangedNotifier ordinary(false), primary(true);
  ordinary.OnPaletteChanged = [&](TObject*) { order.push_back("ordinary"); };
  primary.OnPaletteChanged = [&](TObject*) { order.push_back("primary"); };
  TcxLookAndFeel a(nullptr), b(nullptr);
  b.AttachToMaster(&a);
  b.SetNativeStyle(false);
  std::vector<String> notices;
  a.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues V) {
    EXPECT_EQ(V, TcxLookAndFeelValues{lfvNativeStyle});
    notices.push_back("a");
  };
  b.OnChanged = [&](TcxLookAndFeel*, TcxLookAndFeelValues V) {
    notices.push_back(V.Empty() ? "b from a" : "b");
  };
  const INT element = COLOR_BTNFACE;
  const COLORREF colour = GetSysColor(COLOR_BTNFACE);
  ASSERT_TRUE(SetSysColors(1, &element, &colour));
  ASSERT_GE(order.size(), 2u);
  EXPECT_EQ(order[0], "primary");
  EXPECT_EQ(order[1], "ordinary");
  // a hears its own notice and the root's; b only its own, since it sets the value itself.
  EXPECT_EQ(std::count(notices.begin(), notices.end(), "a"), 2);
  EXPECT_EQ(std::count(notices.begin(), notices.end(), "b"), 1);
}

TEST_F(LookAndFeelTest, RegistryNamesOrderAndLookups) {
  Start();
  auto* first = new TSkinInfo;
  ASSERT_TRUE(Registry()->RegisterPainter("Silver", &kBlue, new TSkinInfo));
  ASSERT_TRUE(Registry()->RegisterPainter("black", &kGreen, new TSkinInfo));
  ASSERT_TRUE(Registry()->RegisterPainter("Blue", &kBlue, first));
  ASSERT_TRUE(Registry()->RegisterPainter("azure", &kGreen, nullptr));
  auto* refused = new TSkinInfo;
  EXPECT_FALSE(Registry()->RegisterPainter("BLUE", &kGreen, refused));
  EXPECT_FALSE(Registry()->RegisterPainter("", &kGreen, nullptr));
  delete refused;  // still ours
  EXPECT_EQ(gInfosFreed, 1);

  ASSERT_EQ(Registry()->Count(), 4);
  const char* sorted[] = {"azure", "black", "Blue", "Silver"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Registry()->Names(i), sorted[i]);

  TcxCustomLookAndFeelPainterClass painter = nullptr;
  EXPECT_TRUE(Registry()->FindPainter("bLuE", painter));
  EXPECT_EQ(painter, &kBlue);
  painter = StandardLookAndFeelPainter();
  EXPECT_FALSE(Registry()->FindPainter("Red", painter));
  EXPECT_FALSE(Registry()->FindPainter("", painter));
  EXPECT_EQ(painter, StandardLookAndFeelPainter()) << "written only when found";

  String name = "x";
  EXPECT_TRUE(Registry()->NameOfPainter(&kBlue, name));
  EXPECT_EQ(name, "Blue");
  EXPECT_FALSE(Registry()->NameOfPainter(UltraFlatLookAndFeelPainter(), name));
  EXPECT_EQ(name, "");
  TObject* info = nullptr;
  EXPECT_TRUE(Registry()->InfoOfPainter(&kBlue, info));
  EXPECT_EQ(info, first) << "the first entry in name order";

  EXPECT_FALSE(Registry()->UnregisterPainter("Red"));
  EXPECT_TRUE(Registry()->UnregisterPainter("BLUE"));
  EXPECT_EQ(gInfosFreed, 2);
  EXPECT_EQ(Registry()->Count(), 3);
  // The rest go with the registry.
  PaintersUnitShutdown();
  EXPECT_EQ(gInfosFreed, 4);
  PaintersUnitStartup();
}

TEST_F(LookAndFeelTest, UnregisteringTheRootsSkinReturnsFollowersToTheirKind) {
  Start();
  ASSERT_TRUE(Registry()->RegisterPainter("Blue", &kBlue, new TSkinInfo));
  TcxLookAndFeelController controller(nullptr);
  controller.SetSkinName("Blue");
  TcxLookAndFeel flat(nullptr), office(nullptr);
  flat.SetKind(lfFlat);
  office.AttachToMaster(&flat);
  office.SetKind(lfOffice11);
  EXPECT_EQ(flat.ActivePainter(), &kBlue);
  EXPECT_EQ(office.ActivePainter(), &kBlue);
  EXPECT_TRUE(Registry()->UnregisterPainter("Blue"));
  EXPECT_EQ(gInfosFreed, 1);
  EXPECT_EQ(flat.ActivePainter(), FlatLookAndFeelPainter());
  EXPECT_EQ(office.ActivePainter(), Office11LookAndFeelPainter());
  EXPECT_EQ(RootLookAndFeel()->ActivePainter(), UltraFlatLookAndFeelPainter());
  EXPECT_EQ(controller.SkinName(), "Blue");
}

TEST_F(LookAndFeelTest, ANameSetBeforeItsSkinIsRegisteredIsTakenAtTheNextRecomputation) {
  Start();
  TcxLookAndFeel lf(nullptr);
  lf.SetSkinName("Green");
  ASSERT_TRUE(Registry()->RegisterPainter("Green", &kGreen, nullptr));
  EXPECT_EQ(lf.ActivePainter(), UltraFlatLookAndFeelPainter());
  lf.NotifyAllChanged();
  EXPECT_EQ(lf.ActivePainter(), &kGreen);
}

TEST_F(LookAndFeelTest, ListenersLeavingWithTheirMasterDoNotMakeTheWalkOverrun) {
  Start();
  ASSERT_TRUE(Registry()->RegisterPainter("Blue", &kBlue, nullptr));
  // The registry hears them in this order: f0, f1, o2, o3, master; the walk runs last to first,
  // and the master's going takes f0 and f1 with it.
  TcxLookAndFeel master(nullptr), f0(nullptr), f1(nullptr), o2(nullptr), o3(nullptr);
  f0.AttachToMaster(&master);
  f1.AttachToMaster(&master);
  for (TcxLookAndFeel* lf : {&f0, &f1, &o2, &o3, &master}) lf->SetSkinName("Blue");
  f0.ClearAssignedValues();
  f1.ClearAssignedValues();
  for (TcxLookAndFeel* lf : {&f0, &f1, &o2, &o3, &master}) ASSERT_EQ(lf->ActivePainter(), &kBlue);
  EXPECT_TRUE(Registry()->UnregisterPainter("Blue"));
  for (TcxLookAndFeel* lf : {&f0, &f1, &o2, &o3, &master}) EXPECT_EQ(lf->ActivePainter(), UltraFlatLookAndFeelPainter());
}

}  // namespace
