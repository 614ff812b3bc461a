#pragma once
// Bounds on what a skin package may declare. A package comes from outside the program, so
// every count and size it states is checked against these before anything is allocated.
#include <cstddef>
#include <cstdint>

namespace klarvik {

namespace skin_package {

inline constexpr std::int32_t kMaxMembers = 4096;
inline constexpr std::int32_t kMaxNameLength = 260;
inline constexpr std::int64_t kMaxMemberSize = 64ll * 1024 * 1024;
inline constexpr std::int64_t kMaxTotalSize = 64ll * 1024 * 1024;
// Room above the unpacked total for stored (incompressible) deflate blocks and the records.
inline constexpr std::int64_t kMaxPackageBytes = 96ll * 1024 * 1024;

inline constexpr char kMagic[4] = {'T', 'L', 'z', 'f'};
inline constexpr char kDefinitionName[] = "OPTIONS.DAT";

}  // namespace skin_package

}  // namespace klarvik
