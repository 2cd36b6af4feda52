#include "System/ProfileSetup.h"

#include <kit/Strings.h>
#include <kit/Version.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Profile.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SaveManager.h>

namespace System {

namespace {

using ventrel::profileManager;

// Appends the characters whose old unlock flag is set, keeping each id once.
void convertUnlockFlags(ventrel::system::Profile* profile, const kit::Array<kit::String>& flags,
                        const kit::Array<kit::String>& ids) {
    kit::Array<kit::String> unlocked = profile->getArray("UnlockedCharacters");
    for (size_t i = 0; i < flags.size(); ++i) {
        if (kit::toBool(profile->get(flags[i]))) {
            unlocked.push_back(ids[i]);
        }
    }
    kit::removeDuplicates(unlocked);
    profile->set("UnlockedCharacters", unlocked);
}

}  // namespace

void registerProfileGlobals() {
    const char* const defaults[][2] = {
        {"Fullscreen", "1"},
        {"CustomCursor", "0"},
        {"UnitSystem", "UnitSystemMetric"},
        {"AutoRoll", "1"},
        {"AudioActive", "1"},
        {"AudioVolume", "100"},
        {"MusicVolume", "70"},
        {"SoundVolume", "80"},
        {"Language", ""},
        {"Tutorial", "0"},
        {"CustomCards", ""},
        {"HallOfFameDrinks", ""},
        {"HallOfFameLaps", ""},
        {"HallOfFameBac", ""},
        {"HallOfFameChallenges", ""},
        {"MOTD", ""},
        {"RateMe", "0"},
        {"FbLike", "0"},
        {"Phones", "0"},
        {"WaterNotice", "WaterNotice5"},
        {"RideNumber", ""},
        {"ReadAloud", "0"},
    };
    for (const auto& entry : defaults) {
        profileManager->addGlobal(entry[0], entry[1]);
    }
    profileManager->addGlobal("UnlockedCharacters", kit::Array<kit::String>());
}

bool upgradeProfile() {
    kit::Version version = profileManager->getLoadedVersion();
    if (!version.isValid()) {
        return false;
    }
    // The profile manager always has a profile to read globals through, even with none in the file.
    ventrel::system::Profile reader("");
    ventrel::system::Profile* profile = ventrel::profile ? ventrel::profile : &reader;
    bool changed = false;
    if (version <= kit::Version(1, 1, 2)) {
        profile->set("Language", "");
        changed = true;
    }
    if (version < kit::Version(2, 4, 2) && ventrel::saveManager && ventrel::saveManager->existsAuto()) {
        ventrel::saveManager->deleteAuto();
        changed = true;
    }
    if (version < kit::Version(1, 9, 0)) {
        convertUnlockFlags(profile, {"UnlockedBoro", "UnlockedFBlob"}, {"16", "17"});
        changed = true;
    }
    if (version < kit::Version(2, 5, 1)) {
        convertUnlockFlags(profile, {"Unlocked16", "Unlocked17", "Unlocked23", "Unlocked24", "Unlocked25"},
                           {"16", "17", "23", "24", "25"});
        profileManager->save();
        return true;
    }
    if (changed) {
        profileManager->save();
    }
    return changed;
}

}  // namespace System
