#pragma once

#include <ventrel/menu/Transition.h>

namespace Menu::Overlay {

// The curtain between two scenes: a colour layer, with the loading picture for kind 0 only, fading
// in before the switch and out after it.
class Loading : public ventrel::menu::Transition {
public:
    Loading();

    ventrel::system::Contract getContract() const override;
    void startTransition(int kind, float duration) override;
    void finishTransition(int kind, float duration) override;

private:
    void _fadeRoot(unsigned char alpha, float duration);
};

}  // namespace Menu::Overlay
