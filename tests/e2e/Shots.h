#pragma once

// Pictures of the screens for the people who look at them: with SWIGGARD_SHOTS set to a folder,
// the shot tests save their screens there as PNG at the window size of SWIGGARD_SHOTS_SIZE
// ("1366x768" by default), in the language of LANG. Without it they have nothing to do.
#include <gtest/gtest.h>
#include <host/RenderSystem.h>
#include <host/Window.h>
#include <kit/Env.h>
#include <kit/Strings.h>

#include <chrono>
#include <thread>

#include "GameSession.h"

namespace e2etest {

class Shots : public ::testing::Test {
protected:
    GameSession session;
    kit::String folder = kit::getEnv("SWIGGARD_SHOTS");

    void SetUp() override {
        if (folder.empty()) {
            GTEST_SKIP() << "SWIGGARD_SHOTS names no folder";
        }
        kit::Array<kit::String> size =
            kit::split(kit::getEnv("SWIGGARD_SHOTS_SIZE").empty() ? kit::String("1366x768")
                                                                  : kit::getEnv("SWIGGARD_SHOTS_SIZE"),
                       "x");
        ASSERT_EQ(size.size(), 2u);
        ASSERT_TRUE(session.waitForScene());
        session.useWindow(kit::toInt(size[0]), kit::toInt(size[1]));
    }

    // Pictures load in the background and are taken on one a frame: the first frames of a screen may
    // still lack some.
    void shot(const kit::String& name) {
        session.getDriver().step(45);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        session.getDriver().step(200);
        host::rendersys->requestScreenshot(folder + "/" + name + ".png");
        session.getDriver().step(2);
    }

    // Eight pictures, `frames` apart, of what moves right now.
    void strip(const kit::String& name, int frames) {
        for (int i = 0; i < 8; ++i) {
            host::rendersys->requestScreenshot(folder + "/" + name + "_" + kit::toString(i) + ".png");
            session.getDriver().step(frames);
        }
    }
};

}  // namespace e2etest
