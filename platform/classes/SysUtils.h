#pragma once
// The class library's run-time basics: the string type and the exception root.
#include <stdexcept>
#include <string>
#include <utility>

using String = std::string;

// Root of every exception the class library and the system raise; Message is the text shown to
// the operator.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)) {}
  ~Exception() override = default;

  const String& Message() const { return FMessage; }
  void SetMessage(const String& v) { FMessage = v; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  String FMessage;
};
