#include "app/command_line.h"

#include <windows.h>

#include "base/lang.h"
#include "store/records.h"

namespace {

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// The switch a word names, without its "/" or "-"; nothing when the word is no known switch.
std::optional<ProgramCommand::Kind> SwitchOf(const std::wstring& word) {
    if (word.size() < 2 || (word[0] != L'/' && word[0] != L'-')) return std::nullopt;
    const std::wstring name = word.substr(1);
    constexpr std::pair<const wchar_t*, ProgramCommand::Kind> kSwitches[] = {
        {L"login", ProgramCommand::Kind::kLogin},
        {L"team", ProgramCommand::Kind::kTeam},
        {L"front", ProgramCommand::Kind::kFront},
        {L"config", ProgramCommand::Kind::kConfig},
    };
    for (const auto& [text, kind] : kSwitches)
        if (SameIgnoringCase(name, text)) return kind;
    return std::nullopt;
}

}  // namespace

std::vector<std::wstring> SplitArguments(const std::wstring& arguments) {
    std::vector<std::wstring> words;
    std::wstring word;
    bool inWord = false, quoted = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const wchar_t c = arguments[i];
        if (c == L'"') {
            if (quoted && i + 1 < arguments.size() && arguments[i + 1] == L'"') {
                word += L'"';
                ++i;
            } else {
                quoted = !quoted;
            }
            inWord = true;
        } else if (!quoted && (c == L' ' || c == L'\t')) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(std::move(word));
    return words;
}

std::variant<ProgramCommand, CommandProblem> ResolveCommand(const std::wstring& arguments,
                                                            const std::vector<std::wstring>& quickLogins,
                                                            const std::vector<std::wstring>& teams) {
    using Kind = ProgramCommand::Kind;
    const std::vector<std::wstring> words = SplitArguments(arguments);
    if (words.empty()) return CommandProblem{CommandProblem::Kind::kUnknownSwitch, arguments};
    const std::optional<Kind> kind = SwitchOf(words[0]);
    if (!kind) return CommandProblem{CommandProblem::Kind::kUnknownSwitch, words[0]};
    const size_t length = *kind == Kind::kConfig ? 1 : 2;
    if (words.size() < length) return CommandProblem{CommandProblem::Kind::kMissingName, words[0]};
    if (words.size() > length) return CommandProblem{CommandProblem::Kind::kExtra, words[length]};
    if (*kind == Kind::kConfig) return ProgramCommand{Kind::kConfig, {}};

    const std::wstring& name = words[1];
    if (*kind == Kind::kTeam) {
        for (const std::wstring& team : teams)
            if (SameIgnoringCase(team, name)) return ProgramCommand{Kind::kTeam, team};
        return CommandProblem{CommandProblem::Kind::kNoTeam, name};
    }
    std::vector<std::wstring> named;
    for (const std::wstring& entry : quickLogins)
        if (SameIgnoringCase(QuickLoginEntry::QuickLoginCaption(entry), name)) named.push_back(entry);
    if (named.empty()) return CommandProblem{CommandProblem::Kind::kNoQuickLogin, name};
    if (named.size() > 1) return CommandProblem{CommandProblem::Kind::kAmbiguous, name};
    return ProgramCommand{*kind, named.front()};
}

std::wstring CommandProblemText(const CommandProblem& problem) {
    using Kind = CommandProblem::Kind;
    switch (problem.kind) {
        case Kind::kUnknownSwitch:
            return LangFormat(L"command", L"unknown_switch", {problem.value}) + L"\r\n\r\n" +
                   LangText(L"command", L"usage");
        case Kind::kMissingName: return LangFormat(L"command", L"missing_name", {problem.value});
        case Kind::kExtra:
            return LangFormat(L"command", L"extra", {problem.value}) + L"\r\n\r\n" + LangText(L"command", L"usage");
        case Kind::kNoQuickLogin: return LangFormat(L"command", L"no_quicklogin", {problem.value});
        case Kind::kAmbiguous: return LangFormat(L"command", L"ambiguous", {problem.value});
        case Kind::kNoTeam: return LangFormat(L"command", L"no_team", {problem.value});
    }
    return {};
}
