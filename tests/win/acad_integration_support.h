// Expected registry values, compared byte for byte with what the registry holds.
#pragma once

#include "tests/win/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace testing_support {

// REG_SZ data as stored: the text and its terminating NUL.
inline RegValue Sz(const std::string& text) {
    return {REG_SZ, std::string(text.c_str(), text.size() + 1)};
}

inline RegValue Dword(DWORD number) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&number), sizeof number)};
}

using NamedValues = std::vector<std::pair<std::string, RegValue>>;

// The key holds exactly these values, with these types and data.
inline void ExpectExactValues(HKEY root, const std::string& key, const NamedValues& expected,
                              REGSAM view = 0) {
    SCOPED_TRACE(key);
    std::vector<std::string> names = ListRegValueNames(root, key, view);
    std::vector<std::string> expectedNames;
    for (const auto& named : expected)
        expectedNames.push_back(named.first);
    std::sort(names.begin(), names.end());
    std::sort(expectedNames.begin(), expectedNames.end());
    EXPECT_EQ(names, expectedNames);
    for (const auto& [name, value] : expected) {
        const auto actual = ReadRegValue(root, key, name, view);
        ASSERT_TRUE(actual) << name;
        EXPECT_EQ(actual->type, value.type) << name;
        EXPECT_EQ(actual->data, value.data) << name;
    }
}

} // namespace testing_support
