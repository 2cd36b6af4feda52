#pragma once

#include <ventrel/menu/Base.h>
#include <ventrel/scene/Base.h>

namespace Scene {

// How to play, with its own way back to the title.
class Help : public ventrel::scene::Base {
public:
    Help();

    ventrel::system::Contract getContract() const override;

protected:
    ventrel::menu::Base* menu = nullptr;

    void _setupMenus() override;
    void _setupCallbacks() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Help>(); }
    void _back();
};

}  // namespace Scene
