#include <kit/DuplicateResourceException.h>
#include <kit/Format.h>
#include <kit/ResourceNotExistsException.h>
#include <ventrel/menu/Dialog.h>

#include "EngineFixture.h"

using namespace enginetest;
using ventrel::sceneManager;
using ventrel::transitionManager;
using Level = kit::Log::Level;

namespace {

// Centres of the test screens' buttons, in GUI units.
const host::TestDriver::At SceneButton(256, 192);
const host::TestDriver::At OverlayButton(768, 576);
const host::TestDriver::At DialogButton1(768, 576);

}  // namespace

class SceneManagerTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        startEngine();
        registerScenes();
    }

    // Starts with scene A set up and running.
    void runFirstScene() {
        sceneManager->switchScene("Scene::A");
        ASSERT_TRUE(stepUntil([&] { return scene() && scene()->isRunning(); }, 5));
        driver->step(2);
    }

    TestOverlay* addOverlay(bool animated) {
        return static_cast<TestOverlay*>(
            sceneManager->registerOverlay(std::make_unique<TestOverlay>(animated)));
    }
};

TEST_F(SceneManagerTest, FirstFramesSetUpTheSceneWithInputBlockedAndNoTimeStep) {
    sceneManager->switchScene("Scene::A");
    EXPECT_EQ(scene()->getRootName(), "scene");
    EXPECT_FALSE(sceneManager->hasNextScene());

    driver->step(1);
    EXPECT_TRUE(sceneManager->isRunning());
    EXPECT_FALSE(scene()->isRunning());

    driver->step(1);
    EXPECT_TRUE(scene()->isRunning());
    EXPECT_FALSE(scene()->inputAllowedAtSetup);
    EXPECT_FALSE(scene()->isInputAllowed());
    EXPECT_EQ(sceneManager->getTimeDelta(), 0.0f);

    driver->step(1);
    EXPECT_EQ(sceneManager->getTimeDelta(), 0.0f) << "the frame after a set-up uses 0";
    driver->step(1);
    EXPECT_FLOAT_EQ(sceneManager->getTimeDelta(), 0.05f);
}

TEST_F(SceneManagerTest, SwitchWaitsFinishesRunsTheTransitionAndSetsUpTheNextScene) {
    runFirstScene();
    TestScene* first = scene();
    transitionManager->activate(1, 0.25f, 0.25f, false);
    first->waitBeforeSwitch(0.2f);
    sceneManager->switchScene("Scene::B");
    ASSERT_TRUE(sceneManager->hasNextScene());
    EXPECT_EQ(sceneManager->getCurrentSceneName(), "Scene::B");
    EXPECT_EQ(sceneManager->getPreviousSceneName(), "Scene::A");

    // The wait time holds the switch back; the scene keeps running meanwhile.
    int waitingFrames = 0;
    while (first->isWaitingBeforeSceneSwitch()) {
        EXPECT_FALSE(first->isFinished());
        driver->step(1);
        ASSERT_LT(++waitingFrames, 20);
    }
    EXPECT_GE(waitingFrames, 4);

    ASSERT_TRUE(stepUntil([&] { return first->isFinished(); }, 3));
    EXPECT_EQ(transition()->starts, 1);
    EXPECT_TRUE(transitionManager->isStarting());
    EXPECT_FALSE(transitionManager->isActivated());

    // The old scene lives until the transition's start phase has ended.
    driver->step(2);
    EXPECT_EQ(scene(), first);
    EXPECT_EQ(TestScene::alive, 2);

    ASSERT_TRUE(stepUntil([&] { return scene() != first; }, 60));
    EXPECT_EQ(TestScene::alive, 1);
    EXPECT_FALSE(sceneManager->hasNextScene());
    ASSERT_TRUE(stepUntil([&] { return scene()->isRunning(); }, 3));
    EXPECT_FALSE(scene()->inputAllowedAtSetup);
    EXPECT_EQ(scene()->getPlaylistName(), "board");

    ASSERT_TRUE(stepUntil([&] { return !transitionManager->isRunning(); }, 5));
    EXPECT_EQ(transition()->finishes, 1);
}

TEST_F(SceneManagerTest, SwitchWaitsForAnOverlayAnimation) {
    addOverlay(true);
    runFirstScene();
    TestScene* first = scene();
    sceneManager->showOverlay("overlay");
    sceneManager->switchScene("Scene::B");
    driver->step(1);
    ASSERT_TRUE(sceneManager->findOverlay("overlay")->isVisibilityAnimated());
    int frames = 0;
    while (sceneManager->findOverlay("overlay")->isVisibilityAnimated()) {
        EXPECT_FALSE(first->isFinished());
        driver->step(1);
        ASSERT_LT(++frames, 60);
    }
    ASSERT_TRUE(stepUntil([&] { return scene() != first; }, 5));
}

TEST_F(SceneManagerTest, SecondSwitchWhilePendingIsRefused) {
    runFirstScene();
    LogLines log;
    sceneManager->registerSceneFactory("Scene::C", [] { return std::make_unique<TestScene>(); });
    sceneManager->switchScene("Scene::B");
    sceneManager->switchScene("Scene::C");
    EXPECT_TRUE(log.has(Level::Warn, "Cannot switch to scene 'Scene::C', already switching to 'Scene::B'!"));
    EXPECT_EQ(sceneManager->getCurrentSceneName(), "Scene::B");
    EXPECT_EQ(TestScene::alive, 2);
    EXPECT_TRUE(log.has(Level::Write, "Switching scene: Scene::B"));
    EXPECT_EQ(log.count("Switching scene: Scene::C"), 0);
}

TEST_F(SceneManagerTest, UnregisteredSceneNameThrowsWithoutChangingState) {
    runFirstScene();
    EXPECT_THROW(sceneManager->switchScene("Scene::Nope"), kit::ResourceNotExistsException);
    EXPECT_EQ(sceneManager->getCurrentSceneName(), "Scene::A");
    EXPECT_FALSE(sceneManager->hasNextScene());
}

TEST_F(SceneManagerTest, PreviousSceneAndRestart) {
    LogLines log;
    sceneManager->switchPreviousScene();
    EXPECT_TRUE(log.has(Level::Error, "Cannot switch to previous scene, there is none!"));
    EXPECT_EQ(sceneManager->getScene(), nullptr);
    sceneManager->restartScene();
    EXPECT_TRUE(log.has(Level::Warn, "No current scene for restart."));

    runFirstScene();
    TestScene* first = scene();
    sceneManager->restartScene();
    EXPECT_TRUE(log.has(Level::Write, "Restarting scene: Scene::A"));
    ASSERT_TRUE(sceneManager->hasNextScene());
    sceneManager->restartScene();
    EXPECT_TRUE(log.has(Level::Warn, "Cannot restart scene, already switching to 'Scene::A'!"));
    ASSERT_TRUE(stepUntil([&] { return scene() != first && scene()->isRunning(); }, 10));
    EXPECT_EQ(scene()->getPlaylistName(), "title");
    EXPECT_EQ(TestScene::alive, 1);

    sceneManager->switchScene("Scene::B");
    ASSERT_TRUE(stepUntil([&] { return !sceneManager->hasNextScene(); }, 10));
    sceneManager->switchPreviousScene();
    EXPECT_EQ(sceneManager->getCurrentSceneName(), "Scene::A");
}

TEST_F(SceneManagerTest, ActiveOverlaySwallowsInputAndStopsTheSceneUpdate) {
    addOverlay(false);
    runFirstScene();
    driver->click(SceneButton);
    driver->step(2);
    ASSERT_EQ(scene()->clicks, 1);

    sceneManager->showOverlay("overlay");
    EXPECT_EQ(sceneManager->getActiveOverlay(), sceneManager->findOverlay("overlay"));
    int updates = scene()->updates;
    driver->click(SceneButton);
    driver->step(3);
    EXPECT_EQ(scene()->clicks, 1);
    EXPECT_EQ(scene()->updates, updates);

    sceneManager->hideOverlay("overlay");
    EXPECT_FALSE(sceneManager->hasActiveOverlay());
    driver->step(1);
    driver->click(SceneButton);
    driver->step(2);
    EXPECT_EQ(scene()->clicks, 2);
}

TEST_F(SceneManagerTest, ShowOverlayDuringItsAnimationDoesNothing) {
    TestOverlay* overlay = addOverlay(true);
    runFirstScene();
    sceneManager->showOverlay("overlay");
    driver->step(1);
    ASSERT_TRUE(overlay->isVisibilityAnimated());
    sceneManager->hideOverlay("overlay");
    EXPECT_TRUE(overlay->isVisibilityAnimated());
    ASSERT_TRUE(stepUntil([&] { return !overlay->isVisibilityAnimated(); }, 60));
    EXPECT_EQ(overlay->getRoot()->getAlpha(), 255) << "the refused hide left the fade-in alone";
}

TEST_F(SceneManagerTest, WaitForInputEndsOnClickEnterOrEscapeButNotUnderAModalOverlay) {
    addOverlay(false);
    runFirstScene();
    const char* targets[] = {"Scene::B", "Scene::A", "Scene::B"};
    for (int round = 0; round < 3; ++round) {
        transitionManager->activate(0, 0.0f, 0.0f, true);
        sceneManager->switchScene(targets[round]);
        ASSERT_TRUE(stepUntil([&] { return transition()->waitStarts == round + 1; }, 30));
        driver->step(3);
        EXPECT_TRUE(transitionManager->isRunning());

        sceneManager->showOverlay("overlay");
        driver->click(OverlayButton);
        driver->pressKey(host::Key::Enter);
        driver->pressKey(host::Key::Escape);
        driver->step(3);
        EXPECT_TRUE(transitionManager->isWaitForInput()) << "round " << round;
        sceneManager->hideOverlay("overlay");
        driver->step(1);

        if (round == 0) {
            driver->click(SceneButton);
        } else {
            driver->pressKey(round == 1 ? host::Key::Enter : host::Key::Escape);
        }
        ASSERT_TRUE(stepUntil([&] { return !transitionManager->isRunning(); }, 5)) << "round " << round;
        EXPECT_EQ(transition()->waitFinishes, round + 1);
        EXPECT_EQ(transition()->finishes, round + 1);
    }
}

TEST_F(SceneManagerTest, TimeStepIsClampedBetweenZeroAndATenth) {
    runFirstScene();
    driver->setTimeStep(0.5f);
    driver->step(1);
    EXPECT_FLOAT_EQ(sceneManager->getTimeDelta(), 0.1f);
    float time = sceneManager->getTime();
    sceneManager->update(-1.0f);
    EXPECT_EQ(sceneManager->getTimeDelta(), 0.0f);
    EXPECT_EQ(sceneManager->getTime(), time);
    sceneManager->advanceTime(0.5f);
    EXPECT_FLOAT_EQ(sceneManager->getTimeDelta(), 0.2f);
}

TEST_F(SceneManagerTest, QuitRequestGoesToTheCoreAndTheWindowStays) {
    runFirstScene();
    driver->requestQuit();
    EXPECT_TRUE(driver->step(2));
    EXPECT_EQ(core->quits, 1);
    EXPECT_FALSE(sceneManager->onQuit(true));
    EXPECT_EQ(core->quits, 2);
}

TEST_F(SceneManagerTest, ExitFinishesTheSceneAndEndsTheLoop) {
    runFirstScene();
    core->exitGame();
    EXPECT_FALSE(stepUntil([] { return false; }, 10));
    EXPECT_TRUE(driver->isFinished());
    EXPECT_FALSE(sceneManager->isRunning());
    EXPECT_TRUE(sceneManager->isFinished());
    EXPECT_EQ(TestScene::alive, 0) << "the finished scene was deleted";
}

TEST_F(SceneManagerTest, DialogAnswersTheCallerAndReleasesTheScene) {
    ventrel::menu::Dialog* dialog =
        sceneManager->registerDialog(std::make_unique<ventrel::menu::Dialog>("dialog", 2));
    runFirstScene();
    sceneManager->showDialog("dialog", scene(), scene(), "gui.Question", "Dialog:Test");
    EXPECT_EQ(scene()->getModalMenu(), dialog);
    EXPECT_EQ(ventrel::input->getCurrentState(), "Dialog:Test");
    driver->step(1);
    driver->click(DialogButton1);
    driver->step(3);
    EXPECT_EQ(scene()->answeredDialog, "dialog");
    EXPECT_EQ(scene()->answeredButton, 1);
    EXPECT_EQ(scene()->answeredContext, "Dialog:Test");
    EXPECT_EQ(scene()->getModalMenu(), nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(scene()->clicks, 0) << "the click went to the dialog alone";
}

// A scene that asks its question while it is set up, as a resumed game does.
class AskingScene : public TestScene {
public:
    void setup() override {
        TestScene::setup();
        sceneManager->showDialog("dialog", this, this, "gui.Question", "Dialog:Resumed");
    }
};

TEST_F(SceneManagerTest, QuestionAskedDuringSetUpKeepsItsContextAndIsAnswered) {
    ventrel::menu::Dialog* dialog =
        sceneManager->registerDialog(std::make_unique<ventrel::menu::Dialog>("dialog", 2));
    sceneManager->registerSceneFactory("Scene::Asking", [] { return std::make_unique<AskingScene>(); });
    runFirstScene();
    sceneManager->switchScene("Scene::Asking");
    ASSERT_TRUE(stepUntil([&] { return dynamic_cast<AskingScene*>(scene()) && scene()->isRunning(); }, 60));
    driver->step(3);
    ASSERT_TRUE(dialog->isVisible());
    EXPECT_EQ(ventrel::input->getCurrentState(), "Dialog:Resumed")
        << "the switch's reset kept the question's state";
    driver->click(DialogButton1);
    driver->step(3);
    EXPECT_EQ(scene()->answeredButton, 1);
    EXPECT_EQ(scene()->answeredContext, "Dialog:Resumed");
    EXPECT_EQ(ventrel::input->getCurrentState(), "Ventrel:Default");

    // Even with its state gone, a dialog answers with the context it was shown with and takes no other
    // screen's state.
    sceneManager->showDialog("dialog", scene(), scene(), "gui.Question", "Dialog:Again");
    ventrel::input->resetState();
    ventrel::input->addState("Other:Screen");
    driver->step(2);
    driver->click(DialogButton1);
    driver->step(3);
    EXPECT_EQ(scene()->answeredContext, "Dialog:Again");
    EXPECT_EQ(ventrel::input->getCurrentState(), "Other:Screen");
}

TEST_F(SceneManagerTest, RegistriesRefuseDoublesAndUnknownNames) {
    addOverlay(false);
    try {
        sceneManager->registerOverlay(std::make_unique<TestOverlay>(true));
        FAIL() << "registered twice";
    } catch (const kit::DuplicateResourceException& e) {
        EXPECT_EQ(e.getName(), "overlay");
        EXPECT_STREQ(e.what(), "overlay 'overlay' is registered in 'ventrel' already!");
    }
    EXPECT_EQ(sceneManager->getOverlays().size(), 1u);
    sceneManager->registerDialog(std::make_unique<ventrel::menu::Dialog>("dialog", 2));
    EXPECT_THROW(sceneManager->registerDialog(std::make_unique<ventrel::menu::Dialog>("dialog", 1)),
                 kit::DuplicateResourceException);
    try {
        sceneManager->findOverlay("menu/overlay/none");
        FAIL() << "found an unregistered overlay";
    } catch (const kit::ResourceNotExistsException& e) {
        EXPECT_EQ(e.getName(), "menu/overlay/none");
        EXPECT_EQ(e.getKind(), "overlay");
        EXPECT_EQ(e.getContainer(), "ventrel");
    }
    EXPECT_THROW(sceneManager->findDialog("menu/dialog/none"), kit::ResourceNotExistsException);
    EXPECT_THROW(sceneManager->findDataset("none"), kit::ResourceNotExistsException);

    LogLines log;
    sceneManager->getPlaylists().add("title", std::make_unique<audio::MultiPlaylist>());
    sceneManager->getPlaylists().add("title", std::make_unique<audio::MultiPlaylist>());
    EXPECT_TRUE(log.has(Level::Warn, "Playlist 'title' already registered, deleting old playlist!"));
    sceneManager->getPlaylists().tryPlay("nope");
    EXPECT_TRUE(log.has(Level::Warn, "Playlist 'nope' not registered!"));
}

namespace {

// Each screen notes, when it is deleted, what its manager still holds.
struct Deletions {
    const ventrel::system::SceneManager* manager = nullptr;
    kit::Array<kit::String> seen;

    void note(const kit::String& what) {
        seen.push_back(kit::format("%s, %d data sets left", what.c_str(),
                                   static_cast<int>(manager->getDatasets().size())));
    }
};
Deletions deletions;

class NotedScene : public TestScene {
public:
    explicit NotedScene(const kit::String& name) : name(name) {}
    ~NotedScene() override { deletions.note(name); }

private:
    kit::String name;
};

class NotedDialog : public ventrel::menu::Dialog {
public:
    NotedDialog() : Dialog("dialog", 1) {}
    ~NotedDialog() override { deletions.note("dialog"); }
};

class NotedOverlay : public TestOverlay {
public:
    NotedOverlay() : TestOverlay(false) {}
    ~NotedOverlay() override { deletions.note("overlay"); }
};

class NotedTransition : public ventrel::menu::Transition {
public:
    NotedTransition() : Transition(nullptr, "transition") {}
    ~NotedTransition() override { deletions.note("transition"); }
};

}  // namespace

// The screens go before the data sets whose objects and pictures they use, the current scene before
// the one it was switching to, and the menus in a fixed order, whatever order they were made in.
TEST_F(SceneManagerTest, AManagerDeletesItsScreensInAFixedOrderAndItsDataSetsLast) {
    auto manager = std::make_unique<ventrel::system::SceneManager>(std::make_unique<NotedTransition>());
    deletions = Deletions{manager.get(), {}};
    manager->registerDataset(std::make_unique<gui::Dataset>("data/none.dts", "first"));
    manager->registerOverlay(std::make_unique<NotedOverlay>());
    manager->registerDialog(std::make_unique<NotedDialog>());
    manager->registerDataset(std::make_unique<gui::Dataset>("data/none.dts", "second"));
    manager->registerSceneFactory("Scene::Current", [] { return std::make_unique<NotedScene>("current"); });
    manager->registerSceneFactory("Scene::Next", [] { return std::make_unique<NotedScene>("next"); });
    manager->switchScene("Scene::Current");
    manager->switchScene("Scene::Next");
    ASSERT_TRUE(manager->hasNextScene());

    manager.reset();
    EXPECT_EQ(deletions.seen,
              (kit::Array<kit::String>{"current, 2 data sets left", "next, 2 data sets left",
                                       "dialog, 2 data sets left", "overlay, 2 data sets left",
                                       "transition, 2 data sets left"}));
}

TEST_F(SceneManagerTest, NoInitialSceneIsAnError) {
    LogLines log;
    driver->step(2);
    EXPECT_TRUE(log.has(Level::Error, "There is no initial scene!"));
    EXPECT_TRUE(sceneManager->isRunning());
}
