#pragma once
// A Windows INI file read and written through the system's private-profile functions:
// every call goes to the file, nothing is cached.
#include <string>

#include "win/exceptions.h"

namespace klarvik {

// A value that could not be written; the message names the file.
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

class TIniFile {
 public:
  explicit TIniFile(std::wstring fileName) : fileName_(std::move(fileName)) {}

  const std::wstring& FileName() const { return fileName_; }

  // The value, at most 2047 characters; `fallback` for a missing file, section or key.
  std::wstring ReadString(const std::wstring& section, const std::wstring& ident, const std::wstring& fallback) const;
  // Creates the file when it is missing. Raises EIniFileException "Unable to write to
  // <file>" when the system cannot write it.
  void WriteString(const std::wstring& section, const std::wstring& ident, const std::wstring& value);

 private:
  std::wstring fileName_;
};

}  // namespace klarvik
