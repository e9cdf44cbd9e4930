#include "app/startup.h"

#include <windows.h>

#include "app/lang.h"
#include "app/paths.h"
#include "app/single_instance.h"
#include "forms/wizard/wizard_frm.h"
#include "store/file_check.h"
#include "store/settings.h"
#include "tray/tray_mode.h"
#include "ui/message_box.h"

StartMode ChooseStartMode() {
    // The stored text decides, scrambled as it is; both conditions are always evaluated.
    const bool hasEntry = !ReadSetting(section::kQuickLogin, L"0").empty();
    const bool fileExists = FileExists(SettingsFile());
    return hasEntry && fileExists ? StartMode::kTray : StartMode::kWizard;
}

std::wstring ArgumentsOf(const std::wstring& commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        i = commandLine.find_first_of(L" \t");
        if (i == std::wstring::npos) i = commandLine.size();
    }
    const size_t start = commandLine.find_first_not_of(L" \t", i);
    if (start == std::wstring::npos) return {};
    const size_t end = commandLine.find_last_not_of(L" \t");
    return commandLine.substr(start, end - start + 1);
}

bool RunStartProcedure() {
    InitPathsFromModule();

    // Both files are always tested; an incomplete installation is reported before anything else.
    const bool langPresent = FileExists(LangFile());
    const bool companionPresent = FileExists(ProgramDir() + L"\\Modal.exe");
    if (!langPresent || !companionPresent) {
        ui::MsgBox(LangText(L"errors", L"1",
                            L"Das Softwarepaket ist nicht vollständig, die Anwendung wird daher beendet!"),
                   MB_OK | MB_ICONERROR);
        return false;
    }

    const std::wstring arguments = ArgumentsOf(GetCommandLineW());
    if (!arguments.empty()) {
        ui::MsgBox(arguments, MB_OK);
        return false;
    }

    if (!ClaimSingleInstance(SettingsFile())) {
        ShowError(LangText(L"errors", L"2"));
        return false;
    }

    if (ChooseStartMode() == StartMode::kTray)
        StartTrayMode();
    else
        ShowWizard();
    return true;
}
