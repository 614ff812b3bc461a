#pragma once
// COM streams over bytes in memory, as GDI+ decodes from them, and whole-stream copies.
#include <windows.h>

#include <objidl.h>

#include <cstdint>
#include <vector>

#include "win/handles.h"

namespace klarvik {

namespace handle_traits {
inline void ReleaseStream(IStream* stream) noexcept { stream->Release(); }
}  // namespace handle_traits

using UniqueStream = UniqueHandle<handle_traits::NullIsInvalid<IStream*, handle_traits::ReleaseStream>>;

// A stream on a movable global memory copy of the bytes, positioned at the start; the
// stream frees the memory. Empty when no memory could be had.
UniqueStream StreamOnCopyOf(const std::vector<std::uint8_t>& bytes);

// Every byte of the stream from its start (its position is left at the end).
std::vector<std::uint8_t> ReadWholeStream(IStream* stream);

// Writes the bytes at the stream's position; false when the stream took fewer.
bool WriteToStream(IStream* stream, const std::vector<std::uint8_t>& bytes);

}  // namespace klarvik
