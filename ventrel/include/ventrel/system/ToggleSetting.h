#pragma once

#include "ventrel/system/BoolSetting.h"

namespace ventrel::system {

// A switch shown as a toggle button rather than a row with arrows.
struct ToggleSetting : BoolSetting {};

}  // namespace ventrel::system
