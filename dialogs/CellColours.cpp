#include "dialogs/CellColours.h"

#include "app/BootWindow.h"
#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/classes/Grids.h"
#include "variants/HybridConsole.h"
#include "variants/SplicingConsole.h"

TForm20* Form20 = nullptr;

TForm20::TForm20(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm20::FormShow);
  RegisterHandler("lbl1Click", &TForm20::lbl1Click);
  RegisterHandler("lbl2Click", &TForm20::lbl2Click);
  RegisterHandler("lbl3Click", &TForm20::lbl3Click);
  RegisterHandler("lbl4Click", &TForm20::lbl4Click);
  RegisterHandler("lbl5Click", &TForm20::lbl5Click);
  RegisterHandler("lbl6Click", &TForm20::lbl6Click);
  RegisterHandler("lbl7Click", &TForm20::lbl7Click);
  RegisterHandler("lbl8Click", &TForm20::lbl8Click);
  RegisterHandler("lbl9Click", &TForm20::lbl9Click);
}

TForm20::~TForm20() {
  if (Form20 == this) Form20 = nullptr;
}

void TForm20::Loaded() {
  TForm::Loaded();
  FindComponent(lbl1, "lbl1");
  FindComponent(lbl2, "lbl2");
  FindComponent(lbl3, "lbl3");
  FindComponent(lbl4, "lbl4");
  FindComponent(lbl5, "lbl5");
  FindComponent(lbl6, "lbl6");
  FindComponent(lbl7, "lbl7");
  FindComponent(lbl8, "lbl8");
  FindComponent(lbl9, "lbl9");
}

// The title is spelled as the program has always shown it.
void TForm20::FormShow(TObject*) {
  if (Form33->LanguageHybrid != 1) return;
  SetCaption("Backgroud Color Setting");
  lbl9->SetCaption("Restore");
}

void TForm20::PaintSelection(TLabel* Swatch) {
  std::unique_ptr<TIniFile> config = OpenConfigFile();
  TStringGrid* grid = Form18->ConsoleKind == ckGrid        ? Form1->stringgrid1
                      : Form18->ConsoleKind == ckSplicing ? Form23->stringgrid1
                                                          : Form33->stringgrid1;
  const TGridRect s = grid->Selection();
  const String colour = ColorToString(Swatch->Color());
  {
    // One rewrite of the file for the whole selection.
    TConfigWriteBatch batch;
    for (int r = s.Top; r <= s.Bottom; ++r)
      for (int c = s.Left; c <= s.Right; ++c) WriteConfig(*config, cfg::stringgrid::Cell(r, c), colour);
  }
  for (TStringGrid* each : {Form1->stringgrid1, Form23->stringgrid1, Form33->stringgrid1}) each->Invalidate();
}

void TForm20::lbl1Click(TObject*) { PaintSelection(lbl1); }
void TForm20::lbl2Click(TObject*) { PaintSelection(lbl2); }
void TForm20::lbl3Click(TObject*) { PaintSelection(lbl3); }
void TForm20::lbl4Click(TObject*) { PaintSelection(lbl4); }
void TForm20::lbl5Click(TObject*) { PaintSelection(lbl5); }
void TForm20::lbl6Click(TObject*) { PaintSelection(lbl6); }
void TForm20::lbl7Click(TObject*) { PaintSelection(lbl7); }
void TForm20::lbl8Click(TObject*) { PaintSelection(lbl8); }
void TForm20::lbl9Click(TObject*) { PaintSelection(lbl9); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm20>();
  return true;
}();

}  // namespace
