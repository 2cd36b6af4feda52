#include "Viewer/PlayerClassic.h"

#include <kit/Format.h>
#include <kit/Log.h>

#include "Game/Player.h"
#include "System/Globals.h"

namespace Viewer {

namespace {

constexpr float FullCircle = 360.0f;

kit::String fieldName(int field) {
    return kit::format("field_%02d", field);
}

}  // namespace

PlayerClassic::PlayerClassic(Game::Player* player, gui::Object* containerPlayers)
    : Player(player, containerPlayers) {
    if (!container) {
        return;
    }
    gui::ImageBox* shadow = _addImage("gui.buttons/shadow");
    shadow->setPosition(player->getOffset() - shadow->getSize() * 0.5f);
    _addCharacter();
    container->setSize(character->getSize());
    gui::Dataset* dataset = container->getDataset();
    if (!dataset || !dataset->hasObject(fieldName(0))) {
        kit::Log::warn(System::LogTag,
                       "The classic token of " + player->getName() + " finds no field objects.");
    }
}

void PlayerClassic::update() {
    if (!container) {
        return;
    }
    Move move = _getMove();
    player->setPosition(position(move, container->getDataset()));
    player->setScale(facing(move, true));
    player->setAngle(FullCircle - playerSideAngle(move));
    Player::update();
}

quadrix::Vector2 PlayerClassic::position(const Move& move,
                                         const std::function<quadrix::Vector2(int)>& fieldCentre) {
    Step place = step(move);
    quadrix::Vector2 from = fieldCentre(place.from);
    return from + (fieldCentre(place.to) - from) * place.t;
}

quadrix::Vector2 PlayerClassic::position(const Move& move, gui::Dataset* dataset) {
    return position(move, [dataset](int field) { return fieldCentre(dataset, field); });
}

quadrix::Vector2 PlayerClassic::fieldCentre(gui::Dataset* dataset, int field) {
    kit::String name = fieldName(field);
    if (!dataset || !dataset->hasObject(name)) {
        return {};
    }
    gui::Object* object = dataset->getObject(name);
    return object->getPosition() + object->getPivot();
}

}  // namespace Viewer
