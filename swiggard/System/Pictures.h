#pragma once

#include <kit/Types.h>

#include <filesystem>

namespace System {

// Where the game puts the pictures it saves for the players, and how it names them.
class Pictures {
public:
    // XDG_PICTURES_DIR as user-dirs.dirs in the configuration folder ($XDG_CONFIG_HOME, else
    // ~/.config) gives it, else ~/Pictures. The file is read, not the environment: the variable is
    // seldom set.
    static std::filesystem::path folder();
    // The folder as that file gives it, empty when it gives none. Only "$HOME/…" and absolute paths
    // count; "$HOME/" alone turns the folder off.
    static std::filesystem::path readUserDirs(const kit::String& text, const std::filesystem::path& home);
    // Moves a written file into the folder as "<stem>.png", else "<stem> (2).png" and so on: an
    // existing file is never replaced. The path it got, empty when it could not be kept (the file is
    // removed then).
    static std::filesystem::path keep(const std::filesystem::path& file, const std::filesystem::path& folder,
                                      const kit::String& stem);
};

}  // namespace System
