// What the programs of a build carry: the architecture they are for, in the PE header, the
// manifest (Windows refuses to start a program whose manifest names another one) and the
// version resource, which must all agree with the build these tests belong to; and the
// stored skins.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "skin/package/skin_convertor.h"
#include "win/handles.h"
#include "win/resource_bytes.h"

namespace klarvik {

namespace {

#ifdef _WIN64
constexpr WORD kMachine = IMAGE_FILE_MACHINE_AMD64;
constexpr char kManifestArch[] = "amd64";
constexpr wchar_t kBits[] = L"(64-bit)";
#else
constexpr WORD kMachine = IMAGE_FILE_MACHINE_I386;
constexpr char kManifestArch[] = "x86";
constexpr wchar_t kBits[] = L"(32-bit)";
#endif

// The programs sit at the top of the build folder, two levels above this test program.
std::wstring BuiltProgram(const wchar_t* name) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  for (int level = 0; level < 3; ++level) path.resize(path.find_last_of(L'\\'));
  return path + L"\\" + name;
}

std::string ManifestOf(HMODULE image) {
  HRSRC found = FindResourceW(image, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  if (!found) return {};
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(image, found)));
  return bytes ? std::string(bytes, SizeofResource(image, found)) : std::string();
}

std::vector<std::string> ArchitecturesNamedIn(const std::string& manifest) {
  static const std::string key = "processorArchitecture=\"";
  std::vector<std::string> names;
  for (size_t at = manifest.find(key); at != std::string::npos; at = manifest.find(key, at + 1)) {
    const size_t start = at + key.size();
    names.push_back(manifest.substr(start, manifest.find('"', start) - start));
  }
  return names;
}

std::wstring FileDescriptionOf(const std::wstring& path) {
  DWORD ignored = 0;
  std::vector<BYTE> block(GetFileVersionInfoSizeW(path.c_str(), &ignored));
  if (block.empty() || !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data())) {
    return {};
  }
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\FileDescription", reinterpret_cast<void**>(&text),
                      &length)) {
    return {};
  }
  return std::wstring(text, length > 0 ? length - 1 : 0);
}

TEST(ProgramResources, EachProgramNamesTheArchitectureItIsBuiltFor) {
  for (const wchar_t* name : {L"Klarvik.exe", L"Sweepkin.exe", L"Clockrin.exe"}) {
    SCOPED_TRACE(testing::Message() << name);
    const std::wstring path = BuiltProgram(name);
    const UniqueModule image(
        LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(image) << "cannot read " << testing::PrintToString(path);

    // A data-file mapping is tagged in its low bits; the headers start at the aligned base.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(image.Get()) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    EXPECT_EQ(nt->FileHeader.Machine, kMachine);

    const std::vector<std::string> named = ArchitecturesNamedIn(ManifestOf(image.Get()));
    ASSERT_EQ(named.size(), 2u) << "the program's own identity and the common controls it asks for";
    for (const std::string& arch : named) EXPECT_EQ(arch, kManifestArch);

    const std::wstring description = FileDescriptionOf(path);
    ASSERT_GE(description.size(), std::size(kBits) - 1);
    EXPECT_EQ(description.substr(description.size() - (std::size(kBits) - 1)), kBits)
        << testing::PrintToString(description);
  }
}

// The stored skins travel inside Klarvik.exe as packages whose members are the table's,
// with the marker that ends a stored skin's name in skin lists.
TEST(ProgramResources, KlarvikCarriesTheSixStoredSkins) {
  const struct {
    const wchar_t* resource;
    std::vector<std::string> images;
  } skins[] = {
      {L"AFTERBURNER", {"ButtonHuge.bmp", "Master.bmp"}},
      {L"BLUEGAUZE", {"ButtonHuge.bmp", "Master.bmp"}},
      {L"FALLOUTSTYLE", {"ButtonHuge.bmp", "fBG.jpg", "Master.bmp"}},
      {L"GARNET", {"CloseAG.png", "CloseG.png", "Huge.bmp", "Master.bmp", "MaxG.png", "MinG.png", "NormG.png"}},
      {L"MATRIX", {"ButtonHuge.bmp", "CloseBtnGlow.png", "ExBord.png", "GlowingBtn.png", "GlowingHugeBtn.png", "Master.bmp",
                   "MaxBtnGlow.png", "MinBtnGlow.png", "NormalBtnGlow.png"}},
      {L"STEAM2", {"ButtonHuge.bmp", "Glow_Button.png", "Master.bmp", "steam_top.bmp"}},
  };
  const UniqueModule image(LoadLibraryExW(BuiltProgram(L"Klarvik.exe").c_str(), nullptr,
                                          LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(image);
  for (const auto& skin : skins) {
    SCOPED_TRACE(testing::Message() << skin.resource);
    const auto bytes = RcDataBytes(image.Get(), skin.resource);
    ASSERT_TRUE(bytes.has_value());
    std::unique_ptr<TacSkinConvertor> reader;
    ReadStoredPackage(*bytes, reader);
    ASSERT_TRUE(reader && reader->OptionsStream().has_value());
    std::vector<std::string> images;
    for (const TacImageItem& item : reader->ImageItems()) images.push_back(item.FileName);
    std::sort(images.begin(), images.end(), [](const std::string& a, const std::string& b) {
      return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
    });
    EXPECT_EQ(images, skin.images);
  }
  wchar_t marker[32] = {};
  EXPECT_EQ(std::wstring(marker, LoadStringW(image.Get(), 58963, marker, 32)), L"(internal)");
}

}  // namespace

}  // namespace klarvik
