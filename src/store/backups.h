// The settings file's backup copies: one a run that changes the file, named by the time so
// that the newest is the last in name order ("Corvalink.dat.20261210-154400-123.bak").
#pragma once
#include <string>

// The name of this run's backup copy: stamped with the time now, or, when the clock stands
// before the newest copy's stamp (set back, or a copy named for a later date), a millisecond
// after that stamp, so that this copy is always the newest.
std::wstring BackupName(const std::wstring& file);

// Removes all but the newest `keep` backup copies of the file.
void PruneBackups(const std::wstring& file, int keep);
