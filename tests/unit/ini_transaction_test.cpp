// Changes to INI files: edits that keep everything else byte for byte, and saves that happen
// whole or not at all.
#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

#include <cstdlib>
#include <functional>

#include "base/paths.h"
#include "store/ini_handling.h"
#include "store/ini_text.h"
#include "store/ini_transaction.h"
#include "store/settings.h"
#include "support/automation.h"
#include "support/temp_dir.h"

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

TEST(IniText, EditsTouchOnlyTheirLines) {
    const std::string file = "; kept comment\r\n[Accounts]\r\n a = 1\r\nb=2\r\n\r\n[clients]\r\nMain=C:\\x\r\n";
    struct Case {
        const char* name;
        void (*edit)(IniText&);
        std::string expected;
    } cases[] = {
        {"replace a key, any case and blanks", [](IniText& t) { t.Set("accounts", "A", "9"); },
         "; kept comment\r\n[Accounts]\r\nA=9\r\nb=2\r\n\r\n[clients]\r\nMain=C:\\x\r\n"},
        {"add a key at the section's end", [](IniText& t) { t.Set("accounts", "c", "3"); },
         "; kept comment\r\n[Accounts]\r\n a = 1\r\nb=2\r\nc=3\r\n\r\n[clients]\r\nMain=C:\\x\r\n"},
        {"add a section", [](IniText& t) { t.Set("help", "1", "0"); }, file + "[help]\r\n1=0\r\n"},
        {"remove a key", [](IniText& t) { t.Remove("ACCOUNTS", "b"); },
         "; kept comment\r\n[Accounts]\r\n a = 1\r\n\r\n[clients]\r\nMain=C:\\x\r\n"},
        {"remove a missing key", [](IniText& t) { t.Remove("accounts", "zz"); }, file},
        {"replace a section",
         [](IniText& t) {
             t.ReplaceSection("accounts", {{"x", "1"}, {"y", "2"}});
         },
         "; kept comment\r\n[Accounts]\r\nx=1\r\ny=2\r\n\r\n[clients]\r\nMain=C:\\x\r\n"},
        {"empty a section", [](IniText& t) { t.ReplaceSection("clients", {}); },
         "; kept comment\r\n[Accounts]\r\n a = 1\r\nb=2\r\n\r\n[clients]\r\n"},
        {"remove a section", [](IniText& t) { t.RemoveSection("accounts"); },
         "; kept comment\r\n[clients]\r\nMain=C:\\x\r\n"},
    };
    for (const Case& c : cases) {
        IniText text(file);
        c.edit(text);
        EXPECT_EQ(text.Bytes(), c.expected) << c.name;
    }
    IniText noFinalBreak("[a]\nk=1");
    noFinalBreak.Set("a", "j", "2");
    noFinalBreak.Set("b", "k", "3");
    EXPECT_EQ(noFinalBreak.Bytes(), "[a]\nk=1\nj=2\n[b]\nk=3\n");
}

// A line that starts like a header but has no "]" belongs, for the profile functions, to the
// section before: the edits see it the same way, and the read check names it.
TEST(IniText, AHeaderWithoutItsBracketIsNoHeader) {
    TempDir dir;
    const std::wstring file = dir / L"broken.dat";
    WriteBytes(file, "[clients]\r\nMain=C:\\x\r\n[accounts\r\nacc=pw\r\n");
    EXPECT_EQ(ReadIni(L"accounts", L"acc", L"<none>", file, 256), L"<none>");
    EXPECT_EQ(ReadIni(L"clients", L"acc", L"<none>", file, 256), L"pw");
    const IniText text(ReadBytes(file));
    EXPECT_EQ(text.FirstBrokenHeader(), 2u);
    EXPECT_EQ(text.LineText(2), "[accounts");
    IniTransaction change(file);
    change.Set(L"accounts", L"new", L"1");
    ASSERT_TRUE(change.Commit().ok());
    EXPECT_EQ(ReadIni(L"accounts", L"new", L"", file, 256), L"1");
}

// Files in UTF-16 or UTF-8 with a byte-order mark, which the profile functions read and write,
// are changed in their own encoding; every other line stays as it was.
TEST(IniText, UnicodeFilesKeepTheirEncoding) {
    const std::wstring content = L"; Łukasz' Einstellungen\r\n[quick]\r\nentry0=alt\r\nname=Ørsted\r\n";
    const auto utf16 = [](const std::wstring& text) {
        std::string bytes = "\xFF\xFE";
        for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
        return bytes;
    };
    const auto utf8 = [](const std::wstring& text) { return "\xEF\xBB\xBF" + uia::ToUtf8(text); };
    for (const auto& encode : {std::function<std::string(const std::wstring&)>(utf16),
                               std::function<std::string(const std::wstring&)>(utf8)}) {
        TempDir dir;
        const std::wstring file = dir / L"user.dat";
        WriteBytes(file, encode(content));
        IniTransaction change(file);
        change.Set(L"quick", L"entry0", L"Aldwin, LYONESSE, 10.0.0.7, 10622, 1, 4");
        change.Set(L"quick", L"setentry", L"1");
        ASSERT_TRUE(change.Commit().ok());
        EXPECT_EQ(ReadBytes(file), encode(L"; Łukasz' Einstellungen\r\n[quick]\r\nentry0=Aldwin, LYONESSE, 10.0.0.7, "
                                          L"10622, 1, 4\r\nname=Ørsted\r\nsetentry=1\r\n"));
        EXPECT_EQ(ReadIni(L"quick", L"name", L"", file, 256), L"Ørsted");
    }
}

class Transaction : public ::testing::Test {
protected:
    TempDir dir;
    std::wstring file = dir / L"Corvalink.dat";
    const std::string original = "[accounts]\r\nacc=pw\r\n[clients]\r\nMain=C:\\Games\r\n";
    void SetUp() override { WriteBytes(file, original); }
    SaveResult AddClient() {
        IniTransaction change(file);
        change.Set(L"clients", L"Second", L"D:\\Games");
        return change.Commit();
    }
    // No copies left behind: only the file (and what the test names) in the folder.
    int FilesInFolder() {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((dir / L"*").c_str(), &data);
        int n = 0;
        do n += (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? 0 : 1;
        while (FindNextFileW(find, &data));
        FindClose(find);
        return n;
    }
};

TEST_F(Transaction, AppliesAndVerifiesAndKeepsABackup) {
    IniTransaction change(file);
    change.KeepBackupAs(file + L".bak");
    change.Set(L"clients", L"Second", L"D:\\Games");
    change.Remove(L"accounts", L"acc");
    ASSERT_TRUE(change.Commit().ok());
    EXPECT_EQ(ReadBytes(file), "[accounts]\r\n[clients]\r\nMain=C:\\Games\r\nSecond=D:\\Games\r\n");
    EXPECT_EQ(ReadBytes(file + L".bak"), original);
    EXPECT_EQ(FilesInFolder(), 2);
}

TEST_F(Transaction, AFailureLeavesTheFileAsItWas) {
    struct Case {
        const char* name;
        DWORD share;  // of another program's handle; -1: none, the file read-only instead
        SaveResult::Failure failure;
    } cases[] = {
        {"held without sharing before the save", 0, SaveResult::Failure::kUnreadable},
        {"held for reading only (taken midway)", FILE_SHARE_READ, SaveResult::Failure::kNotReplaced},
        {"read-only", static_cast<DWORD>(-1), SaveResult::Failure::kReadOnly},
    };
    for (const Case& c : cases) {
        HANDLE other = INVALID_HANDLE_VALUE;
        if (c.share == static_cast<DWORD>(-1))
            SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
        else
            other = CreateFileW(file.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        const SaveResult result = AddClient();
        EXPECT_EQ(result.failure, c.failure) << c.name;
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadBytes(file), original) << c.name;
        EXPECT_EQ(FilesInFolder(), 1) << c.name;
    }
    EXPECT_TRUE(AddClient().ok());
}

// A full disk: a small RAM disk that the rig mounts where it may.
class TransactionOnAFullDisk : public ::testing::Test {
protected:
    void SetUp() override {
        root = uia::RigRamDisk();
        if (root.empty()) GTEST_SKIP() << "no RAM disk: the rig could not mount one (needs root)";
        file = root + L"\\unit.dat";
        for (int i = 0; i < 300; ++i)
            settings += "Client" + std::to_string(i) + "=C:\\Games\\DAoC " + std::to_string(i) + "\r\n";
        WriteBytes(file, settings);
    }
    void TearDown() override {
        for (const std::wstring& f : {file, file + L".bak"}) DeleteFileW(f.c_str());
    }
    std::wstring root, file;
    std::string settings = "[clients]\r\n";
};

// Uses: ramdisk
TEST_F(TransactionOnAFullDisk, FailsAndLeavesTheFileAsItWas) {
    const uia::FullDisk full(root);
    IniTransaction change(file);
    change.Set(L"accounts", L"acc", L"pw");
    const SaveResult result = change.Commit();
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ReadBytes(file), settings);
}

// Room for the changed copy but not for the backup beside it: the save goes on without the
// backup and says so, and the backup of an earlier run is not cut short.
// Uses: ramdisk
TEST_F(TransactionOnAFullDisk, ABackupThatDoesNotFitNeverBlocksTheSave) {
    const std::string earlier = "[clients]\r\nOld=C:\\Games\r\n";
    WriteBytes(file + L".bak", earlier);
    ASSERT_GT(settings.size(), 2u * 4096);  // three pages for the copy, three for the backup
    const uia::FullDisk full(root, 4);
    IniTransaction change(file);
    change.KeepBackupAs(file + L".bak");
    change.Set(L"accounts", L"acc", L"pw");
    const SaveResult result = change.Commit();
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.backupMissing);
    EXPECT_NE(result.backupError, 0u);  // the reason the player is told
    EXPECT_EQ(ReadBytes(file), settings + "[accounts]\r\nacc=pw\r\n");
    EXPECT_EQ(ReadBytes(file + L".bak"), earlier);
}

// Each run that changes the file keeps it as the run found it; the last five runs' copies stay.
TEST(SettingsBackup, OneGenerationARunTheLastFiveKept) {
    TempDir dir;
    const std::wstring file = dir / L"Corvalink.dat";
    WriteBytes(file, "[clients]\r\nRun0=C:\\Games\r\n");
    for (int run = 1; run <= 7; ++run) {
        Settings settings(file);  // a new run
        ASSERT_TRUE(settings.StoreClient(L"Run" + std::to_wstring(run), L"D:\\Games").ok());
        ASSERT_TRUE(settings.StoreClient(L"Again" + std::to_wstring(run), L"E:\\Games").ok());
    }
    const std::vector<std::wstring> backups = testing_support::FilesMatching(dir / L"Corvalink.dat.*.bak");
    ASSERT_EQ(backups.size(), static_cast<size_t>(kBackupGenerations));
    // The newest holds the file as the last run found it: six runs' clients, not the seventh's.
    const std::string newest = ReadBytes(dir / backups.back());
    EXPECT_NE(newest.find("Again6="), std::string::npos);
    EXPECT_EQ(newest.find("Run7="), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / backups.front()).find("Run3="), std::string::npos);  // runs 1 and 2 went
    EXPECT_NE(ReadBytes(dir / backups.front()).find("Again2="), std::string::npos);
}

// Backups named for a later date (a clock that was set back since): the newest copy is still
// the file as it was before the last change, and it is kept.
TEST(SettingsBackup, TheNewestIsTheLastChangeWhateverTheClockSays) {
    TempDir dir;
    const std::wstring file = dir / L"Corvalink.dat";
    for (int i = 0; i < kBackupGenerations; ++i)
        WriteBytes(dir / (L"Corvalink.dat.209" + std::to_wstring(i) + L"1231-235959-999.bak"), "later");
    WriteBytes(file, "[clients]\r\nMain=C:\\Games\r\n");
    Settings settings(file);
    ASSERT_TRUE(settings.StoreClient(L"Second", L"D:\\Games").ok());
    const std::vector<std::wstring> backups = testing_support::FilesMatching(dir / L"Corvalink.dat.*.bak");
    ASSERT_EQ(backups.size(), static_cast<size_t>(kBackupGenerations));
    EXPECT_EQ(backups.back(), L"Corvalink.dat.20950101-000000-000.bak");
    EXPECT_EQ(ReadBytes(dir / backups.back()), "[clients]\r\nMain=C:\\Games\r\n");
}

// A backup that cannot be replaced (a folder of that name, as if held) does not stop the save.
TEST(SettingsBackup, ABackupThatCannotBeWrittenNeverBlocksTheSave) {
    TempDir dir;
    const std::wstring file = dir / L"Corvalink.dat";
    WriteBytes(file, "[clients]\r\nMain=C:\\Games\r\n");
    IniTransaction change(file);
    ASSERT_TRUE(CreateDirectoryW((dir / L"blocked.bak").c_str(), nullptr));
    change.KeepBackupAs(dir / L"blocked.bak");
    change.Set(L"clients", L"Second", L"D:\\Games");
    const SaveResult result = change.Commit();
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.backupMissing);
    EXPECT_EQ(ReadBytes(file), "[clients]\r\nMain=C:\\Games\r\nSecond=D:\\Games\r\n");
}

TEST(PathsOutsideTheCodePage, WorkForReadsAndSaves) {
    TempDir dir;
    const std::wstring folder = dir / L"Łukasz Ørsted";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring file = folder + L"\\Corvalink.dat";
    IniTransaction change(file);
    change.Set(L"clients", L"Main", L"C:\\Spiele\\DAoC");
    ASSERT_TRUE(change.Commit().ok());
    EXPECT_EQ(ReadIni(L"clients", L"Main", L"", file, 256), L"C:\\Spiele\\DAoC");
    EXPECT_EQ(ListIniKeys(file, L"clients"), std::vector<std::wstring>{L"Main"});
}

}  // namespace
