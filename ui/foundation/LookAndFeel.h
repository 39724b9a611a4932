#pragma once
// Which painter draws a control. Every control and style object carries a look-and-feel whose
// kind, native-style flag and skin name are either its own or its master's, up the chain to one
// global root; a controller component edits the root, so one setting on a form changes every
// control that set nothing itself. The system-palette notification lives here too, since every
// look-and-feel repaints when the system colours change.
#include <functional>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Controls.h"
#include "platform/classes/TypInfo.h"
#include "ui/foundation/ExtendedStylePainters.h"
#include "ui/foundation/Interfaced.h"
#include "ui/foundation/Painters.h"
#include "ui/foundation/ThemeManager.h"

VW_ENUM(TcxLookAndFeelKind, lfFlat, lfStandard, lfUltraFlat, lfOffice11)
VW_ENUM(TcxLookAndFeelValue, lfvKind, lfvNativeStyle, lfvSkinName)
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;
using TdxSkinName = String;

inline constexpr TcxLookAndFeelValues cxAllLookAndFeelValues{lfvKind, lfvNativeStyle, lfvSkinName};

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  TdxSkinName SkinName;
  TcxCustomLookAndFeelPainterClass Painter = nullptr;
  bool UseSkins = false;
};

class TcxLookAndFeel;

// What follows a look-and-feel: its dependants and, on the root, the controllers.
class IcxLookAndFeelListener : public virtual IInterface {
 public:
  virtual TObject* ListenerObject() = 0;
  virtual void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) = 0;
  virtual void MasterDestroying(TcxLookAndFeel* Sender) = 0;
};

using TcxLookAndFeelChangedEvent = std::function<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)>;

// Told when the system colours change. Primary notifiers run before every ordinary one, so what
// they rebuild is fresh before any look-and-feel repaints.
class TcxSystemPaletteChangedNotifier : public TObject {
  VW_CLASS(TcxSystemPaletteChangedNotifier, TObject)
 public:
  // CreateRegistered.
  explicit TcxSystemPaletteChangedNotifier(bool IsPrimary = false);
  ~TcxSystemPaletteChangedNotifier() override;

  bool IsPrimary() const { return FIsPrimary; }
  virtual void NotifyPaletteChanged();

  TNotifyEvent OnPaletteChanged;

 private:
  bool FIsPrimary;
};

class TcxLookAndFeel : public TcxInterfacedPersistent,
                       public IcxLookAndFeelListener,
                       public IcxPainterRegistryListener {
  VW_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
 public:
  // CreateForOwner: follows the root from the start.
  explicit TcxLookAndFeel(TPersistent* AOwner);
  ~TcxLookAndFeel() override;

  static void DeclareProperties(TPropTable& t);
  void Assign(TPersistent* Source) override;

  TcxLookAndFeelValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  TcxLookAndFeelKind Kind() const { return FCurrentState.Kind; }
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const { return FCurrentState.NativeStyle; }
  void SetNativeStyle(bool Value);
  TdxSkinName SkinName() const { return FCurrentState.SkinName; }
  void SetSkinName(const TdxSkinName& Value);
  void ClearAssignedValues() { SetAssignedValues({}); }

  // The painter every drawing of the owner goes through.
  TcxCustomLookAndFeelPainterClass ActivePainter() const { return FCurrentState.Painter; }
  // The skin painter in use, or null.
  TcxCustomLookAndFeelPainterClass SkinPainter() const { return FSkinPainter; }
  TcxCustomLookAndFeelPainterClass PainterForThemedObject(TdxThemeClassId ThemeClass) const;
  TcxCustomLookAndFeelPainterClass PainterForThemedObjects(TdxThemeClassIds ThemeClasses) const;

  // The effective master: none for the root, else the one attached, else the root.
  TcxLookAndFeel* Master() const;
  // Refuses itself and any master whose chain of masters leads back here.
  void AttachToMaster(TcxLookAndFeel* AMaster);
  void NotifyAllChanged() { NotifyChanged(cxAllLookAndFeelValues); }
  void ApplyPainterStyle(TcxPainterStyle Style);
  bool IsRoot() const { return FIsRoot; }

  // Listener is any persistent object implementing IcxLookAndFeelListener; a controller is taken
  // only by the root.
  void AddChangeListener(TPersistent* Listener);
  void RemoveChangeListener(TPersistent* Listener);

  TcxLookAndFeelChangedEvent OnChanged;

  // IcxLookAndFeelListener
  TObject* ListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override {
    MasterValuesChanged(Sender, ChangedValues);
  }
  void MasterDestroying(TcxLookAndFeel* Sender) override;
  // IcxPainterRegistryListener
  void PainterRegistryChanged(TcxCustomLookAndFeelPainterClass PainterClass) override;

 protected:
  virtual void RecomputeState();
  virtual TcxLookAndFeelKind EffectiveKind() const;
  virtual bool EffectiveNativeStyle() const;
  virtual TdxSkinName EffectiveSkinName() const;
  virtual TcxCustomLookAndFeelPainterClass EffectiveSkinPainter() const;
  // Found when the name is registered; Painter stays null when not found or with skins off.
  virtual bool LookUpSkinPainter(const TdxSkinName& Name, TcxCustomLookAndFeelPainterClass& Painter) const;
  virtual void HandlePaletteChange();

  void DefineProperties(TFiler* Filer) override;
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  void SavePreviousState();
  void NotifyIfChanged();
  void NotifyChanged(TcxLookAndFeelValues ChangedValues);

 private:
  friend void LookAndFeelUnitStartup();
  bool IsKindStored() const { return FAssignedValues.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return FAssignedValues.Contains(lfvNativeStyle); }
  bool IsSkinNameStored() const { return FAssignedValues.Contains(lfvSkinName); }
  static IcxLookAndFeelListener* ListenerOf(TPersistent* Listener);
  bool CanAttachTo(TcxLookAndFeel* AMaster) const;
  void MoveToMaster(TcxLookAndFeel* AMaster);

  TcxLookAndFeelValues FAssignedValues;
  std::vector<IcxLookAndFeelListener*> FChangeListeners;
  TcxLookAndFeelData FCurrentState;
  TcxLookAndFeelData FData;
  bool FIsDestroying = false;
  bool FIsRoot = false;
  TcxLookAndFeel* FMasterLookAndFeel = nullptr;
  TcxCustomLookAndFeelPainterClass FSkinPainter = nullptr;
  TcxLookAndFeelData FPrevState;
  TcxSystemPaletteChangedNotifier* FSystemPaletteChangedNotifier = nullptr;
  bool FListensToRegistry = false;
};

// Edits the root look-and-feel, so that one setting changes every control that follows it.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelListener {
  VW_CLASS(TcxLookAndFeelController, TComponent)
 public:
  // CreateAndListen / DestroyAndUnlisten: the root counts its controllers, and the last one to go
  // clears what the root had set.
  explicit TcxLookAndFeelController(TComponent* AOwner);
  ~TcxLookAndFeelController() override;

  static void DeclareProperties(TPropTable& t);

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const;
  void SetNativeStyle(bool Value);
  TdxSkinName SkinName() const;
  // How the consoles switch the skin of the whole application; an unknown name is no error.
  void SetSkinName(const TdxSkinName& Value);

  // IcxLookAndFeelListener
  TObject* ListenerObject() override { return this; }
  void MasterChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override {
    RootValuesChanged(Sender, ChangedValues);
  }
  void MasterDestroying(TcxLookAndFeel* Sender) override { RootDestroying(Sender); }

 protected:
  // Both only serve a form designer, which this system does not have.
  virtual void RootValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues);
  virtual void RootDestroying(TcxLookAndFeel* Sender);
  virtual void ResetRootValues();
};

// The global root; null before the look-and-feel start-up and after its shutdown.
TcxLookAndFeel* RootLookAndFeel();
// The controllers the root counts.
int RootLookAndFeelControllerCount();

// The global skins switch (initially on). Whoever writes it calls NotifyAllChanged on the root.
bool UseSkins();
void SetUseSkins(bool Value);

// The painter of each kind when no theme and no skin applies.
TcxCustomLookAndFeelPainterClass LookAndFeelPainterOfKind(TcxLookAndFeelKind Kind);
// psFlat, psUltraFlat and psOffice11 give their kinds; every other code gives lfStandard.
TcxLookAndFeelKind LookAndFeelKindOfStyle(TcxPainterStyle Style);

// Creates the root (and groups the controller with forms); the shutdown frees the root.
void LookAndFeelUnitStartup();
void LookAndFeelUnitShutdown();

// A control or object that draws by a look-and-feel of its own and lets others ask for it.
class IcxLookAndFeelContainer : public virtual IInterface {
 public:
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;
};

// Marks a control that the skin machinery may paint; it has no operations.
class IcxSkinnableMarker : public virtual IInterface {};
