// The board played through the real game: the turn engine, its dialogs and menus, and whole games by
// mouse alone and keyboard alone on every board look and field arrangement.
#include <gtest/gtest.h>
#include <gui/ImageBox.h>
#include <gui/ImageButton.h>
#include <gui/Label.h>
#include <host/RenderSystem.h>
#include <kit/Strings.h>
#include <ventrel/system/SaveManager.h>

#include <ventrel/system/Viewerset.h>

#include <cmath>
#include <memory>
#include <optional>

#include "BoardPlay.h"
#include "Menu/InGame/Status.h"
#include "Menu/Title.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace e2etest {
namespace {

class BoardTest : public ::testing::Test {
protected:
    GameSession session;

    void SetUp() override { ASSERT_TRUE(session.waitForScene()); }

    OpenBoard* start(int players, const Layout& layout = Layout::Classic,
                     const FieldSet& fields = FieldSet::Classic) {
        OpenBoard* board = startBoard(session, players, layout, fields);
        EXPECT_NE(board, nullptr);
        return board;
    }

    bool waitForDialog(const kit::String& name) {
        bool shown = session.getDriver().stepUntil(
            [&] { return openDialog() && openDialog()->getName() == name; }, 600);
        if (!shown) {
            ADD_FAILURE() << "waiting for " << name
                          << ", open: " << (openDialog() ? openDialog()->getName() : "none") << ", phase "
                          << game().getTurnPhase().getName() << ", field id "
                          << game().getCurrentPlayer()->getFieldId();
        }
        return shown;
    }
};

TEST_F(BoardTest, BothLayoutsStartWithTheirMenusAndTokens) {
    for (const Layout& layout : {Layout::Classic, Layout::Planets}) {
        OpenBoard* board = start(3, layout);
        ASSERT_NE(board, nullptr);
        EXPECT_EQ(board->getDatasetPath().find(
                      layout == Layout::Planets ? "board_planets" : "board_classic") != kit::String::npos,
                  true);
        EXPECT_TRUE(board->getContractErrors().empty()) << board->getContractErrors().front();
        for (ventrel::menu::Base* menu : board->getAllMenus()) {
            EXPECT_TRUE(menu->getContractErrors().empty())
                << menu->getName() << ": " << menu->getContractErrors().front();
        }
        EXPECT_TRUE(board->getGui()->isVisible());
        EXPECT_FALSE(board->getRollDice()->isVisible());
        EXPECT_FALSE(board->getMainMenu()->isVisible());
        // One board viewer and one token per player.
        EXPECT_EQ(board->getViewerset()->getViewers().size(), 4u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(isShown(board->getGui(), "label_drinks_" + kit::toString(i)));
        }
        EXPECT_FALSE(board->getGui()->getObject("label_drinks_3")->isDerivedVisible());
        EXPECT_EQ(System::getLabelText(board->getGui(), "label_drinks_name_2"), "Player 3")
            << "the bar names";
    }
}

TEST_F(BoardTest, DoubleStakesAreOfferedOncePerNewLapAfterTheTokensStopped) {
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    play.setDoubleStakesAnswer(1);
    throwFrom(board, 39, 3);
    ASSERT_TRUE(waitForDialog(Scene::Board::YesNoDialog));
    EXPECT_FALSE(player(0).isWalking());
    EXPECT_EQ(player(0).getLaps(), 1);
    // No: the stakes stay, and the same lap is not offered again.
    ASSERT_TRUE(play.playUntil(
        [] { return game().getTurnIndex() == 1 && game().getTurnPhase() == TurnPhase::Start; }));
    EXPECT_EQ(game().getMultiplier(), 1);
    EXPECT_EQ(game().getMaxLaps(), 1);
    throwFrom(board, 38, 4);
    ASSERT_TRUE(play.playUntil(
        [] { return game().getTurnIndex() == 0 && game().getTurnPhase() == TurnPhase::Start; }));
    EXPECT_EQ(game().getMultiplier(), 1);
    // A further lap asks again; yes doubles the stakes for good.
    play.setDoubleStakesAnswer(0);
    throwFrom(board, 79, 2);
    ASSERT_TRUE(waitForDialog(Scene::Board::YesNoDialog));
    ASSERT_TRUE(play.playUntil([] { return game().getMultiplier() == 2; }));
    EXPECT_EQ(game().getMaxLaps(), 2);
}

TEST_F(BoardTest, FieldNumbersDoubleWithTheStakes) {
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    std::optional<int> drink = positionWith("ActionType_Drink_Player");
    ASSERT_TRUE(drink.has_value());
    const Game::Action& action = game().getBoardField(*drink)->actions.front();
    auto* number = dynamic_cast<gui::ImageBox*>(board->getObject(kit::format("field_number_%02d", *drink)));
    ASSERT_NE(number, nullptr);
    if (action.drinks >= 2) {
        EXPECT_EQ(number->getImageName(), "game.fields/" + kit::toString(action.drinks));
    }
    game().answerDoubleStakes(true);
    board->refresh();
    EXPECT_EQ(number->getImageName(), "game.fields/" + kit::toString(action.drinks * 2));
}

TEST_F(BoardTest, ABackwardsMoveDuringTheChoiceResolvesTheNewFieldAndSaves) {
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    std::optional<int> back = positionWith("ActionType_Move_Backwards");
    ASSERT_TRUE(back.has_value());
    int distance = game().getBoardField(*back)->actions.front().drinks;
    throwFrom(board, *back - 2, 2);
    ASSERT_TRUE(waitForDialog(Scene::Board::ChoiceDialog));
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(
        session.getDriver().stepUntil([&] { return player(0).getCurrentField() == *back - distance; }, 120));
    // Saved before the token walks back, with the new field's draws: a game left now resumes there.
    {
        std::unique_ptr<ventrel::system::GameState> owned = ventrel::saveManager->loadAuto();
        ASSERT_NE(owned, nullptr);
        ventrel::system::GameState* walking = owned.get();
        auto* state = dynamic_cast<System::GameState*>(walking);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->getPlayers()[0]->getCurrentField(), *back - distance);
        EXPECT_EQ(state->getTurnPhase(), TurnPhase::Choice);
        EXPECT_FALSE(state->isPhaseDone());
    }
    EXPECT_EQ(game().getTurnPhase(), TurnPhase::Choice);
    EXPECT_EQ(game().getTurnIndex(), 0);
    // The new field's dialog follows once the token has walked back (unless it is the start field).
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] { return openDialog() != nullptr || game().getTurnPhase() != TurnPhase::Choice; }, 600));
    std::unique_ptr<ventrel::system::GameState> saved = ventrel::saveManager->loadAuto();
    auto* state = dynamic_cast<System::GameState*>(saved.get());
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->getPlayers()[0]->getCurrentField(), *back - distance);
}

TEST_F(BoardTest, APendingMoveBackwardsWalksTheDiceBackwards) {
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    // Given while somebody else plays, the state waits for the player's next turn.
    player(1).moveBy(20);
    player(1).setMovingProgress(1.0f);
    player(1).addState(Game::Player::State::MoveBackwards, 1);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(play.playUntil([] { return game().getTurnIndex() == 1; }));
    int before = player(1).getCurrentField();
    ASSERT_TRUE(play.playUntil([] { return game().getTurnPhase() != TurnPhase::Start; }));
    EXPECT_EQ(player(1).getCurrentField(), before - board->getDiceValue());
}

TEST_F(BoardTest, TheStartFieldShowsNoDialog) {
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    throwFrom(board, 36, 4);
    // Reaching the start completes a lap: the stakes question comes, then no field card.
    ASSERT_TRUE(waitForDialog(Scene::Board::YesNoDialog));
    session.click(openDialog(), "button_dialog_1");
    bool actionShown = false;
    ASSERT_TRUE(session.getDriver().stepUntil(
        [&] {
            ventrel::menu::Dialog* dialog = openDialog();
            actionShown = actionShown || (dialog && dialog->getName() != Scene::Board::YesNoDialog);
            return game().getTurnIndex() == 1;
        },
        600));
    EXPECT_FALSE(actionShown);
    EXPECT_EQ(game().getTurnPhase(), TurnPhase::Start);
}

TEST_F(BoardTest, OneActionUsesTheSelectDialogAndTwoTheChoice) {
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    std::optional<int> drink = positionWith("ActionType_Drink_Player", 1);
    ASSERT_TRUE(drink.has_value());
    throwFrom(board, *drink - 1, 1);
    ASSERT_TRUE(waitForDialog(Scene::Board::SelectDialog));
    ventrel::menu::Dialog* select = openDialog();
    EXPECT_EQ(dynamic_cast<gui::Label*>(select->getObject("player_name"))->getText(),
              player(0).getRichName());
    EXPECT_EQ(dynamic_cast<gui::ImageBox*>(select->getObject("image_back_0"))->getImageName(),
              "gui.buttons/fields_blank_" + kit::toString(*drink / 10));
    int drinksBefore = player(0).getDrinks();
    session.click(select, "button_ok");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return game().getTurnIndex() == 1; }, 300));
    EXPECT_GT(player(0).getDrinks(), drinksBefore);
    EXPECT_EQ(player(0).getAcceptedChallenges(), 0);

    // A challenge field: two answers, and taking the first counts.
    const Game::Field* challenge = nullptr;
    int position = 1;
    for (; position < Game::BoardSize && !challenge; ++position) {
        const Game::Field* field = game().getBoardField(position);
        if (field && field->actions.size() == 2 && field->minPlayers <= 2) {
            challenge = field;
        }
    }
    ASSERT_NE(challenge, nullptr);
    throwFrom(board, position - 2, 1);
    ASSERT_TRUE(waitForDialog(Scene::Board::ChoiceDialog));
    session.click(openDialog(), "button_dialog_0");
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(play.playUntil([] { return game().getTurnIndex() == 0; }));
    EXPECT_EQ(player(1).getAcceptedChallenges(), 1);
}

TEST_F(BoardTest, ActionTextsNameTheDrawnPlayersAndCountTheStakes) {
    ASSERT_NE(start(3), nullptr);
    Game::Action random;
    random.type = "ActionType_Drink_WithPlayer";
    random.target = "Random";
    random.drinks = 2;
    Game::Action previous = random;
    previous.target = "PreviousAction";
    kit::Array<Game::Player*> pool = {&player(1)};
    kit::Array<Game::Player*> assigned;
    kit::String name = "{" + player(1).getRichName() + "}";
    EXPECT_EQ(Scene::Board::composeActionText(random, "", pool, assigned),
              "{%f} gui.ActionType_Drink_WithPlayer_Random " + name + " {2}");
    // A second draw of the same player finds the pool empty: no name.
    EXPECT_EQ(Scene::Board::composeActionText(random, "Random", pool, assigned),
              "{%f} gui.ActionType_Drink_WithPlayer_Random {2}");
    EXPECT_EQ(Scene::Board::composeActionText(previous, "Random", pool, assigned),
              "{%f} gui.ActionType_Drink_WithPlayer_Random " + name + " {2}");

    game().answerDoubleStakes(true);
    Game::Action move;
    move.type = "ActionType_Move_Backwards";
    move.drinks = 3;
    move.rollAgain = true;
    EXPECT_EQ(Scene::Board::composeActionText(move, "", pool, assigned),
              "{%f %s} gui.ActionType_Move_Backwards_Player {3} gui.RollAgainText");
    EXPECT_EQ(Scene::Board::composeActionText(random, "", pool, assigned),
              "{%f} gui.ActionType_Drink_WithPlayer_Random {4}");
    Game::Action custom;
    custom.type = "ActionType_Special_Custom";
    custom.text = "Sing [b]loud[/b]";
    EXPECT_EQ(Scene::Board::composeActionText(custom, "", pool, assigned), "{Sing [b]loud[/b]}");
    Game::Action split;
    split.type = "ActionType_Special_RollAndSplit";
    split.target = "Pick1";
    player(0).setRolls({4});
    EXPECT_EQ(Scene::Board::composeActionText(split, "", pool, assigned),
              "{%f} gui.ActionType_Special_RollAndSplit_Pick1 {4} {6}");
}

TEST_F(BoardTest, ResumingInTheChoiceShowsTheSameDialog) {
    OpenBoard* board = start(3);
    ASSERT_NE(board, nullptr);
    std::optional<int> random = positionWith("ActionType_Drink_WithPlayer");
    if (!random) {
        random = positionWith("ActionType_Drink_Player");
    }
    ASSERT_TRUE(random.has_value());
    throwFrom(board, *random - 1, 1);
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
    kit::String name = openDialog()->getName();
    kit::String text = dialogText(openDialog(), 0);
    ASSERT_TRUE(session.goTo("Scene::Title"));
    auto* title = dynamic_cast<Menu::Title*>(session.getScene()->getMenu("menu/title"));
    ASSERT_NE(title, nullptr);
    session.click(title, "button_resume");
    // The board comes back with its question open, which holds the board's own input.
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] {
            return ventrel::sceneManager->getCurrentSceneName() == "Scene::Board" && openDialog() != nullptr;
        },
        600));
    EXPECT_EQ(openDialog()->getName(), name);
    EXPECT_EQ(dialogText(openDialog(), 0), text);
}

TEST_F(BoardTest, ChosenActionsFollowTheirRules) {
    OpenBoard* board = start(3);
    ASSERT_NE(board, nullptr);
    const Game::Field* drink = fieldWith("ActionType_Drink_Player", 1);
    ASSERT_NE(drink, nullptr);
    player(0).addDrinks(9000);
    player(0).setFieldId(drink->id);
    game().advancePhase();
    board->selectedAction = 0;
    board->_applyChosenAction();
    EXPECT_EQ(player(0).getDrinks(), Game::Player::MaxDrinks);
    EXPECT_TRUE(game().isPhaseDone());

    const Game::Field* toStart = fieldWith("ActionType_Move_ToStart");
    ASSERT_NE(toStart, nullptr);
    player(0).moveBy(85);
    player(0).setMovingProgress(1.0f);
    player(0).setFieldId(toStart->id);
    game().clearActionPlayers();
    board->selectedAction = actionIndex(toStart, "ActionType_Move_ToStart");
    if (System::DataManager::getActionsFor(toStart, player(0).getGender())[board->selectedAction].target ==
        "Player") {
        board->_applyChosenAction();
        EXPECT_EQ(player(0).getCurrentField(), 0);
        EXPECT_EQ(player(0).getLaps(), 0);
        EXPECT_TRUE(System::tempState()->isTokensJumped());
    }
}

// "Pick players who drink": the picked ones drink and the picker only when he picked himself; the
// players drawn for a card are always players still in the game.
TEST_F(BoardTest, PickCardsPayThePickedAndDrawsNameOnlyPlayersInTheGame) {
    OpenBoard* board = start(4);
    ASSERT_NE(board, nullptr);
    game().advancePhase();
    for (const char* target : {"Pick1", "Pick2"}) {
        const Game::Field* pick = nullptr;
        for (const Game::Field* field : System::dataManager->getFields()) {
            if (field->actions.size() == 1 && field->actions.front().type == "ActionType_Drink_Player" &&
                field->actions.front().target == target) {
                pick = field;
            }
        }
        ASSERT_NE(pick, nullptr) << target;
        player(0).setFieldId(pick->id);
        game().clearActionPlayers();
        game().addPickedPlayer(&player(2));
        if (kit::String(target) == "Pick2") {
            game().addPickedPlayer(&player(0));
        }
        kit::Array<int> before;
        for (const Game::Player* p : game().getPlayers()) {
            before.push_back(p->getDrinks());
        }
        board->selectedAction = 0;
        board->_applyChosenAction();
        int sips = pick->actions.front().drinks;
        EXPECT_EQ(player(2).getDrinks(), before[2] + sips) << target;
        EXPECT_EQ(player(0).getDrinks(), before[0] + (kit::String(target) == "Pick2" ? sips : 0))
            << target << ": the picker drinks only when picked";
        EXPECT_EQ(player(1).getDrinks(), before[1]) << target;
        EXPECT_EQ(player(3).getDrinks(), before[3]) << target;
    }

    const Game::Field* random = nullptr;
    for (const Game::Field* field : System::dataManager->getFields()) {
        if (field->minPlayers <= 4 &&
            std::any_of(field->actions.begin(), field->actions.end(),
                        [](const Game::Action& a) { return a.target == "Random"; })) {
            random = field;
        }
    }
    ASSERT_NE(random, nullptr);
    player(1).setPlaying(false);
    player(3).setPlaying(false);
    player(0).setFieldId(random->id);
    for (int draw = 0; draw < 40; ++draw) {
        board->_prepareLanding();
        ASSERT_EQ(game().getAffectedPlayers().size(), 1u);
        EXPECT_EQ(game().getAffectedPlayers().front(), &player(2)) << "a player who is out was drawn";
    }
}

TEST_F(BoardTest, ThePickerOffersOnlyWhoMayBePicked) {
    OpenBoard* board = start(14);
    ASSERT_NE(board, nullptr);
    game().setTurnIndex(0);
    player(3).setPlaying(false);
    game().advancePhase();
    auto showPicker = [&](const kit::String& type, const kit::String& target) -> ventrel::menu::Dialog* {
        const Game::Field* field = nullptr;
        for (const Game::Field* candidate : System::dataManager->getFields()) {
            for (const Game::Action& a :
                 System::DataManager::getActionsFor(candidate, player(0).getGender())) {
                field = !field && a.type == type && a.target == target ? candidate : field;
            }
        }
        EXPECT_NE(field, nullptr) << type << " " << target;
        if (!field) {
            return nullptr;
        }
        player(0).setFieldId(field->id);
        player(0).setRolls({0});
        board->selectedAction = actionIndex(field, type);
        board->choiceMade = true;
        EXPECT_TRUE(session.getDriver().stepUntil(
            [] { return openDialog() && openDialog()->getName() == Scene::Board::PickerDialog; }, 120));
        return openDialog();
    };
    auto enabled = [](ventrel::menu::Dialog* picker, int slot) {
        return picker->getObject("button_dialog_" + kit::toString(slot))->isEnabled();
    };
    // A second pick of a drink: the one picked and the one who went home cannot be picked again.
    game().addPickedPlayer(&player(5));
    ventrel::menu::Dialog* picker = showPicker("ActionType_Drink_Player", "Pick2");
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(enabled(picker, 0)) << "a drink may be given to oneself";
    EXPECT_FALSE(enabled(picker, 3)) << "not playing";
    EXPECT_FALSE(enabled(picker, 5)) << "already picked";
    EXPECT_TRUE(enabled(picker, 13));
    EXPECT_TRUE(picker->getObject("button_dialog_13")->isVisible());
    session.click(picker, "button_dialog_1");
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] {
            return game().getTurnPhase() == TurnPhase::Finalize || game().getTurnPhase() == TurnPhase::Start;
        },
        120));
    EXPECT_EQ(player(1).getDrinks(), player(5).getDrinks());
    EXPECT_GT(player(1).getDrinks(), 0);

    // A roll-and-split is shared with somebody else.
    ASSERT_TRUE(session.getDriver().stepUntil([] { return game().getTurnPhase() == TurnPhase::Start; }, 120));
    game().setTurnIndex(0);
    game().advancePhase();
    game().clearActionPlayers();
    picker = showPicker("ActionType_Special_RollAndSplit", "Pick1");
    ASSERT_NE(picker, nullptr);
    Game::Player* current = game().getCurrentPlayer();
    int self = game().seatOf(current);
    EXPECT_FALSE(enabled(picker, self)) << "no self-pick for a roll-and-split";
}

TEST_F(BoardTest, APickWithOnlyTheCurrentPlayerLeftIsAppliedWithThePicksMade) {
    OpenBoard* board = start(3);
    ASSERT_NE(board, nullptr);
    const Game::Field* field = nullptr;
    int index = 0;
    for (const Game::Field* candidate : System::dataManager->getFields()) {
        for (size_t i = 0; i < candidate->actions.size() && !field; ++i) {
            const Game::Action& a = candidate->actions[i];
            if (a.target == "Pick1" && System::DataManager::isSelfExcludedType(a.type) &&
                !kit::startsWith(a.type, "ActionType_Move_")) {
                field = candidate;
                index = static_cast<int>(i);
            }
        }
    }
    ASSERT_NE(field, nullptr);
    game().setTurnIndex(0);
    player(1).setPlaying(false);
    player(2).setPlaying(false);
    player(0).setFieldId(field->id);
    player(0).setRolls({0});
    game().advancePhase();
    board->selectedAction = index;
    board->choiceMade = true;
    ASSERT_TRUE(
        session.getDriver().stepUntil([] { return game().getTurnPhase() != TurnPhase::Choice; }, 120));
    EXPECT_EQ(openDialog(), nullptr);
}

TEST_F(BoardTest, TheWarningComesOncePerPlayerWithCompleteData) {
    newGame(2, Layout::Classic, FieldSet::Classic);
    Game::AlcoTestData* data = player(0).getAlcoTestData();
    data->setPermille(400);
    data->setVolume(40.0f);
    data->setWeight(60000.0f);
    player(0).addDrinks(15);
    ASSERT_GE(data->estimate(15), Game::AlcoTestData::WarningEstimate);
    player(1).addDrinks(40);
    ventrel::sceneManager->registerSceneFactory("Scene::Board", [] { return std::make_unique<OpenBoard>(); });
    ventrel::sceneManager->switchScene("Scene::Board");
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] {
            auto* board = dynamic_cast<Scene::Board*>(ventrel::sceneManager->getScene());
            return board && board->getBacWarning()->isVisible() && board->getBacWarning()->isInputAllowed();
        },
        600));
    auto* board = dynamic_cast<Scene::Board*>(session.getScene());
    EXPECT_FALSE(board->getGui()->isVisible());
    EXPECT_FALSE(player(0).isWarned()) << "warned before the warning was confirmed";
    EXPECT_EQ(dynamic_cast<gui::Label*>(board->getBacWarning()->getObject("label_name"))->getText(),
              player(0).getRichName() + "!");
    session.click(board->getBacWarning(), "button_ok");
    ASSERT_TRUE(session.getDriver().stepUntil([&] { return board->getGui()->isVisible(); }, 60));
    EXPECT_TRUE(player(0).isWarned());
    session.getDriver().step(30);
    EXPECT_FALSE(board->getBacWarning()->isVisible());
    EXPECT_FALSE(player(1).isWarned()) << "no body data, no warning";
}

TEST_F(BoardTest, TheDiceTumblesStopsOnAQuarterSecondAndClosesItself) {
    System::profile().set("AutoRoll", "0");
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    Menu::InGame::RollDice* dice = board->getRollDice();
    session.click(board->getGui(), "button_dice");
    ASSERT_TRUE(session.waitForInput(dice));
    // Every 0.075 s a new face, never the one before.
    session.getDriver().setTimeStep(Menu::InGame::RollDice::FaceInterval);
    kit::String before = dynamic_cast<gui::ImageBox*>(dice->getObject("image_dice"))->getImageName();
    for (int i = 0; i < 40; ++i) {
        session.getDriver().step();
        kit::String face = dynamic_cast<gui::ImageBox*>(dice->getObject("image_dice"))->getImageName();
        EXPECT_NE(face, before);
        before = face;
    }
    session.getDriver().setTimeStep(1.0f / 30.0f);
    session.getDriver().step(20);
    EXPECT_EQ(dice->getRolledValue(), 0) << "without auto-roll the dice waits";
    session.click(dice, "button_ok");
    ASSERT_TRUE(session.getDriver().stepUntil([&] { return dice->getRolledValue() != 0; }, 10));
    float stop = dice->getAnimator("roller")->getStopTime();
    EXPECT_FLOAT_EQ(stop * 4.0f, std::round(stop * 4.0f));
    float close = dice->getCloseCountdown();
    EXPECT_GE(close, Menu::InGame::RollDice::CloseDelay - 0.05f);
    EXPECT_LE(close, Menu::InGame::RollDice::CloseDelay + 0.25f);
    ASSERT_TRUE(session.getDriver().stepUntil([&] { return !dice->isVisible(); }, 60));
}

TEST_F(BoardTest, AutoRollThrowsHalfASecondAfterTheDiceOpened) {
    System::profile().set("AutoRoll", "1");
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    session.getDriver().pressKey(host::Key::Space);
    ASSERT_TRUE(session.waitForInput(board->getRollDice()));
    session.getDriver().step(8);
    EXPECT_EQ(board->getRollDice()->getRolledValue(), 0);
    ASSERT_TRUE(
        session.getDriver().stepUntil([&] { return board->getRollDice()->getRolledValue() != 0; }, 20));
}

TEST_F(BoardTest, PlayersAreTakenOutOnlyWhileMoreThanTwoPlayAndTheTurnPassesOn) {
    OpenBoard* board = start(3);
    ASSERT_NE(board, nullptr);
    session.click(board->getGui(), "button_menu");
    Menu::InGame::Main* pause = board->getMainMenu();
    ASSERT_TRUE(session.waitForInput(pause));
    Menu::InGame::Status* status = pause->getStatus();
    ASSERT_TRUE(status->isVisible());
    EXPECT_TRUE(status->getObject("button_player_delete_0")->isEnabled());
    EXPECT_FALSE(status->getObject("container_player_3")->isVisible());
    session.click(status, "button_player_delete_0");
    ASSERT_TRUE(waitForDialog(Menu::InGame::Status::DisableDialog));
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return !player(0).isPlaying(); }, 60));
    EXPECT_EQ(game().getTurnIndex(), 1);
    session.getDriver().step(2);
    EXPECT_LT(board->getGui()->getObject("row_drinks_0")->getAlpha(), 128) << "the bar fades who is out";
    session.getDriver().step(10);
    EXPECT_FALSE(status->getObject("button_player_delete_1")->isEnabled()) << "two are left";

    // The plus of the player who is out brings him back; he plays when the turn reaches his seat.
    auto* back = dynamic_cast<gui::ImageButton*>(status->getObject("button_player_delete_0"));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->getImageName(), "gui.buttons/plus");
    EXPECT_TRUE(back->isDerivedEnabled());
    int field = player(0).getCurrentField();
    player(0).addState(Game::Player::State::SkipTurn, 1);
    session.click(status, "button_player_delete_0");
    ASSERT_TRUE(waitForDialog(Menu::InGame::Status::DisableDialog));
    EXPECT_NE(dialogText(openDialog(), 0).find("gui.YesNoPlayerEnable"), kit::String::npos);
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return player(0).isPlaying(); }, 60));
    EXPECT_EQ(game().getTurnIndex(), 1) << "the turn stays where it is";
    EXPECT_EQ(back->getImageName(), "gui.buttons/cancel");
    EXPECT_TRUE(status->getObject("button_player_delete_1")->isDerivedEnabled()) << "three play again";
    ASSERT_TRUE(session.waitForInput(pause));
    session.click(pause, "button_continue");
    ASSERT_TRUE(session.getDriver().stepUntil(
        [&] { return board->getGui()->isVisible() && !pause->isVisible(); }, 60));
    // His place and the turn he still has to skip are kept.
    EXPECT_EQ(player(0).getCurrentField(), field);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(play.playUntil([] { return game().getTurnIndex() == 0; }));
    EXPECT_GE(play.getStartedTurns(), 3) << "the skipped turn went by first";
}

// The news band is there only for a message of the day that exists.
// From the sofa the bar's sip digits are at least 36 pixels high on a 1920 x 1080 screen, in the fonts
// of Latin, Cyrillic and Chinese alike; the colours stand out from their outlines.
TEST_F(BoardTest, TheBarsDigitsAreBigEnoughToReadFromTheSofa) {
    session.useWindow(1920, 1080);
    for (const char* language : {"en", "ru", "zh-HANT"}) {
        SCOPED_TRACE(language);
        ASSERT_TRUE(session.goTo("Scene::Title"));
        ventrel::menu::Base* title = session.getScene()->getMenu("menu/title");
        session.click(title, "button_localization");
        ASSERT_TRUE(session.waitForInput(title->getMenu("menu/localization")));
        session.click(title->getMenu("menu/localization"), language);
        session.getDriver().step(10);
        OpenBoard* board = start(14);
        ASSERT_NE(board, nullptr);
        player(0).addDrinks(8);
        session.getDriver().step(30);
        kit::Array<unsigned char> frame;
        int width = 0;
        int height = 0;
        ASSERT_TRUE(host::rendersys->readPixels(frame, width, height));
        gui::Object* count = board->getGui()->getObject("label_drinks_0");
        quadrix::Vector2 topLeft = host::rendersys->toWindowPosition(count->getBoundingRect().getTopLeft());
        quadrix::Vector2 bottomRight =
            host::rendersys->toWindowPosition(count->getBoundingRect().getBottomRight());
        int inkTop = height;
        int inkBottom = -1;
        for (int y = std::max(0, static_cast<int>(topLeft.y));
             y < std::min(height, static_cast<int>(bottomRight.y)); ++y) {
            for (int x = std::max(0, static_cast<int>(topLeft.x));
                 x < std::min(width, static_cast<int>(bottomRight.x)); ++x) {
                const unsigned char* p = &frame[(static_cast<size_t>(y) * width + x) * 4];
                // The first player's red, not the cream behind nor the outline.
                if (p[0] > 200 && p[1] < 80 && p[2] < 80) {
                    inkTop = std::min(inkTop, y);
                    inkBottom = std::max(inkBottom, y);
                }
            }
        }
        EXPECT_GE(inkBottom - inkTop + 1, 36)
            << "the digit 8 drawn " << inkBottom - inkTop + 1 << " pixels high";
        EXPECT_EQ(dynamic_cast<gui::Label*>(count)->getEffectColor(),
                  host::Color(player(0).getContrastColor()));
    }
}

// The board says whose question it is and what happened: the choice names its player, the lap
// question who finished the lap, a second pick that it is one, a nap and an empty landing are told,
// and a resumed board's dice shows the last throw.
TEST_F(BoardTest, TheBoardSaysWhoseTurnItIsAndWhatHappened) {
    OpenBoard* board = start(3);
    ASSERT_NE(board, nullptr);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    std::optional<int> challenge;
    for (int p = 1; !challenge && p < Game::BoardSize; ++p) {
        const Game::Field* field = game().getBoardField(p);
        if (field && field->actions.size() == 2 && field->minPlayers <= 3) {
            challenge = p;
        }
    }
    ASSERT_TRUE(challenge.has_value());
    throwFrom(board, *challenge - 1, 1);
    ASSERT_TRUE(waitForDialog(Scene::Board::ChoiceDialog));
    auto* title = dynamic_cast<gui::Label*>(openDialog()->getObject("title"));
    ASSERT_NE(title, nullptr);
    EXPECT_NE(title->getText().find("Player 1"), kit::String::npos) << title->getText();
    ASSERT_TRUE(play.playUntil(
        [] { return game().getTurnIndex() == 1 && game().getTurnPhase() == TurnPhase::Start; }));

    // Player 2 finishes a lap.
    throwFrom(board, 39, 3);
    ASSERT_TRUE(waitForDialog(Scene::Board::YesNoDialog));
    EXPECT_NE(dialogText(openDialog(), 0).find(player(1).getRichName()), kit::String::npos);
    play.setDoubleStakesAnswer(1);
    ASSERT_TRUE(play.playUntil(
        [] { return game().getTurnIndex() == 2 && game().getTurnPhase() == TurnPhase::Start; }));

    // Player 1 naps through the next round; the one before him is told when the turn passes him.
    player(0).addState(Game::Player::State::SkipTurn, 1);
    std::optional<int> start;
    for (int p = 0; !start && p < Game::BoardSize; ++p) {
        const Game::Field* field = game().getBoardField(p);
        if (field && !field->actions.empty() && field->actions.front().type == "ActionType_Special_Start") {
            start = p;
        }
    }
    ASSERT_TRUE(start.has_value());
    throwFrom(board, *start + Game::BoardSize - 2, 2);
    kit::Array<kit::String> told;
    ASSERT_TRUE(play.playUntil([&] {
        for (const auto& notification : System::tempState()->getNotifications()) {
            told.push_back(notification.textKey);
        }
        return game().getTurnIndex() == 1 && game().getTurnPhase() == TurnPhase::Start;
    }));
    auto toldOf = [&](const kit::String& part) {
        return std::any_of(told.begin(), told.end(),
                           [&](const kit::String& key) { return key.find(part) != kit::String::npos; });
    };
    EXPECT_TRUE(toldOf("gui.ActionType_Special_Start_Player")) << "the empty landing";
    EXPECT_TRUE(toldOf("gui.NotificationSkipTurn {" + player(0).getRichName())) << "the nap";

    // The second pick of a card for two says so.
    game().advancePhase();
    const Game::Field* two = nullptr;
    for (const Game::Field* field : System::dataManager->getFields()) {
        if (field->actions.size() == 1 && field->actions.front().target == "Pick2") {
            two = field;
        }
    }
    ASSERT_NE(two, nullptr);
    game().getCurrentPlayer()->setFieldId(two->id);
    board->selectedAction = 0;
    board->choiceMade = true;
    ASSERT_TRUE(waitForDialog(Scene::Board::PickerDialog));
    EXPECT_NE(System::getLabelText(openDialog(), "text_dialog_0").find("Pick 1 of 2:"), kit::String::npos);
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return game().getPickedPlayers().size() == 1u; }, 60));
    ASSERT_TRUE(waitForDialog(Scene::Board::PickerDialog));
    EXPECT_NE(System::getLabelText(openDialog(), "text_dialog_0").find("Pick 2 of 2:"), kit::String::npos)
        << System::getLabelText(openDialog(), "text_dialog_0");
    ASSERT_TRUE(play.playUntil([] { return game().getTurnPhase() == TurnPhase::Start && !openDialog(); }));

    // Resumed, the dice shows the last throw, not a six.
    int last = game().getLastRoll();
    ASSERT_GT(last, 0);
    ASSERT_TRUE(session.goTo("Scene::Title"));
    session.click(session.getScene()->getMenu("menu/title"), "button_resume");
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    auto* resumed = dynamic_cast<Scene::Board*>(session.getScene());
    ASSERT_NE(resumed, nullptr);
    EXPECT_EQ(resumed->getDiceValue(), last);
    EXPECT_EQ(dynamic_cast<gui::ImageButton*>(resumed->getGui()->getObject("button_dice"))->getImageName(),
              "gui.dice/" + kit::toString(last));
}

TEST_F(BoardTest, TheNewsBandShowsOnlyAMessageThatExists) {
    System::profile().set("MOTD", "");
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    for (int frame = 0; frame < 60; ++frame) {
        ASSERT_FALSE(board->getGui()->getObject("container_motd")->isDerivedVisible()) << "frame " << frame;
        session.getDriver().step();
    }
    System::profile().set("MOTD", "de:Heute neu\nen:New tonight");
    static_cast<System::Core*>(ventrel::core)->setMotdShowCount(2);
    board = start(2);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->getGui()->getObject("container_motd")->isDerivedVisible());
    EXPECT_EQ(System::getLabelText(board->getGui(), "label_motd"), "New tonight");
}

TEST_F(BoardTest, TheBoardHintShowsOnlyInTheFirstGame) {
    System::profile().set("Tutorial", "2");
    OpenBoard* board = start(2);
    ASSERT_NE(board, nullptr);
    EXPECT_TRUE(board->getGui()->getObject("tutorial")->isVisible());
    EXPECT_EQ(System::profile().get("Tutorial"), "3");
    board = start(2);
    ASSERT_NE(board, nullptr);
    EXPECT_FALSE(board->getGui()->getObject("tutorial")->isVisible());
    System::profile().set("Tutorial", "1");
    board = start(2);
    ASSERT_NE(board, nullptr);
    EXPECT_FALSE(board->getGui()->getObject("tutorial")->isVisible());
    EXPECT_EQ(System::profile().get("Tutorial"), "1");
}

}  // namespace
}  // namespace e2etest
