#pragma once
// The recipes of the six stored skins, in the order the program lists them.
#include <vector>

#include "tools/skingen/skin_recipe.h"

namespace klarvik {

SkinRecipe AfterburnerRecipe();
SkinRecipe BlueGauzeRecipe();
SkinRecipe FalloutStyleRecipe();
SkinRecipe GarnetRecipe();
SkinRecipe MatrixRecipe();
SkinRecipe Steam2Recipe();

std::vector<SkinRecipe> StoredSkinRecipes();

}  // namespace klarvik
