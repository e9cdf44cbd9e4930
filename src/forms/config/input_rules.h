// What the configuration windows and the wizard accept: every value the user enters is
// checked against what the settings file can hold, with a message that says why not.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "forms/shared/settings_messages.h"
#include "store/settings.h"
#include "store/storable.h"

// Why a text cannot be kept, in words for the user.
std::wstring StoreProblemText(const StoreVerdict& verdict);

// The message for an input that cannot be stored, or nothing when it can. `what` names the
// field ("Der Loginname"), `plain` is the text as typed, `form` how the file keeps it.
std::optional<std::wstring> RefuseValue(const std::wstring& what, const std::wstring& plain, StoredAs form);

// A QuickLogin entry's fields: no commas (they separate the fields), and an entry that the
// file can hold.
std::optional<std::wstring> RefuseQuickLogin(const QuickLoginEntry& entry);
// A client name: not empty, no comma, a key the file can hold.
std::optional<std::wstring> RefuseClientName(const std::wstring& what, const std::wstring& name);
// A game folder the file can hold. A folder whose name the code page cannot keep is stored
// by its short (8.3) name where Windows has one: `dir` becomes that name.
std::optional<std::wstring> RefuseClientDir(const std::wstring& what, std::wstring& dir);
// An account: login name and password storable, and a login name the file can tell apart
// from the stored ones.
std::optional<std::wstring> RefuseAccount(const Settings& settings, const std::wstring& login,
                                          const std::wstring& password);

// A server: name (a key without comma), address (an IPv4 address or a host name), port
// (1 to 65535) and tag (a whole number); nothing when all hold.
std::optional<std::wstring> RefuseServer(const std::wstring& name, const std::wstring& address,
                                         const std::wstring& port, const std::wstring& tag);

// Saves a value that the user entered, with the window's add button disabled meanwhile.
// Shows the refusal instead when there is one, or WriteFailedText when the save failed, and
// then returns false: the window keeps what was typed.
bool StoreEntered(HWND addButton, const std::optional<std::wstring>& refusal, const std::function<SaveResult()>& save);

// For a question before a removal: the QuickLogins that use what goes, which then cannot start;
// empty when there are none.
std::wstring UsersNote(const std::vector<QuickLoginEntry>& users);

// Asks `question` (Yes/No) and on Yes removes, saying so when the save failed. True when the
// user said Yes.
bool RemoveAfterQuestion(const std::wstring& question, const std::function<SaveResult()>& remove);
