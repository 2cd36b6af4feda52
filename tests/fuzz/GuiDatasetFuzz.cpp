#include <fonts/Fonts.h>
#include <gui/Dataset.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "FuzzFolder.h"

namespace {

// A data root of its own: the real data/ linked in, the input written to fuzz/screen.gui beside it, so
// that the input can name the game's pictures, fonts and resource sets as a real screen does.
kit::String makeRoot() {
    kit::String real = kit::ResourceDir::getRoot();
    const kit::String& root = fuzzFolder("gui_fuzz");
    kit::Dir::create(kit::Dir::joinPath(root, "fuzz"));
    std::error_code error;
    std::filesystem::create_directory_symlink(kit::Dir::joinPath(real, "data"),
                                              kit::Dir::joinPath(root, "data"), error);
    kit::ResourceDir::setRoot(root);
    return kit::Dir::joinPath(root, "fuzz/screen.gui");
}

// The headless window, the fonts and the global resource sets, once.
void start() {
    kit::Log::setConsoleEnabled(false);
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    if (!host::init() || !host::createRenderSystem() || !host::createWindow(640, 360, false, "fuzz") ||
        !fonts::init()) {
        std::abort();
    }
    fonts::renderer->registerFont(
        new fonts::FontTtf("data/gui/fonts/NulaDosis-Regular.ttf", "default", 32.0f, 1.0f, 40.0f, 8.0f, true),
        true);
    if (!gui::init()) {
        std::abort();
    }
    gui::setViewport(quadrix::Rectangle(0, 0, 1280, 720));
    gui::setDefaultLocalization("en");
    gui::setLocalization("en");
    static gui::Dataset guiSet("data/gui/gui.dts", "gui");
    static gui::Dataset gameSet("data/gui/game.dts", "game");
    if (!guiSet.load() || !gameSet.load()) {
        std::abort();
    }
}

}  // namespace

// The input is a screen file. It loads or is refused with a message; a screen that loads runs a
// frame, draws and takes a click and a key without harm.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kit::String file = [] {
        kit::String path = makeRoot();
        start();
        return path;
    }();
    kit::File::write(file, kit::String(reinterpret_cast<const char*>(data), size));

    gui::Dataset screen("fuzz/screen.gui", "fuzz", true);
    if (!screen.load()) {
        if (screen.getError().empty()) {
            __builtin_trap();
        }
        return 0;
    }
    screen.update(0.25f);
    screen.draw();
    screen.onMouseDown(host::Key::MouseLeft);
    screen.onMouseUp(host::Key::MouseLeft);
    screen.onKeyDown(host::Key::Tab);
    screen.onChar('x');
    screen.processEvents();
    screen.update(0.25f);
    return 0;
}
