#include "ui/foundation/LookAndFeel.h"

#include <algorithm>

#include "platform/classes/Filer.h"
#include "platform/classes/Forms.h"
#include "platform/win/Window.h"
#include "ui/foundation/OfficePainters.h"
#include "ui/foundation/Office11Colors.h"
#include "ui/foundation/StandardPainters.h"
#include "ui/foundation/WinXPPainter.h"

using namespace win;

namespace {

TcxLookAndFeel* gRootLookAndFeel = nullptr;
int gControllerCount = 0;
bool gUseSkins = true;

// ---- system palette -------------------------------------------------------------------------

// One hidden window for every notifier; it holds the Office-2003 colour table while it lives, so
// the table is there to rebuild when the colours change.
class TcxSystemPaletteChangedListener {
 public:
  TcxSystemPaletteChangedListener() {
    AcquireOffice11Colors();
    FWindow = AllocateHWnd([this](TMessage& Message) { WndProc(Message); });
  }
  ~TcxSystemPaletteChangedListener() {
    DeallocateHWnd(FWindow);
    RelinquishOffice11Colors();
  }

  void Add(TcxSystemPaletteChangedNotifier* Notifier) { ListOf(Notifier).push_back(Notifier); }
  void Remove(TcxSystemPaletteChangedNotifier* Notifier) {
    auto& list = ListOf(Notifier);
    auto it = std::find(list.begin(), list.end(), Notifier);
    if (it != list.end()) list.erase(it);
  }

 private:
  std::vector<TcxSystemPaletteChangedNotifier*>& ListOf(TcxSystemPaletteChangedNotifier* Notifier) {
    return Notifier->IsPrimary() ? FPrimaryNotifiers : FNotifiers;
  }

  // Last to first; the index is brought back inside the list before each call, since a notifier
  // may free others from its notification.
  static void NotifyAll(std::vector<TcxSystemPaletteChangedNotifier*>& List) {
    for (std::size_t i = List.size(); i > 0; --i) {
      if (List.empty()) break;
      i = std::min(i, List.size());
      List[i - 1]->NotifyPaletteChanged();
    }
  }

  void WndProc(TMessage& Message) {
    // Every message goes on to the default handling, also when a notifier raises.
    struct PassOn {
      HWND Wnd;
      TMessage& M;
      ~PassOn() { M.Result = DefWindowProc(Wnd, M.Msg, M.WParam, M.LParam); }
    } passOn{FWindow, Message};
    if (Message.Msg == WM_SYSCOLORCHANGE) {
      RebuildOffice11Colors();
      NotifyAll(FPrimaryNotifiers);
      NotifyAll(FNotifiers);
    }
  }

  HWND FWindow = nullptr;
  std::vector<TcxSystemPaletteChangedNotifier*> FNotifiers;
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimaryNotifiers;
};

TcxSystemPaletteChangedListener* gPaletteListener = nullptr;
int gPaletteListenerRefCount = 0;

}  // namespace

TcxSystemPaletteChangedNotifier::TcxSystemPaletteChangedNotifier(bool IsPrimary) : FIsPrimary(IsPrimary) {
  if (gPaletteListenerRefCount++ == 0) gPaletteListener = new TcxSystemPaletteChangedListener();
  gPaletteListener->Add(this);
}

TcxSystemPaletteChangedNotifier::~TcxSystemPaletteChangedNotifier() {
  gPaletteListener->Remove(this);
  if (--gPaletteListenerRefCount == 0) {
    delete gPaletteListener;
    gPaletteListener = nullptr;
  }
}

void TcxSystemPaletteChangedNotifier::NotifyPaletteChanged() {
  if (OnPaletteChanged) OnPaletteChanged(this);
}

// ---- globals ----------------------------------------------------------------------------------

TcxLookAndFeel* RootLookAndFeel() { return gRootLookAndFeel; }
int RootLookAndFeelControllerCount() { return gControllerCount; }
bool UseSkins() { return gUseSkins; }
void SetUseSkins(bool Value) { gUseSkins = Value; }

TcxCustomLookAndFeelPainterClass LookAndFeelPainterOfKind(TcxLookAndFeelKind Kind) {
  switch (Kind) {
    case lfFlat: return FlatLookAndFeelPainter();
    case lfStandard: return StandardLookAndFeelPainter();
    case lfOffice11: return Office11LookAndFeelPainter();
    case lfUltraFlat: break;
  }
  return UltraFlatLookAndFeelPainter();
}

TcxLookAndFeelKind LookAndFeelKindOfStyle(TcxPainterStyle Style) {
  switch (Style) {
    case psFlat: return lfFlat;
    case psUltraFlat: return lfUltraFlat;
    case psOffice11: return lfOffice11;
    default: return lfStandard;
  }
}

// ---- TcxLookAndFeel ---------------------------------------------------------------------------

TcxLookAndFeel::TcxLookAndFeel(TPersistent* AOwner) : TcxInterfacedPersistent(AOwner) {
  FCurrentState = FData;
  FSystemPaletteChangedNotifier = new TcxSystemPaletteChangedNotifier(false);
  FSystemPaletteChangedNotifier->OnPaletteChanged = [this](TObject*) { HandlePaletteChange(); };
  if (gRootLookAndFeel) {
    gRootLookAndFeel->AddChangeListener(this);
    RecomputeState();
  }
  FCurrentState.Painter = PainterForThemedObjects({});
}

TcxLookAndFeel::~TcxLookAndFeel() {
  if (TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry()) registry->RemoveListener(this);
  FreeAndNil(FSystemPaletteChangedNotifier);

  // Followers attach to the root from here; the list stays whole while it is walked.
  FIsDestroying = true;
  const std::size_t count = FChangeListeners.size();
  for (std::size_t i = 0; i < count && i < FChangeListeners.size(); ++i) FChangeListeners[i]->MasterDestroying(this);
  FIsDestroying = false;
  FChangeListeners.clear();

  if (TcxLookAndFeel* master = Master()) master->RemoveChangeListener(this);
  if (FIsRoot) {
    if (gRootLookAndFeel == this) gRootLookAndFeel = nullptr;
    FIsRoot = false;
  }
}

void TcxLookAndFeel::DeclareProperties(TPropTable& t) {
  t.Add("AssignedValues", &TcxLookAndFeel::AssignedValues, &TcxLookAndFeel::SetAssignedValues).NoDefault();
  t.Add("Kind", &TcxLookAndFeel::Kind, &TcxLookAndFeel::SetKind).NoDefault().Stored(&TcxLookAndFeel::IsKindStored);
  t.Add("NativeStyle", &TcxLookAndFeel::NativeStyle, &TcxLookAndFeel::SetNativeStyle)
      .NoDefault()
      .Stored(&TcxLookAndFeel::IsNativeStyleStored);
  t.Add("SkinName", &TcxLookAndFeel::SkinName, &TcxLookAndFeel::SetSkinName).Stored(&TcxLookAndFeel::IsSkinNameStored);
}

void TcxLookAndFeel::DefineProperties(TFiler* Filer) {
  TcxInterfacedPersistent::DefineProperties(Filer);
  // An assigned empty name is not written as the published string, which leaves out empty ones;
  // this keeps it assigned through a store and load.
  Filer->DefineProperty(
      "SkinName", [this](TReader* Reader) { SetSkinName(Reader->ReadString()); },
      [this](TWriter* Writer) { Writer->WriteString(SkinName()); }, IsSkinNameStored() && SkinName().empty());
}

void TcxLookAndFeel::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TcxLookAndFeel*>(Source);
  if (!source) {
    TcxInterfacedPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  SavePreviousState();
  FData.Kind = source->FData.Kind;
  FData.NativeStyle = source->FData.NativeStyle;
  FData.SkinName = source->FData.SkinName;
  FAssignedValues = source->FAssignedValues;
  // One notice covers both the values and the new master.
  if (CanAttachTo(source->Master())) MoveToMaster(source->Master());
  NotifyIfChanged();
}

void TcxLookAndFeel::SetAssignedValues(TcxLookAndFeelValues Value) {
  if (Value == FAssignedValues) return;
  SavePreviousState();
  FAssignedValues = Value;
  NotifyIfChanged();
}

void TcxLookAndFeel::SetKind(TcxLookAndFeelKind Value) {
  const TcxLookAndFeelKind old = FCurrentState.Kind;
  FAssignedValues << lfvKind;
  FData.Kind = Value;
  if (EffectiveKind() != old) NotifyChanged({lfvKind});
}

void TcxLookAndFeel::SetNativeStyle(bool Value) {
  const bool old = FCurrentState.NativeStyle;
  FAssignedValues << lfvNativeStyle;
  FData.NativeStyle = Value;
  if (EffectiveNativeStyle() != old) NotifyChanged({lfvNativeStyle});
}

void TcxLookAndFeel::SetSkinName(const TdxSkinName& Value) {
  const TdxSkinName old = FCurrentState.SkinName;
  FAssignedValues << lfvSkinName;
  FData.SkinName = Value;
  if (EffectiveSkinName() != old) NotifyChanged({lfvSkinName});
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedObject(TdxThemeClassId ThemeClass) const {
  if (FCurrentState.NativeStyle && IsThemeClassAvailable(ThemeClass)) return WinXPLookAndFeelPainter();
  if (FSkinPainter) return FSkinPainter;
  return LookAndFeelPainterOfKind(FCurrentState.Kind);
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::PainterForThemedObjects(TdxThemeClassIds ThemeClasses) const {
  if (FCurrentState.NativeStyle && HasVisualStyles(ThemeClasses)) return WinXPLookAndFeelPainter();
  if (FSkinPainter) return FSkinPainter;
  return LookAndFeelPainterOfKind(FCurrentState.Kind);
}

TcxLookAndFeel* TcxLookAndFeel::Master() const {
  if (FIsRoot) return nullptr;
  return FMasterLookAndFeel ? FMasterLookAndFeel : gRootLookAndFeel;
}

bool TcxLookAndFeel::CanAttachTo(TcxLookAndFeel* AMaster) const {
  if (FIsRoot || AMaster == this) return false;
  if ((AMaster ? AMaster : gRootLookAndFeel) == Master()) return false;
  // A master that already follows this object would pass every notice back and forth for ever.
  for (TcxLookAndFeel* m = AMaster; m; m = m->Master())
    if (m == this) return false;
  return true;
}

void TcxLookAndFeel::MoveToMaster(TcxLookAndFeel* AMaster) {
  if (TcxLookAndFeel* old = Master()) old->RemoveChangeListener(this);
  // The root is kept as no master, so that no follower holds the root once it is gone.
  FMasterLookAndFeel = AMaster == gRootLookAndFeel ? nullptr : AMaster;
  if (TcxLookAndFeel* master = Master()) master->AddChangeListener(this);
}

void TcxLookAndFeel::AttachToMaster(TcxLookAndFeel* AMaster) {
  if (!CanAttachTo(AMaster)) return;
  SavePreviousState();
  MoveToMaster(AMaster);
  NotifyIfChanged();
}

void TcxLookAndFeel::ApplyPainterStyle(TcxPainterStyle Style) {
  SetNativeStyle(Style == psNative);
  if (!NativeStyle()) SetKind(LookAndFeelKindOfStyle(Style));
}

IcxLookAndFeelListener* TcxLookAndFeel::ListenerOf(TPersistent* Listener) {
  return Listener ? dynamic_cast<IcxLookAndFeelListener*>(Listener) : nullptr;
}

void TcxLookAndFeel::AddChangeListener(TPersistent* Listener) {
  IcxLookAndFeelListener* listener = ListenerOf(Listener);
  if (!listener) return;
  const bool isController = dynamic_cast<TcxLookAndFeelController*>(listener->ListenerObject()) != nullptr;
  if (isController && !FIsRoot) return;
  if (std::find(FChangeListeners.begin(), FChangeListeners.end(), listener) != FChangeListeners.end()) return;
  if (isController) ++gControllerCount;
  FChangeListeners.push_back(listener);
}

void TcxLookAndFeel::RemoveChangeListener(TPersistent* Listener) {
  IcxLookAndFeelListener* listener = ListenerOf(Listener);
  if (!listener) return;
  auto it = std::find(FChangeListeners.begin(), FChangeListeners.end(), listener);
  if (it == FChangeListeners.end()) return;
  if (!FIsDestroying) FChangeListeners.erase(it);
  if (FIsRoot && dynamic_cast<TcxLookAndFeelController*>(listener->ListenerObject())) {
    if (--gControllerCount == 0) ClearAssignedValues();
  }
}

void TcxLookAndFeel::MasterValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues ChangedValues) {
  NotifyChanged(ChangedValues - FAssignedValues);
}

void TcxLookAndFeel::MasterDestroying(TcxLookAndFeel*) { AttachToMaster(nullptr); }

void TcxLookAndFeel::PainterRegistryChanged(TcxCustomLookAndFeelPainterClass) { NotifyAllChanged(); }

void TcxLookAndFeel::HandlePaletteChange() { NotifyChanged({lfvNativeStyle}); }

// ---- effective values -------------------------------------------------------------------------

TcxLookAndFeelKind TcxLookAndFeel::EffectiveKind() const {
  if (FAssignedValues.Contains(lfvKind)) return FData.Kind;
  if (FIsRoot) return lfUltraFlat;
  if (TcxLookAndFeel* master = Master()) return master->Kind();
  return lfUltraFlat;
}

bool TcxLookAndFeel::EffectiveNativeStyle() const {
  if (FAssignedValues.Contains(lfvNativeStyle)) return FData.NativeStyle;
  if (FIsRoot) return false;
  if (TcxLookAndFeel* master = Master()) return master->NativeStyle();
  return false;
}

TdxSkinName TcxLookAndFeel::EffectiveSkinName() const {
  if (FAssignedValues.Contains(lfvSkinName)) return FData.SkinName;
  if (FIsRoot) return TdxSkinName();
  if (TcxLookAndFeel* master = Master()) return master->SkinName();
  return TdxSkinName();
}

TcxCustomLookAndFeelPainterClass TcxLookAndFeel::EffectiveSkinPainter() const {
  TcxCustomLookAndFeelPainterClass painter = nullptr;
  if (FAssignedValues.Contains(lfvSkinName)) {
    LookUpSkinPainter(FData.SkinName, painter);
  } else if (!FIsRoot) {
    if (TcxLookAndFeel* master = Master()) master->LookUpSkinPainter(master->SkinName(), painter);
  }
  return painter;
}

bool TcxLookAndFeel::LookUpSkinPainter(const TdxSkinName& Name, TcxCustomLookAndFeelPainterClass& Painter) const {
  Painter = nullptr;
  TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry();
  const bool found = !Name.empty() && registry && registry->FindPainter(Name, Painter);
  if (!found || !gUseSkins) Painter = nullptr;
  return found;
}

void TcxLookAndFeel::RecomputeState() {
  FCurrentState.Kind = EffectiveKind();
  FCurrentState.NativeStyle = EffectiveNativeStyle();
  FCurrentState.SkinName = EffectiveSkinName();
  FCurrentState.UseSkins = gUseSkins;
  // Native style switches skins off even where visual styles are unavailable.
  FSkinPainter = FCurrentState.NativeStyle ? nullptr : EffectiveSkinPainter();
}

// ---- notification -----------------------------------------------------------------------------

void TcxLookAndFeel::SavePreviousState() {
  FPrevState.Kind = FCurrentState.Kind;
  FPrevState.NativeStyle = FCurrentState.NativeStyle;
  FPrevState.SkinName = FCurrentState.SkinName;
}

void TcxLookAndFeel::NotifyIfChanged() {
  TcxLookAndFeelValues changed;
  if (EffectiveKind() != FPrevState.Kind) changed << lfvKind;
  if (EffectiveNativeStyle() != FPrevState.NativeStyle) changed << lfvNativeStyle;
  if (EffectiveSkinName() != FPrevState.SkinName) changed << lfvSkinName;
  NotifyChanged(changed);
}

void TcxLookAndFeel::NotifyChanged(TcxLookAndFeelValues ChangedValues) {
  if (ChangedValues.Empty() && FCurrentState.UseSkins == gUseSkins) return;
  if (FIsDestroying) return;
  RecomputeState();
  FCurrentState.Painter = PainterForThemedObjects({});
  // Only an object that paints with a skin hears of skins coming and going.
  if (TcxExtendedStylePainters* registry = ExtendedStylePainterRegistry()) {
    if (FSkinPainter)
      registry->AddListener(this);
    else
      registry->RemoveListener(this);
  }
  // A follower that leaves from its notice must not make the next one be skipped, so the index
  // advances only when nobody left, and it is kept inside the list before each call.
  for (std::size_t i = 0; i < FChangeListeners.size();) {
    const std::size_t count = FChangeListeners.size();
    FChangeListeners[i]->MasterChanged(this, ChangedValues);
    if (FChangeListeners.size() >= count) ++i;
  }
  if (OnChanged) OnChanged(this, ChangedValues);
}

// ---- TcxLookAndFeelController -----------------------------------------------------------------

TcxLookAndFeelController::TcxLookAndFeelController(TComponent* AOwner) : TComponent(AOwner) {
  if (gRootLookAndFeel) gRootLookAndFeel->AddChangeListener(this);
}

TcxLookAndFeelController::~TcxLookAndFeelController() {
  if (gRootLookAndFeel) gRootLookAndFeel->RemoveChangeListener(this);
}

void TcxLookAndFeelController::DeclareProperties(TPropTable& t) {
  t.Add("Kind", &TcxLookAndFeelController::Kind, &TcxLookAndFeelController::SetKind).NoDefault().Stored(true);
  t.Add("NativeStyle", &TcxLookAndFeelController::NativeStyle, &TcxLookAndFeelController::SetNativeStyle)
      .NoDefault()
      .Stored(true);
  t.Add("SkinName", &TcxLookAndFeelController::SkinName, &TcxLookAndFeelController::SetSkinName);
}

TcxLookAndFeelKind TcxLookAndFeelController::Kind() const {
  return gRootLookAndFeel ? gRootLookAndFeel->Kind() : lfUltraFlat;
}
void TcxLookAndFeelController::SetKind(TcxLookAndFeelKind Value) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetKind(Value);
}
bool TcxLookAndFeelController::NativeStyle() const { return gRootLookAndFeel && gRootLookAndFeel->NativeStyle(); }
void TcxLookAndFeelController::SetNativeStyle(bool Value) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetNativeStyle(Value);
}
TdxSkinName TcxLookAndFeelController::SkinName() const {
  return gRootLookAndFeel ? gRootLookAndFeel->SkinName() : TdxSkinName();
}
void TcxLookAndFeelController::SetSkinName(const TdxSkinName& Value) {
  if (gRootLookAndFeel) gRootLookAndFeel->SetSkinName(Value);
}

void TcxLookAndFeelController::RootValuesChanged(TcxLookAndFeel*, TcxLookAndFeelValues) {}
void TcxLookAndFeelController::RootDestroying(TcxLookAndFeel*) {}

void TcxLookAndFeelController::ResetRootValues() {
  SetKind(lfUltraFlat);
  SetNativeStyle(false);
  SetSkinName(TdxSkinName());
}

// ---- unit -------------------------------------------------------------------------------------

void LookAndFeelUnitStartup() {
  GroupDescendentsWith(TcxLookAndFeelController::StaticClass(), TForm::StaticClass());
  if (gRootLookAndFeel) return;
  gControllerCount = 0;
  auto* root = new TcxLookAndFeel(nullptr);
  root->FIsRoot = true;
  gRootLookAndFeel = root;
}

void LookAndFeelUnitShutdown() {
  TcxLookAndFeel* root = gRootLookAndFeel;
  TObject::Free(root);
  gRootLookAndFeel = nullptr;
  gControllerCount = 0;
}
