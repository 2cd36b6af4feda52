#include "Menu/Phones.h"

#include <gui/Image.h>
#include <gui/ImageBox.h>
#include <gui/Texture.h>
#include <gui/ToggleButton.h>
#include <host/RenderSystem.h>
#include <kit/Strings.h>

#include "System/Objects.h"
#include "System/Phones.h"

namespace Menu {

namespace {

const kit::String CodeBox = "image_code";

// "http://192.168.1.20:47615/p/…/" is typed without its scheme.
kit::String typedAddress(const kit::String& address) {
    const kit::String scheme = "http://";
    return kit::startsWith(address, scheme) ? address.substr(scheme.size()) : address;
}

}  // namespace

Phones::Phones(ventrel::system::Context* owner) : Base(owner, "menu/phones") {
    visibleOnSetup = false;
    alwaysModal = true;
    useShowAnimation = true;
    useHideAnimation = true;
    confirmObjectName = "button_close";
    cancelObjectName = "button_close";
    setAutoFocusMode(2, 2, false);
}

// The image box must not keep the picture that goes with this menu.
Phones::~Phones() {
    if (auto* box = dynamic_cast<gui::ImageBox*>(getObject(CodeBox))) {
        box->setImage(static_cast<gui::BaseImage*>(nullptr));
    }
}

ventrel::system::Contract Phones::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"button_switch", Kind::Button})
        .add({"button_close", Kind::Button})
        .add({CodeBox, Kind::Object})
        .add({"image_phone", Kind::Object})
        .add({"label_address", Kind::Label})
        .add({"label_hint", Kind::Label});
}

void Phones::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_switch", &Phones::_switch);
    bind("button_close", &Phones::_close);
}

void Phones::_switch() {
    auto* toggle = dynamic_cast<gui::ToggleButton*>(getObject("button_switch"));
    if (System::phones && toggle) {
        System::phones->setEnabled(toggle->isToggled());
    }
    refresh();
}

void Phones::_close() {
    hide();
    if (owner) {
        owner->refresh();
    }
}

void Phones::_updateLogic() {
    Base::_updateLogic();
    if (isVisible()) {
        _follow();
    }
}

void Phones::refresh() {
    Base::refresh();
    shownHint.clear();
    _follow();
}

// Texts are set only when they change: the server starts a frame or two after the switch.
void Phones::_follow() {
    System::Phones* phones = System::phones;
    bool enabled = phones && phones->isEnabled();
    bool running = phones && phones->isRunning();
    if (auto* toggle = dynamic_cast<gui::ToggleButton*>(getObject("button_switch"))) {
        toggle->setToggled(enabled);
    }
    kit::String hint = "gui.LanOffHint";
    if (running) {
        hint = "gui.LanJoinHint";
    } else if (enabled && phones->hasFailed()) {
        hint = "gui.LanNoNetwork";
    }
    kit::String address = running ? typedAddress(phones->getJoinAddress()) : "";
    if (hint != shownHint || address != shownAddress) {
        System::setTextKey(this, "label_hint", hint);
        System::setPlainText(this, "label_address", address);
        shownHint = hint;
        shownAddress = address;
    }
    if (phones && phones->getCodeGeneration() != drawnGeneration) {
        _drawCode();
    }
    bool code = running && codeImage;
    System::setVisible(this, CodeBox, code);
    System::setVisible(this, "image_phone", !code);
}

// Dark modules on white, with the quiet zone a reader needs round the code.
void Phones::_drawCode() {
    auto* box = dynamic_cast<gui::ImageBox*>(getObject(CodeBox));
    if (!box || !host::rendersys) {
        return;
    }
    drawnGeneration = System::phones->getCodeGeneration();
    const lan::QrCode& code = System::phones->getQrCode();
    box->setImage(static_cast<gui::BaseImage*>(nullptr));
    codeImage.reset();
    codeTexture.reset();
    if (code.isEmpty()) {
        return;
    }
    int modules = code.getSize() + 2 * QuietModules;
    int side = modules * ModulePixels;
    kit::Array<unsigned char> pixels(static_cast<size_t>(side * side * 4), 255);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            int moduleX = x / ModulePixels - QuietModules;
            int moduleY = y / ModulePixels - QuietModules;
            bool inside =
                moduleX >= 0 && moduleY >= 0 && moduleX < code.getSize() && moduleY < code.getSize();
            if (inside && code.isDark(moduleX, moduleY)) {
                unsigned char* pixel = &pixels[static_cast<size_t>((y * side + x) * 4)];
                pixel[0] = pixel[1] = pixel[2] = 0;
            }
        }
    }
    codeTexture = std::make_unique<gui::Texture>(
        "phones_code", host::rendersys->createTextureFromPixels(side, side, pixels.data()));
    codeImage = std::make_unique<gui::Image>(
        "phones_code", codeTexture.get(),
        quadrix::Rectangle(0, 0, static_cast<float>(side), static_cast<float>(side)));
    box->setImage(codeImage.get());
}

}  // namespace Menu
