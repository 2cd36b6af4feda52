#pragma once

#include <ventrel/scene/Logos.h>

namespace Scene {

// The studio's logo with its jingle, then the game's logo; then the title.
class Logos : public ventrel::scene::Logos {
public:
    // The logo that plays the studio's sound when it appears, and that sound.
    static inline const kit::String StudioLogo = "morrowleaf";

    Logos();

    ventrel::system::Contract getContract() const override;

protected:
    bool jinglePlayed = false;
    bool leaving = false;

    void _updateLogic() override;
    kit::String _getLogoPath() override { return "data/gui/images/logos"; }
    void _finishLogos() override;
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Logos>(); }
};

}  // namespace Scene
