#include "store/settings.h"

#include <map>

#include "app/paths.h"
#include "store/ansi.h"
#include "store/ini_handling.h"
#include "store/simple_crypt.h"

std::wstring ReadSetting(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    return ReadIni(section, key, fallback, SettingsFile(), kSettingsBufferSize);
}

bool WriteSetting(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    return WriteIni(SettingsFile(), section, key, value);
}

bool DeleteSetting(const std::wstring& section, const std::wstring& key) {
    return DeleteIniKey(SettingsFile(), section, key);
}

std::vector<std::wstring> ListSettingKeys(const std::wstring& section) {
    return ListIniKeys(SettingsFile(), section);
}

std::vector<std::wstring> SplitFields(std::wstring_view text, size_t limit) {
    std::vector<std::wstring> fields;
    if (limit == 0) return fields;
    size_t start = 0;
    while (fields.size() + 1 < limit) {
        const size_t comma = text.find(L',', start);
        if (comma == std::wstring_view::npos) break;
        fields.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    fields.emplace_back(text.substr(start));
    return fields;
}

QuickLoginEntry QuickLoginEntry::FromText(std::wstring_view text) {
    std::vector<std::wstring> f = SplitFields(text, 5);
    f.resize(5);
    return {f[0], f[1], f[2], f[3], f[4]};
}

std::wstring QuickLoginEntry::ToText() const {
    return character + L"," + server + L"," + realm + L"," + account + L"," + client;
}

std::wstring ReadQuickLoginText(int index) {
    return CryptText(ReadSetting(section::kQuickLogin, std::to_wstring(index)), L"");
}

std::vector<std::wstring> ReadQuickLoginTexts() {
    // One pass over the section instead of one file read a key: menus of many entries build fast.
    std::map<std::wstring, std::wstring> stored;
    for (auto& [key, value] : ReadIniSection(SettingsFile(), section::kQuickLogin, kSettingsBufferSize))
        stored.emplace(key, value);
    std::vector<std::wstring> texts;
    for (int i = 0;; ++i) {
        auto it = stored.find(std::to_wstring(i));
        if (it == stored.end() || it->second.empty()) break;
        texts.push_back(CryptText(it->second, L""));
    }
    return texts;
}

bool WriteQuickLoginText(int index, const std::wstring& text) {
    return WriteSetting(section::kQuickLogin, std::to_wstring(index), CryptText(text, L""));
}

std::wstring AccountPassword(const std::wstring& loginName) {
    return CryptText(ReadSetting(section::kAccounts, CryptText(loginName, L"")), L"");
}

std::wstring ClientDir(const std::wstring& clientName) { return ReadSetting(section::kClients, clientName); }

std::optional<std::wstring> ServerAddress(const std::wstring& serverName) {
    const std::wstring value = ReadSetting(section::kServer, serverName);
    const size_t colon = value.find(L':');
    if (colon == std::wstring::npos) return std::nullopt;
    return value.substr(0, colon) + L", " + value.substr(colon + 1);
}

std::wstring ServerTag(const std::wstring& serverName) { return ReadSetting(section::kTag, serverName); }

short RealmNumber(const std::wstring& realmName) {
    if (realmName == L"ALBION") return 1;
    if (realmName == L"MIDGARD") return 2;
    if (realmName == L"HIBERNIA") return 3;
    return 0;
}

StoreProblem CheckStorable(std::wstring_view storedForm) {
    if (!FitsAnsi(storedForm)) return StoreProblem::kNotInCodePage;
    if (storedForm.size() > static_cast<size_t>(kSettingsBufferSize - 1)) return StoreProblem::kTooLong;
    if (storedForm.find_first_of(std::wstring_view(L"\r\n\0", 3)) != std::wstring_view::npos)
        return StoreProblem::kLineBreakOrNul;
    auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    if (!storedForm.empty() && (blank(storedForm.front()) || blank(storedForm.back())))
        return StoreProblem::kOuterBlank;
    const auto quote = [](wchar_t c) { return c == L'"' || c == L'\''; };
    if (storedForm.size() >= 2 && quote(storedForm.front()) && storedForm.back() == storedForm.front())
        return StoreProblem::kQuoted;
    return StoreProblem::kNone;
}

StoreProblem CheckStorableKey(std::wstring_view storedForm) {
    if (storedForm.empty()) return StoreProblem::kEmpty;
    const StoreProblem value = CheckStorable(storedForm);
    if (value != StoreProblem::kNone && value != StoreProblem::kQuoted) return value;
    if (storedForm.find(L'=') != std::wstring_view::npos || storedForm.front() == L'[' || storedForm.front() == L';')
        return StoreProblem::kKeySyntax;
    return StoreProblem::kNone;
}
