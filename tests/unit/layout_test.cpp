// Every window at the screen's DPI: each label's text fits its rectangle, nothing cut. Runs in
// a rig of its own whose prefix is set to a DPI (tests/rig/layout.sh, once for 96, 120, 144
// and 192), and is skipped elsewhere. The windows are made inside this process, so that each
// label is measured with its own font.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "base/lang.h"
#include "base/paths.h"
#include "forms/config/add_acc_frm.h"
#include "forms/config/add_client_frm.h"
#include "forms/config/login_cnf_frm.h"
#include "forms/config/server_frm.h"
#include "forms/info/about_frm.h"
#include "forms/info/helper_frm.h"
#include "forms/info/lizenz_frm.h"
#include "forms/wizard/wizard_frm.h"
#include "store/simple_crypt.h"
#include "support/automation.h"
#include "support/program_folder_test.h"
#include "ui/message_loop.h"

namespace {

// The labels of a window whose text does not fit, each as "text (needed w x h, has w x h)".
std::vector<std::string> CutLabels(HWND window) {
    std::vector<std::string> cut;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (uia::ClassOf(child) != L"Static") continue;
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        const LONG type = style & SS_TYPEMASK;
        if (type == SS_ICON || type == SS_ETCHEDHORZ || type == SS_BITMAP) continue;
        const std::wstring text = uia::TextOf(child);
        if (text.empty()) continue;
        RECT has{};
        GetClientRect(child, &has);
        HDC dc = GetDC(child);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        RECT needs{0, 0, has.right, 0};
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needs,
                  DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0));
        SelectObject(dc, old);
        ReleaseDC(child, dc);
        if (needs.right > has.right || needs.bottom > has.bottom)
            cut.push_back(uia::Ansi(text) + " (needs " + std::to_string(needs.right) + " x " +
                          std::to_string(needs.bottom) + ", has " + std::to_string(has.right) + " x " +
                          std::to_string(has.bottom) + ")");
    }
    return cut;
}

// A window of this process whose title starts with `title`.
HWND OwnWindow(const wchar_t* title) {
    ui::DoEvents();
    for (HWND window : uia::WindowsOf(GetCurrentProcessId()))
        if (uia::ClassOf(window) == L"#32770" && uia::TextOf(window).rfind(title, 0) == 0) return window;
    return nullptr;
}

// Checks a modal window once it is up, then closes it (a modal window's loop runs the timer).
std::function<void()> g_whileModal;
void CALLBACK OnModalTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_whileModal) g_whileModal();
}
void CheckModal(const wchar_t* title, const std::function<void()>& show, std::vector<std::string>& report) {
    g_whileModal = [&] {
        HWND window = OwnWindow(title);
        if (!window) {
            report.push_back(uia::Ansi(title) + ": did not open");
            return;
        }
        for (const std::string& label : CutLabels(window)) report.push_back(uia::Ansi(title) + ": " + label);
        PostMessageW(window, WM_CLOSE, 0, 0);
    };
    SetTimer(nullptr, 0, 300, OnModalTimer);
    show();
    g_whileModal = nullptr;
}

class Layout : public testing_support::ProgramFolderTest {
protected:
    void SetUp() override {
        const char* dpi = std::getenv("CORVALINK_DPI");
        if (!dpi) GTEST_SKIP() << "runs in the layout rig at a given DPI (tests/rig/layout.sh)";
        expectedDpi = static_cast<UINT>(std::atoi(dpi));
        // Aware of the DPI, as the program's manifest makes it (Windows 10's function, looked up:
        // the program's headers target Windows 7).
        using SetAwareness = BOOL(WINAPI*)(HANDLE);
        const auto set = reinterpret_cast<SetAwareness>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
        if (set) set(reinterpret_cast<HANDLE>(-4));  // per monitor, version 2
        ProgramFolderTest::SetUp();
        testing_support::WriteBytes(
            SettingsFile(), "[accounts]\r\n" + uia::AccountLine(L"acc1", L"secret12") +
                                "[clients]\r\nMain=C:\\Spiele\\DAoC\r\n[server]\r\nLYONESSE=198.51.100.4:10622\r\n"
                                "[tag]\r\nLYONESSE=4\r\n[quicklogin]\r\n" +
                                uia::QuickLoginLine(0, L"Aldwin,LYONESSE,Albion,acc1,Main"));
    }
    UINT expectedDpi = 96;
};

// In every shipped language: an English label may be longer than its German one.
TEST_F(Layout, EveryLabelFitsAtThisDpi) {
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX)), expectedDpi) << "the prefix is not at this DPI";
    ReleaseDC(nullptr, screen);
    std::vector<std::string> report;
    const auto check = [&](const std::wstring& title) {
        HWND window = OwnWindow(title.c_str());
        if (!window) {
            report.push_back(uia::Ansi(title) + ": did not open");
            return HWND{};
        }
        for (const std::string& label : CutLabels(window)) report.push_back(uia::Ansi(title) + ": " + label);
        return window;
    };
    const auto close = [](HWND window) {
        if (window) SendMessageW(window, WM_CLOSE, 0, 0);
        ui::DoEvents();
    };
    const auto title = [](const wchar_t* section, const wchar_t* key) {
        return L"Corvalink :: " + LangText(section, key);
    };

    for (const Language& language : AvailableLanguages()) {
        SelectLanguage(language.code);
        ShowLoginConfig(*settings, {});
        HWND config = check(title(L"config", L"caption"));
        ASSERT_TRUE(config);
        CheckModal(
            title(L"account", L"caption").c_str(), [&] { ShowAccountWindow(config, *settings, {}); }, report);
        CheckModal(
            title(L"client", L"caption").c_str(), [&] { ShowClientWindow(config, *settings, {}); }, report);
        CheckModal(
            title(L"server", L"caption").c_str(), [&] { ShowServerWindow(config, *settings, {}); }, report);
        close(config);
        CheckModal(
            title(L"about", L"ver").c_str(), [] { ShowAboutModal(); }, report);

        ShowHelp(*settings, LangText(L"help", L"topic3"), L"1\r\n2\r\n3", 1);
        close(check(title(L"help", L"caption")));
        ShowAgreementFile(dir / L"daoc_euala.txt");
        close(check(title(L"agreement", L"caption")));

        // The wizard: every page's labels exist from the start (the pages are shown in turn).
        ShowWizard(*settings, {});
        close(check(title(L"wizard", L"topic")));
    }
    SelectLanguage(L"");
    EXPECT_GE(AvailableLanguages().size(), 2u);

    EXPECT_TRUE(report.empty()) << [&] {
        std::string all;
        for (const std::string& line : report) all += "\n  " + line;
        return "cut at " + std::to_string(expectedDpi) + " DPI:" + all;
    }();
}

}  // namespace
