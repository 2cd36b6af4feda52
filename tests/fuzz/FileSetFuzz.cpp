#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Log.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SaveManager.h>

#include <cstddef>
#include <cstdint>
#include <memory>

#include "FuzzFolder.h"

// The input is split into the data file and its checksum file; both the profile and the save-game
// loaders read them. Nothing may crash, and a save over them must load afterwards.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const kit::String folder = [] {
        kit::Log::setConsoleEnabled(false);
        static ventrel::system::Core core("gui", "dev", "fuzz", kit::Version(2, 5, 7, 0));
        ventrel::core = &core;
        return fuzzFolder("fileset_fuzz");
    }();
    size_t split = size > 0 ? data[0] % 8 : 0;
    kit::String bytes(reinterpret_cast<const char*>(data), size);
    kit::String checksum = bytes.substr(size > 0 ? 1 : 0, split);
    kit::String content = bytes.substr(std::min(size, split + 1));

    for (const char* name : {"profile.cfg", "game.sav"}) {
        kit::String file = kit::Dir::joinPath(folder, name);
        kit::File::write(file, content);
        if (split > 0) {
            kit::File::write(file + ".crc", checksum);
        } else {
            kit::File::remove(file + ".crc");
        }
        kit::File::remove(file + ".bkp");
    }

    ventrel::system::ProfileManager profiles;
    profiles.setFilename(kit::Dir::joinPath(folder, "profile.cfg"));
    ventrel::profileManager = &profiles;
    profiles.load();
    if (!profiles.save()) {
        __builtin_trap();
    }
    profiles.load();
    ventrel::profileManager = nullptr;

    ventrel::system::SaveManager saves;
    saves.setPath(folder);
    if (std::unique_ptr<ventrel::system::GameState> state = saves.loadGame("game")) {
        state->clear();
        if (!saves.saveGame(state.get(), "game") || !saves.existsGame("game")) {
            __builtin_trap();
        }
    }
    return 0;
}
