// GetFolderSize on trees built for the faults a folder walk can have: files only in
// sub-folders, sizes past 4 GB, names outside the ANSI code page, paths past MAX_PATH,
// deep trees, links that loop or leave the tree, hidden and system files, folders that
// cannot be read. And RemoveTree, which the tests rely on to leave link targets alone.
#include <windows.h>
#include <winioctl.h>
#include <malloc.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/folder_size.h"
#include "tests/support/scratch_env.h"
#include "win/handles.h"

namespace klarvik {
namespace {

using test::FreshScratchFolder;

// Scratch paths are absolute, so their \\?\ form reaches past MAX_PATH.
std::wstring Extended(const std::wstring& path) { return LR"(\\?\)" + path; }

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(Extended(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeFolder(const std::wstring& path) {
  return CreateDirectoryW(Extended(path).c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

// Moves the end of a new file instead of writing its bytes: sparse where the file
// system allows, so a file past 4 GB costs no disk.
bool MakeFile(const std::wstring& path, std::int64_t size) {
  const UniqueKernelHandle file(
      CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  DWORD returned = 0;
  DeviceIoControl(file.Get(), FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
  LARGE_INTEGER end;
  end.QuadPart = size;
  return SetFilePointerEx(file.Get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.Get());
}

// A junction: the link any Windows user may make. Wine 8 refuses it.
bool MakeJunction(const std::wstring& link, const std::wstring& target) {
  if (!MakeFolder(link)) return false;
  bool made = false;
  {
    const UniqueKernelHandle folder(CreateFileW(Extended(link).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    // Mount-point reparse data: tag, length, then the NT name and the shown name,
    // each ending in a NUL that the lengths leave out.
    const std::wstring ntName = LR"(\??\)" + target;
    const WORD ntBytes = static_cast<WORD>(ntName.size() * sizeof(wchar_t));
    const WORD shownBytes = static_cast<WORD>(target.size() * sizeof(wchar_t));
    std::vector<WORD> data{0, ntBytes, static_cast<WORD>(ntBytes + sizeof(wchar_t)), shownBytes};
    data.insert(data.end(), ntName.begin(), ntName.end());
    data.push_back(0);
    data.insert(data.end(), target.begin(), target.end());
    data.push_back(0);
    const DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(WORD));
    std::vector<BYTE> buffer(8 + dataBytes);
    const DWORD tag = IO_REPARSE_TAG_MOUNT_POINT;
    const WORD length = static_cast<WORD>(dataBytes);
    memcpy(buffer.data(), &tag, sizeof(tag));
    memcpy(buffer.data() + 4, &length, sizeof(length));
    memcpy(buffer.data() + 8, data.data(), dataBytes);
    DWORD returned = 0;
    made = folder && DeviceIoControl(folder.Get(), FSCTL_SET_REPARSE_POINT, buffer.data(),
                                     static_cast<DWORD>(buffer.size()), nullptr, 0, &returned, nullptr);
  }
  if (!made) RemoveDirectoryW(Extended(link).c_str());
  return made;
}

// A link to a folder, as a reparse point: the kind GetFolderSize must not follow.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target) {
  const bool made = MakeJunction(link, target) || test::MakeUnixLink(link, target);
  return made && (GetFileAttributesW(Extended(link).c_str()) & FILE_ATTRIBUTE_REPARSE_POINT);
}

// One entry of a fixture, relative to its root: a file of `size` bytes, or a folder
// when the path ends in a backslash. Missing parent folders are made on the way.
struct Entry {
  std::wstring path;
  std::int64_t size = 0;
  DWORD attributes = 0;
};

bool MakeEntry(const std::wstring& root, const Entry& entry) {
  for (std::size_t slash = entry.path.find(L'\\'); slash != std::wstring::npos;
       slash = entry.path.find(L'\\', slash + 1)) {
    if (!MakeFolder(root + entry.path.substr(0, slash))) return false;
  }
  const std::wstring full = root + entry.path;
  if (!entry.path.ends_with(L'\\') && !MakeFile(full, entry.size)) return false;
  return !entry.attributes || SetFileAttributesW(Extended(full).c_str(), entry.attributes);
}

bool MakeEntries(const std::wstring& root, const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
    if (!MakeEntry(root, entry)) return false;
  }
  return true;
}

enum class LinkTo { Root, Outside };

struct Link {
  std::wstring path;
  LinkTo target;
};

struct TreeCase {
  const char* name;
  std::vector<Entry> entries;
  std::vector<Link> links;
  std::int64_t expected;
};

constexpr DWORD kHidden = FILE_ATTRIBUTE_HIDDEN;
constexpr DWORD kSystem = FILE_ATTRIBUTE_SYSTEM;
constexpr DWORD kReadOnly = FILE_ATTRIBUTE_READONLY;

TEST(GetFolderSize, CountsEveryFileBelowTheFolderAndNothingElse) {
  const std::vector<TreeCase> cases = {
      {"empty folders", {{L"a\\b\\"}, {L"c\\"}}, {}, 0},
      {"files only in sub-folders",
       {{L"a\\one.bin", 100}, {L"a\\b\\two.bin", 2000}, {L"c\\d\\e\\three.bin", 30000}, {L"f\\"}},
       {},
       32100},
      {"a file past 4 GB", {{L"big\\huge.bin", 5368709127}, {L"big\\small.bin", 1}}, {}, 5368709128},
      {"names outside the ANSI code page",
       {{L"Ελληνικά\\αρχείο.bin", 1000}, {L"文件夹\\文件.bin", 20000}, {L"😀\\🎉.bin", 300000}},
       {},
       321000},
      {"hidden, system and read-only files and folders",
       {{L"s\\hidden.bin", 1, kHidden},
        {L"s\\system.bin", 20, kSystem},
        {L"s\\read-only.bin", 300, kReadOnly},
        {L"s\\all.bin", 4000, kHidden | kSystem | kReadOnly},
        {L"s\\.dot.bin", 50000},
        {L"h\\inside.bin", 600000},
        {L"h\\", 0, kHidden | kSystem}},
       {},
       654321},
      {"a link to an ancestor", {{L"a\\one.bin", 7}}, {{L"a\\up", LinkTo::Root}}, 7},
      {"a link to a folder outside", {{L"a\\one.bin", 7}}, {{L"a\\out", LinkTo::Outside}}, 7},
  };
  for (const TreeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring root = FreshScratchFolder(L"tree");
    const std::wstring outside = FreshScratchFolder(L"outside");
    ASSERT_TRUE(MakeEntries(outside, {{L"foreign.bin", 1000000}}));
    ASSERT_TRUE(MakeEntries(root, c.entries));
    for (const Link& link : c.links) {
      const std::wstring& target = link.target == LinkTo::Root ? root : outside;
      ASSERT_TRUE(MakeFolderLink(root + link.path, target.substr(0, target.size() - 1)));
    }

    EXPECT_EQ(GetFolderSize(root), c.expected);
  }
}

TEST(GetFolderSize, TakesTheFolderInAnySpelling) {
  const std::wstring root = FreshScratchFolder(L"spelling");
  ASSERT_TRUE(MakeEntries(root, {{L"a\\one.bin", 10}, {L"a\\b\\two.bin", 200}}));
  std::wstring forward = root;
  for (wchar_t& c : forward) c = c == L'\\' ? L'/' : c;
  const std::vector<std::wstring> spellings = {
      root, root.substr(0, root.size() - 1), forward, Extended(root), root + L"a\\..",
  };
  for (const std::wstring& spelling : spellings) {
    SCOPED_TRACE(testing::PrintToString(spelling));
    EXPECT_EQ(GetFolderSize(spelling), 210);
  }
}

TEST(GetFolderSize, IsZeroForWhatIsNoFolder) {
  const std::wstring root = FreshScratchFolder(L"no-folder");
  ASSERT_TRUE(MakeEntries(root, {{L"file.bin", 10}}));
  for (const std::wstring& path : {root + L"missing", root + L"missing\\deeper", root + L"file.bin", std::wstring()}) {
    SCOPED_TRACE(testing::PrintToString(path));
    EXPECT_EQ(GetFolderSize(path), 0);
  }
}

// Opened with no sharing, a folder cannot be listed by anyone else.
UniqueKernelHandle LockFolder(const std::wstring& path) {
  return UniqueKernelHandle(CreateFileW(Extended(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

TEST(GetFolderSize, SkipsAFolderThatCannotBeReadAndCountsTheRest) {
  // A locked folder beside readable ones in both branches: whatever order the folders
  // are listed in, a walk that gave up at the first locked one would miss something.
  const std::wstring root = FreshScratchFolder(L"unreadable");
  ASSERT_TRUE(MakeEntries(root, {{L"a\\one.bin", 1},
                                 {L"a\\locked\\x.bin", 1000},
                                 {L"a\\deeper\\two.bin", 20},
                                 {L"b\\three.bin", 300},
                                 {L"b\\locked\\y.bin", 1000},
                                 {L"b\\deeper\\four.bin", 4000},
                                 {L"five.bin", 50000}}));
  const UniqueKernelHandle lockA = LockFolder(root + L"a\\locked");
  const UniqueKernelHandle lockB = LockFolder(root + L"b\\locked");
  ASSERT_TRUE(lockA && lockB);

  EXPECT_EQ(GetFolderSize(root), 54321);
  EXPECT_EQ(GetFolderSize(root + L"a\\locked"), 0);
}

struct DeepCase {
  const char* name;
  std::wstring folderName;
  int depth;
};

struct SizeRequest {
  std::wstring path;
  std::int64_t size = -1;
};

constexpr std::uintptr_t kWalkStackBytes = 64 * 1024;

// Runs GetFolderSize with only kWalkStackBytes of its thread's stack left, however large
// the system made the stack (Wine gives every thread at least 1 MB): a walk that
// recursed once per level would overflow it in the deep case.
DWORD WINAPI AnswerOnShortStack(void* parameter) {
  MEMORY_BASIC_INFORMATION stack = {};
  VirtualQuery(&stack, &stack, sizeof(stack));
  const auto here = reinterpret_cast<std::uintptr_t>(&stack);
  const auto bottom = reinterpret_cast<std::uintptr_t>(stack.AllocationBase);
  auto* taken = static_cast<volatile char*>(alloca(here - bottom - kWalkStackBytes));
  taken[0] = 0;
  auto* request = static_cast<SizeRequest*>(parameter);
  request->size = GetFolderSize(request->path);
  return 0;
}

std::int64_t SizeOnShortStack(const std::wstring& path) {
  SizeRequest request{path};
  const UniqueKernelHandle thread(CreateThread(nullptr, 0, AnswerOnShortStack, &request, 0, nullptr));
  if (!thread) return -2;
  WaitForSingleObject(thread.Get(), INFINITE);
  return request.size;
}

TEST(GetFolderSize, ReachesPastMaxPathAndDeepDown) {
  const std::vector<DeepCase> cases = {
      {"names of 120 characters", std::wstring(120, L'n'), 3},
      {"200 levels", L"d", 200},
  };
  for (const DeepCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::wstring root = FreshScratchFolder(L"deep");
    std::wstring relative;
    for (int level = 0; level < c.depth; ++level) relative += c.folderName + L'\\';
    ASSERT_TRUE(MakeEntries(root, {{relative + L"bottom.bin", 4321}, {L"top.bin", 1}}));
    const std::wstring bottom = root + relative;
    ASSERT_GT(bottom.size(), static_cast<std::size_t>(MAX_PATH));

    EXPECT_EQ(SizeOnShortStack(root), 4322);
    EXPECT_EQ(SizeOnShortStack(bottom), 4321);
  }
}

TEST(RemoveTree, RemovesLinksWithoutTouchingTheirTargets) {
  const std::wstring root = FreshScratchFolder(L"removed");
  const std::wstring outside = FreshScratchFolder(L"kept");
  ASSERT_TRUE(MakeEntries(outside, {{L"kept.bin", 1234}}));
  ASSERT_TRUE(MakeEntries(root, {{L"a\\one.bin", 1, kReadOnly},
                                 {std::wstring(120, L'x') + L"\\" + std::wstring(120, L'y') + L"\\z.bin", 2},
                                 {L"a\\", 0, kReadOnly}}));
  ASSERT_TRUE(MakeFolderLink(root + L"a\\up", root.substr(0, root.size() - 1)));
  ASSERT_TRUE(MakeFolderLink(root + L"out", outside.substr(0, outside.size() - 1)));

  test::RemoveTree(root);

  EXPECT_FALSE(Exists(root));
  EXPECT_TRUE(Exists(outside + L"kept.bin"));
}

}  // namespace
}  // namespace klarvik
