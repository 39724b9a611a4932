#include <gtest/gtest.h>

#include "platform/classes/Forms.h"
#include "platform/display/Display.h"
#include "platform/system/Modules.h"
#include "platform/win/Hooks.h"
#include "platform/win/Messages.h"
#include "platform/win/Window.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/foundation/Surface.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/foundation/PaintersUnit.h"
#include "ui/foundation/RadioButtonImageList.h"
#include "ui/foundation/ThemeManager.h"
#include "ui/foundation/WinXPPainter.h"

namespace {

using namespace win;
using surfacetest::Surface;
using testsupport::FakeThemeLibrary;

// One column per painter: buttons in five states, check boxes, radio buttons, row indicators,
// headers with neighbours and in states, sort arrows, expand boxes, scroll-bar parts, track-bar thumbs, a grouped button row, a
// clock face, size grips in each corner and turned group expanders.
void PaintColumn(const TcxCustomLookAndFeelPainter* P, TcxCanvas* C, int X) {
  TFont font;
  font.SetName("DejaVu Sans");
  font.SetSize(8);
  C->AssignFont(&font);
  int y = 4;
  const TcxButtonState states[] = {cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
  const char* names[] = {"Default", "Normal", "Hot", "Pressed", "Disabled"};
  for (int i = 0; i < 5; ++i) {
    P->DrawPushButton(C, TRect(X, y, X + 75, y + 23), names[i], states[i], true, clDefault, clDefault, false, 0);
    y += 27;
  }
  for (int i = 0; i < 5; ++i)
    P->DrawCheckBox(C, TRect(X + i * 16, y, X + i * 16 + 13, y + 13), states[i], i == 2 ? cbsGrayed : cbsChecked);
  y += 18;
  // Unchecked normal, then checked hot, pressed, disabled and focused.
  P->DrawRadioButton(C, X, y, cxbsNormal, false, false, clDefault, false);
  for (int i = 2; i < 5; ++i) P->DrawRadioButton(C, X + (i - 1) * 16, y, states[i], true, false, clDefault, false);
  P->DrawRadioButton(C, X + 64, y, cxbsNormal, true, true, clDefault, false);
  y += 18;
  for (int kind = 1; kind <= 6; ++kind) P->DrawIndicatorGlyph(C, TRect(X + (kind - 1) * 12, y, X + kind * 12, y + 12), kind);
  y += 16;
  for (int i = 0; i < 3; ++i) {
    TcxBorders neighbours;
    if (i > 0) neighbours.Include(bLeft);
    if (i < 2) neighbours.Include(bRight);
    const TRect r(X + i * 30, y, X + (i + 1) * 30, y + 20);
    P->DrawColumnHeader(C, r, TRect(r.Left + 2, r.Top, r.Right - 2, r.Bottom), neighbours, cxBordersAll,
                        i == 1 ? cxbsHot : cxbsNormal, taCenter, vaCenter, false, true, i == 1 ? "Hot" : "Col",
                        &font, clBtnText, clBtnFace, nullptr, false, false);
  }
  y += 24;
  P->DrawSortArrow(C, TRect(X, y, X + 16, y + 16), true);
  P->DrawSortArrow(C, TRect(X + 18, y, X + 34, y + 16), false);
  C->PushClipRegion();
  P->DrawExpandBox(C, TRect(X + 40, y + 2, X + 51, y + 13), true, clDefault);
  P->DrawExpandBox(C, TRect(X + 56, y + 2, X + 67, y + 13), false, clDefault);
  C->PopClipRegion();
  y += 20;
  for (int part = 1; part <= 5; ++part) {
    const TRect r(X + (part - 1) * 17, y, X + part * 17, y + 17);
    P->DrawScrollBarElement(C, true, r, part, part == 3 ? cxbsHot : cxbsNormal);
  }
  y += 21;
  for (int i = 0; i < 4; ++i)
    P->DrawGroupedButton(C, TRect(X + i * 22, y, X + (i + 1) * 22, y + 20), i == 1 ? cxbsHot : cxbsNormal, 4, i,
                         clBtnShadow);
  y += 24;
  for (int shape = 0; shape < 3; ++shape) {
    TRect r(X + 4 + shape * 20, y + 1, X + 15 + shape * 20, y + 21);
    P->DrawTrackBarThumb(C, r, cxbsNormal, true, shape, clBtnFace);
  }
  y += 26;
  P->DrawGroupBoxBorder(C, TRect(X, y, X + 80, y + 30), true, 0, cxBordersAll);
  C->PushClipRegion();
  P->DrawClockFace(C, TRect(X + 4, y + 34, X + 64, y + 94), 0.4375 + 0.0001, clWindow);
  C->PopClipRegion();
  y += 98;
  // Size grips in the four corners over what lies beneath, then the group expander turned to each
  // side.
  for (int corner = 0; corner < 4; ++corner) P->DrawSizeGripAtCorner(C, TRect(X + corner * 18, y, X + corner * 18 + 16, y + 16), clNone, corner);
  y += 20;
  for (int position = 0; position < 4; ++position)
    P->DrawRotatedGroupExpander(C, TRect(X + position * 18, y, X + position * 18 + 15, y + 15), cxbsNormal, true, position);
}

class PainterGalleryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallDisplay(platform::CreateHeadlessDisplay(640, 480));
    InitializeForms();
    Application->Initialize();
  }
  void TearDown() override {
    RelinquishOffice11Colors();
    PaintingUnitsShutdown();
    FakeThemeLibrary::Uninstall();
    FinalizeForms();
    platform::ResetDisplay();
  }
};

TEST_F(PainterGalleryTest, EveryPainterInAColumn) {
  PaintingUnitsStartup();
  AcquireOffice11Colors();
  const TcxCustomLookAndFeelPainter* painters[] = {CustomLookAndFeelPainter(), StandardLookAndFeelPainter(),
                                                   FlatLookAndFeelPainter(), UltraFlatLookAndFeelPainter(),
                                                   Office11LookAndFeelPainter()};
  Surface s(5 * 100 + 8, 470, clBtnFace);
  TcxCanvas canvas(s.Canvas());
  for (int i = 0; i < 5; ++i) PaintColumn(painters[i], &canvas, 6 + i * 100);
  s.Save("painters.png");
}

TEST_F(PainterGalleryTest, Office2003SchemesAndTheNativePainterOnTheFake) {
  FakeThemeLibrary::Install();
  for (const char* c : {"Button", "ScrollBar", "Header", "TreeView", "ToolBar", "TrackBar", "Window"})
    FakeThemeLibrary::OpenableClasses().insert(c);
  PaintingUnitsStartup();
  AcquireOffice11Colors();
  Surface s(4 * 100 + 8, 470, clBtnFace);
  TcxCanvas canvas(s.Canvas());
  const char* schemes[] = {"NormalColor", "HomeStead", "Metallic"};
  for (int i = 0; i < 3; ++i) {
    FakeThemeLibrary::ColorName() = schemes[i];
    RebuildOffice11Colors();
    RadioButtonImages()->Reset();
    PaintColumn(Office11LookAndFeelPainter(), &canvas, 6 + i * 100);
  }
  PaintColumn(WinXPLookAndFeelPainter(), &canvas, 306);
  s.Save("painters-themed.png");
}

TEST_F(PainterGalleryTest, AWindowPaintsEveryPainterThroughItsLookAndFeel) {
  PaintingUnitsStartup();
  // A borderless form whose paint handler draws one column per look-and-feel kind, each painter
  // reached the way controls reach theirs.
  TcxLookAndFeel looks[4] = {TcxLookAndFeel(nullptr), TcxLookAndFeel(nullptr), TcxLookAndFeel(nullptr),
                             TcxLookAndFeel(nullptr)};
  for (int kind = 0; kind < 4; ++kind) looks[kind].SetKind(static_cast<TcxLookAndFeelKind>(kind));
  auto* form = new TForm(Application, 0);
  form->SetBorderStyle(bsNone);
  form->SetColor(clBtnFace);
  form->SetBounds(0, 0, 4 * 100 + 8, 470);
  form->OnPaint = [&](TObject*) {
    TcxCanvas canvas(form->Canvas());
    for (int kind = 0; kind < 4; ++kind) PaintColumn(looks[kind].ActivePainter(), &canvas, 6 + kind * 100);
  };
  form->Show();
  UpdateWindow(form->Handle());
  MSG m;
  for (int guard = 0; guard < 1000 && PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE); ++guard)
    Application->ProcessMessages();
  EXPECT_TRUE(platform::Headless()->SaveScreenshot(testsupport::ArtifactPath("painters-window.png")));
  delete form;
}

}  // namespace
