#pragma once

#include <kit/EnumerationType.h>
#include <kit/Types.h>
#include <serial/Serializable.h>

namespace Game {

// The body data of one person and the drink each of his drinks stands for, turned into an estimated
// blood-alcohol content after the Widmark rule.
class AlcoTestData : public serial::Serializable {
public:
    class Gender : public kit::EnumerationType<Gender> {
    public:
        static constexpr const char* TypeName = "Gender";
        using EnumerationType::EnumerationType;
        static const Gender male, female;
    };

    class Stomach : public kit::EnumerationType<Stomach> {
    public:
        static constexpr const char* TypeName = "Stomach";
        using EnumerationType::EnumerationType;
        static const Stomach stomach_empty, stomach_half, stomach_full;
    };

    class UnitSystem : public kit::EnumerationType<UnitSystem> {
    public:
        static constexpr const char* TypeName = "UnitSystem";
        using EnumerationType::EnumerationType;
        static const UnitSystem Metric, Imperial;
    };

    // Estimates of this size (hundredths of a percent) and above warn the player.
    static constexpr int WarningEstimate = 30;
    static constexpr int MaxPermille = 1000;
    static constexpr float MaxVolume = 280.0f;
    static constexpr float MaxWeight = 453000.0f;

    // A random gender, a half-full stomach, no drink data, started now.
    AlcoTestData();

    kit::String _serialName() const override { return "Game::AlcoTestData"; }
    kit::Array<serial::Variable> _serialVars() override;

    // The estimate for that many drinks in hundredths of a percent, 0 to 99.
    int estimate(int drinks) const;
    // The same for a count that may hold small sips, each half a drink.
    int estimate(float drinks) const;
    // Drink strength, volume and body weight are all known.
    bool isComplete() const { return permille != 0 && volume != 0.0f && weight != 0.0f; }
    // Forgets partly entered data, so that an incomplete set never gives an estimate.
    void resetIncomplete();

    Gender getGender() const { return gender; }
    void setGender(const Gender& value) { gender = value; }
    int getPermille() const { return permille; }
    void setPermille(int value) { permille = value; }
    float getVolume() const { return volume; }
    void setVolume(float value) { volume = value; }
    float getWeight() const { return weight; }
    void setWeight(float value) { weight = value; }
    Stomach getStomach() const { return stomach; }
    void setStomach(const Stomach& value) { stomach = value; }
    unsigned int getStartTime() const { return startTime; }
    void setStartTime(unsigned int value) { startTime = value; }

private:
    Gender gender;
    // Alcohol of one drink in per mille by volume, 0 to 1000.
    int permille = 0;
    // Volume of one drink in millilitres, 0 to 280.
    float volume = 0.0f;
    // Body weight in grams, 0 to 453000.
    float weight = 0.0f;
    Stomach stomach = Stomach::stomach_half;
    // When drinking started, seconds since the epoch (lower 32 bits).
    unsigned int startTime = 0;
};

}  // namespace Game
