// Text for a message box or a caption as it can be shown: a NUL would cut the rest of the
// message off, and other control characters or half surrogate pairs show as garbage. Each
// becomes U+FFFD; line breaks and tabs stay.
#pragma once
#include <string>
#include <string_view>

std::wstring ShownText(std::wstring_view text);
