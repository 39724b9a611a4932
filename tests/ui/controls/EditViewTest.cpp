// The editors' layout (view data) and painting (view info): button placement and states, border
// extents, button borders and content in every style, hit tests and invalidation; and a gallery.
#include <gtest/gtest.h>

#include <memory>

#include "platform/classes/Forms.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Window.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditProperties.h"
#include "ui/controls/EditStyle.h"
#include "ui/controls/EditUtils.h"
#include "ui/controls/EditViewData.h"
#include "ui/controls/EditViewInfo.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/OSVersion.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using controlstest::ControlsTest;
using surfacetest::Surface;
using testsupport::FakeThemeLibrary;

class TEditWithHeldButton : public TcxCustomEdit {
  VW_CLASS(TEditWithHeldButton, TcxCustomEdit)
 public:
  explicit TEditWithHeldButton(TComponent* AOwner) : TcxCustomEdit(AOwner) {}
};

class EditViewTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    properties = std::make_unique<TcxCustomEditProperties>(nullptr);
    style = std::make_unique<TcxEditStyle>(nullptr, nullptr, csiNormal);
    style->SetEditBorderStyle(ebsSingle);
    style->SetTransparentBorder(false);
    viewInfo = std::make_unique<TcxCustomEditViewInfo>();
  }
  void TearDown() override {
    viewInfo.reset();
    style.reset();
    properties.reset();
    ControlsTest::TearDown();
  }

  TcxEditButton* AddButton(int Width, bool Left = false, TcxEditButtonKind Kind = TcxEditButtonKind::bkDown) {
    TcxEditButton* b = properties->Buttons()->AddButton();
    b->SetWidth(Width);
    b->SetLeftAlignment(Left);
    b->SetKind(Kind);
    return b;
  }

  struct LayoutArgs {
    TPoint Point{-1, -1};
    int Button = 0;
    TShiftState Shift;
    bool Focused = false;
    bool Enabled = true;
    bool InPlace = false;
    bool MouseEvent = false;
    TcxCustomEdit* Edit = nullptr;
  };
  void Layout(const TRect& Bounds, const LayoutArgs& A) { LayoutInto(viewInfo.get(), Bounds, A); }
  void LayoutInto(TcxCustomEditViewInfo* Info, const TRect& Bounds, const LayoutArgs& A) {
    std::unique_ptr<TcxCustomEditViewData> data(properties->CreateViewData(style.get(), A.InPlace));
    data->Focused = A.Focused;
    data->Enabled = A.Enabled;
    data->Edit = A.Edit;
    data->CalculateLayout(&canvas(), Bounds, A.Point, A.Button, A.Shift, Info, A.MouseEvent);
  }
  void Layout(const TRect& Bounds) { Layout(Bounds, LayoutArgs{}); }
  TcxCanvas& canvas() {
    if (!FCanvas) FCanvas = std::make_unique<TcxCanvas>(FScratch.Canvas());
    return *FCanvas;
  }
  TRect ButtonBounds(int I) { return viewInfo->Button(I)->Bounds; }
  TcxEditButtonState State(int I) { return viewInfo->Button(I)->Data.State; }

  std::unique_ptr<TcxCustomEditProperties> properties;
  std::unique_ptr<TcxEditStyle> style;
  std::unique_ptr<TcxCustomEditViewInfo> viewInfo;

 private:
  Surface FScratch{8, 8};
  std::unique_ptr<TcxCanvas> FCanvas;
};

// ---- placement --------------------------------------------------------------------------------------

TEST_F(EditViewTest, RightButtonsStandInCollectionOrderLeftButtonsReversed) {
  AddButton(20);
  AddButton(20);
  AddButton(20);
  Layout(TRect(0, 0, 200, 24));
  ASSERT_EQ(viewInfo->ButtonCount(), 3);
  EXPECT_EQ(ButtonBounds(0), TRect(139, 1, 159, 23));
  EXPECT_EQ(ButtonBounds(1), TRect(159, 1, 179, 23));
  EXPECT_EQ(ButtonBounds(2), TRect(179, 1, 199, 23));
  EXPECT_EQ(viewInfo->ClientRect, TRect(1, 1, 139, 23)) << "the buttons are taken off the client";

  properties->Buttons()->Clear();
  AddButton(20, true);
  AddButton(20, true);
  Layout(TRect(0, 0, 200, 24));
  EXPECT_EQ(ButtonBounds(1), TRect(1, 1, 21, 23)) << "the last left button is leftmost";
  EXPECT_EQ(ButtonBounds(0), TRect(21, 1, 41, 23));
  EXPECT_TRUE(viewInfo->Button(1)->FirstEdge);
  EXPECT_TRUE(viewInfo->Button(0)->LastEdge);
  EXPECT_EQ(viewInfo->ClientRect, TRect(41, 1, 199, 23));

  properties->Buttons()->ButtonAt(0)->SetVisible(false);
  Layout(TRect(0, 0, 200, 24));
  ASSERT_EQ(viewInfo->ButtonCount(), 1) << "invisible buttons take no place";
  EXPECT_EQ(viewInfo->Button(0)->ButtonIndex, 1);
}

TEST_F(EditViewTest, StretchedButtonsShareTheFreeWidthByTheirWidths) {
  AddButton(20);
  AddButton(20);
  AddButton(20);
  properties->SetButtonsViewStyle(1);
  // 160 inside the border: 60 for the buttons, 100 left over.
  Layout(TRect(0, 0, 162, 24));
  EXPECT_EQ(ButtonBounds(2), TRect(108, 1, 161, 23)) << "33 more";
  EXPECT_EQ(ButtonBounds(1), TRect(55, 1, 108, 23)) << "33 more";
  EXPECT_EQ(ButtonBounds(0), TRect(1, 1, 55, 23)) << "the first takes the remaining 34";

  // Buttons of the default width stretch too; without a stretchable button all share.
  for (int i = 0; i < 3; ++i) properties->Buttons()->ButtonAt(i)->SetWidth(0);
  Layout(TRect(0, 0, 162, 24));
  EXPECT_EQ(ButtonBounds(0).Left, 1);
  EXPECT_EQ(ButtonBounds(2).Right, 161);
  for (int i = 0; i < 3; ++i) properties->Buttons()->ButtonAt(i)->SetStretchable(false);
  Layout(TRect(0, 0, 162, 24));
  EXPECT_EQ(ButtonBounds(0).Left, 1);
  EXPECT_EQ(ButtonBounds(1).Left, ButtonBounds(0).Right);
  EXPECT_EQ(ButtonBounds(2).Right, 161);
}

TEST_F(EditViewTest, AButtonWiderThanTheSpaceLeftKeepsItsBoundsClipped) {
  AddButton(80);
  Layout(TRect(0, 0, 50, 24));
  EXPECT_EQ(viewInfo->Button(0)->Bounds, TRect(-31, 1, 49, 23));
  EXPECT_EQ(viewInfo->Button(0)->VisibleBounds, TRect(1, 1, 49, 23));
  EXPECT_EQ(EditButtonDefaultWidth(&canvas(), viewInfo->Button(0)), 80);
}

TEST_F(EditViewTest, HiddenButtonsComeBackWithFocusOrTheMouse) {
  AddButton(20);
  style->SetButtonTransparency(ebtHideInactive);
  Layout(TRect(0, 0, 100, 24));
  EXPECT_EQ(viewInfo->ButtonCount(), 0);
  LayoutArgs focused;
  focused.Focused = true;
  Layout(TRect(0, 0, 100, 24), focused);
  EXPECT_EQ(viewInfo->ButtonCount(), 1);

  style->SetButtonTransparency(ebtHideUnselected);
  Layout(TRect(0, 0, 100, 24));
  EXPECT_EQ(viewInfo->ButtonCount(), 0);
  LayoutArgs over;
  over.Point = TPoint(10, 10);
  Layout(TRect(0, 0, 100, 24), over);
  EXPECT_EQ(viewInfo->ButtonCount(), 1) << "hot: the mouse is over the editor";
  EXPECT_TRUE(viewInfo->ContainerState & cvsHot);

  style->SetButtonTransparency(ebtInactive);
  Layout(TRect(0, 0, 100, 24));
  EXPECT_TRUE(viewInfo->Button(0)->Data.Transparent);
  Layout(TRect(0, 0, 100, 24), focused);
  EXPECT_FALSE(viewInfo->Button(0)->Data.Transparent);
}

TEST_F(EditViewTest, APressedButtonFollowsTheMouseWhileTheButtonIsHeld) {
  TForm* form = NewForm(0, 0, 300, 100);
  auto* edit = new TEditWithHeldButton(form);
  edit->SetParent(form);
  edit->SetBounds(0, 0, 100, 24);
  AddButton(20);
  AddButton(20);
  LayoutArgs a;
  a.Edit = edit;
  a.Point = TPoint(65, 10);
  Layout(TRect(0, 0, 100, 24), a);
  EXPECT_EQ(State(0), ebsSelected) << "hot under the mouse";
  EXPECT_EQ(viewInfo->SelectedButton, 0);

  a.Button = 1;
  a.Shift = TShiftState{ssLeft};
  a.MouseEvent = true;
  Layout(TRect(0, 0, 100, 24), a);
  EXPECT_EQ(State(0), ebsPressed);
  EXPECT_EQ(viewInfo->PressedButton, 0);
  edit->SetHeldButtonIndex(0);

  a.Button = 0;
  a.Point = TPoint(10, 10);
  Layout(TRect(0, 0, 100, 24), a);
  EXPECT_EQ(State(0), ebsNormal) << "left with the button held";
  a.Point = TPoint(85, 10);
  Layout(TRect(0, 0, 100, 24), a);
  EXPECT_EQ(State(1), ebsNormal) << "another button is not pressed by passing over it";
  a.Point = TPoint(65, 10);
  Layout(TRect(0, 0, 100, 24), a);
  EXPECT_EQ(State(0), ebsPressed) << "back on the button it pressed";

  LayoutArgs disabled;
  disabled.Enabled = false;
  disabled.Point = TPoint(65, 10);
  Layout(TRect(0, 0, 100, 24), disabled);
  EXPECT_EQ(State(0), ebsDisabled);
  EXPECT_EQ(State(1), ebsDisabled);
  EXPECT_TRUE(viewInfo->ContainerState & cvsDisabled);
  properties->Buttons()->ButtonAt(1)->SetEnabled(false);
  Layout(TRect(0, 0, 100, 24));
  EXPECT_EQ(State(0), ebsNormal);
  EXPECT_EQ(State(1), ebsDisabled) << "a disabled button in an enabled editor";
}

TEST_F(EditViewTest, BorderExtents) {
  std::unique_ptr<TcxCustomEditViewData> data(properties->CreateViewData(style.get(), false));
  TRect extent;
  data->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(1, 1, 1, 1));
  style->SetTransparentBorder(true);
  data->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(2, 2, 2, 2));
  style->SetShadow(true);
  data->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(2, 2, 5, 5)) << "a shadow adds 3 at the right and bottom";
  style->SetShadow(false);
  style->SetTransparentBorder(false);
  style->SetEditBorderStyle(ebs3D);
  style->SetEdges(TcxBorders{bLeft, bBottom});
  data->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(2, 0, 0, 2)) << "only on the edges";
  std::unique_ptr<TcxCustomEditViewData> inplace(properties->CreateViewData(style.get(), true));
  inplace->InplaceContentOffsets = TRect(1, 2, 3, 4);
  inplace->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(1, 2, 3, 4));

  FakeThemeLibrary::Install();
  FakeThemeLibrary::OpenableClasses().insert("EDIT");
  ThemeAccessStartup();
  style->LookAndFeel()->SetNativeStyle(true);
  style->SetEditBorderStyle(ebsNone);
  style->SetShadow(true);
  std::unique_ptr<TcxCustomEditViewData> native(properties->CreateViewData(style.get(), false));
  EXPECT_TRUE(native->NativeStyle);
  native->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(0, 0, 0, 0)) << "native without a border: nothing, not even a shadow";
  style->SetEditBorderStyle(ebsSingle);
  native->BorderExtent(extent);
  EXPECT_EQ(extent, TRect(2, 2, 2, 2));
  ThemeAccessShutdown();
  FakeThemeLibrary::Uninstall();
}

TEST_F(EditViewTest, ButtonStylesFollowTheBorderOrTheLook) {
  struct Case {
    TcxEditBorderStyle Border;
    bool HotTrack;
    bool InPlace;
    TcxLookAndFeelKind Kind;
    TcxEditButtonStyle Expected;
  } cases[] = {
      {ebsNone, true, false, lfStandard, btsSimple},    {ebsSingle, true, false, lfStandard, btsHotFlat},
      {ebsThick, true, false, lfFlat, bts3D},           {ebsFlat, true, false, lfStandard, btsFlat},
      {ebs3D, true, false, lfFlat, bts3D},              {ebsUltraFlat, true, false, lfStandard, btsUltraFlat},
      {ebsOffice11, true, false, lfStandard, btsOffice11}, {ebsNone, false, false, lfFlat, btsFlat},
      {ebsSingle, true, true, lfUltraFlat, btsUltraFlat}, {ebsSingle, true, true, lfOffice11, btsOffice11},
  };
  for (const Case& c : cases) {
    style->SetEditBorderStyle(c.Border);
    style->SetHotTrack(c.HotTrack);
    style->LookAndFeel()->SetKind(c.Kind);
    std::unique_ptr<TcxCustomEditViewData> data(properties->CreateViewData(style.get(), c.InPlace));
    EXPECT_EQ(data->DefaultButtonStyle(), c.Expected) << c.Border << " " << c.HotTrack << " " << c.InPlace;
  }
  style->SetButtonStyle(bts3D);
  std::unique_ptr<TcxCustomEditViewData> data(properties->CreateViewData(style.get(), false));
  EXPECT_EQ(data->DefaultButtonStyle(), bts3D) << "an assigned button style wins";
}

TEST_F(EditViewTest, MeasuredSizesHoldTheBorderButtonsAndContent) {
  TBitmap glyph;
  glyph.SetSize(16, 16);
  AddButton(0, false, TcxEditButtonKind::bkGlyph)->SetGlyph(&glyph);
  style->SetButtonStyle(bts3D);
  std::unique_ptr<TcxCustomEditViewData> data(properties->CreateViewData(style.get(), false));
  TSize size;
  data->MeasureEditorSize(&canvas(), Variant(), size, nullptr, TcxEditSizeProperties{});
  // 1 + 1 of border and a 20 wide glyph button; 16 of glyph, 2 of content extent and 4 of 3D
  // button frame in height.
  EXPECT_EQ(size, TSize(22, 22));
  TcxEditSizeProperties narrow;
  narrow.Width = 10;
  data->MeasureEditorSize(&canvas(), Variant(), size, nullptr, narrow);
  EXPECT_EQ(size.cx, 10) << "a limit below the extent is the width";

  properties->Buttons()->Clear();
  AddButton(20);
  properties->SetButtonsViewStyle(1);
  std::unique_ptr<TcxCustomEditViewData> buttonsOnly(properties->CreateViewData(style.get(), false));
  buttonsOnly->MeasureEditorSize(&canvas(), Variant(), size, nullptr, TcxEditSizeProperties{});
  canvas().AssignFont(style->DisplayFont());
  EXPECT_EQ(size.cy, 2 + canvas().MeasureTextHeight("Zg") + 1 + 3) << "a line of text and the button area margins";
}

TEST_F(EditViewTest, PopupBorderStylesFollowTheEditor) {
  TForm* form = NewForm(0, 0, 300, 100);
  auto* edit = new TEditWithHeldButton(form);
  edit->SetBounds(0, 0, 100, 24);
  auto* editStyle = static_cast<TcxCustomEditStyle*>(edit->NormalStyle());
  AddButton(20);
  struct Case {
    bool InPlace;
    TcxEditBorderStyle Border;
    TcxEditButtonStyle Buttons;
    TcxLookAndFeelKind Kind;
    TcxEditPopupBorderStyle Expected;
  } cases[] = {
      {true, ebsSingle, btsDefault, lfFlat, epbsFlat},       {true, ebsSingle, btsDefault, lfStandard, epbsFrame3D},
      {true, ebsSingle, btsDefault, lfOffice11, epbsSingle}, {false, ebsFlat, btsDefault, lfStandard, epbsFlat},
      {false, ebs3D, btsDefault, lfFlat, epbsSingle},        {false, ebsNone, btsUltraFlat, lfStandard, epbsSingle},
      {false, ebsNone, bts3D, lfFlat, epbsFrame3D},
  };
  for (const Case& c : cases) {
    editStyle->SetEditBorderStyle(c.Border);
    editStyle->SetButtonStyle(c.Buttons);
    editStyle->LookAndFeel()->SetKind(c.Kind);
    LayoutArgs a;
    a.Edit = edit;
    a.InPlace = c.InPlace;
    Layout(TRect(0, 0, 100, 24), a);
    EXPECT_EQ(viewInfo->PopupBorderStyle, c.Expected) << c.InPlace << " " << c.Border << " " << c.Buttons;
  }
  editStyle->SetPopupBorderStyle(epbsFrame3D);
  LayoutArgs a;
  a.Edit = edit;
  Layout(TRect(0, 0, 100, 24), a);
  EXPECT_EQ(viewInfo->PopupBorderStyle, epbsFrame3D) << "an assigned popup border wins";
  Layout(TRect(0, 0, 100, 24));
  EXPECT_EQ(viewInfo->PopupBorderStyle, epbsDefault) << "without an editor it stays the default";
}

TEST_F(EditViewTest, ButtonHintsComeFromTheButtonUnderThePoint) {
  AddButton(20)->SetHint("Open|Opens the file");
  AddButton(20);
  Layout(TRect(0, 0, 100, 24));
  viewInfo->Left = 10;
  viewInfo->Top = 5;
  TRect r;
  bool multiline = true;
  String text;
  EXPECT_TRUE(viewInfo->HintAt(TPoint(10 + 65, 5 + 10), r, multiline, text));
  EXPECT_EQ(text, "Open") << "the short form";
  EXPECT_FALSE(multiline);
  EXPECT_GT(r.Top, 15) << "below the cursor";
  EXPECT_EQ(r.Left, 75);
  EXPECT_TRUE(viewInfo->HasHintAt(TPoint(75, 15)));
  EXPECT_FALSE(viewInfo->HasHintAt(TPoint(10 + 85, 15))) << "a button without a hint";
  EXPECT_FALSE(viewInfo->HasHintAt(TPoint(20, 15))) << "off the buttons";
  EXPECT_TRUE(viewInfo->PointOnButton(TPoint(95, 15)));
  EXPECT_FALSE(viewInfo->PointOnButton(TPoint(65, 10))) << "window coordinates: the origin is taken off";
}

TEST_F(EditViewTest, ANativeEditorHasTheThemesFrame) {
  FakeThemeLibrary::Install();
  for (const char* name : {"EDIT", "BUTTON"}) FakeThemeLibrary::OpenableClasses().insert(name);
  ThemeAccessStartup();
  style->LookAndFeel()->SetNativeStyle(true);
  AddButton(20)->SetKind(TcxEditButtonKind::bkEllipsis);
  AddButton(20)->SetKind(TcxEditButtonKind::bkEllipsis);
  Layout(TRect(0, 0, 100, 24));
  EXPECT_TRUE(viewInfo->NativeStyle);
  EXPECT_EQ(viewInfo->NativeState, 1);
  EXPECT_EQ(viewInfo->Button(0)->Data.NativePart, 1) << "push-button parts";
  Surface s(100, 24);
  TcxCanvas c(s.Canvas());
  viewInfo->PaintWithHandler(&c);
  const int part = IsWindowsVistaOrLater ? 6 : 1;
  EXPECT_EQ(s.At(0, 0), FakeThemeLibrary::ColorOf("EDIT", part, 1));
  EXPECT_EQ(s.At(viewInfo->Button(1)->Bounds.Left + 3, 12), FakeThemeLibrary::ColorOf("BUTTON", 1, 1));
  ThemeAccessShutdown();
  FakeThemeLibrary::Uninstall();
}

// ---- pixels -----------------------------------------------------------------------------------------

class EditPaintTest : public EditViewTest {
 protected:
  // One button of the style in the state given, painted alone at (0, 0, W, H).
  void PaintButton(Surface& S, TcxEditButtonStyle Style, TcxEditButtonState State,
                   TcxEditButtonKind Kind = TcxEditButtonKind::bkDown, bool Gradient = false) {
    properties->Buttons()->Clear();
    AddButton(S.Width, false, Kind);
    style->SetButtonStyle(Style);
    style->SetGradientButtons(Gradient);
    style->SetEditBorderStyle(ebsNone);
    viewInfo->OnGetButtonState = [State](TObject*, int, TcxEditButtonState& S) { S = State; };
    Layout(TRect(0, 0, S.Width, S.Height));
    TcxCanvas c(S.Canvas());
    viewInfo->PaintButtons(&c);
  }
  static COLORREF RGBOf(TColor C) { return ColorToRGB(C); }
};

TEST_F(EditPaintTest, ThreeDButtonsPressedHaveOneShadowFrameOtherwiseTwo3DFrames) {
  Surface pressed(16, 16), normal(16, 16);
  PaintButton(pressed, bts3D, ebsPressed);
  PaintButton(normal, bts3D, ebsNormal);
  EXPECT_EQ(pressed.At(0, 0), RGBOf(clBtnShadow));
  EXPECT_EQ(pressed.At(15, 15), RGBOf(clBtnShadow));
  EXPECT_EQ(pressed.At(1, 1), RGBOf(clBtnFace)) << "then a frame in the face colour";
  EXPECT_EQ(pressed.At(14, 14), RGBOf(clBtnFace));

  EXPECT_EQ(normal.At(0, 0), RGBOf(cl3DLight));
  EXPECT_EQ(normal.At(15, 15), RGBOf(cl3DDkShadow));
  EXPECT_EQ(normal.At(1, 1), RGBOf(clBtnHighlight));
  EXPECT_EQ(normal.At(14, 14), RGBOf(clBtnShadow));
  EXPECT_EQ(normal.At(2, 2), RGBOf(clBtnFace));
}

TEST_F(EditPaintTest, AHotSimpleButtonIsDrawnAsAFlatOne) {
  for (TcxEditButtonState state : {ebsSelected, ebsPressed}) {
    Surface simple(17, 18), flat(17, 18);
    PaintButton(simple, btsSimple, state);
    PaintButton(flat, btsFlat, state);
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 17; ++x) ASSERT_EQ(simple.At(x, y), flat.At(x, y)) << x << "," << y;
  }
  Surface simple(17, 18), flat(17, 18);
  PaintButton(simple, btsSimple, ebsNormal);
  PaintButton(flat, btsFlat, ebsNormal);
  EXPECT_NE(simple.At(1, 1), flat.At(1, 1)) << "a normal simple button is its own";
}

TEST_F(EditPaintTest, Office11GradientsDifferByStateAndADisabledButtonIsFlat) {
  struct Pair {
    COLORREF Top, Bottom;
  } pairs[3];
  TcxEditButtonState states[] = {ebsNormal, ebsSelected, ebsPressed};
  for (int i = 0; i < 3; ++i) {
    Surface s(17, 30);
    PaintButton(s, btsOffice11, states[i], TcxEditButtonKind::bkGlyph, true);
    pairs[i] = {s.At(8, 3), s.At(8, 26)};
  }
  // Without a theme the hot and pressed pairs hold one colour twice; the normal one is a gradient.
  EXPECT_NE(pairs[0].Top, pairs[0].Bottom);
  for (int i = 0; i < 3; ++i)
    for (int j = i + 1; j < 3; ++j) {
      EXPECT_NE(pairs[i].Top, pairs[j].Top) << i << " " << j;
      EXPECT_NE(pairs[i].Bottom, pairs[j].Bottom) << i << " " << j;
    }
  Surface disabled(17, 30);
  PaintButton(disabled, btsOffice11, ebsDisabled, TcxEditButtonKind::bkGlyph, true);
  EXPECT_EQ(disabled.At(8, 3), disabled.At(8, 26));
  EXPECT_EQ(disabled.At(8, 3), RGBOf(clBtnFace));
}

TEST_F(EditPaintTest, DisabledContentIsEmbossed) {
  for (TcxEditButtonKind kind : {TcxEditButtonKind::bkDown, TcxEditButtonKind::bkEllipsis}) {
    Surface s(17, 17);
    PaintButton(s, btsUltraFlat, ebsDisabled, kind);
    int shadows = 0;
    for (int y = 2; y < 15; ++y)
      for (int x = 2; x < 15; ++x)
        if (s.At(x, y) == RGBOf(clBtnShadow)) {
          ++shadows;
          // The highlight copy lies one pixel down and right, wherever the shadow copy leaves it.
          COLORREF below = s.At(x + 1, y + 1);
          EXPECT_TRUE(below == RGBOf(clBtnHighlight) || below == RGBOf(clBtnShadow)) << x << "," << y;
        }
    EXPECT_GT(shadows, 0);
    EXPECT_GT(s.CountOf(clBtnHighlight), 0);
  }
}

TEST_F(EditPaintTest, HitTestsAnswerButtonsBorderAndOutside) {
  AddButton(20);
  style->SetShadow(true);
  Layout(TRect(0, 0, 100, 24));
  EXPECT_EQ(viewInfo->BorderRect, TRect(1, 1, 96, 20));
  EXPECT_EQ(viewInfo->ButtonIndexAt(TPoint(80, 10)), 0);
  EXPECT_EQ(viewInfo->ButtonIndexAt(TPoint(10, 10)), -1);
  EXPECT_EQ(viewInfo->ButtonIndexAt(TPoint(98, 22)), -2) << "in the shadow";
  EXPECT_EQ(viewInfo->ButtonIndexAt(TPoint(0, 0)), -2) << "on the frame";
  TRect part;
  viewInfo->PartBounds(-1, part);
  EXPECT_EQ(part, TRect(1, 1, 76, 20)) << "the border rectangle without the edge button";
}

TEST_F(EditPaintTest, MovingFromButtonToButtonInvalidatesJustThoseTwo) {
  TForm* form = NewForm(0, 0, 300, 100);
  auto* host = new TcxContainer(form);
  host->SetParent(form);
  host->SetBounds(0, 0, 200, 24);
  host->HandleNeeded();
  Pump();
  AddButton(20);
  AddButton(20);
  AddButton(20);
  LayoutArgs a;
  a.Point = TPoint(150, 10);
  Layout(TRect(0, 0, 200, 24), a);
  ASSERT_EQ(State(0), ebsSelected);
  TcxCustomEditViewInfo previous;
  previous.CopyStateFrom(viewInfo.get());
  a.Point = TPoint(170, 10);
  Layout(TRect(0, 0, 200, 24), a);
  ASSERT_EQ(State(1), ebsSelected);

  ValidateRect(host->Handle(), nullptr);
  EXPECT_TRUE(viewInfo->InvalidateChangedParts(host, viewInfo->ClientRect, &previous));
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(host->Handle(), update, FALSE);
  TRect two = ButtonBounds(0);
  two.Right = ButtonBounds(1).Right;
  HRGN expected = CreateRectRgn(two.Left, two.Top, two.Right, two.Bottom);
  EXPECT_TRUE(EqualRgn(update, expected));
  DeleteObject(update);
  DeleteObject(expected);

  std::unique_ptr<TcxRegion> diff(viewInfo->DiffRegion(&previous));
  TcxRegion both(two);
  EXPECT_TRUE(diff->SameAs(&both)) << "the changed region is the same two buttons";
}

TEST_F(EditPaintTest, BackgroundKindsAndTheBackgroundWithoutButtons) {
  AddButton(20);
  Layout(TRect(0, 0, 60, 20));
  EXPECT_EQ(viewInfo->BackgroundKind(), 1);
  viewInfo->Transparent = true;
  EXPECT_EQ(viewInfo->BackgroundKind(), 4);
  viewInfo->Transparent = false;
  LayoutArgs inplace;
  inplace.InPlace = true;
  Layout(TRect(0, 0, 60, 20), inplace);
  EXPECT_EQ(viewInfo->BackgroundKind(), 3);
  viewInfo->OnDrawBackground = [](TObject*, TcxCanvas*, bool& Handled) { Handled = true; };
  EXPECT_EQ(viewInfo->BackgroundKind(), 0);
  viewInfo->Transparent = true;
  viewInfo->OnDrawBackground = nullptr;
  EXPECT_EQ(viewInfo->BackgroundKind(), 2);

  // The frame and the background are painted around the button, which paints itself.
  style->SetColor(clYellow);
  style->SetBorderColor(clRed);
  viewInfo->Transparent = false;
  Layout(TRect(0, 0, 60, 20));
  Surface s(60, 20);
  int buttonPaints = 0;
  viewInfo->OnDrawButton = [&](TObject*, TcxCanvas*, int, bool& Handled) {
    ++buttonPaints;
    Handled = true;
  };
  TcxCanvas c(s.Canvas());
  viewInfo->PaintWithHandler(&c);
  EXPECT_EQ(buttonPaints, 1);
  EXPECT_EQ(s.At(0, 0), RGBOf(clRed));
  EXPECT_EQ(s.At(10, 10), RGBOf(clYellow));
  EXPECT_EQ(s.At(50, 10), RGBOf(clWhite)) << "the button's area is left to the button";
}

// A skin that fills each edit button by its glyph kind and notes where it stands.
struct TProbeEditSkin : TcxUltraFlatLookAndFeelPainter {
  TColor ContainerFrameColor(bool Highlighted) const override { return Highlighted ? clRed : clLime; }
  void DrawEditButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState State, TcxEditButtonGlyphKind Kind,
                      TcxEditBtnPosition Position) const override {
    ACanvas->FillRectWithColor(R, Kind == bkCombo ? clBlue : Kind == bkEllipsis ? clGreen : clPurple);
    Calls.push_back({Kind, State, Position});
  }
  struct Call {
    TcxEditButtonGlyphKind Kind;
    TcxButtonState State;
    TcxEditBtnPosition Position;
  };
  mutable std::vector<Call> Calls;
};

TEST_F(EditPaintTest, ASkinDrawsTheButtonsAndTheFrame) {
  const bool painters = !ExtendedStylePainterRegistry();
  if (painters) PaintersUnitStartup();
  static const TProbeEditSkin skin;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeEdit", &skin, nullptr));
  style->LookAndFeel()->SetSkinName("ProbeEdit");
  AddButton(20, true, TcxEditButtonKind::bkText)->SetCaption("x");
  AddButton(20, false, TcxEditButtonKind::bkEllipsis);
  AddButton(20, false, TcxEditButtonKind::bkDown);
  LayoutArgs pressed;
  pressed.Point = TPoint(90, 10);
  pressed.Button = 1;
  pressed.Shift = TShiftState{ssLeft};
  Layout(TRect(0, 0, 100, 20), pressed);
  ASSERT_EQ(viewInfo->Painter, &skin);
  EXPECT_EQ(viewInfo->BorderExtent, TRect(1, 1, 1, 1));
  EXPECT_EQ(viewInfo->BorderColor, clLime);
  Surface s(100, 20);
  TcxCanvas c(s.Canvas());
  skin.Calls.clear();
  viewInfo->PaintWithHandler(&c);
  EXPECT_EQ(s.At(0, 0), RGBOf(clLime));
  EXPECT_EQ(s.At(85, 4), RGBOf(clBlue));
  EXPECT_EQ(s.At(65, 4), RGBOf(clGreen));
  EXPECT_EQ(s.At(3, 4), RGBOf(clPurple));
  ASSERT_EQ(skin.Calls.size(), 3u);
  EXPECT_EQ(skin.Calls[0].Kind, bkEditor);
  EXPECT_EQ(skin.Calls[0].Position, cxbpLeft);
  EXPECT_EQ(skin.Calls[2].Kind, bkCombo);
  EXPECT_EQ(skin.Calls[2].State, cxbsPressed);
  EXPECT_EQ(skin.Calls[2].Position, cxbpRight);
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeEdit");
  style->LookAndFeel()->SetSkinName("");
  if (painters) PaintersUnitShutdown();
}

// ---- the gallery --------------------------------------------------------------------------------------

TEST_F(EditPaintTest, GalleryOfButtonAndBorderStyles) {
  const TcxEditButtonStyle styles[] = {bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11};
  const TcxEditButtonState states[] = {ebsNormal, ebsSelected, ebsPressed, ebsDisabled};
  const TcxEditBorderStyle borders[] = {ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11};
  const int cellW = 150, cellH = 28;
  Surface s(cellW * 4 + 10, cellH * 15 + 10, clBtnFace);
  TcxCanvas c(s.Canvas());

  TBitmap glyph;
  glyph.SetPixelFormat(pf32bit);
  glyph.SetSize(8, 8);
  glyph.Canvas()->Brush()->SetColor(clFuchsia);
  glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
  glyph.Canvas()->Brush()->SetColor(clGreen);
  glyph.Canvas()->FillRect(Rect(1, 1, 7, 7));
  glyph.SetTransparentColor(clFuchsia);
  auto addAll = [&] {
    properties->Buttons()->Clear();
    AddButton(0, true, TcxEditButtonKind::bkGlyph)->SetGlyph(&glyph);
    AddButton(0, false, TcxEditButtonKind::bkText)->SetCaption("&Go");
    AddButton(0, false, TcxEditButtonKind::bkEllipsis);
    AddButton(0, false, TcxEditButtonKind::bkDown);
  };

  // Rows 0-5: each button style in the four states (columns).
  for (int row = 0; row < 6; ++row)
    for (int col = 0; col < 4; ++col) {
      addAll();
      style->SetButtonStyle(styles[row]);
      style->SetGradientButtons(styles[row] == btsOffice11);
      style->SetEditBorderStyle(ebsSingle);
      TcxEditButtonState state = states[col];
      viewInfo->OnGetButtonState = [state](TObject*, int, TcxEditButtonState& S) { S = state; };
      TRect r(5 + col * cellW, 5 + row * cellH, 5 + col * cellW + cellW - 8, 5 + row * cellH + 22);
      Layout(r);
      viewInfo->PaintWithHandler(&c);
    }
  viewInfo->OnGetButtonState = nullptr;
  style->SetButtonStyle(btsDefault);
  style->SetGradientButtons(false);
  // Rows 6-12: each border style with its default button style, normal, hot, focused and disabled.
  for (int row = 0; row < 7; ++row)
    for (int col = 0; col < 4; ++col) {
      addAll();
      style->SetEditBorderStyle(borders[row]);
      style->SetShadow(col == 0 && row > 0);
      LayoutArgs a;
      if (col == 1) a.Point = TPoint(5 + col * cellW + 90, 5 + (row + 6) * cellH + 10);
      a.Focused = col == 2;
      a.Enabled = col != 3;
      TRect r(5 + col * cellW, 5 + (row + 6) * cellH, 5 + col * cellW + cellW - 8, 5 + (row + 6) * cellH + 22);
      Layout(r, a);
      viewInfo->PaintWithHandler(&c);
    }
  // Row 13: stretched buttons and a button wider than its editor.
  style->SetShadow(false);
  style->SetEditBorderStyle(ebsSingle);
  addAll();
  properties->SetButtonsViewStyle(1);
  Layout(TRect(5, 5 + 13 * cellH, 5 + 2 * cellW - 8, 5 + 13 * cellH + 22));
  viewInfo->PaintWithHandler(&c);
  properties->SetButtonsViewStyle(0);
  properties->Buttons()->Clear();
  AddButton(120, false, TcxEditButtonKind::bkText)->SetCaption("A wide button");
  Layout(TRect(5 + 2 * cellW, 5 + 13 * cellH, 5 + 2 * cellW + 80, 5 + 13 * cellH + 22));
  viewInfo->PaintWithHandler(&c);
  // Row 14: in-place editors take their button style from the look: flat, standard, ultra-flat,
  // Office-2003.
  const TcxLookAndFeelKind kinds[] = {lfFlat, lfStandard, lfUltraFlat, lfOffice11};
  for (int col = 0; col < 4; ++col) {
    addAll();
    style->LookAndFeel()->SetKind(kinds[col]);
    LayoutArgs a;
    a.InPlace = true;
    a.Point = TPoint(5 + col * cellW + cellW - 20, 5 + 14 * cellH + 10);
    viewInfo->Transparent = false;
    Layout(TRect(5 + col * cellW, 5 + 14 * cellH, 5 + col * cellW + cellW - 8, 5 + 14 * cellH + 20), a);
    viewInfo->PaintWithHandler(&c);
  }
  s.Save("editors/edit-buttons-gallery.png");
}

}  // namespace
