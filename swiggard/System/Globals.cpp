#include "System/Globals.h"

#include <kit/Exception.h>
#include <ventrel/Ventrel.h>

#include "System/Core.h"
#include "System/GameState.h"
#include "System/TempState.h"

namespace System {

DataManager* dataManager = nullptr;

Core* core() {
    return dynamic_cast<Core*>(ventrel::core);
}

GameState* gameState() {
    return dynamic_cast<GameState*>(ventrel::gameState);
}

GameState& game() {
    GameState* state = gameState();
    if (!state) {
        throw kit::Exception("There is no game state.");
    }
    return *state;
}

TempState* tempState() {
    return dynamic_cast<TempState*>(ventrel::tempState);
}

ventrel::system::Profile& profile() {
    return ventrel::currentProfile();
}

}  // namespace System
