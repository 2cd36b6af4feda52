#pragma once

#include <kit/Format.h>
#include <kit/Random.h>
#include <kit/Strings.h>

#include <algorithm>
#include <functional>

#include "Game/CustomCard.h"
#include "Game/Rules.h"
#include "GameWorld.h"
#include "System/TempState.h"

// Plays whole turns through the game's operations the way the board does, without screens: roll,
// walk, resolve the landing field with random choices, finalize and pass the turn. Every broken rule
// is reported to `violation`.
class TurnDriver {
public:
    using Violation = std::function<void(const kit::String&)>;

    TurnDriver(GameWorld& world, Violation violation) : world(world), violation(std::move(violation)) {}

    // A new game of random arrangement and card set; custom cards are stored first. The players
    // drink in every style, some with a sip limit, some with body data, and the glass-of-water level
    // is drawn from its presets.
    void startRandomGame(int playerCount) {
        Game::CustomCard::Cards cards;
        for (int i = 0; i < 6; ++i) {
            cards.push_back(std::make_unique<Game::CustomCard>(0, 1 + i, "pick",
                                                               "Card {" + kit::toString(i) + "} [x] %s"));
        }
        Game::CustomCard::storeCustomCards(cards);
        for (int i = 0; i < playerCount; ++i) {
            const auto& data = world.data();
            Game::Player* player = world.game().addPlayer(
                std::make_unique<Game::Player>(data.getColors()[i % 14], data.getCharacters()[i % 26]));
            player->setName(kit::format("Player %d", i));
            player->setStyle(kit::randomElement(Game::Player::Style::getValues()));
            player->setSipLimit(kit::random(0, 3) == 0 ? kit::random(1, 30) : 0);
            if (kit::random(0, 2) == 0) {
                Game::AlcoTestData* alcohol = player->getAlcoTestData();
                alcohol->setWeight(static_cast<float>(kit::random(50, 110)) * 1000.0f);
                alcohol->setVolume(static_cast<float>(kit::random(20, 500)));
                alcohol->setPermille(kit::random(40, 400));
            }
        }
        noticeLevel = kit::randomElement(kit::Array<int>{0, 2, 5, 8});
        auto fieldSets = System::GameState::FieldSet::getValues();
        auto cardSets = System::GameState::CardSet::getValues();
        world.game().setFieldSet(kit::randomElement(fieldSets));
        world.game().setCardSet(kit::randomElement(cardSets));
        world.game().setup();
        world.game().start();
    }

    void playTurn() {
        System::GameState& game = world.game();
        expect(game.getTurnPhase() == System::GameState::TurnPhase::Start,
               "a turn starts in the Start phase");
        Game::Player* current = game.getCurrentPlayer();
        expect(current && current->isPlaying(), "the current player plays");
        expect(current && current->getState() != Game::Player::State::SkipTurn,
               "the current player is not skipped");
        if (!current) {
            return;
        }
        int roll = game.draw(1, 7);
        lastRoll = roll;
        current->moveBy(current->getState() == Game::Player::State::MoveBackwards ? -roll : roll);
        world.walkTokens();
        game.advancePhase();
        resolveLanding(*current);
        if (game.isDoubleStakesDue()) {
            game.answerDoubleStakes(kit::random(0, 2) == 0);
        }
        game.advancePhase();
        world.temp().setTokensJumped(false);
        game.advancePhase();
        ++turns;
        if (turns % 97 == 0) {
            togglePresence();
        }
        checkInvariants();
    }

    int turns = 0;
    int lastRoll = 0;

private:
    // A move back lands on a field that may send the token back again; the board asks each in turn.
    static constexpr int MaxLandingsPerTurn = 8;

    int noticeLevel = 0;

    GameWorld& world;
    Violation violation;

    void expect(bool condition, const kit::String& rule) {
        if (!condition) {
            violation(kit::format("turn %d: %s", turns, rule.c_str()));
        }
    }

    // The board's resolve loop: the landing's draws, an answer, the outcome carried out; a move back
    // lands on another field, which asks again.
    void resolveLanding(Game::Player& current) {
        System::GameState& game = world.game();
        for (int landing = 0; landing < MaxLandingsPerTurn; ++landing) {
            const Game::Field* field = game.findField(current.getFieldId());
            expect(field != nullptr, kit::format("the landing field %d exists", current.getFieldId()));
            Game::Rules::prepareLanding(game);
            kit::Array<Game::Action> actions = Game::Rules::currentActions(game);
            expect(!actions.empty() && actions.size() <= 3, "a field offers one to three actions");
            if (!field || actions.empty()) {
                return;
            }
            int chosen = kit::random(0, static_cast<int>(actions.size()));
            pick(current, actions[chosen]);
            Game::Rules::countAnswer(game, chosen);
            Game::Rules::Outcome outcome = Game::Rules::resolve(game, actions[chosen]);
            carryOut(current, outcome);
            if (!outcome.landingChanged) {
                return;
            }
        }
    }

    // The picker: players chosen at random, the current one too unless the action excludes him.
    void pick(Game::Player& current, const Game::Action& action) {
        if (!kit::startsWith(action.target, "Pick")) {
            return;
        }
        System::GameState& game = world.game();
        kit::Array<Game::Player*> playing = game.getPlayingPlayers();
        if (System::DataManager::isSelfExcludedType(action.type)) {
            std::erase(playing, &current);
        }
        int need = kit::toInt(action.target.substr(4));
        while (need-- > 0 && !playing.empty()) {
            Game::Player* picked = kit::randomElement(playing);
            game.addPickedPlayer(picked);
            std::erase(playing, picked);
        }
    }

    void carryOut(Game::Player& current, const Game::Rules::Outcome& outcome) {
        System::GameState& game = world.game();
        Game::Rules::carryOutMoves(game, outcome);
        for (const Game::Rules::Sips& sips : outcome.sips) {
            expect(sips.player->isPlaying(), "only players in the game drink");
            takeSips(sips);
        }
        if (outcome.tokensJumped) {
            world.temp().setTokensJumped(true);
        }
        if (outcome.rollAgain) {
            current.setRollAgain(true);
        }
        world.walkTokens();
    }

    // Every sip lands on one counter: alcohol while the style drinks it and below the limit, water
    // after; reaching the limit switches to water at once.
    void takeSips(const Game::Rules::Sips& given) {
        Game::Player& target = *given.player;
        bool alcohol = target.drinksAlcohol();
        int drinks = target.getDrinks();
        int water = target.getWaterSips();
        Game::Player::Sips sips = Game::Rules::giveSips(world.game(), given, noticeLevel, 1'700'000'000);
        expect(sips.alcohol + sips.water == given.amount, "every sip is counted once");
        expect(target.getDrinks() - drinks == sips.alcohol, "alcohol lands on the drinks");
        expect(
            target.getWaterSips() - water == sips.water || target.getWaterSips() == Game::Player::MaxDrinks,
            "water lands on the water sips");
        expect(alcohol || sips.alcohol == 0, "water drinkers never drink alcohol");
        int limit = target.getSipLimit();
        expect(limit == 0 || target.getDrinks() <= limit, "nobody drinks past the limit");
        expect(!sips.limitReached || (target.getDrinks() == limit && !target.drinksAlcohol()),
               "the limit switches to water exactly when it is reached");
        expect(!sips.levelCrossed || target.drinksAlcohol(), "only drinkers are offered water");
        if (sips.levelCrossed || sips.limitReached) {
            target.setWaterNoticeDue(false);
            target.setLimitNoticeDue(false);
        }
    }

    // Players leave and come back now and then; somebody always stays.
    void togglePresence() {
        Game::Player* player = kit::randomElement(world.game().getPlayers().toArray());
        if (player->isPlaying() && world.game().getPlayingPlayers().size() == 1) {
            return;
        }
        player->setPlaying(!player->isPlaying());
        if (!world.game().getCurrentPlayer()->isPlaying()) {
            world.game().nextTurn();
        }
    }

    void checkInvariants() {
        System::GameState& game = world.game();
        expect(game.getFieldOrder().size() == 40, "the board order has 40 positions");
        expect(game.getMultiplier() == 1 || game.getMultiplier() == 2, "the multiplier is 1 or 2");
        for (const Game::Player* player : game.getPlayers()) {
            expect(player->getDrinks() >= 0 && player->getDrinks() <= Game::Player::MaxDrinks,
                   "drinks stay in range");
            // Who never drank alcohol has no estimate and is never warned.
            expect(player->getDrinks() > 0 || (player->getEstimate() == 0 && !player->needsBacWarning()),
                   "water and drivers have no estimate");
            expect(player->getMovingProgress() == 1.0f, "tokens stand between turns");
            expect(std::is_sorted(player->getStates().begin(), player->getStates().end()),
                   "states stay sorted");
            expect(game.findField(player->getFieldId()) != nullptr || player->getFieldId() == -1,
                   "every selected field exists");
        }
    }
};
