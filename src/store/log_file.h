// A text log a player can send: UTF-8 lines appended to one file, which never grows past a
// limit (its older half goes first). Writing it never stops what it describes: a log that
// cannot be written is skipped without a word.
#pragma once
#include <cstddef>
#include <string>

// The size the log stays below.
inline constexpr size_t kLogLimitBytes = 1024 * 1024;

// Appends the line (a line break is added) to the log at `path`, made with a UTF-8 mark when it
// is new. Once the file would pass `limit`, its older half is dropped first, at a line's end.
// False when the line could not be written.
bool AppendLogLine(const std::wstring& path, const std::wstring& line, size_t limit = kLogLimitBytes);
