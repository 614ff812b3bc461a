#pragma once
// Errors of the skin data layer. Portable, so the message is UTF-8 text; the Windows
// side turns it into a message box text.
#include <stdexcept>
#include <string>

namespace klarvik {

class ESkinError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A picture whose bytes are not a valid image of its format.
class EInvalidGraphic : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

// Compressed data that cannot be inflated (package members, PNG image data).
class ECompressionError : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

// A definition value that a strict conversion rejects.
class ESkinConvertError : public ESkinError {
 public:
  using ESkinError::ESkinError;
};

}  // namespace klarvik
