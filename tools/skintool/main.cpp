// skintool: checks and packs skins for skin authors.
//   skintool check [--strict] PATH  a package file or a skin folder; strict, every file
//                                   the definition names must be there
//   skintool pack FOLDER OUT.tpk  writes a package from a skin folder
#include <filesystem>
#include <iostream>
#include <string_view>
#include <vector>

#include "tools/skintool/skin_check.h"
#include "tools/skintool/skin_pack.h"

using namespace klarvik;

namespace {

int Usage() {
  std::cerr << "usage: skintool check [--strict] PATH\n       skintool pack FOLDER OUT.tpk\n";
  return 2;
}

int Run(const std::vector<std::filesystem::path>& args) {
  if (args.size() == 2 && args[0] == "check") return CheckSkin(args[1], false, std::cout, std::cerr);
  if (args.size() == 3 && args[0] == "check" && args[1] == "--strict") return CheckSkin(args[2], true, std::cout, std::cerr);
  if (args.size() == 3 && args[0] == "pack") return PackSkin(args[1], args[2], std::cout, std::cerr);
  return Usage();
}

}  // namespace

#ifdef _WIN32
// Wide arguments, so paths outside the ANSI code page arrive intact.
int wmain(int argc, wchar_t** argv) {
#else
int main(int argc, char** argv) {
#endif
  return Run(std::vector<std::filesystem::path>(argv + 1, argv + argc));
}
