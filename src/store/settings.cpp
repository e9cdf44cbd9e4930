// Every read and write of the settings file, one short method each, which is why the file is
// long. The record formats (records.h), the backups (backups.h) and the transactions
// (ini_transaction.h) live in files of their own.
#include "store/settings.h"

#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <map>
#include <set>

#include "store/backups.h"
#include "store/file_encoding.h"
#include "store/ini_handling.h"
#include "store/ini_text.h"
#include "store/protected_form.h"
#include "store/scrambled_form.h"

namespace {

std::wstring AccountKey(const std::wstring& loginName) { return EncodeScrambled(loginName, true); }

// How a password is stored: protected by Windows, or scrambled. The one home of this rule.
std::optional<std::wstring> PasswordForm(const std::wstring& password, bool protect) {
    if (protect && !password.empty()) return ProtectPassword(password);
    return EncodeScrambled(password);
}

// A fallback that no stored value can be: tells a missing key from an empty value.
const std::wstring kMissing(1, L'\n');

// Entries "0", "1", ... of the texts, each in the scrambled stored form.
// A place as section "places" keeps it: "<left>,<top>,<width>,<height>,<monitor>,<scrambled entry>".
std::wstring PlaceText(const StoredPlace& p) {
    return std::to_wstring(p.place.left) + L"," + std::to_wstring(p.place.top) + L"," + std::to_wstring(p.place.width) +
           L"," + std::to_wstring(p.place.height) + L"," + p.place.monitor + L"," + EncodeScrambled(p.entry);
}

std::optional<StoredPlace> PlaceFromText(std::wstring_view text) {
    const std::vector<std::wstring> f = SplitFields(text, 6);
    if (f.size() < 6) return std::nullopt;
    StoredPlace p;
    try {
        p.place = {std::stoi(f[0]), std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3]), f[4]};
    } catch (const std::exception&) {
        return std::nullopt;  // a hand-edited line that holds no numbers
    }
    p.entry = DecodeScrambled(f[5]);
    if (p.entry.empty() || p.place.width <= 0 || p.place.height <= 0) return std::nullopt;
    return p;
}

using IniLines = std::vector<std::pair<std::wstring, std::wstring>>;

// The places numbered "0", "1", ..., then the lines of the section that could not be read as a
// place (written by hand or by a later version): a save never drops what it could not read.
IniLines NumberedPlaces(const std::vector<StoredPlace>& places, const IniLines& unread) {
    IniLines numbered;
    for (size_t i = 0; i < places.size(); ++i) numbered.emplace_back(std::to_wstring(i), PlaceText(places[i]));
    for (const auto& line : unread) numbered.emplace_back(std::to_wstring(numbered.size()), line.second);
    return numbered;
}

constexpr wchar_t kQuickTarget[] = L"quick:";
constexpr wchar_t kTeamTarget[] = L"team:";
constexpr wchar_t kGamesTarget[] = L"games:";

std::wstring TargetText(const Hotkey& h) {
    switch (h.kind) {
        case Hotkey::Kind::kQuickLogin: return kQuickTarget + EncodeScrambled(h.target);
        case Hotkey::Kind::kTeam: return kTeamTarget + h.target;
        case Hotkey::Kind::kGames: return kGamesTarget + h.target;
    }
    return {};
}

// The hotkeys' lines, then the lines of the section that could not be read as a hotkey.
IniLines HotkeyLines(const std::vector<Hotkey>& hotkeys, const IniLines& unread) {
    IniLines lines;
    for (const Hotkey& h : hotkeys) lines.emplace_back(h.keys, TargetText(h));
    lines.insert(lines.end(), unread.begin(), unread.end());
    return lines;
}

std::vector<std::pair<std::wstring, std::wstring>> NumberedEntries(const std::vector<QuickLoginEntry>& entries) {
    std::vector<std::pair<std::wstring, std::wstring>> numbered;
    numbered.reserve(entries.size());
    for (size_t i = 0; i < entries.size(); ++i)
        numbered.emplace_back(std::to_wstring(i), EncodeScrambled(entries[i].ToText()));
    return numbered;
}

}  // namespace

std::wstring Settings::ReadSetting(const std::wstring& section, const std::wstring& key,
                                   const std::wstring& fallback) const {
    return ReadIni(section, key, fallback, file_, kSettingsBufferSize);
}

std::vector<std::wstring> Settings::ListSettingKeys(const std::wstring& section) const {
    return ListIniKeys(file_, section);
}

std::vector<std::wstring> Settings::ReadNumberedTexts(const std::wstring& section) const {
    // One pass over the section instead of one file read a key: menus of many entries build fast.
    std::map<std::wstring, std::wstring> stored;
    for (auto& [key, value] : ReadIniSection(file_, section, kSettingsBufferSize)) stored.emplace(key, value);
    std::vector<std::wstring> texts;
    for (int i = 0;; ++i) {
        auto it = stored.find(std::to_wstring(i));
        if (it == stored.end() || it->second.empty()) break;
        texts.push_back(DecodeScrambled(it->second));
    }
    return texts;
}

std::vector<std::wstring> Settings::ReadQuickLoginTexts() const { return ReadNumberedTexts(section::kQuickLogin); }

bool Settings::HasQuickLogin(const std::wstring& entry) const {
    const std::vector<std::wstring> entries = ReadQuickLoginTexts();
    return std::any_of(entries.begin(), entries.end(),
                       [&](const std::wstring& stored) { return QuickLoginEntry::Same(stored, entry); });
}

std::vector<std::wstring> Settings::AccountNames() const {
    std::vector<std::wstring> names;
    for (const std::wstring& key : ListSettingKeys(section::kAccounts)) names.push_back(DecodeScrambled(key));
    return names;
}

Settings::Password Settings::AccountPassword(const std::wstring& loginName) const {
    const std::wstring stored =
        ReadIni(section::kAccounts, AccountKey(loginName), kMissing, file_, kWholeValueBufferSize);
    if (stored == kMissing) return {Password::State::kMissing, {}};
    if (IsProtectedForm(stored)) {
        std::optional<std::wstring> password = UnprotectPassword(stored);
        if (!password) return {Password::State::kUnreadable, {}};
        return {Password::State::kFound, std::move(*password)};
    }
    return {Password::State::kFound, DecodeScrambled(stored)};
}

bool Settings::PasswordsProtected() const { return ReadSetting(section::kOptions, L"protect") == L"1"; }

std::wstring Settings::Language() const { return ReadSetting(section::kOptions, L"language"); }

bool Settings::RenamesGameWindows() const { return ReadSetting(section::kOptions, L"rename") != L"0"; }

bool Settings::LowersBackgroundGames() const { return ReadSetting(section::kOptions, L"background_priority") == L"1"; }

TeamPacing Settings::Pacing() const {
    return {TeamPacing::SpacingFrom(ReadSetting(section::kOptions, L"start_spacing")),
            TeamPacing::AtOnceFrom(ReadSetting(section::kOptions, L"at_once")),
            TeamPacing::TimeLimitFrom(ReadSetting(section::kOptions, L"member_time_limit"))};
}

namespace {

// The default language is not written: a file without options stays without them.
void SetLanguage(IniTransaction& change, const std::wstring& language) {
    if (language.empty())
        change.Remove(section::kOptions, L"language");
    else
        change.Set(section::kOptions, L"language", language);
}

}  // namespace

std::wstring Settings::ClientDir(const std::wstring& clientName) const {
    return ReadSetting(section::kClients, clientName);
}

std::optional<ServerRecord> Settings::Server(const std::wstring& serverName) const {
    const std::wstring stored = ReadSetting(section::kServer, serverName);
    if (stored.find(L':') == std::wstring::npos) return std::nullopt;
    return ServerRecord::FromStored(serverName, stored, ReadSetting(section::kTag, serverName));
}

std::optional<std::wstring> Settings::AccountKeyCollision(const std::wstring& loginName) const {
    const std::wstring key = AccountKey(loginName);
    for (const std::wstring& stored : ListSettingKeys(section::kAccounts)) {
        if (stored != key && CompareStringOrdinal(stored.c_str(), static_cast<int>(stored.size()), key.c_str(),
                                                  static_cast<int>(key.size()), TRUE) == CSTR_EQUAL)
            return DecodeScrambled(stored);
    }
    return std::nullopt;
}

std::optional<std::wstring> Settings::NewPasswordForm(const std::wstring& password) const {
    return PasswordForm(password, PasswordsProtected());
}

SaveResult Settings::StoreAccount(const std::wstring& loginName, const std::wstring& password) {
    const std::optional<std::wstring> stored = NewPasswordForm(password);
    if (!stored) return {SaveResult::Failure::kNotProtected, 0};
    IniTransaction change(file_);
    change.Set(section::kAccounts, AccountKey(loginName), *stored);
    return Commit(change);
}

SaveResult Settings::AddProtectionSwitch(IniTransaction& change, bool on) const {
    // The passwords are read now: a file that cannot be read would be taken for one without any.
    if (const ReadProblem problem = CheckReadable(0); problem.kind == ReadProblem::Kind::kUnreadable)
        return {SaveResult::Failure::kUnreadable, problem.error};
    for (const auto& [key, stored] : ReadIniSection(file_, section::kAccounts, kWholeValueBufferSize)) {
        if (on == IsProtectedForm(stored)) continue;  // in the asked form already
        std::optional<std::wstring> password =
            IsProtectedForm(stored) ? UnprotectPassword(stored) : std::optional<std::wstring>(DecodeScrambled(stored));
        if (!password) continue;  // protected elsewhere or damaged: stays for the player to enter again
        const std::optional<std::wstring> form = PasswordForm(*password, on);
        if (!form) return {SaveResult::Failure::kNotProtected, 0};
        change.Set(section::kAccounts, key, *form);
    }
    if (on)
        change.Set(section::kOptions, L"protect", L"1");
    else
        change.Remove(section::kOptions, L"protect");
    return {};
}

SaveResult Settings::RemoveAccount(const std::wstring& loginName) {
    IniTransaction change(file_);
    change.Remove(section::kAccounts, AccountKey(loginName));
    return Commit(change);
}

SaveResult Settings::StoreClient(const std::wstring& name, const std::wstring& dir) {
    IniTransaction change(file_);
    change.Set(section::kClients, name, dir);
    return Commit(change);
}

SaveResult Settings::RemoveClient(const std::wstring& name) {
    IniTransaction change(file_);
    change.Remove(section::kClients, name);
    return Commit(change);
}

SaveResult Settings::SaveConfiguration(const ConfigurationChange& c) {
    IniTransaction change(file_);
    for (size_t i = 0; i < c.entries.size(); ++i)
        if (i >= c.read.size() || c.entries[i] != c.read[i])
            change.Set(section::kQuickLogin, std::to_wstring(i), EncodeScrambled(c.entries[i].ToText()));
    for (size_t i = c.entries.size(); i < c.read.size(); ++i) change.Remove(section::kQuickLogin, std::to_wstring(i));
    if (c.protection) {
        if (SaveResult switched = AddProtectionSwitch(change, *c.protection); !switched.ok()) return switched;
    }
    if (c.language) SetLanguage(change, *c.language);
    if (c.renameWindows && *c.renameWindows) change.Remove(section::kOptions, L"rename");
    if (c.renameWindows && !*c.renameWindows) change.Set(section::kOptions, L"rename", L"0");
    if (c.pacing) {
        // A default is not written: the file says only what the player chose.
        const TeamPacing defaults;
        const auto setOrRemove = [&](const wchar_t* key, unsigned value, unsigned fallback) {
            if (value == fallback)
                change.Remove(section::kOptions, key);
            else
                change.Set(section::kOptions, key, std::to_wstring(value));
        };
        setOrRemove(L"start_spacing", c.pacing->spacingSeconds, defaults.spacingSeconds);
        setOrRemove(L"at_once", c.pacing->atOnce, defaults.atOnce);
    }
    AddFollowingPlacesAndHotkeys(change, c);
    // Teams follow the QuickLogins that were changed in place.
    for (const std::wstring& team : c.edited.empty() ? std::vector<std::wstring>() : TeamNames()) {
        if (c.team && UpperCase(c.team->name) == UpperCase(team)) continue;  // saved as given below
        std::vector<std::wstring> members = TeamMembers(team);
        bool followed = false;
        for (std::wstring& member : members)
            for (const auto& [before, now] : c.edited)
                if (QuickLoginEntry::Same(member, before.ToText())) {
                    member = now.ToText();
                    followed = true;
                    break;
                }
        if (!followed) continue;
        std::vector<QuickLoginEntry> entries;
        for (const std::wstring& member : members) entries.push_back(QuickLoginEntry::FromText(member));
        change.ReplaceSection(section::kTeamPrefix + team, NumberedEntries(entries));
    }
    if (c.team && c.team->members.empty()) {
        change.Remove(section::kTeams, c.team->name);
        change.RemoveSection(section::kTeamPrefix + c.team->name);
    } else if (c.team) {
        change.Set(section::kTeams, c.team->name, std::to_wstring(c.team->members.size()));
        change.ReplaceSection(section::kTeamPrefix + c.team->name, NumberedEntries(c.team->members));
    }
    if (change.HasNoEdits()) return {};
    return Commit(change);
}

std::vector<StoredPlace> Settings::WindowPlaces(IniLines* unread) const {
    std::vector<StoredPlace> places;
    // Read whole: a place holds a whole scrambled entry and more.
    for (auto& line : ReadIniSection(file_, section::kPlaces, kWholeValueBufferSize)) {
        if (std::optional<StoredPlace> place = PlaceFromText(line.second))
            places.push_back(std::move(*place));
        else if (unread)
            unread->push_back(std::move(line));
    }
    return places;
}

std::optional<WindowPlace> Settings::WindowPlaceOf(const std::wstring& entry) const {
    for (const StoredPlace& p : WindowPlaces())
        if (QuickLoginEntry::Same(p.entry, entry)) return p.place;
    return std::nullopt;
}

SaveResult Settings::StoreWindowPlaces(const std::vector<StoredPlace>& places) {
    IniLines unread;
    std::vector<StoredPlace> all = WindowPlaces(&unread);
    for (const StoredPlace& p : places) {
        auto same = std::find_if(all.begin(), all.end(),
                                 [&](const StoredPlace& q) { return QuickLoginEntry::Same(q.entry, p.entry); });
        if (same != all.end())
            *same = p;
        else
            all.push_back(p);
    }
    IniTransaction change(file_);
    change.ReplaceSection(section::kPlaces, NumberedPlaces(all, unread));
    return Commit(change);
}

SaveResult Settings::ForgetWindowPlaces() {
    if (WindowPlaces().empty() && ListSettingKeys(section::kPlaces).empty()) return {};
    IniTransaction change(file_);
    change.RemoveSection(section::kPlaces);
    return Commit(change);
}

StoredHotkeys Settings::ReadHotkeys() const {
    StoredHotkeys stored;
    // Read whole: "quick:" and a whole scrambled entry may be longer than a setting.
    for (auto& line : ReadIniSection(file_, section::kHotkeys, kWholeValueBufferSize, &stored.repeated)) {
        const std::wstring_view v = line.second;
        const std::wstring_view quick = v.rfind(kQuickTarget, 0) == 0 ? v.substr(std::size(kQuickTarget) - 1) : L"";
        const std::wstring_view team = v.rfind(kTeamTarget, 0) == 0 ? v.substr(std::size(kTeamTarget) - 1) : L"";
        const std::wstring_view games = v.rfind(kGamesTarget, 0) == 0 ? v.substr(std::size(kGamesTarget) - 1) : L"";
        const bool knownGames = std::any_of(std::begin(kGamesCommands), std::end(kGamesCommands),
                                            [&](const wchar_t* name) { return games == name; });
        if (knownGames)
            stored.hotkeys.push_back({line.first, Hotkey::Kind::kGames, std::wstring(games)});
        else if (!quick.empty())
            stored.hotkeys.push_back({line.first, Hotkey::Kind::kQuickLogin, DecodeScrambled(quick)});
        else if (!team.empty())
            stored.hotkeys.push_back({line.first, Hotkey::Kind::kTeam, std::wstring(team)});
        else
            stored.unread.push_back(std::move(line));
    }
    return stored;
}

void Settings::AddFollowingPlacesAndHotkeys(IniTransaction& change, const ConfigurationChange& c) const {
    // An entry changed in place takes its place and hotkey along; one that is gone loses them.
    const auto now = [&](const std::wstring& entry) -> std::optional<std::wstring> {
        for (const auto& [before, after] : c.edited)
            if (QuickLoginEntry::Same(before.ToText(), entry)) return after.ToText();
        for (const QuickLoginEntry& e : c.entries)
            if (QuickLoginEntry::Same(e.ToText(), entry)) return entry;
        return std::nullopt;
    };
    IniLines unreadPlaces;
    const std::vector<StoredPlace> places = WindowPlaces(&unreadPlaces);
    std::vector<StoredPlace> keptPlaces;
    for (const StoredPlace& p : places)
        if (const std::optional<std::wstring> entry = now(p.entry)) keptPlaces.push_back({*entry, p.place});
    bool placesChanged = keptPlaces.size() != places.size();
    for (size_t i = 0; !placesChanged && i < places.size(); ++i) placesChanged = keptPlaces[i].entry != places[i].entry;
    if (placesChanged) change.ReplaceSection(section::kPlaces, NumberedPlaces(keptPlaces, unreadPlaces));

    const StoredHotkeys read = ReadHotkeys();
    const std::vector<Hotkey>& stored = read.hotkeys;
    std::vector<Hotkey> hotkeys = c.hotkeys ? *c.hotkeys : stored;
    std::vector<Hotkey> keptHotkeys;
    for (Hotkey h : hotkeys) {
        if (h.kind == Hotkey::Kind::kQuickLogin) {
            const std::optional<std::wstring> entry = now(h.target);
            if (!entry) continue;
            h.target = *entry;
        }
        keptHotkeys.push_back(std::move(h));
    }
    if (keptHotkeys != stored) change.ReplaceSection(section::kHotkeys, HotkeyLines(keptHotkeys, read.unread));
}

std::vector<std::wstring> Settings::TeamNames() const {
    // A team written twice by hand is one team.
    std::vector<std::wstring> names;
    std::set<std::wstring> seen;
    for (std::wstring& name : ListSettingKeys(section::kTeams))
        if (seen.insert(UpperCase(name)).second) names.push_back(std::move(name));
    return names;
}

std::vector<std::wstring> Settings::TeamMembers(const std::wstring& name) const {
    return ReadNumberedTexts(section::kTeamPrefix + name);
}

std::vector<ServerRecord> Settings::Servers() const {
    std::map<std::wstring, std::wstring> tags;
    for (auto& [key, value] : ReadIniSection(file_, section::kTag, kSettingsBufferSize))
        tags.emplace(UpperCase(key), value);
    std::vector<ServerRecord> servers;
    for (auto& [key, value] : ReadIniSection(file_, section::kServer, kSettingsBufferSize)) {
        const auto tag = tags.find(UpperCase(key));
        servers.push_back(ServerRecord::FromStored(key, value, tag == tags.end() ? std::wstring() : tag->second));
    }
    return servers;
}

SaveResult Settings::StoreServer(const ServerRecord& server) {
    IniTransaction change(file_);
    change.Set(section::kServer, server.name, server.StoredAddress());
    change.Set(section::kTag, server.name, server.tag);
    return Commit(change);
}

SaveResult Settings::RemoveServer(const std::wstring& name) {
    IniTransaction change(file_);
    change.Remove(section::kServer, name);
    change.Remove(section::kTag, name);
    return Commit(change);
}

std::vector<QuickLoginEntry> Settings::QuickLoginsUsing(std::wstring QuickLoginEntry::*field,
                                                        const std::wstring& name) const {
    std::vector<QuickLoginEntry> users;
    for (const std::wstring& text : ReadQuickLoginTexts()) {
        QuickLoginEntry entry = QuickLoginEntry::FromText(text);
        if (UpperCase(entry.*field) == UpperCase(name)) users.push_back(std::move(entry));
    }
    return users;
}

SaveResult Settings::StoreHelpSwitch(int number, bool show) {
    IniTransaction change(file_);
    change.Set(section::kHelp, std::to_wstring(number), show ? L"1" : L"0");
    return Commit(change);
}

SaveResult Settings::StoreBackgroundPriority(bool lower) {
    IniTransaction change(file_);
    if (lower)
        change.Set(section::kOptions, L"background_priority", L"1");
    else
        change.Remove(section::kOptions, L"background_priority");
    return Commit(change);
}

SaveResult Settings::AddMissingServers(const std::vector<ServerRecord>& servers) {
    IniTransaction change(file_);
    for (const ServerRecord& s : servers) {
        if (ReadSetting(section::kServer, s.name, kMissing) == kMissing)
            change.Set(section::kServer, s.name, s.StoredAddress());
        if (ReadSetting(section::kTag, s.name, kMissing) == kMissing) change.Set(section::kTag, s.name, s.tag);
    }
    if (change.HasNoEdits()) return {};
    return Commit(change);
}

SaveResult Settings::StoreFirstSetup(const QuickLoginEntry& entry, const std::wstring& password,
                                     const std::wstring& clientDir, const std::wstring& language) {
    IniTransaction change(file_);
    if (!language.empty()) SetLanguage(change, language);
    change.Set(section::kQuickLogin, L"0", EncodeScrambled(entry.ToText()));
    const std::optional<std::wstring> stored = NewPasswordForm(password);
    if (!stored) return {SaveResult::Failure::kNotProtected, 0};
    change.Set(section::kAccounts, AccountKey(entry.account), *stored);
    change.Set(section::kClients, entry.client, clientDir);
    return Commit(change);
}

SaveResult Settings::Commit(IniTransaction& change) {
    // One backup a run that changes the file: the file as the run found it.
    if (!backedUp_) change.KeepBackupAs(BackupName(file_));
    const SaveResult result = change.Commit();
    if (result.ok() && !backedUp_ && !result.backupMissing) {
        backedUp_ = true;
        PruneBackups(file_, kBackupGenerations);
    }
    return result;
}

ReadProblem Settings::CheckReadable(int waitMs) const {
    std::string bytes;
    bool exists = false;
    SaveResult read;
    // A virus scanner or a backup program may hold the file for a moment.
    for (int waited = 0;; waited += 100) {
        read = ReadWholeFile(file_, bytes, exists);
        if (read.ok() || waited >= waitMs) break;
        Sleep(100);
    }
    if (!read.ok()) return {ReadProblem::Kind::kUnreadable, read.error, 0, {}};
    const FileEncoding encoding = DetectEncoding(bytes);
    if (encoding == FileEncoding::kUtf8NoMark) return {ReadProblem::Kind::kUtf8NoMark, 0, 0, {}};
    std::string text;
    if (!DecodeForEditing(bytes, encoding, text)) return {};
    const IniText ini(text, EditingCodePage(encoding));
    if (const size_t line = ini.FirstBrokenHeader(); line != std::string::npos)
        return {ReadProblem::Kind::kBrokenHeader, 0, line + 1,
                FromCodePage(ini.LineText(line), EditingCodePage(encoding))};
    return {};
}
