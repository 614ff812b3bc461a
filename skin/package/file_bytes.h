#pragma once
// Reads a whole file of outside origin into memory, refusing one above a size limit.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace klarvik {

namespace skin_package {

// The file's bytes; none when no regular file is at `path`. Raises ESkinError when the file
// is larger than `maxBytes` or cannot be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes);

}  // namespace skin_package

}  // namespace klarvik
