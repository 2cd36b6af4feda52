// The game as players meet it, measured in-process through the test driver, which runs frames back to
// back (no vsync, no sleeping), so a frame's time is the work it costs: start-up until the disclaimer
// takes input, the board's frames while 14 players walk on each layout, scene switches from the
// switch to the first frame of the new scene that takes input (and the longest frame among them, the
// switch's own work besides its transition), resident memory, and the share of one
// core that the process would take at 60 frames a second on a still, a dialog and an animated
// screen, and the frames a resumed question waits for its pictures. The renderer is whatever
// SDL_RENDER_DRIVER picks (scripts/bench runs the software renderer headless and the accelerated one under
// Xvfb). Figures are the counters of each line.
#include <benchmark/benchmark.h>
#include <kit/Log.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include <gui/Gui.h>
#include <gui/Image.h>
#include <gui/ImageBox.h>
#include <gui/ImageButton.h>
#include <gui/Texture.h>

#include "BoardPlay.h"
#include "Percentile.h"
#include "ProcessMemory.h"
#include "TempFolder.h"

namespace {

using namespace e2etest;
using Clock = std::chrono::steady_clock;
using bench::percentile;

double cpuMs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The main thread's time, and the whole process's (a driver such as Mesa's draws on threads of its own).
double threadCpuMs() {
    return cpuMs(CLOCK_THREAD_CPUTIME_ID);
}

double processCpuMs() {
    return cpuMs(CLOCK_PROCESS_CPUTIME_ID);
}

double wallMs(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// Resident memory in MiB, all of it and the private (anonymous) part.
void countMemory(benchmark::State& state, const std::string& where) {
    ProcessMemory memory = ProcessMemory::now();
    state.counters[where + "_rss_MiB"] = static_cast<double>(memory.resident) / 1024.0;
    state.counters[where + "_private_MiB"] = static_cast<double>(memory.anonymous) / 1024.0;
}

// The game in a window of the size the figures are asked for.
struct Game {
    GameSession session;
    Game() {
        kit::Log::setConsoleEnabled(false);
        session.waitForScene();
        session.useWindow(1366, 768);
        // Pictures arrive one a frame after start-up; the figures are of a settled screen.
        session.getDriver().step(240);
    }
};

void StartUp(benchmark::State& state) {
    std::vector<double> times;
    for (auto _ : state) {
        auto start = Clock::now();
        GameSession session;
        kit::Log::setConsoleEnabled(false);
        session.waitForScene();
        times.push_back(wallMs(start));
        state.SetIterationTime(times.back() / 1000.0);
    }
    state.counters["p50_ms"] = percentile(times, 0.5);
}

// Frames while a bot plays: wall and main-thread time per frame.
void BoardFrame(benchmark::State& state) {
    Game game;
    const Layout layout = state.range(0) == 0 ? Layout::Classic : Layout::Planets;
    startBoard(game.session, 14, layout, FieldSet::Classic);
    game.session.getDriver().step(240);
    BoardPlayer play(game.session, BoardPlayer::Input::Mouse);
    std::vector<double> wall;
    std::vector<double> cpu;
    for (auto _ : state) {
        auto last = Clock::now();
        double lastCpu = threadCpuMs();
        play.playUntil(
            [&] {
                wall.push_back(wallMs(last));
                cpu.push_back(threadCpuMs() - lastCpu);
                last = Clock::now();
                lastCpu = threadCpuMs();
                return play.getStartedTurns() >= 14;
            },
            100000);
    }
    wall.erase(wall.begin());
    cpu.erase(cpu.begin());
    double total = 0.0;
    for (double frame : wall) {
        total += frame;
    }
    state.counters["frames"] = static_cast<double>(wall.size());
    state.counters["p50_ms"] = percentile(wall, 0.5);
    state.counters["p99_ms"] = percentile(wall, 0.99);
    state.counters["cpu_p50_ms"] = percentile(cpu, 0.5);
    state.counters["cpu_p99_ms"] = percentile(cpu, 0.99);
    state.counters["fps"] = total > 0.0 ? 1000.0 * static_cast<double>(wall.size()) / total : 0.0;
    countMemory(state, "board");
}

// One switch, timed frame by frame from the switch to the first frame of the new scene that takes
// input: the whole, with its transition, and its longest frame, the one that makes the new scene.
struct Switch {
    double whole = 0.0;
    double longest = 0.0;
    int frames = 0;
};

Switch switchTo(GameSession& session, const char* scene) {
    Switch timed;
    const auto start = Clock::now();
    auto last = start;
    ventrel::sceneManager->switchScene(scene);
    session.getDriver().stepUntil(
        [&] {
            timed.longest = std::max(timed.longest, wallMs(last));
            last = Clock::now();
            ++timed.frames;
            return GameSession::isAt(scene);
        },
        300);
    timed.whole = wallMs(start);
    return timed;
}

void SceneSwitches(benchmark::State& state) {
    Game game;
    countMemory(state, "title");
    const char* const route[] = {"Scene::NewGame", "Scene::Title",       "Scene::Board",  "Scene::Title",
                                 "Scene::Extras",  "Scene::HallOfFame",  "Scene::Extras", "Scene::AlcoTest",
                                 "Scene::Extras",  "Scene::CustomCards", "Scene::Title",  "Scene::Settings",
                                 "Scene::Title",   "Scene::Help",        "Scene::Title"};
    std::vector<double> whole;
    std::vector<double> work;
    int frames = 0;
    for (auto _ : state) {
        for (const char* scene : route) {
            if (std::string(scene) == "Scene::Board") {
                newGame(14, Layout::Classic, FieldSet::Classic);
            }
            Switch timed = switchTo(game.session, scene);
            whole.push_back(timed.whole);
            work.push_back(timed.longest);
            frames += timed.frames;
            game.session.getDriver().step(2);
        }
    }
    state.counters["switches"] = static_cast<double>(whole.size());
    state.counters["p50_ms"] = percentile(whole, 0.5);
    state.counters["max_ms"] = percentile(whole, 1.0);
    state.counters["work_p50_ms"] = percentile(work, 0.5);
    state.counters["work_max_ms"] = percentile(work, 1.0);
    state.counters["frames_per_switch"] = static_cast<double>(frames) / static_cast<double>(whole.size());
    for (int i = 0; i < 50; ++i) {
        game.session.goTo("Scene::NewGame");
        game.session.goTo("Scene::Title");
    }
    countMemory(state, "after_100_switches");
}

constexpr int ThirtySeconds = 30 * 60;

// The process's time over frames of a screen, as a share of one core at 60 frames a second.
double coreShare(GameSession& session, int frames) {
    double start = processCpuMs();
    session.getDriver().step(frames);
    return (processCpuMs() - start) / frames * 60.0 / 10.0;
}

void IdleCost(benchmark::State& state) {
    Game game;
    for (auto _ : state) {
        state.counters["title_core_pct"] = coreShare(game.session, ThirtySeconds);
        game.session.goTo("Scene::Settings");
        game.session.getDriver().step(120);
        state.counters["still_core_pct"] = coreShare(game.session, ThirtySeconds);
        OpenBoard* board = startBoard(game.session, 14, Layout::Classic, FieldSet::Classic);
        BoardPlayer play(game.session, BoardPlayer::Input::Mouse);
        play.playUntil([] { return openDialog() != nullptr; }, 3000);
        game.session.getDriver().step(60);
        state.counters["dialog_core_pct"] =
            board && openDialog() ? coreShare(game.session, ThirtySeconds) : -1.0;
    }
}

// Whether every picture of the object and its visible children is on the graphics card (faded out
// or not: a screen fading in wants its pictures too).
bool picturesDrawn(gui::Object* object) {
    if (!object->isVisible()) {
        return true;
    }
    gui::BaseImage* image = nullptr;
    if (auto* box = dynamic_cast<gui::ImageBox*>(object)) {
        image = box->getImage();
    } else if (auto* button = dynamic_cast<gui::ImageButton*>(object)) {
        image = button->getImage();
    }
    auto* plain = dynamic_cast<gui::Image*>(image);
    if (plain && plain->getTexture() && !plain->getTexture()->isLoaded()) {
        return false;
    }
    const auto& children = object->getChildren();
    return std::all_of(children.begin(), children.end(),
                       [](gui::Object* child) { return picturesDrawn(child); });
}

// A game resumed with its question open right after start-up: the frames from the question showing
// until all its pictures are drawn, while the rest of the board's pictures still arrive.
void ResumedQuestion(benchmark::State& state) {
    TempFolder home;
    {
        GameSession session(home.getPath());
        kit::Log::setConsoleEnabled(false);
        session.waitForScene();
        OpenBoard* board = startBoard(session, 14, Layout::Planets, FieldSet::Classic);
        // The last challenge of the board: its pictures are among the last the board looks up.
        std::optional<int> position;
        for (int p = ::Game::BoardSize - 1; board && p > 0 && !position; --p) {
            const ::Game::Field* field = game().getBoardField(p);
            if (field && field->actions.size() == 2 && field->minPlayers <= 14) {
                position = p;
            }
        }
        if (!position) {
            state.SkipWithError("no board or no landing field");
            return;
        }
        throwFrom(board, *position - 1, 1);
        session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 600);
        session.goTo("Scene::Title");
    }
    std::vector<double> frames;
    for (auto _ : state) {
        GameSession session(home.getPath());
        kit::Log::setConsoleEnabled(false);
        session.waitForScene();
        session.useWindow(1366, 768);
        session.goTo("Scene::Title");
        session.click(session.getScene()->getMenu("menu/title"), "button_resume");
        ventrel::menu::Dialog* dialog = nullptr;
        session.getDriver().stepUntil(
            [&] {
                for (ventrel::menu::Dialog* shown : ventrel::sceneManager->getDialogs()) {
                    dialog = shown->isVisible() ? shown : dialog;
                }
                return dialog != nullptr;
            },
            600);
        int waited = 0;
        while (dialog && !picturesDrawn(dialog->getRoot()) && waited < 600) {
            session.getDriver().step();
            ++waited;
        }
        frames.push_back(static_cast<double>(waited));
    }
    state.counters["frames_p50"] = percentile(frames, 0.5);
    state.counters["frames_max"] = *std::max_element(frames.begin(), frames.end());
}

BENCHMARK(StartUp)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BoardFrame)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(SceneSwitches)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(IdleCost)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(ResumedQuestion)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
