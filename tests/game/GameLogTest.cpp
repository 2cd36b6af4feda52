// The game's log: its bound and totals, its saved form, the laps and the chart's samples, and the
// awards drawn from it.
#include <gtest/gtest.h>
#include <serial/Serial.h>

#include <memory>

#include "Game/Awards.h"
#include "Game/GameLog.h"
#include "GameWorld.h"
#include "Menu/NightRecap.h"

using Game::Awards;
using Game::GameLog;
using Kind = GameLog::Kind;

TEST(GameLog, KeepsTheNewestEntriesAndCountsTheWholeNight) {
    GameLog log;
    constexpr int Extra = 500;
    for (int turn = 0; turn < GameLog::MaxEntries + Extra; ++turn) {
        log.add({Kind::Sips, turn, 1, 2, 0});
    }
    log.add({Kind::Water, 9999, 1, 3, 0});
    EXPECT_EQ(log.size(), GameLog::MaxEntries);
    EXPECT_EQ(log.getDropped(), Extra + 1);
    EXPECT_EQ(log.at(0)->turn, Extra + 1);
    EXPECT_EQ(log.at(log.size() - 1)->kind, Kind::Water);
    EXPECT_EQ(log.getTotals(1).sips, 2 * (GameLog::MaxEntries + Extra));
    EXPECT_EQ(log.getTotals(1).water, 3);
    EXPECT_EQ(log.getTotals(0), GameLog::Totals{});
    EXPECT_FALSE(log.at(-1).has_value());
    EXPECT_FALSE(log.at(log.size()).has_value());
}

TEST(GameLog, EntriesReadBackAndDamagedOnesAreRefused) {
    for (Kind kind :
         {Kind::Roll, Kind::Landing, Kind::Question, Kind::Answer, Kind::Sips, Kind::Water, Kind::HandOut,
          Kind::Move, Kind::Skip, Kind::Lap, Kind::DoubleStakes, Kind::Notice, Kind::Warning}) {
        GameLog::Entry entry{kind, 12, 13, -4, 1033};
        EXPECT_EQ(GameLog::decode(GameLog::encode(entry)), entry);
    }
    EXPECT_EQ(GameLog::decode("Notice 3 -1 0 1")->seat, -1);
    for (const char* damaged : {"", "Roll", "Roll 1 2 3", "Roll 1 2 3 4 5", "Bogus 1 2 3 4", "Roll a 2 3 4",
                                "Roll 1 14 3 4", "Roll 1 -2 3 4", "roll 1 2 3 4"}) {
        EXPECT_FALSE(GameLog::decode(damaged).has_value()) << damaged;
    }
}

TEST(GameLog, ALapIsCountedOnceAndSipsAreSampledOverTheWholeNight) {
    GameLog log;
    log.noteLaps(1, 0, 2);
    log.noteLaps(2, 0, 1);
    log.noteLaps(3, 0, 2);
    EXPECT_EQ(log.size(), 2);
    log.noteLaps(4, 0, 3);
    EXPECT_EQ(log.at(2)->amount, 3);
    EXPECT_EQ(log.getTotals(0).laps, 3);

    constexpr int Turns = 301;
    for (int turn = 0; turn < Turns; ++turn) {
        log.add({Kind::Sips, turn, 1, 1, 0});
        log.sampleTurn(turn, 2);
    }
    kit::Array<GameLog::Sample> samples = log.getSamples();
    ASSERT_LE(static_cast<int>(samples.size()), GameLog::MaxSamples);
    ASSERT_GE(samples.size(), static_cast<size_t>(GameLog::MaxSamples / 2));
    EXPECT_EQ(samples.front().turn, 0);
    EXPECT_EQ(samples.back().turn, Turns - 1);
    for (size_t index = 1; index < samples.size(); ++index) {
        EXPECT_LT(samples[index - 1].turn, samples[index].turn);
    }
    for (const GameLog::Sample& sample : samples) {
        ASSERT_EQ(sample.sips.size(), 2u);
        EXPECT_EQ(sample.sips[1], sample.turn + 1);
    }
}

TEST(GameLog, IsSavedWithTheGameAndGoesOnAfterALoad) {
    GameWorld world;
    world.addPlayers(3);
    world.game().setup();
    System::GameState& game = world.game();
    Game::Player* second = game.getPlayers()[1];
    game.record(Kind::Roll, second, 5);
    game.record(Kind::Sips, second, 4);
    game.record(Kind::Answer, second, 0, GameLog::Accepted);
    game.record(Kind::Notice, nullptr, 0, GameLog::WaterRound);

    std::unique_ptr<serial::Serializable> loaded(serial::fromXml(serial::toXml(&game)));
    auto* resumed = dynamic_cast<System::GameState*>(loaded.get());
    ASSERT_NE(resumed, nullptr);
    resumed->repair();
    const GameLog& log = resumed->getLog();
    ASSERT_EQ(log.size(), game.getLog().size());
    EXPECT_EQ(log.at(log.size() - 1)->seat, -1);
    EXPECT_EQ(log.getTotals(1), game.getLog().getTotals(1));
    resumed->record(Kind::Sips, resumed->getPlayers()[1], 3);
    EXPECT_EQ(resumed->getLog().getTotals(1).sips, 7);
    EXPECT_EQ(resumed->getLog().getTotals(1).rollSum, 5);
    EXPECT_EQ(resumed->getLog().getTotals(1).accepted, 1);
    resumed->clear();
}

TEST(GameLog, ADamagedSavedLogIsMendedAndReadAroundItsBadLines) {
    GameWorld world;
    world.addPlayers(2);
    world.game().setup();
    world.game().record(Kind::Roll, world.game().getPlayers()[0], 3);
    kit::String xml = serial::toXml(&world.game());
    kit::String line = GameLog::encode(*world.game().getLog().at(0));
    size_t at = xml.find(line);
    ASSERT_NE(at, kit::String::npos) << xml;
    xml.replace(at, line.size(), "Roll x 0 3 0");
    size_t totals = xml.find("name=\"logTotals\"");
    ASSERT_NE(totals, kit::String::npos);
    size_t item = xml.find("<item>0</item>", totals);
    ASSERT_NE(item, kit::String::npos);
    xml.replace(item, 14, "<item>-7</item>");

    std::unique_ptr<serial::Serializable> loaded(serial::fromXml(xml));
    auto* damaged = dynamic_cast<System::GameState*>(loaded.get());
    ASSERT_NE(damaged, nullptr);
    damaged->repair();
    EXPECT_FALSE(damaged->getLog().at(damaged->getLog().size() - 1).has_value());
    GameLog::Totals first = damaged->getLog().getTotals(0);
    EXPECT_EQ(first.sips, 0);
    EXPECT_EQ(first.rolls, 1);
    damaged->clear();
}

TEST(Awards, GoToTheBestAndAreSharedOnATie) {
    // Seats: 0 and 2 took as many challenges; 1 and 3 roll 5 on average (15 / 3 and 10 / 2), 0 rolls
    // 4.5; nobody handed out; only 3 drank water; 2 walked furthest.
    kit::Array<GameLog::Totals> seats(4);
    seats[0] = {.sips = 20, .rolls = 2, .rollSum = 9, .laps = 1, .accepted = 3, .refused = 1};
    seats[1] = {.sips = 2, .rolls = 3, .rollSum = 15, .laps = 1, .accepted = 1};
    seats[2] = {.rolls = 1, .rollSum = 1, .laps = 2, .accepted = 3};
    seats[3] = {.water = 6, .rolls = 2, .rollSum = 10};
    kit::Array<Awards::Award> awards = Awards::of(seats);
    ASSERT_EQ(awards.size(), 5u);
    EXPECT_EQ(awards[0].kind, Awards::Kind::Bravest);
    EXPECT_EQ(awards[0].seats, (kit::Array<int>{0, 2}));
    EXPECT_EQ(awards[0].value, 3.0f);
    EXPECT_EQ(awards[1].seats, (kit::Array<int>{1, 3}));
    EXPECT_FLOAT_EQ(awards[1].value, 5.0f);
    EXPECT_TRUE(awards[2].seats.empty());
    EXPECT_EQ(awards[3].seats, kit::Array<int>{3});
    EXPECT_EQ(awards[4].seats, kit::Array<int>{2});
    // The most sips win nothing.
    for (const Awards::Award& award : awards) {
        EXPECT_EQ(std::count(award.seats.begin(), award.seats.end(), 0), award.kind == Awards::Kind::Bravest);
    }
    EXPECT_TRUE(Awards::of({}).front().seats.empty());
}

TEST(NightRecap, TheChartStartsAtNothingAndEndsWithTheNightSoFar) {
    GameLog log;
    constexpr int Turns = 100;
    for (int turn = 1; turn <= Turns; ++turn) {
        log.add({Kind::Sips, turn, turn % 2, 1, 0});
        log.sampleTurn(turn, 2);
    }
    log.add({Kind::Sips, Turns + 1, 0, 7, 0});
    Menu::NightRecap::Chart chart = Menu::NightRecap::chartOf(log, 2, Turns + 1, 700.0f, 300.0f);
    ASSERT_EQ(chart.lines.size(), 2u);
    EXPECT_EQ(chart.turns, Turns + 1);
    EXPECT_EQ(chart.top, Turns / 2 + 7);
    for (const auto& line : chart.lines) {
        ASSERT_EQ(static_cast<int>(line.size()), Menu::NightRecap::LineSegments + 1);
        EXPECT_EQ(line.front(), quadrix::Vector2(0.0f, 300.0f)) << "nobody drank before the first turn";
        EXPECT_FLOAT_EQ(line.back().x, 700.0f);
        for (size_t point = 1; point < line.size(); ++point) {
            EXPECT_GT(line[point].x, line[point - 1].x);
            EXPECT_LE(line[point].y, line[point - 1].y) << "sips only grow";
        }
    }
    EXPECT_FLOAT_EQ(chart.lines[0].back().y, 0.0f) << "the most sips reach the top";
    EXPECT_FLOAT_EQ(chart.lines[1].back().y, 300.0f - 300.0f * (Turns / 2) / chart.top);
}
