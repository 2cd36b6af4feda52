#include "ventrel/scene/Animation.h"

#include <audio/Manager.h>

#include <algorithm>

#include "ventrel/Ventrel.h"
#include "ventrel/menu/Base.h"
#include "ventrel/system/Input.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::scene {

Animation::Animation(const kit::String& name, const kit::String& playlistName) : Base(name, playlistName) {}

bool Animation::isWaitingAnimation() const {
    if (Base::isWaitingAnimation()) {
        return true;
    }
    return std::any_of(menus.begin(), menus.end(), [](const auto& menu) {
        gui::Object* menuRoot = menu->getRoot();
        return menuRoot && (menuRoot->isWaitingAnimation() || menuRoot->isAnimating());
    });
}

system::Contract Animation::getContract() const {
    system::Contract contract = Base::getContract();
    if (!finishObjectName.empty()) {
        contract.add({finishObjectName, system::Contract::Kind::Object});
    }
    return contract;
}

void Animation::_setupCallbacks() {
    if (!finishObjectName.empty()) {
        bind(finishObjectName, &Animation::_buttonFinish);
    }
}

void Animation::_startUpdate() {
    Base::_startUpdate();
    if (finalized) {
        inputAllowed = false;
    }
}

void Animation::_updateInput() {
    Base::_updateInput();
    if (skippable && !finalized && _isKeyTriggered({host::Key::Enter, host::Key::Escape})) {
        _playClickSound(finishObjectName);
        _finalize();
    }
}

void Animation::_updateLogic() {
    Base::_updateLogic();
    _playSoundCues();
    if (!isAnimated() && !isWaitingAnimation() && !finalized) {
        _finalize();
    }
}

void Animation::_finalize() {
    finalized = true;
}

bool Animation::_buttonFinish(gui::Object*) {
    _finalize();
    return true;
}

void Animation::_playSoundCues() {
    if (!audio::manager) {
        return;
    }
    float timeDelta = sceneManager ? sceneManager->getTimeDelta() : 0.0f;
    for (const auto& [cueTime, sound] : soundCues) {
        if (time - timeDelta < cueTime && cueTime <= time) {
            audio::manager->play(sound, 0.0f, false, 1.0f);
        }
    }
}

void Animation::_stopSoundCues() {
    if (!audio::manager) {
        return;
    }
    for (const auto& [cueTime, sound] : soundCues) {
        if (audio::manager->isAnyPlaying(sound)) {
            audio::manager->stopFirst(sound, 0.5f);
        }
    }
}

bool Animation::_isKeyTriggered(std::initializer_list<host::Key> keys) {
    return input &&
           std::any_of(keys.begin(), keys.end(), [](host::Key key) { return input->isKeyTriggered(key); });
}

}  // namespace ventrel::scene
