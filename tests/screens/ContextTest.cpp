#include <gui/ScrollArea.h>
#include <host/Host.h>
#include <kit/Strings.h>
#include <ventrel/system/Input.h>

#include "ScreensFixture.h"
#include "TestScreens.h"

namespace screenstest {
namespace {

using ContextTest = ScreensFixture;
using Mode = host::Window::InputMode;

kit::Array<kit::String> names(std::initializer_list<const char*> list) {
    return {list.begin(), list.end()};
}

TEST_F(ContextTest, ModalSubMenuReceivesAllInputAndIsTheOnlyOneUpdated) {
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    SubMenu* sub = scene->sub;
    sub->setAlwaysModal(true);
    sub->show();
    EXPECT_EQ(scene->getModalMenu(), sub);
    step(2);
    int sceneLogic = scene->logicUpdates;
    int sceneDisplay = scene->displayUpdates;
    int subLogic = sub->logicUpdates;

    click(scene->getObject("button_a"));
    click(sub->getObject("button_sub"));
    step(2);
    EXPECT_TRUE(scene->clicked.empty());
    EXPECT_EQ(sub->clicked, names({"button_sub"}));
    EXPECT_EQ(scene->logicUpdates, sceneLogic);
    EXPECT_EQ(scene->displayUpdates, sceneDisplay + 2);
    EXPECT_EQ(sub->logicUpdates, subLogic + 2);

    // Hiding the modal menu gives the owner its updates and input back in the next frame.
    sub->hide();
    EXPECT_EQ(scene->getModalMenu(), nullptr);
    step(1);
    EXPECT_EQ(scene->logicUpdates, sceneLogic + 1);
    EXPECT_TRUE(scene->isInputAllowed());
    click(scene->getObject("button_a"));
    step(1);
    EXPECT_EQ(scene->clicked, names({"button_a"}));
}

// A click on a button without a handler only sounds, so the next queued click still runs; a handled
// click ends the frame's dispatch and blocks input for the rest of the frame.
TEST_F(ContextTest, SecondClickOfAFrameRunsOnlyWhenTheFirstLetsIt) {
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    click(scene->getObject("button_plain"));
    click(scene->getObject("button_b"));
    step(1);
    EXPECT_EQ(scene->clicked, names({"button_b"}));
    EXPECT_FALSE(scene->isInputAllowed());

    step(1);
    click(scene->getObject("button_a"));
    click(scene->getObject("button_b"));
    step(3);
    EXPECT_EQ(scene->clicked, names({"button_b", "button_a"}));
    EXPECT_FALSE(scene->isCallbackQueued());
}

TEST_F(ContextTest, WaitForRefusesInputOnTheWholeTreeForThatLong) {
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    scene->waitFor(0.5f);
    EXPECT_FLOAT_EQ(scene->sub->getWaitTime(), 0.5f);
    int start = driver->getFrameCount();
    step(5);
    EXPECT_FALSE(scene->isInputAllowed());
    EXPECT_FALSE(scene->sub->isInputAllowed());
    click(scene->getObject("button_a"));
    ASSERT_TRUE(stepUntil([&] { return scene->isInputAllowed(); }));
    int frames = driver->getFrameCount() - start;
    EXPECT_GE(frames, 10);
    EXPECT_LE(frames, 11);
    EXPECT_TRUE(scene->clicked.empty());

    scene->waitFor(-1.0f);
    EXPECT_EQ(scene->getWaitTime(), 0.0f);
    EXPECT_EQ(scene->sub->getWaitTime(), 0.0f);
}

TEST_F(ContextTest, TouchPreselectableButtonNeedsTwoTaps) {
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>(); });
    gui::Object* buttonC = scene->getObject("button_c");
    gui::Object* mark = scene->getObject("button_c_preselected");
    driver->tap(centreOf(buttonC));
    step(2);
    ASSERT_EQ(host::window->getInputMode(), Mode::Touch);
    EXPECT_TRUE(scene->clicked.empty());
    EXPECT_TRUE(scene->matchPreselectedObject(buttonC));
    EXPECT_TRUE(mark->isVisible());

    driver->tap(centreOf(buttonC));
    step(2);
    EXPECT_EQ(scene->clicked, names({"button_c"}));
    EXPECT_EQ(scene->getPreselected(), nullptr);
    EXPECT_FALSE(mark->isVisible());

    // Other buttons answer the first tap.
    driver->tap(centreOf(scene->getObject("button_a")));
    step(1);
    EXPECT_EQ(scene->clicked, names({"button_c", "button_a"}));
}

// A sub-menu that notes, when it is deleted, what its screen still has.
class NotingMenu : public SubMenu {
public:
    NotingMenu(ventrel::system::Context* owner, kit::Array<kit::String>& notes)
        : SubMenu(owner), notes(notes) {}
    ~NotingMenu() override {
        notes.push_back(owner->getViewerset() ? "viewers kept" : "viewers gone");
        notes.push_back(owner->getDataset() && owner->getDataset()->getRoot() ? "data set kept"
                                                                              : "data set gone");
    }

private:
    kit::Array<kit::String>& notes;
};

class NotingScene : public MainScene {
public:
    explicit NotingScene(kit::Array<kit::String>& notes) : MainScene("scene/main"), notes(notes) {}

protected:
    void _setupMenus() override { _registerMenu(std::make_unique<NotingMenu>(this, notes)); }

private:
    kit::Array<kit::String>& notes;
};

// A screen's menus go after its viewers and before the data set whose objects they use.
TEST_F(ContextTest, AScreenDeletesItsViewersThenItsMenusThenItsDataSet) {
    kit::Array<kit::String> notes;
    {
        NotingScene scene(notes);
        scene.setup();
        ASSERT_NE(scene.getDataset(), nullptr);
        ASSERT_NE(scene.getViewerset(), nullptr);
    }
    EXPECT_EQ(notes, (kit::Array<kit::String>{"viewers gone", "data set kept"}));
}

class GridTest : public ScreensFixture {
protected:
    MainScene* startGrid(int count, int columns, bool wrap) {
        host::window->setInputMode(Mode::Controller);
        MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>("menu/grid"); });
        scene->setAutoFocusMode(count, columns, wrap);
        return scene;
    }
    int press(MainScene* scene, host::Button button) {
        driver->pressButton(button);
        step(2);
        return scene->getDataset()->getFocusedObjectIndex();
    }
    static void disable(MainScene* scene, std::initializer_list<int> indices) {
        for (int index : indices) {
            scene->getObject("button_" + kit::toString(index))->setEnabled(false);
        }
    }
};

TEST_F(GridTest, BoundedGridStaysInTheRowAndUpWithNothingAboveTakesTheLargest) {
    MainScene* scene = startGrid(9, 3, false);
    scene->getDataset()->removeFocus();
    EXPECT_EQ(press(scene, host::Button::DPadRight), 0);  // no focus: the first candidate
    ASSERT_TRUE(scene->setFocusIndex(4));
    EXPECT_EQ(press(scene, host::Button::DPadRight), 5);
    EXPECT_EQ(press(scene, host::Button::DPadRight), 5);
    EXPECT_EQ(press(scene, host::Button::DPadLeft), 4);
    EXPECT_EQ(press(scene, host::Button::DPadLeft), 3);
    EXPECT_EQ(press(scene, host::Button::DPadLeft), 3);
    EXPECT_EQ(press(scene, host::Button::DPadUp), 0);
    EXPECT_EQ(press(scene, host::Button::DPadUp), 0);
    ASSERT_TRUE(scene->setFocusIndex(7));
    EXPECT_EQ(press(scene, host::Button::DPadDown), 7);
    disable(scene, {1});
    EXPECT_EQ(press(scene, host::Button::DPadUp), 4);
    EXPECT_EQ(press(scene, host::Button::DPadUp), 8);
    disable(scene, {5, 8});
    ASSERT_TRUE(scene->setFocusIndex(2));
    EXPECT_EQ(press(scene, host::Button::DPadDown), 7);
}

TEST_F(GridTest, WrappingGridCyclesThroughTheEdges) {
    MainScene* scene = startGrid(9, 3, true);
    ASSERT_TRUE(scene->setFocusIndex(8));
    EXPECT_EQ(press(scene, host::Button::DPadRight), 0);
    EXPECT_EQ(press(scene, host::Button::DPadLeft), 8);
    ASSERT_TRUE(scene->setFocusIndex(1));
    EXPECT_EQ(press(scene, host::Button::DPadUp), 7);
    EXPECT_EQ(press(scene, host::Button::DPadDown), 1);
    disable(scene, {4});
    EXPECT_EQ(press(scene, host::Button::DPadDown), 7);
    disable(scene, {1});
    EXPECT_EQ(press(scene, host::Button::DPadDown), 7);  // the column holds nothing else
    EXPECT_EQ(press(scene, host::Button::DPadRight), 8);
    EXPECT_EQ(press(scene, host::Button::DPadDown), 2);
}

TEST_F(GridTest, NegativeFocusIndexBlocksInputButKeepsTheFocus) {
    MainScene* scene = startGrid(9, 3, false);
    ASSERT_TRUE(scene->setFocusIndex(2));
    step(2);
    ASSERT_TRUE(scene->isInputAllowed());
    EXPECT_FALSE(scene->setFocusIndex(-1));
    EXPECT_FALSE(scene->isInputAllowed());
    EXPECT_EQ(scene->getDataset()->getFocusedObjectIndex(), 2);
}

TEST_F(GridTest, LostFocusMovesToTheNearestCandidate) {
    MainScene* scene = startGrid(9, 3, false);
    disable(scene, {1, 2, 5, 6, 7});
    ASSERT_TRUE(scene->setFocusIndex(8));
    disable(scene, {8});
    scene->refresh();
    EXPECT_EQ(scene->getDataset()->getFocusedObjectIndex(), 4);
}

TEST_F(GridTest, StoredNextFocusIsTakenOnlyByTheScreenItNames) {
    ventrel::tempState->setNextFocusIndex("menu/grid;3");
    MainScene* scene = startGrid(9, 3, false);
    EXPECT_EQ(scene->getDataset()->getFocusedObjectIndex(), 3);
    EXPECT_EQ(ventrel::tempState->getNextFocusIndex(), "");

    ventrel::tempState->setNextFocusIndex("menu/elsewhere;5");
    ventrel::sceneManager->restartScene();
    ASSERT_TRUE(stepUntil([] { return ventrel::sceneManager->getScene()->isInputAllowed(); }));
    scene = static_cast<MainScene*>(ventrel::sceneManager->getScene());
    EXPECT_NE(scene->getDataset()->getFocusedObjectIndex(), 5);
    EXPECT_EQ(ventrel::tempState->getNextFocusIndex(), "menu/elsewhere;5");
}

TEST_F(GridTest, StoredNextFocusIsDroppedOutsideControllerMode) {
    ventrel::tempState->setNextFocusIndex("menu/grid;3");
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>("menu/grid"); });
    EXPECT_EQ(scene->getDataset()->getFocusedObjectIndex(), -1);
    EXPECT_EQ(ventrel::tempState->getNextFocusIndex(), "");
}

TEST_F(GridTest, FocusScrollsItsObjectIntoView) {
    host::window->setInputMode(Mode::Controller);
    MainScene* scene = startScene<MainScene>([] { return std::make_unique<MainScene>("menu/scroll"); });
    auto* list = static_cast<gui::ScrollArea*>(scene->getObject("scroll_list"));
    ASSERT_TRUE(scene->setFocusIndex(2));
    EXPECT_EQ(list->getScrollOffset().y, 700.0f);  // its bottom edge at the area's bottom
    ASSERT_TRUE(scene->setFocusIndex(1));
    EXPECT_EQ(list->getScrollOffset().y, 300.0f);  // its top edge at the area's top
    ASSERT_TRUE(scene->setFocusIndex(0));
    EXPECT_EQ(list->getScrollOffset().y, 0.0f);
}

}  // namespace
}  // namespace screenstest
