#pragma once

#include <ventrel/menu/Base.h>

namespace Game {
class Player;
}

namespace Menu::InGame {

// The board's always-visible bar: whose turn it is, every player's drinks with their pop, the clock,
// the dice, pause and overview buttons, the first-game hint and the message-of-the-day ticker.
class Gui : public ventrel::menu::Base {
public:
    static constexpr int PlayerSlots = 14;
    // A shown message comes back after this many seconds while it has shows left.
    static constexpr float MotdInterval = 600.0f;

    explicit Gui(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void setup() override;
    void refresh() override;
    void draw() override;

    // The player got that many drinks: the count changes and a "+n" pops out of it.
    void drinkAnimation(const Game::Player* player, int amount);
    // Starts the ticker with the message of this language; while one scrolls, requestIfBusy keeps
    // the request for when it has passed.
    void startMotd(bool requestIfBusy);
    float getMotdCountdown() const { return motdCountdown; }
    bool isMotdPending() const { return motdPending; }

protected:
    float motdCountdown = MotdInterval;
    bool motdPending = false;

    void _setupDataset() override;
    void _updateLogic() override;

private:
    void _setupPlayers();
    void _showTutorialOnce();
    void _setupPlanetsButtons();
    void _updatePlayers();
    void _updateMotd();
    void _slideMotdOut();
    static kit::String _chooseMotdLine(const kit::String& text);
};

}  // namespace Menu::InGame
