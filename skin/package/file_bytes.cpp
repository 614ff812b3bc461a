#include "skin/package/file_bytes.h"

#include <fstream>
#include <string>
#include <system_error>

#include "skin/skin_error.h"

namespace klarvik {

namespace skin_package {
namespace {

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw ESkinError("Cannot read the file " + PathText(path));
  if (size > maxBytes) throw ESkinError("The file is too large: " + PathText(path));

  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  std::ifstream file(path, std::ios::binary);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  // A file that changed size since it was measured is read as a failure, not half-read.
  if (!file || file.peek() != std::ifstream::traits_type::eof()) {
    throw ESkinError("Cannot read the file " + PathText(path));
  }
  return bytes;
}

}  // namespace skin_package

}  // namespace klarvik
