#pragma once
// Where a skin's files come from: a folder, a loaded package or bytes held by a test.
// The definition model only asks for a file by name and gets its bytes or nothing.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace klarvik {

class TsSkinFiles {
 public:
  virtual ~TsSkinFiles() = default;
  // The file named as a skin definition writes it (for example "BUTTONHUGE.BMP" or, in a
  // folder, a name with a drive "C:\x.png"); absent when there is no such file.
  virtual std::optional<std::vector<std::uint8_t>> Read(const std::string& name) const = 0;
  // The same bytes without a copy where the source already holds them: the view lasts as
  // long as the source and `storage`. By default they are read into `storage`.
  virtual std::optional<std::span<const std::uint8_t>> View(const std::string& name, std::vector<std::uint8_t>& storage) const {
    std::optional<std::vector<std::uint8_t>> bytes = Read(name);
    if (!bytes) return std::nullopt;
    storage = std::move(*bytes);
    return std::span<const std::uint8_t>(storage);
  }
};

}  // namespace klarvik
