#pragma once

#include <ventrel/scene/Base.h>

namespace System {

// The first screen until the game's own screens exist: the game's name on the title music.
class PlaceholderScene : public ventrel::scene::Base {
public:
    PlaceholderScene();

protected:
    ventrel::scene::Base* _createNew() override { return new PlaceholderScene(); }
};

}  // namespace System
