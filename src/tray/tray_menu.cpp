#include "tray/tray_menu.h"

#include "store/settings.h"

namespace {

// A menu shows "&" as the underline of the next letter: double it to show it as written.
std::wstring MenuText(std::wstring_view text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'&') out += L'&';
        out += c;
    }
    return out;
}

void AppendItem(HMENU menu, UINT id, const std::wstring& caption, bool enabled = true) {
    AppendMenuW(menu, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED), id, caption.c_str());
}

}  // namespace

std::wstring QuickLoginCaption(std::wstring_view entryText) {
    const std::vector<std::wstring> f = SplitFields(entryText, 6);
    if (f.size() >= 3) return f[1] + L"/" + f[2] + L": " + f[0];
    if (f.size() == 2) return f[1] + L": " + f[0];
    return f[0];
}

ui::ScopedMenu BuildTrayMenu(const TrayMenuState& state) {
    ui::ScopedMenu menu(CreatePopupMenu());
    HMENU daoc = CreatePopupMenu();  // owned by `menu` once appended
    AppendItem(daoc, kCmdAgreement, L"Nutzungsvereinbarungen");
    AppendItem(daoc, kCmdRulesOfConduct, L"Verhaltenskodex");

    AppendItem(menu.get(), kCmdAbout, L"Über ..");
    AppendItem(menu.get(), kCmdConfig, L"Konfiguration");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(daoc), L"DAoC");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < state.quickLoginCaptions.size(); ++i)
        AppendItem(menu.get(), kCmdQuickLoginFirst + static_cast<UINT>(i), MenuText(state.quickLoginCaptions[i]),
                   state.quickLoginsEnabled);
    if (state.runInProgress) AppendItem(menu.get(), kCmdCancelRun, L"Anmeldung abbrechen");
    if (!state.quickLoginCaptions.empty() || state.runInProgress) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendItem(menu.get(), kCmdExit, L"Beenden");
    return menu;
}
