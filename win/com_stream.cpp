#include "win/com_stream.h"

#include <cstring>

namespace klarvik {

namespace {

// Frees a global memory block unless a stream took it over.
class GlobalBlock {
 public:
  explicit GlobalBlock(SIZE_T size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (handle_) GlobalFree(handle_);
  }
  HGLOBAL Get() const { return handle_; }
  HGLOBAL Release() {
    HGLOBAL handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HGLOBAL handle_;
};

}  // namespace

UniqueStream StreamOnCopyOf(const std::vector<std::uint8_t>& bytes) {
  // A block of at least one byte, so an empty copy is still a valid (empty) stream.
  GlobalBlock block(bytes.empty() ? 1 : bytes.size());
  if (!block.Get()) return UniqueStream();
  void* memory = GlobalLock(block.Get());
  if (!memory) return UniqueStream();
  if (!bytes.empty()) std::memcpy(memory, bytes.data(), bytes.size());
  GlobalUnlock(block.Get());
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block.Get(), TRUE, &stream)) || !stream) return UniqueStream();
  block.Release();
  UniqueStream owned(stream);
  ULARGE_INTEGER size{};
  size.QuadPart = bytes.size();
  stream->SetSize(size);
  return owned;
}

std::vector<std::uint8_t> ReadWholeStream(IStream* stream) {
  std::vector<std::uint8_t> bytes;
  if (!stream) return bytes;
  LARGE_INTEGER start{};
  if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return bytes;
  std::uint8_t chunk[16384];
  for (;;) {
    ULONG read = 0;
    const HRESULT result = stream->Read(chunk, sizeof(chunk), &read);
    bytes.insert(bytes.end(), chunk, chunk + read);
    if (FAILED(result) || read == 0) break;
  }
  return bytes;
}

bool WriteToStream(IStream* stream, const std::vector<std::uint8_t>& bytes) {
  if (!stream) return false;
  if (bytes.empty()) return true;
  ULONG written = 0;
  const HRESULT result = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
  return SUCCEEDED(result) && written == bytes.size();
}

}  // namespace klarvik
