#include "System/Pictures.h"

#include <kit/Env.h>
#include <kit/File.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include "System/Globals.h"

namespace System {

namespace {

constexpr int MaxNumber = 999;

std::filesystem::path homeFolder() {
    kit::String home = kit::getEnv("HOME");
    return home.empty() ? std::filesystem::path(".") : std::filesystem::path(home);
}

std::filesystem::path configFolder() {
    std::filesystem::path config = kit::getEnv("XDG_CONFIG_HOME");
    return config.is_absolute() ? config : homeFolder() / ".config";
}

// Takes the name if nothing has it: a hard link fails on an existing name, so two savers never meet.
bool takeName(const std::filesystem::path& file, const std::filesystem::path& target, bool& taken) {
    std::error_code error;
    std::filesystem::create_hard_link(file, target, error);
    if (!error) {
        taken = true;
        return true;
    }
    if (error == std::errc::file_exists) {
        return false;
    }
    // A file system without hard links: checked, then moved.
    if (std::filesystem::exists(target)) {
        return false;
    }
    std::filesystem::rename(file, target, error);
    taken = !error;
    return true;
}

}  // namespace

std::filesystem::path Pictures::folder() {
    std::filesystem::path home = homeFolder();
    std::filesystem::path fromFile =
        readUserDirs(kit::File::readText((configFolder() / "user-dirs.dirs").string()), home);
    return fromFile.empty() ? home / "Pictures" : fromFile;
}

std::filesystem::path Pictures::readUserDirs(const kit::String& text, const std::filesystem::path& home) {
    const kit::String key = "XDG_PICTURES_DIR=";
    for (kit::String line : kit::split(text, "\n")) {
        line = kit::trim(line);
        if (!kit::startsWith(line, key)) {
            continue;
        }
        kit::String value = line.substr(key.size());
        if (value.size() < 2 || value.front() != '"' || value.back() != '"') {
            return {};
        }
        value = value.substr(1, value.size() - 2);
        if (kit::startsWith(value, "$HOME/")) {
            kit::String rest = value.substr(6);
            return rest.empty() ? std::filesystem::path() : home / rest;
        }
        return kit::startsWith(value, "/") ? std::filesystem::path(value) : std::filesystem::path();
    }
    return {};
}

std::filesystem::path Pictures::keep(const std::filesystem::path& file, const std::filesystem::path& folder,
                                     const kit::String& stem) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::filesystem::path kept;
    for (int number = 1; number <= MaxNumber && kept.empty(); ++number) {
        kit::String name = number == 1 ? stem : stem + " (" + kit::toString(number) + ")";
        std::filesystem::path target = folder / (name + ".png");
        bool taken = false;
        if (takeName(file, target, taken)) {
            if (!taken) {
                break;
            }
            kept = target;
        }
    }
    std::filesystem::remove(file, error);
    if (kept.empty()) {
        kit::Log::error(LogTag, "The picture could not be kept in " + folder.string() + ".");
    }
    return kept;
}

}  // namespace System
