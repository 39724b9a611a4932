// The bar window base: construction and liveness, handle lifetime with the item controls, metrics,
// layout, rebuilds, painting, the window procedure under injected input, hint placement, the seam
// towards the owner element, accelerators and container items expanded in place.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/system/Version.h"
#include "platform/gdi/Gdi.h"
#include "platform/win/Controls.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "platform/win/Window.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarLookups.h"
#include "ui/bars/BarShadow.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ObjectLinks.h"

namespace {

using namespace win;

constexpr TColor kItemInk = clRed;

// A control of fixed height that the links make: it paints itself red a little beyond its
// rectangle (the bar clips it) and records what the bar asks of it.
class TRecordingControl : public TdxBarItemControl {
  VW_CLASS(TRecordingControl, TdxBarItemControl)
 public:
  int Height() const override { return 20; }
  void DrawContent(const TRect& R, TdxBarPaintMode APaintMode) override {
    HBRUSH ink = CreateSolidBrush(ColorToRGB(kItemInk));
    RECT r{R.Left - 3, R.Top - 3, R.Right + 3, R.Bottom + 3};
    FillRect(CurrentCanvas()->DeviceContext(), &r, ink);
    DeleteObject(ink);
    PaintMode = APaintMode;
  }
  void Click(bool) override {
    ++Clicks;
    if (OnClicked) OnClicked();
  }
  void BarWindowDestroyed() override { ++WindowDestroyedCalls; }
  ~TRecordingControl() override { DestroyedTotal += WindowDestroyedCalls > 0; }
  static inline int DestroyedTotal = 0;
  bool LetsBarsHide() const override { return !Holding; }
  bool SkippedByCustomizingHitTest() const override { return Holding; }
  HWND EditWindow() const override { return Edit; }
  HBRUSH EditBrushHandle() const override { return GetSysColorBrush(COLOR_INFOBK); }
  std::function<void()> OnClicked;
  bool Holding = false;
  int Clicks = 0, WindowDestroyedCalls = 0, PaintMode = -1;
  HWND Edit = nullptr;
};

// A concrete bar window: a popup of the test form that paints its items over a plain background.
class TTestBarWindow : public TCustomdxBarControl {
  VW_CLASS(TTestBarWindow, TCustomdxBarControl)
 public:
  explicit TTestBarWindow(TComponent* AOwner, int AKind = 0) : TCustomdxBarControl(AOwner), Kind(AKind) {}
  TClass AccessibilityHelperClass() const override { return nullptr; }
  TBitmap* BackgroundBitmap() const override { return nullptr; }
  int SeparatorSize() const override { return 6; }
  bool IsMainMenu() const override { return false; }
  bool IsStatusBar() const override { return false; }
  TClass ViewInfoClass() const override { return TCustomdxBarControlViewInfo::StaticClass(); }
  void SetMarkState(int AState) override { FMarkState = AState; }
  void AssignFont() override { ++FontAssignments; }
  void InvalidateItemControl(TdxBarItemControl*) override { ++Invalidations; }
  void FillBarBackground(HDC DC, const TRect& R, bool, TColor AColor, HBRUSH ABrush) override {
    FillPlainBackground(DC, R, AColor, ABrush);
  }
  void Dismiss() override {}
  int BarKind() const override { return Kind; }
  bool RotatesText() const override { return Rotated; }
  int TextSize() const override { return Text ? Text : TCustomdxBarControl::TextSize(); }
  int ReferenceTextSize() const override { return Nominal; }
  bool ClipsLastItem(const TRect&) const override { return Clips; }
  void Rebuild(bool ARecreate) override {
    ++Rebuilds;
    if (RealRebuild) TCustomdxBarControl::Rebuild(ARecreate);
  }
  void UpdateAfterHandle() override { ++AfterHandleCalls; }
  void MouseLeft() override { ++MouseLeftCalls; }
  void DrawNonClient(HDC) override {
    ++NonClientDraws;
    if (ThrowInNonClient) throw Exception("frame failed");
  }
  unsigned BehaviourFlags() const override { return Flags ? Flags : TCustomdxBarControl::BehaviourFlags(); }
  bool IsInternal() const override { return Internal; }
  void SetStateBits(unsigned Bits) { FState = Bits; }
  // The items, then the background around them. As toolbars do, a rotating bar turns the canvas
  // font the class library gave the canvas from the control's.
  void Paint() override {
    UpdateCanvasFont();
    HDC dc = DrawCanvas()->DeviceContext();
    int saved = SaveDC(dc);
    ViewInfo()->Clear();
    for (int i = 0; ItemLinks() && i < ItemLinks()->VisibleCount(); ++i)
      if (TdxBarItemControl* c = ItemLinks()->VisibleLinks(i)->Control()) ViewInfo()->AddItemControl(c);
    PaintItems();
    TCanvas* canvas = DrawCanvas()->Canvas();
    RECT r = ClientRect();
    FillBarBackground(canvas->Handle(), r, true, clBtnFace, nullptr);
    RestoreDC(dc, saved);
    if (!PaintText.empty()) {
      canvas->Brush()->SetStyle(bsClear);
      canvas->TextOut(TextOrigin.X, TextOrigin.Y, PaintText);
    }
  }

 protected:
  void CreateParams(TCreateParams& Params) override {
    TCustomdxBarControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    Params.ExStyle |= WS_EX_TOOLWINDOW;
    if (auto* form = dynamic_cast<TWinControl*>(BarManager() ? BarManager()->Owner() : nullptr)) Params.WndParent = form->Handle();
  }

 public:
  int Kind;
  bool Rotated = false, Clips = false, RealRebuild = true, ThrowInNonClient = false, Internal = false;
  unsigned Flags = 0;
  int Text = 0, Nominal = 19;
  int Rebuilds = 0, FontAssignments = 0, Invalidations = 0, AfterHandleCalls = 0, MouseLeftCalls = 0, NonClientDraws = 0;
  String PaintText;
  TPoint TextOrigin{};
};

// A container that puts two buttons where its link stood.
class TTestContainer : public TCustomdxBarContainerItem {
  VW_CLASS(TTestContainer, TCustomdxBarContainerItem)
 public:
  explicit TTestContainer(TComponent* AOwner) : TCustomdxBarContainerItem(AOwner) {}
  void Expand(TdxBarItemLinks* ALinks, TdxBarContainerLinkData* ALinkData, int AIndex) override {
    TCustomdxBarContainerItem::Expand(ALinks, ALinkData, AIndex);
    for (int i = 0; i < static_cast<int>(Content.size()); ++i) CreateExpandedLink(ALinks, ALinkData, Content[i], AIndex + i);
  }
  bool HasContent() const override { return !Content.empty(); }
  std::vector<TdxBarItem*> Content;
};

class BarControlTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = new TdxBarManager(Form);
    dxBarItemControlFactory = [](TdxBarItemLink*) { return new TRecordingControl; };
  }
  void TearDown() override {
    Owned.clear();
    dxBarItemControlFactory = nullptr;
    EXPECT_EQ(BarControls->Count(), 0) << "every test frees its bars";
    EXPECT_EQ(ActiveBarWindow, nullptr) << "no bar stays active";
    platform::SetScreenPixelsPerInch(96);
    BarItemFixture::TearDown();
  }
  TdxBarButton* Button(const String& Name, const String& Caption = {}) {
    auto* b = new TdxBarButton(Form);
    b->SetName(Name);
    if (!Caption.empty()) b->SetCaption(Caption);
    return b;
  }
  // A menu-kind collection of buttons shown by the bar.
  TdxBarSubMenuControlItemLinks* Links(TTestBarWindow* Bar, std::initializer_list<const char*> Names) {
    auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
    for (const char* name : Names) links->AddItem(Button(name));
    Bar->SetItemLinks(links);
    Owned.emplace_back(links);
    return links;
  }
  TRecordingControl* ControlOf(TdxBarItemLinks* L, int I) { return static_cast<TRecordingControl*>(L->Items(I)->Control()); }
  // Shows the bar at a screen place, its form active beneath it.
  void Show(TTestBarWindow* Bar, int X, int Y, int W, int H) {
    Form->Show();
    SetActiveWindow(Form->Handle());
    Bar->SetBounds(X, Y, W, H);
    Bar->HandleNeeded();
    Bar->ShowNoActivate();
    Bar->SetVisible(true);
    Bar->Update();
  }
  static COLORREF PixelOf(TTestBarWindow* Bar, int X, int Y) {
    HDC dc = GetDC(Bar->Handle());
    COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Bar->Handle(), dc);
    return c;
  }
  platform::HeadlessControl& Headless() { return *platform::Headless(); }

  TdxBarManager* M = nullptr;
  std::vector<std::unique_ptr<TdxBarItemLinks>> Owned;
};

TEST_F(BarControlTest, ConstructionValuesAndLiveness) {
  M->SetStyle(bmsStandard);
  auto* plain = new TTestBarWindow(M);
  M->SetStyle(bmsFlat);
  auto* bar = new TTestBarWindow(M);
  EXPECT_TRUE(IsBarControlAlive(bar));
  EXPECT_FALSE(bar->ControlStyle().Contains(csCaptureMouse));
  EXPECT_TRUE(bar->ControlStyle().Contains(csDoubleClicks));
  EXPECT_FALSE(plain->ControlStyle().Contains(csDoubleClicks));
  EXPECT_EQ(bar->Color(), clBtnFace);
  EXPECT_FALSE(bar->Visible());
  EXPECT_EQ(TRect(bar->BoundsRect()), (TRect{100, 100, 150, 130}));
  EXPECT_EQ(bar->LastMousePos(), (TPoint{-1, -1}));
  EXPECT_NE(bar->Shadow(), nullptr);
  EXPECT_EQ(bar->BehaviourFlags(), 0x13u);
  EXPECT_EQ(bar->BarManager(), M);
  TcxObjectLink* link = CreateObjectLink(bar);
  int destroying = 0;
  bar->OnDestroying = [&](TObject*) { ++destroying; };
  TObject::Free(bar);
  EXPECT_EQ(destroying, 1);
  EXPECT_FALSE(IsBarControlAlive(bar));
  EXPECT_EQ(link->LinkedObject, nullptr);
  FreeObjectLink(link);
  TObject::Free(plain);
}

TEST_F(BarControlTest, ItemControlsLiveExactlyWhileTheHandleDoes) {
  auto* bar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(bar, {"A", "B"});
  EXPECT_EQ(links->Items(0)->Control(), nullptr);
  TcxCanvas* measuring = bar->DrawCanvas();
  EXPECT_NE(measuring, nullptr) << "a screen canvas measures without a handle";
  Show(bar, 100, 100, 80, 60);
  EXPECT_NE(links->Items(0)->Control(), nullptr);
  EXPECT_NE(links->Items(1)->Control(), nullptr);
  EXPECT_EQ(bar->AfterHandleCalls, 1);
  EXPECT_EQ(bar->FontAssignments, 1);
  EXPECT_EQ(bar->DrawCanvas()->Canvas(), bar->Canvas()) << "the window's own canvas once there is a handle";
  TRecordingControl::DestroyedTotal = 0;
  bar->DestroyHandle();
  EXPECT_GE(bar->MouseLeftCalls, 1);
  EXPECT_EQ(TRecordingControl::DestroyedTotal, 2) << "each control heard of the window's end before it went";
  EXPECT_EQ(links->Items(0)->Control(), nullptr);
  EXPECT_EQ(links->Items(1)->Control(), nullptr);
  bar->HandleNeeded();
  EXPECT_NE(links->Items(0)->Control(), nullptr) << "made again with the next handle";
  TObject::Free(bar);
  EXPECT_EQ(links->BarControl(), nullptr) << "the links forget the bar";
}

TEST_F(BarControlTest, Metrics) {
  auto* bar = new TTestBarWindow(M);
  struct Row {
    int Nominal, Text, ArrowHeight;
    double Ratio;
  };
  for (Row r : {Row{19, 14, 4, 1.0}, Row{19, 25, 5, 25.0 / 19}, Row{19, 12, 4, 1.0}, Row{19, 38, 7, 2.0}}) {
    bar->Nominal = r.Nominal;
    bar->Text = r.Text;
    bar->CalcMetrics();
    EXPECT_EQ(bar->MenuArrowHeight(), r.ArrowHeight) << r.Text;
    EXPECT_DOUBLE_EQ(bar->Ratio(), r.Ratio) << r.Text;
  }
  // The edit and combo metrics come from the painter and "0" in the manager's font.
  EXPECT_GT(bar->EditTextSize(), 0);
  EXPECT_GT(bar->ComboBoxArrowWidth(), 0);
  TObject::Free(bar);
}

TEST_F(BarControlTest, ARotatingBarWritesTopToBottom) {
  auto* bar = new TTestBarWindow(M);
  bar->Rotated = true;
  bar->Font()->SetName("DejaVu Sans");
  bar->Font()->SetSize(14);
  bar->PaintText = "Toolbar";
  bar->TextOrigin = {30, 4};
  Show(bar, 200, 120, 60, 160);
  bar->UpdateCanvasFont();
  bar->Invalidate();
  bar->Update();
  Application->ProcessMessages();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("bar_window_rotated_text.png")));
  // The ink's extent: much taller than wide, and it starts at the origin going down.
  int top = 1000, bottom = -1, left = 1000, right = -1;
  for (int y = 0; y < 160; ++y)
    for (int x = 0; x < 60; ++x)
      if (PixelOf(bar, x, y) != ColorToRGB(clBtnFace)) {
        top = std::min(top, y), bottom = std::max(bottom, y);
        left = std::min(left, x), right = std::max(right, x);
      }
  ASSERT_GE(bottom, 0);
  EXPECT_GT(bottom - top, 3 * (right - left)) << "the text runs down the bar";
  EXPECT_GE(top, 4);
  EXPECT_LE(right, 30) << "a turn of -90 degrees puts the glyphs left of the origin";
  TObject::Free(bar);
}

TEST_F(BarControlTest, VerticalLayoutWithASeparatorAndTheClippedLastItem) {
  auto* bar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(bar, {"B0", "B1", "B2", "B3", "B4"});
  for (int i = 0; i < 5; ++i) links->Items(i)->CreateControl();
  links->Items(2)->SetBeginGroup(true);
  bar->SetItemsRect(TRect{0, 0, 100, 70});
  bar->CalcItemRects(1, 0);
  EXPECT_EQ(links->Items(0)->ItemRect(), (TRect{0, 0, 100, 20}));
  EXPECT_EQ(links->Items(1)->ItemRect(), (TRect{0, 20, 100, 40}));
  EXPECT_EQ(links->Items(2)->ItemRect(), (TRect{0, 46, 100, 66}));
  EXPECT_EQ(links->Items(3)->ItemRect(), (TRect{}));
  int bottom = -1;
  bar->CalcVerticalItemRects(0, bottom);
  EXPECT_EQ(bottom, 66);
  bar->Clips = true;
  bar->CalcVerticalItemRects(0, bottom);
  EXPECT_EQ(links->Items(3)->ItemRect(), (TRect{0, 66, 100, 86}));
  EXPECT_EQ(bottom, 70);
  bar->CalcItemRects(3, 0);
  EXPECT_EQ(links->Items(0)->ItemRect(), (TRect{})) << "other kinds lay out nothing";
  TObject::Free(bar);
}

TEST_F(BarControlTest, RebuildGuardsMessagesAndTheCustomizingSelection) {
  auto* bar = new TTestBarWindow(M);
  bar->RealRebuild = false;
  bar->RebuildBar(true);
  EXPECT_EQ(bar->Rebuilds, 0) << "no handle";
  Show(bar, 100, 100, 80, 60);
  bar->RebuildBar(true);
  EXPECT_EQ(bar->Rebuilds, 1);
  for (unsigned bits : {0x80u, 0x01u, 0x02u, 0x08u}) {
    bar->SetStateBits(bits);
    bar->RebuildBar(true);
    EXPECT_EQ(bar->Rebuilds, 1) << bits;
  }
  bar->SetStateBits(0);
  M->BeginUpdate();
  bar->RebuildBar(true);
  EXPECT_EQ(bar->Rebuilds, 1) << "update-locked";
  M->EndUpdate();
  PostMessage(bar->Handle(), dxBarRebuildMessage, 0, 0);
  Application->ProcessMessages();
  EXPECT_EQ(bar->Rebuilds, 2) << "a posted rebuild runs once";
  EXPECT_EQ(bar->Perform(WM_MOUSEACTIVATE, 0, 0), static_cast<LRESULT>(MA_NOACTIVATE));
  EXPECT_EQ(bar->Perform(WM_NCACTIVATE, 0, 0), 1) << "forced active";

  // While customizing, the selected link comes back on the control made for it.
  bar->RealRebuild = true;
  TdxBarItemLinks* links = Links(bar, {"A", "B"});
  bar->RebuildBar(true);
  M->SetCustomizing(true);
  TdxBarItemControl* before = links->Items(1)->Control();
  M->SetSelectedItem(before, bar);
  bar->RebuildBar(true);
  ASSERT_NE(links->Items(1)->Control(), nullptr);
  EXPECT_EQ(bar->SelectedLink(), links->Items(1));
  EXPECT_EQ(bar->SelectedControl(), links->Items(1)->Control());
  M->SetCustomizing(false);
  TObject::Free(bar);
}

TEST_F(BarControlTest, ItemPixelsSurviveTheBackgroundAndDesignFramesShow) {
  auto* bar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(bar, {"A", "B"});
  Show(bar, 100, 100, 80, 60);
  bar->SetItemsRect(TRect{10, 5, 70, 60});
  bar->CalcItemRects(1, 0);
  bar->Invalidate();
  bar->Update();
  const COLORREF ink = ColorToRGB(kItemInk), face = ColorToRGB(clBtnFace);
  EXPECT_EQ(PixelOf(bar, 12, 7), ink) << "the fill after the items left them alone";
  EXPECT_EQ(PixelOf(bar, 69, 44), ink);
  EXPECT_EQ(PixelOf(bar, 8, 7), face) << "the item's own paint is clipped to its bounds";
  EXPECT_EQ(PixelOf(bar, 40, 46), face);
  EXPECT_EQ(ControlOf(links, 0)->PaintMode, 0);

  // WM_ERASEBKGND answers 1 and leaves the pixels as they are.
  HDC dc = GetDC(bar->Handle());
  EXPECT_EQ(SendMessage(bar->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 1);
  ReleaseDC(bar->Handle(), dc);
  EXPECT_EQ(PixelOf(bar, 12, 7), ink);
  EXPECT_EQ(PixelOf(bar, 5, 50), face);

  // A link selected in the designer: a window-text frame, or a dotted one.
  struct TDesigner : IdxBarDesigner {
    TPersistent* Selected = nullptr;
    bool CanDeleteComponent(TComponent*) override { return false; }
    void GetSelection(TList*) override {}
    int GetSelectionStatus(TPersistent* C) override { return C == Selected ? 1 : 0; }
    void SelectComponent(TPersistent*, int) override {}
    void SetSelection(TList*) override {}
    void DesignerAction(TComponent*) override {}
    String UniqueName(const String& N) override { return N; }
  } designer;
  designer.Selected = links->Items(1);
  M->SetDesigner(&designer);
  const COLORREF frame = GetSysColor(COLOR_WINDOWTEXT);
  bar->Invalidate();
  bar->Update();
  int solid = 0;
  for (int x = 10; x < 70; ++x) solid += PixelOf(bar, x, 25) == frame;
  EXPECT_EQ(solid, 60) << "a solid one-pixel frame along the top";
  EXPECT_EQ(PixelOf(bar, 10, 30), frame);
  EXPECT_EQ(PixelOf(bar, 11, 30), ink);
  Application->ProcessMessages();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("bar_window_design_frame_solid.png")));
  BarDesignController()->ShowsDefaultSelections = false;
  bar->Invalidate();
  bar->Update();
  int dots = 0, gaps = 0;
  for (int x = 10; x < 70; ++x) (PixelOf(bar, x, 25) == ink ? gaps : dots) += 1;
  EXPECT_GT(dots, 20);
  EXPECT_GT(gaps, 20) << "every other pixel of a focus rectangle";
  Application->ProcessMessages();
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("bar_window_design_frame_dotted.png")));
  BarDesignController()->ShowsDefaultSelections = true;
  M->SetDesigner(nullptr);
  TObject::Free(bar);
}

TEST_F(BarControlTest, NonClientPaintingReleasesItsContext) {
  auto* bar = new TTestBarWindow(M);
  Show(bar, 100, 100, 80, 60);
  DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  SendMessage(bar->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(bar->NonClientDraws, 1);
  bar->ThrowInNonClient = true;
  EXPECT_THROW(bar->Perform(WM_NCPAINT, 1, 0), Exception);
  EXPECT_EQ(bar->NonClientDraws, 2);
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before) << "the window DC went back also on failure";
  bar->ThrowInNonClient = false;
  // WM_PRINT adds the frame to the default printing; WM_PRINTCLIENT paints the items into the DC.
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 80, 60);
  HGDIOBJ old = SelectObject(mem, bmp);
  ReleaseDC(nullptr, screen);
  bar->Perform(WM_PRINT, reinterpret_cast<WPARAM>(mem), PRF_NONCLIENT);
  EXPECT_EQ(bar->NonClientDraws, 3);
  TdxBarItemLinks* links = Links(bar, {"A"});
  bar->RebuildBar(true);
  bar->SetItemsRect(TRect{0, 0, 80, 60});
  bar->CalcItemRects(1, 0);
  bar->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  EXPECT_EQ(GetPixel(mem, 5, 5), ColorToRGB(kItemInk));
  EXPECT_EQ(GetPixel(mem, 5, 40), ColorToRGB(clBtnFace));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  (void)links;
  TObject::Free(bar);
}

TEST_F(BarControlTest, InjectedInputNeverActivatesAndStaysInTheActiveChain) {
  auto* bar = new TTestBarWindow(M);
  auto* other = new TTestBarWindow(M);
  Links(bar, {"A", "B"});
  Show(bar, 100, 100, 80, 60);
  Show(other, 300, 100, 80, 60);
  int downs = 0, otherDowns = 0;
  bar->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  other->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++otherDowns; };
  SetActiveWindow(Form->Handle());
  Headless().InjectMouseMove(120, 110);
  Headless().InjectMouseButton(1, true);
  Headless().InjectMouseButton(1, false);
  Application->ProcessMessages();
  EXPECT_EQ(downs, 1);
  EXPECT_EQ(GetActiveWindow(), Form->Handle()) << "a click never activates the bar";

  // With the bar active, the other bar is outside the chain: its mouse is eaten. (A click from
  // the input queue would first close the active bar through the library's mouse hook.)
  bar->SetActiveState(true);
  EXPECT_EQ(ActiveBarWindow, bar);
  SendMessage(other->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessage(other->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  EXPECT_EQ(otherDowns, 0);
  other->SetParentBar(bar);
  bar->SetChildBar(nullptr);
  EXPECT_FALSE(other->AcceptsMouseInput()) << "a parent of the active bar is in the chain, a child is not";
  other->SetActiveState(true);
  EXPECT_EQ(ActiveBarWindow, other);
  EXPECT_EQ(other->PreviousActiveBar(), bar);
  EXPECT_TRUE(bar->AcceptsMouseInput()) << "the active bar's parent";

  // WM_SETCURSOR over the client sets the screen cursor of the bar's Cursor.
  bar->SetCursor(crHandPoint);
  Headless().InjectMouseMove(125, 115);
  Application->ProcessMessages();
  EXPECT_EQ(GetCursor(), Screen->Cursors(crHandPoint));

  // Focus going to no window closes the chain up: the child deactivates, then its parent.
  SendMessage(other->Handle(), WM_KILLFOCUS, 0, 0);
  EXPECT_FALSE(other->Active());
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(ActiveBarWindow, nullptr);
  TObject::Free(other);
  TObject::Free(bar);
}

TEST_F(BarControlTest, ABarFreedByItsOwnControlsClickEndsCleanly) {
  auto* bar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(bar, {"A"});
  Show(bar, 100, 100, 80, 60);
  bar->SetActiveState(true);
  TRecordingControl* a = ControlOf(links, 0);
  a->OnClicked = [&] { TObject::Free(bar); };
  bar->SelectByAccelerator(a, false);
  EXPECT_EQ(BarControls->Count(), 0);
  EXPECT_EQ(ActiveBarWindow, nullptr) << "the active bar went with its window";
}

TEST_F(BarControlTest, AcceleratorsFindEnabledLinksAndClickOnlyUniqueOnes) {
  auto* bar = new TTestBarWindow(M, 2);
  auto* links = new TdxBarSubMenuControlItemLinks(M, nullptr);
  Owned.emplace_back(links);
  struct Entry {
    const char* Name;
    const char* Caption;
    bool Enabled;
  };
  for (Entry e : {Entry{"Apple", "&Apple", false}, Entry{"Avocado", "A&vocado", true}, Entry{"Almond", "Al&mond", true},
                  Entry{"Bear", "&Bear", false}, Entry{"Ant", "A&nt", true}, Entry{"Axe", "&Axe", true}}) {
    TdxBarButton* b = Button(e.Name, e.Caption);
    b->SetEnabled(e.Enabled);
    links->AddItem(b);
  }
  bar->SetItemLinks(links);
  Show(bar, 100, 100, 80, 140);
  bool ambiguous = true;
  EXPECT_EQ(bar->FindEnabledAcceleratedLink('B', {}, ambiguous, nullptr), nullptr) << "all disabled: none, no cycling";
  EXPECT_EQ(bar->FindEnabledAcceleratedLink('V', {}, ambiguous, nullptr), links->Items(1));
  EXPECT_FALSE(ambiguous);
  // "&Apple" is disabled: "&Axe" is the only enabled link of A.
  EXPECT_EQ(bar->FindEnabledAcceleratedLink('A', {}, ambiguous, nullptr), links->Items(5));
  EXPECT_FALSE(ambiguous) << "a disabled twin does not make it ambiguous";
  links->Items(0)->Item()->SetEnabled(true);
  EXPECT_EQ(bar->FindEnabledAcceleratedLink('A', {}, ambiguous, nullptr), links->Items(0));
  EXPECT_TRUE(ambiguous);

  // Enter only for a unique accelerator; keys reach only an active bar.
  bar->SetActiveState(true);
  TRecordingControl* axe = ControlOf(links, 5);
  bar->SelectByAccelerator(axe, true);
  EXPECT_EQ(bar->SelectedControl(), axe);
  EXPECT_EQ(axe->Clicks, 0);
  bar->SelectByAccelerator(axe, false);
  EXPECT_EQ(axe->Clicks, 1);
  TObject::Free(bar);
}

TEST_F(BarControlTest, ContainersExpandInPlaceAndTheirLinksComeBack) {
  auto* bar = new TTestBarWindow(M, 2);
  auto* container = new TTestContainer(Form);
  container->SetName("Recent");
  container->Content = {Button("One"), Button("Two")};
  TdxBarItemLinks* links = Links(bar, {"A", "B"});
  links->AddItem(container);
  Show(bar, 100, 100, 80, 100);
  ASSERT_EQ(links->Count(), 4);
  EXPECT_EQ(links->Items(2)->Item()->Name(), "One");
  EXPECT_EQ(links->Items(3)->Item()->Name(), "Two");
  EXPECT_EQ(links->Items(2)->OwnContainerLink()->Item(), container);
  EXPECT_EQ(container->PopulationCount(), 1);
  EXPECT_EQ(bar->ExpandedContainerCount(), 1);
  bar->DestroyHandle();
  ASSERT_EQ(links->Count(), 3);
  EXPECT_EQ(links->Items(2)->Item(), container) << "back at its index";
  EXPECT_EQ(container->PopulationCount(), 0);

  // A click handler deletes A and a generated link while the menu shows: the generation forgets
  // the link it lost, and the container's link comes back within the collection.
  bar->HandleNeeded();
  ASSERT_EQ(links->Count(), 4);
  delete links->Items(3);
  delete links->Items(0);
  bar->DestroyHandle();
  ASSERT_EQ(links->Count(), 2);
  EXPECT_EQ(links->Items(0)->Item()->Name(), "B");
  EXPECT_EQ(links->Items(1)->Item(), container);

  // While customizing, containers stay as they are.
  M->SetCustomizing(true);
  bar->HandleNeeded();
  EXPECT_EQ(links->Count(), 2);
  EXPECT_NE(links->Items(1)->Control(), nullptr);
  M->SetCustomizing(false);
  TObject::Free(bar);
}

TEST_F(BarControlTest, WindowStateDockingAndShadow) {
  auto* bar = new TTestBarWindow(M);
  Show(bar, 100, 200, 120, 80);
  bar->BackgroundTempBitmap()->SetSize(10, 10);
  int before = bar->AfterHandleCalls;
  bar->SetDockingStyle(dsTop);
  EXPECT_EQ(bar->DockingStyle(), dsTop);
  EXPECT_EQ(bar->DockingStyleIndex(), 2);
  EXPECT_TRUE(bar->BackgroundTempBitmap()->Empty()) << "the background cache is reset";
  EXPECT_EQ(bar->AfterHandleCalls, before + 1);
  bar->SetDockingStyle(dsTop);
  EXPECT_EQ(bar->AfterHandleCalls, before + 1) << "unchanged: nothing";

  // Moving the window places the shadow against the owner it touches, when the painter wants it.
  M->SetStyle(bmsXP);
  bar->SetOwnerScreenBounds(TRect{90, 180, 160, 200});
  bar->SetBounds(100, 200, 130, 80);
  EXPECT_EQ(bar->Shadow()->SecondRect(), (TRect{100, 200, 230, 280}));
  EXPECT_EQ(bar->Shadow()->Shown(), bar->ShowsShadow());
  const TRect owner = bar->BarPainter()->ShadowAgainstOwner(bar) ? TRect{90, 180, 160, 200} : TRect{};
  EXPECT_EQ(bar->Shadow()->FirstRect(), owner);

  // Double buffering follows the painter unless the bar has its own background.
  bar->UpdateDoubleBuffered();
  EXPECT_EQ(bar->DoubleBuffered(), bar->BarPainter()->WantsDoubleBuffer());

  // In customizing mode a deactivation always goes through; an activation needs CanActivate.
  bar->SetActiveState(true);
  EXPECT_TRUE(bar->Active());
  M->SetCustomizing(true);
  bar->SetActiveState(false);
  EXPECT_FALSE(bar->Active());
  EXPECT_EQ(ActiveBarWindow, nullptr);
  M->SetCustomizing(false);
  TObject::Free(bar);
}

TEST_F(BarControlTest, ChildWindowMessages) {
  auto* bar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(bar, {"A"});
  Show(bar, 100, 100, 80, 60);
  // An edit control's colours come from the painter; the answer is its brush.
  HWND edit = CreateWindowEx(0, "EDIT", "", WS_CHILD, 0, 0, 40, 20, bar->Handle(), nullptr, nullptr, nullptr);
  TRecordingControl* a = ControlOf(links, 0);
  a->Edit = edit;
  TdxBarItemControlDrawParams& params = *a->DrawParams();
  HDC dc = GetDC(edit);
  LRESULT brush = SendMessage(bar->Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK)));
  TColor text = clNone, back = clNone;
  bar->BarPainter()->EditColors(params, text, back);
  EXPECT_EQ(GetTextColor(dc), ColorToRGB(text));
  EXPECT_EQ(GetBkColor(dc), ColorToRGB(back));
  ReleaseDC(edit, dc);
  a->Edit = nullptr;
  // EN_CHANGE from a child goes on to the child.
  static int changes;
  static WNDPROC editProc;
  changes = 0;
  auto* subclass = +[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_COMMAND && HIWORD(w) == EN_CHANGE) ++changes;
    return CallWindowProc(editProc, h, m, w, l);
  };
  editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass)));
  SendMessage(bar->Handle(), WM_COMMAND, MAKEWPARAM(1, EN_CHANGE), reinterpret_cast<LPARAM>(edit));
  EXPECT_EQ(changes, 1);
  DestroyWindow(edit);
  // Focus given to the bar goes back to its manager's form.
  SetFocus(bar->Handle());
  EXPECT_EQ(GetFocus(), Form->Handle());
  TObject::Free(bar);
}

// A dock site with a painter of its own.
class TPaintedDock : public TdxDockControl {
  VW_CLASS(TPaintedDock, TdxDockControl)
 public:
  explicit TPaintedDock(TComponent* AOwner) : TdxDockControl(AOwner) {}
  TdxBarPainter* Painter() const override { return Own; }
  TdxBarPainter* Own = nullptr;
};

TEST_F(BarControlTest, DefaultAnswersThatAreEasyToGetWrong) {
  auto* bar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(bar, {"A", "B"});
  Show(bar, 100, 100, 80, 60);
  TdxBarItemControl* a = links->Items(0)->Control();
  bar->ViewInfo()->AddItemControl(a);

  // CanPaintItem: a listed control of a visible item paints, and six things refuse it.
  EXPECT_TRUE(bar->CanPaintItem(a));
  EXPECT_FALSE(bar->CanPaintItem(nullptr));
  TRecordingControl loose;
  bar->ViewInfo()->AddItemControl(&loose);
  EXPECT_FALSE(bar->CanPaintItem(&loose)) << "no link";
  bar->ViewInfo()->RemoveItemControl(&loose);
  bar->ViewInfo()->RemoveItemControl(links->Items(1)->Control());
  EXPECT_FALSE(bar->CanPaintItem(links->Items(1)->Control())) << "not in the view info";
  for (unsigned bits : {0x08u, 0x40u}) {
    bar->SetStateBits(bits);
    EXPECT_FALSE(bar->CanPaintItem(a)) << bits;
  }
  bar->SetStateBits(0);
  M->BeginUpdate();
  EXPECT_FALSE(bar->CanPaintItem(a)) << "update-locked";
  M->EndUpdate();
  // A hidden item's link lets its control go; one still standing for it would not paint.
  links->Items(0)->Item()->SetVisible(ivNever);
  loose.SetItemLink(links->Items(0));
  bar->ViewInfo()->AddItemControl(&loose);
  EXPECT_FALSE(bar->CanPaintItem(&loose)) << "hidden item";
  bar->ViewInfo()->RemoveItemControl(&loose);
  links->Items(0)->Item()->SetVisible(ivAlways);

  // AllowsCustomizingPopup in both forms.
  struct PopupCase {
    unsigned Flags;
    bool Internal, Customizing, Right, Left;
  };
  for (PopupCase c : {PopupCase{0x13, false, false, true, false}, PopupCase{0x13, true, false, false, false},
                      PopupCase{0x13, true, true, true, false}, PopupCase{0x113, false, false, false, true},
                      PopupCase{0x113, false, true, true, false}}) {
    bar->Flags = c.Flags;
    bar->Internal = c.Internal;
    M->SetCustomizing(c.Customizing);
    EXPECT_EQ(bar->AllowsCustomizingPopup(true), c.Right) << c.Flags << c.Internal << c.Customizing;
    EXPECT_EQ(bar->AllowsCustomizingPopup(false), c.Left) << c.Flags << c.Internal << c.Customizing;
  }
  M->SetCustomizing(false);
  bar->Flags = 0;
  bar->Internal = false;

  // ClosesForWindow: the open customization form closes the bar for any other window; otherwise
  // the selected control decides.
  Form->Show();
  M->SetCustomizingForm(Form);
  M->SetCustomizing(true);
  EXPECT_TRUE(bar->ClosesForWindow(M, Form->Handle()));
  M->SetCustomizing(false);
  M->SetCustomizingForm(nullptr);
  EXPECT_TRUE(bar->ClosesForWindow(M, Form->Handle()));
  a = links->Items(0)->Control();
  static_cast<TRecordingControl*>(a)->Holding = true;
  bar->SelectControlByKeyboard(a);
  EXPECT_FALSE(bar->ClosesForWindow(M, Form->Handle())) << "a control that keeps the bars open";
  bar->SelectControlByKeyboard(nullptr);
  static_cast<TRecordingControl*>(a)->Holding = false;

  // ShouldIgnoreMouse: outside the window, on the last position when asked, while customizing.
  Headless().InjectMouseMove(120, 110);
  Application->ProcessMessages();
  bar->SetLastMousePos(TPoint{0, 0});
  EXPECT_FALSE(bar->ShouldIgnoreMouse(true));
  bar->SetLastMousePos(TPoint{120, 110});
  EXPECT_TRUE(bar->ShouldIgnoreMouse(true)) << "the mouse has not moved";
  EXPECT_FALSE(bar->ShouldIgnoreMouse(false));
  M->SetCustomizing(true);
  EXPECT_TRUE(bar->ShouldIgnoreMouse(false));
  M->SetCustomizing(false);
  Headless().InjectMouseMove(400, 400);
  Application->ProcessMessages();
  EXPECT_TRUE(bar->ShouldIgnoreMouse(false)) << "outside the window";

  // BarPainter: the explicit one, the parent's, the dock site's, the manager's.
  TdxBarPainter own, parents, docks;
  auto* parent = new TTestBarWindow(M);
  auto* dock = new TPaintedDock(Form);
  dock->Own = &docks;
  EXPECT_EQ(bar->BarPainter(), M->Painter());
  bar->SetDockControl(dock);
  EXPECT_EQ(bar->BarPainter(), &docks);
  parent->SetPainter(&parents);
  bar->SetParentBar(parent);
  EXPECT_EQ(bar->BarPainter(), &parents);
  bar->SetPainter(&own);
  EXPECT_EQ(bar->BarPainter(), &own);
  bar->SetDockControl(nullptr);
  bar->ViewInfo()->Clear();
  TcxObjectLinkScope child(bar);
  TObject::Free(parent);
  EXPECT_FALSE(child.Alive()) << "the parent took its child with it";
  TObject::Free(dock);
}

TEST_F(BarControlTest, AMenuClosedWhileCustomizingHandsTheSelectionBack) {
  auto* toolbar = new TTestBarWindow(M);
  TdxBarItemLinks* links = Links(toolbar, {"File"});
  Show(toolbar, 100, 100, 80, 30);
  TdxBarItemControl* opener = links->Items(0)->Control();
  toolbar->SelectControlByKeyboard(opener);
  auto* menu = new TTestBarWindow(M, 2);
  Links(menu, {"Open"});
  Show(menu, 100, 130, 80, 30);
  menu->SetParentBar(toolbar);
  M->SetCustomizing(true);
  M->SetSelectedItem(menu->ItemLinks()->Items(0)->Control(), menu);
  int invalidations = toolbar->Invalidations;
  TObject::Free(menu);
  EXPECT_EQ(M->SelectedItem(), opener) << "the sub-item that opened the menu is selected again";
  EXPECT_GT(toolbar->Invalidations, invalidations) << "and redrawn";
  EXPECT_EQ(toolbar->ChildBar(), nullptr);
  M->SetCustomizing(false);
  TObject::Free(toolbar);
}

TEST_F(BarControlTest, HintOffsetsAndTheOwnerSeam) {
  auto* bar = new TTestBarWindow(M);
  for (auto [ppi, offset] : {std::pair{96, 20}, {108, 22}, {144, 30}}) {
    platform::SetScreenPixelsPerInch(ppi);
    EXPECT_EQ(bar->AdjustHintPosition(TPoint{10, 100}, 20), (TPoint{10, 100 + offset})) << ppi;
  }
  platform::SetScreenPixelsPerInch(96);
  bar->SetBounds(100, 700, 50, 30);
  RECT work = Screen->WorkAreaRect();
  EXPECT_EQ(bar->AdjustHintPosition(TPoint{110, work.bottom - 10}, 20), (TPoint{110, 700 - 20})) << "above the bar";

  // A menu under a button: the seam runs along the shared top edge.
  bar->SetBounds(100, 200, 120, 80);
  bar->SetOwnerScreenBounds(TRect{90, 180, 160, 200});
  EXPECT_TRUE(bar->TouchesOwner());
  EXPECT_EQ(bar->OwnerGapRect(false), (TRect{1, 0, 59, 1}));
  EXPECT_EQ(bar->OwnerGapRect(true), (TRect{101, 199, 159, 200}));
  // Beside a vertical toolbar's button: the same along the left edge.
  bar->SetOwnerScreenBounds(TRect{70, 210, 100, 240});
  EXPECT_EQ(bar->OwnerGapRect(false), (TRect{0, 11, 1, 39}));
  bar->SetOwnerScreenBounds(TRect{0, 0, 10, 10});
  EXPECT_FALSE(bar->TouchesOwner());
  EXPECT_EQ(bar->OwnerGapRect(false), (TRect{}));
  TObject::Free(bar);
}

TEST_F(BarControlTest, HitTestsSeparatorsAndTheChainOfBars) {
  auto* bar = new TTestBarWindow(M);
  EXPECT_EQ(bar->ItemControlAtPoint(TPoint{5, 5}), nullptr) << "no visible links";
  TdxBarItemLinks* links = Links(bar, {"A", "Held"});
  for (int i = 0; i < 2; ++i) {
    links->Items(i)->CreateControl();
    bar->ViewInfo()->AddItemControl(links->Items(i)->Control());
  }
  ControlOf(links, 1)->Holding = true;
  bar->SetVisibleItemsRect(TRect{0, 0, 100, 70});
  int bottom = 0;
  bar->CalcVerticalItemRects(0, bottom);
  EXPECT_EQ(bar->ItemControlAtPoint(TPoint{5, 5}), links->Items(0)->Control());
  EXPECT_EQ(bar->ItemControlAtPoint(TPoint{5, 25}), links->Items(1)->Control());
  EXPECT_EQ(bar->ItemControlAtPoint(TPoint{5, 55}), nullptr);
  M->SetCustomizing(true);
  EXPECT_EQ(bar->ItemControlAtPoint(TPoint{5, 5}), nullptr) << "customizing without design hit tests";
  M->SetCustomizing(false);

  TdxBarItemLink* at = nullptr;
  bool vertical = true, before = false, onSeparator = true;
  EXPECT_TRUE(bar->DropPositionAt(TPoint{20, 25}, at, vertical, before, onSeparator));
  EXPECT_EQ(at, links->Items(1));
  EXPECT_FALSE(vertical);
  EXPECT_TRUE(before) << "left half";
  EXPECT_FALSE(onSeparator);
  bar->DropPositionAt(TPoint{80, 25}, at, vertical, before, onSeparator);
  EXPECT_FALSE(before) << "right half";
  EXPECT_FALSE(bar->DropPositionAt(TPoint{20, 65}, at, vertical, before, onSeparator));

  int index = -1;
  EXPECT_FALSE(bar->ViewInfo()->FindSeparator(links->Items(1)->Control(), index));
  bar->ViewInfo()->AddSeparator(TRect{0, 40, 100, 46}, true, links->Items(1)->Control());
  EXPECT_TRUE(bar->ViewInfo()->FindSeparator(links->Items(1)->Control(), index));
  EXPECT_EQ(index, 0);
  EXPECT_EQ(bar->ViewInfo()->SeparatorBounds(0), (TRect{0, 40, 100, 46}));
  // A separator beside the second link (a toolbar's vertical one): on it, halves across it.
  bar->ViewInfo()->Clear();
  bar->ViewInfo()->AddItemControl(links->Items(0)->Control());
  bar->ViewInfo()->AddItemControl(links->Items(1)->Control());
  bar->ViewInfo()->AddSeparator(TRect{0, 20, 100, 30}, true, links->Items(1)->Control());
  links->Items(1)->SetItemRect(TRect{0, 30, 100, 50});
  EXPECT_TRUE(bar->DropPositionAt(TPoint{10, 22}, at, vertical, before, onSeparator));
  EXPECT_EQ(at, links->Items(1));
  EXPECT_TRUE(onSeparator);
  EXPECT_FALSE(vertical) << "the point is on the separator, not above it";
  EXPECT_TRUE(before);
  EXPECT_TRUE(bar->DropPositionAt(TPoint{90, 22}, at, vertical, before, onSeparator));
  EXPECT_FALSE(before);

  // Parent and child point at each other; a bar that goes takes its child first.
  auto* child = new TTestBarWindow(M);
  auto* grandchild = new TTestBarWindow(M);
  bar->SetChildBar(child);
  grandchild->SetParentBar(child);
  EXPECT_EQ(child->ParentBar(), bar);
  EXPECT_EQ(child->ChildBar(), grandchild);
  EXPECT_EQ(grandchild->BehaviourFlags(), 0x13u);
  EXPECT_TRUE(bar->IsAncestorOf(grandchild));
  EXPECT_TRUE(bar->ChainMayHide());
  Links(grandchild, {"Edit"});
  grandchild->HandleNeeded();
  grandchild->ItemLinks()->Items(0)->Control();
  static_cast<TRecordingControl*>(grandchild->ItemLinks()->Items(0)->Control())->Holding = true;
  grandchild->SelectControlByKeyboard(grandchild->ItemLinks()->Items(0)->Control());
  EXPECT_FALSE(bar->ChainMayHide()) << "a control down the chain holds it";
  TcxObjectLink* gone = CreateObjectLink(grandchild);
  TObject::Free(child);
  EXPECT_EQ(gone->LinkedObject, nullptr) << "the child's child went first";
  FreeObjectLink(gone);
  EXPECT_EQ(bar->ChildBar(), nullptr);
  bar->ViewInfo()->Clear();
  TObject::Free(bar);
}

}  // namespace
