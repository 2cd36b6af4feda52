#include "System/GameState.h"

#include <kit/Log.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <kit/Time.h>
#include <serial/Factory.h>

#include <algorithm>
#include <array>
#include <climits>
#include <iterator>

#include "Game/ColourVision.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/Globals.h"

namespace System {

const GameState::BoardLayout GameState::BoardLayout::Classic("Classic");
const GameState::BoardLayout GameState::BoardLayout::Planets("Planets");
const GameState::FieldSet GameState::FieldSet::Classic("Classic");
const GameState::FieldSet GameState::FieldSet::Shuffle("Shuffle");
const GameState::FieldSet GameState::FieldSet::Surprise("Surprise");
const GameState::CardSet GameState::CardSet::Classic("Classic");
const GameState::CardSet GameState::CardSet::Custom("Custom");
const GameState::CardSet GameState::CardSet::Mixed("Mixed");
const GameState::TurnPhase GameState::TurnPhase::Start("Start", 10);
const GameState::TurnPhase GameState::TurnPhase::Choice("Choice", 20);
const GameState::TurnPhase GameState::TurnPhase::Finalize("Finalize", 30);

namespace {

const bool registered = serial::Factory::add<GameState>("System::GameState");

int positiveModulo(int value, int divisor) {
    int remainder = value % divisor;
    return remainder < 0 ? remainder + divisor : remainder;
}

template <class T>
T takeRandom(kit::Array<T>& items) {
    size_t index = static_cast<size_t>(kit::random(0, static_cast<int>(items.size())));
    T item = items[index];
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    return item;
}

}  // namespace

GameState::~GameState() {
    _deleteOwned();
}

kit::Array<serial::Variable> GameState::_serialVars() {
    // The engine's clock and flags are not part of the save content, so its own variables are passed
    // over on purpose.
    kit::Array<serial::Variable> vars =
        serial::Serializable::_serialVars();  // NOLINT(bugprone-parent-virtual-call)
    vars.push_back(serial::Variable("players", &players));
    vars.push_back(serial::Variable("affectedPlayers", &affectedPlayers));
    vars.push_back(serial::Variable("pickedPlayers", &pickedPlayers));
    vars.push_back(serial::Variable("customCards", &customCards));
    vars.push_back(serial::Variable("boardLayout", &boardLayout));
    vars.push_back(serial::Variable("fieldSet", &fieldSet));
    vars.push_back(serial::Variable("cardSet", &cardSet));
    vars.push_back(serial::Variable("multiplier", &multiplier));
    vars.push_back(serial::Variable("maxLaps", &maxLaps));
    vars.push_back(serial::Variable("turnPhase", &turnPhase));
    vars.push_back(serial::Variable("phaseDone", &phaseDone));
    vars.push_back(serial::Variable("rolledValue", &rolledValue));
    vars.push_back(serial::Variable("lastRoll", &lastRoll));
    vars.push_back(serial::Variable("turnIndex", &turnIndex));
    vars.push_back(serial::Variable("surpriseFieldStack", &surpriseFieldStack));
    vars.push_back(serial::Variable("fieldOrder", &fieldOrder));
    vars.push_back(serial::Variable("phoneSecret", &phoneSecret));
    vars.push_back(serial::Variable("waterRounds", &waterRounds));
    vars.push_back(serial::Variable("rounds", &rounds));
    vars.push_back(serial::Variable("waterRoundDue", &waterRoundDue));
    vars.push_back(serial::Variable("driversAnnounced", &driversAnnounced));
    vars.push_back(serial::Variable("turnCount", &turnCount));
    vars.push_back(serial::Variable("chanceTape", &chanceTape));
    vars.push_back(serial::Variable("chanceCursor", &chanceCursor));
    gameLog.addSerialVars(vars);
    return vars;
}

void GameState::update() {
    repair();
    ventrel::system::GameState::update();
    for (const auto& player : players) {
        player->updateMoving();
    }
}

void GameState::repair() {
    std::erase(players, nullptr);
    std::erase(customCards, nullptr);
    auto foreign = [this](const Game::Player* p) { return seatOf(p) < 0; };
    std::erase_if(affectedPlayers, foreign);
    std::erase_if(pickedPlayers, foreign);
    std::erase_if(napping, foreign);
    if (turnIndex < 0 || turnIndex >= static_cast<int>(players.size())) {
        turnIndex = 0;
    }
    if (rolledValue < 0 || rolledValue > 6) {
        rolledValue = 0;
    }
    if (lastRoll < 0 || lastRoll > 6) {
        lastRoll = 0;
    }
    // A Start phase is done only by a throw.
    if (turnPhase == TurnPhase::Start && rolledValue == 0) {
        phaseDone = false;
    }
    gameLog.repair(static_cast<int>(players.size()));
    if (!_marksValid()) {
        _seatMarks();
    }
}

void GameState::_seatMarks() {
    for (size_t seat = 0; seat < players.size(); ++seat) {
        players[seat]->setMark(static_cast<int>(seat) + 1);
    }
}

bool GameState::_marksValid() const {
    std::array<bool, Game::Player::MarkCount + 1> taken{};
    for (const auto& player : players) {
        int mark = player->getMark();
        if (mark < 1 || mark > Game::Player::MarkCount || taken[static_cast<size_t>(mark)]) {
            return false;
        }
        taken[static_cast<size_t>(mark)] = true;
    }
    return true;
}

void GameState::_deleteOwned() {
    players.clear();
    customCards.clear();
}

void GameState::_clear() {
    ventrel::system::GameState::_clear();
    _deleteOwned();
    affectedPlayers.clear();
    pickedPlayers.clear();
    boardLayout = BoardLayout::Planets;
    fieldSet = FieldSet::Classic;
    cardSet = CardSet::Classic;
    multiplier = 1;
    maxLaps = 0;
    turnPhase = TurnPhase::Start;
    phaseDone = false;
    rolledValue = 0;
    lastRoll = 0;
    napping.clear();
    turnIndex = 0;
    surpriseFieldStack.clear();
    fieldOrder.clear();
    phoneSecret.clear();
    waterRounds = 0;
    rounds = 0;
    waterRoundDue = false;
    driversAnnounced = false;
    turnCount = 0;
    chanceTape.clear();
    chanceCursor = 0;
    gameLog.clear();
}

// Every member, the unsaved ones too: a state taken over is the other one entirely.
bool GameState::_exchange(ventrel::system::GameState& other) {
    auto* game = dynamic_cast<GameState*>(&other);
    if (!game || !ventrel::system::GameState::_exchange(other)) {
        return false;
    }
    GameState& from = *game;
    std::swap(players, from.players);
    std::swap(affectedPlayers, from.affectedPlayers);
    std::swap(pickedPlayers, from.pickedPlayers);
    std::swap(customCards, from.customCards);
    std::swap(boardLayout, from.boardLayout);
    std::swap(fieldSet, from.fieldSet);
    std::swap(cardSet, from.cardSet);
    std::swap(multiplier, from.multiplier);
    std::swap(maxLaps, from.maxLaps);
    std::swap(turnPhase, from.turnPhase);
    std::swap(phaseDone, from.phaseDone);
    std::swap(rolledValue, from.rolledValue);
    std::swap(lastRoll, from.lastRoll);
    std::swap(napping, from.napping);
    std::swap(turnIndex, from.turnIndex);
    std::swap(surpriseFieldStack, from.surpriseFieldStack);
    std::swap(fieldOrder, from.fieldOrder);
    std::swap(phoneSecret, from.phoneSecret);
    std::swap(waterRounds, from.waterRounds);
    std::swap(rounds, from.rounds);
    std::swap(turnCount, from.turnCount);
    std::swap(chanceTape, from.chanceTape);
    std::swap(chanceCursor, from.chanceCursor);
    std::swap(waterRoundDue, from.waterRoundDue);
    std::swap(driversAnnounced, from.driversAnnounced);
    std::swap(gameLog, from.gameLog);
    return true;
}

void GameState::_setup() {
    ventrel::system::GameState::_setup();
    _makeFieldOrder();
    if (cardSet == CardSet::Custom || cardSet == CardSet::Mixed) {
        for (auto& card : Game::CustomCard::loadCustomCards()) {
            customCards.push_back(std::move(card));
        }
    }
    multiplier = 1;
    maxLaps = 0;
    rounds = 0;
    waterRoundDue = false;
    driversAnnounced = false;
    unsigned int now = static_cast<unsigned int>(kit::time());
    for (const auto& player : players) {
        player->getAlcoTestData()->setStartTime(now);
        player->getAlcoTestData()->resetIncomplete();
    }
    _seatMarks();
    refresh();
}

void GameState::_makeFieldOrder() {
    fieldOrder.clear();
    const kit::Array<Game::Field*>& board = dataManager->getBoard();
    auto keepsPlace = [&board](int p) { return !board[p] || board[p]->corner; };
    kit::Array<int> shuffled;
    for (int p = 0; p < Game::BoardSize; ++p) {
        if (!keepsPlace(p)) {
            shuffled.push_back(p);
        }
    }
    int firstSurprise = static_cast<int>(std::find(board.begin(), board.end(), nullptr) - board.begin());
    for (int p = 0; p < Game::BoardSize; ++p) {
        if (fieldSet == FieldSet::Classic || keepsPlace(p)) {
            fieldOrder.push_back(p);
        } else if (fieldSet == FieldSet::Shuffle) {
            fieldOrder.push_back(takeRandom(shuffled));
        } else {
            fieldOrder.push_back(firstSurprise);
        }
    }
}

Game::Player* GameState::getCurrentPlayer() const {
    if (turnIndex < 0 || turnIndex >= static_cast<int>(players.size())) {
        return nullptr;
    }
    return players[turnIndex].get();
}

kit::Array<Game::Player*> GameState::getPlayingPlayers() const {
    kit::Array<Game::Player*> playing;
    for (const auto& player : players) {
        if (player->isPlaying()) {
            playing.push_back(player.get());
        }
    }
    return playing;
}

kit::Array<Game::Player*> GameState::getPlayersOfGender(const Game::AlcoTestData::Gender& gender) const {
    kit::Array<Game::Player*> result = getPlayingPlayers();
    std::erase_if(result, [&gender](const Game::Player* p) { return p->getGender() != gender; });
    return result;
}

kit::Array<Game::Player*> GameState::getActionPlayers() const {
    kit::Array<Game::Player*> result = pickedPlayers;
    result.insert(result.end(), affectedPlayers.begin(), affectedPlayers.end());
    kit::removeDuplicates(result);
    return result;
}

void GameState::addAffectedPlayers(const kit::Array<Game::Player*>& list) {
    affectedPlayers.insert(affectedPlayers.end(), list.begin(), list.end());
    kit::removeDuplicates(affectedPlayers);
}

void GameState::setAffectedPlayers(const kit::Array<Game::Player*>& list) {
    affectedPlayers.clear();
    addAffectedPlayers(list);
}

void GameState::addPickedPlayer(Game::Player* player) {
    if (std::find(pickedPlayers.begin(), pickedPlayers.end(), player) == pickedPlayers.end()) {
        pickedPlayers.push_back(player);
    }
}

void GameState::clearActionPlayers() {
    pickedPlayers.clear();
    affectedPlayers.clear();
}

Game::Player* GameState::addPlayer(std::unique_ptr<Game::Player> player) {
    players.push_back(std::move(player));
    _seatMarks();
    return players.back().get();
}

void GameState::advancePhase() {
    phaseDone = false;
    if (turnPhase == TurnPhase::Start) {
        turnPhase = TurnPhase::Choice;
    } else if (turnPhase == TurnPhase::Choice) {
        turnPhase = TurnPhase::Finalize;
    } else {
        turnPhase = TurnPhase::Start;
        rolledValue = 0;
        nextTurn();
        clearActionPlayers();
    }
}

// The turn came back to the first seat: a round is complete, and every so many the table drinks water.
void GameState::_countRound() {
    if (turnIndex != 0) {
        return;
    }
    ++rounds;
    if (waterRounds > 0 && rounds % waterRounds == 0) {
        waterRoundDue = true;
    }
}

void GameState::nextTurn() {
    int count = static_cast<int>(players.size());
    if (count == 0) {
        return;
    }
    if (getPlayingPlayers().empty()) {
        // Nobody could take the turn; passing it on once keeps the game from spinning forever.
        kit::Log::error(LogTag, "Passing the turn while nobody plays.");
        turnIndex = positiveModulo(turnIndex + 1, count);
        return;
    }
    turnIndex = positiveModulo(turnIndex, count);
    ++turnCount;
    gameLog.sampleTurn(turnCount, count);
    Game::Player* player = players[turnIndex].get();
    while (true) {
        if (!player->isRollAgain()) {
            turnIndex = (turnIndex + 1) % count;
            _countRound();
        }
        player->setRollAgain(false);
        if (!player->getStates().empty()) {
            player->popState();
        }
        player = players[turnIndex].get();
        if (player->isPlaying() && player->getState() != Game::Player::State::SkipTurn) {
            return;
        }
        if (player->isPlaying()) {
            napping.push_back(player);
            record(Game::GameLog::Kind::Skip, player);
        }
    }
}

void GameState::record(Game::GameLog::Kind kind, const Game::Player* player, int amount, int detail) {
    gameLog.add({kind, turnCount, seatOf(player), amount, detail});
}

void GameState::recordLaps(const Game::Player* player) {
    gameLog.noteLaps(turnCount, seatOf(player), player->getLaps());
}

int GameState::seatOf(const Game::Player* player) const {
    auto found = std::find_if(players.begin(), players.end(),
                              [player](const auto& seated) { return seated.get() == player; });
    return found == players.end() ? -1 : static_cast<int>(found - players.begin());
}

void GameState::setRolledValue(int value) {
    rolledValue = value;
    if (value > 0) {
        lastRoll = value;
    }
}

kit::Array<Game::Player*> GameState::takeNappingPlayers() {
    kit::Array<Game::Player*> taken;
    taken.swap(napping);
    return taken;
}

int GameState::drawSurpriseId() {
    if (surpriseFieldStack.empty()) {
        _refillSurpriseDeck();
    }
    if (surpriseFieldStack.empty()) {
        // Only a set-up without usable cards gets here; the catalogue's cards keep the game going.
        kit::Log::error(LogTag, "The surprise deck has no cards; dealing the classic ones.");
        for (const Game::Field* card : dataManager->getSurpriseCards()) {
            surpriseFieldStack.push_back(card->id);
        }
    }
    size_t index = static_cast<size_t>(draw(0, static_cast<int>(surpriseFieldStack.size())));
    int id = surpriseFieldStack[index];
    surpriseFieldStack.erase(surpriseFieldStack.begin() + static_cast<std::ptrdiff_t>(index));
    return id;
}

int GameState::draw(int low, int high) {
    if (high <= low) {
        return low;
    }
    if (chanceCursor >= 0 && chanceCursor < static_cast<int>(chanceTape.size())) {
        int kept = chanceTape[static_cast<size_t>(chanceCursor)];
        if (kept >= low && kept < high) {
            ++chanceCursor;
            return kept;
        }
        // Another draw than before: what was kept after it no longer applies.
        chanceTape.resize(static_cast<size_t>(chanceCursor));
    }
    chanceCursor = static_cast<int>(chanceTape.size());
    int value = kit::random(low, high);
    chanceTape.push_back(value);
    ++chanceCursor;
    if (static_cast<int>(chanceTape.size()) > MaxChanceTape) {
        chanceTape.erase(chanceTape.begin(), chanceTape.begin() + MaxChanceTape / 2);
        chanceCursor -= MaxChanceTape / 2;
    }
    return value;
}

void GameState::_refillSurpriseDeck() {
    if (cardSet == CardSet::Classic || cardSet == CardSet::Mixed) {
        if (fieldSet == FieldSet::Surprise) {
            for (const Game::Field* field : dataManager->getBoard()) {
                if (field && field->corner) {
                    surpriseFieldStack.push_back(field->id);
                }
            }
        }
        for (const Game::Field* card : dataManager->getSurpriseCards()) {
            surpriseFieldStack.push_back(card->id);
        }
    }
    if (cardSet == CardSet::Custom || cardSet == CardSet::Mixed) {
        for (const auto& card : customCards) {
            surpriseFieldStack.push_back(card->getId());
        }
    }
}

Game::Field* GameState::findField(int id) const {
    if (Game::Field* field = dataManager->getFieldById(id)) {
        return field;
    }
    if (id >= 0) {
        return nullptr;
    }
    // By id rather than by index: a malformed stored card leaves a gap in the ids.
    auto card = std::find_if(customCards.begin(), customCards.end(),
                             [id](const auto& c) { return c->getId() == id; });
    return card == customCards.end() ? nullptr : (*card)->getField();
}

int GameState::getBoardSlot(int position) const {
    position = positiveModulo(position, Game::BoardSize);
    if (fieldOrder.size() != Game::BoardSize || fieldOrder[position] < 0 ||
        fieldOrder[position] >= Game::BoardSize) {
        return position;
    }
    return fieldOrder[position];
}

Game::Field* GameState::getBoardField(int position) const {
    return dataManager->getBoard()[getBoardSlot(position)];
}

Game::Player* GameState::chooseSpecialTarget(const kit::String& type) const {
    kit::Array<Game::Player*> candidates = _specialCandidates(type);
    return candidates.empty() ? nullptr : kit::randomElement(candidates);
}

Game::Player* GameState::drawSpecialTarget(const kit::String& type) {
    kit::Array<Game::Player*> candidates = _specialCandidates(type);
    return candidates.empty() ? nullptr
                              : candidates[static_cast<size_t>(draw(0, static_cast<int>(candidates.size())))];
}

// The tied players a special target is chosen from.
kit::Array<Game::Player*> GameState::_specialCandidates(const kit::String& type) const {
    kit::Array<Game::Player*> candidates = getPlayingPlayers();
    int (*measure)(const Game::Player*) = nullptr;
    if (type == "ActionType_Drink_Justice") {
        measure = [](const Game::Player* p) { return p->getDrinks(); };
    } else if (type == "ActionType_Drink_Injustice") {
        measure = [](const Game::Player* p) { return -p->getDrinks(); };
    } else if (type == "ActionType_Move_SwitchLast") {
        measure = [](const Game::Player* p) { return p->getCurrentField(); };
        std::erase(candidates, getCurrentPlayer());
    } else {
        return {};
    }
    int least = INT_MAX;
    for (const Game::Player* p : candidates) {
        least = std::min(least, measure(p));
    }
    std::erase_if(candidates, [&](const Game::Player* p) { return measure(p) != least; });
    return candidates;
}

void GameState::fillDefaultPlayers() {
    if (!players.empty()) {
        return;
    }
    for (int i = 0; i < MinPlayers; ++i) {
        addDefaultPlayer();
    }
}

Game::Player* GameState::addDefaultPlayer() {
    if (players.size() >= static_cast<size_t>(MaxPlayers)) {
        return nullptr;
    }
    auto unused = [this](kit::Array<kit::String> names, auto used) {
        for (const auto& player : players) {
            names.erase(std::remove(names.begin(), names.end(), used(player)), names.end());
        }
        return names;
    };
    kit::Array<kit::String> colors =
        unused(dataManager->getColors(), [](const auto& p) { return p->getColor(); });
    kit::Array<kit::String> free;
    std::copy_if(dataManager->getCharacters().begin(), dataManager->getCharacters().end(),
                 std::back_inserter(free), isCharacterUnlocked);
    kit::Array<kit::String> characters = unused(free, [](const auto& p) { return p->getCharacter(); });
    if (colors.empty() || characters.empty()) {
        return nullptr;
    }
    // Colours that stay clearly apart from every other player's, also for people with a colour-vision
    // deficiency, come first; when none is left, any free colour.
    kit::Array<kit::String> distinct;
    std::copy_if(colors.begin(), colors.end(), std::back_inserter(distinct),
                 [this](const kit::String& color) {
                     return std::all_of(players.begin(), players.end(), [&](const auto& p) {
                         return Game::ColourVision::leastDifference(color, p->getColor()) >=
                                Game::ColourVision::DistinctDifference;
                     });
                 });
    Game::Player* player = addPlayer(std::make_unique<Game::Player>(
        takeRandom(distinct.empty() ? colors : distinct), takeRandom(characters)));
    refresh();
    return player;
}

void GameState::keepPlayersForNewGame() {
    kit::Array<std::unique_ptr<Game::Player>> fresh;
    for (const auto& old : players) {
        auto player = std::make_unique<Game::Player>(old->getColor(), old->getCharacter());
        player->setName(old->getDefaultNumber() > 0 ? kit::String() : old->getName());
        player->setStyle(old->getStyle());
        player->setSipLimit(old->getSipLimit());
        const Game::AlcoTestData* body = old->getAlcoTestData();
        Game::AlcoTestData* data = player->getAlcoTestData();
        data->setGender(body->getGender());
        data->setPermille(body->getPermille());
        data->setVolume(body->getVolume());
        data->setWeight(body->getWeight());
        data->setStomach(body->getStomach());
        fresh.push_back(std::move(player));
    }
    clear();
    for (auto& player : fresh) {
        addPlayer(std::move(player));
    }
}

void GameState::removePlayer(size_t index) {
    if (index >= players.size()) {
        return;
    }
    std::unique_ptr<Game::Player> removed = std::move(players[index]);
    players.erase(players.begin() + static_cast<std::ptrdiff_t>(index));
    for (kit::Array<Game::Player*>* list : {&affectedPlayers, &pickedPlayers, &napping}) {
        list->erase(std::remove(list->begin(), list->end(), removed.get()), list->end());
    }
    removed.reset();
    _seatMarks();
    if (turnIndex >= static_cast<int>(players.size())) {
        turnIndex = 0;
    }
    refresh();
}

int GameState::getLeadingLap() const {
    int laps = 0;
    for (const auto& player : players) {
        laps = std::max(laps, player->getLaps());
    }
    return laps;
}

bool GameState::isDoubleStakesDue() const {
    return multiplier == 1 && getLeadingLap() > maxLaps;
}

void GameState::answerDoubleStakes(bool accepted) {
    maxLaps = std::max(maxLaps, getLeadingLap());
    if (accepted) {
        multiplier = 2;
    }
}

int GameState::getStakedAmount(const Game::Action& action) const {
    return action.isDrinkType() ? action.drinks * multiplier : action.drinks;
}

kit::String GameState::getBoardName() const {
    return boardLayout == BoardLayout::Planets ? "board_planets" : "board_classic";
}

}  // namespace System
