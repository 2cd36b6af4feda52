#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// Who made the game and whose art, fonts and sounds it uses, rolling up slowly once.
class Credits : public ventrel::scene::Base {
public:
    // Units per second the roll moves at, spread over its whole way.
    static constexpr float RollSpeed = 70.0f;

    Credits();

    ventrel::system::Contract getContract() const override;

protected:
    void _setupDatasetAspect() override;
    void _setupCallbacks() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Credits>(); }
    void _back();
};

}  // namespace Scene
