#pragma once
// The runtime's exception classes: a wide message for message boxes, UTF-8 for what().
#include <exception>
#include <string>

namespace klarvik {

class Exception : public std::exception {
 public:
  explicit Exception(std::wstring message);
  const std::wstring& Message() const { return message_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

 private:
  std::wstring message_;
  std::string utf8_;
};

// An operation that the object's current state does not allow.
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};

// A text or value that cannot be converted to the wanted type or range.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Failure of an operating-system call; the message carries the system's text.
class EOSError : public Exception {
 public:
  explicit EOSError(const std::wstring& operation, unsigned long errorCode);
  unsigned long ErrorCode() const { return errorCode_; }

 private:
  unsigned long errorCode_;
};

}  // namespace klarvik
