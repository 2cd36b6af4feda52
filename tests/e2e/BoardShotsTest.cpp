// Pictures of the board for the people who look at them: with SWIGGARD_SHOTS set to a folder, every
// board screen is saved there as PNG at the window size of SWIGGARD_SHOTS_SIZE ("1366x768" by
// default). Without it the test has nothing to do.
#include <gtest/gtest.h>
#include <host/RenderSystem.h>
#include <host/Window.h>
#include <kit/Env.h>
#include <kit/Strings.h>

#include "BoardPlay.h"
#include "System/TempState.h"

namespace e2etest {
namespace {

class BoardShots : public ::testing::Test {
protected:
    GameSession session;
    kit::String folder = kit::getEnv("SWIGGARD_SHOTS");

    void SetUp() override {
        if (folder.empty()) {
            GTEST_SKIP() << "SWIGGARD_SHOTS names no folder";
        }
        kit::Array<kit::String> size =
            kit::split(kit::getEnv("SWIGGARD_SHOTS_SIZE").empty() ? kit::String("1366x768")
                                                                  : kit::getEnv("SWIGGARD_SHOTS_SIZE"),
                       "x");
        ASSERT_EQ(size.size(), 2u);
        host::window->setSize(kit::toInt(size[0]), kit::toInt(size[1]));
        ASSERT_TRUE(session.waitForScene());
    }

    // Pictures load in the background: the first frames of a screen may still lack some.
    void shot(const kit::String& name) {
        session.getDriver().step(90);
        host::rendersys->requestScreenshot(folder + "/" + name + ".png");
        session.getDriver().step(2);
    }

    // Eight pictures, `frames` apart, of what moves right now.
    void strip(const kit::String& name, int frames) {
        for (int i = 0; i < 8; ++i) {
            host::rendersys->requestScreenshot(folder + "/" + name + "_" + kit::toString(i) + ".png");
            session.getDriver().step(frames);
        }
    }
};

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
        shot(look + "_follow");
        session.click(board->getGui(), "button_overview");
        shot(look + "_overview");
        session.click(board->getGui(), "button_overview");
        session.getDriver().step(60);
        session.click(board->getGui(), "button_menu");
        shot(look + "_pause");
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
    }
}

}  // namespace
}  // namespace e2etest
