// Pictures of the board for the people who look at them (see Shots.h).
#include "BoardPlay.h"
#include "Shots.h"
#include "System/TempState.h"

namespace e2etest {
namespace {

using BoardShots = Shots;

TEST_F(BoardShots, WalkingRoundACornerAndSwitching) {
    ASSERT_TRUE(session.goTo("Scene::Title"));
    OpenBoard* board = startBoard(session, 3, Layout::Classic, FieldSet::Classic);
    ASSERT_NE(board, nullptr);
    Game::Player& current = *System::gameState()->getCurrentPlayer();
    current.moveBy(8);
    current.setMovingProgress(1.0f);
    shot("strip_before");
    board->throwDice(4);
    // The dice shows first; the token sets off when it has closed.
    ASSERT_TRUE(session.getDriver().stepUntil([&] { return !board->getRollDice()->isBusy(); }, 120));
    strip("strip_walk", 3);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    int walker = System::gameState()->getTurnIndex();
    ASSERT_TRUE(play.playUntil([walker] {
        return System::gameState()->getTurnIndex() != walker &&
               System::gameState()->getTurnPhase() == TurnPhase::Start;
    }));
    session.getDriver().step(60);
    // A switch: both tokens jump straight to the other's place.
    Game::Player& other = *System::gameState()->getPlayers()[2];
    other.moveBy(25 - other.getCurrentField());
    other.setMovingProgress(1.0f);
    session.click(board->getGui(), "button_overview");
    shot("strip_switch_before");
    System::tempState()->setTokensJumped(true);
    Game::Player& mover = *System::gameState()->getCurrentPlayer();
    int difference = other.getCurrentField() - mover.getCurrentField();
    mover.moveBy(difference);
    other.moveBy(-difference);
    strip("strip_switch", 3);
}

TEST_F(BoardShots, EveryBoardScreen) {
    // The first screen after start-up may still miss pictures loading in the background.
    ASSERT_TRUE(session.goTo("Scene::Title"));
    for (const Layout& layout : {Layout::Classic, Layout::Planets}) {
        kit::String look = layout.getName();
        OpenBoard* board = startBoard(session, 14, layout, FieldSet::Classic);
        ASSERT_NE(board, nullptr);
        for (int i = 0; i < 14; ++i) {
            System::gameState()->getPlayers()[i]->addDrinks(i * 3);
        }
        // The second player has gone home: his row fades and offers the plus.
        System::gameState()->getPlayers()[1]->setPlaying(false);
        // Names as friends type them: too long for the banner, other scripts, emoji.
        const char* const names[] = {"Maximilian Alexander Friedrich", "Дмитрий Ёжиков", "玩家二號",
                                     "Zoë 🍺🎉 Ann"};
        for (int i = 0; i < 4; ++i) {
            System::gameState()->getPlayers()[i == 1 ? 13 : i]->setName(names[i]);
        }
        shot(look + "_follow");
        session.click(board->getGui(), "button_overview");
        shot(look + "_overview");
        // Held arrows turn the planets by hand: the disc and its fields at an odd angle.
        session.getDriver().keyDown(host::Key::Right);
        session.getDriver().step(20);
        session.getDriver().keyUp(host::Key::Right);
        shot(look + "_turned");
        session.click(board->getGui(), "button_overview");
        session.getDriver().step(60);
        session.click(board->getGui(), "button_menu");
        shot(look + "_pause");
        // The pause menu's settings and help, on their own panels.
        for (const char* button : {"button_settings", "button_help"}) {
            session.click(board->getMainMenu(), button);
            shot(look + "_pause_" + kit::split(button, "_").back());
            session.getDriver().pressKey(host::Key::Escape);
            session.getDriver().step(30);
        }
        session.click(board->getMainMenu(), "button_continue");
        session.getDriver().step(30);
        board->throwDice(3);
        shot(look + "_dice");
        ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
        shot(look + "_" + kit::split(openDialog()->getName(), "/").back());
        BoardPlayer play(session, BoardPlayer::Input::Mouse);
        ASSERT_TRUE(play.playUntil([] { return System::gameState()->getTurnPhase() == TurnPhase::Start; }));
        session.getDriver().step(60);
        System::gameState()->advancePhase();
        board->selectedAction = 0;
        for (const Game::Field* field : System::dataManager->getFields()) {
            if (!field->actions.empty() && field->actions.front().target == "Pick1" &&
                field->actions.front().type == "ActionType_Drink_Player") {
                System::gameState()->getCurrentPlayer()->setFieldId(field->id);
                break;
            }
        }
        board->choiceMade = true;
        shot(look + "_picker");
        session.click(openDialog(), "button_dialog_1");

        ASSERT_TRUE(play.playUntil([] { return System::gameState()->getTurnPhase() == TurnPhase::Start; }));
        session.getDriver().step(60);
        // A throw of one onto the first field that offers two actions.
        Game::Player& lander = *System::gameState()->getCurrentPlayer();
        for (int position = 2; position < Game::BoardSize; ++position) {
            const Game::Field* field = System::gameState()->getBoardField(position);
            if (field && field->actions.size() == 2) {
                lander.moveBy(position - 1 - lander.getCurrentField());
                lander.setMovingProgress(1.0f);
                break;
            }
        }
        board->throwDice(1);
        ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
        shot(look + "_choice");
        session.click(openDialog(), "button_dialog_0");

        ASSERT_TRUE(play.playUntil([] { return System::gameState()->getTurnPhase() == TurnPhase::Start; }));
        Game::AlcoTestData* data = System::gameState()->getCurrentPlayer()->getAlcoTestData();
        data->setPermille(50);
        data->setVolume(280.0f);
        data->setWeight(60000.0f);
        System::gameState()->getCurrentPlayer()->addDrinks(25);
        ASSERT_TRUE(play.playUntil([board] { return board->getBacWarning()->isVisible(); }));
        shot(look + "_warning");
        ASSERT_TRUE(play.playTurns(1));
    }
}

}  // namespace
}  // namespace e2etest
