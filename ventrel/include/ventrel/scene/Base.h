#pragma once

#include "ventrel/system/Context.h"

namespace ventrel::system {
class SceneManager;
}

namespace ventrel::scene {

// The top-level screen the scene manager runs: one is current, a switch replaces it with a fresh one.
class Base : public system::Context {
public:
    Base(const kit::String& name, const kit::String& playlistName);

    void setup() override;
    void finish() override;

    // Set up and not being loaded.
    bool isRunning() const;
    bool isFinished() const { return finished; }
    bool isWaitingBeforeSceneSwitch() const { return waitTime > 0.0f; }
    const kit::String& getPlaylistName() const { return playlistName; }
    void setPlaylistName(const kit::String& name) { playlistName = name; }

protected:
    friend class system::SceneManager;

    bool running = false;
    bool finished = false;
    kit::String playlistName;

    // A new, not yet set-up instance of the same scene (restarting).
    virtual std::unique_ptr<Base> _createNew() = 0;
};

}  // namespace ventrel::scene
