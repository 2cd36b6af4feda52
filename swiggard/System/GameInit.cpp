#include "System/GameInit.h"

#include <audio/Audio.h>
#include <fonts/Fonts.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <host/SpeechDispatcher.h>
#include <kit/Dir.h>
#include <kit/GlobalOwner.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>
#include <kit/Time.h>
#include <net/Net.h>
#include <particles/Particles.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SceneManager.h>

#include <malloc.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Phones.h"
#include "System/ProfileSetup.h"
#include "System/TempState.h"
#include "System/Voice.h"

namespace System {

namespace {

const kit::String DefaultLocalizations = "en,cs,de,es,fr,pt,ru,zh-HANT";

// What the game made at start. The globals borrow it; gameDestroy deletes it in a fixed order.
struct GameObjects {
    std::unique_ptr<Core> core;
    std::unique_ptr<DataManager> catalogue;
    std::unique_ptr<GameState> state;
    std::unique_ptr<TempState> temporary;
    std::unique_ptr<Phones> phones;
    std::unique_ptr<Voice> voice;
};
GameObjects objects;

ventrel::CfgParser::Category& systemCategory() {
    static ventrel::CfgParser::Category empty;
    ventrel::CfgParser::Category* category = ventrel::cfg ? ventrel::cfg->getCategory("System") : nullptr;
    return category ? *category : empty;
}

// Lists are tab-separated; a hand-edited file may use commas.
kit::Array<kit::String> configList(const kit::String& key) {
    kit::Array<kit::String> values = systemCategory().getArray(key);
    if (values.size() == 1 && kit::contains(values[0], ",")) {
        values = kit::split(values[0], ",");
    }
    for (kit::String& value : values) {
        value = kit::trim(value);
    }
    return values;
}

// Two whole positive numbers separated by blanks, commas or an "x".
bool parseResolution(const kit::String& text, int& width, int& height) {
    kit::String spaced = kit::trim(text);
    for (char& c : spaced) {
        c = (c == ',' || c == 'x' || c == 'X' || c == '\t') ? ' ' : c;
    }
    std::istringstream stream(spaced);
    long w = 0, h = 0;
    std::string rest;
    if (!(stream >> w >> h) || (stream >> rest) || w <= 0 || h <= 0 || w > 16384 || h > 16384) {
        return false;
    }
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

void createGameObjects(bool mobile) {
    kit::ownGlobal(objects.core, ventrel::core, std::make_unique<Core>(mobile));
    kit::ownGlobal(objects.catalogue, dataManager, std::make_unique<DataManager>("data"));
    kit::ownGlobal(objects.state, ventrel::gameState, std::make_unique<GameState>());
    kit::ownGlobal(objects.temporary, ventrel::tempState, std::make_unique<TempState>());
    ventrel::init(objects.core.get(), objects.state.get(), objects.temporary.get(), false);
    ventrel::input->setConfirmKeys({host::Key::Return, host::Key::Space});
    for (host::Key key : {host::Key::Left, host::Key::Right, host::Key::Up, host::Key::Down,
                          host::Key::PageUp, host::Key::PageDown, host::Key::Escape, host::Key::Return,
                          host::Key::Space, host::Key::Backspace}) {
        ventrel::input->addKey(key);
    }
    // A controller alone plays the game: its directions move the focus, A presses, B and Back go back,
    // Y takes the last answer back.
    ventrel::input->setConfirmButtons({host::Button::A});
    ventrel::input->setCancelButtons({host::Button::B, host::Button::Back});
    for (host::Button button :
         {host::Button::DPadLeft, host::Button::DPadRight, host::Button::DPadUp, host::Button::DPadDown,
          host::Button::A, host::Button::B, host::Button::Back, host::Button::Y}) {
        ventrel::input->addButton(button);
    }
    kit::ownGlobal(objects.phones, phones, std::make_unique<Phones>());
    kit::ownGlobal(objects.voice, voice, std::make_unique<Voice>(std::make_unique<host::SpeechDispatcher>()));
    registerProfileGlobals();
    ventrel::profileManager->load();
    ventrel::profileManager->save();
}

bool startLibraries(const WindowSize& size, const Layout& layout) {
    if (!host::init() || !host::createRenderSystem() ||
        !host::createWindow(size.width, size.height, size.fullscreen, "Swiggard")) {
        kit::Log::error(LogTag, "The window could not be opened.");
        return false;
    }
    particles::init();
    fonts::init();
    fonts::init();
    gui::init();
    core()->setupViewport(layout.baseHeight);
    particles::init();
    audio::init(audio::System::Default, host::window->getNativeHandle(), true, 0.01f, "");
    net::init(false);
    return true;
}

void wireWindow() {
    ventrel::attachWindow();
    if (kit::toBool(systemCategory().get("ForceTouch"))) {
        host::window->setInputModeTranslations(
            {{host::Window::InputMode::Mouse, host::Window::InputMode::Touch}});
    }
}

void setupRendering(const Layout& layout) {
    host::setMaxAsyncTextureUploadsPerFrame(1);
    fonts::renderer->setBorderThickness(2.0f);
    fonts::renderer->setShadowOffset(quadrix::Vector2(2.0f, 2.0f));
    gui::setDefaultTextureLoadMode(2);
    if (layout.mobile && isLowResolutionDisplay()) {
        gui::setTextureExtensionPrefixes({".ld"}, {2.0f});
    } else {
        gui::setTextureExtensionPrefixes({}, {});
    }
    gui::setSupportedLocalizations(configList("SupportedLocalizations"));
    gui::setDefaultLocalization(systemCategory().get("DefaultLocalization"));
}

// Pictures are decoded into blocks of a quarter megabyte and more that are freed once uploaded. glibc
// raises its threshold for mapping a block of its own at the first such free and keeps later ones in
// its heap, which then holds some 16 MB on the board that nothing uses. A fixed threshold gives every
// large block back when it is freed, for some more page faults in a moving frame (about 5 % of the
// software renderer's frame time).
void keepLargeBlocksMapped() {
    constexpr int largeBlock = 128 * 1024;
    mallopt(M_MMAP_THRESHOLD, largeBlock);
}

}  // namespace

void loadConfiguration() {
    ventrel::loadCfg("cfg");
    if (ventrel::cfg) {
        return;
    }
    ventrel::cfg = std::make_unique<ventrel::CfgParser::Map>();
    ventrel::CfgParser::Category* category = ventrel::cfg->addCategory("System");
    category->set("SupportedLocalizations", kit::split(DefaultLocalizations, ","));
    category->set("DefaultLocalization", "en");
    category->set("LocalizationSwitcher", "1");
}

Layout chooseLayout(const kit::String& gui, const host::SystemInfo& info) {
    if (gui == "normal") {
        return {false, 768};
    }
    if (gui == "mobile") {
        return {true, 640};
    }
    float dpi = info.displayDpi > 0 ? static_cast<float>(info.displayDpi) : 96.0f;
    float diagonal = std::hypot(info.displayResolution.x, info.displayResolution.y) / dpi;
    return diagonal < 6.5f ? Layout{true, 640} : Layout{false, 768};
}

WindowSize chooseWindowSize(const kit::String& fullscreen, const kit::String& resolution,
                            const host::SystemInfo& info) {
    WindowSize size;
    size.fullscreen = !kit::trim(fullscreen).empty() && kit::toBool(fullscreen);
    if (size.fullscreen) {
        size.width = static_cast<int>(info.displayResolution.x);
        size.height = static_cast<int>(info.displayResolution.y);
        return size;
    }
    if (!parseResolution(resolution, size.width, size.height)) {
        size.width = static_cast<int>(info.displayResolution.x * 0.6666667f);
        size.height = static_cast<int>(info.displayResolution.y * 0.6666667f);
    }
    return size;
}

kit::String chooseLocalization(const kit::String& configured, const kit::String& profileLanguage,
                               const host::SystemInfo& info) {
    kit::String localization = !configured.empty()        ? configured
                               : !profileLanguage.empty() ? profileLanguage
                                                          : info.locale;
    bool traditional = kit::startsWith(info.localeVariant, "HANT") || kit::endsWith(info.localeVariant, "TW");
    return localization == "zh" && traditional ? "zh-HANT" : localization;
}

bool isAsianLocalization() {
    const kit::String& localization = gui::getLocalization();
    return kit::startsWith(localization, "zh") || kit::startsWith(localization, "ja") ||
           kit::startsWith(localization, "ko");
}

bool isLowResolutionDisplay() {
    return host::getSystemInfo().displayResolution.y <= 320.0f;
}

void reloadCatalogue() {
    auto rebuilt = std::make_unique<DataManager>("data");
    rebuilt->addExtraSurpriseCards();
    rebuilt->load();
    kit::ownGlobal(objects.catalogue, dataManager, std::move(rebuilt));
}

void loadFonts() {
    struct Row {
        const char* prefix;
        const char* file;
        float height, lineHeight, descender;
        const char* specialFile;
        float specialHeight, specialLineHeight, specialDescender;
    };
    static const Row rows[] = {
        {"ko", "UnDotum.ttf", 30, 28, 6, "UnDotum.ttf", 60, 56, 12},
        {"zh", "simhei.ttf", 30, 33, 5, "simhei.ttf", 80, 76, 13},
        {"ru", "ptsans.ttf", 34, 40, 5, "ptsans_caption_bold.ttf", 84, 60, 12},
        {"", "NulaDosis-Regular.ttf", 40, 40, 4, "texgyreadventor-bold.otf", 100, 55, 13},
    };
    Core* gameCore = core();
    bool asian = isAsianLocalization();
    float f = 1.5f;
    if (gameCore && gameCore->isMobile() && isLowResolutionDisplay() && !asian) {
        f = 1.0f;
    }
    if (host::window && host::window->getHeight() > 1079) {
        f = 2.0f;
    }
    const kit::String folder = "data/gui/fonts";
    auto add = [&](const kit::String& file, const kit::String& name, float height, float lineHeight,
                   float descender) {
        fonts::renderer->registerFont(new fonts::FontTtf(kit::Dir::joinPath(folder, file), name, height * f,
                                                         1.0f / f, lineHeight * f, descender * f, true),
                                      true);
    };
    const kit::String& localization = gui::getLocalization();
    kit::String defaultFile;
    for (const Row& row : rows) {
        bool last = &row == &rows[3];
        if (!last && (!kit::startsWith(localization, row.prefix) ||
                      !kit::ResourceDir::exists(kit::Dir::joinPath(folder, row.file)))) {
            continue;
        }
        add(row.file, "default", row.height, row.lineHeight, row.descender);
        add(row.specialFile, "special", row.specialHeight, row.specialLineHeight, row.specialDescender);
        defaultFile = row.file;
        break;
    }
    add("AvantGuardBold_SWG.ttf", "title", 36, 36, 18);
    add("uni0553-webfont.ttf", "bac", 64, 64, 0);
    // Players type names in any script: the other scripts' fonts lend the characters a font lacks.
    kit::Array<kit::String> fallbacks;
    for (const Row& row : rows) {
        kit::String name = kit::String("fallback_") + row.file;
        if (row.file == defaultFile || !kit::ResourceDir::exists(kit::Dir::joinPath(folder, row.file))) {
            continue;
        }
        add(row.file, name, row.height, row.lineHeight, row.descender);
        fallbacks.push_back(name);
    }
    // Emoji in names, in one colour (SDL_ttf cannot scale the colour emoji font's bitmaps).
    if (kit::ResourceDir::exists(kit::Dir::joinPath(folder, "emoji.ttf"))) {
        add("emoji.ttf", "fallback_emoji", 36, 40, 5);
        fallbacks.push_back("fallback_emoji");
    }
    fonts::renderer->setFallbackFonts(fallbacks);
    fonts::renderer->setIdeographWrapping(asian);
    fonts::renderer->setJustifiedDefault(asian ? fonts::Horizontal::LeftWrapped
                                               : fonts::Horizontal::Justified);
}

void gameInit(const kit::Array<kit::String>&) {
    keepLargeBlocksMapped();
    std::srand(static_cast<unsigned int>(kit::time()));
    loadConfiguration();
    host::SystemInfo info = host::getSystemInfo();
    Layout layout = chooseLayout(systemCategory().get("GUI"), info);
    createGameObjects(layout.mobile);
    // The display mode the player chose last, unless the configuration fixes one.
    kit::String fullscreen = systemCategory().get("Fullscreen");
    if (kit::trim(fullscreen).empty()) {
        fullscreen = profile().get("Fullscreen");
    }
    WindowSize size = chooseWindowSize(fullscreen, systemCategory().get("Resolution"), info);
    if (!startLibraries(size, layout)) {
        return;
    }
    wireWindow();
    setupRendering(layout);
    upgradeProfile();
    gui::setLocalization(
        chooseLocalization(systemCategory().get("Localization"), profile().get("Language"), info));
    gui::setTextureIdleUnloadTime(30.0f);
    gui::setUseKeyboardAutoOffset(true);
    particles::setDefaultPath("../../../graphics/particles");
    dataManager->addExtraSurpriseCards();
    loadFonts();
    core()->start();
    core()->tryRenderPreLoading(true);
}

void gameDestroy() {
    if (core()) {
        core()->finish();
    }
    kit::releaseGlobal(objects.phones, phones);
    kit::releaseGlobal(objects.voice, voice);
    net::destroy();
    audio::destroy();
    particles::destroy();
    gui::destroy();
    fonts::destroy();
    fonts::destroy();
    particles::destroy();
    host::destroy();
    kit::releaseGlobal(objects.temporary, ventrel::tempState);
    kit::releaseGlobal(objects.state, ventrel::gameState);
    kit::releaseGlobal(objects.catalogue, dataManager);
    kit::releaseGlobal(objects.core, ventrel::core);
    kit::Log::finalize(true);
}

}  // namespace System
