#include <gtest/gtest.h>

#include "Internal.h"

using host::Button;
using host::Key;

TEST(KeyMapping, SystemKeyNumbers) {
    const std::pair<SDL_Keycode, unsigned int> expected[] = {
        {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27}, {SDLK_SPACE, 32},    {SDLK_LEFT, 37},
        {SDLK_UP, 38},     {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},   {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},
        {SDLK_DELETE, 46}, {SDLK_HOME, 36},     {SDLK_END, 35},    {SDLK_PAGEUP, 33},   {SDLK_PAGEDOWN, 34},
        {SDLK_INSERT, 45}, {SDLK_LSHIFT, 16},   {SDLK_RSHIFT, 16}, {SDLK_LCTRL, 17},    {SDLK_RALT, 18},
        {SDLK_a, 65},      {SDLK_m, 77},        {SDLK_z, 90},      {SDLK_0, 48},        {SDLK_5, 53},
        {SDLK_9, 57},      {SDLK_KP_0, 96},     {SDLK_KP_9, 105},  {SDLK_F1, 112},      {SDLK_F2, 113},
        {SDLK_F6, 117},    {SDLK_F7, 118},      {SDLK_F8, 119},    {SDLK_F12, 123},     {SDLK_MINUS, 189},
    };
    for (const auto& [sdl, number] : expected) {
        EXPECT_EQ(static_cast<unsigned int>(host::keyFromSdl(sdl)), number) << SDL_GetKeyName(sdl);
    }
    EXPECT_EQ(host::Key::Enter, host::Key::Return);
    EXPECT_EQ(host::keyFromSdl(SDLK_VOLUMEUP), Key::None);
}

TEST(KeyMapping, EveryKeyMapsBackToItself) {
    for (unsigned int value = 1; value < 256; ++value) {
        Key key = static_cast<Key>(value);
        SDL_Keycode sdl = host::sdlKeyFromKey(key);
        if (sdl != SDLK_UNKNOWN) {
            EXPECT_EQ(host::keyFromSdl(sdl), key) << value;
        }
    }
    EXPECT_EQ(host::sdlKeyFromKey(Key::Return), SDLK_RETURN);
    EXPECT_EQ(host::sdlKeyFromKey(Key::A), SDLK_a);
    EXPECT_EQ(host::sdlKeyFromKey(Key::F12), SDLK_F12);
}

TEST(KeyMapping, MouseButtonsAreKeys) {
    EXPECT_EQ(host::keyFromSdlMouseButton(SDL_BUTTON_LEFT), Key::MouseLeft);
    EXPECT_EQ(host::keyFromSdlMouseButton(SDL_BUTTON_RIGHT), Key::MouseRight);
    EXPECT_EQ(host::keyFromSdlMouseButton(SDL_BUTTON_MIDDLE), Key::MouseMiddle);
    EXPECT_EQ(static_cast<unsigned int>(Key::MouseLeft), 1u);
    EXPECT_EQ(static_cast<unsigned int>(Key::MouseRight), 2u);
    EXPECT_EQ(static_cast<unsigned int>(Key::MouseMiddle), 4u);
    EXPECT_EQ(host::sdlMouseButtonFromKey(Key::MouseRight), SDL_BUTTON_RIGHT);
    EXPECT_EQ(host::sdlMouseButtonFromKey(Key::A), -1);
}

TEST(ButtonMapping, ControllerButtonNumbers) {
    const std::pair<int, unsigned int> expected[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 34},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 36},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, 38},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 32},
        {SDL_CONTROLLER_BUTTON_START, 1},
        {SDL_CONTROLLER_BUTTON_BACK, 2},
        {SDL_CONTROLLER_BUTTON_GUIDE, 3},
        {SDL_CONTROLLER_BUTTON_A, 4},
        {SDL_CONTROLLER_BUTTON_B, 5},
        {SDL_CONTROLLER_BUTTON_X, 6},
        {SDL_CONTROLLER_BUTTON_Y, 7},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 8},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 9},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, 12},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 13},
    };
    for (const auto& [sdl, number] : expected) {
        EXPECT_EQ(static_cast<unsigned int>(host::buttonFromSdl(sdl)), number) << sdl;
        EXPECT_EQ(host::sdlButtonFromButton(static_cast<Button>(number)), sdl) << number;
    }
    EXPECT_EQ(Button::Confirm, Button::A);
    EXPECT_EQ(Button::Cancel, Button::B);
    EXPECT_EQ(host::buttonFromSdl(SDL_CONTROLLER_BUTTON_PADDLE1), Button::None);
}

TEST(Utf8, DecodesCodePoints) {
    EXPECT_EQ(host::decodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
              (kit::Array<unsigned int>{97, 233, 8364, 128512}));
    EXPECT_EQ(host::decodeUtf8("\x80x\xC3"), (kit::Array<unsigned int>{'x'}));  // stray and cut bytes
    EXPECT_TRUE(host::decodeUtf8("").empty());
}

TEST(Locale, SplitsLanguageAndVariant) {
    kit::String language;
    kit::String variant;
    host::parseLocale("zh_TW.UTF-8", language, variant);
    EXPECT_EQ(language, "zh");
    EXPECT_EQ(variant, "TW");
    host::parseLocale("pt_BR", language, variant);
    EXPECT_EQ(language, "pt");
    EXPECT_EQ(variant, "BR");
    host::parseLocale("sr_RS@latin", language, variant);
    EXPECT_EQ(language, "sr");
    EXPECT_EQ(variant, "RS");
    host::parseLocale("de", language, variant);
    EXPECT_EQ(language, "de");
    EXPECT_EQ(variant, "");
    host::parseLocale("zh-Hant-TW", language, variant);
    EXPECT_EQ(language, "zh");
    EXPECT_EQ(variant, "HANT-TW");
    for (const char* c : {"C", "POSIX", "", "C.UTF-8"}) {
        host::parseLocale(c, language, variant);
        EXPECT_EQ(language, "en") << c;
        EXPECT_EQ(variant, "") << c;
    }
}
