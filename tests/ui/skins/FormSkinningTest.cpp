// Form skinning: which windows get a controller, the skinned frame, caption and buttons, input on
// them, plain buttons and panels, and switching skins at run time.
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/StdCtrls.h"
#include "tests/ui/skins/SkinFormFixture.h"
#include "ui/skins/SkinControlControllers.h"
#include "ui/skins/SkinController.h"
#include "ui/skins/SkinFormController.h"
#include "ui/skins/SkinWinController.h"

namespace {

using skintest::SkinFormTest;

TdxSkinWinController* ControllerOf(TWinControl* Control) {
  return SkinFormControllerRegistry()->FindByHandle(Control->Handle());
}

TEST_F(SkinFormTest, AFormOfASkinnedApplicationGetsTheSkinsFrame) {
  StartFormSkinning();
  TForm* host = MakeForm(200, 100, bsSizeable);
  auto* skins = new TdxSkinController(host);
  skins->SetSkinName("Foggy");
  TForm* form = MakeForm(400, 300, bsSizeable);
  form->SetCaption("Video wall");
  form->SetBounds(300, 100, 420, 340);
  Pump();
  auto* c = dynamic_cast<TdxSkinFormController*>(ControllerOf(form));
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->IsHooked());
  EXPECT_TRUE(c->RegionSet());
  SaveWindow("skins/form-foggy.png", form);
}

}  // namespace
