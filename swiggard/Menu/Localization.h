#pragma once

#include <ventrel/menu/Localization.h>

namespace Menu {

// The flags of the title's language menu. Choosing a language (the current one too) stores it, loads
// the fonts of its script and builds the catalogue again, so every text on screen changes.
class Localization : public ventrel::menu::Localization {
public:
    explicit Localization(ventrel::system::Context* owner);

protected:
    void _setupCallbacks() override;
    kit::String _getCurrentLocalization() override;
    void _setCurrentLocalization(const kit::String& name) override;
    bool _choose(gui::Object* object);
};

}  // namespace Menu
