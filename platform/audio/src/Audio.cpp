#include "audio/Audio.h"

#include "audio/Manager.h"
#include "kit/Log.h"

namespace audio {

Manager* manager = nullptr;

bool init(System, void*, bool threaded, float updateInterval, const kit::String& deviceName) {
    if (manager) {
        kit::Log::warn("audio", "Audio is already initialized");
        return manager->isDeviceOpen();
    }
    manager = new Manager(threaded, updateInterval, deviceName);
    kit::Log::debug("audio", "Audio initialized.");
    return manager->isDeviceOpen();
}

void destroy() {
    delete manager;
    manager = nullptr;
}

}  // namespace audio
