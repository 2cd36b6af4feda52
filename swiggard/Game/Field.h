#pragma once

#include <kit/Types.h>

#include "Game/Action.h"

namespace Game {

// A board field or a surprise card: its picture and the actions carried out on landing.
struct Field {
    int id = 0;
    // Keeps its place when the board is shuffled; counts as a corner in the surprise variant.
    bool corner = false;
    kit::String icon;
    kit::Array<Action> actions;
    // Fewest playing players for this field, and the field used instead when there are fewer (0 = none).
    int minPlayers = 2;
    int fallbackId = 0;
};

}  // namespace Game
