#include <gtest/gtest.h>

#include <vector>

#include "platform/classes/StdCtrls.h"
#include "platform/win/Keys.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/choice/ExtEditUtils.h"
#include "ui/choice/GroupBox.h"

namespace choicetest {
namespace {

class GroupBoxTest : public ChoiceTest {
 protected:
  TcxGroupBox* NewBox(TForm* Form, int Left, int Top, const String& Caption, TcxCaptionAlignment Alignment,
                      int Width = 120, int Height = 80) {
    auto* box = new TcxGroupBox(Form);
    box->SetParent(Form);
    box->SetBounds(Left, Top, Width, Height);
    box->SetCaption(Caption);
    box->SetAlignment(Alignment);
    return box;
  }
};

TEST_F(GroupBoxTest, DefaultsAndPanelStyle) {
  TForm* form = MakeForm(0, 0, 300, 200);
  auto* box = new TcxGroupBox(form);
  EXPECT_EQ(box->Width(), 185);
  EXPECT_EQ(box->TcxCustomEdit::Height(), 105);
  EXPECT_FALSE(box->TabStop());
  EXPECT_TRUE(box->ControlStyle().Contains(csAcceptsControls));
  EXPECT_FALSE(box->CanFocusOnClick());
  EXPECT_FALSE(box->AutoSizeActive());
  box->PanelStyle()->SetCaptionIndent(0);
  EXPECT_EQ(box->PanelStyle()->CaptionIndent(), 2);
  box->PanelStyle()->SetCaptionIndent(1);
  EXPECT_EQ(box->PanelStyle()->CaptionIndent(), 2);
  box->PanelStyle()->SetCaptionIndent(7);
  EXPECT_EQ(box->PanelStyle()->CaptionIndent(), 7);
  // The active style is never the hot or focused one.
  EXPECT_EQ(box->ActiveStyle(), box->Style());
  box->SetEnabled(false);
  EXPECT_EQ(box->ActiveStyle(), box->StyleDisabled());
}

TEST_F(GroupBoxTest, CaptionBandAndEmptyCaption) {
  TForm* form = MakeForm(0, 0, 400, 300);
  TcxGroupBox* box = NewBox(form, 10, 10, "Signals", alTopLeft, 185, 105);
  TcxGroupBox* empty = NewBox(form, 200, 10, "", alTopLeft, 185, 105);
  Pump();
  const int wg = SampleTextHeight(box->CaptionFont());
  TcxGroupBoxViewInfo* info = box->GroupBoxViewInfo();
  EXPECT_EQ(info->CaptionRect.Left, 8);
  EXPECT_EQ(info->CaptionRect.Top, 0);
  EXPECT_EQ(info->CaptionRect.Right - info->CaptionRect.Left, MeasureFontTextWidth(box->CaptionFont(), "Signals"));
  // The frame runs through the middle of the caption.
  EXPECT_EQ(info->BorderRect.Top, wg / 2 + 1);

  TcxGroupBoxViewInfo* emptyInfo = empty->GroupBoxViewInfo();
  EXPECT_EQ(emptyInfo->CaptionRect, TRect());
  EXPECT_EQ(emptyInfo->TextRect, TRect());
  // The caption side still depends on the font alone.
  EXPECT_EQ(emptyInfo->BorderRect.Top, wg / 2 + 1);

  // Children are placed below the caption.
  win::RECT client{};
  box->AdjustClientRect(client);
  EXPECT_GT(client.top, wg);
  auto* child = new TButton(form);
  child->SetParent(box);
  child->SetAlign(alClient);
  Pump();
  EXPECT_EQ(child->Top(), client.top);
}

TEST_F(GroupBoxTest, CentredCaptionKeepsTheWholeFrame) {
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxGroupBox* box = NewBox(form, 10, 10, "Mid", alCenterCenter, 185, 105);
  Pump();
  TcxGroupBoxViewInfo* info = box->GroupBoxViewInfo();
  const int tw = MeasureFontTextWidth(box->CaptionFont(), "Mid");
  EXPECT_EQ(info->CaptionRect.Left, (185 - tw) / 2);
  EXPECT_LT(info->BorderRect.Top, 4);
}

TEST_F(GroupBoxTest, AcceleratorFocusesTheFirstChild) {
  TForm* form = MakeForm(0, 0, 300, 200);
  auto* outside = new TEdit(form);
  outside->SetParent(form);
  outside->SetBounds(200, 10, 80, 20);
  TcxGroupBox* box = NewBox(form, 10, 10, "&Matrix", alTopLeft, 185, 105);
  auto* inside = new TEdit(form);
  inside->SetParent(box);
  inside->SetBounds(10, 30, 80, 20);
  Pump();
  outside->SetFocus();
  Pump();
  Key(win::VK_MENU, true);
  Key('M', true);
  Key('M', false);
  Key(win::VK_MENU, false);
  Pump();
  EXPECT_TRUE(inside->Focused());
  // A click on the frame takes no focus.
  outside->SetFocus();
  Pump();
  Click(box, 150, 90);
  Pump();
  EXPECT_TRUE(outside->Focused());
}

TEST_F(GroupBoxTest, NativeFrameThroughTheButtonTheme) {
  testsupport::FakeThemeLibrary::Install();
  for (const char* c : {"Button", "Edit"}) testsupport::FakeThemeLibrary::OpenableClasses().insert(c);
  ThemeAccessShutdown();
  ThemeAccessStartup();
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxGroupBox* box = NewBox(form, 10, 10, "Native", alTopLeft, 185, 105);
  box->Style()->LookAndFeel()->SetNativeStyle(true);
  Pump();
  EXPECT_TRUE(box->GroupBoxViewInfo()->NativeStyle);
  // The theme's group-box part fills the frame, its top moved down to the middle of the caption.
  const win::COLORREF frame = testsupport::FakeThemeLibrary::ColorOf("Button", 4, 1);
  EXPECT_EQ(Pixel(box, 2, 90), frame);
  EXPECT_NE(Pixel(box, 2, 1), frame);
  SaveControl("groupbox-native.png", box, 2);
  delete form;
  forms_.clear();
  ThemeAccessShutdown();
  testsupport::FakeThemeLibrary::Uninstall();
  ThemeAccessStartup();
}

// A skin whose group-box elements are plain fills, so that where each lies shows.
struct TProbeGroupBoxSkin : TcxUltraFlatLookAndFeelPainter {
  TRect GroupBoxFrameMargins(bool HasCaption, int) const override {
    return HasCaption ? TRect(4, 3, 4, 3) : TRect(2, 2, 2, 2);
  }
  void DrawGroupBoxSides(TcxCanvas* ACanvas, const TRect& R, TcxBorders, int) const override {
    ACanvas->FillRectWithColor(R, clLime);
  }
  void DrawGroupBoxCaptionBackground(TcxCanvas* ACanvas, const TRect& R, int) const override {
    ACanvas->FillRectWithColor(R, clYellow);
  }
  int GroupBoxCaptionTailLength(bool, int) const override { return 0; }
  TColor GroupBoxCaptionTextColor(bool, int) const override { return clRed; }
};

TEST_F(GroupBoxTest, ASkinnedTopCaptionLiesAboveTheClientArea) {
  static const TProbeGroupBoxSkin skin;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeGroupBox", &skin, nullptr));
  TForm* form = MakeForm(0, 0, 300, 200);
  TcxGroupBox* box = NewBox(form, 10, 10, "Skinned", alTopLeft, 185, 105);
  box->Style()->LookAndFeel()->SetSkinName("ProbeGroupBox");
  Pump();
  ASSERT_TRUE(box->IsNonClientCaption());
  TcxGroupBoxViewInfo* info = box->GroupBoxViewInfo();
  // The caption band (the two margins across it, 6) lies in the non-client area above the client.
  win::RECT client{};
  win::GetClientRect(box->Handle(), &client);
  EXPECT_EQ(client.bottom, 105 - 6);
  EXPECT_EQ(info->CaptionRect.Top, -6);
  EXPECT_EQ(info->BorderRect.Bottom, info->Bounds.Bottom - 6);
  // The window shows the caption's background above the skin's sides.
  win::POINT origin{0, 0};
  win::ClientToScreen(form->Handle(), &origin);
  EXPECT_EQ(ScreenPixel(origin.x + 10 + 1, origin.y + 10 + 1), ColorToRGB(clYellow));
  EXPECT_EQ(ScreenPixel(origin.x + 10 + 1, origin.y + 10 + 60), ColorToRGB(clLime));
  EXPECT_EQ(ScreenPixel(origin.x + 10 + 1, origin.y + 10 + 104), ColorToRGB(clLime));
  SaveControl("groupbox-skinned.png", box, 2);

  // A centred caption is never non-client.
  box->SetAlignment(alCenterCenter);
  Pump();
  EXPECT_FALSE(box->IsNonClientCaption());
  win::GetClientRect(box->Handle(), &client);
  EXPECT_EQ(client.bottom, 105);
  delete form;
  forms_.clear();
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeGroupBox");
}

// The 13 alignments, a panel, a shadowed box, a coloured one and a disabled one, in the standard,
// flat, ultra-flat and Office-2003 looks: two rows of nine per look.
TEST_F(GroupBoxTest, Gallery) {
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  const char* names[] = {"TopLeft",   "TopCenter",   "TopRight",   "BottomLeft", "BottomCenter",
                         "BottomRight", "LeftTop",   "LeftCenter", "LeftBottom", "RightTop",
                         "RightCenter", "RightBottom", "CenterCenter"};
  const int W = 104, H = 70;
  TForm* form = MakeForm(0, 0, 9 * (W + 6) + 6, 8 * (H + 6) + 6);
  for (int k = 0; k < 4; ++k) {
    std::vector<TcxGroupBox*> boxes;
    auto place = [&](const String& Caption, TcxCaptionAlignment Alignment) {
      const int i = static_cast<int>(boxes.size());
      TcxGroupBox* box = NewBox(form, 6 + (i % 9) * (W + 6), 6 + (k * 2 + i / 9) * (H + 6), Caption, Alignment, W, H);
      box->Style()->LookAndFeel()->SetKind(kinds[k]);
      boxes.push_back(box);
      return box;
    };
    for (int a = 0; a <= alCenterCenter; ++a) place(names[a], static_cast<TcxCaptionAlignment>(a));
    place("Panel", alTopCenter)->PanelStyle()->SetActive(true);
    place("Shadow", alTopLeft)->Style()->SetShadow(true);
    place("Sky", alTopCenter)->Style()->SetColor(clSkyBlue);
    place("Disabled", alTopLeft)->SetEnabled(false);
  }
  Pump();
  SaveScreen("groupbox-gallery.png", win::RECT{0, 0, form->Width(), form->ClientHeight()});
}

// The 13 alignments in the panel manner, natively through the test theme and with a skin: two rows
// of each, the skin's caption background yellow and its sides green.
TEST_F(GroupBoxTest, MannersGallery) {
  static const TProbeGroupBoxSkin skin;
  ASSERT_TRUE(ExtendedStylePainterRegistry()->RegisterPainter("ProbeGroupBox", &skin, nullptr));
  testsupport::FakeThemeLibrary::Install();
  for (const char* c : {"Button", "Edit"}) testsupport::FakeThemeLibrary::OpenableClasses().insert(c);
  ThemeAccessShutdown();
  ThemeAccessStartup();
  const char* names[] = {"TopLeft",   "TopCenter",   "TopRight",   "BottomLeft", "BottomCenter",
                         "BottomRight", "LeftTop",   "LeftCenter", "LeftBottom", "RightTop",
                         "RightCenter", "RightBottom", "CenterCenter"};
  const int W = 104, H = 70;
  TForm* form = MakeForm(0, 0, 7 * (W + 6) + 6, 6 * (H + 6) + 6);
  for (int manner = 0; manner < 3; ++manner) {
    for (int a = 0; a <= alCenterCenter; ++a) {
      TcxGroupBox* box = NewBox(form, 6 + (a % 7) * (W + 6), 6 + (manner * 2 + a / 7) * (H + 6), names[a],
                                static_cast<TcxCaptionAlignment>(a), W, H);
      if (manner == 0) box->PanelStyle()->SetActive(true);
      if (manner == 1) box->Style()->LookAndFeel()->SetNativeStyle(true);
      if (manner == 2) box->Style()->LookAndFeel()->SetSkinName("ProbeGroupBox");
    }
  }
  Pump();
  int native = 0, skinned = 0;
  for (int i = 0; i < form->ControlCount(); ++i) {
    auto* box = static_cast<TcxGroupBox*>(form->Controls(i));
    if (box->GroupBoxViewInfo()->NativeStyle) ++native;
    if (box->Style()->LookAndFeel()->SkinPainter() == &skin) ++skinned;
  }
  EXPECT_EQ(native, 13);
  EXPECT_EQ(skinned, 13);
  SaveScreen("groupbox-manners.png", win::RECT{0, 0, form->Width(), form->ClientHeight()});
  delete form;
  forms_.clear();
  ThemeAccessShutdown();
  testsupport::FakeThemeLibrary::Uninstall();
  ThemeAccessStartup();
  ExtendedStylePainterRegistry()->UnregisterPainter("ProbeGroupBox");
}

}  // namespace
}  // namespace choicetest
