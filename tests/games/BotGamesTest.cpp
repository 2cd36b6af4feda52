// Bots that play whole games through the screens, with their choices drawn from a seed, and check
// the game's rules after every phase; now and then they leave the game with a question open and resume
// it, as friends do who close the program and start it again. SWIGGARD_BOT_GAMES (default 1),
// SWIGGARD_BOT_SEED (default 1) and SWIGGARD_BOT_TURNS (default 12) set the run; scripts/bots runs many. A
// failure names the seed and the turn, and the same seed plays the same game again.
#include <fonts/Renderer.h>
#include <gtest/gtest.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <ventrel/system/SaveManager.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "BoardPlay.h"
#include "Menu/InGame/Status.h"
#include "ProcessMemory.h"
#include "System/Objects.h"

namespace e2etest {
namespace {

class Bot {
public:
    Bot(GameSession& session, unsigned int seed)
        : session(session), seed(seed), play(session, BoardPlayer::Input::Mouse) {}

    // A new game set up from the seed, played for that many turns.
    void playGame(int turns) {
        kit::seedRandom(seed);
        int players = 2 + static_cast<int>(seed % 13);
        const Layout layouts[] = {Layout::Classic, Layout::Planets};
        const FieldSet fields[] = {FieldSet::Classic, FieldSet::Shuffle, FieldSet::Surprise};
        const CardSet cards[] = {CardSet::Classic, CardSet::Custom, CardSet::Mixed};
        board =
            startBoard(session, players, layouts[seed % 2], fields[(seed / 2) % 3], cards[(seed / 6) % 3]);
        ASSERT_NE(board, nullptr) << where();
        _remember();
        while (play.getStartedTurns() < turns && !::testing::Test::HasFatalFailure()) {
            ASSERT_TRUE(play.playUntil([this] { return _watch(); }, 4000))
                << where() << ": the game stands still";
            if (leaving) {
                _leaveWithTheQuestion();
            } else {
                _now();
            }
        }
    }

    int getChecks() const { return checks; }
    int getLeftWithQuestions() const { return leftWithQuestions; }

private:
    GameSession& session;
    unsigned int seed;
    BoardPlayer play;
    OpenBoard* board = nullptr;
    std::map<const Game::Player*, int> drinks;
    kit::String phase;
    int turnIndex = 0;
    int checks = 0;
    // The question last seen, each drawn once for leaving.
    kit::String question;
    bool leaving = false;
    int leftWithQuestions = 0;

    kit::String where() const {
        return "seed " + kit::toString(seed) + " turn " + kit::toString(play.getStartedTurns());
    }

    // Checked every frame; true at the start of each turn, where the bot may do something else, and
    // when it leaves with a question open.
    bool _watch() {
        kit::String now = game().getTurnPhase().getName();
        if (now != phase || game().getTurnIndex() != turnIndex) {
            _checkPhaseOrder(now);
            _checkRules();
            _remember();
        }
        kit::String asked = _question();
        if (asked != question) {
            question = asked;
            leaving = !asked.empty() && kit::random(0, 8) == 0;
            if (leaving) {
                return true;
            }
        }
        return now == "Start" && board->isInputAllowed() && isShown(board->getGui(), "button_dice") &&
               !board->getRollDice()->isVisible() && !openDialog() && kit::random(0, 3) == 0;
    }

    void _remember() {
        phase = game().getTurnPhase().getName();
        turnIndex = game().getTurnIndex();
        for (const Game::Player* player : game().getPlayers()) {
            drinks[player] = player->getDrinks();
        }
    }

    void _checkPhaseOrder(const kit::String& now) {
        static const std::map<kit::String, kit::String> next = {
            {"Start", "Choice"}, {"Choice", "Finalize"}, {"Finalize", "Start"}};
        // A roll again or a backwards move can begin the same phase anew; a phase is never skipped.
        EXPECT_TRUE(now == phase || next.at(phase) == now || (phase == "Finalize" && now == "Choice"))
            << where() << ": " << phase << " -> " << now;
    }

    void _checkRules() {
        ++checks;
        const auto& players = game().getPlayers();
        for (const Game::Player* player : players) {
            EXPECT_GE(player->getDrinks(), drinks[player]) << where() << ": drinks fell";
            EXPECT_LE(player->getDrinks(), 9001) << where();
            // The log tells every sip, water sip, challenge and lap the counters hold.
            Game::GameLog::Totals told = game().getLog().getTotals(game().seatOf(player));
            EXPECT_EQ(told.sips, player->getDrinks()) << where();
            EXPECT_EQ(told.water, player->getWaterSips()) << where();
            EXPECT_EQ(told.accepted, player->getAcceptedChallenges()) << where();
            EXPECT_GE(told.laps, player->getLaps()) << where();
        }
        Game::Player* current = game().getCurrentPlayer();
        ASSERT_NE(current, nullptr) << where();
        EXPECT_TRUE(current->isPlaying() || game().getTurnPhase().getName() != "Start") << where();
        for (const auto* list : {&game().getPickedPlayers(), &game().getAffectedPlayers()}) {
            std::set<const Game::Player*> once(list->begin(), list->end());
            EXPECT_EQ(once.size(), list->size()) << where() << ": a player listed twice";
        }
        _checkSave();
    }

    // The save written for this phase holds this very state.
    void _checkSave() {
        std::unique_ptr<ventrel::system::GameState> loaded = ventrel::saveManager->loadAuto();
        ASSERT_NE(loaded, nullptr) << where();
        auto* saved = dynamic_cast<System::GameState*>(loaded.get());
        ASSERT_NE(saved, nullptr);
        EXPECT_EQ(saved->getTurnIndex(), game().getTurnIndex()) << where();
        EXPECT_EQ(saved->getTurnPhase(), game().getTurnPhase()) << where();
        EXPECT_EQ(saved->getMultiplier(), game().getMultiplier()) << where();
        ASSERT_EQ(saved->getPlayers().size(), game().getPlayers().size()) << where();
        EXPECT_EQ(saved->getLog().size(), game().getLog().size()) << where();
        for (size_t i = 0; i < saved->getPlayers().size(); ++i) {
            EXPECT_EQ(saved->getPlayers()[i]->getDrinks(), game().getPlayers()[i]->getDrinks()) << where();
            EXPECT_EQ(saved->getPlayers()[i]->getCurrentField(), game().getPlayers()[i]->getCurrentField())
                << where();
            EXPECT_EQ(saved->getPlayers()[i]->isPlaying(), game().getPlayers()[i]->isPlaying()) << where();
        }
    }

    // Between turns: look at the list, send somebody home, or leave and come back.
    void _now() {
        int choice = kit::random(0, 6);
        if (choice > 2) {
            return;
        }
        if (!_openPause()) {
            return;
        }
        Menu::InGame::Main* pause = board->getMainMenu();
        if (choice == 1 && game().getPlayingPlayers().size() > 2) {
            int victim = kit::random(0, static_cast<int>(game().getPlayers().size()));
            kit::String button = System::slotName("button_player_delete_", victim);
            if (isShown(pause->getStatus(), button) && _inView(pause->getStatus(), button)) {
                play.press(pause->getStatus(), button);
                _answer(0);
            }
        }
        if (choice == 2) {
            play.press(pause, "button_exit");
            _answer(0);
            // Leaving offers the end of the night; these players only step out.
            ASSERT_TRUE(session.getDriver().stepUntil(
                [] {
                    return openDialog() && openDialog()->getContext() == Menu::InGame::Main::EndNightContext;
                },
                120))
                << where();
            _answer(1);
            _resume();
            return;
        }
        play.press(pause, "button_continue");
        session.getDriver().step(30);
    }

    // The open question as the players read it, "" without one.
    static kit::String _question() {
        ventrel::menu::Dialog* dialog = openDialog();
        if (!dialog) {
            return "";
        }
        auto* text = dynamic_cast<gui::Label*>(dialog->getObject("text_dialog_0"));
        return dialog->getName() + " " + (text ? text->getTextKey() : kit::String());
    }

    // The program goes away with the question open (its board finishes and saves, as when the window is
    // closed) and the game is resumed from the title: the same question is asked again, except a picker,
    // whose landing is asked again.
    void _leaveWithTheQuestion() {
        leaving = false;
        kit::String asked = question;
        ventrel::sceneManager->switchScene("Scene::Title");
        _resume();
        ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 300))
            << where() << ": the question " << asked << " was lost";
        if (!kit::startsWith(asked, Scene::Board::PickerDialog)) {
            EXPECT_EQ(_question(), asked) << where();
        }
        ++leftWithQuestions;
    }

    void _resume() {
        ASSERT_TRUE(session.waitForScene("Scene::Title")) << where();
        session.click(session.getScene()->getMenus().back(), "button_resume");
        ASSERT_TRUE(session.getDriver().stepUntil(
            [] {
                auto* board = dynamic_cast<Scene::Board*>(ventrel::sceneManager->getScene());
                return board && board->isRunning() && !ventrel::sceneManager->getNextScene() &&
                       (board->isInputAllowed() || openDialog() != nullptr);
            },
            600))
            << where() << ": no resume";
        board = dynamic_cast<OpenBoard*>(session.getScene());
        ASSERT_NE(board, nullptr);
        _remember();
        question.clear();
    }

    bool _openPause() {
        for (int tries = 0; tries < 10 && !board->getMainMenu()->isVisible(); ++tries) {
            session.click(board->getGui(), "button_menu");
            session.getDriver().step(10);
        }
        return session.waitForInput(board->getMainMenu());
    }

    bool _inView(ventrel::system::Context* screen, const kit::String& name) {
        gui::Object* area = screen->getObject("scroll_area");
        gui::Object* object = screen->getObject(name);
        return area && object && area->getBoundingRect().isPointInside(object->getBoundingRect().getCenter());
    }

    void _answer(int button) {
        ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 120)) << where();
        session.click(openDialog(), "button_dialog_" + kit::toString(button));
        session.getDriver().step(20);
    }
};

// The memory after this many games, with the label cache that may hold some of it.
ProcessMemory printMemory(int games, int checks) {
    ProcessMemory memory = ProcessMemory::now();
    fonts::Renderer::Stats labels = fonts::renderer->getStats();
    std::printf(
        "%d games, %d checks; resident %ld KiB, private %ld KiB, heap in use %ld KiB; "
        "%zu labels cached in %zu KiB\n",
        games, checks, memory.resident, memory.anonymous, memory.heapInUse, labels.cachedEntries,
        labels.cachedBytes / 1024);
    std::fflush(stdout);
    return memory;
}

TEST(BotGames, PlayThroughTheScreensAndKeepTheRules) {
    int games = envNumber("SWIGGARD_BOT_GAMES", 1);
    int seed = envNumber("SWIGGARD_BOT_SEED", 1);
    int turns = envNumber("SWIGGARD_BOT_TURNS", 12);
    GameSession session;
    ASSERT_TRUE(session.waitForScene());
    session.getDriver().setTimeStep(1.0f / 15.0f);
    // The bots look at the objects, not the pictures: a small window draws them quickly.
    session.useWindow(320, 240);
    // Own cards for the custom and mixed card sets.
    System::profile().set("CustomCards",
                          kit::Array<kit::String>{"2 drink Sing", "3 dance Dance", "1 strip Swap shoes",
                                                  "4 poet Rhyme", "5 kiss Blow a kiss", "2 water Gargle"});
    int checks = 0;
    int leftWithQuestions = 0;
    ProcessMemory settled;
    for (int g = 0; g < games && !HasFatalFailure(); ++g) {
        Bot bot(session, static_cast<unsigned int>(seed + g));
        bot.playGame(turns);
        checks += bot.getChecks();
        leftWithQuestions += bot.getLeftWithQuestions();
        if ((g + 1) % 100 != 0) {
            continue;
        }
        ProcessMemory memory = printMemory(g + 1, checks);
        // By game 100 every kind of game has been played and every cache is full.
        if (g == 99) {
            settled = memory;
        }
    }
    ProcessMemory last = printMemory(games, checks);
    RecordProperty("checks", checks);
    std::printf("%d times left with a question open and resumed\n", leftWithQuestions);
    EXPECT_GT(checks, games * turns) << "every phase is checked";
    EXPECT_GT(leftWithQuestions, 0) << "nobody left with a question open";
    if (games >= 200) {
        EXPECT_LE(last.resident, settled.resident * 11 / 10) << "the memory grows from game to game";
    }
}

}  // namespace
}  // namespace e2etest
