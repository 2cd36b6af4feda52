#pragma once

#include <kit/Dir.h>
#include <kit/Log.h>
#include <unistd.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SaveManager.h>
#include <ventrel/system/SceneManager.h>

#include <atomic>
#include <memory>
#include <vector>

#include "Game/Player.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/ProfileSetup.h"
#include "System/TempState.h"

// The game state with its save content open to the tests.
class OpenGameState : public System::GameState {
public:
    using GameState::customCards;
    using GameState::fieldOrder;
    using GameState::maxLaps;
    using GameState::multiplier;
    using GameState::surpriseFieldStack;
    using GameState::turnPhase;
};

// Everything the game's rules run on, without window or screens: catalogue, core, profile and save
// managers writing into a fresh temporary folder, scene clock, game state and temporary state. A world
// made inside another one puts the outer world's globals back when it goes.
class GameWorld {
public:
    static constexpr float FrameTime = 1.0f / 60.0f;

    explicit GameWorld(System::Core* gameCore = nullptr) {
        static std::atomic<int> counter{0};
        folder =
            kit::Dir::joinPath(kit::Dir::getTemporaryPath(), "swiggard_game_" + std::to_string(::getpid()) +
                                                                 "_" + std::to_string(counter++));
        kit::Dir::remove(folder);
        kit::Dir::create(folder);
        outer = {ventrel::core,         ventrel::profileManager, ventrel::saveManager,
                 ventrel::sceneManager, ventrel::gameState,      ventrel::tempState,
                 System::dataManager,   ventrel::profile,        ventrel::system::ProfileManager::defaults};
        ventrel::profile = nullptr;
        ventrel::system::ProfileManager::defaults.clear();
        System::dataManager = new System::DataManager("data");
        System::dataManager->addExtraSurpriseCards();
        core.reset(gameCore ? gameCore : new System::Core(false));
        ventrel::core = core.get();
        profiles = std::make_unique<ventrel::system::ProfileManager>();
        profiles->setPath(folder + "/");
        profiles->setFilename(kit::Dir::joinPath(folder, "profile.cfg"));
        ventrel::profileManager = profiles.get();
        System::registerProfileGlobals();
        saves = std::make_unique<ventrel::system::SaveManager>();
        saves->setPath(folder);
        ventrel::saveManager = saves.get();
        scenes = std::make_unique<ventrel::system::SceneManager>();
        scenes->setTimeDelta(FrameTime);
        ventrel::sceneManager = scenes.get();
        ventrel::gameState = new OpenGameState();
        ventrel::tempState = new System::TempState();
    }

    ~GameWorld() {
        delete ventrel::tempState;
        System::gameState()->clear();
        delete ventrel::gameState;
        saves.reset();
        profiles.reset();
        core.reset();
        delete System::dataManager;
        ventrel::core = outer.core;
        ventrel::profileManager = outer.profileManager;
        ventrel::saveManager = outer.saveManager;
        ventrel::sceneManager = outer.sceneManager;
        ventrel::gameState = outer.gameState;
        ventrel::tempState = outer.tempState;
        System::dataManager = outer.dataManager;
        ventrel::profile = outer.profile;
        ventrel::system::ProfileManager::defaults = outer.defaults;
        kit::Dir::remove(folder);
    }

    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    // The current game state (loading a save replaces it).
    System::GameState& game() const { return *System::gameState(); }
    // Only valid while the state made here is the current one.
    OpenGameState& open() const { return static_cast<OpenGameState&>(*ventrel::gameState); }
    System::TempState& temp() const { return *System::tempState(); }
    System::DataManager& data() const { return *System::dataManager; }

    Game::Player* addPlayer(const kit::String& name, const kit::String& character,
                            const Game::AlcoTestData::Gender& gender = Game::AlcoTestData::Gender::male) {
        Game::Player* player = game().addPlayer(
            std::make_unique<Game::Player>(data().getColors()[game().getPlayers().size() % 14], character));
        player->setName(name);
        player->getAlcoTestData()->setGender(gender);
        return player;
    }

    void addPlayers(int count) {
        for (int i = 0; i < count; ++i) {
            addPlayer("P" + std::to_string(i), data().getCharacters()[i]);
        }
    }

    // Frames until every token stands.
    void walkTokens() {
        for (int frame = 0; frame < 100000 && anyWalking(); ++frame) {
            game().update();
        }
    }

    bool anyWalking() const {
        for (const Game::Player* player : game().getPlayers()) {
            if (player->isWalking()) {
                return true;
            }
        }
        return false;
    }

    kit::String folder;
    struct Globals {
        ventrel::system::Core* core;
        ventrel::system::ProfileManager* profileManager;
        ventrel::system::SaveManager* saveManager;
        ventrel::system::SceneManager* sceneManager;
        ventrel::system::GameState* gameState;
        ventrel::system::TempState* tempState;
        System::DataManager* dataManager;
        ventrel::system::Profile* profile;
        kit::Map<kit::String, kit::String> defaults;
    } outer;
    std::unique_ptr<System::Core> core;
    std::unique_ptr<ventrel::system::ProfileManager> profiles;
    std::unique_ptr<ventrel::system::SaveManager> saves;
    std::unique_ptr<ventrel::system::SceneManager> scenes;
};

// Collects the log lines written while it lives.
class LogLines {
public:
    LogLines() {
        id = kit::Log::addListener(
            [this](kit::Log::Level, const kit::String&, const kit::String& text) { lines.push_back(text); });
    }
    ~LogLines() { kit::Log::removeListener(id); }
    bool contains(const kit::String& text) const {
        for (const kit::String& line : lines) {
            if (line == text) {
                return true;
            }
        }
        return false;
    }

    std::vector<kit::String> lines;

private:
    int id;
};
