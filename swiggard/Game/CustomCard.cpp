#include "Game/CustomCard.h"

#include <kit/Format.h>
#include <kit/Strings.h>
#include <serial/Factory.h>

#include "System/Globals.h"
#include "System/StoredText.h"

namespace Game {

namespace {

const bool registered = serial::Factory::add<CustomCard>("Game::CustomCard");

const kit::String ProfileKey = "CustomCards";

}  // namespace

CustomCard::CustomCard(int id, int drinks, const kit::String& imageName, const kit::String& text)
    : id(id), drinks(drinks), imageName(imageName), text(text) {}

CustomCard::~CustomCard() = default;

kit::Array<serial::Variable> CustomCard::_serialVars() {
    kit::Array<serial::Variable> vars = serial::Serializable::_serialVars();
    vars.push_back(serial::Variable("id", &id));
    vars.push_back(serial::Variable("drinks", &drinks));
    vars.push_back(serial::Variable("imageName", &imageName));
    vars.push_back(serial::Variable("text", &text));
    return vars;
}

CustomCard::Cards CustomCard::loadCustomCards() {
    kit::Array<kit::String> stored = System::profile().getArray(ProfileKey);
    Cards cards;
    for (size_t i = 0; i < stored.size(); ++i) {
        kit::Array<kit::String> parts = System::splitStoredRecord(stored[i], 3);
        if (parts.size() == 2) {
            parts.push_back("");
        }
        if (parts.size() != 3) {
            continue;
        }
        cards.push_back(
            std::make_unique<CustomCard>(-static_cast<int>(i + 1), kit::toInt(parts[0]), parts[1], parts[2]));
    }
    return cards;
}

void CustomCard::storeCustomCards(const Cards& cards) {
    kit::Array<kit::String> stored;
    for (const auto& card : cards) {
        if (!card->text.empty()) {
            stored.push_back(System::formatStoredRecord(card->drinks, card->imageName, card->text));
        }
    }
    System::profile().set(ProfileKey, stored);
    System::profile().save();
}

Field* CustomCard::getField() {
    if (field) {
        return field.get();
    }
    field = std::make_unique<Field>();
    field->id = id;
    field->icon = imageName;
    Action challenge;
    challenge.type = "ActionType_Special_Custom";
    challenge.imageName = imageName;
    challenge.text = text;
    Action drink;
    drink.imageName = "drink";
    drink.sound = "drink";
    drink.drinks = drinks;
    challenge.read();
    drink.read();
    field->actions = {challenge, drink};
    return field.get();
}

}  // namespace Game
