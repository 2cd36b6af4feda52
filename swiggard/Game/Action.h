#pragma once

#include <kit/Types.h>

namespace Game {

// One step of a field: who does what, how much, and what the dialog shows and plays.
struct Action {
    kit::String type = "ActionType_Drink_Player";
    // Picture key in dialogs, shown as "game.fields/" + imageName.
    kit::String imageName;
    // Played when the action is carried out; empty plays nothing.
    kit::String sound;
    // Drinks, fields, repetitions or turns, by type.
    int drinks = 0;
    kit::String target = "Player";
    bool rollAgain = false;
    // Free text of a custom card; empty for the catalogue's actions.
    kit::String text;

    bool isDrinkType() const { return type.rfind("ActionType_Drink_", 0) == 0; }
    // "gui." + type + "_" + target.
    kit::String getTextKey() const { return "gui." + type + "_" + target; }

    bool operator==(const Action& other) const = default;
};

}  // namespace Game
