#include "tray/tray_mode.h"

#include "base/lang.h"
#include "base/product.h"
#include "forms/info/helper_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "store/settings.h"
#include "tray/dummy_frm.h"

void StartTrayMode(Settings& settings) {
    UnloadWizard();
    DummyFRM::Instance().UseSettings(settings);
    BuildQuickLoginItems();
    DummyFRM::Instance().Icon().Add(kProductName);
}

void BuildQuickLoginItems() {
    std::vector<std::wstring> captions;
    DummyFRM& tray = DummyFRM::Instance();
    for (const std::wstring& text : tray.settings().ReadQuickLoginTexts()) captions.push_back(QuickLoginCaption(text));
    tray.SetQuickLoginCaptions(std::move(captions));
    tray.SetTeamNames(tray.settings().TeamNames());
}

void ClearTrayMenu() {
    if (DummyFRM::Exists()) DummyFRM::Instance().ClearQuickLogins();
}

void RebuildTrayMenu() {
    ClearTrayMenu();
    StartTrayMode(DummyFRM::Instance().settings());
}

void StartTrayModeAfterWizard(Settings& settings) {
    // Tray mode unloads the wizard.
    StartTrayMode(settings);
    ShowHelp(settings, LangText(L"help", L"topic1"),
             LangText(L"help", L"txt1_1") + L"\r\n" + LangText(L"help", L"txt1_2") + L"\r\n\r\n" +
                 LangText(L"help", L"txt1_3"),
             0);
}
