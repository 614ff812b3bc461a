#include "companions/common/first_argument.h"

#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "win/text.h"

namespace klarvik::companions {
namespace {

struct LocalFreeDeleter {
  void operator()(wchar_t** block) const noexcept { LocalFree(block); }
};

bool StartsWithUnquotedPath(std::wstring_view commandLine, std::wstring_view path) {
  if (path.empty() || commandLine.size() < path.size()) return false;
  if (commandLine.size() > path.size() && commandLine[path.size()] != L' ' && commandLine[path.size()] != L'\t') {
    return false;
  }
  return SameText(commandLine.substr(0, path.size()), path);
}

}  // namespace

std::optional<std::wstring> FirstArgument(std::wstring_view commandLine, std::wstring_view programPath) {
  // The splitter is left with a placeholder for the program, whose own path may hold
  // spaces; it also needs a non-empty text, else it answers the running program's path.
  const std::wstring text = StartsWithUnquotedPath(commandLine, programPath)
                                ? L"program" + std::wstring(commandLine.substr(programPath.size()))
                                : std::wstring(commandLine);
  if (text.empty()) return std::nullopt;
  int count = 0;
  const std::unique_ptr<wchar_t*, LocalFreeDeleter> arguments(CommandLineToArgvW(text.c_str(), &count));
  if (!arguments || count < 2) return std::nullopt;
  return std::wstring(arguments.get()[1]);
}

}  // namespace klarvik::companions
