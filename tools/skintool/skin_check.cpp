#include "tools/skintool/skin_check.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "skin/definition/skin_loader.h"
#include "skin/package/file_bytes.h"
#include "skin/package/package_files.h"
#include "skin/package/member_names.h"
#include "skin/package/package_error.h"
#include "skin/package/package_limits.h"
#include "skin/package/skin_convertor.h"
#include "skin/skin_error.h"
#include "skin/package/folder_skin_files.h"
#include "tools/skintool/jpeg_support.h"
#include "tools/skintool/missing_files.h"

namespace klarvik {

namespace {

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

const char* ImageKindName(int kind) {
  switch (kind) {
    case kImageBorder: return "border";
    case kImageTexture: return "texture";
    case kImageGlyph: return "glyph";
    case kImageGlow: return "glow";
    default: return "caption glow";
  }
}

void ReportTables(const TsSkinTables& tables, std::ostream& out) {
  out << "Sections: " << tables.Sections.size() << "\n";
  for (const TsGeneralData& section : tables.Sections) {
    out << "  " << section.SectionName;
    if (!section.ParentClass.empty()) out << " (parent " << section.ParentClass << ")";
    out << ", " << section.States << (section.States == 1 ? " state" : " states") << "\n";
  }
  out << "Image entries: " << tables.Masks.size() << "\n";
  for (const TsMaskData& mask : tables.Masks) {
    const SkinBitmap& image = tables.ImageOf(mask);
    const Rect& r = mask.SourceRect;
    out << "  " << mask.SectionName << "." << mask.KeyName << ": " << (mask.Bitmap ? "own image " : "master ")
        << image.width << "x" << image.height << ", rect " << r.left << "," << r.top << "-" << r.right << "," << r.bottom
        << ", " << ImageKindName(mask.ImageKind) << ", states " << mask.StateCount << ", mask " << mask.MaskKind
        << ", margins " << mask.BorderLeft << " " << mask.BorderTop << " " << mask.BorderRight << " " << mask.BorderBottom
        << "\n";
  }
  out << "Large backgrounds: " << tables.Patterns.size() << "\n";
  for (const TsPatternData& pattern : tables.Patterns) {
    out << "  " << pattern.SectionName << "." << pattern.KeyName << ": " << pattern.Image->Width() << "x"
        << pattern.Image->Height() << "\n";
  }
}

// Loads the tables through a recorder of missing files; strict, a missing file fails.
TsSkinTables LoadAndReport(std::string_view definition, const TsSkinFiles& files, const TsLoadSettings& settings,
                           bool strict, std::ostream& out) {
  const MissingFilesRecorder recorder(files);
  TsSkinTables tables = LoadSkinTables(definition, recorder, settings);
  ReportTables(tables, out);
  if (strict) {
    recorder.AskForJpegBackgrounds(definition);
    if (!recorder.Missing().empty()) {
      std::string names;
      for (const std::string& name : recorder.Missing()) names.append(names.empty() ? "" : ", ").append(name);
      throw ESkinError(std::string("The definition names files the skin does not hold: ").append(names));
    }
  }
  return tables;
}

TsLoadSettings LoadSettings() {
  TsLoadSettings settings;
  settings.Jpeg = SkinToolJpegDecoder();
  return settings;
}

int CheckPackage(const std::filesystem::path& path, bool strict, std::ostream& out) {
  std::unique_ptr<TacSkinConvertor> reader;
  LoadPackageFile(path, reader, true);
  if (!reader) throw ESkinError("No file at this path");
  out << "Package members: " << (reader->ImageTotal() + (reader->OptionsStream() ? 1 : 0)) << "\n";
  if (reader->OptionsStream()) out << "  Options.dat: " << reader->OptionsStream()->size() << " bytes (definition)\n";
  for (const TacImageItem& item : reader->ImageItems()) {
    out << "  " << item.FileName << ": " << item.Stream.size() << " bytes" << (item.IsBitmap ? " (bitmap)" : "") << "\n";
  }
  if (!reader->OptionsStream()) throw ESkinError("The package holds no Options.dat");
  LoadAndReport(Text(*reader->OptionsStream()), TacPackageFiles(*reader), LoadSettings(), strict, out);
  return 0;
}

// The folder's regular files as the members a package of it would hold.
void ReportFolderFiles(const std::filesystem::path& folder, std::ostream& out) {
  std::vector<std::filesystem::directory_entry> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_symlink() && entry.is_regular_file()) files.push_back(entry);
  }
  std::sort(files.begin(), files.end());
  out << "Folder files: " << files.size() << "\n";
  for (const auto& file : files) {
    const std::u8string name8 = file.path().filename().u8string();
    const std::string name(name8.begin(), name8.end());
    out << "  " << name << ": " << file.file_size() << " bytes";
    if (skin_package::IsDefinitionName(name)) out << " (definition)";
    if (skin_package::HasBitmapExtension(name)) out << " (bitmap)";
    out << "\n";
  }
}

int CheckFolder(const std::filesystem::path& folder, bool strict, std::ostream& out) {
  const std::filesystem::path definitionPath = FindFileInFolder(folder, "Options.dat");
  if (definitionPath.empty()) throw ESkinError("The folder holds no Options.dat");
  const auto definition = skin_package::ReadFileBytes(definitionPath, skin_package::kMaxMemberSize);
  if (!definition) throw ESkinError("Cannot read Options.dat");
  ReportFolderFiles(folder, out);
  TsLoadSettings settings = LoadSettings();
  const std::u8string folderText = (folder / "").u8string();
  settings.SkinFolder.assign(folderText.begin(), folderText.end());
  LoadAndReport(Text(*definition), FolderSkinFiles(folder), settings, strict, out);
  return 0;
}

}  // namespace

int CheckSkin(const std::filesystem::path& path, bool strict, std::ostream& out, std::ostream& err) {
  try {
    std::error_code error;
    return std::filesystem::is_directory(path, error) ? CheckFolder(path, strict, out) : CheckPackage(path, strict, out);
  } catch (const EZlibError& failure) {
    out.flush();
    err << "error: " << failure.what() << " (zlib code " << failure.Code() << ": a member's data is corrupt or cut short)\n";
    return 1;
  } catch (const std::exception& failure) {
    out.flush();
    err << "error: " << failure.what() << "\n";
    return 1;
  }
}

}  // namespace klarvik
