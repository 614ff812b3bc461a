#pragma once
// "skintool pack": writes the files of a skin folder as a package, the definition first.
#include <filesystem>
#include <ostream>

namespace klarvik {

// Returns the exit code: 0 when the package was written and reads back, 1 otherwise.
int PackSkin(const std::filesystem::path& folder, const std::filesystem::path& package, std::ostream& out, std::ostream& err);

}  // namespace klarvik
