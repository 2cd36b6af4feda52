#include "ventrel/scene/AnimationSequence.h"

#include <gui/Animator.h>
#include <kit/Strings.h>

#include <algorithm>

namespace ventrel::scene {

AnimationSequence::AnimationSequence(const kit::String& name, const kit::String& playlistName)
    : Animation(name, playlistName) {
    skippable = false;
}

bool AnimationSequence::isWaitingAnimation() const {
    return !skipAnimatorName.empty() && getAnimator(skipAnimatorName)->isWaiting();
}

void AnimationSequence::setup() {
    Animation::setup();
    if (startAnimatorPrefix.empty() || endAnimatorPrefix.empty()) {
        return;
    }
    stepStartTimes.assign(stepCount + 1, 0.0f);
    stepEndTimes.assign(stepCount + 1, 0.0f);
    for (int i = 0; i <= stepCount; ++i) {
        gui::Animator* start = getAnimator(startAnimatorPrefix + kit::toString(i));
        gui::Animator* end = getAnimator(endAnimatorPrefix + kit::toString(i));
        stepStartTimes[i] = start->getDelay();
        stepEndTimes[i] = end->getDelay() + 1.0f / end->getSpeed();
    }
}

system::Contract AnimationSequence::getContract() const {
    using Kind = system::Contract::Kind;
    system::Contract contract = Animation::getContract();
    contract.add({startAnimatorPrefix + "%d", Kind::Animator, 0, stepCount});
    contract.add({endAnimatorPrefix + "%d", Kind::Animator, 0, stepCount});
    for (const kit::String& name : {nextObjectName, skipObjectName}) {
        if (!name.empty()) {
            contract.add({name, Kind::Object});
        }
    }
    if (!skipAnimatorName.empty()) {
        contract.add({skipAnimatorName, Kind::Animator});
    }
    return contract;
}

void AnimationSequence::_setupCallbacks() {
    Animation::_setupCallbacks();
    if (!nextObjectName.empty()) {
        bind(nextObjectName, &AnimationSequence::_buttonNext);
    }
    if (!skipObjectName.empty()) {
        bind(skipObjectName, &AnimationSequence::_buttonSkip);
    }
}

void AnimationSequence::_startUpdate() {
    Base::_startUpdate();
    if (finalized) {
        inputAllowed = false;
    }
    if (inputAllowed && !skipAnimatorName.empty() && getAnimator(skipAnimatorName)->isRunning()) {
        inputAllowed = false;
    }
    if (inputAllowed && _isInsideStep()) {
        inputAllowed = false;
    }
}

void AnimationSequence::_updateInput() {
    if (!nextObjectName.empty() && _isKeyTriggered({host::Key::Enter})) {
        _playClickSound(nextObjectName);
        _next();
    } else if (!skipObjectName.empty() && _isKeyTriggered({host::Key::Escape})) {
        _playClickSound(skipObjectName);
        _skip();
    }
    if (inputAllowed) {
        Animation::_updateInput();
    }
}

void AnimationSequence::_finalize() {
    finalized = true;
    _stopSoundCues();
}

void AnimationSequence::_next() {
    auto next = std::find_if(stepStartTimes.begin(), stepStartTimes.end(),
                             [this](float start) { return start > time; });
    if (next == stepStartTimes.end()) {
        return;
    }
    if (next + 1 == stepStartTimes.end()) {
        _skip();
        return;
    }
    float ahead = *next - time;
    if (ahead <= 0.0f) {
        return;
    }
    _stopSoundCues();
    inputAllowed = false;
    time += ahead;
    for (gui::Animator* animator : dataset->getAnimators()) {
        animator->setDelay(animator->getDelay() - ahead);
    }
}

void AnimationSequence::_skip() {
    _stopSoundCues();
    inputAllowed = false;
    for (gui::Animator* animator : dataset->getAnimators()) {
        animator->setEnabled(false);
    }
    if (!skipAnimatorName.empty()) {
        gui::Animator* skipAnimator = getAnimator(skipAnimatorName);
        skipAnimator->setEnabled(true);
        skipAnimator->setDelay(0.0f);
    }
}

bool AnimationSequence::_buttonNext(gui::Object*) {
    _next();
    return true;
}

bool AnimationSequence::_buttonSkip(gui::Object*) {
    _skip();
    return true;
}

bool AnimationSequence::_isInsideStep() const {
    for (size_t i = 0; i < stepStartTimes.size() && i < stepEndTimes.size(); ++i) {
        if (stepStartTimes[i] <= time && time < stepEndTimes[i]) {
            return true;
        }
    }
    return false;
}

}  // namespace ventrel::scene
