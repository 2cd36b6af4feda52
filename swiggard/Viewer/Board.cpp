#include "Viewer/Board.h"

#include <gui/Dataset.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/ResourceNotExistsException.h>
#include <kit/Strings.h>

#include <cmath>

#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/TempState.h"

namespace Viewer {

Board::Board(gui::Object* board) : Base(nullptr, board), board(board) {
    if (!board) {
        kit::Log::error(System::LogTag, "A board viewer was made without a board object.");
        return;
    }
    fields = board->findChildByName("fields");
    if (!fields) {
        kit::Log::warn(System::LogTag, "The board object has no child 'fields'.");
    }
    lights = _findObject("lights");
}

void Board::update() {
    if (!board) {
        return;
    }
    System::TempState* temp = System::tempState();
    if (temp && temp->isBoardAnimating()) {
        return;
    }
    follow();
}

bool Board::isAnimating() const {
    return board && board->isAnimating();
}

float Board::wrap(float value, float period) {
    float remainder = std::fmod(value, period);
    return remainder < 0.0f ? remainder + period : remainder;
}

float Board::closerAngle(float current, float target, float period) {
    if (current - target > period * 0.5f) {
        return current - period;
    }
    if (target - current > period * 0.5f) {
        return current + period;
    }
    return current;
}

gui::Object* Board::_findObject(const kit::String& name) const {
    gui::Dataset* dataset = board ? board->getDataset() : nullptr;
    if (!dataset || !dataset->hasObject(name)) {
        kit::Log::warn(System::LogTag, "The board's data set has no object '" + name + "'.");
        return nullptr;
    }
    return dataset->getObject(name);
}

gui::ImageBox* Board::_addImageBox(gui::Object* parent, const kit::String& name,
                                   const quadrix::Rectangle& rect, const kit::String& image) {
    auto* box = new gui::ImageBox(name);
    box->setRect(rect);
    parent->addChild(box);
    setImage(box, image);
    return box;
}

void Board::setImage(gui::ImageBox* box, const kit::String& image) {
    if (image.empty()) {
        return;
    }
    try {
        box->setImage(image);
    } catch (const kit::ResourceNotExistsException& e) {
        kit::Log::warn(System::LogTag, e.what());
    }
}

quadrix::Vector2 Board::_getViewportSize() const {
    if (System::Core* core = System::core()) {
        return core->getViewport().getSize();
    }
    gui::Object* parent = board ? board->getParent() : nullptr;
    return parent ? parent->getSize() : quadrix::Vector2();
}

void Board::_rotateTo(float target, float speed, float period) {
    board->setAngle(closerAngle(board->getAngle(), target, period));
    board->rotate(target, speed);
}

void Board::_publishAnimating() const {
    if (System::TempState* temp = System::tempState()) {
        temp->setBoardAnimating(isAnimating());
    }
}

Game::Player* Board::_getCurrentPlayer() {
    return System::game().getCurrentPlayer();
}

int Board::_getViewMode() {
    System::TempState* temp = System::tempState();
    return temp ? temp->getViewMode() : 1;
}

Board::FieldLook Board::_getFieldLook(int position, const kit::String& blankPrefix,
                                      const kit::String& iconFolder) {
    System::GameState* game = &System::game();
    const Game::Field* field = System::dataManager ? game->getBoardField(position) : nullptr;
    if (!field) {
        return {blankPrefix + "surprise", iconFolder + "surprise"};
    }
    kit::String side = kit::toString(position / FieldsPerSide);
    return {blankPrefix + side, field->icon.empty() ? kit::String() : iconFolder + field->icon};
}

kit::String Board::_fieldName(const char* prefix, int position) {
    return kit::format("%s%02d", prefix, position);
}

}  // namespace Viewer
