#include "System/Core.h"

#include <audio/Manager.h>
#include <kit/Dir.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <sys/utsname.h>
#include <ventrel/CfgParser.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/ProfileManager.h>

#include <algorithm>
#include <cmath>

#include "System/Globals.h"
#include "System/HttpDelegate.h"

namespace System {

namespace {

const kit::Version GameVersion(2, 5, 7, 0);

kit::String systemConfig(const kit::String& key) {
    ventrel::CfgParser::Category* category = ventrel::cfg ? ventrel::cfg->getCategory("System") : nullptr;
    return category ? category->get(key) : "";
}

bool isTrue(const kit::String& value) {
    kit::String lower = kit::toLower(kit::trim(value));
    return lower == "1" || lower == "true" || lower == "yes" || lower == "on";
}

// Operating system and kernel release, such as "Linux 6.1.0-18-amd64".
kit::String systemName() {
    utsname names{};
    if (uname(&names) != 0) {
        return "Unknown";
    }
    return kit::String(names.sysname) + " " + names.release;
}

float percent(const kit::String& key) {
    return static_cast<float>(kit::toInt(profile().get(key))) / 100.0f;
}

}  // namespace

Core::Core(bool mobile)
    : ventrel::system::Core(kit::Dir::joinPath("data/gui/definitions", mobile ? "mobile" : "normal"),
                            "Morrowleaf", "Swiggard", GameVersion),
      mobile(mobile) {
    soundNameClick = "click";
    logFilename = "log.txt";
    logOutputEnabled = true;
    kit::String debugLogging = systemConfig("DebugLogging");
    if (!debugLogging.empty() && !isTrue(debugLogging)) {
        logFilename = "";
        logOutputEnabled = false;
    }
}

Core::~Core() {
    closeMotdSocket();
}

void Core::openMotdSocket() {
    closeMotdSocket();
    httpDelegate = new HttpDelegate();
    httpSocket = new net::HttpSocket(httpDelegate);
}

void Core::closeMotdSocket() {
    delete httpSocket;
    httpSocket = nullptr;
    delete httpDelegate;
    httpDelegate = nullptr;
}

bool Core::isMotdDue(float timeBefore, float timeAfter) {
    return std::fmod(timeBefore, MotdInterval) > std::fmod(timeAfter, MotdInterval);
}

kit::String Core::getUserAgent() const {
    return "SWG/" + gameVersion.toString(3) + " (" + systemName() + ")";
}

kit::String Core::getMotdUrl() const {
    kit::String host = kit::trim(systemConfig("MotdHost"));
    while (!host.empty() && host.back() == '/') {
        host.pop_back();
    }
    if (host.empty()) {
        return "";
    }
    if (!kit::contains(host, "://")) {
        host = "https://" + host;
    }
    return host + MotdPath;
}

void Core::requestMotd() {
    kit::String url = getMotdUrl();
    if (url.empty() || !httpSocket) {
        return;
    }
    kit::Log::debug(LogTag, "Requesting the message of the day: " + url);
    httpSocket->executeGetAsync(url, "", {{"User-Agent", getUserAgent()}});
}

void addProfileGlobals() {
    ventrel::system::ProfileManager* profiles = ventrel::profileManager;
    if (!profiles) {
        return;
    }
    const char* const defaults[][2] = {
        {"Fullscreen", "1"},    {"CustomCursor", "0"}, {"UnitSystem", "UnitSystemMetric"},
        {"AutoRoll", "1"},      {"AudioActive", "1"},  {"AudioVolume", "100"},
        {"MusicVolume", "70"},  {"SoundVolume", "80"}, {"Language", ""},
        {"Tutorial", "0"},      {"CustomCards", ""},   {"HallOfFameDrinks", ""},
        {"HallOfFameLaps", ""}, {"HallOfFameBac", ""}, {"HallOfFameChallenges", ""},
        {"MOTD", ""},           {"RateMe", "0"},       {"FbLike", "0"},
    };
    for (const auto& [key, value] : defaults) {
        profiles->addGlobal(key, value);
    }
    profiles->addGlobal("UnlockedCharacters", kit::Array<kit::String>());
}

bool isCharacterUnlocked(const kit::String& character) {
    if (character != "16" && character != "17") {
        return true;
    }
    kit::Array<kit::String> unlocked = profile().getArray("UnlockedCharacters");
    return std::find(unlocked.begin(), unlocked.end(), character) != unlocked.end();
}

void unlockCharacter(const kit::String& character, bool notify) {
    kit::Array<kit::String> unlocked = profile().getArray("UnlockedCharacters");
    unlocked.push_back(character);
    kit::removeDuplicates(unlocked);
    profile().set("UnlockedCharacters", unlocked);
    profile().save();
    if (notify && core()) {
        core()->onCharacterUnlocked(character);
    }
}

void applyAudioVolumes() {
    if (!audio::manager) {
        return;
    }
    bool active = kit::toInt(profile().get("AudioActive")) != 0;
    audio::manager->setGain(active ? percent("AudioVolume") : 0.0f);
    audio::manager->setCategoryGain("music", percent("MusicVolume"));
    audio::manager->setCategoryGain("sound", percent("SoundVolume"));
}

}  // namespace System
