#include <gtest/gtest.h>
#include <kit/ResourceDir.h>
#include <ventrel/Ventrel.h>

#include "System/Core.h"
#include "System/GameInit.h"
#include "TempFolder.h"

using namespace System;

namespace {

host::SystemInfo display(float width, float height, int dpi, const kit::String& locale = "en",
                         const kit::String& variant = "") {
    host::SystemInfo info;
    info.displayResolution = quadrix::Vector2(width, height);
    info.displayDpi = dpi;
    info.locale = locale;
    info.localeVariant = variant;
    return info;
}

}  // namespace

TEST(ViewportTest, AspectRatioIsKeptBetweenTheLayoutsLimits) {
    EXPECT_EQ(Core::computeViewport(1.0f, 768, false).w, 1023.0f) << "raised to just under 4:3";
    EXPECT_EQ(Core::computeViewport(2.0f, 768, false).w, 1365.0f) << "cut to 16:9";
    EXPECT_EQ(Core::computeViewport(1.333f, 640, true).w, 960.0f) << "mobile is at least 3:2";
    EXPECT_EQ(Core::computeViewport(1.6f, 768, false).w, 1228.0f);
    quadrix::Rectangle viewport = Core::computeViewport(1.6f, 640, true);
    EXPECT_EQ(viewport.x, 0.0f);
    EXPECT_EQ(viewport.y, 0.0f);
    EXPECT_EQ(viewport.h, 640.0f);
}

TEST(LayoutTest, ConfiguredOrByTheDisplaysDiagonal) {
    EXPECT_FALSE(chooseLayout("", display(1920, 1080, 96)).mobile) << "about 22.9 inches";
    EXPECT_EQ(chooseLayout("", display(1920, 1080, 96)).baseHeight, 768);
    Layout phone = chooseLayout("", display(1080, 1920, 440));
    EXPECT_TRUE(phone.mobile) << "about 5 inches";
    EXPECT_EQ(phone.baseHeight, 640);
    EXPECT_TRUE(chooseLayout("mobile", display(1920, 1080, 96)).mobile);
    EXPECT_FALSE(chooseLayout("normal", display(1080, 1920, 440)).mobile);
    EXPECT_FALSE(chooseLayout("", display(1920, 1080, 0)).mobile) << "a display without dpi is no phone";
}

TEST(WindowSizeTest, FullscreenResolutionOrTwoThirds) {
    host::SystemInfo info = display(1920, 1080, 96);
    WindowSize full = chooseWindowSize("1", "800 600", info);
    EXPECT_TRUE(full.fullscreen);
    EXPECT_EQ(full.width, 1920);
    WindowSize chosen = chooseWindowSize("0", "1280 720", info);
    EXPECT_FALSE(chosen.fullscreen);
    EXPECT_EQ(chosen.width, 1280);
    EXPECT_EQ(chosen.height, 720);
    EXPECT_EQ(chooseWindowSize("", "1024,768", info).width, 1024);
    for (const char* bad : {"", "1280", "1280 720 3", "wide tall", "-5 10", "1280.5 720"}) {
        WindowSize fallback = chooseWindowSize("", bad, info);
        EXPECT_EQ(fallback.width, 1280) << bad;
        EXPECT_EQ(fallback.height, 720) << bad;
        EXPECT_FALSE(fallback.fullscreen);
    }
}

TEST(LocalizationTest, ConfiguredThenProfileThenSystem) {
    EXPECT_EQ(chooseLocalization("de", "fr", display(1, 1, 96, "cs")), "de");
    EXPECT_EQ(chooseLocalization("", "fr", display(1, 1, 96, "cs")), "fr");
    EXPECT_EQ(chooseLocalization("", "", display(1, 1, 96, "cs")), "cs");
    EXPECT_EQ(chooseLocalization("", "", display(1, 1, 96, "zh", "TW")), "zh-HANT");
    EXPECT_EQ(chooseLocalization("", "", display(1, 1, 96, "zh", "HANT")), "zh-HANT");
    EXPECT_EQ(chooseLocalization("", "", display(1, 1, 96, "zh", "CN")), "zh");
    EXPECT_EQ(chooseLocalization("", "zh-HANT", display(1, 1, 96, "en", "TW")), "zh-HANT");
}

TEST(ConfigurationTest, DefaultsWithoutAFile) {
    e2etest::TempFolder empty;
    kit::ResourceDir::setRoot(empty.getPath());
    ventrel::cfg.reset();
    loadConfiguration();
    kit::ResourceDir::setRoot("");
    ASSERT_NE(ventrel::cfg, nullptr);
    ventrel::CfgParser::Category* system = ventrel::cfg->getCategory("System");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->getArray("SupportedLocalizations"),
              (kit::Array<kit::String>{"en", "cs", "de", "es", "fr", "pt", "ru", "zh-HANT"}));
    EXPECT_EQ(system->get("DefaultLocalization"), "en");
    EXPECT_EQ(system->get("LocalizationSwitcher"), "1");
    ventrel::cfg.reset();
}

TEST(ConfigurationTest, TheShippedFileCarriesTheSystemKeys) {
    ventrel::cfg.reset();
    loadConfiguration();
    ASSERT_NE(ventrel::cfg, nullptr);
    ventrel::CfgParser::Category* system = ventrel::cfg->getCategory("System");
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->getArray("SupportedLocalizations").size(), 8u);
    EXPECT_EQ(system->get("GUI"), "normal");
    EXPECT_EQ(system->get("DefaultLocalization"), "en");
    ventrel::cfg.reset();
}
