#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The first screen: who may play and how to play safely, confirmed before anything else, with the
// game's version.
class Disclaimer : public ventrel::scene::Base {
public:
    Disclaimer();

    ventrel::system::Contract getContract() const override;

protected:
    void _setupDataset() override;
    void _setupCallbacks() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Disclaimer>(); }
    void _accept();
};

}  // namespace Scene
