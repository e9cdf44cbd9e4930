// The settings file: its sections, the QuickLogin entry format, the record readers and the
// writers. Every access reads or writes the file; every change is one transaction
// (ini_transaction.h), and the first change of a run keeps a copy of the file as it was
// ("<settings file>.<date>-<time>.bak", the last kBackupGenerations of them). Only this
// module knows how records are encoded.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/ini_transaction.h"
#include "store/records.h"

namespace section {
inline constexpr wchar_t kQuickLogin[] = L"quicklogin";
inline constexpr wchar_t kAccounts[] = L"accounts";
inline constexpr wchar_t kClients[] = L"clients";
inline constexpr wchar_t kServer[] = L"server";
inline constexpr wchar_t kTag[] = L"tag";
inline constexpr wchar_t kHelp[] = L"help";
inline constexpr wchar_t kOptions[] = L"options";   // written only once the player switches an option on
inline constexpr wchar_t kTeams[] = L"teams";       // one key a team, in the order they were made
inline constexpr wchar_t kTeamPrefix[] = L"team:";  // + name: the team's members "0", "1", ...
inline constexpr wchar_t kPlaces[] = L"places";     // "0", "1", ...: where a QuickLogin's game window stands
inline constexpr wchar_t kHotkeys[] = L"hotkeys";   // "<keys>=quick:<entry>" or "<keys>=team:<name>"
}  // namespace section

// The hotkeys as section "hotkeys" holds them.
struct StoredHotkeys {
    std::vector<Hotkey> hotkeys;
    // Lines that are no hotkey ("<keys>=<value>" without "quick:" or "team:" and a target): every
    // save keeps them as they are.
    std::vector<std::pair<std::wstring, std::wstring>> unread;
    // Keys written a second time (in another case: the file compares keys without regard to
    // case), as written; only their first line counts.
    std::vector<std::wstring> repeated;
};

// Why the settings file cannot be trusted for reading.
struct ReadProblem {
    enum class Kind {
        kNone,
        kUnreadable,    // it exists but cannot be read (held by another program, no rights)
        kUtf8NoMark,    // saved as UTF-8 without a byte-order mark: read as ANSI, it is garbled
        kBrokenHeader,  // a section header without its closing bracket
    } kind = Kind::kNone;
    unsigned long error = 0;  // kUnreadable: the system's error
    size_t line = 0;          // kBrokenHeader: the line's number from 1, and its text
    std::wstring lineText;
    bool ok() const { return kind == Kind::kNone; }
};

// What one save of the configuration window changes, against what the window read: only
// QuickLogins that differ are written, and everything goes in one transaction.
struct ConfigurationChange {
    std::vector<QuickLoginEntry> read;     // the QuickLogins as the window read them
    std::vector<QuickLoginEntry> entries;  // the QuickLogins now
    std::optional<bool> protection;        // only when the player switched it
    struct Team {
        std::wstring name;
        std::vector<QuickLoginEntry> members;  // none: the team is removed
    };
    std::optional<Team> team;
    // QuickLogins that the player changed in place (as read, as now): teams that hold one
    // follow it.
    std::vector<std::pair<QuickLoginEntry, QuickLoginEntry>> edited;
    std::optional<std::wstring> language = std::nullopt;        // only when the player chose another; empty = German
    std::optional<bool> renameWindows = std::nullopt;           // only when the player switched it
    std::optional<std::vector<Hotkey>> hotkeys = std::nullopt;  // all of them, when the player changed one
    std::optional<TeamPacing> pacing = std::nullopt;            // only when the player changed its spacing or cap
};

// The number of backup copies of the settings file that are kept, one for each run that
// changed the file.
inline constexpr int kBackupGenerations = 5;

// One settings file. The program makes one at start-up and hands it to whoever reads or
// writes the settings: nothing of the store takes the file's path from anywhere else.
class Settings {
public:
    explicit Settings(std::wstring file) : file_(std::move(file)) {}
    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;
    const std::wstring& file() const { return file_; }

    // Whether the file can be read and trusted, waiting up to `waitMs` for a file that another
    // program holds. A missing file is fine (it is empty).
    ReadProblem CheckReadable(int waitMs = 2000) const;

    // Plain reads of the settings file.
    std::wstring ReadSetting(const std::wstring& section, const std::wstring& key,
                             const std::wstring& fallback = L"") const;
    std::vector<std::wstring> ListSettingKeys(const std::wstring& section) const;

    // The entries "0", "1", ... up to the first missing or empty one, unscrambled.
    std::vector<std::wstring> ReadQuickLoginTexts() const;
    // Whether the file holds this QuickLogin (its whole unscrambled entry), wherever it stands.
    bool HasQuickLogin(const std::wstring& entry) const;

    // Record readers. A missing record gives the empty text.
    std::vector<std::wstring> AccountNames() const;
    // The password of a stored account.
    struct Password {
        enum class State { kFound, kMissing, kUnreadable } state;  // kUnreadable: protected for
        std::wstring text;                                         // another user or damaged
    };
    Password AccountPassword(const std::wstring& loginName) const;
    // Whether passwords are stored protected by Windows for the current user.
    bool PasswordsProtected() const;
    // The language the player chose ("en"); empty for the default, German.
    std::wstring Language() const;
    // Whether game windows are titled after their characters (the default; "rename=0" in
    // section "options" switches it off).
    bool RenamesGameWindows() const;
    // How teams start their members; defaults for what the file does not hold.
    TeamPacing Pacing() const;
    // Whether games behind the one in front run at a lower priority ("background_priority=1" in
    // section "options"; off by default).
    bool LowersBackgroundGames() const;
    // The stored places of game windows, and the one of a QuickLogin. `unread` takes the lines
    // that are no place (every save keeps them as they are).
    std::vector<StoredPlace> WindowPlaces(std::vector<std::pair<std::wstring, std::wstring>>* unread = nullptr) const;
    std::optional<WindowPlace> WindowPlaceOf(const std::wstring& entry) const;
    // The hotkeys as stored; a line the format does not know is left out (and kept by saves).
    std::vector<Hotkey> Hotkeys() const { return ReadHotkeys().hotkeys; }
    StoredHotkeys ReadHotkeys() const;
    std::wstring ClientDir(const std::wstring& clientName) const;
    // The server as stored: its address and port (only the first colon of "<address>:<port>"
    // splits) and its tag; nothing when it has no stored value or the value has no colon.
    std::optional<ServerRecord> Server(const std::wstring& serverName) const;

    // A stored account whose key the file would confuse with this login name's (key names match
    // without regard to case): that account's login name, or nothing.
    std::optional<std::wstring> AccountKeyCollision(const std::wstring& loginName) const;

    // Writers: each is one transaction. Check the values with CheckStorable first.
    SaveResult StoreAccount(const std::wstring& loginName, const std::wstring& password);
    SaveResult RemoveAccount(const std::wstring& loginName);
    SaveResult StoreClient(const std::wstring& name, const std::wstring& dir);
    SaveResult RemoveClient(const std::wstring& name);
    // The configuration window's save: the QuickLogins that changed (entries that the window
    // read and no longer holds are removed; entries it did not read stay), the protection
    // switch and a team, all in one transaction. Every other line stays as it is.
    SaveResult SaveConfiguration(const ConfigurationChange& change);
    SaveResult StoreHelpSwitch(int number, bool show);
    SaveResult StoreBackgroundPriority(bool lower);
    // Stores these places, each replacing the one of its QuickLogin; the others stay.
    SaveResult StoreWindowPlaces(const std::vector<StoredPlace>& places);
    SaveResult ForgetWindowPlaces();

    // Every server with its stored "<address>:<port>" and tag, in the file's order.
    std::vector<ServerRecord> Servers() const;
    // Adds the server or replaces its address and tag, in one transaction.
    SaveResult StoreServer(const ServerRecord& server);
    SaveResult RemoveServer(const std::wstring& name);
    // The QuickLogins whose field (server, account or client) names `name`, compared without
    // regard to case as the file compares key names.
    std::vector<QuickLoginEntry> QuickLoginsUsing(std::wstring QuickLoginEntry::*field, const std::wstring& name) const;

    // Teams: QuickLogins run one after another. A member is kept as its whole entry text, so
    // that reordering or removing QuickLogins cannot make a team point at the wrong one.
    std::vector<std::wstring> TeamNames() const;
    std::vector<std::wstring> TeamMembers(const std::wstring& name) const;

    // Writes each server's address and tag where that key is missing; stored ones stay.
    SaveResult AddMissingServers(const std::vector<ServerRecord>& servers);
    // The first-start wizard's account, client and first QuickLogin, in one transaction.
    // `language` is stored when it is not the default (empty).
    SaveResult StoreFirstSetup(const QuickLoginEntry& entry, const std::wstring& password,
                               const std::wstring& clientDir, const std::wstring& language = {});

private:
    // The texts under "0", "1", ... of a section up to the first missing or empty one, unscrambled.
    std::vector<std::wstring> ReadNumberedTexts(const std::wstring& section) const;
    // The edits that let places and hotkeys follow QuickLogins changed in place, drop those of
    // removed ones, and store the hotkeys the change gives.
    void AddFollowingPlacesAndHotkeys(IniTransaction& change, const ConfigurationChange& c) const;
    // Commits a change; the first change of the run keeps the file as it was.
    SaveResult Commit(IniTransaction& change);
    // Adds the edits that switch the protection by Windows on or off: every password is stored
    // anew in the form the switch asks for. A protected password that cannot be read here stays
    // as it is (it has to be entered again).
    SaveResult AddProtectionSwitch(IniTransaction& change, bool on) const;
    // How a new password is stored: protected by Windows when the file says so, else scrambled.
    std::optional<std::wstring> NewPasswordForm(const std::wstring& password) const;

    std::wstring file_;
    bool backedUp_ = false;
};
