// What the configuration windows and the wizard accept: every value the user enters is
// checked against what the settings file can hold, with a message that says why not.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "store/settings.h"

// Why a stored form cannot be kept, in words for the user.
std::wstring StoreProblemText(StoreProblem problem);

// The message for an input that cannot be stored, or nothing when it can. `what` names the
// field ("Der Loginname"), `storedForm` is what would be written (scrambled where the file
// scrambles it).
std::optional<std::wstring> RefuseValue(const std::wstring& what, const std::wstring& storedForm);
std::optional<std::wstring> RefuseKey(const std::wstring& what, const std::wstring& storedForm);

// A QuickLogin entry's fields: no commas (they separate the fields), and an entry that reads
// back whole.
std::optional<std::wstring> RefuseQuickLogin(const QuickLoginEntry& entry);

// An account whose scrambled login name the file would confuse with a stored one (key names
// match without regard to case): the stored account's login name, or nothing.
std::optional<std::wstring> AccountKeyCollision(const std::wstring& loginName);

// The message for a write of the settings file that failed.
std::wstring WriteFailedText();

// Writes a value that the user entered, with the window's add button disabled meanwhile.
// Shows the refusal instead when there is one, or WriteFailedText when the write failed, and
// then returns false: the window keeps what was typed.
bool StoreEntered(HWND addButton, const std::optional<std::wstring>& refusal, const std::wstring& section,
                  const std::wstring& key, const std::wstring& value);

// Asks `question` (Yes/No) and on Yes deletes the key, saying so when the delete failed.
// True when the user said Yes.
bool RemoveAfterQuestion(const std::wstring& question, const std::wstring& section, const std::wstring& key);
