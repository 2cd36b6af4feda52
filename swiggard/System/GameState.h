#pragma once

#include <kit/EnumerationType.h>
#include <kit/Types.h>
#include <ventrel/system/GameState.h>

#include "Game/Action.h"
#include "Game/AlcoTestData.h"
#include "Game/Board.h"
#include "Game/CustomCard.h"
#include "Game/Field.h"
#include "Game/GameLog.h"
#include "Game/Player.h"

#include <kit/OwnedView.h>

#include <memory>

namespace System {

// The running game: players, whose turn it is and in which phase, the chosen board look, field
// arrangement and card set, the stakes, this game's board order and the surprise cards still to draw.
// It is the save game.
class GameState : public ventrel::system::GameState {
public:
    class BoardLayout : public kit::EnumerationType<BoardLayout> {
    public:
        static constexpr const char* TypeName = "BoardLayout";
        using EnumerationType::EnumerationType;
        static const BoardLayout Classic, Planets;
    };

    class FieldSet : public kit::EnumerationType<FieldSet> {
    public:
        static constexpr const char* TypeName = "FieldSet";
        using EnumerationType::EnumerationType;
        static const FieldSet Classic, Shuffle, Surprise;
    };

    class CardSet : public kit::EnumerationType<CardSet> {
    public:
        static constexpr const char* TypeName = "CardSet";
        using EnumerationType::EnumerationType;
        static const CardSet Classic, Custom, Mixed;
    };

    class TurnPhase : public kit::EnumerationType<TurnPhase> {
    public:
        static constexpr const char* TypeName = "TurnPhase";
        using EnumerationType::EnumerationType;
        static const TurnPhase Start, Choice, Finalize;
    };

    GameState() = default;
    ~GameState() override;
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    kit::String _serialName() const override { return "System::GameState"; }
    kit::Array<serial::Variable> _serialVars() override;

    // Mends what a damaged save may hold, then runs the play clock and every token's walk.
    void update() override;
    // Drops missing players and cards, list entries of players who are not in the game and a turn
    // index out of range; players without a mark of their own (an older save) take theirs from the seat.
    void repair();

    // Null when there are no players.
    Game::Player* getCurrentPlayer() const;
    kit::Array<Game::Player*> getPlayingPlayers() const;
    kit::Array<Game::Player*> getPlayersOfGender(const Game::AlcoTestData::Gender& gender) const;
    // The picked players followed by the affected ones.
    kit::Array<Game::Player*> getActionPlayers() const;
    // Appends the players that are not affected yet.
    void addAffectedPlayers(const kit::Array<Game::Player*>& list);
    void addPickedPlayer(Game::Player* player);
    // Replaces the affected players; each is kept once.
    void setAffectedPlayers(const kit::Array<Game::Player*>& list);

    // Start -> Choice -> Finalize -> Start of the next player's turn.
    void advancePhase();
    // Passes the turn on: keeps it for a roll again, passes over skipped and non-playing players.
    void nextTurn();
    // A random id of the surprise deck, removed from it; the deck is refilled when empty.
    int drawSurpriseId();
    // The catalogue's field, else the custom card of this game with that (negative) id; else null.
    Game::Field* findField(int id) const;
    // The slot of the catalogue's board list used at a board position.
    int getBoardSlot(int position) const;
    // The board field at a position, null for a surprise position.
    Game::Field* getBoardField(int position) const;
    // The rule of the "Special" target of that action type: justice, injustice or the player to switch
    // with; null for other types. Of tied players one is chosen at random; the texts show one so
    // chosen, and carrying the action out draws again, from the game's chance.
    Game::Player* chooseSpecialTarget(const kit::String& type) const;
    Game::Player* drawSpecialTarget(const kit::String& type);
    // Every draw of chance in the rules, a whole number in [low, high). The draws are kept in order,
    // so that a game taken back by undo draws the same values again: undo never buys a better roll.
    int draw(int low, int high);
    const kit::Array<int>& getChanceTape() const { return chanceTape; }
    int getChanceCursor() const { return chanceCursor; }
    // After an undo the draws still to come are those the game made before.
    void continueChance(const kit::Array<int>& tape) { chanceTape = tape; }
    // Turns passed since the start.
    int getTurnCount() const { return turnCount; }
    // What happened, told by the pause menu and drawn by the recap; saved with the game.
    const Game::GameLog& getLog() const { return gameLog; }
    // Records an event of the current turn; a null player is the whole table's.
    void record(Game::GameLog::Kind kind, const Game::Player* player, int amount = 0, int detail = 0);
    // Laps are recorded once each, when the token first gets round.
    void recordLaps(const Game::Player* player);
    // The player's place in the list, -1 for one not in the game.
    int seatOf(const Game::Player* player) const;
    static constexpr int MinPlayers = 2;
    // Draws kept for undo; the older half goes when there are more.
    static constexpr int MaxChanceTape = 512;
    static constexpr int MaxPlayers = 14;

    // Two default players when there are none.
    void fillDefaultPlayers();
    // A player of a colour and a free character no other player has, drawn at random; null when the
    // game is full or nothing is left. The colour stays clearly apart from the others' for people
    // with any of the common colour-vision deficiencies while such a colour is left.
    Game::Player* addDefaultPlayer();
    // A new game of the same people: the game is cleared, and each player comes back with name,
    // colour, character, style, sip limit and body data, with nothing counted. A name the game gave
    // ("Player 3") is left empty, to be given again.
    void keepPlayersForNewGame();
    // Takes the player out of the list and deletes it.
    void removePlayer(size_t index);

    // Whether a player has reached a lap beyond the last one offered double stakes while they are
    // not doubled yet: then the players are asked.
    bool isDoubleStakesDue() const;
    // The answer to that question: the lap reached is remembered, so that only a further lap asks
    // again, and yes doubles the stakes.
    void answerDoubleStakes(bool accepted);
    // The highest lap a player has reached.
    int getLeadingLap() const;
    // The action's amount as carried out: drink amounts count multiplied.
    int getStakedAmount(const Game::Action& action) const;

    kit::String getBoardName() const;

    // The players in seat order: a view of the game's own list, which follows its changes.
    kit::OwnedView<Game::Player> getPlayers() const { return kit::OwnedView<Game::Player>(players); }
    // Seats the player at the end of the table and answers it.
    Game::Player* addPlayer(std::unique_ptr<Game::Player> player);
    const kit::Array<Game::Player*>& getAffectedPlayers() const { return affectedPlayers; }
    const kit::Array<Game::Player*>& getPickedPlayers() const { return pickedPlayers; }
    void clearActionPlayers();
    void clearPickedPlayers() { pickedPlayers.clear(); }
    kit::OwnedView<Game::CustomCard> getCustomCards() const {
        return kit::OwnedView<Game::CustomCard>(customCards);
    }
    const BoardLayout& getBoardLayout() const { return boardLayout; }
    void setBoardLayout(const BoardLayout& value) { boardLayout = value; }
    const FieldSet& getFieldSet() const { return fieldSet; }
    void setFieldSet(const FieldSet& value) { fieldSet = value; }
    const CardSet& getCardSet() const { return cardSet; }
    void setCardSet(const CardSet& value) { cardSet = value; }
    int getMultiplier() const { return multiplier; }
    int getMaxLaps() const { return maxLaps; }
    const TurnPhase& getTurnPhase() const { return turnPhase; }
    // The current phase's work is done (the dice was thrown, the chosen action carried out) and only
    // its end is left; saved, so that a resumed game neither throws nor asks again.
    bool isPhaseDone() const { return phaseDone; }
    void setPhaseDone(bool value) { phaseDone = value; }
    // What the current player threw in this turn; 0 before the throw.
    int getRolledValue() const { return rolledValue; }
    // Also the last throw of the game, which the dice shows until the next one.
    void setRolledValue(int value);
    int getLastRoll() const { return lastRoll; }
    // The players nextTurn passed over because they nap, since the last call; emptied by it.
    kit::Array<Game::Player*> takeNappingPlayers();
    int getTurnIndex() const { return turnIndex; }
    void setTurnIndex(int value) { turnIndex = value; }
    const kit::Array<int>& getSurpriseFieldStack() const { return surpriseFieldStack; }
    const kit::Array<int>& getFieldOrder() const { return fieldOrder; }
    // Every so many rounds (0: never) the whole table drinks a glass of water.
    int getWaterRounds() const { return waterRounds; }
    void setWaterRounds(int value) { waterRounds = value; }
    // Rounds completed: the turn came back round to the first seat.
    int getRounds() const { return rounds; }
    // A water round is due until the table has seen it.
    bool isWaterRoundDue() const { return waterRoundDue; }
    void setWaterRoundDue(bool value) { waterRoundDue = value; }
    // The table has been told who drives tonight.
    bool isDriversAnnounced() const { return driversAnnounced; }
    void setDriversAnnounced(bool value) { driversAnnounced = value; }
    // The secret of the phones' join address: kept by a resumed game, so that its phones play on.
    const kit::String& getPhoneSecret() const { return phoneSecret; }
    void setPhoneSecret(const kit::String& value) { phoneSecret = value; }

protected:
    kit::Array<std::unique_ptr<Game::Player>> players;
    kit::Array<Game::Player*> affectedPlayers;
    kit::Array<Game::Player*> pickedPlayers;
    kit::Array<std::unique_ptr<Game::CustomCard>> customCards;
    BoardLayout boardLayout = BoardLayout::Planets;
    FieldSet fieldSet = FieldSet::Classic;
    CardSet cardSet = CardSet::Classic;
    int multiplier = 1;
    int maxLaps = 0;
    TurnPhase turnPhase = TurnPhase::Start;
    bool phaseDone = false;
    int rolledValue = 0;
    int lastRoll = 0;
    // Not saved: told once, when the turn passes them.
    kit::Array<Game::Player*> napping;
    int turnIndex = 0;
    kit::Array<int> surpriseFieldStack;
    kit::Array<int> fieldOrder;
    kit::String phoneSecret;
    int waterRounds = 0;
    int rounds = 0;
    int turnCount = 0;
    kit::Array<int> chanceTape;
    int chanceCursor = 0;
    bool waterRoundDue = false;
    bool driversAnnounced = false;
    Game::GameLog gameLog;

    void _clear() override;
    bool _exchange(ventrel::system::GameState& other) override;
    void _setup() override;

private:
    // Every player's mark becomes the seat number.
    void _seatMarks();
    bool _marksValid() const;
    void _makeFieldOrder();
    void _countRound();
    kit::Array<Game::Player*> _specialCandidates(const kit::String& type) const;
    void _refillSurpriseDeck();
    void _deleteOwned();
};

}  // namespace System
