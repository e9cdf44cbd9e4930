#include "support/wizard_walk.h"

#include "forms/config/server_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "support/automation.h"

namespace uia {

void WalkWizardToTheFinalPage(HWND wizard, const WizardInput& input) {
    using namespace wizard_frm;
    auto select = [&](int combo, int index) {
        SendMessageTimeoutW(GetDlgItem(wizard, combo), CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                            2000, nullptr);
    };
    const int next = Cmds[1];
    auto look = [&](HWND window) {
        if (input.look) input.look(window);
    };
    PressButton(wizard, next);
    look(wizard);
    SetTextOf(GetDlgItem(wizard, AccLoginTxt), input.login);
    SetTextOf(GetDlgItem(wizard, AccPWTxt), input.password);
    PressButton(wizard, next);
    SetTextOf(GetDlgItem(wizard, CharNameTxt), input.character);
    select(ServerCmb, input.server);
    select(ReichCmb, input.realm);
    look(wizard);
    PressButton(wizard, next);
    DWORD pid = 0;
    GetWindowThreadProcessId(wizard, &pid);
    if (HWND servers = WaitForWindow(pid, L"#32770", input.serverWindowTitle.c_str(), std::chrono::seconds(2))) {
        look(servers);
        if (input.serverAddress.empty()) {
            CloseAndWait(servers);
        } else {
            SetTextOf(GetDlgItem(servers, server_frm::LgnTxt[1]), input.serverAddress);
            PressButton(servers, server_frm::AddCmd);  // "Übernehmen", the default button
            WaitUntil([&] { return !IsWindow(servers); });
        }
    }
    SetTextOf(GetDlgItem(wizard, ClientPfadTxt), input.clientDir);
    SetTextOf(GetDlgItem(wizard, ClientNameTxt), input.clientName);
    look(wizard);
    PressButton(wizard, next);
    look(wizard);
    SendMessageW(GetDlgItem(wizard, WinStartChk), BM_SETCHECK, input.windowsStart ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace uia
