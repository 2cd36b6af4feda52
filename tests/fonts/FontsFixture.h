#pragma once

#include <gtest/gtest.h>

#include "fonts/Fonts.h"
#include "kit/Types.h"

// The layer started with the fonts of the game's font table at f = 1 (one GUI unit per pixel):
// "default" (Dosis), "special" (TeX Gyre Adventor), "ru" (PT Sans), "zh" (WenQuanYi), "bac" (DSEG),
// "ko" (Un Dotum) and "title".
class FontsFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static kit::String fontFile(const kit::String& file) { return "data/gui/fonts/" + file; }
    // Registers a font of the data root's font folder (with allowDefault).
    fonts::Font* addFont(const kit::String& file, const kit::String& name, float height, float scale,
                         float lineHeight, float descender);

    fonts::Renderer* renderer = nullptr;
};

// Also opens a headless window (offscreen video, software renderer) to make textures and read pixels.
class RenderFixture : public FontsFixture {
protected:
    static constexpr int WindowWidth = 640;
    static constexpr int WindowHeight = 360;
    static const host::Color Background;

    void SetUp() override;
    void TearDown() override;

    // Clears the frame, draws the label's texture where the label at (x, y) puts it and reads the frame
    // back.
    void drawLabel(const fonts::RenderedText& text, float x, float y);
    host::Color pixel(int x, int y) const;
    // Pixels inside the rectangle (window pixels) whose colour is not the background's / is close to
    // the colour.
    int countChanged(int x0, int y0, int x1, int y1) const;
    int countNear(const host::Color& color, int x0, int y0, int x1, int y1) const;
    // Saves the frame drawn last to the temporary folder and returns the path.
    kit::String saveFrame(const kit::String& name) const;

    kit::Array<unsigned char> frame;
    int frameWidth = 0;
    int frameHeight = 0;
};
