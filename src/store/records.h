// The settings file's records as values: a QuickLogin entry and when two are the same, the
// realms, a server, a window place and a hotkey. No file is read here; Settings (settings.h)
// reads and writes them.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits at commas into at most `limit` fields; the last field keeps any further commas.
std::vector<std::wstring> SplitFields(std::wstring_view text, size_t limit);

// The fields of a QuickLogin: character, server, realm, account, client.
inline constexpr size_t kQuickLoginFields = 5;

// One QuickLogin: its fields joined by single commas, nothing added or trimmed. An entry with
// fewer fields reads its missing fields as empty.
struct QuickLoginEntry {
    std::wstring character, server, realm, account, client;

    static QuickLoginEntry FromText(std::wstring_view text);
    // Whether two entries (unscrambled texts) are the same QuickLogin: the same fields, whatever
    // may follow them (a field that a later version adds). Teams, window places, hotkeys and
    // menu items keep their QuickLogins by this, never by the raw text.
    static bool Same(std::wstring_view a, std::wstring_view b);
    // Whether the text has all the fields that a login needs.
    static bool HasAllFields(std::wstring_view text) {
        return SplitFields(text, kQuickLoginFields).size() == kQuickLoginFields;
    }
    std::wstring ToText() const;
    // "<server>/<realm>: <character>", as the tray menu shows it.
    std::wstring Caption() const { return QuickLoginCaption(ToText()); }
    // The caption of an unscrambled entry; an entry with fewer fields shows the ones it has.
    static std::wstring QuickLoginCaption(std::wstring_view entryText);
    // The caption's "<server>/<realm>" part, by which a long menu groups its QuickLogins; empty
    // for an entry without a server.
    static std::wstring QuickLoginGroup(std::wstring_view entryText);
    bool operator==(const QuickLoginEntry&) const = default;
};

// The realms as the windows offer them and QuickLogins store them, in this order.
inline constexpr const wchar_t* kRealms[] = {L"Albion", L"Midgard", L"Hibernia"};

// "ALBION" 1, "MIDGARD" 2, "HIBERNIA" 3, anything else 0; case matters.
short RealmNumber(const std::wstring& realmName);

// A server: stored as "<address>:<port>" in section "server" and its tag in section "tag".
struct ServerRecord {
    std::wstring name, address, port, tag;

    // The value of section "server": "<address>:<port>".
    std::wstring StoredAddress() const { return address + L":" + port; }
    // From that value; only the first colon splits, and a value without one has no port.
    static ServerRecord FromStored(std::wstring name, std::wstring_view stored, std::wstring tag);
};

// How a team starts its members, kept in section "options": seconds between two starts
// ("start_spacing"), logins under way at once ("at_once"; 1: one after another) and the seconds
// a member may take from its launcher's Play to its login ("member_time_limit"). A missing or
// unreadable value is its default; a number out of range is taken to the nearest one allowed.
struct TeamPacing {
    static constexpr unsigned kMaxSpacing = 600, kMaxAtOnce = 16, kMinTimeLimit = 10, kMaxTimeLimit = 3600;
    unsigned spacingSeconds = 2;
    unsigned atOnce = 4;
    unsigned memberTimeLimitSeconds = 120;
    bool operator==(const TeamPacing&) const = default;

    // A value as typed or stored: digits only (blanks around them aside), at most 9 of them.
    static std::optional<unsigned> ParseNumber(std::wstring_view text);
    static unsigned SpacingFrom(std::wstring_view text);
    static unsigned AtOnceFrom(std::wstring_view text);
    static unsigned TimeLimitFrom(std::wstring_view text);
};

// Where a game window stood: its rectangle on the virtual screen and the monitor it was on.
struct WindowPlace {
    int left = 0, top = 0, width = 0, height = 0;
    std::wstring monitor;  // the monitor's device name, such as "\\.\DISPLAY1"
    bool operator==(const WindowPlace&) const = default;
};
// A QuickLogin's place: its whole entry (unscrambled) and where its game window goes.
struct StoredPlace {
    std::wstring entry;
    WindowPlace place;
};

// A key combination that logs a QuickLogin or a team in from anywhere.
// What a hotkey can do to all running games, as the file names it ("games:next"): the next or
// previous game to the front, all minimised, all restored, all asked to close.
inline constexpr const wchar_t* kGamesCommands[] = {L"next", L"previous", L"minimize", L"restore", L"close"};

struct Hotkey {
    std::wstring keys;  // as the file writes it: "Strg+Alt+1"
    enum class Kind { kQuickLogin, kTeam, kGames } kind = Kind::kQuickLogin;
    // The QuickLogin's whole entry (unscrambled), the team's name, or what it does to the running
    // games (one of kGamesCommands).
    std::wstring target;
    bool operator==(const Hotkey&) const = default;

    // The keys as text, from RegisterHotKey's modifiers (MOD_CONTROL, MOD_ALT, MOD_SHIFT,
    // MOD_WIN) and virtual-key code: "Strg+Alt+1", "Umschalt+F5", "Strg+#106". The file keeps
    // this form in every language.
    static std::wstring KeysText(unsigned modifiers, unsigned virtualKey);
    // The other way round; false for a text that names no key.
    static bool ParseKeys(const std::wstring& text, unsigned& modifiers, unsigned& virtualKey);
};

// The documentation range (198.51.100.0/24) whose addresses the wizard writes as
// placeholders: no game server has one.
bool IsPlaceholderAddress(std::wstring_view address);
