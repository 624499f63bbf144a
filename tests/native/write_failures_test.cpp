#include "acad/write_failures.h"

#include <gtest/gtest.h>

namespace {

// Failures met in order; the count is that of the distinct ones.
TEST(WriteFailures, EachFailureIsCountedOnce) {
    const std::string wow = "SOFTWARE\\Wow6432Node\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
    const std::string plain = "SOFTWARE\\Autodesk\\AutoCAD\\R18.0\\ACAD-8001:804\\";
    const std::string arx = "Applications\\VK_ZiruzOrav2010";
    const std::string font = "C:\\CAD2010\\Fonts\\Vornik_EN.shx";
    struct Row {
        const char* name;
        bool wowPathsJoined; // a 32-bit process
        std::vector<std::pair<std::string, std::string>> entries;
        std::vector<std::string> files;
        int count;
    };
    const Row rows[] = {
        {"one key through both base paths, 32-bit", true, {{wow, arx}, {plain, arx}}, {}, 1},
        {"two views' keys, 64-bit", false, {{wow, arx}, {plain, arx}}, {}, 2},
        {"same key met twice, 64-bit", false, {{plain, arx}, {plain, arx}}, {}, 1},
        {"letter case",
         true,
         {{plain, arx},
          {"software\\autodesk\\autocad\\r18.0\\acad-8001:804\\",
           "APPLICATIONS\\vk_ziruzorav2010"}},
         {},
         1},
        {"two entries of one key",
         true,
         {{plain, arx}, {plain, "Applications\\Vornik2010DLLP"}},
         {},
         2},
        {"Wow6432Node deeper in the path",
         true,
         {{plain, arx}, {"SOFTWARE\\Autodesk\\Wow6432Node\\AutoCAD\\R18.0\\ACAD-8001:804\\", arx}},
         {},
         2},
        {"same file twice", true, {}, {font, "c:\\cad2010\\fonts\\VORNIK_EN.SHX"}, 1},
        {"two files", false, {}, {font, "C:\\CAD2010\\Fonts\\Vornik_HZ.shx"}, 2},
        {"an entry and a file", true, {{plain, arx}}, {font}, 2},
    };
    for (const Row& row : rows) {
        acad::WriteFailures failures(row.wowPathsJoined);
        for (const auto& [key, entry] : row.entries)
            failures.AddEntry(key, entry);
        for (const auto& file : row.files)
            failures.AddFile(file);
        EXPECT_EQ(failures.Count(), row.count) << row.name;
    }
}

} // namespace
