#pragma once

#include <ventrel/menu/Base.h>

namespace Menu::InGame {

// The dice: it tumbles through its faces until the player rolls, stops on the rolled face at the
// next quarter second with a little pop, and closes itself shortly after. With auto-roll it rolls
// by itself half a second after opening.
class RollDice : public ventrel::menu::Base {
public:
    // Seconds between two faces of the tumbling dice.
    static constexpr float FaceInterval = 0.075f;
    // The menu closes this long after the dice stopped.
    static constexpr float CloseDelay = 0.75f;
    static constexpr float AutoRollDelay = 0.5f;

    explicit RollDice(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void show() override;

    // The board rolled that value: the dice stops on it.
    void setRoll(int value);
    int getRolledValue() const { return rolledValue; }
    void resetRoll() { rolledValue = 0; }
    float getCloseCountdown() const { return closeCountdown; }
    // Opening, closing, or the dice still to stop and close.
    bool isBusy() const;

protected:
    int rolledValue = 0;
    float closeCountdown = 0.0f;
    float autoRollDelay = AutoRollDelay;
    float faceTime = 0.0f;

    void _updateInput() override;
    void _updateLogic() override;

private:
    void _rewindAnimator(const kit::String& name, bool enabled, float delay);
    void _showNextFace(const kit::String& prefix);
    static int _faceOf(const kit::String& image);
};

}  // namespace Menu::InGame
