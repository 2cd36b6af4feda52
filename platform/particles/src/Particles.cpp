#include "particles/Particles.h"

#include "kit/Log.h"

namespace particles {

namespace {

bool initialized = false;

kit::String& defaultPath() {
    static kit::String path;
    return path;
}

}  // namespace

void init() {
    if (initialized) {
        return;
    }
    initialized = true;
    kit::Log::debug("particles", "Particles initialized.");
}

void destroy() {
    if (!initialized) {
        return;
    }
    initialized = false;
    defaultPath().clear();
    kit::Log::debug("particles", "Particles destroyed.");
}

bool isInitialized() {
    return initialized;
}

void setDefaultPath(const kit::String& path) {
    defaultPath() = path;
}

const kit::String& getDefaultPath() {
    return defaultPath();
}

}  // namespace particles
