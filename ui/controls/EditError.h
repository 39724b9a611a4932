#pragma once
// Errors raised by the editors and their engines; the message is the text shown to the operator.
#include "platform/classes/SysUtils.h"

class EcxEditError : public Exception {
 public:
  using Exception::Exception;
};
