#include "tray/program_command.h"

namespace {

constexpr wchar_t kSeparator = L'\n';
constexpr const wchar_t* kKinds[] = {L"login", L"team", L"front", L"config"};

}  // namespace

std::wstring ProgramCommand::Handed(const std::wstring& instance) const {
    return instance + kSeparator + kKinds[static_cast<int>(kind)] + kSeparator + target;
}

std::optional<ProgramCommand> ProgramCommand::FromHanded(const std::wstring& handed, const std::wstring& instance) {
    const size_t first = handed.find(kSeparator);
    const size_t second = first == std::wstring::npos ? first : handed.find(kSeparator, first + 1);
    if (second == std::wstring::npos) return std::nullopt;
    if (handed.compare(0, first, instance) != 0) return std::nullopt;
    const std::wstring kind = handed.substr(first + 1, second - first - 1);
    for (int i = 0; i < 4; ++i)
        if (kind == kKinds[i]) return ProgramCommand{static_cast<Kind>(i), handed.substr(second + 1)};
    return std::nullopt;
}
