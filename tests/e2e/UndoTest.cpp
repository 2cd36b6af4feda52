// Taking answers back on the board: the question comes back as it was, the counts go back, redo gives
// the answer again, and chance is never undone: a throw taken back is thrown again with the same value.
#include <gtest/gtest.h>
#include <kit/Random.h>
#include <serial/Serial.h>
#include <ventrel/system/SaveManager.h>

#include <memory>

#include <gui/Dataset.h>

#include "BoardPlay.h"
#include "Menu/Dialog/Base.h"
#include "System/UndoHistory.h"

namespace e2etest {
namespace {

class Undo : public ::testing::Test {
protected:
    void SetUp() override {
        kit::seedRandom(41);
        ASSERT_TRUE(session.waitForScene());
        session.useWindow(320, 240);
    }

    // The board of the moment: a restored game opens a new one.
    Scene::Board* board() const { return dynamic_cast<Scene::Board*>(session.getScene()); }

    // Presses the dice as a player does (the bar's opens the big one, whose press throws).
    bool throwDice() {
        return session.getDriver().stepUntil(
            [this] {
                if (board() && board()->isWaitingForRoll()) {
                    board()->pressDice();
                }
                return game().getRolledValue() != 0;
            },
            600);
    }

    // The board is back (opened again for the restored game) and asks its question.
    bool questionBack(const kit::String& dialog) {
        return session.getDriver().stepUntil(
            [&] {
                Scene::Board* shown = board();
                return shown && shown->isRunning() && !ventrel::sceneManager->getNextScene() &&
                       openDialog() && openDialog()->getName() == dialog && openDialog()->isInputAllowed();
            },
            900);
    }

    bool waitingForRoll() {
        return session.getDriver().stepUntil(
            [this] {
                return board() && board()->isWaitingForRoll() && !openDialog() && board()->isInputAllowed();
            },
            900);
    }

    static kit::String savedGame() {
        std::unique_ptr<ventrel::system::GameState> saved = ventrel::saveManager->loadAuto();
        EXPECT_NE(saved, nullptr);
        return saved ? serial::toXml(saved.get()) : kit::String();
    }

    GameSession session;
};

TEST_F(Undo, AnAnswerIsTakenBackWithItsQuestionAndGivenAgain) {
    OpenBoard* started = startBoard(session, 3, Layout::Classic, FieldSet::Classic);
    ASSERT_NE(started, nullptr);
    EXPECT_FALSE(isShown(started->getGui(), "button_redo"));
    throwFrom(started, 0, 1);
    ASSERT_TRUE(questionBack(Scene::Board::SelectDialog));
    kit::String asked = dialogText(openDialog(), 0);
    int sips = player(0).getDrinks();
    EXPECT_FALSE(isShown(openDialog(), "button_undo")) << "nothing to take back yet";
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(waitingForRoll());
    int after = player(0).getDrinks();
    EXPECT_GT(after, sips);
    EXPECT_EQ(game().getTurnIndex(), 1);

    // Backspace takes it back: the same question, the sips as they were, and the save with them.
    // A press while the camera still glides is not taken: the player presses again.
    for (int tries = 0; tries < 10 && !ventrel::sceneManager->getNextScene() && game().getTurnIndex() == 1;
         ++tries) {
        session.getDriver().pressKey(host::Key::Backspace);
        session.getDriver().step(10);
    }
    ASSERT_TRUE(questionBack(Scene::Board::SelectDialog));
    EXPECT_EQ(dialogText(openDialog(), 0), asked);
    EXPECT_EQ(player(0).getDrinks(), sips);
    EXPECT_EQ(game().getTurnIndex(), 0);
    EXPECT_EQ(savedGame(), serial::toXml(&game())) << "the save is the restored game";

    // The question's own redo gives the answer again.
    ASSERT_TRUE(isShown(openDialog(), "button_redo"));
    session.click(openDialog(), "button_redo");
    ASSERT_TRUE(waitingForRoll());
    EXPECT_EQ(player(0).getDrinks(), after);
    EXPECT_EQ(game().getTurnIndex(), 1);
}

// Back past a throw: the token stands where it stood, the dice shows the throw to come, and throwing
// again brings the same value and the same question.
TEST_F(Undo, ChanceIsNeverUndone) {
    OpenBoard* started = startBoard(session, 2, Layout::Classic, FieldSet::Classic);
    ASSERT_NE(started, nullptr);
    // Player 1 answers; then player 2 throws and is asked.
    throwFrom(started, 0, 1);
    ASSERT_TRUE(questionBack(Scene::Board::SelectDialog));
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(waitingForRoll());
    int field = player(1).getCurrentField();
    ASSERT_TRUE(throwDice());
    int rolled = game().getRolledValue();
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] { return openDialog() && openDialog()->isInputAllowed() && game().getTurnIndex() == 1; }, 900));
    kit::String asked = openDialog()->getName() + dialogText(openDialog(), 0);

    // Undo from the question goes back to player 1's answer, before player 2's throw; the keyboard
    // reaches the question's undo button too.
    ASSERT_TRUE(isShown(openDialog(), "button_undo"));
    ventrel::menu::Dialog* question = openDialog();
    for (int tab = 0; tab < 8 && !(question->getDataset()->getFocusedObject() &&
                                   question->getDataset()->getFocusedObject()->getName() == "button_undo");
         ++tab) {
        session.getDriver().pressKey(host::Key::Tab);
        session.getDriver().step();
    }
    ASSERT_NE(question->getDataset()->getFocusedObject(), nullptr);
    ASSERT_EQ(question->getDataset()->getFocusedObject()->getName(), "button_undo");
    session.getDriver().pressKey(host::Key::Return);
    ASSERT_TRUE(questionBack(Scene::Board::SelectDialog));
    EXPECT_EQ(game().getTurnIndex(), 0);
    EXPECT_EQ(player(1).getCurrentField(), field);
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(waitingForRoll());
    EXPECT_EQ(board()->getDiceValue(), rolled) << "the dice shows the throw to come";
    ASSERT_TRUE(throwDice());
    EXPECT_EQ(game().getRolledValue(), rolled) << "undo bought another throw";
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] { return openDialog() && openDialog()->isInputAllowed() && game().getTurnIndex() == 1; }, 900));
    EXPECT_EQ(openDialog()->getName() + dialogText(openDialog(), 0), asked);
    EXPECT_FALSE(System::UndoHistory::get().canRedo()) << "a new answer ends redo";
}

}  // namespace
}  // namespace e2etest
