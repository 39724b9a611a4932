#include <gtest/gtest.h>

#include "tests/ui/pages/FakeTabControl.h"
#include "platform/display/Display.h"
#include "platform/gdi/Gdi.h"
#include "tests/support/Artifacts.h"
#include "tests/ui/pages/TestPainter.h"
#include "ui/foundation/Core.h"

namespace {

template <class F>
std::string ErrorOf(F&& f) {
  try {
    f();
  } catch (const EdxException& e) {
    return e.what();
  }
  return "(no error)";
}

class Painter : public ::testing::Test {
 protected:
  void SetUp() override {
    control.ControlFont.SetName("DejaVu Sans");
    control.ControlFont.SetHeight(-12);
    control.PainterInUse = &painter;
  }
  int TextWidth(const String& Text) { return control.Canvas()->MeasureTextWidth(Text); }

  TFakeTabControl control;
  TTestPainter painter{&control};
};

TEST_F(Painter, CaptionLayout) {
  control.AddTabs({200, 40, 200});
  control.TabList.Tab(0)->SetCaption("200 Short");
  control.TabList.Tab(1)->SetCaption("40 A much longer caption");
  control.TabList.Tab(2)->SetCaption("&Wide");
  control.Relayout();

  // A fitting caption is centred between the paddings, across between the offsets.
  painter.CalculateTabImageAndTextRects(0);
  int w = TextWidth("200 Short");
  EXPECT_EQ(painter.Text.Left, 6 + (188 - w) / 2);
  EXPECT_EQ(painter.Text.Right - painter.Text.Left, w);
  EXPECT_GE(painter.Text.Top, 2);
  EXPECT_TRUE(painter.Image == TRect());

  // Too long: the caption loses its end to an ellipsis and keeps within the tab.
  painter.CalculateTabImageAndTextRects(1);
  TRect tab = control.TabList.Tab(1)->FullRect();
  EXPECT_GT(painter.Text.Right - painter.Text.Left, 0);
  EXPECT_LE(painter.Text.Right - painter.Text.Left, 40 - 4);
  EXPECT_GE(painter.Text.Left, tab.Left);
  EXPECT_LE(painter.Text.Right, tab.Right);
}

TEST_F(Painter, AcceleratorAndEllipsisAloneShowNothing) {
  // Room (within the indents of 2) for "..." and not for "W...": the shortened caption would read
  // "&...", so no text is shown; "Wxyz" in the same tab still shows its ellipsis.
  painter.OtherWidth = TextWidth("...") + 1 + 4;
  control.TabList.Add("&Wxyz");
  control.TabList.Add("..xyz");
  control.Relayout();
  painter.CalculateTabImageAndTextRects(0);
  EXPECT_EQ(painter.Text, TRect());
  painter.CalculateTabImageAndTextRects(1);
  EXPECT_GT(painter.Text.Right - painter.Text.Left, 0);
}

TEST_F(Painter, ImageOnlyTabIsCentred) {
  TCustomImageList list(nullptr, 16, 16);
  TBitmap picture;
  picture.SetSize(16, 16);
  list.Add(&picture, nullptr);
  control.Images.SetBaseImageList(&list);
  painter.OtherWidth = 60;
  control.AddTabs({60});
  control.TabList.Tab(0)->SetCaption("");
  control.TabList.Tab(0)->SetImageIndex(0);
  control.Relayout();
  painter.CalculateTabImageAndTextRects(0);
  // Along: 3 + (60 - 6 - 16) / 2; across: 2 + (20 - 4 - 16) / 2.
  EXPECT_EQ(painter.Image, TRect(22, 2, 38, 18));
  EXPECT_EQ(painter.Text, TRect());
  control.Images.SetBaseImageList(nullptr);
}

TEST_F(Painter, PolylineEndsWithItsLastPixel) {
  TcxCanvas* canvas = control.Canvas();
  const TPoint points[] = {{1, 1}, {5, 1}, {5, 4}};
  painter.DrawPolyline(points, 3, canvas, clRed);
  TCanvas* c = canvas->Canvas();
  EXPECT_EQ(c->Pixels(5, 1), clRed);
  EXPECT_EQ(c->Pixels(5, 4), clRed);
  EXPECT_EQ(c->Pixels(5, 5), clWhite);
  EXPECT_EQ(c->Pixels(6, 4), clWhite);
}

TEST_F(Painter, TabRowsExtentsForEachPosition) {
  control.AddTabs({50, 50});
  struct {
    TcxTabPosition Position;
    TRect Extents, PageClient;
  } cases[] = {
      {tpTop, TRect(0, 20, 0, 0), TRect(0, 20, 300, 200)},
      {tpBottom, TRect(0, 20, 0, 0), TRect(0, 0, 300, 180)},
      {tpLeft, TRect(0, 20, 0, 0), TRect(20, 0, 300, 200)},
      {tpRight, TRect(0, 20, 0, 0), TRect(0, 0, 280, 200)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Position));
    control.SetPosition(c.Position);
    EXPECT_EQ(painter.TabRowsExtents(), c.Extents);
    EXPECT_EQ(painter.PageClientBounds(), c.PageClient);
  }
  control.FHideTabs = true;
  EXPECT_EQ(painter.TabRowsExtents(), TRect());
}

// Keeps the control's surface as a screenshot and counts the pixels of a colour.
int SaveAndCount(TBitmap& Surface, const std::string& FileName, TColor Colour) {
  // Painting leaves the tab contents out of the clip, and a pixel outside it reads as no colour.
  win::SelectClipRgn(Surface.Canvas()->Handle(), nullptr);
  std::vector<std::uint32_t> pixels;
  int count = 0;
  TColor rgb = static_cast<TColor>(ColorToRGB(Colour));
  for (int y = 0; y < Surface.Height(); ++y)
    for (int x = 0; x < Surface.Width(); ++x) {
      TColor c = Surface.Canvas()->Pixels(x, y);
      if (c == rgb) ++count;
      pixels.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
    }
  platform::WritePng(testsupport::ArtifactPath(FileName), pixels.data(), Surface.Width(), Surface.Height(),
                     Surface.Width());
  return count;
}

TEST_F(Painter, PaintsCaptionsStraightTurnedAndEmbossed) {
  control.Painter.Height = 120;
  control.AddTabs({90, 90, 90});
  control.TabList.Tab(0)->SetCaption("90 Enabled");
  control.TabList.Tab(1)->SetCaption("90 &Disabled");
  control.TabList.Tab(1)->SetEnabled(false);
  control.TabList.Tab(2)->SetCaption("90 Turned");
  control.Relayout();
  painter.PaintControl();
  EXPECT_GT(SaveAndCount(control.Surface, "pages/tab-captions-top.png", clBtnShadow), 0);

  // Disabled text: highlight one pixel right and down, shadow in place.
  TRect text;
  win::SelectClipRgn(control.Surface.Canvas()->Handle(), nullptr);
  painter.CalculateTabImageAndTextRects(1);
  text = painter.Text;
  int highlight = 0, shadow = 0;
  for (int y = text.Top; y < text.Bottom + 1; ++y)
    for (int x = text.Left; x < text.Right + 1; ++x) {
      TColor c = control.Surface.Canvas()->Pixels(x, y);
      highlight += c == static_cast<TColor>(ColorToRGB(clBtnHighlight));
      shadow += c == static_cast<TColor>(ColorToRGB(clBtnShadow));
    }
  EXPECT_GT(highlight, 10);
  EXPECT_GT(shadow, 10);

  TFakeTabControl left;
  TTestPainter leftPainter{&left};
  left.PainterInUse = &leftPainter;
  left.ControlFont.SetName("DejaVu Sans");
  left.Painter.Position = tpLeft;
  left.Painter.Height = 200;
  left.Painter.Width = 120;
  left.AddTabs({90, 90});
  left.TabList.Tab(0)->SetCaption("90 Bottom up");
  left.TabList.Tab(1)->SetCaption("90 Second");
  left.Relayout();
  leftPainter.PaintControl();
  EXPECT_GT(SaveAndCount(left.Surface, "pages/tab-captions-left.png", clBlack), 20);
}

TEST(PainterGeometry, TurningRectanglesAndPoints) {
  const TRect r(1, 2, 3, 4);
  struct {
    TcxTabPosition Position;
    TRect Turned;
  } cases[] = {{tpTop, TRect(1, 2, 3, 4)}, {tpBottom, TRect(3, 4, 1, 2)}, {tpLeft, TRect(2, 3, 4, 1)},
               {tpRight, TRect(4, 1, 2, 3)}};
  for (const auto& c : cases) {
    EXPECT_EQ(RotateRectForTabPosition(r, c.Position), c.Turned);
    EXPECT_EQ(RotateRectBackForTabPosition(c.Turned, c.Position), r);
  }
  const TRect box(10, 10, 20, 30);
  EXPECT_EQ(TcxPCCustomPainter::TransformPoint(box, TPoint(12, 11), 1), TPoint(12, 28));
  EXPECT_EQ(TcxPCCustomPainter::TransformPoint(box, TPoint(12, 11), 2), TPoint(1, 27));
  EXPECT_EQ(TcxPCCustomPainter::TransformPoint(box, TPoint(12, 11), 3), TPoint(28, 27));
  EXPECT_EQ(TcxPCCustomPainter::TransformPoint(box, TPoint(12, 11), 0), TPoint(12, 11));
}

// Test styles: ID, default for every look-and-feel, suiting the native style.
struct TStyleClass : TcxPCPainterClassInfo {
  TStyleClass(int AID, bool ADefault, bool ASuits) : ID(AID), Default(ADefault), Suits(ASuits) {}
  int ID;
  bool Default, Suits;
  TcxPCStyleID StyleID() const override { return ID; }
  bool IsDefaultForLookAndFeel(TcxLookAndFeel*) const override { return Default; }
  bool SuitsNativeStyle(TcxLookAndFeel*) const override { return Suits; }
  std::unique_ptr<TcxPCCustomPainter> CreatePainter(IcxPCPainterControl* Control) const override {
    return std::make_unique<TTestPainter>(Control);
  }
};

TEST(PaintersFactory, ChoosesStylesByRegistrationOrder) {
  EXPECT_EQ(ErrorOf([] { TcxPCPaintersFactory::GetDefaultStyleID(nullptr); }),
            "TcxPCPaintersFactory.GetDefaultStyleID: There are no styles registered");
  EXPECT_EQ(ErrorOf([] { TcxPCPaintersFactory::GetPainterInstance(nullptr, nullptr); }),
            "TcxPCPaintersFactory.GetPainterInstance: PCPainterClass is nil");

  TStyleClass first(1, false, false), suits(2, false, true), suitsToo(3, false, true), byDefault(4, true, false),
      byDefaultToo(5, true, false);
  struct {
    std::vector<TStyleClass*> Registered;
    int ForLookAndFeel, Default;
  } cases[] = {
      {{&first}, -1, 1},
      {{&first, &suits, &suitsToo}, -1, 3},
      {{&first, &byDefault, &suits, &byDefaultToo}, 5, 2},
  };
  for (const auto& c : cases) {
    for (TStyleClass* style : c.Registered) TcxPCPaintersFactory::RegisterPainterClass(style);
    TcxPCPaintersFactory::RegisterPainterClass(c.Registered.front());  // no duplicates
    EXPECT_EQ(TcxPCPaintersFactory::PainterClassCount(), static_cast<int>(c.Registered.size()));
    EXPECT_EQ(TcxPCPaintersFactory::StyleIDForLookAndFeel(nullptr), c.ForLookAndFeel);
    EXPECT_EQ(TcxPCPaintersFactory::GetDefaultStyleID(nullptr), c.Default);
    EXPECT_EQ(TcxPCPaintersFactory::PainterClassByStyleID(99), nullptr);
    EXPECT_EQ(TcxPCPaintersFactory::PainterClassByStyleID(1), &first);
    for (TStyleClass* style : c.Registered) TcxPCPaintersFactory::UnregisterPainterClass(style);
    EXPECT_EQ(TcxPCPaintersFactory::Instance(), nullptr);
  }
}

TEST(PCImageList, DrawErrorsAndRotatedSize) {
  TcxPCImageList images;
  TBitmap target;
  target.SetSize(40, 40);
  EXPECT_EQ(ErrorOf([&] { images.Draw(target.Canvas(), 0, 0, 0, true, clWhite); }),
            "TcxPCImageList.Draw: BaseImages is not assigned");
  TCustomImageList list(nullptr, 16, 12);
  TBitmap picture;
  picture.SetSize(16, 12);
  for (int i = 0; i < 4; ++i) list.Add(&picture, nullptr);
  int changes = 0;
  images.OnChange = [&] { ++changes; };
  images.SetBaseImageList(&list);
  EXPECT_EQ(ErrorOf([&] { images.Draw(target.Canvas(), 0, 0, 7, true, clWhite); }),
            "TcxPCImageList.Draw: Index (7) must be between 0 and 3");
  EXPECT_EQ(images.RotatedImageSize(), TSize(16, 12));
  images.SetImageRotationAngle(rcTurnLeft);
  EXPECT_EQ(images.RotatedImageSize(), TSize(12, 16));
  images.Draw(target.Canvas(), 0, 0, 3, true, clWhite);
  EXPECT_EQ(changes, 2);
}

TEST(PCImageList, ForgetsAListThatIsFreed) {
  TcxPCImageList images;
  auto* list = new TCustomImageList(nullptr, 16, 16);
  images.SetBaseImageList(list);
  delete list;
  EXPECT_EQ(images.BaseImageList(), nullptr);
  EXPECT_EQ(images.ImageSize(), TSize());
}

}  // namespace
