#include "companions/sweepkin/mode_argument.h"

#include <windows.h>

#include "companions/common/first_argument.h"

namespace klarvik::sweepkin {

bool AsksToDelete(std::wstring_view commandLine, std::wstring_view programPath) {
  const auto first = companions::FirstArgument(commandLine, programPath);
  return first && CompareStringOrdinal(first->c_str(), -1, L"/del", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace klarvik::sweepkin
