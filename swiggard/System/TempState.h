#pragma once

#include <utility>

#include <kit/Types.h>
#include <ventrel/system/TempState.h>

#include "System/HallOfFameRecord.h"
#include "System/Notification.h"

namespace System {

// What the screens share during one run and never save: board animation and camera flags, the title
// screen's clock, pending notifications. Also keeps the hall of fame in the profile up to date.
class TempState : public ventrel::system::TempState {
public:
    // The profile keys of the four hall-of-fame lists.
    static const kit::String HallOfFameDrinks;
    static const kit::String HallOfFameLaps;
    static const kit::String HallOfFameBac;
    static const kit::String HallOfFameChallenges;
    static constexpr size_t HallOfFameSize = 10;
    // How a record keeps a name the game gave: this text key and the seat number in braces.
    static inline const kit::String DefaultNamePrefix = "{%s %s} gui.Player {";

    TempState() = default;

    // The engine's clear, then the board flags back to rest and the overview camera.
    void clear() override;

    void addNotification(const kit::String& textKey, const kit::String& sound);
    // The oldest notification, removed; an empty one when none waits.
    Notification popNotification();
    const kit::Array<Notification>& getNotifications() const { return notifications; }

    // Merges every player of the running game into the four lists and saves the profile.
    static void updateHallOfFame();
    // The records of a list, best first; malformed stored lines are left out.
    static kit::Array<HallOfFameRecord> loadHallOfFame(const kit::String& key);
    // Keeps the first record of each character and name, at most ten, and stores them.
    static void saveHallOfFame(const kit::String& key, const kit::Array<HallOfFameRecord>& records);

    // The local wall-clock time as "HH:MM".
    static kit::String currentTimeText();

    bool isBoardAnimating() const { return boardAnimating; }
    void setBoardAnimating(bool value) { boardAnimating = value; }
    bool isTokensJumped() const { return tokensJumped; }
    void setTokensJumped(bool value) { tokensJumped = value; }
    // The end of the night asked for a new game of the same players: the new-game screen keeps them
    // once.
    void setSamePlayers(bool value) { samePlayers = value; }
    bool takeSamePlayers() { return std::exchange(samePlayers, false); }
    int getViewMode() const { return viewMode; }
    void setViewMode(int value) { viewMode = value; }
    float getTitleAnimationTime() const { return titleAnimationTime; }
    void setTitleAnimationTime(float value) { titleAnimationTime = value; }

private:
    bool boardAnimating = false;
    // Tokens were placed without walking (switch, move to start) until the turn is finalized.
    bool tokensJumped = false;
    bool samePlayers = false;
    // Board camera: 0 or 1.
    int viewMode = 1;
    float titleAnimationTime = 0.0f;
    kit::Array<Notification> notifications;
};

}  // namespace System
