// Container styles: lookups through controllers and fallbacks, the state tables, setters that
// forward or do nothing, linking controllers, one change event per update, and what a form
// description keeps of a style.
#include <gtest/gtest.h>

#include <memory>

#include "platform/classes/FormDescription.h"
#include "platform/gdi/Gdi.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/Container.h"
#include "ui/foundation/GraphicsUnit.h"

namespace {

using controlstest::ControlsTest;

// A controller whose styles a form description can reach, as the editors' controller publishes them.
class TPublishedStyleController : public TcxStyleController {
  VW_CLASS(TPublishedStyleController, TcxStyleController)
 public:
  explicit TPublishedStyleController(TComponent* AOwner) : TcxStyleController(AOwner) {}
  static void DeclareProperties(TPropTable& t) {
    t.Add("Style", &TPublishedStyleController::Style, &TPublishedStyleController::SetStyle);
    t.Add("StyleFocused", &TPublishedStyleController::StyleFocused, &TPublishedStyleController::SetStyleFocused);
  }
  TcxContainerStyle* Style() const { return NormalStyle(); }
  void SetStyle(TcxContainerStyle* Value) { NormalStyle()->Assign(Value); }
  TcxContainerStyle* StyleFocused() const { return StyleOfState(csiFocused); }
  void SetStyleFocused(TcxContainerStyle* Value) { StyleOfState(csiFocused)->Assign(Value); }
};

class TParentColoredContainer : public TcxContainer {
  VW_CLASS(TParentColoredContainer, TcxContainer)
 public:
  explicit TParentColoredContainer(TComponent* AOwner) : TcxContainer(AOwner) {}
  bool DefaultParentColor() override { return true; }
};

class ContainerStyleTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    // The container's own rules, without the default controller the editor unit installs.
    SetDefaultStyleController(nullptr);
    // The cursor outlives a test: away from the container, it starts no mouse-leave watch.
    MoveMouse(1000, 700);
    form = NewForm(0, 0, 300, 200);
    container = new TcxContainer(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 100, 30);
  }
  void TearDown() override {
    SetDefaultStyleController(nullptr);
    // The container stops any mouse-leave watch before the unit that runs them shuts down.
    delete form;
    ControlsTest::TearDown();
  }
  TcxContainerStyle* Style(TcxContainerStateStyleIndex Index) { return container->Styles()->StyleOfState(Index); }

  TForm* form = nullptr;
  TcxContainer* container = nullptr;
};

TEST_F(ContainerStyleTest, AFreshStyleAssignsNothingAndFallsBack) {
  TcxContainerStyle* normal = container->NormalStyle();
  EXPECT_TRUE(normal->AssignedValues().Empty());
  EXPECT_EQ(normal->Edges(), cxBordersAll);
  EXPECT_TRUE(normal->HotTrack());
  EXPECT_FALSE(normal->Shadow());
  EXPECT_TRUE(normal->TransparentBorder());
  EXPECT_EQ(normal->BorderColor(), clWindowFrame);
  EXPECT_EQ(normal->StyleController(), nullptr);
  EXPECT_EQ(normal->Color(), clWindow);
  EXPECT_EQ(Style(csiDisabled)->BorderColor(), clBtnShadow);
  EXPECT_EQ(Style(csiDisabled)->TextColor(), clBtnShadow);
  EXPECT_EQ(Style(csiFocused)->TextColor(), normal->Font()->Color());

  const std::pair<TcxLookAndFeelKind, TcxContainerBorderStyle> kinds[] = {
      {lfFlat, cbsFlat}, {lfStandard, cbs3D}, {lfUltraFlat, cbsUltraFlat}, {lfOffice11, cbsOffice11}};
  for (auto [kind, expected] : kinds) {
    normal->LookAndFeel()->SetKind(kind);
    EXPECT_EQ(normal->BorderStyle(), expected) << kind;
  }
  EXPECT_TRUE(normal->AssignedValues().Empty()) << "the look-and-feel's values are its own";
}

TEST_F(ContainerStyleTest, StateStylesMapTheBorderStyleOnlyWithHotTrack) {
  struct Case {
    TcxContainerBorderStyle normal;
    bool hotTrack;
    TcxContainerBorderStyle focused, disabled, hot;
  };
  const Case cases[] = {
      {cbsSingle, true, cbsThick, cbsSingle, cbsThick},  {cbsSingle, false, cbsSingle, cbsSingle, cbsSingle},
      {cbsNone, true, cbsFlat, cbsNone, cbsFlat},        {cbsFlat, true, cbs3D, cbsFlat, cbs3D},
      {cbsUltraFlat, true, cbsUltraFlat, cbsUltraFlat, cbsUltraFlat},
  };
  for (const Case& c : cases) {
    container->NormalStyle()->SetBorderStyle(c.normal);
    container->NormalStyle()->SetHotTrack(c.hotTrack);
    EXPECT_EQ(Style(csiFocused)->BorderStyle(), c.focused) << c.normal << c.hotTrack;
    EXPECT_EQ(Style(csiDisabled)->BorderStyle(), c.disabled) << c.normal << c.hotTrack;
    EXPECT_EQ(Style(csiHot)->BorderStyle(), c.hot) << c.normal << c.hotTrack;
  }
}

TEST_F(ContainerStyleTest, StateValuesStayInTheirStateAndRootValuesGoToTheNormalStyle) {
  Style(csiFocused)->SetBorderColor(clRed);
  EXPECT_EQ(Style(csiFocused)->BorderColor(), clRed);
  EXPECT_EQ(container->NormalStyle()->BorderColor(), clWindowFrame);
  EXPECT_EQ(Style(csiHot)->BorderColor(), clWindowFrame);

  Style(csiFocused)->SetShadow(true);
  EXPECT_TRUE(container->NormalStyle()->Shadow());
  EXPECT_TRUE(container->NormalStyle()->AssignedValues().Contains(csvShadow));
  EXPECT_FALSE(Style(csiFocused)->AssignedValues().Contains(csvShadow));
  Style(csiHot)->SetEdges({bLeft});
  EXPECT_EQ(container->NormalStyle()->Edges(), TcxBorders{bLeft});
  EXPECT_EQ(Style(csiDisabled)->Edges(), TcxBorders{bLeft});

  // An assigned value written again unchanged announces nothing.
  int events = 0;
  container->NormalStyle()->OnChanged = [&](TObject*) { ++events; };
  container->NormalStyle()->SetShadow(true);
  container->NormalStyle()->SetTextColor(container->NormalStyle()->TextColor());
  EXPECT_EQ(events, 1) << "TextColor was not assigned yet: writing its current value assigns it";
  container->NormalStyle()->SetTextColor(container->NormalStyle()->TextColor());
  EXPECT_EQ(events, 1);
}

TEST_F(ContainerStyleTest, DisabledColourFollowsTheDefaultParentColour) {
  EXPECT_EQ(Style(csiDisabled)->Color(), clBtnFace);
  auto* colored = new TParentColoredContainer(form);
  colored->SetParent(form);
  colored->NormalStyle()->SetColor(clYellow);
  EXPECT_EQ(colored->Styles()->DisabledStyle()->Color(), clYellow);
  // Without a container a style counts as parent-coloured too.
  TcxContainerStyles loose(nullptr, ContainerStyleClassOf<TcxContainerStyle>());
  EXPECT_EQ(loose.NormalStyle()->Color(), clBtnFace);
  EXPECT_EQ(loose.DisabledStyle()->Color(), clBtnFace);
}

TEST_F(ContainerStyleTest, ControllersSupplyUnassignedValuesAndRefuseCycles) {
  TcxStyleController a(nullptr), b(nullptr);
  a.NormalStyle()->SetStyleController(&b);
  EXPECT_EQ(a.NormalStyle()->StyleController(), &b);
  b.NormalStyle()->SetStyleController(&a);
  EXPECT_EQ(b.NormalStyle()->StyleController(), nullptr) << "the link that closes a cycle is refused";
  EXPECT_EQ(b.ListenerCount(), 1);
  EXPECT_EQ(a.ListenerCount(), 0);

  // A container linked to A sees B's values through A.
  container->NormalStyle()->SetStyleController(&a);
  b.NormalStyle()->SetBorderColor(clLime);
  b.StyleOfState(csiFocused)->SetColor(clAqua);
  EXPECT_EQ(container->NormalStyle()->BorderColor(), clLime);
  EXPECT_EQ(Style(csiFocused)->Color(), clAqua);
  EXPECT_TRUE(container->NormalStyle()->IsValueAssigned(csvBorderColor));
  EXPECT_FALSE(container->NormalStyle()->AssignedValues().Contains(csvBorderColor));
  a.NormalStyle()->SetBorderColor(clMaroon);
  EXPECT_EQ(container->NormalStyle()->BorderColor(), clMaroon) << "the nearer controller first";

  // A change in a controller reaches the container's style.
  int changes = 0;
  container->NormalStyle()->OnChanged = [&](TObject*) { ++changes; };
  a.NormalStyle()->SetShadow(true);
  EXPECT_GE(changes, 1);
  EXPECT_TRUE(container->NormalStyle()->Shadow());
  container->NormalStyle()->OnChanged = [this](TObject* s) { container->ContainerStyleChanged(s); };
}

TEST_F(ContainerStyleTest, TheDefaultControllerIsNeitherShownNorStoredAndAFreedControllerLetsGo) {
  auto defaults = std::make_unique<TcxStyleController>(nullptr);
  SetDefaultStyleController(defaults.get());
  defaults->NormalStyle()->SetBorderColor(clNavy);
  EXPECT_EQ(defaults->NormalStyle()->StyleController(), nullptr) << "the default controller's styles follow none";
  EXPECT_EQ(defaults->ListenerCount(), 0);

  auto* fresh = new TcxContainer(form);
  EXPECT_EQ(fresh->NormalStyle()->StyleController(), nullptr);
  EXPECT_EQ(fresh->NormalStyle()->ActiveStyleController(), defaults.get());
  EXPECT_EQ(fresh->NormalStyle()->BorderColor(), clNavy);
  String text = ComponentToFormText(fresh);
  EXPECT_EQ(text.find("StyleController"), String::npos) << text;

  {
    TcxStyleController other(nullptr);
    fresh->NormalStyle()->SetStyleController(&other);
    EXPECT_EQ(fresh->NormalStyle()->StyleController(), &other);
    ASSERT_EQ(defaults->ListenerCount(), 1);
    EXPECT_EQ(defaults->Listener(0), other.NormalStyle()) << "other controllers follow the default one too";
  }
  EXPECT_EQ(fresh->NormalStyle()->ActiveStyleController(), defaults.get()) << "a freed controller hands back to the default";
  delete fresh;
  EXPECT_EQ(defaults->ListenerCount(), 0);
  SetDefaultStyleController(nullptr);
}

TEST_F(ContainerStyleTest, ChangesInsideAnUpdateRaiseOneEvent) {
  TcxContainerStyle* normal = container->NormalStyle();
  int events = 0;
  normal->OnChanged = [&](TObject*) { ++events; };
  normal->HoldChanges();
  for (int i = 0; i < 10; ++i) normal->SetBorderColor(static_cast<TColor>(i + 1));
  EXPECT_EQ(events, 0);
  normal->ReleaseChanges();
  EXPECT_EQ(events, 1);

  normal->HoldChanges();
  normal->HoldChanges();
  normal->SetColor(clRed);
  normal->ReleaseChanges();
  EXPECT_EQ(events, 1);
  normal->ReleaseChanges();
  EXPECT_EQ(events, 2);
  normal->ReleaseChanges();
  EXPECT_EQ(events, 2) << "an extra release neither goes below zero nor fires";
}

TEST_F(ContainerStyleTest, ResettingForgetsEverythingSetAndGivesTheParentItsSayAgain) {
  TcxContainerStyle* normal = container->NormalStyle();
  normal->SetBorderColor(clRed);
  normal->SetShadow(true);
  normal->Font()->SetSize(20);
  normal->LookAndFeel()->SetKind(lfFlat);
  Style(csiFocused)->SetColor(clAqua);
  container->SetParentColor(true);
  int events = 0;
  normal->OnChanged = [&](TObject*) { ++events; };

  // A state style only forgets its own values.
  Style(csiFocused)->ResetToDefaults();
  EXPECT_TRUE(Style(csiFocused)->AssignedValues().Empty());
  EXPECT_FALSE(normal->AssignedValues().Empty());

  normal->ResetToDefaults();
  EXPECT_EQ(events, 1) << "one event for the whole reset";
  EXPECT_TRUE(normal->AssignedValues().Empty());
  EXPECT_FALSE(normal->Shadow());
  EXPECT_TRUE(normal->LookAndFeel()->AssignedValues().Empty());
  EXPECT_FALSE(container->ParentColor());
  EXPECT_TRUE(container->ParentFont());

  auto* colored = new TParentColoredContainer(form);
  colored->SetParent(form);
  colored->SetParentColor(false);
  colored->NormalStyle()->ResetToDefaults();
  EXPECT_TRUE(colored->ParentColor()) << "a parent-coloured kind takes the parent's colour again";

  // A style on its way out announces nothing, not even the look its controller took with it
  // (which a live style hears of when it leaves the controller).
  TcxStyleController controller(nullptr);
  controller.NormalStyle()->LookAndFeel()->SetKind(lfOffice11);
  int heard = 0;
  for (bool destroy : {false, true}) {
    auto styles = std::make_unique<TcxContainerStyles>(nullptr, ContainerStyleClassOf<TcxContainerStyle>());
    styles->NormalStyle()->SetStyleController(&controller);
    ASSERT_EQ(styles->NormalStyle()->LookAndFeel()->Kind(), lfOffice11);
    heard = 0;
    styles->SetChangeHandler([&](TObject*) { ++heard; });
    if (destroy)
      styles.reset();
    else
      styles->NormalStyle()->SetStyleController(nullptr);
    EXPECT_EQ(heard > 0, !destroy);
  }
}

TEST_F(ContainerStyleTest, AssigningAStateStyleCopiesOnlyItsOwnValues) {
  TcxStyleController source(nullptr);
  TcxContainerStyle* from = source.NormalStyle();
  from->SetColor(clRed);
  from->SetBorderStyle(cbsThick);
  from->Font()->SetHeight(-30);
  container->NormalStyle()->Font()->SetHeight(-12);
  int before = container->NormalStyle()->Font()->Height();
  container->Styles()->AssignFocusedStyle(from);
  EXPECT_EQ(Style(csiFocused)->Color(), clRed);
  EXPECT_EQ(Style(csiFocused)->BorderStyle(), cbsThick);
  EXPECT_FALSE(Style(csiFocused)->AssignedValues().Contains(csvFont));
  EXPECT_EQ(container->NormalStyle()->Font()->Height(), before) << "the normal style's font is not touched";

  // The normal style takes everything, font and look-and-feel included.
  from->LookAndFeel()->SetKind(lfFlat);
  container->Styles()->AssignNormalStyle(from);
  EXPECT_EQ(container->NormalStyle()->Font()->Height(), -30);
  EXPECT_EQ(container->NormalStyle()->AssignedValues(), from->AssignedValues());
  EXPECT_EQ(container->NormalStyle()->LookAndFeel()->Kind(), lfFlat);
}

TEST_F(ContainerStyleTest, FontAssignedSurvivesAFormDescription) {
  RegisterClassesOf<TPublishedStyleController>();
  TPublishedStyleController controller(nullptr);
  controller.SetName("Controller");
  TFont defaults;
  controller.NormalStyle()->SetFont(&defaults);
  ASSERT_TRUE(controller.NormalStyle()->AssignedValues().Contains(csvFont));
  controller.StyleOfState(csiFocused)->SetBorderColor(clRed);
  String text = ComponentToFormText(&controller);
  EXPECT_NE(text.find("IsFontAssigned = True"), String::npos) << text;
  EXPECT_NE(text.find("PixelsPerInch = 96"), String::npos) << text;
  EXPECT_EQ(text.find("Shadow"), String::npos) << "unassigned values are not stored\n" << text;

  std::unique_ptr<TComponent> copy(FormTextToComponent(text, nullptr));
  auto* read = dynamic_cast<TPublishedStyleController*>(copy.get());
  ASSERT_NE(read, nullptr);
  EXPECT_TRUE(read->NormalStyle()->AssignedValues().Contains(csvFont));
  EXPECT_EQ(read->StyleOfState(csiFocused)->BorderColor(), clRed);
  EXPECT_FALSE(read->StyleOfState(csiFocused)->AssignedValues().Contains(csvFont));
}

TEST_F(ContainerStyleTest, AssignedFontHeightsFollowTheScreenResolution) {
  RegisterClassesOf<TPublishedStyleController>();
  platform::SetScreenPixelsPerInch(120);
  GraphicsUnitStartup();
  const String text =
      "object C: TPublishedStyleController\r\n"
      "  Style.Font.Height = -12\r\n"
      "  Style.IsFontAssigned = True\r\n"
      "  PixelsPerInch = 96\r\n"
      "end\r\n";
  std::unique_ptr<TComponent> read(FormTextToComponent(text, nullptr));
  auto* controller = static_cast<TPublishedStyleController*>(read.get());
  EXPECT_EQ(controller->NormalStyle()->Font()->Height(), -15);
  EXPECT_EQ(controller->StoredPixelsPerInch(), 96);

  const String unassigned =
      "object C: TPublishedStyleController\r\n"
      "  StyleFocused.BorderColor = clRed\r\n"
      "  PixelsPerInch = 96\r\n"
      "end\r\n";
  std::unique_ptr<TComponent> plain(FormTextToComponent(unassigned, nullptr));
  EXPECT_EQ(static_cast<TPublishedStyleController*>(plain.get())->NormalStyle()->Font()->Height(), TFont().Height());
  platform::SetScreenPixelsPerInch(96);
  GraphicsUnitStartup();
}

TEST_F(ContainerStyleTest, NamesOfStyleValues) {
  TcxContainerStyle* normal = container->NormalStyle();
  String name = "x";
  EXPECT_FALSE(normal->StyleValueTitle(10, name));
  EXPECT_TRUE(name.empty());
  TcxContainerStyleValue value = 42;
  EXPECT_TRUE(normal->FindStyleValue("textcolor", value));
  EXPECT_EQ(value, csvTextColor);
  value = 42;
  EXPECT_FALSE(normal->FindStyleValue("ButtonStyle", value));
  EXPECT_EQ(value, 42);
  EXPECT_FALSE(normal->IsPublishedInStateStyles("LookAndFeel"));
  EXPECT_FALSE(normal->IsPublishedInStateStyles("Shadow"));
  EXPECT_TRUE(normal->IsPublishedInStateStyles("Color"));
  EXPECT_TRUE(normal->IsPublishedInStateStyles("Anything"));
}

}  // namespace
