#include "forms/info/lizenz_frm.h"

#include <algorithm>
#include <memory>

#include "base/handles.h"
#include "base/lang.h"
#include "base/product.h"
#include "store/ansi.h"
#include "ui/controls.h"
#include "ui/form.h"

namespace {

using namespace lizenz_frm;

const ui::Font kFixedFont{L"Fixedsys", 900};

constexpr ui::ControlSpec kControls[] = {
    {Descr, ui::Kind::kLabel, nullptr, 120, 120, 8895, 255},
    {LizenzTxt, ui::Kind::kMultilineTextBox, nullptr, 120, 480, 8895, 5775, &kFixedFont},
};

// An edit control breaks lines only at CR LF; agreement files may use bare LF or CR.
std::wstring WithWindowsLineBreaks(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') {
            out += L"\r\n";
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            out += L"\r\n";
        } else {
            out += c == L'\0' ? L' ' : c;
        }
    }
    return out;
}

class LizenzFrm : public ui::Form {
public:
    LizenzFrm()
        : Form({ProductTitle(LangText(L"agreement", L"caption")), 9150, 6390, {L"Trebuchet MS", 825}, true},
               kControls) {}

    void ShowText(const std::wstring& sourceLine, const std::wstring& text) {
        Load();
        SetItemText(Descr, sourceLine);
        // Without a limit the edit control would cut a long agreement at 32 K characters.
        SendMessageW(Item(LizenzTxt), EM_SETLIMITTEXT, 0, 0);
        SetItemText(LizenzTxt, WithWindowsLineBreaks(text));
        Show();
        SetFocus(Item(LizenzTxt));
        // The dialog manager selects all of a focused edit's text: start unselected at the top.
        SendMessageW(Item(LizenzTxt), EM_SETSEL, 0, 0);
        SendMessageW(Item(LizenzTxt), EM_SCROLLCARET, 0, 0);
    }
};

ui::SingleWindow<LizenzFrm> g_window;

// Agreement texts are some 50 KB; an edit control with tens of megabytes keeps the program
// busy for minutes, so a bigger file is shown up to this size.
constexpr size_t kShownBytes = 1 << 20;

// The file as text in the ANSI code page, up to kShownBytes and a line that says where it was
// cut; for a file that cannot be read, which file it is and where it comes from.
std::wstring ReadAgreementFile(const std::wstring& path) {
    const base::ScopedFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LangFormat(L"agreement", L"missing", {path});
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0) return {};
    std::string bytes(static_cast<size_t>(std::min<LONGLONG>(size.QuadPart, kShownBytes)), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    std::wstring text = FromAnsi(bytes);
    if (static_cast<ULONGLONG>(size.QuadPart) > read)
        text += L"\r\n\r\n" +
                LangFormat(L"agreement", L"cut", {std::to_wstring(size.QuadPart / 1024), std::to_wstring(read / 1024)});
    return text;
}

}  // namespace

void ShowAgreementFile(const std::wstring& path) {
    g_window.Get().ShowText(LangFormat(L"agreement", L"source", {path}), ReadAgreementFile(path));
}
