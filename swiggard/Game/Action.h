#pragma once

#include <kit/Types.h>

namespace Game {

// One step of a field: who does what, how much, and what the dialog shows and plays.
struct Action {
    // What the rules tell apart, read once from `type` when the catalogue and the custom cards load.
    // Every other challenge ("ActionType_Special_Dance") is done by the players and has no effect in
    // the rules; an unknown type has none either.
    enum class Kind {
        Unread,
        Unknown,
        DrinkPlayer,
        DrinkBlindfold,
        DrinkWithPlayer,
        DrinkExceptPlayer,
        DrinkAllPlayers,
        DrinkJustice,
        DrinkInjustice,
        MoveBackwards,
        MoveToStart,
        MoveSwitch,
        MoveSwitchLast,
        MoveSkipTurn,
        MoveNextBackwards,
        RollAndSplit,
        DrinkStripSlapped,
        Start,
        Custom,
        Challenge
    };
    // Whom the action names, read once from `target` with the kind.
    enum class Aim {
        Unread,
        Unknown,
        None,
        Player,
        All,
        Female,
        Male,
        FemaleVersion,
        MaleVersion,
        Random,
        Special,
        PreviousAction,
        Pick1,
        Pick2,
        Pick3
    };

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
    Kind kind = Kind::Unread;
    Aim aim = Aim::Unread;

    // Reads `kind` and `aim` from `type` and `target`; false when either is unknown.
    bool read();
    bool isDrinkType() const { return type.rfind("ActionType_Drink_", 0) == 0; }
    // "gui." + type + "_" + target.
    kit::String getTextKey() const { return "gui." + type + "_" + target; }

    // The kind and aim follow from the names, so they are left out.
    bool operator==(const Action& other) const {
        return type == other.type && imageName == other.imageName && sound == other.sound &&
               drinks == other.drinks && target == other.target && rollAgain == other.rollAgain &&
               text == other.text;
    }
};

}  // namespace Game
