// Whole evenings on the board: three friends play thirty turns on every board look and field
// arrangement, by mouse alone, by keys alone or by a controller alone, and leave and resume the saved
// game half-way.
#include <gtest/gtest.h>
#include <kit/Strings.h>

#include "BoardPlay.h"
#include "Menu/Title.h"

namespace e2etest {
namespace {

struct GameCase {
    const char* layout;
    const char* fields;
    BoardPlayer::Input input;
};

class WholeGames : public ::testing::TestWithParam<GameCase> {};

const char* inputName(BoardPlayer::Input input) {
    const char* const names[] = {"Mouse", "Keyboard", "Controller"};
    return names[static_cast<int>(input)];
}

// Test lists and failures name the game, not its bytes.
void PrintTo(const GameCase& game, std::ostream* out) {
    *out << game.layout << ' ' << game.fields << ' ' << inputName(game.input);
}

// Thirty turns of three friends; half-way they pause, leave to the title and resume the saved game.
TEST_P(WholeGames, ThirtyTurnsWithAPauseAndAResume) {
    GameSession session;
    ASSERT_TRUE(session.waitForScene());
    // Longer frames: the same game in fewer drawn pictures.
    session.getDriver().setTimeStep(1.0f / 15.0f);
    const GameCase& param = GetParam();
    OpenBoard* board =
        startBoard(session, 3, Layout::fromName(param.layout), FieldSet::fromName(param.fields));
    ASSERT_NE(board, nullptr);
    BoardPlayer play(session, param.input);
    ASSERT_TRUE(play.playTurns(15));
    ASSERT_TRUE(play.playUntil([&] {
        auto* current = dynamic_cast<Scene::Board*>(session.getScene());
        return current && current->isInputAllowed() && isShown(current->getGui(), "button_menu") &&
               game().getTurnPhase() == TurnPhase::Start && !current->getRollDice()->isVisible();
    }));
    int turn = game().getTurnIndex();
    int drinks = player(0).getDrinks() + player(1).getDrinks() + player(2).getDrinks();
    board = dynamic_cast<OpenBoard*>(session.getScene());
    // A press while the camera still glides to the player is not taken: the friends press again.
    for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
        if (param.input == BoardPlayer::Input::Keyboard) {
            session.getDriver().pressKey(host::Key::Escape);
        } else if (param.input == BoardPlayer::Input::Controller) {
            session.getDriver().pressButton(host::Button::B);
        } else {
            session.click(board->getGui(), "button_menu");
        }
        session.getDriver().step(10);
    }
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    play.press(board->getMainMenu(), "button_exit");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 120));
    play.press(openDialog(), "button_dialog_0");
    // Leaving offers the end of the night first; these friends only pause.
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] { return openDialog() && openDialog()->getContext() == Menu::InGame::Main::EndNightContext; },
        120));
    play.press(openDialog(), "button_dialog_1");
    ASSERT_TRUE(session.waitForScene("Scene::Title"));
    auto* title = dynamic_cast<Menu::Title*>(session.getScene()->getMenu("menu/title"));
    ASSERT_NE(title, nullptr);
    play.press(title, "button_resume");
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    EXPECT_EQ(game().getTurnIndex(), turn);
    EXPECT_EQ(player(0).getDrinks() + player(1).getDrinks() + player(2).getDrinks(), drinks);
    ASSERT_TRUE(play.playTurns(15));
    EXPECT_GE(play.getAnsweredDialogs(), 20);
}

INSTANTIATE_TEST_SUITE_P(EveryLayoutAndFieldSet, WholeGames,
                         ::testing::Values(GameCase{"Classic", "Classic", BoardPlayer::Input::Mouse},
                                           GameCase{"Classic", "Shuffle", BoardPlayer::Input::Keyboard},
                                           GameCase{"Classic", "Surprise", BoardPlayer::Input::Mouse},
                                           GameCase{"Planets", "Classic", BoardPlayer::Input::Keyboard},
                                           GameCase{"Planets", "Shuffle", BoardPlayer::Input::Mouse},
                                           GameCase{"Planets", "Surprise", BoardPlayer::Input::Keyboard},
                                           GameCase{"Classic", "Classic", BoardPlayer::Input::Controller}),
                         [](const auto& testInfo) {
                             return kit::String(testInfo.param.layout) + testInfo.param.fields +
                                    inputName(testInfo.param.input);
                         });

}  // namespace
}  // namespace e2etest
