#pragma once

#include "Menu/Status.h"

namespace Menu::InGame {

// The pause menu's player list: names in their colours, sips, water and estimates, when the game
// started, switching a player to water or back to drinking, and taking a player out of the running
// game or bringing him back.
class Status : public Menu::Status {
public:
    static inline const kit::String DisableDialog = "menu/dialog/yes_no";
    static inline const kit::String DisableContext = "Menu:Status:PlayerDisable";
    static inline const kit::String EnableContext = "Menu:Status:PlayerEnable";
    static inline const kit::String StyleContext = "Menu:Status:Style";

    explicit Status(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

protected:
    void _setupDataset() override;
    void _setupCallbacks() override;
    bool _askPresence(gui::Object* button);
    bool _askStyle(gui::Object* button);

private:
    void _refreshEstimate(int index);
    void _setPlaying(int index, bool playing);
    void _switchStyle(int index);
    void _save();
};

}  // namespace Menu::InGame
