// Three phones play an evening in a real browser (headless Chromium driven by
// tests/browser/phones.mjs): the join address is read from the QR code on the TV, the phones join and
// set themselves up on their pages, the TV starts the game, and from then on the phones alone play:
// they roll and answer every question, one of them after a reload, while hostile requests change
// nothing. Label "browser": the normal test half only; skipped, with the reason, only when Chromium
// cannot start.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <host/RenderSystem.h>
#include <kit/File.h>
#include <kit/Strings.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <thread>

#include "BoardPlay.h"
#include "Menu/Phones.h"
#include "System/Phones.h"

namespace e2etest {
namespace {

const kit::String Source = SWIGGARD_SOURCE_DIR;

// What a command printed, with its trailing line break removed.
kit::String outputOf(const kit::String& command) {
    kit::String output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[512];
        while (fgets(buffer, sizeof(buffer), pipe)) {
            output += buffer;
        }
        pclose(pipe);
    }
    while (!output.empty() && std::isspace(static_cast<unsigned char>(output.back()))) {
        output.pop_back();
    }
    return output;
}

// A child process whose standard output goes to a file; killed if still running at the end.
class Child {
public:
    Child(const kit::Array<kit::String>& command, const kit::String& output) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        kit::Array<char*> argv;
        for (const kit::String& part : command) {
            argv.push_back(const_cast<char*>(part.c_str()));
        }
        argv.push_back(nullptr);
        if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
            pid = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Child() {
        if (isRunning()) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool isRunning() {
        if (pid <= 0 || exited) {
            return false;
        }
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            exited = true;
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        return !exited;
    }
    bool hasStarted() const { return pid > 0; }
    int getExitCode() const { return code; }

private:
    pid_t pid = -1;
    bool exited = false;
    int code = -1;
};

class PhonesInABrowser : public ::testing::Test {
protected:
    TempFolder scratch;
    GameSession session;

    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(Source + "/tests/browser/node_modules/puppeteer-core"))
            << "the browser driver is not installed: npm ci --prefix tests/browser (scripts/test does it)";
        ASSERT_FALSE(outputOf("command -v zbarimg").empty()) << "zbarimg is missing (zbar-tools)";
        ASSERT_TRUE(session.waitForScene());
        session.useWindow(1024, 768);
        ventrel::cfg->getCategory("System")->set("PhonesAddress", "127.0.0.1");
        System::profile().set(System::Phones::Setting, "1");
    }

    // The address in the code the phones panel shows as the screen opens, as a phone's camera reads it.
    kit::String scanCode() {
        auto* panel = session.waitForMenu<Menu::Phones>();
        EXPECT_NE(panel, nullptr);
        session.getDriver().step(30);
        kit::String picture = scratch.getPath() + "/tv.png";
        host::rendersys->requestScreenshot(picture);
        session.getDriver().step(2);
        kit::String scanned = outputOf("zbarimg --raw -q " + picture + " 2>/dev/null");
        session.click(panel, "button_close");
        session.getDriver().step(20);
        return scanned;
    }

    // The phones have checked their set-up pages: their driver says so on a line of its own.
    static bool saysReady(const kit::String& report) {
        std::ifstream file(report);
        for (std::string line; std::getline(file, line);) {
            if (line == "{\"ready\":true}") {
                return true;
            }
        }
        return false;
    }

    // Three rows played from phones, named and with their body data: the TV starts the game.
    bool phonesAreReady() const {
        const auto& players = game().getPlayers();
        int ready = 0;
        for (const Game::Player* player : players) {
            bool named = !player->getName().empty() && player->getDefaultNumber() == 0;
            ready += player->hasPhone() && named && player->getAlcoTestData()->isComplete() ? 1 : 0;
        }
        return ready == 3;
    }

    // What the TV shows, for a failure's message.
    static kit::String tvState() {
        auto* board = dynamic_cast<Scene::Board*>(ventrel::sceneManager->getScene());
        if (!board) {
            return "not on the board";
        }
        ventrel::menu::Dialog* dialog = openDialog();
        return "phase " + game().getTurnPhase().getName() + ", turn of " +
               game().getCurrentPlayer()->getName() +
               ", waiting for the roll: " + (board->isWaitingForRoll() ? "yes" : "no") +
               ", dice shown: " + (board->getRollDice()->isVisible() ? "yes" : "no") +
               ", dice button shown: " + (isShown(board->getGui(), "button_dice") ? "yes" : "no") +
               ", warning: " + (board->getBacWarning()->isVisible() ? "yes" : "no") + ", question: " +
               (dialog ? dialog->getName() + " " + dialog->getContext() : kit::String("none"));
    }

    void startGame() {
        session.click(session.getScene(), "button_ok");
        ASSERT_TRUE(session.getDriver().stepUntil([] { return openDialog() != nullptr; }, 300));
        session.click(openDialog(), "button_dialog_0");
        ASSERT_TRUE(session.waitForScene("Scene::Board"));
    }
};

TEST_F(PhonesInABrowser, ThreePhonesPlayAnEvening) {
    ventrel::sceneManager->switchScene("Scene::NewGame");
    kit::String address = scanCode();
    ASSERT_EQ(address, System::phones->getJoinAddress()) << "the code on the TV reads otherwise";

    kit::String report = scratch.getPath() + "/report.json";
    kit::String shots = kit::getEnv("SWIGGARD_SHOTS");
    kit::Array<kit::String> command = {"node", Source + "/tests/browser/phones.mjs", address};
    if (!shots.empty()) {
        command.push_back(shots);
    }
    Child phones(command, report);
    ASSERT_TRUE(phones.hasStarted());

    // After Start nobody touches the TV: the phones play the evening on their own, double stakes and
    // warnings included.
    auto started = std::chrono::steady_clock::now();
    while (phones.isRunning()) {
        ASSERT_LT(std::chrono::steady_clock::now() - started, std::chrono::minutes(12))
            << "the phones never finished";
        // The browser needs the other core: the TV runs at about its real pace.
        std::this_thread::sleep_for(std::chrono::milliseconds(8));
        if (GameSession::isAt("Scene::NewGame") && phonesAreReady() && saysReady(report)) {
            startGame();
            continue;
        }
        session.getDriver().step();
    }
    std::ifstream file(report);
    std::stringstream printed;
    printed << file.rdbuf();
    kit::String lastLine;
    for (kit::String line; std::getline(printed, line);) {
        lastLine = line.empty() ? lastLine : line;
    }
    nlohmann::json result = nlohmann::json::parse(lastLine, nullptr, false);
    if (result.is_object() && kit::startsWith(result.value("error", ""), "chromium did not start")) {
        GTEST_SKIP() << result["error"].get<std::string>();
    }
    ASSERT_EQ(phones.getExitCode(), 0) << printed.str() << "\nThe TV: " << tvState();
    ASSERT_TRUE(result.is_object()) << printed.str();
    EXPECT_EQ(result["ok"], true);
    EXPECT_GE(result["turns"].get<int>(), 20);
    EXPECT_GT(result["rolls"].get<int>(), 0);
    EXPECT_GT(result["answers"].get<int>(), 0);
    for (const char* check : {"reloadAnswered", "foreignRefused", "hostRefused", "bigBodyRefused"}) {
        EXPECT_EQ(result[check], true) << check;
    }
    // The styles chosen on the phones hold: the water drinker and the driver never drank alcohol.
    int sips = 0;
    for (const Game::Player* player : game().getPlayers()) {
        sips += player->getDrinks() + player->getWaterSips();
        if (player->getName() == "Bob" || player->getName() == "Cleo") {
            EXPECT_EQ(player->getStyle(),
                      player->getName() == "Bob" ? Game::Player::Style::Water : Game::Player::Style::Driver);
            EXPECT_EQ(player->getDrinks(), 0) << player->getName();
        }
    }
    EXPECT_GT(sips, 0);
}

}  // namespace
}  // namespace e2etest
