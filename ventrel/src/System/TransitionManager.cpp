#include "ventrel/system/TransitionManager.h"

#include <kit/Log.h>

#include "ventrel/Ventrel.h"
#include "ventrel/scene/Base.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/Input.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::system {

TransitionManager::TransitionManager(menu::Transition* menu) : menu(menu) {}

void TransitionManager::activate(int type, float startDuration, float finishDuration, bool waitForInput) {
    this->type = type;
    this->startDuration = startDuration;
    this->finishDuration = finishDuration;
    this->waitForInput = waitForInput;
    if (activated) {
        kit::Log::warn(LogTag, "Last transition has not finished, overriding now!");
    }
    activated = true;
}

void TransitionManager::start() {
    if (!activated) {
        return;
    }
    activated = false;
    running = true;
    starting = true;
    finishing = false;
    if (menu) {
        menu->startTransition(type, startDuration);
    }
}

bool TransitionManager::_isMenuAnimating() const {
    gui::Object* root = menu ? menu->getRoot() : nullptr;
    return root && root->isAnimating();
}

bool TransitionManager::_isInputGiven() const {
    return input && (input->isMouseTriggered() || input->isKeyTriggered(host::Key::Enter) ||
                     input->isKeyTriggered(host::Key::Escape));
}

void TransitionManager::update() {
    if (!running) {
        return;
    }
    if (starting) {
        if (!_isMenuAnimating()) {
            starting = false;
            finishing = !waitForInput;
        }
        return;
    }
    if (!waitForInput) {
        if (finishing && menu) {
            menu->finishTransition(type, finishDuration);
        }
        finishing = false;
        running = false;
        return;
    }
    if (!finishing) {
        finishing = true;
        if (menu) {
            menu->startWaitForInput();
        }
        return;
    }
    if (!_isInputGiven() || (sceneManager && sceneManager->hasActiveOverlay())) {
        return;
    }
    if (core) {
        core->clickSound("");
    }
    waitForInput = false;
    if (menu) {
        menu->finishWaitForInput();
    }
    if (sceneManager && sceneManager->getScene()) {
        sceneManager->getScene()->blockInput();
    }
}

}  // namespace ventrel::system
