// The saves a game makes after every phase: the automatic save of a 14-player game and the profile
// with full hall-of-fame lists and custom cards. Each save is flushed to disk, so the figures depend
// on the disk as much as on the code: the gap between the wall and the CPU time is the wait for it.
#include <benchmark/benchmark.h>
#include <kit/Log.h>

#include <chrono>
#include <memory>
#include <vector>

#include "Game/CustomCard.h"
#include "GameWorld.h"
#include "Percentile.h"

namespace {

// Runs the work once an iteration and adds the p50 and p99 of its wall time in milliseconds.
template <typename Work>
void timeEach(benchmark::State& state, Work work) {
    std::vector<double> times;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["p50_ms"] = bench::percentile(times, 0.5);
    state.counters["p99_ms"] = bench::percentile(times, 0.99);
}

void AutoSave14Players(benchmark::State& state) {
    GameWorld world;
    world.addPlayers(14);
    world.game().setup();
    timeEach(state, [] { benchmark::DoNotOptimize(ventrel::saveManager->saveAuto(ventrel::gameState)); });
}

void AutoLoad14Players(benchmark::State& state) {
    GameWorld world;
    world.addPlayers(14);
    world.game().setup();
    ventrel::saveManager->saveAuto(ventrel::gameState);
    timeEach(state, [] {
        std::unique_ptr<ventrel::system::GameState> loaded = ventrel::saveManager->loadAuto();
        benchmark::DoNotOptimize(loaded.get());
        static_cast<System::GameState*>(loaded.get())->clear();
    });
}

void FullProfileSave(benchmark::State& state) {
    GameWorld world;
    kit::Array<System::HallOfFameRecord> records;
    for (int i = 0; i < 10; ++i) {
        records.push_back({100 - i, "02", "Player number " + std::to_string(i)});
    }
    for (const kit::String& list :
         {System::TempState::HallOfFameDrinks, System::TempState::HallOfFameLaps,
          System::TempState::HallOfFameBac, System::TempState::HallOfFameChallenges}) {
        System::TempState::saveHallOfFame(list, records);
    }
    Game::CustomCard::Cards cards;
    for (int i = 0; i < 50; ++i) {
        cards.push_back(
            std::make_unique<Game::CustomCard>(-(i + 1), 3, "sing", "Sing a song of your choice, or drink"));
    }
    Game::CustomCard::storeCustomCards(cards);
    timeEach(state, [] { benchmark::DoNotOptimize(ventrel::profileManager->save()); });
}

BENCHMARK(AutoSave14Players)->Unit(benchmark::kMillisecond);
BENCHMARK(AutoLoad14Players)->Unit(benchmark::kMillisecond);
BENCHMARK(FullProfileSave)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    kit::Log::setConsoleEnabled(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
