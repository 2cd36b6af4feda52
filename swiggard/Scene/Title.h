#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The title screen with its main menu.
class Title : public ventrel::scene::Base {
public:
    Title();

protected:
    void _setupMenus() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Title>(); }
};

}  // namespace Scene
