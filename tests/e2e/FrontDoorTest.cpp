// The screens around the game, driven through injected clicks and keys: the dialogs answer their
// callers, the overlays, the title's rules, the language menu and the settings.
#include <audio/Manager.h>
#include <fonts/Fonts.h>
#include <gui/Gui.h>
#include <gui/ImageButton.h>
#include <gui/Label.h>
#include <host/Host.h>
#include <kit/Strings.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/menu/Overlay.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SaveManager.h>
#include <ventrel/system/TransitionManager.h>

#include <tuple>

#include "GameSession.h"
#include "Menu/Overlay/Loading.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace {

using Answer = std::tuple<kit::String, int, kit::String>;

// Stands for the screen that asked: records every answer it is given.
class Asker : public ventrel::system::Context {
public:
    Asker() : Context("") {}
    void dialogResult(const kit::String& dialog, int button, const kit::String& context) override {
        answers.emplace_back(dialog, button, context);
    }
    kit::Array<Answer> answers;
};

// A scene of this build's future that the title leads to.
class Stand : public ventrel::scene::Base {
public:
    Stand() : Base("", "") {}

protected:
    std::unique_ptr<Base> _createNew() override { return std::make_unique<Stand>(); }
};

class FrontDoorTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(game.waitForScene("Scene::Disclaimer")); }

    // Shows the dialog for the asker and clicks one of its objects.
    void answer(const kit::String& dialog, const kit::String& button, const kit::String& context) {
        // A text for the dialogs that have a label for one.
        kit::Array<kit::String> texts;
        if (ventrel::sceneManager->findDialog(dialog)->getObject("text_dialog_0")) {
            texts.push_back("gui.YesNoPlay");
        }
        ventrel::menu::Dialog* shown =
            ventrel::sceneManager->showDialog(dialog, &asker, game.getScene(), texts, context);
        ASSERT_TRUE(game.waitForInput(shown)) << dialog;
        game.click(shown, button);
        ASSERT_TRUE(game.getDriver().stepUntil([shown] { return !shown->isVisible(); }, 60)) << dialog;
    }

    e2etest::GameSession game;
    Asker asker;
};

TEST_F(FrontDoorTest, EveryDialogAnswersItsCallerWithThePressedButton) {
    const struct {
        const char* dialog;
        const char* button;
        int answer;
    } cases[] = {
        {"menu/dialog/ok", "button_dialog_0", 0},
        {"menu/dialog/yes_no", "button_dialog_1", 1},
        {"menu/dialog/yes_no_cancel", "button_dialog_2", 2},
        {"menu/dialog/action_select", "button_dialog_0", 0},
        // The action card's OK button answers as the card does.
        {"menu/dialog/action_select", "button_ok", 0},
        {"menu/dialog/action_choice", "button_dialog_1", 1},
        {"menu/dialog/picker_player", "button_dialog_3", 3},
        {"menu/dialog/picker_color", "button_dialog_5", 5},
        {"menu/dialog/picker_character", "button_dialog_0", 0},
        {"menu/dialog/picker_icon", "button_dialog_27", 27},
        {"menu/dialog/shirt", "button_dialog_2", 2},
    };
    kit::Array<Answer> expected;
    for (const auto& test : cases) {
        kit::String context = kit::String("Test:") + test.button;
        answer(test.dialog, test.button, context);
        expected.emplace_back(test.dialog, test.answer, context);
    }
    EXPECT_EQ(asker.answers, expected);
}

TEST_F(FrontDoorTest, CancelKeysAndPickerCancelButtons) {
    // Escape presses a question's cancel button: no.
    ventrel::menu::Dialog* question = ventrel::sceneManager->showDialog(
        "menu/dialog/yes_no", &asker, game.getScene(), "gui.YesNoPlay", "Test:Key");
    ASSERT_TRUE(game.waitForInput(question));
    game.getDriver().pressKey(host::Key::Escape);
    ASSERT_TRUE(game.getDriver().stepUntil([question] { return !question->isVisible(); }, 60));
    EXPECT_EQ(asker.answers, (kit::Array<Answer>{{"menu/dialog/yes_no", 1, "Test:Key"}}));
    // A picker's cancel closes it and answers nothing, so the caller keeps its value.
    for (const char* picker :
         {"menu/dialog/picker_color", "menu/dialog/picker_character", "menu/dialog/picker_icon"}) {
        answer(picker, "button_cancel", "Test:Cancel");
    }
    EXPECT_EQ(asker.answers.size(), 1u);
}

TEST_F(FrontDoorTest, TheCharacterPickerShowsTheHiddenCharacterLockedUntilUnlocked) {
    const kit::Array<kit::String>& characters = System::dataManager->getCharacters();
    auto locked = std::find(characters.begin(), characters.end(), "17");
    ASSERT_NE(locked, characters.end());
    kit::String name = "button_dialog_" + kit::toString(static_cast<int>(locked - characters.begin()));
    ventrel::menu::Dialog* picker = ventrel::sceneManager->showDialog(
        "menu/dialog/picker_character", &asker, game.getScene(), kit::Array<kit::String>{}, "Test:Character");
    ASSERT_TRUE(game.waitForInput(picker));
    auto* button = dynamic_cast<gui::ImageButton*>(picker->getObject(name));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->getImageName(), "gui.buttons/big_locked");
    System::unlockCharacter("17", false);
    picker->refresh();
    EXPECT_EQ(button->getImageName(), "gui.buttons/big");
}

TEST_F(FrontDoorTest, TheLoadingCurtainShowsItsPictureOnlyForKindZero) {
    auto* curtain = dynamic_cast<Menu::Overlay::Loading*>(ventrel::sceneManager->getTransition());
    ASSERT_NE(curtain, nullptr);
    curtain->startTransition(1, 0.0f);
    EXPECT_TRUE(curtain->getObject("transition_color")->isVisible());
    EXPECT_FALSE(curtain->getObject("transition_image")->isVisible());
    EXPECT_EQ(curtain->getRoot()->getAlpha(), 255);
    curtain->finishTransition(1, 0.0f);
    EXPECT_EQ(curtain->getRoot()->getAlpha(), 0);
    curtain->startTransition(0, 0.5f);
    EXPECT_TRUE(curtain->getObject("transition_image")->isVisible());
    EXPECT_TRUE(curtain->getRoot()->isAnimating()) << "it fades in over the duration";
    curtain->finishTransition(0, 0.0f);
}

TEST_F(FrontDoorTest, TwoNotificationsSlideInOneAfterTheOther) {
    System::tempState()->addNotification("gui.GameStarted", "");
    System::tempState()->addNotification("gui.MotdTitle", "");
    ventrel::menu::Overlay* banner = ventrel::sceneManager->findOverlay("menu/overlay/notification");
    ventrel::sceneManager->showOverlay("menu/overlay/notification");
    auto* text = dynamic_cast<gui::Label*>(banner->getObject("text"));
    ASSERT_NE(text, nullptr);
    game.getDriver().step(3);
    int shown = game.getDriver().getFrameCount();
    EXPECT_EQ(text->getTextKey(), "gui.GameStarted");
    EXPECT_EQ(System::tempState()->getNotifications().size(), 1u) << "the second waits";
    // 4.75 s on screen plus the slides (a quarter of a second each way).
    ASSERT_TRUE(game.getDriver().stepUntil([text] { return text->getTextKey() == "gui.MotdTitle"; }, 30 * 7));
    EXPECT_GT(game.getDriver().getFrameCount() - shown, 30 * 4.75);
    EXPECT_TRUE(System::tempState()->getNotifications().empty());
}

TEST_F(FrontDoorTest, TitleWithoutAnAutosavePlaysAtOnce) {
    ventrel::sceneManager->registerSceneFactory("Scene::NewGame", [] { return std::make_unique<Stand>(); });
    ASSERT_TRUE(game.goTo("Scene::Title"));
    ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
    ASSERT_NE(title, nullptr);
    EXPECT_FALSE(title->getObject("button_resume")->isVisible());
    // Play takes the middle of the window instead of leaving a gap beside it.
    EXPECT_NEAR(title->getObject("button_play")->getBoundingRect().centerX(),
                title->getRoot()->getRect().w / 2, 2.0f);
    game.click(title, "button_play");
    EXPECT_TRUE(game.waitForScene("Scene::NewGame"));
}

TEST_F(FrontDoorTest, TitleWithAnAutosaveAsksBeforeANewGame) {
    ventrel::sceneManager->registerSceneFactory("Scene::NewGame", [] { return std::make_unique<Stand>(); });
    ASSERT_TRUE(ventrel::saveManager->saveAuto(ventrel::gameState));
    ASSERT_TRUE(game.goTo("Scene::Title"));
    ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
    EXPECT_TRUE(title->getObject("button_resume")->isVisible());
    ventrel::menu::Dialog* question = ventrel::sceneManager->findDialog("menu/dialog/yes_no");
    game.click(title, "button_play");
    ASSERT_TRUE(game.waitForInput(question));
    game.click(question, "button_dialog_1");
    game.getDriver().step(10);
    EXPECT_EQ(ventrel::sceneManager->getCurrentSceneName(), "Scene::Title") << "no keeps the saved game";
    game.click(title, "button_play");
    ASSERT_TRUE(game.waitForInput(question));
    game.click(question, "button_dialog_0");
    EXPECT_TRUE(game.waitForScene("Scene::NewGame"));
}

TEST_F(FrontDoorTest, TheTutorialHintShowsOnTheFirstTitleOnly) {
    System::profile().set("Tutorial", "0");
    ASSERT_TRUE(game.goTo("Scene::Title"));
    EXPECT_TRUE(game.getScene()->getMenu("menu/title")->getObject("tutorial")->isVisible());
    EXPECT_EQ(System::profile().get("Tutorial"), "1");
    ASSERT_TRUE(game.goTo("Scene::Extras"));
    ASSERT_TRUE(game.goTo("Scene::Title"));
    EXPECT_FALSE(game.getScene()->getMenu("menu/title")->getObject("tutorial")->isVisible());
}

TEST_F(FrontDoorTest, ChoosingALanguageReloadsFontsAndCatalogueEvenWhenItIsTheCurrentOne) {
    ASSERT_TRUE(game.goTo("Scene::Title"));
    for (const char* language : {"ru", "ru", "zh-HANT", "en"}) {
        SCOPED_TRACE(language);
        // Every choice sets the title up again, so its menus are looked up anew.
        ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
        ventrel::menu::Base* languages = title->getMenu("menu/localization");
        ASSERT_NE(languages, nullptr);
        const System::DataManager* before = System::dataManager;
        game.click(title, "button_localization");
        ASSERT_TRUE(game.waitForInput(languages));
        game.click(languages, language);
        ASSERT_TRUE(game.waitForScene("Scene::Title"));
        EXPECT_EQ(gui::getLocalization(), language);
        EXPECT_EQ(System::profile().get("Language"), language);
        EXPECT_NE(System::dataManager, before) << "the catalogue was built again";
        ASSERT_NE(fonts::renderer->getFont("default"), nullptr);
    }
    EXPECT_TRUE(fonts::renderer->getFont("default")->hasGlyph(U'Ж'));
    EXPECT_TRUE(fonts::renderer->getFont("default")->hasGlyph(U'乾'));
}

// The language menu is modal: a click on a flag picks that language and nothing under it, and the
// title's flag then shows the language in use.
TEST_F(FrontDoorTest, EachFlagChangesTheLanguageAndNothingElse) {
    ASSERT_TRUE(game.goTo("Scene::Title"));
    int round = 0;
    for (const char* language : {"fr", "de", "ru", "cs", "es", "pt", "zh-HANT", "en"}) {
        SCOPED_TRACE(language);
        // Flags lie over other title buttons at some window sizes.
        if (round++ % 2 == 0) {
            game.useWindow(1366, 768);
        } else {
            game.useWindow(1024, 768);
        }
        ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
        ventrel::menu::Base* languages = title->getMenu("menu/localization");
        ASSERT_NE(languages, nullptr);
        game.click(title, "button_localization");
        ASSERT_TRUE(game.waitForInput(languages));
        // A hand moves, presses and lets go over a few frames.
        gui::Object* flagButton = languages->getObject(language);
        ASSERT_NE(flagButton, nullptr);
        host::TestDriver::At at = flagButton->getBoundingRect().getCenter();
        game.getDriver().mouseMove(at);
        game.getDriver().step(2);
        game.getDriver().mouseDown(at);
        game.getDriver().step(3);
        game.getDriver().mouseUp(at);
        game.getDriver().step(30);
        EXPECT_EQ(ventrel::sceneManager->getCurrentSceneName(), "Scene::Title")
            << "a title button took the click";
        EXPECT_FALSE(ventrel::sceneManager->hasNextScene());
        EXPECT_EQ(ventrel::sceneManager->getActiveOverlay(), nullptr);
        ASSERT_TRUE(game.waitForScene("Scene::Title"));
        EXPECT_EQ(gui::getLocalization(), language);
        title = game.getScene()->getMenu("menu/title");
        auto* flag = dynamic_cast<gui::ImageButton*>(title->getObject("button_localization"));
        ASSERT_NE(flag, nullptr);
        EXPECT_EQ(flag->getImageName(), kit::String("gui.flags/") + language);
        EXPECT_FALSE(title->getMenu("menu/localization")->isVisible());
    }
}

// A controller plugged in while the game runs works at once; pulled out in the middle of a press, it
// lets go of its button and hands the game back to mouse and keyboard, its focus ring gone.
TEST_F(FrontDoorTest, AControllerComesAndGoesWhileTheGameRuns) {
    ASSERT_TRUE(game.goTo("Scene::Title"));
    host::TestDriver& driver = game.getDriver();
    ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
    int pad = driver.plugController();
    ASSERT_GE(pad, 0);
    driver.step(3);
    driver.setControllerButton(pad, host::Button::DPadDown, true);
    driver.step(2);
    driver.setControllerButton(pad, host::Button::DPadDown, false);
    driver.step(3);
    EXPECT_EQ(host::window->getInputMode(), host::Window::InputMode::Controller);
    EXPECT_NE(title->getDataset()->getFocusedObject(), nullptr) << "the controller moves the focus at once";

    // Pulled out while a button is held down.
    driver.setControllerButton(pad, host::Button::DPadRight, true);
    driver.step(2);
    ASSERT_TRUE(ventrel::input->isButtonPressed(host::Button::DPadRight));
    driver.unplugController(pad);
    driver.step(3);
    EXPECT_FALSE(ventrel::input->isButtonPressed(host::Button::DPadRight)) << "the button stays held";
    EXPECT_EQ(host::window->getInputMode(), host::Window::InputMode::Mouse);
    EXPECT_EQ(title->getDataset()->getFocusedObject(), nullptr) << "the focus ring stays on screen";
    game.click(title, "button_help");
    ASSERT_TRUE(game.waitForScene("Scene::Help")) << "the mouse takes over";

    // Plugged in again, it plays again.
    pad = driver.plugController();
    ASSERT_GE(pad, 0);
    driver.step(3);
    driver.setControllerButton(pad, host::Button::B, true);
    driver.step(2);
    driver.setControllerButton(pad, host::Button::B, false);
    EXPECT_TRUE(game.waitForScene("Scene::Title")) << "B goes back";
    driver.unplugController(pad);
    driver.step(2);
}

TEST_F(FrontDoorTest, SettingsApplyAtOnceAndTheWindowOnConfirm) {
    ASSERT_TRUE(game.goTo("Scene::Settings"));
    ventrel::menu::Base* settings = game.getScene()->getMenu("menu/settings");
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(game.waitForInput(settings));
    int volume = kit::toInt(System::profile().get("SoundVolume"));
    game.click(settings, "SoundVolume_decrease");
    game.getDriver().step(2);
    EXPECT_EQ(kit::toInt(System::profile().get("SoundVolume")), volume - 5);
    EXPECT_FLOAT_EQ(audio::manager->getCategoryGain("sound"), (volume - 5) / 100.0f) << "audible at once";
    bool fullscreen = host::window->isFullscreen();
    game.click(settings, "Fullscreen_value");
    game.getDriver().step(2);
    EXPECT_EQ(host::window->isFullscreen(), fullscreen) << "the window waits for confirm";
    game.click(game.getScene(), "button_ok");
    ASSERT_TRUE(game.waitForScene("Scene::Title"));
    EXPECT_NE(host::window->isFullscreen(), fullscreen);
    EXPECT_EQ(kit::toBool(System::profile().get("Fullscreen")), !fullscreen);
}

TEST_F(FrontDoorTest, ThePromotionCornerOpensThePagesAndUnlocksTheHiddenCharacter) {
    ASSERT_TRUE(game.goTo("Scene::Title"));
    ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
    game.click(title, "button_more_games");
    game.getDriver().step(2);
    game.click(title, "button_fb_like");
    ventrel::menu::Dialog* message = ventrel::sceneManager->findDialog("menu/dialog/ok");
    ASSERT_TRUE(game.waitForInput(message));
    EXPECT_TRUE(System::isCharacterUnlocked("17"));
    game.click(message, "button_dialog_0");
    game.getDriver().step(10);
    game.click(title, "button_shirt");
    ventrel::menu::Dialog* shirt = ventrel::sceneManager->findDialog("menu/dialog/shirt");
    ASSERT_TRUE(game.waitForInput(shirt));
    game.click(shirt, "button_dialog_0");
    game.getDriver().step(10);
    EXPECT_EQ(game.getDriver().getOpenedUrls(), (kit::Array<kit::String>{"https://morrowleaf.example/games",
                                                                         "https://morrowleaf.example/social",
                                                                         "https://morrowleaf.example/shop"}));
}

}  // namespace

namespace {

// A player's whole way through the front door, by clicks alone: the disclaimer, the logos, every
// screen of the title and the extras and back, a language and back, and the quit question.
TEST(FrontDoorWalkTest, FromTheDisclaimerThroughEveryScreenToQuit) {
    e2etest::GameSession game;
    ASSERT_TRUE(game.waitForScene("Scene::Disclaimer"));
    game.click(game.getScene(), "button_ok");
    ASSERT_TRUE(game.waitForScene("Scene::Logos"));
    // A click skips to the next logo; the last one leads to the title.
    ASSERT_TRUE(game.getDriver().stepUntil(
        [&] {
            if (ventrel::sceneManager->getCurrentSceneName() == "Scene::Logos" &&
                game.getScene()->isInputAllowed()) {
                game.getDriver().click(quadrix::Vector2(512, 384));
            }
            return ventrel::sceneManager->getCurrentSceneName() == "Scene::Title";
        },
        900));
    ASSERT_TRUE(game.waitForScene("Scene::Title"));

    const struct {
        const char* button;
        const char* scene;
        const char* back;
        bool inMenu;
    } ways[] = {
        {"button_settings", "Scene::Settings", "button_ok", false},
        {"button_help", "Scene::Help", "button_ok", false},
        {"button_credits", "Scene::Credits", "button_ok", false},
        {"button_extras", "Scene::Extras", "button_back", true},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.scene);
        game.click(game.getScene()->getMenu("menu/title"), way.button);
        ASSERT_TRUE(game.waitForScene(way.scene));
        ventrel::system::Context* screen = game.getScene();
        if (way.inMenu) {
            screen = game.getScene()->getMenus().front();
        }
        game.click(screen, way.back);
        ASSERT_TRUE(game.waitForScene("Scene::Title"));
    }

    // A new language sets the title up again: its menus are looked up anew each time.
    for (const char* language : {"ru", "zh-HANT", "en"}) {
        ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
        ventrel::menu::Base* languages = title->getMenu("menu/localization");
        game.click(title, "button_localization");
        ASSERT_TRUE(game.waitForInput(languages));
        game.click(languages, language);
        ASSERT_TRUE(game.waitForScene("Scene::Title"));
        EXPECT_EQ(gui::getLocalization(), language);
    }

    ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
    ventrel::menu::Overlay* quit = ventrel::sceneManager->findOverlay("menu/overlay/quit");
    game.click(title, "button_exit");
    ASSERT_TRUE(game.waitForInput(quit));
    game.click(quit, "button_no");
    ASSERT_TRUE(game.getDriver().stepUntil([&] { return !quit->isVisible(); }, 60));
    game.getDriver().requestQuit();
    ASSERT_TRUE(game.waitForInput(quit));
    game.click(quit, "button_yes");
    game.getDriver().stepUntil([] { return false; }, 60);
    EXPECT_TRUE(game.getDriver().isFinished());
}

}  // namespace

namespace {

// With the controller alone: its directions move the focus over the title's buttons and A presses
// the focused one; B (back) on the next screen leads home again.
TEST(FrontDoorControllerTest, TheTitleIsPlayedWithTheControllerAlone) {
    e2etest::GameSession game;
    ASSERT_TRUE(game.goTo("Scene::Title"));
    ventrel::menu::Base* title = game.getScene()->getMenu("menu/title");
    host::TestDriver& driver = game.getDriver();
    auto focused = [&] {
        gui::Object* object = title->getDataset()->getFocusedObject();
        return object ? object->getName() : kit::String();
    };
    for (int press = 0; press < 8 && focused() != "button_help"; ++press) {
        driver.pressButton(host::Button::DPadDown);
        driver.step(2);
        if (focused() == "button_help") {
            break;
        }
        driver.pressButton(host::Button::DPadRight);
        driver.step(2);
    }
    ASSERT_EQ(focused(), "button_help");
    driver.pressButton(host::Button::A);
    ASSERT_TRUE(game.waitForScene("Scene::Help"));
    driver.pressButton(host::Button::B);
    EXPECT_TRUE(game.waitForScene("Scene::Title"));
}

// The key legend names the buttons as printed on the controller in hand: letters on most, shapes on
// a PlayStation pad, in the game's language.
TEST(FrontDoorControllerTest, TheLegendNamesTheButtonsOfTheControllerInHand) {
    e2etest::GameSession game;
    host::TestDriver& driver = game.getDriver();
    auto legend = [&] {
        EXPECT_TRUE(game.goTo("Scene::Title"));
        EXPECT_TRUE(game.goTo("Scene::Help"));
        return System::getLabelText(game.getScene()->getMenu("menu/help"), "label_keys");
    };
    EXPECT_TRUE(kit::contains(legend(), "Enter or A:"));
    EXPECT_TRUE(kit::contains(legend(), "Backspace or Y:"));
    int pad = driver.plugController(host::Window::ControllerFamily::PlayStation);
    ASSERT_GE(pad, 0);
    driver.step(3);
    kit::String shapes = legend();
    EXPECT_TRUE(kit::contains(shapes, "Enter or Cross:")) << shapes;
    EXPECT_TRUE(kit::contains(shapes, "Escape or Circle:"));
    EXPECT_TRUE(kit::contains(shapes, "Backspace or Triangle:"));
    gui::setLocalization("de");
    EXPECT_TRUE(kit::contains(legend(), "Kreuz"));
    gui::setLocalization("en");
    driver.unplugController(pad);
}

}  // namespace
