// The classic and planets boards: the fields they build, the camera and the scenery.
#include <host/Host.h>
#include <host/Window.h>
#include <kit/Format.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Input.h>
#include <ventrel/system/SceneManager.h>

#include <cmath>
#include <memory>

#include "LogLines.h"
#include "Viewer/BoardClassic.h"
#include "Viewer/BoardPlanets.h"
#include "Viewer/PlayerClassic.h"
#include "ViewerFixture.h"

namespace viewertest {
namespace {

using quadrix::Rectangle;
using quadrix::Vector2;
using Viewer::BoardPlanets;

// The layout is chosen once at start-up; the overview test flips it on the running core.
struct MobileSwitch : System::Core {
    static auto flag() { return &MobileSwitch::mobile; }
};

void expectColorNear(const host::Color& actual, const host::Color& expected) {
    EXPECT_NEAR(actual.r, expected.r, 1);
    EXPECT_NEAR(actual.g, expected.g, 1);
    EXPECT_NEAR(actual.b, expected.b, 1);
}

TEST_F(ViewerTest, ClassicFieldsLieRoundTheSquareFacingOutwards) {
    startGame(Layout::Classic, 2);
    auto* board = show(new Viewer::BoardClassic(makeBoard()));
    EXPECT_EQ(board->getFields()->getSize(), Vector2(3000, 3000));
    EXPECT_EQ(object("field_15")->getRect(), Rectangle(2700, 1400, 200, 200));
    EXPECT_FLOAT_EQ(object("field_15")->getAngle(), 270);
    EXPECT_EQ(object("field_15")->getPivot(), Vector2(100, 100)) << "a field turns in its place";
    EXPECT_EQ(object("field_icon_15")->getRect(), Rectangle(0, 0, 200, 200));
    EXPECT_EQ(object("field_01")->getPosition(), Vector2(440, 100));
    EXPECT_EQ(object("field_21")->getPosition(), Vector2(2360, 2700));
    EXPECT_EQ(object("field_39")->getPosition(), Vector2(100, 440));
    EXPECT_FLOAT_EQ(object("field_39")->getAngle(), 90);
    EXPECT_EQ(object("field_20")->getRect(), Rectangle(2600, 2600, 400, 400));
    EXPECT_EQ(imageOf("field_20"), "game.fields/corner_2");
}

TEST_F(ViewerTest, SurprisePositionsShowTheSurpriseLookOnBothLayouts) {
    startGame(Layout::Classic, 2);
    ASSERT_EQ(System::gameState()->getBoardField(15), nullptr) << "a surprise position of the classic board";
    const Game::Field* record = System::gameState()->getBoardField(14);
    ASSERT_NE(record, nullptr);
    show(new Viewer::BoardClassic(makeBoard()));
    EXPECT_EQ(imageOf("field_15"), "gui.buttons/fields_blank_surprise");
    EXPECT_EQ(imageOf("field_icon_15"), "game.fields/surprise");
    EXPECT_EQ(imageOf("field_14"), "gui.buttons/fields_blank_1");
    EXPECT_EQ(imageOf("field_icon_14"), "game.fields/" + record->icon);
    show(new BoardPlanets(makeBoard()));
    EXPECT_EQ(imageOf("field_15"), "gui.gui/fields2_blank_surprise");
    EXPECT_EQ(imageOf("field_icon_15"), "game.fields2/surprise");
    EXPECT_EQ(imageOf("field_14"), "gui.gui/fields2_blank_1");
    EXPECT_EQ(imageOf("field_icon_14"), "game.fields2/" + record->icon);
}

TEST_F(ViewerTest, ClassicCameraKeepsTheTokenLowInTheMiddleAndTurnsTheShortWay) {
    startGame(Layout::Classic, 2);
    Game::Player* current = player(0);
    current->moveBy(15);
    current->setMovingProgress(1.0f);
    auto* board = show(new Viewer::BoardClassic(makeBoard()));
    Vector2 view = System::core()->getViewport().getSize();
    gui::Object* disc = board->getBoard();
    EXPECT_EQ(disc->getPivot(), Vector2(2800, 1500)) << "the centre of field 15";
    EXPECT_EQ(disc->getPosition(),
              Vector2(std::trunc(view.x * 0.5f) - 2800, std::trunc(view.y * 0.65f) - 1500));
    EXPECT_FLOAT_EQ(disc->getAngle(), 90);
    EXPECT_EQ(board->getLights()->getColor(), host::Color(current->getColor()));

    current->moveBy(20);
    current->setMovingProgress(1.0f);
    board->update();
    ASSERT_FLOAT_EQ(disc->getAngle(), 270);
    current->moveBy(6);  // round the corner onto field 1
    current->setMovingProgress(1.0f);
    board->newTurn();
    EXPECT_TRUE(System::tempState()->isBoardAnimating());
    animate(0.25f);
    EXPECT_NEAR(disc->getAngle(), -45, 0.5) << "on to 360, not back through 180";
    animate(0.5f);
    EXPECT_FALSE(board->isAnimating());
    EXPECT_NEAR(disc->getAngle(), 0, 0.01);
    EXPECT_EQ(disc->getPivot(), Vector2(540, 200));
}

TEST_F(ViewerTest, ClassicOverviewShowsTheWholeBoardCentred) {
    startGame(Layout::Classic, 2);
    auto* board = show(new Viewer::BoardClassic(makeBoard()));
    Vector2 view = System::core()->getViewport().getSize();
    gui::Object* disc = board->getBoard();
    gui::Object* lights = board->getLights();
    auto overview = [&](float scale, float shown) {
        System::tempState()->setViewMode(0);
        board->applyViewMode();
        EXPECT_TRUE(System::tempState()->isBoardAnimating());
        EXPECT_FLOAT_EQ(lights->getY(), 30 - 150) << "the lights come down from the top";
        animate(2.0f);
        EXPECT_EQ(disc->getScale(), Vector2(scale, scale));
        EXPECT_EQ(disc->getPivot(), Vector2(0, 0));
        EXPECT_EQ(disc->getPosition(), (view - Vector2(shown, shown)) * 0.5f);
        EXPECT_NEAR(disc->getAngle(), 0, 0.01);
        EXPECT_FLOAT_EQ(lights->getY(), (view.y - 300) * 0.5f);
        EXPECT_FLOAT_EQ(lights->getAngle(), 360);
    };
    overview(0.225f, 675);
    System::tempState()->setViewMode(1);
    board->applyViewMode();
    animate(2.0f);
    EXPECT_EQ(disc->getScale(), Vector2(1, 1));
    EXPECT_EQ(disc->getPivot(), Vector2(200, 200));
    EXPECT_NEAR(disc->getAngle(), 315, 0.01) << "the start corner lies between two sides";
    EXPECT_FLOAT_EQ(lights->getY(), 30 - 150);
    System::core()->*MobileSwitch::flag() = true;
    overview(0.1875f, 562);
    System::core()->*MobileSwitch::flag() = false;
}

TEST_F(ViewerTest, PlanetsShowOnlyTheFieldsOnTheFrontHalfOfTheDisc) {
    startGame(Layout::Planets, 2);
    auto* board = show(new BoardPlanets(makeBoard()));
    Vector2 view = System::core()->getViewport().getSize();
    EXPECT_EQ(board->getBoard()->getRect(), Rectangle(view.x * 0.5f - 1024, view.y - 964, 2048, 2048));
    EXPECT_EQ(board->getBoard()->getPivot(), Vector2(1024, 1024));
    EXPECT_EQ(object("field_container_04")->getRect(), Rectangle(974, 734, 100, 290));
    EXPECT_EQ(object("field_container_04")->getPivot(), Vector2(50, 290))
        << "it turns about the disc's centre";
    EXPECT_EQ(object("field_04")->getRect(), Rectangle(-15, -15, 130, 130));
    EXPECT_FALSE(screen->hasObject("field_container_10")) << "no corners on the disc";
    ASSERT_FLOAT_EQ(board->getBoard()->getAngle(), 0);
    for (int position = 1; position < 40; ++position) {
        if (position % 10 != 0) {
            gui::Object* field = object(kit::format("field_container_%02d", position));
            EXPECT_FLOAT_EQ(field->getAngle(), -36.0f * position);
            EXPECT_EQ(field->isVisible(), position <= 4 || position >= 36) << position;
        }
    }
}

TEST_F(ViewerTest, PlanetPicturesRunOnAcrossTheEndOfALap) {
    startGame(Layout::Planets, 2);
    System::tempState()->setViewMode(0);
    auto* board = show(new BoardPlanets(makeBoard()));
    EXPECT_EQ(imageOf("planets_0"), "game.planets/0");
    EXPECT_EQ(imageOf("planets_2"), "game.planets/14") << "the planets behind the start";
    EXPECT_EQ(imageOf("planets_3"), "game.planets/15");
    auto pictures = [&] {
        kit::String shown;
        for (int quarter = 0; quarter < 4; ++quarter) {
            shown += imageOf("planets_" + kit::toString(quarter)) + " ";
        }
        return shown;
    };
    board->getBoard()->setAngle(1439.5f);
    board->update();
    kit::String before = pictures();
    board->getBoard()->setAngle(1440.5f);
    board->update();
    EXPECT_FLOAT_EQ(board->getBoard()->getAngle(), 0.5f) << "the overview keeps the angle within a lap";
    EXPECT_EQ(pictures(), before);
}

TEST_F(ViewerTest, PlanetsSkyBlendsIntoTheNextTurnOverTheLastQuarter) {
    const BoardPlanets::Quarters& sky = BoardPlanets::BackgroundColors;
    EXPECT_EQ(BoardPlanets::sceneryColor(sky, 269), host::Color("0276D9"));
    expectColorNear(BoardPlanets::sceneryColor(sky, 315), host::Color(119, 116, 124));
    EXPECT_EQ(BoardPlanets::sceneryColor(sky, 1080), host::Color("F49FC0"));
    expectColorNear(BoardPlanets::sceneryColor(sky, -0.1f), host::Color("0276D9"));

    startGame(Layout::Planets, 2);
    System::tempState()->setViewMode(0);
    gui::Object* disc = makeBoard();
    object("background")->setAlpha(128);
    disc->setAngle(720 + 315);
    show(new BoardPlanets(disc));
    expectColorNear(object("background")->getColor(), host::Color(122, 80, 96));
    EXPECT_EQ(object("background")->getAlpha(), 128) << "the data design's alpha stays";
    expectColorNear(object("clouds")->getColor(), host::Color(0x80, 0x9A, 0xA5));
}

TEST_F(ViewerTest, PlanetsCameraTurnsTheShortWayRoundTheLap) {
    startGame(Layout::Planets, 2);
    auto* board = show(new BoardPlanets(makeBoard()));
    ASSERT_FLOAT_EQ(board->getBoard()->getAngle(), 0);
    player(0)->moveBy(30);
    player(0)->setMovingProgress(1.0f);
    board->newTurn();
    EXPECT_TRUE(System::tempState()->isBoardAnimating());
    animate(0.5f);
    EXPECT_NEAR(board->getBoard()->getAngle(), 1260, 1) << "back from 1440 at speed 1, not on from 0";
    animate(0.6f);
    EXPECT_NEAR(board->getBoard()->getAngle(), 1080, 0.01);
    EXPECT_EQ(BoardPlanets::turnSpeed(179), 4);
    EXPECT_EQ(BoardPlanets::turnSpeed(180), 2);
}

TEST_F(ViewerTest, OverviewDiscTurnsByArrowKeysOrTouchDrag) {
    startGame(Layout::Planets, 2);
    System::tempState()->setViewMode(0);
    auto* board = show(new BoardPlanets(makeBoard()));
    gui::Object* disc = board->getBoard();
    ventrel::sceneManager->setTimeDelta(0.25f);
    auto key = [](host::Key code, bool down) {
        down ? ventrel::input->onKeyDown(code) : ventrel::input->onKeyUp(code);
        ventrel::input->update();
    };
    ASSERT_EQ(host::window->getInputMode(), host::Window::InputMode::Mouse);
    key(host::Key::Right, true);
    board->update();
    EXPECT_FLOAT_EQ(disc->getAngle(), 30);
    key(host::Key::Left, true);
    board->update();
    EXPECT_FLOAT_EQ(disc->getAngle(), 30) << "both keys cancel";
    key(host::Key::Right, false);
    key(host::Key::Left, false);

    host::window->setInputMode(host::Window::InputMode::Touch);
    ventrel::input->setMoveVector(Vector2(400, 0));
    board->update();
    EXPECT_FLOAT_EQ(disc->getAngle(), 1420) << "a drag to the right turns back, within the lap";
    board->applyViewMode();
    EXPECT_TRUE(ventrel::input->getMoveVector().isNull());
    host::window->setInputMode(host::Window::InputMode::Mouse);
}

TEST_F(ViewerTest, MissingObjectsAreReportedNotFatal) {
    startGame(Layout::Planets, 1);
    testsupport::LogLines log;
    show(new BoardPlanets(makeBoard(false)))->newTurn();
    EXPECT_TRUE(log.has(kit::Log::Level::Warn, "The board's data set has no object 'lights'."));
    EXPECT_TRUE(log.has(kit::Log::Level::Warn, "The board's data set has no object 'clouds'."));
    Viewer::Board* boards[] = {show(new Viewer::BoardClassic(nullptr)), show(new BoardPlanets(nullptr))};
    for (Viewer::Board* board : boards) {
        board->newTurn();
        board->applyViewMode();
        EXPECT_FALSE(board->isAnimating());
    }
    auto bare = std::make_unique<gui::Container>("board");
    show(new Viewer::BoardClassic(bare.get()))->applyViewMode();
    EXPECT_TRUE(log.has(kit::Log::Level::Warn, "The board object has no child 'fields'."));
    viewers.clear();
    show(new Viewer::PlayerClassic(player(0), nullptr));
}

}  // namespace
}  // namespace viewertest
