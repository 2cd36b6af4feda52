#pragma once

#include "Viewer/Player.h"

namespace Viewer {

// A token on the planets board: it hangs from the disc's centre at the radius of the fields and turns
// with its field; a jump is a hop; tokens on the back half of the disc are hidden.
class PlayerPlanets : public Player {
public:
    // The token's anchor on the disc, straight above its centre.
    static constexpr float AnchorX = 1024.0f;
    static constexpr float AnchorY = 648.0f;

    PlayerPlanets(Game::Player* player, gui::Object* containerPlayers);

    // Faces and turns the token, sways it, lifts a jumping token and hides it behind the disc.
    void update() override;

    // The token's angle on the disc: the field's own angle, against the disc's turn to it.
    static float tokenAngle(const Move& move);
    // The character picture's height above the token while it jumps: up to 200 half-way.
    static float hop(const Move& move);

private:
    // The disc, whose angle tells which tokens face the front.
    gui::Object* board = nullptr;
};

}  // namespace Viewer
