#pragma once

#include <kit/Types.h>

#include <memory>

#include "ventrel/system/FileManager.h"

namespace ventrel::system {

class GameState;

// Stores games in progress, one serialised game state per checksummed file set.
class SaveManager : public FileManager {
public:
    SaveManager();

    const kit::String& getSaveNameAuto() const { return saveNameAuto; }
    void setSaveNameAuto(const kit::String& value) { saveNameAuto = value; }
    const kit::String& getSaveNameGame() const { return saveNameGame; }
    void setSaveNameGame(const kit::String& value) { saveNameGame = value; }

    kit::String makeNameGame(const kit::String& name) const;
    kit::String makeNameSlot(int slot) const;
    kit::String makeNameAuto() const;

    // False when the file set could not be written; the previous set then stays loadable.
    bool save(GameState* state, const kit::String& filename);
    // The saved game; null, with the reason in the log, when the save is missing or damaged or holds
    // something other than a game state.
    std::unique_ptr<GameState> load(const kit::String& filename);
    // On success the state takes the saved game's content over, in place; on failure (a missing or
    // damaged save, or one of another kind) it stays exactly as it was.
    bool loadInto(GameState& state, const kit::String& filename);

    bool saveGame(GameState* state, const kit::String& name) { return save(state, makeNameGame(name)); }
    bool saveSlot(GameState* state, int slot) { return save(state, makeNameSlot(slot)); }
    bool saveAuto(GameState* state) { return save(state, makeNameAuto()); }
    std::unique_ptr<GameState> loadGame(const kit::String& name);
    std::unique_ptr<GameState> loadSlot(int slot);
    std::unique_ptr<GameState> loadAuto();
    bool loadAutoInto(GameState& state) { return loadInto(state, makeNameAuto()); }
    void deleteGame(const kit::String& name) { _deleteFile(makeNameGame(name)); }
    void deleteSlot(int slot) { _deleteFile(makeNameSlot(slot)); }
    void deleteAuto() { _deleteFile(makeNameAuto()); }
    bool existsGame(const kit::String& name) const { return _existsFile(makeNameGame(name)); }
    bool existsSlot(int slot) const { return _existsFile(makeNameSlot(slot)); }
    bool existsAuto() const { return _existsFile(makeNameAuto()); }

    // The save time stored in the file (seconds since the epoch), 0 when it cannot be read.
    unsigned int loadTime(const kit::String& filename) const;

protected:
    kit::String saveNameAuto = "auto";
    kit::String saveNameGame = "file";

private:
    kit::String _withProfileFolder(const kit::String& name) const;
};

}  // namespace ventrel::system
