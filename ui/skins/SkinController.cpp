#include "ui/skins/SkinController.h"

#include <algorithm>
#include <memory>

#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/skins/SkinWinController.h"

namespace {

std::unique_ptr<std::vector<TdxSkinController*>> gSkinControllers;

bool IsBeingDestroyed(TComponent* C) { return C->ComponentState().Contains(csDestroying); }

const TdxSkinLookAndFeelPainter* SkinPainterNamed(const String& Name) {
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  if (!registry || !registry->FindPainter(Name, painter)) return nullptr;
  return dynamic_cast<const TdxSkinLookAndFeelPainter*>(painter);
}

}  // namespace

std::vector<TdxSkinController*>* SkinControllerList() { return gSkinControllers.get(); }
void CreateSkinControllerList() {
  if (!gSkinControllers) gSkinControllers = std::make_unique<std::vector<TdxSkinController*>>();
}
void FreeSkinControllerList() { gSkinControllers.reset(); }

// ---- the component ------------------------------------------------------------------------------

TdxSkinController::TdxSkinController(TComponent* AOwner) : TcxLookAndFeelController(AOwner) {
  if (gSkinControllers) gSkinControllers->push_back(this);
  RefreshSkinnedWindows();
}

TdxSkinController::~TdxSkinController() {
  RefreshSkinnedWindows();
  if (gSkinControllers) std::erase(*gSkinControllers, this);
}

void TdxSkinController::DeclareProperties(TPropTable& t) {
  TcxLookAndFeelController::DeclareProperties(t);
  t.Add("UseSkins", &TdxSkinController::UseSkins, &TdxSkinController::SetUseSkins).SetDefault(true);
  t.Add("OnPopupSysMenu", &TdxSkinController::OnPopupSysMenu);
  t.Add("OnSkinControl", &TdxSkinController::OnSkinControl);
  t.Add("OnSkinForm", &TdxSkinController::OnSkinForm);
}

bool TdxSkinController::UseSkins() const { return ::UseSkins(); }

void TdxSkinController::SetUseSkins(bool Value) {
  if (Value == ::UseSkins()) return;
  ::SetUseSkins(Value);
  if (TcxLookAndFeel* root = RootLookAndFeel()) root->NotifyAllChanged();
  RefreshSkinnedWindows();
}

void TdxSkinController::Loaded() {
  TcxLookAndFeelController::Loaded();
  RefreshSkinnedWindows();
}

void TdxSkinController::RootValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) {
  TcxLookAndFeelController::RootValuesChanged(Sender, ChangedValues);
  RefreshSkinnedWindows();
}

void TdxSkinController::RootDestroying(TcxLookAndFeel* Sender) {
  TcxLookAndFeelController::RootDestroying(Sender);
  RefreshSkinnedWindows();
}

void TdxSkinController::ResetRootValues() {
  TcxLookAndFeelController::ResetRootValues();
  SetUseSkins(true);
}

void TdxSkinController::DoPopupSysMenu(TCustomForm* AForm, win::HMENU ASysMenu) {
  if (AForm && OnPopupSysMenu) OnPopupSysMenu(this, AForm, ASysMenu);
}

bool TdxSkinController::DoSkinControl(TWinControl* AControl) {
  if (!AControl) return false;
  bool useSkin = true;
  if (OnSkinControl) OnSkinControl(this, AControl, useSkin);
  return useSkin;
}

const TdxSkinLookAndFeelPainter* TdxSkinController::FormSkinPainter(TCustomForm* AForm) {
  if (!TdxSkinFormHelper::IsSkinnableForm(AForm)) return nullptr;
  String name = SkinName();
  bool useSkin = UseSkins() && !NativeStyle();
  return DoSkinForm(AForm, name, useSkin);
}

const TdxSkinLookAndFeelPainter* TdxSkinController::DoSkinForm(TCustomForm* AForm, String& ASkinName, bool& UseSkin) {
  if (!AForm) return nullptr;
  if (OnSkinForm) OnSkinForm(this, AForm, ASkinName, UseSkin);
  if (!UseSkin || ASkinName.empty()) return nullptr;
  return SkinPainterNamed(ASkinName);
}

// ---- module operations --------------------------------------------------------------------------

void RefreshSkinnedWindows() {
  if (!Application || IsBeingDestroyed(Application)) return;
  TdxSkinFormControllers* registry = SkinFormControllerRegistry();
  if (!registry) return;
  // Every painter settles before any window repaints.
  for (int i = 0; i < registry->Count(); ++i) registry->Items(i)->ResetSkinPainter();
  for (int i = 0; i < registry->Count(); ++i) registry->Items(i)->Update();
}

bool IsControlSkinned(TWinControl* AControl) {
  if (!AControl) return false;
  bool result = UseSkins();
  if (!gSkinControllers || gSkinControllers->empty()) return result;
  result = false;
  for (auto it = gSkinControllers->rbegin(); it != gSkinControllers->rend(); ++it) {
    if (IsBeingDestroyed(*it)) continue;
    if ((*it)->DoSkinControl(AControl)) return true;
  }
  return result;
}

const TdxSkinLookAndFeelPainter* InitialFormSkinPainter(TdxSkinWinController* Controller) {
  if (!gSkinControllers) return nullptr;
  TCustomForm* form = TdxSkinFormHelper::FormOfWindow(Controller->Handle());
  const TdxSkinLookAndFeelPainter* painter = nullptr;
  for (std::size_t i = 0; i < gSkinControllers->size() && !painter; ++i) {
    TdxSkinController* c = (*gSkinControllers)[i];
    if (i == 0) {
      painter = c->FormSkinPainter(form);
    } else {
      String name;
      bool found = Controller->SkinName(name);
      painter = c->DoSkinForm(form, name, found);
    }
  }
  return painter;
}

const TdxSkinLookAndFeelPainter* RefreshedFormSkinPainter(TdxSkinWinController* Controller) {
  if (!gSkinControllers) return nullptr;
  TCustomForm* form = TdxSkinFormHelper::FormOfWindow(Controller->Handle());
  if (!TdxSkinFormHelper::IsSkinnableForm(form)) return nullptr;
  const TdxSkinLookAndFeelPainter* painter = nullptr;
  for (auto it = gSkinControllers->rbegin(); it != gSkinControllers->rend(); ++it) {
    if (IsBeingDestroyed(*it)) continue;
    if (!painter) {
      painter = (*it)->FormSkinPainter(form);
    } else {
      String name;
      bool found = false;
      TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
      if (registry) found = registry->NameOfPainter(painter, name);
      painter = (*it)->DoSkinForm(form, name, found);
    }
  }
  return painter;
}

namespace {
const bool kRegistered = [] {
  RegisterClassesOf<TdxSkinController>();
  return true;
}();
}  // namespace
