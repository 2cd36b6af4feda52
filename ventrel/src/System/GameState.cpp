#include "ventrel/system/GameState.h"

#include <kit/Format.h>
#include <kit/Log.h>
#include <serial/Factory.h>

#include <utility>

#include "ventrel/Ventrel.h"
#include "ventrel/system/SceneManager.h"
#include "ventrel/system/TempState.h"

namespace ventrel::system {

namespace {

const bool registered = serial::Factory::add<GameState>("ventrel::system::GameState");

}  // namespace

GameState::~GameState() {
    if (loaded) {
        kit::Log::warn(LogTag, "GameState not cleared before deleting!");
    }
}

kit::Array<serial::Variable> GameState::_serialVars() {
    kit::Array<serial::Variable> vars = serial::Serializable::_serialVars();
    vars.push_back(serial::Variable("loaded", &loaded));
    vars.push_back(serial::Variable("running", &running));
    vars.push_back(serial::Variable("finished", &finished));
    vars.push_back(serial::Variable("time", &time));
    return vars;
}

void GameState::update() {
    if (running && !finished && sceneManager) {
        time += sceneManager->getTimeDelta();
    }
}

void GameState::clear() {
    _clear();
}

bool GameState::exchange(GameState& other) {
    if (!_exchange(other)) {
        kit::Log::error(LogTag, "Cannot take over a game state of another kind!");
        return false;
    }
    return true;
}

bool GameState::_exchange(GameState& other) {
    std::swap(loaded, other.loaded);
    std::swap(running, other.running);
    std::swap(finished, other.finished);
    std::swap(time, other.time);
    return true;
}

void GameState::_clear() {
    loaded = false;
    running = false;
    finished = false;
    time = 0.0f;
}

void GameState::setup() {
    if (loaded) {
        kit::Log::warn(LogTag, "GameState not cleared before setting up, calling GameState::clear() now!");
        _clear();
    }
    _setup();
    refresh();
}

void GameState::start() {
    if (!loaded) {
        kit::Log::warn(LogTag, "Cannot start GameState, not set up!");
        return;
    }
    if (running) {
        kit::Log::warn(LogTag, "Cannot start GameState, already running!");
        return;
    }
    _start();
}

void GameState::finish() {
    if (!running) {
        kit::Log::warn(LogTag, "Cannot finish GameState, not running!");
        return;
    }
    if (finished) {
        kit::Log::warn(LogTag, "Cannot finish GameState, already finished!");
        return;
    }
    _finish();
}

void GameState::resume() {
    if (!running) {
        kit::Log::warn(LogTag, "Cannot resume GameState, not running!");
        return;
    }
    if (!finished) {
        kit::Log::warn(LogTag, "Cannot resume GameState, not finished!");
        return;
    }
    _resume();
}

kit::String GameState::getTimeString(bool withHours) const {
    int t = static_cast<int>(time);
    if (withHours) {
        return kit::format("%02d:%02d:%02d", t / 3600, (t / 60) % 60, t % 60);
    }
    return kit::format("%02d:%02d", t / 60, t % 60);
}

void TempState::setup() {
    time = 0.0f;
    nextFocusIndex = "0";
}

void TempState::clear() {
    setup();
}

}  // namespace ventrel::system
