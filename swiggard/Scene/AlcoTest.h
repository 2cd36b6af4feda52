#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The stand-alone blood-alcohol calculator.
class AlcoTest : public ventrel::scene::Base {
public:
    AlcoTest();

protected:
    void _setupMenus() override;
    Base* _createNew() override { return new AlcoTest(); }
};

}  // namespace Scene
