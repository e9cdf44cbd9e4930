// Changes to INI files: edits that keep everything else byte for byte, and saves that happen
// whole or not at all.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

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
        {"replace a section", [](IniText& t) { t.ReplaceSection("accounts", {{"x", "1"}, {"y", "2"}}); },
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
        EXPECT_FALSE(DescribeSaveFailure(result).empty()) << c.name;
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

TEST_F(TransactionOnAFullDisk, FailsAndLeavesTheFileAsItWas) {
    const uia::FullDisk full(root);
    IniTransaction change(file);
    change.Set(L"accounts", L"acc", L"pw");
    const SaveResult result = change.Commit();
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ReadBytes(file), settings);
}

// Room for the changed copy but not for the backup beside it: the save fails, and the backup
// of an earlier run is not cut short either.
TEST_F(TransactionOnAFullDisk, AFailedBackupKeepsTheEarlierOne) {
    const std::string earlier = "[clients]\r\nOld=C:\\Games\r\n";
    WriteBytes(file + L".bak", earlier);
    ASSERT_GT(settings.size(), 2u * 4096);  // three pages for the copy, three for the backup
    const uia::FullDisk full(root, 4);
    IniTransaction change(file);
    change.KeepBackupAs(file + L".bak");
    change.Set(L"accounts", L"acc", L"pw");
    const SaveResult result = change.Commit();
    EXPECT_EQ(result.failure, SaveResult::Failure::kBackupFailed);
    EXPECT_EQ(ReadBytes(file), settings);
    EXPECT_EQ(ReadBytes(file + L".bak"), earlier);
}

TEST(SettingsBackup, KeepsTheFileAsItWasBeforeTheRunsFirstChange) {
    TempDir dir;
    Settings settings(dir / L"Corvalink.dat");
    WriteBytes(settings.file(), "[clients]\r\nMain=C:\\Games\r\n");
    ASSERT_TRUE(settings.StoreClient(L"Second", L"D:\\Games").ok());
    ASSERT_TRUE(settings.StoreClient(L"Third", L"E:\\Games").ok());
    EXPECT_EQ(ReadBytes(settings.file() + L".bak"), "[clients]\r\nMain=C:\\Games\r\n");
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
