#include "win/resource_bytes.h"

namespace klarvik {

std::optional<std::span<const std::uint8_t>> RcDataBytes(HMODULE module, const wchar_t* name) {
  HRSRC resource = FindResourceW(module, name, RT_RCDATA);
  if (!resource) return std::nullopt;
  HGLOBAL loaded = LoadResource(module, resource);
  const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!bytes) return std::nullopt;
  return std::span<const std::uint8_t>(bytes, SizeofResource(module, resource));
}

}  // namespace klarvik
