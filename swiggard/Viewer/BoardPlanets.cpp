#include "Viewer/BoardPlanets.h"

#include <gui/Container.h>
#include <host/Host.h>
#include <host/Key.h>
#include <host/Window.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SceneManager.h>

#include <algorithm>
#include <cmath>

#include "Game/Board.h"
#include "Game/Player.h"
#include "Viewer/Player.h"

namespace Viewer {

const BoardPlanets::Quarters BoardPlanets::BackgroundColors = {host::Color("0276D9"), host::Color("EB711F"),
                                                               host::Color("000000"), host::Color("F49FC0")};
const BoardPlanets::Quarters BoardPlanets::LightsColors = {host::Color("A8E5FA"), host::Color("FFFABD"),
                                                           host::Color("004468"), host::Color("FFFDED")};
const BoardPlanets::Quarters BoardPlanets::CloudsColors = {host::Color("FFFFFF"), host::Color("FFFFFF"),
                                                           host::Color("00354B"), host::Color("FFFFFF")};

namespace {

constexpr float DiscSize = 2048.0f;
constexpr float HalfDisc = DiscSize * 0.5f;
constexpr float QuarterSize = 1024.0f;
// The disc's centre lies this far below the bottom of the screen.
constexpr float DiscDrop = 60.0f;
constexpr float FullCircle = 360.0f;
constexpr float PlanetStep = 90.0f;
constexpr int PlanetPictures = 16;
// Degrees per second while an arrow key is held, and per unit of a touch drag.
constexpr float KeyTurnSpeed = 120.0f;
constexpr float DragTurn = -0.125f;
// The front half of the disc, seen from the current player's field.
constexpr float HiddenFrom = 180.0f;
constexpr float HiddenTo = 1260.0f;

int positiveModulo(int value, int divisor) {
    int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

unsigned char blendChannel(unsigned char from, unsigned char to, float t) {
    return static_cast<unsigned char>(std::lround(from + (to - from) * t));
}

void tint(gui::Object* object, const host::Color& color) {
    if (object) {
        object->setColor(host::Color(color, object->getAlpha()));
    }
}

}  // namespace

BoardPlanets::BoardPlanets(gui::Object* board) : Board(board) {
    if (!board) {
        return;
    }
    background = _findObject("background");
    clouds = _findObject("clouds");
    _build();
}

void BoardPlanets::_build() {
    board->setSize(DiscSize, DiscSize);
    board->resetPivot();
    gui::Object* parent = board->getParent();
    quadrix::Vector2 area = parent ? parent->getSize() : _getViewportSize();
    board->setPosition(area.x * 0.5f - HalfDisc, area.y - HalfDisc + DiscDrop);
    if (!fields) {
        return;
    }
    fields->setSize(DiscSize, DiscSize);
    _buildPlanets();
    for (int position = 1; position < Game::BoardSize; ++position) {
        if (position % FieldsPerSide != 0) {
            _buildField(position);
        }
    }
}

// The quarters clockwise from the top right; the last one already shows the planet before the first.
void BoardPlanets::_buildPlanets() {
    const quadrix::Vector2 places[] = {
        {QuarterSize, 0.0f}, {QuarterSize, QuarterSize}, {0.0f, QuarterSize}, {0.0f, 0.0f}};
    const int pictures[] = {0, 1, 2, PlanetPictures - 1};
    for (int quarter = 0; quarter < 4; ++quarter) {
        planets[quarter] = _addImageBox(fields, "planets_" + kit::toString(quarter),
                                        quadrix::Rectangle(places[quarter], QuarterSize, QuarterSize),
                                        "game.planets/" + kit::toString(pictures[quarter]));
        _registerManualRoot(planets[quarter]);
    }
}

// A field stands on a spoke from the disc's centre; the spoke turns it to its place on the lap.
void BoardPlanets::_buildField(int position) {
    auto* spoke = new gui::Container(_fieldName("field_container_", position));
    spoke->setRect(quadrix::Rectangle(974.0f, 734.0f, 100.0f, 290.0f));
    spoke->setPivot(quadrix::Vector2(spoke->getWidth() * 0.5f, spoke->getHeight()));
    spoke->setAngle(-Player::DegreesPerPlanetField * static_cast<float>(position));
    fields->addChild(spoke);
    _registerManualRoot(spoke);
    fieldContainers.push_back(spoke);
    FieldLook look = _getFieldLook(position, "gui.gui/fields2_blank_", "game.fields2/");
    gui::ImageBox* field = _addImageBox(spoke, _fieldName("field_", position),
                                        quadrix::Rectangle(-15.0f, -15.0f, 130.0f, 130.0f), look.background);
    _addImageBox(field, _fieldName("field_icon_", position), quadrix::Rectangle(15.0f, 15.0f, 100.0f, 100.0f),
                 look.icon);
    _addImageBox(field, _fieldName("field_number_", position),
                 quadrix::Rectangle(10.0f, 10.0f, 100.0f, 100.0f), "");
}

void BoardPlanets::update() {
    Board::update();
    if (!board) {
        return;
    }
    float angle = board->getAngle();
    _tintScenery(angle);
    _showPlanets(angle);
    _showFrontFields(angle);
}

void BoardPlanets::follow() {
    if (!board) {
        return;
    }
    if (_getViewMode() != 1) {
        _turnByHand();
        return;
    }
    if (Game::Player* current = _getCurrentPlayer()) {
        board->setAngle(Player::planetAngle(Player::Move::of(*current)));
    }
}

void BoardPlanets::_turnByHand() {
    if (!host::window || !ventrel::input) {
        return;
    }
    float turn = 0.0f;
    host::Window::InputMode mode = host::window->getInputMode();
    if (mode == host::Window::InputMode::Mouse || mode == host::Window::InputMode::Keyboard) {
        float seconds = ventrel::sceneManager ? ventrel::sceneManager->getTimeDelta() : 0.0f;
        if (ventrel::input->isKeyPressed(host::Key::Left)) {
            turn -= KeyTurnSpeed * seconds;
        }
        if (ventrel::input->isKeyPressed(host::Key::Right)) {
            turn += KeyTurnSpeed * seconds;
        }
    } else if (mode == host::Window::InputMode::Touch) {
        turn = ventrel::input->getMoveVector().x * DragTurn;
    }
    board->setAngle(wrap(board->getAngle() + turn, Player::PlanetLap));
}

void BoardPlanets::newTurn() {
    Game::Player* current = _getCurrentPlayer();
    if (_getViewMode() != 1 || !board || !current) {
        return;
    }
    float target = Player::planetAngle(Player::Move::of(*current));
    board->setAngle(closerAngle(board->getAngle(), target, Player::PlanetLap));
    float difference = std::abs(target - board->getAngle());
    if (difference > 0.0f) {
        board->rotate(target, turnSpeed(difference));
    }
    _publishAnimating();
}

void BoardPlanets::applyViewMode() {
    if (ventrel::input) {
        ventrel::input->resetMoveVector();
    }
    newTurn();
}

void BoardPlanets::_tintScenery(float boardAngle) {
    tint(background, sceneryColor(BackgroundColors, boardAngle));
    tint(lights, sceneryColor(LightsColors, boardAngle));
    tint(clouds, sceneryColor(CloudsColors, boardAngle));
}

void BoardPlanets::_showPlanets(float boardAngle) {
    for (int i = 0; i < 4; ++i) {
        PlanetSlot slot = planetSlot(boardAngle, i);
        gui::ImageBox* quarter = planets[slot.quarter];
        kit::String image = "game.planets/" + kit::toString(slot.image);
        if (quarter && quarter->getImageName() != image) {
            setImage(quarter, image);
        }
    }
}

void BoardPlanets::_showFrontFields(float boardAngle) {
    for (gui::Object* spoke : fieldContainers) {
        spoke->setVisible(isVisibleAt(spoke->getAngle(), boardAngle));
    }
}

host::Color BoardPlanets::sceneryColor(const Quarters& colors, float boardAngle) {
    float angle = wrap(boardAngle, Player::PlanetLap);
    int quarter = std::min(static_cast<int>(angle / FullCircle), 3);
    const host::Color& from = colors[quarter];
    const host::Color& to = colors[(quarter + 1) % 4];
    float t = std::max((wrap(angle, FullCircle) - 270.0f) / 90.0f, 0.0f);
    return host::Color(blendChannel(from.r, to.r, t), blendChannel(from.g, to.g, t),
                       blendChannel(from.b, to.b, t));
}

BoardPlanets::PlanetSlot BoardPlanets::planetSlot(float boardAngle, int i) {
    int first = static_cast<int>(std::ceil((boardAngle + 45.0f) / PlanetStep));
    int slot = first + i + 13;
    return {positiveModulo(slot, 4), positiveModulo(slot, PlanetPictures)};
}

bool BoardPlanets::isVisibleAt(float angle, float boardAngle) {
    float seen = wrap(angle + boardAngle, Player::PlanetLap);
    return seen < HiddenFrom || seen > HiddenTo;
}

float BoardPlanets::turnSpeed(float difference) {
    if (difference < 180.0f) {
        return 4.0f;
    }
    return difference < 360.0f ? 2.0f : 1.0f;
}

}  // namespace Viewer
