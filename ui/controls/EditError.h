#pragma once
// Errors raised by the editors and their engines; the message is the text shown to the operator.
#include "ui/foundation/Core.h"

class EcxEditError : public EdxException {
 public:
  using EdxException::EdxException;
};

// A value the operator entered failed its validation; the message is the validation's error text.
class EcxEditValidationError : public EcxEditError {
 public:
  using EcxEditError::EcxEditError;
};
