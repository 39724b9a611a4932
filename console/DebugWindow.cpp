#include "console/DebugWindow.h"

#include "console/CommSettings.h"
#include "console/GridConsole.h"
#include "console/HexEntry.h"
#include "platform/classes/Dialogs.h"

TForm6* Form6 = nullptr;

namespace {

// What one send can carry. A longer entry is refused whole: cutting it would send a command the
// operator did not type.
constexpr std::size_t kMaxDebugBytes = 51;

}  // namespace

TForm6::TForm6(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("Button1Click", &TForm6::Button1Click);
  RegisterHandler("Button2Click", &TForm6::Button2Click);
}

TForm6::~TForm6() {
  if (Form6 == this) Form6 = nullptr;
}

void TForm6::Loaded() {
  TForm::Loaded();
  FindComponent(Label1, "Label1");
  FindComponent(Label2, "Label2");
  FindComponent(Edit1, "Edit1");
  FindComponent(Edit2, "Edit2");
  FindComponent(Edit3, "Edit3");
  FindComponent(Label3, "Label3");
  FindComponent(Memo1, "Memo1");
  FindComponent(Button1, "Button1");
  FindComponent(Button2, "Button2");
}

void TForm6::Button1Click(TObject*) {
  const String entry = Edit1->Text();
  Edit2->SetText(entry);
  const String digits = HexDigitsOf(entry);
  Edit3->SetText(digits);
  if (digits.size() > 2 * kMaxDebugBytes) {
    ShowMessage(Form1->Language == 1 ? "At most 51 bytes can be sent at once!" : "一次最多只能发送51个字节！");
    return;
  }
  const std::vector<std::uint8_t> bytes = BytesOfHexDigits(digits);
  // Sent as typed, in one block: the bytes need not be a screen frame, so no pause and no log.
  SendBlockOnScreenLink(Form1->Links(), Form2->LinkSettings(), bytes.data(),
                        static_cast<std::uint16_t>(bytes.size()));
}

void TForm6::Button2Click(TObject*) { Close(); }

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TForm6>();
  return true;
}();

}  // namespace
