#include "companions/sweepkin/mode_argument.h"

#include <windows.h>

#include "companions/common/first_argument.h"
#include "win/text.h"

namespace klarvik::sweepkin {

bool AsksToDelete(std::wstring_view commandLine, std::wstring_view programPath) {
  const auto first = companions::FirstArgument(commandLine, programPath);
  return first && SameText(*first, L"/del");
}

}  // namespace klarvik::sweepkin
