#include <gtest/gtest.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <host/TestDriver.h>
#include <ventrel/Ventrel.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/SceneManager.h>

#include "GameSession.h"

namespace {

struct Frame {
    kit::Array<unsigned char> rgba;
    int width = 0;
    int height = 0;
    // Whether the pixel is the screen's (not the clear colour of the bars, which is black).
    bool isScreen(int x, int y) const {
        size_t at = (static_cast<size_t>(y) * width + x) * 4;
        return rgba[at] + rgba[at + 1] + rgba[at + 2] > 30;
    }
};

}  // namespace

// The first screen fills every window between 4:3 and 16:9; beyond, bars frame a 16:9 screen. An
// object anchored to the right edge follows the window's right edge.
TEST(WindowSizeTest, TheFirstScreenFillsEveryWindowUpTo16By9) {
    e2etest::GameSession game;
    ASSERT_TRUE(game.waitForScene());
    host::TestDriver& driver = game.getDriver();
    host::window->setFullscreen(false);
    struct Size {
        int width, height;
        float viewportWidth;
        int barWidth;
    };
    for (Size size : {Size{1024, 768, 1024, 0}, Size{1366, 768, 1365, 0}, Size{1920, 1080, 1365, 0},
                      Size{2560, 1080, 1365, 320}}) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        host::window->setSize(size.width, size.height);
        driver.step(2);
        EXPECT_EQ(gui::getViewport().w, size.viewportWidth);
        gui::Object* root = ventrel::sceneManager->getScene()->getRoot();
        ASSERT_NE(root, nullptr);
        EXPECT_EQ(root->getRect().w, size.viewportWidth) << "the root is as wide as the viewport";
        gui::Object* version = ventrel::sceneManager->getScene()->getObject("label_version");
        ASSERT_NE(version, nullptr);
        EXPECT_NEAR(version->getBoundingRect().right(), size.viewportWidth - 32, 1.5f);

        Frame frame;
        ASSERT_TRUE(host::rendersys->readPixels(frame.rgba, frame.width, frame.height));
        ASSERT_EQ(frame.width, size.width);
        int middle = size.height / 2;
        EXPECT_TRUE(frame.isScreen(size.barWidth + 2, 2)) << "the screen reaches its top left corner";
        EXPECT_TRUE(frame.isScreen(size.width - size.barWidth - 3, size.height - 3));
        if (size.barWidth > 0) {
            EXPECT_FALSE(frame.isScreen(size.barWidth / 2, middle)) << "a bar on the left";
            EXPECT_FALSE(frame.isScreen(size.width - size.barWidth / 2, middle)) << "a bar on the right";
        }
    }
}
