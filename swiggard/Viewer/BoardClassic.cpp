#include "Viewer/BoardClassic.h"

#include <host/Color.h>
#include <kit/Strings.h>

#include <cmath>

#include "Game/Board.h"
#include "Game/Player.h"
#include "System/Core.h"
#include "System/Globals.h"
#include "Viewer/PlayerClassic.h"

namespace Viewer {

namespace {

constexpr float CornerSize = 400.0f;
constexpr float SideSize = 200.0f;
// The first side field of a side begins this far from the corner; the next ones follow at this pitch.
constexpr float SideStart = 440.0f;
constexpr float SidePitch = 240.0f;
// The side fields of a side lie this far from the board's edge.
constexpr float SideInset = 100.0f;
constexpr float FullCircle = 360.0f;
// The current player's token stands in the middle, a little below the screen's centre.
constexpr float TargetX = 0.5f;
constexpr float TargetY = 0.65f;
constexpr float TurnSpeed = 2.0f;
constexpr float ViewModeSpeed = 1.25f;
constexpr float ViewModeRotationSpeed = ViewModeSpeed * 0.625f;
// The lights rest at the top of the screen in follow mode.
constexpr float LightsTop = 30.0f;

// The whole part of a scaled size. Float products such as 3000 x 0.225 land just below the whole
// number they stand for, so a thousandth is allowed for.
float wholePart(float value) {
    return std::floor(value + 0.001f);
}

host::Color playerColor(const Game::Player* player, const gui::Object* lights) {
    return host::Color(host::Color(player->getColor()), lights->getAlpha());
}

}  // namespace

BoardClassic::BoardClassic(gui::Object* board) : Board(board) {
    if (!board) {
        return;
    }
    _build();
}

void BoardClassic::_build() {
    board->setSize(Size, Size);
    if (!fields) {
        return;
    }
    fields->setSize(Size, Size);
    for (int position = 0; position < Game::BoardSize; ++position) {
        if (position % FieldsPerSide == 0) {
            _buildCorner(position);
        } else {
            _buildSide(position);
        }
    }
}

void BoardClassic::_buildCorner(int position) {
    kit::String image = "game.fields/corner_" + kit::toString(position / FieldsPerSide);
    gui::ImageBox* corner = _addImageBox(fields, _fieldName("field_", position), fieldRect(position), image);
    corner->resetPivot();
    _registerManualRoot(corner);
}

void BoardClassic::_buildSide(int position) {
    FieldLook look = _getFieldLook(position, "gui.buttons/fields_blank_", "game.fields/");
    gui::ImageBox* field =
        _addImageBox(fields, _fieldName("field_", position), fieldRect(position), look.background);
    field->resetPivot();
    field->setAngle(fieldAngle(position));
    _registerManualRoot(field);
    quadrix::Rectangle whole(0.0f, 0.0f, SideSize, SideSize);
    _addImageBox(field, _fieldName("field_icon_", position), whole, look.icon);
    _addImageBox(field, _fieldName("field_number_", position), whole, "");
}

quadrix::Rectangle BoardClassic::fieldRect(int position) {
    int side = position / FieldsPerSide;
    int index = position % FieldsPerSide;
    const float far = Size - CornerSize;
    if (index == 0) {
        const quadrix::Vector2 corners[] = {{0.0f, 0.0f}, {far, 0.0f}, {far, far}, {0.0f, far}};
        return quadrix::Rectangle(corners[side % 4], CornerSize, CornerSize);
    }
    const float along = SideStart + SidePitch * static_cast<float>(index - 1);
    const float back = far - SidePitch * static_cast<float>(index);
    const float outer = Size - SideInset - SideSize;
    const quadrix::Vector2 places[] = {{along, SideInset}, {outer, along}, {back, outer}, {SideInset, back}};
    return quadrix::Rectangle(places[side % 4], SideSize, SideSize);
}

float BoardClassic::fieldAngle(int position) {
    if (position % FieldsPerSide == 0) {
        return 0.0f;
    }
    return static_cast<float>(4 - position / FieldsPerSide) * 90.0f;
}

float BoardClassic::overviewScale(bool mobile) {
    return mobile ? 0.1875f : 0.225f;
}

void BoardClassic::follow() {
    Game::Player* current = _getCurrentPlayer();
    if (current && lights) {
        lights->setColor(playerColor(current, lights));
    }
    if (_getViewMode() != 1) {
        return;
    }
    if (std::optional<Camera> camera = _getTarget()) {
        board->setPivot(camera->pivot);
        board->setPosition(camera->position);
        board->setAngle(camera->angle);
    }
}

void BoardClassic::newTurn() {
    if (_getViewMode() != 1) {
        return;
    }
    std::optional<Camera> camera = _getTarget();
    if (!camera) {
        return;
    }
    board->movePivot(camera->pivot, TurnSpeed);
    board->move(camera->position, TurnSpeed);
    _rotateTo(camera->angle, TurnSpeed, FullCircle);
    _publishAnimating();
    if (lights) {
        lights->fadeColor(playerColor(_getCurrentPlayer(), lights), TurnSpeed);
    }
}

void BoardClassic::applyViewMode() {
    if (!board) {
        return;
    }
    int mode = _getViewMode();
    if (mode == 0) {
        _showOverview();
    } else if (mode == 1) {
        _showCurrentPlayer();
    }
    _publishAnimating();
}

void BoardClassic::_showOverview() {
    System::Core* core = System::core();
    float scale = overviewScale(core && core->isMobile());
    quadrix::Vector2 view = _getViewportSize();
    quadrix::Vector2 shown(wholePart(board->getWidth() * scale), wholePart(board->getHeight() * scale));
    board->movePivot(quadrix::Vector2(), ViewModeSpeed);
    board->move((view - shown) * 0.5f, ViewModeSpeed);
    _rotateTo(0.0f, ViewModeRotationSpeed, FullCircle);
    board->scale(quadrix::Vector2(scale, scale), ViewModeSpeed);
    if (lights) {
        _moveLights(LightsTop - lights->getHeight() * 0.5f, (view.y - lights->getHeight()) * 0.5f, 0.0f,
                    FullCircle);
    }
}

void BoardClassic::_showCurrentPlayer() {
    if (std::optional<Camera> camera = _getTarget()) {
        board->movePivot(camera->pivot, ViewModeSpeed);
        board->move(camera->position, ViewModeSpeed);
        _rotateTo(camera->angle, ViewModeRotationSpeed, FullCircle);
    }
    board->scale(quadrix::Vector2(1.0f, 1.0f), ViewModeSpeed);
    if (lights) {
        float view = _getViewportSize().y;
        _moveLights((view - lights->getHeight()) * 0.5f, LightsTop - lights->getHeight() * 0.5f, FullCircle,
                    0.0f);
    }
}

void BoardClassic::_moveLights(float fromY, float toY, float fromAngle, float toAngle) {
    lights->setY(fromY);
    lights->moveY(toY, ViewModeSpeed);
    lights->setAngle(fromAngle);
    lights->rotate(toAngle, ViewModeSpeed);
}

std::optional<BoardClassic::Camera> BoardClassic::_getTarget() const {
    Game::Player* current = _getCurrentPlayer();
    if (!board || !current) {
        return std::nullopt;
    }
    Player::Move move = Player::Move::of(*current);
    quadrix::Vector2 token = PlayerClassic::position(move, board->getDataset());
    quadrix::Vector2 view = _getViewportSize();
    Camera camera;
    camera.pivot = token;
    camera.position =
        quadrix::Vector2(std::trunc(view.x * TargetX) - token.x, std::trunc(view.y * TargetY) - token.y);
    camera.angle = Player::playerSideAngle(move);
    return camera;
}

}  // namespace Viewer
