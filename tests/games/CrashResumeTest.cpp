// A game killed at any moment resumes where it was. A parent starts the real game in a child process,
// where a bot plays it, and kills it (SIGKILL) at a random moment: while it starts, on the title, in
// every phase of the board. The next child resumes from the title and must find the save whole and
// show the phase, the current player and, in the Choice phase, the question the killed one had
// reached; unless it is killed while it starts, it must then answer and play on to a next step that is
// saved. SWIGGARD_KILLS (default 8) and SWIGGARD_KILL_SEED (default 1) set the run.
#include <gtest/gtest.h>
#include <gui/Label.h>
#include <kit/Strings.h>
#include <ventrel/system/SaveManager.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <thread>

#include "BoardPlay.h"
#include "Menu/Title.h"
#include "TempFolder.h"

namespace e2etest {
namespace {

// Where a game stands, as a player sees it.
kit::String describe(const System::GameState& state) {
    const Game::Player* current = state.getCurrentPlayer();
    kit::String text = "turn " + kit::toString(state.getTurnIndex()) + " " + state.getTurnPhase().getName() +
                       " " + (current ? current->getName() : kit::String("nobody"));
    if (state.getTurnPhase() == TurnPhase::Start && state.isPhaseDone()) {
        text += " thrown";
    }
    // A Choice whose action was carried out, or whose landing asks nothing, ends by itself on resuming.
    const Game::Field* field = current ? state.findField(current->getFieldId()) : nullptr;
    bool nothingAsked =
        field && !field->actions.empty() && field->actions.front().type == "ActionType_Special_Start";
    if (state.getTurnPhase() == TurnPhase::Choice && (state.isPhaseDone() || nothingAsked)) {
        text += " done";
    }
    // The question of the landing; the pickers that may follow it are asked anew on resuming.
    ventrel::menu::Dialog* dialog = openDialog();
    bool question = dialog && (dialog->getName() == Scene::Board::SelectDialog ||
                               dialog->getName() == Scene::Board::ChoiceDialog);
    if (state.getTurnPhase() == TurnPhase::Choice && question) {
        auto* label = dynamic_cast<gui::Label*>(dialog->getObject("text_dialog_0"));
        text += " asking " + (label ? label->getText() : kit::String());
    }
    return text;
}

kit::String withoutQuestion(const kit::String& where) {
    return where.substr(0, where.find(" asking "));
}

// The step a place resumes to: a saved throw goes on to its landing at once.
kit::String step(const kit::String& where) {
    kit::String place = withoutQuestion(where);
    if (!kit::endsWith(place, " thrown")) {
        return place;
    }
    place = place.substr(0, place.size() - kit::String(" thrown").size());
    return kit::replace(place, " Start ", " Choice ");
}

// One life of the game in a child process: starts it, resumes the saved game from the title or begins
// a new one, and plays on until killed, reporting each step as a line on the pipe:
//   saved <where>   what the autosave holds, before resuming it
//   shown <where>   what the resumed board shows
//   at <where>      each new phase or question while playing
//   moved <where>   the first step after the resumed one, found in the save
//   lost <why>      the save could not be resumed
class Life {
public:
    Life(int pipe, const kit::String& home, unsigned int seed) : pipe(pipe), home(home), seed(seed) {}

    int run(bool resume) {
        GameSession session(home);
        if (!session.waitForScene()) {
            return 2;
        }
        // Nobody looks at the pictures: a small window draws them quickly.
        session.useWindow(320, 240);
        kit::seedRandom(seed);
        if (resume ? !_resume(session)
                   : !startBoard(session, 3 + static_cast<int>(seed % 4), Layout::Classic, FieldSet::Shuffle,
                                 CardSet::Classic)) {
            return 3;
        }
        BoardPlayer play(session, BoardPlayer::Input::Mouse);
        kit::String last = resume ? describe(game()) : kit::String();
        bool moved = !resume;
        play.playUntil(
            [&] {
                if (!dynamic_cast<Scene::Board*>(session.getScene())) {
                    _report("ended", "the game is over");
                    return true;
                }
                kit::String now = describe(game());
                if (!moved && step(now) != step(last)) {
                    moved = _reportSaved(now);
                }
                if (now != last) {
                    last = now;
                    _report("at", now);
                    // The friends read the question out before anyone answers: time for a kill to land.
                    if (now.find(" asking ") != kit::String::npos) {
                        std::this_thread::sleep_for(std::chrono::milliseconds(700));
                    }
                }
                return false;
            },
            1000000);
        return 0;
    }

private:
    int pipe;
    kit::String home;
    unsigned int seed;

    void _report(const char* kind, const kit::String& text) {
        kit::String line = kit::String(kind) + " " + text + "\n";
        if (write(pipe, line.data(), line.size()) < 0) {
            _exit(4);
        }
    }

    // The step the game moved on to is the one in the save.
    bool _reportSaved(const kit::String& now) {
        std::unique_ptr<ventrel::system::GameState> saved = ventrel::saveManager->loadAuto();
        if (!saved) {
            return false;
        }
        kit::String inSave = describe(*static_cast<System::GameState*>(saved.get()));
        if (step(inSave) != step(now)) {
            return false;
        }
        _report("moved", now);
        return true;
    }

    bool _resume(GameSession& session) {
        if (!session.goTo("Scene::Title")) {
            return false;
        }
        std::unique_ptr<ventrel::system::GameState> saved = ventrel::saveManager->loadAuto();
        if (!saved) {
            _report("lost", "the autosave does not load");
            return false;
        }
        _report("saved", describe(*static_cast<System::GameState*>(saved.get())));
        auto* title = dynamic_cast<Menu::Title*>(session.getScene()->getMenu("menu/title"));
        if (!title) {
            return false;
        }
        session.click(title, "button_resume");
        // The board comes back with its question open, or ready for the dice.
        bool shown = session.getDriver().stepUntil(
            [&] {
                auto* board = dynamic_cast<Scene::Board*>(session.getScene());
                if (!board || !ventrel::sceneManager->getScene()->isRunning()) {
                    return false;
                }
                bool asking = game().getTurnPhase() == TurnPhase::Choice && !game().isPhaseDone();
                return asking ? openDialog() != nullptr : board->isInputAllowed() || openDialog() != nullptr;
            },
            900);
        if (!shown) {
            _report("lost", "the board did not come back");
            return false;
        }
        _report("shown", describe(game()));
        return true;
    }
};

// The parent's side: the lines of a child as they come.
class Child {
public:
    Child(const kit::String& home, unsigned int seed, bool resume) {
        int ends[2];
        if (::pipe(ends) != 0) {
            return;
        }
        pid = fork();
        if (pid == 0) {
            close(ends[0]);
            _exit(Life(ends[1], home, seed).run(resume));
        }
        close(ends[1]);
        reading = ends[0];
    }
    ~Child() {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        if (reading >= 0) {
            close(reading);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool isStarted() const { return pid > 0 && reading >= 0; }

    // Reads what the child says for that long; the lines are kept.
    void listen(std::chrono::milliseconds time) {
        const auto until = std::chrono::steady_clock::now() + time;
        for (auto now = std::chrono::steady_clock::now(); now < until;
             now = std::chrono::steady_clock::now()) {
            pollfd wait{reading, POLLIN, 0};
            int left =
                static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count());
            if (poll(&wait, 1, left) <= 0) {
                continue;
            }
            char buffer[4096];
            ssize_t got = read(reading, buffer, sizeof(buffer));
            if (got <= 0) {
                return;
            }
            pending.append(buffer, static_cast<size_t>(got));
            for (size_t end = pending.find('\n'); end != kit::String::npos; end = pending.find('\n')) {
                lines.push_back(pending.substr(0, end));
                pending.erase(0, end + 1);
            }
        }
    }

    // Reads what the child says until it has said a line of that kind, at most for that long.
    void listenFor(const kit::String& kind, std::chrono::milliseconds time) {
        const auto until = std::chrono::steady_clock::now() + time;
        while (last(kind).empty() && last("lost").empty() && std::chrono::steady_clock::now() < until) {
            listen(std::chrono::milliseconds(100));
        }
    }

    // Kills the child and reads what it had said.
    void killNow() {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        pid = -1;
        listen(std::chrono::milliseconds(50));
    }

    // The text of the last line of that kind, "" without one.
    kit::String last(const kit::String& kind) const {
        for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
            if (kit::startsWith(*line, kind + " ")) {
                return line->substr(kind.size() + 1);
            }
        }
        return "";
    }

private:
    pid_t pid = -1;
    int reading = -1;
    kit::String pending;
    kit::Array<kit::String> lines;
};

int turnOf(const kit::String& where) {
    kit::Array<kit::String> words = kit::split(where, " ");
    return words.size() > 1 ? kit::toInt(words[1]) : -1;
}

TEST(CrashResume, AGameKilledAtAnyMomentResumesWhereItWas) {
    const int kills = envNumber("SWIGGARD_KILLS", 8);
    const auto seed = static_cast<unsigned int>(envNumber("SWIGGARD_KILL_SEED", 1));
    std::mt19937 random(seed);
    TempFolder home;
    kit::String reached;  // where the game stood when it was last killed on the board
    int resumed = 0;
    int exact = 0;
    int questions = 0;
    int betweenSaveAndReport = 0;
    int movedOn = 0;
    for (int kill = 0; kill < kills; ++kill) {
        Child child(home.getPath(), seed + static_cast<unsigned int>(kill), !reached.empty());
        ASSERT_TRUE(child.isStarted());
        // Mostly on the board, now and then while the game starts or resumes.
        auto between = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        bool whileStarting = between(0, 4) == 0;
        int moment = whileStarting ? between(0, 1500) : between(1500, 7000);
        const kit::String context = "kill " + kit::toString(kill) + " (seed " + kit::toString(seed) +
                                    ", after " + kit::toString(moment) + " ms): ";
        // A resumed game must take its answer and play on before it may be killed again.
        bool resuming = !reached.empty() && !whileStarting;
        if (resuming) {
            child.listenFor("moved", std::chrono::seconds(60));
        }
        child.listen(std::chrono::milliseconds(moment));
        child.killNow();
        ASSERT_EQ(child.last("lost"), "") << context << "the game was lost";
        if (resuming && child.last("ended").empty()) {
            ASSERT_NE(child.last("moved"), "")
                << context << "the resumed game did not move on from " << child.last("shown");
            ++movedOn;
        }
        const kit::String saved = child.last("saved");
        const kit::String shown = child.last("shown");
        if (!reached.empty() && !saved.empty()) {
            // The save may be one step ahead: the kill struck after it was written, before it was reported.
            if (step(saved) == step(reached)) {
                ++exact;
            } else {
                EXPECT_LE(turnOf(saved) - turnOf(reached), 1) << context << saved << " after " << reached;
                EXPECT_GE(turnOf(saved), turnOf(reached)) << context << saved << " after " << reached;
                ++betweenSaveAndReport;
            }
        }
        if (!shown.empty()) {
            ++resumed;
            // A saved end of a turn needs nobody: the resumed board may already show the next turn.
            bool endOfTurn =
                saved.find(" Finalize ") != kit::String::npos && shown.find(" Start ") != kit::String::npos;
            if (!kit::endsWith(withoutQuestion(saved), " done") && !endOfTurn) {
                EXPECT_EQ(step(shown), step(saved)) << context << "the board shows another step";
            }
            if (shown != withoutQuestion(shown) && reached != withoutQuestion(reached) &&
                step(saved) == step(reached)) {
                EXPECT_EQ(shown, reached) << context << "the question changed";
                ++questions;
            }
        }
        if (!child.last("ended").empty()) {
            reached.clear();
        } else if (!child.last("at").empty()) {
            reached = child.last("at");
        }
    }
    std::printf(
        "%d kills, %d resumed games, %d at exactly the step reached (%d of them with the same question), "
        "%d one step on (killed between a save and its report), %d answered and played on, 0 lost\n",
        kills, resumed, exact, questions, betweenSaveAndReport, movedOn);
    EXPECT_GT(resumed, 0);
}

}  // namespace
}  // namespace e2etest
