// Passwords protected by Windows for the current user (the data protection API), kept in the
// settings file as "~W" and the protected bytes in base64. No other stored form starts so:
// a scrambled text never starts with "~" (see scrambled_form.h), and the hex form has only
// hex digits after it.
#pragma once
#include <optional>
#include <string>
#include <string_view>

// Whether a stored value is in the protected form.
bool IsProtectedForm(std::wstring_view stored);
// The protected form of a password; nothing when Windows refuses to protect it.
std::optional<std::wstring> ProtectPassword(std::wstring_view password);
// The password of a protected form; nothing when it cannot be read back here (another
// Windows user, another computer, a damaged value).
std::optional<std::wstring> UnprotectPassword(std::wstring_view stored);
