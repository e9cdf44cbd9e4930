#include "tray/tray_mode.h"

#include "app/product.h"
#include "forms/wizard/wizard_frm.h"
#include "store/settings.h"
#include "tray/dummy_frm.h"
#include "tray/systray_icon.h"

void StartTrayMode() {
    UnloadWizard();
    BuildQuickLoginItems();
    AddTrayIcon(kProductName);
}

void BuildQuickLoginItems() {
    std::vector<std::wstring> captions;
    for (const std::wstring& text : ReadQuickLoginTexts()) captions.push_back(QuickLoginCaption(text));
    DummyFrm::Instance().SetQuickLoginCaptions(std::move(captions));
}

void ClearTrayMenu() {
    if (DummyFrm::Exists()) DummyFrm::Instance().ClearQuickLogins();
}
