#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/classes/FormDescription.h"
#include "platform/classes/ImageList.h"
#include "platform/display/Display.h"
#include "tests/support/Artifacts.h"

namespace {

std::uint32_t Px(TBitmap& b, int x, int y) { return static_cast<std::uint32_t*>(b.ScanLine(y))[x] & 0xFFFFFF; }

std::uint32_t Rgb(TColor c) {
  win::COLORREF r = ColorToRGB(c);
  return ((r & 0xFF) << 16) | (r & 0xFF00) | ((r >> 16) & 0xFF);
}

// A strip of 16 x 16 images in the given colours, each with a fuchsia border pixel ring.
std::unique_ptr<TBitmap> Strip(std::initializer_list<TColor> colors) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf24bit);
  b->SetSize(16 * static_cast<int>(colors.size()), 16);
  int i = 0;
  for (TColor c : colors) {
    b->Canvas()->Brush()->SetColor(clFuchsia);
    b->Canvas()->FillRect(Bounds(i * 16, 0, 16, 16));
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(Bounds(i * 16 + 1, 1, 14, 14));
    ++i;
  }
  return b;
}

std::unique_ptr<TBitmap> Screen(int w, int h, TColor color) {
  auto s = std::make_unique<TBitmap>();
  s->SetPixelFormat(pf32bit);
  s->SetSize(w, h);
  s->Canvas()->Brush()->SetColor(color);
  s->Canvas()->FillRect(Rect(0, 0, w, h));
  return s;
}

TEST(ImageListTest, StripsSplitLeftToRightAndMovesKeepTheOrderBetween) {
  TImageList list(nullptr);
  auto strip = Strip({clRed, clLime, clBlue, clYellow});
  EXPECT_EQ(list.AddMasked(strip.get(), clFuchsia), 0);
  EXPECT_EQ(list.Count(), 4);
  auto centre = [&](int i) {
    TBitmap b;
    EXPECT_TRUE(list.GetBitmap(i, &b));
    return b.Canvas()->Pixels(8, 8);
  };
  EXPECT_EQ(centre(0), clRed);
  EXPECT_EQ(centre(3), clYellow);

  list.Move(0, 3);
  EXPECT_EQ((std::vector<TColor>{centre(0), centre(1), centre(2), centre(3)}),
            (std::vector<TColor>{clLime, clBlue, clYellow, clRed}));
  list.Move(3, 1);
  EXPECT_EQ(centre(1), clRed);
  EXPECT_EQ(centre(2), clBlue);

  auto odd = std::make_unique<TBitmap>();
  odd->SetSize(40, 16);
  EXPECT_EQ(list.Add(odd.get(), nullptr), 4);
  EXPECT_EQ(list.Count(), 6) << "as many whole images as fit";

  list.Delete(0);
  EXPECT_EQ(list.Count(), 5);
  EXPECT_FALSE(list.GetBitmap(5, nullptr));
  try {
    list.Move(0, 9);
    FAIL();
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), "Invalid ImageList Index");
  }
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

TEST(ImageListTest, DrawsMaskedDisabledAndWithOverlays) {
  TImageList list(nullptr);
  auto strip = Strip({clRed, clNavy});
  list.AddMasked(strip.get(), clFuchsia);
  // A small mark in the corner, transparent elsewhere, to lay over other images.
  auto mark = Strip({clFuchsia});
  mark->Canvas()->Brush()->SetColor(clLime);
  mark->Canvas()->FillRect(Rect(10, 10, 15, 15));
  list.AddMasked(mark.get(), clFuchsia);
  ASSERT_TRUE(list.Overlay(2, 0));

  auto screen = Screen(80, 24, clBtnFace);
  list.Draw(screen->Canvas(), 2, 2, 0);
  list.Draw(screen->Canvas(), 22, 2, 1, false);
  list.DrawOverlay(screen->Canvas(), 42, 2, 0, 0);
  list.Draw(screen->Canvas(), 62, 2, 0, dsSelected, itImage);
  std::vector<std::uint32_t> rows;
  for (int y = 0; y < 24; ++y) {
    auto* r = static_cast<std::uint32_t*>(screen->ScanLine(y));
    rows.insert(rows.end(), r, r + 80);
  }
  EXPECT_TRUE(platform::WritePng(testsupport::ArtifactPath("imagelist-draw.png"), rows.data(), 80, 24, 80));

  EXPECT_EQ(Px(*screen, 2, 2), Rgb(clBtnFace)) << "the masked ring shows the background";
  EXPECT_EQ(Px(*screen, 10, 10), 0xFF0000u);
  // Disabled: the shape in the shadow colour with a highlight edge below and right of it.
  EXPECT_EQ(Px(*screen, 30, 10), Rgb(clBtnShadow));
  EXPECT_EQ(Px(*screen, 22 + 15, 2 + 15), Rgb(clBtnHighlight));
  EXPECT_EQ(Px(*screen, 22, 2), Rgb(clBtnFace));
  // Overlay: the mark over the red image, the image elsewhere.
  EXPECT_EQ(Px(*screen, 42 + 12, 2 + 12), 0x00FF00u);
  EXPECT_EQ(Px(*screen, 42 + 5, 2 + 5), 0xFF0000u);
  // Selected: blended toward the highlight colour.
  EXPECT_NE(Px(*screen, 70, 10), 0xFF0000u);
  EXPECT_EQ(Px(*screen, 62, 2), Rgb(clBtnFace));
}

TEST(ImageListTest, ChangeLinksHearChangesAndLetGoOnEitherSide) {
  auto list = std::make_unique<TImageList>(nullptr);
  int heard = 0;
  TObject* sender = nullptr;
  auto link = std::make_unique<TChangeLink>();
  link->OnChange = [&](TObject* s) {
    ++heard;
    sender = s;
  };
  list->RegisterChanges(link.get());
  EXPECT_EQ(link->Sender(), list.get());
  auto strip = Strip({clRed});
  list->Add(strip.get(), nullptr);
  EXPECT_EQ(heard, 1);
  EXPECT_EQ(sender, list.get());

  {
    TChangeLink gone;
    list->RegisterChanges(&gone);
  }  // unregisters itself
  list->Clear();
  EXPECT_EQ(heard, 2);

  list.reset();
  EXPECT_EQ(link->Sender(), nullptr) << "a freed list leaves no dangling sender";
}

TEST(ImageListTest, ImagesTravelInFormDescriptions) {
  RegisterClass(TImageList::StaticClass());
  TImageList a(nullptr);
  a.SetName("ImageList1");
  a.SetWidth(16);
  auto strip = Strip({clRed, clBlue});
  a.AddMasked(strip.get(), clFuchsia);
  String text = ComponentToFormText(&a);
  EXPECT_NE(text.find("Bitmap = {"), String::npos) << text;

  TImageList b(nullptr);
  FormTextToComponent(text, &b);
  ASSERT_EQ(b.Count(), 2);
  auto screen = Screen(16, 16, clWhite);
  b.Draw(screen->Canvas(), 0, 0, 1);
  EXPECT_EQ(Px(*screen, 8, 8), 0x0000FFu);
  EXPECT_EQ(Px(*screen, 0, 0), 0xFFFFFFu) << "the mask came along";

  TImageList empty(nullptr);
  empty.SetName("ImageList2");
  EXPECT_EQ(ComponentToFormText(&empty).find("Bitmap"), String::npos);
  UnRegisterClass(TImageList::StaticClass());
}

}  // namespace
