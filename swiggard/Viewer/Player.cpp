#include "Viewer/Player.h"

#include <gui/Container.h>
#include <kit/Log.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Game/Board.h"
#include "Game/Player.h"
#include "System/Globals.h"
#include "System/TempState.h"
#include "Viewer/Board.h"

namespace Viewer {

namespace {

constexpr float FullCircle = 360.0f;
constexpr float Radians = std::numbers::pi_v<float> / 180.0f;
// At this many drinks a token sways as far as it ever will.
constexpr int DrunkDrinks = 30;
constexpr float DrunkSway = -25.0f;
constexpr float SoberRock = -10.0f;

int positiveModulo(int value, int divisor) {
    int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

// From one angle to another by t, the short way round a circle of that period.
float interpolateAngle(float from, float to, float t, float period) {
    float start = Board::closerAngle(from, to, period);
    return Board::wrap(start + (to - start) * t, period);
}

}  // namespace

Player::Move Player::Move::of(const Game::Player& player) {
    Move move;
    move.lastField = player.getLastField();
    move.currentField = player.getCurrentField();
    move.progress = player.getMovingProgress();
    System::TempState* temp = System::tempState();
    move.jumped = temp && temp->isTokensJumped();
    move.backwards = player.getState() == Game::Player::State::MoveBackwards;
    move.drinks = player.getDrinks();
    return move;
}

bool Player::Move::isWalking() const {
    return progress < 1.0f && positiveModulo(currentField - lastField, Game::BoardSize) > 0;
}

float Player::Move::getReached() const {
    return static_cast<float>(currentField) -
           static_cast<float>(currentField - lastField) * (1.0f - progress);
}

Player::Player(Game::Player* player, gui::Object* containerPlayers) : Base(player, nullptr), player(player) {
    if (!player || !containerPlayers) {
        kit::Log::error(System::LogTag, "A token needs a player and the object 'container_players'.");
        return;
    }
    container = new gui::Container(_generateName());
    containerPlayers->addChild(container);
    _registerManualRoot(container);
    _setGraphic(container);
}

void Player::update() {
    if (!container) {
        return;
    }
    Base::update();
    if (character) {
        character->setAngle(swayAngle(_getMove()));
    }
    if (driverBadge) {
        driverBadge->setVisible(player->isDriver());
    }
    _keepMarkUpright();
}

// The board, the token's container and the swaying character turn (and the container mirrors) the
// mark's parent; the mark undoes what its parent's picture turned and mirrored, however it came
// about. With a mirror, the parent is R(a)·F, and R(a)·F·R(a)·F is no turn at all.
void Player::_keepMarkUpright() {
    if (!markBadge || !character) {
        return;
    }
    quadrix::Matrix3 parent = character->getWorldMatrix();
    bool mirrored = parent[0] * parent[4] - parent[3] * parent[1] < 0.0f;
    float turned = mirrored ? std::atan2(parent[1], -parent[0]) : std::atan2(-parent[1], parent[0]);
    turned /= Radians;
    markBadge->setAngle(Board::wrap(mirrored ? turned : -turned, FullCircle));
    markBadge->setScale(quadrix::Vector2(mirrored ? -1.0f : 1.0f, 1.0f));
}

namespace {

// The car badge's side in pixels of the character picture.
constexpr float DriverBadgeSize = 56.0f;
constexpr float MarkSize = 64.0f;

}  // namespace

gui::ImageBox* Player::_addImage(const kit::String& image) {
    auto* box = new gui::ImageBox(_generateName());
    box->setAutoSize(true);
    container->addChild(box);
    Board::setImage(box, image);
    return box;
}

void Player::_addCharacter() {
    character = _addImage("gui.characters/" + player->getCharacter());
    character->setPivot(player->getCenter());
    driverBadge = new gui::ImageBox(_generateName());
    character->addChild(driverBadge);
    Board::setImage(driverBadge, "gui.gui/badge_driver");
    driverBadge->setSize(quadrix::Vector2(DriverBadgeSize, DriverBadgeSize));
    driverBadge->setPosition(quadrix::Vector2(character->getWidth() - DriverBadgeSize, 0.0f));
    driverBadge->setVisible(player->isDriver());
    markBadge = new gui::ImageBox(_generateName());
    character->addChild(markBadge);
    Board::setImage(markBadge, player->getMarkImage());
    markBadge->setSize(quadrix::Vector2(MarkSize, MarkSize));
    markBadge->setPivot(quadrix::Vector2(MarkSize / 2, MarkSize / 2));
    _keepMarkUpright();
}

Player::Step Player::step(const Move& move) {
    if (move.isJumping()) {
        return {positiveModulo(move.lastField, Game::BoardSize),
                positiveModulo(move.currentField, Game::BoardSize), move.progress};
    }
    if (!move.isWalking()) {
        int field = positiveModulo(move.currentField, Game::BoardSize);
        return {field, field, 0.0f};
    }
    float steps = static_cast<float>(move.currentField - move.lastField) * move.progress;
    float whole = std::floor(steps);
    int from = positiveModulo(move.lastField + static_cast<int>(whole), Game::BoardSize);
    return {from, (from + 1) % Game::BoardSize, steps - whole};
}

float Player::sideAngle(float position) {
    const float perSide = static_cast<float>(Board::FieldsPerSide);
    float field = Board::wrap(position, static_cast<float>(Game::BoardSize));
    float along = Board::wrap(field - 1.0f, perSide);
    float angle = (std::floor(field / perSide) - 4.0f) * 90.0f;
    // Past the last side field the token turns half-way before the corner and half-way after it.
    if (along > 8.0f) {
        angle += (Board::wrap(along - 8.0f + 1.0f, 2.0f) - 1.0f) * 45.0f;
    }
    return Board::wrap(angle, FullCircle);
}

float Player::playerSideAngle(const Move& move) {
    if (move.isJumping()) {
        return interpolateAngle(sideAngle(static_cast<float>(move.lastField)),
                                sideAngle(static_cast<float>(move.currentField)), move.progress, FullCircle);
    }
    return sideAngle(Board::wrap(move.getReached(), static_cast<float>(Game::BoardSize)));
}

float Player::planetAngle(const Move& move) {
    if (move.isJumping()) {
        float from = Board::wrap(static_cast<float>(move.lastField) * DegreesPerPlanetField, PlanetLap);
        float to = Board::wrap(static_cast<float>(move.currentField) * DegreesPerPlanetField, PlanetLap);
        return interpolateAngle(from, to, move.progress, PlanetLap);
    }
    float field = Board::wrap(move.getReached(), static_cast<float>(Game::BoardSize));
    return Board::wrap(field * DegreesPerPlanetField, PlanetLap);
}

quadrix::Vector2 Player::facing(const Move& move, bool growWhenJumping) {
    quadrix::Vector2 scale(1.0f, 1.0f);
    if (move.isJumping()) {
        if (growWhenJumping) {
            scale *= 2.0f - std::abs(1.0f - 2.0f * Board::wrap(move.progress, 1.0f));
        }
        // A jump of half a lap or more looks like a jump backwards.
        if (positiveModulo(move.currentField - move.lastField, Game::BoardSize) >= Game::BoardSize / 2) {
            scale.x = -scale.x;
        }
        return scale;
    }
    if (move.backwards || (move.isWalking() && move.currentField < move.lastField)) {
        scale.x = -scale.x;
    }
    return scale;
}

float Player::swayAngle(const Move& move) {
    if (!move.isWalking() || move.isJumping()) {
        return 0.0f;
    }
    float walked = Board::wrap(static_cast<float>(move.currentField - move.lastField) * move.progress, 2.0f);
    float drunk = static_cast<float>(std::min(move.drinks, DrunkDrinks)) / DrunkDrinks;
    float sway = std::sin(walked * 0.5f * FullCircle * Radians) * DrunkSway * drunk;
    float rock = std::sin(Board::wrap(walked, 1.0f) * FullCircle * Radians) * SoberRock * (1.0f - drunk);
    return sway + rock;
}

}  // namespace Viewer
