#include "Scene/Logos.h"

#include <audio/Manager.h>
#include <gui/BaseImage.h>

#include <algorithm>

#include "System/Navigation.h"

namespace Scene {

Logos::Logos() : ventrel::scene::Logos("scene/logos", "") {}

ventrel::system::Contract Logos::getContract() const {
    return ventrel::scene::Logos::getContract().add({"image", ventrel::system::Contract::Kind::ImageBox});
}

// The jingle starts when the studio's logo does.
void Logos::_updateLogic() {
    ventrel::scene::Logos::_updateLogic();
    if (jinglePlayed) {
        return;
    }
    auto studio = std::find_if(logos.begin(), logos.end(),
                               [](const gui::BaseImage* logo) { return logo->getName() == StudioLogo; });
    if (studio == logos.end() || time < static_cast<float>(studio - logos.begin()) * logoDuration) {
        return;
    }
    jinglePlayed = true;
    if (audio::manager) {
        audio::manager->play(StudioLogo);
    }
}

// Asked every frame after the last logo until the switch happens: the switch is asked for once.
void Logos::_finishLogos() {
    if (leaving) {
        return;
    }
    leaving = true;
    System::goToScene("Scene::Title", 1, 2.0f, 2.0f);
}

}  // namespace Scene
