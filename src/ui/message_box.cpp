#include "ui/message_box.h"

#include "base/product.h"
#include "base/shown_text.h"

namespace ui {

int MsgBox(const std::wstring& text, UINT flags, const std::wstring& title) {
    const std::wstring& shownTitle = title.empty() ? std::wstring(kProductName) : title;
    return MessageBoxW(nullptr, ShownText(text).c_str(), ShownText(shownTitle).c_str(), flags | MB_SETFOREGROUND);
}

}  // namespace ui
