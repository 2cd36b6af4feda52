#pragma once

#include <lan/Message.h>

#include "Menu/Status.h"

namespace Game {
class Player;
}

namespace Menu {

// The player rows of the new-game screen: names typed into edit boxes, colour and character
// pickers that offer only what nobody else has, gender, how the player drinks, body data with the
// sip limit, adding and deleting players.
class NewGame : public Status {
public:
    static inline const kit::String ColorPicker = "menu/dialog/picker_color";
    static inline const kit::String CharacterPicker = "menu/dialog/picker_character";
    static inline const kit::String ColorContext = "Menu:NewGame:PickerColor";
    static inline const kit::String CharacterContext = "Menu:NewGame:PickerCharacter";
    // The row's focus slots: seven per row, the add button after the last row.
    static constexpr int FocusPerRow = 7;
    static constexpr int AddPlayerFocus = 98;

    explicit NewGame(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;
    // Reads every row's boxes and pictures back into its player.
    void collect();
    // Empty names become their placeholders ("Player 2").
    void fillEmptyNames();
    // For a phone: a new row at the end, -1 when the list is full; and a phone's choices for its row,
    // taken as the TV's own would be (only free colours and characters, names as wide as the TV's
    // banner: a wider one is shortened and false comes back).
    int addRow();
    bool applyChoices(int row, const lan::Message& message);

protected:
    void _setupDataset() override;
    void _setupCallbacks() override;

    void _resizeScrollArea() override;
    void _rowOpened(int row) override { _showRow(row); }
    void _addPlayer();
    // Scrolls the list as little as needed for the row to be seen whole.
    void _showRow(int row);
    bool _deletePlayer(gui::Object* button);
    bool _pickColor(gui::Object* button);
    bool _pickCharacter(gui::Object* button);
    bool _toggleGender(gui::Object* button);
    bool _stepStomach(gui::Object* button);
    bool _stepStyle(gui::Object* button);

private:
    // What a player has chosen: its colour or its character.
    using PlayerChoice = const kit::String& (Game::Player::*)() const;

    void _setupRow(int row);
    void _collectPlayer(int row);
    // The row a numbered button belongs to, -1 when it belongs to no player.
    int _rowOf(const gui::Object* button, const kit::String& prefix) const;
    void _showPicker(const kit::String& dialog, const kit::String& context, int row,
                     const kit::Array<kit::String>& entries, PlayerChoice used);
    void _choose(const kit::String& context, const kit::String& prefix, int answer);
};

}  // namespace Menu
