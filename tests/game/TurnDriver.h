#pragma once

#include <kit/Format.h>
#include <kit/Random.h>
#include <kit/Strings.h>

#include <algorithm>
#include <functional>

#include "Game/CustomCard.h"
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
        kit::Array<Game::CustomCard*> cards;
        for (int i = 0; i < 6; ++i) {
            cards.push_back(new Game::CustomCard(0, 1 + i, "pick", "Card {" + kit::toString(i) + "} [x] %s"));
        }
        Game::CustomCard::storeCustomCards(cards);
        for (Game::CustomCard* card : cards) {
            delete card;
        }
        for (int i = 0; i < playerCount; ++i) {
            const auto& data = world.data();
            auto* player = new Game::Player(data.getColors()[i % 14], data.getCharacters()[i % 26]);
            player->setName(kit::format("Player %d", i));
            player->setStyle(kit::randomElement(Game::Player::Style::getValues()));
            player->setSipLimit(kit::random(0, 3) == 0 ? kit::random(1, 30) : 0);
            if (kit::random(0, 2) == 0) {
                Game::AlcoTestData* alcohol = player->getAlcoTestData();
                alcohol->setWeight(static_cast<float>(kit::random(50, 110)) * 1000.0f);
                alcohol->setVolume(static_cast<float>(kit::random(20, 500)));
                alcohol->setPermille(kit::random(40, 400));
            }
            world.game().addPlayer(player);
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
    int noticeLevel = 0;

    GameWorld& world;
    Violation violation;

    void expect(bool condition, const kit::String& rule) {
        if (!condition) {
            violation(kit::format("turn %d: %s", turns, rule.c_str()));
        }
    }

    void resolveLanding(Game::Player& current) {
        System::GameState& game = world.game();
        const Game::Field* field = game.findField(current.getFieldId());
        expect(field != nullptr, kit::format("the landing field %d exists", current.getFieldId()));
        if (!field) {
            return;
        }
        kit::Array<Game::Action> actions = System::DataManager::getActionsFor(field, current.getGender());
        expect(!actions.empty() && actions.size() <= 3, "a field offers one to three actions");
        int chosen = kit::random(0, static_cast<int>(actions.size()));
        if (actions.size() >= 2 && chosen == 0) {
            current.addAcceptedChallenge();
        }
        kit::Array<Game::Player*> others = game.getPlayingPlayers();
        std::erase(others, &current);
        for (const Game::Action& action : actions) {
            if (action.target == "Random" && !others.empty()) {
                game.addAffectedPlayers(
                    {others[static_cast<size_t>(game.draw(0, static_cast<int>(others.size())))]});
            }
        }
        apply(current, actions[chosen]);
    }

    kit::Array<Game::Player*> targetsOf(Game::Player& current, const Game::Action& action) {
        System::GameState& game = world.game();
        kit::Array<Game::Player*> playing = game.getPlayingPlayers();
        const kit::String& target = action.target;
        if (kit::startsWith(target, "Pick")) {
            if (System::DataManager::isSelfExcludedType(action.type)) {
                std::erase(playing, &current);
            }
            int need = kit::toInt(target.substr(4));
            while (need-- > 0 && !playing.empty()) {
                Game::Player* picked = kit::randomElement(playing);
                game.addPickedPlayer(picked);
                std::erase(playing, picked);
            }
        } else if (target == "Player") {
            game.addAffectedPlayers({&current});
        } else if (target == "Special") {
            Game::Player* special = game.drawSpecialTarget(action.type);
            expect(special || playing.size() < 2, "a special target exists while two play");
            if (special) {
                game.addAffectedPlayers({special});
            }
        } else if (target == "All") {
            game.addAffectedPlayers(playing);
        } else if (target == "Female" || target == "Male") {
            game.addAffectedPlayers(game.getPlayersOfGender(
                target == "Female" ? Game::AlcoTestData::Gender::female : Game::AlcoTestData::Gender::male));
        }
        return game.getActionPlayers();
    }

    // Who drinks: the picked players, then the affected ones as the drink type sets them.
    kit::Array<Game::Player*> drinkersOf(Game::Player& current, const Game::Action& action) {
        System::GameState& game = world.game();
        const kit::String& type = action.type;
        kit::Array<Game::Player*> playing = game.getPlayingPlayers();
        if (type == "ActionType_Drink_Player" && kit::startsWith(action.target, "Pick")) {
            game.setAffectedPlayers({});
        } else if (type == "ActionType_Drink_Player" || type == "ActionType_Drink_Blindfold") {
            game.setAffectedPlayers({&current});
        } else if (type == "ActionType_Drink_WithPlayer") {
            game.addAffectedPlayers({&current});
        } else if (type == "ActionType_Drink_ExceptPlayer") {
            std::erase(playing, &current);
            game.setAffectedPlayers(playing);
        } else if (type == "ActionType_Drink_AllPlayers") {
            game.setAffectedPlayers(action.target == "Female" || action.target == "Male"
                                        ? game.getPlayersOfGender(action.target == "Female"
                                                                      ? Game::AlcoTestData::Gender::female
                                                                      : Game::AlcoTestData::Gender::male)
                                        : playing);
        }
        kit::Array<Game::Player*> drinkers = game.getActionPlayers();
        return drinkers;
    }

    void apply(Game::Player& current, const Game::Action& action) {
        System::GameState& game = world.game();
        kit::Array<Game::Player*> targets = targetsOf(current, action);
        int amount = game.getStakedAmount(action);
        if (action.isDrinkType()) {
            for (Game::Player* target : drinkersOf(current, action)) {
                expect(target->isPlaying(), "only players in the game drink");
                takeSips(*target, amount);
            }
        } else if (action.type == "ActionType_Move_Backwards") {
            for (Game::Player* target : targets) {
                target->moveBy(-amount);
            }
        } else if (action.type == "ActionType_Move_ToStart") {
            for (Game::Player* target : targets) {
                target->moveBy(-target->getCurrentField());
            }
            world.temp().setTokensJumped(true);
        } else if (kit::startsWith(action.type, "ActionType_Move_Switch") && !targets.empty()) {
            int difference = targets.front()->getCurrentField() - current.getCurrentField();
            current.moveBy(difference);
            targets.front()->moveBy(-difference);
            world.temp().setTokensJumped(true);
        } else if (action.type == "ActionType_Move_SkipTurn" ||
                   action.type == "ActionType_Move_NextBackwards") {
            auto state = action.type == "ActionType_Move_SkipTurn" ? Game::Player::State::SkipTurn
                                                                   : Game::Player::State::MoveBackwards;
            for (Game::Player* target : targets) {
                target->addState(state, amount);
            }
        }
        if (action.rollAgain) {
            current.setRollAgain(true);
        }
        world.walkTokens();
    }

    // Every sip lands on one counter: alcohol while the style drinks it and below the limit, water
    // after; reaching the limit switches to water at once.
    void takeSips(Game::Player& target, int amount) {
        bool alcohol = target.drinksAlcohol();
        int drinks = target.getDrinks();
        int water = target.getWaterSips();
        Game::Player::Sips sips = target.takeSips(amount, noticeLevel, 1'700'000'000);
        expect(sips.alcohol + sips.water == amount, "every sip is counted once");
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
        const auto& players = world.game().getPlayers();
        Game::Player* player = kit::randomElement(players);
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
