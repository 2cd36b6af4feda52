#pragma once

#include <functional>

#include "host/Button.h"
#include "host/Color.h"
#include "host/ControllerDelegate.h"
#include "host/InputDelegate.h"
#include "host/Key.h"
#include "host/KeyboardDelegate.h"
#include "host/MouseDelegate.h"
#include "host/RenderSystem.h"
#include "host/SystemDelegate.h"
#include "host/SystemInfo.h"
#include "host/Texture.h"
#include "host/TouchDelegate.h"
#include "host/UpdateDelegate.h"
#include "host/Window.h"
#include "kit/Types.h"

// The platform layer over SDL2: window, main loop, render system, input, and a few system services.
// Log lines of this layer carry the tag "host".
namespace host {

// The window implementation; SDL is the only one.
enum class WindowType { Default };
enum class MessageBoxStyle { Info, Warning, Error };

// Starts SDL's video, events and game-controller parts and SDL2_image, and makes host::rendersys and
// host::window (not yet opened). Without SDL_VIDEODRIVER and without a display (no DISPLAY or
// WAYLAND_DISPLAY) the video driver becomes "offscreen"; with "offscreen" or "dummy" the render
// system uses the software renderer without framebuffer acceleration. False when SDL cannot start.
bool init(RenderSystemType renderSystemType = RenderSystemType::Default,
          WindowType windowType = WindowType::Default);
// Sets the render system's options for the renderer the window will make.
bool createRenderSystem(const RenderSystem::Options& options = RenderSystem::Options());
// Opens the window (and the renderer). False when it cannot be opened.
bool createWindow(int width, int height, bool fullscreen, const kit::String& title,
                  const Window::Options& options = Window::Options());
// Closes the window, deletes host::window and host::rendersys (textures still alive lose their
// pixels) and shuts SDL down.
void destroy();

// The program's main: calls init with the arguments (argv[0] first), runs the window's main loop
// (Window::enterMainLoop), then calls destroy and returns the loop's result. When init opened no
// window the loop is skipped and the result is 1.
int runMain(const std::function<void(const kit::Array<kit::String>& args)>& init,
            const std::function<void()>& destroy, int argc, char** argv);

// File extensions of loadable pictures, in the order findTextureResource tries them.
kit::Array<kit::String> getTextureExtensions();
// At most this many asynchronously decoded textures are uploaded per frame; 0 (the default) means
// no limit.
void setMaxAsyncTextureUploadsPerFrame(int count);
int getMaxAsyncTextureUploadsPerFrame();

// Facts about the machine (works before init; computed once).
SystemInfo getSystemInfo();
// A modal message box with one OK button; without a display (headless) the text only goes to the log.
void showMessageBox(const kit::String& title, const kit::String& text,
                    MessageBoxStyle style = MessageBoxStyle::Info);
// Opens a URL with the desktop's handler (SDL_OpenURL, which calls xdg-open). False on failure.
bool openUrl(const kit::String& url);

// Takes the program-wide single-instance lock: an flock on "<name>.lock" in $XDG_RUNTIME_DIR (else
// the temporary folder), held until unlockSingleInstance or the end of the process. False when
// another process holds it. The path (the program's) is written into the lock file for people to
// read. A process that holds the lock gets true again.
bool lockSingleInstance(const kit::String& name, const kit::String& path);
void unlockSingleInstance();

// prefix + "_" + a number: never the same name twice while the program runs (thread-safe).
kit::String generateName(const kit::String& prefix);

}  // namespace host
