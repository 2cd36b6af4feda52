#include "System/NightSettings.h"

#include <kit/Strings.h>

#include <algorithm>

#include "System/Globals.h"

namespace System {

int waterNoticeLevel() {
    kit::String stored = profile().get("WaterNotice");
    if (std::find(WaterNoticeOptions.begin(), WaterNoticeOptions.end(), stored) == WaterNoticeOptions.end()) {
        stored = WaterNoticeOptions.front();
    }
    kit::String digits = stored.substr(kit::String("WaterNotice").size());
    return digits == "Off" ? 0 : kit::toInt(digits);
}

bool isRideNumber(const kit::String& text) {
    return text.size() <= RideNumberLength && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || c == ' ' || c == '+' || c == '-';
           });
}

kit::String rideNumber() {
    kit::String stored = kit::trim(profile().get("RideNumber"));
    return isRideNumber(stored) ? stored : kit::String();
}

}  // namespace System
