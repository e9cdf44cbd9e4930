// Classes, titles and captions of the game's windows, as the game gives them. Header-only:
// Modal.exe shares them with the login driver.
#pragma once

namespace game {
// The launcher in a client's folder, which every login starts.
inline constexpr wchar_t kLauncherFile[] = L"camelot.exe";
inline constexpr wchar_t kDialogClass[] = L"#32770";
inline constexpr wchar_t kRunningTitle[] = L"Dark Age of Camelot, Copyright © 2001-04 Mythic Entertainment, Inc.";
inline constexpr wchar_t kLauncherTitleGerman[] = L"Klickt auf 'Spielen', um das Spiel zu starten.";
inline constexpr wchar_t kLauncherTitleEnglish[] = L"Press the Play button to play";
// The game window and its login dialog carry the same title.
inline constexpr wchar_t kGameClass[] = L"DAoCClient";
inline constexpr wchar_t kGameTitle[] = L"Dark Age of Camelot";
inline constexpr wchar_t kAgreementTitle[] = L"Endbenutzer Lizenzvereinbarung";
inline constexpr wchar_t kTermsTitle[] = L"Nutzungsbedingungen";
inline constexpr wchar_t kAcceptCaption[] = L"ANNEHMEN";
// The agreement files in the game's folder: the end-user agreement and the rules of conduct.
inline constexpr const wchar_t* kAgreementFiles[2] = {L"daoc_euala.txt", L"daoc_roc.txt"};
}  // namespace game
