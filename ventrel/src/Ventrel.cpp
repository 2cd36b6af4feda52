#include "ventrel/Ventrel.h"

#include <kit/Dir.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>

namespace ventrel {

CfgParser::Map* cfg = nullptr;

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
    delete cfg;
    cfg = CfgParser::parseResource(candidate);
}

}  // namespace ventrel
