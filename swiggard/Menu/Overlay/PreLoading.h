#pragma once

#include <ventrel/menu/Base.h>

namespace Menu::Overlay {

// What the window shows while the game loads its sounds, music and catalogue at start.
class PreLoading : public ventrel::menu::Base {
public:
    PreLoading();
};

}  // namespace Menu::Overlay
