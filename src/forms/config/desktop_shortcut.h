// A shortcut on the desktop that logs a QuickLogin or a team in with one double click (or from
// anything that starts programs: a macro key, a Stream Deck button, a scheduled task).
#pragma once
#include <optional>
#include <string>

// The arguments that log in the QuickLogin of this menu caption, or start this team: the
// name in double quotes, a quote in it doubled.
std::wstring LoginArguments(const std::wstring& caption);
std::wstring TeamArguments(const std::wstring& team);

// The file name a shortcut called `title` gets: characters that no file name may hold become
// "-" (a colon goes, with the blank after it kept).
std::wstring ShortcutFileName(const std::wstring& title);

// Makes the shortcut on the desktop: Corvalink with the arguments, Corvalink's icon, named
// `title` (" (2)", " (3)", ... added while that name is taken). Its path; nothing when it
// could not be made.
std::optional<std::wstring> MakeDesktopShortcut(const std::wstring& title, const std::wstring& arguments);
