#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The end of the night: how everybody gets home (menu/end_of_night).
class EndOfNight : public ventrel::scene::Base {
public:
    EndOfNight();

protected:
    void _setupMenus() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<EndOfNight>(); }
};

}  // namespace Scene
