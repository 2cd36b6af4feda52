#include "Game/AlcoTestUnits.h"

#include <kit/Format.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cmath>

#include "System/Globals.h"

namespace Game {

AlcoTestUnits::UnitSystem AlcoTestUnits::getUnitSystem() {
    return System::profile().get("UnitSystem") == "UnitSystemImperial" ? UnitSystem::Imperial
                                                                       : UnitSystem::Metric;
}

kit::String AlcoTestUnits::formatEstimate(int estimate) {
    return kit::format("0.%02d", estimate);
}

int AlcoTestUnits::permilleFromPercent(float percent) {
    float permille = std::round(percent * 10.0f);
    return std::isfinite(permille) ? static_cast<int>(std::clamp(permille, 0.0f, 1000.0f)) : 0;
}

float AlcoTestUnits::weightToDisplay(float grams, const UnitSystem& units) {
    float kilograms = grams * 0.001f;
    return units == UnitSystem::Imperial ? kilograms * PoundsPerKilogram : kilograms;
}

float AlcoTestUnits::weightFromDisplay(float shown, const UnitSystem& units) {
    float grams = units == UnitSystem::Imperial ? shown * 1000.0f / PoundsPerKilogram : shown * 1000.0f;
    return std::isfinite(grams) ? std::clamp(grams, 0.0f, AlcoTestData::MaxWeight) : 0.0f;
}

float AlcoTestUnits::volumeToDisplay(float volume, const UnitSystem& units, float scale) {
    float millilitres = volume * scale;
    return units == UnitSystem::Imperial ? millilitres * FluidOuncesPerMillilitre : millilitres;
}

float AlcoTestUnits::volumeFromDisplay(float shown, const UnitSystem& units, float scale) {
    float millilitres = units == UnitSystem::Imperial ? shown / FluidOuncesPerMillilitre : shown;
    float volume = millilitres / scale;
    return std::isfinite(volume) ? std::clamp(volume, 0.0f, AlcoTestData::MaxVolume) : 0.0f;
}

float AlcoTestUnits::parseNumber(const kit::String& text) {
    kit::String typed = text;
    std::replace(typed.begin(), typed.end(), ',', '.');
    float value = kit::toFloat(typed);
    return std::isfinite(value) ? value : 0.0f;
}

kit::String AlcoTestUnits::formatNumber(float value) {
    if (!std::isfinite(value) || value <= 0.0f) {
        return "";
    }
    // Four characters never show more than 9999.
    value = std::min(value, 9999.0f);
    // The small allowance keeps 2.3 (stored as 2.2999…) from showing as 2.2.
    long long tenthsTotal = static_cast<long long>(value * 10.0f + 0.001f);
    if (tenthsTotal == 0) {
        return "";
    }
    long long tenths = tenthsTotal % 10;
    kit::String text = kit::toString(tenthsTotal / 10);
    if (tenths != 0) {
        text += "." + kit::toString(tenths);
    }
    text = text.substr(0, 4);
    // A cut that ends on the decimal point shows the whole number alone.
    return text.back() == '.' ? text.substr(0, 3) : text;
}

kit::String AlcoTestUnits::formatWholeNumber(float value) {
    if (!std::isfinite(value)) {
        return "";
    }
    long long whole = std::llround(value);
    return whole == 0 ? "" : kit::toString(whole);
}

}  // namespace Game
