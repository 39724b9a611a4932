#pragma once
// The cell background colours of the consoles' wall grids: a swatch paints the active console's
// selected cells with its colour, stored in cfg.ini [stringgrid], or restores white.
// Created once at start and kept until the program ends, like every window; closing hides it.
#include "platform/classes/Forms.h"
#include "platform/classes/StdCtrls.h"

class TForm20 : public TForm {
  VW_CLASS(TForm20, TForm)
 public:
  explicit TForm20(TComponent* AOwner);
  ~TForm20() override;

  // The swatches, each painted in its colour; lbl9 restores white.
  TLabel* lbl1 = nullptr;
  TLabel* lbl2 = nullptr;
  TLabel* lbl3 = nullptr;
  TLabel* lbl4 = nullptr;
  TLabel* lbl5 = nullptr;
  TLabel* lbl6 = nullptr;
  TLabel* lbl7 = nullptr;
  TLabel* lbl8 = nullptr;
  TLabel* lbl9 = nullptr;

  void FormShow(TObject* Sender);
  void lbl1Click(TObject* Sender);
  void lbl2Click(TObject* Sender);
  void lbl3Click(TObject* Sender);
  void lbl4Click(TObject* Sender);
  void lbl5Click(TObject* Sender);
  void lbl6Click(TObject* Sender);
  void lbl7Click(TObject* Sender);
  void lbl8Click(TObject* Sender);
  void lbl9Click(TObject* Sender);

 protected:
  void Loaded() override;

 private:
  // Stores the swatch's colour for every cell of the active console's selection, rows outer, and
  // repaints the three consoles' grids.
  static void PaintSelection(TLabel* Swatch);
};

extern TForm20* Form20;
