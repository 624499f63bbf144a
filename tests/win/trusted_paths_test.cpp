// Trusted paths against a redirected HKEY_CURRENT_USER: every profile's TRUSTEDPATHS read
// back with its type and bytes.
#include "acad/acad_registry.h"
#include "framework/text_convert.h"
#include "tests/win/acad_integration_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kInstall = "C:\\X\\V-ZiruzOrav";
const std::string kUpper = "C:\\X\\V-ZIRUZORAV";
const std::string kAutocad = "SOFTWARE\\Autodesk\\AutoCAD\\";

std::string Profile(const std::string& release, const std::string& product,
                    const std::string& profile) {
    return kAutocad + release + "\\" + product + "\\Profiles\\" + profile;
}

std::string Variables(const std::string& release, const std::string& product,
                      const std::string& profile) {
    return Profile(release, product, profile) + "\\Variables";
}

class TrustedPaths : public testing::Test {
  protected:
    void SetUp() override { table.SetInstallDir(kInstall); }

    void SetTrusted(const std::string& variablesKey, const std::string& text) {
        SetRegString(HKEY_CURRENT_USER, variablesKey, "TRUSTEDPATHS", text);
    }
    void ExpectTrusted(const std::string& variablesKey, const std::string& text) {
        ExpectExactValues(HKEY_CURRENT_USER, variablesKey, {{"TRUSTEDPATHS", Sz(text)}});
    }

    ScratchRegistry registry;
    CAcadRegistry table;
};

TEST_F(TrustedPaths, UserWithoutAutocadKeyGetsNothing) {
    CreateRegKey(HKEY_CURRENT_USER, "SOFTWARE\\Other");
    table.AddTrustedPath();
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, ""), std::vector<std::string>{"SOFTWARE"});
    EXPECT_EQ(ListRegSubKeys(HKEY_CURRENT_USER, "SOFTWARE"), std::vector<std::string>{"Other"});
}

TEST_F(TrustedPaths, EveryProfileOfEveryProductOfEveryReleaseIsUpdated) {
    const std::string a = Variables("R18.0", "ACAD-8001:804", "<<Unnamed Profile>>");
    const std::string b = Variables("R18.0", "ACAD-8001:804", "Plotting");
    const std::string c = Variables("R18.0", "ACAD-8002:409", "<<Unnamed Profile>>");
    const std::string d = Variables("R24.0", "ACAD-4101:804", "\xbc\xf2\xcc\xe5");
    SetTrusted(a, "d:\\lisp");
    SetTrusted(b, "");
    SetTrusted(c, "E:\\Tools;c:\\x\\v-ziruzorav");
    SetTrusted(d, "F:\\\xd6\xd0\xce\xc4");
    // A product without profiles and a release without products are passed over.
    CreateRegKey(HKEY_CURRENT_USER, kAutocad + "R18.0\\ACAD-8003:804");
    CreateRegKey(HKEY_CURRENT_USER, kAutocad + "R25.0");

    table.AddTrustedPath();

    ExpectTrusted(a, "D:\\LISP;" + kUpper);
    ExpectTrusted(b, kInstall);
    ExpectTrusted(c, "E:\\TOOLS;" + kUpper);
    ExpectTrusted(d, "F:\\\xd6\xd0\xce\xc4;" + kUpper);
    EXPECT_TRUE(ListRegSubKeys(HKEY_CURRENT_USER, kAutocad + "R18.0\\ACAD-8003:804").empty());
    EXPECT_TRUE(ListRegSubKeys(HKEY_CURRENT_USER, kAutocad + "R25.0").empty());
}

TEST_F(TrustedPaths, ProfileWithoutVariablesKeyGetsOne) {
    CreateRegKey(HKEY_CURRENT_USER, Profile("R19.1", "ACAD-D001:804", "Mine"));
    table.AddTrustedPath();
    ExpectTrusted(Variables("R19.1", "ACAD-D001:804", "Mine"), kInstall);
}

TEST_F(TrustedPaths, CurrentValuesAndWhatBecomesOfThem) {
    struct Row {
        const char* profile;
        std::optional<std::string> current; // nullopt: no TRUSTEDPATHS value
        std::string expected;
    };
    const Row rows[] = {
        {"absent", std::nullopt, kInstall},
        {"empty", "", kInstall},
        {"one character", ".", kInstall},
        {"two characters", "D:", kInstall},
        {"mixed case", "c:\\Program Files\\Lisp;d:\\Mine",
         "C:\\PROGRAM FILES\\LISP;D:\\MINE;" + kUpper},
        {"trailing separator", "D:\\MINE;", "D:\\MINE;;" + kUpper},
        {"present in other case", "d:\\mine;c:\\x\\v-ziruzorav", "D:\\MINE;" + kUpper},
        {"present with a backslash", "c:\\x\\v-ziruzorav\\", kUpper + "\\"},
        {"only the beginning of an entry", "C:\\X\\V-ZiruzOrav2", "C:\\X\\V-ZIRUZORAV2;" + kUpper},
    };
    for (const Row& row : rows) {
        const std::string variables = Variables("R20.0", "ACAD-E001:804", row.profile);
        if (row.current)
            SetTrusted(variables, *row.current);
        else
            SetRegString(HKEY_CURRENT_USER, variables, "OTHER", "x");
    }

    table.AddTrustedPath();

    for (const Row& row : rows) {
        SCOPED_TRACE(row.profile);
        const std::string variables = Variables("R20.0", "ACAD-E001:804", row.profile);
        const auto value = ReadRegValue(HKEY_CURRENT_USER, variables, "TRUSTEDPATHS");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(value->data, Sz(row.expected).data);
    }
}

TEST_F(TrustedPaths, ValueLongerThanAnyReadBufferIsKeptWhole) {
    std::string current;
    for (int i = 0; current.size() < 20000; ++i)
        current += "D:\\PROJECTS\\FOLDER" + std::to_string(i) + ";";
    current.pop_back();
    const std::string variables = Variables("R23.0", "ACAD-3001:804", "<<Unnamed Profile>>");
    SetTrusted(variables, current);

    table.AddTrustedPath();

    ExpectTrusted(variables, current + ";" + kUpper);
}

TEST_F(TrustedPaths, SecondRunWithTheSameFolderAppendsNothing) {
    const std::string variables = Variables("R22.0", "ACAD-1001:804", "<<Unnamed Profile>>");
    SetTrusted(variables, "d:\\Lisp");

    table.AddTrustedPath();
    table.AddTrustedPath();

    ExpectTrusted(variables, "D:\\LISP;" + kUpper);
}

// The list as the registry keeps it: its type and its UTF-16 data, terminators included.
using WideValue = std::pair<DWORD, std::wstring>;
template <size_t N> std::wstring Data(const wchar_t (&text)[N]) {
    return std::wstring(text, N - 1);
}

std::optional<WideValue> ReadWide(const std::wstring& key) {
    fw::unique_hkey handle;
    DWORD type = 0, size = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, handle.put()) ||
        RegQueryValueExW(handle.get(), L"TRUSTEDPATHS", nullptr, &type, nullptr, &size))
        return std::nullopt;
    std::wstring data(size / 2, L'\0');
    RegQueryValueExW(handle.get(), L"TRUSTEDPATHS", nullptr, &type,
                     reinterpret_cast<BYTE*>(data.data()), &size);
    return WideValue{type, data};
}

TEST_F(TrustedPaths, EveryCharacterAndTheTypeSurviveAndOtherTypesAreLeftAlone) {
    struct Row {
        std::wstring profile;
        WideValue stored, expected;
    };
    const std::wstring folder = L";C:\\X\\V-ZIRUZORAV";
    const Row rows[] = {
        {L"\ud55c\uad6d",
         {REG_SZ, Data(L"d:\\\ud55c\0")},
         {REG_SZ, L"D:\\\ud55c" + folder + L'\0'}},
        {L"expand",
         {REG_EXPAND_SZ, Data(L"%APPDATA%\\a\0")},
         {REG_EXPAND_SZ, L"%APPDATA%\\A" + folder + L'\0'}},
        {L"embedded NUL",
         {REG_SZ, Data(L"d:\\a\0e:\\b\0")},
         {REG_SZ, Data(L"D:\\A\0E:\\B") + folder + L'\0'}},
        {L"multi",
         {REG_MULTI_SZ, Data(L"d:\\a\0e:\\b\0\0")},
         {REG_MULTI_SZ, Data(L"d:\\a\0e:\\b\0\0")}},
        {L"number", {REG_DWORD, Data(L"\x0004\0")}, {REG_DWORD, Data(L"\x0004\0")}},
    };
    const std::wstring profiles = fw::WideFromAnsi(kAutocad) + L"R24.0\\ACAD-4101:804\\Profiles\\";
    for (const Row& row : rows) {
        fw::unique_hkey key;
        ASSERT_EQ(RegCreateKeyW(HKEY_CURRENT_USER,
                                (profiles + row.profile + L"\\Variables").c_str(), key.put()),
                  ERROR_SUCCESS);
        RegSetValueExW(key.get(), L"TRUSTEDPATHS", 0, row.stored.first,
                       reinterpret_cast<const BYTE*>(row.stored.second.data()),
                       static_cast<DWORD>(row.stored.second.size() * 2));
    }
    EXPECT_EQ(table.AddTrustedPath(), 2); // the two lists that are not one text
    for (const Row& row : rows)
        EXPECT_EQ(ReadWide(profiles + row.profile + L"\\Variables"), row.expected)
            << Utf8(row.profile);
}

// The second byte of a double-byte character may be 0x5C, the byte of a backslash.
TEST_F(TrustedPaths, InstallFolderKeepsADoubleByteCharacterWhole) {
    table.SetInstallDir("C:\\\x95\x5c");
    EXPECT_EQ(table.m_strInstallDir, "C:\\\x95\x5c");
}

} // namespace
