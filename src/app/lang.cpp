#include "app/lang.h"

#include <windows.h>

#include "app/paths.h"
#include "app/product.h"
#include "app/quit.h"
#include "store/ini_handling.h"
#include "ui/message_box.h"

std::wstring LangText(const std::wstring& section, const std::wstring& key, const std::wstring& fallback) {
    if (section.empty() || key.empty()) return {};
    std::wstring text = ReadIni(section, key, fallback, LangFile(), kLanguageBufferSize);
    if (!text.empty()) return text;
    ui::MsgBox(L"Die Sprachdatei ist fehlerhaft, das Programm wird beendet", MB_OK);
    QuitProgram();
}

void ShowError(const std::wstring& text) {
    const std::wstring title = std::wstring(kProductName) + L" :: " + LangText(L"general", L"err");
    ui::MsgBox(text, MB_OK | MB_ICONERROR, title);
}
