#include "platform/classes/ActnList.h"
#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Grids.h"
#include "platform/classes/Menus.h"
#include "platform/classes/TcpClient.h"
#include "platform/classes/Timer.h"
#include "tests/platform/classes/FormFixture.h"

namespace {

using formtest::FormTest;

const char* kConsoleForm = R"(object ConsoleForm: TConsoleForm
  Left = 10
  Top = 10
  Caption = 'Console'
  ClientHeight = 360
  ClientWidth = 500
  Color = clBtnFace
  PopupMenu = PopupMenu1
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 500
    Height = 300
    Align = alTop
    BevelOuter = bvLowered
    TabOrder = 0
    object stringgrid1: TStringGrid
      Left = 1
      Top = 1
      Width = 498
      Height = 298
      Align = alClient
      BorderStyle = bsNone
      ColCount = 4
      Color = clCream
      FixedColor = clMedGray
      Options = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect]
      RowCount = 3
      TabOrder = 0
      OnDrawCell = stringgrid1DrawCell
    end
  end
  object CheckBox2: TCheckBox
    Left = 8
    Top = 310
    Width = 120
    Height = 17
    Caption = 'Own port'
    Checked = True
    State = cbChecked
    TabOrder = 1
    OnClick = CheckBox2Click
  end
  object EditIP: TLabeledEdit
    Left = 200
    Top = 320
    Width = 120
    Height = 21
    EditLabel.Width = 12
    EditLabel.Height = 13
    EditLabel.Caption = 'IP'
    LabelPosition = lpLeft
    TabOrder = 2
    Text = '192.168.1.200'
  end
  object Timer1: TTimer
    Interval = 3000
    OnTimer = Timer1Timer
  end
  object socketClient: TTcpClient
    RemoteHost = '192.168.1.200'
    RemotePort = '8899'
  end
  object PopupMenu1: TPopupMenu
    object N1: TMenuItem
      Caption = 'Power on'
      ShortCut = 16464
    end
    object N7: TMenuItem
      Caption = 'Image adjustment'
      object N8: TMenuItem
        Caption = 'Contrast'
      end
    end
  end
end
)";

class TConsoleForm : public TForm {
  VW_CLASS(TConsoleForm, TForm)
 public:
  explicit TConsoleForm(TComponent* AOwner) : TForm(AOwner) {
    RegisterHandler("stringgrid1DrawCell", &TConsoleForm::stringgrid1DrawCell);
    RegisterHandler("CheckBox2Click", &TConsoleForm::CheckBox2Click);
    RegisterHandler("Timer1Timer", &TConsoleForm::Timer1Timer);
  }
  template <class T>
  T* Get(const char* name) {
    return dynamic_cast<T*>(FindComponent(name));
  }
  int drawn = 0, checkClicks = 0, ticks = 0;

 private:
  void stringgrid1DrawCell(TObject*, int, int, win::RECT, TGridDrawState) { ++drawn; }
  void CheckBox2Click(TObject*) { ++checkClicks; }
  void Timer1Timer(TObject*) { ++ticks; }
};

TEST_F(FormTest, StandardComponentsReadFromAFormDescription) {
  RegisterClassesOf<TConsoleForm>();
  formtest::RegisterFormText("TConsoleForm", kConsoleForm);
  TConsoleForm* form = nullptr;
  Application->CreateForm(form);
  ASSERT_NE(form, nullptr);
  auto* grid = form->Get<TStringGrid>("stringgrid1");
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->ColCount(), 4);
  EXPECT_EQ(grid->RowCount(), 3);
  EXPECT_EQ(grid->FixedColor(), clMedGray);
  EXPECT_EQ(grid->Parent(), form->Get<TWinControl>("Panel1"));
  EXPECT_EQ(grid->Selection(), (TGridRect{1, 1, 1, 1}));
  EXPECT_EQ(grid->Canvas()->Brush()->Color(), clCream);

  // The stored state arrives without a click.
  auto* check = form->Get<TCheckBox>("CheckBox2");
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(form->checkClicks, 0);

  auto* ip = form->Get<TLabeledEdit>("EditIP");
  EXPECT_EQ(ip->Text(), "192.168.1.200");
  EXPECT_EQ(ip->EditLabel()->Caption(), "IP");
  EXPECT_EQ(ip->EditLabel()->Parent(), form);
  EXPECT_EQ(ip->EditLabel()->Left() + ip->EditLabel()->Width() + ip->LabelSpacing(), 200);

  EXPECT_EQ(form->Get<TTcpClient>("socketClient")->RemotePort(), "8899");
  auto* popup = form->Get<TPopupMenu>("PopupMenu1");
  ASSERT_EQ(popup->Items()->Count(), 2);
  EXPECT_EQ(popup->Items()->Items(1)->Name(), "N7");
  EXPECT_EQ(popup->Items()->Items(1)->Count(), 1);
  EXPECT_EQ(ShortCutToText(popup->Items()->Items(0)->ShortCut()), "Ctrl+P");
  EXPECT_EQ(form->PopupMenu(), popup);

  form->Show();
  Pump();
  EXPECT_EQ(form->drawn, 12);
  EXPECT_EQ(grid->Canvas()->Brush()->Color(), clCream);
  RunFor(3000);
  EXPECT_EQ(form->ticks, 1);
}

}  // namespace
