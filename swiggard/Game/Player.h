#pragma once

#include <kit/EnumerationType.h>
#include <kit/Types.h>
#include <quadrix/Rectangle.h>
#include <quadrix/Vector2.h>
#include <serial/Serializable.h>

#include <ventrel/viewer/IObservable.h>
#include <algorithm>
#include <memory>

#include "Game/AlcoTestData.h"
#include "Game/Board.h"

namespace Game {

// One participant of a running game: who he is, where his token stands and walks, what he drank and
// which turn states wait for him. The token viewers observe him.
class Player : public serial::Serializable, public ventrel::viewer::IObservable {
public:
    class State : public kit::EnumerationType<State> {
    public:
        static constexpr const char* TypeName = "State";
        using EnumerationType::EnumerationType;
        static const State Normal, SkipTurn, MoveBackwards;
    };

    // How the player drinks: alcohol ("Drinks", or "Light", whose small sips count half a drink in the
    // estimate) or water ("Water", and "Driver", who takes the group home).
    class Style : public kit::EnumerationType<Style> {
    public:
        static constexpr const char* TypeName = "DrinkingStyle";
        using EnumerationType::EnumerationType;
        static const Style Drinks, Light, Water, Driver;
    };

    // What one action's sips came to.
    struct Sips {
        int alcohol = 0;
        int water = 0;
        // The sip limit was reached now: the player drinks water from here on.
        bool limitReached = false;
        // The estimate crossed the glass-of-water level now.
        bool levelCrossed = false;
    };

    static constexpr int MaxDrinks = 9001;
    // Marks run from 1 to this: one a seat.
    static constexpr int MarkCount = 14;

    // The catalogue's first colour and first character.
    Player();
    Player(const kit::String& color, const kit::String& character);
    ~Player() override;
    Player(const Player&) = delete;
    Player& operator=(const Player&) = delete;

    kit::String _serialName() const override { return "Game::Player"; }
    kit::Array<serial::Variable> _serialVars() override;

    // Walks the token by that many fields (negative: backwards) and selects the landing field.
    void moveBy(int steps);
    // Advances the walk animation by one frame.
    void updateMoving();
    bool isWalking() const;

    // The first queued state, Normal when none waits.
    State getState() const;
    void addState(const State& state, int count);
    // Removes and returns the first queued state; Normal when none waits.
    State popState();
    const kit::Array<State>& getStates() const { return states; }

    AlcoTestData::Gender getGender() const { return getAlcoTestData()->getGender(); }
    bool isMale() const { return getGender() == AlcoTestData::Gender::male; }
    bool isFemale() const { return getGender() == AlcoTestData::Gender::female; }
    bool isPlaying() const { return playing; }
    void setPlaying(bool value) { playing = value; }
    // Not warned yet, complete body data and an estimate of 0.30 % or more.
    bool needsBacWarning() const;

    // "[c=colour][b=border]name[/b][/c]" with the name escaped, so that typed mark-up shows as typed, and
    // shortened with an ellipsis when it is wider than the turn banner.
    kit::String getRichName() const;
    // The rich names one after the other, with commas between ("Anna, Ben").
    static kit::String richNames(const kit::Array<Player*>& players);
    // "RRGGBB" of the outline that keeps the player's colour readable on anything: black or white,
    // whichever stands out more from the colour.
    kit::String getContrastColor() const;
    // "RRGGBB", black shown as grey.
    kit::String getDisplayColor() const;

    void setName(const kit::String& value) { name = value; }
    // The seat number of a name the game gave ("Player 3"), which the hall of fame shows in the
    // language of the day it is read; 0 for a name the player typed.
    int getDefaultNumber() const { return defaultNumber; }
    void setDefaultNumber(int value) { defaultNumber = value; }
    // The mark that tells the player apart without colour: the seat number on its own shape, 1 to 14;
    // 0 before the game gives one.
    int getMark() const { return mark; }
    void setMark(int value) { mark = value; }
    // "gui.marks/mark_3": the mark's picture.
    kit::String getMarkImage() const;
    const kit::String& getColor() const { return color; }
    void setColor(const kit::String& value) { color = value; }
    const kit::String& getCharacter() const { return character; }
    // Stores the id and takes the character's token offset from the catalogue.
    void setCharacter(const kit::String& value);

    int getCurrentField() const { return currentField; }
    int getLastField() const { return lastField; }
    // The board position 0 to 39.
    int getBoardPosition() const;
    int getLaps() const { return currentField / Game::BoardSize; }
    float getMovingProgress() const { return movingProgress; }
    void setMovingProgress(float value) { movingProgress = value; }
    int getFieldId() const { return fieldId; }
    void setFieldId(int value) { fieldId = value; }

    // Alcoholic sips only: what the estimate, the warning and the hall of fame count.
    int getDrinks() const { return drinks; }
    // Adds drinks, never beyond 9001.
    void addDrinks(int amount);
    // Takes sips as the style says. Sips beyond the sip limit are water, and reaching the limit
    // switches the player to Water. An estimate that crosses `noticeLevel` (hundredths of a percent,
    // 0 for none) makes the glass-of-water notice due. `now` (seconds) becomes the time of the first
    // alcoholic sip.
    Sips takeSips(int amount, int noticeLevel, unsigned int now);
    // The estimate for the alcoholic sips, the small ones at half a drink.
    int getEstimate() const;
    const Style& getStyle() const { return style; }
    void setStyle(const Style& value) { style = value; }
    bool drinksAlcohol() const { return style == Style::Drinks || style == Style::Light; }
    bool isDriver() const { return style == Style::Driver; }
    int getWaterSips() const { return waterSips; }
    int getLightSips() const { return lightSips; }
    // Alcoholic sips after which the player drinks water; 0 for none.
    int getSipLimit() const { return sipLimit; }
    void setSipLimit(int value) { sipLimit = std::clamp(value, 0, MaxDrinks); }
    // Seconds since the epoch; 0 before the first alcoholic sip.
    unsigned int getFirstSipTime() const { return firstSipTime; }
    // The notices still to be shown, saved so that a resumed game shows them: the glass of water
    // offered at the level, and the switch at the limit.
    bool isWaterNoticeDue() const { return waterNoticeDue; }
    void setWaterNoticeDue(bool value) { waterNoticeDue = value; }
    bool isLimitNoticeDue() const { return limitNoticeDue; }
    void setLimitNoticeDue(bool value) { limitNoticeDue = value; }
    const kit::Array<int>& getRolls() const { return rolls; }
    void setRolls(const kit::Array<int>& values) { rolls = values; }
    bool isRollAgain() const { return rollAgain; }
    void setRollAgain(bool value) { rollAgain = value; }
    int getAcceptedChallenges() const { return acceptedChallenges; }
    void addAcceptedChallenge() { ++acceptedChallenges; }
    bool isWarned() const { return warned; }
    void setWarned(bool value) { warned = value; }
    // The token of the phone that plays for this player, empty for none.
    const kit::String& getPhoneToken() const { return phoneToken; }
    void setPhoneToken(const kit::String& value) { phoneToken = value; }
    bool hasPhone() const { return !phoneToken.empty(); }
    // Never null: a save without body data gets a fresh set.
    AlcoTestData* getAlcoTestData() const;
    const quadrix::Vector2& getOffset() const { return offset; }

protected:
    kit::String _getName() const override { return name; }
    bool _isVisible() const override { return playing && visible; }
    void _setVisible(bool value) override { visible = value; }
    bool _isEnabled() const override { return true; }
    void _setEnabled(bool) override {}
    float _getX() const override;
    void _setX(float value) override { rect.x = value; }
    float _getY() const override;
    void _setY(float value) override { rect.y = value; }
    float _getWidth() const override { return rect.w; }
    void _setWidth(float value) override { rect.w = value; }
    float _getHeight() const override { return rect.h; }
    void _setHeight(float value) override { rect.h = value; }
    float _getScaleX() const override { return scale.x; }
    void _setScaleX(float value) override { scale.x = value; }
    float _getScaleY() const override { return scale.y; }
    void _setScaleY(float value) override { scale.y = value; }
    float _getCenterX() const override { return offset.x; }
    void _setCenterX(float) override {}
    float _getCenterY() const override;
    void _setCenterY(float) override {}
    int _getZOrder() const override;
    void _setZOrder(int) override {}
    float _getAngle() const override { return angle; }
    void _setAngle(float value) override { angle = value; }
    unsigned char _getAlpha() const override { return 255; }
    void _setAlpha(unsigned char) override {}
    void _setId(const kit::String&) override {}
    kit::String _getId() const override { return ""; }

private:
    kit::String name;
    // "RRGGBBAA".
    kit::String color;
    // "00" to "25".
    kit::String character;
    kit::String phoneToken;
    bool playing = true;
    int defaultNumber = 0;
    int mark = 0;
    // Fields walked since the start; the board position is this modulo 40.
    int currentField = 0;
    int lastField = 0;
    // 0 to 1 along the last move; 1 when the token stands.
    float movingProgress = 1.0f;
    // The field selected by the last move.
    int fieldId = -1;
    int drinks = 0;
    Style style = Style::Drinks;
    int waterSips = 0;
    // Of the drinks, those taken as small sips.
    int lightSips = 0;
    int sipLimit = 0;
    unsigned int firstSipTime = 0;
    bool waterNoticeDue = false;
    bool limitNoticeDue = false;
    kit::Array<int> rolls;
    bool rollAgain = false;
    // Kept sorted: Normal, then SkipTurn, then MoveBackwards.
    kit::Array<State> states;
    int acceptedChallenges = 0;
    bool warned = false;
    mutable std::unique_ptr<AlcoTestData> alcoTestData = std::make_unique<AlcoTestData>();
    quadrix::Rectangle rect;
    quadrix::Vector2 scale{1.0f, 1.0f};
    // The anchor of the character picture.
    quadrix::Vector2 offset;
    float angle = 0.0f;
    bool visible = true;

    int _drawFieldId(int position) const;
    void _selectField(int candidate);
};

}  // namespace Game
