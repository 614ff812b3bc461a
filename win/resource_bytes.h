#pragma once
// Binary data carried in a program's resources.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

namespace klarvik {

// The bytes of the RCDATA resource `name` of `module`; they live as long as the module.
// None when there is no such resource.
std::optional<std::span<const std::uint8_t>> RcDataBytes(HMODULE module, const wchar_t* name);

}  // namespace klarvik
