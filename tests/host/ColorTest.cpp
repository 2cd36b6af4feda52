#include <gtest/gtest.h>

#include <cmath>

#include "host/Color.h"

using host::Color;

TEST(Color, DefaultIsOpaqueWhite) {
    Color color;
    EXPECT_EQ(color, Color(255, 255, 255, 255));
    EXPECT_EQ(color, Color::White);
}

TEST(Color, HexWritesUpperCaseRgbaOrRgb) {
    Color color(1, 0xAB, 0xCD, 0x7F);
    EXPECT_EQ(color.hex(), "01ABCD7F");
    EXPECT_EQ(color.hex(false), "01ABCD7F");
    EXPECT_EQ(color.hex(true), "01ABCD");
    EXPECT_EQ(Color::Black.hex(), "000000FF");
}

TEST(Color, ParsesSixAndEightDigits) {
    Color color;
    EXPECT_TRUE(color.set("e4ea00ff"));
    EXPECT_EQ(color, Color(0xE4, 0xEA, 0x00, 0xFF));
    EXPECT_TRUE(color.set("FF5F00"));
    EXPECT_EQ(color, Color(0xFF, 0x5F, 0x00, 0xFF));  // six digits are opaque
    EXPECT_TRUE(color.set("10203040"));
    EXPECT_EQ(color, Color(0x10, 0x20, 0x30, 0x40));
    EXPECT_EQ(Color("E4EA00FF").hex(), "E4EA00FF");
}

TEST(Color, RejectsMalformedTextAndKeepsTheColour) {
    Color color(1, 2, 3, 4);
    for (const char* text : {"", "12345", "1234567", "123456789", "GG0000", "#FF0000", "FF 000", "0xFF00"}) {
        EXPECT_FALSE(color.set(text)) << text;
        EXPECT_EQ(color, Color(1, 2, 3, 4)) << text;
        EXPECT_FALSE(Color::isHex(text)) << text;
    }
    EXPECT_EQ(Color("nonsense"), Color::White);
}

TEST(Color, HexRoundTripsEveryByte) {
    for (int v = 0; v < 256; ++v) {
        Color color(static_cast<unsigned char>(v), static_cast<unsigned char>(255 - v),
                    static_cast<unsigned char>(v * 7), static_cast<unsigned char>(v * 13));
        EXPECT_EQ(Color(color.hex()), color);
        Color rgb(color.hex(true));
        EXPECT_EQ(rgb, Color(color, 255));
    }
}

namespace {

double distance(const Color& a, const Color& b) {
    double dr = a.r - b.r;
    double dg = a.g - b.g;
    double db = a.b - b.b;
    return std::sqrt(dr * dr + dg * dg + db * db);
}

}  // namespace

TEST(Color, NamedColoursAreTheCatalogueHues) {
    EXPECT_EQ(Color::Red.hex(), "FF0000FF");
    EXPECT_EQ(Color::Green.hex(), "00FF00FF");
    EXPECT_EQ(Color::Blue.hex(), "0000FFFF");
    EXPECT_EQ(Color::Magenta.hex(), "FF00FFFF");
    EXPECT_EQ(Color::Cyan.hex(), "00FFFFFF");
    EXPECT_EQ(Color::Aqua.hex(), "007FFFFF");
    EXPECT_EQ(Color::Teal.hex(), "00FF7FFF");
    EXPECT_EQ(Color::Purple.hex(), "7F00FFFF");
    EXPECT_EQ(Color::Pink.hex(), "FF007FFF");
    EXPECT_EQ(Color::Neon.hex(), "7FFF00FF");
    EXPECT_EQ(Color::White.hex(), "FFFFFFFF");
    EXPECT_EQ(Color::Black.hex(), "000000FF");
    EXPECT_EQ(Color::Clear.a, 0);
}

TEST(Color, TheFourteenPlayerColoursAreFarApart) {
    // The catalogue's order: named colours and two of its own.
    const Color players[14] = {Color::Red,     Color::Green, Color::Blue, Color("E4EA00FF"),
                               Color::Magenta, Color::Cyan,  Color::Aqua, Color::Teal,
                               Color::Purple,  Color::Pink,  Color::Neon, Color("FF5F00FF"),
                               Color::White,   Color::Black};
    for (int i = 0; i < 14; ++i) {
        for (int j = i + 1; j < 14; ++j) {
            EXPECT_GE(distance(players[i], players[j]), 90.0) << players[i].hex() << " " << players[j].hex();
        }
    }
    // Among the named ones the nearest neighbours on the wheel are half a channel apart.
    const Color named[] = {Color::Red,  Color::Green, Color::Blue,  Color::Magenta,
                           Color::Cyan, Color::Aqua,  Color::Teal,  Color::Purple,
                           Color::Pink, Color::Neon,  Color::White, Color::Black};
    for (const Color& a : named) {
        for (const Color& b : named) {
            if (&a != &b) {
                EXPECT_GE(distance(a, b), 127.0) << a.hex() << " " << b.hex();
            }
        }
    }
}

// The contrast ratios of the house palette, as the style guide lists them.
TEST(ColorTest, ContrastFollowsWcag) {
    EXPECT_NEAR(host::Color::contrast(host::Color::White, host::Color::Black), 21.0f, 0.01f);
    EXPECT_NEAR(host::Color::contrast(host::Color("FFFFFF"), host::Color("2A5BD7")), 5.87f, 0.01f);
    EXPECT_NEAR(host::Color::contrast(host::Color("1B1530"), host::Color("FFF4DC")), 16.07f, 0.01f);
    EXPECT_FLOAT_EQ(host::Color::contrast(host::Color("C8283A"), host::Color("C8283A")), 1.0f);
    EXPECT_NEAR(host::Color("FFFFFF").luminance(), 1.0f, 1e-6f);
}
