#include "ventrel/system/SaveManager.h"

#include <kit/Dir.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Time.h>
#include <serial/Serial.h>

#include <memory>

#include "ventrel/Ventrel.h"
#include "ventrel/system/GameState.h"
#include "ventrel/system/Profile.h"

namespace ventrel::system {

SaveManager::SaveManager() {
    fileExtension = "sav";
}

kit::String SaveManager::makeNameGame(const kit::String& name) const {
    return kit::Dir::joinPath(path, kit::format("%s.%s", name.c_str(), fileExtension.c_str()));
}

kit::String SaveManager::_withProfileFolder(const kit::String& name) const {
    return profile ? kit::Dir::joinPath(profile->getName(), name) : name;
}

kit::String SaveManager::makeNameSlot(int slot) const {
    return makeNameGame(_withProfileFolder(saveNameGame + std::to_string(slot)));
}

kit::String SaveManager::makeNameAuto() const {
    return makeNameGame(_withProfileFolder(saveNameAuto.empty() ? "auto" : saveNameAuto));
}

bool SaveManager::save(GameState* state, const kit::String& filename) {
    kit::Log::debug(LogTag, "Saving game: " + filename);
    kit::Stream data;
    data.dump(static_cast<uint32_t>(kit::time()));
    _saveVersion(data);
    if (!serial::serialize(data, state)) {
        kit::Log::error(LogTag, "Saving game failed: the game state could not be serialised!");
        return false;
    }
    return _saveFileSet(filename, data);
}

std::unique_ptr<GameState> SaveManager::load(const kit::String& filename) {
    kit::String actual = _findFilename(filename);
    if (actual.empty()) {
        kit::Log::warn(LogTag, "Save not possible to load (CRC32 and backup failed): " + filename);
        return nullptr;
    }
    kit::Log::debug(LogTag, "Loading game: " + actual);
    kit::Stream data;
    uint32_t saveTime = 0;
    serial::Serializable* read = nullptr;
    if (_loadFile(actual, data) && data.load(saveTime) && _loadVersion(data)) {
        serial::deserialize(data, &read);
    }
    std::unique_ptr<serial::Serializable> root(read);
    if (!root) {
        kit::Log::error(LogTag, "Loading game failed: Loaded data is NULL!");
        return nullptr;
    }
    if (!dynamic_cast<GameState*>(root.get())) {
        kit::Log::error(LogTag,
                        "Loading game failed: Root object is not a ventrel::GameState derived instance!");
        return nullptr;
    }
    return std::unique_ptr<GameState>(static_cast<GameState*>(root.release()));
}

std::unique_ptr<GameState> SaveManager::loadGame(const kit::String& name) {
    return load(makeNameGame(name));
}

std::unique_ptr<GameState> SaveManager::loadSlot(int slot) {
    return load(makeNameSlot(slot));
}

std::unique_ptr<GameState> SaveManager::loadAuto() {
    return load(makeNameAuto());
}

bool SaveManager::loadInto(GameState& state, const kit::String& filename) {
    std::unique_ptr<GameState> read = load(filename);
    return read && state.exchange(*read);
}

unsigned int SaveManager::loadTime(const kit::String& filename) const {
    kit::Stream data;
    uint32_t saveTime = 0;
    if (!_loadFile(filename, data) || !data.load(saveTime)) {
        return 0;
    }
    return saveTime;
}

}  // namespace ventrel::system
