#include "skin/definition/ini_text.h"

#include "skin/definition/value_parsing.h"

const std::string* TsIniSection::Find(std::string_view key) const {
  auto found = index_.find(key);
  return found == index_.end() ? nullptr : &Keys[found->second].Value;
}

TsIniText::TsIniText(std::string_view text) {
  std::size_t current = 0;
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = OpenSection(TrimBlanks(line.substr(1, line.size() - 2)));
      inSection = true;
      continue;
    }
    std::size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    std::string_view key = TrimBlanks(line.substr(0, equals));
    if (key.empty()) continue;
    TsIniSection& section = sections_[current];
    auto [found, added] = section.index_.emplace(std::string(key), section.Keys.size());
    if (added) section.Keys.push_back({found->first, std::string(TrimBlanks(line.substr(equals + 1)))});
  }
}

std::size_t TsIniText::OpenSection(std::string_view name) {
  auto [found, added] = section_index_.emplace(std::string(name), sections_.size());
  if (added) {
    sections_.emplace_back();
    sections_.back().Name = name;
  }
  return found->second;
}

const TsIniSection* TsIniText::FindSection(std::string_view name) const {
  auto found = section_index_.find(name);
  return found == section_index_.end() ? nullptr : &sections_[found->second];
}

const std::string* TsIniText::Find(std::string_view section, std::string_view key) const {
  const TsIniSection* s = FindSection(section);
  return s == nullptr ? nullptr : s->Find(key);
}

std::string TsIniText::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const std::string* value = Find(section, key);
  return value != nullptr ? *value : std::string(fallback);
}

int TsIniText::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const std::string* value = Find(section, key);
  return value != nullptr ? IntegerOr(*value, fallback) : fallback;
}
