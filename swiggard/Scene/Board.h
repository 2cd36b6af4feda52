#pragma once

#include <kit/Types.h>
#include <ventrel/scene/Base.h>

#include <memory>

#include "Game/Action.h"
#include "Game/Rules.h"

namespace Game {
class Player;
}

namespace System {
class GameState;
}

namespace ventrel::menu {
class Dialog;
}

namespace Menu::InGame {
class BacWarning;
class Gui;
class Main;
class RollDice;
}  // namespace Menu::InGame

namespace Viewer {
class Board;
}

namespace Scene {

// The board on which a game is played: the turn engine (roll, walk, resolve the landing field, pass
// the turn), the bar, dice, warning and pause menus, the board and token viewers, and a save after
// every step so that a game can always be resumed where it stood.
class Board : public ventrel::scene::Base {
public:
    static inline const kit::String SelectDialog = "menu/dialog/action_select";
    static inline const kit::String ChoiceDialog = "menu/dialog/action_choice";
    static inline const kit::String PickerDialog = "menu/dialog/picker_player";
    static inline const kit::String YesNoDialog = "menu/dialog/yes_no";
    static inline const kit::String OkDialog = "menu/dialog/ok";
    static inline const kit::String ActionContext = "Context:Phase:Choice";
    static inline const kit::String PickerContext = "Dialog:PlayerPicker";
    static inline const kit::String DoubleStakesContext = "YesNo:DoubleStakes";
    // The notices: the first two are the table's, the others name the row of the player they are for.
    static inline const kit::String DriversContext = "Notice:Drivers";
    static inline const kit::String WaterRoundContext = "Notice:WaterRound";
    static inline const kit::String LimitContext = "Notice:Limit:";
    static inline const kit::String GlassContext = "Notice:Glass:";

    Board();

    ventrel::system::Contract getContract() const override;
    void setup() override;
    void finish() override;
    void refresh() override;
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override;

    Menu::InGame::Gui* getGui() const { return gui; }
    Menu::InGame::BacWarning* getBacWarning() const { return bacWarning; }
    Menu::InGame::RollDice* getRollDice() const { return rollDice; }
    Menu::InGame::Main* getMainMenu() const { return mainMenu; }
    Viewer::Board* getBoardViewer() const { return boardViewer; }
    int getDiceValue() const { return diceValue; }
    int getSelectedAction() const { return selectedAction; }

    // For the phones, which press what a player at the TV would: whether the current player may throw
    // now; one step of throwing (the bar's dice opens the big one, whose press throws); and the row of
    // the player a dialog asks (the landing question and its pickers, a notice for one player), -1 for
    // a question to everybody; and whether a dialog is the whole table's (any phone may answer).
    bool isWaitingForRoll() const;
    void pressDice();
    int getQuestionRow(const ventrel::menu::Dialog* dialog) const;
    bool isTableQuestion(const ventrel::menu::Dialog* dialog) const;

    // The action text as the dialogs show it, in the text-key notation of the GUI. `pool` hands out
    // the players drawn for "Random" actions in order; `assigned` collects them for "PreviousAction".
    static kit::String composeActionText(const Game::Action& action, const kit::String& previousTarget,
                                         kit::Array<Game::Player*>& pool,
                                         kit::Array<Game::Player*>& assigned);
    // The same text for a given key: the action's names, shares and amount follow it as arguments.
    static kit::String composeText(const kit::String& key, const Game::Action& action,
                                   kit::Array<Game::Player*>& pool, kit::Array<Game::Player*>& assigned);
    // The current player's and the other player's share of a roll-and-split, stakes included.
    static std::pair<int, int> rollAndSplitShares();

protected:
    Menu::InGame::Gui* gui = nullptr;
    Menu::InGame::BacWarning* bacWarning = nullptr;
    Menu::InGame::RollDice* rollDice = nullptr;
    Menu::InGame::Main* mainMenu = nullptr;
    Viewer::Board* boardViewer = nullptr;
    // A backwards move put the current player on a new field, whose question comes once the token
    // stands.
    bool landingChanged = false;
    bool choiceMade = false;
    int selectedAction = -1;
    int diceValue = 6;
    // The player whose turn the camera last went to; a player taken out in the pause menu passes
    // the turn, and the camera follows.
    int cameraTurnIndex = -1;

    std::unique_ptr<Base> _createNew() override { return std::make_unique<Board>(); }
    void _setupMenus() override;
    void _setupDataset() override;
    void _setupViewerset() override;
    void _setupCallbacks() override;
    void _startUpdate() override;
    void _updateInput() override;
    void _updateLogic() override;
    void _updateDisplay() override;

    // Buttons.
    void _showMenu();
    void _showDice();
    void _toggleOverview();
    void _hideMotd();
    void _roll();
    // The dice shows the value and the current player walks it.
    void _rollDice(int value);
    void _closeDice();
    // Takes the last answer back, or gives it again.
    void _undo();
    void _redo();

    // The turn engine.
    void _dispatchPhase();
    void _finishPhase();
    void _saveProgress();
    bool _isAnyDialogAnimating() const;
    bool _isAnyTokenWalking() const;
    bool _offerDoubleStakes();
    Game::Player* _lapLeader() const;
    void _announceNaps();
    bool _warnCurrentPlayer();
    void _refreshFieldNumbers();
    void _readTurnAloud();
    void _readCardAloud(const kit::Array<kit::String>& texts);

    // Resolving the landing field.
    void _prepareLanding();
    void _showActionDialog();
    bool _needsPicks();
    void _showPlayerPicker(const Game::Action& action);
    void _applyChosenAction();
    void _carryOut(const Game::Rules::Outcome& outcome);

    // Undo: the moment before an answer is kept; a restored game reopens the board.
    void _recordAnswer(const kit::String& dialog, const kit::String& context);
    void _restore(std::unique_ptr<System::GameState> game);
    void _refreshUndo();
    // The question's own undo and redo, while the bar is out of reach.
    void _offerUndo(ventrel::menu::Dialog* dialog) const;
    // The throw a game taken back will throw again, 0 when none is known.
    int _comingRoll() const;

    // The notices that look after the table.
    bool _showNotice();
    void _showWaterRound();
    void _answerNotice(const kit::String& dialog, int button, const kit::String& context);
    Game::Player* _noticePlayer(const kit::String& dialog, const kit::String& context,
                                const kit::String& expectedDialog, const kit::String& prefix) const;

private:
    kit::Array<Game::Action> _currentActions() const;
    bool _chosenAction(Game::Action& action) const;
};

}  // namespace Scene
