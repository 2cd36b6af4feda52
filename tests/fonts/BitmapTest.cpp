#include <gtest/gtest.h>

#include "fonts/Bitmap.h"

namespace {

fonts::Mask square(int size, uint8_t coverage) {
    fonts::Mask mask(size, size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            mask.set(x, y, coverage);
        }
    }
    return mask;
}

}  // namespace

TEST(BitmapTest, PaintsSourceOverDestination) {
    fonts::Bitmap bitmap(4, 4);
    EXPECT_EQ(bitmap.at(0, 0), host::Color::Clear);
    bitmap.paint(square(2, 255), 0, 0, host::Color::Black);
    bitmap.paint(square(2, 255), 1, 1, host::Color(255, 0, 0, 128));
    EXPECT_EQ(bitmap.at(0, 0), host::Color::Black);
    // Half red over opaque black stays opaque; over nothing it keeps its own colour and alpha.
    host::Color mixed = bitmap.at(1, 1);
    EXPECT_EQ(mixed.a, 255);
    EXPECT_NEAR(mixed.r, 128, 1);
    EXPECT_EQ(mixed.g, 0);
    EXPECT_EQ(bitmap.at(2, 2), host::Color(255, 0, 0, 128));
    // Partial coverage scales the alpha.
    fonts::Bitmap soft(1, 1);
    soft.paint(square(1, 51), 0, 0, host::Color::White);
    EXPECT_EQ(soft.at(0, 0), host::Color(255, 255, 255, 51));
}

TEST(BitmapTest, MasksReachingOutsideAreCut) {
    fonts::Bitmap bitmap(3, 3);
    bitmap.paint(square(4, 255), -2, -2, host::Color::Green);
    bitmap.paint(square(4, 255), 2, 2, host::Color::Blue);
    EXPECT_EQ(bitmap.at(0, 0), host::Color::Green);
    EXPECT_EQ(bitmap.at(1, 1), host::Color::Green);
    EXPECT_EQ(bitmap.at(2, 2), host::Color::Blue);
    EXPECT_EQ(bitmap.at(2, 0), host::Color::Clear);
    bitmap.paint(square(2, 255), 10, -10, host::Color::Red);
    EXPECT_EQ(bitmap.at(2, 0), host::Color::Clear);
}

TEST(BitmapTest, EdgesTakeTheTextsColourWhileStayingTransparent) {
    fonts::Bitmap bitmap(5, 5);
    bitmap.paint(square(1, 255), 2, 2, host::Color::Yellow);
    bitmap.bleedEdges();
    EXPECT_EQ(bitmap.at(1, 1), host::Color(host::Color::Yellow, 0));
    EXPECT_EQ(bitmap.at(3, 2), host::Color(host::Color::Yellow, 0));
    EXPECT_EQ(bitmap.at(2, 2), host::Color::Yellow);
    // Two pixels away nothing changes.
    EXPECT_EQ(bitmap.at(0, 0), host::Color::Clear);
}
