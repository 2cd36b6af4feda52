#pragma once

#include <kit/Types.h>

namespace Game {

// How an estimate wears off after the night: the body clears about 0.015 % an hour from the first
// alcoholic sip. Estimates are in hundredths of a percent, as the blood-alcohol estimate gives them.
class Sobering {
public:
    static constexpr float PerHour = 1.5f;

    // The estimate left `hours` after the first sip; never below 0.
    static float estimateAfter(int estimate, double hours);
    // Hours until the estimate is 0.00 %.
    static float hoursToZero(float estimate);
    // The hours between two times in seconds; 0 before the first sip (`since` 0) or for a clock that
    // went back.
    static double hoursBetween(unsigned int since, unsigned int now);
    // "0.06": hundredths of a percent, rounded up, so that the figure never looks better than it is.
    static kit::String formatEstimate(float estimate);
    // "3.7": tenths of an hour, rounded up.
    static kit::String formatHours(float hours);
};

}  // namespace Game
