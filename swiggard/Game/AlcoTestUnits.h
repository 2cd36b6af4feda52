#pragma once

#include <kit/Types.h>

#include "Game/AlcoTestData.h"

namespace Game {

// How the screens show and take blood-alcohol data: estimates, percent, kilograms or pounds,
// millilitres or fluid ounces, and the short number texts of the entry fields.
class AlcoTestUnits {
public:
    using UnitSystem = AlcoTestData::UnitSystem;

    AlcoTestUnits() = delete;

    // The profile's choice: "UnitSystemImperial" is imperial, anything else metric.
    static UnitSystem getUnitSystem();

    // An estimate in hundredths of a percent as "0.07".
    static kit::String formatEstimate(int estimate);

    static float permilleToPercent(int permille) { return static_cast<float>(permille) * 0.1f; }
    // Nearest whole per mille, 0 to 1000.
    static int permilleFromPercent(float percent);

    // Kilograms or pounds.
    static float weightToDisplay(float grams, const UnitSystem& units);
    // Grams, 0 to 453000.
    static float weightFromDisplay(float shown, const UnitSystem& units);

    // Millilitres or fluid ounces of a volume kept in units of 1 / scale millilitres (the alco-test
    // screen keeps hundredths: scale 100).
    static float volumeToDisplay(float volume, const UnitSystem& units, float scale = 1.0f);
    // The kept volume, 0 to 280.
    static float volumeFromDisplay(float shown, const UnitSystem& units, float scale = 1.0f);

    // A number as typed into an entry field, with a decimal point or comma; 0 when there is none.
    static float parseNumber(const kit::String& text);
    // At most one decimal (tenths, dropped when zero), at most four characters; 0 is "".
    static kit::String formatNumber(float value);
    // The nearest whole number; 0 is "".
    static kit::String formatWholeNumber(float value);

    static constexpr float PoundsPerKilogram = 2.20462f;
    static constexpr float FluidOuncesPerMillilitre = 0.033814f;
};

}  // namespace Game
