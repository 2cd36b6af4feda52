#pragma once

#include "kit/Types.h"

// Start and stop of the audio layer, and the values its categories are made with.
namespace audio {

class Manager;

// The back ends the layer can run on; SDL2_mixer is the only one.
enum class System { Default };

// How a category holds its sounds. The values are the ones the game passes.
enum class BufferMode {
    Memory = 3,  // decoded into memory once, many instances at a time
    Stream = 5,  // decoded while playing, one stream at a time for the whole manager
};

// How a category gets mixer voices; every category shares the one pool of voices.
enum class SourceMode { Shared = 0 };

// The one manager of the process; null before `init` and after `destroy`.
extern Manager* manager;

// Creates `manager`. The window handle is not needed by the mixer and may be null. With `threaded`
// the manager advances fades on its own thread every `updateInterval` seconds of real time;
// otherwise `Manager::update` advances them. An empty device name opens the default device. When no
// device can be opened the manager still exists and all its operations do nothing. Returns whether a
// device is open; a second call while `manager` exists changes nothing.
bool init(System system, void* windowHandle, bool threaded, float updateInterval,
          const kit::String& deviceName);
void destroy();

}  // namespace audio
