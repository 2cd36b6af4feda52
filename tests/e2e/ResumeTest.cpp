// A game left in any phase, with any question open or a token still walking, comes back to the same
// question when it is resumed, takes the answer a player gives and plays on: the dice is never thrown
// twice, a question is never lost, and a challenge counts once. The program is closed as a player
// closes it (the window's close request, then yes) and started again on the same home folder.
#include <gtest/gtest.h>
#include <gui/Label.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SaveManager.h>

#include <chrono>
#include <memory>
#include <numeric>
#include <thread>

#include "BoardPlay.h"
#include "Menu/NewGame.h"
#include "Menu/Phones.h"
#include "Menu/Title.h"
#include "PhoneClient.h"
#include "System/Objects.h"
#include "System/Phones.h"
#include "System/UndoHistory.h"
#include "TempFolder.h"

namespace e2etest {
namespace {

// What a question shows: its dialog and its first text.
kit::String questionOf(ventrel::menu::Dialog* dialog) {
    return dialog ? dialog->getName() + ": " + dialogText(dialog, 0) : kit::String("no question");
}

int totalSips() {
    const auto& players = game().getPlayers();
    return std::accumulate(players.begin(), players.end(), 0, [](int sum, const Game::Player* p) {
        return sum + p->getDrinks() + p->getWaterSips();
    });
}

class ResumeTest : public ::testing::Test {
protected:
    TempFolder home;
    std::unique_ptr<GameSession> session;

    void SetUp() override {
        kit::seedRandom(33);
        _startProgram();
    }

    OpenBoard* board() const { return dynamic_cast<OpenBoard*>(session->getScene()); }

    OpenBoard* newBoard(int players) {
        OpenBoard* started = startBoard(*session, players, Layout::Classic, FieldSet::Classic);
        EXPECT_NE(started, nullptr);
        return started;
    }

    bool waitForNotice(const kit::String& context) {
        bool shown = session->getDriver().stepUntil(
            [&] {
                return openDialog() && openDialog()->getContext() == context &&
                       openDialog()->isInputAllowed();
            },
            600);
        EXPECT_TRUE(shown) << "waiting for " << context << ", open: " << questionOf(openDialog());
        return shown;
    }

    bool waitForQuestion(const kit::String& name) {
        bool shown = session->getDriver().stepUntil(
            [&] { return openDialog() && openDialog()->getName() == name; }, 600);
        EXPECT_TRUE(shown) << "waiting for " << name << ", open: " << questionOf(openDialog());
        return shown;
    }

    // Closes the window as a player does, starts the program again and resumes the game from the title.
    // True when the board is back and takes input or asks.
    bool closeAndResume() {
        _closeProgram();
        _startProgram();
        if (!session->goTo("Scene::Title")) {
            return false;
        }
        auto* title = dynamic_cast<Menu::Title*>(session->getScene()->getMenu("menu/title"));
        if (!title) {
            return false;
        }
        ventrel::sceneManager->registerSceneFactory("Scene::Board",
                                                    [] { return std::make_unique<OpenBoard>(); });
        session->click(title, "button_resume");
        return session->getDriver().stepUntil(
            [this] {
                OpenBoard* resumed = board();
                if (!resumed || !resumed->isRunning() || ventrel::sceneManager->getNextScene()) {
                    return false;
                }
                return openDialog() != nullptr || resumed->isInputAllowed();
            },
            900);
    }

    // Until the resumed turn's Start phase is over, the dice must not be thrown again.
    void expectNoSecondThrow() {
        int turn = game().getTurnIndex();
        ASSERT_TRUE(session->getDriver().stepUntil(
            [&] {
                EXPECT_FALSE(board()->getRollDice()->isVisible()) << "the dice is offered again";
                EXPECT_FALSE(isShown(board()->getGui(), "button_dice")) << "the dice button is back";
                return game().getTurnPhase() != TurnPhase::Start || game().getTurnIndex() != turn ||
                       openDialog() != nullptr;
            },
            600));
    }

    // Plays ten more turns as the friends do: sips are counted and every phase is saved.
    void playOn() {
        int sips = totalSips();
        BoardPlayer play(*session, BoardPlayer::Input::Mouse);
        ASSERT_TRUE(play.playTurns(10)) << "the resumed game stands still";
        EXPECT_GT(totalSips(), sips);
        ASSERT_TRUE(session->getDriver().stepUntil([] { return !openDialog(); }, 300));
        std::unique_ptr<ventrel::system::GameState> saved = ventrel::saveManager->loadAuto();
        ASSERT_NE(saved, nullptr);
        ventrel::system::GameState* loaded = saved.get();
        auto* state = dynamic_cast<System::GameState*>(loaded);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(state->getTurnIndex(), game().getTurnIndex());
        EXPECT_EQ(state->getTurnPhase(), game().getTurnPhase());
        for (size_t i = 0; i < state->getPlayers().size(); ++i) {
            EXPECT_EQ(state->getPlayers()[i]->getDrinks(), game().getPlayers()[i]->getDrinks());
            EXPECT_EQ(state->getPlayers()[i]->getWaterSips(), game().getPlayers()[i]->getWaterSips());
        }
    }

    // Plays that many turns: the phones roll and answer for their players (the first answer each
    // offers), the TV's mouse does the rest. Counts what the phones did.
    void playWithPhones(int turns, const kit::Array<PhoneClient*>& phones) {
        BoardPlayer tv(*session, BoardPlayer::Input::Mouse);
        bool atStart = game().getTurnPhase() == TurnPhase::Start;
        for (int frames = 0, started = 0; started < turns; ++frames) {
            bool nowAtStart = game().getTurnPhase() == TurnPhase::Start;
            started += nowAtStart && !atStart ? 1 : 0;
            atStart = nowAtStart;
            ASSERT_LT(frames, 6000) << "the game stands still in phase " << game().getTurnPhase().getName()
                                    << ", question " << questionOf(openDialog()) << ", phones see "
                                    << phones[0]->state().dump() << " and " << phones[1]->state().dump();
            if (!isPhonesMove(*board())) {
                tv.playUntil([] { return false; }, 1);
                continue;
            }
            // All phones share this machine's address, whose requests the server takes at 20 a second.
            std::this_thread::sleep_for(std::chrono::milliseconds(150));
            for (PhoneClient* phone : phones) {
                nlohmann::json state = phone->state();
                const nlohmann::json& question = state["question"];
                if (question.is_object() && question["answerable"] == true &&
                    question["id"] != lastAnswered) {
                    nlohmann::json answer = {{"id", question["id"]},
                                             {"button", question["buttons"][0]["index"]}};
                    if (_checkTaps(phones, phone, answer) || phone->post("answer", answer) == 200) {
                        lastAnswered = question["id"];
                        ++phoneAnswers;
                    }
                }
                if (state["roll"].is_object() && state["roll"]["id"] != lastRolled &&
                    phone->post("roll", {{"id", state["roll"]["id"]}}) == 200) {
                    lastRolled = state["roll"]["id"];
                    ++phoneRolls;
                }
            }
            session->getDriver().step();
        }
    }

    nlohmann::json lastAnswered = 0;
    nlohmann::json lastRolled = 0;
    int phoneAnswers = 0;
    int phoneRolls = 0;
    // Once: another phone's tap on the question is refused, and so is its own second tap.
    bool tapsChecked = true;

private:
    // True when it gave the answer.
    bool _checkTaps(const kit::Array<PhoneClient*>& phones, PhoneClient* own, const nlohmann::json& answer) {
        if (tapsChecked) {
            return false;
        }
        tapsChecked = true;
        for (PhoneClient* other : phones) {
            if (other != own) {
                EXPECT_EQ(other->post("answer", answer), 403) << "another phone answered";
            }
        }
        EXPECT_EQ(own->post("answer", answer), 200);
        EXPECT_EQ(own->post("answer", answer), 409) << "a second tap was taken";
        return true;
    }

    void _startProgram() {
        session = std::make_unique<GameSession>(home.getPath());
        ASSERT_TRUE(session->waitForScene());
        session->useWindow(320, 240);
        // Phones, where a test turns them on, stay on this machine.
        ventrel::cfg->getCategory("System")->set("PhonesAddress", "127.0.0.1");
    }

    void _closeProgram() {
        host::TestDriver& driver = session->getDriver();
        driver.requestQuit();
        ventrel::menu::Overlay* quit = ventrel::sceneManager->findOverlay("menu/overlay/quit");
        ASSERT_TRUE(session->waitForInput(quit));
        session->click(quit, "button_yes");
        driver.stepUntil([] { return false; }, 120);
        ASSERT_TRUE(driver.isFinished()) << "the program did not end";
        session.reset();
    }
};

// Every question of the landing comes back as it was, and its answer plays on.
TEST_F(ResumeTest, TheLandingsQuestionComesBackAndIsAnswered) {
    struct Landing {
        const char* type;
        size_t actions;
        const char* dialog;
    };
    for (const Landing& landing : {Landing{"ActionType_Drink_Player", 1, "menu/dialog/action_select"},
                                   Landing{"", 2, "menu/dialog/action_choice"}}) {
        SCOPED_TRACE(landing.dialog);
        OpenBoard* started = newBoard(3);
        ASSERT_NE(started, nullptr);
        std::optional<int> position = landing.actions == 2 ? std::nullopt : positionWith(landing.type, 1);
        for (int p = 1; !position && p < Game::BoardSize; ++p) {
            const Game::Field* field = game().getBoardField(p);
            if (field && field->actions.size() == 2 && field->minPlayers <= 3 &&
                !kit::startsWith(field->actions.front().target, "Pick")) {
                position = p;
            }
        }
        ASSERT_TRUE(position.has_value());
        throwFrom(started, *position - 2, 2);
        ASSERT_TRUE(waitForQuestion(landing.dialog));
        kit::String asked = questionOf(openDialog());

        ASSERT_TRUE(closeAndResume());
        ASSERT_TRUE(waitForQuestion(landing.dialog));
        EXPECT_EQ(questionOf(openDialog()), asked);
        EXPECT_EQ(ventrel::input->getCurrentState(), Scene::Board::ActionContext);
        int sips = totalSips();
        BoardPlayer play(*session, BoardPlayer::Input::Mouse);
        ASSERT_TRUE(play.playUntil([] { return game().getTurnPhase() != TurnPhase::Choice; }, 600))
            << "the answer of the resumed question went nowhere";
        if (landing.actions == 1) {
            EXPECT_GT(totalSips(), sips);
        }
        playOn();
        ASSERT_TRUE(session->goTo("Scene::Title"));
    }
}

// A picker left open comes back as the landing's question, and the picks start again; the card pays
// the picked player alone, and an accepted challenge counts once however often it was asked.
TEST_F(ResumeTest, APickerComesBackAsItsLandingAndTheChallengeCountsOnce) {
    OpenBoard* started = newBoard(3);
    ASSERT_NE(started, nullptr);
    std::optional<int> pick = positionWith("ActionType_Drink_Player", 1, "Pick1");
    ASSERT_TRUE(pick.has_value());
    throwFrom(started, *pick - 1, 1);
    ASSERT_TRUE(waitForQuestion(Scene::Board::SelectDialog));
    kit::String asked = questionOf(openDialog());
    session->click(openDialog(), "button_ok");
    ASSERT_TRUE(waitForQuestion(Scene::Board::PickerDialog));

    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(waitForQuestion(Scene::Board::SelectDialog));
    EXPECT_EQ(questionOf(openDialog()), asked);
    EXPECT_TRUE(game().getPickedPlayers().empty());
    session->click(openDialog(), "button_ok");
    ASSERT_TRUE(waitForQuestion(Scene::Board::PickerDialog));
    int picker = player(0).getDrinks();
    int picked = player(2).getDrinks();
    session->click(openDialog(), "button_dialog_2");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return game().getTurnIndex() == 1; }, 600));
    EXPECT_EQ(player(0).getDrinks(), picker) << "the picker drank too";
    EXPECT_EQ(player(2).getDrinks(), picked + game().getBoardField(*pick)->actions.front().drinks);

    // A challenge whose first answer asks for a pick: left at the picker, then taken again.
    std::optional<int> challenge;
    for (int p = 1; !challenge && p < Game::BoardSize; ++p) {
        const Game::Field* field = game().getBoardField(p);
        if (field && field->actions.size() == 2 && field->minPlayers <= 3 &&
            field->actions.front().target == "Pick1") {
            challenge = p;
        }
    }
    ASSERT_TRUE(challenge.has_value());
    throwFrom(board(), *challenge - 3, 3);
    ASSERT_TRUE(waitForQuestion(Scene::Board::ChoiceDialog));
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(waitForQuestion(Scene::Board::PickerDialog));
    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(waitForQuestion(Scene::Board::ChoiceDialog));
    EXPECT_EQ(player(1).getAcceptedChallenges(), 0) << "counted before it was carried out";
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(waitForQuestion(Scene::Board::PickerDialog));
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return game().getTurnIndex() == 2; }, 600));
    EXPECT_EQ(player(1).getAcceptedChallenges(), 1);
    playOn();
}

// Double stakes left open: the same question, no second throw, and the lap is offered once.
TEST_F(ResumeTest, TheDoubleStakesQuestionComesBackWithoutASecondThrow) {
    OpenBoard* started = newBoard(2);
    ASSERT_NE(started, nullptr);
    throwFrom(started, 39, 3);
    ASSERT_TRUE(waitForQuestion(Scene::Board::YesNoDialog));
    kit::String asked = questionOf(openDialog());
    int field = player(0).getCurrentField();

    ASSERT_TRUE(closeAndResume());
    EXPECT_EQ(game().getMaxLaps(), 0) << "the lap counted as offered before the answer";
    ASSERT_TRUE(waitForQuestion(Scene::Board::YesNoDialog));
    EXPECT_EQ(questionOf(openDialog()), asked);
    EXPECT_EQ(player(0).getCurrentField(), field);
    EXPECT_EQ(game().getTurnIndex(), 0);
    session->click(openDialog(), "button_dialog_0");
    expectNoSecondThrow();
    EXPECT_EQ(game().getMultiplier(), 2);
    EXPECT_EQ(game().getMaxLaps(), 1);
    playOn();
}

// A token still walking: the throw was saved with it, so the resumed game walks on to its question.
TEST_F(ResumeTest, ATokenStillWalkingResumesWithItsThrow) {
    OpenBoard* started = newBoard(3);
    ASSERT_NE(started, nullptr);
    session->click(started->getGui(), "button_dice");
    ASSERT_TRUE(session->getDriver().stepUntil([&] { return game().getRolledValue() != 0; }, 300));
    int field = player(0).getCurrentField();
    // A crash now would find the throw in the save.
    std::unique_ptr<ventrel::system::GameState> saved = ventrel::saveManager->loadAuto();
    ASSERT_NE(saved, nullptr);
    ventrel::system::GameState* loaded = saved.get();
    auto* state = dynamic_cast<System::GameState*>(loaded);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(state->getRolledValue(), game().getRolledValue());
    EXPECT_TRUE(state->isPhaseDone());
    EXPECT_EQ(state->getPlayers()[0]->getCurrentField(), field);

    ASSERT_TRUE(closeAndResume());
    EXPECT_EQ(player(0).getCurrentField(), field);
    EXPECT_EQ(game().getTurnIndex(), 0);
    expectNoSecondThrow();
    EXPECT_EQ(player(0).getCurrentField(), field);
    playOn();
}

// The warning left open warns again; confirmed, it is not shown again.
TEST_F(ResumeTest, TheWarningComesBackUntilConfirmed) {
    newGame(2, Layout::Classic, FieldSet::Classic);
    Game::AlcoTestData* data = player(0).getAlcoTestData();
    data->setPermille(400);
    data->setVolume(40.0f);
    data->setWeight(60000.0f);
    player(0).addDrinks(15);
    ventrel::sceneManager->registerSceneFactory("Scene::Board", [] { return std::make_unique<OpenBoard>(); });
    ventrel::sceneManager->switchScene("Scene::Board");
    auto warned = [this] {
        return session->getDriver().stepUntil(
            [this] {
                return board() && board()->getBacWarning()->isVisible() &&
                       board()->getBacWarning()->isInputAllowed();
            },
            600);
    };
    ASSERT_TRUE(warned());
    EXPECT_FALSE(player(0).isWarned());

    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(warned()) << "the warning was lost";
    session->click(board()->getBacWarning(), "button_ok");
    ASSERT_TRUE(session->getDriver().stepUntil([this] { return board()->getGui()->isVisible(); }, 120));
    EXPECT_TRUE(player(0).isWarned());
    playOn();
    ASSERT_TRUE(closeAndResume());
    session->getDriver().step(60);
    EXPECT_FALSE(board()->getBacWarning()->isVisible()) << "warned twice";
}

// The table's notices wait in the save: who drives, and the sip limit reached. Each comes back after a
// restart until it is answered, and the game plays on.
TEST_F(ResumeTest, TheNoticesComeBackUntilAnswered) {
    newGame(2, Layout::Classic, FieldSet::Classic);
    player(1).setStyle(Game::Player::Style::Driver);
    player(0).setSipLimit(1);
    ventrel::sceneManager->registerSceneFactory("Scene::Board", [] { return std::make_unique<OpenBoard>(); });
    ventrel::sceneManager->switchScene("Scene::Board");
    ASSERT_TRUE(waitForNotice(Scene::Board::DriversContext));
    kit::String told = questionOf(openDialog());
    EXPECT_NE(told.find(player(1).getName()), kit::String::npos) << told;

    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(waitForNotice(Scene::Board::DriversContext)) << "who drives was not told again";
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session->getDriver().stepUntil([this] { return board()->isWaitingForRoll(); }, 600));
    EXPECT_TRUE(game().isDriversAnnounced());

    // Field 20 makes the player drink, which reaches the limit of one sip.
    throwFrom(board(), 0, 1);
    ASSERT_TRUE(waitForQuestion(Scene::Board::SelectDialog));
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(waitForNotice(Scene::Board::LimitContext + "0"));
    EXPECT_EQ(player(0).getDrinks(), 1);
    EXPECT_EQ(player(0).getStyle(), Game::Player::Style::Water);

    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(waitForNotice(Scene::Board::LimitContext + "0")) << "the limit's notice was lost";
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return !openDialog(); }, 300));
    EXPECT_FALSE(player(0).isLimitNoticeDue());

    // A glass of water offered and left open is offered again; yes switches the player to water.
    player(1).setStyle(Game::Player::Style::Drinks);
    player(1).setWaterNoticeDue(true);
    ASSERT_TRUE(waitForNotice(Scene::Board::GlassContext + "1"));
    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(waitForNotice(Scene::Board::GlassContext + "1")) << "the glass of water was lost";
    EXPECT_FALSE(System::UndoHistory::get().canUndo()) << "a resumed game starts without a history";
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return !openDialog(); }, 300));
    EXPECT_EQ(player(1).getStyle(), Game::Player::Style::Water);
    playOn();
    EXPECT_EQ(player(0).getDrinks(), 1) << "a player switched by the limit drank alcohol";
    EXPECT_EQ(player(1).getDrinks(), 0) << "the water drinker drank alcohol";
}

}  // namespace
}  // namespace e2etest

namespace e2etest {
namespace {

// Two phones join on the new-game screen (one takes a row, one adds its own), set themselves up, and
// roll and answer for their players beside the TV. A tap on another's question is refused, a second
// tap on the same one too. Closed and started again, the game keeps its secret and its phones, which
// play on; back at the title the server is gone.
TEST_F(ResumeTest, PhonesJoinPlayAndPlayOnAfterARestart) {
    System::profile().set(System::Phones::Setting, "1");
    // With phones on, the join code comes up by itself as the new-game screen opens; OK goes to the rows.
    ventrel::sceneManager->switchScene("Scene::NewGame");
    auto* panel = session->waitForMenu<Menu::Phones>();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(System::phones->isRunning());
    kit::String address = System::phones->getJoinAddress();
    ASSERT_TRUE(kit::startsWith(address, "http://127.0.0.1:")) << address;
    EXPECT_FALSE(System::phones->getQrCode().isEmpty());
    session->click(panel, "button_close");
    ASSERT_TRUE(session->getDriver().stepUntil([panel] { return !panel->isVisible(); }, 120));

    PhoneClient anna(address), bob(address), late(address);
    ASSERT_EQ(anna.post("join", {{"row", 0}}), 200);
    ASSERT_EQ(bob.post("join", {{"row", -1}}), 200);
    session->getDriver().step(2);
    EXPECT_EQ(late.post("join", {{"row", 0}}), 409);
    ASSERT_EQ(game().getPlayers().size(), 3u);
    EXPECT_TRUE(player(0).hasPhone());
    EXPECT_FALSE(player(1).hasPhone());
    EXPECT_TRUE(player(2).hasPhone());
    auto* rows = session->findMenu<Menu::NewGame>();
    ASSERT_NE(rows, nullptr);
    EXPECT_TRUE(isShown(rows, "button_player_phone_0"));
    EXPECT_FALSE(isShown(rows, "button_player_phone_1"));

    nlohmann::json lobby = anna.state();
    ASSERT_TRUE(lobby["colors"].is_array() && !lobby["colors"].empty());
    kit::String color = lobby["colors"][0];
    int character = lobby["characters"][0];
    EXPECT_EQ(anna.post("player",
                        {{"name", "Anna"}, {"color", color}, {"character", character}, {"gender", "female"}}),
              200);
    EXPECT_EQ(anna.post("body", {{"stomach", "full"}, {"strength", 50}, {"volume", 30}, {"weight", 70}}),
              200);
    EXPECT_EQ(bob.post("player", {{"name", "Bob"}}), 200);
    session->getDriver().step(2);
    EXPECT_EQ(player(0).getName(), "Anna");
    EXPECT_TRUE(kit::startsWith(player(0).getColor(), color));
    EXPECT_EQ(kit::toInt(player(0).getCharacter()), character);
    EXPECT_FALSE(player(0).isMale());
    EXPECT_TRUE(player(0).getAlcoTestData()->isComplete());
    EXPECT_EQ(player(2).getName(), "Bob");
    EXPECT_EQ(anna.state()["you"]["name"], "Anna");

    // The TV frees Bob's row, his phone hears of it and takes the row again.
    session->click(rows, "button_player_phone_2");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return openDialog() != nullptr; }, 300));
    session->click(openDialog(), "button_dialog_0");
    session->getDriver().step(20);
    EXPECT_FALSE(player(2).hasPhone());
    EXPECT_FALSE(isShown(rows, "button_player_phone_2"));
    nlohmann::json freed = bob.state();
    EXPECT_TRUE(freed["you"].is_null());
    EXPECT_EQ(freed["notice"], "The TV freed your row.");
    EXPECT_EQ(bob.post("join", {{"row", 2}}), 200);
    session->getDriver().step(2);
    EXPECT_TRUE(player(2).hasPhone());

    ventrel::sceneManager->registerSceneFactory("Scene::Board", [] { return std::make_unique<OpenBoard>(); });
    session->click(session->getScene(), "button_ok");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return openDialog() != nullptr; }, 300));
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session->waitForScene("Scene::Board"));
    // A late arrival takes the row played at the TV, but adds none.
    EXPECT_EQ(late.post("join", {{"row", -1}}), 409);
    EXPECT_EQ(late.post("join", {{"row", 1}}), 200);
    session->getDriver().step(2);
    EXPECT_TRUE(player(1).hasPhone());
    EXPECT_EQ(late.state()["you"]["row"], 1);

    tapsChecked = false;
    playWithPhones(8, {&anna, &bob, &late});
    EXPECT_TRUE(tapsChecked) << "no question came to a phone";
    EXPECT_GT(phoneRolls, 0);
    EXPECT_GT(phoneAnswers, 0);
    int sips = player(0).getDrinks() + player(2).getDrinks();
    kit::String secret = game().getPhoneSecret();
    ASSERT_EQ(secret.size(), 32u);

    ASSERT_TRUE(closeAndResume());
    ASSERT_TRUE(session->getDriver().stepUntil([] { return System::phones->isRunning(); }, 60));
    kit::String resumed = System::phones->getJoinAddress();
    EXPECT_NE(resumed.find("/p/" + secret + "/"), kit::String::npos) << resumed;
    anna.connect(resumed);
    bob.connect(resumed);
    late.connect(resumed);
    EXPECT_EQ(anna.state()["you"]["name"], "Anna");
    EXPECT_EQ(bob.state()["you"]["name"], "Bob");
    lastAnswered = lastRolled = 0;
    int rolls = phoneRolls;
    playWithPhones(5, {&anna, &bob, &late});
    EXPECT_GT(phoneRolls, rolls) << "the phones do not roll after the restart";
    EXPECT_GE(player(0).getDrinks() + player(2).getDrinks(), sips);

    // The TV takes the last answer back between throws: the phones follow at once, the question is
    // theirs again, and its answer from the phone plays on.
    ASSERT_TRUE(session->getDriver().stepUntil(
        [this] { return board()->isWaitingForRoll() && !openDialog() && board()->isInputAllowed(); }, 900));
    ASSERT_TRUE(System::UndoHistory::get().canUndo());
    session->getDriver().pressKey(host::Key::Backspace);
    ASSERT_TRUE(session->getDriver().stepUntil([] { return openDialog() != nullptr; }, 600))
        << "no question back";
    int row = board()->getQuestionRow(openDialog());
    PhoneClient* asked = row == 0 ? &anna : row == 1 ? &late : &bob;
    nlohmann::json back;
    ASSERT_TRUE(session->getDriver().stepUntil(
        [&] {
            back = asked->state();
            return back["question"].is_object() && back["question"]["answerable"] == true;
        },
        30))
        << "the phone does not see the question taken back: " << back.dump();
    EXPECT_EQ(asked->post("answer", {{"id", back["question"]["id"]},
                                     {"button", back["question"]["buttons"][0]["index"]}}),
              200);
    EXPECT_TRUE(session->getDriver().stepUntil([] { return openDialog() == nullptr; }, 300))
        << "the phone's answer to the question taken back was not taken";

    ASSERT_TRUE(session->goTo("Scene::Title"));
    EXPECT_FALSE(System::phones->isRunning());
    EXPECT_TRUE(anna.state().is_null()) << "the server still answers at the title";
}

// Where phones cannot listen (an address that is not this machine's), the panel says so in one line,
// and the game is set up and started as without phones.
TEST_F(ResumeTest, WithoutANetworkThePanelSaysSoAndTheGameGoesOn) {
    ventrel::cfg->getCategory("System")->set("PhonesAddress", "192.0.2.1");
    System::profile().set(System::Phones::Setting, "1");
    ventrel::sceneManager->switchScene("Scene::NewGame");
    auto* panel = session->waitForMenu<Menu::Phones>();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(System::phones->hasFailed());
    EXPECT_FALSE(System::phones->isRunning());
    EXPECT_TRUE(kit::startsWith(System::getLabelText(panel, "label_hint"), "Phones can't join"))
        << System::getLabelText(panel, "label_hint");
    EXPECT_FALSE(isShown(panel, "image_code"));
    session->click(panel, "button_close");
    ASSERT_TRUE(session->getDriver().stepUntil([panel] { return !panel->isVisible(); }, 120));
    session->click(session->getScene(), "button_ok");
    ASSERT_TRUE(session->getDriver().stepUntil([] { return openDialog() != nullptr; }, 300));
    session->click(openDialog(), "button_dialog_0");
    ASSERT_TRUE(session->waitForScene("Scene::Board"));
    BoardPlayer play(*session, BoardPlayer::Input::Mouse);
    EXPECT_TRUE(play.playTurns(2));
}

}  // namespace
}  // namespace e2etest
