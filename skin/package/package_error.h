#pragma once
// Errors of the skin package reader beyond the general skin error.
#include <string>

#include "skin/skin_error.h"

namespace klarvik {

// A package whose records break the format or the reader's bounds.
class EPackageDamaged : public ESkinError {
 public:
  explicit EPackageDamaged(const std::string& reason) : ESkinError("The skin package is damaged: " + reason) {}
};

// The failure of a ByteReader over a package: its data ends inside `field`.
[[noreturn]] inline void PackageDataEnds(const char* field) {
  throw EPackageDamaged(std::string("the data ends inside the ") + field);
}

// Inflation failed: the message is zlib's own text for the failing code, which it carries.
class EZlibError : public ECompressionError {
 public:
  explicit EZlibError(int code);
  int Code() const { return code_; }

 private:
  int code_;
};

}  // namespace klarvik
