#include <gtest/gtest.h>
#include <kit/Random.h>
#include <serial/Serial.h>

#include <memory>

#include "Game/AlcoTestData.h"
#include "Game/AlcoTestUnits.h"
#include "GameWorld.h"

using Game::AlcoTestData;
using Game::AlcoTestUnits;

namespace {

AlcoTestData person(const AlcoTestData::Gender& gender, float weight, const AlcoTestData::Stomach& stomach,
                    float volume, int permille) {
    AlcoTestData data;
    data.setGender(gender);
    data.setWeight(weight);
    data.setStomach(stomach);
    data.setVolume(volume);
    data.setPermille(permille);
    return data;
}

}  // namespace

TEST(AlcoTestData, WidmarkEstimates) {
    AlcoTestData man =
        person(AlcoTestData::Gender::male, 80000, AlcoTestData::Stomach::stomach_half, 40, 400);
    EXPECT_EQ(man.estimate(1), 3);
    EXPECT_EQ(man.estimate(10), 32);
    EXPECT_EQ(AlcoTestUnits::formatEstimate(man.estimate(1)), "0.03");
    EXPECT_EQ(AlcoTestUnits::formatEstimate(man.estimate(10)), "0.32");

    AlcoTestData woman =
        person(AlcoTestData::Gender::female, 60000, AlcoTestData::Stomach::stomach_empty, 500, 50);
    EXPECT_EQ(woman.estimate(5), 48);
    EXPECT_EQ(woman.estimate(15), 99);
    EXPECT_EQ(AlcoTestUnits::formatEstimate(99), "0.99");

    AlcoTestData full =
        person(AlcoTestData::Gender::male, 80000, AlcoTestData::Stomach::stomach_full, 40, 400);
    EXPECT_EQ(full.estimate(10), 26);
}

TEST(AlcoTestData, ImpossibleValuesGiveZero) {
    AlcoTestData noWeight =
        person(AlcoTestData::Gender::male, 0, AlcoTestData::Stomach::stomach_half, 40, 400);
    EXPECT_EQ(noWeight.estimate(3), 0);
    EXPECT_EQ(noWeight.estimate(0), 0);
    AlcoTestData man =
        person(AlcoTestData::Gender::male, 80000, AlcoTestData::Stomach::stomach_half, 40, 400);
    EXPECT_EQ(man.estimate(-4), 0);
    EXPECT_EQ(man.estimate(2000000000), 99);
}

TEST(AlcoTestData, DefaultsAndCompleteness) {
    AlcoTestData data;
    EXPECT_TRUE(data.getGender().isValid());
    EXPECT_EQ(data.getStomach(), AlcoTestData::Stomach::stomach_half);
    EXPECT_FALSE(data.isComplete());
    EXPECT_GT(data.getStartTime(), 1600000000u);

    data.setWeight(70000);
    data.setVolume(20);
    data.setStomach(AlcoTestData::Stomach::stomach_full);
    data.resetIncomplete();
    EXPECT_EQ(data.getWeight(), 0.0f);
    EXPECT_EQ(data.getVolume(), 0.0f);
    EXPECT_EQ(data.getStomach(), AlcoTestData::Stomach::stomach_half);

    AlcoTestData complete =
        person(AlcoTestData::Gender::female, 1, AlcoTestData::Stomach::stomach_full, 1, 1);
    complete.resetIncomplete();
    EXPECT_TRUE(complete.isComplete());
    EXPECT_EQ(complete.getStomach(), AlcoTestData::Stomach::stomach_full);
}

TEST(AlcoTestData, BothGendersAreDrawn) {
    kit::seedRandom(7);
    int males = 0;
    for (int i = 0; i < 200; ++i) {
        males += AlcoTestData().getGender() == AlcoTestData::Gender::male ? 1 : 0;
    }
    EXPECT_GT(males, 50);
    EXPECT_LT(males, 150);
}

TEST(AlcoTestData, EnumerationsAreRegisteredInOrder) {
    EXPECT_EQ(AlcoTestData::Gender::male.getValue(), 0u);
    EXPECT_EQ(AlcoTestData::Gender::female.getValue(), 1u);
    EXPECT_EQ(AlcoTestData::Gender::male.getTypeName(), "Gender");
    EXPECT_EQ(AlcoTestData::Stomach::stomach_full.getValue(), 2u);
    EXPECT_EQ(AlcoTestData::UnitSystem::Imperial.getValue(), 1u);
    EXPECT_THROW(AlcoTestData::Gender::fromInt(2), kit::EnumerationValueNotExistsException);
    // The screens cycle the stomach and toggle the gender.
    EXPECT_EQ(AlcoTestData::Stomach::stomach_full.next(), AlcoTestData::Stomach::stomach_empty);
    EXPECT_EQ(AlcoTestData::Gender::female.next(), AlcoTestData::Gender::male);
}

TEST(AlcoTestData, SurvivesSerialisation) {
    AlcoTestData data =
        person(AlcoTestData::Gender::female, 61234.5f, AlcoTestData::Stomach::stomach_empty, 33.3f, 125);
    data.setStartTime(123456789u);
    std::unique_ptr<serial::Serializable> back(serial::fromXml(serial::toXml(&data)));
    auto* copy = dynamic_cast<AlcoTestData*>(back.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getGender(), AlcoTestData::Gender::female);
    EXPECT_EQ(copy->getWeight(), 61234.5f);
    EXPECT_EQ(copy->getVolume(), 33.3f);
    EXPECT_EQ(copy->getPermille(), 125);
    EXPECT_EQ(copy->getStomach(), AlcoTestData::Stomach::stomach_empty);
    EXPECT_EQ(copy->getStartTime(), 123456789u);
}

TEST(AlcoTestUnits, EntryIsConvertedAndLimited) {
    using U = AlcoTestData::UnitSystem;
    EXPECT_EQ(AlcoTestUnits::permilleFromPercent(4.96f), 50);
    EXPECT_EQ(AlcoTestUnits::permilleFromPercent(250.0f), 1000);
    EXPECT_EQ(AlcoTestUnits::permilleFromPercent(-3.0f), 0);
    EXPECT_FLOAT_EQ(AlcoTestUnits::permilleToPercent(405), 40.5f);

    EXPECT_FLOAT_EQ(AlcoTestUnits::weightFromDisplay(80.0f, U::Metric), 80000.0f);
    EXPECT_NEAR(AlcoTestUnits::weightFromDisplay(176.37f, U::Imperial), 80000.0f, 1.0f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::weightFromDisplay(5000.0f, U::Metric), 453000.0f);
    EXPECT_NEAR(AlcoTestUnits::weightToDisplay(80000.0f, U::Imperial), 176.37f, 0.01f);

    EXPECT_FLOAT_EQ(AlcoTestUnits::volumeFromDisplay(500.0f, U::Metric), 280.0f);
    EXPECT_NEAR(AlcoTestUnits::volumeFromDisplay(1.0f, U::Imperial), 29.57f, 0.01f);
    EXPECT_NEAR(AlcoTestUnits::volumeToDisplay(40.0f, U::Imperial), 1.35256f, 0.0001f);
    // The alco-test screen keeps hundredths: 500 ml are 5, shown as 500 again.
    EXPECT_FLOAT_EQ(AlcoTestUnits::volumeFromDisplay(500.0f, U::Metric, 100.0f), 5.0f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::volumeToDisplay(5.0f, U::Metric, 100.0f), 500.0f);
}

TEST(AlcoTestUnits, NumberTexts) {
    EXPECT_EQ(AlcoTestUnits::formatNumber(0.0f), "");
    EXPECT_EQ(AlcoTestUnits::formatNumber(80.0f), "80");
    EXPECT_EQ(AlcoTestUnits::formatNumber(2.3f), "2.3");
    EXPECT_EQ(AlcoTestUnits::formatNumber(80.96f), "80.9");
    EXPECT_EQ(AlcoTestUnits::formatNumber(176.37f), "176");
    EXPECT_EQ(AlcoTestUnits::formatNumber(1000.0f), "1000");
    EXPECT_EQ(AlcoTestUnits::formatNumber(0.04f), "");
    EXPECT_EQ(AlcoTestUnits::formatWholeNumber(0.4f), "");
    EXPECT_EQ(AlcoTestUnits::formatWholeNumber(39.6f), "40");

    // What people type: a German decimal comma, a unit after the number, nonsense.
    EXPECT_FLOAT_EQ(AlcoTestUnits::parseNumber("4,5"), 4.5f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::parseNumber(" 80kg"), 80.0f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::parseNumber("-3"), -3.0f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::parseNumber("lots"), 0.0f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::parseNumber("nan"), 0.0f);
    EXPECT_FLOAT_EQ(AlcoTestUnits::parseNumber("inf"), 0.0f);
}

TEST(AlcoTestUnits, UnitSystemComesFromTheProfile) {
    GameWorld world;
    EXPECT_EQ(AlcoTestUnits::getUnitSystem(), AlcoTestData::UnitSystem::Metric);
    System::profile().set("UnitSystem", "UnitSystemImperial");
    EXPECT_EQ(AlcoTestUnits::getUnitSystem(), AlcoTestData::UnitSystem::Imperial);
    System::profile().set("UnitSystem", "nonsense");
    EXPECT_EQ(AlcoTestUnits::getUnitSystem(), AlcoTestData::UnitSystem::Metric);
}
