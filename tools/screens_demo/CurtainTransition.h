#pragma once

#include <ventrel/menu/Transition.h>

#include <algorithm>

namespace demo {

// A black curtain that fades in before a scene switch and out after it.
class CurtainTransition : public ventrel::menu::Transition {
public:
    CurtainTransition() : Transition(nullptr, "demo/transition") { fadeObjectName = ""; }

    void setup() override {
        Transition::setup();
        root->setAlpha(0);
    }
    void startTransition(int, float time) override { root->fadeAlpha(255, speedFor(time)); }
    void finishTransition(int, float time) override { root->fadeAlpha(0, speedFor(time)); }

private:
    static float speedFor(float time) { return 1.0f / std::max(time, 0.01f); }
};

}  // namespace demo
