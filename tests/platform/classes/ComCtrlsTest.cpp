#include "platform/classes/ComCtrls.h"

#include "platform/classes/ActnList.h"
#include "platform/classes/FormDescription.h"
#include "platform/classes/Streams.h"
#include "platform/win/Focus.h"
#include "platform/win/Keys.h"
#include "tests/platform/classes/FormFixture.h"
#include "tests/support/Artifacts.h"

namespace {

using formtest::FormTest;
using namespace win;

const char* kDialogForm = R"(object CommonForm: TCommonForm
  Left = 40
  Top = 40
  Caption = 'Customize'
  ClientHeight = 300
  ClientWidth = 400
  object ToolBar1: TToolBar
    Left = 0
    Top = 0
    Width = 400
    Height = 29
    ButtonWidth = 60
    ShowCaptions = True
    object tbAdd: TToolButton
      Left = 0
      Top = 0
      Action = aAdd
    end
    object tbSep: TToolButton
      Left = 60
      Top = 0
      Style = tbsSeparator
    end
    object tbLarge: TToolButton
      Left = 68
      Top = 0
      Action = aLarge
      Style = tbsCheck
    end
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 40
    Width = 380
    Height = 250
    ActivePage = tsCommands
    TabOrder = 1
    object tsToolbars: TTabSheet
      Caption = ' Toolbars '
      object Edit1: TEdit
        Left = 8
        Top = 8
        Width = 100
        Height = 21
        TabOrder = 0
      end
    end
    object tsCommands: TTabSheet
      Caption = ' &Commands '
      object tvKeys: TTreeView
        Left = 8
        Top = 8
        Width = 200
        Height = 150
        Items.Nodes = (
          0
          'File'
          1
          'Open'
          1
          'Save'
          2
          'Save As'
          0
          'Edit'
          1
          'Copy')
        TabOrder = 0
        OnChange = tvKeysChange
      end
    end
    object tsOptions: TTabSheet
      Caption = ' Options '
    end
  end
  object ActionList1: TActionList
    object aAdd: TAction
      Caption = '&Add'
      OnExecute = aAddExecute
    end
    object aLarge: TAction
      Caption = 'Large'
      OnExecute = aLargeExecute
    end
  end
end
)";

class TCommonForm : public TForm {
  VW_CLASS(TCommonForm, TForm)
 public:
  explicit TCommonForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterHandler("aAddExecute", &TCommonForm::aAddExecute);
    RegisterHandler("aLargeExecute", &TCommonForm::aLargeExecute);
    RegisterHandler("tvKeysChange", &TCommonForm::tvKeysChange);
  }
  template <class T>
  T* Get(const char* name) {
    return dynamic_cast<T*>(FindComponent(name));
  }
  int adds = 0, larges = 0;
  std::vector<String> changes;

 private:
  void aAddExecute(TObject*) { ++adds; }
  void aLargeExecute(TObject* Sender) {
    ++larges;
    auto* a = static_cast<TAction*>(Sender);
    a->SetChecked(!a->Checked());
  }
  void tvKeysChange(TObject*, TTreeNode* Node) { changes.push_back(Node ? Node->Text() : "-"); }
};

class ComCtrlsTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    RegisterClassesOf<TCommonForm, TActionList, TAction, TEdit>();
    formtest::RegisterFormText("TCommonForm", kDialogForm);
    Application->CreateForm(form);
    form->Show();
    Pump();
  }
  POINT Centre(TControl* c) { return At(c, c->Width() / 2, c->Height() / 2); }
  POINT TabCentre(TPageControl* pages, int tab) {
    RECT r = pages->TabRect(tab);
    return At(pages, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  POINT NodeCentre(TTreeView* tree, TTreeNode* node) {
    RECT r = tree->NodeRect(node, true);
    return At(tree, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  TCommonForm* form = nullptr;
};

TEST_F(ComCtrlsTest, PagesComeFromTheDescriptionAndTurnByMouseAndKeyboard) {
  auto* pages = form->Get<TPageControl>("PageControl1");
  auto* toolbars = form->Get<TTabSheet>("tsToolbars");
  auto* commands = form->Get<TTabSheet>("tsCommands");
  auto* options = form->Get<TTabSheet>("tsOptions");
  ASSERT_EQ(pages->PageCount(), 3);
  EXPECT_EQ(pages->Pages(2), options);
  EXPECT_EQ(pages->ActivePage(), commands);
  EXPECT_TRUE(commands->Visible());
  EXPECT_FALSE(toolbars->Visible());
  // The sheets fill the area under the tabs.
  RECT display = pages->DisplayRect();
  EXPECT_EQ(commands->Left(), display.left);
  EXPECT_EQ(commands->Top(), display.top);
  EXPECT_EQ(commands->Width(), display.right - display.left);
  EXPECT_GT(display.top, pages->TabHeight());
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("comctrls-dialog.png")));

  int changes = 0;
  bool allow = true;
  pages->OnChange = [&](TObject*) { ++changes; };
  pages->OnChanging = [&](TObject*, bool& a) { a = allow; };

  ClickAt(TabCentre(pages, 0));
  EXPECT_EQ(pages->ActivePage(), toolbars);
  EXPECT_TRUE(pages->Focused());
  EXPECT_EQ(changes, 1);

  Key(VK_RIGHT);
  EXPECT_EQ(pages->ActivePage(), commands);
  Key(VK_LEFT);
  Key(VK_LEFT);  // round to the last page
  EXPECT_EQ(pages->ActivePage(), options);

  // Ctrl+Tab from a control on a page; the focus leaves the page that goes away.
  ClickAt(TabCentre(pages, 0));
  form->Get<TEdit>("Edit1")->SetFocus();
  Pump();
  Chord(VK_CONTROL, VK_TAB);
  EXPECT_EQ(pages->ActivePage(), commands);
  EXPECT_TRUE(pages->Focused());

  // Alt and a tab's accelerator; OnChanging may refuse.
  pages->SetActivePage(options);
  Chord(VK_MENU, 'C');
  EXPECT_EQ(pages->ActivePage(), commands);
  allow = false;
  ClickAt(TabCentre(pages, 2));
  EXPECT_EQ(pages->ActivePage(), commands);

  // A hidden tab is passed over; freeing the active page shows the next one.
  allow = true;
  toolbars->SetTabVisible(false);
  EXPECT_EQ(toolbars->TabIndex(), -1);
  EXPECT_EQ(commands->TabIndex(), 0);
  pages->SelectNextPage(true);
  pages->SelectNextPage(true);
  EXPECT_EQ(pages->ActivePage(), commands);
  delete commands;
  EXPECT_EQ(pages->ActivePage(), options);
  EXPECT_EQ(pages->PageCount(), 2);
}

TEST_F(ComCtrlsTest, TreeNodesComeFromTheDescriptionAndFollowMouseAndKeys) {
  auto* tree = form->Get<TTreeView>("tvKeys");
  TTreeNodes* items = tree->Items();
  ASSERT_EQ(items->Count(), 6);
  TTreeNode* file = items->Item(0);
  TTreeNode* save = items->Item(2);
  EXPECT_EQ(file->Count(), 2);
  EXPECT_EQ(save->Item(0)->Text(), "Save As");
  EXPECT_EQ(save->Item(0)->Level(), 2);
  EXPECT_EQ(items->Item(4)->Text(), "Edit");
  EXPECT_EQ(items->Item(4)->Parent(), nullptr);
  EXPECT_FALSE(file->Expanded());

  // The button column opens a node; a click on the text selects.
  RECT row = tree->NodeRect(file, false);
  ClickAt(At(tree, tree->Indent() / 2 + 2, (row.top + row.bottom) / 2));
  EXPECT_TRUE(file->Expanded());
  EXPECT_EQ(tree->Selected(), nullptr);
  ClickAt(NodeCentre(tree, file->Item(0)));
  EXPECT_EQ(tree->Selected(), file->Item(0));
  EXPECT_TRUE(tree->Focused());

  Key(VK_DOWN);
  EXPECT_EQ(tree->Selected(), save);
  Key(VK_RIGHT);
  EXPECT_TRUE(save->Expanded());
  Key(VK_RIGHT);
  EXPECT_EQ(tree->Selected()->Text(), "Save As");
  Key(VK_LEFT);
  EXPECT_EQ(tree->Selected(), save);
  Key(VK_LEFT);
  EXPECT_FALSE(save->Expanded());
  Key(VK_END);
  EXPECT_EQ(tree->Selected()->Text(), "Edit");
  Headless().InjectText("o");
  Pump();
  EXPECT_EQ(tree->Selected()->Text(), "Open");
  EXPECT_TRUE(Headless().SaveScreenshot(testsupport::ArtifactPath("comctrls-tree.png")));

  // Collapsing the parent of the selection selects the parent; deleting it leaves nothing selected.
  Key(VK_LEFT);
  EXPECT_EQ(tree->Selected(), file);
  Key(VK_LEFT);
  EXPECT_FALSE(file->Expanded());
  file->Delete();
  EXPECT_EQ(tree->Selected(), nullptr);
  EXPECT_EQ(items->Count(), 2);
  EXPECT_EQ((form->changes), (std::vector<String>{"Open", "Save", "Save As", "Save", "Edit", "Open", "File", "-"}));
}

TEST_F(ComCtrlsTest, TreeNodesGoBackIntoAFormDescription) {
  auto* tree = form->Get<TTreeView>("tvKeys");
  tree->Items()->Item(0)->SetText("Datei");
  tree->OnChange = nullptr;
  TMemoryStream binary;
  binary.WriteComponent(tree);
  binary.SetPosition(0);
  TStringStream text;
  ObjectBinaryToText(&binary, &text);
  EXPECT_NE(text.DataString().find("Items.Nodes = (\r\n    0\r\n    'Datei'"), String::npos)
      << text.DataString();
  std::unique_ptr<TComponent> copy(FormTextToComponent(text.DataString(), nullptr));
  auto* nodes = static_cast<TTreeView*>(copy.get())->Items();
  ASSERT_EQ(nodes->Count(), 6);
  EXPECT_EQ(nodes->Item(0)->Text(), "Datei");
  EXPECT_EQ(nodes->Item(3)->Parent(), nodes->Item(2));
  EXPECT_EQ(nodes->Item(4)->Parent(), nullptr);
}

TEST_F(ComCtrlsTest, ToolButtonsRunTheirActionsAndFollowThem) {
  auto* bar = form->Get<TToolBar>("ToolBar1");
  auto* add = form->Get<TToolButton>("tbAdd");
  auto* large = form->Get<TToolButton>("tbLarge");
  ASSERT_EQ(bar->ButtonCount(), 3);
  EXPECT_EQ(add->Caption(), "&Add");
  EXPECT_EQ(bar->Buttons(1)->Width(), TToolBar::SeparatorWidth);
  EXPECT_EQ(large->Left(), add->Width() + TToolBar::SeparatorWidth);

  ClickAt(Centre(add));
  EXPECT_EQ(form->adds, 1);
  // Released off the button: no click.
  Headless().InjectMouseMove(Centre(add).x, Centre(add).y);
  Pump();
  Headless().InjectMouseButton(1, true);
  Pump();
  Headless().InjectMouseMove(Centre(add).x, Centre(add).y + 100);
  Pump();
  Headless().InjectMouseButton(1, false);
  Pump();
  EXPECT_EQ(form->adds, 1);

  // A check button goes down and its action's Checked follows (and leads).
  ClickAt(Centre(large));
  EXPECT_EQ(form->larges, 1);
  EXPECT_TRUE(large->Down());
  auto* aLarge = form->Get<TAction>("aLarge");
  EXPECT_TRUE(aLarge->Checked());
  aLarge->SetChecked(false);
  EXPECT_FALSE(large->Down());

  // The accelerator of a shown caption clicks; a disabled action's button does not.
  Chord(VK_MENU, 'A');
  EXPECT_EQ(form->adds, 2);
  form->Get<TAction>("aAdd")->SetEnabled(false);
  EXPECT_FALSE(add->Enabled());
  ClickAt(Centre(add));
  Chord(VK_MENU, 'A');
  EXPECT_EQ(form->adds, 2);
}

}  // namespace
