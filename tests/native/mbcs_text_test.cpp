#include "core/bounded_format.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

// "\x95\x5c" is a code page 936 character whose second byte is a backslash;
// "\xb0\x61" one whose second byte is the letter a.
const std::string kDbcsBackslash = "\x95\x5c";
const std::string kDbcsLetterA = "\xb0\x61";

class MbcsText : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }
};

TEST_F(MbcsText, StripTrailingBackslash) {
    struct Row {
        const char* name;
        std::string in, out;
    };
    const Row rows[] = {
        {"one trailing backslash", "C:\\Vornik\\", "C:\\Vornik"},
        {"two trailing backslashes keep one", "C:\\Vornik\\\\", "C:\\Vornik\\"},
        {"drive root loses its backslash", "D:\\", "D:"},
        {"single backslash stays", "\\", "\\"},
        {"no backslash", "C:\\Vornik", "C:\\Vornik"},
        {"empty", "", ""},
        {"double-byte char ending in 0x5c stays whole", "C:\\a" + kDbcsBackslash,
         "C:\\a" + kDbcsBackslash},
        {"double-byte char then a real backslash", "C:\\" + kDbcsBackslash + "\\",
         "C:\\" + kDbcsBackslash},
    };
    for (const Row& row : rows) {
        std::string text = row.in;
        core::StripTrailingBackslash(text);
        EXPECT_EQ(text, row.out) << row.name;
    }
}

TEST_F(MbcsText, SearchesStepOverDoubleByteCharacters) {
    EXPECT_EQ(core::FindLastBackslash("C:\\x" + kDbcsBackslash), 2u);
    EXPECT_EQ(core::FindLastBackslash(kDbcsBackslash), std::string::npos);
    // "a" inside a double-byte character is no match; the real one after it is.
    EXPECT_EQ(core::FindText(kDbcsLetterA + "a", "a"), 2u);
    EXPECT_EQ(core::FindText(kDbcsLetterA, "a"), std::string::npos);
    EXPECT_EQ(core::FindText("AutoCAD 2010", "2010"), 8u);
    EXPECT_EQ(core::FindText("2010 2010", "2010", 1), 5u);
    EXPECT_EQ(core::FindText("abc", "abcd"), std::string::npos);
    // A lone lead byte at the end is one character of its own.
    EXPECT_EQ(core::FindLastBackslash("\\\x95"), 0u);
}

TEST_F(MbcsText, UpperCasingChangesAsciiLettersOnly) {
    EXPECT_EQ(core::UpperAscii("c:\\vornik\\v-ziruzorav"), "C:\\VORNIK\\V-ZIRUZORAV");
    EXPECT_EQ(core::UpperAscii("x" + kDbcsLetterA + "y"), "X" + kDbcsLetterA + "Y");
    EXPECT_EQ(core::UpperAscii("\xe4\xf6"), "\xe4\xf6");
    EXPECT_TRUE(core::EqualsNoCase("Setup.EXE", "SETUP.exe"));
    EXPECT_FALSE(core::EqualsNoCase(kDbcsLetterA, "\xb0\x41"));
}

// A stand-in code page: Latin-1, with the look-alike 'e' for the e with a macron.
std::string Latin1FromWide(const std::wstring& text) {
    std::string result;
    for (wchar_t c : text)
        result += c == L'\u0113' ? 'e' : c < 256 ? static_cast<char>(c) : '?';
    return result;
}
std::wstring WideFromLatin1(const std::string& text) {
    std::wstring result;
    for (unsigned char c : text)
        result += static_cast<wchar_t>(c);
    return result;
}

TEST(SpellExactly, OnlyTextThatComesBackUnchanged) {
    const core::CodePage latin1{Latin1FromWide, WideFromLatin1};
    const std::pair<std::wstring, std::optional<std::string>> rows[] = {
        {L"C:\\pkg", "C:\\pkg"},
        {L"C:\\caf\u00e9?", "C:\\caf\xe9?"}, // a real '?' is no lost character
        {L"C:\\\u4e2d", std::nullopt},       // the code page lacks it
        {L"C:\\\u0113", std::nullopt},       // a look-alike would name another folder
        {L"", ""},
    };
    for (const auto& [text, spelled] : rows)
        EXPECT_EQ(core::SpellExactly(text, latin1), spelled) << spelled.value_or("nullopt");
}

TEST(BoundedFormat, PathFitsUpTo259Bytes) {
    const std::string fits(259, 'x');
    const std::string tooLong(260, 'x');
    ASSERT_TRUE(core::FormatPath("%s", fits.c_str()));
    EXPECT_EQ(*core::FormatPath("%s", fits.c_str()), fits);
    EXPECT_FALSE(core::FormatPath("%s", tooLong.c_str()));
    EXPECT_FALSE(core::FormatPath("%s\\%s", std::string(250, 'a').c_str(), "123456789"));
    EXPECT_EQ(*core::FormatPath("%s\\Applications\\VK_ZiruzOrav%d", "K", 2010),
              "K\\Applications\\VK_ZiruzOrav2010");
}

} // namespace
