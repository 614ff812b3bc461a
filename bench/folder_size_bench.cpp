// Prints the size of the folder named on the command line, for timing the walk.
#include <cstdio>
#include <string>

#include "app/folder_size.h"

using namespace klarvik;

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: folder_size_bench FOLDER\n", stderr);
    return 2;
  }
  std::printf("%lld\n", static_cast<long long>(klarvik::GetFolderSize(argv[1])));
  return 0;
}
