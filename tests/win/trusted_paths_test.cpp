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

// Every profile of every product of every release, whatever its current value; what the
// merge decides for each value is the merge's own table.
TEST_F(TrustedPaths, EveryProfileOfEveryProductOfEveryReleaseIsUpdated) {
    const std::string a = Variables("R18.0", "ACAD-8001:804", "<<Unnamed Profile>>");
    const std::string b = Variables("R18.0", "ACAD-8001:804", "Plotting");
    const std::string c = Variables("R18.0", "ACAD-8002:409", "<<Unnamed Profile>>");
    const std::string d = Variables("R24.0", "ACAD-4101:804", "\xbc\xf2\xcc\xe5");
    std::string longValue;
    for (int i = 0; longValue.size() < 20000; ++i)
        longValue += "D:\\PROJECTS\\FOLDER" + std::to_string(i) + ";";
    longValue.pop_back();
    SetTrusted(a, "d:\\lisp");
    SetTrusted(b, "");
    SetTrusted(c, longValue);
    SetTrusted(d, "F:\\\xd6\xd0\xce\xc4;c:\\x\\v-ziruzorav");
    CreateRegKey(HKEY_CURRENT_USER, Profile("R19.1", "ACAD-D001:804", "No variables yet"));
    // A product without profiles and a release without products are passed over.
    CreateRegKey(HKEY_CURRENT_USER, kAutocad + "R18.0\\ACAD-8003:804");
    CreateRegKey(HKEY_CURRENT_USER, kAutocad + "R25.0");

    table.AddTrustedPath();
    table.AddTrustedPath(); // a second run appends nothing (and upper-cases a lone folder)

    ExpectTrusted(a, "D:\\LISP;" + kUpper);
    ExpectTrusted(b, kUpper);
    ExpectTrusted(c, longValue + ";" + kUpper);
    ExpectTrusted(d, "F:\\\xd6\xd0\xce\xc4;" + kUpper);
    ExpectTrusted(Variables("R19.1", "ACAD-D001:804", "No variables yet"), kUpper);
    EXPECT_TRUE(ListRegSubKeys(HKEY_CURRENT_USER, kAutocad + "R18.0\\ACAD-8003:804").empty());
    EXPECT_TRUE(ListRegSubKeys(HKEY_CURRENT_USER, kAutocad + "R25.0").empty());
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

} // namespace
