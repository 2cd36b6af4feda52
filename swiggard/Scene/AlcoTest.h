#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The stand-alone blood-alcohol calculator.
class AlcoTest : public ventrel::scene::Base {
public:
    AlcoTest();

protected:
    void _setupMenus() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<AlcoTest>(); }
};

}  // namespace Scene
