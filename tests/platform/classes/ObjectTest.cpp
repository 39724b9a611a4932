#include <gtest/gtest.h>

#include "platform/classes/Persistent.h"

namespace {

class TShape : public TPersistent {
  VW_CLASS(TShape, TPersistent)
 public:
  int Sides = 0;
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TShape*>(Source)) {
      Sides = s->Sides;
      return;
    }
    TPersistent::Assign(Source);
  }
};

class TSquare : public TShape {
  VW_CLASS(TSquare, TShape)
 public:
  TSquare() { Sides = 4; }
};

class TAbstractThing : public TObject {
  VW_CLASS(TAbstractThing, TObject)
 public:
  virtual void Run() = 0;
};

TEST(ObjectTest, ClassReferencesNameTheirAncestryAndCreateTheMostDerivedClass) {
  TClass c = ClassOf<TSquare>();
  EXPECT_EQ(c->ClassName(), "TSquare");
  EXPECT_EQ(c->ClassParent(), ClassOf<TShape>());
  EXPECT_TRUE(c->InheritsFrom(ClassOf<TPersistent>()));
  EXPECT_TRUE(c->InheritsFrom(ClassOf<TObject>()));
  EXPECT_FALSE(ClassOf<TShape>()->InheritsFrom(c));
  EXPECT_TRUE(c->ClassNameIs("tsquare"));

  TObject* o = c->Create();
  EXPECT_EQ(o->ClassType(), c);
  EXPECT_EQ(static_cast<TSquare*>(o)->Sides, 4);
  EXPECT_NE(o->As<TShape>(), nullptr);
  EXPECT_THROW(o->As<TAbstractThing>(), Exception);
  TObject::Free(o);

  EXPECT_FALSE(ClassOf<TAbstractThing>()->CanCreate());
  EXPECT_THROW(ClassOf<TAbstractThing>()->Create(), Exception);
}

TEST(ObjectTest, AssignFallsBackToAssignToAndFailsWithBothClassNames) {
  TShape a, b;
  TSquare sq;
  a.Assign(&sq);
  EXPECT_EQ(a.Sides, 4);
  TPersistent plain;
  try {
    plain.Assign(&b);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TShape to a TPersistent");
  }
  try {
    a.Assign(nullptr);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a nil to a TShape");
  }
}

}  // namespace
