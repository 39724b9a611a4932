#include "ui/bars/BarDesignController.h"

void TdxBarDesignController::RegisterDesignHelper(TClass BarControlClass, TClass HelperClass) {
  FDesignHelpers.InsertPair(BarControlClass, HelperClass);
}

void TdxBarDesignController::RegisterControlEditor(TClass EditorClass) { FControlEditors.push_back(EditorClass); }
