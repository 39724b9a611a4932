#include "ui/controls/CustomEdit.h"

#include "ui/controls/EditStyle.h"
#include "ui/controls/EditViewInfo.h"

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner)
    : TcxCustomEdit(AOwner, TcxContainerClasses{ContainerStyleClassOf<TcxEditStyle>(),
                                                ContainerStylesClassOf<TcxContainerStyles>(),
                                                ContainerViewInfoClassOf<TcxCustomEditViewInfo>()}) {}

TcxCustomEdit::TcxCustomEdit(TComponent* AOwner, const TcxContainerClasses& Classes) : TcxContainer(AOwner, Classes) {}

TcxCustomEditStyle* TcxCustomEdit::StyleInEffect() { return dynamic_cast<TcxCustomEditStyle*>(ActiveStyle()); }

bool TcxCustomEdit::ShowsEditingState() { return IsFocused(); }
bool TcxCustomEdit::HasValidateHandler() { return false; }
void TcxCustomEdit::FireValidate(Variant&, String&, bool&) {}
String TcxCustomEdit::CurrentDisplayText() { return String(); }
bool TcxCustomEdit::SkipsButtonPainting(win::HDC) { return false; }
bool TcxCustomEdit::PaintsValueDirectly() { return false; }
bool TcxCustomEdit::UsesParentBackground() { return false; }
