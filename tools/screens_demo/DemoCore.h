#pragma once

#include <ventrel/system/Core.h>

#include "CurtainTransition.h"

namespace demo {

class DemoCore : public ventrel::system::Core {
public:
    DemoCore() : Core("data/screens_demo", "Studio", "ScreensDemo", kit::Version(1, 0, 0, 0)) {}

    std::unique_ptr<ventrel::menu::Transition> _createTransition() override {
        return std::make_unique<CurtainTransition>();
    }
    void onQuit(bool) override { exitGame(); }
};

}  // namespace demo
