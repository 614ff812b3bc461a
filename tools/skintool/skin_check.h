#pragma once
// "skintool check": reads a skin package or folder the way the program does and reports
// its members, sections and image entries, or the error that stops the load.
#include <filesystem>
#include <ostream>

namespace klarvik {

// Returns the exit code: 0 when the skin loads, 1 when it does not. Strict, the skin
// must also hold every file its definition names.
int CheckSkin(const std::filesystem::path& path, bool strict, std::ostream& out, std::ostream& err);

}  // namespace klarvik
