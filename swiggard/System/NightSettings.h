#pragma once

#include <kit/Types.h>

// The settings that look after the group: the level of the glass-of-water notice and the ride home.
namespace System {

// The glass-of-water notice's presets, stored under "WaterNotice": the level is their number.
inline const kit::Array<kit::String> WaterNoticeOptions = {"WaterNotice5", "WaterNotice8", "WaterNotice2",
                                                           "WaterNoticeOff"};
constexpr int RideNumberLength = 24;

// The notice's level in hundredths of a percent; 0 when it is off.
int waterNoticeLevel();
// Whether a text may stand as a ride number: digits, spaces, "+" and "-", at most 24 characters.
bool isRideNumber(const kit::String& text);
// The stored ride number, empty when none or when the stored text is not one.
kit::String rideNumber();

}  // namespace System
