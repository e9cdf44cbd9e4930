// Walking the first-start wizard as a new user does, page by page.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

namespace uia {

struct WizardInput {
    std::wstring login = L"acc1", password = L"secret12";
    std::wstring character = L"Aldwin";
    int server = 3;  // index in the server list: LYONESSE among the default servers
    // Typed where the wizard asks for the chosen server's real address (its address is a
    // placeholder); empty: the server window is closed without one.
    std::wstring serverAddress = L"10.0.0.4";
    int realm = 0;  // Albion
    std::wstring clientDir, clientName = L"Main";
    bool windowsStart = false;
    // The server window's title, in the wizard's language.
    std::wstring serverWindowTitle = L"Corvalink :: Server";
    // Looks at each page once it is shown, and at the server window.
    std::function<void(HWND window)> look;
};

// From the introduction to the final page, with the Windows-start box set; Finish is left to
// the test. Each Next is pressed once: a page that refuses its fields shows its message box.
// Where the wizard asks for the server's address, it is typed and "Übernehmen" pressed.
void WalkWizardToTheFinalPage(HWND wizard, const WizardInput& input);

}  // namespace uia
