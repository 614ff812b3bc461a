#pragma once
// Builds one stored skin from its recipe: the master bitmap, the large-button picture,
// the definition with every section the program's windows use, and the skin's extras.
#include <vector>

#include "tools/skingen/skin_recipe.h"

namespace klarvik {

// The files of the skin folder, "Options.dat" first, the others in the order made.
std::vector<SkinFile> BuildSkin(const SkinRecipe& recipe);

}  // namespace klarvik
