// The frame controller: settings pushed by published name or through the client interface.
#include <gtest/gtest.h>

#include "platform/classes/FormDescription.h"
#include "platform/classes/StdCtrls.h"
#include "tests/ui/panels/PanelsFixture.h"
#include "ui/panels/FrameController.h"

namespace panelstest {
namespace {

// A control that publishes some of the names a controller writes and counts the writes.
class TFramedThing : public TCustomControl {
  VW_CLASS(TFramedThing, TCustomControl)
 public:
  explicit TFramedThing(TComponent* AOwner) : TCustomControl(AOwner) {}
  static void DeclareProperties(TPropTable& t) {
    t.Add("Color", &TFramedThing::Color, &TFramedThing::CountColor);
    t.Add("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    t.Add("FrameStyle", &TFramedThing::FrameStyle);
    t.Add("FrameSides", &TFramedThing::FrameSides);
    t.Add("FrameVisible", &TFramedThing::FrameVisible);
    t.Add("FrameControllerNotifications", &TFramedThing::Notifications);
  }
  void CountColor(TColor Value) {
    ++colorWrites;
    SetColor(Value);
  }
  TFrameStyleEx FrameStyle = fsNone;
  TSides FrameSides;
  bool FrameVisible = false;
  TRzFrameControllerNotifications Notifications = fccAll;
  int colorWrites = 0;
};

// A control that copies the settings itself.
class TClientThing : public TCustomControl, public IFrameControllerClient {
  VW_CLASS(TClientThing, TCustomControl)
 public:
  explicit TClientThing(TComponent* AOwner) : TCustomControl(AOwner) {}
  static void DeclareProperties(TPropTable& t) { t.Add("Color", &TControl::Color, &TControl::SetColor); }
  void ApplyFrameController() override { ++applied; }
  int applied = 0;
};

class FrameControllerTest : public PanelsTest {
 protected:
  void SetUp() override {
    PanelsTest::SetUp();
    owner = new TComponent(nullptr);
    controller = new TRzFrameController(owner);
  }
  void TearDown() override {
    delete owner;
    PanelsTest::TearDown();
  }
  TComponent* owner = nullptr;
  TRzFrameController* controller = nullptr;
};

TEST_F(FrameControllerTest, DefaultsAndTheColourWriter) {
  EXPECT_EQ(controller->Color(), clWindow);
  EXPECT_EQ(controller->FocusColor(), clWindow);
  EXPECT_EQ(controller->FrameHotStyle(), fsFlatBold);
  EXPECT_EQ(controller->FrameStyle(), fsFlat);
  EXPECT_EQ(controller->FrameSides(), sdAllSides);
  EXPECT_EQ(controller->FramingPreference(), fpXPThemes);
  EXPECT_TRUE(controller->FlatButtons());
  EXPECT_FALSE(controller->HasControlList());

  controller->SetParentColor(true);
  controller->SetColor(clYellow);  // FocusColor equalled Color: both move
  EXPECT_EQ(controller->FocusColor(), clYellow);
  EXPECT_FALSE(controller->ParentColor());
  controller->SetFocusColor(clAqua);
  controller->SetColor(clRed);
  EXPECT_EQ(controller->FocusColor(), clAqua);

  controller->SetFrameSides(TSides{sdTop});
  controller->SetFrameHotTrack(true);
  EXPECT_TRUE(controller->FrameVisible());
  EXPECT_EQ(controller->FrameSides(), sdAllSides);
}

TEST_F(FrameControllerTest, WritesByNameAndByNotification) {
  auto* a = new TFramedThing(owner);
  auto* b = new TFramedThing(owner);
  b->Notifications.Exclude(fcpColor);
  controller->SetColor(clLime);
  controller->RegisterControl(a);
  controller->RegisterControl(a);  // once only
  controller->RegisterControl(b);
  EXPECT_EQ(a->colorWrites, 1);
  EXPECT_EQ(a->Color(), clLime);
  EXPECT_EQ(a->FrameStyle, fsFlat);
  EXPECT_EQ(a->FrameSides, sdAllSides);
  EXPECT_EQ(b->colorWrites, 0);
  EXPECT_EQ(controller->ControlCount(), 2);

  controller->SetColor(clFuchsia);
  EXPECT_EQ(a->colorWrites, 2);
  EXPECT_EQ(b->colorWrites, 0);
  EXPECT_NE(b->Color(), clFuchsia);
  controller->SetFrameSides(TSides{sdLeft, sdBottom});
  EXPECT_EQ(a->FrameSides, (TSides{sdLeft, sdBottom}));

  // Nothing while suspended; one push of everything on resume.
  controller->SuspendUpdates();
  controller->SuspendUpdates();
  controller->SetColor(clMaroon);
  controller->SetFrameStyle(fsGroove);
  controller->ResumeUpdates();
  EXPECT_EQ(a->colorWrites, 2);
  EXPECT_EQ(a->FrameStyle, fsFlat);
  controller->ResumeUpdates();
  EXPECT_EQ(a->colorWrites, 3);
  EXPECT_EQ(a->FrameStyle, fsGroove);
  EXPECT_EQ(a->Color(), clMaroon);
  controller->ResumeUpdates();  // below zero starts again and pushes once more
  EXPECT_EQ(a->colorWrites, 4);

  // With ParentColor on, pushing everything leaves Color alone.
  controller->SetParentColor(true);
  EXPECT_TRUE(a->ParentColor());
  controller->SuspendUpdates();
  controller->ResumeUpdates();
  EXPECT_EQ(a->colorWrites, 4);

  delete a;  // a destroyed control is dropped, not written to
  EXPECT_EQ(controller->ControlCount(), 1);
  controller->UnregisterControl(b);
  EXPECT_FALSE(controller->HasControlList());
}

TEST_F(FrameControllerTest, ClientsAndControlsWithoutTheNames) {
  auto* client = new TClientThing(owner);
  controller->RegisterControl(client);
  EXPECT_EQ(client->applied, 1);
  TColor before = client->Color();
  controller->SetColor(clRed);
  EXPECT_EQ(client->applied, 2);
  EXPECT_EQ(client->Color(), before);  // the client copies what it wants itself

  auto* edit = new TEdit(owner);
  controller->RegisterControl(edit);
  EXPECT_EQ(edit->Color(), clRed);
  auto* label = new TLabel(owner);
  controller->SetFrameStyle(fsBump);  // a label has no FrameStyle: skipped
  controller->RegisterControl(label);
  controller->SetColor(clBlue);
  EXPECT_EQ(edit->Color(), clBlue);
  // Not a control: nothing is written.
  auto* plain = new TComponent(owner);
  controller->RegisterControl(plain);
  controller->SetColor(clGreen);
  EXPECT_EQ(edit->Color(), clGreen);
}

TEST_F(FrameControllerTest, AssignAndObsoleteProperties) {
  auto* a = new TFramedThing(owner);
  controller->RegisterControl(a);
  TRzFrameController other(nullptr);
  other.SetFrameStyle(fsPopup);
  other.SetColor(clTeal);
  int writes = a->colorWrites;
  controller->Assign(&other);
  EXPECT_EQ(controller->FrameStyle(), fsPopup);
  EXPECT_EQ(a->FrameStyle, fsPopup);
  EXPECT_EQ(a->colorWrites, writes + 1);

  TRzFrameController read(nullptr);
  FormTextToComponent(
      "object Ctl: TRzFrameController\n  FrameFlat = True\n  FrameFlatStyle = fsGroove\n  FrameVisible = True\nend\n",
      &read);
  EXPECT_TRUE(read.FrameHotTrack());
  EXPECT_EQ(read.FrameStyle(), fsStatus);
  EXPECT_EQ(read.FrameHotStyle(), fsLowered);
  EXPECT_TRUE(read.FrameVisible());
  TRzFrameController focus(nullptr);
  FormTextToComponent("object Ctl: TRzFrameController\n  FrameFocusStyle = fsButtonUp\nend\n", &focus);
  EXPECT_EQ(focus.FrameHotStyle(), fsButtonUp);
  EXPECT_FALSE(focus.FrameHotTrack());
}

TEST_F(FrameControllerTest, StorageComponentOnlyRemembersToReopen) {
  TRzRegIniFile store(nullptr);
  EXPECT_TRUE(store.NeedsReopen());
  EXPECT_EQ(store.PathType(), ptIniFile);
  EXPECT_EQ(store.RegKey(), hkeyCurrentUser);
  EXPECT_EQ(store.RegAccess(), TRzRegAccess{keyAllAccess});
  store.SetPath("settings.ini");
  EXPECT_EQ(store.Path(), "settings.ini");
  auto* regIni = new TRzRegIniFile(owner);
  controller->SetRegIniFile(regIni);
  EXPECT_EQ(controller->RegIniFile(), regIni);
  delete regIni;
  EXPECT_EQ(controller->RegIniFile(), nullptr);
}

}  // namespace
}  // namespace panelstest
