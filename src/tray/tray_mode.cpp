#include "tray/tray_mode.h"

#include "base/lang.h"
#include "base/product.h"
#include "base/quit.h"
#include "forms/info/helper_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "store/settings.h"
#include "tray/dummy_frm.h"

namespace {

ui::SingleWindow<DummyFRM> g_tray;
std::wstring g_instance;  // the name a handed command must carry

// After the configuration was saved: the items are cleared and tray mode builds them anew.
void RebuildTrayMenu() {
    if (DummyFRM* tray = g_tray.IfLoaded()) {
        ClearTrayMenu();
        StartTrayMode(tray->settings());
    }
}

// The tray window, loaded first if needed.
DummyFRM& TrayWindow() {
    if (DummyFRM* loaded = g_tray.IfLoaded()) return *loaded;
    if (!g_tray.Get().Create()) {
        // No desktop to put a window on (a service session, a display that went away).
        ShowError(LangText(L"tray", L"no_window"));
        QuitProgram();
    }
    g_tray.IfLoaded()->SetMenuRebuild(RebuildTrayMenu);
    g_tray.IfLoaded()->AcceptHandedCommands(g_instance);
    // The icon goes with the program, however it ends.
    SetQuitHook([] {
        if (DummyFRM* tray = g_tray.IfLoaded()) tray->Icon().RemoveTrayIcon();
    });
    return *g_tray.IfLoaded();
}

}  // namespace

void StartTrayMode(Settings& settings) {
    UnloadWizard();
    DummyFRM& tray = TrayWindow();
    tray.UseSettings(settings);
    tray.ReadMenuItems();
    tray.Icon().AddTrayIcon(kProductName);
    tray.RegisterHotkeys();
}

void ClearTrayMenu() {
    if (DummyFRM* tray = g_tray.IfLoaded()) tray->ClearQuickLogins();
}

void StartTrayModeAfterWizard(Settings& settings) {
    // Tray mode unloads the wizard.
    StartTrayMode(settings);
    ShowHelp(settings, LangText(L"help", L"topic1"),
             LangText(L"help", L"txt1_1") + L"\r\n" + LangText(L"help", L"txt1_2") + L"\r\n\r\n" +
                 LangText(L"help", L"txt1_3"),
             0);
}

void EndTrayMode() {
    if (DummyFRM* tray = g_tray.IfLoaded()) tray->Icon().RemoveTrayIcon();
    g_tray.Unload();
}

void AcceptHandedCommands(const std::wstring& instance) {
    g_instance = instance;
    if (DummyFRM* tray = g_tray.IfLoaded()) tray->AcceptHandedCommands(instance);
}

bool RunInTray(const ProgramCommand& command) {
    DummyFRM* tray = g_tray.IfLoaded();
    if (!tray) return false;
    tray->RunProgramCommand(command);
    return true;
}
