// The whole program's cold start, as a player waits for it: from starting the game's process to the
// log line the engine writes once the first screen (the disclaimer) has been shown and takes input.
// Each run starts the game with a fresh, empty user folder, so nothing of an earlier run helps.
//   start_timer [runs] [game]      # default 10 runs of ./swiggard
// Prints every run, then median, minimum and maximum in milliseconds.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
const char* const ReadyLine = "First screen takes input";

// The environment of this process with the user's folders moved into home.
std::vector<std::string> environmentWithHome(const std::string& home) {
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable) {
        std::string entry = *variable;
        if (entry.rfind("HOME=", 0) != 0 && entry.rfind("XDG_DATA_HOME=", 0) != 0) {
            variables.push_back(entry);
        }
    }
    variables.push_back("HOME=" + home);
    variables.push_back("XDG_DATA_HOME=" + home + "/.local/share");
    return variables;
}

// Milliseconds until the game reported its first screen taking input; negative when it never did.
double timeOneStart(const std::string& game, const std::string& home) {
    int output[2];
    if (pipe(output) != 0) {
        return -1.0;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    // A fresh user folder always warns that it holds no profile yet; that is expected here.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> variables = environmentWithHome(home);
    std::vector<char*> envp;
    for (std::string& variable : variables) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);
    std::string program = game;
    char* argv[] = {program.data(), nullptr};

    auto start = Clock::now();
    pid_t child = 0;
    int spawned = posix_spawn(&child, game.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    double elapsed = -1.0;
    if (spawned == 0) {
        FILE* lines = fdopen(output[0], "r");
        char line[4096];
        while (lines && std::fgets(line, sizeof(line), lines)) {
            if (std::strstr(line, ReadyLine)) {
                elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                break;
            }
        }
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
        if (lines) {
            std::fclose(lines);
        }
    } else {
        close(output[0]);
    }
    return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    std::string game = argc > 2 ? argv[2] : "./swiggard";
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        auto home = std::filesystem::temp_directory_path() / ("start_timer." + std::to_string(getpid()));
        std::filesystem::create_directories(home);
        double ms = timeOneStart(game, home.string());
        std::filesystem::remove_all(home);
        if (ms < 0.0) {
            std::fprintf(stderr, "run %d: %s never reported its first screen taking input\n", run + 1,
                         game.c_str());
            return 1;
        }
        std::printf("run %d: %.0f ms\n", run + 1, ms);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    double median = (times[(times.size() - 1) / 2] + times[times.size() / 2]) / 2.0;
    std::printf("first interactive frame: median %.0f ms, min %.0f ms, max %.0f ms over %d runs\n", median,
                times.front(), times.back(), runs);
    return 0;
}
