#pragma once

#include "ventrel/menu/Transition.h"

namespace ventrel::system {

// Sequences the transition menu around a scene switch: start, an optional wait for the player's
// input, finish.
class TransitionManager {
public:
    explicit TransitionManager(menu::Transition* menu);
    virtual ~TransitionManager() = default;
    TransitionManager(const TransitionManager&) = delete;
    TransitionManager& operator=(const TransitionManager&) = delete;

    // Prepares the next transition; the scene manager starts it when the current scene finishes.
    void activate(int type, float startDuration, float finishDuration, bool waitForInput);
    void start();
    void update();

    menu::Transition* getMenu() const { return menu; }
    bool isActivated() const { return activated; }
    bool isRunning() const { return running; }
    bool isStarting() const { return starting; }
    bool isFinishing() const { return finishing; }
    bool isWaitForInput() const { return waitForInput; }

protected:
    menu::Transition* menu;
    bool activated = false;
    bool running = false;
    bool starting = false;
    bool finishing = false;
    int type = 0;
    float startDuration = 0.0f;
    float finishDuration = 0.0f;
    bool waitForInput = false;

private:
    bool _isMenuAnimating() const;
    bool _isInputGiven() const;
};

}  // namespace ventrel::system
