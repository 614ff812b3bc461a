#pragma once
// A definition text read into sections and keys, kept in the order written. Names are
// compared exactly, letter case included. A section written twice continues the first;
// a key written twice keeps its first value.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Hashes names so that lookups by string_view need no copy.
struct TsNameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};
using TsNameIndex = std::unordered_map<std::string, std::size_t, TsNameHash, std::equal_to<>>;

struct TsIniKey {
  std::string Name;
  std::string Value;
};

struct TsIniSection {
  std::string Name;
  std::vector<TsIniKey> Keys;  // in the order written
  const std::string* Find(std::string_view key) const;

 private:
  friend class TsIniText;
  TsNameIndex index_;
};

class TsIniText {
 public:
  TsIniText() = default;
  explicit TsIniText(std::string_view text);

  const std::vector<TsIniSection>& Sections() const { return sections_; }
  const TsIniSection* FindSection(std::string_view name) const;
  // The value as written (blanks around it removed); none when the section or key is absent.
  const std::string* Find(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Lenient: a value that is not an integer gives the fallback.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;

 private:
  std::size_t OpenSection(std::string_view name);
  std::vector<TsIniSection> sections_;
  TsNameIndex section_index_;
};
