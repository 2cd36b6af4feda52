#pragma once

#include <kit/Types.h>

#include "ventrel/scene/Base.h"

namespace ventrel::scene {

// A scene that plays its data set's animations once, with sounds at given times, and then
// finalizes; Enter or Escape (or the finish object) ends it early when it is skippable.
class Animation : public Base {
public:
    Animation(const kit::String& name, const kit::String& playlistName);

    bool isWaitingAnimation() const override;
    bool isFinalized() const { return finalized; }
    system::Contract getContract() const override;

protected:
    bool skippable = true;
    bool finalized = false;
    // Time in seconds of the scene -> sound played when that time is reached.
    kit::Map<float, kit::String> soundCues;
    kit::String finishObjectName;

    void _setupCallbacks() override;
    void _startUpdate() override;
    void _updateInput() override;
    void _updateLogic() override;
    virtual void _finalize();

    bool _buttonFinish(gui::Object* object);
    // Plays the cues whose time lies in this frame's step.
    void _playSoundCues();
    // Fades out the cues that still play.
    void _stopSoundCues();
    // Whether one of the keys was triggered this frame.
    static bool _isKeyTriggered(std::initializer_list<host::Key> keys);
};

}  // namespace ventrel::scene
