#pragma once

namespace host {

// Receives the frames of the main loop (Window::setUpdateDelegate).
class UpdateDelegate {
public:
    virtual ~UpdateDelegate() = default;

    // Called once per frame after the frame's events, with the time step in seconds. Returning false
    // ends the main loop after this frame.
    virtual bool onUpdate(float timeDelta) = 0;
    // Called after onUpdate to show the frame; the default presents it through host::rendersys.
    virtual void onPresentFrame();
};

}  // namespace host
