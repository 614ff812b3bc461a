#pragma once
// A definition text read into sections and keys, kept in the order written. Names are
// compared exactly, letter case included. A section written twice continues the first;
// a key written twice keeps its first value. Names and values are views into the text's
// own copy, so reading a definition allocates little.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace klarvik {

struct TsIniKey {
  std::string_view Name;
  std::string_view Value;  // blanks around it removed
};

struct TsIniSection {
  std::string_view Name;
  std::vector<TsIniKey> Keys;  // in the order written
  // The value of `key`; null when the section does not have it.
  const std::string_view* Find(std::string_view key) const;

 private:
  friend class TsIniText;
  std::vector<std::uint32_t> byName_;  // positions in Keys ordered by name
  // One bit for each key's length and last letter: most keys asked for are not in a
  // section, and a clear bit says so without a search.
  std::uint64_t keyFilter_ = 0;
};

class TsIniText {
 public:
  TsIniText() = default;
  explicit TsIniText(std::string_view text);
  // The views point into this object's copy of the text.
  TsIniText(const TsIniText&) = delete;
  TsIniText& operator=(const TsIniText&) = delete;
  TsIniText(TsIniText&&) noexcept = default;
  TsIniText& operator=(TsIniText&&) noexcept = default;

  const std::vector<TsIniSection>& Sections() const { return sections_; }
  const TsIniSection* FindSection(std::string_view name) const;
  // The value as written; null when the section or key is absent.
  const std::string_view* Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Lenient: a value that is not an integer gives the fallback.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

 private:
  std::unique_ptr<char[]> text_;
  std::vector<TsIniSection> sections_;
  std::vector<std::uint32_t> byName_;  // positions in sections_ ordered by name
};

}  // namespace klarvik
