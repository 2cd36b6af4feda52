#pragma once

#include <host/Button.h>
#include <host/InputDelegate.h>
#include <host/Key.h>
#include <kit/EnumerationType.h>
#include <kit/Types.h>
#include <quadrix/Vector2.h>

#include <array>

namespace ventrel::system {

// Receives the window's input, passes every event on to the scene manager, and keeps per-frame
// states of the mouse and of the tracked keys and buttons, a stack of named input contexts, the
// confirm and cancel keys, and a drag vector with inertia.
class Input : public host::InputDelegate {
public:
    // What happened to a key since the last update.
    class Action : public kit::EnumerationType<Action> {
    public:
        static constexpr const char* TypeName = "Input::Action";
        using EnumerationType::EnumerationType;
        static const Action Active, Inactive, Activated, Deactivated;
    };
    // What a key did in this frame.
    class State : public kit::EnumerationType<State> {
    public:
        static constexpr const char* TypeName = "Input::State";
        using EnumerationType::EnumerationType;
        static const State Idle, Trigger, FrameTrigger, Press, Release;
    };

    static constexpr int Count = 256;
    static inline const kit::String DefaultState = "Ventrel:Default";

    Input();

    void update();
    void reset();
    void resetInput();

    bool isMouseTriggered() const;
    bool isMousePressed() const;
    bool isMouseReleased() const;
    bool isMouseTriggered(host::Key key) const;
    bool isMousePressed(host::Key key) const;
    bool isMouseReleased(host::Key key) const;
    bool isKeyTriggered(host::Key key) const;
    bool isKeyPressed(host::Key key) const;
    bool isKeyReleased(host::Key key) const;
    bool isButtonTriggered(host::Button button) const;
    bool isButtonPressed(host::Button button) const;
    bool isButtonReleased(host::Button button) const;
    int getMouseTriggers() const { return mouse.triggers; }
    int getMouseTriggers(host::Key key) const;
    int getKeyTriggers(host::Key key) const;
    int getButtonTriggers(host::Button button) const;
    quadrix::Vector2 getCursorPosition() const;

    void addKey(host::Key key);
    void addButton(host::Button button);
    const kit::Array<host::Key>& getConfirmKeys() const { return confirmKeys; }
    void setConfirmKeys(const kit::Array<host::Key>& keys) { confirmKeys = keys; }
    const kit::Array<host::Key>& getCancelKeys() const { return cancelKeys; }
    void setCancelKeys(const kit::Array<host::Key>& keys) { cancelKeys = keys; }
    const kit::Array<host::Button>& getConfirmButtons() const { return confirmButtons; }
    void setConfirmButtons(const kit::Array<host::Button>& buttons) { confirmButtons = buttons; }
    const kit::Array<host::Button>& getCancelButtons() const { return cancelButtons; }
    void setCancelButtons(const kit::Array<host::Button>& buttons) { cancelButtons = buttons; }

    // Input contexts.
    void addState(const kit::String& name);
    kit::String removeState();
    kit::String getCurrentState() const;
    void resetState();

    const quadrix::Vector2& getMoveVector() const { return moveVector; }
    void setMoveVector(const quadrix::Vector2& vector) { moveVector = vector; }
    void resetMoveVector() { moveVector = quadrix::Vector2(); }
    float getDampeningFactor() const { return dampeningFactor; }
    void setDampeningFactor(float value) { dampeningFactor = value; }
    float getMaxMoveVector() const { return maxMoveVector; }
    void setMaxMoveVector(float value) { maxMoveVector = value; }

    void onMouseDown(host::Key key) override;
    void onMouseUp(host::Key key) override;
    void onMouseCancel(host::Key key) override;
    void onMouseMove() override;
    void onMouseScroll(float x, float y) override;
    void onKeyDown(host::Key key) override;
    void onKeyUp(host::Key key) override;
    void onChar(unsigned int charCode) override;
    void onTouch(const kit::Array<quadrix::Vector2>& touches) override;
    void onButtonDown(host::Button button) override;
    void onButtonUp(host::Button button) override;

private:
    struct Tracked {
        Action action = Action::Inactive;
        State state = State::Idle;
        int triggers = 0;
        int triggersCount = 0;
    };

    quadrix::Vector2 moveVector;
    float dampeningFactor = 30.0f;
    float maxMoveVector = 50.0f;
    kit::Array<kit::String> states;
    Tracked mouse;
    std::array<Tracked, Count> keyInputs;
    std::array<Tracked, Count> buttonInputs;
    kit::Array<host::Key> keys;
    kit::Array<host::Button> buttons;
    kit::Array<host::Key> confirmKeys = {host::Key::Enter};
    kit::Array<host::Key> cancelKeys = {host::Key::Escape};
    kit::Array<host::Button> confirmButtons;
    kit::Array<host::Button> cancelButtons;
    quadrix::Vector2 lastCursorPosition;

    static void _step(Tracked& tracked);
    static void _press(Tracked& tracked);
    static void _release(Tracked& tracked, bool counted);
    void _applyInertia();
    bool _isTracked(host::Key key) const;
    const Tracked* _key(host::Key key) const;
    const Tracked* _button(host::Button button) const;
};

}  // namespace ventrel::system
