#include <gtest/gtest.h>
#include <kit/Version.h>

using kit::Version;

TEST(Version, ParsesTwoToFourParts) {
    EXPECT_EQ(Version("1.2"), Version(1, 2, 0, 0));
    EXPECT_EQ(Version("2.5.7"), Version(2, 5, 7, 0));
    EXPECT_EQ(Version("1.2.3.4"), Version(1, 2, 3, 4));
    for (const char* bad : {"", "1", "1.2.3.4.5", "a.b", "1..2", "1.-2", "1.2x"}) {
        EXPECT_FALSE(Version(bad).isValid()) << bad;
    }
    EXPECT_TRUE(Version(0, 0, 0, 1).isValid());
    EXPECT_EQ(Version(2, 5, 7, 0).toString(3), "2.5.7");
    EXPECT_EQ(Version(1, 5, 0, 0).toString(), "1.5.0.0");
}

TEST(Version, OrdersPartByPart) {
    EXPECT_LT(Version("1.8.0"), Version("2.5.0"));
    EXPECT_LT(Version("1.10"), Version("1.11"));
    EXPECT_GT(Version("1.10"), Version("1.9"));
    EXPECT_LT(Version("2.5.7.0"), Version("2.5.7.1"));
    EXPECT_LE(Version("1.0"), Version("1.0.0.0"));
}
