#include "Game/Awards.h"

#include <functional>

namespace Game {

namespace {

using Totals = GameLog::Totals;

// A score as a fraction, so that averages compare exactly: a / b, with b > 0.
struct Score {
    long long numerator = 0;
    long long denominator = 1;
    bool operator<(const Score& other) const {
        return numerator * other.denominator < other.numerator * denominator;
    }
    bool operator==(const Score& other) const {
        return numerator * other.denominator == other.numerator * denominator;
    }
};

Awards::Award best(Awards::Kind kind, const kit::Array<Totals>& seats,
                   const std::function<Score(const Totals&)>& score) {
    Awards::Award award{kind, {}, 0.0f};
    Score top;
    for (size_t seat = 0; seat < seats.size(); ++seat) {
        Score current = score(seats[seat]);
        if (current.numerator <= 0) {
            continue;
        }
        if (award.seats.empty() || top < current) {
            top = current;
            award.seats = {static_cast<int>(seat)};
        } else if (current == top) {
            award.seats.push_back(static_cast<int>(seat));
        }
    }
    award.value = static_cast<float>(top.numerator) / static_cast<float>(top.denominator);
    return award;
}

Score count(int value) {
    return {value, 1};
}

}  // namespace

kit::Array<Awards::Award> Awards::of(const kit::Array<Totals>& seats) {
    return {
        best(Kind::Bravest, seats, [](const Totals& t) { return count(t.accepted); }),
        best(Kind::Luckiest, seats,
             [](const Totals& t) {
                 return t.rolls > 0 ? Score{t.rollSum, t.rolls} : Score{};
             }),
        best(Kind::Generous, seats, [](const Totals& t) { return count(t.handedOut); }),
        best(Kind::Hydration, seats, [](const Totals& t) { return count(t.water); }),
        best(Kind::Marathon, seats, [](const Totals& t) { return count(t.laps); }),
    };
}

const char* Awards::keyName(Kind kind) {
    switch (kind) {
        case Kind::Bravest:
            return "Bravest";
        case Kind::Luckiest:
            return "Luckiest";
        case Kind::Generous:
            return "Generous";
        case Kind::Hydration:
            return "Hydration";
        case Kind::Marathon:
            return "Marathon";
    }
    return "Bravest";
}

}  // namespace Game
