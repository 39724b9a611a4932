#include "console/SceneRename.h"

#include <type_traits>

#include "console/Config.h"
#include "console/GridConsole.h"
#include "platform/classes/Consts.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormShow", &TForm9::FormShow);
  RegisterHandler("Button1Click", &TForm9::Button1Click);
  RegisterHandler("Button2Click", &TForm9::Button2Click);
}

TForm9::~TForm9() {
  if (Form9 == this) Form9 = nullptr;
}

void TForm9::Loaded() {
  TForm::Loaded();
  auto find = [this](auto*& field, const char* name) {
    field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
  };
  find(Label1, "Label1");
  find(Edit1, "Edit1");
  find(Button1, "Button1");
  find(Button2, "Button2");
}

void TForm9::Open(TcxComboBox* SceneList, TCustomIniFile* Store, const String& Caption) {
  FSceneList = SceneList;
  FStore = Store;
  SetCaption(Caption);
  Edit1->SetText(SceneList->Text());
  Show();
}

void TForm9::FormShow(TObject*) {
  Edit1->SetFocus();
  if (Form1 && Form1->Language == 1) {
    Label1->SetCaption("Input New Name");
    Button1->SetCaption("Change");
    Button2->SetCaption("Cancel");
  }
}

void TForm9::Button1Click(TObject*) {
  if (!FSceneList || !FStore) return;
  TStrings* names = FSceneList->Properties()->Items();
  // The scene the list shows is the first name equal to its text, as the scene buttons take it.
  const int index = names->IndexOf(FSceneList->Text());
  if (index < 0) throw EListError(Format(SListIndexError, {index}));
  const String name = Edit1->Text();
  names->SetStrings(index, name);
  FSceneList->SetItemIndex(index);
  for (int n = 1; n <= cfg::scene::kSceneCount; ++n)
    WriteConfig(*FStore, cfg::scene::Scene(n), names->Strings(n - 1));
  Close();
}

void TForm9::Button2Click(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm9>();
  return true;
}();

}  // namespace
