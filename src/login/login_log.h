// What each login and team did, with times and outcomes, in the log beside the settings file
// (store/log_file.h). Nothing secret is ever written: no password, nothing scrambled.
#pragma once
#include <string>

// Appends "<date> <time> <who>: <what>" to the program's log.
void LogLogin(const std::wstring& who, const std::wstring& what);
