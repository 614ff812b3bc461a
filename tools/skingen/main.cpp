// skingen: draws the six stored skins and writes each as a skin folder, or the gauge's
// light picture that the program carries in its resources.
//   skingen OUT_FOLDER                writes OUT_FOLDER/<skin>/Options.dat and the skin's pictures
//   skingen --gauge-light OUT_FILE    writes the gauge's light as a PNG (app/res/gauge_light.png)
//   skingen --shadows OUT_FOLDER      writes the manager's built-in shadows as shadow_active.png
//                                     and shadow_inactive.png (into app/res)
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/gauge_light.h"
#include "tools/skingen/shadow_art.h"
#include "tools/skingen/png_writer.h"
#include "tools/skingen/skin_builder.h"
#include "tools/skingen/stored_skins.h"

using namespace klarvik;

namespace {

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error(std::string("cannot write ").append(path.string()));
}

void WriteStoredSkins(const std::filesystem::path& root) {
  for (const SkinRecipe& recipe : StoredSkinRecipes()) {
    const std::filesystem::path folder = root / recipe.folder;
    std::filesystem::create_directories(folder);
    for (const SkinFile& file : BuildSkin(recipe)) WriteFile(folder / file.name, file.bytes);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool light = argc == 3 && std::string_view(argv[1]) == "--gauge-light";
  const bool shadows = argc == 3 && std::string_view(argv[1]) == "--shadows";
  if (argc != 2 && !light && !shadows) {
    std::cerr << "usage: skingen OUT_FOLDER\n       skingen --gauge-light OUT_FILE\n       skingen --shadows OUT_FOLDER\n";
    return 2;
  }
  try {
    if (light) {
      WriteFile(argv[2], PngFileBytes(ConstView(GaugeLightPicture())));
    } else if (shadows) {
      const std::filesystem::path folder = argv[2];
      WriteFile(folder / "shadow_active.png", PngFileBytes(ConstView(ShadowPicture(true))));
      WriteFile(folder / "shadow_inactive.png", PngFileBytes(ConstView(ShadowPicture(false))));
    } else {
      WriteStoredSkins(argv[1]);
    }
    return 0;
  } catch (const std::exception& failure) {
    std::cerr << "error: " << failure.what() << "\n";
    return 1;
  }
}
