#include "ui/controls/EditStyle.h"

#include "platform/classes/Forms.h"
#include "platform/system/Modules.h"
#include "platform/win/Focus.h"
#include "ui/controls/CustomEdit.h"
#include "ui/controls/EditProperties.h"
#include "ui/foundation/Office11Colors.h"

using namespace win;

namespace {

TcxEditStyleController* gDefaultEditStyleController = nullptr;

const char* const kEditStyleValueNames[] = {"ButtonStyle", "ButtonTransparency", "PopupBorderStyle",
                                            "GradientButtons", "Gradient", "GradientDirection"};
constexpr int kEditStyleValueTotal = 16;

}  // namespace

TcxEditStyleController* DefaultEditStyleController() { return gDefaultEditStyleController; }

// ---- TcxCustomEditStyle -----------------------------------------------------------------------------

TcxCustomEditStyle::TcxCustomEditStyle(TPersistent* AOwner, TcxContainerStyle* AParentStyle,
                                       TcxContainerStateStyleIndex AState, bool ADirectAccess)
    : TcxContainerStyle(AOwner, AParentStyle, AState), FDirectAccess(ADirectAccess) {
  // The container style linked the fallback it knows; this style may have none (direct access,
  // in place).
  if (IsRootStyle() && !FallbackStyleController() && ActiveStyleController() == DefaultStyleController())
    SetStyleController(nullptr);
}

TcxCustomEdit* TcxCustomEditStyle::OwnerEditor() { return dynamic_cast<TcxCustomEdit*>(Owner()); }

TcxStyleController* TcxCustomEditStyle::FallbackStyleController() {
  if (FDirectAccess) return nullptr;
  if (TcxCustomEdit* editor = OwnerEditor(); editor && editor->IsInPlace()) return nullptr;
  return DefaultEditStyleController();
}

bool TcxCustomEditStyle::EffectivePopupCloseButton() {
  return IsRootStyle() ? FPopupCloseButton : ParentEditStyle()->FPopupCloseButton;
}

void TcxCustomEditStyle::AssignFrom(TPersistent* Source) {
  auto* source = dynamic_cast<TcxCustomEditStyle*>(Source);
  if (!source) {
    TcxContainerStyle::AssignFrom(Source);
    return;
  }
  if (source == this) return;
  THeldStyleChanges hold(this);
  FButtonStyle = source->FButtonStyle;
  FButtonTransparency = source->FButtonTransparency;
  FGradient = source->FGradient;
  FGradientButtons = source->FGradientButtons;
  FGradientDirection = source->FGradientDirection;
  FPopupBorderStyle = source->FPopupBorderStyle;
  FPopupCloseButton = source->FPopupCloseButton;
  TcxContainerStyle::AssignFrom(Source);
  // A state style's assigned values come over only for what the container knows; its own
  // button style is one of the editors' values.
  if (!IsRootStyle()) {
    TcxContainerStyleValues values = AssignedValues();
    for (TcxContainerStyleValue v = svButtonStyle; v <= svGradientDirection; ++v) {
      if (source->AssignedValues().Contains(v))
        values.Include(v);
      else
        values.Exclude(v);
    }
    SetAssignedValues(values);
  }
  NotifyChanged();
}

// ---- style values -----------------------------------------------------------------------------------

TcxContainerStyleValues TcxCustomEditStyle::UnpublishedStyleValues() {
  return TcxContainerStyleValues::FromBits(0xFA78);
}

int TcxCustomEditStyle::StyleValueTotal() { return kEditStyleValueTotal; }

bool TcxCustomEditStyle::StyleValueTitle(TcxContainerStyleValue Index, String& Name) {
  if (Index < svButtonStyle) return TcxContainerStyle::StyleValueTitle(Index, Name);
  Name.clear();
  if (Index >= kEditStyleValueTotal) return false;
  Name = kEditStyleValueNames[Index - svButtonStyle];
  return true;
}

bool TcxCustomEditStyle::IsValueAssigned(TcxContainerStyleValue Value) {
  switch (Value) {
    case svButtonStyle: { TcxEditButtonStyle v; return FindAssignedButtonStyle(v); }
    case svButtonTransparency: { TcxEditButtonTransparency v; return FindAssignedButtonTransparency(v); }
    case svPopupBorderStyle: { TcxEditPopupBorderStyle v; return FindAssignedPopupBorderStyle(v); }
    case svGradientButtons: { bool v; return FindAssignedGradientButtons(v); }
    case svGradient: { bool v; return FindAssignedGradient(v); }
    case svGradientDirection: { TcxEditGradientDirection v; return FindAssignedGradientDirection(v); }
    default: return TcxContainerStyle::IsValueAssigned(Value);
  }
}

// Own value, else the same lookup in the linked controller's style of this state, and so on along
// the chain of controllers.
#define CX_EDIT_STYLE_LOOKUP(Name, Type, Bit, Field)                              \
  bool TcxCustomEditStyle::FindAssigned##Name(Type& Value) {                      \
    if (AssignedValues().Contains(Bit)) {                                         \
      Value = Field;                                                              \
      return true;                                                                \
    }                                                                             \
    if (TcxCustomEditStyle* style = ControllerEditStyle()) return style->FindAssigned##Name(Value); \
    return false;                                                                 \
  }                                                                               \
  Type TcxCustomEditStyle::Name() {                                               \
    Type value;                                                                   \
    if (FDirectAccess) return AssignedValues().Contains(Bit) ? Field : Default##Name(); \
    return FindAssigned##Name(value) ? value : Default##Name();                   \
  }

CX_EDIT_STYLE_LOOKUP(ButtonStyle, TcxEditButtonStyle, svButtonStyle, FButtonStyle)
CX_EDIT_STYLE_LOOKUP(ButtonTransparency, TcxEditButtonTransparency, svButtonTransparency, FButtonTransparency)
CX_EDIT_STYLE_LOOKUP(Gradient, bool, svGradient, FGradient)
CX_EDIT_STYLE_LOOKUP(GradientButtons, bool, svGradientButtons, FGradientButtons)
CX_EDIT_STYLE_LOOKUP(GradientDirection, TcxEditGradientDirection, svGradientDirection, FGradientDirection)
CX_EDIT_STYLE_LOOKUP(PopupBorderStyle, TcxEditPopupBorderStyle, svPopupBorderStyle, FPopupBorderStyle)

#undef CX_EDIT_STYLE_LOOKUP

// A state style answers what the normal style says; the normal style its fixed default.
TcxEditButtonStyle TcxCustomEditStyle::DefaultButtonStyle() {
  return IsRootStyle() ? btsDefault : ParentEditStyle()->ButtonStyle();
}
TcxEditButtonTransparency TcxCustomEditStyle::DefaultButtonTransparency() {
  return IsRootStyle() ? ebtNone : ParentEditStyle()->ButtonTransparency();
}
bool TcxCustomEditStyle::DefaultGradient() { return IsRootStyle() ? false : ParentEditStyle()->Gradient(); }
bool TcxCustomEditStyle::DefaultGradientButtons() {
  return IsRootStyle() ? false : ParentEditStyle()->GradientButtons();
}
TcxEditGradientDirection TcxCustomEditStyle::DefaultGradientDirection() {
  return IsRootStyle() ? dirDown : ParentEditStyle()->GradientDirection();
}
TcxEditPopupBorderStyle TcxCustomEditStyle::DefaultPopupBorderStyle() {
  return IsRootStyle() ? epbsDefault : ParentEditStyle()->PopupBorderStyle();
}

// ---- writers ----------------------------------------------------------------------------------------

void TcxCustomEditStyle::SetButtonStyle(TcxEditButtonStyle Value) {
  if (Unchanged(svButtonStyle, FButtonStyle == Value)) return;
  FButtonStyle = Value;
  Changed(svButtonStyle);
}

#define CX_EDIT_STYLE_ROOT_WRITER(Name, Type, Bit, Field)     \
  void TcxCustomEditStyle::Set##Name(Type Value) {            \
    if (!IsRootStyle()) return ParentEditStyle()->Set##Name(Value); \
    if (Unchanged(Bit, Field == Value)) return;               \
    Field = Value;                                            \
    Changed(Bit);                                             \
  }

CX_EDIT_STYLE_ROOT_WRITER(ButtonTransparency, TcxEditButtonTransparency, svButtonTransparency, FButtonTransparency)
CX_EDIT_STYLE_ROOT_WRITER(Gradient, bool, svGradient, FGradient)
CX_EDIT_STYLE_ROOT_WRITER(GradientButtons, bool, svGradientButtons, FGradientButtons)
CX_EDIT_STYLE_ROOT_WRITER(GradientDirection, TcxEditGradientDirection, svGradientDirection, FGradientDirection)
CX_EDIT_STYLE_ROOT_WRITER(PopupBorderStyle, TcxEditPopupBorderStyle, svPopupBorderStyle, FPopupBorderStyle)

#undef CX_EDIT_STYLE_ROOT_WRITER

// ---- TcxEditStyle -----------------------------------------------------------------------------------

void TcxEditStyle::DeclareProperties(TPropTable& t) {
  using S = TcxEditStyle;
  t.Add("BorderStyle", &S::EditBorderStyle, &S::SetEditBorderStyle).NoDefault().Stored(&S::StoredValue<csvBorderStyle>);
  t.Add("ButtonStyle", &S::ButtonStyle, &S::SetButtonStyle).NoDefault().Stored(&S::StoredValue<svButtonStyle>);
  t.Add("ButtonTransparency", &S::ButtonTransparency, &S::SetButtonTransparency)
      .NoDefault()
      .Stored(&S::StoredValue<svButtonTransparency>);
  t.Add("Gradient", &S::Gradient, &S::SetGradient).NoDefault().Stored(&S::StoredValue<svGradient>);
  t.Add("GradientDirection", &S::GradientDirection, &S::SetGradientDirection)
      .NoDefault()
      .Stored(&S::StoredValue<svGradientDirection>);
  t.Add("PopupBorderStyle", &S::PopupBorderStyle, &S::SetPopupBorderStyle)
      .NoDefault()
      .Stored(&S::StoredValue<svPopupBorderStyle>);
}

// ---- TcxEditStyleController -------------------------------------------------------------------------

TcxEditStyleController::TcxEditStyleController(TComponent* AOwner)
    : TcxStyleController(AOwner, ContainerStyleClassOf<TcxEditStyle>(), ContainerStylesClassOf<TcxContainerStyles>()) {}

void TcxEditStyleController::DeclareProperties(TPropTable& t) {
  using C = TcxEditStyleController;
  t.Add("Style", &C::Style, &C::SetStyle);
  t.Add("StyleDisabled", &C::StyleDisabled, &C::SetStyleDisabled);
  t.Add("StyleFocused", &C::StyleFocused, &C::SetStyleFocused);
  t.Add("StyleHot", &C::StyleHot, &C::SetStyleHot);
  t.Add("OnStyleChanged", &C::OnStyleChanged);
}

// ---- the editor unit --------------------------------------------------------------------------------

void EditUnitStartup() {
  if (Screen)
    if (HCURSOR cursor = LoadCursor(GetModuleHandle(nullptr), "CXEDIT_MOUSEWHEEL"))
      Screen->SetCursors(crcxEditMouseWheel, cursor);
  if (!gDefaultEditStyleController) {
    gDefaultEditStyleController = new TcxEditStyleController(nullptr);
    SetDefaultStyleController(gDefaultEditStyleController);
  }
  CreateAllPropertiesList();
  // The Office-2003 buttons paint from its colour table.
  AcquireOffice11Colors();
}

void EditUnitShutdown() {
  if (!gDefaultEditStyleController) return;
  RelinquishOffice11Colors();
  FreeEditPropertiesClassRegistry();
  FreeAllPropertiesList();
  // Cleared before the controller goes, so that its listeners fall back to no controller rather
  // than to the one being freed.
  TcxEditStyleController* controller = gDefaultEditStyleController;
  gDefaultEditStyleController = nullptr;
  if (DefaultStyleController() == controller) SetDefaultStyleController(nullptr);
  delete controller;
}
