// The settings file: its sections, the QuickLogin entry format, the record readers and the
// rule that decides which values the file can hold. Every access reads or writes the file.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace section {
inline constexpr wchar_t kQuickLogin[] = L"quicklogin";
inline constexpr wchar_t kAccounts[] = L"accounts";
inline constexpr wchar_t kClients[] = L"clients";
inline constexpr wchar_t kServer[] = L"server";
inline constexpr wchar_t kTag[] = L"tag";
inline constexpr wchar_t kHelp[] = L"help";
}  // namespace section

// Reads and writes of the settings file.
std::wstring ReadSetting(const std::wstring& section, const std::wstring& key, const std::wstring& fallback = L"");
bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value);
bool DeleteSetting(const std::wstring& section, const std::wstring& key);
std::vector<std::wstring> ListSettingKeys(const std::wstring& section);

// Splits at commas into at most `limit` fields; the last field keeps any further commas.
std::vector<std::wstring> SplitFields(std::wstring_view text, size_t limit);

// One QuickLogin: five fields joined by single commas, nothing added or trimmed. An entry
// with fewer fields reads its missing fields as empty.
struct QuickLoginEntry {
    std::wstring character, server, realm, account, client;

    static QuickLoginEntry FromText(std::wstring_view text);
    std::wstring ToText() const;
    bool operator==(const QuickLoginEntry&) const = default;
};

// The unscrambled text under key `index` of section "quicklogin"; empty when missing.
std::wstring ReadQuickLoginText(int index);
// The entries "0", "1", ... up to the first missing or empty one, unscrambled.
std::vector<std::wstring> ReadQuickLoginTexts();
// Scrambles and stores the text under key `index`.
bool WriteQuickLoginText(int index, const std::wstring& text);

// Record readers. A missing record gives the empty text (or 0).
std::wstring AccountPassword(const std::wstring& loginName);
std::wstring ClientDir(const std::wstring& clientName);
// "<address>, <port>" from the stored "<address>:<port>" (only the first colon splits);
// nothing when the server has no stored value or the value has no colon.
std::optional<std::wstring> ServerAddress(const std::wstring& serverName);
std::wstring ServerTag(const std::wstring& serverName);
// "ALBION" 1, "MIDGARD" 2, "HIBERNIA" 3, anything else 0; case matters.
short RealmNumber(const std::wstring& realmName);

// Why a value (in the form it is stored in, so scrambled where the file scrambles it) would
// not read back exactly from the settings file.
enum class StoreProblem {
    kNone,
    kTooLong,          // more than 255 characters
    kLineBreakOrNul,   // CR, LF or NUL
    kOuterBlank,       // blank or tab at either end, which reading drops
    kQuoted,           // wrapped in double (or single) quotes, which reading strips
    kNotInCodePage,    // a character the ANSI code page cannot hold
    kKeySyntax,        // as a key name: "=", or a leading "[" or ";", which the file reads otherwise
    kEmpty,            // as a key name: empty
};
StoreProblem CheckStorable(std::wstring_view storedForm);
// The same for a key name, which has a few more rules.
StoreProblem CheckStorableKey(std::wstring_view storedForm);
