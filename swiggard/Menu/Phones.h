#pragma once

#include <ventrel/menu/Base.h>

#include <memory>

namespace gui {
class Image;
class Texture;
}  // namespace gui

namespace Menu {

// The panel that lets the phones in: the switch, and while the server runs the QR code to scan and
// the address to type. Opened from the new-game screen and the pause menu; it follows the server in
// every frame, so a code that changes (a new game, a new port) is drawn anew.
class Phones : public ventrel::menu::Base {
public:
    // Pixels per module of the drawn code, and the white border round it, in modules.
    static constexpr int ModulePixels = 8;
    static constexpr int QuietModules = 4;

    explicit Phones(ventrel::system::Context* owner);
    ~Phones() override;

    ventrel::system::Contract getContract() const override;
    void refresh() override;

protected:
    void _setupCallbacks() override;
    void _updateLogic() override;
    void _switch();
    void _close();

private:
    void _follow();
    void _drawCode();

    kit::String shownHint;
    kit::String shownAddress;
    int drawnGeneration = -1;
    std::unique_ptr<gui::Texture> codeTexture;
    std::unique_ptr<gui::Image> codeImage;
};

}  // namespace Menu
