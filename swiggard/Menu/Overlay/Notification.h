#pragma once

#include <ventrel/menu/Overlay.h>

namespace Menu::Overlay {

// A banner that slides in from the bottom edge, stays a few seconds and slides out; the queued
// notifications of the temporary state come one after another, each with its sound.
class Notification : public ventrel::menu::Overlay {
public:
    static constexpr float SlideSpeed = 4.0f;
    // How long a banner waits before it slides out again.
    static constexpr float ShowTime = 4.75f;

    Notification();

    ventrel::system::Contract getContract() const override;

protected:
    void _updateLogic() override;

private:
    void _show(const kit::String& textKey, const kit::String& sound);
};

}  // namespace Menu::Overlay
