#include "System/Core.h"

#include <audio/Manager.h>
#include <audio/MultiPlaylist.h>
#include <audio/Playlist.h>
#include <fonts/Renderer.h>
#include <gui/Gui.h>
#include <host/Host.h>
#include <kit/Dir.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <net/Net.h>
#include <sys/utsname.h>
#include <ventrel/CfgParser.h>
#include <ventrel/Platform.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SceneManager.h>
#include <ventrel/system/TempState.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "Menu/Dialog/ActionChoice.h"
#include "Menu/Dialog/ActionSelect.h"
#include "Menu/Dialog/Ok.h"
#include "Menu/Dialog/PickerCharacter.h"
#include "Menu/Dialog/PickerColor.h"
#include "Menu/Dialog/PickerIcon.h"
#include "Menu/Dialog/PickerPlayer.h"
#include "Menu/Dialog/Shirt.h"
#include "Menu/Dialog/YesNo.h"
#include "Menu/Dialog/YesNoCancel.h"
#include "Menu/InGame/Gui.h"
#include "Menu/Overlay/Loading.h"
#include "Menu/Overlay/Network.h"
#include "Menu/Overlay/Notification.h"
#include "Menu/Overlay/PreLoading.h"
#include "Menu/Overlay/Quit.h"
#include "Scene/AlcoTest.h"
#include "Scene/Board.h"
#include "Scene/Credits.h"
#include "Scene/CustomCards.h"
#include "Scene/Disclaimer.h"
#include "Scene/EndOfNight.h"
#include "Scene/Extras.h"
#include "Scene/HallOfFame.h"
#include "Scene/Help.h"
#include "Scene/Logos.h"
#include "Scene/NewGame.h"
#include "Scene/Settings.h"
#include "Scene/Title.h"
#include "System/DataManager.h"
#include "System/Globals.h"
#include "System/HttpDelegate.h"
#include "System/Phones.h"

namespace System {

namespace {

const kit::Version GameVersion(2, 5, 7, 0);

kit::String systemConfig(const kit::String& key) {
    ventrel::CfgParser::Category* category = ventrel::cfg ? ventrel::cfg->getCategory("System") : nullptr;
    return category ? category->get(key) : "";
}

// Operating system and kernel release, such as "Linux 6.1.0-18-amd64".
kit::String systemName() {
    utsname names{};
    if (uname(&names) != 0) {
        return "Unknown";
    }
    return kit::String(names.sysname) + " " + names.release;
}

float percent(const kit::String& key) {
    return static_cast<float>(kit::toInt(profile().get(key))) / 100.0f;
}

}  // namespace

Core::Core(bool mobile)
    : ventrel::system::Core(kit::Dir::joinPath("data/gui/definitions", mobile ? "mobile" : "normal"),
                            "Morrowleaf", "Swiggard", GameVersion),
      mobile(mobile) {
    // The mobile folder holds only the layouts that must differ at its size.
    if (mobile) {
        setGuiFallbackPath(kit::Dir::joinPath("data/gui/definitions", "normal"));
    }
    soundNameClick = "click";
    logFilename = "log.txt";
    logOutputEnabled = true;
    kit::String debugLogging = systemConfig("DebugLogging");
    if (!debugLogging.empty() && !kit::toBool(debugLogging)) {
        logFilename = "";
        logOutputEnabled = false;
    }
}

Core::~Core() {
    closeMotdSocket();
}

void Core::openMotdSocket() {
    closeMotdSocket();
    motdReplies = std::make_unique<HttpDelegate>();
    httpSocket = std::make_unique<net::HttpSocket>(motdReplies.get());
}

void Core::closeMotdSocket() {
    httpSocket.reset();
    motdReplies.reset();
}

bool Core::isMotdDue(float timeBefore, float timeAfter) {
    return std::fmod(timeBefore, MotdInterval) > std::fmod(timeAfter, MotdInterval);
}

kit::String Core::getUserAgent() const {
    return "SWG/" + gameVersion.toString(3) + " (" + systemName() + ")";
}

kit::String Core::getMotdUrl() const {
    kit::String host = kit::trim(systemConfig("MotdHost"));
    while (!host.empty() && host.back() == '/') {
        host.pop_back();
    }
    if (host.empty()) {
        return "";
    }
    if (!kit::contains(host, "://")) {
        host = "https://" + host;
    }
    return host + MotdPath;
}

void Core::requestMotd() {
    kit::String url = getMotdUrl();
    if (url.empty() || !httpSocket) {
        return;
    }
    kit::Log::debug(LogTag, "Requesting the message of the day: " + url);
    httpSocket->executeGetAsync(url, "", {{"User-Agent", getUserAgent()}});
}

namespace {

void registerPlaylist(const kit::String& name, const kit::Array<kit::String>& tracks) {
    auto playlist = std::make_unique<audio::MultiPlaylist>();
    playlist->addPlaylist(std::make_unique<audio::Playlist>(tracks, true));
    ventrel::sceneManager->getPlaylists().add(name, std::move(playlist));
}

std::unique_ptr<gui::Dataset> makeResourceSet(const kit::String& file, const kit::String& name) {
    return std::make_unique<gui::Dataset>(kit::Dir::joinPath("data", file), name);
}

}  // namespace

quadrix::Rectangle Core::computeViewport(float aspectRatio, int baseHeight, bool mobile) {
    const float minimum = mobile ? 1.5f : 1.333333f;
    const float maximum = 1.777778f;
    float aspect = minimum > aspectRatio ? minimum : std::min(aspectRatio, maximum);
    float width = static_cast<float>(static_cast<int>(static_cast<float>(baseHeight) * aspect));
    return quadrix::Rectangle(0.0f, 0.0f, width, static_cast<float>(baseHeight));
}

void Core::setupViewport(int baseHeight) {
    viewport = computeViewport(host::window ? host::window->getAspectRatio() : 1.0f, baseHeight, mobile);
    gui::setViewport(viewport);
}

bool Core::onUpdate(float timeDelta) {
    host::rendersys->clear();
    gui::updateViewportPosition(viewport, true);
    gui::updateCursorPosition();
    net::update(timeDelta);
    if (System::phones) {
        System::phones->update();
    }
    float before = ventrel::sceneManager->getTime();
    bool running = ventrel::system::Core::onUpdate(timeDelta);
    if (isMotdDue(before, ventrel::sceneManager->getTime())) {
        requestMotd();
    }
    if (guiCursorVisible && host::window->isCursorInside()) {
        gui::drawCursor();
    }
    if (!running) {
        host::window->terminateMainLoop();
    }
    return running;
}

// The overlays, the dialogs and the scenes, each registered by its name.
void Core::registerScreens() {
    ventrel::system::SceneManager& screens = *ventrel::sceneManager;
    screens.registerOverlay(std::make_unique<Menu::Overlay::Notification>());
    screens.registerOverlay(std::make_unique<Menu::Overlay::Network>());
    screens.registerOverlay(std::make_unique<Menu::Overlay::Quit>());
    screens.registerDialog(std::make_unique<Menu::Dialog::Ok>());
    screens.registerDialog(std::make_unique<Menu::Dialog::YesNo>());
    screens.registerDialog(std::make_unique<Menu::Dialog::YesNoCancel>());
    screens.registerDialog(std::make_unique<Menu::Dialog::ActionSelect>());
    screens.registerDialog(std::make_unique<Menu::Dialog::ActionChoice>());
    screens.registerDialog(std::make_unique<Menu::Dialog::PickerColor>());
    screens.registerDialog(std::make_unique<Menu::Dialog::PickerCharacter>());
    screens.registerDialog(std::make_unique<Menu::Dialog::PickerIcon>());
    screens.registerDialog(std::make_unique<Menu::Dialog::PickerPlayer>());
    screens.registerDialog(std::make_unique<Menu::Dialog::Shirt>());
    screens.registerSceneFactory("Scene::AlcoTest", [] { return std::make_unique<Scene::AlcoTest>(); });
    screens.registerSceneFactory("Scene::Board", [] { return std::make_unique<Scene::Board>(); });
    screens.registerSceneFactory("Scene::Credits", [] { return std::make_unique<Scene::Credits>(); });
    screens.registerSceneFactory("Scene::Disclaimer", [] { return std::make_unique<Scene::Disclaimer>(); });
    screens.registerSceneFactory("Scene::EndOfNight", [] { return std::make_unique<Scene::EndOfNight>(); });
    screens.registerSceneFactory("Scene::Extras", [] { return std::make_unique<Scene::Extras>(); });
    screens.registerSceneFactory("Scene::CustomCards", [] { return std::make_unique<Scene::CustomCards>(); });
    screens.registerSceneFactory("Scene::HallOfFame", [] { return std::make_unique<Scene::HallOfFame>(); });
    screens.registerSceneFactory("Scene::Help", [] { return std::make_unique<Scene::Help>(); });
    screens.registerSceneFactory("Scene::Logos", [] { return std::make_unique<Scene::Logos>(); });
    screens.registerSceneFactory("Scene::NewGame", [] { return std::make_unique<Scene::NewGame>(); });
    screens.registerSceneFactory("Scene::Settings", [] { return std::make_unique<Scene::Settings>(); });
    screens.registerSceneFactory("Scene::Title", [] { return std::make_unique<Scene::Title>(); });
}

void Core::startMotdTicker() {
    auto* board =
        ventrel::sceneManager ? dynamic_cast<Scene::Board*>(ventrel::sceneManager->getScene()) : nullptr;
    if (board && board->isRunning() && board->getGui()) {
        board->getGui()->startMotd(true);
    }
}

std::unique_ptr<ventrel::menu::Transition> Core::_createTransition() {
    return std::make_unique<Menu::Overlay::Loading>();
}

std::unique_ptr<ventrel::menu::Base> Core::_createPreLoading() {
    return std::make_unique<Menu::Overlay::PreLoading>();
}

void Core::start() {
    std::unique_ptr<gui::Dataset> guiSet = makeResourceSet("gui/gui.dts", "gui");
    guiSet->setTextFolder("texts");
    ventrel::sceneManager->registerDataset(std::move(guiSet));
    ventrel::sceneManager->registerDataset(makeResourceSet("gui/game.dts", "game"));
    registerScreens();
    if (ventrel::gameState) {
        ventrel::gameState->clear();
    }
    if (ventrel::tempState) {
        ventrel::tempState->clear();
    }
    openMotdSocket();
    requestMotd();
    ventrel::sceneManager->switchScene("Scene::Disclaimer");
    ventrel::system::Core::start();
    unlockCharacters({"16", "23", "24", "25"}, false);
    ventrel::platform::checkForUpdates();
}

// The load step of the first frame: sounds, music and the global data sets.
void Core::_load() {
    onInputModeChanged(host::window->getInputMode());
    if (audio::manager) {
        audio::manager->createCategory("music", audio::BufferMode::Stream, audio::SourceMode::Shared);
        audio::manager->createCategory("sound", audio::BufferMode::Memory, audio::SourceMode::Shared);
        audio::manager->createSoundsFromFolder("data/audio/music", "music");
        audio::manager->createSoundsFromFolder("data/audio/sound", "sound");
    }
    applyAudioVolumes();
    registerPlaylist("title", {"title"});
    registerPlaylist("board", {"board 1", "board 2", "board 3"});
    if (dataManager) {
        dataManager->load();
    }
    ventrel::sceneManager->activateDataset("gui", true);
    ventrel::sceneManager->activateDataset("game", true);
    gui::setCursorImage("gui.gui/cursor");
    ventrel::system::Core::_load();
    tryRenderPreLoading(false);
    tryDestroyPreLoading();
}

void Core::onWindowSizeChanged(int width, int height, bool fullscreen) {
    ventrel::system::Core::onWindowSizeChanged(width, height, fullscreen);
    setupViewport(static_cast<int>(viewport.h));
    host::rendersys->setOrthoProjection(viewport);
}

void Core::onInputModeChanged(host::Window::InputMode) {
    bool mouse = host::window->getInputMode() == host::Window::InputMode::Mouse;
    bool custom = mouse && kit::toBool(profile().get("CustomCursor"));
    host::window->setCursorVisible(mouse && !custom);
    guiCursorVisible = custom;
}

// The window's close button asks first; the system ending the program does not wait for an answer.
void Core::onQuit(bool canCancel) {
    if (!canCancel || !ventrel::sceneManager) {
        exitGame();
        return;
    }
    ventrel::sceneManager->showOverlay("menu/overlay/quit");
}

void Core::onCharacterUnlocked(const kit::String&) {
    if (ventrel::sceneManager && ventrel::sceneManager->getScene()) {
        ventrel::system::Context* scene = ventrel::sceneManager->getScene();
        ventrel::sceneManager->showDialog("menu/dialog/ok", scene, scene, "gui.MessageCharacterUnlocked",
                                          "Dialog:CharacterUnlocked");
    }
}

void Core::finish() {
    closeMotdSocket();
    gui::setCursorImage("");
    if (fonts::renderer) {
        fonts::renderer->destroyAllFonts();
    }
    ventrel::destroy();
}

bool isCharacterUnlocked(const kit::String& character) {
    if (character != "16" && character != "17") {
        return true;
    }
    kit::Array<kit::String> unlocked = profile().getArray("UnlockedCharacters");
    return std::find(unlocked.begin(), unlocked.end(), character) != unlocked.end();
}

void unlockCharacter(const kit::String& character, bool notify) {
    unlockCharacters({character}, notify);
}

// The profile is saved once, and only when something new was unlocked.
void unlockCharacters(const kit::Array<kit::String>& characters, bool notify) {
    kit::Array<kit::String> unlocked = profile().getArray("UnlockedCharacters");
    size_t before = unlocked.size();
    for (const kit::String& character : characters) {
        if (std::find(unlocked.begin(), unlocked.end(), character) == unlocked.end()) {
            unlocked.push_back(character);
        }
    }
    if (unlocked.size() != before) {
        profile().set("UnlockedCharacters", unlocked);
        profile().save();
    }
    for (const kit::String& character : characters) {
        if (notify && core()) {
            core()->onCharacterUnlocked(character);
        }
    }
}

void applyAudioVolumes() {
    if (!audio::manager) {
        return;
    }
    bool active = kit::toBool(profile().get("AudioActive"));
    audio::manager->setGain(active ? percent("AudioVolume") : 0.0f);
    audio::manager->setCategoryGain("music", percent("MusicVolume"));
    audio::manager->setCategoryGain("sound", percent("SoundVolume"));
}

}  // namespace System
