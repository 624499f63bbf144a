// The one process-wide record of the AutoCAD installations found at start, per release the
// product keys (below HKEY_LOCAL_MACHINE) and their program folders, plus the install folder.
#pragma once

#include "acad/release_years.h"

#include <windows.h>

#include <string>
#include <vector>

using CStringList = std::vector<std::string>;

class CAcadRegistry {
  public:
    CAcadRegistry();
    CAcadRegistry(const CAcadRegistry&) = delete;
    CAcadRegistry& operator=(const CAcadRegistry&) = delete;

    // The start-up scan: fills the release lists from HKLM. Only appends.
    void ScanInstalledReleases();
    void ScanWow6432Node();

    // Stores the install folder, cutting one trailing backslash (a plain byte test).
    void SetInstallDir(std::string folder);

    bool IsInstalled(int release) const { return !m_arrLocation[release].empty(); }

    // Demand-load entries for every product key of every ticked release, then the trusted
    // paths of every profile. Returns the number of entries that could not be written.
    int RegisterAddIn(const acad::ReleaseTicks& ticks);
    // Adds m_strInstallDir to TRUSTEDPATHS in every AutoCAD profile under HKEY_CURRENT_USER.
    void AddTrustedPath();
    // Fonts, libraries and the 2008 driver file into each ticked release's folders. Returns
    // the number of files whose copy failed although the package holds them.
    int CopySupportFiles(const acad::ReleaseTicks& ticks);

    std::string m_strInstallDir;
    CStringList m_arrLocation[acad::kReleaseCount];
    CStringList m_arrProductKey[acad::kReleaseCount];
    std::string m_strValueName;
    CStringList m_arrFoundKey;
    CStringList m_arrFoundValue;

  private:
    void ScanBase(const char* baseKey, const char* baseFormat, int yearCount);
    void ScanReleaseKey(HKEY baseKey, const std::string& releaseName, const char* baseFormat,
                        int yearCount);
    void CollectValue(HKEY parentKey, const std::string& subKeyName, std::string relativePath,
                      std::string basePath, int depth = 0);
    int RegisterRelease(int release);
    int CopySupportFilesTo(const std::string& packageFolder, int release,
                           const std::string& acadFolder);
};
