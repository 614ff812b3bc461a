#include "skin/package/skin_source.h"

#include <memory>
#include <string_view>
#include <system_error>

#include "skin/package/file_bytes.h"
#include "skin/package/folder_skin_files.h"
#include "skin/package/package_files.h"
#include "skin/package/package_limits.h"
#include "skin/package/skin_convertor.h"
#include "skin/skin_error.h"

namespace klarvik {

namespace {

std::filesystem::path Utf8Path(const std::string& text) { return std::filesystem::path(std::u8string(text.begin(), text.end())); }

// A folder as the definition model records it: with its final separator.
std::string FolderText(const std::filesystem::path& folder) {
  const std::u8string text = folder.u8string();
  std::string result(text.begin(), text.end());
  if (!result.empty() && result.back() != '/' && result.back() != '\\') {
    result.push_back(static_cast<char>(std::filesystem::path::preferred_separator));
  }
  return result;
}

std::string_view Text(const std::vector<std::uint8_t>& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

const std::vector<std::uint8_t>& DefinitionOf(const std::unique_ptr<TacSkinConvertor>& reader) {
  if (!reader || !reader->OptionsStream()) throw ESkinError("The skin package holds no Options.dat");
  return *reader->OptionsStream();
}

LoadedSkin LoadPackage(const std::unique_ptr<TacSkinConvertor>& reader, const TsLoadSettings& settings) {
  const std::vector<std::uint8_t>& definition = DefinitionOf(reader);
  return {LoadSkinTables(Text(definition), TacPackageFiles(*reader), settings), true};
}

}  // namespace

SkinSource FindSkinSource(const std::filesystem::path& directory, const std::string& name, const TsStoredSkins& stored) {
  std::error_code error;
  const std::filesystem::path package = directory / Utf8Path(std::string(name).append(".tpk"));
  if (std::filesystem::is_regular_file(package, error)) return {SkinSourceKind::kPackageFile, package, -1, name};
  const std::filesystem::path folder = directory / Utf8Path(name);
  if (!name.empty() && !FindFileInFolder(folder, "Options.dat").empty()) return {SkinSourceKind::kFolder, folder, -1, name};
  const int index = stored.IndexOfName(name);
  if (index >= 0) return {SkinSourceKind::kStored, {}, index, name};
  if (stored.Count() > 0) return {SkinSourceKind::kStored, {}, 0, stored.Items(0).Name()};
  return {};
}

LoadedSkin LoadSkinSource(const SkinSource& source, const TsStoredSkins& stored, TsLoadSettings settings) {
  switch (source.kind) {
    case SkinSourceKind::kPackageFile: {
      settings.SkinFolder = FolderText(source.path.parent_path());
      std::unique_ptr<TacSkinConvertor> reader;
      LoadPackageFile(source.path, reader, true);
      return LoadPackage(reader, settings);
    }
    case SkinSourceKind::kFolder: {
      settings.SkinFolder = FolderText(source.path);
      const auto definition = skin_package::ReadFileBytes(FindFileInFolder(source.path, "Options.dat"), skin_package::kMaxMemberSize);
      if (!definition) throw ESkinError("Cannot read the skin's Options.dat");
      return {LoadSkinTables(Text(*definition), FolderSkinFiles(source.path), settings), false};
    }
    case SkinSourceKind::kStored: {
      settings.SkinFolder.clear();
      const TsStoredSkin& skin = stored.Items(source.storedIndex);
      if (skin.Data().empty()) throw ESkinError(std::string("The stored skin \"").append(skin.Name()).append("\" holds no package"));
      std::unique_ptr<TacSkinConvertor> reader;
      ReadStoredPackage(skin.Data(), reader);
      return LoadPackage(reader, settings);
    }
    case SkinSourceKind::kNone:
      break;
  }
  throw ESkinError("No skin of that name is available");
}

}  // namespace klarvik
