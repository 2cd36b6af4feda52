#include "FontsFixture.h"

#include <cstdlib>
#include <filesystem>

#include "host/Host.h"

const host::Color RenderFixture::Background{20, 30, 90};

void FontsFixture::SetUp() {
    ASSERT_TRUE(fonts::init());
    renderer = fonts::renderer;
    ASSERT_NE(renderer, nullptr);
    addFont("NulaDosis-Regular.ttf", "default", 40, 1, 40, 4);
    addFont("texgyreadventor-bold.otf", "special", 100, 1, 55, 13);
    addFont("ptsans.ttf", "ru", 38, 1, 30, 5);
    addFont("simhei.ttf", "zh", 30, 1, 33, 5);
    addFont("uni0553-webfont.ttf", "bac", 64, 1, 64, 0);
    addFont("UnDotum.ttf", "ko", 30, 1, 28, 6);
    addFont("AvantGuardBold_SWG.ttf", "title", 36, 1, 36, 18);
    addFont("emoji.ttf", "emoji", 36, 1, 40, 5);
    ASSERT_TRUE(renderer->getDefaultFont()->isUsable()) << "run the swiggard_fonts target";
}

void FontsFixture::TearDown() {
    fonts::destroy();
}

fonts::Font* FontsFixture::addFont(const kit::String& file, const kit::String& name, float height,
                                   float scale, float lineHeight, float descender) {
    auto* font = new fonts::FontTtf(fontFile(file), name, height, scale, lineHeight, descender, true);
    renderer->registerFont(font, true);
    return font;
}

void RenderFixture::SetUp() {
    ASSERT_TRUE(host::init());
    ASSERT_TRUE(host::createRenderSystem());
    ASSERT_TRUE(host::createWindow(WindowWidth, WindowHeight, false, "fonts"));
    FontsFixture::SetUp();
}

void RenderFixture::TearDown() {
    FontsFixture::TearDown();
    host::destroy();
}

void RenderFixture::drawLabel(const fonts::RenderedText& text, float x, float y) {
    host::rendersys->clear(Background);
    const quadrix::Rectangle& a = text.area;
    host::RenderSystem::Quad corners{
        quadrix::Vector2(x + a.x, y + a.y), quadrix::Vector2(x + a.right(), y + a.y),
        quadrix::Vector2(x + a.right(), y + a.bottom()), quadrix::Vector2(x + a.x, y + a.bottom())};
    host::RenderSystem::Quad uvs{quadrix::Vector2(0, 0), quadrix::Vector2(1, 0), quadrix::Vector2(1, 1),
                                 quadrix::Vector2(0, 1)};
    host::rendersys->drawQuad(text.texture, corners, uvs, host::Color::White);
    ASSERT_TRUE(host::rendersys->readPixels(frame, frameWidth, frameHeight));
}

host::Color RenderFixture::pixel(int x, int y) const {
    const unsigned char* p = &frame[(static_cast<size_t>(y) * frameWidth + x) * 4];
    return {p[0], p[1], p[2], p[3]};
}

int RenderFixture::countChanged(int x0, int y0, int x1, int y1) const {
    int count = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, frameHeight); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, frameWidth); ++x) {
            count += pixel(x, y) != Background ? 1 : 0;
        }
    }
    return count;
}

int RenderFixture::countNear(const host::Color& color, int x0, int y0, int x1, int y1) const {
    int count = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, frameHeight); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, frameWidth); ++x) {
            host::Color c = pixel(x, y);
            count += std::abs(c.r - color.r) + std::abs(c.g - color.g) + std::abs(c.b - color.b) < 40 ? 1 : 0;
        }
    }
    return count;
}

kit::String RenderFixture::saveFrame(const kit::String& name) const {
    kit::String path = (std::filesystem::temp_directory_path() / ("fonts_tests_" + name + ".png")).string();
    host::rendersys->saveScreenshot(path);
    return path;
}
