#pragma once

#include "Menu/Dialog/Picker.h"

namespace Menu::Dialog {

// The characters to play; the locked one ("17") shows its padlock until the player unlocks it.
class PickerCharacter : public Picker {
public:
    // The character that must be unlocked before it can be played.
    static inline const kit::String LockedCharacter = "17";

    PickerCharacter();

    void refresh() override;
};

}  // namespace Menu::Dialog
