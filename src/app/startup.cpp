#include "app/startup.h"

#include <windows.h>

#include "app/command_line.h"
#include "app/hand_over.h"
#include "app/single_instance.h"
#include "base/lang.h"
#include "base/paths.h"
#include "forms/shared/settings_messages.h"
#include "forms/wizard/wizard_frm.h"
#include "store/file_check.h"
#include "store/settings.h"
#include "tray/tray_mode.h"
#include "ui/message_box.h"

StartMode ChooseStartMode(const Settings& settings) {
    // The stored text decides, scrambled as it is; both conditions are always evaluated.
    const bool hasEntry = !settings.ReadSetting(section::kQuickLogin, L"0").empty();
    const bool fileExists = FileExists(settings.file());
    return hasEntry && fileExists ? StartMode::kTray : StartMode::kWizard;
}

std::wstring ArgumentsOf(const std::wstring& commandLine, const std::function<bool(const std::wstring&)>& isProgram) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        i = commandLine.find_first_of(L" \t");
        if (i == std::wstring::npos) i = commandLine.size();
        for (size_t blank = i; isProgram && blank < commandLine.size();
             blank = commandLine.find_first_of(L" \t", blank + 1)) {
            if (isProgram(commandLine.substr(0, blank))) {
                i = blank;
                break;
            }
            if (commandLine.find_first_of(L" \t", blank + 1) == std::wstring::npos) break;
        }
    }
    const size_t start = commandLine.find_first_not_of(L" \t", i);
    if (start == std::wstring::npos) return {};
    const size_t end = commandLine.find_last_not_of(L" \t");
    return commandLine.substr(start, end - start + 1);
}

namespace {

// Whether `name` (as a command line gives it: maybe without ".exe", maybe found on the
// search path) is the running executable.
bool NamesThisProgram(const std::wstring& name) {
    wchar_t found[MAX_PATH * 2];
    const DWORD n = SearchPathW(nullptr, name.c_str(), L".exe", MAX_PATH * 2, found, nullptr);
    if (n == 0 || n >= MAX_PATH * 2) return false;
    const std::wstring& self = ExecutablePath();
    return CompareStringOrdinal(found, static_cast<int>(n), self.c_str(), static_cast<int>(self.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

std::optional<int> RunStartProcedure() {
    InitPathsFromModule();

    // Both files are always tested; an incomplete installation is reported before anything else.
    const bool langPresent = FileExists(LangFile());
    const bool companionPresent = FileExists(ProgramDir() + L"\\Modal.exe");
    if (!langPresent || !companionPresent) {
        ui::MsgBox(
            LangText(L"errors", L"1", L"Das Softwarepaket ist nicht vollständig, die Anwendung wird daher beendet!"),
            MB_OK | MB_ICONERROR);
        return 1;
    }

    // The one settings file of this run, handed to every layer that reads or writes it.
    static Settings settings(SettingsFile());
    // Every text from here on is in the player's language (German when the file cannot tell).
    SelectLanguage(settings.Language());
    // A file that cannot be read (or read right) is never taken for an empty one.
    const auto readable = [] {
        const ReadProblem problem = settings.CheckReadable();
        if (!problem.ok())
            ShowError(ReadProblemText(settings.file(), problem) + L"\r\n\r\n" + LangText(L"general", L"start_refused"));
        return problem.ok();
    };

    // A command is checked against the file before anything else happens: a caption that names
    // no QuickLogin, or two, starts nothing anywhere.
    std::optional<ProgramCommand> command;
    if (const std::wstring arguments = ArgumentsOf(GetCommandLineW(), NamesThisProgram); !arguments.empty()) {
        if (!readable()) return 1;
        const auto resolved = ResolveCommand(arguments, settings.ReadQuickLoginTexts(), settings.TeamNames());
        if (const CommandProblem* problem = std::get_if<CommandProblem>(&resolved)) {
            ShowError(CommandProblemText(*problem));
            return kExitBadCommand;
        }
        command = std::get<ProgramCommand>(resolved);
    }

    const std::wstring instance = SingleInstanceName(SettingsFile());
    if (!ClaimSingleInstance(SettingsFile())) {
        // The Corvalink that runs carries the command out; this start is done once it took it.
        if (command && HandOverCommand(*command, instance)) return 0;
        ShowError(LangText(L"errors", L"2"));
        return 1;
    }

    if (!command && !readable()) return 1;
    AcceptHandedCommands(instance);
    if (ChooseStartMode(settings) == StartMode::kTray) {
        StartTrayMode(settings);
        if (command) RunInTray(*command);
    } else {
        ShowWizard(settings, {[] { StartTrayModeAfterWizard(settings); }, [] { EndTrayMode(); }});
    }
    return std::nullopt;
}
