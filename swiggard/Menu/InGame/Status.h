#pragma once

#include "Menu/Status.h"

namespace Menu::InGame {

// The pause menu's player list: names in their colours, drinks and estimates, when the game
// started, and taking a player out of the running game or bringing him back.
class Status : public Menu::Status {
public:
    static inline const kit::String DisableDialog = "menu/dialog/yes_no";
    static inline const kit::String DisableContext = "Menu:Status:PlayerDisable";
    static inline const kit::String EnableContext = "Menu:Status:PlayerEnable";

    explicit Status(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

protected:
    void _setupDataset() override;
    void _setupCallbacks() override;
    bool _askPresence(gui::Object* button);

private:
    void _refreshEstimate(int index);
    void _setPlaying(int index, bool playing);
};

}  // namespace Menu::InGame
