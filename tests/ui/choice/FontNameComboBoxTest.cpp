// The font-name combo box over a fed font enumeration that a gate holds back: "Loading ..." and
// ignored index writes until the hand-over, a pending name applied after it, a filter changed
// mid-load, an editor destroyed mid-load, the MRU names heading the list, and a gallery.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/classes/Thread.h"
#include "platform/win/Keys.h"
#include "tests/ui/choice/ChoiceFixture.h"
#include "ui/choice/FontNameComboBox.h"
#include "ui/controls/EditRepository.h"
#include "ui/controls/FilterEditHelpers.h"

namespace {

using namespace win;
using choicetest::ChoiceTest;

struct Entry {
  const char* Name;
  std::uint32_t Type;
  std::uint8_t CharSet = 0;
  std::uint8_t Pitch = 0;
};

const Entry kFaces[] = {
    {"DejaVu Serif", 4}, {"Fixedsys", 1, 0, 1}, {"DejaVu Sans", 4},     {"DejaVu Sans Mono", 4, 0, 1},
    {"dejavu sans", 4},  {"Printer", 2},        {"WenQuanYi Micro Hei", 4},
};

class FontNameComboBoxTest : public ChoiceTest {
 protected:
  void SetUp() override {
    ChoiceTest::SetUp();
    FontNameComboBoxUnitStartup();
    Feed();
    form = MakeForm(20, 20, 600, 400);
  }
  void TearDown() override {
    gate = true;
    WaitForLoaders();
    SetFontEnumeration(nullptr);
    FontNameComboBoxUnitShutdown();
    ChoiceTest::TearDown();
  }
  // The fed faces, each one waiting for the gate.
  void Feed() {
    std::atomic<bool>* open = &gate;
    SetFontEnumeration([open](const std::function<bool(const TcxEnumeratedFont&)>& Visit) {
      for (const Entry& e : kFaces) {
        while (!open->load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (!Visit(TcxEnumeratedFont{e.Name, e.Type, e.CharSet, e.Pitch})) return;
      }
    });
  }
  static void WaitForLoaders() {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (TcxFontLoader::LiveCount() > 0 && std::chrono::steady_clock::now() < end) CheckSynchronize(5);
    ASSERT_EQ(TcxFontLoader::LiveCount(), 0);
  }
  void Load() {
    gate = true;
    WaitForLoaders();
    Pump();
  }
  TcxFontNameComboBox* NewCombo(int Left = 20, int Top = 20, int Width = 200) {
    auto* combo = new TcxFontNameComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(Left, Top, Width, 21);
    Pump();
    return combo;
  }
  static std::vector<String> Names(TcxFontNameComboBox* Combo) {
    std::vector<String> names;
    TStrings* items = Combo->Properties()->Items();
    for (int i = 0; i < items->Count(); ++i) names.push_back(items->Strings(i));
    return names;
  }
  void Choose(TcxFontNameComboBox* Combo, int Row) {
    Combo->SetFocus();
    Pump();
    Key(VK_F4, true);
    Key(VK_F4, false);
    Pump();
    ASSERT_TRUE(Combo->DroppedDown());
    Combo->LookupData()->SetListItemIndex(Row);
    Key(VK_RETURN, true);
    Key(VK_RETURN, false);
    Pump();
    ASSERT_FALSE(Combo->DroppedDown());
  }
  static String Shown(TcxFontNameComboBox* Combo) {
    return static_cast<TcxCustomTextEditViewInfo*>(Combo->EditViewInfo())->Text;
  }

  std::atomic<bool> gate{false};
  TForm* form = nullptr;
};

TEST_F(FontNameComboBoxTest, LoadingUntilTheHandOverThenSortedUniqueNamesAndThePendingName) {
  TcxFontNameComboBox* combo = NewCombo();
  int complete = 0;
  combo->Properties()->OnLoadFontComplete = [&](TObject*) { ++complete; };
  EXPECT_TRUE(combo->Properties()->IsLoading());
  EXPECT_EQ(Shown(combo), "Loading ...");
  combo->SetItemIndex(0);
  EXPECT_EQ(combo->ItemIndex(), -1) << "index writes wait for the list";
  EXPECT_TRUE(combo->Properties()->FindLookupText("anything"));
  combo->SetFontName("DejaVu Sans Mono");
  EXPECT_EQ(combo->PendingFontName(), "DejaVu Sans Mono");
  Load();
  EXPECT_EQ(complete, 1);
  EXPECT_EQ(Names(combo), (std::vector<String>{"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Fixedsys",
                                               "Printer", "WenQuanYi Micro Hei"}));
  EXPECT_EQ(combo->ItemIndex(), 1);
  EXPECT_EQ(combo->Text(), "DejaVu Sans Mono");
  EXPECT_EQ(Shown(combo), "DejaVu Sans Mono");
  EXPECT_TRUE(combo->PendingFontName().empty());
  EXPECT_FALSE(combo->Properties()->FindLookupText("anything"));
  // The flags ride along as the items' objects.
  EXPECT_EQ(FontFlagsOfObject(combo->Properties()->Items()->Objects(1)), 4 | cxffFixed);
  EXPECT_EQ(FontFlagsOfObject(combo->Properties()->Items()->Objects(3)), 1 | cxffFixed);
  combo->SetFontName("");
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(FontNameComboBoxTest, ChangingTheFilterMidLoadLeavesOnlyTheSecondLoad) {
  TcxFontNameComboBox* combo = NewCombo();
  int complete = 0;
  combo->Properties()->OnLoadFontComplete = [&](TObject*) { ++complete; };
  combo->Properties()->SetFontTypes(TcxFontTypes{cxftTTF});
  Load();
  EXPECT_EQ(complete, 1);
  EXPECT_EQ(Names(combo),
            (std::vector<String>{"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "WenQuanYi Micro Hei"}));
  EXPECT_EQ(combo->Properties()->Loader(), nullptr);
}

TEST_F(FontNameComboBoxTest, AnEditorDestroyedMidLoadHearsNothing) {
  TcxFontNameComboBox* combo = NewCombo();
  int complete = 0;
  combo->Properties()->OnLoadFontComplete = [&](TObject*) { ++complete; };
  ASSERT_NE(combo->Properties()->Loader(), nullptr);
  delete combo;
  Load();
  EXPECT_EQ(complete, 0);
  EXPECT_EQ(TcxFontLoader::LiveCount(), 0);
}

TEST_F(FontNameComboBoxTest, MRUNamesHeadTheListNewestFirst) {
  TcxFontNameComboBox* combo = NewCombo();
  Load();
  TcxFontNameComboBoxProperties* p = combo->Properties();
  p->SetMaxMRUFonts(2);
  int added = 0, moved = 0;
  std::vector<String> deleted;
  p->OnAddedMRUFont = [&](TObject*) { ++added; };
  p->OnMovedMRUFont = [&](TObject*) { ++moved; };
  p->OnDeletedMRUFont = [&](TObject*, const String& Name) { deleted.push_back(Name); };
  // A, B, C: the sorted rows of DejaVu Sans, DejaVu Serif and Fixedsys, below the MRU block.
  Choose(combo, 0);
  Choose(combo, 1 + 2);
  Choose(combo, 2 + 3);
  const std::vector<String> sorted{"DejaVu Sans", "DejaVu Sans Mono", "DejaVu Serif", "Fixedsys", "Printer",
                                   "WenQuanYi Micro Hei"};
  std::vector<String> expected{"Fixedsys", "DejaVu Serif"};
  expected.insert(expected.end(), sorted.begin(), sorted.end());
  EXPECT_EQ(Names(combo), expected);
  EXPECT_EQ(added, 3);
  EXPECT_EQ(deleted, std::vector<String>{"DejaVu Sans"});
  EXPECT_EQ(combo->ItemIndex(), 2 + 3) << "a newly added name stays on its sorted row";
  EXPECT_EQ(combo->Text(), "Fixedsys");
  // B again, from its sorted row: it moves to the front.
  Choose(combo, 2 + 2);
  expected[0] = "DejaVu Serif";
  expected[1] = "Fixedsys";
  EXPECT_EQ(Names(combo), expected);
  EXPECT_EQ(moved, 1);
  EXPECT_EQ(combo->ItemIndex(), 0) << "a moved name is reselected on its MRU row";
  EXPECT_EQ(p->RecentFontList()->Items(0)->FontName(), "DejaVu Serif");
  deleted.clear();
  p->SetMaxMRUFonts(1);
  EXPECT_EQ(deleted, std::vector<String>{"Fixedsys"});
  EXPECT_EQ(Names(combo)[0], "DejaVu Serif");
  EXPECT_EQ(Names(combo)[1], "DejaVu Sans");
  EXPECT_EQ(p->AddMRUFont("Nope"), 0);
  EXPECT_EQ(p->DeleteMRUFont("Printer"), 0);
  EXPECT_EQ(p->DeleteMRUFont("DejaVu Serif"), 4);
  EXPECT_EQ(Names(combo), sorted);
  p->SetMaxMRUFonts(0);
  EXPECT_EQ(p->AddMRUFont("Printer"), 1);
  EXPECT_EQ(p->MRUCount(), 0);
}

TEST_F(FontNameComboBoxTest, TheTypeIconAndRegistration) {
  TcxFontNameComboBox* combo = NewCombo();
  Load();
  combo->SetFontName("DejaVu Sans");
  Pump();
  auto* info = static_cast<TcxCustomFontNameComboBoxViewInfo*>(combo->EditViewInfo());
  ASSERT_NE(FontComboTTFGlyph(), nullptr);
  EXPECT_EQ(info->ImageRect.Right - info->ImageRect.Left, FontComboTTFGlyph()->Width());
  EXPECT_EQ(info->ImageRect.Left, info->ClientRect.Left + 4);
  EXPECT_EQ(info->TextRect.Left, info->ImageRect.Right + 6);
  EXPECT_TRUE(info->IsTrueType);
  combo->SetFontName("Fixedsys");
  Pump();
  EXPECT_FALSE(info->IsTrueType);
  EXPECT_TRUE(combo->Properties()->EditValuesEqual(Variant(String("fixedsys")), Variant(String("Fixedsys"))));
  EXPECT_FALSE(combo->Properties()->EditValuesEqual(Variant(String("Printer")), Variant(String("Fixedsys"))));

  TcxRegisteredClasses* registry = EditPropertiesClassRegistry();
  bool found = false;
  for (int i = 0; i < registry->ItemCount(); ++i)
    found = found || registry->ClassAt(i) == TcxFontNameComboBoxProperties::StaticClass();
  EXPECT_TRUE(found);
  auto helper = FilterEditsControllerInstance()->FindHelper(TcxFontNameComboBoxProperties::StaticClass());
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->FilterEditorClass(), TcxFontNameComboBox::StaticClass());
  EXPECT_EQ(helper->SupportedFilterOperators(nullptr, nullptr, true), 0x6606u);
}

TEST_F(FontNameComboBoxTest, ThePreviewPanelShowsTheHighlightedFaceAndToggledStyles) {
  TcxFontNameComboBox* combo = NewCombo();
  Load();
  TcxFontPreview* preview = combo->Properties()->FontPreview();
  std::vector<TcxFontButtonType> clicks;
  preview->OnButtonClick = [&](TObject*, TcxFontButtonType Type) { clicks.push_back(Type); };
  combo->SetFontName("DejaVu Serif");
  combo->SetDroppedDown(true);
  Pump();
  ASSERT_TRUE(combo->DroppedDown());
  auto* lookup = static_cast<TcxFontNameComboBoxLookupData*>(combo->LookupData());
  TFontPreviewPanel* panel = lookup->PreviewPanel();
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Height(), TFontPreviewPanel::kHeight);
  EXPECT_EQ(panel->Top(), combo->ListBox()->Top() - TFontPreviewPanel::kHeight);
  EXPECT_EQ(panel->Caption(), "DejaVu Serif");
  EXPECT_EQ(panel->PreviewFontName(), "DejaVu Serif");
  // The sample grows past the smallest size while it fits the panel.
  panel->AdjustFontToText(TRect(2, 2, panel->Width() - 2, panel->Height() - 2));
  EXPECT_GT(panel->PreviewFont()->Size(), 8);
  lookup->SetListItemIndex(0);
  EXPECT_EQ(panel->PreviewFontName(), "DejaVu Sans");
  // Bold, twice, then italic.
  TcxFontPanelButton* bold = panel->StyleButton(cxfbtBold);
  ASSERT_TRUE(bold->Visible());
  EXPECT_EQ(bold->Top() + bold->Height(), panel->ClientHeight() - 2);
  bold->Click();
  EXPECT_EQ(preview->FontStyle(), TFontStyles{fsBold});
  bold->Click();
  panel->StyleButton(cxfbtItalic)->Click();
  EXPECT_EQ(preview->FontStyle(), TFontStyles{fsItalic});
  EXPECT_EQ(clicks, (std::vector<TcxFontButtonType>{cxfbtBold, cxfbtBold, cxfbtItalic}));
  SaveScreen("choice/font-combo-preview.png", RECT{0, 0, 320, 280});
  combo->SetDroppedDown(false);
  Pump();
  preview->SetVisible(false);
  combo->SetDroppedDown(true);
  Pump();
  EXPECT_FALSE(panel->Visible());
  combo->SetDroppedDown(false);
  Pump();
}

// Closed editors in every look (a TrueType face, a raster one, loading), and an open list in its
// own fonts with one MRU name.
TEST_F(FontNameComboBoxTest, GalleryInEveryLook) {
  delete form;
  forms_.clear();
  form = MakeForm(0, 0, 880, 330);
  const TcxLookAndFeelKind kinds[] = {lfStandard, lfFlat, lfUltraFlat, lfOffice11};
  std::vector<TcxFontNameComboBox*> open;
  std::vector<TcxFontNameComboBox*> all;
  for (int col = 0; col < 4; ++col) {
    const int x = 10 + col * 215;
    for (int row = 0; row < 4; ++row) {
      TcxFontNameComboBox* c = NewCombo(x, 10 + row * 30, 200);
      c->Style()->LookAndFeel()->SetKind(kinds[col]);
      all.push_back(c);
    }
    open.push_back(all.back());
  }
  Pump();
  SaveScreen("choice/font-combo-loading.png", RECT{0, 0, 880, 40});
  Load();
  for (std::size_t i = 0; i < all.size(); ++i) {
    TcxFontNameComboBox* c = all[i];
    switch (i % 4) {
      case 0: c->SetFontName("DejaVu Serif"); break;
      case 1: c->SetFontName("Fixedsys"); break;
      case 2: c->SetEnabled(false), c->SetFontName("DejaVu Sans"); break;
      default:
        c->Properties()->SetUseOwnFont(true);
        c->Properties()->AddMRUFont("WenQuanYi Micro Hei");
        c->SetFontName("DejaVu Sans Mono");
        break;
    }
  }
  Pump();
  SaveScreen("choice/font-combo-gallery.png", RECT{0, 0, 880, 130});
  const char* names[] = {"standard", "flat", "ultraflat", "office11"};
  for (int i = 0; i < 4; ++i) {
    TcxFontNameComboBox* c = open[static_cast<std::size_t>(i)];
    c->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(c->DroppedDown());
    TcxCustomComboBoxListBox* list = c->ListBox();
    EXPECT_EQ(list->ItemHeightAt(0), list->ItemHeightAt(1) + 3);
    SaveScreen(std::string("choice/font-combo-open-") + names[i] + ".png", RECT{0, 0, 880, 330});
    c->SetDroppedDown(false);
    Pump();
  }
}

}  // namespace
