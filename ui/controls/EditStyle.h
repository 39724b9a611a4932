#pragma once
// The editors' styles: the container style's ten values and six of the editors' own (the button
// style and transparency, the popup border style, gradient buttons, gradient and its direction),
// and the style controller that shares one set of editor styles among many editors. One
// controller, made at start-up, is the process-wide default.
#include "ui/controls/Control.h"
#include "ui/controls/ContainerStyle.h"
#include "ui/foundation/Painters.h"

VW_ENUM(TcxEditButtonStyle, btsDefault, bts3D, btsFlat, btsSimple, btsHotFlat, btsUltraFlat, btsOffice11)
VW_ENUM(TcxEditButtonTransparency, ebtNone, ebtInactive, ebtAlways, ebtHideInactive, ebtHideUnselected)
// The container's border styles under the editors' names, in the same order.
VW_ENUM(TcxEditBorderStyle, ebsNone, ebsSingle, ebsThick, ebsFlat, ebs3D, ebsUltraFlat, ebsOffice11)
VW_ENUM_NAMES(TcxEditPopupBorderStyle, epbsDefault, epbsSingle, epbsFrame3D, epbsFlat)
// dirLeft to dirDown of the library's directions.
using TcxEditGradientDirection = TcxDirection;

inline constexpr TcxContainerStyleValue svButtonStyle = 10;
inline constexpr TcxContainerStyleValue svButtonTransparency = 11;
inline constexpr TcxContainerStyleValue svPopupBorderStyle = 12;
inline constexpr TcxContainerStyleValue svGradientButtons = 13;
inline constexpr TcxContainerStyleValue svGradient = 14;
inline constexpr TcxContainerStyleValue svGradientDirection = 15;

class TcxCustomEdit;
class TcxEditStyleController;

class TcxCustomEditStyle : public TcxContainerStyle {
  VW_CLASS(TcxCustomEditStyle, TcxContainerStyle)
 public:
  // A direct-access style reads only its own values (else the defaults) and follows no controller.
  TcxCustomEditStyle(TPersistent* AOwner, TcxContainerStyle* AParentStyle, TcxContainerStateStyleIndex AState,
                     bool ADirectAccess = false);

  void AssignFrom(TPersistent* Source) override;

  TcxEditBorderStyle EditBorderStyle() { return static_cast<TcxEditBorderStyle>(BorderStyle()); }
  void SetEditBorderStyle(TcxEditBorderStyle Value) { SetBorderStyle(static_cast<TcxContainerBorderStyle>(Value)); }
  TcxEditButtonStyle ButtonStyle();
  // Works on any style, state styles included.
  void SetButtonStyle(TcxEditButtonStyle Value);
  TcxEditButtonTransparency ButtonTransparency();
  // This and the following writers write the normal style's value.
  void SetButtonTransparency(TcxEditButtonTransparency Value);
  bool Gradient();
  void SetGradient(bool Value);
  bool GradientButtons();
  void SetGradientButtons(bool Value);
  TcxEditGradientDirection GradientDirection();
  void SetGradientDirection(TcxEditGradientDirection Value);
  TcxEditPopupBorderStyle PopupBorderStyle();
  void SetPopupBorderStyle(TcxEditPopupBorderStyle Value);
  bool PopupCloseButton() const { return FPopupCloseButton; }
  void SetPopupCloseButton(bool Value) { FPopupCloseButton = Value; }
  bool EffectivePopupCloseButton();

  bool IsDirectAccess() const { return FDirectAccess; }
  TcxCustomEdit* OwnerEditor();

  bool FindAssignedButtonStyle(TcxEditButtonStyle& Value);
  bool FindAssignedButtonTransparency(TcxEditButtonTransparency& Value);
  bool FindAssignedGradient(bool& Value);
  bool FindAssignedGradientButtons(bool& Value);
  bool FindAssignedGradientDirection(TcxEditGradientDirection& Value);
  bool FindAssignedPopupBorderStyle(TcxEditPopupBorderStyle& Value);

  virtual TcxEditButtonStyle DefaultButtonStyle();
  virtual TcxEditButtonTransparency DefaultButtonTransparency();
  virtual bool DefaultGradient();
  virtual bool DefaultGradientButtons();
  virtual TcxEditGradientDirection DefaultGradientDirection();
  virtual TcxEditPopupBorderStyle DefaultPopupBorderStyle();

  TcxStyleController* FallbackStyleController() override;
  TcxContainerStyleValues UnpublishedStyleValues() override;
  int StyleValueTotal() override;
  bool StyleValueTitle(TcxContainerStyleValue Index, String& Name) override;
  bool IsValueAssigned(TcxContainerStyleValue Value) override;

 protected:
  TcxCustomEditStyle* ParentEditStyle() const { return static_cast<TcxCustomEditStyle*>(ParentStyle()); }
  TcxCustomEditStyle* ControllerEditStyle() const { return dynamic_cast<TcxCustomEditStyle*>(ControllerStyle()); }

 private:
  bool FDirectAccess;
  TcxEditButtonStyle FButtonStyle = btsDefault;
  TcxEditButtonTransparency FButtonTransparency = ebtNone;
  bool FGradient = false;
  bool FGradientButtons = false;
  TcxEditGradientDirection FGradientDirection = dirDown;
  TcxEditPopupBorderStyle FPopupBorderStyle = epbsDefault;
  bool FPopupCloseButton = true;
};

class TcxEditStyle : public TcxCustomEditStyle {
  VW_CLASS(TcxEditStyle, TcxCustomEditStyle)
 public:
  using TcxCustomEditStyle::TcxCustomEditStyle;
  static void DeclareProperties(TPropTable& t);
};

class TcxEditStyleController : public TcxStyleController {
  VW_CLASS(TcxEditStyleController, TcxStyleController)
 public:
  explicit TcxEditStyleController(TComponent* AOwner);
  static void DeclareProperties(TPropTable& t);

  TcxEditStyle* Style() const { return EditStyleOf(csiNormal); }
  void SetStyle(TcxEditStyle* Value) { Style()->AssignFrom(Value); }
  TcxEditStyle* StyleDisabled() const { return EditStyleOf(csiDisabled); }
  void SetStyleDisabled(TcxEditStyle* Value) { StyleDisabled()->AssignFrom(Value); }
  TcxEditStyle* StyleFocused() const { return EditStyleOf(csiFocused); }
  void SetStyleFocused(TcxEditStyle* Value) { StyleFocused()->AssignFrom(Value); }
  TcxEditStyle* StyleHot() const { return EditStyleOf(csiHot); }
  void SetStyleHot(TcxEditStyle* Value) { StyleHot()->AssignFrom(Value); }

 private:
  TcxEditStyle* EditStyleOf(TcxContainerStateStyleIndex State) const {
    return static_cast<TcxEditStyle*>(StyleOfState(State));
  }
};

// The controller made at the editor unit's start-up; nil before and after.
TcxEditStyleController* DefaultEditStyleController();

// The editor unit: the mouse-wheel cursor, the default style controller, the list of live
// properties; shut down in reverse, with the properties registry.
inline constexpr int crcxEditMouseWheel = 4101;
void EditUnitStartup();
void EditUnitShutdown();
