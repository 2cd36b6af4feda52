#include <gtest/gtest.h>

#include <kit/Strings.h>

#include "GameWorld.h"
#include "System/TempState.h"

using System::HallOfFameRecord;
using System::TempState;

namespace {

class HallOfFame : public ::testing::Test {
protected:
    void SetUp() override {
        world.addPlayer("Anna Maria", "07");
        world.addPlayer("Bob", "03");
        world.game().setup();
    }

    Game::Player& player(int index) const { return *world.game().getPlayers()[index]; }
    kit::Array<kit::String> stored(const kit::String& key) const { return System::profile().getArray(key); }

    GameWorld world;
};

}  // namespace

TEST_F(HallOfFame, NamesWithSpacesAreStoredAndReadBack) {
    player(0).addDrinks(12);
    TempState::updateHallOfFame();
    EXPECT_EQ(stored(TempState::HallOfFameDrinks), (kit::Array<kit::String>{"12 07 Anna Maria"}));
    EXPECT_EQ(TempState::loadHallOfFame(TempState::HallOfFameDrinks),
              (kit::Array<HallOfFameRecord>{{12, "07", "Anna Maria"}}));
    EXPECT_TRUE(stored(TempState::HallOfFameLaps).empty()) << "zero values are not recorded";
}

TEST_F(HallOfFame, ANewRecordGoesAfterEqualValuesAndFallsOffTheTenth) {
    kit::Array<kit::String> lines;
    for (int i = 0; i < 10; ++i) {
        lines.push_back(std::to_string(14 - i) + " 01 Old" + std::to_string(i));
    }
    System::profile().set(TempState::HallOfFameDrinks, lines);
    player(1).addDrinks(5);
    TempState::updateHallOfFame();
    EXPECT_EQ(stored(TempState::HallOfFameDrinks), lines);

    player(0).addDrinks(10);
    TempState::updateHallOfFame();
    auto records = TempState::loadHallOfFame(TempState::HallOfFameDrinks);
    ASSERT_EQ(records.size(), 10u);
    EXPECT_EQ(records[4], (HallOfFameRecord{10, "01", "Old4"}));
    EXPECT_EQ(records[5], (HallOfFameRecord{10, "07", "Anna Maria"}));
    EXPECT_EQ(records[9], (HallOfFameRecord{6, "01", "Old8"}));
}

TEST_F(HallOfFame, TheLatestValueOfAPlayerReplacesHisOlderOne) {
    player(0).addDrinks(3);
    TempState::updateHallOfFame();
    player(0).addDrinks(2);
    TempState::updateHallOfFame();
    EXPECT_EQ(stored(TempState::HallOfFameDrinks), (kit::Array<kit::String>{"5 07 Anna Maria"}));
}

TEST_F(HallOfFame, SameNameDifferentCharacterKeepsTwoRecords) {
    player(1).setName("Anna Maria");
    player(0).addDrinks(4);
    player(1).addDrinks(4);
    player(1).setPlaying(false);
    TempState::updateHallOfFame();
    EXPECT_EQ(stored(TempState::HallOfFameDrinks),
              (kit::Array<kit::String>{"4 07 Anna Maria", "4 03 Anna Maria"}))
        << "a player out of the game is still recorded";
}

TEST_F(HallOfFame, AllFourListsAndTheProfileFile) {
    Game::AlcoTestData* data = player(0).getAlcoTestData();
    data->setGender(Game::AlcoTestData::Gender::male);
    data->setWeight(80000);
    data->setVolume(40);
    data->setPermille(400);
    player(0).addDrinks(10);
    player(0).moveBy(85);
    player(1).addAcceptedChallenge();
    player(1).setName("Tab\tby\nline");
    TempState::updateHallOfFame();
    world.profiles->load();
    EXPECT_EQ(stored(TempState::HallOfFameLaps), (kit::Array<kit::String>{"2 07 Anna Maria"}));
    EXPECT_EQ(stored(TempState::HallOfFameBac), (kit::Array<kit::String>{"32 07 Anna Maria"}));
    EXPECT_EQ(stored(TempState::HallOfFameChallenges), (kit::Array<kit::String>{"1 03 Tab by line"}));
}

TEST_F(HallOfFame, MalformedStoredLinesAreDroppedAtTheNextSave) {
    System::profile().set(TempState::HallOfFameDrinks, kit::Array<kit::String>{"9 02", "8 02 Eve", "junk"});
    EXPECT_EQ(TempState::loadHallOfFame(TempState::HallOfFameDrinks),
              (kit::Array<HallOfFameRecord>{{8, "02", "Eve"}}));
    TempState::saveHallOfFame(TempState::HallOfFameDrinks,
                              TempState::loadHallOfFame(TempState::HallOfFameDrinks));
    EXPECT_EQ(stored(TempState::HallOfFameDrinks), (kit::Array<kit::String>{"8 02 Eve"}));
}

TEST(TempStateTest, NotificationsAndClear) {
    TempState temp;
    EXPECT_EQ(temp.popNotification(), (System::Notification{"", ""}));
    temp.addNotification("gui.A", "drink");
    temp.addNotification("gui.B", "");
    EXPECT_EQ(temp.popNotification(), (System::Notification{"gui.A", "drink"}));
    EXPECT_EQ(temp.popNotification(), (System::Notification{"gui.B", ""}));
    EXPECT_TRUE(temp.getNotifications().empty());

    temp.setTokensJumped(true);
    temp.setBoardAnimating(true);
    temp.setViewMode(0);
    temp.setLoadingProgress(0.5f);
    temp.setTitleAnimationTime(2.0f);
    temp.clear();
    EXPECT_FALSE(temp.isTokensJumped());
    EXPECT_FALSE(temp.isBoardAnimating());
    EXPECT_EQ(temp.getViewMode(), 1);
    EXPECT_EQ(temp.getLoadingProgress(), 0.5f);
    EXPECT_EQ(temp.getTitleAnimationTime(), 2.0f);
}

TEST(TempStateTest, CurrentTimeText) {
    kit::String text = TempState::currentTimeText();
    ASSERT_EQ(text.size(), 5u);
    EXPECT_EQ(text[2], ':');
    EXPECT_LE(kit::toInt(text.substr(0, 2)), 23);
    EXPECT_LE(kit::toInt(text.substr(3, 2)), 59);
}

TEST_F(HallOfFame, NamesComeBackWithTheirOwnSpacesAndNoFormatDirectives) {
    const kit::Array<HallOfFameRecord> records{
        {7, "02", "inner  spaces"}, {6, "03", "trailing  "}, {5, "04", "%s%n"}};
    TempState::saveHallOfFame(TempState::HallOfFameBac, records);
    EXPECT_EQ(TempState::loadHallOfFame(TempState::HallOfFameBac), records);
}
