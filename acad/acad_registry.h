// The one process-wide record of the AutoCAD installations found at start, per release the
// product keys (below HKEY_LOCAL_MACHINE) and their program folders.
#pragma once

#include "acad/release_years.h"

#include <windows.h>

#include <string>
#include <vector>

using CStringList = std::vector<std::string>;
using WideNameList = std::vector<std::wstring>;

namespace acad {
class WriteFailures;
}

// A 32-bit process on 64-bit Windows reaches the same key through "SOFTWARE\Wow6432Node\..."
// and "SOFTWARE\..."; for a 64-bit process they are the 32-bit and the 64-bit view's keys,
// two installations. (On 32-bit Windows the Wow6432Node path finds nothing to begin with.)
constexpr bool kWowPathsJoined = sizeof(void*) == 4;

class CAcadRegistry {
  public:
    CAcadRegistry();
    CAcadRegistry(const CAcadRegistry&) = delete;
    CAcadRegistry& operator=(const CAcadRegistry&) = delete;

    // The start-up scan: fills the release lists from HKLM. Only appends.
    void ScanInstalledReleases();
    void ScanWow6432Node();

    bool IsInstalled(int release) const { return !m_arrLocation[release].empty(); }

    // Demand-load entries for every product key of every ticked release that load the add-in
    // from installFolder, then the trusted paths of every profile. Returns the number of entries
    // and profile lists that could not be written, each entry of the same key counted once however
    // often it is listed.
    int RegisterAddIn(const acad::ReleaseTicks& ticks, const std::string& installFolder);
    // The demand-load entries of one release (a year 2007..2027; other years do nothing)
    // below each of its product keys. Adds to failures the entries not written: every
    // entry of a product key that cannot be opened, an entry whose key cannot be created or
    // one of whose values cannot be set, and an entry too long for its buffers.
    void RegisterRelease(int year, const std::string& installFolder, acad::WriteFailures& failures);
    // Adds installFolder to TRUSTEDPATHS in every AutoCAD profile under HKEY_CURRENT_USER.
    // Returns the number of profiles whose list was left alone (it could not be read, or is
    // not one text) or could not be written.
    int AddTrustedPath(const std::wstring& installFolder);
    // Fonts, libraries and the 2008 driver file into each ticked release's folders. Returns
    // the number of destination files whose copy failed, or whose path would not fit its
    // buffer, although the package holds them; a folder listed twice fails once per file.
    // A name the package lacks is no failure.
    int CopySupportFiles(const acad::ReleaseTicks& ticks);
    // The support files into one AutoCAD folder, the driver file only with withDriver. The
    // package folder is looked up anew; when it is missing (the user has been told) nothing
    // is copied and nothing counted. Adds the failures to failures.
    void CopySupportFilesTo(std::string acadFolder, bool withDriver, acad::WriteFailures& failures);

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
