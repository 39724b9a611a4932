#include "dialogs/OpenSubtitles.h"

#include "dialogs/SubtitleSettings.h"
#include "dialogs/SubtitleWindow.h"
#include "platform/classes/Bitmap.h"
#include "platform/classes/SysUtils.h"

TForm31* Form31 = nullptr;

using namespace win;

namespace {

// The buttons' pictures: a bar for hiding, an arrow for showing, on a key colour the button
// leaves out.
void DrawGlyph(TcxButton* Button, bool Show) {
  auto* bitmap = new TBitmap;
  bitmap->SetSize(16, 16);
  TCanvas* c = bitmap->Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(TRect{0, 0, 16, 16});
  c->Pen()->SetColor(Show ? clGreen : clMaroon);
  c->Brush()->SetColor(Show ? clLime : clRed);
  if (Show) {
    const POINT arrow[] = {{4, 2}, {13, 8}, {4, 14}};
    c->Polygon(arrow, 3);
  } else {
    c->Rectangle(2, 6, 14, 11);
  }
  bitmap->SetTransparentColor(clFuchsia);
  Button->SetGlyph(bitmap);
  delete bitmap;
}

}  // namespace

TForm31::TForm31(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCreate", &TForm31::FormCreate);
  RegisterHandler("FormShow", &TForm31::FormShow);
  RegisterHandler("BitbtnClick", &TForm31::BitbtnClick);
  RegisterHandler("Bitbtn162Click", &TForm31::Bitbtn162Click);
  RegisterHandler("Bitbtn164Click", &TForm31::Bitbtn164Click);
  RegisterHandler("Bitbtn161Click", &TForm31::Bitbtn161Click);
  RegisterHandler("Bitbtn163Click", &TForm31::Bitbtn163Click);
  RegisterHandler("Bitbtn165Click", &TForm31::Bitbtn165Click);
  RegisterHandler("Bitbtn166Click", &TForm31::Bitbtn166Click);
}

TForm31::~TForm31() {
  if (Form31 == this) Form31 = nullptr;
}

void TForm31::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const String& name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
#define VW_FIND(Name) find(Name, #Name)
  VW_FIND(lbl1);
  VW_FIND(lbl2);
  VW_FIND(lbl3);
  VW_FIND(lbl4);
  VW_FIND(lbl5);
  VW_FIND(lbl6);
  VW_FIND(Bitbtn);
  VW_FIND(Bitbtn161);
  VW_FIND(Bitbtn162);
  VW_FIND(Bitbtn163);
  VW_FIND(Bitbtn164);
  VW_FIND(Bitbtn165);
  VW_FIND(Bitbtn166);
#undef VW_FIND
}

TForm31::Row TForm31::RowOf(int Number) const {
  switch (Number) {
    case 1: return {lbl1, lbl4, Bitbtn, Bitbtn161};
    case 2: return {lbl2, lbl5, Bitbtn162, Bitbtn163};
    default: return {lbl3, lbl6, Bitbtn164, Bitbtn165};
  }
}

void TForm31::FormCreate(TObject*) {
  for (int k = 1; k <= kRows; ++k) {
    DrawGlyph(RowOf(k).Hide, false);
    DrawGlyph(RowOf(k).Show, true);
  }
}

void TForm31::FormShow(TObject*) {
  for (int k = 1; k <= kRows; ++k) {
    const Row row = RowOf(k);
    for (TControl* c : {static_cast<TControl*>(row.Name), static_cast<TControl*>(row.Text),
                        static_cast<TControl*>(row.Hide), static_cast<TControl*>(row.Show)})
      c->SetVisible(false);
  }
  // The first row's hide button keeps what it had; its row shows only with its window anyway.
  for (TcxButton* b : {Bitbtn161, Bitbtn162, Bitbtn163, Bitbtn164, Bitbtn165}) b->SetEnabled(false);
  for (int k = 1; k <= kRows; ++k) {
    TSubtitleWindow* window = SubtitleWindow(k);
    if (!window || !window->OnScreen()) continue;
    const Row row = RowOf(k);
    row.Name->SetVisible(true);
    row.Text->SetVisible(true);
    row.Hide->SetVisible(true);
    row.Show->SetVisible(true);
    row.Hide->SetEnabled(true);
    row.Text->SetCaption(window->rzmrqstsText->Caption());
    row.Text->SetTag(k);
  }
}

void TForm31::HideRow(int Number) {
  const Row row = RowOf(Number);
  row.Hide->SetEnabled(false);
  row.Show->SetEnabled(true);
  // Only this program's windows are searched; one that is gone is left alone.
  const String caption = "subtitle" + IntToStr(Number);
  if (HWND window = FindWindow(nullptr, caption.c_str())) ShowWindow(window, SW_HIDE);
}

void TForm31::ShowRow(int Number) {
  const Row row = RowOf(Number);
  row.Hide->SetEnabled(true);
  row.Show->SetEnabled(false);
  const String caption = "subtitle" + IntToStr(Number);
  if (HWND window = FindWindow(nullptr, caption.c_str())) ShowWindow(window, SW_SHOWNORMAL);
}

void TForm31::BitbtnClick(TObject*) { HideRow(1); }
void TForm31::Bitbtn162Click(TObject*) { HideRow(2); }
void TForm31::Bitbtn164Click(TObject*) { HideRow(3); }
void TForm31::Bitbtn161Click(TObject*) { ShowRow(1); }
void TForm31::Bitbtn163Click(TObject*) { ShowRow(2); }
void TForm31::Bitbtn165Click(TObject*) { ShowRow(3); }
void TForm31::Bitbtn166Click(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm31>();
  return true;
}();

}  // namespace
