#include "Menu/InGame/RollDice.h"

#include <gui/Animator.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include <cmath>

#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/Objects.h"

namespace Menu::InGame {

namespace {

const kit::String FacePrefix = "gui.dice/";
const kit::String RolledPrefix = "gui.dice_rolled/";

}  // namespace

RollDice::RollDice(ventrel::system::Context* owner) : Base(owner, "menu/ingame/roll_dice") {
    confirmObjectName = "button_dice";
    cancelObjectName = "button_back";
    scaleObjectName = "foreground";
    visibleOnSetup = false;
    useShowAnimation = true;
    useHideAnimation = true;
    setAutoFocusMode(3, 1, false);
}

ventrel::system::Contract RollDice::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"foreground", Kind::Object})
        .add({"image_dice", Kind::ImageBox})
        .add({"button_dice", Kind::Button})
        .add({"button_ok", Kind::Button})
        .add({"button_back", Kind::Button})
        .add({"roller", Kind::Animator})
        .add({"scaler_x", Kind::Animator})
        .add({"scaler_y", Kind::Animator});
}

void RollDice::show() {
    Base::show();
    if (gui::Animator* roller = getAnimator("roller")) {
        roller->rewind();
        roller->update(0.0f);
    }
    for (const char* scaler : {"scaler_x", "scaler_y"}) {
        if (gui::Animator* animator = getAnimator(scaler)) {
            animator->reset();
        }
    }
    autoRollDelay = AutoRollDelay;
    // With a controller in hand, the hint names its button instead of the mouse and Space.
    System::setTextKey(this, "label_hint",
                       System::isControllerInUse()
                           ? "{%f} gui.RollDiceHintPad " + System::padButtonNames().front()
                           : kit::String("gui.RollDiceHint"));
}

bool RollDice::isBusy() const {
    return isVisibilityAnimated() || closeCountdown > 0.0f;
}

// The dice stops at the next quarter second of its tumble, so that it lands on a whole turn.
void RollDice::setRoll(int value) {
    rolledValue = value;
    gui::Animator* roller = getAnimator("roller");
    float now = roller ? roller->getTime() : 0.0f;
    float stop = std::ceil(now * 4.0f) / 4.0f;
    float wait = stop - now;
    if (roller) {
        roller->setStopTime(stop);
    }
    closeCountdown = wait + CloseDelay;
    _rewindAnimator("scaler_x", true, wait);
    _rewindAnimator("scaler_y", true, wait);
}

void RollDice::_rewindAnimator(const kit::String& name, bool enabled, float delay) {
    gui::Animator* animator = getAnimator(name);
    if (!animator) {
        return;
    }
    animator->setEnabled(enabled);
    animator->setDelay(delay);
    animator->rewind();
    animator->update(0.0f);
}

void RollDice::_updateInput() {
    Base::_updateInput();
    if (rolledValue != 0 || !inputAllowed || !isVisible() ||
        !kit::toBool(System::profile().get("AutoRoll"))) {
        return;
    }
    float frame = ventrel::sceneManager ? ventrel::sceneManager->getTimeDelta() : 0.0f;
    autoRollDelay -= frame;
    if (autoRollDelay > 0.0f) {
        return;
    }
    inputAllowed = false;
    if (gui::Object* dice = getObject("button_dice")) {
        dice->triggerEvent(gui::Event::Click, 1);
    }
}

void RollDice::_updateLogic() {
    Base::_updateLogic();
    float frame = ventrel::sceneManager ? ventrel::sceneManager->getTimeDelta() : 0.0f;
    kit::String prefix = closeCountdown > 0.0f ? RolledPrefix : FacePrefix;
    if (rolledValue != 0) {
        System::setImage(this, "image_dice",
                         (isVisibilityAnimated() ? RolledPrefix : prefix) + kit::toString(rolledValue));
    } else {
        float before = faceTime;
        faceTime += frame;
        if (std::floor(faceTime / FaceInterval) > std::floor(before / FaceInterval)) {
            _showNextFace(prefix);
        }
    }
    if (closeCountdown <= 0.0f) {
        return;
    }
    closeCountdown -= frame;
    if (closeCountdown <= 0.0f) {
        hide();
    }
}

// Never the face that shows now, so that the tumble is always seen to move.
void RollDice::_showNextFace(const kit::String& prefix) {
    int shown = _faceOf(System::getImage(this, "image_dice"));
    if (shown < 1 || shown > 6) {
        System::setImage(this, "image_dice", prefix + kit::toString(kit::random(1, 7)));
        return;
    }
    int face = kit::random(1, 6);
    if (face >= shown) {
        ++face;
    }
    System::setImage(this, "image_dice", prefix + kit::toString(face));
}

int RollDice::_faceOf(const kit::String& image) {
    for (const kit::String& prefix : {RolledPrefix, FacePrefix}) {
        if (kit::startsWith(image, prefix) && kit::isInt(image.substr(prefix.size()))) {
            return kit::toInt(image.substr(prefix.size()));
        }
    }
    return 0;
}

}  // namespace Menu::InGame
