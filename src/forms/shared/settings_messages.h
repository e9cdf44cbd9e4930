// What the windows say about the settings file: why a save failed, why the file cannot be
// read. The store reports reasons with their values; these are their words.
#pragma once
#include <string>

#include "store/ini_transaction.h"
#include "store/settings.h"

// Why a save failed, in words for the player (one or two sentences).
std::wstring DescribeSaveFailure(const SaveResult& result);
// The message for a save of the settings file that failed.
std::wstring WriteFailedText(const SaveResult& result);
// After a save that succeeded without its backup copy: tells the player so.
void ReportMissingBackup(const SaveResult& result);

// Why the settings file cannot be used, in words: what is wrong and what the player can do.
std::wstring ReadProblemText(const std::wstring& file, const ReadProblem& problem);
// Checks the settings file before a window opens on it or a command acts on it (waiting a
// moment for a file that another program holds); shows the problem and returns false when
// the file cannot be trusted.
bool CheckSettingsBeforeUse(const Settings& settings);
void ShowReadProblem(const Settings& settings, const ReadProblem& problem);

// A stored hotkey ("Strg+Alt+1") with its modifier keys named in the player's language.
std::wstring ShownKeys(const std::wstring& storedKeys);
