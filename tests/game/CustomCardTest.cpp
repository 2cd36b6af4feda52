#include <gtest/gtest.h>
#include <serial/Serial.h>

#include <memory>

#include "Game/CustomCard.h"
#include "GameWorld.h"

using Game::CustomCard;

namespace {

class CustomCards : public ::testing::Test {
protected:
    void store(const kit::Array<kit::String>& lines) { System::profile().set("CustomCards", lines); }

    // Loads the cards, keeping what the tests look at.
    struct Loaded {
        int id;
        int drinks;
        kit::String imageName;
        kit::String text;
        bool operator==(const Loaded&) const = default;
    };
    kit::Array<Loaded> load() {
        kit::Array<Loaded> result;
        for (const auto& card : CustomCard::loadCustomCards()) {
            result.push_back({card->getId(), card->getDrinks(), card->getImageName(), card->getText()});
        }
        return result;
    }

    GameWorld world;
};

}  // namespace

TEST_F(CustomCards, IdsFollowTheStoredPositionsPastMalformedLines) {
    store({"2 pick Dance on the table", "7", "4 water Drink water"});
    EXPECT_EQ(load(),
              (kit::Array<Loaded>{{-1, 2, "pick", "Dance on the table"}, {-3, 4, "water", "Drink water"}}));
}

TEST_F(CustomCards, ACardWithoutTextLoadsButIsNotStoredAgain) {
    store({"3 sing"});
    CustomCard::Cards cards = CustomCard::loadCustomCards();
    ASSERT_EQ(cards.size(), 1u);
    EXPECT_EQ(cards[0]->getText(), "");
    CustomCard::storeCustomCards(cards);
    EXPECT_TRUE(System::profile().getArray("CustomCards").empty());
}

TEST_F(CustomCards, TextsKeepTheirInnerSpacesThroughStoreAndLoad) {
    store({"  5   paint   Paint   a  moustache {on} [b]you[/b] 100%"});
    EXPECT_EQ(load(), (kit::Array<Loaded>{{-1, 5, "paint", "Paint   a  moustache {on} [b]you[/b] 100%"}}));

    CustomCard::Cards typed;
    typed.push_back(std::make_unique<CustomCard>(-1, 2, "pick", "Say\tthe\nalphabet  backwards"));
    CustomCard::storeCustomCards(typed);
    world.profiles->load();
    EXPECT_EQ(load(), (kit::Array<Loaded>{{-1, 2, "pick", "Say the alphabet  backwards"}}));
}

TEST_F(CustomCards, StoringSavesTheProfile) {
    CustomCard::Cards cards;
    cards.push_back(std::make_unique<CustomCard>(-1, 3, "dance", "Dance"));
    CustomCard::storeCustomCards(cards);
    world.profiles->load();
    EXPECT_EQ(System::profile().getArray("CustomCards"), (kit::Array<kit::String>{"3 dance Dance"}));
    EXPECT_TRUE(load().size() == 1);
    store({});
    EXPECT_TRUE(load().empty());
}

TEST_F(CustomCards, FieldIsBuiltOnceAsChallengeOrDrink) {
    CustomCard card(-2, 4, "poet", "Rhyme {3} times");
    Game::Field* field = card.getField();
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(card.getField(), field);
    EXPECT_EQ(field->id, -2);
    EXPECT_EQ(field->icon, "poet");
    ASSERT_EQ(field->actions.size(), 2u);
    EXPECT_EQ(field->actions[0],
              (Game::Action{"ActionType_Special_Custom", "poet", "", 0, "Player", false, "Rhyme {3} times"}));
    EXPECT_EQ(field->actions[1],
              (Game::Action{"ActionType_Drink_Player", "drink", "drink", 4, "Player", false, ""}));
}

TEST_F(CustomCards, SurviveSerialisationWithoutTheirField) {
    CustomCard card(-4, 6, "butt", "Shake it");
    card.getField();
    std::unique_ptr<serial::Serializable> back(serial::fromXml(serial::toXml(&card)));
    auto* copy = dynamic_cast<CustomCard*>(back.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->getId(), -4);
    EXPECT_EQ(copy->getDrinks(), 6);
    EXPECT_EQ(copy->getImageName(), "butt");
    EXPECT_EQ(copy->getText(), "Shake it");
}
