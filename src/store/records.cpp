#include "store/records.h"

#include <windows.h>

#include <algorithm>

#include "store/ini_handling.h"

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
    std::vector<std::wstring> f = SplitFields(text, kQuickLoginFields);
    f.resize(kQuickLoginFields);
    return {f[0], f[1], f[2], f[3], f[4]};
}

bool QuickLoginEntry::Same(std::wstring_view a, std::wstring_view b) {
    if (a == b) return true;
    std::vector<std::wstring> fieldsA = SplitFields(a, kQuickLoginFields + 1),
                              fieldsB = SplitFields(b, kQuickLoginFields + 1);
    fieldsA.resize(kQuickLoginFields);
    fieldsB.resize(kQuickLoginFields);
    return fieldsA == fieldsB;
}

std::wstring QuickLoginEntry::QuickLoginGroup(std::wstring_view entryText) {
    const std::vector<std::wstring> f = SplitFields(entryText, kQuickLoginFields + 1);
    if (f.size() >= 3) return f[1] + L"/" + f[2];
    if (f.size() == 2) return f[1];
    return {};
}

std::wstring QuickLoginEntry::QuickLoginCaption(std::wstring_view entryText) {
    // An entry of one field is its character alone; any more show the group before it.
    const size_t comma = entryText.find(L',');
    const std::wstring character(entryText.substr(0, comma));
    return comma == std::wstring_view::npos ? character : QuickLoginGroup(entryText) + L": " + character;
}

std::wstring QuickLoginEntry::ToText() const {
    return character + L"," + server + L"," + realm + L"," + account + L"," + client;
}

short RealmNumber(const std::wstring& realmName) {
    // The game numbers the realms in the order the windows list them, from 1.
    for (size_t i = 0; i < std::size(kRealms); ++i)
        if (realmName == UpperCase(kRealms[i])) return static_cast<short>(i + 1);
    return 0;
}

namespace {

struct ModifierName {
    unsigned modifier;
    const wchar_t* name;
};
constexpr ModifierName kModifierNames[] = {
    {MOD_CONTROL, L"Strg"}, {MOD_ALT, L"Alt"}, {MOD_SHIFT, L"Umschalt"}, {MOD_WIN, L"Win"}};

}  // namespace

std::wstring Hotkey::KeysText(unsigned modifiers, unsigned virtualKey) {
    std::wstring text;
    for (const ModifierName& m : kModifierNames)
        if (modifiers & m.modifier) text += std::wstring(m.name) + L"+";
    if ((virtualKey >= L'0' && virtualKey <= L'9') || (virtualKey >= L'A' && virtualKey <= L'Z'))
        text += static_cast<wchar_t>(virtualKey);
    else if (virtualKey >= VK_F1 && virtualKey <= VK_F24)
        text += L"F" + std::to_wstring(virtualKey - VK_F1 + 1);
    else
        text += L"#" + std::to_wstring(virtualKey);
    return text;
}

bool Hotkey::ParseKeys(const std::wstring& text, unsigned& modifiers, unsigned& virtualKey) {
    modifiers = 0;
    size_t start = 0;
    for (size_t plus; (plus = text.find(L'+', start)) != std::wstring::npos; start = plus + 1) {
        const std::wstring part = UpperCase(text.substr(start, plus - start));
        const ModifierName* known = nullptr;
        for (const ModifierName& m : kModifierNames)
            if (part == UpperCase(m.name)) known = &m;
        if (!known) return false;
        modifiers |= known->modifier;
    }
    const std::wstring key = UpperCase(text.substr(start));
    if (key.size() == 1 && ((key[0] >= L'0' && key[0] <= L'9') || (key[0] >= L'A' && key[0] <= L'Z'))) {
        virtualKey = key[0];
        return true;
    }
    const bool function = key.size() >= 2 && key[0] == L'F', code = key.size() >= 2 && key[0] == L'#';
    if (!function && !code) return false;
    if (key.find_first_not_of(L"0123456789", 1) != std::wstring::npos || key.size() > 4) return false;
    const unsigned number = static_cast<unsigned>(std::stoi(key.substr(1)));
    if (function && (number < 1 || number > 24)) return false;
    virtualKey = function ? VK_F1 + number - 1 : number;
    return virtualKey > 0 && virtualKey < 256;
}

ServerRecord ServerRecord::FromStored(std::wstring name, std::wstring_view stored, std::wstring tag) {
    const size_t colon = stored.find(L':');
    return {std::move(name), std::wstring(stored.substr(0, colon)),
            colon == std::wstring_view::npos ? std::wstring() : std::wstring(stored.substr(colon + 1)), std::move(tag)};
}

bool IsPlaceholderAddress(std::wstring_view address) { return address.rfind(L"198.51.100.", 0) == 0; }

std::optional<unsigned> TeamPacing::ParseNumber(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    unsigned value = 0;
    for (wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value;
}

unsigned TeamPacing::SpacingFrom(std::wstring_view text) {
    return std::min(ParseNumber(text).value_or(TeamPacing{}.spacingSeconds), kMaxSpacing);
}

unsigned TeamPacing::AtOnceFrom(std::wstring_view text) {
    return std::clamp(ParseNumber(text).value_or(TeamPacing{}.atOnce), 1u, kMaxAtOnce);
}

unsigned TeamPacing::TimeLimitFrom(std::wstring_view text) {
    return std::clamp(ParseNumber(text).value_or(TeamPacing{}.memberTimeLimitSeconds), kMinTimeLimit, kMaxTimeLimit);
}
