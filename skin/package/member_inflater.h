#pragma once
// Inflates one package member: a complete zlib stream that must give exactly the
// declared number of bytes and end there.
#include <cstddef>
#include <cstdint>
#include <span>

namespace klarvik {

namespace skin_package {

// Inflates the zlib stream at the start of `input` into all of `output` and returns how
// many input bytes the stream took (header, deflate data and trailer), so the next record
// starts right after it. Raises EZlibError for corrupt or cut data and EPackageDamaged
// when the stream gives fewer or more bytes than `output` holds.
std::size_t InflateMember(std::span<const std::uint8_t> input, std::span<std::uint8_t> output);

}  // namespace skin_package

}  // namespace klarvik
