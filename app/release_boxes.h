// The release check boxes of the setup dialog, by release index k (AutoCAD 2007 + k). The
// IDs are not ascending: 2010 has 1027 and 2011 has 1026.
#pragma once

#include "acad/release_years.h"
#include "res/resource.h"

#include <array>

inline constexpr std::array<int, acad::kReleaseCount> kReleaseBoxIds = {
    IDC_RELEASE_2007, IDC_RELEASE_2008, IDC_RELEASE_2009, IDC_RELEASE_2010, IDC_RELEASE_2011,
    IDC_RELEASE_2012, IDC_RELEASE_2013, IDC_RELEASE_2014, IDC_RELEASE_2015, IDC_RELEASE_2016,
    IDC_RELEASE_2017, IDC_RELEASE_2018, IDC_RELEASE_2019, IDC_RELEASE_2020, IDC_RELEASE_2021,
    IDC_RELEASE_2022, IDC_RELEASE_2023, IDC_RELEASE_2024, IDC_RELEASE_2025, IDC_RELEASE_2026,
    IDC_RELEASE_2027};

// The release index of a check box's control ID, or -1 for any other control.
constexpr int ReleaseOfBox(int controlId) {
    for (int k = 0; k < acad::kReleaseCount; ++k)
        if (kReleaseBoxIds[static_cast<size_t>(k)] == controlId)
            return k;
    return -1;
}
