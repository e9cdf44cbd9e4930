#include "forms/shared/games_commands.h"

#include <iterator>

#include "base/lang.h"
#include "store/records.h"

namespace {

// The caption of each of kGamesCommands, in their order.
constexpr const wchar_t* kCaptions[] = {L"tray/games_next", L"tray/games_previous", L"tray/games_minimize",
                                        L"tray/games_restore", L"tray/games_close"};
static_assert(std::size(kCaptions) == std::size(kGamesCommands));

}  // namespace

std::wstring GamesCommandCaption(const std::wstring& name) {
    for (size_t i = 0; i < std::size(kGamesCommands); ++i)
        if (name == kGamesCommands[i]) {
            std::wstring caption = LangTextAt(kCaptions[i]);
            std::erase(caption, L'&');
            return caption;
        }
    return name;
}
