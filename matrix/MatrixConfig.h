#pragma once
// The matrix configuration dialog: matrix makes per signal type, ids, pauses, send order, input
// counts and the wiring grids. It is also where these settings live while the program runs: the
// consoles' loading puts "cfg.ini" into its controls, and every matrix routine reads them there.
// Created once at start and kept until the program ends, like every window.
#include <array>

#include "platform/classes/ExtCtrls.h"
#include "platform/classes/Forms.h"
#include "platform/classes/Grids.h"
#include "platform/classes/IniFiles.h"
#include "ui/choice/Button.h"
#include "ui/choice/CheckBox.h"
#include "ui/choice/GroupBox.h"
#include "ui/choice/Label.h"
#include "ui/choice/RadioGroup.h"
#include "ui/editors/ComboBox.h"
#include "ui/editors/MaskEdit.h"
#include "ui/pages/PageControl.h"

class TForm3 : public TForm {
  VW_CLASS(TForm3, TForm)
 public:
  explicit TForm3(TComponent* AOwner);
  ~TForm3() override;

  TcxGroupBox* GroupBox2 = nullptr;  // the makes
  TcxLabel* Label3 = nullptr;
  TcxLabel* Label4 = nullptr;
  TcxLabel* Label5 = nullptr;
  TcxLabel* Label10 = nullptr;
  TcxLabel* Label15 = nullptr;
  TcxComboBox* ComboBox3 = nullptr;  // video (AV)
  TcxComboBox* ComboBox4 = nullptr;  // VGA, and SDI for switching
  TcxComboBox* ComboBox5 = nullptr;  // DVI
  TcxComboBox* ComboBox7 = nullptr;  // HDMI
  TcxComboBox* ComboBox8 = nullptr;  // SDI, as the model label shows it
  TcxPageControl* PageControl1 = nullptr;
  TcxTabSheet* TabSheet3 = nullptr;  // base numbers (hidden)
  TcxLabel* Label9 = nullptr;
  TcxLabel* Label12 = nullptr;
  TcxLabel* Label13 = nullptr;
  TcxMaskEdit* MaskEdit1 = nullptr;  // output base
  TcxMaskEdit* MaskEdit2 = nullptr;  // input base
  TcxTabSheet* TabSheet4 = nullptr;  // ids
  TLabeledEdit* LabeledEdit1 = nullptr;  // video id
  TLabeledEdit* LabeledEdit2 = nullptr;  // VGA id
  TLabeledEdit* LabeledEdit3 = nullptr;  // DVI id
  TLabeledEdit* LabeledEdit6 = nullptr;  // HDMI id
  TcxTabSheet* TabSheet5 = nullptr;      // pauses and order
  TLabeledEdit* LabeledEdit4 = nullptr;  // first pause, ms
  TLabeledEdit* LabeledEdit5 = nullptr;  // second pause, ms
  TcxRadioGroup* RadioGroup1 = nullptr;  // send order
  TcxTabSheet* cxtbshtInPort = nullptr;  // input counts
  TLabeledEdit* lbledtVideoIPort = nullptr;
  TLabeledEdit* lbledtVGAIPort = nullptr;
  TLabeledEdit* lbledtDVIIPort = nullptr;
  TLabeledEdit* lbledtHDMIIPort = nullptr;
  TcxGroupBox* cxGroupBox1 = nullptr;
  TcxLabel* Label11 = nullptr;
  TcxComboBox* ComboBox6 = nullptr;  // which wiring grid is shown
  TcxGroupBox* GroupBox3 = nullptr;
  TStringGrid* StringGrid1 = nullptr;  // AV wiring
  TStringGrid* StringGrid2 = nullptr;  // VGA wiring
  TStringGrid* StringGrid3 = nullptr;  // DVI wiring
  TcxCheckBox* CheckBox1 = nullptr;    // AV manual wiring
  TcxCheckBox* CheckBox2 = nullptr;    // VGA manual wiring
  TcxCheckBox* CheckBox3 = nullptr;    // DVI manual wiring
  TcxButton* BitBtn1 = nullptr;        // one-to-one wiring
  TcxGroupBox* GroupBox1 = nullptr;
  TcxLabel* Label14 = nullptr;         // the wiring note
  TcxButton* Button5 = nullptr;        // OK
  TcxButton* Button6 = nullptr;        // close

  void FormShow(TObject* Sender);
  void Button4Click(TObject* Sender);
  void Button1Click(TObject* Sender);
  void ComboBox6Change(TObject* Sender);
  void CheckBox1Click(TObject* Sender);
  void CheckBox2Click(TObject* Sender);
  void CheckBox3Click(TObject* Sender);
  void BitBtn1Click(TObject* Sender);

  // Puts "cfg.ini" [setting]'s matrix keys into the controls; every console's loading shares it.
  void LoadSettings(TCustomIniFile& Ini);
  // Puts the three manual-wiring flags into their boxes, then sizes each grid to a wall of Rows ×
  // Columns screens and fills it: from its section where its box is ticked, one to one elsewhere.
  void LoadWiring(TCustomIniFile& Ini, int Rows, int Columns);

 protected:
  void Loaded() override;

 private:
  // Everything OK stores, key by key in its order.
  void StoreSettings();
  void ApplyEnglishCaptions();
  // Gives a wiring grid the active console's wall and wires it one to one.
  void ResetToWall(TStringGrid* Grid);
};

extern TForm3* Form3;

// Gives a wiring grid one cell per screen of a Rows × Columns wall, 18 px a cell plus one cell's
// margin each way.
void SizeWiringGrid(TStringGrid* Grid, int Rows, int Columns);
// Sizes a wiring grid to a Rows × Columns wall and cables output n to the n-th screen counted row
// by row, from 1.
void WireOneToOne(TStringGrid* Grid, int Rows, int Columns);
