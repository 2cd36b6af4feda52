#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// Where the players write their own cards.
class CustomCards : public ventrel::scene::Base {
public:
    CustomCards();

protected:
    void _setupMenus() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<CustomCards>(); }
};

}  // namespace Scene
