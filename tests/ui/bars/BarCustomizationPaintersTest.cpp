// The customization lists' painters: the choice per bar painter class, one table of entries drawn
// by each style and read back pixel by pixel (glyph button, drop-down button, sub-item, edit,
// combo, check boxes), and the lists on a dialog stand-in in every style as screenshots.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/classes/Bitmap.h"
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"
#include "platform/display/Display.h"
#include "platform/win/Metrics.h"
#include "tests/support/FakeThemeLibrary.h"
#include "tests/ui/bars/BarToolbarFixture.h"
#include "ui/bars/BarButton.h"
#include "ui/bars/BarCustomizationLists.h"
#include "ui/bars/BarCustomizationPainters.h"
#include "ui/bars/BarEditItems.h"
#include "ui/bars/BarPainters.h"
#include "ui/bars/BarSubItem.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/ThemeManager.h"

using namespace win;
using testsupport::FakeThemeLibrary;

namespace {

TEST(BarCustomizationPainterChoice, EachBarPainterClassGetsItsListPainter) {
  struct TCase {
    TClass BarPainter;
    TdxBarCustomizationFormPainterClass Expected;
  } cases[] = {
      {TdxBarFlatPainter::StaticClass(), TdxBarCustomizationFormFlatPainter::Class()},
      {TdxBarOffice11Painter::StaticClass(), TdxBarCustomizationFormOffice11Painter::Class()},
      {TdxBarXPPainter::StaticClass(), TdxBarCustomizationFormXPPainter::Class()},
      {TdxBarStandardPainter::StaticClass(), TdxBarCustomizationFormStandardPainter::Class()},
      {TdxBarEnhancedPainter::StaticClass(), TdxBarCustomizationFormStandardPainter::Class()},
      {TdxBarSkinPainter::StaticClass(), TdxBarCustomizationFormStandardPainter::Class()},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.BarPainter->ClassName());
    EXPECT_EQ(dxBarCustomizationFormPainterClass(c.BarPainter), c.Expected);
  }
  EXPECT_EQ(TdxBarCustomizationFormStandardPainter::Class()->EntryHeight(), 22);
  EXPECT_EQ(TdxBarCustomizationFormFlatPainter::Class()->ComboButtonWidth(), 12);
  EXPECT_EQ(TdxBarCustomizationFormXPPainter::Class()->ComboButtonWidth(), 13);
}

class BarCustomizationPaintersTest : public BarToolbarFixture {
 protected:
  void SetUp() override {
    BarToolbarFixture::SetUp();
    AcquireOffice11Colors();
    M->Categories()->Add("Tools");
    Glyph = NewButton("Glyph", "&Open");
    auto* picture = new TBitmap;
    picture->SetSize(16, 16);
    picture->Canvas()->Brush()->SetColor(static_cast<TColor>(RGB(200, 0, 0)));
    picture->Canvas()->FillRect(RECT{0, 0, 16, 16});
    // The bottom-left pixel is the glyph's transparent colour.
    picture->Canvas()->Brush()->SetColor(clWhite);
    picture->Canvas()->FillRect(RECT{0, 15, 16, 16});
    Glyph->SetGlyph(picture);
    delete picture;
    DropDown = NewButton("DropDown", "Drop");
    DropDown->SetButtonStyle(bsDropDown);
    Sub = new TdxBarSubItem(Form);
    Sub->SetName("Sub");
    Sub->SetCaption("Sub");
    Sub->SetCategory(0);
    Edit = new TdxBarEdit(Form);
    Edit->SetName("Edit");
    Edit->SetCaption("Ed");
    Edit->SetText("txt");
    Edit->SetCategory(0);
    Combo = new TdxBarCombo(Form);
    Combo->SetName("Combo");
    Combo->SetCaption("Co");
    Combo->SetCategory(0);
    Canvas = new TBitmap;
    Canvas->SetPixelFormat(pf32bit);
    Canvas->SetSize(kWidth, 22);
  }
  void TearDown() override {
    delete Canvas;
    RelinquishOffice11Colors();
    BarToolbarFixture::TearDown();
  }
  TdxBarButton* NewButton(const String& AName, const String& ACaption) {
    auto* button = new TdxBarButton(Form);
    button->SetName(AName);
    button->SetCaption(ACaption);
    button->SetCategory(0);
    return button;
  }
  // Draws one entry on a clean list-coloured strip.
  void Draw(TdxBarCustomizationFormPainterClass APainter, TdxBarItem* AItem, bool ASelected, int AKind = -1) {
    TCanvas* c = Canvas->Canvas();
    c->Brush()->SetColor(static_cast<TColor>(RGB(1, 2, 3)));
    c->FillRect(RECT{0, 0, kWidth, 22});
    c->Font()->SetColor(clBtnText);
    APainter->DrawEntry(c, TRect(0, 0, kWidth, 22), ASelected, AItem, AItem->Caption(), AKind);
  }
  COLORREF At(int X, int Y) { return ColorToRGB(Canvas->Canvas()->Pixels(X, Y)); }
  static COLORREF Sys(int Index) { return GetSysColor(Index); }

  static constexpr int kWidth = 200;
  TdxBarButton *Glyph = nullptr, *DropDown = nullptr;
  TdxBarSubItem* Sub = nullptr;
  TdxBarEdit* Edit = nullptr;
  TdxBarCombo* Combo = nullptr;
  TBitmap* Canvas = nullptr;
};

TEST_F(BarCustomizationPaintersTest, TheStandardEntriesByPixels) {
  TdxBarCustomizationFormPainterClass p = TdxBarCustomizationFormStandardPainter::Class();
  Draw(p, Glyph, false);
  EXPECT_EQ(At(11, 11), RGB(200, 0, 0)) << "the glyph centred in its square";
  EXPECT_EQ(At(23, 1), RGB(1, 2, 3)) << "five pixels of the list between glyph and text";
  EXPECT_EQ(At(150, 1), Sys(COLOR_BTNFACE));
  Draw(p, Glyph, true);
  EXPECT_EQ(At(150, 1), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(0, 0), Sys(COLOR_BTNHIGHLIGHT)) << "a selected glyph gets a raised edge";

  // The arrows: a drop-down button's at text right - 9 (text right = 200 - 13), a sub-item's at 191.
  const int y = (22 - 7) / 2;
  for (auto [item, x] : {std::pair<TdxBarItem*, int>{DropDown, kWidth - 13 - 9}, {Sub, kWidth - 9}}) {
    SCOPED_TRACE(item->Name());
    Draw(p, item, false);
    EXPECT_EQ(At(x + 1, y + 3), Sys(COLOR_BTNTEXT));
    EXPECT_EQ(At(x + 1, y - 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(At(x + 4, y + 3), Sys(COLOR_BTNFACE));
  }
  Draw(p, DropDown, false);
  EXPECT_EQ(At(kWidth - 13 - 1, 10), Sys(COLOR_BTNSHADOW)) << "the etched line left of the drop-down part";

  // An edit: caption band, frame, then the edit's own white content; a combo ends in its button.
  Draw(p, Edit, false, 0);
  EXPECT_EQ(At(kWidth - 5, 11), Sys(COLOR_WINDOW));
  Draw(p, Combo, false, 1);
  const int inner = kWidth - 2;
  EXPECT_EQ(At(inner - 12 - 1, 4), Sys(COLOR_WINDOW)) << "content ends where the 12-pixel button starts";
  EXPECT_EQ(At(inner - 12, 4), Sys(COLOR_BTNHIGHLIGHT)) << "the button's frame";
  EXPECT_EQ(At(inner - 3, 4), Sys(COLOR_BTNFACE)) << "the button's face";
}

TEST_F(BarCustomizationPaintersTest, CheckBoxesShowTheirStateAndEnabling) {
  TdxBarCustomizationFormPainterClass p = TdxBarCustomizationFormStandardPainter::Class();
  std::vector<std::vector<COLORREF>> seen;
  for (bool enabled : {true, false})
    for (bool checked : {false, true}) {
      TCanvas* c = Canvas->Canvas();
      c->Brush()->SetColor(clBtnFace);
      c->FillRect(RECT{0, 0, 22, 22});
      p->DrawCheckBox(c, TRect(0, 0, 18, 18), enabled, checked);
      std::vector<COLORREF> pixels;
      for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x) pixels.push_back(At(x, y));
      EXPECT_EQ(pixels[0], Sys(COLOR_BTNFACE)) << "drawn on the rectangle shrunk by one";
      seen.push_back(pixels);
    }
  for (std::size_t i = 0; i < seen.size(); ++i)
    for (std::size_t j = i + 1; j < seen.size(); ++j) EXPECT_NE(seen[i], seen[j]) << i << " and " << j;
}

TEST_F(BarCustomizationPaintersTest, FlatFramesASelectedEntryInTheHighlightColour) {
  TdxBarCustomizationFormPainterClass p = TdxBarCustomizationFormFlatPainter::Class();
  Draw(p, Glyph, true);
  for (auto [x, y] : {std::pair{0, 0}, {kWidth - 1, 0}, {100, 21}, {0, 11}}) EXPECT_EQ(At(x, y), Sys(COLOR_HIGHLIGHT));
  EXPECT_EQ(At(150, 5), ColorToRGB(BlendSystemColorsByPercent(-2, 30, 72))) << "the flat selection colour";
  Draw(p, Glyph, false);
  EXPECT_EQ(At(150, 5), Sys(COLOR_WINDOW));
  EXPECT_EQ(At(1, 1), Sys(COLOR_BTNFACE)) << "the glyph column";
  EXPECT_EQ(At(0, 0), Sys(COLOR_BTNFACE)) << "no frame unselected";
}

TEST_F(BarCustomizationPaintersTest, Office11PaintsItsGradientBandOnlyForUnselectedEntries) {
  TdxBarCustomizationFormPainterClass p = TdxBarCustomizationFormOffice11Painter::Class();
  const TRect column(0, 0, 22, 22);
  Draw(p, DropDown, false);
  EXPECT_EQ(At(2, 11), ColorToRGB(GradientColorAt(column, 2, Office11ColorTable[34], Office11ColorTable[35], true)));
  EXPECT_EQ(At(19, 11), ColorToRGB(GradientColorAt(column, 19, Office11ColorTable[34], Office11ColorTable[35], true)));
  EXPECT_EQ(At(150, 11), ColorToRGB(Office11WindowColor));
  Draw(p, DropDown, true);
  EXPECT_EQ(At(2, 11), ColorToRGB(Office11HotColor)) << "no band under the selection";
  EXPECT_EQ(At(150, 11), ColorToRGB(Office11HotColor));
  EXPECT_EQ(At(0, 0), ColorToRGB(Office11HighlightFrameColor)) << "the Office 2003 selection frame";
  EXPECT_EQ(p->ListColor(), Office11WindowColor);

  // The edit's caption band has the gradient square too, and the text starts after it.
  Draw(p, Edit, false, 0);
  EXPECT_EQ(At(2, 11), ColorToRGB(GradientColorAt(column, 2, Office11ColorTable[34], Office11ColorTable[35], true)));
}

class BarCustomizationThemedPainterTest : public BarCustomizationPaintersTest {
 protected:
  void SetUp() override {
    BarCustomizationPaintersTest::SetUp();
    FakeThemeLibrary::Install();
    for (const char* name : {"COMBOBOX", "EDIT", "TOOLBAR"}) FakeThemeLibrary::OpenableClasses().insert(name);
    ThemeAccessStartup();
  }
  void TearDown() override {
    ThemeAccessShutdown();
    FakeThemeLibrary::Uninstall();
    BarCustomizationPaintersTest::TearDown();
  }
};

TEST_F(BarCustomizationThemedPainterTest, ThemedPartsComeFromTheThemeLibrary) {
  TdxBarCustomizationFormPainterClass p = TdxBarCustomizationFormXPPainter::Class();
  Draw(p, Glyph, true);
  EXPECT_EQ(At(11, 1), FakeThemeLibrary::ColorOf("TOOLBAR", TP_BUTTON, 2)) << "a hot button behind the glyph";
  EXPECT_EQ(At(11, 11), RGB(200, 0, 0));
  Draw(p, DropDown, false);
  EXPECT_EQ(At(kWidth - 5, 11), FakeThemeLibrary::ColorOf("TOOLBAR", TP_BUTTON, 2)) << "the drop-down part";
  Draw(p, Combo, false, 1);
  const int inner = kWidth - 1;  // a themed edit frame is one pixel
  EXPECT_EQ(At(inner - 13, 11), FakeThemeLibrary::ColorOf("COMBOBOX", CP_DROPDOWNBUTTON, 1)) << "13 pixels";
  EXPECT_NE(At(inner - 14, 11), FakeThemeLibrary::ColorOf("COMBOBOX", CP_DROPDOWNBUTTON, 1));
  EXPECT_EQ(At(inner - 14, 11), FakeThemeLibrary::ColorOf("EDIT", 1, 1)) << "the edit part around the content";
  EXPECT_EQ(At(inner - 20, 11), Sys(COLOR_WINDOW)) << "the content is kept out of the edit part";
}

// ---- the lists in each style -------------------------------------------------------------------

class TGalleryOwner : public IdxBarCustomizationListsOwner {
 public:
  TdxBarManager* Manager = nullptr;
  TListBox *Bars = nullptr, *Categories = nullptr, *Items = nullptr;
  TdxBarManager* CustomizedBarManager() override { return Manager; }
  TdxBarCustomizationFormPainterClass PainterClass() override {
    return dxBarCustomizationFormPainterClass(Manager->Painter()->ClassType());
  }
  TCustomListBox* CategoriesListBox() override { return Categories; }
  TCustomListBox* ItemsListBox() override { return Items; }
  TColor ListSeparatorColor() override { return Manager->ResolvedStyle() == bmsFlat ? clWindow : clBtnFace; }
  void RefreshList(TCustomListBox* AListBox, TObject*, int) override {
    AListBox->Items()->Clear();
    AListBox->Perform(DXBAR_FILLLIST, 0, 0);
  }
  void PushSelectionToDesigner(TCustomListBox*) override {}
  void SyncSelectionFromDesigner(TCustomListBox*) override {}
  void UpdateToolBarActions() override {}
  void UpdateItemActions() override {}
  void ExecuteListAction(TdxBarCustomizationListAction) override {}
  void PopupListMenu(TCustomListBox*, const TPoint&) override {}
  void SetDescription(const String&) override {}
};

class TGalleryDialog : public TForm {
  VW_CLASS(TGalleryDialog, TForm)
 public:
  explicit TGalleryDialog(TComponent* AOwner) : TForm(AOwner, 0) {}
};

TEST_F(BarCustomizationThemedPainterTest, TheListsInEachStyleAsScreenshots) {
  auto* bar = new TdxBar(Form);
  bar->AttachToParent(M);
  bar->SetCaption("Standard");
  bar->SetDockingStyle(dsTop);
  bar->SetVisible(true);
  auto* hidden = new TdxBar(Form);
  hidden->AttachToParent(M);
  hidden->SetCaption("Formatting");
  hidden->SetAllowClose(false);
  M->Categories()->Add("View");
  TGalleryDialog* dialog = nullptr;
  Application->CreateForm(dialog);
  dialog->SetBounds(20, 380, 520, 200);
  TGalleryOwner owner;
  owner.Manager = M;
  auto list = [&](int L, int W) {
    auto* l = new TListBox(dialog);
    l->SetParent(dialog);
    l->SetBounds(L, 8, W, 150);
    return l;
  };
  owner.Bars = list(8, 130);
  owner.Categories = list(146, 90);
  owner.Items = list(244, 250);
  dialog->Show();
  {
    TdxBarCustomizationFormBarListHelper bars(&owner, owner.Bars);
    TdxBarCustomizationFormCategoryListHelper categories(&owner, owner.Categories);
    TdxBarCustomizationFormItemsListHelper items(&owner, owner.Items);
    struct TStyle {
      TdxBarManagerStyle Style;
      const char* Name;
      TdxBarCustomizationFormPainterClass Expected;
    } styles[] = {
        {bmsStandard, "standard", TdxBarCustomizationFormStandardPainter::Class()},
        {bmsEnhanced, "enhanced", TdxBarCustomizationFormStandardPainter::Class()},
        {bmsFlat, "flat", TdxBarCustomizationFormFlatPainter::Class()},
        {bmsXP, "themed", TdxBarCustomizationFormXPPainter::Class()},
        {bmsOffice11, "office11", TdxBarCustomizationFormOffice11Painter::Class()},
    };
    for (const TStyle& s : styles) {
      SCOPED_TRACE(s.Name);
      M->SetStyle(s.Style);
      EXPECT_EQ(owner.PainterClass(), s.Expected);
      for (TListBox* l : {owner.Bars, owner.Categories}) owner.RefreshList(l, nullptr, 0);
      owner.RefreshList(owner.Items, nullptr, 0);
      owner.Items->SetItemIndex(2);
      owner.Bars->SetItemIndex(0);
      owner.Items->Invalidate();
      owner.Bars->Invalidate();
      Pump();
      ASSERT_EQ(owner.Items->Items()->Count(), 5);
      RECT r;
      GetWindowRect(dialog->Handle(), &r);
      SaveScreenArea(std::string("bars/customization-lists-") + s.Name + ".png", TRect(r), 2);
    }
  }
  TObject::Free(dialog);
}

}  // namespace
