#pragma once

#include <kit/Types.h>
#include <ventrel/menu/Base.h>

namespace Menu {

// The options panel of the new-game screen: the board's look, the arrangement of the fields, the
// card set and the water rounds, each stepped by its button with a line saying what it means.
class NewGameOptions : public ventrel::menu::Base {
public:
    static inline const kit::String OkDialog = "menu/dialog/ok";
    static inline const kit::String MessageContext = "Ventrel:Message";
    // Fewer usable custom cards are only mixed in with the game's own.
    static constexpr int MinCustomCards = 5;
    // The water round's choices: off, every 5 rounds, every 10 rounds.
    static inline const kit::Array<int> WaterRounds = {0, 5, 10};

    explicit NewGameOptions(ventrel::system::Context* owner);

    // How many stored cards a game could deal.
    static int usableCustomCards();

    ventrel::system::Contract getContract() const override;
    void refresh() override;

protected:
    void _setupCallbacks() override;
    void _stepBoardLayout();
    void _stepFieldSet();
    void _stepCardSet();
    void _stepWaterRounds();
    void _close();

private:
    void _refreshAll();
    void _showMessage(const kit::String& text);
};

}  // namespace Menu
