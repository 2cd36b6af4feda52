#pragma once

#include <kit/Types.h>

#include <kit/Version.h>
#include <cstdint>
#include <memory>

#include "ventrel/CfgParser.h"

// The engine's globals and its free start and stop functions.
namespace ventrel {

namespace system {
class Core;
class GameState;
class TempState;
class Profile;
class ProfileManager;
class SaveManager;
class SceneManager;
class TransitionManager;
class Input;
}  // namespace system

// Every engine log line carries this tag.
inline const kit::String LogTag = "ventrel";
inline const kit::Version EngineVersion(1, 5, 0, 0);

// Owned by the game.
extern system::Core* core;
extern system::GameState* gameState;
extern system::TempState* tempState;
// Owned by the engine.
extern system::ProfileManager* profileManager;
extern system::SaveManager* saveManager;
extern system::SceneManager* sceneManager;
extern system::TransitionManager* transitionManager;
extern system::Input* input;
// The active profile, owned by the profile manager.
extern system::Profile* profile;
// The active profile, or without one a profile that reads and writes only the global properties (a
// game that keeps every property global runs without an active profile).
system::Profile& currentProfile();

// The configuration read at start-up; owned by the engine, null until loadCfg finds a file.
extern std::unique_ptr<CfgParser::Map> cfg;

// The local calendar time of a moment in seconds since the epoch, as asctime shows it, without
// the line feed ("Mon Dec 07 04:10:00 2026").
kit::String makeTimeString(int64_t time);

// Reads "local.cfg", or else "default.cfg", from the resource folder `path` into cfg.
void loadCfg(const kit::String& path);

// Starts the engine: stores the game's objects, opens the log in the per-user folder, writes the
// start-up report and creates the managers. With useAsyncLoading the core's and the scenes' loads run
// on worker threads.
void init(system::Core* core, system::GameState* gameState, system::TempState* tempState,
          bool useAsyncLoading);
// Deletes the managers and the configuration, after detaching the window from them; the game deletes
// its own objects afterwards.
void destroy();

// Lets the window deliver its frames to the core, its system events to the scene manager and its
// input to the input states (after init, once the window exists).
void attachWindow();
// Stops the window from delivering anything to the engine.
void detachWindow();

}  // namespace ventrel
