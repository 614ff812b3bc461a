#pragma once
// Writes a skin package that the reader accepts: the definition first, every member as a
// zlib stream at the default level.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace klarvik {

struct TacPackageMember {
  std::string Name;  // as it will be stored; the definition is "Options.dat" in any letter case
  std::vector<std::uint8_t> Bytes;
};

// The package bytes of `members`: the definition first, the others in the given order.
// Raises ESkinError for what the reader would refuse: no members or too many, an empty or
// too long name, an empty or too large member, more than one definition, too much in total.
std::vector<std::uint8_t> WritePackage(std::span<const TacPackageMember> members);

}  // namespace klarvik
