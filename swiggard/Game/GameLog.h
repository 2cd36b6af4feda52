#pragma once

#include <kit/Types.h>
#include <serial/Variable.h>

#include <optional>

namespace Game {

// What happened in a game, event by event: the pause menu tells it as "What happened" and the end of
// the night draws its recap from it. It is saved with the game. The newest MaxEntries events are
// kept; the totals of every player and the sips over the turns count the whole night, the events
// dropped included. Players are named by their seat, their place in the game's list of players.
class GameLog {
public:
    enum class Kind {
        Roll,
        Landing,
        Question,
        Answer,
        Sips,
        Water,
        HandOut,
        Move,
        Skip,
        Lap,
        DoubleStakes,
        Notice,
        Warning
    };
    // How a question was answered.
    enum Answer { Accepted = 0, Refused = 1, Answered = 2 };
    // Which notice the table answered.
    enum Notice { Drivers = 0, WaterRound = 1, Limit = 2, Glass = 3 };

    // One event. `amount` is the roll, the field number reached, the sips, the lap, the multiplier or
    // the estimate in hundredths of a per cent; `detail` is the field's id for a landing or a move,
    // the answer, the receiving seat of a hand-out, the notice or whether the stakes were doubled.
    // A table's event (a water round, double stakes) has the seat -1.
    struct Entry {
        Kind kind = Kind::Roll;
        int turn = 0;
        int seat = -1;
        int amount = 0;
        int detail = 0;
        bool operator==(const Entry&) const = default;
    };

    // A player's night as the recap shows it.
    struct Totals {
        int sips = 0;
        int water = 0;
        int handedOut = 0;
        int rolls = 0;
        int rollSum = 0;
        int laps = 0;
        int accepted = 0;
        int refused = 0;
        bool operator==(const Totals&) const = default;
    };

    // The sips drunk by every seat after so many turns.
    struct Sample {
        int turn = 0;
        kit::Array<int> sips;
    };

    static constexpr int MaxEntries = 2000;
    static constexpr int MaxSamples = 120;
    static constexpr int MaxSeats = 14;

    void add(const Entry& entry);
    void clear();
    // Laps are counted once each: a player sent back over the start does not finish that lap again.
    void noteLaps(int turn, int seat, int laps);
    // The sips of every seat are sampled when a turn ends; when there are too many samples every
    // second one goes, so the chart keeps the whole night at a coarser step.
    void sampleTurn(int turn, int seats);

    int size() const { return static_cast<int>(entries.size()); }
    // 0 is the oldest kept; nothing for an index out of range or an entry a hand-edited save damaged.
    std::optional<Entry> at(int index) const;
    // Events dropped from the front to keep the bound; their totals are kept.
    int getDropped() const { return dropped; }
    Totals getTotals(int seat) const;
    kit::Array<Sample> getSamples() const;

    // Mends what a damaged save may hold, cheaply enough for every frame: the bound holds and the
    // totals are as long as the seats, none below 0. A damaged entry is passed over where it is read.
    void repair(int seats);
    void addSerialVars(kit::Array<serial::Variable>& vars);

    static kit::String encode(const Entry& entry);
    static std::optional<Entry> decode(const kit::String& text);

private:
    static constexpr int TotalsWidth = 8;
    kit::Array<kit::String> entries;
    kit::Array<int> totals;
    kit::Array<kit::String> samples;
    int dropped = 0;

    void _count(const Entry& entry);
    int& _total(int seat, int field);
};

}  // namespace Game
