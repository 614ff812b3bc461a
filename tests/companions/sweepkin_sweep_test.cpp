// Sweep on real trees: what goes, what stays, and that no link leads it astray.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "companions/sweepkin/cleaning_root.h"
#include "companions/sweepkin/final_path.h"
#include "companions/sweepkin/safe_delete.h"
#include "companions/sweepkin/sweep.h"
#include "tests/companions/sweepkin_fixture.h"
#include "tests/support/scratch_env.h"
#include "win/handles.h"

namespace klarvik::test {
namespace {

using sweepkin::SweepReport;

std::wstring Extended(const std::wstring& path) { return LR"(\\?\)" + path; }
std::wstring NoSlash(const std::wstring& path) { return path.substr(0, path.size() - 1); }

SweepReport SweepNow(const std::wstring& root) {
  const sweepkin::CleaningRoot checked = sweepkin::CheckCleaningRoot(root, {});
  EXPECT_EQ(checked.refusal, "");
  SweepReport report;
  sweepkin::Sweep(checked.path, sweepkin::CurrentTicks(), report);
  return report;
}

TEST(Sweep, DeletesOldFilesAndEmptyOldFoldersOnly) {
  const std::wstring root = FreshScratchFolder(L"sweep-ages");
  ASSERT_TRUE(MakeAgedTree(root, {
                                     {L"old.tmp"},
                                     {L"young.tmp", kYoung},
                                     {L"read-only.tmp", kOld, FILE_ATTRIBUTE_READONLY},
                                     {L"hidden-system.tmp", kOld, FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM},
                                     {L"Ελληνικά 文件 😀.tmp"},
                                     {L"a\\b\\c\\deep.tmp"},
                                     {L"a\\"},
                                     {L"a\\b\\"},
                                     {L"a\\b\\c\\"},
                                     {L"keeps\\young.tmp", kYoung},
                                     {L"keeps\\"},
                                     {L"young-empty\\", kYoung},
                                     {std::wstring(120, L'x') + L"\\" + std::wstring(120, L'y') + L"\\long.tmp"},
                                     {std::wstring(120, L'x') + L"\\"},
                                     {std::wstring(120, L'x') + L"\\" + std::wstring(120, L'y') + L"\\"},
                                 }));

  const SweepReport report = SweepNow(root);

  for (const wchar_t* gone : {L"old.tmp", L"read-only.tmp", L"hidden-system.tmp", L"Ελληνικά 文件 😀.tmp", L"a"}) {
    EXPECT_FALSE(Exists(root + gone)) << testing::PrintToString(std::wstring(gone));
  }
  EXPECT_FALSE(Exists(root + std::wstring(120, L'x')));
  for (const wchar_t* kept : {L"young.tmp", L"keeps\\young.tmp", L"young-empty"}) {
    EXPECT_TRUE(Exists(root + kept)) << testing::PrintToString(std::wstring(kept));
  }
  EXPECT_TRUE(Exists(root));
  EXPECT_EQ(report.filesDeleted, 6u);
  EXPECT_EQ(report.bytesDeleted, 60u);
  EXPECT_EQ(report.skippedTooYoung, 2u);
  EXPECT_EQ(report.foldersRemoved, 5u);
  EXPECT_EQ(report.skippedInUse + report.skippedDenied + report.skippedLinks, 0u);
}

// A section of an executable image: while it exists, its file may not be deleted.
struct ImageSection {
  UniqueKernelHandle file;
  UniqueKernelHandle section;
};

ImageSection MapAsImage(const std::wstring& path) {
  ImageSection image;
  image.file.Reset(CreateFileW(Extended(path).c_str(), GENERIC_READ | GENERIC_EXECUTE,
                               FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0, nullptr));
  if (image.file) {
    image.section.Reset(CreateFileMappingW(image.file.Get(), nullptr, PAGE_EXECUTE_READ | SEC_IMAGE, 0, 0, nullptr));
  }
  return image;
}

std::wstring OwnExecutable() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

TEST(Sweep, SkipsFilesInUseOrDeniedAndLeavesThemAsTheyWere) {
  const std::wstring root = FreshScratchFolder(L"sweep-busy");
  ASSERT_TRUE(CopyFileW(OwnExecutable().c_str(), (root + L"image.exe").c_str(), FALSE));
  ASSERT_TRUE(MakeAgedTree(root, {{L"open.tmp"},
                                  {L"open-read-only.tmp", kOld, FILE_ATTRIBUTE_READONLY},
                                  {L"image.exe"},
                                  {L"free.tmp"},
                                  {L"busy\\open.tmp"},
                                  {L"busy\\"}}));
  // Opened without leave to delete, as programs at work usually hold their files.
  const auto hold = [&](const wchar_t* name) {
    return UniqueKernelHandle(CreateFileW(Extended(root + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
  };
  const UniqueKernelHandle open = hold(L"open.tmp");
  const UniqueKernelHandle openReadOnly = hold(L"open-read-only.tmp");
  const UniqueKernelHandle openInFolder = hold(L"busy\\open.tmp");
  const ImageSection image = MapAsImage(root + L"image.exe");
  ASSERT_TRUE(open && openReadOnly && openInFolder && image.section);

  const SweepReport report = SweepNow(root);

  EXPECT_FALSE(Exists(root + L"free.tmp"));
  for (const wchar_t* kept : {L"open.tmp", L"open-read-only.tmp", L"image.exe", L"busy\\open.tmp"}) {
    EXPECT_TRUE(Exists(root + kept)) << testing::PrintToString(std::wstring(kept));
  }
  EXPECT_EQ(GetFileAttributesW(Extended(root + L"open-read-only.tmp").c_str()) & FILE_ATTRIBUTE_READONLY,
            static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(report.filesDeleted, 1u);
  EXPECT_EQ(report.skippedInUse, 3u);
  EXPECT_EQ(report.skippedDenied, 1u);
  EXPECT_EQ(report.foldersRemoved, 0u);
}

TEST(Sweep, NeverFollowsNorDeletesLinks) {
  // Old files outside, reached through links to a folder and to a single file; and a
  // link back up to the root, which a following walk would loop through.
  const std::wstring root = FreshScratchFolder(L"sweep-links");
  const std::wstring outside = FreshScratchFolder(L"sweep-links-outside");
  ASSERT_TRUE(MakeAgedTree(outside, {{L"precious.dat"}, {L"folder\\inner.dat"}, {L"folder\\"}, {L"empty\\"}}));
  ASSERT_TRUE(MakeAgedTree(root, {{L"old.tmp"}, {L"links\\"}}));
  const std::vector<std::pair<std::wstring, std::wstring>> links = {
      {root + L"links\\to-folder", outside + L"folder"},
      {root + L"links\\to-empty-folder", outside + L"empty"},
      {root + L"links\\to-file", outside + L"precious.dat"},
      {root + L"links\\to-root", NoSlash(root)},
  };
  for (const auto& [link, target] : links) {
    if (!MakeUnixLink(link, target)) GTEST_SKIP() << "links are made only under Wine here";
  }

  const SweepReport report = SweepNow(root);

  EXPECT_FALSE(Exists(root + L"old.tmp"));
  for (const auto& [link, target] : links) {
    SCOPED_TRACE(testing::PrintToString(link));
    EXPECT_TRUE(Exists(link));
    EXPECT_TRUE(Exists(target));
  }
  EXPECT_TRUE(Exists(outside + L"folder\\inner.dat"));
  EXPECT_EQ(report.filesDeleted, 1u);
  EXPECT_EQ(report.skippedLinks, 4u);
  RemoveUnixLink(root + L"links\\to-file");
  RemoveTree(root);
  RemoveTree(outside);
}

// A folder swapped for a link after the walk listed it: the file is then reached by
// a path through the link, and only its final path tells. It stays, and so do folders
// named that way.
TEST(Sweep, AnEntryReachedThroughALinkedFolderIsNeitherDeletedNorRemoved) {
  const std::wstring root = FreshScratchFolder(L"sweep-swapped");
  const std::wstring outside = FreshScratchFolder(L"sweep-swapped-outside");
  ASSERT_TRUE(MakeAgedTree(outside, {{L"precious.dat"}, {L"empty\\"}}));
  if (!MakeUnixLink(root + L"swapped", NoSlash(outside))) GTEST_SKIP() << "links are made only under Wine here";
  const std::wstring throughLink = root + L"swapped\\precious.dat";

  EXPECT_TRUE(sweepkin::SamePath(sweepkin::FinalPathOf(throughLink), sweepkin::FinalPathOf(outside + L"precious.dat")))
      << "the final path names the target, not the link";
  EXPECT_EQ(sweepkin::DeleteFileSafely(Extended(throughLink), FILE_ATTRIBUTE_NORMAL), sweepkin::DeleteOutcome::Link);
  EXPECT_EQ(sweepkin::RemoveEmptyFolderSafely(Extended(root + L"swapped\\empty")), sweepkin::DeleteOutcome::Link);

  EXPECT_TRUE(Exists(outside + L"precious.dat"));
  EXPECT_TRUE(Exists(outside + L"empty"));
  RemoveTree(root);
}

}  // namespace
}  // namespace klarvik::test
