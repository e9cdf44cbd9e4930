// The scrambling of stored names, passwords and entries.
#include <gtest/gtest.h>

#include "store/ansi.h"
#include "store/simple_crypt.h"

namespace {

std::string Scrambled(const std::string& bytes, const std::string& key, long lowerBound = 0) {
    std::string copy = bytes;
    CryptBytes(std::span(reinterpret_cast<unsigned char*>(copy.data()), copy.size()), key, lowerBound);
    return copy;
}

TEST(SimpleCrypt, WorkedExampleAndItsInverse) {
    EXPECT_EQ(Scrambled("abc", ""), "\x9E\x9C\x9E");
    EXPECT_EQ(Scrambled("\x9E\x9C\x9E", ""), "abc");
    EXPECT_EQ(ToAnsi(CryptText(L"abc", L"")), "\x9E\x9C\x9E");
    EXPECT_EQ(CryptText(L"", L""), L"");
}

TEST(SimpleCrypt, IsItsOwnInverseForAnyText) {
    for (const std::wstring& text :
         std::vector<std::wstring>{L"acc1", L"Aldwin,LYONESSE,Albion,acc1,Main", L"Grüße ß", std::wstring(300, L'x')}) {
        EXPECT_EQ(CryptText(CryptText(text, L""), L""), text);
        EXPECT_EQ(CryptText(CryptText(text, L"key"), L"key"), text);
        EXPECT_EQ(CryptText(text, L"").size(), text.size());
    }
}

TEST(SimpleCrypt, KeyAndPositionTerms) {
    // One-character key k: every byte is XORed with (255 ^ k) ^ (p & 255).
    const std::string zeros(3, '\0');
    EXPECT_EQ(Scrambled(zeros, "A"), std::string({char(0xBE), char(0xBF), char(0xBC)}));
    // A key longer than the text uses only its first characters.
    EXPECT_EQ(Scrambled("ab", "xyLONGER"), Scrambled("ab", "xy"));
    // Position 256 behaves like position 0; the key still starts at the lower bound.
    EXPECT_EQ(Scrambled("a", "", 256), Scrambled("a", "", 0));
    EXPECT_EQ(Scrambled(std::string(257, 'a'), "").back(), Scrambled("a", "").front());
}

TEST(SimpleCrypt, ShortAsciiTextsScrambleToHighBytesOnly) {
    const std::string scrambled = ToAnsi(CryptText(std::wstring(128, L' '), L""));
    for (unsigned char c : scrambled) EXPECT_GE(c, 0x80);
}

}  // namespace
