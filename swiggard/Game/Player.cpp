#include "Game/Player.h"

#include <host/Color.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <serial/Factory.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/PlayerNames.h"
#include "System/TempState.h"

namespace Game {

const Player::State Player::State::Normal("Normal", 0);
const Player::State Player::State::SkipTurn("SkipTurn", 10);
const Player::State Player::State::MoveBackwards("MoveBackwards", 20);
const Player::Style Player::Style::Drinks("Drinks", 0);
const Player::Style Player::Style::Light("Light", 1);
const Player::Style Player::Style::Water("Water", 2);
const Player::Style Player::Style::Driver("Driver", 3);

namespace {

const bool registered = serial::Factory::add<Player>("Game::Player");

// The surprise card 2040 was withdrawn; its draws go to 2270.
constexpr int WithdrawnFieldId = 2040;
constexpr int ReplacementFieldId = 2270;

// A sober token crosses this many fields a second; 30 drinks and more halve it.
constexpr float FieldsPerSecond = 4.0f;
constexpr int DrunkDrinks = 30;

// The picture hangs 60 pixels below the token's anchor.
constexpr float AnchorDrop = 60.0f;

int positiveModulo(int value, int divisor) {
    int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

kit::String firstColor() {
    return System::dataManager ? System::dataManager->getColors().front() : "";
}

kit::String firstCharacter() {
    return System::dataManager ? System::dataManager->getCharacters().front() : "";
}

bool isBlack(const kit::String& color) {
    return kit::toUpper(color.substr(0, 6)) == "000000";
}

}  // namespace

Player::Player() : color(firstColor()) {
    setCharacter(firstCharacter());
}

Player::Player(const kit::String& color, const kit::String& character) : color(color) {
    setCharacter(character);
}

Player::~Player() = default;

kit::Array<serial::Variable> Player::_serialVars() {
    kit::Array<serial::Variable> vars = serial::Serializable::_serialVars();
    vars.push_back(serial::Variable("name", &name));
    vars.push_back(serial::Variable("color", &color));
    vars.push_back(serial::Variable("character", &character));
    vars.push_back(serial::Variable("playing", &playing));
    vars.push_back(serial::Variable("defaultNumber", &defaultNumber));
    vars.push_back(serial::Variable("mark", &mark));
    vars.push_back(serial::Variable("currentField", &currentField));
    vars.push_back(serial::Variable("lastField", &lastField));
    vars.push_back(serial::Variable("movingProgress", &movingProgress));
    vars.push_back(serial::Variable("fieldId", &fieldId));
    vars.push_back(serial::Variable("drinks", &drinks));
    vars.push_back(serial::Variable("style", &style));
    vars.push_back(serial::Variable("waterSips", &waterSips));
    vars.push_back(serial::Variable("lightSips", &lightSips));
    vars.push_back(serial::Variable("sipLimit", &sipLimit));
    vars.push_back(serial::Variable("firstSipTime", &firstSipTime));
    vars.push_back(serial::Variable("waterNoticeDue", &waterNoticeDue));
    vars.push_back(serial::Variable("limitNoticeDue", &limitNoticeDue));
    vars.push_back(serial::Variable("rolls", &rolls));
    vars.push_back(serial::Variable("rollAgain", &rollAgain));
    vars.push_back(serial::Variable("states", &states));
    vars.push_back(serial::Variable("acceptedChallenges", &acceptedChallenges));
    vars.push_back(serial::Variable("warned", &warned));
    vars.push_back(serial::Variable("phoneToken", &phoneToken));
    vars.push_back(serial::Variable("alcoTestData", &alcoTestData));
    vars.push_back(serial::Variable("rect", &rect));
    vars.push_back(serial::Variable("scale", &scale));
    vars.push_back(serial::Variable("offset", &offset));
    vars.push_back(serial::Variable("angle", &angle));
    return vars;
}

kit::String Player::getMarkImage() const {
    return "gui.marks/mark_" + kit::toString(std::clamp(mark, 1, MarkCount));
}

void Player::setCharacter(const kit::String& value) {
    character = value;
    if (!System::dataManager) {
        return;
    }
    const kit::Array<kit::String>& characters = System::dataManager->getCharacters();
    if (std::find(characters.begin(), characters.end(), value) == characters.end()) {
        kit::Log::error(System::LogTag, "Unknown character: " + value);
    }
    offset = System::dataManager->getTokenOffset(value);
}

int Player::getBoardPosition() const {
    return positiveModulo(currentField, Game::BoardSize);
}

void Player::moveBy(int steps) {
    lastField = currentField;
    currentField += steps;
    if (positiveModulo(steps, Game::BoardSize) > 0) {
        movingProgress = 0.0f;
    }
    int candidate = _drawFieldId(getBoardPosition());
    _selectField(candidate == WithdrawnFieldId ? ReplacementFieldId : candidate);
    kit::Log::debug(System::LogTag, "Selected ID: " + kit::toString(fieldId));
}

int Player::_drawFieldId(int position) const {
    System::GameState* game = System::gameState();
    if (!game || !System::dataManager) {
        kit::Log::error(System::LogTag, "A player moved without a game.");
        return -1;
    }
    const Field* field = System::dataManager->getBoard()[game->getBoardSlot(position)];
    return field ? field->id : game->drawSurpriseId();
}

// Takes the candidate, then its fallbacks while too few players play for it.
void Player::_selectField(int candidate) {
    System::GameState* game = System::gameState();
    kit::Array<int> visited;
    while (true) {
        fieldId = candidate;
        visited.push_back(candidate);
        const Field* field = game ? game->findField(fieldId) : nullptr;
        if (!field || field->fallbackId <= 0) {
            return;
        }
        if (static_cast<int>(game->getPlayingPlayers().size()) >= field->minPlayers) {
            return;
        }
        if (std::find(visited.begin(), visited.end(), field->fallbackId) != visited.end()) {
            kit::Log::error(System::LogTag, kit::format("Fallback loop at field ID '%d'.", fieldId));
            return;
        }
        kit::Log::debug(System::LogTag, kit::format("Not enough players, changing ID '%d' to '%d'.", fieldId,
                                                    field->fallbackId));
        candidate = field->fallbackId;
    }
}

bool Player::isWalking() const {
    return movingProgress < 1.0f && positiveModulo(currentField - lastField, Game::BoardSize) > 0;
}

void Player::updateMoving() {
    if (!isWalking()) {
        movingProgress = 1.0f;
        return;
    }
    float speed = 1.0f;
    System::TempState* temp = System::tempState();
    if (!temp || !temp->isTokensJumped()) {
        int distance = std::abs(currentField - lastField) % Game::BoardSize;
        float drunkenness = static_cast<float>(std::min(drinks, DrunkDrinks)) / DrunkDrinks;
        speed = (1.0f - drunkenness * 0.5f) * FieldsPerSecond / static_cast<float>(distance);
    }
    float step = ventrel::sceneManager ? ventrel::sceneManager->getTimeDelta() : 0.0f;
    movingProgress = std::min(movingProgress + step * speed, 1.0f);
}

Player::State Player::getState() const {
    return states.empty() ? State::Normal : states.front();
}

void Player::addState(const State& state, int count) {
    if (count <= 0) {
        return;
    }
    System::GameState* game = System::gameState();
    // The present turn consumes the Normal, so the new state starts with the player's next turn.
    if (states.empty() && game && game->getCurrentPlayer() == this) {
        states.push_back(State::Normal);
    }
    for (int i = 0; i < count; ++i) {
        states.push_back(state);
    }
    std::stable_sort(states.begin(), states.end());
}

Player::State Player::popState() {
    if (states.empty()) {
        kit::Log::error(System::LogTag, "Popping the state of a player without states.");
        return State::Normal;
    }
    State first = states.front();
    states.erase(states.begin());
    return first;
}

AlcoTestData* Player::getAlcoTestData() const {
    if (!alcoTestData) {
        alcoTestData = std::make_unique<AlcoTestData>();
    }
    return alcoTestData.get();
}

bool Player::needsBacWarning() const {
    const AlcoTestData* data = getAlcoTestData();
    return !warned && data->isComplete() && getEstimate() >= AlcoTestData::WarningEstimate;
}

int Player::getEstimate() const {
    return getAlcoTestData()->estimate(static_cast<float>(drinks) - 0.5f * static_cast<float>(lightSips));
}

Player::Sips Player::takeSips(int amount, int noticeLevel, unsigned int now) {
    Sips sips;
    if (amount <= 0) {
        return sips;
    }
    int room = MaxDrinks - drinks;
    if (sipLimit > 0) {
        room = std::max(0, std::min(room, sipLimit - drinks));
    }
    sips.alcohol = drinksAlcohol() ? std::min(amount, room) : 0;
    sips.water = amount - sips.alcohol;
    int before = getEstimate();
    if (sips.alcohol > 0) {
        drinks += sips.alcohol;
        lightSips += style == Style::Light ? sips.alcohol : 0;
        firstSipTime = firstSipTime == 0 ? now : firstSipTime;
    }
    waterSips = std::min(waterSips + sips.water, MaxDrinks);
    if (drinksAlcohol() && sipLimit > 0 && drinks >= sipLimit) {
        style = Style::Water;
        sips.limitReached = limitNoticeDue = true;
    }
    if (drinksAlcohol() && noticeLevel > 0 && before < noticeLevel && getEstimate() >= noticeLevel &&
        getAlcoTestData()->isComplete()) {
        sips.levelCrossed = waterNoticeDue = true;
    }
    return sips;
}

kit::String Player::getRichName() const {
    return kit::format("[c=%s][b=%s]%s[/b][/c]", color.substr(0, 6).c_str(), getContrastColor().c_str(),
                       kit::escapeText(System::shortenedName(name)).c_str());
}

kit::String Player::richNames(const kit::Array<Player*>& players) {
    kit::String names;
    for (const Player* player : players) {
        names += (names.empty() ? "" : ", ") + player->getRichName();
    }
    return names;
}

// The outline that stands out more from the colour: never below 4.5:1, the least of any colour.
kit::String Player::getContrastColor() const {
    host::Color fill(color.substr(0, 6));
    bool light =
        host::Color::contrast(fill, host::Color::Black) >= host::Color::contrast(fill, host::Color::White);
    return light ? "000000" : "FFFFFF";
}

kit::String Player::getDisplayColor() const {
    return isBlack(color) ? "7F7F7F" : color.substr(0, 6);
}

void Player::addDrinks(int amount) {
    long long total = static_cast<long long>(drinks) + amount;
    drinks = static_cast<int>(std::clamp<long long>(total, 0, MaxDrinks));
}

float Player::_getX() const {
    return std::trunc(rect.x - offset.x);
}

float Player::_getY() const {
    return std::trunc(rect.y - offset.y + AnchorDrop);
}

float Player::_getCenterY() const {
    return std::trunc(offset.y - AnchorDrop);
}

int Player::_getZOrder() const {
    System::GameState* game = System::gameState();
    return game && game->getCurrentPlayer() == this ? 1000 : 100;
}

}  // namespace Game
