#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "gui/Dataset.h"
#include "kit/Types.h"

namespace guitest {

// A headless window of 1280 x 720 with the fonts, the library and the global data sets "gui" and
// "game" started for each test, and the localization reset to English.
class GuiFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads a screen from the test files (data/gui/tests/<file>) or any resource name.
    std::unique_ptr<gui::Dataset> loadScreen(const kit::String& file);
    // Draws the screen on a cleared frame and reads the pixel at a GUI position (window pixels are
    // GUI units here).
    void drawFrame(gui::Dataset& screen);
    struct Pixel {
        int r, g, b;
    };
    Pixel pixelAt(int x, int y);

    std::unique_ptr<gui::Dataset> guiSet;
    std::unique_ptr<gui::Dataset> gameSet;
    kit::Array<unsigned char> pixels;
    int frameWidth = 0;
    int frameHeight = 0;
};

// The resource name of a test file.
kit::String testFile(const kit::String& name);

}  // namespace guitest
