#pragma once
// Locks designer notifications while a batch of changes runs. There is no form designer in this
// system, so a notification that gets through finds nobody to tell.
#include "platform/classes/Forms.h"

class TcxDesignController : public TObject {
  VW_CLASS(TcxDesignController, TObject)
 public:
  TcxDesignController() = default;

  void NotifyDesignerModified(TCustomForm* Form);
  void LockDesignerNotify() { ++FLockCount; }
  // Never below 0.
  void UnlockDesignerNotify() {
    if (FLockCount > 0) --FLockCount;
  }
  bool IsLocked() const { return FLockCount > 0; }
  int LockCount() const { return FLockCount; }
  bool InProgress() const { return FInProgress; }

 private:
  int FLockCount = 0;
  bool FInProgress = false;
};
