#pragma once
// A skin manager that holds one stored skin made for a test (a definition text and its
// master bitmap), not shown yet; it is the default manager when it is the first one.
#include <cstdint>
#include <string_view>
#include <vector>

#include "skin/manager/skin_manager.h"
#include "skin/package/package_writer.h"

namespace klarvik::test {

inline TsSkinManager* NewManagerWithStoredSkin(TComponent* owner, const char* name, std::string_view definition,
                                               std::vector<std::uint8_t> masterBitmap) {
  auto* manager = new TsSkinManager(owner);
  manager->BeginLoading();
  TsStoredSkin& skin = manager->InternalSkins().Add();
  skin.SetName(name);
  const std::vector<TacPackageMember> members = {
      {"Options.dat", std::vector<std::uint8_t>(definition.begin(), definition.end())},
      {"Master.bmp", std::move(masterBitmap)}};
  skin.SetData(WritePackage(members));
  manager->SetActive(false);
  manager->EndLoading();
  return manager;
}

}  // namespace klarvik::test
