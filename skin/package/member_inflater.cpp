#include "skin/package/member_inflater.h"

#include <zlib.h>

#include <limits>

#include "skin/package/package_error.h"

namespace klarvik {

EZlibError::EZlibError(int code) : ECompressionError(zError(code)), code_(code) {}

namespace skin_package {
namespace {

class InflateStream {
 public:
  InflateStream() {
    const int result = inflateInit(&stream_);
    if (result != Z_OK) throw EZlibError(result);
  }
  ~InflateStream() { inflateEnd(&stream_); }
  InflateStream(const InflateStream&) = delete;
  InflateStream& operator=(const InflateStream&) = delete;

  z_stream* operator->() { return &stream_; }
  int Inflate() { return inflate(&stream_, Z_FINISH); }

 private:
  z_stream stream_{};
};

// After a call that did not end the stream: raise what zlib reported, or a cut-off stream
// when it only ran out of input.
[[noreturn]] void RaiseFailure(int result) {
  if (result == Z_OK || result == Z_BUF_ERROR) throw EZlibError(Z_BUF_ERROR);
  throw EZlibError(result);
}

}  // namespace

std::size_t InflateMember(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) {
  if (input.size() > std::numeric_limits<uInt>::max() || output.size() > std::numeric_limits<uInt>::max()) {
    throw EPackageDamaged("a member is too large");
  }
  InflateStream stream;
  stream->next_in = const_cast<Bytef*>(input.data());
  stream->avail_in = static_cast<uInt>(input.size());
  stream->next_out = output.data();
  stream->avail_out = static_cast<uInt>(output.size());

  int result = stream.Inflate();
  if (result == Z_STREAM_END && stream->avail_out != 0) {
    throw EPackageDamaged("a member inflates to fewer bytes than declared");
  }
  if (result != Z_STREAM_END) {
    if (stream->avail_out != 0) RaiseFailure(result);
    // All declared bytes are out but the stream has not ended: the rest may be only the
    // end of the deflate data and the trailer, which must add no byte.
    Bytef extra = 0;
    stream->next_out = &extra;
    stream->avail_out = 1;
    result = stream.Inflate();
    if (stream->avail_out == 0) throw EPackageDamaged("a member inflates to more bytes than declared");
    if (result != Z_STREAM_END) RaiseFailure(result);
  }
  return input.size() - stream->avail_in;
}

}  // namespace skin_package

}  // namespace klarvik
