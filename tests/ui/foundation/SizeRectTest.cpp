#include <gtest/gtest.h>

#include "platform/classes/Component.h"
#include "platform/classes/FormDescription.h"
#include "ui/foundation/Rect.h"
#include "ui/foundation/Size.h"

namespace {

// A component that publishes a rectangle and a size as sub-objects, as the skin elements do.
class THolder : public TComponent {
  VW_CLASS(THolder, TComponent)
 public:
  explicit THolder(TComponent* AOwner) : TComponent(AOwner), FOffset(new TcxRect(this)), FSize(new TcxSize(this)) {}
  ~THolder() override {
    delete FOffset;
    delete FSize;
  }
  static void DeclareProperties(TPropTable& t) {
    t.Add("Offset", &THolder::Offset, &THolder::SetOffset);
    t.Add("Size", &THolder::Size, &THolder::SetSize);
  }
  TcxRect* Offset() const { return FOffset; }
  void SetOffset(TcxRect* v) { FOffset->Assign(v); }
  TcxSize* Size() const { return FSize; }
  void SetSize(TcxSize* v) { FSize->Assign(v); }

 private:
  TcxRect* FOffset;
  TcxSize* FSize;
};

// Keeps the rectangle inside the first quadrant.
class TClampedRect : public TcxRect {
  VW_CLASS(TClampedRect, TcxRect)
 public:
  using TcxRect::TcxRect;

 protected:
  void AdjustNewRect(TRect& R) override {
    if (R.Left < 0) R.Left = 0;
    if (R.Top < 0) R.Top = 0;
  }
};

// Reports a fixed width, as a size that follows something else would.
class TFixedWidthSize : public TcxSize {
  VW_CLASS(TFixedWidthSize, TcxSize)
 public:
  using TcxSize::TcxSize;
  int GetDimension(int Index) const override { return Index == 1 ? 10 : TcxSize::GetDimension(Index); }
};

TEST(TcxRect, FiresOnlyWhenTheRectangleChanges) {
  TcxRect r(nullptr);
  int fired = 0;
  TObject* sender = nullptr;
  r.OnChange = [&](TObject* S) {
    ++fired;
    sender = S;
  };
  EXPECT_TRUE(r.EqualsRect({0, 0, 0, 0}));

  r.AssignRect({1, 2, 3, 4});
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(sender, &r);
  r.AssignRect({1, 2, 3, 4});  // equal: nothing
  r.SetSide(2, 3);             // the value it already has: nothing
  r.SetSide(7, 99);            // no such side: nothing
  EXPECT_EQ(fired, 1);

  r.SetSide(3, 40);
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(r.Rect(), TRect(1, 2, 3, 40));
  EXPECT_EQ(r.GetSide(9), 40);  // any index above 2 reads Bottom

  r.RectData()->Left = -1;  // direct access stays silent
  EXPECT_EQ(fired, 2);
  EXPECT_EQ(r.Left(), -1);
}

TEST(TcxRect, AssignTakesOnlyRectangles) {
  TcxRect a(nullptr), b(nullptr);
  TcxSize s(nullptr);
  int fired = 0;
  a.OnChange = [&](TObject*) { ++fired; };
  b.AssignRect({5, 6, 7, 8});
  a.Assign(&b);
  EXPECT_TRUE(a.EqualsOther(&b));
  EXPECT_EQ(fired, 1);
  s.AssignSize({3, 3});
  EXPECT_NO_THROW(a.Assign(&s));
  EXPECT_EQ(a.Rect(), TRect(5, 6, 7, 8));
  EXPECT_EQ(fired, 1);
}

TEST(TcxRect, DescendantCorrectsBeforeComparing) {
  TClampedRect r(nullptr);
  int fired = 0;
  r.OnChange = [&](TObject*) { ++fired; };
  r.AssignRect({-5, -5, 0, 0});  // corrected to the stored (0, 0, 0, 0): no change
  EXPECT_EQ(fired, 0);
  r.SetLeft(-3);
  EXPECT_EQ(fired, 0);
  r.AssignRect({-5, 2, 9, 9});
  EXPECT_EQ(r.Rect(), TRect(0, 2, 9, 9));
  EXPECT_EQ(fired, 1);
}

TEST(TcxSize, ClampsAndFiresOnRealChanges) {
  TcxSize s(nullptr);
  int fired = 0;
  s.OnChange = [&](TObject*) { ++fired; };
  s.SetDimension(1, -4);
  EXPECT_EQ(s.Width(), 0);
  EXPECT_EQ(fired, 0);  // clamped to what it was
  s.SetDimension(0, 7);
  s.SetDimension(2, 5);  // any non-zero index is the width
  EXPECT_EQ(s.CurrentSize(), TSize(5, 7));
  EXPECT_EQ(fired, 2);
  s.AssignSize({-1, -1});
  EXPECT_TRUE(s.IsZero());
  EXPECT_EQ(fired, 3);

  TcxSize t(nullptr);
  t.AssignSize({2, 3});
  s.Assign(&t);
  EXPECT_TRUE(s.EqualsOther(&t));
  TcxRect r(nullptr);
  EXPECT_THROW(s.Assign(&r), EConvertError);  // other sources go to the platform's assignment
}

TEST(TcxSize, AssignmentsSeeTheDescendantsDimensions) {
  TFixedWidthSize fixed(nullptr);
  fixed.SetDimension(0, 5);  // the width it reports goes along into the stored size
  EXPECT_EQ(*fixed.SizeData(), TSize(10, 5));
  TcxSize plain(nullptr);
  plain.Assign(&fixed);
  EXPECT_EQ(plain.CurrentSize(), TSize(10, 5));
  EXPECT_TRUE(plain.EqualsOther(&fixed));
}

TEST(TcxSizeAndRect, StreamThroughFormDescriptions) {
  THolder h(nullptr);
  h.SetName("Holder1");
  EXPECT_EQ(h.Offset()->GetNamePath(), "Holder1.TcxRect");  // owned sub-objects
  EXPECT_EQ(h.Size()->GetNamePath(), "Holder1.TcxSize");
  h.Offset()->AssignRect({0, 2, 0, 4});
  h.Size()->AssignSize({0, 7});
  String text = ComponentToFormText(&h);
  // Zero sides are the default and stay out; a zero width is not stored.
  EXPECT_NE(text.find("Offset.Top = 2"), String::npos) << text;
  EXPECT_NE(text.find("Offset.Bottom = 4"), String::npos) << text;
  EXPECT_EQ(text.find("Offset.Left"), String::npos) << text;
  EXPECT_NE(text.find("Size.Height = 7"), String::npos) << text;
  EXPECT_EQ(text.find("Size.Width"), String::npos) << text;

  THolder back(nullptr);
  int fired = 0;
  back.Offset()->OnChange = [&](TObject*) { ++fired; };
  FormTextToComponent(text, &back);
  EXPECT_EQ(back.Offset()->Rect(), TRect(0, 2, 0, 4));
  EXPECT_EQ(back.Size()->CurrentSize(), TSize(0, 7));
  EXPECT_EQ(fired, 2);
}

TEST(TcxRect, RegisteredForFormDescriptionsWhileStarted) {
  RegisterGeometryClasses();
  RegisterGeometryClasses();
  EXPECT_EQ(GetClass("TcxRect"), TcxRect::StaticClass());
  UnregisterGeometryClasses();
  EXPECT_EQ(GetClass("TcxRect"), TcxRect::StaticClass());
  UnregisterGeometryClasses();
  EXPECT_EQ(GetClass("TcxRect"), nullptr);
}

}  // namespace
