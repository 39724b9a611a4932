// The stored layout of a bar manager: the INI file byte for byte, the registry, a stream, round
// trips through all three, the reading cases and damaged values, automatic use, the saved state
// and the usage-data reset.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/classes/Streams.h"
#include "platform/classes/Strings.h"
#include "platform/system/CodePage.h"
#include "platform/system/Registry.h"
#include "platform/win/Controls.h"
#include "platform/win/MessageBox.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "tests/ui/bars/BarStandIns.h"
#include "ui/bars/BarItemLinks.h"
#include "ui/bars/BarLayoutPersistence.h"

namespace {

using namespace win;

// A manager whose designed state can be built in code as a form would stream it in.
class TLayoutManager : public TdxBarManager {
  VW_CLASS(TLayoutManager, TdxBarManager)
 public:
  explicit TLayoutManager(TComponent* AOwner) : TdxBarManager(AOwner) {}
  void BeginDesign() { IncludeState(csLoading); }
  void FinishLoading() { Loaded(); }
};

std::string Slurp(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

[[maybe_unused]] void Spit(const std::string& Path, const std::string& Bytes) { std::ofstream(Path, std::ios::binary) << Bytes; }

class BarLayoutPersistenceTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    Dir = testsupport::TempDir("bar-layout");
    platform::SetRegistryStorePath(Dir + "/registry");
    Form->SetName("MainForm");
    M = NewManager(Form);
  }
  void TearDown() override {
    platform::SetRegistryStorePath("");
    BarItemFixture::TearDown();
  }
  static TLayoutManager* NewManager(TForm* AForm) {
    auto* m = new TLayoutManager(AForm);
    m->SetName("BarManager1");
    m->SetStyle(bmsEnhanced);
    return m;
  }
  TdxBarButton* Button(TForm* AForm, const String& Name) {
    auto* b = new TdxBarButton(AForm);
    b->SetName(Name);
    b->SetCaption(Name);
    return b;
  }
  TdxBarSubItem* Menu(TForm* AForm, TdxBarManager* /*AManager*/, const String& Name) {
    auto* s = new TdxBarSubItem(AForm);
    s->SetName(Name);
    s->SetCaption(Name);
    return s;
  }
  // The designed layout of the example, on any form: Bar0 docked at the top with the user
  // captioned "打开" beginning a group and the sub-menu FileMenu (New, Exit), Bar1 floating and
  // hidden, so that its window writes back nothing.
  struct TDesign {
    TdxBar* Bar0;
    TdxBar* Bar1;
    TdxBarSubItem* File;
  };
  TDesign Design(TForm* AForm, TdxBarManager* AManager) {
    TDesign d{};
    TdxBarButton* open = Button(AForm, "OpenCmd");
    d.File = Menu(AForm, AManager, "FileMenu");
    d.File->ItemLinks()->AddItem(Button(AForm, "NewCmd0"));
    d.File->ItemLinks()->AddItem(Button(AForm, "ExitCmd"));
    d.Bar0 = AManager->Bars()->Add();
    d.Bar0->SetCaption("标准");
    d.Bar0->SetDockingStyle(dsTop);
    TdxBarItemLink* link = d.Bar0->ItemLinks()->AddItem(open);
    link->SetUserCaption("打开");
    link->SetBeginGroup(true);
    d.Bar0->ItemLinks()->AddItem(d.File);
    d.Bar0->SetVisible(true);
    d.Bar1 = AManager->Bars()->Add();
    d.Bar1->SetCaption("Floating");
    d.Bar1->SetDockingStyle(dsNone);
    d.Bar1->SetFloatLeft(400);
    d.Bar1->SetFloatTop(300);
    d.Bar1->SetFloatClientWidth(120);
    d.Bar1->SetFloatClientHeight(40);
    return d;
  }

  // Another "MainForm" with the design's items and no toolbars: what a layout is loaded into.
  TItemFixtureForm* FreshForm(TLayoutManager*& AManager) {
    auto* form = new TItemFixtureForm(nullptr);
    form->SetName("MainForm");
    AManager = NewManager(form);
    Button(form, "OpenCmd");
    Menu(form, AManager, "FileMenu");
    Button(form, "NewCmd0");
    Button(form, "ExitCmd");
    return form;
  }

  std::string Dir;
  TLayoutManager* M = nullptr;
};

// The whole layout as one text: toolbars with their own keys, links and the sub-menu's links.
String Signature(TdxBarManager* AManager) {
  auto links = [](TdxBarItemLinks* L) {
    String s;
    for (int i = 0; i < L->Count(); ++i) {
      TdxBarItemLink* k = L->Items(i);
      s += "  " + (k->Item() ? k->Item()->Name() : String("-")) + " caption=" + k->UserCaption() +
           " define=" + IntToStr(static_cast<int>(k->UserDefine().Bits())) +
           " paint=" + IntToStr(static_cast<int>(k->UserPaintStyle())) + " width=" + IntToStr(k->UserWidth()) +
           " group=" + IntToStr(k->StoredBeginGroup()) + " bg=" + IntToStr(k->ButtonGroup()) +
           " pos=" + IntToStr(k->Position()) + " levels=" + IntToStr(static_cast<int>(k->ViewLevels().Bits())) +
           " visible=" + IntToStr(k->Visible()) + " use=" + IntToStr(k->UseCount()) +
           " recent=" + IntToStr(k->RecentIndex()) + "\n";
    }
    return s;
  };
  String s;
  for (int i = 0; i < AManager->Bars()->Count(); ++i) {
    TdxBar* b = AManager->Bars()->Items(i);
    s += b->Caption() + " style=" + IntToStr(b->DockingStyle()) +
         " site=" + (b->DockControl() ? b->DockControl()->Name() : String("-")) +
         " docked=" + IntToStr(b->DockedLeft()) + "," + IntToStr(b->DockedTop()) +
         " float=" + IntToStr(b->FloatLeft()) + "," + IntToStr(b->FloatTop()) + " row=" + IntToStr(b->Row()) +
         " one=" + IntToStr(b->OneOnRow()) + " visible=" + IntToStr(b->Visible()) + "\n" + links(b->ItemLinks());
  }
  for (int i = 0; i < AManager->ItemCount(); ++i)
    if (auto* menu = dynamic_cast<TdxBarSubItem*>(AManager->Items(i)))
      s += menu->Name() + "\n" + links(menu->ItemLinks());
  return s;
}

TEST_F(BarLayoutPersistenceTest, AnIniFileByteForByteAndSavingAgainErasesOnlyItsOwnSections) {
  Design(Form, M);
  const std::string file = Dir + "/layout.ini";
  M->SaveLayoutToIniFile(file);
  const std::string expected = Slurp(testsupport::SourcePath("tests/ui/bars/fixtures/bar-layout-gbk.ini"));
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(Slurp(file), expected) << platform::GbkToUtf8(Slurp(file));
  EXPECT_NE(Slurp(file).find("UserCaption=\xB4\xF2\xBF\xAA\r\n"), std::string::npos) << "GBK on disk";

  // Another program's section and a manager whose name only begins like ours stay.
  const std::string others = "[config]\r\nPort=COM1\r\n\r\n[MainForm.BarManager10.Main]\r\nBarCount=7\r\n\r\n";
  Spit(file, others + expected);
  M->Bars()->Items(1)->SetCaption("Renamed");
  M->SaveLayoutToIniFile(file);
  std::string again = expected;
  again.replace(again.find("Caption=Floating"), 16, "Caption=Renamed");
  EXPECT_EQ(Slurp(file), others + again);
}

TEST_F(BarLayoutPersistenceTest, TheRegistryKeepsTypesKeysAndUserGlyphs) {
  TDesign d = Design(Form, M);
  TBitmap glyph;
  glyph.SetSize(6, 5);
  glyph.Canvas()->Brush()->SetColor(clRed);
  glyph.Canvas()->FillRect(TRect(0, 0, 6, 5));
  d.Bar0->ItemLinks()->Items(0)->SetUserGlyph(&glyph);
  M->SetRegistryPath("Software\\App");
  EXPECT_EQ(M->RegistryPath(), "\\Software\\App\\");
  M->SaveLayoutToRegistry(M->RegistryPath());

  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey("\\Software\\App", false));
  EXPECT_EQ(reg.GetDataType("Version"), rdInteger);
  EXPECT_EQ(reg.ReadInteger("Version"), 55);
  EXPECT_EQ(reg.ReadInteger("BarCount"), 2);
  EXPECT_EQ(reg.GetDataType("LargeIcons"), rdString);
  EXPECT_EQ(reg.ReadString("ShowHint"), "1");
  TStringList keys;
  reg.GetKeyNames(&keys);
  keys.Sort();
  EXPECT_EQ(keys.CommaText(), "Bar0,Bar1,Items,SubItem_FileMenu");
  ASSERT_TRUE(reg.OpenKey("\\Software\\App\\Bar0\\ItemLink0", false));
  EXPECT_EQ(reg.ReadString("UserCaption"), "打开");
  EXPECT_EQ(reg.GetDataType("UserDefine"), rdBinary);
  EXPECT_EQ(reg.GetDataType("ViewLevels"), rdBinary);
  EXPECT_EQ(reg.GetDataType("UserGlyph"), rdBinary);
  reg.CloseKey();

  // The glyph comes back from the registry only.
  for (bool registry : {true, false}) {
    TLayoutManager* m = nullptr;
    TItemFixtureForm* form = FreshForm(m);
    if (registry) {
      m->LoadLayoutFromRegistry("Software\\App");
    } else {
      M->SaveLayoutToIniFile(Dir + "/glyph.ini");
      m->LoadLayoutFromIniFile(Dir + "/glyph.ini");
    }
    ASSERT_EQ(m->Bars()->Count(), 2);
    TdxBarItemLink* link = m->Bars()->Items(0)->ItemLinks()->Items(0);
    EXPECT_EQ(link->UserGlyph()->Width(), registry ? 6 : 0);
    if (registry) {
      EXPECT_EQ(link->UserGlyph()->Canvas()->Pixels(3, 2), clRed);
    }
    EXPECT_EQ(link->UserCaption(), "打开");
    TObject::Free(form);
  }

  // Saving again leaves nothing of a toolbar that is gone.
  delete d.Bar1;
  M->SaveLayoutToRegistry("\\Software\\App\\");
  EXPECT_FALSE(reg.KeyExists("\\Software\\App\\Bar1"));
  EXPECT_TRUE(reg.KeyExists("\\Software\\App\\Bar0\\ItemLink1"));
}

TEST_F(BarLayoutPersistenceTest, RoundTripsThroughAllThreeStorages) {
  auto* site = new TdxBarDockControl(Form);
  site->SetName("DockControl1");
  site->SetParent(Form);
  site->SetBarManager(M);
  TDesign d = Design(Form, M);
  TdxBarButton* extra = Button(Form, "PrintCmd");
  d.Bar1->SetOneOnRow(true);
  TdxBarItemLink* open = d.Bar0->ItemLinks()->Items(0);
  open->SetUserPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
  open->SetUserWidth(120);
  open->SetButtonGroup(bgpStart);
  open->SetPosition(ipBeginsNewColumn);
  open->SetViewLevels(TdxBarItemViewLevels{ivlSmallIcon, ivlControlOnly});
  open->SetUseCount(7);
  TdxBarItemLink* hidden = d.Bar0->ItemLinks()->AddItem(extra);
  hidden->SetVisible(false);
  d.File->ItemLinks()->Items(1)->SetUseCount(3);
  d.File->ItemLinks()->MoveToRecentPosition(d.File->ItemLinks()->Items(1), 1);
  TdxBar* onSite = M->Bars()->Add();
  onSite->SetCaption("站点");
  onSite->SetDockControl(site);
  onSite->ItemLinks()->AddItem(extra);
  onSite->SetVisible(true);
  d.Bar1->SetFloatLeft(420);
  d.Bar1->SetFloatTop(310);
  const String designed = Signature(M);

  struct {
    const char* Name;
    std::function<void(TdxBarManager*)> Save, Load;
  } storages[] = {
      {"ini file", [&](TdxBarManager* m) { m->SaveLayoutToIniFile(Dir + "/trip.ini"); },
       [&](TdxBarManager* m) { m->LoadLayoutFromIniFile(Dir + "/trip.ini"); }},
      {"registry", [](TdxBarManager* m) { m->SaveLayoutToRegistry("Software\\Trip"); },
       [](TdxBarManager* m) { m->LoadLayoutFromRegistry("Software\\Trip"); }},
      {"stream", [](TdxBarManager* m) { m->SaveLayoutToIniFile(""); },
       [](TdxBarManager* m) { m->LoadLayoutFromIniFile(""); }},
  };
  for (const auto& storage : storages) {
    TMemoryStream stream;
    M->SetLayoutStream(&stream);
    if (std::string(storage.Name) != "stream") M->SetLayoutStream(nullptr);
    storage.Save(M);
    M->SetLayoutStream(nullptr);

    TLayoutManager* m = nullptr;
    TItemFixtureForm* form = FreshForm(m);
    auto* site2 = new TdxBarDockControl(form);
    site2->SetName("DockControl1");
    site2->SetParent(form);
    site2->SetBarManager(m);
    Button(form, "PrintCmd");
    stream.SetPosition(0);
    m->SetLayoutStream(&stream);
    if (std::string(storage.Name) != "stream") m->SetLayoutStream(nullptr);
    storage.Load(m);
    m->SetLayoutStream(nullptr);
    EXPECT_EQ(Signature(m), designed) << storage.Name;
    TObject::Free(form);
  }
}

TEST_F(BarLayoutPersistenceTest, AStreamTakesTheLinesAndNoFileIsMade) {
  Design(Form, M);
  TMemoryStream stream;
  stream.WriteBuffer("head", 4);
  M->SetLayoutStream(&stream);
  const std::string file = Dir + "/never.ini";
  M->SaveLayoutToIniFile(file);
  EXPECT_FALSE(std::filesystem::exists(file));
  std::string text(static_cast<std::size_t>(stream.Size()), '\0');
  stream.SetPosition(0);
  stream.ReadBuffer(text.data(), static_cast<std::int32_t>(text.size()));
  EXPECT_EQ(text.substr(0, 36), "head[MainForm.BarManager1.Main]\r\nVer") << "written at the stream's position";
  EXPECT_NE(text.find("UserCaption=打开\r\n"), std::string::npos) << "UTF-8 in the stream";
  M->SetLayoutStream(nullptr);

  // Loading reads from the stream's position to its end.
  TLayoutManager* m = nullptr;
  TItemFixtureForm* form = FreshForm(m);
  stream.SetPosition(4);
  m->SetLayoutStream(&stream);
  m->LoadLayoutFromIniFile(file);
  m->SetLayoutStream(nullptr);
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(Signature(m), Signature(M));
  TObject::Free(form);
}

TEST_F(BarLayoutPersistenceTest, ReadingCases) {
  TdxBarButton* a = Button(Form, "A");
  TdxBarButton* b = Button(Form, "B");
  TdxBar* bar = M->Bars()->Add();
  bar->SetCaption("Std");
  const String base = "MainForm.BarManager1.";
  struct TCase {
    const char* Name;
    std::function<void(TMemIniFile&)> Prepare;
    std::function<void()> Check;
  } cases[] = {
      {"an item added after saving keeps its designed place",
       [&](TMemIniFile& ini) {
         M->SaveLayout(&ini, base, false);  // the layout of A B
         TdxBarButton* added = Button(Form, "NewCmd");
         bar->ItemLinks()->AddItem(added)->SetIndex(1);  // designed now: A NewCmd B
         bar->ItemLinks()->Items(2)->SetUserCaption("kept");
       },
       [&] {
         String names;
         for (int i = 0; i < bar->ItemLinks()->Count(); ++i) names += bar->ItemLinks()->Items(i)->Item()->Name() + " ";
         EXPECT_EQ(names, "A NewCmd B ");
         EXPECT_EQ(bar->ItemLinks()->Items(2)->UserCaption(), "") << "B comes from the layout";
       }},
      {"no usage data with the standard style",
       [&](TMemIniFile& ini) {
         M->SetStyle(bmsStandard);
         M->SaveLayout(&ini, base, false);
         EXPECT_FALSE(ini.ValueExists(base + "Main", "MenusShowRecentItemsFirst"));
         EXPECT_FALSE(ini.ValueExists(base + "Bar0.ItemLink0", "UseCount"));
         EXPECT_FALSE(ini.ValueExists(base + "Bar0.ItemLink0", "RecentIndex"));
         ini.WriteBool(base + "Main", "MenusShowRecentItemsFirst", false);
         ini.WriteInteger(base + "Bar0.ItemLink0", "UseCount", 99);
       },
       [&] {
         EXPECT_TRUE(M->MenusShowRecentItemsFirst());
         EXPECT_NE(bar->ItemLinks()->Items(0)->UseCount(), 99);
         M->SetStyle(bmsEnhanced);
       }},
      {"a count that runs away ends at the last section",
       [&](TMemIniFile& ini) {
         M->SaveLayout(&ini, base, false);
         ini.WriteString(base + "Bar1", "Caption", "Second");
         ini.WriteInteger(base + "Main", "BarCount", 100000000);
       },
       [&] { EXPECT_EQ(M->Bars()->Count(), 2); }},
      {"damaged values keep the current ones",
       [&](TMemIniFile& ini) {
         M->SaveLayout(&ini, base, false);
         M->SetMenuAnimations(maSlide);
         ini.WriteInteger(base + "Main", "MenuAnimations", 9);
         ini.WriteString(base + "Bar0.ItemLink0", "UserDefine", "5");
         ini.WriteString(base + "Bar0.ItemLink0", "UserCaption", "五");
         ini.WriteInteger(base + "Bar0.ItemLink0", "UserPaintStyle", static_cast<int>(TdxBarPaintStyle::psCaption));
       },
       [&] {
         EXPECT_EQ(M->MenuAnimations(), maSlide);
         TdxBarItemLink* link = bar->ItemLinks()->Items(0);
         EXPECT_EQ(link->UserCaption(), "五") << "5: caption and paint style";
         EXPECT_EQ(link->UserPaintStyle(), TdxBarPaintStyle::psCaption);
         EXPECT_FALSE(link->UserDefine().Contains(udWidth));
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    while (M->Bars()->Count() > 1) delete M->Bars()->Items(1);
    bar->ItemLinks()->Clear();
    bar->ItemLinks()->AddItem(a);
    bar->ItemLinks()->AddItem(b);
    TMemIniFile ini;
    c.Prepare(ini);
    const auto start = std::chrono::steady_clock::now();
    M->LoadLayout(&ini, base, false);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    c.Check();
  }
}

TEST_F(BarLayoutPersistenceTest, SubItemSectionsAreNamedItemsOnlyRestoreDepthFirstAndCountTheirLinksLast) {
  TDesign d = Design(Form, M);
  TdxBarSubItem* recent = Menu(Form, M, "RecentMenu");
  recent->ItemLinks()->AddItem(Button(Form, "Scene1"));
  d.File->ItemLinks()->AddItem(recent);
  auto* unnamed = new TdxBarSubItem(Form);
  unnamed->ItemLinks()->AddItem(Button(Form, "Loose"));
  const String base = "MainForm.BarManager1.";
  TMemIniFile ini;
  for (int i = 0; i < M->ItemCount(); ++i) M->Items(i)->SaveSubItemLayout(&ini, base, false);
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.CommaText(),
            base + "SubItem_FileMenu.ItemLink0," + base + "SubItem_FileMenu.ItemLink1," + base +
                "SubItem_FileMenu.ItemLink2," + base + "SubItem_FileMenu," + base + "SubItem_RecentMenu.ItemLink0," +
                base + "SubItem_RecentMenu")
      << "nothing for the unnamed sub-item";
  EXPECT_EQ(ini.ReadInteger(base + "SubItem_FileMenu", "ItemLinkCount", -1), 3);
  EXPECT_EQ(ini.ReadString(base + "SubItem_RecentMenu.ItemLink0", "ItemName", ""), "Scene1");

  // Restoring the outer menu restores the menu it links as well.
  d.File->ItemLinks()->Items(0)->SetUserCaption("changed");
  recent->ItemLinks()->Clear();
  d.File->RestoreSubItemLayout(&ini, base, false);
  EXPECT_EQ(d.File->ItemLinks()->Items(0)->UserCaption(), "");
  ASSERT_EQ(recent->ItemLinks()->Count(), 1);
  EXPECT_EQ(recent->ItemLinks()->Items(0)->Item()->Name(), "Scene1");

  // A count that runs away ends with the link sections there are.
  ini.WriteInteger(base + "SubItem_RecentMenu", "ItemLinkCount", 100000000);
  ini.WriteString(base + "SubItem_RecentMenu.ItemLink1", "ItemName", "ExitCmd");
  const auto start = std::chrono::steady_clock::now();
  recent->LoadSubItemLayout(&ini, base, false);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  EXPECT_EQ(recent->ItemLinks()->Count(), 2);
}

TEST_F(BarLayoutPersistenceTest, NoStorageWithoutANameOrAKey) {
  Design(Form, M);
  const auto cwd = std::filesystem::current_path();
  std::filesystem::create_directories(Dir + "/cwd");
  std::filesystem::current_path(Dir + "/cwd");
  M->SaveLayoutToIniFile("");
  M->LoadLayoutFromIniFile("");
  EXPECT_TRUE(std::filesystem::is_empty(Dir + "/cwd"));
  std::filesystem::current_path(cwd);

  // A path that names no key is no registry storage: the root stays as it was.
  TRegistry reg;
  reg.CreateKey("\\Software\\Other");
  for (const char* path : {"\\", "\\\\", ""}) {
    M->SetRegistryPath(path);
    EXPECT_EQ(M->RegistryPath(), "");
    M->SaveLayoutToRegistry(path);
    M->LoadLayoutFromRegistry(path);
  }
  EXPECT_TRUE(reg.KeyExists("\\Software\\Other"));
  EXPECT_FALSE(reg.ValueExists("Version"));
}

TEST_F(BarLayoutPersistenceTest, AutomaticUseLoadsTheFileLastAndSavesBothOnDestruction) {
  auto* form = new TItemFixtureForm(nullptr);
  form->SetName("AutoForm");
  TLayoutManager* m = NewManager(form);
  m->BeginDesign();
  m->SetStoreInRegistry(true);
  m->SetStoreInIniFile(true);
  m->SetRegistryPath("Software\\Auto");
  m->SetIniFileName(Dir + "/auto.ini");
  {
    TRegistryIniFile reg("\\Software\\Auto\\");
    reg.WriteBool("\\Software\\Auto\\", "ShowHint", false);
    reg.WriteBool("\\Software\\Auto\\", "LargeIcons", true);
    TMemIniFile ini(Dir + "/auto.ini");
    ini.WriteBool("AutoForm.BarManager1.Main", "ShowHint", true);
    ini.UpdateFile();
  }
  std::vector<String> order;
  m->IniWriteHandlers()->Handlers.push_back([&](TObject*, const void* Args) {
    const auto* data = static_cast<const TdxBarIniFileEventData*>(Args);
    order.push_back(data->IsRegistry ? "registry " + data->SectionBase : "file " + data->SectionBase);
    EXPECT_EQ(data->Separator, data->IsRegistry ? "\\" : ".");
  });
  form->Show();
  m->FinishLoading();
  EXPECT_TRUE(m->ShowHint()) << "the file's value";
  EXPECT_TRUE(m->LargeIcons()) << "the registry's value where the file has none";
  EXPECT_EQ(order, (std::vector<String>{"file AutoForm.BarManager1."})) << "the saved state";

  order.clear();
  TObject::Free(form);
  EXPECT_EQ(order, (std::vector<String>{"registry \\Software\\Auto\\", "file AutoForm.BarManager1."}));
  TMemIniFile ini(Dir + "/auto.ini");
  EXPECT_EQ(ini.ReadInteger("AutoForm.BarManager1.Main", "Version", 0), 55);
}

// The designed layout goes into the saved state once, in Loaded; the usage-data reset and the
// toolbar found there by its caption read it back.
TEST_F(BarLayoutPersistenceTest, ResetUsageDataBringsBackTheDesignedRecentUse) {
  M->BeginDesign();
  TDesign d = Design(Form, M);
  TdxBarButton* rare = Button(Form, "RareCmd");
  TdxBarItemLink* menuRare = d.File->ItemLinks()->AddItem(rare);
  menuRare->SetMostRecentlyUsed(false);
  TdxBarItemLink* barRare = d.Bar0->ItemLinks()->AddItem(rare);
  barRare->SetMostRecentlyUsed(false);
  M->FinishLoading();
  const String base = "MainForm.BarManager1.";
  EXPECT_EQ(M->SavedState()->ReadString(base + "SubItem_FileMenu.ItemLink2", "MostRecentlyUsed", ""), "0");
  EXPECT_EQ(M->SavedState()->ReadString(base + "SubItem_FileMenu.ItemLink0", "MostRecentlyUsed", ""), "1");
  TdxBarItemLinks* menu = d.File->ItemLinks();
  EXPECT_GE(menuRare->RecentIndex(), menu->RecentCutoff()) << "rarely used: hidden in the personalised menu";

  // The user takes to the rare command.
  auto use = [&] {
    menuRare->SetMostRecentlyUsed(true);
    for (int i = 0; i < 30; ++i) menuRare->MarkUsed(true);
    barRare->SetMostRecentlyUsed(true);
  };
  use();
  ASSERT_LT(menuRare->RecentIndex(), menu->RecentCutoff());

  static int answer = IDNO;
  static String asked;
  auto previous = TApplication::SetMessageBoxFunc([](HWND, const String& Text, const String& Caption, int Flags) {
    asked = Text.substr(0, 20) + "|" + Caption + "|" +
            (Flags == (MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) ? "yes-no, exclamation, no" : "?");
    return answer;
  });
  M->ResetUsageData();
  EXPECT_EQ(asked, "This will delete the|" + Application->Title() + "|yes-no, exclamation, no");
  EXPECT_TRUE(menuRare->MostRecentlyUsed()) << "No changes nothing";
  EXPECT_LT(menuRare->RecentIndex(), menu->RecentCutoff());

  answer = IDYES;
  M->ResetUsageData();
  EXPECT_FALSE(menuRare->MostRecentlyUsed());
  EXPECT_EQ(menuRare->UseCount(), 0);
  EXPECT_GE(menuRare->RecentIndex(), menu->RecentCutoff()) << "hidden again";
  EXPECT_FALSE(barRare->MostRecentlyUsed()) << "the toolbar found by its caption";

  // A toolbar renamed after loading is not in the saved state, and is not reset.
  use();
  d.Bar0->SetCaption("标准2");
  EXPECT_EQ(d.Bar0->SavedStateIndex(), -1);
  d.Bar0->SetCaption("标准 ");
  EXPECT_EQ(d.Bar0->SavedStateIndex(), -1) << "exact caption";
  M->ResetUsageData();
  EXPECT_TRUE(barRare->MostRecentlyUsed());
  EXPECT_FALSE(menuRare->MostRecentlyUsed());
  TApplication::SetMessageBoxFunc(previous);
}

TEST_F(BarLayoutPersistenceTest, BenchmarkAgainstPlainKeys) {
  std::vector<TdxBarButton*> buttons;
  for (int i = 0; i < 50; ++i) buttons.push_back(Button(Form, "Cmd" + IntToStr(i)));
  for (int n = 0; n < 10; ++n) {
    TdxBar* bar = M->Bars()->Add();
    bar->SetCaption("Bar " + IntToStr(n));
    for (TdxBarButton* button : buttons) bar->ItemLinks()->AddItem(button);
  }
  for (int n = 0; n < 20; ++n) {
    TdxBarSubItem* menu = Menu(Form, M, "Menu" + IntToStr(n));
    for (int i = 0; i < 20; ++i) menu->ItemLinks()->AddItem(buttons[static_cast<std::size_t>(i)]);
  }
  const String base = "MainForm.BarManager1.";
  using Clock = std::chrono::steady_clock;
  TMemIniFile layout;
  auto start = Clock::now();
  M->SaveLayout(&layout, base, false);
  M->LoadLayout(&layout, base, false);
  const double layoutMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  TStringList sections;
  layout.ReadSections(&sections);
  int keys = 0;
  for (int i = 0; i < sections.Count(); ++i) {
    TStringList names;
    layout.ReadSection(sections.Strings(i), &names);
    keys += names.Count();
  }

  TMemIniFile plain;
  start = Clock::now();
  for (int k = 0; k < keys; ++k) plain.WriteInteger("S" + IntToStr(k / 10), "K" + IntToStr(k % 10), k);
  int sum = 0;
  for (int k = 0; k < keys; ++k) sum += plain.ReadInteger("S" + IntToStr(k / 10), "K" + IntToStr(k % 10), 0);
  const double plainMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  EXPECT_EQ(M->Bars()->Count(), 10);
  EXPECT_EQ(M->Bars()->Items(9)->ItemLinks()->Count(), 50);
  EXPECT_GT(sum, 0);
  std::printf("layout save+load of %d keys in %d sections: %.2f ms; the same number of plain keys: %.2f ms\n", keys,
              sections.Count(), layoutMs, plainMs);
}

}  // namespace
