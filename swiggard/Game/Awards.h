#pragma once

#include <kit/Types.h>

#include "Game/GameLog.h"

namespace Game {

// The night's awards, none of which rewards drinking the most: the most challenges taken, the
// highest average roll, the most sips handed out, the most water and the most laps. Every player tied
// for the best shares an award; nobody wins one with nothing to show for it.
class Awards {
public:
    enum class Kind { Bravest, Luckiest, Generous, Hydration, Marathon };

    struct Award {
        Kind kind = Kind::Bravest;
        // The winners' seats, in seat order; empty while nobody has earned it.
        kit::Array<int> seats;
        // What won it: a count, or for the luckiest the average roll.
        float value = 0.0f;
    };

    // One award of each kind, in the order of Kind.
    static kit::Array<Award> of(const kit::Array<GameLog::Totals>& seats);
    // The name of the award's text key, such as "Bravest".
    static const char* keyName(Kind kind);
};

}  // namespace Game
