// Pictures of the screens around a game (see Shots.h): setting up, the options and pickers, the
// hall of fame, the card editor and the calculator with its panels.
#include <kit/Time.h>

#include "BoardPlay.h"
#include "Menu/AlcoTest.h"
#include "Menu/CustomCards.h"
#include "Menu/EndOfNight.h"
#include "Menu/HallOfFame.h"
#include "Menu/InGame/Main.h"
#include "Menu/InGame/Story.h"
#include "Menu/NewGame.h"
#include "Menu/NewGameOptions.h"
#include "Menu/Phones.h"
#include "PhoneClient.h"
#include "Shots.h"
#include "System/Phones.h"
#include "System/TempState.h"

namespace e2etest {
namespace {

class AroundTheGameShots : public Shots {
protected:
    template <class Menu>
    Menu* menu() {
        return session.findMenu<Menu>();
    }

    void type(ventrel::system::Context* screen, const kit::String& box, const kit::String& text) {
        session.typeInto(screen, box, text);
    }
};

TEST_F(AroundTheGameShots, EveryScreen) {
    ASSERT_TRUE(session.goTo("Scene::Title"));
    System::profile().set("Tutorial", "1");
    ASSERT_TRUE(session.goTo("Scene::NewGame"));
    auto* rows = menu<Menu::NewGame>();
    ASSERT_NE(rows, nullptr);
    type(rows, "text_player_name_0", "Anna");
    shot("new_game");
    for (int players = 3; players <= 14; ++players) {
        session.click(rows, "button_add_player");
        session.getDriver().step(10);
        if (players == 5 || players == 9) {
            shot("new_game_" + kit::toString(players));
        }
    }
    shot("new_game_14");
    session.click(rows, "button_player_alco_test_data_13");
    session.getDriver().step(5);
    type(rows, "text_alco_test_permille_13", "4.5");
    type(rows, "text_alco_test_volume_13", "330");
    type(rows, "text_alco_test_weight_13", "72");
    shot("new_game_body_data");
    session.click(rows, "button_player_color_12");
    shot("new_game_picker_color");
    session.click(openDialog(), "button_cancel");
    session.getDriver().step(20);
    session.click(session.getScene(), "button_options");
    shot("new_game_options");
    auto* options = menu<Menu::NewGameOptions>();
    session.click(options, "button_cardset");
    shot("new_game_no_cards");
    session.click(openDialog(), "button_dialog_0");
    session.getDriver().step(20);
    session.click(options, "button_ok");
    shot("new_game_options_chosen");
    session.click(session.getScene(), "button_ok");
    shot("new_game_start");

    System::TempState::saveHallOfFame(System::TempState::HallOfFameDrinks,
                                      {{42, "03", "Anna"},
                                       {38, "07", "Борис Кузнецов"},
                                       {31, "11", "小明"},
                                       {17, "01", "Maximilian-Alexander"},
                                       {9, "05", "{Bo}"},
                                       {8, "09", "Cy"},
                                       {4, "13", "Dee"}});
    System::TempState::saveHallOfFame(System::TempState::HallOfFameBac,
                                      {{27, "03", "Anna"}, {7, "05", "Bo"}});
    System::profile().save();
    ASSERT_TRUE(session.goTo("Scene::HallOfFame"));
    shot("hall_of_fame_drinks");
    auto* fame = menu<Menu::HallOfFame>();
    session.click(fame, "button_right");
    session.getDriver().step(5);
    session.click(fame, "button_right");
    shot("hall_of_fame_bac");

    System::profile().set("CustomCards",
                          kit::Array<kit::String>{"3 drink Sing the national anthem backwards",
                                                  "10 strip Swap shirts with the player on your left",
                                                  "1 dance Dance like nobody is watching"});
    ASSERT_TRUE(session.goTo("Scene::CustomCards"));
    auto* editor = menu<Menu::CustomCards>();
    session.click(editor, "button_add_card");
    shot("custom_cards");
    session.click(editor, "button_card_icon_1");
    shot("custom_cards_icons");
    session.click(openDialog(), "button_cancel");
    session.getDriver().step(20);

    ASSERT_TRUE(session.goTo("Scene::AlcoTest"));
    auto* calculator = menu<Menu::AlcoTest>();
    type(calculator, "text_permille", "5");
    type(calculator, "text_volume", "1000");
    type(calculator, "text_weight", "70");
    shot("alco_test");
    session.click(calculator, "button_disclaimer");
    shot("alco_test_disclaimer");
    session.click(calculator, "button_disclaimer_ok");
    session.getDriver().step(5);
    session.click(calculator, "button_info");
    shot("alco_test_info");
}

// Looking after the table: the rows with their styles, who drives, a limit reached, the water round,
// the pause list with sips and water, the settings with the glass of water and the taxi, and the end
// of the night with two players and with fourteen.
TEST_F(AroundTheGameShots, TheNight) {
    System::profile().set("RideNumber", "+49 30 202020");
    ASSERT_TRUE(session.goTo("Scene::Title"));
    ASSERT_TRUE(session.goTo("Scene::NewGame"));
    auto* rows = menu<Menu::NewGame>();
    ASSERT_NE(rows, nullptr);
    session.click(rows, "button_add_player");
    session.getDriver().step(10);
    for (int step = 0; step < 3; ++step) {
        session.click(rows, "button_player_style_1");
        session.getDriver().step(3);
    }
    session.click(rows, "button_player_style_2");
    session.click(rows, "button_player_alco_test_data_0");
    session.getDriver().step(5);
    type(rows, "text_alco_test_limit_0", "12");
    shot("night_rows");

    const auto styles = Game::Player::Style::getValues();
    auto now = static_cast<unsigned int>(kit::time());
    auto fill = [&](int count) {
        newGame(count, Layout::Planets, FieldSet::Classic);
        for (int i = 0; i < count; ++i) {
            Game::Player& p = *game().getPlayers()[i];
            p.setStyle(styles[static_cast<size_t>(i) % styles.size()]);
            if (i % 3 != 2) {
                Game::AlcoTestData* data = p.getAlcoTestData();
                data->setWeight(60000.0f + 2000.0f * static_cast<float>(i));
                data->setVolume(40.0f);
                data->setPermille(400);
            }
            p.takeSips(2 + 3 * i, 0, now - 2400 * static_cast<unsigned int>(i));
        }
    };
    fill(4);
    game().getPlayers()[0]->setSipLimit(3);
    // The driver's turn: the car rides on the token.
    game().setTurnIndex(3);
    ventrel::sceneManager->registerSceneFactory("Scene::Board", [] { return std::make_unique<OpenBoard>(); });
    ventrel::sceneManager->switchScene("Scene::Board");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
    shot("night_drivers");
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return !openDialog(); }, 300));
    game().getPlayers()[0]->takeSips(2, 0, now);
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
    shot("night_limit");
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return !openDialog(); }, 300));
    game().getPlayers()[1]->setWaterNoticeDue(true);
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
    shot("night_glass");
    session.click(openDialog(), "button_dialog_1");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return !openDialog(); }, 300));
    game().setWaterRoundDue(true);
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600));
    shot("night_water_round");
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return !openDialog(); }, 300));
    auto* board = dynamic_cast<OpenBoard*>(session.getScene());
    ASSERT_NE(board, nullptr);
    shot("night_bar");
    // A press while the camera still glides is not taken: press again.
    for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
        session.click(board->getGui(), "button_menu");
        session.getDriver().step(10);
    }
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    shot("night_pause");

    ASSERT_TRUE(session.goTo("Scene::Settings"));
    shot("night_settings");
    for (int count : {2, 14}) {
        fill(count);
        ASSERT_TRUE(session.goTo("Scene::EndOfNight"));
        shot("night_end_" + kit::toString(count));
    }
}

// What happened and the recap's pages, after turns really played, with 2 and 14 players.
TEST_F(AroundTheGameShots, TheStory) {
    for (int count : {2, 14}) {
        OpenBoard* board = startBoard(session, count, Layout::Classic, FieldSet::Shuffle);
        ASSERT_NE(board, nullptr);
        BoardPlayer play(session, BoardPlayer::Input::Mouse);
        int turns = std::max(40, count * 3);
        ASSERT_TRUE(play.playUntil(
            [&] {
                return play.getStartedTurns() >= turns && board->isInputAllowed() &&
                       isShown(board->getGui(), "button_dice") && !board->getRollDice()->isVisible() &&
                       !openDialog();
            },
            turns * 600));
        for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
            session.click(board->getGui(), "button_menu");
            session.getDriver().step(10);
        }
        ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
        session.click(board->getMainMenu(), "button_story");
        ASSERT_TRUE(session.waitForInput(board->getMainMenu()->getStory()));
        session.getDriver().step(10);
        shot("story_" + kit::toString(count));
        session.click(board->getMainMenu(), "button_end_night");
        ASSERT_TRUE(session.waitForScene("Scene::EndOfNight"));
        auto* night = menu<Menu::EndOfNight>();
        ASSERT_NE(night, nullptr);
        ASSERT_TRUE(session.waitForInput(night));
        for (const char* page : {"sips", "laps", "awards"}) {
            session.click(night, kit::String("button_page_") + page);
            session.getDriver().step(10);
            shot(kit::String("recap_") + page + "_" + kit::toString(count));
        }
    }
}

// Undo on the bar between throws, and on the question itself.
TEST_F(AroundTheGameShots, Undo) {
    OpenBoard* board = startBoard(session, 3, Layout::Classic, FieldSet::Classic);
    ASSERT_NE(board, nullptr);
    throwFrom(board, 0, 1);
    ASSERT_TRUE(
        session.getDriver().stepUntil([] { return openDialog() && openDialog()->isInputAllowed(); }, 600));
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(
        session.getDriver().stepUntil([board] { return board->isWaitingForRoll() && !openDialog(); }, 900));
    shot("undo_bar");
    throwFrom(board, 0, 1);
    ASSERT_TRUE(
        session.getDriver().stepUntil([] { return openDialog() && openDialog()->isInputAllowed(); }, 600));
    shot("undo_question");
    // With the keys: the focus ring on the answer, moved by Right.
    session.getDriver().pressKey(host::Key::Right);
    session.getDriver().step(10);
    shot("keys_question");
}

// The phones: the join panel with its code as the new-game screen opens, rows played from phones, the
// panel opened again and switched off, then the pause menu's way to it during the game.
TEST_F(AroundTheGameShots, Phones) {
    ventrel::cfg->getCategory("System")->set("PhonesAddress", "127.0.0.1");
    System::profile().set(System::Phones::Setting, "1");
    ventrel::sceneManager->switchScene("Scene::NewGame");
    auto* panel = session.waitForMenu<Menu::Phones>();
    ASSERT_NE(panel, nullptr);
    shot("phones_panel");
    session.click(panel, "button_close");
    ASSERT_TRUE(session.getDriver().stepUntil([panel] { return !panel->isVisible(); }, 120));
    PhoneClient anna(System::phones->getJoinAddress()), bob(System::phones->getJoinAddress());
    ASSERT_EQ(anna.post("join", {{"row", 0}}), 200);
    ASSERT_EQ(bob.post("join", {{"row", -1}}), 200);
    session.getDriver().step(2);
    anna.post("player", {{"name", "Anna"}});
    anna.post("body", {{"stomach", "full"}, {"strength", 50}, {"volume", 30}, {"weight", 70}});
    bob.post("player", {{"name", "Bob"}});
    shot("new_game_phones");
    session.click(session.getScene(), "button_phones");
    ASSERT_TRUE(session.waitForInput(panel));
    session.click(panel, "button_switch");
    shot("phones_panel_off");
    session.click(panel, "button_switch");
    session.getDriver().step(10);
    session.click(panel, "button_close");
    session.getDriver().step(20);
    session.click(session.getScene(), "button_ok");
    session.getDriver().step(20);
    session.click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    auto* board = dynamic_cast<Scene::Board*>(session.getScene());
    ASSERT_NE(board, nullptr);
    session.click(board->getGui(), "button_menu");
    shot("pause_phones");
}

}  // namespace
}  // namespace e2etest
