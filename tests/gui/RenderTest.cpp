#include <chrono>
#include <cmath>
#include <thread>

#include "Fixture.h"
#include "fonts/Markup.h"
#include "gui/BaseImage.h"
#include "gui/EditBox.h"
#include "gui/Gui.h"
#include "gui/Label.h"
#include "gui/Texture.h"
#include "host/Host.h"
#include "kit/Strings.h"

namespace guitest {
namespace {

const char* const SamplePath = "data/gui/definitions/normal/sample/sample.gui";

class RenderTest : public GuiFixture {
protected:
    // How many pixels of a rectangle differ from a colour.
    int countDifferent(const quadrix::Rectangle& area, const Pixel& colour) {
        int count = 0;
        for (int y = static_cast<int>(area.y); y < static_cast<int>(area.bottom()); ++y) {
            for (int x = static_cast<int>(area.x); x < static_cast<int>(area.right()); ++x) {
                Pixel p = pixelAt(x, y);
                count += std::abs(p.r - colour.r) + std::abs(p.g - colour.g) + std::abs(p.b - colour.b) > 30
                             ? 1
                             : 0;
            }
        }
        return count;
    }
};

TEST_F(RenderTest, SampleScreenRendersHeadless) {
    auto screen = loadScreen(SamplePath);
    ASSERT_NE(screen->getRoot(), nullptr);
    screen->update(1.0f / 60.0f);
    drawFrame(*screen);
    // Kept beside the test for people to look at.
    EXPECT_TRUE(host::rendersys->saveScreenshot("gui_sample.png"));

    Pixel background = pixelAt(5, 5);
    EXPECT_EQ(background.r, 0x20);
    EXPECT_EQ(background.g, 0x24);
    EXPECT_EQ(background.b, 0x2B);

    Pixel red = pixelAt(140, 100);
    EXPECT_EQ(red.r, 0xE0);
    EXPECT_EQ(red.g, 0x30);
    EXPECT_EQ(red.b, 0x30);

    // The picture turned by 30 degrees about (380, 120): its top-left corner moved to about (271, 91).
    gui::Object* rotated = screen->getObject("image_rotated");
    quadrix::Vector2 corner = rotated->toGlobal(quadrix::Vector2(0, 0));
    EXPECT_NEAR(corner.x, 380.0f - 80.0f * (std::cos(0.5236f) + std::sin(0.5236f)), 0.01f);
    EXPECT_NEAR(corner.y, 120.0f - 80.0f * (std::cos(0.5236f) - std::sin(0.5236f)), 0.01f);
    // The board, turned by -15 degrees and scaled by 0.8 about its centre, is filled up to its turned
    // corner, while the place of its unturned corner shows the background.
    quadrix::Vector2 boardCorner = screen->getObject("board")->toGlobal(quadrix::Vector2(4, 4));
    Pixel green =
        pixelAt(static_cast<int>(std::round(boardCorner.x)), static_cast<int>(std::round(boardCorner.y)));
    EXPECT_EQ(green.r, 0x2E);
    EXPECT_EQ(green.g, 0x6B);
    EXPECT_EQ(green.b, 0x3A);
    EXPECT_EQ(countDifferent(quadrix::Rectangle(520, 40, 8, 8), background), 0);

    // Text shows in all three scripts.
    for (const char* name :
         {"label_title", "label_latin", "label_cyrillic", "label_chinese", "label_composite"}) {
        EXPECT_GT(countDifferent(screen->getObject(name)->getRect(), background), 50) << name;
    }
}

TEST_F(RenderTest, HiddenAndFadedObjectsDrawNothing) {
    auto screen = loadScreen(SamplePath);
    screen->getObject("rect_red")->setVisible(false);
    screen->getObject("label_title")->setAlpha(0);
    screen->getObject("board")->setAlpha(0);
    drawFrame(*screen);
    Pixel background = pixelAt(5, 5);
    EXPECT_EQ(countDifferent(quadrix::Rectangle(40, 40, 200, 120), background), 0);
    EXPECT_EQ(countDifferent(screen->getObject("label_title")->getRect(), background), 0);
    EXPECT_EQ(countDifferent(quadrix::Rectangle(560, 80, 160, 160), background), 0) << "children fade too";
}

TEST_F(RenderTest, ScrollAreasClipTheirContent) {
    auto screen = loadScreen(SamplePath);
    gui::Object* area = screen->getObject("scroll_area");
    area->setBackground(host::Color::Clear);
    drawFrame(*screen);
    Pixel background = pixelAt(5, 5);
    quadrix::Rectangle below(area->getX(), area->getRect().bottom() + 2, area->getWidth(), 100);
    EXPECT_EQ(countDifferent(below, background), 0) << "rows past the area's bottom are cut";
    EXPECT_GT(countDifferent(area->getRect(), background), 1000);
}

TEST_F(RenderTest, DebugDrawingOutlinesObjects) {
    auto screen = loadScreen(SamplePath);
    gui::setDebugEnabled(true);
    drawFrame(*screen);
    Pixel edge = pixelAt(40, 100);
    EXPECT_GT(edge.r, 200);
    EXPECT_GT(edge.b, 100) << "a magenta frame over the red rectangle's left edge";
}

}  // namespace
}  // namespace guitest

namespace guitest {
namespace {

TEST_F(RenderTest, IdleTexturesAreUnloadedAndComeBackWhenDrawn) {
    auto screen = loadScreen(SamplePath);
    gui::Texture* dice = guiSet->getTexture("gui.dice/5");
    EXPECT_FALSE(dice->isLoaded()) << "pictures load when first drawn";
    drawFrame(*screen);
    EXPECT_TRUE(dice->isLoaded());
    gui::setTextureIdleUnloadTime(0.0f);
    gui::unloadUnusedResources();
    EXPECT_TRUE(dice->isLoaded()) << "idle time 0 keeps everything";
    gui::setTextureIdleUnloadTime(0.05f);
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    screen->getObject("image_rotated")->setVisible(false);
    drawFrame(*screen);
    gui::unloadUnusedResources();
    EXPECT_TRUE(dice->isLoaded()) << "drawn just now";
    EXPECT_FALSE(gameSet->getTexture("game.fields/drink")->isLoaded())
        << "not drawn for longer than the idle time";
    gui::setTextureIdleUnloadTime(0.0f);
    guiSet->unloadTextures();
    EXPECT_FALSE(dice->isLoaded());
    drawFrame(*screen);
    EXPECT_TRUE(dice->isLoaded());

    gui::setDefaultTextureLoadMode(1);
    EXPECT_TRUE(guiSet->getTexture(guiSet->getImage("gui.dice/1")->getName())->isLoaded())
        << "loaded on look-up";
    gui::setDefaultTextureLoadMode(0);
}

TEST_F(RenderTest, TheCursorImageIsDrawnAtTheCursor) {
    auto screen = loadScreen(SamplePath);
    gui::setCursorImage("gui.dice/6");
    gui::setCursorPosition(quadrix::Vector2(700, 650));
    drawFrame(*screen);
    Pixel before = pixelAt(700 + 128, 650 + 20);
    gui::drawCursor();
    ASSERT_TRUE(host::rendersys->readPixels(pixels, frameWidth, frameHeight));
    Pixel after = pixelAt(700 + 128, 650 + 20);
    EXPECT_NE(before.r + before.g + before.b, after.r + after.g + after.b);
    EXPECT_EQ(gui::getCursorImage(), "gui.dice/6");
    gui::setCursorImage("");
}

}  // namespace
}  // namespace guitest

namespace guitest {

// A colour tag typed as a name is drawn as its characters in the label's own white, never in red.
TEST_F(RenderTest, ATypedColourTagIsDrawnAsTextNotColour) {
    // Pixels of a rectangle in which red clearly outweighs the other channels.
    auto countReddish = [this](const quadrix::Rectangle& area) {
        int count = 0;
        for (int y = static_cast<int>(area.y); y < static_cast<int>(area.bottom()); ++y) {
            for (int x = static_cast<int>(area.x); x < static_cast<int>(area.right()); ++x) {
                Pixel p = pixelAt(x, y);
                count += p.r > 150 && p.g < 90 && p.b < 90 ? 1 : 0;
            }
        }
        return count;
    };
    auto screen = loadScreen(SamplePath);
    screen->getObject("rect_red")->setVisible(false);
    auto* label = dynamic_cast<gui::Label*>(screen->getObject("label_title"));
    ASSERT_NE(label, nullptr);
    label->setTextColor(host::Color::White);
    label->setMarkup(true);
    const kit::String name = "[c=FF0000]ADMIN[/c]";

    label->setTextKey("{%s} {" + kit::escapeText(name) + "}");
    EXPECT_EQ(fonts::Markup::plainText(label->getText()), name);
    drawFrame(*screen);
    EXPECT_GT(countDifferent(label->getRect(), pixelAt(5, 5)), 100) << "the name is drawn";
    EXPECT_EQ(countReddish(label->getRect()), 0);

    // The same text unescaped is mark-up, and the check sees its colour.
    label->setTextKey("{%s} {" + name + "}");
    drawFrame(*screen);
    EXPECT_GT(countReddish(label->getRect()), 20);

    // Typed into an edit box, even one whose data set turned mark-up on.
    label->setVisible(false);
    auto* edit = dynamic_cast<gui::EditBox*>(screen->getObject("edit_name"));
    ASSERT_NE(edit, nullptr);
    edit->setMarkup(true);
    edit->setTextColor(host::Color::White);
    edit->setBackground(host::Color::Clear);
    edit->setText(name);
    drawFrame(*screen);
    EXPECT_GT(countDifferent(edit->getRect(), pixelAt(5, 5)), 100) << "the typed text is drawn";
    EXPECT_EQ(countReddish(edit->getRect()), 0);
}

}  // namespace guitest
