#include "ui/bars/BarEditorForms.h"

#include <memory>
#include <type_traits>

#include "platform/classes/SysUtils.h"
#include "platform/win/Focus.h"
#include "platform/win/MessageBox.h"
#include "ui/bars/BarManager.h"
#include "ui/bars/BarEditorFormHelpers.h"
#include "ui/bars/BarRoutines.h"
#include "ui/bars/BarStrings.h"
#include "ui/bars/Bars.h"
#include "ui/controls/LibraryStrings.h"

using namespace win;
using namespace dxBarStrs;

using namespace dxBarEditorForms;

// ---- the name dialog -----------------------------------------------------------------------------

TdxBarNameEd::TdxBarNameEd(TComponent* AOwner) : TForm(AOwner) {
  RegisterHandler("FormCloseQuery", &TdxBarNameEd::FormCloseQuery);
  RegisterHandler("ENameChange", &TdxBarNameEd::ENameChange);
}

void TdxBarNameEd::Loaded() {
  TForm::Loaded();
  FindChild(this, LName, "LName");
  FindChild(this, EName, "EName");
  FindChild(this, BOK, "BOK");
  FindChild(this, BCancel, "BCancel");
}

void TdxBarNameEd::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // Opened from the customization dialog or from a toolbar's menu: it stays over that window.
  if (HWND active = GetActiveWindow()) Params.WndParent = active;
}

void TdxBarNameEd::Setup(int AKind, TdxBar* ABar, TdxBarManager* AManager) {
  FKind = AKind;
  FBar = ABar;
  FManager = AManager;
  if (FManager) {
    Font()->SetName(FManager->Font()->Name());
    Font()->SetCharset(FManager->Font()->Charset());
  }
  LName->SetCaption(cxGetResourceString(AKind == nkToolbar ? dxSBAR_TOOLBARNAME : dxSBAR_CATEGORYNAME));
  BOK->SetCaption(cxGetResourceString(dxSBAR_OK));
  BCancel->SetCaption(cxGetResourceString(dxSBAR_CANCEL));
}

void TdxBarNameEd::ENameChange(TObject*) { BOK->SetEnabled(!EName->Text().empty()); }

void TdxBarNameEd::FormCloseQuery(TObject*, bool& CanClose) {
  if (ModalResult() != mrOk || FKind != nkToolbar || !FManager) return;
  const String name = EName->Text();
  // Every toolbar is compared, so a second bar of the same caption is found behind the edited one.
  TdxBars* bars = FManager->Bars();
  for (int i = 0; i < bars->Count(); ++i)
    if (bars->Items(i) != FBar && bars->Items(i)->Caption() == name) {
      CanClose = false;
      BarMessageBox(Format(cxGetResourceString(dxSBAR_TOOLBAREXISTS), name), MB_OK | MB_ICONERROR);
      return;
    }
}

bool ShowNameDialog(String& AName, int AKind, int AMode, TdxBar* ABar, TdxBarManager* AManager) {
  auto dialog = MakeDialog<TdxBarNameEd>();
  static const TResStringRec* const kToolbarCaptions[] = {&dxSBAR_TOOLBARADD, &dxSBAR_TOOLBARRENAME};
  static const TResStringRec* const kCategoryCaptions[] = {&dxSBAR_CATEGORYADD, &dxSBAR_CATEGORYINSERT,
                                                           &dxSBAR_CATEGORYRENAME};
  const TResStringRec* caption = AKind == nkToolbar ? kToolbarCaptions[AMode == 1 ? 1 : 0]
                                                    : kCategoryCaptions[AMode >= 0 && AMode <= 2 ? AMode : 0];
  dialog->SetCaption(cxGetResourceString(*caption));
  dialog->Setup(AKind, ABar, AManager);
  dialog->EName->SetText(AName);
  dialog->ENameChange(dialog->EName);
  if (dialog->ShowModal() != mrOk) return false;
  AName = dialog->EName->Text();
  return true;
}

namespace {

const bool kRegistered = [] {
  RegisterClassesOf<TdxBarNameEd>();
  return true;
}();

}  // namespace
