#pragma once

#include <kit/Types.h>
#include <kit/Version.h>

#include "ventrel/CfgParser.h"

// The engine's globals and its free start and stop functions.
namespace ventrel {

// Every engine log line carries this tag.
inline const kit::String LogTag = "ventrel";
inline const kit::Version EngineVersion(1, 5, 0, 0);

// The configuration read at start-up; owned by the engine, null until loadCfg finds a file.
extern CfgParser::Map* cfg;

// Reads "local.cfg", or else "default.cfg", from the resource folder `path` into cfg.
void loadCfg(const kit::String& path);

}  // namespace ventrel
