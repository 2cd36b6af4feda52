#include "ventrel/system/Core.h"

#include <kit/Env.h>
#include <kit/Format.h>
#include <kit/Strings.h>

namespace ventrel::system {

Core::Core(const kit::String& guiPath, const kit::String& developerName, const kit::String& gameName,
           kit::Version gameVersion)
    : systemPath(_makeSystemPath(developerName, gameName)),
      guiPath(guiPath),
      developerName(developerName),
      gameName(gameName),
      gameVersion(gameVersion) {}

namespace {

kit::String forwardSlashes(const kit::String& path) {
    return kit::replace(path, "\\", "/");
}

// The Windows rule: the machine-wide application-data folder, and when there is no local one, the
// last component of the roaming one.
kit::String windowsBase() {
    kit::String base = forwardSlashes(kit::getEnv("ALLUSERSPROFILE"));
    if (kit::getEnv("LOCALAPPDATA").empty()) {
        kit::String roaming = forwardSlashes(kit::getEnv("APPDATA"));
        base += "/" + roaming.substr(roaming.find_last_of('/') + 1);
    }
    return base;
}

kit::String xdgBase() {
    kit::String data = kit::getEnv("XDG_DATA_HOME");
    return data.empty() ? kit::getEnv("HOME") + "/.local/share" : data;
}

}  // namespace

kit::String Core::_makeSystemPath(const kit::String& developerName, const kit::String& gameName) {
    bool windows = kit::hasEnv("ALLUSERSPROFILE");
    kit::String user = windows ? kit::getEnv("USERNAME") : kit::getEnv("USER");
    if (user.empty()) {
        user = kit::getEnv("USERNAME");
    }
    kit::String base = windows ? windowsBase() : xdgBase();
    return base + kit::format("/%s/%s/%s", developerName.c_str(), gameName.c_str(), user.c_str()) + "/";
}

}  // namespace ventrel::system
