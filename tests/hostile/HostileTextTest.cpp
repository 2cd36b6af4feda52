#include <fonts/Markup.h>
#include <gtest/gtest.h>
#include <kit/Strings.h>
#include <serial/Serial.h>

#include <algorithm>
#include <memory>

#include "Game/CustomCard.h"
#include "Game/Player.h"
#include "GameWorld.h"
#include "System/StoredText.h"
#include "System/TempState.h"

// Text typed by players is kept and shown exactly as typed: never taken as mark-up, format or
// composite-key syntax, never lost on the way through saves and the profile.
namespace {

// Named regression cases: the incidents players of other games ran into, and the text any typed name
// may hold.
struct Hostile {
    const char* incident;
    kit::String text;
};

kit::Array<Hostile> hostileTexts() {
    return {
        {"composite-key syntax", "{%s %s} gui.Player {x}"},
        {"format directives", "100% %s %d %n %%"},
        {"a colour tag in a name", "[c=FF0000]Admin[/c]"},
        {"a border tag and a malformed one", "[b=000000]bold[/b] [c=12]broken"},
        {"backslashes of its own", "\\[c=00FF00]escaped\\"},
        {"XML and HTML look-alikes", "<b>html</b> &amp; \"quotes\""},
        {"a right-to-left override",
         "\xe2\x80\xae"
         "desserts"},
        {"any script", "Žluťoučký 汉字 Привет 🍺"},
        {"control bytes in a name", "bell\x07 esc\x1b[31m red \x01\x02"},
        {"not UTF-8 at all", "bad \xc3\x28 \xff\xfe end"},
        {"very long", kit::String(10000, 'W')},
    };
}

}  // namespace

TEST(HostileText, NamesInMarkupShowAsTypedWithOnlyThePlayersColours) {
    for (const auto& [incident, name] : hostileTexts()) {
        SCOPED_TRACE(incident);
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
    for (const auto& [incident, name] : hostileTexts()) {
        state->addPlayer(std::make_unique<Game::Player>("00FF00FF", "01"))->setName(name);
    }
    ASSERT_TRUE(ventrel::saveManager->saveAuto(state));
    std::unique_ptr<ventrel::system::GameState> owned = ventrel::saveManager->loadAuto();
    ASSERT_NE(owned, nullptr);
    ventrel::system::GameState* loaded = owned.get();
    auto* game = dynamic_cast<System::GameState*>(loaded);
    ASSERT_NE(game, nullptr);
    kit::Array<Hostile> texts = hostileTexts();
    ASSERT_EQ(game->getPlayers().size(), texts.size());
    for (size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(game->getPlayers()[i]->getName(), texts[i].text) << texts[i].incident;
    }
    game->clear();
}

TEST(HostileText, CustomCardTextsSurviveTheProfile) {
    GameWorld world;
    Game::CustomCard::Cards cards;
    for (const auto& [incident, text] : hostileTexts()) {
        cards.push_back(std::make_unique<Game::CustomCard>(0, 3, "drink", text));
    }
    // A line break cannot be stored: it comes back as a space.
    cards.push_back(std::make_unique<Game::CustomCard>(0, 3, "drink", "Sing\na\tsong"));
    Game::CustomCard::storeCustomCards(cards);
    ventrel::profileManager->load();
    Game::CustomCard::Cards loaded = Game::CustomCard::loadCustomCards();
    ASSERT_EQ(loaded.size(), cards.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        EXPECT_EQ(loaded[i]->getText(), System::storableText(cards[i]->getText()));
        EXPECT_EQ(loaded[i]->getDrinks(), 3);
        EXPECT_EQ(loaded[i]->getImageName(), "drink");
    }
}

TEST(HostileText, HallOfFameNamesSurviveTheProfile) {
    GameWorld world;
    // A list holds ten records: the cases go in by tens.
    kit::Array<Hostile> cases = hostileTexts();
    for (size_t first = 0; first < cases.size(); first += System::TempState::HallOfFameSize) {
        kit::Array<System::HallOfFameRecord> records;
        for (size_t i = first; i < std::min(cases.size(), first + System::TempState::HallOfFameSize); ++i) {
            records.push_back({static_cast<int>(100 - i), "02", cases[i].text});
        }
        System::TempState::saveHallOfFame(System::TempState::HallOfFameDrinks, records);
        ASSERT_TRUE(ventrel::profileManager->save());
        ventrel::profileManager->load();
        EXPECT_EQ(System::TempState::loadHallOfFame(System::TempState::HallOfFameDrinks), records);
    }
}
