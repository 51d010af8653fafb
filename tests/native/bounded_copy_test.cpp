#include "settings/bounded_copy.h"

#include <gtest/gtest.h>

TEST(BoundedCopy, FitsCutsAndAlwaysTerminates) {
    char buffer[6];
    EXPECT_EQ(5u, CopyBounded(buffer, sizeof buffer, "abcde"));
    EXPECT_STREQ("abcde", buffer);
    EXPECT_EQ(9u, CopyBounded(buffer, sizeof buffer, "123456789"));
    EXPECT_STREQ("12345", buffer);
    EXPECT_EQ(0u, CopyBounded(buffer, sizeof buffer, ""));
    EXPECT_STREQ("", buffer);
    EXPECT_EQ(3u, CopyBounded(buffer, 1, "xyz"));
    EXPECT_STREQ("", buffer);
}
