#pragma once

#include <ventrel/scene/Base.h>

namespace Menu {
class NewGame;
class NewGameOptions;
class Phones;
}  // namespace Menu

namespace Scene {

// Setting up a game: the players' rows, the options, the question whether to start, and now and
// then the invitation to like the studio's page.
class NewGame : public ventrel::scene::Base {
public:
    static inline const kit::String StartDialog = "menu/dialog/yes_no";
    static inline const kit::String StartContext = "Dialog:StartNewGame";
    static inline const kit::String PromptDialog = "menu/dialog/yes_no_cancel";
    static inline const kit::String LikeContext = "Dialog:FbLike";
    static inline const kit::String RateContext = "Dialog:RateMe";
    // The like prompt comes on every third start until it is answered.
    static constexpr int PromptEvery = 3;

    NewGame();

    ventrel::system::Contract getContract() const override;
    void setup() override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

    Menu::NewGame* getNewGameMenu() const { return newGameMenu; }
    Menu::NewGameOptions* getOptionsMenu() const { return optionsMenu; }

protected:
    Menu::NewGame* newGameMenu = nullptr;
    Menu::NewGameOptions* optionsMenu = nullptr;
    Menu::Phones* phonesMenu = nullptr;
    bool optionsShown = false;
    bool promptAnswered = false;
    bool phonesOffered = false;
    int likeCounter = 0;

    std::unique_ptr<Base> _createNew() override { return std::make_unique<NewGame>(); }
    void _setupMenus() override;
    void _setupCallbacks() override;
    void _startUpdate() override;

    void _start();
    void _cancel();
    void _showOptions();
    void _showPhones();

private:
    void _startGame();
    void _answerPrompt(int button, const kit::String& key, const kit::String& page,
                       const kit::String& character);
};

}  // namespace Scene
