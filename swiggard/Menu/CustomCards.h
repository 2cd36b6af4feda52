#pragma once

#include <ventrel/menu/Base.h>

#include "Game/CustomCard.h"

namespace Menu {

// The editor of the players' own cards: a long list shown through six rows, each card's task,
// icon and drinks, stored after every change, and mailed to the studio on request.
class CustomCards : public ventrel::menu::Base {
public:
    static constexpr int Rows = 6;
    static constexpr int MaxCards = 500;
    static constexpr int MaxDrinks = 10;
    static inline const kit::String IconPicker = "menu/dialog/picker_icon";
    static inline const kit::String IconContext = "Menu:NewGame:PickerIcon";
    static inline const kit::String MailSubject = "New Custom Cards by: YOUR-NAME";
    static inline const kit::String MailGreeting =
        "Hello, Morrowleaf! I have some cool custom cards for you.";

    explicit CustomCards(ventrel::system::Context* owner);
    ~CustomCards() override;

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

    const Game::CustomCard::Cards& getCards() const { return cards; }
    int getFirstVisible() const { return firstVisible; }
    // The mail's text: the greeting, a blank line and one card text a line.
    static kit::String composeMailBody(const Game::CustomCard::Cards& cards);
    // Whether a card's text fits the text of the choice dialog that shows it ("text_dialog_0" of
    // menu/dialog/action_choice.gui, at the smallest size it may shrink to; a test holds these values
    // to the layout): the editor takes no more.
    static bool fitsCardDialog(const kit::String& text);
    static constexpr float CardTextScale = 0.8f;
    static constexpr float CardTextWidth = 368.0f;
    static constexpr float CardTextHeight = 192.0f;
    static constexpr float CardTextShrink = 0.7f;

protected:
    Game::CustomCard::Cards cards;
    int firstVisible = 0;
    float rowPitch = 120.0f;

    void _setupDataset() override;
    void _setupCallbacks() override;
    void _updateLogic() override;

    void _addCard();
    void _focusCardText(int index);
    bool _deleteCard(gui::Object* button);
    bool _stepDrinks(gui::Object* button);
    bool _pickIcon(gui::Object* button);
    void _mail();
    void _back();

private:
    void _watchEditBox(int row);
    // Reads the visible rows' texts back into their cards.
    void _collect();
    void _store();
    void _refreshRow(int row);
    void _refreshTextColor(int row);
    // The card a row's button stands for, -1 for none.
    int _cardOf(const gui::Object* button, const kit::String& prefix) const;
    int _firstVisibleForScroll() const;
};

}  // namespace Menu
