// Drinking styles, the sip limit, the glass-of-water level, water rounds and the end of the night's
// figures, through the game's rules without screens.
#include <gtest/gtest.h>
#include <serial/Serial.h>

#include <memory>

#include "Game/Sobering.h"
#include "GameWorld.h"
#include "System/NightSettings.h"
#include "System/TempState.h"

using Game::Player;
using Style = Game::Player::Style;
using Game::Sobering;

namespace {

constexpr unsigned int Evening = 1'700'000'000;

// An 80 kg man, half-full stomach, 40 ml of 40 % a sip: 3.2 hundredths of a percent each (0.03 %).
void giveBodyData(Player& player) {
    Game::AlcoTestData* data = player.getAlcoTestData();
    data->setGender(Game::AlcoTestData::Gender::male);
    data->setWeight(80000.0f);
    data->setVolume(40.0f);
    data->setPermille(400);
    data->setStomach(Game::AlcoTestData::Stomach::stomach_half);
}

class Night : public ::testing::Test {
protected:
    void SetUp() override {
        world.addPlayers(3);
        world.game().setup();
        for (Player* player : world.game().getPlayers()) {
            giveBodyData(*player);
        }
    }

    Player& player(int index) const { return *world.game().getPlayers()[index]; }

    GameWorld world;
};

}  // namespace

TEST_F(Night, EverySipLandsOnTheCounterOfTheStyle) {
    player(0).takeSips(3, 0, Evening);
    EXPECT_EQ(player(0).getDrinks(), 3);
    EXPECT_EQ(player(0).getWaterSips(), 0);
    EXPECT_EQ(player(0).getFirstSipTime(), Evening);
    EXPECT_EQ(player(0).getEstimate(), 9);

    // Light: alcohol, but half a drink each in the estimate.
    player(1).setStyle(Style::Light);
    player(1).takeSips(6, 0, Evening);
    EXPECT_EQ(player(1).getDrinks(), 6);
    EXPECT_EQ(player(1).getLightSips(), 6);
    EXPECT_EQ(player(1).getEstimate(), player(1).getAlcoTestData()->estimate(3));

    // Water and Driver: counted, never alcohol, no first sip.
    for (const Style& style : {Style::Water, Style::Driver}) {
        player(2).setStyle(style);
        Player::Sips sips = player(2).takeSips(5, 2, Evening + 60);
        EXPECT_EQ(sips.water, 5);
        EXPECT_EQ(sips.alcohol, 0);
        EXPECT_FALSE(sips.levelCrossed);
    }
    EXPECT_EQ(player(2).getWaterSips(), 10);
    EXPECT_EQ(player(2).getDrinks(), 0);
    EXPECT_EQ(player(2).getEstimate(), 0);
    EXPECT_EQ(player(2).getFirstSipTime(), 0u);
    EXPECT_FALSE(player(2).needsBacWarning());

    // A later sip keeps the time of the first; water counts are capped like drinks.
    player(0).takeSips(1, 0, Evening + 3600);
    EXPECT_EQ(player(0).getFirstSipTime(), Evening);
    player(2).takeSips(2'000'000'000, 0, Evening);
    EXPECT_EQ(player(2).getWaterSips(), Player::MaxDrinks);
}

TEST_F(Night, SwitchingToWaterKeepsTheEstimateOfWhatWasDrunk) {
    player(0).takeSips(10, 0, Evening);
    int before = player(0).getEstimate();
    EXPECT_EQ(before, 32);
    player(0).setStyle(Style::Water);
    player(0).takeSips(20, 0, Evening);
    EXPECT_EQ(player(0).getEstimate(), before);
    EXPECT_EQ(player(0).getDrinks(), 10);
    EXPECT_EQ(player(0).getWaterSips(), 20);
}

TEST_F(Night, TheLimitSplitsTheActionThatCrossesItAndSwitchesToWater) {
    player(0).setSipLimit(5);
    Player::Sips first = player(0).takeSips(3, 0, Evening);
    EXPECT_EQ(first.alcohol, 3);
    EXPECT_FALSE(first.limitReached);
    EXPECT_EQ(player(0).getStyle(), Style::Drinks);

    Player::Sips crossing = player(0).takeSips(4, 0, Evening);
    EXPECT_EQ(crossing.alcohol, 2);
    EXPECT_EQ(crossing.water, 2);
    EXPECT_TRUE(crossing.limitReached);
    EXPECT_TRUE(player(0).isLimitNoticeDue());
    EXPECT_EQ(player(0).getStyle(), Style::Water);
    EXPECT_EQ(player(0).getDrinks(), 5);

    // Exactly at the limit switches too; afterwards everything is water.
    player(1).setStyle(Style::Light);
    player(1).setSipLimit(2);
    EXPECT_TRUE(player(1).takeSips(2, 0, Evening).limitReached);
    EXPECT_EQ(player(1).getStyle(), Style::Water);
    EXPECT_EQ(player(1).takeSips(3, 0, Evening).water, 3);
    EXPECT_EQ(player(1).getDrinks(), 2);
}

TEST_F(Night, TheGlassOfWaterComesOncePerCrossingForEveryPreset) {
    for (int level : {5, 8, 2}) {
        SCOPED_TRACE(level);
        world.game().clear();
        SetUp();
        Player& drinker = player(0);
        int notices = 0;
        for (int sip = 0; sip < 20; ++sip) {
            notices += drinker.takeSips(1, level, Evening).levelCrossed ? 1 : 0;
        }
        EXPECT_EQ(notices, 1);
        EXPECT_TRUE(drinker.isWaterNoticeDue());
    }
    // Off, and without body data, nothing is offered.
    world.game().clear();
    SetUp();
    EXPECT_FALSE(player(0).takeSips(20, 0, Evening).levelCrossed);
    player(1).getAlcoTestData()->setWeight(0.0f);
    EXPECT_FALSE(player(1).takeSips(20, 5, Evening).levelCrossed);
    // A limit that switches the player at the level leaves nothing to offer.
    player(2).setSipLimit(2);
    EXPECT_FALSE(player(2).takeSips(2, 5, Evening).levelCrossed);
}

TEST_F(Night, TheLevelSettingReadsItsPresetsAndFallsBackToTheDefault) {
    auto levelFor = [](const kit::String& stored) {
        System::profile().set("WaterNotice", stored);
        return System::waterNoticeLevel();
    };
    EXPECT_EQ(levelFor("WaterNotice5"), 5);
    EXPECT_EQ(levelFor("WaterNotice8"), 8);
    EXPECT_EQ(levelFor("WaterNotice2"), 2);
    EXPECT_EQ(levelFor("WaterNoticeOff"), 0);
    EXPECT_EQ(levelFor("WaterNotice99"), 5) << "a hand-edited value is not trusted";
    EXPECT_EQ(levelFor(""), 5);
}

TEST_F(Night, ARideNumberIsDigitsSpacesPlusAndMinus) {
    EXPECT_TRUE(System::isRideNumber("+49 30 202020"));
    EXPECT_TRUE(System::isRideNumber("0800-222 555"));
    EXPECT_TRUE(System::isRideNumber(""));
    EXPECT_FALSE(System::isRideNumber("call Bob"));
    EXPECT_FALSE(System::isRideNumber("[c=FF0000]110"));
    EXPECT_FALSE(System::isRideNumber(kit::String(25, '1')));
    System::profile().set("RideNumber", " 110 ");
    EXPECT_EQ(System::rideNumber(), "110");
    System::profile().set("RideNumber", "110{x}");
    EXPECT_EQ(System::rideNumber(), "") << "a stored text that is no number is not shown";
}

TEST_F(Night, TheHallOfFameCountsAlcoholOnly) {
    player(0).setStyle(Style::Water);
    player(0).takeSips(40, 5, Evening);
    player(1).takeSips(3, 5, Evening);
    System::TempState::updateHallOfFame();
    kit::Array<System::HallOfFameRecord> sips =
        System::TempState::loadHallOfFame(System::TempState::HallOfFameDrinks);
    ASSERT_EQ(sips.size(), 1u);
    EXPECT_EQ(sips[0].name, player(1).getName());
    EXPECT_EQ(sips[0].value, 3);
}

TEST_F(Night, ASaveWithoutTheNewFieldsLoadsAsTheSameGame) {
    player(0).addDrinks(2);
    player(0).setWarned(true);
    kit::String current = serial::toXml(&world.game());
    // A save of before: the players and the game carry none of the new variables.
    kit::String old = current;
    for (const char* name :
         {"style", "waterSips", "lightSips", "sipLimit", "firstSipTime", "waterNoticeDue", "limitNoticeDue",
          "waterRounds", "rounds", "waterRoundDue", "driversAnnounced"}) {
        kit::String attribute = kit::String(" name=\"") + name + "\"";
        for (size_t at = old.find(attribute); at != kit::String::npos; at = old.find(attribute)) {
            size_t start = old.rfind('<', at);
            size_t end = old.find('>', at);
            if (old[end - 1] != '/') {
                end = old.find('>', old.find("</", end));
            }
            old.erase(start, end + 1 - start);
        }
    }
    ASSERT_EQ(old.find("waterSips"), kit::String::npos);
    ASSERT_LT(old.size(), current.size());
    std::unique_ptr<serial::Serializable> loaded(serial::fromXml(old));
    auto* game = dynamic_cast<System::GameState*>(loaded.get());
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->getPlayers()[0]->getStyle(), Style::Drinks);
    EXPECT_EQ(game->getPlayers()[0]->getDrinks(), 2);
    // Read back, it is the game that was saved with the new fields at their defaults.
    EXPECT_EQ(serial::toXml(game), current);
    game->clear();
}

TEST_F(Night, EveryTenRoundsTheTableDrinksWater) {
    System::GameState& game = world.game();
    game.setWaterRounds(10);
    int due = 0;
    for (int turn = 0; turn < 3 * 25; ++turn) {
        game.nextTurn();
        if (game.isWaterRoundDue()) {
            ++due;
            game.setWaterRoundDue(false);
        }
    }
    EXPECT_EQ(game.getRounds(), 25);
    EXPECT_EQ(due, 2);
    // Off: rounds are still counted, water never comes.
    game.setWaterRounds(0);
    for (int turn = 0; turn < 3 * 10; ++turn) {
        game.nextTurn();
    }
    EXPECT_FALSE(game.isWaterRoundDue());
}

TEST_F(Night, ANewGameOfTheSamePlayersKeepsWhoTheyAreAndForgetsTheCounts) {
    player(0).setStyle(Style::Driver);
    player(1).setSipLimit(8);
    player(1).takeSips(4, 5, Evening);
    player(2).setDefaultNumber(3);
    player(2).moveBy(7);
    world.game().keepPlayersForNewGame();
    ASSERT_EQ(world.game().getPlayers().size(), 3u);
    EXPECT_EQ(player(0).getStyle(), Style::Driver);
    EXPECT_EQ(player(0).getName(), "P0");
    EXPECT_EQ(player(1).getSipLimit(), 8);
    EXPECT_EQ(player(1).getDrinks(), 0);
    EXPECT_EQ(player(1).getFirstSipTime(), 0u);
    EXPECT_EQ(player(1).getAlcoTestData()->getWeight(), 80000.0f);
    EXPECT_EQ(player(2).getName(), "") << "a name the game gave is given again";
    EXPECT_EQ(player(2).getCurrentField(), 0);
}

TEST(Sobering, HandWorkedCases) {
    // 0.07 % an hour after the first sip: 0.055 % now, shown as 0.06 %, and 3.7 hours to go.
    float now = Sobering::estimateAfter(7, Sobering::hoursBetween(Evening, Evening + 3600));
    EXPECT_FLOAT_EQ(now, 5.5f);
    EXPECT_EQ(Sobering::formatEstimate(now), "0.06");
    EXPECT_EQ(Sobering::formatHours(Sobering::hoursToZero(now)), "3.7");
    // Nothing drunk: nothing to wait for.
    EXPECT_EQ(Sobering::formatEstimate(Sobering::estimateAfter(0, 0.0)), "0.00");
    EXPECT_EQ(Sobering::formatHours(Sobering::hoursToZero(0.0f)), "0.0");
    // The capped estimate still ends: 0.99 % takes 66 hours.
    EXPECT_EQ(Sobering::formatHours(Sobering::hoursToZero(Sobering::estimateAfter(99, 0.0))), "66.0");
    // Whole hundredths stay themselves; long after, it is gone; a clock that went back counts nothing.
    EXPECT_EQ(Sobering::formatEstimate(Sobering::estimateAfter(32, 0.0)), "0.32");
    EXPECT_EQ(Sobering::estimateAfter(7, 10.0), 0.0f);
    EXPECT_EQ(Sobering::hoursBetween(Evening, Evening - 60), 0.0);
    EXPECT_EQ(Sobering::hoursBetween(0, Evening), 0.0) << "no first sip yet";
}
