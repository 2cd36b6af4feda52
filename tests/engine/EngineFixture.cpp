#include "EngineFixture.h"

#include <gui/MemberCallbackEvent.h>
#include <kit/Env.h>

namespace enginetest {

void TestTransition::startTransition(int, float) {
    ++starts;
    if (root) {
        root->setAlpha(0);
        root->fadeAlpha(255, 4.0f);
    }
}

TestCore::TestCore() : Core("data/engine_tests", "Studio", "Game", kit::Version(1, 2, 3, 4)) {
    logFilename = "log.txt";
}

int TestScene::alive = 0;

TestScene::TestScene(const kit::String& playlist) : Base("scene", playlist) {
    ++alive;
}

TestScene::~TestScene() {
    --alive;
}

void TestScene::setup() {
    Base::setup();
    inputAllowedAtSetup = inputAllowed;
}

void TestScene::update() {
    ++updates;
    Base::update();
}

void TestScene::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    answeredDialog = dialog;
    answeredButton = button;
    answeredContext = context;
}

void TestScene::_setupCallbacks() {
    bind("button_ok", &TestScene::_buttonOk);
}

bool TestScene::_buttonOk(gui::Object*) {
    ++clicks;
    return true;
}

TestOverlay::TestOverlay(bool animated) : Overlay("overlay") {
    useShowAnimation = animated;
    useHideAnimation = animated;
}

void EngineFixture::SetUp() {
    ASSERT_TRUE(host::init());
    ASSERT_TRUE(host::createRenderSystem());
    ASSERT_TRUE(host::createWindow(1024, 768, false, "engine test"));
    ASSERT_TRUE(fonts::init());
    ASSERT_TRUE(gui::init());
    gui::setViewport(quadrix::Rectangle(0, 0, 1024, 768));
    gui::updateViewportPosition(gui::getViewport(), true);
    TestScene::alive = 0;
}

void EngineFixture::startEngine(bool async, bool debug) {
    core = new TestCore();
    core->setDebugEnabled(debug);
    gameState = new ventrel::system::GameState();
    tempState = new ventrel::system::TempState();
    ventrel::init(core, gameState, tempState, async);
    ventrel::attachWindow();
    ventrel::input->addKey(host::Key::Enter);
    ventrel::input->addKey(host::Key::Escape);
    driver = std::make_unique<host::TestDriver>(0.05f);
}

void EngineFixture::registerScenes() {
    ventrel::sceneManager->registerSceneFactory("Scene::A",
                                                [] { return std::make_unique<TestScene>("title"); });
    ventrel::sceneManager->registerSceneFactory("Scene::B",
                                                [] { return std::make_unique<TestScene>("board"); });
}

void EngineFixture::TearDown() {
    driver.reset();
    if (core) {
        ventrel::destroy();
        delete tempState;
        delete gameState;
        delete core;
        ventrel::core = nullptr;
    }
    kit::Log::setFilename("");
    gui::destroy();
    fonts::destroy();
    host::destroy();
}

bool EngineFixture::stepUntil(const std::function<bool()>& condition, int maxFrames) {
    return driver->stepUntil(condition, maxFrames);
}

TestTransition* EngineFixture::transition() const {
    return static_cast<TestTransition*>(ventrel::transitionManager->getMenu());
}

TestScene* EngineFixture::scene() const {
    return static_cast<TestScene*>(ventrel::sceneManager->getScene());
}

}  // namespace enginetest
