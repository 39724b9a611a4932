#include "platform/classes/Persistent.h"

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::DefineProperties(TFiler*) {}

String TPersistent::GetNamePath() { return ClassName(); }

void TPersistent::AssignError(TPersistent* Source) {
  String source = Source ? Source->ClassName() : String("nil");
  throw Exception("Cannot assign a " + source + " to a " + ClassName());
}

void TInterfacedPersistent::AfterConstruction() {
  TPersistent::AfterConstruction();
  if (GetOwner()) FOwnerInterface = GetOwner();
}
