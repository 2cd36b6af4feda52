// A seeded game of 200 turns, played through the screens, must play exactly as the stored one did: its
// event log (rolls, landings, dialog texts in English, answers, sips, moves) and its final save are
// compared with tests/golden/. When a change of the rules or texts is meant, scripts/golden writes them
// anew (SWIGGARD_GOLDEN_UPDATE=1) and the diff shows what changed.
#include <gtest/gtest.h>
#include <gui/Label.h>
#include <kit/Env.h>
#include <kit/File.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <serial/Serial.h>
#include <ventrel/system/SaveManager.h>

#include <regex>

#include "BoardPlay.h"

namespace e2etest {
namespace {

constexpr unsigned int Seed = 20261209;
constexpr int Turns = 200;

// What a watcher of the game would write down, one line per event.
class EventLog {
public:
    void watch(const BoardPlayer& play, OpenBoard& board) {
        _watchRoll(board);
        _watchDialog();
        _watchAnswer(play);
        _watchPhase();
    }

    const kit::String& getText() const { return text; }

private:
    kit::String text;
    kit::String phase;
    int turnIndex = -1;
    const ventrel::menu::Dialog* dialog = nullptr;
    int answers = 0;
    int rolled = 0;

    void _line(const kit::String& line) { text += line + "\n"; }

    void _watchRoll(OpenBoard& board) {
        int value = board.getRollDice()->getRolledValue();
        if (value != rolled) {
            rolled = value;
            if (value != 0) {
                _line("  roll " + kit::toString(value));
            }
        }
    }

    void _watchDialog() {
        ventrel::menu::Dialog* shown = openDialog();
        if (shown == dialog) {
            return;
        }
        dialog = shown;
        if (!shown) {
            return;
        }
        kit::Array<kit::String> texts;
        for (int n = 0; n < shown->getButtonCount(); ++n) {
            auto* label = dynamic_cast<gui::Label*>(shown->getObject("text_dialog_" + kit::toString(n)));
            if (label && label->isDerivedVisible() && !label->getText().empty()) {
                texts.push_back(label->getText());
            }
        }
        _line("  dialog " + shown->getName() + ": " + kit::join(texts, " | "));
    }

    void _watchAnswer(const BoardPlayer& play) {
        if (play.getAnsweredDialogs() != answers) {
            answers = play.getAnsweredDialogs();
            _line("  answer " + play.getLastAnswer());
        }
    }

    void _watchPhase() {
        System::GameState& state = game();
        kit::String now = state.getTurnPhase().getName();
        if (now == phase && state.getTurnIndex() == turnIndex) {
            return;
        }
        phase = now;
        turnIndex = state.getTurnIndex();
        Game::Player* current = state.getCurrentPlayer();
        kit::String line = "turn " + kit::toString(turnIndex) + " " + phase;
        if (current) {
            line += " " + current->getName() + " field " + kit::toString(current->getCurrentField());
        }
        kit::Array<kit::String> sips;
        for (const Game::Player* player : state.getPlayers()) {
            sips.push_back(kit::toString(player->getDrinks()));
        }
        _line(line + " sips " + kit::join(sips, ",") + " x" + kit::toString(state.getMultiplier()));
    }
};

// The final save as it loads again, without the clock times that differ from run to run.
kit::String savedGame() {
    std::unique_ptr<ventrel::system::GameState> loaded = ventrel::saveManager->loadAuto();
    if (!loaded) {
        return "the autosave does not load";
    }
    kit::String xml = serial::toXml(loaded.get());
    return std::regex_replace(xml, std::regex("(name=\"[A-Za-z]*[Tt]ime\">)[0-9]+"), "$1*");
}

// Compares with the stored file, or stores the text when asked to.
void compareWithGolden(const kit::String& text, const kit::String& name) {
    const kit::String path = kit::String(SWIGGARD_GOLDEN_DIR) + "/" + name;
    if (!kit::getEnv("SWIGGARD_GOLDEN_UPDATE").empty()) {
        ASSERT_TRUE(kit::File::write(path, text)) << path;
        return;
    }
    kit::String stored = kit::File::readText(path);
    ASSERT_FALSE(stored.empty()) << path << " is missing: run scripts/golden";
    if (stored == text) {
        return;
    }
    const kit::String fresh = path + ".new";
    kit::File::write(fresh, text);
    ADD_FAILURE() << name << " differs from the stored run; this run is in " << fresh
                  << " (diff them; scripts/golden stores it when the change is meant)";
}

TEST(GoldenRun, ASeededGamePlaysAsStored) {
    GameSession session;
    ASSERT_TRUE(session.waitForScene());
    // Nobody looks at the pictures: a small window draws them quickly.
    session.useWindow(320, 240);
    kit::seedRandom(Seed);
    OpenBoard* board = startBoard(session, 5, Layout::Classic, FieldSet::Shuffle, CardSet::Classic);
    ASSERT_NE(board, nullptr);
    BoardPlayer play(session, BoardPlayer::Input::Mouse);
    EventLog log;
    while (play.getStartedTurns() < Turns && !::testing::Test::HasFatalFailure()) {
        ASSERT_TRUE(play.playUntil(
            [&] {
                log.watch(play, *board);
                return play.getStartedTurns() >= Turns;
            },
            Turns * 400))
            << "the game stands still at turn " << play.getStartedTurns();
    }
    ASSERT_TRUE(ventrel::saveManager->saveAuto(ventrel::gameState));
    compareWithGolden(log.getText(), "run.log");
    compareWithGolden(savedGame(), "save.xml");
}

}  // namespace
}  // namespace e2etest
