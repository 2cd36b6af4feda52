#pragma once

#include "ventrel/system/OptionSetting.h"

namespace ventrel::system {

// An option the settings menu hands to the game instead of stepping it itself.
struct SpecialSetting : OptionSetting {};

}  // namespace ventrel::system
