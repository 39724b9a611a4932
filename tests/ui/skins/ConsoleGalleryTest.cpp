// A window laid out like the consoles' — push buttons, check and radio buttons, group boxes,
// combo and spin editors, a track bar and the status bar with its three panels — in every built-in
// skin, left under artifacts/skins/ to be looked at.
#include "tests/ui/skins/SkinFormFixture.h"
#include "ui/choice/Button.h"
#include "ui/choice/RadioButton.h"
#include "ui/choice/SpinEdit.h"
#include "ui/controls/ControlsUnit.h"
#include "ui/foundation/Canvas.h"
#include "ui/foundation/ParentBackground.h"
#include "ui/skins/SkinController.h"
#include "ui/foundation/LookAndFeel.h"
#include "ui/pages/PageControl.h"
#include "ui/pages/StatusBar.h"
#include "ui/pages/StatusBarPanelStyles.h"

namespace {

using skintest::SkinFormTest;

// The parts the library draws through the root look-and-feel's painter and which have no control
// of their own here yet: group boxes with check boxes, editors with their buttons, a track bar.
class TPartsPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    TcxCanvas c(Canvas());
    const TcxCustomLookAndFeelPainter* p = RootLookAndFeel()->ActivePainter();
    Canvas()->Font()->SetHeight(-12);
    PaintParentBackground(this, &c, TRect(0, 0, Width(), Height()));
    const char* boxes[] = {"Screens", "Signals"};
    for (int b = 0; b < 2; ++b) {
      const TRect box(8 + b * 250, 8, 248 + b * 250, 150);
      const TRect margins = p->GroupBoxFrameMargins(true, 0);
      p->DrawGroupBoxBackground(&c, box, box);
      p->DrawGroupBoxBorder(&c, box, true, 0, cxBordersAll);
      const TRect caption(box.Left, box.Top, box.Right, box.Top + std::max(margins.Top, 18));
      p->DrawGroupBoxCaptionBackground(&c, caption, 0);
      c.Canvas()->Brush()->SetStyle(bsClear);
      c.Canvas()->Font()->SetColor(p->GroupBoxCaptionTextColor(true, 0));
      c.Canvas()->TextOut(caption.Left + 8, caption.Top + 2, boxes[b]);
      const TSize check = p->CheckBoxSize();
      const TcxCheckBoxState states[] = {cbsChecked, cbsUnchecked, cbsGrayed};
      const char* labels[] = {"Follow scene", "Lock wall", "Mixed"};
      for (int i = 0; i < 3; ++i) {
        const int y = box.Top + 30 + i * 22;
        p->DrawCheckBox(&c, TRect(box.Left + 12, y, box.Left + 12 + check.cx, y + check.cy), i == 1 && b == 1 ? cxbsHot : cxbsNormal,
                        states[i]);
        c.Canvas()->Font()->SetColor(clWindowText);
        c.Canvas()->TextOut(box.Left + 18 + check.cx, y, labels[i]);
      }
      // A combo editor and a spin editor.
      const TRect edit(box.Left + 12, box.Top + 98, box.Right - 12, box.Top + 119);
      c.FillRectWithColor(edit, p->DefaultEditorBackgroundColorOfKind(0) == clDefault ? clWindow : p->DefaultEditorBackgroundColorOfKind(0));
      p->DrawControlBorder(&c, edit);
      c.Canvas()->Brush()->SetStyle(bsClear);
      c.Canvas()->Font()->SetColor(clWindowText);
      c.Canvas()->TextOut(edit.Left + 4, edit.Top + 3, b == 0 ? "COM1" : "12");
      if (b == 0) {
        p->DrawEditButton(&c, TRect(edit.Right - 18, edit.Top + 1, edit.Right - 1, edit.Bottom - 1), cxbsNormal, bkCombo, cxbpRight);
      } else {
        const int mid = (edit.Top + edit.Bottom) / 2;
        p->DrawEditButton(&c, TRect(edit.Right - 18, edit.Top + 1, edit.Right - 1, mid), cxbsNormal, bkSpinUp, cxbpRight);
        p->DrawEditButton(&c, TRect(edit.Right - 18, mid, edit.Right - 1, edit.Bottom - 1), cxbsNormal, bkSpinDown, cxbpRight);
      }
    }
    // A track bar for the brightness.
    const int thickness = std::max(p->TrackBarTrackThickness(), 4);
    const TRect track(16, 176, 480, 176 + thickness);
    p->DrawTrackBarTrack(&c, track, TRect(), false, true, true, clDefault);
    const TSize thumb = p->TrackBarThumbSize(true);
    p->DrawTrackBarThumb(&c, TRect(200, 176 + thickness / 2 - thumb.cy / 2, 200 + thumb.cx, 176 + thickness / 2 - thumb.cy / 2 + thumb.cy),
                         cxbsNormal, true, 1, clDefault);
  }
};

TEST_F(SkinFormTest, AConsoleLikeWindowInEveryBuiltInSkin) {
  StartFormSkinning();
  TForm* form = MakeForm(828, 300, bsSizeable);
  auto* skins = new TdxSkinController(form);
  form->SetClientSize(828, 300);
  form->SetCaption("Video wall");
  auto* parts = new TPartsPanel(form);
  parts->SetBounds(0, 0, 508, 210);
  parts->SetParent(form);
  const char* captions[] = {"Open", "Save scene", "Power off"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new TcxButton(form);
    button->SetBounds(530, 16 + i * 34, 100, 25);
    button->SetCaption(captions[i]);
    button->SetParent(form);
    if (i == 2) button->SetEnabled(false);
  }
  const char* radios[] = {"Screen", "Wall", "Group"};
  for (int i = 0; i < 3; ++i) {
    auto* radio = new TcxRadioButton(form);
    radio->SetBounds(660, 16 + i * 24, 120, 20);
    radio->SetCaption(radios[i]);
    radio->SetParent(form);
    if (i == 0) radio->SetCheckedValue(true);
  }
  auto* pages = new TcxPageControl(form);
  pages->SetParent(form);
  pages->SetBounds(530, 120, 290, 140);
  for (const char* caption : {"Screens", "Signals", "Scenes"}) {
    auto* page = new TcxTabSheet(form);
    page->SetCaption(caption);
    page->SetPageControl(pages);
  }
  pages->SetTabIndex(1);
  auto* bar = new TdxStatusBar(form);
  bar->SetParent(form);
  bar->SetPaintStyle(stpsUseLookAndFeel);
  for (auto [width, text] : {std::pair{200, "Link: COM1 open"}, {200, "User: operator"}, {428, "2026-12-10 20:30:00"}}) {
    TdxStatusBarPanel* panel = bar->Panels()->Add();
    panel->SetWidth(width);
    panel->SetText(text);
  }
  for (const char* skin : {"Black", "Blue", "Foggy", "LiquidSky", "Silver", "UserSkin"}) {
    skins->SetSkinName(skin);
    parts->Invalidate();
    Pump();
    ASSERT_EQ(bar->Painter(), StatusBarSkinPainterClass()) << skin;
    SaveWindow(std::string("skins/console-") + skin + ".png", form);
  }
}

// Spin editors in their three layouts, one disabled, in every built-in skin: the buttons take the
// skin's button height and are drawn by it.
TEST_F(SkinFormTest, SpinEditorsInEveryBuiltInSkin) {
  StartFormSkinning();
  TForm* form = MakeForm(420, 110);
  auto* skins = new TdxSkinController(form);
  std::vector<TcxSpinEdit*> spins;
  const TcxSpinEditButtonsPosition positions[] = {sbpVert, sbpHorzRight, sbpHorzLeftRight, sbpVert};
  for (int i = 0; i < 4; ++i) {
    auto* e = new TcxSpinEdit(form);
    e->SetParent(form);
    e->SetBounds(10 + (i % 2) * 205, 15 + (i / 2) * 45, 190, 21);
    e->Properties()->SpinButtons()->SetPosition(positions[i]);
    e->Properties()->SpinButtons()->SetShowFastButtons(i == 1 || i == 2);
    e->SetValue(Variant(static_cast<long long>(12 + i)));
    if (i == 3) e->SetEnabled(false);
    spins.push_back(e);
  }
  for (const char* skin : {"Black", "Blue", "Foggy", "LiquidSky", "Silver", "UserSkin"}) {
    skins->SetSkinName(skin);
    Pump();
    auto* info = static_cast<TcxSpinEditViewInfo*>(spins[1]->EditViewInfo());
    TcxCustomLookAndFeelPainterClass painter = spins[1]->Style()->LookAndFeel()->SkinPainter();
    ASSERT_NE(painter, nullptr) << skin;
    const int hw = painter->EditButtonMinSize().cy / 2 + info->ArrowSize;
    const TRect up = info->Button(sbkUp)->Bounds;
    EXPECT_EQ(up.Right - up.Left, hw) << skin;
    SaveWindow(std::string("skins/spin-edit-") + skin + ".png", form);
  }
}

}  // namespace
