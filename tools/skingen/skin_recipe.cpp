#include "tools/skingen/skin_recipe.h"

#include "base/ascii_text.h"
#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/png_writer.h"

namespace klarvik {

std::string SkinBuild::AddPng(const std::string& name, const SkinBitmap& picture) {
  files.push_back({name, PngFileBytes(ConstView(picture))});
  return UpperCase(name);
}

}  // namespace klarvik
