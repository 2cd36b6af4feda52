#pragma once

#include <kit/Types.h>
#include <serial/Serializable.h>

#include "Game/Field.h"

#include <memory>

namespace Game {

// A card written by the players: a challenge text, an icon and the drinks of the alternative. On the
// board it is a field that asks to do the challenge or drink. Negative ids denote custom cards.
class CustomCard : public serial::Serializable {
public:
    using Cards = kit::Array<std::unique_ptr<CustomCard>>;

    CustomCard() = default;
    CustomCard(int id, int drinks, const kit::String& imageName, const kit::String& text);
    ~CustomCard() override;
    CustomCard(const CustomCard&) = delete;
    CustomCard& operator=(const CustomCard&) = delete;

    kit::String _serialName() const override { return "Game::CustomCard"; }
    kit::Array<serial::Variable> _serialVars() override;

    // The cards stored in the profile, ids -1, -2, … by stored position.
    static Cards loadCustomCards();
    // Stores the cards that have a text and saves the profile.
    static void storeCustomCards(const Cards& cards);

    // The card as a board field, built on first use and kept.
    Field* getField();

    int getId() const { return id; }
    void setId(int value) { id = value; }
    int getDrinks() const { return drinks; }
    void setDrinks(int value) { drinks = value; }
    const kit::String& getImageName() const { return imageName; }
    void setImageName(const kit::String& value) { imageName = value; }
    const kit::String& getText() const { return text; }
    void setText(const kit::String& value) { text = value; }

private:
    int id = 0;
    int drinks = 0;
    kit::String imageName;
    kit::String text;
    std::unique_ptr<Field> field;
};

}  // namespace Game
