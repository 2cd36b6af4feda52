#include <gtest/gtest.h>
#include <host/TestDriver.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/menu/Overlay.h>
#include <ventrel/menu/Transition.h>
#include <ventrel/scene/Base.h>
#include <ventrel/system/SceneManager.h>

#include "GameSession.h"

namespace {

// Every line a screen and its sub-menus report, each with the screen's name in front.
void collectErrors(ventrel::system::Context* screen, kit::Array<kit::String>& errors) {
    for (const kit::String& error : screen->getContractErrors()) {
        errors.push_back(screen->getName() + ": " + error);
    }
    for (ventrel::menu::Base* menu : screen->getAllMenus()) {
        for (const kit::String& error : menu->getContractErrors()) {
            errors.push_back(screen->getName() + " > " + menu->getName() + ": " + error);
        }
    }
}

}  // namespace

// Every scene, dialog and overlay the game registers finds each object its code looks up, of the
// kind the code needs.
TEST(ScreenContractTest, EveryRegisteredScreenKeepsItsContract) {
    e2etest::GameSession game;
    ASSERT_TRUE(game.waitForScene());
    host::TestDriver& driver = game.getDriver();
    kit::Array<kit::String> errors;
    int checked = 0;
    for (ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
        collectErrors(dialog, errors);
        ++checked;
    }
    for (ventrel::menu::Overlay* overlay : ventrel::sceneManager->getOverlays()) {
        collectErrors(overlay, errors);
        ++checked;
    }
    if (ventrel::sceneManager->getTransition()) {
        collectErrors(ventrel::sceneManager->getTransition(), errors);
        ++checked;
    }
    // Each scene as a player reaches it: switched to and set up by the scene manager.
    for (const kit::String& name : ventrel::sceneManager->getSceneNames()) {
        ventrel::sceneManager->switchScene(name);
        ASSERT_TRUE(driver.stepUntil(
            [&] {
                ventrel::scene::Base* scene = ventrel::sceneManager->getScene();
                return scene && !ventrel::sceneManager->getNextScene() &&
                       ventrel::sceneManager->getCurrentSceneName() == name && scene->isRunning();
            },
            300))
            << name;
        collectErrors(ventrel::sceneManager->getScene(), errors);
        ++checked;
    }
    EXPECT_GT(checked, 0);
    EXPECT_TRUE(errors.empty()) << kit::join(errors, "\n");
}
