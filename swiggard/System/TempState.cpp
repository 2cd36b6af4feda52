#include "System/TempState.h"

#include <kit/Format.h>
#include <kit/Strings.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <set>
#include <utility>

#include "Game/Player.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/StoredText.h"

namespace System {

const kit::String TempState::HallOfFameDrinks = "HallOfFameDrinks";
const kit::String TempState::HallOfFameLaps = "HallOfFameLaps";
const kit::String TempState::HallOfFameBac = "HallOfFameBac";
const kit::String TempState::HallOfFameChallenges = "HallOfFameChallenges";

namespace {

struct HallOfFameList {
    const kit::String& key;
    std::function<int(const Game::Player&)> value;
};

// A new record goes after every record of the same value, so the older ones keep their rank.
// A name the game gave is kept as its text key, so that the hall shows it in the language of the day.
kit::String recordName(const Game::Player& player) {
    if (player.getDefaultNumber() > 0) {
        return storableText(TempState::DefaultNamePrefix + kit::toString(player.getDefaultNumber()) + "}");
    }
    return storableText(player.getName());
}

void insertRecord(kit::Array<HallOfFameRecord>& records, const HallOfFameRecord& record) {
    auto smaller = std::find_if(records.begin(), records.end(),
                                [&record](const HallOfFameRecord& r) { return r.value < record.value; });
    records.insert(smaller, record);
}

}  // namespace

void TempState::clear() {
    ventrel::system::TempState::clear();
    boardAnimating = false;
    tokensJumped = false;
    viewMode = 1;
}

void TempState::addNotification(const kit::String& textKey, const kit::String& sound) {
    notifications.push_back({textKey, sound});
}

Notification TempState::popNotification() {
    if (notifications.empty()) {
        return {};
    }
    Notification first = notifications.front();
    notifications.erase(notifications.begin());
    return first;
}

void TempState::updateHallOfFame() {
    GameState* game = gameState();
    if (!game) {
        return;
    }
    const HallOfFameList lists[] = {
        {HallOfFameDrinks, [](const Game::Player& p) { return p.getDrinks(); }},
        {HallOfFameLaps, [](const Game::Player& p) { return p.getLaps(); }},
        {HallOfFameBac, [](const Game::Player& p) { return p.getEstimate(); }},
        {HallOfFameChallenges, [](const Game::Player& p) { return p.getAcceptedChallenges(); }},
    };
    for (const HallOfFameList& list : lists) {
        kit::Array<HallOfFameRecord> records = loadHallOfFame(list.key);
        for (const Game::Player* player : game->getPlayers()) {
            int value = list.value(*player);
            if (value > 0) {
                insertRecord(records, {value, player->getCharacter(), recordName(*player)});
            }
        }
        saveHallOfFame(list.key, records);
    }
    profile().save();
}

kit::Array<HallOfFameRecord> TempState::loadHallOfFame(const kit::String& key) {
    kit::Array<HallOfFameRecord> records;
    for (const kit::String& line : profile().getArray(key)) {
        kit::Array<kit::String> parts = splitStoredRecord(line, 3);
        if (parts.size() == 3) {
            records.push_back({kit::toInt(parts[0]), parts[1], parts[2]});
        }
    }
    return records;
}

void TempState::saveHallOfFame(const kit::String& key, const kit::Array<HallOfFameRecord>& records) {
    std::set<std::pair<kit::String, kit::String>> seen;
    kit::Array<kit::String> stored;
    for (const HallOfFameRecord& record : records) {
        if (stored.size() == HallOfFameSize) {
            break;
        }
        if (!seen.insert({record.character, record.name}).second) {
            continue;
        }
        stored.push_back(formatStoredRecord(record.value, record.character, record.name));
    }
    profile().set(key, stored);
}

kit::String TempState::currentTimeText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof(text), "%H:%M", &local);
    return text;
}

}  // namespace System
