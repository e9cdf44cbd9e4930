#include "forms/wizard/wizard_frm.h"

#include <memory>

#include "base/lang.h"
#include "base/paths.h"
#include "base/product.h"
#include "base/quit.h"
#include "forms/config/autostart.h"
#include "forms/config/folder_picker.h"
#include "forms/config/input_rules.h"
#include "forms/config/language_choice.h"
#include "forms/config/server_choice.h"
#include "forms/config/server_frm.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/message_box.h"

namespace {

using namespace wizard_frm;

const ui::Font kHeadingFont{L"Trebuchet MS", 1200, true};

// Pages lie at (240, 820); their controls are given relative to the page.
constexpr int kPageLeft = 240, kPageTop = 820;
constexpr ui::ControlSpec OnPage(int page, ui::ControlSpec c) {
    c.left += kPageLeft;
    c.top += kPageTop;
    c.group = FrameFrm[page];
    return c;
}

constexpr ui::ControlSpec kControls[] = {
    {CorvalinkImg, ui::Kind::kImage, nullptr, 240, 240, 495, 495},
    {Descr[0], ui::Kind::kLabel, nullptr, 840, 280, 5175, 375, &kHeadingFont},
    {Descr[1], ui::Kind::kLabel, nullptr, 260, 840, 5635, 2055},
    // the introduction's language choice, right below its text
    {LangLbl, ui::Kind::kLabel, L"config/language", 260, 3000, 2055, 255, nullptr, SS_RIGHT},
    {LangCmb, ui::Kind::kDropDownList, nullptr, 2400, 2960, 1575, 1200},
    // page 0: account
    OnPage(0, {Descr0[0], ui::Kind::kLabel, nullptr, 0, 0, 5655, 1815}),
    // The labels reach far to the left: right-aligned, they keep their first letters at any DPI.
    OnPage(0, {Descr0[1], ui::Kind::kLabel, nullptr, 120, 1840, 2175, 255, nullptr, SS_RIGHT}),
    OnPage(0, {AccLoginTxt, ui::Kind::kTextBox, nullptr, 2400, 1800, 1575, 345, nullptr, 0, 0, 24}),
    OnPage(0, {Descr0[2], ui::Kind::kLabel, nullptr, 120, 2205, 2175, 255, nullptr, SS_RIGHT}),
    OnPage(0, {AccPWTxt, ui::Kind::kPasswordBox, nullptr, 2400, 2160, 1575, 345, nullptr, 0, 0, 14}),
    // page 1: character
    OnPage(1, {Descr1[0], ui::Kind::kLabel, nullptr, 0, 0, 5655, 1215}),
    OnPage(1, {Descr1[1], ui::Kind::kLabel, nullptr, 120, 1360, 2055, 255, nullptr, SS_RIGHT}),
    OnPage(1, {CharNameTxt, ui::Kind::kTextBox, nullptr, 2280, 1320, 1575, 345, nullptr, 0, 0, 24}),
    OnPage(1, {Descr1[2], ui::Kind::kLabel, nullptr, 120, 1720, 2055, 255, nullptr, SS_RIGHT}),
    OnPage(1, {ServerCmb, ui::Kind::kDropDownList, nullptr, 2280, 1680, 2535, 1800}),
    OnPage(1, {SrvCmd, ui::Kind::kButton, L"..", 4860, 1680, 375, 345}),
    OnPage(1, {Descr1[3], ui::Kind::kLabel, nullptr, 120, 2080, 2055, 255, nullptr, SS_RIGHT}),
    OnPage(1, {ReichCmb, ui::Kind::kDropDownList, nullptr, 2280, 2040, 1575, 1200}),
    // page 2: client
    OnPage(2, {Descr2[0], ui::Kind::kLabel, nullptr, 0, 0, 5655, 1455}),
    OnPage(2, {Descr2[2], ui::Kind::kLabel, nullptr, 120, 1605, 2055, 255, nullptr, SS_RIGHT}),
    // A game folder's path is long: the box takes the page's width.
    OnPage(2, {ClientPfadTxt, ui::Kind::kTextBox, nullptr, 2280, 1560, 2895, 345, nullptr, 0, 0, 64}),
    OnPage(2, {Cmds[3], ui::Kind::kButton, L"..", 5220, 1560, 375, 345}),
    OnPage(2, {Descr2[1], ui::Kind::kLabel, nullptr, 120, 1965, 2055, 255, nullptr, SS_RIGHT}),
    OnPage(2, {ClientNameTxt, ui::Kind::kTextBox, nullptr, 2280, 1920, 1935, 345, nullptr, 0, 0, 16}),
    // page 3: final
    OnPage(3, {Descr3[0], ui::Kind::kLabel, nullptr, 0, 0, 5655, 2055}),
    OnPage(3, {WinStartChk, ui::Kind::kCheckBox, nullptr, 1320, 2160, 3855, 255}),
    // bottom row
    {Line[0], ui::Kind::kEtchedLine, nullptr, 240, 3480, 5620, 30},
    {Cmds[0], ui::Kind::kButton, nullptr, 240, 3600, 1215, 375},
    {Cmds[2], ui::Kind::kButton, nullptr, 3360, 3600, 1215, 375, nullptr, WS_DISABLED},
    {Cmds[1], ui::Kind::kDefaultButton, nullptr, 4680, 3600, 1215, 375},
};

constexpr wchar_t kCrLf[] = L"\r\n";

// The servers the wizard offers. The addresses are placeholders from a documentation range:
// the wizard asks for the chosen server's real address before it goes on.
struct DefaultServer {
    const wchar_t *name, *address, *port, *tag;
};
constexpr DefaultServer kDefaultServers[] = {
    {L"DARTMOOR", L"198.51.100.12", L"10622", L"12"},
    {L"LOGRES", L"198.51.100.8", L"10622", L"8"},
    {L"STONEHENGE", L"198.51.100.7", L"10622", L"7"},
    {L"LYONESSE", L"198.51.100.4", L"10622", L"4"},
};

bool Contains(std::wstring text, std::wstring part) {
    CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    CharUpperBuffW(part.data(), static_cast<DWORD>(part.size()));
    return text.find(part) != std::wstring::npos;
}

class WizardFrm : public ui::Form {
public:
    WizardFrm(Settings& settings, WizardEnd end)
        : Form({kProductName, 6240, 4440, {L"Trebuchet MS", 825}, false, true}, kControls),
          settings_(settings),
          end_(std::move(end)) {}

protected:
    void Form_Load() override {
        CurrentStep = -1;
        languages_ = AvailableLanguages();
        FillLanguageCombo(Item(LangCmb), languages_, SelectedLanguage());
        SetTexts();
        CheckItem(WinStartChk, true);
        for (const wchar_t* realm : kRealms) ui::ComboAdd(Item(ReichCmb), realm);
        // The ".." buttons say what they open.
        ui::AddToolTip(hwnd(), Item(SrvCmd), LangText(L"config", L"tip_servers"));
        ui::AddToolTip(hwnd(), Item(Cmds[3]), LangText(L"general", L"tip_folder"));
        ShowStep();
    }

    // Every text of the wizard, in the language chosen now.
    void SetTexts() {
        const std::wstring product = kProductName;
        SetCaption(ProductTitle(LangText(L"wizard", L"topic")));
        ApplyTexts();
        SetItemText(Descr[1], product + LangText(L"wizard", L"2") + kCrLf + kCrLf + LangText(L"wizard", L"3") +
                                  ProgramDir() + LangText(L"wizard", L"4") + kCrLf + kCrLf + LangText(L"wizard", L"5"));
        SetItemText(Descr0[0], product + LangText(L"wizard", L"6") + kCrLf + LangText(L"wizard", L"7") + kCrLf + kCrLf +
                                   LangText(L"wizard", L"8"));
        SetItemText(Descr1[0], LangText(L"wizard", L"9") + kCrLf + kCrLf + LangText(L"wizard", L"10") + L" " +
                                   LangText(L"wizard", L"address"));
        SetItemText(Descr2[0], LangText(L"wizard", L"11") + kCrLf + kCrLf + LangText(L"wizard", L"12"));
        SetItemText(Descr3[0], LangText(L"wizard", L"13") + kCrLf + kCrLf + LangText(L"wizard", L"14"));
        SetItemText(Cmds[0], LangText(L"general", L"abort"));
        SetItemText(Cmds[1], CurrentStep == 3 ? LangText(L"general", L"gtrdy") : LangText(L"general", L"cntrt"));
        SetItemText(Cmds[2], LangText(L"general", L"bcklt"));
        SetItemText(Descr0[1], LangText(L"general", L"accid"));
        SetItemText(Descr0[2], LangText(L"general", L"accpw"));
        SetItemText(Descr1[1], LangText(L"general", L"chrname"));
        SetItemText(Descr1[2], LangText(L"general", L"srvdescr"));
        SetItemText(Descr1[3], LangText(L"general", L"reichdescr"));
        SetItemText(Descr2[2], LangText(L"general", L"clntdir"));
        SetItemText(Descr2[1], LangText(L"general", L"clntname"));
        SetItemText(WinStartChk, LangText(L"general", L"wndstrt"));
        const std::wstring captions[] = {LangText(L"wizard", L"caption1"), LangText(L"wizard", L"caption2"),
                                         LangText(L"wizard", L"caption3"), LangText(L"wizard", L"caption4")};
        SetItemText(Descr[0], CurrentStep >= 0 ? captions[CurrentStep] : LangText(L"wizard", L"1"));
    }

    void OnCommand(int id, int code) override {
        if (id == LangCmb && code == CBN_SELCHANGE) LangCmb_Click();
        if (code != BN_CLICKED) return;
        for (int index = 0; index < 4; ++index)
            if (id == Cmds[index]) Cmds_Click(index);
        if (id == SrvCmd) SrvCmd_Click();
    }

    // The server window (asking for one server's address, or for any change); the list
    // follows, keeping the chosen server where it still exists.
    void SrvCmd_Click(const std::wstring& addressFor = L"") {
        ShowServerWindow(
            hwnd(), settings_, [this] { FillServerList(); }, addressFor);
    }

    // 0 Cancel, 1 Next (Finish on the final page), 2 Back, 3 the folder button.
    void Cmds_Click(int index) {
        switch (index) {
            case 0:
                if (EndingConfirmed()) QuitProgram();
                break;
            case 1: Next(); break;
            case 2: Back(); break;
            case 3: PickFolder(); break;
            default: break;
        }
    }

    // The close box or Escape: as "Abbrechen", what was typed is not dropped without a question.
    void OnClose() override {
        if (EndingConfirmed()) Unload();
    }

    void Form_Unload() override {
        if (end_.unloaded) end_.unloaded();
    }

private:
    std::wstring Text(int id) { return ItemText(id); }

    // Past the introduction the player has typed something: ending the setup is asked first.
    bool EndingConfirmed() const {
        return CurrentStep < 0 || ui::MsgBox(LangText(L"wizard", L"confirm_end"), MB_YESNO | MB_ICONQUESTION) == IDYES;
    }

    // The wizard speaks the chosen language at once; it is stored with the first setup.
    void LangCmb_Click() {
        SelectLanguage(ChosenLanguage(Item(LangCmb), languages_));
        SetTexts();
        FillServerList();
    }

    void ShowStep() {
        for (int page = 0; page < 4; ++page) SetGroupVisible(FrameFrm[page], page == CurrentStep);
        for (int id : {Descr[1], LangLbl, LangCmb}) ShowItem(id, CurrentStep < 0);
        static const int kFocus[] = {AccLoginTxt, CharNameTxt, ClientPfadTxt, WinStartChk};
        SetTexts();
        SetFocus(Item(CurrentStep >= 0 ? kFocus[CurrentStep] : Cmds[1]));
    }

    void Advance() {
        if (CurrentStep < 3) ++CurrentStep;
        ShowStep();
    }

    void Next() {
        std::optional<std::wstring> refusal;
        switch (CurrentStep) {
            case -1:
                if (const SaveResult saved = WriteDefaultServers(); !saved.ok()) {
                    ShowError(WriteFailedText(saved));
                    return;
                }
                FillServerList();
                EnableItem(Cmds[2], true);
                Advance();
                return;
            case 0: {
                const std::wstring login = Text(AccLoginTxt), password = Text(AccPWTxt);
                if (login.size() < 3)
                    refusal = LangText(L"errors", L"3");
                else if (password.size() != 8)
                    refusal = LangText(L"errors", L"4");
                else
                    refusal = RefuseAccount(settings_, login, password);
                if (refusal) break;
                Advance();
                return;
            }
            case 1: {
                const std::wstring name = Text(CharNameTxt);
                if (name.size() < 3)
                    refusal = LangText(L"errors", L"5");
                else if (ChosenServer().empty())
                    refusal = LangText(L"errors", L"6");
                else if (Text(ReichCmb).empty())
                    refusal = LangText(L"errors", L"7");
                else
                    refusal = RefuseQuickLogin(Entry());
                if (refusal) break;
                // The first login must work: a server whose address is still a placeholder gets
                // its real address now, in the server window.
                if (!HasRealAddress(ChosenServer())) SrvCmd_Click(ChosenServer());
                // The window may have been closed without an address, or the server removed in it.
                if (ChosenServer().empty())
                    refusal = LangText(L"errors", L"6");
                else if (!HasRealAddress(ChosenServer()))
                    refusal = LangFormat(L"wizard", L"address_missing", {ChosenServer()});
                if (!refusal) {
                    Advance();
                    return;
                }
                ShowError(*refusal);
                SetFocus(Item(ServerCmb));
                return;
            }
            case 2: {
                const std::wstring name = Text(ClientNameTxt);
                clientDir_ = Text(ClientPfadTxt);
                if (!IsGameFolder(clientDir_))
                    refusal = LangText(L"errors", L"9");
                else if (name.empty())
                    refusal = LangText(L"errors", L"8");
                else if ((refusal = RefuseClientName(LangText(L"wizard", L"field_client"), name))) {
                } else if ((refusal = RefuseClientDir(LangText(L"wizard", L"field_folder"), clientDir_))) {
                } else
                    refusal = RefuseQuickLogin(Entry());
                if (refusal) break;
                ShowItem(Cmds[0], false);
                ShowItem(Cmds[2], false);
                Advance();
                return;
            }
            default: Finish(); return;
        }
        ShowError(*refusal);  // the page and all fields stay as they are
    }

    // Back leads as far as the introduction, where the language is chosen.
    void Back() {
        if (CurrentStep < 0) return;
        if (--CurrentStep < 0) EnableItem(Cmds[2], false);
        ShowStep();
    }

    void PickFolder() {
        const std::optional<std::wstring> picked = PickGameFolder([](const std::wstring& path) {
            ShowError(LangText(L"errors", L"10") + path + LangText(L"errors", L"11"));
        });
        if (!picked) return;
        const std::wstring& path = *picked;
        SetItemText(ClientPfadTxt, path);
        const size_t slash = path.find_last_of(L'\\');
        if (slash != std::wstring::npos) {
            const std::wstring last = path.substr(slash + 1);
            std::wstring guess;
            if (Contains(last, L"Cata")) guess = L"Catacombs";
            if (Contains(last, L"Atlantis")) guess = L"ToA";
            if (Contains(last, L"ToA")) guess = L"ToA";
            if (!guess.empty()) SetItemText(ClientNameTxt, guess);
        }
        SetFocus(Item(ClientNameTxt));
    }

    QuickLoginEntry Entry() {
        return {Text(CharNameTxt), ChosenServer(), Text(ReichCmb), Text(AccLoginTxt), Text(ClientNameTxt)};
    }

    // The server chosen in the list, by its name (without the placeholder mark).
    std::wstring ChosenServer() const { return servers_.Chosen(Item(ServerCmb)); }
    // Whether the server is in the file with an address that is not a placeholder.
    bool HasRealAddress(const std::wstring& name) const {
        for (const ServerRecord& server : settings_.Servers())
            if (server.name == name) return !server.address.empty() && !IsPlaceholderAddress(server.address);
        return false;
    }

    // Only where the file has no such server or tag yet: a player's own addresses stay.
    SaveResult WriteDefaultServers() {
        std::vector<ServerRecord> servers;
        for (const DefaultServer& s : kDefaultServers) servers.push_back({s.name, s.address, s.port, s.tag});
        return settings_.AddMissingServers(servers);
    }

    // The servers, those whose address is still a placeholder marked; the chosen one stays.
    void FillServerList() { servers_.Fill(Item(ServerCmb), settings_, ServerChoice::Fallback::kNone); }

    SaveResult SaveWizardEntries() {
        return settings_.StoreFirstSetup(Entry(), Text(AccPWTxt), clientDir_, SelectedLanguage());
    }

    void Finish() {
        if (const SaveResult saved = SaveWizardEntries(); !saved.ok()) {
            ShowError(WriteFailedText(saved));
            return;
        }
        EnableItem(Cmds[1], false);
        if (IsItemChecked(WinStartChk) && !CreateAutostart()) ShowError(LangText(L"wizard", L"autostart_failed"));
        Hide();
        // The opener's tray mode unloads this window: nothing of it is used afterwards.
        const std::function<void()> finished = end_.finished;
        if (finished) finished();
    }

    Settings& settings_;
    ServerChoice servers_;             // the server list
    std::vector<Language> languages_;  // the language list's languages, in its order
    WizardEnd end_;
    short CurrentStep = -1;
    std::wstring clientDir_;  // the checked game folder, as stored
};

ui::SingleWindow<WizardFrm> g_wizard;

}  // namespace

void ShowWizard(Settings& settings, WizardEnd end) { g_wizard.Get(settings, std::move(end)).Show(); }

void UnloadWizard() { g_wizard.Unload(); }
