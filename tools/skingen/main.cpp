// skingen: draws the six stored skins and writes each as a skin folder.
//   skingen OUT_FOLDER     writes OUT_FOLDER/<skin>/Options.dat and the skin's pictures
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/skingen/skin_builder.h"
#include "tools/skingen/stored_skins.h"

using namespace klarvik;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: skingen OUT_FOLDER\n";
    return 2;
  }
  try {
    for (const SkinRecipe& recipe : StoredSkinRecipes()) {
      const std::filesystem::path folder = std::filesystem::path(argv[1]) / recipe.folder;
      std::filesystem::create_directories(folder);
      for (const SkinFile& file : BuildSkin(recipe)) {
        std::ofstream out(folder / file.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()), static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) throw std::runtime_error(std::string("cannot write ").append((folder / file.name).string()));
      }
    }
    return 0;
  } catch (const std::exception& failure) {
    std::cerr << "error: " << failure.what() << "\n";
    return 1;
  }
}
