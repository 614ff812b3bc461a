#include "tools/skingen/stored_skins.h"

namespace klarvik {

std::vector<SkinRecipe> StoredSkinRecipes() {
  return {AfterburnerRecipe(), BlueGauzeRecipe(), FalloutStyleRecipe(), GarnetRecipe(), MatrixRecipe(), Steam2Recipe()};
}

}  // namespace klarvik
