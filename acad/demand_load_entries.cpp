#include "acad/demand_load_entries.h"

#include "acad/release_years.h"
#include "core/bounded_format.h"

#include <array>

namespace acad {

namespace {

// Module generations by release index. A new AutoCAD release keeps loading the previous
// generation's modules until one is built for it.
constexpr std::array<ModuleYears, kReleaseCount> kModuleTable = {{
    {2008, 2007}, // 2007 loads the 2008 ARX
    {2008, 2007}, // 2008
    {2009, 2009}, // 2009
    {2010, 2010}, // 2010
    {2010, 2010}, // 2011
    {2010, 2010}, // 2012
    {2013, 2013}, // 2013
    {2013, 2013}, // 2014
    {2015, 2013}, // 2015
    {2015, 2013}, // 2016
    {2017, 2013}, // 2017
    {2018, 2013}, // 2018
    {2019, 2013}, // 2019
    {2019, 2013}, // 2020
    {2021, 2013}, // 2021
    {2021, 2013}, // 2022
    {2021, 2013}, // 2023
    {2021, 2013}, // 2024
    {2025, 2013}, // 2025
    {2025, 2013}, // 2026
    {2027, 2013}, // 2027
}};

constexpr std::uint32_t kLoadOnStartup = 2; // LOADCTRLS: AutoCAD loads the module at start
constexpr std::uint32_t kManagedAssembly = 1;

EntryValue Dword(const char* name, std::uint32_t number) {
    return {name, EntryValueKind::Dword, number, {}};
}

EntryValue String(const char* name, std::string text) {
    return {name, EntryValueKind::String, 0, std::move(text)};
}

std::optional<DemandLoadEntry> ArxEntry(const std::optional<std::string>& keyName,
                                        const std::optional<std::string>& loader) {
    if (!keyName || !loader)
        return std::nullopt;
    return DemandLoadEntry{*keyName,
                           {Dword("LOADCTRLS", kLoadOnStartup), String("LOADER", *loader)}};
}

// The 64-bit edition's AutoCAD 2009 and 2010 also load the module built for the older
// 32-bit generation, under a key of its own.
std::optional<DemandLoadEntry> ExtraArxEntry(int releaseYear, const std::string& installDir) {
    if (releaseYear == 2009)
        return ArxEntry(core::FormatPath("Applications\\VK_ZiruzOrav%d", 2008),
                        core::FormatPath("%s\\VK_ZiruzOrav%d.ARX", installDir.c_str(), 2008));
    return ArxEntry(core::FormatPath("Applications\\VK_ZiruzOrav%d_32", 2010),
                    core::FormatPath("%s\\VK_ZiruzOrav%d_32.ARX", installDir.c_str(), 2010));
}

std::optional<DemandLoadEntry> ManagedEntry(int releaseYear, int dllYear,
                                            const std::string& acadFolder) {
    const auto keyName = core::FormatPath("Applications\\Vornik%dDLLP", releaseYear);
    const auto loader = core::FormatPath("%s\\ACAD%dP.dll", acadFolder.c_str(), dllYear);
    if (!keyName || !loader)
        return std::nullopt;
    return DemandLoadEntry{*keyName,
                           {Dword("LOADCTRLS", kLoadOnStartup), String("LOADER", *loader),
                            Dword("MANAGED", kManagedAssembly)}};
}

} // namespace

std::optional<ModuleYears> GetModuleYears(int releaseYear) {
    const int index = releaseYear - kFirstYear;
    if (index < 0 || index >= kReleaseCount)
        return std::nullopt;
    return kModuleTable[static_cast<size_t>(index)];
}

std::vector<std::optional<DemandLoadEntry>> DemandLoadEntries(int releaseYear,
                                                              const std::string& installDir,
                                                              const std::string& acadFolder,
                                                              int targetBits) {
    std::vector<std::optional<DemandLoadEntry>> entries;
    const auto years = GetModuleYears(releaseYear);
    if (!years)
        return entries;
    entries.push_back(
        ArxEntry(core::FormatPath("Applications\\VK_ZiruzOrav%d", releaseYear),
                 core::FormatPath("%s\\VK_ZiruzOrav%d.ARX", installDir.c_str(), years->arx)));
    if (targetBits == 64 && (releaseYear == 2009 || releaseYear == 2010))
        entries.push_back(ExtraArxEntry(releaseYear, installDir));
    entries.push_back(ManagedEntry(releaseYear, years->dll, acadFolder));
    return entries;
}

} // namespace acad
