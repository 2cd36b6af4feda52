#include <gtest/gtest.h>
#include <kit/Strings.h>

#include <set>

#include "GameWorld.h"

using Game::AlcoTestData;

namespace {

// Every action type of the catalogue, without "ActionType_".
const std::set<kit::String> Vocabulary = {
    "Drink_AllPlayers",
    "Drink_Blindfold",
    "Drink_ExceptPlayer",
    "Drink_Injustice",
    "Drink_Justice",
    "Drink_Player",
    "Drink_WithPlayer",
    "Move_Backwards",
    "Move_NextBackwards",
    "Move_SkipTurn",
    "Move_Switch",
    "Move_SwitchLast",
    "Move_ToStart",
    "Special_AirGuitar",
    "Special_AllSlap",
    "Special_Animal",
    "Special_BJ",
    "Special_BareFoot",
    "Special_BarkCall",
    "Special_BellyDance",
    "Special_BodyShot",
    "Special_Butt",
    "Special_CallEx",
    "Special_CallLove",
    "Special_CartwheelHandstand",
    "Special_Compliment",
    "Special_Crawl",
    "Special_Dance",
    "Special_DanceMoves",
    "Special_DatAsh",
    "Special_Do69",
    "Special_DrawForehead",
    "Special_DrawHand",
    "Special_DrawMustache",
    "Special_DrawSomebody",
    "Special_DrinkEgg",
    "Special_DrinkStripSlapped",
    "Special_FaceLick",
    "Special_FakeOrgasm",
    "Special_FamilyTalk",
    "Special_Flash",
    "Special_GroupPhoto",
    "Special_GroupPhoto2",
    "Special_Haircut",
    "Special_HandToilet",
    "Special_HotAbs",
    "Special_HugEverybody",
    "Special_IceWashing",
    "Special_Impersonate",
    "Special_InviteSomebody",
    "Special_KissToes",
    "Special_LickAnimal",
    "Special_LickElbow",
    "Special_LickEye",
    "Special_Lift",
    "Special_LoveWhy",
    "Special_MakeOut",
    "Special_Massage",
    "Special_MeanInsult",
    "Special_Milk",
    "Special_Nothing",
    "Special_Obnoxious",
    "Special_Parkour",
    "Special_PhoneXXXBoy",
    "Special_PhoneXXXGirl",
    "Special_PhotoBody",
    "Special_PhotoChest",
    "Special_Pinch",
    "Special_Poem",
    "Special_PrettyBoy",
    "Special_PrettyGirl",
    "Special_PunchWall",
    "Special_PushUp",
    "Special_RecentTexts",
    "Special_RollAndSplit",
    "Special_RunUnderwear",
    "Special_Seduction",
    "Special_Selfie",
    "Special_SendText",
    "Special_ShowUnderwear",
    "Special_SingSong",
    "Special_SitLap",
    "Special_Slapped",
    "Special_SocialStatus",
    "Special_Spank",
    "Special_Spin",
    "Special_Squat",
    "Special_Start",
    "Special_Strip",
    "Special_SupportHate",
    "Special_TextEx",
    "Special_TrySplit",
    "Special_Water",
    "Special_XXX",
    "Special_YellTarzan",
    "Special_Zipper",
};

const std::set<kit::String> Targets = {"Player",  "Random",        "Pick1",      "Pick2", "Pick3",
                                       "None",    "All",           "Female",     "Male",  "PreviousAction",
                                       "Special", "FemaleVersion", "MaleVersion"};

class Catalogue : public ::testing::Test {
protected:
    GameWorld world;
    System::DataManager& data = world.data();
};

}  // namespace

TEST_F(Catalogue, ListsHaveTheirSizesAndFirstEntries) {
    EXPECT_EQ(Vocabulary.size(), 96u);
    ASSERT_EQ(data.getColors().size(), 14u);
    EXPECT_EQ(data.getColors().front(), "FF0000FF");
    EXPECT_EQ(data.getColors()[3], "E4EA00FF");
    EXPECT_EQ(data.getColors().back(), "000000FF");
    ASSERT_EQ(data.getCharacters().size(), 26u);
    EXPECT_EQ(data.getCharacters().front(), "00");
    EXPECT_EQ(data.getCharacters().back(), "25");
    ASSERT_EQ(data.getTokenOffsets().size(), 26u);
    EXPECT_EQ(data.getTokenOffset("00"), quadrix::Vector2(98, 253));
    EXPECT_EQ(data.getTokenOffset("25"), quadrix::Vector2(65, 280));
    ASSERT_EQ(data.getCustomCardIcons().size(), 28u);
    EXPECT_EQ(data.getCustomCardIcons().front(), "dance_moves");
    EXPECT_EQ(data.getCustomCardIcons().back(), "poet");
    EXPECT_EQ(data.getCountedIcons(), (kit::Array<kit::String>{"drink", "strip", "slapped"}));
    EXPECT_EQ(data.getAlwaysCountedIcons(), (kit::Array<kit::String>{"move_back"}));
    EXPECT_EQ(data.getSurpriseCards().size(), 47u + 45u);
    EXPECT_EQ(data.getFields().size(), 28u + 47u + 45u);
}

TEST_F(Catalogue, BoardHasTwelveSurprisePositionsAndFourCorners) {
    const auto& board = data.getBoard();
    ASSERT_EQ(board.size(), 40u);
    std::set<int> surprises;
    std::set<int> corners;
    for (int p = 0; p < 40; ++p) {
        if (!board[p]) {
            surprises.insert(p);
            continue;
        }
        EXPECT_EQ(board[p]->id, 10 * (p + 1));
        if (board[p]->corner) {
            corners.insert(p);
        }
    }
    EXPECT_EQ(surprises, (std::set<int>{2, 5, 8, 12, 15, 18, 22, 25, 28, 32, 35, 38}));
    EXPECT_EQ(corners, (std::set<int>{0, 10, 20, 30}));
    EXPECT_EQ(board[0]->icon, "");
}

TEST_F(Catalogue, EveryFieldIsWellFormed) {
    std::set<int> ids;
    for (const Game::Field* field : data.getFields()) {
        SCOPED_TRACE(field->id);
        EXPECT_TRUE(ids.insert(field->id).second) << "duplicate id";
        EXPECT_FALSE(field->actions.empty());
        for (const Game::Action& action : field->actions) {
            ASSERT_TRUE(kit::startsWith(action.type, "ActionType_"));
            EXPECT_EQ(Vocabulary.count(action.type.substr(11)), 1u) << action.type;
            EXPECT_EQ(Targets.count(action.target), 1u) << action.target;
            EXPECT_FALSE(action.imageName.empty());
            EXPECT_TRUE(action.text.empty());
        }
    }
    EXPECT_EQ(ids.count(2040), 0u);
}

TEST_F(Catalogue, ActionsCarryTheirDefaultsAndOverrides) {
    const Game::Field* pinch = data.getFieldById(70);
    ASSERT_NE(pinch, nullptr);
    ASSERT_EQ(pinch->actions.size(), 2u);
    EXPECT_EQ(pinch->actions[0],
              (Game::Action{"ActionType_Special_Pinch", "pinch", "", 1, "Random", false, ""}));
    EXPECT_EQ(pinch->actions[1],
              (Game::Action{"ActionType_Drink_Player", "drink", "drink", 1, "Player", false, ""}));

    const Game::Field* allDrink = data.getFieldById(310);
    EXPECT_TRUE(allDrink->corner);
    EXPECT_EQ(allDrink->actions[0].sound, "all drink much");
    EXPECT_EQ(allDrink->actions[0].drinks, 3);

    EXPECT_TRUE(data.getFieldById(1070)->actions[0].rollAgain);
    EXPECT_EQ(data.getFieldById(1060)->actions[0].sound, "drink");
    EXPECT_EQ(data.getFieldById(1200)->icon, "dance");
    EXPECT_EQ(data.getFieldById(1200)->actions[0].imageName, "dance_moves");
    EXPECT_EQ(data.getFieldById(2270)->icon, "69");
    EXPECT_EQ(data.getFieldById(2270)->actions[1].target, "PreviousAction");
    EXPECT_EQ(data.getFieldById(300)->actions[0].sound, "skip turn");
}

TEST_F(Catalogue, MinimumPlayersAndFallbacks) {
    EXPECT_EQ(data.getFieldById(320)->minPlayers, 4);
    EXPECT_EQ(data.getFieldById(320)->fallbackId, 270);
    EXPECT_EQ(data.getFieldById(340)->minPlayers, 3);
    EXPECT_EQ(data.getFieldById(340)->fallbackId, 50);
    int withFallback = 0;
    for (const Game::Field* field : data.getFields()) {
        withFallback += field->fallbackId > 0 ? 1 : 0;
        if (field->fallbackId == 0) {
            EXPECT_EQ(field->minPlayers, 2) << field->id;
        }
    }
    EXPECT_EQ(withFallback, 2);
}

TEST_F(Catalogue, LookUpOfMissingIdsLogsOnlyForNonNegativeOnes) {
    LogLines log;
    EXPECT_EQ(data.getFieldById(30), nullptr);
    EXPECT_TRUE(log.contains("Could not find game field with ID: 30"));
    log.lines.clear();
    EXPECT_EQ(data.getFieldById(-1), nullptr);
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(Catalogue, SurpriseBlocksAreInOrderAndAddedOnce) {
    const auto& cards = data.getSurpriseCards();
    EXPECT_EQ(cards.front()->id, 1010);
    EXPECT_EQ(cards[46]->id, 1470);
    EXPECT_EQ(cards[47]->id, 2010);
    EXPECT_EQ(cards.back()->id, 2460);
    EXPECT_EQ(data.getFields()[28], cards.front());
    data.addExtraSurpriseCards();
    EXPECT_EQ(data.getSurpriseCards().size(), 92u);

    System::DataManager fresh("data");
    EXPECT_EQ(fresh.getSurpriseCards().size(), 47u);
    EXPECT_EQ(fresh.getFieldById(2010), nullptr);
}

TEST_F(Catalogue, GenderVariantsStayOnlyForTheirGender) {
    const Game::Field* field = data.getFieldById(2190);
    auto female = System::DataManager::getActionsFor(field, AlcoTestData::Gender::female);
    ASSERT_EQ(female.size(), 2u);
    EXPECT_EQ(female[0].target, "FemaleVersion");
    EXPECT_EQ(female[0].type, "ActionType_Special_PhoneXXXBoy");
    EXPECT_EQ(female[1].type, "ActionType_Drink_Player");
    auto male = System::DataManager::getActionsFor(field, AlcoTestData::Gender::male);
    ASSERT_EQ(male.size(), 2u);
    EXPECT_EQ(male[0].type, "ActionType_Special_PhoneXXXGirl");
    EXPECT_EQ(System::DataManager::getActionsFor(data.getFieldById(70), AlcoTestData::Gender::female).size(),
              2u);
}

TEST_F(Catalogue, SelfExcludedTypes) {
    EXPECT_TRUE(System::DataManager::isSelfExcludedType("ActionType_Drink_WithPlayer"));
    EXPECT_TRUE(System::DataManager::isSelfExcludedType("ActionType_Special_RecentTexts"));
    EXPECT_FALSE(System::DataManager::isSelfExcludedType("ActionType_Drink_Player"));
    EXPECT_FALSE(System::DataManager::isSelfExcludedType("ActionType_Special_DrinkStripSlapped"));
}

TEST_F(Catalogue, ActionHelpers) {
    Game::Action action;
    action.target = "Pick1";
    EXPECT_EQ(action.getTextKey(), "gui.ActionType_Drink_Player_Pick1");
    EXPECT_TRUE(action.isDrinkType());
    action.type = "ActionType_Move_Backwards";
    EXPECT_FALSE(action.isDrinkType());
}
