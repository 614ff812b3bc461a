#pragma once
// The cleaner's log: one line per run in the settings folder, kept small.
#include <cstddef>
#include <string>

namespace klarvik::sweepkin {

constexpr std::size_t kLogLimit = 64 * 1024;

// "<application data>\Bramwick\Klarvik\Sweepkin.log", its folders made when missing;
// empty when there is no application-data folder. The folder is taken from the
// APPDATA variable, so that a redirected environment redirects the log with it.
std::wstring LogFilePath();

// The whole lines at the end of `text` that fit in `limit` bytes: the oldest go first.
std::string KeepNewestLines(const std::string& text, std::size_t limit);

// Adds `line` and a line break to the file, then trims the oldest lines while the file
// is larger than `limit`. Does nothing for an empty path or a file that cannot be written.
void AppendLogLine(const std::wstring& path, const std::string& line, std::size_t limit = kLogLimit);

}  // namespace klarvik::sweepkin
