#include "core/bounded_format.h"
#include "core/mbcs_text.h"

#include <gtest/gtest.h>

namespace {

// Code page 936 characters whose second byte is a backslash, and the letter a.
const std::string kDbcsBackslash = "\x95\x5c";
const std::string kDbcsLetterA = "\xb0\x61";

class MbcsText : public testing::Test {
  protected:
    void SetUp() override { core::SetLeadByteRule(core::IsCp936LeadByte); }
};

TEST_F(MbcsText, StripTrailingBackslash) {
    const std::pair<std::string, std::string> rows[] = {
        {"C:\\Vornik\\", "C:\\Vornik"},
        {"C:\\Vornik\\\\", "C:\\Vornik\\"}, // only one is cut
        {"D:\\", "D:"},
        {"\\", "\\"},
        {"", ""},
        {"C:\\a" + kDbcsBackslash, "C:\\a" + kDbcsBackslash}, // the character stays whole
        {"C:\\" + kDbcsBackslash + "\\", "C:\\" + kDbcsBackslash},
    };
    for (auto [in, out] : rows) {
        core::StripTrailingBackslash(in);
        EXPECT_EQ(in, out);
    }
}

TEST_F(MbcsText, SearchesAndCaseStepOverDoubleByteCharacters) {
    EXPECT_EQ(core::FindLastBackslash("C:\\x" + kDbcsBackslash), 2u);
    EXPECT_EQ(core::FindLastBackslash("\\\x95"), 0u); // a lone lead byte at the end
    EXPECT_EQ(core::FindText(kDbcsLetterA + "a", "a"), 2u);
    EXPECT_EQ(core::FindText("2010 2010", "2010", 1), 5u);
    EXPECT_EQ(core::UpperAscii("x" + kDbcsLetterA + "\xe4"), "X" + kDbcsLetterA + "\xe4");
    EXPECT_FALSE(core::EqualsNoCase(kDbcsLetterA, "\xb0\x41"));
}

// A stand-in code page: Latin-1, with the look-alike 'e' for the e with a macron.
TEST(SpellExactly, OnlyTextThatComesBackUnchanged) {
    const core::CodePage latin1{[](const std::wstring& text) {
                                    std::string result;
                                    for (wchar_t c : text)
                                        result += c == L'\u0113' ? 'e' : c < 256 ? char(c) : '?';
                                    return result;
                                },
                                [](const std::string& text) {
                                    std::wstring result;
                                    for (unsigned char c : text)
                                        result += wchar_t(c);
                                    return result;
                                }};
    const std::pair<std::wstring, std::optional<std::string>> rows[] = {
        {L"C:\\caf\u00e9?", "C:\\caf\xe9?"}, // a real '?' is no lost character
        {L"C:\\\u4e2d", std::nullopt},       // the code page lacks it
        {L"C:\\\u0113", std::nullopt},       // a look-alike would name another folder
    };
    for (const auto& [text, spelled] : rows)
        EXPECT_EQ(core::SpellExactly(text, latin1), spelled) << spelled.value_or("nullopt");
}

TEST(BoundedFormat, PathFitsUpTo259Bytes) {
    const std::string fits(259, 'x');
    EXPECT_EQ(core::FormatPath("%s", fits.c_str()), fits);
    EXPECT_FALSE(core::FormatPath("%s", (fits + "x").c_str()));
    EXPECT_EQ(core::FormatPath("%s\\Applications\\VK_ZiruzOrav%d", "K", 2010),
              "K\\Applications\\VK_ZiruzOrav2010");
}

} // namespace
