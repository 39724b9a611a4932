#include "platform/classes/TypInfo.h"

TPropTable::TPropTable() = default;
TPropTable::~TPropTable() = default;

TMetaClass::~TMetaClass() { delete FProps; }

const TPropTable& TMetaClass::Properties() const {
  std::call_once(FPropsOnce, [this] {
    auto* table = new TPropTable();
    if (FParent) table->Props = FParent->Properties().Props;
    if (FDeclarer) FDeclarer(*table);
    FProps = table;
  });
  return *FProps;
}
