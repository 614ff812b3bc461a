#include "skin/definition/ini_text.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "skin/definition/value_parsing.h"

namespace klarvik {

namespace {

// Orders names of equal length as memcmp would, in a plain loop: names are short, and a
// loop that stops at the first differing byte costs less than the library call.
int CompareSameLength(std::string_view a, std::string_view b) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}

// Orders names by length first: most names differ in length, which spares comparing bytes.
bool NameBefore(std::string_view a, std::string_view b) {
  return a.size() != b.size() ? a.size() < b.size() : CompareSameLength(a, b) < 0;
}

// Positions of `items` ordered by name; the first written comes first among equal names.
// Positions are unique, so a plain sort on (name, position) gives that order without the
// buffer a stable sort allocates.
template <typename Items>
void OrderByName(const Items& items, auto name, std::vector<std::uint32_t>& order) {
  order.resize(items.size());
  for (std::uint32_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    const std::string_view nameA = name(items[a]), nameB = name(items[b]);
    if (nameA.size() != nameB.size()) return nameA.size() < nameB.size();
    const int compared = CompareSameLength(nameA, nameB);
    return compared != 0 ? compared < 0 : a < b;
  });
}

template <typename Items>
const typename Items::value_type* FindByName(const Items& items, const std::vector<std::uint32_t>& order, std::string_view wanted,
                                             auto name) {
  auto found = std::lower_bound(order.begin(), order.end(), wanted,
                                [&](std::uint32_t position, std::string_view w) { return NameBefore(name(items[position]), w); });
  if (found == order.end() || name(items[*found]).size() != wanted.size() || CompareSameLength(name(items[*found]), wanted) != 0) {
    return nullptr;
  }
  return &items[*found];
}

const auto kKeyName = [](const TsIniKey& key) { return key.Name; };

std::uint64_t KeyFilterBit(std::string_view key) {
  const auto last = static_cast<unsigned char>(key.empty() ? 0 : key.back());
  return std::uint64_t{1} << ((key.size() * 7 + last) & 63);
}
const auto kSectionName = [](const TsIniSection& section) { return section.Name; };

// Drops every key written again after its first appearance, keeping the order written.
void IndexKeys(TsIniSection& section, std::vector<std::uint32_t>& byName) {
  OrderByName(section.Keys, kKeyName, byName);
  auto sameAsBefore = [&](std::size_t i) { return section.Keys[byName[i]].Name == section.Keys[byName[i - 1]].Name; };
  std::size_t first = 1;
  while (first < byName.size() && !sameAsBefore(first)) ++first;
  if (first >= byName.size()) return;
  std::vector<bool> repeated(section.Keys.size(), false);
  for (std::size_t i = first; i < byName.size(); ++i) {
    if (sameAsBefore(i)) repeated[byName[i]] = true;
  }
  std::vector<TsIniKey> kept;
  for (std::size_t i = 0; i < section.Keys.size(); ++i) {
    if (!repeated[i]) kept.push_back(section.Keys[i]);
  }
  section.Keys = std::move(kept);
  OrderByName(section.Keys, kKeyName, byName);
}

}  // namespace

const std::string_view* TsIniSection::Find(std::string_view key) const {
  if ((keyFilter_ & KeyFilterBit(key)) == 0) return nullptr;
  const TsIniKey* found = FindByName(Keys, byName_, key, kKeyName);
  return found != nullptr ? &found->Value : nullptr;
}

TsIniText::TsIniText(std::string_view source) : text_(new char[source.size() + 1]) {
  std::memcpy(text_.get(), source.data(), source.size());
  const std::string_view text(text_.get(), source.size());
  std::unordered_map<std::string_view, std::size_t> opened;
  // The keys of all sections are gathered first, so that each section's list is then made
  // at its size rather than grown key by key.
  struct WrittenKey {
    std::size_t section;
    TsIniKey key;
  };
  std::vector<WrittenKey> written;
  std::size_t current = 0;
  bool inSection = false;
  // A line ends at the first "\r" or "\n". The next of each is found with memchr and kept
  // until the reading passes it, so each character is searched once for each.
  auto nextOf = [&](char c, std::size_t from) {
    const void* found = std::memchr(text.data() + from, c, text.size() - from);
    return found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : text.size();
  };
  std::size_t nextCr = nextOf('\r', 0), nextLf = nextOf('\n', 0);
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (nextCr < pos) nextCr = nextOf('\r', pos);
    if (nextLf < pos) nextLf = nextOf('\n', pos);
    const std::size_t end = std::min(nextCr, nextLf);
    std::string_view line = TrimBlanks(text.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      std::string_view name = TrimBlanks(line.substr(1, line.size() - 2));
      auto [found, added] = opened.emplace(name, sections_.size());
      if (added) {
        sections_.emplace_back();
        sections_.back().Name = name;
      }
      current = found->second;
      inSection = true;
      continue;
    }
    std::size_t equals = line.find('=');
    if (!inSection || equals == std::string_view::npos) continue;
    std::string_view key = TrimBlanks(line.substr(0, equals));
    if (!key.empty()) written.push_back({current, {key, TrimBlanks(line.substr(equals + 1))}});
  }
  std::vector<std::uint32_t> keyCounts(sections_.size(), 0);
  for (const WrittenKey& w : written) ++keyCounts[w.section];
  for (std::size_t i = 0; i < sections_.size(); ++i) sections_[i].Keys.reserve(keyCounts[i]);
  for (const WrittenKey& w : written) sections_[w.section].Keys.push_back(w.key);
  for (TsIniSection& section : sections_) {
    IndexKeys(section, section.byName_);
    for (const TsIniKey& key : section.Keys) section.keyFilter_ |= KeyFilterBit(key.Name);
  }
  OrderByName(sections_, kSectionName, byName_);
}

const TsIniSection* TsIniText::FindSection(std::string_view name) const { return FindByName(sections_, byName_, name, kSectionName); }

const std::string_view* TsIniText::Find(std::string_view section, std::string_view key) const {
  const TsIniSection* s = FindSection(section);
  return s == nullptr ? nullptr : s->Find(key);
}

std::string TsIniText::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const std::string_view* value = Find(section, key);
  return std::string(value != nullptr ? *value : fallback);
}

int TsIniText::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const std::string_view* value = Find(section, key);
  return value != nullptr ? IntegerOr(*value, fallback) : fallback;
}

}  // namespace klarvik
