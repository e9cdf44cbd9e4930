#include "forms/wizard/wizard_frm.h"

#include <memory>

#include "base/lang.h"
#include "base/paths.h"
#include "base/product.h"
#include "base/quit.h"
#include "forms/config/autostart.h"
#include "forms/config/folder_picker.h"
#include "forms/config/input_rules.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

enum Id : int {
    kCorvalinkImg = 10,
    kHeading,        // Descr(0)
    kIntro,          // Descr(1)
    kLineDark,
    kLineLight,
    kCancel = 100,   // Cmds(0)
    kNext,           // Cmds(1)
    kBack,           // Cmds(2)
    kFolder,         // Cmds(3)
    kAccountText = 200, kAccountLoginCaption, kAccountLogin, kAccountPasswordCaption, kAccountPassword,
    kCharText = 300, kCharNameCaption, kCharName, kServerCaption, kServer, kRealmCaption, kRealm,
    kClientText = 400, kClientDirCaption, kClientDir, kClientNameCaption, kClientName,
    kFinalText = 500, kWinStart,
};

const ui::Font kHeadingFont{L"Trebuchet MS", 1200, true};

// Pages lie at (240, 820); their controls are given relative to the page.
constexpr int kPageLeft = 240, kPageTop = 820;
constexpr ui::ControlSpec OnPage(int page, ui::ControlSpec c) {
    c.left += kPageLeft;
    c.top += kPageTop;
    c.group = page + 1;
    return c;
}

constexpr ui::ControlSpec kControls[] = {
    {kCorvalinkImg, ui::Kind::kImage, nullptr, 240, 240, 495, 495},
    {kHeading, ui::Kind::kLabel, nullptr, 840, 280, 5175, 375, &kHeadingFont},
    {kIntro, ui::Kind::kLabel, nullptr, 260, 840, 5635, 2535},
    // page 0: account
    OnPage(0, {kAccountText, ui::Kind::kLabel, nullptr, 0, 0, 5655, 1815}),
    OnPage(0, {kAccountLoginCaption, ui::Kind::kLabel, nullptr, 840, 1840, 1455, 255, nullptr, SS_RIGHT}),
    OnPage(0, {kAccountLogin, ui::Kind::kTextBox, nullptr, 2400, 1800, 1575, 345, nullptr, 0, 0, 24}),
    OnPage(0, {kAccountPasswordCaption, ui::Kind::kLabel, nullptr, 840, 2205, 1455, 255, nullptr, SS_RIGHT}),
    OnPage(0, {kAccountPassword, ui::Kind::kPasswordBox, nullptr, 2400, 2160, 1575, 345, nullptr, 0, 0, 14}),
    // page 1: character
    OnPage(1, {kCharText, ui::Kind::kLabel, nullptr, 0, 0, 5655, 1215}),
    OnPage(1, {kCharNameCaption, ui::Kind::kLabel, nullptr, 840, 1360, 1335, 255, nullptr, SS_RIGHT}),
    OnPage(1, {kCharName, ui::Kind::kTextBox, nullptr, 2280, 1320, 1575, 345, nullptr, 0, 0, 24}),
    OnPage(1, {kServerCaption, ui::Kind::kLabel, nullptr, 840, 1720, 1335, 255, nullptr, SS_RIGHT}),
    OnPage(1, {kServer, ui::Kind::kDropDownList, nullptr, 2280, 1680, 1575, 1800}),
    OnPage(1, {kRealmCaption, ui::Kind::kLabel, nullptr, 840, 2080, 1335, 255, nullptr, SS_RIGHT}),
    OnPage(1, {kRealm, ui::Kind::kDropDownList, nullptr, 2280, 2040, 1575, 1200}),
    // page 2: client
    OnPage(2, {kClientText, ui::Kind::kLabel, nullptr, 0, 0, 5655, 1455}),
    OnPage(2, {kClientDirCaption, ui::Kind::kLabel, nullptr, 360, 1605, 1815, 255, nullptr, SS_RIGHT}),
    OnPage(2, {kClientDir, ui::Kind::kTextBox, nullptr, 2280, 1560, 1575, 345, nullptr, 0, 0, 64}),
    OnPage(2, {kFolder, ui::Kind::kButton, L"..", 3840, 1560, 375, 345}),
    OnPage(2, {kClientNameCaption, ui::Kind::kLabel, nullptr, 360, 1965, 1815, 255, nullptr, SS_RIGHT}),
    OnPage(2, {kClientName, ui::Kind::kTextBox, nullptr, 2280, 1920, 1935, 345, nullptr, 0, 0, 16}),
    // page 3: final
    OnPage(3, {kFinalText, ui::Kind::kLabel, nullptr, 0, 0, 5655, 2055}),
    OnPage(3, {kWinStart, ui::Kind::kCheckBox, nullptr, 1320, 2160, 3855, 255}),
    // bottom row
    {kLineDark, ui::Kind::kEtchedLine, nullptr, 240, 3480, 5620, 30},
    {kCancel, ui::Kind::kButton, nullptr, 240, 3600, 1215, 375},
    {kBack, ui::Kind::kButton, nullptr, 3360, 3600, 1215, 375, nullptr, WS_DISABLED},
    {kNext, ui::Kind::kDefaultButton, nullptr, 4680, 3600, 1215, 375},
};

constexpr wchar_t kCrLf[] = L"\r\n";

// The servers the wizard offers. The addresses are placeholders from a documentation range:
// users enter their servers' real addresses in section [server] of the settings file.
struct DefaultServer {
    const wchar_t* name;
    const wchar_t* address;
    const wchar_t* tag;
};
constexpr DefaultServer kDefaultServers[] = {
    {L"DARTMOOR", L"198.51.100.12:10622", L"12"},
    {L"LOGRES", L"198.51.100.8:10622", L"8"},
    {L"STONEHENGE", L"198.51.100.7:10622", L"7"},
    {L"LYONESSE", L"198.51.100.4:10622", L"4"},
};

std::wstring T(const wchar_t* key) { return LangText(L"wizard", key); }
std::wstring G(const wchar_t* key) { return LangText(L"general", key); }
std::wstring E(const wchar_t* key) { return LangText(L"errors", key); }

bool Contains(std::wstring text, std::wstring part) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    CharUpperBuffW(part.data(), static_cast<DWORD>(part.size()));
    return text.find(part) != std::wstring::npos;
}

class WizardFrm : public ui::Form {
public:
    explicit WizardFrm(WizardEnd end)
        : Form({kProductName, 6240, 4440, {L"Trebuchet MS", 825}, false, true}, kControls), end_(std::move(end)) {}

protected:
    void OnLoad() override {
        const std::wstring product = kProductName;
        SetCaption(product + L" :: " + T(L"topic"));
        currentStep_ = -1;
        ui::SetText(Item(kHeading), T(L"1"));
        ui::SetText(Item(kIntro), product + T(L"2") + kCrLf + kCrLf + T(L"3") + ProgramDir() + T(L"4") + kCrLf +
                                      kCrLf + T(L"5"));
        ui::SetText(Item(kAccountText), product + T(L"6") + kCrLf + T(L"7") + kCrLf + kCrLf + T(L"8"));
        ui::SetText(Item(kCharText), T(L"9") + kCrLf + kCrLf + T(L"10"));
        ui::SetText(Item(kClientText), T(L"11") + kCrLf + kCrLf + T(L"12"));
        ui::SetText(Item(kFinalText), T(L"13") + kCrLf + kCrLf + T(L"14"));
        ui::SetText(Item(kCancel), G(L"abort"));
        ui::SetText(Item(kNext), G(L"cntrt"));
        ui::SetText(Item(kBack), G(L"bcklt"));
        ui::SetText(Item(kAccountLoginCaption), G(L"accid"));
        ui::SetText(Item(kAccountPasswordCaption), G(L"accpw"));
        ui::SetText(Item(kCharNameCaption), G(L"chrname"));
        ui::SetText(Item(kServerCaption), G(L"srvdescr"));
        ui::SetText(Item(kRealmCaption), G(L"reichdescr"));
        ui::SetText(Item(kClientDirCaption), G(L"clntdir"));
        ui::SetText(Item(kClientNameCaption), G(L"clntname"));
        ui::SetText(Item(kWinStart), G(L"wndstrt"));
        ui::SetChecked(Item(kWinStart), true);
        for (const wchar_t* realm : {L"Albion", L"Midgard", L"Hibernia"}) ui::ComboAdd(Item(kRealm), realm);
        ShowStep();
    }

    void OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
            case kCancel: QuitProgram();
            case kNext: Next(); break;
            case kBack: Back(); break;
            case kFolder: PickFolder(); break;
            default: break;
        }
    }

    void OnUnload() override {
        if (end_.unloaded) end_.unloaded();
    }

private:
    std::wstring Text(int id) { return ui::GetText(Item(id)); }

    void ShowStep() {
        for (int page = 0; page < 4; ++page) SetGroupVisible(page + 1, page == currentStep_);
        ui::SetVisible(Item(kIntro), currentStep_ < 0);
        static const wchar_t* const kCaptions[] = {L"caption1", L"caption2", L"caption3", L"caption4"};
        static const int kFocus[] = {kAccountLogin, kCharName, kClientDir, kWinStart};
        if (currentStep_ >= 0) {
            ui::SetText(Item(kHeading), T(kCaptions[currentStep_]));
            SetFocus(Item(kFocus[currentStep_]));
        } else {
            SetFocus(Item(kNext));
        }
    }

    void Advance() {
        if (currentStep_ < 3) ++currentStep_;
        ShowStep();
    }

    void Next() {
        std::optional<std::wstring> refusal;
        switch (currentStep_) {
            case -1:
                if (const SaveResult saved = AddMissingServers(DefaultServers()); !saved.ok()) {
                    ShowError(WriteFailedText(saved));
                    return;
                }
                FillServerList();
                Advance();
                return;
            case 0: {
                const std::wstring login = Text(kAccountLogin), password = Text(kAccountPassword);
                if (login.size() < 3) refusal = E(L"3");
                else if (password.size() != 8) refusal = E(L"4");
                else refusal = RefuseAccount(login, password);
                if (refusal) break;
                ui::SetEnabled(Item(kBack), true);
                Advance();
                return;
            }
            case 1: {
                const std::wstring name = Text(kCharName);
                if (name.size() < 3) refusal = E(L"5");
                else if (Text(kServer).empty()) refusal = E(L"6");
                else if (Text(kRealm).empty()) refusal = E(L"7");
                else refusal = RefuseQuickLogin(Entry());
                if (refusal) break;
                Advance();
                return;
            }
            case 2: {
                const std::wstring name = Text(kClientName);
                clientDir_ = Text(kClientDir);
                if (!IsGameFolder(clientDir_)) refusal = E(L"9");
                else if (name.empty()) refusal = E(L"8");
                else if ((refusal = RefuseClientName(L"Der Clientname", name))) {}
                else if ((refusal = RefuseClientDir(L"Der DAoC-Ordner", clientDir_))) {}
                else refusal = RefuseQuickLogin(Entry());
                if (refusal) break;
                ui::SetVisible(Item(kCancel), false);
                ui::SetVisible(Item(kBack), false);
                ui::SetText(Item(kNext), G(L"gtrdy"));
                Advance();
                return;
            }
            default: Finish(); return;
        }
        ShowError(*refusal);  // the page and all fields stay as they are
    }

    void Back() {
        if (--currentStep_ < 1) {
            ui::SetEnabled(Item(kBack), false);
            currentStep_ = 0;
        }
        ShowStep();
    }

    void PickFolder() {
        const std::wstring path = BrowseForFolder(L"Bitte DAoC-Ordner auswählen");
        if (!path.empty() && !IsGameFolder(path)) {
            ShowError(E(L"10") + path + E(L"11"));
            return;
        }
        ui::SetText(Item(kClientDir), path);
        const size_t slash = path.find_last_of(L'\\');
        if (slash != std::wstring::npos) {
            const std::wstring last = path.substr(slash + 1);
            std::wstring guess;
            if (Contains(last, L"Cata")) guess = L"Catacombs";
            if (Contains(last, L"Atlantis")) guess = L"ToA";
            if (Contains(last, L"ToA")) guess = L"ToA";
            if (!guess.empty()) ui::SetText(Item(kClientName), guess);
        }
        SetFocus(Item(kClientName));
    }

    QuickLoginEntry Entry() {
        return {Text(kCharName), Text(kServer), Text(kRealm), Text(kAccountLogin), Text(kClientName)};
    }

    static std::vector<ServerRecord> DefaultServers() {
        std::vector<ServerRecord> servers;
        for (const DefaultServer& s : kDefaultServers) servers.push_back({s.name, s.address, s.tag});
        return servers;
    }

    void FillServerList() {
        ui::ComboClear(Item(kServer));
        for (const std::wstring& name : ListSettingKeys(section::kServer)) ui::ComboAdd(Item(kServer), name);
    }

    void Finish() {
        if (const SaveResult saved = StoreFirstSetup(Entry(), Text(kAccountPassword), clientDir_); !saved.ok()) {
            ShowError(WriteFailedText(saved));
            return;
        }
        ui::SetEnabled(Item(kNext), false);
        if (ui::IsChecked(Item(kWinStart)) && !CreateAutostart())
            ShowError(L"Die Verknüpfung im Autostart-Ordner von Windows konnte nicht angelegt werden. Corvalink "
                      L"startet daher nicht mit Windows; Sie können das später in der Konfiguration einschalten.");
        Hide();
        // The opener's tray mode unloads this window: nothing of it is used afterwards.
        const std::function<void()> finished = end_.finished;
        if (finished) finished();
    }

    WizardEnd end_;
    short currentStep_ = -1;
    std::wstring clientDir_;  // the checked game folder, as stored
};

std::unique_ptr<WizardFrm>& Slot() {
    static std::unique_ptr<WizardFrm> wizard;
    return wizard;
}

}  // namespace

void ShowWizard(WizardEnd end) {
    Slot() = std::make_unique<WizardFrm>(std::move(end));
    Slot()->Show();
}

void UnloadWizard() {
    if (Slot() && Slot()->Loaded()) Slot()->Unload();
}
