#include "Game/Action.h"

#include <kit/Strings.h>

#include <utility>

namespace Game {

namespace {

constexpr std::pair<const char*, Action::Kind> Kinds[] = {
    {"ActionType_Drink_Player", Action::Kind::DrinkPlayer},
    {"ActionType_Drink_Blindfold", Action::Kind::DrinkBlindfold},
    {"ActionType_Drink_WithPlayer", Action::Kind::DrinkWithPlayer},
    {"ActionType_Drink_ExceptPlayer", Action::Kind::DrinkExceptPlayer},
    {"ActionType_Drink_AllPlayers", Action::Kind::DrinkAllPlayers},
    {"ActionType_Drink_Justice", Action::Kind::DrinkJustice},
    {"ActionType_Drink_Injustice", Action::Kind::DrinkInjustice},
    {"ActionType_Move_Backwards", Action::Kind::MoveBackwards},
    {"ActionType_Move_ToStart", Action::Kind::MoveToStart},
    {"ActionType_Move_Switch", Action::Kind::MoveSwitch},
    {"ActionType_Move_SwitchLast", Action::Kind::MoveSwitchLast},
    {"ActionType_Move_SkipTurn", Action::Kind::MoveSkipTurn},
    {"ActionType_Move_NextBackwards", Action::Kind::MoveNextBackwards},
    {"ActionType_Special_RollAndSplit", Action::Kind::RollAndSplit},
    {"ActionType_Special_DrinkStripSlapped", Action::Kind::DrinkStripSlapped},
    {"ActionType_Special_Start", Action::Kind::Start},
    {"ActionType_Special_Custom", Action::Kind::Custom},
};

constexpr std::pair<const char*, Action::Aim> Aims[] = {
    {"None", Action::Aim::None},
    {"Player", Action::Aim::Player},
    {"All", Action::Aim::All},
    {"Female", Action::Aim::Female},
    {"Male", Action::Aim::Male},
    {"FemaleVersion", Action::Aim::FemaleVersion},
    {"MaleVersion", Action::Aim::MaleVersion},
    {"Random", Action::Aim::Random},
    {"Special", Action::Aim::Special},
    {"PreviousAction", Action::Aim::PreviousAction},
    {"Pick1", Action::Aim::Pick1},
    {"Pick2", Action::Aim::Pick2},
    {"Pick3", Action::Aim::Pick3},
};

// The value named so in a table, or the fallback.
template <class Value, size_t Size>
Value lookUp(const std::pair<const char*, Value> (&table)[Size], const kit::String& name, Value fallback) {
    for (const auto& [known, value] : table) {
        if (name == known) {
            return value;
        }
    }
    return fallback;
}

// A special type with no rule of its own is a challenge read out to the player.
Action::Kind kindOf(const kit::String& type) {
    const kit::String special = "ActionType_Special_";
    bool challenge = kit::startsWith(type, special) && type.size() > special.size();
    return lookUp(Kinds, type, challenge ? Action::Kind::Challenge : Action::Kind::Unknown);
}

}  // namespace

bool Action::read() {
    kind = kindOf(type);
    aim = lookUp(Aims, target, Aim::Unknown);
    return kind != Kind::Unknown && aim != Aim::Unknown;
}

}  // namespace Game
