#include "ventrel/system/Input.h"

#include <gui/Gui.h>
#include <kit/Exception.h>
#include <kit/Log.h>

#include <algorithm>

#include "ventrel/Ventrel.h"
#include "ventrel/system/Core.h"
#include "ventrel/system/SceneManager.h"

namespace ventrel::system {

const Input::Action Input::Action::Active("Active");
const Input::Action Input::Action::Inactive("Inactive");
const Input::Action Input::Action::Activated("Activated");
const Input::Action Input::Action::Deactivated("Deactivated");
const Input::State Input::State::Idle("Idle");
const Input::State Input::State::Trigger("Trigger");
const Input::State Input::State::FrameTrigger("FrameTrigger");
const Input::State Input::State::Press("Press");
const Input::State Input::State::Release("Release");

namespace {

size_t indexOf(unsigned int code) {
    return code < static_cast<unsigned int>(Input::Count) ? code : 0;
}

bool isOneOf(const Input::State& state, const Input::State& a, const Input::State& b) {
    return state == a || state == b;
}

// Exceptions that escape the game's handlers end in the core's crash report.
template <class Function>
void guarded(Function function) {
    try {
        function();
    } catch (const kit::Exception& e) {
        if (core) {
            core->logCrash(e);
        } else {
            kit::Log::error(LogTag, e.what());
        }
    }
}

}  // namespace

Input::Input() {
    reset();
}

void Input::reset() {
    resetInput();
    resetState();
}

void Input::resetInput() {
    mouse = Tracked();
    keyInputs.fill(Tracked());
    buttonInputs.fill(Tracked());
}

void Input::_step(Tracked& tracked) {
    if (tracked.action == Action::Activated) {
        tracked.action = Action::Active;
    }
    bool wasDown = isOneOf(tracked.state, State::Trigger, State::Press);
    if (tracked.action == Action::Active) {
        tracked.state = wasDown ? State::Press : State::Trigger;
    } else if (tracked.action == Action::Deactivated) {
        tracked.state = State::FrameTrigger;
        tracked.action = Action::Inactive;
    } else {
        tracked.state = wasDown ? State::Release : State::Idle;
    }
    tracked.triggers = tracked.triggersCount;
    tracked.triggersCount = 0;
}

void Input::update() {
    _step(mouse);
    for (host::Key key : keys) {
        _step(keyInputs[indexOf(static_cast<unsigned int>(key))]);
    }
    for (host::Button button : buttons) {
        _step(buttonInputs[indexOf(static_cast<unsigned int>(button))]);
    }
    _applyInertia();
}

void Input::_applyInertia() {
    if (mouse.state != State::Idle || moveVector.isNull()) {
        return;
    }
    float length = moveVector.length();
    if (length > maxMoveVector) {
        moveVector *= maxMoveVector / length;
        length = maxMoveVector;
    }
    float dampening = (sceneManager ? sceneManager->getTimeDelta() : 0.0f) * dampeningFactor;
    moveVector = length > dampening ? moveVector * ((length - dampening) / length) : quadrix::Vector2();
}

const Input::Tracked* Input::_key(host::Key key) const {
    return &keyInputs[indexOf(static_cast<unsigned int>(key))];
}

const Input::Tracked* Input::_button(host::Button button) const {
    return &buttonInputs[indexOf(static_cast<unsigned int>(button))];
}

bool Input::isMouseTriggered() const {
    return isOneOf(mouse.state, State::Trigger, State::FrameTrigger);
}
bool Input::isMousePressed() const {
    return isOneOf(mouse.state, State::Trigger, State::Press);
}
bool Input::isMouseReleased() const {
    return isOneOf(mouse.state, State::Release, State::FrameTrigger);
}

bool Input::isMouseTriggered(host::Key key) const {
    return isMouseTriggered() && _key(key)->state == State::Trigger;
}

bool Input::isMousePressed(host::Key key) const {
    const State& state = _key(key)->state;
    return (mouse.state == State::Trigger && state == State::Trigger) ||
           (mouse.state == State::Press && state == State::Press);
}

bool Input::isMouseReleased(host::Key key) const {
    return isMouseReleased() && _key(key)->state == State::Release;
}

bool Input::isKeyTriggered(host::Key key) const {
    return isOneOf(_key(key)->state, State::Trigger, State::FrameTrigger);
}
bool Input::isKeyPressed(host::Key key) const {
    return isOneOf(_key(key)->state, State::Trigger, State::Press);
}
bool Input::isKeyReleased(host::Key key) const {
    return isOneOf(_key(key)->state, State::Release, State::FrameTrigger);
}

bool Input::isButtonTriggered(host::Button button) const {
    return isOneOf(_button(button)->state, State::Trigger, State::FrameTrigger);
}
bool Input::isButtonPressed(host::Button button) const {
    return isOneOf(_button(button)->state, State::Trigger, State::Press);
}
bool Input::isButtonReleased(host::Button button) const {
    return isOneOf(_button(button)->state, State::Release, State::FrameTrigger);
}

int Input::getMouseTriggers(host::Key key) const {
    return std::min(mouse.triggers, _key(key)->triggers);
}
int Input::getKeyTriggers(host::Key key) const {
    return _key(key)->triggers;
}
int Input::getButtonTriggers(host::Button button) const {
    return _button(button)->triggers;
}

quadrix::Vector2 Input::getCursorPosition() const {
    return gui::getCursorPosition();
}

bool Input::_isTracked(host::Key key) const {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

void Input::addKey(host::Key key) {
    if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
        keys.push_back(key);
    }
}

void Input::addButton(host::Button button) {
    if (std::find(buttons.begin(), buttons.end(), button) == buttons.end()) {
        buttons.push_back(button);
    }
}

void Input::addState(const kit::String& name) {
    states.push_back(name);
    kit::Log::debug(LogTag, "New input context: " + name);
}

kit::String Input::removeState() {
    if (states.empty()) {
        return DefaultState;
    }
    kit::String removed = states.back();
    states.pop_back();
    kit::Log::debug(LogTag, "New input context: " + getCurrentState() + " (removing " + removed + ")");
    return removed;
}

kit::String Input::getCurrentState() const {
    return states.empty() ? DefaultState : states.back();
}

void Input::resetState() {
    states.clear();
    kit::Log::debug(LogTag, "Resetting input context.");
}

void Input::_press(Tracked& tracked) {
    tracked.action = Action::Activated;
}

void Input::_release(Tracked& tracked, bool counted) {
    if (tracked.action != Action::Activated) {
        tracked.action = Action::Inactive;
        return;
    }
    tracked.action = Action::Deactivated;
    if (counted) {
        ++tracked.triggersCount;
    }
}

void Input::onMouseDown(host::Key key) {
    guarded([&] {
        gui::updateCursorPosition();
        _press(mouse);
        _press(keyInputs[indexOf(static_cast<unsigned int>(key))]);
        if (sceneManager) {
            sceneManager->onMouseDown(key);
        }
        moveVector = quadrix::Vector2();
        lastCursorPosition = gui::getCursorPosition();
    });
}

void Input::onMouseUp(host::Key key) {
    guarded([&] {
        gui::updateCursorPosition();
        _release(mouse, true);
        _release(keyInputs[indexOf(static_cast<unsigned int>(key))], _isTracked(key));
        if (sceneManager) {
            sceneManager->onMouseUp(key);
        }
    });
}

void Input::onMouseCancel(host::Key key) {
    guarded([&] {
        gui::updateCursorPosition();
        mouse.action = Action::Inactive;
        keyInputs[indexOf(static_cast<unsigned int>(key))].action = Action::Inactive;
        if (sceneManager) {
            sceneManager->onMouseCancel(key);
        }
    });
}

void Input::onMouseMove() {
    guarded([&] {
        gui::updateCursorPosition();
        if (sceneManager) {
            sceneManager->onMouseMove();
        }
        if (mouse.state == State::Press) {
            quadrix::Vector2 cursor = gui::getCursorPosition();
            moveVector = cursor - lastCursorPosition;
            lastCursorPosition = cursor;
        }
    });
}

void Input::onMouseScroll(float x, float y) {
    guarded([&] {
        gui::updateCursorPosition();
        if (sceneManager) {
            sceneManager->onMouseScroll(x, y);
        }
    });
}

void Input::onKeyDown(host::Key key) {
    guarded([&] {
        _press(keyInputs[indexOf(static_cast<unsigned int>(key))]);
        if (sceneManager) {
            sceneManager->onKeyDown(key);
        }
    });
}

void Input::onKeyUp(host::Key key) {
    guarded([&] {
        _release(keyInputs[indexOf(static_cast<unsigned int>(key))], _isTracked(key));
        if (sceneManager) {
            sceneManager->onKeyUp(key);
        }
    });
}

void Input::onChar(unsigned int charCode) {
    guarded([&] {
        if (sceneManager) {
            sceneManager->onChar(charCode);
        }
    });
}

void Input::onTouch(const kit::Array<quadrix::Vector2>& touches) {
    guarded([&] {
        if (sceneManager) {
            sceneManager->onTouch(touches);
        }
    });
}

void Input::onButtonDown(host::Button button) {
    guarded([&] {
        _press(buttonInputs[indexOf(static_cast<unsigned int>(button))]);
        if (sceneManager) {
            sceneManager->onButtonDown(button);
        }
    });
}

void Input::onButtonUp(host::Button button) {
    guarded([&] {
        _release(buttonInputs[indexOf(static_cast<unsigned int>(button))],
                 std::find(buttons.begin(), buttons.end(), button) != buttons.end());
        if (sceneManager) {
            sceneManager->onButtonUp(button);
        }
    });
}

}  // namespace ventrel::system
