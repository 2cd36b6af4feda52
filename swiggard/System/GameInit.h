#pragma once

#include <host/SystemInfo.h>
#include <kit/Types.h>
#include <quadrix/Vector2.h>

// The program's start and stop, handed to host::runMain, and the choices start-up makes.
namespace System {

void gameInit(const kit::Array<kit::String>& args);
void gameDestroy();

// Fonts for the current localization, scaled for the layout and the window.
void loadFonts();
// The content catalogue made again (after a change of language), with its second block of cards.
void reloadCatalogue();
// Chinese, Japanese or Korean texts.
bool isAsianLocalization();
// A display at most 320 pixels high.
bool isLowResolutionDisplay();

// The GUI layout: "normal" or "mobile", else by the display's diagonal (below 6.5 inches: mobile).
struct Layout {
    bool mobile = false;
    int baseHeight = 768;
};
Layout chooseLayout(const kit::String& gui, const host::SystemInfo& info);

// The window: full screen at the display's resolution, else "Resolution" ("1280 720") when it holds
// two whole numbers, else two thirds of the display.
struct WindowSize {
    int width = 0;
    int height = 0;
    bool fullscreen = false;
};
WindowSize chooseWindowSize(const kit::String& fullscreen, const kit::String& resolution,
                            const host::SystemInfo& info);

// The configured language, else the profile's, else the system's; Chinese in Taiwan and with
// traditional script is "zh-HANT".
kit::String chooseLocalization(const kit::String& configured, const kit::String& profileLanguage,
                               const host::SystemInfo& info);

// Reads the configuration, or makes the defaults when there is no configuration file.
void loadConfiguration();

}  // namespace System
