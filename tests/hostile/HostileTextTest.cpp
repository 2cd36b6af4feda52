#include <fonts/Markup.h>
#include <gtest/gtest.h>
#include <kit/Strings.h>
#include <serial/Serial.h>

#include <memory>

#include "Game/CustomCard.h"
#include "Game/Player.h"
#include "GameWorld.h"
#include "System/TempState.h"

// Text typed by players is kept and shown exactly as typed: never taken as mark-up, format or
// composite-key syntax, never lost on the way through saves and the profile.
namespace {

kit::Array<kit::String> hostileTexts() {
    kit::String invalidUtf8("bad \xc3\x28 \xff\xfe end");
    kit::String controls("bell\x07 esc\x1b[31m red \x01\x02");
    return {
        "{%s %s} gui.Player {x}",           // composite-key syntax
        "100% %s %d %n %%",                 // format directives
        "[c=FF0000]Admin[/c]",              // a colour tag in a name, as in many a game's chat
        "[b=000000]bold[/b] [c=12]broken",  // border tag and a malformed one
        "\\[c=00FF00]escaped\\",            // backslashes of its own
        "<b>html</b> &amp; \"quotes\"",     // XML and HTML look-alikes
        "\xe2\x80\xae"
        "desserts",                 // right-to-left override
        "Žluťoučký 汉字 Привет 🍺",  // any script
        controls,                   // control bytes in a name
        invalidUtf8,                // not UTF-8 at all
        kit::String(10000, 'W'),    // very long
    };
}

// Profile arrays separate elements with tabs and lines with line feeds; everything else is kept.
bool storable(const kit::String& text) {
    return text.find_first_of("\t\n\r") == kit::String::npos;
}

}  // namespace

TEST(HostileText, NamesInMarkupShowAsTypedWithOnlyThePlayersColours) {
    for (const kit::String& name : hostileTexts()) {
        Game::Player player("FF0000FF", "00");
        player.setName(name);
        kit::String rich = player.getRichName();
        EXPECT_EQ(fonts::Markup::plainText(rich), name);
        kit::Array<fonts::Markup::Span> spans = fonts::Markup::parse(rich);
        ASSERT_FALSE(spans.empty());
        for (const fonts::Markup::Span& span : spans) {
            EXPECT_EQ(span.color, spans.front().color) << "a tag from the name took effect: " << name;
            EXPECT_EQ(span.border, spans.front().border) << name;
        }
    }
}

TEST(HostileText, NamesSurviveASaveAndLoadOfTheGame) {
    GameWorld world;
    System::GameState* state = System::gameState();
    for (const kit::String& name : hostileTexts()) {
        auto* player = new Game::Player("00FF00FF", "01");
        player->setName(name);
        state->addPlayer(player);
    }
    ASSERT_TRUE(ventrel::saveManager->saveAuto(state));
    ventrel::system::GameState* loaded = nullptr;
    ASSERT_TRUE(ventrel::saveManager->loadAuto(&loaded));
    std::unique_ptr<ventrel::system::GameState> owned(loaded);
    auto* game = dynamic_cast<System::GameState*>(loaded);
    ASSERT_NE(game, nullptr);
    kit::Array<kit::String> texts = hostileTexts();
    ASSERT_EQ(game->getPlayers().size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(game->getPlayers()[i]->getName(), texts[i]);
    }
    game->clear();
}

TEST(HostileText, CustomCardTextsSurviveTheProfile) {
    GameWorld world;
    kit::Array<Game::CustomCard*> cards;
    for (const kit::String& text : hostileTexts()) {
        cards.push_back(new Game::CustomCard(0, 3, "drink", text));
    }
    Game::CustomCard::storeCustomCards(cards);
    ventrel::profileManager->load();
    kit::Array<Game::CustomCard*> loaded = Game::CustomCard::loadCustomCards();
    ASSERT_EQ(loaded.size(), cards.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        const kit::String& typed = cards[i]->getText();
        if (storable(typed)) {
            EXPECT_EQ(loaded[i]->getText(), typed);
        }
        EXPECT_EQ(loaded[i]->getDrinks(), 3);
        EXPECT_EQ(loaded[i]->getImageName(), "drink");
    }
    for (Game::CustomCard* card : cards)
        delete card;
    for (Game::CustomCard* card : loaded)
        delete card;
}

TEST(HostileText, HallOfFameNamesSurviveTheProfile) {
    GameWorld world;
    kit::Array<System::HallOfFameRecord> records;
    int value = 100;
    for (const kit::String& name : hostileTexts()) {
        if (storable(name) && records.size() < System::TempState::HallOfFameSize) {
            records.push_back({value--, "02", name});
        }
    }
    System::TempState::saveHallOfFame(System::TempState::HallOfFameDrinks, records);
    ventrel::profileManager->load();
    EXPECT_EQ(System::TempState::loadHallOfFame(System::TempState::HallOfFameDrinks), records);
}
