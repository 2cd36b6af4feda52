#include "Viewer/PlayerPlanets.h"

#include <gui/Dataset.h>
#include <kit/Log.h>

#include <cmath>
#include <numbers>

#include "Game/Player.h"
#include "System/Globals.h"
#include "Viewer/BoardPlanets.h"

namespace Viewer {

namespace {

constexpr float DiscCentre = 1024.0f;
// The picture stands this far below the token's anchor (see Game::Player).
constexpr float AnchorDrop = 60.0f;
constexpr float HopHeight = -200.0f;

}  // namespace

PlayerPlanets::PlayerPlanets(Game::Player* player, gui::Object* containerPlayers)
    : Player(player, containerPlayers) {
    if (!container) {
        return;
    }
    _addCharacter();
    quadrix::Vector2 picture = character->getSize();
    container->setSize(picture.x, picture.y + DiscCentre - AnchorY - AnchorDrop);
    gui::Dataset* dataset = container->getDataset();
    if (dataset && dataset->hasObject("board")) {
        board = dataset->getObject("board");
    } else {
        kit::Log::warn(System::LogTag, "The planets token of " + player->getName() + " finds no board.");
    }
}

void PlayerPlanets::update() {
    if (!container) {
        return;
    }
    Move move = _getMove();
    float angle = tokenAngle(move);
    player->setPosition(quadrix::Vector2(AnchorX, AnchorY));
    player->setScale(facing(move, false));
    player->setAngle(angle);
    // Decided before the copy onto the picture, so that it shows in this frame.
    player->setVisible(BoardPlanets::isVisibleAt(angle, board ? board->getAngle() : 0.0f));
    Player::update();
    // The container turns about the disc's centre at its bottom, not about the player's anchor.
    container->setPivot(quadrix::Vector2(player->getCenterX(), container->getHeight()));
    character->setY(hop(move));
}

float PlayerPlanets::tokenAngle(const Move& move) {
    return BoardPlanets::wrap(PlanetLap - planetAngle(move), PlanetLap);
}

float PlayerPlanets::hop(const Move& move) {
    if (!move.isJumping()) {
        return 0.0f;
    }
    return std::sin(move.progress * std::numbers::pi_v<float>) * HopHeight;
}

}  // namespace Viewer
