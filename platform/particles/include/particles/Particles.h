#pragma once

#include "kit/Types.h"

// The particle layer: the game draws no particle systems, so it only keeps the start-up state and the
// folder particle definitions would be read from.
namespace particles {

// Starts the layer; a second call while started is harmless (start-up calls it twice).
void init();
void destroy();
bool isInitialized();

// Folder of particle definitions, relative to the read-only data root.
void setDefaultPath(const kit::String& path);
const kit::String& getDefaultPath();

}  // namespace particles
