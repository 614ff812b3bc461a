#include "app/stored_skins.h"

#include "win/resource_bytes.h"

namespace klarvik {

void AddStoredSkins(TsStoredSkins& skins) {
  for (const StoredSkinResource& stored : kStoredSkins) {
    TsStoredSkin& skin = skins.Add();
    skin.SetName(stored.name);
    skin.SetShadow1Color(0);
    skin.SetShadow1Offset(0);
    skin.SetShadow1Transparency(0);
    if (const auto bytes = RcDataBytes(GetModuleHandleW(nullptr), stored.resource)) {
      skin.SetData(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
    }
  }
}

}  // namespace klarvik
