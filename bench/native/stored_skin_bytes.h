#pragma once
// A stored skin's package as the build packed it from skins/; the benchmark ends with a
// message when the build has not made it yet.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<std::uint8_t> StoredSkinBytes(const std::string& skin) {
  const std::filesystem::path path = std::filesystem::path(KLARVIK_STORED_SKINS_DIR) / (skin + ".tpk");
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    std::fprintf(stderr, "cannot read %s: build the stored skins first\n", path.string().c_str());
    std::exit(2);
  }
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
