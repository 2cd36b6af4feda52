#include "Fixture.h"

#include "fonts/Fonts.h"
#include "gui/Gui.h"
#include "host/Host.h"

namespace guitest {

kit::String testFile(const kit::String& name) {
    return "data/gui/tests/" + name;
}

void GuiFixture::SetUp() {
    ASSERT_TRUE(host::init());
    ASSERT_TRUE(host::createRenderSystem());
    ASSERT_TRUE(host::createWindow(1280, 720, false, "gui test"));
    ASSERT_TRUE(fonts::init());
    const struct {
        const char* file;
        const char* name;
    } fonts[] = {{"NulaDosis-Regular.ttf", "default"},
                 {"ptsans.ttf", "ptsans"},
                 {"simhei.ttf", "simhei"},
                 {"texgyreadventor-bold.otf", "adventor"},
                 {"texgyreadventor-bold.otf", "special"}};
    for (const auto& font : fonts) {
        fonts::renderer->registerFont(new fonts::FontTtf(kit::String("data/gui/fonts/") + font.file,
                                                         font.name, 32.0f, 1.0f, 40.0f, 8.0f, true),
                                      true);
    }
    ASSERT_TRUE(gui::init());
    gui::setViewport(quadrix::Rectangle(0, 0, 1280, 720));
    gui::updateViewportPosition(gui::getViewport(), true);
    gui::setDefaultLocalization("en");
    gui::setLocalization("en");
    guiSet = std::make_unique<gui::Dataset>("data/gui/gui.dts", "gui");
    ASSERT_TRUE(guiSet->load()) << guiSet->getError();
    gameSet = std::make_unique<gui::Dataset>("data/gui/game.dts", "game");
    ASSERT_TRUE(gameSet->load()) << gameSet->getError();
}

void GuiFixture::TearDown() {
    gameSet.reset();
    guiSet.reset();
    gui::setHoverEffectEnabled(true);
    gui::setDebugEnabled(false);
    gui::destroy();
    fonts::destroy();
    host::destroy();
}

std::unique_ptr<gui::Dataset> GuiFixture::loadScreen(const kit::String& file) {
    kit::String path = file.find('/') == kit::String::npos ? testFile(file) : file;
    auto screen = std::make_unique<gui::Dataset>(path, file, true);
    EXPECT_TRUE(screen->load()) << screen->getError();
    return screen;
}

void GuiFixture::drawFrame(gui::Dataset& screen) {
    host::rendersys->clear(host::Color::Black);
    gui::updateViewportPosition(gui::getViewport(), true);
    screen.draw();
    ASSERT_TRUE(host::rendersys->readPixels(pixels, frameWidth, frameHeight));
}

GuiFixture::Pixel GuiFixture::pixelAt(int x, int y) {
    size_t offset = (static_cast<size_t>(y) * frameWidth + x) * 4;
    return {pixels[offset], pixels[offset + 1], pixels[offset + 2]};
}

}  // namespace guitest
