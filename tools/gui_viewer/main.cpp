// gui_viewer: shows a data-set file (.gui) in a window with the global data sets "gui" and "game",
// or renders a few frames headless and saves the last as a PNG file.
//
//   gui_viewer data/gui/definitions/normal/sample/sample.gui [--png out.png] [--frames N]
//              [--size 1366x768] [--lang en] [--debug]
//   gui_viewer --list FILE      prints every object after repeats are expanded, one "Kind name" a line
//
// The screen is laid out as the game lays it out: 768 GUI units high, as wide as the window's aspect
// ratio allows (4:3 to 16:9), the root as wide as the viewport, with the game's fonts.
//
// In the window: the mouse clicks, drags and scrolls, Tab and Shift+Tab or the controller's
// directions move the focus, Enter, Space or the controller's A click the focused object, F1 toggles
// the debug frames, F2 cycles the languages, Escape quits. Events are printed to the console.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "System/GameInit.h"
#include "fonts/Fonts.h"
#include "gui/Animator.h"
#include "gui/ButtonBase.h"
#include "gui/EditBox.h"
#include "gui/FunctionCallbackEvent.h"
#include "gui/Gui.h"
#include "gui/ProgressBar.h"
#include "host/Host.h"
#include "kit/Log.h"
#include "kit/Strings.h"

namespace {

const kit::Array<kit::String> Languages = {"en", "cs", "de", "es", "fr", "pt", "ru", "zh-HANT"};

struct Options {
    kit::String file;
    kit::String png;
    int frames = 3;
    int width = 1366;
    int height = 768;
    kit::String language = "en";
    bool debug = false;
    bool list = false;
};

bool parseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        kit::String argument = argv[i];
        bool hasValue = i + 1 < argc;
        if (argument == "--png" && hasValue) {
            options.png = argv[++i];
        } else if (argument == "--frames" && hasValue) {
            options.frames = std::max(kit::toInt(argv[++i]), 1);
        } else if (argument == "--size" && hasValue) {
            kit::Array<kit::String> parts = kit::split(argv[++i], "x");
            if (parts.size() != 2) {
                return false;
            }
            options.width = std::max(kit::toInt(parts[0]), 64);
            options.height = std::max(kit::toInt(parts[1]), 64);
        } else if (argument == "--lang" && hasValue) {
            options.language = argv[++i];
        } else if (argument == "--debug") {
            options.debug = true;
        } else if (argument == "--list") {
            options.list = true;
        } else if (options.file.empty() && !kit::startsWith(argument, "--")) {
            options.file = argument;
        } else {
            return false;
        }
    }
    return !options.file.empty();
}

// The game's base height and aspect limits: what a screen looks like in the game at this window size.
quadrix::Rectangle gameViewport(int width, int height) {
    float aspect = std::clamp(static_cast<float>(width) / static_cast<float>(height), 1.333333f, 1.777778f);
    return quadrix::Rectangle(0, 0, std::floor(768.0f * aspect), 768.0f);
}

// The root takes the viewport's width, as a screen's root does in the game.
void fitRoot(gui::Object* root) {
    if (root == nullptr || root->getRect().w <= root->getRect().h) {
        return;
    }
    quadrix::Rectangle rect = root->getRect();
    rect.w = std::ceil(rect.h * gui::getViewport().w / gui::getViewport().h);
    root->setRect(rect);
    root->resetPivot();
}

// The game's fonts, and the script fonts by their own names for the sample screen.
void registerFonts() {
    System::loadFonts();
    const struct {
        const char* file;
        const char* name;
    } scripts[] = {
        {"ptsans.ttf", "ptsans"}, {"simhei.ttf", "simhei"}, {"texgyreadventor-bold.otf", "adventor"}};
    for (const auto& font : scripts) {
        fonts::renderer->registerFont(new fonts::FontTtf(kit::String("data/gui/fonts/") + font.file,
                                                         font.name, 40.0f, 1.0f, 40.0f, 8.0f, true),
                                      true);
    }
}

void listObjects(const gui::Object* object) {
    std::printf("%s %s\n", object->getKindName(), object->getName().c_str());
    for (const gui::Object* child : object->getChildren()) {
        listObjects(child);
    }
}

// Prints what the objects raise, so the viewer shows that clicks and edits arrive.
void reportEvents(gui::Object* object) {
    auto print = [](const char* what) {
        return new gui::FunctionCallbackEvent([what](gui::EventArgs* args) {
            std::printf("%s: %s\n", what, args->getBaseObject()->getName().c_str());
            std::fflush(stdout);
        });
    };
    if (dynamic_cast<gui::ButtonBase*>(object) != nullptr) {
        object->registerEvent(gui::Event::Click, print("click"));
    }
    if (dynamic_cast<gui::ProgressBar*>(object) != nullptr) {
        object->registerEvent(gui::Event::SetProgressValue, print("progress"));
    }
    if (dynamic_cast<gui::EditBox*>(object) != nullptr) {
        object->registerEvent(gui::Event::Submit, print("submit"));
    }
    for (gui::Object* child : object->getChildren()) {
        reportEvents(child);
    }
}

class Viewer : public host::UpdateDelegate, public host::InputDelegate, public host::SystemDelegate {
public:
    Viewer(gui::Dataset* screen, const Options& options) : screen(screen), options(options) {
        auto found = std::find(Languages.begin(), Languages.end(), options.language);
        languageIndex = found == Languages.end() ? 0 : static_cast<size_t>(found - Languages.begin());
    }

    bool onUpdate(float timeDelta) override {
        host::rendersys->clear(host::Color(40, 44, 52));
        gui::updateViewportPosition(gui::getViewport(), true);
        gui::updateCursorPosition();
        gui::processEvents();
        screen->update(timeDelta);
        screen->draw();
        if (host::window->isCursorInside()) {
            gui::drawCursor();
        }
        return !quit;
    }

    void onMouseDown(host::Key key) override { screen->onMouseDown(key); }
    void onMouseUp(host::Key key) override { screen->onMouseUp(key); }
    void onMouseCancel(host::Key key) override { screen->onMouseCancel(key); }
    void onMouseMove() override { screen->onMouseMove(); }
    void onMouseScroll(float x, float y) override { screen->onMouseScroll(x, y); }
    void onChar(unsigned int code) override { screen->onChar(code); }
    void onKeyUp(host::Key key) override { screen->onKeyUp(key); }

    void onKeyDown(host::Key key) override {
        if (key == host::Key::Escape) {
            quit = true;
        } else if (key == host::Key::F1) {
            gui::setDebugEnabled(!gui::isDebugEnabled());
        } else if (key == host::Key::F2) {
            languageIndex = (languageIndex + 1) % Languages.size();
            gui::setLocalization(Languages[languageIndex]);
            registerFonts();
            std::printf("language: %s\n", Languages[languageIndex].c_str());
        } else {
            screen->onKeyDown(key);
        }
    }

    void onButtonDown(host::Button button) override {
        if (screen->onButtonDown(button)) {
            return;
        }
        if (button == host::Button::DPadDown || button == host::Button::DPadRight) {
            stepFocus(1);
        } else if (button == host::Button::DPadUp || button == host::Button::DPadLeft) {
            stepFocus(-1);
        } else if (button == host::Button::A && screen->getFocusedObject() != nullptr) {
            screen->getFocusedObject()->triggerEvent(gui::Event::Click, 1);
        }
    }

    void onWindowSizeChanged(int width, int height, bool) override {
        gui::setViewport(gameViewport(width, height));
        gui::updateViewportPosition(gui::getViewport(), true);
        fitRoot(screen->getRoot());
    }

private:
    void stepFocus(int direction) {
        kit::Array<int> indices = screen->findPossibleFocusIndices(true);
        if (indices.empty()) {
            return;
        }
        int current = screen->getFocusedObjectIndex();
        auto found = std::find(indices.begin(), indices.end(), current);
        int position = found == indices.end() ? 0 : static_cast<int>(found - indices.begin()) + direction;
        int count = static_cast<int>(indices.size());
        screen->trySetFocusedObjectByIndex(indices[(position + count) % count], true);
    }

    gui::Dataset* screen;
    Options options;
    bool quit = false;
    size_t languageIndex = 0;
};

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseArguments(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: gui_viewer <file.gui> [--png out.png] [--frames N] [--size WxH] [--lang xx] [--debug]\n"
            "       gui_viewer --list <file.gui>\n");
        return 2;
    }
    kit::Log::setConsoleEnabled(true);
    // Listing and rendering to a file need no display: run headless unless told otherwise.
    if (options.list || !options.png.empty()) {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    }
    if (!host::init() || !host::createRenderSystem() ||
        !host::createWindow(options.width, options.height, false, "gui viewer: " + options.file)) {
        std::fprintf(stderr, "cannot open a window\n");
        return 1;
    }
    fonts::init();
    gui::init();
    gui::setViewport(gameViewport(options.width, options.height));
    gui::setSupportedLocalizations(Languages);
    gui::setDefaultLocalization("en");
    gui::setLocalization(options.language);
    registerFonts();
    gui::setDebugEnabled(options.debug);
    // A layout alone has no game to fill it: its stand-in values show instead.
    gui::setSampleMode(gui::SampleMode::Shown);

    auto guiSet = std::make_unique<gui::Dataset>("data/gui/gui.dts", "gui");
    guiSet->setTextFolder("texts");
    auto gameSet = std::make_unique<gui::Dataset>("data/gui/game.dts", "game");
    auto screen = std::make_unique<gui::Dataset>(options.file, "viewer", true);
    int result = 1;
    if (guiSet->load() && gameSet->load() && screen->load() && options.list) {
        listObjects(screen->getRoot());
        for (const gui::Animator* animator : screen->getAnimators()) {
            std::printf("Animator %s\n", animator->getName().c_str());
        }
        result = 0;
    } else if (screen->isLoaded()) {
        fitRoot(screen->getRoot());
        reportEvents(screen->getRoot());
        Viewer viewer(screen.get(), options);
        host::window->setUpdateDelegate(&viewer);
        host::window->setSystemDelegate(&viewer);
        host::window->setKeyboardDelegate(&viewer);
        host::window->setMouseDelegate(&viewer);
        host::window->setTouchDelegate(&viewer);
        host::window->setControllerDelegate(&viewer);
        if (options.png.empty()) {
            result = host::window->enterMainLoop();
        } else {
            for (int frame = 1; frame < options.frames; ++frame) {
                host::window->updateOneFrame(1.0f / 60.0f);
            }
            host::rendersys->requestScreenshot(options.png);
            host::window->updateOneFrame(1.0f / 60.0f);
            result = 0;
        }
        host::window->clearDelegates();
    }
    screen.reset();
    gameSet.reset();
    guiSet.reset();
    gui::destroy();
    fonts::destroy();
    host::destroy();
    return result;
}
