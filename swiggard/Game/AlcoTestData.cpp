#include "Game/AlcoTestData.h"

#include <kit/Random.h>
#include <kit/Time.h>
#include <serial/Factory.h>

#include <cmath>

namespace Game {

const AlcoTestData::Gender AlcoTestData::Gender::male("male");
const AlcoTestData::Gender AlcoTestData::Gender::female("female");
const AlcoTestData::Stomach AlcoTestData::Stomach::stomach_empty("stomach_empty");
const AlcoTestData::Stomach AlcoTestData::Stomach::stomach_half("stomach_half");
const AlcoTestData::Stomach AlcoTestData::Stomach::stomach_full("stomach_full");
const AlcoTestData::UnitSystem AlcoTestData::UnitSystem::Metric("Metric");
const AlcoTestData::UnitSystem AlcoTestData::UnitSystem::Imperial("Imperial");

namespace {

const bool registered = serial::Factory::add<AlcoTestData>("Game::AlcoTestData");

// Grams of ethanol per millilitre.
constexpr float EthanolDensity = 0.789f;

float stomachFactor(const AlcoTestData::Stomach& stomach) {
    if (stomach == AlcoTestData::Stomach::stomach_empty) {
        return 1.4f;
    }
    return stomach == AlcoTestData::Stomach::stomach_half ? 1.2f : 1.0f;
}

}  // namespace

AlcoTestData::AlcoTestData()
    : gender(kit::randomElement(Gender::getValues())), startTime(static_cast<unsigned int>(kit::time())) {}

kit::Array<serial::Variable> AlcoTestData::_serialVars() {
    kit::Array<serial::Variable> vars = serial::Serializable::_serialVars();
    vars.push_back(serial::Variable("gender", &gender));
    vars.push_back(serial::Variable("permille", &permille));
    vars.push_back(serial::Variable("volume", &volume));
    vars.push_back(serial::Variable("weight", &weight));
    vars.push_back(serial::Variable("stomach", &stomach));
    vars.push_back(serial::Variable("startTime", &startTime));
    return vars;
}

int AlcoTestData::estimate(int drinks) const {
    return estimate(static_cast<float>(drinks));
}

int AlcoTestData::estimate(float drinks) const {
    float alcohol = drinks * volume * (static_cast<float>(permille) * 0.001f) * EthanolDensity;
    float r = gender == Gender::male ? 0.68f : 0.55f;
    float value = alcohol / (r * (weight * 0.001f)) * 10.0f * stomachFactor(stomach) * 1.15f;
    // A zero weight divides by zero; such a value counts as none.
    if (!std::isfinite(value) || value < 0.0f) {
        return 0;
    }
    return value > 99.0f ? 99 : static_cast<int>(value);
}

void AlcoTestData::resetIncomplete() {
    if (isComplete()) {
        return;
    }
    permille = 0;
    volume = 0.0f;
    weight = 0.0f;
    stomach = Stomach::stomach_half;
}

}  // namespace Game
