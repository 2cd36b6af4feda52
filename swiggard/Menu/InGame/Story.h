#pragma once

#include <ventrel/menu/Base.h>

#include <functional>

#include "Game/GameLog.h"

namespace Menu::InGame {

// "What happened": the game's log in the pause menu, in place of the player list, newest first, one
// line per event with the player's colour and character and the field's picture, a page at a time.
//
// Looked up: the rows "container_story_row_%d" with "story_color_%d", "image_story_character_%d",
// "image_story_icon_%d" and "label_story_%d"; "scroll_area", "label_story_page", "label_story_empty",
// and the buttons "button_story_newer", "button_story_older" and "button_story_back".
class Story : public ventrel::menu::Base {
public:
    static constexpr int RowSlots = 30;

    explicit Story(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void show() override;
    // Called when the player goes back to the list.
    void setOnBack(std::function<void()> callback) { onBack = std::move(callback); }
    // The line of an event as a text key of the GUI: names as typed, in their colours.
    static kit::String lineOf(const Game::GameLog::Entry& entry);
    // The picture beside it: the dice, the field, the beer or the glass of water; "" for none.
    static kit::String iconOf(const Game::GameLog::Entry& entry);

protected:
    void _setupCallbacks() override;
    void _newer();
    void _older();
    void _back();

private:
    std::function<void()> onBack;
    // Pages counted from the newest events.
    int page = 0;

    int _pageCount() const;
    void _refreshRow(int row, const Game::GameLog::Entry& entry);
};

}  // namespace Menu::InGame
