#pragma once
// The six skins the program carries in its resources, as the main window's skin manager
// holds them, and the menu that chooses among them.
#include <array>

#include "skin/package/stored_skins.h"

namespace klarvik {

struct StoredSkinResource {
  const char* name;          // as the skin manager and the settings file know it
  const wchar_t* resource;  // RCDATA name
};

inline constexpr std::array<StoredSkinResource, 6> kStoredSkins = {{
    {"Afterburner (internal)", L"AFTERBURNER"},
    {"BlueGauze (internal)", L"BLUEGAUZE"},
    {"FalloutStyle (internal)", L"FALLOUTSTYLE"},
    {"Garnet (internal)", L"GARNET"},
    {"Matrix (internal)", L"MATRIX"},
    {"Steam2 (internal)", L"STEAM2"},
}};

// Adds the six skins in that order, each with its package bytes from the running
// program's resources (none when the program carries no such resource).
void AddStoredSkins(TsStoredSkins& skins);

}  // namespace klarvik
