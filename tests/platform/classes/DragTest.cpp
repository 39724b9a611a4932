// Dragging: the drag in progress is readable, a drag object may free itself when it finishes, and
// a drag image follows the mouse over the controls that display it.
#include "platform/classes/ImageList.h"
#include "platform/gdi/Gdi.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace formtest {
namespace {

// A drag object that goes away by itself when the drag ends, as some library objects do.
class TSelfFreeingDrag : public TDragObject {
 public:
  explicit TSelfFreeingDrag(int& finished) : FFinished(finished) {}
  void Finished(TObject*, int, int, bool) override {
    ++FFinished;
    delete this;
  }

 private:
  int& FFinished;
};

// A panel dragged with an image of itself.
class TImagePanel : public TDemoPanel {
 public:
  using TDemoPanel::TDemoPanel;
  TDragImageList* Images = nullptr;

 protected:
  TDragImageList* GetDragImages() override { return Images; }
};

class DragTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    form = new TForm(Application, 0);
    form->SetBounds(50, 50, 400, 300);
    source = Place(new TImagePanel(form), 10, 10, 60, 40);
    shows = Place(new TDemoPanel(form), 100, 10, 120, 100);
    plain = Place(new TDemoPanel(form), 240, 10, 120, 100);
    shows->SetControlStyle(shows->ControlStyle() + TControlStyle{csDisplayDragImage});
    for (TControl* c : {static_cast<TControl*>(shows), static_cast<TControl*>(plain)})
      c->OnDragOver = [](TObject*, TObject*, int, int, TDragState, bool& accept) { accept = true; };
    form->Show();
    Pump();
  }
  template <class T>
  T* Place(T* c, int x, int y, int w, int h) {
    c->SetParent(form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  void MoveTo(win::POINT p) {
    Headless().InjectMouseMove(p.x, p.y);
    Pump();
  }

  TForm* form = nullptr;
  TImagePanel* source = nullptr;
  TDemoPanel* shows = nullptr;
  TDemoPanel* plain = nullptr;
};

TEST_F(DragTest, ADragObjectMayFreeItselfWhenFinished) {
  int finished = 0;
  TDragObject* made = nullptr;
  source->OnStartDrag = [&](TObject*, TDragObject*& object) { object = made = new TSelfFreeingDrag(finished); };
  std::vector<TObject*> ended;
  source->OnEndDrag = [&](TObject*, TObject* target, int, int) { ended.push_back(target); };
  MoveTo(At(source, 5, 5));
  EXPECT_EQ(DragObject(), nullptr);
  source->BeginDrag(true);
  EXPECT_EQ(DragObject(), made) << "the drag in progress is readable";
  MoveTo(At(shows, 20, 20));
  EXPECT_EQ(DragObject()->DragTarget(), shows);
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(DragObject(), nullptr);
  EXPECT_EQ(ended, std::vector<TObject*>{shows}) << "the control still hears the end of its drag";
}

TEST_F(DragTest, TheDragImageFollowsTheMouseOverControlsThatShowItAndGoesAtTheDrop) {
  TDragImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap square;
  square.SetWidth(16);
  square.SetHeight(16);
  square.Canvas()->Brush()->SetColor(clRed);
  square.Canvas()->FillRect(win::RECT{0, 0, 16, 16});
  images.Add(&square, nullptr);
  ASSERT_TRUE(images.SetDragImage(0, 8, 8));
  source->Images = &images;
  bool dropped = false;
  shows->OnDragDrop = [&](TObject*, TObject*, int, int) {
    dropped = true;
    EXPECT_FALSE(images.Dragging()) << "the image is gone before the drop is told";
  };

  MoveTo(At(source, 5, 5));
  source->BeginDrag(false);
  EXPECT_FALSE(images.Dragging()) << "not before the mouse passes the threshold";
  win::POINT over = At(shows, 40, 40);
  MoveTo(over);
  ASSERT_TRUE(images.Dragging());
  EXPECT_TRUE(win::IsWindowVisible(images.DragWindow()));
  EXPECT_EQ(ScreenPixel(over.x + 5, over.y + 5), 0xFF0000u) << "the image lies under the mouse (red)";
  Headless().SaveScreenshot(testsupport::ArtifactPath("drag-image.png"));
  MoveTo(At(plain, 40, 40));
  EXPECT_FALSE(win::IsWindowVisible(images.DragWindow())) << "hidden over a control that does not show it";
  MoveTo(over);
  EXPECT_TRUE(win::IsWindowVisible(images.DragWindow()));
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_TRUE(dropped);
  EXPECT_FALSE(images.Dragging());
  EXPECT_NE(ScreenPixel(over.x + 5, over.y + 5), 0xFF0000u);
}

}  // namespace
}  // namespace formtest
