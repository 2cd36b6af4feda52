#include "Game/Sobering.h"

#include <kit/Format.h>

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

// What float arithmetic leaves over a whole hundredth must not round it up a step.
constexpr float Slack = 1e-3f;

}  // namespace

float Sobering::estimateAfter(int estimate, double hours) {
    return std::max(0.0f, static_cast<float>(estimate - PerHour * hours));
}

float Sobering::hoursToZero(float estimate) {
    return std::max(0.0f, estimate / PerHour);
}

double Sobering::hoursBetween(unsigned int since, unsigned int now) {
    if (since == 0 || now <= since) {
        return 0.0;
    }
    return (now - since) / 3600.0;
}

kit::String Sobering::formatEstimate(float estimate) {
    int hundredths = static_cast<int>(std::ceil(std::max(0.0f, estimate) - Slack));
    return kit::format("%d.%02d", hundredths / 100, hundredths % 100);
}

kit::String Sobering::formatHours(float hours) {
    int tenths = static_cast<int>(std::ceil(std::max(0.0f, hours) * 10.0f - Slack));
    return kit::format("%d.%d", tenths / 10, tenths % 10);
}

}  // namespace Game
