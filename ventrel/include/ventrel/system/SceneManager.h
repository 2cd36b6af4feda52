#pragma once

#include <kit/Types.h>

namespace ventrel::system {

// Owns what is on screen and drives it every frame.
class SceneManager {
public:
    SceneManager() = default;
    virtual ~SceneManager() = default;

    // The frame's time step after clamping and debug scaling.
    float getTimeDelta() const { return timeDelta; }
    void setTimeDelta(float value) { timeDelta = value; }

protected:
    float timeDelta = 0.0f;
};

}  // namespace ventrel::system
