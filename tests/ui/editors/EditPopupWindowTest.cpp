// The drop-down editors' popup on the headless screen: its size and borders, its place against the
// editor (flipped above near the screen's bottom, with the grip in a top corner), its system panel,
// resizing by the grip with the size frame or live, Escape while sizing, the close button and the
// reasons a modal result closes with; and a gallery of sizeable popups in every look.
#include <gtest/gtest.h>

#include <vector>

#include "platform/classes/StdCtrls.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Focus.h"
#include "platform/win/Hooks.h"
#include "platform/win/Keys.h"
#include "platform/win/Metrics.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/controls/ControlsFixture.h"
#include "ui/controls/Container.h"
#include "ui/editors/EditPopupWindow.h"
#include "ui/foundation/ThemeManager.h"

namespace {

using namespace win;
using controlstest::ControlsTest;

// An editor stand-in: a container that owns the popup and answers what the popup asks of it.
class TTestEditor : public TcxContainer, public TcxEditPopupWindowOwner {
  VW_CLASS(TTestEditor, TcxContainer)
 public:
  explicit TTestEditor(TComponent* AOwner) : TcxContainer(AOwner) {}
  ~TTestEditor() override { delete Popup; }

  TcxCustomEditPopupWindow* Popup = nullptr;
  TSize Content{120, 80};
  bool UserSized = false;
  bool Sizeable = false;
  bool ShowsList = false;
  int RowHeight = 0;
  std::vector<TcxPopupCloseReason> Reasons;
  std::vector<TRect> FittedContent;

  void PopupAnchorRect(TRect& R) override { R = TRect(Left(), Top(), Left() + Width(), Top() + Height()); }
  void PopupControlSize(TSize& Size) override { Size = Content; }
  bool PopupUserSized() override { return UserSized; }
  void SetPopupUserSized(bool Value) override { UserSized = Value; }
  void FitPopupContent(const TRect& ClientRect) override { FittedContent.push_back(ClientRect); }
  void StorePopupSize() override {
    Popup->PopupWidth = Popup->Width();
    Popup->PopupHeight = Popup->Height();
  }
  bool PopupShowsLookupList() override { return ShowsList; }
  // Snaps to whole rows of RowHeight pixels.
  bool FitPopupListToSize(TSize& Size, int, int) override {
    Size.cy = std::max(RowHeight, Size.cy / RowHeight * RowHeight);
    return true;
  }
  void CloseDropDown(TcxPopupCloseReason Reason) override {
    Reasons.push_back(Reason);
    Popup->ClosePopup();
  }
};

class EditPopupWindowTest : public ControlsTest {
 public:
  void SetUp() override {
    ControlsTest::SetUp();
    RECT work{0, 0, 1024, 740};
    SystemParametersInfo(SPI_SETWORKAREA, 0, &work, 0);
    form = NewForm(40, 40, 500, 400);
    editor = new TTestEditor(form);
    editor->SetParent(form);
    editor->SetBounds(20, 20, 150, 24);
    Pump();
  }
  void TearDown() override {
    delete form;
    ControlsTest::TearDown();
  }
  template <class P = TcxCustomEditPopupWindow>
  P* MakePopup() {
    auto* p = new P(editor);
    editor->Popup = p;
    p->SetCaptureFocus(false);
    p->SetModalMode(false);
    return p;
  }
  void Open() {
    editor->Popup->PlaceAgainstOwner();
    editor->Popup->PopupModal(nullptr);
    Pump();
  }
  TRect ScreenRectOf(TControl* c) {
    POINT p{c->Left(), c->Top()};
    win::ClientToScreen(c->Parent()->Handle(), &p);
    return TRect(p.x, p.y, p.x + c->Width(), p.y + c->Height());
  }
  void Drag(TPoint from, TPoint to) {
    Headless().InjectMouseMove(from.X, from.Y);
    Headless().InjectMouseButton(platform::kButtonLeft, true);
    Pump();
    Headless().InjectMouseMove(to.X, to.Y);
    Pump();
  }
  TPoint GripCentre() {
    TcxCustomEditPopupWindow* p = editor->Popup;
    const TRect& g = p->ViewInfo()->SizeGripSizingRect;
    return TPoint(p->Left() + (g.Left + g.Right) / 2, p->Top() + (g.Top + g.Bottom) / 2);
  }

  TForm* form = nullptr;
  TTestEditor* editor = nullptr;
};

// ---- size --------------------------------------------------------------------------------------------

TEST_F(EditPopupWindowTest, BorderExtentsByStyleClientEdgeShadowAndLook) {
  struct Case {
    TcxEditPopupBorderStyle style;
    bool clientEdge, shadow, native;
    TRect expected;
  };
  const Case cases[] = {
      {epbsDefault, false, false, false, TRect(0, 0, 0, 0)}, {epbsSingle, false, false, false, TRect(1, 1, 1, 1)},
      {epbsFrame3D, false, false, false, TRect(4, 4, 4, 4)}, {epbsFlat, false, false, false, TRect(2, 2, 2, 2)},
      {epbsSingle, true, false, false, TRect(3, 3, 3, 3)},   {epbsFrame3D, true, false, false, TRect(6, 6, 6, 6)},
      {epbsFlat, true, true, false, TRect(3, 3, 6, 6)},      {epbsFrame3D, true, false, true, TRect(3, 3, 3, 3)},
      {epbsDefault, false, true, true, TRect(1, 1, 4, 4)},
  };
  TcxCustomEditPopupWindow* p = MakePopup();
  for (const Case& c : cases) {
    p->SetPopupBorderStyle(c.style);
    p->SetClientEdge(c.clientEdge);
    p->SetShadow(c.shadow);
    p->SetNativeStyle(c.native);
    TRect r;
    p->ViewInfo()->BorderExtents(r);
    EXPECT_EQ(r, c.expected) << "style " << c.style << " edge " << c.clientEdge << " shadow " << c.shadow;
  }
  // A system panel adds its row (and a separator with a single border) at the grip's side.
  p->SetClientEdge(false);
  p->SetShadow(false);
  p->SetNativeStyle(false);
  p->SetPopupBorderStyle(epbsSingle);
  p->ApplySizeable(true);
  const int row = std::max(GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CYSIZE));
  TRect r;
  p->ViewInfo()->BorderExtents(r);
  EXPECT_EQ(r, TRect(1, 1, 1, 1 + row + 1));
  p->ViewInfo()->SizeGripCorner = 1;
  p->ViewInfo()->MinSysPanelHeight = row + 10;
  p->ViewInfo()->BorderExtents(r);
  EXPECT_EQ(r, TRect(1, 1 + row + 11, 1, 1));
}

TEST_F(EditPopupWindowTest, SizeFromContentOrSettingsAndNeverBelowTheMinimum) {
  TcxCustomEditPopupWindow* p = MakePopup();
  p->SetPopupBorderStyle(epbsSingle);
  p->FitToControls();
  EXPECT_EQ(p->Width(), 122) << "auto size: the content and the borders";
  EXPECT_EQ(p->Height(), 82);

  p->SetPopupAutoSize(false);
  p->PopupWidth = 0;
  p->PopupHeight = 90;
  p->FitToControls();
  EXPECT_EQ(p->Width(), editor->Width()) << "PopupWidth 0: the editor's width";
  EXPECT_EQ(p->Height(), 90);

  p->PopupWidth = 40;
  p->PopupHeight = 0;
  p->MinHeight = 60;
  p->MinWidth = 100;
  p->FitToControls();
  EXPECT_EQ(p->Width(), 40) << "the minimum width binds only a sizeable popup";
  EXPECT_EQ(p->Height(), 60) << "no height: the minimum height";
  p->SetSizeable(true);
  p->FitToControls();
  EXPECT_EQ(p->Width(), 100);

  // With a system panel it is never narrower than its borders, close button, grip and 10 pixels.
  p->ApplySizeable(true);
  p->SetCloseButton(true);
  p->PopupWidth = 10;
  p->MinWidth = 0;
  p->FitToControls();
  TcxCustomEditPopupWindowViewInfo* vi = p->ViewInfo();
  EXPECT_EQ(p->Width(), 2 + vi->CloseButtonSide() + vi->SizeGripSide() + 10);
  EXPECT_GT(vi->CloseButtonSide(), 0);
}

TEST_F(EditPopupWindowTest, TheComboPopupIsAsWideAsItsEditorOrItsWidestItem) {
  auto* p = MakePopup<TcxComboBoxPopupWindow>();
  p->SetPopupBorderStyle(epbsSingle);
  editor->Content = TSize(60, 100);
  p->FitToControls();
  EXPECT_EQ(p->Width(), 150) << "narrow items: the editor's width";
  EXPECT_EQ(p->Height(), 102);
  editor->Content = TSize(300, 100);
  p->FitToControls();
  EXPECT_EQ(p->Width(), 302) << "auto width: a wide item widens it";
  p->SetPopupAutoSize(false);
  p->FitToControls();
  EXPECT_EQ(p->Width(), 150) << "without auto width the list scrolls instead";
  p->PopupWidth = 200;
  p->FitToControls();
  EXPECT_EQ(p->Width(), 200);
  // A user-sized sizeable popup keeps the size it was given.
  p->SetPopupAutoSize(true);
  p->SetSizeable(true);
  p->PopupWidth = 250;
  p->PopupHeight = 170;
  editor->UserSized = true;
  p->FitToControls();
  EXPECT_EQ(p->Width(), 250);
  EXPECT_EQ(p->Height(), 170);
}

// ---- position ----------------------------------------------------------------------------------------

TEST_F(EditPopupWindowTest, BelowWithTheGripBottomRightAboveNearTheScreensBottom) {
  TcxCustomEditPopupWindow* p = MakePopup();
  p->SetPopupBorderStyle(epbsSingle);
  p->SetSizeable(true);
  p->ApplySizeable(true);
  Open();
  const TRect e = ScreenRectOf(editor);
  EXPECT_EQ(p->Top(), e.Bottom);
  EXPECT_EQ(p->Left(), e.Left);
  EXPECT_EQ(p->ViewInfo()->SizeGripCorner, 3);
  EXPECT_EQ(p->ViewInfo()->SysPanelRect.Bottom, p->Height() - 1) << "the panel at the bottom";
  p->ClosePopup();

  // Near the bottom of the work area: above the editor, the grip in the top-right corner, the
  // panel at the top; a shadowed popup moves 3 pixels down.
  form->SetTop(640);
  Pump();
  Open();
  const TRect e2 = ScreenRectOf(editor);
  EXPECT_EQ(p->Top() + p->Height(), e2.Top);
  EXPECT_EQ(p->ViewInfo()->SizeGripCorner, 1);
  EXPECT_EQ(p->ViewInfo()->SysPanelRect.Top, 1);
  EXPECT_LT(p->ViewInfo()->SizeGripRect.Top, 10);
  p->ClosePopup();
  p->SetShadow(true);
  Open();
  EXPECT_EQ(p->Top() + p->Height(), e2.Top + 3);
  EXPECT_EQ(p->ViewInfo()->SizeGripCorner, 1);
  // The bottom shadow strip is cut where it would lie over the editor.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(p->Handle(), region), ERROR);
  EXPECT_FALSE(PtInRegion(region, 10, p->Height() - 2));
  EXPECT_TRUE(PtInRegion(region, 10, p->Height() - 5));
  DeleteObject(region);
}

// ---- resizing by the user ---------------------------------------------------------------------------

TEST_F(EditPopupWindowTest, DraggingTheGripOfAPopupAboveMovesItsTopEdgeOnly) {
  form->SetTop(640);
  Pump();
  TcxCustomEditPopupWindow* p = MakePopup();
  p->SetPopupBorderStyle(epbsSingle);
  p->SetSizeable(true);
  p->ApplySizeable(true);
  Open();
  ASSERT_EQ(p->ViewInfo()->SizeGripCorner, 1);
  const int bottom = p->Top() + p->Height(), left = p->Left(), width = p->Width(), height = p->Height();
  const TPoint grip = GripCentre();
  Drag(grip, TPoint(grip.X + 30, grip.Y - 40));
  EXPECT_TRUE(p->Sizing());
  EXPECT_EQ(p->Height(), height) << "the size frame moves, not the popup";
  EXPECT_EQ(PopupSizeFrameRect(), TRect(left, bottom - height - 40, left + width + 30, bottom));
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_FALSE(p->Sizing());
  EXPECT_EQ(p->Top() + p->Height(), bottom) << "the bottom edge stays";
  EXPECT_EQ(p->Left(), left);
  EXPECT_EQ(p->Height(), height + 40);
  EXPECT_EQ(p->Width(), width + 30);
  EXPECT_TRUE(editor->UserSized);
  EXPECT_EQ(p->PopupHeight, height + 40) << "the editor stored the size";
  EXPECT_EQ(editor->FittedContent.back(), p->ViewInfo()->ClientRect);
}

TEST_F(EditPopupWindowTest, EscapeWhileSizingKeepsTheSizeAndLiveResizeMovesThePopup) {
  TcxCustomEditPopupWindow* p = MakePopup();
  // It has the keyboard, as the popup editor's popup does.
  p->SetCaptureFocus(true);
  p->SetPopupBorderStyle(epbsSingle);
  p->SetSizeable(true);
  p->ApplySizeable(true);
  Open();
  const int width = p->Width(), height = p->Height();
  TPoint grip = GripCentre();
  Drag(grip, TPoint(grip.X + 50, grip.Y + 50));
  ASSERT_TRUE(p->Sizing());
  Headless().InjectKey(VK_ESCAPE, true);
  Headless().InjectKey(VK_ESCAPE, false);
  Pump();
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_FALSE(p->Sizing());
  EXPECT_EQ(p->Width(), width);
  EXPECT_EQ(p->Height(), height);
  EXPECT_FALSE(editor->UserSized);
  EXPECT_TRUE(IsPopupVisibleListed(p)) << "Escape ended the sizing only";
}

TEST_F(EditPopupWindowTest, LiveResizeMovesThePopupAndAListSnapsToWholeRows) {
  TcxCustomEditPopupWindow* p = MakePopup();
  p->SetPopupBorderStyle(epbsSingle);
  p->SetSizeable(true);
  p->ApplySizeable(true);
  Open();
  const int width = p->Width(), height = p->Height();
  p->LiveResize = true;
  editor->ShowsList = true;
  editor->RowHeight = 16;
  const TPoint grip = GripCentre();
  Drag(grip, TPoint(grip.X + 20, grip.Y + 37));
  TRect ext;
  p->ViewInfo()->BorderExtents(ext);
  EXPECT_EQ(p->Width(), width + 20);
  EXPECT_EQ((p->Height() - ext.Top - ext.Bottom) % 16, 0) << "whole rows";
  EXPECT_GT(p->Height(), height);
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_TRUE(editor->UserSized);
}

// ---- closing -----------------------------------------------------------------------------------------

TEST_F(EditPopupWindowTest, TheCloseButtonClosesWithTheToggleReasonWhenTheCloseQueryAgrees) {
  TcxCustomEditPopupWindow* p = MakePopup();
  p->SetPopupBorderStyle(epbsSingle);
  p->SetSizeable(true);
  p->ApplySizeable(true);
  p->SetCloseButton(true);
  bool canClose = false;
  p->OnCloseQuery = [&](TObject*, bool& CanClose) { CanClose = canClose; };
  Open();
  const TRect& b = p->ViewInfo()->CloseButtonRect;
  ASSERT_FALSE(b.Right <= b.Left);
  const int x = p->Left() + (b.Left + b.Right) / 2, y = p->Top() + (b.Top + b.Bottom) / 2;
  Headless().InjectMouseMove(x, y);
  Pump();
  EXPECT_EQ(p->ViewInfo()->CloseButtonState, 2) << "hot";
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Pump();
  EXPECT_EQ(p->ViewInfo()->CloseButtonState, 3) << "pressed";
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_TRUE(editor->Reasons.empty()) << "the close query refused";
  canClose = true;
  Headless().InjectMouseButton(platform::kButtonLeft, true);
  Headless().InjectMouseButton(platform::kButtonLeft, false);
  Pump();
  EXPECT_EQ(editor->Reasons, std::vector<TcxPopupCloseReason>{pcrToggle});
  EXPECT_FALSE(IsPopupVisibleListed(p));
}

TEST_F(EditPopupWindowTest, AModalResultClosesThroughTheEditorWithItsReason) {
  TcxCustomEditPopupWindow* p = MakePopup();
  const std::pair<TModalResult, TcxPopupCloseReason> cases[] = {
      {mrOk, pcrAccept}, {mrCancel, pcrCancel}, {mrAbort, pcrOther}, {mrNone, pcrOther}};
  for (auto [result, reason] : cases) {
    Open();
    p->SetModalResult(result);
    p->CloseUp();
    EXPECT_EQ(editor->Reasons.back(), reason) << result;
    EXPECT_FALSE(IsPopupVisibleListed(p));
  }
}

TEST_F(EditPopupWindowTest, AForwardedCharacterReachesTheFocusedControlOnlyWhileShown) {
  TcxCustomEditPopupWindow* p = MakePopup();
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(20, 200, 100, 24);
  Pump();
  edit->SetFocus();
  p->HandleNeeded();
  SendMessage(p->Handle(), CM_POPUPFORWARDCHAR, 'x', 0);
  EXPECT_EQ(edit->Text(), "");
  Open();
  edit->SetFocus();
  SendMessage(p->Handle(), CM_POPUPFORWARDCHAR, 'x', 0);
  EXPECT_EQ(edit->Text(), "x");
}

// ---- painting ----------------------------------------------------------------------------------------

TEST_F(EditPopupWindowTest, GalleryOfSizeablePopupsInEveryLook) {
  form->Hide();
  Pump();
  struct Look {
    TcxLookAndFeelKind kind;
    TcxEditPopupBorderStyle border;
    bool clientEdge, shadow;
    int corner;
  };
  const Look looks[] = {{lfFlat, epbsFlat, false, true, 3},       {lfStandard, epbsFrame3D, false, false, 3},
                        {lfUltraFlat, epbsSingle, false, true, 1}, {lfOffice11, epbsSingle, true, false, 2},
                        {lfStandard, epbsFrame3D, true, false, 0}};
  std::vector<TcxCustomEditPopupWindow*> popups;
  int x = 10;
  for (const Look& look : looks) {
    auto* p = new TcxCustomEditPopupWindow(editor);
    p->SetCaptureFocus(false);
    p->Style()->LookAndFeel()->SetKind(look.kind);
    p->SetPopupBorderStyle(look.border);
    p->SetClientEdge(look.clientEdge);
    p->SetShadow(look.shadow);
    p->SetSizeable(true);
    p->ApplySizeable(true);
    p->SetCloseButton(true);
    p->ViewInfo()->SizeGripCorner = look.corner;
    p->SetBounds(x, 100, 150, 120);
    p->HandleNeeded();
    p->CalculatePopupLayout();
    ShowWindow(p->Handle(), SW_SHOWNA);
    popups.push_back(p);
    x += 170;
  }
  Pump();
  for (TcxCustomEditPopupWindow* p : popups) {
    HDC dc = GetDC(p->Handle());
    const TRect& c = p->ViewInfo()->ClientRect;
    EXPECT_EQ(GetPixel(dc, (c.Left + c.Right) / 2, (c.Top + c.Bottom) / 2), ColorToRGB(clBtnFace));
    ReleaseDC(p->Handle(), dc);
  }
  // The single border's separator runs along the panel.
  HDC dc = GetDC(popups[2]->Handle());
  EXPECT_EQ(GetPixel(dc, 40, popups[2]->ViewInfo()->SysPanelRect.Bottom), ColorToRGB(clBtnText));
  ReleaseDC(popups[2]->Handle(), dc);
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("editors/edit-popup-gallery.png")));
  for (TcxCustomEditPopupWindow* p : popups) delete p;
}

TEST_F(EditPopupWindowTest, UnderTheThemeLibraryTheGripCloseButtonAndDropShadowAreThemed) {
  using testsupport::FakeThemeLibrary;
  FakeThemeLibrary::Install();
  for (const char* name : {"SCROLLBAR", "STATUS", "WINDOW", "LISTBOX"}) FakeThemeLibrary::OpenableClasses().insert(name);
  FakeThemeLibrary::PartSizes()[{"WINDOW", 19, 1, TS_TRUE}] = SIZE{13, 13};
  FakeThemeLibrary::PartSizes()[{"SCROLLBAR", 10, 1, TS_TRUE}] = SIZE{20, 24};
  ThemeAccessStartup();
  {
    TcxCustomEditPopupWindow* p = MakePopup();
    p->SetNativeStyle(true);
    p->SetSizeable(true);
    p->ApplySizeable(true);
    p->SetCloseButton(true);
    TcxCustomEditPopupWindowViewInfo* vi = p->ViewInfo();
    EXPECT_EQ(vi->GripRowHeight(), std::max(24, GetSystemMetrics(SM_CYSIZE)));
    EXPECT_EQ(vi->SizeGripSide(), std::max(vi->GripRowHeight() - 2, 22));
    EXPECT_EQ(vi->CloseButtonSide(), 13);
    MoveMouse(1000, 700);  // the close button is not hot
    Open();
    EXPECT_TRUE(GetClassLongPtr(p->Handle(), GCL_STYLE) & CS_DROPSHADOW);
    p->Repaint();
    Pump();
    const TRect& b = vi->CloseButtonRect;
    HDC dc = GetDC(p->Handle());
    EXPECT_EQ(GetPixel(dc, (b.Left + b.Right) / 2, (b.Top + b.Bottom) / 2), FakeThemeLibrary::ColorOf("WINDOW", 19, 1));
    ReleaseDC(p->Handle(), dc);
    EXPECT_LE(std::abs((b.Top - vi->SysPanelRect.Top) - (vi->SysPanelRect.Bottom - b.Bottom)), 1)
        << "centred in the panel";
    p->ClosePopup();
    delete p;
    editor->Popup = nullptr;
  }
  ThemeAccessShutdown();
  FakeThemeLibrary::Uninstall();
}

}  // namespace
