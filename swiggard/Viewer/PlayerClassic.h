#pragma once

#include <gui/Dataset.h>
#include <quadrix/Vector2.h>

#include <functional>

#include "Viewer/Player.h"

namespace Viewer {

// A token on the classic board: a shadow under the character, walking from field centre to field
// centre and turning with the board's sides.
class PlayerClassic : public Player {
public:
    PlayerClassic(Game::Player* player, gui::Object* containerPlayers);

    // Places, faces and turns the token, then sways it.
    void update() override;

    // The token's place along its step, between the centres of the step's two fields.
    static quadrix::Vector2 position(const Move& move,
                                     const std::function<quadrix::Vector2(int)>& fieldCentre);
    // The same with the field objects of the data set.
    static quadrix::Vector2 position(const Move& move, gui::Dataset* dataset);
    // The centre (position + pivot) of the field object of a board position; (0, 0) when the data set
    // lacks it.
    static quadrix::Vector2 fieldCentre(gui::Dataset* dataset, int field);
};

}  // namespace Viewer
