// The start-up scan against a real (redirected) registry: which keys become installations,
// with which key path and folder, in which order.
#include "acad/acad_registry.h"
#include "tests/win/test_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const std::string kMain = "SOFTWARE\\Autodesk\\AutoCAD\\";
const std::string kWow = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\";

struct Value {
    std::string key, name, data;
};
struct Found {
    int year;
    std::string key, folder;
};
std::vector<Value> Product(const std::string& key, const std::string& folder,
                           const std::string& name) {
    return {{key, "AcadLocation", folder}, {key, "ProductName", name}};
}
std::vector<Value> operator+(std::vector<Value> a, const std::vector<Value>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(ReleaseScan, WhatIsFoundWhere) {
    const std::string deep = kMain + "R25.0" + [] {
        std::string levels;
        for (int i = 0; i < 40; ++i)
            levels += "\\L";
        return levels;
    }();
    struct Row {
        const char* name;
        std::vector<Value> values;
        std::vector<Found> found;
    };
    const Row rows[] = {
        {"nothing installed", {}, {}},
        {"product below its release key; one trailing backslash cut",
         Product(kMain + "R18.0\\ACAD-8001:804", "C:\\AutoCAD 2010\\", "AutoCAD 2010"),
         {{2010, kMain + "R18.0\\ACAD-8001:804\\", "C:\\AutoCAD 2010"}}},
        {"nested product carries every level",
         Product(kMain + "R19.1\\Group\\ACAD-D001:804", "D:\\CAD", "AutoCAD 2014"),
         {{2014, kMain + "R19.1\\Group\\ACAD-D001:804\\", "D:\\CAD"}}},
        {"values in different keys are no product",
         std::vector<Value>{{kMain + "R20.0\\P", "AcadLocation", "C:\\A"},
                            {kMain + "R20.0\\P\\Sub", "ProductName", "AutoCAD 2015"}},
         {}},
        {"a product name in the release key hides the products below",
         std::vector<Value>{{kMain + "R21.0", "ProductName", "AutoCAD 2017"}} +
             Product(kMain + "R21.0\\P", "C:\\A", "AutoCAD 2017"),
         {}},
        {"two products of a release in enumeration (name) order",
         Product(kMain + "R22.0\\ACAD-1001:804", "C:\\Chs", "AutoCAD 2018 - \xbc\xf2") +
             Product(kMain + "R22.0\\ACAD-1001:409", "C:\\Enu", "AutoCAD 2018 - English"),
         {{2018, kMain + "R22.0\\ACAD-1001:409\\", "C:\\Enu"},
          {2018, kMain + "R22.0\\ACAD-1001:804\\", "C:\\Chs"}}},
        {"the 32-bit node first, and only up to 2010",
         Product(kMain + "R17.1\\P", "C:\\Main", "AutoCAD 2008") +
             Product(kWow + "R17.1\\P", "C:\\Wow", "AutoCAD 2008") +
             Product(kWow + "R18.1\\P", "C:\\Wow2011", "AutoCAD 2011"),
         {{2008, kWow + "R17.1\\P\\", "C:\\Wow"}, {2008, kMain + "R17.1\\P\\", "C:\\Main"}}},
        {"a value longer than 520 bytes counts as absent",
         Product(kMain + "R23.0\\A", "C:\\" + std::string(517, 'x'), "AutoCAD 2019") +
             Product(kMain + "R23.0\\B", "C:\\" + std::string(516, 'y'), "AutoCAD 2019"),
         {{2019, kMain + "R23.0\\B\\", "C:\\" + std::string(516, 'y')}}},
        // Support files and the managed library's LOADER would land in the current folder.
        {"only a key with an absolute folder is an installation",
         Product(kMain + "R20.0\\A", "", "AutoCAD 2015") +
             Product(kMain + "R20.0\\B", "AutoCAD 2015", "AutoCAD 2015") +
             Product(kMain + "R20.0\\C", "C:AutoCAD", "AutoCAD 2015") +
             Product(kMain + "R20.0\\D", "\\AutoCAD", "AutoCAD 2015") +
             Product(kMain + "R20.0\\E", "\\\\srv", "AutoCAD 2015") +
             Product(kMain + "R20.0\\F", "\\\\srv\\cad\\AutoCAD", "AutoCAD 2015") +
             Product(kMain + "R20.0\\G", "d:\\", "AutoCAD 2015"),
         {{2015, kMain + "R20.0\\F\\", "\\\\srv\\cad\\AutoCAD"},
          {2015, kMain + "R20.0\\G\\", "d:"}}},
        {"a deep chain",
         Product(deep, "C:\\Deep", "AutoCAD 2023"),
         {{2023, deep + "\\", "C:\\Deep"}}},
    };
    for (const Row& row : rows) {
        ScratchRegistry registry;
        for (const Value& value : row.values)
            SetRegString(HKEY_LOCAL_MACHINE, value.key, value.name, value.data);
        CAcadRegistry table;
        table.ScanInstalledReleases();
        std::vector<std::string> got, expected;
        for (int k = 0; k < acad::kReleaseCount; ++k) {
            ASSERT_EQ(table.m_arrLocation[k].size(), table.m_arrProductKey[k].size());
            for (size_t i = 0; i < table.m_arrLocation[k].size(); ++i)
                got.push_back(std::to_string(acad::ReleaseYear(k)) + " " +
                              table.m_arrProductKey[k][i] + " " + table.m_arrLocation[k][i]);
        }
        for (const Found& found : row.found)
            expected.push_back(std::to_string(found.year) + " " + found.key + " " + found.folder);
        EXPECT_EQ(got, expected) << row.name;
    }
}

} // namespace
