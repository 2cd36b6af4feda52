#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The extras hub around the game.
class Extras : public ventrel::scene::Base {
public:
    Extras();

protected:
    void _setupMenus() override;
    Base* _createNew() override { return new Extras(); }
};

}  // namespace Scene
