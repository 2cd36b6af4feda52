#pragma once

#include <ventrel/scene/Base.h>

namespace Scene {

// The records of every game played on this computer.
class HallOfFame : public ventrel::scene::Base {
public:
    HallOfFame();

protected:
    void _setupMenus() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<HallOfFame>(); }
};

}  // namespace Scene
