#include "ui/controls/DesignController.h"

#include "ui/controls/ControlServices.h"

void TcxDesignController::NotifyDesignerModified(TCustomForm* Form) {
  if (IsLocked() || FInProgress) return;
  FInProgress = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FInProgress};
  SetDesignerModified(Form);
}
