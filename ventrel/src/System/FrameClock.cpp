#include "ventrel/system/FrameClock.h"

#include <algorithm>

namespace ventrel::system {

float FrameClock::clamp(float step) {
    return std::clamp(step, 0.0f, MaxStep);
}

void FrameClock::begin(float value) {
    step = held ? 0.0f : value;
    held = false;
}

void FrameClock::tick() {
    time += step;
    ++frameCount;
}

void FrameClock::hold() {
    step = 0.0f;
    held = true;
}

void FrameClock::setLoadingStep(float value) {
    step = std::clamp(value, 0.0f, MaxLoadingStep);
}

}  // namespace ventrel::system
