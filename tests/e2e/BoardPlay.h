#pragma once

#include <gui/Label.h>
#include <gui/ScrollArea.h>
#include <kit/Format.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <ventrel/menu/Dialog.h>
#include <algorithm>
#include <functional>
#include <optional>

#include "Game/Player.h"
#include "GameSession.h"
#include "Menu/InGame/BacWarning.h"
#include "Menu/InGame/Gui.h"
#include "Menu/InGame/Main.h"
#include "Menu/InGame/RollDice.h"
#include "Scene/Board.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"

namespace e2etest {

using Layout = System::GameState::BoardLayout;
using FieldSet = System::GameState::FieldSet;
using CardSet = System::GameState::CardSet;
using TurnPhase = System::GameState::TurnPhase;

inline System::GameState& game() {
    return *System::gameState();
}

inline Game::Player& player(int index) {
    return *game().getPlayers()[index];
}

// The board with its innards open to the tests that set up a situation before they press buttons.
class OpenBoard : public Scene::Board {
public:
    using Board::_applyChosenAction;
    using Board::_prepareLanding;
    using Board::_rollDice;
    using Board::choiceMade;
    using Board::selectedAction;

    // The dice as a fresh throw of the current player shows it.
    void throwDice(int value) {
        getRollDice()->resetRoll();
        _rollDice(value);
    }
    using Board::landingChanged;

protected:
    std::unique_ptr<Base> _createNew() override { return std::make_unique<OpenBoard>(); }
};

// A new game of that many players ("Player 1" ...) as the set-up screen leaves it.
inline void newGame(int players, const Layout& layout, const FieldSet& fields,
                    const CardSet& cards = CardSet::Classic) {
    System::GameState* game = System::gameState();
    game->clear();
    const auto& colors = System::dataManager->getColors();
    const auto& characters = System::dataManager->getCharacters();
    for (int i = 0; i < players; ++i) {
        game->addPlayer(std::make_unique<Game::Player>(colors[i % colors.size()], characters[i % 16]))
            ->setName(kit::format("Player %d", i + 1));
    }
    game->setBoardLayout(layout);
    game->setFieldSet(fields);
    game->setCardSet(cards);
    game->setup();
    game->start();
}

// Starts a new game and runs frames until the board takes input; null when it does not get there.
inline OpenBoard* startBoard(GameSession& session, int players, const Layout& layout, const FieldSet& fields,
                             const CardSet& cards = CardSet::Classic) {
    ventrel::sceneManager->registerSceneFactory("Scene::Board", [] { return std::make_unique<OpenBoard>(); });
    // A running board shows the players of the old game until it is left.
    if (ventrel::sceneManager->getCurrentSceneName() == "Scene::Board" && !session.goTo("Scene::Title")) {
        return nullptr;
    }
    newGame(players, layout, fields, cards);
    if (!session.goTo("Scene::Board")) {
        return nullptr;
    }
    return dynamic_cast<OpenBoard*>(session.getScene());
}

inline ventrel::menu::Dialog* openDialog() {
    for (ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
        if (dialog->isVisible() && dialog->isInputAllowed()) {
            return dialog;
        }
    }
    return nullptr;
}

inline bool isShown(const ventrel::system::Context* screen, const kit::String& name) {
    gui::Object* object = screen ? screen->getObject(name) : nullptr;
    return object && object->isDerivedVisible() && object->isDerivedEnabled();
}

// The first board position whose field's first action has that type (and target, when one is given),
// and that this game's players are enough for (a field for more players gives way to another).
inline std::optional<int> positionWith(const kit::String& type, size_t actions = 0,
                                       const kit::String& target = "") {
    int playing = static_cast<int>(game().getPlayingPlayers().size());
    for (int position = 1; position < Game::BoardSize; ++position) {
        const Game::Field* field = game().getBoardField(position);
        bool sized = field && (actions == 0 || field->actions.size() == actions);
        if (sized && field->minPlayers <= playing && !field->actions.empty() &&
            field->actions.front().type == type &&
            (target.empty() || field->actions.front().target == target)) {
            return position;
        }
    }
    return std::nullopt;
}

// The first catalogue field whose actions (for everybody) include that type.
inline const Game::Field* fieldWith(const kit::String& type, size_t actions = 0) {
    for (const Game::Field* field : System::dataManager->getFields()) {
        bool sized = actions == 0 || field->actions.size() == actions;
        if (sized && std::any_of(field->actions.begin(), field->actions.end(),
                                 [&](const Game::Action& a) { return a.type == type; })) {
            return field;
        }
    }
    return nullptr;
}

// The current player stands `before` fields ahead of the start and throws `roll` forwards: a backwards
// throw or a skipped turn an earlier card left waiting is dropped.
inline void throwFrom(OpenBoard* board, int before, int roll) {
    Game::Player& current = *game().getCurrentPlayer();
    while (!current.getStates().empty()) {
        current.popState();
    }
    current.moveBy(before - current.getCurrentField());
    current.setMovingProgress(1.0f);
    board->throwDice(roll);
}

// The index of the first action of that type in what the current player gets of the field.
inline int actionIndex(const Game::Field* field, const kit::String& type) {
    kit::Array<Game::Action> actions =
        System::DataManager::getActionsFor(field, game().getCurrentPlayer()->getGender());
    auto found =
        std::find_if(actions.begin(), actions.end(), [&](const Game::Action& a) { return a.type == type; });
    EXPECT_NE(found, actions.end()) << type << " is not on field " << field->id;
    return static_cast<int>(found - actions.begin());
}

inline kit::String dialogText(ventrel::menu::Dialog* dialog, int index) {
    auto* label = dynamic_cast<gui::Label*>(dialog->getObject("text_dialog_" + kit::toString(index)));
    return label ? label->getTextKey() : "";
}

// Whether the move now is a phone's: its player's question or roll, or, once anybody plays from a
// phone, the whole group's question (double stakes, the warning).
inline bool isPhonesMove(const Scene::Board& board) {
    const auto& players = game().getPlayers();
    bool phones =
        std::any_of(players.begin(), players.end(), [](const Game::Player* p) { return p->hasPhone(); });
    if (ventrel::menu::Dialog* dialog = openDialog()) {
        int row = board.getQuestionRow(dialog);
        return row >= 0 ? player(row).hasPhone()
                        : phones && dialog->getContext() == Scene::Board::DoubleStakesContext;
    }
    if (board.getBacWarning()->isVisible()) {
        return phones;
    }
    Game::Player* current = game().getCurrentPlayer();
    return current && current->hasPhone() && game().getTurnPhase() == TurnPhase::Start &&
           !game().isPhaseDone();
}

// The four ways the focus moves: by the arrow keys or by the pad's directions.
enum class Direction { Left, Right, Up, Down };

inline void pressDirection(host::TestDriver& driver, Direction direction, bool pad) {
    const host::Key keys[] = {host::Key::Left, host::Key::Right, host::Key::Up, host::Key::Down};
    const host::Button buttons[] = {host::Button::DPadLeft, host::Button::DPadRight, host::Button::DPadUp,
                                    host::Button::DPadDown};
    auto index = static_cast<size_t>(direction);
    if (pad) {
        driver.pressButton(buttons[index]);
    } else {
        driver.pressKey(keys[index]);
    }
    // A focus moved takes the next frame's keys no more than a controller's: a player's next press comes
    // a few frames later.
    driver.step(2);
}

// The focused object of the screen the player sees: a question's own, or the one the scene and its
// menus share.
inline gui::Object* focusedOnScreen(ventrel::system::Context* screen) {
    if (gui::Object* own = screen->getDataset()->getFocusedObject();
        own || dynamic_cast<ventrel::menu::Dialog*>(screen)) {
        return own;
    }
    ventrel::system::Context* root = screen;
    while (root->getOwner()) {
        root = root->getOwner();
    }
    kit::Array<ventrel::system::Context*> group{root};
    for (ventrel::menu::Base* menu : root->getAllMenus()) {
        group.push_back(menu);
    }
    for (ventrel::system::Context* member : group) {
        if (gui::Object* focused =
                member->getDataset() ? member->getDataset()->getFocusedObject() : nullptr) {
            return focused;
        }
    }
    return nullptr;
}

// Moves the focus onto the button with the arrow keys (or the pad), the way a player finds it who has
// never heard of Tab: towards it on the screen, and, where that leads nowhere, row by row over the
// whole screen. False when it is never reached.
inline bool walkFocusTo(GameSession& session, ventrel::system::Context* screen, const gui::Object* target,
                        bool pad) {
    host::TestDriver& driver = session.getDriver();
    auto focused = [screen] { return focusedOnScreen(screen); };
    if (!focused()) {
        pressDirection(driver, Direction::Down, pad);
    }
    // Rows first, as a player does: up or down while the button is on another row, then along it.
    for (int step = 0; step < 40 && focused() && focused() != target; ++step) {
        const gui::Object* from = focused();
        quadrix::Vector2 delta = target->getBoundingRect().getCenter() - from->getBoundingRect().getCenter();
        Direction vertical = delta.y > 0 ? Direction::Down : Direction::Up;
        Direction across = delta.x > 0 ? Direction::Right : Direction::Left;
        bool otherRow = std::abs(delta.y) >= 24.0f;
        pressDirection(driver, otherRow ? vertical : across, pad);
        if (focused() == from && otherRow && std::abs(delta.x) >= 1.0f) {
            pressDirection(driver, across, pad);
        }
        if (focused() == from) {
            break;
        }
    }
    for (int row = 0; row < 32 && focused() != target; ++row) {
        for (int step = 0; step < 8 && focused() != target; ++step) {
            pressDirection(driver, row % 2 ? Direction::Left : Direction::Right, pad);
        }
        if (focused() != target) {
            pressDirection(driver, row < 16 ? Direction::Down : Direction::Up, pad);
        }
    }
    return focused() == target;
}

// Presses the button with the arrow keys and Enter, or with the pad and A.
inline void walkAndPress(GameSession& session, ventrel::system::Context* screen, const kit::String& name,
                         bool pad) {
    gui::Object* button = screen->getObject(name);
    ASSERT_NE(button, nullptr) << screen->getName() << " has no " << name;
    ASSERT_TRUE(walkFocusTo(session, screen, button, pad)) << screen->getName() << ": never reached " << name;
    if (pad) {
        session.getDriver().pressButton(host::Button::A);
    } else {
        session.getDriver().pressKey(host::Key::Return);
    }
}

// Plays the board the way the friends on the sofa do: only by mouse clicks, only by keys or only by a
// controller, answering every question as it comes. Counts the turns that passed.
class BoardPlayer {
public:
    enum class Input { Mouse, Keyboard, Controller };

    BoardPlayer(GameSession& session, Input input) : session(session), input(input) {}

    // Plays until that many more turns have begun; false when the game stops moving for 40 s.
    bool playTurns(int turns) {
        int goal = startedTurns + turns;
        int idle = 0;
        while (startedTurns < goal) {
            if (!_board()) {
                ADD_FAILURE() << "the board is gone";
                return false;
            }
            bool acted = _act();
            if (!session.getDriver().step(acted ? 3 : 1)) {
                return false;
            }
            idle = _countTurn() ? 0 : idle + (acted ? 3 : 1);
            if (idle > 1200) {
                ADD_FAILURE() << "the game stands still in phase "
                              << System::gameState()->getTurnPhase().getName();
                return false;
            }
        }
        return true;
    }

    // Plays on until the condition holds; false after that many frames.
    bool playUntil(const std::function<bool()>& condition, int maxFrames = 3000) {
        for (int frames = 0; frames < maxFrames; ++frames) {
            if (condition()) {
                return true;
            }
            if (!_board() || !session.getDriver().step(_act() ? 3 : 1)) {
                return false;
            }
            _countTurn();
        }
        return condition();
    }

    // Mouse: a click on the object. Keys and pad: the focus walked onto it, then Enter or A.
    void press(ventrel::system::Context* screen, const kit::String& name) {
        if (input == Input::Mouse) {
            session.click(screen, name);
            return;
        }
        walkAndPress(session, screen, name, input == Input::Controller);
    }

    // The answer to the double-stakes question: 0 yes, 1 no, -1 either.
    void setDoubleStakesAnswer(int answer) { doubleStakesAnswer = answer; }

    int getStartedTurns() const { return startedTurns; }
    int getAnsweredDialogs() const { return answeredDialogs; }
    // The object the last answer pressed.
    const kit::String& getLastAnswer() const { return lastAnswer; }

private:
    GameSession& session;
    Input input;
    int startedTurns = 0;
    int answeredDialogs = 0;
    kit::String lastPhase = "Start";
    int lastTurnIndex = 0;
    int doubleStakesAnswer = -1;
    kit::String lastAnswer;

    Scene::Board* _board() const { return dynamic_cast<Scene::Board*>(session.getScene()); }

    bool _countTurn() {
        System::GameState* game = System::gameState();
        kit::String phase = game->getTurnPhase().getName();
        bool changed = phase != lastPhase || game->getTurnIndex() != lastTurnIndex;
        if (phase == "Start" && lastPhase != "Start") {
            ++startedTurns;
        }
        lastPhase = phase;
        lastTurnIndex = game->getTurnIndex();
        return changed;
    }

    bool _act() {
        Scene::Board* board = _board();
        if (ventrel::menu::Dialog* dialog = openDialog()) {
            _answer(dialog);
            ++answeredDialogs;
            return true;
        }
        Menu::InGame::BacWarning* warning = board->getBacWarning();
        if (warning->isVisible() && warning->isInputAllowed()) {
            _pressConfirm(warning, "button_ok");
            return true;
        }
        Menu::InGame::RollDice* dice = board->getRollDice();
        if (dice->isVisible() && dice->isInputAllowed() && dice->getRolledValue() == 0) {
            _pressConfirm(dice, "button_ok");
            return true;
        }
        if (!dice->isVisible() && board->isInputAllowed() && isShown(board->getGui(), "button_dice")) {
            if (input == Input::Keyboard) {
                session.getDriver().pressKey(host::Key::Space);
            } else if (input == Input::Controller) {
                press(board->getGui(), "button_dice");
            } else {
                session.click(board->getGui(), "button_dice");
            }
            return true;
        }
        return false;
    }

    // Mouse: a click on the object. Keyboard and pad: Enter or A presses what the screen confirms with.
    void _pressConfirm(ventrel::system::Context* screen, const kit::String& name) {
        if (input == Input::Keyboard) {
            session.getDriver().pressKey(host::Key::Return);
        } else if (input == Input::Controller) {
            session.getDriver().pressButton(host::Button::A);
        } else {
            session.click(screen, name);
        }
    }

    void _answer(ventrel::menu::Dialog* dialog) {
        kit::String name = dialog->getName();
        if (name == Scene::Board::PickerDialog) {
            _pickPlayer(dialog);
        } else if (name == Scene::Board::YesNoDialog && doubleStakesAnswer >= 0) {
            _chooseOne(dialog, doubleStakesAnswer);
        } else if (name == Scene::Board::ChoiceDialog || name == Scene::Board::YesNoDialog) {
            _chooseOne(dialog, kit::random(0, 2));
        } else {
            lastAnswer = name == Scene::Board::SelectDialog ? "button_ok" : "button_dialog_0";
            _pressConfirm(dialog, lastAnswer);
        }
    }

    // Keyboard and pad: the question opens with its first answer focused, Right steps to the next one
    // and Enter (or A) presses the focused one, as anyone would try without knowing about Tab.
    void _chooseOne(ventrel::menu::Dialog* dialog, int index) {
        lastAnswer = "button_dialog_" + kit::toString(index);
        if (input == Input::Mouse) {
            session.click(dialog, "button_dialog_" + kit::toString(index));
            return;
        }
        gui::Object* first = dialog->getObject("button_dialog_0");
        EXPECT_TRUE(first && first->isFocused())
            << dialog->getName() << " opens without its first answer focused";
        for (int i = 0; i < index; ++i) {
            pressDirection(session.getDriver(), Direction::Right, input == Input::Controller);
        }
        gui::Object* chosen = dialog->getObject(lastAnswer);
        EXPECT_TRUE(chosen && chosen->isFocused()) << "Right does not reach " << lastAnswer;
        _pressConfirm(dialog, lastAnswer);
    }

    // The first player that may be picked and is in view of the list.
    void _pickPlayer(ventrel::menu::Dialog* dialog) {
        auto* area = dynamic_cast<gui::ScrollArea*>(dialog->getObject("scroll_area"));
        for (int i = 0; i < dialog->getButtonCount(); ++i) {
            gui::Object* button = dialog->getObject("button_dialog_" + kit::toString(i));
            if (!button || !button->isDerivedVisible() || !button->isDerivedEnabled()) {
                continue;
            }
            if (area && !area->getBoundingRect().isPointInside(button->getBoundingRect().getCenter())) {
                continue;
            }
            lastAnswer = button->getName();
            press(dialog, lastAnswer);
            return;
        }
        ADD_FAILURE() << "the picker offers nobody";
    }
};

}  // namespace e2etest
