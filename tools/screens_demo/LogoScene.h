#pragma once

#include <ventrel/Ventrel.h>
#include <ventrel/scene/Logos.h>
#include <ventrel/system/Core.h>

namespace demo {

// The second scene: the logo show of the demo's folder, then the end of the program.
class LogoScene : public ventrel::scene::Logos {
public:
    LogoScene() : Logos("demo/logos", "") {
        logoDuration = 2.0f;
        fadeDuration = 0.4f;
    }

protected:
    kit::String _getLogoPath() override { return "data/screens_demo/logos"; }
    void _finishLogos() override { ventrel::core->exitGame(); }
    std::unique_ptr<Base> _createNew() override { return std::make_unique<LogoScene>(); }
};

}  // namespace demo
