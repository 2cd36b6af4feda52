#include <gtest/gtest.h>
#include <kit/Crc32.h>
#include <kit/Stream.h>

TEST(Stream, DumpsLittleEndianAndLoadsBack) {
    kit::Stream stream;
    stream.dump(0x01020304u);
    stream.dump(0xFFFFFFFFu);
    EXPECT_EQ(stream.getBytes().substr(0, 4), kit::String("\x04\x03\x02\x01", 4));
    uint32_t a = 0, b = 0, c = 0;
    EXPECT_TRUE(stream.load(a));
    EXPECT_TRUE(stream.load(b));
    EXPECT_FALSE(stream.load(c));
    EXPECT_EQ(a, 0x01020304u);
    EXPECT_EQ(b, 0xFFFFFFFFu);
    stream.rewind();
    EXPECT_TRUE(stream.load(c));
    EXPECT_EQ(c, a);
}

TEST(Stream, ShortReadConsumesNothing) {
    kit::Stream stream(kit::String("abc"));
    uint32_t value = 0;
    EXPECT_FALSE(stream.load(value));
    EXPECT_EQ(stream.getPosition(), 0u);
    kit::String part;
    EXPECT_TRUE(stream.read(part, 2));
    EXPECT_EQ(part, "ab");
    EXPECT_FALSE(stream.read(part, 2));
    EXPECT_EQ(stream.remaining(), 1u);
}

TEST(Crc32, MatchesThePublishedCheckValue) {
    EXPECT_EQ(kit::crc32(kit::String("123456789")), 0xCBF43926u);
    EXPECT_EQ(kit::crc32(kit::String()), 0u);
    EXPECT_NE(kit::crc32(kit::String("123456788")), 0xCBF43926u);
}
