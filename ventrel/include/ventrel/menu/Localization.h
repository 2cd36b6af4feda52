#pragma once

#include <kit/Types.h>

#include "ventrel/menu/Base.h"

namespace ventrel::menu {

// A grid of flag buttons, one per language the GUI supports, that switches the language. Buttons are
// named by the whole locale ("pt_BR"), their images by the language part ("<imagePrefix>pt").
class Localization : public Base {
public:
    Localization(system::Context* owner, const kit::String& name);

    // The flag of the player's language ("en" when none is known).
    kit::String getCurrentLocalizationImageName();
    const kit::Array<kit::String>& getLanguages() const { return languages; }
    system::Contract getContract() const override;

protected:
    int columns = 4;
    int cellWidth = 176;
    int cellHeight = 120;
    int cellSpacing = 10;
    kit::String imagePrefix;
    kit::String containerName;
    // Button name -> localization actually switched to.
    kit::Map<kit::String, kit::String> localizationAliases;
    kit::Array<kit::String> languages;

    void _setupDataset() override;
    void _setupCallbacks() override;
    void _updateInput() override;
    // The player's language as stored by the game.
    virtual kit::String _getCurrentLocalization() = 0;
    virtual void _setCurrentLocalization(const kit::String& name) = 0;

    bool _buttonLocalization(gui::Object* object);
    bool _buttonCancel(gui::Object* object);

private:
    void _createButton(gui::Object* container, const kit::String& localization, int index);
};

}  // namespace ventrel::menu
