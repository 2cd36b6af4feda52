#pragma once

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// The screen between scenes; the transition manager calls these around a switch and the game's
// transition animates them.
class Transition : public Base {
public:
    Transition(system::Context* owner, const kit::String& name);

    virtual void startTransition(int, float) {}
    virtual void finishTransition(int, float) {}
    virtual void startWaitForInput() {}
    virtual void finishWaitForInput() {}
};

}  // namespace ventrel::menu
