// Wine's own floor for emptying a tree: every file deleted with DeleteFileW and every
// folder removed with RemoveDirectoryW after its contents, no checks at all. The cleaner
// benchmark times Sweepkin against this under the same Wine; the folder named on the
// command line stays, as the cleaner leaves the temp folder itself.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: plain_delete_walk FOLDER\n", stderr);
    return 2;
  }
  std::vector<std::wstring> pending{std::wstring(argv[1]) + L'\\'};
  std::vector<std::wstring> folders;
  unsigned long failures = 0;
  WIN32_FIND_DATAW entry;
  while (!pending.empty()) {
    std::wstring folder = std::move(pending.back());
    pending.pop_back();
    HANDLE find = FindFirstFileExW((folder + L'*').c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) continue;
    do {
      const std::wstring name = entry.cFileName;
      if (name == L"." || name == L"..") continue;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        folders.push_back(folder + name);
        pending.push_back(folder + name + L'\\');
      } else if (!DeleteFileW((folder + name).c_str())) {
        ++failures;
      }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder) {
    if (!RemoveDirectoryW(folder->c_str())) ++failures;
  }
  if (failures != 0) std::fprintf(stderr, "%lu entries could not be deleted\n", failures);
  return failures == 0 ? 0 : 1;
}
