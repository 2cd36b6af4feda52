// A demo of the screen framework (not shipped with the game): a menu scene with a panel sub-menu, a
// yes/no dialog, a curtain transition to a second scene and a logo show. With --auto it plays itself
// through the test driver, which also works headless (SDL_VIDEODRIVER=offscreen).

#include <fonts/FontTtf.h>
#include <fonts/Fonts.h>
#include <fonts/Renderer.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <host/TestDriver.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TempState.h>

#include <cstring>

#include "DemoCore.h"
#include "LogoScene.h"
#include "MenuScene.h"

namespace {

const char* FontFile = "data/gui/fonts/NulaDosis-Regular.ttf";
const char* SpecialFontFile = "data/gui/fonts/texgyreadventor-bold.otf";

bool startLibraries() {
    if (!host::init() || !host::createRenderSystem() ||
        !host::createWindow(1280, 720, false, "Screens demo")) {
        return false;
    }
    if (!fonts::init() || !gui::init()) {
        return false;
    }
    for (const auto& [file, name] : {std::pair{FontFile, "default"}, std::pair{SpecialFontFile, "special"}}) {
        if (kit::ResourceDir::exists(file)) {
            fonts::renderer->registerFont(new fonts::FontTtf(file, name, 40.0f, 1.0f, 48.0f, 8.0f, true),
                                          true);
        }
    }
    gui::setViewport(quadrix::Rectangle(0, 0, 1280, 720));
    gui::updateViewportPosition(gui::getViewport(), true);
    return true;
}

void startEngine(demo::DemoCore* core, ventrel::system::TempState* tempState) {
    ventrel::init(core, nullptr, tempState, false);
    ventrel::attachWindow();
    // The game's pictures, texts and house styles.
    auto guiSet = std::make_unique<gui::Dataset>("data/gui/gui.dts", "gui");
    guiSet->setTextFolder("texts");
    ventrel::sceneManager->registerDataset(std::move(guiSet));
    ventrel::sceneManager->activateDataset("gui", true);
    ventrel::input->addKey(host::Key::Enter);
    ventrel::input->addKey(host::Key::Escape);
    ventrel::sceneManager->registerDialog(std::make_unique<ventrel::menu::Dialog>("demo/dialog", 2));
    ventrel::sceneManager->registerSceneFactory("Scene::Menu",
                                                [] { return std::make_unique<demo::MenuScene>(); });
    ventrel::sceneManager->registerSceneFactory("Scene::Logos",
                                                [] { return std::make_unique<demo::LogoScene>(); });
    ventrel::sceneManager->switchScene("Scene::Menu");
}

void stopEngine() {
    ventrel::destroy();
}

bool takesInput(const kit::String& sceneName) {
    ventrel::scene::Base* scene = ventrel::sceneManager->getScene();
    return scene && scene->getRootName() == sceneName && scene->isInputAllowed();
}

quadrix::Vector2 centreOf(gui::Object* object) {
    quadrix::Rectangle box = object->getBoundingRect();
    return quadrix::Vector2(box.x + box.w * 0.5f, box.y + box.h * 0.5f);
}

// Plays the demo as a person would: ask, answer yes, watch the logos to the end.
bool playItself() {
    host::TestDriver driver(1.0f / 30.0f);
    if (!driver.stepUntil([] { return takesInput("demo/menu"); })) {
        return false;
    }
    driver.click(centreOf(ventrel::sceneManager->getScene()->getObject("button_ask")));
    ventrel::menu::Dialog* dialog = ventrel::sceneManager->findDialog("demo/dialog");
    if (!driver.stepUntil([dialog] { return dialog->isVisible() && dialog->isInputAllowed(); })) {
        return false;
    }
    driver.click(centreOf(dialog->getObject("button_dialog_0")));
    if (!driver.stepUntil([] { return takesInput("demo/logos"); })) {
        return false;
    }
    kit::Log::write("demo", "Logo show reached; watching it to the end.");
    driver.stepUntil([] { return false; }, 900);
    return driver.isFinished();
}

}  // namespace

int main(int argc, char** argv) {
    bool automatic = argc > 1 && std::strcmp(argv[1], "--auto") == 0;
    if (!startLibraries()) {
        return 1;
    }
    auto* core = new demo::DemoCore();
    auto* tempState = new ventrel::system::TempState();
    startEngine(core, tempState);
    int result = 0;
    if (automatic) {
        result = playItself() ? 0 : 1;
    } else {
        host::window->enterMainLoop();
    }
    stopEngine();
    delete tempState;
    delete core;
    gui::destroy();
    fonts::destroy();
    host::destroy();
    kit::Log::write("demo", result == 0 ? "Demo finished." : "Demo did not finish.");
    return result;
}
