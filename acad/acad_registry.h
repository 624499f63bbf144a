// The one process-wide record of the AutoCAD installations found at start, per release the
// product keys (below HKEY_LOCAL_MACHINE) and their program folders, plus the install folder.
#pragma once

#include "acad/release_years.h"

#include <windows.h>

#include <string>
#include <vector>

using CStringList = std::vector<std::string>;
using WideNameList = std::vector<std::wstring>;

class CAcadRegistry {
  public:
    CAcadRegistry();
    CAcadRegistry(const CAcadRegistry&) = delete;
    CAcadRegistry& operator=(const CAcadRegistry&) = delete;

    // The start-up scan: fills the release lists from HKLM. Only appends.
    void ScanInstalledReleases();
    void ScanWow6432Node();

    // Stores the install folder, cutting one trailing backslash (never the second byte of a
    // double-byte character, nor a lone backslash).
    void SetInstallDir(std::string folder);

    bool IsInstalled(int release) const { return !m_arrLocation[release].empty(); }

    // Demand-load entries for every product key of every ticked release, then the trusted
    // paths of every profile. Returns the number of entries and profile lists that could
    // not be written.
    int RegisterAddIn(const acad::ReleaseTicks& ticks);
    // The demand-load entries of one release (a year 2007..2027; other years do nothing)
    // below each of its product keys. Returns the number of entries not written: every
    // entry of a product key that cannot be opened, an entry whose key cannot be created or
    // one of whose values cannot be set, and an entry too long for its buffers.
    int RegisterRelease(int year);
    // Adds m_strInstallDir to TRUSTEDPATHS in every AutoCAD profile under HKEY_CURRENT_USER.
    // Returns the number of profiles whose list was left alone (it could not be read, or is
    // not one text) or could not be written.
    int AddTrustedPath();
    // Fonts, libraries and the 2008 driver file into each ticked release's folders. Returns
    // the number of files whose copy failed, or whose path would not fit its buffer,
    // although the package holds them. A name the package lacks is no failure.
    int CopySupportFiles(const acad::ReleaseTicks& ticks);
    // The support files into one AutoCAD folder, the driver file only with withDriver. The
    // package folder is looked up anew; when it is missing (the user has been told) nothing
    // is copied and nothing counted. Returns the failures as CopySupportFiles does.
    int CopySupportFilesTo(std::string acadFolder, bool withDriver);

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
};

// Appends to names (never clears it) the names of those sub-keys of key that can be opened
// for reading, in enumeration order.
void ListSubKeys(HKEY key, WideNameList& names);
