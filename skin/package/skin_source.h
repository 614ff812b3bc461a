#pragma once
// Where a skin of a given name comes from, and its load from there into finished tables.
// The load builds everything aside: a failure raises and leaves the caller's tables as
// they were.
#include <filesystem>
#include <string>

#include "skin/definition/skin_loader.h"
#include "skin/package/stored_skins.h"

namespace klarvik {

enum class SkinSourceKind {
  kNone,         // nothing answers the name and there are no stored skins
  kPackageFile,  // directory + name + ".tpk"
  kFolder,       // directory + name, holding "Options.dat"
  kStored,       // a skin carried by the program
};

struct SkinSource {
  SkinSourceKind kind = SkinSourceKind::kNone;
  std::filesystem::path path;  // the package file or the folder
  int storedIndex = -1;
  // The name the source answers to: the name asked for, or the first stored skin's name
  // when the name matched nothing.
  std::string name;
};

// A package file first, then a folder with a definition, then the stored skin of exactly
// that name; a name that matches none of them falls back to the first stored skin.
// `name` is UTF-8 without the package ending.
SkinSource FindSkinSource(const std::filesystem::path& directory, const std::string& name, const TsStoredSkins& stored);

struct LoadedSkin {
  TsSkinTables tables;
  bool fromPackage = false;  // images were looked up among package members
};

// Reads the source and builds its tables; `settings.SkinFolder` is set from the source
// (the folder, the package's directory, or empty for a stored skin). Raises ESkinError
// (and its kinds) for anything that cannot be loaded, a stored skin without bytes and a
// package without a definition included.
LoadedSkin LoadSkinSource(const SkinSource& source, const TsStoredSkins& stored, TsLoadSettings settings);

}  // namespace klarvik
