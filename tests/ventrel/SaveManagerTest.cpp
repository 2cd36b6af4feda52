#include <gtest/gtest.h>
#include <kit/File.h>
#include <serial/Factory.h>
#include <serial/Serial.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/Profile.h>
#include <ventrel/system/SaveManager.h>

#include <memory>

#include "LogCapture.h"
#include "TempFolder.h"

using namespace ventrel::system;

namespace {

// A game's own state with variables of its own.
class TestState : public GameState {
public:
    int turn = 0;
    kit::String player;
    kit::String _serialName() const override { return "Test::SaveState"; }
    kit::Array<serial::Variable> _serialVars() override {
        kit::Array<serial::Variable> vars = GameState::_serialVars();
        vars.push_back(serial::Variable("turn", &turn));
        vars.push_back(serial::Variable("player", &player));
        return vars;
    }
};

class NotAState : public serial::Serializable {
public:
    kit::String _serialName() const override { return "Test::NotAState"; }
};

const bool registered =
    serial::Factory::add<TestState>("Test::SaveState") && serial::Factory::add<NotAState>("Test::NotAState");

class Saves : public ::testing::Test {
protected:
    void SetUp() override {
        ventrel::core = &core;
        saves.setPath(folder.path);
    }
    void TearDown() override { ventrel::core = nullptr; }

    std::unique_ptr<TestState> loadInto(const kit::String& name) {
        std::unique_ptr<GameState> state = saves.loadGame(name);
        if (!dynamic_cast<TestState*>(state.get())) {
            return nullptr;
        }
        return std::unique_ptr<TestState>(static_cast<TestState*>(state.release()));
    }

    Core core{"gui", "dev", "game", kit::Version(2, 5, 7, 0)};
    TempFolder folder;
    SaveManager saves;
};

}  // namespace

TEST_F(Saves, RoundTripKeepsEveryVariableAndTheVersion) {
    TestState state;
    state.setup();
    state.start();
    state.setTime(12.5f);
    state.turn = 7;
    state.player = "Ž {x} [c=FF0000]%s";
    ASSERT_TRUE(saves.saveGame(&state, "one"));
    std::unique_ptr<TestState> back = loadInto("one");
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isLoaded());
    EXPECT_TRUE(back->isRunning());
    EXPECT_FALSE(back->isFinished());
    EXPECT_EQ(back->getTime(), 12.5f);
    EXPECT_EQ(back->turn, 7);
    EXPECT_EQ(back->player, state.player);
    EXPECT_EQ(saves.getLoadedVersion(), kit::Version(2, 5, 7, 0));
    EXPECT_GT(saves.loadTime(saves.makeNameGame("one")), 1700000000u);
    back->clear();
    state.clear();
}

TEST_F(Saves, DamageFallsBackToThePreviousSave) {
    TestState state;
    state.turn = 1;
    saves.saveGame(&state, "g");
    state.turn = 2;
    saves.saveGame(&state, "g");
    kit::String file = saves.makeNameGame("g");
    kit::String bytes = kit::File::readText(file);
    bytes[bytes.size() / 2] ^= 0x10;
    kit::File::write(file, bytes);
    EXPECT_TRUE(saves.existsGame("g"));
    std::unique_ptr<TestState> back = loadInto("g");
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->turn, 1);
}

TEST_F(Saves, FailuresAnswerNothingAndSayWhy) {
    {
        LogCapture log;
        EXPECT_EQ(saves.loadGame("missing"), nullptr);
        EXPECT_EQ(log.warnings,
                  (std::vector<std::string>{"Save not possible to load (CRC32 and backup failed): " +
                                            saves.makeNameGame("missing")}));
    }
    kit::File::write(saves.makeNameGame("junk"), "not a save");
    {
        LogCapture log;
        EXPECT_EQ(saves.loadGame("junk"), nullptr);
        EXPECT_EQ(log.warnings.back(), "Loading game failed: Loaded data is NULL!");
    }
    NotAState other;
    kit::Stream data;
    data.dump(0);
    for (int i = 0; i < 4; ++i)
        data.dump(1);
    ASSERT_TRUE(serial::serialize(data, &other));
    kit::File::write(saves.makeNameGame("other"), data.getBytes());
    {
        LogCapture log;
        EXPECT_EQ(saves.loadGame("other"), nullptr);
        EXPECT_EQ(log.warnings.back(),
                  "Loading game failed: Root object is not a ventrel::GameState derived instance!");
    }
}

TEST_F(Saves, NamesUseTheProfileFolderAndDeleteRemovesTheSet) {
    EXPECT_EQ(saves.makeNameSlot(3), folder.path + "/file3.sav");
    Profile player("P");
    ventrel::profile = &player;
    EXPECT_EQ(saves.makeNameSlot(3), folder.path + "/P/file3.sav");
    EXPECT_EQ(saves.makeNameAuto(), folder.path + "/P/auto.sav");
    saves.setSaveNameAuto("");
    EXPECT_EQ(saves.makeNameAuto(), folder.path + "/P/auto.sav");
    TestState state;
    ASSERT_TRUE(saves.saveAuto(&state));
    EXPECT_TRUE(saves.existsAuto());
    saves.deleteAuto();
    EXPECT_FALSE(saves.existsAuto());
    ventrel::profile = nullptr;
}
