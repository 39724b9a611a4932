// Item links on a toolbar's collection and on stand-in menus: the lists, group starts, recent use,
// accelerators, merging, customization commands, the stored layout and the stream property.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/classes/Filer.h"
#include "platform/classes/IniFiles.h"
#include "platform/classes/Strings.h"
#include "tests/ui/bars/BarItemFixture.h"
#include "ui/bars/BarDesignController.h"
#include "ui/bars/BarMDI.h"
#include "ui/bars/Bars.h"
#include "ui/foundation/Core.h"

namespace {

class TLinksManager : public TdxBarManager {
  VW_CLASS(TLinksManager, TdxBarManager)
 public:
  explicit TLinksManager(TComponent* AOwner) : TdxBarManager(AOwner) {}
  void SetLoading(bool Value) {
    if (Value)
      IncludeState(csLoading);
    else
      ExcludeState(csLoading);
  }
};

// A sub-menu item with links of its own, mergeable with its kind.
class TMenuItem : public TdxBarSubItem {
  VW_CLASS(TMenuItem, TdxBarSubItem)
 public:
  explicit TMenuItem(TComponent* AOwner) : TdxBarSubItem(AOwner) {}
};

// Records what the stream property asks to write.
class TRecordingFiler : public TFiler {
  VW_CLASS(TRecordingFiler, TFiler)
 public:
  TRecordingFiler() : TFiler(nullptr) {}
  void DefineProperty(const String& Name, TReaderProc, TWriterProc, bool HasData) override {
    if (Name == "ItemName") Written = HasData;
  }
  void DefineBinaryProperty(const String&, TStreamProc, TStreamProc, bool) override {}
  bool Written = false;
};

class BarItemLinksTest : public BarItemFixture {
 protected:
  void SetUp() override {
    BarItemFixture::SetUp();
    M = new TLinksManager(Form);
    M->SetStyle(bmsEnhanced);
  }
  TdxBarButton* Button(const String& Name, const String& Caption = String()) {
    auto* b = new TdxBarButton(Form);
    b->SetName(Name);
    b->SetCaption(Caption.empty() ? Name : Caption);
    return b;
  }
  TdxBarSeparator* Separator(const String& Name) {
    auto* s = new TdxBarSeparator(Form);
    s->SetName(Name);
    return s;
  }
  TMenuItem* Menu(const String& Name, const String& Caption) {
    auto* s = new TMenuItem(Form);
    s->SetName(Name);
    s->SetCaption(Caption);
    s->SetMergeKind(mkMergeByCaption);
    return s;
  }
  static String Shown(TdxBarItemLinks* L) {
    String s;
    for (int i = 0; i < L->VisibleCount(); ++i) s += L->VisibleLinks(i)->Item()->Name() + " ";
    return s;
  }
  static String Names(TdxBarItemLinks* L) {
    String s;
    for (int i = 0; i < L->Count(); ++i) s += (L->Items(i)->Item() ? L->Items(i)->Item()->Name() : String("-")) + " ";
    return s;
  }
  TLinksManager* M = nullptr;
};

// The cases every link collection must get right, on toolbars and on real sub-menus. Each row
// makes its own items, so a row that goes wrong leaves the others their own state.
TEST_F(BarItemLinksTest, TheCaseTable) {
  auto refusal = [](auto&& Place) -> String {
    try {
      Place();
    } catch (const EdxException& e) {
      return e.Message();
    }
    return "accepted";
  };
  TShiftState none, shift{ssShift}, ctrl{ssCtrl}, alt{ssAlt};
  struct Row {
    const char* Case;
    std::function<void()> Check;
  };
  const Row rows[] = {
      {"Item := nil frees the link; a refused item frees the link and raises the refusal",
       [&] {
         TdxBar* bar = M->Bars()->Add();
         TdxBarItemLink* link = bar->ItemLinks()->AddItem(Button("Nil"));
         EXPECT_TRUE(link->MostRecentlyUsed());
         EXPECT_TRUE(link->Distributed());
         EXPECT_EQ(link->ViewLevels(), dxBarAllViewLevels);
         EXPECT_EQ(link->UseCount(), 20);
         link->SetItem(nullptr);
         EXPECT_EQ(bar->ItemLinks()->Count(), 0);
         EXPECT_EQ(refusal([&] { bar->ItemLinks()->AddItem(Separator("OnToolbar")); }),
                   "A separator item cannot be placed on the specified toolbar");
         EXPECT_EQ(bar->ItemLinks()->Count(), 0);
         const int items = M->ItemCount();
         EXPECT_EQ(refusal([&] { bar->ItemLinks()->AddItemOfClass(TdxBarSeparator::StaticClass()); }),
                   "A separator item cannot be placed on the specified toolbar");
         EXPECT_EQ(M->ItemCount(), items) << "the refused new item is freed";
         TMenuItem* outer = Menu("Outer", "Outer");
         TMenuItem* inner = Menu("Inner", "Inner");
         outer->ItemLinks()->AddItem(inner);
         EXPECT_EQ(refusal([&] { outer->ItemLinks()->AddItem(outer); }), "You cannot create recursive menus");
         EXPECT_EQ(refusal([&] { inner->ItemLinks()->AddItem(outer); }), "You cannot create recursive menus");
         EXPECT_EQ(outer->ItemLinks()->Count(), 1);
         EXPECT_EQ(inner->ItemLinks()->Count(), 0);
       }},
      {"menu A, S1, S2, B, S3 shows A, S2, B; all five while customizing or in an update bracket",
       [&] {
         TdxBarItemLinks* menu = Menu("Separated", "Separated")->ItemLinks();
         for (TdxBarItem* item : std::vector<TdxBarItem*>{Button("SepA"), Separator("S1"), Separator("S2"),
                                                          Button("SepB"), Separator("S3")})
           menu->AddItem(item);
         EXPECT_EQ(Shown(menu), "SepA S2 SepB ");
         EXPECT_EQ(menu->CanVisibleCount(), 3);
         menu->BeginUpdate();
         menu->RebuildLists();
         EXPECT_EQ(Shown(menu), "SepA S1 S2 SepB S3 ");
         menu->EndUpdate();
         M->SetCustomizing(true);
         menu->RebuildLists();
         EXPECT_EQ(Shown(menu), "SepA S1 S2 SepB S3 ");
         M->SetCustomizing(false);
         menu->RebuildLists();
         EXPECT_EQ(Shown(menu), "SepA S2 SepB ");
       }},
      {"a hidden link's group start passes to the next shown one; never the first shown link",
       [&] {
         TdxBarItemLinks* links = M->Bars()->Add()->ItemLinks();
         TdxBarItemLink* a = links->AddItem(Button("GroupA"));
         TdxBarItemLink* hidden = links->AddItem(Button("GroupH"));
         TdxBarItemLink* b = links->AddItem(Button("GroupB"));
         hidden->SetBeginGroup(true);
         hidden->SetVisible(false);
         EXPECT_TRUE(b->BeginGroup());
         EXPECT_FALSE(b->StoredBeginGroup());
         a->SetBeginGroup(true);
         EXPECT_FALSE(a->BeginGroup());
         a->SetVisible(false);
         EXPECT_FALSE(b->BeginGroup()) << "B is now the first shown link";
         a->SetVisible(true);
         hidden->SetBeginGroup(false);
         EXPECT_FALSE(b->BeginGroup());
       }},
      {"MostRecentItemsPercents 95, 90, 99, 100 give recent use counts 20, 10, 100, 0",
       [&] {
         for (auto [percent, count] : {std::pair{95, 20}, {90, 10}, {99, 100}, {100, 0}}) {
           M->SetMostRecentItemsPercents(percent);
           TdxBarItemLinks* links = Menu("Percent" + IntToStr(percent), "P")->ItemLinks();
           EXPECT_EQ(links->AddItem(Button("X" + IntToStr(percent)))->UseCount(), count) << percent;
         }
         M->SetMostRecentItemsPercents(95);
       }},
      {"95 with use counts 0..20: threshold 1; percent 100: cutoff -1, nothing hidden",
       [&] {
         TdxBarItemLinks* links = Menu("Recent", "Recent")->ItemLinks();
         for (int i = 0; i <= 20; ++i) links->AddItem(Button("R" + IntToStr(i)));
         // Recent position p holds use count 20 - p: the threshold 0 + (20 - 0) x 5 / 100 = 1
         // keeps every link but the one used 0 times.
         for (int i = 0; i <= 20; ++i) {
           links->Items(i)->SetUseCount(20 - i);
           links->MoveToRecentPosition(links->Items(i), i);
         }
         EXPECT_EQ(links->RecentCutoff(), 20);
         links->SetCollapsedCount(3);
         EXPECT_EQ(Shown(links), "R0 R1 R2 ");
         links->RestoreCollapsedCount();
         EXPECT_EQ(links->VisibleCount(), 21);
         M->SetMostRecentItemsPercents(100);
         EXPECT_EQ(links->RecentCutoff(), -1);
         links->SetCollapsedCount(links->RecentCutoff());
         EXPECT_EQ(links->VisibleCount(), 21);
         M->SetMostRecentItemsPercents(95);
       }},
      {"bmsStandard: RecentCutoff -1, SetCollapsedCount(3) stores -1",
       [&] {
         TdxBarItemLinks* links = Menu("Standard", "Standard")->ItemLinks();
         for (int i = 0; i < 4; ++i) links->AddItem(Button("Std" + IntToStr(i)))->SetUseCount(i * 10);
         M->SetStyle(bmsStandard);
         EXPECT_EQ(links->RecentCutoff(), -1);
         links->SetCollapsedCount(3);
         EXPECT_EQ(links->CollapsedCount(), -1);
         EXPECT_EQ(links->VisibleCount(), 4);
         M->SetStyle(bmsEnhanced);
       }},
      {"\"&1 Open\": key '1' without shift matches, with Shift or Ctrl not",
       [&] {
         TdxBarItemLink* open = Menu("Digit", "Digit")->ItemLinks()->AddItem(Button("Open", "&1 Open"));
         EXPECT_TRUE(open->MatchesAccelerator('1', none));
         EXPECT_FALSE(open->MatchesAccelerator('1', shift));
         EXPECT_FALSE(open->MatchesAccelerator('1', ctrl));
       }},
      {"\"&File\" with Alt through FindAcceleratorNoAlt matches",
       [&] {
         TdxBarItemLinks* links = Menu("AltMenu", "AltMenu")->ItemLinks();
         links->AddItem(Button("Other", "&Other"));
         TdxBarItemLink* file = links->AddItem(Button("File", "&File"));
         EXPECT_EQ(links->FindAcceleratorNoAlt('F', alt, nullptr), file);
         EXPECT_EQ(links->FindAcceleratorNoAlt('F', alt + ctrl, nullptr), nullptr) << "never with Ctrl";
         // The search cycles from after the start.
         TdxBarItemLink* format = links->AddItem(Button("Format", "&Format"));
         EXPECT_EQ(links->FindAccelerator('F', none, file), format);
         EXPECT_EQ(links->FindAccelerator('F', none, format), file);
       }},
      {"\"&File &Edit\": key E matches, key F not",
       [&] {
         TdxBarItemLink* both = Menu("Both", "Both")->ItemLinks()->AddItem(Button("FileEdit", "&File &Edit"));
         EXPECT_TRUE(both->MatchesAccelerator('E', none));
         EXPECT_FALSE(both->MatchesAccelerator('F', none));
       }},
      {"a caption without \"&\", ending in \"&\" or with a character no key types never matches",
       [&] {
         TdxBarItemLinks* links = Menu("Plain", "Plain")->ItemLinks();
         for (const char* caption : {"Open", "Open&", "\xE6\x89\x93\xE5\xBC\x80(&\xE6\x96\x87)"}) {
           TdxBarItemLink* plain = links->AddItem(Button("Plain" + IntToStr(links->Count()), caption));
           for (win::WORD key = '0'; key <= 'Z'; ++key) EXPECT_FALSE(plain->MatchesAccelerator(key, none)) << caption;
         }
       }},
      {"merge by caption: a \"File\" sub-item onto \"File\" merges its links, no second \"File\"",
       [&] {
         TdxBarItemLinks* target = Menu("MainA", "Main")->ItemLinks();
         TdxBarItemLinks* source = Menu("MainB", "Main")->ItemLinks();
         TMenuItem* fileA = Menu("FileA", "File");
         TMenuItem* fileB = Menu("FileB", "File");
         fileA->ItemLinks()->AddItem(Button("New"));
         fileB->ItemLinks()->AddItem(Button("Save"));
         target->AddItem(fileA);
         source->AddItem(fileB);
         target->Merge(source);
         EXPECT_EQ(Names(target), "FileA ");
         EXPECT_EQ(Names(fileA->ItemLinks()), "New Save ");
         // A menu linked from both sides merges with itself, and a collection with itself: both end
         // and nothing repeats.
         TdxBarItemLinks* again = Menu("MainC", "Main")->ItemLinks();
         again->AddItem(fileA);
         target->Merge(again);
         target->Merge(target);
         EXPECT_EQ(Names(target), "FileA ");
         EXPECT_EQ(Names(fileA->ItemLinks()), "New Save ");
       }},
      {"mkAdd: orders 0, 10, 10, 20 with source 15 inserts after the second 10; the event and Unmerge",
       [&] {
         TdxBarItemLinks* links = M->Bars()->Add()->ItemLinks();
         int n = 0;
         for (int order : {0, 10, 10, 20}) {
           TdxBarButton* b = Button("O" + IntToStr(n++));
           b->SetMergeOrder(order);
           links->AddItem(b);
         }
         TdxBar* child = M->Bars()->Add();
         TdxBarButton* fifteen = Button("Fifteen");
         fifteen->SetMergeOrder(15);
         child->ItemLinks()->AddItem(fifteen);
         links->Merge(child->ItemLinks(), child);
         EXPECT_EQ(Names(links), "O0 O1 O2 Fifteen O3 ");
         EXPECT_EQ(links->Items(3)->MergeSource(), child);

         // OnMergeItemLink answering index -1: nothing added.
         M->OnMergeItemLink = [](TdxBarManager*, TdxBarItemLinks*, TdxBarItemLinks*, TdxBarItemLink*,
                                 TdxBarItemMergeKind&, int& index) { index = -1; };
         links->Merge(child->ItemLinks(), child);
         EXPECT_EQ(links->Count(), 5);
         M->OnMergeItemLink = nullptr;

         // Unmerge(bar) frees exactly that bar's merged links.
         TdxBar* other = M->Bars()->Add();
         other->ItemLinks()->AddItem(Button("OtherBar"));
         links->Merge(other->ItemLinks(), other);
         EXPECT_EQ(Names(links), "O0 OtherBar O1 O2 Fifteen O3 ") << "order 0 goes after the last link of order 0";
         links->Unmerge(child);
         EXPECT_EQ(Names(links), "O0 OtherBar O1 O2 O3 ");
         links->Unmerge(nullptr);
         EXPECT_EQ(Names(links), "O0 O1 O2 O3 ");
       }},
      {"ExecuteCommand 0, 4..12 take the customized link's values; 13 does nothing",
       [&] {
         TdxBar* bar = M->Bars()->Add();
         TdxBarItemLink* from = bar->ItemLinks()->AddItem(Button("From", "Source"));
         TdxBarItemLink* to = bar->ItemLinks()->AddItem(Button("To", "Target"));
         from->SetUserPaintStyle(TdxBarPaintStyle::psCaptionGlyph);
         from->SetPosition(ipContinuesRow);
         from->SetViewLevels({ivlSmallIcon});
         from->SetButtonGroup(bgpMember);
         from->SetDistributed(false);
         from->SetMostRecentlyUsed(false);
         to->SetUserCaption("Mine");
         BarDesignController()->CustomizingItemLink = from;
         to->ExecuteCommand(0);
         EXPECT_TRUE(to->UserDefine().Empty());
         EXPECT_EQ(to->UserCaption(), "");
         to->ExecuteCommand(4);
         EXPECT_EQ(to->Item()->Caption(), "Source");
         to->ExecuteCommand(5);
         EXPECT_EQ(to->PaintStyle(), TdxBarPaintStyle::psCaptionGlyph);
         to->ExecuteCommand(6);
         EXPECT_EQ(to->Position(), ipContinuesRow);
         to->ExecuteCommand(7);
         EXPECT_EQ(to->ViewLevels(), TdxBarItemViewLevels{ivlSmallIcon});
         to->ExecuteCommand(8);
         EXPECT_EQ(to->ButtonGroup(), bgpMember);
         to->ExecuteCommand(9);
         EXPECT_FALSE(to->Distributed());
         EXPECT_TRUE(bar->ItemLinks()->IsDistributionPending(to));
         to->ApplyDistributed(false);
         EXPECT_FALSE(bar->ItemLinks()->IsDistributionPending(to));
         to->SetBeginGroup(true);
         to->ExecuteCommand(10);
         EXPECT_FALSE(to->StoredBeginGroup()) << "the first link's effective group start is false";
         to->ExecuteCommand(12);
         EXPECT_FALSE(to->MostRecentlyUsed());
         from->SetVisible(false);
         to->ExecuteCommand(11);
         EXPECT_FALSE(to->Visible());
         from->SetVisible(true);
         from->SetMostRecentlyUsed(true);
         to->ExecuteCommand(13);
         EXPECT_FALSE(to->Visible());
         EXPECT_FALSE(to->MostRecentlyUsed());
         BarDesignController()->CustomizingItemLink = nullptr;
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Case);
    row.Check();
  }
}

TEST_F(BarItemLinksTest, UserValuesTellTheLinkAndClearWhenTheirFlagGoes) {
  TdxBar* bar = M->Bars()->Add();
  TdxBarEdit* edit = new TdxBarEdit(Form);
  TdxBarItemLink* link = bar->ItemLinks()->AddItem(edit);
  EXPECT_EQ(link->Width(), 100) << "an edit passes its width on";
  link->SetUserWidth(60);
  EXPECT_TRUE(link->HasUserWidth());
  EXPECT_EQ(link->Width(), 60);
  link->SetUserCaption("Mine");
  EXPECT_EQ(link->Caption(), "Mine");
  link->SetUserDefine({udWidth});
  EXPECT_EQ(link->UserCaption(), "");
  EXPECT_EQ(link->Caption(), edit->Caption());
  TdxBarItemLink* button = bar->ItemLinks()->AddItem(Button("B"));
  EXPECT_EQ(button->Width(), 0);
}

TEST_F(BarItemLinksTest, LayoutInAMemoryIniFile) {
  TdxBar* bar = M->Bars()->Add();
  TdxBarItemLinks* links = bar->ItemLinks();
  TdxBarButton *a = Button("A"), *b = Button("B"), *c = Button("C");
  TdxBarButton* unnamed = new TdxBarButton(Form);
  links->AddItem(a)->SetUserCaption("User A");
  links->AddItem(unnamed);
  links->AddItem(b)->SetVisible(false);
  links->AddItem(c)->SetUserPaintStyle(TdxBarPaintStyle::psCaption);
  links->Items(0)->SetUseCount(7);
  TdxBar* child = M->Bars()->Add();
  child->ItemLinks()->AddItem(Button("Merged"));
  links->Merge(child->ItemLinks(), child);
  links->MoveToRecentPosition(links->Items(3), 0);
  int cRecent = links->Items(3)->RecentIndex();

  TMemIniFile ini;
  links->SaveToLayout(&ini, "L", false);
  EXPECT_EQ(ini.ReadInteger("L", "ItemLinkCount", -1), 3);
  EXPECT_EQ(ini.ReadString("L.ItemLink0", "ItemName", ""), "A");
  EXPECT_EQ(ini.ReadString("L.ItemLink1", "ItemName", ""), "B");
  EXPECT_EQ(ini.ReadString("L.ItemLink2", "ItemName", ""), "C");
  EXPECT_FALSE(ini.SectionExists("L.ItemLink3"));
  TStringList sections;
  ini.ReadSections(&sections);
  EXPECT_EQ(sections.CommaText(), "L.ItemLink0,L.ItemLink1,L.ItemLink2,L") << "the count after the links";
  EXPECT_EQ(ini.ReadString("L.ItemLink0", "UserDefine", ""), "01");
  EXPECT_TRUE(ini.ValueExists("L.ItemLink0", "UseCount"));
  EXPECT_FALSE(ini.ValueExists("L.ItemLink0", "MostRecentlyUsed"));

  // Loading puts the stored order, user values, visibility and recency back.
  while (links->Count() > 0) delete links->Items(0);
  links->AddItem(c);
  links->LoadFromLayout(&ini, "L", false);
  EXPECT_EQ(Names(links), "A B C ");
  EXPECT_EQ(links->Items(0)->Caption(), "User A");
  EXPECT_FALSE(links->Items(1)->Visible());
  EXPECT_EQ(links->Items(2)->PaintStyle(), TdxBarPaintStyle::psCaption);
  EXPECT_EQ(links->Items(0)->UseCount(), 7);
  EXPECT_EQ(links->Items(2)->RecentIndex(), cRecent);

  // An unknown name drops the link, an empty one keeps it without an item; new items' links stay,
  // each behind its old neighbour, or first when it was first.
  links->AddItem(Button("Fresh"))->SetIndex(1);  // after A
  links->AddItem(Button("Lead"))->SetIndex(0);
  ini.WriteString("L.ItemLink1", "ItemName", "Gone");
  ini.WriteString("L.ItemLink2", "ItemName", "");
  std::vector<String> newItems{"fresh", "LEAD"};
  links->LoadFromLayout(&ini, "L", false, &newItems);
  EXPECT_EQ(Names(links), "Lead A Fresh - ");

  // "UserDefine=5": caption and paint style.
  TMemIniFile five;
  five.WriteInteger("F", "ItemLinkCount", 1);
  five.WriteString("F.ItemLink0", "ItemName", "A");
  five.WriteString("F.ItemLink0", "UserDefine", "5");
  five.WriteString("F.ItemLink0", "UserCaption", "Five");
  five.WriteInteger("F.ItemLink0", "UserPaintStyle", 2);
  links->LoadFromLayout(&five, "F", false);
  ASSERT_EQ(links->Count(), 1);
  EXPECT_EQ(links->Items(0)->UserDefine(), (TdxBarUserDefines{udCaption, udPaintStyle}));
  EXPECT_EQ(links->Items(0)->Caption(), "Five");
  EXPECT_EQ(links->Items(0)->PaintStyle(), TdxBarPaintStyle::psCaptionInMenu);

  // Damaged sections: each loads what it can.
  struct Fault {
    const char* Key;
    const char* Value;
  };
  for (Fault f : {Fault{"UserDefine", "x"}, Fault{"UserPaintStyle", "7"}, Fault{"ButtonGroup", "5"}, Fault{"Position", "4"}}) {
    TMemIniFile bad;
    bad.WriteInteger("D", "ItemLinkCount", 1);
    bad.WriteString("D.ItemLink0", "ItemName", "B");
    bad.WriteString("D.ItemLink0", "UserDefine", String(f.Key) == "UserPaintStyle" ? "4" : "0");
    bad.WriteString("D.ItemLink0", f.Key, f.Value);
    bad.WriteBool("D.ItemLink0", "BeginGroup", true);
    links->LoadFromLayout(&bad, "D", false);
    ASSERT_EQ(links->Count(), 1) << f.Key;
    TdxBarItemLink* l = links->Items(0);
    EXPECT_EQ(l->Item(), b) << f.Key;
    EXPECT_TRUE(l->StoredBeginGroup()) << f.Key;
    EXPECT_EQ(l->PaintStyle(), b->PaintStyle()) << f.Key;
    EXPECT_EQ(l->ButtonGroup(), bgpNone) << f.Key;
    EXPECT_EQ(l->Position(), ipBeginsNewRow) << f.Key;
    if (String(f.Key) == "UserDefine") {
      EXPECT_TRUE(l->UserDefine().Empty());
    }
  }
  TMemIniFile huge;
  huge.WriteInteger("H", "ItemLinkCount", 100000000);
  huge.WriteString("H.ItemLink0", "ItemName", "A");
  huge.WriteString("H.ItemLink1", "ItemName", "C");
  links->LoadFromLayout(&huge, "H", false);
  EXPECT_EQ(Names(links), "A C ");
  // A stored item the toolbar refuses goes like an unknown one; the next link still loads.
  Separator("Sep");
  huge.WriteString("H.ItemLink0", "ItemName", "Sep");
  links->LoadFromLayout(&huge, "H", false);
  EXPECT_EQ(Names(links), "C ");
}

TEST_F(BarItemLinksTest, RecentUseFromALayoutTakesTheStoredFlagsAndPutsHiddenLinksLast) {
  TdxBarSubMenuControlItemLinks links(M, nullptr);
  for (const char* name : {"A", "B", "C", "D"}) links.AddItem(Button(name));
  links.Items(3)->SetVisible(false);
  // Two stored links, both not counted as recently used from the start.
  TMemIniFile ini;
  ini.WriteInteger("L", "ItemLinkCount", 2);
  ini.WriteBool("L.ItemLink0", "MostRecentlyUsed", false);
  ini.WriteBool("L.ItemLink1", "MostRecentlyUsed", false);
  links.LoadRecentUse(&ini, "L", false);
  String recent;
  for (int i = 0; i < links.RecentCount(); ++i) recent += links.RecentLinks(i)->Item()->Name() + " ";
  EXPECT_EQ(recent, "C B A D ") << "unused links behind the used one, the hidden link last";
  EXPECT_FALSE(links.Items(0)->MostRecentlyUsed());
  EXPECT_EQ(links.Items(0)->UseCount(), 0);
  EXPECT_TRUE(links.Items(2)->MostRecentlyUsed()) << "beyond the stored count";
  EXPECT_EQ(links.Items(2)->UseCount(), 20);
}

TEST_F(BarItemLinksTest, StreamPropertyAndEvents) {
  TdxBar* bar = M->Bars()->Add();
  TdxBarButton *a = Button("A"), *b = Button("B");
  TdxBarItemLink* link = bar->ItemLinks()->AddItem(a);
  TdxBarItemLink* same = bar->ItemLinks()->AddItem(a);
  TdxBarItemLink* other = bar->ItemLinks()->AddItem(b);
  TdxBarItemLink* empty = bar->ItemLinks()->Add();
  auto written = [](TdxBarItemLink* l, TdxBarItemLink* ancestor) {
    TRecordingFiler filer;
    filer.SetAncestor(ancestor);
    l->DefineProperties(&filer);
    return filer.Written;
  };
  EXPECT_TRUE(written(link, nullptr));
  EXPECT_FALSE(written(empty, nullptr));
  EXPECT_FALSE(written(link, same));
  EXPECT_TRUE(written(link, other));
  EXPECT_TRUE(written(link, empty));

  int adds = 0, changes = 0, deletes = 0;
  M->OnItemLinkAdd = [&](TdxBarManager*, TdxBarItemLink*) { ++adds; };
  M->OnItemLinkChange = [&](TdxBarManager*, TdxBarItemLink*) { ++changes; };
  M->OnItemLinkDelete = [&](TdxBarManager*, TdxBarItemLink*) { ++deletes; };
  M->SetLoading(true);
  bar->ItemLinks()->Add();
  EXPECT_EQ(adds, 0) << "silent while loading";
  M->SetLoading(false);
  bar->ItemLinks()->Add();
  EXPECT_EQ(adds, 1);
  changes = 0;
  other->SetBeginGroup(true);
  EXPECT_EQ(changes, 1);
  delete empty;
  EXPECT_EQ(deletes, 1);
  M->OnItemLinkAdd = nullptr;
  M->OnItemLinkChange = nullptr;
  M->OnItemLinkDelete = nullptr;
}

TEST_F(BarItemLinksTest, AssignKeepsTheSystemMenuFirstAndAppliesVisibleLast) {
  TdxBar* target = M->Bars()->Add();
  TdxBar* source = M->Bars()->Add();
  auto* system = new TSystemMenuSubItem(Form);
  system->SetName("System");
  target->ItemLinks()->AddItem(system);
  target->ItemLinks()->AddItem(Button("Old"));
  TdxBarItemLink* hidden = source->ItemLinks()->AddItem(Button("B"));
  hidden->SetVisible(false);
  hidden->SetUserCaption("Mine");
  source->ItemLinks()->AddItem(Button("C"))->SetBeginGroup(true);
  source->ItemLinks()->Add()->SetUserCaption("Loose");
  target->ItemLinks()->Assign(source->ItemLinks());
  EXPECT_EQ(Names(target->ItemLinks()), "System B C - ");
  EXPECT_EQ(target->ItemLinks()->Items(3)->Caption(), "Loose") << "a link without an item copies the rest";
  EXPECT_FALSE(target->ItemLinks()->Items(1)->Visible());
  EXPECT_EQ(target->ItemLinks()->Items(1)->Caption(), "Mine");
  EXPECT_FALSE(target->ItemLinks()->Items(2)->StoredBeginGroup()) << "C was the source's first shown link";
  EXPECT_EQ(target->ItemLinks()->Items(1)->MergeSource(), nullptr);
}

TEST_F(BarItemLinksTest, OfferShortCutAndItemOptions) {
  TdxBarSubMenuControlItemLinks links(M, nullptr);
  int clicks = 0;
  TdxBarButton* save = Button("Save");
  save->SetShortCut(0x4053);
  save->SetOnClick([&](TObject*) { ++clicks; });
  links.AddItem(Button("Other"));
  links.AddItem(save);
  EXPECT_FALSE(links.OfferShortCut(0));
  EXPECT_FALSE(links.OfferShortCut(0x4054));
  EXPECT_TRUE(links.OfferShortCut(0x4053));
  EXPECT_EQ(clicks, 1);

  TdxBarItemOptions* options = links.ItemOptions();
  EXPECT_FALSE(options->ShowDescriptions());
  EXPECT_TRUE(options->ShowShortCuts());
  EXPECT_EQ(options->Size(), misNormal);
  options->SetSize(misLarge);
  EXPECT_EQ(options->AssignedValues(), TdxBarItemOptionValues{ioSize});
  int value = -1;
  links.ResolveOption(ioSize, &links, value);
  EXPECT_EQ(value, misLarge);
  links.ResolveOption(ioShowShortCuts, &links, value);
  EXPECT_EQ(value, 1);
}

}  // namespace
