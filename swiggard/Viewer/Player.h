#pragma once

#include <gui/ImageBox.h>
#include <gui/Object.h>
#include <kit/Types.h>
#include <quadrix/Vector2.h>
#include <ventrel/viewer/Base.h>

namespace Game {
class Player;
}  // namespace Game

namespace Viewer {

// A player's token: a container under "container_players" holding the character picture. The player
// is the observable; the layouts set its position, facing and angle, this base adds the sway of a
// walking token.
class Player : public ventrel::viewer::Base {
public:
    // The planets disc shows ten fields per full turn, so one lap spans four turns.
    static constexpr float DegreesPerPlanetField = 36.0f;
    static constexpr float PlanetLap = 1440.0f;

    // A player's last move in plain numbers, as the token shows it.
    struct Move {
        int lastField = 0;
        int currentField = 0;
        // 0 to 1 along the move.
        float progress = 1.0f;
        // The token was placed without walking (a switch or a move to start).
        bool jumped = false;
        // The player's first pending state is MoveBackwards.
        bool backwards = false;
        int drinks = 0;

        static Move of(const Game::Player& player);
        // A move of a whole number of laps is no walk.
        bool isWalking() const;
        bool isJumping() const { return jumped && isWalking(); }
        // The fractional position the token has reached along the move.
        float getReached() const;
    };

    // Where a token is between two fields: t of the way from one to the other.
    struct Step {
        int from = 0;
        int to = 0;
        float t = 0.0f;
    };

    Player(Game::Player* player, gui::Object* containerPlayers);
    ~Player() override = default;

    // Copies the player onto the token, then sways the character picture of a walking token.
    void update() override;

    // The fields a token is between: neighbours while walking, the old and the new place while jumping.
    static Step step(const Move& move);
    // The direction of a board side at a fractional field position, in degrees: 90 per side, turning
    // smoothly through the corners (from field 9 to field 11 of a side).
    static float sideAngle(float position);
    // The side angle of the player's token along the move.
    static float playerSideAngle(const Move& move);
    // The angle of the planets disc that brings the token to the front: 36 degrees per field.
    static float planetAngle(const Move& move);
    // The token's scale: mirrored when it faces backwards; a classic jump also grows the token to
    // twice its size half-way.
    static quadrix::Vector2 facing(const Move& move, bool growWhenJumping);
    // The rocking of a walking token: a small rock per field when sober, a wide sway over two fields
    // at 30 drinks.
    static float swayAngle(const Move& move);

protected:
    Game::Player* player;
    gui::Object* container = nullptr;
    gui::ImageBox* character = nullptr;
    // The car on a driver's token.
    gui::ImageBox* driverBadge = nullptr;
    // The player's mark on the other shoulder, kept upright and unmirrored however the token turns.
    gui::ImageBox* markBadge = nullptr;

    Move _getMove() const { return Move::of(*player); }
    // A picture in the token's container, at its own size.
    gui::ImageBox* _addImage(const kit::String& image);
    // The character picture, rocking about the player's anchor, with the driver's car on one shoulder
    // and the player's mark on the other.
    void _addCharacter();
    void _keepMarkUpright();
};

}  // namespace Viewer
