#include "ventrel/Ventrel.h"

#include <kit/Dir.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>

#include <ctime>

#include "ventrel/system/Profile.h"

namespace ventrel {

system::Core* core = nullptr;
system::GameState* gameState = nullptr;
system::TempState* tempState = nullptr;
system::ProfileManager* profileManager = nullptr;
system::SaveManager* saveManager = nullptr;
system::SceneManager* sceneManager = nullptr;
system::TransitionManager* transitionManager = nullptr;
system::Input* input = nullptr;
system::Profile* profile = nullptr;

system::Profile& currentProfile() {
    static system::Profile globalsOnly("");
    return profile ? *profile : globalsOnly;
}
std::unique_ptr<CfgParser::Map> cfg;

void loadCfg(const kit::String& path) {
    kit::String candidate = kit::Dir::joinPath(path, "local.cfg");
    if (!kit::ResourceDir::exists(candidate)) {
        candidate = kit::Dir::joinPath(path, "default.cfg");
    }
    if (!kit::ResourceDir::exists(candidate)) {
        kit::Log::error(LogTag, "CFG not found: " + candidate);
        return;
    }
    kit::Log::write(LogTag, "Reading CFG: " + candidate);
    cfg = CfgParser::parseResource(candidate);
}

kit::String makeTimeString(int64_t time) {
    std::time_t moment = static_cast<std::time_t>(time);
    std::tm local{};
    localtime_r(&moment, &local);
    char text[64];
    std::strftime(text, sizeof(text), "%a %b %d %H:%M:%S %Y", &local);
    return text;
}

}  // namespace ventrel
