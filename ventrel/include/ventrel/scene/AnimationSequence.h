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
    system::Contract getContract() const override;

protected:
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
    void _finalize() override;
    void _next();
    void _skip();

    bool _buttonNext(gui::Object* object);
    bool _buttonSkip(gui::Object* object);

private:
    bool _isInsideStep() const;
};

}  // namespace ventrel::scene
