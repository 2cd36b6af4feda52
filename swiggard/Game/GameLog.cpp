#include "Game/GameLog.h"

#include <kit/Strings.h>

#include <algorithm>
#include <array>

namespace Game {

namespace {

using Kind = GameLog::Kind;

constexpr std::array<std::pair<Kind, const char*>, 13> KindNames{{
    {Kind::Roll, "Roll"},
    {Kind::Landing, "Landing"},
    {Kind::Question, "Question"},
    {Kind::Answer, "Answer"},
    {Kind::Sips, "Sips"},
    {Kind::Water, "Water"},
    {Kind::HandOut, "HandOut"},
    {Kind::Move, "Move"},
    {Kind::Skip, "Skip"},
    {Kind::Lap, "Lap"},
    {Kind::DoubleStakes, "DoubleStakes"},
    {Kind::Notice, "Notice"},
    {Kind::Warning, "Warning"},
}};

// The columns of a seat's totals in the saved list.
enum Column {
    SipsColumn,
    WaterColumn,
    HandedOutColumn,
    RollsColumn,
    RollSumColumn,
    LapsColumn,
    AcceptedColumn,
    RefusedColumn
};

bool isSeat(int seat) {
    return seat >= 0 && seat < GameLog::MaxSeats;
}

}  // namespace

void GameLog::add(const Entry& entry) {
    entries.push_back(encode(entry));
    _count(entry);
    if (size() > MaxEntries) {
        auto excess = static_cast<std::ptrdiff_t>(size() - MaxEntries);
        entries.erase(entries.begin(), entries.begin() + excess);
        dropped += static_cast<int>(excess);
    }
}

void GameLog::clear() {
    entries.clear();
    totals.clear();
    samples.clear();
    dropped = 0;
}

void GameLog::noteLaps(int turn, int seat, int laps) {
    for (int lap = getTotals(seat).laps + 1; lap <= laps && isSeat(seat); ++lap) {
        add({Kind::Lap, turn, seat, lap, 0});
    }
}

void GameLog::sampleTurn(int turn, int seats) {
    kit::Array<kit::String> parts{kit::toString(turn)};
    for (int seat = 0; seat < std::min(seats, MaxSeats); ++seat) {
        parts.push_back(kit::toString(getTotals(seat).sips));
    }
    samples.push_back(kit::join(parts, " "));
    if (static_cast<int>(samples.size()) <= MaxSamples) {
        return;
    }
    kit::Array<kit::String> thinned;
    for (size_t index = 0; index < samples.size(); index += 2) {
        thinned.push_back(samples[index]);
    }
    if (samples.size() % 2 == 0) {
        thinned.push_back(samples.back());
    }
    samples = std::move(thinned);
}

std::optional<GameLog::Entry> GameLog::at(int index) const {
    if (index < 0 || index >= size()) {
        return std::nullopt;
    }
    return decode(entries[static_cast<size_t>(index)]);
}

GameLog::Totals GameLog::getTotals(int seat) const {
    Totals result;
    size_t base = static_cast<size_t>(seat) * TotalsWidth;
    if (!isSeat(seat) || base + TotalsWidth > totals.size()) {
        return result;
    }
    auto column = [&](int field) { return totals[base + static_cast<size_t>(field)]; };
    result.sips = column(SipsColumn);
    result.water = column(WaterColumn);
    result.handedOut = column(HandedOutColumn);
    result.rolls = column(RollsColumn);
    result.rollSum = column(RollSumColumn);
    result.laps = column(LapsColumn);
    result.accepted = column(AcceptedColumn);
    result.refused = column(RefusedColumn);
    return result;
}

kit::Array<GameLog::Sample> GameLog::getSamples() const {
    kit::Array<Sample> result;
    for (const kit::String& line : samples) {
        kit::Array<kit::String> parts = kit::splitNonEmpty(line, " ");
        if (parts.empty() || !std::all_of(parts.begin(), parts.end(), kit::isInt)) {
            continue;
        }
        Sample sample{kit::toInt(parts.front()), {}};
        std::transform(parts.begin() + 1, parts.end(), std::back_inserter(sample.sips), kit::toInt);
        result.push_back(std::move(sample));
    }
    return result;
}

void GameLog::repair(int seats) {
    if (size() > MaxEntries) {
        entries.erase(entries.begin(), entries.begin() + static_cast<std::ptrdiff_t>(size() - MaxEntries));
    }
    totals.resize(static_cast<size_t>(std::clamp(seats, 0, MaxSeats) * TotalsWidth), 0);
    for (int& value : totals) {
        value = std::max(value, 0);
    }
    dropped = std::max(dropped, 0);
}

void GameLog::addSerialVars(kit::Array<serial::Variable>& vars) {
    vars.push_back(serial::Variable("logEntries", &entries));
    vars.push_back(serial::Variable("logDropped", &dropped));
    vars.push_back(serial::Variable("logTotals", &totals));
    vars.push_back(serial::Variable("logSamples", &samples));
}

kit::String GameLog::encode(const Entry& entry) {
    auto name = std::find_if(KindNames.begin(), KindNames.end(),
                             [&](const auto& pair) { return pair.first == entry.kind; });
    return kit::join({name->second, kit::toString(entry.turn), kit::toString(entry.seat),
                      kit::toString(entry.amount), kit::toString(entry.detail)},
                     " ");
}

std::optional<GameLog::Entry> GameLog::decode(const kit::String& text) {
    kit::Array<kit::String> parts = kit::splitNonEmpty(text, " ");
    if (parts.size() != 5 || !std::all_of(parts.begin() + 1, parts.end(), kit::isInt)) {
        return std::nullopt;
    }
    auto name = std::find_if(KindNames.begin(), KindNames.end(),
                             [&](const auto& pair) { return parts[0] == pair.second; });
    if (name == KindNames.end()) {
        return std::nullopt;
    }
    Entry entry{name->first, kit::toInt(parts[1]), kit::toInt(parts[2]), kit::toInt(parts[3]),
                kit::toInt(parts[4])};
    if (entry.seat < -1 || entry.seat >= MaxSeats) {
        return std::nullopt;
    }
    return entry;
}

void GameLog::_count(const Entry& entry) {
    if (!isSeat(entry.seat)) {
        return;
    }
    switch (entry.kind) {
        case Kind::Roll:
            ++_total(entry.seat, RollsColumn);
            _total(entry.seat, RollSumColumn) += entry.amount;
            break;
        case Kind::Sips:
            _total(entry.seat, SipsColumn) += entry.amount;
            break;
        case Kind::Water:
            _total(entry.seat, WaterColumn) += entry.amount;
            break;
        case Kind::HandOut:
            _total(entry.seat, HandedOutColumn) += entry.amount;
            break;
        case Kind::Lap:
            _total(entry.seat, LapsColumn) = std::max(_total(entry.seat, LapsColumn), entry.amount);
            break;
        case Kind::Answer:
            if (entry.detail == Accepted) {
                ++_total(entry.seat, AcceptedColumn);
            } else if (entry.detail == Refused) {
                ++_total(entry.seat, RefusedColumn);
            }
            break;
        default:
            break;
    }
}

int& GameLog::_total(int seat, int field) {
    size_t base = static_cast<size_t>(seat) * TotalsWidth;
    if (totals.size() < base + TotalsWidth) {
        totals.resize(base + TotalsWidth, 0);
    }
    return totals[base + static_cast<size_t>(field)];
}

}  // namespace Game
