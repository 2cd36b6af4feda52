#pragma once

#include "host/Window.h"

namespace host {

// Receives the window's system events (Window::setSystemDelegate).
class SystemDelegate {
public:
    virtual ~SystemDelegate() = default;

    // The user asked the window to close. Returning true ends the main loop; returning false keeps the
    // window open (the game decides, for example by asking the player first). Without a system
    // delegate the request ends the loop.
    virtual bool onQuit(bool canCancel);
    virtual void onWindowFocusChanged(bool focused);
    // The window's size in pixels changed, or it switched between windowed and full screen. The
    // render system's viewport has already been reset to the whole window.
    virtual void onWindowSizeChanged(int width, int height, bool fullscreen);
    // The (translated) input mode changed.
    virtual void onInputModeChanged(Window::InputMode inputMode);
    // An on-screen keyboard appeared or vanished; never happens on the desktop.
    virtual void onVirtualKeyboardChanged(bool visible, float heightRatio);
    virtual void onLowMemoryWarning();
};

}  // namespace host
