// The layouts carry stand-in values (a player called "Alex", sips 3 to 16, "21:45") for the viewer and
// the gallery; the game must show its own values instead, from the first frame a label is seen. Here
// the stand-ins are replaced by a mark, and after every frame of a walk through every scene, menu,
// dialog and overlay the bots reach (a board of fourteen played by mouse, its pause menu and status
// list, double stakes, the warning, and a board resumed with its question open) no visible label may
// show it.
#include <gtest/gtest.h>
#include <gui/Gui.h>
#include <gui/Label.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <ventrel/menu/Overlay.h>

#include <set>

#include "BoardPlay.h"
#include "Menu/InGame/Status.h"
#include "Menu/Title.h"
#include "ShownObjects.h"

namespace e2etest {
namespace {

// Marks the stand-ins for as long as it lives; the data sets read the mode when they load.
class MarkedSamples {
public:
    MarkedSamples() { gui::setSampleMode(gui::SampleMode::Marked); }
    ~MarkedSamples() { gui::setSampleMode(gui::SampleMode::Off); }
    MarkedSamples(const MarkedSamples&) = delete;
    MarkedSamples& operator=(const MarkedSamples&) = delete;
};

class SampleValues : public ::testing::Test {
protected:
    MarkedSamples marked;
    GameSession session;
    kit::String doing = "starting";
    std::set<kit::String> faults;
    int looks = 0;

    void SetUp() override {
        ASSERT_TRUE(session.waitForScene());
        session.useWindow(1366, 768);
        session.getDriver().setFrameWatch([this] { _look(); });
    }
    void TearDown() override { session.getDriver().setFrameWatch(nullptr); }

    host::TestDriver& driver() { return session.getDriver(); }

private:
    // What the frame showed, on every screen of the manager.
    void _look() {
        ++looks;
        if (ventrel::scene::Base* scene = ventrel::sceneManager->getScene()) {
            _lookAt(scene);
        }
        for (ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
            if (dialog->isVisible()) {
                _lookAt(dialog);
            }
        }
        for (ventrel::menu::Overlay* overlay : ventrel::sceneManager->getOverlays()) {
            if (overlay->isVisible()) {
                _lookAt(overlay);
            }
        }
    }

    void _lookAt(ventrel::system::Context* screen) {
        forEachShown(screen, [&](gui::Object* object) {
            auto* label = dynamic_cast<gui::Label*>(object);
            if (label && label->getText().find(gui::SampleMark) != kit::String::npos) {
                faults.insert(screen->getName() + " " + label->getName() + " while " + doing);
            }
        });
    }
};

TEST_F(SampleValues, NoVisibleLabelShowsALayoutStandIn) {
    kit::seedRandom(34);
    for (const kit::String& scene : ventrel::sceneManager->getSceneNames()) {
        if (scene == "Scene::Logos") {
            continue;
        }
        doing = "visiting " + scene;
        if (scene == "Scene::Board") {
            newGame(14, Layout::Planets, FieldSet::Classic);
        }
        EXPECT_TRUE(session.goTo(scene)) << scene;
        driver().step(20);
    }
    for (ventrel::menu::Overlay* overlay : ventrel::sceneManager->getOverlays()) {
        doing = "showing " + overlay->getName();
        overlay->show();
        driver().step(20);
        overlay->hide();
        driver().step(10);
    }

    doing = "playing fourteen on the classic board";
    OpenBoard* board = startBoard(session, 14, Layout::Classic, FieldSet::Shuffle);
    ASSERT_NE(board, nullptr);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    ASSERT_TRUE(play.playTurns(8));

    doing = "looking at the pause menu";
    ASSERT_TRUE(play.playUntil([&] {
        return game().getTurnPhase() == TurnPhase::Start && board->isInputAllowed() &&
               isShown(board->getGui(), "button_menu") && !board->getRollDice()->isVisible() && !openDialog();
    }));
    for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
        session.click(board->getGui(), "button_menu");
        driver().step(10);
    }
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    Menu::InGame::Status* status = board->getMainMenu()->getStatus();
    player(3).getAlcoTestData()->setPermille(50);
    player(3).getAlcoTestData()->setVolume(500.0f);
    player(3).getAlcoTestData()->setWeight(80000.0f);
    status->refresh();
    driver().step(5);
    session.click(status, "button_player_alco_test_data_3");
    driver().step(10);
    session.click(status, "button_player_delete_2");
    ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 60));
    session.click(openDialog(), "button_dialog_0");
    driver().step(10);
    ASSERT_TRUE(session.waitForInput(board->getMainMenu()));
    session.click(board->getMainMenu(), "button_continue");
    driver().step(20);

    doing = "offering double stakes";
    ASSERT_TRUE(play.playUntil([] { return game().getTurnPhase() == TurnPhase::Start && !openDialog(); }));
    throwFrom(board, 39, 3);
    ASSERT_TRUE(play.playTurns(2));

    doing = "warning the current player";
    ASSERT_TRUE(play.playUntil([] { return game().getTurnPhase() == TurnPhase::Start && !openDialog(); }));
    Game::AlcoTestData* data = game().getCurrentPlayer()->getAlcoTestData();
    data->setPermille(400);
    data->setVolume(40.0f);
    data->setWeight(60000.0f);
    game().getCurrentPlayer()->addDrinks(15);
    ASSERT_TRUE(play.playTurns(2));

    doing = "resuming with the question open";
    ASSERT_TRUE(play.playUntil([] { return openDialog() != nullptr; }));
    ASSERT_TRUE(session.goTo("Scene::Title"));
    session.click(session.getScene()->getMenu("menu/title"), "button_resume");
    ASSERT_TRUE(driver().stepUntil([] { return openDialog() != nullptr; }, 600));
    ASSERT_TRUE(play.playTurns(3));

    EXPECT_GT(looks, 500);
    EXPECT_TRUE(faults.empty()) << faults.size() << " stand-ins shown:\n"
                                << kit::join(kit::Array<kit::String>(faults.begin(), faults.end()), "\n");
}

}  // namespace
}  // namespace e2etest
