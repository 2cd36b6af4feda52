#include "Menu/Dialog/PickerCharacter.h"

#include <gui/ImageButton.h>
#include <kit/Strings.h>

#include <algorithm>

#include "System/Core.h"
#include "System/DataManager.h"
#include "System/Globals.h"

namespace Menu::Dialog {

PickerCharacter::PickerCharacter() : Picker("menu/dialog/picker_character", 26, 4, true) {}

void PickerCharacter::refresh() {
    Picker::refresh();
    if (!System::dataManager) {
        return;
    }
    const kit::Array<kit::String>& characters = System::dataManager->getCharacters();
    auto found = std::find(characters.begin(), characters.end(), LockedCharacter);
    if (found == characters.end()) {
        return;
    }
    auto* button = dynamic_cast<gui::ImageButton*>(
        getObject("button_dialog_" + kit::toString(static_cast<int>(found - characters.begin()))));
    if (!button) {
        return;
    }
    kit::String image =
        System::isCharacterUnlocked(LockedCharacter) ? "gui.buttons/big" : "gui.buttons/big_locked";
    button->setImage(image);
    button->setHoverImage(image + "_hover");
    button->setPushedImage(image + "_pushed");
}

}  // namespace Menu::Dialog
