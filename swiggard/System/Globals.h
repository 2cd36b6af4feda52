#pragma once

#include <kit/Types.h>
#include <ventrel/system/Profile.h>

// The game's process-wide objects. The engine holds the core, the game state and the temporary state
// (ventrel::core, ventrel::gameState, ventrel::tempState); these functions see them as the game's own
// classes, so that a game state replaced by loading a save is always the one answered.
namespace System {

class Core;
class DataManager;
class GameState;
class TempState;

// Every log line of the game carries this tag.
inline const kit::String LogTag = "swiggard";

// The content catalogue; owned by the program entry.
extern DataManager* dataManager;

// Null when the engine's object is missing or not the game's.
Core* core();
GameState* gameState();
TempState* tempState();
// The game being played. It is made at start-up and a save loads into it in place, so it is always
// there while screens run; a missing one is a programming error and throws.
GameState& game();

// The active profile. The game keeps all its properties global, so without an active profile a view of
// the global properties answers instead.
ventrel::system::Profile& profile();

}  // namespace System
