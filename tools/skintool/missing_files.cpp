#include "tools/skintool/missing_files.h"

#include "base/ascii_text.h"
#include "skin/definition/ini_text.h"

namespace klarvik {

std::optional<std::vector<std::uint8_t>> MissingFilesRecorder::Read(const std::string& name) const {
  std::optional<std::vector<std::uint8_t>> bytes = files_.Read(name);
  if (!bytes) missing_.insert(name);
  return bytes;
}

std::optional<std::span<const std::uint8_t>> MissingFilesRecorder::View(const std::string& name,
                                                                        std::vector<std::uint8_t>& storage) const {
  std::optional<std::span<const std::uint8_t>> bytes = files_.View(name, storage);
  if (!bytes) missing_.insert(name);
  return bytes;
}

void MissingFilesRecorder::AskForJpegBackgrounds(std::string_view definition) const {
  const TsIniText ini(definition);
  for (const TsIniSection& section : ini.Sections()) {
    for (const TsIniKey& key : section.Keys) {
      if (!ContainsUpper(key.Value, ".JPG") && !ContainsUpper(key.Value, ".JPEG")) continue;
      std::vector<std::uint8_t> storage;
      View(UpperCase(key.Value), storage);
    }
  }
}

}  // namespace klarvik
