#pragma once
// For "skintool check --strict": the files a definition names that the skin does not
// hold. The loader skips such a file without a word, as the program must; an author
// wants to hear of it.
#include <set>
#include <string>
#include <string_view>

#include "skin/definition/skin_files.h"

namespace klarvik {

// Passes every request on to the skin's files and notes the names that found nothing.
class MissingFilesRecorder : public TsSkinFiles {
 public:
  explicit MissingFilesRecorder(const TsSkinFiles& files) : files_(files) {}

  std::optional<std::vector<std::uint8_t>> Read(const std::string& name) const override;
  std::optional<std::span<const std::uint8_t>> View(const std::string& name, std::vector<std::uint8_t>& storage) const override;

  // Asks for every JPG background the definition names: a load without a JPG decoder
  // never asks for them.
  void AskForJpegBackgrounds(std::string_view definition) const;

  const std::set<std::string>& Missing() const { return missing_; }

 private:
  const TsSkinFiles& files_;
  mutable std::set<std::string> missing_;
};

}  // namespace klarvik
