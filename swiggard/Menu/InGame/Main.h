#pragma once

#include <ventrel/menu/Base.h>

namespace Menu {
class Help;
class Phones;
class Settings;
}  // namespace Menu

namespace Menu::InGame {

class Status;
class Story;

// The pause menu: a panel that slides up over the board with the players' status list, what happened
// so far, the blood-alcohol explanation, settings, help, ending the night and leaving the game (it stays
// saved; leaving offers the end of the night first).
class Main : public ventrel::menu::Base {
public:
    static inline const kit::String ExitDialog = "menu/dialog/yes_no";
    static inline const kit::String ExitContext = "Dialog:ExitGame";
    static inline const kit::String EndNightContext = "Dialog:EndTheNight";

    explicit Main(ventrel::system::Context* owner);

    ventrel::system::Contract getContract() const override;
    void setup() override;
    void refresh() override;
    void show() override;
    void hide() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

    Status* getStatus() const { return status; }
    Story* getStory() const { return story; }
    Help* getHelp() const { return help; }
    Settings* getSettings() const { return settings; }
    Phones* getPhones() const { return phones; }

protected:
    Status* status = nullptr;
    Story* story = nullptr;
    Help* help = nullptr;
    Settings* settings = nullptr;
    Phones* phones = nullptr;
    gui::Object* panel = nullptr;
    // Leaving was confirmed: the end of the night is offered once that question has gone.
    bool endNightOffered = false;

    void _setupMenus() override;
    void _setupDataset() override;
    void _setupDatasetAspect() override;
    void _setupCallbacks() override;
    void _updateInput() override;
    void _updateLogic() override;
    void _animateShow() override;
    void _animateHide() override;
    void _instantShow() override;
    void _instantHide() override;
    void _continue();
    void _info();
    void _infoOk();
    void _story();
    void _storyBack();
    void _settings();
    void _help();
    void _phones();
    void _exit();
    void _endNight();
    void _offerEndNight();

private:
    float _shownPanelY() const;
    float _hiddenPanelY() const;
    bool _isInfoShown() const;
};

}  // namespace Menu::InGame
