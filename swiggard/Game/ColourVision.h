#pragma once

#include <kit/Types.h>

#include <array>

namespace Game {

// How players' colours look to people with the three common colour-vision deficiencies, and how far
// apart two colours look: the simulation of Machado, Oliveira and Fernandes (2009) at full severity,
// and the CIEDE2000 colour difference.
class ColourVision {
public:
    enum class Deficiency { Protanopia, Deuteranopia, Tritanopia };
    static constexpr std::array<Deficiency, 3> Deficiencies{Deficiency::Protanopia, Deficiency::Deuteranopia,
                                                            Deficiency::Tritanopia};
    // Colours closer than this under a deficiency are hard to tell apart.
    static constexpr double DistinctDifference = 20.0;

    struct Lab {
        double l = 0.0;
        double a = 0.0;
        double b = 0.0;
    };

    // "RRGGBB" (more digits are ignored) as seen with the deficiency, again as "RRGGBB".
    static kit::String simulate(const kit::String& colour, Deficiency deficiency);
    static Lab toLab(const kit::String& colour);
    static double difference(const Lab& first, const Lab& second);
    // The smallest CIEDE2000 difference of the two colours as seen with any of the deficiencies.
    static double leastDifference(const kit::String& first, const kit::String& second);
};

}  // namespace Game
