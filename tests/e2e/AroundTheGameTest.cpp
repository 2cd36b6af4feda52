// The screens around a game, driven by injected clicks, keys and typed text: setting up a game,
// the hall of fame, the card editor and the blood-alcohol calculator.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include <fonts/Markup.h>
#include <gui/ButtonBase.h>
#include <gui/Dataset.h>
#include <gui/EditBox.h>
#include <gui/Gui.h>
#include <gui/Label.h>
#include <gui/ScrollArea.h>
#include <host/Color.h>
#include <host/Window.h>
#include <kit/File.h>
#include <kit/Strings.h>
#include <ventrel/Platform.h>
#include <ventrel/system/SaveManager.h>

#include "BoardPlay.h"
#include "Game/AlcoTestUnits.h"
#include "Game/Awards.h"
#include "Game/CustomCard.h"
#include "Menu/AlcoTest.h"
#include "Menu/CustomCards.h"
#include "Menu/EndOfNight.h"
#include "Menu/HallOfFame.h"
#include "Menu/Help.h"
#include "Menu/InGame/Main.h"
#include "Menu/InGame/Status.h"
#include "Menu/InGame/Story.h"
#include "Menu/NewGame.h"
#include "Menu/NewGameOptions.h"
#include "Menu/Title.h"
#include "Scene/NewGame.h"
#include "ShownObjects.h"
#include "System/Core.h"
#include "System/Objects.h"
#include "System/Pictures.h"
#include "System/PlayerNames.h"
#include "System/TempState.h"
#include "System/Voice.h"

namespace e2etest {
namespace {

class AroundTheGame : public ::testing::Test {
protected:
    GameSession session;

    void SetUp() override { ASSERT_TRUE(session.waitForScene()); }

    host::TestDriver& driver() { return session.getDriver(); }

    // The first menu of the current scene.
    template <class Menu>
    Menu* menu() {
        auto* found = session.findMenu<Menu>();
        EXPECT_NE(found, nullptr) << "no such menu on " << session.getScene()->getName();
        return found;
    }

    Menu::NewGame* openNewGame() {
        EXPECT_TRUE(session.goTo("Scene::NewGame"));
        return menu<Menu::NewGame>();
    }

    void type(ventrel::system::Context* screen, const kit::String& box, const kit::String& text) {
        session.typeInto(screen, box, text);
    }

    void press(ventrel::system::Context* screen, const kit::String& button, int frames = 3) {
        session.click(screen, button);
        driver().step(frames);
    }

    // Wheels the screen's list until the button is in view, then clicks it.
    void pressInView(ventrel::system::Context* screen, const kit::String& button) {
        gui::Object* area = screen->getObject("scroll_area");
        gui::Object* target = screen->getObject(button);
        ASSERT_TRUE(area && target) << button;
        for (int wheel = 0;
             wheel < 20 && !area->getBoundingRect().isPointInside(target->getBoundingRect().getCenter());
             ++wheel) {
            driver().mouseMove(area->getBoundingRect().getCenter());
            driver().scroll(0.0f, 1.0f);
            driver().step(10);
        }
        press(screen, button, 20);
    }

    // Plays on until the dice waits, then opens the pause menu. A press while the camera still glides
    // to the next player is not taken: the friends press again.
    void openPauseBetweenTurns(BoardPlayer& friends, Scene::Board* board) {
        ASSERT_TRUE(friends.playUntil([&] {
            return board->isInputAllowed() && isShown(board->getGui(), "button_dice") &&
                   !board->getRollDice()->isVisible() && !openDialog();
        }));
        for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
            press(board->getGui(), "button_menu", 10);
        }
        ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    }

    // The dialog that waits for an answer, once it takes input.
    ventrel::menu::Dialog* waitForDialog(const kit::String& name) {
        ventrel::menu::Dialog* dialog = nullptr;
        driver().stepUntil(
            [&] {
                dialog = openDialog();
                return dialog && dialog->getName() == name;
            },
            120);
        EXPECT_NE(dialog, nullptr) << "no " << name;
        return dialog && dialog->getName() == name ? dialog : nullptr;
    }

    void answer(const kit::String& dialogName, int button) {
        ventrel::menu::Dialog* dialog = waitForDialog(dialogName);
        ASSERT_NE(dialog, nullptr);
        press(dialog, "button_dialog_" + kit::toString(button), 10);
    }

    static void storeCards(int count, const kit::String& text = "Sing a song") {
        kit::Array<kit::String> stored;
        for (int i = 0; i < count; ++i) {
            stored.push_back("3 drink " + text + " " + kit::toString(i + 1));
        }
        System::profile().set("CustomCards", stored);
        System::profile().save();
    }

    static kit::String labelText(ventrel::system::Context* screen, const kit::String& name) {
        auto* label = dynamic_cast<gui::Label*>(screen->getObject(name));
        return label ? label->getText() : kit::String("<none>");
    }
};

TEST_F(AroundTheGame, RowsComeAndGoBetweenTwoAndFourteenPlayers) {
    Menu::NewGame* rows = openNewGame();
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(game().getPlayers().size(), 2u) << "two default players";
    EXPECT_NE(player(0).getColor(), player(1).getColor());
    EXPECT_FALSE(isShown(rows, "button_player_delete_0")) << "two players are the least";
    auto* area = dynamic_cast<gui::ScrollArea*>(rows->getObject("scroll_area"));
    ASSERT_NE(area, nullptr);
    auto inView = [&](int row) {
        quadrix::Rectangle box = area->getBoundingRect();
        quadrix::Rectangle shown =
            rows->getObject(System::slotName("container_player_", row))->getBoundingRect();
        return shown.y >= box.y - 0.5f && shown.bottom() <= box.bottom() + 0.5f;
    };
    EXPECT_EQ(area->getScrollThumb().h, 0.0f) << "two rows need no bar";
    for (int added = 3; added <= 14; ++added) {
        SCOPED_TRACE(added);
        ASSERT_TRUE(isShown(rows, "button_add_player")) << "with " << added - 1 << " players";
        press(rows, "button_add_player", 20);
        ASSERT_EQ(game().getPlayers().size(), static_cast<size_t>(added));
        // The new row is seen whole, its name takes the keys, and the rows move only as far as needed.
        EXPECT_TRUE(inView(added - 1));
        EXPECT_TRUE(rows->getObject(System::slotName("text_player_name_", added - 1))->isFocused());
        EXPECT_TRUE(inView(added - 2)) << "the row before stays in view";
        if (added <= 4) {
            EXPECT_TRUE(inView(0)) << "the first player scrolled away";
        }
        // The bar shows that the list scrolls once it does, and that the view is at its end.
        quadrix::Rectangle thumb = area->getScrollThumb();
        if (area->getMaxScrollOffset().y > 0.0f) {
            EXPECT_GT(thumb.h, 0.0f);
            EXPECT_NEAR(thumb.bottom(), area->getHeight(), 0.5f);
        } else {
            EXPECT_EQ(thumb.h, 0.0f);
        }
    }
    EXPECT_GE(area->getHeight() / rows->getObject("container_player_1")->getY(), 4.5f)
        << "the list uses its height for rows";
    session.typeInto(rows, "text_player_name_13", "Fourteen");
    EXPECT_EQ(System::getLabelText(rows, "text_player_name_13"), "Fourteen");
    EXPECT_FALSE(rows->getObject("button_add_player")->isVisible()) << "fourteen are the most";
    std::set<kit::String> colors;
    for (int i = 0; i < 14; ++i) {
        colors.insert(player(i).getColor());
    }
    EXPECT_EQ(colors.size(), 14u);
    driver().step(30);
    Game::Player* last = &player(13);
    ASSERT_TRUE(isShown(rows, "button_player_delete_13"));
    press(rows, "button_player_delete_13", 20);
    EXPECT_EQ(game().getPlayers().size(), 13u);
    EXPECT_EQ(std::count(game().getPlayers().begin(), game().getPlayers().end(), last), 0);
    EXPECT_TRUE(rows->getObject("button_add_player")->isVisible());

    // A row half out of view comes in whole when its body data open.
    area->setScrollOffset(quadrix::Vector2(0.0f, 40.0f));
    driver().step(2);
    ASSERT_FALSE(inView(5));
    press(rows, "button_player_alco_test_data_5", 5);
    EXPECT_TRUE(inView(5)) << "the opened row is seen whole";
}

// A name stops where the turn banner would have to cut it, and shows whole there; a longer one from
// elsewhere is shortened with an ellipsis. The limits are the boxes that show names and cards.
TEST_F(AroundTheGame, NamesAndCardsStopAtWhatTheirBoxesShow) {
    Menu::NewGame* rows = openNewGame();
    ASSERT_NE(rows, nullptr);
    const kit::String typed = "Maximilian Alexander Friedrich von Habsburg-Lothr";
    type(rows, "text_player_name_0", typed);
    kit::String kept = System::getLabelText(rows, "text_player_name_0");
    EXPECT_LT(kept.size(), typed.size());
    EXPECT_TRUE(kit::startsWith(kept, "Maximilian")) << kept;
    EXPECT_TRUE(System::fitsNameWidth(kept));
    EXPECT_FALSE(System::fitsNameWidth(kept + "WW")) << "the name stops when the banner is full";
    EXPECT_EQ(rows->getObject("text_player_name_0")->getX(), rows->getObject("text_player_name_1")->getX());

    Game::Player stored;
    stored.setName(typed + " und Bourbon");
    EXPECT_NE(stored.getRichName().find("\u2026"), kit::String::npos);
    EXPECT_EQ(stored.getRichName().find("Bourbon"), kit::String::npos);
    stored.setName("Zoë");
    EXPECT_EQ(stored.getRichName().find("\u2026"), kit::String::npos);

    ASSERT_TRUE(session.goTo("Scene::CustomCards"));
    auto* editor = menu<Menu::CustomCards>();
    ASSERT_NE(editor, nullptr);
    press(editor, "button_add_card", 10);
    // Wide words fill the dialog before the editor's 200 characters run out.
    kit::String card;
    while (card.size() < 400) {
        card += "WOWWOW MWMWM ";
    }
    driver().typeText(card);
    driver().step(3);
    kit::String written = System::getLabelText(editor, "text_card_text_0");
    EXPECT_LT(written.size(), card.size());
    EXPECT_GT(written.size(), 60u);
    EXPECT_TRUE(Menu::CustomCards::fitsCardDialog(written));
    EXPECT_FALSE(Menu::CustomCards::fitsCardDialog(written + " WOWWOW MWMWM"))
        << "the card stops when the dialog is full: " << written;

    // The limits are those of the boxes that show names and cards.
    gui::Dataset bar("data/gui/definitions/normal/menu/ingame/gui.gui", "bar", true);
    ASSERT_TRUE(bar.load());
    auto* banner = bar.getObjectAs<gui::Label>("label_current_player", "Label");
    EXPECT_EQ(banner->getFont(), System::NameFont);
    EXPECT_EQ(banner->getWidth(), System::NameWidth);
    gui::Dataset choice("data/gui/definitions/normal/menu/dialog/action_choice.gui", "choice", true);
    ASSERT_TRUE(choice.load());
    for (const char* name : {"text_dialog_0", "text_dialog_1"}) {
        auto* text = choice.getObjectAs<gui::Label>(name, "Label");
        EXPECT_EQ(text->getFont(), kit::format("default:%g", Menu::CustomCards::CardTextScale));
        EXPECT_EQ(text->getWidth(), Menu::CustomCards::CardTextWidth);
        EXPECT_EQ(text->getHeight(), Menu::CustomCards::CardTextHeight);
        EXPECT_FLOAT_EQ(text->getShrinkLimit(), Menu::CustomCards::CardTextShrink);
    }
}

TEST_F(AroundTheGame, PickersOfferWhatNobodyElseHas) {
    Menu::NewGame* rows = openNewGame();
    ASSERT_NE(rows, nullptr);
    const auto& colors = System::dataManager->getColors();
    int own =
        static_cast<int>(std::find(colors.begin(), colors.end(), player(0).getColor()) - colors.begin());
    int other =
        static_cast<int>(std::find(colors.begin(), colors.end(), player(1).getColor()) - colors.begin());
    press(rows, "button_player_color_0");
    ventrel::menu::Dialog* picker = waitForDialog(Menu::NewGame::ColorPicker);
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(isShown(picker, "button_dialog_" + kit::toString(own))) << "the row's own colour";
    EXPECT_FALSE(isShown(picker, "button_dialog_" + kit::toString(other))) << "the other player's colour";
    int free = 0;
    while (free == own || free == other) {
        ++free;
    }
    press(picker, "button_dialog_" + kit::toString(free), 20);
    EXPECT_EQ(player(0).getColor(), colors[free]);
    EXPECT_EQ(System::getImage(rows, "image_player_color_0"), "gui.buttons/color_" + colors[free]);

    const auto& characters = System::dataManager->getCharacters();
    int taken = static_cast<int>(std::find(characters.begin(), characters.end(), player(1).getCharacter()) -
                                 characters.begin());
    press(rows, "button_player_character_0");
    picker = waitForDialog(Menu::NewGame::CharacterPicker);
    ASSERT_NE(picker, nullptr);
    EXPECT_FALSE(isShown(picker, "button_dialog_" + kit::toString(taken)));
    kit::String before = player(0).getCharacter();
    int locked = static_cast<int>(std::find(characters.begin(), characters.end(), "17") - characters.begin());
    pressInView(picker, "button_dialog_" + kit::toString(locked));
    EXPECT_EQ(player(0).getCharacter(), before) << "the locked character is not simply taken";
    answer("menu/dialog/yes_no_cancel", 1);
    EXPECT_FALSE(System::isCharacterUnlocked("17"));
}

TEST_F(AroundTheGame, BodyDataAreTakenInTheProfilesUnits) {
    Menu::NewGame* rows = openNewGame();
    ASSERT_NE(rows, nullptr);
    press(rows, "button_player_alco_test_data_0");
    type(rows, "text_alco_test_permille_0", "5");
    EXPECT_EQ(player(0).getAlcoTestData()->getPermille(), 50);
    type(rows, "text_alco_test_permille_0", "2000");
    EXPECT_EQ(player(0).getAlcoTestData()->getPermille(), 1000);
    type(rows, "text_alco_test_volume_0", "-40");
    EXPECT_EQ(player(0).getAlcoTestData()->getVolume(), 0.0f);
    EXPECT_EQ(labelText(rows, "text_alco_test_volume_0"), "") << "nothing stored shows empty";
    type(rows, "text_alco_test_weight_0", "80");
    EXPECT_FLOAT_EQ(player(0).getAlcoTestData()->getWeight(), 80000.0f);
    auto stomach = player(0).getAlcoTestData()->getStomach();
    press(rows, "button_alco_test_stomach_0");
    EXPECT_EQ(player(0).getAlcoTestData()->getStomach(), stomach.next());
    press(rows, "button_alco_test_back_0");
    auto gender = player(0).getAlcoTestData()->getGender();
    press(rows, "button_player_gender_0");
    EXPECT_NE(player(0).getAlcoTestData()->getGender(), gender);

    System::profile().set("UnitSystem", "UnitSystemImperial");
    rows = openNewGame();
    ASSERT_NE(rows, nullptr);
    press(rows, "button_player_alco_test_data_1");
    EXPECT_EQ(labelText(rows, "label_alco_test_weight_1"), "lbs");
    type(rows, "text_alco_test_weight_1", "100");
    EXPECT_NEAR(player(1).getAlcoTestData()->getWeight(), 100.0f * 1000.0f / 2.20462f, 0.5f);
}

TEST_F(AroundTheGame, TheCardSetFollowsTheUsableCustomCards) {
    using CardSet = System::GameState::CardSet;
    struct Case {
        int cards;
        // The card set before and after each press.
        kit::Array<CardSet> steps;
        bool message;
    };
    for (const Case& c :
         {Case{0, {CardSet::Classic, CardSet::Classic}, true},
          Case{3, {CardSet::Classic, CardSet::Mixed, CardSet::Classic}, true},
          Case{5, {CardSet::Classic, CardSet::Custom, CardSet::Mixed, CardSet::Classic}, false}}) {
        SCOPED_TRACE(testing::Message() << c.cards << " cards");
        storeCards(c.cards);
        ASSERT_NE(openNewGame(), nullptr);
        EXPECT_EQ(game().getCardSet(), c.cards > 0 ? CardSet::Mixed : CardSet::Classic)
            << "own cards are mixed in from the start";
        game().setCardSet(CardSet::Classic);
        press(session.getScene(), "button_options", 20);
        auto* options = menu<Menu::NewGameOptions>();
        ASSERT_TRUE(session.waitForInput(options));
        for (size_t step = 1; step < c.steps.size(); ++step) {
            press(options, "button_cardset", 10);
            EXPECT_EQ(game().getCardSet(), c.steps[step]) << "press " << step;
            if (c.message && step == 1) {
                ventrel::menu::Dialog* message = waitForDialog(Menu::NewGameOptions::OkDialog);
                ASSERT_NE(message, nullptr);
                press(message, "button_dialog_0", 20);
            } else {
                EXPECT_EQ(openDialog(), nullptr) << "no message after press " << step;
            }
        }
        press(options, "button_ok", 20);
        // The button names the three options in full under its own word.
        kit::String summary = labelText(session.getScene(), "button_options");
        EXPECT_EQ(summary, "Options\n" + labelText(options, "button_boardlayout") + " \u00b7 " +
                               labelText(options, "button_fieldset") + " \u00b7 " +
                               labelText(options, "button_cardset"));
    }
}

TEST_F(AroundTheGame, TheLikePromptComesOnTheThirdStartUntilAnswered) {
    System::profile().set("FbLike", "0");
    for (int start = 1; start <= 2; ++start) {
        ASSERT_NE(openNewGame(), nullptr);
        press(session.getScene(), "button_ok", 10);
        answer(Scene::NewGame::StartDialog, 1);
        EXPECT_EQ(System::profile().get("FbLike"), kit::toString(start));
    }
    ASSERT_NE(openNewGame(), nullptr);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::PromptDialog, 1);
    EXPECT_EQ(System::profile().get("FbLike"), "0") << "later: the counting starts again";
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::StartDialog, 1);

    System::profile().set("FbLike", "2");
    ASSERT_NE(openNewGame(), nullptr);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::PromptDialog, 0);
    EXPECT_EQ(System::profile().get("FbLike"), "3");
    EXPECT_TRUE(System::isCharacterUnlocked("17")) << "yes unlocks the character";
    EXPECT_FALSE(driver().getOpenedUrls().empty()) << "and opens the page";
    for (int start = 0; start < 4; ++start) {
        ASSERT_NE(openNewGame(), nullptr);
        press(session.getScene(), "button_ok", 10);
        ventrel::menu::Dialog* dialog = waitForDialog(Scene::NewGame::StartDialog);
        ASSERT_NE(dialog, nullptr) << "the prompt never comes back";
        press(dialog, "button_dialog_1", 10);
    }
}

// Title → new game with four names typed in four scripts → the board shows them as typed → a few
// turns → exit → the hall of fame lists them.
TEST_F(AroundTheGame, AGameSetUpByHandIsPlayedAndRemembered) {
    System::profile().set("FbLike", "3");
    ASSERT_TRUE(session.goTo("Scene::Title"));
    session.click(session.getScene()->getMenus().back(), "button_play");
    ASSERT_TRUE(session.waitForScene("Scene::NewGame"));
    Menu::NewGame* rows = menu<Menu::NewGame>();
    ASSERT_NE(rows, nullptr);
    press(rows, "button_add_player", 20);
    press(rows, "button_add_player", 20);
    const kit::String names[] = {"Anna", "Борис", "小明", "{50%} [b]"};
    auto* area = dynamic_cast<gui::ScrollArea*>(rows->getObject("scroll_area"));
    ASSERT_NE(area, nullptr);
    for (int i = 0; i < 4; ++i) {
        gui::Object* row = rows->getObject(System::slotName("container_player_", i));
        area->setScrollOffset(quadrix::Vector2(0.0f, row->getY()));
        driver().step(2);
        type(rows, System::slotName("text_player_name_", i), names[i]);
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(player(i).getName(), names[i]);
    }
    area->setScrollOffset(quadrix::Vector2());
    driver().step(2);
    // The first choice nobody else has.
    auto pickFirstFree = [&](const kit::String& button, const kit::String& picker) {
        press(rows, button);
        ventrel::menu::Dialog* dialog = waitForDialog(picker);
        int free = 0;
        while (dialog && free < 26 && !isShown(dialog, "button_dialog_" + kit::toString(free))) {
            ++free;
        }
        if (dialog) {
            press(dialog, "button_dialog_" + kit::toString(free), 20);
        }
        return free;
    };
    int free = pickFirstFree("button_player_color_1", Menu::NewGame::ColorPicker);
    kit::String color = player(1).getColor();
    EXPECT_EQ(color, System::dataManager->getColors()[free]);
    free = pickFirstFree("button_player_character_0", Menu::NewGame::CharacterPicker);
    kit::String character = player(0).getCharacter();
    EXPECT_EQ(character, System::dataManager->getCharacters()[free]);
    press(session.getScene(), "button_options", 20);
    auto* options = menu<Menu::NewGameOptions>();
    ASSERT_TRUE(session.waitForInput(options));
    press(options, "button_boardlayout", 10);
    press(options, "button_fieldset", 10);
    press(options, "button_ok", 20);
    EXPECT_EQ(game().getBoardLayout(), System::GameState::BoardLayout::Classic);
    EXPECT_EQ(game().getFieldSet(), System::GameState::FieldSet::Shuffle);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::StartDialog, 0);
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    EXPECT_TRUE(ventrel::saveManager->existsAuto()) << "the new game is saved at once";
    ASSERT_EQ(game().getPlayers().size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(player(i).getName(), names[i]) << "exactly as typed";
    }
    EXPECT_EQ(player(1).getColor(), color);
    EXPECT_EQ(player(0).getCharacter(), character);
    auto* board = dynamic_cast<Scene::Board*>(session.getScene());
    ASSERT_NE(board, nullptr);
    press(board->getGui(), "button_menu", 10);
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    EXPECT_EQ(kit::unescapeText(labelText(board->getMainMenu()->getStatus(), "text_player_name_3")), names[3])
        << "braces, percent and brackets show as typed";
    press(board->getMainMenu(), "button_continue", 30);

    BoardPlayer friends(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(friends.playUntil(
        [] {
            const auto& players = game().getPlayers();
            return std::any_of(players.begin(), players.end(),
                               [](const Game::Player* p) { return p->getDrinks() > 0; });
        },
        9000));
    openPauseBetweenTurns(friends, board);
    if (HasFatalFailure()) {
        return;
    }
    press(board->getMainMenu(), "button_exit", 10);
    answer(Menu::InGame::Main::ExitDialog, 0);
    // Leaving offers the end of the night; no takes the friends straight to the title.
    ASSERT_TRUE(session.getDriver().stepUntil(
        [] { return openDialog() && openDialog()->getContext() == Menu::InGame::Main::EndNightContext; },
        120));
    press(openDialog(), "button_dialog_1", 10);
    ASSERT_TRUE(session.waitForScene("Scene::Title"));
    press(session.getScene()->getMenus().back(), "button_extras");
    ASSERT_TRUE(session.waitForScene("Scene::Extras"));
    press(session.getScene()->getMenus().back(), "button_hall_of_fame");
    ASSERT_TRUE(session.waitForScene("Scene::HallOfFame"));
    auto* fame = menu<Menu::HallOfFame>();
    ASSERT_NE(fame, nullptr);
    kit::Array<System::HallOfFameRecord> drinks =
        System::TempState::loadHallOfFame(System::TempState::HallOfFameDrinks);
    ASSERT_FALSE(drinks.empty());
    EXPECT_EQ(labelText(fame, "label_value_drinks_0"), kit::toString(drinks[0].value));
    EXPECT_TRUE(std::find(std::begin(names), std::end(names),
                          kit::unescapeText(labelText(fame, "label_name_drinks_0"))) != std::end(names));
}

// The players' own cards come up on the board when the game is set up to deal only them.
TEST_F(AroundTheGame, ACustomGameDealsTheOwnCards) {
    ASSERT_TRUE(session.goTo("Scene::CustomCards"));
    auto* editor = menu<Menu::CustomCards>();
    ASSERT_NE(editor, nullptr);
    for (int card = 0; card < 5; ++card) {
        press(editor, "button_add_card", 20);
        int row = card - editor->getFirstVisible();
        type(editor, System::slotName("text_card_text_", row), "Our card " + kit::toString(card + 1));
    }
    press(editor, "button_ok");
    ASSERT_TRUE(session.waitForScene("Scene::Extras"));
    ASSERT_NE(openNewGame(), nullptr);
    press(session.getScene(), "button_options", 20);
    auto* options = menu<Menu::NewGameOptions>();
    ASSERT_TRUE(session.waitForInput(options));
    while (game().getCardSet() != System::GameState::CardSet::Custom) {
        press(options, "button_cardset", 10);
    }
    while (game().getFieldSet() != System::GameState::FieldSet::Surprise) {
        press(options, "button_fieldset", 10);
    }
    press(options, "button_ok", 20);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::StartDialog, 0);
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    EXPECT_EQ(game().getCustomCards().size(), 5u);
    BoardPlayer friends(session, BoardPlayer::Input::Mouse);
    kit::String shown;
    ASSERT_TRUE(friends.playUntil(
        [&] {
            ventrel::menu::Dialog* dialog = openDialog();
            shown = dialog ? labelText(dialog, "text_dialog_0") : kit::String();
            return kit::contains(shown, "Our card");
        },
        6000))
        << "no own card in " << friends.getStartedTurns() << " turns";
}

TEST_F(AroundTheGame, EmptyNamesBecomeTheirPlaceholders) {
    ASSERT_NE(openNewGame(), nullptr);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::StartDialog, 0);
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    EXPECT_EQ(player(0).getName(), "Player 1");
    EXPECT_EQ(player(1).getName(), "Player 2");
}

// The unfinished corners: help scrolls by keys and shows its bar, settings in the pause menu have the
// backdrop of their scene, the overview uncovers the top row, a page that cannot be opened is told,
// and a name the game gave shows in today's language in the hall of fame.
TEST_F(AroundTheGame, TheSmallerCornersAreFinished) {
    ASSERT_TRUE(session.goTo("Scene::Help"));
    auto* help = menu<Menu::Help>();
    ASSERT_NE(help, nullptr);
    auto* area = dynamic_cast<gui::ScrollArea*>(help->getObject("scroll_area"));
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->getScrollThumb().h, 0.0f) << "the bar shows there is more";
    driver().pressKey(host::Key::Down);
    driver().step(3);
    float down = area->getScrollOffset().y;
    EXPECT_GT(down, 0.0f);
    driver().pressKey(host::Key::PageDown);
    driver().step(3);
    EXPECT_GT(area->getScrollOffset().y, down + 200.0f);
    driver().pressKey(host::Key::PageUp);
    driver().pressKey(host::Key::Up);
    driver().step(3);
    EXPECT_LT(area->getScrollOffset().y, down + 1.0f);

    OpenBoard* board = startBoard(session, 3, Layout::Classic, FieldSet::Classic);
    ASSERT_NE(board, nullptr);
    auto overview = [&](int mode) {
        for (int tries = 0; tries < 10 && System::tempState()->getViewMode() != mode; ++tries) {
            press(board->getGui(), "button_overview", 30);
        }
        return System::tempState()->getViewMode() == mode;
    };
    ASSERT_TRUE(overview(0));
    EXPECT_FALSE(isShown(board->getGui(), "label_current_player")) << "the banner covers the top row";
    ASSERT_TRUE(overview(1));
    EXPECT_TRUE(board->getGui()->getObject("panel_current_player")->isDerivedVisible());
    for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
        press(board->getGui(), "button_menu", 20);
    }
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    press(board->getMainMenu(), "button_settings", 20);
    EXPECT_TRUE(board->getMainMenu()->getObject("image_settings_backdrop")->isDerivedVisible());
    driver().pressKey(host::Key::Escape);
    driver().step(30);
    EXPECT_FALSE(board->getMainMenu()->getObject("image_settings_backdrop")->isDerivedVisible());

    driver().setOpenUrlResult(false);
    ASSERT_TRUE(session.goTo("Scene::Title"));
    press(session.getScene()->getMenu("menu/title"), "button_more_games", 10);
    auto* notice = dynamic_cast<gui::Label*>(
        ventrel::sceneManager->findOverlay("menu/overlay/notification")->getObject("text"));
    ASSERT_NE(notice, nullptr);
    EXPECT_NE(notice->getTextKey().find("gui.NotificationNoBrowser"), kit::String::npos)
        << "the missing browser is told: " << notice->getTextKey();
    driver().setOpenUrlResult(true);

    // A game started in German with an unnamed player is read in English later.
    gui::setLocalization("de");
    ASSERT_NE(openNewGame(), nullptr);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::StartDialog, 0);
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    EXPECT_EQ(player(1).getDefaultNumber(), 2);
    player(1).addDrinks(500);
    System::TempState::updateHallOfFame();
    gui::setLocalization("en");
    ASSERT_TRUE(session.goTo("Scene::HallOfFame"));
    auto* fame = menu<Menu::HallOfFame>();
    ASSERT_NE(fame, nullptr);
    EXPECT_EQ(labelText(fame, "label_name_drinks_0"), "Player 2");
}

TEST_F(AroundTheGame, TheHallOfFameShowsTheListsAndForgetsThemOnlyWhenAsked) {
    System::TempState::saveHallOfFame(System::TempState::HallOfFameDrinks,
                                      {{12, "03", "Anna"}, {9, "05", "{Bo}"}, {4, "07", "Cy"}});
    System::TempState::saveHallOfFame(System::TempState::HallOfFameBac, {{7, "03", "Anna"}});
    System::profile().save();
    ASSERT_TRUE(session.goTo("Scene::HallOfFame"));
    auto* fame = menu<Menu::HallOfFame>();
    ASSERT_NE(fame, nullptr);
    for (int place = 0; place < 10; ++place) {
        SCOPED_TRACE(place);
        kit::String end = "_drinks_" + kit::toString(place);
        EXPECT_EQ(fame->getObject("container_entry_data" + end)->isVisible(), place < 3);
        EXPECT_TRUE(fame->getObject("image_rank" + end)->isVisible()) << "the ranks stay";
        EXPECT_EQ(labelText(fame, "label_rank" + end), kit::toString(place + 1));
    }
    EXPECT_EQ(kit::unescapeText(labelText(fame, "label_name_drinks_1")), "{Bo}") << "shown as typed";
    EXPECT_EQ(labelText(fame, "label_value_drinks_0"), "12");
    EXPECT_EQ(labelText(fame, "label_value_bac_0"), "0.07 %");

    EXPECT_TRUE(fame->getObject("page_0")->isVisible());
    press(fame, "button_right", 10);
    EXPECT_TRUE(fame->getObject("page_1")->isVisible());
    press(fame, "button_left", 10);
    press(fame, "button_left", 10);
    EXPECT_TRUE(fame->getObject("page_3")->isVisible()) << "the pages wrap round";

    press(fame, "button_reset", 10);
    answer(Menu::HallOfFame::ResetDialog, 1);
    EXPECT_EQ(System::TempState::loadHallOfFame(System::TempState::HallOfFameDrinks).size(), 3u);
    press(fame, "button_reset", 10);
    answer(Menu::HallOfFame::ResetDialog, 0);
    EXPECT_TRUE(System::TempState::loadHallOfFame(System::TempState::HallOfFameDrinks).empty());
    EXPECT_TRUE(System::TempState::loadHallOfFame(System::TempState::HallOfFameBac).empty());
    EXPECT_FALSE(fame->getObject("container_entry_data_drinks_0")->isVisible());
    press(fame, "button_ok");
    EXPECT_TRUE(session.waitForScene("Scene::Extras"));
}

// After "Add card" the new card takes the keys: Space and a sentence go into it, not to the buttons.
TEST_F(AroundTheGame, TypingIntoANewCardKeepsTheEditorOpen) {
    ASSERT_TRUE(session.goTo("Scene::CustomCards"));
    auto* editor = menu<Menu::CustomCards>();
    ASSERT_NE(editor, nullptr);
    press(editor, "button_add_card", 10);
    ASSERT_EQ(editor->getCards().size(), 1u);
    // A keyboard's Space is the key and its character.
    auto space = [this] {
        driver().keyDown(host::Key::Space);
        driver().typeText(" ");
        driver().keyUp(host::Key::Space);
        driver().step(3);
    };
    space();
    driver().typeText("Sing a song");
    driver().step(3);
    space();
    driver().typeText("loud");
    driver().step(10);
    EXPECT_EQ(ventrel::sceneManager->getCurrentSceneName(), "Scene::CustomCards") << "the editor was left";
    EXPECT_EQ(kit::trim(System::getLabelText(editor, "text_card_text_0")), "Sing a song loud");
    driver().pressKey(host::Key::Return);
    driver().step(5);
    EXPECT_EQ(kit::trim(editor->getCards()[0]->getText()), "Sing a song loud");
    EXPECT_EQ(ventrel::sceneManager->getCurrentSceneName(), "Scene::CustomCards");
}

TEST_F(AroundTheGame, CardsAreWrittenNumberedAndStored) {
    ASSERT_TRUE(session.goTo("Scene::CustomCards"));
    auto* editor = menu<Menu::CustomCards>();
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(isShown(editor, "button_mail")) << "nothing to mail yet";
    press(editor, "button_add_card", 10);
    ASSERT_EQ(editor->getCards().size(), 1u);
    EXPECT_TRUE(editor->getObject("text_card_text_0")->isFocused()) << "the new card takes the keys";
    // Left empty, it turns red.
    press(editor, "button_mail", 5);
    EXPECT_FALSE(editor->getObject("text_card_text_0")->isFocused());
    EXPECT_EQ(dynamic_cast<gui::Label*>(editor->getObject("text_card_text_0"))->getTextColor(),
              host::Color("FF0000"))
        << "an empty card is red";
    EXPECT_FALSE(isShown(editor, "button_add_card")) << "an empty card blocks the next";
    type(editor, "text_card_text_0", "Sing {loud} 100%");
    EXPECT_EQ(editor->getCards()[0]->getText(), "Sing {loud} 100%");
    EXPECT_EQ(dynamic_cast<gui::Label*>(editor->getObject("text_card_text_0"))->getTextColor(),
              host::Color("4F4F4F"));
    for (const char* text : {"Dance", "Whistle"}) {
        press(editor, "button_add_card", 10);
        type(editor, System::slotName("text_card_text_", static_cast<int>(editor->getCards().size()) - 1),
             text);
    }
    ASSERT_EQ(editor->getCards().size(), 3u);
    editor->getCards()[1]->setDrinks(10);
    editor->refresh();
    press(editor, "button_card_drinks_1");
    EXPECT_EQ(editor->getCards()[1]->getDrinks(), 1) << "ten drinks go round to one";
    press(editor, "button_card_icon_2");
    answer(Menu::CustomCards::IconPicker, 4);
    EXPECT_EQ(editor->getCards()[2]->getImageName(), System::dataManager->getCustomCardIcons()[4]);

    press(editor, "button_card_delete_1");
    ASSERT_EQ(editor->getCards().size(), 2u);
    EXPECT_EQ(editor->getCards()[0]->getId(), -1);
    EXPECT_EQ(editor->getCards()[1]->getId(), -2);
    EXPECT_EQ(editor->getCards()[1]->getText(), "Whistle");
    Game::CustomCard::Cards stored = Game::CustomCard::loadCustomCards();
    ASSERT_EQ(stored.size(), 2u) << "every change is stored";
    EXPECT_EQ(stored[0]->getText(), "Sing {loud} 100%");

    press(editor, "button_mail");
    ASSERT_FALSE(driver().getOpenedUrls().empty());
    kit::String url = driver().getOpenedUrls().back();
    EXPECT_TRUE(kit::startsWith(url, "mailto:cards@morrowleaf.example?")) << url;
    EXPECT_TRUE(kit::contains(url, "cards%20for%20you.%0D%0DSing%20%7Bloud%7D%20100%25%0DWhistle")) << url;
    EXPECT_TRUE(kit::contains(url, ventrel::platform::percentEncode("New Custom Cards by: YOUR-NAME")))
        << url;
}

TEST_F(AroundTheGame, FiveHundredCardsAreTheMostAndTheRowsFollowTheScroll) {
    storeCards(499);
    ASSERT_TRUE(session.goTo("Scene::CustomCards"));
    auto* editor = menu<Menu::CustomCards>();
    ASSERT_NE(editor, nullptr);
    ASSERT_EQ(editor->getCards().size(), 499u);
    press(editor, "button_add_card", 20);
    EXPECT_EQ(editor->getCards().size(), 500u);
    EXPECT_FALSE(editor->getObject("button_add_card")->isVisible());
    EXPECT_EQ(editor->getFirstVisible(), 494) << "scrolled to the new card";
    EXPECT_EQ(labelText(editor, "text_card_text_5"), "");
    EXPECT_EQ(labelText(editor, "text_card_text_4"), "Sing a song 499");
    driver().mouseMove(editor->getObject("scroll_area")->getBoundingRect().getCenter());
    driver().scroll(0.0f, -20.0f);
    driver().step(60);
    auto* area = dynamic_cast<gui::ScrollArea*>(editor->getObject("scroll_area"));
    ASSERT_LT(area->getScrollOffset().y, area->getMaxScrollOffset().y) << "the wheel scrolls the list";
    EXPECT_LT(editor->getFirstVisible(), 494);
    EXPECT_EQ(labelText(editor, "text_card_text_0"),
              "Sing a song " + kit::toString(editor->getFirstVisible() + 1));
}

TEST_F(AroundTheGame, TheCalculatorEstimatesWhatIsTyped) {
    ASSERT_TRUE(session.goTo("Scene::AlcoTest"));
    auto* calculator = menu<Menu::AlcoTest>();
    ASSERT_NE(calculator, nullptr);
    type(calculator, "text_permille", "5");
    type(calculator, "text_sips", "25");
    type(calculator, "text_volume", "20");
    type(calculator, "text_weight", "70");
    driver().step(3);
    Game::AlcoTestData expected;
    expected.setGender(calculator->getData().getGender());
    expected.setStomach(calculator->getData().getStomach());
    expected.setPermille(50);
    expected.setVolume(20.0f);
    expected.setWeight(70000.0f);
    EXPECT_EQ(calculator->getData().getPermille(), 50);
    EXPECT_EQ(calculator->getSips(), 25);
    EXPECT_FLOAT_EQ(calculator->getData().getVolume(), 20.0f) << "the size of one sip";
    EXPECT_GT(expected.estimate(25), expected.estimate(1));
    EXPECT_EQ(labelText(calculator, "label_bac"), Game::AlcoTestUnits::formatEstimate(expected.estimate(25)));
    EXPECT_EQ(labelText(calculator, "text_volume"), "20");

    auto retype = [&](const kit::String& text) {
        session.click(calculator, "text_sips");
        driver().step(2);
        for (int n = 0; n < 3; ++n) {
            driver().pressKey(host::Key::Backspace);
        }
        type(calculator, "text_sips", text);
    };
    retype("-3");
    EXPECT_EQ(calculator->getSips(), 0) << "no negative sips";
    EXPECT_EQ(labelText(calculator, "label_bac"), Game::AlcoTestUnits::formatEstimate(0));
    retype("2,6");
    EXPECT_EQ(calculator->getSips(), 3) << "a decimal comma, rounded to whole sips";
    retype("25");

    int before = calculator->getData().estimate(25);
    press(calculator, "button_stomach");
    press(calculator, "button_stomach");
    EXPECT_NE(calculator->getData().estimate(25), before) << "a fuller or emptier stomach changes it";

    press(calculator, "button_disclaimer");
    EXPECT_TRUE(calculator->getObject("container_disclaimer")->isVisible());
    driver().pressKey(host::Key::Return);
    driver().step(3);
    EXPECT_FALSE(calculator->getObject("container_disclaimer")->isVisible())
        << "Enter closes the panel in front";
    press(calculator, "button_info");
    EXPECT_TRUE(calculator->getObject("container_info")->isVisible());
    press(calculator, "button_info_ok");
    EXPECT_FALSE(calculator->getObject("container_info")->isVisible());
    driver().pressKey(host::Key::Escape);
    EXPECT_TRUE(session.waitForScene("Scene::Extras"));
}

// With the keyboard alone, Tab reaches what the screen is for.
TEST_F(AroundTheGame, TabReachesEveryScreensButtons) {
    storeCards(2);
    struct Screen {
        const char* scene;
        kit::Array<kit::String> buttons;
    };
    for (const Screen& screen :
         {Screen{"Scene::NewGame", {"text_player_name_0", "button_player_color_1", "button_add_player"}},
          Screen{"Scene::HallOfFame", {"button_left", "button_right", "button_reset", "button_ok"}},
          Screen{"Scene::CustomCards",
                 {"text_card_text_0", "button_card_drinks_1", "button_mail", "button_ok"}},
          Screen{"Scene::AlcoTest",
                 {"text_permille", "text_sips", "button_gender", "button_info", "button_ok"}}}) {
        SCOPED_TRACE(screen.scene);
        ASSERT_TRUE(session.goTo(screen.scene));
        std::set<kit::String> reached;
        for (int tab = 0; tab < 100; ++tab) {
            driver().pressKey(host::Key::Tab);
            driver().step();
            for (ventrel::system::Context* context : session.getScene()->getAllMenus()) {
                if (gui::Object* focused =
                        context->getDataset() ? context->getDataset()->getFocusedObject() : nullptr) {
                    reached.insert(focused->getName());
                }
            }
        }
        for (const kit::String& button : screen.buttons) {
            EXPECT_EQ(reached.count(button), 1u) << button << " is never reached";
        }
    }
}

// A night where one drinks to a limit, one drinks water and one drives: styles and the limit are set
// on the rows, the table hears who drives and drinks water every five rounds, every sip lands on its
// counter, and the end of the night names the driver, shows the way home and starts the same players
// again; the ended game can still be resumed.
TEST_F(AroundTheGame, ANightOfDrinkersWaterAndADriverEndsWithTheWayHome) {
    System::profile().set("FbLike", "3");
    System::profile().set("RideNumber", "+49 30 202020");
    // Without the glass of water the drinker goes on to the limit.
    System::profile().set("WaterNotice", "WaterNoticeOff");
    ASSERT_TRUE(session.goTo("Scene::Title"));
    session.click(session.getScene()->getMenus().back(), "button_play");
    ASSERT_TRUE(session.waitForScene("Scene::NewGame"));
    Menu::NewGame* rows = menu<Menu::NewGame>();
    ASSERT_NE(rows, nullptr);
    press(rows, "button_add_player", 20);
    // Drinks -> Light -> Water; three presses make a driver.
    for (int step = 0; step < 2; ++step) {
        press(rows, "button_player_style_1");
    }
    for (int step = 0; step < 3; ++step) {
        press(rows, "button_player_style_2");
    }
    EXPECT_EQ(labelText(rows, "text_player_name_0"), "");
    press(rows, "button_player_alco_test_data_0", 10);
    type(rows, "text_alco_test_permille_0", "40");
    type(rows, "text_alco_test_volume_0", "40");
    type(rows, "text_alco_test_weight_0", "60");
    type(rows, "text_alco_test_limit_0", "4");
    press(rows, "button_alco_test_back_0", 10);
    EXPECT_EQ(player(0).getSipLimit(), 4);
    EXPECT_EQ(player(1).getStyle(), Game::Player::Style::Water);
    EXPECT_EQ(player(2).getStyle(), Game::Player::Style::Driver);
    press(session.getScene(), "button_options", 20);
    auto* options = menu<Menu::NewGameOptions>();
    ASSERT_TRUE(session.waitForInput(options));
    press(options, "button_waterrounds", 10);
    press(options, "button_ok", 20);
    EXPECT_EQ(game().getWaterRounds(), 5);
    press(session.getScene(), "button_ok", 10);
    answer(Scene::NewGame::StartDialog, 0);
    // The board opens by telling who drives.
    ASSERT_TRUE(driver().stepUntil(
        [] { return ventrel::sceneManager->getCurrentSceneName() == "Scene::Board" && openDialog(); }, 600));
    auto* board = dynamic_cast<Scene::Board*>(session.getScene());
    ASSERT_NE(board, nullptr);
    ventrel::menu::Dialog* drivers = waitForDialog(Scene::Board::OkDialog);
    ASSERT_NE(drivers, nullptr);
    EXPECT_EQ(drivers->getContext(), Scene::Board::DriversContext);
    press(drivers, "button_dialog_0", 20);

    // The friends play on until the drinker reached the limit and the table had its water round.
    // The water round of round five is answered once it is no longer due.
    BoardPlayer friends(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(friends.playUntil(
        [&] {
            return !player(0).drinksAlcohol() && game().getRounds() >= 5 && !game().isWaterRoundDue() &&
                   player(1).getWaterSips() > 0;
        },
        30000));
    EXPECT_EQ(player(0).getDrinks(), 4) << "the limit switches exactly when it is reached";
    EXPECT_EQ(player(1).getDrinks(), 0);
    EXPECT_EQ(player(2).getDrinks(), 0);
    EXPECT_EQ(player(1).getEstimate(), 0);
    EXPECT_FALSE(player(1).isWarned());
    EXPECT_FALSE(player(2).isWarned());

    openPauseBetweenTurns(friends, board);
    if (HasFatalFailure()) {
        return;
    }
    // The pause list: water is one tap and a yes away, drinking again too, and that lifts the limit.
    Menu::InGame::Status* list = board->getMainMenu()->getStatus();
    press(list, "button_player_style_0", 10);
    answer(Menu::InGame::Status::DisableDialog, 0);
    EXPECT_EQ(player(0).getStyle(), Game::Player::Style::Drinks);
    EXPECT_EQ(player(0).getSipLimit(), 0);
    press(list, "button_player_style_0", 10);
    answer(Menu::InGame::Status::DisableDialog, 1);
    EXPECT_EQ(player(0).getStyle(), Game::Player::Style::Drinks) << "no keeps the style";
    press(list, "button_player_style_0", 10);
    answer(Menu::InGame::Status::DisableDialog, 0);
    EXPECT_EQ(player(0).getStyle(), Game::Player::Style::Water);
    press(board->getMainMenu(), "button_end_night", 10);
    ASSERT_TRUE(session.waitForScene("Scene::EndOfNight"));
    ventrel::system::Context* night = session.getScene()->getMenus().back();
    ASSERT_TRUE(session.waitForInput(night));
    EXPECT_NE(labelText(night, "label_drivers").find(player(2).getName()), kit::String::npos);
    EXPECT_EQ(labelText(night, "label_ride_number"), "+49 30 202020");
    EXPECT_EQ(labelText(night, "label_night_sips_0"), "4");
    EXPECT_EQ(labelText(night, "label_night_water_1"), kit::toString(player(1).getWaterSips()));
    EXPECT_NE(labelText(night, "label_night_now_0").find(" %"), kit::String::npos);
    EXPECT_EQ(labelText(night, "label_night_now_1"), "\u2013") << "no body data, no estimate";
    EXPECT_FALSE(isShown(night, "container_night_player_3"));
    EXPECT_TRUE(ventrel::saveManager->existsAuto()) << "the ended game can still be resumed";

    kit::Array<kit::String> names;
    for (const Game::Player* p : game().getPlayers()) {
        names.push_back(p->getName());
    }
    press(night, "button_same_players", 10);
    ASSERT_TRUE(session.waitForScene("Scene::NewGame"));
    ASSERT_EQ(game().getPlayers().size(), 3u);
    EXPECT_EQ(player(2).getStyle(), Game::Player::Style::Driver);
    EXPECT_EQ(player(0).getStyle(), Game::Player::Style::Water);
    EXPECT_EQ(player(0).getDrinks(), 0);
    EXPECT_EQ(player(0).getAlcoTestData()->getWeight(), 60000.0f) << "the body data stay";
    press(session.getScene(), "button_cancel", 10);
    ASSERT_TRUE(session.waitForScene("Scene::Title"));
    EXPECT_TRUE(ventrel::saveManager->existsAuto());
}

// A night told: what happened, newest first, page by page in the pause menu; then the recap's pages
// with the log's figures, and the recap saved as pictures that never replace one another.
TEST_F(AroundTheGame, TheStoryOfTheNightIsToldAndSavedAsPictures) {
    std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("swiggard_story_" + kit::toString(getpid()));
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base / "config");
    std::filesystem::path pictures = base / "My Pictures";
    kit::File::write((base / "config/user-dirs.dirs").string(),
                     "# written by hand\nXDG_PICTURES_DIR=\"" + pictures.string() + "\"\n");
    ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);

    OpenBoard* board = startBoard(session, 3, Layout::Classic, FieldSet::Shuffle);
    ASSERT_NE(board, nullptr);
    BoardPlayer friends(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(
        friends.playUntil([&] { return game().getLog().size() > Menu::InGame::Story::RowSlots + 5; }, 20000));
    openPauseBetweenTurns(friends, board);
    ASSERT_FALSE(HasFatalFailure());
    const Game::GameLog& log = game().getLog();
    for (const Game::Player* p : game().getPlayers()) {
        Game::GameLog::Totals told = log.getTotals(game().seatOf(p));
        EXPECT_EQ(told.sips, p->getDrinks());
        EXPECT_EQ(told.water, p->getWaterSips());
        EXPECT_EQ(told.accepted, p->getAcceptedChallenges());
    }

    Menu::InGame::Main* pause = board->getMainMenu();
    Menu::InGame::Story* story = pause->getStory();
    press(pause, "button_story", 10);
    ASSERT_TRUE(session.waitForInput(story));
    EXPECT_FALSE(pause->getStatus()->isVisible());
    auto line = [&](const kit::String& label) {
        auto* shown = dynamic_cast<gui::Label*>(story->getObject(label));
        return shown ? shown->getTextKey() : kit::String("<none>");
    };
    int newest = log.size() - 1;
    EXPECT_EQ(line("label_story_0"), Menu::InGame::Story::lineOf(*log.at(newest)));
    EXPECT_EQ(line("label_story_1"), Menu::InGame::Story::lineOf(*log.at(newest - 1)));
    EXPECT_FALSE(isShown(story, "label_story_empty"));
    press(story, "button_story_older", 10);
    EXPECT_EQ(line("label_story_0"),
              Menu::InGame::Story::lineOf(*log.at(newest - Menu::InGame::Story::RowSlots)));
    press(story, "button_story_newer", 10);
    EXPECT_EQ(line("label_story_0"), Menu::InGame::Story::lineOf(*log.at(newest)));
    press(story, "button_story_back", 10);
    EXPECT_FALSE(story->isVisible());
    EXPECT_TRUE(pause->getStatus()->isVisible());

    press(pause, "button_end_night", 10);
    ASSERT_TRUE(session.waitForScene("Scene::EndOfNight"));
    auto* night = dynamic_cast<Menu::EndOfNight*>(session.getScene()->getMenus().back());
    ASSERT_NE(night, nullptr);
    ASSERT_TRUE(session.waitForInput(night));
    press(night, "button_page_laps", 10);
    EXPECT_TRUE(isShown(night, "container_page_laps"));
    EXPECT_FALSE(isShown(night, "container_page_night"));
    kit::Array<Game::GameLog::Totals> totals;
    for (int seat = 0; seat < 3; ++seat) {
        totals.push_back(log.getTotals(seat));
        EXPECT_EQ(labelText(night, System::slotName("label_laps_", seat)), kit::toString(totals.back().laps));
        EXPECT_EQ(labelText(night, System::slotName("label_accepted_", seat)),
                  kit::toString(totals.back().accepted));
        EXPECT_EQ(labelText(night, System::slotName("label_refused_", seat)),
                  kit::toString(totals.back().refused));
    }
    EXPECT_FALSE(isShown(night, "container_laps_row_3"));
    press(night, "button_page_awards", 10);
    EXPECT_TRUE(isShown(night, "container_page_awards"));
    kit::Array<Game::Awards::Award> awards = Game::Awards::of(totals);
    for (int slot = 0; slot < 5; ++slot) {
        kit::String winners = labelText(night, System::slotName("label_award_winners_", slot));
        for (int seat : awards[static_cast<size_t>(slot)].seats) {
            EXPECT_NE(winners.find(player(seat).getName()), kit::String::npos) << slot << ": " << winners;
        }
    }
    press(night, "button_page_sips", 10);
    EXPECT_TRUE(isShown(night, "chart_line_0_0")) << "a line over the turns played";
    EXPECT_FALSE(isShown(night, "chart_line_3_0"));

    // A picture of that name is there already: it is kept, and the new ones get numbers.
    kit::String stem = night->getSavedPicture();
    EXPECT_TRUE(stem.empty());
    press(night, "button_save_picture", 2);
    ASSERT_TRUE(driver().stepUntil([&] { return !night->getSavedPicture().empty(); }, 120));
    std::filesystem::path first = night->getSavedPicture();
    EXPECT_EQ(first.parent_path(), pictures);
    EXPECT_EQ(first.extension(), ".png");
    EXPECT_EQ(kit::File::readText(first.string()).substr(1, 3), "PNG");
    press(night, "button_save_picture", 2);
    ASSERT_TRUE(driver().stepUntil([&] { return night->getSavedPicture() != first.string(); }, 120));
    EXPECT_EQ(night->getSavedPicture(), (pictures / (first.stem().string() + " (2).png")).string());
    EXPECT_EQ(kit::File::readText(first.string()).substr(1, 3), "PNG") << "the first picture stays";
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(pictures), std::filesystem::directory_iterator()),
        2)
        << "no half-written file is left behind";

    // A folder that cannot be made: nothing is said to be saved.
    kit::File::write((base / "blocked").string(), "a file, not a folder");
    kit::File::write((base / "config/user-dirs.dirs").string(),
                     "XDG_PICTURES_DIR=\"" + (base / "blocked/pictures").string() + "\"\n");
    press(night, "button_save_picture", 10);
    EXPECT_TRUE(night->getSavedPicture().empty());
    ::unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(base);
}

// Every question is walked with the arrow keys alone, as a player who never heard of Tab would: it
// opens with its first answer focused, every answer it shows is reached, and Enter answers it.
TEST_F(AroundTheGame, TheArrowKeysReachEveryAnswerOfEveryQuestion) {
    ASSERT_TRUE(session.goTo("Scene::Title"));
    driver().pressKey(host::Key::Down);
    driver().step(5);
    ASSERT_EQ(host::window->getInputMode(), host::Window::InputMode::Keyboard);
    for (ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
        SCOPED_TRACE(dialog->getName());
        kit::Array<kit::String> texts;
        if (dialog->getObject("text_dialog_0")) {
            texts.push_back("gui.YesNoPlay");
        }
        ventrel::sceneManager->showDialog(dialog->getName(), session.getScene(), session.getScene(), texts,
                                          "ArrowWalk");
        ASSERT_TRUE(session.waitForInput(dialog));
        gui::Object* first = dialog->getDataset()->getFocusedObject();
        ASSERT_NE(first, nullptr) << "opens with nothing focused";
        EXPECT_EQ(first->getFocusIndex(), dialog->getDataset()->findPossibleFocusIndices(true).front());
        std::set<kit::String> answers;
        forEachShown(dialog->getRoot(), [&](gui::Object* object) {
            if (dynamic_cast<gui::ButtonBase*>(object) && object->isDerivedEnabled() &&
                object->getFocusIndex() >= 0) {
                answers.insert(object->getName());
            }
        });
        std::set<kit::String> reached{first->getName()};
        const host::Key rows[] = {host::Key::Right, host::Key::Left};
        for (int row = 0; row < 16 && reached.size() < answers.size(); ++row) {
            for (int step = 0; step < 8; ++step) {
                driver().pressKey(rows[row % 2]);
                driver().step(2);
                reached.insert(dialog->getDataset()->getFocusedObject()->getName());
            }
            driver().pressKey(row < 8 ? host::Key::Down : host::Key::Up);
            driver().step(2);
            reached.insert(dialog->getDataset()->getFocusedObject()->getName());
        }
        for (const kit::String& answer : answers) {
            EXPECT_EQ(reached.count(answer), 1u) << answer << " is never reached";
        }
        driver().pressKey(host::Key::Return);
        EXPECT_TRUE(driver().stepUntil([dialog] { return !dialog->isVisible(); }, 60))
            << "Enter does not answer";
        dialog->dismiss();
        driver().step(5);
    }
}

// A whole night by a controller alone: the names stay "Player n" (nothing asks for typing), the
// options change, the board is played with all its questions, the pause menu and its list are used,
// the night ends with its recap, and the title comes back.
TEST_F(AroundTheGame, AControllerAlonePlaysAWholeNight) {
    System::profile().set("FbLike", "3");
    System::profile().set("RateMe", "3");
    ASSERT_TRUE(session.goTo("Scene::Title"));
    auto padTo = [&](ventrel::system::Context* screen, const kit::String& button, int frames = 10) {
        walkAndPress(session, screen, button, true);
        driver().step(frames);
    };
    auto answerYes = [&](const kit::String& name) {
        ventrel::menu::Dialog* dialog = waitForDialog(name);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->getObject("button_dialog_0")->isFocused()) << name << " opens with yes focused";
        driver().pressButton(host::Button::A);
        driver().step(10);
    };
    bool saved = ventrel::saveManager->existsAuto();
    padTo(session.getScene()->getMenu("menu/title"), "button_play");
    if (saved) {
        answerYes(Menu::Title::PlayDialog);
    }
    ASSERT_TRUE(session.waitForScene("Scene::NewGame"));
    EXPECT_EQ(host::window->getInputMode(), host::Window::InputMode::Controller);
    auto* rows = menu<Menu::NewGame>();
    padTo(rows, "button_add_player");
    ASSERT_EQ(game().getPlayers().size(), 3u);
    EXPECT_FALSE(rows->isTyping()) << "the new row does not ask for its name";

    padTo(session.getScene(), "button_options", 20);
    auto* options = menu<Menu::NewGameOptions>();
    ASSERT_TRUE(session.waitForInput(options));
    Layout layout = game().getBoardLayout();
    padTo(options, "button_boardlayout");
    EXPECT_NE(game().getBoardLayout(), layout) << "A changes the board's look";
    padTo(options, "button_ok", 20);
    padTo(session.getScene(), "button_ok");
    answerYes(Scene::NewGame::StartDialog);
    ASSERT_TRUE(session.waitForScene("Scene::Board"));
    for (int seat = 0; seat < 3; ++seat) {
        EXPECT_EQ(player(seat).getName(), "Player " + kit::toString(seat + 1)) << "nothing was typed";
    }

    auto* board = dynamic_cast<Scene::Board*>(session.getScene());
    ASSERT_NE(board, nullptr);
    BoardPlayer play(session, BoardPlayer::Input::Controller);
    ASSERT_TRUE(play.playTurns(12));
    EXPECT_GE(play.getAnsweredDialogs(), 6);
    ASSERT_TRUE(play.playUntil([&] {
        return board->isInputAllowed() && isShown(board->getGui(), "button_menu") &&
               game().getTurnPhase() == TurnPhase::Start && !board->getRollDice()->isVisible() &&
               !openDialog();
    }));
    // A press while the camera still glides to the player is not taken: the friends press again.
    for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
        driver().pressButton(host::Button::B);
        driver().step(10);
    }
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    Menu::InGame::Status* pauseList = board->getMainMenu()->getStatus();
    // The list switches the second player to water: a yes away.
    bool drinking = player(1).drinksAlcohol();
    padTo(pauseList, "button_player_style_1");
    answerYes(Menu::InGame::Status::DisableDialog);
    EXPECT_NE(player(1).drinksAlcohol(), drinking) << "the list switched the player's drinking";
    padTo(board->getMainMenu(), "button_end_night");
    ASSERT_TRUE(session.waitForScene("Scene::EndOfNight"));

    auto* night = menu<Menu::EndOfNight>();
    for (const char* page :
         {"button_page_sips", "button_page_laps", "button_page_awards", "button_page_night"}) {
        padTo(night, page);
        EXPECT_TRUE(night->getObject(page)->isFocused()) << page;
    }
    EXPECT_TRUE(isShown(night, "container_night_player_2"));
    padTo(night, "button_title");
    ASSERT_TRUE(session.waitForScene("Scene::Title"));
}

// Every screen is played by the arrow keys alone: every button of the scene and of the menus shown
// over it is reached (across from one to the other too), and Enter presses the focused one.
TEST_F(AroundTheGame, TheArrowKeysReachEveryButtonOfEveryScreen) {
    storeCards(2);
    for (const kit::String& name : ventrel::sceneManager->getSceneNames()) {
        // The board has its own whole games by keys; the opening screens move on by themselves.
        if (name == "Scene::Board" || name == "Scene::Logos" || name == "Scene::Disclaimer") {
            continue;
        }
        SCOPED_TRACE(name);
        ASSERT_TRUE(session.goTo(name));
        driver().pressKey(host::Key::Down);
        driver().step(3);
        ASSERT_EQ(host::window->getInputMode(), host::Window::InputMode::Keyboard);
        kit::Array<std::pair<ventrel::system::Context*, gui::Object*>> buttons;
        // The menus drawn over the scene first: of two copies of a button, the one on top is seen.
        kit::Array<ventrel::system::Context*> screens;
        for (ventrel::menu::Base* menu : session.getScene()->getAllMenus()) {
            screens.push_back(menu);
        }
        screens.push_back(session.getScene());
        for (ventrel::system::Context* screen : screens) {
            if (!screen->isVisible()) {
                continue;
            }
            forEachShown(screen->getRoot(), [&](gui::Object* object) {
                // A menu may draw its own copy of the scene's back button over it: one button to the eye.
                bool covered = std::any_of(buttons.begin(), buttons.end(), [object](const auto& found) {
                    return found.second->getName() == object->getName() &&
                           found.second->getBoundingRect().getCenter() ==
                               object->getBoundingRect().getCenter();
                });
                if (dynamic_cast<gui::ButtonBase*>(object) && object->isDerivedEnabled() &&
                    object->getFocusIndex() >= 0 && !covered) {
                    buttons.emplace_back(screen, object);
                }
            });
        }
        EXPECT_FALSE(buttons.empty());
        for (const auto& [screen, button] : buttons) {
            EXPECT_TRUE(walkFocusTo(session, screen, button, false))
                << button->getName() << " is never reached";
        }
        auto back = std::find_if(buttons.begin(), buttons.end(), [](const auto& found) {
            return found.second->getName() == "button_cancel" || found.second->getName() == "button_ok";
        });
        if (back == buttons.end()) {
            continue;
        }
        ASSERT_TRUE(walkFocusTo(session, back->first, back->second, false));
        driver().pressKey(host::Key::Return);
        EXPECT_TRUE(driver().stepUntil(
            [&] {
                kit::String now = ventrel::sceneManager->getCurrentSceneName();
                return now != name && GameSession::isAt(now);
            },
            300))
            << "Enter does not press " << back->second->getName();
    }
}

// Stands in for speech-dispatcher: keeps what the game asks to be read.
class RecordingSpeech : public host::Speech {
public:
    struct Line {
        kit::String text;
        kit::String language;
        bool interrupt = false;
    };

    explicit RecordingSpeech(kit::Array<Line>& lines) : lines(lines) {}
    bool isAvailable() const override { return true; }
    void say(const kit::String& text, const kit::String& language, bool interrupt) override {
        lines.push_back({text, language, interrupt});
    }

private:
    kit::Array<Line>& lines;
};

kit::String shownText(ventrel::system::Context* screen, const kit::String& name) {
    auto* label = dynamic_cast<gui::Label*>(screen->getObject(name));
    return label ? fonts::Markup::plainText(label->getText()) : kit::String();
}

// The card as the question shows it: one answer, or both with the "or" between them.
kit::String shownCard(ventrel::menu::Dialog* dialog) {
    kit::String card = shownText(dialog, "text_dialog_0");
    if (dialog->getName() == Scene::Board::ChoiceDialog) {
        card += " " + shownText(dialog, "label_or") + " " + shownText(dialog, "text_dialog_1");
    }
    return card;
}

// The voice reads whose turn it is and then the card the token landed on, in the game's language and
// with the name as typed, and only while the setting is on.
TEST_F(AroundTheGame, TheVoiceReadsTheTurnAndTheCardOnlyWhenAsked) {
    kit::Array<RecordingSpeech::Line> said;
    System::voice->setBackEnd(std::make_unique<RecordingSpeech>(said));
    OpenBoard* board = startBoard(session, 2, Layout::Classic, FieldSet::Classic);
    ASSERT_NE(board, nullptr);
    player(0).setName("Zoë [b]{%s}");
    player(1).setName("Ben");
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(play.playTurns(3));
    EXPECT_TRUE(said.empty()) << "the setting is off by default";

    // A turn was announced, and then its card shown.
    auto turnLine = [&] {
        auto found =
            std::find_if(said.rbegin(), said.rend(), [](const auto& line) { return line.interrupt; });
        return found == said.rend() ? said.end() : std::prev(found.base());
    };
    auto cardShown = [&] {
        ventrel::menu::Dialog* dialog = openDialog();
        return dialog && turnLine() != said.end() && turnLine() + 1 != said.end() &&
               (dialog->getName() == Scene::Board::SelectDialog ||
                dialog->getName() == Scene::Board::ChoiceDialog);
    };
    System::profile().set("ReadAloud", "1");
    for (const char* language : {"en", "de"}) {
        SCOPED_TRACE(language);
        gui::setLocalization(language);
        said.clear();
        ASSERT_TRUE(play.playUntil(cardShown));
        const Game::Player* current = game().getCurrentPlayer();
        kit::String turn = board->getText("gui.VoiceTurn");
        turn.replace(turn.find("%s"), 2, current->getName());
        EXPECT_EQ(turnLine()->text, turn);
        EXPECT_EQ(said.end() - turnLine(), 2) << "the turn, then its card";
        EXPECT_EQ(said.back().text, shownCard(openDialog()));
        EXPECT_FALSE(said.back().interrupt);
        for (const RecordingSpeech::Line& line : said) {
            EXPECT_EQ(line.language, language);
        }
        ASSERT_TRUE(play.playTurns(1));
    }
    EXPECT_TRUE(kit::contains(board->getText("gui.VoiceTurn"), "dran")) << "German was read in German";
    ASSERT_TRUE(play.playUntil([] { return game().getCurrentPlayer() == &player(0) && openDialog(); }));
    EXPECT_TRUE(std::any_of(said.begin(), said.end(), [](const RecordingSpeech::Line& line) {
        return kit::startsWith(line.text, "Zoë [b]{%s}, ");
    })) << "the name is read as typed";

    System::profile().set("ReadAloud", "0");
    said.clear();
    ASSERT_TRUE(play.playTurns(2));
    EXPECT_TRUE(said.empty()) << "switched off again";
    gui::setLocalization("en");
}

}  // namespace
}  // namespace e2etest
