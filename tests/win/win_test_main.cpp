#include "framework/text_convert.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    fw::UseSystemLeadByteRule();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
