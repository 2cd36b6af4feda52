#include "Game/Rules.h"

#include <kit/Log.h>

#include <algorithm>

#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"

namespace Game {

namespace {

// Each pair is (the current player's share, the other player's share).
constexpr std::pair<int, int> RollAndSplitPairs[] = {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 3}, {3, 2}, {3, 3}};

using Kind = Action::Kind;
using Aim = Action::Aim;

AlcoTestData::Gender genderOf(Aim aim) {
    return aim == Aim::Female ? AlcoTestData::Gender::female : AlcoTestData::Gender::male;
}

bool isGender(Aim aim) {
    return aim == Aim::Female || aim == Aim::Male;
}

bool isPick(Aim aim) {
    return aim == Aim::Pick1 || aim == Aim::Pick2 || aim == Aim::Pick3;
}

// An action made by hand rather than loaded is read here, once.
Action readAction(const Action& action) {
    Action read = action;
    if (read.kind == Kind::Unread || read.aim == Aim::Unread) {
        read.read();
    }
    return read;
}

}  // namespace

kit::Array<Action> Rules::currentActions(const System::GameState& game) {
    const Player* current = game.getCurrentPlayer();
    if (!current) {
        return {};
    }
    return System::DataManager::getActionsFor(game.findField(current->getFieldId()), current->getGender());
}

void Rules::prepareLanding(System::GameState& game) {
    Player* current = game.getCurrentPlayer();
    if (!current) {
        return;
    }
    game.clearActionPlayers();
    // Only players in the game are drawn: one taken out is not named on a card.
    kit::Array<Player*> others = game.getPlayingPlayers();
    std::erase(others, current);
    kit::Array<Action> actions = currentActions(game);
    game.record(GameLog::Kind::Landing, current, current->getCurrentField() % BoardSize,
                current->getFieldId());
    game.record(GameLog::Kind::Question, current, static_cast<int>(actions.size()));
    kit::Array<int> rolls;
    for (const Action& action : actions) {
        if (action.aim == Aim::Random && !others.empty()) {
            game.addAffectedPlayers(
                {others[static_cast<size_t>(game.draw(0, static_cast<int>(others.size())))]});
        }
        if (action.kind == Kind::RollAndSplit) {
            rolls.push_back(game.draw(0, 7));
        }
    }
    current->setRolls(rolls);
}

void Rules::countAnswer(System::GameState& game, int chosen) {
    Player* current = game.getCurrentPlayer();
    if (!current) {
        return;
    }
    bool challenge = currentActions(game).size() >= 2;
    if (chosen == 0 && challenge) {
        current->addAcceptedChallenge();
    }
    using Log = GameLog;
    Log::Answer answer = !challenge ? Log::Answered : chosen == 0 ? Log::Accepted : Log::Refused;
    game.record(Log::Kind::Answer, current, chosen, answer);
}

Rules::Outcome Rules::resolve(System::GameState& game, const Action& chosen) {
    Outcome outcome;
    if (!game.getCurrentPlayer()) {
        return outcome;
    }
    const Action action = readAction(chosen);
    // A type or target the rules do not know (a damaged catalogue) does nothing.
    if (action.kind == Kind::Unknown || action.aim == Aim::Unknown) {
        return outcome;
    }
    _addTargets(game, action);
    switch (action.kind) {
        case Kind::DrinkPlayer:
        case Kind::DrinkBlindfold:
        case Kind::DrinkWithPlayer:
        case Kind::DrinkExceptPlayer:
        case Kind::DrinkAllPlayers:
        case Kind::DrinkJustice:
        case Kind::DrinkInjustice:
            _resolveDrink(game, action, outcome);
            break;
        case Kind::MoveBackwards:
        case Kind::MoveToStart:
        case Kind::MoveSwitch:
        case Kind::MoveSwitchLast:
        case Kind::MoveSkipTurn:
        case Kind::MoveNextBackwards:
            _resolveMove(game, action, outcome);
            break;
        case Kind::RollAndSplit:
        case Kind::DrinkStripSlapped:
            _resolveSpecial(game, action, outcome);
            break;
        case Kind::Unread:
        case Kind::Unknown:
        case Kind::Start:
        case Kind::Custom:
        case Kind::Challenge:
            break;
    }
    outcome.rollAgain = action.rollAgain && !outcome.landingChanged;
    return outcome;
}

std::pair<int, int> Rules::rollAndSplitShares(const System::GameState& game) {
    const Player* current = game.getCurrentPlayer();
    if (!current || current->getRolls().empty()) {
        kit::Log::error(System::LogTag, "A roll-and-split without its roll.");
        return {0, 0};
    }
    int roll = std::clamp(current->getRolls().front(), 0, 6);
    auto [own, other] = RollAndSplitPairs[roll];
    return {own * game.getMultiplier(), other * game.getMultiplier()};
}

// A move names the field the token goes to; a backwards move over the start undoes no lap.
void Rules::move(System::GameState& game, const Move& move) {
    move.player->moveBy(move.by);
    game.record(GameLog::Kind::Move, move.player, move.player->getCurrentField() % BoardSize,
                move.player->getFieldId());
    game.recordLaps(move.player);
}

void Rules::carryOutMoves(System::GameState& game, const Outcome& outcome) {
    for (const Move& step : outcome.moves) {
        move(game, step);
    }
    for (const StateChange& change : outcome.states) {
        change.player->addState(change.state, change.turns);
    }
}

Player::Sips Rules::giveSips(System::GameState& game, const Sips& sips, int waterNoticeLevel,
                             unsigned int now) {
    Player::Sips taken = sips.player->takeSips(sips.amount, waterNoticeLevel, now);
    using Kind = GameLog::Kind;
    if (taken.alcohol > 0) {
        game.record(Kind::Sips, sips.player, taken.alcohol);
    }
    if (taken.water > 0) {
        game.record(Kind::Water, sips.player, taken.water);
    }
    const Player* current = game.getCurrentPlayer();
    if (sips.amount > 0 && current && sips.player != current) {
        game.record(Kind::HandOut, current, sips.amount, game.seatOf(sips.player));
    }
    return taken;
}

void Rules::_addTargets(System::GameState& game, const Action& action) {
    if (action.aim == Aim::Player) {
        game.addAffectedPlayers({game.getCurrentPlayer()});
    } else if (action.aim == Aim::Special) {
        if (Player* special = game.drawSpecialTarget(action.type)) {
            game.addAffectedPlayers({special});
        }
    } else if (action.aim == Aim::All) {
        game.addAffectedPlayers(game.getPlayingPlayers());
    } else if (isGender(action.aim)) {
        game.addAffectedPlayers(game.getPlayersOfGender(genderOf(action.aim)));
    }
}

void Rules::_resolveDrink(System::GameState& game, const Action& action, Outcome& outcome) {
    Player* current = game.getCurrentPlayer();
    const Kind kind = action.kind;
    if (kind == Kind::DrinkPlayer && isPick(action.aim)) {
        // "Pick a player who drinks": the picked ones drink, not the picker.
        game.setAffectedPlayers({});
    } else if (kind == Kind::DrinkPlayer || kind == Kind::DrinkBlindfold) {
        game.setAffectedPlayers({current});
    } else if (kind == Kind::DrinkWithPlayer) {
        game.addAffectedPlayers({current});
    } else if (kind == Kind::DrinkExceptPlayer) {
        kit::Array<Player*> others = game.getPlayingPlayers();
        std::erase(others, current);
        game.setAffectedPlayers(others);
    } else if (kind == Kind::DrinkAllPlayers) {
        game.setAffectedPlayers(isGender(action.aim) ? game.getPlayersOfGender(genderOf(action.aim))
                                                     : game.getPlayingPlayers());
    }
    int amount = game.getStakedAmount(action);
    for (Player* player : game.getActionPlayers()) {
        outcome.sips.push_back({player, amount});
    }
}

void Rules::_resolveMove(System::GameState& game, const Action& action, Outcome& outcome) {
    Player* current = game.getCurrentPlayer();
    kit::Array<Player*> targets = game.getActionPlayers();
    const Kind kind = action.kind;
    if (kind == Kind::MoveBackwards) {
        for (Player* target : targets) {
            outcome.moves.push_back({target, -action.drinks});
        }
        outcome.landingChanged = true;
    } else if (kind == Kind::MoveToStart) {
        for (Player* target : targets) {
            outcome.moves.push_back({target, -target->getCurrentField()});
        }
        outcome.tokensJumped = true;
    } else if ((kind == Kind::MoveSwitch || kind == Kind::MoveSwitchLast) && !targets.empty()) {
        int difference = targets.front()->getCurrentField() - current->getCurrentField();
        outcome.moves.push_back({current, difference});
        outcome.moves.push_back({targets.front(), -difference});
        outcome.tokensJumped = true;
    } else if (kind == Kind::MoveSkipTurn || kind == Kind::MoveNextBackwards) {
        auto state = kind == Kind::MoveSkipTurn ? Player::State::SkipTurn : Player::State::MoveBackwards;
        for (Player* target : targets) {
            outcome.states.push_back({target, state, action.drinks});
        }
    }
}

void Rules::_resolveSpecial(System::GameState& game, const Action& action, Outcome& outcome) {
    kit::Array<Player*> targets = game.getActionPlayers();
    Player* first = targets.empty() ? nullptr : targets.front();
    if (action.kind == Kind::DrinkStripSlapped && first) {
        outcome.sips.push_back({first, action.drinks});
    } else if (action.kind == Kind::RollAndSplit && first) {
        auto [own, other] = rollAndSplitShares(game);
        outcome.sips.push_back({game.getCurrentPlayer(), own});
        outcome.sips.push_back({first, other});
    }
}

}  // namespace Game
