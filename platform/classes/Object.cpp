#include "platform/classes/Object.h"

#include <strings.h>

bool TMetaClass::ClassNameIs(const String& name) const { return strcasecmp(FName, name.c_str()) == 0; }

TObject* TMetaClass::Create(TObject* arg) const {
  TObject* obj = FFactory ? FFactory(arg) : nullptr;
  if (!obj) throw EInvalidOperation("Cannot create an instance of " + String(FName));
  obj->AfterConstruction();
  return obj;
}

void TObject::RaiseInvalidCast() { throw EInvalidCast(SInvalidCast); }
