#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The extras hub around the game.
class Extras : public ventrel::scene::Base {
public:
    Extras();

protected:
    void _setupMenus() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Extras>(); }
};

}  // namespace Scene
