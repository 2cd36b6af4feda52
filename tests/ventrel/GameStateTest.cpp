#include <gtest/gtest.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TempState.h>

#include "LogCapture.h"

using ventrel::system::GameState;

TEST(GameState, GuardedStepsWarnAndChangeNothing) {
    GameState state;
    LogCapture log;
    state.start();
    EXPECT_FALSE(state.isRunning());
    state.finish();
    state.resume();
    state.setup();
    state.start();
    state.start();
    state.resume();
    state.finish();
    state.finish();
    state.resume();
    EXPECT_EQ(log.warnings, (std::vector<std::string>{
                                "Cannot start GameState, not set up!",
                                "Cannot finish GameState, not running!",
                                "Cannot resume GameState, not running!",
                                "Cannot start GameState, already running!",
                                "Cannot resume GameState, not finished!",
                                "Cannot finish GameState, already finished!",
                            }));
    EXPECT_TRUE(state.isRunning());
    EXPECT_FALSE(state.isFinished());
    state.clear();
}

TEST(GameState, ClockRunsOnlyWhileRunningAndNotFinished) {
    ventrel::system::SceneManager scenes;
    ventrel::sceneManager = &scenes;
    scenes.setTimeDelta(0.5f);
    GameState state;
    state.update();
    EXPECT_EQ(state.getTime(), 0.0f);
    state.setup();
    state.start();
    state.update();
    state.finish();
    state.update();
    EXPECT_EQ(state.getTime(), 0.5f);
    state.resume();
    state.update();
    EXPECT_EQ(state.getTime(), 1.0f);
    {
        LogCapture log;
        state.setup();  // set up again: cleared first
        EXPECT_EQ(log.warnings.size(), 1u);
    }
    EXPECT_EQ(state.getTime(), 0.0f);
    EXPECT_FALSE(state.isRunning());
    ventrel::sceneManager = nullptr;
    LogCapture log;
    {
        GameState leftSetUp;
        leftSetUp.setup();
    }
    EXPECT_EQ(log.warnings, (std::vector<std::string>{"GameState not cleared before deleting!"}));
    state.clear();
}

TEST(GameState, TimeStrings) {
    GameState state;
    state.setTime(59.9f);
    EXPECT_EQ(state.getTimeString(false), "00:59");
    state.setTime(3600);
    EXPECT_EQ(state.getTimeString(false), "60:00");
    EXPECT_EQ(state.getTimeString(true), "01:00:00");
    state.setTime(0);
    EXPECT_EQ(state.getTimeString(true), "00:00:00");
    EXPECT_EQ(ventrel::makeTimeString(0).size(), 24u);
}

TEST(TempState, ClearKeepsTheLoadingProgress) {
    ventrel::system::TempState temp;
    temp.setLoadingProgress(0.5f);
    temp.setNextFocusIndex("root;3");
    temp.clear();
    EXPECT_EQ(temp.getNextFocusIndex(), "0");
    EXPECT_EQ(temp.getLoadingProgress(), 0.5f);
}
