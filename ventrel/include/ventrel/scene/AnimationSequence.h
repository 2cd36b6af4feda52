#pragma once

#include <kit/Types.h>

#include "ventrel/scene/Animation.h"

namespace ventrel::scene {

// An animation split into steps: input waits while a step plays; "next" (Enter) jumps to the next
// step's start, "skip" (Escape) ends the sequence through the skip animator.
class AnimationSequence : public Animation {
public:
    AnimationSequence(const kit::String& name, const kit::String& playlistName);

    bool isWaitingAnimation() const override;
    void setup() override;

protected:
    using Handler = bool (AnimationSequence::*)(gui::Object*);
    kit::Map<gui::Object*, Handler> callbacks;
    int stepCount = 1;
    kit::Array<float> stepStartTimes;
    kit::Array<float> stepEndTimes;
    kit::String skipAnimatorName;
    kit::String startAnimatorPrefix;
    kit::String endAnimatorPrefix;
    kit::String nextObjectName;
    kit::String skipObjectName;

    void _setupCallbacks() override;
    void _startUpdate() override;
    void _updateInput() override;
    bool _inputCallback(gui::Object* object) override;
    void _finalize() override;
    void _next();
    void _skip();

    bool _ButtonNext(gui::Object* object);
    bool _ButtonSkip(gui::Object* object);

private:
    bool _isInsideStep() const;
};

}  // namespace ventrel::scene
