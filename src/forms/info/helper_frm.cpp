#include "forms/info/helper_frm.h"

#include <memory>

#include "base/lang.h"
#include "base/product.h"
#include "forms/shared/settings_messages.h"
#include "store/settings.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using namespace helper_frm;

const ui::Font kTitleFont{L"Trebuchet MS", 1200, true};

constexpr ui::ControlSpec kControls[] = {
    {CorvalinkImg, ui::Kind::kImage, nullptr, 240, 240, 495, 495},
    {Descr[0], ui::Kind::kLabel, nullptr, 840, 285, 5055, 375, &kTitleFont},
    {Descr[1], ui::Kind::kLabel, nullptr, 240, 840, 6480, 2895},
    {Line[0], ui::Kind::kEtchedLine, nullptr, 240, 3720, 6460, 30},
    {Cmds, ui::Kind::kDefaultButton, L"help/thanks", 5520, 3840, 1215, 375},
    {HlpChk, ui::Kind::kCheckBox, L"help/dont_show", 240, 3900, 5055, 255},
};

class HelperFrm : public ui::Form {
public:
    explicit HelperFrm(Settings& settings)
        : Form({ProductTitle(LangText(L"help", L"caption")), 6930, 4320, {L"Trebuchet MS", 825}}, kControls),
          settings_(settings) {}

    void ShowPage(const std::wstring& topic, const std::wstring& text, short number) {
        Load();
        number_ = number;
        ShowItem(HlpChk, number != 0);
        CheckItem(HlpChk, false);
        SetItemText(Descr[0], topic);
        SetItemText(Descr[1], text);
        Show();
        SetFocus(Item(Cmds));
    }

protected:
    void OnCommand(int id, int code) override {
        if (id == Cmds && code == BN_CLICKED) Cmds_Click();
    }

    // "Danke": stores the switch when it is ticked, then closes the window.
    void Cmds_Click() {
        if (number_ != 0 && IsItemChecked(HlpChk)) {
            const SaveResult saved = settings_.StoreHelpSwitch(number_, false);
            if (!saved.ok()) {
                // The window stays open with the box ticked, so the user can try again.
                ShowError(LangFormat(L"help", L"switch_failed", {DescribeSaveFailure(saved)}));
                return;
            }
        }
        Unload();
    }

private:
    Settings& settings_;
    short number_ = 0;
};

ui::SingleWindow<HelperFrm> g_window;

}  // namespace

bool HelpPageSwitchedOn(const Settings& settings, short number) {
    if (number == 0) return true;
    const std::wstring value = settings.ReadSetting(section::kHelp, std::to_wstring(number), L"1");
    size_t used = 0;
    try {
        const long parsed = std::stol(value, &used);
        return !(used == value.size() && parsed == 0);
    } catch (const std::exception&) {
        return true;  // not a whole number
    }
}

void ShowHelp(Settings& settings, const std::wstring& topic, const std::wstring& text, short number) {
    if (!HelpPageSwitchedOn(settings, number)) return;
    g_window.Get(settings).ShowPage(topic, text, number);
}
