#pragma once

#include <ventrel/menu/Base.h>

#include "Game/AlcoTestData.h"

namespace Menu {

// The blood-alcohol calculator of the extras: gender, stomach, the drink's strength, how many sips
// of it and the size of one sip (the game's unit), and the body weight give a live estimate; the
// disclaimer and the explanation open over it.
class AlcoTest : public ventrel::menu::Base {
public:
    static constexpr int MaxSips = 999;

    explicit AlcoTest(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;

    const Game::AlcoTestData& getData() const { return data; }
    int getSips() const { return sips; }

protected:
    Game::AlcoTestData data;
    int sips = 0;

    void _setupDataset() override;
    void _setupDatasetAspect() override;
    void _setupCallbacks() override;
    void _updateLogic() override;

    void _toggleGender();
    void _stepStomach();
    void _showDisclaimer();
    void _hideDisclaimer();
    void _showInfo();
    void _hideInfo();
    void _back();

private:
    void _readEditBoxes();
    // The panel in front takes Enter and Escape.
    void _setFront(const kit::String& container, bool shown, const kit::String& button);
};

}  // namespace Menu
