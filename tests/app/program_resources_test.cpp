// The three programs of a build say which architecture they are for: the PE header, the
// manifest (Windows refuses to start a program whose manifest names another one) and
// the version resource must all agree with the build these tests belong to.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "win/handles.h"

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

}  // namespace

}  // namespace klarvik
