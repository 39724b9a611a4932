#pragma once
// Published properties: each class lists them once, and the streaming system and the tools read
// and write them by name.
#include <memory>
#include <vector>

#include "platform/classes/Object.h"

struct TPropInfo;

class TPropTable {
 public:
  TPropTable();
  ~TPropTable();
  std::vector<std::shared_ptr<TPropInfo>> Props;
};
