// The phones' web server as the game runs it: what fourteen phones listening on their event streams
// cost a game that stands still, how long a phone's tap takes to reach the game's frame, the server's
// memory, and how long it takes to stop. The phones are clients in this process on the loopback, so
// the CPU figures hold their (idle) threads too.
#include <benchmark/benchmark.h>
#include <httplib.h>
#include <kit/Log.h>
#include <lan/Server.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "Percentile.h"
#include "ProcessMemory.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Phones = 14;
constexpr auto Frame = std::chrono::microseconds(16667);

double processCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& time) { return time.tv_sec * 1000.0 + time.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

kit::String token(int phone) {
    return kit::String(31, '0') + static_cast<char>('a' + phone);
}

// A game of fourteen players, each on a phone, with the first one's question open.
lan::View game(int questionId) {
    lan::View view;
    view.screen = "game";
    for (int row = 0; row < Phones; ++row) {
        view.rows.push_back({row, "Player " + std::to_string(row + 1), "FF0000", row, true});
        lan::View::Phone phone;
        phone.row = row;
        phone.name = view.rows.back().name;
        view.phones[token(row)] = phone;
    }
    view.question.id = questionId;
    view.question.kind = "yes_no";
    view.question.answerRow = 0;
    view.question.texts = {"Double stakes?"};
    view.question.buttons = {{0, "Yes", "", ""}, {1, "No", "", ""}};
    return view;
}

// The main thread's share of a core while it runs frames for the time given, publishing the same view
// in each as the game does.
double coreShare(lan::Server* server, const lan::View& view, std::chrono::seconds length) {
    double start = processCpuMs();
    auto begin = Clock::now();
    for (auto next = begin; Clock::now() - begin < length; next += Frame) {
        if (server) {
            server->takeMessages();
            server->publish(view);
        }
        std::this_thread::sleep_until(next + Frame);
    }
    double wall = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    return (processCpuMs() - start) / wall * 100.0;
}

// Fourteen phones holding their event streams open until the server closes them.
class Listeners {
public:
    Listeners(const lan::Server& server) {
        kit::String address = server.getAddress();
        kit::String events = "/p/" + server.getSecret() + "/events";
        for (int phone = 0; phone < Phones; ++phone) {
            threads.emplace_back([this, address, events, phone] {
                httplib::Client client(address.substr(0, address.size() - 1));
                client.set_read_timeout(60, 0);
                httplib::Headers cookie = {{"Cookie", "swg_phone=" + token(phone)}};
                client.Get(events.c_str(), cookie, [this](const char*, size_t) {
                    ++chunks;
                    return true;
                });
            });
        }
    }
    ~Listeners() {
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    int getChunks() const { return chunks; }

private:
    std::atomic<int> chunks{0};
    std::vector<std::thread> threads;
};

void IdlePhones(benchmark::State& state) {
    kit::Log::setConsoleEnabled(false);
    for (auto _ : state) {
        lan::View view = game(1);
        state.counters["off_core_pct"] = coreShare(nullptr, view, std::chrono::seconds(5));
        e2etest::ProcessMemory before = e2etest::ProcessMemory::now();
        lan::Server server;
        lan::Server::Options options;
        options.address = "127.0.0.1";
        options.port = 0;
        server.start(options);
        server.publish(view);
        {
            Listeners phones(server);
            std::this_thread::sleep_for(std::chrono::seconds(1));
            state.counters["listening_core_pct"] = coreShare(&server, view, std::chrono::seconds(5));
            state.counters["server_rss_kib"] =
                static_cast<double>(e2etest::ProcessMemory::now().resident - before.resident);
            state.counters["stream_chunks"] = phones.getChunks();
            auto stopping = Clock::now();
            server.stop();
            state.counters["stop_ms"] =
                std::chrono::duration<double, std::milli>(Clock::now() - stopping).count();
        }
    }
}

// From a phone's tap leaving it to the frame that takes it, with fourteen streams open; the game runs
// at 60 frames a second.
void TapToFrame(benchmark::State& state) {
    kit::Log::setConsoleEnabled(false);
    for (auto _ : state) {
        lan::Server server;
        lan::Server::Options options;
        options.address = "127.0.0.1";
        options.port = 0;
        server.start(options);
        server.publish(game(1));
        std::vector<double> latencies;
        std::vector<double> posts;
        {
            Listeners phones(server);
            kit::String address = server.getAddress();
            httplib::Client tapper(address.substr(0, address.size() - 1));
            httplib::Headers cookie = {{"Cookie", "swg_phone=" + token(0)}};
            kit::String answer = "/p/" + server.getSecret() + "/answer";
            std::atomic<bool> taken{true};
            std::atomic<int64_t> sent{0};
            for (int question = 1; question <= 200; ++question) {
                server.publish(game(question));
                taken = false;
                std::thread tap([&] {
                    sent = Clock::now().time_since_epoch().count();
                    auto begin = Clock::now();
                    tapper.Post(answer.c_str(), cookie,
                                "{\"id\":" + std::to_string(question) + ",\"button\":0}", "application/json");
                    posts.push_back(std::chrono::duration<double, std::milli>(Clock::now() - begin).count());
                });
                for (auto next = Clock::now(); !taken; next += Frame) {
                    std::this_thread::sleep_until(next + Frame);
                    if (!server.takeMessages().empty()) {
                        Clock::duration waited =
                            Clock::now().time_since_epoch() - Clock::duration(sent.load());
                        latencies.push_back(std::chrono::duration<double, std::milli>(waited).count());
                        taken = true;
                    }
                }
                tap.join();
                // Under the server's 20 requests a second from one address.
                std::this_thread::sleep_for(std::chrono::milliseconds(60));
            }
            server.stop();
        }
        state.counters["taps"] = static_cast<double>(latencies.size());
        state.counters["p50_ms"] = bench::percentile(latencies, 0.5);
        state.counters["p90_ms"] = bench::percentile(latencies, 0.9);
        state.counters["p99_ms"] = bench::percentile(latencies, 0.99);
        state.counters["max_ms"] = bench::percentile(latencies, 1.0);
        state.counters["post_p99_ms"] = bench::percentile(posts, 0.99);
        state.counters["slowest_tap"] =
            static_cast<double>(std::max_element(latencies.begin(), latencies.end()) - latencies.begin());
    }
}

}  // namespace

BENCHMARK(IdlePhones)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(TapToFrame)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
